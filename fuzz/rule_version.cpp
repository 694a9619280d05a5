// Fuzz target of the rule version header scan: any bytes give the default version 100 unless the
// text holds the header's name followed by an opening parenthesis, for either name.
#include "settings/rules/rule_version.h"

#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::string_view upToNul = text.substr(0, text.find('\0'));
    for (bool pdl : {false, true}) {
        const int32_t version = ScanRuleVersion(text, pdl);
        const std::string_view name = pdl ? "PDLRuleVersion" : "CommonRuleVersion";
        if (version != 100 && upToNul.find(name) == std::string_view::npos) std::abort();
        if (version < 0) std::abort();
    }
    return 0;
}
