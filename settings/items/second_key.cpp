// The property part: two name-ordered sets that own their elements.
#include "settings/items/second_key.h"

#include "core/helpers/bounded_text.h"
#include "settings/items/sv_order.h"

#include <algorithm>

int CmSvSecondKey::GetValue(UIDEVDATA*, void*, PieValue*) { return 0; }
int CmSvSecondKey::GetSecondValue(UIDEVDATA*, void*, PieValue*) { return 0; }

namespace {

template <typename T>
auto Position(const PoolVector<T*>& set, const char* name, const char* (*nameOf)(const T*)) {
    return std::lower_bound(set.begin(), set.end(), name,
                            [&](const T* e, const char* n) { return CompareKeyTexts(nameOf(e), n) < 0; });
}

const char* EntryName(const CmSvKeyEntry* e) { return e->name; }
const char* KeyName(const CmSvSecondKey* k) { return k->name; }

template <typename T>
void InsertFirstWins(PoolVector<T*>& set, T* element, const char* (*nameOf)(const T*)) {
    if (!element) return;
    auto at = Position(set, nameOf(element), nameOf);
    if (at != set.end() && CompareKeyTexts(nameOf(*at), nameOf(element)) == 0) {
        delete element;
        return;
    }
    try {
        set.insert(at, element);
    } catch (...) {
        delete element;
        throw;
    }
}

template <typename T>
T* FindByName(const PoolVector<T*>& set, const char* name, const char* (*nameOf)(const T*)) {
    auto at = Position(set, name, nameOf);
    return at != set.end() && CompareKeyTexts(nameOf(*at), name) == 0 ? *at : nullptr;
}

}  // namespace

CmSvProperty::~CmSvProperty() {
    ClearEntries();
    ClearKeys();
}

void CmSvProperty::AddEntry(CmSvKeyEntry* entry) { InsertFirstWins(entries_, entry, EntryName); }
void CmSvProperty::AddKey(CmSvSecondKey* key) { InsertFirstWins(keys_, key, KeyName); }

bool CmSvProperty::AddEntry(const char* name, void* entry) {
    if (!name) return false;
    auto* made = new CmSvKeyEntry;
    if (!CopyBounded(made->name, sizeof made->name, name)) {
        delete made;
        return false;
    }
    made->entry = entry;
    AddEntry(made);
    return true;
}

CmSvKeyEntry* CmSvProperty::FindProperty(const char* name) const {
    if (!name || BoundedLength(name, kChoiceNameSize) >= kChoiceNameSize) return nullptr;
    return FindByName(entries_, name, EntryName);
}

CmSvSecondKey* CmSvProperty::FindKey(const char* name) const {
    return name ? FindByName(keys_, name, KeyName) : nullptr;
}

void CmSvProperty::ClearEntries() {
    for (CmSvKeyEntry* e : entries_) delete e;
    entries_.clear();
}

void CmSvProperty::ClearKeys() {
    for (CmSvSecondKey* k : keys_) delete k;
    keys_.clear();
}
