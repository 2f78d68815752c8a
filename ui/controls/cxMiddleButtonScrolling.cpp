#include "ui/controls/cxMiddleButtonScrolling.h"

#include <algorithm>
#include <cstdlib>
#include <memory>

#include "platform/base/strings.h"
#include "platform/classes/streams.h"
#include "platform/forms/forms.h"
#include "platform/forms/graphics.h"
#include "platform/os/gdi.h"
#include "platform/os/user.h"
#include "ui/controls/cxControlsWindowUtils.h"
#include "ui/controls/cxControlsWndProc.h"

namespace qd {

namespace {

constexpr UINT cxMiddleButtonScrollTimerInterval = 20;
constexpr int32_t cxMiddleButtonMaxSpeed = 12;

TCursor MiddleButtonScrollCursor(TcxDirection ADirection, bool AHorz, bool AVert) {
  switch (ADirection) {
    case dirLeft:
      return crcxLeftScroll;
    case dirRight:
      return crcxRightScroll;
    case dirUp:
      return crcxUpScroll;
    case dirDown:
      return crcxDownScroll;
    default:
      if (AHorz && AVert) return crcxFullScroll;
      return AHorz ? crcxHorScroll : crcxVerScroll;
  }
}

bool IsOtherMouseButtonMessage(UINT AMsg) {
  switch (AMsg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
    case WM_MOUSEWHEEL:
    case WM_MOUSEHWHEEL:
    case WM_XBUTTONDOWN:
    case WM_XBUTTONUP:
    case WM_XBUTTONDBLCLK:
      return true;
    default:
      return false;
  }
}

// The anchor: the bitmap in a small round topmost window that does not take the focus.
class TcxMiddleButtonAnchor {
 public:
  TcxMiddleButtonAnchor(HWND AOwner, const TPoint& AAnchor, bool AHorz, bool AVert) {
    const char16_t* name =
        AHorz && AVert ? u"CX_FULLSCROLLBITMAP" : (AVert ? u"CX_VERSCROLLBITMAP" : u"CX_HORSCROLLBITMAP");
    TResourceStream stream(String(name), RT_BITMAP);
    FBitmap.LoadFromStream(&stream);
    const int w = FBitmap.Width(), h = FBitmap.Height();
    FWnd = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, u"STATIC", u"", WS_POPUP, AAnchor.X - w / 2,
                           AAnchor.Y - h / 2, w, h, AOwner, nullptr, nullptr, nullptr);
    if (!FWnd) return;
    SetWindowRgn(FWnd, CreateEllipticRgn(0, 0, w + 1, h + 1), FALSE);
    ShowWindow(FWnd, SW_SHOWNOACTIVATE);
    Draw();
  }
  ~TcxMiddleButtonAnchor() {
    if (FWnd) DestroyWindow(FWnd);
  }
  int32_t Size() const { return FBitmap.Width(); }

 private:
  void Draw() {
    ValidateRect(FWnd, nullptr);
    HDC dc = GetWindowDC(FWnd);
    BitBlt(dc, 0, 0, FBitmap.Width(), FBitmap.Height(), FBitmap.Canvas()->Handle(), 0, 0, SRCCOPY);
    HPEN pen = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_WINDOWTEXT));
    HGDIOBJ oldPen = SelectObject(dc, pen);
    HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
    Ellipse(dc, 0, 0, FBitmap.Width(), FBitmap.Height());
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
    DeleteObject(pen);
    ReleaseDC(FWnd, dc);
  }

  TBitmap FBitmap;
  HWND FWnd = nullptr;
};

}  // namespace

TcxMiddleButtonScrollState cxCalculateMiddleButtonScroll(const TPoint& AAnchor, const TPoint& APoint,
                                                         int32_t ABitmapSize, bool AHorzScrollActive,
                                                         bool AVertScrollActive, const TSize& AScreenSize) {
  TcxMiddleButtonScrollState state;
  const int64_t dx = static_cast<int64_t>(APoint.X) - AAnchor.X;
  const int64_t dy = static_cast<int64_t>(APoint.Y) - AAnchor.Y;
  const int32_t half = ABitmapSize / 2;
  const int64_t halfWidth = AHorzScrollActive ? half : AScreenSize.cx;
  const int64_t halfHeight = AVertScrollActive ? half : AScreenSize.cy;
  if (std::llabs(dx) < halfWidth && std::llabs(dy) < halfHeight) return state;
  state.Moved = true;
  const bool horizontal = AHorzScrollActive && (!AVertScrollActive || std::llabs(dx) > std::llabs(dy));
  const int64_t offset = horizontal ? dx : dy;
  if (horizontal)
    state.Direction = offset < 0 ? dirLeft : dirRight;
  else
    state.Direction = offset < 0 ? dirUp : dirDown;
  state.Speed =
      static_cast<int32_t>(std::min<int64_t>((std::llabs(offset) - half) / 5 + 1, cxMiddleButtonMaxSpeed));
  state.Speed = std::max(state.Speed, 1);
  return state;
}

void cxProcessControlScrollingOnMiddleButton(TWinControl* AControl, bool AHorzScrollActive,
                                             bool AVertScrollActive, bool& AIsScrollingContent,
                                             const TcxScrollContentProc& AScrollContent) {
  if (!AHorzScrollActive && !AVertScrollActive) return;
  if (!AControl->HandleAllocated()) return;
  AIsScrollingContent = true;
  const HWND wnd = AControl->Handle();
  TPoint anchor;
  GetCursorPos(&anchor);
  TPoint last = anchor;
  TcxMiddleButtonAnchor anchorWindow(wnd, anchor, AHorzScrollActive, AVertScrollActive);
  const TSize screen{GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  TcxMiddleButtonScrollState state;
  state.Speed = 1;
  auto setCursor = [&] {
    if (Screen)
      ::qd::SetCursor(
          Screen->Cursors(MiddleButtonScrollCursor(state.Direction, AHorzScrollActive, AVertScrollActive)));
  };
  setCursor();
  const UINT_PTR timer = SetTimer(nullptr, 0, cxMiddleButtonScrollTimerInterval, nullptr);
  int32_t counter = 0;
  bool moved = false;
  cxSetCapture(wnd);
  struct Finish {
    HWND wnd;
    UINT_PTR timer;
    bool& scrolling;
    ~Finish() {
      if (GetCapture() == wnd) ReleaseCapture();
      KillTimer(nullptr, timer);
      scrolling = false;
    }
  } finish{wnd, timer, AIsScrollingContent};
  MSG msg;
  while (GetCapture() == wnd) {
    const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got == -1) break;
    if (got == 0) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    if ((msg.message == WM_KEYDOWN || msg.message == WM_KEYUP) && msg.wParam == VK_ESCAPE) {
      DispatchMessageW(&msg);
      break;
    }
    if (msg.message == WM_TIMER && msg.hwnd == nullptr && msg.wParam == timer) {
      ++counter;
      if (state.Direction != dirNone && counter % (cxMiddleButtonMaxSpeed + 1 - state.Speed) == 0)
        AScrollContent(state.Direction);
      continue;
    }
    if (msg.message == WM_MOUSEMOVE) {
      TPoint p;
      GetCursorPos(&p);
      if (p.X != last.X || p.Y != last.Y) {
        last = p;
        const TcxMiddleButtonScrollState next = cxCalculateMiddleButtonScroll(
            anchor, p, anchorWindow.Size(), AHorzScrollActive, AVertScrollActive, screen);
        state.Direction = next.Direction;
        state.Speed = next.Speed;
        moved = moved || next.Moved;
        setCursor();
      }
      DispatchMessageW(&msg);
      continue;
    }
    if (msg.message == WM_MBUTTONUP) {
      DispatchMessageW(&msg);
      if (moved) break;
      continue;
    }
    if (IsOtherMouseButtonMessage(msg.message)) break;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

}  // namespace qd
