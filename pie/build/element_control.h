// Element controls: goals that act on single choices of an item ("disable_element(Item, [A])")
// become rules of the per-choice items ("Item@A"), so that a choice's state follows from the
// rules like an item's does.
#pragma once

struct PieEngine;
struct PlCell;

// Derives, from one loaded rule with element-control goals, a clause I@E(_) :- I(_), B for
// every element E of every item I its goals name (B is the rule's body with each element goal
// turned into the item-level goal on I@E, or true when it does not name E), the catch-all
// I@E(_) :- true, and takes the element and item-level goals out of the rule itself. Returns
// false when nothing of the rule is left to run (it is then taken out of the program).
bool pl_expand_element_controls(PieEngine* engine, PlCell* clause);
