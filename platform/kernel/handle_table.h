// The process's table of kernel handles: events, threads, files and file searches all live
// here, so that CloseHandle and the wait functions can tell them apart and refuse stale handles.
#pragma once

#include <windef.h>

#include <memory>

namespace kernel {

class KernelObject {
public:
    virtual ~KernelObject() = default;
};

// A new handle for the object; null with ERROR_NOT_ENOUGH_MEMORY when the table cannot grow.
HANDLE InsertHandle(std::shared_ptr<KernelObject> object);

// The object behind a handle, kept alive while the caller uses it; null for an unknown handle.
std::shared_ptr<KernelObject> ReferenceHandle(HANDLE handle);

template <class T>
std::shared_ptr<T> ReferenceHandleAs(HANDLE handle) {
    return std::dynamic_pointer_cast<T>(ReferenceHandle(handle));
}

// Takes the handle out of the table; the object goes when its last user lets it go.
std::shared_ptr<KernelObject> RemoveHandle(HANDLE handle);

}  // namespace kernel
