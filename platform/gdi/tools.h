// Pens and brushes as the device context keeps them: the logical description, and for pattern
// brushes a private copy of the pattern (the bitmap may be deleted once the brush exists).
#pragma once

#include "platform/gdi/object.h"

#include <cstdint>
#include <vector>

namespace gdi {

struct Pen : Object {
    using Handle = HPEN;
    static constexpr Kind kKind = Kind::Pen;
    Pen() : Object(kKind) {}

    UINT style = PS_SOLID;  // PS_ style, end cap and join bits included
    int width = 1;          // 0 and 1 draw one-pixel lines
    COLORREF color = 0;
    std::vector<DWORD> userStyle;

    int kindOfLine() const { return int(style & PS_STYLE_MASK); }
};

struct Brush : Object {
    using Handle = HBRUSH;
    static constexpr Kind kKind = Kind::Brush;
    Brush() : Object(kKind) {}

    UINT style = BS_SOLID;
    COLORREF color = 0;
    int hatch = 0;
    // BS_PATTERN: the pattern's pixels; a monochrome pattern takes the DC's colours.
    int patternWidth = 0;
    int patternHeight = 0;
    bool patternMono = false;
    std::vector<std::uint32_t> pattern;
};

}  // namespace gdi
