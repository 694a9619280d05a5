// Base answers of the list view, scroll and track bar bindings: concrete items do the work.
#include "settings/items/value_views.h"

int CmSvListView::OnItemChanging(UIDEVDATA*, HWND, int32_t, NMLISTVIEW*) { return 0; }
int CmSvListView::OnItemChanged(UIDEVDATA*, HWND, int32_t, NMLISTVIEW*) { return 0; }
int CmSvListView::OnColumnClick(UIDEVDATA*, HWND, int32_t, NMLISTVIEW*) { return 0; }
void CmSvListView::ListViewIdle() {}
int CmSvListView::ListViewState() { return 0; }

int CmSvScroll::OnHScroll(UIDEVDATA*, HWND) { return 0; }
int CmSvScroll::OnVScroll(UIDEVDATA*, HWND) { return 0; }

int CmSvTrackBar::ToDialog(UIDEVDATA*, HWND, int) { return 0; }
int CmSvTrackBar::FromDialog(UIDEVDATA*, HWND, int32_t) { return 0; }
