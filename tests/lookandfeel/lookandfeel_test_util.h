#pragma once
// Fixture of the look-and-feel tests: the virtual clock and the window manager of the core
// tests, GDI+ bound and started, the graphics units, the smart-image units (for the fader's
// frames and the glyphs and icons that painters load) and the class unit's timers.
#include <gtest/gtest.h>

#include "tests/core/ui_core_test_util.h"
#include "ui/core/cxClasses.h"
#include "ui/core/cxClassesComponents.h"
#include "ui/graphics/cxGraphics.h"
#include "ui/graphics/dxGDIPlusAPI.h"
#include "ui/graphics/dxGDIPlusCanvas.h"
#include "ui/graphics/dxGDIPlusClasses.h"
#include "ui/graphics/dxGDIPlusImage.h"
#include "ui/graphics/dxSmartImage.h"

namespace qd::testing {

class LookAndFeelTest : public UiCoreTest {
 protected:
  void SetUp() override {
    UiCoreTest::SetUp();
    gdiplus::RegisterModule();
    ASSERT_TRUE(CheckGdiPlus(false));
    cxClasses::Initialize();
    cxGraphics::Initialize();
    dxGDIPlusClasses::Initialize();
    dxGDIPlusCanvas::Initialize();
    dxSmartImage::Initialize();
    dxGDIPlusImage::Initialize();
  }
  void TearDown() override {
    dxGDIPlusImage::Finalize();
    dxSmartImage::Finalize();
    dxGDIPlusCanvas::Finalize();
    dxGDIPlusClasses::Finalize();
    cxGraphics::Finalize();
    cxClasses::Finalize();
    GdiPlusUnload();
    UiCoreTest::TearDown();
  }
};

}  // namespace qd::testing
