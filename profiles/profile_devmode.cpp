// The device modes inside profile records: how large a record must be for the current device
// mode, which records are believed at all, the marks a profile leaves in its device mode before
// it is stored, and the quality and colour defaults of built-in and imported device modes.
#include "profiles/cm_profile.h"

#include "core/datafile/device_data.h"
#include "core/datafile/device_data_layout.h"
#include "core/device/service_table.h"
#include "core/devmode/devmode_layout.h"
#include "core/helpers/byte_view.h"

#include <algorithm>
#include <cstring>

using namespace profile;

namespace {

constexpr DWORD kOptionFlags = 100, kOptionAppliedName = 101, kOptionStampText = 154;
constexpr DWORD kOptionColourMode = 222, kOptionResolutionCode = 224, kOptionDefaultResolution = 225;
constexpr DWORD kOptionQualityScale = 235, kOptionColourBlock = 250;
constexpr size_t kColourBlockSize = 130;
constexpr uint32_t kSharedProfileFlag = 0x4;

}  // namespace

bool CmProfile::IsSoundRecord(const uint8_t* record, size_t size) {
    ByteView view(record, size);
    uint16_t ownSize = 0, dmSize = 0, extra = 0;
    if (!view.u16(kRecordSize, ownSize) || ownSize != size) return false;
    if (!view.u16(kRecordDevmode + devmode::kOffSize, dmSize) || !view.u16(kRecordDevmode + devmode::kOffDriverExtra, extra))
        return false;
    return size_t{dmSize} + extra >= devmode::kHeaderEnd && view.contains(kRecordDevmode, size_t{dmSize} + extra);
}

bool CmProfile::EditRecordDevmode(ProfileRecord& record, const std::function<void(uint8_t*)>& edit) {
    UIDEVDATA* ctx = Owner();
    if (!IsSoundRecord(record.data(), record.size())) return false;
    const DWORD size = ctx->svc->GetDevmodeSize(ctx, 1);
    // Converting back writes the whole extended form: the record must have room for it.
    if (!size || RecordSizeForCurrent(record.size()) > record.size()) return false;
    std::vector<uint8_t> current(size, 0);
    if (!ctx->svc->ConvertDevmode(ctx, current.data(), record.data() + kRecordDevmode, 1)) return false;
    edit(current.data());
    return ctx->svc->ConvertDevmode(ctx, current.data(), record.data() + kRecordDevmode, 2) != FALSE;
}

size_t CmProfile::RecordSizeForCurrent(size_t recordSize) const {
    UIDEVDATA* ctx = Owner();
    const size_t current = ctx && ctx->svc ? ctx->svc->GetDevmodeSize(ctx, 2) : 0;
    const size_t held = recordSize > kRecordDevmode ? recordSize - kRecordDevmode : 0;
    return held < current ? recordSize + (current - held) : recordSize;
}

ProfileRecord CmProfile::GrownAndConverted(const uint8_t* record, size_t size) {
    if (!IsSoundRecord(record, size)) return {};
    const size_t grown = RecordSizeForCurrent(size);
    if (grown > kRecordLimit) return {};
    ProfileRecord out(grown, 0);
    std::memcpy(out.data(), record, size);
    // The record's size is its buffer's: a grown record says so, as an imported one does.
    MutableByteView(out.data(), out.size()).put_u16(kRecordSize, static_cast<uint16_t>(grown));
    // Names and comments are terminated inside their fields whatever was stored.
    out[kRecordName + kNameSize - 1] = 0;
    out[kRecordComment + kCommentSize - 1] = 0;
    if (!EditRecordDevmode(out, [&](uint8_t* devmode) { SetColourBlockDefaults(devmode); })) return {};
    return out;
}

bool CmProfile::StampProfileDevmode(ProfileRecord& record) {
    uint16_t type = 0;
    ByteView(record.data(), record.size()).u16(kRecordType, type);
    const bool keepStamp = IsSaveDefProfile();
    UIDEVDATA* ctx = Owner();
    return EditRecordDevmode(record, [&](uint8_t* dm) {
        char name[kNameSize] = {};
        std::memcpy(name, record.data() + kRecordName, kNameSize - 1);
        ctx->svc->SetOption(ctx, dm, kOptionAppliedName, name, sizeof name);
        if (type == kTypeShared) {
            uint32_t flags = 0;
            ctx->svc->GetOption(ctx, dm, kOptionFlags, &flags, sizeof flags);
            flags |= kSharedProfileFlag;
            ctx->svc->SetOption(ctx, dm, kOptionFlags, &flags, sizeof flags);
        }
        if (!keepStamp) {
            const char empty[kNameSize] = {};
            ctx->svc->SetOption(ctx, dm, kOptionStampText, empty, sizeof empty);
        }
        uint16_t colourMode = 0xFFFF;
        uint8_t block[kColourBlockSize] = {};
        if (ctx->svc->GetOption(ctx, dm, kOptionColourMode, &colourMode, sizeof colourMode) && colourMode <= 2 &&
            ctx->svc->GetOption(ctx, dm, kOptionColourBlock, block, sizeof block)) {
            block[101] = colourMode == 0 ? 1 : 0;
            ctx->svc->SetOption(ctx, dm, kOptionColourBlock, block, sizeof block);
        }
    });
}

void CmProfile::NormalizeBuiltInDevmode(uint8_t* devmode) {
    SetQualityDefaults(devmode);
    SetColourBlockDefaults(devmode);
}

void CmProfile::SetQualityDefaults(uint8_t* devmode) {
    UIDEVDATA* ctx = Owner();
    int16_t quality = 0;
    ByteView(devmode, devmode::kPublicSize).s16(offsetof(DEVMODEA, dmPrintQuality), quality);
    const uint16_t code = ResolutionCodeForQuality(quality);
    ctx->svc->SetOption(ctx, devmode, kOptionResolutionCode, &code, sizeof code);
    DeviceData* data = ctx->svc->LoadDeviceData(ctx);
    if (data) {
        const unsigned shift = data->U16(devicedata::kDefaultResoShift) & 0xF;
        const auto resolution = static_cast<uint16_t>(data->U16(devicedata::kDefaultResoDpi) << shift);
        ctx->svc->SetOption(ctx, devmode, kOptionDefaultResolution, &resolution, sizeof resolution);
    }
    const uint16_t scale = 100;
    ctx->svc->SetOption(ctx, devmode, kOptionQualityScale, &scale, sizeof scale);
}

void CmProfile::SetColourBlockDefaults(uint8_t* devmode) {
    UIDEVDATA* ctx = Owner();
    uint8_t block[kColourBlockSize] = {};
    if (!ctx->svc->GetOption(ctx, devmode, kOptionColourBlock, block, sizeof block)) return;
    block[102] = 2;
    block[103] = 2;
    ctx->svc->SetOption(ctx, devmode, kOptionColourBlock, block, sizeof block);
}

uint16_t CmProfile::ResolutionCodeForQuality(int16_t quality) const {
    UIDEVDATA* ctx = Owner();
    DeviceData* data = ctx->svc->LoadDeviceData(ctx);
    if (!data) return 0;
    const DeviceList table = data->ListAt(devicedata::kResolutionHandle);
    for (uint32_t i = 0; i < table.count; ++i) {
        uint16_t code = 0, entryQuality = 0;
        const ByteView entry = table.Entry(i);
        if (entry.u16(64, code) && entry.u16(66, entryQuality) && entryQuality == static_cast<uint16_t>(quality))
            return code;
    }
    return data->U16(devicedata::kDefaultResoDpi);
}
