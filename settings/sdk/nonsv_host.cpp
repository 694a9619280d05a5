// Checked access to the fields the driver's own option operations read and write, and the small
// writers of their answers. Every field goes through a view bounded by the block it lives in, so
// a short or forged device mode or device-option block reads as zeros and is never written past.
#include "settings/sdk/nonsv_host.h"

#include "core/datafile/device_data.h"
#include "core/device/service_table.h"
#include "core/device/user_data.h"
#include "core/devmode/devmode_layout.h"
#include "core/devmode/device_option_block.h"
#include "settings/registry/conflict.h"

#include <cstring>

CmSvConflict* NonSvHost::Registry() const {
    if (!ctx || !ctx->svc) return nullptr;
    CmUserData* user = ctx->svc->GetUserData(ctx);
    return user ? static_cast<CmSvConflict*>(user->GetConflict()) : nullptr;
}

MutableByteView NonSvHost::Private() const {
    if (!devmode) return {};
    ByteView head(devmode, devmode::kHeaderEnd);
    uint16_t size = 0, extra = 0;
    int16_t offset = 0;
    head.u16(devmode::kOffSize, size);
    head.u16(devmode::kOffDriverExtra, extra);
    size_t total = size_t{size} + extra;
    if (total < devmode::kHeaderEnd || !head.s16(devmode::kOffModelSection, offset) || offset < 0 ||
        static_cast<size_t>(offset) >= total)
        return {};
    return MutableByteView(devmode + offset, total - static_cast<size_t>(offset));
}

MutableByteView NonSvHost::DeviceOptionData() const {
    if (!deviceOption) return {};
    uint8_t* data = devopt::blockData(deviceOption);
    if (!data) return {};
    size_t offset = static_cast<size_t>(data - deviceOption);
    return MutableByteView(data, devopt::blockSize(deviceOption) - offset);
}

uint32_t NonSvHost::Option32(uint32_t option) const {
    uint32_t value = 0;
    if (!ctx || !ctx->svc || !devmode || !ctx->svc->GetOption(ctx, devmode, option, &value, sizeof value)) return 0;
    return value;
}

uint16_t NonSvHost::Option16(uint32_t option) const {
    uint16_t value = 0;
    if (!ctx || !ctx->svc || !devmode || !ctx->svc->GetOption(ctx, devmode, option, &value, sizeof value)) return 0;
    return value;
}

bool NonSvHost::SetOption32(uint32_t option, uint32_t value) const {
    return ctx && ctx->svc && devmode && ctx->svc->SetOption(ctx, devmode, option, &value, sizeof value);
}

bool NonSvHost::SetOption16(uint32_t option, uint16_t value) const {
    return ctx && ctx->svc && devmode && ctx->svc->SetOption(ctx, devmode, option, &value, sizeof value);
}

uint32_t NonSvHost::Device32(size_t offset) const { return device ? device->U32(offset) : 0; }
uint16_t NonSvHost::Device16(size_t offset) const { return device ? device->U16(offset) : 0; }

uint8_t NonSvHost::Dop8(size_t offset) const { return DeviceOptionData().u8_or_zero(offset); }
uint16_t NonSvHost::Dop16(size_t offset) const { return DeviceOptionData().u16_or_zero(offset); }
uint32_t NonSvHost::Dop32(size_t offset) const { return DeviceOptionData().u32_or_zero(offset); }
uint8_t NonSvHost::Priv8(size_t offset) const { return Private().u8_or_zero(offset); }
uint16_t NonSvHost::Priv16(size_t offset) const { return Private().u16_or_zero(offset); }
uint32_t NonSvHost::Priv32(size_t offset) const { return Private().u32_or_zero(offset); }

int PutWord(void* data, uint32_t value) { return PutWords(data, &value, 1); }

int PutWords(void* data, const uint32_t* values, size_t count) {
    if (!data) return kNsNoBuffer;
    MutableByteView out(data, count * 4);
    for (size_t i = 0; i < count; ++i) out.put_u32(i * 4, values[i]);
    return kNsDone;
}

bool TakeWord(const void* data, uint32_t& out) {
    if (!data) return false;
    return ByteView(data, 4).u32(0, out);
}

size_t FieldLength(const char* field, size_t size) {
    if (!field) return 0;
    const void* end = std::memchr(field, 0, size);
    return end ? static_cast<size_t>(static_cast<const char*>(end) - field) : size;
}

bool CopyText(char* field, size_t size, const char* text, size_t textMax) {
    if (!field || size == 0) return false;
    size_t length = text ? FieldLength(text, textMax) : 0;
    if (length >= size) return false;
    if (length) std::memcpy(field, text, length);
    std::memset(field + length, 0, size - length);
    return true;
}
