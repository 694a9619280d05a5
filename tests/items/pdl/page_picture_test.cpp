// The main pages' picture on the bundled printer's real sheet: the stamp drawn on the sheet when
// the person checks it, the four sheets of a mixed-paper job, the printer menu's finishing
// commands, what the model description changes (tray buttons, strip icons, the current tray, the
// menu of a second tray list) and the tool tip of a paper source. Pictures are saved as PNG under
// the build folder.
#include "page_picture_helpers.h"

#include "core/devmode/device_option_block.h"
#include "core/devmode/devmode_layout.h"
#include "core/devmode/model_section.h"
#include "core/helpers/byte_view.h"
#include "drvtest/scripted_user.h"
#include "drvtest/test_window.h"
#include "drvtest/window_picture.h"
#include "model/pdl_data.h"
#include "preview/model_picture_table.h"
#include "preview/page_picture_previews.h"

#include <cstring>
#include <memory>
#include <string>
#include <vector>

using namespace sheettest;

namespace {

std::string Output(const std::string& name) { return std::string(DRVOPUI_TEST_OUTPUT_DIR) + "/page-" + name + ".png"; }

// The pixels of the picture's middle, where what is drawn over the sheet shows.
std::vector<COLORREF> Middle(HWND control) {
    std::vector<COLORREF> at;
    for (int y = 30; y < 170; ++y)
        for (int x = 30; x < 150; ++x) at.push_back(drvtest::WindowPixel(control, x, y));
    return at;
}

int Differing(const std::vector<COLORREF>& a, const std::vector<COLORREF>& b) {
    int n = 0;
    for (size_t i = 0; i < a.size() && i < b.size(); ++i) n += a[i] != b[i];
    return n;
}

// Whether the picture's hatched background shows in the 6 x 6 block at (x, y): the hatch's colour
// is the first one other than white in the picture's top left corner, below the mode strip.
bool BackgroundAt(HWND control, int x, int y) {
    COLORREF hatch = RGB(255, 255, 255);
    for (int i = 0; i < 12 && hatch == RGB(255, 255, 255); ++i) hatch = drvtest::WindowPixel(control, 4 + i, 24);
    for (int dy = 0; dy < 6; ++dy)
        for (int dx = 0; dx < 6; ++dx)
            if (drvtest::WindowPixel(control, x + dx, y + dy) == hatch) return true;
    return false;
}

class PagePictures : public ::testing::TestWithParam<const char*> {};

// The person checks the stamp on the page-setup page: the sheet of the picture shows the stamp's
// text in its font and angle; unchecked, the sheet is drawn as before.
TEST_P(PagePictures, TheCheckedStampIsDrawnOnTheSheet) {
    BundledSheet sheet(GetParam());
    char text[32] = "CONFIDENTIAL";
    uint8_t font[48] = {};
    const int32_t height = -60, weight = 700;
    std::memcpy(font, &height, 4);
    std::memcpy(font + 8, &weight, 4);
    std::memcpy(font + 12, "Arial", 5);
    SetSheetOption(sheet, 155, text);
    SetSheetOption(sheet, 156, font);
    SetSheetOption(sheet, 157, static_cast<uint32_t>(RGB(0, 0, 0)));
    SetSheetOption(sheet, 159, static_cast<int16_t>(450));
    std::vector<COLORREF> before, after, again;
    sheet.Look([&](drvtest::SheetDriver& driver) {
        HWND page = driver.Page();
        HWND control = GetDlgItem(page, IDC_PAGE_PREVIEW);
        ASSERT_NE(PreviewOf(page), nullptr);
        before = Middle(control);
        EXPECT_TRUE(drvtest::SetCheck(page, IDC_STAMP, BST_CHECKED));
        Pump();
        EXPECT_EQ(SheetOption(sheet, 150) & 1, 1) << "the check box sets the stamp switch";
        after = Middle(control);
        EXPECT_TRUE(drvtest::SaveWindowPng(control, Output(std::string(GetParam()) + "-stamp")));
        EXPECT_TRUE(drvtest::SetCheck(page, IDC_STAMP, BST_UNCHECKED));
        Pump();
        again = Middle(control);
    });
    EXPECT_GT(Differing(before, after), 40) << "the stamp's text is drawn over the sheet";
    EXPECT_EQ(Differing(before, again), 0) << "unchecked, the sheet is as it was";
}

// A mixed-paper job shows four sheets, one per cell of a two-by-two grid, even with no size class
// set; the middle of the picture, between them, is the background the one sheet covered.
TEST_P(PagePictures, AMixedPaperJobShowsFourSheets) {
    struct Case { uint16_t word; uint32_t layouts; bool four; };
    for (auto c : {Case{0, 0, false}, Case{1, 0, false}, Case{1, 0x0031, true}}) {
        BundledSheet sheet(GetParam());
        MutableByteView priv = Private(sheet);
        ASSERT_TRUE(priv.put_u16(devmode::model::kOutputWord, c.word));
        ASSERT_TRUE(priv.put_u32(devmode::model::kMixedPaperLayoutA, c.layouts));
        const std::string name = std::to_string(c.word) + "-" + std::to_string(c.layouts);
        sheet.Look([&](drvtest::SheetDriver& driver) {
            HWND control = GetDlgItem(driver.Page(), IDC_PAGE_PREVIEW);
            // The middle lies between four sheets; one sheet covers it.
            EXPECT_EQ(BackgroundAt(control, 88, 98), c.four) << name;
            if (c.four) {
                for (POINT at : {POINT{43, 58}, POINT{132, 58}, POINT{43, 138}, POINT{132, 138}})
                    EXPECT_FALSE(BackgroundAt(control, at.x, at.y)) << name << ": each cell holds a sheet";
            }
            EXPECT_TRUE(drvtest::SaveWindowPng(control, Output(std::string(GetParam()) + "-mixed-" + name)));
        });
    }
}

// The printer menu: the bundled printers' covers come from a second tray list, so theirs is the
// menu of the second trays; the finishing commands follow the layout and the fold-over switch,
// and the commands the model has no picture for are not offered.
TEST_P(PagePictures, ThePrinterMenuOffersTheFinishingTheModelPictures) {
    BundledSheet sheet(GetParam());
    sheet.Look([&](drvtest::SheetDriver& driver) {
        ASSERT_TRUE(driver.SelectPage(kPaperSourcePage));
        auto* preview = dynamic_cast<Basic3SheetsPreview*>(PreviewOf(driver.Page()));
        ASSERT_NE(preview, nullptr);
        ASSERT_EQ(preview->GetMode(), 2);
        PdlData* tables = SheetModelData(sheet.ctx);
        ASSERT_NE(tables, nullptr) << "the sheet has its model tables";
        ModelDescription& model = tables->Description();

        HMENU menu = preview->BuildContextMenu();
        ASSERT_NE(menu, nullptr);
        char title[64] = "";
        GetMenuStringA(menu, 22819, title, sizeof title, MF_BYCOMMAND);
        EXPECT_NE(std::string(title).find("second trays"), std::string::npos) << title;
        EXPECT_TRUE(GetMenuState(menu, 22805, MF_BYCOMMAND) & MF_CHECKED) << "normal printing";
        EXPECT_FALSE(GetMenuState(menu, 22806, MF_BYCOMMAND) & MF_CHECKED);
        EXPECT_NE(GetMenuState(menu, 22804, MF_BYCOMMAND), static_cast<UINT>(-1));
        DestroyMenu(menu);

        SetSheetOption(sheet, 110, static_cast<int32_t>(1));
        menu = preview->BuildContextMenu();
        EXPECT_TRUE(GetMenuState(menu, 22806, MF_BYCOMMAND) & MF_CHECKED) << "folded over";
        EXPECT_FALSE(GetMenuState(menu, 22805, MF_BYCOMMAND) & MF_CHECKED);
        DestroyMenu(menu);
        SetSheetOption(sheet, 110, static_cast<int32_t>(0));

        model.staplePictureFlag = 0;
        model.secondFinishingPictureFlag = 0;
        menu = preview->BuildContextMenu();
        EXPECT_EQ(GetMenuState(menu, 22804, MF_BYCOMMAND), static_cast<UINT>(-1)) << "no staple pictures";
        EXPECT_EQ(GetMenuState(menu, 22806, MF_BYCOMMAND), static_cast<UINT>(-1));
        EXPECT_EQ(GetMenuState(menu, 22807, MF_BYCOMMAND), static_cast<UINT>(-1));
        EXPECT_EQ(preview->ThirdCommand(), 22803);
        DestroyMenu(menu);

        const uint16_t* trays = model.secondTrayList;
        model.secondTrayList = nullptr;
        menu = preview->BuildContextMenu();
        GetMenuStringA(menu, 22819, title, sizeof title, MF_BYCOMMAND);
        EXPECT_EQ(std::string(title).find("second trays"), std::string::npos) << "the one tray list";
        DestroyMenu(menu);
        model.secondTrayList = trays;
    });
}

// On the finishing page's printer the person picks the binding edges from the picture's menu: the
// picture turns to the sheet with the binding edges to click, and the page keeps that view.
TEST_P(PagePictures, TheMenuTurnsThePrinterToTheBindingEdges) {
    BundledSheet sheet(GetParam());
    drvtest::ScriptedUser menuUser;
    menuUser.ChooseMenuCommand(22803);
    std::vector<COLORREF> printer, edges;
    sheet.Look([&](drvtest::SheetDriver& driver) {
        ASSERT_TRUE(driver.SelectPage(kFinishingPage));
        HWND control = GetDlgItem(driver.Page(), IDC_PAGE_PREVIEW);
        auto* preview = dynamic_cast<Basic3SheetsPreview*>(PreviewOf(driver.Page()));
        ASSERT_NE(preview, nullptr);
        preview->SelectTray(22817);  // the printer
        Pump();
        EXPECT_TRUE(drvtest::SaveWindowPng(control, Output(std::string(GetParam()) + "-finishing-printer")));
        printer = Middle(control);
        HMENU menu = preview->BuildContextMenu();
        ASSERT_NE(menu, nullptr);
        ASSERT_FALSE(GetMenuState(menu, 22803, MF_BYCOMMAND) & MF_GRAYED)
            << "the finishing page offers the binding edges";
        DestroyMenu(menu);
        EXPECT_TRUE(drvtest::RightClickMouse(control, 90, 60));
        Pump();
        EXPECT_TRUE(drvtest::SaveWindowPng(control, Output(std::string(GetParam()) + "-binding-from-menu")));
        edges = Middle(control);
        EXPECT_EQ(preview->GetMode(), 0);
        EXPECT_EQ(preview->GetSubMode(), 3);
        EXPECT_EQ(preview->ThirdCommand(), 22803u);
    });
    EXPECT_GT(Differing(printer, edges), 200) << "the printer gave way to the sheet";
}

// The tray shown is kept in the sheet's model description; a model drawn as one fixed picture
// has no tray buttons and no printer icon in its strip; the short form's sheet icon.
TEST_P(PagePictures, TheModelDescriptionShapesThePrinterPicture) {
    BundledSheet sheet(GetParam());
    sheet.Look([&](drvtest::SheetDriver& driver) {
        ASSERT_TRUE(driver.SelectPage(kPaperSourcePage));
        HWND control = GetDlgItem(driver.Page(), IDC_PAGE_PREVIEW);
        auto* preview = dynamic_cast<Basic3SheetsPreview*>(PreviewOf(driver.Page()));
        ASSERT_NE(preview, nullptr);
        ModelDescription& model = SheetModelData(sheet.ctx)->Description();
        EXPECT_EQ(model.currentTray, 22817) << "the page opened on the tray of all pages";
        preview->SelectTray(22817);
        EXPECT_EQ(model.currentTray, 22817);

        EXPECT_GE(PartOf(*preview, 1, kPartButton), 0);
        UINT icons[4] = {};
        int count = 0;
        preview->SetMode(0);
        ASSERT_TRUE(preview->GetStripIcons(icons, &count));
        EXPECT_EQ(count, 2);
        EXPECT_NE(icons[1], 0u);
        preview->SetMode(2);

        model.trayPictureFlag = 1;
        model.singlePictureFlag = 1;
        model.shortFormFlag = 1;
        preview->Update();
        drvtest::WindowPixel(control, 0, 0);  // paints
        EXPECT_TRUE(drvtest::SaveWindowPng(control, Output(std::string(GetParam()) + "-fixed-tray-picture")));
        EXPECT_LT(PartOf(*preview, 1, kPartButton), 0) << "a fixed tray picture is no button";
        count = 0;
        preview->SetMode(0);
        ASSERT_TRUE(preview->GetStripIcons(icons, &count));
        EXPECT_EQ(count, 1) << "one picture: no printer icon";
        struct Case { int32_t finishing; UINT icon; };
        for (auto c : {Case{0, 4700}, Case{0x01, 4708}, Case{0x04, 29328}, Case{0x24, 29329}}) {
            SetSheetOption(sheet, 190, c.finishing);
            EXPECT_EQ(preview->GetSheetPictureId(), c.icon) << c.finishing;
        }
        SetSheetOption(sheet, 190, static_cast<int32_t>(0));
        model.trayPictureFlag = model.singlePictureFlag = model.shortFormFlag = 0;
    });
}

// A paper source's tip names the source, marks it when it is the one selected, and gives the
// paper size and type the device reported in its slot.
TEST_P(PagePictures, ASourceTipNamesTheSourceAndItsPaper) {
    BundledSheet sheet(GetParam());
    reinterpret_cast<DEVMODEA*>(sheet.user->GetSettingsSource())->dmDefaultSource = 1;
    sheet.Look([&](drvtest::SheetDriver& driver) {
        ASSERT_TRUE(driver.SelectPage(kPaperSourcePage));
        HWND control = GetDlgItem(driver.Page(), IDC_PAGE_PREVIEW);
        auto* preview = dynamic_cast<Basic3SheetsPreview*>(PreviewOf(driver.Page()));
        ASSERT_NE(preview, nullptr);
        const int selected = preview->SelectedSource();
        const int part = PartOf(*preview, static_cast<uint16_t>(selected), kPartTipBelow);
        ASSERT_GE(part, 0) << "the selected source " << selected << " is a part";
        const auto record = std::make_unique<TipTextRecord>();
        EXPECT_TRUE(preview->BuildPartTipText(part, record.get()));
        const std::string lines[3] = {record->lines[0], record->lines[1], record->lines[2]};
        EXPECT_NE(lines[0].find(" (selected)"), std::string::npos) << lines[0];
        EXPECT_EQ(lines[1].rfind("Paper size: ", 0), 0u) << lines[1];
        EXPECT_EQ(lines[2].rfind("Paper type: ", 0), 0u) << lines[2];
        for (const std::string& line : lines) EXPECT_LE(line.size(), 64u);
        EXPECT_EQ(record->lines[3][0], '\0');
        const uint16_t other = selected == 1 ? 3 : 1;
        ASSERT_GE(PartOf(*preview, other, kPartTipBelow), 0) << other;
        std::memset(record.get(), 0, sizeof *record);
        preview->BuildPartTipText(PartOf(*preview, other, kPartTipBelow), record.get());
        EXPECT_NE(record->lines[0][0], '\0');
        EXPECT_EQ(std::string(record->lines[0]).find(" (selected)"), std::string::npos) << record->lines[0];
        const RECT r = preview->Part(part).hitRect;
        EXPECT_TRUE(drvtest::MoveMouse(control, (r.left + r.right) / 2, (r.top + r.bottom) / 2));
        Pump();
        EXPECT_NE(preview->TipWindow(), nullptr) << "the tip is shown";
    });
}

// The holes the sheet shows: the United States English printer's three unless the device reported
// its puncher; the two-and-three-hole puncher punches two along the short edge of the small papers.
TEST_P(PagePictures, ThePunchHolesFollowTheLanguageAndThePuncher) {
    BundledSheet sheet(GetParam());
    uint8_t* data = devopt::blockData(sheet.ctx->svc->GetDeviceOption(sheet.ctx));
    ASSERT_NE(data, nullptr);
    PictureHost host;
    const auto preview = MakePicture(host, sheet, kPageSetupPicture);
    ASSERT_NE(preview, nullptr);
    struct Case { uint16_t puncher; int16_t paper, edge; int16_t kind; };
    for (auto c : {Case{0, 9, 0, 3}, Case{1, 9, 0, 2}, Case{2, 9, 0, 3}, Case{2, 1, 2, 2}, Case{2, 1, 1, 3},
                   Case{3, 9, 0, 4}, Case{4, 9, 0, 4}, Case{5, 9, 0, 5}, Case{9, 9, 0, 3}}) {
        data[devopt::kPuncherKind] = static_cast<uint8_t>(c.puncher);
        data[devopt::kPuncherKind + 1] = 0;
        SetSheetOption(sheet, 116, c.paper);
        SetSheetOption(sheet, 193, c.edge);
        int16_t kind = 0;
        preview->GetPunchHoleKind(&kind);
        EXPECT_EQ(kind, c.kind) << c.puncher << " " << c.paper << " " << c.edge;
    }
}

// While the private flags say the job takes no tray of the picture's choosing, the printer's
// sources are drawn but are no buttons.
TEST_P(PagePictures, ALockedTrayChoiceLeavesTheSourcesUnclickable) {
    BundledSheet sheet(GetParam());
    reinterpret_cast<DEVMODEA*>(sheet.user->GetSettingsSource())->dmDefaultSource = 1;
    // The bundled printers' picture frames the upper cassette with the drawer frame of its body.
    const uint16_t kSelectedDrawerMark = static_cast<uint16_t>(28300 + ModelPictureOf(2059)->bodyWidth);
    PictureHost host;
    for (bool locked : {false, true}) {
        MutableByteView priv = Private(sheet);
        uint8_t flags = 0;
        priv.u8(devmode::model::kMediaByte, flags);
        priv.put_u8(devmode::model::kMediaByte, locked ? (flags | 0x02) : (flags & ~0x02));
        const auto preview = MakePicture(host, sheet, kPaperSourcePicture);
        ASSERT_NE(preview, nullptr);
        preview->SetMode(2);
        EXPECT_EQ(PartOf(*preview, 1, kPartButton) >= 0, !locked) << locked;
        EXPECT_EQ(PartOf(*preview, 1, 0) >= 0, true) << "the source is still a part: its tip";
        bool framed = false;
        for (int i = 0; i < preview->LayerCount(); ++i) framed |= preview->Layer(i).pictureId == kSelectedDrawerMark;
        EXPECT_EQ(framed, !locked) << locked << ": the selected tray is framed only while it can be chosen";
    }
}

// Pages side by side stand on a sheet turned across; a sample sheet as well, a single page not.
TEST_P(PagePictures, PagesSideBySideTurnTheSheet) {
    BundledSheet sheet(GetParam());
    PictureHost host;
    struct Case { int16_t layout, pages; bool sample; bool across; };
    for (auto c : {Case{0, 0, false, false}, Case{3, 0, false, true}, Case{3, 1, false, false},
                   Case{0, 0, true, true}}) {
        SetSheetOption(sheet, 124, c.layout);
        SetSheetOption(sheet, 126, c.pages);
        Private(sheet).put_u16(devmode::model::kPrivateFlags, c.sample ? 1 : 0);
        const auto preview = MakePicture(host, sheet, kPageSetupPicture);
        ASSERT_NE(preview, nullptr);
        int width = 0, height = 0;
        preview->MapValueToPosition(2970, 1480, &width, &height);
        EXPECT_EQ(width > height, c.across) << c.layout << "/" << c.pages << "/" << c.sample;
    }
}

// The staple dialog's sheet: only a mixed-paper job's punch edge follows the binding edge there,
// and its picture is then the four sheets.
TEST_P(PagePictures, TheStapleDialogDrawsAMixedPaperJobsFourSheets) {
    BundledSheet sheet(GetParam());
    PictureHost host;
    for (bool mixed : {false, true}) {
        MutableByteView priv = Private(sheet);
        priv.put_u16(devmode::model::kOutputWord, mixed ? 1 : 0);
        priv.put_u32(devmode::model::kMixedPaperLayoutA, mixed ? 0x0003 : 0);
        SetSheetOption(sheet, 190, static_cast<int32_t>(0x20));
        SetSheetOption(sheet, 121, static_cast<int16_t>(1));
        SetSheetOption(sheet, 193, static_cast<int16_t>(0));
        const auto preview = MakePicture(host, sheet, kStaplePicture);
        ASSERT_NE(preview, nullptr);
        EXPECT_TRUE(drvtest::SaveWindowPng(host.control, Output(std::string(GetParam()) + "-staple-mixed-" +
                                                                std::to_string(mixed))));
        EXPECT_EQ(SheetOption(sheet, 193), mixed ? 1 : 0) << mixed;
        EXPECT_EQ(BackgroundAt(host.control, 86, 86), mixed) << mixed << ": the middle lies between four sheets";
        if (mixed) {
            EXPECT_FALSE(BackgroundAt(host.control, 40, 40)) << "the first of the four sheets";
        }
    }
}

INSTANTIATE_TEST_SUITE_P(BundledPrinters, PagePictures,
                         ::testing::Values(drvtest::kBundledPcl5ePrinter, drvtest::kBundledPcl5cPrinter));

}  // namespace
