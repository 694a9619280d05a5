// `Profile`: this page-description language's profile store. It supplies the built-in profiles:
// which ones a printer offers (by language and model), their names, comments and icons, their
// device modes (a resource per language with the model's defaults laid over it), their merge into
// a stored list, and the renaming of the one built-in entry whose name depends on the language.
#pragma once

#include "profiles/cm_profile.h"

class DeviceData;

class Profile : public CmProfile {
public:
    Profile(UIDEVDATA* owner, uintptr_t creationValue) : CmProfile(owner, creationValue) {}

    ProfileList BuildDefaultList() override;
    ProfileRecord ReadBuiltInRecord(const char* name) override;
    ProfileList MergeList(const ProfileList& stored) override;
    std::vector<std::pair<std::string, std::string>> GetRenameTable() override;

    // Profile 8 is not offered to colour printers and to the models that lack its feature.
    static bool IsModelProfileAvailable(uint16_t model, uint32_t colourFlag);
    // Lays the model's defaults over a built-in device mode of the current form. They depend
    // only on the model, the language and the device data, never on which profile it is.
    void ApplyModelDefaults(uint8_t* devmode, const DeviceData& data);

private:
    std::string LoadText(UINT id, size_t room) const;
};

// Makes the profile store of a request and loads its list and chain.
CmModule* MakeProfileStore(UIDEVDATA* ctx);
