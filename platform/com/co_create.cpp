// CoCreateInstance for in-process servers. COM is initialised per thread; the servers a thread
// loaded stay loaded until its last CoUninitialize, as the objects they made may live that long
// (objects must be released before then, as on the original).
#include <objbase.h>
#include <windows.h>

#include <cstdio>
#include <vector>

namespace {

struct ThreadCom {
    int initialised = 0;
    std::vector<HMODULE> servers;
};

thread_local ThreadCom t_com;

// "SOFTWARE\Classes\CLSID\{xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx}\InprocServer32": the classes
// root is that key of the machine's, as on the original's 9x line.
void ServerKey(REFCLSID id, char (&key)[96]) {
    std::snprintf(key, sizeof key, "SOFTWARE\\Classes\\CLSID\\{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}\\InprocServer32",
                  static_cast<unsigned>(id.Data1), id.Data2, id.Data3, id.Data4[0], id.Data4[1], id.Data4[2], id.Data4[3],
                  id.Data4[4], id.Data4[5], id.Data4[6], id.Data4[7]);
}

// The server's file, the key's default value; false when the class is not registered.
bool ServerPath(REFCLSID id, char (&path)[MAX_PATH]) {
    char key[96];
    ServerKey(id, key);
    HKEY handle = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, key, 0, KEY_READ, &handle) != ERROR_SUCCESS) return false;
    DWORD type = 0, size = sizeof path - 1;
    const LONG rc = RegQueryValueExA(handle, nullptr, nullptr, &type, reinterpret_cast<LPBYTE>(path), &size);
    RegCloseKey(handle);
    if (rc != ERROR_SUCCESS || type != REG_SZ || size == 0) return false;
    path[size] = 0;
    return path[0] != 0;
}

}  // namespace

extern "C" HRESULT WINAPI CoInitialize(LPVOID) { return ++t_com.initialised == 1 ? S_OK : S_FALSE; }

extern "C" void WINAPI CoUninitialize(void) {
    if (t_com.initialised == 0 || --t_com.initialised > 0) return;
    for (HMODULE server : t_com.servers) FreeLibrary(server);
    t_com.servers.clear();
}

HRESULT WINAPI CoCreateInstance(REFCLSID rclsid, IUnknown* pUnkOuter, DWORD dwClsContext, REFIID riid, LPVOID* ppv) {
    if (!ppv) return E_POINTER;
    *ppv = nullptr;
    if (t_com.initialised == 0) return CO_E_NOTINITIALIZED;
    if (pUnkOuter) return CLASS_E_NOAGGREGATION;
    if (!(dwClsContext & CLSCTX_INPROC_SERVER)) return REGDB_E_CLASSNOTREG;
    char path[MAX_PATH];
    if (!ServerPath(rclsid, path)) return REGDB_E_CLASSNOTREG;
    HMODULE server = LoadLibraryA(path);
    if (!server) return CO_E_DLLNOTFOUND;
    auto entry = reinterpret_cast<LPFNGETCLASSOBJECT>(reinterpret_cast<void*>(GetProcAddress(server, "DllGetClassObject")));
    IClassFactory* factory = nullptr;
    HRESULT hr = entry ? entry(rclsid, IID_IClassFactory, reinterpret_cast<void**>(&factory)) : CO_E_ERRORINDLL;
    if (SUCCEEDED(hr) && factory) {
        hr = factory->CreateInstance(nullptr, riid, ppv);
        factory->Release();
    } else if (SUCCEEDED(hr)) {
        hr = CLASS_E_CLASSNOTAVAILABLE;
    }
    if (FAILED(hr)) {
        *ppv = nullptr;
        FreeLibrary(server);
        return hr;
    }
    t_com.servers.push_back(server);
    return S_OK;
}
