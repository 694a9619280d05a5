// The job messages the dispatcher shows: a catalogue row's text with numbers and names of the job
// put in, and the zero-padded form of a numeric id field.
#pragma once

#include "core/device/uidevdata.h"

#include <windows.h>

#include <cstddef>
#include <cstdint>

// What a job message's text takes: "%d" the next non-zero number (a zero marks an unused slot),
// "%s" the next text; a placeholder with nothing left to take shows nothing.
struct JobMessageArgs {
    const uint32_t* numbers = nullptr;
    std::size_t numberCount = 0;
    const char* const* texts = nullptr;
    std::size_t textCount = 0;
};

// Copies `text` into `out` (`size` bytes, always ended, cut where it does not fit), with the
// arguments in place of "%d" and "%s"; any other character after "%" stands for itself.
void FormatJobMessage(char* out, std::size_t size, const char* text, const JobMessageArgs& args);

// Shows the catalogue row of `id` with its text formatted by FormatJobMessage, modal to `window`.
// Answers the button pressed; 0 when the message has no row or its texts cannot be loaded.
int ShowJobMessageBox(UIDEVDATA* ctx, HWND window, UINT id, const JobMessageArgs& args);

// The 10-byte numeric id field: the digit count (byte 0) and the value (unaligned 32 bits at 1).
inline constexpr std::size_t kNumericIdFieldSize = 10;
inline constexpr std::size_t kZeroPaddedIdSize = 8;  // seven digits and the end
// Writes the field's value in decimal, left-padded with "0" to its digit count, into `out`
// (`size` bytes, at least kZeroPaddedIdSize). False, with `out` empty, for a short field or a
// value of more digits than the text holds: an id is never shown cut.
bool FormatZeroPaddedId(const uint8_t* field, std::size_t fieldSize, char* out, std::size_t size);
