// Callers that size their buffers by the library's own answers: every code the option interface
// answers is asked its size (and count), then its value or list into a buffer of exactly that
// many bytes, ending at an inaccessible page and, a second time, followed by a canary. Nothing is
// read or written past what the size request announced.
#include "driver_option_fixture.h"

#include "drvtest/guarded_buffer.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

constexpr uint32_t kLargestAnnounced = 1u << 20;
constexpr uint8_t kCanary = 0xA5;

class CallerBuffers : public DriverOptions {
protected:
    // Asks `kind` into a buffer of exactly `bytes`, once behind a guard page and once with a
    // canary after it; false (with the code named) when the canary was touched.
    void ExpectFits(DWORD kind, DWORD code, size_t bytes) {
        {
            drvtest::GuardedBuffer guarded(bytes);
            ASSERT_NE(guarded.data(), nullptr);
            Ask(kind, code, guarded.data());
        }
        std::vector<uint8_t> buffer(bytes + 16, kCanary);
        std::memset(buffer.data(), 0, bytes);
        Ask(kind, code, buffer.data());
        for (size_t i = bytes; i < buffer.size(); ++i)
            if (buffer[i] != kCanary) {
                ADD_FAILURE() << std::hex << "code 0x" << code << " kind " << kind << std::dec << " announced " << bytes
                              << " bytes and wrote byte " << i;
                return;
            }
    }

    // The size request into one guarded word; 0 when the code answers no size.
    uint32_t AnnouncedSize(DWORD code) {
        drvtest::GuardedBuffer word(sizeof(uint32_t));
        if (Ask(0, code, word.data()) != 0) return 0;
        uint32_t size = 0;
        std::memcpy(&size, word.data(), sizeof size);
        return size <= kLargestAnnounced ? size : 0;
    }

    void WalkCodes(DWORD first, DWORD last, int& answered) {
        for (DWORD code = first; code <= last; ++code) {
            const uint32_t size = AnnouncedSize(code);
            if (!size) continue;
            ++answered;
            ExpectFits(2, code, size);
            drvtest::GuardedBuffer countWord(sizeof(uint32_t));
            if (Ask(1, code, countWord.data()) != 0) continue;
            uint32_t count = 0;
            std::memcpy(&count, countWord.data(), sizeof count);
            if (uint64_t{count} * size <= kLargestAnnounced) ExpectFits(4, code, size_t{count} * size);
        }
    }
};

// The driver's own codes and every option key of the items: the size a caller is told holds
// what the get (and the list) writes.
TEST_F(CallerBuffers, EveryCodeWritesNoMoreThanItsSizeRequestAnnounced) {
    int answered = 0;
    WalkCodes(0x10000, 0x10FFF, answered);    // the driver's codes and the application codes
    WalkCodes(0x100000, 0x10FFFF, answered);  // 0x100000 plus an item id
    EXPECT_GT(answered, 100);

    // A device whose configuration found every option the driver's own codes ask about: the
    // codes it gates answer too.
    for (size_t offset : {0, 1, 2, 9, 35, 37, 980, 981, 982, 983, 984, 986, 988, 989, 1038}) Dop().put_u8(offset, 0xFF);
    int gated = 0;
    WalkCodes(0x10000, 0x10157, gated);
    EXPECT_GT(gated, answered / 10);
}

// The batch query reads its code list no further than its output area: the list and its
// terminator must lie before it, else the answer is 1 and nothing is written.
TEST_F(CallerBuffers, BatchQueryReadsItsListNoFurtherThanTheOutputArea) {
    // words: the whole caller's buffer.
    struct Case { std::vector<uint32_t> words; LONG answer; };
    const Case cases[] = {
        {{0}, 1},                                   // one word: no room for a list at all
        {{4}, 1},                                   // the output over the list's first word
        {{12, 0x10000, 0x1004E, 0xEEEEEEEE}, 1},    // no terminator before the output area
        {{12, 0x10000, 0, 0xEEEEEEEE}, 0},          // one code, ended; the size goes to word 3
    };
    for (const Case& c : cases) {
        for (DWORD kind : {0u, 1u, 2u, 4u}) {
            const size_t bytes = c.words.size() * 4;
            drvtest::GuardedBuffer buffer(bytes);
            ASSERT_NE(buffer.data(), nullptr);
            std::memcpy(buffer.data(), c.words.data(), bytes);
            // A get that succeeds needs the room its size request announced, not given here.
            if ((kind == 2 || kind == 4) && c.answer == 0) continue;
            const LONG answer = Ask(kind, 0x10051, buffer.data());
            EXPECT_EQ(answer, c.answer) << c.words[0] << " kind " << kind;
            if (answer != 0) {
                EXPECT_EQ(std::memcmp(buffer.data(), c.words.data(), bytes), 0) << "written";
            }
        }
    }
}

}  // namespace
