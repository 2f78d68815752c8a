#include "ui/graphics/cxGraphicsCaches.h"

#include <algorithm>
#include <cstring>

#include "platform/os/gdi.h"
#include "platform/os/user.h"
#include "ui/core/dxHash.h"
#include "ui/core/dxThemeManager.h"
#include "ui/graphics/cxGraphicsBlend.h"
#include "ui/graphics/cxGraphicsImages.h"
#include "ui/graphics/cxImageList.h"
#include "ui/graphics/dxGDIPlusCanvas.h"

namespace qd {

QD_IMPLEMENT_CLASS(TdxImageListPaintCache::TImageListCacheHelper)

// --- Solid brushes -----------------------------------------------------------------------------

int32_t TdxSolidBrushCacheManager::Compare(const TColor& A, const TColor& B) {
  // Colour values span the whole 32-bit range (system colours are negative).
  const int64_t d = static_cast<int64_t>(A) - static_cast<int64_t>(B);
  return d < 0 ? -1 : d > 0 ? 1 : 0;
}

void TdxSolidBrushCacheManager::CreateValue(const TColor& AKey, HBRUSH& AValue) {
  AValue = CreateSolidBrush(ColorToRGB(AKey));
}

void TdxSolidBrushCacheManager::DoRemove(const HBRUSH& AValue) {
  DeleteObject(AValue);
}

TdxSolidBrushCacheManager* TdxSolidBrushCache::FData = nullptr;

namespace {

// Brushes of system colours go stale when the system colours change; until the painters'
// palette listener exists, the theme manager's notification (sent for theme and system-colour
// changes alike) clears the cache.
std::unique_ptr<TdxThemeChangedNotificator> CachesBrushColorListener;

}  // namespace

HBRUSH TdxSolidBrushCache::Get(TColor AColor) {
  if (!FData) Initialize();
  return FData->GetValue(AColor);
}

void TdxSolidBrushCache::Clear() {
  if (FData) FData->Clear();
}

void TdxSolidBrushCache::Initialize() {
  if (!FData) FData = new TdxSolidBrushCacheManager(128);
  if (!CachesBrushColorListener) {
    CachesBrushColorListener = std::make_unique<TdxThemeChangedNotificator>();
    CachesBrushColorListener->SetOnThemeChanged(TdxThemeChangedEvent(&TdxSolidBrushCache::Clear));
  }
}

void TdxSolidBrushCache::Finalize() {
  CachesBrushColorListener.reset();
  delete FData;
  FData = nullptr;
}

// --- Image cache key ---------------------------------------------------------------------------

TdxDrawImageCacheID::TdxDrawImageCacheID(TCustomImageList* AImages, int32_t AImageIndex,
                                         IdxColorPalette* APalette, TcxImageDrawMode ADrawMode,
                                         bool ASmoothImage, bool AUseLeftBottomPixelAsTransparent) {
  Reset();
  DrawMode = ADrawMode;
  ImageIndex = AImageIndex;
  ImageList = AImages;
  PaletteID = dxGetColorPaletteID(APalette);
  SmoothImage = ASmoothImage;
  TransparentColor = clNone;
  UseLeftBottomPixelAsTransparent = AUseLeftBottomPixelAsTransparent;
}

void TdxDrawImageCacheID::Reset() {
  std::memset(static_cast<void*>(this), 0, sizeof(*this));
}

bool TdxDrawImageCacheID::operator==(const TdxDrawImageCacheID& AOther) const {
  return std::memcmp(this, &AOther, sizeof(*this)) == 0;
}

size_t TdxDrawImageCacheIDHash::operator()(const TdxDrawImageCacheID& AID) const {
  return dxBobJenkinsHash(&AID, sizeof(AID), 0);
}

// --- Image-list paint cache --------------------------------------------------------------------

std::unordered_map<TCustomImageList*, std::unique_ptr<TdxImageListPaintCache::TImageListCacheHelper>>*
    TdxImageListPaintCache::FImages = nullptr;
TCustomImageList* TdxImageListPaintCache::FLastImages = nullptr;
TdxImageListPaintCache::TImageListCacheHelper* TdxImageListPaintCache::FLastHelper = nullptr;
TcxAlphaBitmap* TdxImageListPaintCache::FTransferBitmap = nullptr;
int32_t TdxImageListPaintCache::FRenderCount = 0;

TdxImageListPaintCache::TImageListCacheHelper::TImageListCacheHelper(TCustomImageList* AImageList,
                                                                     int32_t AMaxSizeCount)
    : TComponent(nullptr), FImageList(AImageList), FLastSize(cxInvalidSize), FMaxSizeCount(AMaxSizeCount) {
  if (FMaxSizeCount <= 0) FMaxSizeCount = 2 * std::max(GetSystemMetrics(SM_CMONITORS), 1);
  // The library's lists invalidate their entries themselves when they change.
  if (!cxIsLibraryImageList(AImageList)) {
    FImagesChangeLink = std::make_unique<TChangeLink>();
    FImagesChangeLink->OnChange = TNotifyEvent(this, &TImageListCacheHelper::ImageListChanged);
    AImageList->RegisterChanges(FImagesChangeLink.get());
  }
  AImageList->FreeNotification(this);
}

TdxImageListPaintCache::TImageListCacheHelper::~TImageListCacheHelper() {
  if (FImageList) {
    if (FImagesChangeLink) FImageList->UnRegisterChanges(FImagesChangeLink.get());
    FImageList->RemoveFreeNotification(this);
  }
}

TdxImageListPaintCache::TImages* TdxImageListPaintCache::TImageListCacheHelper::GetImages(
    const TSize& ASize) {
  if (FLastImages && ASize == FLastSize) return FLastImages;
  auto it = FSizedImages.find(ASize);
  if (it == FSizedImages.end()) {
    if (static_cast<int32_t>(FSizes.size()) >= FMaxSizeCount && !FSizes.empty()) {
      FSizedImages.erase(FSizes.front());
      FSizes.pop_front();
    }
    FSizes.push_back(ASize);
    auto images = std::make_unique<TImages>(static_cast<size_t>(std::max(FImageList->Count(), 1)));
    it = FSizedImages.emplace(ASize, std::move(images)).first;
  }
  FLastSize = ASize;
  FLastImages = it->second.get();
  return FLastImages;
}

void TdxImageListPaintCache::TImageListCacheHelper::Invalidate() {
  FLastSize = cxInvalidSize;
  FLastImages = nullptr;
  FSizes.clear();
  FSizedImages.clear();
}

void TdxImageListPaintCache::TImageListCacheHelper::Notification(TComponent* AComponent,
                                                                 TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FImageList) {
    if (FImagesChangeLink) FImagesChangeLink->SetSender(nullptr);
    FImageList = nullptr;
    TdxImageListPaintCache::RemoveHelper(this);  // frees this
  }
}

void TdxImageListPaintCache::TImageListCacheHelper::ImageListChanged(TObject*) {
  Invalidate();
}

TdxImageListPaintCache::TImageListCacheHelper* TdxImageListPaintCache::FindHelper(TCustomImageList* AImages) {
  if (!FImages) return nullptr;
  auto it = FImages->find(AImages);
  return it == FImages->end() ? nullptr : it->second.get();
}

void TdxImageListPaintCache::RemoveHelper(TImageListCacheHelper* AHelper) {
  if (FLastHelper == AHelper) {
    FLastHelper = nullptr;
    FLastImages = nullptr;
  }
  if (!FImages) return;
  for (auto it = FImages->begin(); it != FImages->end(); ++it)
    if (it->second.get() == AHelper) {
      // Freed after leaving the map, so that its destructor finds no stale entry.
      std::unique_ptr<TImageListCacheHelper> owned = std::move(it->second);
      FImages->erase(it);
      return;
    }
}

TcxAlphaBitmap* TdxImageListPaintCache::GetImage(const TSize& ASize, TCustomImageList* AImages,
                                                 int32_t AImageIndex, TcxImageDrawMode ADrawMode,
                                                 bool AUseLeftBottomPixelAsTransparent,
                                                 IdxColorPalette* APalette, bool ASmoothImage) {
  if (!FImages) Initialize();
  TImageListCacheHelper* helper = nullptr;
  if (AImages == FLastImages && FLastHelper) {
    helper = FLastHelper;
  } else {
    helper = FindHelper(AImages);
    if (!helper) {
      auto created = std::make_unique<TImageListCacheHelper>(AImages, 0);
      helper = created.get();
      FImages->emplace(AImages, std::move(created));
    }
    FLastImages = AImages;
    FLastHelper = helper;
  }
  TImages* images = helper->GetImages(ASize);
  const TdxDrawImageCacheID id(AImages, AImageIndex, APalette, ADrawMode, ASmoothImage,
                               AUseLeftBottomPixelAsTransparent);
  auto it = images->find(id);
  if (it == images->end()) {
    auto image = std::make_unique<TcxAlphaBitmap>(ASize.cx, ASize.cy);
    PrepareImage(*image, ASize, APalette, id);
    it = images->emplace(id, std::move(image)).first;
  }
  return it->second.get();
}

void TdxImageListPaintCache::PrepareImage(TcxAlphaBitmap& ATarget, const TSize& ASize,
                                          IdxColorPalette* APalette, const TdxDrawImageCacheID& AID) {
  ++FRenderCount;
  if (!FTransferBitmap) FTransferBitmap = new TcxAlphaBitmap(ASize.cx, ASize.cy);
  FTransferBitmap->RefreshImage(ASize.cx, ASize.cy);
  const TRect all = FTransferBitmap->ClientRect();
  cxDrawImage(FTransferBitmap->Canvas()->Handle(), all, all, nullptr, AID.ImageList, AID.ImageIndex,
              static_cast<TcxImageDrawMode>(AID.DrawMode), AID.SmoothImage != 0, nullptr,
              AID.TransparentColor, AID.UseLeftBottomPixelAsTransparent != 0, APalette);
  ATarget.SetSize(ASize.cx, ASize.cy);
  ATarget.CopyBitmap(FTransferBitmap);
}

void TdxImageListPaintCache::Draw(TcxCanvas* ACanvas, const TRect& ABounds, TCustomImageList* AImages,
                                  int32_t AImageIndex, TcxImageDrawMode ADrawMode,
                                  bool AUseLeftBottomPixelAsTransparent, IdxColorPalette* APalette,
                                  bool ASmoothImage) {
  if (ABounds.IsEmpty() || !IsImageAssigned(AImages, AImageIndex)) return;
  TcxAlphaBitmap* image = GetImage(TSize{ABounds.Width(), ABounds.Height()}, AImages, AImageIndex, ADrawMode,
                                   AUseLeftBottomPixelAsTransparent, APalette, ASmoothImage);
  cxAlphaBlend(ACanvas->Handle(), image, ABounds, image->ClientRect(), false, 255);
}

void TdxImageListPaintCache::Draw(TdxGPCanvas* AGPCanvas, const TRect& ABounds, TCustomImageList* AImages,
                                  int32_t AImageIndex, IdxColorPalette* APalette,
                                  bool AUseLeftBottomPixelAsTransparent, TcxImageDrawMode ADrawMode) {
  if (ABounds.IsEmpty() || !IsImageAssigned(AImages, AImageIndex)) return;
  TcxAlphaBitmap* image = GetImage(TSize{ABounds.Width(), ABounds.Height()}, AImages, AImageIndex, ADrawMode,
                                   AUseLeftBottomPixelAsTransparent, APalette, true);
  HDC dc = AGPCanvas->GetHDC();
  cxAlphaBlend(dc, image, ABounds, image->ClientRect(), true, 255);
  AGPCanvas->ReleaseHDC(dc);
}

void TdxImageListPaintCache::InvalidateImageList(TCustomImageList* AImages) {
  if (TImageListCacheHelper* helper = FindHelper(AImages)) helper->Invalidate();
}

void TdxImageListPaintCache::Initialize() {
  if (!FImages) FImages = new std::unordered_map<TCustomImageList*, std::unique_ptr<TImageListCacheHelper>>();
  if (!FTransferBitmap) FTransferBitmap = new TcxAlphaBitmap();
}

void TdxImageListPaintCache::Finalize() {
  FLastImages = nullptr;
  FLastHelper = nullptr;
  delete FImages;
  FImages = nullptr;
  delete FTransferBitmap;
  FTransferBitmap = nullptr;
}

}  // namespace qd
