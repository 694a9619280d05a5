// "PaperSourceTable" (item 1258): one choice per paper source of the device that has a display
// name, built from the core's paper-source cursor into a block of records the item keeps; and
// the keys the rules ask of a source (orientation, media type, tray name, remaining paper and
// the "Ftadel" flag). The printer's own item adds the choice index and the keys.
#pragma once

#include "settings/items/second_key.h"
#include "settings/sdk/sdk_binding.h"
#include "settings/items/sv_interfaces.h"
#include "settings/items/sv_multi.h"

#include <cstddef>

class CmSvMulti_PaperSourceTable : public CmSvMulti, public CmSvInit, public CmSvSdk_Multi {
public:
    CmSvInit* AsInit() override { return this; }
    CmSvSdk* AsSdk() override { return this; }
    static constexpr uint32_t kItemId = 1258;
    static constexpr size_t kRecordCount = 100;
    static constexpr size_t kNameSize = 32;
    static constexpr size_t kDisplaySize = 64;

    CmSvMulti_PaperSourceTable();
    ~CmSvMulti_PaperSourceTable() override;
    // The table is the device's sources, read for the rules' secondary keys and never stored: a
    // set is refused.
    int SetCurrent(UIDEVDATA* ctx, uint32_t key, void* data) override;

    // Rebuilds the choices in place from the device's sources: at most kRecordCount, named from
    // the paper-source name table ("UNDEFINED" and the id for an unknown one). Sources without a
    // display name take no choice. Answers 1 when the build ran to the end, 0 when it stopped
    // early (the count then holds the choices completed).
    int Init(UIDEVDATA* ctx, const uint8_t* settings) override;

private:
    PoolVector<CmSvOptionRecord> records_;
    char* names_[kRecordCount] = {};
    char* displays_[kRecordCount] = {};
};

// A key of the paper sources; the entry is the choice's option record, whose value is the id.
class CmSv2ndKey_PaperSource : public CmSvSecondKey {
public:
    using CmSvSecondKey::CmSvSecondKey;
    int GetValue(UIDEVDATA* ctx, void* entry, PieValue* out) override;

protected:
    // The value of the selected source.
    virtual int ValueOf(class PaperSourceCursor& source, PieValue* out) = 0;
};

// Number 3: "LANDSCAPE" for 3, "PORTRAIT" for 4, no value otherwise.
class CmSv2ndKey_PaperSourceTable_PaperOrient : public CmSv2ndKey_PaperSource {
public:
    explicit CmSv2ndKey_PaperSourceTable_PaperOrient(CmSvProperty* owner)
        : CmSv2ndKey_PaperSource(4, "PaperOrient", owner) {}

protected:
    int ValueOf(PaperSourceCursor& source, PieValue* out) override;
};

// Number 5 named through the media-type table; no value for a number it lacks.
class CmSv2ndKey_PaperSourceTable_MediaType : public CmSv2ndKey_PaperSource {
public:
    explicit CmSv2ndKey_PaperSourceTable_MediaType(CmSvProperty* owner)
        : CmSv2ndKey_PaperSource(4, "MediaType", owner) {}

protected:
    int ValueOf(PaperSourceCursor& source, PieValue* out) override;
};

// Text 1, the tray name, in a buffer of the key's own that stays valid until the next question.
class CmSv2ndKey_PaperSourceTable_TrayName : public CmSv2ndKey_PaperSource {
public:
    explicit CmSv2ndKey_PaperSourceTable_TrayName(CmSvProperty* owner)
        : CmSv2ndKey_PaperSource(4, "TrayName", owner) {}
    ~CmSv2ndKey_PaperSourceTable_TrayName() override;

protected:
    int ValueOf(PaperSourceCursor& source, PieValue* out) override;

private:
    char* text_ = nullptr;
};

// Number 4, the remaining paper.
class CmSv2ndKey_PaperSourceTable_PaperRemain : public CmSv2ndKey_PaperSource {
public:
    explicit CmSv2ndKey_PaperSourceTable_PaperRemain(CmSvProperty* owner)
        : CmSv2ndKey_PaperSource(3, "PaperRemain", owner) {}

protected:
    int ValueOf(PaperSourceCursor& source, PieValue* out) override;
};

// 1 when flag 1 of the source is 1, else 0.
class CmSv2ndKey_PaperSourceTable_Ftadel : public CmSv2ndKey_PaperSource {
public:
    explicit CmSv2ndKey_PaperSourceTable_Ftadel(CmSvProperty* owner) : CmSv2ndKey_PaperSource(1, "Ftadel", owner) {}

protected:
    int ValueOf(PaperSourceCursor& source, PieValue* out) override;
};
