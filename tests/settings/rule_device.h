// Test support of the rule-program tests: a printer whose driver data file is the bundled PCL5e
// description with its rule source replaced by the lines a test gives, plus files in the driver
// folder; and a check that texts load into a real engine.
#pragma once

#include "core/device/uidevdata.h"

#include <drvtest/fixture_device.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace ruletest {

struct DriverFile {
    std::string name;   // in the driver folder
    std::string bytes;
};

class RuleDevice {
public:
    // `ruleLines` replace the bundled description's rule source lines (RuleSourceKind, RuleText,
    // RuleFileName, RuleFileUnpackedSize and the items 2061 to 2064).
    RuleDevice(const std::string& ruleLines, const std::vector<DriverFile>& files = {});
    UIDEVDATA* Device() const { return device_; }

private:
    std::unique_ptr<drvtest::FixtureDevice> fixture_;
    UIDEVDATA* device_ = nullptr;
};

// The texts (nulls skipped) loaded in order into a fresh engine with a recording host: the
// first PIE_main result that is not 0, or 0 when all loaded.
int LoadIntoEngine(const std::vector<const char*>& texts);

// The zlib stream of `bytes`.
std::string Deflate(const std::string& bytes);

}  // namespace ruletest
