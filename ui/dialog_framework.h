// What the dialog framework hands the root object when the library starts: the message
// catalogue as the user data's message module and the locale services.
#pragma once

void RegisterDialogFramework();
