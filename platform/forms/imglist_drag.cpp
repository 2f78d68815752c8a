// The drag image list: one image in a topmost window of its own that follows the mouse.
#include <memory>

#include "platform/forms/imglist.h"
#include "platform/os/user.h"

namespace qd {

QD_IMPLEMENT_CLASS(TDragImageList)

namespace {

const Char kDragImageWindowClass[] = u"QdDragImageWindow";
const Char kDragImageListProp[] = u"QdDragImageList";

LRESULT DragImageWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_NCHITTEST:
      return HTTRANSPARENT;
    case WM_MOUSEACTIVATE:
      return MA_NOACTIVATE;
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd, &ps);
      if (auto* list = static_cast<TDragImageList*>(GetPropW(hwnd, kDragImageListProp))) {
        TCanvas canvas;
        canvas.SetHandle(dc);
        list->Draw(&canvas, 0, 0, list->DragIndex());
        canvas.SetHandle(nullptr);
      }
      EndPaint(hwnd, &ps);
      return 0;
    }
    default:
      return DefWindowProcW(hwnd, msg, wParam, lParam);
  }
}

void RegisterDragImageWindowClass() {
  WNDCLASSW wc;
  if (GetClassInfoW(nullptr, kDragImageWindowClass, &wc)) return;
  wc = WNDCLASSW{};
  wc.lpfnWndProc = &DragImageWindowProc;
  wc.lpszClassName = kDragImageWindowClass;
  RegisterClassW(&wc);
}

}  // namespace

TDragImageList::~TDragImageList() {
  EndDrag();
}

bool TDragImageList::SetDragImage(int Index, int HotSpotX, int HotSpotY) {
  if (Index < 0 || Index >= Count()) return false;
  dragIndex_ = Index;
  hotspot_ = TPoint{HotSpotX, HotSpotY};
  if (window_) {
    PlaceWindow();
    InvalidateRect(window_, nullptr, FALSE);
  }
  return true;
}

bool TDragImageList::BeginDrag(HWND Window, int X, int Y) {
  if (dragging_) EndDrag();
  if (dragIndex_ < 0 || dragIndex_ >= Count()) return false;
  lockWindow_ = Window == GetDesktopWindow() ? nullptr : Window;
  POINT p{X, Y};
  if (lockWindow_) ClientToScreen(lockWindow_, &p);
  position_ = TPoint{p.X, p.Y};
  RegisterDragImageWindowClass();
  window_ = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_LAYERED | WS_EX_TRANSPARENT,
                            kDragImageWindowClass, u"", WS_POPUP, 0, 0, Width(), Height(), nullptr, nullptr,
                            nullptr, nullptr);
  if (!window_) return false;
  SetPropW(window_, kDragImageListProp, this);
  // Half transparent, as a ghost of what is dragged.
  SetLayeredWindowAttributes(window_, 0, 160, LWA_ALPHA);
  dragging_ = true;
  shown_ = false;
  PlaceWindow();
  return true;
}

bool TDragImageList::DragMove(int X, int Y) {
  if (!dragging_) return false;
  POINT p{X, Y};
  if (lockWindow_) ClientToScreen(lockWindow_, &p);
  position_ = TPoint{p.X, p.Y};
  PlaceWindow();
  return true;
}

bool TDragImageList::EndDrag() {
  if (!dragging_) return false;
  dragging_ = false;
  shown_ = false;
  if (window_) {
    RemovePropW(window_, kDragImageListProp);
    DestroyWindow(window_);
    window_ = nullptr;
  }
  lockWindow_ = nullptr;
  return true;
}

void TDragImageList::HideDragImage() {
  if (!window_ || !shown_) return;
  shown_ = false;
  ShowWindow(window_, SW_HIDE);
}

void TDragImageList::ShowDragImage() {
  if (!window_ || shown_) return;
  shown_ = true;
  SetWindowPos(window_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
  UpdateWindow(window_);
}

void TDragImageList::PlaceWindow() {
  if (!window_) return;
  SetWindowPos(window_, HWND_TOPMOST, position_.X - hotspot_.X, position_.Y - hotspot_.Y, Width(), Height(),
               SWP_NOACTIVATE);
}

}  // namespace qd
