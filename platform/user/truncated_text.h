// The contract of window texts handed to a caller's buffer (WM_GETTEXT, GetClassName, menu and
// list-view texts): as much as fits with its NUL, never more than the buffer's size.
#pragma once

#include <windef.h>

#include <algorithm>
#include <cstring>
#include <string_view>

namespace user {

// The count of characters copied, NUL not counted; 0 and nothing written without a buffer or room.
inline size_t CopyTruncated(std::string_view text, LPSTR buffer, size_t size) {
    if (!buffer || size == 0) return 0;
    size_t n = std::min(text.size(), size - 1);
    std::memcpy(buffer, text.data(), n);
    buffer[n] = '\0';
    return n;
}

}  // namespace user
