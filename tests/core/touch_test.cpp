// Touch gestures: the mapping tables, the start-point hook, gesture options, and scripted
// gesture sequences through fake gesture functions in the module table.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>
#include <utility>
#include <vector>

#include "platform/os/modules.h"
#include "platform/os/uxtheme.h"
#include "ui/core/dxHooks.h"
#include "ui/core/dxTouch.h"
#include "ui/core/dxUxTheme.h"
#include "ui_core_test_util.h"

namespace qd::testing {
namespace {

std::map<HGESTUREINFO, GESTUREINFO> g_infos;
int g_closed = 0;
std::vector<GESTURECONFIG> g_configs;
std::vector<TPoint> g_feedback;  // overpan values given to UpdatePanningFeedback
int g_feedbackBegins = 0, g_feedbackEnds = 0;

BOOL FakeGetGestureInfo(HGESTUREINFO h, GESTUREINFO* gi) {
  auto it = g_infos.find(h);
  if (it == g_infos.end()) return FALSE;
  *gi = it->second;
  return TRUE;
}
BOOL FakeCloseGestureInfoHandle(HGESTUREINFO) {
  ++g_closed;
  return TRUE;
}
BOOL FakeSetGestureConfig(HWND, DWORD, UINT n, GESTURECONFIG* c, UINT size) {
  if (size != sizeof(GESTURECONFIG)) return FALSE;
  g_configs.assign(c, c + n);
  return TRUE;
}
BOOL FakeIdentityPoint(HWND, POINT*) {
  return TRUE;
}
BOOL FakeBeginPanningFeedback(HWND) {
  ++g_feedbackBegins;
  return TRUE;
}
BOOL FakeUpdatePanningFeedback(HWND, LONG x, LONG y, BOOL) {
  g_feedback.push_back({x, y});
  return TRUE;
}
BOOL FakeEndPanningFeedback(HWND, BOOL) {
  ++g_feedbackEnds;
  return TRUE;
}

// A vertically scrolling client whose data starts at the top (0 .. 100).
class TClient : public IdxGestureClient, public IdxZoomClient {
 public:
  TdxGestureHelper* helper = nullptr;
  bool panArea = true;
  bool allowHorizontal = true, allowVertical = true;
  int32_t pos = 0;
  std::vector<std::pair<int32_t, int32_t>> scrolls;
  std::vector<int32_t> zooms;
  int begins = 0, ends = 0;

  bool AllowGesture(TGestureID) override { return true; }
  bool AllowPan(TScrollBarKind k) override { return k == sbHorizontal ? allowHorizontal : allowVertical; }
  void BeginGestureScroll(const TPoint&) override { ++begins; }
  void EndGestureScroll() override { ++ends; }
  void GestureScroll(int32_t dx, int32_t dy) override {
    scrolls.emplace_back(dx, dy);
    const int32_t newPos = pos - dy;
    pos = std::clamp(newPos, 0, 100);
    helper->CheckOverpan(sbVertical, newPos, 0, 100, dx, dy);
  }
  TInteractiveGestureOptions GetPanOptions() override { return {igoPanSingleFingerVertical}; }
  bool IsPanArea(const TPoint&) override { return panArea; }
  bool NeedPanningFeedback(TScrollBarKind k) override { return k == sbVertical; }
  void Zoom(int32_t ADelta, bool& AHandled) override {
    zooms.push_back(ADelta);
    AHandled = true;
  }
};

class TOwner : public IdxGestureOwner {
 public:
  HWND wnd = nullptr;
  TClient* client = nullptr;
  IdxGestureClient* GetGestureClient(const TPoint&) override { return client; }
  HWND GetHandle() override { return wnd; }
  bool IsGestureTarget(HWND AWnd) override { return AWnd == wnd; }
  TPoint ScreenToClient(const TPoint& P) override {
    TPoint p = P;
    ::qd::ScreenToClient(wnd, &p);
    return p;
  }
};

// A windowed control that records the gestures it receives.
class TTarget : public TCustomControl {
 public:
  using TCustomControl::TCustomControl;
  std::vector<TGestureEventInfo> gestures;
  LRESULT answer = 1;

 protected:
  void WndProc(TMessage& M) override {
    if (M.Msg == CM_GESTURE) {
      gestures.push_back(*reinterpret_cast<TGestureEventInfo*>(M.LParam));
      M.Result = answer;
      return;
    }
    TCustomControl::WndProc(M);
  }
};

class TouchTest : public UiCoreTest {
 protected:
  void SetUp() override {
    UiCoreTest::SetUp();
    g_infos.clear();
    g_closed = 0;
    g_configs.clear();
    g_feedback.clear();
    g_feedbackBegins = g_feedbackEnds = 0;
    os::RegisterThemeModules();
    saved = std::make_unique<os::ScopedModuleTable>();
    os::RegisterExport("user32.dll", "GetGestureInfo", &FakeGetGestureInfo);
    os::RegisterExport("user32.dll", "CloseGestureInfoHandle", &FakeCloseGestureInfoHandle);
    os::RegisterExport("user32.dll", "SetGestureConfig", &FakeSetGestureConfig);
    os::RegisterExport("user32.dll", "PhysicalToLogicalPoint", &FakeIdentityPoint);
    os::RegisterExport("user32.dll", "LogicalToPhysicalPoint", &FakeIdentityPoint);
    os::RegisterExport("uxtheme.dll", "BeginPanningFeedback", &FakeBeginPanningFeedback);
    os::RegisterExport("uxtheme.dll", "UpdatePanningFeedback", &FakeUpdatePanningFeedback);
    os::RegisterExport("uxtheme.dll", "EndPanningFeedback", &FakeEndPanningFeedback);
    dxUxTheme::Initialize();
    dxTouch::Initialize();

    form = CreateNewForm<TForm>(Application);
    form->SetBounds(100, 100, 400, 300);
    container = new TTarget(form);
    container->SetParent(form);
    container->SetBounds(0, 0, 300, 200);
    child = new TTarget(form);
    child->SetParent(container);
    child->SetBounds(50, 50, 100, 100);
    owner.wnd = container->Handle();
    owner.client = &client;
    helper = std::make_unique<TdxGestureHelper>(&owner);
    client.helper = helper.get();
  }
  void TearDown() override {
    helper.reset();
    dxTouch::Finalize();
    dxHooks::Finalize();
    dxUxTheme::Finalize();
    saved.reset();
    UiCoreTest::TearDown();
  }

  TPoint ScreenOf(TWinControl* c, TPoint p) {
    ::qd::ClientToScreen(c->Handle(), &p);
    return p;
  }
  static POINTS Pts(TPoint p) { return {static_cast<int16_t>(p.X), static_cast<int16_t>(p.Y)}; }

  // WM_GESTURENOTIFY as the system sends it: through the window-procedure hook, then to
  // the owner's helper.
  void Notify(TPoint AScreen) {
    GESTURENOTIFYSTRUCT n;
    n.ptsLocation = Pts(AScreen);
    n.hwndTarget = owner.wnd;
    SendMessageW(owner.wnd, WM_GESTURENOTIFY, 0, reinterpret_cast<LPARAM>(&n));
    TMessage m{WM_GESTURENOTIFY, 0, reinterpret_cast<LPARAM>(&n), 0};
    EXPECT_TRUE(helper->HandleMessage(m));
    EXPECT_EQ(m.Result, 0);
  }
  LRESULT Gesture(DWORD AID, DWORD AFlags, TPoint AScreen, uint64_t AArguments = 0) {
    auto h = reinterpret_cast<HGESTUREINFO>(static_cast<uintptr_t>(1000 + g_infos.size()));
    GESTUREINFO gi;
    gi.dwID = AID;
    gi.dwFlags = AFlags;
    gi.ptsLocation = Pts(AScreen);
    gi.ullArguments = AArguments;
    g_infos[h] = gi;
    TMessage m{WM_GESTURE, AID, reinterpret_cast<LPARAM>(h), 0};
    EXPECT_TRUE(helper->HandleMessage(m));
    return m.Result;
  }
  void Pan(TPoint p, TInteractiveGestureFlags flags) {
    TGestureEventInfo e;
    e.GestureID = igiPan;
    e.Location = p;
    e.Flags = flags;
    bool handled = false;
    helper->DoGesture(e, handled);
    EXPECT_TRUE(handled);
  }
  void Zoom(int32_t distance, TInteractiveGestureFlags flags) {
    TGestureEventInfo e;
    e.GestureID = igiZoom;
    e.Distance = distance;
    e.Flags = flags;
    bool handled = false;
    helper->DoGesture(e, handled);
  }

  std::unique_ptr<os::ScopedModuleTable> saved;

 public:
  TForm* form = nullptr;
  TTarget* container = nullptr;
  TTarget* child = nullptr;
  TClient client;
  TOwner owner;
  std::unique_ptr<TdxGestureHelper> helper;
};

TEST(TouchTables, GestureAndPanOptionMappings) {
  struct {
    DWORD id;
    TInteractiveGesture gesture;
  } gestures[] = {{GID_ZOOM, igZoom},
                  {GID_PAN, igPan},
                  {GID_ROTATE, igRotate},
                  {GID_TWOFINGERTAP, igTwoFingerTap},
                  {GID_PRESSANDTAP, igPressAndTap},
                  {GID_BEGIN, igPressAndTap}};
  for (auto g : gestures) EXPECT_EQ(GetInteractiveGestureByGestureID(g.id), g.gesture) << g.id;

  struct {
    DWORD mask;
    TInteractiveGestureOptions options;
  } pans[] = {
      {0, {}},
      {GC_PAN_WITH_SINGLE_FINGER_VERTICALLY, {igoPanSingleFingerVertical}},
      {GC_PAN_WITH_SINGLE_FINGER_HORIZONTALLY | GC_PAN_WITH_INERTIA,
       {igoPanSingleFingerHorizontal, igoPanInertia}},
      {0x1E, {igoPanSingleFingerVertical, igoPanSingleFingerHorizontal, igoPanGutter, igoPanInertia}},
  };
  for (auto p : pans) {
    EXPECT_EQ(GetInteractiveGestureOptionsByPanOptions(p.mask), p.options) << p.mask;
    EXPECT_EQ(GetPanOptionsByInteractiveGestureOptions(p.options), p.mask) << p.mask;
  }
  // The parent pass-through option has no pan counterpart.
  EXPECT_EQ(GetPanOptionsByInteractiveGestureOptions({igoParentPassthrough}), 0u);
  EXPECT_EQ(GetInteractiveGestureOptionByPanOptionID(12345), igoPanInertia);
}

TEST_F(TouchTest, LockGesturesBlocksEverything) {
  TWMGestureNotify m;
  dxLockGestures(owner.wnd, m);
  EXPECT_EQ(m.Result, 1);
  ASSERT_EQ(g_configs.size(), 1u);
  EXPECT_EQ(g_configs[0].dwID, 0u);
  EXPECT_EQ(g_configs[0].dwWant, 0u);
  EXPECT_EQ(g_configs[0].dwBlock, 1u);
}

TEST_F(TouchTest, HookRecordsWhereTheGestureStarts) {
  Notify(ScreenOf(container, {60, 70}));
  EXPECT_EQ(helper->GetTouchStartPoint(), (TPoint{60, 70}));
}

TEST_F(TouchTest, GestureOptionsFollowTheClientUnderTheFinger) {
  struct Case {
    bool panArea, horizontal, vertical;
    TInteractiveGestures gestures;
    TInteractiveGestureOptions options;
  } cases[] = {
      {false, true, true, {igZoom}, {igoPanInertia}},
      {true, false, true, {igPan, igZoom}, {igoPanSingleFingerVertical, igoPanInertia}},
      {true, true, false, {igPan, igZoom}, {igoPanSingleFingerHorizontal, igoPanInertia}},
      {true, false, false, {igZoom}, {igoPanInertia}},
      {true,
       true,
       true,
       {igPan, igZoom},
       {igoPanSingleFingerHorizontal, igoPanSingleFingerVertical, igoPanInertia}},
  };
  Notify(ScreenOf(container, {60, 70}));
  for (const Case& c : cases) {
    client.panArea = c.panArea;
    client.allowHorizontal = c.horizontal;
    client.allowVertical = c.vertical;
    TInteractiveGestures gestures{igPan, igZoom};
    TInteractiveGestureOptions options{igoPanSingleFingerHorizontal, igoPanSingleFingerVertical,
                                       igoPanInertia};
    helper->CheckGestureOptions(gestures, options);
    EXPECT_EQ(gestures, c.gestures);
    EXPECT_EQ(options, c.options);
  }
  // Without pan among the gestures nothing is dropped.
  client.panArea = false;
  TInteractiveGestures zoomOnly{igZoom};
  TInteractiveGestureOptions options{igoPanSingleFingerHorizontal};
  helper->CheckGestureOptions(zoomOnly, options);
  EXPECT_EQ(options, TInteractiveGestureOptions{igoPanSingleFingerHorizontal});
}

TEST_F(TouchTest, PanningPastTheEndShowsOverpanThatIsTakenBackFirst) {
  Notify(ScreenOf(container, {60, 70}));
  TInteractiveGestures gestures{igPan};
  TInteractiveGestureOptions options{igoPanSingleFingerVertical};
  helper->CheckGestureOptions(gestures, options);

  Pan({10, 100}, {gfBegin});
  EXPECT_TRUE(helper->IsPanning());
  EXPECT_EQ(g_feedbackBegins, 1);
  Pan({10, 130}, {});  // down by 30 at the top: 30 overpan
  EXPECT_EQ(helper->OverPan(), (TPoint{0, 30}));
  Pan({10, 110}, {});  // back 20: taken from the overpan, no scrolling
  EXPECT_EQ(helper->OverPan(), (TPoint{0, 10}));
  Pan({10, 90}, {});  // back 20: 10 overpan left, then 10 scrolled
  EXPECT_EQ(helper->OverPan(), (TPoint{0, 0}));
  Pan({10, 80}, {gfEnd});
  EXPECT_FALSE(helper->IsPanning());
  EXPECT_EQ(client.scrolls, (std::vector<std::pair<int32_t, int32_t>>{{0, 30}, {0, -10}, {0, -10}}));
  EXPECT_EQ(client.pos, 20);
  EXPECT_EQ(g_feedback, (std::vector<TPoint>{{0, 30}, {0, 10}, {0, 0}}));
  EXPECT_EQ(client.begins, 1);
  EXPECT_EQ(client.ends, 1);
  EXPECT_EQ(g_feedbackEnds, 1);
}

TEST_F(TouchTest, ZoomDeliversDistanceChanges) {
  Notify(ScreenOf(container, {60, 70}));
  TInteractiveGestures gestures{igZoom};
  TInteractiveGestureOptions options;
  helper->CheckGestureOptions(gestures, options);
  Zoom(100, {gfBegin});
  Zoom(140, {});
  Zoom(120, {gfEnd});
  EXPECT_EQ(client.zooms, (std::vector<int32_t>{0, 40, -20}));
  Zoom(150, {});  // no gesture running: nobody to tell
  EXPECT_EQ(client.zooms.size(), 3u);
}

TEST_F(TouchTest, WindowDestructionEndsARunningPan) {
  Notify(ScreenOf(container, {60, 70}));
  TInteractiveGestures gestures{igPan};
  TInteractiveGestureOptions options{igoPanSingleFingerVertical};
  helper->CheckGestureOptions(gestures, options);
  Pan({10, 100}, {gfBegin});
  TMessage destroy{WM_DESTROY, 0, 0, 0};
  EXPECT_FALSE(helper->HandleMessage(destroy));
  EXPECT_FALSE(helper->IsPanning());
  EXPECT_EQ(client.ends, 1);
}

TEST_F(TouchTest, GestureMessagesReachTheControlUnderTheStartPoint) {
  struct Case {
    const char* name;
    bool childTakesPan;
    TTarget* TouchTest::*expected;
  } cases[] = {
      {"child lists pan", true, &TouchTest::child},
      {"passed through to the parent", false, &TouchTest::container},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    child->gestures.clear();
    container->gestures.clear();
    TInteractiveGestures childGestures{igPressAndTap};
    if (c.childTakesPan) childGestures.Include(igPan);
    child->Touch()->SetInteractiveGestures(childGestures);
    container->Touch()->SetInteractiveGestures({igPan});

    Notify(ScreenOf(container, {60, 60}));  // over the child
    const int closedBefore = g_closed;
    EXPECT_EQ(Gesture(GID_BEGIN, GF_BEGIN, ScreenOf(container, {60, 60})), 0);
    EXPECT_EQ(Gesture(GID_PAN, GF_BEGIN, ScreenOf(container, {70, 70}), 5), 1);
    EXPECT_EQ(Gesture(GID_PAN, GF_END, ScreenOf(container, {80, 90}), 7), 1);
    EXPECT_EQ(g_closed - closedBefore, 3);  // closed in every case

    TTarget* target = this->*c.expected;
    TTarget* other = target == child ? container : child;
    EXPECT_TRUE(other->gestures.empty());
    ASSERT_EQ(target->gestures.size(), 2u);
    const TGestureEventInfo& first = target->gestures[0];
    EXPECT_EQ(first.GestureID, igiPan);
    EXPECT_EQ(first.Flags, TInteractiveGestureFlags{gfBegin});
    EXPECT_EQ(first.Distance, 5);
    const TPoint offset = target == child ? TPoint{50, 50} : TPoint{0, 0};
    EXPECT_EQ(first.Location, (TPoint{70 - offset.X, 70 - offset.Y}));
    EXPECT_EQ(target->gestures[1].Flags, TInteractiveGestureFlags{gfEnd});
    // After the end the next gesture needs a new start.
    EXPECT_EQ(Gesture(GID_PAN, 0, ScreenOf(container, {80, 90})), 0);
    EXPECT_EQ(target->gestures.size(), 2u);
  }
}

TEST_F(TouchTest, UnreadableGestureIsLeftUnhandledButClosed) {
  TMessage m{WM_GESTURE, GID_PAN, 424242, 0};
  EXPECT_FALSE(helper->HandleMessage(m));
  EXPECT_EQ(g_closed, 1);
}

TEST_F(TouchTest, WithoutTheSystemFunctions) {
  dxTouch::Finalize();
  os::RemoveExport("user32.dll", "SetGestureConfig");
  os::RemoveExport("user32.dll", "PhysicalToLogicalPoint");
  dxTouch::Initialize();
  EXPECT_FALSE(dxSetGestureConfig(owner.wnd, {GESTURECONFIG{}}));
  TPoint p{5, 6};
  EXPECT_FALSE(dxPhysicalToLogicalPoint(owner.wnd, p));
  EXPECT_EQ(p, (TPoint{5, 6}));
  TWMGestureNotify m;
  dxLockGestures(owner.wnd, m);
  EXPECT_EQ(m.Result, 1);
  EXPECT_TRUE(g_configs.empty());
}

}  // namespace
}  // namespace qd::testing
