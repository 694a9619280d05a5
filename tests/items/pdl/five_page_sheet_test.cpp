// The bundled printers' five-page sheet driven by the scripted user: the device options chosen on
// the pages reach the request and the printer on OK, and the settings that follow the page's
// orientation follow a turn made inside the sheet as they follow a sheet that opened turned; Apply
// is grey until a setting changes (by a control or a dialog of a page), commits without closing,
// and what it committed stays after Cancel; the spin arrows step their numbers within their range.
#include "bundled_sheet.h"
#include "sheet_lines.h"

#include "drvtest/scripted_user.h"
#include "items/common/booklet_items.h"
#include "items/common/finishing_items.h"
#include "items/common/job_items.h"
#include "items/common/option_word.h"
#include "items/common/page_layout_items.h"
#include "items/common/public_devmode.h"

#include <algorithm>
#include <initializer_list>
#include <string>
#include <vector>

namespace {

using namespace sheettest;

constexpr size_t kDuplex = 62;  // dmDuplex

template <typename T>
T DeviceValue(UIDEVDATA* ctx, const uint8_t* block, uint32_t id) {
    T value = 0;
    EXPECT_TRUE(ctx->svc->GetDeviceOptionValue(ctx, block, id, &value, sizeof value));
    return value;
}

// A click on the upper or the lower half of a spin control, as a person makes it.
bool ClickArrow(HWND dialog, int id, bool up) {
    HWND spin = GetDlgItem(dialog, id);
    if (!spin || !IsWindowVisible(spin) || !IsWindowEnabled(spin)) return false;
    RECT r{};
    GetClientRect(spin, &r);
    const LPARAM at = MAKELPARAM(r.right / 2, up ? 1 : r.bottom - 2);
    SendMessageA(spin, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(spin, WM_LBUTTONUP, 0, at);
    return true;
}

class FivePageSheet : public ::testing::TestWithParam<const char*> {};

// The lock on the page-setup page and the spooling on the device settings page: OK takes both to
// the request and the printer, Cancel drops them.
TEST_P(FivePageSheet, DeviceOptionsChosenOnThePagesReachTheRequestAndThePrinterOnOkOnly) {
    for (bool ok : {true, false}) {
        BundledSheet sheet(GetParam());
        ASSERT_TRUE(sheet.Start());
        UIDEVDATA* ctx = sheet.ctx;
        const uint32_t lockBefore = DeviceValue<uint32_t>(ctx, ctx->svc->GetDeviceOption(ctx), kDevOptLockWord);
        drvtest::ScriptedSheet person;
        person.OnSheet([&](drvtest::SheetDriver& driver) {
            EXPECT_TRUE(drvtest::Click(driver.Page(), IDC_LOCK));
            ASSERT_TRUE(driver.SelectPage(sheettest::kDeviceSettingsPage));
            EXPECT_TRUE(drvtest::ChooseEntryByText(driver.Page(), IDC_SPOOL, "Off"));
            EXPECT_TRUE(ok ? driver.PressOk() : driver.PressCancel());
        });
        sheet.Run();
        EXPECT_EQ(person.sheetsSeen(), 1);

        const uint32_t lockBit = 1u << kLockBit;
        const uint8_t* request = ctx->svc->GetDeviceOption(ctx);
        EXPECT_EQ(DeviceValue<uint16_t>(ctx, request, kDevOptSpooling), ok ? 2 : 0) << ok;
        const uint32_t lockAfter = DeviceValue<uint32_t>(ctx, request, kDevOptLockWord);
        EXPECT_EQ(lockAfter & lockBit, (ok ? ~lockBefore : lockBefore) & lockBit) << ok;
        // A request made afterwards reads the printer's stored block.
        UIDEVDATA* later = sheet.LaterRequest(kKindUserInterface);
        ASSERT_NE(later, nullptr);
        EXPECT_EQ(DeviceValue<uint16_t>(later, later->svc->GetDeviceOption(later), kDevOptSpooling), ok ? 2 : 0) << ok;
    }
}

// What the user sees and stores after choosing the upper right staple point, with the page turned
// to landscape on the page-setup page or with a sheet that opened landscape.
struct TurnedSheet {
    std::vector<std::string> bindingRows, bookletRows;
    std::vector<uint16_t> layoutPictures;
    int16_t staplePoint = 0;
};

// The pictures the layout list draws for its entries.
std::vector<uint16_t> LayoutPictures(HWND page) {
    HWND list = GetDlgItem(page, IDC_LAYOUT);
    std::vector<uint16_t> pictures;
    for (LRESULT entry = 0; entry < SendMessageA(list, CB_GETCOUNT, 0, 0); ++entry) {
        const auto* row = reinterpret_cast<const CmSvOptionRecord*>(SendMessageA(list, CB_GETITEMDATA, entry, 0));
        pictures.push_back(row && row->images ? static_cast<const uint16_t*>(row->images)[0] : 0);
    }
    return pictures;
}

// A two-sided booklet (so that its dialog opens), bound at the first edge, stapled at point 9.
bool PrepareBooklet(BundledSheet& sheet, uint16_t orientation) {
    if (!sheet.ctx) return false;
    uint8_t* settings = sheet.user->GetSettingsSource();
    publicdm::PutU16(settings, publicdm::kOrientation, orientation);
    publicdm::PutU16(settings, kDuplex, DMDUP_VERTICAL);
    WriteOptionShort(sheet.ctx, settings, kOptLayoutMode, 4);
    WriteOptionShort(sheet.ctx, settings, kOptPagesPerSheet, 0);
    WriteOptionShort(sheet.ctx, settings, kOptBindingLocation, 0);
    WriteOptionShort(sheet.ctx, settings, kOptStaplePoint, 9);
    return true;
}

TurnedSheet RunTurned(const char* printer, bool turnInside) {
    BundledSheet sheet(printer);
    UIDEVDATA* ctx = sheet.ctx;
    TurnedSheet seen;
    if (!PrepareBooklet(sheet, turnInside ? DMORIENT_PORTRAIT : DMORIENT_LANDSCAPE) || !sheet.Start()) {
        ADD_FAILURE() << "the sheet did not start";
        return seen;
    }
    drvtest::ScriptedUser person;
    person.OnDialog([&](HWND dialog) {
        EXPECT_TRUE(drvtest::Click(dialog, IDC_STAPLE_UPPER_RIGHT));
        EXPECT_TRUE(drvtest::PressOk(dialog));
    });
    person.OnDialog([&](HWND dialog) {
        seen.bookletRows = drvtest::ReadEntries(dialog, IDC_BOOKLET_BINDING);
        EXPECT_TRUE(drvtest::PressCancel(dialog));
    });
    drvtest::ScriptedSheet user;
    user.OnSheet([&](drvtest::SheetDriver& driver) {
        if (turnInside) {
            EXPECT_TRUE(drvtest::Click(driver.Page(), IDC_LANDSCAPE));
        }
        seen.layoutPictures = LayoutPictures(driver.Page());
        ASSERT_TRUE(driver.SelectPage(sheettest::kFinishingPage));
        HWND p = driver.Page();
        seen.bindingRows = drvtest::ReadEntries(p, IDC_BINDING);
        EXPECT_TRUE(drvtest::SetCheck(p, IDC_STAPLE, BST_CHECKED));
        EXPECT_TRUE(drvtest::Click(p, IDC_STAPLE_POSITION));
        EXPECT_TRUE(drvtest::Click(p, IDC_BOOKLET_OPTIONS));
        EXPECT_TRUE(driver.PressOk());
    });
    sheet.Run();
    EXPECT_EQ(person.dialogsSeen(), 2);
    seen.staplePoint = static_cast<int16_t>(ReadOptionShort(ctx, sheet.Request(), kOptStaplePoint));
    return seen;
}

TEST_P(FivePageSheet, ATurnInsideTheSheetIsFollowedAsASheetOpenedTurned) {
    const TurnedSheet opened = RunTurned(GetParam(), false);
    const TurnedSheet turned = RunTurned(GetParam(), true);
    EXPECT_EQ(opened.staplePoint, 9) << "upper right of a landscape page";
    EXPECT_EQ(turned.staplePoint, opened.staplePoint);
    EXPECT_EQ(turned.bindingRows, opened.bindingRows);
    EXPECT_EQ(turned.bookletRows, opened.bookletRows);
    EXPECT_EQ(turned.layoutPictures, opened.layoutPictures);
    EXPECT_FALSE(opened.bindingRows.empty());
    EXPECT_FALSE(opened.layoutPictures.empty());
}

// The binding edges read on the finishing page, shown once before the page is turned on the
// page-setup page and again after each turn: a list already filled takes the other orientation's
// rows (same records, other texts), and turning back gives the first rows again.
TEST_P(FivePageSheet, AListShownBeforeATurnShowsTheTurnedRows) {
    const TurnedSheet opened = RunTurned(GetParam(), false);
    BundledSheet sheet(GetParam());
    ASSERT_TRUE(PrepareBooklet(sheet, DMORIENT_PORTRAIT));
    std::vector<std::string> portrait, landscape, back;
    std::vector<uint16_t> turnedPictures;
    sheet.Look([&](drvtest::SheetDriver& driver) {
        auto bindingRows = [&](int orientationButton, std::vector<std::string>& rows) {
            ASSERT_TRUE(driver.SelectPage(sheettest::kPageSetupPage));
            EXPECT_TRUE(drvtest::Click(driver.Page(), orientationButton));
            if (orientationButton == IDC_LANDSCAPE) turnedPictures = LayoutPictures(driver.Page());
            ASSERT_TRUE(driver.SelectPage(sheettest::kFinishingPage));
            rows = drvtest::ReadEntries(driver.Page(), IDC_BINDING);
        };
        ASSERT_TRUE(driver.SelectPage(sheettest::kFinishingPage));
        portrait = drvtest::ReadEntries(driver.Page(), IDC_BINDING);
        bindingRows(IDC_LANDSCAPE, landscape);
        bindingRows(IDC_PORTRAIT, back);
    });
    EXPECT_FALSE(portrait.empty());
    EXPECT_NE(landscape, portrait);
    EXPECT_EQ(landscape, opened.bindingRows);
    EXPECT_EQ(back, portrait);
    EXPECT_EQ(turnedPictures, opened.layoutPictures);
}

// The layout list after each orientation click, painted as the click left it to be painted, and
// again painted whole: the same picture, and the turned pictures show (two pages per sheet, whose
// picture turns with the page). So too the staple box and the staple-position button after each
// staple click on the finishing page, where the button turns on and off with the box.
TEST_P(FivePageSheet, AnOrientationClickPaintsTheLayoutListAsAWholeRepaintDoes) {
    BundledSheet sheet(GetParam());
    ASSERT_NE(sheet.ctx, nullptr);
    uint8_t* settings = sheet.user->GetSettingsSource();
    publicdm::PutU16(settings, publicdm::kOrientation, DMORIENT_PORTRAIT);
    WriteOptionShort(sheet.ctx, settings, kOptLayoutMode, kModePagesPerSheet);
    WriteOptionShort(sheet.ctx, settings, kOptPagesPerSheet, 0);
    ASSERT_TRUE(sheet.Start());
    auto pixels = [](HWND list) {
        RECT r{};
        GetClientRect(list, &r);
        std::vector<COLORREF> seen;
        HDC dc = GetDC(list);
        for (int y = 0; y < r.bottom; ++y)
            for (int x = 0; x < r.right; ++x) seen.push_back(GetPixel(dc, x, y));
        ReleaseDC(list, dc);
        return seen;
    };
    std::vector<std::vector<COLORREF>> shown, staple;
    // Clicks the button and keeps the controls' pixels, which a whole repaint must leave as they are.
    auto clickAndLook = [&](HWND page, int button, std::initializer_list<int> controls,
                            std::vector<std::vector<COLORREF>>& into) {
        EXPECT_TRUE(drvtest::Click(page, button));
        UpdateWindow(page);
        for (int control : controls) {
            HWND window = GetDlgItem(page, control);
            ASSERT_NE(window, nullptr);
            into.push_back(pixels(window));
            InvalidateRect(window, nullptr, TRUE);
            UpdateWindow(window);
            EXPECT_EQ(into.back(), pixels(window)) << button << " " << control;
        }
    };
    drvtest::ScriptedSheet user;
    user.OnSheet([&](drvtest::SheetDriver& driver) {
        for (int button : {IDC_LANDSCAPE, IDC_PORTRAIT, IDC_LANDSCAPE})
            clickAndLook(driver.Page(), button, {IDC_LAYOUT}, shown);
        ASSERT_TRUE(driver.SelectPage(sheettest::kFinishingPage));
        for (int i = 0; i < 3; ++i) clickAndLook(driver.Page(), IDC_STAPLE, {IDC_STAPLE, IDC_STAPLE_POSITION}, staple);
        EXPECT_TRUE(driver.PressCancel());
    });
    sheet.Run();
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_NE(shown[0], shown[1]);
    EXPECT_EQ(shown[0], shown[2]);
    ASSERT_EQ(staple.size(), 6u);
    EXPECT_NE(staple[0], staple[2]);
    EXPECT_NE(staple[1], staple[3]);
    EXPECT_EQ(staple[1], staple[5]);
}

// Every page size picked in turn in the page-setup list, on a sheet whose rule engine takes its
// direct steps and on one whose engine takes the routes they stand for: after each pick both
// sheets' registries and engines hold the same.
TEST_P(FivePageSheet, PicksByTheEnginesDirectStepsLeaveWhatTheirRoutesLeave) {
    constexpr uint32_t kRoutes = PLE_RECORD_EVALUATIONS;
    std::vector<std::vector<std::string>> seen[2];
    for (int routes = 0; routes < 2; ++routes) {
        EndLeftEngine();
        BundledSheet sheet(GetParam());
        sheet.Look([&](drvtest::SheetDriver& driver) {
            PieEngine* engine = RegistryOf(sheet.ctx)->engine;
            std::vector<std::string> papers = drvtest::ReadEntries(driver.Page(), IDC_PAGE_SIZE);
            papers.push_back(papers.front());
            for (const std::string& paper : papers) {
                engine->flags |= routes ? kRoutes : 0;
                EXPECT_TRUE(drvtest::ChooseEntryByText(driver.Page(), IDC_PAGE_SIZE, paper.c_str())) << paper;
                engine->flags &= ~kRoutes;
                seen[routes].push_back(sheettest::RegistryLines(sheet.ctx));
                const std::vector<std::string> lines = sheettest::EngineLines(engine);
                seen[routes].back().insert(seen[routes].back().end(), lines.begin(), lines.end());
            }
        });
    }
    ASSERT_EQ(seen[0].size(), seen[1].size());
    for (size_t i = 0; i < seen[0].size(); ++i) {
        const auto [direct, route] = std::mismatch(seen[0][i].begin(), seen[0][i].end(), seen[1][i].begin(),
                                                   seen[1][i].end());
        EXPECT_TRUE(direct == seen[0][i].end() && route == seen[1][i].end())
            << "pick " << i << ": " << (direct == seen[0][i].end() ? "<end>" : *direct) << " against "
            << (route == seen[1][i].end() ? "<end>" : *route);
    }
}

// Apply is grey until the user changes a setting on any page, hands the sheet's settings to the
// request as OK does while the sheet stays open, and what it handed over stays after Cancel.
TEST_P(FivePageSheet, ApplyEnablesOnTheFirstChangeAndCommitsWithoutClosing) {
    BundledSheet sheet(GetParam());
    ASSERT_TRUE(sheet.Start());
    drvtest::ScriptedSheet person;
    person.OnSheet([&](drvtest::SheetDriver& driver) {
        EXPECT_FALSE(driver.IsApplyEnabled());
        ASSERT_TRUE(driver.SelectPage(kFinishingPage));
        ASSERT_TRUE(driver.SelectPage(kPageSetupPage));
        EXPECT_FALSE(driver.IsApplyEnabled()) << "turning pages changes nothing";
        EXPECT_TRUE(drvtest::Type(driver.Page(), IDC_COPIES, "3"));
        EXPECT_TRUE(driver.IsApplyEnabled());
        EXPECT_EQ(publicdm::U16(sheet.Request(), publicdm::kCopies), 1);
        EXPECT_TRUE(driver.PressApply());
        EXPECT_TRUE(driver.IsOpen());
        EXPECT_FALSE(driver.IsApplyEnabled());
        EXPECT_EQ(publicdm::U16(sheet.Request(), publicdm::kCopies), 3);
        ASSERT_TRUE(driver.SelectPage(kFinishingPage));
        EXPECT_TRUE(drvtest::SetCheck(driver.Page(), IDC_ROTATE, BST_CHECKED));
        EXPECT_TRUE(driver.IsApplyEnabled());
        EXPECT_TRUE(driver.PressCancel());
    });
    EXPECT_GT(sheet.Run(), 0) << "a sheet applied once reports its changes as saved";
    EXPECT_EQ(person.sheetsSeen(), 1);
    // Cancel keeps what Apply handed over and drops what came after.
    EXPECT_EQ(publicdm::U16(sheet.Request(), publicdm::kCopies), 3);
    EXPECT_EQ(ReadOptionWord(sheet.ctx, sheet.Request(), kOptFinishing) & 0x80u, 0u);
}

// A dialog opened from a page that ends with OK and changed a setting is a change of the page.
TEST_P(FivePageSheet, ADialogOfAPageThatChangedASettingEnablesApply) {
    BundledSheet sheet(GetParam());
    ASSERT_TRUE(sheet.Start());
    drvtest::ScriptedUser person;
    person.OnDialog([&](HWND dialog) { EXPECT_TRUE(drvtest::PressOk(dialog)); });  // nothing changed
    person.OnDialog([&](HWND dialog) {
        EXPECT_TRUE(drvtest::Type(dialog, IDC_GUTTER, "7"));
        EXPECT_TRUE(drvtest::PressOk(dialog));
    });
    drvtest::ScriptedSheet sheetPerson;
    sheetPerson.OnSheet([&](drvtest::SheetDriver& driver) {
        ASSERT_TRUE(driver.SelectPage(kFinishingPage));
        EXPECT_TRUE(drvtest::Click(driver.Page(), IDC_MARGIN));
        EXPECT_FALSE(driver.IsApplyEnabled());
        EXPECT_TRUE(drvtest::Click(driver.Page(), IDC_MARGIN));
        EXPECT_TRUE(driver.IsApplyEnabled());
        EXPECT_TRUE(driver.PressOk());
    });
    EXPECT_EQ(sheet.Run(), 1);
    EXPECT_EQ(person.dialogsSeen(), 2);
}

// A click on an arrow of the copies, the scaling ratio or the booklet's sheets per set steps the
// number by one within its range, shows it, and the sheet's settings take it as a typed number.
TEST_P(FivePageSheet, ArrowsStepCopiesAndScalingWithinTheirRange) {
    BundledSheet sheet(GetParam());
    ASSERT_TRUE(sheet.Start());
    drvtest::ScriptedSheet person;
    person.OnSheet([&](drvtest::SheetDriver& driver) {
        HWND p = driver.Page();
        ASSERT_TRUE(ClickArrow(p, IDC_COPIES_SPIN, true));
        EXPECT_EQ(drvtest::ReadText(p, IDC_COPIES), "2");
        EXPECT_EQ(publicdm::U16(sheet.user->GetSettingsSource(), publicdm::kCopies), 2)
            << "the step reaches the sheet's settings at once";
        ASSERT_TRUE(ClickArrow(p, IDC_COPIES_SPIN, false));
        ASSERT_TRUE(ClickArrow(p, IDC_COPIES_SPIN, false));
        EXPECT_EQ(drvtest::ReadText(p, IDC_COPIES), "1") << "not below the least number";
        EXPECT_TRUE(drvtest::Type(p, IDC_COPIES, "998"));
        ASSERT_TRUE(ClickArrow(p, IDC_COPIES_SPIN, true));
        ASSERT_TRUE(ClickArrow(p, IDC_COPIES_SPIN, true));
        EXPECT_EQ(drvtest::ReadText(p, IDC_COPIES), "999") << "nor above the greatest";

        EXPECT_TRUE(drvtest::SetCheck(p, IDC_SCALING, BST_CHECKED));
        EXPECT_TRUE(drvtest::Type(p, IDC_SCALING_RATIO, "80"));
        EXPECT_EQ(ReadOptionShort(sheet.ctx, sheet.user->GetSettingsSource(), kOptScalingRatio), 80);
        EXPECT_TRUE(drvtest::Type(p, IDC_SCALING_RATIO, "99"));
        for (auto [up, shown] : {std::pair{true, "100"}, {true, "100"}, {false, "99"}}) {
            ASSERT_TRUE(ClickArrow(p, IDC_SCALING_SPIN, up));
            EXPECT_EQ(drvtest::ReadText(p, IDC_SCALING_RATIO), shown);
        }
        EXPECT_TRUE(driver.IsApplyEnabled());
        EXPECT_TRUE(driver.PressOk());
    });
    EXPECT_EQ(sheet.Run(), 1);
    EXPECT_EQ(publicdm::U16(sheet.Request(), publicdm::kCopies), 999);
    EXPECT_EQ(ReadOptionShort(sheet.ctx, sheet.Request(), kOptScalingRatio), 99);
    EXPECT_EQ(ReadOptionShort(sheet.ctx, sheet.Request(), kOptLayoutMode), kModeScaling);
}

// The booklet dialog's sheets per set step within the range the dialog puts on its spin.
TEST_P(FivePageSheet, TheSheetsPerSetStepWithinTheirRange) {
    BundledSheet sheet(GetParam());
    ASSERT_TRUE(sheet.Start());
    drvtest::ScriptedUser person;
    person.OnDialog([&](HWND dialog) {
        EXPECT_TRUE(drvtest::Click(dialog, IDC_DIVIDE_INTO_SETS));
        EXPECT_TRUE(drvtest::Type(dialog, IDC_SHEETS_PER_SET, "14"));
        for (auto [up, shown] : {std::pair{true, "15"}, {true, "15"}, {false, "14"}}) {
            ASSERT_TRUE(ClickArrow(dialog, IDC_SHEETS_SPIN, up));
            EXPECT_EQ(drvtest::ReadText(dialog, IDC_SHEETS_PER_SET), shown);
        }
        EXPECT_TRUE(drvtest::PressOk(dialog));
    });
    drvtest::ScriptedSheet sheetPerson;
    sheetPerson.OnSheet([&](drvtest::SheetDriver& driver) {
        ASSERT_TRUE(driver.SelectPage(kQualityPage));
        EXPECT_TRUE(drvtest::SetCheck(driver.Page(), IDC_CATALOG, BST_CHECKED));
        ASSERT_TRUE(driver.SelectPage(kFinishingPage));
        EXPECT_TRUE(drvtest::Click(driver.Page(), IDC_BOOKLET_OPTIONS));
        EXPECT_TRUE(driver.PressOk());
    });
    EXPECT_EQ(sheet.Run(), 1);
    EXPECT_EQ(person.dialogsSeen(), 1);
    EXPECT_EQ(ReadOptionShort(sheet.ctx, sheet.Request(), kOptSheetsPerSet), 14);
}

INSTANTIATE_TEST_SUITE_P(Bundled, FivePageSheet,
                         ::testing::Values(drvtest::kBundledPcl5ePrinter, drvtest::kBundledPcl5cPrinter));

}  // namespace
