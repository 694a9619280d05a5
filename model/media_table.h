// The per-model media tables: 50 media records per model (7,100 bytes, which the configuration
// copies whole), the index of a media id in them, and the model's media list of kind 2.
#pragma once

#include "model/media_record.h"

#include <cstddef>
#include <cstdint>

inline constexpr size_t kMediaTableEntries = 50;
inline constexpr size_t kMediaTableBytes = kMediaTableEntries * sizeof(MediaRecord);
static_assert(kMediaTableBytes == 7100);

// The model's table of kMediaTableEntries records; never null. A model without media of its own
// gets a table whose every slot is unused (media id kNoMedia).
const MediaRecord* MediaTable_ForModel(uint16_t model);

// The index of the media id in the model's table, -1 when absent (kNoMedia is never found).
int MediaTable_IndexOf(uint16_t mediaId, uint16_t model);

// The model's media list of a kind, 32-bit media ids ended by -1; never null. Only kind 2 (the
// media a finishing choice restricts to) is defined; any other kind, like an unknown model, gets
// an empty list.
const int32_t* GetModelMediaTable(uint16_t model, int kind);
