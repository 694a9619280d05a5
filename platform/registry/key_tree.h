// The registry held in memory: keys with their subkeys (kept in name order, compared without
// regard to case) and their values (kept in the order they were first set). The Win32 functions,
// the hive reader and the hive writer all work on this one tree.
#pragma once

#include <windows.h>

#include <list>
#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <string_view>
#include <vector>

namespace registry {

// Longest key name (one path component) the original accepts.
constexpr size_t kMaxKeyNameLength = 255;
// Longest value name the original accepts.
constexpr size_t kMaxValueNameLength = 16383;
// Deepest key below a root, as on the original.
constexpr size_t kMaxKeyDepth = 512;
// Longest full key path, root name included: keeps every key's section line within what a hive
// file can hold.
constexpr size_t kMaxKeyPathLength = 16383;

// ASCII case folding: names are in the system code page and the original folds its letters only.
int CompareNames(std::string_view a, std::string_view b);
inline bool NamesEqual(std::string_view a, std::string_view b) { return CompareNames(a, b) == 0; }

struct Value {
    std::string name;  // empty: the key's default value
    DWORD type = REG_NONE;
    std::vector<BYTE> data;
};

// The name with its ASCII letters in upper case: the form lookups compare.
std::string FoldedName(std::string_view name);

// A name as a caller spelt it, looked up among folded names without building its folded copy:
// every open, query and set looks names up, and the copies were most of their cost.
struct Unfolded {
    std::string_view name;
};

// Order of folded names (byte order, as std::less gives it), also against an Unfolded name.
struct FoldedOrder {
    using is_transparent = void;
    bool operator()(const std::string& a, const std::string& b) const { return a < b; }
    bool operator()(const std::string& folded, Unfolded name) const;
    bool operator()(Unfolded name, const std::string& folded) const;
};

// Hash and equality of names without regard to case, so that a folded key and a caller's
// spelling of it meet.
struct FoldedHash {
    using is_transparent = void;
    size_t operator()(std::string_view name) const;
};
struct FoldedEqual {
    using is_transparent = void;
    bool operator()(std::string_view a, std::string_view b) const { return NamesEqual(a, b); }
};

// Where the last enumeration of a key's subkeys or values stood, so that the next index costs
// one step; forgotten whenever the container changes.
template <typename Container>
class EnumerationCursor {
public:
    // The element at that index, which must be below the container's size.
    typename Container::const_iterator Seek(const Container& container, size_t index) {
        if (!valid_ || index < index_) {
            at_ = container.begin();
            index_ = 0;
            valid_ = true;
        }
        for (; index_ < index; ++index_) ++at_;
        return at_;
    }
    void Forget() { valid_ = false; }

private:
    size_t index_ = 0;
    typename Container::const_iterator at_;
    bool valid_ = false;
};

// A key is shared between the tree and the handles opened on it, so that a handle outlives the
// deletion of its key and then answers ERROR_KEY_DELETED instead of touching freed memory.
// Lookups, insertions and deletions stay logarithmic or constant however many subkeys and
// values a key has, so that no hive file, however made, makes reading it slow; enumeration by
// index is constant time when it runs in order, as callers run it.
class Key {
public:
    using Subkeys = std::map<std::string, std::shared_ptr<Key>, FoldedOrder>;  // by folded name
    using ValueList = std::list<Value>;                             // in the order first set

    explicit Key(std::string name) : name_(std::move(name)) {}

    const std::string& Name() const { return name_; }
    bool Deleted() const { return deleted_; }
    // The full path from the root key's name, as a hive file's section names it: "HKEY_...\\a\\b".
    // Only for a key that is not deleted (a deleted key's parent may be gone).
    std::string Path() const;

    Key* FindSubkey(std::string_view name) const;
    std::shared_ptr<Key> SharedSubkey(std::string_view name) const;
    // Returns the existing subkey of that name, or a new one; `created` says which. Null when
    // the new key would be deeper than kMaxKeyDepth or its path longer than kMaxKeyPathLength.
    std::shared_ptr<Key> AddSubkey(std::string_view name, bool* created = nullptr);
    // Removes the subkey with everything below it; false when there is none.
    bool RemoveSubkey(std::string_view name);
    const Subkeys& AllSubkeys() const { return subkeys_; }
    size_t SubkeyCount() const { return subkeys_.size(); }
    // The subkey at that place in name order; null past the end.
    const Key* SubkeyAt(size_t index) const;

    const Value* FindValue(std::string_view name) const;
    void SetValue(std::string_view name, DWORD type, std::vector<BYTE> data);
    bool RemoveValue(std::string_view name);
    const ValueList& Values() const { return values_; }
    size_t ValueCount() const { return values_.size(); }
    const Value* ValueAt(size_t index) const;

    // Empties the key and everything below it and marks them deleted, for open handles to see.
    void MarkDeleted();

    // Makes this key hold what `fresh` holds (a key of the same place in a tree just read from
    // the hive), keeping the Key objects of subkeys present in both, so that handles open on them
    // stay valid; subkeys absent from `fresh` are deleted. `fresh` is left empty.
    void Adopt(Key& fresh);

private:
    std::string name_;
    Key* parent_ = nullptr;  // alive while this key is not deleted
    size_t pathLength_ = name_.size();
    size_t depth_ = 0;
    bool deleted_ = false;
    Subkeys subkeys_;
    ValueList values_;
    std::unordered_map<std::string, ValueList::iterator, FoldedHash, FoldedEqual> valueIndex_;  // by folded name
    mutable EnumerationCursor<Subkeys> subkeyCursor_;
    mutable EnumerationCursor<ValueList> valueCursor_;
};

// The two trees the library uses: HKEY_LOCAL_MACHINE and HKEY_CURRENT_USER.
struct Tree {
    std::shared_ptr<Key> localMachine = std::make_shared<Key>("HKEY_LOCAL_MACHINE");
    std::shared_ptr<Key> currentUser = std::make_shared<Key>("HKEY_CURRENT_USER");
};

// Splits a key path at its backslashes. A trailing backslash is tolerated; a leading one, an
// empty component, a component longer than kMaxKeyNameLength or a line break is not (returns
// false): a hive file could not hold such a name.
bool SplitKeyPath(std::string_view path, std::vector<std::string_view>& parts);

// Stored form of a string value: the bytes up to the first NUL, then exactly one NUL, so that
// every reader finds its terminator whatever size the writer passed.
std::vector<BYTE> StoredString(const BYTE* data, size_t size);
// Stored form of a multi-string value: ends with an empty string (two NULs) in any case.
std::vector<BYTE> StoredMultiString(const BYTE* data, size_t size);

}  // namespace registry
