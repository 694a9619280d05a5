// Storage of the library's two process-wide locks (see core/locks.h).
#include "core/locks.h"

CRITICAL_SECTION g_coreLock;
CRITICAL_SECTION g_exportLock;
