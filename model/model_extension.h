// The model extension: the handlers the core context takes by callback id for what depends on
// the device model (model information, device-mode defaults and validation, the upgrade of older
// device modes, device-option defaults, device capabilities, user-paper conversion). The core
// uses the built-in extension; a per-model extension library adds only its resources.
#pragma once

#include "core/helpers/byte_view.h"
#include "core/datafile/device_data.h"
#include "core/device/table_cursor_query.h"

#include <windows.h>

#include <cstdint>

enum ExtCallbackId : int {
    kExtModelInfoA = 1,
    kExtModelInfoB = 2,
    kExtDevmodeDefaults = 3,
    kExtValidateDevmode = 4,
    kExtUpgradeLegacy = 5,
    kExtDeviceOptionDefaults = 6,
    kExtDeviceCapabilities = 7,
    kExtUserPaper = 8,
};

// The device the handlers work on: its parsed data file (null when it could not be loaded) and
// the core's tables built from it.
struct ExtDevice {
    uint16_t model = 0;
    const DeviceData* data = nullptr;
    CoreTables* tables = nullptr;
};

class ModelExtension {
public:
    virtual ~ModelExtension() = default;

    // Model information block A (bytes of the data file; empty when it has none) and block B, the
    // name block whose text begins with the language name ("PCL5e"); never null.
    virtual ByteView ModelInfoA(const ExtDevice& device) const = 0;
    virtual const char* ModelInfoB(const ExtDevice& device) const = 0;
    // Writes the model's defaults into a device mode of the current layout that already holds
    // the built-in defaults of every section.
    virtual void DevmodeDefaults(const ExtDevice& device, MutableByteView devmode) const = 0;
    // Brings the values of a device mode of the current layout within what the model offers.
    // Answers whether anything had to change.
    virtual bool ValidateDevmode(const ExtDevice& device, MutableByteView devmode) const = 0;
    // After the core converted a device mode of an older private version (fromVersion) into the
    // current layout: the model's own upgrades, then validation.
    virtual void UpgradeLegacy(const ExtDevice& device, uint16_t fromVersion, MutableByteView devmode) const = 0;
    // Writes the model's defaults into an empty device-option block of the current layout.
    virtual void DeviceOptionDefaults(const ExtDevice& device, MutableByteView block) const = 0;
    // Answers DeviceCapabilitiesA: the count (or -1 for a capability it does not answer) and,
    // with an output, the values.
    virtual int DeviceCapabilities(const ExtDevice& device, WORD capability, LPSTR output,
                                   const DEVMODEA* devmode) const = 0;
    // The paper code of a user paper size (0.1 mm): the standard paper of that size when the
    // device offers it, else the custom size 256; 0 when the size is beyond the device's limits.
    virtual uint16_t ConvertUserPaper(const ExtDevice& device, uint32_t width, uint32_t length) const = 0;

    // Whether the extension has a handler of that callback id.
    virtual bool HasHandler(int callbackId) const = 0;
};

// The built-in extension, shared by every model.
const ModelExtension& BuiltInModelExtension();
