// The built-in answers of DeviceCapabilitiesA, from the core's paper and source tables and the
// data file. Every list is counted first; the output is written only when the caller gave one,
// with the fixed entry sizes of the interface (64-character paper names, 24-character bin names).
#include "model/builtin_extension.h"

#include "core/datafile/device_data_layout.h"
#include "core/devmode/devmode_defaults.h"
#include "core/devmode/devmode_layout.h"
#include "core/devmode/devmode_option_table.h"

#include <cstring>
#include <vector>

namespace {

constexpr size_t kPaperNameSize = 64;
constexpr size_t kBinNameSize = 24;

void putName(LPSTR output, size_t index, size_t field, const std::string& name) {
    char* at = output + index * field;
    std::memset(at, 0, field);
    std::memcpy(at, name.data(), std::min(name.size(), field - 1));
}

template <typename T>
void putValue(LPSTR output, size_t index, T value) {
    std::memcpy(output + index * sizeof(T), &value, sizeof(T));
}

std::vector<const PaperRow*> visiblePapers(const ExtDevice& device) {
    std::vector<const PaperRow*> rows;
    if (!device.tables) return rows;
    for (const PaperRow& r : PaperTableOf(*device.tables)->Rows())
        if (!(r.flags & kPaperHidden)) rows.push_back(&r);
    return rows;
}

std::vector<int32_t> resolutions(const ExtDevice& device, int16_t fallback) {
    std::vector<int32_t> dpi;
    if (device.data) {
        DeviceList list = device.data->ListAt(devicedata::kResolutionHandle);
        for (uint32_t i = 0; i < list.count; ++i) {
            uint16_t code = 0;
            if (list.Entry(i).u16(64, code) && code) dpi.push_back(code);
        }
    }
    if (dpi.empty()) dpi.push_back(fallback);
    return dpi;
}

}  // namespace

int BuiltInExtension::DeviceCapabilities(const ExtDevice& device, WORD capability, LPSTR output,
                                         const DEVMODEA*) const {
    DeviceFacts facts = ReadDeviceFacts(device);
    switch (capability) {
    case DC_FIELDS: {
        std::vector<uint8_t> dm(devmode::kDevmodeSize);
        devmode::buildDefaultDevmode(devmode::ModelFacts{}, dm.data(), dm.size());
        uint32_t fields = 0;
        ByteView(dm.data(), dm.size()).u32(devmode::kOffFields, fields);
        return static_cast<int>(fields);
    }
    case DC_PAPERS:
    case DC_PAPERNAMES:
    case DC_PAPERSIZE: {
        std::vector<const PaperRow*> rows = visiblePapers(device);
        if (output && !rows.empty()) {
            // The custom size answers with its current size, like every other row.
            auto table = PaperTableOf(*device.tables);
            for (size_t i = 0; i < rows.size(); ++i) {
                PaperRow row;
                table->Find(rows[i]->code, row);
                if (capability == DC_PAPERS) putValue<WORD>(output, i, row.code);
                else if (capability == DC_PAPERNAMES) putName(output, i, kPaperNameSize, row.name);
                else putValue<POINT>(output, i, POINT{static_cast<LONG>(row.width), static_cast<LONG>(row.length)});
            }
        }
        return static_cast<int>(rows.size());
    }
    case DC_MINEXTENT:
    case DC_MAXEXTENT: {
        if (!device.tables) return 0;
        const UserPaperLimits& l = device.tables->userPaper;
        return capability == DC_MINEXTENT ? MAKELONG(l.minWidth, l.minLength) : MAKELONG(l.maxWidth, l.maxLength);
    }
    case DC_BINS:
    case DC_BINNAMES: {
        if (!device.tables) return 0;
        const auto& sources = device.tables->deviceSources;
        if (output)
            for (size_t i = 0; i < sources.size(); ++i) {
                if (capability == DC_BINS) putValue<WORD>(output, i, sources[i].id);
                else putName(output, i, kBinNameSize, sources[i].name);
            }
        return static_cast<int>(sources.size());
    }
    case DC_ENUMRESOLUTIONS: {
        std::vector<int32_t> dpi = resolutions(device, facts.resolution);
        if (output)
            for (size_t i = 0; i < dpi.size(); ++i) {
                putValue<LONG>(output, 2 * i, dpi[i]);
                putValue<LONG>(output, 2 * i + 1, dpi[i]);
            }
        return static_cast<int>(dpi.size());
    }
    case DC_DUPLEX: return facts.duplex ? 1 : 0;
    case DC_SIZE: return static_cast<int>(devmode::kPublicSize);
    case DC_EXTRA: return static_cast<int>(devmode::kPrivateSize);
    case DC_VERSION: return devmode::kSpecVersion;
    case DC_DRIVER: return devmode::kPrivateVersion;
    case DC_ORIENTATION: return 90;
    case DC_COPIES: return static_cast<int>(facts.maxCopies);
    case DC_FILEDEPENDENCIES: return 0;
    default: return -1;
    }
}
