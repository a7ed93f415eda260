// Window handles and messages, headless: a handle is an entry in the process's window
// table with a window procedure, a visible flag and nothing drawn. SendMessage calls the
// procedure synchronously, as the platform does on one thread.
#pragma once

#include "vcl/WinTypes.h"

#include <functional>

namespace vcl {

using TWndProc = std::function<LRESULT(HWND, UINT, WPARAM, LPARAM)>;

HWND CreateWindowHandle(TWndProc proc);
// Destroying an unknown handle does nothing.
void DestroyWindowHandle(HWND wnd);
bool IsWindow(HWND wnd);
bool IsWindowVisible(HWND wnd);
void ShowWindowHandle(HWND wnd, bool visible);
// Replaces the window procedure and returns the previous one.
TWndProc SetWindowProc(HWND wnd, TWndProc proc);
// 0 when the handle is not a window.
LRESULT SendMessage(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);

// Queues a message for the window; ProcessPostedMessages delivers the queue in order.
void PostMessage(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);
// Delivers what is queued (messages posted meanwhile too); returns how many went out.
int ProcessPostedMessages();

HWND GetActiveWindow();
void SetActiveWindow(HWND wnd);

}  // namespace vcl
