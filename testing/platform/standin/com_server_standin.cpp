// A stand-in in-process COM server: one class, {6F1C2A40-93B5-4E0D-A1C3-52B0D9E4F7A8}, whose
// objects answer IUnknown and a small interface of their own. The COM tests register it among the
// classes and create it by class id. It counts its live objects, so that a test
// sees every object released.
#include <objbase.h>

#define STANDIN_EXPORT extern "C" __attribute__((visibility("default")))

// {0B7D2E11-5C3A-4F60-9E21-7A4C3D2B1F00}: the interface of the class's objects.
#pragma GCC visibility push(default)
struct ISample : IUnknown {
    virtual int Answer() = 0;
};
#pragma GCC visibility pop
constexpr IID IID_ISample = {0x0B7D2E11, 0x5C3A, 0x4F60, {0x9E, 0x21, 0x7A, 0x4C, 0x3D, 0x2B, 0x1F, 0x00}};
constexpr CLSID CLSID_Sample = {0x6F1C2A40, 0x93B5, 0x4E0D, {0xA1, 0xC3, 0x52, 0xB0, 0xD9, 0xE4, 0xF7, 0xA8}};

namespace {

int g_live = 0;

class Sample : public ISample {
public:
    Sample() { ++g_live; }
    virtual ~Sample() { --g_live; }
    HRESULT QueryInterface(REFIID riid, void** out) override {
        if (!out) return E_POINTER;
        *out = riid == IID_IUnknown || riid == IID_ISample ? static_cast<ISample*>(this) : nullptr;
        if (!*out) return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    ULONG AddRef() override { return ++references_; }
    ULONG Release() override {
        const ULONG left = --references_;
        if (left == 0) delete this;
        return left;
    }
    int Answer() override { return 42; }

private:
    ULONG references_ = 1;
};

class Factory : public IClassFactory {
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
        auto* sample = new Sample;
        const HRESULT hr = sample->QueryInterface(riid, out);
        sample->Release();
        return hr;
    }
    HRESULT LockServer(BOOL) override { return S_OK; }
};

Factory g_factory;

}  // namespace

STANDIN_EXPORT HRESULT DllGetClassObject(REFCLSID rclsid, REFIID riid, LPVOID* out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (!(rclsid == CLSID_Sample)) return CLASS_E_CLASSNOTAVAILABLE;
    return g_factory.QueryInterface(riid, out);
}

STANDIN_EXPORT int StandinLiveObjects() { return g_live; }
