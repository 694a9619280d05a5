// Binding of the registry to its hive file. The host names the file (a host path) in the
// environment variable DRVOPUI_HIVE; without it the hive is "C:\WINDOWS\DRVOPUI.REG" of the
// host's Windows folder, and an empty value keeps the registry in memory only. The file and its
// journal are read on the registry's first use; every change is appended to the journal, which
// is folded into the hive now and then (hive_files.h), so that the file is never left
// half-written and processes sharing it lose nothing of each other's.
#pragma once

#include "platform/registry/regedit4.h"

#include <string>
#include <string_view>

namespace registry {

constexpr const char* kHiveVariable = "DRVOPUI_HIVE";
constexpr const char* kDefaultHiveFile = "C:\\WINDOWS\\DRVOPUI.REG";

// Reads the file (an absent file gives an empty registry) and binds the registry to it. On
// failure the registry and its binding stay as they were and the file is left untouched. An
// empty path gives an empty registry held in memory only. Handles open on the old contents
// answer ERROR_KEY_DELETED from then on.
bool UseHiveFile(const std::string& path, HiveError* error);

// Replaces the registry by the contents of a REGEDIT4 text, held in memory only.
bool UseHiveText(std::string_view text, HiveError* error);

// Applies a REGEDIT4 file onto the registry as it stands, the way the original's editor imports
// one: keys and values are added or replaced, "[-key]" sections and "=-" values delete. A file
// that does not read changes nothing. The bound hive file is rewritten whole afterwards.
bool ImportHiveFile(const std::string& path, HiveError* error);
bool ImportHiveText(std::string_view text, HiveError* error);

// The hive file the registry is bound to; empty when it is held in memory only.
std::string HivePath();

// The whole registry as REGEDIT4 text, as it would be saved.
std::string HiveText();

// Writes the registry to a file through a temporary file and a rename; a file whose mode grants
// no one writing is not replaced.
bool SaveHiveFile(const std::string& path, HiveError* error);

}  // namespace registry
