// The built-in extension's device-mode and device-option rules. Defaults follow the data file
// (default paper, source, colour, resolution); validation replaces a value the device does not
// offer by that default, so a device mode from another model never asks for what this one lacks.
#include "model/builtin_extension.h"

#include "core/datafile/device_data_layout.h"
#include "core/devmode/device_option_block.h"
#include "core/devmode/devmode_colour.h"
#include "core/devmode/devmode_layout.h"
#include "core/devmode/devmode_option_table.h"
#include "core/devmode/devmode_options.h"
#include "core/devmode/devmode_public_fields.h"
#include "core/datafile/paper_sizes.h"
#include "model/capability_bits.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr size_t kDuplexState = 0x798;  // u32: 0 the device cannot print two-sided
constexpr char kNoNameBlock[] = "";

int16_t s16At(MutableByteView dm, size_t offset) {
    int16_t v = 0;
    dm.s16(offset, v);
    return v;
}

bool standardRow(uint16_t code, PaperRow& row) {
    const StandardPaper* p = FindStandardPaper(code);
    if (!p) return false;
    row = PaperRow{};
    row.code = row.baseId = p->code;
    row.name = p->name;
    row.width = p->width;
    row.length = p->length;
    row.flags = kPaperStandard;
    return true;
}

// The visible row of a paper code in the device's table; false when the device does not offer
// it. Without tables every standard paper is taken.
bool offeredPaper(const ExtDevice& device, uint16_t code, PaperRow& row) {
    if (!device.tables) return standardRow(code, row);
    return PaperTableOf(*device.tables)->Find(code, row) && !(row.flags & kPaperHidden);
}

bool offeredSource(const ExtDevice& device, uint16_t id) {
    if (!device.tables) return true;
    const auto& sources = device.tables->deviceSources;
    return std::any_of(sources.begin(), sources.end(), [&](const DeviceSource& s) { return s.id == id; });
}

// Writes the paper everywhere the device mode names it: the public fields and the source and
// output paper options.
void writePaper(MutableByteView dm, const PaperRow& row) {
    dm.put_s16(offsetof(DEVMODEA, dmPaperSize), static_cast<int16_t>(row.code));
    devmode::putPaddedText(dm, devmode::kOffFormName, CCHFORMNAME, row.name.data(), row.name.size());
    uint16_t size[2] = {static_cast<uint16_t>(row.width), static_cast<uint16_t>(row.length)};
    uint16_t area[4];
    for (int i = 0; i < 4; ++i) area[i] = static_cast<uint16_t>(row.area[i]);
    uint8_t* p = dm.data();
    size_t n = dm.size();
    for (uint32_t option : {111u, 116u}) devmode::SetOption(p, n, option, &row.baseId, 2);
    for (uint32_t option : {112u, 117u}) devmode::SetOption(p, n, option, &row.code, 2);
    for (uint32_t option : {114u, 119u}) devmode::SetOption(p, n, option, size, sizeof size);
    for (uint32_t option : {115u, 120u}) devmode::SetOption(p, n, option, area, sizeof area);
}

// True when the private paper options name the row's paper as the public fields do. A custom
// paper keeps its own size, which only the caller knows.
bool privatePaperMatches(MutableByteView dm, const PaperRow& row) {
    if (row.code == kCustomPaperCode) return true;
    uint16_t sourceId = 0, sourceCode = 0, outputId = 0, outputCode = 0;
    uint16_t sourceSize[2] = {}, outputSize[2] = {};
    const uint8_t* p = dm.data();
    size_t n = dm.size();
    devmode::GetOption(p, n, 111, &sourceId, 2);
    devmode::GetOption(p, n, 112, &sourceCode, 2);
    devmode::GetOption(p, n, 116, &outputId, 2);
    devmode::GetOption(p, n, 117, &outputCode, 2);
    devmode::GetOption(p, n, 114, sourceSize, sizeof sourceSize);
    devmode::GetOption(p, n, 119, outputSize, sizeof outputSize);
    return sourceId == row.baseId && outputId == row.baseId && sourceCode == row.code && outputCode == row.code &&
           sourceSize[0] == row.width && sourceSize[1] == row.length && outputSize[0] == row.width &&
           outputSize[1] == row.length;
}

PaperRow defaultPaperRow(const ExtDevice& device, const DeviceFacts& facts) {
    PaperRow row;
    if (offeredPaper(device, facts.defaultPaper, row)) return row;
    if (device.tables)
        for (const PaperRow& r : PaperTableOf(*device.tables)->Rows())
            if (r.flags & kPaperStandard) return r;
    standardRow(9, row);
    return row;
}

}  // namespace

DeviceFacts ReadDeviceFacts(const ExtDevice& device) {
    DeviceFacts f;
    if (!device.data) return f;
    ByteView r = device.data->Record();
    uint16_t u16 = 0;
    uint32_t u32 = 0;
    int16_t s16 = 0;
    if (r.u16(devicedata::kDefaultPaper, u16) && u16) f.defaultPaper = u16;
    if (r.u16(devicedata::kDefaultPaperSource, u16) && u16) f.defaultSource = u16;
    if (r.u32(devicedata::kColorState, u32)) f.colour = u32 != 0;
    if (r.u32(kDuplexState, u32)) f.duplex = u32 != 0;
    if (r.u32(devicedata::kMaxCopies, u32) && u32) f.maxCopies = std::min<uint32_t>(u32, 9999);
    if (r.s16(devicedata::kDefaultResoDpi, s16) && s16 > 0) f.resolution = s16;
    if (r.u32(devicedata::kPdlId, u32) && u32) f.pdlId = static_cast<uint16_t>(u32);
    r.u32(devicedata::kMailBoxState, f.mailBoxKind);
    r.u32(devicedata::kMailBoxFlag, f.mailBoxFlag);
    return f;
}

const ModelExtension& BuiltInModelExtension() {
    static const BuiltInExtension extension;
    return extension;
}

ByteView BuiltInExtension::ModelInfoA(const ExtDevice& device) const {
    return device.data ? device.data->ModelBlockA() : ByteView();
}

const char* BuiltInExtension::ModelInfoB(const ExtDevice& device) const {
    return device.data ? device.data->ModelBlockB() : kNoNameBlock;
}

void BuiltInExtension::DevmodeDefaults(const ExtDevice& device, MutableByteView dm) const {
    if (!dm.contains(0, devmode::kDevmodeSize)) return;
    DeviceFacts facts = ReadDeviceFacts(device);
    writePaper(dm, defaultPaperRow(device, facts));
    dm.put_s16(offsetof(DEVMODEA, dmDefaultSource), static_cast<int16_t>(facts.defaultSource));
    devmode::putDefaultColour(dm, facts.colour);
    dm.put_s16(offsetof(DEVMODEA, dmPrintQuality), facts.resolution);
    dm.put_s16(offsetof(DEVMODEA, dmYResolution), facts.resolution);
    devmode::SetOption(dm.data(), dm.size(), 224, &facts.resolution, 2);
    dm.put_u16(devmode::kOffPdlId, facts.pdlId);
    dm.put_u16(devmode::kOffModelNumber, device.model);
}

bool BuiltInExtension::ValidateDevmode(const ExtDevice& device, MutableByteView dm) const {
    if (!dm.contains(0, devmode::kDevmodeSize)) return false;
    DeviceFacts facts = ReadDeviceFacts(device);
    bool changed = false;
    PaperRow row;
    int16_t paper = s16At(dm, offsetof(DEVMODEA, dmPaperSize));
    if (paper <= 0 || !offeredPaper(device, static_cast<uint16_t>(paper), row)) {
        writePaper(dm, defaultPaperRow(device, facts));
        changed = true;
    } else if (!privatePaperMatches(dm, row)) {
        // A caller changes the paper through the public fields; the private part follows, so that
        // the two never describe different papers.
        writePaper(dm, row);
        changed = true;
    }
    int16_t source = s16At(dm, offsetof(DEVMODEA, dmDefaultSource));
    if (source <= 0 || !offeredSource(device, static_cast<uint16_t>(source))) {
        dm.put_s16(offsetof(DEVMODEA, dmDefaultSource), static_cast<int16_t>(facts.defaultSource));
        changed = true;
    }
    int16_t duplex = s16At(dm, offsetof(DEVMODEA, dmDuplex));
    if (duplex < DMDUP_SIMPLEX || duplex > DMDUP_HORIZONTAL || (!facts.duplex && duplex != DMDUP_SIMPLEX)) {
        dm.put_s16(offsetof(DEVMODEA, dmDuplex), DMDUP_SIMPLEX);
        changed = true;
    }
    int16_t colour = s16At(dm, offsetof(DEVMODEA, dmColor));
    if ((colour != DMCOLOR_MONOCHROME && colour != DMCOLOR_COLOR) || (!facts.colour && colour != DMCOLOR_MONOCHROME)) {
        // A monochrome device prints black and white whatever the private fields said; a colour
        // device keeps the colour mode its private fields chose.
        if (facts.colour)
            dm.put_s16(offsetof(DEVMODEA, dmColor), DMCOLOR_COLOR);
        else
            devmode::putDefaultColour(dm, false);
        changed = true;
    }
    int16_t copies = s16At(dm, offsetof(DEVMODEA, dmCopies));
    int16_t clamped = static_cast<int16_t>(std::clamp<int32_t>(copies, 1, static_cast<int32_t>(std::min<uint32_t>(facts.maxCopies, 32767))));
    if (clamped != copies) {
        dm.put_s16(offsetof(DEVMODEA, dmCopies), clamped);
        changed = true;
    }
    return changed;
}

void BuiltInExtension::UpgradeLegacy(const ExtDevice& device, uint16_t fromVersion, MutableByteView dm) const {
    // Versions before the current one did not record the model and the language; a device mode
    // carried over from them belongs to the device that reads it now.
    uint16_t model = 0, pdl = 0;
    if (fromVersion < devmode::kPrivateVersion) {
        if (dm.u16(devmode::kOffModelNumber, model) && model == 0) dm.put_u16(devmode::kOffModelNumber, device.model);
        if (dm.u16(devmode::kOffPdlId, pdl) && pdl == 0) dm.put_u16(devmode::kOffPdlId, ReadDeviceFacts(device).pdlId);
    }
    ValidateDevmode(device, dm);
}

void BuiltInExtension::DeviceOptionDefaults(const ExtDevice& device, MutableByteView block) const {
    int16_t offset = 0;
    if (!block.s16(devopt::kOffDataOffset, offset) || offset <= 0 ||
        !block.contains(static_cast<size_t>(offset), devopt::kDataSize))
        return;
    MutableByteView data(block.data() + offset, devopt::kDataSize);
    DeviceFacts facts = ReadDeviceFacts(device);
    uint32_t flags = 0;
    data.u32(devopt::kFlagWord, flags);
    if (facts.mailBoxKind == 2 || (facts.mailBoxKind == 1 && facts.mailBoxFlag)) flags |= 0x8;
    data.put_u32(devopt::kFlagWord, flags);
    if (!device.tables) return;
    // The standard sources (expansion sources wait for the configuration to find them) with
    // plain paper of the default size, level unknown.
    size_t slot = 0;
    uint32_t capabilities = 0;
    for (const DeviceSource& s : device.tables->deviceSources) {
        if (s.optional || s.id == kAutoSelectSource || slot >= devopt::kSourceSlotCount) continue;
        size_t at = devopt::kSourceSlots + slot++ * devopt::kSourceSlotSize;
        uint16_t paper = std::find(s.papers.begin(), s.papers.end(), facts.defaultPaper) != s.papers.end() || s.papers.empty()
                             ? facts.defaultPaper
                             : s.papers.front();
        constexpr int16_t kPlainMedia = 2;
        data.put_u16(at + devopt::kSlotSourceCode, s.id);
        data.put_u16(at + devopt::kSlotPaperSize, paper);
        data.put_s16(at + devopt::kSlotSourceKind, 3);
        data.put_u16(at + devopt::kSlotMediaId, kPlainMedia);
        data.put_s16(at + devopt::kSlotLevel, -2);
        capabilities |= PaperSourceToCapabilityBit(kPlainMedia);
    }
    data.put_u32(devopt::kMediaCapabilities, capabilities);
    data.put_u16(devopt::kSourceTableValid, slot ? 1 : 0);
}

uint16_t BuiltInExtension::ConvertUserPaper(const ExtDevice& device, uint32_t width, uint32_t length) const {
    if (!device.tables) return 0;
    auto table = PaperTableOf(*device.tables);
    auto near = [](uint32_t a, uint32_t b) { return (a > b ? a - b : b - a) <= 2; };
    for (const PaperRow& r : table->Rows())
        if ((r.flags & kPaperStandard) && near(r.width, width) && near(r.length, length)) return r.code;
    const UserPaperLimits& l = table->Limits();
    PaperRow custom;
    bool customOffered = table->Find(kCustomPaperCode, custom) && !(custom.flags & kPaperHidden);
    if (customOffered && width >= l.minWidth && width <= l.maxWidth && length >= l.minLength && length <= l.maxLength)
        return kCustomPaperCode;
    return 0;
}
