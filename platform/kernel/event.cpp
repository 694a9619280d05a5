// Events: manual-reset events stay signalled until reset; auto-reset events release one waiter
// and reset themselves. Named events are shared by name within the process.
#include "platform/kernel/waitable.h"

#include <windows.h>

#include <map>
#include <string>

namespace kernel {

namespace {

class Event : public Waitable {
public:
    Event(bool manual, bool signaled) : manual_(manual), signaled_(signaled) {}
    bool Signaled() const override { return signaled_; }
    void Acquire() override {
        if (!manual_) signaled_ = false;
    }
    void Set(bool signaled) { signaled_ = signaled; }

private:
    bool manual_;
    bool signaled_;
};

std::mutex g_namesLock;
std::map<std::string, std::weak_ptr<Event>> g_names;

bool SetState(HANDLE hEvent, bool signaled) {
    auto event = ReferenceHandleAs<Event>(hEvent);
    if (!event) {
        SetLastError(ERROR_INVALID_HANDLE);
        return false;
    }
    std::lock_guard lock(WaitLock());
    event->Set(signaled);
    if (signaled) NotifyWaiters();
    return true;
}

}  // namespace

}  // namespace kernel

extern "C" HANDLE WINAPI CreateEventA(LPSECURITY_ATTRIBUTES /*lpEventAttributes*/, BOOL bManualReset,
                                      BOOL bInitialState, LPCSTR lpName) {
    using namespace kernel;
    try {
        std::shared_ptr<Event> event;
        std::unique_lock names(g_namesLock, std::defer_lock);
        if (lpName && *lpName) {
            names.lock();
            event = g_names[lpName].lock();
            if (event) {
                HANDLE h = InsertHandle(event);
                if (h) SetLastError(ERROR_ALREADY_EXISTS);
                return h;
            }
        }
        event = std::make_shared<Event>(bManualReset != FALSE, bInitialState != FALSE);
        if (names.owns_lock()) g_names[lpName] = event;
        HANDLE h = InsertHandle(event);
        if (h) SetLastError(ERROR_SUCCESS);
        return h;
    } catch (const std::bad_alloc&) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
}

extern "C" BOOL WINAPI SetEvent(HANDLE hEvent) { return kernel::SetState(hEvent, true); }

extern "C" BOOL WINAPI ResetEvent(HANDLE hEvent) { return kernel::SetState(hEvent, false); }
