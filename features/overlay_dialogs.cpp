// The overlay object's file dialogs. A chosen path must fit the overlay option's 127 characters:
// a longer one is refused with a message and the dialog opens again, as it does after a name the
// dialog itself refused.
#include "features/overlay.h"

#include <commdlg.h>

#include <cstring>
#include <string>

namespace {

constexpr UINT kMsgDialogFailed = 21, kMsgPathTooLong = 34, kMsgInvalidName = 35;

}  // namespace

bool Overlay::SaveFileDialog(HWND owner, char* file, const char* filter, const char* title,
                             const char* extension) const {
    return FileDialog(true, owner, file, filter, title, extension);
}

bool Overlay::OpenFileDialog(HWND owner, char* file, const char* filter, const char* title,
                             const char* extension) const {
    return FileDialog(false, owner, file, filter, title, extension);
}

bool Overlay::FileDialog(bool save, HWND owner, char* file, const char* filter, const char* title,
                         const char* extension) const {
    if (!file) return false;
    std::string parts = filter ? filter : "";
    for (char& c : parts)
        if (c == '|') c = '\0';
    parts.push_back('\0');
    char fileTitle[kPresetPathRoom + 1] = {};
    OPENFILENAMEA dialog = {};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filter ? parts.c_str() : nullptr;
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = file;
    dialog.nMaxFile = kPresetPathRoom;
    dialog.lpstrFileTitle = fileTitle;
    dialog.nMaxFileTitle = kPresetPathRoom;
    dialog.lpstrTitle = title;
    dialog.lpstrDefExt = extension;
    dialog.Flags = save ? OFN_LONGNAMES | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT
                        : OFN_FILEMUSTEXIST | OFN_HIDEREADONLY;
    for (;;) {
        if (save ? GetSaveFileNameA(&dialog) : GetOpenFileNameA(&dialog)) {
            if (strnlen(file, kPresetPathRoom) < overlay::kTextRoom) return true;
            ShowMessage(owner, kMsgPathTooLong);
            file[0] = '\0';
            continue;
        }
        const DWORD error = CommDlgExtendedError();
        if (error == FNERR_BUFFERTOOSMALL || error == FNERR_INVALIDFILENAME) {
            ShowMessage(owner, error == FNERR_BUFFERTOOSMALL ? kMsgPathTooLong : kMsgInvalidName);
            file[0] = '\0';
            continue;
        }
        if (error != 0) ShowMessage(owner, kMsgDialogFailed);
        return false;
    }
}
