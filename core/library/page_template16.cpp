// Hosting pages' 16-bit templates (see page_template16.h). The hosted page's template is read
// through the checked view, in either of its forms (DIALOG or DIALOGEX); the 16-bit template is
// the Win16 form: style, no controls, the size, no menu, the standard class, the caption in the
// ANSI code page and, when the hosted page sets one, its font.
#include "core/library/page_template16.h"

#include "core/device/service_table.h"
#include "core/helpers/byte_view.h"

#include <winnls.h>
#include <wownt32.h>

#include <cstring>
#include <map>
#include <mutex>
#include <string>
#include <vector>

namespace {

constexpr UINT kDialogType = 5;  // RT_DIALOG as a number
constexpr std::size_t kMaxText = 255;

struct Hosted {
    DWORD style = 0;
    int16_t cx = 0, cy = 0;
    std::string title;
    uint16_t pointSize = 0;
    std::string face;
};

std::mutex g_lock;
std::map<const SHEETDATA*, PageTemplate16> g_templates;

// A menu or class field: none (0), an ordinal (0xFFFF, number) or a text.
bool SkipNameOrOrdinal(const ByteView& view, std::size_t& at) {
    uint16_t first = 0;
    if (!view.u16(at, first)) return false;
    if (first == 0 || first == 0xFFFF) {
        at += first == 0 ? 2 : 4;
        return view.contains(at, 0);
    }
    for (std::size_t n = 0; n <= kMaxText; ++n, at += 2) {
        uint16_t c = 0;
        if (!view.u16(at, c)) return false;
        if (c == 0) return at += 2, true;
    }
    return false;
}

// A UTF-16 text, as ANSI.
bool ReadText(const ByteView& view, std::size_t& at, std::string& out) {
    std::vector<WCHAR> text;
    for (uint16_t c = 1; text.size() <= kMaxText; at += 2) {
        if (!view.u16(at, c)) return false;
        if (c == 0) break;
        text.push_back(static_cast<WCHAR>(c));
    }
    if (text.size() > kMaxText) return false;
    at += 2;
    out.assign(text.size() * 2, '\0');
    const int n = text.empty() ? 0
                               : WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), out.data(),
                                                     static_cast<int>(out.size()), nullptr, nullptr);
    if (n < 0 || (!text.empty() && n == 0)) return false;
    out.resize(static_cast<std::size_t>(n));
    return true;
}

bool ReadHosted(const void* bytes, DWORD size, Hosted& page) {
    const ByteView view(bytes, size);
    uint16_t version = 0, signature = 0;
    if (!view.u16(0, version) || !view.u16(2, signature)) return false;
    const bool extended = version == 1 && signature == 0xFFFF;
    std::size_t at = extended ? 12 : 0;
    if (!view.u32(at, page.style)) return false;
    at = extended ? 18 : 10;  // past the style words and the control count
    if (!view.s16(at + 4, page.cx) || !view.s16(at + 6, page.cy)) return false;
    at += 8;
    if (!SkipNameOrOrdinal(view, at) || !SkipNameOrOrdinal(view, at) || !ReadText(view, at, page.title)) return false;
    if (!(page.style & DS_SETFONT)) return true;
    if (!view.u16(at, page.pointSize)) return false;
    at += extended ? 6 : 2;  // DIALOGEX adds the weight, italic flag and character set
    return ReadText(view, at, page.face);
}

std::vector<uint8_t> Template16(const Hosted& page, std::size_t& titleOffset) {
    std::vector<uint8_t> t;
    const auto put16 = [&](uint16_t v) {
        t.push_back(static_cast<uint8_t>(v));
        t.push_back(static_cast<uint8_t>(v >> 8));
    };
    const DWORD style = WS_CHILD | WS_CAPTION | (page.style & DS_SETFONT);
    put16(static_cast<uint16_t>(style));
    put16(static_cast<uint16_t>(style >> 16));
    t.push_back(0);  // no controls: the hosted page brings its own
    for (int16_t v : {int16_t{0}, int16_t{0}, page.cx, page.cy}) put16(static_cast<uint16_t>(v));
    t.push_back(0);  // no menu
    t.push_back(0);  // the standard dialog class
    titleOffset = t.size();
    t.insert(t.end(), page.title.begin(), page.title.end());
    t.push_back(0);
    if (style & DS_SETFONT) {
        put16(page.pointSize);
        t.insert(t.end(), page.face.begin(), page.face.end());
        t.push_back(0);
    }
    return t;
}

}  // namespace

bool Win16PageTemplate(const void* hosted, DWORD size, std::vector<uint8_t>& out, std::size_t& titleOffset) {
    Hosted page;
    if (!hosted || !ReadHosted(hosted, size, page)) return false;
    out = Template16(page, titleOffset);
    return true;
}

bool PageTemplateFor(SHEETDATA* record, PageTemplate16& out) {
    {
        std::lock_guard<std::mutex> lock(g_lock);
        auto it = g_templates.find(record);
        if (it != g_templates.end()) {
            out = it->second;
            return true;
        }
    }
    UIDEVDATA* ctx = record ? record->ctx : nullptr;
    DWORD size = 0;
    const void* bytes = ctx ? ctx->svc->FindResource(ctx, static_cast<UINT>(record->parameter), kDialogType, &size) : nullptr;
    std::vector<uint8_t> t;
    std::size_t titleOffset = 0;
    if (!Win16PageTemplate(bytes, size, t, titleOffset)) return false;
    const DWORD vp = WOWGlobalAllocLock16(0, static_cast<DWORD>(t.size()), nullptr);
    void* flat = vp ? WOWGetVDMPointer(vp, static_cast<DWORD>(t.size()), TRUE) : nullptr;
    if (!flat) {
        if (vp) WOWGlobalUnlockFree16(vp);
        return false;
    }
    std::memcpy(flat, t.data(), t.size());
    out = {vp, vp + static_cast<DWORD>(titleOffset)};
    std::lock_guard<std::mutex> lock(g_lock);
    g_templates[record] = out;
    return true;
}

void ReleasePageTemplate(const SHEETDATA* record) {
    PageTemplate16 block;
    {
        std::lock_guard<std::mutex> lock(g_lock);
        auto it = g_templates.find(record);
        if (it == g_templates.end()) return;
        block = it->second;
        g_templates.erase(it);
    }
    WOWGlobalUnlockFree16(block.vpTemplate);
}
