// `CmPreset`: the common base of the objects that keep named sets of settings outside the
// device mode (stored profiles, later watermark presets, overlays and user paper). It holds the
// printer's key-safe name for registry paths, one owned list buffer, whole-file save and load,
// and the export and import file dialogs with their messages.
#pragma once

#include "core/device/user_data.h"

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Room of the name and path blocks: a Windows path with its terminator.
inline constexpr size_t kPresetPathRoom = 260;

class CmPreset : public CmModule {
public:
    CmPreset(UIDEVDATA* owner, uintptr_t creationValue);
    ~CmPreset() override = default;
    CmPreset(const CmPreset&) = delete;
    CmPreset& operator=(const CmPreset&) = delete;

    // The printer name as one registry key part: a network name loses its two leading
    // backslashes and a doubled backslash becomes one, so "\\host\\queue" gives "host\queue"
    // (stored data already lives under that extra key level). At most 259 characters.
    virtual std::string NormalizePrinterName(const char* text) const;
    // The derived class's list; the base has none.
    virtual std::vector<uint8_t> LoadList() { return {}; }
    // Keeps the list that LoadList builds; false when it built none.
    virtual bool ReloadList();
    // The whole of data written to a new file that replaces an old one; a short or failed write
    // leaves no file behind.
    virtual bool SaveFile(HWND owner, const char* fileName, const void* data, DWORD size) const;
    // Exactly size bytes read from an existing file.
    virtual bool LoadFile(HWND owner, const char* fileName, void* buffer, DWORD size) const;
    // The save and open dialogs. file holds at least kPresetPathRoom bytes; filter is written
    // with '|' between its parts and is not changed. True when a file was chosen.
    virtual bool ExportDialog(HWND owner, char* file, const char* filter, const char* initialFolder,
                              const char* defaultExtension) const;
    virtual bool ImportDialog(HWND owner, char* file, const char* filter, const char* initialFolder,
                              const char* defaultExtension) const;
    virtual bool ContainsBackslash(const char* text) const;
    // False for "." and for a name holding \ / : , ; * ? " < > or |.
    virtual bool IsValidFileName(const char* text) const;

    void SetBuffer(std::vector<uint8_t> buffer) { buffer_ = std::move(buffer); }
    const std::vector<uint8_t>& GetBuffer() const { return buffer_; }
    // "Software\Vomel\" and the page-description language's key name; empty when the device
    // data names none.
    std::string BuildRegistryPath() const;

    UIDEVDATA* Owner() const { return owner_; }
    HANDLE PrinterHandle() const { return printerHandle_; }
    const std::string& PrinterKeyName() const { return printerKeyName_; }
    uintptr_t CreationValue() const { return creationValue_; }

    // Shows a message of the owner's catalogue; nothing when it has none.
    void ShowMessage(HWND owner, UINT id) const;

protected:
    // How a file dialog is put and what it says. It opens again, after its message, for a name
    // the dialog refused and for a chosen path at least pathRoom long (without a message, and
    // keeping the path, when tooLongMessage is 0).
    struct FileDialogRules {
        const char* title = nullptr;
        const char* initialFolder = nullptr;
        const char* extension = nullptr;
        size_t pathRoom = kPresetPathRoom;
        UINT tooLongMessage = 0;
        UINT bufferTooSmallMessage = 22;
        UINT invalidNameMessage = 23;
    };
    bool FileDialog(bool save, HWND owner, char* file, const char* filter, const FileDialogRules& rules) const;

private:

    std::vector<uint8_t> buffer_;
    uintptr_t creationValue_;
    UIDEVDATA* owner_;
    HANDLE printerHandle_ = nullptr;
    std::string printerKeyName_;
};
