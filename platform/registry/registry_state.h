// The process's one registry: the tree, the handles opened on it and the hive file it is bound
// to, all guarded by one lock. The Win32 functions reach their keys through this state only.
#pragma once

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
    std::string path;  // hive file; empty: memory only
};

// Holds the lock for one Win32 call and reaches the state, bound to the host's hive on first use.
class Locked {
public:
    Locked();
    State* operator->() { return &state_; }
    State& operator*() { return state_; }

private:
    State& state_;
    std::lock_guard<std::recursive_mutex> guard_;
};

// The key behind a handle (a predefined root or an open key): ERROR_SUCCESS,
// ERROR_INVALID_HANDLE or ERROR_KEY_DELETED.
LONG ResolveKey(State& state, HKEY handle, std::shared_ptr<Key>& key);
HKEY NewHandle(State& state, std::shared_ptr<Key> key);
bool IsPredefined(HKEY handle);

// Writes the bound hive file after a change: ERROR_SUCCESS, or ERROR_CANTWRITE when the file
// could not be replaced (the change stays in memory).
LONG Persist(State& state);

}  // namespace registry
