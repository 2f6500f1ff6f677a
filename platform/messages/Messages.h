// Window messages on Qt's event loop. A hidden message window is a handle, unique and never
// reused, that maps to a window procedure; messages to a freed handle are dropped.
#pragma once
#include <cstdint>
#include <functional>

using HWND = std::uintptr_t;
using UINT = unsigned int;
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;

struct TMessage {
    UINT Msg = 0;
    WPARAM WParam = 0;
    LPARAM LParam = 0;
    LRESULT Result = 0;
};

// Key-state flags of a mouse message's WParam.
constexpr WPARAM MK_SHIFT = 0x0004;
constexpr WPARAM MK_CONTROL = 0x0008;

using TWndMethod = std::function<void(TMessage& message)>;

constexpr UINT WM_NULL = 0x0000;
constexpr UINT WM_DESTROY = 0x0002;
constexpr UINT WM_CLOSE = 0x0010;
constexpr UINT WM_QUIT = 0x0012;
constexpr UINT WM_TIMER = 0x0113;
constexpr UINT WM_MOUSEMOVE = 0x0200;
constexpr UINT WM_LBUTTONDOWN = 0x0201;
constexpr UINT WM_LBUTTONUP = 0x0202;
constexpr UINT WM_LBUTTONDBLCLK = 0x0203;
constexpr UINT WM_RBUTTONDOWN = 0x0204;
constexpr UINT WM_RBUTTONUP = 0x0205;
constexpr UINT WM_RBUTTONDBLCLK = 0x0206;
constexpr UINT WM_MBUTTONDOWN = 0x0207;
constexpr UINT WM_MBUTTONUP = 0x0208;
constexpr UINT WM_MBUTTONDBLCLK = 0x0209;
constexpr UINT WM_COPY = 0x0301;
constexpr UINT WM_HOTKEY = 0x0312;
constexpr UINT WM_USER = 0x0400;

// Creates a hidden window whose messages go to `method`. Never returns 0.
HWND AllocateHWnd(TWndMethod method);
// Frees the window; messages still queued for it are dropped. Safe inside its own handler.
void DeallocateHWnd(HWND window);
bool IsWindow(HWND window);

// Queues the message behind everything already posted; false for an unknown window.
bool PostMessage(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
// Calls the window procedure at once and returns its Result; 0 for an unknown window.
LRESULT SendMessage(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
// Posts WM_QUIT: sets the application's quit flag that every loop honours.
void PostQuitMessage(int exitCode);

constexpr UINT PM_NOREMOVE = 0;
constexpr UINT PM_REMOVE = 1;
// The oldest message posted to `window` (0: any window) and not handled yet whose number lies
// in filterMin..filterMax (both 0: any number); with PM_REMOVE it is taken out and never
// delivered. Only posted messages are queued: a quit is the application's flag, never here.
bool PeekMessage(TMessage& message, HWND window, UINT filterMin, UINT filterMax, UINT removeFlags);
