#pragma once
// Fixture of the painter drawing tests: the smart-image codecs (for the glyph strips), the
// (empty) painters registry and the shared painter bitmaps (check size, scroll-bar patterns,
// radio images) started and stopped around each test, and a
// painter whose button metrics a test can set, to see the base drawing follow the metrics a descendant gives.
#include <gtest/gtest.h>

#include "lookandfeel/painter_test_util.h"
#include "ui/graphics/dxGDIPlusImage.h"
#include "ui/graphics/dxSmartImage.h"
#include "ui/lookandfeel/cxLookAndFeelPainters.h"
#include "ui/lookandfeel/cxLookAndFeelPaintersBitmaps.h"
#include "platform/os/user_display.h"
#include "ui/core/dxDPIAwareUtils.h"

namespace qd::testing {

class PainterDrawTest : public PainterTest {
 protected:
  void SetUp() override {
    PainterTest::SetUp();
    dxSmartImage::Initialize();
    dxGDIPlusImage::Initialize();
    cxLookAndFeelPainters::Initialize();
    cxLookAndFeelPaintersBitmaps::Initialize();
  }
  void TearDown() override {
    cxLookAndFeelPaintersBitmaps::Finalize();
    cxLookAndFeelPainters::Finalize();
    dxGDIPlusImage::Finalize();
    dxSmartImage::Finalize();
    PainterTest::TearDown();
  }
};

// A painter with a settable text shift, a one-pixel blue button border of ButtonBorderSize,
// and a settable style and name.
class MetricsPainter : public TcxCustomLookAndFeelPainter {
 public:
  int32_t ScaledButtonTextShift(TdxScaleFactor* AScaleFactor) override { return AScaleFactor->Apply(shift); }
  int32_t ButtonBorderSize(TcxButtonState) override { return border; }
  void DrawButtonBorder(TcxCanvas* ACanvas, const TRect& R, TcxButtonState) override {
    if (border > 0) ACanvas->FrameRect(R, clBlue, border);
  }
  TcxLookAndFeelStyle LookAndFeelStyle() override { return style; }
  String LookAndFeelName() override { return name; }

  String name;
  int32_t shift = 0;
  int32_t border = 0;
  TcxLookAndFeelStyle style = lfsStandard;
};

// Restarts the DPI unit and the painter bitmaps at a system DPI, and back at 96 afterwards.
class SystemDpiScope {
 public:
  explicit SystemDpiScope(UINT ADpi) { Restart(ADpi); }
  ~SystemDpiScope() { Restart(96); }
  SystemDpiScope(const SystemDpiScope&) = delete;
  SystemDpiScope& operator=(const SystemDpiScope&) = delete;

 private:
  static void Restart(UINT ADpi) {
    cxLookAndFeelPaintersBitmaps::Finalize();
    os::SetSystemDpi(ADpi);
    dxDPIAwareUtils::Finalize();
    dxDPIAwareUtils::Initialize();
    cxLookAndFeelPaintersBitmaps::Initialize();
  }
};

}  // namespace qd::testing
