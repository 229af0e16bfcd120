// Keyboard focus and keys given to the installer's windows from another process.
#pragma once
#include <windows.h>

// The window that has the keyboard focus on the thread that owns `window`, or NULL.
HWND FocusOfThread(HWND window);
// Moves the focus to a control of `dialog` the way the dialog manager does, and checks it arrived.
void FocusControl(HWND dialog, HWND control);
// Posts a key press to `window`; it goes through the owning thread's message loop.
void PressKey(HWND window, WPARAM key);
