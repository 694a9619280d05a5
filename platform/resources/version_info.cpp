// The version functions: a file's VERSIONINFO resource, read from the file as a resource module
// (.res) holds it, and the values of its tree by path. The copy a caller gets is the resource's
// bytes followed by a spare half of the same size, into which a text value is converted to ANSI
// at the same distance from the half's start, as on the original; every node is checked against
// the block's own length before it is believed.
#include "platform/resources/res_file.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr size_t kNodeHeader = 6;  // wLength, wValueLength, wType
constexpr uint16_t kTextValue = 1;

uint16_t word(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
size_t align4(size_t n) { return (n + 3) & ~size_t{3}; }

// The resource bytes of a file's version resource; empty when the file is no resource module or
// holds none.
std::vector<uint8_t> versionResource(LPCSTR path) {
    if (!path) return {};
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return {};
    std::vector<uint8_t> bytes;
    const DWORD size = GetFileSize(file, nullptr);
    DWORD read = 0;
    if (size != INVALID_FILE_SIZE && size <= 64u << 20) {
        bytes.resize(size);
        if (!ReadFile(file, bytes.data(), size, &read, nullptr) || read != size) bytes.clear();
    }
    CloseHandle(file);
    auto table = res::ResourceTable::Parse(bytes.data(), bytes.size());
    if (!table) return {};
    const res::ResourceEntry* entry = table->find(MAKEINTRESOURCEA(16), MAKEINTRESOURCEA(VS_VERSION_INFO));
    if (!entry || entry->size < kNodeHeader) return {};
    const uint8_t* data = table->dataOf(*entry);
    // The tree says how long it is; a resource shorter than its own claim has no version.
    const uint16_t length = word(data);
    if (length < kNodeHeader || length > entry->size) return {};
    return std::vector<uint8_t>(data, data + length);
}

// One node of the tree within [start, end) of the block.
struct Node {
    size_t start = 0, end = 0;
    std::u16string key;
    size_t value = 0;        // offset of the value
    size_t valueBytes = 0;
    uint16_t type = 0;
    size_t children = 0;     // offset of the first child
};

bool readNode(const uint8_t* block, size_t start, size_t limit, Node& node) {
    if (start + kNodeHeader > limit) return false;
    const size_t length = word(block + start);
    if (length < kNodeHeader || start + length > limit) return false;
    node.start = start;
    node.end = start + length;
    node.type = word(block + start + 4);
    node.key.clear();
    size_t at = start + kNodeHeader;
    for (;; at += 2) {
        if (at + 2 > node.end) return false;
        const char16_t c = word(block + at);
        if (c == 0) break;
        node.key.push_back(c);
    }
    at = align4(at + 2);
    const size_t valueLength = word(block + start + 2);
    node.valueBytes = node.type == kTextValue ? valueLength * 2 : valueLength;
    node.value = at;
    if (node.value > node.end || node.valueBytes > node.end - node.value) return false;
    node.children = std::min(align4(node.value + node.valueBytes), node.end);
    return true;
}

bool sameKey(const std::u16string& key, const std::string& name) {
    if (key.size() != name.size()) return false;
    for (size_t i = 0; i < key.size(); ++i) {
        const char16_t a = key[i];
        const char b = name[i];
        if (a > 0x7F || std::tolower(static_cast<unsigned char>(a)) != std::tolower(static_cast<unsigned char>(b)))
            return false;
    }
    return true;
}

}  // namespace

extern "C" DWORD WINAPI GetFileVersionInfoSizeA(LPCSTR path, LPDWORD handle) {
    if (handle) *handle = 0;
    const std::vector<uint8_t> resource = versionResource(path);
    if (resource.empty()) {
        SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
        return 0;
    }
    return static_cast<DWORD>(resource.size() * 2);
}

extern "C" BOOL WINAPI GetFileVersionInfoA(LPCSTR path, DWORD, DWORD size, LPVOID data) {
    if (!data) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const std::vector<uint8_t> resource = versionResource(path);
    if (resource.empty()) {
        SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
        return FALSE;
    }
    // The spare half is where texts are converted: a block without it could not answer them.
    if (size < resource.size() * 2) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return FALSE;
    }
    std::memcpy(data, resource.data(), resource.size());
    std::memset(static_cast<uint8_t*>(data) + resource.size(), 0, resource.size());
    return TRUE;
}

extern "C" BOOL WINAPI VerQueryValueA(LPCVOID block, LPCSTR subBlock, LPVOID* buffer, PUINT length) {
    if (!block || !subBlock || !buffer || !length) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    auto* bytes = static_cast<uint8_t*>(const_cast<void*>(block));
    const size_t total = word(bytes);
    Node node;
    if (!readNode(bytes, 0, total, node)) {
        SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
        return FALSE;
    }
    std::string path(subBlock);
    size_t from = 0;
    while (from <= path.size()) {
        size_t to = path.find('\\', from);
        if (to == std::string::npos) to = path.size();
        const std::string name = path.substr(from, to - from);
        from = to + 1;
        if (name.empty()) continue;
        Node child;
        bool found = false;
        for (size_t at = node.children; at < node.end && readNode(bytes, at, node.end, child); at = align4(child.end))
            if (sameKey(child.key, name)) {
                found = true;
                break;
            }
        if (!found) {
            SetLastError(ERROR_RESOURCE_TYPE_NOT_FOUND);
            return FALSE;
        }
        node = child;
    }
    if (node.valueBytes == 0) {
        SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
        return FALSE;
    }
    if (node.type != kTextValue) {
        *buffer = bytes + node.value;
        *length = static_cast<UINT>(node.valueBytes);
        return TRUE;
    }
    // A text: its ANSI copy lies in the spare half, at the value's own offset.
    char* ansi = reinterpret_cast<char*>(bytes + total + node.value);
    UINT n = 0;
    for (size_t i = 0; i + 1 < node.valueBytes; i += 2) {
        const char16_t c = word(bytes + node.value + i);
        if (c == 0) break;
        ansi[n++] = c < 0x100 ? static_cast<char>(c) : '?';
    }
    ansi[n] = 0;
    *buffer = ansi;
    *length = n + 1;
    return TRUE;
}
