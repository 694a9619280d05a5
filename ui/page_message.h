// The page message: the private window message by which pages, previews and message boxes tell
// one another what happened (a preview's click, a message box about to show, a colour-map drag).
#pragma once

#include <windows.h>

inline constexpr UINT kPageMessage = 0xBD0;

// Codes of the record's third word.
enum PageMessageCode : DWORD {
    kPageChanged = 0,     // a preview asks for a change (subcode: the request kind)
    kPageNotice100 = 100,
    kPageMessageBox = 200,  // a message box is about to show (first value: the message id)
    kPageColorMap = 201,    // the colour map (subcodes 1, 2, 39)
};

// Six words; the last one is wide enough for the data pointer some senders put there. The record
// never leaves the process.
struct PageMessageRecord {
    DWORD reserved0;
    DWORD reserved1;
    DWORD code;
    DWORD subCode;  // or the request kind
    DWORD first;
    ULONG_PTR second;  // or a data pointer
};

// Sends the record to the window (nothing without one), with `from` as wParam; answers the
// window's answer.
LRESULT SendPageMessage(HWND window, HWND from, const PageMessageRecord& record);
