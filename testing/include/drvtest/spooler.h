// Test-only control of the spooler: chosen failures of its calls (error 87 while a printer is
// being set up, for instance) and a fixture printer installed in a temporary hive.
#pragma once

#include "drvtest/registry.h"
#include "platform/spooler/fault_injection.h"

#include <windows.h>

#include <string>
#include <string_view>

namespace drvtest {

// The next `count` calls of `function` ("OpenPrinterA", ...; null for any spooler function)
// fail with `error`.
inline void FailSpoolerCalls(const char* function, DWORD error, unsigned count) {
    spooler::FailCalls(function, error, count);
}
// Disarms every failure and resets the call counts.
inline void ClearSpoolerFailures() { spooler::ClearFailures(); }
inline unsigned SpoolerCallCount(const char* function) { return spooler::CallCount(function); }

// The printers of the bundled hive (data/printers.reg).
inline constexpr const char* kBundledPcl5ePrinter = "Vomel Kelvaro PCL5e";
inline constexpr const char* kBundledPcl5cPrinter = "Vomel Kelvaro PCL5c";

// The bundled hive's text, read from the source tree.
std::string BundledHiveText();

// A temporary hive holding the bundled printers, plus `extra` REGEDIT4 sections (without the
// header) applied after them; failures of spooler calls are disarmed on both ends.
class FixturePrinter {
public:
    explicit FixturePrinter(std::string_view name = kBundledPcl5ePrinter, std::string_view extra = {});
    ~FixturePrinter();

    const std::string& Name() const { return name_; }
    ScopedHive& Hive() { return hive_; }
    // A handle opened on the printer (once), closed with the fixture.
    HANDLE Handle();

private:
    std::string name_;
    ScopedHive hive_;
    HANDLE handle_ = nullptr;
};

}  // namespace drvtest
