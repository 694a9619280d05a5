// Item values through the host: integers travel as numbers, everything else as names that the
// engine interns as atoms. A non-zero host answer means "no"; nothing here raises an error.
#include "pie/host/host_values.h"

#include "pie/terms/atoms.h"
#include "pie/terms/btree.h"
#include "pie/host/host_slots.h"
#include "pie/run/held_status.h"
#include "pie/run/property_values.h"
#include "pie/run/unify.h"
#include "pie/run/update_store.h"

#include <cctype>
#include <cstdlib>
#include <cstring>

namespace {

constexpr int kMaxPropertyText = 512;

bool is_atom(const PlCell* value) { return value->type == PL_FUNCTOR && (!value->fn.args || !value->fn.args->count); }

const char* atom_text(const PlCell* value) { return value->fn.functor->name->name; }

bool settable(const PlFunctor* item, const PlCell* value) {
    return item->arity == 1 && (value->type == PL_INT || is_atom(value));
}

PlCell* integer_or_atom(PieEngine* engine, const char* text) {
    if (std::isdigit(static_cast<unsigned char>(text[0])))
        return pl_make_integer(engine, static_cast<int32_t>(std::strtol(text, nullptr, 10)));
    return pie_atom_of_text(engine, text);
}

// The atom of the name the host gave for item's value. A propagation reads the same items again
// and again, mostly finding the name of the last read: one compare then spares the interning.
PlCell* atom_of_value_name(PieEngine* engine, PlFunctor* item, const char* name) {
    PlAtom* atom = item->read_name;
    if (!atom || std::strcmp(atom->name, name) != 0)
        item->read_name = atom = pie_intern_string_len(engine, name, std::strlen(name));
    return pl_make_atom(engine, atom);
}

}  // namespace

PlCell* pie_atom_of_text(PieEngine* engine, const char* text) {
    return pl_make_atom(engine, pie_intern_string_len(engine, text, std::strlen(text)));
}

int pie_set_item_value(PieEngine* engine, PlFunctor* item, PlCell* value) {
    if (!settable(item, value)) return 0;
    if (item->flags & PLF_HOST_FACT) {
        pl_update_set_value(engine, item, value);
        return 1;
    }
    if ((engine->flags & PLE_UPDATE_MODE) && (item->flags & PLF_DONE)) return 0;
    if (value->type == PL_INT) {
        int32_t current = 0;
        if (pie_item_call<PIE_OP_GetNumber>(engine, item, &current) == 0 && current == value->value) return 1;
        return pie_item_call<PIE_OP_SetNumber>(engine, item, value->value) == 0;
    }
    const char* current = nullptr;
    if (pie_item_call<PIE_OP_GetValueName>(engine, item, &current) == 0 && current &&
        std::strcmp(current, atom_text(value)) == 0)
        return 1;
    return pie_item_call<PIE_OP_SetValueName>(engine, item, atom_text(value)) == 0;
}

namespace {

PlCell* read_host_value(PieEngine* engine, PlFunctor* item) {
    // An item known to have no value (each choice of a list is one) is answered by its bits, as
    // pie_item_value_type would answer 6 from them, before any call.
    if ((item->flags & PLF_VALUE_TYPE) == kPlValueTypeNone) return nullptr;
    const int type = pie_item_value_type(engine, item);
    if (type == 3) {
        int32_t number = 0;
        if (pie_item_call<PIE_OP_GetNumber>(engine, item, &number) != 0) return nullptr;
        return pl_make_integer(engine, number);
    }
    if (type < 1 || type > 4) return nullptr;
    const char* name = nullptr;
    if (pie_item_call<PIE_OP_GetValueName>(engine, item, &name) != 0 || !name || !*name) return nullptr;
    if (type != 4 && std::isdigit(static_cast<unsigned char>(name[0]))) return integer_or_atom(engine, name);
    return atom_of_value_name(engine, item, name);
}

}  // namespace

PlCell* pie_read_item_value(PieEngine* engine, PlFunctor* item) {
    if (item->arity != 1) return nullptr;
    if (item->flags & PLF_HOST_FACT) return pl_update_value(engine, item);
    // A host that counts its changes holds each value until the count moves: within one query
    // the engine then reads an item once and takes the same term again, as the read would build
    // it (pl_held_status answers that term where only a compare needs it).
    if (!pl_holds_values(engine)) return read_host_value(engine, item);
    if (pl_read_still_held(engine, item)) {
        PlCell* value = item->read_value;
        return value && value->type == PL_FUNCTOR ? pl_make_atom_term(engine, value->fn.functor) : value;
    }
    PlCell* value = read_host_value(engine, item);
    item->read_value = value;
    item->read_changes = *engine->host_changes;
    item->read_query = engine->query_number;
    return value;
}

PlCell* pie_read_item_source(PieEngine* engine, PlFunctor* item, bool reference) {
    const int type = pie_item_value_type(engine, item);
    if (type == 6) return nullptr;
    if (type == 3) {
        int32_t number = 0;
        const int r = reference ? pie_item_call<PIE_OP_GetReferenceNumber>(engine, item, &number)
                                : pie_item_call<PIE_OP_GetSourceNumber>(engine, item, &number);
        return r == 0 ? pl_make_integer(engine, number) : nullptr;
    }
    const char* name = nullptr;
    const int r = reference ? pie_item_call<PIE_OP_GetReferenceValueName>(engine, item, &name)
                            : pie_item_call<PIE_OP_GetSourceValueName>(engine, item, &name);
    if (r != 0 || !name || !*name) return nullptr;
    return integer_or_atom(engine, name);
}

int pie_check_item_value(PieEngine* engine, PlFunctor* item, PlCell* value) {
    if (!settable(item, value) || (item->flags & PLF_HOST_FACT)) return 0;
    const int type = pie_item_value_type(engine, item);
    if (value->type == PL_INT && type == 3) {
        int32_t low = 0, high = 0;
        if (pie_item_call<PIE_OP_GetNumericRange>(engine, item, &low, &high) != 0) return 0;
        return low <= value->value && value->value <= high;
    }
    if (value->type == PL_INT && type != 2) return 0;
    int32_t count = 0;
    const CmSvOptionRecord* table = nullptr;
    if (pie_item_call<PIE_OP_GetOptionTable>(engine, item, &count, &table) != 0 || !table) return 0;
    for (int32_t i = 0; i < count; ++i) {
        if (value->type == PL_INT ? table[i].value == value->value
                                  : table[i].name && std::strcmp(table[i].name, atom_text(value)) == 0)
            return 1;
    }
    return 0;
}

PlCell* pie_read_property(PieEngine* engine, PlFunctor* item, PlFunctor* key, PlFunctor* property) {
    if (property->flags & PLF_HOST_FACT) return pl_update_property(engine, property, key);
    int32_t type = 0;
    const char* key_name = key->name->name;
    const char* property_name = property->name->name;
    if (pie_item_call<PIE_OP_GetProperty>(engine, item, key_name, property_name, &type) != 0 || type < 1 || type > 4)
        return nullptr;
    PieValue record{static_cast<int16_t>(type), 0};
    if (pie_item_call<PIE_OP_PropertyCall0>(engine, item, key_name, property_name, &record) != 0) return nullptr;
    if (type == 1) return record.value ? engine->cell.ON : engine->cell.OFF;
    if (type == 3) return pl_make_integer(engine, static_cast<int32_t>(record.value));
    const char* text = reinterpret_cast<const char*>(record.value);
    return text ? pie_atom_of_text(engine, text) : nullptr;
}

int pie_set_property(PieEngine* engine, PlFunctor* item, PlFunctor* key, PlFunctor* property, PlCell* value) {
    if (property->flags & PLF_HOST_FACT) {
        pl_update_set_property(engine, property, key, value);
        return 1;
    }
    const char* key_name = key->name->name;
    const char* property_name = property->name->name;
    int32_t type = 0;
    if (pie_item_call<PIE_OP_GetProperty>(engine, item, key_name, property_name, &type) != 0) return 0;
    PieValueLen record{};
    if (value == engine->cell.ON || value == engine->cell.OFF) {
        record.type = 1;
        record.value = value == engine->cell.ON;
    } else if (value->type == PL_INT) {
        record.type = 3;
        record.value = value->value;
    } else if (is_atom(value)) {
        record.type = 4;
        record.value = reinterpret_cast<intptr_t>(atom_text(value));
        const uint32_t length = value->fn.functor->name->length;
        record.length = static_cast<int16_t>(length < kMaxPropertyText ? length : kMaxPropertyText);
    } else {
        return 0;
    }
    return pie_item_call<PIE_OP_PropertyCall1>(engine, item, key_name, property_name, &record) == 0;
}

int sv_action_out(PieEngine* engine, PlFunctor* item, int32_t count, const char* const* names, PlCell** out) {
    PieValue record{6, 0};
    const int answer = pie_item_call<PIE_OP_DoActionEx>(engine, item, count, names, &record);
    if (answer != 0) return answer;
    switch (record.type) {
    case 1: *out = record.value ? engine->cell.ON : engine->cell.OFF; return 0;
    case 3: *out = pl_make_integer(engine, static_cast<int32_t>(record.value)); return 0;
    case 4:
        if (!record.value) break;
        *out = pie_atom_of_text(engine, reinterpret_cast<const char*>(record.value));
        return 0;
    default: break;
    }
    pl_warning(engine, PL_WARN_NO_MEMORY, "sv_action_out");
    return -1;
}

namespace {

// The commit of an item's recorded value. Apart from the checks before it: most items a
// propagation evaluates recorded none, and their commit then saves no register.
[[gnu::noinline]] int commit_recorded_value(PieEngine* engine, PlFunctor* item, PlCell* value, bool* kept) {
    if ((engine->flags & PLE_UPDATE_MODE) && (item->flags & PLF_DONE)) return 0;
    if (item->flags & PLF_HOST_FACT) {
        PlCell* recorded = pl_update_value(engine, item);
        if (!recorded || ((item->flags & PLF_STATUS_SET) && !(engine->flags & PLE_UPDATE_MODE))) {
            pl_update_set_value(engine, item, value);
            item->flags &= ~PLF_STATUS_SET;
            return 1;
        }
        if (pl_terms_equal(engine, recorded, value, nullptr)) return 0;
        pl_update_set_value(engine, item, value);
        item->flags |= PLF_DONE;
        return 1;
    }
    if (value->type == PL_INT) {
        int32_t current = 0;
        if (pie_item_call<PIE_OP_GetNumber>(engine, item, &current) == 0 && current == value->value) return 0;
        if (pie_item_call<PIE_OP_SetNumber>(engine, item, value->value) != 0) return 0;
        item->flags |= PLF_DONE;
        return 1;
    }
    if (!is_atom(value)) return 0;
    const char* current = nullptr;
    const bool same = pie_item_call<PIE_OP_GetValueName>(engine, item, &current) == 0 && current &&
                      std::strcmp(current, atom_text(value)) == 0;
    const int answer = same ? pie_item_call<PIE_OP_IsChanged>(engine, item)
                            : pie_item_call<PIE_OP_SetValueName>(engine, item, atom_text(value));
    if (answer != 0) return 0;
    item->flags |= PLF_DONE;
    if (kept) *kept = same;
    return 1;
}

}  // namespace

int pie_commit_item_value(PieEngine* engine, PlFunctor* item, bool* kept) {
    if (item->owner) return pie_commit_property(engine, item);
    if (item->arity != 1 || !item->values || !item->values->items[0]) return 0;
    return commit_recorded_value(engine, item, item->values->items[0], kept);
}

namespace {

// Writes one recorded property value when the host's differs; 1 when the host took it.
int commit_property_value(PieEngine* engine, PlFunctor* item, PlFunctor* property, PlPropertyValue& entry) {
    const char* key = entry.key->fn.functor->name->name;
    const char* name = property->name->name;
    int32_t type = 0;
    PieValue current{0, 0};
    if (pie_item_call<PIE_OP_GetProperty>(engine, item, key, name, &type) != 0) return 0;
    current.type = static_cast<int16_t>(type);
    if (pie_item_call<PIE_OP_PropertyCall0>(engine, item, key, name, &current) != 0) return 0;
    PlCell* value = entry.value;
    PieValueLen record{current.type, current.value, 0};
    if (value->type == PL_INT) {
        if (type != 3 || current.value == value->value) return 0;
        record.value = value->value;
    } else if (is_atom(value) && type == 4) {
        const char* text = reinterpret_cast<const char*>(current.value);
        if (!text || std::strcmp(text, atom_text(value)) == 0) return 0;
        record.value = reinterpret_cast<intptr_t>(atom_text(value));
        const uint32_t length = value->fn.functor->name->length;
        record.length = static_cast<int16_t>(length < kMaxPropertyText ? length : kMaxPropertyText);
    } else if (is_atom(value) && type == 1) {
        if ((current.value == 1 && value == engine->cell.ON) || (current.value == 0 && value == engine->cell.OFF))
            return 0;
        record.value = current.value == 0 ? 1 : 0;
    } else {
        return 0;
    }
    if (pie_item_call<PIE_OP_PropertyCall1>(engine, item, key, name, &record) != 0) return 0;
    entry.marks |= kPlPropertyCommitted;
    return 1;
}

}  // namespace

int pie_commit_property(PieEngine* engine, PlFunctor* property) {
    if (!property->property_values || !property->owner) return 0;
    int changed = 0;
    if (property->flags & PLF_HOST_FACT) {
        // The engine's own facts: a new or different value is stored, an equal one is no change.
        btree_walk(property->property_values, [&](void* item) {
            auto* entry = static_cast<PlPropertyValue*>(item);
            if (!entry->value || !is_atom(entry->key)) return;
            PlFunctor* key = entry->key->fn.functor;
            PlCell* recorded = pl_update_property(engine, property, key);
            if (recorded && pl_terms_equal(engine, recorded, entry->value, nullptr)) return;
            pl_update_set_property(engine, property, key, entry->value);
            entry->marks |= kPlPropertyCommitted;
            changed = 1;
        });
        return changed;
    }
    if ((engine->flags & PLE_UPDATE_MODE) && (property->flags & PLF_DONE)) return 0;
    property->flags |= PLF_DONE;
    if (pie_item_value_type(engine, property) == 6) return 0;
    PlFunctor* item = pl_unary_functor(engine, property->owner);
    btree_walk(property->property_values, [&](void* entry) {
        auto* value = static_cast<PlPropertyValue*>(entry);
        if (value->value && is_atom(value->key)) changed |= commit_property_value(engine, item, property, *value);
    });
    return changed;
}
