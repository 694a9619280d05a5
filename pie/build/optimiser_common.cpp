// Common goals of a predicate: the ground one-argument goals that its rule bodies repeat are
// counted in a table ordered by goal term, the bodies are read as logical trees, and every goal
// met more than once is replaced at each of its places by one once cell of the predicate. The
// call of the predicate resets its once cells, so the goal runs at most once per call.
#include "pie/build/optimiser.h"

#include "pie/terms/btree.h"
#include "pie/build/compiler.h"
#include "pie/api/engine.h"
#include "pie/terms/list.h"
#include "pie/terms/pool.h"

#include <utility>
#include <vector>

namespace {

bool is(const PieEngine* engine, const PlCell* cell, int which) {
    return pl_is_functor(cell, pl_predefined(engine, which));
}

// The total order of goal terms: cell type first; integers by value; compound terms and atoms by
// their functor's sequence number, then argument by argument; list cells by head, then tail.
// Anonymous variables and empty lists are equal among themselves. Walked with a work list, so a
// long list literal needs no native stack.
int compare_terms(const PlCell* a, const PlCell* b) {
    std::vector<std::pair<const PlCell*, const PlCell*>> work{{a, b}};
    while (!work.empty()) {
        auto [x, y] = work.back();
        work.pop_back();
        if (x == y) continue;
        if (x->type != y->type) return x->type < y->type ? -1 : 1;
        switch (x->type) {
        case PL_INT:
            if (x->value != y->value) return x->value < y->value ? -1 : 1;
            break;
        case PL_FUNCTOR: {
            if (x->fn.functor != y->fn.functor) return x->fn.functor->serial < y->fn.functor->serial ? -1 : 1;
            const uint32_t n = x->fn.args ? x->fn.args->count : 0;
            const uint32_t m = y->fn.args ? y->fn.args->count : 0;
            if (n != m) return n < m ? -1 : 1;
            for (uint32_t i = n; i-- > 0;) work.emplace_back(pl_arg(x, i), pl_arg(y, i));
            break;
        }
        case PL_LIST:
            work.emplace_back(x->list.tail, y->list.tail);
            work.emplace_back(x->list.head, y->list.head);
            break;
        case PL_ANONYMOUS:
        case PL_NIL:
        case PL_UNBOUND:
            break;
        default:
            // Cells no ground goal of rule text holds: ordered by identity, which is total too.
            return x < y ? -1 : 1;
        }
    }
    return 0;
}

bool ground(const PlCell* term) {
    std::vector<const PlCell*> work{term};
    while (!work.empty()) {
        const PlCell* cell = work.back();
        work.pop_back();
        switch (cell->type) {
        case PL_VAR:
            return false;
        case PL_FUNCTOR:
            if (cell->fn.args)
                for (uint32_t i = 0; i < cell->fn.args->count; ++i) work.push_back(pl_arg(cell, i));
            break;
        case PL_LIST:
            work.push_back(cell->list.head);
            work.push_back(cell->list.tail);
            break;
        case PL_INT:
        case PL_ANONYMOUS:
        case PL_NIL:
            break;
        default:
            return false;  // groups, sets and tags are not goals of the text
        }
    }
    return true;
}

struct TreeNode;

// One occurrence of a goal: a leaf of a logical tree.
struct Occurrence {
    TreeNode* leaf;
    Occurrence* next;
};

// A row of the common-goal table.
struct Entry {
    PlCell* goal;  // the first occurrence
    uint32_t count;
    Occurrence* first;
    Occurrence* last;
};

int compare_entry(const void* item, const void* key) {
    return compare_terms(static_cast<const Entry*>(item)->goal, static_cast<const PlCell*>(key));
}

enum NodeKind : int { kConjunction = 0, kDisjunction = 1, kNegation = 2, kLeaf = 3 };

// A node of the logical tree of one body. The root's rule is the clause term whose body it is.
struct TreeNode {
    NodeKind kind;
    PlCell* term;
    TreeNode* parent;
    TreeNode* left;
    TreeNode* right;
    PlCell* rule;
};

// The table and the trees live in a pool of their own for the time of one predicate.
class PoolScope {
public:
    explicit PoolScope(PieEngine* engine) : engine_(engine) { pl_pool_create(engine, &pool); }
    ~PoolScope() { pl_pool_release(engine_, &pool); }
    PoolScope(const PoolScope&) = delete;
    PoolScope& operator=(const PoolScope&) = delete;
    PlPool pool;

private:
    PieEngine* engine_;
};

class CommonGoals {
public:
    CommonGoals(PieEngine* engine, PlFunctor* predicate)
        : e_(engine), predicate_(predicate), scope_(engine), table_(btree_create(engine, &scope_.pool, compare_entry)) {}

    void add_rule(PlCell* clause) { build_tree(clause->clause.term); }

    void share() {
        std::vector<Entry*> common;
        btree_walk(table_, [&](void* item) {
            auto* entry = static_cast<Entry*>(item);
            if (entry->count > 1) common.push_back(entry);
        });
        if (common.size() < 2) return;
        // The occurrences of a shared goal all stay where they are: the goal is ground and the
        // once cell answers every later occurrence with the first outcome, while moving a goal
        // across its neighbours could change which of them run, and with that the truth of the
        // body. So no rotation of the trees is needed to bring them under one cell.
        for (Entry* entry : common) {
            PlCell* once = pl_make_once(e_, entry->goal);
            if (!predicate_->once_cells) predicate_->once_cells = pl_list_new(e_);
            pl_list_append(e_, predicate_->once_cells, once);
            for (Occurrence* o = entry->first; o; o = o->next) place(o->leaf, once);
        }
    }

private:
    // Reads a body through ",", ";", "|" and "not" into a tree; every other goal is a leaf, and
    // a ground one-argument goal that is not a system predicate is counted in the table.
    void build_tree(PlCell* rule) {
        struct Work {
            PlCell* term;
            TreeNode* parent;
            bool right;
        };
        std::vector<Work> work{{pl_arg(rule, 1), nullptr, false}};
        while (!work.empty()) {
            const Work w = work.back();
            work.pop_back();
            auto* node = pl_pool_new<TreeNode>(e_, &scope_.pool);
            node->term = w.term;
            node->parent = w.parent;
            if (!w.parent) node->rule = rule;
            else if (w.right) w.parent->right = node;
            else w.parent->left = node;
            if (is(e_, w.term, PLP_comma_2) || is(e_, w.term, PLP_semicolon_2) || is(e_, w.term, PLP_bar_2)) {
                node->kind = is(e_, w.term, PLP_comma_2) ? kConjunction : kDisjunction;
                work.push_back({pl_arg(w.term, 1), node, true});
                work.push_back({pl_arg(w.term, 0), node, false});
            } else if (is(e_, w.term, PLP_not_1)) {
                node->kind = kNegation;
                work.push_back({pl_arg(w.term, 0), node, false});
            } else {
                node->kind = kLeaf;
                count(node);
            }
        }
    }

    void count(TreeNode* leaf) {
        PlCell* goal = leaf->term;
        if (goal->type != PL_FUNCTOR || goal->fn.functor->arity != 1 || (goal->fn.functor->flags & PLF_SYSTEM) ||
            !ground(goal))
            return;
        BTreeNode* row = btree_lookup_or_insert(e_, table_, goal);
        if (!row->item) row->item = pl_pool_new<Entry>(e_, &scope_.pool, goal, 0u, nullptr, nullptr);
        auto* entry = static_cast<Entry*>(row->item);
        auto* occurrence = pl_pool_new<Occurrence>(e_, &scope_.pool, leaf, nullptr);
        if (entry->last) entry->last->next = occurrence;
        else entry->first = occurrence;
        entry->last = occurrence;
        ++entry->count;
    }

    // Puts the once cell in the place of a leaf: an operand of its parent, or the whole body.
    void place(TreeNode* leaf, PlCell* once) {
        TreeNode* parent = leaf->parent;
        if (!parent) {
            if (!leaf->rule) pl_fatal_error(e_, PL_ERR_NO_PARENT, "translate_logical_tree");
            leaf->rule->fn.args->items[1] = once;
        } else if (parent->kind == kNegation || parent->left == leaf) {
            parent->term->fn.args->items[0] = once;
        } else {
            parent->term->fn.args->items[1] = once;
        }
        leaf->term = once;
    }

    PieEngine* e_;
    PlFunctor* predicate_;
    PoolScope scope_;
    BTree* table_;
};

}  // namespace

void pl_share_common_goals(PieEngine* engine, PlFunctor* predicate, const std::vector<PlCell*>& rules) {
    if (predicate->flags & (PLF_SYSTEM | PLF_REPLACEMENT)) return;
    CommonGoals goals(engine, predicate);
    for (PlCell* rule : rules) goals.add_rule(rule);
    goals.share();
}
