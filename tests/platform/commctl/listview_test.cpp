// List view in report view: columns, items and sub-items, pointer-sized parameters, state changes
// with the order of LVN_ITEMCHANGING / LVN_ITEMCHANGED, and a person's clicks.
#include "parent_window.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using cctest::g_heard;

struct ReportList : ::testing::Test {
    HWND parent = nullptr;
    HWND list = nullptr;
    void SetUp() override {
        parent = cctest::MakeParent();
        list = cctest::MakeChild(parent, WC_LISTVIEWA, LVS_REPORT | LVS_SINGLESEL, 10439, 0, 0, 420, 200);
        char label[] = "Label", value[] = "Value";
        LVCOLUMNA col{LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM, LVCFMT_LEFT, 210, label, 0, 0, 0, 0};
        EXPECT_EQ(SendMessageA(list, LVM_INSERTCOLUMNA, 0, reinterpret_cast<LPARAM>(&col)), 0);
        col.pszText = value;
        col.iSubItem = 1;
        EXPECT_EQ(SendMessageA(list, LVM_INSERTCOLUMNA, 1, reinterpret_cast<LPARAM>(&col)), 1);
    }
    void TearDown() override { DestroyWindow(parent); }
    int insert(int row, const char* text, LPARAM param = 0) {
        LVITEMA it{};
        it.mask = LVIF_TEXT | LVIF_PARAM;
        it.iItem = row;
        it.pszText = const_cast<LPSTR>(text);
        it.lParam = param;
        return static_cast<int>(SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&it)));
    }
    std::string text(int row, int sub) {
        char buf[64] = "";
        LVITEMA it{};
        it.iSubItem = sub;
        it.pszText = buf;
        it.cchTextMax = sizeof buf;
        SendMessageA(list, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&it));
        return buf;
    }
    bool setState(int row, UINT state, UINT mask) {
        LVITEMA it{};
        it.state = state;
        it.stateMask = mask;
        return SendMessageA(list, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&it)) != 0;
    }
    std::vector<std::pair<UINT, int>> changes() {
        std::vector<std::pair<UINT, int>> out;
        for (const auto& h : g_heard)
            if (h.code == LVN_ITEMCHANGING || h.code == LVN_ITEMCHANGED) out.push_back({h.code, h.item});
        return out;
    }
};

TEST_F(ReportList, RowsHoldLabelsValuesAndWholePointersAndSelectionNotifiesInTheOriginalsOrder) {
    EXPECT_EQ(insert(0, "Paper size"), 0);
    EXPECT_EQ(insert(1, "Copies", static_cast<LPARAM>(0x123456789ABCLL)), 1);
    EXPECT_EQ(insert(99, "Last"), 2);  // past the end: appended
    char value[] = "A4";
    LVITEMA set{LVIF_TEXT, 0, 1, 0, 0, value, 0, 0, 0, 0};
    EXPECT_TRUE(SendMessageA(list, LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&set)));
    EXPECT_EQ(text(0, 0), "Paper size");
    EXPECT_EQ(text(0, 1), "A4");
    EXPECT_EQ(text(1, 1), "");
    LVITEMA get{};
    get.mask = LVIF_PARAM;
    get.iItem = 1;
    ASSERT_TRUE(SendMessageA(list, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&get)));
    EXPECT_EQ(get.lParam, static_cast<LPARAM>(0x123456789ABCLL));

    char small[4];
    LVITEMA cut{};
    cut.iSubItem = 0;
    cut.pszText = small;
    cut.cchTextMax = sizeof small;
    EXPECT_EQ(SendMessageA(list, LVM_GETITEMTEXTA, 0, reinterpret_cast<LPARAM>(&cut)), 3);
    EXPECT_STREQ(small, "Pap");

    EXPECT_EQ(SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_FULLROWSELECT), 0);
    EXPECT_EQ(SendMessageA(list, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0), LVS_EX_FULLROWSELECT);
    EXPECT_EQ(insert(-1, "bad"), -1);
    LVITEMA sub{LVIF_TEXT, 0, 1, 0, 0, value, 0, 0, 0, 0};
    EXPECT_EQ(SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&sub)), -1);
    EXPECT_TRUE(SendMessageA(list, LVM_DELETEALLITEMS, 0, 0));
    EXPECT_EQ(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0), 0);

    insert(0, "a");
    insert(1, "b");
    g_heard.clear();
    ASSERT_TRUE(setState(0, LVIS_FOCUSED | LVIS_SELECTED, LVIS_FOCUSED | LVIS_SELECTED));
    EXPECT_EQ(changes(), (std::vector<std::pair<UINT, int>>{{LVN_ITEMCHANGING, 0}, {LVN_ITEMCHANGED, 0}}));
    EXPECT_EQ(g_heard.back().extra, static_cast<UINT>(LVIS_FOCUSED | LVIS_SELECTED));

    // Selecting the second row of a single-selection list takes focus and selection from the
    // first inside the second row's own frame.
    g_heard.clear();
    ASSERT_TRUE(setState(1, LVIS_FOCUSED | LVIS_SELECTED, LVIS_FOCUSED | LVIS_SELECTED));
    EXPECT_EQ(changes(), (std::vector<std::pair<UINT, int>>{{LVN_ITEMCHANGING, 1},
                                                            {LVN_ITEMCHANGING, 0},
                                                            {LVN_ITEMCHANGED, 0},
                                                            {LVN_ITEMCHANGING, 0},
                                                            {LVN_ITEMCHANGED, 0},
                                                            {LVN_ITEMCHANGED, 1}}));
    EXPECT_EQ(SendMessageA(list, LVM_GETNEXTITEM, -1, LVNI_SELECTED), 1);
    EXPECT_EQ(SendMessageA(list, LVM_GETSELECTEDCOUNT, 0, 0), 1);
    EXPECT_EQ(SendMessageA(list, LVM_GETITEMSTATE, 0, LVIS_FOCUSED | LVIS_SELECTED), 0);

    // A parent that refuses the change keeps the old state; setting the same state says nothing.
    cctest::g_refuse = LVN_ITEMCHANGING;
    EXPECT_FALSE(setState(0, LVIS_SELECTED, LVIS_SELECTED));
    EXPECT_EQ(SendMessageA(list, LVM_GETITEMSTATE, 0, LVIS_SELECTED), 0);
    cctest::g_refuse = 0;
    g_heard.clear();
    EXPECT_TRUE(setState(1, LVIS_SELECTED, LVIS_SELECTED));
    EXPECT_TRUE(changes().empty());
}

TEST_F(ReportList, ClicksSelectTickAndSortByColumn) {
    SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT,
                 LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
    insert(0, "a");
    insert(1, "b");
    EXPECT_EQ(SendMessageA(list, LVM_GETITEMSTATE, 0, LVIS_STATEIMAGEMASK), INDEXTOSTATEIMAGEMASK(1));

    int row1 = cctest::At(300, 20 + 16 + 5);  // below the header, second row, second column
    SendMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, row1);
    EXPECT_EQ(SendMessageA(list, LVM_GETNEXTITEM, -1, LVNI_SELECTED | LVNI_FOCUSED), 1);
    SendMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, cctest::At(4, 20 + 5));  // the check box of the first row
    EXPECT_EQ(SendMessageA(list, LVM_GETITEMSTATE, 0, LVIS_STATEIMAGEMASK), INDEXTOSTATEIMAGEMASK(2));
    SendMessageA(list, WM_KEYDOWN, VK_SPACE, 0);  // ticks the focused row
    EXPECT_EQ(SendMessageA(list, LVM_GETITEMSTATE, 1, LVIS_STATEIMAGEMASK), INDEXTOSTATEIMAGEMASK(2));

    g_heard.clear();
    SendMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, cctest::At(250, 5));  // the second column's header
    ASSERT_FALSE(g_heard.empty());
    EXPECT_EQ(g_heard[0].code, static_cast<UINT>(LVN_COLUMNCLICK));
    EXPECT_EQ(g_heard[0].item, 1);

    LVFINDINFOA find{LVFI_STRING, "B", 0, {}, 0};
    EXPECT_EQ(SendMessageA(list, LVM_FINDITEMA, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&find)), 1);
}

TEST(ListView, SortsByParameterAndKeepsItemsSortedByText) {
    HWND parent = cctest::MakeParent();
    HWND list = cctest::MakeChild(parent, WC_LISTVIEWA, LVS_REPORT | LVS_SORTASCENDING, 1);
    for (const char* t : {"pear", "Apple", "fig"}) {
        LVITEMA it{LVIF_TEXT | LVIF_PARAM, 0, 0, 0, 0, const_cast<LPSTR>(t), 0, 0, static_cast<LPARAM>(t[1]), 0};
        SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&it));
    }
    auto first = [&] {
        char buf[16] = "";
        LVITEMA it{};
        it.pszText = buf;
        it.cchTextMax = sizeof buf;
        SendMessageA(list, LVM_GETITEMTEXTA, 0, reinterpret_cast<LPARAM>(&it));
        return std::string(buf);
    };
    EXPECT_EQ(first(), "Apple");
    auto byParam = [](LPARAM a, LPARAM b, LPARAM down) -> int { return down ? static_cast<int>(b - a) : static_cast<int>(a - b); };
    SendMessageA(list, LVM_SORTITEMS, 1, reinterpret_cast<LPARAM>(static_cast<PFNLVCOMPARE>(byParam)));
    EXPECT_EQ(first(), "Apple");  // 'p' sorts highest
    SendMessageA(list, LVM_SORTITEMS, 0, reinterpret_cast<LPARAM>(static_cast<PFNLVCOMPARE>(byParam)));
    EXPECT_EQ(first(), "pear");  // 'e' lowest
    DestroyWindow(parent);
}

}  // namespace
