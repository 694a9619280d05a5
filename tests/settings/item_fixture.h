// Test items of every control kind, each keeping its value in one option of the device mode as
// the concrete items do, and a dialog procedure that hosts them as the settings page would:
// values written at WM_INITDIALOG, commands read back and redisplayed, entries measured and
// drawn by their items.
#pragma once

#include "core/device/service_table.h"
#include "core/device/user_data.h"
#include "data/resources/drvopui_ids.h"
#include "item_dialog_ids.h"
#include "settings/controls/buttons.h"
#include "settings/controls/digit.h"
#include "settings/controls/list_bindings.h"
#include "settings/controls/radio_buttons.h"
#include "settings/sdk/sdk_binding.h"
#include "settings/controls/text_field.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace itemtest {

// Option numbers the test items keep their values in.
inline constexpr DWORD kFlagsOption = 100;   // 4 bytes, bit 0 collate
inline constexpr DWORD kEdgeOption = 121;    // 2 bytes
inline constexpr DWORD kScaleOption = 125;   // 2 bytes
inline constexpr DWORD kOrderOption = 127;   // 2 bytes
inline constexpr DWORD kNameOption = 154;    // 32 bytes
inline constexpr DWORD kShadeOption = 157;   // 4 bytes
inline constexpr DWORD kColourOption = 222;  // 2 bytes

inline int16_t GetShort(UIDEVDATA* ctx, const uint8_t* dm, DWORD option) {
    int16_t v = 0;
    ctx->svc->GetOption(ctx, dm, option, &v, sizeof v);
    return v;
}
inline void SetShort(UIDEVDATA* ctx, uint8_t* dm, DWORD option, int16_t v) {
    ctx->svc->SetOption(ctx, dm, option, &v, sizeof v);
}
inline int32_t GetLong(UIDEVDATA* ctx, const uint8_t* dm, DWORD option) {
    int32_t v = 0;
    ctx->svc->GetOption(ctx, dm, option, &v, sizeof v);
    return v;
}
inline void SetLong(UIDEVDATA* ctx, uint8_t* dm, DWORD option, int32_t v) {
    ctx->svc->SetOption(ctx, dm, option, &v, sizeof v);
}

// A multiple-choice item kept in a 2-byte option: the row whose value the option holds.
template <typename Binding>
class ShortChoice : public Binding, public CmSvSdk_Multi {
public:
    CmSvSdk* AsSdk() override { return this; }
    template <typename... Args>
    ShortChoice(DWORD option, uint32_t sdkKey, Args... args)
        : Binding(args...), CmSvSdk_Multi(sdkKey, 4, 0), option_(option) {}
    int LoadValue(UIDEVDATA* ctx, const uint8_t* source) override {
        uint32_t found = this->FindValue(GetShort(ctx, source, option_));
        if (found >= this->count) return 0;
        this->current = found;
        return 1;
    }
    int StoreValue(UIDEVDATA* ctx, uint8_t* destination) override {
        const CmSvOptionRecord* row = this->CurrentRow();
        if (!row) return 0;
        SetShort(ctx, destination, option_, static_cast<int16_t>(row->value));
        return 1;
    }

private:
    DWORD option_;
};

inline const int32_t kCollateCompanions[] = {ITC_COLLATE_NOTE, 0};
inline const int32_t kOrderCompanions[] = {ITC_ORDER_LABEL, 0};
inline const int32_t kScaleCompanions[] = {ITC_SCALE_LABEL, 0};

inline const uint16_t kOrderImages[] = {IDB_ADD_PROFILE, IDB_ADD_PROFILE_MASK, IDB_EDIT_PROFILE, IDB_EDIT_PROFILE_MASK};

constexpr CmSvOptionRecord Row(const char* name, char* text, int32_t value, int32_t textId, int32_t button,
                               int32_t optionValue, const void* images = nullptr) {
    return CmSvOptionRecord{name, text, value, textId, button, 1, 1, 0, 0, images, 1, optionValue, 1};
}

inline char kFrontText[] = "Front to back";
inline char kBackText[] = "Back to front";
inline char kInterleaveText[] = "Interleave";
inline char kLeftText[] = "Left";
inline char kTopText[] = "Top";
inline char kRightText[] = "Right";

inline const CmSvOptionRecord kColourRows[] = {Row("MONO", nullptr, 0, 0, ITC_MONO, 10),
                                               Row("COLOR", nullptr, 1, 0, ITC_COLOR, 11),
                                               Row("AUTO", nullptr, 2, 0, ITC_AUTO, 12)};
// Entry texts: constant, from string 4251 ("Off"), constant, none at all (left out).
inline const CmSvOptionRecord kOrderRows[] = {Row("FRONT", kFrontText, 0, 0, 0, 20, kOrderImages),
                                              Row("OFF", nullptr, 1, 4251, 0, 21, kOrderImages),
                                              Row("BACK", kBackText, 2, 0, 0, 22, kOrderImages),
                                              Row("NOTEXT", nullptr, 3, 0, 0, 23, kOrderImages),
                                              Row("INTERLEAVE", kInterleaveText, 4, 0, 0, 24, kOrderImages)};
inline const CmSvOptionRecord kEdgeRows[] = {Row("LEFT", kLeftText, 0, 0, 0, 30), Row("TOP", kTopText, 1, 0, 0, 31),
                                             Row("RIGHT", kRightText, 2, 0, 0, 32)};

class LockButton : public CmSvPushButton {
public:
    LockButton() : CmSvPushButton("Test$Lock", 3001, ITC_LOCK, nullptr, 1, 1) {
        bitmapId = IDB_ADD_PROFILE;
        maskId = IDB_ADD_PROFILE_MASK;
    }
};

class CollateBox : public CmSvCheckBox, public CmSvSdk_OnOff {
public:
    CmSvSdk* AsSdk() override { return this; }
    CollateBox() : CmSvCheckBox("Test$Collate", 3002, 0, ITC_COLLATE, kCollateCompanions, 1, 1),
                   CmSvSdk_OnOff(0x10070, 0, 1, 4, 0) {}
    int LoadValue(UIDEVDATA* ctx, const uint8_t* source) override {
        current = GetLong(ctx, source, kFlagsOption) & 1;
        return 1;
    }
    int StoreValue(UIDEVDATA* ctx, uint8_t* destination) override {
        int32_t flags = GetLong(ctx, destination, kFlagsOption);
        SetLong(ctx, destination, kFlagsOption, current == 1 ? (flags | 1) : (flags & ~1));
        return 1;
    }
};

using ColourRadio = ShortChoice<CmSvRadioButton>;
using OrderCombo = ShortChoice<CmSvComboBox>;
using EdgeList = ShortChoice<CmSvListBox>;

inline ColourRadio* NewColourRadio() {
    return new ColourRadio(kColourOption, 0x10071u, "Test$Colour", 3003u, 0u, 3u, kColourRows, ITC_COLOR_GROUP,
                           static_cast<const int32_t*>(nullptr), 1, 1);
}
inline OrderCombo* NewOrderCombo(uint16_t imageStyle = CmSvOwnerDrawList::kBitmapImage) {
    return new OrderCombo(kOrderOption, 0x10072u, "Test$Order", 3004u, 0u, 5u, kOrderRows, ITC_ORDER,
                          kOrderCompanions, 1, 1, static_cast<uint16_t>(18), imageStyle, static_cast<uint16_t>(0));
}
inline EdgeList* NewEdgeList() {
    return new EdgeList(kEdgeOption, 0x10073u, "Test$Edge", 3005u, 0u, 3u, kEdgeRows, ITC_EDGE,
                        static_cast<const int32_t*>(nullptr), 1, 1, static_cast<uint16_t>(16),
                        CmSvOwnerDrawList::kNoImage, static_cast<uint16_t>(0));
}

// A number field over a 2-byte option (signed, 25 to 400) or a 4-byte one (unsigned, to 100000).
class NumberField : public CmSvDigit, public CmSvSdk_Numeric {
public:
    CmSvSdk* AsSdk() override { return this; }
    NumberField(bool wide)
        : CmSvDigit(wide ? "Test$Shade" : "Test$Scale", wide ? 3007 : 3006, 100, wide ? 0 : 25, wide ? 100000 : 400,
                    wide ? ITC_SHADE : ITC_SCALE, wide ? nullptr : kScaleCompanions, 1, 1, 0, wide ? 6 : 4,
                    wide ? ITC_SHADE_SPIN : ITC_SCALE_SPIN, wide ? 0 : 1),
          CmSvSdk_Numeric(wide ? 0x10075 : 0x10074, 4, 0),
          wide_(wide) {}
    int LoadValue(UIDEVDATA* ctx, const uint8_t* source) override {
        current = wide_ ? GetLong(ctx, source, kShadeOption) : GetShort(ctx, source, kScaleOption);
        return 1;
    }
    int StoreValue(UIDEVDATA* ctx, uint8_t* destination) override {
        if (wide_)
            SetLong(ctx, destination, kShadeOption, current);
        else
            SetShort(ctx, destination, kScaleOption, static_cast<int16_t>(current));
        return 1;
    }

private:
    bool wide_;
};

class NameField : public CmSvText, public CmSvSdk_String {
public:
    CmSvSdk* AsSdk() override { return this; }
    static constexpr uint32_t kSize = 32;
    NameField() : CmSvText("Test$Name", 3008, buffer_, kSize, ITC_NAME, nullptr, 1, 1, 0),
                  CmSvSdk_String(0x10076, kSize, 0) {}
    int LoadValue(UIDEVDATA* ctx, const uint8_t* source) override {
        char read[kSize] = {};
        ctx->svc->GetOption(ctx, source, kNameOption, read, kSize);
        read[kSize - 1] = 0;
        std::memcpy(buffer_, read, kSize);
        return 1;
    }
    int StoreValue(UIDEVDATA* ctx, uint8_t* destination) override {
        char block[kSize] = {};
        std::memcpy(block, buffer_, std::min<size_t>(std::strlen(buffer_), kSize - 1));
        ctx->svc->SetOption(ctx, destination, kNameOption, block, kSize);
        return 1;
    }

private:
    char buffer_[kSize] = {};
};

// The items of the test dialog, hosted as the settings page hosts its items.
struct ItemPage {
    UIDEVDATA* ctx = nullptr;
    std::vector<CmSv*> items;
    std::vector<std::string> changed;  // keys of the items whose FromDialog answered 1
    int drawn = 0;

    ~ItemPage() {
        for (CmSv* item : items) delete item;
    }
    CmSvControl* ControlFor(int id) const {
        for (CmSv* item : items) {
            auto* control = dynamic_cast<CmSvControl*>(item);
            if (!control) continue;
            if (control->controlId == id) return control;
            if (auto* multi = dynamic_cast<CmSvMulti*>(item))
                for (uint32_t i = 0; i < multi->count; ++i)
                    if (multi->Row(i)->control_id == id) return control;
        }
        return nullptr;
    }
    void LoadAll(const uint8_t* source) {
        for (CmSv* item : items)
            if (auto* value = dynamic_cast<CmSvItem*>(item)) value->Load(ctx, source);
    }
    void StoreAll(uint8_t* destination) {
        for (CmSv* item : items)
            if (auto* value = dynamic_cast<CmSvItem*>(item)) value->Store(ctx, destination);
    }
    template <typename T>
    T* Find() const {
        for (CmSv* item : items)
            if (auto* found = dynamic_cast<T*>(item)) return found;
        return nullptr;
    }
};

INT_PTR CALLBACK ItemPageProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam);
// The page the procedure serves (messages before WM_INITDIALOG cannot carry it).
extern ItemPage* g_page;

// The test resource file of the dialog.
HMODULE OpenItemDialogs();

}  // namespace itemtest
