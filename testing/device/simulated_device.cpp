// Installing the simulated device-information library and reading its call log.
#include "drvtest/simulated_device.h"

#include <filesystem>
#include <fstream>
#include <sstream>

namespace drvtest {

SimulatedDevice::SimulatedDevice(std::string systemFolder) : folder_(std::move(systemFolder)) {
    std::filesystem::create_directories(folder_);
}

void SimulatedDevice::Install(const std::string& builtLibrary, const std::string& windowsName) const {
    std::filesystem::copy_file(builtLibrary, folder_ + "/" + windowsName,
                               std::filesystem::copy_options::overwrite_existing);
}

void SimulatedDevice::Remove(const std::string& windowsName) const {
    std::filesystem::remove(folder_ + "/" + windowsName);
}

void SimulatedDevice::Describe(const std::string& description) const {
    std::ofstream(folder_ + "/ZDSVSIM.TXT", std::ios::binary | std::ios::trunc) << description;
}

namespace {
std::vector<std::pair<std::string, std::string>> ReadLog(const std::string& path) {
    std::vector<std::pair<std::string, std::string>> lines;
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line)) {
        size_t space = line.find(' ');
        if (space == std::string::npos) continue;
        lines.emplace_back(line.substr(0, space), line.substr(space + 1));
    }
    return lines;
}
}  // namespace

std::vector<std::string> SimulatedDevice::CallLog() const {
    std::vector<std::string> out;
    for (auto& [library, text] : ReadLog(folder_ + "/ZDSVSIM.LOG")) out.push_back(text);
    return out;
}

std::vector<std::string> SimulatedDevice::Libraries() const {
    std::vector<std::string> out;
    for (auto& [library, text] : ReadLog(folder_ + "/ZDSVSIM.LOG")) out.push_back(library);
    return out;
}

void SimulatedDevice::ClearLog() const { std::filesystem::remove(folder_ + "/ZDSVSIM.LOG"); }

int SimulatedDevice::Count(const std::string& prefix) const {
    int n = 0;
    for (const std::string& line : CallLog()) n += line.rfind(prefix, 0) == 0;
    return n;
}

std::string SimulatedDevice::First(const std::string& prefix) const {
    for (const std::string& line : CallLog())
        if (line.rfind(prefix, 0) == 0) return line;
    return {};
}

}  // namespace drvtest
