// The version header of a rule text: the clause "CommonRuleVersion(n) :- true." (or the fact
// "CommonRuleVersion(n).") tells which generation of rules the text is. Texts of version 110 or
// more bring their own capability rules, so the sheet builds no capability facts for them.
#pragma once

#include <cstdint>
#include <string_view>

inline constexpr int32_t kDefaultRuleVersion = 100;

// The number of the first well-formed header clause of `text` (which ends at its first NUL, if
// any); 100 when there is none or its body is not "true". With `pdlName` the clause named
// "PDLRuleVersion" is looked for instead.
int32_t ScanRuleVersion(std::string_view text, bool pdlName = false);
