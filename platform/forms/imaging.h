#pragma once
// JPEG and PNG pictures as graphic classes. Decoding and encoding go through the image
// codecs of platform/gdiplus; drawing goes through a 32-bit DIB (with AlphaBlend when the
// picture has an alpha channel).
#include <cstdint>
#include <vector>

#include "platform/forms/graphics.h"

namespace qd {

// What TJPEGImage and TPngImage share: the file's bytes and the decoded first frame.
class TEncodedImage : public TGraphic {
  QD_CLASS(TEncodedImage, TGraphic)

 public:
  bool Empty() const override { return width_ == 0 || height_ == 0; }
  int Width() const override { return width_; }
  int Height() const override { return height_; }
  // The size comes from the picture; these do nothing.
  void SetWidth(int) override {}
  void SetHeight(int) override {}

  void LoadFromStream(TStream* Stream) override;
  void SaveToStream(TStream* Stream) override;
  void Assign(TPersistent* Source) override;
  void Draw(TCanvas* ACanvas, const TRect& Rect) override;
  void DrawTransparent(TCanvas* ACanvas, const TRect& Rect, uint8_t Opacity) override;

  // The decoded pixels: 0xAARRGGBB, straight alpha, top-down.
  const std::vector<uint32_t>& Pixels() const { return pixels_; }
  // The bytes of the file the picture came from (or was encoded to).
  const TBytes& Data() const { return data_; }
  // True when some pixel is not fully opaque.
  bool HasAlpha() const { return hasAlpha_; }

 protected:
  // The codec format of the class, and its name for messages ("JPEG", "PNG").
  virtual int FormatId() const = 0;
  virtual const Char* FormatName() const = 0;
  // Loads the file bytes (raising EInvalidGraphic when they are not of this format).
  void LoadBytes(TBytes Bytes);
  // Encodes straight-alpha pixels in this class's format.
  void EncodePixels(int W, int H, std::vector<uint32_t> Pixels);

 private:
  TBytes data_;
  std::vector<uint32_t> pixels_;
  int width_ = 0;
  int height_ = 0;
  bool hasAlpha_ = false;
};

class TJPEGImage : public TEncodedImage {
  QD_CLASS(TJPEGImage, TEncodedImage)

 public:
  TJPEGImage() = default;
  // Used when a bitmap is assigned and encoded (0..100).
  int CompressionQuality() const { return quality_; }
  void SetCompressionQuality(int Value) { quality_ = Value < 1 ? 1 : Value > 100 ? 100 : Value; }
  bool Grayscale() const { return false; }
  // Stored-form data: a 32-bit length, then the JPEG file.
  void ReadData(TStream* Stream) override;
  void WriteData(TStream* Stream) override;

 protected:
  int FormatId() const override;
  const Char* FormatName() const override { return u"JPEG"; }

 private:
  int quality_ = 90;
};

class TPngImage : public TEncodedImage {
  QD_CLASS(TPngImage, TEncodedImage)

 public:
  TPngImage() = default;
  bool Transparent() const override { return HasAlpha(); }
  bool SupportsPartialTransparency() const override { return HasAlpha(); }

 protected:
  int FormatId() const override;
  const Char* FormatName() const override { return u"PNG"; }
};

}  // namespace qd
