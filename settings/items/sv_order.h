// Whether an item's value differs from its reference, and the orderings of the registry's item
// containers: texts byte by byte as unsigned characters (a prefix sorts first), items by their
// setting key, number fields by their spin control.
#pragma once

#include "settings/items/sv.h"

class CmSvDigit;

// True when current and reference differ (indices for multiple choice, texts case-sensitively;
// a text item without a reference counts as unchanged); false for any other object.
bool IsChanged(const CmSv* item);

int CompareKeyTexts(const char* a, const char* b);

struct CmSvKeyLess {
    bool operator()(const char* a, const char* b) const { return CompareKeyTexts(a, b) < 0; }
};
struct CmSvItemKeyLess {
    bool operator()(const CmSv* a, const CmSv* b) const { return CompareKeyTexts(a->key, b->key) < 0; }
};
struct CmSvSpinLess {
    bool operator()(const CmSvDigit* a, const CmSvDigit* b) const;
};
