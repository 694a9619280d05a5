// A get after the caller hands in a device mode its session has not seen, through the exported
// VomelDeviceMode on both bundled printers: the session answers what a session opened over that
// device mode answers, whether it starts its registry again or takes only the copies in; a
// registry started again from the engine of one the session ended holds, item by item and in the
// engine, what the registry of a session opened over the device mode holds; so does a registry
// started from the engine another session or sheet of the process left at its end. The default
// device mode a session hands out says the printer's colour in every colour field.
#include "core/device/service_table.h"
#include "core/device/user_data.h"
#include "core/devmode/devmode_options.h"
#include "core/library/exports_devicemode.h"
#include "core/memory/pool_text.h"
#include "sheet_lines.h"

#include "drvtest/fixture_device.h"
#include "drvtest/left_engine.h"
#include "items/pdl/pdl_user_data.h"
#include "items/pdl/sdk.h"
#include "pie/api/engine.h"
#include "pie/terms/atoms.h"
#include "pie/terms/functor.h"
#include "pie/terms/term.h"
#include "settings/controls/control.h"
#include "settings/registry/choice_item.h"
#include "settings/registry/conflict.h"
#include "settings/items/sv_parts.h"
#include "settings/sdk/option_description.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace {

using sheettest::EngineLines;
using sheettest::RegistryLines;

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

// What a session's registry and engine hold after a get over the device mode.
struct Held {
    std::vector<std::string> registry, engine;
    const PieEngine* engine_ = nullptr;
};

Held Look(HANDLE session, std::vector<uint8_t> devmode) {
    DWORD word = 0;
    EXPECT_EQ(VomelDeviceMode(session, reinterpret_cast<LPDEVMODEA>(devmode.data()), 2, kOrientationKey, &word), 0);
    auto* ctx = static_cast<UIDEVDATA*>(session);
    Held held;
    held.registry = RegistryLines(ctx);
    if (CmSvConflict* registry = RegistryOf(ctx); registry && registry->engine) {
        held.engine = EngineLines(registry->engine);
        held.engine_ = registry->engine;
    }
    return held;
}

// What a sheet's registry and engine hold.
Held SheetLines(UIDEVDATA* ctx) { return {RegistryLines(ctx), EngineLines(RegistryOf(ctx)->engine)}; }

// The first line where two listings part, for the message.
std::string FirstDifference(const std::vector<std::string>& a, const std::vector<std::string>& b) {
    for (size_t i = 0; i < std::min(a.size(), b.size()); ++i)
        if (a[i] != b[i]) return "\n  restarted: " + a[i].substr(0, 400) + "\n  fresh:     " + b[i].substr(0, 400);
    return "\n  lengths " + std::to_string(a.size()) + " and " + std::to_string(b.size());
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
    // A further session of the printer, opened over a device mode of its own.
    HANDLE Open() {
        own.assign(devmode.size(), 0);
        DWORD size = static_cast<DWORD>(own.size());
        return VomelDeviceModeInit(GetParam(), reinterpret_cast<LPDEVMODEA>(own.data()), &size);
    }

    // A session opened for the purpose sets the option in the caller's device mode, as an
    // application's own set would leave it: the private fields it writes are the rules' own.
    void SetElsewhere(DWORD key, DWORD value) {
        HANDLE other = Open();
        ASSERT_NE(other, nullptr);
        EXPECT_EQ(VomelDeviceMode(other, Dm(), 3, key, &value), 0) << std::hex << key;
        VomelDeviceModeTerm(other);
    }

    // What a session opened over the device mode sees at its first get.
    std::vector<uint8_t> SeenByAFreshSession() {
        HANDLE fresh = Open();
        EXPECT_NE(fresh, nullptr);
        if (!fresh) return {};
        std::vector<uint8_t> seen = Seen(fresh, devmode);
        VomelDeviceModeTerm(fresh);
        return seen;
    }

    drvtest::FixtureDevice fixture;
    std::vector<uint8_t> devmode, own;
    HANDLE session = nullptr;
};

// The default device mode the session hands out: the public colour field, the colour mode, the
// automatic-colour bit and the colour block's black-and-white byte all say the printer's colour,
// and the colour setting reads it back.
TEST_P(NewDeviceMode, EveryColourFieldOfTheDefaultSaysThePrintersColour) {
    const bool colour = std::string(GetParam()) == drvtest::kBundledPcl5cPrinter;
    uint16_t mode = 0xFFFF;
    uint32_t flags = 0xFFFFFFFF;
    uint8_t block[130] = {};
    ASSERT_TRUE(devmode::GetOption(devmode.data(), 222, &mode, sizeof mode));
    ASSERT_TRUE(devmode::GetOption(devmode.data(), 220, &flags, sizeof flags));
    ASSERT_TRUE(devmode::GetOption(devmode.data(), 250, block, sizeof block));
    EXPECT_EQ(Dm()->dmColor, colour ? DMCOLOR_COLOR : DMCOLOR_MONOCHROME);
    EXPECT_EQ(mode, colour ? 1 : 0);
    EXPECT_EQ(flags & (1u << 14), 0u);
    EXPECT_EQ(block[101], colour ? 0 : 1);
    DWORD shown = 0xABAB;
    EXPECT_EQ(VomelDeviceMode(session, Dm(), 2, 0x10074, &shown), 0);
    EXPECT_EQ(shown, colour ? 2u : 1u) << "the option interface's colour and black and white";
}

// The device modes come one after another, each changing the one before: the copies alone
// (which no rule reads) between changes of what the rules read, and both at once.
TEST_P(NewDeviceMode, AGetAnswersWhatAFreshSessionAnswers) {
    struct Step { const char* change; std::function<void(LPDEVMODEA)> apply; };
    const Step steps[] = {
        {"copies 2", [](LPDEVMODEA dm) { dm->dmCopies = 2; }},
        {"two pages a sheet", [this](LPDEVMODEA) { SetElsewhere(kPageLayoutKey, kTwoPagesASheet); }},
        {"copies 97", [](LPDEVMODEA dm) { dm->dmCopies = 97; }},
        // Two pages a sheet run along the turned sheet: the page order's choices follow.
        {"landscape", [](LPDEVMODEA dm) { dm->dmOrientation = DMORIENT_LANDSCAPE; }},
        {"copies 3 and portrait", [](LPDEVMODEA dm) { dm->dmCopies = 3, dm->dmOrientation = DMORIENT_PORTRAIT; }},
        {"copies 5", [](LPDEVMODEA dm) { dm->dmCopies = 5; }},
        {"letter", [](LPDEVMODEA dm) { PickPaper(dm, DMPAPER_LETTER); }},
        {"copies 999", [](LPDEVMODEA dm) { dm->dmCopies = 999; }},
        {"two-sided", [](LPDEVMODEA dm) { dm->dmDuplex = DMDUP_VERTICAL; }},
        {"copies 4", [](LPDEVMODEA dm) { dm->dmCopies = 4; }},
        {"four pages a sheet", [this](LPDEVMODEA) { SetElsewhere(kPageLayoutKey, kFourPagesASheet); }},
        {"copies 1", [](LPDEVMODEA dm) { dm->dmCopies = 1; }},
        {"copies 40 and A4", [](LPDEVMODEA dm) { dm->dmCopies = 40, PickPaper(dm, DMPAPER_A4); }},
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

    std::vector<uint8_t> first = handedIn;
    HANDLE fresh = Open();
    ASSERT_NE(fresh, nullptr);
    EXPECT_EQ(answer, VomelDeviceMode(fresh, reinterpret_cast<LPDEVMODEA>(first.data()), 3, kCopiesKey, &copies));
    VomelDeviceModeTerm(fresh);
    EXPECT_EQ(devmode, first);
    EXPECT_NE(devmode, handedIn);
}

// Device modes that differ in what the rules read, each handed in after the one before: the
// registry the session starts again (mostly from the engine of the registry it ends) holds every
// item, choice row, control flag, rule-change count and setting, and its engine every functor's
// and atom's state, as the registry of a session opened over the device mode.
TEST_P(NewDeviceMode, ARegistryStartedFromAnEndedOnesEngineHoldsWhatAFreshStartHolds) {
    struct Step { const char* change; std::function<void(LPDEVMODEA)> apply; };
    const Step steps[] = {
        {"landscape", [](LPDEVMODEA dm) { dm->dmOrientation = DMORIENT_LANDSCAPE; }},
        {"portrait", [](LPDEVMODEA dm) { dm->dmOrientation = DMORIENT_PORTRAIT; }},
        {"landscape and 3 copies", [](LPDEVMODEA dm) { dm->dmOrientation = DMORIENT_LANDSCAPE, dm->dmCopies = 3; }},
        {"letter", [](LPDEVMODEA dm) { PickPaper(dm, DMPAPER_LETTER); }},
        {"A5", [](LPDEVMODEA dm) { PickPaper(dm, DMPAPER_A5); }},
        {"two pages a sheet", [this](LPDEVMODEA) { SetElsewhere(kPageLayoutKey, kTwoPagesASheet); }},
        {"portrait again", [](LPDEVMODEA dm) { dm->dmOrientation = DMORIENT_PORTRAIT; }},
        {"two-sided", [](LPDEVMODEA dm) { dm->dmDuplex = DMDUP_VERTICAL; }},
        {"short edge", [](LPDEVMODEA dm) { dm->dmDuplex = DMDUP_HORIZONTAL; }},
        {"four pages a sheet", [this](LPDEVMODEA) { SetElsewhere(kPageLayoutKey, kFourPagesASheet); }},
        {"landscape, A4, one-sided",
         [](LPDEVMODEA dm) {
             dm->dmOrientation = DMORIENT_LANDSCAPE;
             PickPaper(dm, DMPAPER_A4);
             dm->dmDuplex = DMDUP_SIMPLEX;
         }},
        {"legal", [](LPDEVMODEA dm) { PickPaper(dm, DMPAPER_LEGAL); }},
        // Fields that reach other items: the source lists, the quality and the copies' order.
        {"manual feed", [](LPDEVMODEA dm) { dm->dmDefaultSource = DMBIN_MANUAL; }},
        {"draft and collated", [](LPDEVMODEA dm) { dm->dmPrintQuality = DMRES_DRAFT, dm->dmCollate = DMCOLLATE_TRUE; }},
        // Two pages a sheet turned by hand: the rules correct the page order as the registry starts.
        {"two pages a sheet, portrait", [this](LPDEVMODEA dm) {
             SetElsewhere(kPageLayoutKey, kTwoPagesASheet);
             dm->dmOrientation = DMORIENT_PORTRAIT;
         }},
        {"landscape, the page order corrected", [](LPDEVMODEA dm) { dm->dmOrientation = DMORIENT_LANDSCAPE; }},
    };
    std::set<const PieEngine*> engines{Look(session, devmode).engine_};
    int restarts = 0;
    for (const Step& step : steps) {
        step.apply(Dm());
        const Held restarted = Look(session, devmode);
        restarts += engines.insert(restarted.engine_).second ? 0 : 1;
        EndLeftEngine();  // the fresh session starts whole
        HANDLE fresh = Open();
        ASSERT_NE(fresh, nullptr);
        const Held started = Look(fresh, devmode);
        VomelDeviceModeTerm(fresh);
        EXPECT_TRUE(restarted.registry == started.registry)
            << GetParam() << ", " << step.change << FirstDifference(restarted.registry, started.registry);
        EXPECT_TRUE(restarted.engine == started.engine)
            << GetParam() << ", " << step.change << FirstDifference(restarted.engine, started.engine);
    }
    // Most steps start from an engine an earlier registry of the session loaded.
    EXPECT_GE(restarts, 5) << GetParam();
}

// Sessions and sheets over the printer one after another, each changed by its caller before it
// ends: the next start takes the engine the one before left, brought back to what its loads
// made, and holds, item by item and in the engine, what a whole start over the same settings
// holds. An engine left by another printer's registry, by one over other device options or
// without a dialog, or one whose program a query changed, is not taken, and the start is whole.
TEST_P(NewDeviceMode, AStartFromTheEngineAnEndedRegistryLeftHoldsWhatAWholeStartHolds) {
    const auto compare = [](const Held& taken, const Held& whole, const std::string& what) {
        EXPECT_TRUE(taken.registry == whole.registry) << what << FirstDifference(taken.registry, whole.registry);
        EXPECT_TRUE(taken.engine == whole.engine) << what << FirstDifference(taken.engine, whole.engine);
    };
    // Left by a session of the printer after its caller's sets; the next session takes it.
    const std::function<void(LPDEVMODEA)> steps[] = {
        [](LPDEVMODEA) {},
        [](LPDEVMODEA dm) { dm->dmOrientation = DMORIENT_LANDSCAPE; },
        [this](LPDEVMODEA) { SetElsewhere(kPageLayoutKey, kTwoPagesASheet); },
        [](LPDEVMODEA dm) { PickPaper(dm, DMPAPER_A5); },
        [](LPDEVMODEA dm) { dm->dmDuplex = DMDUP_VERTICAL; },
        [](LPDEVMODEA dm) { dm->dmDefaultSource = DMBIN_MANUAL; },
    };
    for (size_t i = 0; i < std::size(steps); ++i) {
        const std::string what = std::string(GetParam()) + ", step " + std::to_string(i);
        steps[i](Dm());
        EndLeftEngine();
        HANDLE whole = Open();
        ASSERT_NE(whole, nullptr);
        const Held started = Look(whole, devmode);
        std::vector<uint8_t> changed = devmode;
        DWORD copies = 7 + static_cast<DWORD>(i), layout = kFourPagesASheet;
        EXPECT_EQ(VomelDeviceMode(whole, reinterpret_cast<LPDEVMODEA>(changed.data()), 3, kCopiesKey, &copies), 0);
        EXPECT_EQ(VomelDeviceMode(whole, reinterpret_cast<LPDEVMODEA>(changed.data()), 3, kPageLayoutKey, &layout), 0);
        VomelDeviceModeTerm(whole);
        const size_t taken = LeftEnginesTaken();
        HANDLE next = Open();
        ASSERT_NE(next, nullptr);
        compare(Look(next, devmode), started, what);
        EXPECT_EQ(LeftEnginesTaken(), taken + 1) << what;
        VomelDeviceModeTerm(next);
    }

    // The sheet: one changed by its user leaves its engine to the next sheet over the printer.
    drvtest::FixtureDevice first(kKindUserInterface, GetParam()), second(kKindUserInterface, GetParam()),
        third(kKindUserInterface, GetParam());
    ASSERT_NE(PDLSvUserData::StartSheet(first.Device()), nullptr);
    DWORD landscape = DMORIENT_LANDSCAPE;
    RegistryOf(first.Device())->SdkSetValue(first.Device(), kOrientationKey, &landscape);
    PDLSvUserData::EndSheet(first.Device());
    size_t taken = LeftEnginesTaken();
    ASSERT_NE(PDLSvUserData::StartSheet(second.Device()), nullptr);
    EXPECT_EQ(LeftEnginesTaken(), taken + 1);
    const Held fromLeft = SheetLines(second.Device());
    PDLSvUserData::EndSheet(second.Device());
    EndLeftEngine();
    ASSERT_NE(PDLSvUserData::StartSheet(third.Device()), nullptr);
    compare(fromLeft, SheetLines(third.Device()), std::string(GetParam()) + ", sheet");

    // Refused: an engine whose program a query changed is not left at all.
    ASSERT_EQ(PIE_main(RegistryOf(third.Device())->engine, "Extra$Rule(1) :- true.\n"), 0);
    PDLSvUserData::EndSheet(third.Device());
    EXPECT_FALSE(CmSvConflict::AnyEngineLeft());
    // Refused: the other printer's engine, and one of a registry without a dialog.
    const char* otherPrinter = std::strcmp(GetParam(), drvtest::kBundledPcl5ePrinter) == 0
                                   ? drvtest::kBundledPcl5cPrinter
                                   : drvtest::kBundledPcl5ePrinter;
    drvtest::FixtureDevice elsewhere(kKindUserInterface, otherPrinter);
    UIDEVDATA* noDialog = second.Make(kKindDevmode, kSubtypeNoDialog);
    for (UIDEVDATA* leaving : {elsewhere.Device(), noDialog}) {
        ASSERT_NE(PDLSvUserData::StartSheet(leaving), nullptr);
        PDLSvUserData::EndSheet(leaving);
        ASSERT_TRUE(CmSvConflict::AnyEngineLeft());
        taken = LeftEnginesTaken();
        ASSERT_NE(PDLSvUserData::StartSheet(second.Device()), nullptr);
        EXPECT_EQ(LeftEnginesTaken(), taken);
        compare(SheetLines(second.Device()), fromLeft, std::string(GetParam()) + ", refused");
        PDLSvUserData::EndSheet(second.Device());
        EndLeftEngine();
    }
    // Refused: an engine loaded over other device options.
    PDLSvUserData::EndSheet(third.Device());
    ASSERT_NE(PDLSvUserData::StartSheet(first.Device()), nullptr);
    PDLSvUserData::EndSheet(first.Device());
    CmUserData* user = third->svc->GetUserData(third.Device());
    uint8_t* options = user->GetDeviceOptionSource();
    ASSERT_NE(options, nullptr);
    options[third->svc->GetDeviceOptionSize(third.Device()) - 1] ^= 1;
    taken = LeftEnginesTaken();
    ASSERT_NE(PDLSvUserData::StartSheet(third.Device()), nullptr);
    EXPECT_EQ(LeftEnginesTaken(), taken);
    PDLSvUserData::EndSheet(third.Device());
    EndLeftEngine();
}

// Sheets over both printers started and ended on four threads at once, so that each start may
// take an engine another thread's sheet left while others leave theirs: every start holds, item
// by item and in the engine, what a whole start over its printer holds, and some took one.
TEST(LeftEngine, SheetsOnManyThreadsAtOnceHoldWhatAWholeStartHolds) {
    drvtest::FixtureDevice mono(kKindUserInterface, drvtest::kBundledPcl5ePrinter),
        colour(kKindUserInterface, drvtest::kBundledPcl5cPrinter);
    UIDEVDATA* devices[] = {mono.Device(), colour.Device(), mono.Make(kKindUserInterface),
                            colour.Make(kKindUserInterface)};
    Held whole[2];
    for (int p = 0; p < 2; ++p) {
        EndLeftEngine();
        ASSERT_NE(PDLSvUserData::StartSheet(devices[p]), nullptr);
        whole[p] = SheetLines(devices[p]);
        PDLSvUserData::EndSheet(devices[p]);
    }
    const size_t taken = LeftEnginesTaken();
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([&, t] {
            for (int round = 0; round < 6 && PDLSvUserData::StartSheet(devices[t]); ++round) {
                const Held held = SheetLines(devices[t]);
                PDLSvUserData::EndSheet(devices[t]);
                EXPECT_TRUE(held.registry == whole[t % 2].registry && held.engine == whole[t % 2].engine)
                    << "thread " << t << ", round " << round;
            }
        });
    for (std::thread& thread : threads) thread.join();
    EXPECT_GT(LeftEnginesTaken(), taken);
    EndLeftEngine();
}

INSTANTIATE_TEST_SUITE_P(BundledPrinters, NewDeviceMode,
                         ::testing::Values(drvtest::kBundledPcl5ePrinter, drvtest::kBundledPcl5cPrinter));

}  // namespace
