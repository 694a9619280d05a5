// Recorded values of a property functor (one whose owner is an item): a property has one value
// per key, the key being a value of its owner item, so the values sit in a table on the functor
// instead of its value vector.
#pragma once

#include <cstdint>

struct PieEngine;
struct PlCell;
struct PlFunctor;

struct PlPropertyValue {
    PlCell* key;
    PlCell* value;
    uint32_t marks;  // 0x1: set by the property commit, cleared when the query ends
};

constexpr uint32_t kPlPropertyCommitted = 0x1;

// The entry of key, or nullptr.
PlPropertyValue* pl_property_value(PlFunctor* property, PlCell* key);
// Records value under key (a new entry, or the existing entry's value replaced).
PlPropertyValue* pl_property_record(PieEngine* engine, PlFunctor* property, PlCell* key, PlCell* value);

// Keys order by kind, integers by value, atoms and compound terms by functor serial; two
// compound keys of one functor by identity (keys are shared constants in practice).
int pl_compare_property_keys(const PlCell* a, const PlCell* b);
