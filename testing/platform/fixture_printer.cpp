// The fixture printer: the bundled hive in a temporary file, so that every test starts from the
// printers a user of the host program gets, and may add or change keys of its own.
#include "drvtest/spooler.h"

#include <gtest/gtest.h>

namespace drvtest {

namespace {

std::string HiveWith(std::string_view extra) {
    std::string text = BundledHiveText();
    if (text.empty()) ADD_FAILURE() << "the bundled hive data/printers.reg cannot be read";
    text += extra;
    return text;
}

}  // namespace

std::string BundledHiveText() { return ReadTextFile(SourceRoot() + "/data/printers.reg"); }

FixturePrinter::FixturePrinter(std::string_view name, std::string_view extra)
    : name_(name), hive_(HiveWith(extra)) {
    spooler::ClearFailures();
}

FixturePrinter::~FixturePrinter() {
    if (handle_) ClosePrinter(handle_);
    spooler::ClearFailures();
}

HANDLE FixturePrinter::Handle() {
    if (!handle_ && !OpenPrinterA(name_.data(), &handle_, nullptr))
        ADD_FAILURE() << "the fixture printer \"" << name_ << "\" does not open: error " << GetLastError();
    return handle_;
}

}  // namespace drvtest
