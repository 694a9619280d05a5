// The base control binding: show and enable state for the control and its companions. Showing
// enables too, so UpdateEnable runs after UpdateShow and its state wins.
#include "settings/controls/control.h"

#include "core/helpers/dialog_helpers.h"
#include "core/memory/pool_text.h"
#include "settings/items/sv.h"

namespace {

template <typename Visit>
void ForEachControl(const CmSvControl& c, int32_t extraId, Visit visit) {
    if (c.controlId) visit(c.controlId);
    if (extraId) visit(extraId);
    for (const int32_t* id = c.companions; id && *id; ++id) visit(*id);
}

// Shows or hides one control of the binding, the window its id names; true when that sent anything.
bool ShowOne(const CmSvControl& c, HWND dialog, int32_t id, HWND window, int onlyChanged) {
    if (!window) return false;
    const bool visible = IsWindowVisible(window) != FALSE;
    if (onlyChanged && visible == (c.shown != 0)) return false;
    ShowDlgItem(dialog, id, c.shown ? TRUE : FALSE);
    return true;
}

}  // namespace

void CmSvControl::UpdateShow(UIDEVDATA*, HWND dialog, int onlyChanged, int32_t extraId) {
    ForEachControl(*this, extraId, [&](int32_t id) { ShowOne(*this, dialog, id, GetDlgItem(dialog, id), onlyChanged); });
}

void CmSvControl::UpdateEnable(UIDEVDATA*, HWND dialog, int, int32_t extraId) {
    ForEachControl(*this, extraId, [&](int32_t id) { EnableDlgItem(dialog, id, enabled ? TRUE : FALSE); });
}

// Each window is asked for once while nothing could have made, destroyed or renumbered a control
// since it was found, that is while no message went out; the rules' redisplay of a page runs this
// for every marked control and its companions.
void CmSvControl::ShowThenEnable(HWND dialog, int onlyChanged, HWND own) {
    constexpr size_t kKept = 16;
    HWND kept[kKept];
    size_t count = 0;
    bool sent = false;
    ForEachControl(*this, 0, [&](int32_t id) {
        HWND window = count == 0 && own && id == controlId ? own : GetDlgItem(dialog, id);
        if (count < kKept) kept[count] = window;
        ++count;
        if (ShowOne(*this, dialog, id, window, onlyChanged)) sent = true;
    });
    size_t at = 0;
    const BOOL enable = enabled ? TRUE : FALSE;
    ForEachControl(*this, 0, [&](int32_t id) {
        HWND window = !sent && at < kKept ? kept[at] : GetDlgItem(dialog, id);
        ++at;
        // EnableWindow answers whether the window was disabled: a change sent WM_ENABLE.
        if (window && (EnableWindow(window, enable) != FALSE) == (enable != FALSE)) sent = true;
    });
}

int CmSvControl::ToDialog(UIDEVDATA*, HWND dialog, int onlyChanged) {
    ShowThenEnable(dialog, onlyChanged, nullptr);
    return 0;
}

int CmSvControl::FromDialog(UIDEVDATA*, HWND, int32_t) { return 0; }
int CmSvControl::DrawItem(UIDEVDATA*, HWND, int32_t, DRAWITEMSTRUCT*) { return 0; }
int CmSvControl::MeasureItem(MEASUREITEMSTRUCT*) { return 0; }
int CmSvControl::OnDeltaPos(UIDEVDATA*, HWND, NMUPDOWN*) { return 0; }

char* CmSvControl::GetKeyText() {
    const auto* item = dynamic_cast<const CmSv*>(this);
    return item ? CopyPoolText(item->key) : nullptr;
}
