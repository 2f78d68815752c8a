// TGraphic, TBitmap, TIcon and TPicture with the registry of graphic classes.
#include <algorithm>
#include <cstring>

#include "platform/base/resources.h"
#include "platform/base/strings.h"
#include "platform/classes/filer.h"
#include "platform/classes/streams.h"
#include "platform/classes/sysutils_files.h"
#include "platform/forms/graphics.h"
#include "platform/gdiplus/codec_io.h"
#include "platform/os/user.h"

namespace qd {

QD_IMPLEMENT_CLASS(TGraphic)
QD_IMPLEMENT_CLASS(TBitmap)
QD_IMPLEMENT_CLASS(TBitmapCanvas)
QD_IMPLEMENT_CLASS(TIcon)
QD_IMPLEMENT_CLASS(TPicture)

namespace graphics_detail {

// The remaining bytes of a stream.
TBytes ReadRest(TStream* Stream) {
  int64_t n = Stream->Size() - Stream->Position();
  if (n <= 0) return {};
  return Stream->ReadBytes(n);
}

// Graphic data in stored forms that starts with its own 32-bit length: a length that fits
// the remaining data is taken as such; otherwise the whole rest is the file.
TBytes ReadSizedData(TStream* Stream) {
  int64_t start = Stream->Position();
  int64_t remaining = Stream->Size() - start;
  if (remaining >= 4) {
    int32_t size = 0;
    Stream->ReadBuffer(&size, 4);
    if (size >= 0 && size <= remaining - 4) return Stream->ReadBytes(size);
    Stream->SetPosition(start);
  }
  return ReadRest(Stream);
}

}  // namespace graphics_detail

namespace {

HDC ScreenCompatibleDC() {
  return CreateCompatibleDC(nullptr);
}

BITMAPINFOHEADER Header32(int w, int h, bool topDown) {
  BITMAPINFOHEADER bh;
  bh.biSize = sizeof(BITMAPINFOHEADER);
  bh.biWidth = w;
  bh.biHeight = topDown ? -h : h;
  bh.biPlanes = 1;
  bh.biBitCount = 32;
  bh.biCompression = BI_RGB;
  return bh;
}

}  // namespace

// ---- Pixel helpers ------------------------------------------------------------------------------

namespace graphics_detail {

HBITMAP CreatePremultipliedDib(int Width, int Height, const uint32_t* Pixels, void** Bits) {
  BITMAPINFO bi{};
  bi.bmiHeader = Header32(Width, Height, true);
  void* bits = nullptr;
  HBITMAP bmp = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!bmp || !bits) return bmp;
  auto* out = static_cast<uint32_t*>(bits);
  const size_t n = static_cast<size_t>(Width) * static_cast<size_t>(Height);
  for (size_t i = 0; i < n; ++i) {
    const uint32_t c = Pixels[i];
    const uint32_t a = c >> 24;
    if (a == 255) {
      out[i] = c;
    } else {
      const uint32_t r = ((c >> 16) & 0xFF) * a / 255, g = ((c >> 8) & 0xFF) * a / 255,
                     b = (c & 0xFF) * a / 255;
      out[i] = (a << 24) | (r << 16) | (g << 8) | b;
    }
  }
  if (Bits) *Bits = bits;
  return bmp;
}

void DrawPixels(HDC DC, const TRect& Rect, int Width, int Height, const uint32_t* Pixels, uint8_t Opacity,
                bool UseAlpha) {
  if (Width <= 0 || Height <= 0 || !Pixels) return;
  HBITMAP bmp = CreatePremultipliedDib(Width, Height, Pixels);
  if (!bmp) return;
  HDC src = ScreenCompatibleDC();
  HGDIOBJ old = SelectObject(src, bmp);
  if (UseAlpha || Opacity != 255) {
    BLENDFUNCTION bf;
    bf.BlendOp = AC_SRC_OVER;
    bf.SourceConstantAlpha = Opacity;
    bf.AlphaFormat = UseAlpha ? AC_SRC_ALPHA : 0;
    AlphaBlend(DC, Rect.Left, Rect.Top, Rect.Width(), Rect.Height(), src, 0, 0, Width, Height, bf);
  } else {
    int oldMode = SetStretchBltMode(DC, COLORONCOLOR);
    StretchBlt(DC, Rect.Left, Rect.Top, Rect.Width(), Rect.Height(), src, 0, 0, Width, Height, SRCCOPY);
    SetStretchBltMode(DC, oldMode);
  }
  SelectObject(src, old);
  DeleteDC(src);
  DeleteObject(bmp);
}

}  // namespace graphics_detail

// ---- TGraphic -----------------------------------------------------------------------------------

void TGraphic::SetSize(int AWidth, int AHeight) {
  SetWidth(AWidth);
  SetHeight(AHeight);
}

void TGraphic::SetTransparent(bool Value) {
  if (Value == transparent_) return;
  transparent_ = Value;
  Changed(this);
}

void TGraphic::SetModified(bool Value) {
  if (Value)
    Changed(this);
  else
    modified_ = false;
}

void TGraphic::Changed(TObject*) {
  modified_ = true;
  if (OnChange) OnChange(this);
}

void TGraphic::LoadFromFile(const String& FileName) {
  TFileStream s(FileName, fmOpenRead | fmShareDenyWrite);
  LoadFromStream(&s);
}

void TGraphic::SaveToFile(const String& FileName) {
  TFileStream s(FileName, fmCreate);
  SaveToStream(&s);
}

// ---- TBitmap ------------------------------------------------------------------------------------

TBitmap::TBitmap() = default;

TBitmap::TBitmap(int AWidth, int AHeight) {
  SetSize(AWidth, AHeight);
}

TBitmap::~TBitmap() {
  canvas_.reset();
  FreeHandle();
}

int TBitmap::BitCount() const {
  switch (pixelFormat_) {
    case pf1bit:
      return 1;
    case pf4bit:
      return 4;
    case pf8bit:
      return 8;
    case pf15bit:
    case pf16bit:
      return 16;
    case pf24bit:
      return 24;
    default:
      return 32;
  }
}

int TBitmap::RowBytes() const {
  return ((width_ * BitCount() + 31) / 32) * 4;
}

bool TBitmap::SupportsPartialTransparency() const {
  return pixelFormat_ == pf32bit && alphaFormat_ != afIgnored;
}

HBITMAP TBitmap::MakeBitmap(int w, int h, TPixelFormat pf, void** bits) const {
  *bits = nullptr;
  if (w <= 0 || h <= 0) return nullptr;
  if (pf == pfDevice) {
    HDC screen = GetDC(nullptr);
    HBITMAP b = CreateCompatibleBitmap(screen, w, h);
    ReleaseDC(nullptr, screen);
    return b;
  }
  struct {
    BITMAPINFOHEADER h;
    RGBQUAD colors[256];
  } bi{};
  bi.h.biSize = sizeof(BITMAPINFOHEADER);
  bi.h.biWidth = w;
  bi.h.biHeight = h;
  bi.h.biPlanes = 1;
  bi.h.biCompression = BI_RGB;
  switch (pf) {
    case pf1bit:
      bi.h.biBitCount = 1;
      bi.colors[1] = {255, 255, 255, 0};
      bi.h.biClrUsed = 2;
      break;
    case pf4bit: {
      bi.h.biBitCount = 4;
      static const COLORREF kVga[16] = {0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080,
                                        0x808000, 0xC0C0C0, 0x808080, 0x0000FF, 0x00FF00, 0x00FFFF,
                                        0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF};
      for (int i = 0; i < 16; ++i)
        bi.colors[i] = {GetBValue(kVga[i]), GetGValue(kVga[i]), GetRValue(kVga[i]), 0};
      bi.h.biClrUsed = 16;
      break;
    }
    case pf8bit: {
      bi.h.biBitCount = 8;
      int i = 0;
      for (int r = 0; r < 6; ++r)
        for (int g = 0; g < 6; ++g)
          for (int b = 0; b < 6; ++b)
            bi.colors[i++] = {static_cast<BYTE>(b * 51), static_cast<BYTE>(g * 51), static_cast<BYTE>(r * 51),
                              0};
      for (; i < 256; ++i) {
        BYTE v = static_cast<BYTE>((i - 216) * 255 / 39);
        bi.colors[i] = {v, v, v, 0};
      }
      bi.h.biClrUsed = 256;
      break;
    }
    case pf15bit:
      bi.h.biBitCount = 16;
      break;
    case pf16bit: {
      bi.h.biBitCount = 16;
      bi.h.biCompression = BI_BITFIELDS;
      DWORD masks[3] = {0xF800, 0x07E0, 0x001F};
      std::memcpy(bi.colors, masks, sizeof masks);
      break;
    }
    case pf24bit:
      bi.h.biBitCount = 24;
      break;
    default:
      bi.h.biBitCount = 32;
      break;
  }
  return CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&bi), DIB_RGB_COLORS, bits, nullptr, 0);
}

void TBitmap::FreeHandle() {
  if (canvas_) canvas_->FreeContext();
  if (handle_) DeleteObject(handle_);
  handle_ = nullptr;
  bits_ = nullptr;
}

void TBitmap::EnsureHandle() {
  if (!handle_ && width_ > 0 && height_ > 0) handle_ = MakeBitmap(width_, height_, pixelFormat_, &bits_);
}

HBITMAP TBitmap::Handle() {
  EnsureHandle();
  return handle_;
}

void TBitmap::SetHandle(HBITMAP Value) {
  if (Value == handle_) return;
  FreeHandle();
  handle_ = Value;
  width_ = height_ = 0;
  if (Value) {
    DIBSECTION ds{};
    int n = GetObjectW(Value, sizeof ds, &ds);
    width_ = ds.dsBm.bmWidth;
    height_ = std::abs(ds.dsBm.bmHeight);
    bits_ = n >= static_cast<int>(sizeof ds) ? ds.dsBm.bmBits : nullptr;
    if (!bits_) {
      pixelFormat_ = pfDevice;
    } else {
      switch (ds.dsBm.bmBitsPixel) {
        case 1:
          pixelFormat_ = pf1bit;
          break;
        case 4:
          pixelFormat_ = pf4bit;
          break;
        case 8:
          pixelFormat_ = pf8bit;
          break;
        case 16:
          pixelFormat_ = ds.dsBmih.biCompression == BI_BITFIELDS ? pf16bit : pf15bit;
          break;
        case 24:
          pixelFormat_ = pf24bit;
          break;
        default:
          pixelFormat_ = pf32bit;
          break;
      }
    }
  }
  Changed(this);
}

HBITMAP TBitmap::ReleaseHandle() {
  if (canvas_) canvas_->FreeContext();
  HBITMAP h = handle_;
  handle_ = nullptr;
  bits_ = nullptr;
  width_ = height_ = 0;
  return h;
}

void TBitmap::SetSize(int AWidth, int AHeight) {
  AWidth = std::max(AWidth, 0);
  AHeight = std::max(AHeight, 0);
  if (AWidth == width_ && AHeight == height_) return;
  // The bitmap must leave the canvas's DC before it can be copied.
  if (canvas_) canvas_->FreeContext();
  void* bits = nullptr;
  HBITMAP nb = MakeBitmap(AWidth, AHeight, pixelFormat_, &bits);
  if (nb && handle_) {
    // Keep the part of the old picture that still fits.
    HDC src = ScreenCompatibleDC(), dst = ScreenCompatibleDC();
    HGDIOBJ o1 = SelectObject(src, handle_), o2 = SelectObject(dst, nb);
    BitBlt(dst, 0, 0, std::min(AWidth, width_), std::min(AHeight, height_), src, 0, 0, SRCCOPY);
    SelectObject(src, o1);
    SelectObject(dst, o2);
    DeleteDC(src);
    DeleteDC(dst);
  }
  FreeHandle();
  handle_ = nb;
  bits_ = bits;
  width_ = AWidth;
  height_ = AHeight;
  Changed(this);
}

void TBitmap::SetPixelFormat(TPixelFormat Value) {
  if (Value == pixelFormat_ || Value == pfCustom) return;
  if (canvas_) canvas_->FreeContext();
  if (handle_) {
    void* bits = nullptr;
    HBITMAP nb = MakeBitmap(width_, height_, Value, &bits);
    if (nb) {
      HDC src = ScreenCompatibleDC(), dst = ScreenCompatibleDC();
      HGDIOBJ o1 = SelectObject(src, handle_), o2 = SelectObject(dst, nb);
      BitBlt(dst, 0, 0, width_, height_, src, 0, 0, SRCCOPY);
      SelectObject(src, o1);
      SelectObject(dst, o2);
      DeleteDC(src);
      DeleteDC(dst);
    }
    FreeHandle();
    handle_ = nb;
    bits_ = bits;
  }
  pixelFormat_ = Value;
  Changed(this);
}

void TBitmap::SetAlphaFormat(TAlphaFormat Value) {
  if (Value == alphaFormat_) return;
  // Switching between straight and premultiplied alpha converts the pixels.
  if (pixelFormat_ == pf32bit && handle_ && bits_) {
    auto* p = static_cast<uint32_t*>(bits_);
    const size_t n = static_cast<size_t>(width_) * static_cast<size_t>(height_);
    if (alphaFormat_ == afDefined && Value == afPremultiplied) {
      for (size_t i = 0; i < n; ++i) {
        uint32_t c = p[i], a = c >> 24;
        auto pm = [a](uint32_t v) { return (v * a + 127) / 255; };
        p[i] = (a << 24) | (pm((c >> 16) & 0xFF) << 16) | (pm((c >> 8) & 0xFF) << 8) | pm(c & 0xFF);
      }
    } else if (alphaFormat_ == afPremultiplied && Value == afDefined) {
      for (size_t i = 0; i < n; ++i) {
        uint32_t c = p[i], a = c >> 24;
        if (a == 0 || a == 255) continue;
        auto un = [a](uint32_t v) { return std::min<uint32_t>(255, (v * 255 + a / 2) / a); };
        p[i] = (a << 24) | (un((c >> 16) & 0xFF) << 16) | (un((c >> 8) & 0xFF) << 8) | un(c & 0xFF);
      }
    }
  }
  alphaFormat_ = Value;
  Changed(this);
}

TCanvas* TBitmap::Canvas() {
  if (!canvas_) canvas_ = std::make_unique<TBitmapCanvas>(this);
  return canvas_.get();
}

void* TBitmap::ScanLine(int Row) {
  if (Row < 0 || Row >= height_) throw EInvalidGraphicOperation(u"Scan line index out of range");
  if (pixelFormat_ == pfDevice) SetPixelFormat(pf32bit);
  EnsureHandle();
  if (!bits_) throw EInvalidGraphicOperation(u"Scan line index out of range");
  GdiFlush();
  return static_cast<uint8_t*>(bits_) +
         static_cast<size_t>(height_ - 1 - Row) * static_cast<size_t>(RowBytes());
}

TColor TBitmap::TransparentColor() {
  if (transparentMode_ == tmFixed && transparentColor_ != clDefault) return transparentColor_;
  if (Empty()) return clDefault;
  return Canvas()->Pixels(0, height_ - 1) & 0xFFFFFF;
}

void TBitmap::SetTransparentColor(TColor Value) {
  if (Value == transparentColor_) return;
  transparentColor_ = Value;
  transparentMode_ = Value == clDefault ? tmAuto : tmFixed;
  Changed(this);
}

void TBitmap::SetTransparentMode(TTransparentMode Value) {
  if (Value == transparentMode_) return;
  if (Value == tmAuto)
    SetTransparentColor(clDefault);
  else
    SetTransparentColor(TransparentColor());
}

void TBitmap::Changed(TObject* Sender) {
  inherited::Changed(Sender);
}

void TBitmap::LoadFromPixels(int AWidth, int AHeight, const uint32_t* Pixels) {
  FreeHandle();
  width_ = height_ = 0;
  pixelFormat_ = pf32bit;
  if (AWidth > 0 && AHeight > 0) {
    void* bits = nullptr;
    handle_ = MakeBitmap(AWidth, AHeight, pf32bit, &bits);
    bits_ = bits;
    width_ = AWidth;
    height_ = AHeight;
    if (bits_) {
      // Bottom-up rows.
      for (int y = 0; y < AHeight; ++y)
        std::memcpy(static_cast<uint32_t*>(bits_) + static_cast<size_t>(AHeight - 1 - y) * AWidth,
                    Pixels + static_cast<size_t>(y) * AWidth, static_cast<size_t>(AWidth) * 4);
    }
  }
  Changed(this);
}

void TBitmap::LoadFromStream(TStream* Stream) {
  TBytes data = graphics_detail::ReadRest(Stream);
  codecs::Image img;
  codecs::Status st = codecs::Decode(data, img, {});
  if (st != codecs::Status::Ok ||
      (img.Format != codecs::ImageFormat::BMP && img.Format != codecs::ImageFormat::MemoryBMP) ||
      img.Frames.empty())
    throw EInvalidGraphic(u"Bitmap image is not valid");
  const codecs::Frame& f = img.Frames[0];
  const bool alpha = img.SourceKind == codecs::PixelKind::Argb32 ||
                     img.SourceKind == codecs::PixelKind::Rgb32 ||
                     img.SourceKind == codecs::PixelKind::Argb1555;
  alphaFormat_ = afIgnored;
  LoadFromPixels(f.Width, f.Height, f.Pixels.data());
  if (!alpha) SetPixelFormat(pf24bit);
}

void TBitmap::SaveToStream(TStream* Stream) {
  std::vector<uint32_t> px(static_cast<size_t>(width_) * static_cast<size_t>(height_));
  if (!Empty()) {
    BITMAPINFO bi{};
    bi.bmiHeader = Header32(width_, height_, true);
    HDC dc = ScreenCompatibleDC();
    GetDIBits(dc, Handle(), 0, static_cast<UINT>(height_), px.data(), &bi, DIB_RGB_COLORS);
    DeleteDC(dc);
  }
  const bool withAlpha = pixelFormat_ == pf32bit;
  if (!withAlpha)
    for (auto& p : px) p |= 0xFF000000u;
  codecs::Image img = codecs::MakeImage(width_, height_, std::move(px));
  std::vector<uint8_t> out;
  codecs::EncodeOptions opt;
  opt.BmpBitCount = withAlpha ? 32 : 24;
  if (codecs::Encode(img, codecs::ImageFormat::BMP, out, opt) != codecs::Status::Ok)
    throw EInvalidGraphicOperation(u"Cannot save the bitmap");
  Stream->WriteBuffer(out.data(), static_cast<int64_t>(out.size()));
}

void TBitmap::ReadData(TStream* Stream) {
  TBytes data = graphics_detail::ReadSizedData(Stream);
  TBytesStream s(std::move(data));
  LoadFromStream(&s);
}

void TBitmap::WriteData(TStream* Stream) {
  TMemoryStream m;
  SaveToStream(&m);
  int32_t size = static_cast<int32_t>(m.Size());
  Stream->WriteBuffer(&size, 4);
  Stream->WriteBuffer(m.Memory(), m.Size());
}

void TBitmap::Assign(TPersistent* Source) {
  if (Source == this) return;
  if (!Source) {
    FreeHandle();
    width_ = height_ = 0;
    Changed(this);
    return;
  }
  if (auto* b = dynamic_cast<TBitmap*>(Source)) {
    FreeHandle();
    pixelFormat_ = b->pixelFormat_;
    alphaFormat_ = b->alphaFormat_;
    transparentMode_ = b->transparentMode_;
    transparentColor_ = b->transparentColor_;
    SetTransparent(b->Transparent());
    width_ = b->width_;
    height_ = b->height_;
    if (b->handle_ && width_ > 0 && height_ > 0) {
      handle_ = MakeBitmap(width_, height_, pixelFormat_, &bits_);
      // The source may be selected into its own canvas: copy from that DC.
      HDC src = b->Canvas()->Handle();
      HDC dst = ScreenCompatibleDC();
      HGDIOBJ o2 = SelectObject(dst, handle_);
      BitBlt(dst, 0, 0, width_, height_, src, 0, 0, SRCCOPY);
      SelectObject(dst, o2);
      DeleteDC(dst);
    }
    Changed(this);
    return;
  }
  if (auto* g = dynamic_cast<TGraphic*>(Source)) {
    // Another kind of graphic: drawn into a 32-bit bitmap with its transparency.
    FreeHandle();
    width_ = height_ = 0;
    pixelFormat_ = pf32bit;
    alphaFormat_ = g->SupportsPartialTransparency() ? afPremultiplied : afIgnored;
    SetSize(g->Width(), g->Height());
    if (!Empty()) g->Draw(Canvas(), Rect(0, 0, width_, height_));
    Changed(this);
    return;
  }
  inherited::Assign(Source);
}

void TBitmap::Draw(TCanvas* ACanvas, const TRect& Rect) {
  DrawTransparent(ACanvas, Rect, 255);
}

void TBitmap::DrawTransparent(TCanvas* ACanvas, const TRect& Rect, uint8_t Opacity) {
  if (Empty()) return;
  HDC dest = ACanvas->Handle();
  HDC src = Canvas()->Handle();
  const bool stretch = Rect.Width() != width_ || Rect.Height() != height_;
  if ((pixelFormat_ == pf32bit && alphaFormat_ != afIgnored) || Opacity != 255) {
    BLENDFUNCTION bf;
    bf.SourceConstantAlpha = Opacity;
    bf.AlphaFormat = (pixelFormat_ == pf32bit && alphaFormat_ != afIgnored) ? AC_SRC_ALPHA : 0;
    if (alphaFormat_ == afDefined && bf.AlphaFormat) {
      std::vector<uint32_t> px(static_cast<size_t>(width_) * static_cast<size_t>(height_));
      BITMAPINFO bi{};
      bi.bmiHeader = Header32(width_, height_, true);
      GetDIBits(src, Handle(), 0, static_cast<UINT>(height_), px.data(), &bi, DIB_RGB_COLORS);
      graphics_detail::DrawPixels(dest, Rect, width_, height_, px.data(), Opacity, true);
    } else {
      AlphaBlend(dest, Rect.Left, Rect.Top, Rect.Width(), Rect.Height(), src, 0, 0, width_, height_, bf);
    }
  } else if (Transparent()) {
    TransparentBlt(dest, Rect.Left, Rect.Top, Rect.Width(), Rect.Height(), src, 0, 0, width_, height_,
                   ColorToRGB(TransparentColor()));
  } else {
    int oldMode = stretch ? SetStretchBltMode(dest, COLORONCOLOR) : 0;
    StretchBlt(dest, Rect.Left, Rect.Top, Rect.Width(), Rect.Height(), src, 0, 0, width_, height_,
               ACanvas->CopyMode());
    if (stretch) SetStretchBltMode(dest, oldMode);
  }
}

// ---- TBitmapCanvas ------------------------------------------------------------------------------

TBitmapCanvas::~TBitmapCanvas() {
  FreeContext();
}

void TBitmapCanvas::FreeContext() {
  if (!dc_) return;
  SetHandle(nullptr);
  if (oldBitmap_) SelectObject(dc_, oldBitmap_);
  DeleteDC(dc_);
  dc_ = nullptr;
  oldBitmap_ = nullptr;
}

void TBitmapCanvas::CreateHandle() {
  if (dc_) return;
  dc_ = CreateCompatibleDC(nullptr);
  if (HBITMAP b = bitmap_->Handle()) oldBitmap_ = SelectObject(dc_, b);
  SetHandle(dc_);
}

// ---- TIcon --------------------------------------------------------------------------------------

TIcon::~TIcon() {
  FreeHandle();
}

void TIcon::FreeHandle() {
  if (handle_) DestroyIcon(handle_);
  handle_ = nullptr;
}

void TIcon::Assign(TPersistent* Source) {
  if (Source == this) return;
  if (auto* i = dynamic_cast<TIcon*>(Source)) {
    FreeHandle();
    data_ = i->data_;
    pixels_ = i->pixels_;
    width_ = i->width_;
    height_ = i->height_;
    if (pixels_.empty() && i->handle_) SetHandle(CopyIcon(i->handle_));
    Changed(this);
    return;
  }
  if (!Source) {
    FreeHandle();
    data_.clear();
    pixels_.clear();
    width_ = height_ = 0;
    Changed(this);
    return;
  }
  inherited::Assign(Source);
}

void TIcon::SetWidth(int Value) {
  SetSize(Value, requestedHeight_ ? requestedHeight_ : Value);
}

void TIcon::SetHeight(int Value) {
  SetSize(requestedWidth_ ? requestedWidth_ : Value, Value);
}

void TIcon::SetSize(int AWidth, int AHeight) {
  requestedWidth_ = std::max(AWidth, 0);
  requestedHeight_ = std::max(AHeight, 0);
  if (!data_.empty()) Decode();
}

void TIcon::Decode() {
  codecs::Image img;
  codecs::DecodeOptions opt;
  opt.IconWidth = requestedWidth_;
  opt.IconHeight = requestedHeight_;
  if (codecs::Decode(data_, img, opt) != codecs::Status::Ok || img.Format != codecs::ImageFormat::Icon ||
      img.Frames.empty())
    throw EInvalidGraphic(u"Icon image is not valid");
  FreeHandle();
  width_ = img.Frames[0].Width;
  height_ = img.Frames[0].Height;
  pixels_ = std::move(img.Frames[0].Pixels);
  Changed(this);
}

void TIcon::LoadFromStream(TStream* Stream) {
  TBytes data = graphics_detail::ReadRest(Stream);
  TBytes saved = std::move(data_);
  data_ = std::move(data);
  try {
    Decode();
  } catch (...) {
    data_ = std::move(saved);
    throw;
  }
}

void TIcon::SaveToStream(TStream* Stream) {
  if (data_.empty()) throw EInvalidGraphicOperation(u"Cannot save an icon without its file data");
  Stream->WriteBuffer(data_.data(), static_cast<int64_t>(data_.size()));
}

void TIcon::LoadFromResourceName(const String& Name) {
  auto res = FindEmbeddedResource("ICON", StringToUtf8(Name));
  if (res.empty()) throw EResNotFound(u"Resource " + Name + u" not found");
  TBytesStream s(TBytes(res.begin(), res.end()));
  LoadFromStream(&s);
}

HICON TIcon::Handle() {
  if (!handle_ && !pixels_.empty()) {
    BITMAPINFO bi{};
    bi.bmiHeader = Header32(width_, height_, true);
    void* bits = nullptr;
    HBITMAP color = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (color && bits) std::memcpy(bits, pixels_.data(), pixels_.size() * 4);
    HBITMAP mask = CreateBitmap(width_, height_, 1, 1, nullptr);
    ICONINFO ii;
    ii.fIcon = TRUE;
    ii.hbmColor = color;
    ii.hbmMask = mask;
    handle_ = CreateIconIndirect(&ii);
    if (color) DeleteObject(color);
    if (mask) DeleteObject(mask);
  }
  return handle_;
}

void TIcon::SetHandle(HICON Value) {
  if (Value == handle_) return;
  FreeHandle();
  data_.clear();
  pixels_.clear();
  width_ = height_ = 0;
  handle_ = Value;
  ICONINFO ii;
  if (Value && GetIconInfo(Value, &ii)) {
    BITMAP bm{};
    if (ii.hbmColor && GetObjectW(ii.hbmColor, sizeof bm, &bm)) {
      width_ = bm.bmWidth;
      height_ = bm.bmHeight;
    } else if (ii.hbmMask && GetObjectW(ii.hbmMask, sizeof bm, &bm)) {
      width_ = bm.bmWidth;
      height_ = bm.bmHeight / 2;
    }
    if (ii.hbmColor) DeleteObject(ii.hbmColor);
    if (ii.hbmMask) DeleteObject(ii.hbmMask);
  }
  Changed(this);
}

HICON TIcon::ReleaseHandle() {
  HICON h = Handle();
  handle_ = nullptr;
  return h;
}

void TIcon::Draw(TCanvas* ACanvas, const TRect& Rect) {
  if (!pixels_.empty()) {
    graphics_detail::DrawPixels(ACanvas->Handle(), Rect, width_, height_, pixels_.data());
    return;
  }
  if (handle_)
    DrawIconEx(ACanvas->Handle(), Rect.Left, Rect.Top, handle_, Rect.Width(), Rect.Height(), 0, nullptr,
               DI_NORMAL);
}

// ---- TPicture and the graphic-class registry -----------------------------------------------------

namespace {

struct FileFormat {
  String ext;  // lower case, without the dot
  String description;
  TGraphicClass cls;
};

std::mutex& FormatsLock() {
  static std::mutex m;
  return m;
}

std::vector<FileFormat>& Formats() {
  static std::vector<FileFormat> v;
  return v;
}

String NormalizeExt(const String& e) {
  String s = e;
  if (!s.empty() && s[0] == u'.') s.erase(0, 1);
  return LowerCase(s);
}

String ExtOfFormat(codecs::ImageFormat f) {
  switch (f) {
    case codecs::ImageFormat::BMP:
    case codecs::ImageFormat::MemoryBMP:
      return u"bmp";
    case codecs::ImageFormat::Icon:
      return u"ico";
    case codecs::ImageFormat::JPEG:
    case codecs::ImageFormat::EXIF:
      return u"jpg";
    case codecs::ImageFormat::PNG:
      return u"png";
    case codecs::ImageFormat::GIF:
      return u"gif";
    case codecs::ImageFormat::TIFF:
      return u"tif";
    case codecs::ImageFormat::EMF:
      return u"emf";
    case codecs::ImageFormat::WMF:
      return u"wmf";
    default:
      return {};
  }
}

TGraphic* NewGraphic(TGraphicClass c) {
  TObject* o = c ? c->Create(nullptr) : nullptr;
  auto* g = dynamic_cast<TGraphic*>(o);
  if (!g) {
    delete o;
    throw EInvalidGraphic(u"Cannot create a graphic of class " + (c ? c->ClassName() : String(u"nil")));
  }
  return g;
}

}  // namespace

void TPicture::RegisterFileFormat(const String& Extension, const String& Description,
                                  TGraphicClass GraphicClass) {
  std::lock_guard g(FormatsLock());
  String ext = NormalizeExt(Extension);
  auto& v = Formats();
  // A later registration of an extension wins.
  v.erase(std::remove_if(v.begin(), v.end(), [&](const FileFormat& f) { return f.ext == ext; }), v.end());
  v.insert(v.begin(), {ext, Description, GraphicClass});
  if (GraphicClass) RegisterClass(GraphicClass);
}

void TPicture::UnregisterGraphicClass(TGraphicClass GraphicClass) {
  std::lock_guard g(FormatsLock());
  auto& v = Formats();
  v.erase(std::remove_if(v.begin(), v.end(), [&](const FileFormat& f) { return f.cls == GraphicClass; }),
          v.end());
}

namespace {

// The registered formats of a class and its descendants, oldest registration first.
std::vector<FileFormat> FormatsOf(TGraphicClass GraphicClass) {
  std::lock_guard g(FormatsLock());
  std::vector<FileFormat> r;
  for (auto it = Formats().rbegin(); it != Formats().rend(); ++it)
    if (it->cls && (!GraphicClass || it->cls->InheritsFrom(GraphicClass))) r.push_back(*it);
  return r;
}

}  // namespace

String GraphicFileMask(TGraphicClass GraphicClass) {
  String mask;
  for (const auto& f : FormatsOf(GraphicClass)) {
    if (!mask.empty()) mask += u';';
    mask += u"*." + f.ext;
  }
  return mask;
}

String GraphicFilter(TGraphicClass GraphicClass) {
  const String mask = GraphicFileMask(GraphicClass);
  String filter = u"All (" + mask + u")|" + mask;
  for (const auto& f : FormatsOf(GraphicClass))
    filter += u"|" + f.description + u" (*." + f.ext + u")|*." + f.ext;
  return filter;
}

String GraphicExtension(TGraphicClass GraphicClass) {
  for (const auto& f : FormatsOf(GraphicClass))
    if (f.cls == GraphicClass) return f.ext;
  return String();
}

TGraphicClass TPicture::FindGraphicClassByExtension(const String& Extension) {
  std::lock_guard g(FormatsLock());
  String ext = NormalizeExt(Extension);
  for (const auto& f : Formats())
    if (f.ext == ext) return f.cls;
  return nullptr;
}

TGraphicClass TPicture::FindGraphicClassByName(const String& ClassName) {
  {
    std::lock_guard g(FormatsLock());
    for (const auto& f : Formats())
      if (f.cls && SameText(f.cls->ClassName(), ClassName)) return f.cls;
  }
  TClass c = GetClass(StringToUtf8(ClassName));
  if (c && c->InheritsFrom(TGraphic::StaticClass())) return c;
  return nullptr;
}

TPicture::TPicture() = default;
TPicture::~TPicture() = default;

void TPicture::Changed(TObject*) {
  if (OnChange) OnChange(this);
}

void TPicture::Adopt(TGraphic* NewGraphic) {
  graphic_.reset(NewGraphic);
  if (graphic_) graphic_->OnChange = TNotifyEvent(this, &TPicture::Changed);
  Changed(this);
}

void TPicture::SetGraphic(TGraphic* Value) {
  TGraphic* ng = nullptr;
  if (Value) {
    ng = NewGraphic(Value->ClassType());
    try {
      ng->Assign(Value);
    } catch (...) {
      delete ng;
      throw;
    }
  }
  Adopt(ng);
}

void TPicture::ForceType(TGraphicClass GraphicClass) {
  if (graphic_ && graphic_->InheritsFrom(GraphicClass)) return;
  Adopt(NewGraphic(GraphicClass));
}

TBitmap* TPicture::Bitmap() {
  ForceType(TBitmap::StaticClass());
  return static_cast<TBitmap*>(graphic_.get());
}

TMetafile* TPicture::Metafile() {
  ForceType(TMetafile::StaticClass());
  return static_cast<TMetafile*>(graphic_.get());
}

TIcon* TPicture::Icon() {
  ForceType(TIcon::StaticClass());
  return static_cast<TIcon*>(graphic_.get());
}

void TPicture::Assign(TPersistent* Source) {
  if (!Source) {
    SetGraphic(nullptr);
  } else if (auto* p = dynamic_cast<TPicture*>(Source)) {
    if (p != this) SetGraphic(p->Graphic());
  } else if (auto* g = dynamic_cast<TGraphic*>(Source)) {
    SetGraphic(g);
  } else {
    inherited::Assign(Source);
  }
}

void TPicture::LoadFromFile(const String& FileName) {
  String ext = ExtractFileExt(FileName);
  TGraphicClass c = FindGraphicClassByExtension(ext);
  if (!c) throw EInvalidGraphic(u"Unknown picture file extension (" + ext + u")");
  std::unique_ptr<TGraphic> g(NewGraphic(c));
  g->LoadFromFile(FileName);
  Adopt(g.release());
}

void TPicture::SaveToFile(const String& FileName) {
  if (graphic_) graphic_->SaveToFile(FileName);
}

void TPicture::LoadFromStream(TStream* Stream) {
  int64_t start = Stream->Position();
  TBytes head = graphics_detail::ReadRest(Stream);
  Stream->SetPosition(start);
  TGraphicClass c = FindGraphicClassByExtension(ExtOfFormat(codecs::DetectFormat(head)));
  if (!c) throw EInvalidGraphic(u"Unsupported image format");
  std::unique_ptr<TGraphic> g(NewGraphic(c));
  g->LoadFromStream(Stream);
  Adopt(g.release());
}

void TPicture::SaveToStream(TStream* Stream) {
  if (graphic_) graphic_->SaveToStream(Stream);
}

void TPicture::ReadData(TStream* Stream) {
  uint8_t len = 0;
  Stream->ReadBuffer(&len, 1);
  TBytes name = Stream->ReadBytes(len);
  String className = DecodeCodePage(std::string_view(reinterpret_cast<const char*>(name.data()), name.size()),
                                    CP_WINDOWS1252);
  TGraphicClass c = FindGraphicClassByName(className);
  TGraphic* ng = nullptr;
  if (c) {
    ng = NewGraphic(c);
    try {
      ng->ReadData(Stream);
    } catch (...) {
      delete ng;
      throw;
    }
  }
  Adopt(ng);
}

void TPicture::WriteData(TStream* Stream) {
  std::string name = graphic_ ? EncodeCodePage(graphic_->ClassName(), CP_WINDOWS1252) : std::string();
  if (name.size() > 255) name.resize(255);
  uint8_t len = static_cast<uint8_t>(name.size());
  Stream->WriteBuffer(&len, 1);
  if (len) Stream->WriteBuffer(name.data(), len);
  if (graphic_) graphic_->WriteData(Stream);
}

void TGraphic::DefineProperties(TFiler* Filer) {
  Filer->DefineBinaryProperty(
      u"Data", [this](TStream* s) { ReadData(s); }, [this](TStream* s) { WriteData(s); }, !Empty());
}

void TPicture::DefineProperties(TFiler* Filer) {
  Filer->DefineBinaryProperty(
      u"Data", [this](TStream* s) { ReadData(s); }, [this](TStream* s) { WriteData(s); },
      graphic_ != nullptr);
}

}  // namespace qd
