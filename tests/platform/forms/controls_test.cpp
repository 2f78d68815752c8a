// Controls: message routing, alignment and anchors, parent font and colour, painting of
// graphic controls by their parent.
#include <string>
#include <vector>

#include "forms_test_util.h"
#include "platform/forms/controls.h"
#include "platform/os/gdi_surface.h"

namespace qd::testing {
namespace {

constexpr UINT WM_PROBE = WM_USER + 7;

std::vector<std::string>& Trace() {
  static std::vector<std::string> t;
  return t;
}

class TProbeControl : public TWinControl {
  QD_CLASS_INLINE(TProbeControl, TWinControl)
 public:
  using TWinControl::TWinControl;
  void Dispatch(TMessage& m) override {
    if (m.Msg == WM_PROBE) {
      Trace().push_back("probe");
      m.Result += 10;
      inherited::Dispatch(m);
      return;
    }
    inherited::Dispatch(m);
  }
  void DefaultHandler(TMessage& m) override {
    if (m.Msg == WM_PROBE) {
      Trace().push_back("default");
      m.Result += 1;
      return;
    }
    inherited::DefaultHandler(m);
  }
};

class TSubProbe : public TProbeControl {
  QD_CLASS_INLINE(TSubProbe, TProbeControl)
 public:
  using TProbeControl::TProbeControl;
  void Dispatch(TMessage& m) override {
    if (m.Msg == WM_PROBE) {
      Trace().push_back("sub");
      m.Result += 100;
      inherited::Dispatch(m);  // the ancestor's handler, then DefaultHandler
      return;
    }
    inherited::Dispatch(m);
  }
};

struct Subclasser {
  TWndMethod old;
  void Proc(TMessage& m) {
    if (m.Msg == WM_PROBE) Trace().push_back("hook");
    old(m);
  }
};

class ControlsTest : public FormsTest {};

TEST_F(ControlsTest, NotificationIdsKeepTheirNumbers) {
  EXPECT_EQ(CM_ACTIVATE, 0xB000u);
  EXPECT_EQ(CM_MOUSEENTER, 0xB013u);
  EXPECT_EQ(CM_RECREATEWND, 0xB033u);
  EXPECT_EQ(CM_BUFFEREDPRINTCLIENT, 0xB04Du);
  EXPECT_EQ(CM_CUSTOMSTYLECHANGED, 0xB059u);
  EXPECT_EQ(CN_KEYDOWN, 0xBD00u);
  EXPECT_EQ(CN_COMMAND, 0xBD11u);
  EXPECT_EQ(CN_CTLCOLORSCROLLBAR, 0xBD37u);
}

TEST_F(ControlsTest, MessagesGoThroughWindowProcThenHandlersThenDefaultHandler) {
  TForm* form = NewPlainForm();
  auto* c = new TSubProbe(form);
  c->SetParent(form);
  c->SetBounds(0, 0, 20, 20);
  Subclasser sub;
  sub.old = c->WindowProc;
  c->WindowProc = TWndMethod(&sub, &Subclasser::Proc);

  Trace().clear();
  EXPECT_EQ(c->Perform(WM_PROBE, 0, 0), 111);
  EXPECT_EQ(Trace(), (std::vector<std::string>{"hook", "sub", "probe", "default"}));

  // The window's procedure reaches the same chain.
  Trace().clear();
  EXPECT_EQ(SendMessageW(c->Handle(), WM_PROBE, 0, 0), 111);
  EXPECT_EQ(Trace(), (std::vector<std::string>{"hook", "sub", "probe", "default"}));

  // Restoring the original procedure removes the subclass.
  c->WindowProc = sub.old;
  Trace().clear();
  c->Perform(WM_PROBE, 0, 0);
  EXPECT_EQ(Trace(), (std::vector<std::string>{"sub", "probe", "default"}));
}

class TReflectProbe : public TWinControl {
  QD_CLASS_INLINE(TReflectProbe, TWinControl)
 public:
  using TWinControl::TWinControl;
  std::vector<UINT> got;
  void Dispatch(TMessage& m) override {
    if (m.Msg >= CN_BASE && m.Msg < CN_BASE + 0x400) {
      got.push_back(m.Msg);
      m.Result = 42;
      return;
    }
    inherited::Dispatch(m);
  }
};

TEST_F(ControlsTest, ParentReflectsNotificationsToTheChildTheyConcern) {
  TForm* form = NewPlainForm();
  auto* child = new TReflectProbe(form);
  child->SetParent(form);
  HWND h = child->Handle();
  struct NotifyHeader {
    HWND hwndFrom;
    UINT_PTR idFrom;
    UINT code;
  } nm{h, 0, 0};
  struct DrawItem {
    UINT CtlType, CtlID, itemID, itemAction, itemState;
    HWND hwndItem;
  } di{0, 0, 0, 0, 0, h};
  struct MeasureItem {
    UINT CtlType, CtlID;
  } mi{0, static_cast<UINT>(GetDlgCtrlID(h))};
  struct Case {
    UINT msg;
    LPARAM lParam;
    UINT reflected;
  } cases[] = {
      {WM_COMMAND, reinterpret_cast<LPARAM>(h), CN_COMMAND},
      {WM_CTLCOLORSTATIC, reinterpret_cast<LPARAM>(h), CN_CTLCOLORSTATIC},
      {WM_CTLCOLOREDIT, reinterpret_cast<LPARAM>(h), CN_CTLCOLOREDIT},
      {WM_HSCROLL, reinterpret_cast<LPARAM>(h), CN_HSCROLL},
      {WM_VSCROLL, reinterpret_cast<LPARAM>(h), CN_VSCROLL},
      {WM_NOTIFY, reinterpret_cast<LPARAM>(&nm), CN_NOTIFY},
      {WM_DRAWITEM, reinterpret_cast<LPARAM>(&di), CN_DRAWITEM},
      {WM_MEASUREITEM, reinterpret_cast<LPARAM>(&mi), CN_MEASUREITEM},
  };
  for (const auto& c : cases) {
    child->got.clear();
    EXPECT_EQ(SendMessageW(form->Handle(), c.msg, 0, c.lParam), 42) << c.msg;
    EXPECT_EQ(child->got, (std::vector<UINT>{c.reflected})) << c.msg;
  }
  // A notification about a window that is not a control goes to the default handling.
  child->got.clear();
  EXPECT_EQ(SendMessageW(form->Handle(), WM_COMMAND, 0, 0), 0);
  EXPECT_TRUE(child->got.empty());
}

TEST_F(ControlsTest, WindowTextLivesInTheWindowOnceItExists) {
  TForm* form = NewPlainForm();
  auto* c = new TProbeControl(form);
  c->SetParent(form);
  c->SetText(u"before");
  EXPECT_FALSE(c->HandleAllocated());
  c->HandleNeeded();
  Char buf[32] = {};
  GetWindowTextW(c->Handle(), buf, 32);
  EXPECT_EQ(String(buf), u"before");
  SetWindowTextW(c->Handle(), u"after");
  EXPECT_EQ(c->GetText(), u"after");
  c->DestroyHandle();
  EXPECT_EQ(c->GetText(), u"after");
}

class TFillControl : public TGraphicControl {
  QD_CLASS_INLINE(TFillControl, TGraphicControl)
 public:
  using TGraphicControl::TGraphicControl;
  TColor fill = clRed;
  void Paint() override {
    Canvas()->Brush()->SetColor(fill);
    // Deliberately larger than the control: the parent clips it.
    Canvas()->FillRect(Rect(-50, -50, 500, 500));
  }
};

TEST_F(ControlsTest, AlignmentTable) {
  struct Case {
    const char* name;
    TAlign align;
    TRect initial;
    TRect expected;
  } cases[] = {
      {"top first", alTop, Bounds(5, 0, 10, 20), Rect(0, 0, 300, 20)},
      {"top second", alTop, Bounds(5, 50, 10, 30), Rect(0, 20, 300, 50)},
      {"bottom", alBottom, Bounds(0, 0, 10, 25), Rect(0, 175, 300, 200)},
      {"left", alLeft, Bounds(0, 0, 40, 10), Rect(0, 50, 40, 175)},
      {"right", alRight, Bounds(0, 0, 30, 10), Rect(270, 50, 300, 175)},
      {"client", alClient, Bounds(0, 0, 1, 1), Rect(40, 50, 270, 175)},
      {"none", alNone, Bounds(7, 8, 9, 10), Bounds(7, 8, 9, 10)},
  };
  TForm* form = NewPlainForm(300, 200);
  form->HandleNeeded();
  std::vector<TControl*> made;
  form->DisableAlign();
  for (const auto& c : cases) {
    auto* ctl = new TFillControl(form);
    ctl->SetBoundsRect(c.initial);
    ctl->SetAlign(c.align);
    ctl->SetParent(form);
    made.push_back(ctl);
  }
  form->EnableAlign();
  for (size_t i = 0; i < made.size(); ++i)
    EXPECT_EQ(made[i]->BoundsRect(), cases[i].expected) << cases[i].name;

  // A hidden control takes no room.
  made[1]->SetVisible(false);
  EXPECT_EQ(made[3]->BoundsRect(), Rect(0, 20, 40, 175));
}

TEST_F(ControlsTest, ScalingTheChildrenForADpiLeavesTheParentAsItIs) {
  TForm* f = NewPlainForm(300, 200);
  auto* panel = new TProbeControl(f);
  panel->SetParent(f);
  panel->SetBounds(10, 10, 200, 100);
  auto* child = new TProbeControl(f);
  child->SetParent(panel);
  child->SetBounds(10, 20, 40, 30);
  panel->ScaleControlsForDpi(144);
  EXPECT_EQ(panel->BoundsRect(), (TRect{10, 10, 210, 110}));
  EXPECT_EQ(child->BoundsRect(), (TRect{15, 30, 75, 75}));
  EXPECT_EQ(child->CurrentPPI(), 144);
  // Already at that density: nothing moves again.
  panel->ScaleControlsForDpi(144);
  EXPECT_EQ(child->BoundsRect(), (TRect{15, 30, 75, 75}));
}

TEST_F(ControlsTest, AnchorsFollowTheParentSize) {
  struct Case {
    const char* name;
    TAnchors anchors;
    TRect expected;  // after the parent grows from 300x200 to 400x260
  } cases[] = {
      {"left top", {akLeft, akTop}, Bounds(100, 50, 40, 20)},
      {"right bottom", {akRight, akBottom}, Bounds(200, 110, 40, 20)},
      {"left top right", {akLeft, akTop, akRight}, Bounds(100, 50, 140, 20)},
      {"left right: vertical centre in proportion", {akLeft, akRight}, Bounds(100, 68, 140, 20)},
      {"all four", {akLeft, akTop, akRight, akBottom}, Bounds(100, 50, 140, 80)},
      {"none: centre kept in proportion",
       {},
       Bounds(MulDiv(120, 400, 300) - 20, MulDiv(60, 260, 200) - 10, 40, 20)},
  };
  for (const auto& c : cases) {
    TForm* form = NewPlainForm(300, 200);
    form->HandleNeeded();
    auto* ctl = new TFillControl(form);
    ctl->SetParent(form);
    ctl->SetBounds(100, 50, 40, 20);
    ctl->SetAnchors(c.anchors);
    form->SetBounds(100, 100, 400, 260);
    EXPECT_EQ(ctl->BoundsRect(), c.expected) << c.name;
    form->Free();
  }
}

TEST_F(ControlsTest, ParentFontAndColorReachChildrenThatFollowTheirParent) {
  TForm* form = NewPlainForm();
  form->Font()->SetName(u"DejaVu Sans");
  form->Font()->SetHeight(-13);
  auto* follows = new TFillControl(form);
  follows->SetParent(form);
  auto* own = new TFillControl(form);
  own->SetParent(form);
  own->Font()->SetHeight(-20);  // setting its own font ends following
  EXPECT_FALSE(own->ParentFont());
  EXPECT_TRUE(follows->ParentFont());
  EXPECT_EQ(follows->Font()->Height(), -13);
  EXPECT_EQ(follows->Font()->Name(), u"DejaVu Sans");

  form->Font()->SetHeight(-16);
  form->Font()->SetStyle({fsBold});
  EXPECT_EQ(follows->Font()->Height(), -16);
  EXPECT_TRUE(follows->Font()->Style().Contains(fsBold));
  EXPECT_EQ(own->Font()->Height(), -20);

  own->SetParentFont(true);
  EXPECT_EQ(own->Font()->Height(), -16);

  form->SetColor(clYellow);
  EXPECT_EQ(follows->Color(), clYellow);
  follows->SetColor(clBlue);
  EXPECT_FALSE(follows->ParentColor());
  form->SetColor(clAqua);
  EXPECT_EQ(follows->Color(), clBlue);
  EXPECT_EQ(own->Color(), clAqua);
}

// Records the system colour notifications a control hears.
class TSysColorProbe : public TCustomControl {
  QD_CLASS_INLINE(TSysColorProbe, TCustomControl)
 public:
  using TCustomControl::TCustomControl;
  int heard = 0;
  void Dispatch(TMessage& m) override {
    if (m.Msg == CM_SYSCOLORCHANGE) ++heard;
    inherited::Dispatch(m);
  }
};

class TSysColorGraphicProbe : public TGraphicControl {
  QD_CLASS_INLINE(TSysColorGraphicProbe, TGraphicControl)
 public:
  using TGraphicControl::TGraphicControl;
  int heard = 0;
  void Dispatch(TMessage& m) override {
    if (m.Msg == CM_SYSCOLORCHANGE) ++heard;
    inherited::Dispatch(m);
  }
};

// A change of the system colours reaches every control of a form, nested ones included.
TEST_F(ControlsTest, SystemColourChangeReachesEveryControlOfTheForm) {
  TForm* form = NewPlainForm();
  auto* outer = new TSysColorProbe(form);
  outer->SetParent(form);
  outer->SetBounds(0, 0, 100, 80);
  auto* inner = new TSysColorProbe(form);
  inner->SetParent(outer);
  inner->SetBounds(0, 0, 50, 40);
  auto* graphic = new TSysColorGraphicProbe(form);
  graphic->SetParent(outer);
  graphic->SetBounds(60, 0, 20, 20);
  ShowAndPaint(form);

  const INT index = COLOR_BTNFACE;
  const COLORREF colour = RGB(10, 20, 30);
  SetSysColors(1, &index, &colour);
  gdi::ResetSysColors();
  EXPECT_EQ(outer->heard, 1);
  EXPECT_EQ(inner->heard, 1);
  EXPECT_EQ(graphic->heard, 1);
}

TEST_F(ControlsTest, ParentPaintsGraphicControlsInZOrderClippedToTheirBounds) {
  for (bool doubleBuffered : {false, true}) {
    TForm* form = NewPlainForm(100, 60);
    form->SetDoubleBuffered(doubleBuffered);
    auto* red = new TFillControl(form);
    red->SetBounds(10, 10, 30, 20);
    red->SetParent(form);
    auto* blue = new TFillControl(form);
    blue->fill = clBlue;
    blue->SetBounds(30, 20, 30, 20);
    blue->SetParent(form);
    ShowAndPaint(form);

    struct Probe {
      int x, y;
      uint32_t rgb;
    } probes[] = {
        {5, 5, 0xFFFFFF},    // form background
        {15, 15, 0xFF0000},  // red only
        {35, 25, 0x0000FF},  // overlap: the later control is on top
        {55, 35, 0x0000FF},  // blue only
        {45, 12, 0xFFFFFF},  // outside both: red's oversized fill was clipped
        {65, 45, 0xFFFFFF},
    };
    for (const auto& p : probes)
      EXPECT_EQ(ClientPixel(form, p.x, p.y) & 0xFFFFFF, p.rgb)
          << p.x << "," << p.y << " buffered " << doubleBuffered;

    // Hiding a control repaints what was under it.
    blue->SetVisible(false);
    Application->ProcessMessages();
    EXPECT_EQ(ClientPixel(form, 55, 35) & 0xFFFFFF, 0xFFFFFFu);
    EXPECT_EQ(ClientPixel(form, 35, 25) & 0xFFFFFF, 0xFF0000u);
    form->Free();
  }
}

class TWindowedFill : public TCustomControl {
  QD_CLASS_INLINE(TWindowedFill, TCustomControl)
 public:
  using TCustomControl::TCustomControl;
  TColor fill = clRed;
  void Paint() override {
    Canvas()->Brush()->SetColor(fill);
    Canvas()->FillRect(ClientRect());
  }
};

TEST_F(ControlsTest, LaterWindowedControlsLieAboveEarlierOnesAndZOrderChangesMoveThem) {
  TForm* form = NewPlainForm(100, 60);
  auto* red = new TWindowedFill(form);
  red->SetBounds(10, 10, 30, 20);
  red->SetParent(form);
  auto* blue = new TWindowedFill(form);
  blue->fill = clBlue;
  blue->SetBounds(30, 20, 30, 20);
  blue->SetParent(form);
  ShowAndPaint(form);
  // Made later, so on top, both in the window order and on the screen.
  EXPECT_EQ(GetWindow(form->Handle(), GW_CHILD), blue->Handle());
  EXPECT_EQ(ClientPixel(form, 35, 25) & 0xFFFFFF, 0x0000FFu);

  const struct {
    TWinControl* control;
    bool toFront;
    HWND top;
    uint32_t overlap;
  } steps[] = {
      {red, true, red->Handle(), 0xFF0000u},
      {red, false, blue->Handle(), 0x0000FFu},
      {blue, false, red->Handle(), 0xFF0000u},
      {blue, true, blue->Handle(), 0x0000FFu},
  };
  for (const auto& step : steps) {
    if (step.toFront)
      step.control->BringToFront();
    else
      step.control->SendToBack();
    RedrawWindow(form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    EXPECT_EQ(GetWindow(form->Handle(), GW_CHILD), step.top);
    EXPECT_EQ(ClientPixel(form, 35, 25) & 0xFFFFFF, step.overlap);
    // The control list keeps the same order: the last windowed control is the top one.
    ASSERT_EQ(form->ControlCount(), 2);
    EXPECT_EQ(static_cast<TWinControl*>(form->Controls(1))->Handle(), step.top);
  }
  form->Free();
}

class TPopupFill : public TWindowedFill {
  QD_CLASS_INLINE(TPopupFill, TWindowedFill)
 public:
  using TWindowedFill::TWindowedFill;
  void CreateParams(TCreateParams& Params) override {
    TWindowedFill::CreateParams(Params);
    Params.Style = WS_POPUP;
    Params.WndParent = nullptr;
  }
};

TEST_F(ControlsTest, BringingAPopupToTheFrontLeavesTheActiveWindowAndFocusAlone) {
  TForm* form = NewPlainForm(100, 60);
  ShowAndPaint(form);
  ASSERT_EQ(GetActiveWindow(), form->Handle());
  auto* popup = new TPopupFill(form);
  popup->SetBounds(10, 10, 30, 20);
  popup->HandleNeeded();
  SetWindowPos(popup->Handle(), HWND_TOP, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
  ASSERT_EQ(GetActiveWindow(), form->Handle());
  popup->SendToBack();
  popup->BringToFront();
  EXPECT_EQ(GetActiveWindow(), form->Handle());
  EXPECT_EQ(GetFocus(), form->Handle());
  EXPECT_EQ(GetWindow(GetDesktopWindow(), GW_CHILD), popup->Handle()) << "the popup is the top window";
  delete popup;
  form->Free();
}

class TEmptyPanel : public TCustomControl {
  QD_CLASS_INLINE(TEmptyPanel, TCustomControl)
 public:
  using TCustomControl::TCustomControl;
};

TEST_F(ControlsTest, ParentBackgroundShowsWhatTheParentDrawsBehindTheControl) {
  for (bool parentBackground : {false, true}) {
    TForm* form = NewPlainForm(100, 60);
    auto* red = new TFillControl(form);
    red->SetBounds(0, 0, 50, 60);
    red->SetParent(form);
    auto* panel = new TEmptyPanel(form);
    panel->SetBounds(20, 10, 60, 40);
    panel->SetParentColor(false);
    panel->SetColor(clLime);
    panel->SetParentBackground(parentBackground);
    panel->SetParent(form);
    ShowAndPaint(form);
    // Inside the panel: over the red control, then over the form's white.
    EXPECT_EQ(ClientPixel(form, 30, 20) & 0xFFFFFF, parentBackground ? 0xFF0000u : 0x00FF00u);
    EXPECT_EQ(ClientPixel(form, 70, 20) & 0xFFFFFF, parentBackground ? 0xFFFFFFu : 0x00FF00u);
    form->Free();
  }
}

TEST_F(ControlsTest, ChangingTheBorderStyleRecreatesTheWindowsAndKeepsTheState) {
  TForm* form = NewPlainForm(120, 80);
  form->SetCaption(u"Janela");
  auto* panel = new TEmptyPanel(form);
  panel->SetBounds(10, 10, 30, 20);
  panel->SetParent(form);
  int shows = 0;
  struct Counter {
    int* n;
    void Show(TObject*) { ++*n; }
  } counter{&shows};
  form->OnShow = TNotifyEvent(&counter, &Counter::Show);
  ShowAndPaint(form);
  HWND oldForm = form->Handle(), oldPanel = panel->Handle();
  form->SetBorderStyle(bsSingle);
  EXPECT_FALSE(IsWindow(oldForm));
  EXPECT_NE(form->Handle(), oldForm);
  EXPECT_NE(panel->Handle(), oldPanel);
  EXPECT_TRUE(IsChild(form->Handle(), panel->Handle()));
  EXPECT_TRUE(IsWindowVisible(form->Handle()));
  EXPECT_TRUE(GetWindowLongW(form->Handle(), GWL_STYLE) & static_cast<LONG>(WS_CAPTION));
  EXPECT_EQ(form->Caption(), u"Janela");
  EXPECT_EQ(panel->BoundsRect(), Bounds(10, 10, 30, 20));
  EXPECT_EQ(shows, 2);
}

TEST_F(ControlsTest, KeyPreviewLetsTheFormSeeKeysFirst) {
  TForm* form = NewPlainForm(120, 80);
  form->SetKeyPreview(true);
  auto* panel = new TEmptyPanel(form);
  panel->SetBounds(10, 10, 30, 20);
  panel->SetTabStop(true);
  panel->SetParent(form);
  struct Keys {
    std::vector<std::string> log;
    void FormKey(TObject*, WORD& key, TShiftState) {
      log.push_back("form " + std::to_string(key));
      if (key == VK_F2) key = 0;  // swallowed
    }
    void PanelKey(TObject*, WORD& key, TShiftState) { log.push_back("panel " + std::to_string(key)); }
  } keys;
  form->OnKeyDown = TKeyEvent(&keys, &Keys::FormKey);
  panel->OnKeyDown = TKeyEvent(&keys, &Keys::PanelKey);
  ShowAndPaint(form);
  panel->SetFocus();
  os::InjectKey(VK_F2, true);
  os::InjectKey(VK_F3, true);
  Application->ProcessMessages();
  EXPECT_EQ(keys.log, (std::vector<std::string>{"form 113", "form 114", "panel 114"}));
}

TEST_F(ControlsTest, WheelGoesFromTheFocusedControlUpToAParentThatHandlesIt) {
  TForm* form = NewPlainForm(120, 80);
  auto* panel = new TEmptyPanel(form);
  panel->SetBounds(10, 10, 30, 20);
  panel->SetParent(form);
  struct Wheel {
    std::vector<int> deltas;
    TPoint pos;
    void OnWheel(TObject*, TShiftState, int delta, TPoint p, bool& handled) {
      deltas.push_back(delta);
      pos = p;
      handled = true;
    }
  } wheel;
  form->OnMouseWheel = TMouseWheelEvent(&wheel, &Wheel::OnWheel);
  ShowAndPaint(form);
  panel->SetFocus();
  const TPoint at = form->ClientToScreen(TPoint{50, 50});
  os::InjectMouseWheel(at, -120);
  Application->ProcessMessages();
  EXPECT_EQ(wheel.deltas, (std::vector<int>{-120}));
  EXPECT_EQ(wheel.pos, at);
}

TEST_F(ControlsTest, ClicksReachTheGraphicControlUnderTheMouse) {
  TForm* form = NewPlainForm(100, 60);
  auto* target = new TFillControl(form);
  target->SetBounds(10, 10, 30, 20);
  target->SetParent(form);
  struct Counter {
    int clicks = 0;
    std::vector<TPoint> downs;
    void Click(TObject*) { ++clicks; }
    void Down(TObject*, TMouseButton, TShiftState, int x, int y) { downs.push_back({x, y}); }
  } counter;
  target->OnClick = TNotifyEvent(&counter, &Counter::Click);
  target->OnMouseDown = TMouseEvent(&counter, &Counter::Down);
  ShowAndPaint(form);
  TPoint p = form->ClientToScreen(TPoint{15, 12});
  os::InjectMouseMove(p);
  os::InjectMouseButton(WM_LBUTTONDOWN, p);
  os::InjectMouseButton(WM_LBUTTONUP, p);
  Application->ProcessMessages();
  EXPECT_EQ(counter.clicks, 1);
  ASSERT_EQ(counter.downs.size(), 1u);
  EXPECT_EQ(counter.downs[0], (TPoint{5, 2}));
  // A press that ends outside the control is no click.
  TPoint out = form->ClientToScreen(TPoint{80, 50});
  os::InjectMouseButton(WM_LBUTTONDOWN, p);
  os::InjectMouseMove(out);
  os::InjectMouseButton(WM_LBUTTONUP, out);
  Application->ProcessMessages();
  EXPECT_EQ(counter.clicks, 1);
}

TEST_F(ControlsTest, MouseEnterAndLeaveAreReportedOnceWithTheControlToTheParent) {
  TForm* form = NewPlainForm(100, 60);
  auto* a = new TFillControl(form);
  a->SetBounds(10, 10, 30, 20);
  a->SetParent(form);
  struct Log {
    std::vector<std::string> lines;
    void Enter(TObject*) { lines.push_back("enter"); }
    void Leave(TObject*) { lines.push_back("leave"); }
  } log;
  a->OnMouseEnter = TNotifyEvent(&log, &Log::Enter);
  a->OnMouseLeave = TNotifyEvent(&log, &Log::Leave);
  struct ParentSpy {
    TWndMethod old;
    std::vector<LPARAM> enters;
    void Proc(TMessage& m) {
      if (m.Msg == CM_MOUSEENTER) enters.push_back(m.LParam);
      old(m);
    }
  } spy;
  spy.old = form->WindowProc;
  form->WindowProc = TWndMethod(&spy, &ParentSpy::Proc);
  ShowAndPaint(form);
  os::InjectMouseMove(form->ClientToScreen(TPoint{15, 15}));
  os::InjectMouseMove(form->ClientToScreen(TPoint{16, 15}));
  Application->ProcessMessages();
  os::InjectMouseMove(form->ClientToScreen(TPoint{80, 50}));
  Application->ProcessMessages();
  EXPECT_EQ(log.lines, (std::vector<std::string>{"enter", "leave"}));
  EXPECT_NE(std::find(spy.enters.begin(), spy.enters.end(), reinterpret_cast<LPARAM>(a)), spy.enters.end());
  form->WindowProc = spy.old;
}

}  // namespace
}  // namespace qd::testing
