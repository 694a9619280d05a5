// Tab control, tooltips and image lists: a person's tab switch with its two notifications, a tip
// that asks its owner for the text as the mouse arrives, and masked images drawn over a background.
#include "parent_window.h"
#include "drvtest/test_window.h"
#include "platform/resources/res_file.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace {

using cctest::g_heard;

TEST(TabControl, ClickAsksThenTellsAndSetCurSelIsSilent) {
    HWND parent = cctest::MakeParent();
    HWND tabs = cctest::MakeChild(parent, WC_TABCONTROLA, 0, 12320, 0, 0, 300, 200);
    for (const char* t : {"Setup", "Finishing", "Quality"}) {
        TCITEMA item{TCIF_TEXT, 0, 0, const_cast<LPSTR>(t), 0, -1, 0};
        SendMessageA(tabs, TCM_INSERTITEMA, 99, reinterpret_cast<LPARAM>(&item));
    }
    EXPECT_EQ(SendMessageA(tabs, TCM_GETITEMCOUNT, 0, 0), 3);
    EXPECT_EQ(SendMessageA(tabs, TCM_GETCURSEL, 0, 0), 0);  // the first tab is current

    RECT second;
    ASSERT_TRUE(SendMessageA(tabs, TCM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&second)));
    g_heard.clear();
    SendMessageA(tabs, WM_LBUTTONDOWN, MK_LBUTTON, cctest::At(second.left + 2, second.top + 2));
    ASSERT_GE(g_heard.size(), 2u);
    EXPECT_EQ(g_heard[0].code, static_cast<UINT>(TCN_SELCHANGING));
    EXPECT_EQ(g_heard[1].code, static_cast<UINT>(TCN_SELCHANGE));
    EXPECT_EQ(SendMessageA(tabs, TCM_GETCURSEL, 0, 0), 1);

    cctest::g_refuse = TCN_SELCHANGING;
    SendMessageA(tabs, WM_KEYDOWN, VK_RIGHT, 0);
    EXPECT_EQ(SendMessageA(tabs, TCM_GETCURSEL, 0, 0), 1);
    g_heard.clear();
    EXPECT_EQ(SendMessageA(tabs, TCM_SETCURSEL, 2, 0), 1);
    EXPECT_TRUE(g_heard.empty());
    EXPECT_EQ(SendMessageA(tabs, TCM_SETCURSEL, 7, 0), -1);

    RECT area{0, 0, 300, 200};
    SendMessageA(tabs, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
    RECT back = area;
    SendMessageA(tabs, TCM_ADJUSTRECT, TRUE, reinterpret_cast<LPARAM>(&back));
    RECT whole{0, 0, 300, 200};
    EXPECT_TRUE(EqualRect(&back, &whole));
    DestroyWindow(parent);
}

std::vector<UINT> g_tipCodes;
LRESULT CALLBACK ToolOwnerProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NOTIFY) {
        auto* h = reinterpret_cast<NMHDR*>(lParam);
        g_tipCodes.push_back(h->code);
        if (h->code == TTN_GETDISPINFOA) {
            auto* di = reinterpret_cast<NMTTDISPINFOA*>(lParam);
            std::snprintf(di->szText, sizeof di->szText, "Tip %u", static_cast<unsigned>(h->idFrom));
        }
        return 0;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

TEST(Tooltip, SubclassedToolsAskTheirOwnerAndRectangleToolsAreFoundByPoint) {
    InitCommonControls();
    HWND owner = drvtest::MakeWindow("TipOwner", ToolOwnerProc, WS_OVERLAPPED | WS_VISIBLE, 300, 200);
    HWND button = CreateWindowExA(0, "TipOwner", "", WS_CHILD | WS_VISIBLE, 10, 10, 40, 20, owner,
                                  reinterpret_cast<HMENU>(10319), nullptr, nullptr);
    HWND tip = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP, 0, 0, 0, 0, owner,
                               nullptr, nullptr, nullptr);
    ASSERT_NE(tip, nullptr);
    TTTOOLINFOA ti{};
    ti.cbSize = sizeof ti;
    ti.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    ti.hwnd = owner;
    ti.uId = reinterpret_cast<UINT_PTR>(button);
    ti.lpszText = LPSTR_TEXTCALLBACKA;
    ASSERT_TRUE(SendMessageA(tip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&ti)));
    EXPECT_EQ(SendMessageA(tip, TTM_GETTOOLCOUNT, 0, 0), 1);

    g_tipCodes.clear();
    SendMessageA(button, WM_MOUSEMOVE, 0, cctest::At(5, 5));
    EXPECT_TRUE(IsWindowVisible(tip));
    char text[32] = "";
    GetWindowTextA(tip, text, sizeof text);
    EXPECT_EQ(std::string(text), "Tip " + std::to_string(reinterpret_cast<UINT_PTR>(button)));
    EXPECT_EQ(g_tipCodes, (std::vector<UINT>{TTN_GETDISPINFOA, TTN_SHOW}));
    EXPECT_TRUE(SendMessageA(tip, TTM_GETCURRENTTOOLA, 0, 0));

    SendMessageA(button, WM_LBUTTONDOWN, MK_LBUTTON, cctest::At(5, 5));  // a click hides the tip
    EXPECT_FALSE(IsWindowVisible(tip));
    EXPECT_EQ(g_tipCodes.back(), static_cast<UINT>(TTN_POP));

    // The tip goes away before the button; the button keeps working.
    DestroyWindow(tip);
    SendMessageA(button, WM_MOUSEMOVE, 0, cctest::At(5, 5));
    DestroyWindow(owner);

    HWND parent = cctest::MakeParent();
    HWND areaTip = CreateWindowExA(0, TOOLTIPS_CLASSA, nullptr, WS_POPUP, 0, 0, 0, 0, parent, nullptr, nullptr, nullptr);
    char words[] = "Staple here";
    TTTOOLINFOA area{};
    area.cbSize = TTTOOLINFOA_V1_SIZE;  // an older caller's record
    area.hwnd = parent;
    area.uId = 7;
    area.rect = RECT{100, 100, 140, 120};
    area.lpszText = words;
    ASSERT_TRUE(SendMessageA(areaTip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&area)));
    MSG m{parent, WM_MOUSEMOVE, 0, cctest::At(110, 110), 0, {}};
    SendMessageA(areaTip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&m));
    EXPECT_TRUE(IsWindowVisible(areaTip));
    m.lParam = cctest::At(10, 10);
    SendMessageA(areaTip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&m));
    EXPECT_FALSE(IsWindowVisible(areaTip));
    char back[80] = "";
    area.lpszText = back;
    SendMessageA(areaTip, TTM_GETTEXTA, sizeof back, reinterpret_cast<LPARAM>(&area));
    EXPECT_STREQ(back, "Staple here");
    SendMessageA(areaTip, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&area));
    EXPECT_EQ(SendMessageA(areaTip, TTM_GETTOOLCOUNT, 0, 0), 0);
    DestroyWindow(parent);
}

TEST(ImageList, MaskedStripsDrawTransparentlyAndLoadFromTheResourceModule) {
    const COLORREF magenta = RGB(255, 0, 255), red = RGB(255, 0, 0), blue = RGB(0, 0, 255), grey = RGB(128, 128, 128);
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP strip = CreateBitmap(4, 2, 1, 32, nullptr);
    HGDIOBJ old = SelectObject(dc, strip);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 4; ++x) SetPixelV(dc, x, y, x < 2 ? red : blue);
    SetPixelV(dc, 0, 0, magenta);
    SelectObject(dc, old);

    HIMAGELIST list = ImageList_Create(2, 2, ILC_COLOR32 | ILC_MASK, 2, 2);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(ImageList_AddMasked(list, strip, magenta), 0);
    EXPECT_EQ(ImageList_GetImageCount(list), 2);
    DeleteObject(strip);  // the list keeps its own copy

    HBITMAP canvas = CreateBitmap(4, 2, 1, 32, nullptr);
    old = SelectObject(dc, canvas);
    for (int x = 0; x < 4; ++x) SetPixelV(dc, x, 0, grey), SetPixelV(dc, x, 1, grey);
    EXPECT_TRUE(ImageList_Draw(list, 0, dc, 0, 0, ILD_TRANSPARENT));
    EXPECT_TRUE(ImageList_Draw(list, 1, dc, 2, 0, ILD_NORMAL));
    EXPECT_EQ(GetPixel(dc, 0, 0), grey);  // the mask colour lets the background through
    EXPECT_EQ(GetPixel(dc, 1, 0), red);
    EXPECT_EQ(GetPixel(dc, 3, 1), blue);
    EXPECT_FALSE(ImageList_Draw(list, 2, dc, 0, 0, ILD_NORMAL));
    SelectObject(dc, old);
    DeleteObject(canvas);
    DeleteDC(dc);

    int cx = 0, cy = 0;
    EXPECT_TRUE(ImageList_GetIconSize(list, &cx, &cy));
    EXPECT_EQ(cx, 2);
    EXPECT_TRUE(ImageList_Remove(list, 0));
    EXPECT_EQ(ImageList_GetImageCount(list), 1);
    EXPECT_TRUE(ImageList_Destroy(list));
    EXPECT_FALSE(ImageList_Destroy(list));  // a stale handle is refused
    EXPECT_EQ(ImageList_GetImageCount(list), 0);

    HMODULE module = res::OpenResourceFile(DRVOPUI_BINARY_DIR "/data/resources/drvopui.res");
    ASSERT_NE(module, nullptr);
    HIMAGELIST halves = ImageList_LoadBitmap(module, MAKEINTRESOURCEA(4483), 8, 0, CLR_NONE);
    ASSERT_NE(halves, nullptr);
    EXPECT_EQ(ImageList_GetImageCount(halves), 2);
    ImageList_GetIconSize(halves, &cx, &cy);
    EXPECT_EQ(cy, 16);
    ImageList_Destroy(halves);
    HIMAGELIST masked = ImageList_LoadImageA(module, MAKEINTRESOURCEA(4483), 16, 0, RGB(255, 0, 255), IMAGE_BITMAP, 0);
    EXPECT_EQ(ImageList_GetImageCount(masked), 1);
    ImageList_Destroy(masked);
    EXPECT_EQ(ImageList_LoadBitmap(module, MAKEINTRESOURCEA(1), 16, 0, CLR_NONE), nullptr);
}

}  // namespace
