// The request's profile store, and the store with no entries that stands in while the user
// data holds none.
#include "settings/sdk/profile_store.h"

#include "core/device/service_table.h"

#include <cctype>
#include <cstring>

namespace {

class NoProfiles final : public ProfileServices {
public:
    bool GetProfileNode(uint32_t, CmProfileNode&) override { return false; }
    std::vector<uint8_t> ImportProfileFile(const char*) override { return {}; }
    std::vector<ProfileListEntry> ReadProfileTable(HANDLE, uint16_t) override { return {ProfileListEntry{}}; }
    bool RemoveProfile(const char*, uint16_t) override { return false; }
    bool StoreProfile(const uint8_t*, size_t) override { return false; }
};

NoProfiles g_noProfiles;

}  // namespace

int ProfileServices::CompareNames(const char* a, const char* b) {
    for (;; ++a, ++b) {
        const int x = std::tolower(static_cast<unsigned char>(*a)), y = std::tolower(static_cast<unsigned char>(*b));
        if (x != y) return x < y ? -1 : 1;
        if (!x) return 0;
    }
}

int ProfileServices::FindFileNamePart(const char* name) {
    return name && std::strpbrk(name, "\\/:") != nullptr ? 1 : 0;
}

ProfileStoreHold::ProfileStoreHold(UIDEVDATA* ctx) : store_(&g_noProfiles) {
    auto* user = ctx && ctx->svc ? dynamic_cast<PDLUserData*>(ctx->svc->GetUserData(ctx)) : nullptr;
    if (!user) return;
    if (auto* own = dynamic_cast<ProfileServices*>(user->GetProfile())) {
        store_ = own;
        return;
    }
    made_ = user->CreateProfile(ctx);
    if (auto* made = dynamic_cast<ProfileServices*>(made_)) store_ = made;
}

ProfileStoreHold::~ProfileStoreHold() { delete made_; }
