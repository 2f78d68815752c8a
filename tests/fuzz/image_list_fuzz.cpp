// Image-list stored forms from arbitrary bytes: the native cells ("Bitmap"), the kept images
// ("ImageInfo" with class names and graphic data, SVG included) and the properties around
// them. Reading either succeeds, with the cells and the kept images in step, or raises
// EReadError (a form stops at its first bad property, so a list read half-way may hold cells
// without images until its next change); either way drawing is safe.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "platform/base/strings.h"
#include "platform/classes/encoding.h"
#include "platform/classes/filer.h"
#include "platform/forms/forms_init.h"
#include "platform/gdiplus/gdiplus.h"
#include "ui/core/cxClassesComponents.h"
#include "ui/core/dxCore.h"
#include "ui/graphics/cxGraphics.h"
#include "ui/graphics/cxImageList.h"
#include "ui/graphics/dxCoreGraphicsAlphaColors.h"
#include "ui/graphics/dxGDIPlusImage.h"
#include "ui/graphics/svg/dxSVGCore.h"
#include "ui/graphics/svg/dxSVGImage.h"

namespace {

bool StartImageListFuzz() {
  using namespace qd;
  forms::Initialize();
  cxClasses::Initialize();
  cxGraphics::Initialize();
  gdiplus::RegisterModule();
  if (!CheckGdiPlus(false)) std::abort();
  dxGDIPlusClasses::Initialize();
  dxGDIPlusCanvas::Initialize();
  TdxAlphaColors::Initialize();
  dxSmartImage::Initialize();
  dxGDIPlusImage::Initialize();
  dxSVGCore::Initialize();
  dxSVGImage::Initialize();
  RegisterClass(TcxImageList::StaticClass());
  return true;
}

// Cells are allocated at the declared size before any image is read: big declared sizes
// only measure the machine's memory, so they are left out.
bool ImageListFuzzSmallCells(const qd::TFormObject& AForm) {
  for (const qd::TFormProperty& p : AForm.Props)
    if ((qd::SameText(p.Name, u"Width") || qd::SameText(p.Name, u"Height")) &&
        (p.Value.Kind != qd::TFormValue::vkInt || p.Value.Int > 64))
      return false;
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace qd;
  static const bool started = StartImageListFuzz();
  (void)started;
  const String text = DecodeTextBytes(std::span<const uint8_t>(data, size));
  try {
    if (!ImageListFuzzSmallCells(ParseStoredForm(text))) return 0;
  } catch (const EReadError&) {
    return 0;
  }
  TcxImageList list(nullptr);
  try {
    ReadComponentFromText(text, &list);
    if (list.Count() != list.ImageInfos()->Count()) std::abort();
  } catch (const EReadError&) {
  }
  TBitmap target;
  target.SetPixelFormat(pf32bit);
  target.SetSize(24, 24);
  for (int i = 0; i < list.Count() && i < 8; ++i) {
    try {
      list.Draw(target.Canvas(), TRect{0, 0, 24, 24}, i);
    } catch (const Exception&) {
    }
  }
  return 0;
}
