// The one place where something outside the program may act in a file dialog: a test's scripted
// user or the host program installs a chooser on its thread; product code never does. Without a
// chooser every file dialog is cancelled, so nothing waits for a person.
#pragma once

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

namespace commdlg {

// What the dialog shows: its kind, texts, filters and the state of its fields.
struct FileDialogView {
    bool save = false;
    HWND owner = nullptr;
    std::string title;
    std::vector<std::pair<std::string, std::string>> filters;  // (description, pattern)
    DWORD filterIndex = 0;
    std::string initialDir;
    std::string defaultExt;
    std::string fileName;  // the file-name field
    DWORD flags = 0;
    std::string warning;   // why the dialog stayed open after the last answer, or empty
};

// What a person does: cancel, or type a name (and pick a filter) and confirm; `replace` answers
// the question whether an existing file may be replaced.
struct FileDialogAnswer {
    bool ok = false;
    std::string fileName;
    DWORD filterIndex = 0;
    bool replace = true;
};

using FileDialogChooser = void (*)(const FileDialogView& view, FileDialogAnswer& answer, void* context);

// Installs (or with null removes) the chooser of the calling thread.
void SetFileDialogChooser(FileDialogChooser chooser, void* context);

}  // namespace commdlg
