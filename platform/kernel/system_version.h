// The Windows version that GetVersionExA reports: Windows 98 unless the host or a test chose
// another, so that the rule engine's platform facts can be tried on each system.
#pragma once

namespace kernel {

enum class WindowsVersion { Windows95, Windows98, Windows98SE, WindowsMe, WindowsNT4, Windows2000 };

WindowsVersion ReportedVersion();
void SetReportedVersion(WindowsVersion version);

}  // namespace kernel
