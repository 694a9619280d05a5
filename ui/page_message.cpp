// Sending the page message: a copy of the record goes, so that a receiver that writes into it
// cannot reach the sender's own.
#include "ui/page_message.h"

LRESULT SendPageMessage(HWND window, HWND from, const PageMessageRecord& record) {
    if (!window || !IsWindow(window)) return 0;
    PageMessageRecord copy = record;  // the receiver may write into it
    return SendMessageA(window, kPageMessage, reinterpret_cast<WPARAM>(from), reinterpret_cast<LPARAM>(&copy));
}
