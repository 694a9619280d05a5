// The property sheet an application opens over the current settings: the sheet edits an
// extended copy, which comes back into the settings only when the user pressed OK.
#include "settings/sdk/cm_non_sv_sdk.h"

#include "core/device/property_sheet_request.h"
#include "core/device/service_table.h"

#include <cstring>
#include <new>
#include <vector>

namespace {
constexpr uint32_t kSheetDataSize = 16;
}  // namespace

LONG CmNonSvSDK::OpenSettingsSheet(DWORD kind, void* data) {
    if (kind == kSdkKindSize) return PutWord(data, kSheetDataSize);
    if (kind != kSdkKindAction) return kSdkAnswerNotSupported;
    if (!data) return kSdkAnswerNoItem;
    auto* bytes = static_cast<uint8_t*>(data);
    const uint32_t none = 0;
    uint8_t* current = ctx->svc->GetDevmode(ctx, 3);
    const DWORD extended = ctx->svc->GetDevmodeSize(ctx, 2);
    std::vector<uint8_t> copy;
    try {
        copy.assign(extended, 0);
    } catch (const std::bad_alloc&) {
        copy.clear();
    }
    // Nothing ran: say so rather than report a sheet the user never saw.
    if (!current || copy.empty() || !ctx->svc->ConvertDevmode(ctx, current, copy.data(), 2)) {
        std::memcpy(bytes + 4, &none, sizeof none);
        return kSdkAnswerNoItem;
    }
    PropertySheetRequest request{};
    std::memcpy(&request.callerWord, bytes, sizeof request.callerWord);
    request.printerName = ctx->svc->GetPrinterName(ctx);
    request.current = current;
    request.kind = kSheetFromApplication;
    request.copy = copy.data();
    request.deviceData = deviceData;
    request.callerData = data;
    const uint32_t answer = ctx->svc->ShowPropertySheetFromRequest(ctx, &request) ? 1 : 0;
    std::memcpy(bytes + 4, &answer, sizeof answer);
    if (answer == 1) ctx->svc->ConvertDevmode(ctx, current, copy.data(), 1);
    return kSdkAnswerDone;
}
