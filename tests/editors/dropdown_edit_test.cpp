// The drop-down editor and its popup window: the events of one drop-down opened and closed by
// each reason, scripted through the message queue; the popup's size, grip corner, hit test and
// resizing.
#include <string>
#include <vector>

#include "editors/text_edit_test_util.h"
#include "ui/controls/cxControlsWindowUtils.h"
#include "ui/editors/cxDropDownEdit.h"

namespace qd::testing {
namespace {

// A drop-down editor whose popup content wants a fixed client size.
class TTestDropDownEdit : public TcxCustomDropDownEdit {
 public:
  using TcxCustomDropDownEdit::TcxCustomDropDownEdit;
  TSize Preferred{180, 160};
  using TcxCustomDropDownEdit::DropDown;

 protected:
  bool CanDropDown() override { return true; }
  void GetPopupWindowClientPreferredSize(TSize& ASize) override { ASize = Preferred; }
};

const char* ReasonName(TcxEditCloseUpReason AReason) {
  static const char* names[] = {"crUnknown", "crTab", "crClose", "crCancel", "crEnter"};
  return names[AReason];
}

class DropDownEditTest : public TextEditTest {
 protected:
  TTestDropDownEdit* NewDropDown() {
    edit_ = NewFocusedEdit<TTestDropDownEdit>();
    TcxCustomDropDownEditProperties* p = edit_->Properties();
    p->OnInitPopup = TNotifyEvent(this, &DropDownEditTest::InitPopup);
    p->OnPopup = TNotifyEvent(this, &DropDownEditTest::Popup);
    p->OnFinalizePopup = TNotifyEvent(this, &DropDownEditTest::FinalizePopup);
    p->OnCloseUp = TNotifyEvent(this, &DropDownEditTest::CloseUp);
    p->SetOnClosePopup(TcxEditClosePopupEvent(this, &DropDownEditTest::ClosePopup));
    return edit_;
  }
  // Drops down and runs the queue, so the popup is shown.
  void Open() {
    edit_->SetDroppedDown(true);
    Application->ProcessMessages();
    ASSERT_TRUE(edit_->DroppedDown());
    events_.clear();
  }
  TcxCustomEditPopupWindow* PopupWindow() { return edit_->PopupWindow(); }

  void InitPopup(TObject*) { events_.push_back("InitPopup"); }
  void Popup(TObject*) { events_.push_back("Popup"); }
  void FinalizePopup(TObject*) { events_.push_back("FinalizePopup"); }
  void CloseUp(TObject*) { events_.push_back("CloseUp"); }
  void ClosePopup(TObject*, TcxEditCloseUpReason AReason) {
    events_.push_back(std::string("ClosePopup ") + ReasonName(AReason));
  }

  TTestDropDownEdit* edit_ = nullptr;
  std::vector<std::string> events_;
};

using Events = std::vector<std::string>;

TEST_F(DropDownEditTest, TheShowWaitsForTheMessageLoop) {
  NewDropDown();
  edit_->SetDroppedDown(true);
  edit_->SetDroppedDown(true);
  EXPECT_EQ(events_, Events{"InitPopup"}) << "the popup is initialised once and shown from the queue";
  EXPECT_FALSE(edit_->DroppedDown());
  EXPECT_TRUE(edit_->IsPopupWindowShowing());
  Application->ProcessMessages();
  EXPECT_TRUE(edit_->DroppedDown());
  EXPECT_EQ(events_, (Events{"InitPopup", "Popup"})) << "two requests before the loop show it once";
  EXPECT_FALSE(edit_->IsPopupWindowShowing());
}

TEST_F(DropDownEditTest, EachCloseReasonReachesTheHandlers) {
  struct Case {
    const char* name;
    int vk;
    bool alt;
    bool postOnTab;
    TcxEditCloseUpReason reason;
  };
  const Case cases[] = {
      {"F4", VK_F4, false, false, crClose},
      {"Alt+Down", VK_DOWN, true, false, crClose},
      {"Alt+Up", VK_UP, true, false, crClose},
      {"Enter", VK_RETURN, false, false, crEnter},
      {"Esc", VK_ESCAPE, false, false, crCancel},
      {"Tab without PostPopupValueOnTab", VK_TAB, false, false, crUnknown},
      {"Tab with PostPopupValueOnTab", VK_TAB, false, true, crTab},
      {"DroppedDown := False", 0, false, false, crUnknown},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    NewDropDown();
    edit_->Properties()->SetPostPopupValueOnTab(c.postOnTab);
    Open();
    if (c.vk == 0) {
      edit_->SetDroppedDown(false);
    } else {
      if (c.alt) Key(VK_MENU, true);
      Key(c.vk, true);
      Key(c.vk, false);
      if (c.alt) Key(VK_MENU, false);
      Application->ProcessMessages();
    }
    EXPECT_FALSE(edit_->DroppedDown());
    EXPECT_EQ(events_,
              (Events{"FinalizePopup", std::string("ClosePopup ") + ReasonName(c.reason), "CloseUp"}));
    EXPECT_EQ(edit_->CloseUpReason(), c.reason);
    if (c.vk == VK_TAB) EXPECT_TRUE(other_->Focused()) << "Tab still moves the focus on";
    form_->Release();
    Application->ProcessMessages();
  }
}

TEST_F(DropDownEditTest, EscWhileDroppedDownIsEatenByTheEditor) {
  NewDropDown();
  Type(u"ab");
  Open();
  Press(VK_ESCAPE);
  EXPECT_FALSE(edit_->DroppedDown());
  EXPECT_EQ(edit_->GetDisplayText(), u"ab") << "Esc closed the popup and did not reset the typed text";
  Press(VK_F4);
  Application->ProcessMessages();
  EXPECT_TRUE(edit_->DroppedDown()) << "F4 drops down again";
}

// While the popup is open, Enter and Esc belong to it, not to the form's default and cancel
// buttons.
TEST_F(DropDownEditTest, EnterAndEscWhileDroppedDownDoNotPressTheFormsButtons) {
  struct Clicks {
    int count = 0;
    void Click(TObject*) { ++count; }
  } clicks;
  for (const int vk : {VK_RETURN, VK_ESCAPE}) {
    SCOPED_TRACE(vk);
    NewDropDown();
    other_->SetDefault(vk == VK_RETURN);
    other_->SetCancel(vk == VK_ESCAPE);
    other_->OnClick = TNotifyEvent(&clicks, &Clicks::Click);
    Open();
    Press(vk);
    EXPECT_FALSE(edit_->DroppedDown());
    EXPECT_EQ(clicks.count, 0);
    Press(vk);
    EXPECT_EQ(clicks.count, 1) << "with the popup closed the key is the form's again";
    clicks.count = 0;
    form_->Release();
    Application->ProcessMessages();
  }
}

TEST_F(DropDownEditTest, AButtonPressDropsDownAndTypingWithImmediateDropDown) {
  NewDropDown();
  Type(u"x");
  Application->ProcessMessages();
  EXPECT_TRUE(edit_->DroppedDown()) << "ImmediateDropDownWhenKeyPressed";
  EXPECT_EQ(edit_->GetDisplayText(), u"x") << "the character still reaches the editor";
}

TEST_F(DropDownEditTest, AnOwnerOnAHiddenFormDoesNotDropDown) {
  NewDropDown();
  edit_->SetVisible(false);
  edit_->SetDroppedDown(true);
  Application->ProcessMessages();
  EXPECT_FALSE(edit_->DroppedDown());
  EXPECT_TRUE(events_.empty());
}

TEST_F(DropDownEditTest, AnExceptionInInitPopupShowsNothingAndAllowsTheNextDropDown) {
  NewDropDown();
  struct Thrower {
    bool once = true;
    void Init(TObject*) {
      if (once) {
        once = false;
        throw Exception(u"refused");
      }
    }
  } thrower;
  edit_->Properties()->OnInitPopup = TNotifyEvent(&thrower, &Thrower::Init);
  EXPECT_THROW(edit_->SetDroppedDown(true), Exception);
  Application->ProcessMessages();
  EXPECT_FALSE(edit_->DroppedDown());
  edit_->SetDroppedDown(true);
  Application->ProcessMessages();
  EXPECT_TRUE(edit_->DroppedDown());
}

// --- Geometry --------------------------------------------------------------------------------

TEST_F(DropDownEditTest, ThePopupOpensBelowWithItsContentSizeAndTheGripAtBottomRight) {
  NewDropDown();
  Open();
  TcxCustomEditPopupWindow* w = PopupWindow();
  const TRect e = w->ViewInfo()->GetClientExtent();
  const TPoint editOrigin = edit_->ClientToScreen(TPoint{0, 0});
  EXPECT_EQ(w->Left(), editOrigin.X);
  EXPECT_EQ(w->Top(), editOrigin.Y + edit_->Height());
  EXPECT_EQ(w->Width(), e.Left + e.Right + 180);
  EXPECT_EQ(w->Height(), e.Top + e.Bottom + 160);
  EXPECT_EQ(w->ViewInfo()->SizeGripCorner, coBottomRight);
  EXPECT_EQ(w->ViewInfo()->ClientRect.Width(), 180);
  EXPECT_EQ(w->ViewInfo()->ClientRect.Height(), 160);
}

TEST_F(DropDownEditTest, WithoutAutoSizeAndWidthZeroThePopupIsAsWideAsTheEditor) {
  NewDropDown();
  edit_->Properties()->SetPopupAutoSize(false);
  Open();
  const int shadow = edit_->ViewInfo()->Shadow ? cxEditShadowWidth : 0;
  EXPECT_EQ(PopupWindow()->Width(), edit_->Width() + shadow);
}

TEST_F(DropDownEditTest, APopupWithoutRoomBelowOpensAboveWithTheGripAtTheTop) {
  NewDropDown();
  const TRect area = GetDesktopWorkArea(TPoint{0, 0});
  form_->SetBounds(100, area.Bottom - 40, 240, 40);
  Application->ProcessMessages();
  Open();
  TcxCustomEditPopupWindow* w = PopupWindow();
  const TPoint editOrigin = edit_->ClientToScreen(TPoint{0, 0});
  EXPECT_LT(w->Top(), editOrigin.Y);
  EXPECT_EQ(w->ViewInfo()->SizeGripCorner, coTopRight);
  const int shadow = w->Shadow() ? cxEditShadowWidth : 0;
  EXPECT_EQ(w->Top() + w->Height(), editOrigin.Y + shadow) << "a shadowed popup above moves down by 3";
}

// The popup window is a bare window: no caption band and no frame of the window manager, and
// exactly the size it asked for, however small.
TEST_F(DropDownEditTest, AnOpenPopupIsDrawnOnlyByItsViewInfo) {
  NewDropDown();
  edit_->Preferred = TSize{40, 30};
  Open();
  TcxCustomEditPopupWindow* w = PopupWindow();
  const HWND h = w->Handle();
  const DWORD style = static_cast<DWORD>(GetWindowLongW(h, GWL_STYLE));
  EXPECT_EQ(style & (WS_CAPTION | WS_THICKFRAME | WS_BORDER), 0u);
  const TRect e = w->ViewInfo()->GetClientExtent();
  RECT wr;
  GetWindowRect(h, &wr);
  EXPECT_EQ(wr.Width(), e.Left + e.Right + 40) << "narrower than a framed window's minimum";
  EXPECT_EQ(wr.Height(), e.Top + e.Bottom + 30);
  RECT cr;
  GetClientRect(h, &cr);
  EXPECT_EQ(cr.Width(), wr.Width()) << "no non-client area";
  EXPECT_EQ(cr.Height(), wr.Height());

  UpdateWindow(h);
  const os::WindowPixels shown = os::ReadWindowPixels(h, true);
  ASSERT_EQ(shown.width, wr.Width());
  ASSERT_EQ(shown.height, wr.Height());
  TcxBitmap32 painted(shown.width, shown.height, true);
  w->ViewInfo()->Paint(painted.cxCanvas());
  TRGBColors colors;
  painted.GetBitmapColors(colors);
  int differences = 0;
  for (int y = 0; y < shown.height; ++y)
    for (int x = 0; x < shown.width; ++x) {
      const RGBQUAD q = colors[static_cast<size_t>(shown.height - 1 - y) * shown.width + x];
      const uint32_t expected = (uint32_t{q.rgbRed} << 16) | (uint32_t{q.rgbGreen} << 8) | q.rgbBlue;
      if ((shown.At(x, y) & 0xFFFFFF) != expected) ++differences;
    }
  if (differences) SaveWindowPng(h, "dropdown_popup_failed");
  EXPECT_EQ(differences, 0) << "the window shows what the view info paints";
  // The frame is the same colour on all four sides and differs from the content.
  const TRect c = w->ViewInfo()->ClientRect;
  const uint32_t top = shown.At(shown.width / 2, 0) & 0xFFFFFF;
  EXPECT_EQ(shown.At(0, shown.height / 2) & 0xFFFFFF, top);
  EXPECT_EQ(shown.At(c.Right, shown.height / 2) & 0xFFFFFF, top);
  EXPECT_EQ(shown.At(shown.width / 2, c.Bottom) & 0xFFFFFF, top);
  EXPECT_NE(shown.At(shown.width / 2, c.Top) & 0xFFFFFF, top) << "the content starts under the frame";
}

class PopupGripTest : public DropDownEditTest {
 protected:
  TcxCustomEditPopupWindow* OpenSizeable(bool ASysPanel) {
    NewDropDown();
    edit_->Properties()->SetPopupSizeable(true);
    edit_->Properties()->SetPopupSysPanelStyle(ASysPanel);
    Open();
    return PopupWindow();
  }
};

TEST_F(PopupGripTest, HitTestOfAFrameWithoutSystemPanel) {
  TcxCustomEditPopupWindow* w = OpenSizeable(false);
  const TRect b = w->ViewInfo()->Bounds;
  const TRect c = w->ViewInfo()->ClientRect;
  struct Case {
    const char* name;
    TPoint p;
    int32_t hit;
  };
  const Case cases[] = {
      {"bottom-right corner", {b.Right - 1, b.Bottom - 1}, cxPopupHitCornerNWSE},
      {"bottom edge", {c.Left + 20, b.Bottom - 1}, cxPopupHitHorzEdge},
      {"right edge", {b.Right - 1, c.Top + 20}, cxPopupHitVertEdge},
      {"top edge (away from the grip)", {c.Left + 20, b.Top}, cxPopupHitNone},
      {"left edge (away from the grip)", {b.Left, c.Top + 20}, cxPopupHitNone},
      {"client area", {c.Left + 5, c.Top + 5}, cxPopupHitNone},
      {"outside", {b.Right + 5, b.Bottom + 5}, cxPopupHitNone},
  };
  for (const Case& k : cases) EXPECT_EQ(w->GetHitTest(k.p), k.hit) << k.name;
}

TEST_F(PopupGripTest, ASystemPanelPopupResizesOnlyAtTheGrip) {
  TcxCustomEditPopupWindow* w = OpenSizeable(true);
  const TRect b = w->ViewInfo()->Bounds;
  const TRect c = w->ViewInfo()->ClientRect;
  const TRect g = w->ViewInfo()->SizeGripSizingRect;
  ASSERT_FALSE(g.IsEmpty());
  EXPECT_EQ(w->GetHitTest(TPoint{g.Left + 1, g.Top + 1}), cxPopupHitCornerNWSE);
  EXPECT_EQ(w->GetHitTest(TPoint{b.Right - 1, c.Top + 10}), cxPopupHitNone) << "no border sizing";
  EXPECT_GT(w->ViewInfo()->SysPanelHeight, 0);
  EXPECT_GE(w->ViewInfo()->SysPanelBounds.Top, c.Bottom) << "the band lies below the content";
}

TEST_F(PopupGripTest, DraggingTheGripResizesAndAStandAloneEditorKeepsTheSize) {
  TcxCustomEditPopupWindow* w = OpenSizeable(false);
  w->SetShowContentWhileResize(true);
  const TRect before = w->BoundsRect();
  const TPoint start{w->ViewInfo()->Bounds.Right - 1, w->ViewInfo()->Bounds.Bottom - 1};
  w->StartResize(start, w->GetHitTest(start));
  w->DoResize(TPoint{start.X + 20, start.Y + 10});
  w->EndResize(true);
  EXPECT_EQ(w->BoundsRect(), (TRect{before.Left, before.Top, before.Right + 20, before.Bottom + 10}));
  EXPECT_TRUE(edit_->PopupSizeChanged());
  EXPECT_EQ(edit_->Properties()->PopupWidth(), before.Width() + 20);
  EXPECT_EQ(edit_->Properties()->PopupHeight(), before.Height() + 10);
}

TEST_F(PopupGripTest, EscDuringASizeFrameResizeKeepsTheOldSize) {
  TcxCustomEditPopupWindow* w = OpenSizeable(false);
  const TRect before = w->BoundsRect();
  const TPoint start{w->ViewInfo()->Bounds.Right - 1, w->ViewInfo()->Bounds.Bottom - 1};
  w->StartResize(start, w->GetHitTest(start));
  w->DoResize(TPoint{start.X + 30, start.Y + 30});
  EXPECT_NE(w->SizeFrame(), nullptr) << "without live resizing a size frame follows the mouse";
  EXPECT_EQ(w->BoundsRect(), before);
  WORD key = VK_ESCAPE;
  SendMessageW(w->Handle(), WM_KEYDOWN, key, 0);
  EXPECT_FALSE(w->IsResizing());
  EXPECT_EQ(w->BoundsRect(), before);
  EXPECT_EQ(w->SizeFrame(), nullptr);
}

TEST_F(PopupGripTest, ATopGripMovesTheTopEdge) {
  NewDropDown();
  edit_->Properties()->SetPopupSizeable(true);
  const TRect area = GetDesktopWorkArea(TPoint{0, 0});
  form_->SetBounds(100, area.Bottom - 40, 240, 40);
  Application->ProcessMessages();
  Open();
  TcxCustomEditPopupWindow* w = PopupWindow();
  ASSERT_EQ(static_cast<int>(w->ViewInfo()->SizeGripCorner), static_cast<int>(coTopRight));
  w->SetShowContentWhileResize(true);
  const TRect before = w->BoundsRect();
  const TPoint start{w->ViewInfo()->Bounds.Right - 1, 0};
  ASSERT_EQ(w->GetHitTest(start), cxPopupHitCornerNESW);
  w->StartResize(start, cxPopupHitCornerNESW);
  w->DoResize(TPoint{start.X + 20, start.Y + 10});
  w->EndResize(true);
  EXPECT_EQ(w->BoundsRect(), (TRect{before.Left, before.Top + 10, before.Right + 20, before.Bottom}))
      << "the bottom edge, next to the editor, stays";
}

TEST_F(PopupGripTest, ASizeablePopupKeepsItsMinimum) {
  NewDropDown();
  edit_->Properties()->SetPopupSizeable(true);
  edit_->Properties()->SetPopupMinWidth(170);
  edit_->Properties()->SetPopupMinHeight(150);
  edit_->Preferred = TSize{20, 20};
  Open();
  TcxCustomEditPopupWindow* w = PopupWindow();
  EXPECT_EQ(w->Width(), 170);
  EXPECT_EQ(w->Height(), 150);
  w->SetShowContentWhileResize(true);
  const TPoint start{w->ViewInfo()->Bounds.Right - 1, w->ViewInfo()->Bounds.Bottom - 1};
  w->StartResize(start, w->GetHitTest(start));
  w->DoResize(TPoint{start.X - 50, start.Y - 50});
  w->EndResize(true);
  EXPECT_EQ(w->Width(), 170);
  EXPECT_EQ(w->Height(), 150);
}

// Controls in the popup take their look from the popup look-and-feel, which follows the
// editor's style.
TEST_F(DropDownEditTest, ThePopupLookAndFeelFollowsTheEditorsStyle) {
  NewDropDown();
  TcxLookAndFeel inside(nullptr);
  inside.SetMasterLookAndFeel(edit_->PopupControlsLookAndFeel());
  TcxLookAndFeel* style = edit_->Style()->LookAndFeel();
  struct Case {
    TcxLookAndFeelKind kind;
    bool native;
    TdxScrollbarMode mode;
  } const cases[] = {
      {lfFlat, false, sbmClassic},
      {lfOffice11, false, sbmHybrid},
      {lfUltraFlat, true, sbmTouch},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.kind));
    style->SetKind(c.kind);
    style->SetNativeStyle(c.native);
    style->SetScrollbarMode(c.mode);
    Application->ProcessMessages();
    EXPECT_EQ(inside.Kind(), c.kind);
    EXPECT_EQ(inside.NativeStyle(), c.native);
    EXPECT_EQ(inside.ScrollbarMode(), c.mode);
  }
  // A stand-alone editor without buttons gives its popup controls the Standard look.
  edit_->Properties()->Buttons()->Clear();
  style->SetKind(lfFlat);
  Application->ProcessMessages();
  EXPECT_EQ(inside.Kind(), lfStandard);
}

TEST(DropDownEditPropertiesTest, SizeSettersKeepTheirBounds) {
  TcxCustomDropDownEditProperties p(nullptr);
  EXPECT_EQ(p.Buttons()->Count(), 1);
  EXPECT_EQ(p.Buttons()->Items(0)->Kind(), bkDown);
  p.SetPopupMinWidth(50);
  p.SetPopupWidth(-5);
  EXPECT_EQ(p.PopupWidth(), 0) << "negative: as wide as the editor";
  p.SetPopupWidth(10);
  EXPECT_EQ(p.PopupWidth(), 50);
  p.SetPopupMinHeight(40);
  p.SetPopupHeight(0);
  EXPECT_EQ(p.PopupHeight(), 40);
  p.SetPopupMinHeight(-3);
  EXPECT_EQ(p.PopupMinHeight(), 0);
  p.SetPopupAlignment(taCenter);
  EXPECT_EQ(p.PopupHorzAlignment(), pahCenter);
  EXPECT_EQ(p.PopupAlignment(), taCenter);
}

}  // namespace
}  // namespace qd::testing
