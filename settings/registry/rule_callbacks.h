// `CmSvRuleCallbacks`: the 82 host functions through which the rules read, test and change the
// sheet's items, choices and controls, and ask a few facts of the host. Entry k of the table is
// the engine's host slot k: entries 0-43 name an item by its setting key (and hold the six host
// functions), entries 44-81 by its item id. Answers: 0 done, -1 no such item, -2 wrong class,
// -3 no value, no match or refused, -4 wrong type. The callbacks change only state words and
// changed flags and collect the touched items in the registry's changed-item set.
#pragma once

#include "pie/api/api.h"
#include "pie/host/host_slots.h"

#include <cstdint>

#define CMSV_DECLARE_RULE_CB(name, ...) int CmSvRuleCb_##name(void* host, int32_t item __VA_OPT__(, ) __VA_ARGS__);
PIE_HOST_ITEM_OPS(CMSV_DECLARE_RULE_CB)
#undef CMSV_DECLARE_RULE_CB

int CmSvRuleCb_ShowMessage(void* host, int32_t message);
int CmSvRuleCb_Zero(void* host, const char* text);
int CmSvRuleCb_True(void* host);
int CmSvRuleCb_IsModeSet(void* host);
int CmSvRuleCb_Refuse(void* host, const char* window);
int CmSvRuleCb_RegistryKeyExists(void* host, const char* root, const char* path);

// The by-key twin of a by-id entry: the item of the key, then the by-id entry with its id.
template <auto ById>
struct CmSvRuleByKey;
template <class... Args, int (*ById)(void*, int32_t, Args...)>
struct CmSvRuleByKey<ById> {
    static int Call(void* host, const char* key, Args... args);
};

#define CMSV_DECLARE_RULE_CB_KEY(name, ...) \
    inline constexpr auto CmSvRuleCb_##name##ByKey = &CmSvRuleByKey<&CmSvRuleCb_##name>::Call;
PIE_HOST_ITEM_OPS(CMSV_DECLARE_RULE_CB_KEY)
#undef CMSV_DECLARE_RULE_CB_KEY

// Fills the two blocks the engine takes: entries 0-43 and 44-81.
void FillRuleCallbacks(PieHostBlock1& block1, PieHostBlock2& block2);
