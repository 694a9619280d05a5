// The models whose devices answer with one of two names (a domestic and a European one), and
// the id lookups of the reply tables.
#include "device/model_names.h"

#include <windows.h>

#include <cstring>

namespace {

struct ModelNames {
    uint32_t model;
    const char* first;
    const char* second;
};

constexpr ModelNames kModelNames[] = {
    {1027, "Kv C270-P1", "Kv 270C EUR-P1"}, {1028, "Kv C230-Q1", "Kv 230C EUR-Q1"},
    {2021, "Kv C250-P1", "Kv 250C EUR-P1"}, {2054, "Kv C280-R1", "Kv 280C EUR-R1"},
    {2056, "Kv C260-R1", "Kv 260C EUR-R1"},
};

int FindEntry(const void* entries, int n, uint32_t id, size_t size) {
    if (!entries || id == 0 || n < 1) return -1;
    auto* bytes = static_cast<const uint8_t*>(entries);
    for (int i = 0; i < n; ++i) {
        uint32_t word;
        std::memcpy(&word, bytes + static_cast<size_t>(i) * size, 4);
        if (word == id) return i;
    }
    return -1;
}

}  // namespace

bool DevInfo_IsExpectedModelName(uint32_t modelNumber, uint32_t localeId, const char* deviceName,
                                 const char* modelName) {
    if (!deviceName) return false;
    for (const ModelNames& m : kModelNames) {
        if (m.model != modelNumber) continue;
        if (lstrcmpA(deviceName, m.first) == 0) return true;
        return localeId != kLanguageUsEnglish && lstrcmpA(deviceName, m.second) == 0;
    }
    if (!modelName) return false;
    char name[64];
    lstrcpynA(name, modelName, sizeof name);
    return lstrcmpA(deviceName, name) == 0;
}

bool DevInfo_IsSpecialModelName(uint32_t modelNumber, const char* deviceName) {
    return modelNumber == 2060 && deviceName && lstrcmpA(deviceName, "Kv115-T1") == 0;
}

int DevInfo_FindEntry76(const void* entries, int n, uint32_t id) { return FindEntry(entries, n, id, 76); }
int DevInfo_FindEntry88(const void* entries, int n, uint32_t id) { return FindEntry(entries, n, id, 88); }
int DevInfo_FindEntry144(const void* entries, int n, uint32_t id) { return FindEntry(entries, n, id, 144); }
