// DeviceCapabilitiesA through the model extension. Each call opens the printer, takes the
// cached data file and builds the tables it needs; nothing is kept between calls, so a form
// added in between is answered at once. No exception leaves the entry.
#include "core/library/device_capabilities_entry.h"

#include "core/datafile/printer_data_file.h"
#include "core/device/table_cursor_device.h"
#include "model/extension_library.h"

int WINAPI DriverDeviceCapabilities(LPCSTR device, LPCSTR, WORD capability, LPSTR output, const DEVMODEA* devmode) {
    if (!device) return -1;
    HANDLE printer = nullptr;
    if (!OpenPrinterA(const_cast<LPSTR>(device), &printer, nullptr)) return -1;
    int answer = -1;
    DataFileError error;
    DeviceData* data = AcquirePrinterDeviceData(printer, error);
    if (data) {
        try {
            CoreTables tables;
            tables.printerName = device;
            LoadTableInputs(tables, *data);
            ExtDevice ext{data->ModelCode(), data, &tables};
            answer = BuiltInModelExtension().DeviceCapabilities(ext, capability, output, devmode);
        } catch (...) {
            answer = -1;
        }
        ReleaseDeviceData(data);
    }
    ClosePrinter(printer);
    return answer;
}
