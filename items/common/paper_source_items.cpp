// The paper selection, the source lists and the interleaf switch.
#include "items/common/paper_source_items.h"

#include "core/device/service_table.h"
#include "core/device/table_cursor_query.h"
#include "core/device/table_cursor_ref.h"
#include "core/device/table_cursor_sources.h"
#include "core/device/user_data.h"
#include "core/helpers/bounded_text.h"
#include "core/helpers/byte_view.h"
#include "core/memory/pool_text.h"
#include "data/resources/drvopui_ids.h"
#include "items/common/choice_select.h"
#include "items/common/option_word.h"
#include "items/common/public_devmode.h"
#include "items/common/source_tables.h"
#include "settings/registry/conflict.h"

#include <cstdio>

namespace {

constexpr uint16_t kNeverListed = 500;  // the paper-type selection, not a tray
// Sources that cannot feed sheets between pages.
bool FeedsNoInterleaf(uint16_t id) { return id == kBypassSource || id == 5 || id == 270; }

// A list this item changed on the option interface's behalf: stored and checked by the rules
// with the item itself, and shown again.
void NoteChanged(CmSvConflict* registry, CmSvMulti& item) {
    if (registry) registry->NotePartnerChange(&item);
}

CmSvMulti* ListOf(CmSvConflict* registry, uint32_t itemId) {
    return registry ? dynamic_cast<CmSvMulti*>(registry->FindItem(itemId)) : nullptr;
}

const uint32_t kShareAll[] = {1064, 1068, 1071, 0};
const uint32_t kShareOther[] = {1062, 1068, 1071, 0};
const uint32_t kShareOther2nd[] = {1062, 1064, 0};
const uint32_t kShareOtherCover[] = {1062, 1064, 0};
const uint32_t kShareFirst[] = {1066, 1070, 0};
const uint32_t kShareFirst2nd[] = {1063, 1070, 0};
const uint32_t kShareCover[] = {1063, 1066, 0};
const uint32_t kShareLast[] = {1069, 0};
const uint32_t kShareLast2nd[] = {1065, 0};
const uint32_t kShareNone[] = {0};

// The page kinds of each selection mode: which list gives the source at which record offset.
struct PageKindSource {
    uint32_t itemId;
    size_t offset;
};
struct SelectionMode {
    int32_t rowValue;
    uint32_t mode;  // of the option interface
    PageKindSource kinds[4];
    uint32_t kindCount;
};
constexpr SelectionMode kSelectionModes[] = {
    {kSelectOneSource, 0, {{1062, kSelectionOther}}, 1},
    {kSelectFirstOtherLast, 1, {{1063, kSelectionFirst}, {1064, kSelectionOther}, {1065, kSelectionLast}}, 3},
    {kSelectTwoSided,
     2,
     {{1066, kSelectionFirst}, {1068, kSelectionOther}, {1069, kSelectionLast}, {1067, kSelectionSecond}},
     4},
    {kSelectInterleaf, 4, {{1072, kSelectionInterleaf}}, 1},
    {kSelectCover, 3, {{1070, kSelectionFirst}, {1071, kSelectionOther}}, 2},
};

const SelectionMode* ModeOfRow(int32_t rowValue) {
    for (const SelectionMode& mode : kSelectionModes)
        if (mode.rowValue == rowValue) return &mode;
    return nullptr;
}

const int32_t kSelectionCompanions[] = {IDC_PAPER_SELECTION_LABEL, 0};

}  // namespace

const SourceListRow kSrcPaperSelection{"Devmode$PaperSelection", 1062, IDC_SOURCE_ALL, IDC_SOURCE_ALL_LABEL, 5, 0,
                                       kShareAll};
const SourceListRow kSrcFirstPage{"PaperSource$FirstPage", 1063, IDC_SOURCE_FIRST, IDC_SOURCE_FIRST - 1, 6,
                                  kOptFirstPageSource, kShareFirst};
const SourceListRow kSrcOtherPage{"Devmode$OtherPage", 1064, IDC_SOURCE_OTHER, IDC_SOURCE_OTHER - 1, 9, 0,
                                  kShareOther};
const SourceListRow kSrcLastPage{"PaperSource$LastPage", 1065, IDC_SOURCE_LAST, IDC_SOURCE_LAST - 1, 12,
                                 kOptLastPageSource, kShareLast};
const SourceListRow kSrcFirstPage2nd{"PaperSource$FirstPage2nd", 1066, IDC_SOURCE_FIRST_2ND, IDC_SOURCE_FIRST_2ND - 1,
                                     7, kOptFirstPageSource, kShareFirst2nd};
const SourceListRow kSrc2ndPage2nd{"PaperSource$2ndPage2nd", 1067, IDC_SOURCE_SECOND_2ND, IDC_SOURCE_SECOND_2ND - 1,
                                   8, kOptSecondPageSource, kShareNone};
const SourceListRow kSrcOtherPage2nd{"Devmode$OtherPage2nd", 1068, IDC_SOURCE_OTHER_2ND, IDC_SOURCE_OTHER_2ND - 1, 10,
                                     0, kShareOther2nd};
const SourceListRow kSrcLastPage2nd{"PaperSource$LastPage2nd", 1069, IDC_SOURCE_LAST_2ND, IDC_SOURCE_LAST_2ND - 1, 13,
                                    kOptLastPageSource, kShareLast2nd};
const SourceListRow kSrcCoverPage{"PaperSource$CoverPage", 1070, IDC_SOURCE_COVER, IDC_SOURCE_COVER - 1, 14,
                                  kOptFirstPageSource, kShareCover};
const SourceListRow kSrcOtherPageCover{"Devmode$OtherPageCover", 1071, IDC_SOURCE_OTHER_COVER,
                                       IDC_SOURCE_OTHER_COVER - 1, 11, 0, kShareOtherCover};
const SourceListRow kSrcInterleaf{"PaperSource$Interleaf", 1072, IDC_SOURCE_INTERLEAF, IDC_SOURCE_INTERLEAF - 1, 18,
                                  kOptInterleafSource, kShareNone};

// --- source rows -----------------------------------------------------------------------------

SourceRows::~SourceRows() {
    for (CmSvOptionRecord& row : rows_) {
        FreePoolText(const_cast<char*>(row.name));
        FreePoolText(row.display_text);
    }
}

int SourceRows::Build(UIDEVDATA* ctx, bool interleaf) {
    TableCursorRef<PaperSourceCursor> sources(ctx, kTableSources);
    if (!sources) return 0;
    // Room for every place up front, so that the rows never move; a place is made when first
    // needed (a device lists some ten sources, and the pool's allocator fills rows one by one).
    rows_.reserve(kCapacity);
    count_ = 0;
    for (int more = sources->First(); more; more = sources->Next()) {
        // A device with more sources than the block holds is cut at the block's end.
        if (count_ == kCapacity) return 1;
        const auto id = static_cast<uint16_t>(sources->GetNumber(1));
        if (id == kNeverListed || (interleaf && FeedsNoInterleaf(id))) continue;
        if (count_ == rows_.size()) rows_.push_back(CmSvOptionRecord{});
        CmSvOptionRecord& row = rows_[count_];
        // The texts of a row place stay with the place and are overwritten by the next build.
        char* name = const_cast<char*>(row.name);
        if (!name && !(name = NewPoolText(kNameSize))) return 0;
        row.name = name;
        if (const char* known = PaperSourceNameOf(id)) {
            if (!CopyBounded(name, kNameSize, known)) return 0;
        } else {
            std::snprintf(name, kNameSize, "UNDEFINED%u", static_cast<unsigned>(id));
        }
        char display[kDisplaySize] = {};
        sources->GetText(2, 0, display);
        display[kDisplaySize - 1] = '\0';
        if (!display[0]) continue;  // the place is taken by the next source
        if (!row.display_text && !(row.display_text = NewPoolText(kDisplaySize))) return 0;
        if (!CopyBounded(row.display_text, kDisplaySize, display)) return 0;
        row.value = id;
        row.shown = row.enabled = row.available = 1;
        ++count_;
    }
    return 1;
}

// --- source lists ----------------------------------------------------------------------------

template <class ListBinding>
CmSvSourceList<ListBinding>::CmSvSourceList(const SourceListRow& row)
    : ListBinding(row.key, row.itemId, 0, 0, nullptr, row.controlId, nullptr, 1, 1, 15, CmSvOwnerDrawList::kNoImage,
                  0),
      CmSvSdk_Multi(static_cast<const uint32_t*>(nullptr), 4, 0),
      row_(row) {
    previewKey = row.previewKey;
    companions_[0] = row.companion;
    this->companions = companions_;
}

template <class ListBinding>
int CmSvSourceList<ListBinding>::LoadValue(UIDEVDATA* ctx, const uint8_t* source) {
    const uint16_t id = row_.option ? ReadOptionShort(ctx, source, row_.option)
                                    : publicdm::U16(source, kPublicDefaultSource);
    return LoadRowByValue(*this, id);
}

template <class ListBinding>
int CmSvSourceList<ListBinding>::StoreValue(UIDEVDATA* ctx, uint8_t* destination) {
    const CmSvOptionRecord* row = this->CurrentRow();
    if (!row || !destination) return 1;
    const uint16_t stored = row_.option ? ReadOptionShort(ctx, destination, row_.option)
                                        : publicdm::U16(destination, kPublicDefaultSource);
    const auto id = static_cast<uint16_t>(row->value);
    if (stored == id) return 1;
    if (row_.option)
        WriteOptionShort(ctx, destination, row_.option, id);
    else
        publicdm::PutU16(destination, kPublicDefaultSource, id);
    if (CmSvConflict* registry = RegistryOf(ctx)) registry->ApplyValues(ctx, destination, row_.partners);
    return 1;
}

template <class ListBinding>
int CmSvSourceList<ListBinding>::Init(UIDEVDATA* ctx, const uint8_t*) {
    const int answer = rows_.Build(ctx, row_.controlId == IDC_SOURCE_INTERLEAF);
    this->UseTable(rows_.Rows(), rows_.Count());
    return answer;
}

template <class ListBinding>
int CmSvSourceList<ListBinding>::Preview(UIDEVDATA*, intptr_t, intptr_t, intptr_t c, intptr_t) {
    if (this->enabled != 1 || this->third == 1) return 0;
    const uint32_t before = this->current;
    if (SelectRowByValue(*this, static_cast<uint16_t>(c)) != kSdkDone) return 0;
    return this->current != before ? 1 : 0;
}

template class CmSvSourceList<CmSvListBox>;
template class CmSvSourceList<CmSvComboBox>;

// --- paper selection -------------------------------------------------------------------------

CmSvCB_PaperSelection::CmSvCB_PaperSelection()
    : CmSvComboBox("PaperSource$Selection", kItemId, 0, 0, nullptr, IDC_PAPER_SELECTION, kSelectionCompanions, 1, 1,
                   33, kIconImage, 1),
      CmSvSdk_Multi(0x10082, kSelectionRecordSize, 0) {}

int CmSvCB_PaperSelection::LoadValue(UIDEVDATA* ctx, const uint8_t* source) {
    return LoadRowFromShort(ctx, *this, source, kOptPaperSelection);
}

int CmSvCB_PaperSelection::StoreValue(UIDEVDATA* ctx, uint8_t* destination) {
    const CmSvOptionRecord* row = CurrentRow();
    if (row) WriteOptionShort(ctx, destination, kOptPaperSelection, static_cast<uint16_t>(row->value));
    return 1;
}

int CmSvCB_PaperSelection::GetCurrent(UIDEVDATA* ctx, uint32_t, void* data) {
    if (int answer = Guard(data)) return answer;
    const CmSvOptionRecord* row = CurrentRow();
    const SelectionMode* mode = row ? ModeOfRow(row->value) : nullptr;
    if (!mode) return kSdkNotSupported;
    MutableByteView record(data, kSelectionRecordSize);
    record.put_u32(0, mode->mode);
    CmSvConflict* registry = RegistryOf(ctx);
    for (uint32_t i = 0; i < mode->kindCount; ++i)
        if (CmSvMulti* list = ListOf(registry, mode->kinds[i].itemId); list && list->CurrentRow())
            record.put_u16(mode->kinds[i].offset, static_cast<uint16_t>(list->CurrentRow()->value));
    return kSdkDone;
}

int CmSvCB_PaperSelection::SetCurrent(UIDEVDATA* ctx, uint32_t, void* data) {
    if (int answer = SetGuard(data)) return answer;
    const ByteView record(data, kSelectionRecordSize);
    uint32_t wanted = 0;
    record.u32(0, wanted);
    uint32_t index = count;
    for (uint32_t i = 0; i < count && index == count; ++i)
        if (table[i].offered == 1 && table[i].option_value == static_cast<int32_t>(wanted)) index = i;
    // A mode no row serves changes nothing, and neither do its sources.
    if (index == count) return kSdkNotSupported;
    if (table[index].enabled != 1) return kSdkRefused;
    const SelectionMode* mode = ModeOfRow(table[index].value);
    if (!mode) return kSdkNotSupported;

    // Every list of the mode is checked before any of them changes.
    CmSvConflict* registry = RegistryOf(ctx);
    CmSvMulti* lists[4] = {};
    uint32_t rows[4] = {};
    for (uint32_t i = 0; i < mode->kindCount; ++i) {
        lists[i] = ListOf(registry, mode->kinds[i].itemId);
        if (!lists[i]) return kSdkNoItem;
        uint16_t id = 0;
        record.u16(mode->kinds[i].offset, id);
        rows[i] = lists[i]->FindValue(id);
        if (rows[i] >= lists[i]->count) {
            const uint32_t self[] = {kItemId, 0};
            registry->ApplyValues(ctx, SheetSettings(ctx), self);
            return kSdkNotSupported;
        }
    }
    current = index;
    for (uint32_t i = 0; i < mode->kindCount; ++i) {
        if (lists[i]->current == rows[i]) continue;
        lists[i]->current = rows[i];
        NoteChanged(registry, *lists[i]);
    }
    return kSdkDone;
}

int CmSvCB_PaperSelection::Apply(UIDEVDATA* ctx, uint32_t, void* data) {
    if (int refused = SetGuard(data ? data : this)) return refused;
    if (int answer = SelectRowByValue(*this, kSelectOneSource)) return answer;
    CmSvConflict* registry = RegistryOf(ctx);
    CmSvMulti* all = ListOf(registry, kSrcPaperSelection.itemId);
    const uint8_t* defaults = ctx && ctx->svc ? ctx->svc->GetDevmode(ctx, 1) : nullptr;
    if (all && defaults) {
        const uint32_t row = all->FindValue(publicdm::U16(defaults, kPublicDefaultSource));
        if (row < all->count && row != all->current) {
            all->current = row;
            NoteChanged(registry, *all);
        }
    }
    return kSdkDone;
}

// --- interleaf switch ------------------------------------------------------------------------

CmSvCK_InterLeafPrint::CmSvCK_InterLeafPrint()
    : CmSvCheckBox("PaperSource$InterLeafPrint", kItemId, 0, IDC_INTERLEAF_PRINT, nullptr, 1, 1),
      CmSvSdk_OnOff(0x1006e, 0, 1, 4, 0) {}

int CmSvCK_InterLeafPrint::LoadValue(UIDEVDATA* ctx, const uint8_t* source) {
    current = (ReadOptionWord(ctx, source, kOptSourceFlags) >> kInterleafPrintBit) & 1u;
    return 1;
}

int CmSvCK_InterLeafPrint::StoreValue(UIDEVDATA* ctx, uint8_t* destination) {
    WriteOptionWord(ctx, destination, kOptSourceFlags,
                    WithBit(ReadOptionWord(ctx, destination, kOptSourceFlags), kInterleafPrintBit, current == 1));
    return 1;
}

int CmSvCK_InterLeafPrint::Apply(UIDEVDATA*, uint32_t, void* data) {
    if (int refused = SetGuard(data ? data : this)) return refused;
    current = 0;
    return kSdkDone;
}
