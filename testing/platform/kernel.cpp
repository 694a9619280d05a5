// Test controls of the kernel layer, passed on to the kernel's own settings.
#include "drvtest/kernel.h"

#include "platform/kernel/code_page.h"
#include "platform/kernel/path_map.h"
#include "platform/kernel/user_locale.h"

namespace drvtest {

void SetRootFolder(const std::string& hostFolder) { kernel::SetRootFolder(hostFolder); }

void SetCodePage(UINT codePage) {
    kernel::SetActiveCodePage(codePage);
    kernel::SetUserLocale(codePage == 932 ? 0x0411 : 0x0409);
}

void SetUserLocale(LCID locale) { kernel::SetUserLocale(locale); }

void SetWindowsVersion(WindowsVersion version) { kernel::SetReportedVersion(version); }

}  // namespace drvtest
