// The host program as a user runs it: a fresh drive root, the library loaded from the driver
// folder, and device mode files checked and converted. What --validate refuses, --convert
// refuses with the same words, and what --convert writes, --validate accepts.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

struct Outcome {
    int status = -1;
    std::string out;
};

class Drvhost : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::path(DRVOPUI_TEST_OUTPUT_DIR) / ::testing::UnitTest::GetInstance()->current_test_info()->name();
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }

    Outcome Drive(const std::string& arguments) const {
        const std::string command = "DRVOPUI_ROOT='" + (dir_ / "root").string() + "' DRVOPUI_HIVE= '" DRVHOST_PROGRAM "' " +
                                    arguments + " > '" + (dir_ / "out.txt").string() + "' 2>&1";
        Outcome run;
        run.status = std::system(command.c_str());
        std::ifstream in(dir_ / "out.txt");
        run.out.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        return run;
    }

    std::string Write(const std::string& name, const std::vector<uint8_t>& bytes) const {
        const fs::path path = dir_ / name;
        std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
        return path.string();
    }

    std::vector<uint8_t> Read(const std::string& path) const {
        std::ifstream in(path, std::ios::binary);
        return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    // The line the program prints about the file: its verdict.
    static std::string Verdict(const std::string& out, const std::string& file) {
        const size_t at = out.find(file + ":");
        return at == std::string::npos ? "" : out.substr(at, out.find('\n', at) - at);
    }

    fs::path dir_;
};

TEST_F(Drvhost, ConvertAndValidateAgreeOnEveryFile) {
    const std::vector<uint8_t> good = Read(std::string(DRVOPUI_SOURCE_DIR) + "/fuzz/corpus/devmode_validate/default_devmode");
    ASSERT_GT(good.size(), 220u);
    auto with = [&](size_t at, std::vector<uint8_t> bytes) {
        std::vector<uint8_t> dm = good;
        std::copy(bytes.begin(), bytes.end(), dm.begin() + at);
        return dm;
    };
    struct Case { const char* name; std::vector<uint8_t> bytes; bool accepted; };
    const Case cases[] = {
        {"good.dm", good, true},
        {"cut500.dm", std::vector<uint8_t>(good.begin(), good.begin() + 500), false},
        {"cut10.dm", std::vector<uint8_t>(good.begin(), good.begin() + 10), false},
        {"extraffff.dm", with(38, {0xFF, 0xFF}), false},
        {"garbage.dm", with(0, std::vector<uint8_t>(32, 'X')), true},
        {"orientation77.dm", with(44, {77, 0}), true},
        {"foreign.dm", with(148, {'W'}), false},
        {"newer.dm", with(170, {0x03, 0x06}), false},
    };
    for (const Case& c : cases) {
        const std::string file = Write(c.name, c.bytes);
        const std::string out = (dir_ / (std::string(c.name) + ".out")).string();
        const Outcome validate = Drive("--validate '" + file + "'");
        const Outcome convert = Drive("--convert '" + file + "' '" + out + "'");
        EXPECT_EQ(validate.status == 0, c.accepted) << c.name << "\n" << validate.out;
        EXPECT_EQ(convert.status == 0, c.accepted) << c.name << "\n" << convert.out;
        if (!c.accepted) {
            EXPECT_NE(Verdict(validate.out, file).find("refused"), std::string::npos) << validate.out;
            EXPECT_EQ(Verdict(validate.out, file), Verdict(convert.out, file)) << c.name;
            EXPECT_FALSE(fs::exists(out)) << c.name << ": nothing written for a refused file";
            continue;
        }
        const Outcome again = Drive("--validate '" + out + "'");
        EXPECT_EQ(again.status, 0) << c.name << ": what conversion writes, validation accepts\n" << again.out;
        const std::vector<uint8_t> converted = Read(out);
        ASSERT_GT(converted.size(), 56u);
        EXPECT_EQ(converted[31], 0) << c.name << ": the device name ends inside its field";
        EXPECT_EQ(converted[44] | converted[45] << 8, 1) << c.name << ": orientation";
    }
}

TEST_F(Drvhost, LoadsTheLibraryAtRunTimeAndLinksOnlyThePlatform) {
    const Outcome run = Drive("");
    EXPECT_EQ(run.status, 0) << run.out;
    EXPECT_NE(run.out.find("DRVOPUI.DLL loaded"), std::string::npos) << run.out;
    EXPECT_TRUE(fs::exists(dir_ / "root" / "WINDOWS" / "SYSTEM" / "DRVOPUI.DLL"));
    // The program's own needs, as the dynamic loader reads them: the platform, never the library.
    std::FILE* pipe = popen("LD_TRACE_LOADED_OBJECTS=1 '" DRVHOST_PROGRAM "'", "r");
    ASSERT_NE(pipe, nullptr);
    std::string needed;
    char buffer[512];
    while (std::fgets(buffer, sizeof buffer, pipe)) needed += buffer;
    pclose(pipe);
    EXPECT_NE(needed.find("libDrvopuiPlatform.so"), std::string::npos) << needed;
    EXPECT_EQ(needed.find("libDrvopui.so"), std::string::npos) << needed;
}

// Requests as an application sends them: the answer and the data word are printed, and a set
// prints what changed in the device mode, the rules' changes with it.
TEST_F(Drvhost, SendsOptionRequestsAndPrintsWhatASetChanged) {
    const Outcome run = Drive("--request 2 0x10000 --set 0x10040f=2 --request 2 0x10040f --request 3 0x10088 1 "
                              "--request 2 0x10000 null --set 0x10064=2");
    EXPECT_NE(run.status, 0) << run.out;  // two requests did not answer 0
    EXPECT_NE(run.out.find("request kind 2, code 0x10000: answer 0 (done)\n  data word 0x0002001E"), std::string::npos)
        << run.out;
    const size_t set = run.out.find("request kind 3, code 0x10040F, data 2: answer 0 (done)");
    ASSERT_NE(set, std::string::npos) << run.out;
    EXPECT_NE(run.out.find("orientation            1                          2", set), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("request kind 2, code 0x10040F: answer 0 (done)\n  data word 0x00000002"), std::string::npos)
        << run.out;
    EXPECT_NE(run.out.find("code 0x10088, data 1: answer 2 (not supported)"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("code 0x10000, data null: answer 1"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("code 0x10064, data 2: answer 0 (done)\n                         before"), std::string::npos)
        << run.out;

    EXPECT_EQ(Drive("--set 0x10040f").status >> 8, 2);
    EXPECT_EQ(Drive("--request two 0x10000").status >> 8, 2);
}

TEST_F(Drvhost, ImportsListsAppliesAndExportsProfiles) {
    // A profile file written for this printer's language with an older, shorter device mode.
    const std::string seed = DRVOPUI_SOURCE_DIR "/fuzz/corpus/profile_file/builtin_0.pfl";
    const std::string exported = (dir_ / "exported.pfl").string();
    const Outcome run = Drive("--import-profile '" + seed + "' --profiles --apply-profile Landscape --apply-profile Seed0 "
                              "--profiles --export-profile Seed0 '" + exported + "'");
    EXPECT_EQ(run.status, 0) << run.out;
    EXPECT_NE(run.out.find("(stored as a user profile)"), std::string::npos) << run.out;
    const size_t list = run.out.find("profiles of \"Vomel Kelvaro PCL5e\": 7\n  Factory settings");
    ASSERT_NE(list, std::string::npos) << run.out;
    EXPECT_NE(run.out.find("  Seed0                            user\n", list), std::string::npos) << run.out;
    const size_t landscape = run.out.find("apply profile \"Landscape\": answer 0");
    ASSERT_NE(landscape, std::string::npos) << run.out;
    EXPECT_NE(run.out.find("orientation            1                          2", landscape), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("  Seed0                            user, applied"), std::string::npos) << run.out;

    // The exported file is the stored record behind the file header, and imports again
    // elsewhere into the same bytes.
    const std::vector<uint8_t> file = Read(exported);
    ASSERT_GT(file.size(), 36u + 296u);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(file.data())), "VOMEL PROFILE SYSTEM for 9x");
    const std::string again = (dir_ / "again.pfl").string();
    fs::remove_all(dir_ / "root");
    const Outcome second = Drive("--import-profile '" + exported + "' --export-profile Seed0 '" + again + "'");
    EXPECT_EQ(second.status, 0) << second.out;
    EXPECT_EQ(Read(again), file);

    // A built-in profile has no stored record; a damaged file is not stored.
    const Outcome refused = Drive("--export-profile Landscape '" + again + "' --import-profile '" +
                                  Write("short.pfl", std::vector<uint8_t>(file.begin(), file.begin() + 300)) + "'");
    EXPECT_NE(refused.status, 0);
    EXPECT_NE(refused.out.find("export profile \"Landscape\": no stored record"), std::string::npos) << refused.out;
    EXPECT_NE(refused.out.find("short.pfl: answer 3"), std::string::npos) << refused.out;
}

}  // namespace
