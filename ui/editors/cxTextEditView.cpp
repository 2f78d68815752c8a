#include <algorithm>
#include <memory>

#include "ui/core/cxGeometry.h"
#include "ui/core/dxCore.h"
#include "ui/core/dxUxTheme.h"
#include "ui/graphics/cxGraphicsCanvas.h"
#include "ui/graphics/cxGraphicsColors.h"
#include "ui/graphics/cxGraphicsText.h"
#include "ui/graphics/cxTextLayout.h"
#include "ui/editors/cxTextEdit.h"

namespace qd {

QD_IMPLEMENT_CLASS(TcxCustomTextEditViewData)
QD_IMPLEMENT_CLASS(TcxCustomTextEditViewInfo)

namespace {

// Indexed by TAlignment (left, right, centre) and by TcxEditVertAlignment (top, bottom, centre).
constexpr uint32_t kTextEditHorzAlignmentFlags[] = {CXTO_LEFT, CXTO_RIGHT, CXTO_CENTER_HORIZONTALLY};
constexpr uint32_t kTextEditVertAlignmentFlags[] = {CXTO_TOP, CXTO_BOTTOM, CXTO_CENTER_VERTICALLY};
constexpr uint32_t kTextEditVertAlignmentMask = CXTO_CENTER_VERTICALLY | CXTO_BOTTOM;

bool TextEditIsFixedStyle(TcxEditEditingStyle AStyle) {
  return AStyle == esFixedList || AStyle == esNoEdit;
}

TcxCustomTextEditViewData* TextEditViewDataOf(TcxCustomEditViewData* AViewData) {
  return ObjectCast<TcxCustomTextEditViewData>(AViewData);
}

// Rows of AText broken within AWidth with the flags; answers the row count and the longest
// row's width.
int32_t TextEditBreakIntoRows(HDC ADC, const String& AText, int32_t AWidth, int32_t AHeight, uint32_t AFlags,
                              int32_t AMaxLineCount, int32_t* ALongestRowWidth = nullptr) {
  if (AText.empty()) return 0;
  const TcxTextParams params = cxCalcTextParams(ADC, AFlags);
  const TRect rect = cxPrepareRect(TRect{0, 0, AWidth, AHeight}, params, 0, 0);
  auto rows = std::make_unique<TcxTextRows>();
  int32_t rowCount = 0;
  cxMakeTextRows(ADC, AText.data(), static_cast<int32_t>(AText.size()), rect, params, *rows, rowCount,
                 AMaxLineCount);
  if (AMaxLineCount > 0) rowCount = std::min(rowCount, AMaxLineCount);
  if (ALongestRowWidth) *ALongestRowWidth = cxGetLongestTextRowWidth(*rows, rowCount);
  return rowCount;
}

// Single-line flags become word-breaking edit-control flags.
uint32_t TextEditMultiLineFlags(uint32_t AFlags) {
  if (AFlags & CXTO_SINGLELINE) AFlags = (AFlags & ~CXTO_SINGLELINE) | CXTO_WORDBREAK | CXTO_EDITCONTROL;
  return AFlags;
}

}  // namespace

// --- TcxTextOutData ------------------------------------------------------------------------------

void TcxTextOutData::Clear() {
  ForceEndEllipsis = false;
  Initialized = false;
  RowCount = 0;
  TextRows.Count = 0;
  TextRows.DynamicRows.clear();
  Text.clear();
}

// --- Unit functions ------------------------------------------------------------------------------

void GetTextEditDrawTextOffset(TcxCustomEditViewData* AViewData, TRect& AOffsets) {
  AOffsets = AViewData->EditContentParams.Offsets;
  TcxCustomTextEditViewData* viewData = TextEditViewDataOf(AViewData);
  if (!viewData || viewData->IsInplace() ||
      !TextEditIsFixedStyle(viewData->TextProperties()->GetEditingStyle()))
    return;
  AOffsets.Top += 1;
  AOffsets.Bottom -= 1;
  if (viewData->HorzAlignment == taRightJustify)
    AOffsets.Right += 1;
  else
    AOffsets.Left += 1;
}

void CalculateTextEditViewInfo(TcxCanvas* ACanvas, TcxCustomTextEditViewData* AViewData,
                               TcxCustomTextEditViewInfo* AViewInfo, bool) {
  const TRect offsets = AViewData->GetDrawTextOffset();
  AViewInfo->TextRect = cxRectContent(AViewInfo->ClientRect, offsets);
  if (AViewData->IsInplace()) return;
  const int32_t rowHeight = cxTextHeight(ACanvas->Handle());
  if (AViewInfo->TextRect.Height() < rowHeight)
    AViewInfo->TextRect.Bottom = std::min(AViewInfo->ClientRect.Bottom, AViewInfo->TextRect.Top + rowHeight);
}

void PrepareTextEditDrawTextFlags(TcxCanvas* ACanvas, TcxCustomTextEditViewData* AViewData,
                                  TcxCustomTextEditViewInfo* AViewInfo) {
  TFont* font = AViewData->Style() ? AViewData->Style()->GetVisibleFont() : nullptr;
  if (!font) return;
  ACanvas->SetFont(font);
  AViewInfo->DrawTextFlags = AViewData->GetDrawTextFlags();
  const TRect drawOffsets = AViewData->GetDrawTextOffset();
  const TRect& contentOffsets = AViewData->EditContentParams.Offsets;
  int32_t width = AViewInfo->TextRect.Width() + drawOffsets.Left + drawOffsets.Right -
                  AViewData->GetEditContentSizeCorrection().cx - contentOffsets.Left - contentOffsets.Right;
  if (AViewData->HorzAlignment == taRightJustify) ++width;
  const uint32_t flags =
      (AViewInfo->DrawTextFlags & ~CXTO_SINGLELINE) | CXTO_WORDBREAK | CXTO_EDITCONTROL | CXTO_CALCROWCOUNT;
  HDC dc = ACanvas->Handle();
  const int32_t rowHeight = std::max(cxCalcTextParams(dc, flags).RowHeight, 1);
  const int32_t textHeight = AViewInfo->TextRect.Height();
  const int32_t rowLimit = (textHeight + rowHeight - 1) / rowHeight + 1;
  const int32_t rowCount =
      TextEditBreakIntoRows(dc, AViewInfo->Text, width, rowLimit * rowHeight, flags, std::max(rowLimit, 1));
  if (rowCount <= 1) return;
  AViewInfo->DrawTextFlags =
      (AViewInfo->DrawTextFlags & ~CXTO_SINGLELINE) | CXTO_WORDBREAK | CXTO_EDITCONTROL;
  if (static_cast<int64_t>(rowCount) * rowHeight > textHeight) {
    AViewInfo->DrawTextFlags &= ~CXTO_BOTTOM;
    if (AViewInfo->MaxLineCount == 0 || AViewInfo->MaxLineCount >= rowCount)
      AViewInfo->DrawTextFlags &= ~CXTO_CENTER_VERTICALLY;
  }
}

TSize GetTextEditContentSize(TcxCanvas* ACanvas, TcxCustomEditViewData* AViewData, const String& AText,
                             uint32_t ADrawTextFlags, const TcxEditSizeProperties& AEditSizeProperties,
                             int32_t ALineCount, bool AAddWidthCorrection) {
  if (AViewData->Style()) ACanvas->SetFont(AViewData->Style()->GetVisibleFont());
  const TSize correction = AViewData->GetEditContentSizeCorrection();
  TcxCustomTextEditViewData* textViewData = TextEditViewDataOf(AViewData);
  const bool aligned = textViewData && !textViewData->IsInplace() &&
                       TextEditIsFixedStyle(textViewData->TextProperties()->GetEditingStyle()) &&
                       !(textViewData->IsComboBoxStyle() && textViewData->NativeStyle);
  HDC dc = ACanvas->Handle();
  const int32_t rowHeight = cxTextHeight(dc);
  const bool autoHeight = AViewData->PaintOptions.Contains(epoAutoHeight) &&
                          AViewData->Properties()->GetSupportedOperations().Contains(esoAutoHeight);
  TSize result{0, 0};
  if (AEditSizeProperties.Width < 0) {
    if (!(ADrawTextFlags & CXTO_SINGLELINE) || autoHeight) {
      const int32_t maxRows = ALineCount > 0 ? ALineCount : AEditSizeProperties.MaxLineCount;
      int32_t longest = 0;
      TextEditBreakIntoRows(dc, AText, cxEditMeasuringBoundsSize, cxEditMeasuringBoundsSize,
                            TextEditMultiLineFlags(ADrawTextFlags) | CXTO_CALCRECT, maxRows, &longest);
      result.cx = longest;
      result.cy = ALineCount > 0 ? ALineCount * rowHeight : rowHeight;
    } else {
      result.cx = AText.empty() ? 0 : ACanvas->TextWidth(AText);
      result.cy = rowHeight;
    }
    if (aligned) ++result.cx;
    if (AAddWidthCorrection) result.cx += correction.cx;
  } else if (ALineCount > 0) {
    result.cx = AEditSizeProperties.Width;
    result.cy = ALineCount * rowHeight;
  } else {
    const int32_t available =
        AEditSizeProperties.Width + (AViewData->IsInplace() ? 0 : 2) + (aligned ? 0 : 1) - 3;
    const bool zeroHeight = AText.empty() && AViewData->PaintOptions.Contains(epoAllowZeroHeight);
    if (available > 0) {
      result.cx = AEditSizeProperties.Width;
      if (AText.empty()) {
        result.cy = zeroHeight ? 0 : rowHeight;
      } else {
        const uint32_t flags =
            (TextEditMultiLineFlags(ADrawTextFlags) & ~kTextEditVertAlignmentMask) | CXTO_CALCROWCOUNT;
        result.cy = TextEditBreakIntoRows(dc, AText, available, cxEditMeasuringBoundsSize, flags,
                                          AEditSizeProperties.MaxLineCount) *
                    rowHeight;
      }
    } else {
      result.cy = zeroHeight ? 0 : rowHeight;
    }
  }
  if (result.cy > 0) result.cy += correction.cy;
  return result;
}

void PrepareTextRows(HDC ADC, const String& AText, const TRect& ARect, uint32_t AFlags, int32_t AMaxLineCount,
                     int32_t ASelStart, int32_t ASelLength, TColor ASelBackgroundColor, TColor ASelTextColor,
                     TcxTextOutData& AData) {
  const bool initialized = AData.Initialized;
  AData.Clear();
  AData.Initialized = initialized;
  if (AText.empty()) return;
  AData.Text = AText;
  AData.TextParams = cxCalcTextParams(ADC, AFlags, 1.0);
  AData.TextRect = cxPrepareRect(ARect, AData.TextParams, 0, 0);
  if (cxRectIsEmpty(AData.TextRect)) return;
  const int32_t length = static_cast<int32_t>(AData.Text.size());
  AData.ForceEndEllipsis = !cxMakeTextRows(ADC, AData.Text.data(), length, AData.TextRect, AData.TextParams,
                                           AData.TextRows, AData.RowCount, AMaxLineCount);
  if (AMaxLineCount > 0) AData.RowCount = std::min(AData.RowCount, AMaxLineCount);
  if (AData.RowCount <= 0) return;
  cxPlaceTextRows(ADC, AData.TextRect, AData.TextParams, AData.TextRows, AData.RowCount);
  if (ASelStart < 0 || ASelStart >= length)
    ASelLength = 0;
  else if (ASelLength > length - ASelStart)
    ASelLength = length - ASelStart;
  AData.SelStart = ASelStart;
  AData.SelLength = std::max(ASelLength, 0);
  AData.SelBackgroundColor = ASelBackgroundColor;
  AData.SelTextColor = ASelTextColor;
}

void InternalTextOut(HDC ADC, const String& AText, TcxTextOutData& AData, const TRect& ARect, uint32_t AFlags,
                     int32_t AMaxLineCount, int32_t ASelStart, int32_t ASelLength, TColor ASelBackgroundColor,
                     TColor ASelTextColor) {
  // Rows prepared for another text would point into text that is no longer drawn.
  if (!AData.Initialized || AData.Text != AText) {
    AData.Initialized = true;
    PrepareTextRows(ADC, AText, ARect, AFlags, AMaxLineCount, ASelStart, ASelLength, ASelBackgroundColor,
                    ASelTextColor, AData);
  }
  if (AData.RowCount <= 0) return;
  cxTextRowsOutHighlight(ADC, AData.TextRect, AData.TextParams, AData.TextRows, AData.RowCount,
                         AData.SelStart, AData.SelLength, AData.SelBackgroundColor, AData.SelTextColor,
                         AData.ForceEndEllipsis);
}

void DrawEditText(TcxCanvas* ACanvas, TcxCustomTextEditViewInfo* AViewInfo, bool ABullets) {
  if (AViewInfo->Text.empty()) return;
  if (AViewInfo->Font) ACanvas->SetFont(AViewInfo->Font);
  ACanvas->Font()->SetColor(AViewInfo->DrawSelectionBar ? clHighlightText : AViewInfo->TextColor);
  AViewInfo->PrepareCanvasFont(ACanvas);
  TRect R = AViewInfo->TextRect;
  if (ABullets) {
    --R.Top;
    ++R.Bottom;
  }
  InternalTextOut(ACanvas->Handle(), AViewInfo->Text, AViewInfo->TextOutData, R, AViewInfo->DrawTextFlags,
                  AViewInfo->MaxLineCount, AViewInfo->SelStart, AViewInfo->SelLength,
                  AViewInfo->SelBackgroundColor, AViewInfo->SelTextColor);
}

void DrawTextEdit(TcxCanvas* ACanvas, TcxCustomTextEditViewInfo* AViewInfo) {
  AViewInfo->DrawCustomEdit(ACanvas, !AViewInfo->Transparent && !AViewInfo->DrawSelectionBar, true);
  TRect R = AViewInfo->ClientRect;
  if (!AViewInfo->IsInplace) {
    if ((AViewInfo->NativeState == 0 || AViewInfo->DrawSelectionBar) && !AViewInfo->Transparent &&
        AViewInfo->EditingStyle != esNoEdit) {
      const TColor color = AViewInfo->BackgroundColor();
      ACanvas->FillRect(TRect{R.Left, R.Top, R.Right, R.Top + 1}, color);
      ACanvas->FillRect(TRect{R.Left, R.Bottom - 1, R.Right, R.Bottom}, color);
      ACanvas->FillRect(TRect{R.Left, R.Top, R.Left + 1, R.Bottom}, color);
      ACanvas->FillRect(TRect{R.Right - 1, R.Top, R.Right, R.Bottom}, color);
    }
    R = cxRectInflate(R, -1);
  }
  if (AViewInfo->IsOwnerDrawing && AViewInfo->CustomDrawHandler) {
    AViewInfo->CustomDrawHandler(ACanvas, R);
  } else {
    if (AViewInfo->DrawSelectionBar) ACanvas->FillRect(R, clHighlight);
    if (AViewInfo->IsDBEditPaintCopyDrawing || !AViewInfo->HasInnerEdit || !AViewInfo->IsEditClass)
      AViewInfo->DrawText(ACanvas);
  }
  if (!AViewInfo->IsInplace && AViewInfo->Focused && !AViewInfo->IsEditClass && !AViewInfo->HasPopupWindow) {
    ACanvas->Font()->SetColor(AViewInfo->DrawSelectionBar ? clHighlightText : clBtnText);
    ACanvas->Brush()->SetColor(AViewInfo->DrawSelectionBar ? clHighlight : AViewInfo->BackgroundColor());
    ACanvas->DrawFocusRect(R);
  }
}

TClass TcxCustomTextEditProperties::GetViewDataClass() const {
  return TcxCustomTextEditViewData::StaticClass();
}

TClass TcxCustomTextEditProperties::GetViewInfoClass() const {
  return TcxCustomTextEditViewInfo::StaticClass();
}

// --- TcxCustomTextEditViewData -------------------------------------------------------------------

TcxCustomTextEditProperties* TcxCustomTextEditViewData::TextProperties() const {
  return static_cast<TcxCustomTextEditProperties*>(Properties());
}

bool TcxCustomTextEditViewData::GetIsEditClass() {
  return Edit() && Edit()->IsEditClass();
}

uint32_t TcxCustomTextEditViewData::GetDrawTextFlags() {
  TAlignment horz = HorzAlignment;
  if (UseRightToLeftAlignment && horz != taCenter)
    horz = horz == taLeftJustify ? taRightJustify : taLeftJustify;
  uint32_t flags = kTextEditHorzAlignmentFlags[horz] | kTextEditVertAlignmentFlags[VertAlignment] |
                   CXTO_SINGLELINE | CXTO_PREVENT_LEFT_EXCEED | CXTO_PREVENT_TOP_EXCEED;
  if (UseRightToLeftReading) flags |= CXTO_RTLREADING;
  return flags;
}

TRect TcxCustomTextEditViewData::GetDrawTextOffset() {
  TRect offsets;
  GetTextEditDrawTextOffset(this, offsets);
  return offsets;
}

void TcxCustomTextEditViewData::PrepareDrawTextFlags(TcxCanvas* ACanvas,
                                                     TcxCustomTextEditViewInfo* AViewInfo) {
  TcxCustomTextEditProperties* properties = TextProperties();
  if (!properties->IsMultiLine() && properties->GetSupportedOperations().Contains(esoAutoHeight) &&
      PaintOptions.Contains(epoAutoHeight))
    PrepareTextEditDrawTextFlags(ACanvas, this, AViewInfo);
  else
    AViewInfo->DrawTextFlags = GetDrawTextFlags();
  if (AViewInfo->PaintOptions.Contains(epoShowEndEllipsis)) AViewInfo->DrawTextFlags |= CXTO_END_ELLIPSIS;
  AViewInfo->ComboBoxStyle = IsComboBoxStyle();
}

void TcxCustomTextEditViewData::Calculate(TcxCanvas* ACanvas, const TRect& ABounds, const TPoint& P,
                                          TcxMouseButton Button, TShiftState Shift,
                                          TcxCustomEditViewInfo* AViewInfo, bool AIsMouseEvent) {
  TcxCustomEditViewData::Calculate(ACanvas, ABounds, P, Button, Shift, AViewInfo, AIsMouseEvent);
  auto* viewInfo = static_cast<TcxCustomTextEditViewInfo*>(AViewInfo);
  viewInfo->DrawSelectionBar = false;
  viewInfo->EditingStyle = TextProperties()->GetEditingStyle();
  viewInfo->IsEditClass = GetIsEditClass();
  if (viewInfo->Font) ACanvas->SetFont(viewInfo->Font);
  viewInfo->HasPopupWindow = Edit() && EditHasPopupWindow;
  CalculateTextEditViewInfo(ACanvas, this, viewInfo, AIsMouseEvent);
  viewInfo->MaxLineCount = GetMaxLineCount();
  viewInfo->TextOutData.Initialized = false;
  PrepareDrawTextFlags(ACanvas, viewInfo);
}

void TcxCustomTextEditViewData::DisplayValueToDrawValue(const Variant& ADisplayValue,
                                                        TcxCustomTextEditViewInfo* AViewInfo) {
  AViewInfo->Text = VarIsNull(ADisplayValue) ? String() : VarToStr(ADisplayValue);
  TextProperties()->DoDisplayValueToDisplayText(AViewInfo->NativeStyle, AViewInfo->Text);
}

void TcxCustomTextEditViewData::EditValueToDrawValue(const Variant& AEditValue,
                                                     TcxCustomEditViewInfo* AViewInfo) {
  auto* viewInfo = static_cast<TcxCustomTextEditViewInfo*>(AViewInfo);
  if (PreviewMode)
    viewInfo->Text.clear();
  else
    EditValueToDisplayText(AEditValue, viewInfo->Text);
  PrepareSelection(viewInfo);
}

void TcxCustomTextEditViewData::InternalEditValueToDisplayText(const Variant& AEditValue, String& AText) {
  TcxCustomTextEditProperties* properties = TextProperties();
  try {
    if (FIsValueFormatted) {
      AText = VarIsNull(AEditValue) ? String() : VarToStr(AEditValue);
    } else {
      Variant displayValue;
      properties->GetDefaultDisplayValue(AEditValue, InternalFocused(), displayValue);
      AText = VarIsNull(displayValue) ? String() : VarToStr(displayValue);
    }
  } catch (...) {
    properties->DoDisplayValueToDisplayText(NativeStyle, AText);
    throw;
  }
  properties->DoDisplayValueToDisplayText(NativeStyle, AText);
}

void TcxCustomTextEditViewData::PrepareSelection(TcxCustomTextEditViewInfo* AViewInfo) {
  AViewInfo->SelStart = SelStart;
  AViewInfo->SelLength = SelLength;
  if (SelLength <= 0) return;
  if (SelBackgroundColor == clDefault) {
    if (SelTextColor != clDefault) {
      AViewInfo->SelTextColor = SelTextColor;
      AViewInfo->SelBackgroundColor = dxInvertColor(SelTextColor);
    } else if (Style() && Style()->Color() == clHighlight) {
      AViewInfo->SelBackgroundColor = clBlack;
      AViewInfo->SelTextColor = clWhite;
    } else {
      AViewInfo->SelBackgroundColor = clHighlight;
      AViewInfo->SelTextColor = clHighlightText;
    }
  } else {
    AViewInfo->SelBackgroundColor = SelBackgroundColor;
    AViewInfo->SelTextColor = SelTextColor != clDefault ? SelTextColor : dxInvertColor(SelBackgroundColor);
  }
}

TRect TcxCustomTextEditViewData::GetClientExtent(TcxCanvas* ACanvas, TcxCustomEditViewInfo* AViewInfo) {
  TRect result = TcxCustomEditViewData::GetClientExtent(ACanvas, AViewInfo);
  if (!IsInplace() && IsComboBoxStyle() && NativeStyle) ++result.Right;
  return result;
}

void TcxCustomTextEditViewData::CalculateButtonNativePartInfo(HTHEME ATheme,
                                                              TcxEditButtonViewInfo* AButtonViewInfo) {
  TcxCustomEditViewData::CalculateButtonNativePartInfo(ATheme, AButtonViewInfo);
  if (IsWinVistaOrLater() && !IsInplace() && NativeStyle &&
      TextProperties()->GetEditingStyle() == esFixedList && AButtonViewInfo->Data.ComboBoxStyle &&
      AButtonViewInfo->Data.NativeState != 4)
    AButtonViewInfo->Data.NativeState = 1;
}

void TcxCustomTextEditViewData::InitCacheData() {
  TcxCustomEditViewData::InitCacheData();
  FIsValueFormatted = Properties()->IsValueFormattedByProvider();
}

TSize TcxCustomTextEditViewData::InternalGetEditContentSize(
    TcxCanvas* ACanvas, const Variant& AEditValue, const TcxEditSizeProperties& AEditSizeProperties) {
  const TSize base =
      TcxCustomEditViewData::InternalGetEditContentSize(ACanvas, AEditValue, AEditSizeProperties);
  String text;
  EditValueToDisplayText(AEditValue, text);
  return cxSizeMax(
      base, GetTextEditContentSize(ACanvas, this, text, GetDrawTextFlags(), AEditSizeProperties, 0, true));
}

// --- TcxCustomTextEditViewInfo -------------------------------------------------------------------

void TcxCustomTextEditViewInfo::Assign(TObject* Source) {
  TcxCustomEditViewInfo::Assign(Source);
  auto* src = ObjectCast<TcxCustomTextEditViewInfo>(Source);
  if (!src) return;
  ComboBoxStyle = src->ComboBoxStyle;
  CustomDrawHandler = src->CustomDrawHandler;
  DrawSelectionBar = src->DrawSelectionBar;
  DrawTextFlags = src->DrawTextFlags;
  EditingStyle = src->EditingStyle;
  HasPopupWindow = src->HasPopupWindow;
  IsEditClass = src->IsEditClass;
  IsOwnerDrawing = src->IsOwnerDrawing;
  MaxLineCount = src->MaxLineCount;
  SelStart = src->SelStart;
  SelLength = src->SelLength;
  SelTextColor = src->SelTextColor;
  SelBackgroundColor = src->SelBackgroundColor;
  Text = src->Text;
  TextOutData.Clear();
  TextRect = src->TextRect;
}

void TcxCustomTextEditViewInfo::Offset(int32_t DX, int32_t DY) {
  TcxCustomEditViewInfo::Offset(DX, DY);
  TextRect = cxRectOffset(TextRect, DX, DY);
  if (!TextOutData.Initialized) return;
  TextOutData.TextRect = cxRectOffset(TextOutData.TextRect, DX, DY);
  for (int32_t i = 0; i < TextOutData.RowCount; ++i) {
    TcxTextRow& row = cxGetTextRow(TextOutData.TextRows, i);
    row.TextOriginX += DX;
    row.TextOriginY += DY;
  }
}

TcxEditBackgroundPaintingStyle TcxCustomTextEditViewInfo::GetBackgroundPaintingStyle() {
  if (!ComboBoxStyle) return bpsSolid;
  return TextEditIsFixedStyle(EditingStyle) ? bpsComboListEdit : bpsComboEdit;
}

bool TcxCustomTextEditViewInfo::NeedDrawPasswordBullets() {
  auto* properties = ObjectCast<TcxCustomTextEditProperties>(EditProperties);
  return properties && properties->EchoMode() == eemPassword && NativeStyle && IsWinSevenOrLater() &&
         dxUxTheme::IsThemeActive();
}

void TcxCustomTextEditViewInfo::PrepareCanvasFont(TcxCanvas* ACanvas) {
  TcxCustomEditViewInfo::PrepareCanvasFont(ACanvas);
  // The bullets are drawn in a font that has them.
  if (NeedDrawPasswordBullets()) ACanvas->Font()->SetName(u"Segoe UI");
}

void TcxCustomTextEditViewInfo::DrawText(TcxCanvas* ACanvas) {
  if (CanDrawEditValue()) DrawEditText(ACanvas, this, NeedDrawPasswordBullets());
}

int32_t TcxCustomTextEditViewInfo::GetTextBaseLine() {
  TEXTMETRICW tm{};
  if (TcxScreenCanvas* canvas = cxScreenCanvas()) {
    if (Font) canvas->Font()->Assign(Font);
    GetTextMetricsW(canvas->Handle(), &tm);
    canvas->Dormant();
  }
  switch (DrawTextFlags & kTextEditVertAlignmentMask) {
    case CXTO_TOP:
      return TextRect.Top + tm.tmAscent + 1;
    case CXTO_BOTTOM:
      return TextRect.Bottom - tm.tmDescent + 1;
    default:
      return TextRect.Top + (TextRect.Height() - tm.tmHeight) / 2 + tm.tmAscent + 1;
  }
}

bool TcxCustomTextEditViewInfo::NeedShowHint(TcxCanvas* ACanvas, const TPoint& P, int32_t AMaxLineCount,
                                             TRect& ATextRect, bool& AIsMultiLine, String& AText,
                                             const TRect& AVisibleBounds) {
  const TPoint origin{Left, Top};
  TRect area = TextRect;
  if (AVisibleBounds != TRect{}) cxRectIntersect(area, cxRectOffset(AVisibleBounds, origin, false), TextRect);
  const TPoint pt{P.X - Left, P.Y - Top};
  bool result = false;
  if (cxRectPtIn(area, pt) && !Text.empty()) {
    if (Font) ACanvas->SetFont(Font);
    PrepareCanvasFont(ACanvas);
    HDC dc = ACanvas->Handle();
    TRect limit = area;
    if (AMaxLineCount > 0)
      limit.Bottom = std::min<int64_t>(limit.Bottom, limit.Top + int64_t{AMaxLineCount} * cxTextHeight(dc));
    uint32_t flags = (DrawTextFlags & ~(CXTO_SINGLELINE | kTextEditVertAlignmentMask)) | CXTO_CALCRECT;
    if (ACanvas->TextFlags() & ETO_RTLREADING) flags |= CXTO_RTLREADING;
    TRect measured = area;
    cxTextOut(dc, Text, measured, flags);
    result = measured.Bottom > limit.Bottom || measured.Right > area.Right;
  }
  if (!result) {
    String baseText;
    if (TcxCustomEditViewInfo::NeedShowHint(ACanvas, P, 0, ATextRect, AIsMultiLine, baseText,
                                            AVisibleBounds)) {
      AText = baseText;
      return true;
    }
  }
  AIsMultiLine = (DrawTextFlags & CXTO_WORDBREAK) && !(DrawTextFlags & CXTO_SINGLELINE);
  AText = Text;
  ATextRect = cxRectOffset(TextRect, origin);
  return result;
}

void TcxCustomTextEditViewInfo::InternalPaint(TcxCanvas* ACanvas) {
  DrawTextEdit(ACanvas, this);
}

}  // namespace qd
