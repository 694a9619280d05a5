// The kernel object behind a FindFirstFileA handle: the entries that matched, listed when the
// search began, and how far FindNextFileA has gone.
#pragma once

#include "platform/kernel/handle_table.h"

#include <windows.h>

#include <mutex>
#include <vector>

namespace kernel {

class FileSearch : public KernelObject {
public:
    std::vector<WIN32_FIND_DATAA> entries;
    size_t next = 0;
    std::mutex lock;
};

}  // namespace kernel
