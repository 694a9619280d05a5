// The driver's requests that reach the device's configuration, through VomelDeviceMode with
// configuration services registered as the configuration registers them: reading the device
// stores the device-option block and the mail-box names, and the media library lists and chooses
// media by name.
#include "driver_option_fixture.h"

#include "core/devmode/device_option_block.h"
#include "core/devmode/model_section.h"
#include "settings/sdk/non_sv_sdk.h"
#include "settings/sdk/nonsv_device_services.h"

#include <array>

namespace {

namespace model = devmode::model;

using Record = std::array<uint8_t, kBrandMediaRecordSize>;

Record MediaRecord(uint16_t recordId, int16_t mediaId, uint16_t type, uint16_t cls, uint16_t weight, const char* name) {
    Record r{};
    MutableByteView v(r.data(), r.size());
    v.put_u16(nsmedia::kRecordId, recordId);
    v.put_s16(nsmedia::kMediaId, mediaId);
    v.put_u16(nsmedia::kType, type);
    v.put_u16(nsmedia::kClass, cls);
    v.put_u16(nsmedia::kWeight, weight);
    std::memcpy(r.data() + nsmedia::kName, name, std::strlen(name));
    return r;
}

struct Device {
    static inline bool answers = true;
    static inline std::vector<uint8_t> first, second;
};

const NonSvDeviceServices kServices = {
    [](UIDEVDATA*, int interactive) { return Device::answers && interactive == 0; },
    [](UIDEVDATA*) { return Device::answers; },
    [](UIDEVDATA*, size_t* count) -> const uint8_t* {
        *count = Device::first.size() / kBrandMediaRecordSize;
        return Device::first.data();
    },
    [](UIDEVDATA*, size_t* count) -> const uint8_t* {
        *count = Device::second.size() / kBrandMediaRecordSize;
        return Device::second.data();
    },
    nullptr,
};

class DeviceConfiguration : public DriverOptions {
public:
    void SetUp() override {
        previous = RegisterNonSvDeviceServices(&kServices);
        Device::answers = true;
        Device::first.clear();
        Device::second.clear();
        for (const Record& r : {MediaRecord(0, 2, 1, 0, 0, "Plain"), MediaRecord(0, 3, 6, 0, 0, "Thick"),
                                MediaRecord(0, -1, 0, 0, 0, "")})
            Device::first.insert(Device::first.end(), r.begin(), r.end());
        Record own = MediaRecord(40, 9, 2, 5, 105, "Office Recycled");
        Device::second.assign(own.begin(), own.end());
        DriverOptions::SetUp();
    }
    void TearDown() override {
        DriverOptions::TearDown();
        RegisterNonSvDeviceServices(previous);
    }
    const NonSvDeviceServices* previous = nullptr;
};

TEST_F(DeviceConfiguration, ReadingTheDeviceStoresTheBlockAndTheMailBoxNames) {
    DWORD word = 0;
    Device::answers = false;
    EXPECT_EQ(Ask(8, 0x1000E, &word), 1);
    uint32_t flags = 0;
    devopt::GetValue(Ctx()->svc->GetDeviceOption(Ctx()), devopt::kValueFlags, &flags, 4);
    EXPECT_EQ(flags & devopt::kFlagQueried, 0u);

    Device::answers = true;
    ASSERT_EQ(Ask(8, 0x1000E, &word), 0);
    devopt::GetValue(Ctx()->svc->GetDeviceOption(Ctx()), devopt::kValueFlags, &flags, 4);
    EXPECT_TRUE(flags & devopt::kFlagQueried);
    std::string key = std::string("System\\CurrentControlSet\\control\\Print\\Printers\\") +
                      drvtest::kBundledPcl5ePrinter + "\\PrinterDriverData\\DeviceOption";
    HKEY opened = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, KEY_READ, &opened), ERROR_SUCCESS);
    DWORD type = 0, size = 0;
    EXPECT_EQ(RegQueryValueExA(opened, "BoxName", nullptr, &type, nullptr, &size), ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_BINARY));
    EXPECT_EQ(size, 7100u);
    RegCloseKey(opened);
    DWORD size0 = 0;
    EXPECT_EQ(Ask(0, 0x1000E, &size0), 0);
    EXPECT_EQ(size0, 4u);
}

TEST_F(DeviceConfiguration, MediaLibraryListsAndChoosesMediaByName) {
    DWORD count = 9;
    ASSERT_EQ(Ask(1, 0x1005D, &count), 0);
    EXPECT_EQ(count, 0u) << "media library not in use";
    std::vector<uint8_t> names(512);
    EXPECT_EQ(Ask(4, 0x1005D, names.data()), 3);
    EXPECT_EQ(Ask(8, 0x10131, nullptr), 3);

    Priv().put_u8(model::kMediaByte, 0x2);
    Dop().put_u8(19, 0x3);  // the device offers both media of its first list
    ASSERT_EQ(Ask(1, 0x1005D, &count), 0);
    EXPECT_EQ(count, 3u);
    names.assign(512 * count, 0);
    ASSERT_EQ(Ask(4, 0x1005D, names.data()), 0);
    EXPECT_STREQ(reinterpret_cast<const char*>(names.data() + 512), "Thick");
    EXPECT_STREQ(reinterpret_cast<const char*>(names.data() + 1024), "Office Recycled");

    char wanted[512] = "Office Recycled";
    ASSERT_EQ(Ask(3, 0x1005D, wanted), 0);
    EXPECT_EQ(Priv16(361), 9);
    char read[512] = {};
    ASSERT_EQ(Ask(2, 0x1005D, read), 0);
    EXPECT_STREQ(read, "Office Recycled");
    char unknown[512] = "Glossy";
    EXPECT_EQ(Ask(3, 0x1005D, unknown), 2);
    EXPECT_EQ(Ask(8, 0x10131, nullptr), 0);

    ExpectListAgrees(0x1005D);
    ExpectListAgrees(0x10132);
    ASSERT_EQ(Ask(1, 0x10132, &count), 0);
    ASSERT_EQ(count, 3u);
    std::vector<uint8_t> list(736 * count);
    ASSERT_EQ(Ask(4, 0x10132, list.data()), 0);
    ByteView thick(list.data() + 736, 736), own(list.data() + 1472, 736);
    uint32_t v = 0;
    EXPECT_STREQ(reinterpret_cast<const char*>(thick.data()), "Thick");
    EXPECT_TRUE(thick.u32(512, v) && v == 1252);
    EXPECT_TRUE(thick.u32(516, v) && v == 2) << "media 3 through the model's media-id pairs";
    EXPECT_TRUE(thick.u32(664, v) && v == 12) << "type 6 of the first list";
    EXPECT_TRUE(own.u32(520, v) && v == 40);
    EXPECT_TRUE(own.u32(664, v) && v == 5);
    EXPECT_TRUE(own.u32(732, v) && v == 21);
}

TEST_F(DeviceConfiguration, AnAppliedProfileKeepsTheJobsBoxAndSecuredUser) {
    SetOption16(102, 4);
    uint8_t box[72] = {};
    MutableByteView(box, 72).put_u32(68, 3);
    std::memcpy(box + 4, "Sales", 6);
    ASSERT_EQ(Ask(3, 0x100E6, box), 0);
    std::memcpy(Priv().data() + model::kSecuredUserName, "owner", 6);
    std::vector<uint8_t> profile(devmode.size());
    Ctx()->svc->GetDevmode(Ctx(), 1);
    std::memcpy(profile.data(), Ctx()->svc->GetDevmode(Ctx(), 1), profile.size());
    NonSvSDK sdk;
    sdk.Attach(Ctx());
    ASSERT_EQ(sdk.CheckProfileDevmode(profile.data(), devmode.data()), 1);
    std::vector<uint8_t> keep = devmode;
    devmode = profile;
    uint8_t read[72] = {};
    ASSERT_EQ(Ask(2, 0x100E6, read), 0);
    EXPECT_STREQ(reinterpret_cast<const char*>(read + 4), "Sales");
    EXPECT_EQ(read[68], 3);
    EXPECT_STREQ(reinterpret_cast<const char*>(Priv().data() + model::kSecuredUserName), "owner");
    devmode = keep;
}

}  // namespace
