#include "ui/lookandfeel/cxLookAndFeelPainters.h"

#include "platform/base/exceptions.h"
#include "ui/graphics/dxGDIPlusImage.h"

namespace qd {

QD_IMPLEMENT_CLASS(TcxCustomLookAndFeelPainter)

TcxCustomLookAndFeelPainter::TcxCustomLookAndFeelPainter() = default;

TcxCustomLookAndFeelPainter::~TcxCustomLookAndFeelPainter() {
  TcxCustomLookAndFeelPainter::ReleaseImageResources();
}

// --- Identity, details and shared operations ------------------------------------------------

void TcxCustomLookAndFeelPainter::DrawBackground(TcxCanvas* ACanvas, const TRect& ARect, bool ATransparent,
                                                 TColor ABackgroundColor, TBitmap* ABackgroundBitmap) {
  if (!ATransparent)
    ACanvas->FillRect(ARect, ABackgroundColor);
  else if (ABackgroundBitmap)
    ACanvas->FillRect(ARect, ABackgroundBitmap);
}

void TcxCustomLookAndFeelPainter::ReleaseImageResources() {
  FLookAndFeelPainterDetailsCache.reset();
  FSmartTagGlyph.reset();
  FClockFace.reset();
  FClockGlass.reset();
  FNavigationBarCustomizationButton.reset();
  FBackButton.reset();
  FMapPushpin.reset();
  FRatingControlIndicator.reset();
  FFixedGroupIndicator.reset();
  FSearchButtonGlyph.reset();
  FCalendarButtonGlyph.reset();
}

bool TcxCustomLookAndFeelPainter::GetPainterData(TObject*&) {
  return false;
}

bool TcxCustomLookAndFeelPainter::IsInternalPainter() {
  return false;
}

String TcxCustomLookAndFeelPainter::LookAndFeelName() {
  return {};
}

TcxLookAndFeelStyle TcxCustomLookAndFeelPainter::LookAndFeelStyle() {
  return lfsStandard;
}

bool TcxCustomLookAndFeelPainter::NeedRedrawOnResize() {
  return false;
}

// --- Operations without a base implementation --------------------------------------------------

void TcxCustomLookAndFeelPainter::DrawScaledExpandButton(TcxCanvas*, const TRect&, bool, TdxScaleFactor*,
                                                         TColor, TcxButtonState) {
  RaiseAbstractError();
}

int32_t TcxCustomLookAndFeelPainter::ScaledExpandButtonSize(TdxScaleFactor*) {
  RaiseAbstractError();
}

void TcxCustomLookAndFeelPainter::DrawScaledSortingMark(TcxCanvas*, const TRect&, bool, TdxScaleFactor*) {
  RaiseAbstractError();
}

void TcxCustomLookAndFeelPainter::DrawScaledSummarySortingMark(TcxCanvas*, const TRect&, bool,
                                                               TdxScaleFactor*) {
  RaiseAbstractError();
}

TPoint TcxCustomLookAndFeelPainter::ScaledSortingMarkSize(TdxScaleFactor*) {
  RaiseAbstractError();
}

TPoint TcxCustomLookAndFeelPainter::ScaledSummarySortingMarkSize(TdxScaleFactor*) {
  RaiseAbstractError();
}

void TcxCustomLookAndFeelPainter::DrawScaledFilterDropDownButton(TcxCanvas*, const TRect&, TcxButtonState,
                                                                 bool, TdxScaleFactor*) {
  RaiseAbstractError();
}

// --- Lazy glyphs ---------------------------------------------------------------------------------

TdxSmartImage* TcxCustomLookAndFeelPainter::GetGlyph(std::unique_ptr<TdxSmartImage>& AField,
                                                     const Char* AResName, const Char* AResType) {
  if (!AField) {
    // Stored before loading, as the image is owned by the field whatever the load does.
    AField = std::make_unique<TdxSmartImage>();
    AField->LoadFromResource(nullptr, AResName, AResType);
  }
  return AField.get();
}

TdxSmartImage* TcxCustomLookAndFeelPainter::GetBackButton() {
  return GetGlyph(FBackButton, u"CX_BACKBUTTON", u"PNG");
}

TdxSmartImage* TcxCustomLookAndFeelPainter::GetClockFace() {
  return GetGlyph(FClockFace, u"CX_CLOCKFACE", u"PNG");
}

TdxSmartImage* TcxCustomLookAndFeelPainter::GetClockGlass() {
  return GetGlyph(FClockGlass, u"CX_CLOCKGLASS", u"PNG");
}

TdxSmartImage* TcxCustomLookAndFeelPainter::GetFixedGroupIndicator() {
  return GetGlyph(FFixedGroupIndicator, u"CX_FIXEDGROUPINDICATOR", u"PNG");
}

TdxSmartImage* TcxCustomLookAndFeelPainter::GetMapPushpin() {
  return GetGlyph(FMapPushpin, u"DX_MAPPUSHPIN", u"PNG");
}

TdxSmartImage* TcxCustomLookAndFeelPainter::GetNavigationBarCustomizationButton() {
  return GetGlyph(FNavigationBarCustomizationButton, u"DX_NAVIGATIONBARCUSTOMIZATIONBUTTON", u"PNG");
}

TdxSmartImage* TcxCustomLookAndFeelPainter::GetRatingControlIndicator() {
  return GetGlyph(FRatingControlIndicator, u"CX_RATINGCONTROLINDICATOR", u"PNG");
}

TdxSmartImage* TcxCustomLookAndFeelPainter::GetSearchButtonGlyph() {
  return GetGlyph(FSearchButtonGlyph, u"DX_SEARCHBUTTONGLYPH", u"PNG");
}

TdxSmartImage* TcxCustomLookAndFeelPainter::GetSmartTagGlyph() {
  return GetGlyph(FSmartTagGlyph, u"CX_SMARTTAG", u"SVG");
}

}  // namespace qd
