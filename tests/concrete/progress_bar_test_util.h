#pragma once
// Fixture for the progress bar: a bar on a plain white form, painted and read back pixel by
// pixel, with the virtual clock driving its animation.
#include <gtest/gtest.h>

#include "editors/edit_test_util.h"
#include "platform/os/gdi.h"
#include "ui/editors/concrete/cxProgressBar.h"

namespace qd::testing {

class ProgressBarTest : public EditTest {
 protected:
  void SetUp() override {
    EditTest::SetUp();
    cxProgressBar::Initialize();
    form = NewPlainForm(320, 120);
    bar = new TcxProgressBar(form);
    bar->SetParent(form);
    // The UltraFlat look without visual styles: plain colours the tests can name.
    SetLook(false);
    bar->SetEditAutoSize(false);
    bar->SetBounds(kLeft, kTop, 204, 24);
    ShowForm();
  }
  void TearDown() override {
    forms::Finalize();
    forms::Initialize();
    cxProgressBar::Finalize();
    EditTest::TearDown();
  }

  void SetLook(bool ANative, TcxLookAndFeelKind AKind = lfUltraFlat) {
    bar->Style()->LookAndFeel()->SetKind(AKind);
    bar->Style()->LookAndFeel()->SetNativeStyle(ANative);
  }
  TcxCustomProgressBarProperties* Props() { return bar->Properties(); }
  TcxCustomProgressBarViewInfo* Info() { return bar->ProgressBarViewInfo(); }

  void ShowForm() {
    form->Show();
    Application->ProcessMessages();
    Repaint();
  }
  void Repaint() {
    RedrawWindow(form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  }
  // A pixel of the form relative to the bar's top-left corner, as 0xRRGGBB.
  uint32_t Rgb(int X, int Y) {
    return os::ReadWindowPixels(form->Handle(), true).At(kLeft + X, kTop + Y) & 0xFFFFFF;
  }
  static uint32_t ExpectedRgb(TColor AColor) {
    const COLORREF c = ColorToRGB(AColor);
    return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
  }
  // The area the fill may take (the bar's inner rectangle, in bar coordinates).
  TRect Content() { return Info()->BorderRect; }

  static constexpr int kLeft = 10;
  static constexpr int kTop = 10;
  TForm* form = nullptr;
  TcxProgressBar* bar = nullptr;
};

}  // namespace qd::testing
