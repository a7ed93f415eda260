// The window table: procedures, visibility, the active window and destroyed handles.
#include "vcl/WinApi.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using namespace vcl;

constexpr UINT WM_TEST = 0x8001;

struct Call {
    HWND wnd;
    UINT msg;
    WPARAM wParam;
    LPARAM lParam;
};

TEST(WinApi, SendMessageCallsTheWindowProcedure) {
    std::vector<Call> calls;
    const HWND wnd = CreateWindowHandle([&](HWND w, UINT m, WPARAM wp, LPARAM lp) -> LRESULT {
        calls.push_back({w, m, wp, lp});
        return static_cast<LRESULT>(wp) + lp;
    });
    ASSERT_TRUE(IsWindow(wnd));
    EXPECT_EQ(SendMessage(wnd, WM_TEST, 40, 2), 42);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].wnd, wnd);
    EXPECT_EQ(calls[0].msg, WM_TEST);
    EXPECT_EQ(calls[0].wParam, 40u);
    EXPECT_EQ(calls[0].lParam, 2);

    const HWND other = CreateWindowHandle(nullptr);
    EXPECT_NE(other, wnd);
    EXPECT_EQ(SendMessage(other, WM_TEST, 1, 1), 0) << "a window without a procedure answers 0";
    DestroyWindowHandle(wnd);
    DestroyWindowHandle(other);
}

TEST(WinApi, SetWindowProcReturnsThePreviousProcedureForChaining) {
    const HWND wnd = CreateWindowHandle([](HWND, UINT, WPARAM, LPARAM) -> LRESULT { return 1; });
    TWndProc previous;
    previous = SetWindowProc(wnd, [&previous](HWND w, UINT m, WPARAM wp, LPARAM lp) -> LRESULT {
        return 10 + previous(w, m, wp, lp);  // a subclass handing on to the original
    });
    ASSERT_TRUE(previous);
    EXPECT_EQ(SendMessage(wnd, WM_TEST, 0, 0), 11);

    const TWndProc mine = SetWindowProc(wnd, previous);
    ASSERT_TRUE(mine);
    EXPECT_EQ(SendMessage(wnd, WM_TEST, 0, 0), 1) << "the original procedure is back";
    DestroyWindowHandle(wnd);
}

TEST(WinApi, AProcedureMayDestroyItsOwnWindow) {
    int calls = 0;
    HWND wnd = nullptr;
    wnd = CreateWindowHandle([&](HWND w, UINT, WPARAM, LPARAM) -> LRESULT {
        ++calls;
        DestroyWindowHandle(w);
        return 5;
    });
    EXPECT_EQ(SendMessage(wnd, WM_TEST, 0, 0), 5);
    EXPECT_FALSE(IsWindow(wnd));
    EXPECT_EQ(SendMessage(wnd, WM_TEST, 0, 0), 0);
    EXPECT_EQ(calls, 1);
}

TEST(WinApi, VisibilityAndDestroyedHandles) {
    int calls = 0;
    const HWND wnd = CreateWindowHandle([&](HWND, UINT, WPARAM, LPARAM) -> LRESULT { return ++calls; });
    EXPECT_FALSE(IsWindowVisible(wnd)) << "a new window is hidden";
    ShowWindowHandle(wnd, true);
    EXPECT_TRUE(IsWindowVisible(wnd));
    ShowWindowHandle(wnd, false);
    EXPECT_FALSE(IsWindowVisible(wnd));
    ShowWindowHandle(wnd, true);

    DestroyWindowHandle(wnd);
    EXPECT_FALSE(IsWindow(wnd));
    EXPECT_FALSE(IsWindowVisible(wnd));
    EXPECT_EQ(SendMessage(wnd, WM_TEST, 0, 0), 0);
    EXPECT_FALSE(SetWindowProc(wnd, [](HWND, UINT, WPARAM, LPARAM) -> LRESULT { return 1; }));
    EXPECT_EQ(SendMessage(wnd, WM_TEST, 0, 0), 0) << "a destroyed handle takes no new procedure";
    ShowWindowHandle(wnd, true);
    EXPECT_FALSE(IsWindowVisible(wnd));
    DestroyWindowHandle(wnd);  // twice: nothing happens
    EXPECT_EQ(calls, 0);

    EXPECT_FALSE(IsWindow(nullptr));
    EXPECT_FALSE(IsWindowVisible(nullptr));
    EXPECT_EQ(SendMessage(nullptr, WM_TEST, 0, 0), 0);
}

TEST(WinApi, ActiveWindowIsClearedWhenDestroyed) {
    const HWND a = CreateWindowHandle(nullptr);
    const HWND b = CreateWindowHandle(nullptr);
    SetActiveWindow(a);
    EXPECT_EQ(GetActiveWindow(), a);
    DestroyWindowHandle(b);
    EXPECT_EQ(GetActiveWindow(), a) << "destroying another window keeps the active one";
    DestroyWindowHandle(a);
    EXPECT_EQ(GetActiveWindow(), nullptr);

    SetActiveWindow(b);  // no longer a window
    EXPECT_EQ(GetActiveWindow(), nullptr);
}

}  // namespace
