// The driver's rule sources: the rule text and the rule versions a sheet takes from the driver
// data, by the source kind the device capability record names: 0 and 1 the embedded text, 2 an
// XML rule file in the driver folder, 3 the same compressed with zlib, 4 the data items 2061 to
// 2064 of the driver data file.
#pragma once

#include "core/memory/pool_allocator.h"
#include "core/device/uidevdata.h"

#include <cstdint>

enum RuleSourceKind : uint32_t {
    kRuleSourceEmbedded = 0,
    kRuleSourceEmbeddedToo = 1,
    kRuleSourceXmlFile = 2,
    kRuleSourceZlibFile = 3,
    kRuleSourceDataItems = 4,
};

// Data items of the driver data file that carry rules.
inline constexpr uint32_t kRuleTextItem = 2061;       // the rule text, NUL added
inline constexpr uint32_t kRuleTextItemFirst = 2062;  // taken instead of 2061 when present
inline constexpr uint32_t kCommonVersionItem = 2063;  // 4-byte integers
inline constexpr uint32_t kPdlVersionItem = 2064;

// Bounds of what a rule source may bring: the path of a rule file (with its NUL), and any file,
// unpacked file or data item.
inline constexpr size_t kRulePathLimit = 268;
inline constexpr uint32_t kRuleSourceLimit = 16u << 20;

struct RuleSourceLoad {
    int32_t commonVersion = 100;
    int32_t pdlVersion = 100;
    bool hasText = false;
    PoolString text;
    // One line per source that could not be taken, saying which and why; empty when all loaded.
    PoolString errors;
};

// Fills `out` from the sources of the device behind ctx. Never fails as a whole: what cannot be
// read is left out and named in `errors`, and the versions keep what was read.
void LoadRuleSources(UIDEVDATA* ctx, RuleSourceLoad& out);
