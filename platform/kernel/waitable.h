// Objects a thread can wait for (events, threads). One process-wide lock and condition guard
// every signal state, so that waiting for several objects at once sees them all consistently
// and takes all of them, or none, in one step.
#pragma once

#include "platform/kernel/handle_table.h"

#include <condition_variable>
#include <mutex>

namespace kernel {

class Waitable : public KernelObject {
public:
    // Both are called with WaitLock() held.
    virtual bool Signaled() const = 0;
    // The wait that was satisfied takes the object: an auto-reset event resets here.
    virtual void Acquire() {}
};

std::mutex& WaitLock();
// Call with WaitLock() held after a signal state has changed.
void NotifyWaiters();

}  // namespace kernel
