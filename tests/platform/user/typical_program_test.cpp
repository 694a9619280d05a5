// The resource script of an ordinary Win32 program, compiled against our headers unchanged: its
// dialogs (one with scroll bars) create, its menu, accelerators, strings in two languages, version
// resource and manifest are where the script put them.
#include <windows.h>
#include <dlgs.h>

#include "platform/resources/res_file.h"
#include "typical_program_ids.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>

namespace {

INT_PTR CALLBACK PlainProc(HWND, UINT msg, WPARAM, LPARAM) { return msg == WM_INITDIALOG; }

class TypicalProgram : public ::testing::Test {
protected:
    void SetUp() override {
        module = res::OpenResourceFile(DRVOPUI_BINARY_DIR "/tests/platform/user/typical_program.res");
        ASSERT_NE(module, nullptr);
    }
    void TearDown() override { res::CloseResourceFile(module); }
    const uint8_t* bytes(LPCSTR name, LPCSTR type, DWORD* size) {
        HRSRC found = FindResourceA(module, name, type);
        *size = found ? SizeofResource(module, found) : 0;
        return found ? static_cast<const uint8_t*>(LockResource(LoadResource(module, found))) : nullptr;
    }
    HMODULE module = nullptr;
};

uint16_t u16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }
uint32_t u32(const uint8_t* p) { return u16(p) | static_cast<uint32_t>(u16(p + 2)) << 16; }

TEST_F(TypicalProgram, EveryResourceIsAsWritten) {
    HWND options = CreateDialogParamA(module, MAKEINTRESOURCEA(IDD_OPTIONS), nullptr, PlainProc, 0);
    ASSERT_NE(options, nullptr) << GetLastError();
    HWND zoom = GetDlgItem(options, IDC_ZOOM), pan = GetDlgItem(options, IDC_PAN);
    char name[32] = "";
    GetClassNameA(zoom, name, sizeof name);
    EXPECT_STREQ(name, "ScrollBar");
    EXPECT_EQ(GetWindowLongA(pan, GWL_STYLE) & SBS_VERT, SBS_VERT);
    EXPECT_EQ(SendMessageA(zoom, SBM_SETPOS, 30, TRUE), 0);
    EXPECT_EQ(SendMessageA(zoom, SBM_GETPOS, 0, 0), 30);
    EXPECT_EQ(GetWindowLongA(GetDlgItem(options, IDC_NAME), GWL_EXSTYLE) & WS_EX_LAYOUTRTL, WS_EX_LAYOUTRTL);
    DestroyWindow(options);

    HWND about = CreateDialogParamA(module, MAKEINTRESOURCEA(IDD_ABOUT), nullptr, PlainProc, 0);
    EXPECT_NE(about, nullptr);
    DestroyWindow(about);
    HWND host = CreateDialogParamA(module, MAKEINTRESOURCEA(IDD_ABOUT), nullptr, PlainProc, 0);
    HWND hook = CreateDialogParamA(module, MAKEINTRESOURCEA(IDD_OPENHOOK), host, PlainProc, 0);
    ASSERT_NE(hook, nullptr);
    for (int id : {stc32, chx1, stc2, cmb1, pshHelp}) EXPECT_NE(GetDlgItem(hook, id), nullptr) << id;
    EXPECT_EQ(pshHelp, 0x040e);
    DestroyWindow(host);
    EXPECT_NE(FindResourceA(module, MAKEINTRESOURCEA(IDD_BROWSER), RT_DIALOG), nullptr);

    HMENU menu = LoadMenuA(module, MAKEINTRESOURCEA(IDR_MAINMENU));
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(GetMenuItemCount(menu), 3);
    EXPECT_EQ(GetMenuItemID(GetSubMenu(menu, 0), 3), static_cast<UINT>(IDM_EXIT));
    DestroyMenu(menu);

    // Accelerator entries: flags, key, command, padding; the last entry flagged 0x80.
    DWORD size = 0;
    const uint8_t* table = bytes(MAKEINTRESOURCEA(IDR_ACCELERATORS), RT_ACCELERATOR, &size);
    ASSERT_EQ(size, 10u * 8);
    struct Key { WORD key; WORD command; };
    const Key keys[] = {{'O', IDM_OPEN},           {'S', IDM_SAVE},          {VK_ADD, IDM_ZOOMIN},
                        {VK_OEM_PLUS, IDM_ZOOMIN}, {VK_SUBTRACT, IDM_ZOOMOUT}, {VK_OEM_MINUS, IDM_ZOOMOUT},
                        {VK_F1, IDM_HELP},         {VK_DELETE, IDM_DELETE},  {VK_F12, IDM_SAVE},
                        {VK_NUMPAD0, IDM_OPEN}};
    for (size_t i = 0; i < 10; ++i) {
        EXPECT_EQ(u16(table + i * 8 + 2), keys[i].key) << i;
        EXPECT_EQ(u16(table + i * 8 + 4), keys[i].command) << i;
    }
    EXPECT_EQ(u16(table) & 0x01, 0x01);  // FVIRTKEY
    EXPECT_EQ(u16(table + 9 * 8) & 0x80, 0x80);

    char text[32];
    ASSERT_GT(LoadStringA(module, IDS_APPNAME, text, sizeof text), 0);
    EXPECT_STREQ(text, "Sample");
    std::set<uint16_t> stringLanguages;
    for (const auto& e : res::TableOf(module)->entries())
        if (e.type.isNumber() && e.type.number == 6) stringLanguages.insert(e.language);
    EXPECT_EQ(stringLanguages, (std::set<uint16_t>{MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US),
                                                   MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN)}));
    EXPECT_EQ(MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN), 0x0407);

    // The version resource's fixed part follows its key "VS_VERSION_INFO" at a four-byte boundary.
    const uint8_t* version = bytes(MAKEINTRESOURCEA(VS_VERSION_INFO), RT_VERSION, &size);
    ASSERT_GE(size, 40u + sizeof(VS_FIXEDFILEINFO));
    const uint8_t* fixed = version + 40;
    EXPECT_EQ(u32(fixed), static_cast<uint32_t>(VS_FFI_SIGNATURE));
    EXPECT_EQ(u32(fixed + 8), 0x00010002u);  // 1.2
    EXPECT_EQ(u32(fixed + 12), 0x00030004u);  // 3.4
    EXPECT_EQ(u32(fixed + 24), static_cast<uint32_t>(VS_FFI_FILEFLAGSMASK));
    EXPECT_EQ(u32(fixed + 28), static_cast<uint32_t>(VS_FF_PRERELEASE));
    EXPECT_EQ(u32(fixed + 32), static_cast<uint32_t>(VOS_NT_WINDOWS32));
    EXPECT_EQ(u32(fixed + 36), static_cast<uint32_t>(VFT_DRV));
    EXPECT_EQ(u32(fixed + 40), static_cast<uint32_t>(VFT2_DRV_PRINTER));

    const uint8_t* manifest = bytes(MAKEINTRESOURCEA(CREATEPROCESS_MANIFEST_RESOURCE_ID), RT_MANIFEST, &size);
    ASSERT_NE(manifest, nullptr);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(manifest), 5), "<?xml");
}

}  // namespace
