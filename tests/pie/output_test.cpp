// Text output: pieces joining into one text, delivery through host slot 19, the printed forms
// of every term type in the three modes, dumps and trace lines.
#include "rule_fixture.h"

#include "pie/terms/hash.h"
#include "pie/terms/list.h"
#include "pie/text/output.h"
#include "pie/text/printer.h"
#include "pie/build/program.h"
#include "pie/text/trace.h"
#include "pie/terms/functor_set.h"

#include <string>
#include <vector>

namespace {

struct OutputTest : RuleTest {
    std::vector<std::string> received;

    static int collect(void* host, const char* text) {
        static_cast<OutputTest*>(host)->received.push_back(text);
        return 0;
    }
    OutputTest() {
        e->host = this;
        e->host_slots[kPlOutputSlot] = reinterpret_cast<PlHostSlot>(&collect);
    }
    // All text handed to the host since the last call.
    std::string taken() {
        pl_flush(e);
        std::string all;
        for (const auto& text : received) all += text;
        received.clear();
        return all;
    }
    std::string printed(const char* clause_text, uint32_t flags = 0) {
        PlCell* c = clause(clause_text);
        if (!c) return "error";
        e->flags = (e->flags & ~(PLE_DUMP_ADDRESSES | PLE_DUMP_TAGGED)) | flags;
        plout_tree(e, c, 0);
        return taken();
    }
};

TEST_F(OutputTest, PiecesJoinIntoOneTextPerBlock) {
    pl_print(e, "%s", "<< ");
    pl_print(e, "%d", 42);
    pl_print(e, "%s", "");
    pl_print(e, "%s", " >>\n");
    pl_flush(e);
    ASSERT_EQ(received.size(), 1u);
    EXPECT_EQ(received[0], "<< 42 >>\n");
    received.clear();
    pl_print(e, "%s", std::string(600, 'x').c_str());
    EXPECT_EQ(taken(), std::string(kPlMaxPiece, 'x'));
    EXPECT_EQ(taken(), "");  // nothing left behind
}

TEST_F(OutputTest, BannerReachesTheHostAsOneLine) {
    e->flags |= PLE_TRACE;
    plout_banner(e);
    ASSERT_EQ(received.size(), 1u);
    EXPECT_EQ(received[0], "<< PIE(ver 1.75) [Jun  2 2005] >>\n");
}

TEST_F(OutputTest, TermsPrintInThePlainForm) {
    struct Case { const char* text; const char* printed; };
    for (auto c : {
             Case{"p([a, b | _T]).", "p([a,b|_T])."},
             Case{"p([], _, 7, -2147483647, 'x y').", "p([],_,7,-2147483647,x y)."},
             Case{"a :- b, c ; d.", "a :- b , c ; d."},
             Case{"p((a, b), [(c, d)]).", "p((a , b),[(c , d)])."},
             Case{"p((a :- b) :- c).", "p(((a :- b) :- c))."},
             Case{"p(a - (b - c), (a - b) - c, - x).", "p(a - (b - c),a - b - c,- x)."},
             Case{"p(1 + 2 * 3, (1 + 2) * 3).", "p(1 + 2 * 3,(1 + 2) * 3)."},
             Case{"p :- not q, ^r.", "p :- not q , ^ r."},
             Case{"p('%s%n%d').", "p(%s%n%d)."},  // a name is never a format
         })
        EXPECT_EQ(printed(c.text), c.printed) << c.text;
}

TEST_F(OutputTest, TermsPrintTaggedAndWithAddresses) {
    EXPECT_EQ(printed("p([a | _T], _, 5, []).", PLE_DUMP_TAGGED),
              "(FUNCTOR: p/4 (LIST (ATOM: a) . (VAR: _T)) (ANONYMOUS) (INT: 5) (NIL)).");
    const std::string addressed = printed("p(5).", PLE_DUMP_ADDRESSES);
    EXPECT_NE(addressed.find("FUNCTOR: {"), std::string::npos) << addressed;
    EXPECT_NE(addressed.find("(INT: 5)"), std::string::npos) << addressed;
    EXPECT_EQ(addressed.front(), '{');
    PlCell* group = pl_make_and_group(e, pl_make_list(e, e->cell.true_, pl_make_list(e, e->cell.fail, e->cell.nil)));
    PlCell* tag = pl_make_once(e, pl_make_member(e, pl_make_list(e, e->cell.ON, e->cell.nil)));
    e->flags &= ~(PLE_DUMP_ADDRESSES | PLE_DUMP_TAGGED);
    plout_tree(e, group, 0);
    plout_tree(e, tag, 0);
    plout_tree(e, e->cell.unbound, 0);
    EXPECT_EQ(taken(), "{{true, fail}}#([[ON]]#)_");
    e->flags |= PLE_DUMP_TAGGED;
    plout_tree(e, group, 0);
    plout_tree(e, tag, 0);
    EXPECT_EQ(taken(), "(AND_GROUP (ATOM: true) (ATOM: fail))(TAG (MEMBER (ATOM: ON)))");
}

TEST_F(OutputTest, CellsThatAreNoTermsAreRefused) {
    PlCell* name = pl_cell_new(e, PL_NAME);
    EXPECT_EQ(errorOf([&] { plout_tree(e, name, 0); }), PL_ERR_CELL_TYPE);
    EXPECT_STREQ(pl_last_error(e).text, "[plout_tree] plt_code [0] is unsupported.\n");
    EXPECT_EQ(errorOf([&] { plout_tree(e, e->cell.end_of_text, 0); }), PL_ERR_CELL_TYPE);
}

TEST_F(OutputTest, DeepTermsPrintBoundedAndLongChainsInFull) {
    PlCell* deep = e->cell.true_;
    for (int i = 0; i < 100000; ++i) {
        PlCell* f = pl_make_compound(e, e->atom.not_, 1);
        f->fn.args->items[0] = deep;
        deep = f;
    }
    plout_tree(e, deep, 0);
    const std::string text = taken();
    EXPECT_NE(text.find("..."), std::string::npos);
    EXPECT_LT(text.size(), 4000u);
    std::string body = "p :- a0";
    for (int i = 1; i < 5000; ++i) body += ", a" + std::to_string(i);
    EXPECT_EQ(printed((body + ".").c_str()).size(), body.size() + 4999 + 1);  // " , " for ", "
}

TEST_F(OutputTest, TraceLinesHaveTagAndDepth) {
    PlCell* goal = clause("p(a).")->clause.term;
    EXPECT_EQ((plout_trace(e, PL_TRACE_CALL, 3, goal), taken()), "");  // trace off: nothing
    e->flags |= PLE_TRACE;
    struct Case { int event, depth; const char* line; };
    for (auto c : {Case{0, 1, "FAIL: [  1] p(a)\n"}, Case{1, 12, "TRUE: [ 12] p(a)\n"}, Case{2, 0, "CUT:        p(a)\n"},
                   Case{3, 0, "CUT:        p(a)\n"}, Case{4, 3, "CALL: [  3] p(a)\n"}, Case{5, 1, "FIX:  [  1] p(a)\n"},
                   Case{6, 1, "PROP: [  1] p(a)\n"}, Case{7, 1, "FAIL*:[  1] p(a)\n"}, Case{8, 1, "[  1] p(a)\n"}}) {
        plout_trace(e, c.event, c.depth, goal);
        ASSERT_EQ(received.size(), 1u) << c.event;  // flushed at once
        EXPECT_EQ(received[0], c.line);
        received.clear();
    }
    plout_binding(e, pie_intern_string(e, "_X"), e->cell.ON);
    EXPECT_EQ(taken(), "\t_X:=ON");
}

TEST_F(OutputTest, DumpsListTheProgramAndItsReferences) {
    pl_program_create(e);
    PlCell* rule = clause("Item$A(ON) :- Item$B(OFF).");
    PlCell* fact = clause("Item$B(OFF).");
    PlFunctor* a = rule->clause.term->fn.args->items[0]->fn.functor;
    PlFunctor* b = fact->clause.term->fn.functor;
    pl_list_append(e, e->program->clauses[PL_WRITTEN], rule);
    pl_list_append(e, e->program->clauses[PL_WRITTEN], fact);
    pl_program_add_functor(e, a);
    pl_program_add_functor(e, b);
    pl_program_add_functor(e, a);
    pl_functor_set_add(e, b->dependents, a);
    plout_listing(e);
    EXPECT_EQ(taken(), "<< USER PREDICATES >>\n 1: Item$A(ON) :- Item$B(OFF).\n 2: Item$B(OFF).\n"
                       "<< COMPLETE PREDICATES >>\n 1: Item$A(ON) :- Item$B(OFF).\n 2: Item$B(OFF).\n");
    plout_functor_dump(e);
    const std::string dump = taken();
    EXPECT_EQ(dump.rfind("<<Functor Dump>>\n", 0), 0u);
    EXPECT_NE(dump.find("  Item$A/1\n"), std::string::npos);
    EXPECT_EQ(dump.size(), std::string("<<Functor Dump>>\n  Item$A/1\n  Item$B/1\n").size());
    plout_reference_dump(e);
    const std::string references = taken();
    EXPECT_NE(references.find("Item$B/1 :  Item$A/1\n"), std::string::npos) << references;
    EXPECT_EQ(references.find("$$@"), std::string::npos);
}

TEST(OutputText, IntegersAndBoundedFormats) {
    char buffer[16];
    struct Case { int32_t value; const char* text; };
    for (auto c : {Case{0, "0"}, Case{-5, "-5"}, Case{123, "123"}, Case{INT32_MAX, "2147483647"},
                   Case{INT32_MIN, "-2147483648"}})
        EXPECT_STREQ(pl_integer_text(buffer, c.value), c.text);
    EXPECT_EQ(pl_format_bounded(buffer, sizeof buffer, "%d", 42), 2);
    buffer[0] = 'k';
    EXPECT_EQ(pl_format_bounded(buffer, size_t{1} << 31, "%d", 42), -1);
    EXPECT_EQ(buffer[0], 'k');
}

}  // namespace
