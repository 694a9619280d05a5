// The live pictures of the bundled printers' pages: the page-setup, finishing and quality pages
// show the picture of their settings, the picture follows every change, and a click on a part of
// the picture changes the setting through the page as the page's own control would (the rules
// run, the controls follow). Pictures are saved as PNG under the build folder.
#include "page_picture_helpers.h"

#include "drvtest/gdi.h"
#include "drvtest/scripted_user.h"
#include "drvtest/window_picture.h"
#include "items/common/finishing_items.h"
#include "items/common/option_word.h"
#include "items/common/page_layout_items.h"
#include "items/common/paper_size_items.h"
#include "items/common/public_devmode.h"
#include "preview/basic_preview.h"

#include <string>

using namespace sheettest;

namespace {

std::string Output(const char* printer, const std::string& name) {
    return std::string(DRVOPUI_TEST_OUTPUT_DIR) + "/" + printer + "-preview-" + name + ".png";
}

class PagePreviews : public ::testing::TestWithParam<const char*> {};

TEST_P(PagePreviews, TheThreePagesShowTheirPicture) {
    BundledSheet sheet(GetParam());
    sheet.Look([&](drvtest::SheetDriver& driver) {
        const struct { int page; const char* name; } pages[] = {
            {kPageSetupPage, "page-setup"}, {kFinishingPage, "finishing"}, {kQualityPage, "quality"}};
        for (const auto& p : pages) {
            ASSERT_TRUE(driver.SelectPage(p.page));
            CmBasicPreview* preview = PreviewOf(driver.Page());
            ASSERT_NE(preview, nullptr) << p.name;
            HWND control = GetDlgItem(driver.Page(), IDC_PAGE_PREVIEW);
            EXPECT_TRUE(drvtest::SaveWindowPng(control, Output(GetParam(), p.name)));
            EXPECT_TRUE(drvtest::SaveWindowPng(driver.Sheet(), Output(GetParam(), std::string(p.name) + "-sheet")));
        }
        ASSERT_TRUE(driver.SelectPage(kPaperSourcePage));
        ASSERT_NE(PreviewOf(driver.Page()), nullptr) << "the paper-source page shows the printer";
        EXPECT_EQ(PreviewOf(driver.Page())->GetMode(), 2);
    });
}

// The picture's parts are in control pixels: the middle of a part's hit rectangle.
POINT MiddleOf(const CmBasicPreview& preview, uint16_t flags, int value = -1) {
    for (int i = 0; i < preview.PartCount(); ++i) {
        const PicturePart& p = preview.Part(i);
        if ((p.flags & flags) && (value < 0 || p.value == value))
            return {(p.hitRect.left + p.hitRect.right) / 2, (p.hitRect.top + p.hitRect.bottom) / 2};
    }
    return {-100, -100};
}

// A click on a part of a page's picture asks the page for the setting, as choosing it in the
// page's list does: the rules run, the list follows, and OK hands the setting over. On the
// page-setup picture the sheet takes the next layout (two pages); on the finishing picture the
// sheet's right edge binds on the right.
TEST_P(PagePreviews, AClickOnThePictureChangesTheSettingThroughThePage) {
    struct Case { SheetPageIndex page; int list; DWORD option; const char* shown; int16_t value; const char* picture; };
    for (const Case& c : {Case{kPageSetupPage, IDC_LAYOUT, kOptLayoutMode, "2 pages per sheet", 3, "two-up"},
                          Case{kFinishingPage, IDC_BINDING, kOptBindingLocation, "Long edge, right", 1,
                               "bound-right"}}) {
        BundledSheet sheet(GetParam());
        ASSERT_TRUE(sheet.Start());
        std::string shown;
        int16_t value = -1;
        drvtest::ScriptedSheet person;
        person.OnSheet([&](drvtest::SheetDriver& driver) {
            ASSERT_TRUE(driver.SelectPage(c.page));
            HWND page = driver.Page();
            CmBasicPreview* preview = PreviewOf(page);
            ASSERT_NE(preview, nullptr);
            HWND control = GetDlgItem(page, IDC_PAGE_PREVIEW);
            const POINT at = MiddleOf(*preview, kPartClick, 1);
            ASSERT_GE(at.x, 0) << c.picture << ": the part is offered";
            EXPECT_TRUE(drvtest::ClickMouse(control, at.x, at.y));
            shown = drvtest::ReadSelectedEntry(page, c.list);
            value = SheetOption(sheet, c.option);
            EXPECT_TRUE(drvtest::SaveWindowPng(control, Output(GetParam(), c.picture)));
            EXPECT_TRUE(driver.IsApplyEnabled())
                << c.picture << ": a change made by the picture is a change of the page";
            EXPECT_TRUE(driver.PressOk());
        });
        EXPECT_EQ(sheet.Run(), 1);
        EXPECT_EQ(shown, c.shown);
        EXPECT_EQ(value, c.value) << c.picture;
        EXPECT_EQ(ReadOptionWord(sheet.ctx, sheet.Request(), c.option), static_cast<uint32_t>(c.value)) << c.picture;
        if (c.list == IDC_LAYOUT) {
            EXPECT_EQ(ReadOptionWord(sheet.ctx, sheet.Request(), kOptPagesPerSheet), 0u) << "two pages per sheet";
        }
    }
}

// The context menu's layout commands go to the page as the layout list would take them; on the
// colour printer its colour commands change the colour mode, and the picture's colour icon steps
// through the colour modes the rules allow.
TEST_P(PagePreviews, TheContextMenuAndTheColourIconChangeSettings) {
    BundledSheet sheet(GetParam());
    const bool colourPrinter = std::string(GetParam()) == drvtest::kBundledPcl5cPrinter;
    drvtest::ScriptedUser menuUser;
    menuUser.ChooseMenuCommand(10462);  // four pages per sheet
    sheet.Look([&](drvtest::SheetDriver& driver) {
        HWND page = driver.Page();
        HWND control = GetDlgItem(page, IDC_PAGE_PREVIEW);
        EXPECT_TRUE(drvtest::RightClickMouse(control, 60, 60));
        Pump();  // the chosen command
        EXPECT_EQ(drvtest::ReadSelectedEntry(page, IDC_LAYOUT), "4 pages per sheet");

        // The colour icon stands in the page-setup picture's strip; the quality page shows its sample.
        CmBasicPreview* preview = PreviewOf(page);
        ASSERT_NE(preview, nullptr);
        const int16_t colourBefore = SheetOption(sheet, kOptColourMode);
        const POINT at = MiddleOf(*preview, kPartStateB);
        if (colourPrinter) {
            ASSERT_GE(at.x, 0) << "the colour icon is a part on the colour printer";
            EXPECT_TRUE(drvtest::ClickMouse(control, at.x, at.y));
            EXPECT_NE(SheetOption(sheet, kOptColourMode), colourBefore);
        } else {
            EXPECT_LT(at.x, 0) << "a printer without colour offers no colour part";
        }
        EXPECT_TRUE(drvtest::SaveWindowPng(control, Output(GetParam(), "colour-stepped")));
    });
}

// Hovering highlights a part and captures the mouse; moving within the part repaints nothing;
// leaving the picture releases the capture and the highlight. Repaints delete what they make.
TEST_P(PagePreviews, HoverRepaintsOnlyOnAChangeOfPartAndLeavesNoGdiObjects) {
    BundledSheet sheet(GetParam());
    sheet.Look([&](drvtest::SheetDriver& driver) {
        HWND page = driver.Page();
        HWND control = GetDlgItem(page, IDC_PAGE_PREVIEW);
        CmBasicPreview* preview = PreviewOf(page);
        ASSERT_NE(preview, nullptr);
        const POINT at = MiddleOf(*preview, kPartClick, 1);
        // The cursors and icons are the module's, loaded once and kept: a first pass loads them.
        EXPECT_TRUE(drvtest::MoveMouse(control, at.x, at.y));
        EXPECT_TRUE(drvtest::MoveMouse(control, -5, -5));
        const size_t before = drvtest::LiveGdiObjects();
        for (int i = 0; i < 5; ++i) preview->Update();
        EXPECT_EQ(drvtest::LiveGdiObjects(), before) << "a repaint deletes what it made";

        EXPECT_TRUE(drvtest::MoveMouse(control, at.x, at.y));
        EXPECT_EQ(GetCapture(), control);
        EXPECT_GE(preview->HotPart(), 0);
        EXPECT_FALSE(GetUpdateRect(control, nullptr, FALSE)) << "the change of part was painted at once";
        EXPECT_TRUE(drvtest::MoveMouse(control, at.x + 1, at.y + 1));
        EXPECT_FALSE(GetUpdateRect(control, nullptr, FALSE)) << "a hover within the part invalidates nothing";
        EXPECT_TRUE(drvtest::MoveMouse(control, -5, -5));
        EXPECT_NE(GetCapture(), control);
        EXPECT_EQ(preview->HotPart(), -1);
        EXPECT_EQ(drvtest::LiveGdiObjects(), before);
    });
}

// A control smaller than the picture shows it shrunk with its proportions; a larger one at its
// own size; a control of no size shows nothing and divides by nothing.
TEST_P(PagePreviews, ThePictureFitsItsControl) {
    BundledSheet sheet(GetParam());
    sheet.Look([&](drvtest::SheetDriver& driver) {
        HWND page = driver.Page();
        const struct { int width, height, zoom; } cases[] = {{400, 400, 100}, {120, 120, 50}, {0, 0, 0}};
        for (const auto& c : cases) {
            HWND control = CreateWindowA("Static", "", WS_CHILD | WS_VISIBLE | SS_NOTIFY, 0, 0, c.width, c.height,
                                         page, nullptr, nullptr, nullptr);
            ASSERT_NE(control, nullptr);
            auto* preview = new CmBasicPreview(control, sheet.ctx, sheet.user->GetSettingsSource(), 1);
            preview->SetDrawFlags(kStateIconStrip | kCaptionLine);
            preview->Update();
            EXPECT_EQ(preview->Zoom(), c.zoom) << c.width;
            RECT r{};
            GetWindowRect(control, &r);
            EXPECT_EQ(r.right - r.left, 181 * c.zoom / 100) << c.width;
            EXPECT_EQ(r.bottom - r.top, 240 * c.zoom / 100) << c.width;
            if (c.zoom == 50) {
                EXPECT_TRUE(drvtest::SaveWindowPng(control, Output(GetParam(), "half-size")));
            }
            delete preview;
            DestroyWindow(control);
        }
    });
}

// The drawn sheet is proportional to the paper between the printer's shortest and longest papers;
// limits closer than the steps between the shortest and longest drawn sheet, or a paper shorter
// than its drawn height, still give a sheet within the picture.
TEST_P(PagePreviews, TheDrawnSheetStaysInThePictureForAnyPaper) {
    BundledSheet sheet(GetParam());
    sheet.Look([&](drvtest::SheetDriver& driver) {
        CmBasicPreview* preview = PreviewOf(driver.Page());
        ASSERT_NE(preview, nullptr);
        uint8_t* settings = sheet.user->GetSettingsSource();
        // wantWidth, wantHeight: 0 for anything from 1 to 138.
        struct Case { int largest, smallest; uint16_t width, length; int wantWidth, wantHeight; };
        const Case cases[] = {
            {4200, 1480, 2100, 2970, 0, 0},  // A4 among the printer's papers
            {4200, 1480, 2100, 4200, 0, 138},
            {2980, 2970, 2100, 2970, 0, 0},  // limits closer than the steps
            {2970, 2970, 2100, 2970, 0, 0},  // one paper length only
            {4200, 1480, 2100, 50, 0, 0},    // shorter than its drawn height
            {4200, 1480, 0, 2970, 88, 115},  // no size: the default sheet
        };
        for (const Case& c : cases) {
            const uint16_t size[2] = {c.width, c.length};
            ASSERT_TRUE(sheet.ctx->svc->SetOption(sheet.ctx, settings, 119, size, sizeof size));
            int w = 0, h = 0;
            preview->MapValueToPosition(c.largest, c.smallest, &w, &h);
            EXPECT_GE(w, 1) << c.smallest << " " << c.length;
            EXPECT_LE(w, 138) << c.smallest << " " << c.length;
            EXPECT_GE(h, 1) << c.smallest << " " << c.length;
            EXPECT_LE(h, 138) << c.smallest << " " << c.length;
            if (c.wantWidth) {
                EXPECT_EQ(w, c.wantWidth);
            }
            if (c.wantHeight) {
                EXPECT_EQ(h, c.wantHeight);
            }
        }
    });
}

// The caption's tip shows the whole caption only when it does not fit in the picture: a custom
// paper printed scaled on another custom paper makes a caption wider than the picture.
TEST_P(PagePreviews, TheCaptionTipShowsOnlyACaptionWiderThanThePicture) {
    BundledSheet sheet(GetParam());
    sheet.Look([&](drvtest::SheetDriver& driver) {
        HWND control = GetDlgItem(driver.Page(), IDC_PAGE_PREVIEW);
        CmBasicPreview* preview = PreviewOf(driver.Page());
        ASSERT_NE(preview, nullptr);
        const POINT caption = MiddleOf(*preview, kPartTipOver);
        ASSERT_GE(caption.x, 0);
        EXPECT_TRUE(drvtest::MoveMouse(control, caption.x, caption.y));
        EXPECT_EQ(preview->TipWindow(), nullptr) << "a caption that fits has no tip";
        EXPECT_TRUE(drvtest::MoveMouse(control, -5, -5));

        uint8_t* settings = sheet.user->GetSettingsSource();
        auto set16 = [&](DWORD option, int16_t v) { sheet.ctx->svc->SetOption(sheet.ctx, settings, option, &v, 2); };
        const uint16_t source[2] = {2100, 2970}, output[2] = {1480, 2100};
        set16(111, 256);
        set16(116, 256);
        sheet.ctx->svc->SetOption(sheet.ctx, settings, 114, source, sizeof source);
        sheet.ctx->svc->SetOption(sheet.ctx, settings, 119, output, sizeof output);
        set16(124, 1);
        set16(125, 71);
        uint32_t flags = ReadOptionWord(sheet.ctx, settings, kOptLayoutFlags) | 2u;
        sheet.ctx->svc->SetOption(sheet.ctx, settings, kOptLayoutFlags, &flags, sizeof flags);
        preview->Update();
        EXPECT_TRUE(drvtest::MoveMouse(control, caption.x, caption.y));
        ASSERT_NE(preview->TipWindow(), nullptr) << "a caption wider than the picture has its tip";
        EXPECT_TRUE(IsWindowVisible(preview->TipWindow()));
        EXPECT_EQ(GetCapture(), control);
        EXPECT_TRUE(drvtest::SaveWindowPng(preview->TipWindow(), Output(GetParam(), "caption-tip")));
        EXPECT_TRUE(drvtest::MoveMouse(control, -5, -5));
        EXPECT_EQ(preview->TipWindow(), nullptr) << "leaving the picture hides the tip";
    });
}

// On a palette display the picture keeps the halftone palette and realises it when the page is
// told to; a change of palette made by the page itself is not answered; on a display of more
// colours there is no palette to realise.
TEST_P(PagePreviews, OnAPaletteDisplayThePictureRealisesItsPalette) {
    BundledSheet sheet(GetParam());
    sheet.Look([&](drvtest::SheetDriver& driver) {
        HWND page = driver.Page();
        for (int bpp : {8, 32}) {
            drvtest::SetScreenBitsPerPixel(bpp);
            HWND control = CreateWindowA("Static", "", WS_CHILD | WS_VISIBLE | SS_NOTIFY, 0, 0, 200, 250, page, nullptr,
                                         nullptr, nullptr);
            auto* preview = new CmBasicPreview(control, sheet.ctx, sheet.user->GetSettingsSource(), 1);
            preview->SetDrawFlags(kCaptionLine);
            preview->Update();
            const size_t before = drvtest::LiveGdiObjects();
            EXPECT_EQ(preview->OnQueryNewPalette(), bpp == 8) << bpp;
            EXPECT_FALSE(preview->OnPaletteChanged(page)) << bpp;
            EXPECT_EQ(preview->OnPaletteChanged(driver.Sheet()), bpp == 8) << bpp;
            EXPECT_EQ(drvtest::LiveGdiObjects(), before) << bpp;
            if (bpp == 8) {
                EXPECT_TRUE(drvtest::SaveWindowPng(control, Output(GetParam(), "palette")));
            }
            delete preview;
            DestroyWindow(control);
        }
    });
}

// The staple points of a turned sheet: on a landscape sheet bound at the bottom edge the points lie
// along the left edge, and the top one is point 5; a click on it moves the staple there.
TEST_P(PagePreviews, AStaplePointOfALandscapeSheetMovesTheStaple) {
    BundledSheet sheet(GetParam());
    int16_t position = -1;
    sheet.Look([&](drvtest::SheetDriver& driver) {
        EXPECT_TRUE(drvtest::Click(driver.Page(), IDC_LANDSCAPE));
        ASSERT_TRUE(driver.SelectPage(kFinishingPage));
        HWND page = driver.Page();
        EXPECT_TRUE(drvtest::SetCheck(page, IDC_STAPLE, BST_CHECKED));
        uint8_t* settings = sheet.user->GetSettingsSource();
        const int16_t bottom = 3;
        sheet.ctx->svc->SetOption(sheet.ctx, settings, kOptBindingLocation, &bottom, sizeof bottom);
        HWND control = CreateWindowA("Static", "", WS_CHILD | WS_VISIBLE | SS_NOTIFY, 0, 0, 181, 181, page, nullptr,
                                     nullptr, nullptr);
        auto* preview = new CmBasicPreview(control, sheet.ctx, settings, 2);
        preview->SetSubMode(4);
        RECT s{};
        preview->GetSheetRect(&s);
        EXPECT_GT(s.right - s.left, s.bottom - s.top) << "a landscape sheet";
        int found = -1;
        for (int i = 0; i < preview->PartCount(); ++i)
            if (preview->Part(i).value == 5 && (preview->Part(i).flags & kPartClick)) found = i;
        ASSERT_GE(found, 0) << "point 5 is offered";
        const RECT r = preview->Part(found).hitRect;
        EXPECT_EQ(r.left, s.left + 1);
        EXPECT_EQ(r.top, s.top) << "the top third of the left edge";
        EXPECT_TRUE(drvtest::ClickMouse(control, (r.left + r.right) / 2, (r.top + r.bottom) / 2));
        position = SheetOption(sheet, 191);
        EXPECT_TRUE(drvtest::SaveWindowPng(control, Output(GetParam(), "staple-points")));
        delete preview;
        DestroyWindow(control);
    });
    EXPECT_EQ(position, 15);
}

INSTANTIATE_TEST_SUITE_P(BundledPrinters, PagePreviews, ::testing::Values(drvtest::kBundledPcl5ePrinter, drvtest::kBundledPcl5cPrinter));

}  // namespace
