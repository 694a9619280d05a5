// Test-only: what WinHelpA was asked to show, since there is no help viewer to look at; the
// requests are those the platform records (platform/user/help_log.h).
#pragma once

#include "platform/user/help_log.h"

#include <vector>

namespace drvtest {

using HelpRequest = user::HelpRecord;

// Every request since the last ForgetHelpRequests, oldest first.
std::vector<HelpRequest> HelpRequests();
void ForgetHelpRequests();

}  // namespace drvtest
