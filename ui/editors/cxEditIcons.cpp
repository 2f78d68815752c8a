// The validation icons: an error (red disc with a white cross), a warning (amber triangle
// with a dark exclamation mark) and an information sign (blue disc with a white "i"),
// drawn at start-up as 16 x 16 premultiplied 32-bit bitmaps.
#include <algorithm>
#include <cmath>

#include "ui/editors/cxEdit.h"
#include "ui/graphics/cxGraphicsBitmap.h"

namespace qd {

namespace {

constexpr int kEditIconSize = 16;
constexpr int kEditIconSamples = 4;  // per axis, for smooth edges

struct EditIconRgb {
  double R, G, B;
};

// Coverage of one sub-sample: which layer the point belongs to (0 none, 1 body, 2 mark).
int EditIconLayerAt(TcxEditErrorKind AKind, double x, double y) {
  const double c = kEditIconSize / 2.0;
  const double dx = x - c, dy = y - c;
  if (AKind == ekWarning) {
    // Triangle with its apex at the top centre.
    const double top = 1.0, bottom = 15.0;
    if (y < top || y > bottom) return 0;
    const double halfWidth = (y - top) / (bottom - top) * 7.5;
    if (std::abs(dx) > halfWidth) return 0;
    const bool bar = std::abs(dx) <= 1.0 && y >= 5.0 && y <= 10.5;
    const bool dot = std::abs(dx) <= 1.0 && y >= 12.0 && y <= 14.0;
    return bar || dot ? 2 : 1;
  }
  if (dx * dx + dy * dy > 7.5 * 7.5) return 0;
  if (AKind == ekInfo) {
    const bool dot = std::abs(dx) <= 1.1 && y >= 3.0 && y <= 5.2;
    const bool stem = std::abs(dx) <= 1.1 && y >= 6.5 && y <= 12.5;
    return dot || stem ? 2 : 1;
  }
  // Error: a cross of two bars along the diagonals.
  const double d1 = std::abs(dx - dy) / std::sqrt(2.0), d2 = std::abs(dx + dy) / std::sqrt(2.0);
  const bool inCross = std::max(std::abs(dx), std::abs(dy)) <= 3.8 && (d1 <= 1.1 || d2 <= 1.1);
  return inCross ? 2 : 1;
}

}  // namespace

TcxBitmap32* cxEditCreateValidationIcon(TcxEditErrorKind AKind) {
  EditIconRgb body{0xD9, 0x30, 0x25}, mark{0xFF, 0xFF, 0xFF};
  if (AKind == ekWarning) {
    body = {0xF5, 0xB3, 0x00};
    mark = {0x30, 0x30, 0x30};
  } else if (AKind == ekInfo) {
    body = {0x1E, 0x6F, 0xD9};
  }
  auto* bitmap = new TcxBitmap32(kEditIconSize, kEditIconSize, true);
  TRGBColors colors(static_cast<size_t>(kEditIconSize * kEditIconSize));
  for (int y = 0; y < kEditIconSize; ++y)
    for (int x = 0; x < kEditIconSize; ++x) {
      double r = 0, g = 0, b = 0, a = 0;
      for (int sy = 0; sy < kEditIconSamples; ++sy)
        for (int sx = 0; sx < kEditIconSamples; ++sx) {
          int layer =
              EditIconLayerAt(AKind, x + (sx + 0.5) / kEditIconSamples, y + (sy + 0.5) / kEditIconSamples);
          if (layer == 0) continue;
          const EditIconRgb& c = layer == 2 ? mark : body;
          r += c.R;
          g += c.G;
          b += c.B;
          a += 255;
        }
      const double n = kEditIconSamples * kEditIconSamples;
      // Rows are stored bottom-up; the colours are premultiplied by their coverage.
      RGBQUAD& q = colors[static_cast<size_t>((kEditIconSize - 1 - y) * kEditIconSize + x)];
      q.rgbRed = static_cast<BYTE>(std::lround(r / n));
      q.rgbGreen = static_cast<BYTE>(std::lround(g / n));
      q.rgbBlue = static_cast<BYTE>(std::lround(b / n));
      q.rgbReserved = static_cast<BYTE>(std::lround(a / n));
    }
  bitmap->SetBitmapColors(colors);
  return bitmap;
}

}  // namespace qd
