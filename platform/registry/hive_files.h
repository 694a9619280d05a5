// The files behind a registry bound to a hive, shared by every process that uses the same hive.
// The hive holds the registry as it was last written whole; its journal "<hive>.log", itself a
// REGEDIT4 file, holds one record per change made since, appended by whichever process made it,
// so that a change costs a short append instead of a rewrite of the hive. The journal's open
// file also carries the lock (flock) that serialises the processes: a change is made under it,
// after the tree has caught up with what the others wrote, so no process overwrites another's.
#pragma once

#include "platform/registry/hive_file_io.h"
#include "platform/registry/key_tree.h"
#include "platform/registry/regedit4.h"

#include <string>
#include <sys/types.h>

namespace registry {

// Journal size past which it is folded into the hive, unless the hive is larger still: folding
// rewrites the hive, so it comes at most once per hive-sized stretch of changes.
constexpr off_t kFoldThreshold = 256 * 1024;

class HiveFiles {
public:
    explicit HiveFiles(std::string hivePath);
    ~HiveFiles();
    HiveFiles(const HiveFiles&) = delete;
    HiveFiles& operator=(const HiveFiles&) = delete;

    const std::string& HivePath() const { return hive_; }

    // Reads the hive and the whole records of its journal into an empty tree.
    bool Load(Tree& tree, HiveError& error);

    // Brings the tree up to date when another process changed the files since this one looked:
    // their new records are applied onto it; when the hive itself was replaced, the tree takes
    // its contents, keeping the keys that stay (and the handles open on them).
    void CatchUp(Tree& tree);

    // Takes the lock and catches up, for a change. Then says whether a change may be made:
    // ERROR_SUCCESS, ERROR_ACCESS_DENIED (a read-only hive, or a folder where the journal cannot
    // be made), ERROR_REGISTRY_CORRUPT (the files on disk do not read: nothing is written over
    // them) or ERROR_CANTWRITE. The lock is held until EndChange, whatever the answer.
    LONG BeginChange(Tree& tree);
    void EndChange();

    // Writes the record of a change made under BeginChange to the journal, and folds the journal
    // into the hive when it has grown past the hive (or, when `fold`, writes the hive instead).
    // ERROR_SUCCESS, or the error: ERROR_REGISTRY_QUOTA_LIMIT when the hive would grow past what
    // the reader takes. A change that was not written is taken back: the tree returns to what
    // the files hold.
    LONG Commit(const std::string& record, Tree& tree, bool fold);

    // Under BeginChange: writes the tree as the hive, synced, and empties the journal; refuses
    // (ERROR_REGISTRY_QUOTA_LIMIT) a tree whose hive the reader would refuse.
    LONG Fold(const Tree& tree);

    // Something of this process's or others' is in the journal and not in the hive.
    bool HasUnfolded() const { return applied_ > 0; }
    // This process appended to the journal.
    bool Appended() const { return appended_; }

private:
    int OpenJournal(bool create);
    void CloseJournal();
    bool Lock();
    void Unlock();
    bool Reload(Tree& tree, HiveError* error, const FileStamp& journal);
    bool ReadEverything(Tree& fresh, HiveError& error, off_t& whole, size_t& lines, off_t& size);
    bool ApplyNewRecords(Tree& tree, off_t size, HiveError& error);
    void CutTornTail(off_t whole, off_t size);
    void Broken(const HiveError& error);
    void LeftOut(const HiveError& error);
    LONG Append(const std::string& record, const Tree& tree);

    std::string hive_;
    std::string journal_;
    int fd_ = -1;            // the journal, opened by this process (not inherited through fork)
    bool writable_ = false;  // fd_ may be written
    unsigned forks_ = 0;     // forks this process had gone through when it opened fd_
    FileStamp fdStamp_;      // the file fd_ is open on
    int lockDepth_ = 0;
    bool locked_ = false;
    bool needFullReload_ = true;
    FileStamp hiveSeen_;     // the hive as the tree last took it
    FileStamp journalSeen_;  // the journal as last read
    off_t applied_ = 0;      // bytes of the journal the tree holds: always whole records
    size_t appliedLines_ = 0;
    bool broken_ = false;
    bool appended_ = false;
    bool cut_ = false;  // the last Reload cut a torn tail off
};

}  // namespace registry
