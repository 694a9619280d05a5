// The files that handles hold open, with the access and sharing each open asked for: a new open,
// a delete or a move is refused with ERROR_SHARING_VIOLATION when an earlier open does not share
// what it needs, and a file opened with FILE_FLAG_DELETE_ON_CLOSE goes when its last handle closes.
#pragma once

#include <windef.h>

#include <string>
#include <sys/stat.h>

namespace kernel {

// Registers one open of the file st describes; false with ERROR_SHARING_VIOLATION when it
// conflicts with an open already registered. The ticket identifies the open for ReleaseShare.
bool AcquireShare(const struct stat& st, const std::string& hostPath, DWORD access, DWORD share,
                  bool deleteOnClose, uint64_t& ticket);
void ReleaseShare(uint64_t ticket);

// True when the file is not open, or every open of it shares deletion.
bool DeleteAllowed(const struct stat& st);

}  // namespace kernel
