// The rule-test printer: the bundled description with its rule source swapped, built into a data
// file under the fixture's drive root before the device that reads it is made.
#include "rule_device.h"

#include "pie/api/api.h"
#include "tools/datafile/description.h"

#include <drvtest/registry.h>
#include <drvtest/pie_fake_host.h>
#include <gtest/gtest.h>
#include <zlib.h>

#include <sstream>

namespace ruletest {

namespace {

constexpr const char* kPrinter = "Rule Test Printer";
constexpr const char* kHive =
    "\n[HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\control\\Print\\Environments\\Windows 4.0\\Drivers\\Rule Test]\n"
    "\"Driver\"=\"KELVAR5E.DRV\"\n"
    "\"Data File\"=\"RULETEST.DAT\"\n"
    "\"Configuration File\"=\"KELVAR5E.DRV\"\n"
    "\n[HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\control\\Print\\Printers\\Rule Test Printer]\n"
    "\"Name\"=\"Rule Test Printer\"\n"
    "\"Port\"=\"LPT1:\"\n"
    "\"Printer Driver\"=\"Rule Test\"\n"
    "\"Attributes\"=dword:00000040\n"
    "\n[HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\control\\Print\\Printers\\Rule Test Printer\\PrinterDriverData]\n";

std::string FirstWord(const std::string& line) { return line.substr(0, line.find(' ')); }

// A line the test's lines replace: the rule source, or a field the test gives itself.
bool Replaced(const std::string& line, const std::string& ruleLines) {
    for (const char* start : {"RuleSourceKind", "text RuleText", "text RuleFileName", "RuleFileUnpackedSize",
                              "item 2061", "item 2062", "item 2063", "item 2064"})
        if (line.rfind(start, 0) == 0) return true;
    const std::string word = FirstWord(line);
    if (word.empty() || word == "text" || word == "item" || word == "list" || word == "end" || line[0] == ' ')
        return false;
    std::istringstream given(ruleLines);
    for (std::string other; std::getline(given, other);)
        if (FirstWord(other) == word) return true;
    return false;
}

std::string DescriptionWith(const std::string& ruleLines) {
    std::istringstream in(drvtest::ReadTextFile(drvtest::SourceRoot() + "/data/kelvar5e.datafile"));
    std::string out, line, hereEnd;
    while (std::getline(in, line)) {
        if (!hereEnd.empty()) {
            if (line == hereEnd) hereEnd.clear();
            continue;
        }
        if (Replaced(line, ruleLines)) {
            const size_t here = line.find("<<");
            if (here != std::string::npos) hereEnd = line.substr(here + 2);
            continue;
        }
        out += line + "\n";
    }
    return out + ruleLines + "\n";
}

}  // namespace

RuleDevice::RuleDevice(const std::string& ruleLines, const std::vector<DriverFile>& files) {
    fixture_ = std::make_unique<drvtest::FixtureDevice>(kKindDevmode, kPrinter, kHive);
    datafile::FileSpec spec;
    std::string error;
    if (!datafile::ParseDescription(DescriptionWith(ruleLines), "ruletest", drvtest::SourceRoot() + "/data", spec, error)) {
        ADD_FAILURE() << error;
        return;
    }
    const std::vector<uint8_t> bytes = datafile::WriteDataFile(spec);
    const std::string system = fixture_->Root() + "/WINDOWS/SYSTEM/";
    EXPECT_TRUE(drvtest::WriteTextFile(system + "RULETEST.DAT",
                                       std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size())));
    for (const DriverFile& file : files) EXPECT_TRUE(drvtest::WriteTextFile(system + file.name, file.bytes));
    device_ = fixture_->Make(kKindDevmode);
}

int LoadIntoEngine(const std::vector<const char*>& texts) {
    PieEngine* engine = nullptr;
    if (PIE_init(&engine, nullptr, 0x402) != 0) return -1;
    drvtest::PieFakeHost host;
    host.install(engine);
    int result = 0;
    for (const char* text : texts)
        if (text && result == 0) result = PIE_main(engine, text);
    PIE_term(engine);
    return result;
}

std::string Deflate(const std::string& bytes) {
    uLongf size = compressBound(bytes.size());
    std::string out(size, '\0');
    if (compress(reinterpret_cast<Bytef*>(out.data()), &size, reinterpret_cast<const Bytef*>(bytes.data()),
                 bytes.size()) != Z_OK)
        return {};
    out.resize(size);
    return out;
}

}  // namespace ruletest
