// What the dialog framework hands the root object and the core when the library starts: the
// message catalogue as the user data's message module, the locale services, the dialogs the
// pages open by kind and the dispatcher that opens the sheets.
#pragma once

void RegisterDialogFramework();
