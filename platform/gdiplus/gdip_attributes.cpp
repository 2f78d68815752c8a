// Image attributes: recolouring of drawn images (remap table, colour keys, colour matrix,
// threshold, gamma, output channel) and the wrap mode around them.
#include <algorithm>
#include <fstream>

#include "platform/base/strings.h"
#include "platform/gdiplus/gdip_internal.h"

namespace qd::gdiplus {

using namespace detail;

namespace detail {

void ColorAdjust::Apply(uint32_t* px, size_t n) const {
  if (!Active()) return;
  for (size_t i = 0; i < n; ++i) {
    uint32_t c = px[i];
    if (hasRemap)
      for (const ColorMap& m : remap)
        if (m.oldColor == c) {
          c = m.newColor;
          break;
        }
    double a = (c >> 24) / 255.0, r = ((c >> 16) & 0xFF) / 255.0, g = ((c >> 8) & 0xFF) / 255.0,
           b = (c & 0xFF) / 255.0;
    if (hasKeys) {
      auto in = [&](int sh) {
        uint32_t v = (c >> sh) & 0xFF;
        return v >= ((keyLow >> sh) & 0xFF) && v <= ((keyHigh >> sh) & 0xFF);
      };
      if (in(16) && in(8) && in(0)) {
        px[i] = 0;
        continue;
      }
    }
    if (hasMatrix) {
      bool grey = r == g && g == b;
      if (!(grey && matrixFlags == ColorMatrixFlagsSkipGrays)) {
        const ColorMatrix& m = grey && matrixFlags == ColorMatrixFlagsAltGray ? grayMatrix : matrix;
        double v[4] = {r, g, b, a};
        double o[4];
        for (int k = 0; k < 4; ++k)
          o[k] = v[0] * m.m[0][k] + v[1] * m.m[1][k] + v[2] * m.m[2][k] + v[3] * m.m[3][k] + m.m[4][k];
        r = o[0], g = o[1], b = o[2], a = o[3];
      }
    }
    r = std::clamp(r, 0.0, 1.0);
    g = std::clamp(g, 0.0, 1.0);
    b = std::clamp(b, 0.0, 1.0);
    a = std::clamp(a, 0.0, 1.0);
    if (hasThreshold) {
      r = r > threshold ? 1 : 0;
      g = g > threshold ? 1 : 0;
      b = b > threshold ? 1 : 0;
    }
    if (hasGamma) {
      r = std::pow(r, gamma);
      g = std::pow(g, gamma);
      b = std::pow(b, gamma);
    }
    if (hasChannel) {
      // The separation of one ink, shown as grey: more ink is darker.
      double v = 1;
      switch (channel) {
        case ColorChannelFlagsC:
          v = r;
          break;
        case ColorChannelFlagsM:
          v = g;
          break;
        case ColorChannelFlagsY:
          v = b;
          break;
        default:
          v = std::max({r, g, b});
          break;
      }
      r = g = b = v;
    }
    auto q = [](double v) { return static_cast<uint32_t>(std::lround(v * 255)); };
    px[i] = (q(a) << 24) | (q(r) << 16) | (q(g) << 8) | q(b);
  }
}

}  // namespace detail

namespace {

bool ValidType(ColorAdjustType t) {
  return t >= ColorAdjustTypeDefault && t < ColorAdjustTypeCount;
}

ImageAttributes* GetAttrs(const GpImageAttributes* h) {
  return Get<ImageAttributes>(h);
}

// Common start of the setters: the attributes and their category, marked as used.
ColorAdjust* Category(GpImageAttributes* h, ColorAdjustType type) {
  auto* a = GetAttrs(h);
  if (!a || !ValidType(type)) return nullptr;
  a->adjust[type].used = true;
  return &a->adjust[type];
}

}  // namespace

Status GdipCreateImageAttributes(GpImageAttributes** imageattr) {
  QD_GDIP_ENTER();
  if (!imageattr) return InvalidParameter;
  *imageattr = Adopt(std::make_unique<ImageAttributes>());
  return Ok;
}

Status GdipCloneImageAttributes(const GpImageAttributes* imageattr, GpImageAttributes** cloneImageattr) {
  QD_GDIP_ENTER();
  auto* a = GetAttrs(imageattr);
  if (!a || !cloneImageattr) return InvalidParameter;
  auto c = std::make_unique<ImageAttributes>();
  std::copy(std::begin(a->adjust), std::end(a->adjust), std::begin(c->adjust));
  c->wrap = a->wrap;
  c->wrapColor = a->wrapColor;
  c->clamp = a->clamp;
  c->wrapSet = a->wrapSet;
  *cloneImageattr = Adopt(std::move(c));
  return Ok;
}

Status GdipDisposeImageAttributes(GpImageAttributes* imageattr) {
  QD_GDIP_LOCK();
  if (!GetAttrs(imageattr)) return InvalidParameter;
  Destroy(imageattr);
  return Ok;
}

Status GdipSetImageAttributesToIdentity(GpImageAttributes* imageattr, ColorAdjustType type) {
  QD_GDIP_ENTER();
  ColorAdjust* c = Category(imageattr, type);
  if (!c) return InvalidParameter;
  c->hasMatrix = false;
  return Ok;
}

Status GdipResetImageAttributes(GpImageAttributes* imageattr, ColorAdjustType type) {
  QD_GDIP_ENTER();
  auto* a = GetAttrs(imageattr);
  if (!a || !ValidType(type)) return InvalidParameter;
  a->adjust[type] = ColorAdjust{};
  return Ok;
}

Status GdipSetImageAttributesColorMatrix(GpImageAttributes* imageattr, ColorAdjustType type, BOOL enableFlag,
                                         const ColorMatrix* colorMatrix, const ColorMatrix* grayMatrix,
                                         ColorMatrixFlags flags) {
  QD_GDIP_ENTER();
  if (!GetAttrs(imageattr) || !ValidType(type)) return InvalidParameter;
  if (enableFlag) {
    if (!colorMatrix || flags < ColorMatrixFlagsDefault || flags > ColorMatrixFlagsAltGray)
      return InvalidParameter;
    if (flags == ColorMatrixFlagsAltGray && !grayMatrix) return InvalidParameter;
    for (const auto& row : colorMatrix->m)
      for (REAL v : row)
        if (!Finite(v)) return InvalidParameter;
  }
  ColorAdjust* c = Category(imageattr, type);
  c->hasMatrix = enableFlag != 0;
  if (enableFlag) {
    c->matrix = *colorMatrix;
    c->grayMatrix = grayMatrix ? *grayMatrix : ColorMatrix{};
    c->matrixFlags = flags;
  }
  return Ok;
}

Status GdipSetImageAttributesThreshold(GpImageAttributes* imageattr, ColorAdjustType type, BOOL enableFlag,
                                       REAL threshold) {
  QD_GDIP_ENTER();
  if (!GetAttrs(imageattr) || !ValidType(type) || (enableFlag && !Finite(threshold))) return InvalidParameter;
  ColorAdjust* c = Category(imageattr, type);
  c->hasThreshold = enableFlag != 0;
  c->threshold = threshold;
  return Ok;
}

Status GdipSetImageAttributesGamma(GpImageAttributes* imageattr, ColorAdjustType type, BOOL enableFlag,
                                   REAL gamma) {
  QD_GDIP_ENTER();
  if (!GetAttrs(imageattr) || !ValidType(type) || (enableFlag && (!Finite(gamma) || gamma <= 0)))
    return InvalidParameter;
  ColorAdjust* c = Category(imageattr, type);
  c->hasGamma = enableFlag != 0;
  c->gamma = gamma;
  return Ok;
}

Status GdipSetImageAttributesNoOp(GpImageAttributes* imageattr, ColorAdjustType type, BOOL enableFlag) {
  QD_GDIP_ENTER();
  ColorAdjust* c = Category(imageattr, type);
  if (!c) return InvalidParameter;
  c->noOp = enableFlag != 0;
  return Ok;
}

Status GdipSetImageAttributesColorKeys(GpImageAttributes* imageattr, ColorAdjustType type, BOOL enableFlag,
                                       ARGB colorLow, ARGB colorHigh) {
  QD_GDIP_ENTER();
  ColorAdjust* c = Category(imageattr, type);
  if (!c) return InvalidParameter;
  c->hasKeys = enableFlag != 0;
  c->keyLow = colorLow;
  c->keyHigh = colorHigh;
  return Ok;
}

Status GdipSetImageAttributesOutputChannel(GpImageAttributes* imageattr, ColorAdjustType type,
                                           BOOL enableFlag, ColorChannelFlags channelFlags) {
  QD_GDIP_ENTER();
  if (!GetAttrs(imageattr) || !ValidType(type)) return InvalidParameter;
  if (enableFlag && (channelFlags < ColorChannelFlagsC || channelFlags > ColorChannelFlagsK))
    return InvalidParameter;
  ColorAdjust* c = Category(imageattr, type);
  c->hasChannel = enableFlag != 0;
  c->channel = channelFlags;
  return Ok;
}

Status GdipSetImageAttributesOutputChannelColorProfile(GpImageAttributes* imageattr, ColorAdjustType type,
                                                       BOOL enableFlag, const WCHAR* colorProfileFilename) {
  QD_GDIP_ENTER();
  if (!GetAttrs(imageattr) || !ValidType(type)) return InvalidParameter;
  if (enableFlag) {
    if (!colorProfileFilename) return InvalidParameter;
    std::ifstream f(StringToUtf8(String(colorProfileFilename)), std::ios::binary);
    if (!f) return ProfileNotFound;
  }
  ColorAdjust* c = Category(imageattr, type);
  // The profile is remembered; output goes to the screen, where it changes nothing.
  c->hasProfile = enableFlag != 0;
  c->profile = enableFlag ? std::u16string(colorProfileFilename) : std::u16string();
  return Ok;
}

Status GdipSetImageAttributesRemapTable(GpImageAttributes* imageattr, ColorAdjustType type, BOOL enableFlag,
                                        UINT mapSize, const ColorMap* map) {
  QD_GDIP_ENTER();
  if (!GetAttrs(imageattr) || !ValidType(type) || (enableFlag && (!map || mapSize == 0)))
    return InvalidParameter;
  ColorAdjust* c = Category(imageattr, type);
  c->hasRemap = enableFlag != 0;
  if (enableFlag)
    c->remap.assign(map, map + mapSize);
  else
    c->remap.clear();
  return Ok;
}

Status GdipSetImageAttributesWrapMode(GpImageAttributes* imageAttr, WrapMode wrap, ARGB argb, BOOL clamp) {
  QD_GDIP_ENTER();
  auto* a = GetAttrs(imageAttr);
  if (!a || wrap < WrapModeTile || wrap > WrapModeClamp) return InvalidParameter;
  a->wrap = wrap;
  a->wrapColor = argb;
  a->clamp = clamp != 0;
  a->wrapSet = true;
  return Ok;
}

Status GdipGetImageAttributesAdjustedPalette(GpImageAttributes* imageAttr, ColorPalette* colorPalette,
                                             ColorAdjustType colorAdjustType) {
  QD_GDIP_ENTER();
  auto* a = GetAttrs(imageAttr);
  if (!a || !colorPalette || colorPalette->Count == 0 || colorAdjustType <= ColorAdjustTypeDefault ||
      colorAdjustType >= ColorAdjustTypeCount)
    return InvalidParameter;
  a->For(colorAdjustType).Apply(colorPalette->Entries, colorPalette->Count);
  return Ok;
}

}  // namespace qd::gdiplus
