// The push buttons of the pages that carry no behaviour of their own: pressing one is the change,
// and what it opens is the page's business. One descriptor row per button; the class names stay
// as thin named classes over one generic button.
#pragma once

#include "settings/controls/buttons.h"

#include <cstdint>

struct PushButtonRow {
    const char* key;
    uint32_t itemId;
    int32_t controlId;
    uint16_t bitmapId;  // 0: drawn by the system
    uint16_t maskId;
};

class CmSvPB_Plain : public CmSvPushButton {
public:
    explicit CmSvPB_Plain(const PushButtonRow& row);
};

// The rows, by class.
extern const PushButtonRow kPbAddProfile, kPbEditProfile, kPbViewSettings, kPbStatusMonitor,
    kPbJobOperationsDetailSetting, kPbPaperSourceSettings, kPbFontSettings, kPbAbout, kPbEditStamp, kPbCustomPaper,
    kPbPageOptions, kPbPageDefault;

// A thin named class over the plain button; the other pages' button headers declare theirs with it.
#define DRV_PLAIN_BUTTON(Class, Row)                   \
    class Class : public CmSvPB_Plain {                \
    public:                                            \
        Class() : CmSvPB_Plain(Row) {}                 \
    };
DRV_PLAIN_BUTTON(CmSvPB_AddProfile, kPbAddProfile)
DRV_PLAIN_BUTTON(CmSvPB_EditProfile, kPbEditProfile)
DRV_PLAIN_BUTTON(CmSvPB_ViewSettings, kPbViewSettings)
DRV_PLAIN_BUTTON(CmSvPB_StatusMonitor, kPbStatusMonitor)
DRV_PLAIN_BUTTON(CmSvPB_JobOperationsDetailSetting, kPbJobOperationsDetailSetting)
DRV_PLAIN_BUTTON(CmSvPB_PaperSourceSettings, kPbPaperSourceSettings)
DRV_PLAIN_BUTTON(CmSvPB_FontSettings, kPbFontSettings)
DRV_PLAIN_BUTTON(CmSvPB_About, kPbAbout)
DRV_PLAIN_BUTTON(CmSvPB_EditStamp, kPbEditStamp)
DRV_PLAIN_BUTTON(CmSvPB_CustomPaper, kPbCustomPaper)
DRV_PLAIN_BUTTON(CmSvPB_PageOptions, kPbPageOptions)
DRV_PLAIN_BUTTON(CmSvPB_PageDefault, kPbPageDefault)

// Plain buttons with the item numbers the rules name: the finishing page's buttons and the OK
// and Cancel buttons of its dialogs.
#define DRV_DIALOG_BUTTON(Class, Row, Id)            \
    class Class : public CmSvPB_Plain {              \
    public:                                          \
        static constexpr uint32_t kItemId = Id;      \
        Class() : CmSvPB_Plain(Row) {}               \
    };
