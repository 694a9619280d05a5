// Value lists: the block is sized from the replies' own counts before anything is copied, so
// the list holds exactly what the replies announced and no more.
#include "device/value_lists.h"

#include "core/memory/private_heap.h"

#include <cstring>

int DevInfoClient_ConcatValues(DevInfoClient*, DevInfoValueList* target, uint32_t count, void* const* replies) {
    if (!target || !replies) return 0;
    uint64_t total = 0;
    uint32_t used = 0;
    for (; used < count && replies[used]; ++used) total += static_cast<const ZdsvValueReply*>(replies[used])->count;
    if (total > UINT32_MAX / sizeof(uint32_t)) return 0;
    auto* values = static_cast<uint32_t*>(PrivateAlloc(total ? total * sizeof(uint32_t) : 1));
    if (!values) return 0;
    uint32_t n = 0;
    for (uint32_t i = 0; i < used; ++i) {
        auto* reply = static_cast<const ZdsvValueReply*>(replies[i]);
        if (!reply->values) continue;
        std::memcpy(values + n, reply->values, sizeof(uint32_t) * reply->count);
        n += reply->count;
    }
    DevInfoValueList_Free(target);
    target->count = n;
    target->values = values;
    return 1;
}

void DevInfoValueList_Free(DevInfoValueList* list) {
    if (!list) return;
    PrivateFree(list->values);
    *list = {};
}

int DevInfoClient_CopyTriple(DevInfoClient*, uint32_t* target, const void* reply) {
    if (!target || !reply) return 0;
    // The reply has two words; the third place is cleared, not read past the reply's end.
    auto* pair = static_cast<const ZdsvPairReply*>(reply);
    target[0] = pair->first;
    target[1] = pair->second;
    target[2] = 0;
    return 1;
}
