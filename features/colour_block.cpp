// The colour block's defaults and the profile-name field, kept inside its 14 bytes.
#include "features/colour_block.h"

#include <cstring>

namespace colourblock {

void ResetToDefaults(Block block) {
    for (size_t group = 0; group < kGroupCount; ++group) {
        std::memset(block + kGroupStarts[group], 0, kProfileName);
        block[kGroupStarts[group] + kMethod] = kDefaultMethod;
        SetProfileName(block, group, kDefaultProfileName);
    }
    const uint8_t tail[] = {1, 1, 1, 1, 5, 5, 0};
    std::memcpy(block + kInUse, tail, sizeof tail);
}

void CopyProfileName(const Block block, size_t group, char (&name)[kProfileNameSize]) {
    std::memset(name, 0, sizeof name);
    if (group >= kGroupCount) return;
    std::memcpy(name, block + kGroupStarts[group] + kProfileName, kProfileNameSize - 1);
}

void SetProfileName(Block block, size_t group, const char* name) {
    if (group >= kGroupCount) return;
    uint8_t* field = block + kGroupStarts[group] + kProfileName;
    std::memset(field, 0, kProfileNameSize);
    if (name) std::memcpy(field, name, strnlen(name, kProfileNameSize - 1));
}

}  // namespace colourblock
