// Library drag and drop, drag image windows and the size frame.
#include "ui/controls/cxControlsDragAndDrop.h"

#include "platform/base/mathutil.h"
#include "platform/forms/forms.h"
#include "platform/os/modules.h"
#include "platform/os/user.h"
#include "ui/controls/cxControlsWndProc.h"

namespace qd {

QD_IMPLEMENT_CLASS(TcxDragAndDropObject)
QD_IMPLEMENT_CLASS(TcxCustomDragImage)
QD_IMPLEMENT_CLASS(TcxSizeFrame)
QD_IMPLEMENT_CLASS(TcxDragControlObject)
QD_IMPLEMENT_CLASS(TcxDragImageList)

namespace {

using TSetLayeredWindowAttributesFunc = BOOL (*)(HWND, COLORREF, BYTE, DWORD);

// Looked up by name each time, so that a test can take the entry away.
TSetLayeredWindowAttributesFunc DragImageLayeredEntry() {
  return reinterpret_cast<TSetLayeredWindowAttributesFunc>(
      GetProcAddress(GetModuleHandleW(u"user32.dll"), "SetLayeredWindowAttributes"));
}

bool DragImageIsRunTime(const TComponent* AComponent) {
  return !AComponent->ComponentState().Contains(csDesigning);
}

TDragObject* FDragObject = nullptr;

}  // namespace

// --- TcxControl: library drag and drop ---------------------------------------------------------

TcxDragAndDropObject* TcxControl::CreateDragAndDropObject() {
  return new TcxDragAndDropObject(this);
}

TcxDragAndDropObject* TcxControl::DragAndDropObject() {
  if (!FDragAndDropObject) FDragAndDropObject.reset(CreateDragAndDropObject());
  return FDragAndDropObject.get();
}

void TcxControl::SetDragAndDropState(TcxDragAndDropState Value) {
  if (FDragAndDropState == Value) return;
  FDragAndDropState = Value;
  if (Value == ddsNone && !FFinishingDragAndDrop) DoCancelMode();
}

void TcxControl::BeginDragAndDrop() {
  DragAndDropObject()->DoBeginDragAndDrop();
  SetMouseCapture(true);
  FDragAndDropPrevCursor = Screen ? Screen->Cursor() : crDefault;
  SetDragAndDropState(ddsInProcess);
}

void TcxControl::DragAndDrop(const TPoint& P, bool& Accepted) {
  DragAndDropObject()->DoDragAndDrop(P, Accepted);
}

void TcxControl::EndDragAndDrop(bool Accepted) {
  SetDragAndDropState(ddsNone);
  if (Screen) Screen->SetCursor(FDragAndDropPrevCursor);
  SetMouseCapture(false);
  SetMouseCaptureObject(nullptr);
  DragAndDropObject()->DoEndDragAndDrop(Accepted);
}

void TcxControl::DoFinishDragAndDrop(bool Accepted) {
  if (FDragAndDropState == ddsInProcess)
    EndDragAndDrop(Accepted);
  else
    SetDragAndDropState(ddsNone);
}

void TcxControl::FinishDragAndDrop(bool Accepted) {
  if (FFinishingDragAndDrop) return;
  FFinishingDragAndDrop = true;
  struct Reset {
    TcxControl* Control;
    ~Reset() {
      Control->FFinishingDragAndDrop = false;
      Control->FDragAndDropObject.reset();
    }
  } reset{this};
  DoFinishDragAndDrop(Accepted);
}

bool TcxControl::GetIsCopyDragDrop() {
  return GetAsyncKeyState(VK_CONTROL) < 0;
}

// --- TcxControl: the platform's drag -------------------------------------------------------------

TDragObject* GetDragObject() {
  // The object of a finished drag may be freed: it is not handed out any more.
  if (FDragObject && FDragObject != CurrentDragObject()) FDragObject = nullptr;
  return FDragObject;
}

void TcxControl::DoStartDrag(TDragObject*& DragObject) {
  Update();
  inherited::DoStartDrag(DragObject);
  if (!DragObject)
    if (TClass dragObjectClass = GetDragObjectClass()) {
      TObject* created = dragObjectClass->Create(this);
      DragObject = dynamic_cast<TDragObject*>(created);
      if (!DragObject) delete created;
    }
  if (!StartDrag(DragObject)) {
    delete DragObject;
    DragObject = nullptr;
    CancelDrag();
  }
}

void TcxControl::DoEndDrag(TObject* Target, int X, int Y) {
  inherited::DoEndDrag(Target, X, Y);
  FDragImages.reset();
}

void TcxControl::DragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept) {
  if (auto* dragObject = dynamic_cast<TDragObject*>(Source))
    FDragObject = State == dsDragLeave ? nullptr : dragObject;
  inherited::DragOver(Source, X, Y, State, Accept);
}

TClass TcxControl::GetDragObjectClass() {
  return TcxDragControlObject::StaticClass();
}

TClass TcxControl::GetDragImagesClass() {
  return TcxDragImageList::StaticClass();
}

TDragImageList* TcxControl::GetDragImages() {
  if (!HasDragImages()) return nullptr;
  if (!FDragImages) {
    TObject* created = GetDragImagesClass()->Create(nullptr);
    FDragImages.reset(dynamic_cast<TcxDragImageList*>(created));
    if (!FDragImages) {
      delete created;
      return nullptr;
    }
    InitDragImages(FDragImages.get());
  }
  return FDragImages->Count() > 0 ? FDragImages.get() : nullptr;
}

void TcxControl::InitDragImages(TcxDragImageList* AImages) {
  const TSize size = GetDragImagesSize();
  if (size.cx <= 0 || size.cy <= 0) {
    AImages->Clear();
    return;
  }
  AImages->SetSize(size.cx, size.cy);
  TBitmap bitmap;
  bitmap.SetPixelFormat(pf24bit);
  bitmap.SetSize(size.cx, size.cy);
  {
    TcxCanvas canvas(bitmap.Canvas());
    DrawDragImage(&canvas, TRect{0, 0, size.cx, size.cy});
  }
  AImages->AddMasked(&bitmap, bitmap.TransparentColor());
}

void TcxControl::HideDragImage() {
  if (TDragObject* dragObject = GetDragObject()) dragObject->HideDragImage();
}

void TcxControl::ShowDragImage() {
  if (TDragObject* dragObject = GetDragObject()) dragObject->ShowDragImage();
}

// --- TcxDragControlObject ------------------------------------------------------------------------

TCursor TcxDragControlObject::GetDragCursor(bool Accepted, int X, int Y) {
  if (Accepted)
    if (auto* control = dynamic_cast<TcxControl*>(Control()); control && control->GetIsCopyDragDrop())
      return crcxDragCopy;
  return TDragControlObject::GetDragCursor(Accepted, X, Y);
}

void TcxDragControlObject::Finished(TObject* Target, int X, int Y, bool Accepted) {
  TDragControlObject::Finished(Target, X, Y, Accepted);
  delete this;
}

// --- TcxDragAndDropObject ------------------------------------------------------------------------

TcxDragAndDropObject::TcxDragAndDropObject(TcxControl* AControl)
    : FControl(AControl), FCanvas(AControl->Canvas()) {}

void TcxDragAndDropObject::SetDirty(bool Value) {
  if (FDirty == Value) return;
  FDirty = Value;
  DirtyChanged();
}

TPoint TcxDragAndDropObject::GetClientCursorPos() {
  return FControl->ScreenToClient(GetMouseCursorPos());
}

TPoint TcxDragAndDropObject::TranslateCoords(const TPoint& P) {
  const int32_t zoom = GetZoomFactor();
  if (zoom == 100 || zoom <= 0) return P;
  return TPoint{MulDiv(P.X, 100, zoom), MulDiv(P.Y, 100, zoom)};
}

void TcxDragAndDropObject::DoBeginDragAndDrop() {
  BeforeBeginDragAndDrop();
  CurMousePos = TranslateCoords(GetClientCursorPos());
  PrevMousePos = CurMousePos;
  BeginDragAndDrop();
}

void TcxDragAndDropObject::DoDragAndDrop(const TPoint& P, bool& Accepted) {
  PrevMousePos = CurMousePos;
  CurMousePos = TranslateCoords(P);
  DragAndDrop(CurMousePos, Accepted);
}

void TcxDragAndDropObject::DragAndDrop(const TPoint&, bool& Accepted) {
  SetDirty(false);
  if (Screen) Screen->SetCursor(GetDragAndDropCursor(Accepted));
}

void TcxDragAndDropObject::DoEndDragAndDrop(bool Accepted) {
  EndDragAndDrop(Accepted);
  AfterDragAndDrop(Accepted);
}

bool TcxDragAndDropObject::DoProcessKeyDown(const TMessage& Message) {
  return ProcessKeyDown(Message.CharCode(), KeyDataToShiftState(Message.KeyData()));
}

bool TcxDragAndDropObject::DoProcessKeyUp(const TMessage& Message) {
  return ProcessKeyUp(Message.CharCode(), KeyDataToShiftState(Message.KeyData()));
}

// --- TcxCustomDragImage ---------------------------------------------------------------------------

TcxCustomDragImage::TcxCustomDragImage() : TCustomControl(nullptr) {
  FCanvas = std::make_unique<TcxCanvas>(TCustomControl::Canvas());
  TCustomControl::SetVisible(false);
  TCustomControl::SetBounds(0, 0, 0, 0);
}

TcxCustomDragImage::~TcxCustomDragImage() = default;

void TcxCustomDragImage::CreateParams(TCreateParams& Params) {
  TCustomControl::CreateParams(Params);
  Params.Style = WS_POPUP;
  Params.ExStyle = WS_EX_TOPMOST;
  if (DragImageIsRunTime(this) && DragImageLayeredEntry() && (FAlphaBlend || FTransparentColor))
    Params.ExStyle |= WS_EX_LAYERED;
  if (FPopupParent)
    Params.WndParent = FPopupParent->Handle();
  else if (Screen && Screen->ActiveForm() && Screen->ActiveForm()->HandleAllocated())
    Params.WndParent = Screen->ActiveForm()->Handle();
  else if (Application) {
    TCustomForm* mainForm = Application->MainForm();
    if (Application->MainFormOnTaskBar() && mainForm)
      Params.WndParent = mainForm->HandleAllocated() ? mainForm->Handle() : nullptr;
    else
      Params.WndParent = Application->Handle();
  }
}

void TcxCustomDragImage::CreateWnd() {
  TCustomControl::CreateWnd();
  UpdateLayeredAttributes();
}

void TcxCustomDragImage::UpdateLayeredAttributes() {
  const auto setAttributes = DragImageLayeredEntry();
  if (!DragImageIsRunTime(this) || !setAttributes || !HandleAllocated()) return;
  const LONG exStyle = GetWindowLongW(Handle(), GWL_EXSTYLE);
  if (FAlphaBlend || FTransparentColor) {
    if (!(exStyle & WS_EX_LAYERED)) SetWindowLongW(Handle(), GWL_EXSTYLE, exStyle | WS_EX_LAYERED);
    setAttributes(Handle(), ColorToRGB(FTransparentColorValue), FAlphaBlendValue,
                  (FAlphaBlend ? LWA_ALPHA : 0) | (FTransparentColor ? LWA_COLORKEY : 0));
  } else {
    SetWindowLongW(Handle(), GWL_EXSTYLE, exStyle & ~WS_EX_LAYERED);
    Invalidate();
  }
}

void TcxCustomDragImage::SetAlphaBlend(bool Value) {
  if (FAlphaBlend == Value) return;
  FAlphaBlend = Value;
  UpdateLayeredAttributes();
}

void TcxCustomDragImage::SetAlphaBlendValue(uint8_t Value) {
  if (FAlphaBlendValue == Value) return;
  FAlphaBlendValue = Value;
  UpdateLayeredAttributes();
}

bool TcxCustomDragImage::AlphaBlended() const {
  return FAlphaBlend && DragImageLayeredEntry() != nullptr;
}

void TcxCustomDragImage::SetTransparentColor(bool Value) {
  if (FTransparentColor == Value) return;
  FTransparentColor = Value;
  UpdateLayeredAttributes();
}

void TcxCustomDragImage::SetTransparentColorValue(TColor Value) {
  if (FTransparentColorValue == Value) return;
  FTransparentColorValue = Value;
  UpdateLayeredAttributes();
}

void TcxCustomDragImage::SetPopupParent(TWinControl* Value) {
  if (FPopupParent == Value) return;
  FPopupParent = Value;
  if (HandleAllocated()) RecreateWnd();
}

void TcxCustomDragImage::Init(const TRect& ASourceBounds, const TPoint& ASourcePoint) {
  SetBounds(Left(), Top(), ASourceBounds.Width(), ASourceBounds.Height());
  FPositionOffset = TPoint{ASourcePoint.X - ASourceBounds.Left, ASourcePoint.Y - ASourceBounds.Top};
}

void TcxCustomDragImage::MoveTo(const TPoint& P) {
  SetBounds(P.X - FPositionOffset.X, P.Y - FPositionOffset.Y, Width(), Height());
}

void TcxCustomDragImage::Offset(int32_t DX, int32_t DY) {
  SetBounds(Left() + DX, Top() + DY, Width(), Height());
}

void TcxCustomDragImage::Show(int ACmdShow) {
  SetWindowPos(Handle(), HWND_TOPMOST, 0, 0, 0, 0,
               SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE | SWP_NOOWNERZORDER);
  ShowWindow(Handle(), ACmdShow);
  UpdateLayeredAttributes();
  Update();
}

void TcxCustomDragImage::Hide() {
  if (HandleAllocated()) ShowWindow(Handle(), SW_HIDE);
}

bool TcxCustomDragImage::Visible() {
  return HandleAllocated() && IsWindowVisible(Handle());
}

void TcxCustomDragImage::SetVisible(bool Value) {
  if (Value)
    Show(SW_SHOWNA);
  else
    Hide();
}

void TcxCustomDragImage::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_ERASEBKGND:
      Message.Result = 1;
      return;
    case WM_NCHITTEST:
      Message.Result = HTTRANSPARENT;
      return;
    case WM_MOUSEACTIVATE:
      Message.Result = MA_NOACTIVATE;
      return;
    default:
      TCustomControl::Dispatch(Message);
  }
}

// --- TcxSizeFrame ---------------------------------------------------------------------------------

TcxSizeFrame::TcxSizeFrame(int32_t AFrameWidth)
    : FFrameWidth(AFrameWidth), FRegion(std::make_unique<TcxRegion>()) {
  SetAlphaBlend(false);
  // A two-colour pattern of black and white pixels, so the frame shows as a dither.
  FPatternBitmap = std::make_unique<TBitmap>();
  FPatternBitmap->SetPixelFormat(pf24bit);
  FPatternBitmap->SetSize(8, 8);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x)
      FPatternBitmap->Canvas()->SetPixels(x, y, (x + y) % 2 == 0 ? clBlack : clWhite);
  Canvas()->Brush()->SetBitmap(FPatternBitmap.get());
}

TcxSizeFrame::~TcxSizeFrame() {
  Canvas()->Brush()->SetBitmap(nullptr);
}

void TcxSizeFrame::DrawSizeFrame(const TRect& R) {
  FRegion = std::make_unique<TcxRegion>(0, 0, R.Width(), R.Height());
  SetBounds(R.Left, R.Top, R.Width(), R.Height());
}

void TcxSizeFrame::DrawSizeFrame(const TRect& R, TcxRegion* ARegion) {
  FRegion.reset(ARegion ? ARegion->Clone() : new TcxRegion());
  SetBounds(R.Left, R.Top, R.Width(), R.Height());
}

void TcxSizeFrame::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  TcxCustomDragImage::SetBounds(ALeft, ATop, AWidth, AHeight);
  if (HandleAllocated() && 2 * FFrameWidth < AWidth && 2 * FFrameWidth < AHeight) {
    if (!FFillSelection) InitializeFrameRegion();
    SetWindowRegion();
  }
}

void TcxSizeFrame::InitializeFrameRegion() {
  std::unique_ptr<TcxRegion> inner(FRegion->Clone());
  const TPoint shifts[] = {{FFrameWidth, 0},
                           {-FFrameWidth, FFrameWidth},
                           {-FFrameWidth, -FFrameWidth},
                           {FFrameWidth, -FFrameWidth}};
  // The copy moves right, down, left and up in turn; each position is intersected with the
  // eroded region kept so far.
  std::unique_ptr<TcxRegion> moving(FRegion->Clone());
  for (const TPoint& d : shifts) {
    moving->Offset(d);
    inner->Combine(moving->Handle(), roIntersect);
  }
  FRegion->Combine(inner->Handle(), roSubtract);
}

void TcxSizeFrame::SetWindowRegion() {
  std::unique_ptr<TcxRegion> current(new TcxRegion());
  const bool hasRegion = GetWindowRgn(Handle(), current->Handle()) != ERROR;
  if (hasRegion && current->IsEqual(FRegion.get())) return;
  HRGN copy = CreateRectRgn(0, 0, 0, 0);
  CombineRgn(copy, FRegion->Handle(), nullptr, RGN_COPY);
  SetWindowRgn(Handle(), copy, TRUE);
}

void TcxSizeFrame::Paint() {
  Canvas()->Canvas()->FillRect(ClientRect());
}

}  // namespace qd
