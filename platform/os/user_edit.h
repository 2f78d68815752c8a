#pragma once
// The system edit control: window class "EDIT", single-line and multi-line.
//
// Positions are UTF-16 code units. Line breaks in a multi-line edit are CR LF, a lone LF or a
// lone CR; a word-wrapped line ends without break characters. The line messages count the
// lines as shown (wrapped lines included). Notifications go to the parent as WM_COMMAND
// with the control's id and code; EN_UPDATE and EN_CHANGE follow every change of the text,
// WM_SETTEXT included.
//
// The undo buffer holds one step: EM_UNDO swaps the text and selection with it, so a second
// EM_UNDO redoes. Consecutive typed characters form one step.
//
// The text limit (EM_LIMITTEXT) applies to typing, pasting and EM_REPLACESEL; text cut at
// the limit sends EN_MAXTEXT (typing and pasting also beep). WM_SETTEXT is not limited.
//
// A formatting rectangle set with EM_SETRECT holds until the control's size changes.
//
// Margins from the font (EC_USEFONTINFO, also what WM_SETFONT sets) are a quarter of the
// font's average character width, at least one pixel, on each side.
#include <vector>

#include "platform/os/user.h"

namespace qd {

// Styles
constexpr DWORD ES_LEFT = 0x0000;
constexpr DWORD ES_CENTER = 0x0001;
constexpr DWORD ES_RIGHT = 0x0002;
constexpr DWORD ES_MULTILINE = 0x0004;
constexpr DWORD ES_UPPERCASE = 0x0008;
constexpr DWORD ES_LOWERCASE = 0x0010;
constexpr DWORD ES_PASSWORD = 0x0020;
constexpr DWORD ES_AUTOVSCROLL = 0x0040;
constexpr DWORD ES_AUTOHSCROLL = 0x0080;
constexpr DWORD ES_NOHIDESEL = 0x0100;
constexpr DWORD ES_OEMCONVERT = 0x0400;
constexpr DWORD ES_READONLY = 0x0800;
constexpr DWORD ES_WANTRETURN = 0x1000;
constexpr DWORD ES_NUMBER = 0x2000;

// Notifications (HIWORD of WM_COMMAND's wParam)
constexpr WORD EN_SETFOCUS = 0x0100;
constexpr WORD EN_KILLFOCUS = 0x0200;
constexpr WORD EN_CHANGE = 0x0300;
constexpr WORD EN_UPDATE = 0x0400;
constexpr WORD EN_ERRSPACE = 0x0500;
constexpr WORD EN_MAXTEXT = 0x0501;
constexpr WORD EN_HSCROLL = 0x0601;
constexpr WORD EN_VSCROLL = 0x0602;

// Messages
constexpr UINT EM_GETSEL = 0x00B0;
constexpr UINT EM_SETSEL = 0x00B1;
constexpr UINT EM_GETRECT = 0x00B2;
constexpr UINT EM_SETRECT = 0x00B3;
constexpr UINT EM_SETRECTNP = 0x00B4;
constexpr UINT EM_SCROLL = 0x00B5;
constexpr UINT EM_LINESCROLL = 0x00B6;
constexpr UINT EM_SCROLLCARET = 0x00B7;
constexpr UINT EM_GETMODIFY = 0x00B8;
constexpr UINT EM_SETMODIFY = 0x00B9;
constexpr UINT EM_GETLINECOUNT = 0x00BA;
constexpr UINT EM_LINEINDEX = 0x00BB;
constexpr UINT EM_SETHANDLE = 0x00BC;
constexpr UINT EM_GETHANDLE = 0x00BD;
constexpr UINT EM_GETTHUMB = 0x00BE;
constexpr UINT EM_LINELENGTH = 0x00C1;
constexpr UINT EM_REPLACESEL = 0x00C2;
constexpr UINT EM_GETLINE = 0x00C4;
constexpr UINT EM_LIMITTEXT = 0x00C5;
constexpr UINT EM_SETLIMITTEXT = EM_LIMITTEXT;
constexpr UINT EM_CANUNDO = 0x00C6;
constexpr UINT EM_UNDO = 0x00C7;
constexpr UINT EM_FMTLINES = 0x00C8;
constexpr UINT EM_LINEFROMCHAR = 0x00C9;
constexpr UINT EM_SETTABSTOPS = 0x00CB;
constexpr UINT EM_SETPASSWORDCHAR = 0x00CC;
constexpr UINT EM_EMPTYUNDOBUFFER = 0x00CD;
constexpr UINT EM_GETFIRSTVISIBLELINE = 0x00CE;
constexpr UINT EM_SETREADONLY = 0x00CF;
constexpr UINT EM_SETWORDBREAKPROC = 0x00D0;
constexpr UINT EM_GETWORDBREAKPROC = 0x00D1;
constexpr UINT EM_GETPASSWORDCHAR = 0x00D2;
constexpr UINT EM_SETMARGINS = 0x00D3;
constexpr UINT EM_GETMARGINS = 0x00D4;
constexpr UINT EM_GETLIMITTEXT = 0x00D5;
constexpr UINT EM_POSFROMCHAR = 0x00D6;
constexpr UINT EM_CHARFROMPOS = 0x00D7;
constexpr UINT ECM_FIRST = 0x1500;
constexpr UINT EM_SETCUEBANNER = ECM_FIRST + 1;
constexpr UINT EM_GETCUEBANNER = ECM_FIRST + 2;

// EM_SETMARGINS
constexpr WPARAM EC_LEFTMARGIN = 0x0001;
constexpr WPARAM EC_RIGHTMARGIN = 0x0002;
constexpr WPARAM EC_USEFONTINFO = 0xFFFF;

namespace user {
// The window procedure of the "EDIT" class.
LRESULT EditWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
}  // namespace user

namespace os {
// Tests: the MessageBeep calls since the last call (their types, oldest first).
std::vector<UINT> TakeBeepsForTesting();
}  // namespace os

}  // namespace qd
