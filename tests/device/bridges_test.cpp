// The bridges to the import and request libraries, against their stand-ins: what each bridge
// hands the library, what it gives its caller, the one message it shows, and that every failure
// path unloads what it loaded and closes the printer only when its open succeeded.
#include "bridges_fixture.h"

#include "core/devmode/devmode_layout.h"
#include "core/devmode/model_section.h"
#include "core/helpers/byte_view.h"
#include "device/bridges/library_bridges.h"
#include "device/pelom_operations.h"

#include <cstring>

namespace {

const char* const kImportDone = "The file was imported.";
const char* const kImportFailed = "The file could not be imported.";
const char* const kNoLibrary = "The printer's device-information library could not be used.";

TEST_F(BridgeTest, ImportingAFileShowsItsOneMessage) {
    struct Case {
        const char* fault;
        const char* library;  // null: none installed
        const char* description;
        std::string path;
        int result;
        const char* message;
        int imports;
    };
    const std::string longPath(300, 'p');
    for (const Case& c : {Case{"done", STANDIN_TARQEN, "answer 0", "C:\\forms\\a.rm", 1, kImportDone, 1},
                          Case{"refused", STANDIN_TARQEN, "answer -4", "C:\\forms\\a.rm", 0, kImportFailed, 1},
                          Case{"no library", nullptr, "", "C:\\forms\\a.rm", 0, kNoLibrary, 0},
                          Case{"no export", STANDIN_TARQEN_WITHOUT_ENTRY, "", "C:\\forms\\a.rm", 0, kNoLibrary, 0},
                          Case{"path too long", STANDIN_TARQEN, "answer 0", longPath, 0, kImportFailed, 0}}) {
        Remove("TARQEN.dll");
        if (c.library) Install(c.library, "TARQEN.dll");
        Describe("TARQENSIM.TXT", c.description);
        ClearLogs();
        const size_t shown = Messages().size();
        EXPECT_EQ(ImportRmFile(Ctx(), nullptr, c.path.c_str()), c.result) << c.fault;
        ASSERT_EQ(Messages().size(), shown + 1) << c.fault;
        EXPECT_EQ(Messages().back(), c.message) << c.fault;
        EXPECT_EQ(Count("TARQENSIM.LOG", "import " + Printer() + "|" + c.path), c.imports) << c.fault;
        EXPECT_EQ(Count("TARQENSIM.LOG", "attach"), Count("TARQENSIM.LOG", "detach")) << c.fault;
    }
}

// A device mode whose model section names a user.
std::vector<uint8_t> DevmodeNaming(const char* user) {
    std::vector<uint8_t> dm(devmode::kHeaderEnd + devmode::model::kUserName + 64, 0);
    MutableByteView v(dm.data(), dm.size());
    v.put_u16(devmode::kOffSize, static_cast<uint16_t>(devmode::kPublicSize));
    v.put_u16(devmode::kOffDriverExtra, static_cast<uint16_t>(dm.size() - devmode::kPublicSize));
    v.put_s16(devmode::kOffModelSection, static_cast<int16_t>(devmode::kHeaderEnd));
    v.put_bytes(devmode::kHeaderEnd + devmode::model::kUserName, user, std::strlen(user));
    return dm;
}

TEST_F(BridgeTest, ARequestHandsTheReplysDataToTheCallerAsTheNamedUser) {
    std::vector<uint8_t> dm = DevmodeNaming("devmode-user");
    auto* devmode = reinterpret_cast<const DEVMODEA*>(dm.data());
    Describe("PELOMSIM.TXT", "text Overlay 7\ndata OVERLAY-HEADER\nworda 513\nwordb 70000\n");
    struct Case {
        const char* caller;
        const char* sent;
    };
    for (auto c : {Case{"alice", "alice"}, Case{nullptr, "devmode-user"}}) {
        ClearLogs();
        uint8_t reply[387];
        std::memset(reply, 0xEE, sizeof reply);
        EXPECT_EQ(CallPelomRequest(Ctx(), devmode, c.caller, reply), 1) << c.sent;
        EXPECT_EQ(std::string(reinterpret_cast<char*>(reply)), "OVERLAY-HEADER");
        EXPECT_EQ(reply[386], 0) << "the rest of the data is the record's zeros";
        EXPECT_EQ(Count("PELOMSIM.LOG", std::string("request 10 ") + c.sent + " 3232"), 1) << c.sent;
        EXPECT_EQ(Count("PELOMSIM.LOG", "open " + Printer() + "|" + Printer()), 1);
        EXPECT_EQ(Count("PELOMSIM.LOG", "close " + Printer()), 1);
        EXPECT_EQ(Count("PELOMSIM.LOG", "attach"), Count("PELOMSIM.LOG", "detach"));
    }
    uint8_t reply[387] = {};
    uint16_t wordB = 0, wordA = 0;
    EXPECT_EQ(CallPelomRequestWithHeap(Ctx(), devmode, nullptr, reply, &wordB, &wordA), 1);
    EXPECT_EQ(wordA, 513);
    EXPECT_EQ(wordB, 70000 & 0xFFFF);
    EXPECT_TRUE(Messages().empty()) << "a request shows nothing";
}

TEST_F(BridgeTest, AFailedRequestLeavesTheReplyAndClosesOnlyWhatItOpened) {
    struct Case {
        const char* fault;
        const char* library;
        const char* description;
        int opens, closes;
    };
    for (const Case& c : {Case{"no library", nullptr, "", 0, 0},
                          Case{"no export", STANDIN_PELOM_WITHOUT_ENTRY, "", 0, 0},
                          Case{"no entry points", STANDIN_PELOM, "entries 0", 0, 0},
                          Case{"open refused", STANDIN_PELOM, "open 0", 1, 0},
                          Case{"request refused", STANDIN_PELOM, "request -5", 1, 1},
                          Case{"negative result", STANDIN_PELOM, "result -2\ndata X", 1, 1},
                          Case{"text without its end", STANDIN_PELOM, "longtext\ndata X", 1, 1},
                          Case{"length past the reply", STANDIN_PELOM, "length 3073\ndata X", 1, 1}}) {
        Remove("PELOM.dll");
        if (c.library) Install(c.library, "PELOM.dll");
        Describe("PELOMSIM.TXT", c.description);
        for (bool heap : {false, true}) {
            ClearLogs();
            uint8_t reply[387];
            std::memset(reply, 0xEE, sizeof reply);
            uint16_t word = 0xEEEE;
            int result = heap ? CallPelomRequestWithHeap(Ctx(), nullptr, "u", reply, &word, &word)
                              : CallPelomRequest(Ctx(), nullptr, "u", reply);
            EXPECT_EQ(result, 0) << c.fault;
            EXPECT_EQ(reply[0], 0xEE) << c.fault;
            EXPECT_EQ(word, 0xEEEE) << c.fault;
            EXPECT_EQ(Count("PELOMSIM.LOG", "open "), c.opens) << c.fault;
            EXPECT_EQ(Count("PELOMSIM.LOG", "close "), c.closes) << c.fault;
            EXPECT_EQ(Count("PELOMSIM.LOG", "attach"), Count("PELOMSIM.LOG", "detach")) << c.fault;
        }
    }
    EXPECT_TRUE(Messages().empty());
}

// A file-browse record as the dialog fills it.
std::unique_ptr<PelomBrowseRecord> BrowseRecord(const std::string& printer, uint32_t sizeWord, uint32_t kind,
                                                uint32_t flags) {
    auto record = std::make_unique<PelomBrowseRecord>();
    std::memset(record->bytes, 0, sizeof record->bytes);
    MutableByteView r(record->bytes, sizeof record->bytes);
    r.put_bytes(0, printer.data(), printer.size());
    r.put_u32(pelom_browse::kSizeWord, sizeWord);
    r.put_u32(pelom_browse::kKind, kind);
    r.put_u32(pelom_browse::kFlags, flags);
    return record;
}

TEST_F(BridgeTest, TheBrowseListFillsTheRecordByItsForm) {
    struct Case {
        const char* form;
        uint32_t sizeWord, kind, flags;
        const char* listCall;
        size_t secondWordAt;
    };
    for (auto c : {Case{"whole list", 512, 10, 4, "list 10 13200 4", pelom_browse::kData + 4},
                   Case{"spread words", 512, 10, 0, "list 10 400 0", pelom_browse::kData + 132},
                   Case{"short form", 100, 3, 0, "list 3 6400 0", pelom_browse::kData + 4}}) {
        ClearLogs();
        Describe("PELOMSIM.TXT", "words 3\nlist 9\n");
        auto record = BrowseRecord(Printer(), c.sizeWord, c.kind, c.flags);
        EXPECT_EQ(CallPelomRequest2(Ctx(), nullptr, record.get()), 1) << c.form;
        ByteView r(record->bytes, sizeof record->bytes);
        uint32_t second = 0, written = 0, answer = 0;
        int32_t result = -99;
        r.u32(c.secondWordAt, second);
        r.u32(pelom_browse::kWritten, written);
        r.u32(pelom_browse::kAnswer, answer);
        r.s32(pelom_browse::kResult, result);
        EXPECT_EQ(second, 1001u) << c.form;
        EXPECT_EQ(written, 12u) << c.form;
        EXPECT_EQ(answer, 9u) << c.form;
        EXPECT_EQ(result, 0) << c.form;
        EXPECT_EQ(Count("PELOMSIM.LOG", c.listCall), 1) << c.form;
        EXPECT_EQ(Count("PELOMSIM.LOG", "close "), 1) << c.form;
    }
    EXPECT_TRUE(Messages().empty());
}

TEST_F(BridgeTest, AFailedBrowseListSaysSoInItsRecordAndItsMessage) {
    struct Case {
        const char* fault;
        uint32_t sizeWord, kind, flags;
        const char* description;
        int32_t result;
        int closes;
    };
    for (auto c : {Case{"refused", 512, 10, 4, "list -3", -3, 1},
                   Case{"kind out of range", 100, 6, 0, "", -1, 1},
                   Case{"more written than the room", 512, 10, 4, "written 13201", -12, 1},
                   Case{"more words than the list", 512, 10, 0, "written 404", -12, 1},
                   Case{"open refused", 512, 10, 4, "open 2", -36, 0}}) {
        ClearLogs();
        Describe("PELOMSIM.TXT", c.description);
        auto record = BrowseRecord(Printer(), c.sizeWord, c.kind, c.flags);
        const size_t shown = Messages().size();
        EXPECT_EQ(CallPelomRequest2(Ctx(), nullptr, record.get()), 0) << c.fault;
        int32_t result = 0;
        ByteView(record->bytes, sizeof record->bytes).s32(pelom_browse::kResult, result);
        EXPECT_EQ(result, c.result) << c.fault;
        ASSERT_EQ(Messages().size(), shown + 1) << c.fault;
        EXPECT_EQ(Messages().back(), kImportFailed) << c.fault;
        EXPECT_EQ(Count("PELOMSIM.LOG", "close "), c.closes) << c.fault;
    }
}

TEST_F(BridgeTest, TheStatusOperationAsksTheWordThenTheRecord) {
    HMODULE library = LoadLibraryA("C:\\WINDOWS\\SYSTEM\\PELOM.dll");
    ASSERT_NE(library, nullptr);
    auto get = reinterpret_cast<PelomGetEntryPointsProc>(
        reinterpret_cast<void (*)()>(GetProcAddress(library, kPelomEntryPointsName)));
    PelomEntryTable table{};
    ASSERT_EQ(get(kPelomVersion, sizeof table.entries, table.entries), 1);
    DevInfoClient* client = nullptr;
    ASSERT_EQ(DevInfoClient_Create(&client), 1);
    for (auto [description, ten, result] : {std::tuple<const char*, uint32_t, int32_t>{"statusword 42", 42, 0},
                                            {"statusword -6", 0, -6}, {"status -8", 0, -8}}) {
        Describe("PELOMSIM.TXT", description);
        PelomRequestRecord record{};
        EXPECT_EQ(DevInfoClient_GetHandler(client, &table, &record, kDevOpPelomStatus), 0);
        ByteView r(record.bytes, sizeof record.bytes);
        uint32_t word = 0;
        int32_t code = 0;
        r.u32(pelom_request::kTen, word);
        r.s32(pelom_request::kResult, code);
        EXPECT_EQ(word, ten) << description;
        EXPECT_EQ(code, result) << description;
    }
    DevInfoClient_Destroy(client);
    FreeLibrary(library);
}

}  // namespace
