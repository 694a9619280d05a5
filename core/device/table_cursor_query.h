// The core's tables of one printer and the service operations over them: `Query` hands out a
// cursor or interface of a kind, `RefreshTable` rebuilds a table after its stored source changed,
// `SetUserPaperSize` stores the custom size. The core context keeps one `CoreTables`.
#pragma once

#include "core/datafile/device_data.h"
#include "core/devmode/devmode_store.h"
#include "core/device/table_cursor_papers.h"
#include "core/device/table_cursor_sources.h"

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

enum TableKind : int {
    kTablePapers = 0,           // PaperCursor
    kTableSources = 1,          // PaperSourceCursor
    kTableFontSubstRead = 2,    // FontSubstReader
    kTableFontSubstOpen = 4,    // FontSubstReader, as the substitution page opens
    kTableFontSubstWrite = 5,   // FontSubstWriter
    kTableForms = 6,            // FormDatabase
    kTableDataItems = 7,        // DataItemCursor over the data file's items
};

struct CoreTables {
    // What the tables are built from: the printer, its driver data file's lists, the model's
    // description (null for none) and the store whose device-option block holds the source slots.
    std::string printerName;
    bool pseudoPrinter = false;  // no registry behind it: no forms, no stored substitutions
    std::vector<DevicePaper> devicePapers;
    UserPaperLimits userPaper;
    std::vector<DeviceSource> deviceSources;
    const ModelDescription* model = nullptr;
    devmode::DevmodeStore* store = nullptr;
    DeviceData* dataFile = nullptr;  // for the data items; null when the printer has no data file

    // Built on first use and by RefreshTable.
    std::shared_ptr<CustomPaperSize> customSize = std::make_shared<CustomPaperSize>();
    std::shared_ptr<PaperTable> papers;
    std::shared_ptr<const SourceTable> sources;
};

// Writes a new interface of the kind into *out (cast to its own class: PaperCursor*,
// PaperSourceCursor*, FontSubstReader*, FontSubstWriter*, FormDatabase*, DataItemCursor*, the
// last released through its own table of operations) and answers TRUE; writes
// null and answers FALSE for a kind this core does not hand out or when it cannot be made.
BOOL QueryTable(CoreTables& tables, int kind, void** out);

// Kind 1 rebuilds the paper table (after a form changed), kind 2 the source table (after the
// paper-source slots changed). FALSE for another kind.
BOOL RefreshTable(CoreTables& tables, int kind);

// Stores the custom size (0.1 mm); FALSE, nothing changed, when it lies outside the device's
// user-paper limits.
BOOL SetUserPaperSize(CoreTables& tables, uint32_t width, uint32_t length);

// The paper table, built when missing; never null.
std::shared_ptr<PaperTable> PaperTableOf(CoreTables& tables);
