/* A stand-in of a maker's library for the module tests: one entry point that answers from its
   argument, and a DllMain that counts how often the library was attached. */
#define EXPORT __attribute__((visibility("default")))

static int attached;

EXPORT int DllMain(void* instance, unsigned reason, void* reserved) {
    (void)instance;
    (void)reserved;
    if (reason == 1) ++attached;
    return 1;
}

EXPORT int ZDSV_GetInterface(int version) { return version + 1; }

EXPORT int StandInAttachCount(void) { return attached; }
