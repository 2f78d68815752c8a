// The popup edit: the hosted control moves into the popup and back with its own data, whatever
// closes the popup; the popup takes its size from the control; the circular-reference check.
// The popup takes the focus and runs its modal loop, so each test scripts what happens while
// it is open from the OnPopup handler.
#include <functional>
#include <string>
#include <vector>

#include "editors/text_edit_test_util.h"
#include "platform/classes/filer.h"
#include "platform/forms/extctrls.h"
#include "ui/editors/cxDropDownEditPopupEdit.h"

namespace qd::testing {
namespace {

const char* ReasonName(TcxEditCloseUpReason AReason) {
  static const char* names[] = {"crUnknown", "crTab", "crClose", "crCancel", "crEnter"};
  return names[AReason];
}

class PopupEditTest : public TextEditTest {
 protected:
  void SetUp() override {
    TextEditTest::SetUp();
    cxDropDownEdit::Initialize();
  }
  void TearDown() override {
    forms::Finalize();
    forms::Initialize();
    cxDropDownEdit::Finalize();
    TextEditTest::TearDown();
  }

  // An editor on a shown form, with a panel on that form as its popup control: aligned to the
  // bottom, at (10, 20, 210, 120) and hidden, holding an OK and a Cancel button.
  TcxPopupEdit* NewPopupEdit() {
    edit_ = NewFocusedEdit<TcxPopupEdit>();
    form_->SetBounds(100, 100, 320, 200);
    panel_ = new TPanel(form_);
    panel_->SetParent(form_);
    panel_->SetVisible(false);
    panel_->SetAlign(alBottom);
    panel_->SetBounds(10, 20, 200, 100);
    ok_ = NewButton(mrOk, 10);
    cancel_ = NewButton(mrCancel, 100);
    TcxPopupEditProperties* p = edit_->Properties();
    p->SetPopupControl(panel_);
    p->OnPopup = TNotifyEvent(this, &PopupEditTest::Popup);
    p->OnCloseUp = TNotifyEvent(this, &PopupEditTest::CloseUp);
    p->SetOnClosePopup(TcxEditClosePopupEvent(this, &PopupEditTest::ClosePopup));
    Application->ProcessMessages();
    return edit_;
  }
  TButton* NewButton(TModalResult AResult, int ALeft) {
    auto* button = new TButton(form_);
    button->SetParent(panel_);
    button->SetBounds(ALeft, 10, 75, 25);
    button->SetModalResult(AResult);
    return button;
  }
  // Drops down; the script runs while the popup is shown, inside its modal loop.
  void DropDown(std::function<void()> AWhileOpen) {
    whileOpen_ = std::move(AWhileOpen);
    edit_->SetDroppedDown(true);
    Application->ProcessMessages();
  }
  TcxCustomEditPopupWindow* PopupWindow() { return edit_->PopupWindow(); }
  // Clicks at a point of the screen.
  static void ClickAt(const POINT& P) {
    os::InjectMouseButton(WM_LBUTTONDOWN, P);
    os::InjectMouseButton(WM_LBUTTONUP, P);
  }
  POINT FormPoint(int X, int Y) {
    const TPoint p = form_->ClientToScreen(TPoint{X, Y});
    return POINT{p.X, p.Y};
  }
  static POINT CentreOf(TControl* AControl) {
    const TPoint p = AControl->ClientToScreen(TPoint{AControl->Width() / 2, AControl->Height() / 2});
    return POINT{p.X, p.Y};
  }

  void Popup(TObject*) {
    events_.push_back("Popup");
    if (whileOpen_) whileOpen_();
  }
  void CloseUp(TObject*) { events_.push_back("CloseUp"); }
  void ClosePopup(TObject*, TcxEditCloseUpReason AReason) {
    events_.push_back(std::string("ClosePopup ") + ReasonName(AReason));
  }

  TcxPopupEdit* edit_ = nullptr;
  TPanel* panel_ = nullptr;
  TButton* ok_ = nullptr;
  TButton* cancel_ = nullptr;
  std::function<void()> whileOpen_;
  std::vector<std::string> events_;
};

using Events = std::vector<std::string>;

TEST_F(PopupEditTest, TheControlFillsThePopupAndGoesBackExactlyHoweverThePopupCloses) {
  struct Case {
    const char* name;
    std::function<void()> close;
    TcxEditCloseUpReason reason;
  };
  const Case cases[] = {
      {"HidePopup with crEnter", [this] { edit_->HidePopup(ok_, crEnter); }, crEnter},
      {"HidePopup with crCancel", [this] { edit_->HidePopup(ok_, crCancel); }, crCancel},
      {"the OK button (mrOk)", [this] { ClickAt(CentreOf(ok_)); }, crEnter},
      {"the Cancel button (mrCancel)", [this] { ClickAt(CentreOf(cancel_)); }, crCancel},
      {"a click elsewhere on the form", [this] { ClickAt(FormPoint(form_->ClientWidth() - 5, 5)); },
       crUnknown},
      {"DroppedDown := False", [this] { edit_->SetDroppedDown(false); }, crUnknown},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    events_.clear();
    NewPopupEdit();
    struct Seen {
      TWinControl* parent = nullptr;
      bool visible = false;
      TAlign align = alNone;
      TRect bounds;
      TRect client;
    } seen;
    DropDown([&] {
      seen = {panel_->Parent(), panel_->Visible(), panel_->Align(), panel_->BoundsRect(),
              PopupWindow()->ViewInfo()->ClientRect};
      c.close();
    });
    EXPECT_EQ(seen.parent, PopupWindow());
    EXPECT_TRUE(seen.visible);
    EXPECT_EQ(seen.align, alClient);
    EXPECT_EQ(seen.bounds, seen.client) << "the control fills the popup's client area";

    EXPECT_FALSE(edit_->DroppedDown());
    EXPECT_EQ(events_, (Events{"Popup", std::string("ClosePopup ") + ReasonName(c.reason), "CloseUp"}));
    EXPECT_EQ(panel_->Parent(), form_);
    EXPECT_EQ(panel_->Align(), alBottom);
    EXPECT_EQ(panel_->BoundsRect(), (TRect{10, 20, 210, 120}));
    EXPECT_FALSE(panel_->Visible());
    form_->Release();
    Application->ProcessMessages();
  }
}

TEST_F(PopupEditTest, ThePopupIsSizedFromTheControlEachTime) {
  NewPopupEdit();
  struct Case {
    TSize control;
    TSize window;  // 0: the control's size plus the frame
  } const cases[] = {{{300, 150}, {0, 0}}, {{50, 40}, {100, 100}}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.control.cx);
    panel_->SetBounds(10, 20, c.control.cx, c.control.cy);
    TRect client;
    TSize window;
    DropDown([&] {
      client = PopupWindow()->ViewInfo()->ClientRect;
      window = TSize{PopupWindow()->Width(), PopupWindow()->Height()};
      edit_->HidePopup(nullptr, crEnter);
    });
    if (c.window.cx == 0) {
      EXPECT_EQ(client.Width(), c.control.cx);
      EXPECT_EQ(client.Height(), c.control.cy);
      const TRect e = PopupWindow()->ViewInfo()->GetClientExtent();
      EXPECT_EQ(window.cx, e.Left + e.Right + c.control.cx);
    } else {
      EXPECT_EQ(window.cx, c.window.cx) << "PopupMinWidth";
      EXPECT_EQ(window.cy, c.window.cy) << "PopupMinHeight";
    }
  }
}

TEST_F(PopupEditTest, AfterTheUserResizedThePopupTheNextOneIsSizedFromTheControlAgain) {
  NewPopupEdit();
  panel_->SetBounds(10, 20, 200, 120);
  TSize first, second;
  DropDown([&] {
    TcxCustomEditPopupWindow* w = PopupWindow();
    first = TSize{w->Width(), w->Height()};
    w->ResizePopupWindow(w->Left(), w->Top(), w->Width() + 40, w->Height() + 30);
    edit_->HidePopup(nullptr, crEnter);
  });
  EXPECT_EQ(panel_->Width(), 200) << "the control is back at its own size";
  EXPECT_EQ(panel_->Height(), 120);
  DropDown([&] {
    second = TSize{PopupWindow()->Width(), PopupWindow()->Height()};
    edit_->HidePopup(nullptr, crEnter);
  });
  EXPECT_EQ(second.cx, first.cx);
  EXPECT_EQ(second.cy, first.cy);
}

TEST_F(PopupEditTest, AControlFreedWhileThePopupIsOpenIsForgotten) {
  NewPopupEdit();
  DropDown([&] {
    delete panel_;
    panel_ = nullptr;
    edit_->HidePopup(nullptr, crEnter);
  });
  EXPECT_FALSE(edit_->DroppedDown());
  EXPECT_EQ(edit_->Properties()->PopupControl(), nullptr);
  EXPECT_EQ(events_, (Events{"Popup", "ClosePopup crEnter", "CloseUp"}));
  events_.clear();
  edit_->SetDroppedDown(true);
  Application->ProcessMessages();
  EXPECT_FALSE(edit_->DroppedDown()) << "without a control there is nothing to drop down";
  EXPECT_TRUE(events_.empty());
}

TEST_F(PopupEditTest, TheHomeParentFreedWhileThePopupIsOpen) {
  NewPopupEdit();
  auto* home = new TPanel(form_);
  home->SetParent(form_);
  home->SetBounds(0, 100, 300, 100);
  panel_->SetParent(home);
  DropDown([&] {
    delete home;
    edit_->HidePopup(nullptr, crEnter);
  });
  EXPECT_FALSE(edit_->DroppedDown());
  EXPECT_EQ(panel_->Parent(), nullptr) << "no parent to go back to";
  EXPECT_FALSE(panel_->Visible());
}

TEST_F(PopupEditTest, ChangedPropertiesWhileOpenKeepTheControlsHomeData) {
  NewPopupEdit();
  DropDown([&] {
    edit_->Properties()->SetPopupClientEdge(true);
    edit_->HidePopup(nullptr, crEnter);
  });
  EXPECT_EQ(panel_->Parent(), form_);
  EXPECT_EQ(panel_->Align(), alBottom);
  EXPECT_EQ(panel_->BoundsRect(), (TRect{10, 20, 210, 120}));
  EXPECT_FALSE(panel_->Visible());
}

TEST_F(PopupEditTest, ControlsInsideThePopupSeeTheirExit) {
  NewPopupEdit();
  struct Exits {
    std::vector<std::string> names;
    void OkExit(TObject*) { names.push_back("ok"); }
    void PanelExit(TObject*) { names.push_back("panel"); }
  } exits;
  ok_->OnExit = TNotifyEvent(&exits, &Exits::OkExit);
  panel_->OnExit = TNotifyEvent(&exits, &Exits::PanelExit);
  DropDown([&] {
    ok_->SetFocus();
    edit_->HidePopup(nullptr, crEnter);
  });
  EXPECT_EQ(exits.names, (std::vector<std::string>{"ok", "panel"}));
}

TEST_F(PopupEditTest, AFormAsPopupControlGetsItsBorderBack) {
  NewPopupEdit();
  TForm* hosted = CreateNewForm<TForm>(Application);
  hosted->SetBorderStyle(bsSizeable);
  hosted->SetBounds(0, 0, 160, 120);
  edit_->Properties()->SetPopupControl(hosted);
  TFormBorderStyle whileOpen = bsSizeable;
  DropDown([&] {
    whileOpen = hosted->BorderStyle();
    edit_->HidePopup(nullptr, crEnter);
  });
  EXPECT_EQ(whileOpen, bsNone);
  EXPECT_EQ(hosted->BorderStyle(), bsSizeable);
  EXPECT_EQ(hosted->Parent(), nullptr);
  EXPECT_FALSE(hosted->Visible());
  hosted->Free();
}

TEST_F(PopupEditTest, CircularReferencesAreRefused) {
  NewPopupEdit();
  for (TControl* control : std::vector<TControl*>{form_, edit_}) {
    edit_->Properties()->SetPopupControl(control);
    try {
      edit_->SetDroppedDown(true);
      ADD_FAILURE() << "no error";
    } catch (const EcxEditError& e) {
      EXPECT_EQ(e.Message(), u"Circular referencing is not allowed");
    }
    Application->ProcessMessages();
    EXPECT_FALSE(edit_->DroppedDown());
    EXPECT_TRUE(events_.empty());
  }
  EXPECT_EQ(edit_->Parent(), form_);
}

TEST_F(PopupEditTest, TheEditorFreedWhileItsPopupIsOpenSendsTheControlHome) {
  NewPopupEdit();
  TForm* home = NewPlainForm(300, 200);
  panel_->SetParent(home);
  form_->RemoveComponent(panel_);
  home->InsertComponent(panel_);
  DropDown([&] { form_->Release(); });
  ASSERT_EQ(panel_->Parent(), home);
  EXPECT_EQ(panel_->Align(), alBottom);
  EXPECT_EQ(panel_->BoundsRect(), (TRect{10, 20, 210, 120}));
  EXPECT_FALSE(panel_->Visible());
}

TEST_F(PopupEditTest, AStoredFormNamesThePopupControl) {
  TForm* stored = CreateNewForm<TForm>(Application);
  ReadComponentFromText(
      u"object Stored: TForm\n"
      u"  object Search: TcxPopupEdit\n"
      u"    Left = 8\n"
      u"    Top = 8\n"
      u"    Properties.PopupControl = Chooser\n"
      u"    Properties.PopupAutoSize = False\n"
      u"    Properties.PopupMinWidth = 120\n"
      u"    Properties.PopupWidth = 110\n"
      u"    Properties.PopupSysPanelStyle = True\n"
      u"    Width = 150\n"
      u"  end\n"
      u"  object Chooser: TPanel\n"
      u"    Left = 8\n"
      u"    Top = 40\n"
      u"    Width = 180\n"
      u"    Height = 90\n"
      u"    Visible = False\n"
      u"  end\n"
      u"end\n",
      stored);
  auto* read = dynamic_cast<TcxPopupEdit*>(stored->FindComponent(u"Search"));
  ASSERT_NE(read, nullptr);
  EXPECT_EQ(read->Properties()->PopupControl(), stored->FindComponent(u"Chooser"));
  EXPECT_FALSE(read->Properties()->PopupAutoSize());
  EXPECT_TRUE(read->Properties()->PopupSysPanelStyle());
  EXPECT_EQ(read->Properties()->PopupMinWidth(), 120);
  EXPECT_EQ(read->Properties()->PopupWidth(), 120) << "held to the minimum read before it";
  EXPECT_EQ(read->Properties()->PopupHeight(), 200);
  delete stored;
}

TEST_F(PopupEditTest, RegisteredAsThePopupEditor) {
  EXPECT_EQ(GetRegisteredEditProperties()->FindByDescription(u"PopupEdit"),
            TcxPopupEditProperties::StaticClass());
  EXPECT_EQ(GetClass("TcxPopupEdit"), TcxPopupEdit::StaticClass());
}

TEST(PopupEditPropertiesTest, DefaultsAndRegistration) {
  TcxPopupEditProperties p(nullptr);
  EXPECT_TRUE(p.ImmediateDropDownWhenActivated());
  EXPECT_TRUE(p.PopupAutoSize());
  EXPECT_TRUE(p.PopupSizeable());
  EXPECT_EQ(p.PopupWidth(), 250);
  EXPECT_EQ(p.PopupHeight(), 200);
  EXPECT_EQ(p.PopupMinWidth(), 100);
  EXPECT_EQ(p.PopupMinHeight(), 100);
  EXPECT_FALSE(p.IsLookupDataVisual());
  EXPECT_TRUE(p.PopupWindowCapturesFocus());
  EXPECT_EQ(p.GetContainerClass(), TcxPopupEdit::StaticClass());
}

// A setting of the text editor that a stored form gives a popup edit must be known to it, with
// the same kind of value and default (a popup edit validates on Enter like the mask editor).
TEST(PopupEditPropertiesTest, TheTextEditorsStoredSettingsAreThePopupEditsToo) {
  RegisterPublished<TcxTextEditProperties>();
  RegisterPublished<TcxPopupEditProperties>();
  const std::vector<const TPropInfo*> textProps = GetPropList(TcxTextEditProperties::StaticClass());
  ASSERT_FALSE(textProps.empty());
  for (const TPropInfo* text : textProps) {
    SCOPED_TRACE(StringToUtf8(text->Name));
    const TPropInfo* popup = GetPropInfo(TcxPopupEditProperties::StaticClass(), text->Name);
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(popup->PropType, text->PropType);
    if (text->Name == u"ValidateOnEnter")
      EXPECT_EQ(popup->Default, 1);
    else
      EXPECT_EQ(popup->Default, text->Default);
  }
}

}  // namespace
}  // namespace qd::testing
