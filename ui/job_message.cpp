// Job messages: the bounded formatter of a message text and its arguments, the message box over a
// catalogue row, and the zero-padded id.
#include "ui/job_message.h"

#include "core/device/service_table.h"
#include "core/helpers/byte_view.h"
#include "ui/cm_message.h"

#include <cstdio>
#include <cstring>

namespace {

constexpr int kTitleSize = 32;
constexpr int kTextSize = 1024;

}  // namespace

void FormatJobMessage(char* out, std::size_t size, const char* text, const JobMessageArgs& args) {
    if (!out || size == 0) return;
    std::size_t n = 0, number = 0, named = 0;
    auto put = [&](const char* s) {
        for (; *s && n + 1 < size; ++s) out[n++] = *s;
    };
    for (const char* p = text ? text : ""; *p; ++p) {
        if (*p != '%' || !p[1]) {
            const char one[2] = {*p, 0};
            put(one);
            continue;
        }
        ++p;
        if (*p == 'd') {
            while (number < args.numberCount && args.numbers && args.numbers[number] == 0) ++number;
            if (number < args.numberCount && args.numbers) {
                char digits[16];
                std::snprintf(digits, sizeof digits, "%u", static_cast<unsigned>(args.numbers[number++]));
                put(digits);
            }
        } else if (*p == 's') {
            if (named < args.textCount && args.texts) put(args.texts[named] ? args.texts[named] : "");
            ++named;
        } else {
            const char one[2] = {*p, 0};
            put(one);
        }
    }
    out[n] = 0;
}

int ShowJobMessageBox(UIDEVDATA* ctx, HWND window, UINT id, const JobMessageArgs& args) {
    if (!ctx || !ctx->svc) return 0;
    CmMessage* catalogue = MessageCatalogue(ctx);
    Message fallback(ctx);
    const MessageRow* row = (catalogue ? catalogue : &fallback)->FindRow(id);
    if (!row) return 0;
    char title[kTitleSize];
    char text[kTextSize];
    char shown[kTextSize];
    ctx->svc->LoadString(ctx, row->titleId, title, sizeof title);
    if (ctx->svc->LoadString(ctx, row->textId, text, sizeof text) <= 0) return 0;
    FormatJobMessage(shown, sizeof shown, text, args);
    return MessageBoxA(window, shown, title, row->flags);
}

bool FormatZeroPaddedId(const uint8_t* field, std::size_t fieldSize, char* out, std::size_t size) {
    if (!out || size < kZeroPaddedIdSize) return false;
    *out = 0;
    ByteView view(field, field ? fieldSize : 0);
    uint8_t digits = 0;
    uint32_t value = 0;
    if (fieldSize < kNumericIdFieldSize || !view.u8(0, digits) || !view.u32(1, value)) return false;
    char number[16];
    const int length = std::snprintf(number, sizeof number, "%u", static_cast<unsigned>(value));
    const std::size_t room = kZeroPaddedIdSize - 1;
    if (length <= 0 || static_cast<std::size_t>(length) > room) return false;
    const std::size_t width = digits > room ? room : digits;
    const std::size_t pad = width > static_cast<std::size_t>(length) ? width - static_cast<std::size_t>(length) : 0;
    std::memset(out, '0', pad);
    std::memcpy(out + pad, number, static_cast<std::size_t>(length) + 1);
    return true;
}
