// Fuzz target of the .res reader: any bytes either parse into entries whose data lie inside the
// input, or are refused; every string block and dialog template found is then read as well.
#include <windows.h>

#include "platform/resources/dib.h"
#include "platform/resources/res_file.h"
#include "platform/user/dialog_template.h"
#include "platform/user/menu.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    auto table = res::ResourceTable::Parse(data, size);
    if (!table) return 0;
    for (const auto& e : table->entries()) {
        if (e.offset + e.size > size) std::abort();
        if (e.type.isNumber() && e.type.number == 5) {
            user::DialogTemplate dialog;
            (void)user::ParseDialogTemplate(table->dataOf(e), e.size, dialog);
        }
        if (e.type.isNumber() && e.type.number == 4) {
            if (HMENU menu = user::MenuFromTemplate(table->dataOf(e), e.size)) DestroyMenu(menu);
        }
        res::DibView dib;
        const uint8_t* mask = nullptr;
        if (e.type.isNumber() && e.type.number == 2 && res::ReadDib(table->dataOf(e), e.size, false, dib)) {
            if (dib.bits + dib.bitsSize > table->dataOf(e) + e.size) std::abort();
        }
        if (e.type.isNumber() && e.type.number == 3 && res::ReadDib(table->dataOf(e), e.size, true, dib, &mask)) {
            if (mask + res::DibStride(dib.width, 1) * size_t(dib.height) > table->dataOf(e) + e.size) std::abort();
        }
    }
    HMODULE module = reinterpret_cast<HMODULE>(&table);
    if (res::AttachResources(module, table)) {
        char buffer[300];
        for (UINT id = 0; id < 64; ++id) LoadStringA(module, id, buffer, sizeof buffer);
        res::DetachResources(module);
    }
    return 0;
}
