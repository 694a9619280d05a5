// Shared helpers of the data-file tests: the library attached for each test (the parsed files
// live on its private heap), files built from descriptions, and record lookups for forging.
#pragma once

#include "core/datafile/data_file_format.h"
#include "core/datafile/data_file_parser.h"
#include "core/library/dll_main.h"
#include "tools/datafile/description.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

inline constexpr std::string_view kMinimalDescription = "model 7\nname \"PCL5e\"\n";

class DataFileTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(DllMain(reinterpret_cast<HINSTANCE>(0x10000000), DLL_PROCESS_ATTACH, nullptr)); }
    void TearDown() override {
        for (DeviceData* data : parsed_) FreeDeviceData(data);
        DllMain(reinterpret_cast<HINSTANCE>(0x10000000), DLL_PROCESS_DETACH, nullptr);
    }

    // "file" items are read beside the bundled descriptions, as the build reads them.
    static std::vector<uint8_t> Build(std::string_view description) {
        datafile::FileSpec spec;
        std::string error;
        EXPECT_TRUE(datafile::ParseDescription(description, "test", DRVOPUI_SOURCE_DIR "/data", spec, error)) << error;
        return datafile::WriteDataFile(spec);
    }

    // Parses a copy of exactly `bytes` (so that a read past the end is caught), freeing the result
    // at the end of the test; null with the reason in `error`.
    DeviceData* Parse(const std::vector<uint8_t>& bytes, std::string* error = nullptr) {
        std::vector<uint8_t> exact(bytes);
        exact.shrink_to_fit();
        DataFileError e;
        DeviceData* data = ParseDataFile(exact.empty() ? nullptr : exact.data(), exact.size(), e);
        if (error) *error = e.text;
        if (data) parsed_.push_back(data);
        return data;
    }

    std::vector<DeviceData*> parsed_;
};

// The file offset of the first record with that tag in section 1 (or 2), or 0 when none.
inline size_t FindRecord(const std::vector<uint8_t>& file, uint16_t tag, int section = 1) {
    auto u32 = [&](size_t at) { return uint32_t(file[at]) | uint32_t(file[at + 1]) << 8 | uint32_t(file[at + 2]) << 16 | uint32_t(file[at + 3]) << 24; };
    const size_t begin = u32(section == 1 ? datafile::kHdrSpecOffset : datafile::kHdrItemsOffset);
    const size_t end = begin + u32(section == 1 ? datafile::kHdrSpecSize : datafile::kHdrItemsSize);
    for (size_t at = begin; at + 8 <= end; at += 8 + u32(at + 4))
        if ((file[at] | file[at + 1] << 8) == tag) return at;
    return 0;
}

inline void Poke32(std::vector<uint8_t>& file, size_t at, uint32_t value) {
    for (int i = 0; i < 4; ++i) file[at + i] = static_cast<uint8_t>(value >> (8 * i));
}
