// Common controls: property sheets, list views, track bars, up-down controls, image lists, tooltips.
#pragma once

#include "windows.h"
