#include "platform/forms/imglist.h"

#include <algorithm>
#include <cstring>

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

TCustomImageList::TCustomImageList(TComponent* AOwner) : TComponent(AOwner) {}

TCustomImageList::TCustomImageList(int AWidth, int AHeight) : TComponent(nullptr) {
  width_ = std::max(AWidth, 1);
  height_ = std::max(AHeight, 1);
}

void TCustomImageList::RegisterProperties(TPropertyRegistrar& r) {
  r.Prop("Height", &TCustomImageList::Height, &TCustomImageList::SetHeight).Default(16);
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
  if (Value <= 0 || Value == width_) return;
  width_ = Value;
  Clear();
}

void TCustomImageList::SetHeight(int Value) {
  if (Value <= 0 || Value == height_) return;
  height_ = Value;
  Clear();
}

int TCustomImageList::AddPixels(const std::vector<uint32_t>& px, int W, int H) {
  if (W <= 0 || H <= 0) return -1;
  const int first = Count();
  const int n = std::max(1, W / width_);
  for (int k = 0; k < n; ++k) {
    std::vector<uint32_t> img(static_cast<size_t>(width_) * static_cast<size_t>(height_), 0);
    for (int y = 0; y < std::min(H, height_); ++y)
      for (int x = 0; x < width_ && k * width_ + x < W; ++x)
        img[static_cast<size_t>(y) * width_ + x] = px[static_cast<size_t>(y) * W + k * width_ + x];
    images_.push_back(std::move(img));
  }
  Change();
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
  images_.erase(images_.begin() + Index);
  Change();
}

void TCustomImageList::Clear() {
  if (images_.empty()) return;
  images_.clear();
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

void TCustomImageList::Draw(TCanvas* Canvas, int X, int Y, int Index, bool Enabled) {
  if (Index < 0 || Index >= Count() || !Canvas) return;
  const auto& px = images_[static_cast<size_t>(Index)];
  if (Enabled) {
    graphics_detail::DrawPixels(Canvas->Handle(), Bounds(X, Y, width_, height_), width_, height_, px.data());
    return;
  }
  std::vector<uint32_t> grey(px.size());
  for (size_t i = 0; i < px.size(); ++i) {
    const uint32_t c = px[i];
    const uint32_t l = (((c >> 16) & 0xFF) * 30 + ((c >> 8) & 0xFF) * 59 + (c & 0xFF) * 11) / 100;
    grey[i] = ((c >> 24) / 2 << 24) | (l << 16) | (l << 8) | l;
  }
  graphics_detail::DrawPixels(Canvas->Handle(), Bounds(X, Y, width_, height_), width_, height_, grey.data());
}

}  // namespace qd
