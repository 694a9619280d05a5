// Plain file work for the hive: reading a whole file or a part of one, telling that a file
// changed (by its device, inode, size and modification time), and replacing a file whole
// through a temporary file of a name no other writer uses and a rename, keeping the mode and
// owner of the file it replaces.
#pragma once

#include "platform/registry/regedit4.h"

#include <cstdint>
#include <string>
#include <sys/types.h>

namespace registry {

struct FileStamp {
    bool exists = false;
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    int64_t modifiedNs = 0;
    mode_t mode = 0;
    uid_t owner = 0;
    gid_t group = 0;
    nlink_t links = 0;  // 0: the open file was deleted or replaced

    bool SameFile(const FileStamp& other) const {
        return exists == other.exists && device == other.device && inode == other.inode;
    }
    // Same file, same size, same modification time: nobody wrote it in between.
    bool Unchanged(const FileStamp& other) const {
        return SameFile(other) && size == other.size && modifiedNs == other.modifiedNs;
    }
    // A file whose mode grants nobody writing is read-only, whoever runs us (root included).
    bool ReadOnly() const { return exists && (mode & 0222) == 0; }
};

FileStamp StampOfPath(const std::string& path);
FileStamp StampOfFile(int fd);

// Reads a whole file; an absent file sets `missing` and succeeds.
bool ReadWholeFile(const std::string& path, std::string& text, bool& missing, HiveError& error);

// Reads bytes [from, to) of an open file.
bool ReadFileRange(int fd, off_t from, off_t to, std::string& text);

// Writes all of the text at the end of a file opened for appending; on a short write the file is
// cut back to where it ended, so that no half record stays. 0 or the errno.
int AppendWhole(int fd, off_t end, std::string_view text);

// Removes the temporary files ReplaceFile left beside the file when its process died half-way.
// Only for a caller that knows no replacement of that file is under way (it holds the lock).
void RemoveLeftoverTemporaries(const std::string& path);

// Replaces the file by the text, synced, through a temporary file beside it and a rename. A file
// whose mode grants nobody writing is not replaced (EACCES). 0 or the errno.
int ReplaceFile(const std::string& path, std::string_view text);

}  // namespace registry
