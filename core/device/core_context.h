// The core context: the per-printer record behind a `UIDEVDATA`. It holds what the core knows of
// the printer (name, port, driver folder), its device modes and device-option block under the
// model extension's rules, its tables, the parsed data file and the resource module; only the
// service table reaches into it.
#pragma once

#include "core/devmode/devmode_store.h"
#include "core/device/table_cursor_query.h"

#include <windows.h>

#include <memory>
#include <string>

class DeviceData;
class DevmodeRules;
class ModelExtensionLibrary;

struct CoreContext {
    std::string printerName;
    std::string port;
    devmode::DevmodeStore store;
    CoreTables tables;                   // papers, sources, font substitution, forms, data items
    std::unique_ptr<DevmodeRules> rules;  // the model extension's, once the data file names the model
    DeviceData* deviceData = nullptr;  // one use of the cached file, once loaded
    bool deviceDataTried = false;      // a file that does not load is not tried again
    // Why the data file the printer's driver names did not load, and the loader's error code;
    // empty for a loaded file and for a driver that names none.
    std::string dataFileError;
    DWORD dataFileErrorCode = 0;
    std::string driverDirectory;       // without a trailing backslash; empty until asked for
    HMODULE resourceModule = nullptr;  // loaded on first use
    bool resourceModuleTried = false;
    std::unique_ptr<ModelExtensionLibrary> extLibrary;  // the model's library, when one is installed
    bool extLibraryTried = false;

    CoreContext();
    ~CoreContext();
};

// The file name of the resource module (dialog templates, texts, bitmaps), looked for in the
// printer driver's folder.
inline constexpr char kResourceModuleName[] = "DRVOPRES.DLL";

// The context of a printer the handle names; null when the printer cannot be read.
CoreContext* CreateCoreContext(HANDLE printer, bool pseudoPrinter);
void DestroyCoreContext(CoreContext* context);

// The parsed data file, loaded once (null when the printer has none that loads).
DeviceData* CoreDeviceData(CoreContext& context, HANDLE printer);
// The driver folder, cached.
const std::string& CoreDriverDirectory(CoreContext& context);
// The resource module, loaded once: the model's extension library when it claims the resources,
// else the core's own module; null when neither is there.
HMODULE CoreResourceModule(CoreContext& context);
// The module of the model's extension library, loaded from the driver folder on first use; the
// core's resource module, which carries the bitmaps of the built-in models, when the model has
// no library.
HMODULE CoreExtModule(CoreContext& context);
