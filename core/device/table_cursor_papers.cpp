// The paper table and its cursor. The table is built once per refresh; cursors share it and
// read the custom size through the shared record, so a size set anywhere is seen everywhere.
#include "core/device/table_cursor_papers.h"

#include "core/datafile/paper_sizes.h"

#include <algorithm>
#include <cstring>

namespace {

void marginArea(const UserPaperLimits& l, uint32_t width, uint32_t length, int32_t (&area)[4]) {
    area[0] = static_cast<int32_t>(std::min(l.marginLeft, width));
    area[1] = static_cast<int32_t>(std::min(l.marginTop, length));
    area[2] = static_cast<int32_t>(width - std::min(l.marginRight, width));
    area[3] = static_cast<int32_t>(length - std::min(l.marginBottom, length));
}

}  // namespace

PaperTable::PaperTable(const std::vector<DevicePaper>& papers, const UserPaperLimits& limits,
                       const std::vector<FormEntry>& forms, std::shared_ptr<CustomPaperSize> custom)
    : limits_(limits), custom_(custom ? std::move(custom) : std::make_shared<CustomPaperSize>()) {
    bool customListed = false;
    for (const DevicePaper& p : papers) {
        if (p.id == kCustomPaperCode) {
            customListed = true;
            continue;
        }
        const StandardPaper* standard = FindStandardPaper(p.id);
        if (!standard) continue;  // a paper whose size nobody knows cannot be offered
        if (std::any_of(rows_.begin(), rows_.end(), [&](const PaperRow& r) { return r.code == p.id; })) continue;
        PaperRow row;
        row.code = row.baseId = p.id;
        row.name = standard->name;
        row.width = standard->width;
        row.length = standard->length;
        marginArea(limits_, row.width, row.length, row.area);
        uint32_t attributes[] = {p.assumed, p.staple, p.saddle, p.duplex, p.noPairing, p.zFold, p.holePunch};
        std::copy(std::begin(attributes), std::end(attributes), row.attributes);
        row.flags = kPaperStandard;
        rows_.push_back(std::move(row));
    }
    for (const FormEntry& f : forms) {
        PaperRow row;
        row.code = f.paperId;
        row.baseId = kCustomPaperCode;
        row.name = f.name;
        row.width = f.width;
        row.length = f.length;
        marginArea(limits_, row.width, row.length, row.area);
        row.flags = kPaperUserForm;
        rows_.push_back(std::move(row));
    }
    PaperRow row;
    row.code = row.baseId = kCustomPaperCode;
    row.name = "Custom";
    row.flags = kPaperCustom | (customListed && limits_.maxWidth && limits_.maxLength ? 0 : kPaperHidden);
    if (custom_->width == 0) {
        custom_->width = limits_.defaultWidth;
        custom_->length = limits_.defaultLength;
        marginArea(limits_, custom_->width, custom_->length, custom_->area);
    }
    rows_.push_back(std::move(row));
}

void PaperTable::FillCustom(PaperRow& row) const {
    row.width = custom_->width;
    row.length = custom_->length;
    std::copy(std::begin(custom_->area), std::end(custom_->area), row.area);
}

bool PaperTable::SetCustomSize(uint32_t width, uint32_t length, const int32_t* area) {
    if (width < limits_.minWidth || width > limits_.maxWidth || length < limits_.minLength ||
        length > limits_.maxLength || width == 0 || length == 0)
        return false;
    int32_t newArea[4];
    if (area) {
        if (area[0] < 0 || area[1] < 0 || area[2] <= area[0] || area[3] <= area[1] ||
            area[2] > static_cast<int32_t>(width) || area[3] > static_cast<int32_t>(length))
            return false;
        std::copy(area, area + 4, newArea);
    } else {
        marginArea(limits_, width, length, newArea);
    }
    custom_->width = width;
    custom_->length = length;
    std::copy(std::begin(newArea), std::end(newArea), custom_->area);
    return true;
}

bool PaperTable::Find(uint16_t code, PaperRow& out) const {
    for (const PaperRow& r : rows_)
        if (r.code == code) {
            out = r;
            if (r.flags & kPaperCustom) FillCustom(out);
            return true;
        }
    return false;
}

const PaperRow* PaperCursor::Current() const {
    const PaperRow* row = place_.Current(table_->Rows());
    if (!row) return nullptr;
    table_->Find(row->code, scratch_);
    return &scratch_;
}

int PaperCursor::Select(uint16_t code) {
    return place_.Select(table_->Rows(), [code](const PaperRow& row) { return row.code == code; });
}

int PaperCursor::First() { return place_.First(table_->Rows().size()); }
int PaperCursor::Next() { return place_.Next(table_->Rows().size()); }

uint16_t PaperCursor::GetWord(int k) const {
    const PaperRow* row = Current();
    if (!row) return 0;
    return k == 1 ? row->code : k == 2 ? row->baseId : 0;
}

int PaperCursor::GetFormName(int k, char* buffer, size_t size) const {
    const PaperRow* row = Current();
    if (!row || k != 1 || !buffer || size == 0) return 0;
    size_t n = std::min(row->name.size(), size - 1);
    std::memcpy(buffer, row->name.data(), n);
    buffer[n] = '\0';
    return 1;
}

int PaperCursor::GetFlag(int k) const {
    const PaperRow* row = Current();
    return row && k >= 1 && k <= 4 && (row->flags & (1u << (k - 1))) ? 1 : 0;
}

uint32_t PaperCursor::GetFormAttribute(int k) const {
    const PaperRow* row = Current();
    return row && k >= 1 && k <= kPaperAttributeCount ? row->attributes[k - 1] : 0;
}

int PaperCursor::GetFormSize(uint32_t* size, int32_t* area) const {
    const PaperRow* row = Current();
    if (!row) return 0;
    if (size) {
        size[0] = row->width;
        size[1] = row->length;
    }
    if (area) std::copy(std::begin(row->area), std::end(row->area), area);
    return 1;
}

int PaperCursor::IsCustom(int k) const {
    const PaperRow* row = Current();
    if (!row) return 0;
    if (k == 1) return row->code == kCustomPaperCode ? 1 : 0;
    if (k == 2) return row->baseId == kCustomPaperCode ? 1 : 0;
    return 0;
}

int PaperCursor::SetCustomSize(const uint32_t* size, const int32_t* area) {
    return size && table_->SetCustomSize(size[0], size[1], area) ? 1 : 0;
}
