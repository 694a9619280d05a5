// GetSysColorBrush: one solid brush per system colour, made on first use and kept for the life of
// the process, as the system's own brushes are (callers never delete them).
#include <windows.h>

#include <mutex>

extern "C" HBRUSH WINAPI GetSysColorBrush(int index) {
    constexpr int kCount = COLOR_INFOBK + 1;
    static HBRUSH brushes[kCount] = {};
    static std::mutex lock;
    if (index < 0 || index >= kCount) return nullptr;
    std::lock_guard<std::mutex> guard(lock);
    if (!brushes[index]) brushes[index] = CreateSolidBrush(GetSysColor(index));
    return brushes[index];
}
