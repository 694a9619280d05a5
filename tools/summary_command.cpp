// The host program's --summary (see summary_command.h): the same steps a person takes, so that
// what is printed is exactly what the library put on the clipboard.
#include "tools/summary_command.h"

#include "tools/sheet_command.h"
#include "tools/sheet_script.h"

#include <windows.h>

#include <cstdio>

namespace {

constexpr char kSteps[] = "click 10012\nclick 10440\nok\ncancel\n";  // View settings, Copy

std::string TakeClipboardText() {
    std::string text;
    if (!OpenClipboard(nullptr)) return text;
    if (HANDLE data = GetClipboardData(CF_TEXT)) {
        if (const auto* p = static_cast<const char*>(GlobalLock(data))) text = p;
        GlobalUnlock(data);
    }
    EmptyClipboard();
    CloseClipboard();
    return text;
}

}  // namespace

int PrintSettingsSummary(const Library& library, HANDLE session, std::vector<uint8_t>& settings,
                         const std::string& pictureFolder) {
    std::vector<SheetStep> steps;
    std::string error;
    if (!ParseSheetScript(kSteps, steps, error)) {
        std::fprintf(stderr, "drvhost: --summary: %s\n", error.c_str());
        return 1;
    }
    TakeClipboardText();  // what was there before is no part of the summary
    std::printf("\n");
    const int rc = RunSheetScript(library, session, settings, steps, pictureFolder);
    std::string text = TakeClipboardText();
    if (text.empty()) {
        std::fprintf(stderr, "drvhost: the settings summary reached no clipboard\n");
        return 1;
    }
    // The clipboard's line ends are CR LF; the terminal takes LF.
    std::string out;
    for (char c : text)
        if (c != '\r') out += c;
    std::printf("\ndrvhost: settings summary\n%s\n", out.c_str());
    return rc;
}
