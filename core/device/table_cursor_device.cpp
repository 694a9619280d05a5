// Reading the table inputs from the parsed data file, entry by entry through checked views.
#include "core/device/table_cursor_device.h"

#include "core/datafile/device_data_layout.h"

#include <algorithm>
#include <cstring>
#include <iterator>

namespace {

// Paper entry fields (216-byte entries, the finishing states as 32-bit words).
constexpr size_t kPaperAssumed = 0x84, kPaperNoPairing = 0x88, kPaperDuplex = 0xa0, kPaperBooklet = 0xa4,
                 kPaperStaple = 0xc0, kPaperFold = 0xc4, kPaperHolePunch = 0xc8;
constexpr size_t kNameField = 64;

std::string entryName(ByteView entry) {
    char name[kNameField] = {};
    entry.bytes(0, name, kNameField);
    return std::string(name, strnlen(name, kNameField - 1));
}

std::vector<uint16_t> expansionIds(const DeviceData& data) {
    std::vector<uint16_t> ids;
    const devicedata::ListInfo* info = devicedata::FindList("ExpPaperSource");
    if (!info) return ids;
    DeviceList list = data.ListAt(info->handleOffset);
    for (uint32_t i = 0; i < list.count; ++i) {
        uint16_t id = 0;
        if (list.Entry(i).u16(info->idOffset, id)) ids.push_back(id);
    }
    return ids;
}

}  // namespace

void LoadTableInputs(CoreTables& tables, const DeviceData& data) {
    tables.devicePapers.clear();
    DeviceList papers = data.ListAt(devicedata::kPaperHandle);
    for (uint32_t i = 0; i < papers.count; ++i) {
        ByteView e = papers.Entry(i);
        DevicePaper p;
        if (!e.u16(0, p.id)) continue;
        e.u32(kPaperAssumed, p.assumed);
        e.u32(kPaperStaple, p.staple);
        e.u32(kPaperBooklet, p.saddle);
        e.u32(kPaperDuplex, p.duplex);
        e.u32(kPaperNoPairing, p.noPairing);
        e.u32(kPaperFold, p.zFold);
        e.u32(kPaperHolePunch, p.holePunch);
        tables.devicePapers.push_back(p);
    }

    ByteView record = data.Record();
    UserPaperLimits& u = tables.userPaper;
    uint32_t* words[] = {&u.defaultWidth, &u.defaultLength, &u.marginLeft, &u.marginTop, &u.marginRight,
                         &u.marginBottom, &u.minWidth, &u.minLength, &u.maxWidth, &u.maxLength};
    for (size_t i = 0; i < std::size(words); ++i) {
        *words[i] = 0;
        record.u32(devicedata::kUserPaper + 4 * i, *words[i]);
    }

    tables.deviceSources.clear();
    std::vector<uint16_t> optional = expansionIds(data);
    DeviceList sources = data.ListAt(devicedata::kPaperSourceHandle);
    for (uint32_t i = 0; i < sources.count; ++i) {
        ByteView e = sources.Entry(i);
        DeviceSource s;
        if (!e.u16(kNameField, s.id)) continue;
        s.name = entryName(e);
        DeviceList sub = data.SubList(sources, i, devicedata::kSourcePaperHandle);
        for (uint32_t k = 0; k < sub.count; ++k) {
            uint16_t paper = 0;
            if (sub.Entry(k).u16(0, paper)) s.papers.push_back(paper);
        }
        s.optional = std::find(optional.begin(), optional.end(), s.id) != optional.end();
        tables.deviceSources.push_back(std::move(s));
    }
    tables.papers.reset();
    tables.sources.reset();
}
