// Fuzz target of the stored watermark presets: the fuzzer's bytes become the bundled printer's
// "WaterMark" registry values (each of the current size, the older size or any other), and the
// printer's watermark object upgrades, lists and commits them. Whatever is stored, no read goes
// past a value, every listed text is terminated, the list keeps to its room, and a record read
// back packs to the bytes it was read from.
#include "fuzz/devmode_session_harness.h"

#include "core/devmode/devmode_layout.h"
#include "core/devmode/devmode_option_table.h"
#include "core/library/exports_devicemode.h"
#include "core/system/registry_helpers.h"
#include "features/pdl_watermark.h"

#include <windows.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

[[noreturn]] void Fail(const char* what) { fuzzprinter::Fail("watermark_presets", what); }

constexpr const char* kPrinter = fuzzprinter::kSessionPrinter;
std::string g_base;

void CheckText(const char* text, size_t room) {
    if (strnlen(text, room) == room) Fail("an unterminated text was listed");
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzzprinter::InstallBundledPrinter("watermark_presets");
    fuzzprinter::OpenSession("watermark_presets");
    g_base = CmPreset(fuzzprinter::SessionObject(), 0).BuildRegistryPath();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace watermark;
    RegDeleteKeyAll(HKEY_LOCAL_MACHINE, g_base.c_str(), kPrinter, nullptr, "WaterMark");
    // Each value: a selector byte (its size: the current one, the older one, or the next byte),
    // then its bytes, zero-filled when the input ends first.
    size_t at = 0;
    for (uint32_t index = 0; at < size && index < 64; ++index) {
        const uint8_t selector = data[at++];
        size_t length = selector % 3 == 0 ? kRegRecordSize : selector % 3 == 1 ? kOldRegRecordSize : 0;
        if (selector % 3 == 2 && at < size) length = data[at++];
        std::vector<uint8_t> value(length, 0);
        const size_t take = std::min(length, size - at);
        if (take) std::memcpy(value.data(), data + at, take);
        at += take;
        RegSetValueAll(HKEY_LOCAL_MACHINE, g_base.c_str(), kPrinter, "WaterMark", std::to_string(index).c_str(),
                       REG_BINARY, value.data(), static_cast<DWORD>(value.size()));
    }

    PDLWaterMark marks(fuzzprinter::SessionObject(), 0);
    if (marks.Count() > marks.Capacity()) Fail("the list outgrew its room");
    for (const PDLWaterMark::Record& record : marks.Presets()) {
        CheckText(record.name, kTextRoom);
        CheckText(record.text, kTextRoom);
        CheckText(record.font.faceName, kFaceRoom + 1);
    }
    for (uint32_t index = 1; index < 4; ++index) {
        std::vector<uint8_t> bytes;
        PDLWaterMark::Record record;
        if (!marks.ReadValue(index, bytes) || !UnpackRecord(bytes.data(), bytes.size(), record)) continue;
        if (bytes.size() != kRegRecordSize) continue;
        uint8_t again[kRegRecordSize];
        PackRecord(record, again);
        // Texts are cut at their terminator; every other byte packs back as it was read.
        if (std::memcmp(again + 70, bytes.data() + 70, kRegRecordSize - 70 - kFaceRoom) != 0)
            Fail("a record does not pack back to its bytes");
    }
    marks.InitWorkingList();
    if (marks.AddPreset(PDLWaterMark::Record{}) && !marks.CommitWorkingList()) Fail("a commit was refused");
    return 0;
}
