// Constant tables that name what the core's paper-source cursor reports as numbers: the media
// types (option-record layout; only the name and the value are used) and the paper sources. The
// paper-source lists and the device capability reuse both.
#pragma once

#include "pie/host/host_records.h"

#include <cstddef>
#include <cstdint>

inline constexpr size_t kMediaTypeCount = 21;
extern const CmSvOptionRecord kMediaTypeTable[kMediaTypeCount];
// The name of a media type number; null when the table has none.
const char* MediaTypeName(int32_t value);

struct PaperSourceName {
    uint16_t id;
    const char* name;  // null ends the table
};
inline constexpr size_t kPaperSourceNameCount = 32;
extern const PaperSourceName kPaperSourceNames[kPaperSourceNameCount + 1];
// The first row with that id names the source (id 1 is "CASSETTE1", not "ONLYONE"); null when
// no row has it.
const char* PaperSourceNameOf(uint16_t id);
