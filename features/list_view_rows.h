// Rows of text in a report list view, as the feature dialogs fill and read them: titled columns,
// a row of texts with its data, and the selected rows.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

void AddListColumn(HWND list, int index, const std::string& title, int width);
// The new row's index, -1 when the view refused it.
int AddListRow(HWND list, const std::vector<std::string>& texts, LPARAM data);
std::vector<int> SelectedListRows(HWND list);
LPARAM ListRowData(HWND list, int row);
void SelectListRow(HWND list, int row);
