// Modules: a stand-in shared object is loaded by its Windows name from the system folder, in
// any case, with or without ".DLL"; loads are counted; data-file loads keep the file's bytes.
#include "kernel_root.h"

#include "platform/kernel/module_table.h"

#include <cstring>
#include <iterator>

namespace {
// Entry points are cast through the generic function type, as callers of GetProcAddress do.
template <class F>
F Entry(HMODULE h, const char* name) {
    return reinterpret_cast<F>(reinterpret_cast<void (*)()>(GetProcAddress(h, name)));
}
}  // namespace

class Modules : public KernelRoot {
protected:
    void SetUp() override {
        KernelRoot::SetUp();
        std::filesystem::copy_file(STANDIN_LIBRARY, root_ / "WINDOWS" / "SYSTEM" / "Zdsvc2.dll");
        WriteHost("WINDOWS/SYSTEM/Text.dll", "not a library");
    }
};

TEST_F(Modules, StandInLoadsByItsWindowsNameAndIsCounted) {
    HMODULE h = LoadLibraryA("ZDSVC2.DLL");
    ASSERT_NE(h, nullptr);
    auto entry = Entry<int (*)(int)>(h, "ZDSV_GetInterface");
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry(0x300), 0x301);
    auto attached = Entry<int (*)()>(h, "StandInAttachCount");
    EXPECT_EQ(attached(), 1);  // DllMain ran once

    EXPECT_EQ(LoadLibraryA("zdsvc2"), h);
    EXPECT_EQ(LoadLibraryA("c:/windows/system/zdsvc2.dll"), h);
    EXPECT_EQ(attached(), 1);
    EXPECT_EQ(GetModuleHandleA("Zdsvc2"), h);
    char name[MAX_PATH];
    EXPECT_EQ(GetModuleFileNameA(h, name, MAX_PATH), 28u);
    EXPECT_STREQ(name, "C:\\WINDOWS\\SYSTEM\\ZDSVC2.DLL");
    EXPECT_EQ(GetModuleFileNameA(h, name, 10), 10u);  // cut, and still NUL-terminated
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
    EXPECT_STREQ(name, "C:\\WINDOW");

    SetLastError(0);
    EXPECT_EQ(GetProcAddress(h, "NoSuchEntry"), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PROC_NOT_FOUND));
    for (int i = 0; i < 3; ++i) EXPECT_TRUE(FreeLibrary(h));
    EXPECT_EQ(GetModuleHandleA("ZDSVC2.DLL"), nullptr);
    EXPECT_FALSE(FreeLibrary(h));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
}

TEST_F(Modules, TheCurrentFolderIsSearchedFirstAndFailuresAreTold) {
    ASSERT_TRUE(CreateDirectoryA("C:\\PRINTER", nullptr));
    ASSERT_TRUE(CopyFileA("C:\\WINDOWS\\SYSTEM\\ZDSVC2.DLL", "C:\\PRINTER\\zdsvc.dll", TRUE));
    ASSERT_TRUE(SetCurrentDirectoryA("C:\\PRINTER"));
    HMODULE h = LoadLibraryA("ZDSVC.DLL");
    ASSERT_NE(h, nullptr);
    char name[MAX_PATH];
    GetModuleFileNameA(h, name, MAX_PATH);
    EXPECT_STREQ(name, "C:\\PRINTER\\ZDSVC.DLL");
    EXPECT_TRUE(FreeLibrary(h));
    struct Case { const char* name; DWORD error; };
    for (auto c : {Case{"ZDSVC3.DLL", ERROR_MOD_NOT_FOUND}, Case{"C:\\NOWHERE\\ZDSVC2.DLL", ERROR_MOD_NOT_FOUND},
                   Case{"TEXT.DLL", ERROR_BAD_EXE_FORMAT}, Case{"", ERROR_INVALID_PARAMETER}}) {
        SetLastError(0);
        EXPECT_EQ(LoadLibraryA(c.name), nullptr) << c.name;
        EXPECT_EQ(GetLastError(), c.error) << c.name;
    }
}

TEST_F(Modules, DataFileModulesHoldTheFileForTheResourceLoader) {
    HMODULE h = LoadLibraryExA("text.dll", nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(h, nullptr);
    auto record = kernel::FindModule(h);
    ASSERT_NE(record, nullptr);
    EXPECT_TRUE(record->dataFile);
    EXPECT_EQ(std::string(record->image.begin(), record->image.end()), "not a library");
    EXPECT_EQ(GetProcAddress(h, "ZDSV_GetInterface"), nullptr);
    EXPECT_EQ(GetModuleHandleA("TEXT.DLL"), nullptr);  // a data file is no loaded library
    EXPECT_TRUE(FreeLibrary(h));
    EXPECT_EQ(kernel::FindModule(h), nullptr);
    // A compiled resource file loaded as a library is a module of resources only.
    const std::string emptyEntry("\0\0\0\0\x20\0\0\0\xFF\xFF\0\0\xFF\xFF\0\0", 16);
    WriteHost("WINDOWS/SYSTEM/Res.dll", emptyEntry + std::string(16, '\0'));
    HMODULE res = LoadLibraryA("RES");
    ASSERT_NE(res, nullptr);
    EXPECT_TRUE(kernel::FindModule(res)->dataFile);
    EXPECT_EQ(kernel::FindModule(res)->image.size(), 32u);
    EXPECT_EQ(GetModuleHandleA("res.dll"), res);
    EXPECT_EQ(LoadLibraryA("res.dll"), res);
    EXPECT_EQ(GetProcAddress(res, "Anything"), nullptr);
    EXPECT_TRUE(FreeLibrary(res));
    EXPECT_TRUE(FreeLibrary(res));
    HMODULE self = GetModuleHandleA(nullptr);
    EXPECT_EQ(kernel::FindModule(nullptr).get(), reinterpret_cast<kernel::ModuleRecord*>(self));
}

// A library cut short, or one whose headers send the loader past its end, is refused as a damaged
// DLL is, and the process goes on.
TEST_F(Modules, ADamagedLibraryIsRefusedAsABadImage) {
    std::ifstream in(STANDIN_LIBRARY, std::ios::binary);
    const std::string whole((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_GT(whole.size(), 4096u);
    auto patched = [&](size_t offset, const std::string& bytes) {
        std::string image = whole;
        image.replace(offset, bytes.size(), bytes);
        return image;
    };
    const std::string far(8, '\xff');
    struct Case {
        const char* what;
        std::string image;
    };
    for (const auto& c : {Case{"the first 4 KiB", whole.substr(0, 4096)},
                          Case{"the header alone", whole.substr(0, 64)},
                          Case{"the magic alone", whole.substr(0, 4)},
                          Case{"program headers past the end", patched(32, far)},
                          Case{"a 32-bit image", patched(4, std::string(1, '\x01'))},
                          Case{"a segment past the end", patched(64 + 8, far)}}) {
        WriteHost("WINDOWS/SYSTEM/Cut.dll", c.image);
        SetLastError(0);
        EXPECT_EQ(LoadLibraryA("CUT.DLL"), nullptr) << c.what;
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_BAD_EXE_FORMAT)) << c.what;
    }
    WriteHost("WINDOWS/SYSTEM/Cut.dll", whole);
    HMODULE h = LoadLibraryA("CUT.DLL");
    EXPECT_NE(h, nullptr);
    EXPECT_TRUE(FreeLibrary(h));
}

// ADVAPI32 is the platform's own: found by name without a file, in the system folder only, and
// before any file of that name, so a planted library cannot answer for its functions.
TEST_F(Modules, TheSystemsCryptographicLibraryLoadsByNameAndCannotBeReplaced) {
    WriteHost("ADVAPI32.DLL", "planted");
    std::filesystem::copy_file(STANDIN_LIBRARY, root_ / "WINDOWS" / "SYSTEM" / "ADVAPI32.DLL");
    ASSERT_TRUE(SetCurrentDirectoryA("C:\\"));
    HMODULE h = LoadLibraryA("advapi32");
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(LoadLibraryA("C:\\WINDOWS\\SYSTEM\\ADVAPI32.DLL"), h);
    EXPECT_EQ(GetModuleHandleA("ADVAPI32.DLL"), h);
    EXPECT_EQ(GetProcAddress(h, "ZDSV_GetInterface"), nullptr) << "the planted file's entry";
    for (const char* name : {"CryptAcquireContextA", "CryptReleaseContext", "CryptImportKey", "CryptDestroyKey",
                             "CryptCreateHash", "CryptHashData", "CryptDestroyHash", "CryptVerifySignatureA"})
        EXPECT_NE(GetProcAddress(h, name), nullptr) << name;
    EXPECT_EQ(GetProcAddress(h, "cryptimportkey"), nullptr) << "entries are named exactly";
    EXPECT_EQ(GetProcAddress(h, MAKEINTRESOURCEA(1)), nullptr);
    EXPECT_EQ(LoadLibraryA("C:\\ADVAPI32.DLL"), nullptr) << "a file outside the system folder is that file, here no library";
    EXPECT_TRUE(FreeLibrary(h));
    EXPECT_TRUE(FreeLibrary(h));
    EXPECT_EQ(GetModuleHandleA("ADVAPI32"), nullptr);
}
