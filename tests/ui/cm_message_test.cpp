// The message catalogue: a message id shows the texts and flags of its row from the resource
// module, tells the owner first, and answers the button the person pressed; this language's
// rows come before the common ones.
#include "core/device/service_table.h"
#include "drvtest/scripted_user.h"
#include "drvtest/test_window.h"
#include "ui/cm_message.h"
#include "ui_test_support.h"

namespace uitest {
namespace {

// The rows the profile pages register.
const MessageRow kProfileRows[] = {
    {10, 4205, 4893, 0x30}, {12, 4207, 4893, 0x30}, {13, 4208, 4893, 0x34}, {14, 4209, 4893, 0x30},
    {16, 4211, 4893, 0x34}, {17, 4212, 4893, 0x30}, {18, 4213, 4893, 0x30}, {19, 4214, 4893, 0x30},
    {20, 4215, 4893, 0x30}, {21, 4217, 4893, 0x30}, {22, 4218, 4893, 0x30}, {23, 4219, 4893, 0x30},
};

const drvtest::ScriptedUser* g_person = nullptr;

// An owner that notes each page message with the number of boxes shown so far.
LRESULT CALLBACK OwnerProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == kPageMessage) {
        const auto* r = reinterpret_cast<const PageMessageRecord*>(lParam);
        Log("page " + std::to_string(r->code) + " " + std::to_string(r->first) + " after " +
            std::to_string(g_person ? g_person->messageBoxes().size() : 0) + " boxes");
        return 0;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

class MessageTest : public DialogTest {
protected:
    void SetUp() override {
        DialogTest::SetUp();
        ASSERT_TRUE(RegisterMessageRows(kCommonMessages, kProfileRows, std::size(kProfileRows)));
        pageOwner = drvtest::MakeWindow("MessageOwner", OwnerProc, WS_OVERLAPPED, 100, 100);
    }
    void TearDown() override {
        DestroyWindow(pageOwner);
        UnregisterMessageRows(kProfileRows);
        g_person = nullptr;
        DialogTest::TearDown();
    }
    HWND pageOwner = nullptr;
};

TEST_F(MessageTest, EveryRowShowsItsTextsAndFlagsAfterTellingTheOwner) {
    struct Case {
        UINT id;
        const char* text;
        UINT type;
        int answer;
    };
    const Case cases[] = {
        {10, "The profile could not be saved.", MB_ICONWARNING, IDOK},
        {13, "Do you want to delete the profile?", MB_ICONWARNING | MB_YESNO, IDNO},
        {16, "Do you want to overwrite the profile?", MB_ICONWARNING | MB_YESNO, IDYES},
        {23, "The file name is not valid.", MB_ICONWARNING, IDOK},
    };
    drvtest::ScriptedUser person;
    g_person = &person;
    for (const Case& c : cases) person.AnswerMessageBox(c.answer);
    Message catalogue(device.Device());
    for (const Case& c : cases) EXPECT_EQ(catalogue.Show(pageOwner, c.id), c.answer) << c.id;

    ASSERT_EQ(person.messageBoxes().size(), std::size(cases));
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const drvtest::MessageBoxSeen& seen = person.messageBoxes()[i];
        EXPECT_EQ(seen.owner, pageOwner);
        EXPECT_EQ(seen.text, cases[i].text);
        EXPECT_EQ(seen.caption, "Printer Settings");
        EXPECT_EQ(seen.type, cases[i].type);
        EXPECT_EQ(g_log.at(i), "page 200 " + std::to_string(cases[i].id) + " after " + std::to_string(i) + " boxes");
    }
}

TEST_F(MessageTest, UnknownIdsShowNothingAndOwnersAreOptional) {
    drvtest::ScriptedUser person;
    Message catalogue(device.Device());
    EXPECT_EQ(catalogue.Show(pageOwner, 11), 0);  // no row
    EXPECT_TRUE(g_log.empty());                    // and no notice of a box that never comes
    EXPECT_EQ(catalogue.Show(nullptr, 10), IDOK);  // the default button
    ASSERT_EQ(person.messageBoxes().size(), 1u);
    EXPECT_EQ(person.messageBoxes()[0].owner, nullptr);
    EXPECT_EQ(CmMessage(nullptr).Show(pageOwner, 10), 0);  // no request, no texts
}

TEST_F(MessageTest, LanguageRowsComeFirstAndArgumentsFillTheText) {
    // This language's catalogue answers its own row for 10 and falls back for 12; the common
    // catalogue knows only the common rows.
    static const MessageRow kPdlRows[] = {{10, 4214, 4893, MB_ICONINFORMATION}, {30, 4252, 4893, 0}};
    ASSERT_TRUE(RegisterMessageRows(kPdlMessages, kPdlRows, std::size(kPdlRows)));
    Message language(device.Device());
    CmMessage common(device.Device());
    EXPECT_EQ(language.FindRow(10)->textId, 4214u);
    EXPECT_EQ(language.FindRow(12)->textId, 4207u);
    EXPECT_EQ(common.FindRow(10)->textId, 4205u);
    EXPECT_EQ(common.FindRow(30), nullptr);

    drvtest::ScriptedUser person;
    EXPECT_EQ(language.Show(pageOwner, 10), IDOK);
    // String 4125 is "(%d-%d)": only "%s" takes the argument, so it shows as it stands.
    static const MessageRow kArgumentRows[] = {{31, 4124, 4893, 0}, {32, 4125, 4893, 0}};
    ASSERT_TRUE(RegisterMessageRows(kPdlMessages, kArgumentRows, std::size(kArgumentRows)));
    EXPECT_EQ(language.ShowWithArg(pageOwner, 32, "x"), IDOK);
    ASSERT_EQ(person.messageBoxes().size(), 2u);
    EXPECT_EQ(person.messageBoxes()[0].text, "The file is not a profile file of this printer.");
    EXPECT_EQ(person.messageBoxes()[0].type, static_cast<UINT>(MB_ICONINFORMATION));
    EXPECT_EQ(person.messageBoxes()[1].text, "(%d-%d)");
    UnregisterMessageRows(kPdlRows);
    UnregisterMessageRows(kArgumentRows);
    EXPECT_EQ(language.FindRow(30), nullptr);
}

}  // namespace
}  // namespace uitest
