// Shared helpers of the device-mode tests: a default device mode in a vector, and pattern bytes.
#pragma once

#include "core/devmode/devmode_defaults.h"
#include "core/devmode/devmode_option_table.h"

#include <cstdint>
#include <vector>

inline std::vector<uint8_t> defaultDevmode() {
    std::vector<uint8_t> dm(devmode::kDevmodeSize);
    devmode::ModelFacts facts;
    facts.deviceName = "Office Printer";
    facts.driverName = "PCL5e";
    devmode::buildDefaultDevmode(facts, dm.data(), dm.size());
    return dm;
}

inline std::vector<uint8_t> pattern(size_t n, uint8_t seed) {
    std::vector<uint8_t> bytes(n);
    for (size_t i = 0; i < n; ++i) bytes[i] = static_cast<uint8_t>(seed + 7 * i + 1);
    return bytes;
}
