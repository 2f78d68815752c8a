#pragma once
// The progress bar: a read-only editor whose edit value is a number drawn as a filled bar
// between a minimum and a maximum, with a caption, solid, gradient, bitmap or animated
// fills (each also as LEDs), an overload zone, a peak marker, a marquee mode, vertical
// orientation and right-to-left layout.
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/forms/graphics.h"
#include "ui/core/cxClassesTimer.h"
#include "ui/editors/cxEdit.h"
#include "ui/editors/concrete/cxSpinEdit.h"
#include "ui/editors/cxTextEdit.h"
#include "ui/graphics/cxGraphicsAlphaBitmap.h"
#include "ui/graphics/cxGraphicsBitmap.h"

namespace qd {

// The odd ordinals are the LED variants.
enum TcxProgressBarBarStyle : uint8_t {
  cxbsSolid,
  cxbsLEDs,
  cxbsGradient,
  cxbsGradientLEDs,
  cxbsBitmap,
  cxbsBitmapLEDs,
  cxbsAnimation,
  cxbsAnimationLEDs
};
enum TcxProgressBarTextStyle : uint8_t { cxtsPercent, cxtsPosition, cxtsText };
enum TcxProgressBarAnimationPath : uint8_t { cxapCycle, cxapPingPong };
enum TcxProgressBarBevelOuter : uint8_t { cxbvNone, cxbvLowered, cxbvRaised };
enum TcxProgressBarOrientation : uint8_t { cxorHorizontal, cxorVertical };
using TcxProgressBarAnimationSpeed = uint8_t;  // 0..20
using TcxBorderWidth = uint16_t;
using TcxNaturalNumber = int32_t;  // 1..2147483647

constexpr uint32_t cxProgressBarAnimationInterval = 30;
constexpr TcxProgressBarAnimationSpeed cxProgressBarMaxAnimationSpeed = 20;

class TcxCustomProgressBar;
class TcxCustomProgressBarProperties;
class TcxCustomProgressBarViewInfo;

// Whether Max and Min were assigned (published as "Max" and "Min").
class TcxProgressBarPropertiesValues : public TcxCustomEditPropertiesValues {
  QD_CLASS(TcxProgressBarPropertiesValues, TcxCustomEditPropertiesValues)
  QD_PUBLISHED(TcxProgressBarPropertiesValues)

 public:
  using TcxCustomEditPropertiesValues::TcxCustomEditPropertiesValues;
  // A set flag is stored only with a value of 0 (a stored non-zero value implies it).
  bool IsMaxStored() const;
  bool IsMinStored() const;
};

// A change watcher of one progress bar.
class TcxProgressBarListener : public TObject {
  QD_CLASS(TcxProgressBarListener, TObject)

 public:
  explicit TcxProgressBarListener(TcxCustomProgressBar* AProgressBar) : FProgressBar(AProgressBar) {}
  void DoChanged();
  TcxCustomProgressBar* ProgressBar() const { return FProgressBar; }
  TNotifyEvent OnChanged;

 private:
  TcxCustomProgressBar* FProgressBar;
};

class TcxCustomProgressBarProperties : public TcxCustomEditProperties {
  QD_CLASS(TcxCustomProgressBarProperties, TcxCustomEditProperties)

 public:
  explicit TcxCustomProgressBarProperties(TPersistent* AOwner);
  ~TcxCustomProgressBarProperties() override;

  TcxProgressBarPropertiesValues* AssignedValues() const {
    return static_cast<TcxProgressBarPropertiesValues*>(TcxCustomEditProperties::AssignedValues());
  }

  TcxProgressBarAnimationPath AnimationPath() const { return FAnimationPath; }
  void SetAnimationPath(TcxProgressBarAnimationPath Value) { SetValue(FAnimationPath, Value); }
  uint32_t AnimationRestartDelay() const { return FAnimationRestartDelay; }
  void SetAnimationRestartDelay(uint32_t Value) { SetValue(FAnimationRestartDelay, Value); }
  TcxProgressBarAnimationSpeed AnimationSpeed() const { return FAnimationSpeed; }
  // Limited to 20.
  void SetAnimationSpeed(TcxProgressBarAnimationSpeed Value);
  TcxProgressBarBevelOuter BarBevelOuter() const { return FBarBevelOuter; }
  void SetBarBevelOuter(TcxProgressBarBevelOuter Value) { SetValue(FBarBevelOuter, Value); }
  TcxProgressBarBarStyle BarStyle() const { return FBarStyle; }
  // The animation styles also take the animation's green as the begin colour.
  void SetBarStyle(TcxProgressBarBarStyle Value);
  TColor BeginColor() const { return FBeginColor; }
  void SetBeginColor(TColor Value) { SetValue(FBeginColor, Value); }
  TColor EndColor() const { return FEndColor; }
  void SetEndColor(TColor Value) { SetValue(FEndColor, Value); }
  TcxBorderWidth BorderWidth() const { return FBorderWidth; }
  void SetBorderWidth(TcxBorderWidth Value) { SetValue(FBorderWidth, Value); }
  TBitmap* ForegroundImage() const { return FForegroundImage.get(); }
  void SetForegroundImage(TBitmap* Value);
  bool Marquee() const { return FMarquee; }
  // On: the caption becomes the fixed text.
  void SetMarquee(bool Value);
  // The assigned maximum, or 100 while none is.
  double Max() const { return GetMaxValue(); }
  void SetMax(double Value);
  bool IsMaxStored() const { return AssignedValues()->MaxValue(); }
  // The assigned minimum, or 0 while none is.
  double Min() const { return GetMinValue(); }
  void SetMin(double Value);
  bool IsMinStored() const { return AssignedValues()->MinValue(); }
  TcxProgressBarOrientation Orientation() const { return FOrientation; }
  void SetOrientation(TcxProgressBarOrientation Value) { SetValue(FOrientation, Value); }
  double OverloadValue() const { return FOverloadValue; }
  // Kept within Min and Max.
  void SetOverloadValue(double Value);
  bool IsOverloadValueStored() const { return FOverloadValue != 80; }
  TColor OverloadBeginColor() const { return FOverloadBeginColor; }
  void SetOverloadBeginColor(TColor Value) { SetValue(FOverloadBeginColor, Value); }
  TColor OverloadEndColor() const { return FOverloadEndColor; }
  void SetOverloadEndColor(TColor Value) { SetValue(FOverloadEndColor, Value); }
  bool ShowOverload() const { return FShowOverload; }
  void SetShowOverload(bool Value) { SetValue(FShowOverload, Value); }
  double PeakValue() const { return FPeakValue; }
  void SetPeakValue(double Value) { SetValue(FPeakValue, Value); }
  bool IsPeakValueStored() const { return FPeakValue != 0; }
  TColor PeakColor() const { return FPeakColor; }
  void SetPeakColor(TColor Value) { SetValue(FPeakColor, Value); }
  TcxNaturalNumber PeakSize() const { return FPeakSize; }
  // Values below 1 become 1.
  void SetPeakSize(TcxNaturalNumber Value);
  bool ShowPeak() const { return FShowPeak; }
  void SetShowPeak(bool Value) { SetValue(FShowPeak, Value); }
  bool ShowText() const { return FShowText; }
  void SetShowText(bool Value) { SetValue(FShowText, Value); }
  TcxProgressBarTextStyle ShowTextStyle() const { return FShowTextStyle; }
  // Only cxtsText while Marquee is on.
  void SetShowTextStyle(TcxProgressBarTextStyle Value);
  bool IsShowTextStyleStored() const { return !FMarquee && FShowTextStyle != cxtsPercent; }
  bool SolidTextColor() const { return FSolidTextColor; }
  void SetSolidTextColor(bool Value) { SetValue(FSolidTextColor, Value); }
  const String& Text() const { return FText; }
  // A non-empty text also makes it the caption.
  void SetText(const String& Value);
  TcxProgressBarOrientation TextOrientation() const { return FTextOrientation; }
  void SetTextOrientation(TcxProgressBarOrientation Value) { SetValue(FTextOrientation, Value); }
  bool TransparentImage() const { return FTransparentImage; }
  void SetTransparentImage(bool Value) { SetValue(FTransparentImage, Value); }

  // The stored peak only grows: the result is the position or the peak clamped into
  // [Min, Max], whichever is higher, and the stored peak becomes at least that.
  double GetRealPeakValue(double APosition);
  // APosition clamped into [Min, Max] when Max > Min.
  void CorrectPositionWithMaxMin(double& APosition) const;
  // Set by the control's position setter, cleared by the view data's calculation.
  bool IsPositionChanged() const { return FIsPositionChanged; }
  void SetIsPositionChanged(bool Value) { FIsPositionChanged = Value; }
  bool IsForegroundImageChanged() const { return FIsForegroundImageChanged; }
  void SetIsForegroundImageChanged(bool Value) { FIsForegroundImageChanged = Value; }

  void ChangeScale(int32_t M, int32_t D) override;
  TClass GetViewDataClass() const override;
  TClass GetViewInfoClass() const override;
  TClass GetContainerClass() const override;
  bool HasDisplayValue() override { return true; }
  bool CanCompareEditValue() override { return true; }
  String GetDisplayText(const Variant& AEditValue, bool AFullText = false, bool AIsInplace = true) override;
  TcxEditSupportedOperations GetSupportedOperations() override;
  // 0 to start with; a whole-number string, a number or a date gives the number.
  void PrepareDisplayValue(const Variant& AEditValue, Variant& DisplayValue, bool AEditFocused) override;

 protected:
  void DoAssign(TcxCustomEditProperties* Source) override;
  double GetMaxValue() const override;
  double GetMinValue() const override;
  virtual String InternalGetDisplayText(const Variant& AEditValue);

 private:
  void PostMaxValue();
  void PostMinValue();
  void PostOverloadValue();
  void ForegroundImageChanged(TObject* Sender);

  TcxProgressBarAnimationPath FAnimationPath = cxapCycle;
  uint32_t FAnimationRestartDelay = 0;
  TcxProgressBarAnimationSpeed FAnimationSpeed = 10;
  TcxProgressBarBevelOuter FBarBevelOuter = cxbvNone;
  TcxProgressBarBarStyle FBarStyle = cxbsSolid;
  TColor FBeginColor = static_cast<TColor>(0x800000);
  TColor FEndColor = static_cast<TColor>(0xFFFFFF);
  TcxBorderWidth FBorderWidth = 0;
  std::unique_ptr<TBitmap> FForegroundImage;
  bool FMarquee = false;
  TcxProgressBarOrientation FOrientation = cxorHorizontal;
  double FOverloadValue = 80;
  TColor FOverloadBeginColor = static_cast<TColor>(0x8080FF);
  TColor FOverloadEndColor = static_cast<TColor>(0xFF00FF);
  bool FShowOverload = false;
  double FPeakValue = 0;
  TColor FPeakColor = static_cast<TColor>(0x0000FF);
  TcxNaturalNumber FPeakSize = 2;
  bool FShowPeak = false;
  bool FShowText = true;
  TcxProgressBarTextStyle FShowTextStyle = cxtsPercent;
  bool FSolidTextColor = false;
  String FText;
  TcxProgressBarOrientation FTextOrientation = cxorHorizontal;
  bool FTransparentImage = true;
  bool FIsForegroundImageChanged = false;
  bool FIsPositionChanged = false;
};

class TcxProgressBarProperties : public TcxCustomProgressBarProperties {
  QD_CLASS(TcxProgressBarProperties, TcxCustomProgressBarProperties)
  QD_PUBLISHED(TcxProgressBarProperties)

 public:
  using TcxCustomProgressBarProperties::TcxCustomProgressBarProperties;
};

// --- View data and view info -----------------------------------------------------------------

class TcxCustomProgressBarViewData : public TcxCustomEditViewData {
  QD_CLASS(TcxCustomProgressBarViewData, TcxCustomEditViewData)

 public:
  using TcxCustomEditViewData::TcxCustomEditViewData;

  void Calculate(TcxCanvas* ACanvas, const TRect& ABounds, const TPoint& P, TcxMouseButton Button,
                 TShiftState Shift, TcxCustomEditViewInfo* AViewInfo, bool AIsMouseEvent) override;
  void CalculateButtonsViewInfo(TcxCanvas*, TRect&, const TPoint&, TcxMouseButton, TShiftState,
                                TcxCustomEditViewInfo*, bool) override {}
  void EditValueToDrawValue(const Variant& AEditValue, TcxCustomEditViewInfo* AViewInfo) override;
  TRect GetBorderExtentByPainter() override { return TRect{}; }
  TSize InternalGetEditConstantPartSize(TcxCanvas* ACanvas, bool AIsInplace,
                                        const TcxEditSizeProperties& AEditSizeProperties,
                                        TSize& AMinContentSize, TcxCustomEditViewInfo* AViewInfo) override;
  virtual uint32_t GetDrawTextFlags() { return 0; }
  virtual void CalculateViewInfoProperties(TcxCustomEditViewInfo* AViewInfo);

  TcxCustomProgressBarProperties* ProgressBarProperties() const;
};

class TcxCustomProgressBarViewInfo : public TcxCustomTextEditViewInfo {
  QD_CLASS(TcxCustomProgressBarViewInfo, TcxCustomTextEditViewInfo)

 public:
  TcxCustomProgressBarViewInfo();
  ~TcxCustomProgressBarViewInfo() override;

  void Assign(TObject* Source) override;
  void Offset(int32_t DX, int32_t DY) override;
  void Paint(TcxCanvas* ACanvas) override;
  bool NeedShowHint(TcxCanvas*, const TPoint&, int32_t, TRect&, bool&, String&, const TRect&) override {
    return false;
  }
  void DrawText(TcxCanvas* ACanvas) override;
  // The length of the animated block: 50 scaled pixels, 127 for the native animation style.
  virtual int32_t GetAnimationBarDimension();
  // Draws the bar into the cached bitmap and copies it to the bar rect of ACanvas.
  virtual void PaintProgressBar(TcxCanvas* ACanvas);

  // Rounded to the nearest integer, halves to even, within 0..100.
  int32_t GetPercentDone() const;
  // The caption for the text style (the fixed text in marquee mode).
  String GetDrawText() const;
  // (an animation style or marquee), a speed, not designing and not in-place.
  bool CanAnimationBarShow() const;
  bool AnimationTimerRunning() const { return FAnimationTimer != nullptr; }
  bool RestartDelayRunning() const { return FAnimationRestartDelayTimer != nullptr; }
  int32_t AnimationPosition() const { return FAnimationPosition; }
  int32_t AnimationDirection() const { return FAnimationDirection; }
  // The marquee block (A) in view-info coordinates.
  TRect GetCorrectAnimationBarRect() const;
  TcxBitmap* UsualBitmap() const { return FUsualBitmap.get(); }

  // Changing these restarts the animation.
  void SetAnimationPath(TcxProgressBarAnimationPath Value);
  void SetAnimationSpeed(TcxProgressBarAnimationSpeed Value);
  void SetMarquee(bool Value);
  void SetBarStyle(TcxProgressBarBarStyle Value);
  void SetOrientation(TcxProgressBarOrientation Value);
  void StartAnimationTimer();
  void StopAnimationTimer();

  // Copies of the properties (colours as RGB).
  TcxProgressBarAnimationPath FAnimationPath = cxapCycle;
  uint32_t FAnimationRestartDelay = 0;
  TcxProgressBarAnimationSpeed FAnimationSpeed = 10;
  TcxProgressBarBevelOuter FBarBevelOuter = cxbvNone;
  TcxProgressBarBarStyle FBarStyle = cxbsSolid;
  TColor FBeginColor = static_cast<TColor>(0x800000);
  TColor FEndColor = static_cast<TColor>(0xFFFFFF);
  std::unique_ptr<TBitmap> FForegroundImage;
  bool FMarquee = false;
  double FMax = 100;
  double FMin = 0;
  TcxProgressBarOrientation FOrientation = cxorHorizontal;
  TColor FOverloadBeginColor = static_cast<TColor>(0x8080FF);
  TColor FOverloadEndColor = static_cast<TColor>(0xFF00FF);
  double FOverloadValue = 80;
  TColor FPeakColor = static_cast<TColor>(0x0000FF);
  int32_t FPeakSize = 2;
  double FPeakValue = 0;
  bool FShowOverload = false;
  bool FShowPeak = false;
  bool FShowText = true;
  TcxProgressBarTextStyle FShowTextStyle = cxtsPercent;
  bool FSolidTextColor = false;
  String FText;
  TcxProgressBarOrientation FTextOrientation = cxorHorizontal;

  double FPosition = 0;
  bool FPropTransparent = false;
  bool FRealShowOverload = false;
  bool FRealShowPeak = false;
  bool FIsBoundsChanged = false;
  bool FIsBarRectChanged = false;
  bool FNativeBar = false;  // the visual-style progress class draws the bar

  TRect BarRect;
  TRect ProgressBarRect;
  TRect OverloadBarRect;
  TRect PeakBarRect;
  TRect FocusRect;

 protected:
  int32_t GetMaxMinDiffLength(double AValue, int32_t AExtent) const;

 private:
  friend class TcxCustomProgressBarViewData;
  double GetMaxMinDiff() const;
  double GetRelativePosition() const;
  bool IsLEDStyle() const { return (FBarStyle & 1) != 0; }
  bool IsAnimationStyle() const { return FBarStyle == cxbsAnimation || FBarStyle == cxbsAnimationLEDs; }
  bool IsVertical() const { return FOrientation == cxorVertical; }
  bool NeedInvalidate();
  bool IsRightToLeft() const;

  // Drawing into the cached bitmap (bar rect at the origin).
  struct TDrawingParams {
    TRect Progress, Overload, Peak, Animation, Drawing, Bar;
    int32_t LEDWidth = 1;
  };
  void CalcDrawingParams(TDrawingParams& AParams);
  int32_t CalcLEDsWidth(const TRect& AProgress) const;
  void RenderBar(TcxCanvas* ACanvas);
  void DrawBackground(TcxCanvas* ACanvas, TcxCanvas* ASourceCanvas, const TRect& ARect);
  void ExcludeRects(TcxCanvas* ACanvas, const TRect& ABounds, const TRect& R);
  void ExcludeLEDRects(TcxCanvas* ACanvas, const TRect& R, int32_t AWidth);
  void DrawSolidBar(TcxCanvas* ACanvas, const TDrawingParams& AParams);
  void DrawGradientBar(TcxCanvas* ACanvas, const TDrawingParams& AParams);
  void PaintBarBevelOuter(TcxCanvas* ACanvas, const TRect& R);
  void DrawBorderLEDs(TcxCanvas* ACanvas, const TRect& D, int32_t AWidth);
  void DrawPeak(TcxCanvas* ACanvas, const TRect& K);
  void DrawAnimationBarBackground(TcxCanvas* ACanvas, const TRect& R, bool AThick, TColor AColor);
  void DrawAnimationBar(TcxCanvas* ACanvas, const TRect& A, const TRect& D);
  void LightCanvasByGradient(TcxCanvas* ACanvas, const TRect& A, const TRect& D);
  void DrawVistaStyleMarquee(TcxCanvas* ACanvas, const TRect& A);
  bool CreateNativeBitmap(const TSize& ASize);
  void DrawBarCaption(TcxCanvas* ACanvas, const TDrawingParams& AParams);
  void PaintProgressBarByPainter(TcxCanvas* ACanvas);

  void DoAnimationTimer(TObject* Sender);
  void DoAnimationRestartDelayTimer(TObject* Sender);
  void CalcAnimationCurrentPosition();
  void StartAnimationRestartDelayTimer();

  int32_t FAnimationPosition = 0;
  int32_t FAnimationDirection = 1;
  std::unique_ptr<TcxTimer> FAnimationTimer;
  std::unique_ptr<TcxTimer> FAnimationRestartDelayTimer;
  std::unique_ptr<TcxBitmap> FUsualBitmap;
  std::unique_ptr<TcxAlphaBitmap> FNativeBitmap;
  std::unique_ptr<TcxAlphaBitmap> FVistaStyleMarqueeBitmap;
  std::unique_ptr<TcxBitmap> FPainterBitmap;
};

// --- The control -----------------------------------------------------------------------------

class TcxCustomProgressBar : public TcxCustomEdit {
  QD_CLASS(TcxCustomProgressBar, TcxCustomEdit)

 public:
  explicit TcxCustomProgressBar(TComponent* AOwner) : TcxCustomProgressBar(AOwner, false) {}
  TcxCustomProgressBar(TComponent* AOwner, bool AIsInplace);
  ~TcxCustomProgressBar() override;

  TClass GetPropertiesClass() const override { return TcxProgressBarProperties::StaticClass(); }
  TcxCustomProgressBarProperties* ActiveProperties() {
    return static_cast<TcxCustomProgressBarProperties*>(TcxCustomEdit::ActiveProperties());
  }

  // The position the bar shows: the display value last prepared, clamped into [Min, Max]
  // when Max > Min and the form was not loading.
  double Position();
  // An unchanged value changes nothing; otherwise it is clamped (unless loading or Max <=
  // Min), becomes the edit value and the listeners hear of it.
  void SetPosition(double Value);
  bool IsPositionStored() { return Position() != 0; }
  int32_t GetPercentDone();

  void RegisterListener(TcxProgressBarListener* AListener);
  void UnRegisterListener(TcxProgressBarListener* AListener);

  TcxCustomProgressBarViewInfo* ProgressBarViewInfo() {
    return static_cast<TcxCustomProgressBarViewInfo*>(ViewInfo());
  }
  bool DefaultParentColor() override { return true; }
  bool CanFocus() override;
  void PropertiesChanged(TObject* Sender) override;

 protected:
  bool CanFocusOnClick() override;
  TcxContainerStyleValues InternalGetNotPublishedStyleValues() override;
  void PopulateSizeProperties(TcxEditSizeProperties& AEditSizeProperties) override;
  void SynchronizeDisplayValue() override;
  virtual void CheckEditorValueBounds();
  virtual void CheckEditValue();

 private:
  void DoNotifyListeners();
  std::vector<TcxProgressBarListener*> FListeners;
};

class TcxProgressBar : public TcxCustomProgressBar {
  QD_CLASS(TcxProgressBar, TcxCustomProgressBar)
  QD_PUBLISHED(TcxProgressBar)

 public:
  using TcxCustomProgressBar::TcxCustomProgressBar;
  TcxProgressBarProperties* Properties() {
    return static_cast<TcxProgressBarProperties*>(TcxCustomEdit::Properties());
  }
  void SetProperties(TcxProgressBarProperties* Value) { TcxCustomEdit::Properties()->Assign(Value); }
};

// Filter rows edit a progress bar column with a spin editor bounded by the bar's range.
class TcxFilterProgressBarHelper : public TcxFilterSpinEditHelper {
  QD_CLASS(TcxFilterProgressBarHelper, TcxFilterSpinEditHelper)

 public:
  static TcxFilterEditHelperClass Class();
  void InitializeProperties(TcxCustomEditProperties* AProperties, TcxCustomEditProperties* AEditProperties,
                            bool AHasButtons) const override;
};

namespace cxProgressBar {
void Initialize();
void Finalize();
}  // namespace cxProgressBar

}  // namespace qd
