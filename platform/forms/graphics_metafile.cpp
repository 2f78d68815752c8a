// TMetafile and TMetafileCanvas: metafile pictures kept as their files' bytes.
#include <cmath>
#include <cstring>

#include "platform/classes/streams.h"
#include "platform/forms/graphics.h"

namespace qd {

QD_IMPLEMENT_CLASS(TMetafile)
QD_IMPLEMENT_CLASS(TMetafileCanvas)

namespace {

int PixelsToMM(int px) {
  return static_cast<int>(std::lround(px * 2540.0 / 96));
}
int MMToPixels(int mm) {
  return static_cast<int>(std::lround(mm * 96.0 / 2540));
}

}  // namespace

TMetafile::~TMetafile() {
  FreeHandle();
}

void TMetafile::FreeHandle() {
  if (handle_) DeleteEnhMetaFile(handle_);
  handle_ = nullptr;
}

void TMetafile::Clear() {
  FreeHandle();
  data_.clear();
  width_ = height_ = 0;
  Changed(this);
}

void TMetafile::Load(TBytes Data, bool Notify) {
  metafile::Info info;
  if (metafile::Examine(Data, info) != metafile::Check::Ok) throw EInvalidGraphic(u"Metafile is not valid");
  FreeHandle();
  data_ = std::move(Data);
  dataEnhanced_ = info.kind == metafile::Kind::Emf;
  enhanced_ = dataEnhanced_;
  width_ = info.width;
  height_ = info.height;
  if (Notify) Changed(this);
}

void TMetafile::Assign(TPersistent* Source) {
  if (Source == this) return;
  if (!Source) {
    Clear();
    return;
  }
  if (auto* m = dynamic_cast<TMetafile*>(Source)) {
    FreeHandle();
    data_ = m->data_;
    dataEnhanced_ = m->dataEnhanced_;
    enhanced_ = m->enhanced_;
    width_ = m->width_;
    height_ = m->height_;
    Changed(this);
    return;
  }
  inherited::Assign(Source);
}

void TMetafile::SetWidth(int Value) {
  if (Value == width_) return;
  width_ = std::max(Value, 0);
  Changed(this);
}

void TMetafile::SetHeight(int Value) {
  if (Value == height_) return;
  height_ = std::max(Value, 0);
  Changed(this);
}

int TMetafile::MMWidth() const {
  return PixelsToMM(width_);
}
int TMetafile::MMHeight() const {
  return PixelsToMM(height_);
}
void TMetafile::SetMMWidth(int Value) {
  SetWidth(MMToPixels(Value));
}
void TMetafile::SetMMHeight(int Value) {
  SetHeight(MMToPixels(Value));
}

HENHMETAFILE TMetafile::Handle() {
  if (!handle_ && !data_.empty()) {
    const auto n = static_cast<UINT>(data_.size());
    handle_ = dataEnhanced_ ? SetEnhMetaFileBits(n, data_.data())
                            : SetWinMetaFileBits(n, data_.data(), nullptr, nullptr);
  }
  return handle_;
}

void TMetafile::SetHandle(HENHMETAFILE Value) {
  if (Value == handle_) return;
  TBytes bytes;
  metafile::Kind kind = metafile::Kind::Emf;
  if (Value && !metafile::BytesOf(Value, bytes, &kind)) throw EInvalidGraphic(u"Metafile is not valid");
  FreeHandle();
  data_.clear();
  width_ = height_ = 0;
  if (Value) {
    metafile::Info info;
    metafile::Examine(bytes, info);
    data_ = std::move(bytes);
    dataEnhanced_ = kind == metafile::Kind::Emf;
    enhanced_ = dataEnhanced_;
    width_ = info.width;
    height_ = info.height;
    handle_ = Value;
  }
  Changed(this);
}

HENHMETAFILE TMetafile::ReleaseHandle() {
  HENHMETAFILE h = Handle();
  handle_ = nullptr;
  return h;
}

void TMetafile::LoadFromStream(TStream* Stream) {
  Load(graphics_detail::ReadRest(Stream), true);
}

void TMetafile::SaveToStream(TStream* Stream) {
  if (data_.empty()) return;
  if (enhanced_ != dataEnhanced_ && !enhanced_)
    throw EInvalidGraphicOperation(u"An enhanced metafile cannot be saved as an old-style one");
  Stream->WriteBuffer(data_.data(), static_cast<int64_t>(data_.size()));
}

void TMetafile::ReadData(TStream* Stream) {
  Load(graphics_detail::ReadSizedData(Stream), true);
}

void TMetafile::WriteData(TStream* Stream) {
  auto size = static_cast<int32_t>(data_.size());
  Stream->WriteBuffer(&size, 4);
  if (size) Stream->WriteBuffer(data_.data(), size);
}

void TMetafile::Draw(TCanvas* ACanvas, const TRect& Rect) {
  if (data_.empty() || !ACanvas) return;
  metafile::Play(ACanvas->Handle(), data_, Rect);
}

// ---- TMetafileCanvas -----------------------------------------------------------------------------

TMetafileCanvas::TMetafileCanvas(TMetafile* AMetafile, HDC ReferenceDevice) : metafile_(AMetafile) {
  const bool sized = AMetafile && AMetafile->Width() > 0 && AMetafile->Height() > 0;
  RECT frame{0, 0, sized ? AMetafile->MMWidth() : 0, sized ? AMetafile->MMHeight() : 0};
  dc_ = CreateEnhMetaFileW(ReferenceDevice, nullptr, sized ? &frame : nullptr, nullptr);
  if (!dc_) throw EInvalidGraphicOperation(u"Cannot create a metafile canvas");
  SetHandle(dc_);
}

TMetafileCanvas::~TMetafileCanvas() {
  try {
    Close();
  } catch (...) {
  }
}

void TMetafileCanvas::Close() {
  if (!dc_) return;
  SetHandle(nullptr);
  HENHMETAFILE picture = CloseEnhMetaFile(dc_);
  dc_ = nullptr;
  if (!metafile_ || !picture) return;
  const int w = metafile_->Width(), h = metafile_->Height();
  metafile_->SetHandle(picture);
  // A size the metafile was given stays its size.
  if (w > 0 && h > 0) {
    metafile_->width_ = w;
    metafile_->height_ = h;
  }
  metafile_->SetEnhanced(true);
}

}  // namespace qd
