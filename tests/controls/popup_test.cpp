// The popup window base: placement over several monitors, flipping, the work-area
// correction, sizes from the children, frames and activation; the activation-order helper
// and control child components.
#include <algorithm>
#include <string>
#include <vector>

#include "controls/controls_test_util.h"
#include "platform/forms/forms.h"
#include "ui/controls/cxControlsPopup.h"

namespace qd::testing {
namespace {

TcxPopupWindow* NewPopup() {
  auto* popup = new TcxPopupWindow();
  popup->AfterConstruction();
  return popup;
}

// A child that fills itself with its colour.
class TColourBox : public TCustomControl {
 public:
  using TCustomControl::TCustomControl;
  void Paint() override {
    Canvas()->Brush()->SetColor(Color());
    Canvas()->FillRect(ClientRect());
  }
};

class PopupWindow : public BaseControlTest {
 protected:
  void SetUp() override {
    BaseControlTest::SetUp();
    // The primary monitor with a task bar at the bottom, a second one to its right with
    // another work area, and a third one above the primary at negative coordinates.
    os::SetMonitors({
        os::MonitorDesc{RECT{0, 0, 1920, 1080}, RECT{0, 0, 1920, 1040}, 96, u""},
        os::MonitorDesc{RECT{1920, 0, 3200, 1024}, RECT{1920, 0, 3200, 984}, 96, u""},
        os::MonitorDesc{RECT{0, -900, 1600, 0}, RECT{0, -900, 1600, 0}, 96, u""},
    });
  }
  void TearDown() override {
    os::ResetMonitors();
    BaseControlTest::TearDown();
  }
};

TEST_F(PopupWindow, PlacementFlipAndWorkAreaTable) {
  struct Case {
    const char* name;
    TcxPopupDirection direction;
    TcxPopupAlignHorz horz;
    TcxPopupAlignVert vert;
    TRect owner;  // screen coordinates (no owner parent)
    TSize size;
    TPoint expected;
    TcxPopupAlignHorz horzAfter;
    TcxPopupAlignVert vertAfter;
  };
  const Case cases[] = {
      {"below, left aligned",
       pdVertical,
       pahLeft,
       pavBottom,
       {100, 100, 200, 120},
       {150, 80},
       {100, 120},
       pahLeft,
       pavBottom},
      {"right aligned",
       pdVertical,
       pahRight,
       pavBottom,
       {300, 100, 400, 120},
       {150, 80},
       {250, 120},
       pahRight,
       pavBottom},
      {"above", pdVertical, pahLeft, pavTop, {100, 500, 200, 520}, {150, 80}, {100, 420}, pahLeft, pavTop},
      {"near the bottom flips above",
       pdVertical,
       pahLeft,
       pavBottom,
       {100, 1000, 200, 1020},
       {150, 80},
       {100, 920},
       pahLeft,
       pavTop},
      {"above without room flips below",
       pdVertical,
       pahLeft,
       pavTop,
       {100, 20, 200, 40},
       {150, 80},
       {100, 40},
       pahLeft,
       pavBottom},
      // Not more room above: it stays below and is not moved vertically.
      {"too tall stays below",
       pdVertical,
       pahLeft,
       pavBottom,
       {100, 30, 200, 50},
       {150, 1020},
       {100, 50},
       pahLeft,
       pavBottom},
      {"slides left at the right edge",
       pdVertical,
       pahLeft,
       pavBottom,
       {1850, 100, 1900, 120},
       {150, 80},
       {1770, 120},
       pahLeft,
       pavBottom},
      {"centred and wider than the work area",
       pdVertical,
       pahCenter,
       pavBottom,
       {100, 100, 200, 120},
       {2000, 80},
       {0, 120},
       pahCenter,
       pavBottom},
      {"centred vertically",
       pdHorizontal,
       pahRight,
       pavCenter,
       {100, 100, 200, 120},
       {150, 80},
       {200, 70},
       pahRight,
       pavCenter},
      {"right of the owner flips left",
       pdHorizontal,
       pahRight,
       pavBottom,
       {1800, 100, 1900, 120},
       {150, 80},
       {1650, 40},
       pahLeft,
       pavBottom},
      {"left of the owner without room flips right",
       pdHorizontal,
       pahLeft,
       pavTop,
       {10, 100, 60, 120},
       {150, 80},
       {60, 100},
       pahRight,
       pavTop},
      {"horizontal slides down at the top",
       pdHorizontal,
       pahRight,
       pavBottom,
       {100, 10, 200, 30},
       {150, 80},
       {200, 0},
       pahRight,
       pavBottom},
      // The work area is that of the monitor of the anchor point.
      {"second monitor flips above",
       pdVertical,
       pahLeft,
       pavBottom,
       {3000, 950, 3100, 970},
       {150, 80},
       {3000, 870},
       pahLeft,
       pavTop},
      {"right aligned anchors on the second monitor",
       pdVertical,
       pahRight,
       pavBottom,
       {1850, 100, 1990, 120},
       {150, 80},
       {1920, 120},
       pahRight,
       pavBottom},
      {"left aligned anchors on the first monitor",
       pdVertical,
       pahLeft,
       pavBottom,
       {1850, 100, 1990, 120},
       {150, 80},
       {1770, 120},
       pahLeft,
       pavBottom},
      {"monitor at negative coordinates",
       pdVertical,
       pahLeft,
       pavBottom,
       {1500, -100, 1580, -80},
       {150, 100},
       {1450, -200},
       pahLeft,
       pavTop},
      {"accept any position",
       pdVertical,
       pahLeft,
       pavBottom,
       {1850, 1000, 1900, 1020},
       {150, 80},
       {1770, 1020},
       pahLeft,
       pavBottom},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TcxPopupWindow* popup = NewPopup();
    popup->SetAdjustable(false);
    popup->SetDirection(c.direction);
    popup->SetAlignHorz(c.horz);
    popup->SetAlignVert(c.vert);
    popup->SetAcceptAnyPosition(std::string(c.name) == "accept any position");
    popup->SetOwnerBounds(c.owner);
    popup->SetBounds(0, 0, c.size.cx, c.size.cy);
    popup->Popup();
    EXPECT_EQ(popup->BoundsRect().TopLeft(), c.expected);
    EXPECT_EQ(popup->Width(), c.size.cx);
    EXPECT_EQ(popup->AlignHorz(), c.horzAfter);
    EXPECT_EQ(popup->AlignVert(), c.vertAfter);
    // A flipped side stays for the next popup.
    popup->CloseUp();
    EXPECT_FALSE(popup->Visible());
    popup->Popup();
    EXPECT_EQ(popup->BoundsRect().TopLeft(), c.expected);
    popup->Free();
  }
}

TEST_F(PopupWindow, OwnerBoundsAreClientCoordinatesOfTheOwnerParent) {
  TForm* form = NewPlainForm(300, 200);  // client origin (100, 100)
  form->Show();
  TcxPopupWindow* popup = NewPopup();
  popup->SetAdjustable(false);
  popup->SetBounds(0, 0, 50, 40);
  popup->SetOwnerParent(form);
  popup->SetOwnerBounds(TRect{10, 20, 60, 40});
  EXPECT_EQ(popup->GetOwnerScreenBounds(), (TRect{110, 120, 160, 140}));
  popup->Popup();
  EXPECT_EQ(popup->BoundsRect(), (TRect{110, 140, 160, 180}));
  // A freed owner parent leaves the bounds as screen coordinates.
  form->Free();
  EXPECT_EQ(popup->OwnerParent(), nullptr);
  EXPECT_EQ(popup->GetOwnerScreenBounds(), (TRect{10, 20, 60, 40}));
  popup->Free();
}

TEST_F(PopupWindow, BordersOffsetTheChildrenOnceAndGrowTheSize) {
  TcxPopupWindow* popup = NewPopup();
  auto* child = new TColourBox(popup);
  child->SetParent(popup);
  child->SetBounds(0, 0, 100, 50);
  auto* second = new TColourBox(popup);
  second->SetParent(popup);
  second->SetBounds(20, 30, 60, 40);  // bottom edge 70
  popup->SetBorderStyle(pbs3D);
  popup->SetBorderSpace(2);
  EXPECT_EQ(popup->GetFrameWidth(), 2);
  EXPECT_EQ(popup->GetBorderWidth(bLeft), 4);
  popup->SetOwnerBounds(TRect{100, 100, 200, 120});
  for (int round = 0; round < 3; ++round) {
    SCOPED_TRACE(round);
    popup->Popup();
    EXPECT_EQ(popup->Width(), 108);
    EXPECT_EQ(popup->Height(), 78);
    EXPECT_EQ(child->BoundsRect(), (TRect{4, 4, 104, 54}));
    EXPECT_EQ(second->BoundsRect(), (TRect{24, 34, 84, 74}));
    EXPECT_EQ(popup->GetClientBounds(), (TRect{4, 4, 104, 74}));
    popup->CloseUp();
  }
  // A new border moves the children back first; the next popup offsets them again.
  popup->SetBorderStyle(pbsUltraFlat);
  EXPECT_EQ(child->BoundsRect(), (TRect{0, 0, 100, 50}));
  popup->SetBorderSpace(0);
  popup->Popup();
  EXPECT_EQ(child->BoundsRect(), (TRect{1, 1, 101, 51}));
  EXPECT_EQ(popup->Width(), 102);
  popup->Free();
}

TEST_F(PopupWindow, FramesAreDrawnAtTheEdges) {
  struct Case {
    TcxPopupBorderStyle style;
    const char* name;
  };
  // Window pixels are 0xRRGGBB; colours are 0xBBGGRR.
  auto rgb = [](TColor AColor) {
    const COLORREF c = ColorToRGB(AColor);
    return static_cast<uint32_t>(GetRValue(c)) << 16 | GetGValue(c) << 8 | GetBValue(c);
  };
  for (const Case& c : {Case{pbsUltraFlat, "popup_ultraflat"}, Case{pbs3D, "popup_3d"}}) {
    SCOPED_TRACE(c.name);
    TcxPopupWindow* popup = NewPopup();
    popup->SetColor(clWhite);
    popup->SetFrameColor(clBlue);
    popup->SetBorderStyle(c.style);
    popup->SetBorderSpace(2);
    auto* child = new TColourBox(popup);
    child->SetParent(popup);
    child->SetBounds(0, 0, 60, 30);
    child->SetColor(clYellow);
    popup->SetOwnerBounds(TRect{300, 300, 400, 320});
    popup->Popup();
    UpdateWindow(popup->Handle());
    SaveWindowPng(popup->Handle(), c.name);
    const os::WindowPixels px = os::ReadWindowPixels(popup->Handle(), true);
    auto at = [&](int x, int y) { return px.pixels[y * px.width + x] & 0xFFFFFF; };
    const int w = px.width;
    // The frame, the white space inside it, then the child.
    EXPECT_EQ(at(w - 1, 10), c.style == pbsUltraFlat ? rgb(clBlue) : rgb(cl3DDkShadow));
    EXPECT_EQ(at(0, 10), c.style == pbsUltraFlat ? rgb(clBlue) : rgb(cl3DLight));
    if (c.style == pbs3D) EXPECT_EQ(at(1, 10), rgb(clBtnHighlight));
    EXPECT_EQ(at(popup->GetFrameWidth(), 10), rgb(clWhite));
    EXPECT_EQ(at(popup->GetFrameWidth() + 1, 10), rgb(clWhite));
    EXPECT_EQ(at(popup->GetBorderWidth(bLeft), 10), rgb(clYellow));
    popup->Free();
  }
}

// Records WM_NCACTIVATE.
class TCaptionForm : public TForm {
 public:
  using TForm::TForm;
  std::vector<WPARAM> ncActivate;
  void Dispatch(TMessage& Message) override {
    if (Message.Msg == WM_NCACTIVATE) ncActivate.push_back(Message.WParam);
    TForm::Dispatch(Message);
  }
};

TEST_F(PopupWindow, ActivationKeepsTheOwnerCaptionAndDeactivationClosesThePopup) {
  auto* owner = CreateNewForm<TCaptionForm>(Application);
  owner->SetBounds(100, 100, 300, 200);
  owner->Show();
  Application->ProcessMessages();
  TcxPopupWindow* popup = NewPopup();
  popup->SetAdjustable(false);
  popup->SetBounds(0, 0, 50, 50);
  popup->SetOwnerBounds(TRect{120, 120, 200, 140});
  popup->Popup();
  owner->ncActivate.clear();
  popup->Perform(WM_ACTIVATE, WA_ACTIVE, reinterpret_cast<LPARAM>(owner->Handle()));
  EXPECT_EQ(popup->PrevActiveWindow(), owner->Handle());
  EXPECT_EQ(owner->ncActivate, (std::vector<WPARAM>{TRUE}));
  popup->Perform(WM_ACTIVATEAPP, FALSE, 0);
  // (Hiding the popup may then activate the owner again.)
  ASSERT_GE(owner->ncActivate.size(), 2u);
  EXPECT_EQ(owner->ncActivate[1], static_cast<WPARAM>(FALSE));
  EXPECT_FALSE(popup->Visible());

  // Losing the activation inside the application closes it as well.
  popup->Popup();
  EXPECT_TRUE(popup->Visible());
  popup->Perform(CM_DEACTIVATE, 0, 0);
  EXPECT_FALSE(popup->Visible());
  popup->Free();
  owner->Free();
}

// --- The activation-order helper --------------------------------------------------------------

// The given windows in their z-order, top first.
std::vector<HWND> ZOrder(const std::vector<HWND>& AWindows) {
  std::vector<HWND> order;
  for (HWND w = GetTopWindow(nullptr); w; w = GetWindow(w, GW_HWNDNEXT))
    if (std::find(AWindows.begin(), AWindows.end(), w) != AWindows.end()) order.push_back(w);
  return order;
}

TEST_F(PopupWindow, AFormActivatedBehindAModalWindowBringsTheRegisteredFormsBack) {
  TdxApplicationActivateWindowHelper* helper = dxApplicationActivateWindowHelper();
  ASSERT_NE(helper, nullptr);
  TForm* older = NewPlainForm();
  TForm* newer = NewPlainForm();
  TForm* modal = NewPlainForm();
  TForm* other = NewPlainForm();
  for (TForm* f : {older, newer, modal, other}) f->Show();
  helper->AddWindow(older);
  helper->AddWindow(newer);
  EXPECT_TRUE(helper->IsFormShowedBeforeLastModalWindow(other));
  EXPECT_FALSE(helper->IsFormShowedBeforeLastModalWindow(older));

  Screen->SetFocusedForm(modal);
  const std::vector<HWND> all{older->Handle(), newer->Handle(), modal->Handle(), other->Handle()};
  SetWindowPos(other->Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  const std::vector<HWND> before = ZOrder(all);
  // Without a modal window nothing moves.
  helper->NormalizeTopMostWindows(other);
  EXPECT_EQ(ZOrder(all), before);

  Application->ModalStarted();
  EXPECT_TRUE(helper->NeedNormalize(other));
  EXPECT_FALSE(helper->NeedNormalize(modal));  // the focused form
  EXPECT_FALSE(helper->NeedNormalize(newer));  // registered after no modal window
  helper->NormalizeTopMostWindows(other);
  EXPECT_EQ(ZOrder(all),
            (std::vector<HWND>{modal->Handle(), older->Handle(), newer->Handle(), other->Handle()}));
  Application->ModalFinished();
  Screen->SetFocusedForm(nullptr);

  // A freed form leaves the list.
  older->Free();
  EXPECT_EQ(helper->Windows(), (std::vector<TCustomForm*>{newer}));
  helper->RemoveWindow(newer);
  EXPECT_TRUE(helper->Windows().empty());
}

// --- Control child components -----------------------------------------------------------------

class TScaledChild : public TcxControlChildComponent {
 public:
  using TcxControlChildComponent::TcxControlChildComponent;
  std::vector<std::pair<int32_t, int32_t>> changes;

 protected:
  void ScaleFactorChanged(int32_t M, int32_t D) override { changes.emplace_back(M, D); }
};

TEST_F(PopupWindow, AChildComponentFollowsItsControlsScaleFactor) {
  TForm* form = NewPlainForm();
  auto* control = new TcxControl(form);
  control->SetParent(form);
  auto* child = new TScaledChild(control, true);
  EXPECT_EQ(child->Owner(), form);
  EXPECT_EQ(child->GetParentComponent(), control);
  EXPECT_TRUE(child->HasParent());
  control->ScaleFactor()->Change(3, 2);
  EXPECT_EQ(child->ScaleFactor()->Numerator(), 3);
  EXPECT_EQ(child->ScaleFactor()->Denominator(), 2);
  EXPECT_EQ(child->changes, (std::vector<std::pair<int32_t, int32_t>>{{3, 2}}));

  // Removed from its control, it keeps its value and no longer follows.
  control->RemoveChildComponent(child);
  EXPECT_FALSE(child->HasParent());
  control->ScaleFactor()->Change(2, 3);
  EXPECT_EQ(child->ScaleFactor()->Numerator(), 3);
  // Streaming puts it back on a control.
  child->SetParentComponent(control);
  EXPECT_EQ(child->Control(), control);
  delete child;

  auto* unowned = new TScaledChild(control, false);
  EXPECT_EQ(unowned->Owner(), nullptr);
  delete unowned;
}

}  // namespace
}  // namespace qd::testing
