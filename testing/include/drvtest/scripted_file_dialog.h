// Test-only: a scripted person in front of the file open and save dialogs. While the object
// lives, every file dialog of the calling thread shows the script what it holds and takes the
// script's answer: a file name (checked as the dialog checks typed names) or a cancel. Without
// one, file dialogs are cancelled.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace drvtest {

struct FileDialogSeen {
    bool save = false;
    std::string title;
    std::vector<std::pair<std::string, std::string>> filters;  // (description, pattern)
    DWORD filterIndex = 0;
    std::string initialDir;
    std::string defaultExt;
    std::string fileName;  // what the file-name field holds
    DWORD flags = 0;
    std::string warning;   // why the dialog refused the previous answer, or empty
};

struct FilePick {
    bool ok = false;
    std::string fileName;
    DWORD filterIndex = 0;  // 0 keeps the dialog's filter
    bool replace = true;    // the answer to "replace the existing file?"
    static FilePick Cancel() { return {}; }
    static FilePick Name(std::string name, bool replace = true) { return {true, std::move(name), 0, replace}; }
};

class ScriptedFileDialog {
public:
    explicit ScriptedFileDialog(std::function<FilePick(const FileDialogSeen&)> script);
    ~ScriptedFileDialog();
    ScriptedFileDialog(const ScriptedFileDialog&) = delete;
    ScriptedFileDialog& operator=(const ScriptedFileDialog&) = delete;

    // Each time a dialog was shown to the script (a refused answer shows it again), oldest first.
    const std::vector<FileDialogSeen>& Seen() const { return seen_; }

private:
    std::function<FilePick(const FileDialogSeen&)> script_;
    std::vector<FileDialogSeen> seen_;
    friend struct ScriptedFileDialogAccess;
};

}  // namespace drvtest
