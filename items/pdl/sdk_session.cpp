// The application interface's hold on a device-mode session: the sheet registry the items
// answer through is started at the session's first request and kept to its end. Between
// requests the caller may hand in a different device mode; the registry is then started again
// over it, so that the items never answer from settings the caller no longer has.
#include "items/pdl/sdk.h"

#include "core/device/service_table.h"
#include "core/device/user_data.h"
#include "core/devmode/option_routes.h"
#include "items/pdl/pdl_user_data.h"

#include <cstring>
#include <map>
#include <new>
#include <vector>

namespace {

// The settings each session's registry was last in step with, for the registries this file
// started (a sheet's own registry is the sheet's business). Never destroyed: a session may end
// while the process's statics are going.
std::map<const UIDEVDATA*, std::vector<uint8_t>>& Sessions() {
    static auto* sessions = new std::map<const UIDEVDATA*, std::vector<uint8_t>>;
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

void EndSession(UIDEVDATA* ctx) {
    auto found = Sessions().find(ctx);
    if (found == Sessions().end()) return;
    Sessions().erase(found);
    PDLSvUserData::EndSheet(ctx);
}

// A device-mode request gets a registry over the settings it carries now.
void PrepareRegistry(UIDEVDATA* ctx) {
    if (!ctx || !ctx->svc || ctx->svc->GetKind(ctx) != kKindDevmode) return;
    CmUserData* user = ctx->svc->GetUserData(ctx);
    if (!user) return;
    auto found = Sessions().find(ctx);
    if (found == Sessions().end()) {
        if (user->GetConflict()) return;
    } else {
        if (user->GetConflict() && Settings(ctx) == found->second) return;
        Sessions().erase(found);
        PDLSvUserData::EndSheet(ctx);
    }
    try {
        if (PDLSvUserData::StartSheet(ctx)) Settings(ctx).CopyTo(Sessions()[ctx]);
    } catch (...) {
        // A registry half built when memory ran out is taken down whole; the next request
        // starts again.
        Sessions().erase(ctx);
        PDLSvUserData::EndSheet(ctx);
        throw;
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
