#include "ui/controls/cxScrollHelper.h"

#include <algorithm>

#include "ui/controls/cxControlScrollBars.h"
#include "ui/controls/cxControls.h"

namespace qd {

namespace {

constexpr int32_t cxScrollHelperLineSize = 10;

}  // namespace

TSize TdxScrollHelper::GetClientSize(IdxScrollingControl* C) {
  const TRect r = C->GetInstance()->GetClientBounds();
  return TSize{r.Width(), r.Height()};
}

bool TdxScrollHelper::IsScrollDataValid(IdxScrollingControl* C) {
  return C->GetInstance()->HandleAllocated();
}

void TdxScrollHelper::InitScrollBarsParameters(IdxScrollingControl* C) {
  TcxControl* control = C->GetInstance();
  const TSize content = C->GetContentSize(), client = GetClientSize(C);
  control->SetScrollBarInfo(sbHorizontal, 0, content.cx - 1, cxScrollHelperLineSize, client.cx,
                            C->GetLeftPos(), true, true);
  control->SetScrollBarInfo(sbVertical, 0, content.cy - 1, cxScrollHelperLineSize, client.cy, C->GetTopPos(),
                            true, true);
}

void TdxScrollHelper::Scroll(IdxScrollingControl* C, TScrollBarKind AKind, TScrollCode ACode, int32_t& APos) {
  const bool horizontal = AKind == sbHorizontal;
  const TSize client = GetClientSize(C);
  int64_t pos = horizontal ? C->GetLeftPos() : C->GetTopPos();
  switch (ACode) {
    case scLineUp:
      pos -= cxScrollHelperLineSize;
      break;
    case scLineDown:
      pos += cxScrollHelperLineSize;
      break;
    case scPageUp:
      pos -= horizontal ? client.cx : client.cy;
      break;
    case scPageDown:
      pos += horizontal ? client.cx : client.cy;
      break;
    case scTrack:
      pos = APos;
      break;
    default:
      break;
  }
  const int32_t value = static_cast<int32_t>(std::clamp<int64_t>(pos, INT32_MIN, INT32_MAX));
  if (horizontal) {
    SetLeftPos(C, value);
    APos = C->GetLeftPos();
  } else {
    SetTopPos(C, value);
    APos = C->GetTopPos();
  }
}

int32_t TdxScrollHelper::CheckLeftPos(IdxScrollingControl* C, int32_t Value) {
  return std::max(0, std::min(Value, C->GetContentSize().cx - GetClientSize(C).cx));
}

int32_t TdxScrollHelper::CheckTopPos(IdxScrollingControl* C, int32_t Value) {
  return std::max(0, std::min(Value, C->GetContentSize().cy - GetClientSize(C).cy));
}

void TdxScrollHelper::SetLeftPos(IdxScrollingControl* C, int32_t Value) {
  Value = CheckLeftPos(C, Value);
  if (Value == C->GetLeftPos()) return;
  C->SetLeftPos(Value);
  if (IsScrollDataValid(C)) ScrollContent(C);
}

void TdxScrollHelper::SetTopPos(IdxScrollingControl* C, int32_t Value) {
  Value = CheckTopPos(C, Value);
  if (Value == C->GetTopPos()) return;
  C->SetTopPos(Value);
  if (IsScrollDataValid(C)) ScrollContent(C);
}

void TdxScrollHelper::SetPos(IdxScrollingControl* C, int32_t X, int32_t Y) {
  X = CheckLeftPos(C, X);
  Y = CheckTopPos(C, Y);
  if (X == C->GetLeftPos() && Y == C->GetTopPos()) return;
  C->SetLeftPos(X);
  C->SetTopPos(Y);
  if (IsScrollDataValid(C)) ScrollContent(C);
}

void TdxScrollHelper::ScrollContent(IdxScrollingControl* C) {
  TcxControl* control = C->GetInstance();
  control->UpdateScrollBars();
  // The bars may have changed the client size: clamp both positions again.
  SetPos(C, C->GetLeftPos(), C->GetTopPos());
  control->Invalidate();
  control->Update();
}

void TdxScrollHelper::GestureScroll(IdxScrollingControl* C, int32_t ADeltaX, int32_t ADeltaY) {
  TcxControl* control = C->GetInstance();
  auto takesPart = [&](TScrollBarKind AKind) {
    TcxControlScrollBar* bar = control->GetScrollBar(AKind);
    return control->IsScrollBarActive(AKind) && bar && bar->Enabled();
  };
  if (!takesPart(sbHorizontal)) ADeltaX = 0;
  if (!takesPart(sbVertical)) ADeltaY = 0;
  const int32_t left = C->GetLeftPos() - ADeltaX, top = C->GetTopPos() - ADeltaY;
  const TSize content = C->GetContentSize(), client = GetClientSize(C);
  // Beyond either end the gesture helper gives overpan feedback.
  if (ADeltaX != 0) control->CheckOverpan(sbHorizontal, left, 0, content.cx - client.cx, ADeltaX, ADeltaY);
  if (ADeltaY != 0) control->CheckOverpan(sbVertical, top, 0, content.cy - client.cy, ADeltaX, ADeltaY);
  SetPos(C, left, top);
}

}  // namespace qd
