// The bundled printer's device picture follows what the device reports: reading the device
// through VomelDeviceMode (0x1000E kind 8, the configuration registered as the library registers
// it, the simulated device-information library in the driver's folder) installs a finisher and a
// third cassette, and the printer picture grows both; read again without them, they go.
#include "driver_option_fixture.h"
#include "page_picture_helpers.h"

#include "device/config/configuration.h"
#include "drvtest/simulated_device.h"
#include "drvtest/test_window.h"
#include "drvtest/window_picture.h"
#include "preview/page_previews.h"
#include "preview/basic_preview.h"
#include "settings/sdk/nonsv_device_services.h"
#include "ui/dialog_framework.h"

#include <memory>
#include <string>

#ifdef SIM_ZDSVC2

namespace {

using sheettest::HasLayer;

void RegisterWithConfiguration() {
    RegisterDialogFramework();
    RegisterApplicationOptions();
    RegisterDeviceConfiguration();
}

// The device: two built-in cassettes and the bypass tray, with or without the third cassette and
// the finisher.
std::string Kelvaro(bool thirdCassette, bool finisher) {
    std::string d = "attr 0 1056 text \"Vomel Kelvaro 2059\"\n";
    d += thirdCassette ? "list 1002 4033 301 302 303 304\n" : "list 1002 4033 301 302 303\n";
    d += "attr 301 10601 text \"TRAY\"\nattr 301 10617 number 0\nattr 301 10911 number 2 80 0 3\n"
         "attr 302 10601 text \"CASSETTE1\"\nattr 302 10617 number 0\nattr 302 10911 number 1 80 0 3\n"
         "attr 303 10601 text \"CASSETTE2\"\nattr 303 10617 number 0\nattr 303 10911 number 2 80 0 3\n";
    if (thirdCassette)
        d += "attr 304 10601 text \"CASSETTE3\"\nattr 304 10617 number 0\nattr 304 10911 number 2 40 0 3\n";
    if (finisher) d += "list 1015 4037 501\nattr 501 11804 text \"Finisher FS-1\"\nattr 501 11806 number 13 4\n";
    d += "list 1019 0 401\nattr 401 12502 text \"RAM\"\nattr 401 12507 number 2\nattr 401 178 number 262144\n"
         "attr 401 12506 number 4 4\n";
    return d;
}

LRESULT CALLBACK HostProc(HWND w, UINT m, WPARAM wp, LPARAM lp) { return DefWindowProcA(w, m, wp, lp); }

class DevicePictureQuery : public ::testing::Test {
public:
    void SetUp() override {
        ASSERT_NE(open_.handle, nullptr);
        sim = std::make_unique<drvtest::SimulatedDevice>(open_.fixture.Root() + "/WINDOWS/SYSTEM");
        sim->Install(SIM_ZDSVC2, "Zdsvc2.dll");
        RegisterPagePreviews();
    }
    void TearDown() override {
        if (IsWindow(parent)) DestroyWindow(parent);
        sim->Remove("Zdsvc2.dll");
        RegisterNonSvDeviceServices(nullptr);
        RegisterModuleFactory(kModuleConfiguration, nullptr);
    }
    UIDEVDATA* Ctx() { return static_cast<UIDEVDATA*>(open_.handle); }
    // Reads the device as it is described, then paints the device page's picture.
    void ReadDevice(bool third, bool finisher) {
        sim->Describe(Kelvaro(third, finisher));
        DWORD word = 0;
        ASSERT_EQ(open_.Ask(8, 0x1000E, &word), 0);
        preview->Update();
    }
    std::string Output(const char* name) { return std::string(DRVOPUI_TEST_OUTPUT_DIR) + "/device-query-" + name + ".png"; }

    drvtest::ExportSession open_{RegisterWithConfiguration};
    std::unique_ptr<drvtest::SimulatedDevice> sim;
    HWND parent = drvtest::MakeWindow("DevicePictureQueryHost", HostProc, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 400, 400);
    HWND control = CreateWindowA("Static", "", WS_CHILD | WS_VISIBLE | SS_NOTIFY, 0, 0, 181, 240, parent, nullptr,
                                 nullptr, nullptr);
    CmBasicPreview* preview = nullptr;
};

TEST_F(DevicePictureQuery, TheDevicePictureFollowsTheOptionsTheDeviceReports) {
    preview = static_cast<CmBasicPreview*>(CreatePreview(control, Ctx(), open_.devmode.data(), kDevicePicture));
    ASSERT_NE(preview, nullptr);
    constexpr uint16_t kFinisher = 28401, kDeck = 28270;  // the model's deck: 28200 + its body width
    // The finisher stands left of the body, the deck under it: two points that change.
    const POINT finisherAt{40, 95}, deckAt{130, 98};
    struct Step {
        bool third, finisher;
        const char* name;
    };
    COLORREF bare[2] = {};
    for (auto s : {Step{false, false, "bare"}, Step{true, true, "finisher-and-cassette"}, Step{false, false, "bare-again"}}) {
        ReadDevice(s.third, s.finisher);
        EXPECT_TRUE(drvtest::SaveWindowPng(control, Output(s.name)));
        EXPECT_EQ(HasLayer(*preview, kFinisher), s.finisher) << s.name;
        EXPECT_EQ(HasLayer(*preview, kDeck), s.third) << s.name;
        const COLORREF at[2] = {drvtest::WindowPixel(control, finisherAt.x, finisherAt.y),
                                drvtest::WindowPixel(control, deckAt.x, deckAt.y)};
        if (!s.finisher && !s.third) {
            if (bare[0] || bare[1]) {
                EXPECT_EQ(at[0], bare[0]) << "the same device draws the same picture";
                EXPECT_EQ(at[1], bare[1]);
            }
            bare[0] = at[0];
            bare[1] = at[1];
        } else {
            EXPECT_NE(at[0], bare[0]) << "the finisher is drawn";
            EXPECT_NE(at[1], bare[1]) << "the third cassette is drawn";
        }
    }
    delete preview;
}

}  // namespace

#endif
