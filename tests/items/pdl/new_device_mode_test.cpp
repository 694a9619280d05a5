// A get after the caller hands in a device mode its session has not seen, through the exported
// VomelDeviceMode on both bundled printers: the session answers what a session opened over that
// device mode answers, whether it starts its registry again or takes only the copies in.
#include "core/library/exports_devicemode.h"
#include "drvtest/fixture_device.h"
#include "items/pdl/sdk.h"
#include "settings/sdk/option_description.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace {

constexpr DWORD kOrientationKey = 0x100000 + 1039;
constexpr DWORD kCopiesKey = 0x100000 + 1044;
constexpr DWORD kPageLayoutKey = 0x10064;
constexpr DWORD kTwoPagesASheet = 1, kFourPagesASheet = 2;

// What an application can see of a session after it hands in a device mode: the answer of a get,
// every option's record of the describe walk (value, range, choices with their marks, reasons)
// and the device mode as the caller holds it afterwards.
std::vector<uint8_t> Seen(HANDLE session, std::vector<uint8_t> devmode) {
    auto* dm = reinterpret_cast<LPDEVMODEA>(devmode.data());
    DWORD word = 0xABABABAB;
    const LONG answer = VomelDeviceMode(session, dm, 2, kOrientationKey, &word);
    std::vector<uint8_t> seen(sizeof answer + sizeof word);
    std::memcpy(seen.data(), &answer, sizeof answer);
    std::memcpy(seen.data() + sizeof answer, &word, sizeof word);
    std::vector<uint8_t> room(64 * 1024);
    for (uint64_t from = 0x10000; from <= 0xFFFFFFFF;) {
        const uint32_t size = static_cast<uint32_t>(room.size());
        std::memcpy(room.data(), &size, sizeof size);
        if (VomelDeviceMode(session, dm, kSdkKindDescribe, static_cast<DWORD>(from), room.data()) != 0) break;
        OptionDescriptionHead head{};
        std::memcpy(&head, room.data(), sizeof head);
        if (head.size < sizeof head || head.size > room.size()) {
            ADD_FAILURE() << "a record of " << head.size << " bytes at key " << std::hex << head.key;
            break;
        }
        seen.insert(seen.end(), room.begin(), room.begin() + head.size);
        from = uint64_t{head.key} + 1;
    }
    seen.insert(seen.end(), devmode.begin(), devmode.end());
    return seen;
}

// The paper by its number: a form name beside it would decide the paper instead.
void PickPaper(LPDEVMODEA dm, short paper) {
    dm->dmFields = (dm->dmFields & ~DWORD{DM_FORMNAME}) | DM_PAPERSIZE;
    dm->dmPaperSize = paper;
}

class NewDeviceMode : public ::testing::TestWithParam<const char*> {
protected:
    void SetUp() override {
        RegisterApplicationOptions();
        DWORD size = 0;
        HANDLE probe = VomelDeviceModeInit(GetParam(), nullptr, &size);
        ASSERT_NE(probe, nullptr);
        VomelDeviceModeTerm(probe);
        devmode.resize(size);
        session = VomelDeviceModeInit(GetParam(), Dm(), &size);
        ASSERT_NE(session, nullptr);
    }
    void TearDown() override {
        if (session) VomelDeviceModeTerm(session);
    }

    LPDEVMODEA Dm() { return reinterpret_cast<LPDEVMODEA>(devmode.data()); }

    // A session opened for the purpose sets the option in the caller's device mode, as an
    // application's own set would leave it: the private fields it writes are the rules' own.
    void SetElsewhere(DWORD key, DWORD value) {
        std::vector<uint8_t> own(devmode.size());
        DWORD size = static_cast<DWORD>(own.size());
        HANDLE other = VomelDeviceModeInit(GetParam(), reinterpret_cast<LPDEVMODEA>(own.data()), &size);
        ASSERT_NE(other, nullptr);
        EXPECT_EQ(VomelDeviceMode(other, Dm(), 3, key, &value), 0) << std::hex << key;
        VomelDeviceModeTerm(other);
    }

    // What a session opened over the device mode sees at its first get.
    std::vector<uint8_t> SeenByAFreshSession() {
        std::vector<uint8_t> own(devmode.size());
        DWORD size = static_cast<DWORD>(own.size());
        HANDLE fresh = VomelDeviceModeInit(GetParam(), reinterpret_cast<LPDEVMODEA>(own.data()), &size);
        EXPECT_NE(fresh, nullptr);
        if (!fresh) return {};
        std::vector<uint8_t> seen = Seen(fresh, devmode);
        VomelDeviceModeTerm(fresh);
        return seen;
    }

    drvtest::FixtureDevice fixture;
    std::vector<uint8_t> devmode;
    HANDLE session = nullptr;
};

// The device modes come one after another, each changing the one before: the copies alone
// (which no rule reads) between changes of what the rules read, and both at once.
TEST_P(NewDeviceMode, AGetAnswersWhatAFreshSessionAnswers) {
    struct Step {
        const char* change;
        std::function<void(LPDEVMODEA)> apply;
    };
    const Step steps[] = {
        {"copies 2", [](LPDEVMODEA dm) { dm->dmCopies = 2; }},
        {"two pages a sheet", [this](LPDEVMODEA) { SetElsewhere(kPageLayoutKey, kTwoPagesASheet); }},
        {"copies 97", [](LPDEVMODEA dm) { dm->dmCopies = 97; }},
        // Two pages a sheet run along the turned sheet: the page order's choices follow.
        {"landscape", [](LPDEVMODEA dm) { dm->dmOrientation = DMORIENT_LANDSCAPE; }},
        {"copies 3 and portrait",
         [](LPDEVMODEA dm) {
             dm->dmCopies = 3;
             dm->dmOrientation = DMORIENT_PORTRAIT;
         }},
        {"copies 5", [](LPDEVMODEA dm) { dm->dmCopies = 5; }},
        {"letter", [](LPDEVMODEA dm) { PickPaper(dm, DMPAPER_LETTER); }},
        {"copies 999", [](LPDEVMODEA dm) { dm->dmCopies = 999; }},
        {"two-sided", [](LPDEVMODEA dm) { dm->dmDuplex = DMDUP_VERTICAL; }},
        {"copies 4", [](LPDEVMODEA dm) { dm->dmCopies = 4; }},
        {"four pages a sheet", [this](LPDEVMODEA) { SetElsewhere(kPageLayoutKey, kFourPagesASheet); }},
        {"copies 1", [](LPDEVMODEA dm) { dm->dmCopies = 1; }},
        {"copies 40 and A4",
         [](LPDEVMODEA dm) {
             dm->dmCopies = 40;
             PickPaper(dm, DMPAPER_A4);
         }},
        {"copies 6", [](LPDEVMODEA dm) { dm->dmCopies = 6; }},
    };
    const std::vector<uint8_t> first = Seen(session, devmode);
    ASSERT_GT(first.size(), 40 * sizeof(OptionDescriptionHead));
    std::vector<uint8_t> before = first;
    for (const Step& step : steps) {
        step.apply(Dm());
        const std::vector<uint8_t> seen = Seen(session, devmode);
        EXPECT_EQ(seen, SeenByAFreshSession()) << GetParam() << ", after " << step.change;
        EXPECT_NE(seen, before) << GetParam() << ": " << step.change << " changed nothing an application sees";
        before = seen;
    }
}

// Two pages a sheet turned to landscape: the rules change the page order as the registry starts,
// and the device mode the caller handed in lacks the change. Reads of the session in between
// (each handing in that device mode again) do not lose it: a set then leaves the caller what a
// session whose first request is that set leaves.
TEST_P(NewDeviceMode, ASetAfterReadsKeepsWhatTheRulesChangedAtTheStart) {
    SetElsewhere(kPageLayoutKey, kTwoPagesASheet);
    Dm()->dmOrientation = DMORIENT_LANDSCAPE;
    const std::vector<uint8_t> handedIn = devmode;
    Seen(session, handedIn);
    DWORD copies = 7;
    const LONG answer = VomelDeviceMode(session, Dm(), 3, kCopiesKey, &copies);

    std::vector<uint8_t> own(devmode.size()), first = handedIn;
    DWORD size = static_cast<DWORD>(own.size());
    HANDLE fresh = VomelDeviceModeInit(GetParam(), reinterpret_cast<LPDEVMODEA>(own.data()), &size);
    ASSERT_NE(fresh, nullptr);
    EXPECT_EQ(answer, VomelDeviceMode(fresh, reinterpret_cast<LPDEVMODEA>(first.data()), 3, kCopiesKey, &copies));
    VomelDeviceModeTerm(fresh);
    EXPECT_EQ(devmode, first);
    EXPECT_NE(devmode, handedIn);
}

INSTANTIATE_TEST_SUITE_P(BundledPrinters, NewDeviceMode,
                         ::testing::Values(drvtest::kBundledPcl5ePrinter, drvtest::kBundledPcl5cPrinter));

}  // namespace
