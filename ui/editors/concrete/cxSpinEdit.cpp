#include "ui/editors/concrete/cxSpinEdit.h"

#include <cfloat>
#include <cmath>
#include <limits>

#include "platform/base/format.h"
#include "platform/base/strings.h"
#include "platform/classes/filer.h"
#include "platform/os/user.h"
#include "platform/os/uxtheme.h"
#include "ui/core/dxThemeManager.h"
#include "ui/lookandfeel/cxLookAndFeelPaintersBitmaps.h"
#include "ui/editors/cxEditConsts.h"

namespace qd {

QD_IMPLEMENT_CLASS(TcxSpinEditViewData)
QD_IMPLEMENT_CLASS(TcxSpinEditViewInfo)
QD_IMPLEMENT_CLASS(TcxSpinEditButtons)
QD_IMPLEMENT_CLASS(TcxCustomSpinEditProperties)
QD_IMPLEMENT_CLASS(TcxSpinEditProperties)
QD_IMPLEMENT_CLASS(TcxCustomSpinEdit)
QD_IMPLEMENT_CLASS(TcxSpinEdit)
QD_IMPLEMENT_CLASS(TcxFilterSpinEditHelper)

namespace {

constexpr double cxMaxDouble = DBL_MAX;
constexpr int64_t cxMaxInt64 = std::numeric_limits<int64_t>::max();
constexpr int64_t cxMinInt64 = std::numeric_limits<int64_t>::min();

int32_t gSpinEditUnitCounter = 0;

const TTypeInfo* SpinEditValueTypeTypeInfo() {
  static const TTypeInfo info = MakeEnumTypeInfo(u"TcxSpinEditValueType", {u"vtInt", u"vtFloat"});
  return &info;
}

const TTypeInfo* SpinEditButtonsPositionTypeInfo() {
  static const TTypeInfo info =
      MakeEnumTypeInfo(u"TcxSpinEditButtonsPosition", {u"sbpHorzLeftRight", u"sbpHorzRight", u"sbpVert"});
  return &info;
}

// Halves to even, within the 64-bit range.
int64_t RoundToInt64(double V) {
  const double r = std::nearbyint(V);
  if (!(r > -9.2233720368547758e18)) return cxMinInt64;
  if (!(r < 9.2233720368547758e18)) return cxMaxInt64;
  return static_cast<int64_t>(r);
}

int64_t SaturateInt64(__int128 V) {
  if (V > cxMaxInt64) return cxMaxInt64;
  if (V < cxMinInt64) return cxMinInt64;
  return static_cast<int64_t>(V);
}

bool IsNumericChar(Char C, TcxSpinEditValueType AType) {
  if (C >= u'0' && C <= u'9') return true;
  if (C == u'+' || C == u'-' || C == u'e' || C == u'E') return true;
  return AType == vtFloat && C == FormatSettings().DecimalSeparator;
}

Char UpCaseChar(Char C) {
  return (C >= u'a' && C <= u'z') ? static_cast<Char>(C - 32) : C;
}

}  // namespace

// --- View data and view info
// ----------------------------------------------------------------------------------

namespace {

TRect MirrorRect(const TRect& R, int32_t ALeft, int32_t ARight) {
  return TRect{ALeft + ARight - R.Right, R.Top, ALeft + ARight - R.Left, R.Bottom};
}

// Which sides of a button the flat styles draw in the face colour (shared with a neighbour);
// the others are drawn in the shadow colour.
struct TcxSpinButtonFaceSides {
  bool Left, Top, Right;
};

// The place of each button among its neighbours, by reading direction, fast buttons and
// position (sbpHorzLeftRight, sbpHorzRight, sbpVert).
constexpr int32_t AButtonPositionA[2][2][3][2] = {
    // left to right: (sebBackward, sebForward)
    {{{1, 3}, {3, 2}, {7, 6}}, {{1, 3}, {2, 2}, {5, 4}}},
    // right to left
    {{{1, 3}, {0, 1}, {9, 8}}, {{1, 3}, {0, 0}, {10, 11}}}};
// (sebFastBackward, sebFastForward)
constexpr int32_t AFastButtonPositionA[2][3][2] = {{{0, 2}, {3, 2}, {3, 2}}, {{0, 2}, {0, 1}, {0, 1}}};

TcxSpinButtonFaceSides SpinButtonFaceSides(int32_t ACode) {
  switch (ACode) {
    case 0:
    case 11:
      return {false, false, true};
    case 2:
    case 4:
      return {true, false, false};
    case 5:
      return {true, true, false};
    case 7:
    case 9:
      return {false, true, false};
    case 10:
      return {false, true, true};
    default:
      return {false, false, false};
  }
}

int32_t SpinButtonPositionCode(TcxSpinEditButton AButton, TcxSpinEditButtonsPosition APosition, bool AFast,
                               bool ARightToLeft) {
  const int32_t rtl = ARightToLeft ? 1 : 0;
  if (AButton == sebFastBackward || AButton == sebFastForward)
    return AFastButtonPositionA[rtl][APosition][AButton == sebFastForward ? 1 : 0];
  return AButtonPositionA[rtl][AFast ? 1 : 0][APosition][AButton == sebForward ? 1 : 0];
}

TcxArrowDirection SpinArrowDirection(TcxSpinEditButton AButton, TcxSpinEditButtonsPosition APosition) {
  if (APosition == sbpVert && AButton == sebBackward) return adDown;
  if (APosition == sbpVert && AButton == sebForward) return adUp;
  return AButton == sebBackward || AButton == sebFastBackward ? adLeft : adRight;
}

TcxEditBtnKind SpinArrowKind(TcxSpinEditButton AButton, TcxSpinEditButtonsPosition APosition) {
  switch (SpinArrowDirection(AButton, APosition)) {
    case adUp:
      return cxbkSpinUpBtn;
    case adDown:
      return cxbkSpinDownBtn;
    case adLeft:
      return cxbkSpinLeftBtn;
    default:
      return cxbkSpinRightBtn;
  }
}

// The theme states of the spin parts for ebsDisabled, ebsNormal, ebsPressed and ebsSelected.
constexpr int32_t ButtonNativeStateMap[] = {UPS_DISABLED, UPS_NORMAL, UPS_PRESSED, UPS_HOT};

}  // namespace

TcxSpinEditButtonsPosition TcxSpinEditViewData::Position() {
  auto* properties = dynamic_cast<TcxCustomSpinEditProperties*>(Properties());
  return properties ? properties->SpinButtons()->Position() : sbpVert;
}

bool TcxSpinEditViewData::IsSpinNativeStyle(TcxCustomEditViewInfo* AViewInfo) {
  return AViewInfo->NativeStyle && !AViewInfo->UseSkins && AreVisualStylesAvailable({totSpin});
}

HTHEME TcxSpinEditViewData::GetButtonNativeTheme(TcxEditButtonViewInfo*) {
  return OpenTheme(totSpin);
}

void TcxSpinEditViewData::CalculateButtonNativePartInfo(HTHEME ATheme,
                                                        TcxEditButtonViewInfo* AButtonViewInfo) {
  TcxEditButtonViewInfoData& data = AButtonViewInfo->Data;
  data.NativePart = 0;
  data.NativeState = 0;
  const int32_t index = AButtonViewInfo->ButtonVisibleIndex;
  if (!ATheme || !data.NativeStyle || index < sebBackward || index > sebFastForward) return;
  const bool vertical = Position() == sbpVert;
  switch (static_cast<TcxSpinEditButton>(index)) {
    case sebBackward:
      data.NativePart = vertical ? SPNP_DOWN : SPNP_DOWNHORZ;
      break;
    case sebForward:
      data.NativePart = vertical ? SPNP_UP : SPNP_UPHORZ;
      break;
    case sebFastBackward:
      data.NativePart = SPNP_DOWNHORZ;
      break;
    case sebFastForward:
      data.NativePart = SPNP_UPHORZ;
      break;
  }
  data.NativeState = ButtonNativeStateMap[data.State];
}

bool TcxSpinEditViewData::IgnoreButtonWhileStretching(int32_t AButtonVisibleIndex) {
  return AButtonVisibleIndex == sebBackward && Position() == sbpVert;
}

void TcxSpinEditViewData::CheckButtonsOnly(TcxCustomEditViewInfo* AViewInfo, int32_t APrevButtonsWidth,
                                           int32_t AButtonsWidth) {
  TcxCustomTextEditViewData::CheckButtonsOnly(AViewInfo, APrevButtonsWidth, AButtonsWidth);
  if (!ButtonsOnlyStyle || Position() != sbpVert || AViewInfo->ButtonCount() < 2) return;
  TcxEditButtonViewInfo* forward = AViewInfo->ButtonsInfo[sebForward].get();
  TcxEditButtonViewInfo* backward = AViewInfo->ButtonsInfo[sebBackward].get();
  backward->Bounds.Left = forward->Bounds.Left;
  backward->Bounds.Right = forward->Bounds.Right;
  backward->VisibleBounds = backward->Bounds;
}

void TcxSpinEditViewData::CalculateButtonsViewInfo(TcxCanvas* ACanvas, TRect& AEditBounds, const TPoint& P,
                                                   TcxMouseButton Button, TShiftState Shift,
                                                   TcxCustomEditViewInfo* AViewInfo, bool AIsMouseEvent) {
  TcxCustomTextEditViewData::CalculateButtonsViewInfo(ACanvas, AEditBounds, P, Button, Shift, AViewInfo,
                                                      AIsMouseEvent);
  const int32_t count = AViewInfo->ButtonCount();
  for (int32_t i = 0; i < count; ++i) {
    TcxEditButtonViewInfo* info = AViewInfo->ButtonsInfo[static_cast<size_t>(i)].get();
    info->VisibleBounds = cxRectIntersectRect(info->VisibleBounds, AViewInfo->BorderRect);
    // The outer buttons of each group, by where they stand.
    info->Data.Leftmost = info->Data.Rightmost = true;
    for (int32_t j = 0; j < count; ++j) {
      const TRect& other = AViewInfo->ButtonsInfo[static_cast<size_t>(j)]->Bounds;
      if (j == i || other.Bottom <= info->Bounds.Top || other.Top >= info->Bounds.Bottom) continue;
      if (other.Right == info->Bounds.Left) info->Data.Leftmost = false;
      if (other.Left == info->Bounds.Right) info->Data.Rightmost = false;
    }
  }
}

void TcxSpinEditViewData::DoCalculateButtonViewInfos(TcxCanvas* ACanvas, TRect& AButtonsRect,
                                                     TcxCustomEditViewInfo* AViewInfo) {
  const TRect original = AButtonsRect;
  TcxCustomTextEditViewData::DoCalculateButtonViewInfos(ACanvas, AButtonsRect, AViewInfo);
  auto* properties = dynamic_cast<TcxCustomSpinEditProperties*>(Properties());
  auto* viewInfo = dynamic_cast<TcxSpinEditViewInfo*>(AViewInfo);
  const int32_t count = AViewInfo->ButtonCount();
  if (!properties || !viewInfo || (count != 2 && count != 4)) return;
  AButtonsRect = original;
  CalculateButtonsBounds(ACanvas, AButtonsRect, AViewInfo);
}

bool TcxSpinEditViewData::IsButtonPressed(TcxCustomEditViewInfo*, int32_t AButtonVisibleIndex) {
  return PressedState != epsNone && AButtonVisibleIndex >= sebBackward &&
         AButtonVisibleIndex <= sebFastForward && APressedStateMap[AButtonVisibleIndex] == PressedState;
}

bool TcxSpinEditViewData::CanPressButton(TcxCustomEditViewInfo*, int32_t) {
  // While a key holds a button the mouse presses none.
  return PressedState == epsNone;
}

void TcxSpinEditViewData::CalculateButtonsBounds(TcxCanvas* ACanvas, TRect& AButtonsRect,
                                                 TcxCustomEditViewInfo* AViewInfo) {
  auto* viewInfo = static_cast<TcxSpinEditViewInfo*>(AViewInfo);
  const TcxSpinEditButtonsPosition position = Position();
  const bool fast = AViewInfo->ButtonCount() == 4;
  const bool native = IsSpinNativeStyle(AViewInfo);
  auto info = [&](TcxSpinEditButton AButton) { return AViewInfo->ButtonsInfo[AButton].get(); };
  for (int32_t i = 0; i < AViewInfo->ButtonCount(); ++i)
    AViewInfo->ButtonsInfo[static_cast<size_t>(i)]->Data.NativeStyle = native;
  viewInfo->ButtonsPosition = position;
  viewInfo->DelimiterLine[0] = viewInfo->DelimiterLine[1] = TPoint{};

  // Metrics.
  const TRect original = AButtonsRect;
  TcxEditButtonViewInfo* forwardInfo = info(sebForward);
  const int32_t defaultWidth = CalculateEditDefaultButtonWidth(ACanvas, forwardInfo);
  forwardInfo->Data.NativeStyle = native;
  viewInfo->ArrowSize = GetArrowSize(TSize{defaultWidth + 2, original.Height() / 2 + 2}, adUp);
  const int32_t arrowHeight = viewInfo->ArrowSize.cy;
  int32_t width, fastWidth;
  TcxCustomLookAndFeelPainter* painter = AViewInfo->Painter;
  if (AViewInfo->UseSkins && painter) {
    const int32_t skinHeight = ScaleFactor()->Apply(painter->EditButtonSize().cy);
    width = skinHeight / 2 + arrowHeight;
    fastWidth = width * 3 / 2 + skinHeight % 2;
  } else {
    if (native) {
      TcxCanvas* canvas = ACanvas ? ACanvas : cxScreenCanvas();
      int32_t textHeight = 0;
      if (canvas) {
        canvas->Font()->Assign(Style()->GetVisibleFont());
        textHeight = canvas->TextHeight(u"Zg");
      }
      const TRect border = GetBorderExtent();
      const int32_t sum = arrowHeight + textHeight + border.Top + border.Bottom - 1;
      width = (sum + 1) / 2;
    } else {
      width = 4 * arrowHeight - 3;
    }
    dxAdjustToTouchableSize(width, ScaleFactor());
    fastWidth = MulDiv(width, 3, 2) + width % 2;
    dxAdjustToTouchableSize(fastWidth, ScaleFactor());
  }

  // Places, from the right edge.
  TRect r = original;
  auto place = [&](TcxSpinEditButton AButton, const TRect& ABounds) {
    info(AButton)->Bounds = ABounds;
    info(AButton)->VisibleBounds = ABounds;
  };
  const int32_t delimiter = native ? 1 : 0;
  if (fast) {
    place(sebFastForward, TRect{r.Right - fastWidth, r.Top, r.Right, r.Bottom});
    r.Right -= fastWidth;
  }
  if (position == sbpVert) {
    const int32_t middle = r.Top + (r.Height() - delimiter) / 2;
    place(sebForward, TRect{r.Right - width, r.Top, r.Right, middle});
    place(sebBackward, TRect{r.Right - width, middle + delimiter, r.Right, r.Bottom});
    r.Right -= width;
  } else {
    place(sebForward, TRect{r.Right - width, r.Top, r.Right, r.Bottom});
    r.Right -= width + delimiter;
  }
  if (position == sbpHorzLeftRight) {
    if (fast) {
      place(sebFastBackward, TRect{r.Left, r.Top, r.Left + fastWidth, r.Bottom});
      r.Left += fastWidth;
    }
    place(sebBackward, TRect{r.Left, r.Top, r.Left + width, r.Bottom});
    r.Left += width;
  } else {
    if (position == sbpHorzRight) {
      place(sebBackward, TRect{r.Right - width, r.Top, r.Right, r.Bottom});
      r.Right -= width;
    }
    if (fast) {
      place(sebFastBackward, TRect{r.Right - fastWidth, r.Top, r.Right, r.Bottom});
      r.Right -= fastWidth;
    }
  }

  // Right to left: the group moves to the left edge and keeps its order.
  if (UseRightToLeftAlignment && position != sbpHorzLeftRight) {
    r = MirrorRect(r, original.Left, original.Right);
    const int32_t count = AViewInfo->ButtonCount();
    for (int32_t i = 0; i < count; ++i) {
      TcxEditButtonViewInfo* button = AViewInfo->ButtonsInfo[static_cast<size_t>(i)].get();
      button->Bounds = MirrorRect(button->Bounds, original.Left, original.Right);
    }
    const int32_t groupRight = info(fast ? sebFastBackward : sebBackward)->Bounds.Right;
    for (int32_t i = 0; i < count; ++i) {
      TcxEditButtonViewInfo* button = AViewInfo->ButtonsInfo[static_cast<size_t>(i)].get();
      button->Bounds = MirrorRect(button->Bounds, original.Left, groupRight);
      button->VisibleBounds = button->Bounds;
    }
  }
  AButtonsRect = r;

  if (native && position == sbpHorzRight) {
    const TRect& b = info(sebBackward)->Bounds;
    viewInfo->DelimiterLine[0] = TPoint{b.Right, b.Top};
    viewInfo->DelimiterLine[1] = TPoint{b.Right, b.Bottom};
  } else if (native && position == sbpVert) {
    const TRect& f = info(sebForward)->Bounds;
    viewInfo->DelimiterLine[0] = TPoint{f.Left, f.Bottom};
    viewInfo->DelimiterLine[1] = TPoint{f.Right, f.Bottom};
  }
}

bool TcxSpinEditViewData::IsButtonLeftAligned(TcxCustomEditViewInfo* AViewInfo, int32_t AButtonVisibleIndex) {
  if (Position() != sbpHorzLeftRight)
    return TcxCustomTextEditViewData::IsButtonLeftAligned(AViewInfo, AButtonVisibleIndex);
  // These buttons stay where they are under right-to-left alignment, so the backward ones
  // stand at the left in both directions.
  return AButtonVisibleIndex == sebBackward || AButtonVisibleIndex == sebFastBackward;
}

void TcxSpinEditViewInfo::Assign(TObject* Source) {
  TcxCustomTextEditViewInfo::Assign(Source);
  if (auto* source = dynamic_cast<TcxSpinEditViewInfo*>(Source)) {
    ArrowSize = source->ArrowSize;
    ButtonsPosition = source->ButtonsPosition;
    DelimiterLine[0] = source->DelimiterLine[0];
    DelimiterLine[1] = source->DelimiterLine[1];
  }
}

void TcxSpinEditViewInfo::Offset(int32_t DX, int32_t DY) {
  TcxCustomTextEditViewInfo::Offset(DX, DY);
  for (TPoint& p : DelimiterLine) p = TPoint{p.X + DX, p.Y + DY};
}

void TcxSpinEditViewInfo::InternalPaint(TcxCanvas* ACanvas) {
  TcxCustomTextEditViewInfo::InternalPaint(ACanvas);
  if (ButtonsPosition == sbpHorzLeftRight || DelimiterLine[0] == DelimiterLine[1]) return;
  bool native = false;
  for (auto& button : ButtonsInfo) native = native || button->Data.NativePart != 0;
  if (!native || OnDrawButton || IsCustomDrawButton(0)) return;
  const TPoint& a = DelimiterLine[0];
  const TPoint& b = DelimiterLine[1];
  const TRect line = a.X == b.X ? TRect{a.X, std::min(a.Y, b.Y), a.X + 1, std::max(a.Y, b.Y)}
                                : TRect{std::min(a.X, b.X), a.Y, std::max(a.X, b.X), a.Y + 1};
  const TRect clipped = cxRectIntersectRect(line, BorderRect);
  if (!clipped.IsEmpty()) cxEditFillRect(ACanvas, clipped, BackgroundColor());
}

void TcxSpinEditViewInfo::DrawNativeButtonBorder(TcxCanvas* ACanvas, TcxEditButtonViewInfo* AButton, TRect& R,
                                                 TRect& AContentRect) {
  // The theme part draws the arrow too; only a custom-drawn button has content to draw.
  AContentRect = IsCustomDrawButton(AButton->ButtonVisibleIndex) ? R : TRect{};
}

void TcxSpinEditViewInfo::DrawNativeButtonBackground(TcxCanvas* ACanvas, TcxEditButtonViewInfo* AButton,
                                                     const TRect& R) {
  if (HTHEME theme = OpenTheme(totSpin))
    DrawThemeBackground(theme, ACanvas->Handle(), AButton->Data.NativePart, AButton->Data.NativeState, &R,
                        nullptr);
}

void TcxSpinEditViewInfo::DrawFlatButtonBorder(TcxCanvas* ACanvas, TcxEditButtonViewInfo* AButton, TRect& R,
                                               TRect& AContentRect, TColor& APenColor, TColor& ABrushColor) {
  DrawFlatSpinButtonBorder(ACanvas, AButton, R, AContentRect, APenColor, ABrushColor);
}

void TcxSpinEditViewInfo::DrawHotFlatButtonBorder(TcxCanvas* ACanvas, TcxEditButtonViewInfo* AButton,
                                                  TRect& R, TRect& AContentRect, TColor& APenColor,
                                                  TColor& ABrushColor) {
  DrawFlatSpinButtonBorder(ACanvas, AButton, R, AContentRect, APenColor, ABrushColor);
}

void TcxSpinEditViewInfo::DrawFlatSpinButtonBorder(TcxCanvas* ACanvas, TcxEditButtonViewInfo* AButton,
                                                   TRect& R, TRect& AContentRect, TColor& APenColor,
                                                   TColor& ABrushColor) {
  const int32_t index = AButton->ButtonVisibleIndex;
  if (index < sebBackward || index > sebFastForward) {
    TcxCustomTextEditViewInfo::DrawHotFlatButtonBorder(ACanvas, AButton, R, AContentRect, APenColor,
                                                       ABrushColor);
    return;
  }
  GetHotFlatButtonColors(AButton->Data, APenColor, ABrushColor);
  const TcxSpinButtonFaceSides face = SpinButtonFaceSides(SpinButtonPositionCode(
      static_cast<TcxSpinEditButton>(index), ButtonsPosition, ButtonCount() == 4, UseRightToLeftAlignment));
  ::qd::DrawButtonBorder(ACanvas, R, TcxBorders{bLeft}, face.Left ? ABrushColor : clBtnShadow);
  ::qd::DrawButtonBorder(ACanvas, R, TcxBorders{bRight}, face.Right ? ABrushColor : clBtnShadow);
  ::qd::DrawButtonBorder(ACanvas, R, TcxBorders{bTop}, face.Top ? ABrushColor : clBtnShadow);
  ::qd::DrawButtonBorder(ACanvas, R, TcxBorders{bBottom}, clBtnShadow);
  AContentRect = R;
}

void TcxSpinEditViewInfo::DrawButtonContent(TcxCanvas* ACanvas, TcxEditButtonViewInfo* AButton,
                                            bool ANeedOffsetContent, TColor ABrushColor, TColor APenColor,
                                            const TRect& AContentRect) {
  if (AContentRect.IsEmpty() || AButton->ButtonVisibleIndex < sebBackward ||
      AButton->ButtonVisibleIndex > sebFastForward)
    return;
  const auto button = static_cast<TcxSpinEditButton>(AButton->ButtonVisibleIndex);
  const TcxEditButtonViewInfoData& data = AButton->Data;
  if (data.UseSkins && Painter) {
    Painter->DrawScaledEditorButtonGlyph(ACanvas, AContentRect, SpinArrowKind(button, ButtonsPosition),
                                         EditBtnStateToButtonState[data.State], ScaleFactor(),
                                         data.LeftAlignment ? cxbpLeft : cxbpRight);
    return;
  }
  const TcxArrowDirection direction = SpinArrowDirection(button, ButtonsPosition);
  const bool horizontal = direction == adLeft || direction == adRight;
  const TSize size = horizontal ? TSize{ArrowSize.cy, ArrowSize.cx} : ArrowSize;
  const bool twice = button == sebFastBackward || button == sebFastForward;
  ACanvas->SaveState();
  ACanvas->IntersectClipRect(AContentRect);
  if (data.State == ebsDisabled) {
    DrawArrow(ACanvas, size, cxRectOffset(AContentRect, 1, 1), clBtnHighlight, ANeedOffsetContent, twice,
              direction);
    DrawArrow(ACanvas, size, AContentRect, clBtnShadow, ANeedOffsetContent, twice, direction);
  } else {
    TColor color = APenColor;
    if (OnGetButtonContentColor) OnGetButtonContentColor(this, AButton->ButtonVisibleIndex, color);
    DrawArrow(ACanvas, size, AContentRect, color, ANeedOffsetContent, twice, direction);
  }
  ACanvas->RestoreState();
}

// --- TcxSpinEditButtons
// --------------------------------------------------------------------------------------

void TcxSpinEditButtons::Assign(TPersistent* Source) {
  auto* src = dynamic_cast<TcxSpinEditButtons*>(Source);
  if (!src) {
    TPersistent::Assign(Source);
    return;
  }
  FOwner->BeginUpdate();
  SetPosition(src->Position());
  SetShowFastButtons(src->ShowFastButtons());
  SetVisible(src->Visible());
  FOwner->EndUpdate();
}

TPersistent* TcxSpinEditButtons::GetOwner() const {
  return FOwner;
}

void TcxSpinEditButtons::Changed() {
  FOwner->Changed();
}

void TcxSpinEditButtons::SetPosition(TcxSpinEditButtonsPosition Value) {
  if (FPosition == Value) return;
  FPosition = Value;
  Changed();
}

void TcxSpinEditButtons::SetShowFastButtons(bool Value) {
  if (FShowFastButtons == Value) return;
  FShowFastButtons = Value;
  Changed();
}

void TcxSpinEditButtons::SetVisible(bool Value) {
  if (FVisible == Value) return;
  FVisible = Value;
  Changed();
}

void TcxSpinEditButtons::RegisterProperties(TPropertyRegistrar& r) {
  using B = TcxSpinEditButtons;
  r.Prop("Position", &B::Position, &B::SetPosition, SpinEditButtonsPositionTypeInfo()).Default(sbpVert);
  r.Prop("ShowFastButtons", &B::ShowFastButtons, &B::SetShowFastButtons).Default(false);
  r.Prop("Visible", &B::Visible, &B::SetVisible).Default(true);
}

// --- TcxCustomSpinEditProperties
// ----------------------------------------------------------------------------

TcxCustomSpinEditProperties::TcxCustomSpinEditProperties(TPersistent* AOwner)
    : TcxCustomMaskEditProperties(AOwner), FSpinButtons(std::make_unique<TcxSpinEditButtons>(this)) {
  Buttons()->Add();
  Buttons()->Add();
}

TcxCustomSpinEditProperties::~TcxCustomSpinEditProperties() = default;

TcxSpinEditValueType TcxCustomSpinEditProperties::ValueType() const {
  if (FValueTypeAssigned) return FValueType;
  if (IDefaultValuesProvider() && IDefaultValuesProvider()->DefaultIsFloatValue()) return vtFloat;
  return vtInt;
}

void TcxCustomSpinEditProperties::SetValueType(TcxSpinEditValueType Value) {
  if (FValueTypeAssigned && FValueType == Value) return;
  FValueTypeAssigned = true;
  FValueType = Value;
  Changed();
}

double TcxCustomSpinEditProperties::GetIncrement(TcxSpinEditButton AButton) const {
  switch (AButton) {
    case sebBackward:
      return -FIncrement;
    case sebForward:
      return FIncrement;
    case sebFastBackward:
      return -FLargeIncrement;
    case sebFastForward:
      return FLargeIncrement;
  }
  throw EdxException(u"TcxCustomSpinEditProperties.GetIncrement fails");
}

Variant TcxCustomSpinEditProperties::VarToCurrentValueType(const Variant& V) const {
  if (!VarIsNumeric(V) && !VarIsStr(V)) return V;
  if (ValueType() == vtFloat) return Variant(V.AsDouble());
  if (VarIsFloat(V)) return Variant(static_cast<int64_t>(RoundToInt64(V.AsDouble())));
  return Variant(static_cast<int64_t>(V.AsInt64()));
}

Variant TcxCustomSpinEditProperties::InternalMinValue() {
  if (IsValueBoundDefined(evbMin)) return VarToCurrentValueType(Variant(MinValue()));
  return ValueType() == vtFloat ? Variant(-cxMaxDouble) : Variant(cxMinInt64);
}

Variant TcxCustomSpinEditProperties::InternalMaxValue() {
  if (IsValueBoundDefined(evbMax)) return VarToCurrentValueType(Variant(MaxValue()));
  return ValueType() == vtFloat ? Variant(cxMaxDouble) : Variant(cxMaxInt64);
}

Variant TcxCustomSpinEditProperties::BoundedZero() {
  return VarToCurrentValueType(CheckValueBounds(VarToCurrentValueType(Variant(0))));
}

Variant TcxCustomSpinEditProperties::CheckValueBounds(const Variant& V) {
  if (!VarIsNumeric(V)) return V;
  if (IsValueBoundDefined(evbMin) && V.AsDouble() < MinValue())
    return VarToCurrentValueType(Variant(MinValue()));
  if (IsValueBoundDefined(evbMax) && V.AsDouble() > MaxValue())
    return VarToCurrentValueType(Variant(MaxValue()));
  return V;
}

TcxSpinEditBoundsCheckingKind TcxCustomSpinEditProperties::GetBoundsCheckingKind() {
  if (Circular()) return bckCircular;
  return ExtendValueUpToBound() ? bckExtendToBound : bckNone;
}

Variant TcxCustomSpinEditProperties::PrepareValue(const Variant& V) {
  if (!VarIsNull(V) && !VarIsEmpty(V)) return VarToCurrentValueType(V);
  if (VarIsNull(V) && UseNullString()) return V;
  return VarToCurrentValueType(Variant(0));
}

bool TcxCustomSpinEditProperties::IsValueBoundsValid(double X) const {
  if (ValueType() == vtFloat) return std::isfinite(X) && X >= -cxMaxDouble && X <= cxMaxDouble;
  return X >= -9.2233720368547758e18 && X < 9.2233720368547758e18;
}

bool TcxCustomSpinEditProperties::InternalTryTextToValue(const String& AText, Variant& AValue) {
  AValue = Null();
  if (ValueType() == vtFloat) {
    double d = 0;
    if (!TryStrToFloat(AText, d) || !IsValueBoundsValid(d)) return false;
    AValue = Variant(d);
    return true;
  }
  int64_t i = 0;
  if (!TryStrToInt64(AText, i)) return false;
  AValue = Variant(static_cast<int64_t>(i));
  return true;
}

String TcxCustomSpinEditProperties::TryExtractDisplayFormat(const String& AText) {
  String result = AText;
  const String format = UpperCase(DisplayFormat());
  const String& currency = FormatSettings().CurrencyString;
  const Char decimal = UpCaseChar(FormatSettings().DecimalSeparator);
  size_t i = 0;
  while (i < result.size()) {
    if (!currency.empty() && result.compare(i, currency.size(), currency) == 0) {
      i += currency.size();
      continue;
    }
    const Char c = UpCaseChar(result[i]);
    const bool kept = (c >= u'0' && c <= u'9') || c == u'E' || c == u'+' || c == u'-' || c == decimal;
    if (!kept && format.find(c) != String::npos) {
      result.erase(i, 1);
      continue;
    }
    ++i;
  }
  return result;
}

bool TcxCustomSpinEditProperties::TryTextToValue(const String& AText, Variant& AValue) {
  if (InternalTryTextToValue(AText, AValue)) return true;
  if (UseDisplayFormatWhenEditing()) return InternalTryTextToValue(TryExtractDisplayFormat(AText), AValue);
  return false;
}

TClass TcxCustomSpinEditProperties::GetContainerClass() const {
  return TcxSpinEdit::StaticClass();
}

bool TcxCustomSpinEditProperties::IsEditValueValid(Variant& EditValue, bool AEditFocused) {
  if (VarIsStr(EditValue) || VarIsNumeric(EditValue)) {
    Variant parsed;
    // Integers go as their own digits: through a float text, large ones would lose their
    // last digits and no longer parse as integers.
    const String text = VarIsStr(EditValue)       ? EditValue.AsString()
                        : VarIsOrdinal(EditValue) ? VarToStr(EditValue)
                                                  : FloatToStr(EditValue.AsDouble());
    if (!TryTextToValue(text, parsed)) return false;
    EditValue = parsed;
  } else if (!VarIsNull(EditValue) && !VarIsEmpty(EditValue) && VarType(EditValue) != varDate) {
    return false;
  }
  try {
    EditValue = PrepareValue(EditValue);
  } catch (const Exception&) {
    return false;
  }
  return true;
}

bool TcxCustomSpinEditProperties::IsDisplayValueValid(Variant& ADisplayValue, bool AEditFocused) {
  if (!TcxCustomMaskEditProperties::IsDisplayValueValid(ADisplayValue, AEditFocused)) return false;
  const String text = Trim(VarToStr(ADisplayValue));
  if (text.empty()) return true;
  Variant value;
  if (!TryTextToValue(text, value)) return false;
  const double d = value.AsDouble();
  if (d < InternalMinValue().AsDouble() || d > InternalMaxValue().AsDouble())
    ADisplayValue = Variant(VarToStr(value));
  return true;
}

void TcxCustomSpinEditProperties::ValidateDisplayValue(Variant& ADisplayValue, String& AErrorText,
                                                       bool& AError, const TValidateHandler& AValidator,
                                                       const Variant* ACurrentDisplayValue) {
  auto* edit = dynamic_cast<TcxCustomSpinEdit*>(GetOwner());
  Variant value;
  if (edit && edit->FIsCustomText) {
    edit->InternalPrepareEditValue(VarToStr(ADisplayValue), false, AErrorText, value);
    AError = !AErrorText.empty();
  } else if (edit) {
    value = edit->FInternalValue;
  } else {
    if (!TryTextToValue(Trim(VarToStr(ADisplayValue)), value)) value = Null();
  }
  if (!AError) {
    if (VarIsNull(value)) value = BoundedZero();
    const Variant bounded = VarToCurrentValueType(CheckValueBounds(value));
    if (!ExceptionOnInvalidInput()) value = bounded;
    ADisplayValue = Variant(VarToStr(value));
    if (ExceptionOnInvalidInput() && !(bounded == value)) {
      AError = true;
      AErrorText = cxGetResourceString(cxSEditValueOutOfBounds);
    }
  }
  TcxCustomMaskEditProperties::ValidateDisplayValue(ADisplayValue, AErrorText, AError, AValidator,
                                                    ACurrentDisplayValue);
}

TcxEditEditValueSource TcxCustomSpinEditProperties::GetEditValueSource(bool AEditFocused) {
  const bool ownFormat = AssignedValues()->DisplayFormat();
  if (!AEditFocused && !ownFormat && IDefaultValuesProvider() &&
      IDefaultValuesProvider()->IsDisplayFormatDefined(true))
    return evsText;
  return evsValue;
}

void TcxCustomSpinEditProperties::DefaultFocusedDisplayValue(Variant& ADisplayValue) {
  PrepareDisplayValue(BoundedZero(), ADisplayValue, true);
}

void TcxCustomSpinEditProperties::DefineProperties(TFiler* Filer) {
  TcxCustomMaskEditProperties::DefineProperties(Filer);
  // A zero increment is the one value the ordinary property would not store.
  Filer->DefineProperty(
      u"ZeroIncrement",
      [this](TReader* R) {
        if (R->ReadBoolean()) SetIncrement(0);
      },
      [](TWriter* W) { W->WriteBoolean(true); }, FIncrement == 0.0);
  Filer->DefineProperty(
      u"ZeroLargeIncrement",
      [this](TReader* R) {
        if (R->ReadBoolean()) SetLargeIncrement(0);
      },
      [](TWriter* W) { W->WriteBoolean(true); }, FLargeIncrement == 0.0);
}

void TcxCustomSpinEditProperties::DoAssign(TcxCustomEditProperties* Source) {
  TcxCustomMaskEditProperties::DoAssign(Source);
  auto* src = dynamic_cast<TcxCustomSpinEditProperties*>(Source);
  if (!src) return;
  SetIDefaultValuesProvider(src->IDefaultValuesProvider());
  if (src->FValueTypeAssigned) SetValueType(src->FValueType);
  SetCanEdit(src->CanEdit());
  SetCircular(src->Circular());
  SetExceptionOnInvalidInput(src->ExceptionOnInvalidInput());
  SetIncrement(src->Increment());
  SetLargeIncrement(src->LargeIncrement());
  FSpinButtons->Assign(src->SpinButtons());
  SetUseCtrlIncrement(src->UseCtrlIncrement());
  SetOnGetValue(src->OnGetValue());
}

void TcxCustomSpinEditProperties::DoChanged() {
  const int32_t wanted = !FSpinButtons->Visible() ? 0 : (FSpinButtons->ShowFastButtons() ? 4 : 2);
  auto* buttons = Buttons();
  if (buttons->Count() != wanted) {
    while (buttons->Count() < wanted) buttons->Add();
    while (buttons->Count() > wanted) buttons->Delete(0);
  }
  TcxCustomMaskEditProperties::DoChanged();
}

// --- TcxCustomSpinEdit
// --------------------------------------------------------------------------------------

TcxCustomSpinEdit::TcxCustomSpinEdit(TComponent* AOwner, bool AIsInplace)
    : TcxCustomMaskEdit(AOwner, AIsInplace), FInternalValue(Variant(int64_t{0})) {}

TcxCustomSpinEdit::~TcxCustomSpinEdit() = default;

void TcxCustomSpinEdit::SetValue(const Variant& AValue) {
  if (!VarIsNumeric(AValue)) return;
  Variant v = AValue;
  if (ActiveProperties()->IsEditValueValid(v, InternalFocused())) SetInternalEditValue(v);
}

Variant TcxCustomSpinEdit::GetValue() {
  auto* properties = ActiveProperties();
  Variant result;
  if (InternalFocused()) {
    if (FIsCustomText) {
      String error;
      InternalPrepareEditValue(GetDisplayText(), false, error, result);
    } else {
      result = FInternalValue;
    }
  } else {
    const Variant ev = EditValue();
    if (VarIsNumeric(ev)) {
      result = ev;
    } else if (VarIsStr(ev) && !ev.AsString().empty()) {
      if (!properties->TryTextToValue(ev.AsString(), result)) result = properties->BoundedZero();
    } else {
      result = properties->BoundedZero();
    }
  }
  if (!VarIsNumeric(result)) result = properties->BoundedZero();
  return properties->VarToCurrentValueType(result);
}

double TcxCustomSpinEdit::GetIncrement(TcxSpinEditButton AButton) {
  const double delta = ActiveProperties()->GetIncrement(AButton);
  return ActiveProperties()->ValueType() == vtInt ? std::nearbyint(delta) : delta;
}

String TcxCustomSpinEdit::IncrementValueToStr(const Variant& AValue) {
  Variant display;
  ActiveProperties()->PrepareDisplayValue(AValue, display, true);
  return VarToStr(display);
}

TcxSpinEditButton TcxCustomSpinEdit::GetButtonForDirection(TcxSpinEditButton AButton) {
  if (!UseRightToLeftAlignment()) return AButton;
  const bool horizontal = ActiveProperties()->SpinButtons()->Position() != sbpVert;
  if (horizontal && AButton == sebBackward) return sebForward;
  if (horizontal && AButton == sebForward) return sebBackward;
  if (AButton == sebFastBackward) return sebFastForward;
  if (AButton == sebFastForward) return sebFastBackward;
  return AButton;
}

bool TcxCustomSpinEdit::GetNewValue(TcxSpinEditButton AButton, Variant& V) {
  auto* properties = ActiveProperties();
  AButton = GetButtonForDirection(AButton);
  V = GetValue();
  const Variant minV = properties->InternalMinValue();
  const Variant maxV = properties->InternalMaxValue();
  const bool forward = AButton == sebForward || AButton == sebFastForward;
  const bool circular = properties->GetBoundsCheckingKind() == bckCircular;
  if (V > maxV) {
    if (!forward)
      V = maxV;
    else if (circular)
      V = minV;
    else
      return false;
  } else if (V < minV) {
    if (forward)
      V = minV;
    else if (circular)
      V = maxV;
    else
      return false;
  } else if (!InternalIncrement(V, Variant(GetIncrement(AButton)))) {
    return false;
  }
  V = properties->VarToCurrentValueType(V);
  return true;
}

bool TcxCustomSpinEdit::InternalIncrement(Variant& AValue, const Variant& ADelta) {
  auto* properties = ActiveProperties();
  const Variant delta = properties->VarToCurrentValueType(ADelta);
  const TcxSpinEditBoundsCheckingKind kind = properties->GetBoundsCheckingKind();
  if (properties->ValueType() == vtInt) {
    const int64_t minV = properties->InternalMinValue().AsInt64();
    const int64_t maxV = properties->InternalMaxValue().AsInt64();
    const int64_t v = AValue.AsInt64();
    const int64_t d = delta.AsInt64();
    const int64_t lowest = SaturateInt64(static_cast<__int128>(minV) - v);
    const int64_t highest = SaturateInt64(static_cast<__int128>(maxV) - v);
    if (d >= lowest && d <= highest) {
      AValue = Variant(static_cast<int64_t>(v + d));
      return true;
    }
    if (kind == bckNone) return false;
    if (kind == bckExtendToBound) {
      AValue = Variant(d > highest ? maxV : minV);
      return true;
    }
    // Passing a bound counts as one step, so the values form a ring of (max - min + 1);
    // reducing modulo its size keeps any step inside the range.
    const __int128 count = static_cast<__int128>(maxV) - minV + 1;
    __int128 offset = (static_cast<__int128>(v) - minV + d) % count;
    if (offset < 0) offset += count;
    AValue = Variant(static_cast<int64_t>(minV + offset));
    return true;
  }
  const double minV = properties->InternalMinValue().AsDouble();
  const double maxV = properties->InternalMaxValue().AsDouble();
  double v = AValue.AsDouble();
  const double d = delta.AsDouble();
  const auto limited = [](double x) { return std::isfinite(x) ? x : std::copysign(cxMaxDouble, x); };
  const double lowest = limited(minV - v);
  const double highest = limited(maxV - v);
  if (d >= lowest && d <= highest) {
    // Each step starts from the value's 15-digit text, so steps of 0.1 do not drift.
    double normal = 0;
    if (TryStrToFloat(FloatToStrF(v, ffGeneral, 15, 0), normal)) v = normal;
    AValue = Variant(v + d);
    return true;
  }
  if (kind == bckNone) return false;
  if (kind == bckExtendToBound) {
    AValue = Variant(d > highest ? maxV : minV);
    return true;
  }
  double wrapped = d > highest ? minV + d - 1 - highest : maxV + d + 1 - lowest;
  // The one step across the bound is an integer one; in a range narrower than the step
  // it would land outside, and then the step ends on the opposite bound.
  if (!(wrapped >= minV && wrapped <= maxV)) wrapped = d > highest ? minV : maxV;
  AValue = Variant(wrapped);
  return true;
}

bool TcxCustomSpinEdit::Increment(TcxSpinEditButton AButton) {
  LockChangeEvents(true);
  struct Unlock {
    TcxCustomSpinEdit* Edit;
    ~Unlock() { Edit->LockChangeEvents(false); }
  } unlock{this};
  if (!DoEditing()) return false;
  Variant v;
  if (!GetNewValue(AButton, v)) return false;
  const String text = IncrementValueToStr(v);
  const String previous = GetDisplayText();
  FInternalValue = v;
  FIsCustomText = false;
  SetInternalDisplayValue(Variant(text));
  const bool changed = previous != GetDisplayText();
  if (changed) {
    SetModifiedAfterEnter(true);
    if (!ActiveProperties()->PreserveSelection()) {
      SetSelStart(static_cast<int32_t>(GetDisplayText().size()));
      SetSelLength(0);
    }
    if (ActiveProperties()->ImmediatePost() && CanPostEditValue() && ValidateEdit(true)) {
      InternalPostEditValue(false);
      SynchronizeDisplayValue();
    }
  }
  return changed;
}

void TcxCustomSpinEdit::InternalPrepareEditValue(const String& ADisplayValue, bool ARaiseException,
                                                 String& AErrorText, Variant& AEditValue) {
  auto* properties = ActiveProperties();
  AErrorText.clear();
  if (ADisplayValue.empty()) {
    const bool required =
        properties->IDefaultValuesProvider() && properties->IDefaultValuesProvider()->DefaultRequired();
    AEditValue = required ? properties->BoundedZero() : Null();
    AEditValue = properties->VarToCurrentValueType(AEditValue);
    return;
  }
  bool error = !properties->TryTextToValue(ADisplayValue, AEditValue);
  if (error) {
    const auto offer = [&](TcxCustomSpinEditProperties* AProperties) {
      if (!error || !AProperties || !AProperties->OnGetValue()) return;
      try {
        AProperties->OnGetValue()(this, ADisplayValue, AEditValue, AErrorText, error);
      } catch (const Exception& E) {
        if (ARaiseException) throw;
        AErrorText = E.Message();
        error = true;
      }
    };
    offer(Properties());
    if (RepositoryItem()) offer(dynamic_cast<TcxCustomSpinEditProperties*>(RepositoryItem()->Properties()));
  }
  if (error) {
    if (AErrorText.empty()) AErrorText = cxGetResourceString(cxSSpinEditInvalidNumericValue);
    if (!properties->ExceptionOnInvalidInput()) AErrorText.clear();
    if (ARaiseException && properties->ExceptionOnInvalidInput()) throw EcxEditError(AErrorText);
    AEditValue = FInternalValue;
  }
  AEditValue = properties->VarToCurrentValueType(AEditValue);
}

void TcxCustomSpinEdit::PrepareEditValue(const Variant& ADisplayValue, Variant& EditValue,
                                         bool AEditFocused) {
  String error;
  InternalPrepareEditValue(VarToStr(ADisplayValue), true, error, EditValue);
}

bool TcxCustomSpinEdit::IsValidChar(Char AChar) {
  auto* properties = ActiveProperties();
  if (properties->CanEdit() && properties->OnGetValue()) return true;
  const bool control = AChar < 32 || AChar == 127;
  if (!properties->CanEdit()) return control && AChar != u'\b';
  if (control) return true;
  if (IsNumericChar(AChar, properties->ValueType())) return true;
  return AChar < 256 && properties->ValidChars().Contains(static_cast<TcxTextEditChar>(AChar));
}

void TcxCustomSpinEdit::DoEditKeyPress(Char& Key) {
  if (Key == u'.' || Key == u',') Key = FormatSettings().DecimalSeparator;
  const bool textChar = Key >= 32 && Key != 127;
  if ((textChar || Key == u'\b') && !IsValidChar(Key)) {
    Key = 0;
    MessageBeep(0);
    return;
  }
  if (Key != 0 && Key != 27) FIsCustomTextAction = true;
  TcxCustomMaskEdit::DoEditKeyPress(Key);
}

bool TcxCustomSpinEdit::IsStepKey(WORD Key) const {
  return Key == VK_UP || Key == VK_DOWN || Key == VK_PRIOR || Key == VK_NEXT;
}

void TcxCustomSpinEdit::DoEditKeyDown(WORD& Key, TShiftState Shift) {
  auto* properties = ActiveProperties();
  if (IsStepKey(Key) && (!properties->UseCtrlIncrement() || Shift.Contains(ssCtrl))) {
    const bool allowed = (DataBinding() && DataBinding()->Modified()) || DoEditing();
    if (!allowed) return;
    TcxSpinEditButton button = sebForward;
    if (Key == VK_DOWN) button = sebBackward;
    if (Key == VK_PRIOR) button = sebFastForward;
    if (Key == VK_NEXT) button = sebFastBackward;
    // The keys step up or down whatever the reading direction; the button that steps that way
    // under right-to-left alignment is the one shown pressed.
    button = GetButtonForDirection(button);
    BeginUserAction();
    SetPressedState(APressedStateMap[button]);
    const HWND capture = GetCapture();
    if (capture && (capture == Handle() || (InnerControl() && capture == InnerControl()->Handle())))
      ReleaseCapture();
    Increment(button);
    EndUserAction();
    Key = 0;
    return;
  }
  StopTracking();
  if (Key != VK_ESCAPE) FIsCustomTextAction = true;
  if (!properties->CanEdit() && CanKeyDownModifyEdit(Key, Shift)) {
    DoAfterKeyDown(Key, Shift);
    Key = 0;
    return;
  }
  TcxCustomMaskEdit::DoEditKeyDown(Key, Shift);
}

void TcxCustomSpinEdit::DoEditKeyUp(WORD& Key, TShiftState Shift) {
  if (IsStepKey(Key)) StopTracking();
  TcxCustomMaskEdit::DoEditKeyUp(Key, Shift);
}

bool TcxCustomSpinEdit::DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) {
  if (!HandleMouseWheel(Shift)) return TcxCustomMaskEdit::DoMouseWheel(Shift, WheelDelta, MousePos);
  BeginUserAction();
  // The wheel steps up or down whatever the reading direction.
  Increment(GetButtonForDirection(WheelDelta < 0 ? sebBackward : sebForward));
  EndUserAction();
  return true;
}

void TcxCustomSpinEdit::DoButtonDown(int32_t AButtonVisibleIndex) {
  if (FPressedState != epsNone || AButtonVisibleIndex < 0 || AButtonVisibleIndex > sebFastForward) return;
  BeginUserAction();
  Increment(static_cast<TcxSpinEditButton>(AButtonVisibleIndex));
  EndUserAction();
  if (RealReadOnly() || (DataBinding() && !DataBinding()->IsDataAvailable())) return;
  FTrackedButton = AButtonVisibleIndex;
  FTimer = std::make_unique<TcxTimer>(nullptr);
  FTimer->SetInterval(400);
  FTimer->SetOnTimer(MakeMethod(this, &TcxCustomSpinEdit::TimerHandler));
  FTimer->SetEnabled(true);
}

void TcxCustomSpinEdit::TimerHandler(TObject*) {
  if (!FTimer) return;
  if (FTimer->Interval() != 100) FTimer->SetInterval(100);
  if (FTrackedButton < 0) return;
  BeginUserAction();
  Increment(static_cast<TcxSpinEditButton>(FTrackedButton));
  EndUserAction();
}

void TcxCustomSpinEdit::DoButtonUp(int32_t) {
  StopTracking();
}

void TcxCustomSpinEdit::StopTracking() {
  FTimer.reset();
  FTrackedButton = -1;
  SetPressedState(epsNone);
  if (GetCapture() == Handle() && HandleAllocated()) ReleaseCapture();
}

void TcxCustomSpinEdit::SetPressedState(TcxSpinEditPressedState Value) {
  if (FPressedState == Value) return;
  FPressedState = Value;
  // The buttons' states come from a new layout.
  if (HandleAllocated()) {
    ShortRefreshContainer(false);
    Invalidate();
  }
}

void TcxCustomSpinEdit::DoFocusChanged() {
  StopTracking();
  TcxCustomMaskEdit::DoFocusChanged();
}

void TcxCustomSpinEdit::ChangeHandler(TObject* Sender) {
  if (FIsCustomTextAction) FIsCustomText = true;
  FIsCustomTextAction = false;
  TcxCustomMaskEdit::ChangeHandler(Sender);
}

void TcxCustomSpinEdit::SynchronizeDisplayValue() {
  Variant v = EditValue();
  auto* properties = ActiveProperties();
  FInternalValue = properties->IsEditValueValid(v, InternalFocused()) && VarIsNumeric(v)
                       ? properties->VarToCurrentValueType(v)
                       : properties->BoundedZero();
  FIsCustomText = false;
  TcxCustomMaskEdit::SynchronizeDisplayValue();
}

void TcxCustomSpinEdit::InternalStoreEditValue(const Variant& Value) {
  TcxCustomMaskEdit::InternalStoreEditValue(Value);
  if (VarIsNumeric(Value)) FInternalValue = ActiveProperties()->VarToCurrentValueType(Value);
}

void TcxCustomSpinEdit::CheckEditorValueBounds() {
  auto* properties = ActiveProperties();
  const Variant v = Value();
  Variant bounded;
  if (v < properties->InternalMinValue())
    bounded = properties->InternalMinValue();
  else if (v > properties->InternalMaxValue())
    bounded = properties->InternalMaxValue();
  else
    return;
  BeginUserAction();
  SetValue(bounded);
  EndUserAction();
}

void TcxCustomSpinEdit::InitializeViewData(TcxCustomEditViewData* AViewData) {
  TcxCustomMaskEdit::InitializeViewData(AViewData);
  if (auto* data = dynamic_cast<TcxSpinEditViewData*>(AViewData)) data->PressedState = FPressedState;
}

void TcxCustomSpinEdit::PropertiesChanged(TObject* Sender) {
  TcxCustomMaskEdit::PropertiesChanged(Sender);
  if (ModifiedAfterEnter() && !(DataBinding() && DataBinding()->CanCheckEditorValue()))
    CheckEditorValueBounds();
}

void TcxCustomSpinEdit::ClearSelection() {
  if (InternalFocused() && !ActiveProperties()->CanEdit()) return;
  FIsCustomTextAction = true;
  TcxCustomMaskEdit::ClearSelection();
}

void TcxCustomSpinEdit::CutToClipboard() {
  if (InternalFocused() && !ActiveProperties()->CanEdit()) return;
  FIsCustomTextAction = true;
  TcxCustomMaskEdit::CutToClipboard();
}

void TcxCustomSpinEdit::PasteFromClipboard() {
  if (InternalFocused() && !ActiveProperties()->CanEdit()) return;
  FIsCustomTextAction = true;
  TcxCustomMaskEdit::PasteFromClipboard();
}

// --- Published properties
// ------------------------------------------------------------------------------------

void TcxSpinEditProperties::RegisterProperties(TPropertyRegistrar& r) {
  using P = TcxCustomSpinEditProperties;
  using T = TcxCustomTextEditProperties;
  using B = TcxCustomEditProperties;
  r.Prop("CanEdit", &P::CanEdit, &P::SetCanEdit).Default(true);
  r.Prop("Circular", &P::Circular, &P::SetCircular).Default(false);
  r.Prop("DisplayFormat", &T::DisplayFormat, &T::SetDisplayFormat);
  r.Prop("ExceptionOnInvalidInput", &P::ExceptionOnInvalidInput, &P::SetExceptionOnInvalidInput)
      .Default(false);
  r.Prop("ImmediatePost", &B::ImmediatePost, &B::SetImmediatePost).Default(false);
  r.Prop("Increment", &P::Increment, &P::SetIncrement).Stored(&P::IsIncrementStored);
  r.Prop("LargeIncrement", &P::LargeIncrement, &P::SetLargeIncrement).Stored(&P::IsLargeIncrementStored);
  r.Prop("MaxValue", &B::MaxValue, &B::SetMaxValue);
  r.Prop("MinValue", &B::MinValue, &B::SetMinValue);
  r.Prop("ReadOnly", &B::ReadOnly, &B::SetReadOnly).Stored(&B::IsReadOnlyStored);
  r.Prop("SpinButtons", &P::SpinButtons, &P::SetSpinButtons);
  r.Prop("UseCtrlIncrement", &P::UseCtrlIncrement, &P::SetUseCtrlIncrement).Default(false);
  r.Prop("UseDisplayFormatWhenEditing", &T::UseDisplayFormatWhenEditing, &T::SetUseDisplayFormatWhenEditing)
      .Default(false);
  r.Prop("ValueType", &P::ValueType, &P::SetValueType, SpinEditValueTypeTypeInfo())
      .Stored(&P::IsValueTypeStored);
}

void TcxSpinEdit::RegisterProperties(TPropertyRegistrar& r) {
  using C = TcxCustomSpinEdit;
  r.Prop("Properties", &TcxSpinEdit::Properties, &TcxSpinEdit::SetProperties);
  r.Prop("Style", &TcxCustomEdit::Style, &TcxCustomEdit::SetStyle);
  r.Prop("StyleDisabled", &TcxCustomEdit::StyleDisabled);
  r.Prop("StyleFocused", &TcxCustomEdit::StyleFocused);
  r.Prop("StyleHot", &TcxCustomEdit::StyleHot);
  r.Prop("Value", &C::Value, &C::SetValue).Stored(&C::IsValueStored);
}

// --- TcxFilterSpinEditHelper
// -----------------------------------------------------------------------------------

TcxFilterEditHelperClass TcxFilterSpinEditHelper::Class() {
  static const TcxFilterSpinEditHelper instance;
  return &instance;
}

TcxFilterControlOperators TcxFilterSpinEditHelper::GetSupportedFilterOperators(TcxCustomEditProperties*,
                                                                               TcxValueTypeClass,
                                                                               bool AExtendedSet) const {
  TcxFilterControlOperators result{fcoEqual,   fcoNotEqual,     fcoLess,   fcoLessEqual,
                                   fcoGreater, fcoGreaterEqual, fcoBlanks, fcoNonBlanks};
  if (AExtendedSet) {
    result.Include(fcoBetween);
    result.Include(fcoNotBetween);
    result.Include(fcoInList);
    result.Include(fcoNotInList);
  }
  return result;
}

void TcxFilterSpinEditHelper::InitializeProperties(TcxCustomEditProperties* AProperties,
                                                   TcxCustomEditProperties* AEditProperties,
                                                   bool AHasButtons) const {
  TcxCustomFilterEditHelper::InitializeProperties(AProperties, AEditProperties, AHasButtons);
  if (auto* spin = dynamic_cast<TcxCustomSpinEditProperties*>(AProperties)) {
    spin->SpinButtons()->SetVisible(true);
    spin->SetCanEdit(true);
  }
}

// --- Start-up
// -----------------------------------------------------------------------------------------------------

namespace cxSpinEdit {

void Initialize() {
  if (gSpinEditUnitCounter++ > 0) return;
  GetRegisteredEditProperties()->Register(TcxSpinEditProperties::StaticClass(),
                                          cxGetResourceString(scxSEditRepositorySpinItem));
  FilterEditsController()->Register(TcxSpinEditProperties::StaticClass(), TcxFilterSpinEditHelper::Class());
  RegisterClass(TcxSpinEdit::StaticClass());
}

void Finalize() {
  if (gSpinEditUnitCounter == 0 || --gSpinEditUnitCounter > 0) return;
  UnRegisterClass(TcxSpinEdit::StaticClass());
  if (FilterEditsControllerAssigned())
    FilterEditsController()->Unregister(TcxSpinEditProperties::StaticClass(),
                                        TcxFilterSpinEditHelper::Class());
}

}  // namespace cxSpinEdit

}  // namespace qd
