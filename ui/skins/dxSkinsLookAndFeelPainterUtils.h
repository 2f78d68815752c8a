#pragma once
// Small helpers shared by the skin painter's source files.
#include "ui/graphics/cxGraphicsCanvas.h"
#include "ui/skins/dxSkinsCore.h"

namespace qd {

// The object's property of that name; nullptr without the object or the property.
inline TdxSkinProperty* SkinPainterProperty(TdxSkinPersistent* AObject, const String& AName) {
  return AObject ? AObject->GetPropertyByName(AName) : nullptr;
}

// The object's colour property of that name. A property of another class under that name counts
// as missing, so that a badly made skin falls back instead of failing on every paint.
inline TdxSkinColor* SkinPainterColorProperty(TdxSkinPersistent* AObject, const String& AName) {
  return dynamic_cast<TdxSkinColor*>(SkinPainterProperty(AObject, AName));
}

// Narrows the canvas's clip region to a rectangle for the scope's lifetime.
class SkinPainterClipScope {
 public:
  SkinPainterClipScope(TcxCanvas* ACanvas, const TRect& R) : FCanvas(ACanvas) {
    FCanvas->SaveClipRegion();
    FCanvas->IntersectClipRect(R);
  }
  ~SkinPainterClipScope() { FCanvas->RestoreClipRegion(); }
  SkinPainterClipScope(const SkinPainterClipScope&) = delete;
  SkinPainterClipScope& operator=(const SkinPainterClipScope&) = delete;

 private:
  TcxCanvas* FCanvas;
};

}  // namespace qd
