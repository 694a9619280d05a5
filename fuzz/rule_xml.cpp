// Fuzz target of the XML subset scanner of rule files: any bytes give either no rule text, or a
// rule text that is a run of the input with no "<" and no control character outside white space,
// and a rule version only when a rule element was reached.
#include "settings/rules/rule_xml.h"

#include <cstdlib>
#include <cstring>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    XmlRuleScan scan = ScanXmlRules(text);
    if (scan.aborted && scan.hasRule) std::abort();
    if (!scan.hasRule) {
        if (!scan.rule.empty()) std::abort();
        return 0;
    }
    if (!scan.hasVersion || text.find(std::string_view(scan.rule)) == std::string_view::npos) std::abort();
    for (char c : scan.rule) {
        const unsigned char u = static_cast<unsigned char>(c);
        if (c == '<' || (u < 0x20 && !std::strchr("\t\n\f\r", c)) || u == 0x7f) std::abort();
    }
    return 0;
}
