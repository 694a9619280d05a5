// The items of the staple-position dialog: the staple point, eight radio buttons that keep their
// places on the dialog while the point each stands for follows the page's orientation, and the
// points the binding edge allows; and the dialog's OK and Cancel.
#pragma once

#include "items/common/push_buttons.h"
#include "settings/controls/radio_buttons.h"
#include "settings/items/sv_interfaces.h"
#include "settings/sdk/sdk_binding.h"

#include <cstdint>

class CmSvRB_Position : public CmSvRadioButton,
                        public CmSvSdk_Multi,
                        public CmSvPreview,
                        public CmSvAction,
                        public CmSvInit,
                        public CmSvFollow {
public:
    CmSvFollow* AsFollow() override { return this; }
    CmSvSdk* AsSdk() override { return this; }
    CmSvPreview* AsPreview() override { return this; }
    CmSvAction* AsAction() override { return this; }
    CmSvInit* AsInit() override { return this; }
    static constexpr uint32_t kItemId = 1032;
    static constexpr uint32_t kRowCount = 8;
    static constexpr uint32_t kStapleKey = 0x1003a;  // the staple switch, whose availability this follows
    CmSvRB_Position();

    // The first row of the point; 0 (index kept) when none has it.
    int LoadValue(UIDEVDATA* ctx, const uint8_t* source) override;
    int StoreValue(UIDEVDATA* ctx, uint8_t* destination) override;
    // The rows of the orientation the page prints in; every radio button keeps its place.
    int Init(UIDEVDATA* ctx, const uint8_t* settings) override;
    // Once rows are in, the rows of the orientation the page now prints in: the point stays the
    // same and is shown on the button that stands for it there; the rules' words stay with
    // their buttons.
    int Follow(UIDEVDATA* ctx, const uint8_t* settings) override;
    // "DISABLE_POINT" with the buttons' numbers 1-8; "SET_TABLE" with an orientation; an
    // orientation alone.
    int Action(UIDEVDATA* ctx, int argumentCount, const char* const* arguments, PieValue* out) override;
    // A point 0-7 of the staple picture.
    int Preview(UIDEVDATA* ctx, intptr_t a, intptr_t b, intptr_t c, intptr_t d) override;
    int GetValue(UIDEVDATA* ctx, uint32_t key, void* data) override;
    int GetCount(UIDEVDATA* ctx, uint32_t key, void* data) override;
    int GetCurrent(UIDEVDATA* ctx, uint32_t key, void* data) override;
    int GetList(UIDEVDATA* ctx, uint32_t key, void* data) override;
    int Apply(UIDEVDATA* ctx, uint32_t key, void* data) override;

    // Bit k of the mask allows the k-th point of 9, 10, 11, 12, 14, 15, 16, 17; the binding edge
    // narrows it further. A current point no longer allowed moves to the first allowed one.
    void EnablePoints(UIDEVDATA* ctx, uint32_t mask);
    // The first point along the binding edge becomes current.
    void DefaultPointForBinding(UIDEVDATA* ctx);

    bool portrait = false;
    bool landscape = false;

protected:
    // Runs after the rows turned to an orientation; the language layer picks the point there.
    virtual void AfterOrientation(UIDEVDATA* ctx);

private:
    int SdkGuard(UIDEVDATA* ctx, const void* data);
    CmSvOptionRecord rows_[kRowCount] = {};
    bool haveRows_ = false;
};

extern const PushButtonRow kPbStapleOK, kPbStapleCancel;
DRV_DIALOG_BUTTON(CmSvPB_StapleOK, kPbStapleOK, 1033)
DRV_DIALOG_BUTTON(CmSvPB_StapleCancel, kPbStapleCancel, 1034)
