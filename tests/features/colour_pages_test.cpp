// The colour matching and colour adjustment dialogs of the bundled colour printer, opened from
// the real quality page ("Colour settings...", then "Colour balance...") and driven by the
// scripted user: the colour map answers drags, snaps to the nearest grid step, stops at its
// edges and follows Shift; the arrow buttons and track bars move the values; the lists and
// switches of the matching dialog; and what OK or Cancel leaves in the request's colour block and
// quality flags. Pictures of the dialogs and of the map are saved as PNG.
#include "colour_fixture.h"

#include "data/resources/drvopui_ids.h"
#include "drvtest/scripted_sheet.h"
#include "drvtest/scripted_user.h"
#include "drvtest/window_picture.h"
#include "features/colour_adjust_map.h"
#include "features/objective.h"
#include "tests/items/pdl/bundled_sheet.h"

#include <string>
#include <vector>

namespace colourtest {
namespace {

constexpr DWORD kFlags = 220;
const std::string kScanner =
    std::string("Flatbed scanner, reflective originals, calibrated at the factory for the office").substr(0, 63);

void SavePicture(HWND window, const std::string& name) {
    EXPECT_TRUE(drvtest::SaveWindowPng(window, std::string(DRVOPUI_TEST_OUTPUT_DIR) + "/" + name + ".png")) << name;
}

CmColorAdjustMap* MapOf(HWND dialog) {
    return reinterpret_cast<CmColorAdjustMap*>(GetWindowLongPtrA(GetDlgItem(dialog, IDC_CA_MAP), GWLP_USERDATA));
}

void Mouse(HWND window, UINT msg, WPARAM keys, int x, int y) { SendMessageA(window, msg, keys, MAKELPARAM(x, y)); }

class ColourPages : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(ctx, nullptr);
        // The groups start as an objective leaves them; the second group is not in use.
        auto* objective = dynamic_cast<CmObjective*>(sheet.user->GetObjective());
        ASSERT_NE(objective, nullptr);
        ASSERT_TRUE(objective->Select(7));
        Block block = ReadBlock(ctx, Settings());
        block[colourblock::kInUse + 1] = 0;
        WriteBlock(ctx, Settings(), block);
        SetOption<uint16_t>(ctx, Settings(), 222, 1);
        ASSERT_TRUE(sheet.Start());
    }
    uint8_t* Settings() { return sheet.user->GetSettingsSource(); }
    // The sheet, where the script opens the colour matching dialog from the quality page and then
    // presses OK or Cancel.
    void RunQualityPage(bool ok) {
        drvtest::ScriptedSheet person;
        person.OnSheet([&](drvtest::SheetDriver& driver) {
            EXPECT_TRUE(driver.SelectPage(sheettest::kQualityPage));
            EXPECT_TRUE(drvtest::Click(driver.Page(), IDC_COLOUR_SETTINGS));
            ok ? driver.PressOk() : driver.PressCancel();
        });
        sheet.Run();
    }
    Block Stored() { return ReadBlock(ctx, sheet.Request()); }

    ColourLibraryInstalled installed;
    sheettest::BundledSheet sheet{drvtest::kBundledPcl5cPrinter};
    UIDEVDATA* ctx = sheet.ctx;
    drvtest::ScriptedUser user;
};

TEST_F(ColourPages, TheMapFollowsDragsSnapsToTheNearestStepAndStopsAtItsEdges) {
    struct Seen { std::string label; LONG left; };
    std::vector<Seen> seen;
    LONG freeLeft = 0, shiftLeft = 0;
    bool endedByRelease = true;
    user.OnDialog([&](HWND matching) { EXPECT_TRUE(drvtest::Click(matching, IDC_CM_ADJUST)); drvtest::PressOk(matching); });
    user.OnDialog([&](HWND d) {
        HWND map = GetDlgItem(d, IDC_CA_MAP);
        CmColorAdjustMap* m = MapOf(d);
        ASSERT_NE(m, nullptr);
        ASSERT_FALSE(m->IsInactive());
        SetWindowPos(d, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        SavePicture(map, "colour_map_centre");
        auto note = [&] {
            const RECT r = m->SquareRect();
            seen.push_back({drvtest::ReadText(d, IDC_CA_VALUES), r.left});
        };
        // From the square's middle, 33 across and 22 up: three steps right, two up.
        EXPECT_TRUE(drvtest::DragMouse(map, {90, 90}, {123, 68}));
        note();
        // Six pixels are nearer the next step than this one; five are not.
        EXPECT_TRUE(drvtest::DragMouse(map, {123, 68}, {129, 68}));
        note();
        EXPECT_TRUE(drvtest::DragMouse(map, {129, 68}, {134, 68}));
        note();
        // Far past the right edge the square stops at the edge.
        EXPECT_TRUE(drvtest::DragMouse(map, {140, 68}, {400, 68}));
        note();
        SavePicture(map, "colour_map_right_edge");
        // A press outside the square centres it on the point (here as far down-left as it goes).
        EXPECT_TRUE(drvtest::ClickMouse(map, 20, 170));
        note();
        // With Shift held the square is shown on the grid while it moves; without, where dragged.
        Mouse(map, WM_LBUTTONDOWN, MK_LBUTTON, 30, 140);
        Mouse(map, WM_MOUSEMOVE, MK_LBUTTON, 35, 140);
        freeLeft = m->SquareRect().left;
        Mouse(map, WM_MOUSEMOVE, MK_LBUTTON | MK_SHIFT, 34, 140);
        shiftLeft = m->SquareRect().left;
        // The button went up outside the window's sight: the next move ends the drag.
        Mouse(map, WM_MOUSEMOVE, MK_LBUTTON, 52, 140);
        Mouse(map, WM_MOUSEMOVE, 0, 53, 140);
        endedByRelease = !m->IsDragging();
        note();
        SavePicture(d, "colour_adjustment_dialog");
        drvtest::PressOk(d);
    });
    RunQualityPage(true);
    ASSERT_EQ(seen.size(), 6u);
    EXPECT_EQ(seen[0].label, "Across 3, up 2");
    EXPECT_EQ(seen[1].label, "Across 4, up 2") << "snapped to the nearest step";
    EXPECT_EQ(seen[2].label, "Across 4, up 2") << "five pixels stay on the step";
    EXPECT_EQ(seen[3].label, "Across 5, up 2");
    EXPECT_EQ(seen[3].left, CmColorAdjustMap::kHighest);
    EXPECT_EQ(seen[4].label, "Across -5, up -5");
    EXPECT_EQ(seen[4].left, CmColorAdjustMap::kFirst);
    EXPECT_EQ(freeLeft, 2 + 5) << "dragged freely";
    EXPECT_EQ(shiftLeft, 2) << "with Shift, on the nearest step (dragged to 6)";
    EXPECT_TRUE(endedByRelease);
    EXPECT_EQ(seen[5].label, "Across -3, up -5");
    const Block stored = Stored();
    EXPECT_EQ(Adjustment(stored, 0), (std::array<int, 4>{-6, -10, 0, 0}));
    EXPECT_EQ(Adjustment(stored, 2), (std::array<int, 4>{-6, -10, 0, 0}));
    EXPECT_EQ(Adjustment(stored, 1), (std::array<int, 4>{0, 0, 0, 0})) << "a group not in use keeps no values";
}

TEST_F(ColourPages, TheCursorTellsWhatThePointerIsOverAndWhereADragGoes) {
    std::vector<HCURSOR> cursors;
    user.OnDialog([&](HWND matching) { EXPECT_TRUE(drvtest::Click(matching, IDC_CM_ADJUST)); drvtest::PressOk(matching); });
    user.OnDialog([&](HWND d) {
        HWND map = GetDlgItem(d, IDC_CA_MAP);
        Mouse(map, WM_MOUSEMOVE, 0, 10, 10);  // on the map, off the square
        cursors.push_back(GetCursor());
        Mouse(map, WM_MOUSEMOVE, 0, 90, 90);  // on the square
        cursors.push_back(GetCursor());
        Mouse(map, WM_LBUTTONDOWN, MK_LBUTTON, 90, 90);
        Mouse(map, WM_MOUSEMOVE, MK_LBUTTON, 100, 90);
        cursors.push_back(GetCursor());
        Mouse(map, WM_MOUSEMOVE, MK_LBUTTON, 300, 90);  // dragged out of the map
        cursors.push_back(GetCursor());
        Mouse(map, WM_LBUTTONUP, 0, 300, 90);
        cursors.push_back(GetCursor());
        drvtest::PressCancel(d);
    });
    RunQualityPage(false);
    const HCURSOR arrow = LoadCursorA(nullptr, IDC_ARROW), over = ctx->svc->LoadCursor(ctx, IDCUR_CA_OVER),
                  drag = ctx->svc->LoadCursor(ctx, IDCUR_CA_DRAG), outside = ctx->svc->LoadCursor(ctx, IDCUR_CA_OUTSIDE);
    ASSERT_TRUE(over && drag && outside);
    EXPECT_EQ(cursors, (std::vector<HCURSOR>{arrow, over, drag, outside, over}));
}

TEST_F(ColourPages, ArrowButtonsAndTrackBarsMoveTheValuesWithinTheirRangeAndCancelKeepsNothing) {
    std::vector<std::string> labels;
    for (bool ok : {false, true}) {
        user.OnDialog([&](HWND matching) { EXPECT_TRUE(drvtest::Click(matching, IDC_CM_ADJUST)); drvtest::PressOk(matching); });
        user.OnDialog([&, ok](HWND d) {
            for (int i = 0; i < 7; ++i) EXPECT_TRUE(drvtest::Click(d, IDC_CA_UP_RIGHT));
            labels.push_back(drvtest::ReadText(d, IDC_CA_VALUES));
            EXPECT_TRUE(drvtest::Click(d, IDC_CA_DOWN));
            EXPECT_TRUE(drvtest::Click(d, IDC_CA_LEFT));
            labels.push_back(drvtest::ReadText(d, IDC_CA_VALUES));
            EXPECT_TRUE(drvtest::PressKey(d, IDC_CA_SLIDER1, VK_RIGHT));
            EXPECT_TRUE(drvtest::PressKey(d, IDC_CA_SLIDER1, VK_RIGHT));
            for (int i = 0; i < 8; ++i) EXPECT_TRUE(drvtest::PressKey(d, IDC_CA_SLIDER2, VK_LEFT));
            ok ? drvtest::PressOk(d) : drvtest::PressCancel(d);
        });
        RunQualityPage(true);
        if (!ok) {
            EXPECT_EQ(Adjustment(Stored(), 0), (std::array<int, 4>{0, 0, 0, 0})) << "Cancel keeps nothing";
        }
    }
    EXPECT_EQ(labels, (std::vector<std::string>{"Across 5, up 5", "Across 4, up 4", "Across 5, up 5", "Across 4, up 4"}));
    EXPECT_EQ(Adjustment(Stored(), 0), (std::array<int, 4>{8, 8, 4, -10}));
    EXPECT_EQ(Adjustment(Stored(), 2), (std::array<int, 4>{8, 8, 4, -10}));
}

TEST_F(ColourPages, WithNoGroupInUseTheMapIsInactiveAndEveryGroupKeepsZeros) {
    Block block = ReadBlock(ctx, Settings());
    for (size_t g = 0; g < 3; ++g) {
        block[colourblock::kInUse + g] = 0;
        block[colourblock::kGroupStarts[g]] = 4;  // left over from before
    }
    WriteBlock(ctx, Settings(), block);
    user.OnDialog([&](HWND matching) { EXPECT_TRUE(drvtest::Click(matching, IDC_CM_ADJUST)); drvtest::PressOk(matching); });
    user.OnDialog([&](HWND d) {
        EXPECT_TRUE(MapOf(d)->IsInactive());
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(d, IDC_CA_UP)));
        EXPECT_TRUE(drvtest::DragMouse(GetDlgItem(d, IDC_CA_MAP), {90, 90}, {150, 20}));
        EXPECT_EQ(drvtest::ReadText(d, IDC_CA_VALUES), "Across 0, up 0")
            << "a block with no group in use reads as zeros";
        SavePicture(GetDlgItem(d, IDC_CA_MAP), "colour_map_inactive");
        EXPECT_TRUE(drvtest::Click(d, IDC_CA_DEFAULTS));
        drvtest::PressOk(d);
    });
    RunQualityPage(true);
    EXPECT_EQ(user.dialogsSeen(), 2);
    for (size_t g = 0; g < 3; ++g) EXPECT_EQ(Adjustment(Stored(), g), (std::array<int, 4>{0, 0, 0, 0})) << g;
}

TEST_F(ColourPages, TheMatchingDialogSetsMethodProfileAndSwitchesOfTheGroupsInUse) {
    user.OnDialog([&](HWND d) {
        EXPECT_EQ(drvtest::ReadEntries(d, IDC_CM_METHOD),
                  (std::vector<std::string>{"No matching", "Perceptual (photographs)",
                                            "Colorimetric (logos, exact colours)"}));
        EXPECT_EQ(drvtest::ReadEntries(d, IDC_CM_PROFILE), (std::vector<std::string>{"sRGB colour space", kScanner}))
            << "a profile whose file name does not fit the colour block is not offered";
        EXPECT_EQ(drvtest::ReadSelectedEntry(d, IDC_CM_METHOD), "Colorimetric (logos, exact colours)");
        EXPECT_EQ(drvtest::ReadSelectedEntry(d, IDC_CM_PROFILE), "sRGB colour space");
        EXPECT_TRUE(drvtest::SetCheck(d, IDC_CM_CHECK1, BST_CHECKED));
        EXPECT_TRUE(drvtest::SetCheck(d, IDC_CM_CHECK2, BST_CHECKED));
        EXPECT_TRUE(drvtest::SetCheck(d, IDC_CM_CHECK1, BST_UNCHECKED));
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(d, IDC_CM_CHECK2)));
        EXPECT_NE(IsDlgButtonChecked(d, IDC_CM_CHECK2), BST_CHECKED);
        EXPECT_TRUE(drvtest::ChooseEntryByText(d, IDC_CM_METHOD, "Perceptual (photographs)"));
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(d, IDC_CM_PROFILE)));
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(d, IDC_CM_CHECK1)));
        EXPECT_TRUE(drvtest::ChooseEntryByText(d, IDC_CM_METHOD, "Colorimetric (logos, exact colours)"));
        EXPECT_TRUE(drvtest::ChooseEntryByText(d, IDC_CM_PROFILE, kScanner.c_str()));
        EXPECT_TRUE(drvtest::ChooseEntryByText(d, IDC_CM_OPTION, "Vivid colours"));
        EXPECT_TRUE(drvtest::SetCheck(d, IDC_CM_CHECK1, BST_CHECKED));
        EXPECT_TRUE(drvtest::SetCheck(d, IDC_CM_CHECK3, BST_CHECKED));
        SetWindowPos(d, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        SavePicture(d, "colour_matching_dialog");
        drvtest::PressOk(d);
    });
    RunQualityPage(true);
    EXPECT_EQ(user.dialogsSeen(), 1);
    const Block stored = Stored();
    for (size_t g = 0; g < 3; ++g) {
        EXPECT_EQ(stored[colourblock::kGroupStarts[g] + colourblock::kMethod], 2) << g;
        EXPECT_EQ(stored[colourblock::kGroupStarts[g] + colourblock::kOptionA], 1) << g;
        EXPECT_EQ(ProfileName(stored, g), "\\SCANNER1.ICM") << "every group, in use or not: " << g;
    }
    EXPECT_EQ(Option<uint32_t>(ctx, sheet.Request(), kFlags) & 0x1Cu, 0x14u);
}

TEST_F(ColourPages, DefaultsTakeTheMatchingOfTheDefaultSettingsAndCancelKeepsNothing) {
    const Block before = ReadBlock(ctx, Settings());
    const uint32_t flagsBefore = Option<uint32_t>(ctx, Settings(), kFlags);
    user.OnDialog([&](HWND d) {
        EXPECT_TRUE(drvtest::ChooseEntryByText(d, IDC_CM_PROFILE, kScanner.c_str()));
        EXPECT_TRUE(drvtest::SetCheck(d, IDC_CM_CHECK1, BST_CHECKED));
        drvtest::PressCancel(d);
    });
    RunQualityPage(true);
    EXPECT_EQ(Stored(), before);
    EXPECT_EQ(Option<uint32_t>(ctx, sheet.Request(), kFlags), flagsBefore);

    user.OnDialog([&](HWND d) {
        EXPECT_TRUE(drvtest::ChooseEntryByText(d, IDC_CM_PROFILE, kScanner.c_str()));
        EXPECT_TRUE(drvtest::SetCheck(d, IDC_CM_CHECK1, BST_CHECKED));
        EXPECT_TRUE(drvtest::Click(d, IDC_CM_DEFAULTS));
        EXPECT_NE(drvtest::ReadSelectedEntry(d, IDC_CM_PROFILE), kScanner);
        drvtest::PressOk(d);
    });
    RunQualityPage(true);
    const Block defaults = ReadBlock(ctx, ctx->svc->GetDevmode(ctx, 1));
    const Block stored = Stored();
    for (size_t g = 0; g < 3; ++g) {
        EXPECT_EQ(stored[colourblock::kGroupStarts[g] + colourblock::kMethod],
                  defaults[colourblock::kGroupStarts[g] + colourblock::kMethod]) << g;
        EXPECT_EQ(ProfileName(stored, g), ProfileName(defaults, g)) << g;
    }
    EXPECT_EQ(Option<uint32_t>(ctx, sheet.Request(), kFlags) & 0x1Cu,
              Option<uint32_t>(ctx, ctx->svc->GetDevmode(ctx, 1), kFlags) & 0x1Cu);
    EXPECT_EQ(user.dialogsSeen(), 2);
}

}  // namespace
}  // namespace colourtest
