// Test-only view of the help requests that WinHelpA recorded.
#include "drvtest/help_requests.h"

#include "platform/user/help_log.h"

namespace drvtest {

std::vector<HelpRequest> HelpRequests() {
    std::vector<HelpRequest> out;
    for (const auto& r : user::HelpLog()) out.push_back({r.window, r.file, r.command, r.data, r.key, r.ids});
    return out;
}

void ForgetHelpRequests() { user::ClearHelpLog(); }

}  // namespace drvtest
