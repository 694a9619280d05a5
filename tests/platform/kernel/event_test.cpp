// Events and waits: auto-reset events release one wait, manual-reset events all of them; an
// event set on another thread wakes a waiter; wait-all takes every object or none.
#include <windows.h>

#include <gtest/gtest.h>

#include <thread>

TEST(Event, AutoResetReleasesOneWaitManualResetStaysSetAndNamesAreShared) {
    HANDLE autoEvent = CreateEventA(nullptr, FALSE, TRUE, nullptr);
    HANDLE manual = CreateEventA(nullptr, TRUE, TRUE, nullptr);
    ASSERT_NE(autoEvent, nullptr);
    EXPECT_EQ(WaitForSingleObject(autoEvent, 0), WAIT_OBJECT_0);
    EXPECT_EQ(WaitForSingleObject(autoEvent, 0), static_cast<DWORD>(WAIT_TIMEOUT));
    EXPECT_EQ(WaitForSingleObject(manual, 0), WAIT_OBJECT_0);
    EXPECT_EQ(WaitForSingleObject(manual, 0), WAIT_OBJECT_0);
    EXPECT_TRUE(ResetEvent(manual));
    EXPECT_EQ(WaitForSingleObject(manual, 20), static_cast<DWORD>(WAIT_TIMEOUT));
    EXPECT_TRUE(CloseHandle(autoEvent));
    EXPECT_TRUE(CloseHandle(manual));
    EXPECT_FALSE(SetEvent(manual));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
    EXPECT_EQ(WaitForSingleObject(manual, 0), WAIT_FAILED);
}

TEST(Event, ASetOnAnotherThreadWakesAWaitAndWaitAllTakesAllOrNone) {
    HANDLE done = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    int reply = 0;
    std::thread callback([&] {
        Sleep(30);
        reply = 42;  // the waiter reads the reply only after the event
        SetEvent(done);
    });
    EXPECT_EQ(WaitForSingleObject(done, INFINITE), WAIT_OBJECT_0);
    EXPECT_EQ(reply, 42);
    callback.join();
    CloseHandle(done);

    HANDLE e[3] = {CreateEventA(nullptr, FALSE, FALSE, nullptr), CreateEventA(nullptr, FALSE, TRUE, nullptr),
                   CreateEventA(nullptr, FALSE, TRUE, nullptr)};
    EXPECT_EQ(WaitForMultipleObjects(3, e, TRUE, 10), static_cast<DWORD>(WAIT_TIMEOUT));
    // The failed wait-all took nothing: both set events are still set.
    EXPECT_EQ(WaitForMultipleObjects(3, e, FALSE, 0), WAIT_OBJECT_0 + 1);
    EXPECT_EQ(WaitForMultipleObjects(3, e, FALSE, 0), WAIT_OBJECT_0 + 2);
    EXPECT_EQ(WaitForMultipleObjects(3, e, FALSE, 0), static_cast<DWORD>(WAIT_TIMEOUT));
    SetEvent(e[1]);
    SetEvent(e[2]);
    std::thread late([&] { Sleep(20); SetEvent(e[0]); });
    EXPECT_EQ(WaitForMultipleObjects(3, e, TRUE, 5000), WAIT_OBJECT_0);
    EXPECT_EQ(WaitForMultipleObjects(3, e, FALSE, 0), static_cast<DWORD>(WAIT_TIMEOUT));
    late.join();

    HANDLE twice[2] = {e[0], e[0]};
    struct Case { DWORD count; const HANDLE* handles; BOOL all; DWORD error; };
    for (auto c : {Case{0, e, FALSE, ERROR_INVALID_PARAMETER}, Case{65, e, FALSE, ERROR_INVALID_PARAMETER},
                   Case{2, twice, TRUE, ERROR_INVALID_PARAMETER}}) {
        SetLastError(0);
        EXPECT_EQ(WaitForMultipleObjects(c.count, c.handles, c.all, 0), WAIT_FAILED);
        EXPECT_EQ(GetLastError(), c.error) << c.count;
    }
    for (HANDLE h : e) CloseHandle(h);

    HANDLE a = CreateEventA(nullptr, TRUE, FALSE, "DrvopuiTestEvent");
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SUCCESS));
    HANDLE b = CreateEventA(nullptr, TRUE, FALSE, "DrvopuiTestEvent");
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
    SetEvent(a);
    EXPECT_EQ(WaitForSingleObject(b, 0), WAIT_OBJECT_0);
    CloseHandle(a);
    CloseHandle(b);
}
