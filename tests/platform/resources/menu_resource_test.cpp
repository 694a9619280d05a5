// Menus from a resource module: the pop-up, its commands and states come through, a grayed
// command cannot be chosen, and a chosen one reaches the owner as WM_COMMAND.
#include <windows.h>

#include "drvtest/scripted_user.h"
#include "drvtest/test_window.h"
#include "platform/resources/res_file.h"
#include "platform/user/menu.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<WPARAM> g_commands;
LRESULT CALLBACK OwnerProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_COMMAND) g_commands.push_back(wParam);
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

TEST(Menus, LoadedMenuKeepsItsItemsAndTrackingChoosesEnabledCommands) {
    HMODULE module = res::OpenResourceFile(DRVOPUI_BINARY_DIR "/tests/platform/resources/test_resources.res");
    ASSERT_NE(module, nullptr);
    HMENU menu = LoadMenuA(module, MAKEINTRESOURCEA(30));
    ASSERT_NE(menu, nullptr);
    HMENU popup = GetSubMenu(menu, 0);
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(GetMenuItemCount(popup), 4);
    EXPECT_EQ(GetMenuItemID(popup, 0), 10460u);
    EXPECT_EQ(GetMenuItemID(menu, 0), static_cast<UINT>(-1));  // a pop-up has no command
    char text[32];
    EXPECT_EQ(GetMenuStringA(menu, 10463, text, sizeof text, MF_BYCOMMAND), 6);
    EXPECT_STREQ(text, "Poster");
    EXPECT_EQ(GetMenuState(popup, 10461, MF_BYCOMMAND) & MF_GRAYED, static_cast<UINT>(MF_GRAYED));
    EXPECT_TRUE(GetMenuState(popup, 2, MF_BYPOSITION) & MF_SEPARATOR);
    EXPECT_EQ(CheckMenuItem(popup, 10463, MF_UNCHECKED), static_cast<DWORD>(MF_CHECKED));
    EXPECT_EQ(EnableMenuItem(popup, 10460, MF_GRAYED), MF_ENABLED);

    HWND owner = drvtest::MakeWindow("MenuTestOwner", OwnerProc, WS_POPUP, 10, 10);
    {
        drvtest::ScriptedUser person;
        person.ChooseMenuCommand(10460);  // grayed just now: closes without a choice
        person.ChooseMenuCommand(10463);
        EXPECT_EQ(TrackPopupMenu(popup, TPM_RETURNCMD, 0, 0, 0, owner, nullptr), 0);
        EXPECT_TRUE(TrackPopupMenu(popup, TPM_RIGHTBUTTON, 0, 0, 0, owner, nullptr));
        EXPECT_TRUE(TrackPopupMenu(popup, TPM_RIGHTBUTTON, 0, 0, 0, owner, nullptr));  // nobody chooses
    }
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    EXPECT_EQ(g_commands, std::vector<WPARAM>{10463});
    EXPECT_TRUE(DestroyMenu(menu));
    EXPECT_FALSE(DestroyMenu(popup));  // went with its parent menu
    DestroyWindow(owner);

    // Every truncation of the template is refused.
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(30), RT_MENU);
    auto* bytes = static_cast<const uint8_t*>(LockResource(LoadResource(module, found)));
    DWORD size = SizeofResource(module, found);
    for (DWORD n = 0; n < size; ++n) EXPECT_EQ(user::MenuFromTemplate(bytes, n), nullptr) << n;
    res::CloseResourceFile(module);
}

}  // namespace
