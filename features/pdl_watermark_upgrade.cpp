// The upgrade of stored watermark presets: values of the older 136-byte layout, and stored copies
// of built-in presets, become user presets of the current layout, numbered from 1 again. Every
// preset is written at its new value before any value is removed, and a stored copy that matches
// no built-in preset is kept as a user preset: an upgrade that stops part-way loses nothing.
#include "features/pdl_watermark.h"

#include <cstring>

using namespace watermark;

namespace {

constexpr UINT kChangedSuffix = 4106;

}  // namespace

bool PDLWaterMark::UpgradeStoredPresets() {
    // A pseudo-printer context keeps no registry values to upgrade.
    if (InPseudoPrinter()) return false;
    std::vector<uint8_t> first;
    Record head;
    if (!ReadValue(1, first) || !UnpackRecord(first.data(), first.size(), head)) return false;
    // Decided by the exact size: the current layout needs upgrading only while it holds kinds
    // other than the user's; any other size is no preset and is left as it is.
    if (first.size() == kRegRecordSize && head.kind == kKindUser) return false;

    std::vector<Record> stored;
    for (uint32_t j = 1;; ++j) {
        std::vector<uint8_t> bytes;
        Record record;
        if (!ReadValue(j, bytes) || !UnpackRecord(bytes.data(), bytes.size(), record)) break;
        stored.push_back(record);
    }
    std::vector<Record> builtIns;
    const uint32_t n = GetBuiltinCount();
    for (uint32_t i = 1; i <= n; ++i) {
        Record record;
        if (!GetBuiltinPreset(record, i)) break;
        builtIns.push_back(record);
    }

    const std::string suffix = LoadText(kChangedSuffix);
    uint32_t k = 1;
    for (Record record : stored) {
        if (record.kind == kKindBuiltIn) {
            const Record* same = nullptr;
            for (const Record& builtIn : builtIns)
                if (std::strcmp(builtIn.name, record.name) == 0) same = &builtIn;
            if (same && SameContent(*same, record)) continue;  // a plain copy: the table has it
            if (same) {
                std::string name = std::string(record.name) + suffix;
                CopyText(record.name, kTextRoom, name.c_str());
            }
        }
        // Every rewritten preset is the user's, so a later start finds nothing left to upgrade.
        record.kind = kKindUser;
        record.id = static_cast<uint16_t>(k);
        record.font.escapement = EscapementOf(record.angleWord);
        if (!WriteValue(k, record)) return false;
        ++k;
    }
    for (uint32_t j = k; j <= stored.size(); ++j)
        if (!DeleteValue(j)) return false;
    return true;
}
