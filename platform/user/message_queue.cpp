// Posted messages: one queue per thread, filled by PostMessageA from any thread and emptied by
// GetMessageA and PeekMessageA of its own. WM_PAINT is not queued: it is made when the queue has
// nothing else and a window waits to be painted; WM_QUIT comes last of all. A message another
// thread sends waits in the window's thread's queue too, ahead of all of these, and its sender
// waits for the answer.
#include "platform/user/hooks.h"
#include "platform/user/window.h"

#include <chrono>
#include <condition_variable>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <thread>

namespace {

struct Queue;

// A message sent from another thread: answered once, by the window's thread or, when the window
// is gone first, with 0. Guarded by the sender's queue's lock.
struct Sent {
    MSG msg{};
    std::shared_ptr<Queue> sender;
    LRESULT answer = 0;
    bool answered = false;
};

struct Queue {
    std::mutex lock;
    std::condition_variable arrived;  // a posted or sent message, or an answer to this thread
    std::deque<MSG> messages;
    std::deque<std::shared_ptr<Sent>> sent;
    bool quit = false;
    int exitCode = 0;
};

std::mutex g_queuesLock;
std::map<std::thread::id, std::shared_ptr<Queue>>& queues() {
    static auto* q = new std::map<std::thread::id, std::shared_ptr<Queue>>;
    return *q;
}

std::shared_ptr<Queue> queueOf(std::thread::id thread) {
    std::lock_guard<std::mutex> guard(g_queuesLock);
    auto& slot = queues()[thread];
    if (!slot) slot = std::make_shared<Queue>();
    return slot;
}

void answer(Sent& sent, LRESULT result) {
    {
        std::lock_guard<std::mutex> guard(sent.sender->lock);
        sent.answer = result;
        sent.answered = true;
    }
    sent.sender->arrived.notify_all();
}

// Takes a sent message for this window out of the queue before its thread does; false when the
// thread has it already.
bool withdraw(Queue& q, const Sent* sent) {
    std::lock_guard<std::mutex> guard(q.lock);
    for (auto it = q.sent.begin(); it != q.sent.end(); ++it)
        if (it->get() == sent) {
            q.sent.erase(it);
            return true;
        }
    return false;
}

// Has this thread's windows answer what other threads sent them.
void receive(Queue& q) {
    for (;;) {
        std::shared_ptr<Sent> sent;
        {
            std::lock_guard<std::mutex> guard(q.lock);
            if (q.sent.empty()) return;
            sent = std::move(q.sent.front());
            q.sent.pop_front();
        }
        const MSG& m = sent->msg;
        answer(*sent, user::Find(m.hwnd) ? user::Deliver(m.hwnd, m.message, m.wParam, m.lParam) : 0);
    }
}

DWORD now() {
    using namespace std::chrono;
    return static_cast<DWORD>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

bool matches(const MSG& m, HWND filter, UINT first, UINT last) {
    if (filter && m.hwnd != filter && !IsChild(filter, m.hwnd)) return false;
    if (first == 0 && last == 0) return true;
    return m.message >= first && m.message <= last;
}

// Takes (or copies) the next message that passes the filter; false when there is none.
bool take(MSG& out, HWND filter, UINT first, UINT last, bool remove) {
    auto q = queueOf(std::this_thread::get_id());
    receive(*q);
    {
        std::lock_guard<std::mutex> guard(q->lock);
        for (auto it = q->messages.begin(); it != q->messages.end(); ++it) {
            if (!matches(*it, filter, first, last)) continue;
            out = *it;
            if (remove) q->messages.erase(it);
            return true;
        }
    }
    bool wantsPaint = (first == 0 && last == 0) || (first <= WM_PAINT && WM_PAINT <= last);
    if (wantsPaint) {
        if (HWND hwnd = user::NextWindowToPaint(filter)) {
            out = MSG{hwnd, WM_PAINT, 0, 0, now(), {0, 0}};
            return true;
        }
    }
    std::lock_guard<std::mutex> guard(q->lock);
    if (q->quit && !filter) {
        out = MSG{nullptr, WM_QUIT, static_cast<WPARAM>(q->exitCode), 0, now(), {0, 0}};
        if (remove) q->quit = false;
        return true;
    }
    return false;
}

void afterTaking(MSG& msg, bool removed) {
    LRESULT answer = 0;
    user::CallHooks(WH_GETMESSAGE, HC_ACTION, removed ? PM_REMOVE : PM_NOREMOVE, reinterpret_cast<LPARAM>(&msg),
                    answer);
}

}  // namespace

namespace user {

void DropSentMessages(HWND hwnd, std::thread::id thread) {
    auto q = queueOf(thread);
    std::deque<std::shared_ptr<Sent>> dropped;
    {
        std::lock_guard<std::mutex> guard(q->lock);
        for (auto it = q->sent.begin(); it != q->sent.end();) {
            if ((*it)->msg.hwnd == hwnd) {
                dropped.push_back(std::move(*it));
                it = q->sent.erase(it);
            } else {
                ++it;
            }
        }
    }
    for (auto& sent : dropped) answer(*sent, 0);
}

LRESULT SendAcross(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    const std::thread::id self = std::this_thread::get_id();
    std::thread::id thread;
    if (!ThreadOf(hwnd, thread)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    if (thread == self) return Deliver(hwnd, msg, wParam, lParam);
    auto sent = std::make_shared<Sent>();
    sent->msg = MSG{hwnd, msg, wParam, lParam, now(), {0, 0}};
    sent->sender = queueOf(self);
    auto target = queueOf(thread);
    {
        std::lock_guard<std::mutex> guard(target->lock);
        target->sent.push_back(sent);
    }
    target->arrived.notify_all();
    for (;;) {
        // Messages sent to this thread meanwhile are answered, so two threads sending to each
        // other do not wait for ever.
        receive(*sent->sender);
        {
            std::unique_lock<std::mutex> guard(sent->sender->lock);
            if (sent->answered) return sent->answer;
            sent->sender->arrived.wait_for(guard, std::chrono::milliseconds(50));
            if (sent->answered) return sent->answer;
        }
        // The window may have gone between the look above and the queueing, after its thread
        // dropped what waited for it.
        std::thread::id still;
        if (!ThreadOf(hwnd, still) && withdraw(*target, sent.get())) return 0;
    }
}

}  // namespace user

extern "C" BOOL WINAPI PostMessageA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
    std::thread::id thread = std::this_thread::get_id();
    // Other threads post too, while the window's own thread may be destroying it: its thread is
    // read under the table's lock, not from a window that may be freed meanwhile.
    if (hWnd && !user::ThreadOf(hWnd, thread)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    auto q = queueOf(thread);
    {
        std::lock_guard<std::mutex> guard(q->lock);
        q->messages.push_back(MSG{hWnd, Msg, wParam, lParam, now(), {0, 0}});
    }
    q->arrived.notify_all();
    return TRUE;
}

extern "C" void WINAPI PostQuitMessage(int nExitCode) {
    auto q = queueOf(std::this_thread::get_id());
    {
        std::lock_guard<std::mutex> guard(q->lock);
        q->quit = true;
        q->exitCode = nExitCode;
    }
    q->arrived.notify_all();
}

extern "C" BOOL WINAPI PeekMessageA(LPMSG lpMsg, HWND hWnd, UINT first, UINT last, UINT remove) {
    if (!lpMsg) return FALSE;
    if (hWnd && !user::FromHandle(hWnd)) return FALSE;
    bool removing = (remove & PM_REMOVE) != 0;
    if (!take(*lpMsg, hWnd, first, last, removing)) return FALSE;
    afterTaking(*lpMsg, removing);
    return TRUE;
}

extern "C" BOOL WINAPI GetMessageA(LPMSG lpMsg, HWND hWnd, UINT first, UINT last) {
    if (!lpMsg || (hWnd && !user::FromHandle(hWnd))) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return -1;
    }
    auto q = queueOf(std::this_thread::get_id());
    while (!take(*lpMsg, hWnd, first, last, true)) {
        // Another thread may post; a window of this thread can only be painted by this one.
        std::unique_lock<std::mutex> guard(q->lock);
        q->arrived.wait_for(guard, std::chrono::milliseconds(50));
    }
    afterTaking(*lpMsg, true);
    return lpMsg->message == WM_QUIT ? FALSE : TRUE;
}

extern "C" LRESULT WINAPI DispatchMessageA(const MSG* msg) {
    if (!msg || !msg->hwnd) return 0;
    if (!user::FromHandle(msg->hwnd)) return 0;
    LRESULT result = SendMessageA(msg->hwnd, msg->message, msg->wParam, msg->lParam);
    // A WM_PAINT that its window did not answer with BeginPaint would come back for ever.
    if (msg->message == WM_PAINT) ValidateRect(msg->hwnd, nullptr);
    return result;
}

extern "C" BOOL WINAPI TranslateMessage(const MSG* msg) {
    // Key presses arrive already as characters in this window manager: a typed key is posted as
    // WM_CHAR by whoever types it, so there is nothing to translate.
    (void)msg;
    return FALSE;
}
