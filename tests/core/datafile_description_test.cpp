// The description language of the builder tool: mistakes are reported with their line and
// nothing is built from them; here-documents, escapes and raw entry keys land where they say.
#include "datafile_test_support.h"

#include "core/datafile/device_data_layout.h"

TEST(DataFileDescription, MistakesAreReportedWithTheirLine) {
    struct Case {
        const char* text;
        const char* message;
    };
    const Case cases[] = {
        {"name \"PCL5e\"\n", "test:1: no \"model\" statement"},
        {"model 7\n", "no \"name\" statement"},
        {"model 7\nmodel 8\n", "test:2: model given twice (first on line 1)"},
        {"model 70000\n", "test:1: 70000 is out of range 0 to 65535"},
        {"model 7\nname \"PCL5e\"\nMaxCopie 3\n", "test:3: no field, list or statement is named MaxCopie"},
        {"model 7\nname \"PCL5e\"\nMaxCopies x3\n", "test:3: \"x3\" is not a number"},
        {"model 7\nname \"PCL5e\"\nVersionText \"0123456789012345678901234567890123\"\n", "longer than 31 characters"},
        {"model 7\nname \"PCL5e\nx\n", "test:2: text not closed by a quote"},
        {"model 7\nname \"PCL5e\"\nlist PaperSource\nname=\"A\" idd=3\nend\n", "test:4: list PaperSource has no entry key idd"},
        {"model 7\nname \"PCL5e\"\nlist PaperSource\nname=\"A\" u32@70=3\nend\n", "test:4: key u32@70 runs past the entry's 72 bytes"},
        {"model 7\nname \"PCL5e\"\nlist Paper\nid=9\n", "list Paper is not closed by \"end\""},
        {"model 7\nname \"PCL5e\"\nitem 2061 text <<END\nabc\n", "test:3: here-document END is not closed"},
        {"model 7\nname \"PCL5e\"\nitem 2061 blob 3\n", "test:3: unknown item kind blob"},
        {"model 7\nname \"PCL5e\"\nitem 2061 file \"no-such-file\"\n", "test:3: cannot read ./no-such-file"},
        {"model 7\nname \"PCL5e\"\nitem 2061 file\n", "test:3: item file takes file names in quotes"},
        {"model 7\nname \"PCL5e\"\nitem 2061 file \"a\" 3\n", "test:3: item file takes file names in quotes"},
        {"model 7\nname \"PCL5e\"\ntext RuleFileName \"a\\qb\"\n", "unknown escape \\q"},
        {"model 7\nname \"PCL5e\"\nMaxCopies -1\n", "test:3: -1 is out of range 0 to 4294967295"},
        {"model 7\nname \"PCL5e\"\nitem 2070 u32 -5\n", "test:3: -5 is out of range 0 to 4294967295"},
        {"model 7\nname \"PCL5e\"\nlist PaperSource\nname=\"A\" u32@68=5\nend\n", "test:4: key u32@68 overlaps the count"},
        {"model 7\nname \"PCL5e\"\nlist PaperSource\nname=\"A\" u16@66=1\nend\n", "test:4: key u16@66 overlaps the count"},
    };
    for (const Case& c : cases) {
        datafile::FileSpec spec;
        std::string error;
        EXPECT_FALSE(datafile::ParseDescription(c.text, "test", ".", spec, error)) << c.text;
        EXPECT_NE(error.find(c.message), std::string::npos) << error;
    }
    datafile::FileSpec spec;
    std::string error;
    EXPECT_FALSE(datafile::ParseDescription(std::string("model 7\0\n", 9), "test", ".", spec, error));
    EXPECT_EQ(error, "test:1: a NUL character outside quotes");
}

TEST_F(DataFileTest, HereDocumentsEscapesAndRawKeysLandWhereTheySay) {
    DeviceData* data = Parse(Build(std::string(kMinimalDescription) +
                                   "text RuleText <<END\nline one\n  line \"two\"\nEND\n"
                                   "ProductName \"tab\\there\\x21\"\n"
                                   "list Finisher\nu16@0=0x1234 u32@160=-1 text@100=\"fin\" u8@4=255\nend\n"));
    ASSERT_NE(data, nullptr);
    EXPECT_STREQ(data->TextAt(devicedata::kRuleTextHandle), "line one\n  line \"two\"\n");
    EXPECT_STREQ(reinterpret_cast<const char*>(data->Record().data() + 0x10), "tab\there!");
    const ByteView finisher = data->ListAt(devicedata::kFinisherHandle).Entry(0);
    uint16_t code = 0;
    uint32_t last = 0;
    uint8_t byte = 0;
    EXPECT_TRUE(finisher.u16(0, code) && code == 0x1234);
    EXPECT_TRUE(finisher.u32(160, last) && last == 0xffffffffu);
    EXPECT_TRUE(finisher.u8(4, byte) && byte == 255);
    EXPECT_STREQ(reinterpret_cast<const char*>(finisher.data() + 100), "fin");
}
