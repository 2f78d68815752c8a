// The "EDIT" window class: selection, undo, limits, clipboard commands, margins and
// positions, typing and the mouse through the real queue, multi-line layout and the line
// messages, scrolling and painting.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>

#include "platform/base/strings.h"

#include "platform/os/user_clipboard.h"
#include "platform/os/user_edit.h"
#include "user_test_util.h"

namespace qd::testing {
namespace {

class EditTest : public WmTest {
 protected:
  void SetUp() override {
    WmTest::SetUp();
    os::ResetClipboardForTesting();
    os::TakeBeepsForTesting();
    font_ = CreateFontW(-16, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, u"DejaVu Sans Mono");
    parent_ = CreateRecorded("parent", WS_POPUP | WS_VISIBLE, 100, 100, 400, 300);
  }
  void TearDown() override {
    WmTest::TearDown();
    os::ResetClipboardForTesting();
    DeleteObject(font_);
  }

  HWND NewEdit(DWORD style, int w = 200, int h = 24, const Char* text = u"") {
    HWND e = CreateWindowExW(0, u"EDIT", text, WS_CHILD | WS_VISIBLE | style, 10, 10, w, h, parent_,
                             reinterpret_cast<HMENU>(uintptr_t{7}), nullptr, nullptr);
    SendMessageW(e, WM_SETFONT, reinterpret_cast<WPARAM>(font_), 0);
    MessageLog::Get().Clear();
    return e;
  }

  int CharWidth() {
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font_);
    SIZE s{};
    GetTextExtentPoint32W(dc, u"x", 1, &s);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    return s.cx;
  }
  int LineHeight() {
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font_);
    TEXTMETRICW tm;
    GetTextMetricsW(dc, &tm);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    return tm.tmHeight;
  }

  static String Text(HWND e) {
    String s(static_cast<size_t>(GetWindowTextLengthW(e)) + 1, u'\0');
    s.resize(static_cast<size_t>(GetWindowTextW(e, s.data(), static_cast<int>(s.size()))));
    return s;
  }
  static std::pair<int, int> Sel(HWND e) {
    DWORD a = 0, b = 0;
    SendMessageW(e, EM_GETSEL, reinterpret_cast<WPARAM>(&a), reinterpret_cast<LPARAM>(&b));
    return {static_cast<int>(a), static_cast<int>(b)};
  }
  static void SetSel(HWND e, int a, int b) { SendMessageW(e, EM_SETSEL, static_cast<WPARAM>(a), b); }
  static void Type(HWND e, const String& s) {
    for (Char c : s) SendMessageW(e, WM_CHAR, c, 0);
  }
  static void Replace(HWND e, const Char* s, bool undo = true) {
    SendMessageW(e, EM_REPLACESEL, undo, reinterpret_cast<LPARAM>(s));
  }
  // Presses a key with Shift and Ctrl held or not, sent straight to the control.
  static void Key(HWND e, int vk, bool shift = false, bool ctrl = false) {
    BYTE keys[256] = {};
    if (shift) keys[VK_SHIFT] = 0x80;
    if (ctrl) keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys);
    SendMessageW(e, WM_KEYDOWN, static_cast<WPARAM>(vk), 0);
    BYTE none[256] = {};
    SetKeyboardState(none);
  }

  static void PutClipboardText(const String& s) {
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, (s.size() + 1) * sizeof(Char));
    auto* p = static_cast<Char*>(GlobalLock(h));
    std::copy(s.begin(), s.end(), p);
    p[s.size()] = 0;
    GlobalUnlock(h);
    SetClipboardData(CF_UNICODETEXT, h);
    CloseClipboard();
  }
  static String ClipboardText() {
    if (!OpenClipboard(nullptr)) return u"<busy>";
    String s;
    if (HGLOBAL h = GetClipboardData(CF_UNICODETEXT)) s = static_cast<const Char*>(GlobalLock(h));
    CloseClipboard();
    return s;
  }

  // The notification codes the parent received from the edit, in order.
  std::vector<WORD> Notifications() {
    std::vector<WORD> out;
    for (const Logged& l : MessageLog::Get().Entries())
      if (l.hwnd == parent_ && l.msg == WM_COMMAND) out.push_back(HIWORD(l.wParam));
    return out;
  }
  int Count(WORD code) {
    auto n = Notifications();
    return static_cast<int>(std::count(n.begin(), n.end(), code));
  }

  HFONT font_ = nullptr;
  HWND parent_ = nullptr;
};

TEST_F(EditTest, SelectionKeepsAnchorAndCaretOrder) {
  struct Case {
    const char* name;
    int start, end;                       // EM_SETSEL
    std::pair<int, int> sel;              // EM_GETSEL afterwards
    std::pair<int, int> afterShiftRight;  // then Shift+Right moves the caret end
  };
  const Case cases[] = {
      {"forward", 2, 5, {2, 5}, {2, 6}},
      {"backward: caret at the lower end", 5, 2, {2, 5}, {3, 5}},
      {"end -1 is the text's end", 1, -1, {1, 10}, {1, 10}},
      {"start -1 drops the selection at the caret", -1, 0, {4, 4}, {4, 5}},
      {"clamped to the length", 30, 7, {7, 10}, {8, 10}},
  };
  for (const Case& c : cases) {
    HWND e = NewEdit(ES_AUTOHSCROLL, 200, 24, u"0123456789");
    SetSel(e, 4, 4);
    SetSel(e, c.start, c.end);
    EXPECT_EQ(Sel(e), c.sel) << c.name;
    Key(e, VK_RIGHT, true);
    EXPECT_EQ(Sel(e), c.afterShiftRight) << c.name;
    DestroyWindow(e);
  }
}

TEST_F(EditTest, UndoIsOneStepThatToggles) {
  HWND e = NewEdit(ES_AUTOHSCROLL, 200, 24, u"start");
  EXPECT_FALSE(SendMessageW(e, EM_CANUNDO, 0, 0));  // WM_SETTEXT leaves nothing to undo
  SetSel(e, 5, 5);
  Type(e, u" abc");  // typed characters make one step
  EXPECT_EQ(Text(e), u"start abc");
  EXPECT_TRUE(SendMessageW(e, EM_CANUNDO, 0, 0));
  EXPECT_TRUE(SendMessageW(e, EM_UNDO, 0, 0));
  EXPECT_EQ(Text(e), u"start");
  EXPECT_EQ(Sel(e), std::make_pair(5, 5));
  EXPECT_TRUE(SendMessageW(e, WM_UNDO, 0, 0));  // undoing the undo redoes
  EXPECT_EQ(Text(e), u"start abc");
  EXPECT_EQ(WM_UNDO, 0x304u);
  EXPECT_EQ(WM_CLEAR, 0x303u);

  SetSel(e, 0, 5);
  SendMessageW(e, WM_CLEAR, 0, 0);
  EXPECT_EQ(Text(e), u" abc");
  SendMessageW(e, EM_UNDO, 0, 0);
  EXPECT_EQ(Text(e), u"start abc");
  EXPECT_EQ(Sel(e), std::make_pair(0, 5));  // the cleared text comes back selected

  Replace(e, u"x", false);  // not undoable: the buffer empties
  EXPECT_FALSE(SendMessageW(e, EM_CANUNDO, 0, 0));
  EXPECT_FALSE(SendMessageW(e, EM_UNDO, 0, 0));
  Replace(e, u"y");
  SendMessageW(e, EM_EMPTYUNDOBUFFER, 0, 0);
  EXPECT_FALSE(SendMessageW(e, EM_CANUNDO, 0, 0));
  EXPECT_EQ(Text(e), u"xy abc");
}

TEST_F(EditTest, TextLimitCutsInsertionsBeepsForTheUserAndSendsMaxText) {
  struct Case {
    const char* name;
    std::function<void(HWND)> act;
    String text;
    int beeps;
    int maxText;
  };
  const Case cases[] = {
      {"typing stops at the limit", [](HWND e) { Type(e, u"xyz"); }, u"abcxy", 1, 1},
      {"paste is cut to the limit",
       [](HWND e) {
         PutClipboardText(u"12345");
         SendMessageW(e, WM_PASTE, 0, 0);
       },
       u"abc12", 1, 1},
      {"EM_REPLACESEL is cut without a beep", [](HWND e) { Replace(e, u"123"); }, u"abc12", 0, 1},
      {"replacing a selection makes room",
       [](HWND e) {
         SetSel(e, 0, 3);
         Type(e, u"12345");
       },
       u"12345", 0, 0},
      {"WM_SETTEXT is not limited", [](HWND e) { SetWindowTextW(e, u"0123456789"); }, u"0123456789", 0, 0},
  };
  for (const Case& c : cases) {
    HWND e = NewEdit(ES_AUTOHSCROLL, 200, 24, u"abc");
    SendMessageW(e, EM_LIMITTEXT, 5, 0);
    EXPECT_EQ(SendMessageW(e, EM_GETLIMITTEXT, 0, 0), 5) << c.name;
    SetSel(e, 3, 3);
    MessageLog::Get().Clear();
    os::TakeBeepsForTesting();
    c.act(e);
    EXPECT_EQ(Text(e), c.text) << c.name;
    EXPECT_EQ(static_cast<int>(os::TakeBeepsForTesting().size()), c.beeps) << c.name;
    EXPECT_EQ(Count(EN_MAXTEXT), c.maxText) << c.name;
    DestroyWindow(e);
  }
  HWND single = NewEdit(ES_AUTOHSCROLL);
  HWND multi = NewEdit(ES_MULTILINE, 200, 100);
  EXPECT_EQ(SendMessageW(single, EM_GETLIMITTEXT, 0, 0), 0x7FFF);
  SendMessageW(single, EM_LIMITTEXT, 0, 0);
  SendMessageW(multi, EM_LIMITTEXT, 0, 0);
  EXPECT_EQ(SendMessageW(single, EM_GETLIMITTEXT, 0, 0), 0x7FFFFFFE);
  EXPECT_EQ(static_cast<UINT>(SendMessageW(multi, EM_GETLIMITTEXT, 0, 0)), 0xFFFFFFFFu);
}

TEST_F(EditTest, PasteStopsAtTheFirstLineBreakInASingleLineEdit) {
  struct Case {
    const char* name;
    DWORD style;
    String clip;
    String text;
  };
  const Case cases[] = {
      {"single: CR LF", ES_AUTOHSCROLL, u"one\r\ntwo", u"[one]"},
      {"single: lone LF", ES_AUTOHSCROLL, u"one\ntwo", u"[one]"},
      {"single: starts with a break", ES_AUTOHSCROLL, u"\r\ntwo", u"[]"},
      {"multi keeps the lines", ES_MULTILINE, u"one\r\ntwo", u"[one\r\ntwo]"},
  };
  for (const Case& c : cases) {
    HWND e = NewEdit(c.style, 200, 60, u"[]");
    SetSel(e, 1, 1);
    PutClipboardText(c.clip);
    SendMessageW(e, WM_PASTE, 0, 0);
    EXPECT_EQ(Text(e), c.text) << c.name;
    DestroyWindow(e);
  }
  HWND ro = NewEdit(ES_AUTOHSCROLL | ES_READONLY, 200, 24, u"ro");
  PutClipboardText(u"x");
  SendMessageW(ro, WM_PASTE, 0, 0);
  EXPECT_EQ(Text(ro), u"ro");
}

TEST_F(EditTest, PastedTextIsCutSafely) {
  struct Case {
    const char* name;
    String clip;
    UINT limit;
    String text;
  };
  const Case cases[] = {
      {"stops at a NUL", String(u"ab\0cd", 5), 100, u"xyab"},
      {"the limit never splits a pair", u"c\U0001F600", 4, u"xyc"},
      {"a whole pair fits", u"c\U0001F600", 5, u"xyc\U0001F600"},
      {"a lone surrogate is kept as it is", u"\xD800z", 100, u"xy\xD800z"},
      {"a huge paste is cut to the limit", String(1'000'000, u'q'), 10, u"xy" + String(8, u'q')},
  };
  for (const Case& c : cases) {
    HWND e = NewEdit(ES_AUTOHSCROLL, 200, 24, u"xy");
    SendMessageW(e, EM_LIMITTEXT, c.limit, 0);
    SetSel(e, 2, 2);
    PutClipboardText(c.clip);
    SendMessageW(e, WM_PASTE, 0, 0);
    EXPECT_EQ(Text(e), c.text) << c.name;
    DestroyWindow(e);
  }
}

TEST_F(EditTest, PasswordEditsRefuseCopyAndCutAndShowBullets) {
  HWND e = NewEdit(ES_AUTOHSCROLL | ES_PASSWORD, 200, 24, u"secret");
  EXPECT_EQ(SendMessageW(e, EM_GETPASSWORDCHAR, 0, 0), 0x25CF);
  PutClipboardText(u"before");
  SetSel(e, 0, -1);
  SendMessageW(e, WM_COPY, 0, 0);
  SendMessageW(e, WM_CUT, 0, 0);
  EXPECT_EQ(ClipboardText(), u"before");
  EXPECT_EQ(Text(e), u"secret");
  // The caret stands after six bullets, not after "secret".
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, font_);
  SIZE bullets{};
  GetTextExtentPoint32W(dc, u"\u25CF\u25CF\u25CF\u25CF\u25CF\u25CF", 6, &bullets);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  const auto margin = LOWORD(SendMessageW(e, EM_GETMARGINS, 0, 0));
  EXPECT_EQ(GET_X_LPARAM(SendMessageW(e, EM_POSFROMCHAR, 6, 0)), margin + bullets.cx);

  SendMessageW(e, EM_SETPASSWORDCHAR, u'*', 0);
  EXPECT_EQ(SendMessageW(e, EM_GETPASSWORDCHAR, 0, 0), u'*');
  SendMessageW(e, EM_SETPASSWORDCHAR, 0, 0);  // no password any more
  EXPECT_FALSE(GetWindowLongW(e, GWL_STYLE) & ES_PASSWORD);
  SendMessageW(e, WM_COPY, 0, 0);
  EXPECT_EQ(ClipboardText(), u"secret");
}

TEST_F(EditTest, CopyCutAndClearWorkOnTheSelection) {
  HWND e = NewEdit(ES_AUTOHSCROLL, 200, 24, u"hello world");
  SetSel(e, 6, 11);
  SendMessageW(e, WM_COPY, 0, 0);
  EXPECT_EQ(ClipboardText(), u"world");
  SetSel(e, 0, 6);
  SendMessageW(e, WM_CUT, 0, 0);
  EXPECT_EQ(ClipboardText(), u"hello ");
  EXPECT_EQ(Text(e), u"world");
  SetSel(e, 5, 5);
  SendMessageW(e, WM_PASTE, 0, 0);
  EXPECT_EQ(Text(e), u"worldhello ");
  SendMessageW(e, EM_SETREADONLY, TRUE, 0);
  EXPECT_TRUE(GetWindowLongW(e, GWL_STYLE) & ES_READONLY);
  SetSel(e, 0, 5);
  SendMessageW(e, WM_CUT, 0, 0);
  SendMessageW(e, WM_CLEAR, 0, 0);
  Type(e, u"z");
  EXPECT_EQ(Text(e), u"worldhello ");  // read-only: nothing changes
  SendMessageW(e, WM_COPY, 0, 0);
  EXPECT_EQ(ClipboardText(), u"world");  // but copying works
}

TEST_F(EditTest, MarginsMoveTheFormattingRectangle) {
  const int fontMargin = std::max(1, CharWidth() / 4);
  struct Case {
    const char* name;
    WPARAM flags;
    LPARAM value;
    int left, right;
  };
  const Case cases[] = {
      {"left only", EC_LEFTMARGIN, MAKELPARAM(5, 9), 5, fontMargin},
      {"right only", EC_RIGHTMARGIN, MAKELPARAM(5, 9), fontMargin, 9},
      {"both", EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(0, 1), 0, 1},
      {"from the font", EC_USEFONTINFO, 0, fontMargin, fontMargin},
      {"one side from the font", EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(EC_USEFONTINFO, 3), fontMargin,
       3},
  };
  for (const Case& c : cases) {
    HWND e = NewEdit(ES_AUTOHSCROLL, 200, 24, u"abc");
    EXPECT_EQ(SendMessageW(e, EM_GETMARGINS, 0, 0), MAKELPARAM(fontMargin, fontMargin)) << c.name;
    SendMessageW(e, EM_SETMARGINS, c.flags, c.value);
    EXPECT_EQ(SendMessageW(e, EM_GETMARGINS, 0, 0), MAKELPARAM(c.left, c.right)) << c.name;
    RECT r;
    SendMessageW(e, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&r));
    EXPECT_EQ(r.Left, c.left) << c.name;
    EXPECT_EQ(r.Right, 200 - c.right) << c.name;
    EXPECT_EQ(GET_X_LPARAM(SendMessageW(e, EM_POSFROMCHAR, 0, 0)), c.left) << c.name;
    DestroyWindow(e);
  }
}

TEST_F(EditTest, PositionsAndCharactersAtPointsAgree) {
  const int w = CharWidth();
  struct Case {
    const char* name;
    DWORD style;
    int firstX;  // x of character 0 with margins 0
  };
  const int width = 200;
  const Case cases[] = {
      {"left", ES_LEFT, 0},
      {"right", ES_RIGHT, width - 10 * w - 1},
      {"centre", ES_CENTER, (width - 10 * w) / 2},
  };
  for (const Case& c : cases) {
    HWND e = NewEdit(c.style, width, 24, u"0123456789");
    SendMessageW(e, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, 0);
    for (int i = 0; i <= 10; ++i) {
      const LRESULT p = SendMessageW(e, EM_POSFROMCHAR, i, 0);
      EXPECT_EQ(GET_X_LPARAM(p), c.firstX + i * w) << c.name << " " << i;
      EXPECT_EQ(GET_Y_LPARAM(p), 0) << c.name;
      // A point just right of a character boundary gives that boundary.
      EXPECT_EQ(LOWORD(SendMessageW(e, EM_CHARFROMPOS, 0, MAKELPARAM(c.firstX + i * w + 1, 3))), i) << c.name;
    }
    EXPECT_EQ(SendMessageW(e, EM_POSFROMCHAR, 11, 0), -1) << c.name;
    EXPECT_EQ(LOWORD(SendMessageW(e, EM_CHARFROMPOS, 0, MAKELPARAM(width - 1, 3))),
              c.style == ES_RIGHT ? 10 : 10)
        << c.name;
    DestroyWindow(e);
  }
  // A scrolled single-line edit: (0, 0) is the first visible character.
  HWND e = NewEdit(ES_AUTOHSCROLL, 10 * w, 24);
  SendMessageW(e, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, 0);
  Type(e, u"abcdefghijklmnopqrstuvwxyz");
  const int first = LOWORD(SendMessageW(e, EM_CHARFROMPOS, 0, MAKELPARAM(0, 0)));
  EXPECT_GT(first, 0);
  EXPECT_EQ(SendMessageW(e, EM_GETFIRSTVISIBLELINE, 0, 0), first);
  EXPECT_EQ(GET_X_LPARAM(SendMessageW(e, EM_POSFROMCHAR, first, 0)), 0);
  const int caretX = GET_X_LPARAM(SendMessageW(e, EM_POSFROMCHAR, 26, 0));
  EXPECT_GE(caretX, 0);
  EXPECT_LT(caretX, 10 * w);  // the caret is in view
}

TEST_F(EditTest, KeyboardMovesSelectsAndDeletesByCharacterAndWord) {
  struct Case {
    const char* name;
    int caret;
    int vk;
    bool shift, ctrl;
    String text;
    std::pair<int, int> sel;
  };
  const String t = u"one two  three";
  const Case cases[] = {
      {"left", 5, VK_LEFT, false, false, t, {4, 4}},
      {"shift+right", 5, VK_RIGHT, true, false, t, {5, 6}},
      {"ctrl+right to the next word", 1, VK_RIGHT, false, true, t, {4, 4}},
      {"ctrl+right over two spaces", 5, VK_RIGHT, false, true, t, {9, 9}},
      {"ctrl+left to the word's start", 6, VK_LEFT, false, true, t, {4, 4}},
      {"ctrl+shift+left selects a word", 14, VK_LEFT, true, true, t, {9, 14}},
      {"home", 6, VK_HOME, false, false, t, {0, 0}},
      {"shift+end", 6, VK_END, true, false, t, {6, 14}},
      {"delete", 0, VK_DELETE, false, false, u"ne two  three", {0, 0}},
      {"ctrl+delete a word", 4, VK_DELETE, false, true, u"one three", {4, 4}},
      {"ctrl+backspace a word", 7, VK_BACK, false, true, u"one   three", {4, 4}},
      {"ctrl+backspace after spaces", 9, VK_BACK, false, true, u"one three", {4, 4}},
  };
  for (const Case& c : cases) {
    HWND e = NewEdit(ES_AUTOHSCROLL, 300, 24, t.c_str());
    SetSel(e, c.caret, c.caret);
    Key(e, c.vk, c.shift, c.ctrl);
    EXPECT_EQ(Text(e), c.text) << c.name;
    EXPECT_EQ(Sel(e), c.sel) << c.name;
    DestroyWindow(e);
  }
  // Characters of the control keys.
  HWND e = NewEdit(ES_AUTOHSCROLL, 300, 24, u"abc def");
  SendMessageW(e, WM_CHAR, 1, 0);  // Ctrl+A
  EXPECT_EQ(Sel(e), std::make_pair(0, 7));
  SendMessageW(e, WM_CHAR, 3, 0);  // Ctrl+C
  EXPECT_EQ(ClipboardText(), u"abc def");
  SendMessageW(e, WM_CHAR, 24, 0);  // Ctrl+X
  EXPECT_EQ(Text(e), u"");
  SendMessageW(e, WM_CHAR, 22, 0);  // Ctrl+V
  SendMessageW(e, WM_CHAR, 22, 0);
  EXPECT_EQ(Text(e), u"abc defabc def");
  SendMessageW(e, WM_CHAR, 26, 0);  // Ctrl+Z
  EXPECT_EQ(Text(e), u"abc def");
  SendMessageW(e, WM_CHAR, 8, 0);  // Backspace
  EXPECT_EQ(Text(e), u"abc de");
}

TEST_F(EditTest, CaseAndNumberStylesFilterTyping) {
  struct Case {
    const char* name;
    DWORD style;
    String typed, text;
    int beeps;
  };
  const Case cases[] = {
      {"upper", ES_UPPERCASE, u"aBc", u"ABC", 0},
      {"lower", ES_LOWERCASE, u"aBc", u"abc", 0},
      {"number", ES_NUMBER, u"1a2", u"12", 1},
      {"read-only", ES_READONLY, u"ab", u"", 2},
  };
  for (const Case& c : cases) {
    HWND e = NewEdit(ES_AUTOHSCROLL | c.style);
    os::TakeBeepsForTesting();
    Type(e, c.typed);
    EXPECT_EQ(Text(e), c.text) << c.name;
    EXPECT_EQ(static_cast<int>(os::TakeBeepsForTesting().size()), c.beeps) << c.name;
    DestroyWindow(e);
  }
}

TEST_F(EditTest, WithoutAutoScrollTypingStopsAtTheEdge) {
  const int w = CharWidth();
  const int h = LineHeight();
  struct Case {
    const char* name;
    DWORD style;
    int width, height;
    String typed, text;
    int beeps;
  };
  const Case cases[] = {
      {"single-line: the width", 0, 5 * w, h, u"abcdefg", u"abcde", 2},
      {"single-line with ES_AUTOHSCROLL scrolls", ES_AUTOHSCROLL, 5 * w, h, u"abcdefg", u"abcdefg", 0},
      {"multi-line: the height", ES_MULTILINE, 3 * w, 2 * h, u"abcdefgh", u"abcdef", 2},
      {"multi-line with ES_AUTOVSCROLL scrolls", ES_MULTILINE | ES_AUTOVSCROLL, 3 * w, 2 * h, u"abcdefgh",
       u"abcdefgh", 0},
  };
  for (const Case& c : cases) {
    HWND e = NewEdit(c.style, c.width, c.height);
    SendMessageW(e, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, 0);
    os::TakeBeepsForTesting();
    Type(e, c.typed);
    EXPECT_EQ(Text(e), c.text) << c.name;
    EXPECT_EQ(static_cast<int>(os::TakeBeepsForTesting().size()), c.beeps) << c.name;
    Replace(e, u"xyz");  // the program is not held back
    EXPECT_EQ(Text(e), c.text + u"xyz") << c.name;
    DestroyWindow(e);
  }
}

TEST_F(EditTest, TypingThroughTheQueueNotifiesTheParent) {
  HWND e = NewEdit(ES_AUTOHSCROLL);
  SetFocus(e);
  EXPECT_EQ(Notifications(), (std::vector<WORD>{EN_SETFOCUS}));
  MessageLog::Get().Clear();
  auto press = [](int vk) {
    os::InjectKey(vk, true);
    os::InjectKey(vk, false);
  };
  press('H');
  press('I');
  os::InjectKey(VK_SHIFT, true);
  press('J');
  press(VK_LEFT);
  os::InjectKey(VK_SHIFT, false);
  press(VK_SPACE);
  PumpMessages();
  EXPECT_EQ(Text(e), u"hi ");  // Shift+Left selected "J", the space replaced it
  EXPECT_EQ(Notifications(), (std::vector<WORD>{EN_UPDATE, EN_CHANGE, EN_UPDATE, EN_CHANGE, EN_UPDATE,
                                                EN_CHANGE, EN_UPDATE, EN_CHANGE}));
  EXPECT_TRUE(SendMessageW(e, EM_GETMODIFY, 0, 0));
  SendMessageW(e, EM_SETMODIFY, FALSE, 0);
  EXPECT_FALSE(SendMessageW(e, EM_GETMODIFY, 0, 0));
  POINT caret;
  GetCaretPos(&caret);
  EXPECT_EQ(caret.X, GET_X_LPARAM(SendMessageW(e, EM_POSFROMCHAR, 3, 0)));

  MessageLog::Get().Clear();
  SetWindowTextW(e, u"set");
  EXPECT_EQ(Notifications(), (std::vector<WORD>{EN_UPDATE, EN_CHANGE}));
  EXPECT_FALSE(SendMessageW(e, EM_GETMODIFY, 0, 0));
  MessageLog::Get().Clear();
  SetFocus(parent_);
  EXPECT_EQ(Notifications(), (std::vector<WORD>{EN_KILLFOCUS}));
}

TEST_F(EditTest, MouseClickDragAndDoubleClickSelect) {
  const int w = CharWidth();
  HWND e = NewEdit(ES_AUTOHSCROLL, 300, 24, u"alpha beta gamma");
  SendMessageW(e, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, 0);
  PumpMessages();
  auto at = [&](int ch) {
    POINT p{ch * w + 1, 5};
    ClientToScreen(e, &p);
    return p;
  };
  os::InjectMouseMove(at(2));
  os::InjectMouseButton(WM_LBUTTONDOWN, at(2));
  os::InjectMouseMove(at(8));
  os::InjectMouseButton(WM_LBUTTONUP, at(8));
  PumpMessages();
  EXPECT_EQ(GetFocus(), e);
  EXPECT_EQ(Sel(e), std::make_pair(2, 8));
  EXPECT_EQ(GetCapture(), nullptr);
  os::InjectKey(VK_SHIFT, true);
  os::InjectMouseButton(WM_LBUTTONDOWN, at(12));
  os::InjectMouseButton(WM_LBUTTONUP, at(12));
  os::InjectKey(VK_SHIFT, false);
  PumpMessages();
  EXPECT_EQ(Sel(e), std::make_pair(2, 12));  // Shift+click extends from the anchor

  os::ScopedVirtualClock clock;
  clock.Advance(1000);
  for (int i = 0; i < 2; ++i) {
    os::InjectMouseButton(WM_LBUTTONDOWN, at(7));
    os::InjectMouseButton(WM_LBUTTONUP, at(7));
  }
  PumpMessages();
  EXPECT_EQ(Sel(e), std::make_pair(6, 10));  // "beta"
}

TEST_F(EditTest, MultiLineWrapsAtWordsAndAnswersTheLineMessages) {
  const int w = CharWidth();
  // Nine characters fit on a line.
  HWND e = NewEdit(ES_MULTILINE, 9 * w, 10 * LineHeight());
  SendMessageW(e, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, 0);
  SetWindowTextW(e, u"one two three four\r\n\r\nabcdefghijklmnop\r\n");
  // "one two " | "three " | "four" | "" | "abcdefghi" | "jklmnop" | ""
  struct LineCase {
    int index, length;
    String text;
  };
  const LineCase lines[] = {{0, 8, u"one two "},   {8, 6, u"three "},   {14, 4, u"four"}, {20, 0, u""},
                            {22, 9, u"abcdefghi"}, {31, 7, u"jklmnop"}, {40, 0, u""}};
  ASSERT_EQ(SendMessageW(e, EM_GETLINECOUNT, 0, 0), 7);
  for (int i = 0; i < 7; ++i) {
    EXPECT_EQ(SendMessageW(e, EM_LINEINDEX, i, 0), lines[i].index) << i;
    EXPECT_EQ(SendMessageW(e, EM_LINELENGTH, lines[i].index, 0), lines[i].length) << i;
    EXPECT_EQ(SendMessageW(e, EM_LINEFROMCHAR, lines[i].index, 0), i) << i;
    Char buf[32] = {};
    buf[0] = 31;
    const LRESULT n = SendMessageW(e, EM_GETLINE, i, reinterpret_cast<LPARAM>(buf));
    EXPECT_EQ(String(buf, static_cast<size_t>(n)), lines[i].text) << i;
    EXPECT_EQ(GET_Y_LPARAM(SendMessageW(e, EM_POSFROMCHAR, lines[i].index, 0)), i * LineHeight()) << i;
  }
  EXPECT_EQ(SendMessageW(e, EM_LINEINDEX, 7, 0), -1);
  Char small[8] = {};
  small[0] = 3;
  EXPECT_EQ(SendMessageW(e, EM_GETLINE, 4, reinterpret_cast<LPARAM>(small)), 3);
  EXPECT_EQ(String(small, 3), u"abc");
  EXPECT_EQ(SendMessageW(e, EM_CHARFROMPOS, 0, MAKELPARAM(3 * w + 1, 4 * LineHeight() + 2)),
            MAKELPARAM(25, 4));
  // Right of a wrapped line: before its hanging space, or after its last character.
  EXPECT_EQ(LOWORD(SendMessageW(e, EM_CHARFROMPOS, 0, MAKELPARAM(9 * w - 1, 2))), 7);
  EXPECT_EQ(LOWORD(SendMessageW(e, EM_CHARFROMPOS, 0, MAKELPARAM(9 * w - 1, 4 * LineHeight() + 2))), 31);
  // The caret's line and the unselected rest of the selected lines.
  SetSel(e, 24, 24);
  EXPECT_EQ(SendMessageW(e, EM_LINEINDEX, static_cast<WPARAM>(-1), 0), 22);
  EXPECT_EQ(SendMessageW(e, EM_LINEFROMCHAR, static_cast<WPARAM>(-1), 0), 4);
  SetSel(e, 2, 10);
  EXPECT_EQ(SendMessageW(e, EM_LINELENGTH, static_cast<WPARAM>(-1), 0), 2 + 4);
  // Down keeps the column; End stops before a wrapped line's hanging space.
  SetSel(e, 2, 2);
  Key(e, VK_DOWN);
  EXPECT_EQ(Sel(e), std::make_pair(10, 10));
  Key(e, VK_END);
  EXPECT_EQ(Sel(e), std::make_pair(13, 13));
  // Enter inserts CR LF; the line count follows.
  SetSel(e, 3, 3);
  SendMessageW(e, WM_CHAR, u'\r', 0);
  EXPECT_EQ(Text(e).substr(0, 6), u"one\r\n ");
  EXPECT_EQ(SendMessageW(e, EM_GETLINECOUNT, 0, 0), 8);
}

TEST_F(EditTest, MultiLineScrollsByLinesAndKeepsTheScrollBarInStep) {
  const int h = LineHeight();
  HWND e = NewEdit(ES_MULTILINE | ES_AUTOVSCROLL | WS_VSCROLL, 200, 5 * h);
  String text;
  for (int i = 0; i < 20; ++i) text += u"line " + IntToStr(i) + (i < 19 ? u"\r\n" : u"");
  SetWindowTextW(e, text.c_str());
  MessageLog::Get().Clear();
  EXPECT_EQ(SendMessageW(e, EM_GETFIRSTVISIBLELINE, 0, 0), 0);
  EXPECT_TRUE(SendMessageW(e, EM_LINESCROLL, 0, 3));
  EXPECT_EQ(SendMessageW(e, EM_GETFIRSTVISIBLELINE, 0, 0), 3);
  SCROLLINFO si;
  si.fMask = SIF_ALL;
  GetScrollInfo(e, SB_VERT, &si);
  EXPECT_EQ(si.nMax, 19);
  EXPECT_EQ(si.nPos, 3);
  RECT client;
  GetClientRect(e, &client);
  EXPECT_EQ(static_cast<int>(si.nPage), client.Bottom / h);
  const int visible = static_cast<int>(si.nPage);
  EXPECT_EQ(SendMessageW(e, EM_SCROLL, SB_PAGEDOWN, 0), MAKELPARAM(visible, TRUE));
  EXPECT_EQ(SendMessageW(e, EM_SCROLL, SB_LINEUP, 0), MAKELPARAM(static_cast<WORD>(-1), TRUE));
  EXPECT_EQ(SendMessageW(e, EM_LINESCROLL, 0, 100), TRUE);
  EXPECT_EQ(SendMessageW(e, EM_GETFIRSTVISIBLELINE, 0, 0), 20 - visible);  // no further than the last page
  SetSel(e, 0, 0);
  SendMessageW(e, EM_SCROLLCARET, 0, 0);
  EXPECT_EQ(SendMessageW(e, EM_GETFIRSTVISIBLELINE, 0, 0), 0);
  // The scroll bar and the wheel scroll and tell the parent.
  SendMessageW(e, WM_VSCROLL, SB_LINEDOWN, 0);
  EXPECT_EQ(SendMessageW(e, EM_GETFIRSTVISIBLELINE, 0, 0), 1);
  SendMessageW(e, WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), 0);
  EXPECT_EQ(SendMessageW(e, EM_GETFIRSTVISIBLELINE, 0, 0), 4);
  EXPECT_EQ(Count(EN_VSCROLL), 2);
  // Typing at the end brings the caret into view.
  SetSel(e, -0, 0);
  SetSel(e, static_cast<int>(text.size()), static_cast<int>(text.size()));
  Type(e, u"!");
  EXPECT_EQ(SendMessageW(e, EM_GETFIRSTVISIBLELINE, 0, 0), 20 - visible);
  EXPECT_EQ(SendMessageW(e, EM_SCROLL, 99, 0), FALSE);
}

TEST_F(EditTest, GetTextCopiesWhatFitsWithoutSplittingAPair) {
  HWND e = NewEdit(ES_AUTOHSCROLL, 200, 24, u"ab\U0001F600c");
  struct Case {
    WPARAM size;
    LRESULT copied;
    String text;
  };
  const Case cases[] = {
      {1, 0, u""}, {3, 2, u"ab"}, {4, 2, u"ab"}, {5, 4, u"ab\U0001F600"}, {10, 5, u"ab\U0001F600c"}};
  for (const Case& c : cases) {
    Char buf[16];
    std::fill(std::begin(buf), std::end(buf), u'#');
    EXPECT_EQ(SendMessageW(e, WM_GETTEXT, c.size, reinterpret_cast<LPARAM>(buf)), c.copied) << c.size;
    EXPECT_EQ(String(buf), c.text) << c.size;
  }
  EXPECT_EQ(SendMessageW(e, WM_GETTEXTLENGTH, 0, 0), 5);
  SetSel(e, 3, 3);
  Key(e, VK_LEFT);
  EXPECT_EQ(Sel(e), std::make_pair(2, 2));  // a pair moves as one character
}

TEST_F(EditTest, CueBannerDialogCodeAndFont) {
  HWND single = NewEdit(ES_AUTOHSCROLL);
  HWND multi = NewEdit(ES_MULTILINE | ES_WANTRETURN, 200, 60);
  EXPECT_TRUE(SendMessageW(single, EM_SETCUEBANNER, FALSE, reinterpret_cast<LPARAM>(u"Search")));
  EXPECT_FALSE(SendMessageW(multi, EM_SETCUEBANNER, FALSE, reinterpret_cast<LPARAM>(u"Search")));
  Char buf[16] = {};
  EXPECT_TRUE(SendMessageW(single, EM_GETCUEBANNER, reinterpret_cast<WPARAM>(buf), 16));
  EXPECT_EQ(String(buf), u"Search");
  const LRESULT base = DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS;
  EXPECT_EQ(SendMessageW(single, WM_GETDLGCODE, 0, 0), base);
  EXPECT_EQ(SendMessageW(multi, WM_GETDLGCODE, 0, 0), base | DLGC_WANTALLKEYS);
  MSG esc{multi, WM_KEYDOWN, VK_ESCAPE, 0};
  EXPECT_EQ(SendMessageW(multi, WM_GETDLGCODE, 0, reinterpret_cast<LPARAM>(&esc)), base);
  MSG enter{multi, WM_KEYDOWN, VK_RETURN, 0};
  EXPECT_EQ(SendMessageW(multi, WM_GETDLGCODE, 0, reinterpret_cast<LPARAM>(&enter)), base | DLGC_WANTALLKEYS);
  EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(single, WM_GETFONT, 0, 0)), font_);
}

TEST_F(EditTest, PaintsTheSelectionHighlightAndAsksTheParentForColours) {
  HWND e = NewEdit(ES_AUTOHSCROLL | ES_NOHIDESEL, 200, 24, u"MMMM");
  SendMessageW(e, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, 0);
  SetSel(e, 0, 2);
  UpdateWindow(parent_);
  UpdateWindow(e);
  os::WindowPixels px = os::ReadWindowPixels(parent_, true);
  const int w = CharWidth();
  auto count = [&](int x0, int x1, COLORREF c) {
    const uint32_t rgb = (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
    int n = 0;
    for (int y = 10; y < 10 + LineHeight(); ++y)
      for (int x = 10 + x0; x < 10 + x1; ++x)
        if ((px.At(x, y) & 0xFFFFFF) == rgb) ++n;
    return n;
  };
  const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
  EXPECT_GT(count(0, 2 * w, highlight), w * LineHeight() / 2);  // the selected pair
  EXPECT_EQ(count(2 * w, 4 * w, highlight), 0);
  auto asked = [&](UINT m) {
    for (const Logged& l : MessageLog::Get().Entries())
      if (l.hwnd == parent_ && l.msg == m && reinterpret_cast<HWND>(l.lParam) == e) return true;
    return false;
  };
  EXPECT_TRUE(asked(WM_CTLCOLOREDIT));
  EXPECT_FALSE(asked(WM_CTLCOLORSTATIC));
  MessageLog::Get().Clear();
  SendMessageW(e, EM_SETREADONLY, TRUE, 0);
  UpdateWindow(e);
  EXPECT_TRUE(asked(WM_CTLCOLORSTATIC));
  SendMessageW(e, EM_SETREADONLY, FALSE, 0);
  EnableWindow(e, FALSE);
  MessageLog::Get().Clear();
  UpdateWindow(e);
  EXPECT_TRUE(asked(WM_CTLCOLORSTATIC));  // disabled
  EXPECT_FALSE(asked(WM_CTLCOLOREDIT));
}

TEST_F(EditTest, RightToLeftTextKeepsCaretsAndSelectionOnItsGlyphs) {
  // "ab " then a Hebrew word, shown as "ab " and the word read right to left.
  HWND e = NewEdit(ES_AUTOHSCROLL | ES_NOHIDESEL, 200, 24, u"ab \u05D0\u05D1\u05D2");
  SendMessageW(e, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, 0);
  auto width = [&](const Char* s) {
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font_);
    SIZE size{};
    GetTextExtentPoint32W(dc, s, 1, &size);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    return static_cast<int>(size.cx);
  };
  // The cells on screen: "ab " from 0, then gimel, bet, alef.
  const int gimel = 3 * CharWidth(), bet = gimel + width(u"\u05D2"), alef = bet + width(u"\u05D1");
  const int end = alef + width(u"\u05D0");
  auto x = [&](int ch) { return GET_X_LPARAM(SendMessageW(e, EM_POSFROMCHAR, ch, 0)); };
  EXPECT_EQ(x(2), 2 * CharWidth());
  EXPECT_EQ(x(3), end);  // before alef: the caret is at the right edge of alef's cell
  EXPECT_EQ(x(4), alef);
  EXPECT_EQ(x(5), bet);
  auto at = [&](int px) { return LOWORD(SendMessageW(e, EM_CHARFROMPOS, 0, MAKELPARAM(px, 3))); };
  EXPECT_EQ(at(end - 2), 3);    // the right half of alef comes before it
  EXPECT_EQ(at(alef + 1), 4);   // its left half after it
  EXPECT_EQ(at(gimel + 1), 6);  // the left half of gimel is the end of the word
  EXPECT_EQ(at(1), 0);
  // Selecting alef highlights its cell, not the cells after it in logical order.
  SetSel(e, 3, 4);
  UpdateWindow(parent_);
  UpdateWindow(e);
  os::WindowPixels px = os::ReadWindowPixels(parent_, true);
  const COLORREF c = GetSysColor(COLOR_HIGHLIGHT);
  const uint32_t highlight = (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
  auto count = [&](int x0, int x1) {
    int n = 0;
    for (int y = 10; y < 10 + LineHeight(); ++y)
      for (int xx = 10 + x0; xx < 10 + x1; ++xx) n += (px.At(xx, y) & 0xFFFFFF) == highlight;
    return n;
  };
  EXPECT_GT(count(alef, end), (end - alef) * LineHeight() / 2);  // the glyph is in the highlight text colour
  EXPECT_EQ(count(0, alef), 0);
  EXPECT_EQ(count(end, end + 20), 0);
}

TEST_F(EditTest, FormattingRectangleFromEmSetRectUntilTheSizeChanges) {
  HWND e = NewEdit(ES_MULTILINE, 200, 100, u"abc");
  RECT r{20, 10, 150, 90};
  SendMessageW(e, EM_SETRECT, 0, reinterpret_cast<LPARAM>(&r));
  RECT got;
  SendMessageW(e, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&got));
  EXPECT_EQ(got, r);
  EXPECT_EQ(SendMessageW(e, EM_POSFROMCHAR, 0, 0), MAKELPARAM(20, 10));
  EXPECT_EQ(LOWORD(SendMessageW(e, EM_CHARFROMPOS, 0, MAKELPARAM(0, 0))), 0);
  SetWindowPos(e, nullptr, 0, 0, 180, 100, SWP_NOMOVE | SWP_NOZORDER);
  SendMessageW(e, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&got));
  const auto margins = SendMessageW(e, EM_GETMARGINS, 0, 0);
  EXPECT_EQ(got.Left, LOWORD(margins));
  EXPECT_EQ(got.Right, 180 - HIWORD(margins));
  EXPECT_EQ(got.Top, 0);
  SendMessageW(e, EM_SETRECT, 0, 0);  // none: back to the default
  SendMessageW(e, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&got));
  EXPECT_EQ(got.Left, LOWORD(margins));
}

// ---- Clipboard --------------------------------------------------------------------------------

class ClipboardTest : public WmTest {
 protected:
  void SetUp() override {
    WmTest::SetUp();
    os::ResetClipboardForTesting();
  }
  void TearDown() override {
    os::ResetClipboardForTesting();
    WmTest::TearDown();
  }
  static HGLOBAL Global(const void* data, size_t size) {
    HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, size);
    std::memcpy(GlobalLock(h), data, size);
    GlobalUnlock(h);
    return h;
  }
  static std::vector<UINT> Formats() {
    std::vector<UINT> out;
    for (UINT f = EnumClipboardFormats(0); f; f = EnumClipboardFormats(f)) out.push_back(f);
    return out;
  }
};

TEST_F(ClipboardTest, TextRoundTripsAndIsSynthesisedBetweenFormats) {
  const String text = u"Olá, ação €";
  ASSERT_TRUE(OpenClipboard(nullptr));
  ASSERT_TRUE(EmptyClipboard());
  SetClipboardData(CF_UNICODETEXT, Global(text.c_str(), (text.size() + 1) * sizeof(Char)));
  EXPECT_EQ(Formats(), (std::vector<UINT>{CF_UNICODETEXT, CF_LOCALE, CF_TEXT, CF_OEMTEXT}));
  EXPECT_EQ(CountClipboardFormats(), 4);
  auto* ansi = static_cast<const char*>(GlobalLock(GetClipboardData(CF_TEXT)));
  EXPECT_EQ(std::string(ansi), "Ol\xE1, a\xE7\xE3o \x80");
  EXPECT_EQ(String(static_cast<const Char*>(GlobalLock(GetClipboardData(CF_UNICODETEXT)))), text);
  EXPECT_TRUE(CloseClipboard());
  EXPECT_TRUE(IsClipboardFormatAvailable(CF_TEXT));
  EXPECT_FALSE(IsClipboardFormatAvailable(CF_BITMAP));
  EXPECT_EQ(GetClipboardData(CF_UNICODETEXT), nullptr);  // not open

  // ANSI text in, Unicode out.
  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  SetClipboardData(CF_TEXT, Global("caf\xE9", 5));
  EXPECT_EQ(String(static_cast<const Char*>(GlobalLock(GetClipboardData(CF_UNICODETEXT)))), u"café");
  CloseClipboard();
}

TEST_F(ClipboardTest, OneOpenerAtATimeAndTheOwnerHearsWhenItLosesTheData) {
  HWND a = CreateRecorded("a", WS_POPUP, 0, 0, 10, 10);
  HWND b = CreateRecorded("b", WS_POPUP, 0, 0, 10, 10);
  ASSERT_TRUE(OpenClipboard(a));
  EXPECT_EQ(GetOpenClipboardWindow(), a);
  EXPECT_FALSE(OpenClipboard(b));
  EmptyClipboard();
  SetClipboardData(CF_UNICODETEXT, Global(u"x", 4));
  CloseClipboard();
  EXPECT_EQ(GetClipboardOwner(), a);
  EXPECT_FALSE(CloseClipboard());
  MessageLog::Get().Clear();
  ASSERT_TRUE(OpenClipboard(b));
  EmptyClipboard();
  CloseClipboard();
  std::vector<HWND> told;
  for (const Logged& l : MessageLog::Get().Entries())
    if (l.msg == WM_DESTROYCLIPBOARD) told.push_back(l.hwnd);
  EXPECT_EQ(told, std::vector<HWND>{a});
  EXPECT_EQ(GetClipboardOwner(), b);
  EXPECT_FALSE(IsClipboardFormatAvailable(CF_UNICODETEXT));
}

TEST_F(ClipboardTest, RegisteredFormatsAndPromisedData) {
  const UINT f = RegisterClipboardFormatW(u"Quarrendelvish Picture");
  EXPECT_GE(f, 0xC000u);
  EXPECT_EQ(RegisterClipboardFormatW(u"QUARRENDELVISH picture"), f);
  EXPECT_NE(RegisterClipboardFormatW(u"Another"), f);
  Char name[64] = {};
  EXPECT_GT(GetClipboardFormatNameW(f, name, 64), 0);
  EXPECT_EQ(String(name), u"Quarrendelvish Picture");

  // A promised format is rendered by its owner on request.
  HWND owner = CreateRecorded("owner", WS_POPUP, 0, 0, 10, 10);
  SetOverride(owner, [f](HWND, UINT m, WPARAM w, LPARAM, LRESULT& r) {
    if (m != WM_RENDERFORMAT || w != f) return false;
    const uint8_t bytes[3] = {1, 2, 3};
    HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, 3);
    std::memcpy(GlobalLock(h), bytes, 3);
    GlobalUnlock(h);
    SetClipboardData(f, h);
    r = 0;
    return true;
  });
  ASSERT_TRUE(OpenClipboard(owner));
  EmptyClipboard();
  SetClipboardData(f, nullptr);
  EXPECT_TRUE(IsClipboardFormatAvailable(f));
  HGLOBAL h = GetClipboardData(f);
  ASSERT_NE(h, nullptr);
  EXPECT_EQ(GlobalSize(h), 3u);
  EXPECT_EQ(static_cast<const uint8_t*>(GlobalLock(h))[2], 3);
  GlobalUnlock(h);
  EXPECT_EQ(Formats(), (std::vector<UINT>{f}));
  CloseClipboard();
}

TEST_F(ClipboardTest, BitmapsAndDibsAreMadeFromEachOther) {
  // A 3 x 2 bitmap with one red pixel.
  HDC screen = GetDC(nullptr);
  HBITMAP bmp = CreateCompatibleBitmap(screen, 3, 2);
  HDC mem = CreateCompatibleDC(screen);
  HGDIOBJ old = SelectObject(mem, bmp);
  RECT all{0, 0, 3, 2};
  FillRect(mem, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  SetPixel(mem, 2, 0, RGB(255, 0, 0));
  SelectObject(mem, old);
  DeleteDC(mem);
  ReleaseDC(nullptr, screen);

  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  SetClipboardData(CF_BITMAP, bmp);
  EXPECT_TRUE(IsClipboardFormatAvailable(CF_DIB));
  HGLOBAL dib = GetClipboardData(CF_DIB);
  ASSERT_NE(dib, nullptr);
  const auto* hdr = static_cast<const BITMAPINFOHEADER*>(GlobalLock(dib));
  EXPECT_EQ(hdr->biWidth, 3);
  EXPECT_EQ(hdr->biHeight, 2);
  EXPECT_EQ(hdr->biBitCount, 32);
  // Bottom-up rows: the red pixel (2, 0) is in the second row.
  const auto* px = reinterpret_cast<const uint32_t*>(reinterpret_cast<const uint8_t*>(hdr) + hdr->biSize);
  EXPECT_EQ(px[3 + 2] & 0xFFFFFF, 0xFF0000u);
  EXPECT_EQ(px[0] & 0xFFFFFF, 0xFFFFFFu);
  const std::vector<uint8_t> copy(reinterpret_cast<const uint8_t*>(hdr),
                                  reinterpret_cast<const uint8_t*>(hdr) + GlobalSize(dib));
  GlobalUnlock(dib);

  // And back: a DIB gives a bitmap with the same pixels.
  EmptyClipboard();
  SetClipboardData(CF_DIB, Global(copy.data(), copy.size()));
  auto back = static_cast<HBITMAP>(GetClipboardData(CF_BITMAP));
  ASSERT_NE(back, nullptr);
  HDC dc = CreateCompatibleDC(nullptr);
  old = SelectObject(dc, back);
  EXPECT_EQ(GetPixel(dc, 2, 0), RGB(255, 0, 0));
  EXPECT_EQ(GetPixel(dc, 0, 1), RGB(255, 255, 255));
  SelectObject(dc, old);
  DeleteDC(dc);
  // A DIB that claims more pixels than it holds gives no bitmap.
  EmptyClipboard();
  BITMAPINFOHEADER lying;
  lying.biWidth = 1000;
  lying.biHeight = 1000;
  lying.biBitCount = 32;
  std::vector<uint8_t> shortDib(sizeof(lying) + 16, 0);
  std::memcpy(shortDib.data(), &lying, sizeof(lying));
  SetClipboardData(CF_DIB, Global(shortDib.data(), shortDib.size()));
  EXPECT_EQ(GetClipboardData(CF_BITMAP), nullptr);
  CloseClipboard();
}

}  // namespace
}  // namespace qd::testing
