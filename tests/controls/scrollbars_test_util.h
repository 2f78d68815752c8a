#pragma once
// For the scroll-bar tests: a library control whose content is a plain area of pixels, and a
// fixture with GDI+ (floating bars and the fader draw through it).
#include <functional>

#include "graphics/picture_units_test_util.h"
#include "controls/controls_test_util.h"
#include "platform/forms/forms.h"
#include "platform/gdiplus/gdiplus.h"
#include "ui/controls/cxControls.h"
#include "ui/controls/cxScrollHelper.h"
#include "ui/graphics/dxGDIPlusAPI.h"
#include "ui/graphics/dxGDIPlusCanvas.h"
#include "ui/graphics/dxGDIPlusClasses.h"
#include "ui/graphics/dxGDIPlusImage.h"
#include "ui/graphics/dxSmartImage.h"

namespace qd::testing {

class GdiPlusControlTest : public BaseControlTest {
 protected:
  void SetUp() override {
    BaseControlTest::SetUp();
    ASSERT_TRUE(InitializePictureUnits());
  }
  void TearDown() override {
    // Controls go before the units they draw with.
    forms::Finalize();
    forms::Initialize();
    FinalizePictureUnits();
    BaseControlTest::TearDown();
  }
};

// A control whose content is a plain area of pixels.
class TAreaControl : public TcxControl, public IdxScrollingControl {
 public:
  explicit TAreaControl(TComponent* AOwner) : TcxControl(AOwner) {}

  TSize content{100, 100};
  TPoint pos;
  int initCalls = 0;
  // Replaces the scroll helper's parameters when set.
  std::function<void()> init;

  TSize GetContentSize() override { return content; }
  TcxControl* GetInstance() override { return this; }
  int32_t GetLeftPos() override { return pos.X; }
  void SetLeftPos(int32_t Value) override { pos.X = Value; }
  int32_t GetTopPos() override { return pos.Y; }
  void SetTopPos(int32_t Value) override { pos.Y = Value; }

  void Scroll(TScrollBarKind AKind, TScrollCode ACode, int32_t& APos) override {
    TdxScrollHelper::Scroll(this, AKind, ACode, APos);
  }
  using TcxControl::LockScrollBars;

  // Floating bars (touch or hybrid, as the look-and-feel says) instead of classic ones.
  bool allowTouch = false;
  // Both bars are pixel bars.
  bool pixelBars = false;
  bool AllowTouchScrollUIMode() override { return allowTouch; }

 protected:
  void InitScrollBarsParameters() override {
    ++initCalls;
    if (init)
      init();
    else
      TdxScrollHelper::InitScrollBarsParameters(this);
  }
  bool IsPixelScrollBar(TScrollBarKind) override { return pixelBars; }
};

}  // namespace qd::testing
