// The profiles' registration: the store's factory under the user data's profile bit, and the
// message rows of the file dialogs and profile files.
#include "profiles/profiles_registration.h"

#include "profiles/dialogs/profile_dialogs.h"
#include "profiles/profile.h"
#include "profiles/summary/view_settings.h"
#include "ui/cm_message.h"

#include <iterator>
#include <new>

namespace {

constexpr UINT kTitle = 4893;
constexpr UINT kWarning = MB_ICONWARNING;
constexpr MessageRow kRows[] = {
    {18, 4213, kTitle, kWarning},  // a profile file cannot be opened
    {19, 4214, kTitle, kWarning},  // not a profile file of this printer
    {21, 4217, kTitle, kWarning},  // the file dialog failed
    {22, 4218, kTitle, kWarning},  // the chosen path does not fit
    {23, 4219, kTitle, kWarning},  // the typed name is not a file name
};

CmModule* MakeStore(UIDEVDATA* ctx) {
    try {
        return MakeProfileStore(ctx);
    } catch (...) {
        return nullptr;  // without memory the request has no store, which lists nothing
    }
}

}  // namespace

void RegisterProfiles() {
    RegisterModuleFactory(kModuleProfile, MakeStore);
    RegisterMessageRows(kCommonMessages, kRows, std::size(kRows));
    RegisterViewSettings();
    RegisterProfileDialogs();
}
