// Replies entered into the caller's tables: coded lists appended kind by kind (slot 21) and
// attributes of paged replies into id-keyed tables (slot 17).
#include "core/memory/private_heap.h"
#include "device/list_record.h"
#include "device/table_replies.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

ZdsvValueReply Coded(uint16_t code, std::vector<uint32_t>& words) {
    ZdsvValueReply r{};
    r.code = code;
    r.count = static_cast<uint16_t>(words.size());
    r.values = words.data();
    return r;
}

class ReplyTables : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(CreatePrivateHeap()); }
    void TearDown() override { DestroyPrivateHeap(); }
};

}  // namespace

TEST_F(ReplyTables, CodedEntriesAreAppendedByKind) {
    std::vector<uint32_t> two322(2 * kEntry322Size / 4 + 1, 0);  // two records and a stray word
    two322[0] = 11;
    two322[kEntry322Size / 4] = 12;
    std::vector<uint32_t> one322(kEntry322Size / 4, 13);
    // A 242 entry with two items, then one that announces more items than the reply holds.
    std::vector<uint32_t> entries242 = {1, 2, 3, 4, 2, 0xA, 0xA, 0xA, 0xA, 0xB, 0xB, 0xB, 0xB, 5, 6, 7, 8, 9};
    ZdsvValueReply replies[] = {Coded(kListCode322, two322), Coded(kListCode322, one322), Coded(kListCode242, entries242),
                                Coded(999, one322)};
    void* array[] = {&replies[0], &replies[1], &replies[2], &replies[3], nullptr};
    DevInfoListRecord record{};
    ASSERT_EQ(DevInfoClient_DecodeByReplyCode(nullptr, &record, 5, array), 1);
    ASSERT_EQ(record.count322, 3u);
    uint32_t first;
    std::memcpy(&first, record.entries322 + kEntry322Size, 4);
    EXPECT_EQ(first, 12u);
    std::memcpy(&first, record.entries322 + 2 * kEntry322Size, 4);
    EXPECT_EQ(first, 13u);
    ASSERT_EQ(record.count242, 1u);
    EXPECT_EQ(record.entries242[0].words[4], 2u);
    EXPECT_EQ(record.entries242[0].items[16], 0xB);
    EXPECT_EQ(record.count2356, 0u);
    // A second pass appends to what is there, item arrays included.
    void* again[] = {&replies[2]};
    ASSERT_EQ(DevInfoClient_DecodeByReplyCode(nullptr, &record, 1, again), 1);
    ASSERT_EQ(record.count242, 2u);
    EXPECT_EQ(record.entries242[0].items[0], 0xA);
    DevInfoClient_FreeListRecord(nullptr, &record);
    EXPECT_EQ(record.entries242, nullptr);
    EXPECT_EQ(DevInfoClient_DecodeByReplyCode(nullptr, nullptr, 1, array), 0);
}

TEST_F(ReplyTables, PagedAttributesGoToTheEntryOfTheirObject) {
    uint8_t a[2][kTableEntryA] = {}, c[1][kTableEntryC] = {};
    const uint32_t idsA[] = {300, 301};
    std::memcpy(a[0], &idsA[0], 4);
    std::memcpy(a[1], &idsA[1], 4);
    const uint32_t idC = 301;
    std::memcpy(c[0], &idC, 4);
    ZdsvValue name{kZdsvText, 0, reinterpret_cast<uintptr_t>("Drawer2")};
    ZdsvValue level{kZdsvNumber, 0, 0x150};
    ZdsvAttribute attributes[] = {{16, 0, 0, 1, &name}, {108, 0, 0, 1, &level}, {11804, 0, 0, 1, &name},
                                  {11608, 0, 0, 1, &level}};
    ZdsvAttributeGroup groups[] = {{301, 4, attributes}, {999, 4, attributes}};
    ZdsvGroupReply reply{0, 0, 2, groups};
    void* replies[] = {&reply};
    DevInfoTableTarget target{&a[0][0], 2, nullptr, 0, &c[0][0], 1};
    ASSERT_EQ(DevInfoClient_DecodeTableReplies(nullptr, &target, 1, replies), 1);
    EXPECT_STREQ(reinterpret_cast<char*>(a[1] + 4), "Drawer2");
    EXPECT_EQ(a[1][68], 0x50);  // a single byte of the number
    EXPECT_EQ(a[0][4], 0);      // the other object's entry is untouched
    EXPECT_STREQ(reinterpret_cast<char*>(c[0] + 8), "Drawer2");
    EXPECT_EQ(c[0][4], 0x50);
}
