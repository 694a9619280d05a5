// Fuzz target of what the core's tables and the built-in extension read from a parsed data file:
// any file the parser accepts (the checksum made to agree, so that the fuzzer reaches the lists)
// must give tables, cursors, capabilities and defaults that stay inside its bounds.
#include "fuzz/datafile_harness.h"
#include "core/devmode/devmode_defaults.h"
#include "core/devmode/devmode_option_table.h"
#include "core/device/table_cursor_device.h"
#include "model/builtin_extension.h"

#include <cstdint>
#include <vector>

namespace {

void Exercise(DeviceData& data) {
    CoreTables tables;
    tables.pseudoPrinter = true;  // no registry behind the fuzzer
    LoadTableInputs(tables, data);
    ExtDevice device{data.ModelCode(), &data, &tables};
    const ModelExtension& ext = BuiltInModelExtension();
    for (WORD capability : {DC_PAPERS, DC_PAPERNAMES, DC_PAPERSIZE, DC_BINS, DC_BINNAMES, DC_ENUMRESOLUTIONS}) {
        int count = ext.DeviceCapabilities(device, capability, nullptr, nullptr);
        if (count > 0 && count < 10000) {
            std::vector<char> out(static_cast<size_t>(count) * 64);
            ext.DeviceCapabilities(device, capability, out.data(), nullptr);
        }
    }
    std::vector<uint8_t> dm(devmode::kDevmodeSize);
    devmode::buildDefaultDevmode(devmode::ModelFacts{}, dm.data(), dm.size());
    ext.DevmodeDefaults(device, MutableByteView(dm.data(), dm.size()));
    ext.ValidateDevmode(device, MutableByteView(dm.data(), dm.size()));
    void* out = nullptr;
    if (QueryTable(tables, kTableSources, &out)) {
        auto* sources = static_cast<PaperSourceCursor*>(out);
        char text[kSourceTextSize];
        for (int more = sources->First(); more; more = sources->Next()) sources->GetText(1, 0, text);
        sources->Release();
    }
    ext.ConvertUserPaper(device, 2100, 2970);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    CreatePrivateHeap();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
    fuzzdata::ParseAsFuzzed(bytes, size, false, [](DeviceData& data) { Exercise(data); });
    return 0;
}
