// Windows paths on the host: every drive maps onto one root folder chosen by the host, and each
// component is matched without regard to case, as on the original file system. The registry,
// spooler, data-file and resource code call MapPath to find their files.
#pragma once

#include <string>
#include <string_view>

namespace kernel {

// The host folder that stands for the root of every drive ("C:\"). Chosen by DRVOPUI_ROOT,
// else a folder under the temporary directory. The Windows and system folders are created in
// it on first use.
std::string RootFolder();
void SetRootFolder(std::string folder);

// Absolute Windows path ("C:\WINDOWS\SYSTEM\X.DLL") of a path that may be relative to the
// current directory, use forward slashes or name "." and ".." components. False, with the
// last error set, for a path the original refuses (UNC, bad characters, too long).
bool FullWindowsPath(std::string_view path, std::string& full);

// Host path of a Windows path: components that exist are matched without regard to case;
// the first missing one and those after it keep the case given. False as FullWindowsPath.
bool MapPath(std::string_view windowsPath, std::string& hostPath);

// Offset of the last component of a path: after the last backslash, slash or drive colon that
// is not the trail byte of a double-byte character. 0 for a bare file name.
size_t FileNameStart(std::string_view path);

// The process-wide current directory, an absolute Windows path.
std::string CurrentDirectory();
void SetCurrentDirectoryPath(std::string fullPath);

// Folders of the installed system, as GetWindowsDirectoryA and GetSystemDirectoryA report them.
inline constexpr std::string_view kWindowsFolder = "C:\\WINDOWS";
inline constexpr std::string_view kSystemFolder = "C:\\WINDOWS\\SYSTEM";
inline constexpr std::string_view kTempFolder = "C:\\WINDOWS\\TEMP";

}  // namespace kernel
