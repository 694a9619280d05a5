// The simulated device-information library: a shared object that tests install under the names
// "Zdsvc2.dll" and "Zdsvc.dll" in the Windows system folder of the drive root. It answers as the
// device described in "ZDSVSIM.TXT" beside it would, calls back inline or from a thread of its
// own, and writes every call to "ZDSVSIM.LOG" beside it, one line each, for the tests to read.
// Reply memory is poisoned and freed as soon as the callback returns, so a caller that keeps a
// reply past its callback is caught by the sanitizers.
#include "device/devinfo_interface.h"
#include "simulated_device.h"

#include <dlfcn.h>

#include <condition_variable>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#define EXPORT extern "C" __attribute__((visibility("default")))

#ifndef SIM_LIBRARY_NAME
#define SIM_LIBRARY_NAME "Zdsvc2"
#endif

namespace {

using simdev::Attribute;
using simdev::Device;
using simdev::Value;

// Files beside the library --------------------------------------------------------------

std::string Beside(const char* name) {
    Dl_info info{};
    static int self;
    if (!dladdr(&self, &info) || !info.dli_fname) return name;
    std::string path = info.dli_fname;
    size_t slash = path.rfind('/');
    return (slash == std::string::npos ? std::string(".") : path.substr(0, slash)) + "/" + name;
}

std::mutex g_logLock;

void Log(const char* format, ...) {
    char line[2048];
    va_list args;
    va_start(args, format);
    std::vsnprintf(line, sizeof line, format, args);
    va_end(args);
    std::lock_guard guard(g_logLock);
    if (FILE* f = std::fopen(Beside("ZDSVSIM.LOG").c_str(), "a")) {
        std::fprintf(f, "%s %s\n", SIM_LIBRARY_NAME, line);
        std::fclose(f);
    }
}

std::string HexOf(const void* data, size_t size) {
    std::string hex;
    char two[3];
    for (size_t i = 0; i < size; ++i) {
        std::snprintf(two, sizeof two, "%02x", static_cast<const uint8_t*>(data)[i]);
        hex += two;
    }
    return hex.empty() ? "-" : hex;
}

Device g_device;

void LoadDevice() {
    g_device = Device{};
    std::string text;
    if (FILE* f = std::fopen(Beside("ZDSVSIM.TXT").c_str(), "rb")) {
        char buffer[4096];
        size_t n;
        while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) text.append(buffer, n);
        std::fclose(f);
    }
    int bad = 0;
    if (!simdev::ParseDevice(text, g_device, bad)) Log("description-error line %d", bad);
}

// Reply memory -------------------------------------------------------------------------

// Every block of one reply; poisoned and freed after the callback.
class Arena {
public:
    ~Arena() {
        for (auto& [block, size] : blocks_) {
            std::memset(block, 0xDB, size);
            std::free(block);
        }
    }
    template <class T>
    T* Make(size_t count = 1) {
        size_t size = sizeof(T) * (count ? count : 1);
        void* block = std::calloc(1, size);
        blocks_.emplace_back(block, size);
        return static_cast<T*>(block);
    }
    const char* Text(const std::string& text) {
        char* copy = Make<char>(text.size() + 1);
        std::memcpy(copy, text.c_str(), text.size() + 1);
        return copy;
    }

private:
    std::vector<std::pair<void*, size_t>> blocks_;
};

ZdsvAttribute* BuildAttributes(Arena& arena, const std::vector<const Attribute*>& source) {
    auto* out = arena.Make<ZdsvAttribute>(source.size());
    for (size_t i = 0; i < source.size(); ++i) {
        const Attribute& a = *source[i];
        out[i].id = a.id;
        out[i].count = static_cast<uint32_t>(a.values.size());
        if (a.nullValues) continue;
        out[i].values = arena.Make<ZdsvValue>(a.values.size());
        for (size_t k = 0; k < a.values.size(); ++k) {
            const Value& v = a.values[k];
            ZdsvValue& z = out[i].values[k];
            z.type = v.type;
            if (v.type == kZdsvNumber) {
                z.value = v.number;
            } else if (v.nullPointer) {
                z.value = 0;
            } else if (v.type == kZdsvText) {
                z.value = reinterpret_cast<uintptr_t>(arena.Text(v.text));
                z.size = static_cast<uint32_t>(v.text.size() + 1);
            } else {
                auto* bytes = arena.Make<uint8_t>(v.bytes.size());
                std::memcpy(bytes, v.bytes.data(), v.bytes.size());
                z.value = reinterpret_cast<uintptr_t>(bytes);
                z.size = static_cast<uint32_t>(v.bytes.size());
            }
        }
    }
    return out;
}

std::vector<const Attribute*> Find(uint32_t object, const uint32_t* ids, uint32_t count) {
    std::vector<const Attribute*> found;
    for (uint32_t i = 0; i < count; ++i)
        for (const Attribute& a : g_device.attributes)
            if (a.object == object && a.id == ids[i]) {
                found.push_back(&a);
                break;
            }
    return found;
}

std::vector<const Attribute*> AllOf(uint32_t object) {
    std::vector<const Attribute*> found;
    for (const Attribute& a : g_device.attributes)
        if (a.object == object) found.push_back(&a);
    return found;
}

// Delivery -----------------------------------------------------------------------------

// What a request answers: the status, the number of records and the reply, built in the arena.
struct Answer {
    int32_t status = 0;
    uint32_t count = 0;
    const void* reply = nullptr;
};
using Builder = std::function<Answer(Arena&)>;

class Worker {
public:
    ~Worker() { Stop(); }
    void Post(std::function<void()> job) {
        std::lock_guard guard(lock_);
        if (!thread_.joinable()) {
            stopping_ = false;
            thread_ = std::thread([this] { Run(); });
        }
        jobs_.push_back(std::move(job));
        wake_.notify_one();
    }
    // Delivers what is queued, then ends the thread.
    void Stop() {
        {
            std::lock_guard guard(lock_);
            if (!thread_.joinable()) return;
            stopping_ = true;
            wake_.notify_one();
        }
        thread_.join();
    }

private:
    void Run() {
        std::unique_lock guard(lock_);
        for (;;) {
            wake_.wait(guard, [this] { return stopping_ || !jobs_.empty(); });
            if (jobs_.empty()) return;
            auto job = std::move(jobs_.front());
            jobs_.pop_front();
            guard.unlock();
            job();
            guard.lock();
        }
    }

    std::mutex lock_;
    std::condition_variable wake_;
    std::deque<std::function<void()>> jobs_;
    std::thread thread_;
    bool stopping_ = false;
};

Worker g_worker;

void Deliver(int slot, ZdsvCallback callback, void* context, const Builder& build) {
    Arena arena;
    Answer answer = build(arena);
    if (auto it = g_device.status.find(slot); it != g_device.status.end()) answer.status = it->second;
    if (g_device.nullReply.count(slot)) answer.reply = nullptr, answer.count = 0;
    uint32_t times = 1;
    if (auto it = g_device.extra.find(slot); it != g_device.extra.end()) times += it->second;
    for (uint32_t i = 0; i < times; ++i) {
        Log("callback %d status %d count %u", slot, answer.status, answer.count);
        callback(context, answer.count, 0, answer.status, answer.reply);
    }
}

// A request: refused, or answered inline or from the worker. Extra callbacks are always made
// before the request returns, so that the caller's context is still alive for each of them.
int32_t Request(int slot, ZdsvCallback callback, void* output8, void* context, Builder build) {
    if (output8) std::memset(output8, 0, 8);
    if (auto it = g_device.refuse.find(slot); it != g_device.refuse.end()) {
        Log("refuse %d %d", slot, it->second);
        return it->second;
    }
    if (!callback) return -1;
    if (g_device.worker && !g_device.extra.count(slot))
        g_worker.Post([slot, callback, context, build = std::move(build)] { Deliver(slot, callback, context, build); });
    else
        Deliver(slot, callback, context, build);
    return 0;
}

// Multi-part answers -------------------------------------------------------------------

// Part `key` of a list of values: the reply's key names the next part, status 4 while more follow.
Answer ValuePart(Arena& arena, const std::vector<uint32_t>& all, uint16_t key, uint16_t code) {
    size_t per = g_device.parts ? g_device.parts : (all.empty() ? 1 : all.size());
    size_t from = std::min(all.size(), size_t{key} * per);
    size_t n = std::min(per, all.size() - from);
    auto* reply = arena.Make<ZdsvValueReply>();
    auto* values = arena.Make<uint32_t>(n);
    if (n) std::memcpy(values, all.data() + from, n * 4);
    reply->key = static_cast<uint16_t>(key + 1);
    reply->code = code;
    reply->count = static_cast<uint16_t>(n);
    reply->values = values;
    Answer answer;
    answer.reply = reply;
    answer.status = from + n < all.size() ? kZdsvMoreToCome : 0;
    return answer;
}

// Information block --------------------------------------------------------------------

uint32_t InformationSize() {
    return static_cast<uint32_t>(sizeof(ZdsvDeviceInformation) + sizeof(ZdsvAddress) + g_device.host.size() + 1);
}

int32_t OpenInformation(const char* name, void** handle) {
    Log("open-info %s", name ? name : "(null)");
    if (!handle) return -1;
    *handle = std::calloc(1, 8);
    return 0;
}

uint32_t QueryInformation(void* handle, uint32_t infoClass, void* buffer, uint32_t size, uint32_t* needed) {
    Log("query-info %u %u", infoClass, size);
    if (!handle || infoClass != kZdsvInformationClass) return kZdsvRefused;
    if (g_device.infoCode) return g_device.infoCode;
    uint32_t want = InformationSize();
    if (!buffer || size < want) {
        if (needed) *needed = want;
        return kZdsvBufferTooSmall;
    }
    std::memset(buffer, 0, size);
    auto* info = static_cast<ZdsvDeviceInformation*>(buffer);
    auto* address = reinterpret_cast<ZdsvAddress*>(info + 1);
    char* host = reinterpret_cast<char*>(address + 1);
    info->size = want;
    info->port = g_device.port;
    if (g_device.hasAddress) {
        info->addressCount = 1;
        info->address = address;
        for (int i = 0; i < 4; ++i) {
            uint32_t part = g_device.address[i];
            std::memcpy(address->bytes + 4 * i, &part, 4);
        }
    }
    std::memcpy(host, g_device.host.c_str(), g_device.host.size() + 1);
    info->hostName = g_device.host.empty() ? nullptr : host;
    return 0;
}

int32_t CloseInformation(void* handle) {
    Log("close-info");
    std::free(handle);
    return 0;
}

// Both tables ---------------------------------------------------------------------------

int32_t Start() {
    LoadDevice();
    // A refused start is logged apart: it has no stop to pair with.
    Log(g_device.startCode ? "refused-start %d" : "start %d", g_device.startCode);
    return g_device.startCode;
}

int32_t Stop() {
    Log("stop");
    g_worker.Stop();
    return 0;
}

int32_t Connect(const char* host, const ZdsvAddress* address, void*, void*, uint32_t port, void** connection) {
    // A refused connection is logged apart, so that the log pairs each connection with its end.
    bool refused = g_device.connectCode != 0 || !connection;
    Log("%s %s %u %s", refused ? "refused-connect" : "connect", host ? host : "-", port,
        address ? HexOf(address, sizeof *address).c_str() : "-");
    if (refused) return g_device.connectCode ? g_device.connectCode : -1;
    *connection = std::calloc(1, 8);
    return 0;
}

int32_t Disconnect(void* connection) {
    Log("disconnect");
    std::free(connection);
    return 0;
}

// Version 768 ----------------------------------------------------------------------------

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

template <class F>
ZdsvProc Proc(F f) {
    return reinterpret_cast<ZdsvProc>(f);
}

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

// Version 784 ----------------------------------------------------------------------------

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

ZdsvInterface g_table768 = MakeTable768();
ZdsvInterface g_table784 = MakeTable784();

ZdsvInterface* TableFor(const char* exportName, uint32_t version) {
    LoadDevice();
    Log("%s %u", exportName, version);
    if (version == kZdsvVersionClient) return &g_table768;
    if (version == kZdsvVersionDirect) return &g_table784;
    return nullptr;
}

}  // namespace

// The entry point has the loader's exact type, HINSTANCE included, as the sanitizers check calls
// through function pointers.
struct HINSTANCE__;
EXPORT int DllMain(HINSTANCE__*, unsigned reason, void*) {
    if (reason == 1) Log("attach");
    if (reason == 0) {
        g_worker.Stop();
        Log("detach");
    }
    return 1;
}

#ifndef SIM_WITHOUT_ZDSV
EXPORT ZdsvInterface* ZDSV_GetInterface(uint32_t version) { return TableFor("ZDSV_GetInterface", version); }
#endif

#ifndef SIM_WITHOUT_SS
EXPORT ZdsvInterface* SS_GetInterface(uint32_t version) {
    return version == kZdsvVersionDirect ? TableFor("SS_GetInterface", version) : nullptr;
}
#endif
