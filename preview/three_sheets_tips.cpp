// The tool tip of a paper source of the printer picture: the source's name (the name the device
// gave its slot, else the picture's own), marked when it is the one selected, then the paper size
// and the paper type the device reported in that slot. Every line is cut to 64 characters.
#include "preview/page_picture_previews.h"

#include "core/devmode/device_option_block.h"
#include "core/device/service_table.h"
#include "core/device/table_cursor_papers.h"
#include "core/device/table_cursor_ref.h"
#include "model/media_table.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {

constexpr size_t kLine = 65;  // 64 characters and the end
constexpr int kTablePapers = 0;
constexpr UINT kTrayNumber = 10163, kBypass = 10164, kLargeCapacity = 10165, kSideDeck = 10166;
constexpr UINT kPaperLabel = 10167, kTypeLabel = 10168, kNotSet = 10169, kAutomatic = 10170;
constexpr UINT kSelected = 10242, kTypeNumber = 10243;

// The slot of the device-option data that holds the source; -1 when none does.
int SlotOf(const ByteView& options, int value) {
    for (size_t i = 0; i < devopt::kSourceSlotCount; ++i) {
        uint16_t code = 0;
        if (options.u16(devopt::kSourceSlots + i * devopt::kSourceSlotSize + devopt::kSlotSourceCode, code) &&
            code != 0 && code == value)
            return static_cast<int>(i);
    }
    return -1;
}

// One tip line: a label and its text, cut at the line's 64 characters as the tip shows them.
void JoinLine(char* line, const char* label, const char* text) {
    const int written = std::snprintf(line, kLine, "%s%s", label, text);
    (void)written;  // a longer pair is cut, not an error
}

}  // namespace

BOOL Basic3SheetsPreview::BuildPartTipText(int part, TipTextRecord* record) {
    if (part < 0 || part >= partCount_ || !(parts_[part].flags & kPartTipBelow))
        return BasicPreview::BuildPartTipText(part, record);
    const int value = parts_[part].value;
    auto load = [&](UINT id, char* out, size_t size) {
        out[0] = '\0';
        devData_->svc->LoadString(devData_, id, out, static_cast<int>(size));
    };
    const ByteView options = DeviceOptions();
    const int slot = SlotOf(options, value);
    const size_t slotAt = devopt::kSourceSlots + static_cast<size_t>(slot) * devopt::kSourceSlotSize;

    char name[kLine] = "", format[kLine] = "";
    char slotName[19] = "";  // the slot's 18 characters and the end
    if (slot >= 0 && options.contains(slotAt + devopt::kSlotName, 18)) {
        std::memcpy(slotName, options.data() + slotAt + devopt::kSlotName, 18);
        slotName[18] = '\0';
    }
    if (slotName[0]) {
        std::snprintf(name, sizeof name, "%s", slotName);
    } else {
        switch (value) {
        case 4: load(kBypass, name, sizeof name); break;
        case 264: case 270: load(kLargeCapacity, name, sizeof name); break;
        case 265: load(kSideDeck, name, sizeof name); break;
        case 7: load(kAutomatic, name, sizeof name); break;
        default:
            load(kTrayNumber, format, sizeof format);
            std::snprintf(name, sizeof name, format, value == 1 ? 1 : value == 3 ? 2 : value == 2 ? 3 : value);
            break;
        }
    }
    char mark[kLine] = "";
    if (value == SelectedSource()) load(kSelected, mark, sizeof mark);
    JoinLine(record->lines[0], name, mark);

    char label[kLine] = "", text[kLine] = "";
    load(kNotSet, text, sizeof text);
    uint16_t paper = 0;
    if (slot >= 0 && options.u16(slotAt + devopt::kSlotPaperSize, paper) && paper != 0) {
        TableCursorRef<PaperCursor> papers(devData_, kTablePapers);
        if (papers && papers->Select(paper)) papers->GetFormName(1, text, sizeof text);
    }
    load(kPaperLabel, label, sizeof label);
    JoinLine(record->lines[1], label, text);

    load(kNotSet, text, sizeof text);
    uint16_t media = 0;
    if (slot >= 0 && options.u16(slotAt + devopt::kSlotMediaId, media) && media != 0 && media != kNoMedia) {
        const auto model = static_cast<uint16_t>(devData_->svc->GetDeviceDataValue2(devData_));
        const int index = MediaTable_IndexOf(media, model);
        const MediaRecord* table = MediaTable_ForModel(model);
        if (table && index >= 0 && table[index].name[0]) {
            const size_t n = std::min(strnlen(table[index].name, sizeof table[index].name), sizeof text - 1);
            std::memcpy(text, table[index].name, n);
            text[n] = '\0';
        } else {
            load(kTypeNumber, format, sizeof format);
            std::snprintf(text, sizeof text, format, media);
        }
    }
    load(kTypeLabel, label, sizeof label);
    JoinLine(record->lines[2], label, text);
    MeasureTipText(record);
    return TRUE;
}
