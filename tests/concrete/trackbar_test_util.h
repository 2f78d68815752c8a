#pragma once
// Fixture for the track bars: a track bar on a plain shown form, input sent through the
// window's messages, pixels read back from the form.
#include <gtest/gtest.h>

#include <string>

#include "graphics/picture_units_test_util.h"
#include "editors/edit_test_util.h"
#include "platform/gdiplus/gdiplus.h"
#include "platform/os/gdi.h"
#include "platform/os/user_display.h"
#include "ui/editors/concrete/cxTrackBar.h"
#include "ui/editors/concrete/dxZoomTrackBar.h"
#include "ui/graphics/dxGDIPlusAPI.h"
#include "ui/graphics/dxGDIPlusCanvas.h"
#include "ui/graphics/dxGDIPlusClasses.h"
#include "ui/graphics/dxGDIPlusImage.h"
#include "ui/graphics/dxSmartImage.h"
#include "ui/lookandfeel/dxFading.h"

namespace qd::testing {

// A track bar with the zoom track bar's settings and controller, as an owner would use them.
class ZoomTestBar : public TcxCustomTrackBar {
  QD_CLASS_INLINE(ZoomTestBar, TcxCustomTrackBar)

 public:
  using TcxCustomTrackBar::TcxCustomTrackBar;
  TClass GetPropertiesClass() const override { return TdxCustomZoomTrackBarProperties::StaticClass(); }
  TdxCustomZoomTrackBarProperties* ZoomProperties() {
    return static_cast<TdxCustomZoomTrackBarProperties*>(Properties());
  }
  TdxCustomZoomTrackBarViewInfo* ZoomViewInfo() {
    ShortRefreshContainer(false);
    return static_cast<TdxCustomZoomTrackBarViewInfo*>(ViewInfo());
  }

 protected:
  TcxTrackBarController* CreateController() override { return new TdxZoomTrackBarController(this); }
};

class TrackBarTest : public EditTest {
 protected:
  void SetUp() override {
    EditTest::SetUp();
    ASSERT_TRUE(InitializePictureUnits());
    dxFading::Initialize();
    cxTrackBar::Initialize();
    form = NewPlainForm(300, 300);
    bar = new TcxTrackBar(form);
    bar->Style()->LookAndFeel()->SetKind(lfUltraFlat);
    bar->Style()->LookAndFeel()->SetNativeStyle(false);
    bar->SetParent(form);
    input = bar;
  }

  void TearDown() override {
    forms::Finalize();
    forms::Initialize();
    cxTrackBar::Finalize();
    dxFading::Finalize();
    FinalizePictureUnits();
    EditTest::TearDown();
  }

  // A horizontal bar whose track is exactly 200 pixels wide (a 2-pixel transparent border and
  // 7 pixels of margin on each side) with a 10 x 20 thumb.
  void Use200PixelTrack() {
    Props()->SetAutoSize(false);
    Props()->SetThumbWidth(10);
    Props()->SetThumbHeight(20);
    bar->SetBounds(kLeft, kTop, 218, 60);
  }
  void Show() {
    form->Show();
    Application->ProcessMessages();
    Repaint();
  }
  void Repaint() {
    RedrawWindow(form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  }
  TcxTrackBarProperties* Props() { return bar->Properties(); }
  TcxCustomTrackBarViewInfo* VI() {
    bar->ShortRefreshContainer(false);
    return bar->ViewInfo();
  }

  // -- Mouse input through the real input queue (points in the control's client coordinates)
  void Press(const TPoint& P, TShiftState AShift = {}) {
    const bool ctrl = AShift.Contains(ssCtrl);
    if (ctrl) os::InjectKey(VK_CONTROL, true, 0, false);
    const TPoint screen = input->ClientToScreen(P);
    os::InjectMouseMove(POINT{screen.X, screen.Y});
    os::InjectMouseButton(WM_LBUTTONDOWN, POINT{screen.X, screen.Y});
    Application->ProcessMessages();
    if (ctrl) {
      os::InjectKey(VK_CONTROL, false, 0, false);
      Application->ProcessMessages();
    }
  }
  void MoveTo(const TPoint& P) {
    const TPoint screen = input->ClientToScreen(P);
    os::InjectMouseMove(POINT{screen.X, screen.Y});
    Application->ProcessMessages();
  }
  void Release(const TPoint& P) {
    const TPoint screen = input->ClientToScreen(P);
    os::InjectMouseButton(WM_LBUTTONUP, POINT{screen.X, screen.Y});
    Application->ProcessMessages();
  }
  void Key(WORD AKey, bool AShiftDown = false) {
    SetShiftDown(AShiftDown);
    SendKeyEvent(input, WM_KEYDOWN, AKey, AShiftDown ? TShiftState{ssShift} : TShiftState{});
  }
  void KeyRelease(WORD AKey) { SendKeyEvent(input, WM_KEYUP, AKey, {}); }
  static void SetShiftDown(bool ADown) {
    BYTE state[256]{};
    if (ADown) state[VK_SHIFT] = 0x80;
    SetKeyboardState(state);
  }

  // The centre of the thumb in the bar's client coordinates.
  TPoint ThumbCentre() {
    input->ShortRefreshContainer(false);
    TcxCustomTrackBarViewInfo* vi = input->ViewInfo();
    const TRect r = vi->RealThumbBounds(vi->GetThumb(0));
    return TPoint{(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
  }
  // A pixel of the form at the bar's client point, as 0xRRGGBB.
  uint32_t Rgb(int X, int Y) {
    return os::ReadWindowPixels(form->Handle(), true).At(input->Left() + X, input->Top() + Y) & 0xFFFFFF;
  }
  static uint32_t ExpectedRgb(TColor AColor) {
    const COLORREF c = ColorToRGB(AColor);
    return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
  }

  static constexpr int kLeft = 10;
  static constexpr int kTop = 10;
  TForm* form = nullptr;
  TcxTrackBar* bar = nullptr;
  TcxCustomTrackBar* input = nullptr;  // the control the input goes to
};

}  // namespace qd::testing
