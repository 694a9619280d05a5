// Decoding of the stored account record and its older forms.
#include "features/account_data.h"

#include <algorithm>
#include <cstring>

namespace account {

namespace {

// The older forms: a numeric id field at 4, the code field at 14, a 16-bit flag at 24.
constexpr size_t kOldOffIdDigits = 4;
constexpr size_t kOldOffIdValue = 5;
constexpr size_t kOldOffCode = 14;
constexpr size_t kOldOffFlag = 24;

}  // namespace

Record DefaultRecord() {
    Record record{};
    MutableByteView out(record.data(), record.size());
    out.put_u16(kOffSize, kRecordSize);
    out.put_u16(kOffVersion, kVersion);
    out.put_u32(kOffFlag, 1);
    return record;
}

std::string FormatNumber(uint8_t digits, uint32_t value) {
    if (digits == 0) return {};
    std::string text = std::to_string(value);
    if (text.size() < digits) text.insert(0, digits - text.size(), '0');
    // The field holds seven characters: a longer text would have run over the code behind it.
    return text.size() < kIdRoom ? text : std::string();
}

bool DecodeRecord(ByteView stored, Record& record) {
    record = DefaultRecord();
    MutableByteView out(record.data(), record.size());
    if (stored.size() == kRecordSize) {
        stored.bytes(0, record.data(), kRecordSize);
    } else if (stored.size() == kOldSize || stored.size() == kOldLongSize) {
        uint8_t code[kCodeFieldSize] = {};
        uint8_t digits = 0;
        uint32_t id = 0;
        int16_t flag = 0;
        stored.bytes(kOldOffCode, code, sizeof code);
        stored.u8(kOldOffIdDigits, digits);
        stored.u32(kOldOffIdValue, id);
        stored.s16(kOldOffFlag, flag);
        out.put_bytes(kOffCodeDigits, code, sizeof code);
        out.put_s32(kOffFlag, flag);
        const std::string text = FormatNumber(digits, id);
        out.put_bytes(kOffId, text.data(), text.size());
    } else {
        return false;
    }
    // A stored id may fill its field: it ends inside it.
    out.put_u8(kOffId + kIdRoom - 1, 0);
    return true;
}

}  // namespace account
