// The base of the interfaces that the core hands out through `UiServiceTable::Query` (table
// cursors, the font-substitution reader and writer, the form database): the caller owns the
// object and gives it back with `Release`.
#pragma once

#include "core/memory/pool_object.h"

class CoreInterface : public PoolObject {
public:
    void Release() { delete this; }

protected:
    CoreInterface() = default;
    virtual ~CoreInterface() = default;
};

// Answers of the interfaces' operations.
inline constexpr int kTableDone = 0;
inline constexpr int kTableNoItem = 1;
inline constexpr int kTableRefused = 2;
