// Test controls of the kernel layer: the host folder behind "C:\", the code page, and the
// Windows version that GetVersionExA reports. Product code never includes this header.
#pragma once

#include <windef.h>

#include <string>

namespace drvtest {

void SetRootFolder(const std::string& hostFolder);

// 1252 (the default) or 932; the user locale follows (0x0409 or 0x0411).
void SetCodePage(UINT codePage);

}  // namespace drvtest
