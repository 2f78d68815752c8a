#pragma once
// Fixture for text editors on a shown form: keys typed through the real input queue, the
// clipboard, and the editor's change events.
#include <string>
#include <vector>

#include "editors/edit_test_util.h"
#include "platform/forms/clipbrd.h"
#include "platform/os/user_clipboard.h"
#include "platform/os/user_display.h"
#include "platform/os/user_edit.h"
#include "ui/editors/cxTextEdit.h"

namespace qd::testing {

class TextEditTest : public EditTest {
 protected:
  void SetUp() override {
    EditTest::SetUp();
    os::ResetClipboardForTesting();
    os::TakeBeepsForTesting();
  }
  void TearDown() override {
    os::ResetClipboardForTesting();
    EditTest::TearDown();
  }

  // A shown form with the editor (of class T) focused, and a second control to move the
  // focus to.
  template <class T>
  T* NewFocusedEdit() {
    form_ = NewPlainForm(240, 80);
    auto* edit = new T(form_);
    edit->SetParent(form_);
    edit->SetBounds(10, 10, 150, 21);
    other_ = new TButton(form_);
    other_->SetParent(form_);
    other_->SetBounds(10, 45, 75, 25);
    ShowAndUpdate(form_);
    edit->SetFocus();
    Application->ProcessMessages();
    return edit;
  }

  static void Key(int vk, bool down) { os::InjectKey(vk, down); }
  // A key pressed and released, with Shift or Ctrl held when asked.
  static void Press(int vk, bool shift = false, bool ctrl = false) {
    if (shift) Key(VK_SHIFT, true);
    if (ctrl) Key(VK_CONTROL, true);
    Key(vk, true);
    Key(vk, false);
    if (ctrl) Key(VK_CONTROL, false);
    if (shift) Key(VK_SHIFT, false);
    Application->ProcessMessages();
  }
  // Digits and letters go as their keys (upper case with Shift); other characters as
  // characters without a key.
  static void Type(const String& AText) {
    for (Char c : AText) {
      if (c >= u'0' && c <= u'9') {
        Press(c);
      } else if (c >= u'a' && c <= u'z') {
        Press(c - u'a' + u'A');
      } else if (c >= u'A' && c <= u'Z') {
        Press(c, true);
      } else {
        os::InjectKey(VK_PACKET, true, c);
        os::InjectKey(VK_PACKET, false, c);
        Application->ProcessMessages();
      }
    }
  }
  static void SetClipboardText(const String& AText) { Clipboard()->SetAsText(AText); }
  void FocusOther() {
    other_->SetFocus();
    Application->ProcessMessages();
  }

  TForm* form_ = nullptr;
  TButton* other_ = nullptr;
};

}  // namespace qd::testing
