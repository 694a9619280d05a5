// Test-only view of the help requests that WinHelpA recorded.
#include "drvtest/help_requests.h"

namespace drvtest {

std::vector<HelpRequest> HelpRequests() { return user::HelpLog(); }

void ForgetHelpRequests() { user::ClearHelpLog(); }

}  // namespace drvtest
