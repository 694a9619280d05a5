// The flag, value and request items of the device mode and the document properties, over the
// fixture printer's device mode: each item reads the bit or value its option holds and stores
// back only its own bits; the request items follow the request; the option interface sees what
// each item's binding promises.
#include "settings_fixture.h"

#include "items/common/devmode_flag_items.h"
#include "items/common/docprop_items.h"
#include "settings/registry/conflict.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

class DevmodeItems : public ItemSettings<> {
protected:
    int Request(CmSvSdk& binding, int kind, uint32_t key, uint32_t* data) {
        return RunSdkRequest(binding, Ctx(), kind, key, data);
    }
    std::vector<uint8_t> Copy() const {
        return std::vector<uint8_t>(dm, dm + fixture.Device()->svc->GetDevmodeSize(fixture.Device(), 1));
    }
};

std::vector<std::unique_ptr<CmSvDevmodeFlag>> AllFlags() {
    std::vector<std::unique_ptr<CmSvDevmodeFlag>> flags;
#define MAKE(Class, ...) flags.emplace_back(new Class);
    DEVMODE_FLAG_ITEMS(MAKE)
    DOCPROP_FLAG_ITEMS(MAKE)
#undef MAKE
    flags.emplace_back(new CmSvOnOff_DocPropFolionixSW);
    flags.emplace_back(new CmSvOnOff_DocPropDontDisplayUI);
    flags.emplace_back(new CmSvOnOff_DocPropRepealLockButtonSetting);
    flags.emplace_back(new CmSvOnOff_DocPropJobCopies);
    flags.emplace_back(new CmSvOnOff_DocPropMultiBinder);
    return flags;
}

TEST_F(DevmodeItems, EachFlagReadsItsOwnBitAndStoresOnlyIt) {
    auto flags = AllFlags();
    ASSERT_EQ(flags.size(), 34u);
    for (auto& flag : flags) {
        const auto& row = flag->row;
        const uint32_t bit = 1u << row.bit;
        for (uint32_t word : {bit, ~bit}) {
            SetWord(row.option, word);
            flag->current = 7;
            EXPECT_EQ(flag->Load(Ctx(), dm), 1) << row.key;
            const bool set = (word & bit) != 0;
            EXPECT_EQ(flag->current, (set != row.inverted) ? 1 : 0) << row.key;
            // The other flags of that word read what their own bits hold.
            for (auto& other : flags)
                if (other.get() != flag.get() && other->row.option == row.option) {
                    other->Load(Ctx(), dm);
                    EXPECT_EQ(other->current, (!set != other->row.inverted) ? 1 : 0) << row.key << " " << other->row.key;
                }
        }
        for (uint32_t before : {0u, 0xffffffffu}) {
            for (int32_t value : {0, 1}) {
                SetWord(row.option, before);
                flag->current = value;
                EXPECT_EQ(flag->Store(Ctx(), dm), 1);
                const bool set = (value == 1) != row.inverted;
                EXPECT_EQ(Word(row.option), set ? (before | bit) : (before & ~bit)) << row.key << " " << value;
            }
        }
    }
}

TEST_F(DevmodeItems, AChoiceWhoseOptionHoldsNoRowsValueKeepsItsOwn) {
    CmSvMulti_GrphBitsPixel bits;
    bits.current = 1;
    SetShort(227, 3);
    EXPECT_EQ(bits.Load(Ctx(), dm), 0);
    EXPECT_EQ(bits.current, 1u);
}

TEST_F(DevmodeItems, RequestItemsFollowTheRequest) {
    Ctx()->appFlags = 0x08;
    std::vector<std::unique_ptr<CmSvAppInfoFlag>> apps;
#define MAKE(Class, ...) apps.emplace_back(new Class);
    APP_INFO_ITEMS(MAKE)
#undef MAKE
    const std::vector<uint8_t> before = Copy();
    for (auto& app : apps) {
        EXPECT_EQ(app->Load(Ctx(), dm), 1);
        EXPECT_EQ(app->current, app->appMask == 0x08 ? 1 : 0) << app->key;
        EXPECT_NE(app->flags & CmSvItem::kConstant, 0u);
        EXPECT_EQ(app->Store(Ctx(), dm), 0);
        uint32_t data = 0xffff;
        EXPECT_EQ(Request(*app, 2, app->keys[0], &data), 0);
        EXPECT_EQ(data, app->appMask == 0x08 ? 1u : 0u);
        EXPECT_EQ(Request(*app, 3, app->keys[0], &data), 2);
    }
    EXPECT_EQ(Copy(), before);

    Ctx()->requestWord1 = 2;
    CmSvMulti_SheetType sheet;
    EXPECT_EQ(sheet.Load(Ctx(), dm), 1);
    EXPECT_EQ(std::string(sheet.CurrentRow()->name), "PRNPROP");
    Ctx()->requestWord1 = 7;
    EXPECT_EQ(sheet.Load(Ctx(), dm), 0);

    if (CmUserData* user = Ctx()->svc->GetUserData(Ctx())) {
        user->SetDisplayMode(kDisplayUnite);
        CmSvMulti_DispMode disp;
        EXPECT_EQ(disp.Load(Ctx(), dm), 1);
        EXPECT_EQ(std::string(disp.CurrentRow()->name), "UNITELAYOUT");
    }

    CmSvString_loginname login;
    EXPECT_EQ(login.Load(Ctx(), dm), 1);
    EXPECT_GT(std::string(login.current).size(), 0u);

    CmSvNumeric_SDKVersion version;
    uint32_t data = 0;
    EXPECT_EQ(Request(version, 2, 0x10000, &data), 0);
    EXPECT_EQ(data, 0x2001eu);
    EXPECT_EQ(Request(version, 0, 0x10000, &data), 0);
    EXPECT_EQ(data, 4u);
    version.available = 0;
    EXPECT_EQ(Request(version, 2, 0x10000, &data), 2);

    CmSvNumeric_SecurityLevel security;
    data = 0;
    EXPECT_EQ(Request(security, 3, 0x100000 + 1246, &data), 0);
    data = 1;
    EXPECT_EQ(Request(security, 3, 0x100000 + 1246, &data), 2);
}

TEST_F(DevmodeItems, SettingForAppsIsNeverStoredAndReloadsAsNone) {
    CmSvMulti_SettingForApps apps;
    uint32_t data = 2;
    EXPECT_EQ(Request(apps, 3, 0x10011, &data), 0);
    EXPECT_EQ(std::string(apps.CurrentRow()->name), "DOMS");
    data = 4;
    EXPECT_EQ(Request(apps, 3, 0x10011, &data), 2);
    EXPECT_EQ(Request(apps, 2, 0x10011, &data), 2);
    const std::vector<uint8_t> before = Copy();
    EXPECT_EQ(apps.Store(Ctx(), dm), 1);
    EXPECT_EQ(Copy(), before);
    EXPECT_EQ(apps.Load(Ctx(), dm), 1);
    EXPECT_EQ(apps.current, 0u);
}

TEST_F(DevmodeItems, ApplyTurnsTheCopyAndBinderFlagsOff) {
    CmSvOnOff_DocPropJobCopies copies;
    CmSvOnOff_DocPropDontDisplayUI dontDisplay;
    uint32_t data = 0;
    copies.current = 1;
    EXPECT_EQ(Request(copies, 6, 0x1003d, &data), 0);
    EXPECT_EQ(copies.current, 0);
    copies.current = 1;
    copies.available = 0;
    EXPECT_EQ(Request(copies, 6, 0x1003d, &data), 2);
    EXPECT_EQ(copies.current, 1);
    dontDisplay.current = 1;
    dontDisplay.available = 0;
    EXPECT_EQ(Request(dontDisplay, 6, 0x1002a, &data), 0);
    EXPECT_EQ(dontDisplay.current, 0);
}

TEST_F(DevmodeItems, RepealingTheLockReleasesTheDeviceOptionLock) {
    CmUserData* user = Ctx()->svc->GetUserData(Ctx());
    ASSERT_NE(user, nullptr);
    uint8_t* block = user->GetDeviceOptionSource();
    ASSERT_NE(block, nullptr);
    auto lock = [&] {
        uint32_t v = 0;
        Ctx()->svc->GetDeviceOptionValue(Ctx(), block, 0x201, &v, 4);
        return v;
    };
    uint32_t three = 3;
    ASSERT_TRUE(Ctx()->svc->SetDeviceOptionValue(Ctx(), block, 0x201, &three, 4));
    CmSvOnOff_DocPropRepealLockButtonSetting repeal;
    SetWord(100, 0);
    repeal.Store(Ctx(), dm);
    EXPECT_EQ(Word(100), 0u);
    EXPECT_EQ(lock(), 3u);
    repeal.current = 1;
    repeal.Store(Ctx(), dm);
    EXPECT_EQ(Word(100), 1u << 16);
    EXPECT_EQ(lock(), 1u);

    uint32_t data = 0;
    repeal.available = 0;  // its requests skip the availability test
    EXPECT_EQ(Request(repeal, 0, 0x1002d, &data), 0);
    EXPECT_EQ(data, 4u);
    EXPECT_EQ(Request(repeal, 2, 0x1002d, &data), 0);
    EXPECT_EQ(data, 1u);
    data = 0;
    EXPECT_EQ(Request(repeal, 3, 0x1002d, &data), 0);
    EXPECT_EQ(repeal.current, 0);
    data = 2;
    EXPECT_EQ(Request(repeal, 3, 0x1002d, &data), 2);
    EXPECT_EQ(Request(repeal, 2, 0x1002d, nullptr), 1);
}

TEST_F(DevmodeItems, FolionixSwitchReportsThePreviousValueOnceAfterADialogStore) {
    CmUserData* user = Ctx()->svc->GetUserData(Ctx());
    ASSERT_NE(user, nullptr);
    CmSvConflict registry;
    void* previous = user->GetConflict();
    user->SetConflict(&registry);

    CmSvOnOff_DocPropFolionixSW sw;
    SetWord(100, 0);
    sw.Load(Ctx(), dm);
    sw.current = 1;
    sw.Store(Ctx(), dm);
    EXPECT_EQ(Word(100), 2u);
    uint32_t data = 9;
    EXPECT_EQ(Request(sw, 2, 0x10007, &data), 0);
    EXPECT_EQ(data, 0u);  // the value before the store, once
    EXPECT_EQ(Request(sw, 2, 0x10007, &data), 0);
    EXPECT_EQ(data, 1u);

    registry.noDialog = 1;
    SetWord(100, 0);
    sw.Store(Ctx(), dm);
    EXPECT_EQ(Request(sw, 2, 0x10007, &data), 0);
    EXPECT_EQ(data, 1u);
    user->SetConflict(previous);
}

}  // namespace
