// The simulated library's runtime: the files beside it, reply memory, and callback delivery.
// Extra callbacks (a fault the device can be told to make) are always made before the request
// returns, so that the caller's context is still alive for each of them.
#include "sim_runtime.h"

#include "testing/device/standins/standin_files.h"

#include <algorithm>
#include <condition_variable>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <mutex>
#include <thread>

#ifndef SIM_LIBRARY_NAME
#define SIM_LIBRARY_NAME "Zdsvc2"
#endif

namespace simdev {

// Files beside the library --------------------------------------------------------------

namespace {

using standin::Beside;

std::mutex g_logLock;

}  // namespace

void Log(const char* format, ...) {
    char line[2048];
    va_list args;
    va_start(args, format);
    std::vsnprintf(line, sizeof line, format, args);
    va_end(args);
    std::lock_guard guard(g_logLock);
    standin::Log("ZDSVSIM.LOG", std::string(SIM_LIBRARY_NAME) + " " + line);
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

Arena::~Arena() {
    for (auto& [block, size] : blocks_) {
        std::memset(block, 0xDB, size);
        std::free(block);
    }
}

void* Arena::Block(size_t size) {
    void* block = std::calloc(1, size);
    blocks_.emplace_back(block, size);
    return block;
}

const char* Arena::Text(const std::string& text) {
    char* copy = Make<char>(text.size() + 1);
    std::memcpy(copy, text.c_str(), text.size() + 1);
    return copy;
}

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

namespace {

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

}  // namespace

void StopWorker() { g_worker.Stop(); }

namespace {

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

}  // namespace

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

}  // namespace simdev
