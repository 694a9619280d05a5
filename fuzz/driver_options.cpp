// Fuzz target of the driver's own option requests as an application sends them through
// VomelDeviceMode: the first bytes choose the request code, the kind, and what the device's
// configuration found (bytes of the device-option data) and the private fields of the device
// mode hold; the rest is the caller's record, in a buffer exactly as long as the request's own
// size and count answers say, so that the sanitizer sees any write or read past it. The private
// fields are set only when the kind byte's top bit asks for them.
//
// Starting the items' rules is most of what a session costs, so the sessions are kept across
// inputs, one per set-up (the device-option bytes and private fields an input decodes to), as an
// application keeps one per printer: an input whose set-up was seen before runs on its session,
// put back to that set-up first. A session is kept while the requests made on it leave the device
// mode and the device options as they were and either only read or were answered with a refusal:
// then it answers as a new one would. Any other input ends its session, so the next input of that
// set-up starts a new one. With DRVOPUI_FUZZ_FRESH in the environment every read on a kept
// session is also made on a new session and the two answers compared.
//
// The inputs are mutated so that most of them find their session kept: a mutation changes the
// request (code, kind, record) and leaves the set-up, which one mutation in kSetUpTurn changes
// instead; an input whose set-up has no session kept takes that of a kept one, except one in
// kOwnSetUpTurn, which starts its own. Every set-up and every request stays reachable; only how
// often a new set-up is tried changes, and that stays at about the rate a start allows.
#include "bundled_printer_harness.h"
#include "core/device/service_table.h"
#include "core/devmode/devmode_layout.h"
#include "core/devmode/devmode_option_table.h"
#include "core/devmode/model_section.h"
#include "core/helpers/byte_view.h"
#include "core/library/exports_devicemode.h"
#include "items/pdl/sdk.h"
#include "settings/sdk/non_sv_sdk.h"

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <random>
#include <string>
#include <vector>

namespace {

[[noreturn]] void Fail(const char* what) { fuzzprinter::Fail("driver_options", what); }

constexpr char kPrinter[] = "Vomel Kelvaro PCL5e";

// The driver's own codes, with a few of the items' and the common adapter's among them.
constexpr DWORD kCodes[] = {
    0x10005, 0x1000B, 0x1000C, 0x1000E, 0x1000F, 0x10010, 0x10012, 0x10013, 0x10015, 0x10016, 0x10017,
    0x10018, 0x10019, 0x1001A, 0x1001B, 0x1001C, 0x1002C, 0x10032, 0x1003B, 0x1003E, 0x10040, 0x10041,
    0x10042, 0x10043, 0x10044, 0x10045, 0x1004A, 0x10050, 0x10056, 0x1005D, 0x10060, 0x10061, 0x10063,
    0x100C8, 0x100CA, 0x100CB, 0x100DD, 0x100E6, 0x100E7, 0x100E8, 0x100EA, 0x100EC, 0x100ED, 0x1010A,
    0x1010E, 0x10112, 0x10115, 0x10117, 0x10118, 0x1011C, 0x1012E, 0x1012F, 0x10130, 0x10131, 0x10132,
    0x10139, 0x1013A, 0x1013B, 0x1013C, 0x1013D, 0x1013F,
};

// Device-option data bytes and private fields the operations test, set from the input.
constexpr size_t kDopBytes[] = {0, 1, 2, 9, 35, 37, 980, 981, 982, 983, 984, 986, 988, 1038};
constexpr size_t kPrivateWords[] = {devmode::model::kPrivateFlags, devmode::model::kLargeClassState,
                                    devmode::model::kMediumClassState, devmode::model::kSmallClassState,
                                    devmode::model::kPageTableState, devmode::model::kThreeWayField,
                                    devmode::model::kMediaByte, devmode::model::kListBSourceWord};
constexpr size_t kSetUpBytes = std::size(kDopBytes) + 2 * std::size(kPrivateWords);
constexpr size_t kHead = 2 + kSetUpBytes;
// Sessions kept at once: each holds a started registry, a few megabytes under the sanitizers.
constexpr size_t kKept = 8;
// One mutation in kSetUpTurn changes the set-up; one input in kOwnSetUpTurn whose set-up has no
// session starts its own rather than take a kept one's.
constexpr unsigned kSetUpTurn = 32;
constexpr unsigned kOwnSetUpTurn = 16;

// A session with the set-up it was put in, as each input of that set-up starts from it.
struct SetUp {
    std::vector<uint8_t> key;
    HANDLE session = nullptr;
    std::vector<uint8_t> block;    // the device-option block with the input's bytes
    std::vector<uint8_t> devmode;  // the session's first device mode with the input's private fields
};

std::vector<SetUp> g_setups;  // the one used last at the back

// What an input got back, to tell a kept session's answers from a new one's.
struct Outcome {
    std::vector<LONG> answers;
    std::vector<uint8_t> buffer, devmode, block;
    bool operator==(const Outcome&) const = default;
};

std::vector<uint8_t> KeyOf(const uint8_t* data) {
    const bool privateFields = (data[1] & 0x80) != 0;
    std::vector<uint8_t> key(data + 2, data + 2 + (privateFields ? kSetUpBytes : std::size(kDopBytes)));
    key.push_back(privateFields);
    return key;
}

SetUp Open(const uint8_t* data) {
    SetUp s;
    s.key = KeyOf(data);
    DWORD needed = devmode::kDevmodeSize;
    s.devmode.resize(needed);
    s.session = VomelDeviceModeInit(kPrinter, reinterpret_cast<LPDEVMODEA>(s.devmode.data()), &needed);
    if (!s.session) Fail("no session");
    s.devmode.resize(needed);
    auto* ctx = static_cast<UIDEVDATA*>(s.session);
    uint8_t* block = ctx->svc->GetDeviceOption(ctx);
    uint8_t* dop = ctx->svc->GetDeviceOptionData(ctx);
    MutableByteView options(dop, ctx->svc->GetDeviceOptionSize(ctx) - static_cast<size_t>(dop - block));
    for (size_t i = 0; i < std::size(kDopBytes); ++i) options.put_u8(kDopBytes[i], data[2 + i]);
    s.block.assign(block, block + ctx->svc->GetDeviceOptionSize(ctx));
    int16_t at = 0;
    ByteView(s.devmode.data(), s.devmode.size()).s16(devmode::kOffModelSection, at);
    MutableByteView priv(s.devmode.data() + at, s.devmode.size() - static_cast<size_t>(at));
    const uint8_t* words = data + 2 + std::size(kDopBytes);
    for (size_t i = 0; (data[1] & 0x80) && i < std::size(kPrivateWords); ++i)
        priv.put_u16(kPrivateWords[i], static_cast<uint16_t>(words[2 * i] | words[2 * i + 1] << 8));
    return s;
}

bool ReadsOnly(DWORD kind) { return kind == 0 || kind == 1 || kind == 2 || kind == 4 || kind == 7; }

Outcome Run(const SetUp& s, const uint8_t* data, size_t size) {
    const DWORD code = kCodes[data[0] % std::size(kCodes)];
    const DWORD kind = (data[1] & 0x7F) % 9;
    auto* ctx = static_cast<UIDEVDATA*>(s.session);
    uint8_t* block = ctx->svc->GetDeviceOption(ctx);
    if (ctx->svc->GetDeviceOptionSize(ctx) != s.block.size()) Fail("the device-option block changed its size");
    std::memcpy(block, s.block.data(), s.block.size());
    Outcome out;
    out.devmode = s.devmode;

    // The caller's buffer: the record size, times the count for a list, as an application sizes it.
    auto* caller = reinterpret_cast<LPDEVMODEA>(out.devmode.data());
    DWORD entry = 0, count = 1;
    out.answers.push_back(VomelDeviceMode(s.session, caller, 0, code, &entry));
    if (out.answers.back() == 0) {
        // The paper-source settings are set as they are listed: one entry per source.
        if (kind == 4 || kind == 7 || (kind == 3 && code == 0x1000F)) {
            out.answers.push_back(VomelDeviceMode(s.session, caller, 1, code, &count));
            if (out.answers.back() != 0) count = 0;
            if (kind == 7) entry = 8;
        }
        size_t length = std::max<size_t>(4, size_t{entry} * count);
        if (length <= 0x100000) {
            out.buffer.assign(length, 0);
            std::memcpy(out.buffer.data(), data + kHead, std::min(length, size - kHead));
            out.answers.push_back(VomelDeviceMode(s.session, caller, kind, code, out.buffer.data()));
        }
    }
    out.block.assign(block, block + s.block.size());
    return out;
}

}  // namespace

extern "C" size_t LLVMFuzzerMutate(uint8_t* data, size_t size, size_t maxSize);

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzzprinter::InstallBundledPrinter("driver_options");
    RegisterApplicationOptions();
    // The sessions end before the pool's chunks go at exit, so that what their registries hold
    // is freed, not left to look lost.
    std::atexit([] {
        for (SetUp& s : g_setups) VomelDeviceModeTerm(s.session);
    });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < kHead || size > 0x4000) return 0;
    const std::vector<uint8_t> key = KeyOf(data);
    auto found = std::find_if(g_setups.begin(), g_setups.end(), [&](const SetUp& s) { return s.key == key; });
    const bool kept = found != g_setups.end();
    if (kept) {
        std::rotate(found, found + 1, g_setups.end());
    } else {
        if (g_setups.size() == kKept) {
            VomelDeviceModeTerm(g_setups.front().session);
            g_setups.erase(g_setups.begin());
        }
        g_setups.push_back(Open(data));
    }
    SetUp& s = g_setups.back();
    const Outcome outcome = Run(s, data, size);
    // Only reads are compared: a write of the printer's stored data (an account, a profile)
    // would reach the new session's start and make the second run another request.
    if (kept && ReadsOnly((data[1] & 0x7F) % 9) && std::getenv("DRVOPUI_FUZZ_FRESH")) {
        const SetUp fresh = Open(data);
        const bool same = Run(fresh, data, size) == outcome;
        VomelDeviceModeTerm(fresh.session);
        if (!same) Fail("a kept session answers otherwise than a new one");
    }
    // An items' request that did something (a set, a default, an action answered "done") may
    // leave the items holding what no device mode keeps; a refused one leaves them as they were,
    // and the driver's own requests work on the device mode and options, not on the items.
    const DWORD code = kCodes[data[0] % std::size(kCodes)];
    const bool keep = ReadsOnly((data[1] & 0x7F) % 9) || outcome.answers.back() != 0 || NonSvSDK::Names(code);
    if (!keep || outcome.devmode != s.devmode || outcome.block != s.block) {
        VomelDeviceModeTerm(s.session);
        g_setups.pop_back();
    }
    return 0;
}

// The mutations that keep most inputs on a kept session (see the head of the file). An input's
// set-up is the private-fields bit of its kind byte and the bytes after the kind.
extern "C" size_t LLVMFuzzerCustomMutator(uint8_t* data, size_t size, size_t maxSize, unsigned int seed) {
    if (size < kHead || maxSize < kHead) return LLVMFuzzerMutate(data, size, maxSize);
    std::minstd_rand random(seed);
    if (random() % kSetUpTurn == 0) {
        uint8_t setUp[1 + kSetUpBytes] = {static_cast<uint8_t>(data[1] >> 7)};
        std::memcpy(setUp + 1, data + 2, kSetUpBytes);
        const size_t made = LLVMFuzzerMutate(setUp, sizeof setUp, sizeof setUp);
        std::fill(setUp + std::min(made, sizeof setUp), std::end(setUp), uint8_t{0});
        data[1] = static_cast<uint8_t>((data[1] & 0x7F) | (setUp[0] & 1) << 7);
        std::memcpy(data + 2, setUp + 1, kSetUpBytes);
        return size;
    }
    const std::vector<uint8_t> key = KeyOf(data);
    const bool warm = std::any_of(g_setups.begin(), g_setups.end(), [&](const SetUp& s) { return s.key == key; });
    if (!warm && !g_setups.empty() && random() % kOwnSetUpTurn != 0) {
        const std::vector<uint8_t>& taken = g_setups[random() % g_setups.size()].key;
        std::copy(taken.begin(), taken.end() - 1, data + 2);
        data[1] = static_cast<uint8_t>((data[1] & 0x7F) | taken.back() << 7);
    }
    // The request: the code byte, the kind without the set-up's bit, and the record.
    std::vector<uint8_t> request(data, data + 2);
    request.insert(request.end(), data + kHead, data + size);
    request[1] &= 0x7F;
    request.resize(maxSize - kSetUpBytes);
    size_t made = LLVMFuzzerMutate(request.data(), size - kSetUpBytes, request.size());
    made = std::max<size_t>(made, 2);
    data[0] = request[0];
    data[1] = static_cast<uint8_t>((data[1] & 0x80) | (request[1] & 0x7F));
    std::memmove(data + kHead, request.data() + 2, made - 2);
    return kHead + made - 2;
}
