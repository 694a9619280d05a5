// The summary's footer: the driver's version, the device-information service, the operating
// system, and for each file the driver depends on its product version and last write; and the
// job rows with the value texts made of several lines.
#include "profiles/summary/summary_rows.h"
#include "profiles/summary/view_settings.h"

#include "core/addins/addin_table.h"
#include "core/datafile/device_data.h"
#include "core/device/service_table.h"
#include "core/devmode/devmode_layout.h"
#include "core/helpers/byte_view.h"
#include "device/bridges/device_info_probe.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr char kDriversKey[] = "System\\CurrentControlSet\\control\\Print\\Environments\\Windows 4.0\\Drivers\\";
constexpr uint32_t kVersionNumberRecord = 2075, kVersionTextRecord = 2084;

}  // namespace

const char* ViewSettings::AfterLastBackslash(const char* path) {
    const char* slash = path ? std::strrchr(path, '\\') : nullptr;
    return slash ? slash + 1 : path;
}

void ViewSettings::FormatFileTime(const SYSTEMTIME& time, char* out) {
    // A 12-hour clock: noon and midnight show as 12, not 00.
    const int hour = time.wHour % 12 == 0 ? 12 : time.wHour % 12;
    wsprintfA(out, "\t\t\t\t%02d/%02d/%02d %02d:%02d %s", time.wMonth, time.wDay, time.wYear % 100, hour, time.wMinute,
              time.wHour < 12 ? "AM" : "PM");
}

void ViewSettings::FileTimeText(const char* path, char* out) {
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    FILETIME written{}, local{};
    SYSTEMTIME time{};
    if (GetFileTime(file, nullptr, nullptr, &written) && FileTimeToLocalFileTime(&written, &local) &&
        FileTimeToSystemTime(&local, &time))
        FormatFileTime(time, out);
    CloseHandle(file);
}

void ViewSettings::FileVersionText(const char* path, char* out) {
    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSizeA(path, &handle);
    if (size == 0) return;
    void* block = HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, size);
    if (!block) return;
    void* value = nullptr;
    UINT length = 0;
    if (GetFileVersionInfoA(path, handle, size, block) &&
        VerQueryValueA(block, "\\VarFileInfo\\Translation", &value, &length) && length >= 4) {
        const auto* words = static_cast<const uint8_t*>(value);
        const unsigned language = words[0] | (words[1] << 8), codePage = words[2] | (words[3] << 8);
        char key[64];
        wsprintfA(key, "\\StringFileInfo\\%04x%04x\\ProductVersion", language, codePage);
        if (VerQueryValueA(block, key, &value, &length) && length)
            summary::CopyBounded(out, summary::kBufferSize, static_cast<const char*>(value));
    }
    HeapFree(GetProcessHeap(), 0, block);
}

void ViewSettings::FileVersionAndTime(const char* path, char* out) {
    char version[summary::kBufferSize] = {};
    char time[summary::kBufferSize] = {};
    FileVersionText(path, version);
    FileTimeText(path, time);
    summary::CopyBounded(out, summary::kBufferSize, version);
    summary::Append(out, summary::kBufferSize, time);
}

void ViewSettings::OsName(const OSVERSIONINFOA& info, char* out, size_t size) {
    out[0] = 0;
    const char* name = "";
    if (info.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS) {
        if (info.dwMajorVersion == 4 && info.dwMinorVersion == 0) name = "Microsoft Windows 95";
        else if (info.dwMajorVersion == 4 && info.dwMinorVersion == 10)
            name = info.szCSDVersion[1] == 'A' ? "Microsoft Windows 98 SE " : "Microsoft Windows 98 ";
        summary::CopyBounded(out, size, name);
        return;
    }
    if (info.dwPlatformId != VER_PLATFORM_WIN32_NT) {
        summary::CopyBounded(out, size, "--");
        return;
    }
    if (info.dwMajorVersion <= 4) name = "Microsoft Windows NT 4.0 ";
    else if (info.dwMajorVersion == 5 && info.dwMinorVersion == 0) name = "Microsoft Windows 2000 ";
    else if (info.dwMajorVersion == 5 && info.dwMinorVersion == 1) name = "Microsoft Windows XP ";
    else if (info.dwMajorVersion == 5 && info.dwMinorVersion == 2) name = "Microsoft Windows Server 2003 ";
    summary::CopyBounded(out, size, name);
    char pack[sizeof info.szCSDVersion + 1] = {};
    std::memcpy(pack, info.szCSDVersion, sizeof info.szCSDVersion);
    summary::Append(out, size, pack);
}

int ViewSettings::OsNameValue(char* text) {
    OSVERSIONINFOA info{};
    info.dwOSVersionInfoSize = sizeof info;
    char name[summary::kBufferSize] = {};
    const BOOL known = Ctx()->svc->GetWindowsVersion(Ctx(), &info);
    if (known) {
        // The Millennium name is a text of the resource module.
        if (info.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS && info.dwMajorVersion == 4 && info.dwMinorVersion == 90)
            summary::CopyBounded(name, sizeof name, LoadString(8548));
        else
            OsName(info, name, sizeof name);
    }
    AppendValue(text, name);
    return known ? 1 : 0;
}

int ViewSettings::Footer(char* text) {
    Row(text, 8490, 0, "");
    char version[summary::kBufferSize] = {};
    Ctx()->svc->LoadString(Ctx(), 10237, version, 101);
    if (DeviceData* data = Ctx()->svc->LoadDeviceData(Ctx())) {
        uint32_t number = 0;
        if (data->ItemSize(kVersionNumberRecord) == 4 && data->ReadItem(kVersionNumberRecord, &number, 4) == 4) {
            char digits[32];
            wsprintfA(digits, ".%08d", static_cast<int>(number));
            summary::Append(version, sizeof version, digits);
        }
        char suffix[33] = {};
        if (data->ReadItem(kVersionTextRecord, suffix, 32)) summary::Append(version, sizeof version, suffix);
    }
    AppendLabel(text, LoadString(8493));
    AppendValue(text, version);
    DeviceInfoProbe probe{Ctx(), {}, 0};
    DeviceInfoProbe_Query(&probe);
    char probeText[kProbeCopySize] = {};
    const uint16_t flags = DeviceInfoProbe_GetFlags(&probe);
    if ((flags & kProbeRan) && (flags & kProbeHasValues)) DeviceInfoProbe_CopyText(&probe, probeText);
    else std::strcpy(probeText, "--");
    AppendLabel(text, "Vomel Kelvaro :");
    AppendValue(text, probeText);
    AppendLabel(text, LoadString(8492));
    const int answer = OsNameValue(text);
    RowId(text, 8551, 0, 8552);
    Slot(125, text);
    if (!Ctx()->svc->IsPseudoPrinter(Ctx(), Ctx()->svc->GetPrinterHandle(Ctx()))) {
        summary::Append(text, summary::kTextSize, "\r\n");
        Row(text, 8498, 0, "");
        DependentFileRows(text);
    }
    return answer;
}

void ViewSettings::DependentFileRows(char* text) {
    if (Ctx()->svc->IsPseudoPrinter(Ctx(), Ctx()->svc->GetPrinterHandle(Ctx()))) return;
    char driver[devmode::kDriverNameSize + 1] = {};
    ByteView(Devmode(), DevmodeSize()).bytes(devmode::kOffDriverName, driver, devmode::kDriverNameSize);
    const std::string path = std::string(kDriversKey) + driver;
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return;
    DWORD type = 0, size = 0;
    std::vector<char> names;
    if (RegQueryValueExA(key, "Dependent Files", nullptr, &type, nullptr, &size) == ERROR_SUCCESS && size) {
        names.resize(size);
        if (RegQueryValueExA(key, "Dependent Files", nullptr, &type, reinterpret_cast<BYTE*>(names.data()), &size) !=
            ERROR_SUCCESS)
            names.clear();
        names.resize(std::min<size_t>(names.size(), size));
    }
    RegCloseKey(key);
    char windows[MAX_PATH] = {};
    GetWindowsDirectoryA(windows, sizeof windows);
    // The walk stops at the value's end even when its final empty name is missing.
    for (size_t at = 0; at < names.size();) {
        const size_t length = strnlen(names.data() + at, names.size() - at);
        if (length == 0) break;
        const std::string name(names.data() + at, length);
        at += length + 1;
        char label[summary::kBufferSize] = {};
        summary::CopyBounded(label, sizeof label, AfterLastBackslash(name.c_str()));
        char file[MAX_PATH * 2];
        std::snprintf(file, sizeof file, "%s\\SYSTEM\\%s", windows, name.c_str());
        char value[summary::kBufferSize] = {};
        FileVersionAndTime(file, value);
        AppendLabel(text, label);
        AppendValue(text, value);
    }
}

void ViewSettings::FlattenMultiLine(char* value) {
    // Within the value's 512 characters: a TAB not followed by ':' becomes ": " (inserted, so no
    // character is lost), every other TAB a blank, a closing CR LF is cut, and each further line
    // starts with a TAB so that it shows with an empty label.
    std::string in(value, strnlen(value, summary::kBufferSize - 1));
    if (in.size() >= 2 && in.compare(in.size() - 2, 2, "\r\n") == 0) in.resize(in.size() - 2);
    std::string out;
    for (size_t i = 0; i < in.size(); ++i) {
        const char c = in[i];
        if (c == '\t') out += (i + 1 < in.size() && in[i + 1] == ':') ? " " : ": ";
        else if (c == '\n') out += "\n\t";
        else out += c;
    }
    summary::CopyBounded(value, summary::kBufferSize, out.c_str());
}

void ViewSettings::JobRows(char* text) {
    const int32_t mode = Option16(171);
    switch (mode) {
    case 0: RowId(text, 4314, 0, 4315); return;
    case 1: RowId(text, 4314, 0, 4322); break;
    case 2: RowId(text, 4314, 0, 4316); break;
    default: RowId(text, 4314, 0, 0); return;
    }
    if (mode == 1 && (OptionByte(988) & 0x04)) RowId(text, 8539, 0, 8728);
    if (mode == 2 && (OptionByte(988) & 0x04)) RowId(text, 8538, 0, 8723);
    char path[129] = {};
    if (Devmode()) Ctx()->svc->GetOption(Ctx(), Devmode(), 176, path, 128);
    if (path[0]) {
        Row(text, 4317, 0, AfterLastBackslash(path));
        char name[65] = {};
        Ctx()->svc->GetOption(Ctx(), Devmode(), 177, name, 64);
        Row(text, 4323, 0, name);
        std::memset(name, 0, sizeof name);
        Ctx()->svc->GetOption(Ctx(), Devmode(), 178, name, 64);
        Row(text, 4319, 0, name);
    }
    if (mode != 2) return;
    // The time the job was stored, as the private section keeps it (the year in full).
    char when[summary::kBufferSize] = {};
    wsprintfA(when, "%02d/%02d/%02d %02d:%02d", PrivateWord(kPrivateJobTime), PrivateWord(kPrivateJobTime + 2),
              PrivateWord(kPrivateJobTime + 6), PrivateWord(kPrivateJobTime + 8), PrivateWord(kPrivateJobTime + 10));
    Row(text, 8544, kSubSubRow, when);
}

void ViewSettings::AddInRows(char* text) {
    const AddInTable* table = LoadAddIns(Ctx());
    if (!table) return;
    for (const AddInEntry& entry : table->entries) {
        const AddInRecord& r = entry.record;
        Row(text, 8066, 0, "");
        Row(text, 8067, kSubRow, r.name.c_str());
        Row(text, 8068, kSubRow, r.file.c_str());
        RowId(text, 8069, kSubRow, entry.object ? 8073 : 8074);
        char id[64];
        std::snprintf(id, sizeof id, "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}", r.classId.data1, r.classId.data2,
                      r.classId.data3, r.classId.data4[0], r.classId.data4[1], r.classId.data4[2], r.classId.data4[3],
                      r.classId.data4[4], r.classId.data4[5], r.classId.data4[6], r.classId.data4[7]);
        Row(text, 8070, kSubRow, id);
        // The description's further lines show as rows of their own with empty labels.
        size_t from = 0;
        bool first = true;
        do {
            const size_t to = r.description.find('\n', from);
            const std::string line = r.description.substr(from, to == std::string::npos ? std::string::npos : to - from);
            Row(text, first ? 8072 : 0, first ? kSubRow : 0, line.c_str());
            first = false;
            from = to == std::string::npos ? std::string::npos : to + 1;
        } while (from != std::string::npos);
    }
}
