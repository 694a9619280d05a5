// The flat attribute list as the direct device query receives it, parsed into the configuration
// block: values of the expected form land in their fields, anything else sets the attribute's
// failure bit, and a list that lies about its own bounds is never read outside itself.
#include "core/memory/private_heap.h"
#include "device/config/device_config_block.h"
#include "device/device_operations.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

// Attributes built as the library hands them over, flattened by the driver's own flattener.
struct Answer {
    std::vector<std::vector<ZdsvValue>> values;
    std::vector<std::string> texts;
    std::vector<ZdsvAttribute> attributes;
    Answer() {
        texts.reserve(32);
        values.reserve(32);
    }
    ZdsvValue Number(uint32_t n) { return {1, 0, n}; }
    ZdsvValue Text(const std::string& t) {
        texts.push_back(t);
        return {2, 0, reinterpret_cast<uintptr_t>(texts.back().c_str())};
    }
    Answer& Add(uint32_t id, std::vector<ZdsvValue> v) {
        values.push_back(std::move(v));
        attributes.push_back({id, 0, 0, static_cast<uint32_t>(values.back().size()), values.back().data()});
        return *this;
    }
    std::vector<uint8_t> Flat() {
        uint32_t size = 0;
        uint8_t* block = FlattenAttributes(attributes.data(), static_cast<uint32_t>(attributes.size()), &size);
        std::vector<uint8_t> out(block, block + size);
        PrivateFree(block);
        return out;
    }
};

class ConfigBlock : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(CreatePrivateHeap()); }
    void TearDown() override { DestroyPrivateHeap(); }
    int Parse(std::vector<uint8_t> flat, uint32_t count) {
        return ParseDeviceInfoRecords(block.get(), flat.data(), flat.size(), count);
    }
    std::unique_ptr<DeviceConfigBlock> block = std::make_unique<DeviceConfigBlock>();
};

TEST_F(ConfigBlock, ValuesOfTheExpectedFormFillTheirFields) {
    Answer a;
    a.Add(kAttrEngineVersion, {a.Number(0x0302)})
        .Add(0x3000001, {a.Text("Stack Bypass"), a.Text("Drawer1"), a.Text("A name longer than thirty-two characters")})
        .Add(kAttrSourceValues, {a.Number(1), a.Number(2), a.Number(3), a.Number(4), a.Number(5), a.Number(6),
                                 a.Number(7), a.Number(8), a.Number(9)})
        .Add(0x12345, {a.Number(1)});
    ASSERT_EQ(Parse(a.Flat(), 4), 1);
    EXPECT_EQ(ConfigNumber(*block, kAttrEngineVersion), 0x0302u);
    EXPECT_EQ(ConfigCount(*block, 0x3000001), 3u);
    EXPECT_STREQ(ConfigText(*block, 0x3000001, 1), "Drawer1");
    EXPECT_STREQ(ConfigText(*block, 0x3000001, 2), "A name longer than thirty-two ch");
    EXPECT_EQ(ConfigCount(*block, kAttrSourceValues), 8u) << "capacity 8";
    EXPECT_EQ(ConfigNumber(*block, kAttrSourceValues, 7), 8u);
    EXPECT_EQ(block->failures[0] | block->failures[1] | block->failures[2] | block->failures[3], 0u);
    EXPECT_FALSE(ConfigKnows(0x12345));
}

TEST_F(ConfigBlock, ValuesOfAnotherFormSetTheFailureBit) {
    struct Case {
        const char* what;
        uint32_t id;
        int word, bit;
    };
    Answer a;
    a.Add(kAttrEngineVersion, {a.Number(0x0302), a.Number(4)})  // two values where one is expected
        .Add(0x4000111, {a.Number(3)})                          // a number where words are expected
        .Add(0x70000003, {})                                    // no value
        .Add(0x40076, {})
        .Add(0x3000002, {a.Number(1), a.Text("two"), a.Number(3)});
    ASSERT_EQ(Parse(a.Flat(), 5), 1);
    for (auto c : {Case{"two values", kAttrEngineVersion, 0, 1}, Case{"wrong kind", 0x4000111, 0, 2},
                   Case{"no value", 0x70000003, 0, 6}, Case{"missing second text", 0x40076, 2, 1}}) {
        EXPECT_TRUE(ConfigFailed(*block, c.id)) << c.what;
        EXPECT_TRUE((block->failures[c.word] >> c.bit) & 1) << c.what;
    }
    EXPECT_EQ(ConfigNumber(*block, kAttrEngineVersion), 0u) << "the version stays 0";
    EXPECT_TRUE(ConfigFailed(*block, 0x3000002));
    EXPECT_EQ(ConfigCount(*block, 0x3000002), 1u) << "the list stops at the first text";
}

TEST_F(ConfigBlock, ForgedOffsetsAreRefusedNotRead) {
    Answer a;
    a.Add(kAttrEngineVersion, {a.Number(7)}).Add(0x3000001, {a.Text("Drawer1")}).Add(0x4000111, {a.Number(1)});
    std::vector<uint8_t> good = a.Flat();
    auto put = [](std::vector<uint8_t>& b, size_t at, uint32_t v) { std::memcpy(b.data() + at, &v, 4); };
    struct Case {
        const char* what;
        size_t at;
        uint32_t value;
        uint32_t failed;
    };
    // Records are 20 bytes: the count at 12 and the values' offset at 16; values 12 bytes.
    for (auto c : {Case{"values past the end", 16, 0xFFFFFFF0, kAttrEngineVersion},
                   Case{"a count far beyond the list", 32, 0x40000000, 0x3000001},
                   Case{"a text offset past the end", 60 + 12 + 8, 0xFFFFFF00, 0x3000001},
                   Case{"a text longer than the list", 60 + 12 + 4, 0x7FFFFFFF, 0x3000001}}) {
        std::vector<uint8_t> bad = good;
        put(bad, c.at, c.value);
        ASSERT_EQ(Parse(bad, 3), 1) << c.what;
        EXPECT_TRUE(ConfigFailed(*block, c.failed)) << c.what;
    }
    EXPECT_EQ(Parse(good, 1000), 0) << "records beyond the list";
    EXPECT_EQ(ParseDeviceInfoRecords(block.get(), nullptr, 0, 3), 0);
    EXPECT_EQ(ParseDeviceInfoRecords(nullptr, good.data(), good.size(), 3), 0);
    EXPECT_EQ(Parse(good, 0), 1);
    EXPECT_EQ(ConfigCount(*block, 0x3000001), 0u) << "zeroed before every parse";
}

}  // namespace
