// The engine's side of the host contract: 120 slots of host functions in three blocks, the typed
// signature of every slot, and the calls that choose a block for an item and call its slot. The
// engine knows nothing of setting items; everything it reads or changes in them goes through here.
#pragma once

#include "pie/api/engine.h"
#include "pie/host/host_records.h"

#include <cstdint>

// The 38 item operations, in their slot order within blocks 2 and 3. X(name, argument types
// after the host word and the item).
#define PIE_HOST_ITEM_OPS(X)                                                                       \
    X(GetType, int32_t*)                                                                           \
    X(GetValueName, const char**) X(GetSourceValueName, const char**)                             \
    X(GetReferenceValueName, const char**) X(SetValueName, const char*)                           \
    X(GetNumber, int32_t*) X(GetSourceNumber, int32_t*) X(GetReferenceNumber, int32_t*)            \
    X(SetNumber, int32_t) X(GetOptionTable, int32_t*, const CmSvOptionRecord**)                    \
    X(GetNumericRange, int32_t*, int32_t*) X(GetStringLength, int32_t*)                            \
    X(Enable) X(Disable) X(Show) X(Hide) X(SetMark) X(ClearMark)                                   \
    X(HideOption, const char*) X(ShowOption, const char*) X(DisableOption, const char*)            \
    X(EnableOption, const char*) X(CountOptions, const char*, const char*, int32_t*)               \
    X(IsOptionShown, const char*, int32_t*) X(IsOptionEnabled, const char*, int32_t*)              \
    X(FirstUsableOption, const char**) X(HasControl, int32_t*)                                     \
    X(DoAction, int32_t, const char* const*) X(DoActionEx, int32_t, const char* const*, PieValue*) \
    X(GetProperty, const char*, const char*, int32_t*)                                             \
    X(PropertyCall0, const char*, const char*, PieValue*)                                          \
    X(PropertyCall1, const char*, const char*, const PieValueLen*)                                 \
    X(VListCall2, int32_t*) X(VListSet, const char*, int32_t*)                                     \
    X(VListMatch, int32_t, const char*, const char**) X(VListMatch1, const char*, const char**)    \
    X(IsChanged) X(MakeUnavailable, int32_t)

enum PieHostOp : int {
#define PIE_OP_ENUM(name, ...) PIE_OP_##name,
    PIE_HOST_ITEM_OPS(PIE_OP_ENUM)
#undef PIE_OP_ENUM
    kPieHostItemOps
};
static_assert(kPieHostItemOps == 38);

// Block 1 addresses an item by its setting key, blocks 2 and 3 by an id.
enum PieHostBlock : int { PIE_BLOCK_KEY = 1, PIE_BLOCK_ID = 2, PIE_BLOCK_ID3 = 3 };

constexpr int kPieBlock1Slots = 44;
constexpr int kPieBlock2First = 44;
constexpr int kPieBlock3First = 82;

// The six block-1 slots that address no item.
enum PieHostExtraSlot : int {
    PIE_SLOT_SHOW_MESSAGE = 18,
    PIE_SLOT_OUTPUT = 19,
    PIE_SLOT_TRUE = 24,
    PIE_SLOT_IS_MODE_SET = 25,
    PIE_SLOT_REFUSE = 40,
    PIE_SLOT_REGISTRY_KEY_EXISTS = 41,
};

// The signature of an item operation in a block whose item address is Item.
template <PieHostOp op, class Item>
struct PieHostFnOf;
#define PIE_OP_SIGNATURE(name, ...)                                   \
    template <class Item>                                             \
    struct PieHostFnOf<PIE_OP_##name, Item> {                         \
        using type = int (*)(void* host, Item item __VA_OPT__(, ) __VA_ARGS__); \
    };
PIE_HOST_ITEM_OPS(PIE_OP_SIGNATURE)
#undef PIE_OP_SIGNATURE

template <PieHostOp op>
using PieKeyFn = typename PieHostFnOf<op, const char*>::type;
template <PieHostOp op>
using PieIdFn = typename PieHostFnOf<op, int32_t>::type;

// Signatures of the block-1 extras. Every slot receives the host word, these too.
using PieShowMessageFn = int (*)(void* host, int32_t message);
using PieOutputFn = int (*)(void* host, const char* text);
using PieTrueFn = int (*)(void* host);
using PieIsModeSetFn = int (*)(void* host);
using PieRefuseFn = int (*)(void* host, const char* window);
using PieRegistryKeyExistsFn = int (*)(void* host, const char* root, const char* path);

// The slot of an operation in a block.
constexpr int pie_host_slot(PieHostBlock block, PieHostOp op) {
    if (block == PIE_BLOCK_ID) return kPieBlock2First + op;
    if (block == PIE_BLOCK_ID3) return kPieBlock3First + op;
    if (op <= PIE_OP_ClearMark) return op;
    if (op <= PIE_OP_EnableOption) return op + 2;  // after ShowMessage and Output
    if (op <= PIE_OP_VListMatch1) return op + 4;   // after True and IsModeSet
    return op + 6;                                 // after Refuse and RegistryKeyExists
}

// What a call of an empty slot answers: 0 for the slots whose absence means "nothing to object",
// -1 (no such item) for the rest.
constexpr int pie_host_empty_result(int slot) {
    switch (slot) {
    case PIE_SLOT_TRUE: case PIE_SLOT_IS_MODE_SET: case PIE_SLOT_REFUSE: case PIE_SLOT_REGISTRY_KEY_EXISTS:
    case 42: case 43: case 80: case 81: case 118: case 119:
        return 0;
    default:
        return -1;
    }
}

// Registration: copies count functions into a block (44 for block 1, 38 for blocks 2 and 3). A
// null entry leaves its slot empty. Slot entries are untyped here; each is called only through
// the signature of its slot.
void pie_set_host_block(PieEngine* engine, PieHostBlock block, const PlHostSlot* functions, int count);

// Fills one slot with a typed function.
template <PieHostOp op>
void pie_set_key_slot(PieEngine* engine, PieKeyFn<op> fn) {
    engine->host_slots[pie_host_slot(PIE_BLOCK_KEY, op)] = reinterpret_cast<PlHostSlot>(fn);
}
template <PieHostOp op>
void pie_set_id_slot(PieEngine* engine, PieHostBlock block, PieIdFn<op> fn) {
    engine->host_slots[pie_host_slot(block, op)] = reinterpret_cast<PlHostSlot>(fn);
}

// The block that addresses an item: block 3 when its third id is set, else block 2 when its host
// item id is set, else block 1 by its name. Inline: every host call of an item chooses.
inline PieHostBlock pie_item_block(const PlFunctor* item) {
    if (item->host_item3) return PIE_BLOCK_ID3;
    if (item->host_item) return PIE_BLOCK_ID;
    return PIE_BLOCK_KEY;
}

// The name by which block 1 addresses the item.
const char* pie_item_key(const PlFunctor* item);

// Calls operation op for the item in the block chosen for it; an empty slot gives its empty result.
template <PieHostOp op, class... Args>
int pie_item_call(PieEngine* engine, const PlFunctor* item, Args... args) {
    const PieHostBlock block = pie_item_block(item);
    const int slot = pie_host_slot(block, op);
    PlHostSlot fn = engine->host_slots[slot];
    if (!fn) return pie_host_empty_result(slot);
    if (block == PIE_BLOCK_KEY) return reinterpret_cast<PieKeyFn<op>>(fn)(engine->host, pie_item_key(item), args...);
    const int32_t id = block == PIE_BLOCK_ID3 ? item->host_item3 : item->host_item;
    return reinterpret_cast<PieIdFn<op>>(fn)(engine->host, id, args...);
}

// Calls one of the block-1 extras with its own signature.
template <class Fn, class... Args>
int pie_extra_call(PieEngine* engine, int slot, Args... args) {
    PlHostSlot fn = engine->host_slots[slot];
    if (!fn) return pie_host_empty_result(slot);
    return reinterpret_cast<Fn>(fn)(engine->host, args...);
}

// The item's value type (1 to 4, 6 unknown): from its value-type bits, else asked from the host
// and kept in the bits.
int pie_item_value_type(PieEngine* engine, PlFunctor* item);

// Make-unavailable for the item, passing its unsupported flag as 0 or 1.
int pie_make_unavailable(PieEngine* engine, PlFunctor* item);
