// Registration of the dialog framework's module objects with the root object.
#include "ui/dialog_framework.h"

#include "ui/cm_locale.h"
#include "ui/cm_message.h"

void RegisterDialogFramework() {
    RegisterMessageCatalogue();
    RegisterUserLocale();
}
