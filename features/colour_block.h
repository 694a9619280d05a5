// The colour block of the device mode (option 250, 130 bytes): three groups of 32 bytes, one per
// kind of object the driver tells apart, each with the four colour-balance values (times 2), the
// matching method, two matching option bytes and the source profile's file name; then the bytes
// that say which groups are in use. The adjustment and matching pages and the print objectives
// all read and write it through these names.
#pragma once

#include <cstddef>
#include <cstdint>

namespace colourblock {

inline constexpr uint32_t kOption = 250;
inline constexpr size_t kSize = 130;
inline constexpr size_t kGroupCount = 3;
inline constexpr size_t kGroupStarts[kGroupCount] = {2, 34, 66};
// Within a group.
inline constexpr size_t kAdjust = 0;  // four signed bytes: mapX, mapY, slider1, slider2, each x 2
inline constexpr size_t kMethod = 4;
inline constexpr size_t kOptionA = 5;
inline constexpr size_t kOptionB = 6;
inline constexpr size_t kProfileName = 8;
inline constexpr size_t kProfileNameSize = 14;  // NUL included
// Whether group 1, 2, 3 is in use.
inline constexpr size_t kInUse = 98;
static_assert(kGroupStarts[2] + kProfileName + kProfileNameSize <= kInUse);

// The profile every group starts from.
inline constexpr char kDefaultProfileName[kProfileNameSize] = "\\SRGBCO~1.ICM";
inline constexpr uint8_t kDefaultMethod = 2;

using Block = uint8_t[kSize];

// Each group back to its defaults (no adjustment, method 2, the default profile) and the bytes
// from 98 to 104 to 1, 1, 1, 1, 5, 5, 0.
void ResetToDefaults(Block block);
// The name in a group, always terminated within its field.
void CopyProfileName(const Block block, size_t group, char (&name)[kProfileNameSize]);
// Writes the name (cut to 13 characters) and zero-fills the rest of the field.
void SetProfileName(Block block, size_t group, const char* name);

}  // namespace colourblock
