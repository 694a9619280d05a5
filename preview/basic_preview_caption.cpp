// The caption line under the picture: the paper, what it is printed on and at what scale, in the
// words of the resource module's strings, with custom sizes in millimetres or inches as the user
// measures and numbers written with the user's decimal separator.
#include "preview/basic_preview.h"

#include "core/datafile/device_data.h"
#include "core/datafile/device_data_layout.h"
#include "core/device/service_table.h"
#include "core/device/table_cursor_papers.h"
#include "core/device/table_cursor_ref.h"
#include "core/device/user_data.h"
#include "ui/cm_locale.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace {

constexpr int kTablePapers = 0;
constexpr int kCustomPaper = 256;
constexpr UINT kToOutput = 4409, kPercentClose = 4410, kOpen = 4411, kFullSizeClose = 4412, kBookletLabel = 4413;
constexpr UINT kLengthMm = 4430, kWidthMm = 4431, kLengthInch = 4433, kWidthInch = 4434;
constexpr DWORD kDeviceOptionBookletPaper = 519;

}  // namespace

char* CmBasicPreview::BuildCaptionText() {
    UIDEVDATA* ctx = devData_;
    auto label = [&](UINT id) {
        char text[24] = "";
        ctx->svc->LoadString(ctx, id, text, sizeof text);
        return std::string(text);
    };
    TableCursorRef<PaperCursor> papers(ctx, kTablePapers);
    if (!papers) return nullptr;
    DeviceData* data = ctx->svc->LoadDeviceData(ctx);
    auto nameOf = [&](int code, std::string& name) {
        if (!papers->Select(static_cast<uint16_t>(code)) &&
            !(data && papers->Select(data->U16(devicedata::kDefaultPaper))))
            return false;
        char text[64] = "";
        papers->GetFormName(1, text, sizeof text);
        name = text;
        return true;
    };
    CmUserData* user = ctx->svc->GetUserData(ctx);
    const bool inches = UseInches() != FALSE;
    auto dimension = [&](UINT mmId, UINT inchId, int value) {
        char format[24] = "", text[48] = "";
        if (inches) {
            const int h = (value * 100 + 127) / 254;
            ctx->svc->LoadString(ctx, inchId, format, sizeof format);
            std::snprintf(text, sizeof text, format, h / 100, h % 100);
        } else {
            ctx->svc->LoadString(ctx, mmId, format, sizeof format);
            std::snprintf(text, sizeof text, format, value / 10, value % 10);
        }
        if (user && user->GetLocale()) user->GetLocale()->LocalizeNumberText(text);
        return " " + std::string(text);
    };
    auto paperText = [&](DWORD idOption, DWORD codeOption, DWORD sizeOption, std::string& out) {
        if (!nameOf(Option16(codeOption), out)) return false;
        if (Option16(idOption) == kCustomPaper) {
            uint16_t size[2] = {};
            ctx->svc->GetOption(ctx, settings_, sizeOption, size, sizeof size);
            out += dimension(kWidthMm, kWidthInch, size[0]);
            out += dimension(kLengthMm, kLengthInch, size[1]);
        }
        return true;
    };

    std::string text, output;
    if (!paperText(111, 112, 114, text)) return nullptr;
    const bool haveOutput = paperText(116, 117, 119, output);
    const int layout = Option16(124);
    const bool b = (Option32(110) & 2) == 0;
    int kind = 0;
    switch (layout) {
    case 0: case 3: case 4: case 5: kind = b ? 0 : 1; break;
    case 2: kind = 4; break;
    case 1: kind = b ? 2 : 3; break;
    default: kind = 0; break;
    }
    const std::string scaling = std::to_string(Option16(125, 100));
    switch (kind) {
    case 1:
        text += label(kToOutput) + (haveOutput ? output : std::string()) + label(kOpen) + label(kFullSizeClose);
        break;
    case 2: text += label(kOpen) + scaling + label(kPercentClose); break;
    case 3:
        text += label(kToOutput) + (haveOutput ? output : std::string()) + label(kOpen) + scaling + label(kPercentClose);
        break;
    case 4: {
        int16_t booklet = 0;
        ctx->svc->GetDeviceOptionValue(ctx, nullptr, kDeviceOptionBookletPaper, &booklet, sizeof booklet);
        text += label(kBookletLabel);
        std::string name = haveOutput ? output : std::string();
        if (booklet == 2) {
            const int wanted = MapSetting112(Option16(112));
            bool found = false;
            for (int more = papers->First(); more && !found; more = papers->Next()) {
                if (papers->GetWord(1) != wanted) continue;
                char found_name[64] = "";
                papers->GetFormName(1, found_name, sizeof found_name);
                name = found_name;
                found = true;
            }
            if (!found) break;
        }
        text += label(kToOutput) + name;
        break;
    }
    default: text += label(kOpen) + label(kFullSizeClose); break;
    }
    char* result = new char[text.size() + 1];
    std::memcpy(result, text.c_str(), text.size() + 1);
    return result;
}
