// What the parts of the simulated device-information library share: the device it answers
// as, the call log, reply memory that is poisoned and freed after its callback, the delivery of
// callbacks inline or from the library's thread, and the slots common to both tables.
#pragma once

#include "device/devinfo_interface.h"
#include "simulated_device.h"

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace simdev {

// The device described in "ZDSVSIM.TXT" beside the library, read again on every start.
extern Device g_device;
void LoadDevice();

// One line of "ZDSVSIM.LOG" beside the library, after the library's own name.
void Log(const char* format, ...) __attribute__((format(printf, 1, 2)));
std::string HexOf(const void* data, size_t size);

// Every block of one reply; poisoned and freed after the callback.
class Arena {
public:
    Arena() = default;
    ~Arena();
    Arena(const Arena&) = delete;
    Arena& operator=(const Arena&) = delete;
    template <class T>
    T* Make(size_t count = 1) {
        return static_cast<T*>(Block(sizeof(T) * (count ? count : 1)));
    }
    const char* Text(const std::string& text);

private:
    void* Block(size_t size);
    std::vector<std::pair<void*, size_t>> blocks_;
};

// Attribute records as the library hands them out, and the device's attributes by object.
ZdsvAttribute* BuildAttributes(Arena& arena, const std::vector<const Attribute*>& source);
std::vector<const Attribute*> Find(uint32_t object, const uint32_t* ids, uint32_t count);
std::vector<const Attribute*> AllOf(uint32_t object);

// What a request answers: the status, the number of records and the reply, built in the arena.
struct Answer {
    int32_t status = 0;
    uint32_t count = 0;
    const void* reply = nullptr;
};
using Builder = std::function<Answer(Arena&)>;

// A request: refused, or answered inline or from the library's thread, as the device says.
int32_t Request(int slot, ZdsvCallback callback, void* output8, void* context, Builder build);
// Delivers what the library's thread has queued and ends it.
void StopWorker();

// Part `key` of a list of values: the reply's key names the next part, status 4 while more follow.
Answer ValuePart(Arena& arena, const std::vector<uint32_t>& all, uint16_t key, uint16_t code);

// Slots both tables have.
int32_t Start();
int32_t Stop();
int32_t OpenInformation(const char* name, void** handle);
uint32_t QueryInformation(void* handle, uint32_t infoClass, void* buffer, uint32_t size, uint32_t* needed);
int32_t CloseInformation(void* handle);
int32_t Connect(const char* host, const ZdsvAddress* address, void*, void*, uint32_t port, void** connection);
int32_t Disconnect(void* connection);

template <class F>
ZdsvProc Proc(F f) {
    return reinterpret_cast<ZdsvProc>(f);
}

ZdsvInterface MakeTable768();
ZdsvInterface MakeTable784();

}  // namespace simdev
