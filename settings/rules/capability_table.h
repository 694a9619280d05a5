// The capability table: which facts of the device capability record the sheet hands the rules
// before the driver's own rule text ("$EngineType(QRT) :- true."), one row per capability, each
// naming the record's field or list it reads and when it is written.
#pragma once

#include "settings/rules/value_names.h"

#include <cstdint>
#include <span>

namespace capability {

// Where a row's value comes from.
enum class Source : uint8_t {
    U16,      // an unsigned 16-bit field
    S16,      // a signed 16-bit field
    U32,      // a 32-bit field
    Count,    // the 16-bit count of a list
    Entries,  // one fact per entry of a list, from the entry's 16-bit id
    Never,    // a row kept for its number only: no fact is ever written
};

struct Row {
    uint32_t id;               // 0 to 126, the row's place
    const char* fact;          // "$EngineType"
    const ValueName* names;    // null: the value is written as a number
    Source source;
    const char* field;         // the record's field (U16, S16, U32) or list (Count, Entries)
    const char* requiredList;  // null: always written; else only when this list is present
};

inline constexpr uint32_t kRowCount = 127;
inline constexpr uint32_t kTerminatorId = 8058;

// The 127 rows and the terminator row (id 8058), in table order.
std::span<const Row> Rows();

}  // namespace capability
