// The numbers by which the 16-bit side holds this library's objects. A generic thunk passes
// 32-bit words, and the 16-bit driver keeps what an export returned in one; a number names a
// live object of one kind only, so that a stale, forged or mistyped number is refused rather
// than followed.
#pragma once

#include <windows.h>

enum class HandleKind { DeviceObject, SheetData };

// A new number for the object (never 0); 0 when numbers ran out.
DWORD NumberFor(HandleKind kind, void* object);
// The live object of that kind the number names, or null.
void* ObjectOf(HandleKind kind, DWORD number);
// Forgets the number and answers its object; null when it names none of that kind.
void* TakeNumber(HandleKind kind, DWORD number);
// The number of a live object, or 0.
DWORD NumberOf(HandleKind kind, const void* object);
