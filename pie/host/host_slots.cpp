// Filling the host slots and choosing the block that addresses an item.
#include "pie/host/host_slots.h"

#include "pie/terms/atoms.h"

#include <cstring>

void pie_set_host_block(PieEngine* engine, PieHostBlock block, const PlHostSlot* functions, int count) {
    const int first = block == PIE_BLOCK_KEY ? 0 : block == PIE_BLOCK_ID ? kPieBlock2First : kPieBlock3First;
    const int size = block == PIE_BLOCK_KEY ? kPieBlock1Slots : kPieHostItemOps;
    if (count > size) count = size;
    for (int i = 0; i < count; ++i) engine->host_slots[first + i] = functions ? functions[i] : nullptr;
}

const char* pie_item_key(const PlFunctor* item) { return item->name->name; }

int pie_item_value_type(PieEngine* engine, PlFunctor* item) {
    int type = pie_value_type_from_flags(item->flags);
    if (type != 6 || (item->flags & PLF_VALUE_TYPE) == kPlValueTypeNone) return type;
    int32_t asked = 0;
    if (pie_item_call<PIE_OP_GetType>(engine, item, &asked) != 0) return 6;
    // An item's type does not change while the engine knows it, whatever the host answered: an
    // item without a value (each choice of a list is one) is not asked again in every query.
    const uint32_t bits = pie_flags_from_value_type(asked);
    item->flags = (item->flags & ~PLF_VALUE_TYPE) | (bits ? bits : kPlValueTypeNone);
    return bits ? asked : 6;
}

int pie_make_unavailable(PieEngine* engine, PlFunctor* item) {
    return pie_item_call<PIE_OP_MakeUnavailable>(engine, item, (item->flags & PLF_UNSUPPORTED) ? 1 : 0);
}
