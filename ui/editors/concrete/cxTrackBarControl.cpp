// The track bar's input controller, position hint, the control and the unit's registration.
#include <algorithm>
#include <limits>

#include "platform/base/strings.h"
#include "platform/classes/rtti.h"
#include "platform/forms/graphics.h"
#include "platform/os/user.h"
#include "ui/core/cxClassesComponents.h"
#include "ui/core/dxCore.h"
#include "ui/editors/concrete/cxTrackBar.h"

namespace qd {

QD_IMPLEMENT_CLASS(TcxTrackBarPositionHintHelper)
QD_IMPLEMENT_CLASS(TcxTrackBarController)
QD_IMPLEMENT_CLASS(TcxCustomTrackBar)
QD_IMPLEMENT_CLASS(TcxTrackBar)
QD_IMPLEMENT_CLASS(TcxFilterTrackBarHelper)

const TResStringRec scxSEditTrackBarDescription{
    u"TrackBar|Represents an editor that provides a slider to select a value on its bar"};

namespace {

constexpr uint32_t kChangeButtonFirstDelay = 400;
constexpr uint32_t kChangeButtonRepeatDelay = 60;

int32_t ClampPosition(int64_t AValue) {
  return static_cast<int32_t>(
      std::clamp<int64_t>(AValue, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
}

// Pixels to positions: MulDiv with halves away from zero, over 64 bits.
int64_t PixelsToPositions(int64_t APixels, int64_t APositions, int64_t ADivisor) {
  const long double q = static_cast<long double>(APixels) * static_cast<long double>(APositions) /
                        static_cast<long double>(ADivisor);
  return static_cast<int64_t>(q < 0 ? -std::floor(-q + 0.5L) : std::floor(q + 0.5L));
}

// Holds a weak link to the control while a handler may free it.
class TAliveGuard {
 public:
  explicit TAliveGuard(TObject* AObject) : FLink(cxAddObjectLink(AObject)) {}
  ~TAliveGuard() { cxRemoveObjectLink(FLink); }
  TAliveGuard(const TAliveGuard&) = delete;
  TAliveGuard& operator=(const TAliveGuard&) = delete;
  bool Alive() const { return FLink && FLink->Ref != nullptr; }

 private:
  TcxObjectLink* FLink;
};

}  // namespace

// --- Position hint -----------------------------------------------------------------------------

TcxTrackBarPositionHintHelper::TcxTrackBarPositionHintHelper(TcxCustomTrackBarViewInfo* AViewInfo)
    : FTrackBarViewInfo(AViewInfo),
      FPositionHintHidingTimer(
          cxCreateTimer(MakeMethod(this, &TcxTrackBarPositionHintHelper::HidingTimerHandler), 1000, false)) {}

TcxTrackBarPositionHintHelper::~TcxTrackBarPositionHintHelper() = default;

TcxControl* TcxTrackBarPositionHintHelper::GetOwnerControl() {
  if (FTrackBarViewInfo->Edit()) return FTrackBarViewInfo->Edit();
  return dynamic_cast<TcxControl*>(FTrackBarViewInfo->Owner);
}

// A running timer is not restarted: every mouse move off the thumb schedules again.
void TcxTrackBarPositionHintHelper::ScheduleHiding() {
  FPositionHintHidingTimer->SetEnabled(true);
}

void TcxTrackBarPositionHintHelper::HidingTimerHandler(TObject*) {
  FPositionHintHidingTimer->SetEnabled(false);
  CancelHint();
}

void TcxTrackBarPositionHintHelper::MouseLeave() {
  if (FTrackBarViewInfo->MouseStates.Contains(tbmpSliding)) return;
  if (TcxControl* control = GetOwnerControl(); control && control->HandleAllocated()) {
    const TPoint p = control->GetMouseCursorClientPos();
    const TRect& bounds = FTrackBarViewInfo->Bounds;
    if (FTrackBarViewInfo->GetThumbFromPos(TPoint{p.X - bounds.Left, p.Y - bounds.Top})) return;
  }
  ScheduleHiding();
}

void TcxTrackBarPositionHintHelper::CorrectHintWindowRect(TRect& R) {
  TcxControlHintHelper::CorrectHintWindowRect(R);
  const TcxTrackBarTickMarks marks = FTrackBarViewInfo->TickMarks;
  if (marks != cxtmBoth && marks != cxtmBottomRight) return;
  TcxControl* control = GetOwnerControl();
  if (!control || !control->HandleAllocated()) return;
  TcxTrackBarThumbViewInfo* thumb = FTrackBarViewInfo->HotThumb();
  if (!thumb) thumb = FTrackBarViewInfo->PressedThumb();
  if (!thumb) thumb = FTrackBarViewInfo->GetThumb(0);
  const TRect& bounds = FTrackBarViewInfo->Bounds;
  const TRect screen = control->ClientToScreen(
      cxRectOffset(FTrackBarViewInfo->RealThumbBounds(thumb), bounds.Left, bounds.Top));
  if (FTrackBarViewInfo->OrientationHelper()->IsHorizontal())
    R = cxRectSetTop(R, screen.Top - R.Height() - 10);
  else
    R = cxRectSetLeft(R, screen.Left - R.Width() - 10);
}

// --- Controller --------------------------------------------------------------------------------

TcxTrackBarController::~TcxTrackBarController() = default;

void TcxTrackBarController::FocusChanged() {
  FreeTimer();
}

int32_t TcxTrackBarController::GetPositionAfterKeyDown(WORD Key, int32_t APosition) {
  TcxCustomTrackBarViewInfo* viewInfo = ViewInfo();
  TcxCustomTrackBarProperties* properties = Properties();
  int32_t result = APosition;
  switch (Key) {
    case VK_PRIOR:
      result = viewInfo->GetCalculatedPosition(APosition, false, false, false);
      break;
    case VK_NEXT:
      result = viewInfo->GetCalculatedPosition(APosition, true, false, false);
      break;
    case VK_LEFT:
    case VK_UP:
      result = viewInfo->GetCalculatedPosition(APosition, false, true, false);
      break;
    case VK_RIGHT:
    case VK_DOWN:
      result = viewInfo->GetCalculatedPosition(APosition, true, true, false);
      break;
    case VK_END:
      result = properties->ReverseDirection() ? properties->Min() : properties->Max();
      break;
    case VK_HOME:
      result = properties->ReverseDirection() ? properties->Max() : properties->Min();
      break;
    default:
      break;
  }
  return properties->FixPosition(result);
}

void TcxTrackBarController::SetSelection(int32_t AStart, int32_t ANew) {
  TcxCustomTrackBarProperties* properties = Properties();
  properties->BeginUpdate();
  if (ANew < AStart) {
    properties->SetSelectionStart(ANew);
    properties->SetSelectionEnd(AStart);
  } else {
    properties->SetSelectionStart(AStart);
    properties->SetSelectionEnd(ANew);
  }
  properties->EndUpdate();
}

void TcxTrackBarController::KeyDown(WORD& Key, TShiftState) {
  if (Key == VK_SHIFT) {
    if (!FTrackBar->IsTrackBarInplace() && FSlideState != tbksIncludeSelection) {
      FSlideState = tbksIncludeSelection;
      FStartSelectionPosition = FTrackBar->GetTrackBarPosition();
    }
    return;
  }
  const int32_t position = ViewInfo()->Position();
  const int32_t newPosition = GetPositionAfterKeyDown(Key, position);
  if (newPosition == position) return;
  if (FSlideState == tbksIncludeSelection) SetSelection(FStartSelectionPosition, newPosition);
  FTrackBar->SetTrackBarPosition(newPosition);
  if (Properties()->ShowPositionHint()) ViewInfo()->SchedulePositionHintHiding();
}

void TcxTrackBarController::KeyUp(WORD& Key, TShiftState) {
  if (Key == VK_SHIFT && !FTrackBar->IsTrackBarInplace()) FSlideState = tbksNormal;
}

TRect TcxTrackBarController::GetTrackBounds() {
  TcxCustomTrackBarViewInfo* viewInfo = ViewInfo();
  if (!viewInfo->ShowChangeButtons) return viewInfo->ClientRect;
  const TRect span{viewInfo->LeftButtonRect.Left, viewInfo->TrackBarRect.Top, viewInfo->RightButtonRect.Right,
                   viewInfo->TrackBarRect.Bottom};
  return viewInfo->RealRect(span);
}

int32_t TcxTrackBarController::GetNewPosition(int32_t X, int32_t Y) {
  TcxCustomTrackBarViewInfo* viewInfo = ViewInfo();
  const TPoint p{X, Y};
  TcxTrackBarThumbViewInfo* thumb = viewInfo->GetNearestThumb(p);
  int32_t result = thumb->Position();
  if (Properties()->ThumbStep() == cxtsJump)
    result = viewInfo->GetPositionAfterJump(X, Y);
  else if (viewInfo->IsPtToTheRightFromThumb(p, thumb))
    result = viewInfo->GetCalculatedPosition(thumb->Position(), true, false, false);
  else if (viewInfo->IsPtToTheLeftFromThumb(p, thumb))
    result = viewInfo->GetCalculatedPosition(thumb->Position(), false, false, false);
  return Properties()->FixPosition(result);
}

void TcxTrackBarController::MouseDown(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) {
  TcxCustomTrackBarViewInfo* viewInfo = ViewInfo();
  const TPoint p{X, Y};
  TcxTrackBarThumbViewInfo* thumb = viewInfo->GetThumbFromPos(p);
  viewInfo->SetHotThumb(thumb);
  viewInfo->SetPressedThumb(thumb);
  if (Button != mbLeft) return;
  TcxCustomTrackBarProperties* properties = Properties();
  int32_t newPosition = FTrackBar->GetTrackBarPosition();
  const TRect leftButton = viewInfo->RealRect(viewInfo->LeftButtonRect);
  const TRect rightButton = viewInfo->RealRect(viewInfo->RightButtonRect);
  if (viewInfo->ShowChangeButtons && (cxRectPtIn(leftButton, p) || cxRectPtIn(rightButton, p))) {
    if (cxRectPtIn(leftButton, p)) {
      viewInfo->SetButtonLeftState(cxbsPressed);
      newPosition = properties->FixPosition(viewInfo->GetCalculatedPosition(newPosition, false, true, true));
      FIsMouseDownOnLeftButton = true;
    } else {
      viewInfo->SetButtonRightState(cxbsPressed);
      newPosition = properties->FixPosition(viewInfo->GetCalculatedPosition(newPosition, true, true, true));
      FIsMouseDownOnRightButton = true;
    }
    if (!properties->ReadOnly()) {
      FTimer.reset(cxCreateTimer(MakeMethod(this, &TcxTrackBarController::TimerHandler),
                                 kChangeButtonFirstDelay, true));
    }
  } else if (cxRectPtIn(GetTrackBounds(), p)) {
    if (thumb) {
      viewInfo->MouseStates.Include(tbmpSliding);
      FStoredPosition = FTrackBar->GetTrackBarPosition();
      if (Shift.Contains(ssCtrl)) {
        FSlideState = tbksNormal;
        SetSelection(0, 0);
      }
    } else {
      newPosition = GetNewPosition(X, Y);
      if (properties->ThumbStep() == cxtsJump) {
        viewInfo->MouseStates.Include(tbmpSliding);
        FStoredPosition = newPosition;
      }
    }
  }
  FTrackBar->SetTrackBarPosition(newPosition);
}

int32_t TcxTrackBarController::GetSlidingDelta(int32_t X, int32_t Y) {
  TcxCustomTrackBarViewInfo* viewInfo = ViewInfo();
  const TcxCustomTrackBarViewInfoHelper* helper = viewInfo->OrientationHelper();
  const int32_t delta =
      helper->GetCurrentMousePos(TPoint{X, Y}) - helper->GetCurrentMousePos(FTrackBar->GetMouseDownPoint());
  return viewInfo->ReverseDirection ? -delta : delta;
}

int32_t TcxTrackBarController::GetPositionAfterSliding(int32_t X, int32_t Y) {
  TcxCustomTrackBarViewInfo* viewInfo = ViewInfo();
  // A track no wider than the thumb maps no movement to positions: the thumb stays.
  if (viewInfo->Pixels() <= 0) return Properties()->FixPosition(FStoredPosition);
  const int64_t positions =
      PixelsToPositions(GetSlidingDelta(X, Y), viewInfo->Positions(), viewInfo->Pixels());
  return Properties()->FixPosition(ClampPosition(FStoredPosition + positions));
}

void TcxTrackBarController::UpdatePos(int32_t ANewPosition, TShiftState Shift) {
  if (ANewPosition == FTrackBar->GetTrackBarPosition()) return;
  if (Shift.Contains(ssShift) && FSlideState == tbksIncludeSelection)
    SetSelection(FStartSelectionPosition, ANewPosition);
  FTrackBar->SetTrackBarPosition(ANewPosition);
}

void TcxTrackBarController::UpdateButtonStates(const TPoint& P, TShiftState Shift) {
  TcxCustomTrackBarViewInfo* viewInfo = ViewInfo();
  auto stateOf = [&](const TRect& AButton, bool AMarked) {
    const TRect r = viewInfo->RealRect(AButton);
    if (!cxRectPtIn(r, P)) return cxbsNormal;
    if (!Shift.Contains(ssLeft)) return cxbsHot;
    return AMarked ? cxbsPressed : cxbsNormal;
  };
  viewInfo->SetButtonLeftState(stateOf(viewInfo->LeftButtonRect, FIsMouseDownOnLeftButton));
  viewInfo->SetButtonRightState(stateOf(viewInfo->RightButtonRect, FIsMouseDownOnRightButton));
}

void TcxTrackBarController::MouseMove(TShiftState Shift, int32_t X, int32_t Y) {
  TcxCustomTrackBarViewInfo* viewInfo = ViewInfo();
  if (viewInfo->MouseStates.Contains(tbmpSliding)) {
    if (Shift.Contains(ssLeft)) UpdatePos(GetPositionAfterSliding(X, Y), Shift);
  } else {
    TcxTrackBarThumbViewInfo* thumb = viewInfo->GetThumbFromPos(TPoint{X, Y});
    viewInfo->SetHotThumb(thumb);
    if (thumb) {
      viewInfo->MouseStates.Include(tbmpUnderThumb);
      viewInfo->ProcessPositionHint();
    } else {
      viewInfo->MouseStates.Exclude(tbmpUnderThumb);
      if (Properties()->ShowPositionHint()) viewInfo->SchedulePositionHintHiding();
    }
  }
  if (viewInfo->ShowChangeButtons) UpdateButtonStates(TPoint{X, Y}, Shift);
}

void TcxTrackBarController::TimerHandler(TObject*) {
  if (FTimer->Interval() == kChangeButtonFirstDelay) FTimer->SetInterval(kChangeButtonRepeatDelay);
  TcxCustomTrackBarViewInfo* viewInfo = ViewInfo();
  const int32_t position = FTrackBar->GetTrackBarPosition();
  int32_t newPosition = position;
  if (FIsMouseDownOnLeftButton && viewInfo->ButtonLeftState() == cxbsPressed)
    newPosition = viewInfo->GetCalculatedPosition(position, false, true, true);
  else if (FIsMouseDownOnRightButton && viewInfo->ButtonRightState() == cxbsPressed)
    newPosition = viewInfo->GetCalculatedPosition(position, true, true, true);
  newPosition = Properties()->FixPosition(newPosition);
  if (newPosition != position) FTrackBar->SetTrackBarPosition(newPosition);
}

void TcxTrackBarController::MouseUp(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) {
  FreeTimer();
  if (Button != mbLeft) return;
  TcxCustomTrackBarViewInfo* viewInfo = ViewInfo();
  const TPoint p{X, Y};
  viewInfo->MouseStates.Exclude(tbmpSliding);
  if (viewInfo->GetThumbFromPos(p)) {
    viewInfo->MouseStates.Include(tbmpUnderThumb);
  } else {
    viewInfo->MouseStates.Exclude(tbmpUnderThumb);
    if (Properties()->ShowPositionHint()) viewInfo->SchedulePositionHintHiding();
  }
  if (viewInfo->ShowChangeButtons) {
    FIsMouseDownOnLeftButton = false;
    FIsMouseDownOnRightButton = false;
    Shift.Exclude(ssLeft);
    UpdateButtonStates(p, Shift);
  }
}

void TcxTrackBarController::MouseEnter() {
  TcxCustomTrackBarViewInfo* viewInfo = ViewInfo();
  viewInfo->MouseStates.Include(tbmpInControl);
  if (viewInfo->MouseStates.Contains(tbmpSliding) && (GetAsyncKeyState(VK_LBUTTON) & 0x8000) == 0) {
    viewInfo->MouseStates.Exclude(tbmpSliding);
    viewInfo->MouseStates.Exclude(tbmpUnderThumb);
  }
}

void TcxTrackBarController::MouseLeave() {
  TcxCustomTrackBarViewInfo* viewInfo = ViewInfo();
  viewInfo->SetHotThumb(nullptr);
  viewInfo->MouseStates.Exclude(tbmpInControl);
  viewInfo->MouseStates.Exclude(tbmpUnderThumb);
  if (viewInfo->ButtonLeftState() != cxbsDisabled) viewInfo->SetButtonLeftState(cxbsNormal);
  if (viewInfo->ButtonRightState() != cxbsDisabled) viewInfo->SetButtonRightState(cxbsNormal);
  viewInfo->PositionHintHelper()->MouseLeave();
}

// --- The control -------------------------------------------------------------------------------

TcxCustomTrackBar::TcxCustomTrackBar(TComponent* AOwner, bool AIsInplace)
    : TcxCustomEdit(AOwner, AIsInplace, &cxCreateContainerStyle<TcxTrackBarStyle>) {
  TControlStyle style = ControlStyle();
  style.Exclude(csClickEvents);
  style.Exclude(csDoubleClicks);
  SetControlStyle(style);
  TcxKeys keys = Keys();
  keys.Include(kArrows);
  SetKeys(keys);
  FEditValue = Variant(0);
  // Stored forms leave out ParentColor while it is True.
  SetParentColor(true);
  SetEditAutoSize(false);
  SetWidth(196);
  SetHeight(76);
}

TcxCustomTrackBar::~TcxCustomTrackBar() {
  FController.reset();
}

TcxTrackBarController* TcxCustomTrackBar::Controller() {
  if (!FController) FController.reset(CreateController());
  return FController.get();
}

TcxTrackBarController* TcxCustomTrackBar::CreateController() {
  return new TcxTrackBarController(this);
}

int32_t TcxCustomTrackBar::GetPosition() {
  TcxCustomTrackBarProperties* properties = ActiveProperties();
  return properties->FixPosition(properties->EditValueToPosition(EditValue()));
}

void TcxCustomTrackBar::SetPosition(int32_t Value) {
  if (!ComponentState().Contains(csLoading)) Value = ActiveProperties()->FixPosition(Value);
  if (Value != GetPosition()) SetEditValue(Variant(Value));
}

String TcxCustomTrackBar::GetDisplayText() {
  return IntToStr(GetPosition());
}

void TcxCustomTrackBar::InternalSetPosition(int32_t AValue) {
  // The zoom bar's sliding hands positions over unfixed; the edit value stays in range.
  AValue = ActiveProperties()->FixPosition(AValue);
  BeginUserAction();
  try {
    if (AValue != GetPosition() && DoEditing()) {
      InternalStoreEditValue(Variant(AValue));
      ActiveProperties()->Changed();
      SetModifiedAfterEnter(true);
      DoEditValueChanged();
      DoChange();
      if (ValidateEdit()) PostEditValue();
      ViewInfo()->ProcessPositionHint();
    }
  } catch (...) {
    EndUserAction();
    throw;
  }
  EndUserAction();
}

void TcxCustomTrackBar::InternalValidateDisplayValue(const Variant& ADisplayValue) {
  try {
    TcxCustomEdit::InternalValidateDisplayValue(ADisplayValue);
  } catch (...) {
    ViewInfo()->PositionHintHelper()->CancelHint();
    throw;
  }
  if (ValidationError()) ViewInfo()->PositionHintHelper()->CancelHint();
}

void TcxCustomTrackBar::KeyDown(WORD& Key, TShiftState Shift) {
  TcxCustomEdit::KeyDown(Key, Shift);
  if (Key != 0) Controller()->KeyDown(Key, Shift);
}

void TcxCustomTrackBar::KeyUp(WORD& Key, TShiftState Shift) {
  TcxCustomEdit::KeyUp(Key, Shift);
  if (Key != 0) Controller()->KeyUp(Key, Shift);
}

void TcxCustomTrackBar::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  const TPoint previous = MouseDownPos();
  TAliveGuard guard(this);
  TcxCustomEdit::MouseDown(Button, Shift, X, Y);
  if (!guard.Alive()) return;
  if (Button != mbLeft) {
    SetMouseDownPos(previous);
    Controller()->MouseDown(Button, Shift, X, Y);
    return;
  }
  Controller()->MouseDown(Button, Shift, X, Y);
  if (guard.Alive()) ShortRefreshContainer(true);
}

void TcxCustomTrackBar::MouseMove(TShiftState Shift, int X, int Y) {
  TcxCustomEdit::MouseMove(Shift, X, Y);
  TcxCustomTrackBarViewInfo* viewInfo = ViewInfo();
  const TcxButtonState left = viewInfo->ButtonLeftState(), right = viewInfo->ButtonRightState();
  const TcxTrackBarMouseStates states = viewInfo->MouseStates;
  TcxTrackBarThumbViewInfo* hot = viewInfo->HotThumb();
  Controller()->MouseMove(Shift, X, Y);
  if (left != viewInfo->ButtonLeftState() || right != viewInfo->ButtonRightState() ||
      !(states == viewInfo->MouseStates) || hot != viewInfo->HotThumb())
    ShortRefreshContainer(true);
}

void TcxCustomTrackBar::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  // A release never clicks.
  if (Button == mbLeft) {
    TControlState state = ControlState();
    state.Exclude(csClicked);
    SetControlState(state);
  }
  Controller()->MouseUp(Button, Shift, X, Y);
  ShortRefreshContainer(true);
  TcxCustomEdit::MouseUp(Button, Shift, X, Y);
}

void TcxCustomTrackBar::MouseEnter(TControl* AControl) {
  TcxCustomEdit::MouseEnter(AControl);
  Controller()->MouseEnter();
}

void TcxCustomTrackBar::MouseLeave(TControl* AControl) {
  TcxCustomEdit::MouseLeave(AControl);
  Controller()->MouseLeave();
  ShortRefreshContainer(false);
}

void TcxCustomTrackBar::FocusChanged() {
  Controller()->FocusChanged();
  TcxCustomEdit::FocusChanged();
}

void TcxCustomTrackBar::PopulateSizeProperties(TcxEditSizeProperties& AEditSizeProperties) {
  TcxCustomEdit::PopulateSizeProperties(AEditSizeProperties);
  AEditSizeProperties.MaxLineCount = 1;
  AEditSizeProperties.Width = ViewInfo()->TextRect.Width();
}

// --- Published classes -------------------------------------------------------------------------

namespace {

const TTypeInfo* TrackBarOrientationTypeInfo() {
  static const TTypeInfo info =
      MakeEnumTypeInfo(u"TcxTrackBarOrientation", {u"tboHorizontal", u"tboVertical"});
  return &info;
}
const TTypeInfo* TrackBarTextOrientationTypeInfo() {
  static const TTypeInfo info =
      MakeEnumTypeInfo(u"TcxTrackBarTextOrientation", {u"tbtoHorizontal", u"tbtoVertical"});
  return &info;
}
const TTypeInfo* TickMarksTypeInfo() {
  static const TTypeInfo info =
      MakeEnumTypeInfo(u"TcxTrackBarTickMarks", {u"cxtmBoth", u"cxtmTopLeft", u"cxtmBottomRight"});
  return &info;
}
const TTypeInfo* TickTypeTypeInfo() {
  static const TTypeInfo info = MakeEnumTypeInfo(
      u"TcxTrackBarTickType", {u"tbttTicks", u"tbttNumbers", u"tbttValueNumber", u"tbttTicksAndNumbers"});
  return &info;
}
const TTypeInfo* ThumbTypeTypeInfo() {
  static const TTypeInfo info =
      MakeEnumTypeInfo(u"TcxTrackBarThumbType", {u"cxttNone", u"cxttRegular", u"cxttCustom"});
  return &info;
}
const TTypeInfo* TrackBarValidationOptionsTypeInfo() {
  static const TTypeInfo element = MakeEnumTypeInfo(
      u"TcxEditValidationOption", {u"evoRaiseException", u"evoShowErrorIcon", u"evoAllowLoseFocus"});
  static const TTypeInfo info = MakeSetTypeInfo(u"TcxEditValidationOptions", &element);
  return &info;
}
const TTypeInfo* ThumbStepTypeInfo() {
  static const TTypeInfo info = MakeEnumTypeInfo(u"TcxTrackBarThumbStep", {u"cxtsNormal", u"cxtsJump"});
  return &info;
}

}  // namespace

void TcxTrackBarProperties::RegisterProperties(TPropertyRegistrar& r) {
  using P = TcxCustomTrackBarProperties;
  using B = TcxCustomEditProperties;
  r.Prop("AutoSize", &P::AutoSize, &P::SetAutoSize).Default(true);
  r.Prop("BorderWidth", &P::BorderWidth, &P::SetBorderWidth).Default(0);
  r.Prop("ClearKey", &B::ClearKey, &B::SetClearKey).Default(0);
  r.Prop("Frequency", &P::Frequency, &P::SetFrequency).Default(1);
  r.Prop("LineSize", &P::LineSize, &P::SetLineSize).Default(1);
  r.Prop("Max", &P::Max, &P::SetMax).Default(10);
  r.Prop("Min", &P::Min, &P::SetMin).Default(0);
  r.Prop("Orientation", &P::Orientation, &P::SetOrientation, TrackBarOrientationTypeInfo())
      .Default(tboHorizontal);
  r.Prop("PageSize", &P::PageSize, &P::SetPageSize).Default(2);
  r.Prop("ReverseDirection", &P::ReverseDirection, &P::SetReverseDirection).Default(false);
  r.Prop("SelectionColor", &P::SelectionColor, &P::SetSelectionColor, TypeInfoTColor()).Default(clHighlight);
  r.Prop("SelectionEnd", &P::SelectionEnd, &P::SetSelectionEnd).Default(0);
  r.Prop("SelectionStart", &P::SelectionStart, &P::SetSelectionStart).Default(0);
  r.Prop("ShowChangeButtons", &P::ShowChangeButtons, &P::SetShowChangeButtons).Default(false);
  r.Prop("ShowPositionHint", &P::ShowPositionHint, &P::SetShowPositionHint).Default(false);
  r.Prop("ShowTicks", &P::ShowTicks, &P::SetShowTicks).Default(true);
  r.Prop("ShowTrack", &P::ShowTrack, &P::SetShowTrack).Default(true);
  r.Prop("TextOrientation", &P::TextOrientation, &P::SetTextOrientation, TrackBarTextOrientationTypeInfo())
      .Default(tbtoHorizontal);
  r.Prop("ThumbColor", &P::ThumbColor, &P::SetThumbColor, TypeInfoTColor()).Default(clBtnFace);
  r.Prop("ThumbHeight", &P::ThumbHeight, &P::SetThumbHeight).Default(12);
  r.Prop("ThumbHighlightColor", &P::ThumbHighlightColor, &P::SetThumbHighlightColor, TypeInfoTColor())
      .Default(0xC0C0C0);
  r.Prop("ThumbStep", &P::ThumbStep, &P::SetThumbStep, ThumbStepTypeInfo()).Default(cxtsNormal);
  r.Prop("ThumbType", &P::ThumbType, &P::SetThumbType, ThumbTypeTypeInfo()).Default(cxttRegular);
  r.Prop("ThumbWidth", &P::ThumbWidth, &P::SetThumbWidth).Default(7);
  r.Prop("TickColor", &P::TickColor, &P::SetTickColor, TypeInfoTColor()).Default(clWindowText);
  r.Prop("TickMarks", &P::TickMarks, &P::SetTickMarks, TickMarksTypeInfo()).Default(cxtmBottomRight);
  r.Prop("TickSize", &P::TickSize, &P::SetTickSize).Default(3);
  r.Prop("TickType", &P::TickType, &P::SetTickType, TickTypeTypeInfo()).Default(tbttTicks);
  r.Prop("TrackColor", &P::TrackColor, &P::SetTrackColor, TypeInfoTColor()).Default(clWindow);
  r.Prop("TrackSize", &P::TrackSize, &P::SetTrackSize).Default(5);
  r.Prop("ValidationErrorIconAlignment", &B::ValidationErrorIconAlignment,
         &B::SetValidationErrorIconAlignment, TypeInfoTAlignment())
      .Default(taLeftJustify);
  r.Prop("ValidationOptions", &B::ValidationOptions, &B::SetValidationOptions,
         TrackBarValidationOptionsTypeInfo())
      .Default(1);
  r.Event("OnChange", &B::OnChange, &B::SetOnChange);
  r.Event("OnDrawThumb", &P::OnDrawThumb, &P::SetOnDrawThumb);
  r.Event("OnGetPositionHint", &P::OnGetPositionHint, &P::SetOnGetPositionHint);
  r.Event("OnGetThumbRect", &P::OnGetThumbRect, &P::SetOnGetThumbRect);
  r.Event("OnGetTickLabel", &P::OnGetTickLabel, &P::SetOnGetTickLabel);
  r.Event("OnValidate", &B::OnValidate, &B::SetOnValidate);
}

void TcxTrackBar::RegisterProperties(TPropertyRegistrar& r) {
  using C = TcxCustomTrackBar;
  r.Prop("Position", &C::Position, &C::SetPosition).Default(0);
  r.Prop("Properties", &TcxTrackBar::Properties, &TcxTrackBar::SetProperties);
  r.Prop("Style", &TcxTrackBar::StoredStyle, &TcxTrackBar::SetStoredStyle);
  r.Prop("StyleDisabled", &TcxTrackBar::StoredStyleDisabled, &TcxTrackBar::SetStoredStyleDisabled);
  r.Prop("StyleFocused", &TcxTrackBar::StoredStyleFocused, &TcxTrackBar::SetStoredStyleFocused);
  r.Prop("StyleHot", &TcxTrackBar::StoredStyleHot, &TcxTrackBar::SetStoredStyleHot);
  r.Prop("ParentColor", &TControl::ParentColor, &TControl::SetParentColor).Default(true);
  r.Prop("TabStop", &TWinControl::TabStop, &TWinControl::SetTabStop).Default(true);
  r.Prop("Transparent", &TcxControl::Transparent, &TcxControl::SetTransparent).Default(false);
}

// --- Unit start-up -----------------------------------------------------------------------------

// --- Filter helper -----------------------------------------------------------------------------

TcxFilterEditHelperClass TcxFilterTrackBarHelper::Class() {
  static const TcxFilterTrackBarHelper instance;
  return &instance;
}

void TcxFilterTrackBarHelper::InitializeProperties(TcxCustomEditProperties* AProperties,
                                                   TcxCustomEditProperties* AEditProperties,
                                                   bool AHasButtons) const {
  TcxFilterSpinEditHelper::InitializeProperties(AProperties, AEditProperties, AHasButtons);
  AProperties->Buttons()->Add();
  AProperties->Buttons()->Add();
  auto* bar = dynamic_cast<TcxCustomTrackBarProperties*>(AEditProperties);
  if (!bar) return;
  AProperties->SetMinValue(bar->Min());
  AProperties->SetMaxValue(bar->Max());
  if (auto* spin = dynamic_cast<TcxCustomSpinEditProperties*>(AProperties))
    spin->SetLargeIncrement(bar->PageSize());
}

namespace cxTrackBar {

void Initialize() {
  RegisterClass(TcxTrackBar::StaticClass());
  GetRegisteredEditProperties()->Register(TcxTrackBarProperties::StaticClass(),
                                          cxGetResourceString(scxSEditTrackBarDescription));
  FilterEditsController()->Register(TcxTrackBarProperties::StaticClass(), TcxFilterTrackBarHelper::Class());
}

void Finalize() {
  if (TcxRegisteredClasses* registered = GetRegisteredEditProperties())
    registered->Unregister(TcxTrackBarProperties::StaticClass());
  if (FilterEditsControllerAssigned())
    FilterEditsController()->Unregister(TcxTrackBarProperties::StaticClass(),
                                        TcxFilterTrackBarHelper::Class());
  UnRegisterClass(TcxTrackBar::StaticClass());
}

}  // namespace cxTrackBar

}  // namespace qd
