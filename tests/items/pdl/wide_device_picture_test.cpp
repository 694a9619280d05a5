// The wide models' pictures over the bundled colour printer (model 2071, a wide model): the device
// page as one low strip 599 pixels across with the units the device-option data installs centred
// in it, and the pop-up device dialog's picture centred in its control, the selected source
// framed and each source a part. Pictures are saved as PNG under the build folder.
#include "page_picture_helpers.h"

#include "core/devmode/device_option_block.h"
#include "drvtest/test_window.h"
#include "drvtest/window_picture.h"
#include "preview/model_previews.h"

#include <string>
#include <vector>

using namespace sheettest;

namespace {

constexpr uint16_t kBody = 28610, kFinisher = 28615, kBookletFinisher = 28616, kDeck = 28613, kPuncher = 28614;
constexpr uint16_t kDrawerMark = 28617;

std::string Output(const std::string& name) { return std::string(DRVOPUI_TEST_OUTPUT_DIR) + "/wide-" + name + ".png"; }

const PictureLayer* LayerOf(const CmBasicPreview& p, uint16_t id) {
    for (int i = 0; i < p.LayerCount(); ++i)
        if (p.Layer(i).pictureId == id) return &p.Layer(i);
    return nullptr;
}

void Install(UIDEVDATA* ctx, uint8_t finisher, uint8_t byte7, uint16_t puncher) {
    uint8_t* data = devopt::blockData(ctx->svc->GetDeviceOption(ctx));
    ASSERT_NE(data, nullptr);
    data[devopt::kFinisherCode] = finisher;
    data[7] = byte7;
    data[devopt::kPuncherKind] = static_cast<uint8_t>(puncher);
    data[devopt::kPuncherKind + 1] = 0;
}

// The device page of a wide model is 599 by 52 pixels over its icon strip; the printer with its
// bypass tray (71 pixels) stands at (599 - 42) / 2 - 71 / 2 + 34 = 277, and each installed unit
// widens the group, which stays centred.
TEST(WideDevicePictures, TheDevicePageCentresTheInstalledUnitsInAStrip) {
    BundledSheet sheet(drvtest::kBundledPcl5cPrinter);
    ASSERT_NE(sheet.ctx, nullptr);
    PictureHost host(600, 100, 0);
    struct Case {
        const char* name;
        uint8_t finisher, byte7;
        uint16_t puncher;
        int bodyX;
        bool finisherShown, bookletShown, puncherShown;
        int decks;
    };
    // 71 + 40 + 40 + 17 + 62 = 230 wide: 278 - 115 + 34 = 197.
    for (auto c : {Case{"bare", 0, 0, 0, 277, false, false, false, 0},
                   Case{"finisher", 0x21, 0, 0, 278 - 66 + 34, true, false, false, 0},
                   Case{"full", 0x22, 0x0C, 3, 197, false, true, true, 2},
                   Case{"puncher-without-finisher", 0, 0x04, 3, 278 - 55 + 34, false, false, false, 1}}) {
        Install(sheet.ctx, c.finisher, c.byte7, c.puncher);
        auto device = MakePicture(host, sheet, kDevicePicture);
        ASSERT_NE(device, nullptr);
        EXPECT_EQ(device->Geometry()[kPictureWidth0], 599);
        EXPECT_EQ(device->Geometry()[kSheetAreaHeight], 52);
        EXPECT_EQ(device->ShownSize().cx, 599) << "shown at its own size";
        EXPECT_EQ(device->ShownSize().cy, 52 + 40);
        EXPECT_TRUE(drvtest::SaveWindowPng(host.control, Output(std::string("device-page-") + c.name)));
        const PictureLayer* body = LayerOf(*device, kBody);
        ASSERT_NE(body, nullptr) << c.name;
        EXPECT_EQ(body->x, c.bodyX) << c.name;
        EXPECT_EQ(LayerOf(*device, kFinisher) != nullptr, c.finisherShown) << c.name;
        EXPECT_EQ(LayerOf(*device, kBookletFinisher) != nullptr, c.bookletShown) << c.name;
        EXPECT_EQ(LayerOf(*device, kPuncher) != nullptr, c.puncherShown) << c.name;
        int decks = 0;
        for (int i = 0; i < device->LayerCount(); ++i) decks += device->Layer(i).pictureId == kDeck;
        EXPECT_EQ(decks, c.decks) << c.name;
        // The printer's own pixels stand where its layer says, two pixels in for the frame.
        const COLORREF trim = drvtest::WindowPixel(host.control, body->x + 2 + 10, body->y + 2 + 11);
        EXPECT_EQ(trim, RGB(255, 0, 0)) << c.name << ": the colour printer's red band";
        device.reset();  // before the control is sized for the next picture
        MoveWindow(host.control, 0, 0, 600, 100, FALSE);
    }
}

// The other wide model (K14) strings every unit it knows along the strip: side deck, printer,
// bypass, two decks, puncher, inserter, booklet finisher and stacker, 334 pixels centred.
TEST(WideDevicePictures, EveryUnitOfTheOtherWideModelFindsItsPlace) {
    BundledSheet sheet(drvtest::kBundledPcl5ePrinter);
    ASSERT_NE(sheet.ctx, nullptr);
    uint8_t* data = devopt::blockData(sheet.ctx->svc->GetDeviceOption(sheet.ctx));
    ASSERT_NE(data, nullptr);
    PictureHost host(600, 100, 0);
    struct Case {
        const char* name;
        uint8_t finisher, accessory0, accessory1, units;
        uint16_t puncher;
        int bodyX;
        std::vector<uint16_t> shown;
    };
    const Case cases[] = {
        {"bare", 0, 0, 0, 0, 0, 277, {28609, 28611}},
        {"every-unit", 41, 0xC3, 0x01, 0x42, 5, 175,
         {28612, 28609, 28611, 28613, 28613, 28614, 28621, 28616, 28623}},
        {"one-tray-inserter-and-finisher", 40, 0x00, 0x01, 0, 0, 278 - 74 + 34, {28609, 28611, 28622, 28615}},
    };
    for (const Case& c : cases) {
        data[devopt::kFinisherCode] = c.finisher;
        data[devopt::kAccessoryWord] = c.accessory0;
        data[devopt::kAccessoryWord + 1] = c.accessory1;
        data[devopt::kOptionWord] = c.units;
        data[devopt::kPuncherKind] = static_cast<uint8_t>(c.puncher);
        data[devopt::kPuncherKind + 1] = 0;
        auto* device = new ModelDevicePreview(host.control, sheet.ctx, sheet.user->GetSettingsSource(), kDevicePicture,
                                              ModelPictureOf(2047));
        device->Update();
        EXPECT_TRUE(drvtest::SaveWindowPng(host.control, Output(std::string("k14-device-page-") + c.name)));
        std::vector<uint16_t> shown;
        for (int i = 0; i < device->LayerCount(); ++i) shown.push_back(device->Layer(i).pictureId);
        EXPECT_EQ(shown, c.shown) << c.name << ": the units in their order, left to right";
        const PictureLayer* body = LayerOf(*device, 28609);
        ASSERT_NE(body, nullptr);
        EXPECT_EQ(body->x, c.bodyX) << c.name;
        for (int i = 1; i < device->LayerCount(); ++i)
            EXPECT_GT(device->Layer(i).x, device->Layer(i - 1).x) << c.name << ": each unit right of the one before";
        delete device;
        MoveWindow(host.control, 0, 0, 600, 100, FALSE);
    }
}

// The pop-up picture takes the control's client area; the device is centred in it (client width
// / 2 - device width / 2 - 6) and set 13 pixels down; the selected source is framed and every
// source is a part that moves with the device.
TEST(WideDevicePictures, ThePopupPictureCentresTheDeviceAndFramesTheSource) {
    BundledSheet sheet(drvtest::kBundledPcl5cPrinter);
    ASSERT_NE(sheet.ctx, nullptr);
    reinterpret_cast<DEVMODEA*>(sheet.user->GetSettingsSource())->dmDefaultSource = 3;
    struct Case { const char* name; uint8_t finisher, byte7; int total; };
    for (auto c : {Case{"bare", 0, 0, 71}, Case{"deck-and-finisher", 0x21, 0x04, 71 + 40 + 62}}) {
        Install(sheet.ctx, c.finisher, c.byte7, 0);
        PictureHost host(300, 124, 0);
        auto* popup = dynamic_cast<PopupDevPreview*>(static_cast<CmBasicPreview*>(
            CreatePreview(host.control, sheet.ctx, sheet.user->GetSettingsSource(), kPopupDevicePicture)));
        ASSERT_NE(popup, nullptr);
        EXPECT_EQ(popup->Geometry()[kPictureWidth0], 300);
        EXPECT_EQ(popup->GetPictureWidth(), c.total + 120);
        EXPECT_TRUE(drvtest::SaveWindowPng(host.control, Output(std::string("popup-") + c.name)));
        const int dx = 150 - c.total / 2 - 6;
        const PictureLayer* body = LayerOf(*popup, kBody);
        ASSERT_NE(body, nullptr);
        EXPECT_EQ(body->x, dx) << c.name;
        EXPECT_EQ(body->y, 2 + 13) << c.name;
        const PictureLayer* mark = LayerOf(*popup, kDrawerMark);
        ASSERT_NE(mark, nullptr) << "the selected cassette is framed";
        EXPECT_EQ(mark->x, 4 + dx);
        EXPECT_EQ(mark->y, 33 + 13) << "the lower cassette";
        int sources = 0;
        for (int i = 0; i < popup->PartCount(); ++i) {
            const PicturePart& p = popup->Part(i);
            if (p.value == 3) {
                EXPECT_EQ(p.drawRect.left, 4 + dx);
            }
            sources += (p.flags & kPartButton) != 0;
        }
        EXPECT_EQ(sources, c.byte7 ? 4 : 3) << c.name << ": cassettes, bypass and the deck when installed";
        delete popup;
    }
}

}  // namespace
