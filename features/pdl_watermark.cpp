// The watermark object's current watermark, built-in presets and preset list. The list is read
// from the settings, the language's table (or the device's own presets, or a pseudo-printer's
// shared presets) and the stored user presets; a stored value that is not a whole preset ends the
// user part there.
#include "features/pdl_watermark.h"

#include "core/datafile/data_item_cursor.h"
#include "core/datafile/device_data.h"
#include "core/datafile/device_data_layout.h"
#include "core/device/service_table.h"
#include "core/device/user_data.h"
#include "core/helpers/byte_view.h"

#include <cstring>
#include <new>

using namespace watermark;

namespace {

constexpr UINT kCurrentName = 4088, kFaceName = 4107, kFirstTableName = 8701;
constexpr uint32_t kJapanese = 0x411;
constexpr UINT kDeviceRecords = 0x815, kDeviceCount = 0x816;
// A device never offers more presets than the upgrade looks through.
constexpr uint32_t kDevicePresetLimit = 138;

// The device-information interface of request kind 7, released when it goes.
class DataItems {
public:
    explicit DataItems(UIDEVDATA* ctx) {
        void* out = nullptr;
        if (ctx && ctx->svc && ctx->svc->Query(ctx, 7, 0, &out)) cursor_ = static_cast<DataItemCursor*>(out);
    }
    ~DataItems() {
        if (cursor_) cursor_->ops->Release(cursor_);
    }
    DataItems(const DataItems&) = delete;
    DataItems& operator=(const DataItems&) = delete;
    DataItemCursor* get() const { return cursor_; }

    // The device's preset count, or 0 when it names none as a 4-byte item.
    uint32_t PresetCount() const {
        if (!cursor_ || cursor_->ops->ItemSize(cursor_, kDeviceCount) != 4) return 0;
        uint32_t count = 0;
        if (cursor_->ops->ReadItem(cursor_, kDeviceCount, &count, sizeof count) != sizeof count) return 0;
        return count <= kDevicePresetLimit ? count : 0;
    }

private:
    DataItemCursor* cursor_ = nullptr;
};

}  // namespace

PDLWaterMark::PDLWaterMark(UIDEVDATA* owner, uintptr_t creationValue) : CmPreset(owner, creationValue) {
    basePath_ = BuildRegistryPath();
    UpgradeStoredPresets();
    list_ = LoadPresetList();
}

bool PDLWaterMark::InPseudoPrinter() const {
    UIDEVDATA* ctx = Owner();
    return ctx && ctx->svc && ctx->svc->IsPseudoPrinter(ctx, PrinterHandle());
}

uint8_t* PDLWaterMark::Settings() const {
    UIDEVDATA* ctx = Owner();
    CmUserData* user = ctx && ctx->svc ? ctx->svc->GetUserData(ctx) : nullptr;
    return user ? user->GetSettingsSource() : nullptr;
}

uint32_t PDLWaterMark::OptionWord(DWORD option) const {
    uint32_t value = 0;
    UIDEVDATA* ctx = Owner();
    if (uint8_t* settings = Settings()) ctx->svc->GetOption(ctx, settings, option, &value, sizeof value);
    return value;
}

std::string PDLWaterMark::LoadText(UINT id) const {
    UIDEVDATA* ctx = Owner();
    char text[kTextRoom] = {};
    if (!ctx || !ctx->svc || ctx->svc->LoadString(ctx, id, text, sizeof text) <= 0) return {};
    return std::string(text, strnlen(text, sizeof text - 1));
}

bool PDLWaterMark::BuildCurrentRecord(Record& r) const {
    UIDEVDATA* ctx = Owner();
    uint8_t* settings = Settings();
    if (!settings) return false;
    char text[kOptTextSize + 1] = {};
    uint8_t font[kOptFontSize] = {};
    uint32_t position = 0;
    int16_t angle = 0;
    if (!ctx->svc->GetOption(ctx, settings, kOptText, text, kOptTextSize) ||
        !ctx->svc->GetOption(ctx, settings, kOptFont, font, sizeof font))
        return false;
    ctx->svc->GetOption(ctx, settings, kOptPosition, &position, sizeof position);
    ctx->svc->GetOption(ctx, settings, kOptAngle, &angle, sizeof angle);
    Record record;
    record.kind = kKindUser;
    CopyText(record.name, kTextRoom, LoadText(kCurrentName).c_str());
    CopyText(record.text, kTextRoom, text);
    record.x = static_cast<int16_t>(position & 0xFFFF);
    record.y = static_cast<int16_t>(position >> 16);
    ApplyOptionFlags(OptionWord(kOptFlags), angle, record);
    record.colour = OptionWord(kOptColour);
    const ByteView view(font, sizeof font);
    record.font.height = static_cast<int16_t>(view.u16_or_zero(0));
    record.font.weight = static_cast<int16_t>(view.u16_or_zero(8));
    record.font.italic = view.u8_or_zero(12);
    record.font.orientation = angle;
    view.bytes(13, record.font.faceName, kFaceRoom);
    record.font.escapement = EscapementOf(record.angleWord);
    r = record;
    return true;
}

uint32_t PDLWaterMark::TableCount() const {
    UIDEVDATA* ctx = Owner();
    const DeviceData* data = ctx && ctx->svc ? ctx->svc->LoadDeviceData(ctx) : nullptr;
    return data && data->U32(devicedata::kLanguageId) == kJapanese ? 6 : 8;
}

bool PDLWaterMark::GetTablePreset(Record& r, uint32_t i) const {
    if (i < 1 || i > TableCount()) return false;
    Record record;
    record.id = static_cast<uint16_t>(i);
    record.kind = kKindBuiltIn;
    // The shorter table names its entries as the longer one does: an entry without a name could
    // not be told apart in the lists.
    const std::string name = LoadText(kFirstTableName + i);
    CopyText(record.name, kTextRoom, name.c_str());
    CopyText(record.text, kTextRoom, name.c_str());
    record.rotationMode = 1;
    record.layerChoice = 1;
    if (TableCount() == 6 && i == 1) record.rotationMode = 3, record.frameKind = 3, record.angleWord = -360;
    record.colour = 0x808080;
    record.font.height = 72;
    record.font.weight = 400;
    record.font.charSet = 1;
    CopyText(record.font.faceName, sizeof record.font.faceName, LoadText(kFaceName).c_str());
    r = record;
    return true;
}

uint32_t PDLWaterMark::GetBuiltinCount() {
    const bool pseudo = InPseudoPrinter();
    UIDEVDATA* ctx = Owner();
    uint32_t stored = 0;
    if (pseudo) ctx->svc->PseudoPrinterGetData(ctx, PrinterHandle(), 8, &stored, sizeof stored);
    DataItems items(ctx);
    if (const uint32_t device = items.PresetCount()) return device;
    if (pseudo && stored && !sharedStale_ && LoadSharedBlock()) return static_cast<uint32_t>(shared_.size());
    sharedStale_ = false;
    const uint32_t n = TableCount();
    if (pseudo && !sharedHeld_) {
        shared_.clear();
        for (uint32_t i = 1; i <= n; ++i) {
            Record record;
            if (!GetTablePreset(record, i)) break;
            shared_.push_back(record);
        }
        sharedHeld_ = true;
    }
    return n;
}

bool PDLWaterMark::GetDevicePreset(Record& r, uint32_t i) {
    DataItems items(Owner());
    const uint32_t count = items.PresetCount();
    if (i < 1 || i > count) return false;
    DataItemCursor* cursor = items.get();
    const UINT size = cursor->ops->ItemSize(cursor, kDeviceRecords);
    if (size < count * kRegRecordSize) return false;  // fewer records than the count names
    std::vector<uint8_t> block(size);
    if (cursor->ops->ReadItem(cursor, kDeviceRecords, block.data(), size) != size) return false;
    if (!UnpackRecord(block.data() + (i - 1) * kRegRecordSize, kRegRecordSize, r)) return false;
    r.kind = kKindBuiltIn;
    return true;
}

bool PDLWaterMark::GetBuiltinPreset(Record& r, uint32_t i) {
    if (DataItems(Owner()).PresetCount()) return GetDevicePreset(r, i);
    if (InPseudoPrinter()) {
        if (i < 1 || i > shared_.size()) return false;
        r = shared_[i - 1];
        r.changeFlags = 0;
        return true;
    }
    return GetTablePreset(r, i);
}

std::vector<PDLWaterMark::Record> PDLWaterMark::BuildList(bool refresh) {
    const uint32_t n = GetBuiltinCount();
    builtinCount_ = n;
    std::vector<Record> list;
    list.reserve(n + 52);
    UIDEVDATA* ctx = Owner();
    char name[kOptTextSize + 1] = {};
    if (uint8_t* settings = Settings()) ctx->svc->GetOption(ctx, settings, kOptName, name, kOptTextSize);
    const bool pseudo = InPseudoPrinter();

    Record current;
    if (refresh && !pseudo) {
        // Value "0" follows the settings: rewritten in place (never removed before) when the
        // current watermark is unnamed, removed when it has a name.
        if (!name[0] && BuildCurrentRecord(current))
            WriteValue(0, current);
        else
            DeleteValue(0);
    }
    if (!name[0]) {
        if (!pseudo && ReadStored(0, current)) {
            current.id = 0;
            list.push_back(current);
        } else if (BuildCurrentRecord(current)) {
            list.push_back(current);
        }
    }
    for (uint32_t i = 1; i <= n; ++i) {
        Record record;
        if (!GetBuiltinPreset(record, i)) break;
        record.id = static_cast<uint16_t>(i);
        list.push_back(record);
    }
    if (!pseudo)
        for (uint32_t i = 1; list.size() < n + 51; ++i) {
            Record record;
            if (!ReadStored(i, record)) break;
            record.id = static_cast<uint16_t>(n + i);
            list.push_back(record);
        }
    return list;
}

std::vector<PDLWaterMark::Record> PDLWaterMark::LoadPresetList() { return BuildList(false); }
std::vector<PDLWaterMark::Record> PDLWaterMark::RefreshPresetList() { return BuildList(true); }

bool PDLWaterMark::ReloadList() {
    list_ = RefreshPresetList();
    return !list_.empty();
}

// Nothing is written: the settings the list follows are the sheet's, not yet committed.
void PDLWaterMark::Update(int) { list_ = LoadPresetList(); }

uint32_t PDLWaterMark::KindOf(const Record& record) const {
    UIDEVDATA* ctx = Owner();
    if (ctx && ctx->svc && ctx->svc->PseudoPrinterGetField8(ctx, PrinterHandle()) == 3) return kKindUser;
    return record.kind;
}

CmWaterMarkFont PDLWaterMark::Font(uint32_t i) const {
    CmWaterMarkFont font;
    if (i >= Count()) return font;
    // The stamp's font option holds height, escapement and weight, in that order.
    const WaterMarkFont& f = list_[i].font;
    font.numbers[0] = static_cast<uint16_t>(f.height);
    font.numbers[1] = static_cast<uint16_t>(f.escapement);
    font.numbers[2] = static_cast<uint16_t>(f.weight);
    CopyText(font.name, sizeof font.name, f.faceName);
    return font;
}

uint32_t PDLWaterMark::Flags(uint32_t i) const { return i < Count() ? MakeOptionFlags(list_[i], OptionWord(kOptFlags)) : 0; }

void PDLWaterMark::Position(uint32_t i, uint16_t out[2]) const {
    out[0] = i < Count() ? static_cast<uint16_t>(list_[i].x) : 0;
    out[1] = i < Count() ? static_cast<uint16_t>(list_[i].y) : 0;
}

CmModule* MakeWaterMark(UIDEVDATA* ctx) {
    try {
        return new PDLWaterMark(ctx, 0);
    } catch (...) {
        return nullptr;  // without memory the sheet lists no presets
    }
}
