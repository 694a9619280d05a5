// One hive shared by several processes: concurrent writers lose no value that a call reported
// stored, a writer killed half-way leaves a hive that loads with everything stored before, a
// torn journal record is dropped, changes of another process reach open handles, and a
// read-only hive refuses changes without losing its mode.
#include <windows.h>

#include "drvtest/registry.h"
#include "platform/registry/hive.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <functional>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

const char* kShared = "Software\\Vomel\\Writers";

// Runs `body` in a child process, which ends with its result and never returns here.
pid_t Spawn(const std::function<int()>& body) {
    pid_t pid = ::fork();
    if (pid == 0) ::_exit(body());
    return pid;
}

int ExitCode(pid_t pid) {
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::vector<BYTE> Pattern(int writer, int index, size_t size) {
    std::vector<BYTE> data(size);
    for (size_t i = 0; i < size; ++i) data[i] = static_cast<BYTE>(writer * 31 + index * 7 + i);
    return data;
}

std::string Name(int writer, int index) { return "w" + std::to_string(writer) + "-" + std::to_string(index); }

LONG Store(const char* path, const std::string& name, const std::vector<BYTE>& data) {
    HKEY key = nullptr;
    LONG rc = RegCreateKeyExA(HKEY_CURRENT_USER, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
    if (rc != ERROR_SUCCESS) return rc;
    rc = RegSetValueExA(key, name.c_str(), 0, REG_BINARY, data.data(), static_cast<DWORD>(data.size()));
    RegCloseKey(key);
    return rc;
}

// The value as the registry holds it now; empty when it is missing.
std::vector<BYTE> Stored(const char* path, const std::string& name) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return {};
    DWORD size = 0;
    LONG rc = RegQueryValueExA(key, name.c_str(), nullptr, nullptr, nullptr, &size);
    std::vector<BYTE> data(size);
    if (rc == ERROR_SUCCESS) rc = RegQueryValueExA(key, name.c_str(), nullptr, nullptr, data.data(), &size);
    RegCloseKey(key);
    data.resize(rc == ERROR_SUCCESS ? size : 0);
    return data;
}

}  // namespace

TEST(HiveProcesses, ConcurrentWritersLoseNoStoredValue) {
    drvtest::ScopedHive hive;
    constexpr int kWriters = 8, kValues = 40;
    int start[2];
    ASSERT_EQ(::pipe(start), 0);
    std::vector<pid_t> writers;
    for (int w = 0; w < kWriters; ++w) {
        writers.push_back(Spawn([&, w] {
            ::close(start[1]);
            char go;
            (void)!::read(start[0], &go, 1);  // all start together, when the parent closes the pipe
            int failures = 0;
            // Values large enough that the journal outgrows its limit and is folded while others
            // append, and a key per writer that others' folds must not take away.
            for (int i = 0; i < kValues; ++i) {
                failures += Store(kShared, Name(w, i), Pattern(w, i, 400)) != ERROR_SUCCESS;
                failures += Store(("Software\\Vomel\\Own" + std::to_string(w)).c_str(), "last",
                                  Pattern(w, i, 8)) != ERROR_SUCCESS;
            }
            return std::min(failures, 255);
        }));
    }
    ::close(start[0]);
    ::close(start[1]);
    for (pid_t pid : writers) EXPECT_EQ(ExitCode(pid), 0) << "a write failed";

    ASSERT_TRUE(registry::UseHiveFile(hive.Path(), nullptr));  // read afresh from the files
    for (int w = 0; w < kWriters; ++w) {
        for (int i = 0; i < kValues; ++i) ASSERT_EQ(Stored(kShared, Name(w, i)), Pattern(w, i, 400)) << Name(w, i);
        EXPECT_EQ(Stored(("Software\\Vomel\\Own" + std::to_string(w)).c_str(), "last"), Pattern(w, kValues - 1, 8));
    }
    // Folded into the hive alone, everything is still there.
    std::string folded = hive.FileText();
    ASSERT_TRUE(registry::UseHiveText(folded, nullptr));
    EXPECT_EQ(Stored(kShared, Name(kWriters - 1, kValues - 1)), Pattern(kWriters - 1, kValues - 1, 400));
}

TEST(HiveProcesses, AWriterKilledMidWriteLeavesEveryEarlierValue) {
    drvtest::ScopedHive hive;
    for (int round = 0; round < 3; ++round) {
        int reports[2];
        ASSERT_EQ(::pipe(reports), 0);
        pid_t writer = Spawn([&] {
            ::close(reports[0]);
            // Large values: each write takes a while, and the journal is folded every few.
            for (int i = 0;; ++i) {
                if (Store(kShared, Name(round, i), Pattern(round, i, 16 * 1024)) != ERROR_SUCCESS) return 1;
                if (::write(reports[1], &i, sizeof i) != sizeof i) return 2;
            }
        });
        ::close(reports[1]);
        int last = -1, index = 0;
        while (last < 6 + 4 * round && ::read(reports[0], &index, sizeof index) == sizeof index) last = index;
        ::kill(writer, SIGKILL);
        ExitCode(writer);
        ::close(reports[0]);
        ASSERT_GE(last, 0);

        registry::HiveError error;
        ASSERT_TRUE(registry::UseHiveFile(hive.Path(), &error)) << error.line << ": " << error.message;
        for (int i = 0; i <= last; ++i) ASSERT_EQ(Stored(kShared, Name(round, i)), Pattern(round, i, 16 * 1024)) << i;
        // The hive takes changes again, and they read back.
        ASSERT_EQ(Store(kShared, "after", Pattern(round, 0, 16)), ERROR_SUCCESS);
        ASSERT_TRUE(registry::UseHiveFile(hive.Path(), &error)) << error.line << ": " << error.message;
        EXPECT_EQ(Stored(kShared, "after"), Pattern(round, 0, 16));
    }
    // A fold clears away the temporary file a writer killed while folding left.
    ASSERT_EQ(RegFlushKey(HKEY_CURRENT_USER), ERROR_SUCCESS);
    std::string folder = hive.Path().substr(0, hive.Path().rfind('/'));
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        EXPECT_EQ(entry.path().filename().string().find(".tmp-"), std::string::npos) << entry.path();
}

TEST(HiveProcesses, ATornJournalRecordIsDroppedWhereverItIsCut) {
    drvtest::ScopedHive hive;
    ASSERT_EQ(Store(kShared, "kept", {1, 2, 3}), ERROR_SUCCESS);
    std::string journalPath = hive.Path() + ".log";
    std::string before = drvtest::ReadTextFile(journalPath);
    ASSERT_EQ(Store(kShared, "torn", std::vector<BYTE>(24, 0xAB)), ERROR_SUCCESS);
    std::string whole = drvtest::ReadTextFile(journalPath);
    ASSERT_GT(whole.size(), before.size());
    for (size_t cut = before.size() + 1; cut < whole.size(); ++cut) {
        ASSERT_TRUE(drvtest::WriteTextFile(journalPath, whole.substr(0, cut)));
        registry::HiveError error;
        ASSERT_TRUE(registry::UseHiveFile(hive.Path(), &error)) << cut << ": " << error.message;
        EXPECT_EQ(Stored(kShared, "kept"), (std::vector<BYTE>{1, 2, 3})) << cut;
        EXPECT_TRUE(Stored(kShared, "torn").empty()) << cut;
    }
    // The next record replaces the torn one instead of following it.
    ASSERT_EQ(Store(kShared, "next", {9}), ERROR_SUCCESS);
    EXPECT_EQ(drvtest::ReadTextFile(journalPath).substr(0, before.size()), before);
    ASSERT_TRUE(registry::UseHiveFile(hive.Path(), nullptr));
    EXPECT_EQ(Stored(kShared, "next"), (std::vector<BYTE>{9}));
}

TEST(HiveProcesses, AnotherProcessesChangesReachOpenHandles) {
    drvtest::ScopedHive hive("REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Vomel\\Writers]\n\n"
                             "[HKEY_CURRENT_USER\\Software\\Vomel\\Doomed]\n\n");
    HKEY shared = nullptr, doomed = nullptr;
    ASSERT_EQ(RegOpenKeyA(HKEY_CURRENT_USER, kShared, &shared), ERROR_SUCCESS);
    ASSERT_EQ(RegOpenKeyA(HKEY_CURRENT_USER, "Software\\Vomel\\Doomed", &doomed), ERROR_SUCCESS);
    struct Step {
        const char* what;
        bool fold;  // the other process also writes the hive whole, replacing the file
    };
    for (Step step : {Step{"appended", false}, Step{"folded", true}}) {
        pid_t other = Spawn([&] {
            if (Store(kShared, step.what, {7}) != ERROR_SUCCESS) return 1;
            if (step.fold && RegFlushKey(HKEY_CURRENT_USER) != ERROR_SUCCESS) return 2;
            return 0;
        });
        ASSERT_EQ(ExitCode(other), 0);
        BYTE data[4];
        DWORD size = sizeof data;
        EXPECT_EQ(RegQueryValueExA(shared, step.what, nullptr, nullptr, data, &size), ERROR_SUCCESS) << step.what;
    }
    ASSERT_EQ(ExitCode(Spawn([] { return RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\Vomel\\Doomed") != 0; })), 0);
    EXPECT_EQ(RegSetValueExA(doomed, "v", 0, REG_BINARY, reinterpret_cast<const BYTE*>("x"), 1), ERROR_KEY_DELETED);
    // This process's own change goes on top of the others', not over them.
    ASSERT_EQ(RegSetValueExA(shared, "mine", 0, REG_BINARY, reinterpret_cast<const BYTE*>("m"), 1), ERROR_SUCCESS);
    std::string text = hive.FileText();
    for (const char* name : {"\"appended\"", "\"folded\"", "\"mine\""}) EXPECT_NE(text.find(name), std::string::npos) << name;
    EXPECT_EQ(text.find("Doomed"), std::string::npos);
    RegCloseKey(shared);
    RegCloseKey(doomed);
}

TEST(HiveProcesses, AReadOnlyHiveRefusesChangesAndKeepsItsMode) {
    const std::string text = "REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Vomel]\n\"Kept\"=dword:00000001\n\n";
    drvtest::ScopedHive hive(text);
    ASSERT_EQ(::chmod(hive.Path().c_str(), 0444), 0);
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Vomel", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                              nullptr),
              ERROR_SUCCESS);  // an existing key still opens
    HKEY out = nullptr;
    DWORD one = 1;
    for (LONG rc : {RegSetValueExA(key, "New", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&one), 4),
                    RegDeleteValueA(key, "Kept"), RegCreateKeyA(key, "Sub", &out),
                    RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\Vomel")})
        EXPECT_EQ(rc, ERROR_ACCESS_DENIED);
    registry::HiveError error;
    EXPECT_FALSE(registry::ImportHiveText("REGEDIT4\n[HKEY_CURRENT_USER\\X]\n", &error));
    EXPECT_EQ(RegFlushKey(HKEY_CURRENT_USER), ERROR_SUCCESS);  // nothing to write
    RegCloseKey(key);
    struct stat st;
    ASSERT_EQ(::stat(hive.Path().c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0444u);
    EXPECT_EQ(drvtest::ReadTextFile(hive.Path()), text);
    EXPECT_NE(::access((hive.Path() + ".log").c_str(), F_OK), 0);  // no journal was made for it

    // A writable hive keeps its own mode through a rewrite, too.
    ASSERT_EQ(::chmod(hive.Path().c_str(), 0640), 0);
    ASSERT_EQ(Store("Software\\Vomel", "New", {1}), ERROR_SUCCESS);
    ASSERT_EQ(RegFlushKey(HKEY_CURRENT_USER), ERROR_SUCCESS);
    ASSERT_EQ(::stat(hive.Path().c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    EXPECT_NE(drvtest::ReadTextFile(hive.Path()).find("\"New\"=hex:01"), std::string::npos);
}

TEST(HiveProcesses, AFullDiskLosesNothingWritten) {
    drvtest::ScopedHive hive;
    ASSERT_EQ(Store(kShared, "kept", {1, 2, 3}), ERROR_SUCCESS);
    off_t journal = static_cast<off_t>(drvtest::ReadTextFile(hive.Path() + ".log").size());
    pid_t writer = Spawn([&] {
        // Files of this process may not grow past a few hundred bytes more: the disk is full.
        ::signal(SIGXFSZ, SIG_IGN);
        rlimit limit{static_cast<rlim_t>(journal + 300), static_cast<rlim_t>(journal + 300)};
        if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) return 1;
        if (Store(kShared, "small", {4}) != ERROR_SUCCESS) return 2;
        return Store(kShared, "large", std::vector<BYTE>(4096, 5)) == ERROR_CANTWRITE ? 0 : 3;
    });
    ASSERT_EQ(ExitCode(writer), 0);
    registry::HiveError error;
    ASSERT_TRUE(registry::UseHiveFile(hive.Path(), &error)) << error.line << ": " << error.message;
    EXPECT_EQ(Stored(kShared, "kept"), (std::vector<BYTE>{1, 2, 3}));
    EXPECT_EQ(Stored(kShared, "small"), (std::vector<BYTE>{4}));
    EXPECT_TRUE(Stored(kShared, "large").empty());
}

TEST(HiveProcesses, AHiveBrokenWhileInUseIsNeverWrittenOver) {
    drvtest::ScopedHive hive("REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Vomel\\Writers]\n\"kept\"=hex:01\n\n");
    const std::string broken = "REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Vomel\\Writers]\n\"kept\"=hex:0";
    ASSERT_TRUE(drvtest::WriteTextFile(hive.Path(), broken));
    EXPECT_EQ(Store(kShared, "new", {2}), ERROR_REGISTRY_CORRUPT);
    EXPECT_EQ(RegFlushKey(HKEY_CURRENT_USER), ERROR_SUCCESS);  // nothing of this process's to write
    EXPECT_EQ(Stored(kShared, "kept"), (std::vector<BYTE>{1}));  // what was read before still reads
    EXPECT_EQ(drvtest::ReadTextFile(hive.Path()), broken);
    // Mended, the hive takes changes again.
    ASSERT_TRUE(drvtest::WriteTextFile(hive.Path(), broken + "2\n\n"));
    EXPECT_EQ(Store(kShared, "new", {2}), ERROR_SUCCESS);
    EXPECT_EQ(Stored(kShared, "kept"), (std::vector<BYTE>{2}));
}
