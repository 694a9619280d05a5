// The settings summary's text: rows of label, TAB, value, CR LF in a caller's buffer of a fixed
// size. An append writes its text as far as it fits and its ending (TAB or CR LF) only whole, so
// a full text never ends in half a separator.
#pragma once

#include <cstddef>

namespace summary {

inline constexpr size_t kTextSize = 6084;     // with the terminating zero
inline constexpr size_t kBufferSize = 512;    // a label, a value or a number text

// Appends part, then tail when the whole tail fits behind it, to the zero-terminated text of
// `size` characters. Answers whether both went in whole.
bool Append(char* text, size_t size, const char* part, const char* tail = "");

// Copies at most size - 1 characters and terminates; a null source gives an empty text.
void CopyBounded(char* to, size_t size, const char* from);

}  // namespace summary
