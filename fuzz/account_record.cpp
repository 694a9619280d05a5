// Fuzz target of the stored account record: any bytes are read as the current record or one of
// its older forms, or refused whole; a record taken always holds its id terminated inside its
// field, and a refused one is the default record.
#include "features/account_data.h"

#include <cstdint>
#include <cstdlib>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace account;
    std::vector<uint8_t> value(data, data + size);  // exactly the bytes, for the sanitizer
    Record record;
    const bool taken = DecodeRecord(ByteView(value.data(), value.size()), record);
    if (taken != (size == kRecordSize || size == kOldSize || size == kOldLongSize)) std::abort();
    if (record[kOffId + kIdRoom - 1] != 0) std::abort();
    if (!taken && record != DefaultRecord()) std::abort();
    if (size >= 13) FormatNumber(data[4], uint32_t(data[5]) | uint32_t(data[6]) << 8 | uint32_t(data[7]) << 16 |
                                              uint32_t(data[8]) << 24);
    return 0;
}
