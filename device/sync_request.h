// The pattern behind every blocking request of the client: an auto-reset event, a context on the
// caller's stack, a completion callback that copies the reply and sets the event, and a wait
// without time limit. The wait has no limit on purpose: the context lives in the caller's frame,
// and a caller that gave up waiting would let a late callback write into a dead frame.
#pragma once

#include "device/devinfo_client.h"
#include "device/reply_copies.h"

#include <windows.h>

using DevInfoCopyReply = void* (*)(DevInfoClient* client, const void* reply);

struct SyncContext;
// What a callback does with one reply (called under the context's lock).
using SyncReplyHook = void (*)(SyncContext* context, uint32_t count, const void* reply);

struct SyncContext {
    HANDLE event;
    int32_t libraryStatus;
    int32_t error;
    DevInfoClient* client;
    uint32_t count;      // copies stored
    uint32_t capacity;   // places in replies
    void** replies;
    uint16_t total;      // sum of the value replies' record counts
    uint16_t lastKey;    // first 16-bit field of the last reply
    DevInfoCopyReply copy;
    int32_t copyError;   // the error a failed copy reports (-11, or -2 for the paged replies)
    SyncReplyHook hook;  // null: copy and append
    void* target;        // the hook's record
    CRITICAL_SECTION lock;
};

// One blocking exchange of one or more requests with the library.
class SyncRequest {
public:
    // The result record starts as {-2, 0, 1}.
    SyncRequest(DevInfoClient* client, DevInfoStatus* result, DevInfoCopyReply copy, DevInfoFreeReply freeReply,
                uint32_t capacity, int32_t copyError = -11);
    ~SyncRequest();
    SyncRequest(const SyncRequest&) = delete;
    SyncRequest& operator=(const SyncRequest&) = delete;

    // Allocates the reply array and creates the event; false with the result set on failure.
    bool Begin();
    // Sends one request and waits for its callback; false when the exchange must end (the result
    // then says why).
    bool Send(ZdsvRequestProc proc, void* connection, const void* request);
    // The status of the last callback (4: more to come).
    int32_t LastStatus() const { return context_.libraryStatus; }
    // Readies the event for a continuation.
    void Rearm() { ResetEvent(context_.event); }
    SyncContext& Context() { return context_; }
    // Ends the exchange: {0, 0, lastValue} unless a failure was recorded.
    void Succeed();
    void Fail(int32_t status, int32_t code);
    // Hands out the array with its copies (the caller frees them); `keep` below the stored count
    // frees the rest, and a length of 0 frees the array too and answers null.
    DevInfoReplies Finish(uint32_t* replyCount, uint32_t keep = UINT32_MAX);

private:
    SyncContext context_{};
    DevInfoStatus* result_;
    DevInfoFreeReply free_;
    bool ended_ = false;
};

// The completion callback given to the library.
void SyncRequestCallback(void* context, uint32_t count, uint32_t reserved, int32_t status, const void* reply);
