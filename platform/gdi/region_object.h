// The region object behind an HRGN.
#pragma once

#include "platform/gdi/object.h"
#include "platform/gdi/region.h"

namespace gdi {

struct RegionObject : Object {
    using Handle = HRGN;
    static constexpr Kind kKind = Kind::Region;
    RegionObject() : Object(kKind) {}

    Region region;
};

}  // namespace gdi
