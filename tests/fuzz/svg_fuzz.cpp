// Feeds arbitrary bytes to the SVG codec: the size probe, the import into an element tree
// and, for pictures of moderate size, a rendering of the tree into a raster.
#include <cstddef>
#include <cstdint>
#include <memory>

#include "platform/classes/streams.h"
#include "platform/forms/forms_init.h"
#include "ui/graphics/dxCoreGraphicsAlphaColors.h"
#include "ui/graphics/svg/dxSVGImage.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  qd::forms::Initialize();
  qd::gdiplus::RegisterModule();
  qd::CheckGdiPlus(false);
  qd::dxGDIPlusClasses::Initialize();
  qd::dxGDIPlusCanvas::Initialize();
  qd::TdxAlphaColors::Initialize();
  qd::dxSVGCore::Initialize();
  qd::dxSVGRenderQuality = qd::srqLow;
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  qd::TMemoryStream stream;
  stream.WriteBuffer(data, static_cast<int64_t>(size));
  stream.SetPosition(0);
  qd::TSize probed{};
  qd::TdxSVGImageCodec::Instance().GetSize(&stream, probed);
  std::unique_ptr<qd::TdxSVGImageHandle> handle;
  try {
    if (!qd::TdxSVGImageCodec::Instance().Load(&stream, handle)) return 0;
    const qd::TdxRectF box = handle->GetViewBox();
    // Pictures up to 16 units a side render at 32 times their size; larger ones fill a raster
    // of 1024 pixels a side, valid but slow to fill at every run. The raster limits are
    // tested elsewhere.
    if (box.Width() > 16 || box.Height() > 16) return 0;
    handle->GetRasterizedImage(qd::TSize{16, 16}, nullptr);
    qd::TMemoryStream saved;
    qd::TdxSVGImageCodec::Instance().Save(&saved, handle.get());
  } catch (const qd::Exception&) {
    // Malformed XML, numbers the import cannot read, and failures of the drawing layer are
    // reported as exceptions: a failed load or draw, not a crash.
  }
  return 0;
}
