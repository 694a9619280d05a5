// Fuzz target of the overlay readers: the fuzzer's bytes are an overlay file's start, checked
// against each resolution class, and a stored recent-list value. Nothing is read past the bytes,
// a file shorter than a header is never taken for an overlay, and every listed text is
// terminated.
#include "features/overlay_header.h"
#include "features/overlay_lists.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

[[noreturn]] void Fail(const char* what) {
    std::fprintf(stderr, "overlay_file: %s\n", what);
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace overlay;
    // An exact copy, so that a read past the input is a read past a heap block.
    const std::vector<uint8_t> bytes(data, data + size);
    for (uint16_t deviceClass : {0x100, 0x110, 0x200, 0})
        for (bool colour : {false, true}) {
            const int result = CheckHeaderBytes(bytes.data(), bytes.size(), HeaderFacts{deviceClass, 2002, 600, colour});
            if (size < kHeaderSize && result != kHeaderNotOverlay) Fail("a short file passed as an overlay");
        }
    for (size_t offset : {size_t{0}, kRecentAt, kUsedAt}) {
        const OverlayList list = ReadList(ByteView(bytes.data(), bytes.size()), offset);
        if (list.size() > kListLength) Fail("a list outgrew its five entries");
        for (const OverlayEntry& entry : list)
            if (strnlen(entry.title, kTextRoom) == kTextRoom || strnlen(entry.path, kTextRoom) == kTextRoom)
                Fail("an unterminated text was read");
        std::vector<uint8_t> out(kListLength * kEntrySize, 0);
        WriteList(AddedRecent(AddedInFront(list, MakeEntry("x", "C:\\x")), MakeEntry("y", "C:\\y")), out.data());
    }
    return 0;
}
