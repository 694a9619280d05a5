// The items of the paper-source page: the paper-selection mode, the eleven source lists of the
// page kinds each mode prints (all pages; first, other and last; the two-sided set with a second
// page; cover and other pages; interleaved sheets), the interleaf switch and the Default button.
// Several lists keep one stored value (dmDefaultSource, or one of the page-kind options); a list
// that stores a new source reloads the lists that share it, so that the page shows one answer.
#pragma once

#include "core/memory/pool_allocator.h"
#include "settings/controls/buttons.h"
#include "settings/controls/list_bindings.h"
#include "settings/items/sv_interfaces.h"
#include "settings/sdk/sdk_binding.h"

#include <windows.h>

#include <cstddef>
#include <cstdint>

inline constexpr uint32_t kOptSourceFlags = 200;  // 32-bit: bit 1 interleaf sheets are printed
inline constexpr uint32_t kOptPaperSelection = 201;
inline constexpr uint32_t kOptFirstPageSource = 202;
inline constexpr uint32_t kOptSecondPageSource = 203;
inline constexpr uint32_t kOptLastPageSource = 204;
inline constexpr uint32_t kOptInterleafSource = 205;
inline constexpr uint32_t kInterleafPrintBit = 1;
inline constexpr size_t kPublicDefaultSource = offsetof(DEVMODEA, dmDefaultSource);
static_assert(kPublicDefaultSource == 56);

// The paper-selection record of the option interface: the mode, then the source of each page kind.
inline constexpr size_t kSelectionRecordSize = 16;
inline constexpr size_t kSelectionFirst = 4;  // first page, or the cover
inline constexpr size_t kSelectionSecond = 6;
inline constexpr size_t kSelectionOther = 8;  // other pages, or all pages
inline constexpr size_t kSelectionLast = 10;
inline constexpr size_t kSelectionInterleaf = 12;

// Row values of the paper selection (what option 201 holds).
enum PaperSelectionValue : int32_t {
    kSelectOneSource = 0,
    kSelectFirstOtherLast = 1,
    kSelectTwoSided = 2,
    kSelectInterleaf = 3,
    kSelectCover = 4,
};

// What tells one source list from the others.
struct SourceListRow {
    const char* key;
    uint32_t itemId;
    int32_t controlId;
    int32_t companion;
    uint32_t previewKey;
    uint32_t option;            // 0: dmDefaultSource of the public part
    const uint32_t* partners;   // the lists that share the value, zero-terminated
};

// The rows of a source list, made at run time from the device's paper sources: at most
// kCapacity, each with its name and display text.
class SourceRows {
public:
    static constexpr uint32_t kCapacity = 100;
    static constexpr size_t kNameSize = 32;
    static constexpr size_t kDisplaySize = 64;
    ~SourceRows();
    // Rebuilds the rows; the interleaf list leaves out the sources that cannot feed sheets
    // between pages, and a device with more sources than the capacity is cut there. 1 when done,
    // 0 when there is no cursor or memory ran short; the rows completed so far stay.
    int Build(UIDEVDATA* ctx, bool interleaf);
    CmSvOptionRecord* Rows() { return rows_.data(); }
    uint32_t Count() const { return count_; }

private:
    PoolVector<CmSvOptionRecord> rows_;
    uint32_t count_ = 0;
};

// A source list of either control kind.
template <class ListBinding>
class CmSvSourceList : public ListBinding, public CmSvSdk_Multi, public CmSvInit, public CmSvPreview {
public:
    CmSvSdk* AsSdk() override { return this; }
    CmSvInit* AsInit() override { return this; }
    CmSvPreview* AsPreview() override { return this; }
    explicit CmSvSourceList(const SourceListRow& row);
    int LoadValue(UIDEVDATA* ctx, const uint8_t* source) override;
    // A new source is written, then the lists that share it are loaded again from there.
    int StoreValue(UIDEVDATA* ctx, uint8_t* destination) override;
    int Init(UIDEVDATA* ctx, const uint8_t* settings) override;
    // The page picture's paper source (third argument) becomes the choice.
    int Preview(UIDEVDATA* ctx, intptr_t a, intptr_t b, intptr_t c, intptr_t d) override;

private:
    const SourceListRow& row_;
    int32_t companions_[2] = {};
    SourceRows rows_;
};

extern const SourceListRow kSrcPaperSelection, kSrcFirstPage, kSrcOtherPage, kSrcLastPage, kSrcFirstPage2nd,
    kSrc2ndPage2nd, kSrcOtherPage2nd, kSrcLastPage2nd, kSrcCoverPage, kSrcOtherPageCover, kSrcInterleaf;

#define DRV_SOURCE_LIST(Class, Binding, Row, Id)                       \
    class Class : public CmSvSourceList<Binding> {                     \
    public:                                                            \
        static constexpr uint32_t kItemId = Id;                        \
        Class() : CmSvSourceList<Binding>(Row) {}                      \
    };
DRV_SOURCE_LIST(CmSvLB_PaperSource, CmSvListBox, kSrcPaperSelection, 1062)
DRV_SOURCE_LIST(CmSvCB_FirstPage, CmSvComboBox, kSrcFirstPage, 1063)
DRV_SOURCE_LIST(CmSvCB_OtherPage, CmSvComboBox, kSrcOtherPage, 1064)
DRV_SOURCE_LIST(CmSvCB_LastPage, CmSvComboBox, kSrcLastPage, 1065)
DRV_SOURCE_LIST(CmSvCB_FirstPage2nd, CmSvComboBox, kSrcFirstPage2nd, 1066)
DRV_SOURCE_LIST(CmSvCB_2ndPage2nd, CmSvComboBox, kSrc2ndPage2nd, 1067)
DRV_SOURCE_LIST(CmSvCB_OtherPage2nd, CmSvComboBox, kSrcOtherPage2nd, 1068)
DRV_SOURCE_LIST(CmSvCB_LastPage2nd, CmSvComboBox, kSrcLastPage2nd, 1069)
DRV_SOURCE_LIST(CmSvCB_CoverPage, CmSvComboBox, kSrcCoverPage, 1070)
DRV_SOURCE_LIST(CmSvCB_OtherPageCover, CmSvComboBox, kSrcOtherPageCover, 1071)
DRV_SOURCE_LIST(CmSvCB_Interleaf, CmSvComboBox, kSrcInterleaf, 1072)
#undef DRV_SOURCE_LIST

// The paper-selection mode; its rows come from the printer's own item.
class CmSvCB_PaperSelection : public CmSvComboBox, public CmSvSdk_Multi {
public:
    CmSvSdk* AsSdk() override { return this; }
    static constexpr uint32_t kItemId = 1061;
    CmSvCB_PaperSelection();
    int LoadValue(UIDEVDATA* ctx, const uint8_t* source) override;
    int StoreValue(UIDEVDATA* ctx, uint8_t* destination) override;
    // The mode and the sources of its page kinds, as a selection record.
    int GetCurrent(UIDEVDATA* ctx, uint32_t key, void* data) override;
    // A selection record: every list of the mode must be there and offer its source before
    // anything changes.
    int SetCurrent(UIDEVDATA* ctx, uint32_t key, void* data) override;
    // One source for all pages, the default device mode's.
    int Apply(UIDEVDATA* ctx, uint32_t key, void* data) override;
};

class CmSvCK_InterLeafPrint : public CmSvCheckBox, public CmSvSdk_OnOff {
public:
    CmSvSdk* AsSdk() override { return this; }
    static constexpr uint32_t kItemId = 1073;
    CmSvCK_InterLeafPrint();
    int LoadValue(UIDEVDATA* ctx, const uint8_t* source) override;
    int StoreValue(UIDEVDATA* ctx, uint8_t* destination) override;
    int Apply(UIDEVDATA* ctx, uint32_t key, void* data) override;
};
