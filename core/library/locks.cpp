// Storage of the library's two process-wide locks (see core/library/locks.h).
#include "core/library/locks.h"

CRITICAL_SECTION g_coreLock;
CRITICAL_SECTION g_exportLock;
