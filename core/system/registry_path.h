// Registry keys named by up to three parts (a path, a part such as a printer's name, a subkey)
// joined with backslashes. The original's registry refused a key path of 260 characters or
// more, so a longer join is opened one part at a time instead of in one call.
#pragma once

#include <windows.h>

// Opens the key the parts name below root (null or empty parts are left out), or creates the
// missing keys when `create` is set. ERROR_SUCCESS with the key in *key, which the caller
// closes; otherwise the registry's error and *key untouched.
LONG OpenJoinedKey(HKEY root, LPCSTR path, LPCSTR part, LPCSTR subkey, bool create, HKEY* key);
