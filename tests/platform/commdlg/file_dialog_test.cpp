// File open and save dialogs: cancelled when nobody answers, driven by a scripted person who
// picks a name, with the dialog's own checks of that name and the errors of the Win32 contract.
#include <commdlg.h>
#include <drvtest/kernel.h>
#include <drvtest/scripted_file_dialog.h>

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>

namespace {

class FileDialog : public ::testing::Test {
protected:
    void SetUp() override {
        auto root = std::filesystem::path(DRVOPUI_TEST_OUTPUT_DIR) / "root";
        std::filesystem::remove_all(root);
        std::filesystem::create_directories(root / "Overlays");
        std::ofstream(root / "Overlays" / "form.ovl") << "overlay";
        drvtest::SetRootFolder(root.string());
        SetCurrentDirectoryA("C:\\");
        std::memset(file, 0, sizeof file);
        std::memset(title, 0, sizeof title);
        ofn = OPENFILENAMEA{};
        ofn.lStructSize = sizeof ofn;
        ofn.lpstrFilter = "Overlay files (*.ovl)\0*.ovl\0All files\0*.*\0";
        ofn.nFilterIndex = 1;
        ofn.lpstrFile = file;
        ofn.nMaxFile = 260;
        ofn.lpstrFileTitle = title;
        ofn.nMaxFileTitle = 260;
        ofn.lpstrInitialDir = "C:\\Overlays";
        ofn.lpstrDefExt = "ovl";
    }
    char file[261];
    char title[261];
    OPENFILENAMEA ofn;
};

TEST_F(FileDialog, WithoutAScriptItIsCancelledWithoutError) {
    ofn.Flags = OFN_FILEMUSTEXIST | OFN_HIDEREADONLY;
    EXPECT_FALSE(GetOpenFileNameA(&ofn));
    EXPECT_EQ(CommDlgExtendedError(), 0u);
    drvtest::ScriptedFileDialog person([](const drvtest::FileDialogSeen&) { return drvtest::FilePick::Cancel(); });
    EXPECT_FALSE(GetSaveFileNameA(&ofn));
    EXPECT_EQ(CommDlgExtendedError(), 0u);
    ASSERT_EQ(person.Seen().size(), 1u);
    EXPECT_TRUE(person.Seen()[0].save);
    EXPECT_EQ(person.Seen()[0].filters.size(), 2u);
    EXPECT_EQ(person.Seen()[0].filters[1].second, "*.*");
}

TEST_F(FileDialog, OpenNeedsAnExistingFileAndFillsTheRecord) {
    ofn.Flags = OFN_FILEMUSTEXIST | OFN_HIDEREADONLY;
    drvtest::ScriptedFileDialog person([](const drvtest::FileDialogSeen& seen) {
        return drvtest::FilePick::Name(seen.warning.empty() ? "missing" : "form");
    });
    ASSERT_TRUE(GetOpenFileNameA(&ofn));
    ASSERT_EQ(person.Seen().size(), 2u);
    EXPECT_EQ(person.Seen()[1].warning, "The file does not exist.");
    EXPECT_STREQ(file, "C:\\Overlays\\form.ovl");
    EXPECT_STREQ(title, "form.ovl");
    EXPECT_EQ(ofn.nFileOffset, 12);
    EXPECT_EQ(ofn.nFileExtension, 17);
    EXPECT_EQ(CommDlgExtendedError(), 0u);
}

TEST_F(FileDialog, SaveAsksBeforeReplacingAndChecksTheFolder) {
    ofn.Flags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_LONGNAMES;
    int round = 0;
    drvtest::ScriptedFileDialog person([&](const drvtest::FileDialogSeen&) {
        switch (round++) {
        case 0: return drvtest::FilePick::Name("C:\\Nowhere\\a.ovl");
        case 1: return drvtest::FilePick::Name("form.ovl", false);  // exists: do not replace
        case 2: return drvtest::FilePick::Name("bad|name");
        default: return drvtest::FilePick::Name("new");
        }
    });
    ASSERT_TRUE(GetSaveFileNameA(&ofn));
    std::vector<std::string> warnings;
    for (const auto& s : person.Seen()) warnings.push_back(s.warning);
    EXPECT_EQ(warnings, (std::vector<std::string>{"", "The folder does not exist.", "The file already exists.",
                                                  "The file name is not valid."}));
    EXPECT_STREQ(file, "C:\\Overlays\\new.ovl");
}

TEST_F(FileDialog, ErrorsOfTheContract) {
    drvtest::ScriptedFileDialog person([](const drvtest::FileDialogSeen&) { return drvtest::FilePick::Name("form.ovl"); });
    ofn.nMaxFile = 10;  // the path needs 21 bytes
    EXPECT_FALSE(GetOpenFileNameA(&ofn));
    EXPECT_EQ(CommDlgExtendedError(), static_cast<DWORD>(FNERR_BUFFERTOOSMALL));
    WORD need = 0;
    std::memcpy(&need, file, sizeof need);
    EXPECT_EQ(need, 21);

    ofn.nMaxFile = 260;
    std::strcpy(file, "a<b");
    EXPECT_FALSE(GetOpenFileNameA(&ofn));
    EXPECT_EQ(CommDlgExtendedError(), static_cast<DWORD>(FNERR_INVALIDFILENAME));
    file[0] = 0;
    ofn.lStructSize = 76;
    EXPECT_FALSE(GetSaveFileNameA(&ofn));
    EXPECT_EQ(CommDlgExtendedError(), static_cast<DWORD>(CDERR_STRUCTSIZE));
    EXPECT_EQ(person.Seen().size(), 1u);
}

}  // namespace
