// A fresh engine per test, and the code of the engine error that a piece of work raises.
#pragma once

#include "pie/api/engine.h"
#include "pie/api/guard.h"

#include <gtest/gtest.h>

struct EngineTest : ::testing::Test {
    PieEngine* e = pl_engine_create(nullptr, 0x2);
    ~EngineTest() override { pl_engine_destroy(e); }

    // 0 when work ran through, else the code of the engine error that ended it.
    template <class Work>
    int errorOf(Work&& work) {
        int r = pl_guarded(e, -1, [&] {
            work();
            return 0;
        });
        return r == 0 ? 0 : pl_last_error(e).code;
    }
};
