#pragma once
// The label: a read-only editor that shows its caption, optionally rotated, with a depth
// effect (a run of offset copies), raised, lowered or outlined, filled with a bitmap through a
// clip path, and with an etched line beside the text.
#include <cstdint>
#include <memory>

#include "ui/editors/cxEdit.h"
#include "ui/editors/cxTextEdit.h"
#include "ui/graphics/cxGraphicsBitmap.h"

namespace qd {

enum TcxLabelEffect : uint8_t { cxleNormal, cxleFun, cxleExtrude, cxleCool };
enum TcxLabelStyle : uint8_t { cxlsNormal, cxlsRaised, cxlsLowered, cxlsOutLine };
// The direction in which the depth effect falls.
enum TcxLabelOrientation : uint8_t {
  cxoLeft,
  cxoRight,
  cxoTop,
  cxoBottom,
  cxoLeftTop,
  cxoLeftBottom,
  cxoRightTop,
  cxoRightBottom
};
enum TcxLabelLineAlignment : uint8_t { cxllaTop, cxllaCenter, cxllaBottom };
enum TdxOrientation : uint8_t { orHorizontal, orVertical };

class TcxCustomLabel;
class TcxCustomLabelProperties;

// --- Line options --------------------------------------------------------------------------

// The etched line drawn beside the caption.
class TcxLabelLineOptions : public TPersistent {
  QD_CLASS(TcxLabelLineOptions, TPersistent)
  QD_PUBLISHED(TcxLabelLineOptions)

 public:
  TcxLabelLineOptions() = default;
  void Assign(TPersistent* Source) override;

  TcxLabelLineAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TcxLabelLineAlignment Value);
  TColor InnerColor() const { return FInnerColor; }
  void SetInnerColor(TColor Value);
  TColor OuterColor() const { return FOuterColor; }
  void SetOuterColor(TColor Value);
  bool Visible() const { return FVisible; }
  void SetVisible(bool Value);

  TNotifyEvent OnChanged;

 protected:
  virtual void Changed();

 private:
  TcxLabelLineAlignment FAlignment = cxllaCenter;
  TColor FInnerColor = clDefault;
  TColor FOuterColor = clDefault;
  bool FVisible = false;
};

// --- Style -----------------------------------------------------------------------------------

// The label's styles: no border unless one is chosen, and no hot tracking.
class TcxLabelEditStyle : public TcxEditStyle {
  QD_CLASS(TcxLabelEditStyle, TcxEditStyle)

 public:
  using TcxEditStyle::TcxEditStyle;

 protected:
  TcxContainerBorderStyle DefaultBorderStyle() override;
  bool DefaultHotTrack() override { return false; }
};

// --- Properties --------------------------------------------------------------------------------

class TcxCustomLabelProperties : public TcxCustomEditProperties {
  QD_CLASS(TcxCustomLabelProperties, TcxCustomEditProperties)

 public:
  explicit TcxCustomLabelProperties(TPersistent* AOwner);
  ~TcxCustomLabelProperties() override;

  TcxLabelEffect LabelEffect() const { return FLabelEffect; }
  void SetLabelEffect(TcxLabelEffect Value) { SetValue(FLabelEffect, Value); }
  TcxLabelStyle LabelStyle() const { return FLabelStyle; }
  void SetLabelStyle(TcxLabelStyle Value) { SetValue(FLabelStyle, Value); }
  TcxLabelOrientation Orientation() const { return FOrientation; }
  void SetOrientation(TcxLabelOrientation Value) { SetValue(FOrientation, Value); }
  uint16_t Depth() const { return FDepth; }
  void SetDepth(uint16_t Value) { SetValue(FDepth, Value); }
  TColor ShadowedColor() const { return FShadowedColor; }
  void SetShadowedColor(TColor Value) { SetValue(FShadowedColor, Value); }
  bool ShowAccelChar() const { return FShowAccelChar; }
  void SetShowAccelChar(bool Value) { SetValue(FShowAccelChar, Value); }
  int32_t Angle() const { return FAngle; }
  void SetAngle(int32_t Value) { SetValue(FAngle, Value); }
  int32_t PenWidth() const { return FPenWidth; }
  void SetPenWidth(int32_t Value) { SetValue(FPenWidth, Value); }
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool Value) { SetValue(FWordWrap, Value); }
  bool ShowEndEllipsis() const { return FShowEndEllipsis; }
  void SetShowEndEllipsis(bool Value) { SetValue(FShowEndEllipsis, Value); }
  TcxLabelLineOptions* LineOptions() const { return FLineOptions.get(); }
  void SetLineOptions(TcxLabelLineOptions* Value) { FLineOptions->Assign(Value); }
  TdxSmartGlyph* Glyph() const { return FGlyph.get(); }
  void SetGlyph(TdxSmartGlyph* Value) { FGlyph->Assign(Value); }

  // An effect other than cxleNormal with a non-zero depth.
  bool HasEffects() const { return FLabelEffect != cxleNormal && FDepth != 0; }
  // The offset the depth effect adds, at the properties' scale.
  virtual void CalculateDepthDelta(TSize& ASize);

  void ChangeScale(int32_t M, int32_t D) override;
  TcxEditDisplayFormatOptions GetDisplayFormatOptions() override { return {}; }
  TClass GetViewDataClass() const override;
  TClass GetViewInfoClass() const override;
  bool HasDisplayValue() override { return true; }
  bool CanCompareEditValue() override { return true; }
  TClass GetContainerClass() const override;
  virtual TcxContainerStyleClass GetStyleClass() const;
  String GetDisplayText(const Variant& AEditValue, bool AFullText = false, bool AIsInplace = true) override;
  TcxEditSupportedOperations GetSupportedOperations() override;
  void PrepareDisplayValue(const Variant& AEditValue, Variant& DisplayValue, bool AEditFocused) override;
  TcxEditEditValueSource GetEditValueSource(bool) override { return evsText; }

 protected:
  void DoAssign(TcxCustomEditProperties* Source) override;

 private:
  void SubObjectChanged(TObject*) { Changed(); }

  TcxLabelEffect FLabelEffect = cxleNormal;
  TcxLabelStyle FLabelStyle = cxlsNormal;
  TcxLabelOrientation FOrientation = cxoRightBottom;
  uint16_t FDepth = 0;
  TColor FShadowedColor = clGrayText;
  bool FShowAccelChar = true;
  int32_t FAngle = 0;
  int32_t FPenWidth = 1;
  bool FWordWrap = false;
  bool FShowEndEllipsis = false;
  std::unique_ptr<TcxLabelLineOptions> FLineOptions;
  std::unique_ptr<TdxSmartGlyph> FGlyph;
};

// The label's published properties.
class TcxLabelProperties : public TcxCustomLabelProperties {
  QD_CLASS(TcxLabelProperties, TcxCustomLabelProperties)
  QD_PUBLISHED(TcxLabelProperties)

 public:
  using TcxCustomLabelProperties::TcxCustomLabelProperties;
};

// --- View info -----------------------------------------------------------------------------------

// The label's geometry and drawing. An in-place label, and a label with effects that is not
// transparent, render into a cached bitmap that is copied to the canvas.
class TcxCustomLabelViewInfo : public TcxCustomTextEditViewInfo {
  QD_CLASS(TcxCustomLabelViewInfo, TcxCustomTextEditViewInfo)

 public:
  TcxCustomLabelViewInfo();
  ~TcxCustomLabelViewInfo() override;

  void SetBackgroundColor(TColor Value) override;
  void Offset(int32_t DX, int32_t DY) override;
  // A skinned label reads its colours for the normal state while enabled, never the inactive one.
  void GetColorSettingsByPainter(TColor& AFillColor, TColor& ATextColor) override;
  bool HasEffects() const { return FLabelEffect != cxleNormal && FDepth != 0; }
  virtual void DrawLabel(TcxCanvas* ACanvas);

  // The drawing state, filled by the view data.
  std::unique_ptr<TcxEditAlignment> FAlignment;
  int32_t FAngle = 0;
  uint16_t FDepth = 0;
  TSize FDepthDeltaSize;
  std::unique_ptr<TcxBitmap> FDrawBitmap;
  std::unique_ptr<TBitmap> FGlyph;
  TcxLabelEffect FLabelEffect = cxleNormal;
  TcxLabelStyle FLabelStyle = cxlsNormal;
  int32_t FLabelStyleOffset = 0;
  TColor FLineInnerColor = clDefault;
  TColor FLineOuterColor = clDefault;
  TdxOrientation FLineOrientation = orHorizontal;
  TRect FLineRect;
  TcxLabelOrientation FOrientation = cxoRightBottom;
  int32_t FPenWidth = 1;
  TColor FShadowedColor = clGrayText;
  bool FWordWrap = false;
  TPoint FInplaceOffset{32000, 32000};
  bool FIsDrawBitmapDirty = true;
  TPoint FWindowOrg;
  TRect FocusRect;
  bool HasGlyph = false;
  TPoint LeftTop;
  bool ShowAccelChar = true;

 protected:
  void InternalPaint(TcxCanvas* ACanvas) override;
  // ASourceRect: where R lies on the destination canvas (an in-place transparent label copies
  // what is there into its cache).
  virtual void InternalDrawBackground(TcxCanvas* ACanvas, const TRect& R, const TRect& ASourceRect);

 private:
  // The canvas the cached bitmap is being rendered for.
  TcxCanvas* FDestinationCanvas = nullptr;
  // The control position or the canvas origin moved since the last render into the cache.
  bool InplacePositionChanged(TcxCanvas* ACanvas);
  TRect GetActualCustomTextRect(const TRect& ARect, const TRect& AClientRect);
  void InternalDrawLabel(TcxCanvas* ACanvas, const TRect& ABackgroundRect, const TRect& ATextRect,
                         const TRect& ASourceRect, const TRect& ALineRect);
  void GetTextDrawingParameters(TcxCanvas* ACanvas, const TRect& ATextRect, int32_t ARealAngle,
                                TPoint& AOrigin, TPoint& AStep);
  void DrawLabelEffect(TcxCanvas* ACanvas, const TRect& ATextRect, int32_t ARealAngle, TPoint& AOrigin,
                       const TPoint& AStep);
  void DrawConventionalizedText(TcxCanvas* ACanvas, const TRect& ATextRect, int32_t ARealAngle,
                                const TPoint& AOrigin, bool ATrueType);
  void DrawFilledText(TcxCanvas* ACanvas, const TRect& ATextRect, int32_t ARealAngle, const TPoint& AOrigin,
                      bool ATrueType);
  void DrawActualText(TcxCanvas* ACanvas, const TRect& ARect, const TPoint& AOrigin, bool ARotated);
  void DrawLabelLine(TcxCanvas* ACanvas, const TRect& ATextRect, const TRect& ALineRect);
};

// --- View data -----------------------------------------------------------------------------------

class TcxCustomLabelViewData : public TcxCustomEditViewData {
  QD_CLASS(TcxCustomLabelViewData, TcxCustomEditViewData)

 public:
  using TcxCustomEditViewData::TcxCustomEditViewData;

  TcxEditPaintOptions CalculatePaintOptions() override;
  void InternalEditValueToDisplayText(const Variant& AEditValue, String& AText) override;
  void Calculate(TcxCanvas* ACanvas, const TRect& ABounds, const TPoint& P, TcxMouseButton Button,
                 TShiftState Shift, TcxCustomEditViewInfo* AViewInfo, bool AIsMouseEvent) override;
  void EditValueToDrawValue(const Variant& AEditValue, TcxCustomEditViewInfo* AViewInfo) override;
  TSize GetEditContentSize(TcxCanvas* ACanvas, const Variant& AEditValue,
                           const TcxEditSizeProperties& AEditSizeProperties,
                           TcxEditValidateInfo* AErrorData = nullptr) override;

  virtual int32_t CalculateLabelStyleOffset(TcxCanvas* ACanvas);
  // AVertical: the line runs beside a rotated text.
  virtual void CalculateLineRect(TRect& ATextRect, const TRect& AClientRect, TRect& ALineRect, bool AVertical,
                                 int32_t ALineHeight, bool AVisible, TcxLabelLineAlignment ALineAlignment);
  virtual void CalculateTextRect(TcxCanvas* ACanvas, const TRect& AClientRect, TRect& ATextRect,
                                 int32_t AAngle, const String& AText);
  // AHeightPass: measure for the height within the rectangle's width (else the width).
  virtual void CalculateTextSize(TcxCanvas* ACanvas, const TRect& ARect, TSize& ASize, bool AHeightPass,
                                 const String& AText);
  virtual uint32_t GetDrawTextFlags();
  virtual int32_t GetLineHeight();
  virtual bool IsLineVisible(int32_t AAngle);

  TcxCustomLabelProperties* LabelProperties() const;

 private:
  bool EffectiveShowEndEllipsis();
  TSize ScaledDepthDelta();
  void CalculateLabelViewInfoProps(TcxCustomLabelViewInfo* AViewInfo);
  void CalculateViewParams(TcxCanvas* ACanvas, TcxCustomLabelViewInfo* AViewInfo);
};

// --- The control -----------------------------------------------------------------------------------

class TcxCustomLabel : public TcxCustomEdit {
  QD_CLASS(TcxCustomLabel, TcxCustomEdit)

 public:
  explicit TcxCustomLabel(TComponent* AOwner) : TcxCustomLabel(AOwner, false) {}
  TcxCustomLabel(TComponent* AOwner, bool AIsInplace);

  // The label's own start: no mouse capture, 121 x 21 (run once the class is complete, at the
  // latest when the label gets its first parent).
  void AfterConstruction() override;
  void SetParent(TWinControl* AParent) override;

  TClass GetPropertiesClass() const override { return TcxCustomLabelProperties::StaticClass(); }
  TcxCustomLabelProperties* Properties() {
    return static_cast<TcxCustomLabelProperties*>(TcxCustomEdit::Properties());
  }
  void SetProperties(TcxCustomLabelProperties* Value) { Properties()->Assign(Value); }
  TcxCustomLabelProperties* ActiveProperties() {
    return static_cast<TcxCustomLabelProperties*>(TcxCustomEdit::ActiveProperties());
  }
  TcxCustomLabelViewInfo* ViewInfo() {
    return static_cast<TcxCustomLabelViewInfo*>(TcxCustomEdit::ViewInfo());
  }
  TcxLabelEditStyle* Style() const { return static_cast<TcxLabelEditStyle*>(TcxCustomEdit::Style()); }
  TcxLabelEditStyle* StyleDisabled() const {
    return static_cast<TcxLabelEditStyle*>(TcxCustomEdit::StyleDisabled());
  }
  TcxLabelEditStyle* StyleFocused() const {
    return static_cast<TcxLabelEditStyle*>(TcxCustomEdit::StyleFocused());
  }
  TcxLabelEditStyle* StyleHot() const { return static_cast<TcxLabelEditStyle*>(TcxCustomEdit::StyleHot()); }
  void SetStyle(TcxLabelEditStyle* Value) { Style()->Assign(Value); }
  void SetStyleDisabled(TcxLabelEditStyle* Value) { StyleDisabled()->Assign(Value); }
  void SetStyleFocused(TcxLabelEditStyle* Value) { StyleFocused()->Assign(Value); }
  void SetStyleHot(TcxLabelEditStyle* Value) { StyleHot()->Assign(Value); }

  TWinControl* FocusControl() const { return FFocusControl; }
  void SetFocusControl(TWinControl* Value);
  String GetDisplayText() override;
  bool CanFocus() override;
  // The baseline of the caption's first row; only a horizontal caption has one.
  int32_t GetTextBaseLine();
  bool HasTextBaseLine();

  void Loaded() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  bool DefaultParentColor() override { return true; }
  void PropertiesChanged(TObject* Sender) override;
  // The text colour's kind for the painter: normal while enabled.
  TcxEditStateColorKind GetEditStateColorKind();

 protected:
  bool CanFocusOnClick() override;
  void DoAutoSizeChanged() override;
  void InternalSetEditValue(const Variant& Value, bool AValidateEditValue) override;
  bool CanAutoHeight() override { return true; }
  bool CanAutoWidth() override { return true; }
  bool IsHeightDependOnWidth() override { return ActiveProperties()->WordWrap(); }
  bool UseAnchorX() override { return ActiveProperties()->Alignment()->Horz() != taLeftJustify; }
  bool UseAnchorY() override { return ActiveProperties()->Alignment()->Vert() != taTopJustify; }
  void SetInternalDisplayValue(const Variant& Value) override;
  void WndProc(TMessage& Message) override;

  // A caption change becomes the edit value.
  void TextChanged() override;
  // The view info keeps the transparency it draws with.
  void TransparentChanged() override;

 private:
  void InitializeLabel();
  bool DialogChar(Char AKey);

  bool FLabelInitialized = false;

  TWinControl* FFocusControl = nullptr;
  bool FLockCaption = false;
};

class TcxLabel : public TcxCustomLabel {
  QD_CLASS(TcxLabel, TcxCustomLabel)
  QD_PUBLISHED(TcxLabel)

 public:
  using TcxCustomLabel::TcxCustomLabel;
  TClass GetPropertiesClass() const override { return TcxLabelProperties::StaticClass(); }
  TcxLabelProperties* Properties() { return static_cast<TcxLabelProperties*>(TcxCustomEdit::Properties()); }
  void SetProperties(TcxLabelProperties* Value) { Properties()->Assign(Value); }
  TcxLabelProperties* ActiveProperties() {
    return static_cast<TcxLabelProperties*>(TcxCustomEdit::ActiveProperties());
  }
};

// --- Helpers -------------------------------------------------------------------------------------

// Canvas text flags (cxAlign..., cxShowEndEllipsis, cxWordBreak, cxShowPrefix) of the settings.
int32_t PrepareTextFlag(TAlignment AAlignHorz, TcxEditVertAlignment AAlignVert, bool AShowEndEllipsis,
                        bool AWordWrap, bool AShowAccelChar);
// The angle in [0, 360) for a TrueType font; 0 for any other font, which cannot rotate.
int32_t GetRealTextAngle(int32_t AAngle, bool AIsTrueType);

class TcxLabelHelper {
 public:
  // The output origin of a rotated text inside ADrawingRect, placed by the alignments.
  static TPoint CalculatePositionOfRotatedText(TcxCanvas* ACanvas, const String& AText,
                                               const TRect& ADrawingRect, TAlignment AAlignHorz,
                                               TcxEditVertAlignment AAlignVert, int32_t AAngle,
                                               const TSize& ADepthSize, bool AShowAccelChar);
  static TPoint CalculatePositionOfRotatedText(TcxCanvas* ACanvas, const String& AText,
                                               const TRect& ADrawingRect,
                                               TcxCustomLabelProperties* AProperties);
};

namespace cxLabel {
void Initialize();
void Finalize();
}  // namespace cxLabel

}  // namespace qd
