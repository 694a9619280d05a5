// What the registry refuses rather than report done for a change that never reaches the files: a
// write that failed (a full disk) leaves nothing behind for a later write to carry out, a write
// that would make the hive too large for the reader is refused, and a damaged record of the
// journal costs that record alone.
#include <windows.h>

#include "drvtest/registry.h"
#include "platform/registry/hive.h"

#include <gtest/gtest.h>

#include <csignal>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

const char* kKey = "Software\\Vomel\\Refusals";

LONG Store(const std::string& name, const std::vector<BYTE>& data) {
    HKEY key = nullptr;
    LONG rc = RegCreateKeyExA(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
    if (rc != ERROR_SUCCESS) return rc;
    rc = RegSetValueExA(key, name.c_str(), 0, REG_BINARY, data.data(), static_cast<DWORD>(data.size()));
    RegCloseKey(key);
    return rc;
}

std::vector<BYTE> Stored(const std::string& name) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return {};
    std::vector<BYTE> data(70000);
    DWORD size = static_cast<DWORD>(data.size());
    LONG rc = RegQueryValueExA(key, name.c_str(), nullptr, nullptr, data.data(), &size);
    RegCloseKey(key);
    data.resize(rc == ERROR_SUCCESS ? size : 0);
    return data;
}

int ExitCode(pid_t pid) {
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace

// A process on a full disk fails to store a value; another stores 99 there; the disk has room
// again and the first stores something else. The value that failed is neither what the first
// process reads nor what the files end with.
TEST(HiveRefusals, AWriteThatFailedIsNeverWrittenLater) {
    drvtest::ScopedHive hive;
    ASSERT_EQ(Store("v", {1}), ERROR_SUCCESS);
    const off_t journal = static_cast<off_t>(drvtest::ReadTextFile(hive.Path() + ".log").size());
    int turn[2], done[2];
    ASSERT_EQ(::pipe(turn), 0);
    ASSERT_EQ(::pipe(done), 0);
    const pid_t writer = ::fork();
    if (writer == 0) {
        ::signal(SIGXFSZ, SIG_IGN);
        rlimit limit{static_cast<rlim_t>(journal + 300), RLIM_INFINITY};
        if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) ::_exit(1);
        if (Store("v", std::vector<BYTE>(4096, 5)) != ERROR_CANTWRITE) ::_exit(2);
        if (Stored("v") != std::vector<BYTE>{1}) ::_exit(3);  // the process's view is the files'
        char go = 0;
        if (::write(done[1], &go, 1) != 1 || ::read(turn[0], &go, 1) != 1) ::_exit(4);
        limit.rlim_cur = RLIM_INFINITY;  // room on the disk again
        if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) ::_exit(5);
        if (Store("other", {4}) != ERROR_SUCCESS) ::_exit(6);
        ::_exit(Stored("v") == std::vector<BYTE>{99} ? 0 : 7);
    }
    ::close(done[1]);  // a writer that ends early ends the wait
    ::close(turn[0]);
    char go = 0;
    if (::read(done[0], &go, 1) == 1) {  // the writer's store failed; it waits for this one's
        EXPECT_EQ(Store("v", {99}), ERROR_SUCCESS);
        EXPECT_EQ(::write(turn[1], &go, 1), 1);
    }
    ::close(done[0]);
    ::close(turn[1]);
    ASSERT_EQ(ExitCode(writer), 0);
    ASSERT_TRUE(registry::UseHiveFile(hive.Path(), nullptr));
    EXPECT_EQ(Stored("v"), std::vector<BYTE>{99});
    EXPECT_EQ(Stored("other"), std::vector<BYTE>{4});
}

// Texts of 16,000 characters until the hive would outgrow what the reader takes: that write is
// refused, and every value stored before it reads back from the files.
TEST(HiveRefusals, AWriteThatWouldMakeTheHiveUnreadableIsRefused) {
    drvtest::ScopedHive hive;
    std::vector<BYTE> text(16000, 'a');
    text.push_back(0);
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyA(HKEY_CURRENT_USER, kKey, &key), ERROR_SUCCESS);
    int stored = 0;
    LONG rc = ERROR_SUCCESS;
    while (stored < 5000 && (rc = RegSetValueExA(key, ("t" + std::to_string(stored)).c_str(), 0, REG_SZ, text.data(),
                                                 static_cast<DWORD>(text.size()))) == ERROR_SUCCESS)
        ++stored;
    RegCloseKey(key);
    EXPECT_EQ(rc, ERROR_REGISTRY_QUOTA_LIMIT);
    EXPECT_GT(stored, 4000);
    EXPECT_TRUE(Stored("t" + std::to_string(stored)).empty());
    EXPECT_EQ(Store("small", {1}), ERROR_SUCCESS);  // what fits still does
    registry::HiveError error;
    ASSERT_TRUE(registry::UseHiveFile(hive.Path(), &error)) << error.line << ": " << error.message;
    EXPECT_EQ(Stored("t0"), text);
    EXPECT_EQ(Stored("t" + std::to_string(stored - 1)), text);
    EXPECT_EQ(Stored("small"), std::vector<BYTE>{1});
}

// A damaged record of the journal, met when the files are first read or when another process
// appended it, is left out; the hive and the records around it read, and changes are taken.
TEST(HiveRefusals, ADamagedJournalRecordCostsThatRecordAlone) {
    const std::string key = "[HKEY_CURRENT_USER\\Software\\Vomel\\Refusals]\n";
    drvtest::ScopedHive hive("REGEDIT4\n\n" + key + "\"kept\"=hex:01\n\n");
    struct Case { const char* what; std::string record; };
    const Case cases[] = {
        {"bad hex", key + "\"bad\"=hex:0z\n\n"},
        {"bad section", "[HKEY_NOWHERE\\X]\n\"bad\"=hex:01\n\n"},
        {"NUL byte", key + "\"bad\"=hex:0" + std::string(1, '\0') + "1\n\n"},
    };
    for (const Case& c : cases) {
        const std::string journal = "REGEDIT4\n\n" + key + "\"before\"=hex:02\n\n" + c.record + key + "\"after\"=hex:03\n\n";
        ASSERT_TRUE(drvtest::WriteTextFile(hive.Path() + ".log", journal));
        registry::HiveError error;
        ASSERT_TRUE(registry::UseHiveFile(hive.Path(), &error)) << c.what << ": " << error.line << ": " << error.message;
        EXPECT_EQ(Stored("kept"), std::vector<BYTE>{1}) << c.what;
        EXPECT_EQ(Stored("before"), std::vector<BYTE>{2}) << c.what;
        EXPECT_EQ(Stored("after"), std::vector<BYTE>{3}) << c.what;
        EXPECT_TRUE(Stored("bad").empty()) << c.what;

        // Appended behind the back of a process that has read the files already.
        ASSERT_TRUE(drvtest::WriteTextFile(hive.Path() + ".log", journal + c.record + key + "\"later\"=hex:04\n\n"));
        EXPECT_EQ(Stored("later"), std::vector<BYTE>{4}) << c.what;
        EXPECT_EQ(Store("new", {5}), ERROR_SUCCESS) << c.what;
        ASSERT_TRUE(registry::UseHiveFile(hive.Path(), &error)) << c.what << ": " << error.message;
        EXPECT_EQ(Stored("new"), std::vector<BYTE>{5}) << c.what;
        EXPECT_TRUE(Stored("bad").empty()) << c.what;
    }
}
