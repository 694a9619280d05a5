// The model table object: descriptions read back per model, copies that do not share writes,
// unknown models with every feature absent, and the mail-box names stored for a printer.
#include "model/mail_box_names.h"
#include "model/model_catalogue.h"
#include "model/pdl_data.h"

#include <drvtest/registry.h>
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr char kPrinter[] = "Office";

bool allZero(const void* p, size_t n) {
    auto b = static_cast<const uint8_t*>(p);
    for (size_t i = 0; i < n; ++i)
        if (b[i]) return false;
    return true;
}

// 100 records named "<prefix><n>" with attribute n, as the configuration stores them.
std::vector<uint8_t> boxValue(const std::string& prefix, size_t size = kMailBoxValueSize) {
    std::vector<uint8_t> v(size);
    for (size_t i = 0; i < kMailBoxesPerValue && (i + 1) * kMailBoxRecordSize <= size; ++i) {
        std::string name = prefix + std::to_string(i);
        std::memcpy(&v[i * kMailBoxRecordSize], name.c_str(), name.size());
        v[i * kMailBoxRecordSize + kMailBoxNameField] = static_cast<uint8_t>(i);
    }
    return v;
}

void storeBoxValue(const char* name, const std::vector<uint8_t>& value) {
    HKEY key = nullptr;
    std::string path = std::string("System\\CurrentControlSet\\control\\Print\\Printers\\") + kPrinter +
                       "\\PrinterDriverData\\DeviceOption";
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegSetValueExA(key, name, 0, REG_BINARY, value.data(), static_cast<DWORD>(value.size()));
    RegCloseKey(key);
}

std::string boxName(const PdlData& data, size_t box) {
    char out[kMailBoxDisplayName + 1];
    MailBoxDisplayName(data.Description().mailBoxes[box], out);
    return out;
}

}  // namespace

TEST(PdlData, EveryDescribedModelReadsBackThroughItsCopy) {
    size_t count = 0;
    const uint16_t* models = DescribedModels(count);
    ASSERT_GE(count, 2u);
    for (size_t i = 0; i < count; ++i) {
        ModelDescription expected;
        ASSERT_TRUE(DescribeModel(models[i], expected));
        auto data = std::make_unique<PdlData>(models[i]);
        EXPECT_TRUE(data->Described());
        EXPECT_EQ(data->ModelCode(), models[i]);
        EXPECT_EQ(std::memcmp(&data->Description(), &expected, sizeof expected), 0) << models[i];
        EXPECT_EQ(data->Description().modelCode, models[i]);
        EXPECT_LE(data->Description().pageListLength, ModelDescription::kMaxPageListLength);
    }
    EXPECT_EQ(PdlData(2059).Description().CodeFlag(0x10040), 1u);  // a gated code the model offers
    EXPECT_EQ(PdlData(2059).Description().CodeFlag(0x12345), 0u);  // not a gated code
    EXPECT_EQ(PdlData(2059).Description().SummaryFlag(0), 0u);  // flags run from 1 to 16
    EXPECT_EQ(PdlData(2059).Description().SummaryFlag(17), 0u);
}

TEST(PdlData, CopiesDoNotShareWrites) {
    PdlData first(2059), second(2059);
    first.Description().currentTray = 3;
    first.Description().lastFlags |= ModelDescription::kLastFlagMailBoxNames;
    std::strcpy(first.Description().mailBoxes[0].name, "Sales");
    EXPECT_EQ(second.Description().currentTray, 0);
    EXPECT_EQ(second.Description().lastFlags & ModelDescription::kLastFlagMailBoxNames, 0u);
    EXPECT_EQ(second.Description().mailBoxes[0].name[0], '\0');
    EXPECT_EQ(PdlData(2059).Description().currentTray, 0);
}

TEST(PdlData, UnknownModelReadsAsEveryFeatureAbsent) {
    for (uint16_t model : {0, 1, 2058, 2072, 0xFFFF}) {
        PdlData data(model);
        EXPECT_FALSE(data.Described());
        EXPECT_EQ(data.ModelCode(), model);
        EXPECT_TRUE(allZero(&data.Description(), sizeof(ModelDescription))) << model;
    }
}

TEST(MailBoxNames, StoredValuesFillTheBoxesAndBadOnesAreIgnored) {
    struct Case {
        const char* label;
        std::vector<std::pair<const char*, std::vector<uint8_t>>> values;
        bool found;
        std::string box0, box150, box299;
    };
    const Case cases[] = {
        {"one value", {{"BoxName", boxValue("Box")}}, true, "Box0", "", ""},
        {"three values", {{"BoxName01", boxValue("A")}, {"BoxName02", boxValue("B")}, {"BoxName03", boxValue("C")}},
         true, "A0", "B50", "C99"},
        {"one value wins", {{"BoxName", boxValue("X")}, {"BoxName02", boxValue("B")}}, true, "X0", "", ""},
        {"too short", {{"BoxName", boxValue("S", kMailBoxValueSize - 1)}}, false, "", "", ""},
        {"too long", {{"BoxName", boxValue("L", kMailBoxValueSize + 71)}}, false, "", "", ""},
        {"short second part", {{"BoxName01", boxValue("A")}, {"BoxName02", boxValue("B", 70)}}, true, "A0", "", ""},
        {"nothing stored", {}, false, "", "", ""},
    };
    for (const Case& c : cases) {
        drvtest::ScopedHive hive(drvtest::kOfficePrinterHive);
        for (auto& [name, value] : c.values) storeBoxValue(name, value);
        PdlData data(2059, kPrinter);
        EXPECT_EQ((data.Description().lastFlags & ModelDescription::kLastFlagMailBoxNames) != 0, c.found) << c.label;
        EXPECT_EQ(boxName(data, 0), c.box0) << c.label;
        EXPECT_EQ(boxName(data, 150), c.box150) << c.label;
        EXPECT_EQ(boxName(data, 299), c.box299) << c.label;
    }
}

TEST(MailBoxNames, NamesWithoutTerminatorStopAtTheirField) {
    std::vector<uint8_t> value(kMailBoxValueSize, 'N');
    MailBoxRecord boxes[kMailBoxesPerValue];
    ASSERT_TRUE(ParseMailBoxValue(ByteView(value.data(), value.size()), boxes));
    EXPECT_EQ(boxes[99].attribute, 0x4E4E4E4Eu);
    EXPECT_EQ(std::string(boxes[99].name), std::string(kMailBoxNameField - 1, 'N'));
    char out[kMailBoxDisplayName + 1];
    MailBoxDisplayName(boxes[5], out);
    EXPECT_EQ(std::string(out), std::string(kMailBoxDisplayName, 'N'));
    EXPECT_FALSE(ParseMailBoxValue(ByteView(value.data(), 70), boxes));
    EXPECT_FALSE(ReadMailBoxNames("bad\\name", PdlData(2059).Description().mailBoxes));
}
