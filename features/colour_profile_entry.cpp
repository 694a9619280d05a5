// Profile entries from the library's answers: every text is measured within the size the caller
// gave the library, never by a terminator the library may have left out.
#include "features/colour_profile_entry.h"

#include "core/helpers/byte_view.h"

#include <cstring>

namespace colourprofile {

bool IsSourceProfile(const uint8_t* header, size_t headerSize) {
    if (!header || headerSize < kHeaderSize) return false;
    ByteView view(header, headerSize);
    char kind[4] = {};
    if (!view.bytes(kDeviceClass, kind, sizeof kind)) return false;
    return std::memcmp(kind, "scnr", 4) == 0 || std::memcmp(kind, "mntr", 4) == 0;
}

bool MakeProfileEntry(const char* description, size_t descriptionSize, const char* shortPath, size_t pathSize,
                      ProfileEntry& entry) {
    if (!shortPath) return false;
    const size_t pathLength = strnlen(shortPath, pathSize);
    const char* slash = nullptr;
    for (size_t i = pathLength; i-- > 0;)
        if (shortPath[i] == '\\') {
            slash = shortPath + i;
            break;
        }
    if (!slash) return false;
    const size_t partLength = pathLength - static_cast<size_t>(slash - shortPath);
    if (partLength >= sizeof entry.filePart) return false;
    ProfileEntry made{};
    std::memcpy(made.filePart, slash, partLength);
    if (description)
        std::memcpy(made.description, description,
                    strnlen(description, descriptionSize < sizeof made.description - 1 ? descriptionSize
                                                                                        : sizeof made.description - 1));
    entry = made;
    return true;
}

}  // namespace colourprofile
