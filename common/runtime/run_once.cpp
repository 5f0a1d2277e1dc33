// pthread_once for the compiler's runtime linked into each of our libraries (the link wraps every
// call of it to this one): libgcc's registry of unwind frames, which each 32-bit library joins
// while it loads, and the guards of function-local statics call it. The runtime's own
// pthread_once adopts the calling thread into its thread support, which takes a TLS slot of the
// process and a block for the thread that a freed library never gives back: a 32-bit host that
// loaded and freed the library a few hundred times could load it no more. This one needs only
// the once-word: 0 not begun, 1 running, 2 done.
#include <windows.h>

#include <pthread.h>

extern "C" int __wrap_pthread_once(pthread_once_t* once, void (*init)(void))
{
    volatile LONG* state = reinterpret_cast<volatile LONG*>(once);
    if (InterlockedCompareExchange(state, 0, 0) == 2)
        return 0;
    if (InterlockedCompareExchange(state, 1, 0) == 0) {
        init();
        InterlockedExchange(state, 2);
        return 0;
    }
    while (InterlockedCompareExchange(state, 0, 0) != 2)
        SwitchToThread();  // another thread runs init: it is short, so yield until it is done
    return 0;
}
