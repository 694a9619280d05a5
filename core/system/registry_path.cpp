// Opening joined key paths: in one call while the join is short, part by part when it would
// reach MAX_PATH characters.
#include "core/system/registry_path.h"

#include <string>

namespace {

bool Empty(LPCSTR text) { return !text || !*text; }

LONG OpenOne(HKEY parent, LPCSTR path, bool create, HKEY* key) {
    if (create)
        return RegCreateKeyExA(parent, path, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, key,
                               nullptr);
    return RegOpenKeyExA(parent, path, 0, KEY_ALL_ACCESS, key);
}

}  // namespace

LONG OpenJoinedKey(HKEY root, LPCSTR path, LPCSTR part, LPCSTR subkey, bool create, HKEY* key) {
    if (!key) return ERROR_INVALID_PARAMETER;
    const LPCSTR parts[] = {path, part, subkey};
    std::string joined;
    for (LPCSTR p : parts) {
        if (Empty(p)) continue;
        // Paths such as "Software\Vomel\PCL5e\" already end with the separator; a doubled one
        // would name an empty key.
        if (!joined.empty() && joined.back() != '\\') joined += '\\';
        joined += p;
    }
    if (joined.size() < MAX_PATH) return OpenOne(root, joined.c_str(), create, key);

    HKEY current = root;
    for (LPCSTR p : parts) {
        if (Empty(p)) continue;
        HKEY next = nullptr;
        LONG rc = OpenOne(current, p, create, &next);
        if (current != root) RegCloseKey(current);
        if (rc != ERROR_SUCCESS) return rc;
        current = next;
    }
    *key = current;
    return ERROR_SUCCESS;
}
