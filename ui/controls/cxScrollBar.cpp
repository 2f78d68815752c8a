#include "ui/controls/cxScrollBar.h"

#include <algorithm>

#include "platform/base/exceptions.h"
#include "platform/base/mathutil.h"
#include "platform/os/gdi.h"
#include "platform/os/user.h"
#include "ui/controls/cxControlHelper.h"
#include "ui/core/cxClassesTimer.h"
#include "ui/core/cxGeometry.h"
#include "ui/core/dxDPIAwareUtils.h"
#include "ui/core/dxThemeManager.h"
#include "ui/graphics/cxGraphicsBitmap.h"
#include "ui/graphics/cxGraphicsRegion.h"
#include "ui/lookandfeel/cxLookAndFeelPaintersBitmaps.h"

namespace qd {

QD_IMPLEMENT_CLASS(TcxScrollBarPartFadingHelper)
QD_IMPLEMENT_CLASS(TcxScrollBarPartViewInfo)
QD_IMPLEMENT_CLASS(TcxScrollBarViewInfo)
QD_IMPLEMENT_CLASS(TcxScrollBarController)
QD_IMPLEMENT_CLASS(TcxScrollBarPainter)
QD_IMPLEMENT_CLASS(TcxScrollBarHelper)
QD_IMPLEMENT_CLASS(TcxScrollBar)

namespace {

constexpr uint32_t cxScrollBarFirstRepeatInterval = 400;
constexpr uint32_t cxScrollBarRepeatInterval = 60;

// By right-to-left flag and by the position of a part from left to right: left arrow, right
// arrow, left page area, right page area.
constexpr TcxScrollBarPart HorizontalScrollbarPartToScrollbarPart[2][4] = {
    {sbpLineUp, sbpLineDown, sbpPageUp, sbpPageDown},
    {sbpLineDown, sbpLineUp, sbpPageDown, sbpPageUp},
};

// MulDiv over 64-bit operands (ranges near the 32-bit limits); halves round away from zero.
int64_t ScrollMulDiv(int64_t ANumber, int64_t ANumerator, int64_t ADenominator) {
  const int64_t product = ANumber * ANumerator;
  const int64_t half = ADenominator / 2;
  return product >= 0 ? (product + half) / ADenominator : (product - half) / ADenominator;
}

TSize ScaledSizeOf(TSize ASize, const TdxScaleFactor* AScaleFactor) {
  const TdxScaleFactor* factor = AScaleFactor ? AScaleFactor : dxSystemScaleFactor();
  return factor->Apply(ASize);
}

}  // namespace

TSize GetScaledScrollBarSize(const TdxScaleFactor* AScaleFactor) {
  return TSize{dxGetSystemMetrics(SM_CXVSCROLL, AScaleFactor),
               dxGetSystemMetrics(SM_CYHSCROLL, AScaleFactor)};
}

TSize GetScrollBarSize() {
  return GetScaledScrollBarSize(dxSystemScaleFactor());
}

TSize GetTouchScrollBarSize(const TdxScaleFactor* AScaleFactor) {
  return ScaledSizeOf(cxTouchScrollbarSize, AScaleFactor);
}

TSize GetHybridScrollBarSize(const TdxScaleFactor* AScaleFactor, bool AExpanded) {
  return ScaledSizeOf(AExpanded ? cxHybridScrollbarMaxSize : cxHybridScrollbarMinSize, AScaleFactor);
}

// --- TcxScrollBarPartFadingHelper ---------------------------------------------------------------

TcxScrollBarPartFadingHelper::TcxScrollBarPartFadingHelper(TcxScrollBarPartViewInfo* AOwner)
    : FOwner(AOwner) {}

void TcxScrollBarPartFadingHelper::UpdateState() {
  const TcxButtonState state = FOwner->GetState();
  if (state == FState) return;
  const TcxButtonState prev = FState;
  FState = state;
  if (dxFader()) CheckStartFading(prev, state);
}

bool TcxScrollBarPartFadingHelper::CanFade() {
  return FOwner->CanFade();
}

void TcxScrollBarPartFadingHelper::DrawFadeImage() {
  FOwner->Invalidate();
}

void TcxScrollBarPartFadingHelper::GetFadingImages(std::unique_ptr<TcxBitmap>& AFadeOutImage,
                                                   std::unique_ptr<TcxBitmap>& AFadeInImage) {
  const TRect bounds = FOwner->FBounds;
  TcxScrollBarPainter* painter = FOwner->Owner()->ScrollBar()->Painter();
  auto draw = [&](TcxButtonState AState) {
    auto bitmap = std::make_unique<TcxBitmap32>(bounds.Width(), bounds.Height(), true);
    painter->DoDrawScrollBarPart(bitmap->cxCanvas(), TRect{0, 0, bounds.Width(), bounds.Height()}, AState,
                                 FOwner->FPart);
    return bitmap;
  };
  AFadeOutImage = draw(cxbsNormal);
  AFadeInImage = draw(cxbsHot);
}

// --- TcxScrollBarPartViewInfo -------------------------------------------------------------------

TcxScrollBarPartViewInfo::TcxScrollBarPartViewInfo(TcxScrollBarViewInfo* AOwner, TcxScrollBarPart APart)
    : FPart(APart), FOwner(AOwner) {
  if (APart == sbpLineUp || APart == sbpLineDown || APart == sbpThumbnail)
    FFadingHelper = std::make_unique<TcxScrollBarPartFadingHelper>(this);
}

TcxScrollBarPartViewInfo::~TcxScrollBarPartViewInfo() = default;

bool TcxScrollBarPartViewInfo::CanFade() {
  return !FBounds.IsEmpty() && FOwner->ScrollBar()->Painter()->FadingAvailable();
}

void TcxScrollBarPartViewInfo::UpdateState() {
  FState = GetState();
  if (FFadingHelper) FFadingHelper->UpdateState();
}

TcxButtonState TcxScrollBarPartViewInfo::GetState() const {
  TcxScrollBarHelper* bar = FOwner->ScrollBar();
  if (!bar->Enabled()) return cxbsDisabled;
  if (FPart == sbpThumbnail && !bar->Painter()->IsButtonHotTrack()) return cxbsNormal;
  if (FPart != FOwner->HotPart()) return cxbsNormal;
  if (FOwner->PressedPart() == sbpNone) return cxbsHot;
  return FOwner->PressedPart() == FPart ? cxbsPressed : cxbsNormal;
}

void TcxScrollBarPartViewInfo::Invalidate() {
  FOwner->ScrollBar()->InvalidateRect(FBounds, false);
}

// --- TcxScrollBarViewInfo -----------------------------------------------------------------------

TcxScrollBarViewInfo::TcxScrollBarViewInfo(TcxScrollBarHelper* AScrollBar) : FScrollBar(AScrollBar) {
  for (int i = 0; i < 5; ++i)
    FPartInfos[i] =
        std::make_unique<TcxScrollBarPartViewInfo>(this, static_cast<TcxScrollBarPart>(sbpLineUp + i));
}

TcxScrollBarViewInfo::~TcxScrollBarViewInfo() = default;

int32_t TcxScrollBarViewInfo::GetArrowButtonLength() {
  const TSize size = FScrollBar->GetScrollBarSize();
  return Horizontal() ? size.cy : size.cx;
}

TRect TcxScrollBarViewInfo::GetBounds() {
  return FScrollBar->BoundsRect();
}

int32_t TcxScrollBarViewInfo::GetLength() {
  const TRect b = GetBounds();
  return Horizontal() ? b.Width() : b.Height();
}

int32_t TcxScrollBarViewInfo::GetHeight() {
  const TRect b = GetBounds();
  return Horizontal() ? b.Height() : b.Width();
}

void TcxScrollBarViewInfo::Calculate() {
  FKind = FScrollBar->Kind();
  FMinThumbnailSize = FScrollBar->Painter()->GetMinThumbnailSize();
  FLength = GetLength();
  FArrowButtonLength = std::min(FLength / 2, GetArrowButtonLength());
  const TRect b = GetBounds();
  if (Horizontal()) {
    const bool rtl = FScrollBar->IsRightToLeft();
    TRect left{b.Left, b.Top, b.Left + FArrowButtonLength, b.Bottom};
    TRect right = left;
    right = cxRectOffset(right, FLength - FArrowButtonLength, 0);
    PartBounds(HorizontalScrollbarPartToScrollbarPart[rtl][0]) = left;
    PartBounds(HorizontalScrollbarPartToScrollbarPart[rtl][1]) = right;
  } else {
    TRect up{b.Left, b.Top, b.Right, b.Top + FArrowButtonLength};
    PartBounds(sbpLineUp) = up;
    up = cxRectOffset(up, 0, FLength - FArrowButtonLength);
    PartBounds(sbpLineDown) = up;
  }
  CalculateThumbnailRect();
}

void TcxScrollBarViewInfo::CalculateThumbnailRect() {
  TRect& thumb = PartBounds(sbpThumbnail);
  thumb = TRect{};
  AdjustPageRects();
  if (!FScrollBar->Enabled()) return;
  const int32_t track = FLength - 2 * FArrowButtonLength;
  const int32_t min = FScrollBar->Min(), max = FScrollBar->Max(), page = FScrollBar->PageSize();
  const int64_t range = static_cast<int64_t>(max) - min + 1;
  int32_t length = 0, offset = 0;
  if (page > 0) {
    const int32_t size = static_cast<int32_t>(std::min<int64_t>(track, ScrollMulDiv(page, track, range)));
    if (track < FMinThumbnailSize || max == min) return;
    length = std::max(size, FMinThumbnailSize);
    const int64_t rest = range - page;
    if (rest > 0) {
      const int64_t pos = std::min<int64_t>(static_cast<int64_t>(FScrollBar->Position()) - min, rest);
      offset = static_cast<int32_t>(ScrollMulDiv(track - length, pos, rest));
    }
  } else {
    length = dxGetSystemMetrics(Horizontal() ? SM_CXHTHUMB : SM_CYVTHUMB, FScrollBar->GetScaleFactor());
    if (track < length) return;
    if (track != length && max != min)
      offset = static_cast<int32_t>(ScrollMulDiv(track - length,
                                                 static_cast<int64_t>(FScrollBar->Position()) - min,
                                                 static_cast<int64_t>(max) - min));
  }
  const TRect b = GetBounds();
  if (Horizontal()) {
    const int32_t left = b.Left + FArrowButtonLength + offset;
    thumb = TRect{left, b.Top, left + length, b.Bottom};
    if (FScrollBar->IsRightToLeft())
      thumb = TRect{b.Left + b.Right - thumb.Right, b.Top, b.Left + b.Right - thumb.Left, b.Bottom};
  } else {
    const int32_t top = PartBounds(sbpLineUp).Bottom + offset;
    thumb = TRect{b.Left, top, b.Right, top + length};
  }
  AdjustPageRects();
}

void TcxScrollBarViewInfo::AdjustPageRects() {
  const TRect thumb = PartBounds(sbpThumbnail);
  if (thumb.IsEmpty()) {
    PartBounds(sbpPageUp) = TRect{};
    PartBounds(sbpPageDown) = TRect{};
    return;
  }
  const TRect b = GetBounds();
  if (Horizontal()) {
    const bool rtl = FScrollBar->IsRightToLeft();
    const TRect leftArrow = PartBounds(HorizontalScrollbarPartToScrollbarPart[rtl][0]);
    const TRect rightArrow = PartBounds(HorizontalScrollbarPartToScrollbarPart[rtl][1]);
    PartBounds(HorizontalScrollbarPartToScrollbarPart[rtl][2]) =
        TRect{leftArrow.Right, b.Top, thumb.Left, b.Bottom};
    PartBounds(HorizontalScrollbarPartToScrollbarPart[rtl][3]) =
        TRect{thumb.Right, b.Top, rightArrow.Left, b.Bottom};
  } else {
    PartBounds(sbpPageUp) = TRect{b.Left, PartBounds(sbpLineUp).Bottom, b.Right, thumb.Top};
    PartBounds(sbpPageDown) = TRect{b.Left, thumb.Bottom, b.Right, PartBounds(sbpLineDown).Top};
  }
}

TcxScrollBarPart TcxScrollBarViewInfo::GetPart(const TPoint& P) {
  for (int part = sbpLineUp; part <= sbpPageDown; ++part)
    if (cxRectPtIn(PartBounds(static_cast<TcxScrollBarPart>(part)), P))
      return static_cast<TcxScrollBarPart>(part);
  return sbpNone;
}

void TcxScrollBarViewInfo::SetThumbnailPos(int32_t APos) {
  TRect& thumb = PartBounds(sbpThumbnail);
  if (Horizontal())
    thumb = cxRectOffset(thumb, APos - thumb.Left, 0);
  else
    thumb = cxRectOffset(thumb, 0, APos - thumb.Top);
}

void TcxScrollBarViewInfo::UpdateFadingHelperStates() {
  for (auto& info : FPartInfos) info->UpdateState();
}

// --- TcxScrollBarController ---------------------------------------------------------------------

TcxScrollBarController::TcxScrollBarController(TcxScrollBarHelper* AScrollBar)
    : FScrollBar(AScrollBar), FTimer(new TcxTimer(nullptr)) {
  FTimer->SetEnabled(false);
  FTimer->SetInterval(cxScrollBarFirstRepeatInterval);
  FTimer->SetOnTimer(TNotifyEvent(this, &TcxScrollBarController::OnTimer));
}

TcxScrollBarController::~TcxScrollBarController() {
  delete FTimer;
}

TcxScrollBarViewInfo* TcxScrollBarController::ViewInfo() const {
  return FScrollBar->ViewInfo();
}

void TcxScrollBarController::InternalScroll(TScrollCode ACode) {
  SetPositionValue(ACode, FScrollBar->Position());
}

void TcxScrollBarController::DoScroll(TcxScrollBarPart APart) {
  switch (APart) {
    case sbpLineUp:
      InternalScroll(scLineUp);
      break;
    case sbpLineDown:
      InternalScroll(scLineDown);
      break;
    case sbpThumbnail:
      InternalScroll(scTrack);
      break;
    case sbpPageUp:
      InternalScroll(scPageUp);
      break;
    case sbpPageDown:
      InternalScroll(scPageDown);
      break;
    default:
      break;
  }
}

void TcxScrollBarController::SetPositionValue(TScrollCode ACode, int32_t APosition) {
  int64_t value = APosition;
  switch (ACode) {
    case scLineUp:
      value -= FScrollBar->SmallChange();
      break;
    case scLineDown:
      value += FScrollBar->SmallChange();
      break;
    case scPageUp:
      value -= FScrollBar->LargeChange();
      break;
    case scPageDown:
      value += FScrollBar->LargeChange();
      break;
    case scTop:
      value = FScrollBar->Min();
      break;
    case scBottom:
      value = FScrollBar->Max();
      break;
    default:
      break;
  }
  const int32_t min = FScrollBar->Min(), max = FScrollBar->Max();
  int32_t pos = static_cast<int32_t>(std::clamp<int64_t>(value, min, max));
  FScrollBar->Scroll(ACode, pos);
  pos = std::clamp(pos, min, max);
  if (pos == FScrollBar->Position()) return;
  if (ACode == scTrack) {
    FScrollBar->StorePosition(pos);
    FScrollBar->Repaint();
  } else {
    FScrollBar->SetPosition(pos);
  }
}

int32_t TcxScrollBarController::GetPositionFromThumbnail() {
  TcxScrollBarViewInfo* info = ViewInfo();
  const TRect thumb = info->ThumbnailRect();
  const TRect up = info->PartBounds(sbpLineUp), down = info->PartBounds(sbpLineDown);
  int64_t n = static_cast<int64_t>(FScrollBar->Max()) - FScrollBar->Min();
  if (FScrollBar->PageSize() > 0) n -= FScrollBar->PageSize() - 1;
  int64_t distance, track;
  if (FScrollBar->Kind() == sbHorizontal) {
    const bool rtl = FScrollBar->IsRightToLeft();
    const TRect left = rtl ? down : up, right = rtl ? up : down;
    distance = rtl ? right.Left - thumb.Right : thumb.Left - left.Right;
    track = right.Left - left.Right - thumb.Width();
  } else {
    distance = thumb.Top - up.Bottom;
    track = down.Top - up.Bottom - thumb.Height();
  }
  // A thumb that fills the whole track leaves nothing to compute from.
  if (track <= 0) return FScrollBar->Position();
  const int64_t value = FScrollBar->Min() + ScrollMulDiv(n, distance, track);
  return static_cast<int32_t>(std::clamp<int64_t>(value, FScrollBar->Min(), FScrollBar->Max()));
}

void TcxScrollBarController::SetThumbnailValue(int32_t AValue, bool AFull) {
  if (AFull)
    FScrollBar->SetPosition(AValue);
  else
    FScrollBar->StorePosition(AValue);
  DoScroll(sbpThumbnail);
}

void TcxScrollBarController::DoMouseDown(TMouseButton Button, TShiftState, int32_t X, int32_t Y) {
  if (Button != mbLeft) return;
  TcxScrollBarViewInfo* info = ViewInfo();
  const TcxScrollBarPart part = info->GetPart(TPoint{X, Y});
  if (part == sbpNone) return;
  if (part == sbpThumbnail) {
    FDownMousePos = TPoint{X, Y};
    FLastMousePos = FDownMousePos;
    FSavePosition = FScrollBar->Position();
    FSaveThumbnailPos = info->ThumbnailRect().TopLeft();
    InternalScroll(scTrack);
  }
  info->SetPressedPart(part);
  info->SetHotPart(part);
  if (IsRepeatPart(part)) {
    DoScroll(part);
    FTimer->SetInterval(cxScrollBarFirstRepeatInterval);
    FTimer->SetEnabled(true);
  }
  info->UpdateFadingHelperStates();
  FScrollBar->Repaint();
}

void TcxScrollBarController::OnTimer(TObject*) {
  FTimer->SetEnabled(false);
  TcxScrollBarViewInfo* info = ViewInfo();
  const TcxScrollBarPart pressed = info->PressedPart();
  if (FScrollBar->IsOwnerControlCapture() && IsRepeatPart(pressed)) {
    if (FTimer->Interval() == cxScrollBarFirstRepeatInterval) FTimer->SetInterval(cxScrollBarRepeatInterval);
    DoScroll(pressed);
    TPoint cursor;
    GetCursorPos(&cursor);
    if (info->GetPart(FScrollBar->ScreenToClient(cursor)) == pressed) FTimer->SetEnabled(true);
  } else {
    FinishScrolling(sbpNone);
  }
}

void TcxScrollBarController::DoMouseMove(TShiftState Shift, int32_t X, int32_t Y) {
  TcxScrollBarViewInfo* info = ViewInfo();
  const TPoint p{X, Y};
  if (info->PressedPart() == sbpThumbnail) {
    TRect tracking = FScrollBar->BoundsRect();
    if (FScrollBar->Kind() == sbVertical)
      tracking = cxRectInflate(tracking, cxScrollMaxDistance, cxScrollMinDistance);
    else
      tracking = cxRectInflate(tracking, cxScrollMinDistance, cxScrollMaxDistance);
    if (!FScrollBar->UnlimitedTracking() && !cxRectPtIn(tracking, p)) {
      if (FSavePosition != FScrollBar->Position()) {
        SetThumbnailValue(FSavePosition, true);
        info->CalculateThumbnailRect();
        FScrollBar->Repaint();
      }
      return;
    }
    const bool horizontal = FScrollBar->Kind() == sbHorizontal;
    const int32_t along = horizontal ? X : Y;
    const int32_t down = horizontal ? FDownMousePos.X : FDownMousePos.Y;
    const int32_t last = horizontal ? FLastMousePos.X : FLastMousePos.Y;
    // Back inside the tracking rectangle the thumb follows the mouse again, even when it only
    // moved across the bar.
    if (along != last && along != down) FLastMousePos = p;
    const TRect thumb = info->ThumbnailRect();
    int32_t first, limit, size;
    if (horizontal) {
      const bool rtl = FScrollBar->IsRightToLeft();
      first = info->PartBounds(rtl ? sbpLineDown : sbpLineUp).Right;
      limit = info->PartBounds(rtl ? sbpLineUp : sbpLineDown).Left;
      size = thumb.Width();
    } else {
      first = info->PartBounds(sbpLineUp).Bottom;
      limit = info->PartBounds(sbpLineDown).Top;
      size = thumb.Height();
    }
    const int32_t saved = horizontal ? FSaveThumbnailPos.X : FSaveThumbnailPos.Y;
    info->SetThumbnailPos(std::max(first, std::min(saved + along - down, limit - size)));
    info->AdjustPageRects();
    FScrollBar->Repaint();
    const int32_t value = GetPositionFromThumbnail();
    if (value != FScrollBar->Position()) {
      SetThumbnailValue(value, false);
      FScrollBar->Change();
    }
    return;
  }
  const TcxScrollBarPart part = info->GetPart(p);
  if (info->PressedPart() != sbpNone) FTimer->SetEnabled(part == info->PressedPart());
  if (part != info->HotPart()) {
    info->SetHotPart(part);
    info->UpdateFadingHelperStates();
    if (FScrollBar->Painter()->IsButtonHotTrack()) FScrollBar->Repaint();
  }
  if (info->PressedPart() == sbpNone && Shift.Contains(ssLeft) && FScrollBar->GetAllowOwnerScrollOnDrag()) {
    if (part == sbpLineUp || part == sbpPageUp)
      InternalScroll(scLineUp);
    else if (part == sbpLineDown || part == sbpPageDown)
      InternalScroll(scLineDown);
  }
}

void TcxScrollBarController::DoMouseUp(TMouseButton, TShiftState, int32_t X, int32_t Y) {
  FinishScrolling(ViewInfo()->GetPart(TPoint{X, Y}));
  ViewInfo()->UpdateFadingHelperStates();
}

void TcxScrollBarController::FinishScrolling(TcxScrollBarPart APart) {
  TcxScrollBarViewInfo* info = ViewInfo();
  info->SetHotPart(APart);
  const TcxScrollBarPart pressed = info->PressedPart();
  if (pressed == sbpNone) return;
  FTimer->SetEnabled(false);
  info->SetPressedPart(sbpNone);
  auto finish = [&] {
    int32_t pos = FScrollBar->Position();
    FScrollBar->Scroll(scEndScroll, pos);
    info->CalculateThumbnailRect();
    info->UpdateFadingHelperStates();
    FScrollBar->Invalidate();
  };
  try {
    if (pressed == sbpThumbnail) SetPositionValue(scPosition, GetPositionFromThumbnail());
  } catch (...) {
    finish();
    throw;
  }
  finish();
}

void TcxScrollBarController::DoMouseEnter() {
  TcxScrollBarViewInfo* info = ViewInfo();
  info->UpdateFadingHelperStates();
  if (FScrollBar->Painter()->IsButtonHotTrack() || IsRepeatPart(info->PressedPart())) FScrollBar->Repaint();
}

void TcxScrollBarController::DoMouseLeave() {
  TcxScrollBarViewInfo* info = ViewInfo();
  if (info->PressedPart() != sbpThumbnail) {
    info->SetHotPart(sbpNone);
    if (FScrollBar->Painter()->IsButtonHotTrack() || IsRepeatPart(info->PressedPart()))
      FScrollBar->Invalidate();
  }
  info->UpdateFadingHelperStates();
}

// --- TcxScrollBarPainter ------------------------------------------------------------------------

void TcxScrollBarPainter::Paint(TcxCanvas* ACanvas) {
  DrawScrollBarBackground(ACanvas, FScrollBar->BoundsRect());
  for (TcxScrollBarPart part : {sbpLineUp, sbpLineDown, sbpThumbnail, sbpPageUp, sbpPageDown})
    DrawScrollBarPart(ACanvas, part);
}

void TcxScrollBarPainter::DrawScrollBarPart(TcxCanvas* ACanvas, TcxScrollBarPart APart) {
  TcxScrollBarPartViewInfo* info = FScrollBar->ViewInfo()->PartInfo(APart);
  if (info->FBounds.IsEmpty()) return;
  // While the part fades, the fader's current frame is the part.
  if (TcxScrollBarPartFadingHelper* fading = info->FadingHelper();
      fading && dxFader() && dxFader()->DrawFadeImage(fading, ACanvas->Handle(), info->FBounds))
    return;
  DoDrawScrollBarPart(ACanvas, info->FBounds, info->GetState(), APart);
}

void TcxScrollBarPainter::DoDrawScrollBarPart(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                                              TcxScrollBarPart APart) {
  TcxCustomLookAndFeelPainter* painter = FScrollBar->GetLookAndFeelPainter();
  if (!painter) return;
  ACanvas->SaveState();
  ACanvas->SetUseRightToLeftAlignment(FScrollBar->IsRightToLeft());
  painter->DrawScaledScrollBarPart(ACanvas, FScrollBar->Kind() == sbHorizontal, R, APart, AState,
                                   FScrollBar->GetScaleFactor());
  ACanvas->RestoreState();
}

void TcxScrollBarPainter::DrawScrollBarBackground(TcxCanvas* ACanvas, const TRect& R) {
  TcxCustomLookAndFeelPainter* painter = FScrollBar->GetLookAndFeelPainter();
  if (!painter) return;
  ACanvas->SaveState();
  ACanvas->SetUseRightToLeftAlignment(FScrollBar->IsRightToLeft());
  painter->DrawScaledScrollBarBackground(ACanvas, R, FScrollBar->Kind() == sbHorizontal,
                                         FScrollBar->GetScaleFactor());
  ACanvas->RestoreState();
}

bool TcxScrollBarPainter::FadingAvailable() {
  TcxCustomLookAndFeelPainter* painter = FScrollBar->GetLookAndFeelPainter();
  if (!painter || !IsButtonHotTrack()) return false;
  const TcxLookAndFeelStyle style = painter->LookAndFeelStyle();
  return style == lfsNative || style == lfsSkin;
}

int32_t TcxScrollBarPainter::GetMinThumbnailSize() {
  TcxCustomLookAndFeelPainter* painter = FScrollBar->GetLookAndFeelPainter();
  return painter ? painter->ScaledScrollBarMinimalThumbSize(FScrollBar->Kind() == sbVertical,
                                                            FScrollBar->GetScaleFactor())
                 : 0;
}

bool TcxScrollBarPainter::IsButtonHotTrack() {
  TcxCustomLookAndFeelPainter* painter = FScrollBar->GetLookAndFeelPainter();
  return painter && painter->IsButtonHotTrack();
}

// --- TcxScrollBarHelper -------------------------------------------------------------------------

TcxScrollBarHelper::TcxScrollBarHelper(IcxScrollBarOwner* AOwner) : FOwner(AOwner) {
  FViewInfo = std::make_unique<TcxScrollBarViewInfo>(this);
  FController = std::make_unique<TcxScrollBarController>(this);
  FPainter = std::make_unique<TcxScrollBarPainter>(this);
  FBoundsRect = TRect{0, 0, 120, ::qd::GetScrollBarSize().cy};
}

TcxScrollBarHelper::~TcxScrollBarHelper() {
  if (FVisibleRgn) DeleteObject(FVisibleRgn);
}

void TcxScrollBarHelper::SetViewInfo(std::unique_ptr<TcxScrollBarViewInfo> AViewInfo) {
  FViewInfo = std::move(AViewInfo);
}

void TcxScrollBarHelper::SetPainter(std::unique_ptr<TcxScrollBarPainter> APainter) {
  FPainter = std::move(APainter);
}

void TcxScrollBarHelper::SetScrollParams(int32_t AMin, int32_t AMax, int32_t APosition, int32_t APageSize,
                                         bool ARedraw) {
  if (AMin > AMax || static_cast<int64_t>(AMax) - AMin < APageSize)
    throw EInvalidOperation(u"Scrollbar property out of range");
  APosition = std::clamp(APosition, AMin, AMax);
  if (AMin == FMin && AMax == FMax && APageSize == FPageSize && APosition == FPosition) return;
  const bool positionChanged = APosition != FPosition;
  FMin = AMin;
  FMax = AMax;
  FPageSize = APageSize;
  FPosition = APosition;
  FViewInfo->CalculateThumbnailRect();
  FViewInfo->UpdateFadingHelperStates();
  if (ARedraw && HasWindow()) Repaint();
  if (positionChanged) Change();
}

void TcxScrollBarHelper::SetBoundsRect(const TRect& Value) {
  if (Value == FBoundsRect) return;
  FBoundsRect = Value;
  SetVisibleRgn(nullptr);
}

void TcxScrollBarHelper::SetEnabled(bool Value) {
  if (FEnabled == Value) return;
  FEnabled = Value;
  if (!Value) CancelMode();
}

void TcxScrollBarHelper::SetVisible(bool Value) {
  if (FVisible == Value) return;
  FVisible = Value;
  if (!Value) CancelMode();
}

TcxCustomLookAndFeelPainter* TcxScrollBarHelper::GetLookAndFeelPainter() {
  TcxLookAndFeel* lookAndFeel = FOwner->GetLookAndFeel();
  return lookAndFeel ? lookAndFeel->GetAvailablePainter(totScrollBar) : nullptr;
}

bool TcxScrollBarHelper::GetAllowOwnerScrollOnDrag() {
  // Library controls that scroll their content on drag answer through the windowless bars'
  // manager; a plain owner never does.
  return false;
}

bool TcxScrollBarHelper::PtInVisibleRgn(const TPoint& P) {
  if (FVisibleRgn) return PtInRegion(FVisibleRgn, P.X, P.Y) != FALSE;
  return cxRectPtIn(FBoundsRect, P);
}

void TcxScrollBarHelper::SetVisibleRgn(HRGN ARegion) {
  if (FVisibleRgn && FVisibleRgn != ARegion) DeleteObject(FVisibleRgn);
  FVisibleRgn = ARegion;
}

void TcxScrollBarHelper::Calculate() {
  FViewInfo->Calculate();
}
void TcxScrollBarHelper::CancelMode() {
  FController->FinishScrolling(sbpNone);
}

void TcxScrollBarHelper::MouseDown(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) {
  FController->MouseDown(Button, Shift, X, Y);
}
void TcxScrollBarHelper::MouseEnter() {
  FController->MouseEnter();
}
void TcxScrollBarHelper::MouseLeave() {
  FController->MouseLeave();
}
void TcxScrollBarHelper::MouseMove(TShiftState Shift, int32_t X, int32_t Y) {
  FController->MouseMove(Shift, X, Y);
}
void TcxScrollBarHelper::MouseUp(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) {
  FController->MouseUp(Button, Shift, X, Y);
}

bool TcxScrollBarHelper::HasWindow() {
  TWinControl* control = OwnerControl();
  return control && control->HandleAllocated();
}

void TcxScrollBarHelper::Repaint() {
  if (!HasWindow()) return;
  if (FIsNonClient) {
    RedrawWindow(OwnerControl()->Handle(), &FBoundsRect, nullptr, RDW_FRAME | RDW_INVALIDATE);
  } else {
    Invalidate();
    OwnerControl()->Update();
  }
}

void TcxScrollBarHelper::Invalidate() {
  InvalidateRect(FBoundsRect, false);
}

void TcxScrollBarHelper::InvalidateRect(const TRect& R, bool AErase) {
  if (!HasWindow()) return;
  if (FIsNonClient)
    RedrawWindow(OwnerControl()->Handle(), &R, nullptr, RDW_FRAME | RDW_INVALIDATE);
  else
    ::qd::InvalidateRect(OwnerControl()->Handle(), &R, AErase);
}

void TcxScrollBarHelper::Paint(TcxCanvas* ACanvas) {
  ACanvas->SaveClipRegion();
  if (FVisibleRgn) {
    auto* region = new TcxRegion();
    region->Combine(FVisibleRgn, roSet);
    ACanvas->SetClipRegion(region, roIntersect);
  } else {
    ACanvas->IntersectClipRect(FBoundsRect);
  }
  if (NeedBuffering())
    DoBufferedPaint(ACanvas->Handle());
  else
    DoPaint(ACanvas);
  ACanvas->RestoreClipRegion();
  if (FVisibleRgn) {
    auto* region = new TcxRegion();
    region->Combine(FVisibleRgn, roSet);
    ACanvas->SetClipRegion(region, roSubtract);
  } else {
    ACanvas->ExcludeClipRect(FBoundsRect);
  }
}

void TcxScrollBarHelper::DoBufferedPaint(HDC DC) {
  TRect r = FBoundsRect;
  if (FVisibleRgn) {
    TcxRegion region;
    region.Combine(FVisibleRgn, roSet);
    if (region.IsEmpty()) return;
    r = region.BoundsRect();
  }
  if (r.IsEmpty()) return;
  TcxBitmap bitmap(r.Width(), r.Height(), pf32bit);
  TPoint old;
  SetWindowOrgEx(bitmap.cxCanvas()->Handle(), r.Left, r.Top, &old);
  DoPaint(bitmap.cxCanvas());
  SetWindowOrgEx(bitmap.cxCanvas()->Handle(), old.X, old.Y, nullptr);
  BitBlt(DC, r.Left, r.Top, r.Width(), r.Height(), bitmap.cxCanvas()->Handle(), 0, 0, SRCCOPY);
}

void TcxScrollBarHelper::Change() {
  if (OnChange) OnChange(this);
}

void TcxScrollBarHelper::DoPaint(TcxCanvas* ACanvas) {
  FPainter->Paint(ACanvas);
}

TSize TcxScrollBarHelper::GetScrollBarSize() {
  return GetScaledScrollBarSize(GetScaleFactor());
}

bool TcxScrollBarHelper::IsOwnerControlCapture() {
  TWinControl* control = OwnerControl();
  return control && control->HandleAllocated() && GetCapture() == control->Handle();
}

bool TcxScrollBarHelper::IsRightToLeft() {
  TWinControl* control = OwnerControl();
  if (!control) return false;
  return FKind == sbVertical ? control->UseRightToLeftScrollBar() : control->UseRightToLeftAlignment();
}

bool TcxScrollBarHelper::NeedBuffering() {
  return !IsWinVistaOrLater();
}

TPoint TcxScrollBarHelper::ScreenToClient(const TPoint& P) {
  TWinControl* control = OwnerControl();
  return control ? control->ScreenToClient(P) : P;
}

void TcxScrollBarHelper::Scroll(TScrollCode ACode, int32_t& APosition) {
  if (OnScroll) OnScroll(this, ACode, APosition);
}

// --- TcxScrollBar -------------------------------------------------------------------------------

TcxScrollBar::TcxScrollBar(TComponent* AOwner) : TCustomControl(AOwner) {
  FLookAndFeel = std::make_unique<TcxLookAndFeel>(this);
  FLookAndFeel->SetOnChanged(TcxLookAndFeelChangedEvent(this, &TcxScrollBar::LookAndFeelChanged));
  FScaleFactor = std::make_unique<TdxScaleFactor>();
  FHelper = std::make_unique<TcxScrollBarHelper>(this);
  FHelper->OnScroll = TScrollEvent(this, &TcxScrollBar::HelperScroll);
  FHelper->OnChange = TNotifyEvent(this, &TcxScrollBar::HelperChange);
  SetWidth(121);
  SetControlStyle(TControlStyle{csCaptureMouse, csFramed, csOpaque});
  SetHeight(GetInitialSize().cy);
  FRealCtl3D = TCustomControl::Ctl3D();
  FThemeChangedNotificator = std::make_unique<TdxThemeChangedNotificator>();
  FThemeChangedNotificator->SetOnThemeChanged(TdxThemeChangedEvent(this, &TcxScrollBar::ThemeChanged));
  Calculate();
}

TcxScrollBar::~TcxScrollBar() {
  FThemeChangedNotificator.reset();
  FHelper.reset();
  FLookAndFeel.reset();
  FScaleFactor.reset();
}

void TcxScrollBar::SetHelper(std::unique_ptr<TcxScrollBarHelper> AHelper) {
  AHelper->SetKind(FHelper->Kind());
  AHelper->SetBoundsRect(FHelper->BoundsRect());
  FHelper = std::move(AHelper);
  FHelper->OnScroll = TScrollEvent(this, &TcxScrollBar::HelperScroll);
  FHelper->OnChange = TNotifyEvent(this, &TcxScrollBar::HelperChange);
  Calculate();
}

TSize TcxScrollBar::GetInitialSize() {
  return GetScaledScrollBarSize(FScaleFactor.get());
}

void TcxScrollBar::Change() {
  TCustomControl::Changed();
  if (OnChange) OnChange(this);
}

void TcxScrollBar::Scroll(TScrollCode ACode, int32_t& APosition) {
  if (OnScroll) OnScroll(this, ACode, APosition);
}

void TcxScrollBar::SetKind(TScrollBarKind Value) {
  if (Kind() == Value) return;
  FHelper->SetKind(Value);
  if (ComponentState().Contains(csLoading))
    Calculate();
  else
    SetBounds(Left(), Top(), Width(), Height());
  Invalidate();
}

void TcxScrollBar::SetCtl3D(bool Value) {
  FRealCtl3D = Value;
  if (TCustomControl::Ctl3D() != Value) TCustomControl::SetCtl3D(Value);
}

void TcxScrollBar::LookAndFeelChanged(TcxLookAndFeel*, TcxLookAndFeelValues) {
  if (!Visible()) return;
  TcxCustomLookAndFeelPainter* painter = FLookAndFeel->SkinPainter();
  if (painter && TCustomControl::Ctl3D()) {
    const bool real = FRealCtl3D;
    TCustomControl::SetCtl3D(false);
    FRealCtl3D = real;
  } else {
    TCustomControl::SetCtl3D(FRealCtl3D);
  }
  Calculate();
  Invalidate();
}

void TcxScrollBar::SetParent(TWinControl* AParent) {
  if (!TcxControlHelper::CanSetParent(this, AParent)) return;
  TCustomControl::SetParent(AParent);
  TcxControlHelper::UpdateScaleFactorOnParentChange(this);
}

void TcxScrollBar::ChangeScale(int M, int D, bool AIsDpiChange) {
  FScaleFactor->Change(M, D);
  TCustomControl::ChangeScale(M, D, AIsDpiChange);
  FLookAndFeel->Refresh();
}

void TcxScrollBar::Paint() {
  const TRect r = ClientRect();
  if (r.IsEmpty()) return;
  TcxBitmap bitmap(r.Width(), r.Height(), pf32bit);
  DoPaint(bitmap.cxCanvas());
  Canvas()->Lock();
  BitBlt(Canvas()->Handle(), 0, 0, r.Width(), r.Height(), bitmap.cxCanvas()->Handle(), 0, 0, SRCCOPY);
  Canvas()->Unlock();
}

// The bar logic follows the bounds at once, also before the window exists.
void TcxScrollBar::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  TCustomControl::SetBounds(ALeft, ATop, AWidth, AHeight);
  if (!FHelper) return;
  FHelper->SetBoundsRect(TRect{0, 0, AWidth, AHeight});
  Calculate();
}

void TcxScrollBar::Resize() {
  TCustomControl::Resize();
  FHelper->SetBoundsRect(ClientRect());
  Calculate();
}

void TcxScrollBar::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCustomControl::MouseDown(Button, Shift, X, Y);
  FHelper->MouseDown(Button, Shift, X, Y);
}

void TcxScrollBar::MouseMove(TShiftState Shift, int X, int Y) {
  TCustomControl::MouseMove(Shift, X, Y);
  FHelper->MouseMove(Shift, X, Y);
}

void TcxScrollBar::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCustomControl::MouseUp(Button, Shift, X, Y);
  FHelper->MouseUp(Button, Shift, X, Y);
}

void TcxScrollBar::MouseEnter(TControl* AControl) {
  FHelper->MouseEnter();
  if (AControl == this && OnMouseEnter) OnMouseEnter(this);
}

void TcxScrollBar::MouseLeave(TControl* AControl) {
  FHelper->MouseLeave();
  if (AControl == this && OnMouseLeave) OnMouseLeave(this);
}

void TcxScrollBar::ThemeChanged() {
  Calculate();
  UpdateScrollBarBitmaps();
  Invalidate();
  if (Parent()) Parent()->Realign();
}

void TcxScrollBar::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_ERASEBKGND:
      Message.Result = 1;
      return;
    case CM_MOUSEENTER:
      TCustomControl::Dispatch(Message);
      MouseEnter(Message.LParam ? reinterpret_cast<TControl*>(Message.LParam) : this);
      return;
    case CM_MOUSELEAVE:
      TCustomControl::Dispatch(Message);
      MouseLeave(Message.LParam ? reinterpret_cast<TControl*>(Message.LParam) : this);
      return;
    case WM_CANCELMODE:
      FHelper->CancelMode();
      TCustomControl::Dispatch(Message);
      return;
    case CM_ENABLEDCHANGED:
      TCustomControl::Dispatch(Message);
      FHelper->SetEnabled(Enabled());
      Calculate();
      Invalidate();
      return;
    case CM_VISIBLECHANGED:
      FHelper->SetVisible(Visible());
      TCustomControl::Dispatch(Message);
      return;
    case CM_CTL3DCHANGED:
      TCustomControl::Dispatch(Message);
      FRealCtl3D = TCustomControl::Ctl3D();
      LookAndFeelChanged(FLookAndFeel.get(), TcxLookAndFeelValues{});
      return;
    case CN_HSCROLL:
    case CN_VSCROLL:
      FHelper->Controller()->InternalScroll(static_cast<TScrollCode>(LOWORD(Message.WParam)));
      return;
    case CM_SYSCOLORCHANGE:
      UpdateScrollBarBitmaps();
      TCustomControl::Dispatch(Message);
      return;
    case WM_GESTURENOTIFY: {
      // A scroll bar takes no gestures.
      TWMGestureNotify notify;
      notify.NotifyStruct = reinterpret_cast<GESTURENOTIFYSTRUCT*>(Message.LParam);
      dxLockGestures(Handle(), notify);
      Message.Result = notify.Result;
      return;
    }
    case CN_CTLCOLORSCROLLBAR:
      UpdateScrollBarBitmaps();
      Message.Result = DefWindowProcW(Handle(), Message.Msg, Message.WParam, Message.LParam);
      return;
    default:
      TCustomControl::Dispatch(Message);
  }
}

}  // namespace qd
