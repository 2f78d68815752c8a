#pragma once
// Controls: the control base (TControl), windowed controls over the window manager
// (TWinControl), custom-drawn controls (TCustomControl), controls drawn by their parent
// (TGraphicControl), the control canvas, the mouse, and the internal CM_/CN_ notifications.
//
// Messages reach a control through WindowProc (a method reference, WndProc by default, that
// subclassers replace and chain), then WndProc, then Dispatch: each class overrides Dispatch,
// handles the message ids it knows and passes the rest to inherited::Dispatch; a handler that
// wants the inherited behaviour calls inherited::Dispatch itself. What no class handles
// reaches DefaultHandler (for a windowed control, the window class's own procedure).
//
// Members that the original keeps protected are public here: the library above reaches
// them on other controls.
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "platform/base/method.h"
#include "platform/base/set.h"
#include "platform/classes/classes.h"
#include "platform/classes/lists.h"
#include "platform/classes/rtti.h"
#include "platform/forms/graphics.h"
#include "platform/os/clock.h"
#include "platform/os/user.h"

namespace qd {

class TWinControl;
class TCustomForm;
class TPopupMenu;
class TReader;
class TControl;
class TDragObject;
class TDragImageList;

// ---- Internal notifications ----------------------------------------------------------------------

constexpr UINT CM_BASE = 0xB000;
constexpr UINT CM_ACTIVATE = CM_BASE + 0;
constexpr UINT CM_DEACTIVATE = CM_BASE + 1;
constexpr UINT CM_GOTFOCUS = CM_BASE + 2;
constexpr UINT CM_LOSTFOCUS = CM_BASE + 3;
constexpr UINT CM_CANCELMODE = CM_BASE + 4;
constexpr UINT CM_DIALOGKEY = CM_BASE + 5;
constexpr UINT CM_DIALOGCHAR = CM_BASE + 6;
constexpr UINT CM_FOCUSCHANGED = CM_BASE + 7;
constexpr UINT CM_PARENTFONTCHANGED = CM_BASE + 8;
constexpr UINT CM_PARENTCOLORCHANGED = CM_BASE + 9;
constexpr UINT CM_HITTEST = CM_BASE + 10;
constexpr UINT CM_VISIBLECHANGED = CM_BASE + 11;
constexpr UINT CM_ENABLEDCHANGED = CM_BASE + 12;
constexpr UINT CM_COLORCHANGED = CM_BASE + 13;
constexpr UINT CM_FONTCHANGED = CM_BASE + 14;
constexpr UINT CM_CURSORCHANGED = CM_BASE + 15;
constexpr UINT CM_CTL3DCHANGED = CM_BASE + 16;
constexpr UINT CM_PARENTCTL3DCHANGED = CM_BASE + 17;
constexpr UINT CM_TEXTCHANGED = CM_BASE + 18;
constexpr UINT CM_MOUSEENTER = CM_BASE + 19;
constexpr UINT CM_MOUSELEAVE = CM_BASE + 20;
constexpr UINT CM_MENUCHANGED = CM_BASE + 21;
constexpr UINT CM_APPKEYDOWN = CM_BASE + 22;
constexpr UINT CM_APPSYSCOMMAND = CM_BASE + 23;
constexpr UINT CM_BUTTONPRESSED = CM_BASE + 24;
constexpr UINT CM_SHOWINGCHANGED = CM_BASE + 25;
constexpr UINT CM_ENTER = CM_BASE + 26;
constexpr UINT CM_EXIT = CM_BASE + 27;
constexpr UINT CM_DESIGNHITTEST = CM_BASE + 28;
constexpr UINT CM_ICONCHANGED = CM_BASE + 29;
constexpr UINT CM_WANTSPECIALKEY = CM_BASE + 30;
constexpr UINT CM_INVOKEHELP = CM_BASE + 31;
constexpr UINT CM_WINDOWHOOK = CM_BASE + 32;
constexpr UINT CM_RELEASE = CM_BASE + 33;
constexpr UINT CM_SHOWHINTCHANGED = CM_BASE + 34;
constexpr UINT CM_PARENTSHOWHINTCHANGED = CM_BASE + 35;
constexpr UINT CM_SYSCOLORCHANGE = CM_BASE + 36;
constexpr UINT CM_WININICHANGE = CM_BASE + 37;
constexpr UINT CM_FONTCHANGE = CM_BASE + 38;
constexpr UINT CM_TIMECHANGE = CM_BASE + 39;
constexpr UINT CM_TABSTOPCHANGED = CM_BASE + 40;
constexpr UINT CM_UIACTIVATE = CM_BASE + 41;
constexpr UINT CM_UIDEACTIVATE = CM_BASE + 42;
constexpr UINT CM_DOCWINDOWACTIVATE = CM_BASE + 43;
constexpr UINT CM_CONTROLLISTCHANGE = CM_BASE + 44;
constexpr UINT CM_GETDATALINK = CM_BASE + 45;
constexpr UINT CM_CHILDKEY = CM_BASE + 46;
constexpr UINT CM_DRAG = CM_BASE + 47;
constexpr UINT CM_HINTSHOW = CM_BASE + 48;
constexpr UINT CM_DIALOGHANDLE = CM_BASE + 49;
constexpr UINT CM_ISTOOLCONTROL = CM_BASE + 50;
constexpr UINT CM_RECREATEWND = CM_BASE + 51;
constexpr UINT CM_INVALIDATE = CM_BASE + 52;
constexpr UINT CM_SYSFONTCHANGED = CM_BASE + 53;
constexpr UINT CM_CONTROLCHANGE = CM_BASE + 54;
constexpr UINT CM_CHANGED = CM_BASE + 55;
constexpr UINT CM_DOCKCLIENT = CM_BASE + 56;
constexpr UINT CM_UNDOCKCLIENT = CM_BASE + 57;
constexpr UINT CM_FLOAT = CM_BASE + 58;
constexpr UINT CM_BORDERCHANGED = CM_BASE + 59;
constexpr UINT CM_BIDIMODECHANGED = CM_BASE + 60;
constexpr UINT CM_PARENTBIDIMODECHANGED = CM_BASE + 61;
constexpr UINT CM_ALLCHILDRENFLIPPED = CM_BASE + 62;
constexpr UINT CM_ACTIONUPDATE = CM_BASE + 63;
constexpr UINT CM_ACTIONEXECUTE = CM_BASE + 64;
constexpr UINT CM_HINTSHOWPAUSE = CM_BASE + 65;
constexpr UINT CM_DOCKNOTIFICATION = CM_BASE + 66;
constexpr UINT CM_MOUSEWHEEL = CM_BASE + 67;
constexpr UINT CM_ISSHORTCUT = CM_BASE + 68;
constexpr UINT CM_UPDATEACTIONS = CM_BASE + 69;
constexpr UINT CM_INVALIDATEDOCKHOST = CM_BASE + 70;
constexpr UINT CM_SETACTIVECONTROL = CM_BASE + 71;
constexpr UINT CM_POPUPHWNDDESTROY = CM_BASE + 72;
constexpr UINT CM_CREATEPOPUP = CM_BASE + 73;
constexpr UINT CM_DESTROYHANDLE = CM_BASE + 74;
constexpr UINT CM_MOUSEACTIVATE = CM_BASE + 75;
constexpr UINT CM_CONTROLLISTCHANGING = CM_BASE + 76;
constexpr UINT CM_BUFFEREDPRINTCLIENT = CM_BASE + 77;
constexpr UINT CM_UNTHEMECONTROL = CM_BASE + 78;
constexpr UINT CM_DOUBLEBUFFEREDCHANGED = CM_BASE + 79;
constexpr UINT CM_PARENTDOUBLEBUFFEREDCHANGED = CM_BASE + 80;
constexpr UINT CM_STYLECHANGED = CM_BASE + 81;
constexpr UINT CM_GESTURE = CM_BASE + 82;
constexpr UINT CM_CUSTOMGESTURESCHANGED = CM_BASE + 83;
constexpr UINT CM_GESTUREMANAGERCHANGED = CM_BASE + 84;
constexpr UINT CM_STANDARDGESTURESCHANGED = CM_BASE + 85;
constexpr UINT CM_INPUTLANGCHANGE = CM_BASE + 86;
constexpr UINT CM_TABLETOPTIONSCHANGED = CM_BASE + 87;
constexpr UINT CM_PARENTTABLETOPTIONSCHANGED = CM_BASE + 88;
constexpr UINT CM_CUSTOMSTYLECHANGED = CM_BASE + 89;

// Messages reflected from a parent to the child window they concern.
constexpr UINT CN_BASE = 0xBC00;
constexpr UINT CN_CHARTOITEM = CN_BASE + WM_CHARTOITEM;
constexpr UINT CN_COMMAND = CN_BASE + WM_COMMAND;
constexpr UINT CN_COMPAREITEM = CN_BASE + WM_COMPAREITEM;
constexpr UINT CN_CTLCOLORBTN = CN_BASE + WM_CTLCOLORBTN;
constexpr UINT CN_CTLCOLORDLG = CN_BASE + WM_CTLCOLORDLG;
constexpr UINT CN_CTLCOLOREDIT = CN_BASE + WM_CTLCOLOREDIT;
constexpr UINT CN_CTLCOLORLISTBOX = CN_BASE + WM_CTLCOLORLISTBOX;
constexpr UINT CN_CTLCOLORMSGBOX = CN_BASE + WM_CTLCOLORMSGBOX;
constexpr UINT CN_CTLCOLORSCROLLBAR = CN_BASE + WM_CTLCOLORSCROLLBAR;
constexpr UINT CN_CTLCOLORSTATIC = CN_BASE + WM_CTLCOLORSTATIC;
constexpr UINT CN_DELETEITEM = CN_BASE + WM_DELETEITEM;
constexpr UINT CN_DRAWITEM = CN_BASE + WM_DRAWITEM;
constexpr UINT CN_HSCROLL = CN_BASE + WM_HSCROLL;
constexpr UINT CN_MEASUREITEM = CN_BASE + WM_MEASUREITEM;
constexpr UINT CN_PARENTNOTIFY = CN_BASE + WM_PARENTNOTIFY;
constexpr UINT CN_VKEYTOITEM = CN_BASE + WM_VKEYTOITEM;
constexpr UINT CN_VSCROLL = CN_BASE + WM_VSCROLL;
constexpr UINT CN_KEYDOWN = CN_BASE + WM_KEYDOWN;
constexpr UINT CN_KEYUP = CN_BASE + WM_KEYUP;
constexpr UINT CN_CHAR = CN_BASE + WM_CHAR;
constexpr UINT CN_SYSKEYDOWN = CN_BASE + WM_SYSKEYDOWN;
constexpr UINT CN_SYSCHAR = CN_BASE + WM_SYSCHAR;
constexpr UINT CN_NOTIFY = CN_BASE + WM_NOTIFY;

// A message as controls see it; handlers set Result.
struct TMessage {
  UINT Msg = 0;
  WPARAM WParam = 0;
  LPARAM LParam = 0;
  LRESULT Result = 0;

  WORD WParamLo() const { return LOWORD(WParam); }
  WORD WParamHi() const { return HIWORD(WParam); }
  WORD LParamLo() const { return LOWORD(static_cast<uintptr_t>(LParam)); }
  WORD LParamHi() const { return HIWORD(static_cast<uintptr_t>(LParam)); }
  // Mouse messages: the signed position in lParam and the key flags in wParam.
  int XPos() const { return GET_X_LPARAM(LParam); }
  int YPos() const { return GET_Y_LPARAM(LParam); }
  TPoint Pos() const { return {XPos(), YPos()}; }
  WPARAM Keys() const { return WParam; }
  // Key messages: the key code in wParam (set to 0 to swallow the key) and the key data.
  WORD CharCode() const { return static_cast<WORD>(WParam); }
  void SetCharCode(WORD c) { WParam = c; }
  LPARAM KeyData() const { return LParam; }
  // WM_PAINT and WM_ERASEBKGND: the device context in wParam (0 = paint the update region).
  HDC DC() const { return reinterpret_cast<HDC>(WParam); }
};

using TWndMethod = TMethod<void(TMessage&)>;

// ---- Enumerations and sets -------------------------------------------------------------------------

enum TAlign : uint8_t { alNone, alTop, alBottom, alLeft, alRight, alClient, alCustom };
enum TAnchorKind : uint8_t { akLeft, akTop, akRight, akBottom };
using TAnchors = TSet<TAnchorKind>;
enum TAlignment : uint8_t { taLeftJustify, taRightJustify, taCenter };
enum TVerticalAlignment : uint8_t { taAlignTop, taAlignBottom, taVerticalCenter };
enum TTextLayout : uint8_t { tlTop, tlCenter, tlBottom };
enum TBiDiMode : uint8_t { bdLeftToRight, bdRightToLeft, bdRightToLeftNoAlign, bdRightToLeftReadingOnly };
enum TFormBorderStyle : uint8_t { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
using TBorderStyle = TFormBorderStyle;
enum TDragMode : uint8_t { dmManual, dmAutomatic };
enum TMouseButton : uint8_t { mbLeft, mbRight, mbMiddle };

// (The original's ssHorizontal member is left out: it would clash with the scroll-style
// value of the same name.)
enum TShiftStateItem : uint8_t {
  ssShift,
  ssAlt,
  ssCtrl,
  ssLeft,
  ssRight,
  ssMiddle,
  ssDouble,
  ssTouch,
  ssPen,
  ssCommand
};
using TShiftState = TSet<TShiftStateItem>;

enum TControlStyleItem : uint8_t {
  csAcceptsControls,
  csCaptureMouse,
  csDesignInteractive,
  csClickEvents,
  csFramed,
  csSetCaption,
  csOpaque,
  csDoubleClicks,
  csFixedWidth,
  csFixedHeight,
  csNoDesignVisible,
  csReplicatable,
  csNoStdEvents,
  csDisplayDragImage,
  csReflector,
  csActionClient,
  csMenuEvents,
  csNeedsBorderPaint,
  csParentBackground,
  csPannable,
  csAlignWithMargins,
  csGestures,
  csPaintBlackOpaqueOnGlass,
  csOverrideStylePaint
};
using TControlStyle = TSet<TControlStyleItem>;

enum TControlStateItem : uint8_t {
  csLButtonDown,
  csClicked,
  csPalette,
  csReadingState,
  csAlignmentNeeded,
  csFocusing,
  csCreating,
  csPaintCopy,
  csCustomPaint,
  csDestroyingHandle,
  csDocking,
  csDesignerHide,
  csPanning,
  csRecreating,
  csAligning,
  csGlassPaint,
  csPrintClient
};
using TControlState = TSet<TControlStateItem>;

enum TScalingFlag : uint8_t { sfLeft, sfTop, sfWidth, sfHeight, sfFont, sfDesignSize };
using TScalingFlags = TSet<TScalingFlag>;

using TCursor = int16_t;
constexpr TCursor crDefault = 0;
constexpr TCursor crNone = -1;
constexpr TCursor crArrow = -2;
constexpr TCursor crCross = -3;
constexpr TCursor crIBeam = -4;
constexpr TCursor crSize = -22;
constexpr TCursor crSizeNESW = -6;
constexpr TCursor crSizeNS = -7;
constexpr TCursor crSizeNWSE = -8;
constexpr TCursor crSizeWE = -9;
constexpr TCursor crUpArrow = -10;
constexpr TCursor crHourGlass = -11;
constexpr TCursor crDrag = -12;
constexpr TCursor crNoDrop = -13;
constexpr TCursor crHSplit = -14;
constexpr TCursor crVSplit = -15;
constexpr TCursor crMultiDrag = -16;
constexpr TCursor crSQLWait = -17;
constexpr TCursor crNo = -18;
constexpr TCursor crAppStart = -19;
constexpr TCursor crHelp = -20;
constexpr TCursor crHandPoint = -21;
constexpr TCursor crSizeAll = -22;

using TModalResult = int32_t;
constexpr TModalResult mrNone = 0;
constexpr TModalResult mrOk = IDOK;
constexpr TModalResult mrCancel = IDCANCEL;
constexpr TModalResult mrAbort = IDABORT;
constexpr TModalResult mrRetry = IDRETRY;
constexpr TModalResult mrIgnore = IDIGNORE;
constexpr TModalResult mrYes = IDYES;
constexpr TModalResult mrNo = IDNO;
constexpr TModalResult mrClose = 8;
constexpr TModalResult mrHelp = 9;
constexpr TModalResult mrTryAgain = 10;
constexpr TModalResult mrContinue = 11;
constexpr TModalResult mrAll = 12;
constexpr TModalResult mrNoToAll = 13;
constexpr TModalResult mrYesToAll = 14;

// The anchors that an alignment implies.
TAnchors AnchorAlign(TAlign Align);

// Published type information of the enumerations above (for the stored-form reader).
const TTypeInfo* TypeInfoTAlign();
const TTypeInfo* TypeInfoTAnchors();
const TTypeInfo* TypeInfoTAlignment();
const TTypeInfo* TypeInfoTVerticalAlignment();
const TTypeInfo* TypeInfoTTextLayout();
const TTypeInfo* TypeInfoTBiDiMode();
const TTypeInfo* TypeInfoTCursor();
const TTypeInfo* TypeInfoTDragMode();
const TTypeInfo* TypeInfoTModalResult();
const TTypeInfo* TypeInfoTFormBorderStyle();
bool CursorToIdent(int64_t Cursor, String& Ident);
bool IdentToCursor(const String& Ident, int64_t& Cursor);

// ---- Events -------------------------------------------------------------------------------------

using TMouseEvent = TMethod<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = TMethod<void(TObject* Sender, TShiftState Shift, int X, int Y)>;
using TKeyEvent = TMethod<void(TObject* Sender, WORD& Key, TShiftState Shift)>;
using TKeyPressEvent = TMethod<void(TObject* Sender, Char& Key)>;
using TMouseWheelEvent =
    TMethod<void(TObject* Sender, TShiftState Shift, int WheelDelta, TPoint MousePos, bool& Handled)>;
using TMouseWheelUpDownEvent =
    TMethod<void(TObject* Sender, TShiftState Shift, TPoint MousePos, bool& Handled)>;
using TContextPopupEvent = TMethod<void(TObject* Sender, TPoint MousePos, bool& Handled)>;
using TCanResizeEvent = TMethod<void(TObject* Sender, int& NewWidth, int& NewHeight, bool& Resize)>;

// Dragging: what a target hears while something is dragged over it.
enum TDragState : uint8_t { dsDragEnter, dsDragLeave, dsDragMove };
// The kinds of CM_DRAG (wParam); lParam points to a TDragRec.
enum TDragMessage : uint8_t { dmDragEnter, dmDragLeave, dmDragMove, dmDragDrop, dmDragCancel, dmFindTarget };
struct TDragRec {
  TPoint Pos;  // screen coordinates
  TDragObject* Source = nullptr;
  TControl* Target = nullptr;
  bool Docking = false;
};
// Source is the drag object, or the dragged control when the platform made the object.
using TDragOverEvent =
    TMethod<void(TObject* Sender, TObject* Source, int X, int Y, TDragState State, bool& Accept)>;
using TDragDropEvent = TMethod<void(TObject* Sender, TObject* Source, int X, int Y)>;
using TStartDragEvent = TMethod<void(TObject* Sender, TDragObject*& DragObject)>;
// Target is nullptr when the drag was cancelled or nothing accepted the drop.
using TEndDragEvent = TMethod<void(TObject* Sender, TObject* Target, int X, int Y)>;

// Shift state of the key flags of mouse messages, of key data, and of the current keys.
TShiftState KeysToShiftState(WPARAM Keys);
TShiftState KeyDataToShiftState(LPARAM KeyData);
TShiftState KeyboardStateToShiftState();

// ---- Helpers ------------------------------------------------------------------------------------

// Size limits of a control (0 = none).
class TSizeConstraints : public TPersistent {
  QD_CLASS(TSizeConstraints, TPersistent)
  QD_PUBLISHED(TSizeConstraints)

 public:
  explicit TSizeConstraints(class TControl* Control = nullptr) : control_(Control) {}
  void Assign(TPersistent* Source) override;
  int MaxHeight() const { return maxHeight_; }
  int MaxWidth() const { return maxWidth_; }
  int MinHeight() const { return minHeight_; }
  int MinWidth() const { return minWidth_; }
  void SetMaxHeight(int v);
  void SetMaxWidth(int v);
  void SetMinHeight(int v);
  void SetMinWidth(int v);
  // Brings the sizes into the limits.
  void Apply(int& Width, int& Height) const;
  TNotifyEvent OnChange;

 private:
  void Changed();
  class TControl* control_;
  int maxHeight_ = 0, maxWidth_ = 0, minHeight_ = 0, minWidth_ = 0;
};

// The space a control keeps around itself when it is aligned with margins.
class TMargins : public TPersistent {
  QD_CLASS(TMargins, TPersistent)
  QD_PUBLISHED(TMargins)

 public:
  explicit TMargins(class TControl* Control = nullptr) : control_(Control) {}
  void Assign(TPersistent* Source) override;
  int Left() const { return left_; }
  int Top() const { return top_; }
  int Right() const { return right_; }
  int Bottom() const { return bottom_; }
  void SetLeft(int v) { Set(left_, v); }
  void SetTop(int v) { Set(top_, v); }
  void SetRight(int v) { Set(right_, v); }
  void SetBottom(int v) { Set(bottom_, v); }
  // Scales the four values.
  void ChangeScale(int M, int D);

 private:
  void Set(int& AField, int AValue);
  void Changed();
  class TControl* control_;
  int left_ = 3, top_ = 3, right_ = 3, bottom_ = 3;
};

// Touch settings, kept for stored forms only (this platform produces no gestures).
enum TInteractiveGesture : uint8_t { igZoom, igPan, igRotate, igTwoFingerTap, igPressAndTap };
using TInteractiveGestures = TSet<TInteractiveGesture>;
enum TInteractiveGestureOption : uint8_t {
  igoPanSingleFingerHorizontal,
  igoPanSingleFingerVertical,
  igoPanInertia,
  igoPanGutter,
  igoParentPassthrough
};
using TInteractiveGestureOptions = TSet<TInteractiveGestureOption>;

class TTouchManager : public TPersistent {
  QD_CLASS(TTouchManager, TPersistent)
  QD_PUBLISHED(TTouchManager)

 public:
  TInteractiveGestures InteractiveGestures() const { return gestures_; }
  void SetInteractiveGestures(TInteractiveGestures v) { gestures_ = v; }
  TInteractiveGestureOptions InteractiveGestureOptions() const { return options_; }
  void SetInteractiveGestureOptions(TInteractiveGestureOptions v) { options_ = v; }
  bool ParentTabletOptions() const { return parentTabletOptions_; }
  void SetParentTabletOptions(bool v) { parentTabletOptions_ = v; }
  void Assign(TPersistent* Source) override;

 private:
  TInteractiveGestures gestures_{igPressAndTap};
  TInteractiveGestureOptions options_{igoPanSingleFingerHorizontal, igoPanSingleFingerVertical, igoPanInertia,
                                      igoPanGutter, igoParentPassthrough};
  bool parentTabletOptions_ = true;
};

// ---- TControl -----------------------------------------------------------------------------------

class TControl : public TComponent {
  QD_CLASS(TControl, TComponent)
  QD_PUBLISHED(TControl)

 public:
  explicit TControl(TComponent* AOwner);
  ~TControl() override;

  // -- Messages
  TWndMethod WindowProc;
  virtual void WndProc(TMessage& Message);
  virtual void Dispatch(TMessage& Message);
  virtual void DefaultHandler(TMessage& Message);
  LRESULT Perform(UINT Msg, WPARAM WParam = 0, LPARAM LParam = 0);
  // Perform with a pointer argument in lParam.
  template <class T>
  LRESULT Perform(UINT Msg, WPARAM WParam, T* LParam) {
    return Perform(Msg, WParam, reinterpret_cast<LPARAM>(LParam));
  }

  // -- Parent and hierarchy
  TWinControl* Parent() const { return parent_; }
  virtual void SetParent(TWinControl* AParent);
  bool HasParent() const override { return true; }
  TComponent* GetParentComponent() const override;
  void SetParentComponent(TComponent* Value) override;
  // The window of the control (its own for windowed controls, the parent's otherwise).
  virtual HWND GetWindowHandle();
  virtual bool IsWindowed() const { return false; }

  // -- Geometry
  int Left() const { return left_; }
  int Top() const { return top_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  void SetLeft(int Value);
  void SetTop(int Value);
  void SetWidth(int Value);
  void SetHeight(int Value);
  virtual void SetBounds(int ALeft, int ATop, int AWidth, int AHeight);
  TRect BoundsRect() const { return Bounds(left_, top_, width_, height_); }
  void SetBoundsRect(const TRect& R) { SetBounds(R.Left, R.Top, R.Width(), R.Height()); }
  virtual TRect GetClientRect();
  TRect ClientRect() { return GetClientRect(); }
  int ClientWidth() { return GetClientRect().Width(); }
  int ClientHeight() { return GetClientRect().Height(); }
  virtual void SetClientWidth(int Value);
  virtual void SetClientHeight(int Value);
  void SetClientSize(TSize S);
  // Screen position of the client area's top-left corner.
  virtual TPoint GetClientOrigin();
  TPoint ClientOrigin() { return GetClientOrigin(); }
  TPoint ClientToScreen(TPoint P);
  TPoint ScreenToClient(TPoint P);
  TRect ClientToScreen(const TRect& R);
  TRect ScreenToClient(const TRect& R);
  // To and from the coordinates of AParent (the direct parent when nullptr).
  TPoint ClientToParent(TPoint P, TWinControl* AParent = nullptr);
  TPoint ParentToClient(TPoint P, TWinControl* AParent = nullptr);

  TAlign Align() const { return align_; }
  void SetAlign(TAlign Value);
  TAnchors Anchors() const { return anchors_; }
  void SetAnchors(TAnchors Value);
  TSizeConstraints* Constraints() const { return constraints_.get(); }
  void SetConstraints(TSizeConstraints* Value) { constraints_->Assign(Value); }
  // Aligned with margins, the control keeps Margins free around itself within its parent.
  TMargins* Margins() const { return margins_.get(); }
  void SetMargins(TMargins* Value) { margins_->Assign(Value); }
  bool AlignWithMargins() const { return alignWithMargins_; }
  void SetAlignWithMargins(bool Value);
  bool AutoSize() const { return autoSize_; }
  virtual void SetAutoSize(bool Value);
  virtual bool CanAutoSize(int& NewWidth, int& NewHeight) { return true; }
  virtual bool CanResize(int& NewWidth, int& NewHeight);
  void AdjustSize();
  virtual void RequestAlign();
  // Recomputes the anchor distances from the current bounds.
  void UpdateAnchorRules();
  TPoint AnchorRules() const { return anchorRules_; }
  TPoint OriginalParentSize() const { return originalParentSize_; }

  // -- Visibility, state, appearance
  bool Visible() const { return visible_; }
  virtual void SetVisible(bool Value);
  void Show();
  void Hide();
  bool Enabled() const { return enabled_; }
  virtual void SetEnabled(bool Value);
  TColor Color() const { return color_; }
  void SetColor(TColor Value);
  bool ParentColor() const { return parentColor_; }
  void SetParentColor(bool Value);
  TFont* Font() const { return font_.get(); }
  void SetFont(TFont* Value);
  bool ParentFont() const { return parentFont_; }
  void SetParentFont(bool Value);
  bool ShowHint() const { return showHint_; }
  void SetShowHint(bool Value);
  bool ParentShowHint() const { return parentShowHint_; }
  void SetParentShowHint(bool Value);
  const String& Hint() const { return hint_; }
  void SetHint(const String& Value) { hint_ = Value; }
  TBiDiMode BiDiMode() const { return biDiMode_; }
  void SetBiDiMode(TBiDiMode Value);
  bool ParentBiDiMode() const { return parentBiDiMode_; }
  void SetParentBiDiMode(bool Value);
  bool UseRightToLeftAlignment() const { return biDiMode_ == bdRightToLeft; }
  bool UseRightToLeftReading() const { return biDiMode_ != bdLeftToRight; }
  // DrawText flags for the control's bidirectional mode: right alignment swapped (centring
  // kept) and right-to-left reading added.
  int DrawTextBiDiModeFlags(int Flags) const {
    if (UseRightToLeftAlignment()) {
      if ((Flags & DT_RIGHT) != 0)
        Flags &= ~static_cast<int>(DT_RIGHT);
      else if ((Flags & DT_CENTER) == 0)
        Flags |= DT_RIGHT;
    }
    return Flags | DrawTextBiDiModeFlagsReadingOnly();
  }
  int DrawTextBiDiModeFlagsReadingOnly() const {
    return UseRightToLeftReading() ? static_cast<int>(DT_RTLREADING) : 0;
  }
  bool UseRightToLeftScrollBar() const {
    return biDiMode_ != bdLeftToRight && biDiMode_ != bdRightToLeftNoAlign;
  }
  TCursor Cursor() const { return cursor_; }
  void SetCursor(TCursor Value);
  TDragMode DragMode() const { return dragMode_; }
  void SetDragMode(TDragMode Value) { dragMode_ = Value; }
  TPopupMenu* PopupMenu() const { return popupMenu_; }
  void SetPopupMenu(TPopupMenu* Value);
  virtual TPopupMenu* GetPopupMenu() { return popupMenu_; }
  TTouchManager* Touch() const { return touch_.get(); }
  void SetTouch(TTouchManager* Value) { touch_->Assign(Value); }
  int HelpContext() const { return helpContext_; }
  void SetHelpContext(int Value) { helpContext_ = Value; }

  // The text (Caption or Text): the window's text for windowed controls.
  String GetText();
  void SetText(const String& Value);
  String Caption() { return GetText(); }
  void SetCaption(const String& Value) { SetText(Value); }
  String Text() { return GetText(); }
  int GetTextLen();

  TControlStyle ControlStyle() const { return controlStyle_; }
  void SetControlStyle(TControlStyle Value) { controlStyle_ = Value; }
  TControlState ControlState() const { return controlState_; }
  void SetControlState(TControlState Value) { controlState_ = Value; }
  TScalingFlags ScalingFlags() const { return scalingFlags_; }
  void SetScalingFlags(TScalingFlags Value) { scalingFlags_ = Value; }

  void SetName(const String& NewName) override;

  // -- Painting
  virtual void Invalidate();
  virtual void Update();
  virtual void Repaint();
  void Refresh() { Repaint(); }
  // Invalidates the control's rectangle in its parent.
  void InvalidateControl(bool IsVisible, bool IsOpaque);
  // A device context for drawing on the control outside WM_PAINT (released by the canvas).
  virtual HDC GetDeviceContext(HWND& WindowHandle);
  void BringToFront();
  void SendToBack();
  void SetZOrder(bool TopMost);
  int GetControlIndex();
  void SetControlIndex(int Index);

  // -- Mouse and keyboard
  bool MouseCapture();
  void SetMouseCapture(bool Value);
  bool IsRightToLeft() const { return UseRightToLeftAlignment(); }
  virtual void Click();
  virtual void DblClick();
  virtual void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
  virtual void MouseMove(TShiftState Shift, int X, int Y);
  virtual void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
  virtual bool DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos);
  virtual bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos);
  virtual bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos);
  virtual void DoContextPopup(TPoint MousePos, bool& Handled);
  virtual void Resize();
  void Changed() { Perform(CM_CHANGED, 0, reinterpret_cast<LPARAM>(this)); }

  // -- Dragging (controls_drag.cpp)
  TCursor DragCursor() const { return dragCursor_; }
  void SetDragCursor(TCursor Value) { dragCursor_ = Value; }
  // Starts dragging the control: at once, or once the mouse has moved more than Threshold
  // pixels (-1: the mouse's drag threshold) with the button held. The drag runs through the
  // message loop; releasing the button drops, Esc or a lost capture cancels.
  void BeginDrag(bool Immediate, int Threshold = -1);
  // Ends this control's drag: drops where the mouse is, or cancels.
  void EndDrag(bool Drop);
  bool Dragging() const;
  // A drag of the control starts: an object may be supplied (the platform makes one
  // otherwise), or CancelDrag called.
  virtual void DoStartDrag(TDragObject*& DragObject);
  virtual void DoEndDrag(TObject* Target, int X, int Y);
  // Accept starts as "OnDragOver is assigned".
  virtual void DragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept);
  virtual void DragDrop(TObject* Source, int X, int Y);
  virtual void DragCanceled() {}
  // The images shown while the control is dragged (nullptr: none).
  virtual TDragImageList* GetDragImages() { return nullptr; }
  TDragOverEvent OnDragOver;
  TDragDropEvent OnDragDrop;
  TStartDragEvent OnStartDrag;
  TEndDragEvent OnEndDrag;

  // -- Scaling
  virtual void ChangeScale(int M, int D, bool isDpiChange);
  void ChangeScale(int M, int D) { ChangeScale(M, D, false); }
  virtual void ScaleForPPI(int NewPPI);
  int CurrentPPI() const { return currentPPI_; }
  void SetCurrentPPI(int Value) { currentPPI_ = Value; }
  int FontHeight() const { return fontHeight_; }

  // -- Stored forms
  void ReadState(TReader* Reader) override;
  void Loaded() override;
  void DefineProperties(TFiler* Filer) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

  // -- Events
  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;
  TNotifyEvent OnResize;
  TNotifyEvent OnMouseEnter;
  TNotifyEvent OnMouseLeave;
  TMouseEvent OnMouseDown;
  TMouseEvent OnMouseUp;
  TMouseMoveEvent OnMouseMove;
  TMouseWheelEvent OnMouseWheel;
  TMouseWheelUpDownEvent OnMouseWheelDown;
  TMouseWheelUpDownEvent OnMouseWheelUp;
  TContextPopupEvent OnContextPopup;
  TCanResizeEvent OnCanResize;

  // -- Handlers (called by Dispatch; overrides call inherited versions as the original does)
  virtual void VisibleChanging() {}
  virtual void FontChanged(TObject* Sender);
  virtual void UpdateBoundsRect(const TRect& R);
  virtual void DoSetBounds(int ALeft, int ATop, int AWidth, int AHeight);
  // The mouse is inside the client area (between CM_MOUSEENTER and CM_MOUSELEAVE).
  bool MouseInClient() const { return mouseInClient_; }

 protected:
  // Helpers of the message handlers.
  void DoMouseDown(TMessage& Message, TMouseButton Button, TShiftState Shift);
  void DoMouseUp(TMessage& Message, TMouseButton Button);
  // Walks up to the forms that contain the control and lets them cancel modes.
  void CancelModes(TControl* Sender);

  int left_ = 0;
  int top_ = 0;
  int width_ = 0;
  int height_ = 0;
  TWinControl* parent_ = nullptr;
  TControlStyle controlStyle_;
  TControlState controlState_;
  String text_;
  bool visible_ = true;
  bool enabled_ = true;
  TColor color_ = clWindow;
  bool parentColor_ = true;
  bool parentFont_ = true;
  bool showHint_ = false;
  bool parentShowHint_ = true;
  bool parentBiDiMode_ = true;
  bool autoSize_ = false;

 private:
  friend class TWinControl;
  void CheckAnchors();
  // Parts of Dispatch; each answers whether it handled the message.
  bool DispatchMouse(TMessage& Message);
  bool DispatchPropertyChange(TMessage& Message);
  void CMDrag(TMessage& Message);

  std::unique_ptr<TFont> font_;
  std::unique_ptr<TSizeConstraints> constraints_;
  std::unique_ptr<TMargins> margins_;
  bool alignWithMargins_ = false;
  std::unique_ptr<TTouchManager> touch_;
  TAlign align_ = alNone;
  TAnchors anchors_{akLeft, akTop};
  TPoint anchorRules_;
  TPoint originalParentSize_;
  String hint_;
  TBiDiMode biDiMode_ = bdLeftToRight;
  TCursor cursor_ = crDefault;
  TDragMode dragMode_ = dmManual;
  TCursor dragCursor_ = crDrag;
  TPopupMenu* popupMenu_ = nullptr;
  TScalingFlags scalingFlags_;
  int currentPPI_ = 96;
  int fontHeight_ = 0;
  int helpContext_ = 0;
  bool mouseInClient_ = false;
  bool anchorMove_ = false;
  int wheelAccumulator_ = 0;
};

using TControlClass = TClass;

// ---- TWinControl --------------------------------------------------------------------------------

// What CreateParams fills in before the window is made.
struct TCreateParams {
  String Caption;
  DWORD Style = 0;
  DWORD ExStyle = 0;
  int X = 0;
  int Y = 0;
  int Width = 0;
  int Height = 0;
  HWND WndParent = nullptr;
  void* Param = nullptr;
  WNDCLASSW WindowClass;
  String WinClassName;
};

class TWinControl : public TControl {
  QD_CLASS(TWinControl, TControl)
  QD_PUBLISHED(TWinControl)

 public:
  explicit TWinControl(TComponent* AOwner);
  ~TWinControl() override;

  // Creates a control parented to a window that is not a control.
  static TWinControl* CreateParented(HWND ParentWindow);

  void WndProc(TMessage& Message) override;
  void Dispatch(TMessage& Message) override;
  void DefaultHandler(TMessage& Message) override;
  // The window's procedure calls this; exceptions go to Application->HandleException.
  void MainWndProc(TMessage& Message);

  // -- Window
  HWND Handle();
  HWND GetWindowHandle() override { return Handle(); }
  bool IsWindowed() const override { return true; }
  bool HandleAllocated() const { return handle_ != nullptr; }
  void HandleNeeded();
  HWND ParentWindow() const { return parentWindow_; }
  void SetParentWindow(HWND Value);
  // The window procedure behind the control (the window class's own).
  WNDPROC DefWndProc() const { return defWndProc_; }
  void SetDefWndProc(WNDPROC Value) { defWndProc_ = Value; }

  virtual void CreateParams(TCreateParams& Params);
  virtual void CreateWnd();
  virtual void CreateHandle();
  virtual void CreateWindowHandle(const TCreateParams& Params);
  virtual void DestroyWnd();
  virtual void DestroyHandle();
  virtual void DestroyWindowHandle();
  void RecreateWnd();
  // Uses the procedure of an existing window class (for example "EDIT") as DefWndProc.
  void CreateSubClass(TCreateParams& Params, const Char* ControlClassName);
  void UpdateControlState();
  virtual void UpdateShowing();
  bool Showing() const { return showing_; }
  TRect GetClientRect() override;
  TPoint GetClientOrigin() override;
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  void UpdateBounds();
  HDC GetDeviceContext(HWND& WindowHandle) override;

  // -- Children
  int ControlCount() const { return static_cast<int>(controls_.size() + winControls_.size()); }
  // In z-order: the graphic controls first, then the windowed ones.
  TControl* Controls(int Index) const;
  void InsertControl(TControl* AControl);
  void RemoveControl(TControl* AControl);
  bool ContainsControl(TControl* Control);
  TControl* ControlAtPos(TPoint Pos, bool AllowDisabled, bool AllowWinControls = false,
                         bool AllLevels = false);
  TControl* FindChildControl(const String& ControlName);
  void Broadcast(TMessage& Message);
  void NotifyControls(UINT Msg);
  void GetChildren(const TGetChildProc& Proc, TComponent* Root) override;
  void SetChildOrder(TComponent* Child, int Order) override;
  void PaintControls(HDC DC, TControl* First);
  void PaintHandler(TMessage& Message);
  virtual void PaintWindow(HDC DC);
  // Draws what the parent shows behind this control (its background and graphic
  // controls) into DC; used for csParentBackground.
  void DrawParentBackground(HDC DC);
  // The window that comes before AControl in z-order (for SetWindowPos).
  HWND PrecedingWindow(TWinControl* Control);

  // -- Alignment
  virtual void AlignControls(TControl* AControl, TRect& Rect);
  virtual void AdjustClientRect(TRect& Rect) {}
  virtual void AlignControl(TControl* AControl);
  virtual bool CustomAlignInsertBefore(TControl* C1, TControl* C2) { return false; }
  virtual void CustomAlignPosition(TControl* Control, int& NewLeft, int& NewTop, int& NewWidth,
                                   int& NewHeight, TRect& AlignRect) {}
  void DisableAlign();
  void EnableAlign();
  void Realign();
  bool AlignDisabled() const { return alignLevel_ != 0; }
  void ScaleBy(int M, int D);
  void ChangeScale(int M, int D, bool isDpiChange) override;
  void ScaleForPPI(int NewPPI) override;
  // Scales the children, not the control itself, for a new pixel density (alignment held).
  virtual void ScaleControlsForDpi(int NewPPI);

  // -- Focus and tab order
  virtual bool CanFocus();
  bool Focused();
  virtual void SetFocus();
  bool TabStop() const { return tabStop_; }
  void SetTabStop(bool Value);
  int TabOrder();
  void SetTabOrder(int Value);
  virtual void GetTabOrderList(std::vector<TWinControl*>& List);
  TWinControl* FindNextControl(TWinControl* CurControl, bool GoForward, bool CheckTabStop, bool CheckParent);
  void SelectNext(TWinControl* CurControl, bool GoForward, bool CheckTabStop);
  void SelectFirst();
  void RemoveFocus(bool Removing);
  // Forms tell their active control that the mouse went elsewhere (CM_CANCELMODE).
  virtual void SendCancelMode(TControl* Sender) {}

  // -- Appearance
  TBrush* Brush() const { return brush_.get(); }
  bool DoubleBuffered() const { return doubleBuffered_; }
  void SetDoubleBuffered(bool Value);
  bool ParentDoubleBuffered() const { return parentDoubleBuffered_; }
  void SetParentDoubleBuffered(bool Value);
  bool ParentBackground() const { return controlStyle_.Contains(csParentBackground); }
  virtual void SetParentBackground(bool Value);
  bool Ctl3D() const { return ctl3D_; }
  void SetCtl3D(bool Value);
  bool ParentCtl3D() const { return parentCtl3D_; }
  void SetParentCtl3D(bool Value);

  void Invalidate() override;
  void Update() override;
  void Repaint() override;
  void ReadState(TReader* Reader) override;
  void Loaded() override;

  // -- Keyboard
  virtual void KeyDown(WORD& Key, TShiftState Shift);
  virtual void KeyUp(WORD& Key, TShiftState Shift);
  virtual void KeyPress(Char& Key);
  bool DoKeyDown(TMessage& Message);
  bool DoKeyUp(TMessage& Message);
  bool DoKeyPress(TMessage& Message);
  virtual void DoEnter();
  virtual void DoExit();
  // The control's popup menus, then the form's, claim a key (CN_KEYDOWN).
  bool IsMenuKey(TMessage& Message);

  TKeyEvent OnKeyDown;
  TKeyEvent OnKeyUp;
  TKeyPressEvent OnKeyPress;
  TNotifyEvent OnEnter;
  TNotifyEvent OnExit;

 protected:
  // Message handlers of the class.
  void WMPaint(TMessage& Message);
  void WMEraseBkgnd(TMessage& Message);
  void WMWindowPosChanged(TMessage& Message);
  void WMSetCursor(TMessage& Message);
  void WMContextMenu(TMessage& Message);
  void WMNCDestroy(TMessage& Message);
  void CNKeyDown(TMessage& Message);
  void CNChar(TMessage& Message);
  void CMShowingChanged(TMessage& Message);
  void CMVisibleChanged(TMessage& Message);
  void CMEnabledChanged(TMessage& Message);
  void CMColorChanged(TMessage& Message);
  void CMFontChanged(TMessage& Message);
  void CMDialogKey(TMessage& Message);
  void CMDialogChar(TMessage& Message);
  void CMInvalidate(TMessage& Message);
  void CMRecreateWnd(TMessage& Message);
  // Offers a mouse message to the graphic child under the cursor (or holding the capture).
  bool IsControlMouseMsg(TMessage& Message);
  // Reflects a notification to the child window it concerns (CN_ message).
  bool DoControlMsg(HWND ControlHandle, TMessage& Message);
  void FixupTabList();

 public:
  // The client size at design time (stored forms keep it as DesignSize).
  TPoint DesignSize() const { return designSize_; }
  void DefineProperties(TFiler* Filer) override;

 protected:
  HWND handle_ = nullptr;
  HWND parentWindow_ = nullptr;
  WNDPROC defWndProc_ = nullptr;
  bool showing_ = false;

 private:
  friend class TControl;
  friend LRESULT ControlWindowProc(HWND, UINT, WPARAM, LPARAM);
  // Parts of Dispatch; each answers whether it handled the message.
  bool DispatchWindowMessage(TMessage& Message);
  bool DispatchChildNotification(TMessage& Message);
  bool DispatchKey(TMessage& Message);
  bool DispatchPropertyChange(TMessage& Message);
  void Insert(TControl* AControl);
  void Remove(TControl* AControl);
  void DoAlign(TAlign AAlign, TControl* AControl, TRect& Rect);
  void UpdateTabOrder(int Value);
  void UpdateUIState(WORD CharCode) {}

  std::vector<TControl*> controls_;
  std::vector<TWinControl*> winControls_;
  std::vector<TWinControl*> tabList_;
  std::unique_ptr<TBrush> brush_;
  int alignLevel_ = 0;
  int tabOrder_ = -1;  // stored value while reading
  bool tabStop_ = false;
  bool doubleBuffered_ = false;
  bool parentDoubleBuffered_ = true;
  bool ctl3D_ = true;
  bool parentCtl3D_ = true;
  TPoint designSize_;
};

// The window procedure of every control window.
LRESULT ControlWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
// The control that owns a window (nullptr for other windows).
TWinControl* FindControl(HWND Handle);
// The innermost control under a screen point (graphic children included when AllowDisabled
// decides nothing against them).
TControl* FindDragTarget(TPoint Pos, bool AllowDisabled);
// The form that contains the control (nullptr when it is not on a form).
TCustomForm* GetParentForm(TControl* Control, bool TopForm = true);
// The control that holds the mouse capture (a graphic control capture goes through its parent).
TControl* GetCaptureControl();
void SetCaptureControl(TControl* Control);

// ---- Canvas, custom and graphic controls --------------------------------------------------------

// A canvas on a control: drawing outside WM_PAINT gets a device context from the control's
// window (clipped to the control for graphic controls).
class TControlCanvas : public TCanvas {
  QD_CLASS(TControlCanvas, TCanvas)

 public:
  TControlCanvas() = default;
  ~TControlCanvas() override;
  TControl* Control() const { return control_; }
  void SetControl(TControl* AControl);
  void FreeHandle();
  void UpdateTextFlags();

 protected:
  void CreateHandle() override;

 private:
  TControl* control_ = nullptr;
  HDC deviceContext_ = nullptr;
  HWND windowHandle_ = nullptr;
};

class TCustomControl : public TWinControl {
  QD_CLASS(TCustomControl, TWinControl)

 public:
  explicit TCustomControl(TComponent* AOwner);
  ~TCustomControl() override;
  void Dispatch(TMessage& Message) override;
  TCanvas* Canvas() const { return canvas_.get(); }
  virtual void Paint() {}
  void PaintWindow(HDC DC) override;

 private:
  std::unique_ptr<TControlCanvas> canvas_;
};

class TGraphicControl : public TControl {
  QD_CLASS(TGraphicControl, TControl)

 public:
  explicit TGraphicControl(TComponent* AOwner);
  ~TGraphicControl() override;
  void Dispatch(TMessage& Message) override;
  TCanvas* Canvas() const { return canvas_.get(); }
  virtual void Paint() {}

 private:
  std::unique_ptr<TControlCanvas> canvas_;
};

// ---- Drag objects ---------------------------------------------------------------------------------

// What is being dragged. The drag runs while the object is the current one; Finished ends it.
class TDragObject : public TObject {
  QD_CLASS(TDragObject, TObject)

 public:
  TDragObject() = default;
  // An object freed while it is being dragged ends the drag first (cancelled).
  ~TDragObject() override;
  virtual TCursor GetDragCursor(bool Accepted, int X, int Y) { return Accepted ? crDrag : crNoDrop; }
  virtual TDragImageList* GetDragImages() { return nullptr; }
  virtual void HideDragImage();
  virtual void ShowDragImage();
  // The drag is over: dropped on Target at (X, Y) of its client area when Accepted.
  virtual void Finished(TObject* Target, int X, int Y, bool Accepted) {}

  bool AlwaysShowDragImages = false;
  bool Cancelling = false;
  bool Dropped = false;
  // The window that holds the mouse capture during the drag.
  HWND DragHandle = nullptr;
  // The last position (screen) and the target under it with the position in its client area.
  TPoint DragPos;
  TControl* DragTarget = nullptr;
  TPoint DragTargetPos;
};

// Drags a control: its end reaches the control (DragCanceled, then DoEndDrag).
class TBaseDragControlObject : public TDragObject {
  QD_CLASS(TBaseDragControlObject, TDragObject)

 public:
  using OwnerType = TControl;
  explicit TBaseDragControlObject(TControl* AControl) : control_(AControl) {}
  TControl* Control() const { return control_; }
  void SetControl(TControl* Value) { control_ = Value; }
  void Finished(TObject* Target, int X, int Y, bool Accepted) override;

 protected:
  virtual void EndDrag(TObject* Target, int X, int Y);

 private:
  TControl* control_;
};

// The control's drag cursor and drag images.
class TDragControlObject : public TBaseDragControlObject {
  QD_CLASS(TDragControlObject, TBaseDragControlObject)

 public:
  using TBaseDragControlObject::TBaseDragControlObject;
  TCursor GetDragCursor(bool Accepted, int X, int Y) override;
  TDragImageList* GetDragImages() override;
};

// Ends the drag under way as cancelled; called while a drag starts (DoStartDrag), it stops
// the drag from starting.
void CancelDrag();
// The drag under way (nullptr when none).
TDragObject* CurrentDragObject();

// ---- The mouse ----------------------------------------------------------------------------------

class TMouse : public TObject {
  QD_CLASS(TMouse, TObject)

 public:
  TMouse();
  TPoint CursorPos() const;
  void SetCursorPos(TPoint P);
  HWND Capture() const { return GetCapture(); }
  void SetCapture(HWND Value);
  bool MousePresent() const { return true; }
  bool WheelPresent() const { return true; }
  // Lines per wheel notch (-1: a page), read from the system.
  int WheelScrollLines() const;
  int DragThreshold() const { return dragThreshold_; }
  void SetDragThreshold(int Value) { dragThreshold_ = Value; }
  bool DragImmediate() const { return dragImmediate_; }
  void SetDragImmediate(bool Value) { dragImmediate_ = Value; }
  bool IsDragging() const { return CurrentDragObject() != nullptr; }

 private:
  int dragThreshold_ = 5;
  bool dragImmediate_ = true;
};

extern TMouse* Mouse;

// ---- Links to the application object -------------------------------------------------------------

namespace forms_detail {
// Set by the application object: mouse moves for the hint machinery, controls going away,
// and exceptions escaping a window procedure.
extern void (*HintMouseMessage)(TControl* Control, TMessage& Message);
extern void (*ControlDestroyed)(TControl* Control);
extern void (*HandleException)(TObject* Sender);
// A control goes away: a drag of it ends (cancelled) and it stops being the drag's target.
void DragControlGone(TControl* Control);
}  // namespace forms_detail

// ---- Utility windows ----------------------------------------------------------------------------

// A hidden top-level window whose messages go to Method (timers, the application).
HWND AllocateHWnd(TWndMethod Method);
void DeallocateHWnd(HWND Wnd);
bool IsAllocatedHWnd(HWND Wnd);

}  // namespace qd
