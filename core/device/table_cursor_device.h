// What the core's tables take from a printer's driver data file: its papers with their
// finishing states, its user-paper record and its paper sources (expansion sources marked).
#pragma once

#include "core/datafile/device_data.h"
#include "core/device/table_cursor_query.h"

// Fills the table inputs of `tables` from the data file and drops the built tables, so that the
// next use builds them from the new lists.
void LoadTableInputs(CoreTables& tables, const DeviceData& data);
