// The paint pipeline of TcxControl: direct painting with the update region as the clip,
// painting through an off-screen bitmap, and painting through the system's buffered paint on
// a composited desktop; erasing, the border, and the non-client area.
#include <algorithm>
#include <memory>

#include "platform/os/gdi.h"
#include "platform/os/user.h"
#include "platform/os/uxtheme.h"
#include "ui/controls/cxControls.h"
#include "ui/core/cxGeometry.h"
#include "ui/core/cxWindowGeometry.h"
#include "ui/core/dxCore.h"
#include "ui/core/dxDWMApi.h"
#include "ui/graphics/cxGraphicsBitmap.h"
#include "ui/graphics/cxGraphicsPrint.h"

namespace qd {

namespace {

// Ends the paint of a window when it goes out of scope.
class TcxWindowPaintScope {
 public:
  explicit TcxWindowPaintScope(HWND AWnd) : FWnd(AWnd), FDC(::qd::BeginPaint(AWnd, &FPaintStruct)) {}
  ~TcxWindowPaintScope() { ::qd::EndPaint(FWnd, &FPaintStruct); }
  TcxWindowPaintScope(const TcxWindowPaintScope&) = delete;
  TcxWindowPaintScope& operator=(const TcxWindowPaintScope&) = delete;
  HDC DC() const { return FDC; }
  TRect PaintRect() const { return FPaintStruct.rcPaint; }

 private:
  HWND FWnd;
  PAINTSTRUCT FPaintStruct{};
  HDC FDC;
};

// Restores a saved DC state when it goes out of scope.
class TcxSavedDCScope {
 public:
  explicit TcxSavedDCScope(HDC DC) : FDC(DC), FIndex(SaveDC(DC)) {}
  ~TcxSavedDCScope() { RestoreDC(FDC, FIndex); }
  TcxSavedDCScope(const TcxSavedDCScope&) = delete;
  TcxSavedDCScope& operator=(const TcxSavedDCScope&) = delete;

 private:
  HDC FDC;
  int FIndex;
};

bool cxControlPaintIsDesigning(TControl* AControl) {
  return AControl->ComponentState().Contains(csDesigning);
}

}  // namespace

// --- Free functions ----------------------------------------------------------------------------

bool dxGetUpdateRgn(HWND AWnd, HRGN ARegion) {
  if (IsWinSeven() && !IsCompositionEnabled()) return false;
  const int kind = GetUpdateRgn(AWnd, ARegion, FALSE);
  return kind == SIMPLEREGION || kind == COMPLEXREGION;
}

bool dxGetUpdateRgn(TWinControl* AControl, TcxRegion* ARegion) {
  return dxGetUpdateRgn(AControl->Handle(), ARegion->Handle());
}

void dxBufferedPaintControl(TWinControl* AControl) {
  HWND wnd = AControl->Handle();
  auto region = std::make_unique<TcxRegion>();
  if (!dxGetUpdateRgn(AControl, region.get())) region.reset();
  TcxWindowPaintScope paint(wnd);
  const TRect paintRect = paint.PaintRect();
  if (paintRect.IsEmpty()) return;
  HBITMAP bitmap = CreateCompatibleBitmap(paint.DC(), paintRect.Width(), paintRect.Height());
  HDC memDC = CreateCompatibleDC(paint.DC());
  HGDIOBJ oldBitmap = SelectObject(memDC, bitmap);
  try {
    SetWindowOrgEx(memDC, paintRect.Left, paintRect.Top, nullptr);
    if (region) {
      region->Offset(-paintRect.Left, -paintRect.Top);
      SelectClipRgn(memDC, region->Handle());
    }
    AControl->Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(memDC), reinterpret_cast<LPARAM>(memDC));
    AControl->Perform(WM_PAINT, reinterpret_cast<WPARAM>(memDC), 0);
    BitBlt(paint.DC(), paintRect.Left, paintRect.Top, paintRect.Width(), paintRect.Height(), memDC,
           paintRect.Left, paintRect.Top, SRCCOPY);
  } catch (...) {
    SelectObject(memDC, oldBitmap);
    DeleteDC(memDC);
    DeleteObject(bitmap);
    throw;
  }
  SelectObject(memDC, oldBitmap);
  DeleteDC(memDC);
  DeleteObject(bitmap);
}

void dxPaintWindowOnGlass(HWND AWnd, bool APaintBlackOpaque) {
  TcxWindowPaintScope paint(AWnd);
  dxDrawWindowOnGlass(AWnd, paint.DC(), paint.PaintRect(), APaintBlackOpaque);
}

void dxDrawWindowOnGlass(HWND AWnd, HDC DC, const TRect& R, bool APaintBlackOpaque) {
  if (R.IsEmpty()) return;
  HDC paintDC = nullptr;
  const RECT rect = R;
  HPAINTBUFFER buffer = BeginBufferedPaint(DC, &rect, BPBF_TOPDOWNDIB, nullptr, &paintDC);
  if (!buffer) {
    SendMessageW(AWnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(DC), reinterpret_cast<LPARAM>(DC));
    SendMessageW(AWnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(DC), PRF_CLIENT);
    return;
  }
  const bool hideCaret = GetFocus() == AWnd;
  try {
    BufferedPaintClear(buffer, &rect);
    SendMessageW(AWnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(paintDC), reinterpret_cast<LPARAM>(paintDC));
    SendMessageW(AWnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(paintDC), PRF_CLIENT);
    if (!APaintBlackOpaque) BufferedPaintSetAlpha(buffer, &rect, 255);
  } catch (...) {
    EndBufferedPaint(buffer, FALSE);
    throw;
  }
  if (hideCaret) HideCaret(AWnd);
  EndBufferedPaint(buffer, TRUE);
  if (hideCaret) ShowCaret(AWnd);
}

// --- TcxControl: paint messages ------------------------------------------------------------------

void TcxControl::WMPaint(TMessage& Message) {
  if (Message.WParam != 0 || !IsDoubleBufferedNeeded())
    StandardPaintHandler(Message);
  else if (IsCompositionEnabled() && AllowCompositionPainting())
    dxPaintWindowOnGlass(Handle(), GetPaintBlackOpaqueOnGlass());
  else
    dxBufferedPaintControl(this);
}

void TcxControl::WMPrintClient(TMessage& Message) {
  if (Message.Result == 1 || ((Message.LParam & PRF_CHECKVISIBLE) != 0 && !Visible())) {
    inherited::Dispatch(Message);
    return;
  }
  TcxSavedDCScope saved(Message.DC());
  StandardPaintHandler(Message);
}

void TcxControl::StandardPaintHandler(TMessage& Message) {
  std::unique_ptr<TcxRegion> region;
  std::unique_ptr<TcxWindowPaintScope> paint;
  HDC DC = Message.DC();
  if (!DC) {
    region = std::make_unique<TcxRegion>();
    if (!dxGetUpdateRgn(this, region.get())) region.reset();
    paint = std::make_unique<TcxWindowPaintScope>(Handle());
    DC = paint->DC();
    if (region) SelectClipRgn(DC, region->Handle());
  }

  std::vector<TControl*> graphicChildren;
  for (int i = 0; i < ControlCount(); ++i)
    if (TControl* child = Controls(i); !child->IsWindowed()) graphicChildren.push_back(child);

  if (ControlState().Contains(csPaintCopy) && HasNonClientArea()) {
    const TPoint clientOffset = cxGetClientOffset(Handle());
    const TRect offsets = GetClientOffsets();
    {
      TcxSavedDCScope saved(DC);
      OffsetWindowOrgEx(DC, clientOffset.X - offsets.Left, clientOffset.Y - offsets.Top, nullptr);
      TcxPaintCanvas* canvas = cxPaintCanvas();
      canvas->BeginPaint(DC);
      try {
        PaintNonClientArea(canvas);
      } catch (...) {
        canvas->EndPaint();
        throw;
      }
      canvas->EndPaint();
    }
    OffsetWindowOrgEx(DC, -offsets.Left, -offsets.Top, nullptr);
    const TRect client = ClientRect();
    IntersectClipRect(DC, client.Left, client.Top, client.Right, client.Bottom);
  }

  if (graphicChildren.empty()) {
    PaintWindow(DC);
  } else {
    TcxSavedDCScope saved(DC);
    bool covered = false;
    for (TControl* child : graphicChildren) {
      const bool shown = child->Visible() || (cxControlPaintIsDesigning(child) &&
                                              !child->ControlStyle().Contains(csNoDesignVisible));
      if (!shown || !child->ControlStyle().Contains(csOpaque)) continue;
      const TRect r = child->BoundsRect();
      if (ExcludeClipRect(DC, r.Left, r.Top, r.Right, r.Bottom) == NULLREGION) {
        covered = true;
        break;
      }
    }
    if (!covered) PaintWindow(DC);
  }
  PaintControls(DC, nullptr);
}

void TcxControl::WMEraseBkgnd(TMessage& Message) {
  const bool toMemory = cxIsDrawToMemory(Message);
  if (toMemory || HasBackground()) {
    if (toMemory || !IsDoubleBufferedNeeded()) EraseBackground(Message.DC());
    Message.Result = 1;
  } else {
    Message.Result = 0;
  }
}

void TcxControl::EraseBackground(HDC DC) {
  if (IsLoading()) return;
  TcxPaintCanvas* canvas = cxPaintCanvas();
  canvas->BeginPaint(DC);
  try {
    EraseBackground(canvas, ClientRect());
  } catch (...) {
    canvas->EndPaint();
    throw;
  }
  canvas->EndPaint();
}

void TcxControl::EraseBackground(TcxCanvas* ACanvas, const TRect& R) {
  if (IsTransparentBackground()) {
    cxDrawTransparentControlBackground(this, ACanvas, R, true);
  } else {
    const RECT r = R;
    ::qd::FillRect(ACanvas->Handle(), &r, Brush()->Handle());
  }
}

void TcxControl::PaintWindow(HDC DC) {
  if (IsLoading()) return;
  // Painting nested in a paint of the same control keeps the outer canvas state.
  if (TCustomControl::Canvas()->HandleAllocated()) {
    FCanvas->SaveDC();
    try {
      inherited::PaintWindow(DC);
    } catch (...) {
      FCanvas->RestoreDC();
      throw;
    }
    FCanvas->RestoreDC();
  } else {
    inherited::PaintWindow(DC);
  }
}

void TcxControl::Paint() {
  if (IsLoading()) return;
  FCanvas->BeginPaint();
  try {
    DoPaint();
  } catch (...) {
    FCanvas->EndPaint();
    throw;
  }
  FCanvas->EndPaint();
}

void TcxControl::DoPaint() {
  DrawScrollBars(FCanvas.get());
  if (FBorderStyle == cxcbsDefault) {
    DrawBorder(FCanvas.get());
    FCanvas->IntersectClipRect(cxRectInflate(GetBounds(), -GetBorderSize()));
    SetPaintRegion();
  }
  UpdateInternalControlsState();
}

void TcxControl::DrawBorder(TcxCanvas* ACanvas) {
  if (TcxCustomLookAndFeelPainter* painter = LookAndFeelPainter()) painter->DrawBorder(ACanvas, GetBounds());
}

void TcxControl::SetPaintRegion() {
  FCanvas->IntersectClipRect(GetClientBounds());
}

// --- Non-client area ----------------------------------------------------------------------------

void TcxControl::WMNCPaint(TMessage& Message) {
  inherited::Dispatch(Message);
  if (!HasNonClientArea()) return;
  HRGN region = nullptr;
  DWORD flags = DCX_WINDOW | DCX_CACHE | DCX_CLIPSIBLINGS | DCX_VALIDATE;
  if (Message.WParam != 1) {
    // GetDCEx takes over the region it is given.
    region = CreateRectRgn(0, 0, 0, 0);
    CombineRgn(region, reinterpret_cast<HRGN>(Message.WParam), nullptr, RGN_COPY);
    flags |= DCX_INTERSECTRGN;
  }
  HDC DC = GetDCEx(Handle(), region, flags);
  try {
    DoNCPaint(DC);
  } catch (...) {
    ReleaseDC(Handle(), DC);
    throw;
  }
  ReleaseDC(Handle(), DC);
  Message.Result = 0;
}

void TcxControl::WMPrint(TMessage& Message) {
  inherited::Dispatch(Message);
  if ((Message.LParam & PRF_NONCLIENT) != 0 && HasNonClientArea()) DoNCPaint(Message.DC());
}

void TcxControl::DoNCPaint(HDC DC) {
  TcxSavedDCScope saved(DC);
  const TRect client = cxRectOffset(ClientRect(), cxGetClientOffset(Handle()));
  ExcludeClipRect(DC, client.Left, client.Top, client.Right, client.Bottom);
  const TRect band = cxRectInflate(client, GetClientOffsets());
  IntersectClipRect(DC, band.Left, band.Top, band.Right, band.Bottom);
  const TRect windowBounds = cxGetWindowBounds(Handle());
  auto bitmap = std::make_unique<TcxBitmap>(windowBounds.Width(), windowBounds.Height());
  PaintNonClientArea(bitmap->cxCanvas());
  BitBlt(DC, 0, 0, windowBounds.Width(), windowBounds.Height(), bitmap->cxCanvas()->Handle(), 0, 0, SRCCOPY);
}

}  // namespace qd
