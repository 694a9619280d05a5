// Speed of the sheet's item registry over the real rule engine: the start of a sheet of 300 items
// and 2,000 choices (registration, rule loading, every initial conflict), one change with its
// propagation to 50 dependents, and the re-evaluation of the whole sheet.
#include "core/device/service_table.h"
#include "core/device/user_data.h"
#include "settings/registry/choice_item.h"
#include "settings/registry/conflict.h"
#include "settings/rules/rule_program.h"
#include "settings/items/sv_multi.h"
#include "settings/items/sv_numeric.h"
#include "settings/items/sv_onoff.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int kGroups = 100;  // each: a choice of 20, an on/off and a number
constexpr int kChoices = 20;
constexpr int kDependents = 50;

class TextProgram : public CmSvRuleProgram {
public:
    explicit TextProgram(const std::string& text) : text_(text) {}
    void LoadRules() override {}
    int32_t GetCommonRuleVersion() const override { return 110; }
    int32_t GetPdlRuleVersion() const override { return 100; }
    void AddUnsupportedItem(const char*) override {}
    void BuildRules(int) override {}
    const char* GetInitialRules() const override { return nullptr; }
    const char* GetRuleText() const override { return text_.c_str(); }
    const char* GetCompatibleRules() const override { return nullptr; }

private:
    std::string text_;
};

class BenchRegistry : public CmSvConflict {
public:
    explicit BenchRegistry(const std::string& rules) : rules_(rules) {}

protected:
    CmSvRuleProgram* CreateRuleProgram(UIDEVDATA*) override { return new TextProgram(rules_); }

private:
    const std::string& rules_;
};

// Values kept in the items alone: loading and storing succeed without touching a device mode.
class Choice : public CmSvMulti {
public:
    using CmSvMulti::CmSvMulti;
    int LoadValue(UIDEVDATA*, const uint8_t*) override { return 1; }
    int StoreValue(UIDEVDATA*, uint8_t*) override { return 1; }
};
class Flag : public CmSvOnOff {
public:
    using CmSvOnOff::CmSvOnOff;
    int LoadValue(UIDEVDATA*, const uint8_t*) override { return 1; }
    int StoreValue(UIDEVDATA*, uint8_t*) override { return 1; }
};
class Number : public CmSvNumeric {
public:
    using CmSvNumeric::CmSvNumeric;
    int LoadValue(UIDEVDATA*, const uint8_t*) override { return 1; }
    int StoreValue(UIDEVDATA*, uint8_t*) override { return 1; }
};

// A request whose service table answers only what the registry asks.
struct BenchRequest {
    BenchRequest() {
        table.GetDevmode = [](UIDEVDATA*, int) -> uint8_t* { return devmode; };
        table.GetDevmodeSize = [](UIDEVDATA*, int) -> DWORD { return sizeof devmode; };
        table.GetDeviceOptionSize = [](UIDEVDATA*) -> DWORD { return 0; };
        table.GetUserData = [](UIDEVDATA*) -> CmUserData* { return current->user.get(); };
        ctx.svc = &table;
        ctx.kind = kKindDevmode;
        current = this;
        user = std::make_unique<CmUserData>(&ctx);
    }
    static inline uint8_t devmode[2048] = {};
    static inline BenchRequest* current = nullptr;
    UiServiceTable table{};
    UIDEVDATA ctx{};
    std::unique_ptr<CmUserData> user;
};

struct Names {
    Names() {
        for (int i = 0; i < kChoices; ++i) choices.push_back("C" + std::to_string(i));
        for (int g = 0; g < kGroups; ++g)
            for (const char* kind : {"M", "F", "N"}) keys.push_back(std::string("Bench$") + kind + std::to_string(g));
        for (int i = 0; i < kChoices; ++i)
            rows.push_back(CmSvOptionRecord{choices[i].c_str(), nullptr, i, 0, 0, 1, 1, 0, 0, nullptr, 1, i, 1});
        for (int g = 0; g < kGroups; ++g) {
            const std::string m = "Bench$M" + std::to_string(g), f = "Bench$F" + std::to_string(g),
                              n = "Bench$N" + std::to_string(g);
            if (g < kDependents) rules += n + "(" + std::to_string(g + 1) + ") :- Bench$M0(C1).\n";
            rules += f + "(OFF) :- " + m + "(C3), disable.\n" + f + "(_) :- enable.\n";
            rules += "$$(_) :- " + m + "(_), " + f + "(ON), disable_element(" + m + ", [C5, C6]).\n";
            rules += n + "(10) :- " + m + "(C7).\n";
        }
    }
    std::vector<std::string> choices, keys;
    std::vector<CmSvOptionRecord> rows;
    std::string rules;
};

const Names& TheNames() {
    static Names names;
    return names;
}

struct BenchSheet {
    explicit BenchSheet(BenchRequest& request) : registry(TheNames().rules), ctx(&request.ctx) {
        request.user->SetConflict(static_cast<CmSvConflict*>(&registry));
        const Names& names = TheNames();
        for (int g = 0; g < kGroups; ++g) {
            items.emplace_back(new Choice(names.keys[3 * g].c_str(), 1000 + 3 * g, kSvKindComboBox, 0, 0, kChoices,
                                          names.rows.data()));
            items.emplace_back(new Flag(names.keys[3 * g + 1].c_str(), 1001 + 3 * g, kSvKindNone, 1, 1));
            items.emplace_back(new Number(names.keys[3 * g + 2].c_str(), 1002 + 3 * g, 0, 0, 1000));
        }
    }
    ~BenchSheet() { delete set; }
    void Start() {
        registry.StartRules(ctx);
        set = new CmSvItemSet(1, 0, 0, 0);
        registry.RegisterItemSet(ctx, set);
        for (auto& item : items) set->AddItem(ctx, item.get());
        registry.StartEngine(ctx);
    }
    // items go after the registry and its set: the set owns pseudo-items that point into them
    std::vector<std::unique_ptr<CmSv>> items;
    BenchRegistry registry;
    CmSvItemSet* set = nullptr;
    UIDEVDATA* ctx;
};

void BM_SheetStart(benchmark::State& state) {
    BenchRequest request;
    for (auto _ : state) {
        BenchSheet sheet(request);
        sheet.Start();
        benchmark::DoNotOptimize(sheet.registry.nextPseudoId);
        state.PauseTiming();
        request.user->SetConflict(nullptr);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_SheetStart)->Unit(benchmark::kMillisecond);

void BM_ControlChange(benchmark::State& state) {
    BenchRequest request;
    BenchSheet sheet(request);
    sheet.Start();
    auto* trigger = dynamic_cast<Choice*>(sheet.registry.FindItem(1000));
    uint32_t next = 1;
    for (auto _ : state) {
        trigger->current = next;
        sheet.registry.Evaluate(sheet.ctx, trigger, 1);
        next = next == 1 ? 2 : 1;
    }
    if (dynamic_cast<Number*>(sheet.registry.FindItem(1002 + 3 * (kDependents - 1)))->current == 0)
        state.SkipWithError("the change did not propagate");
    request.user->SetConflict(nullptr);
}
BENCHMARK(BM_ControlChange)->Unit(benchmark::kMicrosecond);

void BM_Reevaluate(benchmark::State& state) {
    BenchRequest request;
    BenchSheet sheet(request);
    sheet.Start();
    for (auto _ : state) sheet.registry.Reevaluate(sheet.ctx, nullptr, 1);
    request.user->SetConflict(nullptr);
}
BENCHMARK(BM_Reevaluate)->Unit(benchmark::kMillisecond);

}  // namespace
