// Fonts: the logical font as the caller described it, and the built-in face that renders it.
// Every face name maps to the built-in bitmap face, scaled to the requested height; weight,
// italic, underline, strike-out and escapement are applied when drawing.
#pragma once

#include "platform/gdi/object.h"

namespace gdi {

struct Font : Object {
    using Handle = HFONT;
    static constexpr Kind kKind = Kind::Font;
    Font() : Object(kKind) {}

    LOGFONTA logical{};
};

}  // namespace gdi
