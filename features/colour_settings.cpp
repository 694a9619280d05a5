// The profile list, built once as the object is made: the library is loaded, the profiles of the
// folder are read one by one (a profile the library cannot open or describe is left out), and
// the library is released again, so nothing of it stays loaded while the sheet is open.
#include "features/colour_settings.h"

#include "core/datafile/device_data.h"
#include "core/datafile/device_data_layout.h"
#include "core/device/service_table.h"

#include <cstring>

CmColorSettings::CmColorSettings(UIDEVDATA* owner) : owner_(owner) {}

CmColorSettings::~CmColorSettings() { ReleaseLibraries(); }

BOOL CmColorSettings::LoadLibraries() {
    if (table_.module) return TRUE;
    return owner_ && owner_->svc && owner_->svc->LoadColorLibraries(owner_, 0, &table_);
}

void CmColorSettings::ReleaseLibraries() {
    if (table_.Release) table_.Release(&table_);
}

BOOL CmColorSettings::ProfileFolder(LPSTR, DWORD) { return FALSE; }

ColorSettings::ColorSettings(UIDEVDATA* owner) : CmColorSettings(owner) {
    methods_ = {{9777, 0}, {9772, 1}, {9773, 2}, {0, 0}};
    BuildProfilePaths();
}

ColorSettings::~ColorSettings() = default;

bool ColorSettings::ColourDevice() const {
    const DeviceData* data = owner_ && owner_->svc ? owner_->svc->LoadDeviceData(owner_) : nullptr;
    return data && data->U32(devicedata::kColorState) != 0;
}

BOOL ColorSettings::SystemProfileFolder(LPSTR buffer, DWORD size) {
    if (!table_.GetSysProfilePath || !buffer || size == 0) return FALSE;
    DWORD answered = size;
    std::memset(buffer, 0, size);
    if (!table_.GetSysProfilePath(buffer, &answered)) return FALSE;
    buffer[size - 1] = '\0';
    return buffer[0] != '\0';
}

BOOL ColorSettings::ProfileFolder(LPSTR buffer, DWORD size) {
    if (!buffer || size == 0) return FALSE;
    HANDLE printer = owner_->svc->GetPrinterHandle(owner_);
    if (!owner_->svc->IsPseudoPrinter(owner_, printer)) return SystemProfileFolder(buffer, size);
    LPCSTR folder = owner_->svc->GetDriverDirectory(owner_);
    const size_t length = folder ? std::strlen(folder) : 0;
    if (length == 0 || length + 2 > size) return FALSE;
    std::memcpy(buffer, folder, length);
    buffer[length] = '\\';
    buffer[length + 1] = '\0';
    return TRUE;
}

void ColorSettings::BuildProfilePaths() {
    if (!LoadLibraries()) return;
    char folder[MAX_PATH] = {};
    const BOOL found = ColourDevice() ? ProfileFolder(folder, sizeof folder) : SystemProfileFolder(folder, sizeof folder);
    KRXENUM enumerator = nullptr;
    DWORD count = 0;
    if (found && table_.GetProfileEnumerator(folder, &enumerator, &count) && enumerator) {
        if (count > kMostProfiles) count = kMostProfiles;
        profiles_.reserve(count);
        for (DWORD i = 1; i <= count; ++i) {
            char path[MAX_PATH] = {};
            DWORD size = sizeof path - 1;
            if (!table_.GetProfileDescriptor(enumerator, i, path, &size)) continue;
            KRXPROFILE profile = nullptr;
            if (!table_.OpenProfile(path, &profile) || !profile) continue;
            uint8_t header[colourprofile::kHeaderSize] = {};
            DWORD headerSize = sizeof header;
            char description[256] = {};
            DWORD descriptionSize = sizeof description;
            const bool read = table_.GetProfileInfo(profile, header, &headerSize) &&
                              table_.GetTagText(profile, colourprofile::kTagDescription, description, &descriptionSize);
            table_.CloseProfile(profile);
            // The library's sizes are not believed beyond the buffers given to it.
            if (!read || !colourprofile::IsSourceProfile(header, headerSize < sizeof header ? headerSize : sizeof header))
                continue;
            char shortPath[MAX_PATH] = {};
            const DWORD shortLength = GetShortPathNameA(path, shortPath, sizeof shortPath);
            if (shortLength == 0 || shortLength >= sizeof shortPath) continue;
            ProfileEntry entry{};
            if (colourprofile::MakeProfileEntry(description, sizeof description, shortPath, sizeof shortPath, entry))
                profiles_.push_back(entry);
        }
    }
    if (enumerator) table_.DisposeProfileEnumerator(enumerator);
    ReleaseLibraries();
}

CmModule* MakeColorSettings(UIDEVDATA* ctx) {
    try {
        return new ColorSettings(ctx);
    } catch (...) {
        return nullptr;
    }
}
