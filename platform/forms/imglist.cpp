#include "platform/forms/imglist.h"

#include <algorithm>
#include <cstring>

#include "platform/classes/filer.h"
#include "platform/classes/rtti.h"
#include "platform/classes/streams.h"

namespace qd {

QD_IMPLEMENT_CLASS(TCustomImageList)
QD_IMPLEMENT_CLASS(TImageList)
QD_IMPLEMENT_CLASS(TChangeLink)

namespace {

// The pixels of a bitmap as 32-bit top-down values (alpha as stored).
std::vector<uint32_t> BitmapPixels(TBitmap* b) {
  std::vector<uint32_t> px(static_cast<size_t>(b->Width()) * static_cast<size_t>(b->Height()));
  if (px.empty()) return px;
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  bi.bmiHeader.biWidth = b->Width();
  bi.bmiHeader.biHeight = -b->Height();
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  HDC dc = CreateCompatibleDC(nullptr);
  GetDIBits(dc, b->Handle(), 0, static_cast<UINT>(b->Height()), px.data(), &bi, DIB_RGB_COLORS);
  DeleteDC(dc);
  return px;
}

}  // namespace

const TTypeInfo* ColorDepthTypeInfo() {
  static const TTypeInfo info = MakeEnumTypeInfo(
      u"TColorDepth", {u"cdDeviceDependent", u"cd4Bit", u"cd8Bit", u"cd16Bit", u"cd24Bit", u"cd32Bit"});
  return &info;
}

const TTypeInfo* DrawingStyleTypeInfo() {
  static const TTypeInfo info =
      MakeEnumTypeInfo(u"TDrawingStyle", {u"dsFocus", u"dsSelected", u"dsNormal", u"dsTransparent"});
  return &info;
}

const TTypeInfo* ImageTypeTypeInfo() {
  static const TTypeInfo info = MakeEnumTypeInfo(u"TImageType", {u"itImage", u"itMask"});
  return &info;
}

TCustomImageList::TCustomImageList(TComponent* AOwner) : TComponent(AOwner) {}

TCustomImageList::TCustomImageList(int AWidth, int AHeight) : TComponent(nullptr) {
  width_ = std::max(AWidth, 1);
  height_ = std::max(AHeight, 1);
}

void TCustomImageList::RegisterProperties(TPropertyRegistrar& r) {
  r.Prop("AllocBy", &TCustomImageList::AllocBy, &TCustomImageList::SetAllocBy).Default(4);
  r.Prop("BlendColor", &TCustomImageList::BlendColor, &TCustomImageList::SetBlendColor).Default(clNone);
  r.Prop("BkColor", &TCustomImageList::BkColor, &TCustomImageList::SetBkColor).Default(clNone);
  r.Prop("ColorDepth", &TCustomImageList::ColorDepth, &TCustomImageList::SetColorDepth, ColorDepthTypeInfo())
      .Default(cd24Bit);
  r.Prop("DrawingStyle", &TCustomImageList::DrawingStyle, &TCustomImageList::SetDrawingStyle,
         DrawingStyleTypeInfo())
      .Default(dsNormal);
  r.Prop("Height", &TCustomImageList::Height, &TCustomImageList::SetHeight).Default(16);
  r.Prop("ImageType", &TCustomImageList::ImageType, &TCustomImageList::SetImageType, ImageTypeTypeInfo())
      .Default(itImage);
  r.Prop("ShareImages", &TCustomImageList::ShareImages, &TCustomImageList::SetShareImages).Default(false);
  r.Prop("Width", &TCustomImageList::Width, &TCustomImageList::SetWidth).Default(16);
  r.Event("OnChange", &TCustomImageList::OnChange);
}

TCustomImageList::~TCustomImageList() {
  for (TChangeLink* link : changeLinks_) link->SetSender(nullptr);
}

void TCustomImageList::Change() {
  if (OnChange) OnChange(this);
  // A link may unregister itself while it is told.
  const std::vector<TChangeLink*> links = changeLinks_;
  for (TChangeLink* link : links)
    if (std::find(changeLinks_.begin(), changeLinks_.end(), link) != changeLinks_.end()) link->Change();
}

void TCustomImageList::RegisterChanges(TChangeLink* Value) {
  if (!Value || std::find(changeLinks_.begin(), changeLinks_.end(), Value) != changeLinks_.end()) return;
  if (Value->Sender() && Value->Sender() != this) Value->Sender()->UnRegisterChanges(Value);
  Value->SetSender(this);
  changeLinks_.push_back(Value);
}

void TCustomImageList::UnRegisterChanges(TChangeLink* Value) {
  auto it = std::find(changeLinks_.begin(), changeLinks_.end(), Value);
  if (it == changeLinks_.end()) return;
  changeLinks_.erase(it);
  Value->SetSender(nullptr);
}

TChangeLink::~TChangeLink() {
  if (sender_) sender_->UnRegisterChanges(this);
}

void TChangeLink::Change() {
  if (OnChange) OnChange(this);
}

void TCustomImageList::SetWidth(int Value) {
  SetSize(Value, height_);
}

void TCustomImageList::SetHeight(int Value) {
  SetSize(width_, Value);
}

void TCustomImageList::SetSize(int AWidth, int AHeight) {
  if (AWidth <= 0 || AHeight <= 0 || (AWidth == width_ && AHeight == height_)) return;
  width_ = AWidth;
  height_ = AHeight;
  Clear();
}

void TCustomImageList::SetBkColor(TColor Value) {
  if (Value == bkColor_) return;
  bkColor_ = Value;
  Change();
}

void TCustomImageList::SetBlendColor(TColor Value) {
  if (Value == blendColor_) return;
  blendColor_ = Value;
  Change();
}

void TCustomImageList::SetColorDepth(TColorDepth Value) {
  if (Value == colorDepth_) return;
  colorDepth_ = Value;
  Change();
}

void TCustomImageList::SetDrawingStyle(TDrawingStyle Value) {
  if (Value == drawingStyle_) return;
  drawingStyle_ = Value;
  Change();
}

void TCustomImageList::SetImageType(TImageType Value) {
  if (Value == imageType_) return;
  imageType_ = Value;
  Change();
}

void TCustomImageList::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TCustomImageList*>(Source);
  if (!source) return TComponent::Assign(Source);
  if (source == this) return;
  width_ = source->width_;
  height_ = source->height_;
  allocBy_ = source->allocBy_;
  bkColor_ = source->bkColor_;
  blendColor_ = source->blendColor_;
  colorDepth_ = source->colorDepth_;
  drawingStyle_ = source->drawingStyle_;
  imageType_ = source->imageType_;
  shareImages_ = source->shareImages_;
  std::copy(std::begin(source->overlays_), std::end(source->overlays_), std::begin(overlays_));
  images_ = source->images_;
  Change();
}

void TCustomImageList::DefineProperties(TFiler* Filer) {
  TComponent::DefineProperties(Filer);
  Filer->DefineBinaryProperty(
      u"Bitmap", [this](TStream* s) { ReadCells(s); }, [this](TStream* s) { WriteCells(s); }, Count() > 0);
}

int TCustomImageList::AddCells(const uint32_t* Pixels, int W, int H) {
  // Cells beyond 16M pixels are refused, as a system list fails to create them.
  if (!Pixels || W <= 0 || H <= 0 || int64_t{width_} * height_ > (int64_t{1} << 24)) return -1;
  const int first = Count();
  const int n = std::max(1, W / width_);
  for (int k = 0; k < n; ++k) {
    std::vector<uint32_t> img(static_cast<size_t>(width_) * static_cast<size_t>(height_), 0);
    for (int y = 0; y < std::min(H, height_); ++y)
      for (int x = 0; x < width_ && k * width_ + x < W; ++x)
        img[static_cast<size_t>(y) * width_ + x] =
            Pixels[static_cast<size_t>(y) * static_cast<size_t>(W) + static_cast<size_t>(k * width_ + x)];
    images_.push_back(std::move(img));
  }
  return first;
}

void TCustomImageList::DeleteCells(int Index) {
  if (Index == -1) {
    images_.clear();
    std::fill(std::begin(overlays_), std::end(overlays_), -1);
    return;
  }
  if (Index < 0 || Index >= Count()) RaiseListIndexError(Index);
  images_.erase(images_.begin() + Index);
  for (int& o : overlays_)
    if (o == Index)
      o = -1;
    else if (o > Index)
      --o;
}

void TCustomImageList::SwapCells(int Index1, int Index2) {
  if (Index1 < 0 || Index1 >= Count()) RaiseListIndexError(Index1);
  if (Index2 < 0 || Index2 >= Count()) RaiseListIndexError(Index2);
  std::swap(images_[static_cast<size_t>(Index1)], images_[static_cast<size_t>(Index2)]);
}

namespace {

constexpr char kImageListSignature[4] = {'Q', 'D', 'I', 'L'};
constexpr uint16_t kImageListStreamVersion = 1;

[[noreturn]] void ImageListReadError() {
  throw EReadError(u"Failed to read ImageList data from stream");
}

}  // namespace

void TCustomImageList::WriteCells(TStream* Stream) const {
  Stream->WriteBuffer(kImageListSignature, 4);
  const uint16_t version = kImageListStreamVersion;
  Stream->WriteBuffer(&version, 2);
  const int32_t header[3] = {width_, height_, Count()};
  Stream->WriteBuffer(header, sizeof(header));
  for (const auto& img : images_)
    if (!img.empty()) Stream->WriteBuffer(img.data(), static_cast<int64_t>(img.size() * sizeof(uint32_t)));
}

void TCustomImageList::ReadCells(TStream* Stream) {
  char signature[4];
  uint16_t version = 0;
  int32_t header[3] = {};
  if (Stream->Read(signature, 4) != 4 || std::memcmp(signature, kImageListSignature, 4) != 0 ||
      Stream->Read(&version, 2) != 2 || version != kImageListStreamVersion ||
      Stream->Read(header, sizeof(header)) != static_cast<int64_t>(sizeof(header)))
    ImageListReadError();
  const int32_t w = header[0], h = header[1], count = header[2];
  if (w <= 0 || h <= 0 || count < 0) ImageListReadError();
  // Checked against what the stream still holds before anything is allocated.
  const uint64_t cellBytes = uint64_t{static_cast<uint32_t>(w)} * static_cast<uint32_t>(h) * sizeof(uint32_t);
  const int64_t remaining = Stream->Size() - Stream->Position();
  if (remaining < 0 || cellBytes > static_cast<uint64_t>(remaining) ||
      (count > 0 && static_cast<uint64_t>(count) > static_cast<uint64_t>(remaining) / cellBytes))
    ImageListReadError();
  std::vector<std::vector<uint32_t>> images(static_cast<size_t>(count));
  for (auto& img : images) {
    img.resize(cellBytes / sizeof(uint32_t));
    if (Stream->Read(img.data(), static_cast<int64_t>(cellBytes)) != static_cast<int64_t>(cellBytes))
      ImageListReadError();
  }
  width_ = w;
  height_ = h;
  images_ = std::move(images);
  std::fill(std::begin(overlays_), std::end(overlays_), -1);
  Change();
}

int TCustomImageList::AddPixels(const std::vector<uint32_t>& px, int W, int H) {
  const int first = AddCells(px.data(), W, H);
  if (first >= 0) Change();
  return first;
}

int TCustomImageList::Add(TBitmap* Image, TBitmap* Mask) {
  if (!Image || Image->Empty()) return -1;
  std::vector<uint32_t> px = BitmapPixels(Image);
  const bool alpha = Image->PixelFormat() == pf32bit && Image->AlphaFormat() != afIgnored;
  if (alpha && Image->AlphaFormat() == afPremultiplied) {
    for (auto& c : px) {
      const uint32_t a = c >> 24;
      if (a == 0 || a == 255) continue;
      auto un = [a](uint32_t v) { return std::min<uint32_t>(255, v * 255 / a); };
      c = (a << 24) | (un((c >> 16) & 0xFF) << 16) | (un((c >> 8) & 0xFF) << 8) | un(c & 0xFF);
    }
  } else if (!alpha) {
    for (auto& c : px) c |= 0xFF000000u;
  }
  if (Mask && !Mask->Empty()) {
    std::vector<uint32_t> m = BitmapPixels(Mask);
    for (int y = 0; y < std::min(Image->Height(), Mask->Height()); ++y)
      for (int x = 0; x < std::min(Image->Width(), Mask->Width()); ++x)
        if ((m[static_cast<size_t>(y) * Mask->Width() + x] & 0xFFFFFF) != 0)
          px[static_cast<size_t>(y) * Image->Width() + x] = 0;
  }
  return AddPixels(px, Image->Width(), Image->Height());
}

int TCustomImageList::AddMasked(TBitmap* Image, TColor MaskColor) {
  if (!Image || Image->Empty()) return -1;
  std::vector<uint32_t> px = BitmapPixels(Image);
  const COLORREF key = ColorToRGB(MaskColor == clDefault ? Image->TransparentColor() : MaskColor);
  const uint32_t keyArgb = (GetRValue(key) << 16) | (GetGValue(key) << 8) | GetBValue(key);
  for (auto& c : px) c = (c & 0xFFFFFF) == keyArgb ? 0 : (c | 0xFF000000u);
  return AddPixels(px, Image->Width(), Image->Height());
}

int TCustomImageList::AddGraphic(TGraphic* Graphic) {
  if (!Graphic || Graphic->Empty()) return -1;
  TBitmap b;
  b.Assign(Graphic);
  return Add(&b);
}

void TCustomImageList::Delete(int Index) {
  if (Index < 0 || Index >= Count()) RaiseListIndexError(Index);
  DeleteCells(Index);
  Change();
}

void TCustomImageList::Clear() {
  if (images_.empty()) return;
  DeleteCells(-1);
  Change();
}

const std::vector<uint32_t>& TCustomImageList::Pixels(int Index) const {
  if (Index < 0 || Index >= Count()) RaiseListIndexError(Index);
  return images_[static_cast<size_t>(Index)];
}

void TCustomImageList::GetBitmap(int Index, TBitmap* Image) {
  const auto& px = Pixels(Index);
  Image->LoadFromPixels(width_, height_, px.data());
  Image->SetAlphaFormat(afDefined);
}

void TCustomImageList::GetMaskBitmap(int Index, TBitmap* Mask) {
  const auto& px = Pixels(Index);
  std::vector<uint32_t> m(px.size());
  for (size_t i = 0; i < px.size(); ++i) m[i] = (px[i] >> 24) == 0 ? 0xFFFFFFFFu : 0xFF000000u;
  Mask->LoadFromPixels(width_, height_, m.data());
  Mask->SetPixelFormat(pf1bit);
}

bool TCustomImageList::Overlay(int ImageIndex, int Overlay) {
  if (ImageIndex < 0 || ImageIndex >= Count() || Overlay < 0 || Overlay > 14) return false;
  overlays_[Overlay] = ImageIndex;
  return true;
}

void TCustomImageList::Draw(TCanvas* Canvas, int X, int Y, int Index, bool Enabled) {
  Draw(Canvas, X, Y, Index, drawingStyle_, imageType_, Enabled);
}

void TCustomImageList::Draw(TCanvas* Canvas, int X, int Y, int Index, TDrawingStyle ADrawingStyle,
                            TImageType AImageType, bool Enabled) {
  static constexpr uint32_t styles[] = {ILD_FOCUS, ILD_SELECTED, ILD_NORMAL, ILD_TRANSPARENT};
  DoDraw(Index, Canvas, X, Y, styles[ADrawingStyle] | (AImageType == itMask ? ILD_MASK : 0), Enabled);
}

void TCustomImageList::DoDraw(int Index, TCanvas* Canvas, int X, int Y, uint32_t Style, bool Enabled) {
  if (Index < 0 || Index >= Count() || !Canvas) return;
  const TRect r = Bounds(X, Y, width_, height_);
  std::vector<uint32_t> px = images_[static_cast<size_t>(Index)];
  if (Style & ILD_MASK) {
    for (auto& c : px) c = (c >> 24) == 0 ? 0xFFFFFFFFu : 0xFF000000u;
  } else {
    if (bkColor_ != clNone && !(Style & ILD_TRANSPARENT)) {
      const COLORREF bk = ColorToRGB(bkColor_);
      const uint32_t b = (GetRValue(bk) << 16) | (GetGValue(bk) << 8) | GetBValue(bk);
      std::vector<uint32_t> back(px.size(), 0xFF000000u | b);
      graphics_detail::DrawPixels(Canvas->Handle(), r, width_, height_, back.data());
    }
    // Focused and selected cells are blended with the blend colour (25 and 50 per cent).
    const int percent = (Style & ILD_SELECTED) ? 50 : (Style & ILD_FOCUS) ? 25 : 0;
    if (percent && blendColor_ != clNone) {
      const COLORREF bc = ColorToRGB(blendColor_ == clDefault ? clHighlight : blendColor_);
      const uint32_t blend[3] = {GetBValue(bc), GetGValue(bc), GetRValue(bc)};
      for (auto& c : px)
        for (int ch = 0; ch < 3; ++ch) {
          const uint32_t v = (c >> (ch * 8)) & 0xFF;
          const uint32_t mixed = (v * (100 - percent) + blend[ch] * percent) / 100;
          c = (c & ~(0xFFu << (ch * 8))) | (mixed << (ch * 8));
        }
    }
    if (!Enabled)
      for (auto& c : px) {
        const uint32_t l = (((c >> 16) & 0xFF) * 30 + ((c >> 8) & 0xFF) * 59 + (c & 0xFF) * 11) / 100;
        c = ((c >> 24) / 2 << 24) | (l << 16) | (l << 8) | l;
      }
  }
  graphics_detail::DrawPixels(Canvas->Handle(), r, width_, height_, px.data());
  const uint32_t overlay = (Style & ILD_OVERLAYMASK) >> 8;
  if (overlay > 0 && overlays_[overlay - 1] >= 0)
    DoDraw(overlays_[overlay - 1], Canvas, X, Y, (Style & ~ILD_OVERLAYMASK) | ILD_TRANSPARENT, Enabled);
}

}  // namespace qd
