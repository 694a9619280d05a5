// The cache of parsed driver data files. It holds nothing yet: the data-file parser fills it.
#include "core/data_file_cache.h"

void ClearDataFileCache() {}

void FreeDataFileCache() {}
