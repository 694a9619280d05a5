// The pictures of the bundled printers' sheet and of the finishing dialogs: no control covers
// another on any page (a group box holds its controls), the paper-source page shows only the
// source lists of the chosen paper selection, the lock looks different open and locked, and the
// profile buttons, the lists of pictures and the device page show their own pictures whole. Every
// page and dialog is saved as a PNG file under the build folder.
#include "bundled_sheet.h"

#include "drvtest/scripted_user.h"
#include "drvtest/window_picture.h"

#include <algorithm>
#include <set>
#include <string>
#include <vector>

using namespace sheettest;

namespace {

bool IsGroupBox(HWND control) {
    char cls[32] = "";
    GetClassNameA(control, cls, sizeof cls);
    return lstrcmpiA(cls, "Button") == 0 && (GetWindowLongA(control, GWL_STYLE) & 0x0F) == BS_GROUPBOX;
}

RECT RectInParent(HWND control) {
    RECT r{};
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

// The pairs of shown controls of a page or dialog whose rectangles meet, as "id/id" texts.
std::vector<std::string> Overlaps(HWND dialog) {
    std::vector<HWND> shown;
    for (HWND c = GetWindow(dialog, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
        if (IsWindowVisible(c)) shown.push_back(c);
    std::vector<std::string> found;
    for (size_t i = 0; i < shown.size(); ++i)
        for (size_t j = i + 1; j < shown.size(); ++j) {
            const RECT a = RectInParent(shown[i]), b = RectInParent(shown[j]);
            RECT both{};
            if (!IntersectRect(&both, &a, &b)) continue;
            // A group box frames the controls inside it.
            auto inside = [](const RECT& outer, const RECT& inner) {
                return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
                       inner.bottom <= outer.bottom;
            };
            if ((IsGroupBox(shown[i]) && inside(a, b)) || (IsGroupBox(shown[j]) && inside(b, a))) continue;
            found.push_back(std::to_string(GetDlgCtrlID(shown[i])) + "/" + std::to_string(GetDlgCtrlID(shown[j])));
        }
    return found;
}

std::set<int> ShownIds(HWND dialog, const std::vector<int>& ids) {
    std::set<int> shown;
    for (int id : ids)
        if (HWND c = GetDlgItem(dialog, id); c && IsWindowVisible(c)) shown.insert(id);
    return shown;
}

// The pixels of a control's area (its client area unless one is given), every step pixels.
std::vector<COLORREF> Pixels(HWND control, int step = 1, RECT area = {}) {
    if (IsRectEmpty(&area)) GetClientRect(control, &area);
    std::vector<COLORREF> all;
    for (int y = area.top; y < area.bottom; y += step)
        for (int x = area.left; x < area.right; x += step) all.push_back(drvtest::WindowPixel(control, x, y));
    return all;
}

size_t Colours(HWND control, int step = 1, RECT area = {}) {
    const std::vector<COLORREF> all = Pixels(control, step, area);
    return std::set<COLORREF>(all.begin(), all.end()).size();
}

std::string Picture(const char* printer, const std::string& name) {
    return std::string(DRVOPUI_TEST_OUTPUT_DIR "/") + printer + "-" + name + ".png";
}

class SheetPictures : public ::testing::TestWithParam<const char*> {};

// The layout-option and staple dialogs also show the sheet they set, beside their controls.
TEST_P(SheetPictures, NoControlCoversAnotherOnAnyPageOrDialog) {
    BundledSheet sheet(GetParam());
    drvtest::ScriptedUser person;
    auto look = [&](const char* name, bool pictured) {
        return [&, name, pictured](HWND dialog) {
            EXPECT_EQ(Overlaps(dialog), std::vector<std::string>{}) << name;
            HWND picture = GetDlgItem(dialog, IDC_PAGE_PREVIEW);
            if (pictured) {
                EXPECT_TRUE(picture && IsWindowVisible(picture)) << name << " has no picture";
                // The sheet, its edge and the ground around it.
                EXPECT_GE(picture ? Colours(picture, 2) : 0, 3u) << name;
            }
            EXPECT_TRUE(drvtest::SaveWindowPng(dialog, Picture(GetParam(), name)));
            EXPECT_TRUE(drvtest::PressCancel(dialog));
        };
    };
    person.OnDialog(look("layout-options", true));
    person.OnDialog(look("gutter-margin", false));
    person.OnDialog(look("staple-position", true));
    person.OnDialog(look("booklet", false));
    sheet.Look([&](drvtest::SheetDriver& driver) {
        EXPECT_TRUE(drvtest::Click(driver.Page(), IDC_PAGE_OPTIONS));
        const char* names[] = {"page-setup", "finishing", "paper-source", "quality", "device-settings"};
        for (int page = 0; page < driver.PageCount(); ++page) {
            ASSERT_TRUE(driver.SelectPage(page));
            EXPECT_EQ(Overlaps(driver.Page()), std::vector<std::string>{}) << names[page];
            EXPECT_TRUE(drvtest::SaveWindowPng(driver.Sheet(), Picture(GetParam(), names[page])));
        }
        ASSERT_TRUE(driver.SelectPage(kFinishingPage));
        HWND p = driver.Page();
        EXPECT_TRUE(drvtest::Click(p, IDC_MARGIN));
        EXPECT_TRUE(drvtest::SetCheck(p, IDC_STAPLE, BST_CHECKED));
        EXPECT_TRUE(drvtest::Click(p, IDC_STAPLE_POSITION));
        EXPECT_TRUE(drvtest::SetCheck(p, IDC_CENTER_FOLD_STAPLE, BST_UNCHECKED));
        ASSERT_TRUE(driver.SelectPage(kQualityPage));
        EXPECT_TRUE(drvtest::SetCheck(driver.Page(), IDC_CATALOG, BST_CHECKED));
        ASSERT_TRUE(driver.SelectPage(kFinishingPage));
        EXPECT_TRUE(drvtest::Click(driver.Page(), IDC_BOOKLET_OPTIONS));
    });
    EXPECT_EQ(person.dialogsSeen(), 4);
}

TEST_P(SheetPictures, ThePaperSourcePageShowsTheListsOfTheChosenSelection) {
    BundledSheet sheet(GetParam());
    const std::vector<int> lists = {IDC_SOURCE_ALL,        IDC_SOURCE_FIRST,      IDC_SOURCE_OTHER,
                                    IDC_SOURCE_LAST,       IDC_SOURCE_FIRST_2ND,  IDC_SOURCE_SECOND_2ND,
                                    IDC_SOURCE_OTHER_2ND,  IDC_SOURCE_LAST_2ND,   IDC_SOURCE_COVER,
                                    IDC_SOURCE_OTHER_COVER, IDC_SOURCE_INTERLEAF, IDC_INTERLEAF_PRINT};
    struct Mode { const char* entry; const char* picture; std::set<int> shown; };
    const Mode modes[] = {
        {"First, other and last page", "paper-source-first-other-last", {IDC_SOURCE_FIRST, IDC_SOURCE_OTHER, IDC_SOURCE_LAST}},
        {"Two-sided: first, second, other and last page", "paper-source-two-sided",
         {IDC_SOURCE_FIRST_2ND, IDC_SOURCE_SECOND_2ND, IDC_SOURCE_OTHER_2ND, IDC_SOURCE_LAST_2ND}},
        {"Interleaved sheets", "paper-source-interleaf", {IDC_SOURCE_ALL, IDC_SOURCE_INTERLEAF, IDC_INTERLEAF_PRINT}},
        {"Cover", "paper-source-cover", {IDC_SOURCE_COVER, IDC_SOURCE_OTHER_COVER}},
        {"One source for all pages", "paper-source-one-source", {IDC_SOURCE_ALL}},
    };
    constexpr int kPictureRoom = 41;  // where an entry's text starts in a list of large pictures
    sheet.Look([&](drvtest::SheetDriver& driver) {
        ASSERT_TRUE(driver.SelectPage(kPaperSourcePage));
        HWND p = driver.Page();
        EXPECT_EQ(ShownIds(p, lists), std::set<int>{IDC_SOURCE_ALL}) << "a new sheet selects one source for all pages";
        // Every paper selection reads whole in its list, beside the room the list keeps for a picture.
        const std::vector<std::string> entries = drvtest::ReadEntries(p, IDC_PAPER_SELECTION);
        EXPECT_EQ(entries.size(), 5u);
        HWND list = GetDlgItem(p, IDC_PAPER_SELECTION);
        RECT r{};
        GetClientRect(list, &r);
        const int room = r.right - GetSystemMetrics(SM_CXVSCROLL) - kPictureRoom - 2;
        HDC dc = GetDC(list);
        HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(list, WM_GETFONT, 0, 0)));
        for (const std::string& text : entries) {
            SIZE size{};
            GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
            EXPECT_LE(size.cx, room) << text;
        }
        SelectObject(dc, old);
        ReleaseDC(list, dc);
        for (const Mode& m : modes) {
            EXPECT_TRUE(drvtest::ChooseEntryByText(p, IDC_PAPER_SELECTION, m.entry)) << m.entry;
            EXPECT_EQ(ShownIds(p, lists), m.shown) << m.entry;
            EXPECT_EQ(Overlaps(p), std::vector<std::string>{}) << m.entry;
            EXPECT_TRUE(drvtest::SaveWindowPng(driver.Sheet(), Picture(GetParam(), m.picture)));
        }
    });
}

// The lock looks different open and locked; the edit-profile button's picture shows through its
// own outline, not another button's.
TEST_P(SheetPictures, TheLockAndTheProfileButtonShowTheirOwnPictures) {
    BundledSheet sheet(GetParam());
    std::vector<COLORREF> open, locked;
    COLORREF insideSheet = 0, rulePastSide = 0, besideSheet = 0;
    sheet.Look([&](drvtest::SheetDriver& driver) {
        HWND p = driver.Page();
        HWND lock = GetDlgItem(p, IDC_LOCK), edit = GetDlgItem(p, IDC_EDIT_PROFILE);
        ASSERT_TRUE(lock && edit);
        SetFocus(GetDlgItem(p, IDC_COPIES));  // the pictures in their plain, unfocused form
        open = Pixels(lock);
        insideSheet = drvtest::WindowPixel(edit, 4, 4);
        rulePastSide = drvtest::WindowPixel(edit, 0, 1);
        besideSheet = drvtest::WindowPixel(edit, 0, 4);
        EXPECT_TRUE(drvtest::SaveWindowPng(lock, Picture(GetParam(), "lock-open")));
        EXPECT_TRUE(drvtest::SaveWindowPng(edit, Picture(GetParam(), "edit-profile")));
        EXPECT_TRUE(drvtest::Click(p, IDC_LOCK));
        SetFocus(GetDlgItem(p, IDC_COPIES));
        locked = Pixels(lock);
        EXPECT_TRUE(drvtest::SaveWindowPng(lock, Picture(GetParam(), "lock-locked")));
    });
    ASSERT_FALSE(open.empty());
    EXPECT_NE(open, locked);
    EXPECT_EQ(insideSheet, RGB(255, 255, 255));
    EXPECT_EQ(rulePastSide, RGB(0, 0, 0));
    EXPECT_EQ(besideSheet, GetSysColor(COLOR_BTNFACE));
}

TEST_P(SheetPictures, TheDevicePageShowsThePrinter) {
    BundledSheet sheet(GetParam());
    sheet.Look([&](drvtest::SheetDriver& driver) {
        ASSERT_TRUE(driver.SelectPage(kDeviceSettingsPage));
        HWND p = driver.Page();
        EXPECT_TRUE(drvtest::SaveWindowPng(driver.Sheet(), Picture(GetParam(), "device-picture")));
        HWND picture = GetDlgItem(p, IDC_PAGE_PREVIEW);
        ASSERT_TRUE(picture && IsWindowVisible(picture)) << "the device page has no picture";
        RECT page{}, r = RectInParent(picture);
        GetClientRect(p, &page);
        EXPECT_TRUE(r.left >= 0 && r.top >= 0 && r.right <= page.right && r.bottom <= page.bottom);
        EXPECT_GT(Colours(picture, 2), 4u) << "the printer's body, trays and panel, not only the background";
    });
}

// The lists whose entries carry a picture (the layout, the page order, the binding edge) show it
// at the left of the chosen entry, where the text leaves room for it; lists of pictures whose
// entries have none (the job operations) start their text at the left, not after an empty space.
// The main pages' pictures are shown at their own size (181 by 240 pixels with their strip and
// caption): a picture squeezed into a smaller control loses columns of its caption's letters.
TEST_P(SheetPictures, ListsAndPagePicturesAreShownWhole) {
    BundledSheet sheet(GetParam());
    struct List { SheetPageIndex page; int list; const char* name; bool pictured; };
    const List lists[] = {{kPageSetupPage, IDC_LAYOUT, "layout", true},
                          {kPageSetupPage, IDC_PAGE_ORDER, "page-order", true},
                          {kFinishingPage, IDC_BINDING, "binding", true},
                          {kPageSetupPage, IDC_JOB_OPERATION, "job-operation", false},
                          {kFinishingPage, IDC_JOB_OPERATION, "job-operation on the finishing page", false}};
    sheet.Look([&](drvtest::SheetDriver& driver) {
        for (const List& c : lists) {
            ASSERT_TRUE(driver.SelectPage(c.page));
            HWND list = GetDlgItem(driver.Page(), c.list);
            ASSERT_NE(list, nullptr) << c.name;
            SetFocus(GetDlgItem(driver.Page(), IDC_JOB_OPERATION_DETAILS));  // black text on white, no highlight
            RECT r{};
            GetClientRect(list, &r);
            if (c.pictured) {
                // A sheet with its edge and its matter, not the list's bare background.
                EXPECT_GE(Colours(list, 1, {4, 4, 36, r.bottom - 4}), 3u) << c.name;
                EXPECT_TRUE(drvtest::SaveWindowPng(list, Picture(GetParam(), std::string("list-") + c.name)));
                continue;
            }
            int first = r.right;
            // The middle third of the box, where the text stands and no edge runs.
            for (int y = r.bottom / 3; y < r.bottom * 2 / 3; ++y)
                for (int x = 4; x < r.right - GetSystemMetrics(SM_CXVSCROLL) - 3 && x < first; ++x)
                    if (drvtest::WindowPixel(list, x, y) == RGB(0, 0, 0)) first = x;
            EXPECT_LT(first, 12) << c.name;
        }
        for (SheetPageIndex page : {kPageSetupPage, kFinishingPage, kPaperSourcePage}) {
            ASSERT_TRUE(driver.SelectPage(page));
            RECT r{};
            GetClientRect(GetDlgItem(driver.Page(), IDC_PAGE_PREVIEW), &r);
            EXPECT_EQ(std::make_pair(r.right, r.bottom), std::make_pair(LONG{181}, LONG{240})) << page;
        }
    });
}

INSTANTIATE_TEST_SUITE_P(Bundled, SheetPictures,
                         ::testing::Values(drvtest::kBundledPcl5ePrinter, drvtest::kBundledPcl5cPrinter));

}  // namespace
