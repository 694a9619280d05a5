// The user-paper table: its load (with the older layout converted), its save, the default table
// from the device data, the size limits, and the mirroring of the device mode's custom size.
#include "features/custom_paper.h"

#include "core/datafile/device_data.h"
#include "core/device/service_table.h"
#include "core/device/user_data.h"

namespace {

using namespace userpaper;

constexpr char kVersionValue[] = "UserPaperVersion";
constexpr char kTableValue[] = "UserPaper";

// Options of the device mode, by their legacy numbers.
constexpr unsigned kOptionPaperSize = 111;     // 256: a custom size
constexpr unsigned kOptionCustomSize = 114;    // width low, length high, 0.1 mm
constexpr unsigned kOptionPaperSize2 = 116;
constexpr unsigned kOptionCustomSize2 = 119;
constexpr unsigned kOptionUserPaperKind = 129;
constexpr uint16_t kPaperCustom = 256;

constexpr UINT kStringLabelFirst = 4026;  // + kind, kinds 0 to 4
constexpr UINT kStringLabelCustom = 4031;

// The device data's user-paper record, 0.1 mm.
constexpr size_t kDefaultWidth = devicedata::kUserPaper;
constexpr size_t kDefaultLength = devicedata::kUserPaper + 4;
constexpr size_t kMinWidth = devicedata::kUserPaper + 24;
constexpr size_t kMinLength = devicedata::kUserPaper + 28;
constexpr size_t kMaxWidth = devicedata::kUserPaper + 32;
constexpr size_t kMaxLength = devicedata::kUserPaper + 36;

}  // namespace

uint8_t* CmCustomPaper::Devmode() const {
    if (devmode_) return devmode_;
    UIDEVDATA* ctx = Owner();
    if (!ctx || !ctx->svc) return nullptr;
    if (CmUserData* user = ctx->svc->GetUserData(ctx))
        if (uint8_t* source = user->GetSettingsSource()) return source;
    return ctx->svc->GetDevmode(ctx, 3);
}

template <class T>
T CmCustomPaper::Option(unsigned number) const {
    T value{};
    UIDEVDATA* ctx = Owner();
    if (uint8_t* dm = Devmode()) ctx->svc->GetOption(ctx, dm, number, &value, sizeof value);
    return value;
}

template <class T>
void CmCustomPaper::SetOption(unsigned number, T value) const {
    UIDEVDATA* ctx = Owner();
    if (uint8_t* dm = Devmode()) ctx->svc->SetOption(ctx, dm, number, &value, sizeof value);
}

uint16_t CmCustomPaper::DefaultUnit() const {
    UIDEVDATA* ctx = Owner();
    CmUserData* user = ctx && ctx->svc ? ctx->svc->GetUserData(ctx) : nullptr;
    return user && user->IsInchUnit() ? kUnitInch : kUnitMm;
}

uint32_t CmCustomPaper::CustomSize() const {
    if (Option<uint16_t>(kOptionPaperSize) == kPaperCustom) return Option<uint32_t>(kOptionCustomSize);
    if (Option<uint16_t>(kOptionPaperSize2) == kPaperCustom) return Option<uint32_t>(kOptionCustomSize2);
    return 0;
}

std::string CmCustomPaper::LoadLabel(int kind) const {
    char text[kLabelRoom] = {};
    UIDEVDATA* ctx = Owner();
    const UINT id = kind == kKindCustom ? kStringLabelCustom : kStringLabelFirst + static_cast<UINT>(kind);
    if (ctx && ctx->svc) ctx->svc->LoadString(ctx, id, text, sizeof text);
    text[kLabelRoom - 1] = 0;
    return text;
}

CmCustomPaper::Entry CmCustomPaper::Sized(Entry e, uint32_t lengthTenthMm, uint32_t widthTenthMm) const {
    e.lengthMm = lengthTenthMm * 10;
    e.widthMm = widthTenthMm * 10;
    e.lengthInch = ConvertLength(e.lengthMm, kMmToInch);
    e.widthInch = ConvertLength(e.widthMm, kMmToInch);
    return e;
}

std::optional<std::vector<CmCustomPaper::Entry>> CmCustomPaper::Load() const {
    UIDEVDATA* ctx = Owner();
    if (!ctx || !ctx->svc) return std::nullopt;
    uint8_t versionBytes[2] = {};
    DWORD type = 0, needed = 0;
    if (ctx->svc->GetPrinterData(ctx, PrinterHandle(), kVersionValue, &type, versionBytes, sizeof versionBytes,
                                 &needed) != ERROR_SUCCESS ||
        needed != sizeof versionBytes)
        return std::nullopt;
    uint16_t version = 0;
    ByteView(versionBytes, sizeof versionBytes).u16(0, version);
    if (version != kVersionOld && version != kVersionCurrent) return std::vector<Entry>{};

    // Both values through the same accessor, so that a pseudo-printer reads its own; a value
    // larger than the room is refused by the read itself.
    std::vector<uint8_t> stored(kTableRoom);
    needed = 0;
    if (ctx->svc->GetPrinterData(ctx, PrinterHandle(), kTableValue, &type, stored.data(),
                                 static_cast<DWORD>(stored.size()), &needed) != ERROR_SUCCESS ||
        needed > stored.size())
        return std::nullopt;
    std::vector<Entry> entries;
    if (!DecodeTable(ByteView(stored.data(), needed), version, entries)) return std::nullopt;
    return entries;
}

bool CmCustomPaper::Save(const std::vector<Entry>& entries) const {
    UIDEVDATA* ctx = Owner();
    if (!ctx || !ctx->svc) return false;
    const std::vector<uint8_t> table = EncodeTable(entries);
    if (ctx->svc->SetPrinterData(ctx, PrinterHandle(), kTableValue, REG_BINARY, table.data(),
                                 static_cast<DWORD>(table.size())) != ERROR_SUCCESS)
        return false;
    uint8_t version[2] = {};
    MutableByteView(version, sizeof version).put_u16(0, kVersionCurrent);
    return ctx->svc->SetPrinterData(ctx, PrinterHandle(), kVersionValue, REG_BINARY, version, sizeof version) ==
           ERROR_SUCCESS;
}

std::vector<CmCustomPaper::Entry> CmCustomPaper::BuildDefaultTable() const {
    UIDEVDATA* ctx = Owner();
    const DeviceData* data = ctx && ctx->svc ? ctx->svc->LoadDeviceData(ctx) : nullptr;
    const uint32_t length = data ? data->U32(kDefaultLength) : 0;
    const uint32_t width = data ? data->U32(kDefaultWidth) : 0;
    std::vector<Entry> table;
    for (int16_t kind = 0; kind < kKindCustom; ++kind) {
        Entry e;
        e.label = LoadLabel(kind);
        e.kind = kind;
        e.unit = DefaultUnit();
        table.push_back(Sized(e, length, width));
    }
    return table;
}

bool CmCustomPaper::Initialize() {
    UIDEVDATA* ctx = Owner();
    if (!ctx || !ctx->svc) return false;
    live_ = Load().value_or(BuildDefaultTable());
    if (live_.size() > kMaxEntries) live_.resize(kMaxEntries);
    current_ = SIZE_MAX;
    if (const Entry* e = FindByKind(Option<int16_t>(kOptionUserPaperKind)))
        current_ = static_cast<size_t>(e - live_.data());
    SyncWithDevmode();

    const DeviceData* data = ctx->svc->LoadDeviceData(ctx);
    if (!data) return false;
    const Entry most = Sized(Entry{}, data->U32(kMaxLength), data->U32(kMaxWidth));
    const Entry least = Sized(Entry{}, data->U32(kMinLength), data->U32(kMinWidth));
    max_ = {most.lengthMm, most.widthMm, most.lengthInch, most.widthInch};
    min_ = {least.lengthMm, least.widthMm, least.lengthInch, least.widthInch};
    return true;
}

CmCustomPaper::Entry* CmCustomPaper::FindByKind(int kind) {
    for (Entry& e : live_)
        if (e.kind == kind) return &e;
    return nullptr;
}

bool CmCustomPaper::AddCurrentCustomSize() {
    Entry* mirror = FindByKind(kKindCustom);
    // The table is stored in a block of six entries and its terminator: a seventh entry would
    // overrun it, so a full table keeps its user papers and gets no mirror.
    if (!mirror && live_.size() >= kMaxEntries) return false;
    Entry e;
    e.label = LoadLabel(kKindCustom);
    e.kind = kKindCustom;
    e.unit = DefaultUnit();
    const uint32_t size = CustomSize();
    e = Sized(e, size >> 16, size & 0xffff);
    if (mirror) *mirror = e;
    else live_.push_back(e);
    return true;
}

bool CmCustomPaper::RemoveCurrentCustomSize() {
    for (size_t i = 0; i < live_.size(); ++i) {
        if (live_[i].kind != kKindCustom) continue;
        // Removed, not blanked: a blank label in the middle would end the stored table there and
        // lose the entries behind it.
        live_.erase(live_.begin() + static_cast<std::ptrdiff_t>(i));
        if (current_ == i) current_ = SIZE_MAX;
        else if (current_ != SIZE_MAX && current_ > i) --current_;
        return true;
    }
    return false;
}

bool CmCustomPaper::SyncWithDevmode() {
    const uint16_t paper = Option<uint16_t>(kOptionPaperSize);
    const uint16_t paper2 = Option<uint16_t>(kOptionPaperSize2);
    const int16_t chosen = Option<int16_t>(kOptionUserPaperKind);
    int selection = chosen;
    bool mirror = false;
    if (paper == kPaperCustom || paper2 == kPaperCustom) {
        mirror = true;
        const uint32_t size = CustomSize();
        const uint32_t width = size & 0xffff, length = size >> 16;
        for (const Entry& e : live_) {
            if (e.lengthMm / 10 != length || e.widthMm / 10 != width) continue;
            if (e.kind == kKindCustom) break;
            mirror = false;
            selection = e.kind;
            if (e.kind == chosen) break;
        }
    }
    if (mirror) {
        mirror = AddCurrentCustomSize();
        if (mirror) selection = kKindCustom;
    } else {
        RemoveCurrentCustomSize();
    }
    const Entry* current = FindByKind(selection);
    if (!current && !live_.empty()) current = &live_.front();
    current_ = current ? static_cast<size_t>(current - live_.data()) : SIZE_MAX;
    if (current) SetOption<int16_t>(kOptionUserPaperKind, current->kind);
    return mirror;
}

bool CmCustomPaper::CommitEdit() {
    for (const Entry& edited : edit_) {
        if (edited.kind == kKindCustom) continue;
        for (Entry& e : live_) {
            if (e.kind != edited.kind) continue;
            e.label = edited.label;
            e.name = edited.name;
            e.unit = edited.unit;
            e.lengthMm = edited.lengthMm;
            e.widthMm = edited.widthMm;
            e.lengthInch = edited.lengthInch;
            e.widthInch = edited.widthInch;
        }
    }
    edit_.clear();
    return true;
}

CmModule* MakeCustomPaper(UIDEVDATA* ctx) {
    try {
        auto* paper = new CmCustomPaper(ctx, 0);
        // A printer without its device data still gets the object: the table then holds what
        // was stored, and the limits stay empty until a reload.
        paper->Reload();
        return paper;
    } catch (...) {
        return nullptr;
    }
}
