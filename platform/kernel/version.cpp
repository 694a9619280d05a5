// GetVersionExA. The Windows family reports its version in the high word of the build number
// as well, and Windows 98 Second Edition marks itself with " A " as its service-pack text.
#include "platform/kernel/system_version.h"

#include <windows.h>

#include <atomic>
#include <cstring>

static_assert(sizeof(OSVERSIONINFOA) == 148, "OSVERSIONINFOA is 148 bytes on the original");
static_assert(sizeof(OSVERSIONINFOEXA) == 156, "OSVERSIONINFOEXA is 156 bytes on the original");

namespace kernel {

namespace {

std::atomic<WindowsVersion> g_version{WindowsVersion::Windows98};

struct VersionFacts {
    DWORD major, minor, build, platform;
    const char* servicePack;
    WORD servicePackMajor;
};

VersionFacts FactsOf(WindowsVersion v) {
    switch (v) {
    case WindowsVersion::Windows95: return {4, 0, 0x040003B6, VER_PLATFORM_WIN32_WINDOWS, "", 0};
    case WindowsVersion::Windows98SE: return {4, 10, 0x040A08AE, VER_PLATFORM_WIN32_WINDOWS, " A ", 0};
    case WindowsVersion::WindowsMe: return {4, 90, 0x045A0BB8, VER_PLATFORM_WIN32_WINDOWS, " ", 0};
    case WindowsVersion::WindowsNT4: return {4, 0, 1381, VER_PLATFORM_WIN32_NT, "Service Pack 6", 6};
    case WindowsVersion::Windows2000: return {5, 0, 2195, VER_PLATFORM_WIN32_NT, "Service Pack 4", 4};
    case WindowsVersion::Windows98: break;
    }
    return {4, 10, 0x040A07CE, VER_PLATFORM_WIN32_WINDOWS, " ", 0};
}

}  // namespace

WindowsVersion ReportedVersion() { return g_version.load(); }

void SetReportedVersion(WindowsVersion version) { g_version.store(version); }

}  // namespace kernel

extern "C" BOOL WINAPI GetVersionExA(LPOSVERSIONINFOA lpVersionInformation) {
    if (!lpVersionInformation) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    kernel::VersionFacts facts = kernel::FactsOf(kernel::ReportedVersion());
    DWORD size = lpVersionInformation->dwOSVersionInfoSize;
    // The extended record exists on the NT family only; the Windows family refuses its size.
    bool extended = size == sizeof(OSVERSIONINFOEXA) && facts.platform == VER_PLATFORM_WIN32_NT;
    if (size != sizeof(OSVERSIONINFOA) && !extended) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return FALSE;
    }
    OSVERSIONINFOA& info = *lpVersionInformation;
    info.dwMajorVersion = facts.major;
    info.dwMinorVersion = facts.minor;
    info.dwBuildNumber = facts.build;
    info.dwPlatformId = facts.platform;
    std::memset(info.szCSDVersion, 0, sizeof info.szCSDVersion);
    std::strcpy(info.szCSDVersion, facts.servicePack);
    if (extended) {
        auto& ex = *reinterpret_cast<OSVERSIONINFOEXA*>(lpVersionInformation);
        ex.wServicePackMajor = facts.servicePackMajor;
        ex.wServicePackMinor = 0;
        ex.wSuiteMask = 0;
        ex.wProductType = VER_NT_WORKSTATION;
        ex.wReserved = 0;
    }
    return TRUE;
}
