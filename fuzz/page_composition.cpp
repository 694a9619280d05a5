// Fuzz target of the page-composition requests as the page-composition tool sends them through
// VomelDeviceMode (codes below 0x10000): the first bytes choose the host code, the kind, what the
// device's configuration found (bytes of the device-option data), the private fields of the
// device mode, and lies in the device mode's own sizes and section offset; the rest is the
// caller's record, in a buffer exactly as long as the code's record, so that the sanitizer sees
// any read or write past it. A set of the page list gets a list with no terminator. One session
// serves every input (fuzz/devmode_session_harness.h).
#include "fuzz/devmode_session_harness.h"

#include "core/devmode/devmode_option_table.h"
#include "core/devmode/model_section.h"
#include "items/pdl/folx.h"

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <vector>

namespace {

// Host codes and the size of the record each exchanges (4 for a word).
struct HostCode {
    DWORD code;
    uint32_t size;
};
constexpr HostCode kCodes[] = {
    {0x13, 4},   {0x14, 4},   {0x15, 4},   {0x17, 4},   {0x18, 4},   {0x19, 4},   {0x1B, 4},   {0x401, 4},
    {0x402, 4},  {0x404, 4},  {0x406, 8},  {0x407, 8},  {0x408, 4},  {0x40A, 4},  {0x40C, 4},  {0x40D, 4},
    {0x40E, 8},  {0x40F, 8},  {0x410, 4},  {0x412, 4},  {0x413, 4},  {0x416, 4},  {0x420, 4},  {0x421, 8},
    {0x439, 4},  {0x442, 4},  {0x443, 4},  {0x447, 4},  {0x449, 4},  {0x46B, 4},  {0x46E, 4},  {0x46F, 4},
    {0x470, 4},  {0x471, 4},  {0x472, 4},  {0x473, 4},  {0x477, 4},  {0x478, 4},  {0x47C, 84}, {0x47D, 4},
    {0x47F, 256}, {0x487, 4}, {0x488, 964}, {0x489, 4}, {0x48A, 4},  {0x48B, 4},  {0x48E, 4},  {0x48F, 4},
    {0x490, 4},  {0x491, 200}, {0x498, 4}, {0x802, 4},  {0x803, 4},  {0x804, 4},  {0x806, 4},  {0x807, 4},
    {0x808, 4},  {0x80A, 256}, {0x80C, 4}, {0x801, 4},  {0x80F, 4},  {0x810, 4},  {0x811, 4},  {0x813, 4},
    {0x814, 4},  {0x815, 0},  {0x816, 4},  {0x817, 4},  {0x81B, 4},  {0x81F, 4},  {0x820, 4},  {0x821, 4},  {0x823, 4},
    {1024, 412}, {1071, 0},   {0x999, 4},
};

// Device-option data bytes and private fields the adapters test, set from the input.
constexpr size_t kDopBytes[] = {0, 1, 9, 39, 40, 41, 42, 988, 989, 990};
constexpr size_t kPrivateWords[] = {
    devmode::model::kPrivateFlagWord, devmode::model::kFlagByteA, devmode::model::kOutputWord,
    devmode::model::kByte238,         devmode::model::kMediaByte, 361,
    devmode::model::kPageTableState,  375,                        385,
    devmode::model::kListFlags,       devmode::model::kComposeFlags, 809,
};
// Options of the device mode the adapters branch on.
constexpr DWORD kOptions[] = {100, 102, 110, 112, 117, 121, 122, 124, 126, 128, 130, 140, 141, 142, 143,
                              150, 159, 190, 191, 201, 220, 222, 224, 226};

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzzprinter::InstallBundledPrinter("page_composition");
    RegisterPageComposition();
    fuzzprinter::OpenSession("page_composition");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    constexpr size_t kHead = 3 + std::size(kDopBytes) + 2 * std::size(kPrivateWords) + 2 * std::size(kOptions) + 4;
    if (size < kHead || size > 0x4000) return 0;
    const HostCode& host = kCodes[data[0] % std::size(kCodes)];
    static constexpr DWORD kKinds[] = {0, 2, 3, 1};
    const DWORD kind = kKinds[data[1] % std::size(kKinds)];
    const uint8_t lies = data[2];
    const uint8_t* at = data + 3;

    HANDLE session = fuzzprinter::TheSession().handle;
    std::vector<uint8_t> dm = fuzzprinter::TheSession().devmode;
    UIDEVDATA* ctx = fuzzprinter::SessionObject();
    MutableByteView options = fuzzprinter::FreshDeviceOptions("page_composition");
    for (size_t offset : kDopBytes) options.put_u8(offset, *at++);
    MutableByteView priv = fuzzprinter::ModelSection(dm);
    for (size_t offset : kPrivateWords) {
        priv.put_u16(offset, static_cast<uint16_t>(at[0] | at[1] << 8));
        at += 2;
    }
    for (DWORD n : kOptions) {
        const uint32_t value = static_cast<uint32_t>(at[0] | at[1] << 8);
        ctx->svc->SetOption(ctx, dm.data(), n, &value, sizeof value);
        at += 2;
    }
    // Sizes that lie: the declared private size and the model section's offset.
    MutableByteView head(dm.data(), dm.size());
    if (lies & 0x1) head.put_u16(devmode::kOffDriverExtra, static_cast<uint16_t>(at[0] | at[1] << 8));
    if (lies & 0x2) head.put_s16(devmode::kOffModelSection, static_cast<int16_t>(at[2] | at[3] << 8));
    at += 4;

    auto* caller = reinterpret_cast<LPDEVMODEA>(dm.data());
    size_t length = host.size;
    if (host.code == 1071) {
        DWORD records = 0;
        length = VomelDeviceMode(session, caller, 0, 1071, &records) == 0 ? records : 0;
    }
    if (host.code == 0x815) {
        DWORD papers = 0;
        length = VomelDeviceMode(session, caller, 2, 0x814, &papers) == 0 ? 36 * size_t{papers} : 0;
    }
    // The copies and the resolution are set as 16-bit values.
    if (kind == 3 && (host.code == 0x801 || host.code == 0x80C)) length = 2;
    std::vector<uint8_t> buffer(std::max<size_t>(length, kind == 0 ? 4 : length), 0);
    const size_t rest = size - static_cast<size_t>(at - data);
    if (!buffer.empty()) std::memcpy(buffer.data(), at, std::min(buffer.size(), rest));
    VomelDeviceMode(session, caller, kind, host.code, buffer.empty() ? nullptr : buffer.data());
    return 0;
}
