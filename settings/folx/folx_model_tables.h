// The device-model tables of the page-composition adapter: the job-banner offset by model and
// finisher, the two finisher lists of host codes 0x80F and 0x810, the models whose host code
// 0x487 follows the stapling flag, and the values of model-section byte 194 that a finishing
// change clears. Each table is constant data with one lookup.
#pragma once

#include <cstdint>

namespace folxmodel {

// What a lookup needs of the installed device: its finisher code (device-option byte 0) and the
// device-option bytes 1 and 9.
struct Installed {
    uint16_t model;
    uint8_t finisher;
    uint8_t byte1;
    uint8_t byte9;
};

// The job banner's offset in tenths of a millimetre; 0 for a pair no row lists.
uint32_t BannerOffset(const Installed& device);
// Whether the installed finisher is in the model's first (0x80F) or second (0x810) list.
bool InFinisherList(const Installed& device, int list);
// Models whose host code 0x487 follows the stapling flag of the model section.
bool StaplesByFlag(uint16_t model);
// Whether model-section byte 194 with this value is cleared when finishing changes.
bool ClearsByte194(const Installed& device, uint8_t value);

}  // namespace folxmodel
