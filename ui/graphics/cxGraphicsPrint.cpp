#include "ui/graphics/cxGraphicsPrint.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "platform/os/user.h"
#include "ui/core/cxWindowGeometry.h"
#include "ui/core/dxTypeHelpers.h"
#include "ui/core/dxUxTheme.h"
#include "ui/graphics/cxGraphicsResources.h"

namespace qd {

namespace {

TcxIsLibraryControlFunc PrintIsLibraryControl = nullptr;
std::vector<TWinControl*>* PrintLockList = nullptr;

void PrintSendPrint(HWND AHandle, HDC ADC, LPARAM AFlags, bool AErase) {
  if (AErase)
    SendMessageW(AHandle, WM_ERASEBKGND, reinterpret_cast<WPARAM>(ADC), reinterpret_cast<LPARAM>(ADC));
  if (AFlags & PRF_NONCLIENT) {
    TWinControl* control = FindControl(AHandle);
    if (control && PrintIsLibraryControl && PrintIsLibraryControl(control)) {
      HBRUSH brush = CreateSolidBrush(ColorToRGB(control->Color()));
      RECT r{0, 0, control->Width(), control->Height()};
      FillRect(ADC, &r, brush);
      DeleteObject(brush);
    }
  }
  SendMessageW(AHandle, WM_PRINT, reinterpret_cast<WPARAM>(ADC), AFlags);
  if ((AFlags & PRF_NONCLIENT) && !IsChildClassWindow(AHandle) && GetMenu(AHandle))
    SendMessageW(AHandle, WM_NCPAINT, 1, 0);
}

// Moves the window origin so that logical point P lands where (0, 0) did.
void PrintMoveWindowOrg(HDC ADC, const TPoint& P) {
  POINT org{};
  GetWindowOrgEx(ADC, &org);
  SetWindowOrgEx(ADC, org.X - P.X, org.Y - P.Y, nullptr);
}

void PrintChildControls(TWinControl* AControl, TcxCanvas* ACanvas, bool APaintChildren) {
  HWND parent = AControl->Handle();
  std::vector<HWND> windows;
  for (HWND h = GetWindow(parent, GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT)) windows.push_back(h);
  for (int32_t i = 0; i < AControl->ControlCount(); ++i) {
    auto* child = dynamic_cast<TWinControl*>(AControl->Controls(i));
    if (!child || !child->HandleAllocated()) continue;
    auto it = std::find(windows.begin(), windows.end(), child->Handle());
    if (it != windows.end()) windows.erase(it);
    if (!child->Visible() || cxIsInPaintSkipList(child->Handle())) continue;
    const TRect r = dxMapWindowRect(child->Handle(), parent, cxGetWindowBounds(child->Handle()), false);
    if (ACanvas->RectVisible(r))
      cxPaintControlTo(child, ACanvas, r.TopLeft(), cxGetWindowBounds(child->Handle()), APaintChildren, true);
  }
  // Windows of the platform's own classes and foreign windows: printed whole.
  for (HWND h : windows) {
    if (!IsWindowVisible(h) || cxIsInPaintSkipList(h)) continue;
    const TRect r = dxMapWindowRect(h, parent, cxGetWindowBounds(h), false);
    if (!ACanvas->RectVisible(r)) continue;
    HDC dc = ACanvas->Handle();
    PrintMoveWindowOrg(dc, r.TopLeft());
    cxPrintWindow(h, dc, true, false, APaintChildren);
    PrintMoveWindowOrg(dc, TPoint{-r.Left, -r.Top});
  }
}

}  // namespace

void cxSetIsLibraryControlFunc(TcxIsLibraryControlFunc AFunc) {
  PrintIsLibraryControl = AFunc;
}

void cxPrintWindow(HWND AHandle, HDC ADC, bool ANonClient, bool AEraseBackground, bool APrintChildren) {
  LPARAM flags = PRF_CLIENT | PRF_ERASEBKGND;
  if (APrintChildren) flags |= PRF_CHILDREN;
  const TRect window = cxGetWindowBounds(AHandle);
  const TRect client = cxGetClientRect(AHandle);
  if (!ANonClient || (window.Width() == client.Width() && window.Height() == client.Height())) {
    PrintSendPrint(AHandle, ADC, flags, AEraseBackground);
    return;
  }
  POINT org{};
  if (!GetWindowOrgEx(ADC, &org) || (org.X == 0 && org.Y == 0)) {
    PrintSendPrint(AHandle, ADC, flags | PRF_NONCLIENT, AEraseBackground);
    return;
  }
  HDC memory = CreateCompatibleDC(ADC);
  HBITMAP bitmap = CreateCompatibleBitmap(ADC, window.Width(), window.Height());
  HGDIOBJ old = SelectObject(memory, bitmap);
  PrintSendPrint(AHandle, memory, flags | PRF_NONCLIENT, AEraseBackground);
  BitBlt(ADC, 0, 0, window.Width(), window.Height(), memory, 0, 0, SRCCOPY);
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
}

void cxPrintWindow(TWinControl* AControl, TcxCanvas* ACanvas, bool ANonClient) {
  ACanvas->Canvas()->Lock();
  try {
    cxPrintWindow(AControl->Handle(), ACanvas->Handle(), ANonClient, AControl->DoubleBuffered(), false);
  } catch (...) {
    ACanvas->Canvas()->Unlock();
    throw;
  }
  ACanvas->Canvas()->Unlock();
}

void cxPaintControlTo(TWinControl* AControl, TcxCanvas* ACanvas, const TPoint& ADestPoint,
                      const TRect& ABounds, bool APaintChildren, bool ANonClient) {
  if (!AControl || AControl->ComponentState().Contains(csDestroying) || !AControl->HandleAllocated()) return;
  ACanvas->SaveDC();
  struct RestoreGuard {
    TcxCanvas* Canvas;
    ~RestoreGuard() { Canvas->RestoreDC(); }
  } restore{ACanvas};
  HDC dc = ACanvas->Handle();
  PrintMoveWindowOrg(dc, TPoint{ADestPoint.X - ABounds.Left, ADestPoint.Y - ABounds.Top});
  ACanvas->IntersectClipRect(ABounds);
  HRGN windowRegion = CreateRectRgn(0, 0, 0, 0);
  if (GetWindowRgn(AControl->Handle(), windowRegion) != ERROR) {
    // The window region is in window coordinates; the clip region in device coordinates.
    POINT p{0, 0};
    LPtoDP(dc, &p, 1);
    OffsetRgn(windowRegion, p.X, p.Y);
    ExtSelectClipRgn(dc, windowRegion, RGN_AND);
  }
  DeleteObject(windowRegion);
  if (!ACanvas->RectVisible(ABounds)) return;
  const TControlState previous = AControl->ControlState();
  TControlState state = previous;
  state.Include(csPaintCopy);
  AControl->SetControlState(state);
  struct StateGuard {
    TWinControl* Control;
    TControlState State;
    ~StateGuard() { Control->SetControlState(State); }
  } stateGuard{AControl, previous};
  ACanvas->SaveState();
  try {
    if (!ANonClient) PrintMoveWindowOrg(dc, cxGetClientOffset(AControl->Handle()));
    cxPrintWindow(AControl, ACanvas, ANonClient);
  } catch (...) {
    ACanvas->RestoreState();
    throw;
  }
  ACanvas->RestoreState();
  if (APaintChildren) PrintChildControls(AControl, ACanvas, APaintChildren);
}

void cxDrawTransparentControlBackground(TWinControl* AControl, TcxCanvas* ACanvas, const TRect& ARect,
                                        const TPoint& ADestPoint, bool APaintParentChildren) {
  if (!AControl || !AControl->Parent()) return;
  TWinControl* parent = AControl->Parent();
  if (PrintLockList &&
      std::find(PrintLockList->begin(), PrintLockList->end(), parent) != PrintLockList->end())
    return;
  if (!PrintLockList) PrintLockList = new std::vector<TWinControl*>();
  PrintLockList->push_back(parent);
  const HWND handle = AControl->Handle();
  std::vector<HWND>* skip = PaintSkipList();
  if (skip) skip->push_back(handle);
  struct ListGuard {
    TWinControl* Parent;
    HWND Handle;
    std::vector<HWND>* Skip;
    ~ListGuard() {
      if (Skip) {
        auto it = std::find(Skip->begin(), Skip->end(), Handle);
        if (it != Skip->end()) Skip->erase(it);
      }
      auto it = std::find(PrintLockList->begin(), PrintLockList->end(), Parent);
      if (it != PrintLockList->end()) PrintLockList->erase(it);
      if (PrintLockList->empty()) {
        delete PrintLockList;
        PrintLockList = nullptr;
      }
    }
  } guard{parent, handle, skip};
  const TRect mapped = dxMapWindowRect(handle, parent->Handle(), ARect, false);
  cxPaintControlTo(parent, ACanvas, ADestPoint, mapped, APaintParentChildren, false);
}

void cxDrawTransparentControlBackground(TWinControl* AControl, TcxCanvas* ACanvas, const TRect& ARect,
                                        bool APaintParentChildren) {
  cxDrawTransparentControlBackground(AControl, ACanvas, ARect, ARect.TopLeft(), APaintParentChildren);
}

void cxDrawThemeParentBackground(TWinControl* AControl, TcxCanvas* ACanvas, const TRect& ARect) {
  TWinControl* parent = AControl ? AControl->Parent() : nullptr;
  if ((parent && parent->DoubleBuffered()) || !IsThemeLibraryLoaded()) {
    cxDrawTransparentControlBackground(AControl, ACanvas, ARect, false);
  } else {
    RECT r = ARect;
    dxUxTheme::DrawThemeParentBackground(AControl->Handle(), ACanvas->Handle(), &r);
  }
}

void cxRightToLeftDependentDraw(HDC ADC, const TRect& ARect, bool AUseRightToLeftAlignment,
                                const std::function<void()>& AProc, bool AExcludeRightPixel) {
  if (!AUseRightToLeftAlignment) {
    AProc();
    return;
  }
  const int previousMode = SetGraphicsMode(ADC, GM_ADVANCED);
  XFORM saved{};
  GetWorldTransform(ADC, &saved);
  const float c = AExcludeRightPixel ? 1.0f : 0.0f;
  const XFORM flip =
      TdxXFormHelper::CreateFlip(true, false, (static_cast<float>(ARect.Left) + ARect.Right - c) / 2.0f, 0);
  ModifyWorldTransform(ADC, &flip, MWT_LEFTMULTIPLY);
  struct Restore {
    HDC DC;
    XFORM Saved;
    int Mode;
    ~Restore() {
      SetWorldTransform(DC, &Saved);
      SetGraphicsMode(DC, Mode);
    }
  } restore{ADC, saved, previousMode};
  AProc();
}

void cxRightToLeftDependentDraw(TcxCanvas* ACanvas, const TRect& ARect, const std::function<void()>& AProc) {
  cxRightToLeftDependentDraw(ACanvas->Handle(), ARect, ACanvas->UseRightToLeftAlignment(), AProc, true);
}

}  // namespace qd
