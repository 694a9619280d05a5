// Test-only: the simulated device-information library installed under the drive root. A test
// installs the built library under the maker's file names in the Windows system folder, writes
// the description of the device it should answer as, and reads back the library's call log.
#pragma once

#include <string>
#include <vector>

namespace drvtest {

class SimulatedDevice {
public:
    // `systemFolder`: the host folder behind "C:\WINDOWS\SYSTEM".
    explicit SimulatedDevice(std::string systemFolder);

    // Copies a built library into the system folder under a Windows file name.
    void Install(const std::string& builtLibrary, const std::string& windowsName) const;
    void Remove(const std::string& windowsName) const;
    // Writes the description the library reads when it is started.
    void Describe(const std::string& description) const;

    // The lines the library logged, without the library's name, and which library wrote them.
    std::vector<std::string> CallLog() const;
    std::vector<std::string> Libraries() const;
    void ClearLog() const;
    // Lines that begin with the prefix.
    int Count(const std::string& prefix) const;
    // The first line that begins with the prefix, or empty.
    std::string First(const std::string& prefix) const;

private:
    std::string folder_;
};

}  // namespace drvtest
