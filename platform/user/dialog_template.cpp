// Reader of dialog templates. Every field goes through the checked reader: a template cut short,
// with an unterminated text or with more items than bytes, is refused as a whole.
#include "platform/user/dialog_template.h"

#include "platform/resources/byte_reader.h"

namespace user {
namespace {

bool readName(res::ByteReader& r, TemplateName& out) {
    uint16_t first;
    if (!r.u16(first)) return false;
    out = TemplateName{};
    if (first == 0) return true;
    if (first == 0xFFFF) return r.u16(out.ordinal);
    return r.seek(r.offset() - 2) && r.wideString(out.text);
}

bool readRect(res::ByteReader& r, int16_t& x, int16_t& y, int16_t& cx, int16_t& cy) {
    return r.i16(x) && r.i16(y) && r.i16(cx) && r.i16(cy);
}

bool readItem(res::ByteReader& r, bool extended, DialogItem& item) {
    if (!r.align(4)) return false;
    if (extended) {
        if (!r.u32(item.helpId) || !r.u32(item.exStyle) || !r.u32(item.style)) return false;
        if (!readRect(r, item.x, item.y, item.cx, item.cy) || !r.u32(item.id)) return false;
    } else {
        uint16_t id;
        if (!r.u32(item.style) || !r.u32(item.exStyle)) return false;
        if (!readRect(r, item.x, item.y, item.cx, item.cy) || !r.u16(id)) return false;
        item.id = id;
    }
    if (!readName(r, item.windowClass) || !readName(r, item.title)) return false;
    uint16_t extra;
    if (!r.u16(extra)) return false;
    if (extra > 0) {
        // The control receives its creation data with their size word in front.
        const uint8_t* start = r.here();
        if (!r.skip(extra)) return false;
        item.creationData.assign(2, 0);
        item.creationData[0] = static_cast<uint8_t>(extra & 0xFF);
        item.creationData[1] = static_cast<uint8_t>(extra >> 8);
        item.creationData.insert(item.creationData.end(), start, start + extra);
    }
    return true;
}

}  // namespace

const char* PredefinedClassName(uint16_t ordinal) {
    switch (ordinal) {
    case 0x80: return "Button";
    case 0x81: return "Edit";
    case 0x82: return "Static";
    case 0x83: return "ListBox";
    case 0x84: return "ScrollBar";
    case 0x85: return "ComboBox";
    default: return nullptr;
    }
}

bool ParseDialogTemplate(const uint8_t* data, size_t size, DialogTemplate& out) {
    if (!data) return false;
    res::ByteReader r(data, size);
    out = DialogTemplate{};
    uint16_t version, signature;
    if (!r.u16(version) || !r.u16(signature)) return false;
    out.extended = version == 1 && signature == 0xFFFF;
    uint16_t count;
    if (out.extended) {
        if (!r.u32(out.helpId) || !r.u32(out.exStyle) || !r.u32(out.style)) return false;
    } else {
        r.seek(0);
        if (!r.u32(out.style) || !r.u32(out.exStyle)) return false;
    }
    if (!r.u16(count) || !readRect(r, out.x, out.y, out.cx, out.cy)) return false;
    TemplateName title;
    if (!readName(r, out.menu) || !readName(r, out.windowClass) || !readName(r, title)) return false;
    out.title = title.text;
    if (out.style & DS_SETFONT) {
        out.hasFont = true;
        if (!r.u16(out.pointSize)) return false;
        if (out.extended && (!r.u16(out.weight) || !r.u8(out.italic) || !r.u8(out.charset))) return false;
        if (!r.wideString(out.typeface)) return false;
    }
    // Each item takes at least 24 bytes: a count beyond what the bytes can hold is refused early.
    if (count > r.remaining() / 18 + 1) return false;
    out.items.resize(count);
    for (auto& item : out.items)
        if (!readItem(r, out.extended, item)) return false;
    return true;
}

}  // namespace user
