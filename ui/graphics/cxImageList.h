#pragma once
// The library's image list: beside the platform list's cells (the native list every caller
// of a standard image list sees) it keeps each image as it was added, with its own class (a
// bitmap, a PNG or an SVG smart image) and its mask, so that drawing at any size takes the
// sharp original. The stored form writes those images; when vector images dominate it also
// writes the rendered cells, so that reading needs no rendering.
#include <cstdint>
#include <memory>
#include <type_traits>

#include "platform/base/geometry.h"
#include "platform/classes/classes.h"
#include "platform/forms/graphics.h"
#include "platform/forms/imglist.h"
#include "ui/core/dxCore.h"
#include "ui/graphics/cxGraphicsBitmap.h"
#include "ui/graphics/dxCoreGraphics.h"

namespace qd {

class TcxCanvas;
class TcxCustomImageList;
class TdxCustomSmartImage;

// The stream format version written as "FormatVersion".
inline constexpr int32_t DXILVersion = 1;

// Style bits of a drawing style and an image type.
inline constexpr uint32_t DrawingStyles[4] = {ILD_FOCUS, ILD_SELECTED, ILD_NORMAL, ILD_TRANSPARENT};
inline constexpr uint32_t ImageTypes[2] = {0, ILD_MASK};
uint32_t cxGetImageListStyle(TDrawingStyle ADrawingStyle, TImageType AImageType);

// The alpha correction of cells read from a native list; the fader unit sets it at start-up
// (nullptr: cells are taken as they are).
using TcxImageListCorrectAlphaChannelProc = void (*)(TBitmap* ABitmap);
extern TcxImageListCorrectAlphaChannelProc cxImageListCorrectAlphaChannel;

// True for the library's own image lists.
bool cxIsLibraryImageList(TCustomImageList* AImages);

// One image of the list, as it was added.
class TcxImageInfo : public TPersistent {
  QD_CLASS(TcxImageInfo, TPersistent)

 public:
  TcxImageInfo();
  ~TcxImageInfo() override;
  void Assign(TPersistent* ASource) override;

  TGraphic* Image() const { return FImage.get(); }
  // Recreates the image as AValue's class when that differs, then assigns AValue.
  void SetImage(TGraphic* AValue);
  TcxBitmap* Mask() const { return FMask.get(); }
  void SetMask(TBitmap* AValue);
  TColor MaskColor() const { return FMaskColor; }
  void SetMaskColor(TColor AValue) { FMaskColor = AValue; }
  // The mask taken from the native list when the info has none.
  TcxBitmap* InternalMask() const { return FInternalMask.get(); }

  // A real mask colour or a mask bitmap.
  bool HasMask() const;
  // Bakes the mask (or mask colour) into a 32-bit image with alpha and drops it.
  void ConvertTo32Bit();
  // ConvertTo32Bit, then the image at the new size; raises EdxException (empty message) for
  // a graphic that is neither a smart image nor a bitmap.
  void Resize(const TSize& ASize);
  // Releases the device handles and decoded data of the image and the mask.
  void Dormant();
  // "BMP", the codec's extension of a smart image, or "IMG".
  String ImageType() const;
  bool IsAlphaUsed();
  void FlushMask();

 private:
  void ImageChanged(TObject* Sender);
  void SetImageInstance(std::unique_ptr<TGraphic> AImage);

  std::unique_ptr<TGraphic> FImage;
  std::unique_ptr<TcxBitmap> FMask;
  TColor FMaskColor = clNone;
  std::unique_ptr<TcxBitmap> FInternalMask;
  TdxDefaultBoolean FIsAlphaUsed = bDefault;
};

class TcxImageInfoItem : public TCollectionItem {
  QD_CLASS(TcxImageInfoItem, TCollectionItem)
  QD_PUBLISHED(TcxImageInfoItem)

 public:
  explicit TcxImageInfoItem(TCollection* ACollection);
  TcxImageInfoItem(TCollection* ACollection, TGraphic* AImage, TBitmap* AMask, TColor AMaskColor);
  ~TcxImageInfoItem() override;
  void Assign(TPersistent* ASource) override;

  TcxImageInfo* ImageInfo() const { return FImageInfo.get(); }
  // The class name of the image.
  String ImageClass() const;
  // The class registered under AName must be a graphic class (else EdxException).
  void SetImageClass(const String& AName);
  bool IsImageClassStored() const;
  TGraphic* Image() const { return FImageInfo->Image(); }
  void SetImage(TGraphic* AValue);
  TBitmap* Mask() const { return FImageInfo->Mask(); }
  void SetMask(TBitmap* AValue);
  TColor MaskColor() const { return FImageInfo->MaskColor(); }
  void SetMaskColor(TColor AValue) { FImageInfo->SetMaskColor(AValue); }
  void SetCompressData(bool AValue);

 private:
  std::unique_ptr<TcxImageInfo> FImageInfo;
};

class TcxImageInfoCollection : public TCollection {
  QD_CLASS(TcxImageInfoCollection, TCollection)

 public:
  explicit TcxImageInfoCollection(TcxCustomImageList* AImageList = nullptr);
  TPersistent* GetOwner() const override;
  TcxImageInfoItem* Items(int AIndex) const;
  TcxImageInfoItem* Add(TGraphic* AImage, TBitmap* AMask, TColor AMaskColor);
  bool CompressData() const { return FCompressData; }
  void SetCompressData(bool AValue);
  TcxCustomImageList* ImageList() const { return FImageList; }

 private:
  TcxCustomImageList* FImageList;
  bool FCompressData = false;
};

class TcxBaseImageList : public TCustomImageList {
  QD_CLASS(TcxBaseImageList, TCustomImageList)
  QD_PUBLISHED(TcxBaseImageList)

 public:
  explicit TcxBaseImageList(TComponent* AOwner);
  int32_t SourceDPI() const { return FSourceDPI; }
  // Clamped to the supported DPI range; a change runs Change.
  void SetSourceDPI(int32_t AValue);

 protected:
  int32_t FSourceDPI = 96;
};

class TcxCustomImageList : public TcxBaseImageList {
  QD_CLASS(TcxCustomImageList, TcxBaseImageList)
  QD_PUBLISHED(TcxCustomImageList)

 public:
  explicit TcxCustomImageList(TComponent* AOwner);
  // A list of that cell size (the framework list's sized constructor).
  TcxCustomImageList(int AWidth, int AHeight);
  ~TcxCustomImageList() override;

  // Adding and editing: each returns the index of the first new image or -1.
  int Add(TGraphic* AImage, TBitmap* AMask);
  int Add(TdxCustomSmartImage* AImage);
  // The spelling of the neighbouring services: a bitmap with a mask colour.
  int Add(TBitmap* AImage, TColor AMaskColor) { return AddMasked(AImage, AMaskColor); }
  // clNone adds as Add(AImage, nullptr); clDefault takes the image's default transparent
  // colour.
  int AddMasked(TGraphic* AImage, TColor AMaskColor);
  int AddIcon(TIcon* AIcon);
  int AddBitmap(TBitmap* AImage, TBitmap* AMask, TColor AMaskColor, bool AStretch, bool ASmooth);
  int AddImage(TCustomImageList* AImages, int AIndex);
  int AddImages(TCustomImageList* AImages);
  void CopyImages(TCustomImageList* AImages, int AStartIndex = 0, int AEndIndex = -1);
  int Insert(int AIndex, TGraphic* AImage, TBitmap* AMask);
  int InsertMasked(int AIndex, TGraphic* AImage, TColor AMaskColor);
  int InsertIcon(int AIndex, TIcon* AIcon);
  int Replace(int AIndex, TGraphic* AImage, TBitmap* AMask);
  int ReplaceMasked(int AIndex, TGraphic* AImage, TColor AMaskColor);
  int ReplaceIcon(int AIndex, TIcon* AIcon);
  void Move(int ACurIndex, int ANewIndex);
  // -1 removes every image.
  void Delete(int AIndex);
  void Clear();
  void SetSize(int AWidth, int AHeight) override;
  void Assign(TPersistent* ASource) override;

  void BeginUpdate() { ++FLockCount; }
  void EndUpdate();
  void CancelUpdate() { --FLockCount; }

  // Reading images. AIsAlphaUsed, when given and bDefault, learns whether the image uses
  // alpha (bFalse for images below 32 bits).
  void GetImageInfo(int AIndex, TBitmap* AImage, TBitmap* AMask, IdxColorPalette* APalette = nullptr,
                    TdxDefaultBoolean* AIsAlphaUsed = nullptr);
  void GetImage(int AIndex, TBitmap* AImage);
  void GetMask(int AIndex, TBitmap* AMask);
  void GetImage(int AIndex, TdxCustomSmartImage* AImage);
  static void GetImageInfo(TCustomImageList* AImages, int AIndex, TBitmap* AImage, TBitmap* AMask,
                           IdxColorPalette* APalette = nullptr);
  // The native path: the cell (or, for -1, every cell side by side) and its mask.
  static void GetNativeImageInfo(TCustomImageList* ANative, int AIndex, TBitmap* AImage, TBitmap* AMask);
  // Bits per pixel of the native cells (0 when there are none).
  static int GetPixelFormat(TCustomImageList* ANative);
  static bool IsEquals(TCustomImageList* AImages1, TCustomImageList* AImages2);
  int GetImageCount(TGraphic* AImage, int AWidth, int AHeight) const;

  // Drawing.
  void Draw(TCanvas* ACanvas, const TRect& ARect, int AIndex, bool AStretch = true,
            bool ASmoothResize = false, bool AEnabled = true);
  using TCustomImageList::Draw;
  void DrawOverlay(TCanvas* ACanvas, int X, int Y, int AImageIndex, int AOverlay, bool AEnabled = true);
  void DrawOverlay(TCanvas* ACanvas, int X, int Y, int AImageIndex, int AOverlay, TDrawingStyle ADrawingStyle,
                   TImageType AImageType, bool AEnabled = true);

  bool CompressData() const { return FImages->CompressData(); }
  void SetCompressData(bool AValue) { FImages->SetCompressData(AValue); }
  TcxImageInfoCollection* ImageInfos() const { return FImages.get(); }
  int32_t FormatVersion() const { return FFormatVersion; }
  bool AlphaBlending() const { return FAlphaBlending; }
  int LockCount() const { return FLockCount; }

  void DefineProperties(TFiler* Filer) override;

  // The native list from the infos, and the infos from the native list.
  void SynchronizeHandle();
  void SynchronizeImageInfo();

 protected:
  // Runs AWork inside one update that ends also when AWork raises. Ending an update may itself
  // raise (it synchronises cells and images), so no destructor ends it.
  template <class F>
  auto InUpdate(F&& AWork) {
    BeginUpdate();
    if constexpr (std::is_void_v<std::invoke_result_t<F&>>) {
      try {
        AWork();
      } catch (...) {
        EndUpdate();
        throw;
      }
      EndUpdate();
    } else {
      std::invoke_result_t<F&> result;
      try {
        result = AWork();
      } catch (...) {
        EndUpdate();
        throw;
      }
      EndUpdate();
      return result;
    }
  }

  void Change() override;
  void DoDraw(int Index, TCanvas* Canvas, int X, int Y, uint32_t Style, bool Enabled = true) override;
  void DoDrawEx(int AIndex, TCanvas* ACanvas, const TRect& ARect, uint32_t AStyle, bool AStretch,
                bool ASmoothResize, bool AEnabled);
  bool CanSplitImage(TGraphic* AImage) const;
  void AddToInternalCollection(TGraphic* AImage, TBitmap* AMask, TColor AMaskColor);

 private:
  void Initialize();
  int NativeAdd(TBitmap* AImage, TBitmap* AMask);
  int NativeAddMasked(TBitmap* AImage, TColor AMaskColor);
  int VectorImageCount() const;
  void ReadImageInfo(TReader* AReader);

  std::unique_ptr<TcxImageInfoCollection> FImages;
  bool FAlphaBlending = false;
  int32_t FFormatVersion = 0;
  int FLockCount = 0;
  int FSynchronizationLockCount = 0;
};

class TcxImageList : public TcxCustomImageList {
  QD_CLASS(TcxImageList, TcxCustomImageList)

 public:
  using TcxCustomImageList::TcxCustomImageList;
};

// Helpers on the graphics an image list keeps.
class TcxImageInfoHelper {
 public:
  // ASource's area ARect into ADest at (0, 0).
  static void CopyRect(TBitmap* ADest, TGraphic* ASource, const TRect& ARect);
  // A bitmap's own bits per pixel, 24 for a metafile, 32 for every other graphic.
  static int GetPixelFormat(TGraphic* AImage);
  static TColor GetDefaultTransparentColor(TGraphic* AImage, TBitmap* AMask);
  static bool IsVectorImage(TGraphic* AImage);
};

}  // namespace qd
