// The rows of the predefined functor table, from the one list in predefined_functors.h.
#include "pie/terms/predefined_functors.h"

const PlPredefinedRow kPlPredefinedRows[kPlPredefinedFunctorCount] = {
#define PL_PREDEFINED_ROW(field, name, arity, kind, flag, code) {name, arity, kind, flag, code},
    PL_PREDEFINED_FUNCTORS(PL_PREDEFINED_ROW)
#undef PL_PREDEFINED_ROW
};
