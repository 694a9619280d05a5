// The version-768 table of the simulated library: the client's requests, answered from the
// device's attributes, lists, values and command answers.
#include "sim_runtime.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace simdev {

namespace {

int32_t RemoteInformation(const char* computer, uint32_t one, uint32_t zero, void* record104) {
    Log("remote-info %s %u %u", computer ? computer : "-", one, zero);
    if (!record104) return -1;
    std::memcpy(static_cast<uint8_t*>(record104) + 12, g_device.remote, 4);
    return 0;
}

int32_t ShowWindow(const char* printer, uint32_t zero) {
    Log("show-window %s %u", printer ? printer : "-", zero);
    return 0;
}

int32_t RequestEntries(void*, ZdsvCallback callback, void* out, const void* request, void* context) {
    auto r = *static_cast<const ZdsvRequest*>(request);
    Log("request 17 %s", HexOf(&r, sizeof r).c_str());
    return Request(zdsv768::kRequestEntries, callback, out, context, [r](Arena& arena) {
        auto* reply = arena.Make<ZdsvGroupReply>();
        auto* group = arena.Make<ZdsvAttributeGroup>();
        uint32_t id = r.word12;
        auto found = Find(r.word8, &id, 1);
        group->objectId = r.word8;
        group->count = static_cast<uint32_t>(found.size());
        group->attributes = BuildAttributes(arena, found);
        reply->count = 1;
        reply->groups = group;
        return Answer{0, 1, reply};
    });
}

// The answer bytes of a command.
std::vector<uint8_t> CommandAnswer(const ZdsvCommand& c, const std::vector<uint8_t>& data) {
    std::vector<uint8_t> out;
    auto be32 = [&](uint32_t v) {
        for (int s = 24; s >= 0; s -= 8) out.push_back(static_cast<uint8_t>(v >> s));
    };
    if (c.command == 8208 && data.size() >= 3) {  // a named variable
        std::string name(data.begin() + 3, data.begin() + 3 + std::min<size_t>(data[2], data.size() - 3));
        auto it = g_device.variables.find(name);
        std::string value = it == g_device.variables.end() ? "" : it->second;
        out = {0, 0, static_cast<uint8_t>(name.size())};
        out.insert(out.end(), name.begin(), name.end());
        out.push_back(0);
        out.push_back(0);
        out.push_back(static_cast<uint8_t>(value.size()));
        out.insert(out.end(), value.begin(), value.end());
    } else if (c.command == 8212 && data.size() >= 6 + 32) {  // table rows
        uint32_t item = uint32_t{data[6 + 16]} << 24 | uint32_t{data[6 + 17]} << 16 | uint32_t{data[6 + 18]} << 8 |
                        data[6 + 19];
        out = {0, 0, 0, 10};
        for (uint32_t n = 1; n <= 10; ++n) {
            bool text = item == 5502 && !g_device.rowText.empty();
            const uint32_t fields[8] = {700, 0, 20, 1, item, n, 0, text ? 2u : 1u};
            for (uint32_t f : fields) be32(f);
            if (text) {
                out.push_back(static_cast<uint8_t>(g_device.rowText.size()));
                out.insert(out.end(), g_device.rowText.begin(), g_device.rowText.end());
            } else {
                out.push_back(4);
                be32(g_device.rows[item]);
            }
        }
    } else if (c.command == 12560) {  // a name list
        out = {0, static_cast<uint8_t>(g_device.nameList.size())};
        for (const auto& e : g_device.nameList) {
            out.push_back(static_cast<uint8_t>(e.name.size()));
            out.insert(out.end(), e.name.begin(), e.name.end());
            out.push_back(static_cast<uint8_t>(e.text.size()));
            out.insert(out.end(), e.text.begin(), e.text.end());
            out.push_back(e.value);
        }
    } else if (c.command == 14849) {  // a text
        for (uint32_t w : g_device.textAnswer) be32(w);
    }
    return out;
}

int32_t RequestCommand(void*, ZdsvCallback callback, void* out, const void* request, void* context) {
    ZdsvCommand c = *static_cast<const ZdsvCommand*>(request);
    std::vector<uint8_t> data(c.data, c.data + (c.data ? c.dataSize : 0));
    Log("request 18 code %u command %u size %u data %s", c.code, c.command, c.dataSize,
        HexOf(data.data(), data.size()).c_str());
    return Request(zdsv768::kRequestCommand, callback, out, context, [c, data](Arena& arena) {
        std::vector<uint8_t> answer = CommandAnswer(c, data);
        auto* reply = arena.Make<ZdsvCommand>();
        auto* bytes = arena.Make<uint8_t>(answer.size());
        std::memcpy(bytes, answer.data(), answer.size());
        *reply = ZdsvCommand{c.code, c.command, 0, bytes, static_cast<uint16_t>(answer.size()), 0, 0};
        return Answer{0, 1, reply};
    });
}

int32_t RequestPaged(void*, ZdsvCallback callback, void* out, const void* request, void* context) {
    auto r = *static_cast<const ZdsvPagedRequest*>(request);
    std::vector<uint32_t> ids(r.ids, r.ids + r.idCount);
    std::string text;
    for (uint32_t id : ids) text += " " + std::to_string(id);
    Log("request 19 count %u zero %u p16 %u p32 %u ids%s", r.idCount, r.zero, r.parameter16, r.parameter32,
        text.c_str());
    return Request(zdsv768::kRequestPaged, callback, out, context, [ids](Arena& arena) {
        auto* reply = arena.Make<ZdsvGroupReply>();
        auto* groups = arena.Make<ZdsvAttributeGroup>(ids.size());
        for (size_t i = 0; i < ids.size(); ++i) {
            auto found = AllOf(ids[i]);
            groups[i] = {ids[i], static_cast<uint32_t>(found.size()), BuildAttributes(arena, found)};
        }
        reply->count = static_cast<uint32_t>(ids.size());
        reply->groups = groups;
        return Answer{0, 1, reply};
    });
}

int32_t RequestValueList(int slot, const ZdsvRequest& r, uint32_t parameter, ZdsvCallback callback, void* out,
                         void* context) {
    Log("request %d %s", slot, HexOf(&r, sizeof r).c_str());
    return Request(slot, callback, out, context, [r, parameter](Arena& arena) {
        auto it = g_device.values.find(parameter);
        static const std::vector<uint32_t> none;
        return ValuePart(arena, it == g_device.values.end() ? none : it->second,
                         r.phase == kZdsvPhaseContinue ? r.key : 0, 0);
    });
}

int32_t RequestTable(void*, ZdsvCallback callback, void* out, const void* request, void* context) {
    auto r = *static_cast<const ZdsvRequest*>(request);
    return RequestValueList(zdsv768::kRequestTable, r, r.word8, callback, out, context);
}

int32_t RequestValues(void*, ZdsvCallback callback, void* out, const void* request, void* context) {
    auto r = *static_cast<const ZdsvRequest*>(request);
    return RequestValueList(zdsv768::kRequestValues, r, r.word6, callback, out, context);
}

int32_t RequestPair(void*, ZdsvCallback callback, void* out, const void* request, void* context) {
    auto r = *static_cast<const ZdsvRequest*>(request);
    Log("request 21 %s", HexOf(&r, sizeof r).c_str());
    return Request(zdsv768::kRequestPair, callback, out, context, [](Arena& arena) {
        auto* reply = arena.Make<ZdsvPairReply>();
        *reply = {g_device.pair[0], g_device.pair[1]};
        return Answer{0, 1, reply};
    });
}

int32_t RequestAttributes(void*, ZdsvCallback callback, void* out, const void* request, void* context) {
    auto* r = static_cast<const ZdsvAttributeListRequest*>(request);
    // What each entry asks: its first object and its attribute ids.
    std::vector<std::pair<uint32_t, std::vector<uint32_t>>> asked;
    std::string text;
    for (uint32_t i = 0; r && r->entries && i < r->entryCount; ++i) {
        const ZdsvAttributeListEntry& e = r->entries[i];
        uint32_t object = e.objectCount && e.objectIds ? e.objectIds[0] : 0;
        std::vector<uint32_t> ids;
        for (uint32_t k = 0; e.attributeIds && k < e.attributeCount; ++k) ids.push_back(e.attributeIds[k]);
        text += " " + std::to_string(object) + ":";
        for (size_t k = 0; k < ids.size(); ++k) text += (k ? "," : "") + std::to_string(ids[k]);
        asked.emplace_back(object, std::move(ids));
    }
    Log("request 24 entries %u%s", r ? r->entryCount : 0, text.c_str());
    return Request(zdsv768::kRequestAttributes, callback, out, context, [asked](Arena& arena) {
        auto* reply = arena.Make<ZdsvGroupReply>();
        auto* groups = arena.Make<ZdsvAttributeGroup>(asked.size());
        for (size_t i = 0; i < asked.size(); ++i) {
            auto found = Find(asked[i].first, asked[i].second.data(), static_cast<uint32_t>(asked[i].second.size()));
            groups[i] = {asked[i].first, static_cast<uint32_t>(found.size()), BuildAttributes(arena, found)};
        }
        reply->count = static_cast<uint32_t>(asked.size());
        reply->groups = groups;
        return Answer{0, 1, reply};
    });
}

int32_t RequestListB(void*, ZdsvCallback callback, void* out, const void* request, void* context) {
    auto r = *static_cast<const ZdsvRequest*>(request);
    Log("request 25 %s", HexOf(&r, sizeof r).c_str());
    return Request(zdsv768::kRequestListB, callback, out, context, [r](Arena& arena) {
        auto it = g_device.lists.find({r.word8, r.word12});
        static const std::vector<uint32_t> none;
        return ValuePart(arena, it == g_device.lists.end() ? none : it->second,
                         r.phase == kZdsvPhaseContinue ? r.key : 0, 0);
    });
}

int32_t RequestListC(void*, ZdsvCallback callback, void* out, const void* request, void* context) {
    auto r = *static_cast<const ZdsvRequest*>(request);
    Log("request 26 %s", HexOf(&r, sizeof r).c_str());
    return Request(zdsv768::kRequestListC, callback, out, context, [r](Arena& arena) {
        auto* reply = arena.Make<ZdsvGroupReply>();
        auto* group = arena.Make<ZdsvAttributeGroup>();
        auto found = AllOf(r.word8);
        *group = {r.word8, static_cast<uint32_t>(found.size()), BuildAttributes(arena, found)};
        reply->key = 1;
        reply->count = 1;
        reply->groups = group;
        return Answer{0, 1, reply};
    });
}

}  // namespace

ZdsvInterface MakeTable768() {
    ZdsvInterface t{};
    t.slots[zdsv768::kStart] = Proc(&Start);
    t.slots[zdsv768::kStop] = Proc(&Stop);
    t.slots[zdsv768::kRemoteInformation] = Proc(&RemoteInformation);
    t.slots[zdsv768::kShowWindow] = Proc(&ShowWindow);
    t.slots[zdsv768::kOpenInformation] = Proc(&OpenInformation);
    t.slots[zdsv768::kCloseInformation] = Proc(&CloseInformation);
    t.slots[zdsv768::kQueryInformation] = Proc(&QueryInformation);
    t.slots[zdsv768::kConnect] = Proc(&Connect);
    t.slots[zdsv768::kDisconnect] = Proc(&Disconnect);
    t.slots[zdsv768::kRequestEntries] = Proc(&RequestEntries);
    t.slots[zdsv768::kRequestCommand] = Proc(&RequestCommand);
    t.slots[zdsv768::kRequestPaged] = Proc(&RequestPaged);
    t.slots[zdsv768::kRequestTable] = Proc(&RequestTable);
    t.slots[zdsv768::kRequestPair] = Proc(&RequestPair);
    t.slots[zdsv768::kRequestValues] = Proc(&RequestValues);
    t.slots[zdsv768::kRequestAttributes] = Proc(&RequestAttributes);
    t.slots[zdsv768::kRequestListB] = Proc(&RequestListB);
    t.slots[zdsv768::kRequestListC] = Proc(&RequestListC);
    return t;
}

}  // namespace simdev
