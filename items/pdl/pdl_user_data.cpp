// The sheet's registry from its start to its end.
#include "items/pdl/pdl_user_data.h"

#include "core/device/service_table.h"
#include "core/device/user_data.h"
#include "items/pdl/pdl_conflict.h"

namespace {

PDLSvConflict* NewRegistry(UIDEVDATA* ctx, CmUserData* user, bool keepEngine) {
    auto* registry = new PDLSvConflict(user);
    registry->memoryOption = 1;
    if (ctx->svc->GetKind(ctx) == kKindDevmode && ctx->svc->GetSubtype(ctx) == kSubtypeNoDialog) registry->noDialog = 1;
    registry->keepEngine = keepEngine;
    // The items reach the registry through the user data while the sets are built.
    user->SetConflict(static_cast<CmSvConflict*>(registry));
    return registry;
}

}  // namespace

PDLSvConflict* PDLSvUserData::StartSheet(UIDEVDATA* ctx) {
    CmUserData* user = ctx && ctx->svc ? ctx->svc->GetUserData(ctx) : nullptr;
    if (!user || user->GetConflict()) return nullptr;
    // Every sheet keeps its engine: it is left at the sheet's end for the process's next start.
    PDLSvConflict* registry = NewRegistry(ctx, user, true);
    registry->CreateAllItemSets(ctx);
    return registry;
}

PDLSvConflict* PDLSvUserData::RestartSheet(UIDEVDATA* ctx, CmSvConflict* donor) {
    CmUserData* user = ctx && ctx->svc ? ctx->svc->GetUserData(ctx) : nullptr;
    if (!user || user->GetConflict() || !donor) {
        EndSetAside(ctx, donor);
        return StartSheet(ctx);
    }
    PDLSvConflict* registry = nullptr;
    try {
        registry = NewRegistry(ctx, user, true);
        registry->CreateAllItemSetsFrom(ctx, *donor);
    } catch (...) {
        // The donor's notes may name choices the new registry took: it ends first.
        EndSetAside(ctx, donor);
        EndSheet(ctx);
        throw;
    }
    EndSetAside(ctx, donor);
    return registry;
}

namespace {

CmUserData* UserOf(UIDEVDATA* ctx) { return ctx && ctx->svc ? ctx->svc->GetUserData(ctx) : nullptr; }

}  // namespace

void PDLSvUserData::EndSheet(UIDEVDATA* ctx) {
    CmUserData* user = UserOf(ctx);
    auto* registry = user ? static_cast<CmSvConflict*>(user->GetConflict()) : nullptr;
    if (!registry) return;
    // The notes the engine leaves with name the items' own texts: it goes before them.
    registry->LeaveEngine();
    registry->DestroyAllItemSets(ctx);
    user->SetConflict(nullptr);
    delete registry;
}

CmSvConflict* PDLSvUserData::SetAside(UIDEVDATA* ctx) {
    CmUserData* user = UserOf(ctx);
    auto* registry = user ? static_cast<CmSvConflict*>(user->GetConflict()) : nullptr;
    if (registry) user->SetConflict(nullptr);
    return registry;
}

bool PDLSvUserData::TakeBack(UIDEVDATA* ctx, CmSvConflict* registry) {
    CmUserData* user = UserOf(ctx);
    if (!user || !registry || user->GetConflict()) return false;
    user->SetConflict(registry);
    return true;
}

void PDLSvUserData::EndSetAside(UIDEVDATA* ctx, CmSvConflict* registry) {
    CmUserData* user = UserOf(ctx);
    if (!user || !registry) return;
    // The registry ends as the request's own would: its items reach it through the user data.
    void* own = user->GetConflict();
    user->SetConflict(registry);
    EndSheet(ctx);
    user->SetConflict(own);
}
