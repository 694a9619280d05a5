// The scripted person of the file dialogs (see drvtest/scripted_file_dialog.h).
#include "drvtest/scripted_file_dialog.h"

#include "platform/commdlg/file_dialog_script.h"

namespace drvtest {

struct ScriptedFileDialogAccess {
    static void choose(const commdlg::FileDialogView& view, commdlg::FileDialogAnswer& answer, void* context) {
        auto* self = static_cast<ScriptedFileDialog*>(context);
        FileDialogSeen seen{view.save,       view.title,    view.filters, view.filterIndex, view.initialDir,
                            view.defaultExt, view.fileName, view.flags,   view.warning};
        self->seen_.push_back(seen);
        FilePick pick = self->script_ ? self->script_(seen) : FilePick::Cancel();
        answer.ok = pick.ok;
        answer.fileName = pick.fileName;
        if (pick.filterIndex) answer.filterIndex = pick.filterIndex;
        answer.replace = pick.replace;
    }
};

ScriptedFileDialog::ScriptedFileDialog(std::function<FilePick(const FileDialogSeen&)> script) : script_(std::move(script)) {
    commdlg::SetFileDialogChooser(&ScriptedFileDialogAccess::choose, this);
}

ScriptedFileDialog::~ScriptedFileDialog() { commdlg::SetFileDialogChooser(nullptr, nullptr); }

}  // namespace drvtest
