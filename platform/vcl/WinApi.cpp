#include "vcl/WinApi.h"

#include <cstdint>
#include <deque>
#include <unordered_map>

namespace vcl {
namespace {

struct Window {
    TWndProc proc;
    bool visible = false;
};

struct Posted {
    HWND wnd;
    UINT msg;
    WPARAM wParam;
    LPARAM lParam;
};

struct Table {
    std::unordered_map<HWND, Window> windows;
    std::deque<Posted> posted;
    std::uintptr_t next = 0x10000;
    HWND active = nullptr;
};

// Never destroyed: windows may be freed by other modules' exit hooks.
Table& Windows() {
    static Table& table = *new Table;
    return table;
}

}  // namespace

HWND CreateWindowHandle(TWndProc proc) {
    auto& t = Windows();
    t.next += 4;
    const HWND wnd = reinterpret_cast<HWND>(t.next);
    t.windows.emplace(wnd, Window{std::move(proc), false});
    return wnd;
}

void DestroyWindowHandle(HWND wnd) {
    auto& t = Windows();
    t.windows.erase(wnd);
    if (t.active == wnd) t.active = nullptr;
}

bool IsWindow(HWND wnd) { return wnd && Windows().windows.count(wnd) != 0; }

bool IsWindowVisible(HWND wnd) {
    const auto& w = Windows().windows;
    const auto it = w.find(wnd);
    return it != w.end() && it->second.visible;
}

void ShowWindowHandle(HWND wnd, bool visible) {
    auto& w = Windows().windows;
    if (auto it = w.find(wnd); it != w.end()) it->second.visible = visible;
}

TWndProc SetWindowProc(HWND wnd, TWndProc proc) {
    auto& w = Windows().windows;
    const auto it = w.find(wnd);
    if (it == w.end()) return {};
    std::swap(it->second.proc, proc);
    return proc;
}

LRESULT SendMessage(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto& w = Windows().windows;
    const auto it = w.find(wnd);
    if (it == w.end() || !it->second.proc) return 0;
    // The procedure may destroy its own window or replace itself: call a copy.
    const TWndProc proc = it->second.proc;
    return proc(wnd, msg, wParam, lParam);
}

void PostMessage(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    Windows().posted.push_back(Posted{wnd, msg, wParam, lParam});
}

int ProcessPostedMessages() {
    int count = 0;
    auto& queue = Windows().posted;
    while (!queue.empty()) {
        const Posted p = queue.front();
        queue.pop_front();
        SendMessage(p.wnd, p.msg, p.wParam, p.lParam);  // a window gone meanwhile gets nothing
        ++count;
    }
    return count;
}

HWND GetActiveWindow() { return Windows().active; }

void SetActiveWindow(HWND wnd) { Windows().active = IsWindow(wnd) ? wnd : nullptr; }

}  // namespace vcl
