// The value and property commits that propagation runs for changed items: what reaches the host,
// what stays in the engine's own update store, and what counts as a change.
#include "run_fixture.h"
#include "term_builder.h"

#include "pie/host/host_values.h"
#include "pie/run/property_values.h"
#include "pie/run/unify.h"
#include "pie/run/update_store.h"

#include <cctype>
#include <cstdlib>
#include <string>

namespace {

struct Commit : RunTest {
    TermBuilder b{e};
    PlFunctor* unary(const char* name) { return pl_lookup_functor(e, t(name), 1, nullptr); }
    int commit(PlFunctor* f, PlCell* value) {
        return pl_guarded(e, -1, [&] {
            pl_record_value(e, f, 0, value);
            return pie_commit_item_value(e, f);
        });
    }
};

TEST_F(Commit, EnginesOwnFactsStayInTheUpdateStore) {
    PlFunctor* mode = unary("$Mode");
    mode->flags |= PLF_HOST_FACT;
    EXPECT_EQ(commit(mode, b.atom("fast")), 1);
    EXPECT_EQ(commit(mode, b.atom("fast")), 0);
    EXPECT_EQ(mode->flags & PLF_DONE, 0u);
    EXPECT_EQ(commit(mode, b.list({b.atom("a")})), 1);
    EXPECT_EQ(commit(mode, b.list({b.atom("a")})), 0);  // equal lists are no change
    EXPECT_NE(mode->flags & PLF_DONE, 0u);
    EXPECT_TRUE(pl_terms_equal(e, pl_update_value(e, mode), b.list({b.atom("a")}), nullptr));
    EXPECT_EQ(host.take(), "");
}

TEST_F(Commit, HostValues) {
    item("Copies", 5).number = 2;
    auto& size = item("Size", 6);
    size.value = "A4";
    PlFunctor* copies = unary("Copies");
    PlFunctor* size_f = unary("Size");
    EXPECT_EQ(commit(copies, b.integer(2)), 0);
    EXPECT_EQ(commit(copies, b.integer(3)), 1);
    EXPECT_NE(copies->flags & PLF_DONE, 0u);
    // An equal name asks whether the item changed anyway.
    EXPECT_EQ(commit(size_f, b.atom("A4")), 0);
    size.changed_answer = 0;
    EXPECT_EQ(commit(size_f, b.atom("A4")), 1);
    EXPECT_EQ(commit(size_f, b.atom("A3")), 1);
    EXPECT_EQ(host.take(), "GetNumber 5; GetNumber 5; SetNumber 3 5; GetValueName 6; IsChanged 6; GetValueName 6; "
                           "IsChanged 6; GetValueName 6; SetValueName A3 6");
    // In an update, an item whose initial conflict is done is left alone.
    e->flags |= PLE_UPDATE_MODE;
    EXPECT_EQ(commit(copies, b.integer(4)), 0);
    host.fail_sets = -3;
    e->flags &= ~PLE_UPDATE_MODE;
    EXPECT_EQ(commit(unary("Copies"), b.integer(9)), 0);
}

// A read of an item's name answers as interning the host's text would, whether the text is the
// one last read or new text in the same buffer.
TEST_F(Commit, ReadNamesFollowTheHostsText) {
    struct Case { int32_t type; const char* text; };
    auto& paper = item("Paper", 7);
    PlFunctor* f = unary("Paper");
    for (auto c : {Case{2, "A4"}, Case{2, "A4"}, Case{2, "A5"}, Case{2, "A4"}, Case{2, "12"}, Case{4, "12"},
                   Case{4, "A5"}, Case{4, "A5"}, Case{2, ""}, Case{4, "Letter"}, Case{2, "A4"}}) {
        paper.type = c.type;
        paper.value = c.text;
        f->flags = (f->flags & ~PLF_VALUE_TYPE) | pie_flags_from_value_type(c.type);
        PlCell* read = nullptr;
        ASSERT_EQ(pl_guarded(e, -1, [&] { return read = pie_read_item_value(e, f), 0; }), 0);
        const std::string what = std::to_string(c.type) + " " + c.text;
        if (!*c.text) {
            EXPECT_EQ(read, nullptr) << what;
        } else if (c.type == 2 && std::isdigit(static_cast<unsigned char>(*c.text))) {
            ASSERT_TRUE(read && read->type == PL_INT) << what;
            EXPECT_EQ(read->value, std::atoi(c.text)) << what;
        } else {
            EXPECT_EQ(read, pie_atom_of_text(e, c.text)) << what;
        }
    }
}

// The host's type answer is kept whatever it was; an item the host does not know is asked again.
TEST_F(Commit, AnItemsTypeIsAskedOnceUnlessTheHostHasNoSuchItem) {
    item("Choice", 7).type = 0;
    item("Size", 6).type = 2;
    host.items[6].value = "A4";
    PlFunctor* gone = unary("Gone");
    gone->host_item = 9;
    for (PlFunctor* f : {unary("Choice"), unary("Size"), gone})
        for (int i = 0; i < 2; ++i) pl_guarded(e, -1, [&] { return pie_read_item_value(e, f), 0; });
    EXPECT_EQ(host.take(), "GetType 7; GetType 6; GetValueName 6; GetValueName 6; GetType 9; GetType 9");
}

TEST_F(Commit, Properties) {
    auto& paper = item("Paper", 5);
    paper.properties[{"A4", "Width"}] = PieValue{3, 210};
    paper.properties[{"A4", "Duplex"}] = PieValue{1, 1};
    PlFunctor* owner = unary("Paper");
    PlFunctor* width = pl_lookup_functor(e, t("Width"), 1, owner);
    PlFunctor* duplex = pl_lookup_functor(e, t("Duplex"), 1, owner);
    width->flags |= pie_flags_from_value_type(3);
    duplex->flags |= pie_flags_from_value_type(1);
    auto run = [&](PlFunctor* property, PlCell* value) {
        return pl_guarded(e, -1, [&] {
            property->flags &= ~PLF_DONE;
            pl_property_record(e, property, b.atom("A4"), value);
            return pie_commit_item_value(e, property);
        });
    };
    EXPECT_EQ(run(width, b.integer(210)), 0);
    EXPECT_EQ(run(width, b.integer(297)), 1);
    EXPECT_EQ(pl_property_value(width, b.atom("A4"))->marks, kPlPropertyCommitted);
    EXPECT_EQ(run(duplex, e->cell.ON), 0);
    EXPECT_EQ(run(duplex, e->cell.OFF), 1);
    EXPECT_EQ(paper.properties[std::make_pair(std::string("A4"), std::string("Duplex"))].value, 0);
    // The engine's own property: a new value is stored and reported, an equal one is not.
    PlFunctor* note = pl_lookup_functor(e, t("Note"), 1, owner);
    note->flags |= PLF_HOST_FACT;
    EXPECT_EQ(run(note, b.atom("x")), 1);
    EXPECT_EQ(run(note, b.atom("x")), 0);
    EXPECT_EQ(run(note, b.atom("y")), 1);
    EXPECT_EQ(pl_update_property(e, note, b.atom("A4")->fn.functor), b.atom("y"));
}

}  // namespace
