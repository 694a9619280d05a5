// The data-file cache and the data-item cursor: printers that name one file share one parsed
// copy, the last release frees it, a full cache still serves, and zlib blocks inflate only
// into the room they are given.
#include "datafile_test_support.h"

#include "core/datafile/data_file_cache.h"
#include "core/datafile/data_item_cursor.h"
#include "core/datafile/device_data_layout.h"
#include "core/datafile/inflate.h"

#include "core/datafile/printer_data_file.h"

#include <drvtest/kernel.h>
#include <drvtest/spooler.h>

#include <zlib.h>

#include <filesystem>
#include <fstream>

namespace {

class DataFileCacheTest : public DataFileTest {
protected:
    void SetUp() override {
        DataFileTest::SetUp();
        root_ = std::string(DRVOPUI_TEST_OUTPUT_DIR) + "/datafile-root";
        std::filesystem::remove_all(root_);
        std::filesystem::create_directories(root_ + "/drivers");
        drvtest::SetRootFolder(root_);
    }

    // Writes the file as C:\DRIVERS\<name> and answers its Windows path.
    std::string Install(const std::string& name, const std::vector<uint8_t>& bytes) {
        std::ofstream(root_ + "/drivers/" + name, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        return "C:\\DRIVERS\\" + name;
    }

    std::string root_;
};

}  // namespace

TEST_F(DataFileCacheTest, PrintersNamingOneFileShareItUntilTheLastReleaseAndAFullCacheStillServes) {
    const std::string path = Install("KELVAR.DAT", Build(kMinimalDescription));
    DataFileError error;
    DeviceData* first = AcquireDeviceData(path.c_str(), error);
    ASSERT_NE(first, nullptr) << error.text;
    DeviceData* second = AcquireDeviceData("c:\\drivers\\..\\DRIVERS\\kelvar.dat", error);
    EXPECT_EQ(second, first);
    EXPECT_EQ(first->Uses(), 2u);
    EXPECT_EQ(CachedDataFileCount(), 1);
    ReleaseDeviceData(second);
    EXPECT_EQ(CachedDataFileCount(), 1);
    ReleaseDeviceData(first);
    EXPECT_EQ(CachedDataFileCount(), 0);  // freed: ASan would see any later use

    std::vector<DeviceData*> held;
    for (int i = 0; i < kDataFileCacheEntries + 2; ++i) {
        const std::string path = Install("F" + std::to_string(i) + ".DAT", Build("model " + std::to_string(i) + "\nname \"PCL5c\"\n"));
        held.push_back(AcquireDeviceData(path.c_str(), error));
        ASSERT_NE(held.back(), nullptr) << error.text;
        EXPECT_EQ(held.back()->ModelCode(), i);
    }
    EXPECT_EQ(CachedDataFileCount(), kDataFileCacheEntries);
    for (DeviceData* data : held) ReleaseDeviceData(data);
    EXPECT_EQ(CachedDataFileCount(), 0);
}

TEST_F(DataFileCacheTest, UnreadableFilesAreRefusedWithTheirPathAndReason) {
    std::vector<uint8_t> forged = Build(kMinimalDescription);
    forged[0] = 'X';
    struct Case {
        std::string path;
        DWORD lastError;
        const char* reason;
    };
    for (const Case& c : {Case{"C:\\DRIVERS\\MISSING.DAT", ERROR_FILE_NOT_FOUND, "cannot open C:\\DRIVERS\\MISSING.DAT"},
                          Case{Install("BAD.DAT", forged), ERROR_BAD_FORMAT, "BAD.DAT: not a driver data file"},
                          Case{Install("EMPTY.DAT", {}), ERROR_BAD_FORMAT, "shorter than its 80-byte header"}}) {
        DataFileError error;
        SetLastError(0);
        EXPECT_EQ(AcquireDeviceData(c.path.c_str(), error), nullptr) << c.path;
        EXPECT_EQ(GetLastError(), c.lastError) << c.path;
        EXPECT_NE(std::string(error.text).find(c.reason), std::string::npos) << error.text;
    }
    EXPECT_EQ(CachedDataFileCount(), 0);
}

TEST_F(DataFileCacheTest, ItemCursorAnswersBothSlotPairsAndKeepsTheFileAlive) {
    const std::string path = Install("ITEMS.DAT", Build(std::string(kMinimalDescription) +
                                                        "item 2063 u32 120\nitem 2062 compressed text \"p :- q.\"\n"));
    DataFileError error;
    DeviceData* data = AcquireDeviceData(path.c_str(), error);
    ASSERT_NE(data, nullptr) << error.text;
    DataItemCursor* cursor = OpenDataItemCursor(data);
    ASSERT_NE(cursor, nullptr);
    ReleaseDeviceData(data);  // the cursor's use keeps it
    EXPECT_EQ(CachedDataFileCount(), 1);
    uint32_t version = 0;
    char text[16] = {};
    EXPECT_EQ(cursor->ops->ItemSizeAt2(cursor, 2063), 4u);
    EXPECT_EQ(cursor->ops->ItemSize(cursor, 2062), 7u);
    EXPECT_EQ(cursor->ops->ItemSize(cursor, 2064), 0u);
    EXPECT_EQ(cursor->ops->ReadItemAt4(cursor, 2063, &version, 4), 4u);
    EXPECT_EQ(cursor->ops->ReadItem(cursor, 2062, text, sizeof text), 7u);
    EXPECT_EQ(version, 120u);
    EXPECT_STREQ(text, "p :- q.");
    cursor->ops->Release(cursor);
    EXPECT_EQ(CachedDataFileCount(), 0);
}

TEST(Inflate, WritesOnlyCompleteStreamsThatFit) {
    const std::string text(1000, 'r');
    uLongf packedSize = compressBound(text.size());
    std::vector<Bytef> packed(packedSize);
    ASSERT_EQ(compress(packed.data(), &packedSize, reinterpret_cast<const Bytef*>(text.data()), text.size()), Z_OK);
    packed.resize(packedSize);
    std::vector<char> out(1001 + 8, '#');
    EXPECT_EQ(Inflate(packed.data(), static_cast<UINT>(packed.size()), out.data(), 1001), 1000u);
    EXPECT_EQ(std::string(out.data(), 1000), text);
    struct Case {
        const char* what;
        UINT sourceLength;
        UINT room;
        bool corrupt;
    };
    for (const Case& c : {Case{"no room for the last byte", UINT(packed.size()), 999, false},
                          Case{"truncated stream", UINT(packed.size() - 5), 1001, false},
                          Case{"corrupt stream", UINT(packed.size()), 1001, true}}) {
        std::vector<Bytef> source(packed);
        if (c.corrupt) source[source.size() / 2] ^= 0xff;
        std::fill(out.begin(), out.end(), '#');
        EXPECT_EQ(Inflate(source.data(), c.sourceLength, out.data(), c.room), 0u) << c.what;
        EXPECT_TRUE(std::all_of(out.begin() + c.room, out.end(), [](char ch) { return ch == '#'; })) << c.what;
    }
    EXPECT_EQ(Inflate(nullptr, 4, out.data(), 10), 0u);
}

TEST_F(DataFileCacheTest, PrintersOfOneDriverShareTheFileTheirDriverNames) {
    // A third printer on the PCL5e driver.
    drvtest::FixturePrinter pcl5e(drvtest::kBundledPcl5ePrinter,
                                  "[HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\control\\Print\\Printers\\Office Copy]\n"
                                  "\"Name\"=\"Office Copy\"\n\"Port\"=\"LPT3:\"\n\"Printer Driver\"=\"Vomel Kelvaro PCL5e\"\n");
    HANDLE pcl5c = nullptr, copy = nullptr;
    ASSERT_TRUE(OpenPrinterA(const_cast<LPSTR>(drvtest::kBundledPcl5cPrinter), &pcl5c, nullptr));
    ASSERT_TRUE(OpenPrinterA(const_cast<LPSTR>("Office Copy"), &copy, nullptr));
    std::filesystem::create_directories(root_ + "/WINDOWS/SYSTEM");
    for (const char* file : {"KELVAR5E.DAT", "KELVAR5C.DAT"})
        std::filesystem::copy_file(std::string(DRVOPUI_BINARY_DIR) + "/data/" + file, root_ + "/WINDOWS/SYSTEM/" + file);
    DeviceData* slots[3] = {};
    DataFileError error;
    HANDLE handles[3] = {pcl5e.Handle(), pcl5c, copy};
    for (int i = 0; i < 3; ++i) ASSERT_NE(LoadDeviceDataOnce(slots[i], handles[i], error), nullptr) << error.text;
    EXPECT_EQ(LoadDeviceDataOnce(slots[0], handles[0], error), slots[0]);  // once per printer
    EXPECT_EQ(slots[2], slots[0]);
    EXPECT_STREQ(slots[1]->ModelBlockB(), "PCL5c");
    EXPECT_EQ(slots[0]->Uses(), 2u);
    EXPECT_EQ(CachedDataFileCount(), 2);
    for (DeviceData* data : slots) ReleaseDeviceData(data);
    EXPECT_EQ(CachedDataFileCount(), 0);
    ClosePrinter(pcl5c);
    ClosePrinter(copy);
}
