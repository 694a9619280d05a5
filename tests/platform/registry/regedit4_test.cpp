// REGEDIT4 hive text: what a hand-written file means, byte-exact round trips of what the writer
// produces, and a clear error with its line for every kind of bad file.
#include "drvtest/spooler.h"
#include "platform/registry/regedit4.h"

#include <gtest/gtest.h>

using registry::HiveError;
using registry::Tree;
using namespace std::string_literals;

namespace {

std::string RoundTrip(std::string_view text) {
    Tree tree;
    HiveError error;
    EXPECT_TRUE(registry::ReadRegedit4(text, tree, error)) << error.line << ": " << error.message;
    return registry::WriteRegedit4(tree);
}

const registry::Value* Find(const Tree& tree, std::initializer_list<const char*> path, const char* value) {
    const registry::Key* key = tree.localMachine.get();
    for (const char* part : path) {
        key = key->FindSubkey(part);
        if (!key) return nullptr;
    }
    return key->FindValue(value);
}

}  // namespace

TEST(Regedit4, HandWrittenFileMeansWhatItSays) {
    const char* text =
        "\xEF\xBB\xBFREGEDIT4\r\n"
        "; a comment\r\n"
        "[HKEY_LOCAL_MACHINE\\Software\\Vomel]\r\n"
        "@=\"default\"\r\n"
        "\"Path\"=\"C:\\\\Program Files\\\\\\\"Q\\\"\"\r\n"
        "\"Count\"=dword:0000001F\r\n"
        "\"Blob\"=hex:01,02,\\\r\n"
        "    ff\r\n"
        "\"List\"=hex(7):61,00,62,00,00\r\n"
        "\"Gone\"=\"x\"\r\n"
        "\"Gone\"=-\r\n"
        "[hkey_local_machine\\SOFTWARE\\vomel\\Old]\r\n"
        "[-HKEY_LOCAL_MACHINE\\Software\\Vomel\\old]\r\n";
    Tree tree;
    HiveError error;
    ASSERT_TRUE(registry::ReadRegedit4(text, tree, error)) << error.line << ": " << error.message;
    using Bytes = std::vector<BYTE>;
    EXPECT_EQ(Find(tree, {"software", "VOMEL"}, "")->data, (Bytes{'d', 'e', 'f', 'a', 'u', 'l', 't', 0}));
    std::string path(reinterpret_cast<const char*>(Find(tree, {"Software", "Vomel"}, "path")->data.data()));
    EXPECT_EQ(path, "C:\\Program Files\\\"Q\"");
    EXPECT_EQ(Find(tree, {"Software", "Vomel"}, "Count")->data, (Bytes{0x1F, 0, 0, 0}));
    EXPECT_EQ(Find(tree, {"Software", "Vomel"}, "Count")->type, DWORD(REG_DWORD));
    EXPECT_EQ(Find(tree, {"Software", "Vomel"}, "Blob")->data, (Bytes{1, 2, 0xFF}));
    EXPECT_EQ(Find(tree, {"Software", "Vomel"}, "List")->type, DWORD(REG_MULTI_SZ));
    EXPECT_EQ(Find(tree, {"Software", "Vomel"}, "List")->data, (Bytes{'a', 0, 'b', 0, 0}));
    EXPECT_EQ(Find(tree, {"Software", "Vomel"}, "Gone"), nullptr);
    EXPECT_EQ(tree.localMachine->FindSubkey("Software")->FindSubkey("Vomel")->FindSubkey("Old"), nullptr);
}

TEST(Regedit4, WriterOutputAndTheBundledHiveRoundTripByteForByte) {
    Tree tree;
    auto key = tree.localMachine->AddSubkey("System")->AddSubkey("Printers");
    key->SetValue("", REG_SZ, {'x', 0});
    key->SetValue("Text \"quoted\" \\", REG_SZ, {'a', '\\', '"', 0});
    key->SetValue("Lines", REG_SZ, {'a', '\r', '\n', 'b', 0});
    key->SetValue("Attributes", REG_DWORD, {0x78, 0x56, 0x34, 0x12});
    key->SetValue("Short dword", REG_DWORD, {1, 2});
    key->SetValue("Big", REG_BINARY, std::vector<BYTE>(300, 0xAB));
    key->SetValue("Empty", REG_BINARY, {});
    key->SetValue("Other", 0x1234, {9});
    key->AddSubkey("Empty key");
    std::vector<BYTE> longText(20000, 'z');
    longText.push_back(0);
    tree.currentUser->AddSubkey("Software")->SetValue("Long", REG_SZ, longText);
    std::string first = registry::WriteRegedit4(tree);
    EXPECT_NE(first.find("\"Attributes\"=dword:12345678\n"), std::string::npos);
    EXPECT_NE(first.find("[HKEY_LOCAL_MACHINE\\System\\Printers\\Empty key]\n"), std::string::npos);
    EXPECT_NE(first.find("\"Lines\"=hex(1):61,0d,0a,62,00\n"), std::string::npos);
    for (size_t start = 0, end; (end = first.find('\n', start)) != std::string::npos; start = end + 1)
        ASSERT_LE(end - start, 80u) << first.substr(start, 80);
    EXPECT_TRUE(RoundTrip(first) == first);  // too long to print
    // The bundled hive is written as it is shipped.
    std::string shipped = drvtest::BundledHiveText();
    ASSERT_FALSE(shipped.empty());
    EXPECT_EQ(RoundTrip(shipped), shipped);
}

TEST(Regedit4, BadFilesNameTheirLine) {
    struct Case {
        std::string text;
        size_t line;
    };
    const std::string head = "REGEDIT4\n[HKEY_LOCAL_MACHINE\\A]\n";
    const Case cases[] = {
        {"", 1},
        {"\n\nREGEDIT5\n", 3},
        {head + "\"v\"=hex:01,zz\n", 3},
        {head + "\"v\"=hex:01,2\n", 3},
        {head + "\"v\"=hex:01,\n", 3},
        {head + "\"v\"=hex(7:00\n", 3},
        {head + "\"v\"=dword:123456789\n", 3},
        {head + "\"v\"=dword:\n", 3},
        {head + "\"v\"=\"abc\n", 3},
        {head + "\"v\"=\"a\\nb\"\n", 3},
        {head + "\"v\"=\"a\" x\n", 3},
        {head + "\"v\"=text\n", 3},
        {head + "\"v\" \"w\"\n", 3},
        {head + "\"v\"=hex:01,\\\n", 3},
        {head + "garbage\n", 3},
        {"REGEDIT4\n\"v\"=\"a\"\n", 2},
        {"REGEDIT4\n[HKEY_CLASSES_ROOT\\A]\n", 2},
        {"REGEDIT4\n[HKEY_LOCAL_MACHINE\\A\n", 2},
        {"REGEDIT4\n[HKEY_LOCAL_MACHINE\\A\\\\B]\n", 2},
        {"REGEDIT4\n[HKEY_LOCAL_MACHINE\\" + std::string(256, 'k') + "]\n", 2},
        {"REGEDIT4\n[-HKEY_LOCAL_MACHINE]\n", 2},
        {"REGEDIT4\n\n[HKEY_LOCAL_MACHINE" + [] {
             std::string deep;
             for (int i = 0; i < 513; ++i) deep += "\\k";
             return deep;
         }() + "]\n",
         3},
        {head + "\"v\"=\"" + std::string(100000, 'x') + "\"\n", 3},
        // Cut off where what is left still reads: inside a hex list, inside a dword, anywhere
        // the last line lacks the line end the writer always writes.
        {head + "\"v\"=hex:01,02", 3},
        {head + "\"v\"=hex:01,\\\n  02", 4},
        {head + "\"v\"=dword:0000", 3},
        {head + "\"v\"=\"text\"", 3},
        {"REGEDIT4", 1},
        {head + "\"v\"=dword:0000001\n", 3},
        {head + "\"v\"=dword:1ffffffff\n", 3},
        {head + "\"v\"=\"a\"\n\"w\"=hex:01,\0,02\n"s, 4},
        {"REGEDIT4\n\0\n"s, 2},
        {"\xEF\xBB\xBFWindows Registry Editor Version 5.00\r\n\r\n[HKEY_LOCAL_MACHINE\\A]\r\n", 1},
        {"\xFF\xFEW\0i\0n\0"s, 1},
    };
    for (const Case& c : cases) {
        Tree tree;
        HiveError error;
        EXPECT_FALSE(registry::ReadRegedit4(c.text, tree, error)) << c.text.substr(0, 60);
        EXPECT_EQ(error.line, c.line) << c.text.substr(0, 60) << " -> " << error.message;
        EXPECT_FALSE(error.message.empty());
    }
    // A version-5 file is told apart from a broken one.
    for (std::string v5 : {std::string("Windows Registry Editor Version 5.00\n"), "\xFF\xFEW\0"s}) {
        Tree tree;
        HiveError error;
        EXPECT_FALSE(registry::ReadRegedit4(v5, tree, error));
        EXPECT_NE(error.message.find("only REGEDIT4"), std::string::npos) << error.message;
    }
}

TEST(Regedit4, DwordsTakeLeadingZerosBeyondEightDigits) {
    struct Case {
        const char* digits;
        std::vector<BYTE> data;
    };
    for (const Case& c : {Case{"0ffffffff", {0xFF, 0xFF, 0xFF, 0xFF}}, Case{"000000000012345678", {0x78, 0x56, 0x34, 0x12}},
                          Case{"DEADbeef", {0xEF, 0xBE, 0xAD, 0xDE}}}) {
        Tree tree;
        HiveError error;
        std::string text = std::string("REGEDIT4\n[HKEY_LOCAL_MACHINE\\A]\n\"v\"=dword:") + c.digits + "\n";
        ASSERT_TRUE(registry::ReadRegedit4(text, tree, error)) << c.digits << ": " << error.message;
        EXPECT_EQ(Find(tree, {"A"}, "v")->data, c.data) << c.digits;
    }
}
