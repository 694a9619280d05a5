// Fuzz target of the parsers of the printer's stored tables: mail-box names, the font
// substitution table (its two counts taken from the first eight bytes) and form records. Any
// bytes must be taken or refused whole, never read out of bounds.
#include "core/datafile/font_subst_table.h"
#include "core/datafile/form_database.h"
#include "model/mail_box_names.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // Copies of exactly the bytes each parser gets, so that the sanitizer sees any read past the end.
    std::vector<uint8_t> input(data, data + size);
    MailBoxRecord boxes[kMailBoxesPerValue] = {};
    bool taken = ParseMailBoxValue(ByteView(input.data(), input.size()), boxes);
    if (taken != (size == kMailBoxValueSize)) std::abort();
    char name[kMailBoxDisplayName + 1];
    for (const MailBoxRecord& box : boxes) MailBoxDisplayName(box, name);

    FormEntry form;
    if (ParseFormRecord(ByteView(input.data(), input.size()), form) && (size != kFormRecordSize || form.width == 0))
        std::abort();

    if (size >= 8) {
        uint32_t declared, count;
        std::memcpy(&declared, data, 4);
        std::memcpy(&count, data + 4, 4);
        std::vector<uint8_t> table(data + 8, data + size);
        std::vector<FontSubstEntry> entries;
        if (ParseFontSubstTable(ByteView(table.data(), table.size()), declared, count, entries)) {
            if (entries.size() != count || table.size() != size_t{count} * kFontSubstRecordSize) std::abort();
            std::vector<uint8_t> again = SerializeFontSubstTable(entries);
            if (again.size() != table.size()) std::abort();
        }
    }
    return 0;
}
