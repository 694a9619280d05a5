// Windows and messages: creation and destruction order, visibility through the ancestors,
// window words past their bytes, subclassing chains, the posted-message loop and the message hook.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

namespace {

std::vector<std::string> g_log;

std::string name(HWND hwnd) {
    char text[64] = "";
    GetWindowTextA(hwnd, text, sizeof text);
    return text;
}

LRESULT CALLBACK LoggingProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_NCCREATE: g_log.push_back("nccreate"); break;
    case WM_CREATE: g_log.push_back("create"); break;
    case WM_SIZE: g_log.push_back("size"); break;
    case WM_MOVE: g_log.push_back("move"); break;
    case WM_SHOWWINDOW: g_log.push_back("show"); break;
    case WM_DESTROY: g_log.push_back("destroy " + name(hwnd)); break;
    case WM_NCDESTROY: g_log.push_back("ncdestroy " + name(hwnd)); break;
    case WM_USER: g_log.push_back("user " + std::to_string(wParam)); return 7;
    case WM_USER + 1: return std::this_thread::get_id() == *reinterpret_cast<std::thread::id*>(lParam) ? 7 : 1;
    default: break;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

class Windows : public ::testing::Test {
protected:
    void SetUp() override {
        g_log.clear();
        WNDCLASSA wc{};
        wc.lpfnWndProc = LoggingProc;
        wc.cbWndExtra = 2 * sizeof(LONG_PTR);
        wc.lpszClassName = "TestLogging";
        RegisterClassA(&wc);  // a second registration fails harmlessly
    }
    HWND make(const char* text, DWORD style, HWND parent, int id = 0) {
        return CreateWindowExA(0, "TestLogging", text, style, 10, 20, 100, 50, parent,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
    }
};

TEST_F(Windows, CreationAndDestructionSendTheirMessagesInOrderAndRefusalsNameTheirReason) {
    HWND top = make("top", WS_OVERLAPPED | WS_VISIBLE, nullptr);
    ASSERT_NE(top, nullptr);
    EXPECT_EQ(g_log, (std::vector<std::string>{"nccreate", "create", "size", "move", "show"}));
    EXPECT_TRUE(IsWindowVisible(top));
    DestroyWindow(top);
    EXPECT_FALSE(IsWindow(top));
    EXPECT_FALSE(DestroyWindow(top));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));

    // Each refused creation names its own reason, as callers that report GetLastError expect.
    HWND gone = make("gone", WS_OVERLAPPED, nullptr);
    DestroyWindow(gone);
    struct Case { const char* what; const char* cls; DWORD style; HWND parent; DWORD error; };
    for (auto c : {Case{"child without parent", "TestLogging", WS_CHILD, nullptr, ERROR_TLW_WITH_WSCHILD},
                   Case{"unknown class", "NoSuchClass", WS_OVERLAPPED, nullptr, ERROR_CANNOT_FIND_WND_CLASS},
                   Case{"destroyed parent", "TestLogging", WS_CHILD, gone, ERROR_INVALID_WINDOW_HANDLE}}) {
        SetLastError(0);
        EXPECT_EQ(CreateWindowExA(0, c.cls, "x", c.style, 0, 0, 10, 10, c.parent, nullptr, nullptr, nullptr), nullptr) << c.what;
        EXPECT_EQ(GetLastError(), c.error) << c.what;
    }

    top = make("top", WS_OVERLAPPED, nullptr);
    HWND a = make("a", WS_CHILD, top, 1);
    make("a1", WS_CHILD, a, 2);
    make("b", WS_CHILD, top, 3);
    g_log.clear();
    DestroyWindow(top);
    EXPECT_EQ(g_log, (std::vector<std::string>{"destroy top", "destroy a", "destroy a1", "destroy b", "ncdestroy b",
                                               "ncdestroy a1", "ncdestroy a", "ncdestroy top"}));
    EXPECT_FALSE(IsWindow(a));
}

// Thousands of windows made and destroyed in a mixed order: every live handle still reaches its
// window and its id, and no destroyed handle comes back, however the table has grown meanwhile.
// More live at once than the look-up has slots, so later windows share slots with live ones and
// with destroyed ones.
TEST_F(Windows, HandlesStayTrueThroughManyWindows) {
    HWND top = make("top", WS_OVERLAPPED, nullptr);
    std::vector<HWND> live, gone;
    for (int i = 1; i <= 9000; ++i) {
        live.push_back(make("c", WS_CHILD, top, i));
        if (i % 3 == 0) {  // the oldest but one of each three goes
            HWND victim = live[live.size() - 2];
            live.erase(live.end() - 2);
            DestroyWindow(victim);
            gone.push_back(victim);
        }
    }
    for (HWND h : gone) EXPECT_FALSE(IsWindow(h));
    for (HWND h : live) {
        ASSERT_TRUE(IsWindow(h));
        EXPECT_EQ(GetDlgItem(top, GetDlgCtrlID(h)), h);
    }
    EXPECT_EQ(GetDlgItem(top, 2), nullptr) << "its window was destroyed";
    EXPECT_EQ(GetDlgItem(top, 0x10000 + 1), live.front()) << "ids compare in 16 bits";
    // An id asked before is answered anew once another child takes it and moves ahead, the
    // answer goes, or its window is renumbered.
    HWND first = live[10], second = live[20];
    const int id = GetDlgCtrlID(first);
    SetWindowLongPtrA(second, GWLP_ID, id);
    EXPECT_EQ(GetDlgItem(top, id), first) << "the earlier child answers";
    SetWindowPos(second, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    EXPECT_EQ(GetDlgItem(top, id), second) << "moved ahead";
    DestroyWindow(second);
    EXPECT_EQ(GetDlgItem(top, id), first) << "destroyed";
    SetWindowLongPtrA(first, GWLP_ID, 60000);
    EXPECT_EQ(GetDlgItem(top, id), nullptr) << "renumbered";
    DestroyWindow(top);
    for (HWND h : live) EXPECT_FALSE(IsWindow(h));
}

// Another thread calls on a window while the window's own thread destroys it: each call answers
// as for the live window or fails cleanly, a sent message runs on the owner's thread (which takes
// it while it peeks), and the caller never reads a freed window (ASan).
TEST_F(Windows, CallsFromAnotherThreadWhileTheOwnerDestroysTheWindowAnswerOrFail) {
    std::atomic<HWND> latest{nullptr};
    std::atomic<bool> done{false};
    std::thread::id ownerThread;
    std::thread owner([&] {
        ownerThread = std::this_thread::get_id();
        for (int i = 0; i < 10000; ++i) {
            HWND w = make("w", WS_OVERLAPPED, nullptr);
            make("c", WS_CHILD, w, 3);
            SetWindowLongPtrA(w, GWLP_USERDATA, 42);
            latest.store(w);
            MSG m;
            PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE);
            DestroyWindow(w);
        }
        done.store(true);
    });
    int bad = 0;
    while (!done.load()) {
        HWND w = latest.load();
        if (!w) continue;
        PostMessageA(w, WM_USER, 0, 0);
        LRESULT sent = SendMessageA(w, WM_USER + 1, 0, reinterpret_cast<LPARAM>(&ownerThread));
        LONG_PTR data = GetWindowLongPtrA(w, GWLP_USERDATA);
        HWND child = GetDlgItem(w, 3);
        char text[8] = "";
        GetWindowTextA(w, text, sizeof text);
        bad += (sent != 0 && sent != 7) + (data != 0 && data != 42) + (child && GetParent(child) != w && IsWindow(child)) +
               (text[0] && std::string(text) != "w");
    }
    owner.join();
    EXPECT_EQ(bad, 0);
    EXPECT_FALSE(IsWindow(latest.load()));
    EXPECT_FALSE(PostMessageA(latest.load(), WM_USER, 0, 0));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
    EXPECT_EQ(SendMessageA(latest.load(), WM_USER + 1, 0, reinterpret_cast<LPARAM>(&ownerThread)), 0);
    EXPECT_EQ(GetWindowLongPtrA(latest.load(), GWLP_USERDATA), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
    EXPECT_EQ(GetDlgItem(latest.load(), 3), nullptr);
}

TEST_F(Windows, VisibilityNeedsEveryAncestorAndWindowWordsRefuseWhatTheyCannotHold) {
    HWND top = make("top", WS_OVERLAPPED, nullptr);
    HWND child = make("child", WS_CHILD | WS_VISIBLE, top);
    EXPECT_FALSE(IsWindowVisible(child));
    ShowWindow(top, SW_SHOW);
    EXPECT_TRUE(IsWindowVisible(child));
    EnableWindow(top, FALSE);
    EXPECT_TRUE(IsWindowEnabled(child));
    EXPECT_FALSE(IsWindowEnabled(top));
    EXPECT_EQ(SetFocus(child), nullptr);  // a window inside a disabled one cannot take the keyboard
    EnableWindow(top, TRUE);
    SetFocus(child);
    EXPECT_EQ(GetFocus(), child);
    EXPECT_EQ(GetActiveWindow(), top);
    ShowWindow(child, SW_HIDE);
    EXPECT_NE(GetFocus(), child);
    DestroyWindow(top);
    EXPECT_EQ(GetFocus(), nullptr);

    top = make("top", WS_OVERLAPPED, nullptr);
    EXPECT_EQ(GetWindowLongPtrA(top, 2 * sizeof(LONG_PTR)), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_INDEX));
    // The 32-bit call cannot carry a window procedure on this host.
    EXPECT_EQ(SetWindowLongA(top, GWLP_WNDPROC, 1), 0);
    EXPECT_EQ(GetWindowLongPtrA(top, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&LoggingProc));
    DestroyWindow(top);
}

WNDPROC g_inner = nullptr;
WNDPROC g_outer = nullptr;
LRESULT CALLBACK InnerSubclass(HWND h, UINT m, WPARAM w, LPARAM l) {
    if (m == WM_USER) g_log.push_back("inner");
    return CallWindowProcA(g_inner, h, m, w, l);
}
LRESULT CALLBACK OuterSubclass(HWND h, UINT m, WPARAM w, LPARAM l) {
    if (m == WM_USER) g_log.push_back("outer");
    if (m == WM_USER && w == 99) return 1;  // swallowed: the older procedures never see it
    return CallWindowProcA(g_outer, h, m, w, l);
}

HHOOK g_hook = nullptr;
int g_hooked = 0;
LRESULT CALLBACK GetMessageHook(int code, WPARAM wParam, LPARAM lParam) {
    auto* msg = reinterpret_cast<MSG*>(lParam);
    if (code == HC_ACTION && wParam == PM_REMOVE && msg->message == WM_USER) {
        ++g_hooked;
        msg->wParam += 100;  // a hook may rewrite what the loop receives
    }
    return CallNextHookEx(g_hook, code, wParam, lParam);
}

TEST_F(Windows, SubclassingChainsRunNewestFirstAndPostedMessagesPassTheHook) {
    HWND top = make("top", WS_OVERLAPPED, nullptr);
    g_inner = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(top, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&InnerSubclass)));
    g_outer = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(top, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&OuterSubclass)));
    EXPECT_EQ(g_inner, &LoggingProc);
    g_log.clear();
    EXPECT_EQ(SendMessageA(top, WM_USER, 5, 0), 7);
    EXPECT_EQ(g_log, (std::vector<std::string>{"outer", "inner", "user 5"}));
    g_log.clear();
    EXPECT_EQ(SendMessageA(top, WM_USER, 99, 0), 1);
    EXPECT_EQ(g_log, std::vector<std::string>{"outer"});
    SetWindowLongPtrA(top, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_outer));  // unhook the outer one
    g_log.clear();
    SendMessageA(top, WM_USER, 1, 0);
    EXPECT_EQ(g_log, (std::vector<std::string>{"inner", "user 1"}));
    DestroyWindow(top);

    top = make("top", WS_OVERLAPPED, nullptr);
    g_hook = SetWindowsHookExA(WH_GETMESSAGE, GetMessageHook, nullptr, 0);
    ASSERT_NE(g_hook, nullptr);
    PostMessageA(top, WM_USER, 1, 0);
    PostMessageA(top, WM_USER, 2, 0);
    PostQuitMessage(3);
    g_log.clear();
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0)) DispatchMessageA(&msg);
    EXPECT_EQ(msg.wParam, 3u);
    EXPECT_EQ(g_log, (std::vector<std::string>{"user 101", "user 102"}));
    EXPECT_EQ(g_hooked, 2);
    EXPECT_TRUE(UnhookWindowsHookEx(g_hook));
    EXPECT_FALSE(UnhookWindowsHookEx(g_hook));
    PostMessageA(top, WM_USER, 4, 0);
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 4u);  // no hook any more
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    DestroyWindow(top);
}

TEST_F(Windows, ChildRectanglesMapThroughTheParentsClientArea) {
    HWND top = CreateWindowExA(0, "TestLogging", "top", WS_POPUP | WS_CAPTION, 100, 50, 300, 200, nullptr, nullptr,
                               nullptr, nullptr);
    HWND child = make("child", WS_CHILD, top);
    RECT r;
    GetWindowRect(child, &r);
    int frame = GetSystemMetrics(SM_CXDLGFRAME), caption = GetSystemMetrics(SM_CYCAPTION);
    EXPECT_EQ(r.left, 100 + frame + 10);
    EXPECT_EQ(r.top, 50 + frame + caption + 20);
    POINT p{0, 0};
    MapWindowPoints(child, top, &p, 1);
    EXPECT_EQ(p.x, 10);
    EXPECT_EQ(p.y, 20);
    MoveWindow(child, 5, 6, 70, 30, TRUE);
    GetClientRect(child, &r);
    EXPECT_EQ(r.right, 70);
    EXPECT_EQ(r.bottom, 30);
    // Invalidated parts gather into one rectangle within the client area, as UnionRect and
    // IntersectRect make it.
    const RECT client = r;
    RECT expected{};
    ValidateRect(child, nullptr);
    for (RECT part : {RECT{5, 5, 10, 10}, RECT{3, 3, 3, 9}, RECT{20, 2, 30, 4}, RECT{-5, -5, 3, 3},
                      RECT{60, 20, 200, 200}, RECT{80, 0, 90, 5}}) {
        InvalidateRect(child, &part, FALSE);
        if (RECT area; IntersectRect(&area, &part, &client)) UnionRect(&expected, &expected, &area);
        RECT now;
        EXPECT_EQ(GetUpdateRect(child, &now, FALSE), !IsRectEmpty(&expected));
        EXPECT_TRUE(EqualRect(&now, &expected)) << now.left << " " << now.top << " " << now.right << " " << now.bottom;
    }
    InvalidateRect(child, nullptr, FALSE);
    EXPECT_TRUE(GetUpdateRect(child, &r, FALSE) && EqualRect(&r, &client));
    DestroyWindow(top);
}

}  // namespace
