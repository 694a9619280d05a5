// The host program's sheet script: any text, as a --sheet argument or a script file, is read into
// steps or refused with its line, and every step read has the arguments its word takes.
#include "tools/sheet_script.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string argument(reinterpret_cast<const char*>(data), size);
    std::string text, error;
    if (argument.empty() || argument[0] == '@') return 0;  // a file name: not read here
    if (!ReadSheetScript(argument, text, error)) std::abort();
    std::vector<SheetStep> steps;
    if (!ParseSheetScript(text, steps, error)) {
        if (error.empty()) std::abort();
        return 0;
    }
    for (const SheetStep& step : steps)
        if (step.line < 1 || step.args.size() > 2) std::abort();
    return 0;
}
