// The registry's state and its hive file: first-use loading from the host's file, handle
// lookup, and saving through a temporary file and a rename.
#include "platform/registry/registry_state.h"

#include "platform/kernel/path_map.h"
#include "platform/registry/hive.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace registry {

namespace {

State& Instance() {
    static State* state = new State;  // lives as long as the process, handles included
    return *state;
}

bool g_bound = false;

bool ReadFile(const std::string& path, std::string& text, bool& missing, HiveError& error) {
    missing = false;
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) {
        if (errno == ENOENT) {
            missing = true;
            return true;
        }
        error = {0, "cannot open " + path + ": " + std::strerror(errno)};
        return false;
    }
    text.clear();
    char buf[65536];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) {
        text.append(buf, n);
        if (text.size() > kMaxHiveFileSize) break;
    }
    bool failed = std::ferror(f) != 0;
    std::fclose(f);
    if (failed) {
        error = {0, "cannot read " + path};
        return false;
    }
    return true;
}

bool WriteFileAtomically(const std::string& path, const std::string& text, HiveError& error) {
    std::string temp = path + ".tmp";
    int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) {
        error = {0, "cannot create " + temp + ": " + std::strerror(errno)};
        return false;
    }
    size_t done = 0;
    while (done < text.size()) {
        ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        done += static_cast<size_t>(n);
    }
    bool ok = done == text.size() && ::fsync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    if (ok && std::rename(temp.c_str(), path.c_str()) == 0) return true;
    error = {0, "cannot write " + path + ": " + std::strerror(errno)};
    std::remove(temp.c_str());
    return false;
}

// Swaps in a new tree; handles on the old one see their keys deleted.
void Replace(State& state, Tree tree, std::string path) {
    state.tree.localMachine->MarkDeleted();
    state.tree.currentUser->MarkDeleted();
    state.tree = std::move(tree);
    state.path = std::move(path);
}

bool Load(State& state, const std::string& path, HiveError& error) {
    Tree tree;
    if (!path.empty()) {
        std::string text;
        bool missing = false;
        if (!ReadFile(path, text, missing, error)) return false;
        if (!missing && !ReadRegedit4(text, tree, error)) return false;
    }
    Replace(state, std::move(tree), path);
    return true;
}

void BindHostHive(State& state) {
    g_bound = true;
    const char* env = std::getenv(kHiveVariable);
    std::string path;
    if (env) path = env;
    else if (!kernel::MapPath(kDefaultHiveFile, path)) path.clear();
    HiveError error;
    if (!Load(state, path, error)) {
        // The registry still works, in memory, and never overwrites the faulty file.
        std::fprintf(stderr, "registry: %s%s%s: %s; the registry starts empty and the file is left as it is\n",
                     path.c_str(), error.line ? ", line " : "",
                     error.line ? std::to_string(error.line).c_str() : "", error.message.c_str());
        state.path.clear();
    }
}

}  // namespace

Locked::Locked() : state_(Instance()), guard_(state_.lock) {
    if (!g_bound) BindHostHive(state_);
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

LONG Persist(State& state) {
    if (state.path.empty()) return ERROR_SUCCESS;
    HiveError error;
    return WriteFileAtomically(state.path, WriteRegedit4(state.tree), error) ? ERROR_SUCCESS : ERROR_CANTWRITE;
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
    Replace(*state, std::move(tree), std::string());
    return true;
}

bool ImportHiveText(std::string_view text, HiveError* error) {
    HiveError local;
    HiveError& e = error ? *error : local;
    Tree scratch;
    if (!ReadRegedit4(text, scratch, e)) return false;  // validates before anything changes
    Locked state;
    if (!ReadRegedit4(text, state->tree, e)) return false;
    if (Persist(*state) != ERROR_SUCCESS) {
        e = {0, "cannot write " + state->path};
        return false;
    }
    return true;
}

bool ImportHiveFile(const std::string& path, HiveError* error) {
    HiveError local;
    HiveError& e = error ? *error : local;
    std::string text;
    bool missing = false;
    if (!ReadFile(path, text, missing, e)) return false;
    if (missing) {
        e = {0, "cannot open " + path};
        return false;
    }
    return ImportHiveText(text, &e);
}

std::string HivePath() {
    Locked state;
    return state->path;
}

std::string HiveText() {
    Locked state;
    return WriteRegedit4(state->tree);
}

bool SaveHiveFile(const std::string& path, HiveError* error) {
    Locked state;
    HiveError local;
    return WriteFileAtomically(path, WriteRegedit4(state->tree), error ? *error : local);
}

}  // namespace registry
