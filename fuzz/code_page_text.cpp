// Fuzz target of code-page conversion: any bytes convert to UTF-16 in each supported code page
// within the size the first call reports, and what converts back without a default character
// converts again to the same UTF-16 text.
#include <windows.h>

#include <cstdlib>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) return 0;
    static const UINT kPages[] = {1252, 20127, 65001, 932};
    UINT cp = kPages[data[0] % 4];
    auto text = reinterpret_cast<LPCSTR>(data + 1);
    int n = static_cast<int>(size - 1);
    int needed = MultiByteToWideChar(cp, 0, text, n, nullptr, 0);
    if (needed <= 0) std::abort();
    std::vector<WCHAR> wide(static_cast<size_t>(needed));
    if (MultiByteToWideChar(cp, 0, text, n, wide.data(), needed) != needed) std::abort();
    BOOL usedDefault = FALSE;
    BOOL* used = cp == 65001 ? nullptr : &usedDefault;
    int bytes = WideCharToMultiByte(cp, 0, wide.data(), needed, nullptr, 0, nullptr, used);
    if (bytes <= 0) std::abort();
    std::vector<char> back(static_cast<size_t>(bytes));
    if (WideCharToMultiByte(cp, 0, wide.data(), needed, back.data(), bytes, nullptr, used) != bytes) std::abort();
    if (!usedDefault) {
        std::vector<WCHAR> again(static_cast<size_t>(needed) * 2 + 2);
        int m = MultiByteToWideChar(cp, 0, back.data(), bytes, again.data(), static_cast<int>(again.size()));
        if (m != needed || !std::equal(wide.begin(), wide.end(), again.begin())) std::abort();
    }
    return 0;
}
