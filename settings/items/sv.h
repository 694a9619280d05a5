// `CmSv`, the base of every setting item, choice pseudo-item and link: its setting key
// ("Group$Key"), item id, value type and control kind. Value texts start here, with "_" for
// objects that have no value to tell.
#pragma once

#include "core/memory/pool_object.h"
#include "core/device/uidevdata.h"

#include <cstdint>

// Value types.
enum CmSvType : int32_t {
    kSvTypeNone = 0,  // links and choice pseudo-items
    kSvTypeOnOff = 1,
    kSvTypeMulti = 2,
    kSvTypeNumeric = 3,
    kSvTypeString = 4,
};

// Control kinds.
enum CmSvKind : int32_t {
    kSvKindNone = 0,       // no control, or a link
    kSvKindValueOnly = 1,  // a value without a control and without choice pseudo-items
    kSvKindPushButton = 2,
    kSvKindCheckBox = 3,
    kSvKindRadio = 4,
    kSvKindComboBox = 5,
    kSvKindListBox = 6,
    kSvKindListView = 7,
    kSvKindTrackBar = 8,
    kSvKindDigit = 9,
    kSvKindText = 10,
};

class CmSv : public PoolObject {
public:
    CmSv(int32_t type, int32_t kind, const char* key, uint32_t itemId)
        : type(type), kind(kind), key(key), itemId(itemId) {}
    virtual ~CmSv() = default;
    CmSv(const CmSv&) = delete;
    CmSv& operator=(const CmSv&) = delete;

    // A new pool text of the current value; the caller frees it (FreePoolText). Null when
    // memory is short.
    virtual char* GetValueText(UIDEVDATA* ctx);
    // As GetValueText, or "reference->current" for a value the rules changed.
    virtual char* GetChangeText(UIDEVDATA* ctx);

    int32_t type;
    int32_t kind;
    const char* key;  // constant, not owned
    uint32_t itemId;
    int32_t available = 1;  // 0: the option interface answers "not supported"
};
