// The engine's own stack: a private mapping with a guard page at its low end, entered by a
// context switch for the length of one outermost query. Under AddressSanitizer the switch is
// announced to it, so that it knows which stack an exception unwinds.
#include "pie/run/engine_stack.h"

#include "pie/api/engine.h"

#include <sys/mman.h>
#include <ucontext.h>
#include <unistd.h>

#include <exception>

#ifdef PL_ENGINE_STACK_SANITIZED
#include <sanitizer/common_interface_defs.h>
#endif

namespace {

struct Switch {
    PieEngine* engine = nullptr;
    int (*fn)(PieEngine*, void*) = nullptr;
    void* arg = nullptr;
    int result = 0;
    std::exception_ptr error;
    ucontext_t caller{};
    ucontext_t callee{};
    const void* caller_bottom = nullptr;
    size_t caller_size = 0;
};

void entry(unsigned low, unsigned high) {
    auto* s = reinterpret_cast<Switch*>(static_cast<uintptr_t>(high) << 32 | low);
#ifdef PL_ENGINE_STACK_SANITIZED
    __sanitizer_finish_switch_fiber(nullptr, &s->caller_bottom, &s->caller_size);
#endif
    try {
        s->result = s->fn(s->engine, s->arg);
    } catch (...) {
        s->error = std::current_exception();
    }
#ifdef PL_ENGINE_STACK_SANITIZED
    __sanitizer_start_switch_fiber(nullptr, s->caller_bottom, s->caller_size);
#endif
    swapcontext(&s->callee, &s->caller);
}

size_t page_size() { return static_cast<size_t>(sysconf(_SC_PAGESIZE)); }

}  // namespace

int pl_on_engine_stack(PieEngine* engine, int (*fn)(PieEngine*, void*), void* arg) {
    if (engine->stack_floor) return fn(engine, arg);
    if (!engine->stack_base) {
        void* base = mmap(nullptr, kPlEngineStackBytes, PROT_READ | PROT_WRITE,
                          MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE | MAP_STACK, -1, 0);
        if (base == MAP_FAILED) return fn(engine, arg);
        mprotect(base, page_size(), PROT_NONE);  // an overrun faults instead of writing elsewhere
        engine->stack_base = base;
    }
    auto* base = static_cast<char*>(engine->stack_base);
    Switch s;
    s.engine = engine;
    s.fn = fn;
    s.arg = arg;
    getcontext(&s.callee);
    s.callee.uc_stack.ss_sp = base;
    s.callee.uc_stack.ss_size = kPlEngineStackBytes;
    s.callee.uc_link = nullptr;
    const auto address = reinterpret_cast<uintptr_t>(&s);
    makecontext(&s.callee, reinterpret_cast<void (*)()>(&entry), 2, static_cast<unsigned>(address),
                static_cast<unsigned>(address >> 32));
    engine->stack_floor = reinterpret_cast<uintptr_t>(base) + page_size() + kPlEngineStackReserve;
    engine->stack_deep_mark = reinterpret_cast<uintptr_t>(base) + kPlEngineStackBytes - kPlEngineStackDeep;
    engine->stack_went_deep = 0;
#ifdef PL_ENGINE_STACK_SANITIZED
    void* fake_stack = nullptr;
    __sanitizer_start_switch_fiber(&fake_stack, base, kPlEngineStackBytes);
#endif
    swapcontext(&s.caller, &s.callee);
#ifdef PL_ENGINE_STACK_SANITIZED
    __sanitizer_finish_switch_fiber(fake_stack, nullptr, nullptr);
#endif
    engine->stack_floor = 0;
    engine->stack_deep_mark = 0;
    if (engine->stack_went_deep) {
        // A deep query's pages go back to the system; the top of the stack stays in use.
        const size_t keep = kPlEngineStackDeep;
        madvise(base + page_size(), kPlEngineStackBytes - keep - page_size(), MADV_DONTNEED);
    }
    if (s.error) std::rethrow_exception(s.error);
    return s.result;
}

void pl_engine_stack_free(PieEngine* engine) {
    if (engine->stack_base) munmap(engine->stack_base, kPlEngineStackBytes);
    engine->stack_base = nullptr;
}
