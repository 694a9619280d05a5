// The add-in table of a device object: the add-ins installed for its printer, each found
// through the printer's install record "CustomCode" (the name of a ".CPI" description file in
// the driver folder), its file signed by the maker, and its COM class made by class id. The
// table is loaded once, when the object's sheet first asks for it, and released with the object.
#pragma once

#include "core/addins/addin_interface.h"
#include "core/addins/cpi_file.h"
#include "core/device/uidevdata.h"

#include <vector>

inline constexpr char kAddInInstallRecord[] = "CustomCode";
// Pages one add-in may add to a sheet.
inline constexpr UINT kAddInMaxPages = 4;

struct AddInEntry {
    AddInRecord record;
    IVomelAddIn* object = nullptr;
};

struct AddInTable {
    std::vector<AddInEntry> entries;
    bool comStarted = false;  // this table's CoInitialize, undone on release
    DWORD thread = 0;         // COM is started per thread: the one that loaded the table
};

// The object's add-in table, loaded on the first call (an empty table when the printer has no
// install record, or none of its add-ins passes); null only when memory runs out.
const AddInTable* LoadAddIns(UIDEVDATA* ctx);
// Releases every add-in object and the table; the servers unload with COM.
void ReleaseAddIns(UIDEVDATA* ctx);

// Why an add-in of a description file was not loaded.
enum class AddInRefusal { None, NotSigned, NotRegisteredHere, NotCreated };
// Loads one add-in described in the driver folder `folder`: its object, or null with the reason.
IVomelAddIn* LoadAddIn(const AddInRecord& record, const char* folder, AddInRefusal& why);
