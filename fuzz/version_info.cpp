// Fuzz target of the version functions' tree walk: any bytes taken as a version resource (as
// GetFileVersionInfoA hands it out, its length no more than the resource, the spare half behind
// it) are either answered from inside the block or refused.
#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 6) return 0;
    const size_t length = data[0] | (data[1] << 8);
    // GetFileVersionInfoA refuses a resource shorter than its own length word.
    if (length < 6 || length > size) return 0;
    std::vector<uint8_t> block(length * 2, 0);
    std::memcpy(block.data(), data, length);
    static const char* const kPaths[] = {"\\", "\\VarFileInfo\\Translation", "\\StringFileInfo\\040904e4\\ProductVersion",
                                         "\\StringFileInfo\\040904e4\\FileDescription", "\\StringFileInfo", "\\\\\\"};
    for (const char* path : kPaths) {
        void* value = nullptr;
        UINT got = 0;
        if (!VerQueryValueA(block.data(), path, &value, &got)) continue;
        const auto* at = static_cast<const uint8_t*>(value);
        if (at < block.data() || at + got > block.data() + block.size()) std::abort();
    }
    return 0;
}
