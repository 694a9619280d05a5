// Reading the device through VomelDeviceMode (0x1000E kind 8) with the configuration registered
// as the library registers it and the simulated device-information library in the driver's
// folder: the device's sources, memory, finisher, mail boxes and media land in the device-option
// block, byte for byte, the media lists answer from what the device reported, and the device
// page's picture draws the units the device reported.
#include "driver_option_fixture.h"
#include "page_picture_helpers.h"

#include "core/devmode/device_option_block.h"
#include "device/config/configuration.h"
#include "core/system/registry_path.h"
#include "drvtest/registry.h"
#include "drvtest/scripted_user.h"
#include "drvtest/simulated_device.h"
#include "drvtest/window_picture.h"
#include "tools/datafile/description.h"
#include "model/capability_bits.h"
#include "platform/spooler/pseudo_printer.h"
#include "preview/page_previews.h"
#include "core/system/registry_helpers.h"
#include "settings/sdk/nonsv_device_services.h"
#include "ui/dialog_framework.h"

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>

#ifdef SIM_ZDSVC2

namespace {

void RegisterWithConfiguration() {
    RegisterDialogFramework();
    RegisterApplicationOptions();
    RegisterDeviceConfiguration();
}

// A structured value of `size` bytes in the description's hex form, with 16-bit or 32-bit words
// placed at their offsets and a text at `textAt`.
std::string Entry(size_t size, std::initializer_list<std::pair<size_t, uint32_t>> words, size_t textAt = 0,
                  const char* text = nullptr) {
    std::vector<uint8_t> b(size, 0);
    for (auto [at, v] : words) std::memcpy(&b[at], &v, 4);
    if (text) std::memcpy(&b[textAt], text, std::strlen(text));
    static const char* hex = "0123456789abcdef";
    std::string out;
    for (uint8_t c : b) out += {hex[c >> 4], hex[c & 15]};
    return out;
}

// The device-option block past its values, where the query writes what the device reported.
MutableByteView Written(std::vector<uint8_t>& block) {
    return MutableByteView(block.data() + devopt::kValueAreaEnd, block.size() - devopt::kValueAreaEnd);
}

size_t Slot(size_t k, size_t at) { return devopt::kSourceSlots + k * devopt::kSourceSlotSize + at; }

// Every slot as the query leaves it when the device names no paper source there.
void ResetSlots(MutableByteView e) {
    for (size_t k = 0; k < devopt::kSourceSlotCount; ++k) {
        e.put_u16(Slot(k, devopt::kSlotPaperSize), 0);
        e.put_u16(Slot(k, devopt::kSlotSourceKind), 2);
        e.put_s16(Slot(k, devopt::kSlotLevel), -2);
        e.fill(Slot(k, devopt::kSlotName), 0, 18);
    }
}

// A paper source as the query writes it into its slot, from the first slot on; a source code or
// custom medium of 0 leaves the slot's own.
struct Source {
    const char* name;
    uint16_t code, paper, kind, media;
    int16_t level;
    uint16_t custom;
};

void PutSources(MutableByteView e, std::initializer_list<Source> sources) {
    size_t k = 0;
    for (const Source& s : sources) {
        e.fill(Slot(k, devopt::kSlotName), 0, 18);
        e.put_bytes(Slot(k, devopt::kSlotName), s.name, std::strlen(s.name));
        if (s.code) e.put_u16(Slot(k, devopt::kSlotSourceCode), s.code);
        e.put_u16(Slot(k, devopt::kSlotPaperSize), s.paper);
        e.put_u16(Slot(k, devopt::kSlotSourceKind), s.kind);
        e.put_u16(Slot(k, devopt::kSlotMediaId), s.media);
        e.put_s16(Slot(k, devopt::kSlotLevel), s.level);
        if (s.custom) e.put_u16(Slot(k, devopt::kSlotCustomMedia), s.custom);
        ++k;
    }
}

// Byte by byte, so that a failure names the bytes that differ.
void ExpectSameBytes(const std::vector<uint8_t>& after, const std::vector<uint8_t>& expected) {
    ASSERT_EQ(after.size(), expected.size());
    for (size_t i = 0; i < after.size(); ++i) EXPECT_EQ(after[i], expected[i]) << "block byte " << i;
}

std::string Kelvaro5e() {
    return "attr 0 1056 text \"Vomel Kelvaro 2059\"\n"
           "list 1002 4033 301 302 303 304\n"
           "attr 301 10601 text \"TRAY\"\nattr 301 10617 number 0\nattr 301 10911 number 2 80 0 3\n"
           "attr 302 10601 text \"CASSETTE1\"\nattr 302 10617 number 0\nattr 302 10911 number 1 254 1 11\n"
           "attr 303 10601 text \"CASSETTE2\"\nattr 303 10617 number 0\nattr 303 10911 number 13 150 2 7\n"
           "attr 304 10601 text \"CASSETTE3\"\nattr 304 10617 number 0\nattr 304 10911 number 2 40 0 3\n"
           "list 1015 4037 501\n"
           "attr 501 11804 text \"Finisher FS-1\"\nattr 501 11806 number 13 4\n"
           "list 1019 0 401\n"
           "attr 401 12502 text \"RAM\"\nattr 401 12507 number 2\nattr 401 178 number 262144\n"
           "attr 401 12506 number 4 4\n"
           "list 603 0 601\n"
           "attr 601 4036 number 1\n"
           "attr 0 1664 number 1 3\n"
           "attr 601 322 bytes " + Entry(292, {{0, 7}, {4, 41}, {140, 7}, {144, 1}}, 8, "Glossy 200") + " " +
           Entry(292, {{0, 7}, {4, 42}, {140, 6}, {144, 1}}, 8, "Matte 120") + "\n"
           "attr 601 2356 bytes " + Entry(296, {{0, 1}, {8, 11}}) + " " + Entry(296, {{0, 2}, {4, 9}, {8, 42}}) + "\n";
}

class DeviceQuery : public ::testing::Test {
public:
    void SetUp() override {
        ASSERT_NE(open_.handle, nullptr);
        sim = std::make_unique<drvtest::SimulatedDevice>(open_.fixture.Root() + "/WINDOWS/SYSTEM");
        sim->Install(SIM_ZDSVC2, "Zdsvc2.dll");
    }
    void TearDown() override {
        sim->Remove("Zdsvc2.dll");
        RegisterNonSvDeviceServices(nullptr);
        RegisterModuleFactory(kModuleConfiguration, nullptr);
    }
    UIDEVDATA* Ctx() { return static_cast<UIDEVDATA*>(open_.handle); }
    LONG Ask(DWORD kind, DWORD code, void* data) { return open_.Ask(kind, code, data); }
    std::vector<uint8_t> Dop() {
        uint8_t* block = Ctx()->svc->GetDeviceOption(Ctx());
        return std::vector<uint8_t>(block, block + devopt::blockSize(block));
    }

    drvtest::ExportSession open_{RegisterWithConfiguration};
    std::unique_ptr<drvtest::SimulatedDevice> sim;
};

TEST_F(DeviceQuery, TheDevicesAnswersFillTheDeviceOptionBlockByteForByte) {
    sim->Describe(Kelvaro5e());
    std::vector<uint8_t> expected = Dop();
    MutableByteView e = Written(expected);
    uint32_t flags = 0;
    devopt::GetValue(expected.data(), devopt::kValueFlags, &flags, 4);
    flags |= devopt::kFlagQueried;
    devopt::SetValue(expected.data(), devopt::kValueFlags, &flags, 4);
    e.put_u8(devopt::kFinisherCode, 0x21);                 // "Finisher FS-1"
    e.put_u32(devopt::kOptionWord, 0x40000);               // a third cassette
    e.put_u32(devopt::kMemorySize, 262144000 - 131072000); // the memory less the system's share
    ResetSlots(e);
    PutSources(e, {
        Source{"TRAY", 0, 9, 2, 2, 80, 0},  // A4, 80 %, plain paper
        // Letter, level unknown, a large-capacity kind, media code 11 (source code 1 from the
        // brand-media step).
        Source{"CASSETTE1", 1, 8, 3, 9, -3, 0},
        // A3, a level past 100 left as it was, an envelope kind, the device's own medium 42.
        Source{"CASSETTE2", 3, 1, 4, 42, -2, 9},
        Source{"CASSETTE3", 0, 9, 2, 2, 40, 0},
    });
    // The model keeps its sources' media as capability bits; the brand-media step then sets the
    // media bit set of the media its sources report.
    e.put_u32(devopt::kMediaCapabilities,
              PaperSourceToCapabilityBit(2) | PaperSourceToCapabilityBit(9) | PaperSourceToCapabilityBit(12));
    e.fill(devopt::kMediaBitSet, 0, 16);
    e.put_u8(devopt::kMediaBitSet, 0x8);                    // media id 9 of the model's table
    e.put_u8(37, 1);                                        // a source holds a custom medium
    e.put_s16(devopt::kDeckCount, 1);
    e.put_u32(devopt::kOptionMaskA, 0x1C00080);

    DWORD word = 0;
    ASSERT_EQ(Ask(8, 0x1000E, &word), 0);
    ExpectSameBytes(Dop(), expected);
    EXPECT_EQ(sim->Count("start"), sim->Count("stop"));
    EXPECT_EQ(sim->Count("connect"), sim->Count("disconnect"));
}

TEST_F(DeviceQuery, TheDevicesBrandMediaAreStoredAndListed) {
    sim->Describe(Kelvaro5e());
    DWORD word = 0;
    ASSERT_EQ(Ask(8, 0x1000E, &word), 0);
    std::string key = std::string("Software\\Vomel\\PCL5e\\") + drvtest::kBundledPcl5ePrinter + "\\PDLBrandMedia";
    EXPECT_EQ(RegQueryDword(HKEY_CURRENT_USER, key.c_str(), "MediaCount", 0), 2u);
    const NonSvDeviceServices* s = NonSvDeviceServicesOf();
    ASSERT_NE(s, nullptr);
    size_t count = 0;
    auto* second = reinterpret_cast<const MediaRecord*>(s->secondMediaList(Ctx(), &count));
    ASSERT_EQ(count, 2u);
    EXPECT_STREQ(second[1].name, "Matte 120");
    EXPECT_EQ(second[1].mediaId, 42);

    // A device without brand media empties the store.
    std::string none = Kelvaro5e();
    none.erase(none.find("attr 601 322"), none.find("attr 601 2356") - none.find("attr 601 322"));
    sim->Describe(none);
    ASSERT_EQ(Ask(8, 0x1000E, &word), 0);
    EXPECT_EQ(RegQueryDword(HKEY_CURRENT_USER, key.c_str(), "MediaCount", 0xFFFFFFFF), 0xFFFFFFFFu);
    EXPECT_EQ(s->secondMediaList(Ctx(), &count), nullptr);
}

TEST_F(DeviceQuery, TheBinNamesTheDeviceReportsAreStoredForThePrinter) {
    sim->Describe(Kelvaro5e() + "attr 601 4121 bytes " + Entry(76, {{64, 2}}, 0, "Sales") + "\n");
    DWORD word = 0;
    ASSERT_EQ(Ask(8, 0x1000E, &word), 0);
    std::string key = std::string("System\\CurrentControlSet\\control\\Print\\Printers\\") +
                      drvtest::kBundledPcl5ePrinter + "\\PrinterDriverData\\DeviceOption";
    std::vector<uint8_t> value(7100, 0);
    ASSERT_TRUE(RegQueryValueSimple(HKEY_LOCAL_MACHINE, key.c_str(), "BoxName", value.data(), 7100));
    EXPECT_STREQ(reinterpret_cast<const char*>(value.data() + 2 * 71), "Sales");
}

TEST_F(DeviceQuery, APseudoPrinterWithoutDataAsksNothing) {
    sim->Describe(Kelvaro5e());
    HANDLE pseudo = PseudoPrinterCreate(4);
    UiDevDataRequest request;
    request.printerHandle = pseudo;
    UIDEVDATA* ctx = CreateUiDevData(request);
    ASSERT_NE(ctx, nullptr);
    EXPECT_FALSE(NonSvDeviceServicesOf()->queryDevice(ctx, 0)) << "no model and no data to write into";
    EXPECT_EQ(sim->Count("attach"), 0);
    DestroyUiDevData(ctx);
    PseudoPrinterDestroy(pseudo);
}

TEST_F(DeviceQuery, AFailedQueryWritesNothing) {
    struct Case { const char* what; std::string description; };
    for (const Case& c : {Case{"another model", "attr 0 1056 text \"Kelvaro 9000\"\n"},
                          Case{"the connection refused", Kelvaro5e() + "fault connect 0x77\n"},
                          Case{"the sources refused", Kelvaro5e() + "fault status 24 -6\n"}}) {
        sim->Describe(c.description);
        std::vector<uint8_t> before = Dop();
        DWORD word = 0;
        EXPECT_EQ(Ask(8, 0x1000E, &word), 1) << c.what;
        EXPECT_EQ(Dop(), before) << c.what;
    }
    sim->Remove("Zdsvc2.dll");
    std::vector<uint8_t> before = Dop();
    DWORD word = 0;
    EXPECT_EQ(Ask(8, 0x1000E, &word), 1) << "no library";
    EXPECT_EQ(Dop(), before);
}

// A finisher and a third cassette read from the device are drawn on the device page's picture;
// read again without them, they go.
TEST_F(DeviceQuery, TheDevicePictureFollowsTheOptionsTheDeviceReports) {
    RegisterPagePreviews();
    sheettest::PictureHost host;
    std::unique_ptr<CmBasicPreview> preview(
        static_cast<CmBasicPreview*>(CreatePreview(host.control, Ctx(), open_.devmode.data(), kDevicePicture)));
    ASSERT_NE(preview, nullptr);
    std::string bare = Kelvaro5e();
    bare.erase(bare.find(" 304\n"), 4);
    bare.erase(bare.find("attr 304"), bare.find("list 1019") - bare.find("attr 304"));
    constexpr uint16_t kFinisher = 28401, kDeck = 28270;  // the model's deck: 28200 + its body width
    // The finisher stands left of the body, the deck under it: two points that change.
    const POINT finisherAt{40, 95}, deckAt{130, 98};
    struct Step { bool full; const char* name; };
    COLORREF bareAt[2] = {};
    for (auto s : {Step{false, "bare"}, Step{true, "finisher-and-cassette"}, Step{false, "bare-again"}}) {
        sim->Describe(s.full ? Kelvaro5e() : bare);
        DWORD word = 0;
        ASSERT_EQ(Ask(8, 0x1000E, &word), 0);
        preview->Update();
        EXPECT_TRUE(drvtest::SaveWindowPng(host.control, std::string(DRVOPUI_TEST_OUTPUT_DIR "/device-query-") +
                                                             s.name + ".png"));
        EXPECT_EQ(sheettest::HasLayer(*preview, kFinisher), s.full) << s.name;
        EXPECT_EQ(sheettest::HasLayer(*preview, kDeck), s.full) << s.name;
        const COLORREF at[2] = {drvtest::WindowPixel(host.control, finisherAt.x, finisherAt.y),
                                drvtest::WindowPixel(host.control, deckAt.x, deckAt.y)};
        if (s.full) {
            EXPECT_NE(at[0], bareAt[0]) << "the finisher is drawn";
            EXPECT_NE(at[1], bareAt[1]) << "the third cassette is drawn";
        } else if (bareAt[0] || bareAt[1]) {
            EXPECT_EQ(at[0], bareAt[0]) << "the same device draws the same picture";
            EXPECT_EQ(at[1], bareAt[1]);
        }
        if (!s.full) std::copy(at, at + 2, bareAt);
    }
}


TEST_F(DeviceQuery, ThePersonIsAskedFirstAndToldTheOutcomeOnce) {
    sim->Describe(Kelvaro5e());
    Configuration* c = ConfigurationOf(Ctx());
    ASSERT_NE(c, nullptr);
    struct Case { const char* what; std::string description; int answer, result; std::vector<std::string> boxes; };
    const std::string question = "Do you want to read the installed options from the printer?";
    for (const Case& k : {Case{"declined", Kelvaro5e(), IDNO, 0, {question}},
                          Case{"read", Kelvaro5e(), IDYES, 1,
                               {question, "The installed options were read from the printer."}},
                          Case{"another model", "attr 0 1056 text \"Kelvaro 9000\"\n", IDYES, 0,
                               {question, "The printer is not the model this driver is for."}}}) {
        sim->Describe(k.description);
        sim->ClearLog();
        drvtest::ScriptedUser person;
        person.AnswerMessageBox(k.answer);
        EXPECT_EQ(c->QueryDevice(nullptr, true), k.result) << k.what;
        const std::vector<std::string> seen = person.messageTexts();
        EXPECT_EQ(seen, k.boxes) << k.what;
        if (k.answer == IDNO) {
            EXPECT_EQ(sim->Count("attach"), 0) << "nothing is asked of a declined query";
        }
    }
}

// The direct query, on the bundled printer given the data file of a production model (3001),
// which asks the device itself rather than through a configuration table.
class OtherModelQuery : public DeviceQuery {
public:
    explicit OtherModelQuery(uint16_t model) : model_(model) {}
    void SetUp() override {
        DeviceQuery::SetUp();
        std::string text = drvtest::ReadTextFile(drvtest::SourceRoot() + "/data/kelvar5e.datafile");
        text.replace(text.find("\nmodel 2059\n"), 12, "\nmodel " + std::to_string(model_) + "\n");
        datafile::FileSpec spec;
        std::string error;
        ASSERT_TRUE(datafile::ParseDescription(text, "kelvar3001", drvtest::SourceRoot() + "/data", spec, error)) << error;
        std::vector<uint8_t> bytes = datafile::WriteDataFile(spec);
        ASSERT_TRUE(drvtest::WriteTextFile(open_.fixture.Root() + "/WINDOWS/SYSTEM/KEL3001.DAT",
                                           std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size())));
        const char* driver = "System\\CurrentControlSet\\control\\Print\\Environments\\Windows 4.0\\Drivers\\Vomel "
                             "Kelvaro PCL5e";
        ASSERT_TRUE(RegSetValueAll(HKEY_LOCAL_MACHINE, driver, nullptr, nullptr, "Data File", REG_SZ, "KEL3001.DAT", 12));
        ctx = open_.fixture.Make(kKindDevmode);
        ASSERT_NE(ctx, nullptr);
        ASSERT_EQ(ctx->svc->GetDeviceDataValue2(ctx), model_);
    }
    std::vector<uint8_t> Block() {
        uint8_t* block = ctx->svc->GetDeviceOption(ctx);
        return std::vector<uint8_t>(block, block + devopt::blockSize(block));
    }
    // The block as the query's writers leave it when the device names no paper source.
    std::vector<uint8_t> ResetSources(std::vector<uint8_t> block) {
        MutableByteView e = Written(block);
        ResetSlots(e);
        e.put_u32(devopt::kMediaCapabilities, 0);
        e.fill(devopt::kMediaBitSet, 0, 16);
        e.put_u16(devopt::kSourceTableValid, 1);
        return block;
    }
    UIDEVDATA* ctx = nullptr;
    uint32_t model_;
};

class DirectDeviceQuery : public OtherModelQuery {
public:
    DirectDeviceQuery() : OtherModelQuery(3001) {}
};

TEST_F(DirectDeviceQuery, TheDeviceRecordFillsTheBlockByteForByte) {
    sim->Describe("attr 0 0x20006 number 262144\nattr 0 0x70000002 text \"SN 1\"\n"
                  "font \"BARcode39\" 1\nfont \"Kaisho-Medium\" 0\n");
    std::vector<uint8_t> expected = ResetSources(Block());
    MutableByteView e = Written(expected);
    e.put_u32(devopt::kMemorySize, 262144000);  // 262144 keeps the data file's reserve
    uint32_t flags = 0, mask = 0;
    e.u32(devopt::kFlagWord, flags);
    e.put_u32(devopt::kFlagWord, flags & ~8u);  // the device reports no mail-box unit
    e.u32(devopt::kOptionMaskA, mask);
    e.put_u32(devopt::kOptionMaskA, mask & ~1u);
    const uint16_t fonts[3] = {1, 1, 45};       // the bar-code font usable, the brush font, 45 fonts
    devopt::SetValue(expected.data(), devopt::kValueFontSet1, &fonts[0], 2);
    devopt::SetValue(expected.data(), devopt::kValueFontSet2, &fonts[1], 2);
    devopt::SetValue(expected.data(), devopt::kValueFontSet3, &fonts[2], 2);

    const NonSvDeviceServices* s = NonSvDeviceServicesOf();
    ASSERT_TRUE(s->queryDevice(ctx, 0));
    ExpectSameBytes(Block(), expected);
    EXPECT_EQ(sim->Count("request 35 list 8 parameter 45"), 1) << "the fonts are asked once";
    EXPECT_EQ(sim->Count("start"), sim->Count("stop"));
    EXPECT_EQ(sim->Count("attach"), sim->Count("detach"));
}

TEST_F(DirectDeviceQuery, AFailureAtAnyStepWritesNothing) {
    for (const char* fault : {"fault start 3\n", "fault status 27 -6\n", "address none\n", "fault refuse 35 -5\n",
                              "fault status 35 -7\n"}) {
        sim->Describe(std::string("attr 0 0x20006 number 262144\nfont \"BARcode39\" 1\n") + fault);
        std::vector<uint8_t> before = Block();
        EXPECT_FALSE(NonSvDeviceServicesOf()->queryDevice(ctx, 0)) << fault;
        EXPECT_EQ(Block(), before) << fault;
        EXPECT_EQ(sim->Count("start"), sim->Count("stop")) << fault;
    }
}

// The configuration query of a model whose answer is the configuration reply (2057).
class ReplyQuery : public OtherModelQuery {
public:
    ReplyQuery() : OtherModelQuery(2057) {}
};

TEST_F(ReplyQuery, TheConfigurationReplyFillsTheBlockByteForByte) {
    sim->Describe("attr 0 1056 text \"Vomel Kelvaro 2059\"\n"
                  "list 1002 4033 301 302\n"
                  "attr 301 10601 text \"Drawer1\"\nattr 301 10911 number 23 60 2 11\n"
                  "attr 302 10601 text \"Stack Bypass\"\nattr 302 10911 number 2 254 0 3\n"
                  "list 1015 4037 501\nattr 501 11804 text \"Finisher R2\"\nattr 501 11806 number 103 4\n"
                  "list 1019 0 401 402\n"
                  "attr 401 12502 text \"RAM\"\nattr 401 178 number 200000\n"
                  "attr 402 12502 text \"G-RAM\"\nattr 402 178 number 102400\n"
                  "list 603 0 601\nattr 601 4121 bytes " +
                  Entry(76, {{64, 2}}, 0, "Sales") + "\n");
    std::vector<uint8_t> expected = ResetSources(Block());
    MutableByteView e = Written(expected);
    e.put_u8(devopt::kFinisherCode, 21);           // "Finisher R2"
    uint32_t word = 0;
    e.u32(devopt::kAccessoryWord, word);
    e.put_u32(devopt::kAccessoryWord, (word & ~0x34u) | 0x10);  // its stapler unit; no puncher
    e.put_u16(devopt::kPuncherKind, 0);
    e.u32(devopt::kFlagWord, word);
    e.put_u32(devopt::kFlagWord, (word & ~1u) | 0x4);  // the first drawer holds envelopes
    e.u32(devopt::kSecondFlagWord, word);
    e.put_u32(devopt::kSecondFlagWord, word & ~0x10u);
    // The memory and the graphics memory, less the graphics memory in its own units.
    e.put_u32(devopt::kMemorySize, (200000 + 102400 - 100) * 1000);
    PutSources(e, {Source{"Stack Bypass", 0, 9, 2, 2, -3, 0}, Source{"Drawer1", 0, 37, 4, 9, 60, 0}});
    e.put_u32(devopt::kMediaCapabilities, PaperSourceToCapabilityBit(2) | PaperSourceToCapabilityBit(9));
    e.put_s16(devopt::kDeckCount, 1);
    e.u32(devopt::kOptionMaskA, word);
    e.put_u32(devopt::kOptionMaskA, (word & 3) | 0x8C662C);
    e.put_u32(devopt::kOptionMaskB, 0);
    ASSERT_TRUE(NonSvDeviceServicesOf()->queryDevice(ctx, 0));
    ExpectSameBytes(Block(), expected);
    Configuration* c = ConfigurationOf(ctx);
    ASSERT_NE(c, nullptr);
    ASSERT_GT(c->MailBoxes().size(), 2u);
    EXPECT_STREQ(c->MailBoxes()[2].name, "Sales") << "the bin the device names";
    EXPECT_EQ(sim->Count("start"), sim->Count("stop"));
}

// The network query, on a data file of the desktop model (7), through the stand-in port module
// installed in the driver's folder.
class NetworkQuery : public OtherModelQuery {
public:
    NetworkQuery() : OtherModelQuery(7) {}
    void SetUp() override {
        OtherModelQuery::SetUp();
        sim->Install(STANDIN_PORT_MODULE, "NBPORT.DLL");
    }
    void Describe(const std::string& text) {
        drvtest::WriteTextFile(open_.fixture.Root() + "/WINDOWS/SYSTEM/NBSIM.TXT", text);
        std::filesystem::remove(open_.fixture.Root() + "/WINDOWS/SYSTEM/NBSIM.LOG");
    }
    std::string Log() { return drvtest::ReadTextFile(open_.fixture.Root() + "/WINDOWS/SYSTEM/NBSIM.LOG"); }
};

TEST_F(NetworkQuery, OneCallPerCapabilityByteFillsTheBlock) {
    Describe("address 10.0.0.7,public\nthread\nattr 0x20006 number 262144\nattr 0x70000001 number 1\n"
             "attr 0x21003 text \"5\"\n");
    std::vector<uint8_t> expected = ResetSources(Block());
    MutableByteView e = Written(expected);
    e.put_u32(devopt::kMemorySize, 262144000);
    uint32_t word = 0;
    e.u32(devopt::kFlagWord, word);
    e.put_u32(devopt::kFlagWord, word & ~8u);
    e.u32(devopt::kSecondFlagWord, word);
    e.put_u32(devopt::kSecondFlagWord, word | 8);  // the device reports its mail-box unit
    e.u32(devopt::kOptionMaskA, word);
    e.put_u32(devopt::kOptionMaskA, word & ~1u);
    ASSERT_TRUE(NonSvDeviceServicesOf()->queryDevice(ctx, 0));
    ExpectSameBytes(Block(), expected);
    EXPECT_EQ(Log(), "open Vomel Kelvaro PCL5e\ninfo\ndata 10.0.0.7 3 131078 135171 1879048193\nclose\n")
        << "three attributes of one capability byte in one call, the address cut at its comma";
}

TEST_F(NetworkQuery, AFailedRequestWritesNothing) {
    for (const char* fault : {"fault status -1062\n", "fault data -5\n", "fault open -1\n", "fault info -1\n"}) {
        Describe(std::string("attr 0x20006 number 262144\n") + fault);
        std::vector<uint8_t> before = Block();
        EXPECT_FALSE(NonSvDeviceServicesOf()->queryDevice(ctx, 0)) << fault;
        EXPECT_EQ(Block(), before) << fault;
    }
    sim->Remove("NBPORT.DLL");
    std::vector<uint8_t> before = Block();
    EXPECT_FALSE(NonSvDeviceServicesOf()->queryDevice(ctx, 0)) << "no port module";
    EXPECT_EQ(Block(), before);
}

}  // namespace

#endif
