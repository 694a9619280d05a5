// A sheet of the bundled printer under its own rule program, assembled from the driver's rule
// sources: the items the bundled rules name answer them as the printer's settings would.
#include "sheet_fixture.h"

#include <gtest/gtest.h>

using namespace sheettest;

namespace {

class DuplexBox : public CmSvCheckBox {
public:
    DuplexBox() : CmSvCheckBox("Devmode$Duplex", 4001, 1, ITC_COLLATE, nullptr, 1, 1) {}
    int LoadValue(UIDEVDATA*, const uint8_t*) override { return 1; }
    int StoreValue(UIDEVDATA*, uint8_t*) override { return 1; }
};

inline const CmSvOptionRecord kMediaRows[] = {Row("PLANE", nullptr, 0, 0, 0, 0), Row("THICKNESS", nullptr, 1, 0, 0, 1),
                                              Row("TRANSPARENCY", nullptr, 2, 0, 0, 2)};

class MediaChoice : public CmSvMulti {
public:
    MediaChoice() : CmSvMulti("PaperSource$MediaType", 4002, kSvKindComboBox, 0, 0, 3, kMediaRows) {}
    int LoadValue(UIDEVDATA*, const uint8_t*) override { return 1; }
    int StoreValue(UIDEVDATA*, uint8_t*) override { return 1; }
};

TEST(BundledSheet, TransparenciesAreNeverPrintedOnBothSides) {
    drvtest::FixtureDevice fixture;
    UIDEVDATA* ctx = fixture.Make(kKindUserInterface);
    ASSERT_NE(ctx, nullptr);
    CmSvConflict registry;
    ctx->svc->GetUserData(ctx)->SetConflict(&registry);
    DuplexBox duplex;
    MediaChoice media;
    ASSERT_EQ(registry.StartRules(ctx), 1);
    {
        CmSvItemSet set(kPage, 0, 0, 0);
        registry.RegisterItemSet(ctx, &set);
        set.AddItem(ctx, &duplex);
        set.AddItem(ctx, &media);
        registry.StartEngine(ctx);  // capability facts, the printer's rules, the compatibility block
        EXPECT_EQ(duplex.current, 1);  // the printer has its duplex unit
        EXPECT_EQ(duplex.enabled, 1);
        media.current = 2;
        registry.Evaluate(ctx, &media, 1);
        EXPECT_EQ(duplex.current, 0);
        EXPECT_EQ(duplex.enabled, 0);
        media.current = 0;
        registry.Evaluate(ctx, &media, 1);
        EXPECT_EQ(duplex.enabled, 1);  // plain paper may be turned again; the choice stays the user's
        EXPECT_EQ(duplex.current, 0);
    }
    ctx->svc->GetUserData(ctx)->SetConflict(nullptr);
}

}  // namespace
