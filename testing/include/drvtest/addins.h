// Test-only: the maker's side of add-ins. Signing with the maker's key (a test key whose public
// half the library holds) or with a key of its own, and installing the sample add-in
// (testing/addins/standin) for a printer as an installer does.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace drvtest {

inline constexpr char kSampleAddInClass[] = "{7E2B9C14-0A53-4D6F-8B21-3C4D5E6F7A81}";
inline constexpr char kSampleAddInTitle[] = "Sample Add-In";
inline constexpr int kSampleAddInCheckId = 3001;

enum class AddInSigning { Maker, OtherKey, None };

// Appends the signature block of the add-in file format to `bytes`: signed with the maker's key,
// with a key of its own, or (None) nothing appended.
void SignAddIn(std::vector<uint8_t>& bytes, AddInSigning signing = AddInSigning::Maker);

struct SampleAddInSetup {
    std::string file = "SAMPLEUI.DLL";  // the add-in's name in the driver folder
    std::string cpi = "SAMPLE.CPI";     // its description file there
    AddInSigning signing = AddInSigning::Maker;
    std::string registeredPath;  // where its class is registered, an unsigned copy put there; empty: the file it describes
    std::string description;     // the description's text; empty: one line for the add-in
};

// Installs the sample add-in for the printer as an installer does: its file in the driver
// folder (signed as told), the description file, the class registered, and the printer's
// install record "CustomCode" naming the description. False when a step fails.
bool InstallSampleAddIn(const char* printer, const SampleAddInSetup& setup = {});

}  // namespace drvtest
