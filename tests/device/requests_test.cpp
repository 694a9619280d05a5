// Blocking requests against the simulated device: the bytes of each request, multi-part answers
// and their continuation, callbacks from the library's thread, and the library's refusals,
// negative statuses, missing replies and surplus callbacks.
#include "device_fixture.h"

#include "device/client_requests.h"
#include "device/command_builders.h"
#include "device/command_replies.h"
#include "device/reply_copies.h"
#include "device/value_lists.h"

#include <cstring>
#include <string>
#include <vector>

namespace {

std::string Hex(const std::vector<uint8_t>& bytes) {
    std::string s;
    char two[3];
    for (uint8_t b : bytes) {
        std::snprintf(two, sizeof two, "%02x", b);
        s += two;
    }
    return s;
}

void BigEndian(std::vector<uint8_t>& out, uint32_t v) {
    for (int s = 24; s >= 0; s -= 8) out.push_back(static_cast<uint8_t>(v >> s));
}

}  // namespace

TEST_F(DeviceInfoTest, MultiPartAnswersContinueWithTheLastKeyFromEitherThread) {
    for (const char* mode : {"inline", "worker"}) {
        sim_->ClearLog();
        sim_->Describe(std::string("mode ") + mode + "\nparts 4\nvalues 7 1 2 3 4 5 6 7 8 9 10\n");
        ASSERT_TRUE(Open()) << mode;
        DevInfoStatus status{};
        uint32_t count = 0;
        void** replies = DevInfoClient_RequestMany(client_, iface_, connection_, 7, &count, &status);
        EXPECT_EQ(status.status, 0) << mode;
        EXPECT_EQ(status.libraryCode, 0) << mode;
        EXPECT_EQ(status.lastValue, 0u) << mode;
        ASSERT_EQ(count, 3u) << mode;  // the replies stored, fewer than the ten records announced
        DevInfoValueList list{};
        ASSERT_EQ(DevInfoClient_ConcatValues(client_, &list, count, replies), 1);
        ASSERT_EQ(list.count, 10u);
        for (uint32_t i = 0; i < 10; ++i) EXPECT_EQ(list.values[i], i + 1);
        DevInfoValueList_Free(&list);
        DevInfoClient_FreeReplies(client_, DevInfoClient_FreeValueReply, replies, count);
        // Three requests: the first in phase 1 with key 0, then phase 3 with the last reply's key.
        std::vector<std::string> requests;
        for (const std::string& line : sim_->CallLog())
            if (line.rfind("request 22 ", 0) == 0) requests.push_back(line.substr(11, 16));
        EXPECT_EQ(requests, (std::vector<std::string>{"0000e00101000700", "0100e00103000700", "0200e00103000700"})) << mode;
        Close();
    }
}

TEST_F(DeviceInfoTest, CommandRequestsAreSentByteForByte) {
    sim_->Describe("variable TRAY-NAME \"Main tray\"\nvariable BIN3-NAME \"Sorter\"\nrow 5500 1234\n"
                   "rowtext \"Ledger paper, third drawer\"\n"
                   "namelist \"Form1\" \"Invoice\" 3\nnamelist \"Form2\" \"Letter\" 4\ntextanswer 7 8 9\n");
    ASSERT_TRUE(Open());
    // One command sent, its replies decoded into the target and freed: the request the device saw.
    auto exchange = [&](int kind, const void* items, DevInfoCommandTarget target, uint32_t replies) {
        sim_->ClearLog();
        DevInfoStatus status{};
        uint32_t count = 0;
        void** got = DevInfoClient_SendCommands(client_, iface_, connection_, kind, items, &count, &status);
        EXPECT_EQ(status.status, 0) << kind;
        EXPECT_EQ(count, replies) << kind;
        EXPECT_EQ(DevInfoClient_DecodeCommandReplies(client_, &target, count, got), 1) << kind;
        DevInfoClient_FreeReplies(client_, DevInfoClient_FreeCommandReply, got, count);
        return sim_->First("request 18");
    };

    struct Rows {
        uint32_t count;
        uint32_t items[2][2];
    } rows{2, {{5500, 7}, {5502, 8}}};
    std::vector<uint8_t> expected = {0, 0, 0, 0, 1, 10};
    for (uint32_t n = 1; n <= 10; ++n)
        for (uint32_t f : {700u, 0u, 20u, 1u, 5500u, n, 7u, 0u}) BigEndian(expected, f);
    DevInfoRowTable table{};
    EXPECT_EQ(exchange(kCommandRows, &rows, {nullptr, &table, nullptr, nullptr}, 2),
              "request 18 code 601 command 8212 size 326 data " + Hex(expected));
    EXPECT_EQ(table.rowCount, 10u);
    EXPECT_EQ(table.words[0], 1234u);
    EXPECT_STREQ(table.texts[0], "Ledger paper, third drawer");

    struct Names {
        uint32_t count;
        char names[3][260];
    } names{3, {"TRAY-NAME", "BIN3-NAME", "NO-SUCH-NAME"}};
    DevInfoSourceNames sources{};
    EXPECT_EQ(exchange(kCommandVariables, &names, {&sources, nullptr, nullptr, nullptr}, 3),
              "request 18 code 26279936 command 8208 size 12 data 010009545241592d4e414d45");
    EXPECT_STREQ(sources.tray, "Main tray");
    EXPECT_STREQ(sources.bin[2], "Sorter");

    struct NameList {
        char name[260];
        uint32_t count;
        char entries[1][260];
    } nameList{"Forms", 1, {"Any"}};
    DevInfoNameEntry entries[1] = {};
    DevInfoNameList list{0, 1, entries};  // room for one: the second entry is not written
    EXPECT_EQ(exchange(kCommandNameList, &nameList, {nullptr, nullptr, &list, nullptr}, 1),
              "request 18 code 0 command 12560 size 12 data 000105466f726d7303416e79");
    EXPECT_EQ(list.count, 1u);
    EXPECT_STREQ(entries[0].name, "Form1");
    EXPECT_STREQ(entries[0].text, "Invoice");
    EXPECT_EQ(entries[0].value, 3u);

    uint32_t words[3] = {};
    EXPECT_EQ(exchange(kCommandText, "ABCDEFGHIJKLMNOPQ", {nullptr, nullptr, nullptr, words}, 1),
              "request 18 code 101 command 14849 size 26 data 00000000000000000000" "0f" +
                  Hex({'A', 'B', 'C', 'D', 'E', 'F', 'G', 'H', 'I', 'J', 'K', 'L', 'M', 'N', 'O'}));
    EXPECT_EQ(words[2], 9u);
}

TEST_F(DeviceInfoTest, PagedRequestsSendFourIdsAtATime) {
    sim_->Describe("attr 11 16 number 1\nattr 12 16 number 2\n");
    ASSERT_TRUE(Open());
    std::vector<uint32_t> ids = {11, 12, 13, 14, 15, 16, 17, 18, 19, 20};
    DevInfoStatus status{};
    uint32_t count = 0;
    void** replies = DevInfoClient_RequestPaged(client_, iface_, connection_, static_cast<uint32_t>(ids.size()),
                                                ids.data(), 5, 6, &count, &status);
    EXPECT_EQ(status.status, 0);
    ASSERT_EQ(count, 3u);
    EXPECT_EQ(sim_->First("request 19"), "request 19 count 4 zero 0 p16 5 p32 6 ids 11 12 13 14");
    EXPECT_EQ(sim_->Count("request 19 count 2 zero 0 p16 5 p32 6 ids 19 20"), 1);
    auto* first = static_cast<const ZdsvGroupReply*>(replies[0]);
    ASSERT_EQ(first->count, 4u);
    EXPECT_EQ(first->groups[1].objectId, 12u);
    ASSERT_EQ(first->groups[1].count, 1u);
    EXPECT_EQ(first->groups[1].attributes[0].values[0].value, 2u);
    DevInfoClient_FreeReplies(client_, DevInfoClient_FreeGroupReply, replies, count);
}

TEST_F(DeviceInfoTest, RefusalsStatusesAndSurplusCallbacksAreReportedAndBounded) {
    struct Case {
        const char* description;
        DevInfoStatus expected;
        uint32_t replies;
    };
    for (auto c : {Case{"pair 5 6\n", {0, 0, 0}, 1},
                   Case{"pair 5 6\nfault refuse 21 -7\n", {0, -7, 1}, 0},
                   Case{"pair 5 6\nfault status 21 -9\n", {0, -9, 1}, 1},
                   Case{"pair 5 6\nfault status 21 3\n", {0, 0, 3}, 1},
                   Case{"pair 5 6\nfault nullreply 21\n", {0, 0, 0}, 0},
                   Case{"pair 5 6\nmode worker\nfault extra 21 5\n", {0, 0, 0}, 1}}) {
        sim_->Describe(c.description);
        ASSERT_TRUE(Open()) << c.description;
        DevInfoStatus status{};
        uint32_t count = 0;
        void** replies = DevInfoClient_RequestPair(client_, iface_, connection_, 1, 2, &count, &status);
        EXPECT_EQ(status.status, c.expected.status) << c.description;
        EXPECT_EQ(status.libraryCode, c.expected.libraryCode) << c.description;
        EXPECT_EQ(status.lastValue, c.expected.lastValue) << c.description;
        EXPECT_EQ(count, c.replies) << c.description;
        if (count) {
            EXPECT_EQ(static_cast<ZdsvPairReply*>(replies[0])->second, 6u);
        }
        DevInfoClient_FreeReplies(client_, DevInfoClient_FreePairReply, replies, count);
        Close();
    }
}

// Null arguments and names that do not fit a length byte fail, empty lists do nothing: none is sent.
TEST_F(DeviceInfoTest, NullArgumentsAndLongNamesFailAndEmptyListsDoNothing) {
    ASSERT_TRUE(Open());
    DevInfoStatus status{};
    uint32_t count = 5;
    struct Names {
        uint32_t count;
        char names[1][260];
    } names{1, {}};
    std::memset(names.names[0], 'N', 256);
    void** replies = DevInfoClient_SendCommands(client_, iface_, connection_, kCommandVariables, &names, &count, &status);
    EXPECT_EQ(status.status, -1);
    EXPECT_EQ(count, 0u);
    DevInfoClient_FreeReplies(client_, DevInfoClient_FreeCommandReply, replies, count);
    count = 5;
    EXPECT_EQ(DevInfoClient_RequestPair(client_, nullptr, connection_, 1, 2, &count, &status), nullptr);
    EXPECT_EQ(status.status, -1);  // a failure, never {0, 0}
    EXPECT_EQ(count, 0u);
    DevInfoEntryRequest entry{};
    EXPECT_EQ(DevInfoClient_RequestSync(client_, iface_, connection_, 0, &entry, &count, &status), nullptr);
    EXPECT_EQ(status.status, 0);
    EXPECT_EQ(status.lastValue, 1u);
    uint32_t noItems = 0;
    EXPECT_EQ(DevInfoClient_SendCommands(client_, iface_, connection_, kCommandRows, &noItems, &count, &status), nullptr);
    EXPECT_EQ(status.status, -2);
    EXPECT_EQ(sim_->Count("request"), 0);
}

TEST_F(DeviceInfoTest, AnswersOfMoreThanAHundredPartsEndTheExchange) {
    std::string values = "parts 1\nvalues 3";
    for (int i = 0; i < 101; ++i) values += " " + std::to_string(i);
    sim_->Describe(values + "\n");
    ASSERT_TRUE(Open());
    DevInfoStatus status{};
    uint32_t count = 0;
    void** replies = DevInfoClient_RequestMany(client_, iface_, connection_, 3, &count, &status);
    EXPECT_EQ(status.status, -11);  // no room for the rest: not a success with replies dropped
    EXPECT_EQ(count, 100u);
    EXPECT_EQ(sim_->Count("request 22"), 100);
    DevInfoClient_FreeReplies(client_, DevInfoClient_FreeValueReply, replies, count);
}

TEST_F(DeviceInfoTest, AReplyThatCannotBeCopiedStillEndsTheWait) {
    sim_->Describe("pair 5 6\nmode worker\n");
    ASSERT_TRUE(Open());
    HANDLE saved = g_hHeap;
    g_hHeap = HeapCreate(0, 0, sizeof(void*));  // room for the reply array, none for the copy
    DevInfoStatus status{};
    uint32_t count = 9;
    void** replies = DevInfoClient_RequestPair(client_, iface_, connection_, 1, 2, &count, &status);
    EXPECT_EQ(status.status, -11);
    EXPECT_EQ(count, 0u);
    DevInfoClient_FreeReplies(client_, DevInfoClient_FreePairReply, replies, count);
    HeapDestroy(g_hHeap);
    g_hHeap = saved;
}
