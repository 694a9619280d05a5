// Test-only: what WinHelpA was asked to show, since there is no help viewer to look at.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace drvtest {

struct HelpRequest {
    HWND window = nullptr;
    std::string file;
    UINT command = 0;
    ULONG_PTR data = 0;
    std::string key;         // the keyword of HELP_KEY, HELP_PARTIALKEY and HELP_COMMAND
    std::vector<DWORD> ids;  // the (control id, context id) pairs of HELP_WM_HELP and HELP_CONTEXTMENU
};

// Every request since the last ForgetHelpRequests, oldest first.
std::vector<HelpRequest> HelpRequests();
void ForgetHelpRequests();

}  // namespace drvtest
