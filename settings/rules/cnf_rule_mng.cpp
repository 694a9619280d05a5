// `CmSvCnfRuleMng`: loading the rule sources, recording unsupported settings and building the
// texts. The compatibility length only decides whether a block is built; the block itself is a
// growing text, so no recorded key can outgrow it.
#include "settings/rules/cnf_rule_mng.h"

#include "core/datafile/device_data.h"
#include "core/device/service_table.h"
#include "settings/rules/initial_rules.h"
#include "settings/rules/rule_sources.h"
#include "settings/items/sv_multi.h"

#include <algorithm>
#include <limits>

namespace {

void Grow(uint32_t& length, size_t by) {
    const size_t room = std::numeric_limits<uint32_t>::max() - length;
    length += static_cast<uint32_t>(std::min(by, room));
}

}  // namespace

CmSvCnfRuleMng::CmSvCnfRuleMng(UIDEVDATA* ctx) : ctx_(ctx) {}

void CmSvCnfRuleMng::LoadRules() {
    RuleSourceLoad load;
    LoadRuleSources(ctx_, load);
    commonVersion_ = load.commonVersion;
    pdlVersion_ = load.pdlVersion;
    hasRuleText_ = load.hasText;
    ruleText_ = std::move(load.text);
    loadErrors_ = std::move(load.errors);
    if (!loadErrors_.empty()) {
        PoolString note("Drvopui rule program: ");
        note += loadErrors_;
        OutputDebugStringA(note.c_str());
    }
}

void CmSvCnfRuleMng::AddUnsupportedItem(std::string_view key) {
    unsupportedItems_.emplace_back(key);
    Grow(compatibleLength_, key.size() + 30);
}

void CmSvCnfRuleMng::AddUnsupportedElement(std::string_view key, std::span<const std::string_view> choices) {
    UnsupportedElement element;
    element.key.assign(key);
    size_t room = key.size() + 40;
    for (std::string_view choice : choices) {
        element.choices.emplace_back(choice);
        room += choice.size() + 2;
    }
    unsupportedElements_.push_back(std::move(element));
    // These lines need room of their own, and an element alone still needs its block.
    Grow(compatibleLength_, room);
}

void CmSvCnfRuleMng::AddUnsupportedElement(const CmSv& item) {
    const auto* multi = dynamic_cast<const CmSvMulti*>(&item);
    if (!multi) return;
    PoolVector<std::string_view> names;
    for (uint32_t i = 0; const CmSvOptionRecord* row = multi->Row(i); ++i)
        if (row->name) names.emplace_back(row->name);
    AddUnsupportedElement(item.key ? item.key : "", names);
}

void CmSvCnfRuleMng::BuildRules() {
    if (commonVersion_ < kSelfContainedRuleVersion) {
        DeviceData* data = ctx_ && ctx_->svc ? ctx_->svc->LoadDeviceData(ctx_) : nullptr;
        if (data) {
            initialRules_ = BuildInitialRules(*data);
            hasInitial_ = true;
        }
    }
    if (compatibleLength_ != 0) {
        compatibleRules_ = BuildCompatibleRules(unsupportedItems_, unsupportedElements_);
        hasCompatible_ = true;
    }
}
