// The common adapter's host codes that answer records: the layout values (0x406), the gutter
// words (0x407), the colour-matching record (0x47C), the paper list (0x814, 0x815), the
// registry path (0x47F) and the stamp records (1071).
#include "settings/folx/cm_non_sv_folx.h"

#include "core/device/service_table.h"
#include "core/device/table_cursor_papers.h"
#include "core/device/table_cursor_query.h"
#include "core/device/table_cursor_ref.h"
#include "core/devmode/devmode_layout.h"
#include "settings/folx/folx_fields.h"
#include "settings/folx/folx_records.h"

#include <windows.h>

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <string>

LONG CmNonSvFOLX::LayoutValues(void* data) {
    const int32_t o110 = Opt(110);
    int16_t values[4] = {0, static_cast<int16_t>(Opt(117)), 100, 100};
    if (o110 & 0x4) {
        if (Opt(124) == 1) {
            values[0] |= 0x2;
            values[2] = static_cast<int16_t>(Opt(125));
        }
        if ((o110 & 0x2) || Opt(112) != Opt(117)) {
            const LONG scale = GetScale();
            if (scale < 0) return folx::kNotAttached;
            values[0] |= 0x1;
            values[3] = static_cast<int16_t>(scale);
        }
    }
    if (!data) return folx::kNotAttached;
    MutableByteView out(data, sizeof values);
    for (size_t i = 0; i < 4; ++i) out.put_s16(2 * i, values[i]);
    return folx::kDone;
}

LONG CmNonSvFOLX::GutterWords(void* data) {
    int32_t words[2] = {0, 0};
    if (Opt(110) & 0x40) {
        const int32_t v = static_cast<int32_t>(static_cast<uint32_t>(Opt(224)) * static_cast<uint32_t>(Opt(122)) * 10u / 254u);
        // The sheet turns when pages are laid side by side on a paper no longer than twice its
        // width: the binding edge then lies on the other axis.
        const uint32_t size = static_cast<uint32_t>(Opt(119));
        const uint32_t width = size & 0xFFFF, length = size >> 16;
        const int32_t pages = Opt(126);
        const bool turned = Opt(124) == 3 && (pages == 0 || pages == 2 || pages == 3) && length <= 2 * width;
        const bool landscape = (Field16(devmode::kOffOrientation) == 2) != turned;
        const int32_t edge = Opt(121);
        // Edges 0 left, 1 right, 2 top, 3 bottom; x is the first word, y the second.
        static constexpr int kAxis[2][4] = {{0, 0, 1, 1}, {1, 1, 0, 0}};
        static constexpr int kSign[2][4] = {{1, -1, 1, -1}, {1, -1, -1, 1}};
        if (edge >= 0 && edge <= 3) words[kAxis[landscape][edge]] = kSign[landscape][edge] * v;
    }
    const uint32_t out[2] = {static_cast<uint32_t>(words[0]), static_cast<uint32_t>(words[1])};
    return PutWords(data, out, 2);
}

LONG CmNonSvFOLX::ColourMatching(void* data) {
    if (!data) return folx::kNotAttached;
    namespace c = folx::colour;
    uint8_t block[130] = {};
    OptBytes(250, block, sizeof block);
    MutableByteView out(data, c::kSize);
    uint16_t flags = static_cast<uint16_t>(Field16(devmode::kOffPdlId));
    if (host_.Device32(folxdata::kMatchingWord) == 4) flags |= 0x08;
    out.put_u16(c::kFlags, flags);
    // Each block's text runs at most to the start of the next field the block holds.
    static constexpr size_t kTextRoom[3] = {24, 28, 28};
    for (size_t g = 0; g < 3; ++g) {
        const size_t from = c::kBlocks[g];
        for (size_t i = 0; i < 3; ++i)
            out.put_s32(c::kGroups[g] + 4 * i, static_cast<int8_t>(block[from + i]));
        const char* text = reinterpret_cast<const char*>(block + from + c::kBlockText);
        const size_t length = FieldLength(text, kTextRoom[g]);
        if (length >= c::kTextSize) return folx::kNotAttached;
        out.fill(c::kGroups[g] + c::kGroupText, 0, c::kTextSize);
        out.put_bytes(c::kGroups[g] + c::kGroupText, text, length);
    }
    out.put_u32(c::kMediaWord, Opt(207) == 5 ? 1 : 0);
    return folx::kDone;
}

LONG CmNonSvFOLX::PaperList(void* data, bool countOnly, bool clearFirstFive) {
    if (!data) return folx::kNotAttached;
    TableCursorRef<PaperCursor> papers(request, kTablePapers);
    uint32_t count = 0;
    if (!papers) return countOnly ? PutWord(data, 0) : folx::kDone;
    const uint16_t paperClass = host_.Device16(folxdata::kPaperClass);
    bool cleared = false;
    for (int more = papers->First(); more; more = papers->Next()) {
        if (papers->GetFlag(1)) continue;
        if (!countOnly) {
            namespace p = folx::paper;
            MutableByteView entry(static_cast<uint8_t*>(data) + size_t{count} * p::kSize, p::kSize);
            char name[64] = {};
            papers->GetFormName(1, name, sizeof name);
            const size_t length = std::strlen(name);
            if (length >= p::kNameSize) return folx::kNotAttached;
            const uint16_t id = papers->GetWord(1);
            uint16_t flags = 0;
            if (id == paperClass) flags |= 0x1;
            if (papers->GetFlag(4)) flags |= 0x2;
            if (papers->GetFlag(2)) flags |= 0x4;
            if (!papers->GetFlag(3)) flags |= 0x8;
            if (clearFirstFive && !cleared && papers->GetWord(2) == 5 && (flags & 0x8)) {
                flags &= ~0x8;
                cleared = true;
            }
            entry.put_u16(p::kId, id);
            entry.fill(p::kName, 0, p::kNameSize);
            entry.put_bytes(p::kName, name, length);
            entry.put_u16(p::kFlags, flags);
        }
        ++count;
    }
    return countOnly ? PutWord(data, count) : folx::kDone;
}

LONG CmNonSvFOLX::RegistryPath(void* data) {
    if (!data) return folx::kNotAttached;
    constexpr size_t kRoom = 256;
    const char* model = request->svc->GetModelBlockB(request);
    std::string path = "Software\\Vomel\\";
    path += model ? std::string(model, FieldLength(model, kRoom)) : std::string();
    path += '\\';
    path += printerName ? std::string(printerName, FieldLength(printerName, kRoom)) : std::string();
    if (path.size() >= kRoom) return folx::kNotAttached;
    std::memcpy(data, path.c_str(), path.size() + 1);
    return folx::kDone;
}

namespace {

// Copies a watermark text with every backslash doubled; a double-byte character is copied
// whole, so its trail byte is never taken for a backslash. False when it does not fit.
bool DoubleBackslashes(const char* text, size_t textMax, char* out, size_t room) {
    size_t at = 0;
    const size_t length = FieldLength(text, textMax);
    for (size_t i = 0; i < length; ++i) {
        const char ch = text[i];
        const bool lead = IsDBCSLeadByte(static_cast<BYTE>(ch)) && i + 1 < length;
        const size_t need = ch == '\\' || lead ? 2 : 1;
        if (at + need >= room) return false;
        out[at++] = ch;
        if (ch == '\\') out[at++] = '\\';
        else if (lead) out[at++] = text[++i];
    }
    out[at] = 0;
    return true;
}

constexpr size_t kFontBlock = 48, kFontWeight = 8, kFontItalic = 12, kFontFace = 13;

// The font fields of a stamp record from a 48-byte font block (size in points at 0, weight at
// 8, italic flag at 12, face at 13); false when the face does not fit.
bool PutFont(MutableByteView record, const uint8_t* font, int16_t escapement) {
    namespace s = folx::stamp;
    ByteView block(font, kFontBlock);
    int32_t size = 0;
    uint32_t weight = 0;
    block.s32(0, size);
    block.u32(kFontWeight, weight);
    const char* face = reinterpret_cast<const char*>(font + kFontFace);
    const size_t faceLength = FieldLength(face, kFontBlock - kFontFace);
    if (faceLength >= s::kFaceSize) return false;
    record.put_s16(s::kHeight, static_cast<int16_t>(-size * 10));
    record.put_s16(s::kEscapement, escapement);
    record.put_s16(s::kWeight, static_cast<int16_t>(weight));
    record.put_u8(s::kItalic, font[kFontItalic]);
    record.put_bytes(s::kFontTail, s::kFontTailBytes, sizeof s::kFontTailBytes);
    record.put_bytes(s::kFace, face, faceLength);
    return true;
}

void PutFixedWords(MutableByteView record) {
    for (size_t i = 0; i < 8; ++i) record.put_u32(folx::stamp::kFixedWords + 4 * i, folx::stamp::kFixed[i]);
}

uint32_t PositionCode(uint32_t position) {
    switch (position) {
    case 2: return 33;
    case 4: return 9;
    case 8: return 18;
    case 16: return 34;
    case 32: return 10;
    default: return 17;
    }
}

}  // namespace

LONG CmNonSvFOLX::GetValue1071(void* data) {
    if (!Attached() || !data) return folx::kNotAttached;
    namespace s = folx::stamp;
    const uint32_t count = StampCount();
    auto* records = static_cast<uint8_t*>(data);
    std::memset(records, 0, size_t{count} * s::kSize);
    uint32_t written = 0;
    const uint32_t o150 = static_cast<uint32_t>(Opt(150));

    if (o150 & 0x1) {
        MutableByteView record(records, s::kSize);
        record.put_u32(s::kKind, 1024);
        record.put_u32(s::kFlags, ((o150 & 0x4) ? 2u : 1u) + ((o150 & 0x8) ? 4u : 8u));
        if (o150 & 0x400) {
            record.put_u32(s::kFrameA, 1);
            record.put_u32(s::kFrameB, 1);
        }
        record.put_u32(s::kPosition, 36);
        char text[32] = {};
        OptBytes(155, text, sizeof text);
        if (!DoubleBackslashes(text, sizeof text, reinterpret_cast<char*>(records + s::kText), s::kTextSize))
            return folx::kNotAttached;
        uint8_t font[kFontBlock] = {};
        OptBytes(156, font, sizeof font);
        int32_t angle = Opt(159) % 3600;  // truncating: -3900 gives -300
        if (o150 & 0x80) angle = -1;
        else if (o150 & 0x100) angle = -2;
        if (!PutFont(record, font, static_cast<int16_t>(angle >= 0 ? angle : 0))) return folx::kNotAttached;
        record.put_u32(s::kColour, static_cast<uint32_t>(Opt(157)));
        record.put_s32(s::kAngle, angle);
        const uint32_t place = static_cast<uint32_t>(Opt(158));
        record.put_s32(s::kPositionX, static_cast<int16_t>(place & 0xFFFF) * 10);
        record.put_s32(s::kPositionY, static_cast<int16_t>(place >> 16) * -10);
        int32_t size = 0;
        ByteView(font, sizeof font).s32(0, size);
        if (o150 & 0x20) {
            record.put_s32(s::kOutlineWidth, Opt(224) * size / 1080);
            record.put_u32(s::kOutlineKind, (o150 & 0x40) ? 1 : 4);
        } else {
            record.put_u32(s::kOutlineWidth, 1);
        }
        PutFixedWords(record);
        ++written;
    }

    uint8_t font[kFontBlock] = {};
    OptBytes(0x30025, font, sizeof font);
    const uint32_t colour = static_cast<uint32_t>(Opt(0x30024));
    static constexpr const char* kEscapes[3] = {"\\D", "\\u", "\\n"};
    uint32_t used[3] = {};
    size_t usedCount = 0;
    for (DWORD n = 141; n <= 143 && written < count; ++n) {
        const uint32_t value = static_cast<uint32_t>(Opt(n));
        const uint32_t position = value & folxdata::kPositionBits;
        if (!(value & 0x1000) || std::find(used, used + usedCount, position) != used + usedCount) continue;
        used[usedCount++] = position;
        MutableByteView record(records + size_t{written} * s::kSize, s::kSize);
        record.put_u32(s::kKind, 1024);
        record.put_u32(s::kFlags, 5);
        record.put_u32(s::kPosition, PositionCode(position));
        std::string text;
        for (DWORD k = n; k <= 143; ++k) {
            const uint32_t other = static_cast<uint32_t>(Opt(k));
            if (!(other & 0x1000) || (other & folxdata::kPositionBits) != position) continue;
            if (!text.empty()) text += ' ';
            text += kEscapes[k - 141];
        }
        if (text.size() >= s::kTextSize || !PutFont(record, font, 0)) return folx::kNotAttached;
        record.put_bytes(s::kText, text.c_str(), text.size());
        record.put_u32(s::kColour, colour);
        record.put_u32(s::kOutlineWidth, 1);
        PutFixedWords(record);
        ++written;
    }
    return folx::kDone;
}
