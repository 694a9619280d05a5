// Building the core context of a printer: its name and port from the spooler, its model facts
// from the data file (when it loads), and the device-mode store bound to the core lock.
#include "core/device/core_context.h"

#include "core/datafile/data_file_cache.h"
#include "core/datafile/device_data.h"
#include "core/library/locks.h"
#include "core/datafile/printer_data_file.h"
#include "core/memory/private_heap.h"
#include "core/memory/spooler_query.h"
#include "core/device/table_cursor_device.h"
#include "model/extension_library.h"
#include "model/extension_rules.h"
#include "platform/spooler/pseudo_printer.h"

#include <new>

namespace {

// The data file's items as the device-mode store reads them (item 2065, the default device mode).
class DeviceDataItems final : public DataItemReader {
public:
    explicit DeviceDataItems(const DeviceData* data) : data_(data) {}
    uint32_t GetItemSize(uint32_t item) const override { return data_->ItemSize(item); }
    bool ReadItem(uint32_t item, void* buffer, uint32_t size) const override {
        return data_->ItemSize(item) <= size && data_->ReadItem(item, buffer, size) == data_->ItemSize(item);
    }

private:
    const DeviceData* data_;
};

// Level 2 of the printer: name, port and driver name. False for a pseudo-printer or a failure.
bool ReadPrinterInfo(HANDLE printer, CoreContext& context) {
    // Room for the record with its device mode and texts, as the bundled printers have them.
    constexpr DWORD kUsualRoom = 4096;
    auto* info = static_cast<PRINTER_INFO_2A*>(QueryIntoPrivateHeap(
        [&](LPBYTE buffer, DWORD room, LPDWORD needed) { return GetPrinterA(printer, 2, buffer, room, needed); }, kUsualRoom));
    if (!info) return false;
    context.printerName = info->pPrinterName ? info->pPrinterName : "";
    context.port = info->pPortName ? info->pPortName : "";
    context.store.facts.driverName = info->pDriverName ? info->pDriverName : "";
    PrivateFree(info);
    return true;
}

void TakeModelFacts(const DeviceData& data, devmode::ModelFacts& facts) {
    facts.modelNumber = data.ModelCode();
    facts.pdlId = static_cast<uint16_t>(data.U32(devicedata::kPdlId));
    facts.colour = data.U32(devicedata::kColorState) != 0;
    if (int16_t dpi = data.S16(devicedata::kDefaultResoDpi); dpi > 0) facts.resolution = dpi;
}

}  // namespace


CoreContext::CoreContext() = default;
CoreContext::~CoreContext() = default;

CoreContext* CreateCoreContext(HANDLE printer, bool pseudoPrinter) {
    auto* context = new (std::nothrow) CoreContext;
    if (!context) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    context->store.pseudoPrinter = pseudoPrinter;
    context->store.coreLock = &g_coreLock;
    if (!pseudoPrinter && !ReadPrinterInfo(printer, *context)) {
        delete context;
        return nullptr;
    }
    context->store.printerName = context->printerName;
    context->store.facts.deviceName = context->printerName;
    context->tables.printerName = context->printerName;
    context->tables.pseudoPrinter = pseudoPrinter;
    context->tables.store = &context->store;
    if (DeviceData* data = CoreDeviceData(*context, printer)) {
        TakeModelFacts(*data, context->store.facts);
        // The tables and the model's rules over the store, as the model extension expects them.
        LoadTableInputs(context->tables, *data);
        context->tables.dataFile = data;
        context->rules = std::make_unique<ExtensionRules>(BuiltInModelExtension(),
                                                          ExtDevice{data->ModelCode(), data, &context->tables});
        context->store.rules = context->rules.get();
    }
    return context;
}

void DestroyCoreContext(CoreContext* context) {
    if (!context) return;
    delete context->store.dataItems;
    if (context->deviceData) ReleaseDeviceData(context->deviceData);
    if (context->resourceModule) FreeLibrary(context->resourceModule);
    delete context;
}

DeviceData* CoreDeviceData(CoreContext& context, HANDLE printer) {
    if (context.deviceData || context.deviceDataTried || context.store.pseudoPrinter) return context.deviceData;
    context.deviceDataTried = true;
    DataFileError error;
    if (LoadDeviceDataOnce(context.deviceData, printer, error)) {
        if (!context.store.dataItems) context.store.dataItems = new (std::nothrow) DeviceDataItems(context.deviceData);
    } else if (!error.noneNamed) {
        // A damaged or missing file is not a device without data: the defaults stand in as for
        // one, but the reason is kept for the caller and told to whoever reads debug output.
        context.dataFileErrorCode = GetLastError() ? GetLastError() : static_cast<DWORD>(ERROR_BAD_FORMAT);
        context.dataFileError = error.text;
        const std::string line = "Drvopui: the data file of \"" + context.printerName + "\" does not load: " + error.text + "\n";
        OutputDebugStringA(line.c_str());
        SetLastError(context.dataFileErrorCode);
    }
    return context.deviceData;
}

const std::string& CoreDriverDirectory(CoreContext& context) {
    if (context.driverDirectory.empty()) {
        char folder[MAX_PATH] = {};
        DWORD needed = 0;
        if (GetPrinterDriverDirectoryA(nullptr, nullptr, 1, reinterpret_cast<LPBYTE>(folder), sizeof folder, &needed)) {
            std::string text(folder);
            while (!text.empty() && (text.back() == '\\' || text.back() == '/')) text.pop_back();
            context.driverDirectory = text;
        }
    }
    return context.driverDirectory;
}

namespace {

// The model's library, tried once; null when there is none (no data file, no file, no entry).
const ModelExtensionLibrary* ExtLibrary(CoreContext& context) {
    if (!context.extLibraryTried) {
        context.extLibraryTried = true;
        if (context.deviceData) {
            auto library = std::make_unique<ModelExtensionLibrary>();
            if (library->Load(CoreDriverDirectory(context), context.deviceData->ModelCode()))
                context.extLibrary = std::move(library);
        }
    }
    return context.extLibrary.get();
}

}  // namespace

HMODULE CoreExtModule(CoreContext& context) {
    const ModelExtensionLibrary* library = ExtLibrary(context);
    return library ? library->Module() : CoreResourceModule(context);
}

HMODULE CoreResourceModule(CoreContext& context) {
    if (const ModelExtensionLibrary* library = ExtLibrary(context); library && library->ResourceModule())
        return library->ResourceModule();
    if (!context.resourceModule && !context.resourceModuleTried) {
        context.resourceModuleTried = true;
        const std::string path = CoreDriverDirectory(context) + "\\" + kResourceModuleName;
        context.resourceModule = LoadLibraryA(path.c_str());
    }
    return context.resourceModule;
}
