// Shared by the colour tests: the bundled printers with the stand-in of the colour-profile
// library in their system folder and the profile files it names (all but the one it names as
// missing), and the settings the objectives and the colour pages write.
#pragma once

#include "core/device/service_table.h"
#include "core/device/user_data.h"
#include "drvtest/fixture_device.h"
#include "features/colour_block.h"
#include "features/features_registration.h"
#include "profiles/profiles_registration.h"
#include "ui/dialog_framework.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <cstring>

namespace colourtest {

inline const bool g_registered = (RegisterDialogFramework(), RegisterProfiles(), RegisterFeatures(), true);

// While it lives, every fixture printer made finds the colour-profile library and its profiles.
class ColourLibraryInstalled {
public:
    explicit ColourLibraryInstalled(bool library = true) {
        std::vector<drvtest::FixtureFile> files;
        if (library) files.push_back({"WINDOWS/SYSTEM/KRX32P.DLL", STANDIN_KRX});
        for (const char* name : {"SRGBCO~1.ICM", "SCANNER1.ICM", "PRINTER1.ICM", "BROKEN.ICM", "SHORTHDR.ICM",
                                 "Wide gamut monitor.icm"})
            files.push_back({std::string("WINDOWS/SYSTEM/COLOR/") + name, ""});
        drvtest::SetFixtureFiles(std::move(files));
    }
    ~ColourLibraryInstalled() { drvtest::SetFixtureFiles({}); }
    ColourLibraryInstalled(const ColourLibraryInstalled&) = delete;
    ColourLibraryInstalled& operator=(const ColourLibraryInstalled&) = delete;
};

using Block = std::array<uint8_t, colourblock::kSize>;

inline Block ReadBlock(UIDEVDATA* ctx, const uint8_t* devmode) {
    Block block{};
    ctx->svc->GetOption(ctx, devmode, colourblock::kOption, block.data(), block.size());
    return block;
}

inline void WriteBlock(UIDEVDATA* ctx, uint8_t* devmode, const Block& block) {
    ctx->svc->SetOption(ctx, devmode, colourblock::kOption, block.data(), block.size());
}

template <typename T>
T Option(UIDEVDATA* ctx, const uint8_t* devmode, DWORD option) {
    T value{};
    ctx->svc->GetOption(ctx, devmode, option, &value, sizeof value);
    return value;
}

template <typename T>
void SetOption(UIDEVDATA* ctx, uint8_t* devmode, DWORD option, T value) {
    ctx->svc->SetOption(ctx, devmode, option, &value, sizeof value);
}

// The four adjustment values of a group, as stored (times 2).
inline std::array<int, 4> Adjustment(const Block& block, size_t group) {
    std::array<int, 4> values{};
    for (size_t i = 0; i < 4; ++i)
        values[i] = static_cast<int8_t>(block[colourblock::kGroupStarts[group] + colourblock::kAdjust + i]);
    return values;
}

inline std::string ProfileName(const Block& block, size_t group) {
    char name[colourblock::kProfileNameSize];
    colourblock::CopyProfileName(block.data(), group, name);
    return name;
}

}  // namespace colourtest
