// Stamp switch and stamp choice.
#include "items/common/stamp_items.h"

#include "core/helpers/bounded_text.h"
#include "core/device/service_table.h"
#include "data/resources/drvopui_ids.h"
#include "items/common/option_word.h"
#include "settings/items/sv_item.h"

#include <cstdio>
#include <cstring>

namespace {

constexpr uint32_t kStampOnBit = 0;

// A text field of the device mode, always terminated inside its width.
void ReadField(UIDEVDATA* ctx, const uint8_t* devmode, uint32_t option, char (&out)[kStampFieldSize + 1]) {
    std::memset(out, 0, sizeof out);
    if (ctx && ctx->svc && devmode) ctx->svc->GetOption(ctx, devmode, option, out, kStampFieldSize);
}

void WriteField(UIDEVDATA* ctx, uint8_t* devmode, uint32_t option, const char* text) {
    char block[kStampFieldSize] = {};
    if (text) std::strncpy(block, text, kStampFieldSize - 1);
    ctx->svc->SetOption(ctx, devmode, option, block, kStampFieldSize);
}

// The watermark entry of a stamp id; Count() when none.
uint32_t EntryOf(const CmWaterMark& marks, int32_t id) {
    for (uint32_t i = 0; i < marks.Count(); ++i)
        if (marks.Id(i) == id) return i;
    return marks.Count();
}

}  // namespace

void StampOptionName(uint16_t id, char (&out)[kStampFieldSize]) {
    static const char* const kNamed[] = {"SECRET", "CONFIDENTIAL", "COPY", "DRAFT", "SECRET2", "NOTCOPY"};
    std::memset(out, 0, sizeof out);
    if (id >= 1 && id <= 6)
        std::strncpy(out, kNamed[id - 1], sizeof out - 1);
    else
        std::snprintf(out, sizeof out, "USERDEF%u", static_cast<unsigned>(id));
}

// --- switch --------------------------------------------------------------------------------

CmSvCK_Stamp::CmSvCK_Stamp()
    : CmSvCheckBox("Stamp$Stamp", kItemId, 0, IDC_STAMP, nullptr, 1, 1), CmSvSdk_OnOff(0x10066, 0, 1, 4, 0) {}

int CmSvCK_Stamp::LoadValue(UIDEVDATA* ctx, const uint8_t* source) {
    current = (ReadOptionWord(ctx, source, kOptStampFlags) >> kStampOnBit) & 1;
    return 1;
}

int CmSvCK_Stamp::StoreValue(UIDEVDATA* ctx, uint8_t* destination) {
    const uint32_t flags = ReadOptionWord(ctx, destination, kOptStampFlags);
    WriteOptionWord(ctx, destination, kOptStampFlags, WithBit(flags, kStampOnBit, current == 1));
    return 1;
}

int CmSvCK_Stamp::Apply(UIDEVDATA*, uint32_t, void* data) {
    if (int refused = SetGuard(data ? data : this)) return refused;
    current = 0;
    return kSdkDone;
}

// --- choice --------------------------------------------------------------------------------

CmSvCB_StampSelect::CmSvCB_StampSelect()
    : CmSvComboBox("Stamp$StampSelect", kItemId, 0, 0, nullptr, IDC_STAMP_SELECT, nullptr, 1, 1, 15, kNoImage, 0),
      CmSvSdk(0x10067, kStampRecordSize, 0) {}

int CmSvCB_StampSelect::Init(UIDEVDATA* ctx, const uint8_t*) {
    const CmWaterMark& marks = WaterMarkOf(ctx);
    std::memset(rows_, 0, sizeof rows_);
    std::memset(names_, 0, sizeof names_);
    std::memset(displays_, 0, sizeof displays_);
    uint32_t n = 0;
    for (; n < marks.Count() && n < kRowCount; ++n) {
        const uint16_t id = marks.Id(n);
        StampOptionName(id, names_[n]);
        if (const char* name = marks.Name(n)) std::strncpy(displays_[n], name, kWaterMarkTextSize - 1);
        CmSvOptionRecord& row = rows_[n];
        row.name = names_[n];
        row.display_text = displays_[n];
        row.value = id;
        row.shown = row.enabled = row.available = 1;
    }
    UseTable(rows_, n);
    return 1;
}

uint32_t CmSvCB_StampSelect::FindName(const char* name, size_t limit) const {
    if (!name) return count;
    char wanted[kWaterMarkTextSize] = {};
    std::memcpy(wanted, name, BoundedLength(name, limit < sizeof wanted - 1 ? limit : sizeof wanted - 1));
    for (uint32_t i = 0; i < count; ++i)
        if (table[i].display_text && std::strcmp(table[i].display_text, wanted) == 0) return i;
    return count;
}

int CmSvCB_StampSelect::SelectName(const char* name, size_t limit) {
    const uint32_t index = FindName(name, limit);
    if (index >= count) return kSdkNotSupported;
    if (table[index].enabled != 1) return kSdkRefused;
    current = index;
    return kSdkDone;
}

int CmSvCB_StampSelect::LoadValue(UIDEVDATA* ctx, const uint8_t* source) {
    char name[kStampFieldSize + 1];
    ReadField(ctx, source, kOptStampName, name);
    if (name[0] == 0) {
        if (count == 0) return 0;
        current = 0;
        return 1;
    }
    const uint32_t index = FindName(name, kStampFieldSize);
    if (index >= count) return 0;
    current = index;
    return 1;
}

int CmSvCB_StampSelect::StoreValue(UIDEVDATA* ctx, uint8_t* destination) {
    const CmSvOptionRecord* row = CurrentRow();
    if (!row || !ctx || !ctx->svc || !destination) return 0;
    if (row->value == 0) {
        WriteField(ctx, destination, kOptStampName, "");
        return 1;
    }
    const CmWaterMark& marks = WaterMarkOf(ctx);
    const uint32_t entry = EntryOf(marks, row->value);
    if (entry >= marks.Count()) return 0;  // the stamp went away: nothing is written
    WriteField(ctx, destination, kOptStampName, marks.Name(entry));
    WriteField(ctx, destination, kOptStampText, marks.Text(entry));

    // The font record: three numbers widened to 32 bits, then the face name.
    uint8_t font[48] = {};
    ctx->svc->GetOption(ctx, destination, kOptStampFont, font, sizeof font);
    const CmWaterMarkFont face = marks.Font(entry);
    for (int i = 0; i < 3; ++i) {
        const uint32_t number = face.numbers[i];
        for (int b = 0; b < 4; ++b) font[i * 4 + b] = static_cast<uint8_t>(number >> (8 * b));
    }
    char name[kStampFieldSize] = {};
    if (!CopyBounded(name, sizeof name, face.name)) return 1;
    std::memcpy(font + 12, name, sizeof name);
    ctx->svc->SetOption(ctx, destination, kOptStampFont, font, sizeof font);

    WriteOptionWord(ctx, destination, kOptStampColour, marks.Colour(entry));
    // The stamp's flags, but the switch's bit stays the switch's.
    const uint32_t flags = ReadOptionWord(ctx, destination, kOptStampFlags);
    WriteOptionWord(ctx, destination, kOptStampFlags, (marks.Flags(entry) & ~1u) | (flags & 1u));
    WriteOptionShort(ctx, destination, kOptStampAngle, marks.Angle(entry));
    uint16_t position[2] = {};
    marks.Position(entry, position);
    ctx->svc->SetOption(ctx, destination, kOptStampPosition, position, sizeof position);
    return 1;
}

bool CmSvCB_StampSelect::RowsMatch(const CmWaterMark& marks) const {
    if (count != (marks.Count() < kRowCount ? marks.Count() : kRowCount)) return false;
    for (uint32_t i = 0; i < count; ++i) {
        const char* name = marks.Name(i);
        if (table[i].value != marks.Id(i) || std::strncmp(displays_[i], name ? name : "", kWaterMarkTextSize - 1) != 0)
            return false;
    }
    return true;
}

int CmSvCB_StampSelect::Action(UIDEVDATA* ctx, int argumentCount, const char* const* arguments, PieValue* out) {
    if (argumentCount != 1 || !arguments || !arguments[0] || std::strcmp(arguments[0], "REFRESH") != 0) return 0;
    const uint8_t* settings = SheetSettings(ctx);
    char stored[kStampFieldSize + 1];
    ReadField(ctx, settings, kOptStampName, stored);
    const CmSvOptionRecord* row = CurrentRow();
    const bool nameMatches = row && std::strcmp(row->display_text ? row->display_text : "", stored) == 0;
    if (nameMatches && RowsMatch(WaterMarkOf(ctx))) return 0;
    Init(ctx, settings);
    Load(ctx, settings);
    flags |= kChangedByRules;
    if (out) {
        out->type = kSvTypeString;
        out->value = reinterpret_cast<intptr_t>(CurrentRow() ? CurrentRow()->name : nullptr);
    }
    return 1;
}

int CmSvCB_StampSelect::GetCount(UIDEVDATA*, uint32_t, void* data) {
    if (int refused = Guard(data)) return refused;
    *static_cast<int32_t*>(data) = static_cast<int32_t>(count);
    return kSdkDone;
}

int CmSvCB_StampSelect::GetCurrent(UIDEVDATA* ctx, uint32_t, void* data) {
    if (int refused = Guard(data)) return refused;
    const uint8_t* settings = SheetSettings(ctx);
    char name[kStampFieldSize + 1], text[kStampFieldSize + 1];
    ReadField(ctx, settings, kOptStampName, name);
    ReadField(ctx, settings, kOptStampText, text);
    auto* record = static_cast<char*>(data);
    std::memset(record, 0, kStampRecordSize);
    std::memcpy(record, name, kStampFieldSize);
    std::memcpy(record + kStampTextOffset, text, kStampFieldSize);
    return kSdkDone;
}

int CmSvCB_StampSelect::SetCurrent(UIDEVDATA*, uint32_t, void* data) {
    if (int refused = SetGuard(data)) return refused;
    return SelectName(static_cast<const char*>(data), kStampTextOffset);
}

int CmSvCB_StampSelect::GetList(UIDEVDATA* ctx, uint32_t, void* data) {
    if (int refused = Guard(data)) return refused;
    const CmWaterMark& marks = WaterMarkOf(ctx);
    auto* record = static_cast<char*>(data);
    for (uint32_t i = 0; i < count; ++i) {
        if (!table[i].display_text || !table[i].display_text[0]) continue;
        std::memset(record, 0, kStampRecordSize);
        const uint32_t entry = EntryOf(marks, table[i].value);
        const char* text = entry < marks.Count() ? marks.Text(entry) : "";
        if (!CopyBounded(record, kStampFieldSize, table[i].display_text) ||
            !CopyBounded(record + kStampTextOffset, kStampFieldSize, text ? text : ""))
            return kSdkNotSupported;
        record += kStampRecordSize;
    }
    return kSdkDone;
}

int CmSvCB_StampSelect::Apply(UIDEVDATA* ctx, uint32_t, void* data) {
    if (int refused = SetGuard(data ? data : this)) return refused;
    char name[kStampFieldSize + 1];
    ReadField(ctx, ctx && ctx->svc ? ctx->svc->GetDevmode(ctx, 1) : nullptr, kOptStampName, name);
    return SelectName(name, kStampFieldSize);
}
