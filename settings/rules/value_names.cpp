// The 22 value-name tables of the capability facts, in the order their pairs are searched. The
// paper table is not in numeric order (4600 sits between 4513 and 4515) and the paper-source
// table holds duplicate values on purpose: lookups are linear and the first pair wins.
#include "settings/rules/value_names.h"

namespace valuenames {

const ValueName kEngineType[] = {
    {2, "QRT"}, {4, "XK"},
    {0, nullptr},
};
const ValueName kOnOff[] = {
    {0, "OFF"}, {1, "ON"},
    {0, nullptr},
};
const ValueName kState[] = {
    {0, "DISABLE"}, {1, "OFF"}, {2, "ON"},
    {0, nullptr},
};
const ValueName kStorage[] = {
    {0, "NONE"}, {1, "FLASH"}, {3, "HDD"},
    {0, nullptr},
};
const ValueName kPageProtect[] = {
    {0, "PRINTERDEFAULT"}, {1, "OFF"}, {2, "ON"}, {3, "AUTO"}, {4, "SPECIAL"},
    {0, nullptr},
};
const ValueName kColorSpace[] = {
    {0, "NONE"}, {1, "RGB"}, {2, "GRAY"}, {3, "CMYK"}, {4, "CMY"},
    {0, nullptr},
};
const ValueName kBaceColorSpace[] = {
    {20052, "NTSC"}, {29522, "sRGB"},
    {0, nullptr},
};
const ValueName kColorSwitch[] = {
    {0, "NONE"}, {1, "AUTO"}, {2, "JOB"}, {3, "PAGE"},
    {0, nullptr},
};
const ValueName kDefaultResoUnit[] = {
    {1, "DPI"}, {2, "INCH"}, {3, "MM"},
    {0, nullptr},
};
const ValueName kPixelDepth[] = {
    {0, "PRINTERDEFAULT"}, {1, "STANDARD"}, {2, "HIGH"}, {4, "HIGH2"},
    {0, nullptr},
};
const ValueName kLayout[] = {
    {0, "NONE"}, {1, "STRETCH"}, {2, "ZOOM"}, {3, "FIT"}, {4, "UP2"}, {5, "UP4"}, {6, "UP6"},
    {7, "UP8"}, {8, "UP9"}, {9, "UP16"}, {16, "TWICE"},
    {0, nullptr},
};
const ValueName kStapleLocation[] = {
    {0, "NONE"}, {1, "AUTO"}, {2, "1"}, {3, "2"}, {4, "LE"}, {5, "SE"}, {6, "LE2"}, {7, "SE2"},
    {9, "TL"}, {10, "TC"}, {11, "TR"}, {12, "ML"}, {13, "MC"}, {14, "MR"}, {15, "BL"}, {16, "BC"},
    {17, "BR"}, {18, "TL2"}, {19, "TC2"}, {20, "TR2"}, {21, "ML2"}, {22, "MC2"}, {23, "MR2"},
    {24, "BL2"}, {25, "BC2"}, {26, "BR2"},
    {0, nullptr},
};
const ValueName kFN_FoldsID[] = {
    {0, "NONE"}, {1, "ZFOLD"}, {2, "SADDLE"}, {3, "DOUBLEGATE"}, {4, "LEFTGATE"}, {5, "RIGHTGATE"},
    {6, "LETTERFOLD"}, {7, "XFOLD"}, {8, "CFOLD"},
    {0, nullptr},
};
const ValueName kPaper[] = {
    {1, "LETTER"}, {2, "LETTERSMALL"}, {3, "TABLOID"}, {4, "LEDGER"}, {5, "LEGAL"},
    {6, "STATEMENT"}, {7, "EXECUTIVE"}, {8, "A3"}, {9, "A4"}, {10, "A4SMALL"}, {11, "A5"},
    {12, "B4"}, {13, "B5"}, {14, "FOLIO"}, {15, "QUARTO"}, {16, "P10X14"}, {17, "P11X17"},
    {18, "NOTE"}, {19, "ENV_9"}, {20, "ENV_10"}, {21, "ENV_11"}, {22, "ENV_12"}, {23, "ENV_14"},
    {24, "CSHEET"}, {25, "DSHEET"}, {26, "ESHEET"}, {27, "ENV_DL"}, {28, "ENV_C5"}, {29, "ENV_C3"},
    {30, "ENV_C4"}, {31, "ENV_C6"}, {32, "ENV_C65"}, {33, "ENV_B4"}, {34, "ENV_B5"}, {35, "ENV_B6"},
    {36, "ENV_ITALY"}, {37, "ENV_MONARCH"}, {38, "ENV_PERSONAL"}, {39, "FANFOLD_US"},
    {40, "FANFOLD_STD_GERMAN"}, {41, "FANFOLD_LGL_GERMAN"}, {42, "ISO_B4"},
    {43, "JAPANESE_POSTCARD"}, {44, "P9X11"}, {45, "P10X11"}, {46, "P15X11"}, {47, "ENV_INVITE"},
    {48, "RESERVED_48"}, {49, "RESERVED_49"}, {50, "LETTER_EXTRA"}, {51, "LEGAL_EXTRA"},
    {52, "TABLOID_EXTRA"}, {53, "A4_EXTRA"}, {54, "LETTER_TRANSVERSE"}, {55, "A4_TRANSVERSE"},
    {56, "LETTER_EXTRA_TRANSVERSE"}, {57, "A_PLUS"}, {58, "B_PLUS"}, {59, "LETTER_PLUS"},
    {60, "A4_PLUS"}, {61, "A5_TRANSVERSE"}, {62, "B5_TRANSVERSE"}, {63, "A3_EXTRA"},
    {64, "A5_EXTRA"}, {65, "B5_EXTRA"}, {66, "A2"}, {67, "A3_TRANSVERSE"},
    {68, "A3_EXTRA_TRANSVERSE"}, {69, "DBL_JAPANESE_POSTCARD"}, {70, "A6"}, {71, "JENV_KAKU2"},
    {72, "JENV_KAKU3"}, {73, "JENV_CHOU3"}, {74, "JENV_CHOU4"}, {75, "LETTER_ROTATED"},
    {76, "A3_ROTATED"}, {77, "A4_ROTATED"}, {78, "A5_ROTATED"}, {79, "B4_JIS_ROTATED"},
    {80, "B5_JIS_ROTATED"}, {81, "JAPANESE_POSTCARD_ROTATED"},
    {82, "DBL_JAPANESE_POSTCARD_ROTATED"}, {83, "A6_ROTATED"}, {84, "JENV_KAKU2_ROTATED"},
    {85, "JENV_KAKU3_ROTATED"}, {86, "JENV_CHOU3_ROTATED"}, {87, "JENV_CHOU4_ROTATED"},
    {88, "B6_JIS"}, {89, "B6_JIS_ROTATED"}, {90, "P12X11"}, {91, "JENV_YOU4"},
    {92, "JENV_YOU4_ROTATED"}, {93, "P16K"}, {94, "P32K"}, {95, "P32KBIG"}, {96, "PENV_1"},
    {97, "PENV_2"}, {98, "PENV_3"}, {99, "PENV_4"}, {100, "PENV_5"}, {101, "PENV_6"},
    {102, "PENV_7"}, {103, "PENV_8"}, {104, "PENV_9"}, {105, "PENV_10"}, {106, "P16K_ROTATED"},
    {107, "P32K_ROTATED"}, {108, "P32KBIG_ROTATED"}, {109, "PENV_1_ROTATED"},
    {110, "PENV_2_ROTATED"}, {111, "PENV_3_ROTATED"}, {112, "PENV_4_ROTATED"},
    {113, "PENV_5_ROTATED"}, {114, "PENV_6_ROTATED"}, {115, "PENV_7_ROTATED"},
    {116, "PENV_8_ROTATED"}, {117, "PENV_9_ROTATED"}, {118, "PENV_10_ROTATED"}, {256, "USER"},
    {260, "HAGAKI"}, {261, "FUUTOU"}, {262, "FUUTOUY2"}, {263, "FUUTOUK2"}, {264, "DBLHAGAKI"},
    {4300, "FOUR_JAPANESE_POSTCARD"}, {4310, "RA0"}, {4311, "RA1"}, {4312, "RA2"}, {4313, "RA3"},
    {4314, "RA4"}, {4315, "SRA0"}, {4316, "SRA1"}, {4317, "SRA2"}, {4318, "SRA3"}, {4319, "SRA4"},
    {4320, "ARCH_D_EXTRA"}, {4322, "ARCH_C_EXTRA"}, {4323, "ARCH_B_EXTRA"}, {4324, "ARCH_A_EXTRA"},
    {4327, "GBT_8K"}, {4328, "GBT_16K"}, {4400, "LEGAL_ROTATED"}, {4401, "A0"},
    {4402, "A0_ROTATED"}, {4403, "A1"}, {4404, "A1_ROTATED"}, {4405, "A2_ROTATED"},
    {4406, "A3_PLUS"}, {4407, "A3_PLUS_ROTATED"}, {4408, "B0"}, {4409, "B0_ROTATED"}, {4410, "B1"},
    {4411, "B1_ROTATED"}, {4412, "B2"}, {4413, "B2_ROTATED"}, {4414, "B3"}, {4415, "B3_ROTATED"},
    {4416, "ISO_B0"}, {4417, "ISO_B0_ROTATED"}, {4418, "ISO_B1"}, {4419, "ISO_B1_ROTATED"},
    {4420, "ISO_B2"}, {4421, "ISO_B2_ROTATED"}, {4422, "ISO_B3"}, {4423, "ISO_B3_ROTATED"},
    {4424, "ISO_B4_ROTATED"}, {4425, "ISO_B5"}, {4426, "ISO_B5_ROTATED"}, {4427, "ESHEET_ROTATED"},
    {4428, "FSHEET"}, {4429, "FSHEET_ROTATED"}, {4430, "DSHEET_ROTATED"}, {4431, "CSHEET_ROTATED"},
    {4432, "BSHEET_EXTRA"}, {4433, "BSHEET_EXTRA_ROTATED"}, {4434, "ARCH_E"},
    {4435, "ARCH_E_ROTATED"}, {4436, "ARCH_E1"}, {4437, "ARCH_E1_ROTATED"}, {4438, "ARCH_E2"},
    {4439, "ARCH_E2_ROTATED"}, {4440, "ARCH_E3"}, {4441, "ARCH_E3_ROTATED"}, {4442, "ARCH_D"},
    {4443, "ARCH_D_ROTATED"}, {4444, "ARCH_C"}, {4445, "ARCH_C_ROTATED"}, {4446, "ARCH_B"},
    {4447, "ARCH_B_ROTATED"}, {4448, "ARCH_A"}, {4449, "ARCH_A_ROTATED"}, {4450, "C1"},
    {4451, "C1_ROTATED"}, {4452, "C2"}, {4453, "C2_ROTATED"}, {4454, "C3"}, {4455, "C3_ROTATED"},
    {4456, "C4"}, {4457, "C4_ROTATED"}, {4458, "P20X30"}, {4459, "P20X30_ROTATED"},
    {4460, "P30X40"}, {4461, "P30X40_ROTATED"}, {4462, "JENV_YOU6"}, {4463, "A4_PERFS"},
    {4464, "LETTER_PERFS"}, {4465, "PHOTO_CARD"}, {4466, "INDEX_8x10"}, {4467, "PHOTO_4X6"},
    {4468, "PHOTO_L"}, {4469, "PHOTO_L2"}, {4470, "LETTER_MINI"}, {4471, "PHOTO_6x8"},
    {4472, "A4_NM"}, {4473, "A5_NM"}, {4474, "PHOTO_4X6_NM"}, {4475, "PHOTO_L_NM"},
    {4476, "PHOTO_L2_NM"}, {4477, "INDEX_8x10_NM"}, {4478, "INDEX_CDJACKET"},
    {4479, "INDEX_CDBOOKLET"}, {4480, "P13x22"}, {4481, "P13x22_ROTATED"}, {4482, "C0"},
    {4483, "C0_ROTATED"}, {4484, "P42X60"}, {4485, "P44X62"}, {4486, "SPECIALM"},
    {4487, "SPECIALM_ROTATED"}, {4488, "SPECIALS"}, {4489, "SPECIALS_ROTATED"},
    {4490, "INDEX_8X10_ROTATED"}, {4491, "PHOTO_10X12"}, {4492, "PHOTO_10X12_ROTATED"},
    {4493, "PHOTO_14X17"}, {4494, "PHOTO_14X17_ROTATED"}, {4495, "PHOTO_18X22"},
    {4496, "PHOTO_18X22_ROTATED"}, {4497, "PHOTO_20X24"}, {4498, "PHOTO_20X24_ROTATED"},
    {4500, "INDEX_8X10_ROTATED_NM"}, {4501, "PHOTO_10X12_NM"}, {4502, "PHOTO_14X17_NM"},
    {4503, "PHOTO_20X24_NM"}, {4504, "PHOTO_20X24_ROTATED_NM"}, {4505, "B2_NM"}, {4506, "B3_NM"},
    {4507, "B3_ROTATED_NM"}, {4508, "ARCH_D_NM"}, {4509, "ARCH_C_NM"}, {4510, "ARCH_C_ROTATED_NM"},
    {4511, "PHOTO_10X15"}, {4513, "PHOTO_16X20"}, {4600, "INDEX_3X5"}, {4515, "PHOTO_12X16"},
    {4516, "P50X70"}, {4517, "P54X76"}, {4518, "P60X84"}, {4519, "B300X900"}, {4520, "P17X24"},
    {0, nullptr},
};
const ValueName kPaperSource[] = {
    {1, "CASSETTE1"}, {3, "CASSETTE2"}, {2, "CASSETTE3"}, {264, "CASSETTE4"}, {265, "CASSETTE5"},
    {266, "CASSETTE6"}, {267, "CASSETTE7"}, {268, "CASSETTE8"}, {269, "CASSETTE9"}, {1, "ONLYONE"},
    {4, "MANUAL"}, {5, "ENVELOPE"}, {6, "ENVMANUAL"}, {7, "AUTO"}, {8, "TRACTOR"}, {9, "SMALLFMT"},
    {10, "LARGEFMT"}, {11, "LARGECAPACITY"}, {14, "CASSETTE"}, {15, "FORMSOURCE"}, {256, "USER"},
    {270, "MPTRAY"}, {400, "ROLLONLYONE"}, {400, "ROLLUPPER"}, {401, "ROLLLOWER"},
    {402, "ROLLMIDDLE"}, {403, "ROLLUPPER_NM"}, {404, "ROLLLOWER_NM"}, {405, "ROLLMIDDLE_NM"},
    {406, "AUTO_NM"}, {407, "ROLLBANNER"}, {500, "PAPERTYPE"},
    {0, nullptr},
};
const ValueName kPaperType[] = {
    {0, "PRINTERDEFAULT"}, {1, "PREPRINTED"}, {2, "PLANE"}, {3, "THICKNESS"}, {4, "TRANSPARENCY"},
    {5, "COATED"}, {6, "PLANEL"}, {7, "THICKNESSH"}, {8, "FLIMSY"}, {9, "RECYCLED"},
    {10, "LETTERHEAD"}, {11, "ROUGH"}, {12, "LABELS"}, {13, "CARDSTOCK"}, {14, "TRACING"},
    {15, "ENVELOPE"}, {16, "POSTCARD"}, {17, "COLOR"}, {18, "BOND"}, {19, "PLANE2"},
    {20, "EXTRAHEAVYCARDSTACK"}, {21, "PREPANCHED"}, {22, "INDEXTAB"}, {23, "GLOSSYPAPER"},
    {24, "GLOSSYFILM"}, {25, "JAPANESEPAPER"}, {26, "LETTERHEAD_PLAIN"}, {27, "CUSTOM1"},
    {28, "CUSTOM2"}, {29, "CUSTOM3"}, {30, "CUSTOM4"}, {31, "CUSTOM5"}, {32, "CUSTOM6"},
    {33, "OTHER"}, {34, "PASTEBOARD"}, {35, "PASTEBOARD_2"}, {36, "PASTEBOARD_3"},
    {37, "PASTEBOARD_4"}, {38, "PASTEBOARD_5"}, {39, "BOND_2"}, {40, "BOND_3"}, {41, "BOND_4"},
    {42, "BOND_5"}, {43, "INDEXTAB_2"}, {44, "INDEXTAB_3"}, {45, "INDEXTAB_4"}, {46, "INDEXTAB_5"},
    {47, "LETTERHEAD_2"}, {48, "LETTERHEAD_3"}, {49, "LETTERHEAD_4"}, {50, "LETTERHEAD_5"},
    {51, "TRANSPARENCY_QUICKDRY"}, {52, "POSTCARD_IJ"}, {53, "POSTCARD_MATTECT"},
    {54, "POSTCARD_SEMIGLOSSCT"}, {55, "POSTCARD_GLOSSCT"}, {56, "COATED_MATTECT"},
    {57, "COATED_SEMIGLOSSCT"}, {58, "COATED_GLOSSCT"}, {59, "PHOTO_MATTECT"},
    {60, "PHOTO_SEMIGLOSSCT"}, {61, "PHOTO_GLOSSCT"}, {62, "PHOTO_GLOSSCT_SUPER"},
    {63, "PHOTO_GLOSSCT_PRO"}, {64, "PASTEBOARD_6"}, {65, "PASTEBOARD_7"}, {66, "RECYCLED_2"},
    {67, "RECYCLED_3"}, {68, "RECYCLED_4"}, {69, "RECYCLED_5"}, {70, "RECYCLED_6"},
    {71, "RECYCLED_7"}, {72, "EMBOSSED_1"}, {73, "EMBOSSED_2"}, {74, "EMBOSSED_3"},
    {75, "EMBOSSED_4"}, {76, "EMBOSSED_5"}, {77, "EMBOSSED_6"}, {78, "EMBOSSED_7"},
    {79, "VELLUM_1"}, {80, "VELLUM_2"}, {81, "PREPANCHED_2"}, {82, "COATED_S1"}, {83, "COATED_S2"},
    {84, "COATED_S3"}, {85, "COATED_S4"}, {86, "COATED_S5"}, {87, "COATED_S6"}, {88, "COATED_S7"},
    {89, "COATED_D1"}, {90, "COATED_D2"}, {91, "COATED_D3"}, {92, "COATED_D4"}, {93, "COATED_D5"},
    {94, "COATED_D6"}, {95, "COATED_D7"},
    {0, nullptr},
};
const ValueName kTonerSave[] = {
    {0, "PRINTERDEFAULT"}, {1, "OFF"}, {2, "ON"},
    {0, nullptr},
};
const ValueName kSmoothingMode[] = {
    {0, "PRINTERDEFAULT"}, {1, "OFF"}, {2, "ON"},
    {0, nullptr},
};
const ValueName kHalfTone[] = {
    {0, "PRINTERDEFAULT"}, {1, "RESOLUTION"}, {2, "GRADATION"}, {4, "TONE"}, {5, "NONE"},
    {6, "SOLID"}, {7, "TBIC"}, {8, "HIGHRESOLUTION"}, {9, "ERRORDIFFUSION"}, {11, "PATTERN1"},
    {12, "PATTERN2"},
    {0, nullptr},
};
const ValueName kDefaultFace[] = {
    {0, "PRINTERDEFAULT"}, {1, "FACEDOWN"}, {2, "FACEUP"},
    {0, nullptr},
};
const ValueName kGrayout[] = {
    {0, "PRINTERDEFAULT"}, {1, "TEXTGRAPHIC"}, {2, "TEXT"}, {3, "OFF"}, {4, "DEFAULT"},
    {5, "GRAPHIC"}, {6, "IMAGE"}, {7, "TEXTIMAGE"}, {8, "GRAPHICIMAGE"}, {9, "ALL"},
    {0, nullptr},
};
const ValueName kLocale[] = {
    {1041, "JAPANESE"}, {7177, "ENGLISHSA"}, {5129, "ENGLISHNZ"}, {4105, "ENGLISHCAN"},
    {3081, "ENGLISHAUS"}, {6153, "ENGLISHEIR"}, {1033, "ENGLISHUS"}, {2057, "ENGLISHUK"},
    {2070, "PORTUGUESE"}, {1046, "PORTUGUESEBRA"}, {1036, "FRENCH"}, {5132, "FRENCHLUX"},
    {2060, "FRENCHBEL"}, {4108, "FRENCHSW"}, {3084, "FRENCHCAN"}, {1035, "FINNISH"},
    {1069, "BASQUE"}, {1044, "NORWEGIAN"}, {2068, "NORWEGIANNYN"}, {1031, "GERMAN"},
    {4103, "GERMANLUX"}, {5127, "GERMANLIE"}, {2055, "GERMANSW"}, {3079, "GERMANAUS"},
    {1030, "DANISH"}, {1034, "SPANISH"}, {3082, "SPANISHMOD"}, {2058, "SPANISHMEX"},
    {1053, "SWEDISH"}, {1027, "CATALAN"}, {1043, "DUTCH"}, {2067, "DUTCHBEL"}, {1057, "INDONESIAN"},
    {1040, "ITALIAN"}, {2064, "ITALIANSW"}, {1078, "AFRIKAANS"}, {1039, "ICELANDIC"},
    {1042, "KOREAN"}, {1028, "CHINESETRA"}, {2052, "CHINESESIM"}, {3076, "CHINESEHNG"},
    {4100, "CHINESESNG"}, {5124, "CHINESEMAC"}, {1049, "RUSSIAN"}, {1054, "THAI"}, {1045, "POLISH"},
    {1066, "VIETNAMESE"}, {1038, "HUNGARIAN"}, {1029, "CZECH"}, {1055, "TURKISH"},
    {0, nullptr},
};

namespace {
constexpr NamedTable kAll[] = {
    {"EngineType", kEngineType}, {"OnOff", kOnOff}, {"State", kState}, {"Storage", kStorage},
    {"PageProtect", kPageProtect}, {"ColorSpace", kColorSpace}, {"BaceColorSpace", kBaceColorSpace},
    {"ColorSwitch", kColorSwitch}, {"DefaultResoUnit", kDefaultResoUnit}, {"PixelDepth", kPixelDepth},
    {"Layout", kLayout}, {"StapleLocation", kStapleLocation}, {"FN_FoldsID", kFN_FoldsID}, {"Paper", kPaper},
    {"PaperSource", kPaperSource}, {"PaperType", kPaperType}, {"TonerSave", kTonerSave},
    {"SmoothingMode", kSmoothingMode}, {"HalfTone", kHalfTone}, {"DefaultFace", kDefaultFace},
    {"Grayout", kGrayout}, {"Locale", kLocale},
};
}  // namespace

std::span<const NamedTable> AllTables() { return kAll; }

}  // namespace valuenames

const char* FindValueName(const ValueName* table, int32_t value) {
    for (const ValueName* pair = table; pair && pair->name; ++pair)
        if (pair->value == value) return pair->name;
    return nullptr;
}

size_t CountValueNames(const ValueName* table) {
    size_t count = 0;
    for (const ValueName* pair = table; pair && pair->name; ++pair) ++count;
    return count;
}
