/* A stand-in of a per-model extension library: its entry fills the table as a library of the
   current interface that claims the resources. A version argument of 0 is refused. */
#include <stdint.h>

typedef struct {
    uint32_t size;
    uint32_t version;
    uint32_t claims;
} ExtFunctionTable;

__attribute__((visibility("default"))) int ExtGetFunctions(uint32_t coreVersion, ExtFunctionTable* table) {
    if (!table || coreVersion == 0) return 0;
    table->size = sizeof *table;
    table->version = 1;
    table->claims = 1;
    return 1;
}
