// Test-only: what the stand-in in-process COM servers share. Each serves one class whose objects
// answer IUnknown and one interface of their own and count themselves while they live, so that
// a test sees every object released; the class factory is a static object, never counted.
#pragma once

#include <objbase.h>

namespace drvtest {

// An object of `Interface` (whose id is `iid`), counted in `live` from its making to its last
// Release.
template <class Interface, const IID& iid, int& live>
class CountedObject : public Interface {
public:
    CountedObject() { ++live; }
    virtual ~CountedObject() { --live; }
    HRESULT QueryInterface(REFIID riid, void** out) override {
        if (!out) return E_POINTER;
        *out = riid == IID_IUnknown || riid == iid ? static_cast<Interface*>(this) : nullptr;
        if (!*out) return E_NOINTERFACE;
        this->AddRef();
        return S_OK;
    }
    ULONG AddRef() override { return ++references_; }
    ULONG Release() override {
        const ULONG left = --references_;
        if (left == 0) delete this;
        return left;
    }

private:
    ULONG references_ = 1;
};

template <class Object>
class StaticFactory : public IClassFactory {
public:
    HRESULT QueryInterface(REFIID riid, void** out) override {
        if (!out) return E_POINTER;
        *out = riid == IID_IUnknown || riid == IID_IClassFactory ? static_cast<IClassFactory*>(this) : nullptr;
        return *out ? S_OK : E_NOINTERFACE;
    }
    ULONG AddRef() override { return 2; }  // a static object
    ULONG Release() override { return 1; }
    HRESULT CreateInstance(IUnknown* outer, REFIID riid, void** out) override {
        if (!out) return E_POINTER;
        *out = nullptr;
        if (outer) return CLASS_E_NOAGGREGATION;
        auto* object = new Object;
        const HRESULT hr = object->QueryInterface(riid, out);
        object->Release();
        return hr;
    }
    HRESULT LockServer(BOOL) override { return S_OK; }
};

// DllGetClassObject of a server whose one class, `clsid`, makes `Object`s.
template <class Object>
HRESULT GetClassObject(REFCLSID clsid, REFCLSID rclsid, REFIID riid, LPVOID* out) {
    static StaticFactory<Object> factory;
    if (!out) return E_POINTER;
    *out = nullptr;
    if (!(rclsid == clsid)) return CLASS_E_CLASSNOTAVAILABLE;
    return factory.QueryInterface(riid, out);
}

}  // namespace drvtest
