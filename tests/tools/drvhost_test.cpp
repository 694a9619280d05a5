// The host program as a person runs it: a fresh drive root, the library loaded from the driver
// folder, the settings listed and set by name, refusals with their reasons, the rules' changes
// by name, device mode files handed in, written, checked and converted. What --validate refuses,
// --convert refuses with the same words, and what --convert writes, --validate accepts.
#include "drvtest/addins.h"

#include <gtest/gtest.h>

#include <pwd.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

struct Outcome {
    int status = -1;
    std::string out;
};

class Drvhost : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::path(DRVOPUI_TEST_OUTPUT_DIR) / ::testing::UnitTest::GetInstance()->current_test_info()->name();
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }

    Outcome Drive(const std::string& arguments, const char* program = DRVHOST_PROGRAM) const {
        return Run("DRVOPUI_ROOT='" + (dir_ / "root").string() + "' DRVOPUI_HIVE= '" + program + "' " + arguments);
    }

    // A shell command with its output and errors gathered.
    Outcome Run(const std::string& command) const {
        Outcome run;
        run.status = std::system((command + " > '" + (dir_ / "out.txt").string() + "' 2>&1").c_str());
        std::ifstream in(dir_ / "out.txt");
        run.out.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        return run;
    }

    // Whether the output holds the text (from `from` on); a failure shows the output.
    static ::testing::AssertionResult Shows(const std::string& out, const std::string& text, size_t from = 0) {
        if (out.find(text, from) != std::string::npos) return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << "no \"" << text << "\" in\n" << out;
    }

    std::string Write(const std::string& name, const std::vector<uint8_t>& bytes) const {
        const fs::path path = dir_ / name;
        std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
        return path.string();
    }

    std::vector<uint8_t> Read(const std::string& path) const {
        std::error_code error;
        std::vector<uint8_t> bytes(fs::file_size(path, error));
        std::ifstream(path, std::ios::binary).read(reinterpret_cast<char*>(bytes.data()), std::streamsize(bytes.size()));
        return error ? std::vector<uint8_t>() : bytes;
    }

    // The line the program prints about the file: its verdict.
    static std::string Verdict(const std::string& out, const std::string& file) {
        const size_t at = out.find(file + ":");
        return at == std::string::npos ? "" : out.substr(at, out.find('\n', at) - at);
    }

    fs::path dir_;
};

TEST_F(Drvhost, ConvertAndValidateAgreeOnEveryFile) {
    const std::vector<uint8_t> good = Read(std::string(DRVOPUI_SOURCE_DIR) + "/fuzz/corpus/devmode_validate/default_devmode");
    ASSERT_GT(good.size(), 220u);
    auto with = [&](size_t at, std::vector<uint8_t> bytes) {
        std::vector<uint8_t> dm = good;
        std::copy(bytes.begin(), bytes.end(), dm.begin() + at);
        return dm;
    };
    struct Case { const char* name; std::vector<uint8_t> bytes; bool accepted; };
    const Case cases[] = {
        {"good.dm", good, true},
        {"cut500.dm", std::vector<uint8_t>(good.begin(), good.begin() + 500), false},
        {"cut10.dm", std::vector<uint8_t>(good.begin(), good.begin() + 10), false},
        {"extraffff.dm", with(38, {0xFF, 0xFF}), false},
        {"garbage.dm", with(0, std::vector<uint8_t>(32, 'X')), true},
        {"orientation77.dm", with(44, {77, 0}), true},
        {"foreign.dm", with(148, {'W'}), false},
        {"newer.dm", with(170, {0x03, 0x06}), false},
    };
    for (const Case& c : cases) {
        const std::string file = Write(c.name, c.bytes);
        const std::string out = (dir_ / (std::string(c.name) + ".out")).string();
        const Outcome validate = Drive("--validate '" + file + "'");
        const Outcome convert = Drive("--convert '" + file + "' '" + out + "'");
        EXPECT_EQ(validate.status == 0, c.accepted) << c.name << "\n" << validate.out;
        EXPECT_EQ(convert.status == 0, c.accepted) << c.name << "\n" << convert.out;
        if (!c.accepted) {
            EXPECT_NE(Verdict(validate.out, file).find("refused"), std::string::npos) << validate.out;
            EXPECT_EQ(Verdict(validate.out, file), Verdict(convert.out, file)) << c.name;
            EXPECT_FALSE(fs::exists(out)) << c.name << ": nothing written for a refused file";
            continue;
        }
        const Outcome again = Drive("--validate '" + out + "'");
        EXPECT_EQ(again.status, 0) << c.name << ": what conversion writes, validation accepts\n" << again.out;
        const std::vector<uint8_t> converted = Read(out);
        ASSERT_GT(converted.size(), 56u);
        EXPECT_EQ(converted[31], 0) << c.name << ": the device name ends inside its field";
        EXPECT_EQ(converted[44] | converted[45] << 8, 1) << c.name << ": orientation";
    }
}

TEST_F(Drvhost, LoadsTheLibraryAtRunTimeAndLinksOnlyThePlatform) {
    const Outcome run = Drive("");
    EXPECT_EQ(run.status, 0) << run.out;
    EXPECT_TRUE(Shows(run.out, "DRVOPUI.DLL loaded"));
    EXPECT_TRUE(fs::exists(dir_ / "root" / "WINDOWS" / "SYSTEM" / "DRVOPUI.DLL"));
    // The main job ends with the settings summary.
    EXPECT_TRUE(Shows(run.out, "drvhost: settings summary\nDriver\tVomel Kelvaro PCL5e\n"));
    // The program's own needs, as the dynamic loader reads them: the platform, never the library.
    std::FILE* pipe = popen("LD_TRACE_LOADED_OBJECTS=1 '" DRVHOST_PROGRAM "'", "r");
    ASSERT_NE(pipe, nullptr);
    std::string needed;
    char buffer[512];
    while (std::fgets(buffer, sizeof buffer, pipe)) needed += buffer;
    pclose(pipe);
    EXPECT_TRUE(Shows(needed, "libDrvopuiPlatform.so"));
    EXPECT_EQ(needed.find("libDrvopui.so"), std::string::npos) << needed;
}

// The settings summary as View settings and Copy give it: every section under its title, the
// installed files with the resource module's product version, and the pictures of the sheets.
TEST_F(Drvhost, SummaryPrintsWhatCopyPutsOnTheClipboard) {
    const fs::path pictures = dir_ / "pictures";
    const Outcome run = Drive("--printer 'Vomel Kelvaro PCL5c' --summary --pictures '" + pictures.string() + "'");
    EXPECT_EQ(run.status, 0) << run.out;
    const std::string separator = "\n" + std::string(72, '=') + "\n";
    for (const std::string& part : {"drvhost: settings summary\nDriver\tVomel Kelvaro PCL5c\nPrinter\tVomel Kelvaro PCL5c\n" +
                                        separator + "Page setup\nPage size\tA4\n",
                                    separator + "Paper source\n", separator + "Device settings\nInstalled options\t",
                                    std::string("\nDRVOPRES.DLL\t1.0.0\t\t\t\t"), std::string("Vomel Kelvaro :\t--\n")})
        EXPECT_TRUE(Shows(run.out, part));
    EXPECT_TRUE(fs::exists(pictures / "01-Page-setup.png"));
    EXPECT_TRUE(fs::exists(pictures / "02-Page-Setup.png"));
    // The listing is left out when the summary is asked for.
    EXPECT_EQ(run.out.find("driver default"), std::string::npos);
}

// Requests as an application sends them: the answer and the data word are printed, and a set
// prints what changed in the device mode, the rules' changes with it.
TEST_F(Drvhost, SendsOptionRequestsAndPrintsWhatASetChanged) {
    const Outcome run = Drive("--request 2 0x10000 --set 0x10040f=2 --request 2 0x10040f --request 3 0x10088 1 "
                              "--request 2 0x10000 null --set 0x10064=2");
    EXPECT_NE(run.status, 0) << run.out;  // two requests did not answer 0
    EXPECT_TRUE(Shows(run.out, "request kind 2, code 0x10000: answer 0 (done)\n    value       0x0002001E"));
    const size_t set = run.out.find("set Devmode$Orientation (0x10040F) = 2: done");
    ASSERT_NE(set, std::string::npos) << run.out;
    EXPECT_TRUE(Shows(run.out, "orientation                      portrait                       landscape", set));
    EXPECT_TRUE(Shows(run.out, "request kind 2, code 0x10040F: answer 0 (done)\n    value       0x00000002 (2)"));
    EXPECT_TRUE(Shows(run.out, "code 0x10088, data 1: answer 2 (not supported)"));
    EXPECT_TRUE(Shows(run.out, "code 0x10000, data null: answer 1"));
    EXPECT_TRUE(Shows(run.out, "set Layout$PageLayout (0x10064) = 2: done\n  Layout$PageLayout: NUP_1PAGES -> NUP_4PAGES"));

    EXPECT_EQ(Drive("--set 0x10040f").status >> 8, 2);
    EXPECT_EQ(Drive("--request two 0x10000").status >> 8, 2);
}

// An add-in installed beside the driver, as its installer leaves it (the signed file and its
// description in the driver folder, its class registered, the printer's install record), shows
// its page in the sheet the host program opens; a person uses it and the picture is saved.
TEST_F(Drvhost, ShowsTheInstalledAddInsPageInTheSheet) {
    std::ifstream in(STANDIN_ADDIN, std::ios::binary);
    std::vector<uint8_t> addIn((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    drvtest::SignAddIn(addIn);
    const fs::path system = dir_ / "root" / "WINDOWS" / "SYSTEM";
    fs::create_directories(system);
    std::ofstream(system / "SAMPLEUI.DLL", std::ios::binary).write(reinterpret_cast<const char*>(addIn.data()),
                                                                  std::streamsize(addIn.size()));
    std::ofstream(system / "SAMPLE.CPI") << "[Add-Ins]\r\nSample=" << drvtest::kSampleAddInClass << ",SAMPLEUI.DLL,Staples\r\n";
    // The bundled printers' registry with what the add-in's installer adds to it.
    const fs::path hive = dir_ / "hive.reg";
    fs::copy_file(fs::path(DRVOPUI_SOURCE_DIR) / "data" / "printers.reg", hive);
    std::ofstream(hive, std::ios::app)
        << "\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Classes\\CLSID\\" << drvtest::kSampleAddInClass << "\\InprocServer32]\n"
        << "@=\"C:\\\\WINDOWS\\\\SYSTEM\\\\SAMPLEUI.DLL\"\n\n"
        << "[HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\control\\Print\\Printers\\Vomel Kelvaro PCL5e\\PrinterDriverData]\n"
        << "\"CustomCode\"=\"SAMPLE.CPI\"\n";
    const fs::path pictures = dir_ / "pictures";
    const Outcome run = Run("DRVOPUI_ROOT='" + (dir_ / "root").string() + "' DRVOPUI_HIVE='" + hive.string() + "' '" +
                            DRVHOST_PROGRAM + "' --sheet 'page \"Sample Add-In\"; check \"Staple every copy\"; ok' --pictures '" +
                            pictures.string() + "'");
    EXPECT_EQ(run.status, 0) << run.out;
    EXPECT_TRUE(Shows(run.out, "the sheet's result 1 (OK)"));
    EXPECT_GT(fs::file_size(pictures / "02-Sample-Add-In.png"), 1000u) << run.out;
}

// The printing-preferences sheet as a person uses it from a script file: settings on three pages
// and in the layout options reach the device mode on OK, with a picture of every page visited;
// Cancel changes nothing, and a step that cannot be done is named by its line.
TEST_F(Drvhost, OpensTheSheetAndActsInItAsAPersonWould) {
    std::ofstream(dir_ / "person.txt") << "# page setup\n"
                                          "type Copies 3\n"
                                          "click Landscape\n"
                                          "click \"Page options...\"\n"
                                          "choose \"Page edging\" \"Dotted line\"\n"
                                          "ok\n"
                                          "page Finishing\n"
                                          "check Punch\n"
                                          "page Quality\n"
                                          "ok\n";
    const fs::path pictures = dir_ / "pictures";
    const Outcome run = Drive("--sheet @'" + (dir_ / "person.txt").string() + "' --pictures '" + pictures.string() + "'");
    EXPECT_EQ(run.status, 0) << run.out;
    EXPECT_TRUE(Shows(run.out, "the sheet's result 1 (OK)"));
    for (const char* line : {"orientation                      portrait                       landscape",
                             "copies                           1                              3",
                             "edging (140)                     0                              4",
                             "finishing flags (190)            0x00000000                     0x00000020"})
        EXPECT_TRUE(Shows(run.out, line));
    for (const char* picture : {"01-Layout-Options.png", "02-Page-Setup.png", "03-Finishing.png", "04-Quality.png"})
        EXPECT_GT(fs::file_size(pictures / picture), 1000u) << picture;

    const Outcome cancelled = Drive("--sheet 'type Copies 7; page 2; check Punch; cancel'");
    EXPECT_EQ(cancelled.status, 0) << cancelled.out;
    EXPECT_TRUE(Shows(cancelled.out, "the sheet's result 0 (nothing committed)"));
    EXPECT_TRUE(Shows(cancelled.out, "(the device mode did not change)"));

    const Outcome wrong = Drive("--sheet 'type Copies 2; check \"No such box\"; ok'");
    EXPECT_EQ(wrong.status >> 8, 1) << wrong.out;
    EXPECT_TRUE(Shows(wrong.out, "sheet script line 2: no control \"No such box\" here"));
    EXPECT_TRUE(Shows(wrong.out, "(the device mode did not change)"));
    for (const char* script : {"fold Copies", "type Copies", "ok now", "choose \\\"Page size A4"}) {
        const Outcome refused = Drive(std::string("--sheet '") + script + "'");
        EXPECT_EQ(refused.status >> 8, 2) << script;
        EXPECT_TRUE(Shows(refused.out, "drvhost: --sheet: line 1: "));
    }
    EXPECT_EQ(Drive("--pictures x").status >> 8, 2);
}

// A dialog opened by its kind as the 16-bit driver opens it: the user-defined paper dialog (a list
// view in its template) registers a form a person typed, with its picture; a kind the library has
// not is not shown.
TEST_F(Drvhost, OpensADialogByItsKindAndActsInIt) {
    const fs::path pictures = dir_ / "dialogs";
    const Outcome run = Drive("--dialog 26 --sheet 'click Millimetres; type Name Postcard; type Width 150; "
                              "type Length 220; click Register; ok' --pictures '" + pictures.string() + "'");
    EXPECT_EQ(run.status, 0) << run.out;
    EXPECT_TRUE(Shows(run.out, "drvhost: dialog \"User-Defined Paper\""));
    EXPECT_TRUE(Shows(run.out, "the dialog of kind 26 answered 1"));
    EXPECT_GT(fs::file_size(pictures / "01-User-Defined-Paper.png"), 1000u);
    // The same name again asks before the form changes.
    const Outcome again = Drive("--dialog 26 --sheet 'click Millimetres; type Name Postcard; type Width 150; "
                                "type Length 220; click Register; type Width 160; answer Yes; click Register; ok'");
    EXPECT_EQ(again.status, 0) << again.out;
    EXPECT_TRUE(Shows(again.out, "A form of this name exists. Replace its size?"));

    EXPECT_EQ(Drive("--dialog 9999 --sheet ok").status >> 8, 1);
    EXPECT_EQ(Drive("--dialog 26").status >> 8, 2) << "the steps come with --sheet";
    EXPECT_EQ(Drive("--dialog x --sheet ok").status >> 8, 2);
}

// The program as the 16-bit driver: every step through the exports the thunks reach, answered as
// the driver expects, and nothing left behind (the sanitizer's leak check ends the run otherwise).
TEST_F(Drvhost, PlaysTheSixteenBitDriverThroughTheThunks) {
    const Outcome run = Drive("--driver16");
    EXPECT_EQ(run.status, 0) << run.out;
    for (const char* line : {"GTF_CreateUIDEVDATA -> device object ", "GTF_CopyDEVMODE -> 2352 bytes at ",
                             "GTF_ConvertCurDevMode2ExtDevMode -> converted", "GTF_OpenSheets -> 0",
                             "the driver's sheet -> 1; its page hosts the library's device-settings page",
                             "GTF_DeleteSHEETDATA, GTF_DeleteUIDEVDATA -> done"})
        EXPECT_TRUE(Shows(run.out, line));
    const Outcome other = Drive("--driver16 --printer 'No such printer'");
    EXPECT_EQ(other.status >> 8, 1) << other.out;
}

// Lists and records come out whole: every entry of the paper-source list by its name, every field
// of the watermark record by the names the option interface's page gives them.
TEST_F(Drvhost, PrintsListsAndRecordsWhole) {
    const Outcome run = Drive("--request 4 0x10013 --request 2 0x1000A");
    EXPECT_EQ(run.status, 0) << run.out;
    const size_t list = run.out.find("request kind 4, code 0x10013: answer 0 (done)");
    ASSERT_NE(list, std::string::npos) << run.out;
    EXPECT_TRUE(Shows(run.out, "  entry 1:\n    source       ", list));
    EXPECT_TRUE(Shows(run.out, "    source name  \"", list));
    const size_t record = run.out.find("request kind 2, code 0x1000A: answer 0 (done)");
    ASSERT_NE(record, std::string::npos) << run.out;
    for (const char* field : {"    name ", "    font face ", "    angle ", "    position y ", "    switch "})
        EXPECT_TRUE(Shows(run.out, field, record));
}

// Every setting the option interface reaches, by page, with its choices and their marks, and the
// reason the rules give for what they hold.
TEST_F(Drvhost, ListsEveryOptionWithItsChoices) {
    const Outcome run = Drive("--options");
    EXPECT_EQ(run.status, 0) << run.out;
    struct Line { const char* page; const char* line; };
    for (Line l : {Line{"page setup:", "  0x10040F  Devmode$Orientation          [PORTRAIT] LANDSCAPE\n"},
                   Line{"page setup:", "  0x100414  Devmode$Copy                 1 (1..999)\n"},
                   Line{"finishing:", "  0x10039   Finishing$Zfold              [OFF] ON  {disabled: not offered by this printer: "
                                      "it has no Z-fold unit}\n"},
                   Line{"staple position:", "  0x1006A   Finishing$Position           [UPPER_LEFT_S] TOP_W(disabled) "}}) {
        const size_t page = run.out.find(std::string("\n") + l.page + "\n");
        ASSERT_NE(page, std::string::npos) << l.page << "\n" << run.out;
        const size_t line = run.out.find(l.line, page);
        EXPECT_NE(line, std::string::npos) << l.line << "\n" << run.out;
        EXPECT_LT(line, run.out.find(":\n", page + std::strlen(l.page) + 2)) << l.line << " is not on its page";
    }
    // The default run's listing is not repeated under --options.
    EXPECT_EQ(run.out.find("driver default"), std::string::npos);
}

// A set by name, refusals with their reasons, and what else the rules changed, by name.
TEST_F(Drvhost, SetsByNameAndSaysWhyOrWhatElseChanged) {
    const Outcome set = Drive("--set 'Devmode$Orientation=landscape' --set 'Layout$Catalog=ON' "
                              "--set 'Layout$PageLayout=NUP_2PAGES'");
    EXPECT_EQ(set.status, 0) << set.out;
    EXPECT_TRUE(Shows(set.out, "set Devmode$Orientation (0x10040F) = landscape: done\n" "  Devmode$Orientation: PORTRAIT -> LANDSCAPE\n"));
    // The layout turns the booklet off: the rules' change is named, old -> new.
    const size_t layout = set.out.find("set Layout$PageLayout (0x10064) = NUP_2PAGES: done");
    ASSERT_NE(layout, std::string::npos) << set.out;
    EXPECT_TRUE(Shows(set.out, "  the rules changed Layout$Catalog (0x10057): ON -> OFF\n", layout));

    struct Case { const char* set; const char* why; };
    const Case refused[] = {
        {"Finishing$Zfold=ON", "refused (answer 3): disabled by the rules: not offered by this printer: it has no Z-fold unit"},
        {"Finishing$Position=TOP_W",
         "refused (answer 3): TOP_W is disabled by the rules: not offered by this printer: it has no staple at the top"},
        {"Devmode$Copy=1000", "not supported (answer 2): out of range 1..999"},
        {"Devmode$Orientation=SIDEWAYS", "\"SIDEWAYS\" is not a choice of Devmode$Orientation; its choices: PORTRAIT LANDSCAPE"},
        {"Nothing=1", "no setting of this printer is named \"Nothing\""},
    };
    for (const Case& c : refused) {
        const Outcome run = Drive(std::string("--set '") + c.set + "'");
        EXPECT_EQ(run.status >> 8, 1) << c.set << "\n" << run.out;
        EXPECT_TRUE(Shows(run.out, c.why)) << c.set;
    }
    // A setting the rules hold because of another names that setting.
    const Outcome held = Drive("--set 'Layout$PageSize=ENV_DL' --set 'Layout$Catalog=ON'");
    EXPECT_TRUE(Shows(held.out, "  the rules disabled Layout$Catalog: held by Layout$PageSize"));
    EXPECT_TRUE(Shows(held.out, "= ON: refused (answer 3): disabled by the rules: held by Layout$PageSize: a booklet is not made"));
}

// The device mode a session ends with goes out to a file and comes back in as an application's.
TEST_F(Drvhost, WritesTheDeviceModeAndTakesItBack) {
    const std::string file = (dir_ / "landscape.dm").string();
    const Outcome out = Drive("--set 'Devmode$Orientation=LANDSCAPE' --out '" + file + "'");
    ASSERT_EQ(out.status, 0) << out.out;
    const std::vector<uint8_t> written = Read(file);
    ASSERT_GT(written.size(), 220u);
    EXPECT_EQ(written[44] | written[45] << 8, 2) << "orientation";

    const Outcome back = Drive("--devmode '" + file + "' --options");
    EXPECT_EQ(back.status, 0) << back.out;
    EXPECT_TRUE(Shows(back.out, "Devmode$Orientation          PORTRAIT [LANDSCAPE]"));
    const Outcome listed = Drive("--devmode '" + file + "'");
    EXPECT_TRUE(Shows(listed.out, "  orientation                      portrait                       landscape"));

    // --validate gives its verdict alone unless the listing is asked for.
    const Outcome verdict = Drive("--validate '" + file + "'");
    EXPECT_EQ(verdict.status, 0) << verdict.out;
    EXPECT_TRUE(Shows(verdict.out, file + ": " + std::to_string(written.size()) + " bytes, a device mode of this driver"));
    EXPECT_EQ(verdict.out.find("orientation"), std::string::npos) << verdict.out;
    EXPECT_NE(Drive("--validate '" + file + "' --list").out.find("orientation"), std::string::npos);

    for (const char* command : {"--validate", "--devmode"}) {
        const Outcome missing = Drive(std::string(command) + " '" + (dir_ / "missing.dm").string() + "'");
        EXPECT_EQ(missing.status >> 8, 1) << command;
        EXPECT_TRUE(Shows(missing.out, "missing.dm: no such file")) << command;
    }
}

// Without DRVOPUI_ROOT each user of the machine has a drive root of their own in the temporary
// folder: one user's root, made with that user's permissions, never stands in another's way.
TEST_F(Drvhost, TakesADriveRootOfTheUsersOwn) {
    const Outcome run = Run("env -u DRVOPUI_ROOT TMPDIR='" + dir_.string() + "' DRVOPUI_HIVE= '" DRVHOST_PROGRAM "' --list");
    EXPECT_EQ(run.status, 0);
    const std::string& out = run.out;
    const passwd* user = getpwuid(geteuid());
    ASSERT_NE(user, nullptr);
    const std::string root = (dir_ / "drvopui-root-").string() + user->pw_name;
    EXPECT_TRUE(Shows(out, "drive root " + root));
    EXPECT_TRUE(fs::exists(dir_ / fs::path(root).filename() / "WINDOWS" / "SYSTEM" / "DRVOPUI.DLL")) << out;
}

// An installed tree (the host program's component) runs where it was put, and where it was moved
// to: the program finds the library, the platform and the bundled data beside it, not in the
// build tree.
TEST_F(Drvhost, RunsFromAnInstalledTreeWhereverItIsMoved) {
    const fs::path prefix = dir_ / "prefix", moved = dir_ / "moved";
    ASSERT_EQ(Run("'" DRVOPUI_CMAKE "' --install '" DRVOPUI_BUILD_DIR "' --component host --prefix '" + prefix.string() + "'").status, 0);
    for (const char* file : {"bin/drvhost", "lib/libDrvopuiPlatform.so", "share/drvopui/printers.reg",
                             "share/drvopui/KELVAR5E.DAT", "share/drvopui/resources/drvopui.res"})
        EXPECT_TRUE(fs::exists(prefix / file)) << file;
    EXPECT_TRUE(fs::exists(prefix / "lib" / ("libDrvopui.so." DRVOPUI_VERSION)));
    fs::rename(prefix, moved);
    const Outcome run = Drive("--options", (moved / "bin" / "drvhost").c_str());
    EXPECT_EQ(run.status, 0);
    EXPECT_TRUE(Shows(run.out, "DRVOPUI.DLL loaded"));
    EXPECT_TRUE(Shows(run.out, "Devmode$Orientation"));
    // The library that went into the driver folder is the installed one.
    EXPECT_TRUE(Read((moved / "lib" / ("libDrvopui.so." DRVOPUI_VERSION)).string()) ==
                Read((dir_ / "root" / "WINDOWS" / "SYSTEM" / "DRVOPUI.DLL").string()));
}

TEST_F(Drvhost, NamesTheInstalledPrintersAndHelpsWhereverAsked) {
    const Outcome unknown = Drive("--printer 'No Such Printer'");
    EXPECT_EQ(unknown.status >> 8, 1) << unknown.out;
    const size_t named = unknown.out.find("no printer is named \"No Such Printer\"; the installed printers:\n");
    ASSERT_NE(named, std::string::npos) << unknown.out;
    EXPECT_TRUE(Shows(unknown.out, "\n  Vomel Kelvaro PCL5e\n", named));
    EXPECT_TRUE(Shows(unknown.out, "\n  Vomel Kelvaro PCL5c\n", named));
    EXPECT_EQ(unknown.out.find("1801"), std::string::npos) << unknown.out;

    const Outcome printers = Drive("--list-printers");
    EXPECT_EQ(printers.status, 0) << printers.out;
    EXPECT_TRUE(Shows(printers.out, "Vomel Kelvaro PCL5e  (default)\n"));
    EXPECT_TRUE(Shows(printers.out, "Vomel Kelvaro PCL5c\n"));

    for (const char* arguments : {"--help", "--printer X --set a=b --help", "--bogus --help", "--options -h"}) {
        const Outcome help = Drive(arguments);
        EXPECT_EQ(help.status, 0) << arguments << "\n" << help.out;
        EXPECT_EQ(help.out.rfind("usage: drvhost", 0), 0u) << arguments << "\n" << help.out;
    }
    const Outcome version = Drive("--version");
    // One version number: the program's, the library's soname and the resource module's resource.
    EXPECT_TRUE(Shows(version.out, "drvhost " DRVOPUI_VERSION " (the library " DRVOPUI_VERSION ", the resource module " DRVOPUI_VERSION ")\n"));
    EXPECT_EQ(Drive("--bogus").status >> 8, 2);
}

// The device query tool names the fields of the device's record, and says why a library in the
// driver folder that does not load gives none.
TEST_F(Drvhost, DeviceQueryNamesTheRecordsFields) {
    const Outcome run = Drive("", DRVDEVINFO_PROGRAM);
    EXPECT_EQ(run.status, 0) << run.out;
    for (const char* line : {"  status                       0 (the device answered)\n", "  attributes not answered      0x",
                             "  device name                  Kelvaro 5e\n", "  serial number                SN 0042-7731\n",
                             "  memory modules               DIMM1, size 131072\n", "  paper sources                Stack Bypass: "})
        EXPECT_TRUE(Shows(run.out, line));

    std::ofstream(dir_ / "root" / "WINDOWS" / "SYSTEM" / "Zdsvc2.dll") << "not a library";
    const Outcome broken = Drive("", DRVDEVINFO_PROGRAM);
    EXPECT_EQ(broken.status >> 8, 1) << broken.out;
    EXPECT_TRUE(Shows(broken.out, "the device-information library in "));
    EXPECT_TRUE(Shows(broken.out, " does not load ("));
}

TEST_F(Drvhost, ImportsListsAppliesAndExportsProfiles) {
    // A profile file written for this printer's language with an older, shorter device mode.
    const std::string seed = DRVOPUI_SOURCE_DIR "/fuzz/corpus/profile_file/builtin_0.pfl";
    const std::string exported = (dir_ / "exported.pfl").string();
    const Outcome run = Drive("--import-profile '" + seed + "' --profiles --apply-profile Landscape --apply-profile Seed0 "
                              "--profiles --export-profile Seed0 '" + exported + "'");
    EXPECT_EQ(run.status, 0) << run.out;
    EXPECT_TRUE(Shows(run.out, "(stored as a user profile)"));
    const size_t list = run.out.find("profiles of \"Vomel Kelvaro PCL5e\": 7\n  Factory settings");
    ASSERT_NE(list, std::string::npos) << run.out;
    EXPECT_TRUE(Shows(run.out, "  Seed0                            user\n", list));
    const size_t landscape = run.out.find("apply profile \"Landscape\": answer 0");
    ASSERT_NE(landscape, std::string::npos) << run.out;
    const size_t orientation = run.out.find("\n  orientation ", landscape);
    ASSERT_NE(orientation, std::string::npos) << run.out;
    const std::string line = run.out.substr(orientation + 1, run.out.find('\n', orientation + 1) - orientation - 1);
    EXPECT_TRUE(Shows(line, "portrait"));
    EXPECT_TRUE(Shows(line, "landscape"));
    EXPECT_TRUE(Shows(run.out, "  Seed0                            user, applied"));

    // The exported file is the stored record behind the file header, and imports again
    // elsewhere into the same bytes.
    const std::vector<uint8_t> file = Read(exported);
    ASSERT_GT(file.size(), 36u + 296u);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(file.data())), "VOMEL PROFILE SYSTEM for 9x");
    const std::string again = (dir_ / "again.pfl").string();
    fs::remove_all(dir_ / "root");
    const Outcome second = Drive("--import-profile '" + exported + "' --export-profile Seed0 '" + again + "'");
    EXPECT_EQ(second.status, 0) << second.out;
    EXPECT_EQ(Read(again), file);

    // A built-in profile has no stored record; a damaged file is not stored.
    const Outcome refused = Drive("--export-profile Landscape '" + again + "' --import-profile '" +
                                  Write("short.pfl", std::vector<uint8_t>(file.begin(), file.begin() + 300)) + "'");
    EXPECT_NE(refused.status, 0);
    EXPECT_TRUE(Shows(refused.out, "export profile \"Landscape\": no stored record"));
    EXPECT_TRUE(Shows(refused.out, "short.pfl: answer 3"));
}

}  // namespace

// The colour printer's colour dialogs, reached from the quality page as a person reaches them,
// with a picture of each; the method chosen reaches the colour block of the device mode.
TEST_F(Drvhost, OpensTheColourDialogsAndSavesTheirPictures) {
    const fs::path pictures = dir_ / "pictures";
    const Outcome run = Drive("--printer 'Vomel Kelvaro PCL5c' --sheet 'page Quality; click \"Colour settings...\"; "
                              "choose \"Matching method\" \"Perceptual (photographs)\"; click \"Colour balance...\"; "
                              "ok; ok; ok' --pictures '" + pictures.string() + "'");
    EXPECT_EQ(run.status, 0) << run.out;
    EXPECT_TRUE(Shows(run.out, "dialog \"Colour matching\""));
    EXPECT_TRUE(Shows(run.out, "colour block (250)"));
    for (const char* picture : {"02-Colour-adjustment.png", "03-Colour-matching.png"})
        EXPECT_GT(fs::file_size(pictures / picture), 1000u) << picture;
}
