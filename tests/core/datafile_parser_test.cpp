// The driver data file parser: every field, list, text and item of a file built from a
// description reads back where the readers look for it; forged and cut files are refused with a
// message that names the fault.
#include "datafile_test_support.h"

#include "core/datafile/device_data_layout.h"
#include "tools/datafile/data_file_writer.h"

#include <drvtest/registry.h>

#include <set>

using namespace devicedata;

namespace {
datafile::EntrySpec Blank(size_t size) {
    datafile::EntrySpec entry;
    entry.bytes.assign(size, 0);
    return entry;
}
}  // namespace

TEST_F(DataFileTest, EveryFieldReadsBackAtItsOffsetAndNoneOverlaps) {
    std::string description(kMinimalDescription);
    for (const FieldInfo& f : Fields()) {
        description += std::string(f.name) + " ";
        if (f.kind == FieldKind::Text) description += "\"" + std::string(f.name.substr(0, f.width - 1)) + "\"\n";
        else if (f.kind == FieldKind::S16) description += "-" + std::to_string(f.offset) + "\n";
        else description += std::to_string(f.offset + (f.kind == FieldKind::U32 ? 0x10000 : 0)) + "\n";
    }
    DeviceData* data = Parse(Build(description));
    ASSERT_NE(data, nullptr);
    const ByteView r = data->Record();
    ASSERT_EQ(r.size(), 2736u);
    for (const FieldInfo& f : Fields()) {
        ASSERT_TRUE(r.contains(f.offset, f.width)) << f.name;
        if (f.kind == FieldKind::Text) EXPECT_EQ(std::string(data->FieldText(f.offset)), f.name.substr(0, f.width - 1)) << f.name;
        else if (f.kind == FieldKind::U16) EXPECT_EQ(data->U16(f.offset), f.offset) << f.name;
        else if (f.kind == FieldKind::S16) EXPECT_EQ(data->S16(f.offset), -f.offset) << f.name;
        else EXPECT_EQ(data->U32(f.offset), f.offset + 0x10000u) << f.name;
    }
    EXPECT_EQ(data->U32(kRecordSizeField), 2736u);
    EXPECT_TRUE(data->U16(kModelNumber) == 7 && data->ModelCode() == 7);
    EXPECT_EQ(data->U32(kRecordSize - 2), 0u);  // a read across the end answers 0

    std::vector<int> owner(kRecordSize, -1);
    int n = 0;
    auto claim = [&](size_t offset, size_t width, std::string_view name) {
        ASSERT_LE(offset + width, kRecordSize) << name;
        for (size_t i = offset; i < offset + width; ++i) {
            ASSERT_EQ(owner[i], -1) << name << " overlaps at 0x" << std::hex << i;
            owner[i] = n;
        }
        ++n;
    };
    claim(0, 6, "size and model");
    for (const FieldInfo& f : Fields()) claim(f.offset, f.width, f.name);
    for (const ListInfo& l : Lists()) {
        if (l.countOffset) claim(l.countOffset, 2, l.name);
        claim(l.handleOffset, 4, l.name);
    }
    for (const TextInfo& t : Texts()) claim(t.handleOffset, 4, t.name);
}

TEST_F(DataFileTest, ListsResolveWithTheirCountsAndAbsentListsAreEmpty) {
    for (const ListInfo& l : Lists()) {
        std::string description(kMinimalDescription);
        description += "list " + std::string(l.name) + "\n";
        const bool named = l.idOffset == 64;
        const int entries = l.countOffset ? 3 : 1;
        for (int i = 0; i < entries; ++i)
            description += (named ? "name=\"n" + std::to_string(i) + "\" id=" : std::string(l.name == "OptionRecord" ? "type=" : "u16@0=")) +
                           std::to_string(100 + i) + "\n";
        description += "end\n";
        DeviceData* data = Parse(Build(description));
        ASSERT_NE(data, nullptr) << l.name;
        const DeviceList list = data->ListAt(l.handleOffset);
        EXPECT_EQ(list.count, uint32_t(entries)) << l.name;
        EXPECT_EQ(list.entrySize, l.entrySize) << l.name;
        uint16_t count = 0, id = 0;
        if (l.countOffset) {
            EXPECT_TRUE(data->Record().u16(l.countOffset, count) && count == entries) << l.name;
        }
        EXPECT_TRUE(list.Entry(entries - 1).u16(named ? 64 : 0, id) && id == 100 + entries - 1) << l.name;
        EXPECT_EQ(list.Entry(entries).size(), 0u) << l.name;
        for (const ListInfo& other : Lists())
            if (other.handleOffset != l.handleOffset) {
                EXPECT_TRUE(data->ListAt(other.handleOffset).empty()) << other.name;
            }
    }
}

TEST_F(DataFileTest, BundledPrinterLoadsWithSubListsTextsAndItems) {
    DeviceData* data = Parse(Build(drvtest::ReadTextFile(std::string(DRVOPUI_SOURCE_DIR) + "/data/kelvar5e.datafile")));
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(data->ModelCode(), 2059);
    EXPECT_STREQ(data->ModelBlockB(), "PCL5e");
    EXPECT_STREQ(data->TextAt(kDeviceNameHandle), "Vomel Kelvaro 2059");
    EXPECT_EQ(data->TextAt(kRuleTextHandle), nullptr);

    const DeviceList sources = data->ListAt(kPaperSourceHandle);
    ASSERT_EQ(sources.count, 6u);
    const DeviceList trayOne = data->SubList(sources, 1, kSourcePaperHandle);
    uint16_t count = 0, paper = 0;
    EXPECT_TRUE(sources.Entry(1).u16(kSourcePaperCount, count) && count == 6);
    ASSERT_EQ(trayOne.count, 6u);
    EXPECT_TRUE(trayOne.Entry(5).u16(0, paper) && paper == 13);
    uint32_t subHandle = 0, listHandle = 0;  // each kind of handle resolves only where it belongs
    ASSERT_TRUE(sources.Entry(1).u32(kSourcePaperHandle, subHandle) && data->Record().u32(kPaperSourceHandle, listHandle));
    EXPECT_TRUE(data->List(subHandle).empty());
    EXPECT_EQ(data->Text(listHandle), nullptr);
    const DeviceList papers = data->ListAt(kPaperHandle);
    const DeviceList a4Media = data->SubList(papers, 5, kPaperMediaHandle);
    uint16_t media = 0;
    EXPECT_TRUE(a4Media.count == 6 && a4Media.Entry(2).u16(64, media) && media == 4);

    EXPECT_EQ(data->ItemSize(2063), 4u);
    EXPECT_EQ(data->ItemSize(2062), 0u);
    const uint32_t ruleSize = data->ItemSize(2061);  // stored compressed
    std::string rules(ruleSize, '\0');
    EXPECT_EQ(data->ReadItem(2061, rules.data(), ruleSize), ruleSize);
    EXPECT_NE(rules.find("CommonRuleVersion(100)"), std::string::npos);
    char small[3] = {'x', 'x', 'x'};
    EXPECT_EQ(data->ReadItem(2084, small, 2), 2u);  // copies no more than asked
    EXPECT_EQ(small[2], 'x');
    EXPECT_EQ(data->ReadItem(9999, small, 2), 0u);
}

TEST_F(DataFileTest, EveryCutOfAFileIsRefused) {
    const std::vector<uint8_t> file = Build(std::string(kMinimalDescription) +
                                            "MaxCopies 9\nlist PaperSource\nname=\"T\" id=1 papers=9,5\nend\n"
                                            "item 2061 compressed text \"rules\"\n");
    ASSERT_NE(Parse(file), nullptr);
    const uint32_t specSize = file[datafile::kHdrSpecSize] | file[datafile::kHdrSpecSize + 1] << 8;
    std::set<size_t> ends;
    for (size_t at = datafile::kHeaderSize; at < file.size(); at += 8 + (file[at + 4] | file[at + 5] << 8)) ends.insert(at);
    for (size_t n = 0; n < file.size(); ++n) {
        std::vector<uint8_t> cut(file.begin(), file.begin() + static_cast<long>(n));
        EXPECT_EQ(Parse(cut), nullptr) << n;
        if (n < datafile::kHeaderSize) continue;
        // Again with a header that agrees with the cut, so that the record walks meet the end.
        const uint32_t spec = std::min<uint32_t>(specSize, static_cast<uint32_t>(n - datafile::kHeaderSize));
        Poke32(cut, datafile::kHdrFileSize, static_cast<uint32_t>(n));
        Poke32(cut, datafile::kHdrSpecSize, spec);
        Poke32(cut, datafile::kHdrItemsOffset, static_cast<uint32_t>(datafile::kHeaderSize + spec));
        Poke32(cut, datafile::kHdrItemsSize, static_cast<uint32_t>(n - datafile::kHeaderSize - spec));
        datafile::FixChecksum(cut);
        // Only a cut that leaves whole records can be a smaller valid file.
        if (Parse(cut)) {
            EXPECT_TRUE(ends.count(n)) << n;
        }
    }
}

TEST_F(DataFileTest, ForgedFilesAreRefusedWithTheirFault) {
    using Forge = void (*)(std::vector<uint8_t>&);
    struct Case {
        const char* fault;
        Forge forge;
    };
    const std::string base = std::string(kMinimalDescription) +
                             "list PaperSource\nname=\"A\" id=1 papers=9\nname=\"B\" id=2 papers=5\nend\n"
                             "item 2061 compressed text \"some rules\"\n";
    static size_t sourceList;  // offset of the paper-source list record
    const Case cases[] = {
        {"bad magic", [](auto& f) { f[0] = 'X'; }},
        {"format version", [](auto& f) { f[datafile::kHdrVersion] = 9; }},
        {"file size", [](auto& f) { f.push_back(0); }},
        {"checksum", [](auto& f) { f.back() ^= 1; }},
        {"reserved header byte", [](auto& f) { f[60] = 1; }},
        {"outside the file", [](auto& f) { Poke32(f, datafile::kHdrItemsSize, 0x7fffffff); }},
        {"overlap", [](auto& f) { Poke32(f, datafile::kHdrItemsOffset, datafile::kHeaderSize); }},
        {"65535 entries of 72 bytes do not fill", [](auto& f) { f[sourceList + 10] = 0xff, f[sourceList + 11] = 0xff; }},
        {"belongs to no entry", [](auto& f) { std::fill_n(&f[sourceList + 12 + 66], 6, 0); }},
        {"no sub-list begins", [](auto& f) { Poke32(f, sourceList + 12 + 68, 3); }},  // into a record
        {"no sub-list begins", [](auto& f) { Poke32(f, sourceList + 12 + 68, uint32_t(sourceList - datafile::kHeaderSize)); }},  // itself
        {"another entry owns", [](auto& f) { std::copy_n(&f[sourceList + 12 + 66], 6, &f[sourceList + 12 + 72 + 66]); }},
        {"counts 7 sub-entries", [](auto& f) { f[sourceList + 12 + 66] = 7; }},
        {"does not inflate", [](auto& f) { f[FindRecord(f, 2061, 2) + 14] ^= 0x55; }},
    };
    for (const Case& c : cases) {
        std::vector<uint8_t> file = Build(base);
        sourceList = FindRecord(file, datafile::kTagListBase | kPaperSourceHandle);
        ASSERT_NE(sourceList, 0u);
        c.forge(file);
        if (std::string_view(c.fault) != "checksum") datafile::FixChecksum(file);
        std::string error;
        EXPECT_EQ(Parse(file, &error), nullptr) << c.fault;
        EXPECT_NE(error.find(c.fault), std::string::npos) << c.fault << " / " << error;
    }
}

TEST_F(DataFileTest, RecordsTheLayoutDoesNotKnowOrRepeatsAreRefused) {
    struct Case {
        const char* fault;
        datafile::FileSpec spec;
    };
    auto spec = [](auto edit) {
        datafile::FileSpec s;
        s.modelCode = 7;
        s.modelName = "PCL5e";
        edit(s);
        return s;
    };
    const Case cases[] = {
        {"not 4", spec([](auto& s) { s.fields.push_back({0x874, {1, 2, 3}}); })},
        {"no field of the record begins at 0x875", spec([](auto& s) { s.fields.push_back({0x875, {1, 2, 3, 4}}); })},
        {"written by the loader", spec([](auto& s) { s.fields.push_back({0x812, {1, 0}}); })},
        {"entries of 66 bytes, not 72", spec([](auto& s) { s.lists.push_back({0x814, 66, {Blank(66)}}); })},
        {"given twice", spec([](auto& s) { s.fields = {{0x874, {1, 0, 0, 0}}, {0x874, {2, 0, 0, 0}}}; })},
        {"at most 31 fit", spec([](auto& s) { s.fields.push_back({0x9b8, std::vector<uint8_t>(32, 'a')}); })},
        {"model name block is missing", spec([](auto& s) { s.modelName.clear(); })},
        {"no list of the record", spec([](auto& s) { s.lists.push_back({0x813, 72, {}}); })},
        {"data item 5 given twice", spec([](auto& s) { s.items = {{5, {1}, false}, {5, {2}, true}}; })},
        {"at most 1", spec([](auto& s) { s.lists.push_back({0x948, 40, {Blank(40), Blank(40)}}); })},
    };
    for (const Case& c : cases) {
        std::string error;
        EXPECT_EQ(Parse(datafile::WriteDataFile(c.spec), &error), nullptr) << c.fault;
        EXPECT_NE(error.find(c.fault), std::string::npos) << c.fault << " / " << error;
    }
}
