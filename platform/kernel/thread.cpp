// Threads, as far as a library's callback thread needs them: CreateThread starts a host thread
// whose handle is signalled when it ends, GetExitCodeThread reads its exit code, and every
// thread has a small id of its own.
#include "platform/kernel/waitable.h"

#include <windows.h>

#include <atomic>
#include <system_error>
#include <thread>

namespace kernel {

namespace {

std::atomic<DWORD> g_nextThreadId{0x100};
thread_local DWORD t_threadId = 0;

DWORD NewThreadId() { return g_nextThreadId.fetch_add(4); }

class Thread : public Waitable {
public:
    bool Signaled() const override { return finished; }
    bool finished = false;   // guarded by WaitLock()
    DWORD exitCode = STILL_ACTIVE;
};

}  // namespace

}  // namespace kernel

extern "C" DWORD WINAPI GetCurrentThreadId(void) {
    if (kernel::t_threadId == 0) kernel::t_threadId = kernel::NewThreadId();
    return kernel::t_threadId;
}

extern "C" HANDLE WINAPI CreateThread(LPSECURITY_ATTRIBUTES /*lpThreadAttributes*/, SIZE_T /*dwStackSize*/,
                                      LPTHREAD_START_ROUTINE lpStartAddress, LPVOID lpParameter,
                                      DWORD dwCreationFlags, LPDWORD lpThreadId) {
    using namespace kernel;
    if (!lpStartAddress) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    // A suspended start has no caller in this library; refusing it beats running too early.
    if (dwCreationFlags & CREATE_SUSPENDED) {
        SetLastError(ERROR_NOT_SUPPORTED);
        return nullptr;
    }
    try {
        auto thread = std::make_shared<Thread>();
        HANDLE h = InsertHandle(thread);
        if (!h) return nullptr;
        DWORD id = NewThreadId();
        std::thread([thread, id, lpStartAddress, lpParameter] {
            t_threadId = id;
            DWORD code = lpStartAddress(lpParameter);
            std::lock_guard lock(WaitLock());
            thread->exitCode = code;
            thread->finished = true;
            NotifyWaiters();
        }).detach();
        if (lpThreadId) *lpThreadId = id;
        return h;
    } catch (const std::system_error&) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    } catch (const std::bad_alloc&) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    }
    return nullptr;
}

extern "C" BOOL WINAPI GetExitCodeThread(HANDLE hThread, LPDWORD lpExitCode) {
    auto thread = kernel::ReferenceHandleAs<kernel::Thread>(hThread);
    if (!thread || !lpExitCode) {
        SetLastError(thread ? ERROR_INVALID_PARAMETER : ERROR_INVALID_HANDLE);
        return FALSE;
    }
    std::lock_guard lock(kernel::WaitLock());
    *lpExitCode = thread->exitCode;
    return TRUE;
}
