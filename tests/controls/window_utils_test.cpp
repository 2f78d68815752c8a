// The control framework's window services: geometry with left-to-right and right-to-left
// windows, work areas, window state and layered windows, keys, right-to-left mirroring,
// system parameters and the designer notification.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "controls/controls_test_util.h"
#include "platform/forms/menus.h"
#include "platform/os/modules.h"
#include "platform/os/user_display.h"
#include "ui/controls/cxControlsRightToLeft.h"
#include "ui/controls/cxControlsWindowUtils.h"
#include "ui/core/dxDWMApi.h"

namespace qd::testing {
namespace {

class WindowUtilsTest : public ControlsTest {
 protected:
  void TearDown() override {
    dxSetDesignerModifiedHook(nullptr);
    ControlsTest::TearDown();
  }
  static HWND Create(DWORD style, DWORD exStyle, int x, int y, int w, int h, HWND parent = nullptr) {
    return CreatePlainWindow(style, exStyle, x, y, w, h, parent);
  }
};

TEST_F(WindowUtilsTest, GeometryOfWindows) {
  HWND popup = Create(WS_POPUP | WS_BORDER, 0, 100, 50, 200, 120);
  HWND child = Create(WS_CHILD | WS_BORDER, 0, 10, 20, 60, 40, popup);
  HWND rtl = Create(WS_CHILD | WS_BORDER | WS_VSCROLL, WS_EX_LAYOUTRTL, 10, 20, 60, 40, popup);
  HWND gone = Create(WS_POPUP, 0, 0, 0, 10, 10);
  DestroyWindow(gone);
  struct Case {
    const char* name;
    HWND wnd;
    bool isChild;
    TRect windowRect, clientRect;
    TPoint clientOffset;
  } cases[] = {
      {"popup", popup, false, {100, 50, 300, 170}, {0, 0, 198, 118}, {1, 1}},
      {"child", child, true, {111, 71, 171, 111}, {0, 0, 58, 38}, {1, 1}},
      // The scroll bar sits on the left of a right-to-left window; X counts from the right.
      {"right to left",
       rtl,
       true,
       {111, 71, 171, 111},
       {0, 0, 58 - GetSystemMetrics(SM_CXVSCROLL), 38},
       {1, 1}},
      {"destroyed", gone, false, {}, {}, {0, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(IsChildClassWindow(c.wnd), c.isChild);
    EXPECT_EQ(cxGetWindowRect(c.wnd), c.windowRect);
    EXPECT_EQ(cxGetClientRect(c.wnd), c.clientRect);
    EXPECT_EQ(cxGetWindowBounds(c.wnd),
              (TRect{0, 0, c.windowRect.Right - c.windowRect.Left, c.windowRect.Bottom - c.windowRect.Top}));
    if (c.wnd != gone) {
      EXPECT_EQ(cxGetClientOffset(c.wnd), c.clientOffset);
    }
  }
}

TEST_F(WindowUtilsTest, MapWindowRectKeepsTheSize) {
  HWND popup = Create(WS_POPUP | WS_BORDER, 0, 100, 50, 200, 120);  // client at (101, 51)
  HWND child = Create(WS_CHILD, 0, 10, 20, 60, 40, popup);          // at (111, 71), no border
  HWND rtl = Create(WS_POPUP | WS_BORDER, WS_EX_LAYOUTRTL, 400, 50, 200, 120);
  TPoint rtlOrigin{0, 0};
  ClientToScreen(rtl, &rtlOrigin);
  const TRect r{5, 6, 25, 16};
  struct Case {
    const char* name;
    HWND from, to;
    bool client;
    TPoint topLeft;
  } cases[] = {
      {"client, child to parent", child, popup, true, {15, 26}},
      {"client, parent to child", popup, child, true, {-5, -14}},
      // Window coordinates go by the window rectangles' corners (the popup's border counts).
      {"window, child to parent", child, popup, false, {16, 27}},
      {"window, parent to child", popup, child, false, {-6, -15}},
      {"client, to screen", child, nullptr, true, {116, 77}},
      // A right-to-left window's x runs leftwards from its client's right edge.
      {"client, right to left to screen", rtl, nullptr, true, {rtlOrigin.X - 5, rtlOrigin.Y + 6}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const TRect m = dxMapWindowRect(c.from, c.to, r, c.client);
    EXPECT_EQ((TPoint{m.Left, m.Top}), c.topLeft);
    EXPECT_EQ(m.Right - m.Left, 20);
    EXPECT_EQ(m.Bottom - m.Top, 10);
  }
  EXPECT_GT(rtlOrigin.X, 500);  // the right edge, not the left one
}

TEST_F(WindowUtilsTest, GeometryOfControls) {
  TForm* form = CreateNewForm<TForm>(Application);
  form->SetBounds(10, 10, 300, 200);
  auto* control = new TCustomControl(form);
  control->SetParent(form);
  control->SetBounds(5, 5, 80, 30);
  EXPECT_FALSE(control->HandleAllocated());
  EXPECT_EQ(cxGetWindowRect(control), TRect{});
  EXPECT_FALSE(control->HandleAllocated());  // not created by asking for the rectangle
  EXPECT_EQ(cxGetWindowBounds(control), (TRect{0, 0, 80, 30}));
  EXPECT_TRUE(control->HandleAllocated());
  EXPECT_EQ(cxGetWindowRect(control), cxGetWindowRect(control->Handle()));
}

TEST_F(WindowUtilsTest, SystemParameters) {
  TdxSystemInfo* info = dxSystemInfo();
  ASSERT_NE(info, nullptr);
  EXPECT_EQ(dxSystemInfo(), info);

  NONCLIENTMETRICSW metrics;
  metrics.cbSize = 12345;  // the service supplies the right size
  EXPECT_TRUE(info->GetParameter(SPI_GETNONCLIENTMETRICS, metrics));
  EXPECT_EQ(metrics.cbSize, sizeof(NONCLIENTMETRICSW));
  EXPECT_GT(metrics.iScrollWidth, 0);

  ANIMATIONINFO animation;
  animation.cbSize = 0;
  animation.iMinAnimate = -7;
  EXPECT_TRUE(info->GetParameter(SPI_GETANIMATION, animation));
  EXPECT_NE(animation.iMinAnimate, -7);

  LOGFONTW font{};
  EXPECT_TRUE(info->GetParameter(SPI_GETICONTITLELOGFONT, font));
  EXPECT_NE(font.lfFaceName[0], 0);

  for (BOOL expected : {TRUE, FALSE}) {
    os::SetSystemParameter(SPI_GETMENUANIMATION, expected);
    BOOL value = 2;
    EXPECT_TRUE(info->GetParameter(SPI_GETMENUANIMATION, value));
    EXPECT_EQ(value, expected);
  }
  // A failing query leaves the buffer as the caller prepared it.
  int untouched = 77;
  EXPECT_FALSE(info->GetParameter(0xFFFF, untouched));
  EXPECT_EQ(untouched, 77);

  FinalizeUnit();
  EXPECT_EQ(dxSystemInfo(), nullptr);
}

TEST_F(WindowUtilsTest, MakeVisibleOnDesktopMovesIntoTheNearestWorkArea) {
  // Two monitors side by side, each with a task bar at the bottom.
  os::SetMonitors({{{0, 0, 1920, 1080}, {0, 0, 1920, 1040}}, {{1920, 0, 3200, 1024}, {1920, 0, 3200, 984}}});
  struct Case {
    const char* name;
    TRect r;
    TPoint p;
    TRect expected;
  } cases[] = {
      {"inside stays", {100, 100, 300, 200}, {150, 150}, {100, 100, 300, 200}},
      {"past the right edge", {1800, 100, 2000, 200}, {1900, 150}, {1720, 100, 1920, 200}},
      {"past the task bar", {100, 1000, 300, 1100}, {150, 1050}, {100, 940, 300, 1040}},
      {"before the left and top", {-50, -20, 150, 80}, {10, 10}, {0, 0, 200, 100}},
      // Larger than the area: the left and top edges win.
      {"wider and taller", {100, 100, 2100, 1200}, {200, 200}, {0, 0, 2000, 1100}},
      // The monitor nearest to the point, not the one holding most of the rectangle.
      {"second monitor", {1800, 950, 2000, 1050}, {3000, 500}, {1920, 884, 2120, 984}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TRect r = c.r;
    MakeVisibleOnDesktop(r, c.p);
    EXPECT_EQ(r, c.expected);
  }
  EXPECT_EQ(GetDesktopWorkArea({5000, 5000}), (TRect{1920, 0, 3200, 984}));
}

TEST_F(WindowUtilsTest, WindowStateFollowsAncestors) {
  HWND popup = Create(WS_POPUP | WS_VISIBLE, 0, 100, 100, 300, 200);
  HWND child = Create(WS_CHILD | WS_VISIBLE, 0, 10, 10, 200, 150, popup);
  HWND grandChild = Create(WS_CHILD | WS_VISIBLE, 0, 20, 20, 50, 50, child);
  HWND other = Create(WS_POPUP, 0, 0, 0, 10, 10);
  EXPECT_TRUE(IsChildEx(popup, popup));
  EXPECT_TRUE(IsChildEx(popup, grandChild));
  EXPECT_FALSE(IsChildEx(popup, other));
  EXPECT_FALSE(IsChildEx(nullptr, popup));
  EXPECT_TRUE(dxIsCurrentProcessWindow(grandChild));
  EXPECT_FALSE(dxIsCurrentProcessWindow(nullptr));

  EXPECT_TRUE(IsWindowEnabledEx(grandChild));
  EnableWindow(popup, FALSE);
  EXPECT_FALSE(IsWindowEnabledEx(grandChild));  // a disabled ancestor disables the child
  EXPECT_TRUE(IsWindowEnabled(grandChild));
  EnableWindow(popup, TRUE);
  EnableWindow(grandChild, FALSE);
  // The deepest window under the point, a disabled one too.
  EXPECT_EQ(cxWindowFromPoint({100 + 10 + 20 + 5, 100 + 10 + 20 + 5}), grandChild);
  EXPECT_EQ(cxWindowFromPoint({100 + 10 + 150, 100 + 10 + 100}), child);
  EXPECT_EQ(cxWindowFromPoint({5, 5}), nullptr);  // the hidden popup

  const LONG before = GetWindowLongW(child, GWL_STYLE);
  EXPECT_EQ(dxSetWindowStyle(child, WS_BORDER, soAdd), before);
  EXPECT_EQ(GetWindowLongW(child, GWL_STYLE), before | static_cast<LONG>(WS_BORDER));
  dxSetWindowStyle(child, WS_BORDER, soSubtract);
  EXPECT_EQ(GetWindowLongW(child, GWL_STYLE), before);
  dxSetWindowStyle(child, WS_EX_LAYOUTRTL, soAdd, wsiExStyle);
  EXPECT_TRUE(dxWindowHasRightToLeftLayout(child));
}

TEST_F(WindowUtilsTest, LayeredAttributesAreSetAndRemoved) {
  HWND popup = Create(WS_POPUP | WS_VISIBLE, 0, 100, 100, 100, 100);
  UpdateWindow(popup);
  auto exStyle = [&] { return static_cast<DWORD>(GetWindowLongW(popup, GWL_EXSTYLE)); };
  // Opaque on a window that is not layered: nothing changes and nothing is redrawn.
  cxSetLayeredWindowAttributes(popup, 255);
  EXPECT_EQ(exStyle() & WS_EX_LAYERED, 0u);
  EXPECT_FALSE(GetUpdateRect(popup, nullptr, FALSE));

  cxSetLayeredWindowAttributes(popup, 128);
  EXPECT_NE(exStyle() & WS_EX_LAYERED, 0u);
  BYTE alpha = 0;
  DWORD flags = 0;
  ASSERT_TRUE(GetLayeredWindowAttributes(popup, nullptr, &alpha, &flags));
  EXPECT_EQ(alpha, 128);
  EXPECT_EQ(flags, static_cast<DWORD>(LWA_ALPHA));

  cxSetLayeredWindowAttributes(popup, 255);
  EXPECT_EQ(exStyle() & WS_EX_LAYERED, 0u);
  EXPECT_TRUE(GetUpdateRect(popup, nullptr, FALSE));

  // Without the system's entry points the functions do nothing.
  {
    os::ScopedModuleTable table;
    os::RemoveExport("user32.dll", "SetLayeredWindowAttributes");
    os::RemoveExport("user32.dll", "UpdateLayeredWindow");
    cxControlsWindowUtils::Initialize();
    EXPECT_FALSE(cxIsUpdateLayeredWindowAvailable());
    cxSetLayeredWindowAttributes(popup, 100);
    EXPECT_EQ(exStyle() & WS_EX_LAYERED, 0u);
  }
  cxControlsWindowUtils::Initialize();
  EXPECT_TRUE(cxIsUpdateLayeredWindowAvailable());
}

TEST_F(WindowUtilsTest, KeysAndCharacters) {
  struct Case {
    WORD key;
    bool sys;
  } cases[] = {
      {VK_TAB, true},     {VK_RETURN, true},   {VK_ESCAPE, true}, {VK_SHIFT, true}, {VK_CAPITAL, true},
      {VK_PRIOR, true},   {VK_LEFT, true},     {VK_DELETE, true}, {VK_HELP, true},  {VK_NUMPAD0, true},
      {VK_NUMPAD9, true}, {VK_MULTIPLY, true}, {VK_DIVIDE, true}, {VK_F1, true},    {VK_F24, true},
      {VK_NUMLOCK, true}, {VK_SCROLL, true},   {VK_LSHIFT, true}, {VK_RMENU, true}, {0xE5, true},
      {0xF6, true},       {0xFE, true},        {VK_SPACE, false}, {u'A', false},    {u'Z', false},
      {u'0', false},      {u'9', false},       {0x92, false},     {0xBA, false},    {0xE4, false},
      {0xFF, false},      {0x100, false},      {0x109, false},
  };
  for (const Case& c : cases) EXPECT_EQ(IsSysKey(c.key), c.sys) << std::hex << c.key;

  FormatSettings().DecimalSeparator = u',';
  struct CharCase {
    Char c;
    bool integer, floating, exponent;
  } chars[] = {
      {u'5', true, true, true},   {u'-', true, true, true},    {u'+', true, true, true},
      {u',', false, true, true},  {u'.', false, false, false}, {u'e', false, false, true},
      {u'E', false, false, true}, {u'x', false, false, false},
  };
  for (const CharCase& c : chars) {
    SCOPED_TRACE(static_cast<char>(c.c));
    EXPECT_EQ(IsNumericChar(c.c, ntInteger), c.integer);
    EXPECT_EQ(IsNumericChar(c.c, ntFloat), c.floating);
    EXPECT_EQ(IsNumericChar(c.c, ntExponent), c.exponent);
  }
  FormatSettings().DecimalSeparator = u'.';
  EXPECT_TRUE(IsTextChar(u'a'));
  EXPECT_FALSE(IsTextChar(u'\t'));

  EXPECT_TRUE(IsMouseDownMessage(WM_RBUTTONDBLCLK));
  EXPECT_TRUE(IsMouseDownMessage(WM_NCMBUTTONDOWN));
  EXPECT_FALSE(IsMouseDownMessage(WM_LBUTTONUP));
  EXPECT_FALSE(IsMouseDownMessage(WM_XBUTTONDOWN));
  EXPECT_EQ(ShiftStateToKeys({ssShift, ssAlt, ssLeft, ssMiddle}), WPARAM{MK_SHIFT | MK_LBUTTON | MK_MBUTTON});
  EXPECT_TRUE(cxShiftStateLeftOnly({ssLeft}));
  EXPECT_FALSE(cxShiftStateLeftOnly({ssLeft, ssDouble}));
  EXPECT_TRUE(cxShiftStateLeftOnly({ssLeft, ssDouble}, true));
  EXPECT_FALSE(cxShiftStateLeftOnly({ssLeft, ssCtrl}, true));
  EXPECT_TRUE(cxShiftStateMoveOnly({ssTouch}));
  EXPECT_FALSE(cxShiftStateMoveOnly({ssDouble}));
}

TEST_F(WindowUtilsTest, RightToLeftMirroringInsideTheParent) {
  using C = TdxRightToLeftLayoutConverter;
  const TRect parent{10, 0, 110, 50};
  EXPECT_EQ(C::ConvertXCoordinate(20, parent), 100);
  EXPECT_EQ(C::ConvertPoint({20, 7}, parent), (TPoint{100, 7}));
  EXPECT_EQ(C::ConvertRect({20, 5, 50, 15}, parent), (TRect{70, 5, 100, 15}));
  EXPECT_EQ(C::ConvertRect({50, 5, 50, 15}, parent), (TRect{50, 5, 50, 15}));  // empty: unchanged
  EXPECT_EQ(C::ConvertOffsets({1, 2, 3, 4}), (TRect{3, 2, 1, 4}));

  EXPECT_EQ(C::ConvertAnchors({akLeft, akTop}), (TAnchors{akRight, akTop}));
  EXPECT_EQ(C::ConvertAnchors({akRight, akBottom}), (TAnchors{akLeft, akBottom}));
  EXPECT_EQ(C::ConvertAnchors({akLeft, akRight}), (TAnchors{akLeft, akRight}));
  EXPECT_EQ(C::ConvertAnchors({akTop}), (TAnchors{akTop}));
  EXPECT_EQ(C::ConvertBorders({bLeft, bBottom}), (TcxBorders{bRight, bBottom}));

  EXPECT_EQ(C::ConvertAlignment(taLeftJustify), taRightJustify);
  EXPECT_EQ(C::ConvertAlignment(taCenter), taCenter);
  EXPECT_EQ(C::ConvertcxTextAlignX(taRight), taLeft);
  EXPECT_EQ(C::ConvertcxTextAlignX(taJustifyX), taJustifyX);
  EXPECT_EQ(C::ConvertcxDrawTextAlignment(1), 2);
  EXPECT_EQ(C::ConvertcxDrawTextAlignment(4), 4);
  EXPECT_EQ(C::ConvertPopupAlignHorz(pahLeft), pahRight);
  EXPECT_EQ(C::ConvertPopupAlignment(paCenter), paCenter);
  EXPECT_EQ(C::ConvertDirection(dirRight), dirLeft);
  EXPECT_EQ(C::ConvertDirection(dirUp), dirUp);
  EXPECT_EQ(C::ConvertVirtualKeyCode(VK_LEFT), VK_RIGHT);
  EXPECT_EQ(C::ConvertVirtualKeyCode(VK_UP), VK_UP);
}

// A control that records the messages of a range that reach it.
class RecordingControl : public TCustomControl {
 public:
  using TCustomControl::TCustomControl;
  std::vector<UINT>* log = nullptr;
  void WndProc(TMessage& M) override {
    if (log && M.Msg >= WM_USER && M.Msg < 0xC000) log->push_back(M.Msg);
    TCustomControl::WndProc(M);
  }
};

TEST_F(WindowUtilsTest, ControlsFormsAndTheirWindows) {
  TForm* form = CreateNewForm<TForm>(Application);
  auto* outer = new RecordingControl(form);
  outer->SetParent(form);
  auto* inner = new RecordingControl(form);
  inner->SetParent(outer);
  auto* orphan = new RecordingControl(form);
  struct Case {
    const char* name;
    TWinControl* control;
    bool canAllocate;
  } cases[] = {
      {"nothing", nullptr, false},
      {"form", form, true},
      {"control on a form", inner, true},
      {"control without a parent", orphan, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(CanAllocateHandle(c.control), c.canAllocate);
  }
  EXPECT_FALSE(inner->HandleAllocated());  // asking creates no window

  // A plain window inside a control belongs to the control; its form is the control's.
  HWND plain = Create(WS_CHILD, 0, 0, 0, 5, 5, inner->Handle());
  EXPECT_EQ(dxFindParentControl(plain), inner);
  EXPECT_EQ(cxFindVCLControl(outer->Handle()), outer);
  EXPECT_EQ(dxGetParentForm(plain), form);
  EXPECT_EQ(dxFindParentControl(Create(WS_POPUP, 0, 0, 0, 5, 5)), nullptr);
  EXPECT_EQ(cxFindComponent(form, RecordingControl::StaticClass()), outer);
  EXPECT_EQ(cxFindComponent(form, TForm::StaticClass()), nullptr);

  // Up the parents, the form excluded.
  std::vector<UINT> log;
  outer->log = &log;
  inner->log = &log;
  dxPerformMessageByQueue(inner, WM_USER + 3);
  EXPECT_EQ(log, (std::vector<UINT>{WM_USER + 3, WM_USER + 3}));

  log.clear();
  cxRecreateControlWnd(orphan);  // no window: nothing
  HWND before = outer->Handle();
  cxRecreateControlWnd(outer, true);
  EXPECT_EQ(outer->Handle(), before);  // posted
  Pump();
  EXPECT_NE(outer->Handle(), before);
  outer->log = inner->log = nullptr;
}

TEST_F(WindowUtilsTest, DeferredGlassPrintClientMessagesRunAtOnce) {
  dxDWMApi::Initialize();  // desktop composition is on
  ASSERT_TRUE(IsCompositionEnabled());
  TForm* form = CreateNewForm<TForm>(Application);
  auto* control = new RecordingControl(form);
  control->SetParent(form);
  std::vector<UINT> log;
  control->log = &log;
  for (bool glass : {false, true}) {
    SCOPED_TRACE(glass ? "painting on glass" : "not on glass");
    TControlState state = control->ControlState();
    if (glass) state.Include(csGlassPaint);
    control->SetControlState(state);
    PostMessageW(control->Handle(), WM_DXDEFERREDPRINTCLIENT, 0, 0);
    PostMessageW(control->Handle(), WM_DXDEFERREDPRINTCLIENT, 0, 0);
    PostMessageW(control->Handle(), WM_USER, 0, 0);
    log.clear();
    dxForceProcessBufferedPaintMessages(control);
    const std::vector<UINT> expected =
        glass ? std::vector<UINT>{WM_DXDEFERREDPRINTCLIENT, WM_DXDEFERREDPRINTCLIENT} : std::vector<UINT>{};
    EXPECT_EQ(log, expected);
    EXPECT_EQ(dxMessagesController()->KillMessages(control->Handle(), WM_DXDEFERREDPRINTCLIENT), !glass);
    EXPECT_TRUE(dxMessagesController()->KillMessages(control->Handle(), WM_USER));  // left alone
  }
  dxForceProcessBufferedPaintMessages(nullptr);
  control->log = nullptr;
  dxDWMApi::Finalize();
}

// A popup menu of the library's own kind.
class OwnPopupMenu : public TComponent, public IcxPopupMenu {
 public:
  using TComponent::TComponent;
  std::vector<TPoint> shownAt;
  bool IsShortCutKey(TMessage& AMessage) override { return AMessage.WParam == VK_F10; }
  void Popup(int32_t X, int32_t Y) override { shownAt.push_back({X, Y}); }
};

TEST_F(WindowUtilsTest, PopupMenusOfBothKinds) {
  TForm* form = CreateNewForm<TForm>(Application);
  OwnPopupMenu own(nullptr);
  TPopupMenu platformMenu(nullptr);
  TComponent neither(nullptr);
  EXPECT_TRUE(IsPopupMenu(&own));
  EXPECT_TRUE(IsPopupMenu(&platformMenu));
  EXPECT_FALSE(IsPopupMenu(&neither));
  EXPECT_FALSE(IsPopupMenu(nullptr));

  TMessage f10{WM_KEYDOWN, VK_F10, 0, 0};
  TMessage f9{WM_KEYDOWN, VK_F9, 0, 0};
  EXPECT_TRUE(IsPopupMenuShortCut(&own, f10));
  EXPECT_FALSE(IsPopupMenuShortCut(&own, f9));
  EXPECT_FALSE(IsPopupMenuShortCut(&platformMenu, f10));  // no items
  EXPECT_FALSE(IsPopupMenuShortCut(&neither, f10));

  EXPECT_TRUE(ShowPopupMenu(form, &own, 30, 40));
  EXPECT_EQ(own.shownAt, (std::vector<TPoint>{{30, 40}}));
  platformMenu.SetAutoPopup(false);
  EXPECT_FALSE(ShowPopupMenu(form, &platformMenu, 30, 40));
  EXPECT_EQ(platformMenu.PopupComponent(), nullptr);
  EXPECT_FALSE(ShowPopupMenu(form, &neither, 30, 40));
}

// Records what the system-information object tells; may remove itself while told.
struct SettingsListener : IdxSystemInfoListener {
  std::vector<UINT> changes;
  bool removeSelf = false;
  void Changed(UINT AParameter) override {
    changes.push_back(AParameter);
    if (removeSelf) dxSystemInfo()->RemoveListener(this);
  }
};

TEST_F(WindowUtilsTest, SettingChangesRefreshTheCacheAndReachTheListeners) {
  TdxSystemInfo* info = dxSystemInfo();
  EXPECT_TRUE(info->IsDropShadow());
  const int scrollWidth = info->NonClientMetrics().iScrollWidth;
  SettingsListener first, second;
  first.removeSelf = true;
  info->AddListener(&first);
  info->AddListener(&second);

  // The system announces a changed setting to every window, the hidden ones included.
  SystemParametersInfoW(SPI_SETDROPSHADOW, 0, nullptr, SPIF_SENDCHANGE);
  EXPECT_FALSE(info->IsDropShadow());
  os::SetSystemMetric(SM_CXVSCROLL, scrollWidth + 7);
  EXPECT_EQ(info->NonClientMetrics().iScrollWidth, scrollWidth);  // cached
  SendMessageW(HWND_BROADCAST, WM_SETTINGCHANGE, SPI_SETNONCLIENTMETRICS, 0);
  EXPECT_EQ(info->NonClientMetrics().iScrollWidth, scrollWidth + 7);
  // A change without a code tells nobody.
  SendMessageW(info->Handle(), WM_SETTINGCHANGE, 0, 0);

  EXPECT_EQ(first.changes, (std::vector<UINT>{SPI_SETDROPSHADOW}));
  EXPECT_EQ(second.changes, (std::vector<UINT>{SPI_SETDROPSHADOW, SPI_SETNONCLIENTMETRICS}));
  info->RemoveListener(&second);
  info->RemoveListener(&second);  // not there any more: nothing happens
}

std::vector<TComponent*> g_modified;
void RecordModified(TComponent* C) {
  g_modified.push_back(C);
}

TEST_F(WindowUtilsTest, DesignerIsToldOnlyAboutDesignedComponentsAtRest) {
  dxSetDesignerModifiedHook(&RecordModified);
  TForm* form = CreateNewForm<TForm>(Application);
  auto* control = new TCustomControl(form);
  control->SetParent(form);
  TComponent plain(nullptr);
  struct Case {
    const char* name;
    TComponent* component;
    bool designing;
    TComponent* stateHolder;  // gets csLoading
    bool told;
  } cases[] = {
      {"not designed", &plain, false, nullptr, false},
      {"designed", &plain, true, nullptr, true},
      {"designed, loading", &plain, true, &plain, false},
      {"designed control", control, true, nullptr, true},
      {"designed control, parent loading", control, true, form, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    g_modified.clear();
    c.component->SetDesigning(c.designing, false);
    if (c.stateHolder) c.stateHolder->IncludeState(csLoading);
    SetDesignerModified(c.component);
    EXPECT_EQ(g_modified, c.told ? std::vector<TComponent*>{c.component} : std::vector<TComponent*>{});
    if (c.stateHolder) c.stateHolder->ExcludeState(csLoading);
    c.component->SetDesigning(false, false);
  }
  SetDesignerModified(nullptr);
}

}  // namespace
}  // namespace qd::testing
