// Critical sections over recursive pthread mutexes placed in the caller's CRITICAL_SECTION.
#include <windows.h>

#include <new>
#include <pthread.h>

static_assert(sizeof(pthread_mutex_t) <= sizeof(CRITICAL_SECTION), "mutex must fit the caller's storage");
static_assert(alignof(pthread_mutex_t) <= alignof(CRITICAL_SECTION));

namespace {
pthread_mutex_t* mutexOf(LPCRITICAL_SECTION cs) { return reinterpret_cast<pthread_mutex_t*>(cs->opaque); }
}

extern "C" void WINAPI InitializeCriticalSection(LPCRITICAL_SECTION cs) {
    pthread_mutexattr_t attr;
    pthread_mutexattr_init(&attr);
    pthread_mutexattr_settype(&attr, PTHREAD_MUTEX_RECURSIVE);
    pthread_mutex_init(new (cs->opaque) pthread_mutex_t, &attr);
    pthread_mutexattr_destroy(&attr);
}

extern "C" void WINAPI EnterCriticalSection(LPCRITICAL_SECTION cs) { pthread_mutex_lock(mutexOf(cs)); }

extern "C" BOOL WINAPI TryEnterCriticalSection(LPCRITICAL_SECTION cs) {
    return pthread_mutex_trylock(mutexOf(cs)) == 0;
}

extern "C" void WINAPI LeaveCriticalSection(LPCRITICAL_SECTION cs) { pthread_mutex_unlock(mutexOf(cs)); }

extern "C" void WINAPI DeleteCriticalSection(LPCRITICAL_SECTION cs) { pthread_mutex_destroy(mutexOf(cs)); }
