// Deep copies of replies. Each copy allocates the record and then each level below it; when any
// allocation fails, what was made so far is freed again and the copy answers null, so that a
// half-made copy never reaches the caller.
#include "device/reply_copies.h"

#include "core/memory/private_heap.h"

#include <cstring>

namespace {

template <class T>
T* Allocate(size_t count = 1) {
    return static_cast<T*>(PrivateAlloc(sizeof(T) * count));
}

void* Duplicate(const void* source, size_t bytes) {
    void* copy = PrivateAlloc(bytes ? bytes : 1);
    if (copy && bytes) std::memcpy(copy, source, bytes);
    return copy;
}

void FreeValues(ZdsvValue* values, uint32_t count) {
    if (!values) return;
    for (uint32_t i = 0; i < count; ++i)
        if (values[i].type == kZdsvText || values[i].type == kZdsvStructured)
            PrivateFree(reinterpret_cast<void*>(values[i].value));
    PrivateFree(values);
}

// Values with the texts and structured bytes they point to.
ZdsvValue* CopyValues(const ZdsvValue* source, uint32_t count) {
    auto* values = Allocate<ZdsvValue>(count ? count : 1);
    if (!values) return nullptr;
    for (uint32_t i = 0; i < count; ++i) {
        values[i] = source[i];
        if (!source[i].value || (source[i].type != kZdsvText && source[i].type != kZdsvStructured)) continue;
        auto* from = reinterpret_cast<const char*>(source[i].value);
        size_t bytes = source[i].type == kZdsvText ? std::strlen(from) + 1 : source[i].size;
        void* copy = Duplicate(from, bytes);
        values[i].value = reinterpret_cast<uintptr_t>(copy);
        if (!copy) {
            FreeValues(values, i);
            return nullptr;
        }
    }
    return values;
}

void FreeAttributes(const ZdsvAttribute* attributes, uint32_t count) {
    if (!attributes) return;
    for (uint32_t i = 0; i < count; ++i) FreeValues(attributes[i].values, attributes[i].count);
    PrivateFree(const_cast<ZdsvAttribute*>(attributes));
}

ZdsvAttribute* CopyAttributes(const ZdsvAttribute* source, uint32_t count) {
    auto* attributes = Allocate<ZdsvAttribute>(count ? count : 1);
    if (!attributes) return nullptr;
    for (uint32_t i = 0; i < count; ++i) {
        attributes[i] = source[i];
        attributes[i].values = nullptr;
        if (!source[i].values) continue;
        attributes[i].values = CopyValues(source[i].values, source[i].count);
        if (!attributes[i].values) {
            FreeAttributes(attributes, i);
            return nullptr;
        }
    }
    return attributes;
}

void FreeGroups(const ZdsvAttributeGroup* groups, uint32_t count) {
    if (!groups) return;
    for (uint32_t i = 0; i < count; ++i) FreeAttributes(groups[i].attributes, groups[i].count);
    PrivateFree(const_cast<ZdsvAttributeGroup*>(groups));
}

}  // namespace

void* DevInfoClient_CopyGroupReply(DevInfoClient*, const void* reply) {
    if (!reply) return nullptr;
    auto* from = static_cast<const ZdsvGroupReply*>(reply);
    auto* copy = Allocate<ZdsvGroupReply>();
    if (!copy) return nullptr;
    *copy = *from;
    copy->groups = nullptr;
    if (!from->groups) return copy;
    auto* groups = Allocate<ZdsvAttributeGroup>(from->count ? from->count : 1);
    if (!groups) {
        PrivateFree(copy);
        return nullptr;
    }
    for (uint32_t i = 0; i < from->count; ++i) {
        groups[i] = from->groups[i];
        groups[i].attributes = nullptr;
        if (!from->groups[i].attributes) continue;
        groups[i].attributes = CopyAttributes(from->groups[i].attributes, from->groups[i].count);
        if (!groups[i].attributes) {
            FreeGroups(groups, i);
            PrivateFree(copy);
            return nullptr;
        }
    }
    copy->groups = groups;
    return copy;
}

void DevInfoClient_FreeGroupReply(DevInfoClient*, void* reply) {
    if (!reply) return;
    auto* r = static_cast<ZdsvGroupReply*>(reply);
    FreeGroups(r->groups, r->count);
    r->groups = nullptr;
}

void* DevInfoClient_CopyCommandReply(DevInfoClient*, const void* reply) {
    if (!reply) return nullptr;
    auto* from = static_cast<const ZdsvCommand*>(reply);
    auto* copy = Allocate<ZdsvCommand>();
    if (!copy) return nullptr;
    *copy = *from;
    copy->data = nullptr;
    if (from->data && from->dataSize) {
        copy->data = static_cast<const uint8_t*>(Duplicate(from->data, from->dataSize));
        if (!copy->data) {
            PrivateFree(copy);
            return nullptr;
        }
    } else {
        copy->dataSize = 0;
    }
    return copy;
}

void DevInfoClient_FreeCommandReply(DevInfoClient*, void* reply) {
    if (!reply) return;
    auto* r = static_cast<ZdsvCommand*>(reply);
    PrivateFree(const_cast<uint8_t*>(r->data));
    r->data = nullptr;
}

void* DevInfoClient_CopyValueReply(DevInfoClient*, const void* reply) {
    if (!reply) return nullptr;
    auto* from = static_cast<const ZdsvValueReply*>(reply);
    auto* copy = Allocate<ZdsvValueReply>();
    if (!copy) return nullptr;
    *copy = *from;
    copy->values = nullptr;
    if (from->values && from->count) {
        copy->values = static_cast<const uint32_t*>(Duplicate(from->values, sizeof(uint32_t) * from->count));
        if (!copy->values) {
            PrivateFree(copy);
            return nullptr;
        }
    } else {
        copy->count = 0;
    }
    return copy;
}

void DevInfoClient_FreeValueReply(DevInfoClient*, void* reply) {
    if (!reply) return;
    auto* r = static_cast<ZdsvValueReply*>(reply);
    PrivateFree(const_cast<uint32_t*>(r->values));
    r->values = nullptr;
}

void* DevInfoClient_CopyPairReply(DevInfoClient*, const void* reply) {
    return reply ? Duplicate(reply, sizeof(ZdsvPairReply)) : nullptr;
}

void DevInfoClient_FreePairReply(DevInfoClient*, void*) {}

void DevInfoClient_FreeReplies(DevInfoClient* client, DevInfoFreeReply freeReply, void** replies, uint32_t count) {
    if (!replies) return;
    for (uint32_t i = 0; i < count; ++i) {
        if (!replies[i]) continue;
        freeReply(client, replies[i]);
        PrivateFree(replies[i]);
    }
    PrivateFree(replies);
}
