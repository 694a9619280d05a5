// Menus from resources: the standard menu template (a header of two zero words, then items, each
// {flags, command id unless a pop-up, text}, a pop-up's items following it up to one marked
// MF_END). Nesting deeper than a menu can be shown, or a template cut short, is refused.
#include "platform/resources/byte_reader.h"
#include "platform/resources/res_file.h"
#include "platform/user/menu.h"

namespace user {
namespace {

constexpr int kMaxDepth = 16;
constexpr uint16_t kEnd = 0x0080;  // MF_END: the last item of its menu

bool readItems(res::ByteReader& r, HMENU menu, int depth) {
    if (depth > kMaxDepth) return false;
    for (;;) {
        uint16_t flags, id = 0;
        if (!r.u16(flags)) return false;
        if (!(flags & MF_POPUP) && !r.u16(id)) return false;
        std::string text;
        if (!r.wideString(text)) return false;
        UINT itemFlags = flags & ~kEnd;
        if (flags & MF_POPUP) {
            HMENU sub = CreatePopupMenu();
            if (!readItems(r, sub, depth + 1)) {
                DestroyMenu(sub);
                return false;
            }
            AppendMenuA(menu, itemFlags, reinterpret_cast<UINT_PTR>(sub), text.c_str());
        } else {
            if (id == 0 && text.empty()) itemFlags |= MF_SEPARATOR;
            AppendMenuA(menu, itemFlags, id, text.c_str());
        }
        if (flags & kEnd) return true;
    }
}

}  // namespace

HMENU MenuFromTemplate(const uint8_t* data, size_t size) {
    res::ByteReader r(data, size);
    uint16_t version, offset;
    if (!data || !r.u16(version) || !r.u16(offset) || version != 0 || !r.skip(offset)) return nullptr;
    HMENU menu = CreateMenu();
    if (!readItems(r, menu, 0)) {
        DestroyMenu(menu);
        return nullptr;
    }
    return menu;
}

}  // namespace user

extern "C" HMENU WINAPI LoadMenuA(HINSTANCE instance, LPCSTR name) {
    auto table = res::TableOf(instance);
    const res::ResourceEntry* e = table && name ? table->find(MAKEINTRESOURCEA(4), name) : nullptr;
    if (!e) {
        SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
        return nullptr;
    }
    HMENU menu = user::MenuFromTemplate(table->dataOf(*e), e->size);
    if (!menu) SetLastError(ERROR_INVALID_DATA);
    return menu;
}
