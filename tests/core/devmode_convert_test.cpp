// Trust checks, conversion between forms and versions, and the merge of a caller's public fields.
#include "core/helpers/byte_view.h"
#include "core/devmode/devmode_check.h"
#include "core/devmode/devmode_convert.h"
#include "core/devmode/devmode_merge.h"
#include "core/devmode/devmode_options.h"
#include "devmode_test_support.h"

#include <gtest/gtest.h>

using namespace devmode;

namespace {

std::vector<uint8_t> filledDevmode() {
    auto dm = defaultDevmode();
    for (const OptionRow& row : kOptionRows) {
        auto value = pattern(row.width, static_cast<uint8_t>(row.id >> 4));
        SetOption(dm.data(), dm.size(), row.id, value.data(), value.size());
    }
    auto model = pattern(kModelSectionSize, 9);
    std::copy(model.begin(), model.end(), dm.begin() + kModelSectionOffset);
    return dm;
}

// An older private version: sections 2 and the model section shorter, section 8 missing, packed.
std::vector<uint8_t> olderShorter(const std::vector<uint8_t>& current, uint16_t section2Size) {
    std::vector<uint8_t> old(current.begin(), current.begin() + kDirectoryEnd);
    MutableByteView header(old.data(), old.size());
    for (unsigned id = kFirstSection; id <= kLastSection; ++id) {
        uint16_t size = kSectionSizes[id - kFirstSection];
        if (id == 2) size = section2Size;
        if (id == 8) size = 0;
        if (id == kModelSectionId) size = kModelSectionMin;
        uint16_t at = static_cast<uint16_t>(old.size());
        header = MutableByteView(old.data(), old.size());
        header.put_u16(directoryEntry(id), size ? at : 0);
        header.put_u16(directoryEntry(id) + 2, size);
        if (id == kModelSectionId) header.put_s16(kOffModelSection, static_cast<int16_t>(at));
        auto from = current.begin() + kSectionOffsets[id - kFirstSection];
        old.insert(old.end(), from, from + size);
    }
    MutableByteView dm(old.data(), old.size());
    dm.put_u16(kOffPrivateVersion, 0x0601);
    dm.put_u16(kOffDriverExtra, static_cast<uint16_t>(old.size() - kPublicSize));
    return old;
}

}  // namespace

TEST(DevmodeCheck, RefusesShortForgedAndForeignDeviceModes) {
    struct Case { const char* what; size_t offset; int width; int32_t value; Trust expect; };
    for (auto c : {Case{"declares more than the buffer", kOffDriverExtra, 2, 0x7000, Trust::Refused},
                   Case{"public part too short", kOffSize, 2, 20, Trust::Refused},
                   Case{"foreign signature", kOffSignature, 1, 'X', Trust::PublicOnly},
                   Case{"public part of another size", kOffSize, 2, 120, Trust::PublicOnly},
                   Case{"newer private version", kOffPrivateVersion, 2, 0x0603, Trust::Refused},
                   Case{"ancient private version", kOffPrivateVersion, 2, 0x0500, Trust::Refused},
                   Case{"negative model offset", kOffModelSection, 2, -4, Trust::Refused},
                   Case{"model offset off its section", kOffModelSection, 2, 300, Trust::Refused},
                   Case{"section past the end", directoryEntry(3), 2, 0xFF00, Trust::Refused},
                   Case{"section over the header", directoryEntry(4), 2, 150, Trust::Refused},
                   Case{"section size past the end", directoryEntry(kModelSectionId) + 2, 2, 0x2000, Trust::Refused}}) {
        auto dm = defaultDevmode();
        MutableByteView w(dm.data(), dm.size());
        c.width == 1 ? w.put_u8(c.offset, uint8_t(c.value)) : w.put_s16(c.offset, int16_t(c.value));
        EXPECT_EQ(checkDevmode(dm.data(), dm.size()).trust, c.expect) << c.what;
        auto target = defaultDevmode();
        const auto before = target;
        EXPECT_EQ(convertDevmode(before.data(), dm.data(), dm.size(), target.data(), target.size()), false) << c.what;
        EXPECT_EQ(target, before) << c.what;
    }
    auto dm = defaultDevmode();
    EXPECT_EQ(checkDevmode(dm.data(), 40).trust, Trust::Refused);
    EXPECT_EQ(checkDevmode(nullptr, 0).trust, Trust::Refused);
    // Claims beyond the current form are damage even inside the buffer.
    struct Claim { const char* what; size_t entry; uint16_t value; size_t extra; };
    for (auto c : {Claim{"a private part longer than the current one", kOffDriverExtra, uint16_t(kPrivateSize + 8), 8},
                   Claim{"a section longer than the current one", directoryEntry(3) + 2, uint16_t(kSectionSizes[1] + 2), 0},
                   Claim{"dmDriverExtra 0xFFFF", kOffDriverExtra, 0xFFFF, 0xFFFF}}) {
        dm = defaultDevmode();
        dm.resize(dm.size() + c.extra);
        MutableByteView(dm.data(), dm.size()).put_u16(c.entry, c.value);
        EXPECT_EQ(checkDevmode(dm.data(), dm.size()).trust, Trust::Refused) << c.what;
    }
}

TEST(DevmodeConvert, CurrentAndExtendedFormsConvertBothWaysWithoutLoss) {
    auto base = defaultDevmode(), current = filledDevmode();
    std::vector<uint8_t> extended(kDevmodeSize), back(kDevmodeSize);
    ASSERT_TRUE(convertDevmode(base.data(), current.data(), current.size(), extended.data(), extended.size()));
    // An absent section's entry naming an offset leaves the device mode as it was, but takes its
    // directory off the current layout's shortcut and through the entry-by-entry checks.
    auto detour = current, viaEntries = back;
    MutableByteView(detour.data(), detour.size()).put_u16(directoryEntry(9), 0x100);
    ASSERT_EQ(kSectionSizes[9 - kFirstSection], 0);
    EXPECT_EQ(checkDevmode(detour.data(), detour.size()).sections, checkDevmode(current.data(), current.size()).sections);
    ASSERT_TRUE(convertDevmode(base.data(), detour.data(), detour.size(), viaEntries.data(), viaEntries.size()));
    EXPECT_EQ(viaEntries, extended);
    ASSERT_TRUE(convertDevmode(base.data(), extended.data(), extended.size(), back.data(), back.size()));
    current[kOffDriverName + kDriverNameSize - 1] = 0;  // the one byte conversion always terminates
    EXPECT_EQ(back, current);
    ASSERT_TRUE(convertDevmode(base.data(), back.data(), back.size(), back.data(), back.size())) << "in place";
    EXPECT_EQ(back, current);
}

TEST(DevmodeConvert, OlderShorterVersionUpgradesKeepingItsValues) {
    auto base = defaultDevmode(), current = filledDevmode();
    const uint16_t cut = kOptionPlaces[rowIndex(findOption(220))].offset;  // drops 220 to 226
    auto old = olderShorter(current, cut);
    ASSERT_EQ(checkDevmode(old.data(), old.size()).trust, Trust::Private);
    std::vector<uint8_t> up(kDevmodeSize);
    ASSERT_TRUE(convertDevmode(base.data(), old.data(), old.size(), up.data(), up.size()));
    EXPECT_EQ(checkDevmode(up.data(), up.size()).version, kPrivateVersion);
    for (const OptionRow& row : kOptionRows) {
        bool held = !(row.id >= 0x20040 && row.id < 0x30000) && (row.id >> 16) != 8;
        const auto& expect = held ? current : base;
        std::vector<uint8_t> got(row.width), want(row.width);
        GetOption(up.data(), up.size(), row.id, got.data(), got.size());
        GetOption(expect.data(), expect.size(), row.id, want.data(), want.size());
        EXPECT_EQ(got, want) << std::hex << row.id << (held ? " kept" : " default");
    }
    EXPECT_TRUE(std::equal(current.begin() + kModelSectionOffset, current.begin() + kModelSectionOffset + kModelSectionMin,
                           up.begin() + kModelSectionOffset));
    EXPECT_EQ(up[kModelSectionOffset + kModelSectionMin], 0) << "model bytes the old version lacks are the base's";
}

TEST(DevmodeCheck, AModelSectionShorterThanItsFieldsIsTrustedButSaidToBeShort) {
    auto base = defaultDevmode(), dm = filledDevmode();
    EXPECT_FALSE(checkDevmode(dm.data(), dm.size()).modelSectionShort);
    MutableByteView(dm.data(), dm.size()).put_u16(directoryEntry(kModelSectionId) + 2, 16);
    CheckedDevmode checked = checkDevmode(dm.data(), dm.size());
    EXPECT_EQ(checked.trust, Trust::Private);
    EXPECT_TRUE(checked.modelSectionShort);
    std::vector<uint8_t> up(kDevmodeSize);
    ASSERT_TRUE(convertDevmode(base.data(), dm.data(), dm.size(), up.data(), up.size()));
    EXPECT_FALSE(checkDevmode(up.data(), up.size()).modelSectionShort);
    EXPECT_TRUE(std::equal(base.begin() + kModelSectionOffset + 16, base.begin() + kModelSectionOffset + kModelSectionSize,
                           up.begin() + kModelSectionOffset + 16))
        << "what the short section lacks comes from the defaults";
}

TEST(DevmodeMerge, TakesOnlyMarkedAndSoundPublicFields) {
    struct Case { uint32_t flag; size_t offset; int16_t value; bool taken; };
    for (auto c : {Case{DM_ORIENTATION, offsetof(DEVMODEA, dmOrientation), 2, true},
                   Case{DM_ORIENTATION, offsetof(DEVMODEA, dmOrientation), 3, false},
                   Case{DM_COPIES, offsetof(DEVMODEA, dmCopies), 25, true},
                   Case{DM_COPIES, offsetof(DEVMODEA, dmCopies), 0, false},
                   Case{DM_DUPLEX, offsetof(DEVMODEA, dmDuplex), 4, false},
                   Case{DM_COLLATE, offsetof(DEVMODEA, dmCollate), 0, true},
                   Case{DM_PRINTQUALITY, offsetof(DEVMODEA, dmPrintQuality), 0, false},
                   Case{DM_ICMMETHOD, offsetof(DEVMODEA, dmICMMethod), 257, true},
                   Case{0, offsetof(DEVMODEA, dmCopies), 9, false}}) {
        DEVMODEA app{};  // an application's DEVMODE without a private part
        app.dmSize = sizeof app;
        app.dmSpecVersion = DM_SPECVERSION;
        app.dmFields = c.flag;
        MutableByteView(&app, sizeof app).put_s16(c.offset, c.value);
        auto target = defaultDevmode();
        const auto before = target;
        ASSERT_TRUE(mergeDevmode(&app, sizeof app, target.data(), target.size()));
        int16_t now = 0;
        ByteView(target.data(), target.size()).s16(c.offset, now);
        int16_t was = 0;
        ByteView(before.data(), before.size()).s16(c.offset, was);
        EXPECT_EQ(now, c.taken ? c.value : was) << std::hex << c.flag << " " << c.value;
        EXPECT_TRUE(std::equal(before.begin() + kPublicSize, before.end(), target.begin() + kPublicSize));
    }
}

TEST(DevmodeMerge, TakesAPrivatePartWholeAndRefusesAForgedOne) {
    auto source = filledDevmode(), target = defaultDevmode();
    MutableByteView(source.data(), source.size()).put_u32(kOffFields, 0);
    ASSERT_TRUE(mergeDevmode(source.data(), source.size(), target.data(), target.size()));
    uint32_t finishing = 0, expect = 0;
    GetOption(target.data(), target.size(), 190, &finishing, 4);
    GetOption(source.data(), source.size(), 190, &expect, 4);
    EXPECT_EQ(finishing, expect);
    MutableByteView(source.data(), source.size()).put_s16(kOffModelSection, 30000);
    const auto before = target;
    EXPECT_FALSE(mergeDevmode(source.data(), source.size(), target.data(), target.size()));
    EXPECT_EQ(target, before);
}
