// Test-only: replaces the 10 ms pause between tries of a spooler call that the core retries on
// error 87, so that a test of a thousand tries runs at once and can count the pauses.
#pragma once

#include <windows.h>

// The pause gets the milliseconds it stands for; null brings back the real Sleep.
void ReplaceSpoolerRetryPause(void (*pause)(DWORD milliseconds)) noexcept;

namespace drvtest {
// Counts the pauses instead of sleeping, for the life of the object.
class CountedSpoolerPauses {
public:
    CountedSpoolerPauses() {
        count_ = 0;
        milliseconds_ = 0;
        ReplaceSpoolerRetryPause([](DWORD ms) {
            ++count_;
            milliseconds_ += ms;
        });
    }
    ~CountedSpoolerPauses() { ReplaceSpoolerRetryPause(nullptr); }
    CountedSpoolerPauses(const CountedSpoolerPauses&) = delete;
    CountedSpoolerPauses& operator=(const CountedSpoolerPauses&) = delete;

    unsigned Count() const { return count_; }
    // The time the pauses would have slept.
    unsigned long Milliseconds() const { return milliseconds_; }

private:
    static inline unsigned count_ = 0;
    static inline unsigned long milliseconds_ = 0;
};
}  // namespace drvtest
