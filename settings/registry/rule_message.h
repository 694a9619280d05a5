// The message box of a rule: the rules name a message of the sheet's catalogue, which belongs to
// the dialog framework; the framework registers how such a message is shown.
#pragma once

#include "core/device/uidevdata.h"

#include <windows.h>

using RuleMessageShow = int (*)(UIDEVDATA* ctx, HWND owner, UINT id);

// Registers (or, with null, removes) the way rule messages are shown; answers the previous one.
RuleMessageShow RegisterRuleMessageShow(RuleMessageShow show);
// Shows the message; 0 when nothing is registered to show it.
int ShowRuleMessage(UIDEVDATA* ctx, HWND owner, UINT id);
