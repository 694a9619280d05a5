// Putting one file into the driver folder while other processes may have it open or mapped: the
// bytes go to a temporary file beside it, which is renamed over the old one, so that a process
// that holds the old file keeps it whole, and a copy cut short (a full disk, a file-size limit,
// a kill) leaves the installed file as it was.
#pragma once

#include <string>

// Installs `from` as `to`; nothing is written when `to` already holds the same bytes. Empty on
// success, else the reason. Temporary files that installers which died half-way left beside
// `to` are removed.
std::string InstallFile(const std::string& from, const std::string& to);
