// The device capability items over the device's lists: row building, loading, the secondary
// keys of the entries and the capability checks.
#include "items/common/spec_lists.h"

#include "core/device/table_cursor_papers.h"
#include "core/device/table_cursor_query.h"
#include "core/device/table_cursor_ref.h"
#include "items/common/sheet_items.h"
#include "items/common/source_tables.h"

#include <array>
#include <cstring>

namespace {

constexpr size_t kEntryTextSize = 64;  // RAM expansion entries begin with their text
constexpr size_t kSourcePaperIds = 68;  // source and destination entries: their papers' sub-list
constexpr size_t kPaperMediaList = 212;
constexpr size_t kMediaTypeOffset = 64;
constexpr uint32_t kFormTableItem = 1257;
constexpr uint32_t kPaperTypeItem = 1082;

// The paper-source name table as (id, name) rows, made once from the sources' own table.
std::span<const SpecName> PaperSourceNames() {
    static const std::array<SpecName, kPaperSourceNameCount> rows = [] {
        std::array<SpecName, kPaperSourceNameCount> out{};
        for (size_t i = 0; i < out.size(); ++i) out[i] = {kPaperSourceNames[i].id, kPaperSourceNames[i].name};
        return out;
    }();
    return rows;
}

constexpr SpecListRow kPaperSourceRow{"Spec$PaperSource", 1076, 0x814, 72, 64, false, PaperSourceNames,
                                      SpecListLoad::DefaultField, 0x810};
constexpr SpecListRow kPaperRow{"Spec$Paper", 1081, 0x800, 216, 0, false, PaperNames, SpecListLoad::DefaultField, 0x7fc};
constexpr SpecListRow kPaperTypeRow{"Spec$PaperType", 1082, 0x828, 66, 64, false, PaperTypeNames,
                                    SpecListLoad::HasType6, 0};
constexpr SpecListRow kPaperDestinationRow{"Spec$PaperDestination", 1089, 0x81c, 72, 64, false, PaperSourceNames,
                                           SpecListLoad::DefaultField, 0x818};
constexpr SpecListRow kFshFoldsRow{"Spec$FshFolds", 1095, 0x7e8, 8, 0, false, FoldNames, SpecListLoad::DefaultField,
                                   0x7e4};
constexpr SpecListRow kTonerSaveRow{"Spec$TonerSave", 1212, 0x834, 66, 64, false, DefaultOffOnNames,
                                    SpecListLoad::FirstEntry, 0};
constexpr SpecListRow kSmoothingRow{"Spec$SmoothingMode", 1213, 0x840, 66, 64, false, DefaultOffOnNames,
                                    SpecListLoad::FirstEntry, 0};
constexpr SpecListRow kDitherRow{"Spec$DitherSmoothingMode", 1214, 0x84c, 66, 64, false, DefaultOffOnNames,
                                 SpecListLoad::FirstEntry, 0};
constexpr SpecListRow kHalfToneRow{"Spec$HalfTone", 1215, 0x858, 68, 64, false, HalfToneNames,
                                   SpecListLoad::FirstEntry, 0};
constexpr SpecListRow kHalfToneObjRow{"Spec$HalfToneObj", 1216, 0x864, 24, 0, false, HalfToneNames,
                                      SpecListLoad::EntryByIndex, 0};
constexpr SpecListRow kExpRamRow{"Spec$ExpRam", 1217, 0x8b0, 72, 68, true, MemorySizeNames, SpecListLoad::RamText,
                                 0};

bool Is(const char* text, const char* name) { return text && std::strcmp(text, name) == 0; }

// True when the sub-list of 16-bit ids holds that id.
bool ListsId(const DeviceList& ids, uint16_t id, size_t idOffset = 0) {
    for (uint32_t i = 0; i < ids.count; ++i) {
        uint16_t value = 0;
        if (ids.Entry(i).u16(idOffset, value) && value == id) return true;
    }
    return false;
}

// The entry of a list whose u16 at idOffset is that id; count when none.
uint32_t FindEntry(const DeviceList& list, uint16_t id, size_t idOffset) {
    for (uint32_t i = 0; i < list.count; ++i) {
        uint16_t value = 0;
        if (list.Entry(i).u16(idOffset, value) && value == id) return i;
    }
    return list.count;
}

// Whether the device lists the paper for the source or destination of that id.
int ListsPaper(const DeviceData& data, size_t handleOffset, uint16_t sourceId, const char* paperName) {
    uint32_t paper = 0;
    if (!SpecIdOf(PaperNames(), paperName, paper)) return 0;
    const DeviceList list = data.ListAt(handleOffset);
    for (uint32_t i = 0; i < list.count; ++i) {
        uint16_t id = 0;
        if (list.Entry(i).u16(64, id) && id == sourceId &&
            ListsId(data.SubList(list, i, kSourcePaperIds), static_cast<uint16_t>(paper)))
            return 1;
    }
    return 0;
}

// The value of the choice of that option name of a registered multiple-choice item.
bool ChoiceValue(UIDEVDATA* ctx, uint32_t itemId, const char* name, int32_t& value) {
    auto* multi = dynamic_cast<CmSvMulti*>(FindSheetItem(ctx, itemId));
    if (!multi || !name) return false;
    for (uint32_t i = 0; i < multi->count; ++i) {
        const CmSvOptionRecord* row = multi->Row(i);
        if (row->name && std::strcmp(row->name, name) == 0) {
            value = row->value;
            return true;
        }
    }
    return false;
}

}  // namespace

CmSvSpecList::CmSvSpecList(const SpecListRow& row)
    : CmSvMulti(row.key, row.itemId, kSvKindValueOnly, 0, 0u, 0u, nullptr),
      CmSvSdk_Multi(kSdkItemKeyBase + row.itemId, 2, 0),
      row(row) {}

uint32_t CmSvSpecList::EntryId(const DeviceList& list, uint32_t i) const {
    const ByteView entry = list.Entry(i);
    if (row.idIsU32) {
        uint32_t id = 0;
        entry.u32(row.idOffset, id);
        return id;
    }
    uint16_t id = 0;
    entry.u16(row.idOffset, id);
    return id;
}

int CmSvSpecList::Init(UIDEVDATA* ctx, const uint8_t*) {
    const DeviceData* data = SpecRecord(ctx);
    const DeviceList list = data ? data->ListAt(row.handleOffset) : DeviceList{};
    // A list whose entries are not of this item's size is no list of this item.
    if (list.count == 0 || list.entrySize != row.entrySize) {
        UseTable(nullptr, 0);
        IndexRows(DeviceList{});
        return 0;
    }
    // The rows follow the list's count: a larger list than last time gets a larger block.
    rows_.resize(list.count);
    names_.resize(list.count);
    if (row.load == SpecListLoad::RamText) texts_.resize(list.count);
    for (uint32_t i = 0; i < list.count; ++i) {
        const uint32_t id = EntryId(list, i);
        NameRow(row.names(), id, names_[i].text);
        char* text = nullptr;
        if (row.load == SpecListLoad::RamText) {
            NameBlock& block = texts_[i];
            std::memset(block.text, 0, sizeof block.text);
            list.Entry(i).bytes(0, block.text, sizeof block.text - 1);
            text = block.text;
        }
        const auto value = static_cast<int32_t>(id);
        rows_[i] = CmSvOptionRecord{names_[i].text, text, value, 0, 0, 0, 0, 0, 0, nullptr, 1, value, 1};
    }
    UseTable(rows_.data(), list.count);
    IndexRows(list);
    return 1;
}

// A device's list is what the device has: the option interface reads the choice, never sets it.
int CmSvSpecList::SetCurrent(UIDEVDATA*, uint32_t, void* data) { return ReadOnlySet(data); }

int CmSvSpecList::LoadValue(UIDEVDATA* ctx, const uint8_t*) {
    const DeviceData* data = SpecRecord(ctx);
    if (!data || !table) return 0;
    const DeviceList list = data->ListAt(row.handleOffset);
    uint32_t found = count;
    switch (row.load) {
    case SpecListLoad::DefaultField:
        if (!list.empty()) found = FindValue(data->U16(row.defaultOffset));
        break;
    case SpecListLoad::FirstEntry:
        if (!list.empty()) found = FindValue(static_cast<int32_t>(EntryId(list, 0)));
        break;
    case SpecListLoad::HasType6:
        if (FindEntry(list, 6, row.idOffset) < list.count) found = FindValue(6);
        break;
    case SpecListLoad::EntryByIndex:
        for (uint32_t i = 0; i < count && i < list.count && found == count; ++i)
            if (Row(i)->value == static_cast<int32_t>(EntryId(list, i))) found = i;
        break;
    case SpecListLoad::RamText: {
        char first[kEntryTextSize] = {};
        if (list.empty() || !list.Entry(0).bytes(0, first, sizeof first - 1)) break;
        for (uint32_t i = 0; i < count && found == count; ++i)
            if (Row(i)->display_text && std::strcmp(Row(i)->display_text, first) == 0) found = i;
        break;
    }
    }
    if (found >= count) return 0;
    current = found;
    return 1;
}

void CmSvSpecIndexedList::IndexRows(const DeviceList& list) {
    ClearEntries();
    for (uint32_t i = 0; i < count && i < list.count; ++i)
        AddEntry(Row(i)->name, const_cast<uint8_t*>(list.Entry(i).data()));
    if (KeyCount() == 0) AddKeys();
}

CmSvSpecEntryKey::CmSvSpecEntryKey(const char* name, CmSvProperty* owner, uint16_t entrySize, uint16_t offset,
                                   EntryKeyKind kind)
    : CmSvSecondKey(kind == EntryKeyKind::Flag ? kSvTypeOnOff : kind == EntryKeyKind::ThreeState ? kSvTypeString
                                                                                                  : kSvTypeNumeric,
                    name, owner),
      entrySize(entrySize),
      offset(offset),
      kind(kind) {}

int CmSvSpecEntryKey::GetValue(UIDEVDATA*, void* entry, PieValue* out) {
    if (!entry || !out) return 0;
    const ByteView bytes(entry, entrySize);
    if (kind == EntryKeyKind::Number) {
        uint16_t number = 0;
        if (!bytes.u16(offset, number)) return 0;
        *out = PieValue{kSvTypeNumeric, number};
        return 1;
    }
    uint32_t word = 0;
    if (!bytes.u32(offset, word)) return 0;
    if (kind == EntryKeyKind::Flag) {
        *out = PieValue{kSvTypeOnOff, word != 0 ? 1 : 0};
        return 1;
    }
    static constexpr const char* kStates[] = {"DISABLE", "OFF", "ON"};
    if (word > 2) return 0;  // a state the device does not define has no name to give
    *out = PieValue{kSvTypeString, reinterpret_cast<intptr_t>(kStates[word])};
    return 1;
}

#define DEFINE_ENTRY_KEY(Class, Name, Size, Offset, Kind) \
    Class::Class(CmSvProperty* owner) : CmSvSpecEntryKey(Name, owner, Size, Offset, EntryKeyKind::Kind) {}
SPEC_ENTRY_KEYS(DEFINE_ENTRY_KEY)
#undef DEFINE_ENTRY_KEY

CmSvMulti_PaperSource::CmSvMulti_PaperSource() : CmSvSpecIndexedList(kPaperSourceRow) {}

void CmSvMulti_PaperSource::AddKeys() { AddKey(new CmSv2ndKey_PaperSourceNumPaper(this)); }

int CmSvMulti_PaperSource::Action(UIDEVDATA* ctx, int argumentCount, const char* const* arguments, PieValue*) {
    if (argumentCount != 3 || !arguments || !Is(arguments[0], "CHECKPAPERSIZE") || !table) return 0;
    uint32_t source = 0;
    const DeviceData* data = SpecRecord(ctx);
    if (!data || !SpecIdOf(PaperSourceNames(), arguments[1], source)) return 0;
    return ListsPaper(*data, row.handleOffset, static_cast<uint16_t>(source), arguments[2]);
}

CmSvMulti_PaperDestination::CmSvMulti_PaperDestination() : CmSvSpecIndexedList(kPaperDestinationRow) {}

void CmSvMulti_PaperDestination::AddKeys() { AddKey(new CmSv2ndKey_PaperDestinationNumPaper(this)); }

int CmSvMulti_PaperDestination::Action(UIDEVDATA* ctx, int argumentCount, const char* const* arguments, PieValue*) {
    if (argumentCount != 3 || !arguments || !Is(arguments[0], "CHECKPAPERSIZE")) return 0;
    const CmSvOptionRecord* chosen = CurrentRow();
    const DeviceData* data = SpecRecord(ctx);
    if (!data || !chosen || !chosen->name || !Is(arguments[1], chosen->name)) return 0;
    return ListsPaper(*data, row.handleOffset, static_cast<uint16_t>(chosen->value), arguments[2]);
}

CmSvMulti_Paper::CmSvMulti_Paper() : CmSvSpecIndexedList(kPaperRow) {}

void CmSvMulti_Paper::AddKeys() {
#define ADD_PAPER_KEY(Class, Name, Size, ...) \
    if (Size == 216) AddKey(new Class(this));
    SPEC_ENTRY_KEYS(ADD_PAPER_KEY)
#undef ADD_PAPER_KEY
}

int CmSvMulti_Paper::Action(UIDEVDATA* ctx, int argumentCount, const char* const* arguments, PieValue*) {
    if (argumentCount != 3 || !arguments || !Is(arguments[0], "CHECKPAPERTYPE")) return 0;
    int32_t form = 0, type = 0;
    if (!ChoiceValue(ctx, kFormTableItem, arguments[1], form) || !ChoiceValue(ctx, kPaperTypeItem, arguments[2], type))
        return 0;
    TableCursorRef<PaperCursor> forms(ctx, kTablePapers);
    if (!forms || !forms->Select(static_cast<uint16_t>(form))) return 0;
    const uint16_t paper = forms->GetWord(2);
    const DeviceData* data = SpecRecord(ctx);
    if (!data) return 0;
    const DeviceList papers = data->ListAt(row.handleOffset);
    const uint32_t at = FindEntry(papers, paper, row.idOffset);
    if (at >= papers.count) return 0;
    return ListsId(data->SubList(papers, at, kPaperMediaList), static_cast<uint16_t>(type), kMediaTypeOffset) ? 1 : 0;
}

CmSvMulti_FshFolds::CmSvMulti_FshFolds() : CmSvSpecList(kFshFoldsRow) {}

int CmSvMulti_FshFolds::Action(UIDEVDATA* ctx, int argumentCount, const char* const* arguments, PieValue*) {
    if (argumentCount != 1 || !arguments || !arguments[0]) return 0;
    static constexpr const char* kFolds[] = {"ZFOLD", "SADDLE", "DOUBLEGATE", "LEFTGATE", "RIGHTGATE", "LETTERFOLD",
                                             "XFOLD"};
    uint16_t fold = 0;
    for (size_t i = 0; i < std::size(kFolds) && !fold; ++i)
        if (Is(arguments[0], kFolds[i])) fold = static_cast<uint16_t>(i + 1);
    const DeviceData* data = SpecRecord(ctx);
    if (!fold || !data) return 0;
    return ListsId(data->ListAt(row.handleOffset), fold) ? 1 : 0;
}

CmSvMulti_HalfTone::CmSvMulti_HalfTone() : CmSvSpecIndexedList(kHalfToneRow) {}
void CmSvMulti_HalfTone::AddKeys() { AddKey(new CmSv2ndKey_HalfToneColorSpaceID(this)); }

CmSvMulti_HalfToneObj::CmSvMulti_HalfToneObj() : CmSvSpecIndexedList(kHalfToneObjRow) {}
void CmSvMulti_HalfToneObj::AddKeys() { AddKey(new CmSv2ndKey_HalfToneObjColorSpaceID(this)); }

CmSvMulti_PaperType::CmSvMulti_PaperType() : CmSvSpecList(kPaperTypeRow) {}
CmSvMulti_TonerSave::CmSvMulti_TonerSave() : CmSvSpecList(kTonerSaveRow) {}
CmSvMulti_SmoothingMode::CmSvMulti_SmoothingMode() : CmSvSpecList(kSmoothingRow) {}
CmSvMulti_DitherSmoothingMode::CmSvMulti_DitherSmoothingMode() : CmSvSpecList(kDitherRow) {}
CmSvMulti_ExpRam::CmSvMulti_ExpRam() : CmSvSpecList(kExpRamRow) {}
