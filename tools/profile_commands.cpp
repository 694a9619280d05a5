// The profile commands of the host program. Listing, applying and importing are requests of the
// option interface; exporting writes the profile file from the profile's record in the current
// user's registry (the library's store), so it serves the user's own profiles: the built-in ones
// have no stored record.
#include "tools/profile_commands.h"

#include "profiles/profile_layout.h"
#include "tools/devmode_listing.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

constexpr DWORD kProfileList = 0x1007D, kProfileImport = 0x1007C;
constexpr DWORD kKindCount = 1, kKindGet = 2, kKindSet = 3, kKindList = 4, kKindAction = 8;
constexpr size_t kNameRoom = 64;      // a profile name as the interface exchanges it
constexpr size_t kImportPathRoom = 520;
constexpr char kImportCopy[] = "C:\\WINDOWS\\TEMP\\DRVHOST.PFL";
constexpr char kProfilesRoot[] = "Software\\Vomel";

std::vector<std::string> Listed(decltype(&VomelDeviceMode) request, HANDLE session, std::vector<uint8_t>& settings) {
    auto* dm = reinterpret_cast<LPDEVMODEA>(settings.data());
    DWORD count = 0;
    if (request(session, dm, kKindCount, kProfileList, &count) != 0 || count > 0x1000) return {};
    std::vector<char> names(kNameRoom * (count + 1), 0);
    if (request(session, dm, kKindList, kProfileList, names.data()) != 0) return {};
    std::vector<std::string> out;
    for (DWORD i = 0; i < count; ++i) out.emplace_back(&names[kNameRoom * i], strnlen(&names[kNameRoom * i], kNameRoom));
    return out;
}

// The stored record of a user profile: the key below "Software\Vomel\<language>\<printer>" that
// holds it, whichever page-description language the printer speaks.
std::vector<uint8_t> StoredRecord(const std::string& printer, const std::string& name) {
    HKEY root = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kProfilesRoot, 0, KEY_READ, &root) != ERROR_SUCCESS) return {};
    std::vector<uint8_t> record;
    char language[MAX_PATH];
    for (DWORD i = 0; record.empty(); ++i) {
        DWORD length = sizeof language;
        if (RegEnumKeyExA(root, i, language, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        const std::string path = std::string(language) + "\\" + printer + "\\" + profile::kProfileKey + "\\" + name;
        HKEY key = nullptr;
        if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) continue;
        DWORD size = 0, type = 0, room = sizeof size;
        if (RegQueryValueExA(key, profile::kSizeValue, nullptr, &type, reinterpret_cast<LPBYTE>(&size), &room) ==
                ERROR_SUCCESS &&
            type == REG_DWORD && size > profile::kRecordDevmode && size <= profile::kRecordLimit) {
            std::vector<uint8_t> data(size);
            room = size;
            if (RegQueryValueExA(key, profile::kDataValue, nullptr, &type, data.data(), &room) == ERROR_SUCCESS &&
                type == REG_BINARY && room == size)
                record = std::move(data);
        }
        RegCloseKey(key);
    }
    RegCloseKey(root);
    return record;
}

int List(decltype(&VomelDeviceMode) request, HANDLE session, std::vector<uint8_t>& settings, const std::string& printer) {
    const std::vector<std::string> names = Listed(request, session, settings);
    char applied[kNameRoom + 1] = {};
    request(session, reinterpret_cast<LPDEVMODEA>(settings.data()), kKindGet, kProfileList, applied);
    std::printf("\nprofiles of \"%s\": %zu\n", printer.c_str(), names.size());
    for (const std::string& name : names)
        std::printf("  %-32s %s%s\n", name.c_str(), StoredRecord(printer, name).empty() ? "built-in" : "user",
                    name == applied ? ", applied" : "");
    return 0;
}

int Apply(decltype(&VomelDeviceMode) request, HANDLE session, std::vector<uint8_t>& settings, const std::string& name) {
    char data[kNameRoom] = {};
    std::memcpy(data, name.data(), std::min(name.size(), kNameRoom - 1));
    const std::vector<uint8_t> before = settings;
    const LONG answer = request(session, reinterpret_cast<LPDEVMODEA>(settings.data()), kKindSet, kProfileList, data);
    std::printf("\napply profile \"%s\": answer %d%s\n", name.c_str(), static_cast<int>(answer),
                answer == 0 ? "" : " (no such profile, or its settings were refused)");
    if (answer != 0) return 1;
    if (ListDevmodeChanges(stdout, "before", before, "after", settings) == 0) std::printf("  the device mode did not change\n");
    return 0;
}

// The file is handed to the library under a path of the drive it sees, as a file dialog would.
int Import(decltype(&VomelDeviceMode) request, HANDLE session, std::vector<uint8_t>& settings, const std::string& file) {
    std::error_code error;
    const auto size = std::filesystem::file_size(file, error);
    std::vector<uint8_t> bytes;
    if (!error && size <= 2 * profile::kRecordLimit) {
        std::ifstream in(file, std::ios::binary);
        bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    HANDLE copy = CreateFileA(kImportCopy, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    const bool copied = !error && copy != INVALID_HANDLE_VALUE &&
                        WriteFile(copy, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                        written == bytes.size();
    if (copy != INVALID_HANDLE_VALUE) CloseHandle(copy);
    if (!copied) {
        DeleteFileA(kImportCopy);
        std::printf("\nimport profile %s: the file cannot be read\n", file.c_str());
        return 1;
    }
    char path[kImportPathRoom] = {};
    std::memcpy(path, kImportCopy, sizeof kImportCopy);
    const LONG answer = request(session, reinterpret_cast<LPDEVMODEA>(settings.data()), kKindAction, kProfileImport, path);
    DeleteFileA(kImportCopy);
    std::printf("\nimport profile %s: answer %d%s\n", file.c_str(), static_cast<int>(answer),
                answer == 0 ? " (stored as a user profile)"
                            : " (not a profile of this printer, its name is taken, or no more profiles fit)");
    return answer == 0 ? 0 : 1;
}

int Export(const std::string& printer, const std::string& name, const std::string& file) {
    const std::vector<uint8_t> record = StoredRecord(printer, name);
    if (record.empty()) {
        std::printf("\nexport profile \"%s\": no stored record (a built-in profile, or no such profile)\n", name.c_str());
        return 1;
    }
    std::vector<uint8_t> bytes(profile::kFileHeaderSize, 0);
    std::memcpy(bytes.data(), profile::kFileSignature, sizeof profile::kFileSignature - 1);
    bytes[32] = 1;
    bytes[34] = 1;
    bytes.insert(bytes.end(), record.begin(), record.end());
    std::ofstream out(file, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out.flush()) {
        out.close();
        std::filesystem::remove(file);
        std::printf("\nexport profile \"%s\": %s cannot be written\n", name.c_str(), file.c_str());
        return 1;
    }
    std::printf("\nexport profile \"%s\": %zu bytes written to %s\n", name.c_str(), bytes.size(), file.c_str());
    return 0;
}

}  // namespace

int RunProfileCommands(decltype(&VomelDeviceMode) request, HANDLE session, std::vector<uint8_t>& settings,
                       const std::string& printer, const std::vector<ProfileCommand>& commands) {
    int rc = 0;
    for (const ProfileCommand& command : commands) {
        switch (command.kind) {
        case ProfileCommand::List: rc |= List(request, session, settings, printer); break;
        case ProfileCommand::Apply: rc |= Apply(request, session, settings, command.name); break;
        case ProfileCommand::Import: rc |= Import(request, session, settings, command.file); break;
        case ProfileCommand::Export: rc |= Export(printer, command.name, command.file); break;
        }
    }
    return rc;
}
