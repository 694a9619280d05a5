// Items of every control kind over a dialog built from a resource script, driven by the scripted
// user: values loaded from the sheet's settings are shown, what the person chooses is read back
// and stored, hidden and disabled marks reach the controls and their companions, list entries
// follow the choices' marks, and owner-drawn entries are drawn by their items.
#include "core/helpers/drawing.h"
#include "core/memory/pool_text.h"
#include "drvtest/canvas.h"
#include "drvtest/fixture_device.h"
#include "drvtest/scripted_user.h"
#include "drvtest/window_picture.h"
#include "item_fixture.h"
#include "platform/resources/res_file.h"
#include "settings/registry/conflict.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <string>
#include <vector>

using drvtest::Canvas;
using namespace itemtest;

namespace {

class ItemDialog : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(fixture.Device(), nullptr);
        page.ctx = fixture.Device();
        g_page = &page;
        InitCommonControls();
        module = OpenItemDialogs();
        ASSERT_NE(module, nullptr);
        page.items = {new LockButton,      new CollateBox,      NewColourRadio(),       NewOrderCombo(),
                      NewEdgeList(),       new NumberField(false), new NumberField(true), new NameField};
        settings = fixture->svc->GetUserData(fixture.Device())->GetSettingsSource();
        ASSERT_NE(settings, nullptr);
    }
    void TearDown() override {
        g_page = nullptr;
        if (module) res::CloseResourceFile(module);
    }
    INT_PTR Run() { return DialogBoxParamA(module, MAKEINTRESOURCEA(ITD_ITEMS), nullptr, ItemPageProc, 0); }
    // The dialog with a person who does what `script` says, then presses Cancel.
    void RunCancelled(const std::function<void(HWND)>& script) {
        drvtest::ScriptedUser person;
        person.OnDialog([&](HWND dialog) {
            script(dialog);
            EXPECT_TRUE(drvtest::PressCancel(dialog));
        });
        EXPECT_EQ(Run(), IDCANCEL);
    }
    UIDEVDATA* Ctx() { return fixture.Device(); }

    drvtest::FixtureDevice fixture;
    ItemPage page;
    HMODULE module = nullptr;
    uint8_t* settings = nullptr;
};

TEST_F(ItemDialog, ANumberFieldOfThePageBeingResetComparesWhatIsTyped) {
    CmSvConflict registry;
    Ctx()->svc->GetUserData(Ctx())->SetConflict(&registry);
    SetShort(Ctx(), settings, kScaleOption, 150);
    auto* scale = page.Find<NumberField>();
    scale->current = 150;
    RunCancelled([&](HWND dialog) {
        EXPECT_TRUE(drvtest::Type(dialog, ITC_SCALE, "500"));
        EXPECT_EQ(scale->IsSameAsSource(Ctx(), 1), 1);  // another page is being reset
        registry.dialogWindow = registry.resetPageWindow = dialog;
        EXPECT_EQ(scale->IsSameAsSource(Ctx(), 1), 0);  // above the maximum
        EXPECT_TRUE(drvtest::Type(dialog, ITC_SCALE, "x"));
        EXPECT_EQ(scale->IsSameAsSource(Ctx(), 1), 0);  // no number
        EXPECT_TRUE(drvtest::Type(dialog, ITC_SCALE, "-7"));
        EXPECT_EQ(scale->IsSameAsSource(Ctx(), 1), 0);  // below the minimum, read with its sign
        EXPECT_TRUE(drvtest::Type(dialog, ITC_SCALE, "40"));
        EXPECT_EQ(scale->IsSameAsSource(Ctx(), 1), 1);
        EXPECT_EQ(scale->current, 150);
    });
    Ctx()->svc->GetUserData(Ctx())->SetConflict(nullptr);
}

TEST_F(ItemDialog, ShowsTheSheetsSettingsAndStoresWhatThePersonChose) {
    SetLong(Ctx(), settings, kFlagsOption, 1);
    SetShort(Ctx(), settings, kColourOption, 1);
    SetShort(Ctx(), settings, kOrderOption, 2);
    SetShort(Ctx(), settings, kEdgeOption, 1);
    SetShort(Ctx(), settings, kScaleOption, 150);
    SetLong(Ctx(), settings, kShadeOption, 70000);
    char name[32] = "Draft";
    Ctx()->svc->SetOption(Ctx(), settings, kNameOption, name, sizeof name);
    page.LoadAll(settings);

    drvtest::ScriptedUser person;
    person.OnDialog([&](HWND dialog) {
        EXPECT_EQ(IsDlgButtonChecked(dialog, ITC_COLLATE), BST_CHECKED);
        EXPECT_EQ(IsDlgButtonChecked(dialog, ITC_COLOR), BST_CHECKED);
        EXPECT_EQ(IsDlgButtonChecked(dialog, ITC_MONO), BST_UNCHECKED);
        EXPECT_EQ(drvtest::ReadSelectedEntry(dialog, ITC_ORDER), "Back to front");
        EXPECT_EQ(drvtest::ReadSelectedEntry(dialog, ITC_EDGE), "Top");
        EXPECT_EQ(drvtest::ReadText(dialog, ITC_SCALE), "150");
        EXPECT_EQ(drvtest::ReadText(dialog, ITC_SHADE), "70000");  // all of a 32-bit value
        EXPECT_EQ(drvtest::ReadText(dialog, ITC_NAME), "Draft");
        // Entries are measured by their item while the list is made.
        EXPECT_EQ(SendDlgItemMessageA(dialog, ITC_ORDER, CB_GETITEMHEIGHT, 0, 0), 18);
        EXPECT_EQ(SendDlgItemMessageA(dialog, ITC_EDGE, LB_GETITEMHEIGHT, 0, 0), 16);
        int lower = 0, upper = 0;
        SendDlgItemMessageA(dialog, ITC_SHADE_SPIN, UDM_GETRANGE32, reinterpret_cast<WPARAM>(&lower),
                            reinterpret_cast<LPARAM>(&upper));
        EXPECT_EQ(lower, 0);
        EXPECT_EQ(upper, 100000);
        drvtest::SaveWindowPng(dialog, DRVOPUI_TEST_OUTPUT_DIR "/item_dialog.png");

        EXPECT_TRUE(drvtest::SetCheck(dialog, ITC_COLLATE, BST_UNCHECKED));
        EXPECT_TRUE(drvtest::Click(dialog, ITC_AUTO));
        EXPECT_TRUE(drvtest::ChooseEntryByText(dialog, ITC_ORDER, "Interleave"));
        EXPECT_TRUE(drvtest::ChooseEntry(dialog, ITC_EDGE, 2));
        EXPECT_TRUE(drvtest::Click(dialog, ITC_LOCK));
        EXPECT_TRUE(drvtest::Type(dialog, ITC_SCALE, "-30"));  // below the minimum: kept
        EXPECT_TRUE(drvtest::Type(dialog, ITC_SHADE, "99999"));
        EXPECT_TRUE(drvtest::Type(dialog, ITC_NAME, "Final"));
        EXPECT_TRUE(drvtest::PressOk(dialog));
    });
    ASSERT_EQ(Run(), IDOK);
    EXPECT_GT(page.drawn, 0);

    std::set<std::string> changed(page.changed.begin(), page.changed.end());
    EXPECT_EQ(changed, (std::set<std::string>{"Test$Collate", "Test$Colour", "Test$Order", "Test$Edge", "Test$Lock",
                                              "Test$Shade", "Test$Name"}));
    for (CmSv* item : page.items) {
        auto* value = dynamic_cast<CmSvItem*>(item);
        if (value && changed.count(item->key) && item->kind != kSvKindPushButton) {
            EXPECT_EQ(value->IsSameAsSource(Ctx(), 1), 0) << item->key;
        }
    }
    page.StoreAll(settings);
    EXPECT_EQ(GetLong(Ctx(), settings, kFlagsOption) & 1, 0);
    EXPECT_EQ(GetShort(Ctx(), settings, kColourOption), 2);
    EXPECT_EQ(GetShort(Ctx(), settings, kOrderOption), 4);
    EXPECT_EQ(GetShort(Ctx(), settings, kEdgeOption), 2);
    EXPECT_EQ(GetShort(Ctx(), settings, kScaleOption), 150);
    EXPECT_EQ(GetLong(Ctx(), settings, kShadeOption), 99999);
    Ctx()->svc->GetOption(Ctx(), settings, kNameOption, name, sizeof name);
    EXPECT_STREQ(name, "Final");
    for (CmSv* item : page.items) {
        if (auto* value = dynamic_cast<CmSvItem*>(item)) {
            EXPECT_EQ(value->IsSameAsSource(Ctx(), 1), 1) << item->key;
        }
    }
}

TEST_F(ItemDialog, ListsOfferShownChoicesAndMoveOffDisabledOnes) {
    auto* order = page.Find<OrderCombo>();
    order->table[2].enabled = 0;  // "Back to front"
    order->table[1].enabled = 0;  // "Off"
    order->current = 0;
    RunCancelled([&](HWND dialog) {
        // The entry without a text is left out; "Off" comes from the resource module, once.
        EXPECT_EQ(drvtest::ReadEntries(dialog, ITC_ORDER),
                  (std::vector<std::string>{"Front to back", "Off", "Back to front", "Interleave"}));
        const char* loaded = order->table[1].display_text;
        ASSERT_NE(loaded, nullptr);
        order->ToDialog(Ctx(), dialog, 0);
        EXPECT_EQ(order->table[1].display_text, loaded);

        // Moving down onto a disabled entry lands on the next enabled one below.
        EXPECT_TRUE(drvtest::ChooseEntry(dialog, ITC_ORDER, 1));
        EXPECT_EQ(order->current, 4u);
        EXPECT_EQ(drvtest::ReadSelectedEntry(dialog, ITC_ORDER), "Interleave");
        // Moving up onto a disabled entry looks above it first.
        EXPECT_TRUE(drvtest::ChooseEntry(dialog, ITC_ORDER, 2));
        EXPECT_EQ(order->current, 0u);
        EXPECT_EQ(drvtest::ReadSelectedEntry(dialog, ITC_ORDER), "Front to back");
        // A hidden current choice shows the first entry and keeps its value.
        order->current = 4;
        order->table[4].shown = 0;
        order->ToDialog(Ctx(), dialog, 1);
        EXPECT_EQ(drvtest::ReadSelectedEntry(dialog, ITC_ORDER), "Front to back");
        EXPECT_EQ(order->current, 4u);
    });
}

// The drawing request of one list entry of the order list, onto a surface of one entry.
DRAWITEMSTRUCT EntryDraw(HWND combo, HDC dc, UINT entry, UINT state = 0) {
    DRAWITEMSTRUCT draw{};
    draw.CtlType = ODT_COMBOBOX;
    draw.CtlID = ITC_ORDER;
    draw.itemID = entry;
    draw.itemAction = ODA_DRAWENTIRE;
    draw.itemState = state;
    draw.hwndItem = combo;
    draw.hDC = dc;
    draw.rcItem = RECT{0, 0, 160, 18};
    draw.itemData = static_cast<ULONG_PTR>(SendMessageA(combo, CB_GETITEMDATA, entry, 0));
    return draw;
}

// The page's own test in place of the choices' enabled flags: only choices with even values pass.
int EvenValues(UIDEVDATA*, void* data, const CmSvOptionRecord* row) {
    ++*static_cast<int*>(data);
    return row->value % 2 == 0;
}

TEST_F(ItemDialog, APagesTestDecidesWhichEntriesATrackedListMayKeep) {
    auto* order = page.Find<OrderCombo>();
    int asked = 0;
    RunCancelled([&](HWND dialog) {
        HWND combo = GetDlgItem(dialog, ITC_ORDER);
        SendMessageA(combo, CB_SETCURSEL, 2, 0);  // "Back to front", value 2: passes
        EXPECT_EQ(order->TrackWithTest(Ctx(), dialog, EvenValues, &asked), 0);
        SendMessageA(combo, CB_SETCURSEL, 1, 0);  // "Off", value 1: moves, down first from entry 0
        EXPECT_EQ(order->TrackWithTest(Ctx(), dialog, EvenValues, &asked), 1);
        EXPECT_EQ(drvtest::ReadSelectedEntry(dialog, ITC_ORDER), "Back to front");
        EXPECT_EQ(order->current, 2u);
        EXPECT_GT(asked, 0);

        // Drawn grey when the test refuses the entry, whatever its enabled flag says.
        Canvas surface(160, 18, RGB(0, 0, 0));
        DRAWITEMSTRUCT draw = EntryDraw(combo, surface.dc, 1);
        EXPECT_EQ(order->DrawEntryWithTest(Ctx(), combo, &draw, EvenValues, &asked), 1);
        EXPECT_EQ(surface.colours(24, 0, 120, 18).count(GetSysColor(COLOR_GRAYTEXT)), 1u);
    });
}

TEST_F(ItemDialog, MarksHideAndDisableControlsCompanionsAndChoices) {
    auto* collate = page.Find<CollateBox>();
    auto* colour = page.Find<ColourRadio>();
    auto* scale = page.Find<NumberField>();
    auto* name = page.Find<NameField>();
    RunCancelled([&](HWND dialog) {
        collate->shown = 0;
        collate->ToDialog(Ctx(), dialog, 1);
        EXPECT_FALSE(IsWindowVisible(GetDlgItem(dialog, ITC_COLLATE)));
        EXPECT_FALSE(IsWindowVisible(GetDlgItem(dialog, ITC_COLLATE_NOTE)));
        EXPECT_FALSE(drvtest::Click(dialog, ITC_COLLATE));

        // Enabled state wins over the enabling that showing implies.
        collate->shown = 1;
        collate->enabled = 0;
        collate->ToDialog(Ctx(), dialog, 1);
        EXPECT_TRUE(IsWindowVisible(GetDlgItem(dialog, ITC_COLLATE)));
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, ITC_COLLATE)));
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, ITC_COLLATE_NOTE)));

        colour->table[0].shown = 0;    // MONO
        colour->table[2].enabled = 0;  // AUTO
        colour->ToDialog(Ctx(), dialog, 1);
        EXPECT_FALSE(IsWindowVisible(GetDlgItem(dialog, ITC_MONO)));
        EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog, ITC_COLOR)));
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, ITC_AUTO)));
        EXPECT_FALSE(drvtest::Click(dialog, ITC_AUTO));

        scale->shown = 0;
        scale->ToDialog(Ctx(), dialog, 1);
        for (int id : {ITC_SCALE, ITC_SCALE_SPIN, ITC_SCALE_LABEL})
            EXPECT_FALSE(IsWindowVisible(GetDlgItem(dialog, id))) << id;

        name->third = 1;
        name->ToDialog(Ctx(), dialog, 1);
        EXPECT_TRUE(GetWindowLongA(GetDlgItem(dialog, ITC_NAME), GWL_STYLE) & ES_READONLY);
    });
}

// What the controls of a dialog receive, in order.
std::vector<std::string> g_received;
WNDPROC g_original[2048];

LRESULT CALLBACK Logged(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    const int id = GetDlgCtrlID(hwnd);
    g_received.push_back(std::to_string(id) + ":" + std::to_string(msg) + ":" + std::to_string(wParam));
    return CallWindowProcA(g_original[id], hwnd, msg, wParam, lParam);
}

// A push button's redisplay looks each window up once; from every state to every other it must
// send what showing and then enabling its controls one after the other sends.
TEST_F(ItemDialog, APushButtonsRedisplayActsAsShowingThenEnablingEachControl) {
    static const int32_t kCompanions[] = {ITC_COLLATE_NOTE, 1999, ITC_SCALE_LABEL, 0};  // 1999: none
    CmSvPushButton button("Test$Bound", 3009, ITC_LOCK, kCompanions, 1, 1);
    RunCancelled([&](HWND dialog) {
        for (int id : {ITC_LOCK, ITC_COLLATE_NOTE, ITC_SCALE_LABEL})
            g_original[id] = reinterpret_cast<WNDPROC>(
                SetWindowLongPtrA(GetDlgItem(dialog, id), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Logged)));
        auto run = [&](int from, int to, int onlyChanged, bool viaToDialog) {
            button.shown = from & 1, button.enabled = from >> 1;
            button.ToDialog(Ctx(), dialog, 0);
            button.shown = to & 1, button.enabled = to >> 1;
            g_received.clear();
            if (viaToDialog) {
                button.ToDialog(Ctx(), dialog, onlyChanged);
            } else {
                button.UpdateShow(Ctx(), dialog, onlyChanged, 0);
                button.UpdateEnable(Ctx(), dialog, onlyChanged, 0);
            }
            return g_received;
        };
        for (int from = 0; from < 4; ++from)
            for (int to = 0; to < 4; ++to)
                for (int onlyChanged : {0, 1})
                    EXPECT_EQ(run(from, to, onlyChanged, true), run(from, to, onlyChanged, false))
                        << from << " " << to << " " << onlyChanged;
    });
}

// A number field keeps its value for text that is no number in range; an indeterminate check box
// reads as on.
TEST_F(ItemDialog, ControlsReadBackOnlyWhatTheirItemsMayTake) {
    auto* scale = page.Find<NumberField>();
    auto* collate = page.Find<CollateBox>();
    scale->current = 200;
    RunCancelled([&](HWND dialog) {
        EXPECT_TRUE(drvtest::SetCheck(dialog, ITC_COLLATE, BST_INDETERMINATE));
        EXPECT_EQ(collate->current, 1);
        EXPECT_EQ(collate->FromDialog(Ctx(), dialog, ITC_COLLATE), 0);
        for (const char* typed : {"abc", "401", "24", ""}) {
            EXPECT_TRUE(drvtest::Type(dialog, ITC_SCALE, typed));
            EXPECT_EQ(scale->FromDialog(Ctx(), dialog, ITC_SCALE), 0) << typed;
            EXPECT_EQ(scale->current, 200) << typed;
        }
        EXPECT_TRUE(drvtest::Type(dialog, ITC_SCALE, "400"));
        EXPECT_EQ(scale->FromDialog(Ctx(), dialog, ITC_SCALE), 1);
        EXPECT_EQ(scale->current, 400);
    });
}

TEST_F(ItemDialog, OwnerDrawnEntriesAreDrawnWithTheirChoicesPictureAndMarks) {
    auto* order = page.Find<OrderCombo>();
    auto* lock = page.Find<LockButton>();
    order->table[4].enabled = 0;
    RunCancelled([&](HWND dialog) {
        HWND combo = GetDlgItem(dialog, ITC_ORDER);
        struct Case {
            UINT entry;
            UINT state;
            int background;
            COLORREF textColour;
            const char* picture;
        };
        for (Case c : {Case{0, ODS_SELECTED | ODS_FOCUS, COLOR_HIGHLIGHT, GetSysColor(COLOR_HIGHLIGHTTEXT), "entry_selected"},
                       Case{0, ODS_DISABLED, COLOR_BTNFACE, GetSysColor(COLOR_GRAYTEXT), "entry_disabled"},
                       Case{3, 0, COLOR_WINDOW, GetSysColor(COLOR_GRAYTEXT), "entry_choice_disabled"}}) {
            Canvas surface(160, 18, RGB(0, 0, 0));
            DRAWITEMSTRUCT draw = EntryDraw(combo, surface.dc, c.entry, c.state);
            EXPECT_EQ(order->DrawItem(Ctx(), combo, ITC_ORDER, &draw), 1);
            surface.save(c.picture);
            // Background inside the focus frame; the picture sits 2 pixels in (small images), the text
            // from 24.
            const COLORREF background = GetSysColor(c.background);
            EXPECT_EQ(surface.colours(1, 1, 1, 16), std::set<COLORREF>{background}) << c.picture;
            EXPECT_EQ(surface.colours(150, 1, 9, 16), std::set<COLORREF>{background}) << c.picture;
            EXPECT_GT(surface.colours(2, 2, 16, 16).size(), 1u) << c.picture;
            const std::set<COLORREF> text = surface.colours(24, 0, 120, 18);
            EXPECT_EQ(text.count(c.textColour), 1u) << c.picture;
        }

        // Nothing is drawn for "no entry", nor for an entry without its record.
        DRAWITEMSTRUCT none{};
        none.itemID = static_cast<UINT>(-1);
        EXPECT_EQ(order->DrawItem(Ctx(), combo, ITC_ORDER, &none), 0);
        none.itemID = 0;
        none.itemData = static_cast<ULONG_PTR>(-1);
        EXPECT_EQ(order->DrawItem(Ctx(), combo, ITC_ORDER, &none), 0);

        // A pressed push button draws the picture pair after its own.
        Canvas pressed(20, 20, RGB(0, 0, 0)), expected(20, 20, RGB(0, 0, 0));
        DRAWITEMSTRUCT draw{};
        draw.CtlType = ODT_BUTTON;
        draw.itemState = ODS_SELECTED;
        draw.hDC = pressed.dc;
        draw.rcItem = RECT{0, 0, 20, 20};
        EXPECT_EQ(lock->DrawItem(Ctx(), GetDlgItem(dialog, ITC_LOCK), ITC_LOCK, &draw), 1);
        DrawMaskedBitmap(Ctx(), expected.dc, 0, 0, IDB_ADD_PROFILE + 1, IDB_ADD_PROFILE_MASK + 1, COLOR_BTNFACE);
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 20; ++x) ASSERT_EQ(GetPixel(pressed.dc, x, y), GetPixel(expected.dc, x, y));
        pressed.save("push_button_selected");
    });
}

}  // namespace
