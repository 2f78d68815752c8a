// Arbitrary bytes through the skin readers: a skin stream, the container reader (which lists
// skins by their details and loads each one it lists) and the details record alone. Every
// failure must be one of the library's exceptions; a skin that loads must write itself and read
// the result back to the same bytes, and its first elements are drawn (those whose textures are
// small, so that decoding stays cheap).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "platform/classes/streams.h"
#include "platform/forms/forms_init.h"
#include "platform/gdiplus/gdiplus.h"
#include "ui/graphics/dxGDIPlusAPI.h"
#include "ui/graphics/dxGDIPlusCanvas.h"
#include "ui/graphics/dxGDIPlusClasses.h"
#include "ui/graphics/dxGDIPlusImage.h"
#include "ui/lookandfeel/dxSkinDetails.h"
#include "ui/skins/dxSkinsCore.h"

namespace {

bool StartSkinFuzz() {
  using namespace qd;
  forms::Initialize();
  gdiplus::RegisterModule();
  if (!CheckGdiPlus(false)) std::abort();
  dxGDIPlusClasses::Initialize();
  dxGDIPlusCanvas::Initialize();
  dxSmartImage::Initialize();
  dxGDIPlusImage::Initialize();
  dxSkinsCore::Initialize();
  return true;
}

bool SkinFuzzSmall(qd::TdxSkinImage* AImage) {
  const qd::TSize size = AImage->Texture()->Size();
  return int64_t(size.cx) * size.cy <= 256 * 256;
}

void SkinFuzzDraw(qd::TdxSkin& ASkin) {
  using namespace qd;
  TBitmap target;
  target.SetPixelFormat(pf32bit);
  target.SetSize(24, 24);
  int drawn = 0;
  for (int32_t g = 0; g < ASkin.GroupCount() && drawn < 8; ++g) {
    TdxSkinControlGroup* group = ASkin.Groups(g);
    for (int32_t i = 0; i < group->Count() && drawn < 8; ++i, ++drawn) {
      TdxSkinElement* element = group->Elements(i);
      try {
        if (!SkinFuzzSmall(element->Image()) || !SkinFuzzSmall(element->Glyph())) continue;
        element->Draw(target.Canvas()->Handle(), TRect{0, 0, 24, 24}, 0, esNormal);
        element->Draw(target.Canvas()->Handle(), TRect{2, 3, 20, 17}, 3, esHot);
        element->CalculateMinSize();
      } catch (const Exception&) {
      }
    }
  }
}

qd::TBytes SkinFuzzWrite(qd::TdxSkin& ASkin) {
  qd::TBytesStream out;
  ASkin.SaveToStream(&out);
  return qd::TBytes(static_cast<const uint8_t*>(out.Memory()),
                    static_cast<const uint8_t*>(out.Memory()) + out.Size());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace qd;
  static const bool started = StartSkinFuzz();
  (void)started;
  const TBytes bytes(data, data + size);

  {
    TBytesStream stream(bytes);
    TdxSkin skin{String()};
    bool loaded = false;
    try {
      skin.LoadFromStream(&stream);
      loaded = true;
    } catch (const Exception&) {
    }
    if (loaded) {
      const TBytes written = SkinFuzzWrite(skin);
      TBytesStream again(written);
      TdxSkin reread{String()};
      reread.LoadFromStream(&again);
      if (again.Position() != again.Size()) std::abort();
      if (SkinFuzzWrite(reread) != written) std::abort();
      // Drawing resolves colour references, which changes the colours a skin writes.
      SkinFuzzDraw(skin);
    }
  }

  {
    TBytesStream stream(bytes);
    try {
      TdxSkinBinaryReader reader(&stream);
      for (int32_t i = 0; i < reader.Count(); ++i) {
        TdxSkin skin{String()};
        try {
          reader.LoadSkin(&skin, i);
        } catch (const Exception&) {
        }
      }
    } catch (const Exception&) {
    }
  }

  {
    TBytesStream stream(bytes);
    TdxSkinDetails details;
    try {
      details.LoadFromStream(&stream);
    } catch (const Exception&) {
    }
  }
  return 0;
}
