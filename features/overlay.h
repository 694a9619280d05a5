// `Overlay`: the request's form overlay object. It keeps the recently used and created overlay
// files and the language's recent list in the printer's registry key, chooses files with the
// file dialogs, and checks a chosen file: a file to create must be writable, a file to use must
// carry an overlay header of this printer.
#pragma once

#include "features/overlay_header.h"
#include "features/overlay_lists.h"
#include "profiles/cm_preset.h"

#include <string>

class Overlay : public CmPreset {
public:
    Overlay(UIDEVDATA* owner, uintptr_t creationValue);

    using Entry = overlay::OverlayEntry;
    using List = overlay::OverlayList;

    // The used and created lists from "OverlaySheetdata"; false (lists empty) when it is missing.
    bool LoadLists();
    bool SaveLists();
    bool LoadRecentList();
    bool SaveRecentList();
    void AddUsed(const Entry& entry) { used_ = overlay::AddedInFront(used_, entry); }
    void AddCreated(const Entry& entry) { created_ = overlay::AddedInFront(created_, entry); }
    void AddRecent(const Entry& entry) { recent_ = overlay::AddedRecent(recent_, entry); }
    const List& Used() const { return used_; }
    const List& Created() const { return created_; }
    const List& Recent() const { return recent_; }

    // The file dialogs: file holds kPresetPathRoom bytes; filter has '|' between its parts. A
    // chosen path must fit the overlay option (127 characters). True when a file was chosen.
    bool SaveFileDialog(HWND owner, char* file, const char* filter, const char* title, const char* extension) const;
    bool OpenFileDialog(HWND owner, char* file, const char* filter, const char* title, const char* extension) const;
    // Kind 1 (create): the file can be written; kind 2 (use): the file is an overlay that may
    // be used, with its differences reported. Messages go to owner. True when the path may be used.
    bool CheckPath(HWND owner, const char* path, int kind);
    bool CheckWritablePath(HWND owner, const char* path) const;
    bool CheckOverlayFile(HWND owner, const char* path);
    // The header check of the file (the result codes of overlay_header.h).
    int CheckHeader(const char* path) const;
    // The settings' facts the header is checked against.
    overlay::HeaderFacts Facts() const;
    std::string Filter() const;
    std::string DefaultExtension() const;

private:
    bool ColourDevice() const;
    static FileDialogRules Rules(const char* title, const char* extension);

    std::string basePath_;
    List used_, created_, recent_;
};

CmModule* MakeOverlay(UIDEVDATA* ctx);
