// The rule compiler: operator conversion, the system-predicate check, no-propagate heads, the
// op and abbrev conversions, term copy and release, and the predefined functor table.
#include "rule_fixture.h"

#include "pie/text/operators.h"
#include "pie/terms/term_copy.h"
#include "pie/run/update_walk.h"

#include <set>
#include <string>

namespace {

TEST_F(RuleTest, SystemHeadsCannotBeRedefined) {
    pl_predefined(e, PLP_sum_3)->flags |= PLF_SYSTEM;  // as the registration of built-ins sets it
    struct Case { const char* text; int code; };
    for (auto c : {Case{"sum(1, 2, 3).", 257}, Case{"sum(_X, _Y, _Z) :- true.", 257}, Case{"a + b :- c.", 257},
                   Case{"(a , b).", 257}, Case{"p(sum(1, 2, 3)).", 0}, Case{"sum(1, 2) :- true.", 0},
                   Case{"q :- sum(1, 2, 3).", 0}}) {
        PlCell* clause = this->clause(c.text);
        ASSERT_TRUE(clause) << c.text;
        EXPECT_EQ(errorOf([&] { system_predicate_check(e, clause->clause.term); }), c.code) << c.text;
    }
    errorOf([&] { system_predicate_check(e, clause("sum(1, 2, 3).")->clause.term); });
    EXPECT_STREQ(pl_last_error(e).text, "System functor 'sum' can't redefined.\n");
}

TEST_F(RuleTest, NoPropagateHeadsGetNumberedFunctorsOfTheirOwn) {
    PlFunctor* marker = pl_predefined(e, PLP_dollars_1);
    EXPECT_FALSE(marker->flags & PLF_SYSTEM);
    PlFunctor* first = nullptr;
    PlFunctor* second = nullptr;
    ASSERT_EQ(errorOf([&] {
                  first = replace_nopropagate_functor(e, marker);
                  second = replace_nopropagate_functor(e, marker);
              }),
              0);
    EXPECT_STREQ(first->name->name, "$$@0");
    EXPECT_STREQ(second->name->name, "$$@1");
    for (PlFunctor* f : {first, second}) {
        EXPECT_EQ(f->arity, 1u);
        EXPECT_TRUE(f->flags & PLF_REPLACEMENT);
        EXPECT_TRUE(f->flags & PLF_HOST_FACT);
    }
    PlFunctor* two = pl_lookup_functor(e, e->atom.dollars, 2, nullptr);
    EXPECT_EQ(errorOf([&] { replace_nopropagate_functor(e, two); }), PL_ERR_NOPROPAGATE_ARITY);
    PlFunctor* owned = pl_lookup_functor(e, e->atom.dollars, 1, first);
    EXPECT_EQ(errorOf([&] { replace_nopropagate_functor(e, owned); }), PL_ERR_NOPROPAGATE_PROPERTY);
    EXPECT_EQ(e->replacement_count, 2);
}

TEST_F(RuleTest, OperatorConversionRejectsCellsTheParserNeverLeaves) {
    PlCell* name = pl_cell_new(e, PL_NAME);
    name->token = e->atom.dot;
    EXPECT_EQ(errorOf([&] { operator_to_functor(e, name); }), PL_ERR_CELL_TYPE);
    EXPECT_STREQ(pl_last_error(e).text, "[operator_to_functor] plt_code [0] is unsupported.\n");
    PlCell* group = pl_make_and_group(e, e->cell.nil);
    PlCell* f = pl_make_compound(e, e->atom.not_, 1);
    f->fn.args->items[0] = group;
    EXPECT_EQ(errorOf([&] { operator_to_functor(e, f); }), PL_ERR_CELL_TYPE);
}

TEST_F(RuleTest, OpAndAbbrevArgumentsConvert) {
    PlCell* c = clause("p(xfx, yfy, abc, 7, f(a, b), \"x\").");
    EXPECT_FALSE(c);  // the double quote is no rule syntax
    c = clause("p(fx, yfy, abc, 7, f(a, b)).");
    ASSERT_TRUE(c);
    PlCell* t = c->clause.term;
    EXPECT_EQ(fetch_opcode(e, pl_arg(t, 0)), PL_FX);
    EXPECT_EQ(fetch_opcode(e, pl_arg(t, 1)), PL_YFY);
    EXPECT_EQ(pl_is_op_type(e, pl_arg(t, 1)), 1);
    EXPECT_EQ(pl_is_op_type(e, pl_arg(t, 2)), 0);
    EXPECT_EQ(errorOf([&] { fetch_opcode(e, pl_arg(t, 2)); }), PL_ERR_OPCODE_UNDEFINED);
    EXPECT_EQ(errorOf([&] { fetch_opcode(e, pl_arg(t, 3)); }), PL_ERR_OPCODE_UNMATCHED);
    EXPECT_EQ(fetch_integer(e, pl_arg(t, 3)), 7);
    EXPECT_EQ(errorOf([&] { fetch_integer(e, pl_arg(t, 2)); }), PL_ERR_CELL_TYPE);
    EXPECT_EQ(functor_argument(e, pl_arg(t, 4)), 2u);
    EXPECT_EQ(errorOf([&] { functor_argument(e, pl_arg(t, 3)); }), PL_ERR_OPCODE_UNMATCHED);
    const char* names[] = {"fx", "fy", "xf", "yf", "xfx", "xfy", "yfx", "yfy"};
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(pl_op_type_code(names[i]), i);
        EXPECT_STREQ(pl_op_type_name(i), names[i]);
    }
}

TEST_F(RuleTest, SizeTextsReadDigitsAndMegabytes) {
    struct Case { const char* text; int32_t value; int code; };
    for (auto c : {Case{"64MB", 65536, 0}, Case{"12", 12, 0}, Case{"12KB", 12, 0}, Case{"", 0, 0},
                   Case{"7 MB", 7168, 0}, Case{"MB", 0, 0}, Case{"2097151MB", 2147482624, 0},
                   Case{"2097152MB", 0, 262}, Case{"4294967296", 0, 262}}) {
        int32_t value = 0;
        EXPECT_EQ(errorOf([&] { value = pl_size_text(e, c.text); }), c.code) << c.text;
        if (!c.code) {
            EXPECT_EQ(value, c.value) << c.text;
        }
    }
}

TEST_F(RuleTest, CopySharesLeavesAndReleaseGivesCellsBack) {
    PlCell* c = clause("p(f(_X, 300), [a, g(b) | _X], _, q) :- r(_X).");
    ASSERT_TRUE(c);
    PlCell* original = c->clause.term;
    PlFunctor* f = pl_lookup_functor(e, pie_intern_string(e, "f"), 2, nullptr);
    const int32_t uses = f->uses;
    PlCell* copy = pl_term_copy(e, original);
    EXPECT_EQ(show(copy), show(original));
    EXPECT_NE(copy, original);
    PlCell* head = pl_arg(original, 0);
    PlCell* copied_head = pl_arg(copy, 0);
    EXPECT_NE(pl_arg(copied_head, 0), pl_arg(head, 0));                       // compound: new
    EXPECT_NE(pl_arg(copied_head, 1), pl_arg(head, 1));                       // list: new
    EXPECT_EQ(pl_arg(pl_arg(copied_head, 0), 0), pl_arg(pl_arg(head, 0), 0));  // variable: shared
    EXPECT_EQ(pl_arg(pl_arg(copied_head, 0), 1), pl_arg(pl_arg(head, 0), 1));  // integer: shared
    EXPECT_EQ(pl_arg(copied_head, 3), pl_arg(head, 3));                       // atom: shared
    EXPECT_EQ(f->uses, uses + 1);
    pl_term_release(e, copy);
    EXPECT_EQ(f->uses, uses);
    EXPECT_EQ(show(original), ":-(p(f(_X,300),[a,g(b)|_X],_,q),r(_X))");
    std::set<PlCell*> reused;
    for (int i = 0; i < 12; ++i) reused.insert(pl_cell_new(e, PL_INT));
    EXPECT_TRUE(reused.count(copy));
    EXPECT_FALSE(reused.count(pl_arg(head, 0)->fn.args->items[0]));  // the variable stayed
}

TEST_F(RuleTest, RecollectedVariablesAreNumberedOnce) {
    PlCell* parsed = clause("p(_A, f(_B, [_A | _C])) :- q(_C).");
    ASSERT_TRUE(parsed);
    PlCell* rebuilt = pl_make_clause(e, PL_CLAUSE, parsed->clause.term);
    EXPECT_EQ(errorOf([&] { recollect_variables(e, rebuilt, rebuilt->clause.term); }), 0);
    EXPECT_EQ(rebuilt->clause.var_count, 3u);
    PlCell* bad = pl_make_compound(e, e->atom.not_, 1);
    bad->fn.args->items[0] = e->cell.void_term;
    EXPECT_EQ(errorOf([&] { recollect_variables(e, rebuilt, bad); }), PL_ERR_OPCODE_UNMATCHED);
}

TEST_F(RuleTest, PredefinedTableDrivesOneFunctorPerRow) {
    int builtins = 0;
    std::set<int> codes;
    for (int i = 0; i < kPlPredefinedFunctorCount; ++i) {
        const PlPredefinedRow& row = kPlPredefinedRows[i];
        PlFunctor* f = pl_predefined(e, i);
        EXPECT_STREQ(f->name->name, row.name);
        EXPECT_EQ(f->arity, row.arity) << row.name;
        EXPECT_EQ(f, pl_lookup_functor(e, pie_intern_string(e, row.name), row.arity, nullptr)) << row.name;
        builtins += row.kind == PLP_BUILTIN;
        if (row.image_code) {
            EXPECT_TRUE(codes.insert(row.image_code).second) << row.name;
        }
    }
    EXPECT_EQ(builtins, 94);  // the 90 built-ins with the four item-level goals the loader registers
    EXPECT_EQ(kPlPredefinedRows[PLP_message_1].builtin_flag, 1);
    EXPECT_EQ(kPlPredefinedRows[PLP_show_3].image_code, 0x0A);
    EXPECT_EQ(kPlPredefinedRows[PLP_caret_1].image_code, 0x61);
}

TEST_F(RuleTest, MarksAndUpdateWalks) {
    pl_mark_keep_reason(e, pie_intern_string(e, "Item$A"));
    PlFunctor* item = pl_lookup_functor(e, pie_intern_string(e, "Item$A"), 1, nullptr);
    EXPECT_TRUE(item->flags & PLF_KEEP_REASON);
    item->flags |= PLF_DONE;
    item->values->items[0] = e->cell.ON;
    pl_update_walk_end(e);
    EXPECT_FALSE(item->flags & PLF_DONE);
    EXPECT_EQ(item->values->items[0], e->cell.ON);
    item->flags |= PLF_DONE;
    pl_update_walk_begin(e);
    EXPECT_FALSE(item->flags & PLF_DONE);
    EXPECT_EQ(item->values->items[0], nullptr);
}

}  // namespace
