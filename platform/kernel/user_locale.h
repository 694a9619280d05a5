// The user's and the system's locale: United States English unless the host or a test chose
// another of the locales GetLocaleInfoA knows.
#pragma once

#include <windef.h>

namespace kernel {

LCID UserLocale();
void SetUserLocale(LCID locale);

}  // namespace kernel
