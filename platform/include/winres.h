// The include that resource scripts made by dialog editors begin with: the system's resource
// constants and the id of controls that are never addressed.
#pragma once

#include "winresrc.h"

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif
