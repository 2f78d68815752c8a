// The validation icons drawn at start-up: saved enlarged over white for looking, and checked
// for their shape (transparent corners, coloured body, a contrasting mark at the centre).
#include <gtest/gtest.h>

#include "editors/edit_test_util.h"
#include "platform/gdiplus/codec_io.h"
#include "ui/graphics/cxGraphicsBitmap.h"

namespace qd::testing {
namespace {

struct IconPixel {
  int R, G, B, A;
};

// Top-down pixel (x, y) of a 16 x 16 icon.
IconPixel IconAt(const TRGBColors& c, int x, int y) {
  const RGBQUAD& q = c[static_cast<size_t>((15 - y) * 16 + x)];
  return {q.rgbRed, q.rgbGreen, q.rgbBlue, q.rgbReserved};
}

void SaveIconsPng(const std::vector<TRGBColors>& icons, int scale) {
  const int w = 16 * scale * static_cast<int>(icons.size()) + 8 * scale, h = 16 * scale;
  std::vector<uint32_t> px(static_cast<size_t>(w * h), 0xFFFFFFFFu);
  for (size_t i = 0; i < icons.size(); ++i)
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < 16 * scale; ++x) {
        IconPixel p = IconAt(icons[i], x / scale, y / scale);
        // Premultiplied colour over white.
        auto over = [&](int c) { return static_cast<uint32_t>(c + (255 - p.A)); };
        px[static_cast<size_t>(y * w + static_cast<int>(i) * (16 * scale + 4 * scale) + x)] =
            0xFF000000u | over(p.R) << 16 | over(p.G) << 8 | over(p.B);
      }
  std::vector<uint8_t> out;
  ASSERT_EQ(codecs::Encode(codecs::MakeImage(w, h, std::move(px)), codecs::ImageFormat::PNG, out),
            codecs::Status::Ok);
  TMemoryStream s;
  s.Write(out.data(), static_cast<int64_t>(out.size()));
  s.SaveToFile(String(u"" QD_BINARY_DIR "/edit_validation_icons.png"));
}

TEST_F(EditTest, ValidationIconsAreMadeAtStartUp) {
  std::vector<TRGBColors> icons;
  for (TcxBitmap32* icon : {cxEditErrorIcon, cxEditWarningIcon, cxEditInfoIcon}) {
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(icon->Width(), 16);
    EXPECT_EQ(icon->Height(), 16);
    icons.emplace_back();
    icon->GetBitmapColors(icons.back());
  }
  SaveIconsPng(icons, 8);

  struct Expect {
    const char* Name;
    bool RedBody, AmberBody, BlueBody;
  };
  const Expect expects[] = {
      {"error", true, false, false}, {"warning", false, true, false}, {"info", false, false, true}};
  for (size_t i = 0; i < icons.size(); ++i) {
    SCOPED_TRACE(expects[i].Name);
    EXPECT_EQ(IconAt(icons[i], 0, 0).A, 0);
    EXPECT_EQ(IconAt(icons[i], 15, 0).A, 0);
    // A body pixel away from the mark.
    IconPixel body = IconAt(icons[i], i == 1 ? 4 : 3, 11);
    EXPECT_EQ(body.A, 255);
    if (expects[i].RedBody) EXPECT_GT(body.R, body.B + 100);
    if (expects[i].AmberBody) EXPECT_GT(body.G, body.B + 100);
    if (expects[i].BlueBody) EXPECT_GT(body.B, body.R + 100);
    // The mark at the centre column contrasts with the body.
    IconPixel mark = IconAt(icons[i], 7, i == 0 ? 7 : 8);
    EXPECT_GT(std::abs((mark.R + mark.G + mark.B) - (body.R + body.G + body.B)), 200);
  }
  cxEdit::Finalize();
  EXPECT_EQ(cxEditErrorIcon, nullptr);
  cxEdit::Initialize();
}

}  // namespace
}  // namespace qd::testing
