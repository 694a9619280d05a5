// Test-only: installing the sample add-in for a printer (see drvtest/addins.h), through the
// platform as an installer program would: files written by their Windows names, the class under
// the machine's classes root, the install record among the printer's data.
#include "drvtest/addins.h"

#include "core/addins/addin_table.h"

#include <windows.h>
#include <winspool.h>

#include <fstream>
#include <iterator>

namespace drvtest {
namespace {

bool WriteWindowsFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const bool ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) && written == bytes.size();
    CloseHandle(file);
    return ok;
}

bool RegisterClassFile(const std::string& path) {
    const std::string key = std::string("SOFTWARE\\Classes\\CLSID\\") + kSampleAddInClass + "\\InprocServer32";
    HKEY handle = nullptr;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &handle, nullptr) != ERROR_SUCCESS)
        return false;
    const LONG rc = RegSetValueExA(handle, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(path.c_str()),
                                   static_cast<DWORD>(path.size() + 1));
    RegCloseKey(handle);
    return rc == ERROR_SUCCESS;
}

bool SetInstallRecord(const char* printer, const std::string& cpi) {
    HANDLE handle = nullptr;
    if (!OpenPrinterA(const_cast<LPSTR>(printer), &handle, nullptr)) return false;
    const DWORD rc = SetPrinterDataA(handle, const_cast<LPSTR>(kAddInInstallRecord), REG_SZ,
                                     reinterpret_cast<LPBYTE>(const_cast<char*>(cpi.c_str())), static_cast<DWORD>(cpi.size() + 1));
    ClosePrinter(handle);
    return rc == ERROR_SUCCESS;
}

}  // namespace

bool InstallSampleAddIn(const char* printer, const SampleAddInSetup& setup) {
    char folder[MAX_PATH] = {};
    DWORD needed = 0;
    if (!GetPrinterDriverDirectoryA(nullptr, nullptr, 1, reinterpret_cast<LPBYTE>(folder), sizeof folder, &needed)) return false;
    std::ifstream in(STANDIN_ADDIN, std::ios::binary);
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (bytes.empty()) return false;
    // A class registered elsewhere names a file put there unsigned: what COM would load instead.
    if (!setup.registeredPath.empty() && !WriteWindowsFile(setup.registeredPath, bytes)) return false;
    SignAddIn(bytes, setup.signing);
    const std::string file = std::string(folder) + "\\" + setup.file;
    const std::string description = !setup.description.empty()
                                        ? setup.description
                                        : "[Add-Ins]\r\nSample=" + std::string(kSampleAddInClass) + "," + setup.file +
                                              ",Staples every copy\r\n";
    return WriteWindowsFile(file, bytes) &&
           WriteWindowsFile(std::string(folder) + "\\" + setup.cpi, std::vector<uint8_t>(description.begin(), description.end())) &&
           RegisterClassFile(setup.registeredPath.empty() ? file : setup.registeredPath) && SetInstallRecord(printer, setup.cpi);
}

}  // namespace drvtest
