// Stored profiles through the option interface: the list, the applied profile's name, applying
// a profile to the current settings, adding, deleting and importing user profiles. The current
// settings change only once the profile's device mode has been checked and validated whole.
#include "settings/sdk/cm_non_sv_sdk.h"

#include "core/datafile/device_data.h"
#include "core/datafile/device_data_layout.h"
#include "core/device/service_table.h"
#include "core/device/table_cursor_papers.h"
#include "core/device/table_cursor_query.h"
#include "core/device/table_cursor_ref.h"
#include "core/devmode/devmode_layout.h"
#include "core/helpers/byte_view.h"
#include "settings/sdk/profile_store.h"

#include <cstddef>
#include <cstring>
#include <vector>

namespace {

constexpr size_t kNameBuffer = 64;      // a profile name as the caller exchanges it
constexpr size_t kImportPathSize = 520;
constexpr uint16_t kCustomPaper = 256;
constexpr uint16_t kMaxIcon = 148;
// The add request: name, comment, icon, then the device mode.
constexpr size_t kAddName = 0, kAddComment = 64, kAddIcon = 576, kAddDevmode = 580;

constexpr uint32_t kBuiltInFlag = 0x40, kUserFlag = 0x04, kModifiedFlag = 0x08;
constexpr uint32_t kKeptPaperBits = 0x3800, kKeptTopBits = 0xC0000000;

uint32_t DeclaredSize(const uint8_t* devmode, size_t room) {
    uint16_t dmSize = 0, extra = 0;
    ByteView view(devmode, room);
    if (!view.u16(devmode::kOffSize, dmSize) || !view.u16(devmode::kOffDriverExtra, extra)) return 0;
    return uint32_t{dmSize} + extra;
}

// A name of 1 to 31 characters inside its field; empty when there is none.
bool BoundedName(const void* field, size_t room, char (&out)[kProfileNameSize]) {
    const auto* text = static_cast<const char*>(field);
    const size_t length = strnlen(text, room < kProfileNameSize ? room : kProfileNameSize);
    if (length == 0 || length >= kProfileNameSize) return false;
    std::memset(out, 0, sizeof out);
    std::memcpy(out, text, length);
    return true;
}

// How many user profiles exist, and whether one of any type has that name.
void SurveyProfiles(ProfileServices& store, const char* name, uint32_t& userProfiles, bool& nameTaken) {
    userProfiles = 0;
    nameTaken = false;
    CmProfileNode node;
    for (uint32_t i = 0; store.GetProfileNode(i, node); ++i, node = CmProfileNode{}) {
        if (node.type == kProfileUser) ++userProfiles;
        if (name && ProfileServices::CompareNames(node.name, name) == 0) nameTaken = true;
    }
}

void PutPublic16(uint8_t* devmode, size_t offset, int16_t value) { std::memcpy(devmode + offset, &value, sizeof value); }
int16_t Public16(const uint8_t* devmode, size_t offset) {
    int16_t value = 0;
    std::memcpy(&value, devmode + offset, sizeof value);
    return value;
}

}  // namespace

LONG CmNonSvSDK::Profile(DWORD kind, void* data) {
    switch (kind) {
    case kSdkKindSize: return PutWord(data, kNameBuffer);
    case kSdkKindCount: {
        if (!data) return kSdkAnswerNoItem;
        ProfileStoreHold store(ctx);
        uint32_t count = 0;
        for (const ProfileListEntry& entry : store->ReadProfileTable(printer, kProfileUser)) {
            if (!entry.name[0]) break;
            ++count;
        }
        return PutWord(data, count);
    }
    case kSdkKindGet: {
        if (!data) return kSdkAnswerNoItem;
        char name[kProfileNameSize] = {};
        if (!GetOption(settings, 101, name, sizeof name)) return kSdkAnswerNoItem;
        std::memcpy(data, name, sizeof name);
        static_cast<char*>(data)[kProfileNameSize] = 0;  // a name filling its option stays terminated
        return kSdkAnswerDone;
    }
    case kSdkKindSet: {
        char name[kProfileNameSize];
        if (!data) return kSdkAnswerNoItem;
        if (!BoundedName(data, kNameBuffer, name)) return kSdkAnswerNotSupported;
        return ApplyProfile(name);
    }
    case kSdkKindList: {
        if (!data) return kSdkAnswerNoItem;
        ProfileStoreHold store(ctx);
        auto* out = static_cast<char*>(data);
        for (const ProfileListEntry& entry : store->ReadProfileTable(printer, kProfileUser)) {
            if (!entry.name[0]) break;
            const size_t length = strnlen(entry.name, kProfileNameSize);
            if (length >= kProfileNameSize) break;
            std::memset(out, 0, kNameBuffer);
            std::memcpy(out, entry.name, length);
            out += kNameBuffer;
        }
        return kSdkAnswerDone;
    }
    case kSdkKindDefault: {
        char name[kProfileNameSize] = {};
        if (!GetOption(defaultDevmode, 101, name, sizeof name - 1)) return kSdkAnswerNoItem;
        if (!name[0]) return kSdkAnswerNotSupported;
        return ApplyProfile(name);
    }
    default:
        return kSdkAnswerNotSupported;
    }
}

LONG CmNonSvSDK::ApplyProfile(const char* name) {
    if (!settings) return kSdkAnswerNoItem;
    ProfileStoreHold store(ctx);
    CmProfileNode node;
    bool found = false;
    for (uint32_t i = 0; store->GetProfileNode(i, node); ++i, node = CmProfileNode{})
        if (std::strncmp(node.name, name, kProfileNameSize) == 0) {
            found = true;
            break;
        }
    if (!found) return kSdkAnswerNotSupported;
    const uint32_t nodeSize = DeclaredSize(node.devmode.data(), node.devmode.size());
    if (node.devmode.empty() || nodeSize == 0 || nodeSize > node.devmode.size()) return kSdkAnswerNoItem;

    const DWORD size = ctx->svc->GetDevmodeSize(ctx, 1);
    if (!size) return kSdkAnswerNoItem;
    std::vector<uint8_t> fresh(size, 0);
    if (!ctx->svc->ConvertDevmode(ctx, fresh.data(), node.devmode.data(), 1)) return kSdkAnswerNoItem;
    uint8_t* next = fresh.data();

    // The profile's kind and the current job's own bits travel into the new settings.
    const bool builtIn = node.type == kProfileBuiltIn;
    const uint32_t current100 = Option32(settings, 100);
    uint32_t new100 = Option32(next, 100) & ~(kBuiltInFlag | kUserFlag);
    if (builtIn) new100 |= kBuiltInFlag;
    const uint32_t carried = 0x800 | 0x1000 | 0x2000 | kKeptTopBits;
    new100 = (new100 & ~carried) | (current100 & carried);
    SetOption(next, 100, &new100, sizeof new100);
    const uint16_t job = Option16(settings, 102);
    SetOption(next, 102, &job, sizeof job);

    if (current100 & kKeptPaperBits) CarryCurrentPaper(next);
    if (Option16(next, 111) == kCustomPaper || Option16(next, 116) == kCustomPaper) {
        const uint16_t userPaper = Option16(settings, 129);
        SetOption(next, 129, &userPaper, sizeof userPaper);
    }
    char mark[kProfileNameSize] = {};
    GetOption(next, 154, mark, sizeof mark);
    if (!builtIn && !(Option32(next, 150) & 1) && mark[0] == 0 && defaultDevmode) {
        uint8_t buffer[48];
        for (const auto& [option, width] : {std::pair<DWORD, DWORD>{150, 4}, {154, 32}, {155, 32}, {156, 48}, {157, 4},
                                            {158, 4}, {159, 2}})
            if (GetOption(defaultDevmode, option, buffer, width)) SetOption(next, option, buffer, width);
    }

    if (!CheckProfileDevmode(next, settings)) return kSdkAnswerNoItem;
    std::vector<uint8_t> validated(settings, settings + size);
    if (!ctx->svc->ValidateDevmode(ctx, next, validated.data())) return kSdkAnswerNoItem;
    std::memcpy(settings, validated.data(), size);
    if (!AfterProfileApplied()) return kSdkAnswerNoItem;
    uint32_t applied100 = Option32(settings, 100) & ~kModifiedFlag;
    SetOption(settings, 100, &applied100, sizeof applied100);
    char stored[kProfileNameSize] = {};
    std::memcpy(stored, name, strnlen(name, kProfileNameSize - 1));
    SetOption(settings, 101, stored, sizeof stored);
    return kSdkAnswerDone;
}

// The new settings keep the current paper (the job's paper is fixed by bits 0x3800).
void CmNonSvSDK::CarryCurrentPaper(uint8_t* next) {
    const uint16_t paperCode = Option16(settings, 112);
    const uint32_t paperSize = Option32(settings, 114);
    PutPublic16(next, offsetof(DEVMODEA, dmPaperSize), static_cast<int16_t>(paperCode));
    PutPublic16(next, offsetof(DEVMODEA, dmPaperWidth), static_cast<int16_t>(paperSize & 0xFFFF));
    PutPublic16(next, offsetof(DEVMODEA, dmPaperLength), static_cast<int16_t>(paperSize >> 16));
    PutPublic16(next, offsetof(DEVMODEA, dmCopies), Public16(settings, offsetof(DEVMODEA, dmCopies)));
    PutPublic16(next, offsetof(DEVMODEA, dmOrientation), Public16(settings, offsetof(DEVMODEA, dmOrientation)));
    uint8_t buffer[8];
    for (const auto& [option, width] : {std::pair<DWORD, DWORD>{111, 2}, {112, 2}, {114, 4}, {115, 8}})
        if (GetOption(settings, option, buffer, width)) SetOption(next, option, buffer, width);
    if (Option32(next, 110) & 2) return;

    TableCursorRef<PaperCursor> papers(ctx, kTablePapers);
    if (!papers || !papers->Select(paperCode)) return;
    if (!papers->IsCustom(1)) {
        const std::pair<DWORD, DWORD> pairs[] = {{111, 116}, {112, 117}, {114, 119}, {115, 120}};
        for (const auto& [from, to] : pairs)
            if (GetOption(next, from, buffer, sizeof buffer)) SetOption(next, to, buffer, sizeof buffer);
        return;
    }
    const uint16_t paperClass = deviceData ? deviceData->U16(devicedata::kDefaultPaper) : 0;
    if (!papers->Select(paperClass)) return;
    const uint16_t ids[2] = {papers->GetWord(2), papers->GetWord(1)};
    SetOption(next, 116, &ids[0], sizeof ids[0]);
    SetOption(next, 117, &ids[1], sizeof ids[1]);
    uint32_t formSize[2] = {};
    int32_t area[4] = {};
    if (papers->GetFormSize(formSize, area)) {
        const uint32_t packed = (formSize[0] & 0xFFFF) | (formSize[1] << 16);
        SetOption(next, 119, &packed, sizeof packed);
        int16_t packedArea[4];
        for (int i = 0; i < 4; ++i) packedArea[i] = static_cast<int16_t>(area[i]);
        SetOption(next, 120, packedArea, sizeof packedArea);
    }
    if (Option16(settings, 123) == 0) {
        const uint16_t category = 3;
        SetOption(next, 123, &category, sizeof category);
    }
}

LONG CmNonSvSDK::AfterProfileApplied() {
    if (!(Option32(settings, 100) & kKeptPaperBits)) {
        uint32_t sizes = 0;
        bool custom = true;
        if (Option16(settings, 112) == kCustomPaper) sizes = Option32(settings, 114);
        else if (Option16(settings, 117) == kCustomPaper) sizes = Option32(settings, 119);
        else custom = false;
        if (custom) {
            const uint32_t size[2] = {static_cast<uint32_t>(static_cast<int16_t>(sizes & 0xFFFF)),
                                      static_cast<uint32_t>(static_cast<int16_t>(sizes >> 16))};
            int32_t area[4] = {};
            const int32_t* areaOrNone = nullptr;
            const DeviceList areas = deviceData ? deviceData->ListAt(devicedata::kDeviceAreaHandle) : DeviceList{};
            if (!areas.empty()) {
                uint32_t w[4] = {};
                const ByteView record = areas.Entry(0);
                if (record.u32(8, w[0]) && record.u32(12, w[1]) && record.u32(16, w[2]) && record.u32(20, w[3])) {
                    area[0] = static_cast<int32_t>(w[0]);
                    area[1] = static_cast<int32_t>(w[1]);
                    area[2] = static_cast<int32_t>(size[0] - w[2]);
                    area[3] = static_cast<int32_t>(size[1] - w[3]);
                    areaOrNone = area;
                }
            }
            TableCursorRef<PaperCursor> papers(ctx, kTablePapers);
            if (papers && papers->Select(kCustomPaper)) papers->SetCustomSize(size, areaOrNone);
        }
    }
    // The watermark presets are reloaded by the document features' watermark object, which this
    // library does not build yet.
    return 1;
}

LONG CmNonSvSDK::AddProfile(DWORD kind, void* data) {
    const DWORD extended = ctx->svc->GetDevmodeSize(ctx, 2);
    if (kind == kSdkKindSize) return PutWord(data, static_cast<uint32_t>(kAddDevmode + extended));
    if (kind != kSdkKindAction) return kSdkAnswerNotSupported;
    if (!data || !extended) return kSdkAnswerNoItem;
    const auto* request = static_cast<const uint8_t*>(data);
    if (DeclaredSize(request + kAddDevmode, devmode::kPublicSize) != extended) return kSdkAnswerRefused;
    char name[kProfileNameSize];
    if (!BoundedName(request + kAddName, kProfileNameSize, name) || ProfileServices::FindFileNamePart(name))
        return kSdkAnswerNoItem;
    uint16_t icon = 0;
    std::memcpy(&icon, request + kAddIcon, sizeof icon);
    const auto* comment = reinterpret_cast<const char*>(request + kAddComment);
    const size_t commentLength = strnlen(comment, kProfileCommentSize);
    if (icon > kMaxIcon || commentLength >= kProfileCommentSize) return kSdkAnswerNoItem;

    ProfileStoreHold store(ctx);
    uint32_t userProfiles = 0;
    bool taken = false;
    SurveyProfiles(*store, name, userProfiles, taken);
    if (taken || userProfiles >= kUserProfileLimit) return kSdkAnswerRefused;
    const size_t recordSize = profilerecord::kDevmode + extended;
    if (recordSize > 0xFFFF) return kSdkAnswerNoItem;
    std::vector<uint8_t> record(recordSize, 0);
    const auto size16 = static_cast<uint16_t>(recordSize);
    std::memcpy(record.data() + profilerecord::kSize, &size16, sizeof size16);
    std::memcpy(record.data() + profilerecord::kName, name, sizeof name);
    std::memcpy(record.data() + profilerecord::kComment, comment, commentLength);
    std::memcpy(record.data() + profilerecord::kIcon, &icon, sizeof icon);
    const uint16_t type = kProfileUser;
    std::memcpy(record.data() + profilerecord::kType, &type, sizeof type);
    std::memcpy(record.data() + profilerecord::kDevmode, request + kAddDevmode, extended);
    return store->StoreProfile(record.data(), record.size()) ? kSdkAnswerDone : kSdkAnswerNoItem;
}

LONG CmNonSvSDK::DeleteProfile(DWORD kind, void* data) {
    if (kind == kSdkKindSize) return PutWord(data, kNameBuffer);
    if (kind != kSdkKindAction) return kSdkAnswerNotSupported;
    char name[kProfileNameSize];
    if (!data || !BoundedName(data, kNameBuffer, name)) return kSdkAnswerNoItem;
    char applied[kProfileNameSize + 1] = {};
    GetOption(settings, 101, applied, kProfileNameSize);
    // The applied profile stays while the settings still follow it.
    if (ProfileServices::CompareNames(name, applied) == 0 && !(Option32(settings, 100) & kUserFlag)) return kSdkAnswerNoItem;
    ProfileStoreHold store(ctx);
    return store->RemoveProfile(name, kProfileUser) ? kSdkAnswerDone : kSdkAnswerNoItem;
}

LONG CmNonSvSDK::ImportProfile(DWORD kind, void* data) {
    if (kind == kSdkKindSize) return PutWord(data, kImportPathSize);
    if (kind != kSdkKindAction) return kSdkAnswerNotSupported;
    if (!data) return kSdkAnswerNoItem;
    const auto* path = static_cast<const char*>(data);
    if (strnlen(path, kImportPathSize) >= kImportPathSize) return kSdkAnswerNoItem;
    const DWORD size = ctx->svc->GetDevmodeSize(ctx, 1), extended = ctx->svc->GetDevmodeSize(ctx, 2);
    if (!size || !extended) return kSdkAnswerNoItem;

    ProfileStoreHold store(ctx);
    std::vector<uint8_t> imported = store->ImportProfileFile(path);
    if (imported.size() <= profilerecord::kDevmode) return kSdkAnswerRefused;
    char name[kProfileNameSize];
    if (!BoundedName(imported.data() + profilerecord::kName, kProfileNameSize, name)) return kSdkAnswerRefused;
    uint32_t userProfiles = 0;
    bool taken = false;
    SurveyProfiles(*store, name, userProfiles, taken);
    if (taken || userProfiles >= kUserProfileLimit) return kSdkAnswerRefused;

    uint8_t* importedDevmode = imported.data() + profilerecord::kDevmode;
    const size_t room = imported.size() - profilerecord::kDevmode;
    const uint32_t declared = DeclaredSize(importedDevmode, room);
    if (declared == 0 || declared > room) return kSdkAnswerRefused;
    std::vector<uint8_t> fresh(size, 0);
    if (!ctx->svc->ConvertDevmode(ctx, fresh.data(), importedDevmode, 1)) return kSdkAnswerNoItem;
    const uint16_t job = 1, zero16 = 0;
    const uint32_t flags = 0;
    uint8_t cleared[34] = {};
    SetOption(fresh.data(), 102, &job, sizeof job);
    SetOption(fresh.data(), 100, &flags, sizeof flags);
    SetOption(fresh.data(), 261, &zero16, sizeof zero16);
    SetOption(fresh.data(), 262, cleared, sizeof cleared);

    const size_t recordSize = profilerecord::kDevmode + extended;
    if (recordSize > 0xFFFF) return kSdkAnswerNoItem;
    std::vector<uint8_t> record(recordSize, 0);
    std::memcpy(record.data(), imported.data(), profilerecord::kDevmode);
    if (!ctx->svc->ConvertDevmode(ctx, fresh.data(), record.data() + profilerecord::kDevmode, 2)) return kSdkAnswerNoItem;
    const auto size16 = static_cast<uint16_t>(recordSize);
    const uint16_t type = kProfileUser;
    std::memcpy(record.data() + profilerecord::kSize, &size16, sizeof size16);
    std::memcpy(record.data() + profilerecord::kType, &type, sizeof type);
    return store->StoreProfile(record.data(), record.size()) ? kSdkAnswerDone : kSdkAnswerNoItem;
}
