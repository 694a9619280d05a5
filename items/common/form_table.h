// "FormTable" (item 1257): one choice per form the printer knows, filled by the printer's own
// item before it calls Init. Each choice answers the seven form keys (assumed form, staple,
// saddle stitch, duplex, no output-page pairing, Z-fold, hole punch) from the core's paper table,
// and the rules' size checks accept any user-defined form.
#pragma once

#include "settings/items/second_key.h"
#include "settings/sdk/sdk_binding.h"
#include "settings/items/sv_interfaces.h"
#include "settings/items/sv_multi.h"

// A form key: attribute `attribute` (1 to 7) of the form behind the choice, as type 1.
class CmSv2ndKey_FormAttribute : public CmSvSecondKey {
public:
    CmSv2ndKey_FormAttribute(const char* name, int attribute, CmSvProperty* owner)
        : CmSvSecondKey(1, name, owner), attribute(attribute) {}
    int GetValue(UIDEVDATA* ctx, void* entry, PieValue* out) override;

    int attribute;
};

#define FORM_KEY_CLASS(Class, Name, Attribute)                                                \
    class Class : public CmSv2ndKey_FormAttribute {                                           \
    public:                                                                                   \
        explicit Class(CmSvProperty* owner) : CmSv2ndKey_FormAttribute(Name, Attribute, owner) {} \
    };
FORM_KEY_CLASS(CmSv2ndKey_FormTable_Assumed, "Assumed", 1)
FORM_KEY_CLASS(CmSv2ndKey_FormTable_Staple, "Staple", 2)
FORM_KEY_CLASS(CmSv2ndKey_FormTable_Saddle, "Saddle", 3)
FORM_KEY_CLASS(CmSv2ndKey_FormTable_Duplex, "Duplex", 4)
FORM_KEY_CLASS(CmSv2ndKey_FormTable_NoPairingOutputPage, "NoPairingOutputPage", 5)
FORM_KEY_CLASS(CmSv2ndKey_FormTable_ZFold, "ZFold", 6)
FORM_KEY_CLASS(CmSv2ndKey_FormTable_HolePunch, "HolePunch", 7)
#undef FORM_KEY_CLASS

class CmSvMulti_FormTable : public CmSvMulti,
                            public CmSvProperty,
                            public CmSvInit,
                            public CmSvAction,
                            public CmSvSdk_Multi {
public:
    CmSvProperty* AsProperty() override { return this; }
    CmSvInit* AsInit() override { return this; }
    CmSvAction* AsAction() override { return this; }
    CmSvSdk* AsSdk() override { return this; }
    static constexpr uint32_t kItemId = 1257;

    CmSvMulti_FormTable();
    // The table is the printer's forms, read for the rules' secondary keys and never stored: a
    // set is refused.
    int SetCurrent(UIDEVDATA* ctx, uint32_t key, void* data) override;

    // Indexes every choice of the table in use by its option name and makes the form keys. The
    // index is rebuilt from scratch, so a renewed table leaves no entry pointing at old rows.
    int Init(UIDEVDATA* ctx, const uint8_t* settings) override;
    // ("CHECK_OUTPUTPAPER_SIZE" or "CHECK_PAGE_SIZE", option name): 1 for a user-defined form
    // (a name beginning with "USER"), else 0.
    int Action(UIDEVDATA* ctx, int argumentCount, const char* const* arguments, PieValue* out) override;
};
