// Fuzz target of the driver's own option requests as an application sends them through
// VomelDeviceMode: the first bytes choose the request code, the kind, and what the device's
// configuration found (bytes of the device-option data) and the private fields of the device
// mode hold; the rest is the caller's record, in a buffer exactly as long as the request's own
// size and count answers say, so that the sanitizer sees any write or read past it. One session
// serves every input (fuzz/devmode_session_harness.h). The private fields are set only when the kind byte's top bit asks for them: a device mode other than the
// one the session's items were last in step with starts them again over it (the rules run
// anew), and most requests need no such start.
#include "fuzz/devmode_session_harness.h"

#include "core/devmode/devmode_option_table.h"
#include "core/devmode/model_section.h"
#include "items/pdl/sdk.h"

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <string>
#include <vector>

namespace {

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

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzzprinter::InstallBundledPrinter("driver_options");
    RegisterApplicationOptions();
    fuzzprinter::OpenSession("driver_options");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    constexpr size_t kHead = 2 + std::size(kDopBytes) + 2 * std::size(kPrivateWords);
    if (size < kHead || size > 0x4000) return 0;
    const DWORD code = kCodes[data[0] % std::size(kCodes)];
    const DWORD kind = (data[1] & 0x7F) % 9;
    const bool privateFields = (data[1] & 0x80) != 0;

    HANDLE session = fuzzprinter::TheSession().handle;
    std::vector<uint8_t> dm = fuzzprinter::TheSession().devmode;
    MutableByteView options = fuzzprinter::FreshDeviceOptions("driver_options");
    for (size_t i = 0; i < std::size(kDopBytes); ++i) options.put_u8(kDopBytes[i], data[2 + i]);
    MutableByteView priv = fuzzprinter::ModelSection(dm);
    const uint8_t* words = data + 2 + std::size(kDopBytes);
    for (size_t i = 0; privateFields && i < std::size(kPrivateWords); ++i)
        priv.put_u16(kPrivateWords[i], static_cast<uint16_t>(words[2 * i] | words[2 * i + 1] << 8));

    // The caller's buffer: the record size, times the count for a list, as an application sizes it.
    auto* caller = reinterpret_cast<LPDEVMODEA>(dm.data());
    DWORD entry = 0, count = 1;
    if (VomelDeviceMode(session, caller, 0, code, &entry) == 0) {
        // The paper-source settings are set as they are listed: one entry per source.
        if (kind == 4 || kind == 7 || (kind == 3 && code == 0x1000F)) {
            if (VomelDeviceMode(session, caller, 1, code, &count) != 0) count = 0;
            if (kind == 7) entry = 8;
        }
        size_t length = std::max<size_t>(4, size_t{entry} * count);
        if (length <= 0x100000) {
            std::vector<uint8_t> buffer(length, 0);
            std::memcpy(buffer.data(), data + kHead, std::min(length, size - kHead));
            VomelDeviceMode(session, caller, kind, code, buffer.data());
        }
    }
    return 0;
}
