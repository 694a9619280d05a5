// The export boundary: the pool's exception, or any other, becomes the export's failure value.
#include "core/library/export_guard.h"
#include "core/memory/pool_object.h"

#include <drvtest/memory_refusal.h>
#include <gtest/gtest.h>

#include <stdexcept>

namespace {
struct Sheet : PoolObject {
    char pages[4096] = {};
};

// Shaped as the exports are: a result, 0 on failure.
LONG OpenSheet() {
    return GuardExport(0, []() -> LONG {
        delete new Sheet;
        return 1;
    });
}
}  // namespace

TEST(ExportGuard, ExceptionsBecomeTheFailureValue) {
    EXPECT_EQ(OpenSheet(), 1);
    {
        drvtest::ScopedMemoryRefusal refuse;
        SetLastError(0);
        EXPECT_EQ(OpenSheet(), 0);
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NOT_ENOUGH_MEMORY));
        bool finished = false;
        GuardExport([&] { delete new Sheet, finished = true; });
        EXPECT_FALSE(finished);
    }
    EXPECT_EQ(OpenSheet(), 1);

    SetLastError(5);
    void* failure = reinterpret_cast<void*>(-1);
    EXPECT_EQ(GuardExport(failure, []() -> void* { throw std::runtime_error("x"); }), failure);
    EXPECT_EQ(GetLastError(), 5u);
}
