// The papers as the rules name them, on the bundled printers' sheet: the form table's choices
// carry the rules' paper names (the user sees the form names), so the paper-type check, the form
// keys and the user-defined form's check find the papers the rules ask about.
#include "core/datafile/form_database.h"
#include "core/device/service_table.h"
#include "core/device/table_cursor_query.h"
#include "core/device/table_cursor_ref.h"
#include "drvtest/fixture_device.h"
#include "items/pdl/paper_rows.h"
#include "items/pdl/pdl_conflict.h"
#include "items/pdl/pdl_user_data.h"
#include "pie/api/api.h"
#include "settings/items/sv_interfaces.h"
#include "settings/items/sv_multi.h"
#include "settings/registry/rule_callbacks.h"
#include "settings/rules/value_names.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr int32_t kFormTable = 1257, kPaperTypes = 1081;

class PaperNames : public ::testing::TestWithParam<const char*> {
protected:
    void SetUp() override {
        ASSERT_NE(ctx, nullptr);
        {
            // A form the user defined, as the user-defined paper dialog adds one.
            TableCursorRef<FormDatabase> forms(ctx, kTableForms);
            ASSERT_TRUE(forms);
            ASSERT_EQ(forms->Add("Postcard", 0, 1000, 1480), kTableDone);
        }
        registry = PDLSvUserData::StartSheet(ctx);
        ASSERT_NE(registry, nullptr);
    }
    void TearDown() override { PDLSvUserData::EndSheet(ctx); }
    // What the rules' action asks of an item: 0 when it holds.
    int Action(int32_t item, std::initializer_list<const char*> arguments) {
        return CmSvRuleCb_DoAction(ctx, item, static_cast<int32_t>(arguments.size()), arguments.begin());
    }

    drvtest::FixtureDevice fixture{kKindUserInterface, GetParam()};
    UIDEVDATA* ctx = fixture.Device();
    PDLSvConflict* registry = nullptr;
};

TEST_P(PaperNames, TheRulesFindThePapersTheyName) {
    struct Check { const char *paper, *type; };
    for (Check c : {Check{"LETTER", "PLANE"}, Check{"ENV_10", "ENVELOPE"}, Check{"LEGAL", "RECYCLED"},
                    Check{"A4", "PLANE"}})
        EXPECT_EQ(Action(kPaperTypes, {"CHECKPAPERTYPE", c.paper, c.type}), 0) << c.paper << " " << c.type;
    EXPECT_NE(Action(kPaperTypes, {"CHECKPAPERTYPE", "Letter", "PLANE"}), 0) << "a display name is no paper name";

    for (const char* paper : {"LETTER", "ENV_10", "EXECUTIVE", "A4"}) {
        PieValue duplex{6, 0};
        EXPECT_EQ(CmSvRuleCb_PropertyCall0(ctx, kFormTable, paper, "Duplex", &duplex), 0) << paper;
        EXPECT_EQ(duplex.type, 1) << paper;
    }

    // The custom size and the user's form are the user-defined forms; the user still reads the
    // forms' names.
    auto* forms = dynamic_cast<CmSvMulti*>(registry->FindItem(kFormTable));
    ASSERT_NE(forms, nullptr);
    int userDefined = 0;
    for (uint32_t i = 0; i < forms->count; ++i) {
        const CmSvOptionRecord* row = forms->Row(i);
        ASSERT_NE(row->display_text, nullptr) << row->name;
        if (Action(kFormTable, {"CHECK_PAGE_SIZE", row->name}) != 0) continue;
        ++userDefined;
        EXPECT_TRUE(row->value == 256 || row->value == 2000) << row->name;
        EXPECT_STREQ(row->display_text, row->value == 256 ? "Custom" : "Postcard");
    }
    EXPECT_EQ(userDefined, 2);
}

// The form table and the page and output sizes, built at the start from one walk of the paper
// table, hold the rows each builds from a walk of its own, also with a form name as long as the
// form table keeps; a walk open over another request is not theirs.
TEST_P(PaperNames, ListsSharingOneWalkOfThePapersHoldWhatTheirOwnWalksFind) {
    PDLSvUserData::EndSheet(ctx);
    {
        TableCursorRef<FormDatabase> forms(ctx, kTableForms);
        ASSERT_EQ(forms->Add("A form named to its full length", 0, 1200, 1800), kTableDone);
    }
    ASSERT_TRUE(ctx->svc->RefreshTable(ctx, 1));
    registry = PDLSvUserData::StartSheet(ctx);
    ASSERT_NE(registry, nullptr);
    const auto rows = [&](uint32_t id) {
        std::vector<std::string> seen;
        auto* list = dynamic_cast<CmSvMulti*>(registry->FindItem(id));
        for (uint32_t i = 0; list && i < list->count; ++i) {
            const CmSvOptionRecord* row = list->Row(i);
            seen.push_back(std::string(row->name ? row->name : "-") + "|" +
                           (row->display_text ? row->display_text : "-") + "|" + std::to_string(row->value) + "|" +
                           std::to_string(row->option_value));
        }
        return seen;
    };
    // The other printer has none of this one's forms.
    drvtest::FixtureDevice other{kKindUserInterface, std::strcmp(GetParam(), drvtest::kBundledPcl5ePrinter) == 0
                                                         ? drvtest::kBundledPcl5cPrinter
                                                         : drvtest::kBundledPcl5ePrinter};
    for (uint32_t id : {uint32_t{kFormTable}, uint32_t{1035}, uint32_t{1036}}) {
        const std::vector<std::string> started = rows(id);
        EXPECT_GT(started.size(), 10u) << id;
        CmSvInit* list = registry->FindItem(id)->AsInit();
        ASSERT_NE(list, nullptr) << id;
        list->Init(ctx, SettingsOf(ctx));
        EXPECT_EQ(rows(id), started) << id;
        PaperWalk elsewhere(other.Device());
        PaperRows walked;
        walked.Build(other.Device(), nullptr, 0);
        list->Init(ctx, SettingsOf(ctx));
        EXPECT_EQ(rows(id), started) << id;
    }
    const std::vector<std::string> forms = rows(kFormTable);
    EXPECT_EQ(std::count(forms.begin(), forms.end(), "USER2001|A form named to its full length|2001|2001"), 1);
}

// A paper's rule name is what the formatted print it replaced writes, cut alike in short buffers.
TEST(PaperRuleNames, AreWhatAFormattedPrintWrites) {
    std::vector<unsigned> codes(400);
    for (unsigned i = 0; i < codes.size(); ++i) codes[i] = i;
    codes.insert(codes.end(), {2000, 9999, 10000, 65535});
    for (unsigned code : codes)
        for (bool user : {false, true})
            for (size_t size : {1, 2, 5, 6, 32}) {
                char want[32], got[32];
                std::memset(want, 'x', sizeof want);
                std::memset(got, 'x', sizeof got);
                const char* known = user ? nullptr : FindValueName(valuenames::kPaper, static_cast<int>(code));
                if (known)
                    std::snprintf(want, size, "%s", known);
                else
                    std::snprintf(want, size, user ? "USER%u" : "PAPER%u", code);
                PaperRuleName(static_cast<uint16_t>(code), user, got, size);
                EXPECT_EQ(std::string(got, sizeof got), std::string(want, sizeof want))
                    << code << " " << user << " " << size;
            }
}

INSTANTIATE_TEST_SUITE_P(Bundled, PaperNames,
                         ::testing::Values(drvtest::kBundledPcl5ePrinter, drvtest::kBundledPcl5cPrinter));

}  // namespace
