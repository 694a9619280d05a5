// `CmColorSettings` and `ColorSettings`: the colour profiles that can be the source of colour
// matching (scanner and monitor profiles the colour-profile library finds in the profile folder)
// and the matching methods the colour matching page offers.
#pragma once

#include "core/colour/colour_library.h"
#include "core/device/user_data.h"
#include "features/colour_profile_entry.h"

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <vector>

struct MatchingMethod {
    uint32_t stringId;  // 0 ends the table
    uint32_t value;
};
static_assert(sizeof(MatchingMethod) == 8);

class CmColorSettings : public CmModule {
public:
    using ProfileEntry = colourprofile::ProfileEntry;

    explicit CmColorSettings(UIDEVDATA* owner);
    ~CmColorSettings() override;
    CmColorSettings(const CmColorSettings&) = delete;
    CmColorSettings& operator=(const CmColorSettings&) = delete;

    // Loads the colour-profile library into the table; false without it.
    virtual BOOL LoadLibraries();
    // Releases the library table (its first entry), if loaded.
    virtual void ReleaseLibraries();
    // The folder whose profiles are listed; false when there is none.
    virtual BOOL ProfileFolder(LPSTR buffer, DWORD size);

    const ProfileEntry* Profiles() const { return profiles_.data(); }
    const ProfileEntry* ProfilesEnd() const { return profiles_.data() + profiles_.size(); }
    size_t ProfileCount() const { return profiles_.size(); }
    static const char* FilePart(const ProfileEntry& entry) { return entry.filePart; }
    // The methods, without the ending zero entry.
    const MatchingMethod* Methods() const { return methods_.data(); }
    const MatchingMethod* MethodsEnd() const { return methods_.data() + MethodCount(); }
    size_t MethodCount() const { return methods_.empty() ? 0 : methods_.size() - 1; }
    static uint32_t MethodStringId(const MatchingMethod& method) { return method.stringId; }

protected:
    UIDEVDATA* owner_;
    ColorLibraryTable table_{};
    std::vector<ProfileEntry> profiles_;
    std::vector<MatchingMethod> methods_;
};

class ColorSettings : public CmColorSettings {
public:
    // A library that answers more profiles than this is not believed past them.
    static constexpr DWORD kMostProfiles = 1024;

    explicit ColorSettings(UIDEVDATA* owner);
    ~ColorSettings() override;
    // The system profile folder, or on a pseudo-printer context the driver folder.
    BOOL ProfileFolder(LPSTR buffer, DWORD size) override;

private:
    void BuildProfilePaths();
    bool ColourDevice() const;
    BOOL SystemProfileFolder(LPSTR buffer, DWORD size);
};

CmModule* MakeColorSettings(UIDEVDATA* ctx);
