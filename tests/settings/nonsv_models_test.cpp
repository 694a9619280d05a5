// The driver's own answers that depend on the device model, over hosts of described and
// unknown models (the bundled printers are one family): each model's value, and a device-option
// block or device mode too short for a field reads as zeros and is never written past.
#include "core/devmode/device_option_block.h"
#include "model/model_catalogue.h"
#include "settings/sdk/nonsv_operations.h"
#include "settings/sdk/nonsv_predicates.h"

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

TEST(NonSvModels, UnitValuesByModelAndDeviceOptions) {
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
}

TEST(NonSvModels, FinishingPositionsFollowTheDeviceOptions) {
    ModelHost m(0x7E8);  // no flag of 0x10044: the code is offered
    EXPECT_EQ(m.Ask(nonsv::Code10044), 31u & ~(1u << 4));
    m.Data().put_u8(982, (1u << 3) | (1u << 4));
    EXPECT_EQ(m.Ask(nonsv::Code10044), 30u & ~(1u << 1) & ~(1u << 4));
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

}  // namespace
