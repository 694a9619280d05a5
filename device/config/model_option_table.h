// Per-model knowledge the configuration queries need: which attributes each model is asked for
// (`ModelOptionTable`), how the device's engine version becomes the deck count, and the option
// mask the deck count implies. The deck count and the mask live in the device-option data, which
// is stored as the printer's "DeviceOption" value, so their positions are fixed.
#pragma once

#include "core/helpers/byte_view.h"

#include <cstdint>

struct DevInfoAttributePair;

inline constexpr uint32_t kModelOptionRequestLimit = 32;

struct ModelOptionRequest {
    uint32_t requestClass;  // 101, 501 or 601
    uint16_t attribute;
};

// Internal to the query paths: never stored, so its layout is free.
struct ModelOptionTable {
    uint32_t extendedReply;  // 0: the configuration reply, 1: the device query record
    uint32_t secondFlag;
    uint32_t thirdFlag;      // 1 only for 2059 and 2075
    uint32_t requestCount;
    ModelOptionRequest requests[kModelOptionRequestLimit];
    uint32_t mailBoxCount;
    uint32_t plainQuery;     // 1 for the models of the first list
};

// The table of a model: false when the model has none. `mailBoxCount` is the data file's bin
// count (already bounded by the caller); `attribute2153` the model description's switch.
bool BuildModelOptionTable(uint16_t model, uint32_t mailBoxCount, bool attribute2153, ModelOptionTable& out);
// The table's requests as the attribute list of the device queries (pairs has room for 32).
void ModelOptionPairs(const ModelOptionTable& table, DevInfoAttributePair* pairs, uint32_t& count);

// What the mask rules read besides the device-option data.
struct ModelDefaultsInput {
    uint16_t model = 0;
    uint32_t language = 0;       // the data file's page-description language id (256, 272, 512)
    uint16_t defaultPaper = 0;   // the data file's default paper size
    bool pseudoKind4 = false;    // a pseudo printer of kind 4
};

// Deck count of the configuration paths from the version word (high byte); the pseudo-printer
// rule of 2065 and 2066 applies.
int16_t DeckCountFromVersion(const ModelDefaultsInput& in, uint16_t version);
// Deck count of the direct query's version step; `known` false for a model without a rule
// there (its deck count is 0 and both mask words are cleared).
int16_t DeckCountFromEngineVersion(uint16_t model, uint16_t version, bool& known);

// Rewrites the option mask (data bytes 988 and 992) from the model and the deck count (986),
// keeping bits 0 and 1 of the first word. Answers true when the paper-source slots were remapped
// and the paper table needs a refresh. Nothing happens to data too short for the fields.
bool SetModelOptionDefaults(MutableByteView data, const ModelDefaultsInput& in);
// Writes the deck count, then the defaults; answers as SetModelOptionDefaults.
bool SetDeckCountFromVersion(MutableByteView data, const ModelDefaultsInput& in, uint16_t version);
