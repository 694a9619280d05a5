// The batch query: many codes in one request. Data word 0 is the byte offset of the output area;
// a zero-terminated list of codes follows from byte 4. Each code is asked through the option
// object's own request operation, so a code answers here as it would alone.
#include "settings/sdk/cm_non_sv_sdk.h"

#include <cstddef>
#include <cstring>
#include <vector>

namespace {

constexpr size_t kHeadSize = 16;
constexpr size_t kEntryOverhead = 20;  // the head and the word that closes an entry
constexpr uint64_t kLargestValue = 16u << 20;  // no value of the interface comes near

struct EntryHead {
    uint32_t code, result, count, size;
};
static_assert(sizeof(EntryHead) == kHeadSize);

uint32_t WordAt(const uint8_t* bytes, size_t offset) {
    uint32_t word = 0;
    std::memcpy(&word, bytes + offset, sizeof word);
    return word;
}

}  // namespace

LONG CmNonSvSDK::QueryMany(DWORD kind, void* data) {
    if (kind != kSdkKindSize && kind != kSdkKindCount && kind != kSdkKindGet && kind != kSdkKindList)
        return kSdkAnswerNotSupported;
    if (!data) return kSdkAnswerNoItem;
    // A batch inside a batch would ask itself again without end.
    if (inBatch_) return kSdkAnswerNotSupported;
    auto* bytes = static_cast<uint8_t*>(data);
    const uint32_t outputOffset = WordAt(bytes, 0);
    // The caller's buffer is known only up to the output area: the list and its terminator must
    // lie before it, so the scan stops there instead of reading on to a zero that may not be the
    // caller's. Output written over the list would also change the codes still to be read.
    size_t codes = 0;
    for (;; ++codes) {
        const uint64_t at = 4 + 4 * uint64_t{codes};
        if (at + 4 > outputOffset) return kSdkAnswerNoItem;
        if (WordAt(bytes, at) == 0) break;
    }

    inBatch_ = true;
    struct Clear {
        bool& flag;
        ~Clear() { flag = false; }
    } clear{inBatch_};
    uint8_t* out = bytes + outputOffset;

    if (kind == kSdkKindSize || kind == kSdkKindCount) {
        uint64_t total = kEntryOverhead;
        for (size_t i = 0; i < codes; ++i) {
            const uint32_t code = WordAt(bytes, 4 + 4 * i);
            uint32_t size = 0, count = 1;
            if (Request(kSdkKindSize, code, &size) != kSdkAnswerDone) size = 0;
            if (kind == kSdkKindCount && size && Request(kSdkKindCount, code, &count) != kSdkAnswerDone) count = 0;
            total += kEntryOverhead + uint64_t{size} * count;
        }
        const uint32_t word = total > UINT32_MAX ? UINT32_MAX : static_cast<uint32_t>(total);
        std::memcpy(out, &word, sizeof word);
        return kSdkAnswerDone;
    }

    for (size_t i = 0; i < codes; ++i) {
        const uint32_t code = WordAt(bytes, 4 + 4 * i);
        EntryHead head{code, 0, 0, 0};
        uint32_t size = 0, count = 1;
        head.result = static_cast<uint32_t>(Request(kSdkKindSize, code, &size));
        if (head.result == kSdkAnswerDone && kind == kSdkKindList) {
            head.result = static_cast<uint32_t>(Request(kSdkKindCount, code, &count));
            if (head.result == kSdkAnswerDone) head.count = count;
        }
        if (head.result == kSdkAnswerDone) {
            // An entry's value may start at any byte; the operations write whole words, so each
            // answers into a buffer of its own that is then copied into place.
            const uint64_t bytesWanted = uint64_t{size} * count;
            if (bytesWanted > kLargestValue) {
                head = EntryHead{code, static_cast<uint32_t>(kSdkAnswerNoItem), 0, 0};
            } else {
                std::vector<uint32_t> value((bytesWanted + 3) / 4 + 1, 0);
                head.size = static_cast<uint32_t>(bytesWanted);
                head.result = static_cast<uint32_t>(Request(kind, code, value.data()));
                std::memcpy(out + kHeadSize, value.data(), head.size);
            }
        }
        std::memcpy(out, &head, sizeof head);
        out += kEntryOverhead + head.size;
    }
    std::memset(out, 0, kHeadSize);
    return kSdkAnswerDone;
}
