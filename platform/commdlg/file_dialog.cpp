// GetOpenFileNameA and GetSaveFileNameA. There is no one to look at a dialog here: the chooser
// of file_dialog_script.h plays the person, and the answer is checked as the dialog checks what
// a person types (the file must exist, the folder must exist, may an existing file be replaced);
// a refused answer keeps the dialog open with a warning, and the chooser is asked again.
#include <commdlg.h>

#include <cstring>
#include <string>

#include "platform/commdlg/file_dialog_script.h"

namespace commdlg {
namespace {

thread_local DWORD t_error = 0;
thread_local FileDialogChooser t_chooser = nullptr;
thread_local void* t_context = nullptr;

// A person gives up after this many refused answers; so does a script that keeps repeating one.
constexpr int kMaxRounds = 16;
// Filter texts are pairs of terminated strings ending in an empty one; reading stops here at most.
constexpr size_t kMaxFilterBytes = 1 << 16;

BOOL fail(DWORD code) {
    t_error = code;
    return FALSE;
}

bool hasBadCharacter(const std::string& name) {
    for (unsigned char c : name)
        if (c < 32 || std::strchr("<>|\"", c)) return true;
    return false;
}

bool isAbsolute(const std::string& p) {
    return (p.size() >= 2 && p[1] == ':') || (!p.empty() && (p[0] == '\\' || p[0] == '/'));
}

size_t fileOffset(const std::string& path) {
    size_t cut = path.find_last_of("\\/:");
    return cut == std::string::npos ? 0 : cut + 1;
}

std::vector<std::pair<std::string, std::string>> readFilters(LPCSTR text) {
    std::vector<std::pair<std::string, std::string>> out;
    size_t used = 0;
    while (text && *text && used < kMaxFilterBytes) {
        std::string description = text;
        text += description.size() + 1;
        std::string pattern = text;
        text += pattern.size() + 1;
        used += description.size() + pattern.size() + 2;
        out.emplace_back(std::move(description), std::move(pattern));
    }
    return out;
}

std::string fullPath(const FileDialogView& view, std::string name) {
    size_t file = fileOffset(name);
    if (!view.defaultExt.empty() && name.find('.', file) == std::string::npos) {
        std::string ext = view.defaultExt[0] == '.' ? view.defaultExt.substr(1) : view.defaultExt;
        name += "." + ext;
    }
    if (isAbsolute(name)) return name;
    std::string dir = view.initialDir;
    if (dir.empty()) {
        char cwd[MAX_PATH] = "";
        GetCurrentDirectoryA(sizeof cwd, cwd);
        dir = cwd;
    }
    if (!dir.empty() && dir.back() != '\\' && dir.back() != '/') dir += '\\';
    return dir + name;
}

// Why the dialog would not accept this path, or empty when it does.
std::string refusal(const FileDialogView& view, const std::string& path, const FileDialogAnswer& answer) {
    if (hasBadCharacter(answer.fileName) || answer.fileName.find_first_of("*?") != std::string::npos)
        return "The file name is not valid.";
    DWORD attributes = GetFileAttributesA(path.c_str());
    bool exists = attributes != INVALID_FILE_ATTRIBUTES;
    if (exists && (attributes & FILE_ATTRIBUTE_DIRECTORY)) return "This is a folder.";
    if ((view.flags & OFN_FILEMUSTEXIST) && !exists) return "The file does not exist.";
    if (view.flags & (OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST)) {
        std::string folder = path.substr(0, fileOffset(path));
        while (folder.size() > 1 && (folder.back() == '\\' || folder.back() == '/')) folder.pop_back();
        DWORD dir = folder.empty() ? FILE_ATTRIBUTE_DIRECTORY : GetFileAttributesA(folder.c_str());
        if (dir == INVALID_FILE_ATTRIBUTES || !(dir & FILE_ATTRIBUTE_DIRECTORY)) return "The folder does not exist.";
    }
    if (view.save && exists && (view.flags & OFN_OVERWRITEPROMPT) && !answer.replace) return "The file already exists.";
    return {};
}

void copyBounded(const std::string& text, LPSTR out, DWORD room) {
    if (!out || room == 0) return;
    size_t n = text.size() < room ? text.size() : room - 1;
    std::memcpy(out, text.data(), n);
    out[n] = 0;
}

BOOL run(LPOPENFILENAMEA ofn, bool save) {
    t_error = 0;
    if (!ofn || ofn->lStructSize != sizeof(OPENFILENAMEA)) return fail(CDERR_STRUCTSIZE);
    if (!ofn->lpstrFile || ofn->nMaxFile == 0) return fail(CDERR_INITIALIZATION);
    if ((ofn->Flags & OFN_ENABLEHOOK) && !ofn->lpfnHook) return fail(CDERR_NOHOOK);
    size_t initial = strnlen(ofn->lpstrFile, ofn->nMaxFile);
    if (initial == ofn->nMaxFile) return fail(FNERR_INVALIDFILENAME);  // no end within its buffer
    std::string name(ofn->lpstrFile, initial);
    if (hasBadCharacter(name)) return fail(FNERR_INVALIDFILENAME);

    FileDialogView view;
    view.save = save;
    view.owner = ofn->hwndOwner;
    view.title = ofn->lpstrTitle ? ofn->lpstrTitle : (save ? "Save As" : "Open");
    view.filters = readFilters(ofn->lpstrFilter);
    view.filterIndex = ofn->nFilterIndex;
    view.initialDir = ofn->lpstrInitialDir ? ofn->lpstrInitialDir : "";
    view.defaultExt = ofn->lpstrDefExt ? ofn->lpstrDefExt : "";
    view.fileName = name;
    view.flags = ofn->Flags;

    for (int round = 0; round < kMaxRounds && t_chooser; ++round) {
        FileDialogAnswer answer;
        answer.fileName = view.fileName;
        answer.filterIndex = view.filterIndex;
        t_chooser(view, answer, t_context);
        if (!answer.ok || answer.fileName.empty()) return FALSE;  // cancelled: no error
        std::string path = fullPath(view, answer.fileName);
        view.warning = refusal(view, path, answer);
        view.fileName = answer.fileName;
        if (answer.filterIndex) view.filterIndex = answer.filterIndex;
        if (!view.warning.empty()) continue;

        if (path.size() + 1 > ofn->nMaxFile) {
            // The caller learns the room it needs from the buffer's first two bytes.
            if (ofn->nMaxFile >= sizeof(WORD)) {
                WORD need = static_cast<WORD>(path.size() + 1 > 0xFFFF ? 0xFFFF : path.size() + 1);
                std::memcpy(ofn->lpstrFile, &need, sizeof need);
            }
            return fail(FNERR_BUFFERTOOSMALL);
        }
        size_t file = fileOffset(path);
        size_t dot = path.find_last_of('.');
        std::memcpy(ofn->lpstrFile, path.c_str(), path.size() + 1);
        ofn->nFileOffset = static_cast<WORD>(file);
        ofn->nFileExtension = static_cast<WORD>(dot == std::string::npos || dot < file ? 0 : dot + 1);
        copyBounded(path.substr(file), ofn->lpstrFileTitle, ofn->nMaxFileTitle);
        ofn->nFilterIndex = view.filterIndex;
        if (ofn->Flags & OFN_HIDEREADONLY) ofn->Flags &= ~OFN_READONLY;
        return TRUE;
    }
    return FALSE;
}

}  // namespace

void SetFileDialogChooser(FileDialogChooser chooser, void* context) {
    t_chooser = chooser;
    t_context = context;
}

}  // namespace commdlg

namespace {

BOOL guarded(LPOPENFILENAMEA ofn, bool save) {
    try {
        return commdlg::run(ofn, save);
    } catch (...) {
        return commdlg::fail(CDERR_MEMALLOCFAILURE);
    }
}

}  // namespace

extern "C" BOOL WINAPI GetOpenFileNameA(LPOPENFILENAMEA ofn) { return guarded(ofn, false); }

extern "C" BOOL WINAPI GetSaveFileNameA(LPOPENFILENAMEA ofn) { return guarded(ofn, true); }

extern "C" DWORD WINAPI CommDlgExtendedError(void) { return commdlg::t_error; }
