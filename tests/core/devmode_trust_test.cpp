// A caller's device mode as a hostile caller hands it in: buffers shorter or longer than the
// sizes the device mode declares, public fields no printer takes, and a paper asked for through
// the public part only. What the core keeps must describe one consistent, sound device mode.
#include "core/helpers/byte_view.h"
#include "core/devmode/devmode_check.h"
#include "core/devmode/devmode_layout.h"
#include "core/devmode/devmode_options.h"
#include "core/devmode/devmode_store.h"
#include "core/device/core_context.h"
#include "core/library/exports_devicemode.h"
#include "core/device/service_table.h"
#include "devmode_test_support.h"
#include "drvtest/fixture_device.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

using namespace devmode;

namespace {

devmode::DevmodeStore& StoreOf(UIDEVDATA* ctx) { return ctx->coreContext->store; }

// Exactly `size` bytes of the device mode, in a buffer of their own so that the sanitizer sees
// a read past them.
std::vector<uint8_t> Cut(const std::vector<uint8_t>& dm, size_t size) {
    std::vector<uint8_t> cut(size, 0);
    std::memcpy(cut.data(), dm.data(), std::min(size, dm.size()));
    return cut;
}

TEST(DevmodeTrust, ConversionReadsNoFurtherThanTheBytesGivenAndWhatItWritesPassesValidation) {
    drvtest::FixtureDevice fixture;
    ASSERT_NE(fixture.Device(), nullptr);
    DevmodeStore& store = StoreOf(fixture.Device());
    const std::vector<uint8_t> good(GetDevmode(store, 3), GetDevmode(store, 3) + kDevmodeSize);
    auto hugeExtra = good;
    MutableByteView(hugeExtra.data(), hugeExtra.size()).put_u16(kOffDriverExtra, 0xFFFF);

    struct Case { const char* what; std::vector<uint8_t> bytes; bool converts; };
    const Case cases[] = {
        {"cut to 500 bytes", Cut(good, 500), false},
        {"cut to 10 bytes", Cut(good, 10), false},
        {"cut inside the private header", Cut(good, 200), false},
        {"one byte short", Cut(good, good.size() - 1), false},
        {"dmDriverExtra 0xFFFF in a whole device mode", hugeExtra, false},
        {"exactly as declared", good, true},
        {"longer than declared", Cut(good, good.size() + 300), true},
    };
    for (const Case& c : cases) {
        std::vector<uint8_t> source = c.bytes;
        std::vector<uint8_t> current(kDevmodeSize, 0xCD);
        EXPECT_EQ(ConvertDevmode(store, current.data(), source.data(), source.size(), 1) != 0, c.converts) << c.what;
        if (!c.converts) {
            EXPECT_EQ(current, std::vector<uint8_t>(kDevmodeSize, 0xCD)) << c.what << ": written anyway";
        }
        std::vector<uint8_t> merged = good;
        EXPECT_EQ(ValidateDevmode(store, source.data(), source.size(), merged.data()) != 0, c.converts) << c.what;
    }

    const std::vector<uint8_t> defaults(GetDevmode(store, 1), GetDevmode(store, 1) + kDevmodeSize);
    auto garbage = defaults;
    MutableByteView dm(garbage.data(), garbage.size());
    dm.fill(kOffDeviceName, 'X', CCHDEVICENAME);  // no terminating NUL
    dm.fill(kOffFormName, 'Y', CCHFORMNAME);
    dm.put_s16(offsetof(DEVMODEA, dmOrientation), 77);
    dm.put_s16(offsetof(DEVMODEA, dmScale), 0);
    dm.put_s16(offsetof(DEVMODEA, dmCopies), -3);
    dm.put_u32(kOffFields, 0xFFFFFFFF);

    std::vector<uint8_t> converted(kDevmodeSize);
    ASSERT_TRUE(ConvertDevmode(store, converted.data(), garbage.data(), garbage.size(), 1));
    const auto* out = reinterpret_cast<const DEVMODEA*>(converted.data());
    const auto* def = reinterpret_cast<const DEVMODEA*>(defaults.data());
    EXPECT_EQ(out->dmOrientation, def->dmOrientation);
    EXPECT_EQ(out->dmScale, def->dmScale);
    EXPECT_EQ(out->dmCopies, def->dmCopies);
    EXPECT_EQ(out->dmFields & (DM_PAPERLENGTH | DM_PAPERWIDTH), def->dmFields & (DM_PAPERLENGTH | DM_PAPERWIDTH))
        << "a flag over a value no printer takes follows the defaults";
    EXPECT_LT(strnlen(reinterpret_cast<const char*>(out->dmDeviceName), CCHDEVICENAME), size_t{CCHDEVICENAME});
    EXPECT_LT(strnlen(reinterpret_cast<const char*>(out->dmFormName), CCHFORMNAME), size_t{CCHFORMNAME});

    // What conversion writes, a merge takes whole: every public field it marks is one a caller
    // may set, so nothing of it gives way.
    std::vector<uint8_t> merged = defaults;
    ASSERT_TRUE(ValidateDevmode(store, converted.data(), converted.size(), merged.data()));
    // (The device name is the printer's, never a caller's, so it is left out.)
    for (size_t i = kOffSpecVersion; i < kPublicSize; ++i) EXPECT_EQ(merged[i], converted[i]) << "byte " << i;
    EXPECT_EQ(checkDevmode(converted.data(), converted.size()).trust, Trust::Private);
}

// The paper the private part names: source and output ids, codes and sizes.
struct PrivatePaper {
    int16_t sourceId = 0, sourceCode = 0, outputId = 0, outputCode = 0;
    uint16_t sourceSize[2] = {}, outputSize[2] = {};
};

PrivatePaper PaperOf(const uint8_t* dm) {
    PrivatePaper p;
    GetOption(dm, kDevmodeSize, 111, &p.sourceId, 2);
    GetOption(dm, kDevmodeSize, 112, &p.sourceCode, 2);
    GetOption(dm, kDevmodeSize, 114, p.sourceSize, 4);
    GetOption(dm, kDevmodeSize, 116, &p.outputId, 2);
    GetOption(dm, kDevmodeSize, 117, &p.outputCode, 2);
    GetOption(dm, kDevmodeSize, 119, p.outputSize, 4);
    return p;
}

TEST(DevmodeTrust, AMergedDeviceModeNamesOnePaperInItsPublicAndPrivateParts) {
    drvtest::FixtureDevice fixture;
    ASSERT_NE(fixture.Device(), nullptr);
    DWORD size = 0;
    HANDLE probe = VomelDeviceModeInit(nullptr, nullptr, &size);
    VomelDeviceModeTerm(probe);
    std::vector<uint8_t> printer(size);
    HANDLE session = VomelDeviceModeInit(nullptr, reinterpret_cast<LPDEVMODEA>(printer.data()), &size);
    ASSERT_NE(session, nullptr);
    auto* ctx = static_cast<UIDEVDATA*>(session);

    struct Case { const char* what; DWORD fields; int16_t paper; const char* form; int16_t code; uint16_t width, length; };
    for (auto c : {Case{"A3 by number", DM_PAPERSIZE, 8, "", 8, 2970, 4200},
                   Case{"Legal by form name alone", DM_FORMNAME, 0, "Legal", 5, 2159, 3556},
                   Case{"form name over a number that says A4", DM_FORMNAME | DM_PAPERSIZE, 9, "letter", 1, 2159, 2794}}) {
        std::vector<uint8_t> caller = printer;
        auto* dm = reinterpret_cast<DEVMODEA*>(caller.data());
        dm->dmFields = c.fields;
        if (c.paper) dm->dmPaperSize = c.paper;
        std::memset(dm->dmFormName, 0, CCHFORMNAME);
        std::strcpy(reinterpret_cast<char*>(dm->dmFormName), c.form);
        EXPECT_EQ(VomelDeviceMode(session, dm, 2, 0x10000, nullptr), 2) << c.what;
        const uint8_t* request = ctx->svc->GetDevmode(ctx, 3);
        const auto* merged = reinterpret_cast<const DEVMODEA*>(request);
        EXPECT_EQ(merged->dmPaperSize, c.code) << c.what;
        PrivatePaper p = PaperOf(request);
        EXPECT_EQ(p.sourceCode, c.code) << c.what;
        EXPECT_EQ(p.outputCode, c.code) << c.what;
        EXPECT_EQ(p.sourceSize[0], c.width) << c.what;
        EXPECT_EQ(p.sourceSize[1], c.length) << c.what;
        EXPECT_EQ(p.outputSize[0], c.width) << c.what;
        EXPECT_EQ(p.outputSize[1], c.length) << c.what;
    }
    VomelDeviceModeTerm(session);
}

}  // namespace
