// The application's sheet request (0x1002B) through the exported VomelDeviceMode: the real
// five-page sheet opens over the caller's settings, the scripted user changes settings on several
// pages and in the layout options, and only OK brings them into the caller's device mode; the
// dialogs the page buttons open work on copies until they end with OK.
#include "driver_option_fixture.h"

#include "core/device/pdl_module.h"
#include "core/device/ui_dispatch_route.h"
#include "core/device/user_data.h"
#include "data/resources/drvopui_ids.h"
#include "drvtest/scripted_sheet.h"
#include "drvtest/scripted_user.h"
#include "items/common/finishing_items.h"
#include "items/common/layout_option_items.h"
#include "items/common/option_word.h"
#include "items/common/public_devmode.h"
#include "ui/main_pages.h"
#include "ui/ui_dispatcher.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

constexpr DWORD kOpenSheet = 0x1002B;
enum { kPageSetupPage, kFinishingPage, kPaperSourcePage, kQualityPage, kDeviceSettingsPage };

void RegisterSheetServices() {
    RegisterApplicationOptions();
    RegisterMainPageDialogs();
    RegisterDispatcher();
}

class ApplicationSheet : public DriverOptions {
public:
    ApplicationSheet() { InitCommonControls(); }
    ~ApplicationSheet() override {
        RegisterUiDispatcher(nullptr);
        UnregisterMainPageDialogs();
    }
    // The request's answer and its result word (1: the user committed the sheet).
    std::pair<LONG, uint32_t> OpenSheet() {
        uint32_t words[4] = {7, 99, 0, 0};
        const LONG answer = Ask(8, kOpenSheet, words);
        return {answer, words[1]};
    }
    int16_t Option16Of(const std::vector<uint8_t>& dm, DWORD number) {
        int16_t v = 0;
        Ctx()->svc->GetOption(Ctx(), dm.data(), number, &v, sizeof v);
        return v;
    }
    int16_t Option16(DWORD number) { return Option16Of(devmode, number); }
    int16_t Option16At(const uint8_t* settings, DWORD number) {
        int16_t v = -1;
        if (settings) Ctx()->svc->GetOption(Ctx(), settings, number, &v, sizeof v);
        return v;
    }
    // The object of a page or dialog, kept in its window's user data.
    static CmProc* ProcOf(HWND dialog) { return reinterpret_cast<CmProc*>(GetWindowLongPtrA(dialog, GWLP_USERDATA)); }

    drvtest::ScriptedSheet sheet;
    drvtest::ScriptedUser person;

private:
    const int registered_ = (RegisterSheetServices(), 0);
};

TEST_F(ApplicationSheet, OkBringsTheSettingsOfEveryPageAndOfAnOkDialogIntoTheCallersDeviceMode) {
    const std::vector<uint8_t> before = devmode;
    std::vector<std::string> titles;
    const uint8_t* sheetSettings = nullptr;
    person.OnDialog([&](HWND dialog) {
        EXPECT_TRUE(drvtest::ChooseEntryByText(dialog, IDC_EDGING, "Dotted line"));
        // The dialog works on its own copy: the sheet's settings are as they were until OK.
        EXPECT_NE(Option16At(sheetSettings, kOptEdging), 4);
        EXPECT_EQ(Option16At(ProcOf(dialog)->Devmode(), kOptEdging), 4);
        EXPECT_TRUE(drvtest::PressOk(dialog));
    });
    person.OnDialog([&](HWND dialog) {
        EXPECT_EQ(drvtest::ReadSelectedEntry(dialog, IDC_EDGING), "Dotted line") << "the first dialog's OK stayed";
        EXPECT_TRUE(drvtest::ChooseEntryByText(dialog, IDC_DATE_POSITION, "Lower right"));
        EXPECT_TRUE(drvtest::PressCancel(dialog));
    });
    sheet.OnSheet([&](drvtest::SheetDriver& driver) {
        for (int i = 0; i < driver.PageCount(); ++i) titles.push_back(driver.PageTitle(i));
        HWND page = driver.Page();
        sheetSettings = ProcOf(page)->Devmode();
        // The dropped page-size list tells the highlighted paper's size in a tip.
        const CmTooltip* tips = dynamic_cast<PageSetupProc*>(ProcOf(page))->Tooltip();
        ASSERT_NE(tips, nullptr);
        EXPECT_TRUE(driver.PressKey(IDC_PAGE_SIZE, VK_F4));
        EXPECT_TRUE(IsWindowVisible(tips->Window()));
        char text[512] = "";
        GetWindowTextA(tips->Window(), text, sizeof text);
        EXPECT_NE(std::string(text).find("mm"), std::string::npos) << text;
        EXPECT_TRUE(driver.PressKey(IDC_PAGE_SIZE, VK_ESCAPE));
        EXPECT_TRUE(drvtest::Type(page, IDC_COPIES, "3"));
        EXPECT_TRUE(drvtest::Click(page, IDC_LANDSCAPE));
        EXPECT_TRUE(drvtest::Click(page, IDC_PAGE_OPTIONS));
        EXPECT_EQ(Option16At(sheetSettings, kOptEdging), 4);
        EXPECT_TRUE(drvtest::Click(page, IDC_PAGE_OPTIONS));
        ASSERT_TRUE(driver.SelectPage(kFinishingPage));
        EXPECT_TRUE(drvtest::SetCheck(driver.Page(), IDC_PUNCH, BST_CHECKED));
        ASSERT_TRUE(driver.SelectPage(kQualityPage));
        EXPECT_TRUE(driver.PressOk());
    });
    const auto [answer, word] = OpenSheet();
    EXPECT_EQ(answer, 0);
    EXPECT_EQ(word, 1u);
    EXPECT_EQ(sheet.sheetsSeen(), 1);
    EXPECT_EQ(person.dialogsSeen(), 2);
    EXPECT_EQ(titles, (std::vector<std::string>{"Page Setup", "Finishing", "Paper Source", "Quality", "Device Settings"}));
    EXPECT_EQ(publicdm::U16(devmode.data(), publicdm::kCopies), 3);
    EXPECT_EQ(publicdm::U16(devmode.data(), publicdm::kOrientation), DMORIENT_LANDSCAPE);
    EXPECT_EQ(Option16(kOptEdging), 4);
    EXPECT_EQ(Option16(kOptDatePosition), Option16Of(before, kOptDatePosition))
        << "the cancelled dialog's change stays out";
    EXPECT_EQ(Option32(kOptFinishing) & 0x20u, 0x20u);
}

TEST_F(ApplicationSheet, CancelLeavesTheCallersDeviceModeAsItWas) {
    const std::vector<uint8_t> before = devmode;
    sheet.OnSheet([&](drvtest::SheetDriver& driver) {
        EXPECT_TRUE(drvtest::Type(driver.Page(), IDC_COPIES, "5"));
        ASSERT_TRUE(driver.SelectPage(kFinishingPage));
        EXPECT_TRUE(drvtest::SetCheck(driver.Page(), IDC_PUNCH, BST_CHECKED));
        EXPECT_TRUE(driver.PressCancel());
    });
    const auto [answer, word] = OpenSheet();
    EXPECT_EQ(answer, 0);
    EXPECT_EQ(word, 0u);
    EXPECT_EQ(devmode, before);
}

// What Apply committed stays when the sheet is then cancelled, and the device options chosen on a
// page reach the caller's session as they reach the printer.
TEST_F(ApplicationSheet, ApplyThenCancelKeepsWhatApplyCommittedWithTheDeviceOptions) {
    const std::vector<uint8_t> blockBefore(Ctx()->svc->GetDeviceOption(Ctx()),
                                           Ctx()->svc->GetDeviceOption(Ctx()) + Ctx()->svc->GetDeviceOptionSize(Ctx()));
    sheet.OnSheet([&](drvtest::SheetDriver& driver) {
        EXPECT_TRUE(drvtest::Type(driver.Page(), IDC_COPIES, "6"));
        ASSERT_TRUE(driver.SelectPage(kDeviceSettingsPage));
        EXPECT_TRUE(drvtest::ChooseEntryByText(driver.Page(), IDC_SPOOL, "Off"));
        EXPECT_TRUE(driver.PressApply());
        ASSERT_TRUE(driver.SelectPage(kPageSetupPage));
        EXPECT_TRUE(drvtest::Type(driver.Page(), IDC_COPIES, "9"));
        EXPECT_TRUE(driver.PressCancel());
    });
    EXPECT_EQ(OpenSheet().second, 1u);
    EXPECT_EQ(publicdm::U16(devmode.data(), publicdm::kCopies), 6);
    const uint8_t* block = Ctx()->svc->GetDeviceOption(Ctx());
    EXPECT_FALSE(std::equal(blockBefore.begin(), blockBefore.end(), block)) << "the session holds the printer's new block";
    UIDEVDATA* later = fixture.Make(kKindDevmode);
    ASSERT_NE(later, nullptr);
    EXPECT_TRUE(std::equal(block, block + blockBefore.size(), later->svc->GetDeviceOption(later)));
}

// The module's open callback shows the sheet of a user-interface request and answers its result;
// a device-mode request, which edits its settings in place, gets no sheet.
TEST_F(ApplicationSheet, OpeningTheUserInterfaceShowsTheSheetOnlyWhereCancelCanTakeChangesBack) {
    UIDEVDATA* request = fixture.Make(kKindUserInterface);
    ASSERT_NE(request, nullptr);
    sheet.OnSheet([&](drvtest::SheetDriver& driver) {
        EXPECT_TRUE(drvtest::Type(driver.Page(), IDC_COPIES, "4"));
        EXPECT_TRUE(driver.PressOk());
    });
    EXPECT_EQ(PdlModuleCallbacks::Open(request), 1);
    EXPECT_EQ(publicdm::U16(request->svc->GetDevmode(request, 3), publicdm::kCopies), 4);
    EXPECT_EQ(PdlModuleCallbacks::Open(Ctx()), 2);
    EXPECT_EQ(ShowPrinterSheet(Ctx(), nullptr), -1);
    EXPECT_EQ(sheet.sheetsSeen(), 1);
}

// The buttons whose dialogs this fixture leaves unregistered (profiles, settings summary, device
// information, watermarks, custom paper, fonts, colour, job details: the subsystems above the sheet
// register them at load) open nothing: the sheet stays as it was and no dialog appears.
TEST_F(ApplicationSheet, ButtonsOfUnregisteredDialogsOpenNothing) {
    struct Case { int page; std::vector<int> buttons; };
    const std::vector<int> common = {IDC_ADD_PROFILE, IDC_EDIT_PROFILE, IDC_VIEW_SETTINGS, IDC_STATUS_MONITOR,
                                     IDC_JOB_OPERATION_DETAILS};
    const Case cases[] = {{kPageSetupPage, {IDC_CUSTOM_PAPER, IDC_EDIT_STAMP}},
                          {kFinishingPage, {IDC_DEVICE_SETTING}},
                          {kPaperSourcePage, {}},
                          {kQualityPage, {IDC_COLOUR_SETTINGS, IDC_QUALITY_DETAILS, IDC_VERSION}},
                          {kDeviceSettingsPage, {IDC_PAPER_SOURCE_SETTINGS, IDC_FONT_SETTINGS, IDC_ABOUT}}};
    sheet.OnSheet([&](drvtest::SheetDriver& driver) {
        for (const Case& c : cases) {
            ASSERT_TRUE(driver.SelectPage(c.page));
            std::vector<int> buttons = c.buttons;
            buttons.insert(buttons.end(), common.begin(), common.end());
            for (int id : buttons) {
                HWND button = GetDlgItem(driver.Page(), id);
                if (!button || !IsWindowEnabled(button) || !IsWindowVisible(button)) continue;
                drvtest::Click(driver.Page(), id);
                EXPECT_TRUE(driver.IsOpen()) << id;
            }
        }
        EXPECT_TRUE(driver.PressCancel());
    });
    EXPECT_EQ(OpenSheet().second, 0u);
    EXPECT_EQ(person.dialogsSeen(), 0);
}

}  // namespace
