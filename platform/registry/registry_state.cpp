// The registry's state and its hive: first-use binding to the host's hive, catching up with
// other processes at every call, handle lookup, and the records that changes leave.
#include "platform/registry/registry_state.h"

#include "platform/kernel/path_map.h"
#include "platform/registry/hive.h"
#include "platform/registry/hive_file_io.h"
#include "platform/registry/update_lock.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace registry {

namespace {

State& Instance() {
    static State* state = new State;  // lives as long as the process, handles included
    return *state;
}

bool g_bound = false;

std::string HivePathOf(State& state) { return state.files ? state.files->HivePath() : std::string(); }

// Swaps in a new tree; handles on the old one see their keys deleted.
void Replace(State& state, Tree tree, std::unique_ptr<HiveFiles> files) {
    state.tree.localMachine->MarkDeleted();
    state.tree.currentUser->MarkDeleted();
    state.tree = std::move(tree);
    state.files = std::move(files);
}

// A process that ends normally leaves the hive whole, its journal folded in.
void FoldAtExit() {
    State& state = Instance();
    std::unique_lock<std::recursive_mutex> guard(state.lock, std::try_to_lock);
    if (!guard.owns_lock() || !state.files || !state.files->Appended()) return;
    if (state.files->BeginChange(state.tree) == ERROR_SUCCESS && state.files->HasUnfolded())
        state.files->Fold(state.tree);
    state.files->EndChange();
}

bool Load(State& state, const std::string& path, HiveError& error) {
    Tree tree;
    std::unique_ptr<HiveFiles> files;
    if (!path.empty()) {
        files = std::make_unique<HiveFiles>(path);
        if (!files->Load(tree, error)) return false;
    }
    Replace(state, std::move(tree), std::move(files));
    return true;
}

void BindHostHive(State& state) {
    g_bound = true;
    std::atexit(FoldAtExit);
    const char* env = std::getenv(kHiveVariable);
    std::string path;
    if (env) path = env;
    else if (!kernel::MapPath(kDefaultHiveFile, path)) path.clear();
    HiveError error;
    if (Load(state, path, error)) return;
    // The registry stays bound to the files that do not read: it holds nothing of them, never
    // writes over them, and refuses every change until they read, as it does when they stop
    // reading later. Changes kept in memory alone would answer done and reach no file.
    std::fprintf(stderr, "registry: %s%s%s: %s; the registry holds nothing and refuses changes until the file reads\n",
                 error.file.empty() ? path.c_str() : error.file.c_str(), error.line ? ", line " : "",
                 error.line ? std::to_string(error.line).c_str() : "", error.message.c_str());
    Replace(state, Tree(), std::make_unique<HiveFiles>(path));
    HiveError again;
    state.files->Load(state.tree, again);
}

}  // namespace

Locked::Locked(Access access) : state_(Instance()), guard_(state_.lock) {
    if (!g_bound) BindHostHive(state_);
    HiveFiles* files = state_.files.get();
    if (!files) return;
    if (access == Access::kRead) {
        files->CatchUp(state_.tree);
        return;
    }
    changing_ = files;
    changeStatus_ = files->BeginChange(state_.tree);
}

Locked::~Locked() {
    if (changing_) changing_->EndChange();
}

// The process's lock is taken first and kept to the end, so that no other thread's call comes
// between; the hive's lock nests under it, as every call's own does.
UpdateLock::UpdateLock() {
    State& state = Instance();
    state.lock.lock();
    if (!g_bound) BindHostHive(state);
    files_ = state.files.get();
    if (files_) status_ = files_->BeginChange(state.tree);
}

UpdateLock::~UpdateLock() {
    State& state = Instance();
    // Files replaced meanwhile (a hive bound anew) were closed, and their lock with them.
    if (files_ && state.files.get() == files_) files_->EndChange();
    state.lock.unlock();
}

bool IsPredefined(HKEY handle) {
    return handle == HKEY_LOCAL_MACHINE || handle == HKEY_CURRENT_USER || handle == HKEY_CLASSES_ROOT ||
           handle == HKEY_USERS;
}

LONG ResolveKey(State& state, HKEY handle, std::shared_ptr<Key>& key) {
    if (handle == HKEY_LOCAL_MACHINE) key = state.tree.localMachine;
    else if (handle == HKEY_CURRENT_USER) key = state.tree.currentUser;
    else {
        auto it = state.handles.find(reinterpret_cast<uintptr_t>(handle));
        if (it == state.handles.end()) return ERROR_INVALID_HANDLE;
        key = it->second;
    }
    return key->Deleted() ? ERROR_KEY_DELETED : ERROR_SUCCESS;
}

HKEY NewHandle(State& state, std::shared_ptr<Key> key) {
    uintptr_t id = state.nextHandle;
    state.nextHandle += 4;
    state.handles.emplace(id, std::move(key));
    return reinterpret_cast<HKEY>(id);
}

LONG Commit(State& state, const std::string& record, bool fold) {
    return state.files ? state.files->Commit(record, state.tree, fold) : ERROR_SUCCESS;
}

bool UseHiveFile(const std::string& path, HiveError* error) {
    Locked state;
    HiveError local;
    bool ok = Load(*state, path, error ? *error : local);
    return ok;
}

bool UseHiveText(std::string_view text, HiveError* error) {
    Locked state;
    HiveError local;
    Tree tree;
    if (!ReadRegedit4(text, tree, error ? *error : local)) return false;
    Replace(*state, std::move(tree), nullptr);
    return true;
}

bool ImportHiveText(std::string_view text, HiveError* error) {
    HiveError local;
    HiveError& e = error ? *error : local;
    Tree scratch;
    if (!ReadRegedit4(text, scratch, e)) return false;  // validates before anything changes
    Locked state(Access::kChange);
    std::string path = HivePathOf(*state);
    if (LONG rc = state.ChangeStatus()) {
        e = {0,
             rc == ERROR_ACCESS_DENIED      ? "the hive " + path + " is read-only"
             : rc == ERROR_REGISTRY_CORRUPT ? "the hive " + path + " does not read"
                                            : "cannot write " + path,
             {}};
        return false;
    }
    ReadRegedit4(text, state->tree, e);
    // An import is written whole, so that it reaches the file all or nothing.
    if (LONG rc = Commit(*state, std::string(), true)) {
        e = {0, rc == ERROR_REGISTRY_QUOTA_LIMIT ? "the hive " + path + " would grow past 64 MiB" : "cannot write " + path, {}};
        return false;
    }
    return true;
}

bool ImportHiveFile(const std::string& path, HiveError* error) {
    HiveError local;
    HiveError& e = error ? *error : local;
    std::string text;
    bool missing = false;
    if (!ReadWholeFile(path, text, missing, e)) return false;
    if (missing) {
        e = {0, "cannot open " + path, {}};
        return false;
    }
    return ImportHiveText(text, &e);
}

std::string HivePath() {
    Locked state;
    return HivePathOf(*state);
}

std::string HiveText() {
    Locked state;
    return WriteRegedit4(state->tree);
}

bool SaveHiveFile(const std::string& path, HiveError* error) {
    Locked state;
    std::string text = WriteRegedit4(state->tree);
    if (int reason = ReplaceFile(path, text)) {
        if (error) *error = {0, "cannot write " + path + ": " + std::strerror(reason), {}};
        return false;
    }
    return true;
}

}  // namespace registry
