// A session's registry started again from the engine of one it ended, against the registry a
// session opened over the same device mode starts: every item, choice row and control flag, the
// rule-change count, the settings, and everything the engine holds (each functor's flags, marks,
// recorded values and host reads, the atoms' values), on both bundled printers over a run of
// device modes that differ in what the rules read.
#include "core/device/service_table.h"
#include "core/device/user_data.h"
#include "core/library/exports_devicemode.h"
#include "core/memory/pool_text.h"
#include "drvtest/fixture_device.h"
#include "items/pdl/sdk.h"
#include "pie/api/engine.h"
#include "pie/terms/atoms.h"
#include "pie/terms/functor.h"
#include "pie/terms/term.h"
#include "settings/controls/control.h"
#include "settings/registry/choice_item.h"
#include "settings/registry/conflict.h"
#include "settings/items/sv_parts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr DWORD kOrientationKey = 0x100000 + 1039;
constexpr DWORD kPageLayoutKey = 0x10064;

std::string Term(const PlCell* cell, int depth = 0) {
    if (!cell) return "-";
    if (depth > 8) return "...";
    switch (cell->type) {
    case PL_INT: return std::to_string(cell->value);
    case PL_FUNCTOR: {
        std::string out = cell->fn.functor->name->name;
        if (cell->fn.args && cell->fn.args->count) {
            out += '(';
            for (uint32_t i = 0; i < cell->fn.args->count; ++i)
                out += (i ? "," : "") + Term(cell->fn.args->items[i], depth + 1);
            out += ')';
        }
        return out;
    }
    case PL_LIST: return "[" + Term(cell->list.head, depth + 1) + "|" + Term(cell->list.tail, depth + 1) + "]";
    default: return "#" + std::to_string(cell->type);
    }
}

// Everything the engine keeps between calls, one sorted line per functor and atom.
std::vector<std::string> EngineLines(PieEngine* engine) {
    std::vector<std::string> lines;
    pl_functor_walk(engine, 0, kPlMaxArity, [&](PlFunctor* f) {
        std::ostringstream line;
        line << "F " << f->name->name << "/" << f->arity << " owner " << (f->owner ? f->owner->name->name : "-")
             << " serial " << f->serial << " flags " << std::hex << f->flags << " marks " << f->marks << std::dec
             << " uses " << f->uses << " host " << f->host_item << " read " << (f->read_name ? f->read_name->name : "-")
             << " " << Term(f->read_value) << " " << f->read_changes << " " << f->read_query << " origin "
             << (f->origin ? f->origin->name->name : "-") << " recorded " << f->recorded_in << " constant "
             << Term(f->constant) << " props " << (f->property_values != nullptr) << " values";
        for (uint32_t i = 0; f->values && i < f->values->count; ++i) line << " " << Term(f->values->items[i]);
        lines.push_back(line.str());
    });
    for (size_t i = 0; i < engine->atom_table.capacity; ++i)
        if (const PlAtom* atom = engine->atom_table.slots[i])
            lines.push_back("A " + std::string(atom->name) + " " + std::to_string(atom->serial) + " " +
                            Term(atom->value) + " " + (atom->functor0 ? "0" : "") + (atom->functor1 ? "1" : ""));
    std::ostringstream counts;
    counts << "E flags " << std::hex << engine->flags << std::dec << " functors " << engine->functor_count
           << " readable " << engine->readable_changes << " query " << engine->query_number << " recordings "
           << engine->run.recordings;
    lines.push_back(counts.str());
    std::sort(lines.begin(), lines.end());
    return lines;
}

std::string Row(const CmSvOptionRecord& row) {
    std::ostringstream out;
    out << (row.name ? row.name : "-") << "=" << row.value << " s" << row.shown << " e" << row.enabled << " sc"
        << row.shown_changed << " ec" << row.enabled_changed << " a" << row.available << " o" << row.offered << "/"
        << row.option_value << " c" << row.control_id;
    return out.str();
}

// Every item the registry answers for, by id, with its values, rows and control flags.
std::vector<std::string> RegistryLines(UIDEVDATA* ctx) {
    CmSvConflict* registry = RegistryOf(ctx);
    std::vector<std::string> lines;
    if (!registry) return lines;
    for (uint32_t id = 0; id < registry->nextPseudoId; ++id) {
        CmSv* item = registry->FindItem(id);
        if (!item) continue;
        std::ostringstream line;
        line << id << " " << (item->key ? item->key : "-") << " t" << item->type << " k" << item->kind << " a"
             << item->available;
        if (CmSvItem* value = ValueOf(item)) {
            line << " f" << value->flags;
            if (char* text = value->GetChangeText(ctx)) {
                line << " [" << text << "]";
                FreePoolText(text);
            }
        }
        if (CmSvOnOff* onoff = OnOffOf(item)) line << " " << onoff->current << "/" << onoff->reference;
        if (CmSvNumeric* number = NumericOf(item)) line << " " << number->current << "/" << number->reference;
        if (CmSvMulti* multi = MultiOf(item)) {
            line << " " << multi->current << "/" << multi->reference << " rows";
            for (uint32_t i = 0; i < multi->count; ++i) line << " {" << Row(*multi->Row(i)) << "}";
        }
        if (CmSvControl* control = item->AsControl())
            line << " ctl " << control->shown << control->enabled << control->third << control->shownChanged
                 << control->enabledChanged << control->thirdChanged << control->needsRedisplay;
        if (CmSvChoiceItem* choice = item->AsChoice())
            line << " row " << (choice->Record() ? choice->Record() - choice->owner->table : -1);
        lines.push_back(line.str());
    }
    lines.push_back("changes " + std::to_string(registry->ruleChanges));
    CmUserData* user = ctx->svc->GetUserData(ctx);
    const uint8_t* settings = user->GetSettingsSource();
    lines.push_back("settings " + std::string(settings, settings + user->GetSettingsSourceSize()));
    return lines;
}

struct Seen {
    std::vector<std::string> registry, engine;
    std::vector<uint8_t> devmode;
    DWORD orientation = 0;
    const PieEngine* engine_ = nullptr;
};

Seen Look(HANDLE session, std::vector<uint8_t> devmode) {
    Seen seen;
    EXPECT_EQ(VomelDeviceMode(session, reinterpret_cast<LPDEVMODEA>(devmode.data()), 2, kOrientationKey,
                              &seen.orientation),
              0);
    auto* ctx = static_cast<UIDEVDATA*>(session);
    seen.registry = RegistryLines(ctx);
    if (CmSvConflict* registry = RegistryOf(ctx); registry && registry->engine) {
        seen.engine = EngineLines(registry->engine);
        seen.engine_ = registry->engine;
    }
    seen.devmode = devmode;
    return seen;
}

// The first line where two listings part, for the message.
std::string FirstDifference(const std::vector<std::string>& a, const std::vector<std::string>& b) {
    for (size_t i = 0; i < std::min(a.size(), b.size()); ++i)
        if (a[i] != b[i]) return "\n  restarted: " + a[i].substr(0, 400) + "\n  fresh:     " + b[i].substr(0, 400);
    return "\n  lengths " + std::to_string(a.size()) + " and " + std::to_string(b.size());
}

class RestartedRegistry : public ::testing::TestWithParam<const char*> {
protected:
    void SetUp() override {
        RegisterApplicationOptions();
        DWORD size = 0;
        HANDLE probe = VomelDeviceModeInit(GetParam(), nullptr, &size);
        ASSERT_NE(probe, nullptr);
        VomelDeviceModeTerm(probe);
        devmode.resize(size);
        session = VomelDeviceModeInit(GetParam(), Dm(), &size);
        ASSERT_NE(session, nullptr);
    }
    void TearDown() override {
        if (session) VomelDeviceModeTerm(session);
    }
    LPDEVMODEA Dm() { return reinterpret_cast<LPDEVMODEA>(devmode.data()); }

    HANDLE Open() {
        std::vector<uint8_t> own(devmode.size());
        DWORD size = static_cast<DWORD>(own.size());
        return VomelDeviceModeInit(GetParam(), reinterpret_cast<LPDEVMODEA>(own.data()), &size);
    }
    void SetElsewhere(DWORD key, DWORD value) {
        HANDLE other = Open();
        ASSERT_NE(other, nullptr);
        EXPECT_EQ(VomelDeviceMode(other, Dm(), 3, key, &value), 0) << std::hex << key;
        VomelDeviceModeTerm(other);
    }

    drvtest::FixtureDevice fixture;
    std::vector<uint8_t> devmode;
    HANDLE session = nullptr;
};

TEST_P(RestartedRegistry, HoldsWhatAFreshStartHolds) {
    struct Step {
        const char* change;
        std::function<void(LPDEVMODEA)> apply;
    };
    const auto paper = [](short size) {
        return [size](LPDEVMODEA dm) {
            dm->dmFields = (dm->dmFields & ~DWORD{DM_FORMNAME}) | DM_PAPERSIZE;
            dm->dmPaperSize = size;
        };
    };
    const Step steps[] = {
        {"landscape", [](LPDEVMODEA dm) { dm->dmOrientation = DMORIENT_LANDSCAPE; }},
        {"portrait", [](LPDEVMODEA dm) { dm->dmOrientation = DMORIENT_PORTRAIT; }},
        {"landscape and 3 copies",
         [](LPDEVMODEA dm) {
             dm->dmOrientation = DMORIENT_LANDSCAPE;
             dm->dmCopies = 3;
         }},
        {"letter", paper(DMPAPER_LETTER)},
        {"A5", paper(DMPAPER_A5)},
        {"two pages a sheet", [this](LPDEVMODEA) { SetElsewhere(kPageLayoutKey, 1); }},
        {"portrait again", [](LPDEVMODEA dm) { dm->dmOrientation = DMORIENT_PORTRAIT; }},
        {"two-sided", [](LPDEVMODEA dm) { dm->dmDuplex = DMDUP_VERTICAL; }},
        {"short edge", [](LPDEVMODEA dm) { dm->dmDuplex = DMDUP_HORIZONTAL; }},
        {"four pages a sheet", [this](LPDEVMODEA) { SetElsewhere(kPageLayoutKey, 2); }},
        {"landscape, A4, one-sided",
         [&](LPDEVMODEA dm) {
             dm->dmOrientation = DMORIENT_LANDSCAPE;
             paper(DMPAPER_A4)(dm);
             dm->dmDuplex = DMDUP_SIMPLEX;
         }},
        {"one page a sheet", [this](LPDEVMODEA) { SetElsewhere(kPageLayoutKey, 0); }},
        {"copies 40", [](LPDEVMODEA dm) { dm->dmCopies = 40; }},
        {"portrait, legal", [&](LPDEVMODEA dm) {
             dm->dmOrientation = DMORIENT_PORTRAIT;
             paper(DMPAPER_LEGAL)(dm);
         }},
    };
    std::set<const PieEngine*> engines{Look(session, devmode).engine_};
    int restarts = 0;
    for (const Step& step : steps) {
        step.apply(Dm());
        const Seen restarted = Look(session, devmode);
        restarts += engines.insert(restarted.engine_).second ? 0 : 1;
        HANDLE freshSession = Open();
        ASSERT_NE(freshSession, nullptr);
        const Seen fresh = Look(freshSession, devmode);
        VomelDeviceModeTerm(freshSession);
        EXPECT_EQ(restarted.orientation, fresh.orientation) << step.change;
        EXPECT_TRUE(restarted.registry == fresh.registry)
            << GetParam() << ", " << step.change << FirstDifference(restarted.registry, fresh.registry);
        EXPECT_TRUE(restarted.engine == fresh.engine)
            << GetParam() << ", " << step.change << FirstDifference(restarted.engine, fresh.engine);
        EXPECT_EQ(restarted.devmode, fresh.devmode) << step.change;
    }
    // Most steps start the registry from an engine an earlier one loaded.
    EXPECT_GE(restarts, 5) << GetParam();
}

INSTANTIATE_TEST_SUITE_P(BundledPrinters, RestartedRegistry,
                         ::testing::Values(drvtest::kBundledPcl5ePrinter, drvtest::kBundledPcl5cPrinter));

}  // namespace
