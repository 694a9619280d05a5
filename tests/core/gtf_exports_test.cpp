// The 16-bit side's exports as the 16-bit driver calls them: every pointer a 16:16 pointer of the
// simulated driver's memory, every object a number. What the driver hands in is refused when it
// lies about its size or runs past its segment, and nothing is written where the driver gave no
// room.
#include "core/devmode/devmode_layout.h"
#include "core/devmode/devmode_options.h"
#include "core/devmode/option_routes.h"
#include "core/device/pdl_module.h"
#include "core/device/service_table.h"
#include "core/library/exports_devicemode.h"
#include "core/library/exports_gtf.h"
#include "drvtest/fixture_device.h"
#include "drvtest/sixteen_bit_side.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

using drvtest::SixteenBitSide;

DWORD Vp(int offset, DWORD block) { return static_cast<DWORD>(MAKELONG(offset, HIWORD(block))); }

// The printer's device mode as the driver receives it from a device object of its own.
std::vector<uint8_t> DriverDevmode(SixteenBitSide& side, DWORD object) {
    const DWORD size = GTF_CopyDEVMODE(object, 0, 0);
    const DWORD buffer = side.Alloc(size);
    EXPECT_EQ(GTF_CopyDEVMODE(object, buffer, size), size);
    return side.Read(buffer, size);
}

void SetDeclaredSize(std::vector<uint8_t>& dm, uint16_t size, uint16_t extra) {
    std::memcpy(dm.data() + devmode::kOffSize, &size, 2);
    std::memcpy(dm.data() + devmode::kOffDriverExtra, &extra, 2);
}

// The fixture printer, and the driver's memory with the printer's name in it.
class GtfExports : public ::testing::Test {
protected:
    drvtest::FixtureDevice fixture;
    SixteenBitSide side;
    const DWORD name = side.Text(drvtest::kBundledPcl5ePrinter);
};

TEST_F(GtfExports, TheDriverKeepsADeviceObjectByNumber) {
    const DWORD object = GTF_CreateUIDEVDATA(name, 0, 0);
    ASSERT_NE(object, 0u);
    const std::vector<uint8_t> devmode = DriverDevmode(side, object);
    ASSERT_GE(devmode.size(), 220u);
    EXPECT_EQ(std::memcmp(devmode.data() + devmode::kOffSignature, "Vomel", 6), 0);
    EXPECT_STREQ(reinterpret_cast<const char*>(devmode.data()), drvtest::kBundledPcl5ePrinter);

    // Room one byte short, or room that is not there, receives nothing.
    const DWORD shortBuffer = side.Alloc(static_cast<DWORD>(devmode.size() - 1));
    EXPECT_EQ(GTF_CopyDEVMODE(object, shortBuffer, static_cast<DWORD>(devmode.size())), 0u) << "a size past the segment";
    EXPECT_EQ(GTF_CopyDEVMODE(object, shortBuffer, static_cast<DWORD>(devmode.size() - 1)), 0u);
    const std::vector<uint8_t> untouched = side.Read(shortBuffer, 0x10000);
    EXPECT_EQ(std::count(untouched.begin(), untouched.end(), 0), static_cast<long>(untouched.size()));

    // The driver hands its device mode back when it makes the next object.
    std::vector<uint8_t> changed = devmode;
    const DWORD flags = 5;
    ASSERT_TRUE(devmode::SetOption(changed.data(), changed.size(), 0x20010, &flags, sizeof flags));
    const DWORD second = GTF_CreateUIDEVDATA(name, side.Place(changed.data(), static_cast<DWORD>(changed.size())), 0);
    ASSERT_NE(second, 0u);
    const std::vector<uint8_t> back = DriverDevmode(side, second);
    DWORD read = 0;
    EXPECT_TRUE(devmode::GetOption(back.data(), back.size(), 0x20010, &read, sizeof read));
    EXPECT_EQ(read, flags);

    EXPECT_TRUE(GTF_DeleteUIDEVDATA(second));
    EXPECT_TRUE(GTF_DeleteUIDEVDATA(object));
    EXPECT_FALSE(GTF_DeleteUIDEVDATA(object)) << "a number ends once";
    EXPECT_EQ(GTF_CopyDEVMODE(object, 0, 0), 0u);
    EXPECT_EQ(GTF_GetExtDevModeSize(object), 0u);
}

TEST_F(GtfExports, WhatTheDriverHandsInIsRefusedWhenItLies) {
    const DWORD object = GTF_CreateUIDEVDATA(name, 0, 0);
    ASSERT_NE(object, 0u);
    const std::vector<uint8_t> devmode = DriverDevmode(side, object);
    const auto size = static_cast<uint16_t>(reinterpret_cast<const DEVMODEA*>(devmode.data())->dmSize);
    const auto extra = static_cast<uint16_t>(devmode.size() - size);

    struct Case {
        const char* what;
        void (*forge)(std::vector<uint8_t>&, uint16_t size, uint16_t extra);
        DWORD cut;  // bytes of the segment short of the device mode
    };
    const Case cases[] = {
        {"a driver extra larger than the segment", [](auto& d, uint16_t s, uint16_t e) { SetDeclaredSize(d, s, e + 1); }, 0},
        {"a public size larger than the segment", [](auto& d, uint16_t s, uint16_t e) { SetDeclaredSize(d, s + 400, e); }, 0},
        {"sizes that overflow 16 bits", [](auto& d, uint16_t, uint16_t) { SetDeclaredSize(d, 0xFFFF, 0xFFFF); }, 0},
        {"a segment cut short of the sizes", [](auto&, uint16_t, uint16_t) {}, 1},
        {"sizes below any device mode", [](auto& d, uint16_t, uint16_t) { SetDeclaredSize(d, 40, 0); }, 0},
        {"another maker's signature", [](auto& d, uint16_t, uint16_t) { d[devmode::kOffSignature] = 'W'; }, 0},
        {"a public device mode alone", [](auto& d, uint16_t, uint16_t) { SetDeclaredSize(d, 148, 0); }, 0},
    };
    const DWORD ext = GTF_GetExtDevModeSize(object);
    ASSERT_GT(ext, 0u);
    const DWORD extended = side.Alloc(ext);
    for (const Case& c : cases) {
        std::vector<uint8_t> forged = devmode;
        c.forge(forged, size, extra);
        const DWORD vp = side.Place(forged.data(), static_cast<DWORD>(forged.size() - c.cut));
        EXPECT_EQ(GTF_CreateUIDEVDATA(name, vp, 0), 0u) << c.what;
        EXPECT_FALSE(GTF_ConvertCurDevMode2ExtDevMode(object, vp, extended, ext)) << c.what;
        const std::vector<uint8_t> written = side.Read(extended, ext);
        EXPECT_EQ(std::count(written.begin(), written.end(), 0), static_cast<long>(ext)) << c.what;
        SixteenBitSide session;
        DWORD words = 0;
        const DWORD sessionNumber = GTF_VomelDeviceModeInit(name, 0, 0);
        ASSERT_NE(sessionNumber, 0u);
        EXPECT_EQ(GTF_VomelDeviceMode(sessionNumber, vp, 3, 0x10064, session.Place(&words, 4), 4), 3) << c.what;
        EXPECT_TRUE(GTF_VomelDeviceModeTerm(sessionNumber));
    }

    // Pointers that are not the driver's, or that run past its segment.
    const DWORD text = side.Alloc(8);
    std::memcpy(side.Flat(text), "Vomel Ke", 8);  // no terminating NUL inside the segment
    struct Pointer {
        const char* what;
        DWORD vp;
    };
    for (const Pointer& p : {Pointer{"a name without its end", text}, Pointer{"a selector that maps nothing", 0x7FFF0000},
                             Pointer{"an offset past the segment", Vp(20, text)}})
        EXPECT_EQ(GTF_CreateUIDEVDATA(p.vp, 0, 0), 0u) << p.what;

    // The whole conversion lands where the driver gave room for it, and nowhere with less.
    const DWORD current = side.Place(devmode.data(), static_cast<DWORD>(devmode.size()));
    EXPECT_FALSE(GTF_ConvertCurDevMode2ExtDevMode(object, current, extended, ext - 1));
    const DWORD tooSmall = side.Alloc(ext - 1);
    EXPECT_FALSE(GTF_ConvertCurDevMode2ExtDevMode(object, current, tooSmall, ext));
    EXPECT_TRUE(GTF_ConvertCurDevMode2ExtDevMode(object, current, extended, ext));
    const std::vector<uint8_t> converted = side.Read(extended, ext);
    EXPECT_EQ(std::memcmp(converted.data() + devmode::kOffSignature, "Vomel", 6), 0);
    EXPECT_TRUE(GTF_DeleteUIDEVDATA(object));
}

TEST_F(GtfExports, ASessionRequestWritesNoFurtherThanTheDriversData) {
    OptionRunner previous = RegisterSdkRunner([](UIDEVDATA*, DWORD, DWORD, void* data) -> LONG {
        std::memset(data, 0x5A, 64);  // a request whose answer is longer than the driver expected
        return 0;
    });
    const DWORD sizeWord = side.Alloc(4);
    const DWORD session = GTF_VomelDeviceModeInit(name, 0, sizeWord);
    ASSERT_NE(session, 0u);
    DWORD size = 0;
    std::memcpy(&size, side.Flat(sizeWord), 4);
    ASSERT_GT(size, 220u);
    const DWORD devmode = side.Alloc(size);
    std::memcpy(side.Flat(sizeWord), &size, 4);
    const DWORD again = GTF_VomelDeviceModeInit(name, devmode, sizeWord);
    ASSERT_NE(again, 0u);
    const DWORD data = side.Alloc(16);
    EXPECT_EQ(GTF_VomelDeviceMode(again, devmode, 2, 0x10064, data, 16), 0);
    const std::vector<uint8_t> answer = side.Read(data, 16);
    EXPECT_EQ(std::count(answer.begin(), answer.end(), 0x5A), 16);
    EXPECT_EQ(GTF_VomelDeviceMode(again, devmode, 2, 0x10064, data, 17), 3) << "data past its segment";
    EXPECT_EQ(GTF_VomelDeviceMode(again, devmode, 2, 0x10064, data, 0), 3);
    EXPECT_EQ(GTF_VomelDeviceMode(again + 1000, devmode, 2, 0x10064, data, 16), 1);
    EXPECT_TRUE(GTF_VomelDeviceModeTerm(again));
    EXPECT_TRUE(GTF_VomelDeviceModeTerm(session));
    EXPECT_FALSE(GTF_VomelDeviceModeTerm(session));
    RegisterSdkRunner(previous);
}

TEST_F(GtfExports, PageRecordsEndWithTheirDeviceObject) {
    const DWORD object = GTF_CreateUIDEVDATA(name, 0, 0);
    ASSERT_NE(object, 0u);
    for (DWORD kind : {0u, 4u, 0xFFFFFFFFu}) EXPECT_EQ(GTF_CreateSHEETDATA(object, 0, kind), 0u) << kind;
    EXPECT_EQ(GTF_CreateSHEETDATA(object + 1000, 0, 3), 0u);
    const DWORD page = GTF_CreateSHEETDATA(object, 7, 3);
    const DWORD kept = GTF_CreateSHEETDATA(object, 8, 1);
    ASSERT_NE(page, 0u);
    ASSERT_NE(kept, 0u);
    EXPECT_FALSE(GTF_DeleteUIDEVDATA(page)) << "a page record is not a device object";
    EXPECT_FALSE(GTF_DeleteSHEETDATA(object)) << "a device object is not a page record";
    EXPECT_TRUE(GTF_DeleteSHEETDATA(page));
    EXPECT_FALSE(GTF_DeleteSHEETDATA(page));
    EXPECT_TRUE(GTF_DeleteUIDEVDATA(object));
    EXPECT_FALSE(GTF_DeleteSHEETDATA(kept)) << "ended with its object";
}

TEST_F(GtfExports, ADeviceOptionSetIsStoredForThePrinter) {
    const DWORD object = GTF_CreateUIDEVDATA(name, 0, 0);
    ASSERT_NE(object, 0u);
    const WORD spooling = 1;
    const DWORD value = side.Place(&spooling, 2);
    EXPECT_FALSE(GTF_SetDeviceOption(object, 519, value, 3)) << "a value past its segment";
    EXPECT_FALSE(GTF_SetDeviceOption(object, 519, value, 0));
    EXPECT_TRUE(GTF_SetDeviceOption(object, 519, value, 2));
    UIDEVDATA* later = fixture.Make(kKindDevmode);
    WORD read = 0;
    ASSERT_TRUE(later->svc->GetDeviceOptionValue(later, nullptr, 519, &read, 2));
    EXPECT_EQ(read, spooling);
    EXPECT_TRUE(GTF_DeleteUIDEVDATA(object));
}

TEST_F(GtfExports, TheInstallersQuestionGoesToTheOptionInterface) {
    EXPECT_FALSE(GTF_DevInstall(name)) << "no option interface yet";
    EXPECT_FALSE(PdlModuleCallbacks::DevInstallQuery(nullptr));
    OptionRunner previous = RegisterSdkRunner([](UIDEVDATA* ctx, DWORD kind, DWORD code, void* data) -> LONG {
        return ctx->kind == kKindInstall && kind == 8 && code == 0x1000E && *static_cast<DWORD*>(data) == 1 ? 0 : 3;
    });
    EXPECT_TRUE(GTF_DevInstall(name));
    EXPECT_FALSE(GTF_DevInstall(side.Text("No such printer")));
    RegisterSdkRunner([](UIDEVDATA*, DWORD, DWORD, void*) -> LONG { return 3; });
    EXPECT_FALSE(GTF_DevInstall(name));
    RegisterSdkRunner(previous);
}

}  // namespace
