// The device query tool's configuration command as a person runs it: on a fresh drive root it
// installs the simulated device, reads it through the driver's configuration and prints the
// installed options it wrote: the finisher, the memory, the paper sources and the brand media.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace {

namespace fs = std::filesystem;

TEST(DrvdevinfoConfiguration, PrintsWhatTheDevicesAnswerInstalled) {
    const fs::path dir = fs::path(DRVOPUI_TEST_OUTPUT_DIR) / "configuration";
    fs::remove_all(dir);
    fs::create_directories(dir);
    auto run = [&](const std::string& arguments, std::string& out) {
        const std::string command = "DRVOPUI_ROOT='" + (dir / "root").string() + "' DRVOPUI_HIVE= '" DRVDEVINFO_PROGRAM
                                    "' " + arguments + " > '" + (dir / "out.txt").string() + "' 2>&1";
        int status = std::system(command.c_str());
        std::ifstream in(dir / "out.txt");
        out.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        return status;
    };
    std::string out;
    EXPECT_EQ(run("--configuration", out), 0) << out;
    for (const char* line : {"configuration of \"Vomel Kelvaro PCL5e\":\n",
                             "  query                        the device answered\n",
                             "  finisher code                33\n", "  memory                       131072000\n",
                             "  option mask                  0x01C00080 0x00000000\n",
                             "  paper source 1 CASSETTE1       source 1, paper 8, kind 3, media 9, level -3\n",
                             "  brand medium 41              Glossy 200 (group 7)\n"})
        EXPECT_NE(out.find(line), std::string::npos) << line << "\n" << out;

    // A device that is another model is not configured, and says so.
    std::ofstream(dir / "root" / "WINDOWS" / "SYSTEM" / "ZDSVSIM.TXT") << "attr 0 1056 text \"Kelvaro 9000\"\n";
    EXPECT_EQ(run("--configuration", out) >> 8, 1) << out;
    EXPECT_NE(out.find("  query                        failed; nothing was written\n"), std::string::npos) << out;
}

}  // namespace
