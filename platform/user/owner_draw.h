// The owner-draw conversation of a control with its parent: WM_MEASUREITEM, WM_DRAWITEM,
// WM_DELETEITEM and WM_COMPAREITEM records filled the same way by every control.
#pragma once

#include <windows.h>

namespace user {

// Asks the parent for the height of an entry; the fallback stands when the parent does not say.
UINT MeasureItem(HWND control, UINT type, UINT itemId, ULONG_PTR data, UINT fallback);
void DrawItem(HWND control, HDC dc, UINT type, UINT itemId, UINT action, UINT state, const RECT& rect, ULONG_PTR data);
void DeleteItem(HWND control, UINT type, UINT itemId, ULONG_PTR data);
// Negative, zero or positive as the parent orders the two entries.
int CompareItems(HWND control, UINT type, UINT id1, ULONG_PTR data1, UINT id2, ULONG_PTR data2);

}  // namespace user
