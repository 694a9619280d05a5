// Look-ups over a model description's tables.
#include "model/model_description.h"

uint32_t ModelDescription::CodeFlag(uint32_t code) const {
    for (size_t i = 0; i < kGatedCodeCount; ++i)
        if (kGatedCodes[i] == code) return codeFlags[i];
    return 0;
}
