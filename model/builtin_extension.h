// The built-in model extension: every handler reads the model from the driver data file and the
// core's tables, so one implementation serves every model the data files describe.
#pragma once

#include "model/model_extension.h"

class BuiltInExtension final : public ModelExtension {
public:
    ByteView ModelInfoA(const ExtDevice& device) const override;
    const char* ModelInfoB(const ExtDevice& device) const override;
    void DevmodeDefaults(const ExtDevice& device, MutableByteView devmode) const override;
    bool ValidateDevmode(const ExtDevice& device, MutableByteView devmode) const override;
    void UpgradeLegacy(const ExtDevice& device, uint16_t fromVersion, MutableByteView devmode) const override;
    void DeviceOptionDefaults(const ExtDevice& device, MutableByteView block) const override;
    int DeviceCapabilities(const ExtDevice& device, WORD capability, LPSTR output,
                           const DEVMODEA* devmode) const override;
    uint16_t ConvertUserPaper(const ExtDevice& device, uint32_t width, uint32_t length) const override;
    bool HasHandler(int callbackId) const override { return callbackId >= kExtModelInfoA && callbackId <= kExtUserPaper; }
};

// Facts of the device that several handlers read, with the fallbacks used without a data file.
struct DeviceFacts {
    uint16_t defaultPaper = 9;
    uint16_t defaultSource = 7;
    bool colour = false;
    bool duplex = false;
    uint32_t maxCopies = 999;
    int16_t resolution = 600;
    uint16_t pdlId = 0x100;
    uint32_t mailBoxKind = 0;
    uint32_t mailBoxFlag = 0;
};
DeviceFacts ReadDeviceFacts(const ExtDevice& device);
