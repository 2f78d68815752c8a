// Update regions, WM_PAINT, BeginPaint/EndPaint, window DCs and surfaces.
#include <algorithm>
#include <atomic>
#include <cstring>
#include <functional>
#include <unordered_map>

#include "platform/os/gdi.h"
#include "platform/os/gdi_surface.h"
#include "platform/os/user_display.h"
#include "platform/os/user_internal.h"

namespace qd::user {
namespace {

RECT WindowArea(const Window* w) {
  return {0, 0, w->window.Width(), w->window.Height()};
}
RECT ClientInWindow(const Window* w) {
  return RectOffset(w->client, -w->window.Left, -w->window.Top);
}

// A child's window rectangle in its parent's window coordinates.
RECT ChildInParentWindow(const Window* c) {
  const Window* p = c->parent;
  return RectOffset(c->window, p->client.Left - p->window.Left, p->client.Top - p->window.Top);
}

Region ShapeScreen(const Window* w) {
  RECT r = ScreenWindowRect(w);
  if (!w->windowRegion) return Region(r);
  Region s = *w->windowRegion;
  s.Translate(r.Left, r.Top);
  s.Intersect(r);
  return s;
}

struct DcInfo {
  HWND hwnd = nullptr;
  HWND top = nullptr;
  Region area;  // what the DC may touch, in the top-level window's coordinates
  bool display = false;
};

std::unordered_map<HDC, DcInfo>& Dcs() {
  static auto* m = new std::unordered_map<HDC, DcInfo>;
  return *m;
}

// The visible part of a window (or of its client area) in screen coordinates.
Region VisibleScreen(Window* w, bool windowArea, bool clipChildren, bool clipSiblings) {
  if (!IsVisibleChain(w)) return Region();
  Region r(windowArea ? ScreenWindowRect(w) : ScreenClientRect(w));
  if (w->windowRegion) r.Intersect(ShapeScreen(w));
  std::lock_guard lock(WmMutex());
  for (Window* c = w; c->IsChild(); c = c->parent) {
    Window* p = c->parent;
    r.Intersect(ScreenClientRect(p));
    if (p->windowRegion) r.Intersect(ShapeScreen(p));
    const bool clip = c == w ? clipSiblings : (c->style & WS_CLIPSIBLINGS) != 0;
    if (clip) {
      for (Window* s : p->children) {
        if (s == c) break;
        if (s->Visible()) r.Subtract(ShapeScreen(s));
      }
    }
  }
  if (clipChildren)
    for (Window* ch : w->children)
      if (ch->Visible()) r.Subtract(ShapeScreen(ch));
  return r;
}

// The window whose drawing LockWindowUpdate holds back (it and its descendants draw nowhere).
std::atomic<HWND> g_updateLocked{nullptr};

bool UpdateLocked(const Window* w) {
  const HWND locked = g_updateLocked.load();
  if (!locked) return false;
  for (; w; w = w->parent)
    if (w->handle == locked) return true;
  return false;
}

HDC MakeDc(Window* w, bool windowArea, const Region& visibleScreen, bool ignoreLock = false) {
  Window* top = TopLevelOf(w);
  if (!top || !top->IsTopLevel()) return nullptr;
  EnsureSurface(top);
  RECT topScreen = ScreenWindowRect(top);
  RECT area = windowArea ? ScreenWindowRect(w) : ScreenClientRect(w);
  POINT offset{area.Left - topScreen.Left, area.Top - topScreen.Top};
  Region vis = ignoreLock || !UpdateLocked(w) ? visibleScreen : Region();
  vis.Translate(-area.Left, -area.Top);
  HRGN rgn = gdi::CreateRegionFromPixman(vis.get());
  HDC dc = gdi::CreateSurfaceDC(top->surface, offset, rgn, w->handle);
  DeleteObject(rgn);
  if (!dc) return nullptr;
  if (w->Rtl()) gdi::SetSurfaceDCMirrored(dc, area.Right - area.Left);
  DcInfo info;
  info.hwnd = w->handle;
  info.top = top->handle;
  info.area = vis;
  info.area.Translate(area.Left - topScreen.Left, area.Top - topScreen.Top);
  Dcs()[dc] = std::move(info);
  return dc;
}

bool ShouldRecurse(const Window* w, UINT flags) {
  if (flags & RDW_ALLCHILDREN) return true;
  if (flags & RDW_NOCHILDREN) return false;
  return !(w->style & WS_CLIPCHILDREN);
}

void SendNcPaint(Window* w) {
  HWND h = w->handle;
  Region nc = w->update;
  nc.Subtract(ClientInWindow(w));
  w->framePending = false;
  // The region of WM_NCPAINT is in screen coordinates; 1 means the whole frame.
  RECT sr = ScreenWindowRect(w);
  Region screen = nc.Empty() ? Region(WindowArea(w)) : nc;
  screen.Translate(sr.Left, sr.Top);
  HRGN rgn = gdi::CreateRegionFromPixman(screen.get());
  Send(h, WM_NCPAINT, reinterpret_cast<WPARAM>(rgn), 0);
  DeleteObject(rgn);
  if (WindowPtr again = Lookup(h)) again->update.Intersect(ClientInWindow(again.get()));
}

void SendErase(Window* w) {
  HWND h = w->handle;
  w->erasePending = false;
  Region clientUpd = w->update;
  clientUpd.Intersect(ClientInWindow(w));
  if (clientUpd.Empty()) return;
  RECT sr = ScreenWindowRect(w);
  clientUpd.Translate(sr.Left, sr.Top);
  Region vis = VisibleScreen(w, false, (w->style & WS_CLIPCHILDREN) != 0, (w->style & WS_CLIPSIBLINGS) != 0);
  vis.Intersect(clientUpd);
  HDC dc = MakeDc(w, false, vis);
  if (!dc) return;
  LRESULT erased = Send(h, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
  ReleaseDC(h, dc);
  if (!erased)
    if (WindowPtr again = Lookup(h)) again->erasePending = true;  // BeginPaint reports fErase
}

void UpdateNow(Window* w, UINT flags, bool paint) {
  HWND h = w->handle;
  if (!IsVisibleChain(w)) return;
  if (paint) {
    if (NeedsPaint(w)) Send(h, WM_PAINT, 0, 0);
  } else {
    if (w->framePending) SendNcPaint(w);
    if (Lookup(h) && w->erasePending) SendErase(w);
  }
  WindowPtr again = Lookup(h);
  if (!again || !(flags & RDW_ALLCHILDREN)) return;
  std::vector<HWND> kids;
  for (Window* c : again->children) kids.push_back(c->handle);
  for (HWND k : kids)
    if (WindowPtr c = Lookup(k)) UpdateNow(c.get(), flags, paint);
}

void RedrawTree(Window* w, const Region* area, UINT flags) {
  const RECT whole = WindowArea(w);
  const RECT client = ClientInWindow(w);
  Region r = area ? *area : Region((flags & RDW_FRAME) ? whole : client);
  r.Intersect(whole);
  if (flags & RDW_INVALIDATE) {
    if (IsVisibleChain(w) && !r.Empty()) {
      Region add = r;
      if (!(flags & RDW_FRAME)) add.Intersect(client);
      Region framePart = add;
      framePart.Subtract(client);
      if (!framePart.Empty()) w->framePending = true;
      if (!add.Empty()) {
        w->update.Union(add);
        if (flags & RDW_ERASE) w->erasePending = true;
      }
    }
    if ((flags & RDW_INTERNALPAINT) && IsVisibleChain(w)) w->internalPaint = true;
  } else if (flags & RDW_VALIDATE) {
    if (area)
      w->update.Subtract(r);
    else if (flags & RDW_NOFRAME)
      w->update.Subtract(client);
    else
      w->update.Clear();
    if (w->update.Empty()) {
      w->erasePending = false;
      w->framePending = false;
    }
    if (flags & RDW_NOINTERNALPAINT) w->internalPaint = false;
  }
  if (!(flags & RDW_INVALIDATE)) {
    // The validation flags: pending erase, frame and internal paint go away.
    if (flags & RDW_NOERASE) w->erasePending = false;
    if (flags & RDW_NOFRAME) {
      w->framePending = false;
      w->update.Intersect(client);
    }
  }
  if (!(flags & (RDW_INVALIDATE | RDW_VALIDATE)) || !ShouldRecurse(w, flags)) return;
  Region inClient = r;
  inClient.Intersect(client);
  for (Window* c : w->children) {
    if (!c->Visible()) continue;
    RECT cr = ChildInParentWindow(c);
    Region cr2 = inClient;
    cr2.Intersect(cr);
    if (cr2.Empty()) continue;
    cr2.Translate(-cr.Left, -cr.Top);
    RedrawTree(c, &cr2, (flags | RDW_FRAME) & ~RDW_NOFRAME);
  }
}

}  // namespace

bool NeedsPaint(const Window* w) {
  return !w->update.Empty() || w->internalPaint;
}

Window* FindPaintWindow(ThreadState& ts, HWND filter) {
  std::function<Window*(Window*)> visit = [&](Window* w) -> Window* {
    if (!w->Visible() || w->layeredUpdated) return nullptr;
    if (NeedsPaint(w) && (!filter || w->handle == filter || IsChild(filter, w->handle))) return w;
    for (Window* c : w->children)
      if (Window* r = visit(c)) return r;
    return nullptr;
  };
  std::lock_guard lock(WmMutex());
  for (Window* top : Desktop()->children) {
    if (top->threadId != ts.id) continue;
    if (Window* r = visit(top)) return r;
  }
  return nullptr;
}

void RedrawInternal(Window* w, const Region* area, UINT flags) {
  if (!w || w->kind != WindowKind::Normal) return;
  if (flags & (RDW_INVALIDATE | RDW_VALIDATE | RDW_NOERASE | RDW_NOFRAME | RDW_NOINTERNALPAINT))
    RedrawTree(w, area, flags);
  if (flags & RDW_ERASENOW) UpdateNow(w, flags, false);
  if (flags & RDW_UPDATENOW) {
    UpdateNow(w, flags, false);
    UpdateNow(w, flags, true);
  }
}

void InvalidateFrame(Window* w) {
  if (!IsVisibleChain(w)) return;
  Region nc(WindowArea(w));
  nc.Subtract(ClientInWindow(w));
  if (nc.Empty()) return;
  RedrawInternal(w, &nc, RDW_INVALIDATE | RDW_FRAME | RDW_NOCHILDREN);
}

void ClearUpdateTree(Window* w) {
  w->update.Clear();
  w->erasePending = w->framePending = w->internalPaint = false;
  for (Window* c : w->children) ClearUpdateTree(c);
}

void EnsureSurface(Window* top) {
  if (!top->surface) top->surface = std::make_shared<gdi::Surface>();
  gdi::Surface& s = *top->surface;
  const int32_t w = std::max(0, top->window.Width()), h = std::max(0, top->window.Height());
  if (s.width == w && s.height == h) return;
  // Keep what is drawn where the old and new sizes overlap.
  std::vector<uint32_t> pixels(static_cast<size_t>(w) * h, 0);
  const int32_t cw = std::min(w, s.width), ch = std::min(h, s.height);
  for (int32_t y = 0; y < ch; ++y)
    std::memcpy(pixels.data() + static_cast<size_t>(y) * w,
                s.pixels.data() + static_cast<size_t>(y) * s.width, static_cast<size_t>(cw) * 4);
  s.width = w;
  s.height = h;
  s.pixels = std::move(pixels);
  top->dirty.Union(RECT{0, 0, w, h});
}

void MarkDirty(Window* top, const Region& area) {
  top->dirty.Union(area);
  top->dirty.Intersect(RECT{0, 0, top->window.Width(), top->window.Height()});
}

void PresentDirty() {
  os::DisplayBackend* b = os::GetDisplayBackend();
  const DWORD me = GetCurrentThreadId();
  std::vector<WindowPtr> tops = TopLevelWindows();
  for (auto& w : tops) {
    if (w->threadId != me || w->dirty.Empty()) continue;
    RECT bounds = w->dirty.Bounds();
    w->dirty.Clear();
    if (b && w->surface && w->Visible()) b->Present(w->handle, *w->surface, bounds);
  }
}

Region VisibleRegionScreen(Window* w, bool windowArea, bool clipChildren, bool clipSiblings) {
  return VisibleScreen(w, windowArea, clipChildren, clipSiblings);
}

Region FromHrgn(HRGN rgn) {
  Region r;
  if (const pixman_region32* d = gdi::RegionData(rgn))
    pixman_region32_copy(r.get(), const_cast<pixman_region32*>(d));
  return r;
}

}  // namespace qd::user

namespace qd {
using namespace user;

namespace {

// A client-coordinate region (mirrored in right-to-left windows) in window coordinates.
user::Region ClientToWindowRegion(const Window* w, user::Region r) {
  if (w->Rtl()) {
    // Mirror each rectangle around the client width.
    user::Region m;
    const int cw = w->client.Width();
    for (const RECT& rc : r.Rects()) m.Union(RECT{cw - rc.Right, rc.Top, cw - rc.Left, rc.Bottom});
    r = m;
  }
  r.Translate(w->client.Left - w->window.Left, w->client.Top - w->window.Top);
  return r;
}

user::Region WindowToClientRegion(const Window* w, user::Region r) {
  r.Translate(w->window.Left - w->client.Left, w->window.Top - w->client.Top);
  r.Intersect(RECT{0, 0, w->client.Width(), w->client.Height()});
  if (w->Rtl()) {
    user::Region m;
    const int cw = w->client.Width();
    for (const RECT& rc : r.Rects()) m.Union(RECT{cw - rc.Right, rc.Top, cw - rc.Left, rc.Bottom});
    r = m;
  }
  return r;
}

}  // namespace

BOOL RedrawWindow(HWND hwnd, const RECT* rect, HRGN region, UINT flags) {
  WindowPtr w = hwnd ? Checked(hwnd) : WindowPtr();
  if (!hwnd) {
    // The desktop: every top-level window.
    for (auto& top : TopLevelWindows()) RedrawWindow(top->handle, nullptr, nullptr, flags | RDW_ALLCHILDREN);
    return TRUE;
  }
  if (!w || w->kind != WindowKind::Normal) return FALSE;
  // Rectangles and regions are in client coordinates, even with RDW_FRAME.
  if (region) {
    user::Region r = ClientToWindowRegion(w.get(), FromHrgn(region));
    RedrawInternal(w.get(), &r, flags);
  } else if (rect) {
    user::Region r = ClientToWindowRegion(w.get(), user::Region(*rect));
    RedrawInternal(w.get(), &r, flags);
  } else {
    RedrawInternal(w.get(), nullptr, flags);
  }
  return TRUE;
}

BOOL InvalidateRect(HWND hwnd, const RECT* rect, BOOL erase) {
  if (!hwnd) return RedrawWindow(nullptr, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
  return RedrawWindow(hwnd, rect, nullptr, RDW_INVALIDATE | (erase ? RDW_ERASE : 0));
}

BOOL InvalidateRgn(HWND hwnd, HRGN region, BOOL erase) {
  return RedrawWindow(hwnd, nullptr, region, RDW_INVALIDATE | (erase ? RDW_ERASE : 0));
}

BOOL ValidateRect(HWND hwnd, const RECT* rect) {
  return RedrawWindow(hwnd, rect, nullptr, RDW_VALIDATE | (rect ? 0 : RDW_NOFRAME));
}

BOOL ValidateRgn(HWND hwnd, HRGN region) {
  return RedrawWindow(hwnd, nullptr, region, RDW_VALIDATE);
}

BOOL GetUpdateRect(HWND hwnd, LPRECT rect, BOOL erase) {
  WindowPtr w = Checked(hwnd);
  if (!w) return FALSE;
  user::Region r = WindowToClientRegion(w.get(), w->update);
  if (rect) *rect = r.Bounds();
  if (erase && !r.Empty()) {
    if (w->framePending) SendNcPaint(w.get());
    if (Lookup(hwnd) && w->erasePending) SendErase(w.get());
  }
  return r.Empty() ? FALSE : TRUE;
}

int GetUpdateRgn(HWND hwnd, HRGN region, BOOL erase) {
  WindowPtr w = Checked(hwnd);
  if (!w || !gdi::RegionData(region)) return 0;  // ERROR
  user::Region r = WindowToClientRegion(w.get(), w->update);
  HRGN tmp = gdi::CreateRegionFromPixman(r.get());
  CombineRgn(region, tmp, nullptr, RGN_COPY);
  DeleteObject(tmp);
  if (erase && !r.Empty()) {
    if (w->framePending) SendNcPaint(w.get());
    if (Lookup(hwnd) && w->erasePending) SendErase(w.get());
  }
  return r.Empty() ? NULLREGION : (r.Rects().size() == 1 ? SIMPLEREGION : COMPLEXREGION);
}

BOOL UpdateWindow(HWND hwnd) {
  WindowPtr w = Checked(hwnd);
  if (!w) return FALSE;
  RedrawInternal(w.get(), nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  return TRUE;
}

HDC BeginPaint(HWND hwnd, PAINTSTRUCT* ps) {
  WindowPtr w = Checked(hwnd);
  if (!w || !ps) return nullptr;
  if (w->framePending) {
    SendNcPaint(w.get());
    if (!Lookup(hwnd)) return nullptr;
  }
  HideCaret(hwnd);
  user::Region upd = w->update;
  upd.Intersect(ClientInWindow(w.get()));
  const bool erase = w->erasePending;
  w->update.Clear();
  w->internalPaint = false;
  w->framePending = false;
  w->erasePending = false;
  RECT sr = ScreenWindowRect(w.get());
  user::Region updScreen = upd;
  updScreen.Translate(sr.Left, sr.Top);
  user::Region vis =
      VisibleScreen(w.get(), false, (w->style & WS_CLIPCHILDREN) != 0, (w->style & WS_CLIPSIBLINGS) != 0);
  vis.Intersect(updScreen);
  HDC dc = MakeDc(w.get(), false, vis);
  if (!dc) {
    // No surface (message-only windows): a DC that draws nowhere.
    dc = CreateCompatibleDC(nullptr);
    DcInfo info;
    info.hwnd = hwnd;
    info.display = true;
    Dcs()[dc] = std::move(info);
  }
  *ps = PAINTSTRUCT{};
  ps->hdc = dc;
  ps->rcPaint = WindowToClientRegion(w.get(), upd).Bounds();
  ps->fErase = FALSE;
  if (erase) {
    ps->fErase = Send(hwnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0) ? FALSE : TRUE;
  }
  if (WindowPtr again = Lookup(hwnd)) again->inBeginPaint = true;
  return dc;
}

BOOL EndPaint(HWND hwnd, const PAINTSTRUCT* ps) {
  if (!ps) return FALSE;
  ReleaseDC(hwnd, ps->hdc);
  if (WindowPtr w = Lookup(hwnd)) w->inBeginPaint = false;
  ShowCaret(hwnd);
  return TRUE;
}

HDC GetDCEx(HWND hwnd, HRGN clip, DWORD flags) {
  if (!hwnd) {
    HDC dc = CreateDCW(u"DISPLAY", nullptr, nullptr, nullptr);
    DcInfo info;
    info.display = true;
    Dcs()[dc] = std::move(info);
    return dc;
  }
  WindowPtr w = Checked(hwnd);
  if (!w) return nullptr;
  const bool windowArea = (flags & DCX_WINDOW) != 0;
  bool clipChildren = (flags & DCX_CLIPCHILDREN) || (w->style & WS_CLIPCHILDREN);
  bool clipSiblings = (flags & DCX_CLIPSIBLINGS) || (w->style & WS_CLIPSIBLINGS);
  if (flags & DCX_PARENTCLIP) clipSiblings = false;
  user::Region vis = VisibleScreen(w.get(), windowArea, clipChildren, clipSiblings);
  if ((flags & (DCX_INTERSECTRGN | DCX_EXCLUDERGN)) && reinterpret_cast<uintptr_t>(clip) > 1) {
    user::Region c = FromHrgn(clip);
    if (flags & DCX_INTERSECTRGN)
      vis.Intersect(c);
    else
      vis.Subtract(c);
  }
  if (flags & (DCX_INTERSECTUPDATE | DCX_EXCLUDEUPDATE)) {
    user::Region u = w->update;
    RECT sr = ScreenWindowRect(w.get());
    u.Translate(sr.Left, sr.Top);
    if (flags & DCX_INTERSECTUPDATE)
      vis.Intersect(u);
    else
      vis.Subtract(u);
  }
  if (flags & DCX_VALIDATE) {
    RedrawInternal(w.get(), nullptr, RDW_VALIDATE | RDW_NOCHILDREN);
  }
  HDC dc = MakeDc(w.get(), windowArea, vis, (flags & DCX_LOCKWINDOWUPDATE) != 0);
  if (!dc) {
    dc = CreateCompatibleDC(nullptr);
    DcInfo info;
    info.hwnd = hwnd;
    info.display = true;
    Dcs()[dc] = std::move(info);
  }
  return dc;
}

HDC GetDC(HWND hwnd) {
  return GetDCEx(hwnd, nullptr, hwnd ? 0 : DCX_WINDOW);
}

HDC GetWindowDC(HWND hwnd) {
  return GetDCEx(hwnd, nullptr, DCX_WINDOW);
}

int ReleaseDC(HWND, HDC dc) {
  auto& dcs = Dcs();
  auto it = dcs.find(dc);
  if (it == dcs.end()) return 0;
  DcInfo info = std::move(it->second);
  dcs.erase(it);
  if (info.display) {
    DeleteDC(dc);
    return 1;
  }
  if (WindowPtr top = Lookup(info.top)) MarkDirty(top.get(), info.area);
  gdi::DeleteSurfaceDC(dc);
  return 1;
}

HWND WindowFromDC(HDC dc) {
  auto& dcs = Dcs();
  auto it = dcs.find(dc);
  if (it != dcs.end()) return it->second.hwnd;
  return gdi::WindowOfDC(dc);
}

BOOL LockWindowUpdate(HWND hwnd) {
  if (!hwnd) {
    // What was held back is drawn now.
    const HWND was = g_updateLocked.exchange(nullptr);
    if (!was || !IsWindow(was)) return was ? TRUE : FALSE;
    RedrawWindow(was, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    return TRUE;
  }
  if (!Checked(hwnd)) return FALSE;
  // One window at a time; a locked window that was destroyed holds nothing back.
  HWND expected = g_updateLocked.load();
  if (expected && IsWindow(expected)) return FALSE;
  return g_updateLocked.compare_exchange_strong(expected, hwnd) ? TRUE : FALSE;
}

int ScrollWindowEx(HWND hwnd, int dx, int dy, const RECT* scroll, const RECT* clip, HRGN update,
                   LPRECT updateRect, UINT flags) {
  WindowPtr w = Checked(hwnd);
  if (!w) return 0;
  RECT client{0, 0, w->client.Width(), w->client.Height()};
  RECT src = scroll ? *scroll : client;
  RECT clipRc = clip ? *clip : client;
  clipRc = RectIntersection(clipRc, client);
  // Move the pixels that stay visible.
  user::Region uncovered(RectIntersection(src, clipRc));
  if (IsVisibleChain(w.get()) && (dx || dy)) {
    HDC dc = GetDCEx(hwnd, nullptr, DCX_CACHE | DCX_CLIPSIBLINGS | DCX_CLIPCHILDREN);
    RECT from = RectIntersection(src, clipRc);
    RECT to = RectIntersection(RectOffset(from, dx, dy), clipRc);
    if (!to.IsEmpty())
      BitBlt(dc, to.Left, to.Top, to.Width(), to.Height(), dc, to.Left - dx, to.Top - dy, SRCCOPY);
    ReleaseDC(hwnd, dc);
    uncovered.Subtract(to);
  }
  // Pending updates move with the contents.
  user::Region pending = WindowToClientRegion(w.get(), w->update);
  user::Region movedPending = pending;
  movedPending.Intersect(src);
  movedPending.Translate(dx, dy);
  movedPending.Intersect(clipRc);
  user::Region newUpdate = uncovered;
  newUpdate.Union(movedPending);
  if (flags & SW_SCROLLCHILDREN) {
    std::vector<HWND> kids;
    for (Window* c : w->children) kids.push_back(c->handle);
    for (HWND k : kids) {
      WindowPtr c = Lookup(k);
      if (!c) continue;
      RECT r;
      GetWindowRect(k, &r);
      POINT p{r.Left, r.Top};
      ScreenToClient(hwnd, &p);
      if (!scroll ||
          (p.X < src.Right && p.Y < src.Bottom && p.X + r.Width() > src.Left && p.Y + r.Height() > src.Top))
        SetWindowPos(k, nullptr, p.X + dx, p.Y + dy, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
    }
  }
  if (update) {
    HRGN tmp = gdi::CreateRegionFromPixman(newUpdate.get());
    CombineRgn(update, tmp, nullptr, RGN_COPY);
    DeleteObject(tmp);
  }
  if (updateRect) *updateRect = newUpdate.Bounds();
  if (flags & SW_INVALIDATE) {
    user::Region wr = ClientToWindowRegion(w.get(), newUpdate);
    RedrawInternal(w.get(), &wr,
                   RDW_INVALIDATE | ((flags & SW_ERASE) ? RDW_ERASE : 0) |
                       ((flags & SW_SCROLLCHILDREN) ? RDW_ALLCHILDREN : 0));
  }
  return newUpdate.Complexity();
}

BOOL ScrollWindow(HWND hwnd, int dx, int dy, const RECT* scroll, const RECT* clip) {
  return ScrollWindowEx(hwnd, dx, dy, scroll, clip, nullptr, nullptr,
                        SW_INVALIDATE | SW_ERASE | (scroll ? 0 : SW_SCROLLCHILDREN)) != 0;
}

BOOL ScrollDC(HDC dc, int dx, int dy, const RECT* scroll, const RECT* clip, HRGN update, LPRECT updateRect) {
  RECT box;
  GetClipBox(dc, &box);
  RECT src = scroll ? *scroll : box;
  RECT clipRc = clip ? *clip : box;
  RECT from = RectIntersection(src, clipRc);
  RECT to = RectIntersection(RectOffset(from, dx, dy), clipRc);
  user::Region uncovered(from);
  if (!to.IsEmpty()) {
    BitBlt(dc, to.Left, to.Top, to.Width(), to.Height(), dc, to.Left - dx, to.Top - dy, SRCCOPY);
    uncovered.Subtract(to);
  }
  if (update) {
    HRGN tmp = gdi::CreateRegionFromPixman(uncovered.get());
    CombineRgn(update, tmp, nullptr, RGN_COPY);
    DeleteObject(tmp);
  }
  if (updateRect) *updateRect = uncovered.Bounds();
  return TRUE;
}

BOOL PrintWindow(HWND hwnd, HDC dc, UINT) {
  WindowPtr w = Checked(hwnd);
  if (!w) return FALSE;
  Send(hwnd, WM_PRINT, reinterpret_cast<WPARAM>(dc),
       PRF_NONCLIENT | PRF_CLIENT | PRF_ERASEBKGND | PRF_CHILDREN);
  return TRUE;
}

}  // namespace qd
