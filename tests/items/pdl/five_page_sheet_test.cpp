// The bundled printers' five pages in one sheet, with the item sets the sheet starts with and the
// bundled rules running, driven by the scripted user: what a page sets reaches the request and
// the printer on OK, and the settings that follow the page's orientation follow a turn made
// inside the sheet as they follow a sheet that opened turned.
#include "core/device/service_table.h"
#include "core/device/user_data.h"
#include "data/resources/drvopui_ids.h"
#include "drvtest/fixture_device.h"
#include "drvtest/scripted_sheet.h"
#include "drvtest/scripted_user.h"
#include "items/common/finishing_items.h"
#include "items/common/job_items.h"
#include "items/common/option_word.h"
#include "items/common/page_layout_items.h"
#include "items/common/public_devmode.h"
#include "items/pdl/finishing_item_sets.h"
#include "items/pdl/item_sets.h"
#include "items/pdl/pdl_user_data.h"
#include "items/pdl/quality_item_sets.h"
#include "platform/resources/res_file.h"
#include "ui/finishing_pages.h"
#include "ui/sheet_data.h"
#include "ui/sv_proc.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

template <uint32_t SetId>
class PageProc : public CmSvProc {
public:
    PageProc() : CmSvProc(SetId, 0) {}
};

constexpr size_t kDuplex = 62;  // dmDuplex

enum Page { kPageSetup, kPaperSource, kQuality, kFinishing, kDeviceSettings };

class FivePageSheet : public ::testing::TestWithParam<const char*> {
protected:
    void SetUp() override {
        ASSERT_NE(ctx, nullptr);
        InitCommonControls();
        ASSERT_TRUE(RegisterFinishingDialogs());
        module = res::OpenResourceFile(DRVOPUI_BINARY_DIR "/data/resources/drvopui.res");
        ASSERT_NE(module, nullptr);
        user = ctx->svc->GetUserData(ctx);
        user->SetInchUnit(FALSE);
    }
    void TearDown() override {
        PDLSvUserData::EndSheet(ctx);
        UnregisterFinishingDialogs();
        if (module) res::CloseResourceFile(module);
    }
    // The sheet over the settings as they are now; the script drives it.
    void Run(std::function<void(drvtest::SheetDriver&)> script) {
        ASSERT_NE(PDLSvUserData::StartSheet(ctx), nullptr);
        drvtest::ScriptedSheet person;
        person.OnSheet(std::move(script));
        SHEETDATA data{sizeof(SHEETDATA), ctx, 0, kSheetPage};
        const LPARAM page = reinterpret_cast<LPARAM>(&data);
        drvtest::RunSheet(module,
                          {{IDD_PAGE_SETUP, CmProc::DialogProcFor<PageProc<kPageSetupSetId>>, page},
                           {IDD_PAPER_SOURCE, CmProc::DialogProcFor<PageProc<kPaperSourceSetId>>, page},
                           {IDD_QUALITY, CmProc::DialogProcFor<PageProc<kQualitySetId>>, page},
                           {IDD_FINISHING, CmProc::DialogProcFor<FinishingPageProc>, page},
                           {IDD_DEVICE_SETTINGS, CmProc::DialogProcFor<PageProc<kDeviceSettingsSetId>>, page}},
                          "Printing preferences");
        EXPECT_EQ(person.sheetsSeen(), 1);
        PDLSvUserData::EndSheet(ctx);
    }
    template <typename T>
    T DeviceValue(const uint8_t* block, uint32_t id) {
        T value = 0;
        EXPECT_TRUE(ctx->svc->GetDeviceOptionValue(ctx, block, id, &value, sizeof value));
        return value;
    }
    const uint8_t* Request() { return ctx->svc->GetDevmode(ctx, 3); }

    drvtest::FixtureDevice fixture{kKindDevmode, GetParam()};
    UIDEVDATA* ctx = fixture.Make(kKindUserInterface);
    HMODULE module = nullptr;
    CmUserData* user = nullptr;
};

TEST_P(FivePageSheet, DeviceOptionsChosenOnThePagesReachTheRequestAndThePrinterOnOk) {
    const uint32_t lockBefore = DeviceValue<uint32_t>(ctx->svc->GetDeviceOption(ctx), kDevOptLockWord);
    Run([&](drvtest::SheetDriver& sheet) {
        EXPECT_TRUE(drvtest::Click(sheet.Page(), IDC_LOCK));
        ASSERT_TRUE(sheet.SelectPage(kDeviceSettings));
        EXPECT_TRUE(drvtest::ChooseEntryByText(sheet.Page(), IDC_SPOOL, "Off"));
        EXPECT_TRUE(sheet.PressOk());
    });
    const uint32_t lockBit = 1u << kLockBit;
    const uint8_t* request = ctx->svc->GetDeviceOption(ctx);
    EXPECT_EQ(DeviceValue<uint16_t>(request, kDevOptSpooling), 2);
    EXPECT_EQ(DeviceValue<uint32_t>(request, kDevOptLockWord) & lockBit, ~lockBefore & lockBit);
    // A request made afterwards reads the printer's stored block.
    UIDEVDATA* later = fixture.Make(kKindUserInterface);
    ASSERT_NE(later, nullptr);
    uint16_t spooling = 0;
    ASSERT_TRUE(later->svc->GetDeviceOptionValue(later, later->svc->GetDeviceOption(later), kDevOptSpooling,
                                                 &spooling, sizeof spooling));
    EXPECT_EQ(spooling, 2);
}

TEST_P(FivePageSheet, DeviceOptionsChosenOnThePagesAreDroppedOnCancel) {
    Run([&](drvtest::SheetDriver& sheet) {
        ASSERT_TRUE(sheet.SelectPage(kDeviceSettings));
        EXPECT_TRUE(drvtest::ChooseEntryByText(sheet.Page(), IDC_SPOOL, "Off"));
        EXPECT_TRUE(sheet.PressCancel());
    });
    EXPECT_EQ(DeviceValue<uint16_t>(ctx->svc->GetDeviceOption(ctx), kDevOptSpooling), 0);
}

// What the user sees and stores after choosing the upper right staple point, with the page turned
// to landscape on the page-setup page or with a sheet that opened landscape.
struct TurnedSheet {
    std::vector<std::string> bindingRows, bookletRows;
    int16_t staplePoint = 0;
    std::vector<uint16_t> layoutPictures;
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

class OrientationFollowers : public FivePageSheet {
protected:
    TurnedSheet RunTurned(bool turnInside) {
        uint8_t* settings = user->GetSettingsSource();
        publicdm::PutU16(settings, publicdm::kOrientation, turnInside ? DMORIENT_PORTRAIT : DMORIENT_LANDSCAPE);
        publicdm::PutU16(settings, kDuplex, DMDUP_VERTICAL);
        WriteOptionShort(ctx, settings, kOptLayoutMode, 4);  // a booklet, so that its dialog opens
        WriteOptionShort(ctx, settings, kOptPagesPerSheet, 0);
        WriteOptionShort(ctx, settings, kOptBindingLocation, 0);
        WriteOptionShort(ctx, settings, kOptStaplePoint, 9);
        TurnedSheet seen;
        drvtest::ScriptedUser person;
        person.OnDialog([&](HWND dialog) {
            EXPECT_TRUE(drvtest::Click(dialog, IDC_STAPLE_UPPER_RIGHT));
            EXPECT_TRUE(drvtest::PressOk(dialog));
        });
        person.OnDialog([&](HWND dialog) {
            seen.bookletRows = drvtest::ReadEntries(dialog, IDC_BOOKLET_BINDING);
            EXPECT_TRUE(drvtest::PressCancel(dialog));
        });
        Run([&](drvtest::SheetDriver& sheet) {
            if (turnInside) {
                EXPECT_TRUE(drvtest::Click(sheet.Page(), IDC_LANDSCAPE));
            }
            seen.layoutPictures = LayoutPictures(sheet.Page());
            ASSERT_TRUE(sheet.SelectPage(kFinishing));
            HWND p = sheet.Page();
            seen.bindingRows = drvtest::ReadEntries(p, IDC_BINDING);
            EXPECT_TRUE(drvtest::SetCheck(p, IDC_STAPLE, BST_CHECKED));
            EXPECT_TRUE(drvtest::Click(p, IDC_STAPLE_POSITION));
            EXPECT_TRUE(drvtest::Click(p, IDC_BOOKLET_OPTIONS));
            EXPECT_TRUE(sheet.PressOk());
        });
        EXPECT_EQ(person.dialogsSeen(), 2);
        seen.staplePoint = static_cast<int16_t>(ReadOptionShort(ctx, Request(), kOptStaplePoint));
        return seen;
    }
};

TEST_P(OrientationFollowers, ATurnInsideTheSheetIsFollowedAsASheetOpenedTurned) {
    const TurnedSheet opened = RunTurned(false);
    const TurnedSheet turned = RunTurned(true);
    EXPECT_EQ(opened.staplePoint, 9) << "upper right of a landscape page";
    EXPECT_EQ(turned.staplePoint, opened.staplePoint);
    EXPECT_EQ(turned.bindingRows, opened.bindingRows);
    EXPECT_EQ(turned.bookletRows, opened.bookletRows);
    EXPECT_EQ(turned.layoutPictures, opened.layoutPictures);
    EXPECT_FALSE(opened.layoutPictures.empty());
    EXPECT_NE(opened.bindingRows, std::vector<std::string>{});
}

INSTANTIATE_TEST_SUITE_P(Bundled, FivePageSheet,
                         ::testing::Values(drvtest::kBundledPcl5ePrinter, drvtest::kBundledPcl5cPrinter));
INSTANTIATE_TEST_SUITE_P(Bundled, OrientationFollowers,
                         ::testing::Values(drvtest::kBundledPcl5ePrinter, drvtest::kBundledPcl5cPrinter));

}  // namespace
