// The compatibility block: the rules that make settings the page-description-language layer
// does not support unavailable ("Key(_) :- { unsupported }."), the unsupported choices of
// multiple-choice settings, and the fixed rules about the print-position settings that every
// sheet needs whatever its rule text.
#pragma once

#include "core/memory/pool_allocator.h"

#include <span>
#include <string_view>

// A multiple-choice setting with the choices it does not support.
struct UnsupportedElement {
    PoolString key;
    PoolVector<PoolString> choices;
};

// "#> Compatible Rule", one line per item, one per element, the fixed rules, "#< Compatible Rule".
PoolString BuildCompatibleRules(std::span<const PoolString> items, std::span<const UnsupportedElement> elements);

// The four fixed rules with their line feeds.
std::string_view FixedCompatibleRules();
