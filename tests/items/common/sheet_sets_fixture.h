// Test-only: the sheet's registry over the fixture printer, holding the item sets a test builds,
// with the printer's rules running and the resource module open, as the sheet has them before
// its pages show; taken down again in order. The printer is the one `PrinterUnderTest` names.
#pragma once

#include "settings_fixture.h"

#include "core/device/service_table.h"
#include "core/device/user_data.h"
#include "drvtest/scripted_sheet.h"
#include "items/pdl/item_set_registry.h"
#include "platform/resources/res_file.h"
#include "settings/registry/conflict.h"
#include "settings/registry/item_set.h"
#include "ui/sheet_data.h"
#include "ui/sv_proc.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <initializer_list>
#include <vector>

// The dialog procedure of a settings page over set SetId, as the sheet's pages have it.
template <uint32_t SetId>
class SetProc : public CmSvProc {
public:
    SetProc() : CmSvProc(SetId, 0) {}
};

template <typename Base = ::testing::Test>
class SheetSets : public Base {
protected:
    using SetBuilder = CmSvItemSet* (*)(UIDEVDATA*, CmSvConflict&);

    // Builds the sets in order, then starts the engine over them.
    void Start(std::initializer_list<SetBuilder> builders) {
        ASSERT_NE(ctx, nullptr);
        InitCommonControls();
        module = res::OpenResourceFile(DRVOPUI_BINARY_DIR "/data/resources/drvopui.res");
        ASSERT_NE(module, nullptr);
        user = ctx->svc->GetUserData(ctx);
        registry = new CmSvConflict;
        user->SetConflict(registry);
        ASSERT_EQ(registry->StartRules(ctx), 1);
        for (SetBuilder build : builders) sets.push_back(build(ctx, *registry));
        registry->StartEngine(ctx);
    }
    // Shows one page over the request as the printer's sheet shows it; a drvtest::ScriptedSheet
    // alive on the thread drives it.
    INT_PTR ShowPage(int templateId, DLGPROC proc, const char* caption = "Printing preferences") {
        SHEETDATA data{sizeof(SHEETDATA), ctx, 0, kSheetPage};
        return drvtest::RunOnePageSheet(module, templateId, proc, reinterpret_cast<LPARAM>(&data), caption);
    }
    void TearDown() override {
        if (user) user->SetConflict(nullptr);
        delete registry;
        for (CmSvItemSet* set : sets) DestroyItemSet(set);
        if (module) res::CloseResourceFile(module);
    }

    drvtest::FixtureDevice fixture{kKindDevmode, PrinterUnderTest<Base>(*this)};
    UIDEVDATA* ctx = fixture.Make(kKindUserInterface);
    HMODULE module = nullptr;
    CmUserData* user = nullptr;
    CmSvConflict* registry = nullptr;
    std::vector<CmSvItemSet*> sets;
};
