// The pseudo-printer context: an in-memory stand-in for a spooler handle, recognised by 12096 in
// its first word. Tools that have no installed printer hand one in wherever a printer handle is
// taken; it carries a mode word, one further word and numbered data blocks instead of registry
// values. Spooler functions accept it: reads find nothing, writes are refused.
#pragma once

#include <windows.h>

#include <cstddef>

inline constexpr DWORD kPseudoPrinterSignature = 12096;

// Words at their byte offsets; the data slots follow, held natively.
struct PseudoPrinterContext;

// A new context with the given mode word (field 8); release it with PseudoPrinterDestroy.
HANDLE PseudoPrinterCreate(DWORD mode);
void PseudoPrinterDestroy(HANDLE handle);

// Nonzero for a live context made by PseudoPrinterCreate. Only known contexts are read, so any
// other handle, even a stale or made-up one, answers 0 without being touched.
BOOL IsPseudoPrinter(HANDLE handle);

// The mode word: 2 shared profiles, 3 every watermark preset a user preset, 4 tested by the
// configuration. 0 for anything but a context.
DWORD PseudoPrinterGetField8(HANDLE handle);
void PseudoPrinterSetField8(HANDLE handle, DWORD value);
DWORD PseudoPrinterGetField24(HANDLE handle);
void PseudoPrinterSetField24(HANDLE handle, DWORD value);

// Data slots 0 to 31. Setting a slot replaces its block by a copy of `size` bytes (null data or
// size 0 empties it). Getting copies `size` bytes: the block, zero-filled past its end. Both
// answer 0 for anything but a context or a slot out of range; getting also answers 0 (with the
// buffer zeroed) for an empty slot.
BOOL PseudoPrinterSetData(HANDLE handle, DWORD slot, const void* data, DWORD size);
BOOL PseudoPrinterGetData(HANDLE handle, DWORD slot, void* buffer, DWORD size);
