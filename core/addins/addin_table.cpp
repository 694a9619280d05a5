// Loading and releasing a device object's add-ins (see addin_table.h). An add-in is loaded only
// when every test passes: its description names a plain file of the driver folder, that file
// carries the maker's signature, and the class the description names is registered to that very
// file (so that COM loads the file that was tested and no other). A refused add-in is left out,
// with the reason in the debug output, and the others still load.
#include "core/addins/addin_table.h"

#include "core/addins/addin_signature.h"
#include "core/device/service_table.h"
#include "core/system/printer_values.h"

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <new>
#include <string>

namespace {

bool EndsWithNoCase(const std::string& text, const char* end) {
    const std::size_t n = std::strlen(end);
    return text.size() > n && lstrcmpiA(text.c_str() + text.size() - n, end) == 0;
}

// The install record names one description file of the driver folder, by its plain name.
bool DescriptionName(HANDLE printer, std::string& name) {
    char text[MAX_PATH] = {};
    if (!ReadPrinterString(printer, kAddInInstallRecord, text, sizeof text, nullptr)) return false;
    name = text;
    return name.find_first_of("\\/:") == std::string::npos && name.front() != '.' && EndsWithNoCase(name, ".CPI");
}

bool ReadDescription(const std::string& path, std::vector<AddInRecord>& records) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    // One byte past the bound, so that a longer file is seen to be longer and refused whole.
    std::vector<uint8_t> bytes(kCpiMaxBytes + 1);
    DWORD read = 0;
    const bool ok = ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
    CloseHandle(file);
    return ok && ReadCpiFile(bytes.data(), read, records);
}

CLSID ToClsid(const ClassId& id) {
    CLSID out{};
    out.Data1 = id.data1;
    out.Data2 = id.data2;
    out.Data3 = id.data3;
    for (int i = 0; i < 8; ++i) out.Data4[i] = id.data4[i];
    return out;
}

// The file COM would load for the class: the InprocServer32 key of the classes root.
std::string RegisteredServer(const ClassId& id) {
    char key[96];
    std::snprintf(key, sizeof key, "SOFTWARE\\Classes\\CLSID\\{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}\\InprocServer32",
                  static_cast<unsigned>(id.data1), id.data2, id.data3, id.data4[0], id.data4[1], id.data4[2], id.data4[3],
                  id.data4[4], id.data4[5], id.data4[6], id.data4[7]);
    HKEY handle = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, key, 0, KEY_READ, &handle) != ERROR_SUCCESS) return {};
    char path[MAX_PATH] = {};
    DWORD type = 0, size = sizeof path - 1;
    const LONG rc = RegQueryValueExA(handle, nullptr, nullptr, &type, reinterpret_cast<LPBYTE>(path), &size);
    RegCloseKey(handle);
    return rc == ERROR_SUCCESS && type == REG_SZ ? std::string(path) : std::string();
}

void TellRefusal(const AddInRecord& record, AddInRefusal why) {
    const char* reason = why == AddInRefusal::NotSigned           ? "its file does not carry the maker's signature"
                         : why == AddInRefusal::NotRegisteredHere ? "its class is not registered to its file"
                                                                  : "its class could not be made";
    const std::string line = "Drvopui: the add-in \"" + record.name + "\" is not loaded: " + reason + "\n";
    OutputDebugStringA(line.c_str());
}

}  // namespace

IVomelAddIn* LoadAddIn(const AddInRecord& record, const char* folder, AddInRefusal& why) {
    const std::string path = std::string(folder ? folder : "") + "\\" + record.file;
    why = AddInRefusal::NotSigned;
    if (CheckAddInSignature(path.c_str()) != AddInSignature::Good) return nullptr;
    why = AddInRefusal::NotRegisteredHere;
    if (lstrcmpiA(RegisteredServer(record.classId).c_str(), path.c_str()) != 0) return nullptr;
    why = AddInRefusal::NotCreated;
    void* object = nullptr;
    if (FAILED(CoCreateInstance(ToClsid(record.classId), nullptr, CLSCTX_INPROC_SERVER, IID_IVomelAddIn, &object)) || !object)
        return nullptr;
    why = AddInRefusal::None;
    return static_cast<IVomelAddIn*>(object);
}

const AddInTable* LoadAddIns(UIDEVDATA* ctx) {
    if (!ctx) return nullptr;
    if (ctx->addIns) return static_cast<const AddInTable*>(ctx->addIns);
    auto* table = new (std::nothrow) AddInTable;
    if (!table) return nullptr;
    ctx->addIns = table;
    std::string name;
    std::vector<AddInRecord> records;
    LPCSTR folder = ctx->svc->GetDriverDirectory(ctx);
    if (!DescriptionName(ctx->svc->GetPrinterHandle(ctx), name) || !folder ||
        !ReadDescription(std::string(folder) + "\\" + name, records) || records.empty())
        return table;
    table->comStarted = SUCCEEDED(CoInitialize(nullptr));
    table->thread = GetCurrentThreadId();
    if (!table->comStarted) return table;
    for (const AddInRecord& record : records) {
        AddInRefusal why = AddInRefusal::None;
        if (IVomelAddIn* object = LoadAddIn(record, folder, why)) table->entries.push_back({record, object});
        else TellRefusal(record, why);
    }
    ctx->addInCount = static_cast<DWORD>(table->entries.size());
    return table;
}

void ReleaseAddIns(UIDEVDATA* ctx) {
    if (!ctx || !ctx->addIns) return;
    auto* table = static_cast<AddInTable*>(ctx->addIns);
    for (AddInEntry& entry : table->entries) entry.object->Release();
    // Another thread's CoUninitialize would end that thread's COM, not this table's: the
    // servers then stay loaded until the loading thread ends its own.
    if (table->comStarted && table->thread == GetCurrentThreadId()) CoUninitialize();
    delete table;
    ctx->addIns = nullptr;
    ctx->addInCount = 0;
}
