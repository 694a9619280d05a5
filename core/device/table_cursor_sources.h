// The paper-source table of a printer and its cursor (`UiServiceTable::Query` kind 1): the
// sources the driver data file lists, each joined with its slot of the device-option data (the
// paper, media and level the configuration found) and the model's source record.
#pragma once

#include "core/device/core_interface.h"
#include "core/device/row_place.h"
#include "model/model_description.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// A paper source of the driver data file.
struct DeviceSource {
    std::string name;
    uint16_t id = 0;
    std::vector<uint16_t> papers;
    bool optional = false;  // an expansion source (installed or not)
};

inline constexpr size_t kSourceTextSize = 64;
inline constexpr uint16_t kAutoSelectSource = 7;
inline constexpr uint16_t kBypassSource = 4;

struct SourceRow {
    DeviceSource source;
    uint32_t modelFlags = 0;  // the model's source record flags (kModelSource*)
};

class SourceTable {
public:
    // A null model description means no model record for any source.
    SourceTable(const std::vector<DeviceSource>& sources, const ModelDescription* model);
    const std::vector<SourceRow>& Rows() const { return rows_; }

private:
    std::vector<SourceRow> rows_;
};

class PaperSourceCursor : public CoreInterface {
public:
    // deviceOptionData: the data part of the device-option block (its paper-source slots), or
    // null; the cursor reads and writes the slots there.
    PaperSourceCursor(std::shared_ptr<const SourceTable> table, uint8_t* deviceOptionData, size_t dataSize)
        : table_(std::move(table)), data_(deviceOptionData), dataSize_(deviceOptionData ? dataSize : 0) {}

    int Select(uint16_t id);
    int First();  // "reset"
    int Next();
    // Number k: 1 id, 2 paper size, 3 orientation (3 landscape, 4 portrait), 4 remaining paper
    // (percent; -2 unknown, -3 empty), 5 media type. 0 without a current source.
    int32_t GetNumber(int k) const;
    // Writes number 2, 4 or 5 into the source's device-option slot (taking a free slot when the
    // source has none). kTableDone, or kTableRefused for another k, no current source, no block
    // or no free slot.
    int SetNumber(int k, int32_t value);
    // Text k into a buffer of kSourceTextSize bytes: 1 the tray name the device reported (the
    // source name when it reported none), 2 the display name. 0 without a current source.
    int GetText(int k, int reserved, char* buffer) const;
    // Flag k, 1 when set: 1 hidden ("Ftadel"), 2 the bypass tray, 3 large capacity, 4 optional,
    // 7 takes the custom size, 11 automatic selection.
    int GetFlag(int k) const;

private:
    const SourceRow* Current() const;
    // Offset of the current source's slot in the data part; -1 when it has none. TakeSlot gives
    // the source the first free slot when it has none.
    long FindSlot() const;
    long TakeSlot();

    std::shared_ptr<const SourceTable> table_;
    uint8_t* data_;
    size_t dataSize_;
    RowPlace place_;
};
