// Change test and orderings of items.
#include "settings/items/sv_order.h"

#include "settings/controls/digit.h"
#include "settings/items/sv_parts.h"

#include <cstring>

bool IsChanged(const CmSv* item) {
    if (!item) return false;
    switch (item->type) {
    case kSvTypeOnOff:
        if (auto* v = OnOffOf(item)) return v->current != v->reference;
        return false;
    case kSvTypeMulti:
        if (auto* v = MultiOf(item)) return v->current != v->reference;
        return false;
    case kSvTypeNumeric:
        if (auto* v = NumericOf(item)) return v->current != v->reference;
        return false;
    case kSvTypeString:
        if (auto* v = StringOf(item))
            return v->current && v->reference && std::strcmp(v->current, v->reference) != 0;
        return false;
    default:
        return false;
    }
}

int CompareKeyTexts(const char* a, const char* b) {
    if (!a || !b) return a == b ? 0 : (a ? 1 : -1);
    const auto* x = reinterpret_cast<const unsigned char*>(a);
    const auto* y = reinterpret_cast<const unsigned char*>(b);
    while (*x && *x == *y) ++x, ++y;
    return *x < *y ? -1 : (*x > *y ? 1 : 0);
}

bool CmSvSpinLess::operator()(const CmSvDigit* a, const CmSvDigit* b) const { return a->spinId < b->spinId; }
