// The items of the quality page: colour, the colour-mode box, the print image and catalogue
// (booklet) printing. Colour is told three ways at once (the colour option, the automatic-colour
// bit of the quality flags and the public dmColor), and the colour block keeps a monochrome mark
// for the booklet printer; the colour and catalogue items keep all of them in step.
#pragma once

#include "settings/controls/buttons.h"
#include "settings/controls/list_bindings.h"
#include "settings/items/sv_interfaces.h"
#include "settings/sdk/sdk_binding.h"

#include <windows.h>

#include <cstddef>
#include <cstdint>

inline constexpr uint32_t kOptQualityFlags = 220;  // 32-bit: bit 1 colour mode, bit 14 automatic colour
inline constexpr uint32_t kOptPrintImage = 221;
inline constexpr uint32_t kOptColour = 222;        // 0 mono, 1 colour, 2 automatic
inline constexpr uint32_t kOptColourBlock = 250;   // 130 bytes
inline constexpr size_t kColourBlockSize = 130;
inline constexpr size_t kColourBlockMonoByte = 101;
inline constexpr uint32_t kAutoColourBit = 14;
inline constexpr uint16_t kModeCatalog = 4;  // of the layout mode, option 124
inline constexpr size_t kPublicColour = offsetof(DEVMODEA, dmColor);
static_assert(kPublicColour == 60);

class CmSvCK_Catalog : public CmSvCheckBox, public CmSvSdk_OnOff {
public:
    CmSvSdk* AsSdk() override { return this; }
    static constexpr uint32_t kItemId = 1022;
    CmSvCK_Catalog();
    int LoadValue(UIDEVDATA* ctx, const uint8_t* source) override;
    // On sets the catalogue mode and marks the colour block for a monochrome job; off ends only
    // the catalogue mode, so that scaling or pages per sheet set by their own items stay.
    int StoreValue(UIDEVDATA* ctx, uint8_t* destination) override;
    int Apply(UIDEVDATA* ctx, uint32_t key, void* data) override;
};

class CmSvCB_Color : public CmSvComboBox, public CmSvSdk_Multi, public CmSvPreview {
public:
    CmSvSdk* AsSdk() override { return this; }
    CmSvPreview* AsPreview() override { return this; }
    static constexpr uint32_t kItemId = 1023;
    CmSvCB_Color();
    int LoadValue(UIDEVDATA* ctx, const uint8_t* source) override;
    int StoreValue(UIDEVDATA* ctx, uint8_t* destination) override;
    int GetCount(UIDEVDATA* ctx, uint32_t key, void* data) override;
    // The option-interface values of every row, one 32-bit word each.
    int GetList(UIDEVDATA* ctx, uint32_t key, void* data) override;
    // The default is "COLOR".
    int Apply(UIDEVDATA* ctx, uint32_t key, void* data) override;
    // Point 0, 1 or 2 of the page picture chooses mono, colour or automatic.
    int Preview(UIDEVDATA* ctx, intptr_t a, intptr_t b, intptr_t c, intptr_t d) override;
};

class CmSvCK_ColorMode : public CmSvCheckBox, public CmSvSdk_OnOff {
public:
    CmSvSdk* AsSdk() override { return this; }
    static constexpr uint32_t kItemId = 1024;
    CmSvCK_ColorMode();
    int LoadValue(UIDEVDATA* ctx, const uint8_t* source) override;
    int StoreValue(UIDEVDATA* ctx, uint8_t* destination) override;
};

// The print image: rows come from the printer's own item, which also builds them.
class CmSvLB_PrintImage : public CmSvListBox, public CmSvSdk_Multi, public CmSvInit {
public:
    CmSvSdk* AsSdk() override { return this; }
    CmSvInit* AsInit() override { return this; }
    static constexpr uint32_t kItemId = 1026;
    CmSvLB_PrintImage();
    int LoadValue(UIDEVDATA* ctx, const uint8_t* source) override;
    int StoreValue(UIDEVDATA* ctx, uint8_t* destination) override;
    // The option interface speaks of the stored value itself here.
    int GetCurrent(UIDEVDATA* ctx, uint32_t key, void* data) override;
    int SetCurrent(UIDEVDATA* ctx, uint32_t key, void* data) override;
};
