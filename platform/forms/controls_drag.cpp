// Dragging controls: the drag objects, the drag that follows the mouse through a capture
// window, the targets' CM_DRAG notifications and the end of a drag.
#include <cstdlib>

#include "platform/forms/controls.h"
#include "platform/forms/forms.h"
#include "platform/forms/imglist.h"
#include "platform/os/user.h"

namespace qd {

QD_IMPLEMENT_CLASS(TDragObject)
QD_IMPLEMENT_CLASS(TBaseDragControlObject)
QD_IMPLEMENT_CLASS(TDragControlObject)

namespace {

// The drag under way. The control is set from the start of BeginDrag (a CancelDrag inside
// DoStartDrag clears it); the object once the control supplied or got one.
struct TDragSession {
  TControl* Control = nullptr;
  TDragObject* Object = nullptr;
  // The platform made the object: it frees it, and targets see the control as the source.
  bool FreeObject = false;
  bool Active = false;  // the mouse has left the threshold
  int Threshold = 0;
  TPoint StartPos;
  bool Accepted = false;
  TDragImageList* Images = nullptr;
};

TDragSession gDrag;
// The object of a drag being ended (its target's drop handler may free the dragged control).
TDragObject* gEndingObject = nullptr;

TObject* DragSource() {
  if (gDrag.FreeObject)
    if (auto* o = dynamic_cast<TBaseDragControlObject*>(gDrag.Object)) return o->Control();
  return gDrag.Object;
}

// Sends CM_DRAG to the target; answers its result.
LRESULT SendDragMessage(TControl* Target, TDragMessage Kind, TPoint Pos) {
  TDragRec rec;
  rec.Pos = Pos;
  rec.Source = gDrag.Object;
  rec.Target = Target;
  return Target->Perform(CM_DRAG, Kind, reinterpret_cast<LPARAM>(&rec));
}

void SetDragCursor(bool Accepted, TPoint Pos) {
  if (!gDrag.Object || !Screen) return;
  ::qd::SetCursor(Screen->Cursors(gDrag.Object->GetDragCursor(Accepted, Pos.X, Pos.Y)));
}

void DragTo(TPoint Pos) {
  TDragObject* object = gDrag.Object;
  TControl* target = FindDragTarget(Pos, false);
  bool accepted = false;
  if (target != object->DragTarget) {
    if (TControl* old = object->DragTarget) {
      object->DragTarget = nullptr;
      SendDragMessage(old, dmDragLeave, Pos);
      if (gDrag.Object != object) return;  // the target ended the drag
    }
    object->DragTarget = target;
    if (target) accepted = SendDragMessage(target, dmDragEnter, Pos) != 0;
  } else if (target) {
    accepted = SendDragMessage(target, dmDragMove, Pos) != 0;
  }
  if (gDrag.Object != object) return;
  gDrag.Accepted = accepted && target;
  object->DragPos = Pos;
  object->DragTargetPos = target ? target->ScreenToClient(Pos) : Pos;
  if (gDrag.Images) {
    if (target && (object->AlwaysShowDragImages || target->ControlStyle().Contains(csDisplayDragImage)))
      object->ShowDragImage();
    else
      object->HideDragImage();
    gDrag.Images->DragMove(Pos.X, Pos.Y);
  }
  SetDragCursor(gDrag.Accepted, Pos);
}

void DragDone(bool Drop) {
  TDragObject* object = gDrag.Object;
  if (!object) return;
  const bool freeObject = gDrag.FreeObject;
  TDragImageList* images = gDrag.Images;
  const TPoint pos = object->DragPos;
  TControl* target = object->DragTarget;
  const bool accepted = Drop && gDrag.Active && gDrag.Accepted && target;
  gDrag = TDragSession{};  // from here a nested end (lost capture) finds nothing to do
  gEndingObject = object;
  struct TEnded {
    ~TEnded() { gEndingObject = nullptr; }
  } ended;

  object->Cancelling = !accepted;
  object->Dropped = accepted;
  if (HWND capture = object->DragHandle) {
    object->DragHandle = nullptr;
    if (GetCapture() == capture) ReleaseCapture();
    DeallocateHWnd(capture);
  }
  if (images) images->EndDrag();
  if (Screen) ::qd::SetCursor(Screen->Cursors(crDefault));

  TPoint targetPos = pos;
  if (target) {
    targetPos = target->ScreenToClient(pos);
    // Bit 8: the drag has ended and the platform made the object (the target sees the
    // source as it saw it while the drag ran).
    TDragRec rec;
    rec.Pos = pos;
    rec.Source = object;
    rec.Target = target;
    target->Perform(CM_DRAG, (accepted ? dmDragDrop : dmDragLeave) | (freeObject ? 0x100 : 0),
                    reinterpret_cast<LPARAM>(&rec));
  }
  object->DragTarget = nullptr;
  struct TFreeObject {
    TDragObject* Object;
    bool Free;
    ~TFreeObject() {
      if (Free) delete Object;
    }
  } freeLater{object, freeObject};
  object->Finished(accepted ? target : nullptr, targetPos.X, targetPos.Y, accepted);
}

void DragCaptureWndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_MOUSEMOVE: {
      if (!gDrag.Object) break;
      POINT p{static_cast<int16_t>(Message.LParamLo()), static_cast<int16_t>(Message.LParamHi())};
      if (gDrag.Object->DragHandle) ClientToScreen(gDrag.Object->DragHandle, &p);
      const TPoint pos{p.X, p.Y};
      if (!gDrag.Active) {
        if (std::abs(pos.X - gDrag.StartPos.X) <= gDrag.Threshold &&
            std::abs(pos.Y - gDrag.StartPos.Y) <= gDrag.Threshold)
          break;
        gDrag.Active = true;
      }
      DragTo(pos);
      break;
    }
    case WM_CAPTURECHANGED:
      DragDone(false);
      break;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
      DragDone(true);
      break;
    // Keys reach the window that holds the capture as CN_ messages (TApplication::IsKeyMsg).
    case CN_KEYDOWN:
      if (Message.WParam == VK_ESCAPE) {
        Message.Result = 1;
        DragDone(false);
      } else if (Message.WParam == VK_CONTROL && gDrag.Object && gDrag.Active) {
        DragTo(gDrag.Object->DragPos);
      }
      break;
    case CN_KEYUP:
      if (Message.WParam == VK_CONTROL && gDrag.Object && gDrag.Active) DragTo(gDrag.Object->DragPos);
      break;
    default:
      if (gDrag.Object && gDrag.Object->DragHandle)
        Message.Result =
            DefWindowProcW(gDrag.Object->DragHandle, Message.Msg, Message.WParam, Message.LParam);
      break;
  }
}

}  // namespace

// ---- Drag objects ------------------------------------------------------------------------------------

TDragObject::~TDragObject() {
  if (gDrag.Object == this) DragDone(false);
}

void TDragObject::HideDragImage() {
  if (TDragImageList* images = GetDragImages()) images->HideDragImage();
}

void TDragObject::ShowDragImage() {
  if (TDragImageList* images = GetDragImages()) images->ShowDragImage();
}

void TBaseDragControlObject::Finished(TObject* Target, int X, int Y, bool Accepted) {
  if (!Accepted) {
    if (control_) control_->DragCanceled();
    Target = nullptr;
  }
  EndDrag(Target, X, Y);
}

void TBaseDragControlObject::EndDrag(TObject* Target, int X, int Y) {
  if (control_) control_->DoEndDrag(Target, X, Y);
}

TCursor TDragControlObject::GetDragCursor(bool Accepted, int, int) {
  return Accepted && Control() ? Control()->DragCursor() : crNoDrop;
}

TDragImageList* TDragControlObject::GetDragImages() {
  return Control() ? Control()->GetDragImages() : nullptr;
}

void CancelDrag() {
  if (gDrag.Object)
    DragDone(false);
  else
    gDrag.Control = nullptr;
}

TDragObject* CurrentDragObject() {
  return gDrag.Object;
}

namespace forms_detail {

void DragControlGone(TControl* Control) {
  if (gDrag.Object && gDrag.Object->DragTarget == Control) gDrag.Object->DragTarget = nullptr;
  if (auto* o = dynamic_cast<TBaseDragControlObject*>(gEndingObject); o && o->Control() == Control)
    o->SetControl(nullptr);
  if (gDrag.Control != Control) return;
  // The control is half destroyed: its drag ends without reaching it.
  if (auto* o = dynamic_cast<TBaseDragControlObject*>(gDrag.Object); o && o->Control() == Control)
    o->SetControl(nullptr);
  if (gDrag.Object)
    DragDone(false);
  else
    gDrag.Control = nullptr;
}

}  // namespace forms_detail

// ---- TControl ------------------------------------------------------------------------------------------

bool TControl::Dragging() const {
  return gDrag.Control == this;
}

void TControl::BeginDrag(bool Immediate, int Threshold) {
  if (gDrag.Control || gDrag.Object) return;
  if (Threshold < 0) Threshold = Mouse ? Mouse->DragThreshold() : 5;
  gDrag.Control = this;
  TDragObject* object = nullptr;
  try {
    DoStartDrag(object);
  } catch (...) {
    gDrag = TDragSession{};
    throw;
  }
  if (gDrag.Control != this) {
    // Cancelled while starting.
    gDrag = TDragSession{};
    return;
  }
  gDrag.FreeObject = object == nullptr;
  if (!object) object = new TDragControlObject(this);
  gDrag.Object = object;
  gDrag.Threshold = Threshold;
  POINT p;
  GetCursorPos(&p);
  gDrag.StartPos = TPoint{p.X, p.Y};
  object->DragPos = gDrag.StartPos;
  object->DragTarget = nullptr;
  object->Cancelling = false;
  object->Dropped = false;
  object->DragHandle = AllocateHWnd(TWndMethod(&DragCaptureWndProc));
  SetCapture(object->DragHandle);
  gDrag.Images = object->GetDragImages();
  if (gDrag.Images && !gDrag.Images->BeginDrag(nullptr, p.X, p.Y)) gDrag.Images = nullptr;
  if (Immediate && gDrag.Object == object) {
    gDrag.Active = true;
    DragTo(gDrag.StartPos);
  }
}

void TControl::EndDrag(bool Drop) {
  if (Dragging()) {
    if (gDrag.Object)
      DragDone(Drop);
    else
      gDrag.Control = nullptr;
  }
}

void TControl::DoStartDrag(TDragObject*& DragObject) {
  if (OnStartDrag) OnStartDrag(this, DragObject);
}

void TControl::DoEndDrag(TObject* Target, int X, int Y) {
  if (OnEndDrag) OnEndDrag(this, Target, X, Y);
}

void TControl::DragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept) {
  Accept = static_cast<bool>(OnDragOver);
  if (OnDragOver) OnDragOver(this, Source, X, Y, State, Accept);
}

void TControl::DragDrop(TObject* Source, int X, int Y) {
  if (OnDragDrop) OnDragDrop(this, Source, X, Y);
}

void TControl::CMDrag(TMessage& Message) {
  auto* rec = reinterpret_cast<TDragRec*>(Message.LParam);
  if (!rec) return;
  // Bit 8 of wParam: the drag has ended and the platform made the object (the session that
  // tells this is gone by then).
  const bool ended = (Message.WParam & 0x100) != 0;
  TObject* source = rec->Source;
  if (ended) {
    if (auto* o = dynamic_cast<TBaseDragControlObject*>(rec->Source)) source = o->Control();
  } else if (gDrag.Object == rec->Source) {
    source = DragSource();
  }
  const TPoint p = ScreenToClient(rec->Pos);
  switch (static_cast<TDragMessage>(Message.WParam & 0xFF)) {
    case dmDragEnter:
    case dmDragLeave:
    case dmDragMove: {
      static const TDragState kStates[] = {dsDragEnter, dsDragLeave, dsDragMove};
      bool accept = true;
      DragOver(source, p.X, p.Y, kStates[Message.WParam & 0xFF], accept);
      Message.Result = accept ? 1 : 0;
      break;
    }
    case dmDragDrop:
      DragDrop(source, p.X, p.Y);
      break;
    default:
      break;
  }
}

}  // namespace qd
