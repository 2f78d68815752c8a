#pragma once
// Keys of the X keyboard as the window manager's virtual keys.
#include <cstdint>

namespace qd::display {

// The virtual key of a key symbol (0: none). Letters, digits and punctuation map by their
// US-layout position; keypad symbols follow Num Lock as X reports it. `extended` is set for
// the keys that the original keyboard reports as extended (navigation block, right Ctrl
// and Alt, keypad Enter and divide...).
int KeysymToVk(unsigned long keysym, bool& extended);

// The character of a key symbol when no input method converted it (Latin-1 and Unicode
// key symbols; 0: none).
char32_t KeysymToChar(unsigned long keysym);

}  // namespace qd::display
