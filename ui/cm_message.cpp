// The message catalogue's row tables and the message box itself. The texts come from the
// resource module; a text that asks for an argument is filled by a bounded copy, never by handing
// a resource string to a formatter as its format.
#include "ui/cm_message.h"

#include "core/device/service_table.h"
#include "ui/page_message.h"

#include <array>
#include <cstring>

namespace {

struct RowTable {
    MessageLayer layer = kCommonMessages;
    const MessageRow* rows = nullptr;
    std::size_t count = 0;
};

// One table per subsystem and language; 32 leaves room.
std::array<RowTable, 32> g_tables;

const MessageRow* FindIn(MessageLayer layer, UINT id) {
    for (const RowTable& t : g_tables)
        for (std::size_t i = 0; t.rows && t.layer == layer && i < t.count; ++i)
            if (t.rows[i].id == id) return &t.rows[i];
    return nullptr;
}

constexpr int kTextSize = 1024;
constexpr int kTitleSize = 256;

// Copies the text with the argument in place of each "%s"; what does not fit is cut.
void FillArgument(const char* text, LPCSTR argument, char* out, std::size_t size) {
    std::size_t n = 0;
    auto put = [&](char c) {
        if (n + 1 < size) out[n++] = c;
    };
    for (const char* p = text; *p; ++p) {
        if (p[0] == '%' && p[1] == 's') {
            for (const char* a = argument ? argument : ""; *a; ++a) put(*a);
            ++p;
        } else if (p[0] == '%' && p[1] == '%') {
            put('%');
            ++p;
        } else {
            put(*p);
        }
    }
    out[n] = 0;
}

CmModule* MakeMessage(UIDEVDATA* ctx) { return new Message(ctx); }

}  // namespace

bool RegisterMessageRows(MessageLayer layer, const MessageRow* rows, std::size_t count) {
    if (!rows || count == 0) return false;
    for (RowTable& t : g_tables)
        if (t.rows == rows) return true;
    for (RowTable& t : g_tables)
        if (!t.rows) {
            t = {layer, rows, count};
            return true;
        }
    return false;
}

void UnregisterMessageRows(const MessageRow* rows) {
    for (RowTable& t : g_tables)
        if (t.rows == rows) t = {};
}

const MessageRow* CmMessage::FindRow(UINT id) const { return FindIn(kCommonMessages, id); }

const MessageRow* Message::FindRow(UINT id) const {
    const MessageRow* own = FindIn(kPdlMessages, id);
    return own ? own : CmMessage::FindRow(id);
}

int CmMessage::Show(HWND owner, UINT id) { return ShowRow(owner, id, nullptr); }

int CmMessage::ShowWithArg(HWND owner, UINT id, LPCSTR argument) { return ShowRow(owner, id, argument ? argument : ""); }

int CmMessage::ShowRow(HWND owner, UINT id, LPCSTR argument) {
    const MessageRow* row = FindRow(id);
    if (!row || !ctx_) return 0;
    char text[kTextSize];
    char title[kTitleSize];
    if (ctx_->svc->LoadString(ctx_, row->textId, text, sizeof text) <= 0) return 0;
    ctx_->svc->LoadString(ctx_, row->titleId, title, sizeof title);
    if (argument) {
        char filled[kTextSize];
        FillArgument(text, argument, filled, sizeof filled);
        std::memcpy(text, filled, sizeof text);
    }
    // The owner learns of the box before it shows (a preview stops tracking the mouse).
    if (owner && !IsWindow(owner)) owner = nullptr;
    PageMessageRecord notice{};
    notice.code = kPageMessageBox;
    notice.first = id;
    if (owner) SendPageMessage(owner, nullptr, notice);
    return MessageBoxA(owner && IsWindow(owner) ? owner : nullptr, text, title, row->flags);
}

void RegisterMessageCatalogue() { RegisterModuleFactory(kModuleMessage, MakeMessage); }

CmMessage* MessageCatalogue(UIDEVDATA* ctx) {
    CmUserData* user = ctx ? ctx->svc->GetUserData(ctx) : nullptr;
    return user ? dynamic_cast<CmMessage*>(user->GetMessage()) : nullptr;
}
