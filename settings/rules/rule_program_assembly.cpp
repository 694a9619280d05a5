// The sheet's rule program as the rule assembly builds it (`CmSvCnfRuleMng`: the driver's rule
// sources, the capability facts, the compatibility block), behind the registry's interface, which
// tests and other registries may fill with a program of their own.
#include "settings/rules/cnf_rule_mng.h"
#include "settings/registry/conflict.h"
#include "settings/rules/rule_program.h"

namespace {

class AssembledRuleProgram : public CmSvRuleProgram {
public:
    explicit AssembledRuleProgram(UIDEVDATA* ctx) : rules_(ctx) {}
    void LoadRules() override { rules_.LoadRules(); }
    int32_t GetCommonRuleVersion() const override { return rules_.GetCommonRuleVersion(); }
    int32_t GetPdlRuleVersion() const override { return rules_.GetPdlRuleVersion(); }
    void AddUnsupportedItem(const char* key) override { rules_.AddUnsupportedItem(std::string_view(key)); }
    // The registry's rule word is 0 in every registry; the assembly takes none.
    void BuildRules(int) override { rules_.BuildRules(); }
    const char* GetInitialRules() const override { return rules_.GetInitialRules(); }
    const char* GetRuleText() const override { return rules_.GetRuleText(); }
    const char* GetCompatibleRules() const override { return rules_.GetCompatibleRules(); }

private:
    CmSvCnfRuleMng rules_;
};

}  // namespace

CmSvRuleProgram* CmSvConflict::CreateRuleProgram(UIDEVDATA* ctx) { return new AssembledRuleProgram(ctx); }
