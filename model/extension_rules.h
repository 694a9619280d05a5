// The model extension's rules in the form the device-mode store takes them: each rule runs the
// extension's handler for the device the rules were made for.
#pragma once

#include "core/devmode/devmode_rules.h"
#include "model/model_extension.h"

class ExtensionRules final : public DevmodeRules {
public:
    ExtensionRules(const ModelExtension& extension, const ExtDevice& device) : extension_(extension), device_(device) {}

    void ApplyDefaults(MutableByteView devmode) const override { extension_.DevmodeDefaults(device_, devmode); }
    void Upgrade(uint16_t fromVersion, MutableByteView devmode) const override {
        extension_.UpgradeLegacy(device_, fromVersion, devmode);
    }
    void Validate(MutableByteView devmode) const override { extension_.ValidateDevmode(device_, devmode); }
    void ApplyDeviceOptionDefaults(MutableByteView block) const override {
        extension_.DeviceOptionDefaults(device_, block);
    }

private:
    const ModelExtension& extension_;
    ExtDevice device_;
};
