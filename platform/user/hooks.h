// The thread's hook chains, as the message functions and the modal loops call them.
#pragma once

#include <windows.h>

namespace user {

// Calls the newest hook of the chain with (code, wParam, lParam); false when the chain is empty.
// The answer is the hook's answer.
bool CallHooks(int idHook, int code, WPARAM wParam, LPARAM lParam, LRESULT& answer);

// A message of a modal loop (dialog box, message box) passed through WH_MSGFILTER first;
// true when a hook handled it.
bool FilterModalMessage(MSG& msg, int source);

}  // namespace user
