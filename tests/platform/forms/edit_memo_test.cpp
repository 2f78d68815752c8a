// The edit and memo controls over the system EDIT class, their lines, and the clipboard
// object.
#include <string>
#include <vector>

#include "forms_test_util.h"
#include "platform/forms/clipbrd.h"
#include "platform/forms/stdctrls.h"
#include "platform/os/user_edit.h"

namespace qd::testing {

class TEditsForm : public TForm {
  QD_CLASS_INLINE(TEditsForm, TForm)
  QD_PUBLISHED(TEditsForm)

 public:
  using TForm::TForm;
  TMemo* mlog = nullptr;
  TEdit* edSenha = nullptr;
};

void TEditsForm::RegisterProperties(TPropertyRegistrar& r) {
  r.Field("mlog", &TEditsForm::mlog);
  r.Field("edSenha", &TEditsForm::edSenha);
}

namespace {

class EditMemoTest : public FormsTest {
 protected:
  void SetUp() override {
    FormsTest::SetUp();
    ResetClipboardForTesting();
  }
  void TearDown() override {
    ResetClipboardForTesting();
    FormsTest::TearDown();
  }
  static void ResetClipboardForTesting() { os::ResetClipboardForTesting(); }

  template <class T>
  T* NewOn(TForm* form, int w = 150, int h = 60) {
    auto* c = new T(form);
    c->SetParent(form);
    c->SetBounds(5, 5, w, h);
    return c;
  }

 public:
  void Counter(TObject*) { ++changes; }
  int changes = 0;
};

TEST_F(EditMemoTest, MemoLinesEditTheControlText) {
  enum Op { Add, Insert, Delete, Put, Clear, SetText };
  struct Step {
    Op op;
    int index;
    const char16_t* s;
  };
  struct Case {
    const char* name;
    const char16_t* initial;
    std::vector<Step> steps;
    String text;
    int count;
  };
  const Case cases[] = {
      {"adding to an empty memo", u"", {{Add, 0, u"a"}, {Add, 0, u"b"}}, u"a\r\nb\r\n", 2},
      {"adding after a line without a break", u"x", {{Add, 0, u"a"}}, u"x\r\na", 2},
      {"inserting before a line", u"a\r\nc", {{Insert, 1, u"b"}}, u"a\r\nb\r\nc", 3},
      {"deleting a middle line", u"a\r\nb\r\nc", {{Delete, 1, nullptr}}, u"a\r\nc", 2},
      {"deleting the last line", u"a\r\nb", {{Delete, 1, nullptr}}, u"a\r\n", 1},
      {"replacing a line", u"a\r\nb\r\n", {{Put, 0, u"long"}}, u"long\r\nb\r\n", 2},
      {"lone LF and CR break lines", u"a\nb\rc", {{Put, 1, u"B"}}, u"a\nB\rc", 3},
      {"clear", u"a\r\nb", {{Clear, 0, nullptr}, {Add, 0, u"z"}}, u"z\r\n", 1},
      {"setting the text", u"", {{SetText, 0, u"p\r\nq"}}, u"p\r\nq", 2},
  };
  for (bool withWindow : {true, false}) {
    for (const Case& c : cases) {
      TForm* form = NewPlainForm(200, 100);
      auto* memo = withWindow ? NewOn<TMemo>(form) : new TMemo(nullptr);
      memo->SetText(c.initial);
      for (const Step& s : c.steps) {
        TStrings* l = memo->Lines();
        switch (s.op) {
          case Add:
            l->Add(s.s);
            break;
          case Insert:
            l->Insert(s.index, s.s);
            break;
          case Delete:
            l->Delete(s.index);
            break;
          case Put:
            l->SetStrings(s.index, s.s);
            break;
          case Clear:
            l->Clear();
            break;
          case SetText:
            l->SetText(s.s);
            break;
        }
      }
      EXPECT_EQ(memo->Text(), c.text) << c.name << (withWindow ? "" : " (no window)");
      EXPECT_EQ(memo->Lines()->Count(), c.count) << c.name;
      EXPECT_EQ(memo->HandleAllocated(), withWindow) << c.name;
      if (!withWindow) delete memo;
      form->Free();
    }
  }
}

TEST_F(EditMemoTest, MemoLinesWorkOnAHiddenMemoAndChangesAreAnnounced) {
  TForm* form = NewPlainForm(200, 100);
  auto* memo = NewOn<TMemo>(form, 190, 90);
  memo->SetVisible(false);
  memo->OnChange = TNotifyEvent(this, &EditMemoTest::Counter);
  memo->Lines()->Add(u"CNPJ: 123");
  memo->Lines()->Add(u"NomeEXE: Modulo");
  EXPECT_EQ(changes, 2);
  EXPECT_EQ(memo->Lines()->Get(1), u"NomeEXE: Modulo");
  EXPECT_EQ(GetWindowTextLengthW(memo->Handle()), static_cast<int>(memo->Text().size()));
  ShowAndPaint(form);
  EXPECT_EQ(CountDifferent(form, Rect(0, 0, 200, 100), 0xFFFFFF), 0);  // hidden: nothing drawn
  memo->SetVisible(true);
  Application->ProcessMessages();
  EXPECT_GT(CountDifferent(form, Rect(8, 8, 190, 40), 0xFFFFFF), 20);
  // Lines of the window as shown: wrapping adds none to Lines.
  memo->Lines()->Add(String(200, u'w'));
  EXPECT_EQ(memo->Lines()->Count(), 3);
  EXPECT_GT(SendMessageW(memo->Handle(), EM_GETLINECOUNT, 0, 0), 4);
}

TEST_F(EditMemoTest, MemoStylesFollowItsProperties) {
  struct Case {
    const char* name;
    TScrollStyle bars;
    bool wordWrap, wantReturns, wantTabs;
    DWORD on, off;
    LRESULT dlgOn, dlgOff;
  };
  const Case cases[] = {
      {"defaults", ssNone, true, true, false, ES_MULTILINE | ES_WANTRETURN,
       ES_AUTOHSCROLL | WS_VSCROLL | WS_HSCROLL, DLGC_WANTALLKEYS, DLGC_WANTTAB},
      {"both bars, no wrap", ssBoth, false, true, false, WS_VSCROLL | WS_HSCROLL | ES_AUTOHSCROLL, 0,
       DLGC_WANTALLKEYS, DLGC_WANTTAB},
      {"vertical bar, tabs, no returns", ssVertical, true, false, true, WS_VSCROLL,
       WS_HSCROLL | ES_WANTRETURN, DLGC_WANTTAB, DLGC_WANTALLKEYS},
  };
  for (const Case& c : cases) {
    TForm* form = NewPlainForm(200, 100);
    auto* memo = NewOn<TMemo>(form);
    memo->SetText(u"kept");
    memo->HandleNeeded();
    memo->SetScrollBars(c.bars);
    memo->SetWordWrap(c.wordWrap);
    memo->SetWantReturns(c.wantReturns);
    memo->SetWantTabs(c.wantTabs);
    const auto style = static_cast<DWORD>(GetWindowLongW(memo->Handle(), GWL_STYLE));
    EXPECT_EQ(style & c.on, c.on) << c.name;
    EXPECT_EQ(style & c.off, 0u) << c.name;
    const LRESULT code = SendMessageW(memo->Handle(), WM_GETDLGCODE, 0, 0);
    EXPECT_EQ(code & c.dlgOn, c.dlgOn) << c.name;
    EXPECT_EQ(code & c.dlgOff, 0) << c.name;
    EXPECT_EQ(memo->Text(), u"kept") << c.name;  // recreating the window keeps the text
    form->Free();
  }
}

TEST_F(EditMemoTest, EditPropertiesReachTheWindowAndSurviveRecreation) {
  TForm* form = NewPlainForm(200, 100);
  auto* edit = NewOn<TEdit>(form, 150, 21);
  edit->SetMaxLength(5);
  edit->SetText(u"abc");
  edit->OnChange = TNotifyEvent(this, &EditMemoTest::Counter);
  EXPECT_EQ(changes, 0);  // set before the window existed
  edit->HandleNeeded();
  EXPECT_EQ(changes, 0);  // creating the window is no change
  EXPECT_FALSE(edit->Modified());
  edit->SetSelStart(3);
  SendMessageW(edit->Handle(), WM_CHAR, u'd', 0);
  SendMessageW(edit->Handle(), WM_CHAR, u'e', 0);
  SendMessageW(edit->Handle(), WM_CHAR, u'f', 0);  // over the limit
  EXPECT_EQ(edit->Text(), u"abcde");
  EXPECT_EQ(changes, 2);
  EXPECT_TRUE(edit->Modified());
  EXPECT_TRUE(edit->CanUndo());

  edit->SetSelStart(1);
  edit->SetSelLength(2);
  EXPECT_EQ(edit->SelText(), u"bc");
  edit->SetSelText(u"X");
  EXPECT_EQ(edit->Text(), u"aXde");
  EXPECT_EQ(edit->SelStart(), 2);
  EXPECT_EQ(edit->SelLength(), 0);

  // Style changes recreate the window: the text, the limit and the modified flag stay.
  edit->SetAlignment(taRightJustify);
  edit->SetCharCase(ecUpperCase);
  EXPECT_TRUE(GetWindowLongW(edit->Handle(), GWL_STYLE) & ES_RIGHT);
  EXPECT_TRUE(GetWindowLongW(edit->Handle(), GWL_STYLE) & ES_UPPERCASE);
  EXPECT_EQ(edit->Text(), u"AXDE");  // upper case from now on
  EXPECT_EQ(SendMessageW(edit->Handle(), EM_GETLIMITTEXT, 0, 0), 5);
  EXPECT_TRUE(edit->Modified());
  edit->SetSelStart(4);
  SendMessageW(edit->Handle(), WM_CHAR, u'q', 0);
  EXPECT_EQ(edit->Text(), u"AXDEQ");

  edit->SetReadOnly(true);
  SendMessageW(edit->Handle(), WM_CHAR, u'z', 0);
  EXPECT_EQ(edit->Text(), u"AXDEQ");
  edit->SetReadOnly(false);
  edit->SetPasswordChar(u'#');
  EXPECT_EQ(SendMessageW(edit->Handle(), EM_GETPASSWORDCHAR, 0, 0), u'#');
  edit->SelectAll();
  edit->CopyToClipboard();
  EXPECT_FALSE(Clipboard()->HasFormat(CF_UNICODETEXT));  // a password is not copied
  edit->SetPasswordChar(0);
  edit->CutToClipboard();
  EXPECT_EQ(Clipboard()->AsText(), u"AXDEQ");
  EXPECT_EQ(edit->Text(), u"");
  edit->Undo();
  EXPECT_EQ(edit->Text(), u"AXDEQ");
  Clipboard()->SetAsText(u"12345678");
  edit->SelectAll();
  edit->PasteFromClipboard();
  EXPECT_EQ(edit->Text(), u"12345");
  edit->SetTextHint(u"Pesquisar");
  Char hint[16] = {};
  SendMessageW(edit->Handle(), EM_GETCUEBANNER, reinterpret_cast<WPARAM>(hint), 16);
  EXPECT_EQ(String(hint), u"Pesquisar");
  edit->SetModified(false);
  EXPECT_FALSE(edit->Modified());
}

TEST_F(EditMemoTest, TypingThroughTheQueueReachesTheFocusedEdit) {
  TForm* form = NewPlainForm(200, 100);
  auto* edit = NewOn<TEdit>(form, 150, 21);
  edit->SetText(u"old");
  edit->OnChange = TNotifyEvent(this, &EditMemoTest::Counter);
  ShowAndPaint(form);
  edit->SetFocus();
  Application->ProcessMessages();
  EXPECT_EQ(edit->SelLength(), 3);  // AutoSelect on entering
  for (int vk : {'N', 'E', 'W'}) {
    os::InjectKey(vk, true);
    os::InjectKey(vk, false);
  }
  os::InjectKey(VK_CONTROL, true);
  os::InjectKey(VK_BACK, true);
  os::InjectKey(VK_BACK, false);
  os::InjectKey(VK_CONTROL, false);
  os::InjectKey('Z', true);
  os::InjectKey('Z', false);
  Application->ProcessMessages();
  EXPECT_EQ(edit->Text(), u"z");
  EXPECT_EQ(changes, 5);
  // The typed text is drawn.
  EXPECT_GT(CountDifferent(form, Rect(7, 7, 60, 24), 0xFFFFFF), 5);
}

TEST_F(EditMemoTest, StoredFormsSetLinesAndEditProperties) {
  RegisterStoredForm(u"TEditsForm",
                     uR"(object F: TEditsForm
  BorderStyle = bsNone
  ClientWidth = 200
  ClientHeight = 100
  PixelsPerInch = 96
  object mlog: TMemo
    Left = 0
    Top = 0
    Width = 200
    Height = 60
    Lines.Strings = (
      'primeira'
      'segunda')
    ScrollBars = ssVertical
    WordWrap = False
  end
  object edSenha: TEdit
    Left = 0
    Top = 70
    Width = 100
    Height = 21
    MaxLength = 4
    PasswordChar = '*'
    Text = 'abc'
  end
end
)");
  auto* f = NewForm<TEditsForm>(nullptr);
  ASSERT_NE(f->mlog, nullptr);
  EXPECT_FALSE(f->mlog->HandleAllocated());  // reading the lines made no window
  EXPECT_EQ(f->mlog->Lines()->Count(), 2);
  EXPECT_EQ(f->mlog->Lines()->Get(1), u"segunda");
  f->Show();
  Application->ProcessMessages();
  EXPECT_EQ(f->mlog->Text(), u"primeira\r\nsegunda\r\n");
  EXPECT_TRUE(GetWindowLongW(f->mlog->Handle(), GWL_STYLE) & WS_VSCROLL);
  EXPECT_TRUE(GetWindowLongW(f->mlog->Handle(), GWL_STYLE) & ES_AUTOHSCROLL);
  EXPECT_EQ(f->edSenha->Text(), u"abc");
  EXPECT_EQ(SendMessageW(f->edSenha->Handle(), EM_GETPASSWORDCHAR, 0, 0), u'*');
  EXPECT_EQ(SendMessageW(f->edSenha->Handle(), EM_GETLIMITTEXT, 0, 0), 4);
  f->Free();
  RegisterStoredForm(u"TEditsForm", u"");
}

TEST_F(EditMemoTest, MemoTakesEnterAndTabAsItsPropertiesSay) {
  struct Case {
    const char* name;
    bool wantReturns, wantTabs;
    String text;
  };
  const Case cases[] = {
      {"returns, no tabs", true, false, u"a\r\nb"},
      {"tabs, no returns", false, true, u"a\tb"},
  };
  for (const Case& c : cases) {
    TForm* form = NewPlainForm(200, 100);
    auto* memo = NewOn<TMemo>(form);
    memo->SetWantReturns(c.wantReturns);
    memo->SetWantTabs(c.wantTabs);
    ShowAndPaint(form);
    memo->SetFocus();
    for (int vk : {int{'A'}, VK_RETURN, VK_TAB, int{'B'}}) {
      os::InjectKey(vk, true);
      os::InjectKey(vk, false);
    }
    Application->ProcessMessages();
    EXPECT_EQ(memo->Text(), c.text) << c.name;
    form->Free();
  }
}

TEST_F(EditMemoTest, ClipboardObjectCarriesTextAndPictures) {
  TClipboard* cb = Clipboard();
  cb->SetAsText(u"ação");
  EXPECT_TRUE(cb->HasFormat(CF_UNICODETEXT));
  EXPECT_TRUE(cb->HasFormat(CF_TEXT));
  EXPECT_FALSE(cb->HasFormat(CF_BITMAP));
  EXPECT_EQ(cb->AsText(), u"ação");
  // Nested opening keeps the data set inside together.
  cb->Open();
  cb->SetAsText(u"one");
  HGLOBAL blob = GlobalAlloc(GMEM_MOVEABLE, 2);
  cb->SetAsHandle(RegisterClipboardFormatW(u"Blob"), blob);
  cb->Close();
  EXPECT_EQ(cb->AsText(), u"one");
  EXPECT_TRUE(cb->HasFormat(RegisterClipboardFormatW(u"blob")));

  TBitmap bmp;
  bmp.SetPixelFormat(pf32bit);
  bmp.SetSize(4, 3);
  bmp.Canvas()->Brush()->SetColor(clBlue);
  bmp.Canvas()->FillRect(Rect(0, 0, 4, 3));
  bmp.Canvas()->SetPixels(1, 2, clRed);
  cb->Assign(&bmp);
  EXPECT_TRUE(cb->HasFormat(CF_BITMAP));
  EXPECT_TRUE(cb->HasFormat(CF_PICTURE()));
  EXPECT_FALSE(cb->HasFormat(CF_UNICODETEXT));  // assigning replaced the text

  TPicture picture;
  picture.Assign(cb);
  ASSERT_NE(picture.Graphic(), nullptr);
  EXPECT_EQ(picture.Width(), 4);
  EXPECT_EQ(picture.Height(), 3);
  TBitmap back;
  back.Assign(cb);
  EXPECT_EQ(back.Canvas()->Pixels(1, 2), clRed);
  EXPECT_EQ(back.Canvas()->Pixels(0, 0), clBlue);

  cb->Clear();
  EXPECT_EQ(cb->FormatCount(), 0);
  TBitmap empty;
  EXPECT_THROW(empty.Assign(cb), EInvalidGraphic);
}

}  // namespace
}  // namespace qd::testing
