// The registered way of showing a rule's message.
#include "settings/registry/rule_message.h"

namespace {
RuleMessageShow g_show = nullptr;
}

RuleMessageShow RegisterRuleMessageShow(RuleMessageShow show) {
    RuleMessageShow previous = g_show;
    g_show = show;
    return previous;
}

int ShowRuleMessage(UIDEVDATA* ctx, HWND owner, UINT id) { return g_show ? g_show(ctx, owner, id) : 0; }
