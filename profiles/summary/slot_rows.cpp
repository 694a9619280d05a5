// The driver's own row groups by number: the telling rows written out (paper sources, the
// paper-selection sub-rows), the plain ones as one table of label, setting and values. A plain
// row shows its setting as On/Off by a bit, as a number, or as one text picked by the value.
#include "profiles/summary/summary_rows.h"
#include "profiles/summary/view_settings.h"

#include "core/device/service_table.h"
#include "core/helpers/units.h"

#include <cstdio>

namespace {

enum class Show : uint8_t { Bit, Number, Pick };

struct PlainRow {
    uint16_t slot;
    uint16_t label;
    uint8_t flags;
    uint16_t option;
    uint8_t width;   // 2 or 4 bytes
    Show show;
    uint32_t mask;   // Bit: the tested bits
    uint16_t values[5];  // Pick: by the value, 0 ends
};

// Group numbers and the settings they read.
constexpr PlainRow kPlainRows[] = {
    {56, 8304, 0, 202, 2, Show::Number, 0, {}},
    {57, 8501, 0, 200, 4, Show::Bit, 0x02, {}},
    {60, 8319, 0, 196, 2, Show::Number, 0, {}},
    {61, 8561, 0, 226, 2, Show::Bit, 0x01, {}},
    {63, 8562, 0, 144, 2, Show::Number, 0, {}},
    {64, 8565, 0, 193, 2, Show::Pick, 0, {4251, 4053, 4054, 4055}},
    {68, 9148, 0, 102, 2, Show::Number, 0, {}},
    {71, 8392, 0, 201, 2, Show::Pick, 0, {8396, 8397, 8398, 8399, 8406}},
    {73, 8408, 0, 203, 2, Show::Number, 0, {}},
    {74, 8394, 0, 207, 2, Show::Number, 0, {}},
    {75, 8411, 0, 207, 2, Show::Number, 0, {}},
    {78, 8419, 0, 200, 4, Show::Bit, 0x08, {}},
    {79, 8409, 0, 208, 2, Show::Bit, 0x01, {}},
    {80, 8623, 0, 200, 4, Show::Bit, 0x10, {}},
    {83, 8599, 0, 229, 2, Show::Bit, 0x01, {}},
    {84, 8593, 0, 230, 2, Show::Bit, 0x01, {}},
    {85, 8592, 0, 231, 2, Show::Bit, 0x01, {}},
    {86, 8334, 0, 233, 2, Show::Pick, 0, {8335, 8336}},
    {87, 8614, 0, 235, 2, Show::Bit, 0x01, {}},
    {89, 4374, 0, 220, 4, Show::Bit, 0x08, {}},
    {90, 9738, 0, 222, 2, Show::Pick, 0, {4134, 4135, 4136}},
    {91, 4378, 0, 221, 2, Show::Pick, 0, {4384, 4385, 8506}},
    {92, 8333, 0, 224, 2, Show::Number, 0, {}},
    {93, 8358, 0, 225, 2, Show::Number, 0, {}},
    {94, 8347, 0, 227, 2, Show::Number, 0, {}},
    {95, 8348, 0, 228, 2, Show::Number, 0, {}},
    {96, 8349, 0, 220, 4, Show::Bit, 0x10, {}},
    {97, 8340, 0, 220, 4, Show::Bit, 0x20, {}},
    {98, 8353, 0, 220, 4, Show::Bit, 0x40, {}},
    {99, 8344, 0, 232, 2, Show::Number, 0, {}},
    {100, 8345, 0, 220, 4, Show::Bit, 0x80, {}},
    {101, 8346, 0, 220, 4, Show::Bit, 0x100, {}},
    {102, 9797, 0, 220, 4, Show::Bit, 0x200, {}},
    {103, 8360, 0, 220, 4, Show::Bit, 0x400, {}},
    {104, 8361, 0, 220, 4, Show::Bit, 0x800, {}},
    {114, 8305, 0, 202, 2, Show::Number, 0, {}},
    {115, 8318, 0, 190, 4, Show::Bit, 0x08, {}},
    {136, 8430, 0, 200, 4, Show::Bit, 0x04, {}},
};

const PlainRow* FindPlain(int slot) {
    for (const PlainRow& row : kPlainRows)
        if (row.slot == slot) return &row;
    return nullptr;
}

}  // namespace

void ViewSettings::Slot(int slot, char* text) {
    switch (slot) {
    case 4: PageSizeRow(text); return;
    case 5: PageSizeLines(text); return;
    case 6: OutputSizeRow(text); return;
    case 7: OutputSizeLines(text); return;
    case 8: CopiesRow(text); return;
    case 9: OrientationRow(text); return;
    case 10: PageLayoutRow(text); return;
    case 11: PageOrderRow(text); return;
    case 12: ScalingRatioRows(text); return;
    case 13: WatermarkRow(text); return;
    case 14: Setting140Row(text); return;
    case 15: Setting141Row(text); return;
    case 16: Setting142Row(text); return;
    case 17: Setting143Row(text); return;
    case 18: FontDetailRows(text); return;
    case 19: Setting124ModeRow(text); return;
    case 20: RotationRow(text); return;
    case 21: Setting122Row(text); return;
    case 22: BookletRows(text); return;
    case 23:
    case 62: Setting190Rows(text); return;
    case 24: Setting200Rows(text); return;
    case 25: ColorModeRow(text); return;
    case 26: Setting220Rows(text); return;
    case 27: Setting250Rows(text); return;
    case 28: Setting250SubRows(text); return;
    case 29: Setting220SubRow(text); return;
    case 55:
        // The rotation row stands in when the job is no sample to be rotated.
        Slot(57, text);
        if (Option16(201) == 3) RowId(text, 8502, 0, 8503);
        else Slot(20, text);
        return;
    case 59: RowId(text, 4338, 0, Option16(124) == 4 && (Option32(130) & 0x02) ? kTextOn : kTextOff); return;
    case 72: PaperSourceRows(text); return;
    case 116: {
        static constexpr UINT kModes[] = {8011, 8012, 8013, 8014};
        const int32_t mode = Option16(201);
        RowId(text, 8455, 0, mode >= 0 && mode < 4 ? kModes[mode] : 0);
        RowId(text, 8323, kSubRow, mode >= 0 && mode < 4 ? kModes[mode] : 0);
        char value[summary::kBufferSize] = {};
        const LONG inch = TenthMmToHundredthInch(Option16(133));
        std::snprintf(value, sizeof value, "%ld.%02ld", static_cast<long>(inch / 100), static_cast<long>(inch % 100));
        Row(text, 8421, kSubRow, value);
        return;
    }
    default: break;
    }
    if (DeviceOptionSlot(slot, text)) return;
    const PlainRow* row = FindPlain(slot);
    if (!row) return;
    const long value = row->width == 4 ? static_cast<long>(Option32(row->option)) : static_cast<long>(Option16(row->option));
    switch (row->show) {
    case Show::Bit: RowId(text, row->label, row->flags, (static_cast<uint32_t>(value) & row->mask) ? kTextOn : kTextOff); break;
    case Show::Number: {
        char number[summary::kBufferSize] = {};
        FormatNumber(number, 4887, value);
        Row(text, row->label, row->flags, number);
        break;
    }
    case Show::Pick: {
        UINT id = 0;
        if (value >= 0 && value < 5) id = row->values[value];
        RowId(text, row->label, row->flags, id);
        break;
    }
    }
}

void ViewSettings::PaperSourceRows(char* text) {
    if (!IsItemShown(0x100000 + 3030)) return;
    struct Mode {
        UINT value;
        uint16_t subRows[4];  // labels, each with the source of the option beside it
        uint16_t options[4];
    };
    static constexpr Mode kModes[] = {
        {8396, {8408}, {203}},
        {8397, {8400, 8402, 8403}, {203, 204, 205}},
        {8398, {8400, 8401, 8402, 8403}, {203, 206, 204, 205}},
        {8399, {8404}, {205}},
        {8406, {8407, 8402}, {208, 204}},
    };
    const int32_t mode = Option16(201);
    if (mode < 0 || mode > 4) {
        RowId(text, 8395, 0, 0);
        return;
    }
    const Mode& m = kModes[mode];
    RowId(text, 8395, 0, m.value);
    char name[summary::kBufferSize];
    for (int i = 0; i < 4 && m.subRows[i]; ++i) {
        PaperSourceName(static_cast<uint16_t>(Option16(m.options[i])), name, sizeof name);
        Row(text, m.subRows[i], kSubRow, name);
    }
    if (mode == 3) RowId(text, 8405, kSubRow, (Option32(200) & 0x01) ? kTextOn : kTextOff);
}
