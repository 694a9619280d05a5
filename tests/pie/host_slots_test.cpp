// The host slots: empty slots answer their empty result, every slot receives the host word, an
// item is addressed by its third id, its host id or its name, and a learnt value type is kept.
#include "engine_fixture.h"
#include "term_builder.h"

#include "pie/host/host_slots.h"

#include <string>

namespace {

struct Calls {
    std::string last;
    void* host = nullptr;
};
Calls calls;

int type_by_key(void* host, const char* key, int32_t* type) {
    calls = {std::string("key ") + key, host};
    *type = 3;
    return 0;
}
int type_by_id(void* host, int32_t id, int32_t* type) {
    calls = {"id " + std::to_string(id), host};
    *type = 2;
    return 0;
}
int type_by_id3(void* host, int32_t id, int32_t* type) {
    calls = {"id3 " + std::to_string(id), host};
    *type = 4;
    return 0;
}
int answer_true(void* host) {
    calls = {"true", host};
    return 1;
}

using HostSlots = EngineTest;

TEST_F(HostSlots, SlotNumbersOfTheThreeBlocks) {
    struct Row {
        PieHostOp op;
        int key, id, id3;
    } rows[] = {{PIE_OP_GetType, 0, 44, 82},        {PIE_OP_ClearMark, 17, 61, 99},
                {PIE_OP_HideOption, 20, 62, 100},   {PIE_OP_EnableOption, 23, 65, 103},
                {PIE_OP_CountOptions, 26, 66, 104}, {PIE_OP_VListMatch1, 39, 79, 117},
                {PIE_OP_IsChanged, 42, 80, 118},    {PIE_OP_MakeUnavailable, 43, 81, 119}};
    for (const Row& row : rows) {
        EXPECT_EQ(pie_host_slot(PIE_BLOCK_KEY, row.op), row.key);
        EXPECT_EQ(pie_host_slot(PIE_BLOCK_ID, row.op), row.id);
        EXPECT_EQ(pie_host_slot(PIE_BLOCK_ID3, row.op), row.id3);
    }
    for (int slot = 0; slot < kPlHostSlots; ++slot) {
        const bool zero = slot == 24 || slot == 25 || slot == 40 || slot == 41 || slot == 42 || slot == 43 ||
                          slot == 80 || slot == 81 || slot == 118 || slot == 119;
        EXPECT_EQ(pie_host_empty_result(slot), zero ? 0 : -1) << slot;
    }
}

TEST_F(HostSlots, BlockChoiceAndHostWord) {
    int host_word = 0;
    e->host = &host_word;
    TermBuilder t{e};
    PlFunctor* item = pl_lookup_functor(e, t.name("Layout$PageSize"), 1, nullptr);
    int32_t type = 0;
    EXPECT_EQ(pie_item_call<PIE_OP_GetType>(e, item, &type), -1);  // nothing registered

    pie_set_key_slot<PIE_OP_GetType>(e, type_by_key);
    pie_set_id_slot<PIE_OP_GetType>(e, PIE_BLOCK_ID, type_by_id);
    pie_set_id_slot<PIE_OP_GetType>(e, PIE_BLOCK_ID3, type_by_id3);
    EXPECT_EQ(pie_item_call<PIE_OP_GetType>(e, item, &type), 0);
    EXPECT_EQ(calls.last, "key Layout$PageSize");
    EXPECT_EQ(calls.host, &host_word);
    item->host_item = 12;
    pie_item_call<PIE_OP_GetType>(e, item, &type);
    EXPECT_EQ(calls.last, "id 12");
    item->host_item3 = 40;
    pie_item_call<PIE_OP_GetType>(e, item, &type);
    EXPECT_EQ(calls.last, "id3 40");
    EXPECT_EQ(type, 4);

    // The extras: slot 24 gets the host word too; empty it answers 0.
    EXPECT_EQ(pie_extra_call<PieTrueFn>(e, PIE_SLOT_TRUE), 0);
    e->host_slots[PIE_SLOT_TRUE] = reinterpret_cast<PlHostSlot>(answer_true);
    EXPECT_EQ(pie_extra_call<PieTrueFn>(e, PIE_SLOT_TRUE), 1);
    EXPECT_EQ(calls.host, &host_word);

    // A whole block is replaced at once; entries past its size are ignored.
    PlHostSlot none[50] = {};
    pie_set_host_block(e, PIE_BLOCK_ID3, none, 50);
    EXPECT_EQ(e->host_slots[82], nullptr);
    EXPECT_NE(e->host_slots[44], nullptr);
}

TEST_F(HostSlots, ValueTypeIsAskedOnceAndKept) {
    TermBuilder t{e};
    PlFunctor* item = pl_lookup_functor(e, t.name("Copies"), 1, nullptr);
    item->host_item = 3;
    EXPECT_EQ(pie_item_value_type(e, item), 6);  // no host answer: unknown, not kept
    pie_set_id_slot<PIE_OP_GetType>(e, PIE_BLOCK_ID, type_by_id);
    calls = {};
    EXPECT_EQ(pie_item_value_type(e, item), 2);
    EXPECT_EQ(calls.last, "id 3");
    calls = {};
    EXPECT_EQ(pie_item_value_type(e, item), 2);
    EXPECT_EQ(calls.last, "");
}

}  // namespace
