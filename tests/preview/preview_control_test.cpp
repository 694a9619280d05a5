// The preview control over a real static control: the picture takes the messages it routes and
// lets every other one, and every one it leaves, reach the control; deleting the picture hands the
// control its own procedure back, and a picture whose control went first is deleted safely.
#include "preview/cm_preview.h"

#include "drvtest/test_window.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A picture that records what reaches its handlers and answers as told.
class RecordingPreview : public CmPreview {
public:
    RecordingPreview(HWND control, LRESULT answer) : CmPreview(control, nullptr, nullptr, 1), answer_(answer) {}
    LRESULT OnPaint(WPARAM, LPARAM) override {
        seen.push_back(WM_PAINT);
        return answer_;
    }
    LRESULT OnCommand(WPARAM, LPARAM) override {
        seen.push_back(WM_COMMAND);
        return answer_;
    }
    std::vector<UINT> seen;

private:
    LRESULT answer_;
};

LRESULT CALLBACK ParentProc(HWND w, UINT m, WPARAM wp, LPARAM lp) { return DefWindowProcA(w, m, wp, lp); }

struct Page {
    HWND parent = drvtest::MakeWindow("PreviewControlParent", ParentProc, WS_OVERLAPPEDWINDOW, 300, 300);
    HWND control = CreateWindowA("Static", "before", WS_CHILD | WS_VISIBLE | SS_NOTIFY, 10, 10, 100, 100, parent,
                                 nullptr, nullptr, nullptr);
    ~Page() {
        if (IsWindow(parent)) DestroyWindow(parent);
    }
};

TEST(PreviewControl, RoutesItsMessagesAndPassesTheRestToTheControl) {
    Page page;
    ASSERT_NE(page.control, nullptr);
    const LONG_PTR ownProc = GetWindowLongPtrA(page.control, GWLP_WNDPROC);
    struct Case {
        LRESULT answer;
        LRESULT commandResult;  // 1 when the picture handled it
    };
    for (auto c : {Case{1, 1}, Case{0, 0}}) {
        auto* preview = new RecordingPreview(page.control, c.answer);
        EXPECT_EQ(GetWindowLongPtrA(page.control, GWLP_USERDATA), reinterpret_cast<LONG_PTR>(preview))
            << "the whole pointer is kept";
        EXPECT_EQ(preview->Parent(), page.parent);
        EXPECT_EQ(SendMessageA(page.control, WM_COMMAND, 0, 0), c.commandResult);
        EXPECT_TRUE(SetWindowTextA(page.control, "after"));  // not routed: the static keeps its text
        char text[16] = "";
        GetWindowTextA(page.control, text, sizeof text);
        EXPECT_STREQ(text, "after");
        EXPECT_EQ(preview->seen, std::vector<UINT>{WM_COMMAND});
        delete preview;
        EXPECT_EQ(GetWindowLongPtrA(page.control, GWLP_WNDPROC), ownProc) << "the control's procedure is back";
        EXPECT_EQ(GetWindowLongPtrA(page.control, GWLP_USERDATA), 0);
    }
}

// The parent is destroyed before the page deletes its picture: the control goes first.
TEST(PreviewControl, APictureWhoseControlIsGoneIsDeletedSafely) {
    Page page;
    auto* preview = new RecordingPreview(page.control, 1);
    DestroyWindow(page.parent);
    EXPECT_FALSE(IsWindow(page.control));
    EXPECT_EQ(preview->Control(), nullptr) << "the picture let go of the control on its last message";
    delete preview;
}

}  // namespace
