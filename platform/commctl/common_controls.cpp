// InitCommonControls and InitCommonControlsEx: register the common control classes as classes of
// the system, usable by every module and by dialog templates. As on the original, a module calls
// one of them before it creates such a control; the property sheet calls it for itself.
#include "platform/commctl/common_control.h"

namespace {

struct ControlClass {
    DWORD group;  // the ICC_ flag that asks for it
    const char* name;
    WNDPROC proc;
    UINT style;
};

const ControlClass kControlClasses[] = {
    {ICC_UPDOWN_CLASS, UPDOWN_CLASSA, commctl::UpDownWindowProc, 0},
    {ICC_BAR_CLASSES, TRACKBAR_CLASSA, commctl::TrackBarWindowProc, 0},
    {ICC_BAR_CLASSES | ICC_TAB_CLASSES, TOOLTIPS_CLASSA, commctl::TooltipWindowProc, CS_SAVEBITS},
    {ICC_LISTVIEW_CLASSES, WC_LISTVIEWA, commctl::ListViewWindowProc, CS_DBLCLKS},
    {ICC_TAB_CLASSES, WC_TABCONTROLA, commctl::TabControlWindowProc, CS_DBLCLKS},
    {ICC_PROGRESS_CLASS, PROGRESS_CLASSA, commctl::ProgressWindowProc, 0},
};

}  // namespace

extern "C" BOOL WINAPI InitCommonControlsEx(const INITCOMMONCONTROLSEX* init) {
    if (!init || init->dwSize != sizeof(INITCOMMONCONTROLSEX)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    DWORD error = GetLastError();
    for (const auto& c : kControlClasses) {
        if (!(init->dwICC & c.group)) continue;
        WNDCLASSA wc{};
        wc.style = c.style | CS_GLOBALCLASS;
        wc.lpfnWndProc = c.proc;
        wc.cbWndExtra = sizeof(void*);
        wc.lpszClassName = c.name;
        RegisterClassA(&wc);  // already registered: nothing to do
    }
    SetLastError(error);
    return TRUE;
}

extern "C" void WINAPI InitCommonControls(void) {
    INITCOMMONCONTROLSEX init{sizeof(INITCOMMONCONTROLSEX), ICC_WIN95_CLASSES};
    InitCommonControlsEx(&init);
}
