// TControl, the control canvas, custom and graphic controls, the mouse and utility windows.
#include "platform/forms/controls.h"

#include <algorithm>
#include <cstdlib>

#include "platform/base/mathutil.h"
#include "platform/base/strings.h"
#include "platform/classes/filer.h"
#include "platform/forms/menus.h"

namespace qd {

QD_IMPLEMENT_CLASS(TSizeConstraints)
QD_IMPLEMENT_CLASS(TMargins)
QD_IMPLEMENT_CLASS(TTouchManager)
QD_IMPLEMENT_CLASS(TControl)
QD_IMPLEMENT_CLASS(TControlCanvas)
QD_IMPLEMENT_CLASS(TCustomControl)
QD_IMPLEMENT_CLASS(TGraphicControl)
QD_IMPLEMENT_CLASS(TMouse)

TMouse* Mouse = nullptr;

namespace forms_detail {
void (*HintMouseMessage)(TControl* Control, TMessage& Message) = nullptr;
void (*ControlDestroyed)(TControl* Control) = nullptr;
void (*HandleException)(TObject* Sender) = nullptr;
}  // namespace forms_detail

namespace {

// A graphic control holding the mouse capture through its parent's window.
TControl* gCaptureControl = nullptr;

}  // namespace

TAnchors AnchorAlign(TAlign a) {
  static const TAnchors kAnchors[] = {
      {akLeft, akTop},                     // alNone
      {akLeft, akTop, akRight},            // alTop
      {akLeft, akRight, akBottom},         // alBottom
      {akLeft, akTop, akBottom},           // alLeft
      {akRight, akTop, akBottom},          // alRight
      {akLeft, akTop, akRight, akBottom},  // alClient
      {akLeft, akTop},                     // alCustom
  };
  return kAnchors[a];
}

// ---- Shift states -----------------------------------------------------------------------------------

TShiftState KeysToShiftState(WPARAM Keys) {
  TShiftState s;
  if (Keys & MK_SHIFT) s.Include(ssShift);
  if (Keys & MK_CONTROL) s.Include(ssCtrl);
  if (Keys & MK_LBUTTON) s.Include(ssLeft);
  if (Keys & MK_RBUTTON) s.Include(ssRight);
  if (Keys & MK_MBUTTON) s.Include(ssMiddle);
  if (GetKeyState(VK_MENU) < 0) s.Include(ssAlt);
  return s;
}

TShiftState KeyDataToShiftState(LPARAM KeyData) {
  TShiftState s;
  if (GetKeyState(VK_SHIFT) < 0) s.Include(ssShift);
  if (GetKeyState(VK_CONTROL) < 0) s.Include(ssCtrl);
  if (KeyData & 0x20000000) s.Include(ssAlt);
  return s;
}

TShiftState KeyboardStateToShiftState() {
  TShiftState s;
  if (GetKeyState(VK_SHIFT) < 0) s.Include(ssShift);
  if (GetKeyState(VK_CONTROL) < 0) s.Include(ssCtrl);
  if (GetKeyState(VK_MENU) < 0) s.Include(ssAlt);
  if (GetKeyState(VK_LBUTTON) < 0) s.Include(ssLeft);
  if (GetKeyState(VK_RBUTTON) < 0) s.Include(ssRight);
  if (GetKeyState(VK_MBUTTON) < 0) s.Include(ssMiddle);
  return s;
}

// ---- Type information -----------------------------------------------------------------------------

const TTypeInfo* TypeInfoTAlign() {
  static const TTypeInfo t = MakeEnumTypeInfo(
      u"TAlign", {u"alNone", u"alTop", u"alBottom", u"alLeft", u"alRight", u"alClient", u"alCustom"});
  return &t;
}

const TTypeInfo* TypeInfoTAnchors() {
  static const TTypeInfo e = MakeEnumTypeInfo(u"TAnchorKind", {u"akLeft", u"akTop", u"akRight", u"akBottom"});
  static const TTypeInfo t = MakeSetTypeInfo(u"TAnchors", &e);
  return &t;
}

const TTypeInfo* TypeInfoTAlignment() {
  static const TTypeInfo t =
      MakeEnumTypeInfo(u"TAlignment", {u"taLeftJustify", u"taRightJustify", u"taCenter"});
  return &t;
}

const TTypeInfo* TypeInfoTVerticalAlignment() {
  static const TTypeInfo t =
      MakeEnumTypeInfo(u"TVerticalAlignment", {u"taAlignTop", u"taAlignBottom", u"taVerticalCenter"});
  return &t;
}

const TTypeInfo* TypeInfoTTextLayout() {
  static const TTypeInfo t = MakeEnumTypeInfo(u"TTextLayout", {u"tlTop", u"tlCenter", u"tlBottom"});
  return &t;
}

const TTypeInfo* TypeInfoTBiDiMode() {
  static const TTypeInfo t = MakeEnumTypeInfo(
      u"TBiDiMode",
      {u"bdLeftToRight", u"bdRightToLeft", u"bdRightToLeftNoAlign", u"bdRightToLeftReadingOnly"});
  return &t;
}

const TTypeInfo* TypeInfoTDragMode() {
  static const TTypeInfo t = MakeEnumTypeInfo(u"TDragMode", {u"dmManual", u"dmAutomatic"});
  return &t;
}

const TTypeInfo* TypeInfoTFormBorderStyle() {
  static const TTypeInfo t = MakeEnumTypeInfo(
      u"TFormBorderStyle",
      {u"bsNone", u"bsSingle", u"bsSizeable", u"bsDialog", u"bsToolWindow", u"bsSizeToolWin"});
  return &t;
}

namespace {

const TIdentMapEntry kCursorNames[] = {
    {crDefault, u"crDefault"},
    {crArrow, u"crArrow"},
    {crCross, u"crCross"},
    {crIBeam, u"crIBeam"},
    {crSizeNESW, u"crSizeNESW"},
    {crSizeNS, u"crSizeNS"},
    {crSizeNWSE, u"crSizeNWSE"},
    {crSizeWE, u"crSizeWE"},
    {crUpArrow, u"crUpArrow"},
    {crHourGlass, u"crHourGlass"},
    {crDrag, u"crDrag"},
    {crNoDrop, u"crNoDrop"},
    {crHSplit, u"crHSplit"},
    {crVSplit, u"crVSplit"},
    {crMultiDrag, u"crMultiDrag"},
    {crSQLWait, u"crSQLWait"},
    {crNo, u"crNo"},
    {crAppStart, u"crAppStart"},
    {crHelp, u"crHelp"},
    {crHandPoint, u"crHandPoint"},
    {crSizeAll, u"crSizeAll"},
    {crSize, u"crSize"},
    {crNone, u"crNone"},
};

const TIdentMapEntry kModalResultNames[] = {
    {mrNone, u"mrNone"},         {mrOk, u"mrOk"},
    {mrCancel, u"mrCancel"},     {mrAbort, u"mrAbort"},
    {mrRetry, u"mrRetry"},       {mrIgnore, u"mrIgnore"},
    {mrYes, u"mrYes"},           {mrNo, u"mrNo"},
    {mrClose, u"mrClose"},       {mrHelp, u"mrHelp"},
    {mrTryAgain, u"mrTryAgain"}, {mrContinue, u"mrContinue"},
    {mrAll, u"mrAll"},           {mrNoToAll, u"mrNoToAll"},
    {mrYesToAll, u"mrYesToAll"},
};

bool IdentToModalResult(const String& Ident, int64_t& v) {
  return IdentToInt(Ident, v, kModalResultNames);
}

bool ModalResultToIdent(int64_t v, String& Ident) {
  return IntToIdent(v, Ident, kModalResultNames);
}

}  // namespace

bool CursorToIdent(int64_t Cursor, String& Ident) {
  return IntToIdent(Cursor, Ident, kCursorNames);
}

bool IdentToCursor(const String& Ident, int64_t& Cursor) {
  return IdentToInt(Ident, Cursor, kCursorNames);
}

const TTypeInfo* TypeInfoTCursor() {
  static const TTypeInfo* info = [] {
    static TTypeInfo t;
    t.Name = u"TCursor";
    t.Kind = tkInteger;
    t.MinValue = INT16_MIN;
    t.MaxValue = INT16_MAX;
    RegisterIntegerConsts(&t, IdentToCursor, CursorToIdent);
    return &t;
  }();
  return info;
}

const TTypeInfo* TypeInfoTModalResult() {
  static const TTypeInfo* info = [] {
    static TTypeInfo t;
    t.Name = u"TModalResult";
    t.Kind = tkInteger;
    t.MinValue = INT32_MIN;
    t.MaxValue = INT32_MAX;
    RegisterIntegerConsts(&t, IdentToModalResult, ModalResultToIdent);
    return &t;
  }();
  return info;
}

// ---- TSizeConstraints and TTouchManager ------------------------------------------------------------

void TSizeConstraints::RegisterProperties(TPropertyRegistrar& r) {
  r.Prop("MaxHeight", &TSizeConstraints::MaxHeight, &TSizeConstraints::SetMaxHeight).Default(0);
  r.Prop("MaxWidth", &TSizeConstraints::MaxWidth, &TSizeConstraints::SetMaxWidth).Default(0);
  r.Prop("MinHeight", &TSizeConstraints::MinHeight, &TSizeConstraints::SetMinHeight).Default(0);
  r.Prop("MinWidth", &TSizeConstraints::MinWidth, &TSizeConstraints::SetMinWidth).Default(0);
}

void TMargins::RegisterProperties(TPropertyRegistrar& r) {
  r.Prop("Left", &TMargins::Left, &TMargins::SetLeft).Default(3);
  r.Prop("Top", &TMargins::Top, &TMargins::SetTop).Default(3);
  r.Prop("Right", &TMargins::Right, &TMargins::SetRight).Default(3);
  r.Prop("Bottom", &TMargins::Bottom, &TMargins::SetBottom).Default(3);
}

void TMargins::Assign(TPersistent* Source) {
  if (auto* s = dynamic_cast<TMargins*>(Source)) {
    left_ = s->left_;
    top_ = s->top_;
    right_ = s->right_;
    bottom_ = s->bottom_;
    Changed();
    return;
  }
  inherited::Assign(Source);
}

void TMargins::Set(int& AField, int AValue) {
  if (AField == AValue) return;
  AField = AValue;
  Changed();
}

void TMargins::ChangeScale(int M, int D) {
  left_ = MulDiv(left_, M, D);
  top_ = MulDiv(top_, M, D);
  right_ = MulDiv(right_, M, D);
  bottom_ = MulDiv(bottom_, M, D);
  Changed();
}

void TMargins::Changed() {
  if (control_ && control_->AlignWithMargins() && control_->Parent()) control_->Parent()->Realign();
}

void TControl::SetAlignWithMargins(bool Value) {
  if (alignWithMargins_ == Value) return;
  alignWithMargins_ = Value;
  if (parent_) parent_->Realign();
}

void TSizeConstraints::Assign(TPersistent* Source) {
  if (auto* s = dynamic_cast<TSizeConstraints*>(Source)) {
    maxHeight_ = s->maxHeight_;
    maxWidth_ = s->maxWidth_;
    minHeight_ = s->minHeight_;
    minWidth_ = s->minWidth_;
    Changed();
    return;
  }
  inherited::Assign(Source);
}

void TSizeConstraints::Changed() {
  if (OnChange) OnChange(this);
}

void TSizeConstraints::SetMaxHeight(int v) {
  if (v < 0 || v == maxHeight_) return;
  maxHeight_ = v;
  if (v > 0 && v < minHeight_) minHeight_ = v;
  Changed();
}

void TSizeConstraints::SetMaxWidth(int v) {
  if (v < 0 || v == maxWidth_) return;
  maxWidth_ = v;
  if (v > 0 && v < minWidth_) minWidth_ = v;
  Changed();
}

void TSizeConstraints::SetMinHeight(int v) {
  if (v < 0 || v == minHeight_) return;
  minHeight_ = v;
  if (maxHeight_ > 0 && v > maxHeight_) maxHeight_ = v;
  Changed();
}

void TSizeConstraints::SetMinWidth(int v) {
  if (v < 0 || v == minWidth_) return;
  minWidth_ = v;
  if (maxWidth_ > 0 && v > maxWidth_) maxWidth_ = v;
  Changed();
}

void TSizeConstraints::Apply(int& Width, int& Height) const {
  if (minWidth_ > 0 && Width < minWidth_) Width = minWidth_;
  if (maxWidth_ > 0 && Width > maxWidth_) Width = maxWidth_;
  if (minHeight_ > 0 && Height < minHeight_) Height = minHeight_;
  if (maxHeight_ > 0 && Height > maxHeight_) Height = maxHeight_;
}

void TTouchManager::RegisterProperties(TPropertyRegistrar& r) {
  static const TTypeInfo ge = MakeEnumTypeInfo(
      u"TInteractiveGesture", {u"igZoom", u"igPan", u"igRotate", u"igTwoFingerTap", u"igPressAndTap"});
  static const TTypeInfo gs = MakeSetTypeInfo(u"TInteractiveGestures", &ge);
  static const TTypeInfo oe = MakeEnumTypeInfo(
      u"TInteractiveGestureOption", {u"igoPanSingleFingerHorizontal", u"igoPanSingleFingerVertical",
                                     u"igoPanInertia", u"igoPanGutter", u"igoParentPassthrough"});
  static const TTypeInfo os = MakeSetTypeInfo(u"TInteractiveGestureOptions", &oe);
  r.Prop("InteractiveGestures", &TTouchManager::InteractiveGestures, &TTouchManager::SetInteractiveGestures,
         &gs);
  r.Prop("InteractiveGestureOptions", &TTouchManager::InteractiveGestureOptions,
         &TTouchManager::SetInteractiveGestureOptions, &os);
  r.Prop("ParentTabletOptions", &TTouchManager::ParentTabletOptions, &TTouchManager::SetParentTabletOptions)
      .Default(true);
}

void TTouchManager::Assign(TPersistent* Source) {
  if (auto* t = dynamic_cast<TTouchManager*>(Source)) {
    gestures_ = t->gestures_;
    options_ = t->options_;
    parentTabletOptions_ = t->parentTabletOptions_;
    return;
  }
  inherited::Assign(Source);
}

// ---- TControl -------------------------------------------------------------------------------------

TControl::TControl(TComponent* AOwner)
    : TComponent(AOwner),
      controlStyle_{csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks, csGestures},
      font_(std::make_unique<TFont>()),
      constraints_(std::make_unique<TSizeConstraints>(this)),
      margins_(std::make_unique<TMargins>(this)),
      touch_(std::make_unique<TTouchManager>()) {
  WindowProc = TWndMethod(this, &TControl::WndProc);
  font_->OnChange = TNotifyEvent(this, &TControl::FontChanged);
  fontHeight_ = font_->Height();
  currentPPI_ = static_cast<int>(GetDpiForSystem());
}

TControl::~TControl() {
  forms_detail::DragControlGone(this);
  if (forms_detail::ControlDestroyed) forms_detail::ControlDestroyed(this);
  if (gCaptureControl == this) {
    gCaptureControl = nullptr;
  }
  if (parent_) SetParent(nullptr);
}

void TControl::RegisterProperties(TPropertyRegistrar& r) {
  r.Prop("Left", &TControl::Left, &TControl::SetLeft);
  r.Prop("Top", &TControl::Top, &TControl::SetTop);
  r.Prop("Width", &TControl::Width, &TControl::SetWidth);
  r.Prop("Height", &TControl::Height, &TControl::SetHeight);
  r.Prop("Align", &TControl::Align, &TControl::SetAlign, TypeInfoTAlign()).Default(alNone);
  r.Prop("AlignWithMargins", &TControl::AlignWithMargins, &TControl::SetAlignWithMargins).Default(false);
  r.Prop("Margins", &TControl::Margins, &TControl::SetMargins);
  r.Prop("Anchors", &TControl::Anchors, &TControl::SetAnchors, TypeInfoTAnchors());
  r.Prop("AutoSize", &TControl::AutoSize, &TControl::SetAutoSize).Default(false);
  r.Prop("BiDiMode", &TControl::BiDiMode, &TControl::SetBiDiMode, TypeInfoTBiDiMode());
  r.Prop("Color", &TControl::Color, &TControl::SetColor, TypeInfoTColor());
  r.Prop("Constraints", &TControl::Constraints, &TControl::SetConstraints);
  r.Prop("Cursor", &TControl::Cursor, &TControl::SetCursor, TypeInfoTCursor()).Default(crDefault);
  r.Prop("DragCursor", &TControl::DragCursor, &TControl::SetDragCursor, TypeInfoTCursor()).Default(crDrag);
  r.Prop("DragMode", &TControl::DragMode, &TControl::SetDragMode, TypeInfoTDragMode()).Default(dmManual);
  r.Prop("Enabled", &TControl::Enabled, &TControl::SetEnabled).Default(true);
  r.Prop("Font", &TControl::Font, &TControl::SetFont);
  r.Prop("HelpContext", &TControl::HelpContext, &TControl::SetHelpContext).Default(0);
  r.Prop("Hint", &TControl::Hint, &TControl::SetHint);
  r.Prop("ParentBiDiMode", &TControl::ParentBiDiMode, &TControl::SetParentBiDiMode).Default(true);
  r.Prop("ParentColor", &TControl::ParentColor, &TControl::SetParentColor).Default(true);
  r.Prop("ParentFont", &TControl::ParentFont, &TControl::SetParentFont).Default(true);
  r.Prop("ParentShowHint", &TControl::ParentShowHint, &TControl::SetParentShowHint).Default(true);
  r.Prop("PopupMenu", &TControl::PopupMenu, &TControl::SetPopupMenu);
  r.Prop("ShowHint", &TControl::ShowHint, &TControl::SetShowHint).Default(false);
  r.Prop("Touch", &TControl::Touch, &TControl::SetTouch);
  r.Prop("Visible", &TControl::Visible, &TControl::SetVisible).Default(true);
  r.Event("OnClick", &TControl::OnClick);
  r.Event("OnDblClick", &TControl::OnDblClick);
  r.Event("OnResize", &TControl::OnResize);
  r.Event("OnMouseEnter", &TControl::OnMouseEnter);
  r.Event("OnMouseLeave", &TControl::OnMouseLeave);
  r.Event("OnMouseDown", &TControl::OnMouseDown);
  r.Event("OnMouseUp", &TControl::OnMouseUp);
  r.Event("OnMouseMove", &TControl::OnMouseMove);
  r.Event("OnMouseWheel", &TControl::OnMouseWheel);
  r.Event("OnMouseWheelDown", &TControl::OnMouseWheelDown);
  r.Event("OnMouseWheelUp", &TControl::OnMouseWheelUp);
  r.Event("OnContextPopup", &TControl::OnContextPopup);
  r.Event("OnCanResize", &TControl::OnCanResize);
  r.Event("OnDragDrop", &TControl::OnDragDrop);
  r.Event("OnDragOver", &TControl::OnDragOver);
  r.Event("OnStartDrag", &TControl::OnStartDrag);
  r.Event("OnEndDrag", &TControl::OnEndDrag);
}

void TControl::DefineProperties(TFiler* Filer) {
  inherited::DefineProperties(Filer);
  // Written by other tools for controls with an alignment; nothing to keep.
  for (const Char* name : {u"ExplicitLeft", u"ExplicitTop", u"ExplicitWidth", u"ExplicitHeight"})
    Filer->DefineProperty(
        name, [](TReader* r) { r->ReadInteger(); }, nullptr, false);
}

// -- Messages

LRESULT TControl::Perform(UINT Msg, WPARAM WParam, LPARAM LParam) {
  TMessage m;
  m.Msg = Msg;
  m.WParam = WParam;
  m.LParam = LParam;
  if (WindowProc)
    WindowProc(m);
  else
    WndProc(m);
  return m.Result;
}

void TControl::WndProc(TMessage& Message) {
  if (Message.Msg >= WM_MOUSEFIRST && Message.Msg <= WM_MOUSELAST) {
    if (!controlStyle_.Contains(csDoubleClicks)) {
      switch (Message.Msg) {
        case WM_LBUTTONDBLCLK:
        case WM_RBUTTONDBLCLK:
        case WM_MBUTTONDBLCLK:
          Message.Msg -= WM_LBUTTONDBLCLK - WM_LBUTTONDOWN;
          break;
      }
    }
    switch (Message.Msg) {
      case WM_MOUSEMOVE:
        if (forms_detail::HintMouseMessage) forms_detail::HintMouseMessage(this, Message);
        break;
      case WM_LBUTTONDOWN:
      case WM_LBUTTONDBLCLK:
        // Automatic dragging takes the press.
        if (dragMode_ == dmAutomatic && !ComponentState().Contains(csDesigning) && !Dragging() &&
            !CurrentDragObject()) {
          BeginDrag(Mouse ? Mouse->DragImmediate() : true, Mouse ? Mouse->DragThreshold() : -1);
          return;
        }
        controlState_.Include(csLButtonDown);
        break;
      case WM_LBUTTONUP:
        controlState_.Exclude(csLButtonDown);
        break;
    }
  }
  Dispatch(Message);
}

void TControl::DoMouseDown(TMessage& Message, TMouseButton Button, TShiftState Shift) {
  if (!controlStyle_.Contains(csNoStdEvents))
    MouseDown(Button, KeysToShiftState(Message.Keys()) + Shift, Message.XPos(), Message.YPos());
}

void TControl::DoMouseUp(TMessage& Message, TMouseButton Button) {
  if (!controlStyle_.Contains(csNoStdEvents))
    MouseUp(Button, KeysToShiftState(Message.Keys()), Message.XPos(), Message.YPos());
}

void TControl::CancelModes(TControl* Sender) {
  for (TWinControl* c = dynamic_cast<TWinControl*>(this) ? static_cast<TWinControl*>(this) : parent_; c;
       c = c->Parent())
    c->SendCancelMode(Sender);
}

// The mouse: buttons, clicks, movement, the wheel, the context menu, entering and leaving.
bool TControl::DispatchMouse(TMessage& Message) {
  switch (Message.Msg) {
    case WM_LBUTTONDOWN:
      CancelModes(this);
      DefaultHandler(Message);
      if (controlStyle_.Contains(csCaptureMouse)) SetMouseCapture(true);
      if (controlStyle_.Contains(csClickEvents)) controlState_.Include(csClicked);
      DoMouseDown(Message, mbLeft, {});
      return true;
    case WM_LBUTTONDBLCLK:
      CancelModes(this);
      DefaultHandler(Message);
      if (controlStyle_.Contains(csCaptureMouse)) SetMouseCapture(true);
      if (controlStyle_.Contains(csClickEvents)) DblClick();
      DoMouseDown(Message, mbLeft, {ssDouble});
      return true;
    case WM_LBUTTONUP: {
      DefaultHandler(Message);
      if (controlStyle_.Contains(csCaptureMouse)) SetMouseCapture(false);
      if (controlState_.Contains(csClicked)) {
        controlState_.Exclude(csClicked);
        TRect cr = GetClientRect();
        TPoint p = Message.Pos();
        if (p.X >= cr.Left && p.X < cr.Right && p.Y >= cr.Top && p.Y < cr.Bottom) Click();
      }
      DoMouseUp(Message, mbLeft);
      return true;
    }
    case WM_RBUTTONDOWN:
      DefaultHandler(Message);
      DoMouseDown(Message, mbRight, {});
      return true;
    case WM_RBUTTONDBLCLK:
      DefaultHandler(Message);
      DoMouseDown(Message, mbRight, {ssDouble});
      return true;
    case WM_RBUTTONUP:
      DefaultHandler(Message);
      DoMouseUp(Message, mbRight);
      return true;
    case WM_MBUTTONDOWN:
      DefaultHandler(Message);
      DoMouseDown(Message, mbMiddle, {});
      return true;
    case WM_MBUTTONDBLCLK:
      DefaultHandler(Message);
      DoMouseDown(Message, mbMiddle, {ssDouble});
      return true;
    case WM_MBUTTONUP:
      DefaultHandler(Message);
      DoMouseUp(Message, mbMiddle);
      return true;
    case WM_MOUSEMOVE:
      DefaultHandler(Message);
      if (!controlStyle_.Contains(csNoStdEvents))
        MouseMove(KeysToShiftState(Message.Keys()), Message.XPos(), Message.YPos());
      return true;
    case WM_MOUSEWHEEL: {
      // CM_MOUSEWHEEL carries the shift state in the low word instead of the key flags.
      const WPARAM w =
          (Message.WParam & ~static_cast<WPARAM>(0xFFFF)) |
          static_cast<WPARAM>(KeysToShiftState(GET_KEYSTATE_WPARAM(Message.WParam)).ToBits() & 0xFFFF);
      Message.Result = Perform(CM_MOUSEWHEEL, w, Message.LParam);
      if (Message.Result == 0) DefaultHandler(Message);
      return true;
    }
    case CM_MOUSEWHEEL: {
      Message.Result = 0;
      TShiftState shift = TShiftState::FromBits(LOWORD(Message.WParam));
      const int delta = static_cast<int16_t>(HIWORD(Message.WParam));
      if (DoMouseWheel(shift, delta, Message.Pos()))
        Message.Result = 1;
      else if (parent_)
        Message.Result =
            static_cast<TControl*>(parent_)->Perform(CM_MOUSEWHEEL, Message.WParam, Message.LParam);
      return true;
    }
    case WM_CONTEXTMENU: {
      if (Message.Result != 0) return true;
      TPoint pt = Message.Pos();
      const bool invalid = pt.X == -1 && pt.Y == -1;
      TPoint local = invalid ? TPoint{-1, -1} : ScreenToClient(pt);
      bool handled = false;
      DoContextPopup(local, handled);
      Message.Result = handled ? 1 : 0;
      if (handled) return true;
      TPopupMenu* menu = GetPopupMenu();
      if (menu && menu->AutoPopup()) {
        CancelModes(nullptr);
        menu->SetPopupComponent(this);
        if (invalid) pt = ClientToScreen(TPoint{0, 0});
        menu->Popup(pt.X, pt.Y);
        Message.Result = 1;
      }
      if (Message.Result == 0) DefaultHandler(Message);
      return true;
    }
    case CM_HITTEST:
      Message.Result = HTCLIENT;
      return true;
    case CM_MOUSEENTER:
      if (parent_) static_cast<TControl*>(parent_)->Perform(CM_MOUSEENTER, 0, reinterpret_cast<LPARAM>(this));
      if (Message.LParam == 0) {
        mouseInClient_ = true;
        if (OnMouseEnter) OnMouseEnter(this);
      }
      return true;
    case CM_MOUSELEAVE:
      if (parent_) static_cast<TControl*>(parent_)->Perform(CM_MOUSELEAVE, 0, reinterpret_cast<LPARAM>(this));
      if (Message.LParam == 0) {
        mouseInClient_ = false;
        if (OnMouseLeave) OnMouseLeave(this);
      }
      return true;
    default:
      return false;
  }
}

// A property of the control or of its parent changed.
bool TControl::DispatchPropertyChange(TMessage& Message) {
  switch (Message.Msg) {
    case CM_VISIBLECHANGED:
      InvalidateControl(true, visible_ && controlStyle_.Contains(csOpaque));
      return true;
    case CM_ENABLEDCHANGED:
    case CM_COLORCHANGED:
    case CM_FONTCHANGED:
      Invalidate();
      return true;
    case CM_PARENTCOLORCHANGED:
      if (parentColor_) {
        if (Message.WParam != 0)
          SetColor(static_cast<TColor>(Message.LParam));
        else if (parent_)
          SetColor(static_cast<TControl*>(parent_)->color_);
        parentColor_ = true;
      }
      return true;
    case CM_PARENTFONTCHANGED:
      if (parentFont_) {
        if (Message.WParam != 0)
          SetFont(reinterpret_cast<TFont*>(Message.LParam));
        else if (parent_)
          SetFont(static_cast<TControl*>(parent_)->font_.get());
        parentFont_ = true;
      }
      return true;
    case CM_PARENTSHOWHINTCHANGED:
      if (parentShowHint_ && parent_) {
        SetShowHint(static_cast<TControl*>(parent_)->showHint_);
        parentShowHint_ = true;
      }
      return true;
    case CM_PARENTBIDIMODECHANGED:
      if (parentBiDiMode_ && parent_) {
        SetBiDiMode(static_cast<TControl*>(parent_)->biDiMode_);
        parentBiDiMode_ = true;
      }
      return true;
    default:
      return false;
  }
}
void TControl::Dispatch(TMessage& Message) {
  if (Message.Msg == CM_DRAG) {
    CMDrag(Message);
    return;
  }
  if (DispatchMouse(Message) || DispatchPropertyChange(Message)) return;
  DefaultHandler(Message);
}

void TControl::DefaultHandler(TMessage& Message) {
  switch (Message.Msg) {
    case WM_GETTEXT: {
      auto* buf = reinterpret_cast<Char*>(Message.LParam);
      const size_t cap = static_cast<size_t>(Message.WParam);
      if (!buf || cap == 0) {
        Message.Result = 0;
        return;
      }
      const size_t n = std::min(text_.size(), cap - 1);
      std::copy_n(text_.data(), n, buf);
      buf[n] = 0;
      Message.Result = static_cast<LRESULT>(n);
      return;
    }
    case WM_GETTEXTLENGTH:
      Message.Result = static_cast<LRESULT>(text_.size());
      return;
    case WM_SETTEXT: {
      auto* s = reinterpret_cast<const Char*>(Message.LParam);
      text_ = s ? String(s) : String();
      Message.Result = 1;
      return;
    }
    default:
      break;
  }
}

// -- Parent

TComponent* TControl::GetParentComponent() const {
  return parent_;
}

void TControl::SetParentComponent(TComponent* Value) {
  if (auto* w = dynamic_cast<TWinControl*>(Value)) SetParent(w);
}

void TControl::SetParent(TWinControl* AParent) {
  if (parent_ == AParent) return;
  if (AParent == this) throw EInvalidOperation(u"A control cannot have itself as its parent");
  if (parent_) parent_->RemoveControl(this);
  if (AParent) {
    AParent->InsertControl(this);
    UpdateAnchorRules();
  }
}

HWND TControl::GetWindowHandle() {
  return parent_ ? parent_->Handle() : nullptr;
}

// -- Geometry

void TControl::SetLeft(int Value) {
  SetBounds(Value, top_, width_, height_);
  if (ComponentState().Contains(csReading)) scalingFlags_.Include(sfLeft);
}

void TControl::SetTop(int Value) {
  SetBounds(left_, Value, width_, height_);
  if (ComponentState().Contains(csReading)) scalingFlags_.Include(sfTop);
}

void TControl::SetWidth(int Value) {
  SetBounds(left_, top_, Value, height_);
  if (ComponentState().Contains(csReading)) scalingFlags_.Include(sfWidth);
}

void TControl::SetHeight(int Value) {
  SetBounds(left_, top_, width_, Value);
  if (ComponentState().Contains(csReading)) scalingFlags_.Include(sfHeight);
}

bool TControl::CanResize(int& NewWidth, int& NewHeight) {
  bool r = true;
  if (OnCanResize) OnCanResize(this, NewWidth, NewHeight, r);
  return r;
}

void TControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  if (!CanResize(AWidth, AHeight)) return;
  constraints_->Apply(AWidth, AHeight);
  if (ALeft == left_ && ATop == top_ && AWidth == width_ && AHeight == height_) return;
  InvalidateControl(visible_, false);
  DoSetBounds(ALeft, ATop, AWidth, AHeight);
  UpdateAnchorRules();
  Invalidate();
  Perform(WM_WINDOWPOSCHANGED, 0, 0);
  RequestAlign();
  if (!ComponentState().Contains(csLoading)) Resize();
}

void TControl::DoSetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  left_ = ALeft;
  top_ = ATop;
  width_ = AWidth;
  height_ = AHeight;
}

void TControl::UpdateBoundsRect(const TRect& R) {
  UpdateAnchorRules();
  DoSetBounds(R.Left, R.Top, R.Width(), R.Height());
}

TRect TControl::GetClientRect() {
  return Rect(0, 0, width_, height_);
}

void TControl::SetClientWidth(int Value) {
  SetBounds(left_, top_, width_ - ClientWidth() + Value, height_);
}

void TControl::SetClientHeight(int Value) {
  SetBounds(left_, top_, width_, height_ - ClientHeight() + Value);
}

void TControl::SetClientSize(TSize S) {
  TRect cr = GetClientRect();
  SetBounds(left_, top_, width_ - cr.Width() + S.cx, height_ - cr.Height() + S.cy);
}

TPoint TControl::GetClientOrigin() {
  if (!parent_) throw EInvalidOperation(u"Control '" + Name() + u"' has no parent window");
  TPoint p = parent_->ClientOrigin();
  return {p.X + left_, p.Y + top_};
}

TPoint TControl::ClientToScreen(TPoint P) {
  TPoint o = GetClientOrigin();
  return {P.X + o.X, P.Y + o.Y};
}

TPoint TControl::ScreenToClient(TPoint P) {
  TPoint o = GetClientOrigin();
  return {P.X - o.X, P.Y - o.Y};
}

TRect TControl::ClientToScreen(const TRect& R) {
  TPoint a = ClientToScreen(R.TopLeft()), b = ClientToScreen(R.BottomRight());
  return {a.X, a.Y, b.X, b.Y};
}

TRect TControl::ScreenToClient(const TRect& R) {
  TPoint a = ScreenToClient(R.TopLeft()), b = ScreenToClient(R.BottomRight());
  return {a.X, a.Y, b.X, b.Y};
}

TPoint TControl::ClientToParent(TPoint P, TWinControl* AParent) {
  if (!AParent) AParent = parent_;
  if (!AParent) throw EInvalidOperation(u"Control '" + Name() + u"' has no parent window");
  TPoint r = P;
  TControl* c = this;
  while (c && c != AParent) {
    r.X += c->left_;
    r.Y += c->top_;
    c = c->parent_;
  }
  if (!c) throw EInvalidOperation(u"'" + AParent->Name() + u"' is not a parent of '" + Name() + u"'");
  return r;
}

TPoint TControl::ParentToClient(TPoint P, TWinControl* AParent) {
  TPoint o = ClientToParent(TPoint{0, 0}, AParent);
  return {P.X - o.X, P.Y - o.Y};
}

void TControl::SetAlign(TAlign Value) {
  if (align_ != Value) {
    TAlign old = align_;
    align_ = Value;
    anchors_ = AnchorAlign(Value);
    if (!ComponentState().Contains(csLoading) && Value != alCustom && old != alCustom) {
      const bool oldVertical = old == alTop || old == alBottom;
      const bool newHorizontal = Value == alLeft || Value == alRight;
      if (oldVertical == newHorizontal && old != alNone && old != alClient && Value != alNone &&
          Value != alClient)
        SetBounds(left_, top_, height_, width_);
      else
        AdjustSize();
    }
  }
  RequestAlign();
}

void TControl::SetAnchors(TAnchors Value) {
  if (anchors_ == Value) return;
  anchors_ = Value;
  if (!ComponentState().Contains(csLoading)) UpdateAnchorRules();
}

void TControl::UpdateAnchorRules() {
  if (anchorMove_ || ComponentState().Contains(csLoading)) return;
  if (anchors_ == TAnchors{akLeft, akTop}) {
    originalParentSize_ = {0, 0};
    return;
  }
  if (anchors_.Contains(akRight))
    anchorRules_.X = anchors_.Contains(akLeft) ? width_ : left_;
  else
    anchorRules_.X = left_ + width_ / 2;
  if (anchors_.Contains(akBottom))
    anchorRules_.Y = anchors_.Contains(akTop) ? height_ : top_;
  else
    anchorRules_.Y = top_ + height_ / 2;
  if (parent_) {
    if (parent_->ComponentState().Contains(csReading) && parent_->DesignSize() != TPoint{0, 0}) {
      originalParentSize_ = parent_->DesignSize();
    } else {
      TRect cr = parent_->ClientRect();
      originalParentSize_ = cr.BottomRight();
    }
  }
}

void TControl::CheckAnchors() {}

void TControl::SetAutoSize(bool Value) {
  if (autoSize_ == Value) return;
  autoSize_ = Value;
  if (Value) AdjustSize();
}

void TControl::AdjustSize() {
  if (!ComponentState().Contains(csLoading)) SetBounds(left_, top_, width_, height_);
}

void TControl::RequestAlign() {
  if (parent_) parent_->AlignControl(this);
}

// -- Visibility and appearance

void TControl::SetVisible(bool Value) {
  if (visible_ == Value) return;
  VisibleChanging();
  visible_ = Value;
  Perform(CM_VISIBLECHANGED, Value ? 1 : 0, 0);
  RequestAlign();
}

void TControl::Show() {
  if (parent_) parent_->Show();
  if (!ComponentState().Contains(csDesigning) || !controlStyle_.Contains(csNoDesignVisible)) SetVisible(true);
}

void TControl::Hide() {
  SetVisible(false);
}

void TControl::SetEnabled(bool Value) {
  if (enabled_ == Value) return;
  enabled_ = Value;
  Perform(CM_ENABLEDCHANGED, 0, 0);
}

void TControl::SetColor(TColor Value) {
  if (color_ == Value) return;
  color_ = Value;
  parentColor_ = false;
  Perform(CM_COLORCHANGED, 0, 0);
}

void TControl::SetParentColor(bool Value) {
  if (parentColor_ == Value) return;
  parentColor_ = Value;
  if (parent_ && !ComponentState().Contains(csReading)) Perform(CM_PARENTCOLORCHANGED, 0, 0);
}

void TControl::SetFont(TFont* Value) {
  font_->Assign(Value);
}

void TControl::FontChanged(TObject*) {
  parentFont_ = false;
  if (font_->Height() != fontHeight_) {
    scalingFlags_.Include(sfFont);
    fontHeight_ = font_->Height();
  }
  Perform(CM_FONTCHANGED, 0, 0);
}

void TControl::SetParentFont(bool Value) {
  if (parentFont_ == Value) return;
  parentFont_ = Value;
  if (parent_ && !ComponentState().Contains(csReading)) Perform(CM_PARENTFONTCHANGED, 0, 0);
}

void TControl::SetShowHint(bool Value) {
  if (showHint_ == Value) return;
  showHint_ = Value;
  parentShowHint_ = false;
  Perform(CM_SHOWHINTCHANGED, 0, 0);
}

void TControl::SetParentShowHint(bool Value) {
  if (parentShowHint_ == Value) return;
  parentShowHint_ = Value;
  if (parent_ && !ComponentState().Contains(csReading)) Perform(CM_PARENTSHOWHINTCHANGED, 0, 0);
}

void TControl::SetBiDiMode(TBiDiMode Value) {
  if (biDiMode_ == Value) return;
  biDiMode_ = Value;
  parentBiDiMode_ = false;
  Perform(CM_BIDIMODECHANGED, 0, 0);
}

void TControl::SetParentBiDiMode(bool Value) {
  if (parentBiDiMode_ == Value) return;
  parentBiDiMode_ = Value;
  if (parent_ && !ComponentState().Contains(csReading)) Perform(CM_PARENTBIDIMODECHANGED, 0, 0);
}

void TControl::SetCursor(TCursor Value) {
  if (cursor_ == Value) return;
  cursor_ = Value;
  Perform(CM_CURSORCHANGED, 0, 0);
}

void TControl::SetPopupMenu(TPopupMenu* Value) {
  if (popupMenu_ == Value) return;
  if (popupMenu_) popupMenu_->RemoveFreeNotification(this);
  popupMenu_ = Value;
  if (Value) Value->FreeNotification(this);
}

void TControl::Notification(TComponent* AComponent, TOperation Operation) {
  inherited::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == popupMenu_) popupMenu_ = nullptr;
}

// -- Text

int TControl::GetTextLen() {
  return static_cast<int>(Perform(WM_GETTEXTLENGTH, 0, 0));
}

String TControl::GetText() {
  const int len = GetTextLen();
  if (len <= 0) return {};
  String s(static_cast<size_t>(len) + 1, u'\0');
  const LRESULT n = Perform(WM_GETTEXT, static_cast<WPARAM>(len + 1), reinterpret_cast<LPARAM>(s.data()));
  s.resize(static_cast<size_t>(std::clamp<LRESULT>(n, 0, len)));
  return s;
}

void TControl::SetText(const String& Value) {
  if (GetText() == Value) return;
  Perform(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(Value.c_str()));
  Perform(CM_TEXTCHANGED, 0, 0);
}

void TControl::SetName(const String& NewName) {
  const bool changeText =
      controlStyle_.Contains(csSetCaption) && !ComponentState().Contains(csLoading) && Name() == GetText() &&
      (!Owner() || !dynamic_cast<TControl*>(Owner()) || !Owner()->ComponentState().Contains(csLoading));
  inherited::SetName(NewName);
  if (changeText) SetText(NewName);
}

// -- Painting

void TControl::InvalidateControl(bool IsVisible, bool IsOpaque) {
  if (!IsVisible || !parent_ || !parent_->HandleAllocated()) return;
  TRect r = BoundsRect();
  InvalidateRect(parent_->Handle(), &r,
                 !(IsOpaque || static_cast<TControl*>(parent_)->controlStyle_.Contains(csOpaque)));
}

void TControl::Invalidate() {
  InvalidateControl(visible_, controlStyle_.Contains(csOpaque));
}

void TControl::Update() {
  if (parent_) parent_->Update();
}

void TControl::Repaint() {
  if (!visible_ || !parent_ || !parent_->HandleAllocated()) return;
  if (controlStyle_.Contains(csOpaque)) {
    HDC dc = GetDC(parent_->Handle());
    SaveDC(dc);
    IntersectClipRect(dc, left_, top_, left_ + width_, top_ + height_);
    parent_->PaintControls(dc, this);
    RestoreDC(dc, -1);
    ReleaseDC(parent_->Handle(), dc);
  } else {
    Invalidate();
    Update();
  }
}

HDC TControl::GetDeviceContext(HWND& WindowHandle) {
  if (!parent_) throw EInvalidOperation(u"Control '" + Name() + u"' has no parent window");
  HDC dc = parent_->GetDeviceContext(WindowHandle);
  SetViewportOrgEx(dc, left_, top_, nullptr);
  IntersectClipRect(dc, 0, 0, width_, height_);
  return dc;
}

int TControl::GetControlIndex() {
  if (!parent_) return -1;
  for (int i = 0; i < parent_->ControlCount(); ++i)
    if (parent_->Controls(i) == this) return i;
  return -1;
}

void TControl::SetControlIndex(int Index) {
  if (parent_) parent_->SetChildOrder(this, Index);
}

void TControl::SetZOrder(bool TopMost) {
  if (auto* self = dynamic_cast<TWinControl*>(this)) {
    // Windowed controls keep their own list, whose last entry lies on top. A change of
    // order never activates: a popup brought to the front must not take the focus.
    if (!parent_) {
      if (self->handle_)
        SetWindowPos(self->handle_, TopMost ? HWND_TOP : HWND_BOTTOM, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
      return;
    }
    auto& wins = parent_->winControls_;
    auto it = std::find(wins.begin(), wins.end(), self);
    if (it == wins.end()) return;
    wins.erase(it);
    if (TopMost)
      wins.push_back(self);
    else
      wins.insert(wins.begin(), self);
    if (self->handle_)
      SetWindowPos(self->handle_, parent_->PrecedingWindow(self), 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return;
  }
  if (!parent_) return;
  auto& list = parent_->controls_;
  auto it = std::find(list.begin(), list.end(), this);
  if (it != list.end()) {
    list.erase(it);
    if (TopMost)
      list.push_back(this);
    else
      list.insert(list.begin(), this);
    InvalidateControl(visible_, true);
  }
}

void TControl::BringToFront() {
  SetZOrder(true);
}

void TControl::SendToBack() {
  SetZOrder(false);
}

// -- Mouse

bool TControl::MouseCapture() {
  return GetCaptureControl() == this;
}

void TControl::SetMouseCapture(bool Value) {
  if (MouseCapture() == Value) return;
  SetCaptureControl(Value ? this : nullptr);
}

void TControl::Click() {
  if (OnClick) OnClick(this);
}

void TControl::DblClick() {
  if (OnDblClick) OnDblClick(this);
}

void TControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (OnMouseDown) OnMouseDown(this, Button, Shift, X, Y);
}

void TControl::MouseMove(TShiftState Shift, int X, int Y) {
  if (OnMouseMove) OnMouseMove(this, Shift, X, Y);
}

void TControl::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (OnMouseUp) OnMouseUp(this, Button, Shift, X, Y);
}

bool TControl::DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) {
  bool result = false;
  if (OnMouseWheel) OnMouseWheel(this, Shift, WheelDelta, MousePos, result);
  if (!result) {
    wheelAccumulator_ += WheelDelta;
    while (std::abs(wheelAccumulator_) >= WHEEL_DELTA) {
      const bool neg = wheelAccumulator_ < 0;
      wheelAccumulator_ = std::abs(wheelAccumulator_) - WHEEL_DELTA;
      if (neg) {
        if (wheelAccumulator_ != 0) wheelAccumulator_ = -wheelAccumulator_;
        result = DoMouseWheelDown(Shift, MousePos);
      } else {
        result = DoMouseWheelUp(Shift, MousePos);
      }
    }
  }
  return result;
}

bool TControl::DoMouseWheelDown(TShiftState Shift, TPoint MousePos) {
  bool result = false;
  if (OnMouseWheelDown) OnMouseWheelDown(this, Shift, MousePos, result);
  return result;
}

bool TControl::DoMouseWheelUp(TShiftState Shift, TPoint MousePos) {
  bool result = false;
  if (OnMouseWheelUp) OnMouseWheelUp(this, Shift, MousePos, result);
  return result;
}

void TControl::DoContextPopup(TPoint MousePos, bool& Handled) {
  if (OnContextPopup) OnContextPopup(this, MousePos, Handled);
}

void TControl::Resize() {
  if (OnResize) OnResize(this);
}

// -- Scaling

void TControl::ChangeScale(int M, int D, bool isDpiChange) {
  if (M == D) return;
  TScalingFlags flags = ComponentState().Contains(csLoading)
                            ? scalingFlags_
                            : TScalingFlags{sfLeft, sfTop, sfWidth, sfHeight, sfFont};
  if (isDpiChange) flags = TScalingFlags{sfLeft, sfTop, sfWidth, sfHeight, sfFont};
  int x = flags.Contains(sfLeft) ? MulDiv(left_, M, D) : left_;
  int y = flags.Contains(sfTop) ? MulDiv(top_, M, D) : top_;
  int w = width_, h = height_;
  if (flags.Contains(sfWidth) && !controlStyle_.Contains(csFixedWidth))
    w = flags.Contains(sfLeft) ? MulDiv(left_ + width_, M, D) - x : MulDiv(width_, M, D);
  if (flags.Contains(sfHeight) && !controlStyle_.Contains(csFixedHeight))
    h = flags.Contains(sfTop) ? MulDiv(top_ + height_, M, D) - y : MulDiv(height_, M, D);
  if (!parentFont_ && flags.Contains(sfFont)) font_->SetHeight(MulDiv(font_->Height(), M, D));
  margins_->ChangeScale(M, D);
  font_->SetPixelsPerInch(MulDiv(font_->PixelsPerInch(), M, D));
  if (isDpiChange) currentPPI_ = MulDiv(currentPPI_, M, D);
  SetBounds(x, y, w, h);
  scalingFlags_.Clear();
}

void TControl::ScaleForPPI(int NewPPI) {
  if (NewPPI == currentPPI_ || NewPPI <= 0) return;
  const int old = currentPPI_;
  ChangeScale(NewPPI, old, true);
  currentPPI_ = NewPPI;
}

// -- Stored forms

void TControl::ReadState(TReader* Reader) {
  controlState_.Include(csReadingState);
  if (auto* p = dynamic_cast<TWinControl*>(Reader->Parent())) SetParent(p);
  inherited::ReadState(Reader);
  controlState_.Exclude(csReadingState);
  if (parent_) {
    Perform(CM_PARENTCOLORCHANGED, 0, 0);
    Perform(CM_PARENTFONTCHANGED, 0, 0);
    Perform(CM_PARENTSHOWHINTCHANGED, 0, 0);
    Perform(CM_SYSFONTCHANGED, 0, 0);
    Perform(CM_PARENTBIDIMODECHANGED, 0, 0);
  }
}

void TControl::Loaded() {
  inherited::Loaded();
  UpdateAnchorRules();
  if (autoSize_) AdjustSize();
}

// ---- Capture ----------------------------------------------------------------------------------------

TControl* GetCaptureControl() {
  TControl* r = FindControl(GetCapture());
  if (r && gCaptureControl && gCaptureControl->Parent() == r) r = gCaptureControl;
  return r;
}

void SetCaptureControl(TControl* Control) {
  ReleaseCapture();
  gCaptureControl = nullptr;
  if (!Control) return;
  TWinControl* w = dynamic_cast<TWinControl*>(Control);
  if (!w) {
    if (!Control->Parent()) return;
    gCaptureControl = Control;
    w = Control->Parent();
  }
  SetCapture(w->Handle());
}

// ---- TControlCanvas ------------------------------------------------------------------------------

TControlCanvas::~TControlCanvas() {
  FreeHandle();
}

void TControlCanvas::SetControl(TControl* AControl) {
  if (control_ == AControl) return;
  FreeHandle();
  control_ = AControl;
}

void TControlCanvas::FreeHandle() {
  if (!deviceContext_) return;
  SetHandle(nullptr);
  ReleaseDC(windowHandle_, deviceContext_);
  deviceContext_ = nullptr;
  windowHandle_ = nullptr;
}

void TControlCanvas::CreateHandle() {
  if (!control_) return;
  if (!deviceContext_) deviceContext_ = control_->GetDeviceContext(windowHandle_);
  SetHandle(deviceContext_);
  UpdateTextFlags();
}

void TControlCanvas::UpdateTextFlags() {
  if (control_ && control_->UseRightToLeftReading())
    SetTextFlags(TextFlags() | ETO_RTLREADING);
  else
    SetTextFlags(TextFlags() & ~static_cast<int32_t>(ETO_RTLREADING));
}

// ---- TCustomControl and TGraphicControl ------------------------------------------------------------

TCustomControl::TCustomControl(TComponent* AOwner)
    : TWinControl(AOwner), canvas_(std::make_unique<TControlCanvas>()) {
  canvas_->SetControl(this);
}

TCustomControl::~TCustomControl() {
  canvas_->FreeHandle();
}

void TCustomControl::Dispatch(TMessage& Message) {
  if (Message.Msg == WM_PAINT) {
    controlState_.Include(csCustomPaint);
    inherited::Dispatch(Message);
    controlState_.Exclude(csCustomPaint);
    return;
  }
  inherited::Dispatch(Message);
}

void TCustomControl::PaintWindow(HDC DC) {
  canvas_->Lock();
  canvas_->SetHandle(DC);
  try {
    canvas_->UpdateTextFlags();
    Paint();
  } catch (...) {
    canvas_->SetHandle(nullptr);
    canvas_->Unlock();
    throw;
  }
  canvas_->SetHandle(nullptr);
  canvas_->Unlock();
}

TGraphicControl::TGraphicControl(TComponent* AOwner)
    : TControl(AOwner), canvas_(std::make_unique<TControlCanvas>()) {
  canvas_->SetControl(this);
}

TGraphicControl::~TGraphicControl() {
  canvas_->FreeHandle();
}

void TGraphicControl::Dispatch(TMessage& Message) {
  if (Message.Msg == WM_PAINT) {
    if (Message.DC() && !ComponentState().Contains(csDestroying)) {
      canvas_->Lock();
      canvas_->SetHandle(Message.DC());
      try {
        Paint();
      } catch (...) {
        canvas_->SetHandle(nullptr);
        canvas_->Unlock();
        throw;
      }
      canvas_->SetHandle(nullptr);
      canvas_->Unlock();
    }
    return;
  }
  inherited::Dispatch(Message);
}

// ---- TMouse ----------------------------------------------------------------------------------------

TMouse::TMouse() {
  const int cx = GetSystemMetrics(SM_CXDRAG);
  if (cx > 0) dragThreshold_ = std::max(cx, 5);
}

TPoint TMouse::CursorPos() const {
  POINT p;
  GetCursorPos(&p);
  return p;
}

void TMouse::SetCursorPos(TPoint P) {
  ::qd::SetCursorPos(P.X, P.Y);
}

void TMouse::SetCapture(HWND Value) {
  if (Value)
    ::qd::SetCapture(Value);
  else
    ReleaseCapture();
}

int TMouse::WheelScrollLines() const {
  UINT lines = 3;
  SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
  return lines == WHEEL_PAGESCROLL ? -1 : static_cast<int>(lines);
}

// ---- Utility windows ------------------------------------------------------------------------------

namespace {

const Char kUtilWindowClass[] = u"TPUtilWindow";
const Char kUtilWindowProp[] = u"QdUtilMethod";

LRESULT UtilWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* method = static_cast<TWndMethod*>(GetPropW(hwnd, kUtilWindowProp));
  if (!method) return DefWindowProcW(hwnd, msg, wParam, lParam);
  TMessage m;
  m.Msg = msg;
  m.WParam = wParam;
  m.LParam = lParam;
  TWndMethod copy = *method;
  if (msg == WM_NCDESTROY) {
    RemovePropW(hwnd, kUtilWindowProp);
    delete method;
  }
  try {
    copy(m);
  } catch (...) {
    if (forms_detail::HandleException) forms_detail::HandleException(nullptr);
  }
  return m.Result;
}

void RegisterUtilClass() {
  WNDCLASSW wc;
  if (GetClassInfoW(nullptr, kUtilWindowClass, &wc)) return;
  wc.lpfnWndProc = &UtilWindowProc;
  wc.lpszClassName = kUtilWindowClass;
  RegisterClassW(&wc);
}

}  // namespace

HWND AllocateHWnd(TWndMethod Method) {
  RegisterUtilClass();
  HWND h = CreateWindowExW(WS_EX_TOOLWINDOW, kUtilWindowClass, u"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                           nullptr, nullptr);
  if (h && Method) SetPropW(h, kUtilWindowProp, new TWndMethod(Method));
  return h;
}

bool IsAllocatedHWnd(HWND Wnd) {
  return Wnd && IsWindow(Wnd) && GetPropW(Wnd, kUtilWindowProp) != nullptr;
}

void DeallocateHWnd(HWND Wnd) {
  if (!Wnd || !IsWindow(Wnd)) return;
  if (auto* method = static_cast<TWndMethod*>(RemovePropW(Wnd, kUtilWindowProp))) delete method;
  DestroyWindow(Wnd);
}

}  // namespace qd
