// The overlay object's file dialogs. A chosen path must fit the overlay option's 127 characters:
// a longer one is refused with a message and the dialog opens again, as it does after a name the
// dialog itself refused.
#include "features/overlay.h"

namespace {

constexpr UINT kMsgPathTooLong = 34, kMsgInvalidName = 35;

}  // namespace

CmPreset::FileDialogRules Overlay::Rules(const char* title, const char* extension) {
    return {.title = title, .extension = extension, .pathRoom = overlay::kTextRoom, .tooLongMessage = kMsgPathTooLong,
            .bufferTooSmallMessage = kMsgPathTooLong, .invalidNameMessage = kMsgInvalidName};
}

bool Overlay::SaveFileDialog(HWND owner, char* file, const char* filter, const char* title,
                             const char* extension) const {
    return FileDialog(true, owner, file, filter, Rules(title, extension));
}

bool Overlay::OpenFileDialog(HWND owner, char* file, const char* filter, const char* title,
                             const char* extension) const {
    return FileDialog(false, owner, file, filter, Rules(title, extension));
}
