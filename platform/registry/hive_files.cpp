// The hive and its journal: loading both, catching up with other processes under the journal's
// lock, appending this process's records, and folding the journal into the hive.
#include "platform/registry/hive_files.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <pthread.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace registry {

namespace {

constexpr std::string_view kJournalHeader = "REGEDIT4\n\n";

// Counts the forks this process went through, so that a child can tell a journal descriptor
// inherited from its parent (whose lock it shares) without asking the system for its pid.
std::atomic<unsigned> g_forks{0};

unsigned ForksSoFar() {
    static bool registered = [] { return ::pthread_atfork(nullptr, nullptr, [] { ++g_forks; }) == 0; }();
    (void)registered;
    return g_forks.load(std::memory_order_relaxed);
}

size_t CountLines(std::string_view text) { return static_cast<size_t>(std::count(text.begin(), text.end(), '\n')); }

LONG ChangeError(int error) {
    return error == EACCES || error == EPERM || error == EROFS ? ERROR_ACCESS_DENIED : ERROR_CANTWRITE;
}

}  // namespace

HiveFiles::HiveFiles(std::string hivePath) : hive_(std::move(hivePath)), journal_(hive_ + ".log") {}

HiveFiles::~HiveFiles() { CloseJournal(); }

void HiveFiles::CloseJournal() {
    // A descriptor inherited through fork shares its lock with the parent's: closing it here
    // leaves the parent's lock alone, where unlocking it would not.
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    writable_ = false;
    locked_ = false;
    fdStamp_ = FileStamp{};
}

// Opens the journal for reading and writing (made when `create`), else for reading only.
// Returns 0 when it can be written, else the reason; fd_ is open whenever it can be read.
int HiveFiles::OpenJournal(bool create) {
    FileStamp before = fdStamp_;
    CloseJournal();
    int fd = ::open(journal_.c_str(), O_RDWR | O_APPEND | O_CLOEXEC | (create ? O_CREAT : 0), 0666);
    int error = fd < 0 ? errno : 0;
    if (fd < 0 && error != ENOENT) fd = ::open(journal_.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return error;
    fd_ = fd;
    writable_ = error == 0;
    forks_ = ForksSoFar();
    fdStamp_ = StampOfFile(fd_);
    if (writable_ && fdStamp_.size == 0) {
        // A journal holds what the hive holds: it gets the hive's mode and owner.
        FileStamp hive = StampOfPath(hive_);
        if (hive.exists) {
            (void)!::fchmod(fd_, hive.mode & 0666);
            if (hive.owner != fdStamp_.owner || hive.group != fdStamp_.group)
                (void)!::fchown(fd_, hive.owner, hive.group);
        }
    }
    if (!fdStamp_.SameFile(before)) {
        // The tree holds nothing of a journal met for the first time, so it is read from its
        // start; one that takes the place of another may have lost records the tree holds.
        if (before.exists) needFullReload_ = true;
        applied_ = 0;
        appliedLines_ = 0;
    }
    return error;
}

bool HiveFiles::Lock() {
    if (lockDepth_++ > 0) return locked_;
    if (fd_ < 0) return false;
    while (::flock(fd_, LOCK_EX) != 0)
        if (errno != EINTR) return false;
    locked_ = true;
    return true;
}

void HiveFiles::Unlock() {
    if (--lockDepth_ > 0) return;
    if (locked_) ::flock(fd_, LOCK_UN);
    locked_ = false;
}

bool HiveFiles::Load(Tree& tree, HiveError& error) {
    int reason = OpenJournal(false);
    if (fd_ < 0 && reason != ENOENT) {
        error = {0, "cannot open " + journal_ + ": " + std::strerror(reason), journal_};
        return false;
    }
    Lock();
    bool ok = Reload(tree, &error, StampOfFile(fd_));
    Unlock();
    return ok;
}

void HiveFiles::CatchUp(Tree& tree) {
    if (lockDepth_ > 0) {
        Reload(tree, nullptr, StampOfFile(fd_));
        return;
    }
    // A journal inherited from a parent process, or one deleted or replaced since this process
    // opened it, is opened anew; one made since this process looked is opened for the first time.
    FileStamp journal = fd_ >= 0 ? StampOfFile(fd_) : StampOfPath(journal_);
    // Records appended since show in the size, as the journal only grows between folds; a fold
    // replaces the hive.
    bool stale = fd_ >= 0 && (forks_ != ForksSoFar() || journal.links == 0);
    if (!stale && !needFullReload_ && journal.SameFile(fdStamp_) && journal.size == applied_ &&
        StampOfPath(hive_).Unchanged(hiveSeen_))
        return;
    if (fd_ < 0 || stale) OpenJournal(false);
    Lock();
    Reload(tree, nullptr, StampOfFile(fd_));
    Unlock();
}

LONG HiveFiles::BeginChange(Tree& tree) {
    int reason = 0;
    // No journal is made beside a read-only hive: the change is refused below.
    if (lockDepth_ == 0 && (fd_ < 0 || !writable_ || forks_ != ForksSoFar()))
        reason = OpenJournal(!StampOfPath(hive_).ReadOnly());
    Lock();
    FileStamp journal = StampOfFile(fd_);
    if (lockDepth_ == 1 && fd_ >= 0 && journal.links == 0) {
        // Deleted or replaced under us: the other processes lock the journal that has the name.
        Unlock();
        reason = OpenJournal(!StampOfPath(hive_).ReadOnly());
        Lock();
        journal = StampOfFile(fd_);
    }
    Reload(tree, nullptr, journal);
    if (broken_) return ERROR_REGISTRY_CORRUPT;
    if (hiveSeen_.ReadOnly()) return ERROR_ACCESS_DENIED;
    if (reason) return ChangeError(reason);
    return locked_ && writable_ ? ERROR_SUCCESS : ERROR_CANTWRITE;
}

void HiveFiles::EndChange() { Unlock(); }

// Reads the hive and the whole records of the journal into an empty tree.
bool HiveFiles::ReadEverything(Tree& fresh, HiveError& error, off_t& whole, size_t& lines, off_t& size) {
    std::string text;
    bool missing = false;
    if (!ReadWholeFile(hive_, text, missing, error)) return false;
    if (!missing && !ReadRegedit4(text, fresh, error)) return false;
    whole = 0;
    lines = 0;
    size = 0;
    if (fd_ < 0) return true;
    std::string journal;
    if (!ReadFileRange(fd_, 0, StampOfFile(fd_).size, journal)) {
        error = {0, "cannot read " + journal_ + ": " + std::strerror(errno), journal_};
        return false;
    }
    std::string_view records(journal.data(), WholeRecordsLength(journal));
    if (!records.empty() && !ReadRegedit4(records, fresh, error)) {
        // A damaged record costs itself, not the hive and the records around it: the tree is
        // read again, record by record.
        Tree again;
        if (!missing && !ReadRegedit4(text, again, error)) return false;
        std::vector<HiveError> skipped;
        ReadRegedit4Journal(records, again, 0, false, skipped);
        for (const HiveError& bad : skipped) LeftOut(bad);
        fresh.localMachine->Adopt(*again.localMachine);
        fresh.currentUser->Adopt(*again.currentUser);
    }
    whole = static_cast<off_t>(records.size());
    lines = CountLines(records);
    size = static_cast<off_t>(journal.size());
    return true;
}

// Applies the journal's records that came after those the tree holds.
bool HiveFiles::ApplyNewRecords(Tree& tree, off_t size, HiveError& error) {
    std::string chunk;
    if (!ReadFileRange(fd_, applied_, size, chunk)) {
        error = {0, "cannot read " + journal_ + ": " + std::strerror(errno), journal_};
        return false;
    }
    std::string_view records(chunk.data(), WholeRecordsLength(chunk));
    // A bad record may leave part of itself in the tree: the caller then reads everything again,
    // leaving that record out.
    if (!records.empty() && !(applied_ == 0 ? ReadRegedit4(records, tree, error)
                                            : ReadRegedit4Records(records, tree, error, appliedLines_))) {
        error.file = journal_;
        return false;
    }
    CutTornTail(applied_ + static_cast<off_t>(records.size()), applied_ + static_cast<off_t>(chunk.size()));
    applied_ += static_cast<off_t>(records.size());
    appliedLines_ += CountLines(records);
    return true;
}

// Under the lock no other writer is half-way through a record, so bytes after the last whole
// record were left by one that died or failed; they go, lest the next record follow them.
void HiveFiles::CutTornTail(off_t whole, off_t size) {
    if (size <= whole || !writable_ || !locked_) return;
    while (::ftruncate(fd_, whole) != 0 && errno == EINTR) {
    }
    cut_ = true;
}

bool HiveFiles::Reload(Tree& tree, HiveError* out, const FileStamp& journal) {
    FileStamp hive = StampOfPath(hive_);
    HiveError error;
    cut_ = false;
    bool ok = true;
    // Files that did not read are read again only once they changed.
    bool full = broken_ ? !hive.Unchanged(hiveSeen_) || !journal.Unchanged(journalSeen_)
                        : needFullReload_ || !hive.Unchanged(hiveSeen_) || journal.size < applied_;
    if (!full && !broken_ && journal.size > applied_ && !ApplyNewRecords(tree, journal.size, error)) full = true;
    if (full) {
        Tree fresh;
        off_t whole = 0, size = 0;
        size_t lines = 0;
        ok = ReadEverything(fresh, error, whole, lines, size);
        if (ok) {
            tree.localMachine->Adopt(*fresh.localMachine);
            tree.currentUser->Adopt(*fresh.currentUser);
            CutTornTail(whole, size);
            applied_ = whole;
            appliedLines_ = lines;
            needFullReload_ = false;
            broken_ = false;
        }
    }
    // Taken even when nothing changed: a chmod does not change the modification time.
    hiveSeen_ = hive;
    journalSeen_ = cut_ ? StampOfFile(fd_) : journal;
    if (!ok) {
        broken_ = true;
        if (out) *out = error;
        else Broken(error);
    }
    return ok && !broken_;
}

void HiveFiles::LeftOut(const HiveError& error) {
    std::fprintf(stderr, "registry: %s, line %zu: %s; the record is left out\n", journal_.c_str(), error.line,
                 error.message.c_str());
}

void HiveFiles::Broken(const HiveError& error) {
    std::string line = error.line ? ", line " + std::to_string(error.line) : "";
    std::fprintf(stderr, "registry: %s%s: %s; the registry keeps what it held and refuses changes until the file reads\n",
                 error.file.empty() ? hive_.c_str() : error.file.c_str(), line.c_str(), error.message.c_str());
}

LONG HiveFiles::Append(const std::string& record, const Tree& tree) {
    if (!locked_ || !writable_) return ERROR_CANTWRITE;
    // A fold writes at most the hive and the journal's records together; past what the reader
    // takes, the exact size is what counts, and a fold writes it or refuses.
    if (static_cast<size_t>(hiveSeen_.size + applied_) + record.size() > kMaxHiveFileSize) return Fold(tree);
    std::string text = applied_ == 0 ? std::string(kJournalHeader) + record : record;
    if (int error = AppendWhole(fd_, applied_, text)) return ChangeError(error);
    applied_ += static_cast<off_t>(text.size());
    appliedLines_ += CountLines(text);
    appended_ = true;
    // The record is in the journal: a fold that fails now loses nothing.
    if (applied_ > std::max(kFoldThreshold, hiveSeen_.size)) Fold(tree);
    return ERROR_SUCCESS;
}

LONG HiveFiles::Commit(const std::string& record, Tree& tree, bool fold) {
    LONG rc = fold ? Fold(tree) : Append(record, tree);
    // A change that did not reach the files leaves nothing behind: the tree takes again what
    // the files hold, so that no later write carries it out.
    if (rc != ERROR_SUCCESS) {
        needFullReload_ = true;
        Reload(tree, nullptr, StampOfFile(fd_));
    }
    return rc;
}

LONG HiveFiles::Fold(const Tree& tree) {
    if (!locked_) return ERROR_CANTWRITE;
    std::string text = WriteRegedit4(tree);
    // A hive the reader would refuse is never written: every process would lose the registry.
    if (text.size() > kMaxHiveFileSize) return ERROR_REGISTRY_QUOTA_LIMIT;
    RemoveLeftoverTemporaries(hive_);  // folds are made under the lock: any there is a dead one's
    if (int error = ReplaceFile(hive_, text)) return ChangeError(error);
    hiveSeen_ = StampOfPath(hive_);
    // Should emptying fail, the records stay and are read again over the hive that holds them
    // already, which changes nothing.
    if (writable_ && ::ftruncate(fd_, 0) == 0) {
        applied_ = 0;
        appliedLines_ = 0;
    }
    journalSeen_ = StampOfFile(fd_);
    return ERROR_SUCCESS;
}

}  // namespace registry
