// The modal observer of each thread (see modal_observer.h).
#include "platform/user/modal_observer.h"

namespace user {
namespace {
thread_local const ModalObserver* t_observer = nullptr;
}

const ModalObserver* SetModalObserver(const ModalObserver* observer) {
    const ModalObserver* old = t_observer;
    t_observer = observer;
    return old;
}

const ModalObserver* CurrentModalObserver() { return t_observer; }

}  // namespace user
