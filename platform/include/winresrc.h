// Everything a resource script takes from the system in one include: window, dialog and control
// styles, virtual keys, language ids, version-resource constants, common-control styles and the
// common dialogs' control ids.
#pragma once

#include "winuser.h"
#include "winnt.h"
#include "winver.h"
#include "commctrl.h"
#include "dlgs.h"
