// VirtualAlloc and VirtualFree over anonymous host mappings. Reservations are remembered so
// that MEM_RELEASE frees a whole reservation from its base only, and commits stay inside one.
#include <windows.h>

#include <sys/mman.h>
#include <unistd.h>

#include <map>
#include <mutex>

namespace {

std::mutex g_lock;
std::map<UINT_PTR, SIZE_T> g_reservations;  // base -> size in bytes

int ProtectionOf(DWORD protect) {
    switch (protect & 0xFF) {
    case PAGE_NOACCESS: return PROT_NONE;
    case PAGE_READONLY: return PROT_READ;
    case PAGE_READWRITE: case PAGE_WRITECOPY: return PROT_READ | PROT_WRITE;
    case PAGE_EXECUTE: return PROT_EXEC;
    case PAGE_EXECUTE_READ: return PROT_READ | PROT_EXEC;
    case PAGE_EXECUTE_READWRITE: case PAGE_EXECUTE_WRITECOPY: return PROT_READ | PROT_WRITE | PROT_EXEC;
    default: return -1;
    }
}

UINT_PTR PageSize() { return static_cast<UINT_PTR>(sysconf(_SC_PAGESIZE)); }

// The reservation holding [start, start + size), or end(). Called with g_lock held.
std::map<UINT_PTR, SIZE_T>::iterator Containing(UINT_PTR start, SIZE_T size) {
    auto it = g_reservations.upper_bound(start);
    if (it == g_reservations.begin()) return g_reservations.end();
    --it;
    return start + size <= it->first + it->second ? it : g_reservations.end();
}

}  // namespace

extern "C" LPVOID WINAPI VirtualAlloc(LPVOID lpAddress, SIZE_T dwSize, DWORD flAllocationType, DWORD flProtect) {
    int prot = ProtectionOf(flProtect);
    if (dwSize == 0 || prot < 0 || !(flAllocationType & (MEM_COMMIT | MEM_RESERVE))) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    UINT_PTR page = PageSize();
    std::lock_guard guard(g_lock);
    if (lpAddress && !(flAllocationType & MEM_RESERVE)) {
        // Commit inside an existing reservation: whole pages, contents kept.
        UINT_PTR start = reinterpret_cast<UINT_PTR>(lpAddress) & ~(page - 1);
        UINT_PTR end = (reinterpret_cast<UINT_PTR>(lpAddress) + dwSize + page - 1) & ~(page - 1);
        if (Containing(start, end - start) == g_reservations.end()) {
            SetLastError(ERROR_INVALID_ADDRESS);
            return nullptr;
        }
        if (mprotect(reinterpret_cast<void*>(start), end - start, prot) != 0) {
            SetLastError(ERROR_INVALID_ADDRESS);
            return nullptr;
        }
        return reinterpret_cast<void*>(start);
    }
    SIZE_T size = (dwSize + page - 1) & ~(page - 1);
    void* p = mmap(lpAddress, size, (flAllocationType & MEM_COMMIT) ? prot : PROT_NONE,
                   MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
    if (p == MAP_FAILED) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    if (lpAddress && p != lpAddress) {  // the place asked for is taken
        munmap(p, size);
        SetLastError(ERROR_INVALID_ADDRESS);
        return nullptr;
    }
    g_reservations[reinterpret_cast<UINT_PTR>(p)] = size;
    return p;
}

extern "C" BOOL WINAPI VirtualFree(LPVOID lpAddress, SIZE_T dwSize, DWORD dwFreeType) {
    UINT_PTR address = reinterpret_cast<UINT_PTR>(lpAddress);
    std::lock_guard guard(g_lock);
    if (dwFreeType == MEM_RELEASE) {
        auto it = g_reservations.find(address);
        if (it == g_reservations.end() || dwSize != 0) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return FALSE;
        }
        munmap(lpAddress, it->second);
        g_reservations.erase(it);
        return TRUE;
    }
    if (dwFreeType == MEM_DECOMMIT) {
        UINT_PTR page = PageSize();
        UINT_PTR start = address & ~(page - 1);
        auto it = Containing(start, 1);
        if (it == g_reservations.end()) {
            SetLastError(ERROR_INVALID_ADDRESS);
            return FALSE;
        }
        // Size 0 decommits the rest of the reservation; a later commit reads zeros again.
        UINT_PTR end = dwSize ? (address + dwSize + page - 1) & ~(page - 1) : it->first + it->second;
        if (end > it->first + it->second) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return FALSE;
        }
        madvise(reinterpret_cast<void*>(start), end - start, MADV_DONTNEED);
        mprotect(reinterpret_cast<void*>(start), end - start, PROT_NONE);
        return TRUE;
    }
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
}
