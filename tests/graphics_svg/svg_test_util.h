#pragma once
// Fixture of the SVG tests: GDI+ and the SVG tables started, documents loaded from text and
// drawn into sentinel-filled 32-bit bitmaps.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "tests/graphics/graphics_test_util.h"
#include "ui/graphics/svg/dxSVGImage.h"

namespace qd::testing {

class SVGTest : public GraphicsTest {
 protected:
  void SetUp() override {
    GraphicsTest::SetUp();
    gdiplus::RegisterModule();
    ASSERT_TRUE(CheckGdiPlus(false));
    dxGDIPlusClasses::Initialize();
    dxGDIPlusCanvas::Initialize();
    TdxAlphaColors::Initialize();
    dxSVGCore::Initialize();
    dxSVGRenderQuality = srqMedium;
  }
  void TearDown() override {
    dxSVGRenderQuality = srqMedium;
    dxSVGCore::Finalize();
    TdxAlphaColors::Finalize();
    dxGDIPlusCanvas::Finalize();
    dxGDIPlusClasses::Finalize();
    GdiPlusUnload();
    GraphicsTest::TearDown();
  }

  static std::unique_ptr<TdxSVGImageHandle> LoadSVG(const std::string& AText) {
    TMemoryStream stream;
    stream.WriteBuffer(AText.data(), static_cast<int64_t>(AText.size()));
    stream.SetPosition(0);
    std::unique_ptr<TdxSVGImageHandle> handle;
    if (!TdxSVGImageCodec::Instance().Load(&stream, handle)) return nullptr;
    return handle;
  }

  static std::unique_ptr<TdxSVGElementRoot> Import(const std::string& AText) {
    TdxXMLDocument document;
    document.LoadFromString(AText);
    std::unique_ptr<TdxSVGElementRoot> root;
    TdxSVGImporter::Import(&document, root);
    return root;
  }

  // The document drawn over the whole bitmap.
  static void Render(const std::string& AText, TestBitmap& ABitmap, IdxColorPalette* APalette = nullptr) {
    auto handle = LoadSVG(AText);
    ASSERT_TRUE(handle);
    TSize size;
    handle->GetSize(size);
    handle->Draw(ABitmap.DC(), TRect{0, 0, ABitmap.W(), ABitmap.H()}, TRect{0, 0, size.cx, size.cy}, 255,
                 APalette);
  }
};

// True when each channel of the two 0xAARRGGBB values differs by at most ATolerance.
inline bool NearPx(uint32_t A, uint32_t B, int ATolerance = 8) {
  for (int shift = 0; shift < 32; shift += 8)
    if (std::abs(static_cast<int>((A >> shift) & 0xFF) - static_cast<int>((B >> shift) & 0xFF)) > ATolerance)
      return false;
  return true;
}

}  // namespace qd::testing
