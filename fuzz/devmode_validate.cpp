// Fuzz target of the device-mode trust checks, converter and merge, and of the upgrade of a
// stored device-option block: any bytes must be refused or accepted, never read out of bounds.
#include "core/devmode/device_option_block.h"
#include "core/devmode/devmode_check.h"
#include "core/devmode/devmode_convert.h"
#include "core/devmode/devmode_defaults.h"
#include "core/devmode/devmode_merge.h"
#include "core/devmode/devmode_options.h"

#include <cstdint>
#include <cstdlib>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::vector<uint8_t> base = [] {
        std::vector<uint8_t> dm(devmode::kDevmodeSize);
        devmode::buildDefaultDevmode(devmode::ModelFacts{}, dm.data(), dm.size());
        return dm;
    }();
    // A copy of exactly size bytes, so that the sanitizer sees any read past the end.
    std::vector<uint8_t> input(data, data + size);
    devmode::CheckedDevmode checked = devmode::checkDevmode(input.data(), input.size());

    std::vector<uint8_t> target(devmode::kDevmodeSize);
    bool converted = devmode::convertDevmode(base.data(), input.data(), input.size(), target.data(), target.size());
    if (converted != (checked.trust == devmode::Trust::Private)) std::abort();
    if (converted && devmode::checkDevmode(target.data(), target.size()).trust != devmode::Trust::Private) std::abort();

    target = base;
    bool merged = devmode::mergeDevmode(input.data(), input.size(), target.data(), target.size());
    if (merged == (checked.trust == devmode::Trust::Refused)) std::abort();
    if (devmode::checkDevmode(target.data(), target.size()).trust != devmode::Trust::Private) std::abort();

    for (const devmode::OptionRow& row : devmode::kOptionRows) {
        uint8_t value[256];
        devmode::GetOption(input.data(), input.size(), row.id, value, sizeof value);
    }
    std::vector<uint8_t> block(devopt::kBlockSize);
    if (devopt::upgradeBlock(input.data(), input.size(), block.data(), block.size()) && !devopt::blockData(block.data()))
        std::abort();
    return 0;
}
