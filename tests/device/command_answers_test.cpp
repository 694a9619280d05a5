// Bad answers to commands: lengths and counts that run past the answer or the target's room are
// stopped where they would, and what was whole before them is kept.
#include "device/command_builders.h"
#include "device/command_replies.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<uint8_t> Bytes(std::initializer_list<int> head, const std::string& tail = "") {
    std::vector<uint8_t> out;
    for (int b : head) out.push_back(static_cast<uint8_t>(b));
    out.insert(out.end(), tail.begin(), tail.end());
    return out;
}

std::vector<uint8_t> Variable(const std::string& name, int valueLength, const std::string& value) {
    std::vector<uint8_t> out = Bytes({0, 0, static_cast<int>(name.size())}, name);
    std::vector<uint8_t> rest = Bytes({0, 0, valueLength}, value);
    out.insert(out.end(), rest.begin(), rest.end());
    return out;
}

}  // namespace

TEST(CommandAnswers, VariablesRowsAndListsOutsideTheirRulesStoreNothingPastTheLastWholeRecord) {
    struct Case {
        const char* what;
        std::vector<uint8_t> answer;
        const char* tray;
    };
    const std::string longValue(33, 'v');
    for (const auto& c : {Case{"whole", Variable("TRAY-NAME", 4, "Main"), "Main"},
                          Case{"value longer than 32", Variable("TRAY-NAME", 33, longValue), ""},
                          Case{"empty value", Variable("TRAY-NAME", 0, ""), ""},
                          Case{"value cut short", Variable("TRAY-NAME", 9, "Main"), ""},
                          Case{"name past the end", Bytes({0, 0, 40}, "TRAY-NAME"), ""},
                          Case{"unknown name", Variable("TRAY-NAMES", 4, "Main"), ""},
                          Case{"name with a NUL inside", Variable(std::string("TRAY-NAME\0X", 11), 4, "Main"), "Main"},
                          Case{"value with a NUL inside", Variable("TRAY-NAME", 5, std::string("Ma\0in", 5)), "Ma"}}) {
        DevInfoSourceNames names{};
        DevInfoCommandTarget target{&names, nullptr, nullptr, nullptr};
        DecodeCommandAnswer(&target, kVariablesCode, kVariablesCommand, c.answer.data(),
                            static_cast<uint32_t>(c.answer.size()));
        EXPECT_STREQ(names.tray, c.tray) << c.what;
    }

    // Two whole rows announced as 200, then a row whose value length is out of range.
    std::vector<uint8_t> rows = Bytes({0, 0, 0, 200});
    auto row = [&](uint32_t item, int length, uint32_t value) {
        for (uint32_t f : {700u, 0u, 20u, 1u, item, 1u, 0u, 1u})
            for (int s = 24; s >= 0; s -= 8) rows.push_back(static_cast<uint8_t>(f >> s));
        rows.push_back(static_cast<uint8_t>(length));
        for (int i = length - 1; i >= 0; --i) rows.push_back(static_cast<uint8_t>(value >> (8 * (i % 4))));
    };
    row(5500, 2, 0x1234);
    row(5503, 4, 77);
    row(5501, 32, 5);
    DevInfoRowTable table{};
    DevInfoCommandTarget target{nullptr, &table, nullptr, nullptr};
    DecodeCommandAnswer(&target, kRowsCode, kRowsCommand, rows.data(), static_cast<uint32_t>(rows.size()));
    EXPECT_EQ(table.rowCount, kRowsPerCommand);  // the count is capped, not believed
    EXPECT_EQ(table.words[0], 0x1234u);
    EXPECT_EQ(table.words[3], 77u);
    EXPECT_EQ(table.words[1], 0u);

    // Three entries announced; the second's text runs past the end; room for one only anyway.
    std::vector<uint8_t> list = Bytes({0, 3, 2}, "ab");
    for (int b : Bytes({1}, "x")) list.push_back(static_cast<uint8_t>(b));
    list.push_back(9);
    for (int b : Bytes({2}, "cd")) list.push_back(static_cast<uint8_t>(b));
    list.push_back(50);
    DevInfoNameEntry entries[2] = {};
    for (uint32_t capacity : {1u, 2u}) {
        DevInfoNameList names{0, capacity, entries};
        target = {nullptr, nullptr, &names, nullptr};
        DecodeCommandAnswer(&target, kNameListCode, kNameListCommand, list.data(), static_cast<uint32_t>(list.size()));
        EXPECT_EQ(names.count, 1u) << capacity;
        EXPECT_STREQ(entries[0].name, "ab");
        EXPECT_EQ(entries[0].value, 9u);
    }

    uint32_t words[3] = {1, 2, 3};
    target = {nullptr, nullptr, nullptr, words};
    std::vector<uint8_t> shortWords = Bytes({0, 0, 0, 4, 0, 0, 0, 5});
    DecodeCommandAnswer(&target, kTextCode, kTextCommand, shortWords.data(), static_cast<uint32_t>(shortWords.size()));
    EXPECT_EQ(words[0], 1u);  // eight bytes are not three words: nothing is stored
}
