// Decoding attribute records into the device record: each group's rule for absent and malformed
// values, quotes, cut texts, lists that break off, and the state bits.
#include "device/device_info_record.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

// Attribute records built in the test, as the library would hand them to a callback.
class Records {
public:
    Records& Add(uint32_t id, std::vector<ZdsvValue> values, bool nullValues = false) {
        values_.push_back(std::make_unique<std::vector<ZdsvValue>>(std::move(values)));
        auto& v = *values_.back();
        v.reserve(1);  // an empty list still has an array
        attributes_.push_back({id, 0, 0, static_cast<uint32_t>(v.size()), nullValues ? nullptr : v.data()});
        return *this;
    }
    void DecodeInto(DeviceInfoRecord& r) {
        DevInfoClient_DecodeDeviceInfo(&r, static_cast<uint32_t>(attributes_.size()), attributes_.data());
    }

private:
    std::vector<std::unique_ptr<std::vector<ZdsvValue>>> values_;
    std::vector<ZdsvAttribute> attributes_;
};

ZdsvValue Number(uint32_t n) { return {kZdsvNumber, 0, n}; }
ZdsvValue Text(const char* t) { return {kZdsvText, 0, reinterpret_cast<uintptr_t>(t)}; }
ZdsvValue Bytes(const uint8_t* b, uint32_t size) { return {kZdsvStructured, size, reinterpret_cast<uintptr_t>(b)}; }

bool Missing(const DeviceInfoRecord& r, int word, int bit) { return r.missingWords[word] & (1u << bit); }

}  // namespace

TEST(DeviceRecordDecoder, AbsentMalformedAndQuotedValuesFollowTheirGroupsRules) {
    auto r = std::make_unique<DeviceInfoRecord>();
    r->number20006 = 77;
    r->numbers260[2] = 9;
    Records()
        .Add(0x40061, {ZdsvValue{kZdsvText, 0, 0}})  // a null text
        .Add(224, {})                                // absent
        .Add(225, {Text("x")})                       // malformed
        .Add(240, {Text("x")})
        .Add(241, {})
        .Add(262, {Text("x")})
        .Add(0x4000101, {Text("x")})
        .Add(0x20006, {Text("x")})
        .Add(0x20001, {Number(42)})
        .Add(0x12345, {Number(1)})  // not in the table: skipped
        .DecodeInto(*r);
    EXPECT_STREQ(r->texts40037[5], "?");
    EXPECT_TRUE(Missing(*r, 1, 21));
    EXPECT_EQ(r->numbers224[0], -1);
    EXPECT_TRUE(Missing(*r, 1, 0));
    EXPECT_EQ(r->numbers224[1], -1);
    EXPECT_TRUE(Missing(*r, 1, 1));
    EXPECT_EQ(r->numbers240[0], -2);
    EXPECT_FALSE(Missing(*r, 1, 8));
    EXPECT_TRUE(Missing(*r, 1, 9));  // 241 absent: the bit, the field kept
    EXPECT_EQ(r->numbers260[2], 2);
    EXPECT_FALSE(Missing(*r, 1, 26));
    EXPECT_EQ(r->number4000101, 0u);
    EXPECT_FALSE(Missing(*r, 2, 30));
    EXPECT_EQ(r->number20006, 77u);  // malformed: kept, with the bit
    EXPECT_TRUE(Missing(*r, 0, 0));
    EXPECT_EQ(r->number20001, 42u);
    EXPECT_FALSE(Missing(*r, 0, 3));

    struct Case {
        const char* sent;
        const char* stored;
    };
    for (auto c : {Case{"\"Kv C270\"", "Kv C270"}, Case{"\"", "\""}, Case{"\"\"", ""}, Case{"plain", "plain"},
                   Case{"\"open", "\"open"}, Case{"0123456789012345678901234567890123456789", "01234567890123456789012"}}) {
        auto r = std::make_unique<DeviceInfoRecord>();
        Records().Add(0x40026, {Text(c.sent)}).DecodeInto(*r);
        EXPECT_STREQ(r->text40026, c.stored) << c.sent;
        EXPECT_EQ(r->missingWords[0], 0u) << c.sent;
    }
}

TEST(DeviceRecordDecoder, ListsStateBitsAndNumberedEntries) {
    auto r = std::make_unique<DeviceInfoRecord>();
    const char* names[10] = {"a", "b", "c", "d", "e", "f", "g", "h", "i", "j"};
    std::vector<ZdsvValue> ten;
    for (const char* n : names) ten.push_back(Text(n));
    Records().Add(0x3000001, ten).DecodeInto(*r);
    EXPECT_STREQ(r->texts3000001[0], "a");
    EXPECT_STREQ(r->texts3000001[7], "h");
    EXPECT_EQ(r->missingWords[2], 0u);

    Records().Add(0x3000006, {Text("x"), Number(1), Text("y")}).Add(0x4000100, {}, true).Add(0x3000200, {}).DecodeInto(*r);
    for (int i = 0; i < 8; ++i) {
        EXPECT_STREQ(r->texts3000006[i], "?") << i;
        EXPECT_STREQ(r->texts4000100[i], "?") << i;
        EXPECT_STREQ(r->texts3000200[i], "") << i;  // values but none: nothing changes
    }
    EXPECT_TRUE(Missing(*r, 2, 22));
    EXPECT_TRUE(Missing(*r, 2, 13));
    EXPECT_FALSE(Missing(*r, 2, 15));

    // Numbers skip what is not a number, with the bit; four places for 0x400010A.
    Records().Add(0x3000002, {Number(1), Text("x"), Number(3)}).Add(0x400010A, {Number(1), Number(2), Number(3), Number(4), Number(5)}).DecodeInto(*r);
    EXPECT_EQ(r->numbers3000002[0], 1u);
    EXPECT_EQ(r->numbers3000002[1], 3u);
    EXPECT_TRUE(Missing(*r, 2, 17));
    EXPECT_EQ(r->numbers400010A[3], 4u);
    EXPECT_EQ(r->numbers400010B[0], 0u);  // the next field is untouched

    r = std::make_unique<DeviceInfoRecord>();
    const uint8_t pairs[][2] = {{1, 1}, {2, 1}, {3, 0}, {4, 1}, {5, 1}, {9, 1}};
    std::vector<ZdsvValue> states;
    for (auto& p : pairs) states.push_back(Bytes(p, 2));
    uint8_t entry[] = {0x34, 0x12, 'T', 'r', 'a', 'y', 0};
    uint8_t shortEntry[] = {0x01};
    Records()
        .Add(209, states)
        .Add(2228, {Number(1), Number(2), Number(7)})
        .Add(0x30025, {Bytes(entry, sizeof entry)})
        .DecodeInto(*r);
    EXPECT_EQ(r->stateBits209, 0x01u | 0x04 | 0x02 | 0x10);
    EXPECT_EQ(r->stateBits2228, 0x03u);
    EXPECT_EQ(r->entries30025[0].number, 0x1234);
    EXPECT_STREQ(r->entries30025[0].text, "Tray");
    EXPECT_EQ(r->missingWords[2], 0u);

    Records().Add(0x30025, {Bytes(shortEntry, sizeof shortEntry)}).Add(209, {Number(1)}).DecodeInto(*r);
    EXPECT_STREQ(r->entries30025[0].text, "?");  // a short entry breaks the list
    EXPECT_TRUE(Missing(*r, 2, 8));
    EXPECT_TRUE(Missing(*r, 0, 31));

    DevInfoClient_DecodeDeviceInfo(nullptr, 1, nullptr);  // nothing to do, no crash
}
