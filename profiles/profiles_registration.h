// What the profiles register as the library loads: the factory of the request's profile store
// and the messages of the profile files and their dialogs.
#pragma once

// Registers both; the option interface and the pages reach the store through the user data.
void RegisterProfiles();
