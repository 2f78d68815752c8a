#include "ui/controls/cxInnerListBox.h"

#include "platform/os/kernel.h"
#include "platform/os/user.h"
#include "platform/os/user_listbox.h"
#include "ui/controls/cxControlScrollBars.h"
#include "ui/core/dxDPIAwareUtils.h"

namespace qd {

QD_IMPLEMENT_CLASS(TcxCustomInnerListBox)
QD_IMPLEMENT_CLASS(TcxInnerListBox)

namespace {

// The container's own event handlers, reached through member pointers of a derived class.
struct InnerListBoxContainerAccess : TcxContainer {
  using TcxContainer::Click;
  using TcxContainer::DblClick;
  using TcxContainer::DoMouseWheel;
  using TcxContainer::FocusChanged;
  using TcxContainer::KeyDown;
  using TcxContainer::KeyPress;
  using TcxContainer::KeyUp;
  using TcxContainer::MouseDown;
  using TcxContainer::MouseMove;
  using TcxContainer::MouseUp;
};

void InnerListBoxContainerKeyDown(TcxContainer* C, WORD& Key, TShiftState Shift) {
  (C->*&InnerListBoxContainerAccess::KeyDown)(Key, Shift);
}
void InnerListBoxContainerKeyUp(TcxContainer* C, WORD& Key, TShiftState Shift) {
  (C->*&InnerListBoxContainerAccess::KeyUp)(Key, Shift);
}

// The point P of AFrom in the client coordinates of ATo.
TPoint InnerListBoxMapPoint(TWinControl* AFrom, TWinControl* ATo, int X, int Y) {
  return ATo->ScreenToClient(AFrom->ClientToScreen(TPoint{X, Y}));
}

}  // namespace

TcxCustomInnerListBox::TcxCustomInnerListBox(TComponent* AOwner) : TListBox(AOwner) {
  FHScrollBar = new TcxScrollBar(this);
  FHScrollBar->SetKind(sbHorizontal);
  FHScrollBar->OnScroll = TScrollEvent(this, &TcxCustomInnerListBox::HScrollHandler);
  FVScrollBar = new TcxScrollBar(this);
  FVScrollBar->SetKind(sbVertical);
  FVScrollBar->OnScroll = TScrollEvent(this, &TcxCustomInnerListBox::VScrollHandler);
  for (TcxScrollBar* bar : {FHScrollBar, FVScrollBar}) {
    bar->SetSmallChange(1);
    bar->SetVisible(false);
    bar->FreeNotification(this);
  }
  FLookAndFeel = std::make_unique<TcxLookAndFeel>(this);
  FLookAndFeel->SetOnChanged(TcxLookAndFeelChangedEvent(this, &TcxCustomInnerListBox::LookAndFeelChanged));
  FHScrollBar->LookAndFeel()->SetMasterLookAndFeel(FLookAndFeel.get());
  FVScrollBar->LookAndFeel()->SetMasterLookAndFeel(FLookAndFeel.get());
  SetBorderStyle(bsNone);
  SetControlStyle((ControlStyle() - TControlStyle{csOpaque}) + TControlStyle{csDoubleClicks});
  SetParentColor(false);
  SetParentFont(true);
}

TcxCustomInnerListBox::~TcxCustomInnerListBox() {
  // The bars are owned components; they only have to stop listening to our look and feel.
  for (TcxScrollBar* bar : {FHScrollBar, FVScrollBar})
    if (bar) bar->LookAndFeel()->SetMasterLookAndFeel(nullptr);
  FLookAndFeel->SetOnChanged(nullptr);
}

void TcxCustomInnerListBox::Notification(TComponent* AComponent, TOperation Operation) {
  TListBox::Notification(AComponent, Operation);
  if (Operation != opRemove) return;
  if (AComponent == FHScrollBar) FHScrollBar = nullptr;
  if (AComponent == FVScrollBar) FVScrollBar = nullptr;
}

void TcxCustomInnerListBox::LookAndFeelChanged(TcxLookAndFeel*, TcxLookAndFeelValues) {
  if (HandleAllocated()) Invalidate();
}

void TcxCustomInnerListBox::CreateParams(TCreateParams& Params) {
  TListBox::CreateParams(Params);
  // Floating bars need the system bars always in their place.
  if (FContainer && FContainer->IsPopupScrollBars()) Params.Style |= LBS_DISABLENOSCROLL;
}

void TcxCustomInnerListBox::CreateWnd() {
  TListBox::CreateWnd();
  if (FContainer) {
    FContainer->ClearSavedChildControlRegions();
    FContainer->Realign();
  }
}

TdxScaleFactor* TcxCustomInnerListBox::GetScaleFactor() {
  TcxContainer* container = GetRootContainer();
  return container ? container->GetScaleFactor() : dxSystemScaleFactor();
}

void TcxCustomInnerListBox::DestroyWnd() {
  FIsRedrawLocked = false;
  TListBox::DestroyWnd();
}

// -- Messages

void TcxCustomInnerListBox::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_GETDLGCODE:
      TListBox::WndProc(Message);
      if (FContainer) {
        Message.Result |= DLGC_WANTCHARS;
        if (GetKeyState(VK_CONTROL) >= 0) Message.Result |= DLGC_WANTTAB;
      }
      return;
    case WM_SETREDRAW:
      TListBox::WndProc(Message);
      FIsRedrawLocked = Message.WParam == 0;
      if (!FIsRedrawLocked && !ComponentState().Contains(csDestroying)) SetExternalScrollBarsParameters();
      return;
    case WM_NCCALCSIZE:
      TListBox::WndProc(Message);
      if (!FScrollBarsCalculating) SetExternalScrollBarsParameters();
      return;
    case WM_NCPAINT:
      // A window shown with its parent gets no other message: the bars are placed when it
      // first paints on screen.
      if (!FScrollBarsCalculating) SetExternalScrollBarsParameters();
      TListBox::WndProc(Message);
      if (IsSizeGripVisible()) DrawSizeGrip();
      return;
    case WM_PRINT:
      if ((Message.LParam & PRF_NONCLIENT) != 0 && qd::UsecxScrollBars()) DrawSizeGrip();
      TListBox::WndProc(Message);
      return;
    case WM_WINDOWPOSCHANGED:
      TListBox::WndProc(Message);
      if (FHScrollBar && FVScrollBar && FHScrollBar->Visible() && FVScrollBar->Visible() &&
          HandleAllocated()) {
        const TRect r = GetSizeGripRect();
        HRGN region = CreateRectRgn(r.Left, r.Top, r.Right, r.Bottom);
        SendMessageW(Handle(), WM_NCPAINT, reinterpret_cast<WPARAM>(region), 0);
        DeleteObject(region);
      }
      SetExternalScrollBarsParameters();
      return;
    case WM_KILLFOCUS:
      TListBox::WndProc(Message);
      if (FContainer && !FContainer->ComponentState().Contains(csDestroying))
        (FContainer->*&InnerListBoxContainerAccess::FocusChanged)();
      return;
    case WM_SETFOCUS:
      TListBox::WndProc(Message);
      if (FContainer && !FContainer->ComponentState().Contains(csDestroying) &&
          !ComponentState().Contains(csDestroying) &&
          !(FContainer->HandleAllocated() && reinterpret_cast<HWND>(Message.WParam) == FContainer->Handle()))
        (FContainer->*&InnerListBoxContainerAccess::FocusChanged)();
      return;
    case CM_MOUSELEAVE:
      TListBox::WndProc(Message);
      if (FContainer) FContainer->ShortRefreshContainer(true);
      return;
    default:
      break;
  }
  TListBox::WndProc(Message);
  switch (Message.Msg) {
    case LB_ADDSTRING:
    case LB_INSERTSTRING:
    case LB_DELETESTRING:
    case LB_RESETCONTENT:
    case LB_SETCURSEL:
    case LB_SETHORIZONTALEXTENT:
    case LB_SETTOPINDEX:
    case LB_SETCARETINDEX:
    case WM_MOUSEWHEEL:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case CM_WININICHANGE:
    case CM_RECREATEWND:
      SetExternalScrollBarsParameters();
      break;
    default:
      break;
  }
}

// -- Events passed on to the container

void TcxCustomInnerListBox::KeyDown(WORD& Key, TShiftState Shift) {
  if (FContainer) InnerListBoxContainerKeyDown(FContainer, Key, Shift);
  if (Key != 0) TListBox::KeyDown(Key, Shift);
}

void TcxCustomInnerListBox::KeyUp(WORD& Key, TShiftState Shift) {
  if (Key == VK_TAB) Key = 0;
  if (Key != 0 && FContainer) InnerListBoxContainerKeyUp(FContainer, Key, Shift);
  if (Key != 0) TListBox::KeyUp(Key, Shift);
}

void TcxCustomInnerListBox::KeyPress(Char& Key) {
  if (Key == u'\t') Key = 0;
  if (Key != 0 && FContainer) {
    (FContainer->*&InnerListBoxContainerAccess::KeyPress)(Key);
    if (Key == u'\r') Key = 0;
  }
  if (Key == 0) return;
  TListBox::KeyPress(Key);
  if (Key != 0) DoAutoComplete(Key);
}

void TcxCustomInnerListBox::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TListBox::MouseDown(Button, Shift, X, Y);
  if (!FContainer) return;
  const TPoint p = InnerListBoxMapPoint(this, FContainer, X, Y);
  (FContainer->*&InnerListBoxContainerAccess::MouseDown)(Button, Shift, p.X, p.Y);
}

void TcxCustomInnerListBox::MouseMove(TShiftState Shift, int X, int Y) {
  TListBox::MouseMove(Shift, X, Y);
  if (!FContainer) return;
  const TPoint p = InnerListBoxMapPoint(this, FContainer, X, Y);
  (FContainer->*&InnerListBoxContainerAccess::MouseMove)(Shift, p.X, p.Y);
}

void TcxCustomInnerListBox::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TListBox::MouseUp(Button, Shift, X, Y);
  if (!FContainer) return;
  const TPoint p = InnerListBoxMapPoint(this, FContainer, X, Y);
  (FContainer->*&InnerListBoxContainerAccess::MouseUp)(Button, Shift, p.X, p.Y);
}

bool TcxCustomInnerListBox::DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) {
  if (FContainer && (FContainer->*&InnerListBoxContainerAccess::DoMouseWheel)(Shift, WheelDelta, MousePos))
    return true;
  return TListBox::DoMouseWheel(Shift, WheelDelta, MousePos);
}

void TcxCustomInnerListBox::Click() {
  TListBox::Click();
  if (FVScrollBar && HandleAllocated()) FVScrollBar->SetPosition(TopIndex());
  if (FContainer) (FContainer->*&InnerListBoxContainerAccess::Click)();
}

void TcxCustomInnerListBox::DblClick() {
  TListBox::DblClick();
  if (FContainer) (FContainer->*&InnerListBoxContainerAccess::DblClick)();
}

// -- Auto-complete

int TcxCustomInnerListBox::FindAutoCompleteString(const String& S) {
  if (IsVirtual()) return DoFindData(S);
  return static_cast<int>(
      SendMessageW(Handle(), LB_FINDSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(S.c_str())));
}

void TcxCustomInnerListBox::DoAutoComplete(Char& Key) {
  if (!FAutoComplete) return;
  const DWORD now = GetTickCount();
  if (now - FPrevKeyPressTime >= FAutoCompleteDelay) FAutoCompleteFilter.clear();
  FPrevKeyPressTime = now;
  if (Key == u'\b') {
    if (!FAutoCompleteFilter.empty()) {
      // A trailing low surrogate goes with its high surrogate.
      FAutoCompleteFilter.pop_back();
      if (!FAutoCompleteFilter.empty() && FAutoCompleteFilter.back() >= 0xD800 &&
          FAutoCompleteFilter.back() <= 0xDBFF)
        FAutoCompleteFilter.pop_back();
    }
  } else if (Key >= 0xD800 && Key <= 0xDBFF) {
    // The low surrogate follows as the next character message.
    FAutoCompleteFilter += Key;
    MSG msg{};
    if (PeekMessageW(&msg, Handle(), WM_CHAR, WM_CHAR, PM_REMOVE)) {
      FAutoCompleteFilter += static_cast<Char>(msg.wParam);
      Key = 0;
    }
  } else if (Key != u'\r' && Key != 0x1B) {
    FAutoCompleteFilter += Key;
  }
  if (FAutoCompleteFilter.empty()) {
    SetItemIndex(0);
    Click();
  } else {
    const int index = FindAutoCompleteString(FAutoCompleteFilter);
    if (index >= 0) {
      if (MultiSelect()) {
        SendMessageW(Handle(), LB_SETSEL, 0, -1);
        SendMessageW(Handle(), LB_SELITEMRANGE, 1, MAKELPARAM(index, index));
      }
      SetItemIndex(index);
      Click();
    }
  }
  if (Key != u'\b' && Key != u'\r' && Key != 0x1B) Key = 0;
}

// -- Geometry and scroll bars

bool TcxCustomInnerListBox::ItemVisible(int Index) {
  const TRect r = ItemRect(Index);
  const TRect client = ClientRect();
  const TPoint corners[] = {
      {r.Left, r.Top}, {r.Right - 1, r.Top}, {r.Left, r.Bottom - 1}, {r.Right - 1, r.Bottom - 1}};
  for (const TPoint& p : corners)
    if (p.X >= client.Left && p.X < client.Right && p.Y >= client.Top && p.Y < client.Bottom) return true;
  return false;
}

bool TcxCustomInnerListBox::SizeGripBars(TcxScrollBar*& AHorizontal, TcxScrollBar*& AVertical) {
  AHorizontal = FHScrollBar;
  AVertical = FVScrollBar;
  if (AHorizontal && AVertical && AHorizontal->Visible() && AVertical->Visible()) return true;
  AHorizontal = FContainer ? FContainer->HScrollBar() : nullptr;
  AVertical = FContainer ? FContainer->VScrollBar() : nullptr;
  return AHorizontal && AVertical && AHorizontal->Visible() && AVertical->Visible();
}

bool TcxCustomInnerListBox::IsSizeGripVisible() {
  TcxScrollBar *h, *v;
  return SizeGripBars(h, v);
}

TRect TcxCustomInnerListBox::GetSizeGripRect() {
  TcxScrollBar *h, *v;
  if (!SizeGripBars(h, v) || !HandleAllocated() || !h->Parent()) return TRect{};
  const TRect r{v->Left(), h->Top(), v->Left() + v->Width(), h->Top() + h->Height()};
  const TPoint origin = h->Parent()->ClientToScreen(TPoint{0, 0});
  RECT window{};
  GetWindowRect(Handle(), &window);
  return RectOffset(r, origin.X - window.Left, origin.Y - window.Top);
}

void TcxCustomInnerListBox::DrawSizeGrip() {
  if (FContainer && qd::UsecxScrollBars() && IsSizeGripVisible())
    cxFillSizeGrip(FContainer, GetSizeGripRect());
}

void TcxCustomInnerListBox::PlaceScrollBar(TcxScrollBar* ABar, LONG AObject, int ABarKind) {
  SCROLLBARINFO info{};
  bool wanted = cxGetScrollBarInfo(Handle(), AObject, info, UseRightToLeftScrollBar(), GetScaleFactor()) &&
                (info.rgstate[0] & (STATE_SYSTEM_INVISIBLE | STATE_SYSTEM_OFFSCREEN)) == 0;
  TRect r{};
  if (wanted) {
    const TPoint tl = Parent()->ScreenToClient(info.rcScrollBar.TopLeft());
    r = Bounds(tl.X, tl.Y, info.rcScrollBar.Width(), info.rcScrollBar.Height());
    wanted = !RectIntersection(r, Parent()->ClientRect()).IsEmpty();
  }
  if (!wanted) {
    ABar->SetBoundsRect(TRect{});
    ABar->SetVisible(false);
    return;
  }
  ++FScrollBarsLockCount;
  try {
    ABar->SetParent(Parent());
    cxSetScrollBarSystemScaleFactor(ABar);
    ABar->SetBoundsRect(r);
    ABar->SetCtl3D(false);
    ABar->SetEnabled((info.rgstate[0] & STATE_SYSTEM_UNAVAILABLE) == 0 && Parent()->Enabled());
    // A container that mirrors the bars itself keeps these hidden.
    if (FContainer && FContainer->NeedsScrollBars()) {
      ABar->SetVisible(false);
    } else {
      ABar->BringToFront();
      ABar->SetVisible(true);
    }
  } catch (...) {
    --FScrollBarsLockCount;
    throw;
  }
  --FScrollBarsLockCount;
  if (!ABar->Visible()) return;
  SCROLLINFO si{};
  si.cbSize = sizeof(si);
  si.fMask = SIF_ALL;
  if (!GetScrollInfo(Handle(), ABarKind, &si) || !cxCutScrollPage(si)) return;
  ABar->SetScrollParams(si.nMin, si.nMax, si.nPos, static_cast<int32_t>(si.nPage), true);
}

void TcxCustomInnerListBox::SetExternalScrollBarsParameters() {
  if (ComponentState().Contains(csDestroying) || FScrollBarsLockCount > 0 || !qd::UsecxScrollBars() ||
      FIsRedrawLocked || !HandleAllocated() || !Parent() || !Parent()->HandleAllocated() || !FHScrollBar ||
      !FVScrollBar)
    return;
  FScrollBarsCalculating = true;
  try {
    PlaceScrollBar(FHScrollBar, OBJID_HSCROLL, SB_HORZ);
    PlaceScrollBar(FVScrollBar, OBJID_VSCROLL, SB_VERT);
    // Still calculating: the grip's repaint that the container asks for must not start over.
    if (FContainer) FContainer->SetScrollBarsParameters(false);
  } catch (...) {
    FScrollBarsCalculating = false;
    throw;
  }
  FScrollBarsCalculating = false;
}

void TcxCustomInnerListBox::HScrollHandler(TObject*, TScrollCode ScrollCode, int32_t& ScrollPos) {
  if (FHScrollBar && FHScrollBar->HandleAllocated()) Scroll(sbHorizontal, ScrollCode, ScrollPos);
}

void TcxCustomInnerListBox::VScrollHandler(TObject*, TScrollCode ScrollCode, int32_t& ScrollPos) {
  if (FVScrollBar && FVScrollBar->HandleAllocated()) Scroll(sbVertical, ScrollCode, ScrollPos);
}

void TcxCustomInnerListBox::Scroll(TScrollBarKind AKind, TScrollCode ACode, int32_t& APosition) {
  DoScroll(AKind, ACode, APosition);
  APosition = GetScrollPos(Handle(), AKind == sbHorizontal ? SB_HORZ : SB_VERT);
}

void TcxCustomInnerListBox::DoScroll(TScrollBarKind AKind, TScrollCode ACode, int32_t APosition) {
  if (AKind == sbVertical &&
      (ACode == scLineUp || ACode == scLineDown || ACode == scPosition || ACode == scTrack)) {
    SetTopIndex(APosition);
    return;
  }
  TcxScrollBar* bar = AKind == sbHorizontal ? FHScrollBar : FVScrollBar;
  const WPARAM w = MAKEWPARAM(static_cast<WORD>(ACode), static_cast<WORD>(APosition));
  CallWindowProcW(DefWndProc(), Handle(), AKind == sbHorizontal ? WM_HSCROLL : WM_VSCROLL, w,
                  reinterpret_cast<LPARAM>(bar->Handle()));
}

}  // namespace qd
