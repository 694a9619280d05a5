// The preset base: the printer's key-safe name, whole-file save and load, the file dialogs with
// their retry rules, and the name checks shared by every kind of stored settings set.
#include "profiles/cm_preset.h"

#include "core/device/service_table.h"
#include "ui/cm_message.h"

#include <commdlg.h>

#include <cstring>

namespace {

constexpr UINT kMessageDialogFailed = 21;

}  // namespace

CmPreset::CmPreset(UIDEVDATA* owner, uintptr_t creationValue) : creationValue_(creationValue), owner_(owner) {
    if (!owner_ || !owner_->svc) return;
    printerKeyName_ = NormalizePrinterName(owner_->svc->GetPrinterName(owner_));
    printerHandle_ = owner_->svc->GetPrinterHandle(owner_);
}

std::string CmPreset::NormalizePrinterName(const char* text) const {
    std::string name;
    if (!text) return name;
    const char* at = text[0] == '\\' && text[1] == '\\' ? text + 2 : text;
    for (; *at && name.size() < kPresetPathRoom - 1; ++at)
        if (!(at[0] == '\\' && at[1] == '\\')) name.push_back(*at);
    return name;
}

bool CmPreset::ReloadList() {
    SetBuffer(LoadList());
    return !GetBuffer().empty();
}

bool CmPreset::SaveFile(HWND, const char* fileName, const void* data, DWORD size) const {
    if (!data || !fileName) return false;
    HANDLE file = CreateFileA(fileName, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const bool whole = WriteFile(file, data, size, &written, nullptr) && written == size;
    CloseHandle(file);
    if (!whole) DeleteFileA(fileName);
    return whole;
}

bool CmPreset::LoadFile(HWND, const char* fileName, void* buffer, DWORD size) const {
    if (!buffer || !fileName) return false;
    HANDLE file = CreateFileA(fileName, GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD read = 0;
    const bool whole = ReadFile(file, buffer, size, &read, nullptr) && read == size;
    CloseHandle(file);
    return whole;
}

bool CmPreset::ExportDialog(HWND owner, char* file, const char* filter, const char* initialFolder,
                            const char* defaultExtension) const {
    return FileDialog(true, owner, file, filter, {.initialFolder = initialFolder, .extension = defaultExtension});
}

bool CmPreset::ImportDialog(HWND owner, char* file, const char* filter, const char* initialFolder,
                            const char* defaultExtension) const {
    return FileDialog(false, owner, file, filter, {.initialFolder = initialFolder, .extension = defaultExtension});
}

bool CmPreset::FileDialog(bool save, HWND owner, char* file, const char* filter, const FileDialogRules& rules) const {
    if (!file) return false;
    // The caller's filter may be a constant: the dialog's form of it is a local copy.
    std::string filterParts;
    if (filter) {
        filterParts.assign(filter);
        for (char& c : filterParts)
            if (c == '|') c = '\0';
        filterParts.push_back('\0');
    }
    char title[kPresetPathRoom + 1] = {};
    OPENFILENAMEA dialog = {};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filter ? filterParts.c_str() : nullptr;
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = file;
    dialog.nMaxFile = kPresetPathRoom;
    dialog.lpstrFileTitle = title;
    dialog.nMaxFileTitle = kPresetPathRoom;
    dialog.lpstrTitle = rules.title;
    dialog.lpstrInitialDir = rules.initialFolder;
    dialog.lpstrDefExt = rules.extension;
    dialog.Flags = save ? OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_LONGNAMES
                        : OFN_HIDEREADONLY | OFN_FILEMUSTEXIST;
    for (;;) {
        if (save ? GetSaveFileNameA(&dialog) : GetOpenFileNameA(&dialog)) {
            // A path that fills the whole field, or is longer than the caller keeps, is not a path
            // the caller can use: ask again.
            if (strnlen(file, kPresetPathRoom) < rules.pathRoom) return true;
            if (rules.tooLongMessage) {
                ShowMessage(owner, rules.tooLongMessage);
                file[0] = '\0';
            }
            continue;
        }
        const DWORD error = CommDlgExtendedError();
        if (error == FNERR_BUFFERTOOSMALL || error == FNERR_INVALIDFILENAME) {
            ShowMessage(owner, error == FNERR_BUFFERTOOSMALL ? rules.bufferTooSmallMessage : rules.invalidNameMessage);
            file[0] = '\0';
            continue;
        }
        if (error != 0) ShowMessage(owner, kMessageDialogFailed);
        return false;
    }
}

bool CmPreset::ContainsBackslash(const char* text) const {
    if (!text) return false;
    for (const char* at = text; *at; at = CharNextA(at))
        if (*at == '\\') return true;
    return false;
}

bool CmPreset::IsValidFileName(const char* text) const {
    if (!text) return false;
    if (std::strcmp(text, ".") == 0) return false;
    for (const char* at = text; *at; ++at) {
        if (IsDBCSLeadByte(static_cast<BYTE>(*at))) {
            if (!at[1]) break;
            ++at;
            continue;
        }
        if (std::strchr("\\/:,;*?\"<>|", *at)) return false;
    }
    return true;
}

std::string CmPreset::BuildRegistryPath() const {
    const char* language = owner_ && owner_->svc ? owner_->svc->GetModelBlockB(owner_) : nullptr;
    if (!language || !*language) return {};
    std::string path = "Software\\Vomel\\";
    path += language;
    return path.size() < kPresetPathRoom ? path : std::string();
}

void CmPreset::ShowMessage(HWND owner, UINT id) const {
    if (CmMessage* messages = MessageCatalogue(owner_)) messages->Show(owner, id);
}
