#include "ui/editors/concrete/cxLabel.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <numbers>

#include "platform/base/mathutil.h"
#include "platform/classes/rtti.h"
#include "platform/forms/graphics.h"
#include "platform/os/gdi.h"
#include "ui/core/dxCore.h"
#include "ui/core/dxThemeManager.h"
#include "ui/core/dxUxTheme.h"
#include "ui/editors/cxEditConsts.h"
#include "ui/graphics/cxGraphicsColors.h"
#include "ui/graphics/cxGraphicsPrint.h"
#include "ui/graphics/cxGraphicsText.h"
#include "ui/lookandfeel/cxLookAndFeelPainters.h"
#include "ui/lookandfeel/cxLookAndFeels.h"

namespace qd {

QD_IMPLEMENT_CLASS(TcxLabelLineOptions)
QD_IMPLEMENT_CLASS(TcxLabelEditStyle)
QD_IMPLEMENT_CLASS(TcxCustomLabelProperties)
QD_IMPLEMENT_CLASS(TcxLabelProperties)
QD_IMPLEMENT_CLASS(TcxCustomLabelViewInfo)
QD_IMPLEMENT_CLASS(TcxCustomLabelViewData)
QD_IMPLEMENT_CLASS(TcxCustomLabel)
QD_IMPLEMENT_CLASS(TcxLabel)

namespace {

// The angle in [0, 360).
int32_t NormalizedAngle(int32_t AAngle) {
  return ((AAngle % 360) + 360) % 360;
}

String ValueToText(const Variant& AValue) {
  return VarIsNull(AValue) || VarIsEmpty(AValue) ? String() : VarToStr(AValue);
}

bool IsCanvasFontTrueType(TcxCanvas* ACanvas) {
  TEXTMETRICW metrics{};
  GetTextMetricsW(ACanvas->Handle(), &metrics);
  return (metrics.tmPitchAndFamily & TMPF_TRUETYPE) != 0;
}

TcxCustomLookAndFeelPainter* StandardPainter() {
  TcxLookAndFeelPaintersManager* manager = cxLookAndFeelPaintersManager();
  return manager ? manager->GetPainter(lfsStandard) : nullptr;
}

uint16_t ClampDepth(int64_t AValue) {
  return static_cast<uint16_t>(std::clamp<int64_t>(AValue, 0, UINT16_MAX));
}

int32_t Sign(int32_t V) {
  return (V > 0) - (V < 0);
}

const TTypeInfo* LabelEffectTypeInfo() {
  static const TTypeInfo info =
      MakeEnumTypeInfo(u"TcxLabelEffect", {u"cxleNormal", u"cxleFun", u"cxleExtrude", u"cxleCool"});
  return &info;
}

const TTypeInfo* LabelStyleTypeInfo() {
  static const TTypeInfo info =
      MakeEnumTypeInfo(u"TcxLabelStyle", {u"cxlsNormal", u"cxlsRaised", u"cxlsLowered", u"cxlsOutLine"});
  return &info;
}

const TTypeInfo* LabelOrientationTypeInfo() {
  static const TTypeInfo info = MakeEnumTypeInfo(
      u"TcxLabelOrientation", {u"cxoLeft", u"cxoRight", u"cxoTop", u"cxoBottom", u"cxoLeftTop",
                               u"cxoLeftBottom", u"cxoRightTop", u"cxoRightBottom"});
  return &info;
}

const TTypeInfo* LabelLineAlignmentTypeInfo() {
  static const TTypeInfo info =
      MakeEnumTypeInfo(u"TcxLabelLineAlignment", {u"cxllaTop", u"cxllaCenter", u"cxllaBottom"});
  return &info;
}

int gLabelUnitCounter = 0;

}  // namespace

// --- Helpers -------------------------------------------------------------------------------------

int32_t PrepareTextFlag(TAlignment AAlignHorz, TcxEditVertAlignment AAlignVert, bool AShowEndEllipsis,
                        bool AWordWrap, bool AShowAccelChar) {
  static constexpr int32_t kHorz[] = {cxAlignLeft, cxAlignRight, cxAlignHCenter};
  static constexpr int32_t kVert[] = {cxAlignTop, cxAlignBottom, cxAlignVCenter};
  int32_t flags = kHorz[AAlignHorz] | kVert[AAlignVert];
  if (AShowEndEllipsis) flags |= cxShowEndEllipsis;
  if (AWordWrap) flags |= cxWordBreak;
  if (AShowAccelChar) flags |= cxShowPrefix;
  return flags;
}

int32_t GetRealTextAngle(int32_t AAngle, bool AIsTrueType) {
  return AIsTrueType ? NormalizedAngle(AAngle) : 0;
}

TPoint TcxLabelHelper::CalculatePositionOfRotatedText(TcxCanvas* ACanvas, const String& AText,
                                                      const TRect& ADrawingRect, TAlignment AAlignHorz,
                                                      TcxEditVertAlignment AAlignVert, int32_t AAngle,
                                                      const TSize& ADepthSize, bool AShowAccelChar) {
  const String text = AShowAccelChar ? RemoveAccelChars(AText, false) : AText;
  SIZE extent{};
  GetTextExtentPoint32W(ACanvas->Handle(), text.data(), static_cast<int>(text.size()), &extent);
  const double W = extent.cx, H = extent.cy;
  const int32_t angle = NormalizedAngle(AAngle);
  const double a = angle * std::numbers::pi / 180.0;
  const double c = std::cos(a), s = std::sin(a);
  const double RW = std::fabs(W * c) + std::fabs(H * s) + ADepthSize.cx;
  const double RH = std::fabs(W * s) + std::fabs(H * c) + ADepthSize.cy;
  double x, y;
  if (angle < 180) {
    x = angle <= 90 ? 0 : std::fabs(W * c);
    y = angle <= 90 ? std::fabs(W * s) : RH;
  } else {
    x = angle >= 270 ? std::fabs(H * s) : RW;
    y = angle >= 270 ? 0 : std::fabs(H * c);
  }
  const TRect& r = ADrawingRect;
  auto N = [](double v) { return static_cast<int32_t>(std::nearbyint(v)); };
  TPoint result;
  switch (AAlignHorz) {
    case taRightJustify:
      result.X = N(r.Right + 1 - RW + x);
      break;
    case taCenter:
      result.X = N((r.Left + r.Right - (W * c + H * s)) / 2);
      break;
    default:
      result.X = N(r.Left + x);
      break;
  }
  switch (AAlignVert) {
    case taBottomJustify:
      result.Y = N(r.Bottom - RH + y);
      break;
    case taVCenter:
      result.Y = N((r.Top + r.Bottom + W * s - H * c) / 2);
      break;
    default:
      result.Y = N(r.Top + y);
      break;
  }
  return result;
}

TPoint TcxLabelHelper::CalculatePositionOfRotatedText(TcxCanvas* ACanvas, const String& AText,
                                                      const TRect& ADrawingRect,
                                                      TcxCustomLabelProperties* AProperties) {
  return CalculatePositionOfRotatedText(ACanvas, AText, ADrawingRect, AProperties->Alignment()->Horz(),
                                        AProperties->Alignment()->Vert(), AProperties->Angle(), TSize{},
                                        AProperties->ShowAccelChar());
}

// --- TcxLabelLineOptions -------------------------------------------------------------------------

void TcxLabelLineOptions::RegisterProperties(TPropertyRegistrar& r) {
  using L = TcxLabelLineOptions;
  r.Prop("Alignment", &L::Alignment, &L::SetAlignment, LabelLineAlignmentTypeInfo()).Default(cxllaCenter);
  r.Prop("InnerColor", &L::InnerColor, &L::SetInnerColor, TypeInfoTColor()).Default(clDefault);
  r.Prop("OuterColor", &L::OuterColor, &L::SetOuterColor, TypeInfoTColor()).Default(clDefault);
  r.Prop("Visible", &L::Visible, &L::SetVisible).Default(false);
}

void TcxLabelLineOptions::Assign(TPersistent* Source) {
  if (auto* src = ObjectCast<TcxLabelLineOptions>(Source)) {
    FVisible = src->FVisible;
    FAlignment = src->FAlignment;
    FInnerColor = src->FInnerColor;
    FOuterColor = src->FOuterColor;
    Changed();
    return;
  }
  TPersistent::Assign(Source);
}

void TcxLabelLineOptions::Changed() {
  if (OnChanged) OnChanged(this);
}

void TcxLabelLineOptions::SetAlignment(TcxLabelLineAlignment Value) {
  if (FAlignment == Value) return;
  FAlignment = Value;
  Changed();
}

void TcxLabelLineOptions::SetInnerColor(TColor Value) {
  if (FInnerColor == Value) return;
  FInnerColor = Value;
  Changed();
}

void TcxLabelLineOptions::SetOuterColor(TColor Value) {
  if (FOuterColor == Value) return;
  FOuterColor = Value;
  Changed();
}

void TcxLabelLineOptions::SetVisible(bool Value) {
  if (FVisible == Value) return;
  FVisible = Value;
  Changed();
}

// --- TcxLabelEditStyle ---------------------------------------------------------------------------

TcxContainerBorderStyle TcxLabelEditStyle::DefaultBorderStyle() {
  return IsBaseStyle() ? cbsNone : TcxEditStyle::DefaultBorderStyle();
}

// --- TcxCustomLabelProperties --------------------------------------------------------------------

TcxCustomLabelProperties::TcxCustomLabelProperties(TPersistent* AOwner)
    : TcxCustomEditProperties(AOwner),
      FLineOptions(std::make_unique<TcxLabelLineOptions>()),
      FGlyph(std::make_unique<TdxSmartGlyph>()) {
  FLineOptions->OnChanged = MakeMethod(this, &TcxCustomLabelProperties::SubObjectChanged);
  FGlyph->OnChange = MakeMethod(this, &TcxCustomLabelProperties::SubObjectChanged);
}

TcxCustomLabelProperties::~TcxCustomLabelProperties() {
  FLineOptions->OnChanged = nullptr;
  FGlyph->OnChange = nullptr;
}

void TcxCustomLabelProperties::CalculateDepthDelta(TSize& ASize) {
  ASize = TSize{};
  if (!HasEffects()) return;
  switch (FOrientation) {
    case cxoLeft:
    case cxoRight:
      ASize = TSize{FDepth, 0};
      break;
    case cxoTop:
    case cxoBottom:
      ASize = TSize{0, FDepth};
      break;
    default:
      ASize = TSize{FDepth, FDepth};
      break;
  }
}

void TcxCustomLabelProperties::ChangeScale(int32_t M, int32_t D) {
  TcxCustomEditProperties::ChangeScale(M, D);
  SetDepth(ClampDepth(MulDiv(FDepth, M, D)));
}

void TcxCustomLabelProperties::DoAssign(TcxCustomEditProperties* Source) {
  TcxCustomEditProperties::DoAssign(Source);
  auto* src = ObjectCast<TcxCustomLabelProperties>(Source);
  if (!src) return;
  SetLabelEffect(src->LabelEffect());
  SetLabelStyle(src->LabelStyle());
  SetOrientation(src->Orientation());
  SetDepth(ClampDepth(ScaleFactor()->Apply(src->Depth(), src->ScaleFactor())));
  SetShadowedColor(src->ShadowedColor());
  SetShowEndEllipsis(src->ShowEndEllipsis());
  SetAngle(src->Angle());
  SetPenWidth(src->PenWidth());
  SetGlyph(src->Glyph());
  SetShowAccelChar(src->ShowAccelChar());
  SetWordWrap(src->WordWrap());
  SetLineOptions(src->LineOptions());
}

TClass TcxCustomLabelProperties::GetViewDataClass() const {
  return TcxCustomLabelViewData::StaticClass();
}

TClass TcxCustomLabelProperties::GetViewInfoClass() const {
  return TcxCustomLabelViewInfo::StaticClass();
}

TClass TcxCustomLabelProperties::GetContainerClass() const {
  return TcxLabel::StaticClass();
}

TcxContainerStyleClass TcxCustomLabelProperties::GetStyleClass() const {
  return &cxCreateContainerStyle<TcxLabelEditStyle>;
}

String TcxCustomLabelProperties::GetDisplayText(const Variant& AEditValue, bool, bool) {
  return ValueToText(AEditValue);
}

void TcxCustomLabelProperties::PrepareDisplayValue(const Variant& AEditValue, Variant& DisplayValue, bool) {
  DisplayValue = Variant(ValueToText(AEditValue));
}

TcxEditSupportedOperations TcxCustomLabelProperties::GetSupportedOperations() {
  TcxEditSupportedOperations result{esoAutoHeight, esoFiltering,    esoShowingCaption,
                                    esoSorting,    esoTransparency, esoAutoWidth};
  if (FLineOptions->Visible() && (FAngle == 0 || FAngle == 90)) result.Exclude(esoAutoWidth);
  return result;
}

void TcxLabelProperties::RegisterProperties(TPropertyRegistrar& r) {
  using P = TcxCustomLabelProperties;
  using B = TcxCustomEditProperties;
  r.Prop("Alignment", &B::Alignment, &B::SetAlignment).Stored(&B::IsAlignmentStored);
  r.Prop("Angle", &P::Angle, &P::SetAngle).Default(0);
  r.Prop("Depth", &P::Depth, &P::SetDepth).Default(0);
  r.Prop("Glyph", &P::Glyph, &P::SetGlyph);
  r.Prop("LabelEffect", &P::LabelEffect, &P::SetLabelEffect, LabelEffectTypeInfo()).Default(cxleNormal);
  r.Prop("LabelStyle", &P::LabelStyle, &P::SetLabelStyle, LabelStyleTypeInfo()).Default(cxlsNormal);
  r.Prop("LineOptions", &P::LineOptions, &P::SetLineOptions);
  r.Prop("Orientation", &P::Orientation, &P::SetOrientation, LabelOrientationTypeInfo())
      .Default(cxoRightBottom);
  r.Prop("PenWidth", &P::PenWidth, &P::SetPenWidth).Default(1);
  r.Prop("ShadowedColor", &P::ShadowedColor, &P::SetShadowedColor, TypeInfoTColor()).Default(clGrayText);
  r.Prop("ShowAccelChar", &P::ShowAccelChar, &P::SetShowAccelChar).Default(true);
  r.Prop("ShowEndEllipsis", &P::ShowEndEllipsis, &P::SetShowEndEllipsis).Default(false);
  r.Prop("Transparent", &B::Transparent, &B::SetTransparent).Default(false);
  r.Prop("WordWrap", &P::WordWrap, &P::SetWordWrap).Default(false);
}

// --- TcxCustomLabelViewInfo ----------------------------------------------------------------------

TcxCustomLabelViewInfo::TcxCustomLabelViewInfo()
    : FAlignment(std::make_unique<TcxEditAlignment>(nullptr)), FDrawBitmap(std::make_unique<TcxBitmap>()) {}

TcxCustomLabelViewInfo::~TcxCustomLabelViewInfo() = default;

void TcxCustomLabelViewInfo::SetBackgroundColor(TColor Value) {
  TcxCustomTextEditViewInfo::SetBackgroundColor(Value);
  FIsDrawBitmapDirty = true;
}

void TcxCustomLabelViewInfo::Offset(int32_t DX, int32_t DY) {
  TcxCustomTextEditViewInfo::Offset(DX, DY);
  FocusRect = cxRectOffset(FocusRect, DX, DY);
  // The line goes with the text it belongs to.
  if (!FLineRect.IsEmpty()) FLineRect = cxRectOffset(FLineRect, DX, DY);
  if (Transparent) FIsDrawBitmapDirty = true;
}

void TcxCustomLabelViewInfo::GetColorSettingsByPainter(TColor& AFillColor, TColor& ATextColor) {
  TcxCustomTextEditViewInfo::GetColorSettingsByPainter(AFillColor, ATextColor);
  auto* label = dynamic_cast<TcxCustomLabel*>(Edit());
  if (!label || !Painter) return;
  const TcxEditStateColorKind kind = label->GetEditStateColorKind();
  if (ATextColor != clDefault) ATextColor = Painter->DefaultEditorTextColorEx(kind);
  if (AFillColor != clDefault) AFillColor = Painter->DefaultEditorBackgroundColorEx(kind);
}

void TcxCustomLabelViewInfo::InternalPaint(TcxCanvas* ACanvas) {
  DrawCustomEdit(ACanvas, false, false);
  DrawLabel(ACanvas);
}

bool TcxCustomLabelViewInfo::InplacePositionChanged(TcxCanvas* ACanvas) {
  const TPoint windowOrg = ACanvas->WindowOrg();
  const bool changed = LeftTop != FInplaceOffset || windowOrg != FWindowOrg;
  FInplaceOffset = LeftTop;
  FWindowOrg = windowOrg;
  return changed;
}

TRect TcxCustomLabelViewInfo::GetActualCustomTextRect(const TRect& ARect, const TRect& AClientRect) {
  if (!UseRightToLeftAlignment) return ARect;
  return TRect{AClientRect.Left + AClientRect.Right - ARect.Right, ARect.Top,
               AClientRect.Left + AClientRect.Right - ARect.Left, ARect.Bottom};
}

void TcxCustomLabelViewInfo::DrawLabel(TcxCanvas* ACanvas) {
  if (ClientRect.IsEmpty() || !ACanvas->RectVisible(ClientRect)) return;
  ACanvas->SaveState();
  try {
    if (IsInplace || (HasEffects() && !Transparent)) {
      if (InplacePositionChanged(ACanvas) || FIsDrawBitmapDirty) {
        FDrawBitmap->SetSize(ClientRect.Width(), ClientRect.Height());
        const TRect bitmapRect = FDrawBitmap->ClientRect();
        const TRect textRect =
            GetActualCustomTextRect(cxRectOffset(TextRect, -ClientRect.Left, -ClientRect.Top), bitmapRect);
        const TRect lineRect =
            FLineRect.IsEmpty() ? TRect{} : cxRectOffset(FLineRect, -ClientRect.Left, -ClientRect.Top);
        FDestinationCanvas = ACanvas;
        InternalDrawLabel(FDrawBitmap->cxCanvas(), bitmapRect, textRect, ClientRect, lineRect);
        FDestinationCanvas = nullptr;
        TRect clip;
        const bool fullyVisible = GetClipBox(ACanvas->Handle(), &clip) == SIMPLEREGION &&
                                  clip.Left <= ClientRect.Left && clip.Top <= ClientRect.Top &&
                                  clip.Right >= ClientRect.Right && clip.Bottom >= ClientRect.Bottom;
        FIsDrawBitmapDirty = !fullyVisible;
      }
      BitBlt(ACanvas->Handle(), ClientRect.Left, ClientRect.Top, ClientRect.Width(), ClientRect.Height(),
             FDrawBitmap->Canvas()->Handle(), 0, 0, SRCCOPY);
    } else {
      TRect rect = ClientRect;
      if (!Transparent && NativeStyle) {
        if (HTHEME theme = OpenTheme(totButton)) {
          TRect content;
          if (SUCCEEDED(GetThemeBackgroundContentRect(theme, ACanvas->Handle(), BP_PUSHBUTTON, NativeState,
                                                      &Bounds, &content)))
            rect = content;
        }
      }
      InternalDrawLabel(ACanvas, rect, GetActualCustomTextRect(TextRect, ClientRect), rect, FLineRect);
    }
  } catch (...) {
    FDestinationCanvas = nullptr;
    ACanvas->RestoreState();
    throw;
  }
  ACanvas->RestoreState();
}

void TcxCustomLabelViewInfo::InternalDrawBackground(TcxCanvas* ACanvas, const TRect& R,
                                                    const TRect& ASourceRect) {
  if (IsInplace && OnDrawBackground) {
    bool handled = false;
    OnDrawBackground(this, ACanvas, handled);
    if (handled) return;
  }
  if (Transparent && !(IsInplace && Focused)) {
    if (IsInplace) {
      if (FDestinationCanvas && FDestinationCanvas != ACanvas)
        BitBlt(ACanvas->Handle(), R.Left, R.Top, R.Width(), R.Height(), FDestinationCanvas->Handle(),
               ASourceRect.Left, ASourceRect.Top, SRCCOPY);
    } else if (Edit()) {
      cxDrawTransparentControlBackground(Edit(), ACanvas, R);
    }
    return;
  }
  ACanvas->FillRect(R, BackgroundColor());
}

void TcxCustomLabelViewInfo::InternalDrawLabel(TcxCanvas* ACanvas, const TRect& ABackgroundRect,
                                               const TRect& ATextRect, const TRect& ASourceRect,
                                               const TRect& ALineRect) {
  InternalDrawBackground(ACanvas, ABackgroundRect, ASourceRect);
  const bool trueType = Font ? AdjustCanvasFont(ACanvas, Font, FAngle) : IsCanvasFontTrueType(ACanvas);
  const int32_t realAngle = GetRealTextAngle(FAngle, trueType);
  TPoint origin, step;
  GetTextDrawingParameters(ACanvas, ATextRect, realAngle, origin, step);
  ACanvas->Brush()->SetStyle(bsClear);
  if (HasEffects()) DrawLabelEffect(ACanvas, ATextRect, realAngle, origin, step);
  if (step.X < 0) origin.X -= FLabelStyleOffset;
  if (step.Y < 0) origin.Y -= FLabelStyleOffset;
  ACanvas->Font()->SetColor(cxGetActualColor(TextColor, clWindowText));
  DrawConventionalizedText(ACanvas, ATextRect, realAngle, origin, trueType);
  if (!ALineRect.IsEmpty()) DrawLabelLine(ACanvas, ATextRect, ALineRect);
  ACanvas->Brush()->SetStyle(bsSolid);
}

void TcxCustomLabelViewInfo::GetTextDrawingParameters(TcxCanvas* ACanvas, const TRect& ATextRect,
                                                      int32_t ARealAngle, TPoint& AOrigin, TPoint& AStep) {
  AOrigin = ARealAngle != 0 ? TcxLabelHelper::CalculatePositionOfRotatedText(
                                  ACanvas, Text, ATextRect, FAlignment->Horz(), FAlignment->Vert(),
                                  ARealAngle, FDepthDeltaSize, ShowAccelChar)
                            : TPoint{};
  AStep = TPoint{};
  if (!HasEffects()) return;
  AStep = TPoint{FDepthDeltaSize.cx, FDepthDeltaSize.cy};
  if (FOrientation == cxoRight || FOrientation == cxoRightTop || FOrientation == cxoRightBottom) {
    AOrigin.X += FDepthDeltaSize.cx + FLabelStyleOffset;
    AStep.X = -AStep.X;
  }
  if (FOrientation == cxoBottom || FOrientation == cxoLeftBottom || FOrientation == cxoRightBottom) {
    AOrigin.Y += FDepthDeltaSize.cy + FLabelStyleOffset;
    AStep.Y = -AStep.Y;
  }
  if (FLabelEffect == cxleFun || FLabelEffect == cxleExtrude) AStep = TPoint{Sign(AStep.X), Sign(AStep.Y)};
}

void TcxCustomLabelViewInfo::DrawLabelEffect(TcxCanvas* ACanvas, const TRect& ATextRect, int32_t ARealAngle,
                                             TPoint& AOrigin, const TPoint& AStep) {
  const int32_t stepSize = AStep.X != 0 ? std::abs(AStep.X) : std::abs(AStep.Y);
  if (stepSize == 0) return;
  const int32_t count = FDepth / stepSize;
  const COLORREF background = ColorToRGB(BackgroundColor());
  const COLORREF shadow = ColorToRGB(FShadowedColor);
  if (FLabelEffect != cxleFun) ACanvas->Font()->SetColor(FShadowedColor);
  for (int32_t i = 1; i <= count; ++i) {
    if (FLabelEffect == cxleFun) {
      auto channel = [&](int shift) {
        const int32_t b = (background >> shift) & 0xFF, s = (shadow >> shift) & 0xFF;
        return static_cast<uint32_t>(b + i * (s - b) / count) & 0xFF;
      };
      ACanvas->Font()->SetColor(static_cast<TColor>(channel(0) | (channel(8) << 8) | (channel(16) << 16)));
    }
    DrawActualText(ACanvas, ATextRect, AOrigin, ARealAngle != 0);
    AOrigin.X += AStep.X;
    AOrigin.Y += AStep.Y;
  }
}

void TcxCustomLabelViewInfo::DrawConventionalizedText(TcxCanvas* ACanvas, const TRect& ATextRect,
                                                      int32_t ARealAngle, const TPoint& AOrigin,
                                                      bool ATrueType) {
  const TColor textColor = ACanvas->Font()->Color();
  const bool rotated = ARealAngle != 0;
  const int32_t one = ScaleFactor()->Apply(1), two = ScaleFactor()->Apply(2);
  const bool large = (Font ? Font->Size() : ACanvas->Font()->Size()) >= 12;
  auto at = [&](int32_t d) { return TPoint{AOrigin.X + d, AOrigin.Y + d}; };
  switch (FLabelStyle) {
    case cxlsNormal:
      DrawFilledText(ACanvas, ATextRect, ARealAngle, AOrigin, ATrueType);
      break;
    case cxlsRaised:
      ACanvas->Font()->SetColor(clBtnHighlight);
      DrawActualText(ACanvas, ATextRect, AOrigin, rotated);
      if (large) {
        ACanvas->Font()->SetColor(clBtnShadow);
        DrawActualText(ACanvas, ATextRect, at(two), rotated);
      }
      ACanvas->Font()->SetColor(textColor);
      DrawFilledText(ACanvas, ATextRect, ARealAngle, at(one), ATrueType);
      break;
    case cxlsLowered:
      if (large) {
        ACanvas->Font()->SetColor(clBtnShadow);
        DrawActualText(ACanvas, ATextRect, AOrigin, rotated);
      }
      ACanvas->Font()->SetColor(clBtnHighlight);
      DrawActualText(ACanvas, ATextRect, at(two), rotated);
      ACanvas->Font()->SetColor(textColor);
      DrawFilledText(ACanvas, ATextRect, ARealAngle, at(one), ATrueType);
      break;
    case cxlsOutLine: {
      if (!ATrueType) {
        DrawActualText(ACanvas, ATextRect, AOrigin, rotated);
        break;
      }
      if (HasGlyph) DrawFilledText(ACanvas, ATextRect, ARealAngle, AOrigin, ATrueType);
      HDC dc = ACanvas->Handle();
      BeginPath(dc);
      DrawActualText(ACanvas, ATextRect, AOrigin, rotated);
      EndPath(dc);
      ACanvas->Pen()->SetColor(textColor);
      ACanvas->Pen()->SetWidth(FPenWidth);
      StrokePath(ACanvas->Handle());
      ACanvas->Pen()->SetWidth(1);
      break;
    }
  }
}

void TcxCustomLabelViewInfo::DrawFilledText(TcxCanvas* ACanvas, const TRect& ATextRect, int32_t ARealAngle,
                                            const TPoint& AOrigin, bool ATrueType) {
  if (!(FGlyph && !FGlyph->Empty() && ATrueType)) {
    DrawActualText(ACanvas, ATextRect, AOrigin, ARealAngle != 0);
    return;
  }
  // The glyph shows through the letters only; the clipping in force outside stays.
  ACanvas->SaveClipRegion();
  HDC dc = ACanvas->Handle();
  BeginPath(dc);
  DrawActualText(ACanvas, ATextRect, AOrigin, ARealAngle != 0);
  EndPath(dc);
  SelectClipPath(dc, RGN_AND);
  ACanvas->FillRect(ATextRect, FGlyph.get());
  ACanvas->RestoreClipRegion();
}

void TcxCustomLabelViewInfo::DrawActualText(TcxCanvas* ACanvas, const TRect& ARect, const TPoint& AOrigin,
                                            bool ARotated) {
  if (ARotated) {
    const String text = ShowAccelChar ? RemoveAccelChars(Text, false) : Text;
    HDC dc = ACanvas->Handle();
    SetBkMode(dc, TRANSPARENT);
    ExtTextOutW(dc, AOrigin.X, AOrigin.Y, 0, nullptr, text.data(), static_cast<UINT>(text.size()), nullptr);
    return;
  }
  TRect r = ARect;
  r.Right -= FDepthDeltaSize.cx;
  r.Bottom -= FDepthDeltaSize.cy;
  r = cxRectOffset(r, AOrigin.X, AOrigin.Y);
  TAlignment horz = FAlignment->Horz();
  if (UseRightToLeftAlignment && horz != taCenter)
    horz = horz == taLeftJustify ? taRightJustify : taLeftJustify;
  ACanvas->DrawTexT(Text, r,
                    PrepareTextFlag(horz, FAlignment->Vert(), PaintOptions.Contains(epoShowEndEllipsis),
                                    FWordWrap, ShowAccelChar),
                    true);
}

void TcxCustomLabelViewInfo::DrawLabelLine(TcxCanvas* ACanvas, const TRect& ATextRect,
                                           const TRect& ALineRect) {
  const bool vertical = FLineOrientation == orVertical;
  TRect excluded = ATextRect;
  if (vertical) {
    excluded.Top -= 3;
    excluded.Bottom += 3;
  } else {
    excluded.Left -= 3;
    excluded.Right += 3;
  }
  TcxCustomLookAndFeelPainter* painter = Painter ? Painter : StandardPainter();
  if (!painter) return;
  ACanvas->SaveClipRegion();
  ACanvas->ExcludeClipRect(excluded);
  painter->DrawLabelLine(ACanvas, ALineRect, FLineOuterColor, FLineInnerColor, vertical);
  ACanvas->RestoreClipRegion();
}

// --- TcxCustomLabelViewData ----------------------------------------------------------------------

TcxCustomLabelProperties* TcxCustomLabelViewData::LabelProperties() const {
  return static_cast<TcxCustomLabelProperties*>(Properties());
}

bool TcxCustomLabelViewData::EffectiveShowEndEllipsis() {
  return LabelProperties()->ShowEndEllipsis() && !(Edit() && Edit()->IsAutoWidth());
}

TSize TcxCustomLabelViewData::ScaledDepthDelta() {
  TSize delta;
  LabelProperties()->CalculateDepthDelta(delta);
  return ScaleFactor()->Apply(delta, LabelProperties()->ScaleFactor());
}

TcxEditPaintOptions TcxCustomLabelViewData::CalculatePaintOptions() {
  TcxEditPaintOptions result = TcxCustomEditViewData::CalculatePaintOptions();
  if (EffectiveShowEndEllipsis()) result.Include(epoShowEndEllipsis);
  return result;
}

void TcxCustomLabelViewData::InternalEditValueToDisplayText(const Variant& AEditValue, String& AText) {
  AText = ValueToText(AEditValue);
}

void TcxCustomLabelViewData::EditValueToDrawValue(const Variant& AEditValue,
                                                  TcxCustomEditViewInfo* AViewInfo) {
  String text;
  EditValueToDisplayText(AEditValue, text);
  static_cast<TcxCustomLabelViewInfo*>(AViewInfo)->Text = text;
}

uint32_t TcxCustomLabelViewData::GetDrawTextFlags() {
  static constexpr uint32_t kHorz[] = {CXTO_LEFT, CXTO_RIGHT, CXTO_CENTER_HORIZONTALLY};
  static constexpr uint32_t kVert[] = {CXTO_TOP, CXTO_BOTTOM, CXTO_CENTER_VERTICALLY};
  TcxCustomLabelProperties* props = LabelProperties();
  uint32_t flags = kHorz[props->Alignment()->Horz()] | kVert[props->Alignment()->Vert()];
  if (EffectiveShowEndEllipsis()) flags |= CXTO_END_ELLIPSIS;
  flags |= props->WordWrap() && NormalizedAngle(props->Angle()) == 0 ? CXTO_WORDBREAK : CXTO_SINGLELINE;
  return flags;
}

int32_t TcxCustomLabelViewData::GetLineHeight() {
  TcxCustomLookAndFeelPainter* painter = nullptr;
  if (Edit() && Style()) painter = Style()->LookAndFeel()->Painter();
  if (!painter) painter = StandardPainter();
  return painter ? painter->LabelLineHeight() : 2;
}

bool TcxCustomLabelViewData::IsLineVisible(int32_t AAngle) {
  return LabelProperties()->LineOptions()->Visible() && (AAngle == 0 || AAngle == 90);
}

int32_t TcxCustomLabelViewData::CalculateLabelStyleOffset(TcxCanvas* ACanvas) {
  const TcxLabelStyle style = LabelProperties()->LabelStyle();
  if (style != cxlsRaised && style != cxlsLowered) return 0;
  return ACanvas->Font()->Size() < 12 ? 1 : 2;
}

void TcxCustomLabelViewData::CalculateTextSize(TcxCanvas* ACanvas, const TRect& ARect, TSize& ASize,
                                               bool AHeightPass, const String& AText) {
  TcxCustomLabelProperties* props = LabelProperties();
  const int32_t realAngle = GetRealTextAngle(props->Angle(), IsCanvasFontTrueType(ACanvas));
  const bool rotated = realAngle != 0;
  const String text = rotated && props->ShowAccelChar() ? RemoveAccelChars(AText, false) : AText;
  const bool wordWrap = props->WordWrap() && !rotated && (!IsInplace() || ARect.Right > 0);
  const bool accel = props->ShowAccelChar() && !rotated;
  int32_t flags = PrepareTextFlag(taLeftJustify, taTopJustify, EffectiveShowEndEllipsis(), wordWrap, accel);
  if (!AHeightPass) flags |= cxDontBreakChars;
  TRect r = ARect;
  cxDrawText(ACanvas->Handle(), text, r, cxFlagsToDTFlags(flags) | DT_CALCRECT);
  const double W = r.Width(), H = r.Height();
  if (rotated) {
    const double a = realAngle * std::numbers::pi / 180.0;
    ASize = TSize{
        static_cast<int32_t>(std::trunc(std::fabs(W * std::cos(a)) + std::fabs(H * std::sin(a)) + 0.5)),
        static_cast<int32_t>(std::trunc(std::fabs(W * std::sin(a)) + std::fabs(H * std::cos(a)) + 0.5))};
  } else {
    ASize = TSize{r.Width(), r.Height()};
  }
  const TSize depth = ScaledDepthDelta();
  const int32_t offset = CalculateLabelStyleOffset(ACanvas);
  ASize.cx += depth.cx + offset;
  ASize.cy += depth.cy + offset;
}

void TcxCustomLabelViewData::CalculateTextRect(TcxCanvas* ACanvas, const TRect& AClientRect, TRect& ATextRect,
                                               int32_t AAngle, const String& AText) {
  ATextRect = AClientRect;
  if (IsInplace()) {
    TRect offsets;
    GetTextEditDrawTextOffset(this, offsets);
    ATextRect = TRect{ATextRect.Left + offsets.Left, ATextRect.Top + offsets.Top,
                      ATextRect.Right - offsets.Right, ATextRect.Bottom - offsets.Bottom};
    if (AAngle == 0 && !IsLineVisible(AAngle)) return;
  }
  TcxEditAlignment* alignment = LabelProperties()->Alignment();
  TSize size;
  CalculateTextSize(ACanvas, ATextRect, size, false, AText);
  switch (alignment->Horz()) {
    case taLeftJustify:
      ATextRect.Right = std::min(ATextRect.Left + size.cx, ATextRect.Right);
      break;
    case taRightJustify:
      ATextRect.Left = std::max(ATextRect.Right - size.cx, ATextRect.Left);
      break;
    default:
      if (size.cx < ATextRect.Width()) {
        ATextRect.Left += (ATextRect.Width() - size.cx) / 2;
        ATextRect.Right = ATextRect.Left + size.cx;
      }
      break;
  }
  CalculateTextSize(ACanvas, ATextRect, size, true, AText);
  switch (alignment->Vert()) {
    case taTopJustify:
      ATextRect.Bottom = std::min(ATextRect.Top + size.cy, ATextRect.Bottom);
      break;
    case taBottomJustify:
      ATextRect.Top = std::max(ATextRect.Bottom - size.cy, ATextRect.Top);
      break;
    default:
      if (size.cy < ATextRect.Height()) {
        ATextRect.Top += (ATextRect.Height() - size.cy) / 2;
        ATextRect.Bottom = ATextRect.Top + size.cy;
      }
      break;
  }
}

void TcxCustomLabelViewData::CalculateLineRect(TRect& ATextRect, const TRect& AClientRect, TRect& ALineRect,
                                               bool AVertical, int32_t ALineHeight, bool AVisible,
                                               TcxLabelLineAlignment ALineAlignment) {
  ALineRect = TRect{};
  if (!AVisible) return;
  TcxEditAlignment* alignment = LabelProperties()->Alignment();
  ALineRect = AClientRect;
  if (!AVertical) {
    switch (ALineAlignment) {
      case cxllaTop:
        ALineRect.Bottom = ALineRect.Top + ALineHeight;
        break;
      case cxllaBottom:
        ALineRect.Top = ALineRect.Bottom - ALineHeight;
        break;
      case cxllaCenter:
        ALineRect.Top = AClientRect.Top + (AClientRect.Height() - ALineHeight) / 2;
        ALineRect.Bottom = ALineRect.Top + ALineHeight;
        if (alignment->Horz() == taLeftJustify)
          ALineRect.Left = ATextRect.Right + 3;
        else if (alignment->Horz() == taRightJustify)
          ALineRect.Right = ATextRect.Left - 3;
        break;
    }
  } else {
    switch (ALineAlignment) {
      case cxllaTop:
        ALineRect.Right = ALineRect.Left + ALineHeight;
        break;
      case cxllaBottom:
        ALineRect.Left = ALineRect.Right - ALineHeight;
        break;
      case cxllaCenter:
        ALineRect.Left = AClientRect.Left + (AClientRect.Width() - ALineHeight) / 2;
        ALineRect.Right = ALineRect.Left + ALineHeight;
        if (alignment->Vert() == taTopJustify)
          ALineRect.Top = ATextRect.Bottom - 3;
        else if (alignment->Vert() == taBottomJustify)
          ALineRect.Bottom = ATextRect.Top + 3;
        break;
    }
  }
  TRect common;
  if (!cxRectIntersect(common, ALineRect, ATextRect)) return;
  const int32_t direction = ALineAlignment == cxllaTop ? 1 : ALineAlignment == cxllaBottom ? -1 : 0;
  const int32_t shift = direction * ALineHeight;
  ATextRect = AVertical ? cxRectOffset(ATextRect, shift, 0) : cxRectOffset(ATextRect, 0, shift);
}

void TcxCustomLabelViewData::CalculateLabelViewInfoProps(TcxCustomLabelViewInfo* AViewInfo) {
  TcxCustomLabelProperties* props = LabelProperties();
  AViewInfo->FLabelEffect = props->LabelEffect();
  AViewInfo->FLabelStyle = props->LabelStyle();
  AViewInfo->FOrientation = props->Orientation();
  AViewInfo->FDepth = ClampDepth(ScaleFactor()->Apply(props->Depth(), props->ScaleFactor()));
  AViewInfo->FShadowedColor = props->ShadowedColor();
  AViewInfo->ShowAccelChar = props->ShowAccelChar();
  AViewInfo->FAngle = props->Angle();
  AViewInfo->FPenWidth = props->PenWidth();
  AViewInfo->FWordWrap = props->WordWrap();
  AViewInfo->FLineOuterColor = props->LineOptions()->OuterColor();
  AViewInfo->FLineInnerColor = props->LineOptions()->InnerColor();
  AViewInfo->FAlignment->Assign(props->Alignment());
  AViewInfo->HasGlyph = !props->Glyph()->Empty();
  if (AViewInfo->HasGlyph)
    AViewInfo->FGlyph = props->Glyph()->GetAsBitmap();
  else
    AViewInfo->FGlyph.reset();
}

void TcxCustomLabelViewData::CalculateViewParams(TcxCanvas* ACanvas, TcxCustomLabelViewInfo* AViewInfo) {
  if (!ACanvas) ACanvas = cxScreenCanvas();
  TcxCustomLabelProperties* props = LabelProperties();
  ACanvas->SaveState();
  try {
    ACanvas->Font()->Assign(Style()->GetVisibleFont());
    const int32_t realAngle = GetRealTextAngle(props->Angle(), IsCanvasFontTrueType(ACanvas));
    AViewInfo->FLabelStyleOffset = CalculateLabelStyleOffset(ACanvas);
    CalculateTextRect(ACanvas, AViewInfo->ClientRect, AViewInfo->TextRect, realAngle, AViewInfo->Text);
    AViewInfo->FLineOrientation = realAngle == 0 ? orHorizontal : orVertical;
    CalculateLineRect(AViewInfo->TextRect, AViewInfo->ClientRect, AViewInfo->FLineRect,
                      AViewInfo->FLineOrientation == orVertical, GetLineHeight(), IsLineVisible(realAngle),
                      props->LineOptions()->Alignment());
  } catch (...) {
    ACanvas->RestoreState();
    throw;
  }
  ACanvas->RestoreState();
}

void TcxCustomLabelViewData::Calculate(TcxCanvas* ACanvas, const TRect& ABounds, const TPoint& P,
                                       TcxMouseButton Button, TShiftState Shift,
                                       TcxCustomEditViewInfo* AViewInfo, bool AIsMouseEvent) {
  TcxCustomEditViewData::Calculate(ACanvas, ABounds, P, Button, Shift, AViewInfo, AIsMouseEvent);
  if (IsInplace() &&
      (ABounds.Right >= cxEditMeasuringBoundsSize || ABounds.Bottom >= cxEditMeasuringBoundsSize))
    return;
  auto* vi = static_cast<TcxCustomLabelViewInfo*>(AViewInfo);
  vi->IsEditClass = false;
  vi->DrawTextFlags = GetDrawTextFlags();
  if (vi->EditBorderStyle == cbsNone) vi->NativeStyle = false;
  if (!IsInplace() && Edit()) vi->Transparent = Edit()->Transparent();
  CalculateLabelViewInfoProps(vi);
  vi->FDepthDeltaSize = ScaledDepthDelta();
  CalculateViewParams(ACanvas, vi);
  if (!IsInplace() && Focused && !vi->Text.empty())
    vi->FocusRect =
        TRect{vi->TextRect.Left - 1, vi->TextRect.Top - 1, vi->TextRect.Right + 1, vi->TextRect.Bottom + 1};
  else
    vi->FocusRect = TRect{};
  vi->LeftTop = Edit() ? TPoint{Edit()->Left(), Edit()->Top()} : TPoint{};
  vi->FIsDrawBitmapDirty = true;
}

TSize TcxCustomLabelViewData::GetEditContentSize(TcxCanvas* ACanvas, const Variant& AEditValue,
                                                 const TcxEditSizeProperties& AEditSizeProperties,
                                                 TcxEditValidateInfo*) {
  if (!ACanvas) ACanvas = cxScreenCanvas();
  TcxCustomLabelProperties* props = LabelProperties();
  ACanvas->SaveState();
  TSize size;
  try {
    ACanvas->Font()->Assign(Style()->GetVisibleFont());
    const int32_t realAngle = GetRealTextAngle(props->Angle(), IsCanvasFontTrueType(ACanvas));
    int32_t width = AEditSizeProperties.Width;
    const TSize depth = ScaledDepthDelta();
    const TSize correction = GetEditContentSizeCorrection();
    const int32_t offset = CalculateLabelStyleOffset(ACanvas);
    String text;
    if (Edit())
      text = static_cast<TcxCustomTextEditViewInfo*>(Edit()->ViewInfo())->Text;
    else
      EditValueToDisplayText(AEditValue, text);
    if (text.empty()) text = u" ";
    const bool border = !IsInplace() && Style()->HasBorder();
    if (width >= 0) {
      width -= offset + depth.cx;
      if (IsInplace())
        width -= correction.cx;
      else if (border)
        width -= 2;
    }
    // Without a width limit nothing wraps.
    const TRect bounds{0, 0, width >= 0 ? width : cxEditMeasuringBoundsSize, 0};
    CalculateTextSize(ACanvas, bounds, size, false, text);
    if (IsInplace()) {
      size.cx += correction.cx;
      size.cy += correction.cy;
    } else if (border) {
      size.cx += 2;
    }
    if (IsLineVisible(realAngle) && props->LineOptions()->Alignment() != cxllaCenter) {
      // A line above or below a caption adds to the height; beside a vertical caption, to the width.
      if (realAngle == 0)
        size.cy += GetLineHeight();
      else
        size.cx += GetLineHeight();
    }
  } catch (...) {
    ACanvas->RestoreState();
    throw;
  }
  ACanvas->RestoreState();
  return size;
}

// --- TcxCustomLabel ----------------------------------------------------------------------------

TcxCustomLabel::TcxCustomLabel(TComponent* AOwner, bool AIsInplace)
    : TcxCustomEdit(AOwner, AIsInplace, &cxCreateContainerStyle<TcxLabelEditStyle>) {
  InitializeParentColor();
}

void TcxCustomLabel::AfterConstruction() {
  TcxCustomEdit::AfterConstruction();
  InitializeLabel();
}

void TcxCustomLabel::SetParent(TWinControl* AParent) {
  if (AParent) InitializeLabel();
  TcxCustomEdit::SetParent(AParent);
}

void TcxCustomLabel::InitializeLabel() {
  if (FLabelInitialized) return;
  FLabelInitialized = true;
  TControlStyle style = ControlStyle();
  style.Exclude(csCaptureMouse);
  SetControlStyle(style);
  SetBounds(Left(), Top(), 121, 21);
}

void TcxCustomLabel::SetFocusControl(TWinControl* Value) {
  if (Value == FFocusControl || Value == this) return;
  if (FFocusControl) FFocusControl->RemoveFreeNotification(this);
  FFocusControl = Value;
  if (FFocusControl) FFocusControl->FreeNotification(this);
}

String TcxCustomLabel::GetDisplayText() {
  return ValueToText(FEditValue);
}

bool TcxCustomLabel::CanFocus() {
  return IsInplace();
}

bool TcxCustomLabel::CanFocusOnClick() {
  return TcxCustomEdit::CanFocusOnClick() && IsInplace();
}

int32_t TcxCustomLabel::GetTextBaseLine() {
  return ViewInfo()->GetTextBaseLine();
}

bool TcxCustomLabel::HasTextBaseLine() {
  return ActiveProperties()->Angle() == 0;
}

TcxEditStateColorKind TcxCustomLabel::GetEditStateColorKind() {
  return Enabled() ? esckNormal : esckDisabled;
}

void TcxCustomLabel::Loaded() {
  if (Parent() || ParentWindow()) HandleNeeded();
  TcxCustomEdit::Loaded();
}

void TcxCustomLabel::Notification(TComponent* AComponent, TOperation Operation) {
  TcxCustomEdit::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FFocusControl) FFocusControl = nullptr;
}

void TcxCustomLabel::DoAutoSizeChanged() {
  if (AutoSize()) ActiveProperties()->LineOptions()->SetVisible(false);
}

void TcxCustomLabel::PropertiesChanged(TObject* Sender) {
  TcxCustomEdit::PropertiesChanged(Sender);
  if (ActiveProperties()->LineOptions()->Visible()) SetEditAutoSize(false);
}

void TcxCustomLabel::InternalSetEditValue(const Variant& Value, bool AValidateEditValue) {
  TcxCustomEdit::InternalSetEditValue(Value, AValidateEditValue);
  if (!FLockCaption) SetCaption(ValueToText(Value));
  SetInternalDisplayValue(Variant(Caption()));
}

void TcxCustomLabel::SetInternalDisplayValue(const Variant& Value) {
  ViewInfo()->Text = ValueToText(Value);
  ShortRefreshContainer(false);
}

void TcxCustomLabel::TextChanged() {
  FLockCaption = true;
  try {
    SetInternalEditValue(Variant(Caption()));
  } catch (...) {
    FLockCaption = false;
    throw;
  }
  FLockCaption = false;
}

void TcxCustomLabel::TransparentChanged() {
  TcxCustomEdit::TransparentChanged();
  ShortRefreshContainer(false);
}

bool TcxCustomLabel::DialogChar(Char AKey) {
  if (!FFocusControl || !Enabled() || !ActiveProperties()->ShowAccelChar()) return false;
  const String caption = Caption();
  for (size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != u'&') continue;
    if (caption[i + 1] == u'&') {
      ++i;
      continue;
    }
    if (UpperCase(String(1, caption[i + 1])) != UpperCase(String(1, AKey))) return false;
    if (FFocusControl->CanFocus()) FFocusControl->SetFocus();
    return true;
  }
  return false;
}

void TcxCustomLabel::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case CM_DIALOGCHAR:
      if (DialogChar(static_cast<Char>(Message.WParam))) {
        Message.Result = 1;
        return;
      }
      break;
    default:
      break;
  }
  TcxCustomEdit::WndProc(Message);
}

void TcxLabel::RegisterProperties(TPropertyRegistrar& r) {
  using L = TcxCustomLabel;
  using E = TcxCustomEdit;
  r.Prop("Caption", &TControl::Caption, &TControl::SetCaption);
  r.Prop("FocusControl", &L::FocusControl, &L::SetFocusControl);
  r.Prop("Properties", &TcxLabel::Properties, &TcxLabel::SetProperties);
  r.Prop("Transparent", &TcxControl::Transparent, &TcxControl::SetTransparent).Default(false);
  r.Prop("AutoSize", &E::AutoSize, &E::SetEditAutoSize).Default(true);
  r.Prop("ParentColor", &TControl::ParentColor, &TControl::SetParentColor).Default(true);
  r.Prop("Style", &L::Style, &L::SetStyle);
  r.Prop("StyleDisabled", &L::StyleDisabled, &L::SetStyleDisabled);
  r.Prop("StyleFocused", &L::StyleFocused, &L::SetStyleFocused);
  r.Prop("StyleHot", &L::StyleHot, &L::SetStyleHot);
}

// --- Unit start-up -----------------------------------------------------------------------------

namespace cxLabel {

void Initialize() {
  if (gLabelUnitCounter++ != 0) return;
  // Stored forms name the label's class.
  RegisterClass(TcxLabel::StaticClass());
  GetRegisteredEditProperties()->Register(TcxLabelProperties::StaticClass(),
                                          cxGetResourceString(scxSEditRepositoryLabelItem));
  FilterEditsController()->Register(TcxLabelProperties::StaticClass(), TcxFilterTextEditHelper::Class());
}

void Finalize() {
  if (gLabelUnitCounter == 0 || --gLabelUnitCounter != 0) return;
  if (FilterEditsControllerAssigned())
    FilterEditsController()->Unregister(TcxLabelProperties::StaticClass(), TcxFilterTextEditHelper::Class());
  if (TcxRegisteredClasses* registered = GetRegisteredEditProperties())
    registered->Unregister(TcxLabelProperties::StaticClass());
  UnRegisterClass(TcxLabel::StaticClass());
}

}  // namespace cxLabel

}  // namespace qd
