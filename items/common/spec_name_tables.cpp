// The device capability's name tables. The paper table follows the public paper-size codes
// of the device mode (1 "LETTER" to 118 "PENV_10_ROTATED"); the driver's own sizes after them,
// and paper types beyond those named here, are told by their ids ("UNDEFINED" and the id).
#include "items/common/spec_name_tables.h"

#include "core/helpers/bounded_text.h"

#include <cstdio>
#include <cstring>

namespace {

constexpr SpecName kPapers[] = {
    {1, "LETTER"}, {2, "LETTERSMALL"}, {3, "TABLOID"}, {4, "LEDGER"}, {5, "LEGAL"}, {6, "STATEMENT"},
    {7, "EXECUTIVE"}, {8, "A3"}, {9, "A4"}, {10, "A4SMALL"}, {11, "A5"}, {12, "B4"}, {13, "B5"},
    {14, "FOLIO"}, {15, "QUARTO"}, {16, "10X14"}, {17, "11X17"}, {18, "NOTE"}, {19, "ENV_9"}, {20, "ENV_10"},
    {21, "ENV_11"}, {22, "ENV_12"}, {23, "ENV_14"}, {24, "CSHEET"}, {25, "DSHEET"}, {26, "ESHEET"},
    {27, "ENV_DL"}, {28, "ENV_C5"}, {29, "ENV_C3"}, {30, "ENV_C4"}, {31, "ENV_C6"}, {32, "ENV_C65"},
    {33, "ENV_B4"}, {34, "ENV_B5"}, {35, "ENV_B6"}, {36, "ENV_ITALY"}, {37, "ENV_MONARCH"},
    {38, "ENV_PERSONAL"}, {39, "FANFOLD_US"}, {40, "FANFOLD_STD_GERMAN"}, {41, "FANFOLD_LGL_GERMAN"},
    {42, "ISO_B4"}, {43, "JAPANESE_POSTCARD"}, {44, "9X11"}, {45, "10X11"}, {46, "15X11"},
    {47, "ENV_INVITE"}, {48, "RESERVED_48"}, {49, "RESERVED_49"}, {50, "LETTER_EXTRA"}, {51, "LEGAL_EXTRA"},
    {52, "TABLOID_EXTRA"}, {53, "A4_EXTRA"}, {54, "LETTER_TRANSVERSE"}, {55, "A4_TRANSVERSE"},
    {56, "LETTER_EXTRA_TRANSVERSE"}, {57, "A_PLUS"}, {58, "B_PLUS"}, {59, "LETTER_PLUS"}, {60, "A4_PLUS"},
    {61, "A5_TRANSVERSE"}, {62, "B5_TRANSVERSE"}, {63, "A3_EXTRA"}, {64, "A5_EXTRA"}, {65, "B5_EXTRA"},
    {66, "A2"}, {67, "A3_TRANSVERSE"}, {68, "A3_EXTRA_TRANSVERSE"}, {69, "DBL_JAPANESE_POSTCARD"},
    {70, "A6"}, {71, "JENV_KAKU2"}, {72, "JENV_KAKU3"}, {73, "JENV_CHOU3"}, {74, "JENV_CHOU4"},
    {75, "LETTER_ROTATED"}, {76, "A3_ROTATED"}, {77, "A4_ROTATED"}, {78, "A5_ROTATED"},
    {79, "B4_JIS_ROTATED"}, {80, "B5_JIS_ROTATED"}, {81, "JAPANESE_POSTCARD_ROTATED"},
    {82, "DBL_JAPANESE_POSTCARD_ROTATED"}, {83, "A6_ROTATED"}, {84, "JENV_KAKU2_ROTATED"},
    {85, "JENV_KAKU3_ROTATED"}, {86, "JENV_CHOU3_ROTATED"}, {87, "JENV_CHOU4_ROTATED"}, {88, "B6_JIS"},
    {89, "B6_JIS_ROTATED"}, {90, "12X11"}, {91, "JENV_YOU4"}, {92, "JENV_YOU4_ROTATED"}, {93, "P16K"},
    {94, "P32K"}, {95, "P32KBIG"}, {96, "PENV_1"}, {97, "PENV_2"}, {98, "PENV_3"}, {99, "PENV_4"},
    {100, "PENV_5"}, {101, "PENV_6"}, {102, "PENV_7"}, {103, "PENV_8"}, {104, "PENV_9"}, {105, "PENV_10"},
    {106, "P16K_ROTATED"}, {107, "P32K_ROTATED"}, {108, "P32KBIG_ROTATED"}, {109, "PENV_1_ROTATED"},
    {110, "PENV_2_ROTATED"}, {111, "PENV_3_ROTATED"}, {112, "PENV_4_ROTATED"}, {113, "PENV_5_ROTATED"},
    {114, "PENV_6_ROTATED"}, {115, "PENV_7_ROTATED"}, {116, "PENV_8_ROTATED"}, {117, "PENV_9_ROTATED"},
    {118, "PENV_10_ROTATED"},
};

constexpr SpecName kPaperTypes[] = {
    {0, "PRINTERDEFAULT"}, {1, "PREPRINTED"}, {2, "PLANE"}, {3, "THICKNESS"}, {4, "TRANSPARENCY"},
    {5, "COATED"}, {6, "PLANEL"}, {7, "THICKNESSH"}, {8, "FLIMSY"}, {9, "RECYCLED"}, {10, "LETTERHEAD"},
    {11, "ROUGH"}, {12, "LABELS"}, {13, "CARDSTOCK"}, {14, "TRACING"}, {15, "ENVELOPE"}, {16, "POSTCARD"},
    {17, "COLOR"}, {18, "BOND"}, {23, "GLOSSYPAPER"}, {24, "GLOSSYFILM"}, {25, "JAPANESEPAPER"},
    {95, "COATED_D7"},
};

constexpr SpecName kFolds[] = {
    {0, "NONE"}, {1, "ZFOLD"}, {2, "SADDLE"}, {3, "DOUBLEGATE"}, {4, "LEFTGATE"}, {5, "RIGHTGATE"},
    {6, "LETTERFOLD"}, {7, "XFOLD"}, {8, "CFOLD"},
};

constexpr SpecName kHalfTones[] = {
    {0, "PRINTERDEFAULT"}, {1, "RESOLUTION"}, {2, "GRADATION"}, {4, "TONE"}, {5, "NONE"}, {6, "SOLID"},
    {7, "TBIC"}, {8, "HIGHRESOLUTION"}, {9, "ERRORDIFFUSION"}, {11, "PATTERN1"}, {12, "PATTERN2"},
};

constexpr SpecName kMemorySizes[] = {
    {0, "0MB"}, {1024000, "1MB"}, {2048000, "2MB"}, {4096000, "4MB"}, {8192000, "8MB"}, {12288000, "12MB"},
    {16384000, "16MB"}, {20480000, "20MB"}, {24576000, "24MB"}, {28672000, "28MB"}, {32768000, "32MB"},
    {36864000, "36MB"}, {40960000, "40MB"}, {49152000, "48MB"}, {57344000, "56MB"}, {65536000, "64MB"},
    {81920000, "80MB"}, {98304000, "96MB"}, {131072000, "128MB"}, {262144000, "256MB"},
};

constexpr SpecName kDefaultOffOn[] = {{0, "PRINTERDEFAULT"}, {1, "OFF"}, {2, "ON"}};

}  // namespace

std::span<const SpecName> PaperNames() { return kPapers; }
std::span<const SpecName> PaperTypeNames() { return kPaperTypes; }
std::span<const SpecName> FoldNames() { return kFolds; }
std::span<const SpecName> HalfToneNames() { return kHalfTones; }
std::span<const SpecName> MemorySizeNames() { return kMemorySizes; }
std::span<const SpecName> DefaultOffOnNames() { return kDefaultOffOn; }

const char* SpecNameOf(std::span<const SpecName> table, uint32_t id) {
    for (const SpecName& row : table)
        if (row.id == id) return row.name;
    return nullptr;
}

bool SpecIdOf(std::span<const SpecName> table, const char* name, uint32_t& id) {
    if (!name) return false;
    for (const SpecName& row : table)
        if (std::strcmp(row.name, name) == 0) {
            id = row.id;
            return true;
        }
    return false;
}

void NameRow(std::span<const SpecName> table, uint32_t id, char (&block)[32]) {
    // A known name is copied as a print of it would be, cut to the block; the print itself cost
    // more than the rest of a device list's start.
    if (const char* name = SpecNameOf(table, id)) {
        const std::size_t length = BoundedLength(name, sizeof block - 1);
        std::memcpy(block, name, length);
        block[length] = '\0';
    } else
        std::snprintf(block, sizeof block, "UNDEFINED%u", static_cast<unsigned>(id));
}
