// Fuzz target of the hosted page's template reader: any bytes give either no template or a Win16
// template whose caption lies inside it and ends there.
#include "core/library/page_template16.h"

#include <cstdlib>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<uint8_t> out;
    std::size_t title = 0;
    if (!Win16PageTemplate(data, static_cast<DWORD>(size), out, title)) return 0;
    if (title < 15 || title >= out.size() || !std::memchr(out.data() + title, 0, out.size() - title)) std::abort();
    return 0;
}
