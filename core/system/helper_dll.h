// The loader of the maker's helper libraries (the device-information library and others): a
// handle that finds the folder a library lives in, loads it with that folder as the current
// directory, as those libraries expect to find their own files, and puts everything back.
#pragma once

#include <windows.h>

// The handle: the module first, then the folder and the caller's directory, saved while a
// library is loaded from the folder.
struct HelperDll {
    HMODULE module;
    char folder[MAX_PATH];
    char savedDirectory[MAX_PATH];
};

// Where GetFolder looks.
inline constexpr int kHelperFolderDriver = 1;    // the printer driver's folder of the named printer
inline constexpr int kHelperFolderFontivar = 2;  // "Path" under HKLM "SOFTWARE\Vomel\Fontivar\Setup"
inline constexpr int kHelperFolderSystem = 3;    // the system folder

inline constexpr char kFontivarSetupKey[] = "SOFTWARE\\Vomel\\Fontivar\\Setup";

// Answers of GetFolder and Load.
inline constexpr int kHelperDone = 0;
inline constexpr int kHelperNotFound = -1;     // printer, value, folder or library not there
inline constexpr int kHelperTooLong = -2;      // a folder or path that does not fit MAX_PATH
inline constexpr int kHelperBadArgument = -87;

// A zeroed handle from the private heap; null when the heap refuses.
HelperDll* HelperDll_Create();
// Fills `folder` (`size` bytes) with the folder of that kind, without a trailing backslash.
// The folder is left empty unless the answer is kHelperDone.
int HelperDll_GetFolder(LPSTR folder, DWORD size, LPCSTR printerName, int kind);
// Makes the handle's folder current, saving the caller's directory, and loads "folder\fileName".
// On failure the caller's directory is current again and no module is held.
int HelperDll_Load(HelperDll* handle, LPCSTR fileName);
// Load of `first`, else of `second`.
int HelperDll_LoadWithFallback(HelperDll* handle, LPCSTR first, LPCSTR second);
// Frees the library, makes the saved directory current again and frees the handle.
void HelperDll_Destroy(HelperDll* handle);
