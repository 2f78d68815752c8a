// Arbitrary bytes through the smart images: every codec's signature test and header probe
// (which must leave the position alone on a signature miss and never read past the data),
// the repository's size question, loading as a smart image, a glyph (whose length-prefixed
// bitmap test must restore the position), a field value and a stored picture; images whose
// size is small are drawn, which decodes them.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "platform/classes/streams.h"
#include "platform/forms/forms_init.h"
#include "platform/gdiplus/gdiplus.h"
#include "ui/core/dxCore.h"
#include "ui/graphics/dxGDIPlusImage.h"

namespace {

bool StartSmartImageFuzz() {
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

void DrawWhenSmall(qd::TdxCustomSmartImage& AImage) {
  using namespace qd;
  try {
    const TSize size = AImage.Size();
    if (size.cx <= 0 || size.cy <= 0 || int64_t(size.cx) * size.cy > 256 * 256) return;
    TBitmap target;
    target.SetPixelFormat(pf32bit);
    target.SetSize(16, 16);
    AImage.Draw(target.Canvas(), TRect{0, 0, 16, 16});
    AImage.AnimationFrameCount();
    AImage.SetActiveFrame(1);
  } catch (const Exception&) {
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace qd;
  static const bool started = StartSmartImageFuzz();
  (void)started;
  const TBytes bytes(data, data + size);

  TBytesStream stream(bytes);
  for (int32_t i = 0; i < TdxSmartImageCodecsRepository::GetCount(); ++i) {
    TdxSmartImageCodecClass codec = TdxSmartImageCodecsRepository::GetItem(i);
    stream.SetPosition(0);
    const bool signature = codec->CanLoadStream(&stream);
    if (stream.Position() != 0) std::abort();
    TSize probed;
    const bool known = codec->GetSize(&stream, probed);
    if (!signature && (known || stream.Position() != 0)) std::abort();
    if (stream.Position() > stream.Size()) std::abort();
  }
  stream.SetPosition(0);
  TSize imageSize;
  TdxSmartImageCodecClass codec = nullptr;
  TdxSmartImageCodecsRepository::GetImageInfo(&stream, imageSize, codec);

  TdxSmartImage image;
  stream.SetPosition(0);
  try {
    image.LoadFromStream(&stream);
  } catch (const Exception&) {
  }
  DrawWhenSmall(image);

  TdxSmartGlyph glyph;
  stream.SetPosition(0);
  try {
    glyph.LoadFromStream(&stream);
  } catch (const Exception&) {
  }
  DrawWhenSmall(glyph);

  TdxSmartImage field;
  try {
    field.LoadFromFieldValue(Variant::FromBytes(data, size));
  } catch (const Exception&) {
  }

  // A stored picture: the class name and the file's bytes.
  TPicture picture;
  TBytesStream stored(bytes);
  try {
    picture.ReadData(&stored);
    if (auto* read = dynamic_cast<TdxCustomSmartImage*>(picture.Graphic())) DrawWhenSmall(*read);
  } catch (const Exception&) {
  }
  return 0;
}
