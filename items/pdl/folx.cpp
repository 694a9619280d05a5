// The page-composition option object: one request's routing between the size queries, the
// records and single values, and the set requests followed by the model rules.
#include "items/pdl/folx.h"

#include "core/device/service_table.h"
#include "core/devmode/option_routes.h"
#include "core/helpers/byte_view.h"
#include "settings/folx/folx_fields.h"
#include "settings/folx/folx_records.h"

#include <new>

namespace {

// Deletes the option object on every path out of Run, an exception included.
struct FolxOwner {
    FOLX* folx;
    ~FolxOwner() { delete folx; }
};

// Sets bit 0x40 and clears bit 0x08 of the 32-bit flag word at that offset of the answer.
void MarkOutlined(void* data, size_t offset) {
    MutableByteView word(static_cast<uint8_t*>(data) + offset, 4);
    word.put_u32(0, (word.u32_or_zero(0) | 0x40) & ~0x08u);
}

}  // namespace

LONG FOLX::Run(UIDEVDATA* ctx, DWORD kind, DWORD code, void* data) {
    try {
        FolxOwner owner{new FOLX};
        return owner.folx->EntryProc(ctx, kind, code, data);
    } catch (const std::bad_alloc&) {
        return folx::kNotAttached;
    }
}

LONG FOLX::EntryProc(UIDEVDATA* ctx, DWORD kind, DWORD code, void* data) {
    LONG result = folx::kNotSupported;
    entryRequest = ctx;
    DeviceData* device = ctx && ctx->svc ? ctx->svc->LoadDeviceData(ctx) : nullptr;
    // The user data's current settings and the request's current device mode are one object:
    // the adapters work on the latter, and a set reaches the caller through the copy-back.
    NonSvFOLX::Attach(ctx);
    PDLSvFOLX::Attach(ctx);

    const bool colour = device && host_.Device32(folxdata::kColourFlag) != 0;
    if (kind == folx::kKindSize) {
        result = QueryHost(code, data);
    } else if (kind == folx::kKindGet) {
        if (code == folx::kSettingsCode) {
            result = GetValue1024(data);
        } else if (code == folx::kColourStampCode) {
            if (colour) result = GetHostValue(code, data);
        } else if (code == folx::kStampCode) {
            result = GetValue1071(data);
        } else {
            result = GetHostValue(code, data);
        }
        // An outlined watermark on a colour model: the flag word says so, when there is an
        // answer to mark (a record written, a value given).
        const bool marked = code == folx::kColourStampCode || (code == folx::kStampCode && StampCount() > 0);
        if (colour && marked && data && result == folx::kDone && (Opt(150) & 0x11) == 0x11)
            MarkOutlined(data, code == folx::kStampCode ? folx::stamp::kFlags : 0);
    } else if (kind == folx::kKindSet) {
        result = SetHostValue(code, data);
        AfterSet();
    }
    NonSvFOLX::Reset(ctx);
    PDLSvFOLX::Reset(ctx);
    entryRequest = nullptr;
    return result;
}

void RegisterPageComposition() { RegisterFolxRunner(FOLX::Run); }
