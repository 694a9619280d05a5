// Job messages: the text takes the job's numbers and names in order, never writes past its buffer,
// and shows with its row's title and flags; the zero-padded id is padded to its digit count and
// refused, not cut, when it does not fit.
#include "drvtest/scripted_user.h"
#include "ui/cm_message.h"
#include "ui/job_message.h"
#include "ui_test_support.h"

#include <cstring>
#include <string>

namespace uitest {
namespace {

std::string Format(const char* text, const JobMessageArgs& args, std::size_t size = 64) {
    std::string out(size + 8, '#');
    FormatJobMessage(out.data(), size, text, args);
    EXPECT_EQ(out.substr(size), std::string(8, '#')) << "wrote past its buffer: " << text;
    return out.c_str();
}

TEST(JobMessage, PlaceholdersTakeTheNextNumberOrNameAndNothingWhenNoneIsLeft) {
    const uint32_t numbers[] = {0, 12, 0, 3000000000u};
    const char* const names[] = {"Report", nullptr};
    const JobMessageArgs args{numbers, std::size(numbers), names, std::size(names)};
    struct Case {
        const char* text;
        const char* shown;
    };
    for (auto c : {Case{"Job %d of %s", "Job 12 of Report"}, Case{"%d/%d/%d", "12/3000000000/"},
                   Case{"%s|%s|%s", "Report||"}, Case{"100%% %q done%", "100% q done%"}, Case{"", ""}})
        EXPECT_EQ(Format(c.text, args), c.shown) << c.text;
    EXPECT_EQ(Format("%d and %s", {}), " and ");
    EXPECT_EQ(Format("Job %s", args, 8), "Job Rep");
    EXPECT_EQ(Format(nullptr, args), "");
}

TEST(JobMessage, ZeroPaddedIdIsPaddedToItsDigitsAndNeverCut) {
    struct Case {
        uint8_t digits;
        uint32_t value;
        bool ok;
        const char* text;
    };
    for (auto c : {Case{5, 42, true, "00042"}, Case{0, 42, true, "42"}, Case{2, 1234, true, "1234"},
                   Case{12, 7, true, "0000007"}, Case{7, 9999999, true, "9999999"}, Case{3, 10000000, false, ""},
                   Case{1, 4294967295u, false, ""}}) {
        uint8_t field[kNumericIdFieldSize] = {c.digits};
        std::memcpy(field + 1, &c.value, sizeof c.value);  // unaligned, little-endian
        char out[kZeroPaddedIdSize + 4];
        std::memset(out, '#', sizeof out);
        EXPECT_EQ(FormatZeroPaddedId(field, sizeof field, out, kZeroPaddedIdSize), c.ok) << c.value;
        EXPECT_STREQ(out, c.text) << c.value;
        EXPECT_EQ(out[kZeroPaddedIdSize], '#');
    }
    uint8_t shortField[5] = {2, 1, 0, 0, 0};
    char out[kZeroPaddedIdSize] = "x";
    EXPECT_FALSE(FormatZeroPaddedId(shortField, sizeof shortField, out, sizeof out));
    EXPECT_FALSE(FormatZeroPaddedId(nullptr, kNumericIdFieldSize, out, sizeof out));
    EXPECT_STREQ(out, "");
}

class JobMessageBox : public DialogTest {};

TEST_F(JobMessageBox, ShowsTheRowsTextWithTheJobsNumbersAndItsTitleAndFlags) {
    // String 4007 is "(%d-%d)", string 4893 the catalogue's title.
    static const MessageRow kRows[] = {{40, 4007, 4893, MB_ICONWARNING | MB_YESNO}};
    ASSERT_TRUE(RegisterMessageRows(kCommonMessages, kRows, std::size(kRows)));
    drvtest::ScriptedUser person;
    person.AnswerMessageBox(IDNO);
    const uint32_t numbers[] = {1, 0, 999};
    EXPECT_EQ(ShowJobMessageBox(device.Device(), nullptr, 40, {numbers, std::size(numbers), nullptr, 0}), IDNO);
    EXPECT_EQ(ShowJobMessageBox(device.Device(), nullptr, 41, {}), 0) << "no row, no box";
    EXPECT_EQ(ShowJobMessageBox(nullptr, nullptr, 40, {}), 0);
    ASSERT_EQ(person.messageTexts(), std::vector<std::string>{"(1-999)"});
    EXPECT_EQ(person.messageBoxes()[0].caption, "Printer Settings");
    EXPECT_EQ(person.messageBoxes()[0].type, static_cast<UINT>(MB_ICONWARNING | MB_YESNO));
    UnregisterMessageRows(kRows);
}

}  // namespace
}  // namespace uitest
