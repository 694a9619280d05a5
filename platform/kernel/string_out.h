// The common contract of calls that hand a text to a caller's buffer: when it fits with its
// NUL, copy it and return its length; otherwise leave the buffer alone and return the size
// needed, NUL included.
#pragma once

#include <windef.h>

#include <cstring>
#include <string_view>

namespace kernel {

inline DWORD CopyOut(std::string_view text, LPSTR buffer, DWORD size) {
    if (!buffer || size <= text.size()) return static_cast<DWORD>(text.size() + 1);
    std::memmove(buffer, text.data(), text.size());  // the buffer may be the text itself
    buffer[text.size()] = '\0';
    return static_cast<DWORD>(text.size());
}

}  // namespace kernel
