// The default drawing of the non-client area, the background erase and WM_PRINT.
#include <algorithm>

#include "platform/base/mathutil.h"
#include "platform/os/gdi.h"
#include "platform/os/user_internal.h"

namespace qd::user {
namespace {

HBRUSH SysBrush(int index) {
  return GetSysColorBrush(index);
}

void FillBand(HDC dc, const RECT& outer, const RECT& inner, HBRUSH brush) {
  RECT parts[4] = {{outer.Left, outer.Top, outer.Right, inner.Top},
                   {outer.Left, inner.Bottom, outer.Right, outer.Bottom},
                   {outer.Left, inner.Top, inner.Left, inner.Bottom},
                   {inner.Right, inner.Top, outer.Right, inner.Bottom}};
  for (auto& p : parts)
    if (!p.IsEmpty()) FillRect(dc, &p, brush);
}

void DrawFrame(Window* w, HDC dc) {
  const UINT dpi = WindowDpi(w);
  RECT r{0, 0, w->window.Width(), w->window.Height()};
  const RECT client{w->client.Left - w->window.Left, w->client.Top - w->window.Top,
                    w->client.Right - w->window.Left, w->client.Bottom - w->window.Top};
  // Outer frame.
  if (w->style & WS_THICKFRAME || (w->style & WS_DLGFRAME) || (w->exStyle & WS_EX_DLGMODALFRAME)) {
    int b = (w->style & WS_THICKFRAME)
                ? GetSystemMetricsForDpi(SM_CXSIZEFRAME, dpi) + GetSystemMetricsForDpi(SM_CXPADDEDBORDER, dpi)
                : GetSystemMetricsForDpi(SM_CXFIXEDFRAME, dpi);
    RECT inner{r.Left + b, r.Top + b, r.Right - b, r.Bottom - b};
    FillBand(dc, r, inner,
             SysBrush((w->style & WS_THICKFRAME) ? (w->ncActive ? COLOR_ACTIVEBORDER : COLOR_INACTIVEBORDER)
                                                 : COLOR_BTNFACE));
    RECT e = r;
    DrawEdge(dc, &e, EDGE_RAISED, BF_RECT);
    r = inner;
  } else if (w->style & WS_BORDER) {
    FrameRect(dc, &r, SysBrush(COLOR_WINDOWFRAME));
    r = {r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1};
  }
  // Caption.
  RECT closeBtn{};
  RECT caption = CaptionRect(w, &closeBtn);
  if (!caption.IsEmpty()) {
    FillRect(dc, &caption, SysBrush(w->ncActive ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION));
    NONCLIENTMETRICSW ncm;
    SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof ncm, &ncm, 0, dpi);
    HFONT font =
        CreateFontIndirectW((w->exStyle & WS_EX_TOOLWINDOW) ? &ncm.lfSmCaptionFont : &ncm.lfCaptionFont);
    HGDIOBJ oldFont = SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(w->ncActive ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT));
    RECT text = caption;
    text.Left += MulDiv(8, static_cast<int32_t>(dpi), 96);
    if (!closeBtn.IsEmpty()) text.Right = closeBtn.Left;
    DrawTextW(dc, w->text.c_str(), static_cast<int>(w->text.size()), &text,
              DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_END_ELLIPSIS | DT_NOPREFIX);
    SelectObject(dc, oldFont);
    DeleteObject(font);
    if (!closeBtn.IsEmpty()) {
      RECT b{closeBtn.Left + 2, closeBtn.Top + 2, closeBtn.Right - 2, closeBtn.Bottom - 2};
      DrawFrameControl(dc, &b, DFC_CAPTION, DFCS_CAPTIONCLOSE);
    }
    r.Top = caption.Bottom;
  }
  DrawScrollBars(w, dc);
  const int sx = GetSystemMetricsForDpi(SM_CXVSCROLL, dpi), sy = GetSystemMetricsForDpi(SM_CYHSCROLL, dpi);
  const bool left = ((w->exStyle & WS_EX_LEFTSCROLLBAR) != 0) != w->Rtl();
  // Edges around the client area (and its scroll bars).
  RECT inner = client;
  if (w->style & WS_VSCROLL) (left ? inner.Left : inner.Right) += left ? -sx : sx;
  if (w->style & WS_HSCROLL) inner.Bottom += sy;
  if (w->exStyle & WS_EX_CLIENTEDGE) {
    const int e = GetSystemMetricsForDpi(SM_CXEDGE, dpi);
    RECT edge{inner.Left - e, inner.Top - e, inner.Right + e, inner.Bottom + e};
    if (w->exStyle & WS_EX_STATICEDGE) edge = {edge.Left - 1, edge.Top - 1, edge.Right + 1, edge.Bottom + 1};
    RECT e2 = edge;
    DrawEdge(dc, &e2, EDGE_SUNKEN, BF_RECT);
    inner = {inner.Left - e, inner.Top - e, inner.Right + e, inner.Bottom + e};
  }
  if (w->exStyle & WS_EX_STATICEDGE) {
    RECT edge{inner.Left - 1, inner.Top - 1, inner.Right + 1, inner.Bottom + 1};
    DrawEdge(dc, &edge, BDR_SUNKENOUTER, BF_RECT);
  }
}

}  // namespace

void PaintNonClient(Window* w, HRGN clip, HDC dc) {
  const bool own = dc == nullptr;
  if (own) {
    const bool region = reinterpret_cast<uintptr_t>(clip) > 1;
    dc = GetDCEx(w->handle, region ? clip : nullptr,
                 DCX_WINDOW | DCX_CLIPSIBLINGS | (region ? DCX_INTERSECTRGN : 0));
    if (!dc) return;
    // Only the frame: the client area is the window's own business.
    RECT c{w->client.Left - w->window.Left, w->client.Top - w->window.Top, w->client.Right - w->window.Left,
           w->client.Bottom - w->window.Top};
    ExcludeClipRect(dc, c.Left, c.Top, c.Right, c.Bottom);
  }
  DrawFrame(w, dc);
  if (own) ReleaseDC(w->handle, dc);
}

LRESULT EraseBackground(Window* w, HDC dc) {
  if (!dc || !w->cls || !w->cls->background) return 0;
  HBRUSH brush = w->cls->background;
  const auto v = reinterpret_cast<uintptr_t>(brush);
  // COLOR_xxx + 1 stands for a system colour.
  if (v >= 1 && v <= COLOR_MENUBAR + 1) brush = GetSysColorBrush(static_cast<int>(v) - 1);
  RECT r{0, 0, w->client.Width(), w->client.Height()};
  FillRect(dc, &r, brush);
  return 1;
}

void PrintInto(Window* w, HDC dc, LPARAM flags) {
  if (!dc) return;
  HWND h = w->handle;
  if ((flags & PRF_CHECKVISIBLE) && !IsWindowVisible(h)) return;
  const int saved = SaveDC(dc);
  if (flags & PRF_NONCLIENT) PaintNonClient(w, nullptr, dc);
  // The DC's origin is the window's top-left corner; the client area starts at its offset.
  OffsetViewportOrgEx(dc, w->client.Left - w->window.Left, w->client.Top - w->window.Top, nullptr);
  IntersectClipRect(dc, 0, 0, w->client.Width(), w->client.Height());
  if (flags & PRF_ERASEBKGND) Send(h, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
  if ((flags & PRF_CLIENT) && Lookup(h)) Send(h, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), flags);
  if ((flags & PRF_CHILDREN) && Lookup(h)) {
    std::vector<HWND> kids;
    for (Window* c : w->children) kids.push_back(c->handle);
    // Bottom of the z-order first, so that upper children end on top.
    for (auto it = kids.rbegin(); it != kids.rend(); ++it) {
      WindowPtr c = Lookup(*it);
      if (!c || !c->Visible()) continue;
      const int s = SaveDC(dc);
      // Child rectangles are in the parent's client coordinates, where the origin is now.
      OffsetViewportOrgEx(dc, c->window.Left, c->window.Top, nullptr);
      Send(*it, WM_PRINT, reinterpret_cast<WPARAM>(dc), flags | PRF_NONCLIENT);
      RestoreDC(dc, s);
    }
  }
  RestoreDC(dc, saved);
}

}  // namespace qd::user
