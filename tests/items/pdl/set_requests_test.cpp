// Sets through the exported VomelDeviceMode as an application sends them: a set that answers
// "done" has changed what it names (the caller's device mode, or the value read back into the
// very word it set), or it says why not (2 outside the accepted values, 3 refused).
#include "driver_option_fixture.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <map>
#include <vector>

namespace {

class SetRequests : public DriverOptions {
protected:
    // Another device mode handed in and then the caller's again: the items are started anew
    // over what the caller holds, as in a fresh session.
    void RestartItems() {
        const std::vector<uint8_t> kept = devmode;
        Dm()->dmCopies = static_cast<short>(Dm()->dmCopies + 1);
        DWORD version = 0;
        Ask(2, 0x10000, &version);
        devmode = kept;
    }
};

// Codes whose "done" may leave both the device mode and the read-back as they were, and why.
const std::map<DWORD, const char*> kDoneWithoutChange = {
    // The kind of service the application asked for: it reaches the rules, is never stored, and
    // a read of it answers 2.
    {0x10011, "the application's kind of service"},
    // Margins are set in hundredths of a millimetre and kept in whole millimetres: a value below
    // the next millimetre keeps the one there is.
    {0x10073, "the gutter margin in whole millimetres"},
};

TEST_F(SetRequests, ASetThatAnswersDoneChangesWhatItNames) {
    const uint32_t values[] = {1, 2, 5, 100, 0x8000, 0x10000, 0x1000000, 0x80000000u, 0xFFFFFFFFu};
    const std::vector<uint8_t> start = devmode;
    int sets = 0;
    auto walk = [&](DWORD first, DWORD last) {
        for (DWORD code = first; code <= last; ++code) {
            DWORD size = 0;
            if (Ask(0, code, &size) != 0 || size != sizeof(uint32_t)) continue;
            if (kDoneWithoutChange.count(code)) continue;
            bool restarted = false;  // once per code: a value the items only read is lost there
            for (uint32_t value : values) {
                uint32_t word = value;
                const LONG answer = Ask(3, code, &word);
                ++sets;
                if (answer != 0) {
                    EXPECT_EQ(devmode, start) << std::hex << "0x" << code << " answered " << answer << " to 0x" << value
                                              << " and changed the device mode";
                    continue;
                }
                if (devmode != start) {
                    devmode = start;
                    continue;
                }
                // The read into the word that was set gives it back, also from items started anew
                // over the caller's device mode: the value is the current one, or the key's bits
                // of a shared word say what was set.
                if (!restarted) RestartItems();
                restarted = true;
                uint32_t back = value;
                const LONG read = Ask(2, code, &back);
                EXPECT_TRUE(read == 0 && back == value)
                    << std::hex << "0x" << code << " answered done to 0x" << value << ", left the device mode as it was"
                    << " and reads back 0x" << back << " (answer " << read << ")";
            }
        }
    };
    walk(0x10000, 0x10FFF);
    walk(0x100000, 0x101FFF);
    EXPECT_GT(sets, 1000);

    // A text the item only reads, the user's name: refused, as the words are.
    char name[257] = "someone else";
    EXPECT_EQ(Ask(3, 0x100000 + 1255, name), 3);
}

}  // namespace
