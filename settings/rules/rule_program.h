// What the item registry needs of the sheet's rule program: the rule versions, the settings the
// page-description-language layer leaves unsupported, and the three texts the engine loads, in
// the order initial rules, rule text, compatibility rules (each null when absent).
#pragma once

#include "core/memory/pool_object.h"

#include <cstdint>

class CmSvRuleProgram : public PoolObject {
public:
    virtual ~CmSvRuleProgram() = default;
    virtual void LoadRules() = 0;
    virtual int32_t GetCommonRuleVersion() const = 0;
    virtual int32_t GetPdlRuleVersion() const = 0;
    virtual void AddUnsupportedItem(const char* key) = 0;
    virtual void BuildRules(int word) = 0;
    virtual const char* GetInitialRules() const = 0;
    virtual const char* GetRuleText() const = 0;
    virtual const char* GetCompatibleRules() const = 0;
};
