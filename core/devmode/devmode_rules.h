// The model's rules over what the device-mode store builds: defaults of a new device mode and of
// an empty device-option block, the upgrade of a device mode of an older private version, and
// the validation of every device mode the store takes in. The model extension provides them; a
// store without rules keeps the built-in defaults as they are.
#pragma once

#include "core/helpers/byte_view.h"

#include <cstdint>

class DevmodeRules {
public:
    virtual ~DevmodeRules() = default;
    // A device mode of the current layout holding the built-in defaults.
    virtual void ApplyDefaults(MutableByteView devmode) const = 0;
    // A device mode the core converted from an older private version.
    virtual void Upgrade(uint16_t fromVersion, MutableByteView devmode) const = 0;
    // A device mode of the current layout that came from outside (stored or a caller's).
    virtual void Validate(MutableByteView devmode) const = 0;
    // An empty device-option block of the current layout.
    virtual void ApplyDeviceOptionDefaults(MutableByteView block) const = 0;
};
