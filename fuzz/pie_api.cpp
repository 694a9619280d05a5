// Fuzz target of the engine as the host drives it: PIE_init with a host answering from a small
// item table and the built-ins in place, items registered and a constant defined, then the
// texts of one input (split at NUL bytes, up to four) loaded one after another with PIE_main, so
// that their directives run and change the program; then the initial conflict of every item in
// one update, a check of each, and PIE_term. The first byte picks options (trace, propagation,
// dumps, the optimiser). Every call must leave no recursion level or call held, and a run that
// does not end is a finding: the per-input time limit defaults to 10 seconds.
#include "pie/api/api.h"
#include "pie/host/host_slots.h"
#include "pie/text/output.h"

#include <drvtest/pie_fake_host.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr size_t kMaxTexts = 4;

struct Item {
    const char* name;
    int32_t id;
};
constexpr Item kItems[] = {{"Duplex", 1001}, {"Paper", 1002},      {"Copies", 1003},
                           {"Title", 1004},  {"Paper@A4", 0x10000}, {"Paper@Letter", 0x10001}};

void fill(drvtest::PieFakeHost& host) {
    drvtest::PieFakeItem duplex;
    duplex.type = 1;
    duplex.value = duplex.source = duplex.reference = "ON";
    drvtest::PieFakeItem paper;
    paper.type = 2;
    paper.value = paper.source = "A4";
    paper.reference = "Letter";
    paper.choices = {{"A4", 9, true, true}, {"Letter", 1, true, false}};
    paper.elements = {"A4", "Letter"};
    drvtest::PieFakeItem copies;
    copies.number = copies.source_number = 1;
    copies.reference_number = 2;
    copies.high = 999;
    drvtest::PieFakeItem title;
    title.type = 4;
    title.value = "Memo";
    title.has_control = false;
    host.items = {{1001, duplex}, {1002, paper}, {1003, copies}, {1004, title}};
    host.true_answer = 1;
}

uint32_t options_of(uint8_t b) {
    uint32_t options = 0x402;  // Windows 9x: the platform words do not depend on the machine
    if (b & 0x01) options |= 0x8;     // trace
    if (b & 0x02) options |= 0x2;     // propagation mode
    if (b & 0x04) options |= 0x20;    // functor dump
    if (b & 0x08) options |= 0x200;   // reference dump
    if (b & 0x10) options |= 0x2000;  // the optimiser after each load
    if (b & 0x20) options |= 0x40;    // no pass after loading
    return options;
}

void check_whole(PieEngine* engine) {
    if (engine->depth != 0 || engine->busy != 0 || engine->guard_depth != 0) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    // A default per-input time limit, placed before the caller's flags so that theirs win.
    static std::vector<char*> args;
    static char timeout[] = "-timeout=10";
    args.assign(*argv, *argv + *argc);
    args.insert(args.begin() + 1, timeout);
    args.push_back(nullptr);
    *argc += 1;
    *argv = args.data();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    std::vector<std::string> texts(1);
    for (size_t i = 1; i < size; ++i) {
        if (data[i] != 0) texts.back() += static_cast<char>(data[i]);
        else if (texts.size() < kMaxTexts) texts.emplace_back();
    }

    drvtest::PieFakeHost host;
    fill(host);
    PieEngine* engine = nullptr;
    if (PIE_init(&engine, &host, options_of(data[0])) != 0) return 0;
    host.install(engine);
    engine->host_slots[kPlOutputSlot] = reinterpret_cast<PlHostSlot>(+[](void*, const char* text) {
        return text ? 0 : -1;
    });
    for (const Item& item : kItems)
        if (PIE_register_functor(engine, item.name, item.id) != 0) std::abort();
    const PieValue fixed{3, 3};
    PIE_define_constant(engine, "Fixed", &fixed);

    for (const std::string& text : texts) {
        const int result = PIE_main(engine, text.c_str());
        if (result != 0 && result != 1) std::abort();
        check_whole(engine);
        host.log.clear();
    }
    PIE_begin_update(engine);
    for (const Item& item : kItems) {
        PIE_initial_conflict(engine, item.id);
        check_whole(engine);
    }
    PIE_end_update(engine);
    for (const Item& item : kItems) {
        PIE_check_conflict(engine, item.id);
        check_whole(engine);
        host.log.clear();
    }
    int32_t value = 0;
    PIE_get_integer(engine, "Fixed", &value);
    if (PIE_term(engine) != 0) std::abort();
    return 0;
}
