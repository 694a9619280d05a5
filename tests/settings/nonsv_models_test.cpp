// The driver's own answers that depend on the device model, over hosts of described and
// unknown models (the bundled printers are one family): each model's value, and a device-option
// block or device mode too short for a field reads as zeros and is never written past.
#include "core/datafile/data_file_parser.h"
#include "core/datafile/device_data.h"
#include "core/devmode/device_option_block.h"
#include "core/memory/private_heap.h"
#include "model/model_catalogue.h"
#include "settings/sdk/nonsv_operations.h"
#include "settings/sdk/nonsv_predicates.h"

#include "tools/datafile/data_file_writer.h"
#include "tools/datafile/description.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct ModelHost {
    explicit ModelHost(uint16_t code) : block(devopt::kBlockSize) {
        DescribeModel(code, description);
        devopt::buildDefaultBlock(block.data(), block.size());
        host.model = &description;
        host.modelCode = code;
        host.deviceOption = block.data();
    }
    MutableByteView Data() { return host.DeviceOptionData(); }
    DWORD Ask(NonSvOperation op, int kind = 2) {
        DWORD word = 0xABABABAB;
        answer = op(host, kind, &word);
        return word;
    }
    ModelDescription description;
    std::vector<uint8_t> block;
    NonSvHost host;
    int answer = -1;
};

TEST(NonSvModels, ValuesAndFinishingPositionsByModelAndDeviceOptions) {
    struct Case {
        uint16_t model;
        uint16_t word986;
        DWORD value;
    };
    for (Case c : {Case{1001, 0, 2000}, Case{1008, 5, 16}, Case{1009, 1, 16}, Case{1009, 2, 0xFFFFFFFF},
                   Case{1017, 0, 16}, Case{1018, 0, 400}, Case{1030, 0, 400}, Case{2000, 0, 0xFFFFFFFF}}) {
        ModelHost m(c.model);
        m.Data().put_u16(986, c.word986);
        EXPECT_EQ(m.Ask(nonsv::Code1004A), c.value) << c.model << " " << c.word986;
        EXPECT_EQ(m.answer, 0);
    }
    ModelHost production(3001);
    production.Data().put_u8(982, 1u << 2);  // a flag of 0x10068 only; 0x10056 answers by model
    EXPECT_EQ(production.Ask(nonsv::Code10056), 3u);
    ModelHost desktop(7);
    EXPECT_EQ(desktop.Ask(nonsv::Code10056), 0xABABABABu);
    EXPECT_EQ(desktop.answer, 2);
    desktop.Data().put_u8(980, 0x80);
    EXPECT_EQ(desktop.Ask(nonsv::Code10045), 16u);

    ModelHost finisher(0x7E8);  // no flag of 0x10044: the code is offered
    EXPECT_EQ(finisher.Ask(nonsv::Code10044), 31u & ~(1u << 4));
    finisher.Data().put_u8(982, (1u << 3) | (1u << 4));
    EXPECT_EQ(finisher.Ask(nonsv::Code10044), 30u & ~(1u << 1) & ~(1u << 4));
    ModelHost kelvaro(2059);
    kelvaro.Ask(nonsv::Code10044);
    EXPECT_EQ(kelvaro.answer, 2);
}

TEST(NonSvModels, AShortBlockReadsAsZerosAndIsNotWritten) {
    ModelHost m(2059);
    m.block.resize(64);
    m.host.deviceOption = m.block.data();
    MutableByteView(m.block.data(), 4).put_u32(0, 64);  // the header claims no more than it has
    EXPECT_EQ(m.host.Dop8(980), 0);
    EXPECT_FALSE(nonsv::TestDeviceOptionBit(m.host));
    EXPECT_FALSE(nonsv::IsZFoldAvailable(m.host));
    EXPECT_EQ(m.Ask(nonsv::Code1013F), 0u);
    m.block.assign(8, 0);  // no data part at all
    m.host.deviceOption = m.block.data();
    EXPECT_EQ(m.Ask(nonsv::Code1013F), 1u);
    // No device mode: private switches cannot be written.
    DWORD one = 1;
    EXPECT_EQ(nonsv::Code100CB(m.host, 3, &one), 1);
    EXPECT_EQ(nonsv::SizeClassLarge(m.host, 6, nullptr), 2);
}

// Finisher records of a driver data file: the installed finisher's record decides punching,
// rotation and the two finisher features.
TEST(NonSvModels, TheInstalledFinishersRecordDecidesItsFeatures) {
    datafile::FileSpec spec;
    std::string error;
    ASSERT_TRUE(datafile::ParseDescription("model 2059\nname \"PCL5e\"\n"
                                           "FinisherUnit 1\nOptionRecordUnit 1\nHolePunch 1\nJobRotation 1\n"
                                           "list Finisher\n"
                                           "  u16@0=1 u16@66=2 u16@68=2 u16@70=1 u32@72=2 u16@76=2 u16@78=5 u16@80=2\n"
                                           "  u16@0=2 u16@66=1\n"
                                           "end\n",
                                           "test", ".", spec, error))
        << error;
    std::vector<uint8_t> bytes = datafile::WriteDataFile(spec);
    ASSERT_TRUE(CreatePrivateHeap());
    DataFileError parseError;
    DeviceData* device = ParseDataFile(bytes.data(), bytes.size(), parseError);
    ASSERT_NE(device, nullptr) << parseError.text;
    ModelHost m(2059);  // its index table: code 0x21 record 0, code 0x22 record 1
    m.host.device = device;
    struct Case {
        uint8_t finisher;
        uint8_t secondByte;
        uint16_t punchWord;
        bool punch, rotate, featureA, featureB;
    };
    for (Case c : {Case{0x21, 0, 0, true, true, true, true}, Case{0x22, 0, 0, false, false, false, false},
                   Case{0x22, 0, 3, true, false, false, false}, Case{0x23, 0, 0, false, false, false, false},
                   Case{0x23, 1u << 3, 0, true, true, true, true}, Case{0, 0, 0, false, true, false, false}}) {
        m.Data().put_u8(0, c.finisher);
        m.Data().put_u8(1, c.secondByte);
        m.Data().put_u16(1038, c.punchWord);
        std::string label = std::to_string(c.finisher) + "/" + std::to_string(c.secondByte);
        EXPECT_EQ(nonsv::IsPunchAvailable(m.host), c.punch) << label;
        EXPECT_EQ(nonsv::IsRotateAvailable(m.host), c.rotate) << label;
        EXPECT_EQ(nonsv::HasFinisherFeatureA(m.host), c.featureA) << label;
        EXPECT_EQ(nonsv::HasFinisherFeatureB(m.host), c.featureB) << label;
    }
    m.Data().put_u8(0, 0x21);
    m.Data().put_u16(1, 1u << 8);  // the rotate lock
    EXPECT_FALSE(nonsv::IsRotateAvailable(m.host));
    FreeDeviceData(device);
    DestroyPrivateHeap();
}

}  // namespace
