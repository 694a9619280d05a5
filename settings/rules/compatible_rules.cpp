// Writing the compatibility block. The print-position rules switch the three positions to NONE
// when an application that asked for the document-property setting DPOD drives the driver
// through the option interface, and mark the page-composition tool's position printing on the
// older platforms.
#include "settings/rules/compatible_rules.h"

namespace {

constexpr std::string_view kFixed =
    "$bFolionixON(ON) :- (win9X | win2k), (not Layout$PrintDatePosition(NONE) | "
    "not Layout$PrintUserPosition(NONE) | not Layout$PrintPagePosition(NONE)).\n"
    "Layout$PrintDatePosition(NONE) :- SDK, ^DocProp$SettingForApps, DocProp$SettingForApps(DPOD).\n"
    "Layout$PrintUserPosition(NONE) :- SDK, ^DocProp$SettingForApps, DocProp$SettingForApps(DPOD).\n"
    "Layout$PrintPagePosition(NONE) :- SDK, ^DocProp$SettingForApps, DocProp$SettingForApps(DPOD).\n";

}  // namespace

std::string_view FixedCompatibleRules() { return kFixed; }

PoolString BuildCompatibleRules(std::span<const PoolString> items, std::span<const UnsupportedElement> elements) {
    PoolString out;
    out += "#> Compatible Rule\n";
    for (const PoolString& key : items) {
        out += key;
        out += "(_) :- { unsupported }.\n";
    }
    for (const UnsupportedElement& element : elements) {
        out += "$$(_) :- { unsupported_element(";
        out += element.key;
        out += ", [";
        for (size_t i = 0; i < element.choices.size(); ++i) {
            if (i) out += ", ";
            out += element.choices[i];
        }
        out += "]) }.\n";
    }
    out += kFixed;
    out += "#< Compatible Rule\n";
    return out;
}
