// WinHelpA: records the request (see help_log.h). The data word means different things per
// command, so what it points to is copied while the caller's memory is still valid.
#include "platform/user/help_log.h"

#include <mutex>

namespace user {
namespace {

struct Log {
    std::mutex lock;
    std::vector<HelpRecord> records;
};

Log& log() {
    static Log* l = new Log;
    return *l;
}

// A (control id, context id) table ends at a control id of 0; a table without its end is cut
// here rather than read on.
constexpr size_t kMaxHelpPairs = 1024;

}  // namespace

std::vector<HelpRecord> HelpLog() {
    std::lock_guard<std::mutex> guard(log().lock);
    return log().records;
}

void ClearHelpLog() {
    std::lock_guard<std::mutex> guard(log().lock);
    log().records.clear();
}

}  // namespace user

extern "C" BOOL WINAPI WinHelpA(HWND window, LPCSTR file, UINT command, ULONG_PTR data) {
    if (command != HELP_QUIT && (!file || !*file)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    try {
        return user::Record(window, file, command, data);
    } catch (...) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return FALSE;
    }
}

namespace user {

BOOL Record(HWND window, LPCSTR file, UINT command, ULONG_PTR data) {
    HelpRecord r;
    r.window = window;
    r.file = file ? file : "";
    r.command = command;
    r.data = data;
    switch (command) {
    case HELP_KEY:
    case HELP_PARTIALKEY:
    case HELP_COMMAND:
        if (data) r.key = reinterpret_cast<LPCSTR>(data);
        break;
    case HELP_WM_HELP:
    case HELP_CONTEXTMENU:
        for (auto* p = reinterpret_cast<const DWORD*>(data); p && p[0] && r.ids.size() < 2 * kMaxHelpPairs; p += 2) {
            r.ids.push_back(p[0]);
            r.ids.push_back(p[1]);
        }
        break;
    default:
        break;
    }
    std::lock_guard<std::mutex> guard(log().lock);
    log().records.push_back(std::move(r));
    return TRUE;
}

}  // namespace user
