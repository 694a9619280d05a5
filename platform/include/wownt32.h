// The generic thunks' conversions: a 32-bit library called from the 16-bit side turns the 16:16
// pointers it is handed into flat pointers, and 16-bit handles into the system's handles.
#pragma once

#include "windef.h"

typedef enum _WOW_HANDLE_TYPE {
    WOW_TYPE_HWND,
    WOW_TYPE_HMENU,
    WOW_TYPE_HDWP,
    WOW_TYPE_HDROP,
    WOW_TYPE_HDC,
    WOW_TYPE_HFONT,
    WOW_TYPE_HMETAFILE,
    WOW_TYPE_HRGN,
    WOW_TYPE_HBITMAP,
    WOW_TYPE_HBRUSH,
    WOW_TYPE_HPALETTE,
    WOW_TYPE_HPEN,
    WOW_TYPE_HACCEL,
    WOW_TYPE_HTASK,
    WOW_TYPE_FULLHWND
} WOW_HANDLE_TYPE;

// The flat address of `dwBytes` bytes at the 16:16 pointer `vp` (selector in the high word),
// or null when the selector maps no segment or the block would pass the segment's limit.
WINBASEAPI LPVOID WINAPI WOWGetVDMPointer(DWORD vp, DWORD dwBytes, BOOL fProtectedMode);
// The same, with the segment held in place until the matching WOWGetVDMPointerUnfix.
WINBASEAPI LPVOID WINAPI WOWGetVDMPointerFix(DWORD vp, DWORD dwBytes, BOOL fProtectedMode);
WINBASEAPI VOID WINAPI WOWGetVDMPointerUnfix(DWORD vp);
// The system's handle for a 16-bit handle (null when it names nothing of that type), and back.
WINBASEAPI HANDLE WINAPI WOWHandle32(WORD h16, WOW_HANDLE_TYPE type);
WINBASEAPI WORD WINAPI WOWHandle16(HANDLE h32, WOW_HANDLE_TYPE type);

// 16-bit global memory a 32-bit library hands to the 16-bit side: `cb` zero-filled bytes (1 to
// 64 KiB) in a segment of their own, locked; the block's 16:16 pointer (offset 0) and, in
// *phMem16, its 16-bit handle; 0 when the size is out of range or memory runs out. GMEM_ flags
// are accepted and the block is always zero-filled. WOWGlobalUnlockFree16 frees the block
// its pointer names: 0 when done, else the pointer back.
typedef WORD HMEM16;
WINBASEAPI DWORD WINAPI WOWGlobalAllocLock16(WORD wFlags, DWORD cb, HMEM16* phMem16);
WINBASEAPI DWORD WINAPI WOWGlobalUnlockFree16(DWORD vpMem);
