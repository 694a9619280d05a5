// Spooler information read into the private heap in one call where the usual answer fits: a
// size query before every fill read the printer's whole record twice, and sessions open often.
#pragma once

#include "core/memory/private_heap.h"

#include <windows.h>

// `query(buffer, room, &needed)` is a spooler call that fills a buffer (GetPrinterA, ...). It is
// asked once with `firstRoom` bytes and again only when it says it needs more. Answers the
// filled block (PrivateFree it), or null with the spooler's last error.
template <typename Query>
void* QueryIntoPrivateHeap(Query query, DWORD firstRoom) {
    DWORD room = firstRoom;
    for (int attempt = 0; attempt < 2; ++attempt) {
        void* buffer = PrivateAlloc(room);
        if (!buffer) return nullptr;
        DWORD needed = 0;
        if (query(static_cast<LPBYTE>(buffer), room, &needed)) return buffer;
        const DWORD error = GetLastError();
        PrivateFree(buffer);
        SetLastError(error);
        if (error != ERROR_INSUFFICIENT_BUFFER || needed <= room) return nullptr;
        room = needed;
    }
    return nullptr;
}
