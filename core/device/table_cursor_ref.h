// Opens one of the core's table cursors for the length of a question and releases it on every
// path out of it.
#pragma once

#include "core/device/service_table.h"

template <typename Cursor>
class TableCursorRef {
public:
    TableCursorRef(UIDEVDATA* ctx, int kind) {
        void* out = nullptr;
        if (ctx && ctx->svc && ctx->svc->Query(ctx, kind, 0, &out)) cursor_ = static_cast<Cursor*>(out);
    }
    ~TableCursorRef() {
        if (cursor_) cursor_->Release();
    }
    TableCursorRef(const TableCursorRef&) = delete;
    TableCursorRef& operator=(const TableCursorRef&) = delete;

    Cursor* operator->() const { return cursor_; }
    explicit operator bool() const { return cursor_ != nullptr; }

private:
    Cursor* cursor_ = nullptr;
};
