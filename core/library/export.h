// The mark of a name the library exports. Everything else is compiled with hidden visibility,
// so a function leaves libDrvopui.so only when it carries this mark.
#pragma once

#define DRVOPUI_EXPORT extern "C" __attribute__((visibility("default")))
