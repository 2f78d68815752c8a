#include "ui/graphics/cxImageList.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/base/mathutil.h"
#include "platform/base/scopeexit.h"
#include "platform/base/strings.h"
#include "platform/classes/filer.h"
#include "platform/classes/rtti.h"
#include "platform/classes/streams.h"
#include "platform/os/gdi.h"
#include "ui/core/cxClassesComponents.h"
#include "ui/core/cxGeometry.h"
#include "ui/core/dxDPIAwareUtils.h"
#include "ui/graphics/cxGraphicsAlphaBitmap.h"
#include "ui/graphics/cxGraphicsBlend.h"
#include "ui/graphics/cxGraphicsCaches.h"
#include "ui/graphics/cxGraphicsCanvas.h"
#include "ui/graphics/cxGraphicsImages.h"
#include "ui/graphics/dxSmartImage.h"

namespace qd {

QD_IMPLEMENT_CLASS(TcxImageInfo)
QD_IMPLEMENT_CLASS(TcxImageInfoItem)
QD_IMPLEMENT_CLASS(TcxImageInfoCollection)
QD_IMPLEMENT_CLASS(TcxBaseImageList)
QD_IMPLEMENT_CLASS(TcxCustomImageList)
QD_IMPLEMENT_CLASS(TcxImageList)

TcxImageListCorrectAlphaChannelProc cxImageListCorrectAlphaChannel = nullptr;

uint32_t cxGetImageListStyle(TDrawingStyle ADrawingStyle, TImageType AImageType) {
  return DrawingStyles[ADrawingStyle] | ImageTypes[AImageType];
}

bool cxIsLibraryImageList(TCustomImageList* AImages) {
  return dynamic_cast<TcxCustomImageList*>(AImages) != nullptr;
}

namespace {

bool ImageListIsBitmap(TGraphic* AGraphic) {
  return dynamic_cast<TBitmap*>(AGraphic) != nullptr;
}

bool ImageListIsMetafile(TGraphic* AGraphic) {
  return dynamic_cast<TMetafile*>(AGraphic) != nullptr;
}

TdxCustomSmartImage* ImageListSmartImage(TGraphic* AGraphic) {
  return dynamic_cast<TdxCustomSmartImage*>(AGraphic);
}

// A cell's straight-alpha pixel (0xAARRGGBB) as a premultiplied quad, the form 32-bit
// bitmaps of the library carry.
RGBQUAD ImageListPremultiplied(uint32_t v) {
  const uint32_t a = v >> 24;
  RGBQUAD q;
  q.rgbBlue = static_cast<uint8_t>(((v & 0xFF) * a + 127) / 255);
  q.rgbGreen = static_cast<uint8_t>((((v >> 8) & 0xFF) * a + 127) / 255);
  q.rgbRed = static_cast<uint8_t>((((v >> 16) & 0xFF) * a + 127) / 255);
  q.rgbReserved = static_cast<uint8_t>(a);
  return q;
}

// The pixels of a bitmap as straight-alpha values, top-down. A 32-bit bitmap with any alpha
// keeps it (premultiplied unless it declares straight alpha); others are opaque, with the
// non-black pixels of AMask made transparent.
std::vector<uint32_t> ImageListBitmapPixels(TBitmap* ABitmap, TBitmap* AMask) {
  TRGBColors colors;
  dxCoreGraphics::GetBitmapBits(ABitmap, colors, true);
  const bool alpha =
      ABitmap->PixelFormat() == pf32bit &&
      std::any_of(colors.begin(), colors.end(), [](const RGBQUAD& q) { return q.rgbReserved != 0; });
  const bool straight = ABitmap->AlphaFormat() == afDefined;
  std::vector<uint32_t> px(colors.size());
  for (size_t i = 0; i < colors.size(); ++i) {
    const RGBQUAD& q = colors[i];
    uint32_t a = alpha ? q.rgbReserved : 255;
    uint32_t r = q.rgbRed, g = q.rgbGreen, b = q.rgbBlue;
    if (alpha && !straight && a != 0 && a != 255) {
      r = std::min<uint32_t>(255, (r * 255 + a / 2) / a);
      g = std::min<uint32_t>(255, (g * 255 + a / 2) / a);
      b = std::min<uint32_t>(255, (b * 255 + a / 2) / a);
    }
    if (alpha && a == 0) r = g = b = 0;
    px[i] = (a << 24) | (r << 16) | (g << 8) | b;
  }
  if (!alpha && AMask && !AMask->Empty()) {
    TRGBColors mask;
    dxCoreGraphics::GetBitmapBits(AMask, mask, true);
    const int w = std::min(ABitmap->Width(), AMask->Width()),
              h = std::min(ABitmap->Height(), AMask->Height());
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        const RGBQUAD& m = mask[static_cast<size_t>(y) * AMask->Width() + x];
        if (m.rgbRed | m.rgbGreen | m.rgbBlue) px[static_cast<size_t>(y) * ABitmap->Width() + x] = 0;
      }
  }
  return px;
}

// Straight-alpha pixels (top-down) as a premultiplied 32-bit bitmap.
void ImageListPixelsToBitmap(const uint32_t* APixels, int AWidth, int AHeight, TBitmap* ABitmap) {
  ABitmap->SetPixelFormat(pf32bit);
  ABitmap->SetSize(AWidth, AHeight);
  TRGBColors colors(static_cast<size_t>(AWidth) * static_cast<size_t>(AHeight));
  for (size_t i = 0; i < colors.size(); ++i) colors[i] = ImageListPremultiplied(APixels[i]);
  dxCoreGraphics::SetBitmapBits(ABitmap, colors, true);
}

// Copies (or stretches) ASource over the whole of ADest.
void ImageListPutBitmap(TBitmap* ADest, TBitmap* ASource) {
  if (ADest->Width() == ASource->Width() && ADest->Height() == ASource->Height() &&
      ADest->PixelFormat() == ASource->PixelFormat()) {
    ADest->Assign(ASource);
    return;
  }
  if (ADest->Width() == ASource->Width() && ADest->Height() == ASource->Height()) {
    cxBitBlt(ADest->Canvas()->Handle(), ASource->Canvas()->Handle(),
             TRect{0, 0, ADest->Width(), ADest->Height()}, TPoint{0, 0}, SRCCOPY);
    return;
  }
  cxStretchGraphic(ADest, ASource, false);
}

}  // namespace

// --- TcxImageInfoHelper ------------------------------------------------------------------------

void TcxImageInfoHelper::CopyRect(TBitmap* ADest, TGraphic* ASource, const TRect& ARect) {
  if (auto* bitmap = dynamic_cast<TBitmap*>(ASource)) {
    cxBitBlt(ADest->Canvas()->Handle(), bitmap->Canvas()->Handle(),
             TRect{0, 0, ARect.Width(), ARect.Height()}, ARect.TopLeft(), SRCCOPY);
    return;
  }
  const TRect whole{-ARect.Left, -ARect.Top, -ARect.Left + ASource->Width(), -ARect.Top + ASource->Height()};
  if (TdxCustomSmartImage* smart = ImageListSmartImage(ASource))
    smart->StretchDraw(ADest->Canvas()->Handle(), whole);
  else
    ASource->Draw(ADest->Canvas(), whole);
}

int TcxImageInfoHelper::GetPixelFormat(TGraphic* AImage) {
  if (auto* bitmap = dynamic_cast<TBitmap*>(AImage)) return bitmap->BitCount();
  if (ImageListIsMetafile(AImage)) return 24;
  return 32;
}

TColor TcxImageInfoHelper::GetDefaultTransparentColor(TGraphic* AImage, TBitmap* AMask) {
  auto* bitmap = dynamic_cast<TBitmap*>(AImage);
  if ((AMask && !AMask->Empty()) || !bitmap || bitmap->Empty() || dxIsAlphaUsed(bitmap)) return clNone;
  return static_cast<TColor>(GetPixel(bitmap->Canvas()->Handle(), 0, bitmap->Height() - 1));
}

bool TcxImageInfoHelper::IsVectorImage(TGraphic* AImage) {
  TdxCustomSmartImage* smart = ImageListSmartImage(AImage);
  return smart && !smart->Empty() && smart->Supports<IdxVectorImage>() != nullptr;
}

// --- TcxImageInfo ------------------------------------------------------------------------------

TcxImageInfo::TcxImageInfo()
    : FMask(std::make_unique<TcxBitmap>()), FInternalMask(std::make_unique<TcxBitmap>()) {
  SetImageInstance(std::make_unique<TcxBitmap>());
}

TcxImageInfo::~TcxImageInfo() {
  if (FImage) FImage->OnChange = TNotifyEvent();
}

void TcxImageInfo::SetImageInstance(std::unique_ptr<TGraphic> AImage) {
  if (FImage) FImage->OnChange = TNotifyEvent();
  FImage = std::move(AImage);
  FImage->OnChange = TNotifyEvent(this, &TcxImageInfo::ImageChanged);
  FIsAlphaUsed = bDefault;
}

void TcxImageInfo::ImageChanged(TObject*) {
  FIsAlphaUsed = bDefault;
}

void TcxImageInfo::Assign(TPersistent* ASource) {
  auto* source = dynamic_cast<TcxImageInfo*>(ASource);
  if (!source) return TPersistent::Assign(ASource);
  SetImage(source->Image());
  SetMask(source->Mask());
  FMaskColor = source->FMaskColor;
}

void TcxImageInfo::SetImage(TGraphic* AValue) {
  if (AValue && AValue->ClassType() != FImage->ClassType()) {
    TObject* created = AValue->ClassType()->Create(nullptr);
    auto* graphic = dynamic_cast<TGraphic*>(created);
    if (!graphic) {
      delete created;
      throw EdxException(u"The \"" + AValue->ClassName() + u"\" is invalid graphic class");
    }
    SetImageInstance(std::unique_ptr<TGraphic>(graphic));
  }
  if (AValue) {
    FImage->Assign(AValue);
  } else {
    // Nothing to take: the image becomes an empty bitmap.
    SetImageInstance(std::make_unique<TcxBitmap>());
  }
  FIsAlphaUsed = bDefault;
}

void TcxImageInfo::SetMask(TBitmap* AValue) {
  if (AValue)
    FMask->Assign(AValue);
  else
    FMask->SetSize(0, 0);
  if (!FMask->Empty()) FMask->Handle();
}

bool TcxImageInfo::HasMask() const {
  return (FMaskColor != clNone && FMaskColor != clDefault) || !FMask->Empty();
}

void TcxImageInfo::FlushMask() {
  FMask->SetSize(0, 0);
  FMaskColor = clNone;
}

void TcxImageInfo::ConvertTo32Bit() {
  if (HasMask()) {
    auto result = std::make_unique<TcxAlphaBitmap>(FImage->Width(), FImage->Height());
    result->Clear();
    if (auto* bitmap = dynamic_cast<TBitmap*>(FImage.get()))
      result->CopyBitmap(bitmap);
    else
      TcxImageInfoHelper::CopyRect(result.get(), FImage.get(),
                                   TRect{0, 0, FImage->Width(), FImage->Height()});
    if (FMaskColor == clNone || FMaskColor == clDefault) {
      if (!result->IsAlphaUsed()) result->MakeOpaque();
      if (!FMask->Empty()) {
        // The mask's non-black pixels are its transparent part.
        TRGBColors colors, mask;
        result->GetBitmapColors(colors);
        TcxBitmap32 maskCopy(result->Width(), result->Height(), true);
        maskCopy.CopyBitmap(FMask.get());
        maskCopy.GetBitmapColors(mask);
        for (size_t i = 0; i < colors.size() && i < mask.size(); ++i)
          if (mask[i].rgbRed | mask[i].rgbGreen | mask[i].rgbBlue) colors[i] = cxAlphaBitmapZeroQuad;
        result->SetBitmapColors(colors);
      }
    } else {
      if (!result->IsAlphaUsed()) result->MakeOpaque();
      result->RecoverTransparency(FMaskColor);
    }
    auto image = std::make_unique<TcxBitmap>();
    image->Assign(result.get());
    SetImageInstance(std::move(image));
  }
  FlushMask();
}

void TcxImageInfo::Resize(const TSize& ASize) {
  ConvertTo32Bit();
  if (TdxCustomSmartImage* smart = ImageListSmartImage(FImage.get())) {
    smart->Resize(ASize);
  } else if (auto* bitmap = dynamic_cast<TBitmap*>(FImage.get())) {
    TcxBitmap32 resized(ASize.cx, ASize.cy, true);
    cxStretchGraphic(&resized, bitmap, true);
    auto image = std::make_unique<TcxBitmap>();
    image->Assign(&resized);
    SetImageInstance(std::move(image));
  } else {
    throw EdxException(String());
  }
  FIsAlphaUsed = bDefault;
}

void TcxImageInfo::Dormant() {
  if (!FMask->Empty()) FMask->Dormant();
  if (FImage->Empty()) return;
  if (auto* bitmap = dynamic_cast<TcxBitmap*>(FImage.get()))
    bitmap->Dormant();
  else if (auto* plain = dynamic_cast<TBitmap*>(FImage.get()))
    plain->Dormant();
  else if (TdxCustomSmartImage* smart = ImageListSmartImage(FImage.get()))
    smart->Dormant();
}

String TcxImageInfo::ImageType() const {
  if (ImageListIsBitmap(FImage.get())) return u"BMP";
  if (TdxCustomSmartImage* smart = ImageListSmartImage(FImage.get()))
    if (TdxSmartImageCodecClass codec = smart->ImageCodec()) {
      String ext = codec->Ext();
      if (!ext.empty() && ext[0] == u'.') ext.erase(0, 1);
      return UpperCase(ext);
    }
  return u"IMG";
}

bool TcxImageInfo::IsAlphaUsed() {
  if (FIsAlphaUsed == bDefault) {
    bool used = false;
    if (auto* bitmap = dynamic_cast<TBitmap*>(FImage.get()))
      used = !bitmap->Empty() && dxIsAlphaUsed(bitmap);
    else if (TdxCustomSmartImage* smart = ImageListSmartImage(FImage.get()))
      used = !smart->Empty() && smart->IsAlphaUsed();
    FIsAlphaUsed = used ? bTrue : bFalse;
  }
  return FIsAlphaUsed == bTrue;
}

// --- TcxImageInfoItem --------------------------------------------------------------------------

void TcxImageInfoItem::RegisterProperties(TPropertyRegistrar& r) {
  r.Prop("ImageClass", &TcxImageInfoItem::ImageClass, &TcxImageInfoItem::SetImageClass)
      .Stored(&TcxImageInfoItem::IsImageClassStored);
  r.Prop("Image", &TcxImageInfoItem::Image, &TcxImageInfoItem::SetImage);
  r.Prop("Mask", &TcxImageInfoItem::Mask, &TcxImageInfoItem::SetMask);
  r.Prop("MaskColor", &TcxImageInfoItem::MaskColor, &TcxImageInfoItem::SetMaskColor, TypeInfoTColor())
      .Default(clNone);
}

TcxImageInfoItem::TcxImageInfoItem(TCollection* ACollection)
    : TCollectionItem(ACollection), FImageInfo(std::make_unique<TcxImageInfo>()) {
  if (auto* infos = dynamic_cast<TcxImageInfoCollection*>(ACollection))
    SetCompressData(infos->CompressData());
}

TcxImageInfoItem::TcxImageInfoItem(TCollection* ACollection, TGraphic* AImage, TBitmap* AMask,
                                   TColor AMaskColor)
    : TcxImageInfoItem(ACollection) {
  SetImage(AImage);
  SetMask(AMask);
  SetMaskColor(AMaskColor);
}

TcxImageInfoItem::~TcxImageInfoItem() = default;

void TcxImageInfoItem::Assign(TPersistent* ASource) {
  if (auto* source = dynamic_cast<TcxImageInfoItem*>(ASource)) {
    FImageInfo->Assign(source->ImageInfo());
    SetCompressData(dynamic_cast<TcxImageInfoCollection*>(Collection()) &&
                    static_cast<TcxImageInfoCollection*>(Collection())->CompressData());
    return;
  }
  TCollectionItem::Assign(ASource);
}

String TcxImageInfoItem::ImageClass() const {
  return Image()->ClassName();
}

bool TcxImageInfoItem::IsImageClassStored() const {
  return dynamic_cast<TcxBitmap*>(Image()) == nullptr;
}

void TcxImageInfoItem::SetImageClass(const String& AName) {
  TClass cls = GetClass(StringToUtf8(AName));
  if (!cls || !cls->InheritsFrom(TGraphic::StaticClass()))
    throw EdxException(u"The \"" + AName + u"\" is invalid graphic class");
  std::unique_ptr<TObject> instance(cls->Create(nullptr));
  auto* graphic = dynamic_cast<TGraphic*>(instance.get());
  if (!graphic) throw EdxException(u"The \"" + AName + u"\" is invalid graphic class");
  SetImage(graphic);
}

void TcxImageInfoItem::SetImage(TGraphic* AValue) {
  FImageInfo->SetImage(AValue);
  if (auto* infos = dynamic_cast<TcxImageInfoCollection*>(Collection()))
    SetCompressData(infos->CompressData());
}

void TcxImageInfoItem::SetMask(TBitmap* AValue) {
  FImageInfo->SetMask(AValue);
}

void TcxImageInfoItem::SetCompressData(bool AValue) {
  if (auto* bitmap = dynamic_cast<TcxBitmap*>(Image())) bitmap->SetCompressData(AValue);
  FImageInfo->Mask()->SetCompressData(AValue);
}

// --- TcxImageInfoCollection --------------------------------------------------------------------

TcxImageInfoCollection::TcxImageInfoCollection(TcxCustomImageList* AImageList)
    : TCollection(TcxImageInfoItem::StaticClass()), FImageList(AImageList) {}

TPersistent* TcxImageInfoCollection::GetOwner() const {
  return FImageList;
}

TcxImageInfoItem* TcxImageInfoCollection::Items(int AIndex) const {
  return static_cast<TcxImageInfoItem*>(TCollection::Items(AIndex));
}

TcxImageInfoItem* TcxImageInfoCollection::Add(TGraphic* AImage, TBitmap* AMask, TColor AMaskColor) {
  return new TcxImageInfoItem(this, AImage, AMask, AMaskColor);
}

void TcxImageInfoCollection::SetCompressData(bool AValue) {
  if (AValue == FCompressData) return;
  FCompressData = AValue;
  for (int i = 0; i < Count(); ++i) Items(i)->SetCompressData(AValue);
}

// --- TcxBaseImageList --------------------------------------------------------------------------

void TcxBaseImageList::RegisterProperties(TPropertyRegistrar& r) {
  r.Prop("SourceDPI", &TcxBaseImageList::SourceDPI, &TcxBaseImageList::SetSourceDPI).Default(96);
}

TcxBaseImageList::TcxBaseImageList(TComponent* AOwner) : TCustomImageList(AOwner) {}

void TcxBaseImageList::SetSourceDPI(int32_t AValue) {
  AValue = dxCheckDPIValue(AValue);
  if (AValue == FSourceDPI) return;
  FSourceDPI = AValue;
  Change();
}

// --- TcxCustomImageList ------------------------------------------------------------------------

void TcxCustomImageList::RegisterProperties(TPropertyRegistrar& r) {
  r.Prop("BlendColor", &TcxCustomImageList::BlendColor, &TcxCustomImageList::SetBlendColor, TypeInfoTColor())
      .Default(clNone);
  r.Prop("BkColor", &TcxCustomImageList::BkColor, &TcxCustomImageList::SetBkColor, TypeInfoTColor())
      .Default(clNone);
  r.Prop("ColorDepth", &TcxCustomImageList::ColorDepth, &TcxCustomImageList::SetColorDepth,
         ColorDepthTypeInfo())
      .Default(cd32Bit);
  r.Prop("CompressData", &TcxCustomImageList::CompressData, &TcxCustomImageList::SetCompressData)
      .Default(false);
}

TcxCustomImageList::TcxCustomImageList(TComponent* AOwner) : TcxBaseImageList(AOwner) {
  Initialize();
}

TcxCustomImageList::TcxCustomImageList(int AWidth, int AHeight) : TcxBaseImageList(nullptr) {
  Initialize();
  TCustomImageList::SetSize(std::max(AWidth, 1), std::max(AHeight, 1));
}

void TcxCustomImageList::Initialize() {
  BeginUpdate();
  FImages = std::make_unique<TcxImageInfoCollection>(this);
  FAlphaBlending = true;
  SetColorDepth(cd32Bit);
  CancelUpdate();
}

TcxCustomImageList::~TcxCustomImageList() {
  Destroying();
  cxBroadcastRemoveNotifications(this);
  TdxImageListPaintCache::InvalidateImageList(this);
  FImages.reset();
}

void TcxCustomImageList::EndUpdate() {
  if (FLockCount > 0 && --FLockCount == 0) Change();
}

void TcxCustomImageList::Change() {
  if (FLockCount > 0 || !FImages) return;
  const TComponentState state = ComponentState();
  if (state.Contains(csLoading) || state.Contains(csReading) || state.Contains(csDestroying)) return;
  TdxImageListPaintCache::InvalidateImageList(this);
  if (Count() == FImages->Count())
    TcxBaseImageList::Change();
  else
    SynchronizeImageInfo();
}

// --- Native adds -------------------------------------------------------------------------------

int TcxCustomImageList::NativeAdd(TBitmap* AImage, TBitmap* AMask) {
  if (!AImage || AImage->Empty()) return -1;
  const std::vector<uint32_t> px = ImageListBitmapPixels(AImage, AMask);
  // A picture of whole rows of cells adds every row, as the infos are cut (left to right,
  // top to bottom), so that both sides keep the same images.
  const int w = AImage->Width(), h = AImage->Height();
  const int rows = (h > Height() && h % Height() == 0 && w % Width() == 0) ? h / Height() : 1;
  const int rowHeight = rows > 1 ? Height() : h;
  int first = -1;
  for (int row = 0; row < rows; ++row) {
    const int added = AddCells(px.data() + static_cast<size_t>(row) * rowHeight * w, w, rowHeight);
    if (first < 0) first = added;
  }
  return first;
}

int TcxCustomImageList::NativeAddMasked(TBitmap* AImage, TColor AMaskColor) {
  if (!AImage || AImage->Empty()) return -1;
  std::vector<uint32_t> px = ImageListBitmapPixels(AImage, nullptr);
  const COLORREF key = ColorToRGB(AMaskColor);
  const uint32_t keyRgb = (GetRValue(key) << 16) | (GetGValue(key) << 8) | GetBValue(key);
  for (auto& c : px)
    if ((c & 0xFFFFFF) == keyRgb) c = 0;
  const int w = AImage->Width(), h = AImage->Height();
  const int rows = (h > Height() && h % Height() == 0 && w % Width() == 0) ? h / Height() : 1;
  const int rowHeight = rows > 1 ? Height() : h;
  int first = -1;
  for (int row = 0; row < rows; ++row) {
    const int added = AddCells(px.data() + static_cast<size_t>(row) * rowHeight * w, w, rowHeight);
    if (first < 0) first = added;
  }
  return first;
}

// --- Adding and editing ------------------------------------------------------------------------

int TcxCustomImageList::Add(TGraphic* AImage, TBitmap* AMask) {
  if (!AImage) {
    // Only a mask: it is the picture.
    if (!AMask || AMask->Empty()) return -1;
    AImage = AMask;
    AMask = nullptr;
  }
  if (AImage->Empty()) return -1;
  int result;
  if (auto* bitmap = dynamic_cast<TBitmap*>(AImage)) {
    result = NativeAdd(bitmap, AMask);
  } else if (TcxImageInfoHelper::IsVectorImage(AImage)) {
    TcxBitmap32 rendered(Width(), Height(), true);
    ImageListSmartImage(AImage)->StretchDraw(rendered.Canvas()->Handle(), TRect{0, 0, Width(), Height()});
    result = NativeAdd(&rendered, AMask);
  } else {
    std::unique_ptr<TBitmap> converted(cxGetAsBitmap(AImage));
    result = NativeAdd(converted.get(), AMask);
  }
  if (FSynchronizationLockCount == 0 && result != -1) AddToInternalCollection(AImage, AMask, clNone);
  Change();
  return result;
}

int TcxCustomImageList::Add(TdxCustomSmartImage* AImage) {
  return Add(AImage, nullptr);
}

int TcxCustomImageList::AddMasked(TGraphic* AImage, TColor AMaskColor) {
  if (AMaskColor == clDefault) AMaskColor = TcxImageInfoHelper::GetDefaultTransparentColor(AImage, nullptr);
  if (AMaskColor == clNone) return Add(AImage, nullptr);
  if (!AImage || AImage->Empty()) return -1;
  return InUpdate([&] {
    int result = -1;
    std::unique_ptr<TBitmap> bitmap(cxGetAsBitmap(AImage));
    result = NativeAddMasked(bitmap.get(), AMaskColor);
    if (result >= Count()) result = -1;
    if (FSynchronizationLockCount == 0 && result != -1) AddToInternalCollection(AImage, nullptr, AMaskColor);
    return result;
  });
}

int TcxCustomImageList::AddIcon(TIcon* AIcon) {
  if (!AIcon || AIcon->Empty()) return -1;
  return InUpdate([&] {
    int result = -1;
    TcxBitmap32 cell(Width(), Height(), true);
    AIcon->Draw(cell.Canvas(), TRect{0, 0, Width(), Height()});
    result = NativeAdd(&cell, nullptr);
    if (result != -1 && FSynchronizationLockCount == 0) {
      TcxBitmap image, mask;
      GetNativeImageInfo(this, result, &image, &mask);
      TcxImageInfoItem* item = FImages->Add(&image, &mask, clNone);
      item->ImageInfo()->Dormant();
    }
    return result;
  });
}

int TcxCustomImageList::AddBitmap(TBitmap* AImage, TBitmap* AMask, TColor AMaskColor, bool AStretch,
                                  bool ASmooth) {
  if (!AImage) return -1;
  return InUpdate([&] {
    int result = -1;
    std::unique_ptr<TcxBitmap32> image, mask;
    TBitmap* useImage = AImage;
    TBitmap* useMask = AMask && !AMask->Empty() ? AMask : nullptr;
    if (AImage->Width() != Width() || AImage->Height() != Height()) {
      image = std::make_unique<TcxBitmap32>();
      image->Assign(AImage);
      image->Resize(Width(), Height(), AStretch, ASmooth && AStretch && AImage->PixelFormat() == pf32bit);
      useImage = image.get();
    }
    if (useMask && (useMask->Width() != Width() || useMask->Height() != Height())) {
      mask = std::make_unique<TcxBitmap32>();
      mask->Assign(useMask);
      mask->Resize(Width(), Height(), AStretch, false, clNone);
      useMask = mask.get();
    }
    result = useMask ? Add(useImage, useMask) : AddMasked(useImage, AMaskColor);
    return result;
  });
}

int TcxCustomImageList::AddImage(TCustomImageList* AImages, int AIndex) {
  if (!AImages || AIndex < 0 || AIndex >= AImages->Count()) return -1;
  const int result = Count();
  CopyImages(AImages, AIndex, AIndex);
  return result;
}

int TcxCustomImageList::AddImages(TCustomImageList* AImages) {
  if (!AImages) return -1;
  const int result = Count();
  CopyImages(AImages, 0, -1);
  return result;
}

void TcxCustomImageList::CopyImages(TCustomImageList* AImages, int AStartIndex, int AEndIndex) {
  if (!AImages) return;
  std::unique_ptr<TcxCustomImageList> converted;
  auto* source = dynamic_cast<TcxCustomImageList*>(AImages);
  if (!source) {
    converted = std::make_unique<TcxCustomImageList>(nullptr);
    converted->Assign(AImages);
    source = converted.get();
  }
  const int last = source->FImages->Count() - 1;
  const int endIndex = AEndIndex < 0 ? last : std::min(last, AEndIndex);
  InUpdate([&] {
    for (int i = std::max(AStartIndex, 0); i <= endIndex; ++i) {
      TcxImageInfo* info = source->FImages->Items(i)->ImageInfo();
      if (!info->Mask()->Empty())
        Add(info->Image(), info->Mask());
      else
        AddMasked(info->Image(), info->MaskColor());
    }
  });
}

int TcxCustomImageList::Insert(int AIndex, TGraphic* AImage, TBitmap* AMask) {
  if (AIndex < 0 || AIndex > Count()) return -1;
  return InUpdate([&] {
    int result = -1;
    const int before = Count();
    const int first = Add(AImage, AMask);
    if (first >= 0) {
      const int n = std::min(GetImageCount(AImage ? AImage : AMask, Width(), Height()), Count() - before);
      for (int k = 0; k < n; ++k) Move(first + k, AIndex + k);
      result = AIndex;
    }
    return result;
  });
}

int TcxCustomImageList::InsertMasked(int AIndex, TGraphic* AImage, TColor AMaskColor) {
  if (AIndex < 0 || AIndex > Count()) return -1;
  return InUpdate([&] {
    int result = -1;
    const int before = Count();
    const int first = AddMasked(AImage, AMaskColor);
    if (first >= 0) {
      const int n = std::min(GetImageCount(AImage, Width(), Height()), Count() - before);
      for (int k = 0; k < n; ++k) Move(first + k, AIndex + k);
      result = AIndex;
    }
    return result;
  });
}

int TcxCustomImageList::InsertIcon(int AIndex, TIcon* AIcon) {
  if (AIndex < 0 || AIndex > Count()) return -1;
  return InUpdate([&] {
    int result = -1;
    const int added = AddIcon(AIcon);
    if (added >= 0) {
      Move(added, AIndex);
      result = AIndex;
    }
    return result;
  });
}

int TcxCustomImageList::Replace(int AIndex, TGraphic* AImage, TBitmap* AMask) {
  if (AIndex < 0 || AIndex >= Count()) return -1;
  return InUpdate([&] {
    int result = -1;
    Delete(AIndex);
    result = Insert(AIndex, AImage, AMask);
    return result;
  });
}

int TcxCustomImageList::ReplaceMasked(int AIndex, TGraphic* AImage, TColor AMaskColor) {
  if (AIndex < 0 || AIndex >= Count()) return -1;
  return InUpdate([&] {
    int result = -1;
    Delete(AIndex);
    result = InsertMasked(AIndex, AImage, AMaskColor);
    return result;
  });
}

int TcxCustomImageList::ReplaceIcon(int AIndex, TIcon* AIcon) {
  if (AIndex < 0 || AIndex >= Count()) return -1;
  return InUpdate([&] {
    int result = -1;
    Delete(AIndex);
    result = InsertIcon(AIndex, AIcon);
    return result;
  });
}

void TcxCustomImageList::Move(int ACurIndex, int ANewIndex) {
  if (ACurIndex == ANewIndex) return;
  if (ACurIndex < 0 || ACurIndex >= Count()) RaiseListIndexError(ACurIndex);
  if (ANewIndex < 0 || ANewIndex >= Count()) RaiseListIndexError(ANewIndex);
  BeginUpdate();
  const int step = ANewIndex > ACurIndex ? 1 : -1;
  for (int i = ACurIndex; i != ANewIndex; i += step) SwapCells(i, i + step);
  if (ACurIndex < FImages->Count() && ANewIndex < FImages->Count())
    FImages->Items(ACurIndex)->SetIndex(ANewIndex);
  EndUpdate();
}

void TcxCustomImageList::Delete(int AIndex) {
  if (AIndex == -1) return Clear();
  InUpdate([&] {
    TCustomImageList::Delete(AIndex);
    if (AIndex < FImages->Count()) FImages->Delete(AIndex);
  });
}

void TcxCustomImageList::Clear() {
  BeginUpdate();
  DeleteCells(-1);
  FImages->Clear();
  EndUpdate();
}

void TcxCustomImageList::SetSize(int AWidth, int AHeight) {
  AWidth = std::max(AWidth, 1);
  AHeight = std::max(AHeight, 1);
  if (AWidth == Width() && AHeight == Height()) return;
  BeginUpdate();
  Clear();
  TCustomImageList::SetSize(AWidth, AHeight);
  EndUpdate();
}

void TcxCustomImageList::Assign(TPersistent* ASource) {
  auto* source = dynamic_cast<TCustomImageList*>(ASource);
  if (!source || source == this) return;
  InUpdate([&] {
    TCustomImageList::Assign(source);
    Clear();
    if (auto* library = dynamic_cast<TcxCustomImageList*>(source)) {
      CopyImages(library, 0, -1);
    } else {
      for (int i = 0; i < source->Count(); ++i) {
        TcxBitmap image, mask;
        GetNativeImageInfo(source, i, &image, &mask);
        Add(&image, &mask);
      }
    }
  });
}

// --- The two sides in step ---------------------------------------------------------------------

bool TcxCustomImageList::CanSplitImage(TGraphic* AImage) const {
  if (!AImage || AImage->Empty()) return false;
  if (AImage->Width() == Width() && AImage->Height() == Height()) return false;
  return AImage->Width() % Width() == 0 && AImage->Height() % Height() == 0 &&
         !TcxImageInfoHelper::IsVectorImage(AImage);
}

int TcxCustomImageList::GetImageCount(TGraphic* AImage, int AWidth, int AHeight) const {
  if (!AImage || AImage->Empty() || AWidth <= 0 || AHeight <= 0) return 1;
  if (AImage->Width() == AWidth && AImage->Height() == AHeight) return 1;
  if (AImage->Width() % AWidth != 0 || AImage->Height() % AHeight != 0 ||
      TcxImageInfoHelper::IsVectorImage(AImage))
    return 1;
  return (AImage->Width() / AWidth) * (AImage->Height() / AHeight);
}

void TcxCustomImageList::AddToInternalCollection(TGraphic* AImage, TBitmap* AMask, TColor AMaskColor) {
  if (!CanSplitImage(AImage)) {
    FImages->Add(AImage, AMask, AMaskColor)->ImageInfo()->Dormant();
    return;
  }
  const int columns = AImage->Width() / Width(), rows = AImage->Height() / Height();
  const bool hasMask = AMask && !AMask->Empty();
  const TPixelFormat imageFormat = TcxImageInfoHelper::GetPixelFormat(AImage) == 32 ? pf32bit : pf24bit;
  for (int row = 0; row < rows; ++row)
    for (int column = 0; column < columns; ++column) {
      const TRect cellRect = Bounds(column * Width(), row * Height(), Width(), Height());
      TcxBitmap image(Width(), Height(), imageFormat);
      cxClearBitmap(&image);
      TcxImageInfoHelper::CopyRect(&image, AImage, cellRect);
      TcxBitmap mask;
      if (hasMask) {
        mask.SetPixelFormat(AMask->PixelFormat());
        mask.SetSize(Width(), Height());
        cxClearBitmap(&mask);
        TcxImageInfoHelper::CopyRect(&mask, AMask, cellRect);
      }
      FImages->Add(&image, hasMask ? &mask : nullptr, AMaskColor)->ImageInfo()->Dormant();
    }
}

void TcxCustomImageList::SynchronizeImageInfo() {
  FImages->BeginUpdate();
  try {
    FImages->Clear();
    for (int i = 0; i < Count(); ++i) {
      TcxBitmap image, mask;
      GetNativeImageInfo(this, i, &image, &mask);
      FImages->Add(&image, &mask, clNone)->ImageInfo()->Dormant();
    }
  } catch (...) {
    FImages->EndUpdate();
    throw;
  }
  FImages->EndUpdate();
}

void TcxCustomImageList::SynchronizeHandle() {
  BeginUpdate();
  ++FSynchronizationLockCount;
  try {
    DeleteCells(-1);
    for (int i = 0; i < FImages->Count();) {
      TcxImageInfo* info = FImages->Items(i)->ImageInfo();
      const int before = Count();
      int added = -1;
      try {
        added = !info->Mask()->Empty() ? Add(info->Image(), info->Mask())
                                       : AddMasked(info->Image(), info->MaskColor());
      } catch (const Exception&) {
        // An image that cannot be decoded fails to add like any other.
      }
      if (added == -1) {
        FImages->Delete(i);
        continue;
      }
      // One cell per image: a kept image wider than a cell (stored for another size) would
      // otherwise add several and put every later image out of step.
      while (Count() > before + 1) DeleteCells(Count() - 1);
      info->Dormant();
      ++i;
    }
  } catch (...) {
    --FSynchronizationLockCount;
    EndUpdate();
    throw;
  }
  --FSynchronizationLockCount;
  EndUpdate();
}

int TcxCustomImageList::VectorImageCount() const {
  int n = 0;
  for (int i = 0; i < FImages->Count(); ++i)
    n += TcxImageInfoHelper::IsVectorImage(FImages->Items(i)->Image());
  return n;
}

// --- Reading images ----------------------------------------------------------------------------

void TcxCustomImageList::GetNativeImageInfo(TCustomImageList* ANative, int AIndex, TBitmap* AImage,
                                            TBitmap* AMask) {
  if (!ANative || ANative->Count() == 0 || AIndex >= ANative->Count() || AIndex < -1) {
    if (AMask) AMask->SetSize(0, 0);
    return;
  }
  const int w = ANative->Width(), h = ANative->Height();
  if (AIndex == -1) {
    // The whole native picture: every cell side by side.
    const int n = ANative->Count();
    std::vector<uint32_t> all(static_cast<size_t>(w) * n * h), mask(all.size());
    for (int i = 0; i < n; ++i) {
      const std::vector<uint32_t>& cell = ANative->Pixels(i);
      for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
          const uint32_t v = cell[static_cast<size_t>(y) * w + x];
          const size_t at = static_cast<size_t>(y) * w * n + static_cast<size_t>(i) * w + x;
          all[at] = v;
          mask[at] = (v >> 24) == 0 ? 0xFFFFFFFFu : 0xFF000000u;
        }
    }
    if (AImage) ImageListPixelsToBitmap(all.data(), w * n, h, AImage);
    if (AMask) {
      AMask->LoadFromPixels(w * n, h, mask.data());
      AMask->SetPixelFormat(pf1bit);
    }
    return;
  }
  if (AImage) {
    TcxBitmap32 cell(w, h);
    ImageListPixelsToBitmap(ANative->Pixels(AIndex).data(), w, h, &cell);
    if (AImage->Empty()) {
      AImage->SetPixelFormat(pf32bit);
      AImage->SetSize(w, h);
    }
    ImageListPutBitmap(AImage, &cell);
    if (cxImageListCorrectAlphaChannel && AImage->PixelFormat() == pf32bit && dxIsAlphaUsed(AImage))
      cxImageListCorrectAlphaChannel(AImage);
  }
  if (AMask) ANative->GetMaskBitmap(AIndex, AMask);
}

int TcxCustomImageList::GetPixelFormat(TCustomImageList* ANative) {
  return ANative && ANative->Count() > 0 ? 32 : 0;
}

void TcxCustomImageList::GetImageInfo(TCustomImageList* AImages, int AIndex, TBitmap* AImage, TBitmap* AMask,
                                      IdxColorPalette* APalette) {
  if (auto* library = dynamic_cast<TcxCustomImageList*>(AImages))
    library->GetImageInfo(AIndex, AImage, AMask, APalette);
  else
    GetNativeImageInfo(AImages, AIndex, AImage, AMask);
}

void TcxCustomImageList::GetImageInfo(int AIndex, TBitmap* AImage, TBitmap* AMask, IdxColorPalette* APalette,
                                      TdxDefaultBoolean* AIsAlphaUsed) {
  if (AIndex == -1) return GetNativeImageInfo(this, -1, AImage, AMask);
  if (AIndex < 0 || AIndex >= FImages->Count()) return;
  TcxImageInfo* info = FImages->Items(AIndex)->ImageInfo();
  TGraphic* image = info->Image();
  if (TcxImageInfoHelper::GetPixelFormat(image) == 32) {
    if (AImage) {
      if (AImage->Empty()) {
        AImage->SetPixelFormat(pf32bit);
        AImage->SetSize(Width(), Height());
      }
      if (TdxCustomSmartImage* smart = ImageListSmartImage(image)) {
        cxClearBitmap(AImage);
        smart->StretchDraw(AImage->Canvas()->Handle(), TRect{0, 0, AImage->Width(), AImage->Height()}, 255,
                           APalette);
      } else if (!image->Empty()) {
        cxStretchGraphic(AImage, image, false);
      } else {
        cxClearBitmap(AImage);
      }
    }
    if (AIsAlphaUsed && *AIsAlphaUsed == bDefault) *AIsAlphaUsed = info->IsAlphaUsed() ? bTrue : bFalse;
    if (AMask) {
      if (!info->Mask()->Empty()) {
        AMask->Assign(info->Mask());
      } else {
        if (info->InternalMask()->Empty() && AIndex < Count())
          GetNativeImageInfo(this, AIndex, nullptr, info->InternalMask());
        AMask->Assign(info->InternalMask());
      }
    }
  } else {
    GetNativeImageInfo(this, AIndex < Count() ? AIndex : Count(), AImage, AMask);
    if (AIsAlphaUsed && *AIsAlphaUsed == bDefault) *AIsAlphaUsed = bFalse;
  }
  if (ImageListIsBitmap(image)) info->Dormant();
}

void TcxCustomImageList::GetImage(int AIndex, TBitmap* AImage) {
  GetImageInfo(AIndex, AImage, nullptr);
}

void TcxCustomImageList::GetMask(int AIndex, TBitmap* AMask) {
  GetImageInfo(AIndex, nullptr, AMask);
}

void TcxCustomImageList::GetImage(int AIndex, TdxCustomSmartImage* AImage) {
  if (!AImage || AIndex < 0 || AIndex >= FImages->Count()) return;
  TGraphic* image = FImages->Items(AIndex)->Image();
  if (TcxImageInfoHelper::GetPixelFormat(image) == 32) {
    AImage->Assign(image);
    return;
  }
  TcxBitmap bitmap;
  GetImageInfo(AIndex, &bitmap, nullptr);
  AImage->Assign(&bitmap);
}

bool TcxCustomImageList::IsEquals(TCustomImageList* AImages1, TCustomImageList* AImages2) {
  const int count1 = AImages1 ? AImages1->Count() : 0, count2 = AImages2 ? AImages2->Count() : 0;
  if (count1 != count2) return false;
  if (count1 == 0) return true;
  TMemoryStream stream1, stream2;
  AImages1->WriteCells(&stream1);
  AImages2->WriteCells(&stream2);
  return stream1.Size() == stream2.Size() &&
         std::memcmp(stream1.Memory(), stream2.Memory(), static_cast<size_t>(stream1.Size())) == 0;
}

// --- Drawing -----------------------------------------------------------------------------------

void TcxCustomImageList::Draw(TCanvas* ACanvas, const TRect& ARect, int AIndex, bool AStretch,
                              bool ASmoothResize, bool AEnabled) {
  DoDrawEx(AIndex, ACanvas, ARect, cxGetImageListStyle(DrawingStyle(), ImageType()), AStretch, ASmoothResize,
           AEnabled);
}

void TcxCustomImageList::DoDraw(int Index, TCanvas* Canvas, int X, int Y, uint32_t Style, bool Enabled) {
  DoDrawEx(Index, Canvas, Bounds(X, Y, Width(), Height()), Style, false, false, Enabled);
}

void TcxCustomImageList::DoDrawEx(int AIndex, TCanvas* ACanvas, const TRect& ARect, uint32_t AStyle,
                                  bool AStretch, bool ASmoothResize, bool AEnabled) {
  if (!ACanvas || AIndex < 0 || AIndex >= Count()) return;
  if (ARect.Width() == Width() && ARect.Height() == Height()) AStretch = false;
  const TRect target = AStretch ? ARect : cxRectCenter(ARect, Width(), Height());
  const TcxImageDrawMode drawMode = EnabledImageDrawModeMap[AEnabled ? 1 : 0];
  TcxCanvas canvas(ACanvas);
  if (FAlphaBlending) {
    canvas.SaveClipRegion();
    ScopeExit restoreClip{[&] { canvas.RestoreClipRegion(); }};
    canvas.IntersectClipRect(ARect);
    cxDrawImage(&canvas, target, nullptr, this, AIndex, ifmStretch, drawMode, false, nullptr, nullptr,
                ASmoothResize);
  } else if (AStretch) {
    TcxBitmap32 cell(Width(), Height(), true);
    TCustomImageList::DoDraw(AIndex, cell.Canvas(), 0, 0, AStyle, true);
    cxDrawImage(&canvas, target, &cell, ifmStretch, nullptr, nullptr, ASmoothResize);
  } else {
    TCustomImageList::DoDraw(AIndex, ACanvas, target.Left, target.Top, AStyle, AEnabled);
  }
}

void TcxCustomImageList::DrawOverlay(TCanvas* ACanvas, int X, int Y, int AImageIndex, int AOverlay,
                                     bool AEnabled) {
  DrawOverlay(ACanvas, X, Y, AImageIndex, AOverlay, DrawingStyle(), ImageType(), AEnabled);
}

void TcxCustomImageList::DrawOverlay(TCanvas* ACanvas, int X, int Y, int AImageIndex, int AOverlay,
                                     TDrawingStyle ADrawingStyle, TImageType AImageType, bool AEnabled) {
  const uint32_t overlay = INDEXTOOVERLAYMASK(static_cast<uint32_t>(AOverlay + 1)) & ILD_OVERLAYMASK;
  TCustomImageList::DoDraw(AImageIndex, ACanvas, X, Y,
                           cxGetImageListStyle(ADrawingStyle, AImageType) | overlay, AEnabled);
}

// --- Stored data -------------------------------------------------------------------------------

void TcxCustomImageList::ReadImageInfo(TReader* AReader) {
  FImages->Clear();
  try {
    AReader->ReadCollection(FImages.get());
  } catch (...) {
    // Damaged images leave no half-read collection behind: the infos follow the cells.
    SynchronizeImageInfo();
    throw;
  }
  if (Count() != FImages->Count()) SynchronizeHandle();
}

void TcxCustomImageList::DefineProperties(TFiler* Filer) {
  Filer->DefineProperty(
      u"FormatVersion", [this](TReader* r) { FFormatVersion = r->ReadInteger(); },
      [this](TWriter* w) {
        FFormatVersion = DXILVersion;
        w->WriteInteger(DXILVersion);
      },
      true);
  if (dynamic_cast<TReader*>(Filer)) {
    TcxBaseImageList::DefineProperties(Filer);
    if (FFormatVersion == 0) SynchronizeImageInfo();
  } else if (MulDiv(Count(), 1, 3) < VectorImageCount()) {
    // Vector images are costly to render: the rendered cells are stored as well.
    TcxBaseImageList::DefineProperties(Filer);
  }
  Filer->DefineProperty(
      u"DesignInfo", [this](TReader* r) { SetDesignInfo(static_cast<uint32_t>(r->ReadInteger())); },
      [this](TWriter* w) { w->WriteInteger(static_cast<int32_t>(DesignInfo())); }, true);
  Filer->DefineProperty(
      u"ImageInfo", [this](TReader* r) { ReadImageInfo(r); },
      [this](TWriter* w) { w->WriteCollection(FImages.get()); }, FImages->Count() > 0);
}

}  // namespace qd
