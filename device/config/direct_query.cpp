// The direct device query of the models without a configuration table.
#include "device/config/configuration.h"
#include "device/config/device_messages.h"

int Configuration::BuildDeviceOptionTables(HWND owner, DevInfoClient*, uint16_t) {
    DevInfoStatus status{-2, 0, 0};
    return MapDeviceInfoError(ctx_, owner, &status, show_);
}
