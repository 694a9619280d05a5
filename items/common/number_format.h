// Formatting of two whole numbers into a fixed buffer from a format text of the resource module
// ("(%d-%d)", "Width: %d.%02d in"). The format comes from outside the code, so it is read as
// data: only "%d" with an optional zero-padded width and "%%" are understood, and the result
// never runs past the buffer.
#pragma once

#include <cstddef>
#include <cstdint>

// Writes the formatted text with its terminator; false (the buffer then holds an empty text)
// when it does not fit, a conversion other than %d is met, or more than two numbers are asked.
bool FormatTwoNumbers(char* buffer, size_t size, const char* format, int32_t first, int32_t second);
// Appends text to the NUL-terminated text in buffer; false, nothing appended, when it does not fit.
bool AppendBounded(char* buffer, size_t size, const char* text);
