// The armed failures of spooler calls and the per-function call counts behind them.
#include "platform/spooler/fault_injection.h"

#include <map>
#include <mutex>
#include <string>
#include <vector>

namespace spooler {

namespace {

struct Failure {
    std::string function;  // empty: any function
    DWORD error;
    unsigned remaining;
};

struct Failures {
    std::mutex lock;
    std::vector<Failure> armed;
    std::map<std::string, unsigned> calls;
};

Failures& State() {
    static Failures* state = new Failures;
    return *state;
}

}  // namespace

void FailCalls(const char* function, DWORD error, unsigned count) {
    Failures& s = State();
    std::lock_guard guard(s.lock);
    s.armed.push_back(Failure{function ? function : "", error, count});
}

void ClearFailures() {
    Failures& s = State();
    std::lock_guard guard(s.lock);
    s.armed.clear();
    s.calls.clear();
}

unsigned CallCount(const char* function) {
    Failures& s = State();
    std::lock_guard guard(s.lock);
    auto it = s.calls.find(function);
    return it == s.calls.end() ? 0 : it->second;
}

bool InjectedFault(const char* function, DWORD& error) {
    Failures& s = State();
    std::lock_guard guard(s.lock);
    ++s.calls[function];
    for (Failure& f : s.armed) {
        if (f.remaining && (f.function.empty() || f.function == function)) {
            --f.remaining;
            error = f.error;
            return true;
        }
    }
    return false;
}

}  // namespace spooler
