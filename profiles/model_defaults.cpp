// The model's defaults laid over a built-in profile's device mode: collation, watermark, colour,
// resolution and finishing values that depend only on the model, the language and the device
// data. Every built-in profile of a printer gets the same ones.
#include "profiles/profile.h"

#include "core/datafile/device_data.h"
#include "core/datafile/device_data_layout.h"
#include "core/device/service_table.h"
#include "core/devmode/devmode_layout.h"
#include "core/helpers/byte_view.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr uint16_t kLimitedModels[] = {2046, 2047, 2048, 2060, 2064, 2070, 2072, 2076,
                                       2077, 2078, 2079, 2081, 2082, 2083, 2086};
constexpr uint16_t kNoBookletMarginModels[] = {1020, 2046, 2070};
constexpr uint16_t kStapleFirstModels[] = {2032, 2033, 2041};
constexpr uint16_t kImageCodeModels[] = {2059, 2065, 2066, 2067, 2068, 2069, 2071, 2073, 2074, 2075, 2080, 2084, 2085};
constexpr uint32_t kJapanese = 0x411;
constexpr uint16_t kPcl6 = 0x200;

template <size_t N>
bool In(const uint16_t (&models)[N], uint16_t model) {
    return std::find(std::begin(models), std::end(models), model) != std::end(models);
}

// Options of one device mode of the current form through the service table.
struct Options {
    UIDEVDATA* ctx;
    uint8_t* dm;
    template <class T>
    T Get(DWORD number) const {
        T value{};
        ctx->svc->GetOption(ctx, dm, number, &value, sizeof value);
        return value;
    }
    template <class T>
    void Set(DWORD number, T value) const {
        ctx->svc->SetOption(ctx, dm, number, &value, sizeof value);
    }
};

}  // namespace

void Profile::ApplyModelDefaults(uint8_t* devmode, const DeviceData& data) {
    UIDEVDATA* ctx = Owner();
    const Options opt{ctx, devmode};
    MutableByteView dm(devmode, ctx->svc->GetDevmodeSize(ctx, 1));
    const uint16_t model = data.ModelCode();
    const uint32_t language = data.U32(devicedata::kLanguageId);
    const uint32_t colourFlag = data.U32(devicedata::kColorState);
    const auto pdl = static_cast<uint16_t>(data.U32(devicedata::kPdlId));

    // The private header names this printer, so that the profile exported from it imports here.
    dm.put_u16(devmode::kOffPrivateVersion, devmode::kPrivateVersion);
    dm.put_u16(devmode::kOffPdlId, pdl);
    dm.put_u16(devmode::kOffModelNumber, model);
    if (const uint8_t* defaults = ctx->svc->GetDevmode(ctx, 1)) {
        dm.put_bytes(devmode::kOffDriverName, defaults + devmode::kOffDriverName, devmode::kDriverNameSize);
        dm.put_bytes(devmode::kOffDeviceName, defaults + devmode::kOffDeviceName, CCHDEVICENAME);
    }

    auto finishing = opt.Get<uint32_t>(190);
    auto quality = opt.Get<uint32_t>(220);
    if (In(kLimitedModels, model)) opt.Set<uint16_t>(226, 1);
    opt.Set<uint16_t>(133, In(kNoBookletMarginModels, model) ? 0 : 50);

    uint32_t fields = 0;
    dm.u32(devmode::kOffFields, fields);
    dm.put_u32(devmode::kOffFields, fields | DM_COLLATE);
    dm.put_s16(offsetof(DEVMODEA, dmCollate), DMCOLLATE_TRUE);
    const DeviceList records = data.ListAt(devicedata::kOptionRecordHandle);
    for (uint32_t i = 0; i < records.count; ++i) {
        uint16_t type = 0, third = 0;
        const ByteView entry = records.Entry(i);
        if (entry.u16(0, type) && type == 2 && entry.u16(4, third)) {
            opt.Set<uint16_t>(131, third);
            break;
        }
    }
    if (In(kStapleFirstModels, model)) finishing = (finishing & ~1u) | 0x100;

    opt.Set<uint32_t>(157, 0x808080);
    opt.Set<uint32_t>(158, 0);
    uint32_t watermark = opt.Get<uint32_t>(150) & ~0x388u;
    if (language == kJapanese) {
        watermark |= 0x60 | 0x210;
        opt.Set<int16_t>(159, -3600);
    } else {
        watermark = (watermark & ~0x60u) | 0x90;
        opt.Set<int16_t>(159, 450);
    }
    opt.Set<uint32_t>(150, watermark);

    if (colourFlag) quality &= ~0x1Cu;
    quality |= 0xC00;
    if (In(kLimitedModels, model)) quality |= 0x1000;

    const uint16_t defaultResolution = data.U16(devicedata::kDefaultResoDpi);
    const DeviceList resolutions = data.ListAt(devicedata::kResolutionHandle);
    for (uint32_t i = 0; i < resolutions.count; ++i) {
        uint16_t code = 0, printQuality = 0;
        const ByteView entry = resolutions.Entry(i);
        if (entry.u16(64, code) && entry.u16(66, printQuality) && code == defaultResolution) {
            dm.put_u16(offsetof(DEVMODEA, dmPrintQuality), printQuality);
            break;
        }
    }
    dm.put_u32(offsetof(DEVMODEA, dmICMMethod), 1);
    dm.put_u32(offsetof(DEVMODEA, dmICMIntent), 2);

    const uint16_t colourWord = data.U16(devicedata::kColorWord);
    dm.u32(devmode::kOffFields, fields);
    if (colourWord == 0 && colourFlag == 0) {
        dm.put_u32(devmode::kOffFields, fields & ~static_cast<uint32_t>(DM_COLOR));
        dm.put_s16(devmode::kOffColor, DMCOLOR_MONOCHROME);
    } else {
        dm.put_u32(devmode::kOffFields, fields | DM_COLOR);
        if (colourWord == 0) {
            dm.put_s16(devmode::kOffColor, colourFlag == 1 ? DMCOLOR_MONOCHROME : DMCOLOR_COLOR);
        } else if (colourWord == 1) {
            dm.put_s16(devmode::kOffColor, DMCOLOR_MONOCHROME);
            opt.Set<uint16_t>(222, 0);
        } else {
            dm.put_s16(devmode::kOffColor, DMCOLOR_COLOR);
            opt.Set<uint16_t>(222, colourWord == 2 ? 1 : 2);
        }
    }
    uint8_t block[130] = {};
    const auto colourMode = opt.Get<uint16_t>(222);
    if (colourMode <= 2 && ctx->svc->GetOption(ctx, devmode, 250, block, sizeof block)) {
        block[101] = colourMode == 0 ? 1 : 0;
        ctx->svc->SetOption(ctx, devmode, 250, block, sizeof block);
    }

    opt.Set<uint16_t>(233, 1);
    if (pdl == kPcl6) opt.Set<uint8_t>(331, 0);
    quality |= 0x2000;

    char stamp[32] = {};
    ctx->svc->LoadString(ctx, 8008, stamp, sizeof stamp);
    ctx->svc->SetOption(ctx, devmode, 154, stamp, sizeof stamp);
    ctx->svc->SetOption(ctx, devmode, 155, stamp, sizeof stamp);
    uint8_t font[48] = {};
    MutableByteView fontView(font, sizeof font);
    fontView.put_u32(0, 72);   // height, points
    fontView.put_u32(4, 0);    // width: the face's own
    fontView.put_u32(8, 400);  // weight
    ctx->svc->LoadString(ctx, 8710, reinterpret_cast<char*>(font + 13), 32);
    font[13 + 31] = 0;
    ctx->svc->SetOption(ctx, devmode, 156, font, sizeof font);

    opt.Set<uint32_t>(190, finishing);
    opt.Set<uint32_t>(220, quality);
    if (In(kImageCodeModels, model)) opt.Set<uint16_t>(221, 0x87);
    if (model == 2059 || model == 2075) opt.Set<uint16_t>(229, 1);
}
