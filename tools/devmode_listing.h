// The host program's readable form of device modes: the public fields by name, the private
// header, and every option of the private part by number and id, side by side for two device
// modes so that a difference stands out.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <vector>

// Prints the two device modes (each may be empty) under their titles, one row per field.
void ListDevmodes(std::FILE* out, const char* leftTitle, const std::vector<uint8_t>& left, const char* rightTitle,
                  const std::vector<uint8_t>& right);

// Prints only the fields in which the two device modes differ, one row each; answers how many.
size_t ListDevmodeChanges(std::FILE* out, const char* leftTitle, const std::vector<uint8_t>& left,
                          const char* rightTitle, const std::vector<uint8_t>& right);
