// Profile files: exported and imported byte for byte; every damaged, truncated, oversized or
// foreign file refused with its message (none when asked to be quiet).
#include "profile_fixture.h"

#include "core/devmode/devmode_layout.h"
#include "core/helpers/byte_view.h"

#include <cstring>

namespace profiletest {
namespace {

class ProfileFiles : public ProfileTest {
protected:
    void SetUp() override {
        store = Store();
        ASSERT_TRUE(store->SaveProfile(UserRecord(*store, "Office")));
        stored = Value("UIProfile\\Office", "DATA");
        ASSERT_FALSE(stored.empty());
        ASSERT_TRUE(store->ExportProfileFile(nullptr, Path("office.pfl").c_str(), stored));
        file = ReadFile("office.pfl");
    }
    std::vector<std::string> Messages() { return person.messageTexts(); }
    std::unique_ptr<Profile> store;
    std::vector<uint8_t> stored, file;
};

TEST_F(ProfileFiles, AnExportedProfileImportsByteForByte) {
    ASSERT_EQ(file.size(), 36 + stored.size());
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(file.data())), "VOMEL PROFILE SYSTEM for 9x");
    EXPECT_TRUE(std::all_of(file.begin() + 27, file.begin() + 32, [](uint8_t b) { return b == 0; }));
    EXPECT_EQ(file[32], 1);
    EXPECT_EQ(file[34], 1);
    EXPECT_EQ(std::vector<uint8_t>(file.begin() + 36, file.end()), stored);
    EXPECT_EQ(store->ImportProfileFile(nullptr, Path("office.pfl").c_str(), false), stored);
    EXPECT_TRUE(person.messageBoxes().empty());
}

TEST_F(ProfileFiles, BadFilesAreRefusedWithTheirMessage) {
    const std::string notRead = "The file could not be opened.", notProfile = "The file is not a profile file of this printer.";
    auto with16 = [&](size_t at, uint16_t value) {
        std::vector<uint8_t> bytes = file;
        MutableByteView(bytes.data(), bytes.size()).put_u16(at, value);
        return bytes;
    };
    std::vector<uint8_t> otherTail = file;
    std::memcpy(otherTail.data() + 20, "-- any text", 11);
    otherTail[32] = 7;
    std::vector<uint8_t> trailing = file;
    trailing.push_back(0);
    std::vector<uint8_t> oversized = file;
    oversized.resize(0x11000, 0);
    // An older, shorter device mode (the public part and the header alone) that has to grow.
    std::vector<uint8_t> older(file.begin(), file.begin() + 36 + 296 + 264);
    MutableByteView olderView(older.data(), older.size());
    olderView.put_u16(36, 296 + 264);
    olderView.put_u16(36 + 296 + devmode::kOffDriverExtra, 264 - 148);
    olderView.fill(36 + 296 + 220, 0, 44);
    olderView.put_s16(36 + 296 + devmode::kOffModelSection, 0);
    std::vector<uint8_t> olderWithTail = older;
    olderWithTail.push_back(0);

    struct Case {
        const char* fault;
        std::vector<uint8_t> bytes;  // empty: no file at all
        std::string message;         // empty: refused quietly, or "ok": accepted
    };
    const Case cases[] = {
        {"no such file", {}, notRead},
        {"shorter than the header", std::vector<uint8_t>(file.begin(), file.begin() + 20), notProfile},
        {"another signature", with16(0, 0x4F57), notProfile},
        {"a header alone", std::vector<uint8_t>(file.begin(), file.begin() + 36), notProfile},
        {"a record size under a device-mode header", with16(36, 300), notProfile},
        {"a record size past the end of the file", with16(36, static_cast<uint16_t>(stored.size() + 1)), notProfile},
        {"truncated", std::vector<uint8_t>(file.begin(), file.end() - 100), notProfile},
        {"a device mode larger than its record", with16(36 + 296 + devmode::kOffDriverExtra, 0x8000), notProfile},
        {"a device mode without its private header", with16(36 + 296 + devmode::kOffDriverExtra, 10), notProfile},
        {"dmSpecVersion 0x401", with16(36 + 296 + devmode::kOffSpecVersion, 0x401), notProfile},
        {"another page-description language", with16(36 + 296 + devmode::kOffPdlId, 0x110), notProfile},
        {"larger than any profile", oversized, notProfile},
        {"a shorter device mode with bytes after it", olderWithTail, ""},
        {"any text after the signature's first 20 bytes", otherTail, "ok"},
        {"bytes after a record of the current size", trailing, "ok"},
        {"a shorter device mode, grown", older, "ok"},
    };
    for (const Case& c : cases) {
        for (bool quiet : {false, true}) {
            drvtest::ScriptedUser watcher;
            const std::string name = c.bytes.empty() ? "missing.pfl" : "case.pfl";
            if (!c.bytes.empty()) WriteFile(name, c.bytes);
            const ProfileRecord record = store->ImportProfileFile(nullptr, Path(name).c_str(), quiet);
            if (c.message == "ok") {
                EXPECT_TRUE(CmProfile::IsSoundRecord(record.data(), record.size())) << c.fault;
                EXPECT_EQ(record.size(), stored.size()) << c.fault;
            } else {
                EXPECT_TRUE(record.empty()) << c.fault;
            }
            const std::vector<std::string> texts = watcher.messageTexts();
            const bool shown = !quiet && !c.message.empty() && c.message != "ok";
            EXPECT_EQ(texts, shown ? std::vector<std::string>{c.message} : std::vector<std::string>{})
                << c.fault << (quiet ? " (quiet)" : "");
        }
    }
    // Nothing stored changed.
    EXPECT_EQ(Value("UIProfile\\Office", "DATA"), stored);
}

TEST_F(ProfileFiles, NamesAndCommentsThatFillTheirFieldsAreTerminated) {
    std::vector<uint8_t> full = file;
    std::fill(full.begin() + 36 + profile::kRecordName, full.begin() + 36 + profile::kRecordIcon, 'x');
    WriteFile("full.pfl", full);
    const ProfileRecord record = store->ImportProfileFile(nullptr, Path("full.pfl").c_str(), true);
    ASSERT_FALSE(record.empty());
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(record.data() + profile::kRecordName)), std::string(31, 'x'));
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(record.data() + profile::kRecordComment)), std::string(255, 'x'));
}

TEST_F(ProfileFiles, AnExportThatCannotBeWrittenLeavesNoFile) {
    EXPECT_FALSE(store->ExportProfileFile(nullptr, Path("no-such-folder\\office.pfl").c_str(), stored));
    ProfileRecord damaged = stored;
    damaged[0] = 1;
    EXPECT_FALSE(store->ExportProfileFile(nullptr, Path("damaged.pfl").c_str(), damaged));
    EXPECT_TRUE(ReadFile("damaged.pfl").empty());
}

}  // namespace
}  // namespace profiletest
