// Error texts, the options permutation, and the API boundary: an engine error ends the call
// with its error result, and the engine is left as usable as before the call.
#include "engine_fixture.h"

#include "pie/api/options.h"

#include <cstring>
#include <functional>
#include <string>

using Errors = EngineTest;

TEST_F(Errors, TextsFollowTheMessageTables) {
    struct Case { int code; const char* function; std::string text; };
    const Case cases[] = {
        {257, "x", "System functor 'Layout$Size' can't redefined.\n"},
        {280, "x", "Illegal 'enable_element/2' operand(arg 2)\n."},
        {287, "pllex", "Illegal character '0x22'.\n"},
        {290, "x", "Too much atom\n."},
        {294, "x", "Illegal load element (1f).\n"},
        {4097, "xmalloc", "[xmalloc] Not enough memory.\n"},
        {4098, "plout_tree", "[plout_tree] plt_code [17] is unsupported.\n"},
        {4124, "f", "[f] Unmatch data.\n"},
        {256, "f", "Unknown Error.\n"},
        {295, "f", "Unknown Error.\n"},
        {4096, "f", "Unknown Error.\n"},
        {4125, "f", "Unknown Error.\n"},
    };
    for (const Case& c : cases) {
        e->line = 12;
        int code = errorOf([&] {
            switch (c.code) {
            case 257: pl_fatal_error(e, c.code, c.function, "Layout$Size");
            case 280: pl_fatal_error(e, c.code, c.function, "enable_element", 2, 2);
            case 287: pl_fatal_error(e, c.code, c.function, 0x22);
            case 294: pl_fatal_error(e, c.code, c.function, 0x1f);
            default: pl_fatal_error(e, c.code, c.function, 17);
            }
        });
        EXPECT_EQ(code, c.code);
        EXPECT_EQ(pl_last_error(e).text, c.text) << c.code;
        EXPECT_EQ(pl_last_error(e).line, 12);
    }
}

TEST_F(Errors, LongFunctionNamesAreCutSoTheTextStaysWithin511) {
    for (size_t n : {490u, 508u, 509u, 510u, 600u}) {
        std::string name(n, 'f');
        errorOf([&] { pl_fatal_error(e, PL_ERR_SAME_KEY, name.c_str()); });
        std::string text = pl_last_error(e).text;
        EXPECT_LE(text.size(), 511u) << n;
        EXPECT_EQ(text.substr(0, 4), "[fff");
        bool bracket_fits = 1 + n + 2 <= 511;
        EXPECT_EQ(text.find("] ") != std::string::npos, bracket_fits) << n;
        if (n == 490) {
            EXPECT_EQ(text.substr(493), "Same key crash.\n");
        }
    }
}

TEST_F(Errors, WarningsOverwriteTheRecordAndReturn) {
    errorOf([&] { pl_fatal_error(e, PL_ERR_STACK, "f"); });
    e->warning_line = 33;
    pl_warning(e, PL_WARN_NO_MEMORY, "f");
    EXPECT_STREQ(pl_last_error(e).text, "Not enough memory.\n");
    EXPECT_EQ(pl_last_error(e).line, 33);
    EXPECT_EQ(pl_last_error(e).code, 0);
    pl_warning(e, 2, "f");
    EXPECT_STREQ(pl_last_error(e).text, "Unknown Warning.\n");
}

TEST(Options, PermutationBothWays) {
    struct Case { uint32_t option; uint32_t flag; bool reported; };
    const Case cases[] = {
        {0x8000, 0x1, true},   {0x1, 0x2, true},        {0x4, 0x4, true},       {0x2, 0x8, true},
        {0x8, 0x10, true},     {0x10, 0, false},        {0x20, 0x100, true},    {0x200, 0x200, false},
        {0x40, 0x400, false},  {0x100, 0x800, false},   {0x80, 0x1000, false},  {0x400, 0x4000, false},
        {0x800, 0x8000, false}, {0x1000, 0x10000, false}, {0x4000, 0x20000, false}, {0x2000, 0x40000, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(pl_flags_from_options(c.option), c.flag) << std::hex << c.option;
        EXPECT_EQ(pl_options_from_flags(pl_flags_from_options(c.option)), c.reported ? c.option : 0u);
    }
    EXPECT_EQ(pl_flags_from_options(0x402), 0x4008u);
    EXPECT_EQ(pl_options_from_flags(0x4008), 0x2u);
}

TEST_F(Errors, SetOptionsKeepsTheEnginesOwnBits) {
    e->flags = PLE_STATUS_EVALUATION | PLE_UPDATE_MODE | PLE_UPDATE_POOL | 0x20 | 0x80000000u | 0x4008;
    pl_apply_options(e, 0x8 | 0x1000);
    EXPECT_EQ(e->flags, PLE_STATUS_EVALUATION | PLE_UPDATE_MODE | PLE_UPDATE_POOL | 0x20 | 0x80000000u |
                            PLE_TRACE | PLE_WIN2000);
}

TEST_F(Errors, AnErrorInsideAQueryLeavesNoQueryStateBehind) {
    PlFunctor* item = pl_lookup_functor(e, pie_intern_string(e, "Layout$Size"), 1, nullptr);
    e->flags = PLE_TRACE | PLE_UPDATE_MODE;
    int r = pl_guarded(e, -1, [&] {
        e->flags = (e->flags | PLE_PROPAGATION | PLE_STATUS_EVALUATION) & ~PLE_TRACE;
        e->busy = 1;
        item->flags |= PLF_REFUSE | PLF_SETTLED | PLF_QUEUED | PLF_DONE | PLF_HOST_FACT;
        PlDepthGuard deep(e, "pl_call");
        pl_fatal_error(e, PL_ERR_NOT_CALLABLE, "pl_call");
        return 0;
    });
    EXPECT_EQ(r, -1);
    EXPECT_EQ(e->flags, PLE_TRACE | PLE_UPDATE_MODE);
    EXPECT_EQ(e->busy, 0);
    EXPECT_EQ(e->depth, 0);
    EXPECT_EQ(e->guard_depth, 0);
    EXPECT_EQ(item->flags, PLF_DONE | PLF_HOST_FACT);  // not per-query marks: kept
}

TEST_F(Errors, NestedCallFailsAloneAndTheOuterCallGoesOn) {
    PlFunctor* item = pl_lookup_functor(e, pie_intern_string(e, "Paper$Tray"), 1, nullptr);
    int inner = 0;
    int outer = pl_guarded(e, -1, [&] {
        item->flags |= PLF_SETTLED;
        inner = pl_guarded(e, -1, [&]() -> int { pl_fatal_error(e, PL_ERR_STACK, "inner"); });
        EXPECT_EQ(item->flags & PLF_SETTLED, PLF_SETTLED);  // the outer query still owns it
        return 5;
    });
    EXPECT_EQ(inner, -1);
    EXPECT_EQ(outer, 5);
    EXPECT_EQ(item->flags & PLF_SETTLED, 0u);  // cleared once no call runs any more
    EXPECT_EQ(e->guard_depth, 0);
}

TEST_F(Errors, RecursionBeyondTheLimitIsError4102) {
    std::function<void(int)> descend = [&](int n) {
        PlDepthGuard guard(e, "descend");
        if (n > 0) descend(n - 1);
    };
    EXPECT_EQ(errorOf([&] { descend(kPlMaxDepth - 1); }), 0);
    EXPECT_EQ(errorOf([&] { descend(kPlMaxDepth); }), PL_ERR_STACK);
    EXPECT_STREQ(pl_last_error(e).text, "[descend] Too much stack element.\n");
    EXPECT_EQ(e->depth, 0);
}
