// WaitForSingleObject and WaitForMultipleObjects over the signal states of waitable objects.
// A waiter sleeps on one condition shared by all objects and re-checks its objects on each
// wake-up; the library waits on few objects at a time, so the shared condition costs nothing.
#include "platform/kernel/waitable.h"

#include <windows.h>

#include <chrono>
#include <vector>

namespace kernel {

namespace {
std::condition_variable g_changed;
}

std::mutex& WaitLock() {
    static std::mutex lock;
    return lock;
}

void NotifyWaiters() { g_changed.notify_all(); }

namespace {

// The index of the satisfied wait, or -1. Takes the objects it satisfies.
int TryAcquire(const std::vector<std::shared_ptr<Waitable>>& objects, bool waitAll) {
    if (waitAll) {
        for (const auto& o : objects)
            if (!o->Signaled()) return -1;
        for (const auto& o : objects) o->Acquire();
        return 0;
    }
    for (size_t i = 0; i < objects.size(); ++i) {
        if (objects[i]->Signaled()) {
            objects[i]->Acquire();
            return static_cast<int>(i);
        }
    }
    return -1;
}

}  // namespace

}  // namespace kernel

extern "C" DWORD WINAPI WaitForMultipleObjects(DWORD nCount, const HANDLE* lpHandles, BOOL bWaitAll,
                                               DWORD dwMilliseconds) {
    using namespace kernel;
    if (nCount == 0 || nCount > MAXIMUM_WAIT_OBJECTS || !lpHandles) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return WAIT_FAILED;
    }
    std::vector<std::shared_ptr<Waitable>> objects;
    for (DWORD i = 0; i < nCount; ++i) {
        auto o = ReferenceHandleAs<Waitable>(lpHandles[i]);
        if (!o) {
            SetLastError(ERROR_INVALID_HANDLE);
            return WAIT_FAILED;
        }
        // Waiting for all of a list that names one object twice could never be satisfied
        // consistently for an auto-reset event; the original refuses it.
        for (const auto& seen : objects) {
            if (bWaitAll && seen == o) {
                SetLastError(ERROR_INVALID_PARAMETER);
                return WAIT_FAILED;
            }
        }
        objects.push_back(std::move(o));
    }
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(dwMilliseconds);
    std::unique_lock lock(WaitLock());
    for (;;) {
        int index = TryAcquire(objects, bWaitAll);
        if (index >= 0) return WAIT_OBJECT_0 + static_cast<DWORD>(index);
        if (dwMilliseconds == 0) return WAIT_TIMEOUT;
        if (dwMilliseconds == INFINITE) {
            g_changed.wait(lock);
        } else if (g_changed.wait_until(lock, deadline) == std::cv_status::timeout) {
            index = TryAcquire(objects, bWaitAll);
            return index >= 0 ? WAIT_OBJECT_0 + static_cast<DWORD>(index) : WAIT_TIMEOUT;
        }
    }
}

extern "C" DWORD WINAPI WaitForSingleObject(HANDLE hHandle, DWORD dwMilliseconds) {
    return WaitForMultipleObjects(1, &hHandle, FALSE, dwMilliseconds);
}
