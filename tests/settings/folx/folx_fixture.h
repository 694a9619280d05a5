// Test-only: a device-mode session on the bundled printer that sends page-composition requests
// (codes below 0x10000) through the exported VomelDeviceMode, as the page-composition tool does,
// with checked views of the records it answers.
#pragma once

#include "core/helpers/byte_view.h"
#include "items/pdl/folx.h"
#include "tests/items/pdl/driver_option_fixture.h"

#include <cstdint>
#include <string>
#include <vector>

class Folx : public DriverOptions {
public:
    void SetUp() override {
        RegisterPageComposition();
        DriverOptions::SetUp();
    }

    // A record of `size` bytes answered into a buffer with a guard behind it, which must stay.
    std::vector<uint8_t> Record(DWORD code, size_t size, LONG expected = 0) {
        std::vector<uint8_t> buffer(size + 32, 0xCD);
        EXPECT_EQ(Ask(2, code, buffer.data()), expected) << std::hex << code;
        for (size_t i = size; i < buffer.size(); ++i) {
            EXPECT_EQ(buffer[i], 0xCD) << std::hex << code << " wrote past its record at " << std::dec << i;
            if (buffer[i] != 0xCD) break;
        }
        buffer.resize(size);
        return buffer;
    }
    static uint32_t U32(const std::vector<uint8_t>& record, size_t at) {
        uint32_t v = 0;
        EXPECT_TRUE(ByteView(record.data(), record.size()).u32(at, v)) << at;
        return v;
    }
    static int32_t S32(const std::vector<uint8_t>& record, size_t at) { return static_cast<int32_t>(U32(record, at)); }
    static uint16_t U16(const std::vector<uint8_t>& record, size_t at) {
        uint16_t v = 0;
        EXPECT_TRUE(ByteView(record.data(), record.size()).u16(at, v)) << at;
        return v;
    }
    static std::string Text(const std::vector<uint8_t>& record, size_t at, size_t size) {
        const char* start = reinterpret_cast<const char*>(record.data() + at);
        return std::string(start, strnlen(start, size));
    }
    // Option n of the session's current settings (what a set request left there).
    uint32_t CurrentOption(DWORD number) {
        uint32_t v = 0;
        Ctx()->svc->GetOption(Ctx(), Ctx()->svc->GetDevmode(Ctx(), 3), number, &v, 4);
        return v;
    }
    void SetText(DWORD number, const char* text, size_t size) {
        std::vector<char> field(size, 0);
        std::memcpy(field.data(), text, std::min(size - 1, std::strlen(text)));
        Ctx()->svc->SetOption(Ctx(), Dm(), number, field.data(), static_cast<DWORD>(size));
    }
};
