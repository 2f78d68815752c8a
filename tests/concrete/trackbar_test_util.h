#pragma once
// Fixture for the track bars: a track bar on a plain shown form, input sent through the
// window's messages, pixels read back from the form.
#include <gtest/gtest.h>

#include <string>

#include "editors/edit_test_util.h"
#include "platform/gdiplus/gdiplus.h"
#include "platform/os/gdi.h"
#include "ui/editors/concrete/cxTrackBar.h"
#include "ui/graphics/dxGDIPlusAPI.h"
#include "ui/graphics/dxGDIPlusCanvas.h"
#include "ui/graphics/dxGDIPlusClasses.h"
#include "ui/graphics/dxGDIPlusImage.h"
#include "ui/graphics/dxSmartImage.h"
#include "ui/lookandfeel/dxFading.h"

namespace qd::testing {

class TrackBarTest : public EditTest {
 protected:
  void SetUp() override {
    EditTest::SetUp();
    gdiplus::RegisterModule();
    ASSERT_TRUE(CheckGdiPlus(false));
    dxGDIPlusClasses::Initialize();
    dxGDIPlusCanvas::Initialize();
    dxSmartImage::Initialize();
    dxGDIPlusImage::Initialize();
    dxFading::Initialize();
    cxTrackBar::Initialize();
    form = NewPlainForm(300, 300);
    bar = new TcxTrackBar(form);
    bar->Style()->LookAndFeel()->SetKind(lfUltraFlat);
    bar->Style()->LookAndFeel()->SetNativeStyle(false);
    bar->SetParent(form);
  }

  void TearDown() override {
    forms::Finalize();
    forms::Initialize();
    cxTrackBar::Finalize();
    dxFading::Finalize();
    dxGDIPlusImage::Finalize();
    dxSmartImage::Finalize();
    dxGDIPlusCanvas::Finalize();
    dxGDIPlusClasses::Finalize();
    GdiPlusUnload();
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

  // -- Input through the window's messages (points in the bar's client coordinates)
  void Press(const TPoint& P, TShiftState AShift = {}) {
    AShift.Include(ssLeft);
    SendMouseEvent(bar, WM_LBUTTONDOWN, AShift, P);
  }
  void MoveTo(const TPoint& P, bool ALeftDown, TShiftState AShift = {}) {
    if (ALeftDown) AShift.Include(ssLeft);
    SendMouseEvent(bar, WM_MOUSEMOVE, AShift, P);
  }
  void Release(const TPoint& P, TShiftState AShift = {}) { SendMouseEvent(bar, WM_LBUTTONUP, AShift, P); }
  void Key(WORD AKey, bool AShiftDown = false) {
    SetShiftDown(AShiftDown);
    SendKeyEvent(bar, WM_KEYDOWN, AKey, AShiftDown ? TShiftState{ssShift} : TShiftState{});
  }
  void KeyRelease(WORD AKey) { SendKeyEvent(bar, WM_KEYUP, AKey, {}); }
  static void SetShiftDown(bool ADown) {
    BYTE state[256]{};
    if (ADown) state[VK_SHIFT] = 0x80;
    SetKeyboardState(state);
  }

  // The centre of the thumb in the bar's client coordinates.
  TPoint ThumbCentre() {
    const TRect r = VI()->RealThumbBounds(VI()->GetThumb(0));
    return TPoint{(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
  }
  // A pixel of the form at the bar's client point, as 0xRRGGBB.
  uint32_t Rgb(int X, int Y) {
    return os::ReadWindowPixels(form->Handle(), true).At(bar->Left() + X, bar->Top() + Y) & 0xFFFFFF;
  }
  static uint32_t ExpectedRgb(TColor AColor) {
    const COLORREF c = ColorToRGB(AColor);
    return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
  }

  static constexpr int kLeft = 10;
  static constexpr int kTop = 10;
  TForm* form = nullptr;
  TcxTrackBar* bar = nullptr;
};

}  // namespace qd::testing
