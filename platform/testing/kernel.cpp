// Test controls of the kernel layer, passed on to the kernel's own settings.
#include "drvtest/kernel.h"

#include "platform/kernel/code_page.h"
#include "platform/kernel/path_map.h"

namespace drvtest {

void SetRootFolder(const std::string& hostFolder) { kernel::SetRootFolder(hostFolder); }

void SetCodePage(UINT codePage) { kernel::SetActiveCodePage(codePage); }

}  // namespace drvtest
