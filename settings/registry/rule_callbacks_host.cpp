// The six rule callbacks that name no item (a message, output, two mode answers, a refusal and a
// registry-key test), the by-key twins of the item callbacks, and the table handed to the engine.
#include "settings/registry/rule_callbacks.h"

#include "settings/registry/rule_message.h"
#include "settings/registry/rule_target.h"

#include <windows.h>

template <class... Args, int (*ById)(void*, int32_t, Args...)>
int CmSvRuleByKey<ById>::Call(void* host, const char* key, Args... args) {
    CmSvConflict* registry = RegistryOf(static_cast<UIDEVDATA*>(host));
    CmSv* item = registry && key ? registry->FindItemByKey(key) : nullptr;
    if (!item) return kRuleNoItem;
    return ById(host, static_cast<int32_t>(item->itemId), args...);
}

int CmSvRuleCb_ShowMessage(void* host, int32_t message) {
    auto* ctx = static_cast<UIDEVDATA*>(host);
    CmSvConflict* registry = RegistryOf(ctx);
    if (!registry) return kRuleNoItem;
    if (registry->restoring || (registry->showOnce && registry->messageShown)) return kRuleDone;
    ShowRuleMessage(ctx, registry->dialogWindow, static_cast<UINT>(message));
    registry->messageShown = 1;
    ++registry->ruleChanges;
    return kRuleDone;
}

int CmSvRuleCb_Zero(void*, const char*) { return 0; }
int CmSvRuleCb_True(void*) { return 1; }

int CmSvRuleCb_IsModeSet(void* host) {
    CmSvConflict* registry = RegistryOf(static_cast<UIDEVDATA*>(host));
    return registry && registry->noDialog == 1 ? 1 : 0;
}

int CmSvRuleCb_Refuse(void*, const char*) { return kRuleNoValue; }

int CmSvRuleCb_RegistryKeyExists(void*, const char* root, const char* path) {
    HKEY base;
    if (root && std::strcmp(root, "HKEY_CURRENT_USER") == 0)
        base = HKEY_CURRENT_USER;
    else if (root && std::strcmp(root, "HKEY_LOCAL_MACHINE") == 0)
        base = HKEY_LOCAL_MACHINE;
    else
        return kRuleNoValue;
    HKEY key = nullptr;
    if (RegOpenKeyA(base, path, &key) != ERROR_SUCCESS) return kRuleNoValue;
    RegCloseKey(key);
    return kRuleDone;
}

namespace {

template <class Fn>
PlHostSlot Slot(Fn fn) {
    return reinterpret_cast<PlHostSlot>(fn);
}

}  // namespace

void FillRuleCallbacks(PieHostBlock1& block1, PieHostBlock2& block2) {
#define CMSV_FILL(name, ...)                                                              \
    block1.slots[pie_host_slot(PIE_BLOCK_KEY, PIE_OP_##name)] = Slot(CmSvRuleCb_##name##ByKey); \
    block2.slots[PIE_OP_##name] = Slot(&CmSvRuleCb_##name);
    PIE_HOST_ITEM_OPS(CMSV_FILL)
#undef CMSV_FILL
    block1.slots[PIE_SLOT_SHOW_MESSAGE] = Slot(&CmSvRuleCb_ShowMessage);
    block1.slots[PIE_SLOT_OUTPUT] = Slot(&CmSvRuleCb_Zero);
    block1.slots[PIE_SLOT_TRUE] = Slot(&CmSvRuleCb_True);
    block1.slots[PIE_SLOT_IS_MODE_SET] = Slot(&CmSvRuleCb_IsModeSet);
    block1.slots[PIE_SLOT_REFUSE] = Slot(&CmSvRuleCb_Refuse);
    block1.slots[PIE_SLOT_REGISTRY_KEY_EXISTS] = Slot(&CmSvRuleCb_RegistryKeyExists);
}
