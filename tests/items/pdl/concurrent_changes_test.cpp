// One printer changed by several processes at once, as applications do it: each opens a session,
// sets one option through the exported interface and closes it again. Every change that answered
// 0 reaches the printer's stored settings as a change of what it names, whatever the others
// stored meanwhile: four processes set the level of their own paper source while four set the
// spool setting, and each source ends with its writer's last value. A change that was refused (a
// full disk) is never stored later with another.
#include "core/library/exports_devicemode.h"
#include "core/helpers/byte_view.h"
#include "drvtest/export_session.h"
#include "drvtest/spooler.h"
#include "items/pdl/sdk.h"

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <vector>

namespace {

constexpr DWORD kSourceSettings = 0x1000F, kSpoolSetting = 0x100DC;
constexpr size_t kEntry = 12;  // source id, paper, level, media, page-list flag
constexpr int kRounds = 6;

// One session on the printer for the length of one change, as an application opens it.
class Session {
public:
    Session() {
        DWORD size = 0;
        if (HANDLE probe = VomelDeviceModeInit(drvtest::kBundledPcl5ePrinter, nullptr, &size)) VomelDeviceModeTerm(probe);
        devmode_.resize(size);
        handle_ = VomelDeviceModeInit(drvtest::kBundledPcl5ePrinter, Dm(), &size);
    }
    ~Session() {
        if (handle_) VomelDeviceModeTerm(handle_);
    }
    LONG Ask(DWORD kind, DWORD code, void* data) { return VomelDeviceMode(handle_, Dm(), kind, code, data); }
    std::vector<uint8_t> Sources() {
        DWORD count = 0;
        if (Ask(1, kSourceSettings, &count) != 0) return {};
        std::vector<uint8_t> entries(kEntry * count);
        if (Ask(4, kSourceSettings, entries.data()) != 0) return {};
        return entries;
    }

private:
    LPDEVMODEA Dm() { return reinterpret_cast<LPDEVMODEA>(devmode_.data()); }
    std::vector<uint8_t> devmode_;
    HANDLE handle_ = nullptr;
};

int16_t Level(const std::vector<uint8_t>& entries, size_t source) {
    int16_t level = 0;
    ByteView(entries.data(), entries.size()).s16(source * kEntry + 4, level);
    return level;
}

// Sets the level of one source, the others as this session read them; the exit code says what
// failed.
int SetLevels(size_t source, int writer) {
    for (int round = 0; round < kRounds; ++round) {
        Session session;
        std::vector<uint8_t> entries = session.Sources();
        if (entries.size() <= source * kEntry) return 1;
        MutableByteView(entries.data(), entries.size()).put_s16(source * kEntry + 4, static_cast<int16_t>(10 * writer + round + 1));
        if (session.Ask(3, kSourceSettings, entries.data()) != 0) return 2;
    }
    return 0;
}

// Every source holds a paper and a media the printer knows, so that a set may name them.
LONG GiveEverySourceAPaper() {
    Session session;
    std::vector<uint8_t> entries = session.Sources();
    MutableByteView view(entries.data(), entries.size());
    for (size_t at = 0; at < entries.size(); at += kEntry) {
        view.put_u16(at + 2, 9);  // A4
        view.put_u16(at + 6, 2);
    }
    return session.Ask(3, kSourceSettings, entries.data());
}

int SetSpooling(int writer) {
    for (int round = 0; round < kRounds; ++round) {
        Session session;
        DWORD value = static_cast<DWORD>((writer + round) % 3);
        if (session.Ask(3, kSpoolSetting, &value) != 0) return 3;
    }
    return 0;
}

}  // namespace

TEST(ConcurrentChanges, EveryProcessesLastChangeReachesThePrinter) {
    drvtest::ExportSession open(RegisterApplicationOptions);
    ASSERT_NE(open.handle, nullptr);
    const size_t sources = Session().Sources().size() / kEntry;
    ASSERT_EQ(GiveEverySourceAPaper(), 0);
    ASSERT_GE(sources, 4u);
    std::vector<pid_t> writers;
    for (int w = 0; w < 8; ++w) {
        pid_t pid = ::fork();
        if (pid == 0) ::_exit(w < 4 ? SetLevels(static_cast<size_t>(w), w + 1) : SetSpooling(w));
        writers.push_back(pid);
    }
    for (pid_t pid : writers) {
        int status = 0;
        ::waitpid(pid, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "status " << status;
    }
    const std::vector<uint8_t> entries = Session().Sources();
    for (size_t s = 0; s < 4; ++s)
        EXPECT_EQ(Level(entries, s), 10 * static_cast<int>(s + 1) + kRounds) << "source " << s;
}

TEST(ConcurrentChanges, ARefusedChangeIsNeverStoredLater) {
    drvtest::ExportSession open(RegisterApplicationOptions);
    ASSERT_NE(open.handle, nullptr);
    ASSERT_EQ(GiveEverySourceAPaper(), 0);
    DWORD before = 0;
    ASSERT_EQ(Session().Ask(2, kSpoolSetting, &before), 0);
    const DWORD refused = (before + 1) % 3;
    const std::string journal = open.fixture.Printer().Hive().Path() + ".log";
    const off_t size = static_cast<off_t>(drvtest::ReadTextFile(journal).size());
    const pid_t child = ::fork();
    if (child == 0) {
        // The disk is full: files of this process may not grow.
        ::signal(SIGXFSZ, SIG_IGN);
        rlimit limit{static_cast<rlim_t>(size + 64), RLIM_INFINITY};
        if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) ::_exit(1);
        DWORD value = refused;
        if (Session().Ask(3, kSpoolSetting, &value) != 3) ::_exit(2);
        Session session;
        std::vector<uint8_t> entries = session.Sources();
        MutableByteView(entries.data(), entries.size()).put_s16(kEntry + 4, 77);
        if (session.Ask(3, kSourceSettings, entries.data()) != 1) ::_exit(3);
        limit.rlim_cur = RLIM_INFINITY;
        if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) ::_exit(4);
        // The next change, which the disk takes, in the same session and in new ones.
        value = before;
        if (session.Ask(3, kSpoolSetting, &value) != 0) ::_exit(5);
        ::_exit(SetLevels(0, 5));
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "status " << status;
    DWORD after = 0;
    ASSERT_EQ(Session().Ask(2, kSpoolSetting, &after), 0);
    EXPECT_EQ(after, before);
    const std::vector<uint8_t> entries = Session().Sources();
    EXPECT_EQ(Level(entries, 0), 50 + kRounds);
    EXPECT_NE(Level(entries, 1), 77);
}
