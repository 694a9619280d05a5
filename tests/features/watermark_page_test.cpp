// The watermark dialog of the bundled printer, opened by "Edit stamp..." on the real page-setup
// page and driven by the scripted user: presets added, changed and deleted within the limits,
// the checks on names and texts, the sample picture of each (saved as PNG), and what OK stores in
// the registry and in the request.
#include "watermark_fixture.h"

#include "data/resources/drvopui_ids.h"
#include "drvtest/canvas.h"
#include "drvtest/scripted_sheet.h"
#include "drvtest/scripted_user.h"
#include "drvtest/window_picture.h"
#include "features/watermark_page.h"
#include "items/common/watermark_view.h"
#include "tests/items/pdl/bundled_sheet.h"

namespace watermarktest {
namespace {

// The dialog's picture, moved onto the screen first (it opens centred on the sheet).
void SavePicture(HWND dialog, const std::string& name) {
    SetWindowPos(dialog, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    EXPECT_TRUE(drvtest::SaveWindowPng(dialog, std::string(DRVOPUI_TEST_OUTPUT_DIR) + "/" + name + ".png")) << name;
}

class WaterMarkPage : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(sheet.Start()); }
    PDLWaterMark& Marks() { return dynamic_cast<PDLWaterMark&>(*EditableWaterMarkOf(ctx)); }
    // The printer's sheet, where the script presses "Edit stamp..." on the page-setup page and
    // then OK or Cancel.
    void RunPageSetup(bool ok) {
        drvtest::ScriptedSheet sheetPerson;
        sheetPerson.OnSheet([&](drvtest::SheetDriver& driver) {
            EXPECT_TRUE(drvtest::Click(driver.Page(), IDC_EDIT_STAMP));
            stampsAfter = drvtest::ReadEntries(driver.Page(), IDC_STAMP_SELECT);
            ok ? driver.PressOk() : driver.PressCancel();
        });
        sheet.Run();
    }
    std::string RequestText(DWORD option) {
        char text[33] = {};
        ctx->svc->GetOption(ctx, ctx->svc->GetDevmode(ctx, 3), option, text, 32);
        return text;
    }
    template <typename T>
    T RequestNumber(DWORD option) {
        T value{};
        ctx->svc->GetOption(ctx, ctx->svc->GetDevmode(ctx, 3), option, &value, sizeof value);
        return value;
    }
    std::vector<uint8_t> Stored(uint32_t index) {
        std::vector<uint8_t> bytes;
        Marks().ReadValue(index, bytes);
        return bytes;
    }

    std::vector<std::string> stampsAfter;  // the page's stamp list once the dialog closed
    sheettest::BundledSheet sheet{drvtest::kBundledPcl5ePrinter};
    UIDEVDATA* ctx = sheet.ctx;
    drvtest::ScriptedUser person;
};

TEST_F(WaterMarkPage, EditStampAddsAWatermarkThatOkStoresAndPutsInTheRequest) {
    person.OnDialog([&](HWND d) {
        const std::vector<std::string> listed = drvtest::ReadEntries(d, IDC_WM_LIST);
        ASSERT_GE(listed.size(), 8u);
        EXPECT_EQ(listed.back(), "TOP SECRET");
        EXPECT_TRUE(drvtest::ChooseEntryByText(d, IDC_WM_LIST, "DRAFT"));
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(d, IDC_WM_DELETE))) << "a built-in preset stays";
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(d, IDC_WM_ANGLE))) << "DRAFT runs along the diagonal";
        SavePicture(d, "watermark_draft");
        EXPECT_TRUE(drvtest::Click(d, IDC_WM_ADD));
        EXPECT_EQ(drvtest::ReadSelectedEntry(d, IDC_WM_LIST), "New watermark");
        EXPECT_TRUE(drvtest::Type(d, IDC_WM_NAME, "Mine"));
        EXPECT_TRUE(drvtest::Type(d, IDC_WM_TEXT, "FOR REVIEW"));
        EXPECT_TRUE(drvtest::Type(d, IDC_WM_X, "20"));
        EXPECT_TRUE(drvtest::Type(d, IDC_WM_Y, "-70"));
        EXPECT_EQ(drvtest::ReadText(d, IDC_WM_Y), "-50") << "a place beyond the page's edge is held at it";
        EXPECT_TRUE(drvtest::Type(d, IDC_WM_SIZE, "90"));
        EXPECT_TRUE(drvtest::Click(d, IDC_WM_FREE_ANGLE));
        EXPECT_TRUE(drvtest::Type(d, IDC_WM_ANGLE, "30"));
        EXPECT_TRUE(drvtest::ChooseEntryByText(d, IDC_WM_COLOUR, "Red"));
        EXPECT_TRUE(drvtest::Click(d, IDC_WM_FRAME_BOX));
        EXPECT_EQ(drvtest::ReadText(d, IDC_WM_X), "20");
        SavePicture(d, "watermark_added");
        EXPECT_TRUE(drvtest::PressOk(d));
    });
    RunPageSetup(true);
    ASSERT_EQ(person.dialogsSeen(), 1);
    ASSERT_FALSE(stampsAfter.empty());
    EXPECT_EQ(stampsAfter.back(), "Mine") << "the page lists the new preset";

    Record stored;
    const std::vector<uint8_t> bytes = Stored(1);
    ASSERT_TRUE(watermark::UnpackRecord(bytes.data(), bytes.size(), stored));
    EXPECT_STREQ(stored.name, "Mine");
    EXPECT_STREQ(stored.text, "FOR REVIEW");
    EXPECT_EQ(stored.font.height, 90);
    EXPECT_EQ(stored.frameKind, 3u);
    EXPECT_EQ(stored.colour, RGB(255, 0, 0));

    EXPECT_EQ(RequestText(watermark::kOptName), "Mine");
    EXPECT_EQ(RequestText(watermark::kOptText), "FOR REVIEW");
    EXPECT_EQ(RequestNumber<int16_t>(watermark::kOptAngle), 300);
    EXPECT_EQ(RequestNumber<uint32_t>(watermark::kOptPosition), 20u | (0xFFCEu << 16));
    EXPECT_EQ(RequestNumber<uint32_t>(watermark::kOptFlags) & 0x3FA, 0x200u | 0x60u | 0x10u | 0x02u);
    EXPECT_EQ(RequestNumber<uint32_t>(watermark::kOptColour), RGB(255, 0, 0));
}

TEST_F(WaterMarkPage, NamesAndTextsAreCheckedBeforeAPresetIsKept) {
    person.AnswerMessageBox(IDOK);
    person.AnswerMessageBox(IDOK);
    person.AnswerMessageBox(IDOK);
    person.OnDialog([&](HWND d) {
        EXPECT_TRUE(drvtest::ChooseEntryByText(d, IDC_WM_LIST, "COPY"));
        EXPECT_TRUE(drvtest::Click(d, IDC_WM_ADD));
        EXPECT_TRUE(drvtest::PressOk(d));  // still "New watermark"
        EXPECT_TRUE(drvtest::Type(d, IDC_WM_NAME, "Current settings"));
        EXPECT_TRUE(drvtest::PressOk(d));
        EXPECT_TRUE(drvtest::Type(d, IDC_WM_NAME, "Ours"));
        EXPECT_TRUE(drvtest::Type(d, IDC_WM_TEXT, ""));
        EXPECT_TRUE(drvtest::PressOk(d));
        drvtest::PressCancel(d);
    });
    RunPageSetup(false);
    ASSERT_EQ(person.messageBoxes().size(), 3u);
    EXPECT_EQ(person.messageBoxes()[0].text, "Please give the watermark a name of its own.");
    EXPECT_EQ(person.messageBoxes()[1].text,
              "A watermark named 'Current settings' exists already; please choose another name.");
    EXPECT_EQ(person.messageBoxes()[2].text, "Please type the text of the watermark.");
    EXPECT_TRUE(Stored(1).empty()) << "Cancel stores nothing";
}

TEST_F(WaterMarkPage, DeletingAsksFirstAndAFullListRefusesMore) {
    Marks().InitWorkingList();
    for (int i = 0; i < 50; ++i) {
        Record record;
        watermark::CopyText(record.text, sizeof record.text, "X");
        ASSERT_TRUE(Marks().AddPreset(record));
        watermark::CopyText(const_cast<Record&>(Marks().Working().back()).name, sizeof record.name,
                            ("Mine " + std::to_string(i)).c_str());
    }
    ASSERT_TRUE(Marks().CommitWorkingList());
    person.AnswerMessageBox(IDOK);   // the list is full
    person.AnswerMessageBox(IDNO);   // delete "Mine 49"? no
    person.AnswerMessageBox(IDYES);  // yes
    person.OnDialog([&](HWND d) {
        const size_t before = drvtest::ReadEntries(d, IDC_WM_LIST).size();
        EXPECT_TRUE(drvtest::Click(d, IDC_WM_ADD));
        EXPECT_TRUE(drvtest::ChooseEntryByText(d, IDC_WM_LIST, "Mine 49"));
        EXPECT_TRUE(drvtest::Click(d, IDC_WM_DELETE));
        EXPECT_TRUE(drvtest::Click(d, IDC_WM_DELETE));
        EXPECT_EQ(drvtest::ReadEntries(d, IDC_WM_LIST).size(), before - 1);
        EXPECT_EQ(drvtest::ReadSelectedEntry(d, IDC_WM_LIST), "Mine 48");
        EXPECT_TRUE(drvtest::PressOk(d));
    });
    RunPageSetup(true);
    ASSERT_EQ(person.messageBoxes().size(), 3u);
    EXPECT_EQ(person.messageBoxes()[0].text, "No more watermarks can be added: 50 is the most there can be.");
    EXPECT_EQ(person.messageBoxes()[1].text, "Delete the watermark 'Mine 49'?");
    EXPECT_EQ(Stored(50).size(), 0u);
    EXPECT_EQ(Stored(49).size(), watermark::kRegRecordSize);
}

TEST(WaterMarkSample, DrawsEachRotationOnAPage) {
    drvtest::FixtureDevice fixture{kKindUserInterface};
    struct Case { const char* name; int16_t mode, angleWord; uint32_t frame; };
    for (const Case& c : {Case{"up", 1, 0, 0}, Case{"down", 2, 0, 1}, Case{"free_30", 3, -390, 3}}) {
        Record r;
        watermark::CopyText(r.text, sizeof r.text, "SAMPLE");
        r.rotationMode = c.mode, r.angleWord = c.angleWord, r.frameKind = c.frame, r.layerChoice = 1;
        r.font.escapement = watermark::EscapementOf(c.angleWord);
        r.colour = RGB(200, 0, 0), r.font.height = 72, r.font.weight = 700;
        watermark::CopyText(r.font.faceName, sizeof r.font.faceName, "Arial");
        drvtest::Canvas canvas(160, 200);
        const RECT area{0, 0, 160, 200};
        CmWaterMarkProc::DrawSample(fixture.Device(), canvas.dc, area, r);
        int red = 0;
        for (int yy = 0; yy < 200; ++yy)
            for (int xx = 0; xx < 160; ++xx) red += canvas.at(xx, yy) == RGB(200, 0, 0);
        EXPECT_GT(red, 20) << c.name << ": the watermark is drawn";
        EXPECT_EQ(canvas.at(80, 40), RGB(192, 192, 192)) << c.name << ": the centre guide";
        canvas.save(std::string("sample_") + c.name);
    }
}

}  // namespace
}  // namespace watermarktest
