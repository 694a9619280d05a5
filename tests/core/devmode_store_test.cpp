// The device-mode lifecycle over a temporary registry hive: defaults, the printer's stored
// default and its fallbacks, the request's device mode, and the device-option block's round trip.
#include "core/helpers/byte_view.h"
#include "core/devmode/device_option_block.h"
#include "core/devmode/devmode_check.h"
#include "core/devmode/devmode_options.h"
#include "core/devmode/devmode_store.h"
#include "core/datafile/printer_driver_data.h"
#include "devmode_test_support.h"

#include <drvtest/registry.h>
#include <gtest/gtest.h>

#include <map>

using namespace devmode;

namespace {

// Data items as the driver data file would hand them out.
class ItemsInMemory : public DataItemReader {
public:
    std::map<uint32_t, std::vector<uint8_t>> items;
    uint32_t GetItemSize(uint32_t item) const override {
        auto it = items.find(item);
        return it == items.end() ? 0 : uint32_t(it->second.size());
    }
    bool ReadItem(uint32_t item, void* buffer, uint32_t size) const override {
        auto it = items.find(item);
        if (it == items.end() || it->second.size() > size) return false;
        std::copy(it->second.begin(), it->second.end(), static_cast<uint8_t*>(buffer));
        return true;
    }
};

DevmodeStore officeStore() {
    DevmodeStore store;
    store.printerName = "Office";
    store.facts.deviceName = "Office Printer";
    store.facts.driverName = "PCL5e";
    return store;
}

std::vector<uint8_t> withFinishing(uint32_t flags) {
    auto dm = defaultDevmode();
    SetOption(dm.data(), dm.size(), 190, &flags, 4);
    return dm;
}

uint32_t finishing(const uint8_t* dm) {
    uint32_t flags = 0;
    GetOption(dm, kDevmodeSize, 190, &flags, 4);
    return flags;
}

}  // namespace

TEST(DevmodeStore, KindOneComesFromDataItemWhenSoundElseBuiltInDefaultsAndConvertsBothWays) {
    drvtest::ScopedHive hive(drvtest::kOfficePrinterHive);
    ItemsInMemory items;
    auto plain = officeStore();
    EXPECT_EQ(std::vector<uint8_t>(GetDevmode(plain, 1), GetDevmode(plain, 1) + kDevmodeSize), defaultDevmode());
    items.items[kDefaultDevmodeItem] = withFinishing(0x105);
    auto fromFile = officeStore();
    fromFile.dataItems = &items;
    EXPECT_EQ(finishing(GetDevmode(fromFile, 1)), 0x105u);
    items.items[kDefaultDevmodeItem].resize(100);
    auto damaged = officeStore();
    damaged.dataItems = &items;
    EXPECT_EQ(finishing(GetDevmode(damaged, 1)), 0u);
    EXPECT_EQ(GetDevmode(plain, 0), nullptr);
    EXPECT_EQ(GetDevmode(plain, 4), nullptr);
    EXPECT_EQ(GetDevmodeSize(plain, 1), kDevmodeSize);
    EXPECT_EQ(GetDevmodeSize(plain, 2), kDevmodeSize);
    EXPECT_EQ(GetDevmodeSize(plain, 3), 0u);

    // Conversion both ways, and no other direction.
    auto store = officeStore();
    auto current = withFinishing(0x30), extended = std::vector<uint8_t>(kDevmodeSize);
    ASSERT_TRUE(ConvertDevmode(store, current.data(), extended.data(), extended.size(), 2));
    std::vector<uint8_t> back(kDevmodeSize);
    ASSERT_TRUE(ConvertDevmode(store, back.data(), extended.data(), extended.size(), 1));
    EXPECT_EQ(back, current);
    EXPECT_FALSE(ConvertDevmode(store, back.data(), extended.data(), extended.size(), 3));
    EXPECT_FALSE(ConvertDevmode(store, nullptr, extended.data(), extended.size(), 1));
}

TEST(DevmodeStore, CorruptStoredDefaultFallsBackAndStaysStored) {
    struct Case { const char* what; size_t offset; int16_t value; size_t cut; };
    for (auto c : {Case{"sound", 0, 0, 0}, Case{"truncated", 0, 0, 900}, Case{"forged model offset", kOffModelSection, 9000, 0},
                   Case{"foreign signature", kOffSignature, 'X', 0}, Case{"section past the end", directoryEntry(6), -2, 0}}) {
        drvtest::ScopedHive hive(drvtest::kOfficePrinterHive);
        auto stored = withFinishing(0x77);
        if (c.offset) MutableByteView(stored.data(), stored.size()).put_s16(c.offset, c.value);
        if (c.cut) stored.resize(c.cut);
        ASSERT_TRUE(writeDriverValue("Office", kDefaultDevmodeValue, stored.data(), stored.size()));
        auto store = officeStore();
        const uint8_t* printerDefault = GetDevmode(store, 2);
        EXPECT_EQ(checkDevmode(printerDefault, kDevmodeSize).trust, Trust::Private) << c.what;
        EXPECT_EQ(finishing(printerDefault), std::string(c.what) == "sound" ? 0x77u : 0u) << c.what;
        std::vector<uint8_t> after;
        readDriverValue("Office", kDefaultDevmodeValue, after);
        EXPECT_EQ(after, stored) << c.what << ": the stored value is left as it was";
    }
}

TEST(DevmodeStore, RequestDevmodeMergesTheCallersFieldsOverThePrinterDefault) {
    drvtest::ScopedHive hive(drvtest::kOfficePrinterHive);
    auto stored = withFinishing(0x9);
    writeDriverValue("Office", kDefaultDevmodeValue, stored.data(), stored.size());
    CRITICAL_SECTION lock;
    InitializeCriticalSection(&lock);
    auto store = officeStore();
    store.coreLock = &lock;
    DEVMODEA app{};
    app.dmSize = sizeof app;
    app.dmFields = DM_COPIES;
    app.dmCopies = 4;
    ASSERT_TRUE(SetRequestDevmode(store, &app));
    const uint8_t* request = GetDevmode(store, 3);
    EXPECT_EQ(reinterpret_cast<const DEVMODEA*>(request)->dmCopies, 4);
    EXPECT_EQ(finishing(request), 0x9u);
    auto forged = withFinishing(0x1);
    MutableByteView(forged.data(), forged.size()).put_s16(kOffModelSection, 12000);
    EXPECT_FALSE(ValidateDevmode(store, forged.data(), forged.size(), GetDevmode(store, 3)));
    EXPECT_FALSE(SetRequestDevmode(store, forged.data()));
    EXPECT_EQ(finishing(GetDevmode(store, 3)), 0x9u) << "a refused device mode leaves the printer default";
    DeleteCriticalSection(&lock);
}

// A caller that hands in the same bytes again gets the request its merge made, even after the
// request was written meanwhile; other bytes, and bytes after a refusal, are merged anew.
TEST(DevmodeStore, TheSameCallerBytesGiveTheRequestTheirMergeMade) {
    drvtest::ScopedHive hive(drvtest::kOfficePrinterHive);
    auto stored = withFinishing(0x9);
    writeDriverValue("Office", kDefaultDevmodeValue, stored.data(), stored.size());
    auto store = officeStore();
    auto app = withFinishing(0x3);
    EXPECT_FALSE(RepeatRequestDevmode(store, app.data(), app.size())) << "nothing merged yet";
    ASSERT_TRUE(SetRequestDevmode(store, app.data()));
    const std::vector<uint8_t> merged(GetDevmode(store, 3), GetDevmode(store, 3) + kDevmodeSize);
    uint32_t written = 0x40;
    SetOption(GetDevmode(store, 3), kDevmodeSize, 190, &written, 4);
    ASSERT_TRUE(RepeatRequestDevmode(store, app.data(), app.size()));
    EXPECT_EQ(std::vector<uint8_t>(GetDevmode(store, 3), GetDevmode(store, 3) + kDevmodeSize), merged);
    auto other = withFinishing(0x5);
    EXPECT_FALSE(RepeatRequestDevmode(store, other.data(), other.size()));
    EXPECT_FALSE(RepeatRequestDevmode(store, app.data(), app.size() - 1)) << "a shorter claim is other bytes";
    auto forged = withFinishing(0x3);
    MutableByteView(forged.data(), forged.size()).put_s16(kOffModelSection, 12000);
    EXPECT_FALSE(SetRequestDevmode(store, forged.data()));
    EXPECT_FALSE(RepeatRequestDevmode(store, app.data(), app.size())) << "a refusal leaves the printer default";
    EXPECT_EQ(finishing(GetDevmode(store, 3)), 0x9u);
}

TEST(DevmodeStore, DeviceOptionBlockRoundTripsThroughTheRegistry) {
    drvtest::ScopedHive hive(drvtest::kOfficePrinterHive);
    auto first = officeStore();
    std::vector<uint8_t> copy(GetDeviceOption(first), GetDeviceOption(first) + GetDeviceOptionSize(first));
    uint16_t spooling = 2;
    ASSERT_TRUE(SetDeviceOptionValue(first, copy.data(), 0x207, &spooling, 2));
    devopt::blockData(copy.data())[devopt::kFinisherCode] = 38;
    ASSERT_NE(WriteDeviceOption(first, copy.data()), 0);
    EXPECT_EQ(GetDeviceOptionData(first)[0], 38) << "the written block becomes the store's";

    auto second = officeStore();
    EXPECT_EQ(std::vector<uint8_t>(GetDeviceOption(second), GetDeviceOption(second) + GetDeviceOptionSize(second)), copy);
    uint16_t read = 0;
    GetDeviceOptionValue(second, nullptr, 519, &read, 2);
    EXPECT_EQ(read, 2);

    std::vector<uint8_t> damaged = copy;
    MutableByteView(damaged.data(), damaged.size()).put_s16(devopt::kOffDataOffset, 5);
    EXPECT_EQ(WriteDeviceOption(second, damaged.data()), 0);
    writeDriverValue("Office", kDeviceOptionValue, damaged.data(), damaged.size());
    auto third = officeStore();
    EXPECT_EQ(GetDeviceOptionData(third)[0], 0) << "a damaged stored block gives way to defaults";

    auto missing = officeStore();
    missing.printerName = "Nobody";
    EXPECT_EQ(WriteDeviceOption(missing, nullptr), 0) << "a failed registry write answers 0";
    auto pseudo = officeStore();
    pseudo.printerName = "Nobody";
    pseudo.pseudoPrinter = true;
    EXPECT_NE(WriteDeviceOption(pseudo, copy.data()), 0);
    EXPECT_EQ(GetDeviceOptionData(pseudo)[0], 38);
}
