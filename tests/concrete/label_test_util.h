#pragma once
// Fixture for the label: a label on a plain white form, painted and read back. Ink masks of a
// plain rendering let effect tests say where each copy of the caption must lie.
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "graphics/picture_units_test_util.h"
#include "editors/edit_test_util.h"
#include "platform/gdiplus/gdiplus.h"
#include "platform/os/gdi.h"
#include "platform/os/user_display.h"
#include "ui/editors/concrete/cxLabel.h"
#include "ui/graphics/dxGDIPlusAPI.h"
#include "ui/graphics/dxGDIPlusCanvas.h"
#include "ui/graphics/dxGDIPlusClasses.h"
#include "ui/graphics/dxGDIPlusImage.h"
#include "ui/graphics/dxSmartImage.h"

namespace qd::testing {

// A picture of the label's client area as 0xRRGGBB values.
struct LabelPixels {
  int Width = 0;
  int Height = 0;
  std::vector<uint32_t> Rgb;
  uint32_t At(int X, int Y) const {
    if (X < 0 || Y < 0 || X >= Width || Y >= Height) return 0xFFFFFFFF;
    return Rgb[static_cast<size_t>(Y) * Width + X];
  }
  int Count(uint32_t AColor) const {
    int n = 0;
    for (uint32_t c : Rgb) n += c == AColor;
    return n;
  }
};

class LabelTest : public EditTest {
 protected:
  void SetUp() override {
    EditTest::SetUp();
    ASSERT_TRUE(InitializePictureUnits());
    dxFading::Initialize();
    cxLabel::Initialize();
    form = NewPlainForm(kFormWidth, kFormHeight);
    label = new TcxLabel(form);
    label->SetParent(form);
    label->SetLeft(kLeft);
    label->SetTop(kTop);
    // Sizes follow the content once the label has a window.
    form->Show();
    Application->ProcessMessages();
  }

  void TearDown() override {
    forms::Finalize();
    forms::Initialize();
    cxLabel::Finalize();
    dxFading::Finalize();
    FinalizePictureUnits();
    EditTest::TearDown();
  }

  // A font whose glyphs are drawn without antialiasing, so that every pixel is either ink or
  // background.
  void UseCrispFont(int APointSize, bool ABold = true) {
    TFont* font = label->Style()->Font();
    font->SetName(u"DejaVu Sans");
    font->SetSize(APointSize);
    font->SetStyle(ABold ? TFontStyles{fsBold} : TFontStyles{});
    font->SetColor(clBlack);
    dxSetFontAsNonAntialiased(font);
  }

  // A fixed size, so that effects do not move the caption through auto size.
  void FixSize(int AWidth, int AHeight) {
    label->SetEditAutoSize(false);
    label->SetBounds(kLeft, kTop, AWidth, AHeight);
  }

  LabelPixels Paint() {
    if (!form->Visible()) {
      form->Show();
      Application->ProcessMessages();
    }
    RedrawWindow(form->Handle(), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    const os::WindowPixels window = os::ReadWindowPixels(form->Handle(), true);
    LabelPixels result;
    result.Width = label->Width();
    result.Height = label->Height();
    result.Rgb.resize(static_cast<size_t>(result.Width) * result.Height);
    for (int y = 0; y < result.Height; ++y)
      for (int x = 0; x < result.Width; ++x) {
        const int wx = label->Left() + x, wy = label->Top() + y;
        result.Rgb[static_cast<size_t>(y) * result.Width + x] =
            wx < window.width && wy < window.height ? window.At(wx, wy) & 0xFFFFFF : 0xFFFFFFFF;
      }
    // QD_LABEL_PNG=1 writes each painted form to build/<preset>/label_<test>_<n>.png.
    if (std::getenv("QD_LABEL_PNG"))
      SaveWindowPng(form->Handle(), std::string("label_") +
                                        ::testing::UnitTest::GetInstance()->current_test_info()->name() +
                                        "_" + std::to_string(++pngCount));
    return result;
  }

  static uint32_t Rgb(TColor AColor) {
    const COLORREF c = ColorToRGB(AColor);
    return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
  }

  // One copy of the caption: the plain caption's ink moved by (DX, DY) in a colour.
  struct Layer {
    int DX;
    int DY;
    uint32_t Color;
  };

  // The picture the layers make over ABackground when drawn in order, from the ink of a plain
  // rendering (APlain, ink = AInk).
  static LabelPixels Compose(const LabelPixels& APlain, uint32_t AInk, uint32_t ABackground,
                             const std::vector<Layer>& ALayers) {
    LabelPixels result = APlain;
    for (uint32_t& c : result.Rgb) c = ABackground;
    for (const Layer& layer : ALayers)
      for (int y = 0; y < result.Height; ++y)
        for (int x = 0; x < result.Width; ++x)
          if (APlain.At(x - layer.DX, y - layer.DY) == AInk)
            result.Rgb[static_cast<size_t>(y) * result.Width + x] = layer.Color;
    return result;
  }

  // The first differing pixel, described, or "" when the pictures agree.
  static std::string Difference(const LabelPixels& AActual, const LabelPixels& AExpected) {
    for (int y = 0; y < AActual.Height; ++y)
      for (int x = 0; x < AActual.Width; ++x)
        if (AActual.At(x, y) != AExpected.At(x, y)) {
          char text[96];
          std::snprintf(text, sizeof(text), "at (%d, %d): %06X, expected %06X", x, y, AActual.At(x, y),
                        AExpected.At(x, y));
          return text;
        }
    return {};
  }

  static constexpr int kLeft = 10;
  static constexpr int kTop = 10;
  static constexpr int kFormWidth = 320;
  static constexpr int kFormHeight = 140;
  TForm* form = nullptr;
  TcxLabel* label = nullptr;
  int pngCount = 0;
};

}  // namespace qd::testing
