// The handle table: a set of live objects behind one lock, so that a stale or forged handle is
// refused instead of being followed.
#include "platform/gdi/object.h"

#include <mutex>
#include <unordered_set>

namespace gdi {
namespace {

struct Table {
    std::mutex lock;
    std::unordered_set<const Object*> live;
    std::size_t stock = 0;
};

Table& table() {
    static Table* t = new Table;  // outlives every static object that may still delete handles
    return *t;
}

}  // namespace

void* Register(std::unique_ptr<Object> object) {
    Table& t = table();
    std::lock_guard<std::mutex> guard(t.lock);
    try {
        t.live.insert(object.get());
    } catch (...) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    if (object->stock) ++t.stock;
    return object.release();
}

Object* LookupAny(const void* handle) {
    if (!handle) return nullptr;
    Table& t = table();
    std::lock_guard<std::mutex> guard(t.lock);
    auto it = t.live.find(static_cast<const Object*>(handle));
    return it == t.live.end() ? nullptr : const_cast<Object*>(*it);
}

Object* Lookup(const void* handle, Kind kind) {
    Object* o = LookupAny(handle);
    return o && o->kind == kind ? o : nullptr;
}

void Destroy(Object* object) {
    if (!object || object->stock) return;
    {
        Table& t = table();
        std::lock_guard<std::mutex> guard(t.lock);
        if (!t.live.erase(object)) return;
    }
    delete object;
}

void Selected(Object* object) {
    if (object) ++object->selections;
}

void Deselected(Object* object) {
    if (!object) return;
    if (--object->selections <= 0) {
        object->selections = 0;
        if (object->deletePending) Destroy(object);
    }
}

std::size_t LiveCount() {
    Table& t = table();
    std::lock_guard<std::mutex> guard(t.lock);
    return t.live.size() - t.stock;
}

}  // namespace gdi
