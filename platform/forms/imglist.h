#pragma once
// Image lists: images of one size kept as 32-bit pixels with alpha, drawn with blending.
#include <vector>

#include "platform/classes/classes.h"
#include "platform/forms/graphics.h"

namespace qd {

class TCustomImageList;

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

  int Width() const { return width_; }
  void SetWidth(int Value);
  int Height() const { return height_; }
  void SetHeight(int Value);
  int Count() const { return static_cast<int>(images_.size()); }

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
  // The image as straight-alpha pixels (0xAARRGGBB, top-down).
  const std::vector<uint32_t>& Pixels(int Index) const;
  void GetBitmap(int Index, TBitmap* Image);

  TNotifyEvent OnChange;

  // Change links are told of every change, after OnChange.
  void RegisterChanges(TChangeLink* Value);
  void UnRegisterChanges(TChangeLink* Value);

 protected:
  virtual void Change();

 private:
  int AddPixels(const std::vector<uint32_t>& Pixels, int W, int H);

  int width_ = 16;
  int height_ = 16;
  std::vector<std::vector<uint32_t>> images_;
  std::vector<TChangeLink*> changeLinks_;
};

class TImageList : public TCustomImageList {
  QD_CLASS(TImageList, TCustomImageList)

 public:
  using TCustomImageList::TCustomImageList;
};

}  // namespace qd
