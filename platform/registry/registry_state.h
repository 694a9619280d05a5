// The process's one registry: the tree, the handles opened on it and the hive files it is bound
// to, all guarded by one lock. The Win32 functions reach their keys through this state only.
#pragma once

#include "platform/registry/hive_files.h"
#include "platform/registry/key_tree.h"

#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>

namespace registry {

struct State {
    std::recursive_mutex lock;
    Tree tree;
    std::unordered_map<uintptr_t, std::shared_ptr<Key>> handles;
    uintptr_t nextHandle = 0x1000;
    std::unique_ptr<HiveFiles> files;  // null: memory only
};

enum class Access { kRead, kChange };

// Holds the lock for one Win32 call and reaches the state, bound to the host's hive on first use
// and caught up with what other processes wrote to it. A call that changes the registry asks for
// Access::kChange: it then also holds the hive's lock across processes until it ends.
class Locked {
public:
    explicit Locked(Access access = Access::kRead);
    ~Locked();
    Locked(const Locked&) = delete;
    Locked& operator=(const Locked&) = delete;
    State* operator->() { return &state_; }
    State& operator*() { return state_; }
    // Under Access::kChange: ERROR_SUCCESS when a change may be made, else why not (see
    // HiveFiles::BeginChange). Checked before the tree is touched.
    LONG ChangeStatus() const { return changeStatus_; }

private:
    State& state_;
    std::lock_guard<std::recursive_mutex> guard_;
    HiveFiles* changing_ = nullptr;
    LONG changeStatus_ = ERROR_SUCCESS;
};

// The key behind a handle (a predefined root or an open key): ERROR_SUCCESS,
// ERROR_INVALID_HANDLE or ERROR_KEY_DELETED.
LONG ResolveKey(State& state, HKEY handle, std::shared_ptr<Key>& key);
HKEY NewHandle(State& state, std::shared_ptr<Key> key);
bool IsPredefined(HKEY handle);

// Writes the record of a change made under Access::kChange (one of the records of regedit4.h)
// to the hive's journal; `fold` writes the whole hive instead. ERROR_SUCCESS, or the error; a
// change that was not written is taken back from the tree.
LONG Commit(State& state, const std::string& record, bool fold = false);

}  // namespace registry
