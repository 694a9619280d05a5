// Secondary keys: named attributes of the choices of a multiple-choice item (whether a form
// allows duplex, the tray name of a paper source, ...), which the rules ask by item, choice and
// key name. `CmSvProperty` is the part of an item that holds its choice index (option name to
// entry) and its keys; a key answers a typed value for one entry, read from the core's tables
// at the time of the question.
#pragma once

#include "core/memory/pool_allocator.h"
#include "core/memory/pool_object.h"
#include "core/device/uidevdata.h"
#include "pie/host/host_records.h"

#include <cstddef>
#include <cstdint>

class CmSvProperty;

class CmSvSecondKey : public PoolObject {
public:
    CmSvSecondKey(int32_t valueType, const char* name, CmSvProperty* owner)
        : valueType(valueType), name(name), owner(owner) {}
    virtual ~CmSvSecondKey() = default;
    CmSvSecondKey(const CmSvSecondKey&) = delete;
    CmSvSecondKey& operator=(const CmSvSecondKey&) = delete;

    // The key's value {type, value} for the choice behind `entry`; 1 when there is one, else 0.
    virtual int GetValue(UIDEVDATA* ctx, void* entry, PieValue* out);
    // The second question the rules may ask of a key; no key answers it.
    virtual int GetSecondValue(UIDEVDATA* ctx, void* entry, PieValue* out);

    int32_t valueType;
    const char* name;  // constant, not owned
    CmSvProperty* owner;
};

inline constexpr size_t kChoiceNameSize = 32;  // option names with their terminator

// One choice of the index: its option name and the entry the keys are asked about (the
// choice's option record, or the device's list entry behind it).
struct CmSvKeyEntry : public PoolObject {
    char name[kChoiceNameSize] = {};
    void* entry = nullptr;
};

class CmSvProperty {
public:
    CmSvProperty() = default;
    virtual ~CmSvProperty();
    CmSvProperty(const CmSvProperty&) = delete;
    CmSvProperty& operator=(const CmSvProperty&) = delete;

    // Takes the element; null does nothing. When one of that name is present the first stays
    // and the new one is deleted.
    void AddEntry(CmSvKeyEntry* entry);
    void AddKey(CmSvSecondKey* key);
    // A new entry of that name; false (nothing added) when the name is null or does not fit.
    bool AddEntry(const char* name, void* entry);
    // The entry or key of that name; null when absent, for a null name, or (entries) for a
    // name of kChoiceNameSize characters or more.
    CmSvKeyEntry* FindProperty(const char* name) const;
    CmSvSecondKey* FindKey(const char* name) const;
    // Empties the choice index, for a rebuild of the choices it points into.
    void ClearEntries();
    void ClearKeys();

    size_t EntryCount() const { return entries_.size(); }
    size_t KeyCount() const { return keys_.size(); }

private:
    PoolVector<CmSvKeyEntry*> entries_;  // by name
    PoolVector<CmSvSecondKey*> keys_;    // by name
};
