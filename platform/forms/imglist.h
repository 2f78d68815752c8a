#pragma once
// Image lists: images of one size kept as 32-bit pixels with alpha, drawn with blending.
#include <cstdint>
#include <vector>

#include "platform/classes/classes.h"
#include "platform/forms/controls.h"
#include "platform/forms/graphics.h"
#include "platform/os/user.h"

namespace qd {

class TCustomImageList;
class TStream;

enum TColorDepth : uint8_t { cdDeviceDependent, cd4Bit, cd8Bit, cd16Bit, cd24Bit, cd32Bit };
enum TDrawingStyle : uint8_t { dsFocus, dsSelected, dsNormal, dsTransparent };
enum TImageType : uint8_t { itImage, itMask };

// Draw styles of an image-list cell (the common-controls values).
inline constexpr uint32_t ILD_NORMAL = 0;
inline constexpr uint32_t ILD_TRANSPARENT = 0x1;
inline constexpr uint32_t ILD_FOCUS = 0x2;
inline constexpr uint32_t ILD_SELECTED = 0x4;
inline constexpr uint32_t ILD_MASK = 0x10;
inline constexpr uint32_t ILD_OVERLAYMASK = 0xF00;
// The style bits that draw overlay image AOverlay (1 .. 15).
inline constexpr uint32_t INDEXTOOVERLAYMASK(uint32_t AOverlay) {
  return AOverlay << 8;
}

const TTypeInfo* ColorDepthTypeInfo();
const TTypeInfo* DrawingStyleTypeInfo();
const TTypeInfo* ImageTypeTypeInfo();

// Tells its owner when the image list it is registered with changes; unregisters itself
// when destroyed, and is forgotten when the list is destroyed.
class TChangeLink : public TObject {
  QD_CLASS(TChangeLink, TObject)

 public:
  TChangeLink() = default;
  ~TChangeLink() override;
  TChangeLink(const TChangeLink&) = delete;
  TChangeLink& operator=(const TChangeLink&) = delete;

  TCustomImageList* Sender() const { return sender_; }
  void SetSender(TCustomImageList* Value) { sender_ = Value; }
  virtual void Change();

  TNotifyEvent OnChange;

 private:
  TCustomImageList* sender_ = nullptr;
};

class TCustomImageList : public TComponent {
  QD_CLASS(TCustomImageList, TComponent)
  QD_PUBLISHED(TCustomImageList)

 public:
  explicit TCustomImageList(TComponent* AOwner);
  TCustomImageList(int AWidth, int AHeight);
  ~TCustomImageList() override;

  void Assign(TPersistent* Source) override;

  int Width() const { return width_; }
  void SetWidth(int Value);
  int Height() const { return height_; }
  void SetHeight(int Value);
  // Both at once; a change removes every image.
  virtual void SetSize(int AWidth, int AHeight);
  int Count() const { return static_cast<int>(images_.size()); }

  int AllocBy() const { return allocBy_; }
  void SetAllocBy(int Value) { allocBy_ = Value; }
  TColor BkColor() const { return bkColor_; }
  void SetBkColor(TColor Value);
  TColor BlendColor() const { return blendColor_; }
  void SetBlendColor(TColor Value);
  TColorDepth ColorDepth() const { return colorDepth_; }
  void SetColorDepth(TColorDepth Value);
  TDrawingStyle DrawingStyle() const { return drawingStyle_; }
  void SetDrawingStyle(TDrawingStyle Value);
  TImageType ImageType() const { return imageType_; }
  void SetImageType(TImageType Value);
  bool ShareImages() const { return shareImages_; }
  void SetShareImages(bool Value) { shareImages_ = Value; }

  // Adds the image (a bitmap as wide as several images adds each of them); Mask, when
  // given, makes its white pixels transparent. Returns the index of the first one.
  int Add(TBitmap* Image, TBitmap* Mask = nullptr);
  // Adds with the pixels of MaskColor transparent.
  int AddMasked(TBitmap* Image, TColor MaskColor);
  // Adds a graphic of any class (drawn with its transparency).
  int AddGraphic(TGraphic* Graphic);
  void Delete(int Index);
  void Clear();
  // Draws image Index with its top-left corner at (X, Y); disabled images are drawn grey
  // and faded.
  void Draw(TCanvas* Canvas, int X, int Y, int Index, bool Enabled = true);
  void Draw(TCanvas* Canvas, int X, int Y, int Index, TDrawingStyle ADrawingStyle, TImageType AImageType,
            bool Enabled = true);
  // Makes image ImageIndex overlay number Overlay (0 .. 14), drawn on top of a cell whose
  // style carries INDEXTOOVERLAYMASK(Overlay + 1).
  bool Overlay(int ImageIndex, int Overlay);
  // The image as straight-alpha pixels (0xAARRGGBB, top-down).
  const std::vector<uint32_t>& Pixels(int Index) const;
  void GetBitmap(int Index, TBitmap* Image);
  // The cell's mask as a 1-bit bitmap of the cell size: white where the image is fully
  // transparent, black elsewhere.
  void GetMaskBitmap(int Index, TBitmap* Mask);

  // The cells themselves, without change notification: the operations every add, delete
  // and move is made of. AddCells takes straight-alpha pixels (0xAARRGGBB, top-down) and
  // adds as many cells as the width holds (at least one); it returns the first new index,
  // -1 for an empty picture.
  int AddCells(const uint32_t* Pixels, int W, int H);
  // Index -1 removes every cell; an index out of range raises EListError.
  void DeleteCells(int Index);
  void SwapCells(int Index1, int Index2);
  // The cells in the list's stored form ("Bitmap" in stored forms): "QDIL", a 16-bit
  // version, width, height and count as 32-bit values, then the pixels of every cell.
  void WriteCells(TStream* Stream) const;
  // Replaces the size and the cells; damaged or truncated data raises EReadError and
  // leaves the list as it was.
  void ReadCells(TStream* Stream);

  void DefineProperties(TFiler* Filer) override;

  TNotifyEvent OnChange;

  // Change links are told of every change, after OnChange.
  void RegisterChanges(TChangeLink* Value);
  void UnRegisterChanges(TChangeLink* Value);

 protected:
  virtual void Change();
  // Draws cell Index at (X, Y) with a style of ILD_ values; every draw ends here.
  virtual void DoDraw(int Index, TCanvas* Canvas, int X, int Y, uint32_t Style, bool Enabled = true);

 private:
  int AddPixels(const std::vector<uint32_t>& Pixels, int W, int H);

  int width_ = 16;
  int height_ = 16;
  int allocBy_ = 4;
  TColor bkColor_ = clNone;
  TColor blendColor_ = clNone;
  TColorDepth colorDepth_ = cd24Bit;
  TDrawingStyle drawingStyle_ = dsNormal;
  TImageType imageType_ = itImage;
  bool shareImages_ = false;
  int overlays_[15] = {-1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1};
  std::vector<std::vector<uint32_t>> images_;
  std::vector<TChangeLink*> changeLinks_;
};

class TImageList : public TCustomImageList {
  QD_CLASS(TImageList, TCustomImageList)

 public:
  using TCustomImageList::TCustomImageList;
};

// An image list that shows one of its images in a window of its own that follows the mouse
// while something is dragged (imglist_drag.cpp). The window is topmost, never activates and
// lets the mouse through.
class TDragImageList : public TCustomImageList {
  QD_CLASS(TDragImageList, TCustomImageList)

 public:
  using TCustomImageList::TCustomImageList;
  ~TDragImageList() override;

  // The image shown while dragging and its hot spot (the point under the mouse).
  bool SetDragImage(int Index, int HotSpotX, int HotSpotY);
  int DragIndex() const { return dragIndex_; }
  TPoint DragHotspot() const { return hotspot_; }
  TCursor DragCursor() const { return dragCursor_; }
  void SetDragCursor(TCursor Value) { dragCursor_ = Value; }

  // Starts showing the image with the hot spot at (X, Y) of Window's client area (screen
  // coordinates for nullptr or the desktop); false when there is no image to show.
  bool BeginDrag(HWND Window, int X, int Y);
  // Moves the image; (X, Y) in the coordinates BeginDrag was given.
  bool DragMove(int X, int Y);
  bool EndDrag();
  void HideDragImage();
  void ShowDragImage();
  bool Dragging() const { return dragging_; }
  // The image's window (nullptr when none is shown), for tests.
  HWND DragWindow() const { return window_; }

 private:
  void PlaceWindow();

  int dragIndex_ = 0;
  TPoint hotspot_;
  TCursor dragCursor_ = crDrag;
  bool dragging_ = false;
  bool shown_ = false;
  HWND lockWindow_ = nullptr;
  TPoint position_;  // the hot spot's screen position
  HWND window_ = nullptr;
};

}  // namespace qd
