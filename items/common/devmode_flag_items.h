// The settings that mirror the layout, finishing and quality flag words and the graphics values
// of the device mode without a control of their own, and those that reflect facts of the
// request (the application's flags, the sheet's display mode and kind, the user's name, the
// version of the option interface). Giving them items lets the rules and the option interface
// see them; the device-mode ones travel with the device mode when the page stores.
#pragma once

#include "items/common/devmode_flag.h"
#include "settings/items/sv_numeric.h"
#include "settings/items/sv_string.h"

// Flag items: class, key, item id, option number, bit, inverted, binding, option key (0 by id).
#define DEVMODE_FLAG_ITEMS(X)                                                                     \
    X(CmSvOnOff_AutoColor, "Quality$AutoColor", 1220, 220, 14, false, Mask, 0)                    \
    X(CmSvOnOff_EMFSpool, "Quality$EMFSpool", 1274, 220, 22, true, OffOn, 0x10052)                \
    X(CmSvOnOff_JobDivide, "Layout$JobDivide", 1226, 110, 12, false, Mask, 0)                     \
    X(CmSvOnOff_PcAutoColor, "Layout$PcAutoColor", 1229, 110, 14, false, Mask, 0)                 \
    X(CmSvOnOff_PcPoster, "Layout$PcPoster", 1230, 110, 16, false, Mask, 0)                       \
    X(CmSvOnOff_PcCatalog, "Layout$PcCatalog", 1231, 110, 17, false, Mask, 0)                     \
    X(CmSvOnOff_DeviceBind, "Layout$DeviceBind", 1232, 110, 11, false, Mask, 0)                   \
    X(CmSvOnOff_PcPaperSelection, "Layout$PcPaperSelection", 1233, 110, 13, false, Mask, 0)       \
    X(CmSvOnOff_PosterReverse, "Layout$PosterReverse", 1234, 110, 10, false, Mask, 0)             \
    X(CmSvOnOff_PcNup, "Layout$PcNup", 1236, 110, 4, false, Mask, 0)                              \
    X(CmSvOnOff_NupPattern1, "Layout$NupPattern1", 1237, 110, 18, false, Mask, 0)                 \
    X(CmSvOnOff_PcCollate, "Layout$PcCollate", 1238, 110, 5, false, Mask, 0)                      \
    X(CmSvOnOff_PcReverse, "Layout$PcReverse", 1239, 110, 7, false, Mask, 0)                      \
    X(CmSvOnOff_PcBooklet, "Layout$PcBooklet", 1240, 110, 3, false, Mask, 0)                      \
    X(CmSvOnOff_PcStretch, "Layout$PcStretch", 1241, 110, 2, false, Mask, 0)                      \
    X(CmSvOnOff_PcBind, "Layout$PcBind", 1242, 110, 6, false, Mask, 0)                            \
    X(CmSvOnOff_PcStamp, "Layout$PcStamp", 1243, 110, 15, false, Mask, 0)                         \
    X(CmSvOnOff_AppBooklet, "Layout$AppBooklet", 1275, 110, 19, false, None, 0)                   \
    X(CmSvOnOff_MechanicalBin, "Finishing$MechanicalBin", 1244, 190, 12, false, Mask, 0)          \
    X(CmSvOnOff_Mechanical, "Finishing$Mechanical", 1245, 190, 11, false, Mask, 0)

// 16-bit choices: class, key, item id, option number, rows, match, answer without a match.
#define DEVMODE_CHOICE_ITEMS(X)                                                                   \
    X(CmSvMulti_GrphBitsPixel, "Quality$BitsPixel", 1222, 227, kBitsPixelRows, Signed, 0)         \
    X(CmSvMulti_GrphSurfaceBitsPixel, "Quality$SurfaceBitsPixel", 1223, 228, kSurfaceRows, Signed, 0) \
    X(CmSvMulti_GrphPixelDepth, "Quality$PixelDepth", 1224, 232, kPixelDepthRows, Signed, 1)      \
    X(CmSvMulti_DevCategory, "Layout$DevCategory", 1228, 123, kDevCategoryRows, Low16, 0)

#define DECLARE_DEVMODE_ITEM(Class, Base) \
    class Class : public Base {           \
    public:                               \
        Class();                          \
    };
#define DECLARE_DEVMODE_FLAG(Class, ...) DECLARE_DEVMODE_ITEM(Class, CmSvDevmodeFlag)
#define DECLARE_DEVMODE_CHOICE(Class, ...) DECLARE_DEVMODE_ITEM(Class, CmSvDevmodeChoice)
DEVMODE_FLAG_ITEMS(DECLARE_DEVMODE_FLAG)
DEVMODE_CHOICE_ITEMS(DECLARE_DEVMODE_CHOICE)
#undef DECLARE_DEVMODE_FLAG
#undef DECLARE_DEVMODE_CHOICE

// A flag the core derives for the calling application, handed to the rules as a constant. The
// option interface reads it as 1 or 0 and cannot change it: it is a fact of the request.
class CmSvAppInfoFlag : public CmSvOnOff, public CmSvSdk_OnOff {
public:
    CmSvSdk* AsSdk() override { return this; }
    CmSvAppInfoFlag(const char* key, uint32_t itemId, uint32_t appMask);

    int LoadValue(UIDEVDATA* ctx, const uint8_t* source) override;
    int GetCurrent(UIDEVDATA* ctx, uint32_t key, void* data) override;
    int SetCurrent(UIDEVDATA* ctx, uint32_t key, void* data) override;

    uint32_t appMask;
};

// Application flags: class, key, item id, mask.
#define APP_INFO_ITEMS(X)                                                  \
    X(CmSvOnOff_AppInfoEMF, "AppInfo$EMF", 1248, 0x01)                     \
    X(CmSvOnOff_AppInfoDevMode, "AppInfo$DevMode", 1249, 0x02)             \
    X(CmSvOnOff_AppInfoJob, "AppInfo$Job", 1250, 0x04)                     \
    X(CmSvOnOff_AppInfoForceColor, "AppInfo$ForceColor", 1251, 0x08)       \
    X(CmSvOnOff_AppInfoPrintQuality, "AppInfo$PrintQuality", 1252, 0x10)   \
    X(CmSvOnOff_AppInfoForceRaster, "AppInfo$ForceRaster", 1253, 0x20)     \
    X(CmSvOnOff_AppInfoNumColors, "AppInfo$NumColors", 1254, 0x40)

#define DECLARE_APP_INFO(Class, ...) DECLARE_DEVMODE_ITEM(Class, CmSvAppInfoFlag)
APP_INFO_ITEMS(DECLARE_APP_INFO)
#undef DECLARE_APP_INFO

// "DispMode": the sheet's display mode (normal, united layout, separate layout).
class CmSvMulti_DispMode : public CmSvMulti, public CmSvSdk_Multi {
public:
    CmSvSdk* AsSdk() override { return this; }
    CmSvMulti_DispMode();
    int LoadValue(UIDEVDATA* ctx, const uint8_t* source) override;
    int SetCurrent(UIDEVDATA* ctx, uint32_t key, void* data) override;
};

// "SheetType": which sheet the request opened (standard, printer folder, printer properties).
class CmSvMulti_SheetType : public CmSvMulti, public CmSvSdk_Multi {
public:
    CmSvSdk* AsSdk() override { return this; }
    CmSvMulti_SheetType();
    int LoadValue(UIDEVDATA* ctx, const uint8_t* source) override;
    int SetCurrent(UIDEVDATA* ctx, uint32_t key, void* data) override;
};

// "login_name": the name of the user the request runs for.
class CmSvString_loginname : public CmSvString, public CmSvSdk_String {
public:
    CmSvSdk* AsSdk() override { return this; }
    static constexpr uint32_t kSize = 257;
    CmSvString_loginname();
    ~CmSvString_loginname() override;
    int LoadValue(UIDEVDATA* ctx, const uint8_t* source) override;
    int SetCurrent(UIDEVDATA* ctx, uint32_t key, void* data) override;
};

// "SDK$Version": the version of the option interface, 2.30.
class CmSvNumeric_SDKVersion : public CmSvNumeric, public CmSvSdk {
public:
    CmSvSdk* AsSdk() override { return this; }
    static constexpr int32_t kVersion = 0x2001e;
    CmSvNumeric_SDKVersion();
    int GetCurrent(UIDEVDATA* ctx, uint32_t key, void* data) override;
};

// "SecurityLevel": always 0.
class CmSvNumeric_SecurityLevel : public CmSvNumeric, public CmSvSdk_Numeric {
public:
    CmSvSdk* AsSdk() override { return this; }
    CmSvNumeric_SecurityLevel();
};
