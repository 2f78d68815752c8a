// The camera control on screen: what it paints in each state, the settings button's fade, and
// the settings toolbar (its pages, layout, hot items, clicks and the rules that close it).
#include <gtest/gtest.h>

#include <functional>
#include <set>

#include "concrete/camera_test_util.h"
#include "platform/os/user_display.h"

namespace qd::testing {
namespace {

using media::TSyntheticCamera;

class CameraControlTest : public CameraTest {
 protected:
  // The control's top-left corner on the screen (NewControl puts the form at 100, 100).
  static TPoint Origin(TdxCameraControl* AControl) { return AControl->ClientToScreen(TPoint{0, 0}); }
  static uint32_t Pixel(TdxCameraControl* AControl, int X, int Y) {
    HWND form = GetParentForm(AControl)->Handle();
    RedrawWindow(form, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    const os::WindowPixels px = os::ReadWindowPixels(form, true);
    const TPoint p = AControl->ClientToScreen(TPoint{X, Y});
    TPoint f{p.X - 100, p.Y - 100};
    return px.At(f.X, f.Y) & 0xFFFFFF;
  }
  // Pixels of the control's client area darker than mid grey.
  static int DarkPixels(TdxCameraControl* AControl, const TRect& R) {
    HWND form = GetParentForm(AControl)->Handle();
    RedrawWindow(form, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    const os::WindowPixels px = os::ReadWindowPixels(form, true);
    int n = 0;
    for (int y = R.Top; y < R.Bottom; ++y)
      for (int x = R.Left; x < R.Right; ++x)
        if ((px.At(x + 10, y + 10) & 0xFF) < 0x80) ++n;
    return n;
  }
  // Runs the clock in 10 ms steps through the application's loop, which also tells controls
  // that the mouse entered or left them.
  void Settle(int AMilliseconds) {
    for (int t = 0; t < AMilliseconds; t += 10) {
      Clock().Advance(10);
      Application->ProcessMessages();
    }
  }
  void MoveTo(TdxCameraControl* AControl, int X, int Y) {
    MoveToScreen(AControl->ClientToScreen(TPoint{X, Y}));
  }
  void MoveToScreen(const TPoint& P) {
    os::InjectMouseMove(P);
    Application->ProcessMessages();
  }
  void ClickAtScreen(const TPoint& P) {
    os::InjectMouseMove(P);
    os::InjectMouseButton(WM_LBUTTONDOWN, P);
    os::InjectMouseButton(WM_LBUTTONUP, P);
    Application->ProcessMessages();
  }
  TPoint ButtonCenter(TdxCameraControl* AControl) {
    const TRect r = AControl->GetSettingsButtonRect();
    return AControl->ClientToScreen(TPoint{(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2});
  }
  // Clicks the toolbar's item.
  void ClickItem(int32_t AIndex) {
    TdxCameraControlSettingsToolbar* t = dxCameraControlSettingsToolbar();
    ASSERT_NE(t, nullptr);
    const TRect r = t->Items(AIndex)->FBounds;
    ClickAtScreen(t->ClientToScreen(TPoint{(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2}));
  }
  static std::vector<std::u16string> Descriptions() {
    std::vector<std::u16string> out;
    TdxCameraControlSettingsToolbar* t = dxCameraControlSettingsToolbar();
    for (int32_t i = 0; t && i < t->ItemCount(); ++i)
      out.push_back(t->Items(i)->FCaption + u"|" + t->Items(i)->FDescription +
                    (t->Items(i)->FChecked ? u"*" : u""));
    return out;
  }
};

TEST_F(CameraControlTest, PaintsTextOnWhiteAndThePictureOnBlack) {
  TdxCameraControl* control = NewControl();
  // Inactive: white, with the state text in the middle.
  EXPECT_EQ(Pixel(control, 5, 5), 0xFFFFFFu);
  EXPECT_GT(DarkPixels(control, TRect{40, 60, 160, 90}), 20);
  control->SetActive(true);
  Polls(11);
  ASSERT_EQ(control->State(), ccsRunning);
  SaveWindowPng(GetParentForm(control)->Handle(), "camera_control_running");
  // 320 x 240 fits 198 x 148 proportionally: 197 x 148 (rounded) centred; the left bar of
  // the test pattern's second bar is yellow.
  EXPECT_EQ(Pixel(control, 40, 20), 0xC0C000u) << "the yellow bar";
  EXPECT_EQ(Pixel(control, 100, 140), 0x202020u) << "the dark band at the bottom of the frame";
  control->Pause();
  Polls(5);
  EXPECT_EQ(Pixel(control, 40, 20), 0xC0C000u) << "the held frame";
  SaveWindowPng(GetParentForm(control)->Handle(), "camera_control_paused");
}

TEST_F(CameraControlTest, BusyDeviceShowsTwoLinesOfText) {
  TSyntheticCamera busy;
  busy.Busy = true;
  Cameras({busy});
  TdxCameraControl* control = NewControl(0, 360, 150);
  control->SetActive(true);
  Polls(30);
  ASSERT_EQ(control->State(), ccsDeviceIsBusy);
  EXPECT_EQ(Pixel(control, 5, 5), 0xFFFFFFu);
  // Two lines centred around the middle: the text block is taller than one line (13 px)
  // and about as much above the centre as below it.
  int first = -1, last = -1;
  for (int y = 2; y < 148; ++y)
    if (DarkPixels(control, TRect{10, y, 350, y + 1}) > 0) {
      if (first < 0) first = y;
      last = y;
    }
  EXPECT_GT(last - first, 20);
  EXPECT_NEAR((first + last) / 2, 75, 3);
  SaveWindowPng(GetParentForm(control)->Handle(), "camera_control_busy");
}

TEST_F(CameraControlTest, SettingsButtonFadesInStepsAndLightsUnderThePointer) {
  TdxCameraControl* control = NewControl();
  EXPECT_EQ(control->SettingsButtonAlpha(), 0);
  MoveTo(control, 50, 50);
  std::vector<int32_t> alphas;
  for (int i = 0; i < 7; ++i) {
    Settle(50);
    alphas.push_back(control->SettingsButtonAlpha());
  }
  EXPECT_EQ(alphas, (std::vector<int32_t>{25, 50, 75, 100, 125, 150, 150}));
  const TRect button = control->GetSettingsButtonRect();
  EXPECT_EQ(button, (TRect{163, 113, 195, 145}));
  MoveTo(control, button.Left + 4, button.Top + 4);
  EXPECT_EQ(control->SettingsButtonAlpha(), 255);
  EXPECT_LT(Pixel(control, button.Left + 16, button.Top + 2) & 0xFF, 0x80u) << "the dark disc of the glyph";
  MoveTo(control, 50, 50);
  EXPECT_EQ(control->SettingsButtonAlpha(), 150);
  // Switched off and on again while the pointer is over the control.
  control->SetShowSettingsButton(false);
  EXPECT_EQ(control->SettingsButtonAlpha(), 0);
  EXPECT_EQ(Pixel(control, button.Left + 16, button.Top + 2), 0xFFFFFFu);
  control->SetShowSettingsButton(true);
  EXPECT_EQ(control->SettingsButtonAlpha(), 150);
  // Leaving the control (onto its form) fades the button out.
  MoveToScreen(TPoint{102, 102});
  Settle(400);
  EXPECT_EQ(control->SettingsButtonAlpha(), 0);
  EXPECT_EQ(Pixel(control, button.Left + 16, button.Top + 2), 0xFFFFFFu);
}

TEST_F(CameraControlTest, ButtonClickOpensTheToolbarWhichHidesTheButtonUntilItCloses) {
  TdxCameraControl* control = NewControl();
  MoveTo(control, 50, 50);
  Settle(400);
  const TRect button = control->GetSettingsButtonRect();
  ClickAtScreen(ButtonCenter(control));
  TdxCameraControlSettingsToolbar* toolbar = dxCameraControlSettingsToolbar();
  ASSERT_NE(toolbar, nullptr);
  EXPECT_EQ(toolbar->CameraControl(), control);
  EXPECT_EQ(Pixel(control, button.Left + 16, button.Top + 2), 0xFFFFFFu)
      << "no button while the toolbar is open";
  // Inactive: the settings page has its header only.
  EXPECT_EQ(Descriptions(), (std::vector<std::u16string>{u"<   Settings|"}));
  // The header closes it.
  ClickItem(0);
  Pump();
  EXPECT_EQ(dxCameraControlSettingsToolbar(), nullptr);
  EXPECT_LT(Pixel(control, button.Left + 16, button.Top + 2) & 0xFF, 0xC0u) << "the button at half opacity";
}

TEST_F(CameraControlTest, ToolbarClosesOnPressOutsideFocusChangeOtherToolbarAndControlDestruction) {
  TdxCameraControl* control = NewControl();
  TdxCameraControl* other = NewControl();
  struct Row {
    const char* Name;
    std::function<void()> Action;
    bool Closes;
  };
  const Row rows[] = {
      {"press inside",
       [&] {
         TdxCameraControlSettingsToolbar* t = dxCameraControlSettingsToolbar();
         ClickAtScreen(t->ClientToScreen(TPoint{t->Width() / 2, 2}));
       },
       false},
      {"press outside",
       [&] {
         ClickAtScreen(TPoint{102, 102});
       },
       true},
      {"focus to another window", [&] { other->SetFocus(); }, true},
      {"another control's toolbar", [&] { other->ShowSettingsToolbar(); }, true},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.Name);
    control->ShowSettingsToolbar();
    ASSERT_NE(dxCameraControlSettingsToolbar(), nullptr);
    r.Action();
    Pump();
    TdxCameraControlSettingsToolbar* t = dxCameraControlSettingsToolbar();
    EXPECT_EQ(t != nullptr && t->CameraControl() == control, !r.Closes);
    if (TdxCameraControlSettingsToolbar* left = dxCameraControlSettingsToolbar()) left->Free();
  }
  other->ShowSettingsToolbar();
  delete control;
  EXPECT_EQ(dxCameraControlSettingsToolbar(), nullptr);
}

TEST_F(CameraControlTest, PagesListDevicesAndResolutionsAndClicksChooseThem) {
  TSyntheticCamera second;
  second.Name = String(u"Second");
  Cameras({TSyntheticCamera{}, second});
  TdxCameraControl* control = NewControl();
  control->SetActive(true);
  control->ShowSettingsToolbar();
  EXPECT_EQ(Descriptions(), (std::vector<std::u16string>{u"<   Settings|", u"Device|Synthetic Camera   >"}))
      << "no resolution before the first frame";
  Polls(11);
  ASSERT_EQ(control->State(), ccsRunning);
  // Running rebuilt the open toolbar.
  EXPECT_EQ(Descriptions(), (std::vector<std::u16string>{u"<   Settings|", u"Device|Synthetic Camera   >",
                                                         u"Resolution|320x240   >"}));
  ClickItem(2);
  EXPECT_EQ(Descriptions(),
            (std::vector<std::u16string>{u"<   Resolutions|", u"|320x240*", u"|640x480", u"|160x120"}));
  ClickItem(2);
  EXPECT_EQ(control->ResolutionIndex(), 1);
  EXPECT_EQ(Descriptions(),
            (std::vector<std::u16string>{u"<   Resolutions|", u"|320x240", u"|640x480*", u"|160x120"}));
  ClickItem(0);
  ClickItem(1);
  EXPECT_EQ(Descriptions(),
            (std::vector<std::u16string>{u"<   Devices|", u"|Synthetic Camera*", u"|Second"}));
  // The marked device while active: nothing happens.
  TdxCamera* camera = control->Camera();
  ClickItem(1);
  EXPECT_EQ(control->Camera(), camera);
  // Another device: the control reopens on it and the page is rebuilt under the click.
  ClickItem(2);
  EXPECT_EQ(control->DeviceIndex(), 1);
  EXPECT_EQ(control->DeviceName(), u"Second");
  EXPECT_EQ(Descriptions(),
            (std::vector<std::u16string>{u"<   Devices|", u"|Synthetic Camera", u"|Second*"}));
  // Inactive: any device is only stored.
  control->SetActive(false);
  dxCameraControlSettingsToolbar()->Reinitilize();
  ClickItem(2);
  EXPECT_EQ(control->DeviceIndex(), 1);
  EXPECT_FALSE(control->Active());
  ClickItem(1);
  EXPECT_EQ(control->DeviceIndex(), 0);
  EXPECT_FALSE(control->Active());
}

TEST_F(CameraControlTest, HotItemFollowsThePointer) {
  TdxCameraControl* control = NewControl();
  control->SetActive(true);
  control->ShowSettingsToolbar();
  TdxCameraControlSettingsToolbar* t = dxCameraControlSettingsToolbar();
  const TRect r1 = t->Items(1)->FBounds;
  MoveToScreen(t->ClientToScreen(TPoint{r1.Left + 3, r1.Top + 3}));
  EXPECT_EQ(t->HotItem(), t->Items(1));
  EXPECT_EQ(t->Items(1)->FState, ecsHot);
  const TRect r0 = t->Items(0)->FBounds;
  MoveToScreen(t->ClientToScreen(TPoint{r0.Left + 3, r0.Top + 3}));
  EXPECT_EQ(t->HotItem(), t->Items(0));
  EXPECT_EQ(t->Items(1)->FState, ecsNormal);
  SaveWindowPng(t->Handle(), "camera_settings_toolbar", true);
  MoveToScreen(TPoint{102, 102});
  EXPECT_EQ(t->HotItem(), nullptr);
}

TEST_F(CameraControlTest, ManyDevicesFillColumnsAndStayInsideTheToolbar) {
  // Ten devices: three columns of four rows, the last one short.
  std::vector<TSyntheticCamera> scripts(10);
  for (size_t i = 0; i < scripts.size(); ++i)
    scripts[i].Name = String(u"Cam ") + String(1, char16_t(u'0' + i));
  Cameras(scripts);
  TdxCameraControl* control = NewControl(0, 400, 300);
  control->ShowSettingsToolbar();
  // Inactive: the settings page has no Device item, so the page is opened directly.
  dxCameraControlSettingsToolbar()->Initialize(stpDevices);
  TdxCameraControlSettingsToolbar* t = dxCameraControlSettingsToolbar();
  ASSERT_EQ(t->ItemCount(), 11);
  EXPECT_EQ(t->ColumnCount(), 3);
  const TRect client{0, 0, t->Width(), t->Height()};
  std::set<int> lefts;
  for (int32_t i = 0; i < t->ItemCount(); ++i) {
    const TRect r = t->Items(i)->FBounds;
    EXPECT_TRUE(r.Left >= client.Left && r.Top >= client.Top && r.Right <= client.Right &&
                r.Bottom <= client.Bottom)
        << i;
    if (i > 0) lefts.insert(r.Left);
  }
  EXPECT_EQ(lefts.size(), 3u);
  EXPECT_EQ(t->Items(4)->FBounds.Left, t->Items(1)->FBounds.Left) << "four rows in the first column";
  EXPECT_GT(t->Items(5)->FBounds.Left, t->Items(4)->FBounds.Left);
  // The toolbar's bottom-right corner sits 10 pixels inside the control's.
  const TPoint corner = control->ClientToScreen(TPoint{400, 300});
  EXPECT_EQ(t->Left() + t->Width(), corner.X - 5);
  EXPECT_EQ(t->Top() + t->Height(), corner.Y - 5);
}

TEST_F(CameraControlTest, RightToLeftMirrorsTheButtonAndTheToolbar) {
  TdxCameraControl* control = NewControl();
  control->SetBiDiMode(bdRightToLeft);
  EXPECT_EQ(control->GetSettingsButtonRect(), (TRect{5, 113, 37, 145}));
  control->SetActive(true);
  control->ShowSettingsToolbar();
  TdxCameraControlSettingsToolbar* t = dxCameraControlSettingsToolbar();
  ASSERT_NE(t, nullptr);
  // At the control's bottom-left corner, 5 pixels in; the items mirrored inside it.
  const TPoint corner = control->ClientToScreen(TPoint{0, 150});
  EXPECT_EQ(t->Left(), corner.X + 5);
  EXPECT_EQ(t->Top() + t->Height(), corner.Y - 5);
  const TRect header = t->Items(0)->FBounds;
  EXPECT_EQ(header.Left, t->Width() - header.Right) << "the header spans the width symmetrically";
}

TEST_F(CameraControlTest, DesignTimeControlNeitherOpensCamerasNorRendersThem) {
  TdxCameraControl* control = NewControl();
  control->SetDesigning(true);
  control->SetActive(true);
  EXPECT_TRUE(control->Active());
  EXPECT_EQ(control->Camera(), nullptr);
  EXPECT_FALSE(dxCameraManager()->HasRequest(control));
  EXPECT_EQ(dxCameraManager()->CameraCount(), 0);
  control->Invalidate();
  EXPECT_GT(DarkPixels(control, TRect{10, 60, 190, 90}), 20) << "the design-time text";
  SaveWindowPng(GetParentForm(control)->Handle(), "camera_control_design_time");
}

}  // namespace
}  // namespace qd::testing
