// The icon list of the profile dialogs (see profile_icon_list.h). The icons have no pictures of
// their own in the resource module: each is drawn as a page whose colour and corner mark follow
// its number, so that neighbouring icons differ.
#include "profiles/dialogs/profile_icon_list.h"

namespace {

constexpr COLORREF kColours[] = {RGB(0, 0, 128),   RGB(0, 128, 0),   RGB(128, 0, 0),   RGB(0, 128, 128),
                                 RGB(128, 0, 128), RGB(128, 128, 0), RGB(0, 0, 255),   RGB(0, 160, 0),
                                 RGB(255, 0, 0),   RGB(0, 160, 160), RGB(160, 0, 160), RGB(160, 120, 0)};
constexpr int kIconSize = 16;

}  // namespace

void FillIconList(HWND list, uint16_t count) {
    if (!list) return;
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    // The cell's height is set here: the list asks its dialog before the dialog's object exists.
    SendMessageA(list, LB_SETITEMHEIGHT, 0, kIconItemHeight);
    for (uint16_t i = 0; i < count; ++i) SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(""));
    SendMessageA(list, LB_SETCURSEL, 0, 0);
}

int SelectedIcon(HWND dialog, int listId) {
    const LRESULT at = SendDlgItemMessageA(dialog, listId, LB_GETCURSEL, 0, 0);
    return at == LB_ERR ? -1 : static_cast<int>(at);
}

void DrawIconItem(const DRAWITEMSTRUCT& item) {
    if (item.itemID == static_cast<UINT>(-1)) return;
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    FillRect(item.hDC, &item.rcItem, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    const int height = item.rcItem.bottom - item.rcItem.top;
    const int x = item.rcItem.left + (item.rcItem.right - item.rcItem.left - kIconSize) / 2;
    const int y = item.rcItem.top + (height > kIconSize ? (height - kIconSize) / 2 : 0);
    RECT page{x + 2, y, x + kIconSize - 2, y + kIconSize};
    HBRUSH fill = CreateSolidBrush(kColours[item.itemID % (sizeof kColours / sizeof kColours[0])]);
    FillRect(item.hDC, &page, fill);
    DeleteObject(fill);
    FrameRect(item.hDC, &page, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    // A white band whose place tells icons of one colour apart.
    const int band = static_cast<int>((item.itemID / 12) % 6);
    RECT mark{page.left + 2, page.top + 2 + band * 2, page.right - 2, page.top + 4 + band * 2};
    FillRect(item.hDC, &mark, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    if (item.itemState & ODS_FOCUS) DrawFocusRect(item.hDC, &item.rcItem);
}
