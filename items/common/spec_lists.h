// The device capability values whose choices come from the device's own lists: its paper
// sources, papers, paper types, output destinations, folds, toner-save, smoothing, dither and
// halftone modes and RAM expansions. Each builds its rows from the record's list when the
// registry initialises it, names them from a constant table, and some index their choices so
// that the rules can ask secondary keys of the device's entry behind a choice; the paper-source,
// destination, paper, fold and storage items answer the rules' capability checks.
#pragma once

#include "settings/items/second_key.h"
#include "items/common/spec_items.h"
#include "items/common/spec_name_tables.h"

#include <cstddef>
#include <span>

// How a list item finds its current choice when it loads.
enum class SpecListLoad : uint8_t {
    DefaultField,  // the u16 at `defaultOffset`, while the list has entries
    FirstEntry,    // the first entry's id
    HasType6,      // the row of value 6 when an entry has type 6
    EntryByIndex,  // the first row i whose value is entry i's id
    RamText,       // the row whose text is the first entry's text
};

struct SpecListRow {
    const char* key;
    uint32_t itemId;
    uint16_t handleOffset;  // the list's handle in the record
    uint16_t entrySize;
    uint16_t idOffset;
    bool idIsU32;
    std::span<const SpecName> (*names)();
    SpecListLoad load;
    uint16_t defaultOffset;
};

class CmSvSpecList : public CmSvMulti, public CmSvInit, public CmSvSdk_Multi {
public:
    CmSvInit* AsInit() override { return this; }
    CmSvSdk* AsSdk() override { return this; }
    struct NameBlock {
        char text[32];
    };

    explicit CmSvSpecList(const SpecListRow& row);

    // Builds one row per entry of the list, growing the rows as the list needs; answers 0 (no
    // rows) for an empty or missing list.
    int Init(UIDEVDATA* ctx, const uint8_t* settings) override;
    int LoadValue(UIDEVDATA* ctx, const uint8_t* source) override;
    int SetCurrent(UIDEVDATA* ctx, uint32_t key, void* data) override;

    const SpecListRow& row;

protected:
    // What an indexed item adds once the rows stand; entry i is the device's list entry of row i.
    virtual void IndexRows(const DeviceList&) {}
    uint32_t EntryId(const DeviceList& list, uint32_t i) const;

private:
    PoolVector<CmSvOptionRecord> rows_;
    PoolVector<NameBlock> names_;
    PoolVector<NameBlock> texts_;  // RAM expansions: the entry's own text
};

// A list item whose choices are indexed by name to the device's entries, with its secondary keys.
class CmSvSpecIndexedList : public CmSvSpecList, public CmSvProperty {
public:
    CmSvProperty* AsProperty() override { return this; }
    using CmSvSpecList::CmSvSpecList;

protected:
    void IndexRows(const DeviceList& list) override;
    virtual void AddKeys() = 0;
};

// How a secondary key reads the entry behind a choice.
enum class EntryKeyKind : uint8_t { Flag, ThreeState, Number };

class CmSvSpecEntryKey : public CmSvSecondKey {
public:
    CmSvSpecEntryKey(const char* name, CmSvProperty* owner, uint16_t entrySize, uint16_t offset, EntryKeyKind kind);
    int GetValue(UIDEVDATA* ctx, void* entry, PieValue* out) override;

    uint16_t entrySize;
    uint16_t offset;
    EntryKeyKind kind;
};

// Keys: class, key name, entry size, offset, kind.
#define SPEC_ENTRY_KEYS(X)                                                                        \
    X(CmSv2ndKey_PaperAssumed, "Assumed", 216, 0x84, Flag)                                        \
    X(CmSv2ndKey_PaperNoPairingOutputPage, "NoPairingOutputPage", 216, 0x88, Flag)                \
    X(CmSv2ndKey_PaperStretch, "Stretch", 216, 0x8c, Flag)                                        \
    X(CmSv2ndKey_PaperUp2, "Up2", 216, 0x90, Flag)                                                \
    X(CmSv2ndKey_PaperUp4, "Up4", 216, 0x94, Flag)                                                \
    X(CmSv2ndKey_PaperTwice, "Twice", 216, 0x98, Flag)                                            \
    X(CmSv2ndKey_PaperFinishingFlag, "FinishingFlag", 216, 0x9c, ThreeState)                      \
    X(CmSv2ndKey_PaperDuplex, "Duplex", 216, 0xa0, ThreeState)                                    \
    X(CmSv2ndKey_PaperBooklet, "Booklet", 216, 0xa4, ThreeState)                                  \
    X(CmSv2ndKey_PaperReverseOrder, "ReverseOrder", 216, 0xa8, ThreeState)                        \
    X(CmSv2ndKey_PaperJobOffset, "JobOffset", 216, 0xac, ThreeState)                              \
    X(CmSv2ndKey_PaperJobRotation, "JobRotation", 216, 0xb0, ThreeState)                          \
    X(CmSv2ndKey_PaperCollate, "Collate", 216, 0xb4, ThreeState)                                  \
    X(CmSv2ndKey_PaperGroup, "Group", 216, 0xb8, ThreeState)                                      \
    X(CmSv2ndKey_PaperMailBox, "MailBox", 216, 0xbc, ThreeState)                                  \
    X(CmSv2ndKey_PaperStaple, "Staple", 216, 0xc0, ThreeState)                                    \
    X(CmSv2ndKey_PaperFold, "Fold", 216, 0xc4, ThreeState)                                        \
    X(CmSv2ndKey_PaperHolePunch, "HolePunch", 216, 0xc8, ThreeState)                              \
    X(CmSv2ndKey_PaperMediaFlag, "MediaFlag", 216, 0xcc, Flag)                                    \
    X(CmSv2ndKey_PaperNumMedia, "NumMedia", 216, 0xd0, Number)                                    \
    X(CmSv2ndKey_PaperSourceNumPaper, "NumPaper", 72, 66, Number)                                 \
    X(CmSv2ndKey_PaperDestinationNumPaper, "NumPaper", 72, 66, Number)                            \
    X(CmSv2ndKey_HalfToneColorSpaceID, "ColorSpaceID", 68, 66, Number)                            \
    X(CmSv2ndKey_HalfToneObjColorSpaceID, "ColorSpaceID", 24, 2, Number)

#define DECLARE_ENTRY_KEY(Class, ...)               \
    class Class : public CmSvSpecEntryKey {         \
    public:                                         \
        explicit Class(CmSvProperty* owner);        \
    };
SPEC_ENTRY_KEYS(DECLARE_ENTRY_KEY)
#undef DECLARE_ENTRY_KEY

// "Spec$PaperSource": "CHECKPAPERSIZE" (source name, paper name).
class CmSvMulti_PaperSource : public CmSvSpecIndexedList, public CmSvAction {
public:
    CmSvAction* AsAction() override { return this; }
    CmSvMulti_PaperSource();
    int Action(UIDEVDATA* ctx, int argumentCount, const char* const* arguments, PieValue* out) override;

protected:
    void AddKeys() override;
};

// "Spec$PaperDestination": "CHECKPAPERSIZE" (the current destination's name, paper name).
class CmSvMulti_PaperDestination : public CmSvSpecIndexedList, public CmSvAction {
public:
    CmSvAction* AsAction() override { return this; }
    CmSvMulti_PaperDestination();
    int Action(UIDEVDATA* ctx, int argumentCount, const char* const* arguments, PieValue* out) override;

protected:
    void AddKeys() override;
};

// "Spec$Paper": "CHECKPAPERTYPE" (form name, paper-type name).
class CmSvMulti_Paper : public CmSvSpecIndexedList, public CmSvAction {
public:
    CmSvAction* AsAction() override { return this; }
    CmSvMulti_Paper();
    int Action(UIDEVDATA* ctx, int argumentCount, const char* const* arguments, PieValue* out) override;

protected:
    void AddKeys() override;
};

// "Spec$FshFolds": the fold check ("ZFOLD" to "XFOLD").
class CmSvMulti_FshFolds : public CmSvSpecList, public CmSvAction {
public:
    CmSvAction* AsAction() override { return this; }
    CmSvMulti_FshFolds();
    int Action(UIDEVDATA* ctx, int argumentCount, const char* const* arguments, PieValue* out) override;
};

class CmSvMulti_HalfTone : public CmSvSpecIndexedList {
public:
    CmSvMulti_HalfTone();

protected:
    void AddKeys() override;
};

class CmSvMulti_HalfToneObj : public CmSvSpecIndexedList {
public:
    CmSvMulti_HalfToneObj();

protected:
    void AddKeys() override;
};

#define DECLARE_PLAIN_LIST(Class)  \
    class Class : public CmSvSpecList { \
    public:                        \
        Class();                   \
    };
DECLARE_PLAIN_LIST(CmSvMulti_PaperType)
DECLARE_PLAIN_LIST(CmSvMulti_TonerSave)
DECLARE_PLAIN_LIST(CmSvMulti_SmoothingMode)
DECLARE_PLAIN_LIST(CmSvMulti_DitherSmoothingMode)
DECLARE_PLAIN_LIST(CmSvMulti_ExpRam)
#undef DECLARE_PLAIN_LIST
