// The in-memory registry tree: case-insensitive key and value lookup, ordered subkeys, and the
// stored forms of string values.
#include "platform/registry/key_tree.h"

#include <algorithm>
#include <cstdint>
#include <iterator>

namespace registry {

namespace {
unsigned char Fold(char c) {
    auto u = static_cast<unsigned char>(c);
    return (u >= 'a' && u <= 'z') ? static_cast<unsigned char>(u - 'a' + 'A') : u;
}
}  // namespace

int CompareNames(std::string_view a, std::string_view b) {
    size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        unsigned char x = Fold(a[i]), y = Fold(b[i]);
        if (x != y) return x < y ? -1 : 1;
    }
    if (a.size() == b.size()) return 0;
    return a.size() < b.size() ? -1 : 1;
}

std::string FoldedName(std::string_view name) {
    std::string folded(name);
    for (char& c : folded) c = static_cast<char>(Fold(c));
    return folded;
}

namespace {
// A folded name against a caller's spelling, in the byte order of folded names.
int CompareFolded(std::string_view folded, std::string_view name) {
    const size_t n = std::min(folded.size(), name.size());
    for (size_t i = 0; i < n; ++i) {
        const auto x = static_cast<unsigned char>(folded[i]), y = Fold(name[i]);
        if (x != y) return x < y ? -1 : 1;
    }
    if (folded.size() == name.size()) return 0;
    return folded.size() < name.size() ? -1 : 1;
}
}  // namespace

bool FoldedOrder::operator()(const std::string& folded, Unfolded name) const { return CompareFolded(folded, name.name) < 0; }
bool FoldedOrder::operator()(Unfolded name, const std::string& folded) const { return CompareFolded(folded, name.name) > 0; }

size_t FoldedHash::operator()(std::string_view name) const {
    uint64_t hash = 14695981039346656037ull;  // FNV-1a
    for (char c : name) hash = (hash ^ Fold(c)) * 1099511628211ull;
    return static_cast<size_t>(hash);
}

Key* Key::FindSubkey(std::string_view name) const {
    auto it = subkeys_.find(Unfolded{name});
    return it == subkeys_.end() ? nullptr : it->second.get();
}

std::shared_ptr<Key> Key::SharedSubkey(std::string_view name) const {
    auto it = subkeys_.find(Unfolded{name});
    return it == subkeys_.end() ? nullptr : it->second;
}

std::shared_ptr<Key> Key::AddSubkey(std::string_view name, bool* created) {
    auto it = subkeys_.find(Unfolded{name});
    if (it != subkeys_.end()) {
        if (created) *created = false;
        return it->second;
    }
    if (depth_ + 1 > kMaxKeyDepth || pathLength_ + 1 + name.size() > kMaxKeyPathLength) return nullptr;
    auto key = std::make_shared<Key>(std::string(name));
    key->parent_ = this;
    key->pathLength_ = pathLength_ + 1 + name.size();
    key->depth_ = depth_ + 1;
    subkeys_.emplace(FoldedName(name), key);
    subkeyCursor_.Forget();
    if (created) *created = true;
    return key;
}

bool Key::RemoveSubkey(std::string_view name) {
    auto it = subkeys_.find(Unfolded{name});
    if (it == subkeys_.end()) return false;
    it->second->MarkDeleted();
    subkeys_.erase(it);
    subkeyCursor_.Forget();
    return true;
}

const Key* Key::SubkeyAt(size_t index) const {
    if (index >= subkeys_.size()) return nullptr;
    return subkeyCursor_.Seek(subkeys_, index)->second.get();
}

void Key::MarkDeleted() {
    deleted_ = true;
    for (auto& entry : subkeys_) entry.second->MarkDeleted();
    subkeys_.clear();
    values_.clear();
    valueIndex_.clear();
    subkeyCursor_.Forget();
    valueCursor_.Forget();
}

std::string Key::Path() const {
    std::string path;
    path.reserve(pathLength_);
    std::vector<const Key*> chain;
    for (const Key* k = this; k; k = k->parent_) chain.push_back(k);
    for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
        if (!path.empty()) path.push_back('\\');
        path += (*it)->name_;
    }
    return path;
}

void Key::Adopt(Key& fresh) {
    values_ = std::move(fresh.values_);
    valueIndex_.clear();
    for (auto it = values_.begin(); it != values_.end(); ++it) valueIndex_.emplace(FoldedName(it->name), it);
    valueCursor_.Forget();
    for (auto it = subkeys_.begin(); it != subkeys_.end();) {
        auto same = fresh.subkeys_.find(it->first);
        if (same == fresh.subkeys_.end()) {
            it->second->MarkDeleted();
            it = subkeys_.erase(it);
        } else {
            it->second->Adopt(*same->second);
            fresh.subkeys_.erase(same);
            ++it;
        }
    }
    for (auto& entry : fresh.subkeys_) {
        entry.second->parent_ = this;
        subkeys_.emplace(entry.first, std::move(entry.second));
    }
    fresh.subkeys_.clear();
    fresh.values_.clear();
    fresh.valueIndex_.clear();
    subkeyCursor_.Forget();
}

const Value* Key::FindValue(std::string_view name) const {
    auto it = valueIndex_.find(name);
    return it == valueIndex_.end() ? nullptr : &*it->second;
}

void Key::SetValue(std::string_view name, DWORD type, std::vector<BYTE> data) {
    auto it = valueIndex_.find(name);
    if (it != valueIndex_.end()) {
        it->second->type = type;
        it->second->data = std::move(data);
        return;
    }
    values_.push_back(Value{std::string(name), type, std::move(data)});
    valueIndex_.emplace(FoldedName(name), std::prev(values_.end()));
    valueCursor_.Forget();
}

bool Key::RemoveValue(std::string_view name) {
    auto it = valueIndex_.find(name);
    if (it == valueIndex_.end()) return false;
    values_.erase(it->second);
    valueIndex_.erase(it);
    valueCursor_.Forget();
    return true;
}

const Value* Key::ValueAt(size_t index) const {
    if (index >= values_.size()) return nullptr;
    return &*valueCursor_.Seek(values_, index);
}

bool SplitKeyPath(std::string_view path, std::vector<std::string_view>& parts) {
    parts.clear();
    if (path.empty()) return true;
    if (path.front() == '\\') return false;
    if (path.back() == '\\') path.remove_suffix(1);
    size_t start = 0;
    for (;;) {
        size_t end = path.find('\\', start);
        std::string_view part = path.substr(start, end == std::string_view::npos ? path.npos : end - start);
        if (part.empty() || part.size() > kMaxKeyNameLength) return false;
        if (part.find_first_of("\r\n") != std::string_view::npos) return false;
        parts.push_back(part);
        if (end == std::string_view::npos) return true;
        start = end + 1;
    }
}

std::vector<BYTE> StoredString(const BYTE* data, size_t size) {
    size_t n = 0;
    while (data && n < size && data[n] != 0) ++n;
    std::vector<BYTE> out(data, data + n);
    out.push_back(0);
    return out;
}

std::vector<BYTE> StoredMultiString(const BYTE* data, size_t size) {
    std::vector<BYTE> out(data, data + (data ? size : 0));
    // Cut after the first empty string, then make sure the list ends with one.
    for (size_t i = 0; i + 1 < out.size(); ++i) {
        if (out[i] == 0 && out[i + 1] == 0) {
            out.resize(i + 2);
            return out;
        }
    }
    if (out.empty()) return {0, 0};
    if (out.back() != 0) out.push_back(0);
    out.push_back(0);
    return out;
}

}  // namespace registry
