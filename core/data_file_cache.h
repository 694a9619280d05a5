// The cache of parsed driver data files, shared for the life of the process. DllMain clears it
// on attach and frees what it holds on detach.
#pragma once

void ClearDataFileCache();
void FreeDataFileCache();
