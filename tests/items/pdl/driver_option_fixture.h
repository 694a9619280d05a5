// Test-only: a device-mode session on the bundled printer through the exported VomelDeviceMode,
// with what the device's configuration would have found (bytes of the device-option data) and
// the private fields of the caller's device mode set by hand, as the driver's own option
// operations read them.
#pragma once

#include "core/device/service_table.h"
#include "core/devmode/devmode_layout.h"
#include "core/helpers/byte_view.h"
#include "core/library/exports_devicemode.h"
#include "drvtest/export_session.h"
#include "items/pdl/sdk.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

class DriverOptions : public ::testing::Test {
public:
    void SetUp() override { ASSERT_NE(session, nullptr); }
    void TearDown() override {}

    LPDEVMODEA Dm() { return open_.Dm(); }
    UIDEVDATA* Ctx() { return static_cast<UIDEVDATA*>(session); }
    LONG Ask(DWORD kind, DWORD code, void* data) { return VomelDeviceMode(session, Dm(), kind, code, data); }
    DWORD Get(DWORD code) {
        DWORD word = 0xABABABAB;
        EXPECT_EQ(Ask(2, code, &word), 0) << std::hex << code;
        return word;
    }
    LONG Set(DWORD code, DWORD value) { return Ask(3, code, &value); }

    // The data part of the session's device-option block.
    MutableByteView Dop() {
        uint8_t* block = Ctx()->svc->GetDeviceOption(Ctx());
        uint8_t* data = Ctx()->svc->GetDeviceOptionData(Ctx());
        return MutableByteView(data, Ctx()->svc->GetDeviceOptionSize(Ctx()) - static_cast<size_t>(data - block));
    }
    void SetDopBit(size_t offset, unsigned bit) {
        uint8_t b = 0;
        Dop().u8(offset, b);
        Dop().put_u8(offset, static_cast<uint8_t>(b | (1u << bit)));
    }
    // The model section of the caller's device mode.
    MutableByteView Priv() {
        int16_t at = 0;
        ByteView(devmode.data(), devmode.size()).s16(devmode::kOffModelSection, at);
        return MutableByteView(devmode.data() + at, devmode.size() - static_cast<size_t>(at));
    }
    uint16_t Priv16(size_t at) {
        uint16_t v = 0;
        Priv().u16(at, v);
        return v;
    }
    // Options of the caller's device mode, as an application that knows them would set them.
    void SetOption16(DWORD number, uint16_t value) { Ctx()->svc->SetOption(Ctx(), Dm(), number, &value, 2); }
    void SetOption32(DWORD number, uint32_t value) { Ctx()->svc->SetOption(Ctx(), Dm(), number, &value, 4); }
    uint32_t Option32(DWORD number) {
        uint32_t v = 0;
        Ctx()->svc->GetOption(Ctx(), Dm(), number, &v, 4);
        return v;
    }

    // Asks size and count, then the list into a buffer of exactly that many entries followed by
    // a guard: the list must fill the entries and leave the guard alone.
    void ExpectListAgrees(DWORD code, DWORD listKind = 4) {
        DWORD size = 0, count = 0;
        if (Ask(0, code, &size) == 2) return;  // a code the device does not offer
        ASSERT_EQ(Ask(1, code, &count), 0) << std::hex << code;
        size_t entry = listKind == 7 ? 8 : size;
        std::vector<uint8_t> buffer(entry * count + 64, 0xAB);
        LONG answer = Ask(listKind, code, buffer.data());
        ASSERT_TRUE(answer == 0 || (answer == 3 && count == 0)) << std::hex << code << " answered " << answer;
        for (size_t i = entry * count; i < buffer.size(); ++i)
            ASSERT_EQ(buffer[i], 0xAB) << std::hex << code << " wrote past its count at " << std::dec << i;
    }

    drvtest::ExportSession open_{RegisterApplicationOptions};
    drvtest::FixtureDevice& fixture = open_.fixture;
    std::vector<uint8_t>& devmode = open_.devmode;
    HANDLE session = open_.handle;
};
