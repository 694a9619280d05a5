// The engine API as the host uses it: creation with options and platform, constants, registered
// items, loading text and images, reading values, and the end.
#include "image_writer.h"

#include "pie/api/api.h"
#include "pie/terms/hash.h"
#include "pie/terms/list.h"
#include "pie/api/options.h"
#include "pie/build/program.h"
#include "pie/run/watch.h"

#include <drvtest/kernel.h>
#include <gtest/gtest.h>

#include <map>
#include <string>

namespace {

struct ApiTest : ::testing::Test {
    PieEngine* e = nullptr;
    ~ApiTest() override {
        PIE_term(e);
        drvtest::SetWindowsVersion(drvtest::WindowsVersion::Windows98);
    }
    PieEngine* make(uint32_t options) {
        PIE_term(e);
        e = nullptr;
        EXPECT_EQ(PIE_init(&e, this, options), 0);
        return e;
    }
    size_t clauses() { return pl_list_count(e->program->clauses[PL_WRITTEN]); }
    static int answer24;
    static int slot24(void*) { return answer24; }
    static int asked25, answer25;
    static int slot25(void*) { return ++asked25, answer25; }
};
int ApiTest::answer24 = 0;
int ApiTest::asked25 = 0;
int ApiTest::answer25 = 1;

TEST_F(ApiTest, OptionsAndPlatformWords) {
    using V = drvtest::WindowsVersion;
    const struct {
        uint32_t options;
        V os;
        int win95, win98, winNT, win2k;
        uint32_t flags, reported;
    } cases[] = {
        {0x402, V::Windows2000, 1, 1, 0, 0, 0x4008, 0x2},
        {0x800, V::Windows98, 0, 0, 1, 0, 0x8000, 0},
        {0x1000, V::Windows95, 0, 0, 0, 1, 0x10000, 0},
        {0x8000 | 0x1 | 0x4 | 0x8 | 0x20, V::Windows95, 1, 0, 0, 0, 0x1 | 0x2 | 0x4 | 0x10 | 0x100, 0x802D},
        {0, V::Windows98, 0, 1, 0, 0, 0, 0},
        {0, V::WindowsMe, 0, 1, 0, 0, 0, 0},
        {0, V::WindowsNT4, 0, 0, 1, 0, 0, 0},
        {0, V::Windows2000, 0, 0, 0, 1, 0, 0},
    };
    for (const auto& c : cases) {
        drvtest::SetWindowsVersion(c.os);
        make(c.options);
        EXPECT_EQ(e->flags & kPlOptionFedFlags, c.flags) << std::hex << c.options;
        EXPECT_EQ(e->win95 * 1000 + e->win98 * 100 + e->winNT * 10 + e->win2k,
                  c.win95 * 1000 + c.win98 * 100 + c.winNT * 10 + c.win2k)
            << std::hex << c.options;
        uint32_t reported = 0;
        EXPECT_EQ(PIE_get_options(e, &reported), 0);
        EXPECT_EQ(reported, c.reported) << std::hex << c.options;
    }
    EXPECT_EQ(PIE_set_options(e, 0x200), 0);
    EXPECT_EQ(e->flags & kPlOptionFedFlags, 0x200u);
}

// The calling side's answers: asked only while no platform is fixed; slot 25 always.
TEST_F(ApiTest, FolionixIsAskedOnlyWithoutAPlatform) {
    PieHostBlock1 block{};
    block.slots[24] = reinterpret_cast<PlHostSlot>(&slot24);
    block.slots[25] = reinterpret_cast<PlHostSlot>(&slot25);
    const struct {
        uint32_t options;
        bool clear_platform;
        int answer, kept, winNT;
    } cases[] = {{0x402, false, 1, 0, 0}, {0, true, 1, 1, 0}, {0, true, 0, 0, 1}};
    for (const auto& c : cases) {
        make(c.options);
        ASSERT_EQ(PIE_set_callbacks(e, &block), 0);
        if (c.clear_platform) e->win95 = e->win98 = e->winNT = e->win2k = 0;
        answer24 = c.answer;
        asked25 = 0;
        EXPECT_EQ(PIE_main(e, "p(1)."), 0);
        EXPECT_EQ(e->folionix_answer, c.kept);
        EXPECT_EQ(e->winNT, c.winNT);
        EXPECT_EQ(e->sdk_answer, 1);
        EXPECT_EQ(asked25, 1);
    }
}

// A kept engine handed to another host: the platform and the calling side are asked again as the
// engine's start and each load asked them, and only the answers the loads saw let it pass.
TEST_F(ApiTest, AnotherHostTakesTheEngineOnlyWhereTheLoadsWouldSeeTheSame) {
    drvtest::SetWindowsVersion(drvtest::WindowsVersion::Windows98);
    PieHostBlock1 block{};
    block.slots[25] = reinterpret_cast<PlHostSlot>(&slot25);
    make(0);
    ASSERT_EQ(PIE_set_callbacks(e, &block), 0);
    ASSERT_EQ(PIE_main(e, "p(1)."), 0);
    ASSERT_EQ(PIE_main(e, "q(2)."), 0);
    ASSERT_EQ(PIE_keep(e), 0);
    int other = 0;
    asked25 = 0;
    EXPECT_EQ(PIE_move_host(e, &other), 0);
    EXPECT_EQ(e->host, &other);
    EXPECT_EQ(asked25, 2);
    answer25 = 0;
    EXPECT_EQ(PIE_move_host(e, this), 1);
    EXPECT_EQ(e->sdk_answer, 1);  // the words the loads left stay
    answer25 = 1;
    drvtest::SetWindowsVersion(drvtest::WindowsVersion::WindowsNT4);
    EXPECT_EQ(PIE_move_host(e, this), 1);
    EXPECT_EQ(e->win98 * 10 + e->winNT, 10);
    drvtest::SetWindowsVersion(drvtest::WindowsVersion::Windows98);
    EXPECT_EQ(PIE_move_host(e, nullptr), 0);
    EXPECT_EQ(e->host, nullptr);
    // A load since the keep is taken back with the rest: the host is asked as the kept loads asked.
    ASSERT_EQ(PIE_main(e, "?- true."), 0);
    ASSERT_EQ(PIE_back_to_kept(e), 0);
    asked25 = 0;
    EXPECT_EQ(PIE_move_host(e, this), 0);
    EXPECT_EQ(asked25, 2);
}

TEST_F(ApiTest, ConstantsAndValuesByName) {
    make(0x402);
    const PieValue on{1, 1}, seven{3, 7}, choice{2, reinterpret_cast<intptr_t>("PORTRAIT")},
        digit{4, reinterpret_cast<intptr_t>("A4x2")}, bad_type{5, 0};
    const struct {
        const char* name;
        const PieValue* value;
        int result;
    } cases[] = {
        {"Duplex", &on, 0},     {"Duplex", &seven, -2},  {"Copies", &seven, 0}, {"Orient", &choice, 0},
        {"$Own", &on, -1},      {"Tray2", &on, -1},      {"", &on, -1},         {"Paper", &digit, -3},
        {"Other", &bad_type, -3}, {"Null", nullptr, -3},
    };
    for (const auto& c : cases) EXPECT_EQ(PIE_define_constant(e, c.name, c.value), c.result) << c.name;
    int32_t value = 0;
    EXPECT_EQ(PIE_get_integer(e, "Copies", &value), 0);
    EXPECT_EQ(value, 7);
    EXPECT_EQ(PIE_get_integer(e, "Duplex", &value), -2);
    const size_t atoms = pie_atom_count(e);
    EXPECT_EQ(PIE_get_integer(e, "NeverSeen", &value), -1);
    EXPECT_EQ(pie_atom_count(e), atoms);  // asking interns nothing
    // A loaded rule sees the constants substituted.
    EXPECT_EQ(PIE_main(e, "x(_X) :- Copies(_X)."), 0);
}

TEST_F(ApiTest, RegisteredItemsAreFoundByTheirId) {
    make(0x402);
    EXPECT_EQ(PIE_register_functor(e, "Paper", 1001), 0);
    EXPECT_EQ(PIE_register_functor(e, "Tray", 1002), 0);
    EXPECT_EQ(PIE_register_functor(e, "Media", 1001), 0);  // the later registration wins
    EXPECT_EQ(PIE_register_functor(e, "Tray", 1003), 0);   // and an item moves to its new id
    ASSERT_NE(pl_watch_find(e, 1001), nullptr);
    EXPECT_STREQ(pl_watch_find(e, 1001)->name->name, "Media");
    EXPECT_EQ(pl_watch_find(e, 1002), nullptr);
    EXPECT_STREQ(pl_watch_find(e, 1003)->name->name, "Tray");
    EXPECT_EQ(pl_watch_find(e, 4), nullptr);
}

// Thousands of items (the table grows), then moves and reused ids all over it: every removal
// leaves the items registered after it findable.
TEST_F(ApiTest, RegisteredItemsStayFoundThroughMovesAndGrowth) {
    make(0x402);
    std::map<int32_t, std::string> expected;
    std::map<std::string, int32_t> idOf;
    auto enter = [&](const std::string& name, int32_t id) {
        ASSERT_EQ(PIE_register_functor(e, name.c_str(), id), 0);
        if (auto old = expected.find(id); old != expected.end()) idOf.erase(old->second);
        if (auto moved = idOf.find(name); moved != idOf.end()) expected.erase(moved->second);
        expected[id] = name;
        idOf[name] = id;
    };
    for (int32_t i = 0; i < 3000; ++i) enter("Item" + std::to_string(i), i * 1024);
    for (int32_t i = 0; i < 3000; i += 3) enter("Item" + std::to_string(i), 5'000'000 + i);
    for (int32_t i = 1; i < 3000; i += 7) enter("Other" + std::to_string(i), i * 1024);
    for (int32_t i = -5; i < 3000 * 1024; i += 511) {
        PlFunctor* found = pl_watch_find(e, i);
        auto want = expected.find(i);
        if (want == expected.end()) {
            EXPECT_EQ(found, nullptr) << i;
        } else {
            ASSERT_NE(found, nullptr) << i;
            EXPECT_EQ(found->name->name, want->second) << i;
        }
    }
    for (const auto& [id, name] : expected) {
        PlFunctor* found = pl_watch_find(e, id);
        ASSERT_NE(found, nullptr) << id;
        EXPECT_EQ(found->name->name, name) << id;
    }
}

TEST_F(ApiTest, LoadingTextAndImages) {
    make(0x402);
    const size_t system = clauses();
    EXPECT_EQ(PIE_main(e, "a(1).\nb(_X) :- a(_X)."), 0);
    EXPECT_EQ(clauses(), system + 2);
    EXPECT_EQ(PIE_main(e, "c(1).\nd(_X) :- "), 1);  // an error in a second text keeps the first
    EXPECT_EQ(clauses(), system + 3);
    EXPECT_EQ(PIE_main(e, "x\x7f" "ELF rest"), 1);  // refused
    EXPECT_EQ(clauses(), system + 3);
    EXPECT_EQ(PIE_main(e, nullptr), 1);
    EXPECT_EQ(PIE_main(nullptr, "a(2)."), 1);

    ImageWriter writer;
    ASSERT_TRUE(writer.text("i(1).\nj(_X) :- i(_X)."));
    const std::vector<uint8_t> image = writer.image();
    EXPECT_EQ(PIE_main_image(e, image.data(), image.size()), 0);
    EXPECT_EQ(clauses(), system + 5);
    EXPECT_EQ(e->image_loaded, 1);
    EXPECT_EQ(PIE_main_image(e, image.data(), 30), 1);  // cut short: the header does not fit
    EXPECT_EQ(pl_last_error(e).code, PL_ERR_ELF_HEADER);
    EXPECT_EQ(PIE_main(e, reinterpret_cast<const char*>(image.data())), 0);
    EXPECT_EQ(clauses(), system + 7);
    const char text[] = "k(1).";
    EXPECT_EQ(PIE_main_image(e, text, sizeof text - 1), 0);
    EXPECT_EQ(clauses(), system + 8);
    EXPECT_EQ(e->busy, 0);
}

TEST_F(ApiTest, UpdateBrackets) {
    make(0x402);
    ASSERT_EQ(PIE_main(e, "a(1)."), 0);
    PlFunctor* a = pl_lookup_functor(e, pie_intern_string(e, "a"), 1, nullptr);
    a->flags |= PLF_DONE;
    EXPECT_EQ(PIE_begin_update(e), 0);
    EXPECT_TRUE(e->flags & PLE_UPDATE_MODE);
    EXPECT_FALSE(a->flags & PLF_DONE);
    a->flags |= PLF_DONE;
    EXPECT_EQ(PIE_end_update(e), 0);
    EXPECT_FALSE(e->flags & PLE_UPDATE_MODE);
    EXPECT_FALSE(a->flags & PLF_DONE);
    EXPECT_EQ(PIE_term(nullptr), 0);
}

// What the engine made or recorded since it was kept goes; a program changed since cannot go back.
TEST_F(ApiTest, BackToTheKeptState) {
    make(0x402);
    EXPECT_EQ(PIE_back_to_kept(e), 1);  // nothing kept
    ASSERT_EQ(PIE_main(e, "a(1)."), 0);
    PlFunctor* a = pl_lookup_functor(e, pie_intern_string(e, "a"), 1, nullptr);
    ASSERT_EQ(PIE_keep(e), 0);
    const size_t atoms = pie_atom_count(e);
    const uint32_t functors = e->functor_count;
    const PieValue seven{3, 7};
    for (int round = 0; round < 3; ++round) {
        EXPECT_EQ(PIE_define_constant(e, "Copies", &seven), 0) << round;  // a name made anew each round
        int32_t value = 0;
        EXPECT_EQ(PIE_get_integer(e, "Copies", &value), 0);
        a->flags |= PLF_DONE | PLF_MARKED;
        EXPECT_EQ(PIE_begin_update(e), 0);
        EXPECT_EQ(PIE_back_to_kept(e), 0) << round;
        EXPECT_EQ(pie_atom_count(e), atoms);
        EXPECT_EQ(e->functor_count, functors);
        EXPECT_EQ(pie_find_atom(e, "Copies"), nullptr);
        EXPECT_EQ(a->flags & (PLF_DONE | PLF_MARKED), 0u);
        EXPECT_FALSE(e->flags & PLE_UPDATE_MODE);
    }
    ASSERT_EQ(PIE_main(e, "b(2)."), 0);
    EXPECT_EQ(PIE_back_to_kept(e), 1);
    EXPECT_EQ(PIE_keep(nullptr), -1);
    // A load that ran a query may have left what the host answered: it is not kept.
    ASSERT_EQ(PIE_main(e, "?- true."), 0);
    EXPECT_EQ(PIE_keep(e), -1);
}

}  // namespace
