// The standard paper table, sorted by code.
#include "core/datafile/paper_sizes.h"

#include <algorithm>
#include <iterator>

namespace {

constexpr StandardPaper kPapers[] = {
    {1, "Letter", 2159, 2794},          {3, "Tabloid", 2794, 4318},     {4, "Ledger", 4318, 2794},
    {5, "Legal", 2159, 3556},           {6, "Statement", 1397, 2159},   {7, "Executive", 1842, 2667},
    {8, "A3", 2970, 4200},              {9, "A4", 2100, 2970},          {11, "A5", 1480, 2100},
    {12, "B4 (JIS)", 2570, 3640},       {13, "B5 (JIS)", 1820, 2570},   {14, "Folio", 2159, 3302},
    {19, "Envelope #9", 984, 2254},     {20, "Envelope #10", 1048, 2413}, {27, "Envelope DL", 1100, 2200},
    {28, "Envelope C5", 1620, 2290},    {31, "Envelope C6", 1140, 1620}, {34, "Envelope B5", 1760, 2500},
    {37, "Envelope Monarch", 984, 1905}, {43, "Japanese Postcard", 1000, 1480}, {70, "A6", 1050, 1480},
};

static_assert(std::is_sorted(std::begin(kPapers), std::end(kPapers),
                             [](const StandardPaper& a, const StandardPaper& b) { return a.code < b.code; }));

}  // namespace

const StandardPaper* FindStandardPaper(uint16_t code) {
    auto it = std::lower_bound(std::begin(kPapers), std::end(kPapers), code,
                               [](const StandardPaper& p, uint16_t c) { return p.code < c; });
    return it != std::end(kPapers) && it->code == code ? it : nullptr;
}

const StandardPaper* FindStandardPaperByName(const char* name) {
    if (!name) return nullptr;
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    for (const StandardPaper& paper : kPapers) {
        size_t i = 0;
        while (paper.name[i] && lower(paper.name[i]) == lower(name[i])) ++i;
        if (!paper.name[i] && !name[i]) return &paper;
    }
    return nullptr;
}
