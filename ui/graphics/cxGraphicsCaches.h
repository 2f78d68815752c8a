#pragma once
// Two process-wide drawing caches: one solid brush per colour, and per image list and drawn
// size the finished 32-bit renderings of its entries.
#include <cstdint>
#include <deque>
#include <memory>
#include <unordered_map>
#include <utility>
#include <vector>

#include "platform/base/geometry.h"
#include "platform/forms/graphics.h"
#include "platform/forms/imglist.h"
#include "platform/os/objidl.h"
#include "ui/graphics/cxGraphicsAlphaBitmap.h"
#include "ui/graphics/cxGraphicsCanvas.h"
#include "ui/graphics/dxCoreGraphics.h"
#include "ui/graphics/dxGDIPlusClasses.h"

namespace qd {

enum TcxImageDrawMode : uint8_t;
class TdxGPCanvas;

// The value cache (TdxCustomValueCacheManager) of the GDI+ classes, instantiated for
// system brushes.
class TdxSolidBrushCacheManager final : public TdxCustomValueCacheManager<TColor, HBRUSH> {
 public:
  using TdxCustomValueCacheManager::TdxCustomValueCacheManager;
  ~TdxSolidBrushCacheManager() override { Clear(); }

 protected:
  int32_t Compare(const TColor& A, const TColor& B) override;
  void CreateValue(const TColor& AKey, HBRUSH& AValue) override;
  void DoRemove(const HBRUSH& AValue) override;
};

class TdxSolidBrushCache {
 public:
  // Owned by the cache; never deleted by the caller.
  static HBRUSH Get(TColor AColor);
  static void Clear();
  static void Initialize();
  static void Finalize();
  static TdxSolidBrushCacheManager* Data() { return FData; }

 private:
  static TdxSolidBrushCacheManager* FData;
};

#pragma pack(push, 1)
struct TdxDrawImageCacheID {
  uint8_t DrawMode = 0;
  TGraphic* Glyph = nullptr;
  int32_t ImageIndex = 0;
  TCustomImageList* ImageList = nullptr;
  TGUID PaletteID{};
  uint8_t SmoothImage = 0;
  TColor TransparentColor = 0;
  uint8_t UseLeftBottomPixelAsTransparent = 0;

  TdxDrawImageCacheID() { Reset(); }
  TdxDrawImageCacheID(TCustomImageList* AImages, int32_t AImageIndex, IdxColorPalette* APalette,
                      TcxImageDrawMode ADrawMode, bool ASmoothImage, bool AUseLeftBottomPixelAsTransparent);
  void Reset();
  bool operator==(const TdxDrawImageCacheID& AOther) const;
};
#pragma pack(pop)

struct TdxDrawImageCacheIDHash {
  size_t operator()(const TdxDrawImageCacheID& AID) const;
};

struct TdxSizeHash {
  size_t operator()(const TSize& ASize) const {
    return std::hash<uint64_t>()((static_cast<uint64_t>(static_cast<uint32_t>(ASize.cx)) << 32) |
                                 static_cast<uint32_t>(ASize.cy));
  }
};

class TdxImageListPaintCache {
 public:
  // The finished renderings of one size (opaque entries as premultiplied 32-bit bitmaps).
  using TImages =
      std::unordered_map<TdxDrawImageCacheID, std::unique_ptr<TcxAlphaBitmap>, TdxDrawImageCacheIDHash>;

  class TImageListCacheHelper : public TComponent {
    QD_CLASS(TImageListCacheHelper, TComponent)

   public:
    TImageListCacheHelper(TCustomImageList* AImageList, int32_t AMaxSizeCount);
    ~TImageListCacheHelper() override;
    TImages* GetImages(const TSize& ASize);
    void Invalidate();
    TCustomImageList* ImageList() const { return FImageList; }
    int32_t MaxSizeCount() const { return FMaxSizeCount; }
    const std::deque<TSize>& Sizes() const { return FSizes; }

   protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

   private:
    void ImageListChanged(TObject* Sender);

    TCustomImageList* FImageList;
    std::unique_ptr<TChangeLink> FImagesChangeLink;
    std::unordered_map<TSize, std::unique_ptr<TImages>, TdxSizeHash> FSizedImages;
    std::deque<TSize> FSizes;
    TSize FLastSize;
    TImages* FLastImages = nullptr;
    int32_t FMaxSizeCount;
  };

  static void Draw(TcxCanvas* ACanvas, const TRect& ABounds, TCustomImageList* AImages, int32_t AImageIndex,
                   TcxImageDrawMode ADrawMode, bool AUseLeftBottomPixelAsTransparent,
                   IdxColorPalette* APalette, bool ASmoothImage);
  static void Draw(TdxGPCanvas* AGPCanvas, const TRect& ABounds, TCustomImageList* AImages,
                   int32_t AImageIndex, IdxColorPalette* APalette, bool AUseLeftBottomPixelAsTransparent,
                   TcxImageDrawMode ADrawMode);
  static void InvalidateImageList(TCustomImageList* AImages);
  static void PrepareImage(TcxAlphaBitmap& ATarget, const TSize& ASize, IdxColorPalette* APalette,
                           const TdxDrawImageCacheID& AID);
  static void Initialize();
  static void Finalize();
  // The list cache of the image list, or nullptr.
  static TImageListCacheHelper* FindHelper(TCustomImageList* AImages);
  // How many renderings were made so far (each cache miss makes one).
  static int32_t RenderCount() { return FRenderCount; }

 private:
  friend class TImageListCacheHelper;
  static TcxAlphaBitmap* GetImage(const TSize& ASize, TCustomImageList* AImages, int32_t AImageIndex,
                                  TcxImageDrawMode ADrawMode, bool AUseLeftBottomPixelAsTransparent,
                                  IdxColorPalette* APalette, bool ASmoothImage);
  static void RemoveHelper(TImageListCacheHelper* AHelper);

  static std::unordered_map<TCustomImageList*, std::unique_ptr<TImageListCacheHelper>>* FImages;
  static TCustomImageList* FLastImages;
  static TImageListCacheHelper* FLastHelper;
  static TcxAlphaBitmap* FTransferBitmap;
  static int32_t FRenderCount;
};

}  // namespace qd
