// The media-type and paper-source name tables.
#include "items/common/source_tables.h"

namespace {

constexpr CmSvOptionRecord Media(const char* name, int32_t value) {
    return CmSvOptionRecord{name, nullptr, value, 0, 0, 0, 0, 0, 0, nullptr, 0, 0, 0};
}

}  // namespace

const CmSvOptionRecord kMediaTypeTable[kMediaTypeCount] = {
    Media("PANEL", 0),         Media("PREPRINTED", 1),   Media("PLANE", 2),         Media("RECYCLED", 9),
    Media("COLOR", 17),        Media("LETTERHEAD", 10),  Media("ROUGH", 11),        Media("FLIMSY", 8),
    Media("THICKNESS", 3),     Media("TRANSPARENCY", 4), Media("LABELS", 12),       Media("TRACING", 14),
    Media("POSTCARD", 16),     Media("ENVELOPE", 15),    Media("COATED", 5),        Media("CARDSTOCK", 13),
    Media("PLANEL", 6),        Media("THICKNESSH", 7),   Media("GLOSSYPAPER", 23),  Media("GLOSSYFILM", 24),
    Media("JAPANESEPAPER", 25),
};

const char* MediaTypeName(int32_t value) {
    for (const CmSvOptionRecord& row : kMediaTypeTable)
        if (row.value == value) return row.name;
    return nullptr;
}

const PaperSourceName kPaperSourceNames[kPaperSourceNameCount + 1] = {
    {1, "CASSETTE1"},      {3, "CASSETTE2"},     {2, "CASSETTE3"},        {264, "CASSETTE4"},
    {265, "CASSETTE5"},    {266, "CASSETTE6"},   {267, "CASSETTE7"},      {268, "CASSETTE8"},
    {269, "CASSETTE9"},    {1, "ONLYONE"},       {4, "MANUAL"},           {5, "ENVELOPE"},
    {6, "ENVMANUAL"},      {7, "AUTO"},          {8, "TRACTOR"},          {9, "SMALLFMT"},
    {10, "LARGEFMT"},      {11, "LARGECAPACITY"}, {14, "CASSETTE"},       {15, "FORMSOURCE"},
    {256, "USER"},         {270, "MPTRAY"},      {400, "ROLLONLYONE"},    {400, "ROLLUPPER"},
    {401, "ROLLLOWER"},    {402, "ROLLMIDDLE"},  {403, "ROLLUPPER_NM"},   {404, "ROLLLOWER_NM"},
    {405, "ROLLMIDDLE_NM"}, {406, "AUTO_NM"},    {407, "ROLLBANNER"},     {500, "PAPERTYPE"},
    {0, nullptr},
};

const char* PaperSourceNameOf(uint16_t id) {
    for (const PaperSourceName* row = kPaperSourceNames; row->name; ++row)
        if (row->id == id) return row->name;
    return nullptr;
}
