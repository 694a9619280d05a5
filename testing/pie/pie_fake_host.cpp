// The recording host: each slot function finds the item, logs the call and answers like the
// setting framework would (0 done, -1 no such item, -3 no value or refused).
#include "drvtest/pie_fake_host.h"

#include "pie/api/engine.h"
#include "pie/host/host_slots.h"

#include <cstring>

namespace drvtest {

namespace {

PieFakeHost& host_of(void* host) { return *static_cast<PieFakeHost*>(host); }

std::string text_or_null(const char* text) { return text ? text : "-"; }

// Runs body for the item, or answers -1 when the host has no such item.
template <class Body>
int with_item(void* host, int32_t id, const std::string& call, Body body) {
    PieFakeHost& h = host_of(host);
    h.log.push_back(call + " " + std::to_string(id));
    auto it = h.items.find(id);
    if (it == h.items.end()) return -1;
    return body(h, it->second);
}

PieFakeChoice* find_choice(PieFakeItem& item, const char* name) {
    for (PieFakeChoice& c : item.choices)
        if (name && c.name == name) return &c;
    return nullptr;
}

template <PieHostOp op>
void put(PieEngine* engine, PieIdFn<op> fn) {
    pie_set_id_slot<op>(engine, PIE_BLOCK_ID, fn);
}

}  // namespace

const char* PieFakeHost::keep(int32_t id, std::string text) {
    auto& texts = items[id].texts;
    texts.push_back(std::move(text));
    return texts.back().c_str();
}

std::string PieFakeHost::take() {
    std::string out;
    for (const std::string& line : log) out += (out.empty() ? "" : "; ") + line;
    log.clear();
    return out;
}

void PieFakeHost::install(PieEngine* engine) {
    engine->host = this;
    put<PIE_OP_GetType>(engine, [](void* h, int32_t id, int32_t* type) {
        return with_item(h, id, "GetType", [&](PieFakeHost&, PieFakeItem& i) { return *type = i.type, 0; });
    });
    put<PIE_OP_GetValueName>(engine, [](void* h, int32_t id, const char** out) {
        return with_item(h, id, "GetValueName", [&](PieFakeHost&, PieFakeItem& i) { return *out = i.value.c_str(), 0; });
    });
    put<PIE_OP_GetSourceValueName>(engine, [](void* h, int32_t id, const char** out) {
        return with_item(h, id, "GetSourceValueName", [&](PieFakeHost&, PieFakeItem& i) { return *out = i.source.c_str(), 0; });
    });
    put<PIE_OP_GetReferenceValueName>(engine, [](void* h, int32_t id, const char** out) {
        return with_item(h, id, "GetReferenceValueName",
                         [&](PieFakeHost&, PieFakeItem& i) { return *out = i.reference.c_str(), 0; });
    });
    put<PIE_OP_SetValueName>(engine, [](void* h, int32_t id, const char* name) {
        return with_item(h, id, "SetValueName " + text_or_null(name), [&](PieFakeHost& host, PieFakeItem& i) {
            if (host.fail_sets) return host.fail_sets;
            i.value = name;
            return 0;
        });
    });
    put<PIE_OP_GetNumber>(engine, [](void* h, int32_t id, int32_t* out) {
        return with_item(h, id, "GetNumber", [&](PieFakeHost&, PieFakeItem& i) { return *out = i.number, 0; });
    });
    put<PIE_OP_GetSourceNumber>(engine, [](void* h, int32_t id, int32_t* out) {
        return with_item(h, id, "GetSourceNumber", [&](PieFakeHost&, PieFakeItem& i) { return *out = i.source_number, 0; });
    });
    put<PIE_OP_GetReferenceNumber>(engine, [](void* h, int32_t id, int32_t* out) {
        return with_item(h, id, "GetReferenceNumber",
                         [&](PieFakeHost&, PieFakeItem& i) { return *out = i.reference_number, 0; });
    });
    put<PIE_OP_SetNumber>(engine, [](void* h, int32_t id, int32_t n) {
        return with_item(h, id, "SetNumber " + std::to_string(n), [&](PieFakeHost& host, PieFakeItem& i) {
            if (host.fail_sets) return host.fail_sets;
            i.number = n;
            return 0;
        });
    });
    put<PIE_OP_GetOptionTable>(engine, [](void* h, int32_t id, int32_t* count, const CmSvOptionRecord** table) {
        return with_item(h, id, "GetOptionTable", [&](PieFakeHost&, PieFakeItem& i) {
            static thread_local std::vector<CmSvOptionRecord> records;
            records.clear();
            for (const PieFakeChoice& c : i.choices) {
                CmSvOptionRecord r{};
                r.name = c.name.c_str();
                r.value = c.value;
                r.shown = c.shown;
                r.enabled = c.enabled;
                r.available = 1;
                records.push_back(r);
            }
            *count = static_cast<int32_t>(records.size());
            *table = records.data();
            return 0;
        });
    });
    put<PIE_OP_GetNumericRange>(engine, [](void* h, int32_t id, int32_t* low, int32_t* high) {
        return with_item(h, id, "GetNumericRange", [&](PieFakeHost&, PieFakeItem& i) {
            *low = i.low;
            *high = i.high;
            return 0;
        });
    });
#define PIE_FAKE_DISPLAY(op)                                                                           \
    put<PIE_OP_##op>(engine, [](void* h, int32_t id) {                                                 \
        return with_item(h, id, #op, [](PieFakeHost&, PieFakeItem& i) { return i.has_control ? 0 : -3; }); \
    });
    PIE_FAKE_DISPLAY(Enable) PIE_FAKE_DISPLAY(Disable) PIE_FAKE_DISPLAY(Show) PIE_FAKE_DISPLAY(Hide)
    PIE_FAKE_DISPLAY(SetMark) PIE_FAKE_DISPLAY(ClearMark)
#undef PIE_FAKE_DISPLAY
#define PIE_FAKE_OPTION(op, field, state)                                                                  \
    put<PIE_OP_##op>(engine, [](void* h, int32_t id, const char* name) {                                   \
        return with_item(h, id, std::string(#op " ") + text_or_null(name), [&](PieFakeHost&, PieFakeItem& i) { \
            if (!name) {                                                                                   \
                for (PieFakeChoice& c : i.choices) c.field = state;                                        \
                return 0;                                                                                  \
            }                                                                                              \
            PieFakeChoice* c = find_choice(i, name);                                                       \
            if (!c) return -3;                                                                             \
            c->field = state;                                                                              \
            return 0;                                                                                      \
        });                                                                                                \
    });
    PIE_FAKE_OPTION(HideOption, shown, false) PIE_FAKE_OPTION(ShowOption, shown, true)
    PIE_FAKE_OPTION(DisableOption, enabled, false) PIE_FAKE_OPTION(EnableOption, enabled, true)
#undef PIE_FAKE_OPTION
    put<PIE_OP_CountOptions>(engine, [](void* h, int32_t id, const char* shown, const char* enabled, int32_t* n) {
        return with_item(h, id, "CountOptions " + text_or_null(shown) + " " + text_or_null(enabled),
                         [&](PieFakeHost&, PieFakeItem& i) {
                             auto matches = [](const char* filter, bool state) {
                                 return !filter || (std::strcmp(filter, "ON") == 0) == state;
                             };
                             *n = 0;
                             for (const PieFakeChoice& c : i.choices) *n += matches(shown, c.shown) && matches(enabled, c.enabled);
                             return 0;
                         });
    });
    put<PIE_OP_IsOptionShown>(engine, [](void* h, int32_t id, const char* name, int32_t* flag) {
        return with_item(h, id, "IsOptionShown " + text_or_null(name), [&](PieFakeHost&, PieFakeItem& i) {
            PieFakeChoice* c = find_choice(i, name);
            return c ? (*flag = c->shown, 0) : -3;
        });
    });
    put<PIE_OP_IsOptionEnabled>(engine, [](void* h, int32_t id, const char* name, int32_t* flag) {
        return with_item(h, id, "IsOptionEnabled " + text_or_null(name), [&](PieFakeHost&, PieFakeItem& i) {
            PieFakeChoice* c = find_choice(i, name);
            return c ? (*flag = c->enabled, 0) : -3;
        });
    });
    put<PIE_OP_FirstUsableOption>(engine, [](void* h, int32_t id, const char** out) {
        return with_item(h, id, "FirstUsableOption", [&](PieFakeHost&, PieFakeItem& i) {
            for (const PieFakeChoice& c : i.choices)
                if (c.shown && c.enabled) return *out = c.name.c_str(), 0;
            return -3;
        });
    });
    put<PIE_OP_HasControl>(engine, [](void* h, int32_t id, int32_t* flag) {
        return with_item(h, id, "HasControl", [&](PieFakeHost&, PieFakeItem& i) { return *flag = i.has_control, 0; });
    });
    put<PIE_OP_DoAction>(engine, [](void* h, int32_t id, int32_t n, const char* const* names) {
        std::string call = "DoAction";
        for (int32_t k = 0; k < n; ++k) call += std::string(" ") + names[k];
        return with_item(h, id, call, [](PieFakeHost&, PieFakeItem&) { return 0; });
    });
    put<PIE_OP_DoActionEx>(engine, [](void* h, int32_t id, int32_t n, const char* const* names, PieValue* out) {
        std::string call = "DoActionEx";
        for (int32_t k = 0; k < n; ++k) call += std::string(" ") + names[k];
        return with_item(h, id, call, [&](PieFakeHost&, PieFakeItem& i) {
            if (out->type != 6) return -4;
            *out = i.action_answer;
            return 0;
        });
    });
    put<PIE_OP_GetProperty>(engine, [](void* h, int32_t id, const char* key, const char* property, int32_t* type) {
        return with_item(h, id, "GetProperty " + text_or_null(key) + " " + text_or_null(property),
                         [&](PieFakeHost&, PieFakeItem& i) {
                             auto it = i.properties.find({key, property});
                             return it == i.properties.end() ? -3 : (*type = it->second.type, 0);
                         });
    });
    put<PIE_OP_PropertyCall0>(engine, [](void* h, int32_t id, const char* key, const char* property, PieValue* out) {
        return with_item(h, id, "PropertyCall0 " + text_or_null(key) + " " + text_or_null(property),
                         [&](PieFakeHost&, PieFakeItem& i) {
                             auto it = i.properties.find({key, property});
                             return it == i.properties.end() ? -3 : (*out = it->second, 0);
                         });
    });
    put<PIE_OP_PropertyCall1>(engine, [](void* h, int32_t id, const char* key, const char* property, const PieValueLen* in) {
        std::string shown = std::to_string(in->type) + ":";
        shown += in->type == 4 ? std::string(reinterpret_cast<const char*>(in->value), static_cast<size_t>(in->length))
                               : std::to_string(in->value);
        return with_item(h, id, "PropertyCall1 " + text_or_null(key) + " " + text_or_null(property) + " " + shown,
                         [&](PieFakeHost& host, PieFakeItem& i) {
                             PieValue stored{in->type, in->value};
                             if (in->type == 4) stored.value = reinterpret_cast<intptr_t>(host.keep(id, shown.substr(2)));
                             i.properties[{key, property}] = stored;
                             return 0;
                         });
    });
    put<PIE_OP_VListCall2>(engine, [](void* h, int32_t id, int32_t* n) {
        return with_item(h, id, "VListCall2", [&](PieFakeHost&, PieFakeItem& i) {
            return *n = static_cast<int32_t>(i.elements.size()), 0;
        });
    });
    put<PIE_OP_VListSet>(engine, [](void* h, int32_t id, const char* name, int32_t* index) {
        return with_item(h, id, "VListSet " + text_or_null(name), [&](PieFakeHost&, PieFakeItem& i) {
            for (size_t k = 0; k < i.elements.size(); ++k)
                if (!name || i.elements[k] == name) return *index = static_cast<int32_t>(k), 0;
            return -3;
        });
    });
    put<PIE_OP_VListMatch>(engine, [](void* h, int32_t id, int32_t position, const char* name, const char** out) {
        return with_item(h, id, "VListMatch " + std::to_string(position) + " " + text_or_null(name),
                         [&](PieFakeHost& host, PieFakeItem& i) {
                             if (position < 0 || position > static_cast<int32_t>(i.elements.size())) return -3;
                             i.elements.insert(i.elements.begin() + position, name);
                             *out = host.keep(id, std::string("+") + name);
                             return 0;
                         });
    });
    put<PIE_OP_VListMatch1>(engine, [](void* h, int32_t id, const char* name, const char** out) {
        return with_item(h, id, "VListMatch1 " + text_or_null(name), [&](PieFakeHost& host, PieFakeItem& i) {
            for (size_t k = 0; k < i.elements.size(); ++k)
                if (i.elements[k] == name) {
                    i.elements.erase(i.elements.begin() + static_cast<ptrdiff_t>(k));
                    *out = host.keep(id, std::string("-") + name);
                    return 0;
                }
            return -3;
        });
    });
    put<PIE_OP_IsChanged>(engine, [](void* h, int32_t id) {
        return with_item(h, id, "IsChanged", [](PieFakeHost&, PieFakeItem& i) { return i.changed_answer; });
    });
    put<PIE_OP_MakeUnavailable>(engine, [](void* h, int32_t id, int32_t bit) {
        return with_item(h, id, "MakeUnavailable " + std::to_string(bit),
                         [&](PieFakeHost&, PieFakeItem& i) { return i.unavailable = bit != 0, 0; });
    });
    engine->host_slots[PIE_SLOT_SHOW_MESSAGE] = reinterpret_cast<PlHostSlot>(+[](void* h, int32_t message) {
        host_of(h).log.push_back("ShowMessage " + std::to_string(message));
        return host_of(h).message_answer;
    });
    engine->host_slots[PIE_SLOT_TRUE] = reinterpret_cast<PlHostSlot>(+[](void* h) { return host_of(h).true_answer; });
    engine->host_slots[PIE_SLOT_IS_MODE_SET] =
        reinterpret_cast<PlHostSlot>(+[](void* h) { return host_of(h).mode_answer; });
    engine->host_slots[PIE_SLOT_REFUSE] = reinterpret_cast<PlHostSlot>(+[](void* h, const char* window) {
        host_of(h).log.push_back("Refuse " + text_or_null(window));
        return host_of(h).refuse_answer;
    });
    engine->host_slots[PIE_SLOT_REGISTRY_KEY_EXISTS] =
        reinterpret_cast<PlHostSlot>(+[](void* h, const char* root, const char* path) {
            host_of(h).log.push_back("RegistryKeyExists " + text_or_null(root) + " " + text_or_null(path));
            return host_of(h).registry_answer;
        });
}

}  // namespace drvtest
