// The combo-box tooltip: while the list is dropped, the highlighted entry's text from the
// callback shows beside it, cut to what the tip holds; no text or a closed list shows nothing.
#include "core/memory/private_heap.h"
#include "drvtest/scripted_user.h"
#include "ui_test_support.h"

#include <cstring>

namespace uitest {
namespace {

struct Asked {
    UIDEVDATA* ctx;
    HWND dialog;
    int id;
    int index;
};
std::vector<Asked> g_asked;
CmTooltip* g_tooltip = nullptr;

LPSTR PaperText(UIDEVDATA* ctx, HWND dialog, int id, int index) {
    g_asked.push_back({ctx, dialog, id, index});
    std::string text = index == 0 ? "Letter:\nWidth: 215.9 mm" : index == 1 ? std::string(400, 'x') : "";
    if (index >= 2) return nullptr;
    auto* out = static_cast<LPSTR>(PrivateAlloc(text.size() + 1));
    if (out) std::memcpy(out, text.c_str(), text.size() + 1);
    return out;
}

std::string TipText() {
    char text[1024] = "";
    GetWindowTextA(g_tooltip->Window(), text, sizeof text);
    return text;
}

TEST_F(DialogTest, DroppedComboShowsTheHighlightedEntrysText) {
    g_asked.clear();
    g_onInit = [&](CmProc& page) {
        for (const char* paper : {"Letter", "Legal", "A4", "A5"})
            SendDlgItemMessageA(page.Dialog(), IDC_TEST_COMBO, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(paper));
        SendDlgItemMessageA(page.Dialog(), IDC_TEST_COMBO, CB_SETCURSEL, 0, 0);
        g_tooltip = new CmTooltip(page.Dialog());
        EXPECT_TRUE(g_tooltip->AddTool({kToolComboBox, IDC_TEST_COMBO, PaperText, page.Request()}));
        EXPECT_FALSE(g_tooltip->AddTool({kToolComboBox, IDC_TEST_COMBO, PaperText, nullptr}));  // already a tool
        EXPECT_FALSE(g_tooltip->AddTool({1, IDC_TEST_EDIT, PaperText, nullptr}));
        EXPECT_FALSE(g_tooltip->AddTool({kToolComboBox, 999, PaperText, nullptr}));
    };
    g_onDestroy = [](CmProc&) {
        delete g_tooltip;
        g_tooltip = nullptr;
    };
    struct Step {
        UINT key;
        bool shown;
        std::size_t length;  // of the text shown
    };
    std::vector<std::string> wrong;
    HWND dialogSeen = nullptr;
    drvtest::ScriptedUser person;
    person.OnDialog([&](HWND dialog) {
        dialogSeen = dialog;
        EXPECT_TRUE(drvtest::PressKey(dialog, IDC_TEST_COMBO, VK_DOWN));  // closed: no tip
        EXPECT_TRUE(drvtest::PressKey(dialog, IDC_TEST_COMBO, VK_UP));
        for (const Step& s : {Step{VK_F4, true, 23}, Step{VK_DOWN, true, CmTooltip::kMaxText - 1},
                              Step{VK_DOWN, false, 0}, Step{VK_UP, true, CmTooltip::kMaxText - 1},
                              Step{VK_ESCAPE, false, 0}}) {
            EXPECT_TRUE(drvtest::PressKey(dialog, IDC_TEST_COMBO, s.key));
            const bool shown = IsWindowVisible(g_tooltip->Window()) != FALSE;
            if (shown != s.shown || (shown && TipText().size() != s.length))
                wrong.push_back(std::to_string(s.key) + " shown " + std::to_string(shown) + " " + TipText());
        }
        // Beside the list, to the right of the control.
        RECT combo{}, tip{};
        GetWindowRect(GetDlgItem(dialog, IDC_TEST_COMBO), &combo);
        EXPECT_TRUE(drvtest::PressKey(dialog, IDC_TEST_COMBO, VK_F4));  // asked again on opening
        EXPECT_TRUE(drvtest::PressKey(dialog, IDC_TEST_COMBO, VK_UP));
        GetWindowRect(g_tooltip->Window(), &tip);
        EXPECT_GE(tip.left, combo.right);
        EXPECT_EQ(TipText(), "Letter:\nWidth: 215.9 mm");
        EXPECT_TRUE(drvtest::PressOk(dialog));
    });
    EXPECT_EQ(RunDialog(), IDOK);
    EXPECT_TRUE(wrong.empty()) << wrong.front();

    // Asked once per highlighted entry while dropped; each answer freed.
    std::vector<int> indexes;
    for (const Asked& a : g_asked) {
        indexes.push_back(a.index);
        EXPECT_EQ(a.ctx, device.Device());
        EXPECT_EQ(a.dialog, dialogSeen);
        EXPECT_EQ(a.id, IDC_TEST_COMBO);
    }
    EXPECT_EQ(indexes, (std::vector<int>{0, 1, 2, 1, 1, 0}));
    EXPECT_EQ(g_tooltip, nullptr);
    ExpectNothingLeft();
}

}  // namespace
}  // namespace uitest
