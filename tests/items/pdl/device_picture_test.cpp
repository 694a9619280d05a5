// The printer pictures: every model's device picture and page picture drawn over the bundled
// printer's resources with several device-option blocks, every layer loading and every source a
// part; the page-setup picture switching to the printer and remembering it; and the bundled
// printers' picture following what reading the device through VomelDeviceMode installs.
// Pictures are saved as PNG under the build folder.
#include "page_picture_helpers.h"

#include "core/devmode/device_option_block.h"
#include "drvtest/scripted_user.h"
#include "drvtest/test_window.h"
#include "drvtest/window_picture.h"
#include "preview/model_previews.h"

#include <set>
#include <string>

using namespace sheettest;

namespace {

std::string Output(const std::string& name) { return std::string(DRVOPUI_TEST_OUTPUT_DIR) + "/device-" + name + ".png"; }

// The installed options of a device-option block, written into its data part.
struct Installed {
    const char* name;
    uint8_t finisher;
    uint8_t byte1, byte5, byte6, byte7;
};

constexpr Installed kBlocks[] = {
    {"bare", 0, 0, 0, 0, 0},
    {"decks", 0, 0, 0x03, 0x1F, 0x0C},
    {"full", 0x21, 0xB3, 0x43, 0x1F, 0x0E},
    {"large-finisher", 12, 0x03, 0x42, 0, 0},
};

void Install(UIDEVDATA* ctx, const Installed& b) {
    uint8_t* data = devopt::blockData(ctx->svc->GetDeviceOption(ctx));
    ASSERT_NE(data, nullptr);
    data[0] = b.finisher;
    data[1] = b.byte1;
    data[5] = b.byte5;
    data[6] = b.byte6;
    data[7] = b.byte7;
    data[9] = 0;
}

// The printer's body layer: the default model and the wide models have pictures of their own.
uint16_t BodyOf(const ModelPictureRow& row, bool devicePage) {
    const std::string code = row.code;
    if (code == "K07") return 28037;
    if (devicePage && row.wide) return code == "K14" ? 28609 : 28610;
    return row.body;
}

class DevicePictures : public ::testing::TestWithParam<const char*> {};

// Every row of the picture table, with three device-option blocks, as the main pages' picture in
// its printer mode and as the device page's picture: each layer's bitmap is in the resource module,
// each source a part, the finisher's layer present exactly when its code is one the row lists.
TEST(DevicePictures, EveryModelDrawsEveryLayerWithItsSources) {
    BundledSheet sheet(drvtest::kBundledPcl5ePrinter);
    ASSERT_NE(sheet.ctx, nullptr);
    UIDEVDATA* ctx = sheet.ctx;
    uint8_t* settings = sheet.user->GetSettingsSource();
    int rows = 0;
    const ModelPictureRow* table = ModelPictureRows(&rows);
    ASSERT_EQ(rows, 33);
    PictureHost host;
    for (int r = 0; r < rows; ++r) {
        const ModelPictureRow& row = table[r];
        for (const Installed& block : kBlocks) {
            Install(ctx, block);
            auto* pages = new ModelSheetsPreview(host.control, ctx, settings, 3, &row);
            pages->SetDrawFlags(kModeStrip | kStateIconStrip);
            pages->SetMode(2);
            pages->SetSubMode(7);
            const std::string name = std::string(row.code) + "-" + block.name;
            EXPECT_TRUE(drvtest::SaveWindowPng(host.control, Output(name)));
            ASSERT_GT(pages->LayerCount(), 0) << name;
            for (int i = 0; i < pages->LayerCount(); ++i) {
                const uint16_t id = pages->Layer(i).pictureId;
                if (id == 0) continue;  // the default model's top for a number it has none for
                HBITMAP b = ctx->svc->LoadBitmap(ctx, id);
                EXPECT_NE(b, nullptr) << name << " layer " << id;
                if (b) DeleteObject(b);
            }
            EXPECT_TRUE(HasLayer(*pages, BodyOf(row, false))) << name;
            for (uint16_t source : {1, 3, 4})
                EXPECT_GE(PartOf(*pages, source, kPartButton), 0) << name << " source " << source;
            bool finisher = false;
            for (uint8_t code : row.smallFinishers) finisher |= code != 0 && code == block.finisher;
            EXPECT_EQ(HasLayer(*pages, 28401), finisher) << name;
            delete pages;

            auto* device = new ModelDevicePreview(host.control, ctx, settings, 5, &row);
            device->Update();
            EXPECT_TRUE(drvtest::SaveWindowPng(host.control, Output(name + "-device-page")));
            // The wide models' device page draws their units side by side, its own printer among them.
            EXPECT_TRUE(HasLayer(*device, BodyOf(row, true))) << name;
            EXPECT_EQ(device->PartCount(), 0) << "the device page's printer has no clickable sources";
            delete device;
            MoveWindow(host.control, 10, 10, 181, 240, FALSE);  // the device page fitted it to its picture
        }
    }
}

// The source the settings select is framed; a value the picture has no place for (past the eight
// slots, negative, another model's) frames nothing and draws the printer as before.
TEST(DevicePictures, OnlyASourceThePictureKnowsIsFramed) {
    BundledSheet sheet(drvtest::kBundledPcl5ePrinter);
    ASSERT_NE(sheet.ctx, nullptr);
    UIDEVDATA* ctx = sheet.ctx;
    uint8_t* settings = sheet.user->GetSettingsSource();
    Install(ctx, kBlocks[2]);
    PictureHost host;
    const ModelPictureRow* row = ModelPictureOf(2059);
    const uint16_t kDeckMark = static_cast<uint16_t>(28300 + row->bodyWidth);
    struct Case { int16_t source; bool framed; };
    for (auto c : {Case{1, true}, Case{264, true}, Case{4, true}, Case{7, false}, Case{9, false}, Case{300, false},
                   Case{-1, false}, Case{-32768, false}, Case{270, false}}) {
        auto* dm = reinterpret_cast<DEVMODEA*>(settings);
        dm->dmDefaultSource = c.source;
        auto* p = new ModelSheetsPreview(host.control, ctx, settings, 3, row);
        p->SetDrawFlags(kModeStrip);
        p->SetMode(2);
        p->SetSubMode(7);
        drvtest::WindowPixel(host.control, 0, 0);  // paints
        const bool framed = HasLayer(*p, kDeckMark) || HasLayer(*p, 28405);
        EXPECT_EQ(framed, c.framed) << c.source;
        EXPECT_TRUE(HasLayer(*p, row->body)) << c.source;
        delete p;
    }
}

// A model number no row lists takes the default picture.
TEST(DevicePictures, AnUnlistedModelTakesTheDefaultPicture) {
    for (uint16_t model : {0, 2064, 65535}) EXPECT_STREQ(ModelPictureOf(model)->code, "K07") << model;
}

// The page-setup picture switches to the printer by its mode button; the printer marks the
// selected source, a click on another source asks the page for it, and the page keeps the
// printer picture when it is left.
TEST_P(DevicePictures, ThePageSetupPictureShowsThePrinterAndItsSelectedSource) {
    BundledSheet sheet(GetParam());
    sheet.Look([&](drvtest::SheetDriver& driver) {
        HWND page = driver.Page();
        CmBasicPreview* preview = PreviewOf(page);
        ASSERT_NE(preview, nullptr);
        HWND control = GetDlgItem(page, IDC_PAGE_PREVIEW);
        const int button = PartOf(*preview, 2, kPartMode);
        ASSERT_GE(button, 0) << "the mode strip offers the printer";
        const RECT& r = preview->Part(button).hitRect;
        EXPECT_TRUE(drvtest::ClickMouse(control, (r.left + r.right) / 2, (r.top + r.bottom) / 2));
        EXPECT_EQ(preview->GetMode(), 2);
        EXPECT_EQ(preview->GetSubMode(), 7) << "the printer shows the paper source of all pages";
        EXPECT_TRUE(drvtest::SaveWindowPng(control, Output(std::string(GetParam()) + "-page-setup")));
        const auto* model = dynamic_cast<ModelSheetsPreview*>(preview);
        ASSERT_NE(model, nullptr);
        EXPECT_TRUE(HasLayer(*preview, model->Row().body));
        EXPECT_GE(PartOf(*preview, 1, kPartButton), 0);
        ASSERT_TRUE(driver.SelectPage(kFinishingPage));
        EXPECT_EQ(static_cast<int>(sheet.user->GetPageState()->pages[0].mode), 2)
            << "the page state keeps the printer picture";
        ASSERT_TRUE(driver.SelectPage(kPageSetupPage));
        EXPECT_EQ(PreviewOf(driver.Page())->GetMode(), 2);
    });
}

// The paper-source page opens on the printer; a click on a cassette asks the page for that source
// of all pages, the source list follows and takes the focus, and OK hands the source over.
TEST_P(DevicePictures, AClickOnACassetteChoosesItThroughThePaperSourcePage) {
    BundledSheet sheet(GetParam());
    ASSERT_TRUE(sheet.Start());
    drvtest::ScriptedSheet person;
    person.OnSheet([&](drvtest::SheetDriver& driver) {
        ASSERT_TRUE(driver.SelectPage(kPaperSourcePage));
        HWND page = driver.Page();
        CmBasicPreview* preview = PreviewOf(page);
        ASSERT_NE(preview, nullptr);
        EXPECT_EQ(preview->GetMode(), 2);
        const int part = PartOf(*preview, 3, kPartButton);
        ASSERT_GE(part, 0) << "the lower cassette is a part";
        const RECT r = preview->Part(part).hitRect;
        HWND control = GetDlgItem(page, IDC_PAGE_PREVIEW);
        EXPECT_TRUE(drvtest::ClickMouse(control, (r.left + r.right) / 2, (r.top + r.bottom) / 2));
        Pump();
        EXPECT_EQ(GetFocus(), GetDlgItem(page, IDC_SOURCE_ALL)) << "the source list of all pages takes the focus";
        EXPECT_EQ(SheetOption(sheet, 201), 0) << "the printer shows one source for all pages";
        EXPECT_TRUE(drvtest::SaveWindowPng(control, Output(std::string(GetParam()) + "-paper-source")));
        EXPECT_TRUE(driver.PressOk());
    });
    sheet.Run();
    EXPECT_EQ(person.sheetsSeen(), 1);
    const auto* dm = reinterpret_cast<const DEVMODEA*>(sheet.Request());
    EXPECT_EQ(dm->dmDefaultSource, 3) << "the lower cassette";
}

// The printer picture's menu offers the tray lists the selection shows; choosing one shows that
// list's source in the picture.
TEST_P(DevicePictures, ThePrinterMenuChoosesTheTrayListShown) {
    BundledSheet sheet(GetParam());
    drvtest::ScriptedUser menuUser;
    menuUser.ChooseMenuCommand(22815);  // first page: not offered while one source serves all pages
    sheet.Look([&](drvtest::SheetDriver& driver) {
        ASSERT_TRUE(driver.SelectPage(kPaperSourcePage));
        HWND control = GetDlgItem(driver.Page(), IDC_PAGE_PREVIEW);
        EXPECT_TRUE(drvtest::RightClickMouse(control, 90, 60));
        Pump();
        auto* preview = dynamic_cast<Basic3SheetsPreview*>(PreviewOf(driver.Page()));
        ASSERT_NE(preview, nullptr);
        EXPECT_EQ(preview->GetSubMode(), 7) << "a disabled tray command changes nothing";
        EXPECT_EQ(preview->TrayCommand(), 22817) << "the page state keeps the list shown, not the refused one";
        HMENU menu = preview->BuildContextMenu();
        ASSERT_NE(menu, nullptr);
        EXPECT_TRUE(GetMenuState(menu, 22815, MF_BYCOMMAND) & MF_GRAYED);
        EXPECT_FALSE(GetMenuState(menu, 22817, MF_BYCOMMAND) & MF_GRAYED);
        EXPECT_TRUE(GetMenuState(menu, 22817, MF_BYCOMMAND) & MF_CHECKED);
        DestroyMenu(menu);
    });
}

INSTANTIATE_TEST_SUITE_P(BundledPrinters, DevicePictures,
                         ::testing::Values(drvtest::kBundledPcl5ePrinter, drvtest::kBundledPcl5cPrinter));

}  // namespace
