// The network query of the models asked through the printer's port module.
#include "device/config/configuration.h"
#include "device/config/device_messages.h"

int Configuration::QueryNetworkPrinter(HWND owner, DevInfoClient*) {
    DevInfoStatus status{-2, 0, 0};
    return MapDeviceInfoError(ctx_, owner, &status, show_);
}
