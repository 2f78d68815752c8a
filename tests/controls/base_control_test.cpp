// The base control: wheel accumulation, page scrolling, dialog codes, enter and leave, menu
// keys and the application's key offer, popup menus, scale changes, and the paint pipeline
// (direct, through an off-screen bitmap, through buffered paint, with a DC in wParam).
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "controls/controls_test_util.h"
#include "platform/forms/menus.h"
#include "platform/os/gdi.h"
#include "ui/controls/cxControlPopupScrollBars.h"
#include "ui/controls/cxControlScrollBars.h"
#include "ui/controls/cxControls.h"
#include "ui/core/cxGeometry.h"
#include "ui/core/dxCore.h"
#include "ui/graphics/cxGraphicsBitmap.h"

namespace qd::testing {
namespace {

// A control that says what it is asked to do.
class TProbeControl : public TcxControl {
 public:
  explicit TProbeControl(TComponent* AOwner) : TcxControl(AOwner) {}

  std::vector<std::string> log;
  TcxMouseWheelScrollingKind wheelKind = mwskVertical;
  TColor fill = clRed;
  bool logPaint = false;
  bool blackOpaqueOnGlass = false;
  // The clip region PaintWindow met, in client coordinates (0: none).
  HRGN paintClip = nullptr;
  int scaleChanging = 0;
  int scaleChanged = 0;
  int lookAndFeelChanged = 0;

  ~TProbeControl() override {
    if (paintClip) DeleteObject(paintClip);
  }

  TcxMouseWheelScrollingKind GetMouseWheelScrollingKind() override { return wheelKind; }
  bool GetPaintBlackOpaqueOnGlass() override { return blackOpaqueOnGlass; }
  void Scroll(TScrollBarKind AKind, TScrollCode ACode, int32_t&) override {
    log.push_back(std::string(AKind == sbVertical ? "vert " : "horz ") + (ACode == scPageUp     ? "pageup"
                                                                          : ACode == scPageDown ? "pagedown"
                                                                                                : "other"));
  }
  void ScrollContent(TcxDirection ADirection) override {
    static const char* const names[] = {"none", "left", "right", "up", "down"};
    log.push_back(names[ADirection]);
  }
  void LookAndFeelChanged() override {
    ++lookAndFeelChanged;
    TcxControl::LookAndFeelChanged();
  }

  void WndProc(TMessage& Message) override {
    if (logPaint) {
      switch (Message.Msg) {
        case WM_PAINT:
          log.push_back(Message.WParam ? "WM_PAINT dc" : "WM_PAINT");
          break;
        case WM_ERASEBKGND:
          log.push_back(Message.WParam == static_cast<WPARAM>(Message.LParam) ? "WM_ERASEBKGND memory"
                                                                              : "WM_ERASEBKGND");
          break;
        case WM_PRINTCLIENT:
          log.push_back("WM_PRINTCLIENT");
          break;
        default:
          break;
      }
    }
    TcxControl::WndProc(Message);
  }
  void PaintWindow(HDC DC) override {
    if (logPaint) log.push_back("PaintWindow");
    if (paintClip) DeleteObject(paintClip);
    paintClip = CreateRectRgn(0, 0, 0, 0);
    if (GetClipRgn(DC, paintClip) == 1) {
      POINT org{};
      GetWindowOrgEx(DC, &org);
      OffsetRgn(paintClip, org.X, org.Y);
    } else {
      DeleteObject(paintClip);
      paintClip = nullptr;
    }
    TcxControl::PaintWindow(DC);
  }

 protected:
  bool InternalMouseWheel(TShiftState Shift, int32_t Delta, const TPoint& P) override {
    log.push_back("wheel " + std::to_string(Delta));
    return TcxControl::InternalMouseWheel(Shift, Delta, P);
  }
  void DoPaint() override {
    TcxControl::DoPaint();
    Canvas()->FillRect(GetClientBounds(), fill);
  }
  void EraseBackground(TcxCanvas* ACanvas, const TRect& R) override {
    if (logPaint) log.push_back("EraseBackground");
    ACanvas->FillRect(R, clYellow);
  }
  void ScaleFactorChanging() override {
    ++scaleChanging;
    TcxControl::ScaleFactorChanging();
  }
  void ScaleFactorChanged() override {
    ++scaleChanged;
    TcxControl::ScaleFactorChanged();
  }
};

// A graphic child that hides what lies behind it.
class TOpaqueChild : public TGraphicControl {
 public:
  explicit TOpaqueChild(TComponent* AOwner) : TGraphicControl(AOwner) {
    TControlStyle style = ControlStyle();
    style.Include(csOpaque);
    SetControlStyle(style);
  }
  int painted = 0;
  void Paint() override {
    ++painted;
    Canvas()->Brush()->SetColor(clBlue);
    Canvas()->FillRect(TRect{0, 0, Width(), Height()});
  }
};

// A popup menu that is not the platform's.
class TLibraryPopupMenu : public TComponent, public IcxPopupMenu {
 public:
  explicit TLibraryPopupMenu(TComponent* AOwner) : TComponent(AOwner) {}
  std::vector<TPoint> popups;
  bool IsShortCutKey(TMessage& AMessage) override { return AMessage.WParam == 'M'; }
  void Popup(int32_t X, int32_t Y) override { popups.push_back(TPoint{X, Y}); }
};

class BaseControl : public BaseControlTest {
 protected:
  void SetUp() override {
    BaseControlTest::SetUp();
    form = NewPlainForm(200, 100);
    control = new TProbeControl(form);
    control->SetParent(form);
    control->SetBounds(10, 10, 60, 40);
  }
  void TearDown() override {
    os::ResetReportedVersion();
    BaseControlTest::TearDown();
  }

  void ShowForm() {
    form->Show();
    Application->ProcessMessages();
    UpdateWindow(form->Handle());
    RedrawWindow(form->Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  }
  // Windows Vista (no buffering), or Windows 10 with composition on or off.
  static void UseSystem(DWORD AMajor, DWORD AMinor, bool AComposition) {
    os::SetReportedVersion(AMajor, AMinor, AMajor == 6 ? 7601 : 19045);
    os::SetCompositionEnabled(AComposition);
    InitPlatformInfo();
  }
  // A form pixel as 0xRRGGBB.
  uint32_t FormRgb(int X, int Y) { return os::ReadWindowPixels(form->Handle(), true).At(X, Y) & 0xFFFFFF; }

  TForm* form = nullptr;
  TProbeControl* control = nullptr;
};

// --- Input ---------------------------------------------------------------------------------------

TEST_F(BaseControl, WheelDeltasAccumulateToOneStepPerEventAtMost) {
  os::SetSystemParameter(SPI_GETWHEELSCROLLLINES, 1);
  struct Case {
    std::vector<int> deltas;
    TcxMouseWheelScrollingKind kind;
    std::vector<std::string> expected;
  };
  const Case cases[] = {
      {{60, 60}, mwskVertical, {"wheel 120", "up"}},
      // The reversal restarts the sum at -60.
      {{60, -60, -60}, mwskVertical, {"wheel -120", "down"}},
      {{360}, mwskVertical, {"wheel 120", "up"}},
      {{-120, -120}, mwskVertical, {"wheel -120", "down", "wheel -120", "down"}},
      {{120, -120}, mwskHorizontal, {"wheel 120", "left", "wheel -120", "right"}},
      {{60}, mwskVertical, {}},
  };
  ShowForm();
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.deltas));
    // A fresh control each time: nothing accumulated before.
    auto* probe = new TProbeControl(form);
    probe->SetParent(form);
    probe->SetBounds(10, 10, 60, 40);
    probe->wheelKind = c.kind;
    probe->SetFocus();
    ASSERT_EQ(GetFocus(), probe->Handle());
    for (int delta : c.deltas) {
      os::InjectMouseWheel(POINT{130, 130}, delta);
      Pump();
    }
    EXPECT_EQ(probe->log, c.expected);
    delete probe;
  }
}

TEST_F(BaseControl, WheelScrollsLinesOrPagesAsTheSystemSays) {
  ShowForm();
  control->SetFocus();
  os::SetSystemParameter(SPI_GETWHEELSCROLLLINES, 3);
  control->Perform(WM_MOUSEWHEEL, MAKEWPARAM(0, -120), MAKELPARAM(130, 130));
  EXPECT_EQ(control->log, (std::vector<std::string>{"wheel -120", "down", "down", "down"}));

  os::SetSystemParameter(SPI_GETWHEELSCROLLLINES, -1);
  control->log.clear();
  control->Perform(WM_MOUSEWHEEL, MAKEWPARAM(0, 120), MAKELPARAM(130, 130));
  control->Perform(WM_MOUSEWHEEL, MAKEWPARAM(0, -120), MAKELPARAM(130, 130));
  EXPECT_EQ(control->log,
            (std::vector<std::string>{"wheel 120", "vert pageup", "wheel -120", "vert pagedown"}));
}

TEST_F(BaseControl, WheelWithoutScrollingGoesToTheParentAndAnOwnHandlerWins) {
  ShowForm();
  control->wheelKind = mwskNone;
  EXPECT_EQ(control->Perform(WM_MOUSEWHEEL, MAKEWPARAM(0, 120), MAKELPARAM(130, 130)), 0);
  EXPECT_TRUE(control->log.empty());

  control->wheelKind = mwskVertical;
  bool ownHandlerCalled = false;
  struct Handler {
    bool* called;
    void OnWheel(TObject*, TShiftState, int, TPoint, bool& Handled) {
      *called = true;
      Handled = true;
    }
  } handler{&ownHandlerCalled};
  control->TControl::OnMouseWheel = TMouseWheelEvent(&handler, &Handler::OnWheel);
  EXPECT_EQ(control->Perform(WM_MOUSEWHEEL, MAKEWPARAM(0, 120), MAKELPARAM(130, 130)), 1);
  EXPECT_TRUE(ownHandlerCalled);
  EXPECT_TRUE(control->log.empty());
}

TEST_F(BaseControl, DialogCodeFollowsKeysAndTheControlKey) {
  struct Case {
    TcxKeys keys;
    bool ctrl;
    LRESULT expected;
  };
  const Case cases[] = {
      {{}, false, 0},
      {{kArrows, kTab}, false, DLGC_WANTARROWS | DLGC_WANTTAB},
      {{kArrows, kTab}, true, DLGC_WANTARROWS},
      {{kAll, kChars}, false, DLGC_WANTALLKEYS | DLGC_WANTCHARS},
      {{kAll, kArrows, kChars, kTab}, false, 4 + 1 + 128 + 2},
  };
  ShowForm();
  for (const Case& c : cases) {
    control->SetKeys(c.keys);
    if (c.ctrl) os::InjectKey(VK_CONTROL, true);
    Pump();
    EXPECT_EQ(control->Perform(WM_GETDLGCODE, 0, 0), c.expected) << c.keys.ToBits() << " ctrl " << c.ctrl;
    if (c.ctrl) os::InjectKey(VK_CONTROL, false);
    Pump();
  }
}

TEST_F(BaseControl, MouseEnterAndLeaveFireOncePerCrossing) {
  auto* child = new TProbeControl(form);
  child->SetParent(control);
  child->SetBounds(5, 5, 10, 10);
  int entered = 0, left = 0;
  struct Counter {
    int* n;
    void Count(TObject*) { ++*n; }
  } onEnter{&entered}, onLeave{&left};
  control->OnMouseEnter = TNotifyEvent(&onEnter, &Counter::Count);
  control->OnMouseLeave = TNotifyEvent(&onLeave, &Counter::Count);

  control->Perform(CM_MOUSEENTER, 0, 0);
  control->Perform(CM_MOUSEENTER, 0, 0);
  EXPECT_EQ(entered, 1);
  // The child's own enter and leave reach the parent with the child in lParam: nothing changes.
  child->Perform(CM_MOUSEENTER, 0, 0);
  child->Perform(CM_MOUSELEAVE, 0, 0);
  control->Perform(CM_MOUSELEAVE, 0, reinterpret_cast<LPARAM>(child));
  EXPECT_EQ(entered, 1);
  EXPECT_EQ(left, 0);
  EXPECT_EQ(control->MouseEnterCounter(), 1);
  EXPECT_EQ(child->MouseEnterCounter(), 0);

  control->Perform(CM_MOUSELEAVE, 0, 0);
  control->Perform(CM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(left, 1);
  control->Perform(CM_MOUSEENTER, 0, reinterpret_cast<LPARAM>(control));
  EXPECT_EQ(entered, 2);
}

// Subclasses the application window: records 0x806B and answers it as told.
struct ApplicationKeyOffer {
  static inline WNDPROC previous = nullptr;
  static inline std::vector<WPARAM> offered;
  static inline LRESULT answer = 0;
  static LRESULT Proc(HWND AWnd, UINT AMsg, WPARAM AWParam, LPARAM ALParam) {
    if (AMsg == DXM_APPLICATIONKEYDOWN) {
      offered.push_back(AWParam);
      return answer;
    }
    return CallWindowProcW(previous, AWnd, AMsg, AWParam, ALParam);
  }
};

TEST_F(BaseControl, MenuKeysAreEatenAndOtherKeysOfferedToTheApplicationFirst) {
  // The popup menu of a library parent claims Ctrl+K; the library popup menu of the control
  // claims M.
  auto* parent = new TProbeControl(form);
  parent->SetParent(form);
  parent->SetBounds(80, 10, 100, 80);
  control->SetParent(parent);
  control->SetBounds(5, 5, 40, 30);
  auto* menu = new TPopupMenu(form);
  auto* item = new TMenuItem(menu);
  item->SetCaption(u"Copy");
  item->SetShortCut(ShortCut('K', {ssCtrl}));
  menu->Items()->Add(item);
  parent->SetPopupMenu(menu);
  auto* libraryMenu = new TLibraryPopupMenu(form);
  control->SetPopupMenu(libraryMenu);

  std::vector<WORD> keysDown;
  struct Keys {
    std::vector<WORD>* keys;
    void OnKeyDown(TObject*, WORD& Key, TShiftState) { keys->push_back(Key); }
  } keys{&keysDown};
  control->OnKeyDown = TKeyEvent(&keys, &Keys::OnKeyDown);
  ShowForm();
  control->SetFocus();
  ASSERT_EQ(GetFocus(), control->Handle());

  ApplicationKeyOffer::offered.clear();
  ApplicationKeyOffer::answer = 0;
  ApplicationKeyOffer::previous = dxSetWindowProc(Application->Handle(), &ApplicationKeyOffer::Proc);
  auto press = [](int AVk, bool ACtrl) {
    if (ACtrl) os::InjectKey(VK_CONTROL, true);
    os::InjectKey(AVk, true);
    os::InjectKey(AVk, false);
    if (ACtrl) os::InjectKey(VK_CONTROL, false);
    // The application's loop reflects keys to the focused control (CN_KEYDOWN).
    Application->ProcessMessages();
  };
  press('K', true);
  press('M', false);
  EXPECT_EQ(keysDown, (std::vector<WORD>{VK_CONTROL}));

  // A key that no menu claims reaches the key events, then the default handling, which
  // offers it to the application window first.
  keysDown.clear();
  ApplicationKeyOffer::offered.clear();
  press('J', false);
  EXPECT_EQ(keysDown, (std::vector<WORD>{'J'}));
  EXPECT_EQ(ApplicationKeyOffer::offered, (std::vector<WPARAM>{'J'}));

  // A non-zero answer ends the handling: the window's own procedure never sees the key.
  ApplicationKeyOffer::answer = 1;
  ApplicationKeyOffer::offered.clear();
  EXPECT_EQ(control->Perform(WM_KEYDOWN, 'Q', 0), 1);
  EXPECT_EQ(ApplicationKeyOffer::offered, (std::vector<WPARAM>{'Q'}));
  dxSetWindowProc(Application->Handle(), ApplicationKeyOffer::previous);

  // The reflected key itself is answered as eaten.
  TMessage m;
  m.Msg = CN_KEYDOWN;
  m.WParam = 'M';
  control->Dispatch(m);
  EXPECT_EQ(m.Result, 1);
}

TEST_F(BaseControl, PopupMenuTakesOnlyMenusAndForgetsFreedOnes) {
  auto* plain = new TComponent(form);
  control->SetPopupMenu(plain);
  EXPECT_EQ(control->PopupMenu(), nullptr);

  auto* menu = new TPopupMenu(form);
  control->SetPopupMenu(menu);
  EXPECT_EQ(control->PopupMenu(), menu);
  EXPECT_EQ(control->GetPopupMenu(), menu);
  delete menu;
  EXPECT_EQ(control->PopupMenu(), nullptr);

  auto* libraryMenu = new TLibraryPopupMenu(form);
  control->SetPopupMenu(libraryMenu);
  EXPECT_EQ(control->PopupMenu(), libraryMenu);
  EXPECT_EQ(control->GetPopupMenu(), nullptr);  // the platform sees platform menus only

  // A keyboard request (-1, -1) pops the menu up at the client origin.
  ShowForm();
  EXPECT_EQ(control->Perform(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(control->Handle()), MAKELPARAM(-1, -1)),
            1);
  EXPECT_EQ(
      control->Perform(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(control->Handle()), MAKELPARAM(150, 125)), 1);
  EXPECT_EQ(libraryMenu->popups, (std::vector<TPoint>{TPoint{110, 110}, TPoint{150, 125}}));
  delete libraryMenu;
  EXPECT_EQ(control->PopupMenu(), nullptr);
}

TEST_F(BaseControl, ContextPopupHookShowsItsOwnMenuWithTheReceivedPoint) {
  auto* libraryMenu = new TLibraryPopupMenu(form);
  control->SetPopupMenu(libraryMenu);
  ShowForm();
  static std::vector<TPoint> hooked;
  hooked.clear();
  cxContextPopupHookFunc = [](TControl*, TComponent* AMenu, const TPoint& P) {
    hooked.push_back(P);
    return AMenu != nullptr;
  };
  control->Perform(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(control->Handle()), MAKELPARAM(-1, -1));
  cxContextPopupHookFunc = nullptr;
  EXPECT_EQ(hooked, (std::vector<TPoint>{TPoint{-1, -1}}));
  EXPECT_TRUE(libraryMenu->popups.empty());
}

TEST_F(BaseControl, ScaleChangesNestAndRefreshTheLookAndFeelOnce) {
  control->Perform(DXM_SCALECHANGING, 0, 0);
  control->ChangeScale(3, 2);
  EXPECT_TRUE(control->IsScaleChanging());
  EXPECT_EQ(control->scaleChanging, 1);
  EXPECT_EQ(control->scaleChanged, 0);
  const int lookAndFeelBefore = control->lookAndFeelChanged;
  control->Perform(DXM_SCALECHANGED, 0, 0);
  EXPECT_FALSE(control->IsScaleChanging());
  EXPECT_EQ(control->scaleChanged, 1);
  EXPECT_EQ(control->lookAndFeelChanged, lookAndFeelBefore + 1);
  EXPECT_EQ(control->ScaleFactor()->Apply(100), 150);
  EXPECT_EQ(control->Width(), 90);
  // An unmatched end changes nothing.
  control->Perform(DXM_SCALECHANGED, 0, 0);
  EXPECT_EQ(control->scaleChanged, 1);

  // A control put on a scaled library control takes its scale factor.
  auto* child = new TProbeControl(form);
  child->SetParent(control);
  EXPECT_EQ(child->ScaleFactor()->Apply(100), 150);
}

TEST_F(BaseControl, ScalingTheChildrenForADpiIsOneScaleChangeOfTheControl) {
  auto* child = new TProbeControl(form);
  child->SetParent(control);
  child->SetBounds(4, 6, 20, 10);
  control->ScaleControlsForDpi(144);
  EXPECT_EQ(control->scaleChanging, 1);
  EXPECT_EQ(control->scaleChanged, 1);
  EXPECT_EQ(control->ScaleFactor()->Apply(100), 100);
  EXPECT_EQ(control->Width(), 60);
  // The child scales its factor and bounds inside its own bracket.
  EXPECT_EQ(child->ScaleFactor()->Apply(100), 150);
  EXPECT_EQ(child->BoundsRect(), (TRect{6, 9, 36, 24}));
  EXPECT_EQ(child->scaleChanged, 1);
}

TEST_F(BaseControl, TransparentSwitchesBetweenOpaqueAndParentBackground) {
  control->SetTransparent(true);
  EXPECT_TRUE(control->ControlStyle().Contains(csParentBackground));
  EXPECT_FALSE(control->ControlStyle().Contains(csOpaque));
  control->SetTransparent(false);
  EXPECT_FALSE(control->ControlStyle().Contains(csParentBackground));
  EXPECT_TRUE(control->ControlStyle().Contains(csOpaque));
}

// A control that shows no main scroll bars, or one whose bars are popups.
class TNoBarsControl : public TcxControl {
 public:
  using TcxControl::TcxControl;
  bool needs = false;
  bool popup = false;
  bool NeedsScrollBars() override { return needs; }
  bool IsPopupScrollBars() override { return popup; }
};

TEST_F(BaseControl, MainScrollBarsFollowTheControlsOwnAnswers) {
  auto* none = new TNoBarsControl(form);
  none->SetParent(form);
  EXPECT_FALSE(none->HasScrollBars());
  auto* popup = new TNoBarsControl(form);
  popup->needs = true;
  popup->popup = true;
  popup->SetParent(form);
  ShowForm();
  EXPECT_FALSE(none->HasScrollBars());
  ASSERT_TRUE(popup->HasScrollBars());
  EXPECT_NE(dynamic_cast<TcxPopupSizeGrip*>(popup->MainScrollBars()->SizeGrip()), nullptr);
}

TEST_F(BaseControl, AClickFocusesTheControlByMouseUnlessItMayNotFocusOnClick) {
  auto* other = new TProbeControl(form);
  other->SetParent(form);
  other->SetBounds(100, 10, 60, 40);
  std::vector<TcxControlActivateType> seen;
  struct Recorder {
    TProbeControl* control;
    std::vector<TcxControlActivateType>* seen;
    void OnFocusChanged(TObject*) {
      if (control->IsFocused()) seen->push_back(control->ActivateType());
    }
  } recorder{control, &seen};
  control->OnFocusChanged = TNotifyEvent(&recorder, &Recorder::OnFocusChanged);
  ShowForm();
  auto click = [&] {
    other->SetFocus();
    seen.clear();
    // Far enough apart not to make a double click.
    Clock().Advance(GetDoubleClickTime() + 1);
    os::InjectMouseButton(WM_LBUTTONDOWN, POINT{130, 130});
    os::InjectMouseButton(WM_LBUTTONUP, POINT{130, 130});
    Application->ProcessMessages();
  };

  control->SetFocusOnClick(false);
  click();
  EXPECT_EQ(GetFocus(), other->Handle());
  EXPECT_TRUE(seen.empty());

  control->SetFocusOnClick(true);
  click();
  EXPECT_EQ(GetFocus(), control->Handle());
  // By mouse while the focus moves, and back to "other" once it has.
  EXPECT_EQ(seen, (std::vector<TcxControlActivateType>{atByMouse}));
  EXPECT_EQ(control->ActivateType(), atOther);
}

TEST_F(BaseControl, AControlTooWideForMessageCoordinatesTakesThemFromTheCursor) {
  // Client x 34100 sits at screen x 200; its 16 bits in lParam read as -31436.
  control->SetBounds(-34000, 10, 40000, 40);
  std::vector<TPoint> downs;
  struct Recorder {
    std::vector<TPoint>* downs;
    void OnMouseDown(TObject*, TMouseButton, TShiftState, int X, int Y) { downs->push_back(TPoint{X, Y}); }
  } recorder{&downs};
  control->OnMouseDown = TMouseEvent(&recorder, &Recorder::OnMouseDown);
  ShowForm();
  os::InjectMouseButton(WM_LBUTTONDOWN, POINT{200, 130});
  os::InjectMouseButton(WM_LBUTTONUP, POINT{200, 130});
  Application->ProcessMessages();
  EXPECT_EQ(downs, (std::vector<TPoint>{TPoint{34100, 20}}));
}

TEST_F(BaseControl, TheMouseIsCapturedExactlyWhileACaptureObjectIsSet) {
  ShowForm();
  TObject captureObject;
  control->SetMouseCaptureObject(&captureObject);
  EXPECT_EQ(GetCapture(), control->Handle());
  control->SetMouseCaptureObject(nullptr);
  EXPECT_EQ(GetCapture(), nullptr);
  // Cancelling the mode drops the capture object with the capture.
  control->SetMouseCaptureObject(&captureObject);
  control->Perform(WM_CANCELMODE, 0, 0);
  EXPECT_EQ(control->MouseCaptureObject(), nullptr);
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(BaseControl, AControlFreedByItsMouseDownHandlerIsNotTouchedAgain) {
  ShowForm();
  struct Killer {
    TProbeControl** control;
    void OnMouseDown(TObject*, TMouseButton, TShiftState, int, int) {
      delete *control;
      *control = nullptr;
    }
  } killer{&control};
  control->OnMouseDown = TMouseEvent(&killer, &Killer::OnMouseDown);
  os::InjectMouseButton(WM_LBUTTONDOWN, POINT{130, 130});
  os::InjectMouseButton(WM_LBUTTONUP, POINT{130, 130});
  Application->ProcessMessages();
  EXPECT_EQ(control, nullptr);
}

TEST_F(BaseControl, EraseIsAnsweredAsDoneWhereTheBufferOrTheBackgroundDoesIt) {
  struct Case {
    const char* name;
    DWORD major;
    bool transparent;
    bool toMemory;
    LRESULT result;
    bool erased;
  };
  const Case cases[] = {
      {"into a buffer", 10, false, true, 1, true},
      {"system erase, double buffered, no background", 10, false, false, 0, false},
      {"system erase, double buffered, background", 10, true, false, 1, false},
      {"system erase, direct, background", 6, true, false, 1, true},
      {"system erase, direct, no background", 6, false, false, 0, false},
  };
  ShowForm();
  auto bitmap = std::make_unique<TcxBitmap32>(TRect{0, 0, 60, 40}, true);
  HDC dc = bitmap->Canvas()->Handle();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    UseSystem(c.major, 0, true);
    control->SetTransparent(c.transparent);
    ASSERT_EQ(control->HasBackground(), c.transparent);
    control->log.clear();
    control->logPaint = true;
    EXPECT_EQ(control->Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc),
                               c.toMemory ? reinterpret_cast<LPARAM>(dc) : 0),
              c.result);
    control->logPaint = false;
    EXPECT_EQ(std::count(control->log.begin(), control->log.end(), "EraseBackground"), c.erased ? 1 : 0);
  }
}

TEST_F(BaseControl, HintShowsTheStatusHintWhileTheAssignedOneIsKept) {
  control->SetHint(u"Assigned");
  EXPECT_EQ(control->Hint(), u"Assigned");
  EXPECT_EQ(control->TControl::Hint(), u"Assigned");
  struct TStatusControl : TProbeControl {
    using TProbeControl::TProbeControl;
    String GetStatusHint(const TPoint& P) override { return P.X < 30 ? u"Left" : Hint(); }
  };
  auto* status = new TStatusControl(form);
  status->SetParent(form);
  status->SetBounds(10, 60, 60, 30);
  status->SetHint(u"Assigned");
  ShowForm();
  status->Perform(WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
  EXPECT_EQ(status->TControl::Hint(), u"Left");
  EXPECT_EQ(status->Hint(), u"Assigned");
  status->Perform(WM_MOUSEMOVE, 0, MAKELPARAM(40, 5));
  EXPECT_EQ(status->TControl::Hint(), u"Assigned");
}

TEST_F(BaseControl, InvalidationReachesTheParentAndTheChildrenThatShowIt) {
  struct TRedrawControl : TProbeControl {
    using TProbeControl::TProbeControl;
    bool redrawOnResize = false;
    bool NeedRedrawOnResize() override { return redrawOnResize; }
  };
  auto* parent = new TRedrawControl(form);
  parent->SetParent(form);
  parent->SetBounds(80, 10, 110, 80);
  auto* transparent = new TProbeControl(form);
  transparent->SetParent(parent);
  transparent->SetBounds(5, 5, 40, 30);
  transparent->SetTransparent(true);
  auto* opaque = new TProbeControl(form);
  opaque->SetParent(parent);
  opaque->SetBounds(50, 5, 40, 30);
  opaque->SetTransparent(true);
  opaque->SetTransparent(false);
  ASSERT_TRUE(opaque->ControlStyle().Contains(csOpaque));
  ShowForm();
  auto pending = [](TWinControl* AControl) {
    RECT r{};
    return GetUpdateRect(AControl->Handle(), &r, FALSE) != FALSE;
  };
  for (bool redrawOnResize : {false, true}) {
    SCOPED_TRACE(redrawOnResize);
    parent->redrawOnResize = redrawOnResize;
    RedrawWindow(form->Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    parent->Invalidate();
    EXPECT_TRUE(pending(parent));
    EXPECT_EQ(pending(transparent), redrawOnResize);
    EXPECT_FALSE(pending(opaque));

    // A child's own invalidation tells the parent, which neither repaints nor passes it back.
    RedrawWindow(form->Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    transparent->Invalidate();
    EXPECT_TRUE(pending(transparent));
    EXPECT_FALSE(pending(parent));
    EXPECT_FALSE(pending(opaque));
  }
}

TEST_F(BaseControl, TheControlsCursorIsSetUnlessTheScreenHasOne) {
  control->SetCursor(crHandPoint);
  ShowForm();
  os::InjectMouseMove(POINT{130, 130});
  Application->ProcessMessages();
  ::qd::SetCursor(nullptr);
  EXPECT_EQ(control->Perform(WM_SETCURSOR, reinterpret_cast<WPARAM>(control->Handle()),
                             MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)),
            1);
  EXPECT_EQ(GetCursor(), Screen->Cursors(crHandPoint));

  Screen->SetCursor(crHourGlass);
  ::qd::SetCursor(nullptr);
  control->Perform(WM_SETCURSOR, reinterpret_cast<WPARAM>(control->Handle()),
                   MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  EXPECT_NE(GetCursor(), Screen->Cursors(crHandPoint));
  Screen->SetCursor(crDefault);
}

// --- Paint pipeline -----------------------------------------------------------------------------------

TEST_F(BaseControl, EachSystemPaintsThroughItsPath) {
  struct Case {
    const char* name;
    DWORD major, minor;
    bool composition;
    std::vector<std::string> expected;
  };
  const Case cases[] = {
      {"Vista: direct", 6, 0, true, {"WM_PAINT", "PaintWindow"}},
      {"10 without composition: off-screen bitmap",
       10,
       0,
       false,
       {"WM_PAINT", "WM_ERASEBKGND memory", "EraseBackground", "WM_PAINT dc", "PaintWindow"}},
      {"10 with composition: buffered paint",
       10,
       0,
       true,
       {"WM_PAINT", "WM_ERASEBKGND memory", "EraseBackground", "WM_PRINTCLIENT", "PaintWindow"}},
  };
  ShowForm();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    UseSystem(c.major, c.minor, c.composition);
    control->fill = c.composition ? clRed : clLime;
    control->log.clear();
    control->logPaint = true;
    ::qd::InvalidateRect(control->Handle(), nullptr, FALSE);
    UpdateWindow(control->Handle());
    control->logPaint = false;
    EXPECT_EQ(control->log, c.expected);
    EXPECT_EQ(FormRgb(30, 30), static_cast<uint32_t>(c.composition ? 0xFF0000 : 0x00FF00));
  }
}

TEST_F(BaseControl, PaintWithADeviceContextDrawsIntoItDirectly) {
  ShowForm();
  UseSystem(10, 0, true);
  ASSERT_TRUE(control->IsDoubleBufferedNeeded());
  auto bitmap = std::make_unique<TcxBitmap32>(TRect{0, 0, 60, 40}, true);
  ::qd::InvalidateRect(control->Handle(), nullptr, FALSE);
  control->logPaint = true;
  control->Perform(WM_PAINT, reinterpret_cast<WPARAM>(bitmap->Canvas()->Handle()), 0);
  control->logPaint = false;
  EXPECT_EQ(control->log, (std::vector<std::string>{"WM_PAINT dc", "PaintWindow"}));
  EXPECT_EQ(bitmap->Canvas()->Pixels(30, 20), clRed);
  // The window's own paint is still pending.
  RECT pending{};
  EXPECT_TRUE(GetUpdateRect(control->Handle(), &pending, FALSE));
}

TEST_F(BaseControl, TheClipIsTheUpdateRegion) {
  struct Case {
    const char* name;
    DWORD major, minor;
    bool composition;
    bool clipped;
  };
  const Case cases[] = {
      {"Vista: direct", 6, 0, true, true},
      {"10 without composition: off-screen bitmap", 10, 0, false, true},
      {"7 without composition: no update region", 6, 1, false, false},
  };
  ShowForm();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    UseSystem(c.major, c.minor, c.composition);
    ::qd::InvalidateRect(control->Handle(), nullptr, FALSE);
    UpdateWindow(control->Handle());
    const RECT a{2, 2, 12, 10}, b{30, 20, 50, 35};
    ::qd::InvalidateRect(control->Handle(), &a, FALSE);
    ::qd::InvalidateRect(control->Handle(), &b, FALSE);
    UpdateWindow(control->Handle());
    if (!c.clipped) {
      EXPECT_EQ(control->paintClip, nullptr);
      continue;
    }
    ASSERT_NE(control->paintClip, nullptr);
    HRGN expected = CreateRectRgn(a.Left, a.Top, a.Right, a.Bottom);
    HRGN second = CreateRectRgn(b.Left, b.Top, b.Right, b.Bottom);
    CombineRgn(expected, expected, second, RGN_OR);
    EXPECT_TRUE(EqualRgn(control->paintClip, expected));
    DeleteObject(second);
    DeleteObject(expected);
  }
}

TEST_F(BaseControl, AnOpaqueGraphicChildCoveringTheUpdateSkipsTheControlsOwnPaint) {
  auto* child = new TOpaqueChild(form);
  child->SetParent(control);
  child->SetBounds(10, 10, 20, 15);
  ShowForm();
  const std::pair<DWORD, bool> systems[] = {{6, true}, {10, false}, {10, true}};
  for (auto [major, composition] : systems) {
    SCOPED_TRACE(::testing::Message() << major << " composition " << composition);
    UseSystem(major, 0, composition);
    control->log.clear();
    child->painted = 0;
    const RECT covered{12, 12, 28, 24};
    control->logPaint = true;
    ::qd::InvalidateRect(control->Handle(), &covered, FALSE);
    UpdateWindow(control->Handle());
    EXPECT_EQ(std::count(control->log.begin(), control->log.end(), "PaintWindow"), 0);
    EXPECT_EQ(child->painted, 1);

    // Uncovered parts paint the control, around the child.
    control->log.clear();
    ::qd::InvalidateRect(control->Handle(), nullptr, FALSE);
    UpdateWindow(control->Handle());
    control->logPaint = false;
    EXPECT_EQ(std::count(control->log.begin(), control->log.end(), "PaintWindow"), 1);
    EXPECT_EQ(FormRgb(10 + 15, 10 + 15), 0x0000FFu);
    EXPECT_EQ(FormRgb(10 + 5, 10 + 5), 0xFF0000u);
  }
}

TEST_F(BaseControl, PaintingOnGlassLeavesTheDrawnAlphaOnlyWhenAsked) {
  ShowForm();
  UseSystem(10, 0, true);
  for (bool blackOpaque : {false, true}) {
    control->blackOpaqueOnGlass = blackOpaque;
    ::qd::InvalidateRect(control->Handle(), nullptr, FALSE);
    UpdateWindow(control->Handle());
    const uint32_t pixel = os::ReadWindowPixels(form->Handle(), false).At(30, 30);
    EXPECT_EQ(pixel >> 24, blackOpaque ? 0u : 0xFFu) << std::hex << pixel;
  }
}

// A control with a band of four pixels around its client area, painted by the control.
class TNonClientControl : public TProbeControl {
 public:
  using TProbeControl::TProbeControl;
  int ncPainted = 0;
  bool HasNonClientArea() override { return true; }
  TRect GetClientOffsets() override { return TRect{4, 4, 4, 4}; }
  void Dispatch(TMessage& Message) override {
    TProbeControl::Dispatch(Message);
    if (Message.Msg == WM_NCCALCSIZE && Message.WParam != 0) {
      TRect& r = reinterpret_cast<NCCALCSIZE_PARAMS*>(Message.LParam)->rgrc[0];
      r = cxRectInflate(r, -4);
    }
  }

 protected:
  void PaintNonClientArea(TcxCanvas* ACanvas) override {
    ++ncPainted;
    ACanvas->FillRect(TRect{0, 0, Width(), Height()}, clGreen);
  }
};

TEST_F(BaseControl, TheNonClientBandIsPaintedByTheControlAroundItsClientArea) {
  auto* nc = new TNonClientControl(form);
  nc->SetParent(form);
  nc->SetBounds(100, 20, 50, 40);
  ShowForm();
  SetWindowPos(nc->Handle(), nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
  RedrawWindow(nc->Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
  EXPECT_GT(nc->ncPainted, 0);
  EXPECT_EQ(nc->ClientRect(), (TRect{0, 0, 42, 32}));
  for (auto [x, y, rgb] : std::vector<std::tuple<int, int, uint32_t>>{{100, 20, 0x008000u},
                                                                      {103, 40, 0x008000u},
                                                                      {149, 59, 0x008000u},
                                                                      {104, 24, 0xFF0000u},
                                                                      {145, 55, 0xFF0000u},
                                                                      {99, 19, 0xFFFFFFu}})
    EXPECT_EQ(FormRgb(x, y), rgb) << x << ", " << y;
  SaveWindowPng(form->Handle(), "base_control_nonclient");

  // A paint copy (printing the control) brings the band along, the client inside it.
  auto bitmap = std::make_unique<TcxBitmap32>(TRect{0, 0, 50, 40}, true);
  TControlState state = nc->ControlState();
  state.Include(csPaintCopy);
  nc->SetControlState(state);
  HDC dc = bitmap->Canvas()->Handle();
  const int saved = SaveDC(dc);
  nc->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
  RestoreDC(dc, saved);
  state.Exclude(csPaintCopy);
  nc->SetControlState(state);
  for (auto [x, y, color] : std::vector<std::tuple<int, int, TColor>>{{1, 1, clGreen},
                                                                      {3, 20, clGreen},
                                                                      {4, 4, clRed},
                                                                      {45, 35, clRed},
                                                                      {46, 36, clGreen},
                                                                      {49, 39, clGreen}})
    EXPECT_EQ(bitmap->Canvas()->Pixels(x, y), color) << x << ", " << y;
}

// Draws a green border of three pixels.
class TBorderTestPainter : public TcxCustomLookAndFeelPainter {
 public:
  TBorderTestPainter(String AName, TcxLookAndFeelStyle AStyle) : FName(std::move(AName)), FStyle(AStyle) {}
  String LookAndFeelName() override { return FName; }
  TcxLookAndFeelStyle LookAndFeelStyle() override { return FStyle; }
  int32_t BorderSize() override { return 3; }
  void DrawBorder(TcxCanvas* ACanvas, const TRect& R) override { ACanvas->FillRect(R, clGreen); }

 private:
  String FName;
  TcxLookAndFeelStyle FStyle;
};

TEST_F(BaseControl, ABorderedControlIsDrawnByItsPainter) {
  TcxLookAndFeelPaintersManager* manager = cxLookAndFeelPaintersManager();
  while (manager->Count() > 0) manager->Unregister(manager->Items(0)->LookAndFeelName());
  for (auto [name, style] :
       std::vector<std::pair<const Char*, TcxLookAndFeelStyle>>{{u"Flat", lfsFlat},
                                                                {u"Native", lfsNative},
                                                                {u"Office11", lfsOffice11},
                                                                {u"Standard", lfsStandard},
                                                                {u"UltraFlat", lfsUltraFlat}})
    manager->Register(std::make_unique<TBorderTestPainter>(name, style));
  delete control;
  control = new TProbeControl(form);
  control->SetParent(form);
  control->SetBounds(20, 20, 80, 50);
  control->SetBorderStyle(cxcbsDefault);
  auto* child = new TOpaqueChild(form);
  child->SetParent(control);
  child->SetBounds(40, 10, 20, 20);
  ShowForm();
  SaveWindowPng(form->Handle(), "base_control_bordered");
  ASSERT_EQ(control->GetBorderSize(), 3);
  EXPECT_EQ(control->GetClientBounds(), (TRect{3, 3, 77, 47}));
  // The painter's border, the content inside it, the child over the content.
  for (auto [x, y, rgb] : std::vector<std::tuple<int, int, uint32_t>>{{20, 20, 0x008000u},
                                                                      {22, 40, 0x008000u},
                                                                      {99, 69, 0x008000u},
                                                                      {23, 23, 0xFF0000u},
                                                                      {96, 66, 0xFF0000u},
                                                                      {65, 35, 0x0000FFu},
                                                                      {19, 19, 0xFFFFFFu},
                                                                      {100, 70, 0xFFFFFFu}})
    EXPECT_EQ(FormRgb(x, y), rgb) << x << ", " << y;
}

}  // namespace
}  // namespace qd::testing
