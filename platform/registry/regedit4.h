// The REGEDIT4 text form of the registry (".reg" files): the reader that applies a file onto a
// tree and the writer that turns a tree into a file. Hive files, the bundled printer and the
// tests all use this one format.
#pragma once

#include "platform/registry/key_tree.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace registry {

// Longest physical line the reader accepts; the writer never writes a longer one.
constexpr size_t kMaxHiveLineLength = 65536;
// Largest hive file the reader accepts.
constexpr size_t kMaxHiveFileSize = size_t(64) << 20;

struct HiveError {
    size_t line = 0;  // 1-based; 0 when the error is not tied to a line
    std::string message;
    std::string file;  // the file the line is in, when it is not the one the caller named
};

// Applies the file onto the tree: sections create keys, "[-...]" sections delete them, value
// lines set or (with "=-") delete values. On failure the tree may hold part of the file, so
// callers read into a scratch tree and keep it only on success. A file that does not end with a
// line end (the writer always ends one so: it was cut off), a NUL byte, or a version-5 file is
// refused.
bool ReadRegedit4(std::string_view text, Tree& tree, HiveError& error);

// Applies records that follow the header of a file already read in part (the hive's journal):
// `linesBefore` lines precede the text, so that errors name the line of the whole file.
bool ReadRegedit4Records(std::string_view text, Tree& tree, HiveError& error, size_t linesBefore);

// Applies the records of a journal one by one, where ReadRegedit4 (or ReadRegedit4Records, after
// `sawHeader`) refused the text whole: a record that does not read is left out entirely, none of
// it reaching the tree, and reported in `skipped` with its line; every other record applies, so
// that a damaged record costs itself alone. Records end at an empty line.
void ReadRegedit4Journal(std::string_view text, Tree& tree, size_t linesBefore, bool sawHeader,
                         std::vector<HiveError>& skipped);

// One change as a record of the hive's journal: a key section with at most one value line,
// closed by an empty line. No record holds an empty line inside, so the end of the last empty
// line is where the last whole record ends.
std::string ValueRecord(const std::string& keyPath, const Value& value);
std::string DeletedValueRecord(const std::string& keyPath, std::string_view valueName);
std::string KeyRecord(const std::string& keyPath);
std::string DeletedKeyRecord(const std::string& keyPath);

// Length of the text up to and including its last empty line: what a writer that may have been
// stopped half-way finished for certain. 0 when the text holds no empty line.
size_t WholeRecordsLength(std::string_view text);

// The whole tree as a REGEDIT4 file: every key in name order, values in the order they were set.
// Reading the result back and writing again gives the same bytes.
std::string WriteRegedit4(const Tree& tree);

}  // namespace registry
