// The mail-box names the configuration stores for a printer: binary values "BoxName" (boxes 0 to
// 99) or "BoxName01" to "BoxName03" (boxes 0 to 99, 100 to 199, 200 to 299) under the printer's
// "PrinterDriverData\DeviceOption" key, each 100 records of 71 bytes.
#pragma once

#include "core/helpers/byte_view.h"
#include "model/model_description.h"

#include <cstddef>
#include <cstdint>

inline constexpr size_t kMailBoxRecordSize = 71;  // the name field, then a 32-bit word
inline constexpr size_t kMailBoxesPerValue = 100;
inline constexpr size_t kMailBoxValueSize = kMailBoxRecordSize * kMailBoxesPerValue;
static_assert(kMailBoxValueSize == 7100 && kMailBoxNameField + 4 == kMailBoxRecordSize);

// Copies the 100 records of one stored value into boxes[0..99]. A value of any other size is
// not this driver's and is refused: false, boxes unchanged.
bool ParseMailBoxValue(ByteView value, MailBoxRecord* boxes);

// Reads the printer's stored names into the 300 records: "BoxName" when it is there, else the
// three numbered values. Values that are missing or refused leave their boxes as they were.
// True when any value was taken.
bool ReadMailBoxNames(const char* printerName, MailBoxRecord (&boxes)[kMailBoxCount]);

// The name of a box as the mail-box dialog shows it: at most kMailBoxDisplayName characters, cut
// at the field's end even when the stored field holds no terminator.
void MailBoxDisplayName(const MailBoxRecord& box, char (&out)[kMailBoxDisplayName + 1]);
