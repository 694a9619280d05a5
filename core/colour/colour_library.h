// The colour-profile library's function table, as `UiServiceTable::LoadColorLibraries` fills it:
// the maker's library lies outside the driver, so every answer it gives is checked by the caller
// before it is believed (texts may come back unterminated, sizes may not be what was asked for).
#pragma once

#include <windows.h>

// Handles of the library's own objects; the driver only passes them back.
typedef void* KRXENUM;
typedef void* KRXPROFILE;

// Each answers TRUE on success. Texts go into the caller's buffer of `size` bytes; *size comes
// back as the length the library wrote (which a caller must not trust).
struct ColorLibraryTable {
    // Terminates the library and unloads it; the table is empty afterwards.
    void (*Release)(ColorLibraryTable* table);
    BOOL(WINAPI* DisposeProfileEnumerator)(KRXENUM enumerator);
    BOOL(WINAPI* CloseProfile)(KRXPROFILE profile);
    // The text of a tag ('desc' is 0x64657363).
    BOOL(WINAPI* GetTagText)(KRXPROFILE profile, DWORD tag, LPSTR text, DWORD* size);
    // The profile's header (128 bytes asked for).
    BOOL(WINAPI* GetProfileInfo)(KRXPROFILE profile, BYTE* header, DWORD* size);
    BOOL(WINAPI* OpenProfile)(LPCSTR path, KRXPROFILE* profile);
    // The path of profile `index` (1 to count) of the enumerator.
    BOOL(WINAPI* GetProfileDescriptor)(KRXENUM enumerator, DWORD index, LPSTR path, DWORD* size);
    BOOL(WINAPI* GetProfileEnumerator)(LPCSTR folder, KRXENUM* enumerator, DWORD* count);
    BOOL(WINAPI* GetSysProfilePath)(LPSTR path, DWORD* size);
    BOOL(WINAPI* Initialize)(void);
    BOOL(WINAPI* Terminate)(void);
    HMODULE module;
};

// The library's file names: the first is tried before the second.
inline constexpr const char* kColorLibraryNames[] = {"KRX32P.DLL", "KRX32.DLL"};

// Loads the library and fills the table (kind 0 is the only kind); FALSE, with the table empty,
// when the library or one of its functions is missing or it refuses to start.
BOOL LoadColorLibraryTable(int kind, ColorLibraryTable* table);
