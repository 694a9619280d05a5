// The character tests and the decimal reader that the rule scanners share: the version header
// scan and the XML subset scan read rule files byte by byte with exactly these classes.
#pragma once

#include <cstdint>
#include <string_view>

bool IsAsciiLetter(unsigned char c);
bool IsAsciiDigit(unsigned char c);
// Space, form feed, line feed, carriage return, tab and vertical tab.
bool IsSpaceChar(unsigned char c);

// A run of decimal digits: 0 for an empty text, -1 when any character is not a digit, and 0
// when the value would overflow into the sign bit.
int32_t ParseDecimal(std::string_view digits);
