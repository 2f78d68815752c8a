#pragma once
// Fixture for the image editor: the graphics units the pictures need, the image editor's
// unit, a plain form with an image editor on it, and small pictures as edit values.
#include <memory>
#include <string>
#include <vector>

#include "graphics/picture_units_test_util.h"
#include "editors/edit_test_util.h"
#include "platform/classes/streams.h"
#include "platform/forms/clipbrd.h"
#include "platform/gdiplus/gdiplus.h"
#include "platform/os/user_display.h"
#include "ui/editors/concrete/cxImage.h"
#include "ui/graphics/dxGDIPlusAPI.h"
#include "ui/graphics/dxGDIPlusCanvas.h"
#include "ui/graphics/dxGDIPlusClasses.h"
#include "ui/graphics/dxGDIPlusImage.h"
#include "ui/graphics/dxSmartImage.h"

namespace qd::testing {

// The image editor with its protected handling reachable.
class TestImage : public TcxImage {
  QD_CLASS_INLINE(TestImage, TcxImage)

 public:
  using TcxCustomImage::DoContextPopup;
  using TcxCustomImage::DoGesture;
  using TcxCustomImage::InternalMouseWheel;
  using TcxCustomImage::IsDefaultGesture;
  using TcxCustomImage::KeyDown;
  using TcxCustomImage::KeyPress;
  using TcxImage::TcxImage;
};

// Counts the editor's change events.
struct ImageEvents {
  int Changes = 0;
  void Change(TObject*) { ++Changes; }
};

class ImageTest : public EditTest {
 protected:
  void SetUp() override {
    EditTest::SetUp();
    ASSERT_TRUE(InitializePictureUnits());
    cxImage::Initialize();
    form = NewPlainForm(300, 200);
    image = new TestImage(form);
    image->SetParent(form);
    image->SetBounds(10, 10, 140, 100);
    image->Properties()->SetOnChange(MakeMethod(&events, &ImageEvents::Change));
  }

  void TearDown() override {
    forms::Finalize();
    forms::Initialize();
    cxImage::Finalize();
    FinalizePictureUnits();
    EditTest::TearDown();
  }

  // A BMP file of AWidth x AHeight pixels of one colour.
  static TBytes BitmapBytes(int AWidth, int AHeight, TColor AColor) {
    TBitmap bitmap;
    bitmap.SetPixelFormat(pf24bit);
    bitmap.SetSize(AWidth, AHeight);
    bitmap.Canvas()->Brush()->SetColor(AColor);
    bitmap.Canvas()->FillRect(TRect{0, 0, AWidth, AHeight});
    TMemoryStream stream;
    bitmap.SaveToStream(&stream);
    const auto* p = static_cast<const uint8_t*>(stream.Memory());
    return TBytes(p, p + stream.Size());
  }

  // The 8-byte header {1, $0100, size} in front of the data.
  static TBytes WithHeader(const TBytes& AData, uint32_t ALength) {
    TBytes result{1, 0, 0, 1};
    for (int i = 0; i < 4; ++i) result.push_back(static_cast<uint8_t>(ALength >> (8 * i)));
    result.insert(result.end(), AData.begin(), AData.end());
    return result;
  }

  // Writes pixels read from a window to build/<preset>/<name>.png, for looking at them.
  static void SaveWindowPixelsPng(const os::WindowPixels& APixels, const std::string& AName) {
    std::vector<uint32_t> px = APixels.pixels;
    for (uint32_t& p : px) p |= 0xFF000000u;
    std::vector<uint8_t> out;
    if (codecs::Encode(codecs::MakeImage(APixels.width, APixels.height, std::move(px)),
                       codecs::ImageFormat::PNG, out) != codecs::Status::Ok)
      return;
    TMemoryStream s;
    s.Write(out.data(), static_cast<int64_t>(out.size()));
    s.SaveToFile(String(u"" QD_BINARY_DIR "/") + String(AName.begin(), AName.end()) + u".png");
  }

  bool HasPicture() const { return image->Picture()->Graphic() && !image->Picture()->Graphic()->Empty(); }

  TForm* form = nullptr;
  TestImage* image = nullptr;
  ImageEvents events;
};

}  // namespace qd::testing
