// The options permutation. Option 0x10 maps to nothing: the conflict manager adds it while it
// serves option requests, and the engine has no use for it.
#include "pie/api/options.h"

#include "pie/api/engine.h"

namespace {

struct Mapping {
    uint32_t option;
    uint32_t flag;
    bool reported;
};

constexpr Mapping kMappings[] = {
    {0x8000, 0x1, true},     {0x1, 0x2, true},         {0x4, 0x4, true},       {0x2, 0x8, true},
    {0x8, 0x10, true},       {0x20, 0x100, true},      {0x200, 0x200, false},  {0x40, 0x400, false},
    {0x100, 0x800, false},   {0x80, 0x1000, false},    {0x400, 0x4000, false}, {0x800, 0x8000, false},
    {0x1000, 0x10000, false}, {0x4000, 0x20000, false}, {0x2000, 0x40000, false},
};

constexpr uint32_t fed_flags() {
    uint32_t all = 0;
    for (const Mapping& m : kMappings) all |= m.flag;
    return all;
}
static_assert(fed_flags() == kPlOptionFedFlags);

}  // namespace

uint32_t pl_flags_from_options(uint32_t options) {
    uint32_t flags = 0;
    for (const Mapping& m : kMappings)
        if (options & m.option) flags |= m.flag;
    return flags;
}

uint32_t pl_options_from_flags(uint32_t flags) {
    uint32_t options = 0;
    for (const Mapping& m : kMappings)
        if (m.reported && (flags & m.flag)) options |= m.option;
    return options;
}

void pl_apply_options(PieEngine* engine, uint32_t options) {
    engine->flags = (engine->flags & ~kPlOptionFedFlags) | pl_flags_from_options(options);
}
