// The brand-media store in a real registry hive: it round-trips per language and printer, and a
// damaged store reads as no list before anything is allocated for it; the paper rules of a medium
// answer by model, group and media id.
#include "core/system/registry_helpers.h"
#include "device/config/brand_media.h"

#include <drvtest/registry.h>
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

MediaRecord Medium(uint16_t group, uint16_t id, uint16_t cls, uint16_t kind, const char* name) {
    MediaRecord r{};
    r.groupKey = group;
    r.mediaId = id;
    r.mediaType = cls;
    r.sizeClass = kind;
    std::strncpy(r.name, name, sizeof r.name - 1);
    return r;
}

BrandMediaList List(std::vector<MediaRecord> records) {
    BrandMediaList l;
    l.present = true;
    l.count = static_cast<uint32_t>(records.size());
    l.charCode = 932;
    l.records = std::move(records);
    return l;
}

TEST(BrandMedia, StoreRoundTripsUnderTheLanguagesKeyAndADamagedOneReadsAsNoList) {
    drvtest::ScopedHive hive;
    struct Case {
        uint32_t language;
        const char* key;
    };
    for (auto c : {Case{272, "Software\\Vomel\\PCL5c\\Office\\PDLBrandMedia"},
                   Case{256, "Software\\Vomel\\PCL5e\\Office\\PDLBrandMedia"},
                   Case{512, "Software\\Vomel\\PCL6\\Office\\PDLBrandMedia"},
                   Case{0, "Software\\Vomel\\PS3\\Office\\PDLBrandMedia"}}) {
        EXPECT_EQ(BrandMediaKey(c.language, "Office"), c.key);
        BrandMediaList written = List({Medium(3, 41, 7, 1, "Glossy 200"), Medium(3, 42, 6, 2, "Matte 120")});
        ASSERT_TRUE(WriteBrandMedia(c.language, "Office", written)) << c.key;
        EXPECT_EQ(RegQueryDword(HKEY_CURRENT_USER, c.key, "MediaCount", 0), 2u);
        BrandMediaList read;
        ASSERT_TRUE(ReadBrandMedia(c.language, "Office", read)) << c.key;
        ASSERT_EQ(read.records.size(), 2u);
        EXPECT_EQ(read.charCode, 932u);
        EXPECT_EQ(std::memcmp(read.records.data(), written.records.data(), 2 * sizeof(MediaRecord)), 0);
        ASSERT_TRUE(ResetBrandMedia(c.language, "Office"));
        EXPECT_FALSE(ReadBrandMedia(c.language, "Office", read));
    }
    EXPECT_EQ(BrandMediaKey(256, std::string(250, 'p').c_str()), "") << "no key past 260 characters";

    const char* key = "Software\\Vomel\\PCL5e\\Office\\PDLBrandMedia";
    std::vector<MediaRecord> two = {Medium(1, 1, 0, 0, "a"), Medium(1, 2, 0, 0, "b")};
    struct Damage {
        const char* what;
        DWORD count;  // 0xFFFFFFFF: not written
        size_t records;
    };
    for (auto c : {Damage{"count beyond the limit", 200, 2}, Damage{"huge count", 0x7FFFFFFF, 2},
                   Damage{"fewer records than counted", 3, 2}, Damage{"more records than counted", 1, 2},
                   Damage{"no count beside the records", 0xFFFFFFFF, 2}}) {
        RegDeleteKeySimple(HKEY_CURRENT_USER, key);
        if (c.count != 0xFFFFFFFF) RegSetDword(HKEY_CURRENT_USER, key, "MediaCount", c.count);
        RegSetDword(HKEY_CURRENT_USER, key, "MediaCharCode", 0);
        RegSetBinary(HKEY_CURRENT_USER, key, "MediaParameter", two.data(),
                     static_cast<DWORD>(c.records * sizeof(MediaRecord)));
        BrandMediaList read;
        EXPECT_FALSE(ReadBrandMedia(256, "Office", read)) << c.what;
        EXPECT_TRUE(read.records.empty()) << c.what;
        EXPECT_FALSE(read.present) << c.what;
    }
}

TEST(BrandMedia, DeviceListIsCutToTheLimitAndPaperRulesAnswerByModelAndMedium) {
    std::vector<uint8_t> entries(200 * kDeviceMediaEntrySize, 0);
    for (size_t i = 0; i < 200; ++i) {
        entries[i * kDeviceMediaEntrySize + 4] = static_cast<uint8_t>(i);
        std::memset(&entries[i * kDeviceMediaEntrySize + 8], 'n', 127);
    }
    BrandMediaList list;
    BrandMediaFromDevice(entries.data(), entries.size(), 200, list);
    ASSERT_EQ(list.count, kBrandMediaLimit);
    EXPECT_EQ(list.records[114].mediaId, 114);
    EXPECT_EQ(std::strlen(list.records[0].name), 127u);
    BrandMediaFromDevice(entries.data(), 3 * kDeviceMediaEntrySize, 200, list);
    EXPECT_EQ(list.count, 3u) << "entries stop at the reply's bytes";

    std::vector<MediaRecord> t = {Medium(0, 5, 7, 0, "heavy"), Medium(0, 6, 8, 0, "japan"),
                                  Medium(0, 7, 0, 2, "transparency"), Medium(0, 8, 0, 3, "label")};
    MediaRecord end{};
    end.sourceClass = 0xFFFF;
    t.push_back(end);
    struct Case {
        uint16_t model, media, paper;
        int allowed;
    };
    for (auto c : {Case{2071, 5, 12, 1}, Case{2071, 5, 20, 0}, Case{2059, 5, 20, 1}, Case{2059, 6, 43, 1},
                   Case{2059, 6, 9, 0}, Case{2059, 7, 1, 1}, Case{2059, 7, 12, 0}, Case{2069, 8, 1, 1},
                   Case{2069, 8, 20, 1}, Case{2065, 8, 20, 0}, Case{2071, 99, 20, 1}})
        EXPECT_EQ(IsOptionAllowed(t.data(), t.size(), c.model, 0, c.media, c.paper), c.allowed)
            << c.model << " " << c.media << " " << c.paper;
    EXPECT_EQ(IsOptionAllowed(&end, 1, 2071, 0, 5, 20), 1) << "an empty list";
    EXPECT_EQ(IsOptionAllowed(nullptr, 0, 2071, 0, 5, 20), 0) << "no list";
}

}  // namespace
