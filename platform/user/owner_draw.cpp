// Owner-draw records sent to a control's parent (see owner_draw.h).
#include "platform/user/owner_draw.h"

#include "platform/user/control_state.h"

namespace user {

UINT MeasureItem(HWND control, UINT type, UINT itemId, ULONG_PTR data, UINT fallback) {
    MEASUREITEMSTRUCT mi{type, ControlId(control), itemId, 0, fallback, data};
    SendMessageA(GetParent(control), WM_MEASUREITEM, ControlId(control), reinterpret_cast<LPARAM>(&mi));
    return mi.itemHeight ? mi.itemHeight : fallback;
}

void DrawItem(HWND control, HDC dc, UINT type, UINT itemId, UINT action, UINT state, const RECT& rect, ULONG_PTR data) {
    DRAWITEMSTRUCT di{type, ControlId(control), itemId, action, state, control, dc, rect, data};
    SendMessageA(GetParent(control), WM_DRAWITEM, ControlId(control), reinterpret_cast<LPARAM>(&di));
}

void DeleteItem(HWND control, UINT type, UINT itemId, ULONG_PTR data) {
    DELETEITEMSTRUCT di{type, ControlId(control), itemId, control, data};
    SendMessageA(GetParent(control), WM_DELETEITEM, ControlId(control), reinterpret_cast<LPARAM>(&di));
}

int CompareItems(HWND control, UINT type, UINT id1, ULONG_PTR data1, UINT id2, ULONG_PTR data2) {
    COMPAREITEMSTRUCT ci{type, ControlId(control), control, id1, data1, id2, data2, 0};
    return static_cast<int>(SendMessageA(GetParent(control), WM_COMPAREITEM, ControlId(control),
                                         reinterpret_cast<LPARAM>(&ci)));
}

}  // namespace user
