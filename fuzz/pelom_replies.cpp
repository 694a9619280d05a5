// Fuzz target of what the request library hands back to device operations 2 and 3: the first
// byte picks the operation and its form, the next four the byte count the library claims to have
// written, the rest is what it writes. A reply that does not fit its room must be refused, never
// copied, and an accepted reply must leave a terminated text and a length within the data.
#include "core/helpers/byte_view.h"
#include "device/pelom_operations.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace {

const uint8_t* g_bytes = nullptr;
size_t g_size = 0;
uint32_t g_claimed = 0;

int32_t Request(uint32_t, const char*, void* reply, uint32_t size, int32_t* result) {
    std::memcpy(reply, g_bytes, std::min<size_t>(g_size, size));
    *result = 0;
    return 0;
}

int32_t List(uint32_t, void* buffer, uint32_t size, uint32_t, uint32_t* written) {
    std::memcpy(buffer, g_bytes, std::min<size_t>(g_size, size));
    *written = g_claimed;
    return 1;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 5) return 0;
    const uint8_t form = data[0];
    std::memcpy(&g_claimed, data + 1, 4);
    g_bytes = data + 5;
    g_size = size - 5;
    PelomEntryTable table{};
    table.entries[kPelomRequest] = reinterpret_cast<PelomProc>(&Request);
    table.entries[kPelomList] = reinterpret_cast<PelomProc>(&List);
    if (form & 1) {
        auto record = std::make_unique<PelomRequestRecord>();
        std::memset(record->bytes, 0, sizeof record->bytes);
        table.mode = (form & 2) ? 2 : 1;
        RunPelomOperation(table, record.get(), kDevOpPelomRequest);
        ByteView r(record->bytes, sizeof record->bytes);
        int32_t result = 0;
        uint16_t length = 0;
        r.s32(pelom_request::kResult, result);
        r.u16(pelom_request::kReplyLength, length);
        if (result == 0 && (!std::memchr(record->bytes + pelom_request::kReplyText, 0, 64) ||
                            length > pelom_request::kDataSize))
            std::abort();
    } else {
        auto record = std::make_unique<PelomBrowseRecord>();
        std::memset(record->bytes, 0, sizeof record->bytes);
        MutableByteView r(record->bytes, sizeof record->bytes);
        r.put_u32(pelom_browse::kSizeWord, (form & 2) ? 512 : 100);
        r.put_u32(pelom_browse::kKind, (form & 2) ? 10 : 1 + (form >> 5) % 6);
        r.put_u32(pelom_browse::kFlags, (form & 4) ? pelom_browse::kWholeList : 0);
        RunPelomOperation(table, record.get(), kDevOpBrowseList);
        uint32_t written = 0;
        int32_t result = 0;
        r.u32(pelom_browse::kWritten, written);
        r.s32(pelom_browse::kResult, result);
        if (result == 0 && written > pelom_browse::kDataSize) std::abort();
    }
    return 0;
}
