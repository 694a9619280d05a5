// Windows, messages, dialogs and controls of the window manager.
#pragma once

#include "windef.h"
