// The user interface the 16-bit driver opens through its exports, on the bundled printer's real
// sheet: the sheets over the driver's own device mode (through 16:16 pointers), the
// device-settings page alone, a dialog by kind, a message box, and the 32-bit caller's
// NTPinPointUIOpen with a wide printer name. Only OK brings settings into the driver's memory.
// The sample add-in installed for the printer adds its page after the sheet's own and works
// there; an add-in that is not signed by the maker, signed with another key, registered to another
// file or described badly adds nothing. Nothing of an add-in stays loaded after the sheet.
#include "core/device/ui_dispatch_route.h"
#include "core/library/exports_gtf.h"
#include "core/library/exports_pinpoint.h"
#include "data/resources/drvopui_ids.h"
#include "drvtest/addins.h"
#include "drvtest/driver_sheet16.h"
#include "drvtest/fixture_device.h"
#include "drvtest/scripted_sheet.h"
#include "drvtest/scripted_user.h"
#include "drvtest/sixteen_bit_side.h"
#include "drvtest/test_window.h"
#include "drvtest/window_picture.h"
#include "items/pdl/sdk.h"
#include "ui/main_pages.h"
#include "ui/ui_dispatcher.h"

#include <commctrl.h>
#include <wownt32.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using drvtest::AddInSigning;
using drvtest::SixteenBitSide;

class DriverSheets : public ::testing::Test {
public:
    DriverSheets() {
        InitCommonControls();
        RegisterApplicationOptions();
        RegisterMainPageDialogs();
        RegisterDispatcher();
    }
    ~DriverSheets() override {
        RegisterUiDispatcher(nullptr);
        UnregisterMainPageDialogs();
    }
    // The printer's device mode in the driver's memory.
    DWORD DriverDevmode() {
        const DWORD object = GTF_CreateUIDEVDATA(name, 0, 0);
        const DWORD size = GTF_CopyDEVMODE(object, 0, 0);
        const DWORD vp = side.Alloc(size);
        EXPECT_EQ(GTF_CopyDEVMODE(object, vp, size), size);
        GTF_DeleteUIDEVDATA(object);
        return vp;
    }
    // The titles of the sheet's pages, after the script ran on it; the sheet is cancelled.
    std::vector<std::string> Titles() {
        std::vector<std::string> titles;
        sheet.OnSheet([&](drvtest::SheetDriver& driver) {
            for (int i = 0; i < driver.PageCount(); ++i) titles.push_back(driver.PageTitle(i));
            EXPECT_TRUE(driver.PressCancel());
        });
        EXPECT_EQ(GTF_OpenSheets(name, 0, 0, 0), 0);
        return titles;
    }
    short Orientation(DWORD vp) { return reinterpret_cast<const DEVMODEA*>(side.Flat(vp))->dmOrientation; }

    drvtest::FixtureDevice fixture;
    SixteenBitSide side;
    const DWORD name = side.Text(drvtest::kBundledPcl5ePrinter);
    drvtest::ScriptedSheet sheet;
    drvtest::ScriptedUser person;
};

TEST_F(DriverSheets, OkBringsTheSheetsSettingsIntoTheDriversDeviceModeAndCancelLeavesIt) {
    const DWORD devmode = DriverDevmode();
    ASSERT_EQ(Orientation(devmode), DMORIENT_PORTRAIT);
    HWND owner = drvtest::MakeWindow("GtfOwner", DefWindowProcA, WS_OVERLAPPEDWINDOW, 200, 200);
    HWND ownerSeen = nullptr;
    std::vector<std::string> titles;
    for (bool ok : {false, true})
        sheet.OnSheet([&, ok](drvtest::SheetDriver& driver) {
            ownerSeen = GetWindow(driver.Sheet(), GW_OWNER);
            titles.clear();
            for (int i = 0; i < driver.PageCount(); ++i) titles.push_back(driver.PageTitle(i));
            EXPECT_TRUE(drvtest::Click(driver.Page(), IDC_LANDSCAPE));
            EXPECT_TRUE(ok ? driver.PressOk() : driver.PressCancel());
        });
    EXPECT_EQ(GTF_OpenSheets(name, SixteenBitSide::Window(owner), devmode, 0), 0);
    EXPECT_EQ(Orientation(devmode), DMORIENT_PORTRAIT) << "cancelled";
    EXPECT_EQ(GTF_OpenSheets(name, SixteenBitSide::Window(owner), devmode, 0), 1);
    EXPECT_EQ(Orientation(devmode), DMORIENT_LANDSCAPE);
    EXPECT_EQ(ownerSeen, owner);
    EXPECT_EQ(titles.size(), 5u);
    EXPECT_EQ(sheet.sheetsSeen(), 2);
    DestroyWindow(owner);
}

TEST_F(DriverSheets, ArgumentsThatNameNothingShowNoSheet) {
    const DWORD devmode = DriverDevmode();
    std::vector<uint8_t> lying = side.Read(devmode, 0x10000);
    reinterpret_cast<DEVMODEA*>(lying.data())->dmDriverExtra += 1;
    const DWORD text = side.Alloc(4);
    std::memcpy(side.Flat(text), "Vome", 4);
    struct Case { const char* what; DWORD name, owner, devmode; };
    for (const Case& c : {Case{"an owner that is no window", name, 0x1234, devmode},
                          Case{"an owner past 16 bits", name, 0x10000, devmode},
                          Case{"a device mode whose size lies", name, 0, side.Place(lying.data(), static_cast<DWORD>(lying.size()))},
                          Case{"a name past its segment", text, 0, devmode},
                          Case{"a printer that is not there", side.Text("No such printer"), 0, devmode}})
        EXPECT_EQ(GTF_OpenSheets(c.name, c.owner, c.devmode, 0), -1) << c.what;
    EXPECT_EQ(sheet.sheetsSeen(), 0);
    EXPECT_EQ(GTF_DeviceSettings(name, 0x1234), -1);
}

// The device settings page stands alone, also with add-ins installed.
TEST_F(DriverSheets, DeviceSettingsShowTheirPageAlone) {
    for (bool addIns : {false, true}) {
        ASSERT_TRUE(!addIns || drvtest::InstallSampleAddIn(drvtest::kBundledPcl5ePrinter));
        std::vector<std::string> titles;
        sheet.OnSheet([&](drvtest::SheetDriver& driver) {
            for (int i = 0; i < driver.PageCount(); ++i) titles.push_back(driver.PageTitle(i));
            EXPECT_TRUE(driver.PressOk());
        });
        EXPECT_EQ(GTF_DeviceSettings(name, 0), 1) << addIns;
        EXPECT_EQ(titles, std::vector<std::string>{"Device Settings"}) << addIns;
    }
}

TEST_F(DriverSheets, ADialogByKindAndAMessageBoxOverTheDriversObjects) {
    const DWORD object = GTF_CreateUIDEVDATA(name, 0, 0);
    ASSERT_NE(object, 0u);
    person.OnDialog([](HWND dialog) { EXPECT_TRUE(drvtest::PressOk(dialog)); });
    EXPECT_EQ(GTF_OpenDialog(object, 0, kLayoutOptionsDialogKind, 0), IDOK);
    EXPECT_EQ(GTF_OpenDialog(object, 0, 9999, 0), 0) << "no dialog of that kind";
    EXPECT_EQ(GTF_OpenDialog(object + 1000, 0, kLayoutOptionsDialogKind, 0), 0);
    EXPECT_EQ(person.dialogsSeen(), 1);
    EXPECT_TRUE(GTF_DeleteUIDEVDATA(object));

    person.AnswerMessageBox(IDYES);
    EXPECT_EQ(GTF_MessageBox(name, 0, 4008, MB_YESNO), IDYES);
    EXPECT_EQ(GTF_MessageBox(name, 0, 1, MB_OK), 0) << "a text the module does not hold";
    ASSERT_EQ(person.messageTexts(), std::vector<std::string>{"1 page per sheet"});
    EXPECT_EQ(person.messageBoxes()[0].caption, drvtest::kBundledPcl5ePrinter);
}

TEST_F(DriverSheets, NtPinPointOpensTheSheetForAWideName) {
    std::u16string wide(drvtest::kBundledPcl5ePrinter, drvtest::kBundledPcl5ePrinter + std::strlen(drvtest::kBundledPcl5ePrinter));
    const DWORD vp = DriverDevmode();
    std::vector<uint8_t> devmode = side.Read(vp, 0x10000);
    sheet.OnSheet([&](drvtest::SheetDriver& driver) {
        EXPECT_TRUE(drvtest::Click(driver.Page(), IDC_LANDSCAPE));
        EXPECT_TRUE(driver.PressOk());
    });
    EXPECT_EQ(NTPinPointUIOpen(wide.c_str(), nullptr, reinterpret_cast<LPDEVMODEA>(devmode.data())), 1);
    EXPECT_EQ(reinterpret_cast<const DEVMODEA*>(devmode.data())->dmOrientation, DMORIENT_LANDSCAPE);
    EXPECT_EQ(NTPinPointUIOpen(u"No such printer", nullptr, nullptr), -1);
    EXPECT_EQ(sheet.sheetsSeen(), 1);
}

TEST_F(DriverSheets, APageOfTheDriversSheetHostsALibraryPageWhoseOkReachesTheDriver) {
    const DWORD object = GTF_CreateUIDEVDATA(name, 0, 0);
    ASSERT_NE(object, 0u);
    const DWORD record = GTF_CreateSHEETDATA(object, IDD_PAGE_SETUP, 3);
    ASSERT_NE(record, 0u);
    const drvtest::DriverSheetExports exports{GTF_GetPSP, GTF_SheetProcedure};
    HWND child = nullptr;
    sheet.OnSheet([&](drvtest::SheetDriver& driver) {
        ASSERT_EQ(driver.PageCount(), 2);
        EXPECT_EQ(driver.PageTitle(1), "Page Setup") << "the hosted page's title on the driver's tab";
        ASSERT_TRUE(driver.SelectPage(1));
        child = GetWindow(driver.Page(), GW_CHILD);
        ASSERT_NE(child, nullptr);
        EXPECT_NE(GetDlgItem(child, IDC_LANDSCAPE), nullptr) << "the page setup page is the child";
        EXPECT_FALSE(GTF_DeleteSHEETDATA(record)) << "a hosted child works over it";
        EXPECT_FALSE(GTF_DeleteUIDEVDATA(object));
        // A key for one of the child's controls is the child's before anyone else sees it.
        HWND first = GetDlgItem(child, IDC_LANDSCAPE);
        SetFocus(first);
        ASSERT_EQ(GetFocus(), first);
        PostMessageA(first, WM_KEYDOWN, VK_TAB, 0);
        MSG msg{};
        ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
        EXPECT_EQ(msg.message, static_cast<UINT>(WM_NULL)) << "taken by the hook";
        EXPECT_NE(GetFocus(), first);
        EXPECT_TRUE(IsChild(child, GetFocus()));
        EXPECT_TRUE(drvtest::Click(child, IDC_LANDSCAPE));
        EXPECT_TRUE(drvtest::SaveWindowPng(driver.Sheet(), std::string(DRVOPUI_TEST_OUTPUT_DIR) + "/driver-sheet-hosted-page.png"));
        EXPECT_TRUE(driver.PressOk());
    });
    EXPECT_EQ(drvtest::RunDriverSheet(side, exports, {record}, "Driver"), 1);
    MSG after{};
    PostMessageA(nullptr, WM_KEYDOWN, VK_TAB, 0);
    ASSERT_TRUE(PeekMessageA(&after, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(after.message, static_cast<UINT>(WM_KEYDOWN)) << "no hook once the page is gone";
    EXPECT_FALSE(IsWindow(child)) << "the child goes with its page";
    const DWORD size = GTF_CopyDEVMODE(object, 0, 0);
    const DWORD devmode = side.Alloc(size);
    ASSERT_EQ(GTF_CopyDEVMODE(object, devmode, size), size);
    EXPECT_EQ(Orientation(devmode), DMORIENT_LANDSCAPE);

    // Records the driver's sheet cannot host, and page records that are short.
    const DWORD dialogRecord = GTF_CreateSHEETDATA(object, IDD_PAGE_SETUP, 1);
    const DWORD page16 = side.Alloc(36);
    const DWORD shortPage = side.Alloc(20);
    std::memcpy(side.Flat(page16), "\x10\0\0\0", 4);  // dwSize 16
    EXPECT_FALSE(GTF_GetPSP(dialogRecord, page16));
    EXPECT_FALSE(GTF_GetPSP(record, page16)) << "dwSize short of the record";
    EXPECT_FALSE(GTF_GetPSP(record, shortPage));
    EXPECT_EQ(GTF_SheetProcedure(0x1234, WM_INITDIALOG, 0, page16), 0u);
    const DWORD missing = GTF_CreateSHEETDATA(object, 12345, 3);  // no such page to host
    EXPECT_EQ(drvtest::RunDriverSheet(side, exports, {missing}, "Driver"), -1) << "refused before a sheet shows";
    EXPECT_EQ(sheet.sheetsSeen(), 1);

    // The page the library built: the hosted page's size, font and title, in 16-bit memory that
    // lives as long as the page record.
    std::memcpy(side.Flat(page16), "\x24\0\0\0", 4);
    ASSERT_TRUE(GTF_GetPSP(record, page16));
    const std::vector<uint8_t> built = side.Read(page16, 36);
    DWORD flags = 0, vpTemplate = 0, vpTitle = 0;
    std::memcpy(&flags, &built[4], 4);
    std::memcpy(&vpTemplate, &built[10], 4);
    std::memcpy(&vpTitle, &built[16], 4);
    EXPECT_EQ(flags, static_cast<DWORD>(PSP_DLGINDIRECT | PSP_USETITLE));
    const auto* title = static_cast<const char*>(WOWGetVDMPointer(vpTitle, 11, TRUE));
    ASSERT_NE(title, nullptr);
    EXPECT_STREQ(title, "Page Setup");
    const auto* page = static_cast<const uint8_t*>(WOWGetVDMPointer(vpTemplate, 13, TRUE));
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(page[9] | page[10] << 8, 390) << "the width of the hosted page";
    EXPECT_EQ(page[11] | page[12] << 8, 236);
    EXPECT_TRUE(GTF_GetPSP(record, page16));
    EXPECT_EQ(std::memcmp(side.Read(page16, 36).data(), built.data(), 36), 0) << "the same page again";
    EXPECT_TRUE(GTF_DeleteSHEETDATA(record));
    EXPECT_EQ(WOWGetVDMPointer(vpTitle, 1, TRUE), nullptr) << "freed with its record";
    EXPECT_TRUE(GTF_DeleteUIDEVDATA(object));
}

TEST_F(DriverSheets, TheSignedSampleAddsItsPageWhichWorksAndGoesWithTheSheet) {
    const std::vector<std::string> without = Titles();
    ASSERT_EQ(without.size(), 5u);
    ASSERT_TRUE(drvtest::InstallSampleAddIn(drvtest::kBundledPcl5ePrinter));
    bool checked = false;
    sheet.OnSheet([&](drvtest::SheetDriver& driver) {
        ASSERT_EQ(driver.PageCount(), 6);
        EXPECT_EQ(driver.PageTitle(5), drvtest::kSampleAddInTitle);
        for (int i = 0; i < 5; ++i) EXPECT_EQ(driver.PageTitle(i), without[static_cast<std::size_t>(i)]);
        ASSERT_TRUE(driver.SelectPage(5));
        ASSERT_NE(GetModuleHandleA("SAMPLEUI.DLL"), nullptr);
        EXPECT_TRUE(drvtest::SetCheck(driver.Page(), drvtest::kSampleAddInCheckId, BST_CHECKED));
        checked = IsDlgButtonChecked(driver.Page(), drvtest::kSampleAddInCheckId) == BST_CHECKED;
        EXPECT_TRUE(drvtest::SaveWindowPng(driver.Sheet(), std::string(DRVOPUI_TEST_OUTPUT_DIR) + "/addin-sample-page.png"));
        EXPECT_TRUE(driver.PressOk());
    });
    EXPECT_EQ(GTF_OpenSheets(name, 0, 0, 0), 1);
    EXPECT_TRUE(checked);
    EXPECT_EQ(GetModuleHandleA("SAMPLEUI.DLL"), nullptr) << "unloaded with the sheet's device object";
}

TEST_F(DriverSheets, AnAddInThatFailsATestAddsNothing) {
    struct Case { const char* what; drvtest::SampleAddInSetup setup; };
    std::vector<Case> cases(6);
    cases[0] = {"not signed", {}};
    cases[0].setup.signing = AddInSigning::None;
    cases[1] = {"signed with another key", {}};
    cases[1].setup.signing = AddInSigning::OtherKey;
    cases[2] = {"its class registered to another file", {}};
    cases[2].setup.registeredPath = "C:\\WINDOWS\\SYSTEM\\OTHER.DLL";
    cases[3] = {"described with a folder", {}};
    cases[3].setup.description = std::string("[Add-Ins]\nSample=") + drvtest::kSampleAddInClass + ",..\\SAMPLEUI.DLL\n";
    cases[4] = {"an install record that is no description file", {}};
    cases[4].setup.cpi = "SAMPLEUI.DLL";
    cases[5] = {"described under another class", {}};
    cases[5].setup.description = "[Add-Ins]\nSample={00000000-0000-0000-0000-000000000001},SAMPLEUI.DLL\n";
    for (const Case& c : cases) {
        ASSERT_TRUE(drvtest::InstallSampleAddIn(drvtest::kBundledPcl5ePrinter, c.setup)) << c.what;
        EXPECT_EQ(Titles().size(), 5u) << c.what;
        EXPECT_EQ(GetModuleHandleA("SAMPLEUI.DLL"), nullptr) << c.what;
    }
}

}  // namespace
