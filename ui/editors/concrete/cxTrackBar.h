#pragma once
// The track bar unit: an editor whose value is an integer position between Min and Max,
// shown as a thumb on a track with tick marks, tick labels, a selection band and optional
// change buttons; its settings, layout, painting, input controller, position hint and the
// control itself.
#include <algorithm>
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/base/set.h"
#include "ui/controls/cxHint.h"
#include "ui/core/cxClassesTimer.h"
#include "ui/editors/concrete/cxSpinEdit.h"
#include "ui/editors/cxEdit.h"
#include "ui/editors/cxTextEdit.h"
#include "ui/lookandfeel/cxLookAndFeelPainters.h"

namespace qd {

enum TcxTrackBarOrientation : uint8_t { tboHorizontal, tboVertical };
enum TcxTrackBarTextOrientation : uint8_t { tbtoHorizontal, tbtoVertical };
enum TcxTrackBarTickMarks : uint8_t { cxtmBoth, cxtmTopLeft, cxtmBottomRight };
enum TcxTrackBarTickType : uint8_t { tbttTicks, tbttNumbers, tbttValueNumber, tbttTicksAndNumbers };
enum TcxTrackBarThumbType : uint8_t { cxttNone, cxttRegular, cxttCustom };
enum TcxTrackBarThumbStep : uint8_t { cxtsNormal, cxtsJump };
enum TcxTrackBarMouseState : uint8_t { tbmpInControl, tbmpUnderThumb, tbmpSliding };
using TcxTrackBarMouseStates = TSet<TcxTrackBarMouseState>;
enum TcxTrackBarSlideState : uint8_t { tbksNormal, tbksIncludeSelection };

// Thumb states are those of the visual styles' track bar thumb.
constexpr int32_t cxTrackBarThumbStateNormal = 1;
constexpr int32_t cxTrackBarThumbStateHot = 2;
constexpr int32_t cxTrackBarThumbStatePressed = 3;
constexpr int32_t cxTrackBarThumbStateFocused = 4;
constexpr int32_t cxTrackBarThumbStateDisabled = 5;

constexpr TcxTrackBarTicksAlign TrackBarTicksToTicksAlign[] = {tbtaBoth, tbtaUp, tbtaDown};
// Indexed by thumb state (0 is not a state).
constexpr TcxButtonState TrackBarStateToButtonStates[] = {cxbsNormal,  cxbsNormal, cxbsHot,
                                                          cxbsPressed, cxbsHot,    cxbsDisabled};
constexpr TcxRotationAngle TrackBarTextOrientationToRotationAngle[] = {ra0, raPlus90};
constexpr TcxTrackBarOrientation TrackBarTextOrientationToOrientation[] = {tboHorizontal, tboVertical};

class TcxCustomTrackBarProperties;
class TcxCustomTrackBarViewInfo;
class TcxCustomTrackBar;

using TcxGetTickLabelEvent = TMethod<void(TObject* Sender, int32_t AValue, String& AText)>;
using TcxGetPositionHintEvent = TMethod<void(TObject* Sender, int32_t APosition, String& AHintText,
                                             bool& ACanShow, bool& AIsHintMultiLine)>;
using TcxGetThumbRectEvent = TMethod<void(TObject* Sender, TRect& ARect)>;
using TcxDrawThumbEvent = TMethod<void(TObject* Sender, TcxCanvas* ACanvas, const TRect& ARect)>;

// --- Properties ------------------------------------------------------------------------------

class TcxCustomTrackBarProperties : public TcxCustomEditProperties {
  QD_CLASS(TcxCustomTrackBarProperties, TcxCustomEditProperties)

 public:
  explicit TcxCustomTrackBarProperties(TPersistent* AOwner);

  // Clamps into [Min, Max] (first to at most Max, then to at least Min).
  virtual int32_t FixPosition(int32_t APosition);
  // A null, empty, non-numeric or unconvertible value gives Min; otherwise the value as a
  // 32-bit integer (not fixed).
  int32_t EditValueToPosition(const Variant& AEditValue);

  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool Value) { SetValue(FAutoSize, Value); }
  int32_t BorderWidth() const { return FBorderWidth; }
  void SetBorderWidth(int32_t Value) { SetValue(FBorderWidth, std::max(Value, 0)); }
  int32_t Frequency() const { return FFrequency; }
  void SetFrequency(int32_t Value) { SetValue(FFrequency, std::max(Value, 0)); }
  int32_t LineSize() const { return FLineSize; }
  void SetLineSize(int32_t Value) { SetValue(FLineSize, std::max(Value, 1)); }
  int32_t PageSize() const { return FPageSize; }
  void SetPageSize(int32_t Value) { SetValue(FPageSize, std::max(Value, 1)); }
  int32_t Min() const { return FMin; }
  virtual void SetMin(int32_t Value);
  int32_t Max() const { return FMax; }
  virtual void SetMax(int32_t Value);
  TcxTrackBarOrientation Orientation() const { return FOrientation; }
  void SetOrientation(TcxTrackBarOrientation Value) { SetValue(FOrientation, Value); }
  TcxTrackBarTextOrientation TextOrientation() const { return FTextOrientation; }
  void SetTextOrientation(TcxTrackBarTextOrientation Value) { SetValue(FTextOrientation, Value); }
  bool ReverseDirection() const { return FReverseDirection; }
  void SetReverseDirection(bool Value) { SetValue(FReverseDirection, Value); }
  int32_t SelectionStart() const { return FSelectionStart; }
  void SetSelectionStart(int32_t Value) { SetValue(FSelectionStart, Value); }
  int32_t SelectionEnd() const { return FSelectionEnd; }
  void SetSelectionEnd(int32_t Value) { SetValue(FSelectionEnd, Value); }
  TColor SelectionColor() const { return FSelectionColor; }
  void SetSelectionColor(TColor Value) { SetValue(FSelectionColor, Value); }
  bool ShowChangeButtons() const { return FShowChangeButtons; }
  void SetShowChangeButtons(bool Value) { SetValue(FShowChangeButtons, Value); }
  bool ShowPositionHint() const { return FShowPositionHint; }
  void SetShowPositionHint(bool Value) { SetValue(FShowPositionHint, Value); }
  bool ShowTicks() const { return FShowTicks; }
  void SetShowTicks(bool Value) { SetValue(FShowTicks, Value); }
  bool ShowTrack() const { return FShowTrack; }
  void SetShowTrack(bool Value) { SetValue(FShowTrack, Value); }
  TcxTrackBarThumbType ThumbType() const { return FThumbType; }
  void SetThumbType(TcxTrackBarThumbType Value) { SetValue(FThumbType, Value); }
  TcxTrackBarThumbStep ThumbStep() const { return FThumbStep; }
  void SetThumbStep(TcxTrackBarThumbStep Value) { FThumbStep = Value; }
  int32_t ThumbWidth() const { return FThumbWidth; }
  void SetThumbWidth(int32_t Value) { SetValue(FThumbWidth, std::max(Value, 0)); }
  int32_t ThumbHeight() const { return FThumbHeight; }
  void SetThumbHeight(int32_t Value) { SetValue(FThumbHeight, std::max(Value, 0)); }
  TColor ThumbColor() const { return FThumbColor; }
  void SetThumbColor(TColor Value) { SetValue(FThumbColor, Value); }
  TColor ThumbHighlightColor() const { return FThumbHighlightColor; }
  void SetThumbHighlightColor(TColor Value) { SetValue(FThumbHighlightColor, Value); }
  TColor TickColor() const { return FTickColor; }
  void SetTickColor(TColor Value) { SetValue(FTickColor, Value); }
  TcxTrackBarTickMarks TickMarks() const { return FTickMarks; }
  void SetTickMarks(TcxTrackBarTickMarks Value) { SetValue(FTickMarks, Value); }
  int32_t TickSize() const { return FTickSize; }
  void SetTickSize(int32_t Value) { SetValue(FTickSize, std::max(Value, 1)); }
  TcxTrackBarTickType TickType() const { return FTickType; }
  void SetTickType(TcxTrackBarTickType Value) { SetValue(FTickType, Value); }
  TColor TrackColor() const { return FTrackColor; }
  void SetTrackColor(TColor Value) { SetValue(FTrackColor, Value); }
  int32_t TrackSize() const { return FTrackSize; }
  void SetTrackSize(int32_t Value) { SetValue(FTrackSize, std::max(Value, 0)); }

  const TcxGetTickLabelEvent& OnGetTickLabel() const { return FOnGetTickLabel; }
  void SetOnGetTickLabel(const TcxGetTickLabelEvent& Value) { FOnGetTickLabel = Value; }
  const TcxGetPositionHintEvent& OnGetPositionHint() const { return FOnGetPositionHint; }
  void SetOnGetPositionHint(const TcxGetPositionHintEvent& Value) { FOnGetPositionHint = Value; }
  const TcxGetThumbRectEvent& OnGetThumbRect() const { return FOnGetThumbRect; }
  void SetOnGetThumbRect(const TcxGetThumbRectEvent& Value) { FOnGetThumbRect = Value; }
  const TcxDrawThumbEvent& OnDrawThumb() const { return FOnDrawThumb; }
  void SetOnDrawThumb(const TcxDrawThumbEvent& Value) { FOnDrawThumb = Value; }

  // Editor properties
  bool CanCompareEditValue() override { return true; }
  bool CanValidate() override { return true; }
  bool HasDisplayValue() override { return false; }
  void ChangeScale(int32_t M, int32_t D) override;
  TClass GetContainerClass() const override;
  String GetDisplayText(const Variant& AEditValue, bool AFullText = false, bool AIsInplace = true) override;
  TcxEditSupportedOperations GetSupportedOperations() override;
  String GetValidateErrorText(TcxEditErrorKind AErrorKind) override;
  TClass GetViewDataClass() const override;
  TClass GetViewInfoClass() const override;
  void PrepareDisplayValue(const Variant& AEditValue, Variant& DisplayValue, bool AEditFocused) override;

 protected:
  void DoAssign(TcxCustomEditProperties* Source) override;
  // Both bounds as they are, without a change notice (for derived rules on the bounds).
  void StoreMinMax(int32_t AMin, int32_t AMax) {
    FMin = AMin;
    FMax = AMax;
  }

 private:
  bool FAutoSize = true;
  int32_t FBorderWidth = 0;
  int32_t FFrequency = 1;
  int32_t FLineSize = 1;
  int32_t FPageSize = 2;
  int32_t FMin = 0;
  int32_t FMax = 10;
  TcxTrackBarOrientation FOrientation = tboHorizontal;
  TcxTrackBarTextOrientation FTextOrientation = tbtoHorizontal;
  bool FReverseDirection = false;
  int32_t FSelectionStart = 0;
  int32_t FSelectionEnd = 0;
  TColor FSelectionColor = clHighlight;
  bool FShowChangeButtons = false;
  bool FShowPositionHint = false;
  bool FShowTicks = true;
  bool FShowTrack = true;
  TcxTrackBarThumbType FThumbType = cxttRegular;
  TcxTrackBarThumbStep FThumbStep = cxtsNormal;
  int32_t FThumbWidth = 7;
  int32_t FThumbHeight = 12;
  TColor FThumbColor = clBtnFace;
  TColor FThumbHighlightColor = static_cast<TColor>(0xC0C0C0);
  TColor FTickColor = clWindowText;
  TcxTrackBarTickMarks FTickMarks = cxtmBottomRight;
  int32_t FTickSize = 3;
  TcxTrackBarTickType FTickType = tbttTicks;
  TColor FTrackColor = clWindow;
  int32_t FTrackSize = 5;
  TcxGetTickLabelEvent FOnGetTickLabel;
  TcxGetPositionHintEvent FOnGetPositionHint;
  TcxGetThumbRectEvent FOnGetThumbRect;
  TcxDrawThumbEvent FOnDrawThumb;
};

class TcxTrackBarProperties : public TcxCustomTrackBarProperties {
  QD_CLASS(TcxTrackBarProperties, TcxCustomTrackBarProperties)
  QD_PUBLISHED(TcxTrackBarProperties)

 public:
  using TcxCustomTrackBarProperties::TcxCustomTrackBarProperties;
};

// The normal style draws no border by default; no style hot-tracks by default.
class TcxTrackBarStyle : public TcxEditStyle {
  QD_CLASS(TcxTrackBarStyle, TcxEditStyle)

 public:
  using TcxEditStyle::TcxEditStyle;

 protected:
  TcxContainerBorderStyle DefaultBorderStyle() override;
  bool DefaultHotTrack() override { return false; }
};

// --- Tick lists --------------------------------------------------------------------------------

// Tick values as runs First, First + Step, ... up to Last (inclusive), never materialised: a
// bar from 0 to 2^31 - 1 with a frequency of 1 has two billion minor ticks.
class TcxTrackBarTicks {
 public:
  struct TRun {
    int64_t First;
    int64_t Last;
    int64_t Step;
    int64_t Count() const { return Last < First ? 0 : (Last - First) / Step + 1; }
  };
  void Clear() { FRuns.clear(); }
  void Add(int64_t AValue) { FRuns.push_back(TRun{AValue, AValue, 1}); }
  // First + k × AStep for k = 1, 2, ... while below ALimit (nothing when AStep is 0).
  void AddSteps(int64_t AFrom, int64_t ALimit, int64_t AStep);
  int64_t Count() const;
  int32_t Item(int64_t AIndex) const;
  bool Contains(int64_t AValue) const;
  const std::vector<TRun>& Runs() const { return FRuns; }

 private:
  std::vector<TRun> FRuns;
};

// --- View info ---------------------------------------------------------------------------------

class TcxTrackBarThumbViewInfo;

// Converts the view info's horizontal frame (x along the track, y across it) to the control's
// coordinates: the identity for a horizontal bar, x and y swapped for a vertical one.
class TcxCustomTrackBarViewInfoHelper {
 public:
  virtual ~TcxCustomTrackBarViewInfoHelper() = default;
  virtual bool IsHorizontal() const = 0;
  // The coordinate of P along the track.
  virtual int32_t GetCurrentMousePos(const TPoint& P) const = 0;
  virtual TRect GetRealRect(const TRect& R) const = 0;
  virtual TPoint GetRealPoint(const TPoint& P) const = 0;
  // The extent of a text across... along the track for the position hint.
  virtual int32_t GetPositionHintSize(const TSize& ATextSize) const = 0;
  // Grows the far end of the track by one pixel.
  virtual void InflateTrackRect(TRect& R) const = 0;
};

class TcxHorizontalTrackBarViewInfoHelper : public TcxCustomTrackBarViewInfoHelper {
 public:
  bool IsHorizontal() const override { return true; }
  int32_t GetCurrentMousePos(const TPoint& P) const override { return P.X; }
  TRect GetRealRect(const TRect& R) const override { return R; }
  TPoint GetRealPoint(const TPoint& P) const override { return P; }
  int32_t GetPositionHintSize(const TSize& ATextSize) const override { return ATextSize.cy; }
  void InflateTrackRect(TRect& R) const override { R.Right += 1; }
};

class TcxVerticalTrackBarViewInfoHelper : public TcxCustomTrackBarViewInfoHelper {
 public:
  bool IsHorizontal() const override { return false; }
  int32_t GetCurrentMousePos(const TPoint& P) const override { return P.Y; }
  TRect GetRealRect(const TRect& R) const override { return TRect{R.Top, R.Left, R.Bottom, R.Right}; }
  TPoint GetRealPoint(const TPoint& P) const override { return TPoint{P.Y, P.X}; }
  int32_t GetPositionHintSize(const TSize& ATextSize) const override { return ATextSize.cx; }
  void InflateTrackRect(TRect& R) const override { R.Bottom += 1; }
};

// Cross-fades the thumb between its normal and hot look.
class TcxTrackBarThumbFadingHelper : public TcxCustomEditFadingHelper {
  QD_CLASS(TcxTrackBarThumbFadingHelper, TcxCustomEditFadingHelper)

 public:
  explicit TcxTrackBarThumbFadingHelper(TcxTrackBarThumbViewInfo* AThumb) : FThumb(AThumb) {}
  bool CanFade() override;
  void DrawFadeImage() override { Invalidate(); }
  void GetFadingImages(std::unique_ptr<TcxBitmap>& AFadeOutImage,
                       std::unique_ptr<TcxBitmap>& AFadeInImage) override;
  TcxCustomEditViewInfo* GetEditViewInfo() override;
  void Invalidate() override;

 private:
  TcxTrackBarThumbViewInfo* FThumb;
};

// Cross-fades a change button between its normal and hot look.
class TcxTrackBarButtonFadingHelper : public TcxCustomEditFadingHelper {
  QD_CLASS(TcxTrackBarButtonFadingHelper, TcxCustomEditFadingHelper)

 public:
  TcxTrackBarButtonFadingHelper(TcxCustomTrackBarViewInfo* AViewInfo, bool ALeftButton)
      : FViewInfo(AViewInfo), FLeftButton(ALeftButton) {}
  bool CanFade() override;
  void DrawFadeImage() override { Invalidate(); }
  void GetFadingImages(std::unique_ptr<TcxBitmap>& AFadeOutImage,
                       std::unique_ptr<TcxBitmap>& AFadeInImage) override;
  TcxCustomEditViewInfo* GetEditViewInfo() override;
  void Invalidate() override;

 private:
  TRect ButtonRect() const;
  TcxCustomTrackBarViewInfo* FViewInfo;
  bool FLeftButton;
};

// One thumb: its position, state (1 to 5), visible bounds and full rectangle.
class TcxTrackBarThumbViewInfo : public TObject {
  QD_CLASS(TcxTrackBarThumbViewInfo, TObject)

 public:
  explicit TcxTrackBarThumbViewInfo(TcxCustomTrackBarViewInfo* AViewInfo);
  ~TcxTrackBarThumbViewInfo() override;
  void Assign(TcxTrackBarThumbViewInfo* Source);

  TcxCustomTrackBarViewInfo* ViewInfo() const { return FViewInfo; }
  int32_t Position() const { return FPosition; }
  void SetPosition(int32_t Value) { FPosition = Value; }
  int32_t State() const { return FState; }
  // A new state starts a cross-fade from the old button state to the new one.
  void SetState(int32_t Value);
  // Visible thumb rectangle and thumb rectangle, in the view info's frame.
  TRect Bounds() const { return FBounds; }
  void SetBounds(const TRect& Value) { FBounds = Value; }
  TRect FullRect() const { return FFullRect; }
  void SetFullRect(const TRect& Value) { FFullRect = Value; }
  TcxTrackBarThumbFadingHelper* FadingHelper() const { return FFadingHelper.get(); }

 protected:
  virtual TcxTrackBarThumbFadingHelper* CreateFadingHelper();

 private:
  TcxCustomTrackBarViewInfo* FViewInfo;
  int32_t FPosition = 0;
  int32_t FState = cxTrackBarThumbStateNormal;
  TRect FBounds;
  TRect FFullRect;
  std::unique_ptr<TcxTrackBarThumbFadingHelper> FFadingHelper;
};

class TcxTrackBarPositionHintHelper;

// The calculated layout and the painting of a track bar. All rectangles are kept in a
// horizontal frame relative to the bounds' top-left corner (see the orientation helper).
class TcxCustomTrackBarViewInfo : public TcxCustomTextEditViewInfo {
  QD_CLASS(TcxCustomTrackBarViewInfo, TcxCustomTextEditViewInfo)

 public:
  TcxCustomTrackBarViewInfo();
  ~TcxCustomTrackBarViewInfo() override;

  void Assign(TObject* Source) override;
  void Paint(TcxCanvas* ACanvas) override;
  HRGN GetUpdateRegion(TcxContainerViewInfo* AOldViewInfo) override;

  // Position to pixel.
  virtual int32_t GetCoordinate(int32_t APosition);
  virtual int32_t GetOffset(int32_t APosition);
  virtual bool IsTickText(int32_t AValue);
  bool IsMajorTick(int32_t AValue) const { return FMajorTicks.Contains(AValue); }
  // The position of a click at (X, Y) in jump mode, not fixed.
  virtual int32_t GetPositionAfterJump(int32_t X, int32_t Y);
  // One step by LineSize (or PageSize) up (AIncrease) or down, snapped to the step's grid
  // when ASnap; not fixed.
  virtual int32_t GetCalculatedPosition(int32_t APosition, bool AIncrease, bool ALineSize, bool ASnap);
  virtual String GetDefaultPositionHintText();
  virtual void UpdateTrackBarState();
  virtual void PaintTrackBar(TcxCanvas* ACanvas);
  // One thumb in a state (1 to 5) at ARect (real coordinates): the fading helper's images.
  void DrawThumbImage(TcxCanvas* ACanvas, const TRect& ARect, int32_t AState);
  // The thumb whose real bounds' centre lies nearest to P (the first of equals).
  virtual TcxTrackBarThumbViewInfo* GetNearestThumb(const TPoint& P);
  virtual TcxTrackBarThumbViewInfo* GetThumbFromPos(const TPoint& P);
  bool IsPtToTheRightFromThumb(const TPoint& P, TcxTrackBarThumbViewInfo* AThumb);
  bool IsPtToTheLeftFromThumb(const TPoint& P, TcxTrackBarThumbViewInfo* AThumb);
  // Shows, refreshes or cancels the position hint (DoGetPositionHint decides).
  void ProcessPositionHint();
  void SchedulePositionHintHiding();
  TcxTrackBarPositionHintHelper* PositionHintHelper() const { return FPositionHintHelper.get(); }
  // The rectangle of the position hint's text (real coordinates).
  TRect GetPositionHintTextRect(const String& AText, bool AIsMultiLine);

  TcxCustomTrackBarProperties* TrackBarProperties() const {
    return static_cast<TcxCustomTrackBarProperties*>(EditProperties);
  }
  const TcxCustomTrackBarViewInfoHelper* OrientationHelper() const { return FOrientationHelper.get(); }
  void RecreateOrientationHelper();
  TcxTrackBarThumbViewInfo* GetThumb(int32_t AIndex) const {
    return FThumbs.at(static_cast<size_t>(AIndex)).get();
  }
  int32_t ThumbCount() const { return static_cast<int32_t>(FThumbs.size()); }
  int32_t Position() const { return GetThumb(0)->Position(); }
  void SetPosition(int32_t Value) { GetThumb(0)->SetPosition(Value); }
  int32_t TrackBarState() const { return GetThumb(0)->State(); }
  TcxTrackBarThumbViewInfo* HotThumb() const { return FHotThumb; }
  void SetHotThumb(TcxTrackBarThumbViewInfo* Value) { FHotThumb = Value; }
  TcxTrackBarThumbViewInfo* PressedThumb() const { return FPressedThumb; }
  void SetPressedThumb(TcxTrackBarThumbViewInfo* Value) { FPressedThumb = Value; }
  TcxButtonState ButtonLeftState() const { return FButtonLeftState; }
  // A new state starts the button's cross-fade (where the framework fades).
  void SetButtonLeftState(TcxButtonState Value) { SetButtonState(true, Value); }
  TcxButtonState ButtonRightState() const { return FButtonRightState; }
  void SetButtonRightState(TcxButtonState Value) { SetButtonState(false, Value); }
  TcxTrackBarButtonFadingHelper* ButtonFadingHelper(bool ALeftButton) const {
    return (ALeftButton ? FButtonLeftFadingHelper : FButtonRightFadingHelper).get();
  }
  // A change button in a state at ARect (real coordinates): the fading helper's images.
  void DrawChangeButton(TcxCanvas* ACanvas, bool ALeftButton, const TRect& ARect, TcxButtonState AState);
  const TcxTrackBarTicks& MajorTicks() const { return FMajorTicks; }
  const TcxTrackBarTicks& MinorTicks() const { return FMinorTicks; }
  bool ShowSelection() const { return FShowSelection; }
  int32_t SelectionStart() const { return FSelectionStart; }
  int32_t SelectionEnd() const { return FSelectionEnd; }
  bool PropTransparent() const { return FPropTransparent; }
  // Real coordinates (relative to the bounds) of a rectangle of the view info's frame.
  TRect RealRect(const TRect& R) const { return FOrientationHelper->GetRealRect(R); }
  // The thumb's visible rectangle relative to the bounds' top-left corner, where the points of
  // hit tests and mouse input are taken (a control's bounds start at its client origin; an owner
  // that draws the bar elsewhere hands over bar-relative points).
  TRect RealThumbBounds(TcxTrackBarThumbViewInfo* AThumb) const;
  bool IsSkinPainter() const;
  // The pixel count along the track a drag or jump divides by (0 or less on a track no wider
  // than the thumb).
  int64_t Pixels() const { return PixelsPerPositionStep.Numerator; }
  int64_t Positions() const { return PixelsPerPositionStep.Denominator; }

  // Calculated values
  int32_t Min = 0;
  int32_t Max = 10;
  int32_t Frequency = 1;
  bool ReverseDirection = false;
  bool ShowChangeButtons = false;
  int32_t TrackBarBorderWidth = 0;
  TColor TickColor = clWindowText;
  TcxTrackBarTickMarks TickMarks = cxtmBottomRight;
  TcxTrackBarTickType TickType = tbttTicks;
  int32_t TickSize = 3;
  TcxTrackBarOrientation Orientation = tboHorizontal;
  TcxTrackBarTextOrientation TextOrientation = tbtoHorizontal;
  TcxLookAndFeelKind LookAndFeelKind = lfUltraFlat;
  int32_t ThumbSize = 0;
  int32_t ThumbLargeSize = 0;
  struct TFraction {
    int64_t Numerator = 0;
    int64_t Denominator = 1;
  } PixelsPerPositionStep;
  TcxTrackBarMouseStates MouseStates;
  TRect RealTrackBarRect;
  TRect TrackBarRect;
  TRect TrackZoneRect;
  TRect TrackRect;
  TRect LeftButtonRect;
  TRect RightButtonRect;
  TRect ThumbRect;
  TRect VisibleThumbRect;
  TRect SelectionRect;
  TRect FocusRect;

 protected:
  friend class TcxCustomTrackBarViewData;
  virtual void PopulateMajorTicks();
  virtual void PopulateMinorTicks();
  // The position hint's text and whether and how it shows.
  virtual void DoGetPositionHint(String& AText, bool& ACanShow, bool& AIsMultiLine);
  virtual void DrawTrack(TcxCanvas* ACanvas);
  virtual void DrawSelection(TcxCanvas* ACanvas);
  virtual void DrawTicks(TcxCanvas* ACanvas);
  virtual void DrawThumb(TcxCanvas* ACanvas);
  virtual void DrawThumb(TcxCanvas* ACanvas, const TRect& ARect, int32_t AState);
  virtual void DrawCustomThumb(TcxCanvas* ACanvas);
  virtual void DrawChangeButtons(TcxCanvas* ACanvas);
  // The line of one tick on the sides TickMarks selects.
  void DrawTickLine(TcxCanvas* ACanvas, int32_t AValue, bool AMajor);
  // The label of one tick; its rectangle is excluded from the clip afterwards.
  void DrawTickLabel(TcxCanvas* ACanvas, int32_t AValue);
  bool TickHasLine(int32_t AValue);
  bool TickHasLabel(int32_t AValue);
  TColor GetThumbColor(int32_t AState);
  // The off-screen bitmap's background.
  virtual void DrawTrackBarBackground(TcxCanvas* ABitmapCanvas, TcxCanvas* ACanvas);
  virtual void AddThumbs();
  void CreateThumbs();
  void DestroyThumbs();
  virtual TcxTrackBarThumbViewInfo* CreateThumbViewInfo();

  TcxTrackBarTicks FMajorTicks;
  TcxTrackBarTicks FMinorTicks;
  bool FShowSelection = true;
  int32_t FSelectionStart = 0;
  int32_t FSelectionEnd = 0;
  int32_t FTrackSize = 0;
  int32_t FThumbWidth = 0;
  int32_t FThumbHeight = 0;
  bool FPropTransparent = false;

 private:
  std::unique_ptr<TcxCustomTrackBarViewInfoHelper> FOrientationHelper;
  std::unique_ptr<TcxTrackBarPositionHintHelper> FPositionHintHelper;
  std::vector<std::unique_ptr<TcxTrackBarThumbViewInfo>> FThumbs;
  TcxTrackBarThumbViewInfo* FHotThumb = nullptr;
  TcxTrackBarThumbViewInfo* FPressedThumb = nullptr;
  void SetButtonState(bool ALeftButton, TcxButtonState Value);
  TcxButtonState FButtonLeftState = cxbsNormal;
  TcxButtonState FButtonRightState = cxbsNormal;
  std::unique_ptr<TcxTrackBarButtonFadingHelper> FButtonLeftFadingHelper;
  std::unique_ptr<TcxTrackBarButtonFadingHelper> FButtonRightFadingHelper;
  std::unique_ptr<TcxBitmap> FTBBitmap;
};

// --- View data ---------------------------------------------------------------------------------

class TcxCustomTrackBarViewData : public TcxCustomEditViewData {
  QD_CLASS(TcxCustomTrackBarViewData, TcxCustomEditViewData)

 public:
  using TcxCustomEditViewData::TcxCustomEditViewData;

  void Calculate(TcxCanvas* ACanvas, const TRect& ABounds, const TPoint& P, TcxMouseButton Button,
                 TShiftState Shift, TcxCustomEditViewInfo* AViewInfo, bool AIsMouseEvent) override;
  TSize InternalGetEditConstantPartSize(TcxCanvas* ACanvas, bool AIsInplace,
                                        const TcxEditSizeProperties& AEditSizeProperties,
                                        TSize& AMinContentSize, TcxCustomEditViewInfo* AViewInfo) override;

  TcxCustomTrackBarProperties* TrackBarProperties() const {
    return static_cast<TcxCustomTrackBarProperties*>(Properties());
  }
  // The control's own OnGetThumbRect, or the active properties' one.
  TcxGetThumbRectEvent GetThumbRectEvent() const;

 protected:
  // The rectangles, in order (step 6 of the layout).
  virtual void CalculateCustomTrackBarRects(TcxCanvas* ACanvas, TcxCustomTrackBarViewInfo* AViewInfo);
  virtual int32_t CalculateTickSize(TcxCanvas* ACanvas, TcxCustomTrackBarViewInfo* AViewInfo, bool ATopSide);
  virtual void CalculateTrackBarViewInfoProperties(TcxCustomTrackBarViewInfo* AViewInfo);
  virtual void CalculateButtonLeftRect(TcxCustomTrackBarViewInfo* AViewInfo);
  virtual void CalculateButtonRightRect(TcxCustomTrackBarViewInfo* AViewInfo);
  virtual void CalculatePixelsPerPositionStep(TcxCustomTrackBarViewInfo* AViewInfo);
  virtual void CalculateSelectionRect(TcxCustomTrackBarViewInfo* AViewInfo);
  virtual void CalculateThumbSize(TcxCustomTrackBarViewInfo* AViewInfo);
  virtual void CalculateThumbRect(TcxCanvas* ACanvas, TcxCustomTrackBarViewInfo* AViewInfo);
  virtual void CalculateTrackBarRect(TcxCustomTrackBarViewInfo* AViewInfo);
  virtual void CalculateTrackRect(TcxCustomTrackBarViewInfo* AViewInfo);
  virtual void CalculateTrackSize(TcxCustomTrackBarViewInfo* AViewInfo);
  virtual void CalculateTrackZoneRect(TcxCanvas* ACanvas, TcxCustomTrackBarViewInfo* AViewInfo);
  virtual void UpdateSelection(TcxCustomTrackBarViewInfo* AViewInfo);
  virtual void UpdateValue(TcxCustomTrackBarViewInfo* AViewInfo);
  // The label extent of a tick type with numbers (0 for plain ticks).
  int32_t GetLabelSize(TcxCanvas* ACanvas, TcxCustomTrackBarViewInfo* AViewInfo);
  // The thumb rectangle OnGetThumbRect gives, in the view info's frame; empty without handler.
  bool GetCustomThumbRect(TcxCustomTrackBarViewInfo* AViewInfo, TRect& ARect);

 private:
  // The view info's Transparent as its owner set it before the calculation.
  bool FOwnerTransparent = false;
};

// --- Position hint -----------------------------------------------------------------------------

class TcxTrackBarPositionHintHelper : public TcxControlHintHelper {
  QD_CLASS(TcxTrackBarPositionHintHelper, TcxControlHintHelper)

 public:
  explicit TcxTrackBarPositionHintHelper(TcxCustomTrackBarViewInfo* AViewInfo);
  ~TcxTrackBarPositionHintHelper() override;

  bool CanShowHint() override { return true; }
  void CorrectHintWindowRect(TRect& R) override;
  TcxControl* GetOwnerControl() override;
  void MouseLeave() override;
  // Starts the 1000 ms timer after which the hint is cancelled.
  void ScheduleHiding();
  void StopHidingTimer() { FPositionHintHidingTimer->SetEnabled(false); }
  bool HidingScheduled() const { return FPositionHintHidingTimer->Enabled(); }

 private:
  void HidingTimerHandler(TObject* Sender);
  TcxCustomTrackBarViewInfo* FTrackBarViewInfo;
  std::unique_ptr<TcxTimer> FPositionHintHidingTimer;
};

// --- Controller --------------------------------------------------------------------------------

// What the controller needs of the control it moves.
class IcxTrackBar {
 public:
  virtual ~IcxTrackBar() = default;
  virtual TcxCustomTrackBarProperties* GetActiveProperties() = 0;
  virtual TcxCustomTrackBarProperties* GetProperties() = 0;
  virtual TcxCustomTrackBarViewInfo* GetTrackBarViewInfo() = 0;
  virtual bool IsTrackBarInplace() = 0;
  virtual TPoint GetMouseDownPoint() = 0;
  virtual int32_t GetTrackBarPosition() = 0;
  virtual void SetTrackBarPosition(int32_t AValue) = 0;
};

class TcxTrackBarController : public TObject {
  QD_CLASS(TcxTrackBarController, TObject)

 public:
  explicit TcxTrackBarController(IcxTrackBar* ATrackBar) : FTrackBar(ATrackBar) {}
  ~TcxTrackBarController() override;

  virtual void FocusChanged();
  virtual void KeyDown(WORD& Key, TShiftState Shift);
  virtual void KeyUp(WORD& Key, TShiftState Shift);
  virtual void MouseDown(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y);
  virtual void MouseEnter();
  virtual void MouseLeave();
  virtual void MouseMove(TShiftState Shift, int32_t X, int32_t Y);
  virtual void MouseUp(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y);

  TcxTrackBarSlideState SlideState() const { return FSlideState; }
  // The repeat timer of a pressed change button (nil when none repeats).
  TcxTimer* RepeatTimer() const { return FTimer.get(); }
  IcxTrackBar* TrackBar() const { return FTrackBar; }

 protected:
  virtual int32_t GetPositionAfterKeyDown(WORD Key, int32_t APosition);
  virtual int32_t GetPositionAfterSliding(int32_t X, int32_t Y);
  virtual void UpdatePos(int32_t ANewPosition, TShiftState Shift);
  // The position a click beside the thumb (or a jump) leads to, fixed.
  int32_t GetNewPosition(int32_t X, int32_t Y);
  void SetSelection(int32_t AStart, int32_t ANew);
  TcxCustomTrackBarViewInfo* ViewInfo() const { return FTrackBar->GetTrackBarViewInfo(); }
  TcxCustomTrackBarProperties* Properties() const { return FTrackBar->GetActiveProperties(); }
  // The pointer's movement along the track since the press (negated when reversed).
  int32_t GetSlidingDelta(int32_t X, int32_t Y);
  // The span of the track where presses count: the client rectangle, or the buttons' outer edges.
  TRect GetTrackBounds();
  void FreeTimer() { FTimer.reset(); }

  int32_t FStoredPosition = 0;

 private:
  void TimerHandler(TObject* Sender);
  void UpdateButtonStates(const TPoint& P, TShiftState Shift);

  IcxTrackBar* FTrackBar;
  TcxTrackBarSlideState FSlideState = tbksNormal;
  int32_t FStartSelectionPosition = 0;
  bool FIsMouseDownOnLeftButton = false;
  bool FIsMouseDownOnRightButton = false;
  std::unique_ptr<TcxTimer> FTimer;
};

// --- The control -------------------------------------------------------------------------------

class TcxCustomTrackBar : public TcxCustomEdit, public IcxTrackBar {
  QD_CLASS(TcxCustomTrackBar, TcxCustomEdit)

 public:
  explicit TcxCustomTrackBar(TComponent* AOwner) : TcxCustomTrackBar(AOwner, false) {}
  TcxCustomTrackBar(TComponent* AOwner, bool AIsInplace);
  ~TcxCustomTrackBar() override;
  TClass GetPropertiesClass() const override { return TcxTrackBarProperties::StaticClass(); }
  TcxCustomTrackBarProperties* Properties() {
    return static_cast<TcxCustomTrackBarProperties*>(TcxCustomEdit::Properties());
  }
  TcxCustomTrackBarProperties* ActiveProperties() {
    return static_cast<TcxCustomTrackBarProperties*>(TcxCustomEdit::ActiveProperties());
  }
  TcxCustomTrackBarViewInfo* ViewInfo() {
    return static_cast<TcxCustomTrackBarViewInfo*>(TcxCustomEdit::ViewInfo());
  }
  // Made on first use (the making is virtual).
  TcxTrackBarController* Controller();

  virtual int32_t GetPosition();
  virtual void SetPosition(int32_t Value);
  int32_t Position() { return GetPosition(); }
  String GetDisplayText() override;

  // IcxTrackBar
  TcxCustomTrackBarProperties* GetActiveProperties() override { return ActiveProperties(); }
  TcxCustomTrackBarProperties* GetProperties() override { return Properties(); }
  TcxCustomTrackBarViewInfo* GetTrackBarViewInfo() override { return ViewInfo(); }
  bool IsTrackBarInplace() override { return IsInplace(); }
  TPoint GetMouseDownPoint() override { return MouseDownPos(); }
  int32_t GetTrackBarPosition() override { return GetPosition(); }
  void SetTrackBarPosition(int32_t AValue) override { InternalSetPosition(AValue); }

  TcxStyleController* StyleController() const { return Style()->StyleController(); }
  TcxTrackBarStyle* TrackBarStyle() const { return static_cast<TcxTrackBarStyle*>(Style()); }

 protected:
  virtual TcxTrackBarController* CreateController();
  virtual void InternalSetPosition(int32_t AValue);

  bool DefaultParentColor() override { return true; }
  bool WantNavigationKeys() override { return true; }
  void SetInternalDisplayValue(const Variant& Value) override { InternalStoreEditValue(Value); }
  void SynchronizeDisplayValue() override { ShortRefreshContainer(false); }
  void InternalValidateDisplayValue(const Variant& ADisplayValue) override;
  void KeyDown(WORD& Key, TShiftState Shift) override;
  void KeyUp(WORD& Key, TShiftState Shift) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseEnter(TControl* AControl) override;
  void MouseLeave(TControl* AControl) override;
  void FocusChanged() override;
  void PopulateSizeProperties(TcxEditSizeProperties& AEditSizeProperties) override;

 private:
  std::unique_ptr<TcxTrackBarController> FController;
};

class TcxTrackBar : public TcxCustomTrackBar {
  QD_CLASS(TcxTrackBar, TcxCustomTrackBar)
  QD_PUBLISHED(TcxTrackBar)

 public:
  using TcxCustomTrackBar::TcxCustomTrackBar;
  TcxTrackBarProperties* Properties() {
    return static_cast<TcxTrackBarProperties*>(TcxCustomTrackBar::Properties());
  }
  void SetProperties(TcxTrackBarProperties* Value) { TcxCustomTrackBar::Properties()->Assign(Value); }
  // The four state styles, as stored forms see them.
  TcxTrackBarStyle* StoredStyle() const { return static_cast<TcxTrackBarStyle*>(Style()); }
  void SetStoredStyle(TcxTrackBarStyle* Value) { Style()->Assign(Value); }
  TcxTrackBarStyle* StoredStyleDisabled() const { return static_cast<TcxTrackBarStyle*>(StyleDisabled()); }
  void SetStoredStyleDisabled(TcxTrackBarStyle* Value) { StyleDisabled()->Assign(Value); }
  TcxTrackBarStyle* StoredStyleFocused() const { return static_cast<TcxTrackBarStyle*>(StyleFocused()); }
  void SetStoredStyleFocused(TcxTrackBarStyle* Value) { StyleFocused()->Assign(Value); }
  TcxTrackBarStyle* StoredStyleHot() const { return static_cast<TcxTrackBarStyle*>(StyleHot()); }
  void SetStoredStyleHot(TcxTrackBarStyle* Value) { StyleHot()->Assign(Value); }
};

// Filter rows edit a track bar column with a spin editor bounded by the bar's range.
class TcxFilterTrackBarHelper : public TcxFilterSpinEditHelper {
  QD_CLASS(TcxFilterTrackBarHelper, TcxFilterSpinEditHelper)

 public:
  static TcxFilterEditHelperClass Class();
  void InitializeProperties(TcxCustomEditProperties* AProperties, TcxCustomEditProperties* AEditProperties,
                            bool AHasButtons) const override;
};

// Registration of the properties class with the editor registry and of its filter helper.
namespace cxTrackBar {
void Initialize();
void Finalize();
}  // namespace cxTrackBar

}  // namespace qd
