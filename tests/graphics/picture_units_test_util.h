#pragma once
// The picture units a drawing fixture starts and stops: GDI+ bound and started, its classes and
// canvas, smart images and GDI+ images.
#include "platform/gdiplus/gdiplus.h"
#include "ui/graphics/dxGDIPlusAPI.h"
#include "ui/graphics/dxGDIPlusCanvas.h"
#include "ui/graphics/dxGDIPlusClasses.h"
#include "ui/graphics/dxGDIPlusImage.h"
#include "ui/graphics/dxSmartImage.h"

namespace qd::testing {

// False when GDI+ could not be started (the caller asserts it).
inline bool InitializePictureUnits() {
  gdiplus::RegisterModule();
  if (!CheckGdiPlus(false)) return false;
  dxGDIPlusClasses::Initialize();
  dxGDIPlusCanvas::Initialize();
  dxSmartImage::Initialize();
  dxGDIPlusImage::Initialize();
  return true;
}

// In the reverse order; controls that draw with these units must be gone.
inline void FinalizePictureUnits() {
  dxGDIPlusImage::Finalize();
  dxSmartImage::Finalize();
  dxGDIPlusCanvas::Finalize();
  dxGDIPlusClasses::Finalize();
  GdiPlusUnload();
}

}  // namespace qd::testing
