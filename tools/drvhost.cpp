// The host program: drives the library on the bundled printer the way the driver's callers do.
// It grows with the library; today it brings up the platform layer and reports what it found.
#include <windows.h>

#include <cstdio>

int main() {
    HANDLE heap = HeapCreate(0, 8192, 0);
    if (!heap) {
        std::fprintf(stderr, "drvhost: the platform layer did not start\n");
        return 1;
    }
    std::printf("drvhost: platform layer up (private heap ready)\n");
    HeapDestroy(heap);
    return 0;
}
