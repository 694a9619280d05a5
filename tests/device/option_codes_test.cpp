// The device's codes and names turned into the device-option data: the code maps, the slot a
// source name chooses, the level and memory rules, read back from the data as the printer stores it.
#include "core/devmode/device_option_block.h"
#include "device/config/configuration_reply.h"
#include "device/config/option_writers.h"
#include "device/device_query_record.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <memory>

namespace {

struct Dop {
    std::array<uint8_t, devopt::kDataSize> bytes{};
    MutableByteView View() { return MutableByteView(bytes.data(), bytes.size()); }
    int16_t Slot16(size_t k, size_t at) {
        int16_t v = 0;
        View().s16(devopt::kSourceSlots + k * devopt::kSourceSlotSize + at, v);
        return v;
    }
    std::string SlotName(size_t k) {
        return reinterpret_cast<const char*>(bytes.data() + devopt::kSourceSlots + k * devopt::kSourceSlotSize +
                                             devopt::kSlotName);
    }
    uint32_t U32(size_t at) {
        uint32_t v = 0;
        View().u32(at, v);
        return v;
    }
};

OptionWriterInput Input(uint16_t model) {
    OptionWriterInput in;
    in.codes = {model, 0x409, 1};
    in.defaults = {model, 256, 9, false};
    in.reservedMemory = 1024;
    return in;
}

TEST(OptionCodes, MapsAnswerTheirCodesAndUnknownsAsUnknown) {
    OptionCodeContext us{2059, 0x409, 2}, jp{2059, 0x411, 2};
    EXPECT_EQ(PaperSizeFromDevice(11, us), 17);
    EXPECT_EQ(PaperSizeFromDevice(11, jp), 3);
    EXPECT_EQ(PaperSizeFromDevice(23, us), 37);
    EXPECT_EQ(PaperSizeFromDevice(23, jp), 0);
    EXPECT_EQ(PaperSizeFromDevice(211, us), 4327);
    EXPECT_EQ(PaperSizeFromDevice(205, us), -3);
    EXPECT_EQ(PaperSizeFromDevice(999, us), 0);
    EXPECT_EQ(PaperSizeFromDevice(999, OptionCodeContext{15, 0x409, 0}), -3);
    EXPECT_EQ(PaperSizeFromDeviceShort(205, us), 0) << "only paper set 1 gives unknown";
    EXPECT_EQ(PaperSizeFromDeviceShort(64, us), 0);
    EXPECT_EQ(MediaIdFromDevice(8, 2069), 34);
    EXPECT_EQ(MediaIdFromDevice(8, 2065), 3);
    EXPECT_EQ(MediaIdFromDevice(70, 2059), 75);
    EXPECT_EQ(MediaIdFromDevice(85, 2059), 91);
    EXPECT_EQ(MediaIdFromDevice(5, 2059), -2);
    EXPECT_EQ(MediaKindFromName("Heavy"), 3);
    EXPECT_EQ(MediaKindFromName("heavy"), -2);
    EXPECT_EQ(MemoryTimes1000(5000000), UINT32_MAX) << "saturates";
    EXPECT_EQ(SaturatingSub(3, 5), 0u);
}

TEST(OptionCodes, ConfigurationReplyFillsSourcesMemoryAndFinisher) {
    auto reply = std::make_unique<ConfigurationReply>();
    auto source = [&](size_t i, const char* name, uint32_t paper, uint32_t level, uint32_t kind, uint32_t media) {
        std::strcpy(reply->sources[i].name, name);
        reply->sources[i].paperSize = paper;
        reply->sources[i].level = level;
        reply->sources[i].kind = kind;
        reply->sources[i].mediaCode = media;
    };
    source(0, "Stack Bypass", 2, 254, 0, 3);
    source(1, "Drawer3", 13, 150, 1, 11);
    source(2, "Deck", 2, 40, 2, 8);
    source(3, "Unknown Tray", 2, 40, 2, 8);
    reply->memorySize = 262144;
    std::strcpy(reply->finisherName, "Finisher R2");
    reply->outputKind = 4;
    Dop d;
    FillOptionTablesA(d.View(), *reply, Input(2057));
    EXPECT_EQ(d.Slot16(0, devopt::kSlotLevel), -3) << "254 is unknown";
    EXPECT_EQ(d.Slot16(3, devopt::kSlotLevel), -2) << "150 leaves the default";
    EXPECT_EQ(d.Slot16(3, devopt::kSlotSourceKind), 3);
    EXPECT_EQ(d.Slot16(3, devopt::kSlotPaperSize), 1);
    EXPECT_EQ(d.SlotName(5), "Deck") << "with a third drawer the deck is slot 5";
    EXPECT_EQ(d.Slot16(5, devopt::kSlotMediaId), 3);
    EXPECT_EQ(d.SlotName(6), "");
    EXPECT_EQ(d.U32(devopt::kMemorySize), 262144000u) << "262144 keeps the reserve";
    EXPECT_EQ(d.bytes[devopt::kFinisherCode], 21);
    EXPECT_EQ(d.U32(devopt::kSecondFlagWord) & 0x10, 0x10u);

    source(1, "Drawer1", 13, 50, 1, 11);
    reply->memorySize = 300000;
    std::strcpy(reply->memoryNames[0], "G-RAM");
    reply->memorySizes[0] = 1024 * 1000;
    Dop e;
    FillOptionTablesA(e.View(), *reply, Input(2057));
    EXPECT_EQ(e.SlotName(3), "Deck") << "without a third drawer the deck is slot 3";
    EXPECT_EQ(e.U32(devopt::kMemorySize), (300000u - 1000 - 1024) * 1000);
}

TEST(OptionCodes, DeviceQueryRecordFillsTheCassettesOfTheMonochromeModel) {
    auto record = std::make_unique<DeviceQueryRecord>();
    const char* names[] = {"TRAY", "CASSETTE1", "CASSETTE2", "CASSETTE3"};
    record->sourceCount = 4;
    for (uint32_t i = 0; i < 4; ++i) {
        std::strcpy(record->sources[i].name, names[i]);
        record->sourceValues[i] = {2, 30 + i, 0, 3};
    }
    record->memoryCount = 2;
    record->memory[0] = {"RAM", 2, 262144, {4, 4}};
    record->memory[1] = {"HDD", 3, 999999, {4, 4}};
    record->mailBoxWord = 1;
    record->languageCount = 2;
    record->languages[0] = 1;
    record->languages[1] = 3;
    Dop d;
    FillOptionTablesB(d.View(), *record, Input(2059));
    EXPECT_EQ(d.SlotName(3), "CASSETTE3");
    EXPECT_EQ(d.Slot16(3, devopt::kSlotLevel), 33);
    EXPECT_EQ(d.Slot16(3, devopt::kSlotMediaId), 2) << "device code 3 is plain paper";
    EXPECT_EQ(d.U32(devopt::kOptionWord), 0x40000u) << "a third cassette";
    EXPECT_EQ(d.U32(devopt::kMemorySize), 262144000u - 131072000u);
    EXPECT_EQ(d.U32(devopt::kFlagWord) & 0x8, 0x8u);
    EXPECT_EQ(d.U32(devopt::kPdlBits), 0x5u);
    EXPECT_NE(d.U32(devopt::kMediaCapabilities), 0u) << "plain media in the cassettes";
}

}  // namespace
