// Test-only: what a sheet's registry and rule engine hold, as sorted lines of text that two sheets
// can be compared by: every item the registry answers for, with its values, choices and control
// flags, and every functor and atom of the engine with what it keeps between calls.
#pragma once

#include "core/device/service_table.h"
#include "core/device/user_data.h"
#include "core/memory/pool_text.h"
#include "pie/api/engine.h"
#include "pie/terms/atoms.h"
#include "pie/terms/functor.h"
#include "pie/terms/term.h"
#include "settings/controls/control.h"
#include "settings/items/sv_parts.h"
#include "settings/registry/choice_item.h"
#include "settings/registry/conflict.h"

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

namespace sheettest {

inline std::string Term(const PlCell* cell, int depth = 0) {
    if (!cell) return "-";
    if (depth > 8) return "...";
    switch (cell->type) {
    case PL_INT: return std::to_string(cell->value);
    case PL_FUNCTOR: {
        std::string out = cell->fn.functor->name->name;
        if (cell->fn.args && cell->fn.args->count) {
            out += '(';
            for (uint32_t i = 0; i < cell->fn.args->count; ++i)
                out += (i ? "," : "") + Term(cell->fn.args->items[i], depth + 1);
            out += ')';
        }
        return out;
    }
    default: return "#" + std::to_string(cell->type);
    }
}

// Everything the engine keeps between calls, one sorted line per functor and atom.
inline std::vector<std::string> EngineLines(PieEngine* engine) {
    std::vector<std::string> lines;
    pl_functor_walk(engine, 0, kPlMaxArity, [&](PlFunctor* f) {
        std::ostringstream line;
        line << "F " << f->name->name << "/" << f->arity << " owner " << (f->owner ? f->owner->name->name : "-")
             << " serial " << f->serial << " flags " << std::hex << f->flags << " marks " << f->marks << std::dec
             << " uses " << f->uses << " host " << f->host_item << " read " << (f->read_name ? f->read_name->name : "-")
             << " " << Term(f->read_value) << " " << f->read_changes << " " << f->read_query << " origin "
             << (f->origin ? f->origin->name->name : "-") << " recorded " << f->recorded_in << " constant "
             << Term(f->constant) << " props " << (f->property_values != nullptr) << " values";
        for (uint32_t i = 0; f->values && i < f->values->count; ++i) line << " " << Term(f->values->items[i]);
        lines.push_back(line.str());
    });
    for (size_t i = 0; i < engine->atom_table.capacity; ++i)
        if (const PlAtom* atom = engine->atom_table.slots[i])
            lines.push_back("A " + std::string(atom->name) + " " + std::to_string(atom->serial) + " " +
                            Term(atom->value) + " " + (atom->functor0 ? "0" : "") + (atom->functor1 ? "1" : ""));
    std::ostringstream counts;
    counts << "E flags " << std::hex << engine->flags << std::dec << " functors " << engine->functor_count
           << " readable " << engine->readable_changes << " query " << engine->query_number << " recordings "
           << engine->run.recordings;
    lines.push_back(counts.str());
    std::sort(lines.begin(), lines.end());
    return lines;
}

inline std::string Row(const CmSvOptionRecord& row) {
    std::ostringstream out;
    out << (row.name ? row.name : "-") << "=" << row.value << " s" << row.shown << " e" << row.enabled << " sc"
        << row.shown_changed << " ec" << row.enabled_changed << " a" << row.available << " o" << row.offered << "/"
        << row.option_value << " c" << row.control_id;
    return out.str();
}

// Every item the registry answers for, by id, with its values, rows and control flags.
inline std::vector<std::string> RegistryLines(UIDEVDATA* ctx) {
    CmSvConflict* registry = RegistryOf(ctx);
    std::vector<std::string> lines;
    if (!registry) return lines;
    for (uint32_t id = 0; id < registry->nextPseudoId; ++id) {
        CmSv* item = registry->FindItem(id);
        if (!item) continue;
        std::ostringstream line;
        line << id << " " << (item->key ? item->key : "-") << " t" << item->type << " k" << item->kind << " a"
             << item->available;
        if (CmSvItem* value = ValueOf(item)) {
            line << " f" << value->flags;
            if (char* text = value->GetChangeText(ctx)) {
                line << " [" << text << "]";
                FreePoolText(text);
            }
        }
        if (CmSvOnOff* onoff = OnOffOf(item)) line << " " << onoff->current << "/" << onoff->reference;
        if (CmSvNumeric* number = NumericOf(item)) line << " " << number->current << "/" << number->reference;
        if (CmSvMulti* multi = MultiOf(item)) {
            line << " " << multi->current << "/" << multi->reference << " rows";
            for (uint32_t i = 0; i < multi->count; ++i) line << " {" << Row(*multi->Row(i)) << "}";
        }
        if (CmSvControl* control = item->AsControl())
            line << " ctl " << control->shown << control->enabled << control->third << control->shownChanged
                 << control->enabledChanged << control->thirdChanged << control->needsRedisplay;
        if (CmSvChoiceItem* choice = item->AsChoice())
            line << " row " << (choice->Record() ? choice->Record() - choice->owner->table : -1);
        lines.push_back(line.str());
    }
    lines.push_back("changes " + std::to_string(registry->ruleChanges));
    CmUserData* user = ctx->svc->GetUserData(ctx);
    const uint8_t* settings = user->GetSettingsSource();
    lines.push_back("settings " + std::string(settings, settings + user->GetSettingsSourceSize()));
    return lines;
}

}  // namespace sheettest
