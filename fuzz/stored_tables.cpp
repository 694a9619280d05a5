// Fuzz target of the parsers of the printer's stored tables: the mail-box names. Any bytes must
// be taken or refused whole, never read out of bounds.
#include "model/mail_box_names.h"

#include <cstdint>
#include <cstdlib>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // A copy of exactly size bytes, so that the sanitizer sees any read past the end.
    std::vector<uint8_t> input(data, data + size);
    MailBoxRecord boxes[kMailBoxesPerValue] = {};
    bool taken = ParseMailBoxValue(ByteView(input.data(), input.size()), boxes);
    if (taken != (size == kMailBoxValueSize)) std::abort();
    char name[kMailBoxDisplayName + 1];
    for (const MailBoxRecord& box : boxes) MailBoxDisplayName(box, name);
    return 0;
}
