#include "ui/lookandfeel/cxLookAndFeelPaintersNative.h"

#include <algorithm>

#include "platform/classes/streams.h"
#include "platform/os/gdi.h"
#include "platform/os/user.h"
#include "platform/os/uxtheme.h"
#include "ui/core/cxGeometry.h"
#include "ui/core/dxCore.h"
#include "ui/core/dxDPIAwareUtils.h"
#include "ui/core/dxUxTheme.h"
#include "ui/graphics/cxGraphicsBlend.h"
#include "ui/graphics/dxOffice11.h"

namespace qd {

QD_IMPLEMENT_CLASS(TcxWinXPLookAndFeelPainter)

namespace {

// Indexed by TcxButtonState (default, normal, hot, pressed, disabled).
constexpr int kNativeXPBtnStates[] = {5, 1, 2, 3, 4};
constexpr int kNativeScrollArrowStates[4][5] = {
    {1, 1, 2, 3, 4}, {5, 5, 6, 7, 8}, {9, 9, 10, 11, 12}, {13, 13, 14, 15, 16}};
constexpr int kNativeHeaderStates[] = {1, 1, 2, 3, 1};
constexpr int kNativeTabStates[] = {1, 1, 2, 3, 4};
constexpr int kNativeCheckStates[3][5] = {{1, 1, 2, 3, 4}, {5, 5, 6, 7, 8}, {9, 9, 10, 11, 12}};
constexpr int kNativeRadioStates[2][5] = {{1, 1, 2, 3, 4}, {5, 5, 6, 7, 8}};
constexpr int kNativeTreeGlyphStates[] = {1, 2};        // by expanded
constexpr int kNativeGroupButtonParts[] = {7, 6};       // by expanded
constexpr int kNativeScrollThumbParts[] = {3, 2};       // by horizontal
constexpr int kNativeScrollGripperParts[] = {9, 8};     // by horizontal
constexpr int kNativeToolBarSeparatorParts[] = {6, 5};  // by vertical
constexpr int kNativeGroupBoxStates[] = {2, 1};         // by enabled

int NativeScrollThumbState(TcxButtonState AState) {
  switch (AState) {
    case cxbsHot:
      return 2;
    case cxbsPressed:
      return 3;
    case cxbsDisabled:
      return 4;
    default:
      return 1;
  }
}

int NativeScrollTrackPart(bool AHorizontal, TcxScrollBarPart APart) {
  if (AHorizontal) return APart == sbpPageDown ? 5 : 4;
  return APart == sbpPageDown ? 7 : 6;
}

// The insets of the content rectangle of a 100 by 100 rectangle.
bool NativeContentInsets(HTHEME ATheme, int APartId, int AStateId, TRect& AInsets) {
  const TRect r{0, 0, 100, 100};
  TRect content;
  if (FAILED(dxUxTheme::GetThemeBackgroundContentRect(ATheme, nullptr, APartId, AStateId, &r, &content)))
    return false;
  AInsets =
      TRect{content.Left - r.Left, content.Top - r.Top, r.Right - content.Right, r.Bottom - content.Bottom};
  return true;
}

}  // namespace

int BtnStateToXPBtnState(TcxButtonState AState) {
  return kNativeXPBtnStates[AState];
}

bool cxGetThemeColor(TdxThemedObjectType AObjectType, int APartId, int AStateId, int APropId,
                     TColor& AColor) {
  const HTHEME theme = OpenTheme(AObjectType);
  if (!theme) return false;
  COLORREF color = 0;
  if (FAILED(dxUxTheme::GetThemeColor(theme, APartId, AStateId, APropId, &color))) return false;
  AColor = static_cast<TColor>(color);
  return true;
}

void cxCorrectThemeBitmapAlpha(TcxBitmap32* ABitmap) {
  TRGBColors colors;
  ABitmap->GetBitmapColors(colors);
  for (RGBQUAD& q : colors)
    if (q.rgbReserved == 0 && (q.rgbRed | q.rgbGreen | q.rgbBlue) != 0) q.rgbReserved = 255;
  ABitmap->SetBitmapColors(colors);
}

bool TcxWinXPLookAndFeelPainter::ThemePartSize(HTHEME ATheme, int APartId, int AStateId, THEMESIZE AKind,
                                               TSize& ASize) {
  SIZE size{};
  if (FAILED(dxUxTheme::GetThemePartSize(ATheme, nullptr, APartId, AStateId, AKind, &size))) return false;
  ASize = TSize{size.cx, size.cy};
  return true;
}

bool TcxWinXPLookAndFeelPainter::ThemeMargins(HTHEME ATheme, int APartId, int AStateId, int APropId,
                                              TRect& AMargins) {
  MARGINS margins;
  if (FAILED(dxUxTheme::GetThemeMargins(ATheme, nullptr, APartId, AStateId, APropId, nullptr, &margins)))
    return false;
  AMargins = TRect{margins.cxLeftWidth, margins.cyTopHeight, margins.cxRightWidth, margins.cyBottomHeight};
  return true;
}

TcxWinXPLookAndFeelPainter::TcxWinXPLookAndFeelPainter() {
  auto load = [](const Char* AName) {
    TResourceStream stream(AName, RT_BITMAP);
    auto bitmap = std::make_unique<TcxBitmap32>();
    bitmap->LoadFromStream(&stream);
    return bitmap;
  };
  FZoomInButtonGlyph = load(u"CX_ZOOMINBUTTONGLYPH");
  FZoomOutButtonGlyph = load(u"CX_ZOOMOUTBUTTONGLYPH");
}

TcxWinXPLookAndFeelPainter::~TcxWinXPLookAndFeelPainter() = default;

void TcxWinXPLookAndFeelPainter::DrawScaledThemeBackground(HTHEME ATheme, HDC DC, int APartId, int AStateId,
                                                           const TRect& R, TdxScaleFactor* AScaleFactor,
                                                           bool AForceScale, bool AUseThemePartSize) {
  if (!AForceScale && AScaleFactor->Equals(dxSystemScaleFactor())) {
    dxUxTheme::DrawThemeBackground(ATheme, DC, APartId, AStateId, R);
    return;
  }
  TSize size{};
  if (!AUseThemePartSize || !ThemePartSize(ATheme, APartId, AStateId, TS_TRUE, size))
    size = dxSystemScaleFactor()->Apply(TSize{R.Width(), R.Height()}, AScaleFactor);
  if (size.cx <= 0 || size.cy <= 0) return;
  TcxBitmap32 bitmap(size.cx, size.cy, true);
  dxUxTheme::DrawThemeBackground(ATheme, bitmap.Canvas()->Handle(), APartId, AStateId, bitmap.ClientRect());
  cxCorrectThemeBitmapAlpha(&bitmap);
  cxAlphaBlend(DC, &bitmap, R, bitmap.ClientRect(), true, 255);
}

void TcxWinXPLookAndFeelPainter::DrawContent(TcxCanvas* ACanvas, HTHEME ATheme, int APartId, int AStateId,
                                             const TRect& /*ABounds*/, const TRect& ATextAreaBounds,
                                             TAlignment AAlignmentHorz, TcxAlignmentVert AAlignmentVert,
                                             bool AMultiLine, bool AShowEndEllipsis, bool AShowPrefix,
                                             const String& AText, TFont* AFont, TColor ATextColor,
                                             TColor /*ABkColor*/) {
  if (AText.empty()) return;
  TRect r = ATextAreaBounds;
  if (AFont) ACanvas->Font()->Assign(AFont);
  ACanvas->Font()->SetColor(ATextColor);
  if (AMultiLine)
    ACanvas->AlignMultiLineTextRectVertically(r, AText, AShowEndEllipsis, false, true, AShowPrefix, true,
                                              AAlignmentVert);
  static constexpr DWORD kHorz[] = {DT_LEFT, DT_RIGHT, DT_CENTER};
  static constexpr DWORD kVert[] = {DT_TOP, DT_BOTTOM, DT_VCENTER};
  DWORD flags = kHorz[AAlignmentHorz] | kVert[AAlignmentVert] | DT_EDITCONTROL;
  if (AShowEndEllipsis) flags |= DT_END_ELLIPSIS;
  if (!AShowPrefix) flags |= DT_NOPREFIX;
  flags |= AMultiLine ? DT_WORDBREAK : DT_SINGLELINE;
  dxUxTheme::DrawThemeText(ATheme, ACanvas->Handle(), APartId, AStateId, AText, -1, flags, 0, &r);
}

// --- Identity and shared metrics ---------------------------------------------------------------

String TcxWinXPLookAndFeelPainter::LookAndFeelName() {
  return u"Native";
}

TcxLookAndFeelStyle TcxWinXPLookAndFeelPainter::LookAndFeelStyle() {
  return lfsNative;
}

bool TcxWinXPLookAndFeelPainter::NeedRedrawOnResize() {
  return AreVisualStylesAvailable();
}

bool TcxWinXPLookAndFeelPainter::IsButtonHotTrack() {
  return true;
}

bool TcxWinXPLookAndFeelPainter::IsHeaderHotTrack() {
  return true;
}

int32_t TcxWinXPLookAndFeelPainter::SeparatorSize() {
  return 6;
}

int32_t TcxWinXPLookAndFeelPainter::BorderSize() {
  return OpenTheme(totListView) ? 1 : inherited::BorderSize();
}

int32_t TcxWinXPLookAndFeelPainter::ButtonBorderSize(TcxButtonState AState) {
  const HTHEME theme = OpenTheme(totButton);
  TRect insets;
  if (theme && NativeContentInsets(theme, 1, BtnStateToXPBtnState(AState), insets)) return insets.Left;
  return inherited::ButtonBorderSize(cxbsNormal);
}

int32_t TcxWinXPLookAndFeelPainter::ScaledButtonTextOffset(TdxScaleFactor* AScaleFactor) {
  return AScaleFactor->Apply(2);
}

int32_t TcxWinXPLookAndFeelPainter::ScaledButtonTextShift(TdxScaleFactor* /*AScaleFactor*/) {
  return 0;
}

TColor TcxWinXPLookAndFeelPainter::ButtonColor(TcxButtonState AState) {
  TColor color = clDefault;
  if (cxGetThemeColor(totButton, 1, BtnStateToXPBtnState(AState), 204, color)) return color;
  return inherited::ButtonColor(AState);
}

TColor TcxWinXPLookAndFeelPainter::ButtonSymbolColor(TcxButtonState AState, TColor ADefaultColor) {
  TColor color = clDefault;
  if (cxGetThemeColor(totButton, 1, BtnStateToXPBtnState(AState), TMT_TEXTCOLOR, color)) return color;
  return inherited::ButtonSymbolColor(AState, ADefaultColor);
}

TRect TcxWinXPLookAndFeelPainter::ScaledButtonFocusRect(TcxCanvas* ACanvas, const TRect& R,
                                                        TdxScaleFactor* AScaleFactor) {
  if (const HTHEME theme = OpenTheme(totButton)) {
    TRect content;
    if (SUCCEEDED(dxUxTheme::GetThemeBackgroundContentRect(theme, ACanvas->Handle(), 1, 1, &R, &content)))
      return content;
  }
  return inherited::ScaledButtonFocusRect(ACanvas, R, AScaleFactor);
}

TColor TcxWinXPLookAndFeelPainter::DefaultSchedulerBorderColor() {
  TColor color = clDefault;
  if (cxGetThemeColor(totComboBox, 1, 1, TMT_BORDERCOLOR, color)) return color;
  return inherited::DefaultSchedulerBorderColor();
}

int32_t TcxWinXPLookAndFeelPainter::CheckBorderSize() {
  return OpenTheme(totButton) ? 0 : inherited::CheckBorderSize();
}

TSize TcxWinXPLookAndFeelPainter::ScaledCheckButtonSize(TdxScaleFactor* AScaleFactor) {
  const HTHEME theme = OpenTheme(totButton);
  TSize size;
  if (theme && ThemePartSize(theme, 3, 5, TS_TRUE, size))
    return AScaleFactor->Apply(size, dxSystemScaleFactor());
  return inherited::ScaledCheckButtonSize(AScaleFactor);
}

// Without the button class the Standard size and drawing stand in (the theme call would leave
// the size unset).
TSize TcxWinXPLookAndFeelPainter::ScaledRadioButtonSize(TdxScaleFactor* AScaleFactor) {
  const HTHEME theme = OpenTheme(totButton);
  TSize size;
  if (theme && ThemePartSize(theme, 2, 1, TS_TRUE, size))
    return AScaleFactor->Apply(size, dxSystemScaleFactor());
  return inherited::ScaledRadioButtonSize(AScaleFactor);
}

int32_t TcxWinXPLookAndFeelPainter::ScaledExpandButtonSize(TdxScaleFactor* AScaleFactor) {
  const HTHEME theme = OpenTheme(totTreeView);
  TSize size;
  if (theme && ThemePartSize(theme, 2, 2, TS_TRUE, size))
    return AScaleFactor->Apply(size.cx, dxSystemScaleFactor());
  return inherited::ScaledExpandButtonSize(AScaleFactor);
}

int32_t TcxWinXPLookAndFeelPainter::ScaledSmallExpandButtonSize(TdxScaleFactor* AScaleFactor) {
  if (OpenTheme(totTreeView)) return ScaledExpandButtonSize(AScaleFactor);
  return inherited::ScaledSmallExpandButtonSize(AScaleFactor);
}

int32_t TcxWinXPLookAndFeelPainter::ScaledGroupExpandButtonSize(TdxScaleFactor* AScaleFactor) {
  const HTHEME theme = OpenTheme(totExplorerBar);
  TSize size;
  if (theme && ThemePartSize(theme, 7, 1, TS_TRUE, size)) return AScaleFactor->Apply(size.cx);
  return inherited::ScaledGroupExpandButtonSize(AScaleFactor);
}

bool TcxWinXPLookAndFeelPainter::DrawExpandButtonFirst() {
  return false;
}

int32_t TcxWinXPLookAndFeelPainter::HeaderBorderSize() {
  const HTHEME theme = OpenTheme(totHeader);
  TRect insets;
  if (theme && NativeContentInsets(theme, 1, 1, insets)) return std::max(1, (insets.Left + insets.Top) / 2);
  return inherited::HeaderBorderSize();
}

int32_t TcxWinXPLookAndFeelPainter::HeaderControlSectionBorderSize(TcxButtonState /*AState*/) {
  return HeaderBorderSize();
}

TRect TcxWinXPLookAndFeelPainter::HeaderControlSectionContentBounds(const TRect& ABounds,
                                                                    TcxButtonState AState) {
  if (OpenTheme(totHeader)) return cxRectInflate(ABounds, -HeaderBorderSize());
  return inherited::HeaderControlSectionContentBounds(ABounds, AState);
}

TPoint TcxWinXPLookAndFeelPainter::ScaledSortingMarkSize(TdxScaleFactor* AScaleFactor) {
  return AScaleFactor->Apply(TPoint{7, 8});
}

int32_t TcxWinXPLookAndFeelPainter::FooterBorderSize() {
  return OpenTheme(totEdit) ? 1 : inherited::FooterBorderSize();
}

int32_t TcxWinXPLookAndFeelPainter::FooterCellBorderSize() {
  const HTHEME theme = OpenTheme(totTrackBar);
  TRect insets;
  if (theme && NativeContentInsets(theme, 1, 1, insets)) return insets.Left;
  return inherited::FooterCellBorderSize();
}

int32_t TcxWinXPLookAndFeelPainter::FooterCellOffset() {
  return OpenTheme(totTrackBar) ? 1 : inherited::FooterCellOffset();
}

bool TcxWinXPLookAndFeelPainter::FooterDrawCellsFirst() {
  return false;
}

int32_t TcxWinXPLookAndFeelPainter::TabBorderSize(bool AVertical) {
  return OpenTheme(totTab) ? 1 : inherited::TabBorderSize(AVertical);
}

bool TcxWinXPLookAndFeelPainter::IsDrawTabImplemented(bool AVertical) {
  return OpenTheme(totTab) ? true : inherited::IsDrawTabImplemented(AVertical);
}

bool TcxWinXPLookAndFeelPainter::IsTabHotTrack(bool AVertical) {
  return OpenTheme(totTab) ? true : inherited::IsTabHotTrack(AVertical);
}

int32_t TcxWinXPLookAndFeelPainter::ScaledScrollBarMinimalThumbSize(bool AVertical,
                                                                    TdxScaleFactor* AScaleFactor) {
  const HTHEME theme = OpenTheme(totScrollBar);
  const int part = kNativeScrollThumbParts[!AVertical];
  TSize size;
  if (!theme || !ThemePartSize(theme, part, 1, TS_MIN, size))
    return inherited::ScaledScrollBarMinimalThumbSize(AVertical, AScaleFactor);
  int32_t result = AVertical ? size.cy : size.cx;
  MARGINS margins;
  if (IsWinVistaOrLater() &&
      SUCCEEDED(dxUxTheme::GetThemeMargins(theme, nullptr, part, 1, TMT_CONTENTMARGINS, nullptr, &margins)))
    result +=
        AVertical ? margins.cyTopHeight + margins.cyBottomHeight : margins.cxLeftWidth + margins.cxRightWidth;
  return AScaleFactor->Apply(result);
}

TSize TcxWinXPLookAndFeelPainter::ScaledSizeGripSize(TdxScaleFactor* AScaleFactor) {
  const HTHEME theme = OpenTheme(totScrollBar);
  TSize size;
  if (!theme || !ThemePartSize(theme, 10, 1, TS_TRUE, size))
    return inherited::ScaledSizeGripSize(AScaleFactor);
  return IsWin8OrLater() ? AScaleFactor->Apply(size, dxSystemScaleFactor()) : AScaleFactor->Apply(size);
}

TSize TcxWinXPLookAndFeelPainter::DoGetSmallCloseButtonSize() {
  const HTHEME theme = OpenTheme(totWindow);
  TSize size;
  if (!theme || !ThemePartSize(theme, 19, 1, TS_TRUE, size)) return inherited::DoGetSmallCloseButtonSize();
  if (IsWin8OrLater() && (size.cx < 10 || size.cy < 10)) size = TSize{13, 13};
  return size;
}

TColor TcxWinXPLookAndFeelPainter::GroupBoxTextColor(bool AEnabled,
                                                     TcxGroupBoxCaptionPosition ACaptionPosition) {
  TColor color = clDefault;
  if (cxGetThemeColor(totButton, 4, kNativeGroupBoxStates[AEnabled], TMT_TEXTCOLOR, color)) return color;
  return inherited::GroupBoxTextColor(AEnabled, ACaptionPosition);
}

TColor TcxWinXPLookAndFeelPainter::GetHintBorderColor() {
  return OpenTheme(totToolTip) ? clWindowFrame : inherited::GetHintBorderColor();
}

// --- Buttons, arrows, borders and separators -------------------------------------------------

void TcxWinXPLookAndFeelPainter::DrawScaledButton(TcxCanvas* ACanvas, const TRect& R, const String& ACaption,
                                                  TcxButtonState AState, TdxScaleFactor* AScaleFactor,
                                                  bool ADrawBorder, TColor AColor, TColor ATextColor,
                                                  bool AWordWrap, bool AIsToolButton, TcxButtonPart APart) {
  const HTHEME theme = OpenTheme(AIsToolButton ? totToolBar : totButton);
  if (!theme) {
    inherited::DrawScaledButton(ACanvas, R, ACaption, AState, AScaleFactor, ADrawBorder, AColor, ATextColor,
                                AWordWrap, AIsToolButton, APart);
    return;
  }
  const int state = BtnStateToXPBtnState(AState);
  dxUxTheme::DrawThemeBackground(theme, ACanvas->Handle(), 1, state, R);
  if (!ACaption.empty()) {
    TRect r = R;
    dxUxTheme::DrawThemeText(theme, ACanvas->Handle(), 1, state, ACaption, -1,
                             DT_CENTER | DT_VCENTER | DT_SINGLELINE, 0, &r);
  }
}

void TcxWinXPLookAndFeelPainter::DrawScaledSmallButton(TcxCanvas* ACanvas, const TRect& R,
                                                       TcxButtonState AState, TdxScaleFactor* AScaleFactor) {
  DrawScaledButton(ACanvas, R, String(), AState, AScaleFactor);
}

void TcxWinXPLookAndFeelPainter::DrawScaledArrowBorder(TcxCanvas* ACanvas, const TRect& R,
                                                       TcxButtonState AState, TdxScaleFactor* AScaleFactor) {
  if (const HTHEME theme = OpenTheme(totButton))
    dxUxTheme::DrawThemeBackground(theme, ACanvas->Handle(), 1, BtnStateToXPBtnState(AState), R);
  else
    inherited::DrawScaledArrowBorder(ACanvas, R, AState, AScaleFactor);
}

void TcxWinXPLookAndFeelPainter::DrawScaledArrow(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                                                 TcxArrowDirection AArrowDirection,
                                                 TdxScaleFactor* AScaleFactor, bool ADrawBorder) {
  if (const HTHEME theme = OpenTheme(totScrollBar))
    dxUxTheme::DrawThemeBackground(theme, ACanvas->Handle(), 1,
                                   kNativeScrollArrowStates[AArrowDirection][AState], R);
  else
    inherited::DrawScaledArrow(ACanvas, R, AState, AArrowDirection, AScaleFactor, ADrawBorder);
}

void TcxWinXPLookAndFeelPainter::DrawBorder(TcxCanvas* ACanvas, const TRect& R) {
  const HTHEME theme = OpenTheme(totListView);
  if (!theme) {
    inherited::DrawBorder(ACanvas, R);
    return;
  }
  ACanvas->SaveDC();
  ACanvas->ExcludeClipRect(cxRectInflate(R, -1));
  dxUxTheme::DrawThemeBackground(theme, ACanvas->Handle(), 5, 0, R);
  ACanvas->RestoreDC();
}

void TcxWinXPLookAndFeelPainter::DoDrawSeparator(TcxCanvas* ACanvas, const TRect& R, bool AIsVertical) {
  if (const HTHEME theme = OpenTheme(totToolBar))
    dxUxTheme::DrawThemeBackground(theme, ACanvas->Handle(), kNativeToolBarSeparatorParts[AIsVertical], 1, R);
  else
    inherited::DoDrawSeparator(ACanvas, R, AIsVertical);
}

// --- Check boxes, radio buttons, expand buttons ----------------------------------------------

void TcxWinXPLookAndFeelPainter::DrawScaledCheck(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                                                 TcxCheckBoxState ACheckState, TColor AColor,
                                                 TdxScaleFactor* AScaleFactor) {
  if (const HTHEME theme = OpenTheme(totButton))
    DrawScaledThemeBackground(theme, ACanvas->Handle(), 3, kNativeCheckStates[ACheckState][AState], R,
                              AScaleFactor, false, true);
  else
    inherited::DrawScaledCheck(ACanvas, R, AState, ACheckState, AColor, AScaleFactor);
}

void TcxWinXPLookAndFeelPainter::DrawCheckBorder(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState) {
  if (!OpenTheme(totButton)) inherited::DrawCheckBorder(ACanvas, R, AState);
}

void TcxWinXPLookAndFeelPainter::DrawScaledRadioButton(TcxCanvas* ACanvas, int32_t X, int32_t Y,
                                                       TcxButtonState AButtonState, bool AChecked,
                                                       bool AFocused, TColor ABrushColor,
                                                       TdxScaleFactor* AScaleFactor, bool AIsDesigning) {
  const HTHEME theme = OpenTheme(totButton);
  if (!theme) {
    inherited::DrawScaledRadioButton(ACanvas, X, Y, AButtonState, AChecked, AFocused, ABrushColor,
                                     AScaleFactor, AIsDesigning);
    return;
  }
  const TSize size = ScaledRadioButtonSize(AScaleFactor);
  DrawScaledThemeBackground(theme, ACanvas->Handle(), 2, kNativeRadioStates[AChecked][AButtonState],
                            Bounds(X, Y, size.cx, size.cy), AScaleFactor, false, true);
}

void TcxWinXPLookAndFeelPainter::DrawScaledExpandButton(TcxCanvas* ACanvas, const TRect& R, bool AExpanded,
                                                        TdxScaleFactor* AScaleFactor, TColor AColor,
                                                        TcxButtonState AState) {
  const HTHEME theme = OpenTheme(totTreeView);
  if (!theme) {
    inherited::DrawScaledExpandButton(ACanvas, R, AExpanded, AScaleFactor, AColor, AState);
    return;
  }
  DrawScaledThemeBackground(theme, ACanvas->Handle(), 2, kNativeTreeGlyphStates[AExpanded], R, AScaleFactor,
                            false, true);
  ACanvas->ExcludeClipRect(R);
}

void TcxWinXPLookAndFeelPainter::DrawScaledSmallExpandButton(TcxCanvas* ACanvas, const TRect& R,
                                                             bool AExpanded, TColor ABorderColor,
                                                             TdxScaleFactor* AScaleFactor, TColor AColor) {
  if (OpenTheme(totTreeView))
    DrawScaledExpandButton(ACanvas, R, AExpanded, AScaleFactor, clDefault, cxbsNormal);
  else
    inherited::DrawScaledSmallExpandButton(ACanvas, R, AExpanded, ABorderColor, AScaleFactor, AColor);
}

void TcxWinXPLookAndFeelPainter::DrawScaledGroupExpandButton(TcxCanvas* ACanvas, const TRect& R,
                                                             bool AExpanded, TcxButtonState AState,
                                                             TdxScaleFactor* AScaleFactor) {
  const HTHEME theme = OpenTheme(totExplorerBar);
  if (!theme) {
    inherited::DrawScaledGroupExpandButton(ACanvas, R, AExpanded, AState, AScaleFactor);
    return;
  }
  // The group buttons have normal, hot and pressed states only.
  const int state = AState == cxbsHot ? 2 : AState == cxbsPressed ? 3 : 1;
  dxUxTheme::DrawThemeBackground(theme, ACanvas->Handle(), kNativeGroupButtonParts[AExpanded], state, R);
}

bool TcxWinXPLookAndFeelPainter::IsPointOverGroupExpandButton(const TRect& R, const TPoint& P) {
  const HTHEME theme = OpenTheme(totExplorerBar);
  if (!theme) return inherited::IsPointOverGroupExpandButton(R, P);
  HRGN region = nullptr;
  if (FAILED(dxUxTheme::GetThemeBackgroundRegion(theme, nullptr, 7, 2, &R, &region)) || !region) return false;
  const bool result = PtInRegion(region, P.X, P.Y) != FALSE;
  DeleteObject(region);
  return result;
}

// --- Scroll bars and size grips ----------------------------------------------------------------

void TcxWinXPLookAndFeelPainter::DoDrawScaledScrollBarPart(TcxCanvas* ACanvas, bool AHorizontal,
                                                           const TRect& R, TcxScrollBarPart APart,
                                                           TcxButtonState AState,
                                                           TdxScaleFactor* AScaleFactor) {
  const HTHEME theme = OpenTheme(totScrollBar);
  if (!theme) {
    inherited::DoDrawScaledScrollBarPart(ACanvas, AHorizontal, R, APart, AState, AScaleFactor);
    return;
  }
  if (R.IsEmpty()) return;
  const HDC dc = ACanvas->Handle();
  switch (APart) {
    case sbpLineUp:
    case sbpLineDown:
      DrawScaledArrow(ACanvas, R, AState, GetArrowDirection(AHorizontal, APart), AScaleFactor, true);
      break;
    case sbpThumbnail: {
      const int state = NativeScrollThumbState(AState);
      dxUxTheme::DrawThemeBackground(theme, dc, kNativeScrollThumbParts[AHorizontal], state, R);
      const int gripper = kNativeScrollGripperParts[AHorizontal];
      TSize size;
      if (!ThemePartSize(theme, gripper, state, TS_TRUE, size) ||
          (AHorizontal ? AScaleFactor->Apply(size.cy) < R.Width()
                       : AScaleFactor->Apply(size.cx) < R.Height()))
        dxUxTheme::DrawThemeBackground(theme, dc, gripper, state, R);
      break;
    }
    case sbpPageUp:
    case sbpPageDown:
      dxUxTheme::DrawThemeBackground(theme, dc, NativeScrollTrackPart(AHorizontal, APart),
                                     NativeScrollThumbState(AState), R);
      break;
    case sbpNone:
      break;
  }
}

void TcxWinXPLookAndFeelPainter::DrawScaledScrollBarSplitter(TcxCanvas* ACanvas, const TRect& R,
                                                             TcxButtonState AState,
                                                             TdxScaleFactor* AScaleFactor) {
  TcxCustomLookAndFeelPainter::DrawScaledSplitter(ACanvas, R, AState == cxbsHot, AState == cxbsPressed, false,
                                                  AScaleFactor, false, adLeft);
}

void TcxWinXPLookAndFeelPainter::DoDrawSizeGrip(TcxCanvas* ACanvas, const TRect& ARect,
                                                TdxScaleFactor* AScaleFactor) {
  if (const HTHEME theme = OpenTheme(totScrollBar))
    dxUxTheme::DrawThemeBackground(theme, ACanvas->Handle(), 10, 1, ARect);
  else
    inherited::DoDrawSizeGrip(ACanvas, ARect, AScaleFactor);
}

// --- Headers, sorting marks, footers, tabs, group boxes, splitters -------------------------

void TcxWinXPLookAndFeelPainter::DrawScaledHeader(
    TcxCanvas* ACanvas, const TRect& ABounds, const TRect& ATextAreaBounds, const TcxNeighbors& ANeighbors,
    const TcxBorders& ABorders, TcxButtonState AState, TAlignment AAlignmentHorz,
    TcxAlignmentVert AAlignmentVert, bool AMultiLine, bool AShowEndEllipsis, const String& AText,
    TFont* AFont, TColor ATextColor, TColor ABkColor, TdxScaleFactor* AScaleFactor,
    const TcxDrawBackgroundEvent& AOnDrawBackground, bool AIsLast, bool AIsGroup) {
  const HTHEME theme = OpenTheme(totHeader);
  if (!theme) {
    inherited::DrawScaledHeader(ACanvas, ABounds, ATextAreaBounds, ANeighbors, ABorders, AState,
                                AAlignmentHorz, AAlignmentVert, AMultiLine, AShowEndEllipsis, AText, AFont,
                                ATextColor, ABkColor, AScaleFactor, AOnDrawBackground, AIsLast, AIsGroup);
    return;
  }
  const int state = kNativeHeaderStates[AState];
  const TOffice11Scheme scheme = AIsLast && state == 1 ? GetOffice11Scheme() : schUnknown;
  const int part = scheme == schNormalColor || scheme == schHomestead ? 3 : 1;
  if (IsWin10OrLater()) ACanvas->FillRect(ABounds, clWindow);
  dxUxTheme::DrawThemeBackground(theme, ACanvas->Handle(), part, state, ABounds);
  TRect text = ATextAreaBounds;
  if (AState == cxbsPressed) text = cxRectOffset(text, 1, 1);
  DrawContent(ACanvas, theme, part, state, ABounds, text, AAlignmentHorz, AAlignmentVert, AMultiLine,
              AShowEndEllipsis, false, AText, AFont, ATextColor, ABkColor);
}

void TcxWinXPLookAndFeelPainter::DrawHeaderPressed(TcxCanvas* /*ACanvas*/, const TRect& /*ABounds*/) {}

void TcxWinXPLookAndFeelPainter::DrawScaledHeaderControlSection(
    TcxCanvas* ACanvas, const TRect& ABounds, const TRect& ATextAreaBounds,
    const TcxNeighbors& /*ANeighbors*/, const TcxBorders& ABorders, TcxButtonState AState,
    TAlignment AAlignmentHorz, TcxAlignmentVert AAlignmentVert, bool AMultiLine, bool AShowEndEllipsis,
    const String& AText, TFont* AFont, TColor ATextColor, TColor ABkColor, TdxScaleFactor* AScaleFactor) {
  ACanvas->FillRect(ABounds, clBtnFace);
  DrawScaledHeader(ACanvas, ABounds, ATextAreaBounds, TcxNeighbors{nRight}, ABorders, AState, AAlignmentHorz,
                   AAlignmentVert, AMultiLine, AShowEndEllipsis, AText, AFont, ATextColor, ABkColor,
                   AScaleFactor, nullptr, false, false);
}

void TcxWinXPLookAndFeelPainter::DrawScaledSortingMark(TcxCanvas* ACanvas, const TRect& R,
                                                       bool AAscendingSorting, TdxScaleFactor* AScaleFactor) {
  DrawSortingArrow(ACanvas, R, clBtnShadow, clBtnShadow, AAscendingSorting, AScaleFactor);
}

void TcxWinXPLookAndFeelPainter::DrawScaledSummarySortingMark(TcxCanvas* ACanvas, const TRect& R,
                                                              bool AAscendingSorting,
                                                              TdxScaleFactor* AScaleFactor) {
  DrawSummarySortingArrow(ACanvas, R, clBtnShadow, clBtnShadow, AAscendingSorting, AScaleFactor);
}

void TcxWinXPLookAndFeelPainter::DrawScaledMonthHeader(TcxCanvas* ACanvas, const TRect& ABounds,
                                                       const String& AText, const TcxNeighbors& ANeighbors,
                                                       const TcxViewParams& AViewParams,
                                                       const TcxArrowDirections& AArrows, int32_t ASideWidth,
                                                       TdxScaleFactor* AScaleFactor,
                                                       const TcxDrawBackgroundEvent& AOnDrawBackground) {
  DrawScaledHeader(ACanvas, ABounds, ABounds, ANeighbors, cxBordersAll, cxbsNormal, taCenter, vaCenter, false,
                   false, AText, AViewParams.Font, AViewParams.TextColor, AViewParams.Color, AScaleFactor,
                   AOnDrawBackground, !ANeighbors.Contains(nRight), false);
  DrawMonthHeaderArrows(ACanvas, ABounds, AArrows, ASideWidth, clWindowText);
}

void TcxWinXPLookAndFeelPainter::DrawFilterRowSeparator(TcxCanvas* ACanvas, const TRect& ARect,
                                                        TColor ABackgroundColor) {
  inherited::DrawFilterRowSeparator(ACanvas, ARect, ABackgroundColor);
  if (IsWin10OrLater())
    ACanvas->FrameRect(ARect, DefaultGridLineColor(), 1, TcxBorders{bTop, bRight, bBottom});
}

void TcxWinXPLookAndFeelPainter::DrawFooterBorder(TcxCanvas* ACanvas, const TRect& R) {
  if (const HTHEME theme = OpenTheme(totEdit))
    dxUxTheme::DrawThemeEdge(theme, ACanvas->Handle(), 0, 0, &R, BDR_RAISEDINNER, BF_RECT, nullptr);
  else
    inherited::DrawFooterBorder(ACanvas, R);
}

void TcxWinXPLookAndFeelPainter::DrawFooterCell(TcxCanvas* ACanvas, const TRect& ABounds,
                                                TAlignment AAlignmentHorz, TcxAlignmentVert AAlignmentVert,
                                                bool AMultiLine, const String& AText, TFont* AFont,
                                                TColor ATextColor, TColor ABkColor,
                                                const TcxDrawBackgroundEvent& AOnDrawBackground) {
  const HTHEME theme = OpenTheme(totTrackBar);
  if (!theme) {
    inherited::DrawFooterCell(ACanvas, ABounds, AAlignmentHorz, AAlignmentVert, AMultiLine, AText, AFont,
                              ATextColor, ABkColor, AOnDrawBackground);
    return;
  }
  dxUxTheme::DrawThemeBackground(theme, ACanvas->Handle(), 1, 1, ABounds);
  DrawContent(ACanvas, theme, 1, 1, ABounds, FooterCellTextAreaBounds(ABounds), AAlignmentHorz,
              AAlignmentVert, AMultiLine, false, false, AText, AFont, ATextColor, ABkColor);
}

void TcxWinXPLookAndFeelPainter::DrawThemedTab(TcxCanvas* ACanvas, const TRect& R, const TcxBorders& ABorders,
                                               const String& AText, HTHEME ATheme, int AState, bool AVertical,
                                               TFont* AFont, TColor ATextColor, TColor ABkColor,
                                               bool AShowPrefix) {
  // A vertical tab is drawn upright into a bitmap (width and height exchanged) and turned.
  const TRect base = AVertical ? TRect{0, 0, R.Height(), R.Width()} : R;
  TRect clip = base;
  TRect draw = base;
  const bool nearOpen = AVertical ? !ABorders.Contains(bTop) : !ABorders.Contains(bLeft);
  const bool farOpen = AVertical ? !ABorders.Contains(bBottom) : !ABorders.Contains(bRight);
  if (nearOpen) draw.Left -= 2;
  if (farOpen) draw.Right += 2;
  if (AState == 3)
    ++draw.Bottom;
  else
    --clip.Bottom;
  if (AVertical) {
    TcxBitmap32 bitmap(base.Width(), base.Height(), true);
    dxUxTheme::DrawThemeBackground(ATheme, bitmap.Canvas()->Handle(), 1, AState, draw, &clip);
    bitmap.Rotate(raPlus90);
    cxAlphaBlend(ACanvas->Handle(), &bitmap, R, bitmap.ClientRect(), false, 255);
  } else {
    dxUxTheme::DrawThemeBackground(ATheme, ACanvas->Handle(), 1, AState, draw, &clip);
  }
  TRect text = R;
  if (AState == 3) text = AVertical ? cxRectOffset(text, -2, 0) : cxRectOffset(text, 0, -2);
  DrawContent(ACanvas, ATheme, 1, AState, R, text, taCenter, vaCenter, false, false, AShowPrefix, AText,
              AFont, ATextColor, ABkColor);
}

void TcxWinXPLookAndFeelPainter::DrawTab(TcxCanvas* ACanvas, const TRect& R, const TcxBorders& ABorders,
                                         const String& AText, TcxButtonState AState, bool AVertical,
                                         TFont* AFont, TColor ATextColor, TColor ABkColor, bool AShowPrefix) {
  if (const HTHEME theme = OpenTheme(totTab))
    DrawThemedTab(ACanvas, R, ABorders, AText, theme, kNativeTabStates[AState], AVertical, AFont, ATextColor,
                  ABkColor, AShowPrefix);
  else
    inherited::DrawTab(ACanvas, R, ABorders, AText, AState, AVertical, AFont, ATextColor, ABkColor,
                       AShowPrefix);
}

void TcxWinXPLookAndFeelPainter::DrawTabBorder(TcxCanvas* ACanvas, const TRect& R, TcxBorder ABorder,
                                               const TcxBorders& ABorders, bool AVertical) {
  if (!OpenTheme(totTab)) inherited::DrawTabBorder(ACanvas, R, ABorder, ABorders, AVertical);
}

void TcxWinXPLookAndFeelPainter::DrawTabsRoot(TcxCanvas* ACanvas, const TRect& R, const TcxBorders& ABorders,
                                              bool AVertical) {
  const HTHEME theme = OpenTheme(totTab);
  if (!theme) {
    inherited::DrawTabsRoot(ACanvas, R, ABorders, AVertical);
    return;
  }
  TRect insets;
  if (!NativeContentInsets(theme, 9, 0, insets)) insets = TRect{};
  TRect draw = R;
  if (AVertical) {
    draw.Bottom += insets.Bottom;
    draw.Right += 10;
  } else {
    draw.Right += insets.Right;
    draw.Bottom += 10;
  }
  dxUxTheme::DrawThemeBackground(theme, ACanvas->Handle(), 9, 0, draw, &R);
}

void TcxWinXPLookAndFeelPainter::DrawGroupBoxFrame(TcxCanvas* ACanvas, const TRect& R, bool AEnabled,
                                                   TcxGroupBoxCaptionPosition ACaptionPosition,
                                                   const TcxBorders& ABorders) {
  if (const HTHEME theme = OpenTheme(totButton))
    dxUxTheme::DrawThemeBackground(theme, ACanvas->Handle(), 4, kNativeGroupBoxStates[AEnabled], R);
  else
    inherited::DrawGroupBoxFrame(ACanvas, R, AEnabled, ACaptionPosition, ABorders);
}

void TcxWinXPLookAndFeelPainter::DrawScaledSplitter(TcxCanvas* ACanvas, const TRect& ARect, bool AHighlighted,
                                                    bool AClicked, bool AHorizontal,
                                                    TdxScaleFactor* AScaleFactor, bool AHasCloseMark,
                                                    TcxArrowDirection AArrowDirection) {
  if (AHasCloseMark)
    DrawSplitterCloseMark(ACanvas, ARect, AArrowDirection, AScaleFactor, AHorizontal, AClicked, AHighlighted);
}

}  // namespace qd
