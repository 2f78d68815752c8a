#pragma once
// Fixture for the control framework's window services: the core fixture (virtual clock,
// application objects, window manager reset) with the control framework's unit started, and
// plain windows to work on.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "core/ui_core_test_util.h"
#include "platform/classes/streams.h"
#include "platform/gdiplus/codec_io.h"
#include "platform/os/user.h"
#include "platform/os/user_display.h"
#include "platform/os/uxtheme.h"
#include "platform/os/uxtheme_testing.h"
#include "ui/controls/cxControlsWndProc.h"
#include "ui/core/cxClassesTimer.h"
#include "ui/core/dxDWMApi.h"
#include "ui/core/dxThemeManager.h"
#include "ui/core/dxUxTheme.h"
#include "ui/graphics/cxGraphics.h"
#include "ui/lookandfeel/cxLookAndFeelPainters.h"
#include "ui/lookandfeel/cxLookAndFeelPaintersBitmaps.h"
#include "ui/lookandfeel/cxLookAndFeels.h"

namespace qd::testing {

class ControlsTest : public UiCoreTest {
 protected:
  void SetUp() override {
    UiCoreTest::SetUp();
    cxControls::Initialize();
  }
  void TearDown() override {
    if (!finalized_) cxControls::Finalize();
    // The shared timer window goes with the window manager's reset.
    cxTimerDetail::FreeTimerWindow();
    UiCoreTest::TearDown();
  }
  // The unit's shut-down, once (a test that checks what it does calls it itself).
  void FinalizeUnit() {
    finalized_ = true;
    cxControls::Finalize();
  }

  static HWND CreatePlainWindow(DWORD AStyle, DWORD AExStyle, int X, int Y, int W, int H,
                                HWND AParent = nullptr) {
    // SS_NOTIFY: the window is hit like any other (a plain STATIC lets the mouse through).
    return CreateWindowExW(AExStyle, u"STATIC", u"", AStyle | SS_NOTIFY, X, Y, W, H, AParent, nullptr,
                           nullptr, nullptr);
  }

 private:
  bool finalized_ = false;
};

// With the units a library control stands on (classes, graphics, visual styles, painters,
// look-and-feel), and plain forms to put controls on.
class BaseControlTest : public ControlsTest {
 protected:
  void SetUp() override {
    ControlsTest::SetUp();
    os::RegisterThemeModules();
    os::ResetThemeForTesting();
    dxDWMApi::Initialize();
    cxGraphics::Initialize();
    dxUxTheme::Initialize();
    dxThemeManager::Initialize();
    cxLookAndFeelPainters::Initialize();
    cxLookAndFeelPaintersBitmaps::Initialize();
    cxLookAndFeels::Initialize();
  }
  void TearDown() override {
    // Forms and controls go before the units they use.
    forms::Finalize();
    forms::Initialize();
    cxLookAndFeels::Finalize();
    cxLookAndFeelPaintersBitmaps::Finalize();
    cxLookAndFeelPainters::Finalize();
    dxThemeManager::Finalize();
    dxUxTheme::Finalize();
    cxGraphics::Finalize();
    dxDWMApi::Finalize();
    ControlsTest::TearDown();
  }

  // A borderless white form at (100, 100) with the given client size, not yet shown.
  static TForm* NewPlainForm(int AWidth = 200, int AHeight = 100) {
    TForm* form = CreateNewForm<TForm>(Application);
    form->SetPosition(poDesigned);
    form->SetBorderStyle(bsNone);
    form->SetBounds(100, 100, AWidth, AHeight);
    form->SetColor(clWhite);
    return form;
  }

  // Shows the form and paints what the show invalidated.
  static void ShowAndUpdate(TForm* AForm) {
    AForm->Show();
    Application->ProcessMessages();
    UpdateWindow(AForm->Handle());
  }

  // Writes the top-level window's pixels to build/<preset>/<name>.png for looking at them; a
  // layered window's premultiplied pixels can be laid over white.
  static void SaveWindowPng(HWND AWnd, const std::string& AName, bool AOverWhite = false) {
    const os::WindowPixels pixels = os::ReadWindowPixels(AWnd, true);
    std::vector<uint32_t> px = pixels.pixels;
    for (uint32_t& p : px) {
      if (AOverWhite) {
        const uint32_t rest = 255 - (p >> 24);
        uint32_t out = 0;
        for (int shift = 0; shift < 24; shift += 8)
          out |= std::min<uint32_t>(255, ((p >> shift) & 0xFF) + rest) << shift;
        p = out;
      }
      p |= 0xFF000000u;
    }
    std::vector<uint8_t> out;
    if (codecs::Encode(codecs::MakeImage(pixels.width, pixels.height, std::move(px)),
                       codecs::ImageFormat::PNG, out) != codecs::Status::Ok)
      return;
    TMemoryStream s;
    s.Write(out.data(), static_cast<int64_t>(out.size()));
    s.SaveToFile(String(u"" QD_BINARY_DIR "/") + String(AName.begin(), AName.end()) + u".png");
  }
};

}  // namespace qd::testing
