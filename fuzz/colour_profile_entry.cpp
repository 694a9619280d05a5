// Fuzz target of what the colour-profile library answers about one profile: the first two bytes
// split the rest into a header, a description and a path, each copied into a buffer of exactly
// its size so that the sanitizer sees any read past it. An entry made must hold terminated texts
// within their fields, a file part that starts with a backslash and came from the path.
#include "features/colour_profile_entry.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) return 0;
    const size_t rest = size - 2;
    const size_t headerSize = rest ? data[0] % (rest + 1) : 0;
    const size_t descriptionSize = rest - headerSize ? data[1] % (rest - headerSize + 1) : 0;
    const size_t pathSize = rest - headerSize - descriptionSize;
    const uint8_t* at = data + 2;
    std::vector<uint8_t> header(at, at + headerSize);
    std::vector<char> description(at + headerSize, at + headerSize + descriptionSize);
    std::vector<char> path(at + headerSize + descriptionSize, at + headerSize + descriptionSize + pathSize);
    (void)colourprofile::IsSourceProfile(header.data(), header.size());
    colourprofile::ProfileEntry entry{};
    if (!colourprofile::MakeProfileEntry(description.data(), description.size(), path.data(), path.size(), entry))
        return 0;
    if (strnlen(entry.description, sizeof entry.description) >= sizeof entry.description) std::abort();
    const size_t partLength = strnlen(entry.filePart, sizeof entry.filePart);
    if (partLength >= sizeof entry.filePart || entry.filePart[0] != '\\') std::abort();
    if (std::string(path.begin(), path.end()).find(std::string(entry.filePart, partLength)) == std::string::npos)
        std::abort();
    return 0;
}
