// Registry of open files keyed by device and inode, so that two names of one file (different
// case, a relative and an absolute path) are one file, as they are on the original.
#include "platform/kernel/file_sharing.h"

#include <windows.h>

#include <unistd.h>

#include <map>
#include <mutex>
#include <utility>
#include <vector>

namespace kernel {

namespace {

struct Open {
    uint64_t ticket;
    DWORD access;
    DWORD share;
};

struct OpenFile {
    std::string hostPath;
    std::vector<Open> opens;
    bool deletePending = false;
};

using Key = std::pair<dev_t, ino_t>;

std::mutex g_lock;
std::map<Key, OpenFile> g_files;
std::map<uint64_t, Key> g_tickets;
uint64_t g_nextTicket = 1;

bool Compatible(const Open& a, DWORD access, DWORD share) {
    if ((access & GENERIC_READ) && !(a.share & FILE_SHARE_READ)) return false;
    if ((access & GENERIC_WRITE) && !(a.share & FILE_SHARE_WRITE)) return false;
    if ((a.access & GENERIC_READ) && !(share & FILE_SHARE_READ)) return false;
    if ((a.access & GENERIC_WRITE) && !(share & FILE_SHARE_WRITE)) return false;
    return true;
}

}  // namespace

bool AcquireShare(const struct stat& st, const std::string& hostPath, DWORD access, DWORD share,
                  bool deleteOnClose, uint64_t& ticket) {
    std::lock_guard guard(g_lock);
    Key key{st.st_dev, st.st_ino};
    OpenFile& file = g_files[key];
    for (const Open& o : file.opens) {
        if (!Compatible(o, access, share)) {
            SetLastError(ERROR_SHARING_VIOLATION);
            return false;
        }
    }
    if (file.opens.empty()) file.hostPath = hostPath;
    ticket = g_nextTicket++;
    file.opens.push_back(Open{ticket, access, share});
    file.deletePending = file.deletePending || deleteOnClose;
    g_tickets[ticket] = key;
    return true;
}

void ReleaseShare(uint64_t ticket) {
    std::lock_guard guard(g_lock);
    auto t = g_tickets.find(ticket);
    if (t == g_tickets.end()) return;
    auto f = g_files.find(t->second);
    g_tickets.erase(t);
    if (f == g_files.end()) return;
    auto& opens = f->second.opens;
    std::erase_if(opens, [ticket](const Open& o) { return o.ticket == ticket; });
    if (!opens.empty()) return;
    // The name may have gone to another file since (a rename, a delete and a new file): only
    // the file that was opened goes.
    struct stat st;
    if (f->second.deletePending && stat(f->second.hostPath.c_str(), &st) == 0 &&
        Key{st.st_dev, st.st_ino} == f->first)
        unlink(f->second.hostPath.c_str());
    g_files.erase(f);
}

bool DeleteAllowed(const struct stat& st) {
    std::lock_guard guard(g_lock);
    auto f = g_files.find(Key{st.st_dev, st.st_ino});
    if (f == g_files.end()) return true;
    for (const Open& o : f->second.opens)
        if (!(o.share & FILE_SHARE_DELETE)) return false;
    return true;
}

}  // namespace kernel
