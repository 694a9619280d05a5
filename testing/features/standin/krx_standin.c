/* A stand-in of the maker's colour-profile library: a fixed folder of profiles, some of which a
   driver must leave out (a printer profile, one that does not open, one with a short header, one
   whose file is missing) and one whose description comes back without a terminator. It counts
   what was opened and not closed, so that a test can see the driver gave everything back, and a
   test may make it answer an absurd profile count or refuse to start. */
#include <string.h>

#define EXPORT __attribute__((visibility("default")))

typedef int BOOL;
typedef unsigned int DWORD32;

struct Profile {
    const char* path;
    const char* kind;
    const char* description;
    int opens;        /* 0: the open fails */
    unsigned header;  /* the header size answered */
};

static const struct Profile kProfiles[] = {
    {"C:\\WINDOWS\\SYSTEM\\COLOR\\SRGBCO~1.ICM", "mntr", "sRGB colour space", 1, 128},
    {"C:\\WINDOWS\\SYSTEM\\COLOR\\SCANNER1.ICM", "scnr",
     "Flatbed scanner, reflective originals, calibrated at the factory for the office "
     "Flatbed scanner, reflective originals, calibrated at the factory for the office "
     "Flatbed scanner, reflective originals, calibrated at the factory for the office "
     "Flatbed scanner, reflective originals, calibrated at the factory for the office", 1, 128},
    {"C:\\WINDOWS\\SYSTEM\\COLOR\\PRINTER1.ICM", "prtr", "A printer", 1, 128},
    {"C:\\WINDOWS\\SYSTEM\\COLOR\\BROKEN.ICM", "mntr", "Broken", 0, 128},
    {"C:\\WINDOWS\\SYSTEM\\COLOR\\SHORTHDR.ICM", "mntr", "Short header", 1, 64},
    {"C:\\WINDOWS\\SYSTEM\\COLOR\\MISSING.ICM", "mntr", "Missing file", 1, 128},
    {"C:\\WINDOWS\\SYSTEM\\COLOR\\Wide gamut monitor.icm", "mntr", "Wide gamut monitor", 1, 128},
};
#define PROFILE_COUNT (sizeof kProfiles / sizeof kProfiles[0])

static int g_open;          /* profiles and enumerators not given back */
static int g_started;
static int g_hugeCount;
static int g_refuseStart;
static char g_enumerator;   /* its address is the one enumerator */

EXPORT void StandInKrxSetHugeCount(int on) { g_hugeCount = on; }
EXPORT void StandInKrxRefuseStart(int on) { g_refuseStart = on; }
EXPORT int StandInKrxOutstanding(void) { return g_open + g_started; }

EXPORT BOOL KRXInitialize(void) {
    if (g_refuseStart) return 0;
    ++g_started;
    return 1;
}

EXPORT BOOL KRXTerminate(void) {
    --g_started;
    return 1;
}

EXPORT BOOL KRXGetSysProfilePath(char* path, DWORD32* size) {
    static const char folder[] = "C:\\WINDOWS\\SYSTEM\\COLOR";
    if (!path || !size || *size < sizeof folder) return 0;
    memcpy(path, folder, sizeof folder);
    *size = sizeof folder - 1;
    return 1;
}

EXPORT BOOL KRXGetProfileEnumerator(const char* folder, void** enumerator, DWORD32* count) {
    if (!folder || !enumerator || !count) return 0;
    *enumerator = &g_enumerator;
    *count = g_hugeCount ? 0xFFFFFFFFu : PROFILE_COUNT;
    ++g_open;
    return 1;
}

EXPORT BOOL KRXDisposeProfileEnumerator(void* enumerator) {
    if (enumerator != &g_enumerator) return 0;
    --g_open;
    return 1;
}

EXPORT BOOL KRXGetProfileDescriptor(void* enumerator, DWORD32 index, char* path, DWORD32* size) {
    size_t length;
    if (enumerator != &g_enumerator || index < 1 || index > PROFILE_COUNT || !path || !size) return 0;
    length = strlen(kProfiles[index - 1].path);
    if (*size <= length) return 0;
    memcpy(path, kProfiles[index - 1].path, length + 1);
    *size = (DWORD32)length;
    return 1;
}

EXPORT BOOL KRXOpenProfile(const char* path, void** profile) {
    size_t i;
    if (!path || !profile) return 0;
    for (i = 0; i < PROFILE_COUNT; ++i)
        if (strcmp(kProfiles[i].path, path) == 0 && kProfiles[i].opens) {
            *profile = (void*)&kProfiles[i];
            ++g_open;
            return 1;
        }
    return 0;
}

EXPORT BOOL KRXCloseProfile(void* profile) {
    if (!profile) return 0;
    --g_open;
    return 1;
}

EXPORT BOOL KRXGetProfileInfo(void* profile, unsigned char* header, DWORD32* size) {
    const struct Profile* p = (const struct Profile*)profile;
    if (!p || !header || !size || *size < p->header) return 0;
    memset(header, 0, p->header);
    memcpy(header + 36, "acsp", 4);
    if (p->header >= 16) memcpy(header + 12, p->kind, 4);
    *size = p->header;
    return 1;
}

/* Fills the whole buffer when the text is longer, with no terminator, as some versions do. */
EXPORT BOOL KRXGetTagText(void* profile, DWORD32 tag, char* text, DWORD32* size) {
    const struct Profile* p = (const struct Profile*)profile;
    size_t length;
    if (!p || !text || !size || tag != 0x64657363u) return 0;
    length = strlen(p->description);
    if (length >= *size) {
        memcpy(text, p->description, *size);
        return 1;
    }
    memcpy(text, p->description, length + 1);
    *size = (DWORD32)length;
    return 1;
}
