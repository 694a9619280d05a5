// The application interface's hold on a device-mode session: the sheet registry the items
// answer through is started at the session's first request and kept to its end. Between
// requests the caller may hand in a different device mode; the registry is then started again
// over it, so that the items never answer from settings the caller no longer has. The registry
// it replaces is set aside, still in step with its settings: a caller that hands in two device
// modes by turns gets it back when its settings come again instead of a start. A device mode
// that differs only in fields no rule sees (the copies) is taken into the registry in place, and
// the device mode a registry started over, handed in again, takes the settings the start left
// (the rules correct some as they start) instead of a start that would leave them again. A start
// that ends a registry takes over its rule engine, brought back to the state its loads left: the
// new items are made and registered anew (the choices' pseudo-items are taken from the ended
// registry and made anew where they stand), and the program is loaded again only when they
// register something else than the ended ones did.
#include "items/pdl/sdk.h"

#include "core/device/service_table.h"
#include "core/device/user_data.h"
#include "core/devmode/option_routes.h"
#include "items/common/page_layout_items.h"
#include "items/pdl/pdl_user_data.h"
#include "settings/items/sv_parts.h"
#include "settings/registry/conflict.h"
#include "settings/sdk/sdk_request.h"
#include "settings/sdk/option_description.h"

#include <cstddef>
#include <cstring>
#include <iterator>
#include <map>
#include <new>
#include <utility>
#include <vector>

namespace {

// The settings each session's registry was last in step with, for the registries this file
// started (a sheet's own registry is the sheet's business). Never destroyed: a session may end
// while the process's statics are going.
std::map<const UIDEVDATA*, std::vector<uint8_t>>& Sessions() {
    static auto* sessions = new std::map<const UIDEVDATA*, std::vector<uint8_t>>;
    return *sessions;
}

// What a registry that has only been read since its start is in step with: the device options
// it saw and, for one this file started, the settings it started over and those the start left
// (the rules correct some settings as they start; both empty for a registry taken back).
struct ReadOnlyRegistry {
    std::vector<uint8_t> deviceOptions, startedFrom, startLeft;
};

// The sessions whose registry has only been read since it started: such a registry is what a
// start over its settings would make, and only such a one is set aside for a later request or
// brought to new settings in place. One that took a set may hold a value no device mode keeps.
std::map<const UIDEVDATA*, ReadOnlyRegistry>& OnlyReadSessions() {
    static auto* sessions = new std::map<const UIDEVDATA*, ReadOnlyRegistry>;
    return *sessions;
}

// The settings the request works on now, without a copy.
struct Settings {
    const uint8_t* bytes = nullptr;
    size_t size = 0;

    explicit Settings(UIDEVDATA* ctx) {
        CmUserData* user = ctx->svc->GetUserData(ctx);
        bytes = user ? user->GetSettingsSource() : nullptr;
        size = bytes ? user->GetSettingsSourceSize() : 0;
    }
    bool operator==(const std::vector<uint8_t>& kept) const {
        return kept.size() == size && (size == 0 || std::memcmp(kept.data(), bytes, size) == 0);
    }
    void CopyTo(std::vector<uint8_t>& kept) const { kept.assign(bytes, bytes + size); }
};

// The device options a registry set aside saw; it is taken back only over the same ones.
std::vector<uint8_t> DeviceOptionsOf(UIDEVDATA* ctx) {
    const uint8_t* block = ctx->svc->GetDeviceOption(ctx);
    const DWORD size = block ? ctx->svc->GetDeviceOptionSize(ctx) : 0;
    return block ? std::vector<uint8_t>(block, block + size) : std::vector<uint8_t>{};
}

// Notes that the session's registry is, from now, only read, over the device options it sees,
// with the settings its start began from when this file started it.
void NoteOnlyRead(UIDEVDATA* ctx, std::vector<uint8_t> deviceOptions, std::vector<uint8_t> startedFrom = {}) {
    ReadOnlyRegistry& noted = OnlyReadSessions()[ctx];
    noted.deviceOptions = std::move(deviceOptions);
    noted.startLeft.clear();
    if (!startedFrom.empty()) Settings(ctx).CopyTo(noted.startLeft);
    noted.startedFrom = std::move(startedFrom);
}
bool IsOnlyRead(const UIDEVDATA* ctx) { return OnlyReadSessions().count(ctx) != 0; }
void EndOnlyRead(const UIDEVDATA* ctx) { OnlyReadSessions().erase(ctx); }

bool SameDeviceOptions(UIDEVDATA* ctx, const std::vector<uint8_t>& seen) {
    const uint8_t* block = ctx->svc->GetDeviceOption(ctx);
    const DWORD size = block ? ctx->svc->GetDeviceOptionSize(ctx) : 0;
    return seen.size() == size && (size == 0 || std::memcmp(seen.data(), block, size) == 0);
}

// One registry per session set aside, with the settings and device options it is in step with.
struct AsideRegistry {
    CmSvConflict* registry = nullptr;
    std::vector<uint8_t> settings, deviceOptions;
};

std::map<const UIDEVDATA*, AsideRegistry>& Aside() {
    static auto* aside = new std::map<const UIDEVDATA*, AsideRegistry>;
    return *aside;
}

void EndAside(UIDEVDATA* ctx) {
    auto found = Aside().find(ctx);
    if (found == Aside().end()) return;
    CmSvConflict* registry = found->second.registry;
    Aside().erase(found);
    PDLSvUserData::EndSetAside(ctx, registry);
}

void EndSession(UIDEVDATA* ctx) {
    EndAside(ctx);
    EndOnlyRead(ctx);
    auto found = Sessions().find(ctx);
    if (found == Sessions().end()) return;
    Sessions().erase(found);
    PDLSvUserData::EndSheet(ctx);
}

// The caller handed in other settings than the registry's (`kept`, empty when a driver operation
// left the registry behind them). The registry goes aside when it has only been read since its
// start over the settings it kept, and the one set aside before comes back when the settings now
// are its own; true when it came back (`kept` then holds its settings). A registry that would end
// here with its engine kept is handed back in `spare` instead, for the start that follows.
bool SwapAside(UIDEVDATA* ctx, std::vector<uint8_t>& kept, CmSvConflict*& spare) {
    const Settings now(ctx);
    std::vector<uint8_t> options = DeviceOptionsOf(ctx);
    AsideRegistry before;
    if (auto found = Aside().find(ctx); found != Aside().end()) {
        before = std::move(found->second);
        Aside().erase(found);
    }
    CmSvConflict* leaving = PDLSvUserData::SetAside(ctx);
    const bool readOnly = IsOnlyRead(ctx);
    const bool back = before.registry && now == before.settings && options == before.deviceOptions;
    // A registry that ends here gives its engine to the start that follows when it started over
    // the device options there are now: the capability facts its engine loaded came from them.
    // Of two, the one set aside before gives it.
    const auto endOrSpare = [&](CmSvConflict* ending, auto sameOptions) {
        if (!back && !spare && ending->EngineKept() && sameOptions())
            spare = ending;
        else
            PDLSvUserData::EndSetAside(ctx, ending);
    };
    if (back)
        PDLSvUserData::TakeBack(ctx, before.registry);
    else if (before.registry)
        endOrSpare(before.registry, [&] { return before.deviceOptions == options; });
    if (leaving && readOnly && !kept.empty()) {
        try {
            Aside()[ctx] = {leaving, std::move(kept), std::move(options)};
        } catch (...) {
            PDLSvUserData::EndSetAside(ctx, leaving);
            if (spare) PDLSvUserData::EndSetAside(ctx, std::exchange(spare, nullptr));
            throw;
        }
    } else if (leaving) {
        endOrSpare(leaving, [&] {
            const auto started = OnlyReadSessions().find(ctx);
            return readOnly && started != OnlyReadSessions().end() && started->second.deviceOptions == options;
        });
    }
    kept = back ? std::move(before.settings) : std::vector<uint8_t>{};
    // Only a registry that was itself only read is ever set aside.
    if (back) NoteOnlyRead(ctx, std::move(before.deviceOptions));
    return back;
}

// Fields of the settings whose only reader in a start is one item the rule program may leave
// unnamed: the item takes its value from the field, and nothing else in the start looks at it.
// In the order of their offsets.
struct InertField {
    size_t offset, size;
    uint32_t itemId;
    const char* key;  // the item's own, checked: another item under the id is no reader known here
};
constexpr InertField kInertFields[] = {
    {offsetof(DEVMODEA, dmCopies), sizeof(short), CmSvDGT_Copy::kItemId, "Devmode$Copy"},
};

// The item of an inert field, when this registry's rules cannot see it: no rule text names it,
// so it has no rule, no rule reads or writes it and its first conflict leaves nothing that
// depends on its value; it is no constant of the rules and no follower of other settings.
CmSvItem* UnseenItem(CmSvConflict& registry, const InertField& field) {
    CmSv* item = registry.FindItem(field.itemId);
    CmSvItem* value = item ? ValueOf(item) : nullptr;
    if (!value || !item->key || std::strcmp(item->key, field.key) != 0 || (value->flags & CmSvItem::kConstant) ||
        item->AsFollow())
        return nullptr;
    return registry.RulesMayName(item->key) ? nullptr : value;
}

// A registry only read since its start over `kept`, handed settings that differ from them only
// in inert fields whose items its rules cannot see: a start over the new settings would differ
// from it only in those items' values, so they are loaded as the start loads them and the
// registry stays. True when it did (`kept` then holds the new settings); false, with nothing
// changed, when a start is needed.
bool ReloadUnseenFields(UIDEVDATA* ctx, std::vector<uint8_t>& kept) {
    // The bytes first: most device modes handed in differ elsewhere, and are let go at once.
    const Settings now(ctx);
    if (kept.empty() || now.size != kept.size()) return false;
    const auto differ = [&](size_t from, size_t to) {
        return std::memcmp(now.bytes + from, kept.data() + from, to - from) != 0;
    };
    const InertField* changed[std::size(kInertFields)] = {};
    size_t count = 0, from = 0;
    for (const InertField& field : kInertFields) {
        const size_t end = field.offset + field.size;
        if (end > now.size || differ(from, field.offset)) return false;
        if (differ(field.offset, end)) changed[count++] = &field;
        from = end;
    }
    if (differ(from, now.size)) return false;
    // The registry is a start over `kept` only when its start began there and corrected nothing.
    auto session = OnlyReadSessions().find(ctx);
    CmSvConflict* registry = RegistryOf(ctx);
    if (session == OnlyReadSessions().end() || !registry) return false;
    ReadOnlyRegistry& started = session->second;
    if (started.startedFrom != kept || started.startLeft != kept || !SameDeviceOptions(ctx, started.deviceOptions))
        return false;
    CmSvItem* reload[std::size(kInertFields)] = {};
    for (size_t i = 0; i < count; ++i)
        if (!(reload[i] = UnseenItem(*registry, *changed[i]))) return false;
    for (size_t i = 0; i < count; ++i) {
        reload[i]->Load(ctx, now.bytes);
        reload[i]->SetReference(ctx, 0);
    }
    // As a start over them would, the registry now began from the new settings and left them.
    now.CopyTo(kept);
    now.CopyTo(started.startedFrom);
    now.CopyTo(started.startLeft);
    return true;
}

// A registry only read since its start, handed again the settings it started over: the start
// over them would make the same registry and leave the settings it left, which the request takes
// instead of the ones the caller's device mode gave. True when it did.
bool TakeCorrectedSettings(UIDEVDATA* ctx, const std::vector<uint8_t>& kept) {
    auto session = OnlyReadSessions().find(ctx);
    if (session == OnlyReadSessions().end()) return false;
    const ReadOnlyRegistry& started = session->second;
    const Settings now(ctx);
    if (started.startedFrom.empty() || !(now == started.startedFrom)) return false;
    CmUserData* user = ctx->svc->GetUserData(ctx);
    uint8_t* settings = user ? user->GetSettingsSource() : nullptr;
    if (!settings || !RegistryOf(ctx) || started.startLeft != kept || !SameDeviceOptions(ctx, started.deviceOptions))
        return false;
    std::memcpy(settings, kept.data(), kept.size());
    return true;
}

// A device-mode request gets a registry over the settings it carries now.
void PrepareRegistry(UIDEVDATA* ctx) {
    if (!ctx || !ctx->svc || ctx->svc->GetKind(ctx) != kKindDevmode) return;
    CmUserData* user = ctx->svc->GetUserData(ctx);
    if (!user) return;
    CmSvConflict* spare = nullptr;
    auto found = Sessions().find(ctx);
    if (found == Sessions().end()) {
        if (user->GetConflict()) return;
    } else {
        if (user->GetConflict() && Settings(ctx) == found->second) return;
        if (user->GetConflict() && TakeCorrectedSettings(ctx, found->second)) return;
        if (user->GetConflict() && ReloadUnseenFields(ctx, found->second)) return;
        if (SwapAside(ctx, found->second, spare)) return;
        Sessions().erase(found);
        EndOnlyRead(ctx);
        PDLSvUserData::EndSheet(ctx);
    }
    try {
        std::vector<uint8_t> startedFrom;
        Settings(ctx).CopyTo(startedFrom);
        // A registry ending here lends its engine: the new one loads no program.
        const bool started = spare ? PDLSvUserData::RestartSheet(ctx, std::exchange(spare, nullptr))
                                   : PDLSvUserData::StartSheet(ctx);
        if (started) {
            Settings(ctx).CopyTo(Sessions()[ctx]);
            NoteOnlyRead(ctx, DeviceOptionsOf(ctx), std::move(startedFrom));
        }
    } catch (...) {
        // A registry half built when memory ran out is taken down whole; the next request
        // starts again.
        Sessions().erase(ctx);
        EndOnlyRead(ctx);
        PDLSvUserData::EndSheet(ctx);
        EndAside(ctx);
        if (spare) PDLSvUserData::EndSetAside(ctx, spare);
        throw;
    }
}

bool ReadsOnly(DWORD kind) {
    switch (kind) {
    case kSdkKindSize:
    case kSdkKindCount:
    case kSdkKindGet:
    case kSdkKindList:
    case kSdkKindPairs:
    case kSdkKindDescribe:
        return true;
    default:
        return false;
    }
}

LONG RunApplicationRequest(UIDEVDATA* ctx, DWORD kind, DWORD code, void* data) {
    try {
        PrepareRegistry(ctx);
        const LONG result = SDK::Run(ctx, kind, code, data);
        if (auto found = Sessions().find(ctx); found != Sessions().end()) {
            // The items changed the settings themselves and are in step with them; a driver
            // operation that wrote the settings (defaults, a profile) left the items behind, so
            // the next request starts the registry over what it wrote.
            const Settings now(ctx);
            if (NonSvSDK::Names(code) && !(now == found->second))
                found->second.clear();
            else
                now.CopyTo(found->second);
            // A request that may have written anything beside the settings (the device options,
            // the printer's stored data) leaves the registry set aside behind it. A describe
            // request only reads, whatever key its walk starts from: it passes over the codes the
            // driver answers itself.
            if (!ReadsOnly(kind) || (kind != kSdkKindDescribe && NonSvSDK::Names(code))) {
                EndOnlyRead(ctx);
                EndAside(ctx);
            }
        }
        return result;
    } catch (const std::bad_alloc&) {
        return kSdkAnswerNoItem;
    }
}

}  // namespace

void RegisterApplicationOptions() {
    RegisterSdkRunner(RunApplicationRequest);
    RegisterSdkSessionEnd(EndSession);
}
