// The rows of a list whose rows differ by the page's orientation (the binding edges): one row
// table per orientation, and the texts the list loaded for each, kept so that turning the page
// back and forth loads each text once. The rules turn the rows with "PORTRAIT" or "LANDSCAPE";
// the rows also follow the sheet's settings themselves.
#pragma once

#include "core/device/uidevdata.h"
#include "items/common/item_links.h"
#include "settings/items/sv_multi.h"

#include <algorithm>
#include <cstdint>

// The words the rules and the registry keep on a row (shown, enabled, their change marks, the
// device's availability), carried over when the row is replaced by its other orientation's.
inline void KeepRuleWords(CmSvOptionRecord& row, const CmSvOptionRecord& from) {
    row.shown = from.shown;
    row.enabled = from.enabled;
    row.shown_changed = from.shown_changed;
    row.enabled_changed = from.enabled_changed;
    row.available = from.available;
}

template <uint32_t N>
class OrientedRows {
public:
    OrientedRows(const CmSvOptionRecord (&portrait)[N], const CmSvOptionRecord (&landscape)[N])
        : tables_{portrait, landscape} {}

    // Puts that orientation's rows in the item.
    void Install(CmSvMulti& item, bool landscape) {
        if (haveRows_)
            for (uint32_t i = 0; i < N; ++i) texts_[landscape_][i] = rows_[i].display_text;
        std::copy(tables_[landscape], tables_[landscape] + N, rows_);
        for (uint32_t i = 0; i < N; ++i) rows_[i].display_text = texts_[landscape][i];
        haveRows_ = true;
        landscape_ = landscape;
        item.UseTable(rows_, N);
    }

    // That orientation's rows, once rows are in and another orientation's are in use: the rules'
    // shown and enabled words stay with their rows, and the value stays; 1 when they changed.
    int Follow(CmSvMulti& item, bool landscape) {
        if (!haveRows_ || landscape_ == landscape) return 0;
        CmSvOptionRecord before[N];
        std::copy(rows_, rows_ + N, before);
        const CmSvOptionRecord* row = item.CurrentRow();
        const int32_t value = row ? row->value : 0;
        const bool hadRow = row != nullptr;
        Install(item, landscape);
        for (uint32_t i = 0; i < N; ++i) KeepRuleWords(rows_[i], before[i]);
        if (const uint32_t found = item.FindValue(value); hadRow && found < item.count) item.current = found;
        return 1;
    }

    // ("PORTRAIT" or "LANDSCAPE") once rows are in: that orientation's rows, the value reloaded
    // from the sheet's settings; 0 for any other request.
    int Turn(CmSvMulti& item, UIDEVDATA* ctx, int argumentCount, const char* const* arguments, PieValue* out) {
        if (!haveRows_ || argumentCount != 1 || !arguments) return 0;
        const bool portrait = Named(arguments[0], "PORTRAIT");
        if (!portrait && !Named(arguments[0], "LANDSCAPE")) return 0;
        Install(item, !portrait);
        if (const uint8_t* settings = SheetSettingsOf(ctx)) item.Load(ctx, settings);
        return AnswerChangedChoice(item, out);
    }

private:
    const CmSvOptionRecord* tables_[2];
    CmSvOptionRecord rows_[N] = {};
    char* texts_[2][N] = {};
    bool haveRows_ = false;
    bool landscape_ = false;
};
