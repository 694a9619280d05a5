// Fuzz target of Windows path resolution: any bytes, in a single-byte and a double-byte code
// page, either resolve to an absolute path that resolves to itself (no "." or ".." left, no
// empty component), or are refused.
#include "platform/kernel/code_page.h"
#include "platform/kernel/path_map.h"

#include <windows.h>

#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    kernel::SetActiveCodePage(data[0] & 1 ? 932 : 1252);
    std::string path(reinterpret_cast<const char*>(data) + 1, size - 1);
    std::string full, again;
    if (kernel::FullWindowsPath(path, full)) {
        if (full.size() < 3 || full[1] != ':' || full[2] != '\\' || full.size() >= MAX_PATH) std::abort();
        if (!kernel::FullWindowsPath(full, again) || again != full) std::abort();
        kernel::FileNameStart(full);
    }
    return 0;
}
