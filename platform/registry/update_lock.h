// The registry's lock held across calls, for a caller that reads a value, merges its own change
// into what it read and writes the result back: while it is held, no other process changes the
// hive and no other thread of this process touches the registry, so nothing stored in between
// is lost. The system's registry functions offer no such span; the driver's stored blocks need it.
#pragma once

#include <windows.h>

namespace registry {

class HiveFiles;

class UpdateLock {
public:
    // Waits for the lock. Calls of this thread made while it is held see everything the other
    // processes stored before; Status() says whether changes may be made (see RegSetValueExA's
    // answers: ERROR_SUCCESS, ERROR_ACCESS_DENIED, ERROR_REGISTRY_CORRUPT, ERROR_CANTWRITE).
    UpdateLock();
    ~UpdateLock();
    UpdateLock(const UpdateLock&) = delete;
    UpdateLock& operator=(const UpdateLock&) = delete;

    LONG Status() const { return status_; }

private:
    LONG status_ = ERROR_SUCCESS;
    HiveFiles* files_ = nullptr;  // the files whose lock is held; null: memory only
};

}  // namespace registry
