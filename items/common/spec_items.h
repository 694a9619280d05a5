// The device capability values: each fact of the device capability record (what the model
// can do, its names, memory, finishing and colour capabilities, the states of its units) as a
// read-only setting "Spec$<Name>", so that the rules can test it by name and the option
// interface can report it. They read the record afresh at every load and never store, so the
// option interface's set of one is refused (3): the device's capability is not the caller's to
// change, and "done" would promise a value that no device mode keeps. Four
// shapes carry them (flag, number, text, choice over a constant table); each item is a row of
// the tables below and a thin named class.
#pragma once

#include "core/datafile/device_data.h"
#include "settings/sdk/sdk_binding.h"
#include "settings/items/sv_interfaces.h"
#include "settings/items/sv_multi.h"
#include "settings/items/sv_numeric.h"
#include "settings/items/sv_onoff.h"
#include "settings/items/sv_string.h"

#include <cstdint>

// How a field of the record is read.
enum class SpecWidth : uint8_t { U16, S16, U32 };

// The request's device capability; null when the driver data cannot be loaded.
const DeviceData* SpecRecord(UIDEVDATA* ctx);
// A field widened to 32 bits (s16 with its sign).
int32_t SpecField(const DeviceData& data, SpecWidth width, uint16_t offset);

// On when the u32 field is not 0. The option interface reads the field as the record holds it.
class CmSvSpecFlag : public CmSvOnOff, public CmSvSdk_OnOff {
public:
    CmSvSdk* AsSdk() override { return this; }
    CmSvSpecFlag(const char* key, uint32_t itemId, uint16_t offset);
    int LoadValue(UIDEVDATA* ctx, const uint8_t* source) override;
    int GetCurrent(UIDEVDATA* ctx, uint32_t key, void* data) override;
    int SetCurrent(UIDEVDATA* ctx, uint32_t key, void* data) override;

    uint16_t offset;
};

class CmSvSpecNumber : public CmSvNumeric, public CmSvSdk_Numeric {
public:
    CmSvSdk* AsSdk() override { return this; }
    CmSvSpecNumber(const char* key, uint32_t itemId, SpecWidth width, uint16_t offset, uint32_t valueWord);
    int LoadValue(UIDEVDATA* ctx, const uint8_t* source) override;
    int SetCurrent(UIDEVDATA* ctx, uint32_t key, void* data) override;

    SpecWidth width;
    uint16_t offset;
};

// A text field copied into the item's own buffer of `size` bytes. A text longer than that is
// kept cut and terminated, and the load answers 0.
class CmSvSpecText : public CmSvString, public CmSvSdk_String {
public:
    CmSvSdk* AsSdk() override { return this; }
    CmSvSpecText(const char* key, uint32_t itemId, uint16_t offset, uint32_t size);
    ~CmSvSpecText() override;
    int LoadValue(UIDEVDATA* ctx, const uint8_t* source) override;
    int SetCurrent(UIDEVDATA* ctx, uint32_t key, void* data) override;

    uint16_t offset;
};

// A choice over a constant table: the first row whose value equals the field (16-bit fields
// compare the rows' low 16 bits). With a guard, the field is read only while the u16 at the
// guard is not 0.
class CmSvSpecChoice : public CmSvMulti, public CmSvSdk_Multi {
public:
    CmSvSdk* AsSdk() override { return this; }
    CmSvSpecChoice(const char* key, uint32_t itemId, SpecWidth width, uint16_t offset, uint16_t guard,
                   const CmSvOptionRecord* rows, uint32_t rowCount, uint32_t valueWord);
    int LoadValue(UIDEVDATA* ctx, const uint8_t* source) override;
    int SetCurrent(UIDEVDATA* ctx, uint32_t key, void* data) override;

    // The first row whose value matches, or count.
    uint32_t Match(int32_t field) const;

    SpecWidth width;
    uint16_t offset;
    uint16_t guard;
};

// Flags: name, item id, offset.
#define SPEC_FLAG_ITEMS(X)                                                                      \
    X(PixelDepthSupported, 1075, 0x77c) X(ExpFontCard, 1080, 0x8b4)                             \
    X(HalfToneObjSupported, 1083, 0x85c) X(FontSupported, 1084, 0x6c4)                          \
    X(CopyFormSupported, 1086, 0x7f8) X(ProofSupported, 1087, 0x7d0)                            \
    X(RamSupported, 1166, 0x630) X(RomSupported, 1167, 0x640)                                   \
    X(PageProtectSupported, 1168, 0x6b8) X(ColorSpaceSupported, 1169, 0x754)                    \
    X(PDLFormSupported, 1170, 0x7f4) X(UDPSupported, 1171, 0x804)                               \
    X(PaperTypeSupported, 1172, 0x820) X(TonerSaveSupported, 1173, 0x82c)                       \
    X(SmoothingModeSupported, 1174, 0x838) X(DitherSmoothingModeSupported, 1175, 0x844)         \
    X(HalfToneSupported, 1176, 0x850) X(GrayoutSupported, 1177, 0x868)                          \
    X(PrinterPaperNameSupported, 1178, 0x880) X(FixingModeSupported, 1179, 0x884)               \
    X(HiRegistrationModeSupported, 1180, 0x888) X(ColorCalibrationSupported, 1181, 0x88c)       \
    X(IsMemoryExpanding, 1182, 0x8a8) X(IsExpDuplex, 1183, 0x8c0)                               \
    X(IsExpPaperSource, 1184, 0x8cc) X(IsExpPaperDestination, 1185, 0x8d8)                      \
    X(IsExpInserter, 1186, 0x8e4) X(IsExpStorage, 1187, 0x8f0) X(IsExpFax, 1188, 0x8fc)

// Numbers: name, item id, width, offset, value word.
#define SPEC_NUMBER_ITEMS(X)                                                                    \
    X(RomFlashSlotNum, 1078, U16, 0x648, 2) X(NumResolution, 1092, U16, 0x776, 2)               \
    X(FormatVersion, 1096, U32, 0x8, 4) X(ParserVersion, 1097, U32, 0xc, 4)                     \
    X(PDLID, 1098, U32, 0x414, 4) X(PDLMINORID, 1099, U32, 0x418, 4)                            \
    X(IPLID, 1100, U32, 0x45c, 4) X(IPLMINORID, 1101, U32, 0x460, 4)                            \
    X(JCLID, 1102, U32, 0x4a4, 4) X(JCLMINORID, 1103, U32, 0x4a8, 4)                            \
    X(EngineSpeedPPM, 1104, U16, 0x62e, 2) X(DefaultMemorySize, 1105, U32, 0x634, 4)            \
    X(RamWorkSize, 1106, U32, 0x638, 4) X(RamSlotNum, 1107, U16, 0x63c, 2)                      \
    X(RomSlotNum, 1108, U16, 0x644, 2) X(RomFontSlotNum, 1109, U16, 0x646, 2)                   \
    X(NumInserter, 1110, U16, 0x654, 2) X(NumStorage, 1111, U16, 0x660, 2)                      \
    X(NumFax, 1112, U16, 0x66c, 2) X(MemMngID, 1113, U16, 0x6b4, 2)                             \
    X(DefaultFontSizePt, 1114, U16, 0x708, 2) X(NumPageProtect, 1115, U16, 0x6bc, 2)            \
    X(DefaultFontID, 1116, U16, 0x74a, 2) X(NumInternalFont, 1117, U16, 0x74c, 2)               \
    X(NumColorSpace, 1118, U16, 0x758, 2) X(DefaultResoDPI, 1119, S16, 0x770, 2)                \
    X(DefaultResoShift, 1120, S16, 0x772, 2) X(NumPixelDepth, 1121, U16, 0x780, 2)              \
    X(NumLayout, 1122, U16, 0x78c, 2) X(FshMailBoxNumMax, 1123, U32, 0x7c8, 4)                  \
    X(FshMailBoxNumMin, 1124, U32, 0x7cc, 4) X(FshStapleBindNumMax, 1125, U32, 0x7d4, 4)        \
    X(FshStapleNumLocation, 1126, U16, 0x7d8, 2) X(FshFoldsMaxNum, 1127, U32, 0x7e0, 4)         \
    X(FshFoldsNumFold, 1128, U16, 0x7e6, 2) X(FshHolePunchBindNumMax, 1129, U32, 0x7ec, 4)      \
    X(NumUDPInfo, 1130, U16, 0x808, 2) X(NumPaper, 1131, U16, 0x7fe, 2)                         \
    X(NumPaperSource, 1132, U16, 0x812, 2) X(NumPaperDestination, 1133, U16, 0x81a, 2)          \
    X(NumPaperType, 1134, U16, 0x824, 2) X(NumTonerSave, 1135, U16, 0x830, 2)                   \
    X(NumSmoothingMode, 1136, U16, 0x83c, 2) X(NumDitherSmoothingMode, 1137, U16, 0x848, 2)     \
    X(NumHalfTone, 1138, U16, 0x854, 2) X(NumHalfToneObj, 1139, U16, 0x860, 2)                  \
    X(NumGrayout, 1140, U16, 0x86c, 2) X(MaxCopies, 1141, U32, 0x874, 4)                        \
    X(MaxBindMarginMm, 1142, U32, 0x878, 4) X(NumExpPaperDestination, 1143, U16, 0x8dc, 2)

// Texts: name, item id, offset, size.
#define SPEC_TEXT_ITEMS(X)                                                                      \
    X(MemMngName, 1079, 0x674, 32) X(ProductName, 1189, 0x10, 32) X(ModelName, 1190, 0x50, 32)  \
    X(NickName, 1191, 0x90, 64) X(DevIDMfc, 1192, 0xd0, 128) X(DevIDMdl, 1193, 0x150, 128)      \
    X(DevIDCmd, 1194, 0x1d0, 128) X(DevIDCls, 1195, 0x250, 128) X(DevIDDes, 1196, 0x2d0, 128)   \
    X(DevIDCid, 1197, 0x350, 128) X(PCFileName, 1198, 0x3d4, 32) X(PDLNAME, 1199, 0x41c, 32)    \
    X(IPLNAME, 1200, 0x464, 32) X(JCLNAME, 1201, 0x4ac, 32) X(XPName, 1202, 0x4ec, 32)          \
    X(XPRSName, 1203, 0x52c, 32) X(XPUIName, 1204, 0x56c, 32) X(DPName, 1205, 0x5ac, 32)        \
    X(UIDPName, 1206, 0x5ec, 32) X(DefaultFontName, 1207, 0x6c8, 32)                            \
    X(DefaultFontNameDBCS, 1208, 0x70a, 32)

// Constant-table choices: name, item id, width, offset, guard (0 none), rows, value word.
#define SPEC_CHOICE_ITEMS(X)                                                                    \
    X(FshtCollate, 1077, U32, 0x7ac, 0, kThreeState, 4) X(FshtHolePunch, 1085, U32, 0x7c0, 0, kThreeState, 4) \
    X(FshCollateType, 1090, U16, 0x7c4, 0, kCollateType, 2) X(Staple, 1091, U32, 0x7b8, 0, kThreeState, 4) \
    X(Duplex, 1093, U32, 0x798, 0, kThreeState, 4) X(FshtBooklet, 1094, U32, 0x79c, 0, kThreeState, 4) \
    X(DefaultResoUnit, 1144, U16, 0x774, 0, kResoUnit, 2) X(EngineType, 1145, U16, 0x62c, 0, kEngineType, 2) \
    X(FshFoldsID, 1146, U16, 0x7e4, 0, kFoldIds, 2) X(DefaultFace, 1147, U32, 0x87c, 0, kFace, 4)  \
    X(Color, 1148, U32, 0x64c, 0, kThreeState, 4) X(InserterState, 1149, U32, 0x650, 0, kThreeState, 4) \
    X(StorageState, 1150, U32, 0x65c, 0, kThreeState, 4) X(FaxState, 1151, U32, 0x668, 0, kThreeState, 4) \
    X(LayoutState, 1152, U32, 0x788, 0, kThreeState, 4) X(FinishingState, 1153, U32, 0x794, 0, kThreeState, 4) \
    X(FshtReverseOrder, 1154, U32, 0x7a0, 0, kThreeState, 4) X(FshtJobOffset, 1155, U32, 0x7a4, 0, kThreeState, 4) \
    X(FshtJobRotation, 1156, U32, 0x7a8, 0, kThreeState, 4) X(FshtGroup, 1157, U32, 0x7b0, 0, kThreeState, 4) \
    X(MailBox, 1158, U32, 0x7b4, 0, kThreeState, 4) X(Fold, 1159, U32, 0x7bc, 0, kThreeState, 4)  \
    X(FormState, 1160, U32, 0x7f0, 0, kThreeState, 4) X(JobManagementState, 1161, U32, 0x890, 0, kThreeState, 4) \
    X(JobMngPromoteState, 1162, U32, 0x894, 0, kThreeState, 4)                                  \
    X(JobMngInterruptState, 1163, U32, 0x898, 0, kThreeState, 4)                                \
    X(JobMngStoreState, 1164, U32, 0x89c, 0, kThreeState, 4)                                    \
    X(JobMngSecureState, 1165, U32, 0x8a0, 0, kThreeState, 4)                                   \
    X(Inserter, 1209, U32, 0x650, 0x654, kThreeState, 4)                                        \
    X(BaseColorSpace, 1210, U16, 0x760, 0x758, kColorSpace, 2)                                  \
    X(ColorSwitch, 1211, U16, 0x762, 0x758, kColorSwitch, 2)

#define DECLARE_SPEC_CLASS(Class, Base) \
    class Class : public Base {         \
    public:                             \
        Class();                        \
    };
#define DECLARE_SPEC_FLAG(Name, ...) DECLARE_SPEC_CLASS(CmSvOnOff_##Name, CmSvSpecFlag)
#define DECLARE_SPEC_NUMBER(Name, ...) DECLARE_SPEC_CLASS(CmSvNumeric_##Name, CmSvSpecNumber)
#define DECLARE_SPEC_TEXT(Name, ...) DECLARE_SPEC_CLASS(CmSvString_##Name, CmSvSpecText)
#define DECLARE_SPEC_CHOICE(Name, ...) DECLARE_SPEC_CLASS(CmSvMulti_##Name, CmSvSpecChoice)
SPEC_FLAG_ITEMS(DECLARE_SPEC_FLAG)
SPEC_NUMBER_ITEMS(DECLARE_SPEC_NUMBER)
SPEC_TEXT_ITEMS(DECLARE_SPEC_TEXT)
SPEC_CHOICE_ITEMS(DECLARE_SPEC_CHOICE)
#undef DECLARE_SPEC_FLAG
#undef DECLARE_SPEC_NUMBER
#undef DECLARE_SPEC_TEXT
#undef DECLARE_SPEC_CHOICE

// "Spec$ExpStorage": always loads "NONE"; its action checks the expansion storage the device
// lists ("CHECK_FLASH", "CHECK_RAM", "CHECK_HDD").
class CmSvMulti_ExpStorage : public CmSvSpecChoice, public CmSvAction {
public:
    CmSvAction* AsAction() override { return this; }
    CmSvMulti_ExpStorage();
    int LoadValue(UIDEVDATA* ctx, const uint8_t* source) override;
    int Action(UIDEVDATA* ctx, int argumentCount, const char* const* arguments, PieValue* out) override;
};

// "Spec$Grayout": the first id of the grayout list; where rows share a value the last one wins.
class CmSvMulti_Grayout : public CmSvSpecChoice {
public:
    CmSvMulti_Grayout();
    int LoadValue(UIDEVDATA* ctx, const uint8_t* source) override;
};
