// Device operations 2, 3 and 4 of the client's handler: they run over the request library's
// entry table (the link) with its request records, not over the device-information library.
#pragma once

#include "core/helpers/byte_view.h"
#include "device/bridges/pelom_interface.h"

inline constexpr int kDevOpBrowseList = 2;
inline constexpr int kDevOpPelomRequest = 3;
inline constexpr int kDevOpPelomStatus = 4;

// 0, with the outcome in the record's result word; -1 for an operation it does not run.
int RunPelomOperation(const PelomEntryTable& table, void* record, int operation);
