// Reading a driver data file from disk: the whole file through the kernel's file functions,
// then the parser. Used by the data-file cache, which decides when a file is read at all.
#pragma once

#include "core/datafile/data_file_parser.h"

#include <windows.h>

// The parsed file with one use held by the caller, or null with the reason in `error` and the
// last error set (the kernel's for a file that cannot be read, ERROR_BAD_FORMAT for a file
// the parser refuses, ERROR_NOT_ENOUGH_MEMORY when the heap refuses).
DeviceData* LoadDataFile(LPCSTR windowsPath, DataFileError& error);
