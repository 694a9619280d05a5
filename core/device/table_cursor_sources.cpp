// The paper-source table and its cursor. The slot values live in the device-option data and
// are read through the checked view at every call, so the cursor always shows what the
// configuration last wrote.
#include "core/device/table_cursor_sources.h"

#include "core/helpers/byte_view.h"
#include "core/devmode/device_option_block.h"
#include "core/datafile/paper_sizes.h"

#include <algorithm>
#include <cstring>

SourceTable::SourceTable(const std::vector<DeviceSource>& sources, const ModelDescription* model) {
    for (const DeviceSource& s : sources) {
        if (s.id == 0 || std::any_of(rows_.begin(), rows_.end(), [&](const SourceRow& r) { return r.source.id == s.id; }))
            continue;
        SourceRow row{s, 0};
        for (const ModelSourceRecord* r = model ? model->sources : nullptr; r && r->sourceId; ++r)
            if (r->sourceId == s.id) row.modelFlags = r->flags;
        rows_.push_back(std::move(row));
    }
}

const SourceRow* PaperSourceCursor::Current() const {
    return place_.Current(table_->Rows());
}

int PaperSourceCursor::Select(uint16_t id) {
    return place_.Select(table_->Rows(), [id](const SourceRow& row) { return row.source.id == id; });
}

int PaperSourceCursor::First() { return place_.First(table_->Rows().size()); }
int PaperSourceCursor::Next() { return place_.Next(table_->Rows().size()); }

long PaperSourceCursor::FindSlot() const {
    const SourceRow* row = Current();
    if (!row) return -1;
    ByteView data(data_, dataSize_);
    for (size_t k = 0; k < devopt::kSourceSlotCount; ++k) {
        size_t at = devopt::kSourceSlots + k * devopt::kSourceSlotSize;
        uint16_t code = 0;
        if (!data.u16(at + devopt::kSlotSourceCode, code)) return -1;
        if (code == row->source.id) return static_cast<long>(at);
    }
    return -1;
}

long PaperSourceCursor::TakeSlot() {
    long slot = FindSlot();
    const SourceRow* row = Current();
    if (slot >= 0 || !row) return slot;
    MutableByteView data(data_, dataSize_);
    for (size_t k = 0; k < devopt::kSourceSlotCount; ++k) {
        size_t at = devopt::kSourceSlots + k * devopt::kSourceSlotSize;
        uint16_t code = 1;
        if (data.u16(at + devopt::kSlotSourceCode, code) && code == 0) {
            data.put_u16(at + devopt::kSlotSourceCode, row->source.id);
            data.put_s16(at + devopt::kSlotLevel, -2);
            return static_cast<long>(at);
        }
    }
    return -1;
}

int32_t PaperSourceCursor::GetNumber(int k) const {
    const SourceRow* row = Current();
    if (!row) return 0;
    long slot = FindSlot();
    ByteView data(data_, dataSize_);
    uint16_t paper = 0, media = 0;
    int16_t level = -2;
    if (slot >= 0) {
        data.u16(static_cast<size_t>(slot) + devopt::kSlotPaperSize, paper);
        data.u16(static_cast<size_t>(slot) + devopt::kSlotMediaId, media);
        data.s16(static_cast<size_t>(slot) + devopt::kSlotLevel, level);
    }
    switch (k) {
    case 1: return row->source.id;
    case 2: return paper;
    case 3: {
        const StandardPaper* p = FindStandardPaper(paper);
        return p && p->width > p->length ? 3 : 4;
    }
    case 4: return level;
    case 5: return media;
    default: return 0;
    }
}

int PaperSourceCursor::SetNumber(int k, int32_t value) {
    if (k != 2 && k != 4 && k != 5) return kTableRefused;
    if (k == 4 && (value < -3 || value > 100)) return kTableRefused;
    if (k != 4 && (value < 0 || value > 0xFFFF)) return kTableRefused;
    long slot = TakeSlot();
    if (slot < 0) return kTableRefused;
    MutableByteView data(data_, dataSize_);
    size_t at = static_cast<size_t>(slot);
    bool ok = k == 2 ? data.put_u16(at + devopt::kSlotPaperSize, static_cast<uint16_t>(value))
            : k == 4 ? data.put_s16(at + devopt::kSlotLevel, static_cast<int16_t>(value))
                     : data.put_u16(at + devopt::kSlotMediaId, static_cast<uint16_t>(value));
    return ok ? kTableDone : kTableRefused;
}

int PaperSourceCursor::GetText(int k, int, char* buffer) const {
    const SourceRow* row = Current();
    if (!row || !buffer || (k != 1 && k != 2)) return 0;
    std::string text = row->source.name;
    if (k == 1) {
        long slot = FindSlot();
        char reported[19] = {};
        if (slot >= 0 && ByteView(data_, dataSize_).bytes(static_cast<size_t>(slot) + devopt::kSlotName, reported, 18) &&
            reported[0])
            text = reported;
    }
    size_t n = std::min(text.size(), kSourceTextSize - 1);
    std::memcpy(buffer, text.data(), n);
    buffer[n] = '\0';
    return 1;
}

int PaperSourceCursor::GetFlag(int k) const {
    const SourceRow* row = Current();
    if (!row) return 0;
    const DeviceSource& s = row->source;
    switch (k) {
    case 1: return row->modelFlags & kModelSourceHidden ? 1 : 0;
    case 2: return s.id == kBypassSource ? 1 : 0;
    case 3: return row->modelFlags & kModelSourceLargeCapacity ? 1 : 0;
    case 4: return s.optional ? 1 : 0;
    case 7: return std::find(s.papers.begin(), s.papers.end(), kCustomPaperCode) != s.papers.end() ? 1 : 0;
    case 11: return s.id == kAutoSelectSource ? 1 : 0;
    default: return 0;
    }
}
