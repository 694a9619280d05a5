// Test-only: a printer ready for the core in one line. The library is attached, a temporary
// drive root holds the printer's driver data file (generated from the bundled description) and
// the resource module, a temporary hive holds the bundled printers, and a `UIDEVDATA` of the
// chosen kind is built over the printer, so that every test starts from a real printer.
#pragma once

#include "core/device/uidevdata.h"
#include "drvtest/spooler.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace drvtest {

// Files every fixture made afterwards finds under its drive root before its device is built (a
// maker's library in the system folder, files it reads): the path under "C:\" with '/' between
// folders, and the host file to copy there (empty: an empty file). Replaces the earlier list.
struct FixtureFile {
    std::string path;
    std::string source;
};
void SetFixtureFiles(std::vector<FixtureFile> files);

class FixtureDevice {
public:
    explicit FixtureDevice(int kind = kKindDevmode, std::string_view printer = kBundledPcl5ePrinter,
                           std::string_view extraHive = {});
    ~FixtureDevice();
    FixtureDevice(const FixtureDevice&) = delete;
    FixtureDevice& operator=(const FixtureDevice&) = delete;

    // The device object (null when it could not be built; the test has then failed).
    UIDEVDATA* Device() const { return device_; }
    UIDEVDATA* operator->() const { return device_; }
    // A further device object on the same printer, destroyed with the fixture.
    UIDEVDATA* Make(int kind, int subtype = 0);
    FixturePrinter& Printer() { return *printer_; }
    // The host folder behind "C:\".
    const std::string& Root() const { return root_; }

private:
    bool attached_ = false;
    std::string previousRoot_;
    std::string root_;
    std::unique_ptr<FixturePrinter> printer_;
    UIDEVDATA* device_ = nullptr;
    std::vector<UIDEVDATA*> more_;
};

}  // namespace drvtest
