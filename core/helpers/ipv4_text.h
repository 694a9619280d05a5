// Dotted IPv4 address texts, as a pseudo printer stores the address of the device it stands for.
#pragma once

#include <windows.h>

// Nonzero when `text` is four decimal numbers of 0 to 255 joined by dots ("192.168.1.20"), with
// nothing before, between or after them; the four bytes then go to `out` (which must hold
// `size` bytes, at least 4). Nothing is written for a text that is not an address.
BOOL IsIpv4Text(LPCSTR text, BYTE* out, DWORD size);
