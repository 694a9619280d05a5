// The print spooler over the registry, and the printer structures it hands out.
#pragma once

#include "windef.h"
