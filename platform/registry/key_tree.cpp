// The in-memory registry tree: case-insensitive key and value lookup, ordered subkeys, and the
// stored forms of string values.
#include "platform/registry/key_tree.h"

#include <algorithm>

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

size_t Key::LowerBound(std::string_view name) const {
    auto it = std::lower_bound(subkeys_.begin(), subkeys_.end(), name,
                               [](const std::shared_ptr<Key>& k, std::string_view n) {
                                   return CompareNames(k->name_, n) < 0;
                               });
    return static_cast<size_t>(it - subkeys_.begin());
}

Key* Key::FindSubkey(std::string_view name) const { return SharedSubkey(name).get(); }

std::shared_ptr<Key> Key::SharedSubkey(std::string_view name) const {
    size_t i = LowerBound(name);
    if (i < subkeys_.size() && NamesEqual(subkeys_[i]->name_, name)) return subkeys_[i];
    return nullptr;
}

std::shared_ptr<Key> Key::AddSubkey(std::string_view name, bool* created) {
    size_t i = LowerBound(name);
    if (i < subkeys_.size() && NamesEqual(subkeys_[i]->name_, name)) {
        if (created) *created = false;
        return subkeys_[i];
    }
    if (pathLength_ + 1 + name.size() > kMaxKeyPathLength) return nullptr;
    auto key = std::make_shared<Key>(std::string(name));
    key->pathLength_ = pathLength_ + 1 + name.size();
    subkeys_.insert(subkeys_.begin() + static_cast<std::ptrdiff_t>(i), key);
    if (created) *created = true;
    return key;
}

bool Key::RemoveSubkey(std::string_view name) {
    size_t i = LowerBound(name);
    if (i >= subkeys_.size() || !NamesEqual(subkeys_[i]->name_, name)) return false;
    subkeys_[i]->MarkDeleted();
    subkeys_.erase(subkeys_.begin() + static_cast<std::ptrdiff_t>(i));
    return true;
}

void Key::MarkDeleted() {
    deleted_ = true;
    for (auto& k : subkeys_) k->MarkDeleted();
    subkeys_.clear();
    values_.clear();
}

const Value* Key::FindValue(std::string_view name) const {
    for (const Value& v : values_)
        if (NamesEqual(v.name, name)) return &v;
    return nullptr;
}

void Key::SetValue(std::string_view name, DWORD type, std::vector<BYTE> data) {
    for (Value& v : values_) {
        if (NamesEqual(v.name, name)) {
            v.type = type;
            v.data = std::move(data);
            return;
        }
    }
    values_.push_back(Value{std::string(name), type, std::move(data)});
}

bool Key::RemoveValue(std::string_view name) {
    for (auto it = values_.begin(); it != values_.end(); ++it) {
        if (NamesEqual(it->name, name)) {
            values_.erase(it);
            return true;
        }
    }
    return false;
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
