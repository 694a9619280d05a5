// Blocking requests over the asynchronous library. The callback may run on a thread of the
// library; it touches only the context, the copy and the event, under the context's lock, and
// never writes beyond the reply array, however often the library calls back.
#include "device/sync_request.h"

#include "core/memory/private_heap.h"

void SyncRequestCallback(void* context, uint32_t count, uint32_t, int32_t status, const void* reply) {
    auto* c = static_cast<SyncContext*>(context);
    if (!c) return;
    EnterCriticalSection(&c->lock);
    c->libraryStatus = status;
    if (c->hook) {
        c->hook(c, count, reply);
    } else if (reply && c->count < c->capacity) {
        void* copy = c->copy(c->client, reply);
        if (copy) {
            c->replies[c->count++] = copy;
            auto* head = static_cast<const uint16_t*>(reply);
            c->lastKey = head[0];
        } else {
            c->error = c->copyError;
        }
    }
    HANDLE event = c->event;
    LeaveCriticalSection(&c->lock);
    SetEvent(event);
}

SyncRequest::SyncRequest(DevInfoClient* client, DevInfoStatus* result, DevInfoCopyReply copy,
                         DevInfoFreeReply freeReply, uint32_t capacity, int32_t copyError)
    : result_(result), free_(freeReply) {
    context_.client = client;
    context_.capacity = capacity;
    context_.copy = copy;
    context_.copyError = copyError;
    InitializeCriticalSection(&context_.lock);
    if (result_) *result_ = {-2, 0, 1};
}

SyncRequest::~SyncRequest() {
    if (context_.event) CloseHandle(context_.event);
    if (context_.replies) DevInfoClient_FreeReplies(context_.client, free_, context_.replies, context_.count);
    DeleteCriticalSection(&context_.lock);
}

bool SyncRequest::Begin() {
    if (context_.capacity) {
        context_.replies = static_cast<void**>(PrivateAlloc(sizeof(void*) * context_.capacity));
        if (!context_.replies) {
            Fail(kDevInfoNoMemory, 0);
            return false;
        }
    }
    context_.event = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    if (!context_.event) {
        Fail(-2, 0);
        return false;
    }
    return true;
}

bool SyncRequest::Send(ZdsvRequestProc proc, void* connection, const void* request) {
    if (!proc) {
        Fail(kDevInfoBadArgument, 0);
        return false;
    }
    uint8_t output[8] = {};
    int32_t answer = proc(connection, SyncRequestCallback, output, request, &context_);
    if (answer < 0) {
        Fail(0, answer);
        return false;
    }
    WaitForSingleObject(context_.event, INFINITE);
    EnterCriticalSection(&context_.lock);
    int32_t status = context_.libraryStatus;
    int32_t error = context_.error;
    LeaveCriticalSection(&context_.lock);
    if (status < 0) {
        Fail(0, status);
        return false;
    }
    if (result_) result_->lastValue = static_cast<uint32_t>(status);
    if (error < 0) {
        Fail(error, 0);
        return false;
    }
    return true;
}

void SyncRequest::Succeed() {
    if (ended_) return;
    ended_ = true;
    if (result_) {
        result_->status = 0;
        result_->libraryCode = 0;
    }
}

void SyncRequest::Fail(int32_t status, int32_t code) {
    if (ended_) return;
    ended_ = true;
    if (result_) {
        result_->status = status;
        result_->libraryCode = code;
    }
}

DevInfoReplies SyncRequest::Finish(uint32_t* replyCount, uint32_t keep) {
    EnterCriticalSection(&context_.lock);
    void** replies = context_.replies;
    uint32_t stored = context_.count;
    context_.replies = nullptr;
    context_.count = 0;
    LeaveCriticalSection(&context_.lock);
    uint32_t kept = keep < stored ? keep : stored;
    for (uint32_t i = kept; i < stored; ++i) {
        free_(context_.client, replies[i]);
        PrivateFree(replies[i]);
        replies[i] = nullptr;
    }
    if (replyCount) *replyCount = kept;
    if (kept == 0 && keep != UINT32_MAX) {
        PrivateFree(replies);
        return nullptr;
    }
    return replies;
}
