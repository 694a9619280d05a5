// The overlay object's stored lists and its checks of a chosen file. Stored lists are believed
// only when their value has its exact size; a file's header is read whole or not at all.
#include "features/overlay.h"

#include "core/datafile/device_data.h"
#include "core/datafile/device_data_layout.h"
#include "core/device/service_table.h"
#include "core/device/user_data.h"
#include "core/system/registry_helpers.h"

#include <cstddef>
#include <cstring>

using namespace overlay;

namespace {

constexpr char kSheetValue[] = "OverlaySheetdata", kRecentValue[] = "PdlOverlaySheetdata";
constexpr UINT kColourFilter = 8716, kMonoFilter = 8720;
constexpr DWORD kOptJobDpi = 224;
constexpr UINT kMsgNotWritable = 40, kMsgInUse = 41, kMsgOtherColour = 42, kMsgOtherDpi = 43, kMsgOtherClass = 44,
               kMsgNotOverlay = 37, kMsgOtherFrame = 46;

}  // namespace

Overlay::Overlay(UIDEVDATA* owner, uintptr_t creationValue) : CmPreset(owner, creationValue) {
    basePath_ = BuildRegistryPath();
}

bool Overlay::LoadLists() {
    used_.clear();
    created_.clear();
    std::vector<uint8_t> bytes(kSheetDataSize);
    DWORD size = kSheetDataSize;
    if (basePath_.empty() || !RegQueryValueRead(HKEY_LOCAL_MACHINE, basePath_.c_str(), PrinterKeyName().c_str(),
                                                nullptr, kSheetValue, bytes.data(), &size) ||
        size != kSheetDataSize)
        return false;
    const ByteView view(bytes.data(), bytes.size());
    used_ = ReadList(view, kUsedAt);
    created_ = ReadList(view, kCreatedAt);
    return true;
}

bool Overlay::SaveLists() {
    if (basePath_.empty()) return false;
    std::vector<uint8_t> bytes(kSheetDataSize, 0);
    WriteList(created_, bytes.data() + kCreatedAt);
    WriteList(used_, bytes.data() + kUsedAt);
    return RegSetValueAll(HKEY_LOCAL_MACHINE, basePath_.c_str(), PrinterKeyName().c_str(), nullptr, kSheetValue,
                          REG_BINARY, bytes.data(), kSheetDataSize) != FALSE;
}

bool Overlay::LoadRecentList() {
    recent_.clear();
    std::vector<uint8_t> bytes(kRecentDataSize);
    DWORD size = kRecentDataSize;
    if (basePath_.empty() || !RegQueryValueRead(HKEY_LOCAL_MACHINE, basePath_.c_str(), PrinterKeyName().c_str(),
                                                nullptr, kRecentValue, bytes.data(), &size) ||
        size != kRecentDataSize)
        return false;
    recent_ = ReadList(ByteView(bytes.data(), bytes.size()), kRecentAt);
    return true;
}

bool Overlay::SaveRecentList() {
    if (basePath_.empty()) return false;
    std::vector<uint8_t> bytes(kRecentDataSize, 0);
    WriteList(recent_, bytes.data() + kRecentAt);
    return RegSetValueAll(HKEY_LOCAL_MACHINE, basePath_.c_str(), PrinterKeyName().c_str(), nullptr, kRecentValue,
                          REG_BINARY, bytes.data(), kRecentDataSize) != FALSE;
}

bool Overlay::ColourDevice() const {
    UIDEVDATA* ctx = Owner();
    const DeviceData* data = ctx && ctx->svc ? ctx->svc->LoadDeviceData(ctx) : nullptr;
    return data && data->U32(devicedata::kColorState) != 0;
}

std::string Overlay::Filter() const {
    UIDEVDATA* ctx = Owner();
    char text[256] = {};
    if (ctx && ctx->svc) ctx->svc->LoadString(ctx, ColourDevice() ? kColourFilter : kMonoFilter, text, sizeof text);
    return text;
}

std::string Overlay::DefaultExtension() const { return ColourDevice() ? "p5c" : "p5e"; }

HeaderFacts Overlay::Facts() const {
    HeaderFacts facts;
    UIDEVDATA* ctx = Owner();
    if (!ctx || !ctx->svc) return facts;
    if (const DeviceData* data = ctx->svc->LoadDeviceData(ctx)) {
        facts.deviceClass = data->U16(devicedata::kDeviceClass);
        facts.model = data->U16(devicedata::kModelNumber);
    }
    CmUserData* user = ctx->svc->GetUserData(ctx);
    const uint8_t* settings = user ? user->GetSettingsSource() : nullptr;
    if (!settings) return facts;
    uint16_t dpi = 0;
    ctx->svc->GetOption(ctx, settings, kOptJobDpi, &dpi, sizeof dpi);
    facts.jobDpi = dpi;
    int16_t colour = 0;
    std::memcpy(&colour, settings + offsetof(DEVMODEA, dmColor), sizeof colour);
    facts.colourJob = colour == DMCOLOR_COLOR;
    return facts;
}

int Overlay::CheckHeader(const char* path) const {
    if (!path || !*path) return kHeaderUnreadable;
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return kHeaderUnreadable;
    uint8_t header[kHeaderSize] = {};
    DWORD read = 0;
    const BOOL ok = ReadFile(file, header, sizeof header, &read, nullptr);
    CloseHandle(file);
    return CheckHeaderBytes(header, ok ? read : 0, Facts());
}

bool Overlay::CheckWritablePath(HWND owner, const char* path) const {
    if (!path || strnlen(path, kTextRoom) >= kTextRoom) return false;
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        CloseHandle(file);
        return true;
    }
    // A trial file, gone as soon as it is closed, shows whether the folder takes the new file.
    file = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_DELETE_ON_CLOSE,
                       nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        ShowMessage(owner, kMsgNotWritable);
        return false;
    }
    CloseHandle(file);
    DeleteFileA(path);
    return true;
}

bool Overlay::CheckOverlayFile(HWND owner, const char* path) {
    for (const Entry& entry : used_)
        if (entry.source != 0 && std::strcmp(entry.path, path) == 0) {
            ShowMessage(owner, kMsgInUse);
            return false;
        }
    const int result = CheckHeader(path);
    switch (result & 0xFF) {
    case kHeaderOtherClass: ShowMessage(owner, kMsgOtherClass); return false;
    case kHeaderNotOverlay: ShowMessage(owner, kMsgNotOverlay); return false;
    case kHeaderUnreadable: ShowMessage(owner, kMsgInUse); return false;
    case 2: return false;
    default: break;
    }
    if (result & kHeaderOtherDpi) ShowMessage(owner, kMsgOtherDpi);
    if (result & kHeaderOtherColour) ShowMessage(owner, kMsgOtherColour);
    if (result & 0x800) ShowMessage(owner, kMsgOtherFrame);
    return true;
}

bool Overlay::CheckPath(HWND owner, const char* path, int kind) {
    if (!path || !*path) return false;
    if (kind == 1) return CheckWritablePath(owner, path);
    if (kind == 2) return CheckOverlayFile(owner, path);
    return false;
}

CmModule* MakeOverlay(UIDEVDATA* ctx) {
    try {
        return new Overlay(ctx, 0);
    } catch (...) {
        return nullptr;  // without memory the request has no overlay lists
    }
}
