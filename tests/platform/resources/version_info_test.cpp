// The version functions over the bundled resource module's VERSIONINFO, and over files that have
// no version or a forged one.
#include <windows.h>

#include "platform/kernel/path_map.h"

#include <gtest/gtest.h>

#include <filesystem>

#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

const char* const kModule = "C:\\VERSION\\DRVOPRES.DLL";
const char* const kPlain = "C:\\VERSION\\PLAIN.BIN";

// The bundled module and a file that is no resource file, where the kernel finds them.
bool PlaceFiles() {
    const std::filesystem::path folder = std::filesystem::path(kernel::RootFolder()) / "VERSION";
    std::filesystem::create_directories(folder);
    std::filesystem::copy_file(DRVOPUI_BINARY_DIR "/data/resources/drvopui.res", folder / "DRVOPRES.DLL",
                               std::filesystem::copy_options::overwrite_existing);
    std::ofstream(folder / "PLAIN.BIN") << "not a resource file";
    return true;
}

std::vector<uint8_t> Block(const char* path) {
    DWORD handle = 7;
    const DWORD size = GetFileVersionInfoSizeA(path, &handle);
    EXPECT_EQ(handle, 0u);
    std::vector<uint8_t> block(size);
    if (size) {
        EXPECT_TRUE(GetFileVersionInfoA(path, 0, size, block.data()));
    }
    return block;
}

TEST(VersionInfo, TheResourceModuleAnswersAndFilesWithoutAVersionOrWithAForgedOneDoNot) {
    ASSERT_TRUE(PlaceFiles());
    std::vector<uint8_t> block = Block(kModule);
    ASSERT_FALSE(block.empty());
    void* value = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(block.data(), "\\VarFileInfo\\Translation", &value, &length));
    ASSERT_EQ(length, 4u);
    WORD words[2];
    std::memcpy(words, value, 4);
    EXPECT_EQ(words[0], 0x409);
    EXPECT_EQ(words[1], 1252);
    ASSERT_TRUE(VerQueryValueA(block.data(), "\\StringFileInfo\\040904e4\\ProductVersion", &value, &length));
    EXPECT_STREQ(static_cast<const char*>(value), "1.0.0");
    EXPECT_EQ(length, 6u);
    ASSERT_TRUE(VerQueryValueA(block.data(), "\\", &value, &length));
    ASSERT_EQ(length, sizeof(VS_FIXEDFILEINFO));
    VS_FIXEDFILEINFO fixed;
    std::memcpy(&fixed, value, sizeof fixed);
    EXPECT_EQ(fixed.dwSignature, static_cast<DWORD>(VS_FFI_SIGNATURE));
    EXPECT_EQ(fixed.dwProductVersionMS, 0x00010000u);
    EXPECT_FALSE(VerQueryValueA(block.data(), "\\StringFileInfo\\040904e4\\NoSuchValue", &value, &length));

    // Not a resource file; a missing file; a block too small for its texts.
    DWORD handle = 0;
    EXPECT_EQ(GetFileVersionInfoSizeA(kPlain, &handle), 0u);
    EXPECT_EQ(GetFileVersionInfoSizeA("C:\\VERSION\\MISSING.DLL", &handle), 0u);
    const DWORD size = GetFileVersionInfoSizeA(kModule, &handle);
    std::vector<uint8_t> small(size / 2);
    EXPECT_FALSE(GetFileVersionInfoA(kModule, 0, static_cast<DWORD>(small.size()), small.data()));
    // A node whose value claims more than its node holds is refused, not read past.
    std::vector<uint8_t> forged = block;
    forged[2] = 0xFF;
    forged[3] = 0x7F;
    EXPECT_FALSE(VerQueryValueA(forged.data(), "\\", &value, &length));
    std::vector<uint8_t> tiny = {4, 0, 0, 0};
    EXPECT_FALSE(VerQueryValueA(tiny.data(), "\\", &value, &length));
}

}  // namespace
