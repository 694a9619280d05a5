// The table of the device capability record: every field a data file may set, every list
// and text the record points to. Offsets are the record's own (little-endian, fixed), so the
// items that read "byte 0x7fe" and the loader that writes it agree by construction.
#include "core/datafile/device_data_layout.h"

#include <algorithm>

namespace devicedata {

namespace {

constexpr FieldInfo kFields[] = {
    {"FormatVersion", 0x008, FieldKind::U32, 4},
    {"ParserVersion", 0x00c, FieldKind::U32, 4},
    {"ProductName", 0x010, FieldKind::Text, 64},
    {"ModelName", 0x050, FieldKind::Text, 64},
    {"NickName", 0x090, FieldKind::Text, 64},
    {"DevIDMfc", 0x0d0, FieldKind::Text, 128},
    {"DevIDMdl", 0x150, FieldKind::Text, 128},
    {"DevIDCmd", 0x1d0, FieldKind::Text, 128},
    {"DevIDCls", 0x250, FieldKind::Text, 128},
    {"DevIDDes", 0x2d0, FieldKind::Text, 128},
    {"DevIDCid", 0x350, FieldKind::Text, 128},
    {"PCFileName", 0x3d4, FieldKind::Text, 64},
    {"PDLID", 0x414, FieldKind::U32, 4},
    {"PDLMINORID", 0x418, FieldKind::U32, 4},
    {"PDLNAME", 0x41c, FieldKind::Text, 64},
    {"IPLID", 0x45c, FieldKind::U32, 4},
    {"IPLMINORID", 0x460, FieldKind::U32, 4},
    {"IPLNAME", 0x464, FieldKind::Text, 64},
    {"JCLID", 0x4a4, FieldKind::U32, 4},
    {"JCLMINORID", 0x4a8, FieldKind::U32, 4},
    {"JCLNAME", 0x4ac, FieldKind::Text, 64},
    {"XPName", 0x4ec, FieldKind::Text, 64},
    {"XPRSName", 0x52c, FieldKind::Text, 64},
    {"XPUIName", 0x56c, FieldKind::Text, 64},
    {"DPName", 0x5ac, FieldKind::Text, 64},
    {"UIDPName", 0x5ec, FieldKind::Text, 64},
    {"EngineType", 0x62c, FieldKind::U16, 2},
    {"EngineSpeedPPM", 0x62e, FieldKind::U16, 2},
    {"RamSupported", 0x630, FieldKind::U32, 4},
    {"DefaultMemorySize", 0x634, FieldKind::U32, 4},
    {"RamWorkSize", 0x638, FieldKind::U32, 4},
    {"RamSlotNum", 0x63c, FieldKind::U16, 2},
    {"RomSupported", 0x640, FieldKind::U32, 4},
    {"RomSlotNum", 0x644, FieldKind::U16, 2},
    {"RomFontSlotNum", 0x646, FieldKind::U16, 2},
    {"RomFlashSlotNum", 0x648, FieldKind::U16, 2},
    {"Color", 0x64c, FieldKind::U32, 4},
    {"InserterState", 0x650, FieldKind::U32, 4},
    {"StorageState", 0x65c, FieldKind::U32, 4},
    {"FaxState", 0x668, FieldKind::U32, 4},
    {"MemMngName", 0x674, FieldKind::Text, 64},
    {"MemMngID", 0x6b4, FieldKind::U16, 2},
    {"PageProtectSupported", 0x6b8, FieldKind::U32, 4},
    {"FontSupported", 0x6c4, FieldKind::U32, 4},
    {"DefaultFontName", 0x6c8, FieldKind::Text, 64},
    {"DefaultFontSizePt", 0x708, FieldKind::U16, 2},
    {"DefaultFontNameDBCS", 0x70a, FieldKind::Text, 64},
    {"DefaultFontID", 0x74a, FieldKind::U16, 2},
    {"ColorSpaceSupported", 0x754, FieldKind::U32, 4},
    {"BaseColorSpace", 0x760, FieldKind::U16, 2},
    {"ColorSwitch", 0x762, FieldKind::U16, 2},
    {"DefaultResoDPI", 0x770, FieldKind::S16, 2},
    {"DefaultResoShift", 0x772, FieldKind::S16, 2},
    {"DefaultResoUnit", 0x774, FieldKind::U16, 2},
    {"PixelDepthSupported", 0x77c, FieldKind::U32, 4},
    {"LayoutState", 0x788, FieldKind::U32, 4},
    {"FinishingState", 0x794, FieldKind::U32, 4},
    {"Duplex", 0x798, FieldKind::U32, 4},
    {"Booklet", 0x79c, FieldKind::U32, 4},
    {"ReverseOrder", 0x7a0, FieldKind::U32, 4},
    {"JobOffset", 0x7a4, FieldKind::U32, 4},
    {"JobRotation", 0x7a8, FieldKind::U32, 4},
    {"Collate", 0x7ac, FieldKind::U32, 4},
    {"Group", 0x7b0, FieldKind::U32, 4},
    {"MailBox", 0x7b4, FieldKind::U32, 4},
    {"Staple", 0x7b8, FieldKind::U32, 4},
    {"Fold", 0x7bc, FieldKind::U32, 4},
    {"HolePunch", 0x7c0, FieldKind::U32, 4},
    {"CollateType", 0x7c4, FieldKind::U16, 2},
    {"MailBoxNumMax", 0x7c8, FieldKind::U32, 4},
    {"MailBoxNumMin", 0x7cc, FieldKind::U32, 4},
    {"ProofSupported", 0x7d0, FieldKind::U32, 4},
    {"StapleBindNumMax", 0x7d4, FieldKind::U32, 4},
    {"FoldsMaxNum", 0x7e0, FieldKind::U32, 4},
    {"FoldsID", 0x7e4, FieldKind::U16, 2},
    {"HolePunchBindNumMax", 0x7ec, FieldKind::U32, 4},
    {"FormState", 0x7f0, FieldKind::U32, 4},
    {"PDLFormSupported", 0x7f4, FieldKind::U32, 4},
    {"CopyFormSupported", 0x7f8, FieldKind::U32, 4},
    {"DefaultPaper", 0x7fc, FieldKind::U16, 2},
    {"UDPSupported", 0x804, FieldKind::U32, 4},
    {"DefaultPaperSource", 0x810, FieldKind::U16, 2},
    {"DefaultPaperDestination", 0x818, FieldKind::U16, 2},
    {"PaperTypeSupported", 0x820, FieldKind::U32, 4},
    {"TonerSaveSupported", 0x82c, FieldKind::U32, 4},
    {"SmoothingModeSupported", 0x838, FieldKind::U32, 4},
    {"DitherSmoothingModeSupported", 0x844, FieldKind::U32, 4},
    {"HalfToneSupported", 0x850, FieldKind::U32, 4},
    {"HalfToneObjSupported", 0x85c, FieldKind::U32, 4},
    {"GrayoutSupported", 0x868, FieldKind::U32, 4},
    {"MaxCopies", 0x874, FieldKind::U32, 4},
    {"MaxBindMarginMm", 0x878, FieldKind::U32, 4},
    {"DefaultFace", 0x87c, FieldKind::U32, 4},
    {"PrinterPaperNameSupported", 0x880, FieldKind::U32, 4},
    {"FixingModeSupported", 0x884, FieldKind::U32, 4},
    {"HiRegistrationModeSupported", 0x888, FieldKind::U32, 4},
    {"ColorCalibrationSupported", 0x88c, FieldKind::U32, 4},
    {"JobManagementState", 0x890, FieldKind::U32, 4},
    {"JobMngPromoteState", 0x894, FieldKind::U32, 4},
    {"JobMngInterruptState", 0x898, FieldKind::U32, 4},
    {"JobMngStoreState", 0x89c, FieldKind::U32, 4},
    {"JobMngSecureState", 0x8a0, FieldKind::U32, 4},
    {"IsMemoryExpanding", 0x8a8, FieldKind::U32, 4},
    {"ExpFontCard", 0x8b4, FieldKind::U32, 4},
    {"IsExpDuplex", 0x8c0, FieldKind::U32, 4},
    {"IsExpPaperSource", 0x8cc, FieldKind::U32, 4},
    {"IsExpPaperDestination", 0x8d8, FieldKind::U32, 4},
    {"IsExpInserter", 0x8e4, FieldKind::U32, 4},
    {"IsExpStorage", 0x8f0, FieldKind::U32, 4},
    {"IsExpFax", 0x8fc, FieldKind::U32, 4},
    {"RuleSourceKind", 0x908, FieldKind::U32, 4},
    {"RuleFileUnpackedSize", 0x910, FieldKind::U32, 4},
    {"LanguageId", 0x918, FieldKind::U32, 4},
    {"DeviceClass", 0x91c, FieldKind::U16, 2},
    {"ColorWord", 0x91e, FieldKind::U16, 2},
    {"OptionRecordUnit", 0x920, FieldKind::U32, 4},
    {"FinisherUnit", 0x924, FieldKind::U32, 4},
    {"MailBoxFlag", 0x930, FieldKind::U32, 4},
    {"MediaNameFlag", 0x93c, FieldKind::U32, 4},
    {"StackerWord", 0x94c, FieldKind::U32, 4},
    {"FinisherFlag", 0x950, FieldKind::U32, 4},
    {"ModelFlag1", 0x954, FieldKind::U32, 4},
    {"ModelFlag2", 0x958, FieldKind::U32, 4},
    {"ModelFlag3", 0x95c, FieldKind::U32, 4},
    {"ModelFlag4", 0x960, FieldKind::U32, 4},
    {"DeviceFontCount", 0x964, FieldKind::U16, 2},
    {"ReservedMemory", 0x968, FieldKind::U32, 4},
    {"FontSetSlots", 0x974, FieldKind::U16, 2},
    {"UserPaperDefaultWidth", 0x978, FieldKind::U32, 4},
    {"UserPaperDefaultLength", 0x97c, FieldKind::U32, 4},
    {"UserPaperMarginLeft", 0x980, FieldKind::U32, 4},
    {"UserPaperMarginTop", 0x984, FieldKind::U32, 4},
    {"UserPaperMarginRight", 0x988, FieldKind::U32, 4},
    {"UserPaperMarginBottom", 0x98c, FieldKind::U32, 4},
    {"UserPaperMinWidth", 0x990, FieldKind::U32, 4},
    {"UserPaperMinLength", 0x994, FieldKind::U32, 4},
    {"UserPaperMaxWidth", 0x998, FieldKind::U32, 4},
    {"UserPaperMaxLength", 0x99c, FieldKind::U32, 4},
    {"PaperLengthMin", 0x9a0, FieldKind::U32, 4},
    {"PaperLengthMax", 0x9a4, FieldKind::U32, 4},
    {"PaperLengthLongMin", 0x9a8, FieldKind::U32, 4},
    {"PaperLengthLongMax", 0x9ac, FieldKind::U32, 4},
    {"QualityBadgeOff", 0x9b0, FieldKind::U32, 4},
    {"Profile5Flag", 0x9b4, FieldKind::U32, 4},
    {"VersionText", 0x9b8, FieldKind::Text, 32},
};

// Lists whose entry layout no reader fixes get a 64-byte name and a 16-bit id; the expansion
// units get the 72-byte layout of the paper sources.
constexpr ListInfo kLists[] = {
    {"Inserter", 0x654, 0x658, 66, 64},
    {"Storage", 0x660, 0x664, 66, 64},
    {"Fax", 0x66c, 0x670, 66, 64},
    {"PageProtect", 0x6bc, 0x6c0, 66, 64},
    {"Font", 0x74c, 0x750, 66, 64},
    {"ColorSpace", 0x758, 0x75c, 66, 64},
    {"Resolution", 0x776, 0x778, 68, 64},
    {"PixelDepth", 0x780, 0x784, 66, 64},
    {"Layout", 0x78c, 0x790, 66, 64},
    {"StapleLocation", 0x7d8, 0x7dc, 66, 64},
    {"Fold", 0x7e6, 0x7e8, 8, 0},
    {"Paper", 0x7fe, 0x800, 216, 0, 0xd0, 212, 66},
    {"UDPInfo", 0x808, 0x80c, 66, 64},
    {"PaperSource", 0x812, 0x814, 72, 64, 66, 68, 2},
    {"PaperDestination", 0x81a, 0x81c, 72, 64, 66, 68, 2},
    {"PaperType", 0x824, 0x828, 66, 64},
    {"TonerSave", 0x830, 0x834, 66, 64},
    {"SmoothingMode", 0x83c, 0x840, 66, 64},
    {"DitherSmoothingMode", 0x848, 0x84c, 66, 64},
    {"HalfTone", 0x854, 0x858, 68, 64},
    {"HalfToneObj", 0x860, 0x864, 24, 0},
    {"Grayout", 0x86c, 0x870, 66, 64},
    {"ExpRam", 0x8ac, 0x8b0, 72, 64},
    {"ExpFontCard", 0x8b8, 0x8bc, 72, 64},
    {"ExpDuplex", 0x8c4, 0x8c8, 72, 64},
    {"ExpPaperSource", 0x8d0, 0x8d4, 72, 64},
    {"ExpPaperDestination", 0x8dc, 0x8e0, 72, 64},
    {"ExpInserter", 0x8e8, 0x8ec, 72, 64},
    {"ExpStorage", 0x8f4, 0x8f8, 72, 64},
    {"ExpFax", 0x900, 0x904, 72, 64},
    {"OptionRecord", 0x928, 0x92c, 8, 0},
    {"Finisher", 0x934, 0x938, 164, 0},
    {"Media", 0x940, 0x944, 66, 64},
    {"DeviceArea", 0, 0x948, 40, 0},  // one record, no count field
    {"FontSet", 0x96c, 0x970, 72, 64},
};

constexpr TextInfo kTexts[] = {
    {"RuleText", 0x90c, 16u << 20},
    {"RuleFileName", 0x914, 259},
    {"DeviceName", 0x9d8, 255},
};

template <typename T, typename Pred>
const T* FindIn(std::span<const T> table, Pred pred) {
    auto it = std::find_if(table.begin(), table.end(), pred);
    return it == table.end() ? nullptr : &*it;
}

}  // namespace

std::span<const FieldInfo> Fields() { return kFields; }
std::span<const ListInfo> Lists() { return kLists; }
std::span<const TextInfo> Texts() { return kTexts; }

const FieldInfo* FindField(std::string_view name) {
    return FindIn(Fields(), [&](const FieldInfo& f) { return f.name == name; });
}
const FieldInfo* FieldAt(size_t offset) {
    return FindIn(Fields(), [&](const FieldInfo& f) { return f.offset == offset; });
}
const ListInfo* FindList(std::string_view name) {
    return FindIn(Lists(), [&](const ListInfo& l) { return l.name == name; });
}
const ListInfo* ListByHandle(size_t handleOffset) {
    return FindIn(Lists(), [&](const ListInfo& l) { return l.handleOffset == handleOffset; });
}
const TextInfo* FindText(std::string_view name) {
    return FindIn(Texts(), [&](const TextInfo& t) { return t.name == name; });
}
const TextInfo* TextByHandle(size_t handleOffset) {
    return FindIn(Texts(), [&](const TextInfo& t) { return t.handleOffset == handleOffset; });
}

}  // namespace devicedata
