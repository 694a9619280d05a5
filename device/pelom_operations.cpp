// Device operations 2, 3 and 4: the request library's entry table as the link, its records as
// the record. The library's replies are outside input: a length, a text or a byte count that
// does not fit the room given is refused, never copied. Every failure leaves its negative code
// in the record's result word and the operation answers 0, as the other device operations do.
#include "device/pelom_operations.h"

#include <cstring>

namespace {

constexpr int32_t kBadArgument = -1;
constexpr int32_t kReplyDoesNotFit = -12;

template <class F>
F Entry(const PelomEntryTable& table, int index) {
    return reinterpret_cast<F>(table.entries[index]);
}

int Fail(MutableByteView record, size_t resultAt, int32_t code) {
    record.put_s32(resultAt, code);
    return 0;
}

// Operation 2: the list of stored documents into the file-browse record.
int BrowseList(const PelomEntryTable& table, PelomBrowseRecord* r) {
    using namespace pelom_browse;
    MutableByteView record(r->bytes, kSize);
    auto list = Entry<PelomListProc>(table, kPelomList);
    if (!list) return Fail(record, kResult, kBadArgument);
    uint32_t sizeWord = 0, kind = 0, flags = 0, written = 0;
    record.u32(kSizeWord, sizeWord);
    record.u32(kKind, kind);
    record.u32(kFlags, flags);
    if (sizeWord < kShortFormLimit) {
        if (kind < 1 || kind > 5) return Fail(record, kResult, kBadArgument);
        int32_t answer = list(kind, r->bytes + kData, kShortSize, flags, &written);
        if (answer < 0) return Fail(record, kResult, answer);
        if (written > kShortSize) return Fail(record, kResult, kReplyDoesNotFit);
        record.put_u32(kWritten, written);
        record.put_s32(kAnswer, answer);
        return 0;
    }
    if (!(flags & kWholeList)) {
        // A short list of 100 words, one to each 132-byte entry.
        uint8_t words[400] = {};
        int32_t answer = list(kind, words, sizeof words, flags, &written);
        if (answer < 0) return Fail(record, kResult, answer);
        if (written > sizeof words) return Fail(record, kResult, kReplyDoesNotFit);
        ByteView from(words, sizeof words);
        for (size_t i = 0; i < written / 4; ++i) {
            uint32_t word = 0;
            from.u32(i * 4, word);
            record.put_u32(kData + i * kEntrySize, word);
        }
        record.put_u32(kWritten, written);
        if (answer > 0) record.put_s32(kAnswer, answer);
        return 0;
    }
    record.fill(kData, 0, kDataSize);
    int32_t answer = list(kind, r->bytes + kData, kDataSize, flags, &written);
    if (answer < 0) return Fail(record, kResult, answer);
    if (written > kDataSize) return Fail(record, kResult, kReplyDoesNotFit);
    record.put_u32(kWritten, written);
    if (answer > 0) record.put_s32(kAnswer, answer);
    return 0;
}

// Operation 3: one request; its reply is checked whole before any of it reaches the record.
int Request(const PelomEntryTable& table, PelomRequestRecord* r) {
    using namespace pelom_request;
    MutableByteView record(r->bytes, kSize);
    auto request = Entry<PelomRequestProc>(table, kPelomRequest);
    if (!request || (table.mode != 1 && table.mode != 2)) return Fail(record, kResult, kBadArgument);
    const uint32_t size = table.mode == 1 ? pelom_reply::kSizeMode1 : pelom_reply::kSizeMode2;
    uint8_t reply[pelom_reply::kSizeMode2] = {};
    char user[kUserNameSize + 1] = {};
    record.bytes(kUserName, user, kUserNameSize);
    uint32_t ten = 0;
    record.u32(kTen, ten);
    int32_t result = 0;
    int32_t answer = request(ten, user, reply, size, &result);
    if (answer < 0) return Fail(record, kResult, answer);

    ByteView from(reply, size);
    uint16_t length = 0, wordA = 0;
    uint32_t wordB = 0;
    from.u16(pelom_reply::kLength, length);
    from.u16(pelom_reply::kWordA, wordA);
    from.u32(pelom_reply::kWordB, wordB);
    const char* text = reinterpret_cast<const char*>(reply + pelom_reply::kText);
    if (!std::memchr(text, 0, pelom_reply::kTextSize) || length > size - pelom_reply::kData)
        return Fail(record, kResult, kReplyDoesNotFit);
    record.put_u32(kReplyAt, pelom_reply::kData);
    record.put_u16(kReplyLength, length);
    record.fill(kReplyText, 0, 64);
    record.put_bytes(kReplyText, text, std::strlen(text));
    if (table.mode == 2) record.put_bytes(kReplyWords, reply + pelom_reply::kWords, 64);
    record.put_u16(kReplyWordA, wordA);
    record.put_u32(kReplyWordB, wordB);
    record.put_u32(kDataAt, pelom_reply::kData);
    record.fill(kData, 0, kDataSize);
    record.put_bytes(kData, reply + pelom_reply::kData, length);
    record.put_s32(kResult, result);
    return 0;
}

// Operation 4: the library's status word, then its status record.
int Status(const PelomEntryTable& table, PelomRequestRecord* r) {
    using namespace pelom_request;
    MutableByteView record(r->bytes, kSize);
    auto word = Entry<PelomStatusWordProc>(table, kPelomStatusWord);
    auto status = Entry<PelomStatusRecordProc>(table, kPelomStatusRecord);
    if (!word || !status) return Fail(record, kResult, kBadArgument);
    int32_t answer = word();
    if (answer < 0) return Fail(record, kResult, answer);
    record.put_s32(kTen, answer);
    answer = status(r->bytes + kUserName, static_cast<uint32_t>(kSize - kUserName));
    if (answer < 0) return Fail(record, kResult, answer);
    return 0;
}

}  // namespace

int RunPelomOperation(const PelomEntryTable& table, void* record, int operation) {
    switch (operation) {
    case kDevOpBrowseList: return BrowseList(table, static_cast<PelomBrowseRecord*>(record));
    case kDevOpPelomRequest: return Request(table, static_cast<PelomRequestRecord*>(record));
    case kDevOpPelomStatus: return Status(table, static_cast<PelomRequestRecord*>(record));
    default: return kBadArgument;
    }
}
