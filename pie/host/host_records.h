// Records that travel between the rule engine and its host: the typed value of a property or an
// action, and the record of one choice of a multiple-choice item. The setting framework fills and
// reads the same definitions, so both sides agree on every field.
#pragma once

#include <cstdint>

// A typed value: type 1 on/off, 2 choice name, 3 integer, 4 text, 6 not filled. Types 2 and 4
// carry a text pointer, so the value word is pointer-sized.
struct PieValue {
    int16_t type;
    intptr_t value;
};

// A typed value with the length of its text (type 4), as the engine hands it to the host.
struct PieValueLen {
    int16_t type;
    intptr_t value;
    int16_t length;
};

// One choice of a multiple-choice item; the comments give the word numbers by which the rest of
// the system names the fields.
struct CmSvOptionRecord {
    const char* name;         // 0: the choice name, e.g. "PORTRAIT"
    char* display_text;       // 1: filled by list controls
    int32_t value;            // 2: the value stored in the device mode
    int32_t text_id;          // 3: string resource of the display text (0: word 1 holds it)
    int32_t control_id;       // 4: the choice's own radio button
    int32_t shown;            // 5
    int32_t enabled;          // 6
    int32_t shown_changed;    // 7
    int32_t enabled_changed;  // 8
    const void* images;       // 9: image ids of the choice
    int32_t offered;          // 10: offered to the option interface
    int32_t option_value;     // 11: value for the option interface
    int32_t available;        // 12: the choice exists on this device
};
