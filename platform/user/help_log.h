// What WinHelpA was asked for. There is no help viewer on this machine: each request is kept, with
// the data it points to copied, so that a test or the host program can see what would be shown.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace user {

struct HelpRecord {
    HWND window = nullptr;
    std::string file;
    UINT command = 0;
    ULONG_PTR data = 0;
    std::string key;         // HELP_KEY, HELP_PARTIALKEY, HELP_COMMAND
    std::vector<DWORD> ids;  // HELP_WM_HELP, HELP_CONTEXTMENU: (control id, context id) pairs
};

// The requests since the last ClearHelpLog, oldest first.
std::vector<HelpRecord> HelpLog();
void ClearHelpLog();

// Keeps one request; WinHelpA's body.
BOOL Record(HWND window, LPCSTR file, UINT command, ULONG_PTR data);

}  // namespace user
