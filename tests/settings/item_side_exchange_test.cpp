// The item side of the application option interface over a sheet with a finishing method and
// its rotate, punch and Z-fold switches: the method keeps the switches consistent with it, and a
// change the rules refuse leaves items and device mode agreeing again.
#include "sheet_fixture.h"

#include "settings/sdk/cm_sv_sdk.h"

#include <gtest/gtest.h>

using namespace sheettest;

namespace {

constexpr DWORD kFinishingOption = 190;  // bit 0 rotate, bit 1 punch, bit 2 Z-fold
constexpr DWORD kMethodOption = 123;  // 2 bytes, 0 by default

class FinishingSwitch : public CmSvCheckBox, public CmSvSdk_OnOff {
public:
    CmSvSdk* AsSdk() override { return this; }
    FinishingSwitch(const char* key, uint32_t id, uint32_t sdkKey, int32_t control, int32_t bit)
        : CmSvCheckBox(key, id, 0, control, nullptr, 1, 1), CmSvSdk_OnOff(sdkKey, 0, 1, 4, 0), bit_(bit) {}
    int LoadValue(UIDEVDATA* ctx, const uint8_t* source) override {
        current = (GetLong(ctx, source, kFinishingOption) & bit_) ? 1 : 0;
        return 1;
    }
    int StoreValue(UIDEVDATA* ctx, uint8_t* destination) override {
        const int32_t flags = GetLong(ctx, destination, kFinishingOption);
        SetLong(ctx, destination, kFinishingOption, current == 1 ? (flags | bit_) : (flags & ~bit_));
        return 1;
    }
    // The default of every switch is off.
    int Apply(UIDEVDATA*, uint32_t, void*) override {
        if (available == 0) return kSdkNotSupported;
        current = 0;
        return kSdkDone;
    }

private:
    int32_t bit_;
};

const CmSvOptionRecord kMethodRows[] = {Row("NONE", nullptr, 0, 0, 0, 0), Row("STAPLE", nullptr, 1, 0, 0, 1),
                                        Row("FOLD", nullptr, 2, 0, 0, 2)};
// The method is the low 16 bits of the word; the switches' byte above is the item side's.
class MethodChoice : public ShortChoice<CmSvRadioButton> {
public:
    using ShortChoice<CmSvRadioButton>::ShortChoice;
    int SetCurrent(UIDEVDATA* ctx, uint32_t key, void* data) override {
        if (!data) return kSdkNoItem;
        int32_t method = static_cast<int32_t>(*static_cast<const uint32_t*>(data) & 0xFFFF);
        return ShortChoice<CmSvRadioButton>::SetCurrent(ctx, key, &method);
    }
    int Apply(UIDEVDATA*, uint32_t, void*) override {
        current = 0;
        return kSdkDone;
    }
};

constexpr const char* kRules =
    "Test$Zfold(OFF) :- Test$Method(STAPLE), disable.\n"
    "Test$Zfold(_) :- enable.\n";

class ItemSideExchange : public ::testing::Test {
protected:
    void SetUp() override {
        ctx = fixture.Make(kKindUserInterface);
        ASSERT_NE(ctx, nullptr);
        sheet = std::make_unique<Sheet>(ctx, kRules);
        method = new MethodChoice(kMethodOption, kFinishingMethodKey, "Test$Method", 3100u, 0u, 3u, kMethodRows, 0,
                                  static_cast<const int32_t*>(nullptr), 1, 1);
        rotate = new FinishingSwitch("Test$Rotate", 1055, 0x10037, 1101, 1);
        punch = new FinishingSwitch("Test$Punch", 1052, 0x10038, 1102, 2);
        zfold = new FinishingSwitch("Test$Zfold", 1053, 0x10039, 1103, 4);
        sheet->items.insert(sheet->items.end(), {method, rotate, punch, zfold});
        SetLong(ctx, sheet->Settings(), kFinishingOption, 2);  // punch on
        ASSERT_TRUE(sheet->Start());
        ASSERT_EQ(punch->current, 1);
    }
    int32_t Finishing() { return GetLong(ctx, sheet->Settings(), kFinishingOption); }

    drvtest::FixtureDevice fixture;
    UIDEVDATA* ctx = nullptr;
    std::unique_ptr<Sheet> sheet;
    MethodChoice* method = nullptr;
    FinishingSwitch *rotate = nullptr, *punch = nullptr, *zfold = nullptr;
    CmSvSDK side;
};

// A switch the rules refuse restores the finishing word and reloads what changed; a method they
// allow turns the switches it names on and the others off.
TEST_F(ItemSideExchange, TheMethodTurnsTheSwitchesItNamesOnAndTheOthersOffUnlessTheRulesRefuse) {
    DWORD word = 1 | (0x05u << 16);  // staple disables Z-fold, so turning it on is refused
    EXPECT_EQ(side.Dispatch(ctx, 3, kFinishingMethodKey, &word), 3);
    EXPECT_EQ(Finishing(), 2);  // as before the request
    EXPECT_EQ(rotate->current, 0);
    EXPECT_EQ(punch->current, 1);
    EXPECT_EQ(zfold->current, 0);

    word = 2 | (0x05u << 16);  // fold, with rotate and Z-fold
    EXPECT_EQ(side.Dispatch(ctx, 3, kFinishingMethodKey, &word), 0);
    EXPECT_EQ(method->current, 2u);
    EXPECT_EQ(Finishing(), 1 | 4);
    EXPECT_EQ(rotate->current, 1);
    EXPECT_EQ(punch->current, 0);
    EXPECT_EQ(zfold->current, 1);

    DWORD value = 0;
    EXPECT_EQ(side.Dispatch(ctx, 2, 0x10038, &value), 0);
    EXPECT_EQ(value, 0u);
    for (DWORD kind : {5u, 7u, 8u, 12u}) EXPECT_EQ(side.Dispatch(ctx, kind, kFinishingMethodKey, &word), 2) << kind;
    EXPECT_EQ(side.Dispatch(ctx, 3, kFinishingMethodKey, nullptr), 1);
    EXPECT_EQ(side.Dispatch(ctx, 2, 0x10999, &value), 2);
}

TEST_F(ItemSideExchange, DefaultLeavesASwitchThatCannotBeAskedAlone) {
    punch->available = 0;  // its binding answers "not supported" to the value request
    DWORD word = 2;
    ASSERT_EQ(side.Dispatch(ctx, 3, kFinishingMethodKey, &word), 0);
    SetLong(ctx, sheet->Settings(), kFinishingOption, 2 | 1);
    const uint32_t ids[] = {1055, 1052, 0};
    sheet->registry.ApplyValues(ctx, sheet->Settings(), ids);
    ASSERT_EQ(rotate->current, 1);
    EXPECT_EQ(side.Dispatch(ctx, 6, kFinishingMethodKey, &word), 0);
    EXPECT_EQ(rotate->current, 0);
    EXPECT_EQ(method->current, 0u);
    EXPECT_EQ(punch->current, 1);
    EXPECT_EQ(Finishing() & 2, 2);

    // Without a registry the item side answers "not supported".
    ctx->svc->GetUserData(ctx)->SetConflict(nullptr);
    EXPECT_EQ(side.Dispatch(ctx, 2, kFinishingMethodKey, &word), 2);
    ctx->svc->GetUserData(ctx)->SetConflict(static_cast<CmSvConflict*>(&sheet->registry));
}

}  // namespace
