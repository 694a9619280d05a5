// The readable description of a driver data file, the builder tool's input: one statement per
// line (a field and its value, a text, a list with one entry per line, a data item), checked as
// it is read so that a mistake is reported with its line, never written into a file.
// data/datafile-format.md describes the language.
#pragma once

#include "tools/datafile/data_file_writer.h"

#include <string>
#include <string_view>

namespace datafile {

// Parses `text` (named `sourceName` in messages); "file" items are read relative to
// `baseFolder`. False with "name:line: message" in `error` on the first mistake.
bool ParseDescription(std::string_view text, const std::string& sourceName, const std::string& baseFolder,
                      FileSpec& out, std::string& error);

}  // namespace datafile
