// `CmSv`, the base of every setting item, choice pseudo-item and link: its setting key
// ("Group$Key"), item id, value type and control kind. Value texts start here, with "_" for
// objects that have no value to tell.
#pragma once

#include "core/memory/pool_object.h"
#include "core/device/uidevdata.h"

#include <cstdint>

class CmSvAction;
class CmSvChoiceItem;
class CmSvControl;
class CmSvFollow;
class CmSvInit;
class CmSvPreview;
class CmSvProperty;
class CmSvSdk;

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

    // The parts an item has beside its value, each answered by the class that adds it: the
    // registry and the rule callbacks meet every item on every change and never try casts. The
    // value class follows from `type` (see sv_parts.h).
    virtual CmSvControl* AsControl() { return nullptr; }
    virtual CmSvChoiceItem* AsChoice() { return nullptr; }
    virtual CmSvSdk* AsSdk() { return nullptr; }
    virtual CmSvInit* AsInit() { return nullptr; }
    virtual CmSvFollow* AsFollow() { return nullptr; }
    virtual CmSvPreview* AsPreview() { return nullptr; }
    virtual CmSvAction* AsAction() { return nullptr; }
    virtual CmSvProperty* AsProperty() { return nullptr; }
    // What a control's entry stands for: the item itself, a link's target, a choice's owner.
    virtual CmSv* StandsFor() { return this; }

    int32_t type;
    int32_t kind;
    const char* key;  // constant, not owned
    uint32_t itemId;
    int32_t available = 1;  // 0: the option interface answers "not supported"
};
