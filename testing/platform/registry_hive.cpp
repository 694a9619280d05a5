// Temporary hive files for tests: each ScopedHive gets a directory of its own under the system's
// temporary folder, binds the registry to a file there and removes both afterwards.
#include "drvtest/registry.h"

#include <windows.h>

#include "platform/registry/hive.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace drvtest {

std::string ReadTextFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

bool WriteTextFile(const std::string& path, std::string_view text) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    return static_cast<bool>(out.flush());
}

// The tree the tests were built from, so that a test reads that tree's data whatever folder it
// runs in.
std::string SourceRoot() { return DRVOPUI_SOURCE_DIR; }

ScopedHive::ScopedHive(std::string_view text) {
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/drvopui-hive-XXXXXX";
    if (mkdtemp(pattern.data())) dir_ = pattern;
    path_ = dir_ + "/registry.reg";
    if (dir_.empty() || !WriteTextFile(path_, text)) {
        ADD_FAILURE() << "cannot create the temporary hive " << path_;
        return;
    }
    registry::HiveError error;
    if (!registry::UseHiveFile(path_, &error))
        ADD_FAILURE() << "the test hive does not load: line " << error.line << ": " << error.message;
}

ScopedHive::~ScopedHive() {
    registry::UseHiveFile("", nullptr);
    std::error_code ignored;
    if (!dir_.empty()) std::filesystem::remove_all(dir_, ignored);  // the journal and any stray file too
}

std::string ScopedHive::FileText() const {
    RegFlushKey(HKEY_LOCAL_MACHINE);
    return ReadTextFile(path_);
}

}  // namespace drvtest
