#include "ui/lookandfeel/cxLookAndFeelPainters.h"

#include "platform/base/exceptions.h"
#include "platform/base/resources.h"
#include "platform/base/strings.h"
#include "platform/classes/streams.h"
#include "platform/forms/imglist.h"
#include "ui/core/cxLibraryStrs.h"
#include "ui/core/dxCore.h"
#include "ui/graphics/dxGDIPlusImage.h"
#include "ui/lookandfeel/dxSkinDetails.h"

namespace qd {

QD_IMPLEMENT_CLASS(TcxCustomLookAndFeelPainter)

namespace {

TImageList* gIndicatorImages = nullptr;

constexpr const char* kIndicatorBitmapNames[] = {
    "CX_ARROWBITMAP",      "CX_EDITBITMAP",   "CX_INSERTBITMAP",      "CX_MULTIDOTBITMAP",
    "CX_MULTIARROWBITMAP", "CX_FILTERBITMAP", "CX_INPLACEEDITBITMAP", "CX_SORTBYSUMMARYVALUE"};

std::unique_ptr<TBitmap> LoadIndicatorBitmap(const char* AName) {
  TResourceStream stream(Utf8ToString(AName), RT_BITMAP);
  auto bitmap = std::make_unique<TBitmap>();
  bitmap->LoadFromStream(&stream);
  return bitmap;
}

}  // namespace

TCustomImageList* cxIndicatorImages() {
  if (!gIndicatorImages) {
    std::vector<std::unique_ptr<TBitmap>> bitmaps;
    for (const char* name : kIndicatorBitmapNames) bitmaps.push_back(LoadIndicatorBitmap(name));
    auto list = std::make_unique<TImageList>(bitmaps.front()->Width(), bitmaps.front()->Height());
    for (const auto& bitmap : bitmaps) list->AddMasked(bitmap.get(), clWhite);
    gIndicatorImages = list.release();
  }
  return gIndicatorImages;
}

void cxFreeIndicatorImages() {
  delete gIndicatorImages;
  gIndicatorImages = nullptr;
}

TcxCustomLookAndFeelPainter::TcxCustomLookAndFeelPainter() = default;

TcxCustomLookAndFeelPainter::~TcxCustomLookAndFeelPainter() {
  TcxCustomLookAndFeelPainter::ReleaseImageResources();
}

// --- Identity, details and shared operations ------------------------------------------------

TObject* TcxCustomLookAndFeelPainter::CreateLookAndFeelPainterDetails() {
  auto details = std::make_unique<TdxSkinDetails>();
  const String name = LookAndFeelName();
  details->SetName(name);
  details->SetDisplayName(name);
  details->SetGroupName(cxGetResourceString(scxBuiltInLookAndFeelStyles));
  const String prefix = u"CX_LOOKANDFEELSTYLEICON_" + UpperCase(name);
  for (const auto& [size, suffix] : {std::pair{sis16, u"16"}, std::pair{sis48, u"48"}}) {
    const String resName = prefix + suffix;
    if (EmbeddedResourceExists("PNG", StringToUtf8(resName)))
      details->GetIcon(size)->LoadFromResource(nullptr, resName, u"PNG");
    else
      details->ResetIcon(size);
  }
  return details.release();
}

TObject* TcxCustomLookAndFeelPainter::GetLookAndFeelPainterDetails() {
  if (!FLookAndFeelPainterDetailsCache)
    FLookAndFeelPainterDetailsCache.reset(CreateLookAndFeelPainterDetails());
  return FLookAndFeelPainterDetailsCache.get();
}

bool TcxCustomLookAndFeelPainter::GetPainterDetails(TdxSkinDetails*& ADetails) {
  auto* details = dynamic_cast<TdxSkinDetails*>(GetLookAndFeelPainterDetails());
  if (!details) return false;
  ADetails = details;
  return true;
}

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
