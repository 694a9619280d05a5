// The client's request operations over the version-768 table. Single requests wait once;
// lists send one request per entry; multi-part requests continue while a callback reports
// "more to come" (status 4), carrying the last reply's key and the total so far in the next
// request.
#include "device/client_requests.h"

#include "core/memory/private_heap.h"
#include "device/command_builders.h"
#include "device/reply_copies.h"
#include "device/sync_request.h"

#include <algorithm>
#include <cstring>

namespace {

ZdsvRequestProc Slot(ZdsvInterface* iface, int slot) { return ZdsvSlot<ZdsvRequestProc>(iface, slot); }

// A null argument answers failure: {-1, 0, 1}, never the success it would look like.
DevInfoReplies BadArgument(DevInfoStatus* result, uint32_t* replyCount) {
    if (result) *result = {kDevInfoBadArgument, 0, 1};
    if (replyCount) *replyCount = 0;
    return nullptr;
}

ZdsvRequest Header() {
    ZdsvRequest r{};
    r.tag = kZdsvRequestTag;
    r.phase = kZdsvPhaseFirst;
    return r;
}

// The caller's parameters as the first part of an exchange: no key yet, the request's tag.
ZdsvRequest FirstPart(const ZdsvRequest& parameters) {
    ZdsvRequest request = parameters;
    request.key = 0;
    request.tag = kZdsvRequestTag;
    request.phase = kZdsvPhaseFirst;
    return request;
}

// Where a continuation carries the total received so far.
enum class TotalAt { Word18, Word28 };

// The multi-part loop: sends the first request, then continuations while the callback says 4.
// `countRecords` hands back the total the replies announce instead of the replies stored.
DevInfoReplies MultiPart(DevInfoClient* client, ZdsvRequestProc proc, void* connection, ZdsvRequest request,
                         DevInfoCopyReply copy, DevInfoFreeReply freeReply, TotalAt totalAt, bool countRecords,
                         uint32_t* replyCount, DevInfoStatus* result) {
    SyncRequest exchange(client, result, copy, freeReply, kMultiPartCapacity);
    if (!exchange.Begin()) return exchange.Finish(replyCount);
    uint32_t total = 0;
    uint32_t counted = 0;  // replies whose record counts are in total
    while (exchange.Send(proc, connection, &request)) {
        SyncContext& c = exchange.Context();
        for (; countRecords && counted < c.count; ++counted)
            total += static_cast<const ZdsvValueReply*>(c.replies[counted])->count;
        if (exchange.LastStatus() != kZdsvMoreToCome) {
            exchange.Succeed();
            break;
        }
        if (c.count >= c.capacity) {
            // More announced than the context can hold: the exchange ends rather than drop replies.
            exchange.Fail(kDevInfoNoMemory, 0);
            break;
        }
        // The continuation keeps the operation's parameters.
        exchange.Rearm();
        request.phase = kZdsvPhaseContinue;
        request.key = c.lastKey;
        if (totalAt == TotalAt::Word18) request.word16 = (request.word16 & 0xFFFF) | (total & 0xFFFF) << 16;
        else request.word28 = total;
    }
    return exchange.Finish(replyCount, countRecords ? total : exchange.Context().count);
}

}  // namespace

DevInfoReplies DevInfoClient_RequestListA(DevInfoClient* client, ZdsvInterface* iface, void* connection,
                                          uint32_t count, const ZdsvAttributeListEntry* entries,
                                          uint32_t* replyCount, DevInfoStatus* result) {
    if (!client || !iface || !entries || !result || count == 0) return BadArgument(result, replyCount);
    SyncRequest exchange(client, result, DevInfoClient_CopyGroupReply, DevInfoClient_FreeGroupReply, count);
    if (!exchange.Begin()) return exchange.Finish(replyCount);
    ZdsvAttributeListRequest request{count, entries};
    if (exchange.Send(Slot(iface, zdsv768::kRequestAttributes), connection, &request)) exchange.Succeed();
    return exchange.Finish(replyCount);
}

DevInfoReplies DevInfoClient_RequestListB(DevInfoClient* client, ZdsvInterface* iface, void* connection,
                                          const ZdsvRequest* parameters, uint32_t* replyCount,
                                          DevInfoStatus* result) {
    if (!client || !iface || !parameters || !result) return BadArgument(result, replyCount);
    return MultiPart(client, Slot(iface, zdsv768::kRequestListB), connection, FirstPart(*parameters), DevInfoClient_CopyValueReply,
                     DevInfoClient_FreeValueReply, TotalAt::Word28, false, replyCount, result);
}

DevInfoReplies DevInfoClient_RequestListC(DevInfoClient* client, ZdsvInterface* iface, void* connection,
                                          const ZdsvRequest* parameters, uint32_t* replyCount,
                                          DevInfoStatus* result) {
    if (!client || !iface || !parameters || !result) return BadArgument(result, replyCount);
    return MultiPart(client, Slot(iface, zdsv768::kRequestListC), connection, FirstPart(*parameters), DevInfoClient_CopyGroupReply,
                     DevInfoClient_FreeGroupReply, TotalAt::Word28, false, replyCount, result);
}

DevInfoReplies DevInfoClient_RequestSync(DevInfoClient* client, ZdsvInterface* iface, void* connection,
                                         uint32_t count, const DevInfoEntryRequest* entries, uint32_t* replyCount,
                                         DevInfoStatus* result) {
    if (!client || !iface || !entries || !result) return BadArgument(result, replyCount);
    if (count == 0) {
        // An empty list asks nothing, and that is done.
        *result = {0, 0, 1};
        if (replyCount) *replyCount = 0;
        return nullptr;
    }
    SyncRequest exchange(client, result, DevInfoClient_CopyGroupReply, DevInfoClient_FreeGroupReply, count);
    if (!exchange.Begin()) return exchange.Finish(replyCount);
    bool done = true;
    for (uint32_t i = 0; i < count && done; ++i) {
        ZdsvRequest request = Header();
        request.word8 = entries[i].first;
        request.word12 = entries[i].second;
        request.word16 = entries[i].third;
        done = exchange.Send(Slot(iface, zdsv768::kRequestEntries), connection, &request);
    }
    if (done) exchange.Succeed();
    return exchange.Finish(replyCount);
}

DevInfoReplies DevInfoClient_SendCommands(DevInfoClient* client, ZdsvInterface* iface, void* connection, int kind,
                                          const void* items, uint32_t* replyCount, DevInfoStatus* result) {
    if (!client || !iface || !items || !result) return BadArgument(result, replyCount);
    uint32_t count = CommandItemCount(kind, items);
    if (count == 0) {
        // An empty item list makes no request and leaves the status at -2.
        *result = {-2, 0, 1};
        if (replyCount) *replyCount = 0;
        return nullptr;
    }
    SyncRequest exchange(client, result, DevInfoClient_CopyCommandReply, DevInfoClient_FreeCommandReply, count);
    if (!exchange.Begin()) return exchange.Finish(replyCount);
    bool done = true;
    for (uint32_t i = 0; i < count && done; ++i) {
        BuiltCommand built;
        if (int code = BuildCommand(kind, items, i, &built)) {
            exchange.Fail(code, 0);
            done = false;
            break;
        }
        ZdsvCommand request{};
        request.code = built.code;
        request.command = built.command;
        request.data = built.data;
        request.dataSize = built.dataSize;
        done = exchange.Send(Slot(iface, zdsv768::kRequestCommand), connection, &request);
        PrivateFree(built.data);
    }
    if (done) exchange.Succeed();
    return exchange.Finish(replyCount);
}

DevInfoReplies DevInfoClient_RequestTable(DevInfoClient* client, ZdsvInterface* iface, void* connection,
                                          uint32_t word8, uint16_t word16, uint32_t* replyCount,
                                          DevInfoStatus* result) {
    if (!client || !iface || !result) return BadArgument(result, replyCount);
    ZdsvRequest request = Header();
    request.word8 = word8;
    request.word16 = word16;
    return MultiPart(client, Slot(iface, zdsv768::kRequestTable), connection, request, DevInfoClient_CopyValueReply,
                     DevInfoClient_FreeValueReply, TotalAt::Word18, true, replyCount, result);
}

DevInfoReplies DevInfoClient_RequestOne(DevInfoClient* client, ZdsvInterface* iface, void* connection,
                                        uint16_t parameter, uint32_t* replyCount, DevInfoStatus* result) {
    if (!client || !iface || !result) return BadArgument(result, replyCount);
    SyncRequest exchange(client, result, DevInfoClient_CopyValueReply, DevInfoClient_FreeValueReply, 1);
    if (!exchange.Begin()) return exchange.Finish(replyCount);
    ZdsvRequest request = Header();
    request.word6 = parameter;
    if (exchange.Send(Slot(iface, zdsv768::kRequestValues), connection, &request)) exchange.Succeed();
    return exchange.Finish(replyCount);
}

DevInfoReplies DevInfoClient_RequestMany(DevInfoClient* client, ZdsvInterface* iface, void* connection,
                                         uint16_t parameter, uint32_t* replyCount, DevInfoStatus* result) {
    if (!client || !iface || !result) return BadArgument(result, replyCount);
    ZdsvRequest request = Header();
    request.word6 = parameter;
    return MultiPart(client, Slot(iface, zdsv768::kRequestValues), connection, request, DevInfoClient_CopyValueReply,
                     DevInfoClient_FreeValueReply, TotalAt::Word28, true, replyCount, result);
}

DevInfoReplies DevInfoClient_RequestPaged(DevInfoClient* client, ZdsvInterface* iface, void* connection,
                                          uint32_t count, const uint32_t* ids, uint16_t parameter16,
                                          uint32_t parameter32, uint32_t* replyCount, DevInfoStatus* result) {
    if (!client || !iface || !ids || !result) return BadArgument(result, replyCount);
    uint32_t sendable = std::min(count, kPagedIdLimit);
    uint32_t pages = (sendable + kZdsvIdsPerPage - 1) / kZdsvIdsPerPage;
    SyncRequest exchange(client, result, DevInfoClient_CopyGroupReply, DevInfoClient_FreeGroupReply,
                         pages ? pages : 1, -2);
    if (!exchange.Begin()) return exchange.Finish(replyCount);
    bool done = true;
    for (uint32_t sent = 0; sent < sendable && done; sent += kZdsvIdsPerPage) {
        ZdsvPagedRequest request{};
        request.idCount = static_cast<uint8_t>(std::min<uint32_t>(kZdsvIdsPerPage, sendable - sent));
        request.parameter16 = parameter16;
        request.parameter32 = parameter32;
        request.ids = ids + sent;
        done = exchange.Send(Slot(iface, zdsv768::kRequestPaged), connection, &request);
    }
    if (done) exchange.Succeed();
    return exchange.Finish(replyCount);
}

DevInfoReplies DevInfoClient_RequestPair(DevInfoClient* client, ZdsvInterface* iface, void* connection,
                                         uint32_t first, uint32_t second, uint32_t* replyCount,
                                         DevInfoStatus* result) {
    if (!client || !iface || !result) return BadArgument(result, replyCount);
    SyncRequest exchange(client, result, DevInfoClient_CopyPairReply, DevInfoClient_FreePairReply, 1);
    if (!exchange.Begin()) return exchange.Finish(replyCount);
    ZdsvRequest request = Header();
    request.word8 = first;
    request.word12 = second;
    if (exchange.Send(Slot(iface, zdsv768::kRequestPair), connection, &request)) exchange.Succeed();
    return exchange.Finish(replyCount);
}
