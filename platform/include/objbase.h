// The least of COM that in-process classes need: class and interface ids, IUnknown and
// IClassFactory, and CoCreateInstance, which finds a class's server under the classes root
// (HKEY_LOCAL_MACHINE "SOFTWARE\Classes") "CLSID\{...}\InprocServer32", loads it and asks
// its DllGetClassObject for the class.
#pragma once

#include "windef.h"

typedef struct _GUID {
    DWORD Data1;
    WORD Data2;
    WORD Data3;
    BYTE Data4[8];
} GUID;
typedef GUID CLSID;
typedef GUID IID;
#ifdef __cplusplus
typedef const GUID& REFGUID;
typedef const CLSID& REFCLSID;
typedef const IID& REFIID;
inline bool operator==(const GUID& a, const GUID& b) {
    if (a.Data1 != b.Data1 || a.Data2 != b.Data2 || a.Data3 != b.Data3) return false;
    for (int i = 0; i < 8; ++i)
        if (a.Data4[i] != b.Data4[i]) return false;
    return true;
}
#endif

#define S_OK ((HRESULT)0)
#define S_FALSE ((HRESULT)1)
#define E_NOINTERFACE ((HRESULT)0x80004002)
#define E_POINTER ((HRESULT)0x80004003)
#define E_FAIL ((HRESULT)0x80004005)
#define E_OUTOFMEMORY ((HRESULT)0x8007000E)
#define E_INVALIDARG ((HRESULT)0x80070057)
#define CLASS_E_NOAGGREGATION ((HRESULT)0x80040110)
#define CLASS_E_CLASSNOTAVAILABLE ((HRESULT)0x80040111)
#define REGDB_E_CLASSNOTREG ((HRESULT)0x80040154)
#define CO_E_DLLNOTFOUND ((HRESULT)0x8004013F)
#define CO_E_ERRORINDLL ((HRESULT)0x800401F9)
#define CO_E_NOTINITIALIZED ((HRESULT)0x800401F0)
#define SUCCEEDED(hr) (((HRESULT)(hr)) >= 0)
#define FAILED(hr) (((HRESULT)(hr)) < 0)

#define CLSCTX_INPROC_SERVER 0x1

#ifdef __cplusplus
// Interfaces cross modules: their type information is the same in every module that declares them
// (visible, not a hidden copy per module), so that a caller's view of an object another module
// made is the object's own.
#pragma GCC visibility push(default)
struct IUnknown {
    virtual HRESULT QueryInterface(REFIID riid, void** ppvObject) = 0;
    virtual ULONG AddRef() = 0;
    virtual ULONG Release() = 0;
};

struct IClassFactory : IUnknown {
    virtual HRESULT CreateInstance(IUnknown* pUnkOuter, REFIID riid, void** ppvObject) = 0;
    virtual HRESULT LockServer(BOOL fLock) = 0;
};
#pragma GCC visibility pop

// {00000000-0000-0000-C000-000000000046} and {00000001-0000-0000-C000-000000000046}
inline constexpr IID IID_IUnknown = {0x00000000, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
inline constexpr IID IID_IClassFactory = {0x00000001, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};

// The entry every in-process server exports.
typedef HRESULT(WINAPI* LPFNGETCLASSOBJECT)(REFCLSID, REFIID, LPVOID*);
#endif

WINBASEAPI HRESULT WINAPI CoInitialize(LPVOID pvReserved);
WINBASEAPI void WINAPI CoUninitialize(void);
#ifdef __cplusplus
WINBASEAPI HRESULT WINAPI CoCreateInstance(REFCLSID rclsid, IUnknown* pUnkOuter, DWORD dwClsContext, REFIID riid,
                                           LPVOID* ppv);
#endif
