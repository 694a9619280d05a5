// The preset base: the key-safe printer name, the file-name checks, whole-file save and load,
// and the file dialogs with their retry and messages.
#include "profile_fixture.h"

#include "drvtest/scripted_file_dialog.h"

namespace profiletest {
namespace {

TEST_F(ProfileTest, PrinterNamesBecomeOneKeyPartAndFileNamesAreChecked) {
    const Profile preset(Ctx(), 0);
    struct NameCase {
        std::string given, key;
    };
    const NameCase names[] = {
        {"\\\\host\\\\queue", "host\\queue"},
        {"Vomel Kelvaro PCL5e", "Vomel Kelvaro PCL5e"},
        {"\\\\host\\queue", "host\\queue"},
        {std::string(300, 'x'), std::string(259, 'x')},
    };
    for (const NameCase& c : names) EXPECT_EQ(preset.NormalizePrinterName(c.given.c_str()), c.key) << c.given;
    EXPECT_EQ(preset.PrinterKeyName(), "Vomel Kelvaro PCL5e");

    struct FileCase {
        const char* name;
        bool valid;
    };
    for (const FileCase& c : {FileCase{"a,b", false}, FileCase{".", false}, FileCase{"..", true}, FileCase{"", true},
                              FileCase{"office", true}, FileCase{"a:b", false}, FileCase{"a|b", false}})
        EXPECT_EQ(preset.IsValidFileName(c.name), c.valid) << c.name;
    EXPECT_TRUE(preset.ContainsBackslash("a\\b"));
    EXPECT_FALSE(preset.ContainsBackslash("ab"));
}

TEST_F(ProfileTest, FilesAreSavedAndLoadedWhole) {
    const Profile preset(Ctx(), 0);
    const char data[] = "twelve bytes";
    EXPECT_FALSE(preset.SaveFile(nullptr, Path("none.bin").c_str(), nullptr, 4));
    EXPECT_TRUE(ReadFile("none.bin").empty());
    ASSERT_TRUE(preset.SaveFile(nullptr, Path("whole.bin").c_str(), data, 12));
    char back[13] = {};
    EXPECT_TRUE(preset.LoadFile(nullptr, Path("whole.bin").c_str(), back, 12));
    EXPECT_STREQ(back, "twelve bytes");
    EXPECT_FALSE(preset.LoadFile(nullptr, Path("whole.bin").c_str(), back, 13));
}

TEST_F(ProfileTest, TheFileDialogsKeepTheCallersFilterAndCancelQuietly) {
    const Profile preset(Ctx(), 0);
    std::vector<std::string> picks = {"", "chosen.pfl"};
    drvtest::ScriptedFileDialog dialog([&](const drvtest::FileDialogSeen& seen) {
        EXPECT_EQ(seen.filters.size(), 2u);
        const std::string pick = picks.front();
        picks.erase(picks.begin());
        return pick.empty() ? drvtest::FilePick::Cancel() : drvtest::FilePick::Name(pick);
    });
    const std::string filter = "Profile files|*.pfl|All files|*.*|";
    char file[kPresetPathRoom] = {};
    EXPECT_FALSE(preset.ImportDialog(nullptr, file, filter.c_str(), "C:\\", "pfl"));
    EXPECT_TRUE(person.messageBoxes().empty());
    EXPECT_TRUE(preset.ExportDialog(nullptr, file, filter.c_str(), "C:\\", "pfl"));
    EXPECT_NE(std::string(file).find("chosen.pfl"), std::string::npos);
    EXPECT_EQ(filter, "Profile files|*.pfl|All files|*.*|");
    ASSERT_EQ(dialog.Seen().size(), 2u);
    EXPECT_FALSE(dialog.Seen()[0].save);
    EXPECT_TRUE(dialog.Seen()[1].save);
}

TEST_F(ProfileTest, FileDialogErrorsShowTheirMessageAndAskAgainWithAnEmptyField) {
    const Profile preset(Ctx(), 0);
    std::vector<std::string> fieldsSeen;
    std::vector<std::string> picks = {std::string(300, 'x') + ".pfl", ""};
    drvtest::ScriptedFileDialog dialog([&](const drvtest::FileDialogSeen& seen) {
        fieldsSeen.push_back(seen.fileName);
        const std::string pick = picks.empty() ? "" : picks.front();
        if (!picks.empty()) picks.erase(picks.begin());
        return pick.empty() ? drvtest::FilePick::Cancel() : drvtest::FilePick::Name(pick);
    });
    // A name the dialog refuses before it opens, then a path longer than the field: each is
    // told, and the dialog opens again with an empty field until the person cancels.
    char file[kPresetPathRoom] = "bad|name";
    EXPECT_FALSE(preset.ExportDialog(nullptr, file, "Profile files|*.pfl|", "C:\\", "pfl"));
    const std::vector<std::string> texts = person.messageTexts();
    EXPECT_EQ(texts, (std::vector<std::string>{"The file name is not valid.", "The file name is too long."}));
    EXPECT_EQ(fieldsSeen, (std::vector<std::string>{"", ""}));
}

}  // namespace
}  // namespace profiletest
