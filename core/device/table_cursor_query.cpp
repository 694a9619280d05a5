// Handing out the core's interfaces. Every interface is a pool object that its caller releases;
// construction failures (the pool's exception) stop here and answer null, since the callers are
// C-style code that cannot take an exception.
#include "core/device/table_cursor_query.h"

#include "core/datafile/data_item_cursor.h"
#include "core/devmode/device_option_block.h"
#include "core/datafile/font_subst_cursor.h"
#include "core/datafile/form_database.h"

#include <new>

std::shared_ptr<PaperTable> PaperTableOf(CoreTables& tables) {
    if (!tables.papers) {
        std::vector<FormEntry> forms;
        if (!tables.pseudoPrinter) forms = ReadForms(tables.printerName);
        tables.papers = std::make_shared<PaperTable>(tables.devicePapers, tables.userPaper, forms, tables.customSize);
    }
    return tables.papers;
}

namespace {

std::shared_ptr<const SourceTable> sourceTableOf(CoreTables& tables) {
    if (!tables.sources) tables.sources = std::make_shared<SourceTable>(tables.deviceSources, tables.model);
    return tables.sources;
}

void* make(CoreTables& tables, int kind) {
    switch (kind) {
    case kTablePapers:
        return static_cast<PaperCursor*>(new PaperCursor(PaperTableOf(tables)));
    case kTableSources: {
        uint8_t* data = tables.store ? devmode::GetDeviceOptionData(*tables.store) : nullptr;
        return static_cast<PaperSourceCursor*>(
            new PaperSourceCursor(sourceTableOf(tables), data, data ? devopt::kDataSize : 0));
    }
    case kTableFontSubstRead:
    case kTableFontSubstOpen:
        return static_cast<FontSubstReader*>(new FontSubstReader(tables.pseudoPrinter ? std::string() : tables.printerName));
    case kTableFontSubstWrite:
        return tables.pseudoPrinter ? nullptr : static_cast<FontSubstWriter*>(new FontSubstWriter(tables.printerName));
    case kTableForms:
        return tables.pseudoPrinter ? nullptr : static_cast<FormDatabase*>(new FormDatabase(tables.printerName));
    case kTableDataItems:
        return tables.dataFile ? OpenDataItemCursor(tables.dataFile) : nullptr;
    default:
        return nullptr;
    }
}

}  // namespace

BOOL QueryTable(CoreTables& tables, int kind, void** out) {
    if (!out) return FALSE;
    *out = nullptr;
    try {
        *out = make(tables, kind);
    } catch (...) {
        *out = nullptr;
    }
    return *out ? TRUE : FALSE;
}

BOOL RefreshTable(CoreTables& tables, int kind) {
    try {
        if (kind == 1) {
            tables.papers.reset();
            PaperTableOf(tables);
            return TRUE;
        }
        if (kind == 2) {
            tables.sources.reset();
            sourceTableOf(tables);
            return TRUE;
        }
    } catch (...) {
    }
    return FALSE;
}

BOOL SetUserPaperSize(CoreTables& tables, uint32_t width, uint32_t length) {
    try {
        return PaperTableOf(tables)->SetCustomSize(width, length, nullptr) ? TRUE : FALSE;
    } catch (...) {
        return FALSE;
    }
}
