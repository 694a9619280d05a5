// A stand-in in-process COM server: one class, {6F1C2A40-93B5-4E0D-A1C3-52B0D9E4F7A8}, whose
// objects answer IUnknown and a small interface of their own. The COM tests register it among the
// classes and create it by class id. It counts its live objects, so that a test
// sees every object released.
#include "drvtest/com_standin.h"

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

class Sample : public drvtest::CountedObject<ISample, IID_ISample, g_live> {
public:
    int Answer() override { return 42; }
};

}  // namespace

STANDIN_EXPORT HRESULT DllGetClassObject(REFCLSID rclsid, REFIID riid, LPVOID* out) {
    return drvtest::GetClassObject<Sample>(CLSID_Sample, rclsid, riid, out);
}

STANDIN_EXPORT int StandinLiveObjects() { return g_live; }
