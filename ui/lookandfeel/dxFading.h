#pragma once
// The fader: cross-fades a part of a control between its normal and its hot picture when the
// hot state changes. One process-wide TdxFader runs every fade on one 10 ms window timer; a
// part takes part by implementing IdxFadingObject (usually through TdxFadingObjectHelper) and
// draws the current blended frame with DrawFadeImage while its fade runs.
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/base/geometry.h"
#include "platform/classes/classes.h"
#include "platform/classes/rtti.h"
#include "platform/forms/graphics.h"
#include "ui/core/cxClasses.h"
#include "ui/graphics/cxGraphicsBitmap.h"
#include "ui/graphics/dxCoreGraphics.h"
#include "ui/graphics/dxGDIPlusAPI.h"
#include "ui/graphics/dxGDIPlusImage.h"
#include "ui/lookandfeel/cxLookAndFeelPainters.h"

namespace qd {

class TTimer;

enum TdxFadingState : uint8_t { fsFadeIn, fsFadeOut };
// fasDefault follows the system's menu-animation setting.
enum TdxFaderAnimationState : uint8_t { fasDefault, fasEnabled, fasDisabled };

constexpr int32_t dxFadeInDefaultAnimationFrameCount = 4;
constexpr int32_t dxFadeInDefaultAnimationFrameDelay = 15;
constexpr int32_t dxFadeOutDefaultAnimationFrameCount = 12;
constexpr int32_t dxFadeOutDefaultAnimationFrameDelay = 20;

// An object that fades. An object answering CanFade with True sets both pictures in
// GetFadingImages (to new bitmaps of equal size, or to none); the fader owns them.
class IdxFadingObject {
 public:
  virtual ~IdxFadingObject() = default;
  virtual bool CanFade() = 0;
  // The current frame changed or the fade ended: repaint (typically invalidate).
  virtual void DrawFadeImage() = 0;
  // The look outside the hot state and the hot look.
  virtual void GetFadingImages(std::unique_ptr<TcxBitmap>& AFadeOutImage,
                               std::unique_ptr<TcxBitmap>& AFadeInImage) = 0;
};

class TdxFadingOptions;

// Implemented beside IdxFadingObject by an object that chooses its own frame counts and
// delays; nullptr keeps the defaults. The object keeps ownership.
class IdxFadingObjectFadingOptions {
 public:
  virtual ~IdxFadingObjectFadingOptions() = default;
  virtual TdxFadingOptions* GetFadingOptions() = 0;
};

class TdxFadingOptions : public TPersistent {
  QD_CLASS(TdxFadingOptions, TPersistent)
  QD_PUBLISHED(TdxFadingOptions)

 public:
  TdxFadingOptions() = default;
  void Assign(TPersistent* Source) override;

  int32_t FadeInFrameCount() const { return FFadeInFrameCount; }
  int32_t FadeInFrameDelay() const { return FFadeInFrameDelay; }
  int32_t FadeOutFrameCount() const { return FFadeOutFrameCount; }
  int32_t FadeOutFrameDelay() const { return FFadeOutFrameDelay; }
  // Frame counts are clamped to 0..32, delays (ms) to 10..300.
  void SetFadeInFrameCount(int32_t AValue);
  void SetFadeInFrameDelay(int32_t AValue);
  void SetFadeOutFrameCount(int32_t AValue);
  void SetFadeOutFrameDelay(int32_t AValue);

  bool IsFadeInFrameCountStored() const { return FFadeInFrameCount != dxFadeInDefaultAnimationFrameCount; }
  bool IsFadeInFrameDelayStored() const { return FFadeInFrameDelay != dxFadeInDefaultAnimationFrameDelay; }
  bool IsFadeOutFrameCountStored() const { return FFadeOutFrameCount != dxFadeOutDefaultAnimationFrameCount; }
  bool IsFadeOutFrameDelayStored() const { return FFadeOutFrameDelay != dxFadeOutDefaultAnimationFrameDelay; }

 private:
  int32_t FFadeInFrameCount = dxFadeInDefaultAnimationFrameCount;
  int32_t FFadeInFrameDelay = dxFadeInDefaultAnimationFrameDelay;
  int32_t FFadeOutFrameCount = dxFadeOutDefaultAnimationFrameCount;
  int32_t FFadeOutFrameDelay = dxFadeOutDefaultAnimationFrameDelay;
};

class TdxFader;

// The current blended frame: a 32-bit GDI+ image with straight alpha.
using TdxFadingImage = std::unique_ptr<TdxGPImage>;

// One running fade, keyed by the faded object. Created and freed by the fader.
class TdxFadingElement : public TcxIUnknownObject {
  QD_CLASS(TdxFadingElement, TcxIUnknownObject)

 public:
  TdxFadingElement(TdxFader* AOwner, TObject* AElement, IdxFadingObject* AFadingObject);
  // Leaves the fader's list (which re-validates the queue).
  ~TdxFadingElement() override;

  // Count clamped to 1..32, delay to 1..300 ms; one timer tick (10 ms) per delay step, at
  // least one.
  void SetAnimationParams(int32_t AAnimationFrameCount, int32_t AAnimationFrameDelay);
  // The start and target pictures (alpha-corrected), then the frame of the current stage.
  void SetImages(TBitmap* AImage1, TBitmap* AImage2);
  // One timer tick.
  void ProcessFadeStep();
  // Clears the work image (the object repaints once) and frees the element.
  void Finalize();

  TObject* Element() const { return FElement; }
  IdxFadingObject* FadingObject() const { return FFadingObject; }
  int32_t AnimationFrameCount() const { return FAnimationFrameCount; }
  int32_t AnimationFrameDelay() const { return FAnimationFrameDelay; }
  int32_t DelayCount() const { return FDelayCount; }
  int32_t Stage() const { return FStage; }
  void SetStage(int32_t AValue) { FStage = AValue; }
  TSize ImageSize() const { return FImageSize; }
  TdxGPImage* WorkImage() const { return FWorkImage.get(); }
  bool Finalizing() const { return FFinalizing; }
  // The work image as a new 32-bit bitmap (nullptr without a work image).
  std::unique_ptr<TBitmap> WorkImageAsBitmap() const;

 protected:
  void BuildWorkImage();
  // A different image is stored, the object is told, and only then the previous one freed.
  void SetWorkImage(TdxFadingImage AImage);

 private:
  int32_t FAnimationFrameCount = 1;
  int32_t FAnimationFrameDelay = 1;
  int32_t FDelayCount = 1;
  int32_t FDelayIndex = 0;
  TObject* FElement;
  IdxFadingObject* FFadingObject;
  TSize FImageSize{};
  TdxFader* FOwner;
  int32_t FStage = 0;
  TdxFadingImage FWorkImage;
  TRGBColors FImage1Colors;
  TRGBColors FImage2Colors;
  bool FFinalizing = false;
};

// The running elements, oldest first. Not owning: each element leaves the list when freed.
class TdxFadingList {
 public:
  int32_t Count() const { return static_cast<int32_t>(FItems.size()); }
  TdxFadingElement* GetItems(int32_t Index) const { return FItems[static_cast<size_t>(Index)]; }
  int32_t IndexOf(const TdxFadingElement* AElement) const;
  void Add(TdxFadingElement* AElement) { FItems.push_back(AElement); }
  void Remove(TdxFadingElement* AElement);
  // Frees every element, then empties the list.
  void Clear();
  const std::vector<TdxFadingElement*>& Items() const { return FItems; }

 private:
  std::vector<TdxFadingElement*> FItems;
};

class TdxFader : public TObject {
  QD_CLASS(TdxFader, TObject)

 public:
  TdxFader();
  ~TdxFader() override;

  // fasEnabled, or fasDefault while the system animates menus.
  bool Active() const;
  // Active, a queue, GDI+ and a screen of more than 16 bits per pixel.
  bool IsReady() const;
  int32_t MaxAnimationCount() const { return FMaxAnimationCount; }
  // Clamped to 0..20; a change validates the queue.
  void SetMaxAnimationCount(int32_t AValue);
  TdxFaderAnimationState State() const { return FState; }
  void SetState(TdxFaderAnimationState AValue) { FState = AValue; }

  bool CanFade(TObject* AObject, IdxFadingObject*& AFadingObject) const;
  bool CanFade(TObject* AObject) const;
  bool Contains(TObject* AObject) const;
  bool Find(TObject* AObject, TdxFadingElement*& AFadingElement) const;

  void Fade(TObject* AObject, TdxFadingState AState);
  void FadeIn(TObject* AObject) { Fade(AObject, fsFadeIn); }
  void FadeOut(TObject* AObject) { Fade(AObject, fsFadeOut); }
  // Blends from AImage1 to AImage2; both bitmaps are freed on return, whether a fade
  // started or not.
  void Fade(TObject* AObject, std::unique_ptr<TBitmap> AImage1, std::unique_ptr<TBitmap> AImage2,
            int32_t AAnimationFrameCount, int32_t AAnimationFrameDelay);

  // The object's current frame stretched into R; False without an element or a frame.
  bool DrawFadeImage(TObject* AObject, HDC DC, const TRect& R) const;
  // Ends the object's fade. ADestroying: freed without a last notification of the object.
  void Remove(TObject* AObject, bool ADestroying);
  // Frees every element without notifying the objects.
  void Clear();

  int32_t Count() const { return FList.Count(); }
  bool TimerEnabled() const;

  // Called by the elements.
  void AddFadingElement(TdxFadingElement* AElement);
  void RemoveFadingElement(TdxFadingElement* AElement);

 protected:
  void DoTimer(TObject* Sender);
  // Finalizes the oldest elements beyond MaxAnimationCount, then runs the timer exactly
  // while the list is not empty.
  void ValidateQueue();

 private:
  TdxFadingList FList;
  int32_t FMaxAnimationCount = 10;
  TdxFaderAnimationState FState = fasDefault;
  std::unique_ptr<TTimer> FTimer;
};

// The base of the fading parts of controls and editors; descendants supply CanFade,
// DrawFadeImage and GetFadingImages.
class TdxFadingObjectHelper : public TcxIUnknownObject, public IdxFadingObject {
  QD_CLASS(TdxFadingObjectHelper, TcxIUnknownObject)

 public:
  TdxFadingObjectHelper() = default;
  ~TdxFadingObjectHelper() override;

  void FadeIn();
  void FadeOut();
  void StopFading();
  bool GetActive() const;
  bool DrawImage(HDC DC, const TRect& R);
  // Hot from default or normal fades in, back fades out; other changes stop the fade.
  void CheckStartFading(TcxButtonState APrevState, TcxButtonState AState);

  bool CanFade() override { return false; }
  void DrawFadeImage() override {}
  void GetFadingImages(std::unique_ptr<TcxBitmap>&, std::unique_ptr<TcxBitmap>&) override {}
};

class TdxFadingHelper {
 public:
  // The colour as RGB (system colours resolved); pure black becomes RGB(1, 1, 1) so that
  // CorrectAlphaChannel makes it opaque.
  static TColor CheckColor(TColor AColor);
  // Pixels with alpha 0 that are not pure black become opaque.
  static void CorrectAlphaChannel(TBitmap* ABitmap);
  static void CorrectAlphaChannel(TRGBColors& AColors);
};

// The global fader (nullptr outside the unit's start-up and shut-down).
TdxFader* dxFader();

namespace dxFading {
void Initialize();
void Finalize();
}  // namespace dxFading

}  // namespace qd
