// `CmSvCnfRuleMng`: the rule program of one property sheet. It takes the driver's rule text and
// rule versions at sheet start, records the settings the page-description-language layer does
// not support while the item sets are built, and, when the engine starts, builds the capability
// facts and the compatibility block. The three texts are handed to the engine in the order
// initial rules, rule text, compatibility block, each only when present.
#pragma once

#include "core/memory/pool_allocator.h"
#include "core/memory/pool_object.h"
#include "core/device/uidevdata.h"
#include "settings/rules/compatible_rules.h"
#include "settings/items/sv.h"

#include <cstdint>
#include <span>
#include <string_view>

class CmSvCnfRuleMng : public PoolObject {
public:
    explicit CmSvCnfRuleMng(UIDEVDATA* ctx);
    virtual ~CmSvCnfRuleMng() = default;
    CmSvCnfRuleMng(const CmSvCnfRuleMng&) = delete;
    CmSvCnfRuleMng& operator=(const CmSvCnfRuleMng&) = delete;

    // Takes the rule text and the versions from the driver's rule source.
    void LoadRules();
    int32_t GetCommonRuleVersion() const { return commonVersion_; }
    int32_t GetPdlRuleVersion() const { return pdlVersion_; }

    // Records a setting the page-description-language layer does not support. Its key is copied:
    // the block is built later, when the item may be gone.
    void AddUnsupportedItem(const CmSv& item) { AddUnsupportedItem(item.key ? item.key : ""); }
    void AddUnsupportedItem(std::string_view key);
    // Records the choices of a multiple-choice setting as unsupported; any other item is skipped.
    void AddUnsupportedElement(const CmSv& item);
    void AddUnsupportedElement(std::string_view key, std::span<const std::string_view> choices);

    // Builds the initial rules when the common version is below 110 and the compatibility block
    // when anything unsupported was recorded.
    void BuildRules();

    // The three texts, null when absent.
    const char* GetInitialRules() const { return hasInitial_ ? initialRules_.c_str() : nullptr; }
    const char* GetRuleText() const { return hasRuleText_ ? ruleText_.c_str() : nullptr; }
    const char* GetCompatibleRules() const { return hasCompatible_ ? compatibleRules_.c_str() : nullptr; }

    // What LoadRules could not take, one line per source; null when everything loaded.
    const char* GetLoadErrors() const { return loadErrors_.empty() ? nullptr : loadErrors_.c_str(); }

private:
    UIDEVDATA* ctx_;
    int32_t commonVersion_ = 100;
    int32_t pdlVersion_ = 100;
    uint32_t compatibleLength_ = 0;  // room the block needs; 0: nothing unsupported, no block
    bool hasInitial_ = false;
    bool hasRuleText_ = false;
    bool hasCompatible_ = false;
    PoolString initialRules_;
    PoolString ruleText_;
    PoolString compatibleRules_;
    PoolString loadErrors_;
    PoolVector<PoolString> unsupportedItems_;  // in the order they were recorded
    PoolVector<UnsupportedElement> unsupportedElements_;
};

// The common rule version from which a rule text brings its own capability rules.
inline constexpr int32_t kSelfContainedRuleVersion = 110;
