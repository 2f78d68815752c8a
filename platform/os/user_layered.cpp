// Window regions, layered windows and AnimateWindow.
#include <algorithm>

#include "platform/os/gdi.h"
#include "platform/os/gdi_surface.h"
#include "platform/os/user_display.h"
#include "platform/os/user_internal.h"

namespace qd {
using namespace user;

namespace {

void InvalidateInParent(Window* w, const user::Region& windowCoords) {
  Window* p = w->parent;
  if (!p || p->kind != WindowKind::Normal || !IsVisibleChain(p)) return;
  user::Region r = windowCoords;
  r.Translate(w->window.Left + (p->client.Left - p->window.Left),
              w->window.Top + (p->client.Top - p->window.Top));
  RedrawInternal(p, &r, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

}  // namespace

int SetWindowRgn(HWND hwnd, HRGN region, BOOL redraw) {
  WindowPtr w = Checked(hwnd);
  if (!w) return 0;
  user::Region whole(RECT{0, 0, w->window.Width(), w->window.Height()});
  user::Region before = w->windowRegion ? *w->windowRegion : whole;
  if (region) {
    if (!gdi::RegionData(region)) return 0;
    w->windowRegion = std::make_unique<user::Region>(FromHrgn(region));
    DeleteObject(region);  // the window owns the region now
  } else {
    w->windowRegion.reset();
  }
  if (w->IsTopLevel())
    if (auto* b = os::GetDisplayBackend()) b->WindowShapeChanged(hwnd);
  if (w->Visible() && IsVisibleChain(w.get())) {
    if (w->IsChild()) InvalidateInParent(w.get(), before);
    if (redraw) RedrawInternal(w.get(), nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    if (Window* top = TopLevelOf(w.get()))
      top->dirty.Union(RECT{0, 0, top->window.Width(), top->window.Height()});
  }
  return 1;
}

int GetWindowRgn(HWND hwnd, HRGN region) {
  WindowPtr w = Checked(hwnd);
  if (!w || !w->windowRegion || !gdi::RegionData(region)) return ERROR;
  HRGN tmp = gdi::CreateRegionFromPixman(w->windowRegion->get());
  int r = CombineRgn(region, tmp, nullptr, RGN_COPY);
  DeleteObject(tmp);
  return r;
}

int GetWindowRgnBox(HWND hwnd, LPRECT rect) {
  WindowPtr w = Checked(hwnd);
  if (!w || !w->windowRegion || !rect) return ERROR;
  *rect = w->windowRegion->Bounds();
  if (w->windowRegion->Empty()) return NULLREGION;
  return w->windowRegion->Rects().size() == 1 ? SIMPLEREGION : COMPLEXREGION;
}

BOOL SetLayeredWindowAttributes(HWND hwnd, COLORREF key, BYTE alpha, DWORD flags) {
  WindowPtr w = Checked(hwnd);
  if (!w || !(w->exStyle & WS_EX_LAYERED)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  w->layeredKey = key;
  w->layeredAlpha = alpha;
  w->layeredFlags = flags & (LWA_ALPHA | LWA_COLORKEY);
  if (w->layeredUpdated) {
    // Back to ordinary painting.
    w->layeredUpdated = false;
    if (IsVisibleChain(w.get()))
      RedrawInternal(w.get(), nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
  }
  if (Window* top = TopLevelOf(w.get()))
    top->dirty.Union(RECT{0, 0, top->window.Width(), top->window.Height()});
  if (w->IsTopLevel())
    if (auto* b = os::GetDisplayBackend()) b->WindowShapeChanged(hwnd);
  return TRUE;
}

BOOL GetLayeredWindowAttributes(HWND hwnd, COLORREF* key, BYTE* alpha, DWORD* flags) {
  WindowPtr w = Checked(hwnd);
  if (!w || !(w->exStyle & WS_EX_LAYERED) || w->layeredUpdated) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  if (key) *key = w->layeredKey;
  if (alpha) *alpha = w->layeredAlpha;
  if (flags) *flags = w->layeredFlags;
  return TRUE;
}

BOOL UpdateLayeredWindow(HWND hwnd, HDC, POINT* dest, SIZE* size, HDC src, POINT* srcPos, COLORREF key,
                         const BLENDFUNCTION* blend, DWORD flags) {
  WindowPtr w = Checked(hwnd);
  if (!w || !(w->exStyle & WS_EX_LAYERED) || !w->IsTopLevel()) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  RECT wr = ScreenWindowRect(w.get());
  const int x = dest ? dest->X : wr.Left, y = dest ? dest->Y : wr.Top;
  const int cx = size ? size->cx : wr.Width(), cy = size ? size->cy : wr.Height();
  if (cx < 0 || cy < 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  if (x != wr.Left || y != wr.Top || cx != wr.Width() || cy != wr.Height())
    SetWindowPos(hwnd, nullptr, x, y, cx, cy, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
  if (!Lookup(hwnd)) return FALSE;
  w->layeredUpdated = true;
  w->layeredKey = key;
  w->layeredFlags = 0;
  if (flags & ULW_COLORKEY) w->layeredFlags |= LWA_COLORKEY;
  w->ulwFlags = flags;
  w->layeredAlpha = blend && (flags & ULW_ALPHA) ? blend->SourceConstantAlpha : 255;
  w->ulwPerPixel = blend && (flags & ULW_ALPHA) && (blend->AlphaFormat & AC_SRC_ALPHA);
  ClearUpdateTree(w.get());
  if (src) {
    EnsureSurface(w.get());
    HDC dc = gdi::CreateSurfaceDC(w->surface, {0, 0}, nullptr, hwnd);
    POINT sp = srcPos ? *srcPos : POINT{0, 0};
    BitBlt(dc, 0, 0, cx, cy, src, sp.X, sp.Y, SRCCOPY);
    gdi::DeleteSurfaceDC(dc);
  }
  w->dirty.Union(RECT{0, 0, cx, cy});
  if (auto* b = os::GetDisplayBackend()) b->WindowShapeChanged(hwnd);
  return TRUE;
}

BOOL AnimateWindow(HWND hwnd, DWORD, DWORD flags) {
  WindowPtr w = Checked(hwnd);
  if (!w) return FALSE;
  const bool hide = (flags & AW_HIDE) != 0;
  if (hide != w->Visible()) return FALSE;  // already in the asked state
  ShowWindow(hwnd, hide ? SW_HIDE : (flags & AW_ACTIVATE) ? SW_SHOW : SW_SHOWNA);
  if (!hide && Lookup(hwnd)) UpdateWindow(hwnd);
  return TRUE;
}

}  // namespace qd
