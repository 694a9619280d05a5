// Device operations over the direct query's table: the device record filled attribute by
// attribute, the account check, the mail-box names, the device fonts and the flat attribute
// block, each on a connection of its own that is closed again.
#include "device_fixture.h"

#include "device/device_info_record.h"
#include "device/device_operations.h"

#include <cstring>
#include <vector>

namespace {

constexpr const char* kDevice =
    "attr 0 209 pair 1,1 3,1 2,0\n"
    "attr 0 2228 number 1\n"
    "attr 0 0x20006 number 262144\n"
    "attr 0 0x40026 text \"Engine\"\n"
    "attr 0 0x10001 text \"Kv C270-P1\"\n"
    "attr 0 0x4000112 number 0x0305\n"
    "attr 0 0x3000001 text \"G-RAM\" \"DIMM1\"\n"
    "mailbox 1 \"Box A\"\nmailbox 3 \"Box C\"\n"
    "font \"Kaisho-Medium\" 0\nfont \"BARcode39\" 1\n"
    "account 1234 5678\n";

}  // namespace

TEST_F(DeviceInfoTest, DeviceRecordIsFilledAttributeByAttribute) {
    for (const char* mode : {"inline", "worker"}) {
        sim_->ClearLog();
        sim_->Describe(std::string(kDevice) + "mode " + mode + "\n");
        ASSERT_TRUE(Open(kZdsvVersionDirect));
        auto record = std::make_unique<DeviceInfoRecord>();
        record->requestWords[0] = 1u << 31 | 1u << 0 | 1u << 1;  // 209, 0x20006, 0x40026
        record->requestWords[1] = 1u << 0;                        // 224, which the device does not know
        record->requestWords[2] = 1u << 25 | 1u << 10 | 1u << 16;  // 2228, 0x10001, 0x3000001
        uint32_t p288 = 277, p296 = 2;
        uint16_t p300 = 1;
        std::memcpy(record->requestParameters + 0, &p288, 4);
        std::memcpy(record->requestParameters + 8, &p296, 4);
        std::memcpy(record->requestParameters + 12, &p300, 2);
        DevInfoDeviceLink link{info_, iface_};
        ASSERT_EQ(DevInfoClient_GetHandler(client_, &link, record.get(), kDevOpDeviceRecord), 0) << mode;
        EXPECT_EQ(record->status, 0);
        EXPECT_EQ(record->stateBits209, 0x01u | 0x08);
        EXPECT_EQ(record->stateBits2228, 0x01u);
        EXPECT_EQ(record->number20006, 262144u);
        EXPECT_STREQ(record->text40026, "Engine");
        EXPECT_STREQ(record->text10001, "Kv C270-P1");
        EXPECT_STREQ(record->texts3000001[1], "DIMM1");
        EXPECT_EQ(record->numbers224[0], -1);
        EXPECT_EQ(record->missingWords[0], 0u);
        EXPECT_EQ(record->missingWords[1], 1u);
        EXPECT_EQ(record->missingWords[2], 0u);
        EXPECT_EQ(record->requestWords[0] & (1u << 31), 0u);  // asked first, then cleared
        EXPECT_EQ(sim_->First("request 29"), "request 29 p1 501 p2 2 p3 0 ids 209 2228");
        EXPECT_EQ(sim_->First("request 27"), "request 27 p1 277 p2 2 p3 1 ids 131078 262182");
        EXPECT_EQ(sim_->Count("request 27"), 4);  // one group per byte of the request words
        EXPECT_EQ(sim_->Count("connect"), 1);
        EXPECT_EQ(sim_->Count("disconnect"), 1);
        Close();
    }
}

TEST_F(DeviceInfoTest, RefusedConnectionsAndStatusesLandInTheRecord) {
    sim_->Describe(std::string(kDevice) + "fault connect 0x1234\n");
    ASSERT_TRUE(Open(kZdsvVersionDirect));
    auto record = std::make_unique<DeviceInfoRecord>();
    record->requestWords[0] = 1;
    DevInfoDeviceLink link{info_, iface_};
    EXPECT_EQ(DevInfoClient_GetHandler(client_, &link, record.get(), kDevOpDeviceRecord), 0);
    EXPECT_EQ(record->status, 0x1234);
    EXPECT_EQ(sim_->Count("request"), 0);
    Close();

    sim_->Describe(std::string(kDevice) + "fault status 27 -40\n");
    ASSERT_TRUE(Open(kZdsvVersionDirect));
    link = {info_, iface_};
    record->status = 0;
    record->requestWords[0] = 0x0101;  // two groups: the first fails, the second is not sent
    EXPECT_EQ(DevInfoClient_GetHandler(client_, &link, record.get(), kDevOpDeviceRecord), 0);
    EXPECT_EQ(record->status, -40);
    EXPECT_EQ(sim_->Count("request 27"), 1);
    EXPECT_EQ(DevInfoClient_GetHandler(client_, &link, record.get(), 6), -2);
    EXPECT_EQ(DevInfoClient_GetHandler(client_, nullptr, record.get(), 1), -1);
    Close();
    ExpectPairsClosed();
}

TEST_F(DeviceInfoTest, AccountMailBoxFontAndAttributeOperations) {
    sim_->Describe(kDevice);
    ASSERT_TRUE(Open(kZdsvVersionDirect));
    DevInfoDeviceLink link{info_, iface_};

    struct Account {
        uint32_t account, password, accepted;
    };
    for (auto c : {Account{1234, 5678, 1}, Account{1234, 1, 0}}) {
        DevInfoAccountRecord account{};
        account.account = c.account;
        account.password = c.password;
        EXPECT_EQ(DevInfoClient_GetHandler(client_, &link, &account, kDevOpAccountCheck), 0);
        EXPECT_EQ(account.accepted, c.accepted);
        EXPECT_EQ(account.status, 0);
    }

    uint8_t boxes[4][kNamedEntrySize] = {};
    DevInfoListRequest mail{};
    mail.size = 256;
    mail.kind = kListMailBoxes;
    mail.count = 4;
    mail.entries = &boxes[0][0];
    EXPECT_EQ(DevInfoClient_GetHandler(client_, &link, &mail, kDevOpListEntries), 0);
    EXPECT_EQ(mail.deviceStatus, 0);
    EXPECT_EQ(boxes[1][4], 3);
    EXPECT_STREQ(reinterpret_cast<char*>(&boxes[1][8]), "Box C");

    uint8_t fonts[1][kFontEntrySize] = {};  // room for one: the second font is not written
    DevInfoFontRequest font{};
    std::strcpy(font.printerName, printer_->Name().c_str());
    font.count = 1;
    font.entries = &fonts[0][0];
    EXPECT_EQ(DevInfoClient_GetHandler(client_, &link, &font, kDevOpDeviceFonts), 0);
    EXPECT_STREQ(reinterpret_cast<char*>(fonts[0]), "Kaisho-Medium");
    EXPECT_EQ(sim_->First("request 35"), "request 35 list 8 parameter 1 name " + printer_->Name());

    const uint32_t ids[] = {0x4000112, 0x3000001};
    DevInfoAttributeRecord attributes{};
    attributes.idCount = 2;
    attributes.ids = ids;
    EXPECT_EQ(DevInfoClient_GetHandler(client_, &link, &attributes, kDevOpAttributeList), 0);
    ASSERT_EQ(attributes.answerCount, 2u);
    DevInfoFlatAttribute first, second;
    DevInfoFlatValue value, text;
    std::memcpy(&first, attributes.answer, sizeof first);
    std::memcpy(&second, attributes.answer + 20, sizeof second);
    std::memcpy(&value, attributes.answer + first.valuesOffset, sizeof value);
    std::memcpy(&text, attributes.answer + second.valuesOffset + 12, sizeof text);
    EXPECT_EQ(first.id, 0x4000112u);
    EXPECT_EQ(value.value, 0x0305u);
    EXPECT_EQ(second.count, 2u);
    EXPECT_STREQ(reinterpret_cast<char*>(attributes.answer + text.value), "DIMM1");
    EXPECT_EQ(attributes.answerSize, 2 * 20 + 3 * 12 + 6 + 6u);
    PrivateFree(attributes.answer);
    Close();
    ExpectPairsClosed();
}

TEST_F(DeviceInfoTest, OverlayEntriesComeInBatchesOfAHundred) {
    ASSERT_TRUE(Open(kZdsvVersionDirect));
    DevInfoDeviceLink link{info_, iface_};
    std::vector<uint32_t> ids(150);
    for (uint32_t i = 0; i < ids.size(); ++i) ids[i] = 1000 + i;
    for (uint32_t kind : {kListOverlays, kListOverlayForms}) {
        const uint32_t size = kind == kListOverlays ? kNamedEntrySize : kFormEntrySize;
        std::vector<uint8_t> entries(149 * size);  // room for all but the last
        DevInfoListRequest request{};
        request.kind = kind;
        request.count = static_cast<uint32_t>(ids.size());
        request.ids = ids.data();
        request.entries = entries.data();
        request.entryBytes = static_cast<uint32_t>(entries.size());
        sim_->ClearLog();
        EXPECT_EQ(DevInfoClient_GetHandler(client_, &link, &request, kDevOpListEntries), 0);
        EXPECT_EQ(request.deviceStatus, 0);
        uint32_t id;
        std::memcpy(&id, entries.data() + 120 * size, 4);
        EXPECT_EQ(id, 1120u) << kind;  // the second batch's entries at their ids' places
        EXPECT_STREQ(reinterpret_cast<char*>(entries.data() + 120 * size + (kind == kListOverlays ? 8 : 4)), "Entry 1120");
        EXPECT_EQ(sim_->Count(kind == kListOverlays ? "request 36 list 1002 attribute 4033 count 100 first 1000"
                                                    : "request 36 list 1015 attribute 4037 count 100 first 1000"), 1);
        EXPECT_EQ(sim_->Count("request 36"), 2);
    }
    DevInfoListRequest other{};
    other.kind = 9;
    EXPECT_EQ(DevInfoClient_GetHandler(client_, &link, &other, kDevOpListEntries), 0);
    EXPECT_EQ(sim_->Count("connect"), 1);  // since the log was cleared: a kind not listed does not connect
}
