// Form overlays on the bundled printer: the header check of a chosen file (a file shorter than
// its header is not an overlay), the recent lists' front insertion and their stored bytes, and the
// overlay dialog driven by the scripted user, choosing, checking and storing a file.
#include "watermark_fixture.h"

#include "data/resources/drvopui_ids.h"
#include "drvtest/scripted_file_dialog.h"
#include "drvtest/scripted_user.h"
#include "features/overlay.h"
#include "features/overlay_page.h"
#include "ui/dialog_registry.h"

#include <fstream>

namespace watermarktest {
namespace {

using namespace overlay;

std::vector<uint8_t> Header(const HeaderFacts& facts) {
    std::vector<uint8_t> header(kHeaderSize, 0);
    std::memcpy(header.data() + 8, "Vomel", 5);
    header[61] = facts.deviceClass == 0x110 ? '2' : facts.deviceClass == 0x200 ? '<' : '(';
    header[62] = facts.colourJob ? 1 : 0;
    header[71] = static_cast<uint8_t>(facts.jobDpi);
    header[72] = static_cast<uint8_t>(facts.jobDpi >> 8);
    return header;
}

TEST(OverlayHeader, ReportsWhatDiffersAndRefusesWhatIsNoOverlay) {
    const HeaderFacts facts{0x100, 1000, 600, false};
    struct Case { const char* fault; std::function<void(std::vector<uint8_t>&)> forge; int result; };
    const std::vector<Case> cases = {
        {"none", [](std::vector<uint8_t>&) {}, kHeaderGood},
        {"one byte short", [](std::vector<uint8_t>& h) { h.pop_back(); }, kHeaderNotOverlay},
        {"empty", [](std::vector<uint8_t>& h) { h.clear(); }, kHeaderNotOverlay},
        {"another maker", [](std::vector<uint8_t>& h) { h[10] = 'x'; }, kHeaderNotOverlay},
        {"another class and resolution", [](std::vector<uint8_t>& h) { h[61] = '<', h[71] = 44; }, kHeaderOtherClass},
        {"another resolution", [](std::vector<uint8_t>& h) { h[71] = 44, h[72] = 1; }, kHeaderOtherDpi},
        {"colour", [](std::vector<uint8_t>& h) { h[62] = 1; }, kHeaderOtherColour},
        {"longer than its header", [](std::vector<uint8_t>& h) { h.resize(4000, 0xEE); }, kHeaderGood},
    };
    for (const Case& c : cases) {
        std::vector<uint8_t> header = Header(facts);
        c.forge(header);
        EXPECT_EQ(CheckHeaderBytes(header.data(), header.size(), facts), c.result) << c.fault;
    }
    // Made at 600 dpi, printed at 2400 on the first models of the high class.
    const HeaderFacts high{0x200, 2002, 2400, false};
    std::vector<uint8_t> header = Header({0x200, 2002, 600, false});
    EXPECT_EQ(CheckHeaderBytes(header.data(), header.size(), high), kHeaderGood);
    EXPECT_EQ(CheckHeaderBytes(header.data(), header.size(), HeaderFacts{0x200, 2005, 2400, false}), kHeaderOtherDpi);
}

TEST(OverlayLists, FrontInsertionKeepsFiveAndTheRecentListKeepsStoredEntries) {
    OverlayList list;
    for (const char* name : {"a", "b", "c", "d", "e"}) list.push_back(MakeEntry(name, (std::string("C:\\") + name).c_str()));
    const auto paths = [](const OverlayList& l) {
        std::vector<std::string> out;
        for (const auto& e : l) out.push_back(std::string(e.title) + " " + e.path);
        return out;
    };
    using Paths = std::vector<std::string>;
    EXPECT_EQ(paths(AddedInFront(list, MakeEntry("c", "C:\\new\\c"))),
              (Paths{"c C:\\new\\c", "a C:\\a", "b C:\\b", "d C:\\d", "e C:\\e"}));
    // The stored entry moves, as it was stored.
    EXPECT_EQ(paths(AddedRecent(list, MakeEntry("c", "C:\\elsewhere"))),
              (Paths{"c C:\\c", "a C:\\a", "b C:\\b", "d C:\\d", "e C:\\e"}));
    EXPECT_EQ(paths(AddedRecent(list, MakeEntry("z", "C:\\z"))),
              (Paths{"z C:\\z", "a C:\\a", "b C:\\b", "c C:\\c", "d C:\\d"}));

    // Unterminated stored texts are read as 127 characters.
    std::vector<uint8_t> bytes(kEntrySize * 2, 'A');
    const OverlayList read = ReadList(ByteView(bytes.data(), bytes.size()), 0);
    ASSERT_EQ(read.size(), 2u);
    EXPECT_EQ(std::strlen(read[0].title), 127u);
    EXPECT_EQ(ReadList(ByteView(bytes.data(), kEntrySize - 1), 0).size(), 0u);
}

// A request of the kind that has an overlay object.
class OverlayTest : public WaterMarkTest {
protected:
    OverlayTest() : WaterMarkTest(kKindUserInterface) {}
    Overlay& Object() { return dynamic_cast<Overlay&>(*Ctx()->svc->GetUserData(Ctx())->GetOverlay()); }
    void WriteFile(const std::string& name, const std::vector<uint8_t>& bytes) {
        std::ofstream(fixture.Root() + "/" + name, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }
    std::vector<uint8_t> SheetData() {
        const std::string base = Base();
        std::vector<uint8_t> bytes(kSheetDataSize + 1);
        DWORD size = static_cast<DWORD>(bytes.size());
        if (!RegQueryValueRead(HKEY_LOCAL_MACHINE, base.c_str(), fixture.Printer().Name().c_str(), nullptr,
                               "OverlaySheetdata", bytes.data(), &size))
            return {};
        bytes.resize(size);
        return bytes;
    }
    std::string Path() {
        char path[129] = {};
        Ctx()->svc->GetOption(Ctx(), Settings(), 176, path, 128);
        return path;
    }
    uint16_t Mode() {
        uint16_t mode = 0;
        Ctx()->svc->GetOption(Ctx(), Settings(), 171, &mode, sizeof mode);
        return mode;
    }
    drvtest::ScriptedUser person;
};

TEST_F(OverlayTest, TheListsAreStoredByteExactlyAndAValueOfAnotherSizeIsNotBelieved) {
    Overlay& overlay = Object();
    overlay.AddUsed(MakeEntry("form.p5e", "C:\\form.p5e"));
    overlay.AddCreated(MakeEntry("new.p5e", "C:\\new.p5e", 3));
    ASSERT_TRUE(overlay.SaveLists());
    const std::vector<uint8_t> bytes = SheetData();
    ASSERT_EQ(bytes.size(), kSheetDataSize);
    EXPECT_STREQ(reinterpret_cast<const char*>(bytes.data() + kUsedAt), "form.p5e");
    EXPECT_STREQ(reinterpret_cast<const char*>(bytes.data() + kUsedAt + 128), "C:\\form.p5e");
    EXPECT_STREQ(reinterpret_cast<const char*>(bytes.data() + kCreatedAt), "new.p5e");
    EXPECT_EQ(bytes[kCreatedAt + 256], 3);
    EXPECT_EQ(std::count(bytes.begin(), bytes.begin() + kCreatedAt, 0), static_cast<long>(kCreatedAt));

    Overlay again(Ctx(), 0);
    ASSERT_TRUE(again.LoadLists());
    ASSERT_EQ(again.Used().size(), 1u);
    EXPECT_STREQ(again.Used()[0].path, "C:\\form.p5e");
    EXPECT_EQ(again.Created()[0].source, 3);

    const std::string base = Base();
    ASSERT_TRUE(RegSetValueAll(HKEY_LOCAL_MACHINE, base.c_str(), fixture.Printer().Name().c_str(), nullptr,
                               "OverlaySheetdata", REG_BINARY, bytes.data(), kSheetDataSize - 1));
    EXPECT_FALSE(again.LoadLists());
    EXPECT_TRUE(again.Used().empty());
}

TEST_F(OverlayTest, AFileToUseMustBeAnOverlayOfThisPrinter) {
    Overlay& overlay = Object();
    const HeaderFacts facts = overlay.Facts();
    std::vector<uint8_t> shortFile = Header(facts);
    shortFile.resize(kHeaderSize - 1);
    WriteFile("good.p5e", Header(facts));
    WriteFile("short.p5e", shortFile);
    WriteFile("text.p5e", std::vector<uint8_t>(500, 'x'));
    struct Case { const char* path; bool usable; const char* message; };
    for (const Case& c : {Case{"C:\\good.p5e", true, nullptr}, Case{"C:\\short.p5e", false, "The file is not an overlay."},
                          Case{"C:\\text.p5e", false, "The file is not an overlay."},
                          Case{"C:\\missing.p5e", false, "The overlay file cannot be opened."}}) {
        const size_t before = person.messageBoxes().size();
        EXPECT_EQ(overlay.CheckPath(nullptr, c.path, 2), c.usable) << c.path;
        if (c.message) {
            ASSERT_EQ(person.messageBoxes().size(), before + 1) << c.path;
            EXPECT_EQ(person.messageBoxes().back().text, c.message);
        } else {
            EXPECT_EQ(person.messageBoxes().size(), before) << c.path;
        }
    }
}

TEST_F(OverlayTest, TheDialogChoosesChecksAndStoresAnOverlayFile) {
    WriteFile("form.p5e", Header(Object().Facts()));
    std::vector<uint8_t> shortFile = Header(Object().Facts());
    shortFile.resize(100);
    WriteFile("broken.p5e", shortFile);
    std::vector<std::string> picks = {"C:\\broken.p5e", "C:\\form.p5e"};
    drvtest::ScriptedFileDialog files([&](const drvtest::FileDialogSeen& seen) {
        EXPECT_FALSE(seen.save);
        EXPECT_EQ(seen.defaultExt, "p5e");
        const std::string pick = picks.front();
        picks.erase(picks.begin());
        return drvtest::FilePick::Name(pick);
    });
    person.OnDialog([&](HWND d) {
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(d, IDC_OV_BROWSE))) << "no overlay: nothing to browse for";
        EXPECT_TRUE(drvtest::Click(d, IDC_OV_USE));
        EXPECT_TRUE(drvtest::Click(d, IDC_OV_BROWSE));  // a broken file: refused
        EXPECT_TRUE(drvtest::Click(d, IDC_OV_BROWSE));
        EXPECT_EQ(drvtest::ReadEntries(d, IDC_OV_FILES), std::vector<std::string>{"C:\\form.p5e"});
        EXPECT_TRUE(drvtest::PressOk(d));
    });
    ASSERT_EQ(OpenDialogByKind(Ctx(), nullptr, kOverlayDialogKind, 0), IDOK);
    EXPECT_EQ(person.dialogsSeen(), 1);
    EXPECT_EQ(person.messageTexts(), std::vector<std::string>{"The file is not an overlay."});
    EXPECT_EQ(Mode(), 2);
    EXPECT_EQ(Path(), "C:\\form.p5e");
    const std::vector<uint8_t> bytes = SheetData();
    ASSERT_EQ(bytes.size(), kSheetDataSize);
    EXPECT_STREQ(reinterpret_cast<const char*>(bytes.data() + kUsedAt), "form.p5e");
}

}  // namespace
}  // namespace watermarktest
