// The text editor over its inner system edit: typing, selection and the clipboard through the
// input queue, keeping the text and the edit value in step, window text, digit groups.
#include <string>
#include <vector>

#include "editors/text_edit_test_util.h"
#include "platform/os/user.h"
#include "ui/editors/cxFilterEdits.h"

namespace qd::testing {
namespace {

struct ChangeCounter {
  int Changes = 0;
  int ValueChanges = 0;
  void Change(TObject*) { ++Changes; }
  void ValueChanged(TObject*) { ++ValueChanges; }
  void Attach(TcxCustomTextEdit* AEdit) {
    AEdit->Properties()->SetOnChange(MakeMethod(this, &ChangeCounter::Change));
    AEdit->Properties()->SetOnEditValueChanged(MakeMethod(this, &ChangeCounter::ValueChanged));
  }
};

TEST_F(TextEditTest, TypedTextBecomesTheEditValueWhenTheEditorIsLeft) {
  auto* edit = NewFocusedEdit<TcxTextEdit>();
  ASSERT_NE(edit->InnerTextEdit(), nullptr);
  ChangeCounter counter;
  counter.Attach(edit);
  EXPECT_EQ(GetFocus(), edit->InnerEdit()->GetControl()->Handle());

  Type(u"Abc");
  EXPECT_EQ(edit->GetDisplayText(), u"Abc");
  EXPECT_EQ(counter.Changes, 3);
  EXPECT_TRUE(edit->ModifiedAfterEnter());
  EXPECT_EQ(edit->EditingText(), u"Abc");

  FocusOther();
  EXPECT_EQ(VarToStr(edit->EditValue()), u"Abc");
  EXPECT_EQ(counter.ValueChanges, 1);
  EXPECT_FALSE(edit->ModifiedAfterEnter());
}

TEST_F(TextEditTest, KeysEditTheTextAtTheCaretAndTheSelection) {
  struct Case {
    const char* name;
    const char16_t* initial;
    int selStart;
    int selLength;
    std::vector<std::pair<int, bool>> keys;  // virtual key, Shift held
    const char16_t* typed;
    const char16_t* text;
    int caret;
  };
  const Case cases[] = {
      {"typing replaces the selection", u"hello", 1, 3, {}, u"X", u"hXo", 2},
      {"typing at the caret inserts", u"hello", 2, 0, {}, u"ab", u"heabllo", 4},
      {"backspace deletes before the caret", u"hello", 2, 0, {{VK_BACK, false}}, u"", u"hllo", 1},
      {"delete deletes after the caret", u"hello", 2, 0, {{VK_DELETE, false}}, u"", u"helo", 2},
      {"shift+left extends, typing replaces",
       u"hello",
       5,
       0,
       {{VK_LEFT, true}, {VK_LEFT, true}},
       u"p",
       u"help",
       4},
      {"home then typing", u"hello", 3, 0, {{VK_HOME, false}}, u"1", u"1hello", 1},
      {"end then typing", u"hello", 1, 0, {{VK_END, false}}, u"!", u"hello!", 6},
      {"up and down do not move the caret",
       u"hello",
       2,
       0,
       {{VK_UP, false}, {VK_DOWN, false}},
       u"-",
       u"he-llo",
       3},
  };
  auto* edit = NewFocusedEdit<TcxTextEdit>();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    edit->SetEditValue(Variant(String(c.initial)));
    edit->SetSelection(c.selStart, c.selLength);
    for (auto [vk, shift] : c.keys) Press(vk, shift);
    Type(c.typed);
    EXPECT_EQ(edit->GetDisplayText(), c.text);
    EXPECT_EQ(edit->SelStart(), c.caret);
  }
}

TEST_F(TextEditTest, ClipboardKeysGoThroughTheEditor) {
  auto* edit = NewFocusedEdit<TcxTextEdit>();
  ChangeCounter counter;
  counter.Attach(edit);
  edit->SetEditValue(Variant(String(u"hello world")));
  edit->SetSelection(0, 5);

  Press(u'C', false, true);  // Ctrl+C
  EXPECT_EQ(Clipboard()->AsText(), u"hello");
  EXPECT_EQ(edit->GetDisplayText(), u"hello world");

  Press(u'X', false, true);  // Ctrl+X
  EXPECT_EQ(Clipboard()->AsText(), u"hello");
  EXPECT_EQ(edit->GetDisplayText(), u" world");
  EXPECT_TRUE(edit->ModifiedAfterEnter());

  edit->SetSelStart(6);
  Press(u'V', false, true);  // Ctrl+V
  EXPECT_EQ(edit->GetDisplayText(), u" worldhello");
  EXPECT_EQ(edit->SelStart(), 11);

  SetClipboardText(u"one\r\ntwo");
  edit->SelectAll();
  Press(VK_INSERT, true);  // Shift+Insert
  EXPECT_EQ(edit->GetDisplayText(), u"one") << "a single-line edit pastes up to the line break";
  FocusOther();
  EXPECT_EQ(VarToStr(edit->EditValue()), u"one");
}

TEST_F(TextEditTest, ReadOnlyEditorRefusesTypingAndPasteButCopies) {
  auto* edit = NewFocusedEdit<TcxTextEdit>();
  edit->SetEditValue(Variant(String(u"fixed")));
  edit->Properties()->SetReadOnly(true);
  edit->SelectAll();
  Type(u"x");
  SetClipboardText(u"pasted");
  Press(u'V', false, true);
  EXPECT_EQ(edit->GetDisplayText(), u"fixed");
  edit->SelectAll();
  Press(u'C', false, true);
  EXPECT_EQ(Clipboard()->AsText(), u"fixed");
  EXPECT_FALSE(edit->ModifiedAfterEnter());
}

TEST_F(TextEditTest, MaxLengthLimitsTypingAndPaste) {
  auto* edit = NewFocusedEdit<TcxTextEdit>();
  edit->Properties()->SetMaxLength(5);
  Type(u"abcdefg");
  EXPECT_EQ(edit->GetDisplayText(), u"abcde");
  EXPECT_FALSE(os::TakeBeepsForTesting().empty()) << "typing past the limit beeps";

  // A paste keeps the text after the caret and fits in what room is left.
  edit->SetSelection(1, 2);  // "bc"
  SetClipboardText(u"XYZ");
  Press(u'V', false, true);
  EXPECT_EQ(edit->GetDisplayText(), u"aXYde");
}

// Whether a text may replace the selection during typing with a maximum length: only the
// inserted text is cut, the text after the selection is kept.
TEST_F(TextEditTest, CanChangeSelTextUnderMaxLength) {
  struct Case {
    const char* name;
    const char16_t* text;
    int caret;
    bool userAction;
    bool allowed;
    const char16_t* newText;
    int newCaret;
  };
  const Case cases[] = {
      {"caret at the end, nothing fits", u"abc", 3, true, true, u"abc", 3},
      {"text already too long", u"abcd", 4, true, false, u"", 0},
      {"inside, nothing fits: the tail stays", u"abc", 1, true, true, u"abc", 1},
      {"room for the value", u"ab", 1, true, true, u"axb", 2},
      {"outside a user action nothing is cut", u"abc", 1, false, true, u"axbc", 2},
  };
  auto* edit = NewFocusedEdit<TcxTextEdit>();
  edit->Properties()->SetMaxLength(3);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    edit->Properties()->SetMaxLength(0);
    edit->SetEditValue(Variant(String(c.text)));
    edit->Properties()->SetMaxLength(3);
    edit->SetSelection(c.caret, 0);
    String newText;
    int32_t newCaret = -1;
    if (c.userAction) edit->BeginUserAction();
    const bool allowed = edit->CanChangeSelText(u"x", newText, newCaret);
    if (c.userAction) edit->EndUserAction();
    EXPECT_EQ(allowed, c.allowed);
    if (!c.allowed) continue;
    EXPECT_EQ(newText, c.newText);
    EXPECT_EQ(newCaret, c.newCaret);
  }
}

TEST_F(TextEditTest, WindowTextAnswersTheCountCopied) {
  auto* edit = NewFocusedEdit<TcxTextEdit>();
  struct Case {
    const char16_t* text;
    int buffer;
    const char16_t* copied;
  };
  const Case cases[] = {
      {u"abcde", 4, u"abc"},
      {u"abcde", 0, u""},
      {u"abcde", 10, u"abcde"},
      // A surrogate pair is never split.
      {u"ab\U0001F600c", 4, u"ab"},
  };
  for (const Case& c : cases) {
    edit->SetEditValue(Variant(String(c.text)));
    Char buffer[16];
    std::fill(std::begin(buffer), std::end(buffer), u'#');
    const LRESULT n = SendMessageW(edit->Handle(), WM_GETTEXT, static_cast<WPARAM>(c.buffer),
                                   reinterpret_cast<LPARAM>(buffer));
    const String copied(c.copied);
    EXPECT_EQ(n, static_cast<LRESULT>(copied.size()));
    if (c.buffer > 0) EXPECT_EQ(String(buffer, static_cast<size_t>(n)), copied);
    EXPECT_EQ(SendMessageW(edit->Handle(), WM_GETTEXTLENGTH, 0, 0),
              static_cast<LRESULT>(String(c.text).size()));
  }
  // WM_SETTEXT goes through the editor's text: it becomes the edit value.
  EXPECT_EQ(SendMessageW(edit->Handle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(u"set")), 1);
  EXPECT_EQ(VarToStr(edit->EditValue()), u"set");
  EXPECT_EQ(edit->GetText(), u"set");
}

TEST_F(TextEditTest, EditValueReachesTheInnerEditWithCaseAndNullString) {
  auto* edit = NewFocusedEdit<TcxTextEdit>();
  edit->Properties()->SetCharCase(ecUpperCase);
  edit->SetEditValue(Variant(String(u"mixed Case")));
  EXPECT_EQ(edit->GetDisplayText(), u"MIXED CASE");
  edit->SetSelStart(10);
  Type(u"x");
  EXPECT_EQ(edit->GetDisplayText(), u"MIXED CASEX") << "typed letters follow the character case";
  edit->SetEditValue(Null());
  EXPECT_EQ(edit->GetDisplayText(), u"");
}

TEST_F(TextEditTest, EscapeRestoresTheValueAtEntry) {
  auto* edit = NewFocusedEdit<TcxTextEdit>();
  FocusOther();
  edit->SetEditValue(Variant(String(u"start")));
  edit->SetFocus();
  Application->ProcessMessages();
  edit->SelectAll();
  Type(u"new");
  EXPECT_EQ(edit->GetDisplayText(), u"new");
  Press(VK_ESCAPE);
  EXPECT_EQ(edit->GetDisplayText(), u"start");
  FocusOther();
  EXPECT_EQ(VarToStr(edit->EditValue()), u"start");
}

// Tab never reaches the system edit: it moves the focus on and leaves the text.
TEST_F(TextEditTest, TabMovesTheFocusOn) {
  auto* edit = NewFocusedEdit<TcxTextEdit>();
  Type(u"ab");
  Press(VK_TAB);
  EXPECT_EQ(edit->GetDisplayText(), u"ab");
  EXPECT_EQ(GetFocus(), other_->Handle());
  EXPECT_EQ(VarToStr(edit->EditValue()), u"ab");
}

TEST_F(TextEditTest, TextBaseLineLiesInTheTextArea) {
  auto* edit = NewFocusedEdit<TcxTextEdit>();
  edit->SetEditValue(Variant(String(u"Base")));
  ASSERT_TRUE(edit->HasTextBaseLine());
  const int32_t baseLine = edit->GetTextBaseLine();
  const TRect text = edit->ViewInfo()->TextRect;
  EXPECT_GT(baseLine, text.Top);
  EXPECT_LE(baseLine, text.Bottom);
}

TEST_F(TextEditTest, EnterBeepsOnlyWithBeepOnEnter) {
  auto* edit = NewFocusedEdit<TcxTextEdit>();
  os::TakeBeepsForTesting();
  Press(VK_RETURN);
  EXPECT_EQ(os::TakeBeepsForTesting().size(), 1u);
  edit->SetBeepOnEnter(false);
  Press(VK_RETURN);
  EXPECT_TRUE(os::TakeBeepsForTesting().empty());
}

TEST_F(TextEditTest, InnerEditFollowsTheProperties) {
  auto* edit = NewFocusedEdit<TcxTextEdit>();
  HWND inner = edit->InnerEdit()->GetControl()->Handle();
  EXPECT_EQ(SendMessageW(inner, EM_GETLIMITTEXT, 0, 0) > 0, true);
  edit->Properties()->SetMaxLength(7);
  EXPECT_EQ(SendMessageW(inner, EM_GETLIMITTEXT, 0, 0), 7);
  edit->Properties()->SetEchoMode(eemPassword);
  inner = edit->InnerEdit()->GetControl()->Handle();
  EXPECT_TRUE(GetWindowLongW(inner, GWL_STYLE) & ES_PASSWORD);
  edit->Properties()->SetPasswordChar(u'#');
  inner = edit->InnerEdit()->GetControl()->Handle();
  EXPECT_EQ(SendMessageW(inner, EM_GETPASSWORDCHAR, 0, 0), u'#');
  // The margins of the inner edit are 0 on the left and 1 on the right.
  EXPECT_EQ(SendMessageW(inner, EM_GETMARGINS, 0, 0), 1 << 16);
  // The inner edit takes the style's colours.
  edit->Style()->SetColor(clYellow);
  Application->ProcessMessages();
  EXPECT_EQ(edit->InnerEdit()->GetControl()->Color(), clYellow);
}

// Without a password character of its own the system's one is used: a bullet with the native
// look and visual styles, "*" otherwise.
TEST_F(TextEditTest, PasswordCharacterFollowsTheLook) {
  auto* edit = NewFocusedEdit<TcxTextEdit>();
  edit->Properties()->SetEchoMode(eemPassword);
  auto passwordChar = [&] {
    return SendMessageW(edit->InnerEdit()->GetControl()->Handle(), EM_GETPASSWORDCHAR, 0, 0);
  };
  EXPECT_EQ(passwordChar(), 0x25CF);
  edit->Style()->LookAndFeel()->SetNativeStyle(false);
  Application->ProcessMessages();
  EXPECT_EQ(passwordChar(), u'*');
  edit->Style()->LookAndFeel()->SetNativeStyle(true);
  Application->ProcessMessages();
  EXPECT_EQ(passwordChar(), 0x25CF);
  // A right-aligned editor that edits left-aligned, when its window is made.
  edit->Properties()->SetEchoMode(eemNormal);
  edit->Properties()->Alignment()->SetHorz(taRightJustify);
  edit->Properties()->SetEchoMode(eemPassword);
  EXPECT_EQ(passwordChar(), u'*');
}

// The columns of the editor's text area that hold dark (text) pixels: the first and the last.
std::pair<int, int> DarkColumns(HWND AForm, TcxCustomTextEdit* AEdit) {
  const os::WindowPixels pixels = os::ReadWindowPixels(AForm, true);
  const TRect r = AEdit->BoundsRect();
  int first = -1;
  int last = -1;
  for (int x = r.Left + 2; x < r.Right - 2; ++x)
    for (int y = r.Top + 2; y < r.Bottom - 2; ++y) {
      const uint32_t p = pixels.At(x, y);
      if (((p >> 16) & 0xFF) < 100 && ((p >> 8) & 0xFF) < 100 && (p & 0xFF) < 100) {
        if (first < 0) first = x - r.Left;
        last = x - r.Left;
        break;
      }
    }
  return {first, last};
}

// A right-aligned editor edits left-aligned; unfocused, its inner edit paints the text at the
// right itself.
TEST_F(TextEditTest, RightAlignedTextIsPaintedRightWhileUnfocused) {
  auto* edit = NewFocusedEdit<TcxTextEdit>();
  edit->Properties()->Alignment()->SetHorz(taRightJustify);
  edit->SetEditValue(Variant(String(u"1234")));
  edit->SetSelStart(0);
  UpdateWindow(form_->Handle());
  auto [focusedFirst, focusedLast] = DarkColumns(form_->Handle(), edit);
  ASSERT_GE(focusedFirst, 0);
  EXPECT_LT(focusedFirst, 8) << "focused: left-aligned";

  FocusOther();
  RedrawWindow(form_->Handle(), nullptr, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  auto [first, last] = DarkColumns(form_->Handle(), edit);
  ASSERT_GE(first, 0);
  EXPECT_GT(first, edit->Width() / 2) << "unfocused: the text stands at the right";
  EXPECT_GE(last, edit->Width() - 8);
  if (HasFailure()) SaveWindowPng(form_->Handle(), "text_edit_right_aligned");
}

TEST_F(TextEditTest, NoEditStyleHidesTheInnerEdit) {
  auto* edit = NewFocusedEdit<TcxTextEdit>();
  edit->SetEditValue(Variant(String(u"shown")));
  TWinControl* inner = edit->InnerEdit()->GetControl();
  EXPECT_GT(inner->Width(), 0);
  edit->Properties()->SetHideCursor(true);
  Application->ProcessMessages();
  EXPECT_EQ(inner->Width(), 0);
  EXPECT_EQ(edit->ViewInfo()->Text, u"shown") << "the view info draws the text instead";
  Type(u"x");
  EXPECT_EQ(edit->GetDisplayText(), u"shown");
}

TEST(TextEditUnitFunctions, StrToFloatEx) {
  struct Case {
    const char16_t* text;
    bool ok;
    double value;
  };
  const Case cases[] = {
      {u"", true, 0}, {u"1e400", false, 0}, {u"1,234.5", true, 1234.5}, {u"abc", false, 0}, {u"0", true, 0},
  };
  TFormatSettings saved = FormatSettings();
  FormatSettings().ThousandSeparator = u',';
  FormatSettings().DecimalSeparator = u'.';
  for (const Case& c : cases) {
    double v = -1;
    EXPECT_EQ(StrToFloatEx(c.text, v), c.ok) << StringToUtf8(c.text);
    EXPECT_EQ(v, c.value) << StringToUtf8(c.text);
  }
  FormatSettings() = saved;
}

TEST_F(TextEditTest, DigitGroupsKeepTheCaretAfterTheSameDigits) {
  auto* edit = NewFocusedEdit<TcxTextEdit>();
  TFormatSettings saved = FormatSettings();
  FormatSettings().ThousandSeparator = u',';
  FormatSettings().DecimalSeparator = u'.';
  struct Case {
    const char16_t* text;
    int caret;
    const char16_t* grouped;
    int newCaret;
  };
  const Case cases[] = {
      {u"1234567", 7, u"1,234,567", 9},
      {u"1,2345", 3, u"12,345", 2},
      {u"12a45", 2, u"12a45", 2},  // not a number: unchanged
  };
  for (const Case& c : cases) {
    edit->SetEditValue(Variant(String(c.text)));
    edit->SetSelection(c.caret, 0);
    SeparateDigitGroups(edit);
    EXPECT_EQ(edit->GetDisplayText(), c.grouped);
    EXPECT_EQ(edit->SelStart(), c.newCaret);
  }
  FormatSettings() = saved;
}

TEST_F(TextEditTest, RegisteredOnceWithItsDescription) {
  cxTextEdit::Initialize();
  cxTextEdit::Initialize();
  TcxRegisteredClasses* registered = GetRegisteredEditProperties();
  const TClass cls = TcxTextEditProperties::StaticClass();
  ASSERT_GE(registered->GetIndexByClass(cls), 0);
  EXPECT_EQ(registered->GetDescriptionByClass(cls), u"TextEdit");
  EXPECT_EQ(registered->GetHintByClass(cls), u"Represents a single line text editor");
  EXPECT_NE(FilterEditsController()->FindHelper(cls), nullptr);
  cxTextEdit::Finalize();
  EXPECT_GE(registered->GetIndexByClass(cls), 0);
  cxTextEdit::Finalize();
  EXPECT_LT(registered->GetIndexByClass(cls), 0);
}

}  // namespace
}  // namespace qd::testing
