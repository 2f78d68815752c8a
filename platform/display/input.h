#pragma once
// Input for tests and tools: mouse and keyboard events injected into the window manager's
// queue (hit testing, hooks, activation and key state happen as with real input), and a
// pump that dispatches what is queued.
#include "platform/os/user.h"

namespace qd::display {

enum class MouseButton { Left, Right, Middle, X1, X2 };

void MoveMouse(POINT screen);
void MoveMouse(HWND hwnd, POINT client);  // to a point of a window's client area
void MouseDown(MouseButton button = MouseButton::Left);
void MouseUp(MouseButton button = MouseButton::Left);
// Moves there, presses and releases.
void Click(POINT screen, MouseButton button = MouseButton::Left);
void Click(HWND hwnd, POINT client, MouseButton button = MouseButton::Left);
void DoubleClick(HWND hwnd, POINT client);
// The wheel at the cursor position (+120: one notch away from the user).
void Wheel(int delta, bool horizontal = false);
void KeyDown(int vk);
void KeyUp(int vk);
void KeyPress(int vk);  // down and up
// Types the text as key strokes of a US keyboard (Shift as needed); characters without a key
// go as VK_PACKET. "\r" or "\n" is Enter, "\t" Tab.
void TypeText(StringView text);
// Dispatches every message that is queued now (translating keys); returns how many.
int ProcessMessages();

}  // namespace qd::display
