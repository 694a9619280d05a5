// The brand-media store in the registry and the per-model paper rules of a medium. The store is
// outside input: its count is checked against the limit and the records' size before anything is
// allocated, so a damaged or forged store reads as no list.
#include "device/config/brand_media.h"

#include "core/helpers/byte_view.h"
#include "core/system/registry_helpers.h"
#include "device/config/model_sets.h"

#include <windows.h>

#include <cstring>
#include <initializer_list>

namespace {

constexpr size_t kKeyLimit = 260;

using devconfig::In;

std::string LanguageKey(uint32_t language) {
    switch (language) {
    case 512: return "Software\\Vomel\\PCL6\\";
    case 256: return "Software\\Vomel\\PCL5e\\";
    case 272: return "Software\\Vomel\\PCL5c\\";
    default: return "Software\\Vomel\\PS3\\";
    }
}

}  // namespace

std::string BrandMediaKey(uint32_t language, const char* printer) {
    if (!printer) return {};
    std::string key = LanguageKey(language) + printer + "\\PDLBrandMedia";
    return key.size() < kKeyLimit ? key : std::string();
}

bool ReadBrandMedia(uint32_t language, const char* printer, BrandMediaList& list) {
    list.records.clear();
    list.present = false;
    std::string key = BrandMediaKey(language, printer);
    if (key.empty()) return false;
    DWORD count = RegQueryDword(HKEY_CURRENT_USER, key.c_str(), "MediaCount", 0xFFFFFFFF);
    if (count == 0xFFFFFFFF) return false;
    list.count = count;
    DWORD charCode = RegQueryDword(HKEY_CURRENT_USER, key.c_str(), "MediaCharCode", 0xFFFFFFFF);
    if (charCode == 0xFFFFFFFF) return false;
    list.charCode = charCode;
    if (count > kBrandMediaLimit) return false;
    DWORD size = 0;
    if (!RegQueryValueRead(HKEY_CURRENT_USER, key.c_str(), nullptr, nullptr, "MediaParameter", nullptr, &size) ||
        size != count * sizeof(MediaRecord))
        return false;
    std::vector<MediaRecord> records(count);
    if (count && !RegQueryValueSimple(HKEY_CURRENT_USER, key.c_str(), "MediaParameter", records.data(), size))
        return false;
    // The name field is read as a text by the lists: keep it terminated whatever was stored.
    for (MediaRecord& r : records) r.name[sizeof r.name - 1] = 0;
    list.records = std::move(records);
    list.present = true;
    return true;
}

bool WriteBrandMedia(uint32_t language, const char* printer, const BrandMediaList& list) {
    std::string key = BrandMediaKey(language, printer);
    if (!list.present || key.empty() || list.records.size() != list.count) return false;
    return RegSetDword(HKEY_CURRENT_USER, key.c_str(), "MediaCount", list.count) &&
           RegSetDword(HKEY_CURRENT_USER, key.c_str(), "MediaCharCode", list.charCode) &&
           RegSetBinary(HKEY_CURRENT_USER, key.c_str(), "MediaParameter", list.records.data(),
                        static_cast<DWORD>(list.records.size() * sizeof(MediaRecord)));
}

bool ResetBrandMedia(uint32_t language, const char* printer) {
    std::string key = BrandMediaKey(language, printer);
    return !key.empty() && RegDeleteKeySimple(HKEY_CURRENT_USER, key.c_str());
}

void BrandMediaFromDevice(const uint8_t* entries, size_t bytes, uint32_t count, BrandMediaList& list) {
    if (count > kBrandMediaLimit) count = kBrandMediaLimit;
    ByteView view(entries, entries ? bytes : 0);
    list.records.clear();
    for (uint32_t i = 0; i < count; ++i) {
        size_t at = size_t{i} * kDeviceMediaEntrySize;
        if (!view.contains(at, kDeviceMediaEntrySize)) break;
        MediaRecord r{};
        view.u16(at + 0, r.groupKey);
        view.u16(at + 4, r.mediaId);
        view.u16(at + 136, r.sourceClass);
        view.u16(at + 140, r.mediaType);
        view.u16(at + 144, r.sizeClass);
        view.u16(at + 148, r.flags);
        view.u16(at + 228, r.order);
        view.bytes(at + 8, r.name, sizeof r.name - 1);
        list.records.push_back(r);
    }
    list.count = static_cast<uint32_t>(list.records.size());
    list.present = true;
}

int IsOptionAllowed(const MediaRecord* records, size_t count, uint16_t model, uint16_t group, uint16_t mediaId,
                    uint16_t paper) {
    if (!records) return 0;
    const MediaRecord* found = nullptr;
    for (size_t i = 0; i < count; ++i) {
        if (records[i].sourceClass == 0xFFFF) break;
        if (records[i].groupKey == group && records[i].mediaId == mediaId) {
            found = &records[i];
            break;
        }
    }
    if (!found) return 1;
    // Byte 8 is the media kind and byte 6 its class, as the device reports them.
    const uint16_t kind = found->sizeClass, cls = found->mediaType;
    auto only = [paper](std::initializer_list<uint16_t> sizes) { return In(paper, sizes) ? 1 : 0; };
    if (kind == 2) return only({9, 1});
    if (cls == 8) return only({43, 82, 4300});
    if (In(model, {2065, 2066, 2084})) {
        if (kind == 3) return only({9, 1});
        if (cls == 10) return only({1, 7});
        if (cls == 7) return only({9, 1, 12});
        if (cls == 6) return only({9, 1});
        if (kind == 4) return only({37, 20, 28, 34, 71, 73});
        if (cls == 5) return only({9});
        if (cls == 9) return only({9, 12, 8});
        return 1;
    }
    if (model == 2069 || model == 2080) {
        if (kind == 3 && In(paper, {9, 1})) return 1;
        if (cls == 7) return only({9, 1, 12, 8});
        if (cls == 6) return only({9, 1});
        return 1;
    }
    if (model == 2071) {
        if (cls == 7) return only({9, 1, 12, 8});
        if (cls == 6) return only({9, 1});
        return 1;
    }
    if (model == 2073) {
        if (cls == 10) return only({1, 7});
        if (cls == 6) return only({9, 1});
        if (kind == 4) return only({37, 20, 28, 34, 27, 91});
        return 1;
    }
    if (In(model, {2076, 2077, 2083}) && kind == 4) return only({37, 20, 28, 34, 27});
    return 1;
}
