// Fuzz target of the application option interface through the exported VomelDeviceMode, as an
// application that sizes its buffers by the size and count requests first: the fuzzer's bytes
// become a request (kind, code, data), a batch query's code list, a record the driver reads
// (watermark, new profile, profile name, file path), or the room of a describe request. Whatever a request answers, it writes
// nothing past what the size requests announced, and the caller's device mode still passes the
// driver's checks afterwards.
#include "fuzz/devmode_session_harness.h"

#include "core/devmode/devmode_check.h"
#include "core/devmode/devmode_layout.h"
#include "core/devmode/devmode_option_table.h"
#include "core/library/exports_devicemode.h"
#include "items/pdl/sdk.h"
#include "profiles/profiles_registration.h"

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

[[noreturn]] void Fail(const char* what) { fuzzprinter::Fail("application_options", what); }

constexpr size_t kMaxData = 0x10000;
constexpr DWORD kPaperSourceSettings = 0x1000F;

std::vector<uint8_t> g_devmode;  // the caller's, kept from input to input

LONG Ask(DWORD kind, DWORD code, void* data) {
    const LONG answer = VomelDeviceMode(fuzzprinter::TheSession().handle, reinterpret_cast<LPDEVMODEA>(g_devmode.data()), kind, code, data);
    if (answer < 0 || answer > 3) Fail("an answer outside 0 to 3");
    if (devmode::checkDevmode(g_devmode.data(), g_devmode.size()).trust != devmode::Trust::Private)
        Fail("the caller's device mode no longer passes the checks");
    return answer;
}

uint32_t WordOf(const uint8_t* bytes) {
    uint32_t word = 0;
    std::memcpy(&word, bytes, sizeof word);
    return word;
}

// One request with a buffer exactly as large as a caller makes it from the code's size and
// count requests: a word for the size and the count, the size for a value (a word when no size
// is announced), count times size for a list and for a set of the paper-source settings, count
// pairs of a code and an attribute word for the pair list (kind 7); the payload at its start,
// cut to that size.
// Nothing lies behind the buffer but the allocator's guard, so a write or read past what the
// library announced stops the run.
void SizedRequest(DWORD kind, DWORD code, const uint8_t* payload, size_t length) {
    uint32_t size = 0, count = 1;
    if (Ask(0, code, &size) != 0) size = 4;  // no size announced: a caller passes a word
    // The paper-source settings are set as they are listed: one entry per source.
    const bool list = kind == 4 || kind == 7 || (kind == 3 && code == kPaperSourceSettings);
    if (list && Ask(1, code, &count) != 0) return;
    const uint64_t entry = kind == 7 ? 2 * sizeof(uint32_t) : size;
    const uint64_t wanted = kind == 0 || kind == 1 ? sizeof(uint32_t) : list ? entry * count : size;
    if (wanted == 0 || wanted > kMaxData) return;
    std::vector<uint8_t> data(wanted, 0);
    std::memcpy(data.data(), payload, std::min<size_t>(length, data.size()));
    Ask(kind, code, data.data());
}

void BatchQuery(DWORD kind, const uint8_t* payload, size_t length) {
    std::vector<uint32_t> codes;
    for (size_t at = 0; at + 4 <= length && codes.size() < 64; at += 4)
        if (const uint32_t code = WordOf(payload + at)) codes.push_back(code);
    const size_t offset = 4 * (codes.size() + 1) + 4;
    std::vector<uint8_t> sizing(offset + 4, 0);
    std::memcpy(sizing.data(), &offset, 4);
    if (!codes.empty()) std::memcpy(sizing.data() + 4, codes.data(), codes.size() * 4);
    if (Ask(kind == 4 ? 1 : 0, 0x10051, sizing.data()) != 0) Fail("a batch size query failed");
    const uint32_t total = WordOf(sizing.data() + offset);
    if (total > kMaxData) return;
    std::vector<uint8_t> data(offset + total, 0);
    std::memcpy(data.data(), sizing.data(), offset);
    Ask(kind, 0x10051, data.data());
}

// A describe request (kind 11) with a buffer of exactly the room it declares, followed by a
// guard: a record that does not fit is refused, and nothing is written past the room.
void Describe(DWORD code, const uint8_t* payload, size_t length) {
    const uint32_t room = length >= 4 ? WordOf(payload) % 0x4000 : 0;
    std::vector<uint8_t> data(std::max<uint32_t>(room, 4) + 64, 0xA5);
    std::memcpy(data.data(), &room, sizeof room);
    const LONG answer = Ask(11, code, data.data());
    for (size_t at = std::max<uint32_t>(room, 4); at < data.size(); ++at)
        if (data[at] != 0xA5) Fail("a describe request wrote past its room");
    if (answer == 0 && WordOf(data.data()) > room) Fail("a describe record larger than its room");
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzzprinter::InstallBundledPrinter("application_options");
    RegisterApplicationOptions();
    RegisterProfiles();  // the stored profiles, as the library registers them
    fuzzprinter::OpenSession("application_options");
    g_devmode = fuzzprinter::TheSession().devmode;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 4 || size > 4096) return 0;
    const uint8_t family = data[0] % 7;
    const DWORD kind = data[1] % 11;
    const uint8_t* payload = data + 4;
    const size_t length = size - 4;
    switch (family) {
    case 0: {  // any code of the driver's range or an item key, but the batch query
        const DWORD code = (data[3] & 0x80) ? 0x100000 + (uint32_t{data[2]} | uint32_t{static_cast<uint8_t>(data[3] & 0x7F)} << 8)
                                           : 0x10000 + (uint32_t{data[2]} | uint32_t{data[3]} << 8) % 0x158;
        if (code != 0x10051) SizedRequest(kind, code, payload, length);
        break;
    }
    case 1: BatchQuery(data[1] % 2 ? 4 : 2, payload, length); break;
    case 2: SizedRequest(3, 0x1000A, payload, length); break;   // the watermark record
    case 3: SizedRequest(8, 0x10008, payload, length); break;   // a new profile
    case 4: SizedRequest(data[1] % 2 ? 3 : 8, data[1] % 2 ? 0x1007D : 0x10009, payload, length); break;
    case 5: SizedRequest(8, 0x1007C, payload, length); break;   // a profile file's path
    case 6: Describe(0x10000 + (uint32_t{data[2]} | uint32_t{data[3]} << 8) * 16, payload, length); break;
    }
    return 0;
}
