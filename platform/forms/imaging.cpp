#include "platform/forms/imaging.h"

#include <algorithm>

#include "platform/classes/streams.h"
#include "platform/gdiplus/codec_io.h"

namespace qd {

QD_IMPLEMENT_CLASS(TEncodedImage)
QD_IMPLEMENT_CLASS(TJPEGImage)
QD_IMPLEMENT_CLASS(TPngImage)

void TEncodedImage::LoadBytes(TBytes Bytes) {
  codecs::Image img;
  codecs::DecodeOptions opt;
  opt.AllFrames = false;
  const auto want = static_cast<codecs::ImageFormat>(FormatId());
  codecs::Status st = codecs::Decode(Bytes, img, opt);
  const bool formatOk =
      img.Format == want || (want == codecs::ImageFormat::JPEG && img.Format == codecs::ImageFormat::EXIF);
  if (st != codecs::Status::Ok || !formatOk || img.Frames.empty())
    throw EInvalidGraphic(String(FormatName()) + u" image is not valid");
  codecs::Frame& f = img.Frames[0];
  data_ = std::move(Bytes);
  width_ = f.Width;
  height_ = f.Height;
  pixels_ = std::move(f.Pixels);
  hasAlpha_ = std::any_of(pixels_.begin(), pixels_.end(), [](uint32_t p) { return (p >> 24) != 0xFF; });
  Changed(this);
}

void TEncodedImage::EncodePixels(int W, int H, std::vector<uint32_t> Pixels) {
  codecs::Image img = codecs::MakeImage(W, H, std::move(Pixels));
  std::vector<uint8_t> out;
  codecs::EncodeOptions opt;
  if (auto* j = dynamic_cast<TJPEGImage*>(this)) opt.Quality = j->CompressionQuality();
  if (codecs::Encode(img, static_cast<codecs::ImageFormat>(FormatId()), out, opt) != codecs::Status::Ok)
    throw EInvalidGraphicOperation(u"Cannot encode the " + String(FormatName()) + u" image");
  LoadBytes(TBytes(out.begin(), out.end()));
}

void TEncodedImage::LoadFromStream(TStream* Stream) {
  int64_t n = Stream->Size() - Stream->Position();
  LoadBytes(n > 0 ? Stream->ReadBytes(n) : TBytes());
}

void TEncodedImage::SaveToStream(TStream* Stream) {
  if (!data_.empty()) Stream->WriteBuffer(data_.data(), static_cast<int64_t>(data_.size()));
}

void TEncodedImage::Assign(TPersistent* Source) {
  if (Source == this) return;
  if (auto* e = dynamic_cast<TEncodedImage*>(Source); e && e->ClassType() == ClassType()) {
    data_ = e->data_;
    pixels_ = e->pixels_;
    width_ = e->width_;
    height_ = e->height_;
    hasAlpha_ = e->hasAlpha_;
    Changed(this);
    return;
  }
  if (auto* b = dynamic_cast<TBitmap*>(Source)) {
    // Encode the bitmap's pixels (its alpha only when it defines one).
    const int w = b->Width(), h = b->Height();
    std::vector<uint32_t> px(static_cast<size_t>(w) * static_cast<size_t>(h));
    const bool alpha = b->PixelFormat() == pf32bit && b->AlphaFormat() != afIgnored;
    if (w > 0 && h > 0) {
      TBitmap tmp;
      tmp.Assign(b);
      tmp.SetPixelFormat(pf32bit);
      for (int y = 0; y < h; ++y) {
        const auto* row = static_cast<const uint32_t*>(tmp.ScanLine(y));
        for (int x = 0; x < w; ++x) {
          uint32_t c = row[x];
          if (!alpha) {
            c |= 0xFF000000u;
          } else if (b->AlphaFormat() == afPremultiplied) {
            uint32_t a = c >> 24;
            if (a && a != 255) {
              auto un = [a](uint32_t v) { return std::min<uint32_t>(255, v * 255 / a); };
              c = (a << 24) | (un((c >> 16) & 0xFF) << 16) | (un((c >> 8) & 0xFF) << 8) | un(c & 0xFF);
            }
          }
          px[static_cast<size_t>(y) * w + x] = c;
        }
      }
    }
    EncodePixels(w, h, std::move(px));
    return;
  }
  inherited::Assign(Source);
}

void TEncodedImage::Draw(TCanvas* ACanvas, const TRect& Rect) {
  DrawTransparent(ACanvas, Rect, 255);
}

void TEncodedImage::DrawTransparent(TCanvas* ACanvas, const TRect& Rect, uint8_t Opacity) {
  if (Empty()) return;
  graphics_detail::DrawPixels(ACanvas->Handle(), Rect, width_, height_, pixels_.data(), Opacity, hasAlpha_);
}

int TJPEGImage::FormatId() const {
  return static_cast<int>(codecs::ImageFormat::JPEG);
}

void TJPEGImage::ReadData(TStream* Stream) {
  int64_t start = Stream->Position();
  int64_t remaining = Stream->Size() - start;
  if (remaining >= 4) {
    int32_t size = 0;
    Stream->ReadBuffer(&size, 4);
    if (size >= 0 && size <= remaining - 4) {
      LoadBytes(Stream->ReadBytes(size));
      return;
    }
    Stream->SetPosition(start);
  }
  LoadFromStream(Stream);
}

void TJPEGImage::WriteData(TStream* Stream) {
  int32_t size = static_cast<int32_t>(Data().size());
  Stream->WriteBuffer(&size, 4);
  SaveToStream(Stream);
}

int TPngImage::FormatId() const {
  return static_cast<int>(codecs::ImageFormat::PNG);
}

}  // namespace qd
