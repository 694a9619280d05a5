// The engine a sheet's registry leaves for the process's next start. A start over the same
// printer loads the same program into an engine made the same way: the engine of a registry that
// ended, brought back to the state its loads left, is that engine already. It waits in one place
// for the whole process, with what decides what the loads made of it; a start takes it (no two
// registries ever share one) when a start of its own would have made the same, and otherwise
// ends it and starts whole.
#include "settings/registry/conflict.h"

#include "core/device/service_table.h"
#include "core/device/user_data.h"
#include "settings/registry/rule_callbacks.h"
#include "settings/rules/rule_program.h"

#include <atomic>
#include <cstring>
#include <iterator>
#include <memory>
#include <mutex>
#include <type_traits>
#include <utility>

struct LeftEngine : PoolObject {
    PieEngine* engine = nullptr;
    CmSvRuleProgram* program = nullptr;
    // The registration as the registry noted it, its names copied: the registry's texts go with it.
    PoolVector<CmSvConflict::RegistrationNote> notes;
    PoolString noteTexts, names;
    PoolVector<uint8_t> loadOptions;
    uint16_t memoryOption = 0;
    int noDialog = 0;
    int ruleBuildWord = 0;
    int32_t commonRuleVersion = 0, pdlRuleVersion = 0;

    LeftEngine() = default;
    LeftEngine(const LeftEngine&) = delete;
    LeftEngine& operator=(const LeftEngine&) = delete;
    ~LeftEngine() {
        PIE_term(engine);
        delete program;
    }
};

namespace {

std::atomic<size_t> g_taken{0};

// The one engine left, under its lock. Made before any code runs and never destroyed (a registry
// may end while the process's statics are going), so that ending it when the library is let go
// allocates nothing. As the statics go, the engine left ends before the pool its rule program
// lives in, and none is left after.
struct Slot {
    std::mutex lock;
    LeftEngine* left = nullptr;
    bool closed = false;
};
static_assert(std::is_trivially_destructible_v<Slot>);
constinit Slot g_slot;

struct Closer {
    ~Closer() {
        std::unique_ptr<LeftEngine> last;
        std::lock_guard<std::mutex> hold(g_slot.lock);
        g_slot.closed = true;
        last.reset(std::exchange(g_slot.left, nullptr));
    }
};

// Puts `with` in the slot and hands back what was there, to be ended outside the lock; once the
// slot is closed, hands `with` back instead.
std::unique_ptr<LeftEngine> Exchange(LeftEngine* with) {
    // Made at the first engine left, after the pool: it goes before the pool does.
    if (with) {
        static const Closer closer;
    }
    std::lock_guard<std::mutex> hold(g_slot.lock);
    if (g_slot.closed) return std::unique_ptr<LeftEngine>(with);
    return std::unique_ptr<LeftEngine>(std::exchange(g_slot.left, with));
}

bool SameText(const char* a, const char* b) { return a == b || (a && b && std::strcmp(a, b) == 0); }

bool SameTexts(const CmSvRuleProgram& a, const CmSvRuleProgram& b) {
    return SameText(a.GetInitialRules(), b.GetInitialRules()) && SameText(a.GetRuleText(), b.GetRuleText()) &&
           SameText(a.GetCompatibleRules(), b.GetCompatibleRules());
}

// The device options a start's items and rules see: the printer's own block and the request's (a
// sheet's items work on a copy of it), each after a byte telling whether it is there.
template <class Fn>
void EachOptionBlock(UIDEVDATA* ctx, Fn&& fn) {
    CmUserData* user = ctx->svc->GetUserData(ctx);
    const DWORD size = ctx->svc->GetDeviceOptionSize(ctx);
    for (const uint8_t* block : {ctx->svc->GetDeviceOption(ctx), user ? user->GetDeviceOptionSource() : nullptr})
        fn(block, block ? size : 0);
}

bool SameLoadOptions(UIDEVDATA* ctx, const PoolVector<uint8_t>& seen) {
    size_t at = 0;
    bool same = true;
    EachOptionBlock(ctx, [&](const uint8_t* block, size_t size) {
        same = same && at < seen.size() && seen[at] == (block ? 1 : 0) && seen.size() - at - 1 >= size &&
               (size == 0 || std::memcmp(seen.data() + at + 1, block, size) == 0);
        at += 1 + size;
    });
    return same && at == seen.size();
}

}  // namespace

void CmSvConflict::NoteLoadOptions(UIDEVDATA* ctx) {
    loadOptions_.clear();
    if (!ctx || !ctx->svc) return;
    // Sized once and copied whole: the pool's allocator has the vector copy byte by byte.
    std::pair<const uint8_t*, size_t> blocks[2] = {};
    size_t count = 0, total = 0;
    EachOptionBlock(ctx, [&](const uint8_t* block, size_t size) {
        if (count < std::size(blocks)) blocks[count++] = {block, size};
        total += 1 + size;
    });
    loadOptions_.resize(total);
    uint8_t* at = loadOptions_.data();
    for (size_t i = 0; i < count; ++i) {
        *at++ = blocks[i].first ? 1 : 0;
        if (blocks[i].second) std::memcpy(at, blocks[i].first, blocks[i].second);
        at += blocks[i].second;
    }
}

bool CmSvConflict::AnyEngineLeft() {
    std::lock_guard<std::mutex> hold(g_slot.lock);
    return g_slot.left != nullptr;
}

void CmSvConflict::LeaveEngine() {
    if (!engineKept_ || !engine || !ruleProgram_) return;
    engineKept_ = false;
    // What the sheet's queries left goes; an engine that cannot go back is the registry's to end.
    if (PIE_back_to_kept(engine) != 0) return;
    std::unique_ptr<LeftEngine> left;
    try {
        left.reset(new LeftEngine);
        size_t length = 0;
        for (const RegistrationNote& note : registration_) length += std::strlen(note.name) + 1;
        left->names.reserve(length);
        left->notes.reserve(registration_.size());
        for (RegistrationNote note : registration_) {
            const char* name = left->names.data() + left->names.size();
            left->names.append(note.name).push_back('\0');
            note.name = name;
            left->notes.push_back(note);
        }
        left->noteTexts = noteTexts_;
        left->loadOptions = std::move(loadOptions_);
    } catch (const std::bad_alloc&) {
        return;
    }
    left->memoryOption = memoryOption;
    left->noDialog = noDialog;
    left->ruleBuildWord = RuleBuildWord();
    left->commonRuleVersion = commonRuleVersion;
    left->pdlRuleVersion = pdlRuleVersion;
    // The registry's word and counter go with it.
    PIE_set_change_count(engine, nullptr);
    PIE_move_host(engine, nullptr);
    left->engine = std::exchange(engine, nullptr);
    left->program = std::exchange(ruleProgram_, nullptr);
    Exchange(left.release());
}

bool CmSvConflict::TakeLeftEngine(UIDEVDATA* ctx) {
    if (engine || ruleProgram_ || !keepEngine || !ctx || !ctx->svc) return false;
    std::unique_ptr<LeftEngine> left = Exchange(nullptr);
    if (!left || left->memoryOption != memoryOption || left->noDialog != noDialog ||
        left->ruleBuildWord != RuleBuildWord() || !SameNotes(left->notes, left->noteTexts, registration_, noteTexts_))
        return false;
    if (!SameLoadOptions(ctx, left->loadOptions)) return false;
    // The program a start here would load, built as it builds it, against the one the engine loaded.
    std::unique_ptr<CmSvRuleProgram> program(CreateRuleProgram(ctx));
    if (!program) return false;
    program->LoadRules();
    if (program->GetCommonRuleVersion() != left->commonRuleVersion ||
        program->GetPdlRuleVersion() != left->pdlRuleVersion)
        return false;
    for (const RegistrationNote& note : registration_)
        if (note.kind == RegistrationNote::kUnsupported) program->AddUnsupportedItem(note.name);
    program->BuildRules(RuleBuildWord());
    if (!SameTexts(*program, *left->program) || PIE_move_host(left->engine, ctx) != 0) return false;
    engine = std::exchange(left->engine, nullptr);
    ruleProgram_ = program.release();
    loadOptions_ = std::move(left->loadOptions);
    commonRuleVersion = left->commonRuleVersion;
    pdlRuleVersion = left->pdlRuleVersion;
    FillRuleCallbacks(callbacks1, callbacks2);
    PIE_set_callbacks(engine, &callbacks1);
    PIE_set_callbacks2(engine, &callbacks2);
    PIE_set_change_count(engine, &ruleChanges);
    engineKept_ = true;
    g_taken.fetch_add(1, std::memory_order_relaxed);
    return true;
}

void EndLeftEngine() noexcept { Exchange(nullptr); }

// Declared in the test-only header drvtest/left_engine.h.
size_t LeftEnginesTaken() noexcept { return g_taken.load(std::memory_order_relaxed); }
