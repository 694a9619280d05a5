// The builder's primitives: loading and indenting texts, the row pattern, settings and paper
// names (see cm_view_settings.h).
#include "profiles/summary/cm_view_settings.h"

#include "core/datafile/device_data.h"
#include "core/datafile/device_data_layout.h"
#include "core/device/service_table.h"
#include "core/device/table_cursor_papers.h"
#include "core/devmode/devmode_layout.h"
#include "core/helpers/byte_view.h"
#include "core/helpers/units.h"
#include "settings/registry/conflict.h"

#include <cstdio>
#include <cstring>

int CmViewSettings::Init() {
    CmUserData* user = ctx_ ? ctx_->svc->GetUserData(ctx_) : nullptr;
    devmode_ = user ? user->GetSettingsSource() : nullptr;
    devmodeSize_ = devmode_ ? user->GetSettingsSourceSize() : 0;
    return 0;
}

char* CmViewSettings::LoadString(UINT id) {
    if (id == 0) return nullptr;
    std::memset(label_, 0, sizeof label_);
    if (ctx_) ctx_->svc->LoadString(ctx_, id, label_, sizeof label_);
    label_[sizeof label_ - 1] = 0;
    return label_;
}

char* CmViewSettings::LoadLabel(UINT id, DWORD flags) {
    if (id == 0) return nullptr;
    std::memset(label_, 0, sizeof label_);
    const size_t blanks = (flags & 0x10) ? 2 : (flags & 0x20) ? 4 : 0;
    std::memset(label_, ' ', blanks);
    if (ctx_) ctx_->svc->LoadString(ctx_, id, label_ + blanks, static_cast<int>(sizeof label_ - blanks));
    label_[sizeof label_ - 1] = 0;
    return label_;
}

int CmViewSettings::IsItemShown(uint32_t sdkKey) {
    if (!registryTaken_) {
        CmUserData* user = ctx_ ? ctx_->svc->GetUserData(ctx_) : nullptr;
        registry_ = user ? user->GetItemRegistry() : nullptr;
        registryTaken_ = registry_ != nullptr;
    }
    if (!registry_) return 1;
    return static_cast<CmConflict*>(registry_)->AnySdkControlShown(ctx_, sdkKey) ? 1 : 0;
}

int32_t CmViewSettings::Option16(DWORD number) const {
    int16_t value = 0;
    if (!devmode_ || !ctx_->svc->GetOption(ctx_, devmode_, number, &value, sizeof value)) return 0;
    return value;
}

uint32_t CmViewSettings::Option32(DWORD number) const {
    uint32_t value = 0;
    if (!devmode_ || !ctx_->svc->GetOption(ctx_, devmode_, number, &value, sizeof value)) return 0;
    return value;
}

int16_t CmViewSettings::PublicField(size_t offset) const {
    uint16_t value = 0;
    if (!devmode_ || !ByteView(devmode_, devmodeSize_).u16(offset, value)) return 0;
    return static_cast<int16_t>(value);
}

void CmViewSettings::Row(char* text, UINT labelId, DWORD flags, const char* value) {
    AppendLabel(text, labelId ? LoadLabel(labelId, flags) : "");
    AppendValue(text, value ? value : "");
}

void CmViewSettings::RowId(char* text, UINT labelId, DWORD flags, UINT valueId) {
    AppendLabel(text, labelId ? LoadLabel(labelId, flags) : "");
    const char* value = valueId ? LoadString(valueId) : "";
    AppendValue(text, value);
}

void CmViewSettings::FormatNumber(char* out, UINT formatId, long value) {
    char format[summary::kBufferSize] = {};
    if (ctx_) ctx_->svc->LoadString(ctx_, formatId, format, sizeof format);
    if (!format[0]) std::strcpy(format, "%d");
    wsprintfA(out, format, static_cast<int>(value));
}

namespace {

// The paper table's cursor for the request; released by its owner.
class PaperLookup {
public:
    explicit PaperLookup(UIDEVDATA* ctx) {
        void* out = nullptr;
        if (ctx && ctx->svc->Query(ctx, 0, 0, &out)) cursor_ = static_cast<PaperCursor*>(out);
        DeviceData* data = ctx ? ctx->svc->LoadDeviceData(ctx) : nullptr;
        defaultPaper_ = data ? data->U16(devicedata::kDefaultPaper) : 0;
    }
    ~PaperLookup() {
        if (cursor_) cursor_->Release();
    }
    PaperLookup(const PaperLookup&) = delete;
    PaperLookup& operator=(const PaperLookup&) = delete;

    // Selects the paper, else the model's default paper; false when neither is in the table.
    bool Select(int16_t code) {
        return cursor_ && (cursor_->Select(static_cast<uint16_t>(code)) || cursor_->Select(defaultPaper_));
    }
    bool Known(int16_t code) { return cursor_ && cursor_->Select(static_cast<uint16_t>(code)); }
    PaperCursor* Cursor() { return cursor_; }

private:
    PaperCursor* cursor_ = nullptr;
    uint16_t defaultPaper_ = 0;
};

}  // namespace

void CmViewSettings::PaperName(int16_t code, char* out, size_t size) {
    out[0] = 0;
    PaperLookup papers(ctx_);
    if (papers.Select(code)) papers.Cursor()->GetFormName(1, out, size);
    out[size - 1] = 0;
}

bool CmViewSettings::PaperDimensions(int16_t code, uint32_t sizeSetting, uint32_t& width, uint32_t& length) {
    PaperLookup papers(ctx_);
    if (papers.Known(code)) {
        width = sizeSetting & 0xFFFF;
        length = sizeSetting >> 16;
        return true;
    }
    uint32_t size[2] = {};
    if (!papers.Select(code) || !papers.Cursor()->GetFormSize(size, nullptr)) return false;
    width = size[0];
    length = size[1];
    return true;
}

void CmViewSettings::SizeLines(char* text, DWORD paperOption, DWORD sizeOption) {
    uint32_t width = 0, length = 0;
    AppendLabel(text, LoadLabel(4273, 0x10));
    if (!PaperDimensions(static_cast<int16_t>(Option16(paperOption)), Option32(sizeOption), width, length)) {
        AppendValue(text, "");
        return;
    }
    // Tenths of a millimetre shown with one decimal; inches with two.
    char line[summary::kBufferSize] = {};
    summary::CopyBounded(line, sizeof line, LoadString(4274));
    char number[64];
    std::snprintf(number, sizeof number, "%u.%u x %u.%u", width / 10, width % 10, length / 10, length % 10);
    summary::Append(line, sizeof line, number);
    AppendValue(text, line);
    AppendLabel(text, "");
    summary::CopyBounded(line, sizeof line, LoadString(4275));
    const LONG w = MmToInchRounded(static_cast<LONG>(width)), l = MmToInchRounded(static_cast<LONG>(length));
    std::snprintf(number, sizeof number, "%ld.%02ld x %ld.%02ld", static_cast<long>(w / 100), static_cast<long>(w % 100),
                  static_cast<long>(l / 100), static_cast<long>(l % 100));
    summary::Append(line, sizeof line, number);
    AppendValue(text, line);
}

UINT CmViewSettings::ColorNameId(uint32_t color) {
    struct Name {
        uint32_t color;
        UINT id;
    };
    static constexpr Name kNames[] = {
        {0x000000, 4065}, {0x000080, 4075}, {0x0000FF, 4069}, {0x008000, 4076}, {0x008080, 4080}, {0x00FF00, 4070},
        {0x00FFFF, 4074}, {0xFFFFFF, 4068}, {0x800000, 4077}, {0x800080, 4079}, {0x808000, 4078}, {0x808080, 4066},
        {0xC0C0C0, 4067}, {0xFF0000, 4071}, {0xFF00FF, 4073}, {0xFFFF00, 4072},
    };
    for (const Name& n : kNames)
        if (n.color == color) return n.id;
    return 0;
}
