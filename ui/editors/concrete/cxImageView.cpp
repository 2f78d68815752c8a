// The image editor's view data and view info: fit mode, zoom and scroll position of the
// picture, the zoom bar over it, and the content size of in-place images.
#include <algorithm>
#include <cmath>

#include "ui/editors/concrete/cxImage.h"
#include "ui/graphics/cxGraphicsPrint.h"

namespace qd {

QD_IMPLEMENT_CLASS(TcxImageViewInfo)
QD_IMPLEMENT_CLASS(TcxImageViewData)

namespace {

// The picture's size as drawn at the view's scale.
TSize ScaledPictureSize(TPicture* APicture, const TdxScaleFactor* AScaleFactor) {
  if (!APicture || !APicture->Graphic()) return TSize{};
  return dxGetImageSize(APicture->Graphic(), AScaleFactor);
}

int32_t RoundHalfEven(double V) {
  return static_cast<int32_t>(std::nearbyint(V));
}

}  // namespace

// --- View info ------------------------------------------------------------------------------------

TcxImageViewInfo::TcxImageViewInfo()
    : FZoomTrackBarViewInfo(std::make_unique<TdxCustomZoomTrackBarViewInfo>()) {}

TcxImageViewInfo::~TcxImageViewInfo() = default;

bool TcxImageViewInfo::IsRepaintOnStateChangingNeeded() {
  return (!FPicture || !FPicture->Graphic() || FPicture->Graphic()->Empty()) && !Caption.empty();
}

TPicture* TcxImageViewInfo::OwnPicture() {
  if (!FOwnPicture) FOwnPicture = std::make_unique<TPicture>();
  return FOwnPicture.get();
}

TRect TcxImageViewInfo::GetImageRect() {
  TRect r =
      cxGetImageRect(ClientRect, ScaledPictureSize(FPicture, ScaleFactor()), FitMode, ZoomPercent, Center);
  if (FUseRightToLeftScrollBar) {
    if (!Center) r = cxRectOffset(r, ClientRect.Right - r.Right, 0, true);
    return cxRectOffset(r, TopLeft.X, -TopLeft.Y, true);
  }
  return cxRectOffset(r, -TopLeft.X, -TopLeft.Y, true);
}

void TcxImageViewInfo::InternalPaint(TcxCanvas* ACanvas) {
  if (Transparent && !IsInplace && Edit()) cxDrawTransparentControlBackground(Edit(), ACanvas, Bounds);
  TcxCustomEditViewInfo::InternalPaint(ACanvas);
  if (ShowFocusRect) {
    ACanvas->FrameRect(ClientRect, clBlack);
    ClientRect = cxRectInflate(ClientRect, -1, -1);
  }
  if (FPicture && FPicture->Graphic() && !FPicture->Graphic()->Empty()) {
    const TRect imageRect = GetImageRect();
    ACanvas->SaveClipRegion();
    ACanvas->IntersectClipRect(ClientRect);
    ACanvas->StretchDraw(imageRect, FPicture->Graphic());
    ACanvas->RestoreClipRegion();
    if (ShowZoomTrackBar && !IsDesigning) FZoomTrackBarViewInfo->Paint(ACanvas);
  } else if (!Caption.empty()) {
    ACanvas->SetFont(Font);
    ACanvas->Font()->SetColor(TextColor);
    ACanvas->Brush()->SetStyle(bsClear);
    ACanvas->DrawTexT(Caption, ClientRect, cxAlignHCenter | cxAlignVCenter | cxSingleLine);
  }
}

// --- View data -----------------------------------------------------------------------------------------

void TcxImageViewData::Calculate(TcxCanvas* ACanvas, const TRect& ABounds, const TPoint& P,
                                 TcxMouseButton Button, TShiftState Shift, TcxCustomEditViewInfo* AViewInfo,
                                 bool AIsMouseEvent) {
  TcxCustomEditViewData::Calculate(ACanvas, ABounds, P, Button, Shift, AViewInfo, AIsMouseEvent);
  if (ABounds.IsEmpty()) return;
  auto* viewInfo = static_cast<TcxImageViewInfo*>(AViewInfo);
  TcxCustomImageProperties* properties = ImageProperties();
  auto* image = dynamic_cast<TcxCustomImage*>(Edit());
  if (image && !IsInplace()) viewInfo->SetPicture(image->Picture());
  viewInfo->Caption = properties->Caption();
  viewInfo->Center = properties->Center();
  viewInfo->ShowFocusRect = properties->ShowFocusRect() && Focused && !IsInplace();
  viewInfo->FitMode = properties->FitMode();
  viewInfo->Scalable = image && image->AllowScaling();
  viewInfo->FUseRightToLeftScrollBar = UseRightToLeftScrollBar;
  if (viewInfo->Scalable) {
    viewInfo->ZoomPercent = image->ZoomPercent();
    if (!IsDesigning) CalculateZoomTrackBar(ACanvas, viewInfo, viewInfo->ClientRect);
  } else {
    viewInfo->ZoomPercent = 100;
  }
  if (properties->Center() || properties->Stretch()) viewInfo->TopLeft = TPoint{0, 0};
}

TRect TcxImageViewData::GetBorderExtent() {
  // Nothing is drawn around such an image, so a picture of the control's size is neither
  // shifted nor shrunk by the margin a transparent border keeps.
  if (!IsInplace() && Edit() && Edit()->IsTransparent() && GetBorderStyle() == cbsNone &&
      !Style()->LookAndFeel()->SkinPainter() && !HasShadow())
    return TRect{};
  return TcxCustomEditViewData::GetBorderExtent();
}

void TcxImageViewData::CalculateZoomTrackBar(TcxCanvas* ACanvas, TcxImageViewInfo* AViewInfo,
                                             const TRect& R) {
  TdxScaleFactor* scale = ScaleFactor();
  const int32_t width = std::min(scale->Apply(200), R.Width());
  const int32_t height = scale->Apply(30);
  const int32_t left = R.Left + (R.Width() - width) / 2;
  const int32_t top = R.Top + std::min(RoundHalfEven(R.Height() * 0.875), R.Height() - scale->Apply(40));
  const TRect barRect = Rect(left, top, left + width, top + height);
  TdxCustomZoomTrackBarViewInfo* bar = AViewInfo->ZoomTrackBarViewInfo();
  // The bar belongs to the image: its hint, fading and invalidation go through the image, and
  // its points are relative to its own top-left corner.
  bar->Owner = Edit();
  bar->SetPosition(AViewInfo->ZoomPercent);
  bar->Transparent = true;
  std::unique_ptr<TcxCustomEditViewData> viewData(
      ImageProperties()->ZoomTrackBarProperties()->CreateViewData(Style(), false));
  viewData->ScaleFactor()->Assign(AViewInfo->ScaleFactor());
  viewData->UseRightToLeftAlignment = UseRightToLeftAlignment;
  viewData->Calculate(ACanvas, cxRectSetNullOrigin(barRect), cxInvalidPoint, cxmbNone, {}, bar, false);
  bar->Bounds = barRect;
}

void TcxImageViewData::EditValueToDrawValue(const Variant& AEditValue, TcxCustomEditViewInfo* AViewInfo) {
  auto* viewInfo = static_cast<TcxImageViewInfo*>(AViewInfo);
  if (VarIsNull(AEditValue) || VarIsEmpty(AEditValue)) {
    viewInfo->SetPicture(nullptr);
    return;
  }
  TPicture* picture = viewInfo->OwnPicture();
  viewInfo->SetPicture(picture);
  TcxCustomImageProperties* properties = ImageProperties();
  LoadPicture(
      picture,
      properties->GetGraphicClass(InplaceEditParams.Position.Item, InplaceEditParams.Position.RecordIndex),
      AEditValue);
  if (properties->GraphicTransparency() != gtDefault && picture->Graphic())
    picture->Graphic()->SetTransparent(properties->GraphicTransparency() == gtTransparent);
}

TSize TcxImageViewData::GetEditContentSize(TcxCanvas* ACanvas, const Variant& AEditValue,
                                           const TcxEditSizeProperties& AEditSizeProperties,
                                           TcxEditValidateInfo*) {
  auto* image = dynamic_cast<TcxCustomImage*>(Edit());
  if (!IsInplace()) return image ? ScaledPictureSize(image->Picture(), ScaleFactor()) : TSize{};
  if (image) {
    const TRect extent = GetBorderExtent();
    return TSize{image->Width() - extent.Left - extent.Right, image->Height() - extent.Top - extent.Bottom};
  }
  TcxCustomImageProperties* properties = ImageProperties();
  TSize result{0, properties->DefaultHeight()};
  if (dxVarIsBlob(AEditValue)) {
    TPicture picture;
    LoadPicture(
        &picture,
        properties->GetGraphicClass(InplaceEditParams.Position.Item, InplaceEditParams.Position.RecordIndex),
        AEditValue);
    const TSize pictureSize = ScaledPictureSize(&picture, ScaleFactor());
    result = pictureSize;
    const int32_t w = AEditSizeProperties.Width;
    const int32_t h = AEditSizeProperties.Height;
    if (properties->GetRealStretch(pictureSize, TSize{w, h})) {
      if (w > 0 && pictureSize.cx > 0 && (h > 0 || w < pictureSize.cx))
        result = TSize{w, RoundHalfEven(static_cast<double>(pictureSize.cy) * w / pictureSize.cx)};
      else if (h >= 1 && pictureSize.cy >= 1 && !(w < 1 && h >= pictureSize.cy))
        result = TSize{RoundHalfEven(static_cast<double>(pictureSize.cx) * h / pictureSize.cy), h};
    }
  } else if (!properties->Caption().empty() && ACanvas) {
    ACanvas->Font()->Assign(Style()->GetVisibleFont());
    result = ACanvas->TextExtent(properties->Caption());
  }
  return result;
}

}  // namespace qd
