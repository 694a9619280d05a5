// One entry of the colour profile list, made from what the colour-profile library answered about
// a profile: its header (the device class tells a source profile), its description and its path.
// The library is not ours, so sizes and texts it hands back are bounded here before use.
#pragma once

#include <cstddef>
#include <cstdint>

namespace colourprofile {

inline constexpr size_t kHeaderSize = 128;
inline constexpr size_t kDeviceClass = 12;   // four characters, as written in the file
inline constexpr uint32_t kTagDescription = 0x64657363;  // 'desc'

struct ProfileEntry {
    char description[64];  // the 'desc' text, cut to 63 characters
    char filePart[256];    // the short path from its last backslash on, the backslash included
};
static_assert(sizeof(ProfileEntry) == 320);

// True when the header (headerSize bytes as answered) is a scanner's or a monitor's profile,
// the ones that can be the source of colour matching.
bool IsSourceProfile(const uint8_t* header, size_t headerSize);
// Fills the entry from the description (at most descriptionSize bytes, terminated or not) and
// the short path (at most pathSize bytes); false, with the entry untouched, when the path has no
// backslash or its file part does not fit.
bool MakeProfileEntry(const char* description, size_t descriptionSize, const char* shortPath, size_t pathSize,
                      ProfileEntry& entry);

}  // namespace colourprofile
