// The client's constant table of operations, one designated initialiser in slot order, and the
// client's creation.
#include "device/devinfo_client.h"

#include "core/memory/private_heap.h"
#include "device/attribute_requests.h"
#include "device/client_requests.h"
#include "device/command_replies.h"
#include "device/device_operations.h"
#include "device/device_query_record.h"
#include "device/devinfo_information.h"
#include "device/devinfo_library.h"
#include "device/list_record.h"
#include "device/reply_copies.h"
#include "device/table_replies.h"
#include "device/value_lists.h"

namespace {

void Nop(DevInfoClient*) {}
int True(DevInfoClient*) { return 1; }

}  // namespace

const DevInfoClientOps DevInfoClientTable = {
    .Nop = Nop,
    .True = True,
    .GetHandler = DevInfoClient_GetHandler,
    .RequestListA = DevInfoClient_RequestListA,
    .RequestListB = DevInfoClient_RequestListB,
    .RequestListC = DevInfoClient_RequestListC,
    .RequestSync = DevInfoClient_RequestSync,
    .SendCommands = DevInfoClient_SendCommands,
    .RequestTable = DevInfoClient_RequestTable,
    .RequestOne = DevInfoClient_RequestOne,
    .RequestMany = DevInfoClient_RequestMany,
    .RequestPaged = DevInfoClient_RequestPaged,
    .RequestPair = DevInfoClient_RequestPair,
    .FillAttributeTable = DevInfoClient_FillAttributeTable,
    .DecodeCommandReplies = DevInfoClient_DecodeCommandReplies,
    .ConcatValuesA = DevInfoClient_ConcatValues,
    .ConcatValuesB = DevInfoClient_ConcatValues,
    .DecodeTableReplies = DevInfoClient_DecodeTableReplies,
    .CopyTriple = DevInfoClient_CopyTriple,
    .FillAttributeTableB = DevInfoClient_FillAttributeTable,
    .ConcatValuesC = DevInfoClient_ConcatValues,
    .DecodeByReplyCode = DevInfoClient_DecodeByReplyCode,
    .FreeEntriesReply = DevInfoClient_FreeGroupReply,
    .CopyEntriesReply = DevInfoClient_CopyGroupReply,
    .FreeCommandReply = DevInfoClient_FreeCommandReply,
    .CopyCommandReply = DevInfoClient_CopyCommandReply,
    .FreeTableReply = DevInfoClient_FreeValueReply,
    .CopyTableReply = DevInfoClient_CopyValueReply,
    .FreeValuesReply = DevInfoClient_FreeValueReply,
    .CopyValuesReply = DevInfoClient_CopyValueReply,
    .FreePagedReply = DevInfoClient_FreeGroupReply,
    .CopyPagedReply = DevInfoClient_CopyGroupReply,
    .FreePairReply = DevInfoClient_FreePairReply,
    .CopyPairReply = DevInfoClient_CopyPairReply,
    .FreeListAReply = DevInfoClient_FreeGroupReply,
    .CopyListAReply = DevInfoClient_CopyGroupReply,
    .FreeListBReply = DevInfoClient_FreeValueReply,
    .CopyListBReply = DevInfoClient_CopyValueReply,
    .FreeListCReply = DevInfoClient_FreeGroupReply,
    .CopyListCReply = DevInfoClient_CopyGroupReply,
    .FreeLibrary = DevInfoClient_FreeLibrary,
    .LoadLibraryByName = DevInfoClient_LoadLibraryByName,
    .LoadLibrary = DevInfoClient_LoadLibrary,
    .LoadLibraryFromFolder = DevInfoClient_LoadLibraryFromFolder,
    .GetEntry = DevInfoClient_GetEntry,
    .QueryInfo = DevInfoClient_QueryInfo,
    .IsThisComputer = DevInfoClient_IsThisComputer,
    .FreeQueryRecord = DevInfoClient_FreeQueryRecord,
    .FreeListRecord = DevInfoClient_FreeListRecord,
    .GetAttrTextB = DevInfoClient_GetAttrTextB,
    .GetAttrValueB = DevInfoClient_GetAttrValueB,
    .GetAttr1056 = DevInfoClient_GetAttr1056,
    .GetAttr209 = DevInfoClient_GetAttr209,
    .GetAttr1016 = DevInfoClient_GetAttr1016,
    .GetAttr2296 = DevInfoClient_GetAttr2296,
};

int DevInfoClient_Create(DevInfoClient** out) {
    if (!out) return 0;
    *out = static_cast<DevInfoClient*>(PrivateAlloc(sizeof(DevInfoClient)));
    if (!*out) return 0;
    (*out)->entries = DevInfoClientTable;
    return 1;
}

void DevInfoClient_Destroy(DevInfoClient* client) {
    if (!client) return;
    DevInfoClient_FreeLibrary(client);
    PrivateFree(client);
}
