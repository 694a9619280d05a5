// The resource module: a compiled resource script read through FindResourceA and LoadStringA, and
// bad or truncated .res files refused cleanly.
#include <windows.h>

#include "platform/kernel/path_map.h"
#include "platform/resources/res_file.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

std::vector<uint8_t> readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

const std::string kResFile = DRVOPUI_BINARY_DIR "/tests/platform/resources/test_resources.res";

class ResourceModule : public ::testing::Test {
protected:
    void SetUp() override {
        module = res::OpenResourceFile(kResFile.c_str());
        ASSERT_NE(module, nullptr) << kResFile;
    }
    void TearDown() override { EXPECT_TRUE(res::CloseResourceFile(module)); }
    HMODULE module = nullptr;
};

TEST_F(ResourceModule, FindsNumberedNamedAndCustomResources) {
    struct Case {
        LPCSTR name;
        LPCSTR type;
        std::vector<uint8_t> bytes;
    };
    for (const auto& c : {Case{MAKEINTRESOURCEA(7), RT_RCDATA, {1, 0, 2, 0, 3, 0}},
                          Case{"#7", RT_RCDATA, {1, 0, 2, 0, 3, 0}},
                          Case{"profiledata", RT_RCDATA, {'n', 'a', 'm', 'e', 'd'}},
                          Case{MAKEINTRESOURCEA(12000), MAKEINTRESOURCEA(12000), {0x34, 0x12, 0x78, 0x56}}}) {
        HRSRC found = FindResourceA(module, c.name, c.type);
        ASSERT_NE(found, nullptr);
        ASSERT_EQ(SizeofResource(module, found), c.bytes.size());
        auto* data = static_cast<const uint8_t*>(LockResource(LoadResource(module, found)));
        EXPECT_EQ(std::vector<uint8_t>(data, data + c.bytes.size()), c.bytes);
    }
    EXPECT_EQ(FindResourceA(module, MAKEINTRESOURCEA(8), RT_RCDATA), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_NAME_NOT_FOUND));
    EXPECT_EQ(FindResourceA(module, MAKEINTRESOURCEA(7), RT_ACCELERATOR), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_TYPE_NOT_FOUND));
    // A resource handle of one module means nothing to another.
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(7), RT_RCDATA);
    EXPECT_EQ(LoadResource(nullptr, found), nullptr);
    EXPECT_EQ(SizeofResource(module, reinterpret_cast<HRSRC>(&found)), 0u);
}

TEST_F(ResourceModule, LoadsStringsAcrossBlocksAndCutsToTheBuffer) {
    struct Case {
        UINT id;
        int size;
        const char* text;
    };
    for (auto c : {Case{1, 64, "First"}, Case{15, 64, "Last of the first block"}, Case{16, 64, "First of the second"},
                   Case{1, 4, "Fir"}, Case{1, 1, ""}, Case{2, 64, ""}, Case{9999, 64, ""},
                   Case{4427, 64, "Caf\xe9 \x80 5,0"}}) {
        char buffer[64];
        std::memset(buffer, 'x', sizeof buffer);
        int n = LoadStringA(module, c.id, buffer, c.size);
        EXPECT_STREQ(buffer, c.text) << c.id;
        EXPECT_EQ(n, static_cast<int>(std::strlen(c.text))) << c.id;
    }
}

TEST(ResFile, RefusesDamagedAndMissingFilesAndServesADataFileModuleOfTheKernel) {
    std::vector<uint8_t> good = readFile(kResFile);
    ASSERT_GT(good.size(), 64u);
    ASSERT_NE(res::ResourceTable::Parse(good.data(), good.size()), nullptr);
    // Every cut either fails or keeps only whole entries, whose data lie inside the bytes.
    for (size_t n = 0; n < good.size(); ++n) {
        auto table = res::ResourceTable::Parse(good.data(), n);
        if (!table) continue;
        for (const auto& e : table->entries()) EXPECT_LE(e.offset + e.size, n);
    }
    struct Case {
        size_t at;
        uint32_t value;
        const char* what;
    };
    for (auto c : {Case{0, 1, "marker with data"}, Case{4, 8, "header too small"},
                   Case{4, 0x7FFFFFF0, "header past the end"}, Case{32, 0xFFFFFFF0, "data past the end"},
                   Case{36, 0x7FFFFFF0, "second header past the end"}, Case{8, 0x00410041, "marker named"}}) {
        std::vector<uint8_t> bad = good;
        std::memcpy(bad.data() + c.at, &c.value, 4);
        std::string why;
        EXPECT_EQ(res::ResourceTable::Parse(bad.data(), bad.size(), &why), nullptr) << c.what;
        EXPECT_FALSE(why.empty()) << c.what;
    }
    // A name without its terminator inside the header is refused, not read past the header.
    std::vector<uint8_t> unterminated = good;
    for (size_t i = 40; i < 40 + 24 && i < unterminated.size(); ++i) unterminated[i] = 'A';
    EXPECT_EQ(res::ResourceTable::Parse(unterminated.data(), unterminated.size()), nullptr);

    EXPECT_EQ(res::OpenResourceFile("/nonexistent/x.res"), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    std::string path = DRVOPUI_TEST_OUTPUT_DIR "/bad.res";
    std::ofstream(path, std::ios::binary) << "not a resource file at all, not at all";
    EXPECT_EQ(res::OpenResourceFile(path.c_str()), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_BAD_FORMAT));
    EXPECT_FALSE(res::CloseResourceFile(nullptr));

    std::filesystem::path system = std::filesystem::path(kernel::RootFolder()) / "WINDOWS" / "SYSTEM";
    std::filesystem::create_directories(system);
    std::filesystem::copy_file(kResFile, system / "TESTRES.DLL", std::filesystem::copy_options::overwrite_existing);
    HMODULE module = LoadLibraryExA("testres.dll", nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(module, nullptr) << GetLastError();
    char text[32];
    EXPECT_EQ(LoadStringA(module, 16, text, sizeof text), 19);
    EXPECT_STREQ(text, "First of the second");
    EXPECT_TRUE(FreeLibrary(module));
}

}  // namespace
