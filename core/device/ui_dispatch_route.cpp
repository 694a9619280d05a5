// The registered user-interface dispatcher (see ui_dispatch_route.h).
#include "core/device/ui_dispatch_route.h"

#include <atomic>

namespace {
std::atomic<const UiDispatcher*> g_dispatcher{nullptr};
}  // namespace

const UiDispatcher* RegisterUiDispatcher(const UiDispatcher* dispatcher) { return g_dispatcher.exchange(dispatcher); }

const UiDispatcher* CurrentUiDispatcher() { return g_dispatcher.load(); }
