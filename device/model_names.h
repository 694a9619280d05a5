// Whether the device answering is the model the driver expects, and the lookups of the
// configuration's id-keyed reply tables.
#pragma once

#include <cstdint>

inline constexpr uint32_t kLanguageUsEnglish = 1033;

// By model number the device's name must be one of two names (only the first when the driver
// data's locale is United States English); other models compare it with the data's model name.
bool DevInfo_IsExpectedModelName(uint32_t modelNumber, uint32_t localeId, const char* deviceName,
                                 const char* modelName);
// The one model whose device answers with a name of its own.
bool DevInfo_IsSpecialModelName(uint32_t modelNumber, const char* deviceName);

// The index of the entry whose first word is `id` among the first n, or -1 (also for id 0 or n
// below 1).
int DevInfo_FindEntry76(const void* entries, int n, uint32_t id);
int DevInfo_FindEntry88(const void* entries, int n, uint32_t id);
int DevInfo_FindEntry144(const void* entries, int n, uint32_t id);
