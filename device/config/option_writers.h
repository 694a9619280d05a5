// The writers of the device-option data after a successful query: one per form of answer (the
// configuration reply, the device query record and the direct query's device record). Each
// writes the memory size, the finisher, the paper sources and the flags its answer carries, then
// the option mask. The caller refreshes the paper table afterwards and stores the block.
#pragma once

#include "core/helpers/byte_view.h"
#include "device/config/model_option_table.h"
#include "device/config/option_codes.h"

struct ConfigurationReply;
struct DeviceQueryRecord;
struct DeviceInfoRecord;

struct OptionWriterInput {
    OptionCodeContext codes;
    ModelDefaultsInput defaults;
    bool brandMedia = false;     // the model description's brand-media flag
    uint32_t reservedMemory = 0; // the data file's reserved memory
};

void FillOptionTablesA(MutableByteView data, const ConfigurationReply& reply, const OptionWriterInput& in);
void FillOptionTablesB(MutableByteView data, const DeviceQueryRecord& record, const OptionWriterInput& in);
void WriteDirectAnswers(MutableByteView data, const DeviceInfoRecord& record, const OptionWriterInput& in);

// The paper-source slots' common reset: paper size 0, no name, source kind 2, level -2; the
// capability bits and the media bit set cleared and the table marked valid.
void ResetSourceSlots(MutableByteView data, bool mediaUnknown);
