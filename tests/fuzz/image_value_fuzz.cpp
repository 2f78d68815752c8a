// Arbitrary bytes as the image editor's value: the 8-byte header rule and every registered
// graphic class's reader through LoadPicture, which must clear the picture instead of
// failing; a picture that loads is saved again and drawn when it is small.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "platform/forms/forms_init.h"
#include "platform/gdiplus/gdiplus.h"
#include "ui/editors/concrete/cxImage.h"
#include "ui/graphics/dxGDIPlusCanvas.h"
#include "ui/graphics/dxGDIPlusClasses.h"
#include "ui/graphics/dxGDIPlusImage.h"
#include "ui/graphics/dxSmartImage.h"

namespace {

bool StartImageValueFuzz() {
  using namespace qd;
  forms::Initialize();
  gdiplus::RegisterModule();
  if (!CheckGdiPlus(false)) std::abort();
  dxGDIPlusClasses::Initialize();
  dxGDIPlusCanvas::Initialize();
  dxSmartImage::Initialize();
  dxGDIPlusImage::Initialize();
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace qd;
  static const bool started = StartImageValueFuzz();
  (void)started;
  const Variant value = Variant::FromBytes(data, size);
  std::vector<TGraphicClass> classes = GetRegisteredGraphicClasses();
  classes.push_back(nullptr);
  for (TGraphicClass graphicClass : classes) {
    TPicture picture;
    LoadPicture(&picture, graphicClass, value);
    TGraphic* graphic = picture.Graphic();
    if (!graphic || graphic->Empty()) continue;
    try {
      SavePicture(&picture);
      if (int64_t(graphic->Width()) * graphic->Height() <= 256 * 256) {
        TBitmap target;
        target.SetPixelFormat(pf32bit);
        target.SetSize(16, 16);
        graphic->Draw(target.Canvas(), TRect{0, 0, 16, 16});
      }
    } catch (const Exception&) {
    }
  }
  return 0;
}
