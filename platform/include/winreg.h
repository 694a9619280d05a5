// The registry: keys, values and their REGEDIT4 hive files.
#pragma once

#include "windef.h"
