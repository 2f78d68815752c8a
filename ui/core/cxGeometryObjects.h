#pragma once
// The streamed geometry objects: a rectangle, a size and margins owned by a persistent
// object, announcing their changes.
#include <cstdint>

#include "platform/base/geometry.h"
#include "platform/classes/streams.h"
#include "ui/core/cxClasses.h"

namespace qd {

class TcxGeometryObject : public TcxOwnedPersistent {
  QD_CLASS(TcxGeometryObject, TcxOwnedPersistent)

 public:
  using TcxOwnedPersistent::TcxOwnedPersistent;

  virtual void ChangeScale(int32_t M, int32_t D) {}
  virtual void LoadFromStream(TStream* AStream) {}
  virtual void SaveToStream(TStream* AStream) {}

  const TNotifyEvent& OnChange() const { return FOnChange; }
  void SetOnChange(const TNotifyEvent& AValue) { FOnChange = AValue; }

 protected:
  // Calls OnChange with the object as sender.
  virtual void DoChange();

 private:
  TNotifyEvent FOnChange;
};

// A rectangle; stored as 16 bytes: Left, Top, Right, Bottom (int32, little-endian).
class TcxRect : public TcxGeometryObject {
  QD_CLASS(TcxRect, TcxGeometryObject)

 public:
  using TcxGeometryObject::TcxGeometryObject;

  void ChangeScale(int32_t M, int32_t D) override;
  void LoadFromStream(TStream* AStream) override;
  void SaveToStream(TStream* AStream) override;

  bool IsEmpty() const;
  bool IsEqual(const TRect& ARect) const { return FRect == ARect; }
  bool IsEqual(const TcxRect* ARect) const { return ARect && FRect == ARect->FRect; }

  // Left, Top, Right, Bottom for 0 to 3.
  int32_t GetValue(int32_t AIndex) const;
  void SetValue(int32_t AIndex, int32_t AValue);
  int32_t Left() const { return FRect.Left; }
  int32_t Top() const { return FRect.Top; }
  int32_t Right() const { return FRect.Right; }
  int32_t Bottom() const { return FRect.Bottom; }
  void SetLeft(int32_t AValue) { SetValue(0, AValue); }
  void SetTop(int32_t AValue) { SetValue(1, AValue); }
  void SetRight(int32_t AValue) { SetValue(2, AValue); }
  void SetBottom(int32_t AValue) { SetValue(3, AValue); }
  int32_t Width() const;
  int32_t Height() const;
  // Right = Left + value; Bottom = Top + value.
  void SetWidth(int32_t AValue);
  void SetHeight(int32_t AValue);
  const TRect& Rect() const { return FRect; }
  // Validated, stored and announced when it differs.
  void SetRect(const TRect& ARect);
  // 0 (Left, Top), 1 (Right, Top), 2 (Left, Bottom), 3 (Right, Bottom).
  TPoint Vertex(int32_t AIndex) const;
  void SetVertex(int32_t AIndex, const TPoint& AValue);

 protected:
  void DoAssign(TPersistent* Source) override;
  // Lets a descendant correct a rectangle before it is stored.
  virtual void ValidateRect(TRect& R) {}

 private:
  TRect FRect;
};

// A size; stored as 8 bytes: width then height (int32, little-endian).
class TcxSize : public TcxGeometryObject {
  QD_CLASS(TcxSize, TcxGeometryObject)

 public:
  explicit TcxSize(TPersistent* AOwner, int32_t ADefaultWidth = 0, int32_t ADefaultHeight = 0);

  void ChangeScale(int32_t M, int32_t D) override;
  void LoadFromStream(TStream* AStream) override;
  void SaveToStream(TStream* AStream) override;

  bool IsEmpty() const { return FSize.cx == 0 && FSize.cy == 0; }
  bool IsEqual(const TSize& ASize) const { return FSize == ASize; }
  bool IsEqual(const TcxSize* ASize) const { return ASize && FSize == ASize->FSize; }

  // 1 gives the width, any other index the height.
  virtual int32_t GetValue(int32_t AIndex) const;
  // Stored only when it differs from the default (1: width, 0: height).
  virtual bool IsSizeStored(int32_t AIndex) const;
  // Each component clamped to at least 0; announced when it differs.
  virtual void SetSize(const TSize& AValue);

  int32_t Width() const { return GetValue(1); }
  int32_t Height() const { return GetValue(0); }
  void SetWidth(int32_t AValue);
  void SetHeight(int32_t AValue);
  TSize Size() const { return FSize; }
  TSize GetSize() const { return FSize; }
  TSize DefaultSize() const { return FDefaultSize; }

 protected:
  void DoAssign(TPersistent* Source) override;

 private:
  TSize FDefaultSize;
  TSize FSize;
};

// The thicknesses of four sides; stored as 16 bytes: Left, Top, Right, Bottom.
class TcxMargin : public TcxGeometryObject {
  QD_CLASS(TcxMargin, TcxGeometryObject)

 public:
  explicit TcxMargin(TPersistent* AOwner, int32_t ADefaultValue = 0);

  // Scales the sides without announcing a change.
  void ChangeScale(int32_t M, int32_t D) override;
  void LoadFromStream(TStream* AStream) override;
  void SaveToStream(TStream* AStream) override;

  bool IsEqual(const TcxMargin* AMargin) const { return AMargin && FMargin == AMargin->FMargin; }

  // The common value of the four sides, -1 when they differ.
  int32_t All() const;
  int32_t Left() const { return FMargin.Left; }
  int32_t Top() const { return FMargin.Top; }
  int32_t Right() const { return FMargin.Right; }
  int32_t Bottom() const { return FMargin.Bottom; }
  // 0: All, 1 to 4: Left, Top, Right, Bottom. Writing what the property reads does nothing.
  int32_t GetValue(int32_t AIndex) const;
  void SetValue(int32_t AIndex, int32_t AValue);
  void SetAll(int32_t AValue) { SetValue(0, AValue); }
  void SetLeft(int32_t AValue) { SetValue(1, AValue); }
  void SetTop(int32_t AValue) { SetValue(2, AValue); }
  void SetRight(int32_t AValue) { SetValue(3, AValue); }
  void SetBottom(int32_t AValue) { SetValue(4, AValue); }
  // All is stored when it differs from the default; a side only while the sides differ.
  bool IsMarginStored(int32_t AIndex) const;
  const TRect& Margin() const { return FMargin; }
  void SetMargin(const TRect& AValue);
  int32_t DefaultValue() const { return FDefaultValue; }

 protected:
  void DoAssign(TPersistent* Source) override;

 private:
  int32_t FDefaultValue;
  TRect FMargin;
};

namespace cxGeometry {
// Registers TcxRect with the platform's class registry; Finalize removes it.
void Initialize();
void Finalize();
}  // namespace cxGeometry

}  // namespace qd
