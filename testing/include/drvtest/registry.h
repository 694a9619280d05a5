// Test-only control of the registry: a temporary hive file made from REGEDIT4 text and bound to
// the registry for the life of one test, so that each test starts from a known registry and can
// read back the exact file the registry saved.
#pragma once

#include <string>
#include <string_view>

namespace drvtest {

// A registry that holds one installed printer, "Office", and nothing of its driver yet.
inline constexpr char kOfficePrinterHive[] =
    "REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\control\\Print\\Printers\\Office]\n"
    "\"Name\"=\"Office\"\n";

class ScopedHive {
public:
    // Writes the text to a fresh temporary file and binds the registry to it; the test fails
    // (ADD_FAILURE) when the text does not load.
    explicit ScopedHive(std::string_view text = "REGEDIT4\n");
    // Unbinds the registry (it is left empty, in memory) and removes the file with its folder.
    ~ScopedHive();
    ScopedHive(const ScopedHive&) = delete;
    ScopedHive& operator=(const ScopedHive&) = delete;

    const std::string& Path() const { return path_; }
    // The hive file as it is on disk once the registry has written its changes through to it
    // (RegFlushKey): the bytes a saved registry holds.
    std::string FileText() const;

private:
    std::string dir_;
    std::string path_;
};

// Reads a whole file; empty when it cannot be read.
std::string ReadTextFile(const std::string& path);
// Writes a whole file; false on failure.
bool WriteTextFile(const std::string& path, std::string_view text);
// The source tree's root, where data/ holds the bundled hive and the data file descriptions.
std::string SourceRoot();

}  // namespace drvtest
