// The REGEDIT4 text form of the registry (".reg" files): the reader that applies a file onto a
// tree and the writer that turns a tree into a file. Hive files, the bundled printer and the
// tests all use this one format.
#pragma once

#include "platform/registry/key_tree.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace registry {

// Longest physical line the reader accepts; the writer never writes a longer one.
constexpr size_t kMaxHiveLineLength = 65536;
// Largest hive file the reader accepts.
constexpr size_t kMaxHiveFileSize = size_t(64) << 20;

struct HiveError {
    size_t line = 0;  // 1-based; 0 when the error is not tied to a line
    std::string message;
};

// Applies the file onto the tree: sections create keys, "[-...]" sections delete them, value
// lines set or (with "=-") delete values. On failure the tree may hold part of the file, so
// callers read into a scratch tree and keep it only on success.
bool ReadRegedit4(std::string_view text, Tree& tree, HiveError& error);

// The whole tree as a REGEDIT4 file: every key in name order, values in the order they were set.
// Reading the result back and writing again gives the same bytes.
std::string WriteRegedit4(const Tree& tree);

}  // namespace registry
