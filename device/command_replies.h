// Decoding the device's answers to the four command kinds (client slot 14) into the caller's
// records. The answers are bytes from the device: every length and count in them is checked
// against the answer's size and the target's room before anything is copied.
#pragma once

#include "device/devinfo_client.h"

#include <cstdint>

// Named device variables (kind 2): the paper sources' and output bins' names.
struct DevInfoSourceNames {
    char tray[64];
    char cassette[6][64];
    char envelope[24];
    char namedStack[32];
    char bin[7][24];
};

// Table rows (kind 1): the row count, a word per item asked (5500 to 5503) and, for item 5502
// with a text value, the text of each row.
inline constexpr uint32_t kRowItemFirst = 5500;
inline constexpr uint32_t kRowItemText = 5502;
struct DevInfoRowTable {
    uint32_t rowCount;
    uint32_t words[4];
    char texts[10][33];
};

// Name lists (kind 3), appended up to the caller's capacity.
struct DevInfoNameEntry {
    char name[256];
    char text[256];
    uint32_t value;
};
struct DevInfoNameList {
    uint32_t count;
    uint32_t capacity;
    DevInfoNameEntry* entries;
};

// Where each kind's answer goes; a null place skips that kind.
struct DevInfoCommandTarget {
    DevInfoSourceNames* names;
    DevInfoRowTable* rows;
    DevInfoNameList* list;
    uint32_t* words;  // kind 4: three words
};

// 0 for a null target or array, else 1.
int DevInfoClient_DecodeCommandReplies(DevInfoClient* client, DevInfoCommandTarget* target, uint32_t count,
                                       void* const* replies);
// One answer by its code and command (also the fuzzing door).
void DecodeCommandAnswer(DevInfoCommandTarget* target, uint32_t code, uint16_t command, const uint8_t* data,
                         uint32_t size);
