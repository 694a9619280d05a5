// The profile dialogs' icon list: one empty item per icon, the item's index being the icon's
// number, drawn by the dialog as a small picture centred in a cell 45 pixels high (one column:
// the list box of this system has no multi-column form).
#pragma once

#include <windows.h>

#include <cstdint>

inline constexpr int kIconColumnWidth = 35;
inline constexpr int kIconItemHeight = 45;

// Fills the list with `count` items and selects the first.
void FillIconList(HWND list, uint16_t count);
// The selected icon, or -1 without a selection.
int SelectedIcon(HWND dialog, int listId);
// Draws one item: the highlight when selected, the icon, a focus rectangle when focused.
void DrawIconItem(const DRAWITEMSTRUCT& item);
