// The version-784 table of the simulated library (the direct query's and the account
// services'): attributes by id, the account check, and lists of fixed-size entries.
#include "sim_runtime.h"

#include <cstring>
#include <string>

namespace simdev {

namespace {

int32_t RequestDeviceAttributes(int slot, const void* request, ZdsvCallback callback, void* out, void* context) {
    auto* r = static_cast<const ZdsvAttributeRequest*>(request);
    std::vector<uint32_t> ids;
    std::string text;
    for (uint32_t i = 0; r && r->ids && i < r->count; ++i) {
        ids.push_back(r->ids[i]);
        text += " " + std::to_string(r->ids[i]);
    }
    Log("request %d p1 %u p2 %u p3 %u ids%s", slot, r ? r->parameter1 : 0, r ? r->parameter2 : 0,
        r ? r->parameter3 : 0, text.c_str());
    return Request(slot, callback, out, context, [ids](Arena& arena) {
        auto found = Find(0, ids.data(), static_cast<uint32_t>(ids.size()));
        return Answer{0, static_cast<uint32_t>(found.size()), BuildAttributes(arena, found)};
    });
}

int32_t RequestAttributes784(void*, ZdsvCallback callback, void* out, const void* request, void* context) {
    return RequestDeviceAttributes(zdsv784::kRequestAttributes, request, callback, out, context);
}

int32_t RequestStateBits(void*, ZdsvCallback callback, void* out, const void* request, void* context) {
    return RequestDeviceAttributes(zdsv784::kRequestStateBits, request, callback, out, context);
}

int32_t AccountCheck(void*, uint32_t account, uint32_t password, uint32_t* status, uint32_t* accepted) {
    Log("account %u %u", account, password);
    if (g_device.accountCode) return g_device.accountCode;
    bool ok = false;
    for (auto& [id, code] : g_device.accounts) ok = ok || (id == account && code == password);
    if (status) *status = 0;
    if (accepted) *accepted = ok ? 1 : 0;
    return 0;
}

constexpr uint32_t kNamedKind = 2;
constexpr uint32_t kFormKind = 51;

Answer Entries(Arena& arena, uint32_t entrySize, uint32_t kind, size_t count,
               const std::function<void(uint8_t*, size_t)>& fill) {
    auto* reply = arena.Make<ZdsvEntryReply>();
    auto* entries = arena.Make<uint8_t>(entrySize * count);
    for (size_t i = 0; i < count; ++i) fill(entries + i * entrySize, i);
    *reply = {kind, static_cast<uint32_t>(count), entrySize, entries};
    return Answer{0, 1, reply};
}

int32_t RequestIdBatch(void*, ZdsvCallback callback, void* out, const void* request, void* context) {
    auto r = *static_cast<const ZdsvIdBatchRequest*>(request);
    std::vector<uint32_t> ids(r.ids, r.ids + (r.ids ? r.count : 0));
    Log("request 36 list %u attribute %u count %u first %u", r.list, r.attribute, r.count, ids.empty() ? 0 : ids[0]);
    return Request(zdsv784::kRequestIdBatch, callback, out, context, [r, ids](Arena& arena) {
        if (r.list == 2)  // the mail-box bins: {id; bin index; name}
            return Entries(arena, 76, kNamedKind, g_device.mailBoxes.size(), [](uint8_t* e, size_t i) {
                std::memcpy(e + 4, &g_device.mailBoxes[i].first, 4);
                std::strncpy(reinterpret_cast<char*>(e + 8), g_device.mailBoxes[i].second.c_str(), 67);
            });
        // The overlay page: one entry per id asked, {id; word; name} or {id; name; words}.
        bool forms = r.list == 1015;
        return Entries(arena, forms ? 88 : 76, forms ? kFormKind : kNamedKind, ids.size(), [&](uint8_t* e, size_t i) {
            std::memcpy(e, &ids[i], 4);
            std::string name = "Entry " + std::to_string(ids[i]);
            std::strncpy(reinterpret_cast<char*>(e + (forms ? 4 : 8)), name.c_str(), 65);
        });
    });
}

int32_t RequestNamedList(void*, ZdsvCallback callback, void* out, const void* request, void* context) {
    auto* r = static_cast<const ZdsvNamedRequest*>(request);
    Log("request 35 list %u parameter %u name %.259s", r->list, r->parameter, r->name);
    return Request(zdsv784::kRequestNamedList, callback, out, context, [](Arena& arena) {
        return Entries(arena, 260, kZdsvEntryKind, g_device.fonts.size(), [](uint8_t* e, size_t i) {
            std::strncpy(reinterpret_cast<char*>(e), g_device.fonts[i].first.c_str(), 255);
            std::memcpy(e + 256, &g_device.fonts[i].second, 4);
        });
    });
}

}  // namespace

ZdsvInterface MakeTable784() {
    ZdsvInterface t{};
    t.slots[zdsv784::kStart] = Proc(&Start);
    t.slots[zdsv784::kStop] = Proc(&Stop);
    t.slots[zdsv784::kOpenInformation] = Proc(&OpenInformation);
    t.slots[zdsv784::kCloseInformation] = Proc(&CloseInformation);
    t.slots[zdsv784::kQueryInformation] = Proc(&QueryInformation);
    t.slots[zdsv784::kConnect] = Proc(&Connect);
    t.slots[zdsv784::kDisconnect] = Proc(&Disconnect);
    t.slots[zdsv784::kRequestAttributes] = Proc(&RequestAttributes784);
    t.slots[zdsv784::kRequestStateBits] = Proc(&RequestStateBits);
    t.slots[zdsv784::kAccountCheck] = Proc(&AccountCheck);
    t.slots[zdsv784::kRequestNamedList] = Proc(&RequestNamedList);
    t.slots[zdsv784::kRequestIdBatch] = Proc(&RequestIdBatch);
    return t;
}

}  // namespace simdev
