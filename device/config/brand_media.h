// The brand media of a printer: the named paper products the device keeps, copied per user and
// printer into the registry ("Software\Vomel\<language>\<printer>\PDLBrandMedia": "MediaCount",
// "MediaCharCode", "MediaParameter"), and the rules that say which paper sizes a medium allows.
#pragma once

#include "model/media_record.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

inline constexpr uint32_t kBrandMediaLimit = 115;
inline constexpr size_t kDeviceMediaEntrySize = 292;
inline constexpr size_t kDeviceSourceEntrySize = 296;

struct BrandMediaList {
    bool present = false;   // a list was read or received (it may hold 0 records)
    uint32_t count = 0;     // "MediaCount"
    uint32_t charCode = 0;  // "MediaCharCode"
    std::vector<MediaRecord> records;
};

// The key below HKEY_CURRENT_USER: the language key by the data file's language (512 PCL6,
// 256 PCL5e, 272 PCL5c, anything else PS3), then the printer and "PDLBrandMedia". Empty when the
// key would not fit 260 characters.
std::string BrandMediaKey(uint32_t language, const char* printer);

// Reads the store into the list. A count above the limit, or a "MediaParameter" whose size is
// not exactly count records, is refused before anything is allocated: false, list empty (the
// count and character code read so far are kept).
bool ReadBrandMedia(uint32_t language, const char* printer, BrandMediaList& list);
// Writes the three values in turn; false at the first that fails, or without a list.
bool WriteBrandMedia(uint32_t language, const char* printer, const BrandMediaList& list);
// Deletes the printer's "PDLBrandMedia" key.
bool ResetBrandMedia(uint32_t language, const char* printer);

// The device's media entries (292 bytes each) as records; at most the limit are taken.
void BrandMediaFromDevice(const uint8_t* entries, size_t bytes, uint32_t count, BrandMediaList& list);

// Whether a paper size may be used with the medium (group key, media id). `records` is the model
// media table (group 0, at most 50 records) or the brand-media list; null: 0.
int IsOptionAllowed(const MediaRecord* records, size_t count, uint16_t model, uint16_t group, uint16_t mediaId,
                    uint16_t paperSize);
