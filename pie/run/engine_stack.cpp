// The engine's own stack: a private mapping with a guard page at its low end, entered for the
// length of one outermost query. On x86-64 the switch saves and restores only what the calling
// convention keeps across a call (six registers, the stack pointer and the floating-point
// control words), a few nanoseconds where a ucontext switch asks the kernel for the signal mask
// twice; elsewhere ucontext serves. Under AddressSanitizer the switch is announced to it, so
// that it knows which stack an exception unwinds.
#include "pie/run/engine_stack.h"

#include "pie/api/engine.h"

#include <sys/mman.h>
#include <unistd.h>

#include <exception>
#include <mutex>
#include <utility>

#ifdef PL_ENGINE_STACK_SANITIZED
#include <sanitizer/common_interface_defs.h>
#endif

#if defined(__x86_64__)
// pl_stack_switch(save, to): pushes the kept registers, stores the stack pointer in *save,
// takes to as the stack pointer and pops the registers found there, then returns on that stack.
extern "C" void pl_stack_switch(void** save, void* to);
asm(R"(
    .text
    .globl pl_stack_switch
    .type pl_stack_switch, @function
pl_stack_switch:
    pushq %rbp
    pushq %rbx
    pushq %r12
    pushq %r13
    pushq %r14
    pushq %r15
    subq $8, %rsp
    stmxcsr (%rsp)
    fnstcw 4(%rsp)
    movq %rsp, (%rdi)
    movq %rsi, %rsp
    ldmxcsr (%rsp)
    fldcw 4(%rsp)
    addq $8, %rsp
    popq %r15
    popq %r14
    popq %r13
    popq %r12
    popq %rbx
    popq %rbp
    ret
    .size pl_stack_switch, .-pl_stack_switch
)");
#else
#include <ucontext.h>
#endif

namespace {

struct Switch {
    PieEngine* engine = nullptr;
    int (*fn)(PieEngine*, void*) = nullptr;
    void* arg = nullptr;
    int result = 0;
    std::exception_ptr error;
#if defined(__x86_64__)
    void* caller_sp = nullptr;
    void* callee_sp = nullptr;
#else
    ucontext_t caller{};
    ucontext_t callee{};
#endif
    const void* caller_bottom = nullptr;
    size_t caller_size = 0;
};

thread_local Switch* t_starting = nullptr;  // the switch whose stack is being entered

// The first frame on the engine's stack: runs the query, then goes back for good.
void entry() {
    Switch* s = t_starting;
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
#if defined(__x86_64__)
    pl_stack_switch(&s->callee_sp, s->caller_sp);
#else
    swapcontext(&s->callee, &s->caller);
#endif
    __builtin_unreachable();
}

size_t page_size() { return static_cast<size_t>(sysconf(_SC_PAGESIZE)); }

// The stack of an engine that ended, kept for the next engine of the process: mapping, guarding
// and unmapping a stack for every engine cost three system calls and the faults of its top pages
// at each start of a sheet. One is kept; sanitized builds keep none, so that the sanitizer meets
// every stack as it was announced to it.
struct SpareStack {
    std::mutex mutex;
    void* base = nullptr;

    void* take() {
#ifndef PL_ENGINE_STACK_SANITIZED
        std::lock_guard<std::mutex> lock(mutex);
        return std::exchange(base, nullptr);
#else
        return nullptr;
#endif
    }
    bool keep(void* stack) {
#ifndef PL_ENGINE_STACK_SANITIZED
        std::lock_guard<std::mutex> lock(mutex);
        if (base) return false;
        base = stack;
        return true;
#else
        (void)stack;
        return false;
#endif
    }
};

SpareStack& spare_stack() {
    static auto* spare = new SpareStack;  // never destroyed: engines may end during exit
    return *spare;
}

// Enters the stack [base, base + size) at entry and comes back when the query is done.
void run_on(Switch& s, char* base, size_t size) {
    t_starting = &s;
#if defined(__x86_64__)
    // What pl_stack_switch pops: the control words (MXCSR and x87 at their defaults), six
    // registers and the address it returns to, entry; above it a null return address ends the
    // chain of frames. entry then starts with the stack aligned as after a call.
    auto* top = reinterpret_cast<uint64_t*>(base + size);
    uint64_t* sp = top - 9;
    sp[0] = 0x1F80 | uint64_t{0x037F} << 32;
    for (int i = 1; i <= 6; ++i) sp[i] = 0;
    sp[7] = reinterpret_cast<uint64_t>(&entry);
    sp[8] = 0;
    pl_stack_switch(&s.caller_sp, sp);
#else
    getcontext(&s.callee);
    s.callee.uc_stack.ss_sp = base;
    s.callee.uc_stack.ss_size = size;
    s.callee.uc_link = nullptr;
    makecontext(&s.callee, &entry, 0);
    swapcontext(&s.caller, &s.callee);
#endif
}

}  // namespace

int pl_on_engine_stack(PieEngine* engine, int (*fn)(PieEngine*, void*), void* arg) {
    if (engine->stack_floor) return fn(engine, arg);
    if (!engine->stack_base) engine->stack_base = spare_stack().take();
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
    engine->stack_floor = reinterpret_cast<uintptr_t>(base) + page_size() + kPlEngineStackReserve;
    engine->stack_deep_mark = reinterpret_cast<uintptr_t>(base) + kPlEngineStackBytes - kPlEngineStackDeep;
    engine->stack_went_deep = 0;
#ifdef PL_ENGINE_STACK_SANITIZED
    void* fake_stack = nullptr;
    __sanitizer_start_switch_fiber(&fake_stack, base, kPlEngineStackBytes);
#endif
    run_on(s, base, kPlEngineStackBytes);
#ifdef PL_ENGINE_STACK_SANITIZED
    __sanitizer_finish_switch_fiber(fake_stack, nullptr, nullptr);
#endif
    engine->stack_floor = 0;
    engine->stack_deep_mark = 0;
    if (engine->stack_went_deep) {
        // A deep query's pages go back to the system; the top of the stack stays in use.
        madvise(base + page_size(), kPlEngineStackBytes - kPlEngineStackDeep - page_size(), MADV_DONTNEED);
    }
    if (s.error) std::rethrow_exception(s.error);
    return s.result;
}

void pl_engine_stack_free(PieEngine* engine) {
    if (engine->stack_base && !spare_stack().keep(engine->stack_base)) munmap(engine->stack_base, kPlEngineStackBytes);
    engine->stack_base = nullptr;
}
