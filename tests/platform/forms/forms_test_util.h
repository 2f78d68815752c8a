#pragma once
// Fixture for the visual class library: a virtual clock, fresh Application/Screen/Mouse
// objects, captured message boxes, and pixel reading of top-level windows.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/base/mathutil.h"
#include "platform/base/strings.h"
#include "platform/forms/dialogs.h"
#include "platform/forms/forms.h"
#include "platform/forms/forms_init.h"
#include "platform/os/clock.h"
#include "platform/os/user_display.h"
#include "servers/test_files.h"

namespace qd::testing {

struct CapturedBox {
  String caption;
  String text;
  UINT flags = 0;
};

class FormsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    clock_ = std::make_unique<os::ScopedVirtualClock>();
    forms::Initialize();
    previousHook_ = SetMessageBoxHook([this](const String& c, const String& t, UINT f) {
      boxes.push_back({c, t, f});
      return boxAnswer;
    });
  }
  void TearDown() override {
    SetMessageBoxHook(previousHook_);
    forms::Finalize();
    os::ResetWindowManagerForTesting();
    clock_.reset();
  }

  os::VirtualClock& Clock() { return clock_->clock(); }

  // A plain form (no stored form) with the given client size, white, not yet shown.
  TForm* NewPlainForm(int clientWidth = 200, int clientHeight = 100) {
    TForm* f = CreateNewForm<TForm>(Application);
    f->SetPosition(poDesigned);
    f->SetBorderStyle(bsNone);
    f->SetBounds(100, 100, clientWidth, clientHeight);
    f->SetColor(clWhite);
    return f;
  }

  // Shows the form and lets it paint.
  void ShowAndPaint(TCustomForm* f) {
    f->Show();
    Application->ProcessMessages();
    UpdateWindow(f->Handle());
  }

  // The composed pixel (0xAARRGGBB) at a point of the form's client area.
  static uint32_t ClientPixel(TWinControl* form, int x, int y) {
    os::WindowPixels px = os::ReadWindowPixels(form->Handle(), true);
    RECT wr;
    GetWindowRect(form->Handle(), &wr);
    POINT origin{0, 0};
    ClientToScreen(form->Handle(), &origin);
    return px.At(origin.X - wr.Left + x, origin.Y - wr.Top + y);
  }

  // How many pixels of a client rectangle differ from a colour (RGB only).
  static int CountDifferent(TWinControl* form, const TRect& r, uint32_t rgb) {
    os::WindowPixels px = os::ReadWindowPixels(form->Handle(), true);
    RECT wr;
    GetWindowRect(form->Handle(), &wr);
    POINT origin{0, 0};
    ClientToScreen(form->Handle(), &origin);
    int n = 0;
    for (int y = r.Top; y < r.Bottom; ++y)
      for (int x = r.Left; x < r.Right; ++x)
        if ((px.At(origin.X - wr.Left + x, origin.Y - wr.Top + y) & 0xFFFFFF) != (rgb & 0xFFFFFF)) ++n;
    return n;
  }

  std::vector<CapturedBox> boxes;
  int boxAnswer = IDOK;

 private:
  std::unique_ptr<os::ScopedVirtualClock> clock_;
  TMessageBoxHook previousHook_;
};

}  // namespace qd::testing
