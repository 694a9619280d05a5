// The parser: precedence and grouping, prefix and postfix readings, lists and parentheses, user
// operators, and every parse error.
#include "rule_fixture.h"

#include "pie/text/operators.h"
#include "pie/text/parser.h"

#include <string>

namespace {

struct TermCase {
    const char* text;
    const char* term;
};

TEST_F(RuleTest, ParserShapesTermsByPriorityAndType) {
    for (auto c : {
             TermCase{"a :- b, c ; d.", ":-(a,;(,(b,c),d))"},
             TermCase{"a = b = c.", "=(=(a,b),c)"},
             TermCase{"1 + 2 * 3 - 4 mod 5.", "-(+(1,*(2,3)),mod(4,5))"},
             TermCase{"a - (b - c).", "-(a,-(b,c))"},
             TermCase{"a :- b :- c.", ":-(a,:-(b,c))"},
             TermCase{"a ; b | c , d.", ";(a,|(b,,(c,d)))"},
             TermCase{"(a | b).", "|(a,b)"},
             TermCase{"{a, b}.", ",(a,b)"},
             TermCase{"?- a, b.", "?-(,(a,b))"},
             TermCase{"X is Y + 1.", "is(X,+(Y,1))"},
             TermCase{"_Z is _X mod _Y /\\ 3.", "is(_Z,/\\(mod(_X,_Y),3))"},
             TermCase{"p :- not q, apply r.", ":-(p,,(not(q),apply(r)))"},
             TermCase{"p :- not (a, b).", ":-(p,not(a,b))"},
             TermCase{"p :- not((a, b)).", ":-(p,not(,(a,b)))"},
             TermCase{"p :- ^q, \\ 5, ?d.", ":-(p,,(^(q),,(\\(5),disable)))"},
             TermCase{"x(a) :: g(1).", "::(x(a),g(1))"},
             TermCase{"a << 2 >> 1 \\/ 4.", "\\/(>>(<<(a,2),1),4)"},
             TermCase{"a == b.", "==(a,b)"},
             TermCase{"p :- a < b + 1, c > d - 1, e <= f * 2, g >= h / 2, i =:= j mod 3, k =\\= l, m \\== n.",
                      ":-(p,,(<(a,+(b,1)),,(>(c,-(d,1)),,(<=(e,*(f,2)),,(>=(g,/(h,2)),,(=:=(i,mod(j,3)),,(=\\=(k,l),"
                      "\\==(m,n))))))))"},
             TermCase{"X.", "X"},
         })
        EXPECT_EQ(term(c.text), c.term) << c.text;
}

TEST_F(RuleTest, ParenthesesAndListsKeepTheirGrouping) {
    for (auto c : {
             TermCase{"f(a, (b, c)).", "f(a,,(b,c))"},
             TermCase{"p([a, (b, c)]).", "p([a,,(b,c)])"},
             TermCase{"p([a, b | _T]).", "p([a,b|_T])"},
             TermCase{"p([a | [b]]).", "p([a,b])"},
             TermCase{"p([]), q([a]).", ",(p([]),q([a]))"},
             TermCase{"p([a = b, -c]).", "p([=(a,b),-(c)])"},
             TermCase{"p([(a | b)]).", "p([|(a,b)])"},
             TermCase{"p([a :- b | c]).", "p([:-(a,b)|c])"},
             TermCase{"p(((a))).", "p(a)"},
             TermCase{"p((a :- b) :- c).", "p(:-(:-(a,b),c))"},
         })
        EXPECT_EQ(term(c.text), c.term) << c.text;
}

TEST_F(RuleTest, SignedIntegersFoldWhereverTheyStand) {
    for (auto c : {
             TermCase{"$DefaultResoShift(-1) :- true.", ":-($DefaultResoShift(-1),true)"},
             TermCase{"p(- 1, +3, -0).", "p(-1,3,0)"},
             TermCase{"p(-2147483647).", "p(-2147483647)"},
             TermCase{"p(-(1)).", "p(-(1))"},
             TermCase{"p(3 - -1).", "p(-(3,-1))"},
             TermCase{"p(- 1 + 2).", "p(+(-1,2))"},
             TermCase{"p(-a).", "p(-(a))"},
         })
        EXPECT_EQ(term(c.text), c.term) << c.text;
    EXPECT_EQ(readError("p(-2147483648)."), PL_ERR_INTEGER_OVERFLOW);
}

TEST_F(RuleTest, PrefixOperatorsStandAsAtomsWhereNoOperandFollows) {
    for (auto c : {
             TermCase{"f(-).", "f(-)"},
             TermCase{"op(500, yfx, '+').", "op(500,yfx,+)"},
             TermCase{"p(-, a, +).", "p(-,a,+)"},
             TermCase{"p([-]).", "p([-])"},
             TermCase{"p(- = a).", "p(=(-,a))"},
             TermCase{"p :- not.", ":-(p,not)"},
             TermCase{"p(- - 1).", "p(1)"},
         })
        EXPECT_EQ(term(c.text), c.term) << c.text;
}

TEST_F(RuleTest, VariablesAreOneCellPerNameNumberedInOrder) {
    PlCell* c = clause("p(_X, _Y, _X, _, _) :- q(_Y).");
    ASSERT_TRUE(c);
    PlCell* head = pl_arg(c->clause.term, 0);
    EXPECT_EQ(pl_arg(head, 0), pl_arg(head, 2));
    EXPECT_EQ(pl_arg(head, 3), e->cell.anonymous);
    EXPECT_EQ(pl_arg(head, 4), e->cell.anonymous);
    EXPECT_EQ(pl_arg(head, 0)->var.slot, 0);
    EXPECT_EQ(pl_arg(head, 1)->var.slot, 1);
    EXPECT_EQ(pl_arg(pl_arg(c->clause.term, 1), 0), pl_arg(head, 1));
    EXPECT_EQ(c->clause.var_count, 2u);
    PlCell* other = clause("p(_X).");
    EXPECT_NE(pl_arg(other->clause.term, 0), pl_arg(head, 0));  // a new clause, new variables
}

TEST_F(RuleTest, ParseErrorsCarryTheirCodesAndLines) {
    struct Case { std::string text; int code; };
    auto args = [](int n) {
        std::string text = "f(a";
        for (int i = 1; i < n; ++i) text += ",a";
        return text + ").";
    };
    for (const auto& c : {
             Case{"p() .", 269}, Case{"p(a .", 264}, Case{"q :- () .", 263}, Case{"p([a .", 265},
             Case{"p([a|]) .", 265}, Case{"p([a|b|c]).", 265}, Case{"p([a|b .", 265}, Case{"p :- .", 268},
             Case{"a = .", 268}, Case{"p(a, ).", 268}, Case{"p :- \\", 270}, Case{"p(a) q.", 283},
             Case{"p(a)", 283}, Case{"f(a)(b).", 283}, Case{".", 284}, Case{"1.", 284}, Case{"_X.", 284},
             Case{"[a].", 284}, Case{"(a", 264}, Case{"p(a) :- q(b", 264},
             Case{args(31), 0}, Case{args(32), 289},
         })
        EXPECT_EQ(readError(c.text.c_str()), c.code) << c.text;
    readError("p(a).\nq() .");
    EXPECT_STREQ(pl_last_error(e).text, "Functor 'q' has no parameter.\n");
    EXPECT_EQ(pl_last_error(e).line, 2);
}

TEST_F(RuleTest, DeepNestingIsAnErrorNotACrash) {
    const int n = 5000;
    for (auto [open, close] : {std::pair{"(", ")"}, std::pair{"[", "]"}, std::pair{"f(", ")"}}) {
        std::string text = "p(";
        for (int i = 0; i < n; ++i) text += open;
        text += "a";
        for (int i = 0; i < n; ++i) text += close;
        text += ").";
        EXPECT_EQ(readError(text.c_str()), PL_ERR_STACK) << open;
        EXPECT_EQ(e->depth, 0);
    }
    EXPECT_EQ(term("p(((((a))))) :- q."), ":-(p(a),q)");  // usable afterwards
}

TEST_F(RuleTest, LongChainsParseWithoutNesting) {
    const int n = 20000;
    std::string body = "p :- a", list = "p([0", sum = "p(0";
    for (int i = 1; i < n; ++i) {
        body += ", a";
        list += ",0";
        sum += "+1-1";
    }
    for (std::string text : {body + ".", list + "]).", sum + ")."}) EXPECT_EQ(readError(text.c_str()), 0);
}

TEST_F(RuleTest, UserOperatorsTakeEffectForTheTextThatFollows) {
    PlAtom* likes = pie_intern_string(e, "likes");
    EXPECT_EQ(term("a likes b."), "error 283");
    ASSERT_EQ(errorOf([&] { plop_put(e, likes, PL_XFX, 700); }), 0);
    EXPECT_EQ(term("a likes b."), "likes(a,b)");
    errorOf([&] { plop_put(e, likes, PL_XFY, 700); });
    EXPECT_EQ(term("a likes b likes c."), "likes(a,likes(b,c))");
    errorOf([&] { plop_put(e, pie_intern_string(e, "pct"), PL_XF, 100); });
    EXPECT_EQ(term("p(5 pct)."), "p(pct(5))");
    errorOf([&] { plop_put(e, pie_intern_string(e, "neg"), PL_FY, 200); });
    EXPECT_EQ(term("p(neg neg a)."), "p(neg(neg(a)))");
    EXPECT_EQ(plop_put(e, likes, 8, 1)->infix->type, PL_XFY);  // a type beyond 0-7 changes nothing
    EXPECT_EQ(plop_put(e, pie_intern_string(e, "nothing"), -1, 1), nullptr);
    for (const char* name : {",", ";", "|", ":-", "=", "+", "mod", "not"})
        for (int type : {PL_FY, PL_YFX}) {
            PlOperator* entry = pl_operator_lookup(e, pie_intern_string(e, name));
            const bool defined = type <= PL_FY ? entry->prefix != nullptr : entry->infix != nullptr;
            EXPECT_EQ(errorOf([&] { plop_put(e, entry->name, type, 10); }), defined ? PL_ERR_READ_ONLY_OPERATOR : 0)
                << name << " " << type;
        }
}

TEST_F(RuleTest, GetPriorityDecidesInfixPostfixOrStop) {
    struct Def { int type, priority; };
    struct Case { Def in, post; int left_priority, max, answer; };
    const Def none{-1, 0};
    for (auto c : {
             Case{none, none, 0, 1200, 3},           Case{none, {PL_XF, 300}, 0, 300, 2},
             Case{none, {PL_XF, 300}, 0, 299, 3},    Case{{PL_XFX, 300}, none, 0, 300, 1},
             Case{{PL_XFX, 300}, none, 0, 200, 3},   Case{{PL_XFX, 200}, {PL_XF, 300}, 0, 300, 2},
             Case{{PL_XFX, 200}, {PL_XF, 300}, 0, 250, 3}, Case{{PL_XFX, 300}, {PL_XF, 300}, 0, 300, 4},
             Case{{PL_XFX, 300}, {PL_XF, 300}, 0, 299, 3}, Case{{PL_XFX, 300}, {PL_YF, 300}, 300, 300, 2},
             Case{{PL_XFY, 300}, {PL_YF, 300}, 300, 299, 3}, Case{{PL_YFX, 300}, {PL_YF, 300}, 300, 300, 4},
             Case{{PL_YFX, 300}, {PL_XF, 300}, 300, 300, 1}, Case{{PL_XFX, 400}, {PL_XF, 300}, 0, 400, 1},
             Case{{PL_XFX, 400}, {PL_XF, 300}, 0, 399, 3},
         }) {
        PlOpDefinition in{c.in.type, c.in.priority, nullptr}, post{c.post.type, c.post.priority, nullptr};
        PlOpDefinition pre{PL_FX, c.left_priority, nullptr};
        PlOperator entry{e->atom.dot, nullptr, c.in.type >= 0 ? &in : nullptr, c.post.type >= 0 ? &post : nullptr};
        PlOperator left_entry{e->atom.dot, &pre, nullptr, nullptr};
        PlCell left{};
        left.type = c.left_priority ? PL_PREFIX : PL_INT;
        left.op.entry = &left_entry;
        EXPECT_EQ(get_priority(e, &entry, &left, c.max), c.answer)
            << c.in.type << "/" << c.in.priority << " " << c.post.type << "/" << c.post.priority << " L"
            << c.left_priority << " M" << c.max;
    }
    PlCell clause{};
    clause.type = PL_CLAUSE;
    EXPECT_EQ(errorOf([&] { get_priority(e, e->op_comma, &clause, 1200); }), PL_ERR_CANNOT_PROCEED);
}

}  // namespace
