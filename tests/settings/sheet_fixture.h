// A sheet over the real rule engine for the registry tests: the items of the test dialog
// registered on one page, a rule program given as text, and the registry in the request's user
// data for the lifetime of the fixture.
#pragma once

#include "drvtest/fixture_device.h"
#include "item_fixture.h"
#include "settings/registry/conflict.h"
#include "settings/rules/rule_program.h"
#include "settings/items/second_key.h"
#include "settings/items/sv_interfaces.h"

#include <string>
#include <vector>

namespace sheettest {

using namespace itemtest;

inline constexpr uint32_t kPage = 200;

class TextRuleProgram : public CmSvRuleProgram {
public:
    explicit TextRuleProgram(std::string text, std::string initial = {}) : text_(std::move(text)), initial_(std::move(initial)) {}
    void LoadRules() override {}
    int32_t GetCommonRuleVersion() const override { return 100; }
    int32_t GetPdlRuleVersion() const override { return 100; }
    void AddUnsupportedItem(const char* key) override { unsupported.push_back(key); }
    void BuildRules(int) override {
        compatible_.clear();
        for (const std::string& key : unsupported) compatible_ += key + "(_) :- { unsupported }.\n";
    }
    const char* GetInitialRules() const override { return initial_.empty() ? nullptr : initial_.c_str(); }
    const char* GetRuleText() const override { return text_.empty() ? nullptr : text_.c_str(); }
    const char* GetCompatibleRules() const override { return compatible_.empty() ? nullptr : compatible_.c_str(); }

    std::vector<std::string> unsupported;

private:
    std::string text_, initial_, compatible_;
};

class TestRegistry : public CmSvConflict {
public:
    std::string rules, initialRules;
    TextRuleProgram* program = nullptr;

protected:
    CmSvRuleProgram* CreateRuleProgram(UIDEVDATA*) override {
        return program = new TextRuleProgram(rules, initialRules);
    }
};

// An action item: the rules call it with names and it answers a number, or refuses "no".
class JobAction : public CmSvNumeric, public CmSvAction {
public:
    CmSvAction* AsAction() override { return this; }
    JobAction() : CmSvNumeric("Test$Job", 3010, 0, 0, 1000) {}
    int Action(UIDEVDATA*, int count, const char* const* names, PieValue* out) override {
        calls.push_back(count > 0 && names[0] ? names[0] : "");
        if (count > 0 && names[0] && std::string(names[0]) == "no") return 0;
        if (out) *out = PieValue{3, 7};
        return 1;
    }
    std::vector<std::string> calls;
};

// A secondary key: the width of a choice of the property item.
class WidthKey : public CmSvSecondKey {
public:
    explicit WidthKey(CmSvProperty* owner) : CmSvSecondKey(3, "Width", owner) {}
    int GetValue(UIDEVDATA*, void* entry, PieValue* out) override {
        *out = PieValue{3, static_cast<intptr_t>(static_cast<const CmSvOptionRecord*>(entry)->value * 10 + 100)};
        return 1;
    }
    int GetSecondValue(UIDEVDATA*, void*, PieValue* in) override {
        written = static_cast<int32_t>(in->value);
        return 1;
    }
    int32_t written = -1;
};

inline const CmSvOptionRecord kPaperRows[] = {Row("A4", nullptr, 0, 0, 0, 40), Row("A3", nullptr, 1, 0, 0, 41),
                                              Row("B5", nullptr, 2, 0, 0, 42)};

// A multiple-choice item without a control (its choices are pseudo-items for its option key), with secondary keys per choice, and a preview
// update (key 5): a preview event selects the choice whose value it carries.
class PaperItem : public CmSvMulti, public CmSvProperty, public CmSvPreview, public CmSvSdk_Multi {
public:
    CmSvProperty* AsProperty() override { return this; }
    CmSvPreview* AsPreview() override { return this; }
    CmSvSdk* AsSdk() override { return this; }
    PaperItem() : CmSvMulti("Test$Paper", 3011, kSvKindNone, 0, 0, 3, kPaperRows), CmSvSdk_Multi(0x10080, 4, 0) {
        previewKey = 5;
        for (uint32_t i = 0; i < count; ++i) AddEntry(table[i].name, &table[i]);
        width = new WidthKey(this);
        AddKey(width);
    }
    int Preview(UIDEVDATA*, intptr_t a, intptr_t, intptr_t, intptr_t) override {
        const uint32_t at = FindValue(static_cast<int32_t>(a));
        if (at >= count || at == current) return 0;
        current = at;
        return 1;
    }
    int LoadValue(UIDEVDATA* ctx, const uint8_t* source) override {
        const uint32_t at = FindValue(GetShort(ctx, source, kPaperOption));
        current = at < count ? at : 0;
        return 1;
    }
    int StoreValue(UIDEVDATA* ctx, uint8_t* destination) override {
        SetShort(ctx, destination, kPaperOption, static_cast<int16_t>(CurrentRow()->value));
        return 1;
    }
    static constexpr DWORD kPaperOption = 123;
    WidthKey* width;
};

// Paper trays known only at run time: Init rebuilds the rows from the names the device has now.
class TrayItem : public CmSvMulti, public CmSvInit, public CmSvSdk_Multi {
public:
    CmSvInit* AsInit() override { return this; }
    CmSvSdk* AsSdk() override { return this; }
    TrayItem() : CmSvMulti("Test$Tray", 3012, kSvKindNone, 0, 0, 0, nullptr), CmSvSdk_Multi(0x10081, 4, 0) {}
    int Init(UIDEVDATA*, const uint8_t*) override {
        rows.clear();
        for (const Tray& tray : trays) rows.push_back(itemtest::Row(tray.name, nullptr, tray.value, 0, 0, tray.value));
        UseTable(rows.data(), static_cast<uint32_t>(rows.size()));
        return 1;
    }
    int LoadValue(UIDEVDATA*, const uint8_t*) override { return 1; }
    int StoreValue(UIDEVDATA*, uint8_t*) override { return 1; }
    struct Tray {
        const char* name;
        int32_t value;
    };
    std::vector<Tray> trays{{"CASSETTE1", 1}, {"CASSETTE2", 2}, {"MANUAL", 4}};
    std::vector<CmSvOptionRecord> rows;
};

// A number the rules know as a constant of their program (the device's copy limit, say).
class LimitConstant : public CmSvNumeric {
public:
    LimitConstant() : CmSvNumeric("Test$Limit", 3013, 42, 0, 999) { flags |= kConstant; }
    int LoadValue(UIDEVDATA*, const uint8_t*) override { return 1; }
};

// The request's sheet: the test dialog's items and the two above on page kPage.
class Sheet {
public:
    Sheet(UIDEVDATA* ctx, std::string rules, std::string initialRules = {}) : ctx_(ctx) {
        registry.rules = std::move(rules);
        registry.initialRules = std::move(initialRules);
        ctx->svc->GetUserData(ctx)->SetConflict(static_cast<CmSvConflict*>(&registry));
        items = {new LockButton, new CollateBox,  NewColourRadio(), NewOrderCombo(), NewEdgeList(),
                 new NumberField(false), new NumberField(true), new NameField, new JobAction, new PaperItem, new LimitConstant};
    }
    ~Sheet() {
        ctx_->svc->GetUserData(ctx_)->SetConflict(nullptr);
        delete set;
        for (CmSv* item : items) delete item;
    }
    // Starts the rules, registers the page and loads the rule program, as the sheet's start does.
    bool Start() {
        started = registry.StartRules(ctx_);
        set = new CmSvItemSet(kPage, 0, 0, 0);
        registry.RegisterItemSet(ctx_, set);
        for (CmSv* item : items) set->AddItem(ctx_, item);
        for (const std::string& key : unsupported) registry.AddUnsupportedItem(key.c_str());
        registry.StartEngine(ctx_);
        return started == 1;
    }
    template <typename T>
    T* Find() const {
        for (CmSv* item : items)
            if (auto* found = dynamic_cast<T*>(item)) return found;
        return nullptr;
    }
    uint8_t* Settings() const { return ctx_->svc->GetUserData(ctx_)->GetSettingsSource(); }

    TestRegistry registry;
    CmSvItemSet* set = nullptr;
    std::vector<CmSv*> items;
    std::vector<std::string> unsupported;  // told to the rule program before the engine loads
    int started = 0;

private:
    UIDEVDATA* ctx_;
};

}  // namespace sheettest
