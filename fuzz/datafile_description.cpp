// Fuzz target of the builder's description language: any text is refused with a message or
// becomes a file that the loader accepts, since the description parser checks everything the
// loader does.
#include "core/datafile/data_file_parser.h"
#include "core/memory/private_heap.h"
#include "tools/datafile/description.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    CreatePrivateHeap();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
    if (size > 4096) return 0;
    const std::string text(reinterpret_cast<const char*>(bytes), size);
    datafile::FileSpec spec;
    std::string error;
    // "file" items would read the fuzzer's working folder; a folder that does not exist stops them.
    if (!datafile::ParseDescription(text, "fuzz", "/nonexistent", spec, error)) return 0;
    const std::vector<uint8_t> file = datafile::WriteDataFile(spec);
    DataFileError refused;
    DeviceData* data = ParseDataFile(file.data(), file.size(), refused);
    if (!data) {
        std::fprintf(stderr, "a description that parsed built a refused file: %s\n", refused.text);
        std::abort();
    }
    FreeDeviceData(data);
    return 0;
}
