// In-process classes created by class id as a program creates them: the class's server is found
// in the registry, loaded from its file and asked for the class; what is not registered, not
// there or not a server answers its error, and every object made is released before its server
// goes.
#include "drvtest/kernel.h"
#include "drvtest/registry.h"

#include <gtest/gtest.h>
#include <objbase.h>
#include <windows.h>

#include <filesystem>

// The stand-in server's interface, declared as its own module declares it.
#pragma GCC visibility push(default)
struct ISample : IUnknown {
    virtual int Answer() = 0;
};
#pragma GCC visibility pop

namespace {

constexpr IID IID_ISample = {0x0B7D2E11, 0x5C3A, 0x4F60, {0x9E, 0x21, 0x7A, 0x4C, 0x3D, 0x2B, 0x1F, 0x00}};
constexpr CLSID CLSID_Sample = {0x6F1C2A40, 0x93B5, 0x4E0D, {0xA1, 0xC3, 0x52, 0xB0, 0xD9, 0xE4, 0xF7, 0xA8}};
constexpr CLSID CLSID_Missing = {0x6F1C2A41, 0x93B5, 0x4E0D, {0xA1, 0xC3, 0x52, 0xB0, 0xD9, 0xE4, 0xF7, 0xA8}};
constexpr CLSID CLSID_NoFile = {0x6F1C2A42, 0x93B5, 0x4E0D, {0xA1, 0xC3, 0x52, 0xB0, 0xD9, 0xE4, 0xF7, 0xA8}};
constexpr CLSID CLSID_NotAServer = {0x6F1C2A43, 0x93B5, 0x4E0D, {0xA1, 0xC3, 0x52, 0xB0, 0xD9, 0xE4, 0xF7, 0xA8}};

constexpr char kHive[] =
    "REGEDIT4\n\n"
    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Classes\\CLSID\\{6F1C2A40-93B5-4E0D-A1C3-52B0D9E4F7A8}\\InprocServer32]\n"
    "@=\"C:\\\\ADDINS\\\\SAMPLE.DLL\"\n\n"
    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Classes\\CLSID\\{6F1C2A42-93B5-4E0D-A1C3-52B0D9E4F7A8}\\InprocServer32]\n"
    "@=\"C:\\\\ADDINS\\\\GONE.DLL\"\n\n"
    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Classes\\CLSID\\{6F1C2A43-93B5-4E0D-A1C3-52B0D9E4F7A8}\\InprocServer32]\n"
    "@=\"C:\\\\ADDINS\\\\PLAIN.DLL\"\n";

class CoCreate : public ::testing::Test {
protected:
    void SetUp() override {
        root_ = std::filesystem::path(DRVOPUI_TEST_OUTPUT_DIR) / "com-root";
        std::filesystem::remove_all(root_);
        std::filesystem::create_directories(root_ / "ADDINS");
        std::filesystem::copy_file(STANDIN_COM_SERVER, root_ / "ADDINS" / "SAMPLE.DLL");
        std::filesystem::copy_file(STANDIN_COM_SERVER, root_ / "ADDINS" / "PLAIN.DLL");
        drvtest::SetRootFolder(root_.string());
    }
    std::filesystem::path root_;
    drvtest::ScopedHive hive_{kHive};
};

TEST_F(CoCreate, CreatesARegisteredClassFromItsServerAndAnswersWhyOneCannotBeMade) {
    ISample* sample = nullptr;
    EXPECT_EQ(CoCreateInstance(CLSID_Sample, nullptr, CLSCTX_INPROC_SERVER, IID_ISample, reinterpret_cast<void**>(&sample)),
              CO_E_NOTINITIALIZED);
    ASSERT_EQ(CoInitialize(nullptr), S_OK);
    ASSERT_EQ(CoCreateInstance(CLSID_Sample, nullptr, CLSCTX_INPROC_SERVER, IID_ISample, reinterpret_cast<void**>(&sample)),
              S_OK);
    ASSERT_NE(sample, nullptr);
    EXPECT_EQ(sample->Answer(), 42);
    HMODULE server = GetModuleHandleA("SAMPLE.DLL");
    ASSERT_NE(server, nullptr) << "the server stays loaded while COM is";
    auto live = reinterpret_cast<int (*)()>(reinterpret_cast<void*>(GetProcAddress(server, "StandinLiveObjects")));
    ASSERT_NE(live, nullptr);
    EXPECT_EQ(live(), 1);
    EXPECT_EQ(sample->Release(), 0u);
    EXPECT_EQ(live(), 0);
    CoUninitialize();
    EXPECT_EQ(GetModuleHandleA("SAMPLE.DLL"), nullptr) << "unloaded with COM";

    ASSERT_EQ(CoInitialize(nullptr), S_OK);
    struct Case {
        const char* what;
        CLSID id;
        REFIID iid;
        HRESULT hr;
    };
    const Case cases[] = {
        {"a class nobody registered", CLSID_Missing, IID_IUnknown, REGDB_E_CLASSNOTREG},
        {"a server file that is not there", CLSID_NoFile, IID_IUnknown, CO_E_DLLNOTFOUND},
        {"a server that does not make the class", CLSID_NotAServer, IID_IUnknown, CLASS_E_CLASSNOTAVAILABLE},
        {"an interface the class does not have", CLSID_Sample, IID_IClassFactory, E_NOINTERFACE},
    };
    for (const Case& c : cases) {
        void* out = &root_;
        EXPECT_EQ(CoCreateInstance(c.id, nullptr, CLSCTX_INPROC_SERVER, c.iid, &out), c.hr) << c.what;
        EXPECT_EQ(out, nullptr) << c.what;
    }
    void* out = nullptr;
    IUnknown* outer = reinterpret_cast<IUnknown*>(&root_);
    EXPECT_EQ(CoCreateInstance(CLSID_Sample, outer, CLSCTX_INPROC_SERVER, IID_IUnknown, &out), CLASS_E_NOAGGREGATION);
    EXPECT_EQ(CoCreateInstance(CLSID_Sample, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, nullptr), E_POINTER);
    EXPECT_EQ(GetModuleHandleA("PLAIN.DLL"), nullptr) << "a server that made nothing is not kept";
    CoUninitialize();
}

}  // namespace
