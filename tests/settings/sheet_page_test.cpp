// The settings page over the sheet's registry, driven by a scripted person in a property sheet:
// a click is a window message to the page, the rules run, and the controls they marked are
// rewritten; Apply commits the sheet's settings to the request, Cancel leaves the request alone
// and makes the next command revert the items.
#include "sheet_fixture.h"

#include "drvtest/scripted_sheet.h"
#include "drvtest/scripted_user.h"
#include "platform/resources/res_file.h"
#include "ui/sheet_data.h"
#include "ui/sv_proc.h"

#include <gtest/gtest.h>

using namespace sheettest;

namespace {

class ItemsPage : public CmSvProc {
public:
    ItemsPage() : CmSvProc(kPage, 0) {}
};

constexpr const char* kRules =
    "Test$Collate(OFF) :- Test$Colour(MONO), disable.\n"
    "Test$Collate(_) :- enable.\n"
    "Test$Scale(100) :- Test$Colour(AUTO).\n";

bool Enabled(HWND page, int id) { return IsWindowEnabled(GetDlgItem(page, id)) != FALSE; }

TEST(SheetPage, AClickRunsTheRulesAndTheMarkedControlsAreRewritten) {
    drvtest::FixtureDevice fixture;
    UIDEVDATA* ctx = fixture.Make(kKindUserInterface);
    ASSERT_NE(ctx, nullptr);
    InitCommonControls();
    HMODULE module = OpenItemDialogs();
    ASSERT_NE(module, nullptr);
    // The request's settings; the sheet works on a copy of them.
    uint8_t* request = ctx->svc->GetDevmode(ctx, 3);
    ASSERT_NE(request, nullptr);
    SetShort(ctx, request, kColourOption, 1);
    SetLong(ctx, request, kFlagsOption, 1);
    SetShort(ctx, request, kScaleOption, 150);
    Sheet sheet(ctx, kRules);
    ASSERT_TRUE(sheet.Start());
    CmSvConflict& registry = sheet.registry;

    SHEETDATA data{sizeof(SHEETDATA), ctx, 0, kSheetPage};
    drvtest::ScriptedSheet person;
    person.OnSheet([&](drvtest::SheetDriver& driver) {
        HWND dialog = driver.Page();
        // The page shows the sheet's values as the rules left them.
        EXPECT_EQ(IsDlgButtonChecked(dialog, ITC_COLLATE), BST_CHECKED);
        EXPECT_EQ(IsDlgButtonChecked(dialog, ITC_COLOR), BST_CHECKED);
        EXPECT_TRUE(Enabled(dialog, ITC_COLLATE));

        EXPECT_TRUE(drvtest::Click(dialog, ITC_MONO));
        EXPECT_EQ(IsDlgButtonChecked(dialog, ITC_COLLATE), BST_UNCHECKED);
        EXPECT_FALSE(Enabled(dialog, ITC_COLLATE));
        EXPECT_FALSE(Enabled(dialog, ITC_COLLATE_NOTE));  // its companion goes with it
        EXPECT_EQ(GetShort(ctx, request, kColourOption), 1);  // not yet the request's

        SendMessageA(driver.Sheet(), PSM_CHANGED, reinterpret_cast<WPARAM>(dialog), 0);
        EXPECT_TRUE(driver.PressApply());
        EXPECT_EQ(GetShort(ctx, request, kColourOption), 0);
        EXPECT_EQ(GetLong(ctx, request, kFlagsOption) & 1, 0);
        EXPECT_EQ(registry.skipNextRefresh, 0);  // the activation after Apply took it and wrote nothing

        // The automatic colour brings the scale back to 100, shown in its field.
        EXPECT_TRUE(drvtest::Click(dialog, ITC_AUTO));
        EXPECT_TRUE(Enabled(dialog, ITC_COLLATE));
        EXPECT_EQ(drvtest::ReadText(dialog, ITC_SCALE), "100");

        // A push button whose press changes nothing answers 0 and goes back to off.
        EXPECT_TRUE(drvtest::Click(dialog, ITC_LOCK));
        EXPECT_EQ(sheet.Find<LockButton>()->current, 0);
        EXPECT_TRUE(driver.PressCancel());
    });
    EXPECT_EQ(drvtest::RunOnePageSheet(module, ITD_ITEMS, CmProc::DialogProcFor<ItemsPage>,
                                       reinterpret_cast<LPARAM>(&data), "Items"),
              1);  // Apply had committed
    // Cancel leaves the request with what Apply committed, and the next command reverts first.
    EXPECT_EQ(GetShort(ctx, request, kColourOption), 0);
    EXPECT_EQ(GetShort(ctx, request, kScaleOption), 150);
    EXPECT_EQ(registry.revertPending, 1);
    EXPECT_EQ(registry.pendingRefresh, 0);
    res::CloseResourceFile(module);
}

// A number field that takes each step of its spin control itself, ten at a time, and shows it.
class SteppingField : public NumberField {
public:
    SteppingField() : NumberField(false) {}
    int OnDeltaPos(UIDEVDATA*, HWND dialog, NMUPDOWN* updown) override {
        current += 10 * updown->iDelta;
        SetDlgItemInt(dialog, controlId, static_cast<UINT>(current), TRUE);
        return 1;
    }
};

TEST(SheetPage, ASpinStepTheItemTakesRunsTheRules) {
    drvtest::FixtureDevice fixture;
    UIDEVDATA* ctx = fixture.Make(kKindUserInterface);
    ASSERT_NE(ctx, nullptr);
    InitCommonControls();
    HMODULE module = OpenItemDialogs();
    ASSERT_NE(module, nullptr);
    SetShort(ctx, ctx->svc->GetDevmode(ctx, 3), kScaleOption, 150);
    Sheet sheet(ctx, "Test$Collate(ON) :- Test$Scale(160), disable.\nTest$Collate(_) :- enable.");
    for (CmSv*& item : sheet.items)
        if (item->itemId == 3006) {
            delete item;
            item = new SteppingField;
        }
    ASSERT_TRUE(sheet.Start());

    SHEETDATA data{sizeof(SHEETDATA), ctx, 0, kSheetModalDialog};
    drvtest::ScriptedUser person;
    LRESULT refused = -1;
    person.OnDialog([&](HWND dialog) {
        NMUPDOWN step{};
        step.hdr.hwndFrom = GetDlgItem(dialog, ITC_SCALE_SPIN);
        step.hdr.idFrom = ITC_SCALE_SPIN;
        step.hdr.code = UDN_DELTAPOS;
        step.iPos = 150;
        step.iDelta = 1;
        refused = SendMessageA(dialog, WM_NOTIFY, ITC_SCALE_SPIN, reinterpret_cast<LPARAM>(&step));
        EXPECT_EQ(drvtest::ReadText(dialog, ITC_SCALE), "160");
        EXPECT_EQ(IsDlgButtonChecked(dialog, ITC_COLLATE), BST_CHECKED);
        EXPECT_FALSE(Enabled(dialog, ITC_COLLATE));
        EXPECT_TRUE(drvtest::PressCancel(dialog));
    });
    DialogBoxParamA(module, MAKEINTRESOURCEA(ITD_ITEMS), nullptr, CmProc::DialogProcFor<ItemsPage>,
                    reinterpret_cast<LPARAM>(&data));
    EXPECT_EQ(refused, 1);  // the item moved the value; the spin control does not move it again
    EXPECT_EQ(GetShort(ctx, sheet.Settings(), kScaleOption), 160);
    EXPECT_EQ(sheet.registry.revertPending, 1);  // the dialog was cancelled
    res::CloseResourceFile(module);
}

TEST(SheetPage, PageMessagesBecomePreviewKeys) {
    struct Case {
        DWORD kind, sub;
        int16_t value;
        int key;
    };
    for (const Case c : {Case{0, 9, 0, 0}, Case{2, 0, 0, 3}, Case{4, 0, 4, 11}, Case{4, 0, 3, -1}, Case{4, 1, 2, 7},
                         Case{4, 3, 1, 12}, Case{4, 3, 0, -1}, Case{4, 6, 0, 18}, Case{4, 7, 0, -1}, Case{5, 1, 0, 15},
                         Case{6, 0, 0, -1}, Case{8, 0, 0, 19}})
        EXPECT_EQ(CmSvProc::PreviewKeyOf(c.kind, c.sub, c.value), c.key) << c.kind << " " << c.sub << " " << c.value;
}

}  // namespace
