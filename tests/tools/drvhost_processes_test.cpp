// The host program as machines misbehave around it: several copies at once on one drive root and
// one hive, a copy stopped by the file-size limit while it installs, and a copy killed while it
// converts. Every run either does its work or leaves the driver folder and the printer as they were.
#include <gtest/gtest.h>

#include "drvtest/registry.h"

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;

std::string ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class DrvhostProcesses : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::path(DRVOPUI_TEST_OUTPUT_DIR) / ::testing::UnitTest::GetInstance()->current_test_info()->name();
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }

    fs::path System() const { return dir_ / "root" / "WINDOWS" / "SYSTEM"; }
    std::string Hive() const { return (dir_ / "hive.reg").string(); }

    // Starts the program on the test's root and hive with its output in `out`; `limit`, when not
    // 0, is the largest file it may write (RLIMIT_FSIZE), past which the system stops it.
    pid_t Start(const std::vector<std::string>& arguments, const fs::path& out, rlim_t limit = 0) const {
        const std::string root = (dir_ / "root").string(), hive = Hive();
        pid_t pid = ::fork();
        if (pid != 0) return pid;
        ::setenv("DRVOPUI_ROOT", root.c_str(), 1);
        ::setenv("DRVOPUI_HIVE", hive.c_str(), 1);
        FILE* file = std::freopen(out.c_str(), "w", stdout);
        if (!file || ::dup2(::fileno(stdout), 2) < 0) ::_exit(120);
        if (limit) {
            rlimit fsize{limit, limit};
            ::setrlimit(RLIMIT_FSIZE, &fsize);
        }
        std::vector<char*> argv{const_cast<char*>(DRVHOST_PROGRAM)};
        for (const std::string& a : arguments) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        ::execv(DRVHOST_PROGRAM, argv.data());
        ::_exit(121);
    }

    static int Wait(pid_t pid) {
        int status = 0;
        ::waitpid(pid, &status, 0);
        return status;
    }

    fs::path dir_;
};

// Each copy that starts finds the library installed by the ones before it, maps it and runs:
// an installer that rewrote the mapped file in place took the pages from under the others.
TEST_F(DrvhostProcesses, CopiesRunningAtOnceOnOnePrinterAllFinish) {
    for (int round = 0; round < 3; ++round) {
        std::vector<pid_t> runs;
        for (int i = 0; i < 8; ++i)
            runs.push_back(Start({"--set", i % 2 ? "0x10040f=2" : "0x10040f=1"}, dir_ / ("out" + std::to_string(i))));
        for (size_t i = 0; i < runs.size(); ++i) {
            const int status = Wait(runs[i]);
            EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0)
                << "round " << round << ", copy " << i << ": status " << status << "\n"
                << ReadBytes(dir_ / ("out" + std::to_string(i)));
        }
    }
    // The library is installed whole, and an identical one is not written again.
    const fs::path library = System() / "DRVOPUI.DLL";
    EXPECT_EQ(ReadBytes(library), ReadBytes(DRVOPUI_LIBRARY_FILE));
    struct stat before, after;
    ASSERT_EQ(::stat(library.c_str(), &before), 0);
    EXPECT_EQ(Wait(Start({}, dir_ / "again")), 0);
    ASSERT_EQ(::stat(library.c_str(), &after), 0);
    EXPECT_EQ(before.st_ino, after.st_ino);
    EXPECT_EQ(before.st_mtim.tv_nsec, after.st_mtim.tv_nsec);
}

// Stopped by the file-size limit half-way through the copy of a data file, an installer leaves
// the file it was replacing as it was; the next run installs it whole.
TEST_F(DrvhostProcesses, AnInstallStoppedByTheFileSizeLimitLeavesNoCutFile) {
    const fs::path data = System() / "KELVAR5E.DAT";
    const std::string built = ReadBytes(fs::path(DRVOPUI_BINARY_DIR) / "data" / "KELVAR5E.DAT");
    ASSERT_GT(built.size(), 8192u);
    ASSERT_EQ(Wait(Start({}, dir_ / "first")), 0) << ReadBytes(dir_ / "first");
    const std::string older = "an older data file\n";
    std::ofstream(data, std::ios::binary) << older;
    const int status = Wait(Start({}, dir_ / "limited", 8192));
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGXFSZ) << status << "\n" << ReadBytes(dir_ / "limited");
    EXPECT_EQ(ReadBytes(data), older) << "the installed file is replaced whole or not at all";
    EXPECT_EQ(Wait(Start({}, dir_ / "unlimited")), 0) << ReadBytes(dir_ / "unlimited");
    EXPECT_EQ(ReadBytes(data), built);
    for (const auto& entry : fs::directory_iterator(System()))
        EXPECT_EQ(entry.path().filename().string().find(".install-"), std::string::npos) << entry.path();
}

// A conversion works on a copy of the registry in memory: the hive and its journal are the same
// bytes after it, finished or killed anywhere on the way.
TEST_F(DrvhostProcesses, AConversionChangesNoPrinterFinishedOrKilled) {
    std::string file = ReadBytes(fs::path(DRVOPUI_SOURCE_DIR) / "fuzz" / "corpus" / "devmode_validate" / "default_devmode");
    ASSERT_GT(file.size(), 220u);
    file[44] = 2;  // landscape, which the printer does not hold
    const fs::path dm = dir_ / "landscape.dm", out = dir_ / "converted.dm";
    std::ofstream(dm, std::ios::binary) << file;
    for (const char* run : {"install", "settle"}) ASSERT_EQ(Wait(Start({}, dir_ / run)), 0) << ReadBytes(dir_ / run);
    const std::string hive = ReadBytes(Hive()), journal = ReadBytes(Hive() + ".log");
    ASSERT_FALSE(hive.empty());

    EXPECT_EQ(Wait(Start({"--convert", dm.string(), out.string()}, dir_ / "convert")), 0) << ReadBytes(dir_ / "convert");
    const std::string converted = ReadBytes(out);
    ASSERT_GT(converted.size(), 46u);
    EXPECT_EQ(converted[44], 2);
    EXPECT_EQ(ReadBytes(Hive()), hive);
    EXPECT_EQ(ReadBytes(Hive() + ".log"), journal);
    // Killed the moment the files change, a conversion that wrote into them leaves its file's
    // settings with the printer.
    for (int round = 0; round < 3; ++round) {
        const pid_t pid = Start({"--convert", dm.string(), out.string()}, dir_ / "killed");
        int status = 0;
        while (::waitpid(pid, &status, WNOHANG) == 0) {
            if (ReadBytes(Hive()) != hive || ReadBytes(Hive() + ".log") != journal) {
                ::kill(pid, SIGKILL);
                Wait(pid);
                break;
            }
            ::usleep(500);
        }
        EXPECT_EQ(ReadBytes(Hive()), hive) << "round " << round;
        EXPECT_EQ(ReadBytes(Hive() + ".log"), journal) << "round " << round;
    }
}

// A hive that does not read when a program starts is left as it is, and nothing is reported
// done: the registry refuses every change instead of keeping them in memory alone.
TEST_F(DrvhostProcesses, AHiveThatDoesNotReadRefusesTheSetAndStaysAsItIs) {
    const std::string bundled = drvtest::ReadTextFile(std::string(DRVOPUI_SOURCE_DIR) + "/data/printers.reg");
    for (const std::string& broken : {bundled + "not a line of a hive\n", bundled.substr(0, bundled.size() - 10)}) {
        ASSERT_TRUE(drvtest::WriteTextFile(Hive(), broken));
        const int status = Wait(Start({"--set", "0x10040f=2"}, dir_ / "broken"));
        const std::string printed = ReadBytes(dir_ / "broken");
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) != 0) << printed;
        EXPECT_EQ(printed.find("answer 0 (done)"), std::string::npos) << printed;
        EXPECT_NE(printed.find("refuses changes until the file reads"), std::string::npos) << printed;
        EXPECT_EQ(ReadBytes(Hive()), broken);
        EXPECT_FALSE(fs::exists(Hive() + ".log") && !ReadBytes(Hive() + ".log").empty());
    }
}

// Damaged stored settings give way to the defaults, and the program says which value it could
// not use and why.
TEST_F(DrvhostProcesses, DamagedStoredSettingsAreNamedWithTheirFault) {
    const std::string key =
        "[HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\control\\Print\\Printers\\Vomel Kelvaro PCL5e\\PrinterDriverData]\n";
    struct Case { const char* value; const char* bytes; const char* fault; };
    const Case cases[] = {
        {"Default DevMode", "hex:01,02,03", "damaged, forged or of another version"},
        {"DeviceOption", "hex:58,04,00,00,02,00,00,00,00,00,00,00,20,00", "states another size"},
    };
    for (const Case& c : cases) {
        const std::string hive = drvtest::ReadTextFile(std::string(DRVOPUI_SOURCE_DIR) + "/data/printers.reg") + "\n" + key +
                                 "\"" + c.value + "\"=" + c.bytes + "\n\n";
        ASSERT_TRUE(drvtest::WriteTextFile(Hive(), hive));
        fs::remove(Hive() + ".log");
        Wait(Start({"--request", "2", "0x100dc"}, dir_ / "damaged"));
        const std::string printed = ReadBytes(dir_ / "damaged");
        const std::string expected = std::string("the stored \"") + c.value + "\" of \"Vomel Kelvaro PCL5e\"";
        const size_t at = printed.find(expected);
        ASSERT_NE(at, std::string::npos) << printed;
        EXPECT_NE(printed.find(c.fault, at), std::string::npos) << printed.substr(at, 300);
    }
}

}  // namespace
