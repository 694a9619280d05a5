// `CmSvItem`: a setting with a value. It loads the value from a device mode, stores it into one,
// compares it with a source and keeps a reference value to tell whether it changed; the value
// classes (on/off, multiple choice, number, text) derive from it.
#pragma once

#include "pie/host/host_records.h"
#include "settings/items/sv.h"

#include <cstdint>

class CmSvItem : public CmSv {
public:
    static constexpr uint32_t kChangedByRules = 0x1;  // set by the rules, cleared once stored
    static constexpr uint32_t kConstant = 0x4;        // the loaded value is a constant of the rules

    // Bit 0 of `flag` marks the loaded value as a constant of the rules.
    CmSvItem(int32_t type, int32_t kind, const char* key, uint32_t itemId, uint32_t flag)
        : CmSv(type, kind, key, itemId), flags((flag & 1) ? kConstant : 0) {}

    // Reads the value from a device mode; 1 when a value was read. Without a device mode
    // nothing is read and nothing changes (0), whatever the concrete item does with one.
    int Load(UIDEVDATA* ctx, const uint8_t* source) { return source ? LoadValue(ctx, source) : 0; }
    // Writes the value into a device mode; 1 when written. Without a device mode nothing is
    // written (0), not even to the blocks an item keeps beside the device mode.
    int Store(UIDEVDATA* ctx, uint8_t* destination) { return destination ? StoreValue(ctx, destination) : 0; }
    // 1 when the current value equals what the source of `mode` holds (0 the default device
    // mode, 1 and 2 the sheet's settings); 0 for any other mode. The current value is kept.
    virtual int IsSameAsSource(UIDEVDATA* ctx, int mode);
    // The typed value {type, value}; 1 when one was written.
    virtual int GetTypedValue(UIDEVDATA* ctx, PieValue* out);
    // Sets the reference: mode 0 from the current value, 1 from the sheet's settings, 2 from
    // the value saved by the last comparison.
    virtual void SetReference(UIDEVDATA* ctx, int mode);

    uint32_t flags;

protected:
    // The concrete item's own reading and writing; handed a device mode, never null. The base
    // reads and writes nothing.
    virtual int LoadValue(UIDEVDATA* ctx, const uint8_t* source);
    virtual int StoreValue(UIDEVDATA* ctx, uint8_t* destination);
    // SetReference of an item whose value is one number: modes 0 and 2 take the current value,
    // 1 the sheet's stored value, read without changing the current one.
    void SetNumberReference(UIDEVDATA* ctx, int mode, int32_t& current, int32_t& reference);
};

// The device mode of a comparison or refresh mode: 0 the default device mode, 1 and 2 the
// sheet's settings; null for any other mode (read as a signed 16-bit number) or when missing.
const uint8_t* SourceOfMode(UIDEVDATA* ctx, int mode);
// The sheet's settings alone (modes 1 and 2).
inline const uint8_t* SheetSettings(UIDEVDATA* ctx) { return SourceOfMode(ctx, 1); }

// "reference->current" in a new pool text; null when either side is null or memory is short.
char* JoinChangeText(const char* reference, const char* current);
