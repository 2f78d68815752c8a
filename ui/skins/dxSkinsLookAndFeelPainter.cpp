// The skin painter's life cycle, its helpers and the operations the editors call most: push
// buttons, check and radio buttons, scroll bars, progress bars, label lines, editor borders and
// buttons, headers and navigator glyphs.
#include "ui/skins/dxSkinsLookAndFeelPainter.h"

#include <algorithm>

#include "platform/classes/streams.h"
#include "ui/core/cxGeometry.h"
#include "ui/core/dxDPIAwareUtils.h"
#include "ui/graphics/cxGraphicsBitmap.h"
#include "ui/graphics/cxGraphicsBlend.h"
#include "ui/graphics/cxGraphicsColors.h"
#include "ui/lookandfeel/dxSkinDetails.h"
#include "ui/skins/dxSkinsLookAndFeelPainterUtils.h"

namespace qd {

QD_IMPLEMENT_CLASS(TdxSkinLookAndFeelPainter)

void dxSkinElementMakeDisable(TcxBitmap32* ABitmap) {
  TRGBColors colors;
  ABitmap->GetBitmapColors(colors);
  for (RGBQUAD& q : colors) {
    const auto grey = static_cast<uint8_t>((2 * q.rgbReserved + q.rgbBlue + q.rgbGreen + q.rgbRed) / 5);
    q.rgbBlue = grey;
    q.rgbGreen = grey;
    q.rgbRed = grey;
  }
  ABitmap->SetBitmapColors(colors);
}

TdxSkinLookAndFeelPainter::TdxSkinLookAndFeelPainter(const String& ASkinResName, HINSTANCE ASkinResInstance)
    : FSkinResInstance(ASkinResInstance), FSkinResName(ASkinResName) {}

TdxSkinLookAndFeelPainter::~TdxSkinLookAndFeelPainter() = default;

// --- Life cycle and identity ---------------------------------------------------------------------

TClass TdxSkinLookAndFeelPainter::GetSkinInfoClass() {
  return TdxSkinLookAndFeelPainterInfo::StaticClass();
}

TdxSkinLookAndFeelPainterInfo* TdxSkinLookAndFeelPainter::GetSkinInfo() {
  if (FSkinInfo) return FSkinInfo.get();
  std::unique_ptr<TObject> created(GetSkinInfoClass()->Create());
  auto* info = dynamic_cast<TdxSkinLookAndFeelPainterInfo*>(created.get());
  if (!info) throw EInvalidCast(u"Invalid class typecast");
  created.release();
  // Stored before the load, so that a load that fails is not tried again.
  FSkinInfo.reset(info);
  if (!FSkinResName.empty()) {
    auto skin = std::make_unique<TdxSkin>(FSkinResName, true, FSkinResInstance);
    FSkinInfo->SetSkin(skin.release());
    // From now on the details are the loaded skin's.
    TcxCustomLookAndFeelPainter::ReleaseImageResources();
  }
  return FSkinInfo.get();
}

TcxLookAndFeelStyle TdxSkinLookAndFeelPainter::LookAndFeelStyle() {
  return lfsSkin;
}

String TdxSkinLookAndFeelPainter::LookAndFeelName() {
  TdxSkin* skin = GetSkinInfo()->Skin();
  return skin ? skin->Name() : String();
}

TObject* TdxSkinLookAndFeelPainter::CreateLookAndFeelPainterDetails() {
  if (FSkinResName.empty()) return nullptr;
  TResourceStream stream(FSkinResInstance, FSkinResName, u"DXSKINS");
  auto details = std::make_unique<TdxSkinDetails>();
  details->LoadFromStream(&stream);
  return details.release();
}

TObject* TdxSkinLookAndFeelPainter::GetLookAndFeelPainterDetails() {
  if (FSkinInfo && FSkinInfo->Skin()) return FSkinInfo->Skin()->Details();
  return inherited::GetLookAndFeelPainterDetails();
}

TdxSkinDetails* TdxSkinLookAndFeelPainter::GetSkinDetails() {
  return dynamic_cast<TdxSkinDetails*>(GetLookAndFeelPainterDetails());
}

bool TdxSkinLookAndFeelPainter::GetPainterData(TObject*& AData) {
  AData = GetSkinInfo();
  return true;
}

bool TdxSkinLookAndFeelPainter::GetPainterDetails(TdxSkinDetails*& ADetails) {
  ADetails = GetSkinDetails();
  return ADetails != nullptr;
}

// --- Helpers ---------------------------------------------------------------------------------------

bool TdxSkinLookAndFeelPainter::DrawSkinElement(TdxSkinElement* AElement, TcxCanvas* ACanvas, const TRect& R,
                                                int32_t AImageIndex, TdxSkinElementState AState) {
  return DrawSkinElement(AElement, ACanvas, R, AImageIndex, AState, dxSystemScaleFactor());
}

bool TdxSkinLookAndFeelPainter::DrawSkinElement(TdxSkinElement* AElement, TcxCanvas* ACanvas, const TRect& R,
                                                int32_t AImageIndex, TdxSkinElementState AState,
                                                TdxScaleFactor* AScaleFactor) {
  if (!AElement) return false;
  AElement->Draw(ACanvas->Handle(), R, AScaleFactor, AImageIndex, AState);
  return true;
}

bool TdxSkinLookAndFeelPainter::DrawRightToLeftDependentSkinElement(TdxSkinElement* AElement,
                                                                    TcxCanvas* ACanvas, const TRect& R,
                                                                    int32_t AImageIndex,
                                                                    TdxSkinElementState AState,
                                                                    TdxScaleFactor* AScaleFactor) {
  if (!AElement) return false;
  if (ACanvas->UseRightToLeftAlignment())
    AElement->DrawRTL(ACanvas->Handle(), R, AScaleFactor, AImageIndex, AState);
  else
    AElement->Draw(ACanvas->Handle(), R, AScaleFactor, AImageIndex, AState);
  return true;
}

void TdxSkinLookAndFeelPainter::DrawSkinElementRotated(TcxCanvas* ACanvas, TdxSkinElement* AElement,
                                                       TdxScaleFactor* AScaleFactor, bool AFlipVertically,
                                                       TcxRotationAngle ARotationAngle,
                                                       TdxSkinElementState AState, const TRect& R) {
  TdxScaleFactor* scale = AScaleFactor ? AScaleFactor : dxSystemScaleFactor();
  if (ARotationAngle == ra0 && !AFlipVertically) {
    DrawSkinElement(AElement, ACanvas, R, 0, AState, scale);
    return;
  }
  if (cxRectIsEmpty(R)) return;
  static constexpr TcxRotationAngle kInverse[] = {ra0, raMinus90, raPlus90, ra180};
  TcxBitmap32 bitmap(cxRectWidth(R), cxRectHeight(R));
  bitmap.cxCanvas()->Brush()->Assign(ACanvas->Brush());
  cxBitBlt(bitmap.Canvas()->Handle(), ACanvas->Handle(), TRect{0, 0, bitmap.Width(), bitmap.Height()},
           R.TopLeft(), SRCCOPY);
  if (AFlipVertically) bitmap.Flip(false, true);
  bitmap.Rotate(kInverse[ARotationAngle]);
  if (AElement)
    AElement->Draw(bitmap.Canvas()->Handle(), TRect{0, 0, bitmap.Width(), bitmap.Height()}, scale, 0, AState);
  bitmap.Rotate(ARotationAngle);
  if (AFlipVertically) bitmap.Flip(false, true);
  cxBitBlt(ACanvas->Handle(), bitmap.Canvas()->Handle(), R, TPoint{0, 0}, SRCCOPY);
}

void TdxSkinLookAndFeelPainter::DrawSkinElementOnBorders(TdxSkinElement* AElement, TcxCanvas* ACanvas,
                                                         const TRect& R, const TcxBorders& ABorders,
                                                         const TRect& AMargins, int32_t AImageIndex,
                                                         TdxSkinElementState AState) {
  TRect r = R;
  if (!ABorders.Contains(bLeft)) r.Left -= AMargins.Left;
  if (!ABorders.Contains(bTop)) r.Top -= AMargins.Top;
  if (!ABorders.Contains(bRight)) r.Right += AMargins.Right;
  if (!ABorders.Contains(bBottom)) r.Bottom += AMargins.Bottom;
  SkinPainterClipScope clip(ACanvas, R);
  DrawSkinElement(AElement, ACanvas, r, AImageIndex, AState);
}

TRect TdxSkinLookAndFeelPainter::ContentOffsets(TdxSkinElement* AElement) {
  return AElement ? AElement->ContentOffset()->Rect() : TRect{};
}

TSize TdxSkinLookAndFeelPainter::MinSize(TdxSkinElement* AElement) {
  return AElement ? AElement->MinSize()->Size() : TSize{};
}

TRect TdxSkinLookAndFeelPainter::GetSkinElementBordersWidth(TdxSkinElement* AElement) {
  TRect r = ContentOffsets(AElement);
  if (!AElement) return r;
  TdxSkinBorders* borders = AElement->Borders();
  r.Left += borders->Left()->Thin();
  r.Top += borders->Top()->Thin();
  r.Right += borders->Right()->Thin();
  r.Bottom += borders->Bottom()->Thin();
  return r;
}

IdxColorPalettePtr TdxSkinLookAndFeelPainter::GetSkinElementColorPalette(TdxSkinElement* AElement,
                                                                         TdxSkinElementState AState) {
  if (!AElement) return nullptr;
  IdxColorPalette* palette = AElement->GetGlyphColorPalette(AState);
  // The skin owns its palettes; the pointer lives as long as the skin.
  return palette ? IdxColorPalettePtr(palette, [](IdxColorPalette*) {}) : nullptr;
}

TSize TdxSkinLookAndFeelPainter::GetSkinElementMinSize(TdxSkinElement* AElement) {
  if (!AElement) return TSize{};
  const TSize a = AElement->Size();
  const TSize b = MinSize(AElement);
  return TSize{std::max(a.cx, b.cx), std::max(a.cy, b.cy)};
}

bool TdxSkinLookAndFeelPainter::IsColorPropertyAssigned(TdxSkinColor* AColor) {
  return AColor && cxColorIsValid(AColor->Value());
}

bool TdxSkinLookAndFeelPainter::IsSkinElementColorAssigned(TdxSkinElement* AElement) {
  return AElement && cxColorIsValid(AElement->Color());
}

bool TdxSkinLookAndFeelPainter::IsSkinElementTextColorAssigned(TdxSkinElement* AElement) {
  return AElement && cxColorIsValid(AElement->TextColor());
}

bool TdxSkinLookAndFeelPainter::IsFontBold(TdxSkinPersistent* AObject) {
  auto* p = dynamic_cast<TdxSkinBooleanProperty*>(SkinPainterProperty(AObject, u"FontBold"));
  return p && p->Value();
}

TcxButtonState TdxSkinLookAndFeelPainter::GalleryStateToButtonState(
    const TdxGalleryItemViewState& AViewState) {
  if (!AViewState.Enabled) return cxbsDisabled;
  if (AViewState.Pressed) return cxbsPressed;
  if (AViewState.Hover || AViewState.Focused) return cxbsHot;
  return cxbsNormal;
}

TColor TdxSkinLookAndFeelPainter::SkinColorOr(TdxSkinColor* AColor, TColor AFallback) {
  return IsColorPropertyAssigned(AColor) ? AColor->Value() : AFallback;
}

// --- Push buttons ------------------------------------------------------------------------------------

TdxSkinElement* TdxSkinLookAndFeelPainter::ButtonElementByPart(TcxButtonPart APart) {
  TdxSkinLookAndFeelPainterInfo* info = GetSkinInfo();
  switch (APart) {
    case cxbpDropDownLeftPart:
      return info->DropDownButtonLeft;
    case cxbpDropDownRightPart:
      return info->DropDownButtonRight;
    default:
      return info->ButtonElements;
  }
}

void TdxSkinLookAndFeelPainter::DrawScaledButton(TcxCanvas* ACanvas, const TRect& R, const String& ACaption,
                                                 TcxButtonState AState, TdxScaleFactor* AScaleFactor,
                                                 bool ADrawBorder, TColor AColor, TColor ATextColor,
                                                 bool AWordWrap, bool AIsToolButton, TcxButtonPart APart) {
  TdxSkinElement* element = ButtonElementByPart(APart);
  if (!element) {
    inherited::DrawScaledButton(ACanvas, R, ACaption, AState, AScaleFactor, ADrawBorder, AColor, ATextColor,
                                AWordWrap, AIsToolButton, APart);
    return;
  }
  const TdxSkinElementState state = ButtonStateToSkinState[AState];
  if (APart == cxbpButton)
    DrawSkinElement(element, ACanvas, R, 0, state, AScaleFactor);
  else
    DrawRightToLeftDependentSkinElement(element, ACanvas, R, 0, state, AScaleFactor);
  if (ACaption.empty()) return;

  TRect text = cxRectContent(R, ContentOffsets(element));
  if (cxRectHeight(text) % 2 != 0) --text.Bottom;
  if (cxRectHeight(text) < 18) --text.Top;
  if (AState == cxbsPressed) {
    const int32_t shift = ScaledButtonTextShift(AScaleFactor);
    text = cxRectOffset(text, shift, shift);
  }
  ACanvas->Brush()->SetStyle(bsClear);
  ACanvas->Font()->SetColor(ATextColor == clDefault ? ButtonSymbolColor(AState) : ATextColor);
  ACanvas->DrawTexT(ACaption, text,
                    cxAlignHCenter | cxAlignVCenter | cxShowPrefix | (AWordWrap ? cxWordBreak : cxSingleLine),
                    AState != cxbsDisabled);
  ACanvas->Brush()->SetStyle(bsSolid);
}

int32_t TdxSkinLookAndFeelPainter::ButtonBorderSize(TcxButtonState AState) {
  // The element's image carries the border.
  return GetSkinInfo()->ButtonElements ? 0 : inherited::ButtonBorderSize(AState);
}

TColor TdxSkinLookAndFeelPainter::ButtonSymbolColor(TcxButtonState AState, TColor ADefaultColor) {
  TdxSkinLookAndFeelPainterInfo* info = GetSkinInfo();
  if (!info->ButtonElements) return inherited::ButtonSymbolColor(AState, ADefaultColor);
  if (AState == cxbsDisabled && info->ButtonDisabled) return info->ButtonDisabled->Value();
  return info->ButtonElements->GetTextColor(AState);
}

IdxColorPalettePtr TdxSkinLookAndFeelPainter::ButtonColorPalette(TcxButtonState AState) {
  TdxSkinElement* button = GetSkinInfo()->ButtonElements;
  if (!button) return inherited::ButtonColorPalette(AState);
  return GetSkinElementColorPalette(button, ButtonStateToSkinState[AState]);
}

// --- Check boxes and radio buttons ----------------------------------------------------------------

void TdxSkinLookAndFeelPainter::DrawScaledCheckButton(TcxCanvas* ACanvas, const TRect& R,
                                                      TcxButtonState AState, TcxCheckBoxState ACheckState,
                                                      TdxScaleFactor* AScaleFactor) {
  if (!DrawSkinElement(GetSkinInfo()->CheckboxElement, ACanvas, R, ImageIndexMap[ACheckState],
                       ButtonStateToSkinState[AState], AScaleFactor))
    inherited::DrawScaledCheckButton(ACanvas, R, AState, ACheckState, AScaleFactor);
}

TSize TdxSkinLookAndFeelPainter::ScaledCheckButtonSize(TdxScaleFactor* AScaleFactor) {
  TdxSkinElement* check = GetSkinInfo()->CheckboxElement;
  if (!check) return inherited::ScaledCheckButtonSize(AScaleFactor);
  return AScaleFactor->Apply(check->Size());
}

void TdxSkinLookAndFeelPainter::DrawScaledRadioButton(TcxCanvas* ACanvas, int32_t X, int32_t Y,
                                                      TcxButtonState AButtonState, bool AChecked,
                                                      bool AFocused, TColor ABrushColor,
                                                      TdxScaleFactor* AScaleFactor, bool AIsDesigning) {
  TdxSkinElement* radio = GetSkinInfo()->RadioGroupButton;
  if (!radio) {
    inherited::DrawScaledRadioButton(ACanvas, X, Y, AButtonState, AChecked, AFocused, ABrushColor,
                                     AScaleFactor, AIsDesigning);
    return;
  }
  const TRect r = cxRectBounds(X, Y, ScaledRadioButtonSize(AScaleFactor));
  if (ABrushColor != clDefault) ACanvas->FillRect(r, ABrushColor);
  DrawSkinElement(radio, ACanvas, r, AChecked ? 1 : 0, ButtonStateToSkinState[AButtonState], AScaleFactor);
}

TSize TdxSkinLookAndFeelPainter::ScaledRadioButtonSize(TdxScaleFactor* AScaleFactor) {
  TdxSkinElement* radio = GetSkinInfo()->RadioGroupButton;
  if (!radio) return inherited::ScaledRadioButtonSize(AScaleFactor);
  return AScaleFactor->Apply(radio->Size());
}

// --- Scroll bars -------------------------------------------------------------------------------------

void TdxSkinLookAndFeelPainter::DrawScaledScrollBarPart(TcxCanvas* ACanvas, bool AHorizontal, const TRect& R,
                                                        TcxScrollBarPart APart, TcxButtonState AState,
                                                        TdxScaleFactor* AScaleFactor) {
  TdxSkinScrollInfo* cell = GetSkinInfo()->ScrollBar_Elements[AHorizontal][APart].get();
  if (!cell || !cell->Element()) {
    inherited::DrawScaledScrollBarPart(ACanvas, AHorizontal, R, APart, AState, AScaleFactor);
    return;
  }
  // The background shows through normal page areas.
  if ((APart == sbpPageUp || APart == sbpPageDown) && AState == cxbsNormal) return;
  DrawRightToLeftDependentSkinElement(cell->Element(), ACanvas, R, cell->ImageIndex(),
                                      ButtonStateToSkinState[AState], AScaleFactor);
}

void TdxSkinLookAndFeelPainter::DrawScaledScrollBarBackground(TcxCanvas* ACanvas, const TRect& R,
                                                              bool AHorizontal,
                                                              TdxScaleFactor* AScaleFactor) {
  TdxSkinScrollInfo* cell = GetSkinInfo()->ScrollBar_Elements[AHorizontal][sbpPageUp].get();
  TdxSkinElement* element = cell ? cell->Element() : nullptr;
  if (!element) {
    inherited::DrawScaledScrollBarBackground(ACanvas, R, AHorizontal, AScaleFactor);
    return;
  }
  GetSkinInfo()->SetUseCache(element);
  DrawRightToLeftDependentSkinElement(element, ACanvas, R, 0, esNormal, AScaleFactor);
}

int32_t TdxSkinLookAndFeelPainter::ScaledScrollBarMinimalThumbSize(bool AVertical,
                                                                   TdxScaleFactor* AScaleFactor) {
  TdxSkinScrollInfo* cell = GetSkinInfo()->ScrollBar_Elements[!AVertical][sbpThumbnail].get();
  if (!cell || !cell->Element()) return inherited::ScaledScrollBarMinimalThumbSize(AVertical, AScaleFactor);
  const TSize size = GetSkinElementMinSize(cell->Element());
  return AScaleFactor->Apply(AVertical ? size.cy : size.cx);
}

void TdxSkinLookAndFeelPainter::DrawScaledScrollBarSplitter(TcxCanvas* ACanvas, const TRect& R,
                                                            TcxButtonState AState,
                                                            TdxScaleFactor* AScaleFactor) {
  TdxSkinElement* splitter = GetSkinInfo()->Splitter[0];
  if (!splitter) {
    inherited::DrawScaledScrollBarSplitter(ACanvas, R, AState, AScaleFactor);
    return;
  }
  splitter->Glyph()->Draw(ACanvas->Handle(), R, AScaleFactor, 0, esNormal);
}

// --- Progress bars, label lines and separators ----------------------------------------------------

void TdxSkinLookAndFeelPainter::DrawProgressBarBorder(TcxCanvas* ACanvas, const TRect& ARect,
                                                      bool AVertical) {
  if (!DrawSkinElement(GetSkinInfo()->ProgressBarElements[AVertical ? 1 : 0], ACanvas, ARect, 0, esNormal))
    inherited::DrawProgressBarBorder(ACanvas, ARect, AVertical);
}

void TdxSkinLookAndFeelPainter::DrawProgressBarChunk(TcxCanvas* ACanvas, const TRect& ARect, bool AVertical) {
  if (!DrawSkinElement(GetSkinInfo()->ProgressBarElements[AVertical ? 3 : 2], ACanvas, ARect, 0, esNormal))
    inherited::DrawProgressBarChunk(ACanvas, ARect, AVertical);
}

TRect TdxSkinLookAndFeelPainter::ProgressBarBorderSize(bool AVertical) {
  TdxSkinElement* border = GetSkinInfo()->ProgressBarElements[AVertical ? 1 : 0];
  return border ? ContentOffsets(border) : inherited::ProgressBarBorderSize(AVertical);
}

TColor TdxSkinLookAndFeelPainter::ProgressBarTextColorEx(bool AIsFilledArea) {
  TdxSkinColor* color = GetSkinInfo()->ProgressBarTextColors[AIsFilledArea ? 1 : 0];
  return IsColorPropertyAssigned(color) ? color->Value() : inherited::ProgressBarTextColorEx(AIsFilledArea);
}

void TdxSkinLookAndFeelPainter::DrawLabelLine(TcxCanvas* ACanvas, const TRect& R, TColor AOuterColor,
                                              TColor AInnerColor, bool AIsVertical) {
  if (!DrawSkinElement(GetSkinInfo()->LabelLine[AIsVertical ? 1 : 0], ACanvas, R, 0, esNormal))
    inherited::DrawLabelLine(ACanvas, R, AOuterColor, AInnerColor, AIsVertical);
}

int32_t TdxSkinLookAndFeelPainter::LabelLineHeight() {
  TdxSkinElement* line = GetSkinInfo()->LabelLine[0];
  return line ? MinSize(line).cy : inherited::LabelLineHeight();
}

void TdxSkinLookAndFeelPainter::DoDrawSeparator(TcxCanvas* ACanvas, const TRect& R, bool AIsVertical) {
  DrawLabelLine(ACanvas, R, clDefault, clDefault, AIsVertical);
}

int32_t TdxSkinLookAndFeelPainter::SeparatorSize() {
  return LabelLineHeight();
}

// --- Editor borders and container frames -------------------------------------------------------------

void TdxSkinLookAndFeelPainter::DrawBorder(TcxCanvas* ACanvas, const TRect& R) {
  // A border colour of clDefault or clNone would frame in whatever the canvas holds.
  TdxSkinColor* color = GetSkinInfo()->ContainerBorderColor;
  if (IsColorPropertyAssigned(color))
    ACanvas->FrameRect(R, color->Value());
  else
    inherited::DrawBorder(ACanvas, R);
}

TColor TdxSkinLookAndFeelPainter::GetContainerBorderColor(bool AIsHighlightBorder) {
  TdxSkinLookAndFeelPainterInfo* info = GetSkinInfo();
  TdxSkinColor* color = AIsHighlightBorder ? info->ContainerHighlightBorderColor : info->ContainerBorderColor;
  return color ? color->Value() : inherited::GetContainerBorderColor(AIsHighlightBorder);
}

int32_t TdxSkinLookAndFeelPainter::GetContainerBorderWidth(TcxContainerBorderStyle ABorderStyle) {
  switch (ABorderStyle) {
    case cbsNone:
      return inherited::GetContainerBorderWidth(ABorderStyle);
    case cbsThick:
      return 2;
    default:
      return 1;
  }
}

void TdxSkinLookAndFeelPainter::DrawContainerBorder(TcxCanvas* ACanvas, const TRect& R,
                                                    TcxContainerBorderStyle AStyle, int32_t AWidth,
                                                    TColor AColor, const TcxBorders& /*ABorders*/) {
  inherited::DrawContainerBorder(ACanvas, R, AStyle, AWidth, AColor, cxBordersAll);
}

void TdxSkinLookAndFeelPainter::DrawEditPopupWindowBorder(TcxCanvas* ACanvas, TRect& R,
                                                          TcxEditPopupBorderStyle /*ABorderStyle*/,
                                                          bool /*AClientEdge*/) {
  ACanvas->FrameRect(R, GetContainerBorderColor(false));
  R = cxRectInflate(R, -1);
}

int32_t TdxSkinLookAndFeelPainter::GetEditPopupWindowBorderWidth(TcxEditPopupBorderStyle /*AStyle*/) {
  return 1;
}

int32_t TdxSkinLookAndFeelPainter::GetEditPopupWindowClientEdgeWidth(TcxEditPopupBorderStyle /*AStyle*/) {
  return 2;
}

TColor TdxSkinLookAndFeelPainter::DefaultEditorBackgroundColorEx(TcxEditStateColorKind AKind) {
  TdxSkinColor* color = GetSkinInfo()->EditorBackgroundColors[AKind];
  if (IsColorPropertyAssigned(color)) return color->Value();
  if (AKind == esckInactive || AKind == esckReadOnly) return DefaultEditorBackgroundColorEx(esckNormal);
  return inherited::DefaultEditorBackgroundColorEx(AKind);
}

TColor TdxSkinLookAndFeelPainter::DefaultEditorTextColorEx(TcxEditStateColorKind AKind) {
  TdxSkinColor* color = GetSkinInfo()->EditorTextColors[AKind];
  if (IsColorPropertyAssigned(color)) return color->Value();
  if (AKind == esckInactive || AKind == esckReadOnly) return DefaultEditorTextColorEx(esckNormal);
  return inherited::DefaultEditorTextColorEx(AKind);
}

// --- Editor buttons -------------------------------------------------------------------------------------

TdxSkinElement* TdxSkinLookAndFeelPainter::EditButtonElement(TcxEditBtnKind AButtonKind) {
  return GetSkinInfo()->EditButtonElements[AButtonKind == cxbkCloseBtn ? 1 : 0];
}

void TdxSkinLookAndFeelPainter::EditButtonAdjustRect(TRect& R, TcxEditBtnPosition APosition) {
  if (!GetSkinInfo()->EditButtonMergeBorders) return;
  --R.Top;
  ++R.Bottom;
  if (APosition == cxbpRight)
    ++R.Right;
  else
    --R.Left;
}

TRect TdxSkinLookAndFeelPainter::EditButtonGlyphRect(TdxSkinElement* AButton, const TRect& ARect,
                                                     TcxEditBtnPosition APosition) {
  TRect r = ARect;
  EditButtonAdjustRect(r, APosition);
  const TRect offsets = ContentOffsets(AButton);
  r = cxRectContent(r, offsets);
  if (GetSkinInfo()->EditButtonMergeBorders) {
    if (APosition == cxbpRight)
      r.Right += offsets.Right - 1;
    else
      r.Left -= offsets.Left - 1;
  }
  return r;
}

void TdxSkinLookAndFeelPainter::DrawScaledEditorButton(TcxCanvas* ACanvas, const TRect& ARect,
                                                       TcxEditBtnKind AButtonKind, TcxButtonState AState,
                                                       TdxScaleFactor* AScaleFactor,
                                                       TcxEditBtnPosition APosition) {
  TdxSkinElement* button = EditButtonElement(AButtonKind);
  if (!button) {
    inherited::DrawScaledEditorButton(ACanvas, ARect, AButtonKind, AState, AScaleFactor, APosition);
    return;
  }
  SkinPainterClipScope clip(ACanvas, ARect);
  TRect r = ARect;
  EditButtonAdjustRect(r, APosition);
  GetSkinInfo()->SetUseCache(button);
  DrawSkinElement(button, ACanvas, r, 0, ButtonStateToSkinState[AState], AScaleFactor);
}

void TdxSkinLookAndFeelPainter::DrawScaledEditorButtonGlyph(TcxCanvas* ACanvas, const TRect& ARect,
                                                            TcxEditBtnKind AButtonKind, TcxButtonState AState,
                                                            TdxScaleFactor* AScaleFactor,
                                                            TcxEditBtnPosition APosition) {
  TdxSkinElement* button = EditButtonElement(AButtonKind);
  if (!button) {
    inherited::DrawScaledEditorButtonGlyph(ACanvas, ARect, AButtonKind, AState, AScaleFactor, APosition);
    return;
  }
  SkinPainterClipScope clip(ACanvas, ARect);
  const TRect glyph = EditButtonGlyphRect(button, ARect, APosition);
  if (AButtonKind != cxbkEllipsisBtn) {
    DrawSkinElement(GetSkinInfo()->EditButtonGlyphs[AButtonKind], ACanvas, glyph, 0,
                    ButtonStateToSkinState[AState], AScaleFactor);
    return;
  }
  const int32_t dot = AScaleFactor->Apply(cxRectWidth(glyph) < AScaleFactor->Apply(12) ? 1 : 2);
  const int32_t gap = AScaleFactor->Apply(2);
  TColor color = button->GetTextColor(AState);
  if (AState == cxbsDisabled) {
    TdxSkinColor* disabled = SkinPainterColorProperty(GetSkinInfo()->EditButtonElements[0], u"DisabledText");
    if (disabled && disabled->Value() != clDefault) color = disabled->Value();
  }
  const TRect block = cxRectCenter(glyph, 3 * dot + 2 * gap, dot);
  for (int32_t i = 0; i < 3; ++i)
    ACanvas->FillRect(cxRectBounds(block.Left + i * (dot + gap), block.Top, dot, dot), color);
}

IdxColorPalettePtr TdxSkinLookAndFeelPainter::EditButtonColorPalette(TcxButtonState AState) {
  TdxSkinElement* button = GetSkinInfo()->EditButtonElements[0];
  if (!button) return inherited::EditButtonColorPalette(AState);
  return GetSkinElementColorPalette(button, ButtonStateToSkinState[AState]);
}

TSize TdxSkinLookAndFeelPainter::EditButtonSize() {
  TdxSkinElement* button = GetSkinInfo()->EditButtonElements[0];
  return button ? dxSkinGetElementSize(button, dxDefaultScaleFactor()) : inherited::EditButtonSize();
}

TColor TdxSkinLookAndFeelPainter::EditButtonTextColor() {
  TdxSkinElement* button = GetSkinInfo()->EditButtonElements[0];
  return button ? button->TextColor() : inherited::EditButtonTextColor();
}

int32_t TdxSkinLookAndFeelPainter::EditButtonTextOffset() {
  return 1;
}

// --- Headers ---------------------------------------------------------------------------------------------

void TdxSkinLookAndFeelPainter::DrawContent(TcxCanvas* ACanvas, const TRect& /*ABounds*/,
                                            const TRect& ATextAreaBounds, TcxButtonState /*AState*/,
                                            TAlignment AAlignmentHorz, TcxAlignmentVert AAlignmentVert,
                                            bool AMultiLine, bool AShowEndEllipsis, const String& AText,
                                            TFont* AFont, TColor ATextColor, TColor /*ABkColor*/,
                                            const TcxDrawBackgroundEvent& /*AOnDrawBackground*/,
                                            bool /*AIsFooter*/) {
  if (AText.empty()) return;
  if (AFont) ACanvas->Font()->Assign(AFont);
  ACanvas->Font()->SetColor(ATextColor);
  ACanvas->Brush()->SetStyle(bsClear);
  ACanvas->DrawTexT(AText, ATextAreaBounds,
                    cxAlignmentsHorz[AAlignmentHorz] | cxAlignmentsVert[AAlignmentVert] |
                        (AMultiLine ? cxWordBreak : cxSingleLine) |
                        (AShowEndEllipsis ? cxShowEndEllipsis : 0),
                    true);
  ACanvas->Brush()->SetStyle(bsSolid);
}

void TdxSkinLookAndFeelPainter::DrawScaledHeader(
    TcxCanvas* ACanvas, const TRect& ABounds, const TRect& ATextAreaBounds, const TcxNeighbors& ANeighbors,
    const TcxBorders& ABorders, TcxButtonState AState, TAlignment AAlignmentHorz,
    TcxAlignmentVert AAlignmentVert, bool AMultiLine, bool AShowEndEllipsis, const String& AText,
    TFont* AFont, TColor ATextColor, TColor ABkColor, TdxScaleFactor* AScaleFactor,
    const TcxDrawBackgroundEvent& AOnDrawBackground, bool AIsLast, bool AIsGroup) {
  TdxSkinLookAndFeelPainterInfo* info = GetSkinInfo();
  TdxSkinElement* header = AIsGroup ? info->HeaderSpecial : info->Header;
  if (!header) {
    inherited::DrawScaledHeader(ACanvas, ABounds, ATextAreaBounds, ANeighbors, ABorders, AState,
                                AAlignmentHorz, AAlignmentVert, AMultiLine, AShowEndEllipsis, AText, AFont,
                                ATextColor, ABkColor, AScaleFactor, AOnDrawBackground, AIsLast, AIsGroup);
    return;
  }
  {
    SkinPainterClipScope clip(ACanvas, ABounds);
    info->SetUseCache(header);
    // Neighbouring headers overlap on their shared edge.
    TRect r = ABounds;
    if (!ABorders.Contains(bLeft)) --r.Left;
    if (!ABorders.Contains(bTop)) --r.Top;
    if (!ABorders.Contains(bRight)) ++r.Right;
    if (!ABorders.Contains(bBottom)) ++r.Bottom;
    DrawSkinElement(header, ACanvas, r, 0, ButtonStateToSkinState[AState], AScaleFactor);
  }
  DrawContent(ACanvas, ScaledHeaderContentBounds(ABounds, ABorders, AScaleFactor), ATextAreaBounds, AState,
              AAlignmentHorz, AAlignmentVert, AMultiLine, AShowEndEllipsis, AText, AFont, ATextColor,
              ABkColor);
}

TcxBorders TdxSkinLookAndFeelPainter::HeaderBorders(const TcxNeighbors& ANeighbors) {
  TcxBorders borders = inherited::HeaderBorders(ANeighbors);
  if (ANeighbors.Contains(nLeft)) borders.Exclude(bLeft);
  if (ANeighbors.Contains(nTop)) borders.Exclude(bTop);
  return borders;
}

TRect TdxSkinLookAndFeelPainter::HeaderContentOffsets(TdxScaleFactor* AScaleFactor) {
  TdxSkinElement* header = GetSkinInfo()->Header;
  return header ? AScaleFactor->Apply(ContentOffsets(header)) : inherited::HeaderContentOffsets(AScaleFactor);
}

bool TdxSkinLookAndFeelPainter::HeaderDrawCellsFirst() {
  return false;
}

void TdxSkinLookAndFeelPainter::DrawHeaderPressed(TcxCanvas* /*ACanvas*/, const TRect& /*ABounds*/) {}

// --- Group caption
// -------------------------------------------------------------------------------------------

void TdxSkinLookAndFeelPainter::DrawGroupCaption(TcxCanvas* ACanvas, const TRect& ACaptionRect,
                                                 TdxSkinElementState AState,
                                                 TdxSkinIntegerProperty* ATextPadding,
                                                 TdxSkinElement* AElement, const TRect& ATextRect) {
  DrawSkinElement(AElement, ACanvas, ACaptionRect, 0, AState);
  if (!IsSkinElementColorAssigned(AElement) || cxRectIsEmpty(ATextRect)) return;
  const TRect band = cxRectInflate(ATextRect, ATextPadding ? ATextPadding->Value() : 0);
  SkinPainterClipScope clip(ACanvas, ACaptionRect);
  ACanvas->FillRect(band, AElement->Color());
}

// --- Navigator glyphs
// -------------------------------------------------------------------------------------------

void TdxSkinLookAndFeelPainter::DrawNavigatorScaledButtonGlyph(TcxCanvas* ACanvas,
                                                               TCustomImageList* AImageList,
                                                               int32_t AImageIndex, const TRect& AGlyphRect,
                                                               bool AEnabled, bool AUserGlyphs,
                                                               TdxScaleFactor* AScaleFactor) {
  TdxSkinLookAndFeelPainterInfo* info = GetSkinInfo();
  if (AUserGlyphs || (!info->NavigatorGlyphs && !info->NavigatorGlyphsVert)) {
    inherited::DrawNavigatorScaledButtonGlyph(ACanvas, AImageList, AImageIndex, AGlyphRect, AEnabled,
                                              AUserGlyphs, AScaleFactor);
    return;
  }
  if (cxRectIsEmpty(AGlyphRect)) return;
  TdxSkinElement* element = info->NavigatorGlyphs;
  int32_t index = AImageIndex;
  if (!element) {
    element = info->NavigatorGlyphsVert;
  } else if (index >= element->ImageCount()) {
    index -= element->ImageCount();
    element = info->NavigatorGlyphsVert;
  }
  if (!element || index < 0) return;
  const TRect r = cxRectCenter(AGlyphRect, AScaleFactor->Apply(element->Size()));
  if (element->Image()->States().Contains(esDisabled)) {
    DrawSkinElement(element, ACanvas, r, index, AEnabled ? esNormal : esDisabled, AScaleFactor);
    return;
  }
  const TSize natural = element->Size();
  if (natural.cx <= 0 || natural.cy <= 0) return;
  TcxBitmap32 bitmap(natural.cx, natural.cy, true);
  element->Draw(bitmap.Canvas()->Handle(), cxRect(natural), index, esNormal);
  if (!AEnabled) dxSkinElementMakeDisable(&bitmap);
  cxAlphaBlend(ACanvas->Handle(), &bitmap, r, cxRect(natural), true, 255);
}

}  // namespace qd
