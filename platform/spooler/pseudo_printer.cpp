// Pseudo-printer contexts and the set of live ones that lets IsPseudoPrinter answer for any
// handle without reading memory it does not own.
#include "platform/spooler/pseudo_printer.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstring>
#include <mutex>
#include <unordered_set>
#include <vector>

struct PseudoPrinterContext {
    DWORD signature = kPseudoPrinterSignature;
    DWORD word4 = 0;
    DWORD field8 = 0;
    DWORD word12 = 0;
    DWORD word16 = 0;
    DWORD word20 = 0;
    DWORD field24 = 0;
    std::array<std::vector<BYTE>, 32> slots;
};
static_assert(offsetof(PseudoPrinterContext, field8) == 8 && offsetof(PseudoPrinterContext, field24) == 24);

namespace {

struct Live {
    std::mutex lock;
    std::unordered_set<const void*> contexts;
};

Live& Contexts() {
    static Live* live = new Live;
    return *live;
}

// The context behind a handle, or null; the caller holds the lock while using it.
PseudoPrinterContext* Find(HANDLE handle) {
    if (!Contexts().contexts.count(handle)) return nullptr;
    auto* context = static_cast<PseudoPrinterContext*>(handle);
    return context->signature == kPseudoPrinterSignature ? context : nullptr;
}

// A word of the context, 0 for a handle that names none.
DWORD ReadField(HANDLE handle, DWORD PseudoPrinterContext::*field) {
    std::lock_guard guard(Contexts().lock);
    PseudoPrinterContext* context = Find(handle);
    return context ? context->*field : 0;
}

void WriteField(HANDLE handle, DWORD PseudoPrinterContext::*field, DWORD value) {
    std::lock_guard guard(Contexts().lock);
    if (PseudoPrinterContext* context = Find(handle)) context->*field = value;
}

}  // namespace

HANDLE PseudoPrinterCreate(DWORD mode) {
    auto* context = new PseudoPrinterContext;
    context->field8 = mode;
    std::lock_guard guard(Contexts().lock);
    Contexts().contexts.insert(context);
    return context;
}

void PseudoPrinterDestroy(HANDLE handle) {
    std::lock_guard guard(Contexts().lock);
    PseudoPrinterContext* context = Find(handle);
    if (!context) return;
    Contexts().contexts.erase(handle);
    context->signature = 0;
    delete context;
}

BOOL IsPseudoPrinter(HANDLE handle) {
    std::lock_guard guard(Contexts().lock);
    return Find(handle) != nullptr;
}

DWORD PseudoPrinterGetField8(HANDLE handle) { return ReadField(handle, &PseudoPrinterContext::field8); }
void PseudoPrinterSetField8(HANDLE handle, DWORD value) { WriteField(handle, &PseudoPrinterContext::field8, value); }
DWORD PseudoPrinterGetField24(HANDLE handle) { return ReadField(handle, &PseudoPrinterContext::field24); }
void PseudoPrinterSetField24(HANDLE handle, DWORD value) { WriteField(handle, &PseudoPrinterContext::field24, value); }

BOOL PseudoPrinterSetData(HANDLE handle, DWORD slot, const void* data, DWORD size) {
    std::lock_guard guard(Contexts().lock);
    PseudoPrinterContext* context = Find(handle);
    if (!context || slot >= context->slots.size()) return FALSE;
    auto* bytes = static_cast<const BYTE*>(data);
    context->slots[slot].assign(bytes, bytes + (bytes ? size : 0));
    return TRUE;
}

BOOL PseudoPrinterGetData(HANDLE handle, DWORD slot, void* buffer, DWORD size) {
    std::lock_guard guard(Contexts().lock);
    PseudoPrinterContext* context = Find(handle);
    if (!context || slot >= context->slots.size() || (!buffer && size)) return FALSE;
    const std::vector<BYTE>& block = context->slots[slot];
    size_t copied = std::min<size_t>(size, block.size());
    if (copied) std::memcpy(buffer, block.data(), copied);
    if (size > copied) std::memset(static_cast<BYTE*>(buffer) + copied, 0, size - copied);
    return block.empty() ? FALSE : TRUE;
}
