// Where the watermark presets are kept: the registry values "0" (the current watermark) and
// "1".."k" (the user presets) below the printer's "WaterMark" key, or a pseudo-printer context's
// data slots 6 (the records), 7 (their size) and 8 (their count). Only a value of a preset's
// exact size is believed.
#include "features/pdl_watermark.h"

#include "core/device/service_table.h"
#include "core/system/registry_helpers.h"

#include <cstdio>

using namespace watermark;

namespace {

constexpr char kWaterMarkKey[] = "WaterMark";
constexpr DWORD kSlotRecords = 6, kSlotSize = 7, kSlotCount = 8;
// A context never holds more presets than a list has room for.
constexpr uint32_t kSharedLimit = 200;

std::string ValueName(uint32_t index) {
    char name[16];
    std::snprintf(name, sizeof name, "%u", index);
    return name;
}

}  // namespace

bool PDLWaterMark::ReadValue(uint32_t index, std::vector<uint8_t>& bytes) const {
    bytes.clear();
    if (basePath_.empty()) return false;
    DWORD size = 0;
    const std::string name = ValueName(index);
    if (!RegQueryValueRead(HKEY_LOCAL_MACHINE, basePath_.c_str(), PrinterKeyName().c_str(), kWaterMarkKey, name.c_str(),
                           nullptr, &size) ||
        size > kRegRecordSize)
        return false;
    bytes.resize(size);
    if (!RegQueryValueRead(HKEY_LOCAL_MACHINE, basePath_.c_str(), PrinterKeyName().c_str(), kWaterMarkKey, name.c_str(),
                           bytes.data(), &size) ||
        size != bytes.size()) {
        bytes.clear();
        return false;
    }
    return true;
}

bool PDLWaterMark::ReadStored(uint32_t index, Record& record) const {
    std::vector<uint8_t> bytes;
    return ReadValue(index, bytes) && bytes.size() == kRegRecordSize && UnpackRecord(bytes.data(), bytes.size(), record);
}

bool PDLWaterMark::WriteValue(uint32_t index, const Record& record) {
    if (basePath_.empty() || InPseudoPrinter()) return false;
    uint8_t bytes[kRegRecordSize];
    PackRecord(record, bytes);
    return RegSetValueAll(HKEY_LOCAL_MACHINE, basePath_.c_str(), PrinterKeyName().c_str(), kWaterMarkKey,
                          ValueName(index).c_str(), REG_BINARY, bytes, sizeof bytes) != FALSE;
}

bool PDLWaterMark::DeleteValue(uint32_t index) {
    if (basePath_.empty() || InPseudoPrinter()) return false;
    return RegDeleteValueAll(HKEY_LOCAL_MACHINE, basePath_.c_str(), PrinterKeyName().c_str(), kWaterMarkKey,
                             ValueName(index).c_str()) != FALSE;
}

bool PDLWaterMark::LoadSharedBlock() {
    if (sharedHeld_) return true;
    UIDEVDATA* ctx = Owner();
    uint32_t count = 0, size = 0;
    if (!ctx->svc->PseudoPrinterGetData(ctx, PrinterHandle(), kSlotCount, &count, sizeof count) ||
        !ctx->svc->PseudoPrinterGetData(ctx, PrinterHandle(), kSlotSize, &size, sizeof size))
        return false;
    // The count, the size and the records must agree before any record is believed.
    if (count == 0 || count > kSharedLimit || size != count * kRegRecordSize) return false;
    std::vector<uint8_t> block(size);
    if (!ctx->svc->PseudoPrinterGetData(ctx, PrinterHandle(), kSlotRecords, block.data(), size)) return false;
    std::vector<Record> records(count);
    for (uint32_t i = 0; i < count; ++i) {
        if (!UnpackRecord(block.data() + i * kRegRecordSize, kRegRecordSize, records[i])) return false;
        records[i].id = static_cast<uint16_t>(i + 1);
    }
    shared_ = std::move(records);
    sharedHeld_ = true;
    return true;
}

bool PDLWaterMark::StoreSharedBlock() {
    UIDEVDATA* ctx = Owner();
    const uint32_t count = static_cast<uint32_t>(shared_.size());
    const uint32_t size = count * kRegRecordSize;
    std::vector<uint8_t> block(size);
    for (uint32_t i = 0; i < count; ++i) PackRecord(shared_[i], block.data() + i * kRegRecordSize);
    // The records first: a reader believes them only once the count and size name them.
    return ctx->svc->PseudoPrinterSetData(ctx, PrinterHandle(), kSlotRecords, block.data(), size) &&
           ctx->svc->PseudoPrinterSetData(ctx, PrinterHandle(), kSlotSize, &size, sizeof size) &&
           ctx->svc->PseudoPrinterSetData(ctx, PrinterHandle(), kSlotCount, &count, sizeof count);
}
