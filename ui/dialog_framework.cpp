// Registration of the dialog framework's module objects with the root object.
#include "ui/dialog_framework.h"

#include "ui/cm_locale.h"
#include "settings/registry/rule_message.h"
#include "ui/cm_message.h"
#include "ui/main_pages.h"
#include "ui/ui_dispatcher.h"

void RegisterDialogFramework() {
    RegisterMessageCatalogue();
    RegisterUserLocale();
    // The rules' messages come from the sheet's catalogue.
    RegisterRuleMessageShow([](UIDEVDATA* ctx, HWND owner, UINT id) {
        CmMessage* catalogue = MessageCatalogue(ctx);
        return catalogue ? catalogue->Show(owner, id) : 0;
    });
    RegisterMainPageDialogs();
    RegisterDispatcher();
}
