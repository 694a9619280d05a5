// Test controls of the kernel layer: the host folder behind "C:\", the code page and user
// locale, and the Windows version that GetVersionExA reports. Product code never includes it.
#pragma once

#include "platform/kernel/system_version.h"

#include <windef.h>

#include <string>

namespace drvtest {

void SetRootFolder(const std::string& hostFolder);

// 1252 (the default) or 932; the user locale follows (0x0409 or 0x0411).
void SetCodePage(UINT codePage);
// 0x0409, 0x0411 or 0x0407, for number and date texts of another locale.
void SetUserLocale(LCID locale);

using kernel::WindowsVersion;
// Windows 98 (4.10) unless a test chose another.
void SetWindowsVersion(WindowsVersion version);

}  // namespace drvtest
