// TWinControl: alignment of the child controls and scaling.
#include "platform/base/mathutil.h"
#include "platform/forms/controls.h"

namespace qd {

// ---- Alignment --------------------------------------------------------------------------------------------

void TWinControl::DisableAlign() {
  ++alignLevel_;
}

void TWinControl::EnableAlign() {
  --alignLevel_;
  if (alignLevel_ == 0 && controlState_.Contains(csAlignmentNeeded)) Realign();
}

void TWinControl::Realign() {
  AlignControl(nullptr);
}

void TWinControl::AlignControl(TControl* AControl) {
  if (!handle_ || ComponentState().Contains(csDestroying)) return;
  if (alignLevel_ != 0) {
    controlState_.Include(csAlignmentNeeded);
    return;
  }
  DisableAlign();
  try {
    TRect r = GetClientRect();
    AlignControls(AControl, r);
  } catch (...) {
    controlState_.Exclude(csAlignmentNeeded);
    EnableAlign();
    throw;
  }
  controlState_.Exclude(csAlignmentNeeded);
  EnableAlign();
}

namespace {

bool InsertBefore(TControl* C1, TControl* C2, TAlign AAlign) {
  switch (AAlign) {
    case alTop:
      return C1->Top() < C2->Top();
    case alBottom:
      return C1->Top() + C1->Height() >= C2->Top() + C2->Height();
    case alLeft:
      return C1->Left() < C2->Left();
    case alRight:
      return C1->Left() + C1->Width() >= C2->Left() + C2->Width();
    default:
      return false;
  }
}

}  // namespace

void TWinControl::DoAlign(TAlign AAlign, TControl* AControl, TRect& Rect) {
  std::vector<TControl*> list;
  if (AControl && AControl->Align() == AAlign && (AAlign == alNone || AControl->Visible()))
    list.push_back(AControl);
  for (int i = 0; i < ControlCount(); ++i) {
    TControl* c = Controls(i);
    if (c->Align() != AAlign || c == AControl) continue;
    if (AAlign != alNone && !c->Visible()) continue;
    size_t j = 0;
    if (AAlign == alCustom) {
      while (j < list.size() && !CustomAlignInsertBefore(c, list[j])) ++j;
    } else {
      while (j < list.size() && !InsertBefore(c, list[j], AAlign)) ++j;
    }
    list.insert(list.begin() + static_cast<ptrdiff_t>(j), c);
  }
  for (TControl* c : list) {
    if (AAlign == alNone || c->Anchors() != AnchorAlign(AAlign)) {
      if (c->originalParentSize_.X != 0 && c->originalParentSize_.Y != 0) {
        int nl = c->Left(), nt = c->Top(), nw = c->Width(), nh = c->Height();
        TPoint ps = handle_ ? GetClientRect().BottomRight() : TPoint{width_, height_};
        const TPoint ops = c->originalParentSize_, ar = c->anchorRules_;
        const TAnchors a = c->Anchors();
        if (a.Contains(akRight)) {
          if (a.Contains(akLeft))
            nw = ps.X - (ops.X - ar.X);
          else
            nl = ps.X - (ops.X - ar.X);
        } else if (!a.Contains(akLeft)) {
          nl = MulDiv(ar.X, ps.X, ops.X) - nw / 2;
        }
        if (a.Contains(akBottom)) {
          if (a.Contains(akTop))
            nh = ps.Y - (ops.Y - ar.Y);
          else
            nt = ps.Y - (ops.Y - ar.Y);
        } else if (!a.Contains(akTop)) {
          nt = MulDiv(ar.Y, ps.Y, ops.Y) - nh / 2;
        }
        c->anchorMove_ = true;
        try {
          c->SetBounds(nl, nt, nw, nh);
        } catch (...) {
          c->anchorMove_ = false;
          throw;
        }
        c->anchorMove_ = false;
      }
      if (AAlign == alNone) continue;
    }
    // Aligned with margins, the control's share of Rect includes its margins.
    const bool withMargins = c->AlignWithMargins() && AAlign != alCustom;
    const int ml = withMargins ? c->Margins()->Left() : 0, mt = withMargins ? c->Margins()->Top() : 0;
    const int mr = withMargins ? c->Margins()->Right() : 0, mb = withMargins ? c->Margins()->Bottom() : 0;
    int nw = Rect.Right - Rect.Left - ml - mr;
    if (nw < 0 || AAlign == alLeft || AAlign == alRight || AAlign == alCustom) nw = c->Width();
    int nh = Rect.Bottom - Rect.Top - mt - mb;
    if (nh < 0 || AAlign == alTop || AAlign == alBottom || AAlign == alCustom) nh = c->Height();
    int nl = Rect.Left + ml, nt = Rect.Top + mt;
    switch (AAlign) {
      case alTop:
        Rect.Top += nh + mt + mb;
        break;
      case alBottom:
        Rect.Bottom -= nh + mt + mb;
        nt = Rect.Bottom + mt;
        break;
      case alLeft:
        Rect.Left += nw + ml + mr;
        break;
      case alRight:
        Rect.Right -= nw + ml + mr;
        nl = Rect.Right + ml;
        break;
      case alCustom:
        nl = c->Left();
        nt = c->Top();
        CustomAlignPosition(c, nl, nt, nw, nh, Rect);
        break;
      default:
        break;
    }
    c->anchorMove_ = true;
    try {
      c->SetBounds(nl, nt, nw, nh);
    } catch (...) {
      c->anchorMove_ = false;
      throw;
    }
    c->anchorMove_ = false;
    // The control may not have taken the size it was given.
    if (c->Width() != nw || c->Height() != nh) {
      switch (AAlign) {
        case alTop:
          Rect.Top -= nh - c->Height();
          break;
        case alBottom:
          Rect.Bottom += nh - c->Height();
          break;
        case alLeft:
          Rect.Left -= nw - c->Width();
          break;
        case alRight:
          Rect.Right += nw - c->Width();
          break;
        case alClient:
          Rect.Right += nw - c->Width();
          Rect.Bottom += nh - c->Height();
          break;
        default:
          break;
      }
    }
  }
}

void TWinControl::AlignControls(TControl* AControl, TRect& Rect) {
  bool work = false;
  for (int i = 0; i < ControlCount() && !work; ++i)
    work = Controls(i)->Align() != alNone || Controls(i)->Anchors() != TAnchors{akLeft, akTop};
  if (!work) return;
  AdjustClientRect(Rect);
  controlState_.Include(csAligning);
  try {
    for (TAlign a : {alTop, alBottom, alLeft, alRight, alClient, alCustom, alNone})
      DoAlign(a, AControl, Rect);
  } catch (...) {
    controlState_.Exclude(csAligning);
    throw;
  }
  controlState_.Exclude(csAligning);
}

void TWinControl::ScaleBy(int M, int D) {
  ChangeScale(M, D, false);
}

void TWinControl::ChangeScale(int M, int D, bool isDpiChange) {
  if (M == D) return;
  DisableAlign();
  try {
    for (int i = 0; i < ControlCount(); ++i) Controls(i)->ChangeScale(M, D, isDpiChange);
    if (designSize_ != TPoint{0, 0}) designSize_ = {MulDiv(designSize_.X, M, D), MulDiv(designSize_.Y, M, D)};
    inherited::ChangeScale(M, D, isDpiChange);
  } catch (...) {
    EnableAlign();
    throw;
  }
  EnableAlign();
}

void TWinControl::ScaleForPPI(int NewPPI) {
  if (NewPPI == CurrentPPI() || NewPPI <= 0) return;
  const int old = CurrentPPI();
  ChangeScale(NewPPI, old, true);
  SetCurrentPPI(NewPPI);
  for (int i = 0; i < ControlCount(); ++i) Controls(i)->SetCurrentPPI(NewPPI);
}

void TWinControl::ScaleControlsForDpi(int NewPPI) {
  DisableAlign();
  try {
    for (int i = 0; i < ControlCount(); ++i) Controls(i)->ScaleForPPI(NewPPI);
  } catch (...) {
    EnableAlign();
    throw;
  }
  EnableAlign();
}

}  // namespace qd
