// Writing the capability facts. A value found in its row's table is written by name; one that
// is not is written "UNDEFINED" and the number read as unsigned, so that the word stays one name
// for the rule lexer ("UNDEFINED-1" would be a name, a minus and a number, and the whole text
// would be refused with every capability in it).
#include "settings/rules/initial_rules.h"

#include "core/datafile/device_data.h"
#include "core/datafile/device_data_layout.h"
#include "settings/rules/capability_table.h"

#include <charconv>

namespace {

void AppendNumber(PoolString& out, int64_t value) {
    char digits[24];
    auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    out.append(digits, end);
}

void AppendFact(PoolString& out, const capability::Row& row, int32_t value, uint32_t raw) {
    out += row.fact;
    out += '(';
    if (!row.names) {
        AppendNumber(out, value);
    } else if (const char* name = FindValueName(row.names, value)) {
        out += name;
    } else {
        out += "UNDEFINED";
        AppendNumber(out, raw);
    }
    out += ") :- true.\n";
}

bool ListPresent(const DeviceData& data, const devicedata::ListInfo* list) {
    return list && data.U32(list->handleOffset) != 0;
}

}  // namespace

PoolString BuildInitialRules(const DeviceData& data) {
    using capability::Source;
    PoolString out;
    out.reserve(4096);
    out += "# Initial Rule >\n";
    uint32_t rowsSeen = 0;
    for (const capability::Row& row : capability::Rows()) {
        if (row.id > 126 || rowsSeen++ == capability::kRowCount) break;
        if (row.source == Source::Never) continue;
        if (row.requiredList && !ListPresent(data, devicedata::FindList(row.requiredList))) continue;
        if (row.source == Source::Entries || row.source == Source::Count) {
            const devicedata::ListInfo* list = devicedata::FindList(row.field);
            if (!list) continue;
            if (row.source == Source::Count) {
                const uint16_t count = data.U16(list->countOffset);
                AppendFact(out, row, count, count);
                continue;
            }
            const DeviceList entries = data.ListAt(list->handleOffset);
            for (uint32_t i = 0; i < entries.count; ++i) {
                uint16_t id = 0;
                entries.Entry(i).u16(list->idOffset, id);
                AppendFact(out, row, id, id);
            }
            continue;
        }
        const devicedata::FieldInfo* field = devicedata::FindField(row.field);
        if (!field) continue;
        switch (row.source) {
        case Source::U16: {
            const uint16_t v = data.U16(field->offset);
            AppendFact(out, row, v, v);
            break;
        }
        case Source::S16: {
            const int16_t v = data.S16(field->offset);
            AppendFact(out, row, v, static_cast<uint32_t>(static_cast<int32_t>(v)));
            break;
        }
        default: {
            const uint32_t v = data.U32(field->offset);
            AppendFact(out, row, static_cast<int32_t>(v), v);
            break;
        }
        }
    }
    out += "# > Initial Rule\n";
    return out;
}
