// The control framework's window services: geometry with left-to-right and right-to-left
// windows, system parameters and the designer notification.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "core/ui_core_test_util.h"
#include "ui/controls/cxControlsWindowUtils.h"

namespace qd::testing {
namespace {

class WindowUtilsTest : public UiCoreTest {
 protected:
  void SetUp() override {
    UiCoreTest::SetUp();
    cxControlsWindowUtils::Initialize();
  }
  void TearDown() override {
    cxControlsWindowUtils::Finalize();
    dxSetDesignerModifiedHook(nullptr);
    UiCoreTest::TearDown();
  }
  static HWND Create(DWORD style, DWORD exStyle, int x, int y, int w, int h, HWND parent = nullptr) {
    return CreateWindowExW(exStyle, u"STATIC", u"", style, x, y, w, h, parent, nullptr, nullptr, nullptr);
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

  cxControlsWindowUtils::Finalize();
  EXPECT_EQ(dxSystemInfo(), nullptr);
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
