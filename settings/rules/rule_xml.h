// The XML subset of rule files: a small scanner, not an XML parser, that takes the elements
// "size" (a hint for the rule text's length) and "rule" (the rule text itself, up to the next
// "<"), and skips declarations, processing instructions, comments and marked sections. Rule
// files come from the driver folder, so every byte is checked and nothing is trusted.
#pragma once

#include "core/memory/pool_allocator.h"

#include <cstdint>
#include <string_view>

struct XmlRuleScan {
    bool aborted = false;      // an invalid character or construct ended the scan
    bool hasRule = false;      // a rule element was found (and the scan did not abort)
    PoolString rule;           // the text of the last rule element
    bool hasVersion = false;   // a rule element was reached, so its header was scanned
    int32_t version = 100;     // the common rule version found from that element on
    uint32_t declaredSize = 0; // the last size element's number plus 1, 0 when there was none
};

// Scans `text`, which ends at its first NUL if it has one.
XmlRuleScan ScanXmlRules(std::string_view text);
