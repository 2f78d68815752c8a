#include "ui/core/cxGeometryObjects.h"

#include <algorithm>

#include "platform/base/mathutil.h"
#include "ui/core/cxGeometry.h"

namespace qd {

QD_IMPLEMENT_CLASS(TcxGeometryObject)
QD_IMPLEMENT_CLASS(TcxRect)
QD_IMPLEMENT_CLASS(TcxSize)
QD_IMPLEMENT_CLASS(TcxMargin)

namespace {

void ReadInts(TStream* AStream, int32_t* AValues, int ACount) {
  uint8_t bytes[16];
  AStream->ReadBuffer(bytes, 4 * ACount);
  for (int i = 0; i < ACount; ++i)
    AValues[i] = static_cast<int32_t>(
        static_cast<uint32_t>(bytes[4 * i]) | (static_cast<uint32_t>(bytes[4 * i + 1]) << 8) |
        (static_cast<uint32_t>(bytes[4 * i + 2]) << 16) | (static_cast<uint32_t>(bytes[4 * i + 3]) << 24));
}

void WriteInts(TStream* AStream, const int32_t* AValues, int ACount) {
  uint8_t bytes[16];
  for (int i = 0; i < ACount; ++i) {
    const uint32_t v = static_cast<uint32_t>(AValues[i]);
    bytes[4 * i] = static_cast<uint8_t>(v);
    bytes[4 * i + 1] = static_cast<uint8_t>(v >> 8);
    bytes[4 * i + 2] = static_cast<uint8_t>(v >> 16);
    bytes[4 * i + 3] = static_cast<uint8_t>(v >> 24);
  }
  AStream->WriteBuffer(bytes, 4 * ACount);
}

}  // namespace

void TcxGeometryObject::DoChange() {
  if (FOnChange) FOnChange(this);
}

// --- TcxRect ------------------------------------------------------------------------------

void TcxRect::DoAssign(TPersistent* Source) {
  if (auto* r = dynamic_cast<TcxRect*>(Source)) SetRect(r->FRect);
}

void TcxRect::ChangeScale(int32_t M, int32_t D) {
  SetRect(cxRectScale(FRect, M, D, M, D));
}

void TcxRect::LoadFromStream(TStream* AStream) {
  int32_t v[4];
  ReadInts(AStream, v, 4);
  SetRect({v[0], v[1], v[2], v[3]});
}

void TcxRect::SaveToStream(TStream* AStream) {
  const int32_t v[4] = {FRect.Left, FRect.Top, FRect.Right, FRect.Bottom};
  WriteInts(AStream, v, 4);
}

bool TcxRect::IsEmpty() const {
  return cxRectIsEmpty(FRect);
}

int32_t TcxRect::GetValue(int32_t AIndex) const {
  switch (AIndex) {
    case 0:
      return FRect.Left;
    case 1:
      return FRect.Top;
    case 2:
      return FRect.Right;
    default:
      return FRect.Bottom;
  }
}

void TcxRect::SetValue(int32_t AIndex, int32_t AValue) {
  TRect r = FRect;
  switch (AIndex) {
    case 0:
      r.Left = AValue;
      break;
    case 1:
      r.Top = AValue;
      break;
    case 2:
      r.Right = AValue;
      break;
    default:
      r.Bottom = AValue;
      break;
  }
  SetRect(r);
}

int32_t TcxRect::Width() const {
  return cxRectWidth(FRect);
}
int32_t TcxRect::Height() const {
  return cxRectHeight(FRect);
}

void TcxRect::SetWidth(int32_t AValue) {
  SetRect(cxRectSetWidth(FRect, AValue));
}
void TcxRect::SetHeight(int32_t AValue) {
  SetRect(cxRectSetHeight(FRect, AValue));
}

void TcxRect::SetRect(const TRect& ARect) {
  TRect r = ARect;
  ValidateRect(r);
  if (r == FRect) return;
  FRect = r;
  DoChange();
}

TPoint TcxRect::Vertex(int32_t AIndex) const {
  switch (AIndex) {
    case 0:
      return {FRect.Left, FRect.Top};
    case 1:
      return {FRect.Right, FRect.Top};
    case 2:
      return {FRect.Left, FRect.Bottom};
    case 3:
      return {FRect.Right, FRect.Bottom};
    default:
      return cxNullPoint;
  }
}

void TcxRect::SetVertex(int32_t AIndex, const TPoint& AValue) {
  TRect r = FRect;
  switch (AIndex) {
    case 0:
      r.Left = AValue.X, r.Top = AValue.Y;
      break;
    case 1:
      r.Right = AValue.X, r.Top = AValue.Y;
      break;
    case 2:
      r.Left = AValue.X, r.Bottom = AValue.Y;
      break;
    case 3:
      r.Right = AValue.X, r.Bottom = AValue.Y;
      break;
    default:
      break;
  }
  SetRect(r);
}

// --- TcxSize ------------------------------------------------------------------------------

TcxSize::TcxSize(TPersistent* AOwner, int32_t ADefaultWidth, int32_t ADefaultHeight)
    : TcxGeometryObject(AOwner),
      FDefaultSize{ADefaultWidth, ADefaultHeight},
      FSize{ADefaultWidth, ADefaultHeight} {}

void TcxSize::DoAssign(TPersistent* Source) {
  if (auto* s = dynamic_cast<TcxSize*>(Source)) SetSize(s->FSize);
}

void TcxSize::ChangeScale(int32_t M, int32_t D) {
  SetSize({MulDiv(FSize.cx, M, D), MulDiv(FSize.cy, M, D)});
}

void TcxSize::LoadFromStream(TStream* AStream) {
  int32_t v[2];
  ReadInts(AStream, v, 2);
  SetSize({v[0], v[1]});
}

void TcxSize::SaveToStream(TStream* AStream) {
  const int32_t v[2] = {FSize.cx, FSize.cy};
  WriteInts(AStream, v, 2);
}

int32_t TcxSize::GetValue(int32_t AIndex) const {
  return AIndex == 1 ? FSize.cx : FSize.cy;
}

bool TcxSize::IsSizeStored(int32_t AIndex) const {
  return AIndex == 1 ? FSize.cx != FDefaultSize.cx : FSize.cy != FDefaultSize.cy;
}

void TcxSize::SetSize(const TSize& AValue) {
  const TSize s{std::max(AValue.cx, 0), std::max(AValue.cy, 0)};
  if (s == FSize) return;
  FSize = s;
  DoChange();
}

void TcxSize::SetWidth(int32_t AValue) {
  SetSize({AValue, GetValue(0)});
}
void TcxSize::SetHeight(int32_t AValue) {
  SetSize({GetValue(1), AValue});
}

// --- TcxMargin ----------------------------------------------------------------------------

TcxMargin::TcxMargin(TPersistent* AOwner, int32_t ADefaultValue)
    : TcxGeometryObject(AOwner),
      FDefaultValue(ADefaultValue),
      FMargin{ADefaultValue, ADefaultValue, ADefaultValue, ADefaultValue} {}

void TcxMargin::DoAssign(TPersistent* Source) {
  if (auto* m = dynamic_cast<TcxMargin*>(Source)) SetMargin(m->FMargin);
}

void TcxMargin::ChangeScale(int32_t M, int32_t D) {
  FMargin = {MulDiv(FMargin.Left, M, D), MulDiv(FMargin.Top, M, D), MulDiv(FMargin.Right, M, D),
             MulDiv(FMargin.Bottom, M, D)};
}

void TcxMargin::LoadFromStream(TStream* AStream) {
  int32_t v[4];
  ReadInts(AStream, v, 4);
  SetMargin({v[0], v[1], v[2], v[3]});
}

void TcxMargin::SaveToStream(TStream* AStream) {
  const int32_t v[4] = {FMargin.Left, FMargin.Top, FMargin.Right, FMargin.Bottom};
  WriteInts(AStream, v, 4);
}

int32_t TcxMargin::All() const {
  const TRect& m = FMargin;
  return m.Left == m.Top && m.Top == m.Right && m.Right == m.Bottom ? m.Left : -1;
}

int32_t TcxMargin::GetValue(int32_t AIndex) const {
  switch (AIndex) {
    case 0:
      return All();
    case 1:
      return FMargin.Left;
    case 2:
      return FMargin.Top;
    case 3:
      return FMargin.Right;
    default:
      return FMargin.Bottom;
  }
}

void TcxMargin::SetValue(int32_t AIndex, int32_t AValue) {
  if (GetValue(AIndex) == AValue) return;
  switch (AIndex) {
    case 0:
      FMargin = {AValue, AValue, AValue, AValue};
      break;
    case 1:
      FMargin.Left = AValue;
      break;
    case 2:
      FMargin.Top = AValue;
      break;
    case 3:
      FMargin.Right = AValue;
      break;
    default:
      FMargin.Bottom = AValue;
      break;
  }
  DoChange();
}

bool TcxMargin::IsMarginStored(int32_t AIndex) const {
  return AIndex == 0 ? All() != FDefaultValue : All() == -1;
}

void TcxMargin::SetMargin(const TRect& AValue) {
  if (AValue == FMargin) return;
  FMargin = AValue;
  DoChange();
}

namespace cxGeometry {

void Initialize() {
  RegisterClass(TcxRect::StaticClass());
}

void Finalize() {
  UnRegisterClass(TcxRect::StaticClass());
}

}  // namespace cxGeometry

}  // namespace qd
