#include "platform/display/x11_keys.h"

#include "platform/os/user.h"

#include <X11/keysym.h>

namespace qd::display {

int KeysymToVk(unsigned long ks, bool& extended) {
  extended = false;
  if (ks >= XK_a && ks <= XK_z) return static_cast<int>('A' + (ks - XK_a));
  if (ks >= XK_A && ks <= XK_Z) return static_cast<int>('A' + (ks - XK_A));
  if (ks >= XK_0 && ks <= XK_9) return static_cast<int>('0' + (ks - XK_0));
  if (ks >= XK_KP_0 && ks <= XK_KP_9) return VK_NUMPAD0 + static_cast<int>(ks - XK_KP_0);
  if (ks >= XK_F1 && ks <= XK_F24) return VK_F1 + static_cast<int>(ks - XK_F1);
  struct Entry {
    unsigned long keysym;
    int vk;
    bool extended;
  };
  static constexpr Entry kTable[] = {
      {XK_BackSpace, VK_BACK, false},
      {XK_Tab, VK_TAB, false},
      {XK_ISO_Left_Tab, VK_TAB, false},
      {XK_Clear, VK_CLEAR, false},
      {XK_Return, VK_RETURN, false},
      {XK_Pause, VK_PAUSE, false},
      {XK_Scroll_Lock, VK_SCROLL, false},
      {XK_Sys_Req, VK_SNAPSHOT, true},
      {XK_Print, VK_SNAPSHOT, true},
      {XK_Escape, VK_ESCAPE, false},
      {XK_space, VK_SPACE, false},
      {XK_Caps_Lock, VK_CAPITAL, false},
      {XK_Num_Lock, VK_NUMLOCK, true},
      {XK_Shift_L, VK_LSHIFT, false},
      {XK_Shift_R, VK_RSHIFT, false},
      {XK_Control_L, VK_LCONTROL, false},
      {XK_Control_R, VK_RCONTROL, true},
      {XK_Alt_L, VK_LMENU, false},
      {XK_Meta_L, VK_LMENU, false},
      {XK_Alt_R, VK_RMENU, true},
      {XK_Meta_R, VK_RMENU, true},
      {XK_ISO_Level3_Shift, VK_RMENU, true},
      {XK_Super_L, VK_LWIN, true},
      {XK_Super_R, VK_RWIN, true},
      {XK_Menu, VK_APPS, true},
      {XK_Home, VK_HOME, true},
      {XK_End, VK_END, true},
      {XK_Prior, VK_PRIOR, true},
      {XK_Next, VK_NEXT, true},
      {XK_Left, VK_LEFT, true},
      {XK_Up, VK_UP, true},
      {XK_Right, VK_RIGHT, true},
      {XK_Down, VK_DOWN, true},
      {XK_Insert, VK_INSERT, true},
      {XK_Delete, VK_DELETE, true},
      {XK_Help, VK_HELP, false},
      {XK_KP_Enter, VK_RETURN, true},
      {XK_KP_Home, VK_HOME, false},
      {XK_KP_End, VK_END, false},
      {XK_KP_Prior, VK_PRIOR, false},
      {XK_KP_Next, VK_NEXT, false},
      {XK_KP_Left, VK_LEFT, false},
      {XK_KP_Up, VK_UP, false},
      {XK_KP_Right, VK_RIGHT, false},
      {XK_KP_Down, VK_DOWN, false},
      {XK_KP_Insert, VK_INSERT, false},
      {XK_KP_Delete, VK_DELETE, false},
      {XK_KP_Begin, VK_CLEAR, false},
      {XK_KP_Multiply, VK_MULTIPLY, false},
      {XK_KP_Add, VK_ADD, false},
      {XK_KP_Subtract, VK_SUBTRACT, false},
      {XK_KP_Decimal, VK_DECIMAL, false},
      {XK_KP_Separator, VK_DECIMAL, false},
      {XK_KP_Divide, VK_DIVIDE, true},
      {XK_semicolon, VK_OEM_1, false},
      {XK_equal, VK_OEM_PLUS, false},
      {XK_comma, VK_OEM_COMMA, false},
      {XK_minus, VK_OEM_MINUS, false},
      {XK_period, VK_OEM_PERIOD, false},
      {XK_slash, VK_OEM_2, false},
      {XK_grave, VK_OEM_3, false},
      {XK_bracketleft, VK_OEM_4, false},
      {XK_backslash, VK_OEM_5, false},
      {XK_bracketright, VK_OEM_6, false},
      {XK_apostrophe, VK_OEM_7, false},
      {XK_less, VK_OEM_102, false},
  };
  for (const Entry& e : kTable)
    if (e.keysym == ks) {
      extended = e.extended;
      return e.vk;
    }
  return 0;
}

char32_t KeysymToChar(unsigned long ks) {
  if ((ks >= 0x20 && ks <= 0x7E) || (ks >= 0xA0 && ks <= 0xFF)) return static_cast<char32_t>(ks);
  if (ks >= 0x01000100 && ks <= 0x0110FFFF) return static_cast<char32_t>(ks - 0x01000000);
  if (ks == XK_EuroSign) return U'\u20AC';
  if (ks >= XK_KP_0 && ks <= XK_KP_9) return static_cast<char32_t>(U'0' + (ks - XK_KP_0));
  switch (ks) {
    case XK_KP_Space:
      return U' ';
    case XK_KP_Multiply:
      return U'*';
    case XK_KP_Add:
      return U'+';
    case XK_KP_Subtract:
      return U'-';
    case XK_KP_Decimal:
      return U'.';
    case XK_KP_Divide:
      return U'/';
    case XK_KP_Equal:
      return U'=';
    default:
      return 0;
  }
}

}  // namespace qd::display
