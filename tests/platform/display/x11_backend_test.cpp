// The X11 backend against a real X server (Xvfb): windows, pixels, input, closing, waiting.
#include <pthread.h>
#include <time.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstring>
#include <fstream>
#include <string>
#include <thread>

#include "platform/os/gdi.h"
#include "platform/os/kernel.h"
#include "x11_test_util.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/extensions/shape.h>
#include <X11/keysym.h>

namespace qd::testing::x11 {
namespace {

constexpr COLORREF kRed = RGB(200, 30, 30);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kGreen = RGB(0, 160, 0);

void PaintPicture(HWND hwnd, HDC dc) {
  RECT client;
  GetClientRect(hwnd, &client);
  HBRUSH red = CreateSolidBrush(kRed);
  FillRect(dc, &client, red);
  DeleteObject(red);
  HBRUSH blue = CreateSolidBrush(kBlue);
  RECT box{10, 10, 60, 40};
  FillRect(dc, &box, blue);
  DeleteObject(blue);
  HBRUSH green = CreateSolidBrush(kGreen);
  HGDIOBJ old = SelectObject(dc, green);
  Ellipse(dc, 80, 20, 150, 90);
  SelectObject(dc, old);
  DeleteObject(green);
  SetBkMode(dc, TRANSPARENT);
  TextOutW(dc, 12, 100, u"Olá, X", 6);
}

std::string AtomName(::Display* dpy, Atom atom) {
  if (!atom) return {};
  char* name = XGetAtomName(dpy, atom);
  std::string s = name ? name : "";
  if (name) XFree(name);
  return s;
}

// One property as longs (format 32) or bytes (format 8).
std::vector<long> LongProperty(::Display* dpy, ::Window w, const char* name) {
  Atom type = 0;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  std::vector<long> out;
  if (XGetWindowProperty(dpy, w, XInternAtom(dpy, name, False), 0, 1 << 20, False, AnyPropertyType, &type,
                         &format, &count, &after, &data) == Success &&
      data && format == 32)
    out.assign(reinterpret_cast<long*>(data), reinterpret_cast<long*>(data) + count);
  if (data) XFree(data);
  return out;
}

std::string TextProperty(::Display* dpy, ::Window w, const char* name) {
  Atom type = 0;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  std::string out;
  if (XGetWindowProperty(dpy, w, XInternAtom(dpy, name, False), 0, 1 << 20, False, AnyPropertyType, &type,
                         &format, &count, &after, &data) == Success &&
      data && format == 8)
    out.assign(reinterpret_cast<char*>(data), count);
  if (data) XFree(data);
  return out;
}

void SendDelete(::Display* dpy, ::Window w) {
  XEvent ev{};
  ev.xclient.type = ClientMessage;
  ev.xclient.window = w;
  ev.xclient.message_type = XInternAtom(dpy, "WM_PROTOCOLS", False);
  ev.xclient.format = 32;
  ev.xclient.data.l[0] = static_cast<long>(XInternAtom(dpy, "WM_DELETE_WINDOW", False));
  ev.xclient.data.l[1] = CurrentTime;
  XSendEvent(dpy, w, False, NoEventMask, &ev);
  XFlush(dpy);
}

RECT ClientOnScreen(HWND hwnd) {
  RECT c;
  GetClientRect(hwnd, &c);
  POINT o{0, 0};
  ClientToScreen(hwnd, &o);
  return RECT{o.X, o.Y, o.X + c.Width(), o.Y + c.Height()};
}

// ---- What the screen shows ---------------------------------------------------------------------------

TEST_F(X11Test, ScreenshotOfTheXWindowMatchesTheComposedReadback) {
  struct Case {
    const char* name;
    DWORD style;
    bool windowManager;
    bool decorated;  // the X window shows the client area only
  };
  const Case cases[] = {
      {"caption: X decorations, client area shown", WS_OVERLAPPEDWINDOW, true, true},
      {"caption without an X window manager: our frame shown", WS_OVERLAPPEDWINDOW, false, false},
      {"borderless popup: whole window shown", WS_POPUP | WS_BORDER, true, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    PretendWindowManager(c.windowManager);
    HWND h = CreateWindowExW(0, RecorderClass(), u"Picture", c.style, 100, 120, 300, 220, nullptr, nullptr,
                             nullptr, nullptr);
    ASSERT_NE(h, nullptr);
    SetPainter(h, &PaintPicture);
    ShowWindow(h, SW_SHOWNORMAL);
    UpdateWindow(h);
    Settle();
    const ::Window xw = XOf(h);
    ASSERT_NE(xw, 0u);

    RECT window;
    GetWindowRect(h, &window);
    const RECT expected = c.decorated ? ClientOnScreen(h) : window;
    EXPECT_EQ(XRect(xw), expected);
    const RECT view = backend_->ViewOf(h);
    EXPECT_EQ(view, (RECT{expected.Left - window.Left, expected.Top - window.Top,
                          expected.Right - window.Left, expected.Bottom - window.Top}));

    const os::WindowPixels px = os::ReadWindowPixels(h, true);
    const std::vector<uint32_t> shot = Screenshot(xw, view.Width(), view.Height());
    ASSERT_EQ(shot.size(), static_cast<size_t>(view.Width()) * view.Height());
    int mismatches = 0;
    for (int y = 0; y < view.Height(); ++y)
      for (int x = 0; x < view.Width(); ++x)
        if ((px.At(view.Left + x, view.Top + y) & 0xFFFFFF) !=
            shot[static_cast<size_t>(y) * view.Width() + x])
          ++mismatches;
    EXPECT_EQ(mismatches, 0);
    // Not two blank pictures: the blue box is there, at its client position.
    const RECT client = ClientOnScreen(h);
    const int cx = client.Left - window.Left - view.Left + 20, cy = client.Top - window.Top - view.Top + 20;
    EXPECT_EQ(shot[static_cast<size_t>(cy) * view.Width() + cx], 0x0000FFu);
    DestroyWindow(h);
    Settle();
    EXPECT_EQ(XOf(h), 0u);
  }
}

TEST_F(X11Test, ExposedAreasArePushedAgain) {
  HWND h = CreateWindowExW(0, RecorderClass(), u"Expose", WS_POPUP, 50, 50, 200, 150, nullptr, nullptr,
                           nullptr, nullptr);
  SetPainter(h, &PaintPicture);
  ShowWindow(h, SW_SHOWNORMAL);
  UpdateWindow(h);
  Settle();
  const ::Window xw = XOf(h);
  ASSERT_NE(xw, 0u);
  // Another client scribbles over the window, then the server asks for a redraw.
  GC gc = XCreateGC(dpy_, xw, 0, nullptr);
  XSetForeground(dpy_, gc, 0x00FF00);
  XFillRectangle(dpy_, xw, gc, 0, 0, 200, 150);
  XFreeGC(dpy_, gc);
  XSync(dpy_, False);
  ASSERT_EQ(Screenshot(xw, 1, 1)[0], 0x00FF00u);
  XClearArea(dpy_, xw, 0, 0, 0, 0, True);
  XSync(dpy_, False);
  const os::WindowPixels px = os::ReadWindowPixels(h, true);
  EXPECT_TRUE(PumpUntil([&] {
    backend_->Sync();
    std::vector<uint32_t> shot = Screenshot(xw, 200, 150);
    for (int i = 0; i < 200 * 150; ++i)
      if ((px.pixels[static_cast<size_t>(i)] & 0xFFFFFF) != shot[static_cast<size_t>(i)]) return false;
    return true;
  }));
}

// ---- What the X window manager is told -------------------------------------------------------------

TEST_F(X11Test, StylesBecomeWindowManagerHints) {
  PretendWindowManager(true);
  HWND main = CreateShown(WS_OVERLAPPEDWINDOW, 0, RECT{100, 100, 500, 400}, nullptr, u"Main");
  ASSERT_NE(main, nullptr);
  struct Case {
    const char* name;
    DWORD style;
    DWORD exStyle;
    bool owned;
    bool overrideRedirect;
    bool title;         // decorated with a title bar
    bool transientFor;  // WM_TRANSIENT_FOR the owner
    const char* type;   // _NET_WM_WINDOW_TYPE (managed windows)
    bool fixedSize;     // min size = max size
  };
  const Case cases[] = {
      {"main window", WS_OVERLAPPEDWINDOW, 0, false, false, true, false, "_NET_WM_WINDOW_TYPE_NORMAL", false},
      {"owned dialog", WS_POPUP | WS_CAPTION | WS_SYSMENU, WS_EX_DLGMODALFRAME, true, false, true, true,
       "_NET_WM_WINDOW_TYPE_DIALOG", true},
      {"borderless unowned form", WS_POPUP, 0, false, false, false, false, "_NET_WM_WINDOW_TYPE_NORMAL",
       true},
      {"drop-down", WS_POPUP | WS_BORDER, 0, true, true, false, false, nullptr, false},
      {"hint", WS_POPUP | WS_BORDER, WS_EX_TOOLWINDOW | WS_EX_TOPMOST, false, true, false, false, nullptr,
       false},
      {"tool window with caption", WS_CAPTION | WS_SYSMENU | WS_THICKFRAME, WS_EX_TOOLWINDOW, false, false,
       true, false, "_NET_WM_WINDOW_TYPE_UTILITY", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    HWND h = CreateShown(c.style, c.exStyle, RECT{200, 150, 420, 330}, c.owned ? main : nullptr, u"Kind");
    ASSERT_NE(h, nullptr);
    const ::Window xw = XOf(h);
    ASSERT_NE(xw, 0u);
    XWindowAttributes attrs;
    XGetWindowAttributes(dpy_, xw, &attrs);
    EXPECT_EQ(attrs.override_redirect != 0, c.overrideRedirect);
    EXPECT_EQ(attrs.map_state, IsViewable);
    if (!c.overrideRedirect) {
      const std::vector<long> motif = LongProperty(dpy_, xw, "_MOTIF_WM_HINTS");
      ASSERT_EQ(motif.size(), 5u);
      EXPECT_EQ((motif[2] & 8) != 0, c.title);  // MWM_DECOR_TITLE
      ::Window owner = 0;
      const bool transient = XGetTransientForHint(dpy_, xw, &owner) && owner == XOf(main);
      EXPECT_EQ(transient, c.transientFor);
      const std::vector<long> type = LongProperty(dpy_, xw, "_NET_WM_WINDOW_TYPE");
      ASSERT_EQ(type.size(), 1u);
      EXPECT_EQ(AtomName(dpy_, static_cast<Atom>(type[0])), c.type);
      XSizeHints* size = XAllocSizeHints();
      long supplied = 0;
      XGetWMNormalHints(dpy_, xw, size, &supplied);
      const bool fixed = (size->flags & PMinSize) && (size->flags & PMaxSize) &&
                         size->min_width == size->max_width && size->min_width == attrs.width &&
                         size->min_height == size->max_height;
      EXPECT_EQ(fixed, c.fixedSize);
      EXPECT_TRUE(size->flags & USPosition);
      XFree(size);
    }
    DestroyWindow(h);
  }
}

TEST_F(X11Test, TitleIsSetAsUtf8AndLatin1) {
  HWND h = CreateShown(WS_OVERLAPPEDWINDOW, 0, RECT{10, 10, 310, 210}, nullptr, u"Atualização");
  ASSERT_NE(h, nullptr);
  const ::Window xw = XOf(h);
  EXPECT_EQ(TextProperty(dpy_, xw, "_NET_WM_NAME"), "Atualização");
  EXPECT_EQ(TextProperty(dpy_, xw, "WM_NAME"), "Atualiza\xE7\xE3o");
  SetWindowTextW(h, u"Concluído ✓");
  Settle();
  EXPECT_EQ(TextProperty(dpy_, xw, "_NET_WM_NAME"), "Concluído ✓");
  EXPECT_EQ(TextProperty(dpy_, xw, "WM_NAME"),
            "Conclu\xED"
            "do ?");
}

TEST_F(X11Test, IconBecomesNetWmIcon) {
  HWND h = CreateShown(WS_OVERLAPPEDWINDOW, 0, RECT{10, 10, 310, 210});
  ASSERT_NE(h, nullptr);
  HICON icon = LoadIconW(nullptr, IDI_APPLICATION);
  ASSERT_NE(icon, nullptr);
  SendMessageW(h, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
  Settle();
  const std::vector<long> data = LongProperty(dpy_, XOf(h), "_NET_WM_ICON");
  ASSERT_GE(data.size(), 2u);
  os::WindowPixels image;
  POINT hot;
  ASSERT_TRUE(os::GetCursorImage(icon, image, hot));
  EXPECT_EQ(data[0], image.width);
  EXPECT_EQ(data[1], image.height);
  ASSERT_EQ(data.size(), 2u + static_cast<size_t>(image.width) * image.height);
  // Opaque pixels travel unchanged (ARGB, not premultiplied).
  int opaque = 0;
  for (size_t i = 0; i < image.pixels.size(); ++i)
    if ((image.pixels[i] >> 24) == 255) {
      ++opaque;
      EXPECT_EQ(static_cast<uint32_t>(data[2 + i]), image.pixels[i]);
    }
  EXPECT_GT(opaque, 0);
}

TEST_F(X11Test, RegionsAndColourKeysShapeTheXWindow) {
  struct Case {
    const char* name;
    bool region;  // else: layered with a colour key
    POINT inside, outside;
  };
  const Case cases[] = {
      {"window region (ellipse)", true, {100, 60}, {2, 2}},
      {"layered colour key (left half)", false, {150, 60}, {20, 60}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    HWND h = CreateWindowExW(c.region ? 0 : WS_EX_LAYERED, RecorderClass(), u"Shape", WS_POPUP, 300, 300, 200,
                             120, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(h, nullptr);
    if (c.region) {
      SetWindowRgn(h, CreateEllipticRgn(0, 0, 200, 120), TRUE);
      SetPainter(h, &PaintPicture);
    } else {
      SetPainter(h, [](HWND, HDC dc) {
        RECT left{0, 0, 100, 120}, right{100, 0, 200, 120};
        HBRUSH key = CreateSolidBrush(RGB(255, 0, 255));
        HBRUSH blue = CreateSolidBrush(kBlue);
        FillRect(dc, &left, key);
        FillRect(dc, &right, blue);
        DeleteObject(key);
        DeleteObject(blue);
      });
      SetLayeredWindowAttributes(h, RGB(255, 0, 255), 255, LWA_COLORKEY);
    }
    ShowWindow(h, SW_SHOWNORMAL);
    UpdateWindow(h);
    Settle();
    const ::Window xw = XOf(h);
    ASSERT_NE(xw, 0u);
    int count = 0, ordering = 0;
    XRectangle* rects = XShapeGetRectangles(dpy_, xw, ShapeBounding, &count, &ordering);
    auto contains = [&](POINT p) {
      for (int i = 0; i < count; ++i)
        if (p.X >= rects[i].x && p.X < rects[i].x + rects[i].width && p.Y >= rects[i].y &&
            p.Y < rects[i].y + rects[i].height)
          return true;
      return false;
    };
    EXPECT_TRUE(contains(c.inside));
    EXPECT_FALSE(contains(c.outside));
    if (rects) XFree(rects);
    // Where it shows, it shows our pixels.
    const os::WindowPixels px = os::ReadWindowPixels(h, true);
    XImage* image = XGetImage(dpy_, xw, c.inside.X, c.inside.Y, 1, 1, AllPlanes, ZPixmap);
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(XGetPixel(image, 0, 0) & 0xFFFFFF, px.At(c.inside.X, c.inside.Y) & 0xFFFFFF);
    XDestroyImage(image);
    DestroyWindow(h);
  }
}

TEST_F(X11Test, PerPixelAlphaGoesToACompositorThroughAnArgbWindow) {
  // A compositing manager owns the _NET_WM_CM_S0 selection.
  const ::Window owner = XCreateSimpleWindow(dpy_, DefaultRootWindow(dpy_), 0, 0, 1, 1, 0, 0, 0);
  XSetSelectionOwner(dpy_, XInternAtom(dpy_, "_NET_WM_CM_S0", False), owner, CurrentTime);
  XSync(dpy_, False);
  for (bool layeredFromTheStart : {true, false}) {
    SCOPED_TRACE(layeredFromTheStart ? "layered when created" : "made layered while shown");
    HWND h = CreateWindowExW(layeredFromTheStart ? WS_EX_LAYERED : 0, RecorderClass(), u"Fade", WS_POPUP, 200,
                             200, 200, 150, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(h, nullptr);
    SetPainter(h, &PaintPicture);
    if (layeredFromTheStart) SetLayeredWindowAttributes(h, 0, 128, LWA_ALPHA);
    ShowWindow(h, SW_SHOWNORMAL);
    UpdateWindow(h);
    Settle();
    if (!layeredFromTheStart) {
      SetWindowLongW(h, GWL_EXSTYLE, GetWindowLongW(h, GWL_EXSTYLE) | WS_EX_LAYERED);
      SetLayeredWindowAttributes(h, 0, 128, LWA_ALPHA);
      Settle();
    }
    const ::Window xw = XOf(h);
    ASSERT_NE(xw, 0u);
    XWindowAttributes attrs;
    XGetWindowAttributes(dpy_, xw, &attrs);
    EXPECT_EQ(attrs.depth, 32);
    EXPECT_EQ(attrs.map_state, IsViewable);
    // The compositor gets the premultiplied pixels with their alpha.
    const os::WindowPixels px = os::ReadWindowPixels(h, true);
    XImage* image = XGetImage(dpy_, xw, 0, 0, 200, 150, AllPlanes, ZPixmap);
    ASSERT_NE(image, nullptr);
    int mismatches = 0;
    for (int y = 0; y < 150; ++y)
      for (int x = 0; x < 200; ++x)
        if (static_cast<uint32_t>(XGetPixel(image, x, y)) != px.At(x, y)) ++mismatches;
    XDestroyImage(image);
    EXPECT_EQ(mismatches, 0);
    EXPECT_EQ(px.At(30, 30) >> 24, 128u);
    DestroyWindow(h);
  }
}

// ---- Input -------------------------------------------------------------------------------------------

TEST_F(X11Test, ClicksAndWheelFromTheXServerReachTheWindow) {
  HWND h = CreateShown(WS_OVERLAPPEDWINDOW, 0, RECT{100, 100, 500, 400});
  ASSERT_NE(h, nullptr);
  const RECT client = ClientOnScreen(h);
  struct Case {
    unsigned button;
    UINT down, up;  // up 0: a wheel notch (WM_MOUSEWHEEL with the delta)
    int delta;
  };
  const Case cases[] = {
      {Button1, WM_LBUTTONDOWN, WM_LBUTTONUP, 0}, {Button3, WM_RBUTTONDOWN, WM_RBUTTONUP, 0},
      {Button2, WM_MBUTTONDOWN, WM_MBUTTONUP, 0}, {Button4, WM_MOUSEWHEEL, 0, WHEEL_DELTA},
      {Button5, WM_MOUSEWHEEL, 0, -WHEEL_DELTA},
  };
  int n = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.button);
    ++n;
    const POINT at{client.Left + 30 + n, client.Top + 40 + n};
    Messages().clear();
    XTestFakeMotionEvent(dpy_, DefaultScreen(dpy_), at.X, at.Y, CurrentTime);
    XTestFakeButtonEvent(dpy_, c.button, True, CurrentTime);
    XTestFakeButtonEvent(dpy_, c.button, False, CurrentTime);
    XSync(dpy_, False);
    const UINT last = c.up ? c.up : c.down;
    ASSERT_TRUE(PumpUntil([&] { return HasMessage(h, last); }));
    for (const Received& r : Messages()) {
      if (r.hwnd != h) continue;
      if (r.msg == c.down && c.up) {
        EXPECT_EQ(static_cast<int16_t>(LOWORD(r.lParam)), 30 + n);
        EXPECT_EQ(static_cast<int16_t>(HIWORD(r.lParam)), 40 + n);
      }
      if (r.msg == WM_MOUSEWHEEL) {
        EXPECT_EQ(GET_WHEEL_DELTA_WPARAM(r.wParam), c.delta);
        EXPECT_EQ(static_cast<int16_t>(LOWORD(r.lParam)), at.X);  // screen coordinates
      }
    }
  }
}

struct KeyCase {
  const char* name;
  KeySym keysym;
  bool remap;       // put the symbol on a free key code first
  KeySym modifier;  // held during the key (0: none)
  int vk;           // WM_KEYDOWN's key
  Char ch;          // WM_CHAR (0: none)
  bool extended;
};

class X11KeyTest : public X11Test {
 protected:
  // A key code with no symbols, to give one.
  KeyCode FreeKeycode() {
    int min = 0, max = 0;
    XDisplayKeycodes(dpy_, &min, &max);
    int per = 0;
    KeySym* map = XGetKeyboardMapping(dpy_, static_cast<KeyCode>(min), max - min + 1, &per);
    KeyCode found = 0;
    for (int kc = max; kc >= min && !found; --kc) {
      bool empty = true;
      for (int i = 0; i < per; ++i)
        if (map[(kc - min) * per + i] != NoSymbol) empty = false;
      if (empty) found = static_cast<KeyCode>(kc);
    }
    XFree(map);
    return found;
  }
};

TEST_F(X11KeyTest, KeysFromTheXServerBecomeKeyAndCharMessages) {
  HWND h = CreateShown(WS_OVERLAPPEDWINDOW, 0, RECT{100, 100, 500, 400});
  ASSERT_NE(h, nullptr);
  ASSERT_EQ(GetFocus(), h);
  // The X window manager's part: the window gets the keyboard focus.
  XSetInputFocus(dpy_, XOf(h), RevertToParent, CurrentTime);
  XSync(dpy_, False);
  const KeyCase cases[] = {
      {"letter", XK_a, false, 0, 'A', u'a', false},
      {"shifted letter", XK_a, false, XK_Shift_L, 'A', u'A', false},
      {"shifted digit", XK_2, false, XK_Shift_L, '2', u'@', false},
      {"control letter", XK_c, false, XK_Control_L, 'C', 0x03, false},
      {"return", XK_Return, false, 0, VK_RETURN, u'\r', false},
      {"arrow (extended)", XK_Left, false, 0, VK_LEFT, 0, true},
      {"Latin-1 letter of another layout", XK_eacute, true, 0, VK_PACKET, u'é', false},
      {"Cyrillic letter", XK_Cyrillic_a, true, 0, VK_PACKET, u'а', false},
  };
  for (const KeyCase& c : cases) {
    SCOPED_TRACE(c.name);
    KeyCode code = XKeysymToKeycode(dpy_, c.keysym);
    if (c.remap) {
      code = FreeKeycode();
      ASSERT_NE(code, 0);
      KeySym sym = c.keysym;
      XChangeKeyboardMapping(dpy_, code, 1, &sym, 1);
      XSync(dpy_, False);
    }
    ASSERT_NE(code, 0);
    Messages().clear();
    const KeyCode mod = c.modifier ? XKeysymToKeycode(dpy_, c.modifier) : 0;
    if (mod) XTestFakeKeyEvent(dpy_, mod, True, CurrentTime);
    XTestFakeKeyEvent(dpy_, code, True, CurrentTime);
    XTestFakeKeyEvent(dpy_, code, False, CurrentTime);
    if (mod) XTestFakeKeyEvent(dpy_, mod, False, CurrentTime);
    XSync(dpy_, False);
    const int upVk = c.modifier == XK_Shift_L ? VK_SHIFT : c.modifier == XK_Control_L ? VK_CONTROL : c.vk;
    ASSERT_TRUE(PumpUntil([&] {
      for (const Received& r : Messages())
        if (r.hwnd == h && r.msg == WM_KEYUP && static_cast<int>(r.wParam) == upVk) return true;
      return false;
    }));
    bool down = false;
    std::u16string chars;
    for (const Received& r : Messages()) {
      if (r.hwnd != h) continue;
      if (r.msg == WM_KEYDOWN && static_cast<int>(r.wParam) == c.vk) {
        down = true;
        EXPECT_EQ((r.lParam >> 24) & 1, c.extended ? 1 : 0);
      }
      if (r.msg == WM_CHAR) chars += static_cast<Char>(r.wParam);
    }
    EXPECT_TRUE(down);
    EXPECT_EQ(chars, c.ch ? std::u16string(1, c.ch) : std::u16string());
    EXPECT_EQ(GetAsyncKeyState(VK_SHIFT) & 0x8000, 0);
  }
}

TEST_F(X11Test, XFocusActivatesAndDeactivatesOurWindows) {
  HWND a = CreateShown(WS_OVERLAPPEDWINDOW, 0, RECT{100, 100, 400, 300});
  HWND b = CreateShown(WS_OVERLAPPEDWINDOW, 0, RECT{450, 100, 750, 300});
  ASSERT_EQ(GetActiveWindow(), b);
  const ::Window other = XCreateSimpleWindow(dpy_, DefaultRootWindow(dpy_), 800, 600, 100, 100, 0, 0, 0);
  XMapWindow(dpy_, other);
  XSync(dpy_, False);
  struct Step {
    const char* name;
    ::Window focus;
    HWND active;
  };
  const Step steps[] = {{"X focus to a", XOf(a), a},
                        {"X focus to another program", other, nullptr},
                        {"X focus back to b", XOf(b), b}};
  for (const Step& s : steps) {
    SCOPED_TRACE(s.name);
    XSetInputFocus(dpy_, s.focus, RevertToParent, CurrentTime);
    XSync(dpy_, False);
    EXPECT_TRUE(PumpUntil([&] { return GetActiveWindow() == s.active; }));
  }
}

// ---- Closing and moving by the X window manager ----------------------------------------------------

TEST_F(X11Test, DeleteWindowProtocolClosesLikeTheCloseButton) {
  struct Case {
    const char* name;
    bool enabled;
  };
  for (const Case& c :
       {Case{"enabled window closes", true}, Case{"disabled window (modal elsewhere) stays", false}}) {
    SCOPED_TRACE(c.name);
    HWND h = CreateShown(WS_OVERLAPPEDWINDOW, 0, RECT{100, 100, 500, 400});
    ASSERT_NE(h, nullptr);
    const ::Window xw = XOf(h);
    const std::vector<long> protocols = LongProperty(dpy_, xw, "WM_PROTOCOLS");
    ASSERT_EQ(protocols.size(), 1u);
    EXPECT_EQ(AtomName(dpy_, static_cast<Atom>(protocols[0])), "WM_DELETE_WINDOW");
    if (!c.enabled) EnableWindow(h, FALSE);
    Messages().clear();
    SendDelete(dpy_, xw);
    if (c.enabled) {
      ASSERT_TRUE(PumpUntil([&] { return !IsWindow(h); }));
      bool sysClose = false, close = false;
      for (const Received& r : Messages()) {
        if (r.hwnd != h) continue;
        if (r.msg == WM_SYSCOMMAND && (r.wParam & 0xFFF0) == SC_CLOSE) sysClose = true;
        if (r.msg == WM_CLOSE) close = sysClose;  // after SC_CLOSE
      }
      EXPECT_TRUE(sysClose);
      EXPECT_TRUE(close);
    } else {
      // A pointer move sent after the message shows that the message was taken in.
      const RECT client = ClientOnScreen(h);
      const POINT marker{client.Left + 5, client.Top + 5};
      XTestFakeMotionEvent(dpy_, DefaultScreen(dpy_), marker.X, marker.Y, CurrentTime);
      XSync(dpy_, False);
      ASSERT_TRUE(PumpUntil([&] {
        POINT pt;
        GetCursorPos(&pt);
        return pt == marker;
      }));
      EXPECT_FALSE(HasMessage(h, WM_CLOSE));
      EXPECT_TRUE(IsWindow(h));
      DestroyWindow(h);
    }
  }
}

TEST_F(X11Test, MovesAndResizesOnTheXSideMoveOurWindow) {
  for (bool windowManager : {true, false}) {
    SCOPED_TRACE(windowManager ? "client area shown (X frame)" : "whole window shown (our frame)");
    PretendWindowManager(windowManager);
    HWND h = CreateShown(WS_OVERLAPPEDWINDOW, 0, RECT{100, 100, 500, 400});
    ASSERT_NE(h, nullptr);
    RECT before;
    GetWindowRect(h, &before);
    const RECT view = backend_->ViewOf(h);
    const ::Window xw = XOf(h);
    // What a window manager does when the user drags or resizes the frame.
    XMoveResizeWindow(dpy_, xw, 300, 250, 420, 330);
    XSync(dpy_, False);
    ASSERT_TRUE(PumpUntil([&] {
      RECT r;
      GetWindowRect(h, &r);
      return r.Left != before.Left;
    }));
    RECT window, client;
    GetWindowRect(h, &window);
    GetClientRect(h, &client);
    EXPECT_EQ(window.Left, 300 - view.Left);
    EXPECT_EQ(window.Top, 250 - view.Top);
    const RECT shown = windowManager ? RECT{0, 0, client.Width(), client.Height()}
                                     : RECT{0, 0, window.Width(), window.Height()};
    EXPECT_EQ(shown.Width(), 420);
    EXPECT_EQ(shown.Height(), 330);
    EXPECT_TRUE(HasMessage(h, WM_SIZE));
    Settle();
    EXPECT_EQ(XRect(xw), (RECT{300, 250, 720, 580}));
    DestroyWindow(h);
  }
}

TEST_F(X11Test, APlacementByTheXWindowManagerIsUndone) {
  // This test's connection acts as the X window manager: it maps new windows at (0, 0).
  PretendWindowManager(true);
  XSelectInput(dpy_, DefaultRootWindow(dpy_), SubstructureRedirectMask | SubstructureNotifyMask);
  XSync(dpy_, False);
  HWND h = CreateWindowExW(0, RecorderClass(), u"Placed", WS_OVERLAPPEDWINDOW, 333, 222, 300, 200, nullptr,
                           nullptr, nullptr, nullptr);
  ASSERT_NE(h, nullptr);
  ShowWindow(h, SW_SHOWNORMAL);
  const RECT wanted = ClientOnScreen(h);
  bool mapped = false;
  ASSERT_TRUE(PumpUntil(
      [&] {
        while (XPending(dpy_)) {
          XEvent ev;
          XNextEvent(dpy_, &ev);
          if (ev.type == MapRequest) {
            XMoveWindow(dpy_, ev.xmaprequest.window, 0, 0);
            XMapWindow(dpy_, ev.xmaprequest.window);
            mapped = true;
          } else if (ev.type == ConfigureRequest) {
            XWindowChanges ch{};
            ch.x = ev.xconfigurerequest.x;
            ch.y = ev.xconfigurerequest.y;
            ch.width = ev.xconfigurerequest.width;
            ch.height = ev.xconfigurerequest.height;
            XConfigureWindow(
                dpy_, ev.xconfigurerequest.window,
                static_cast<unsigned>(ev.xconfigurerequest.value_mask) & (CWX | CWY | CWWidth | CWHeight),
                &ch);
          }
        }
        XSync(dpy_, False);
        return mapped && XOf(h) && XRect(XOf(h)) == wanted;
      },
      5000));
  RECT window;
  GetWindowRect(h, &window);
  EXPECT_EQ(window.Left, 333);
  EXPECT_EQ(window.Top, 222);
}

// ---- Waiting -----------------------------------------------------------------------------------------

// CPU time a thread has used, in microseconds.
int64_t ThreadCpuMicros(pthread_t thread) {
  clockid_t clock;
  if (pthread_getcpuclockid(thread, &clock) != 0) return -1;
  timespec ts{};
  clock_gettime(clock, &ts);
  return static_cast<int64_t>(ts.tv_sec) * 1000000 + ts.tv_nsec / 1000;
}

char ThreadState(pid_t tid) {
  std::ifstream stat("/proc/self/task/" + std::to_string(tid) + "/stat");
  std::string line;
  std::getline(stat, line);
  const size_t paren = line.rfind(')');
  return paren != std::string::npos && paren + 2 < line.size() ? line[paren + 2] : '?';
}

TEST_F(X11Test, GetMessageSleepsOnTheXConnectionAndWakesForAnXEvent) {
  HWND h = CreateShown(WS_OVERLAPPEDWINDOW, 0, RECT{100, 100, 500, 400});
  ASSERT_NE(h, nullptr);
  const ::Window xw = XOf(h);
  Settle();
  Messages().clear();

  const pthread_t me = pthread_self();
  const pid_t tid = gettid();
  std::atomic<int64_t> cpuWhileBlocked{-1};
  std::atomic<bool> sawSleeping{false};
  std::thread outside([&] {
    ::Display* other = XOpenDisplay(server_.Display().c_str());
    // Wait (bounded) until the UI thread sleeps in GetMessage, then watch it for a while.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (std::chrono::steady_clock::now() < deadline && ThreadState(tid) != 'S') std::this_thread::yield();
    sawSleeping = ThreadState(tid) == 'S';
    const int64_t start = ThreadCpuMicros(me);
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    cpuWhileBlocked = ThreadCpuMicros(me) - start;
    if (other) {
      SendDelete(other, xw);
      XCloseDisplay(other);
    }
  });
  MSG m{};
  const BOOL got = GetMessageW(&m, nullptr, 0, 0);
  outside.join();
  EXPECT_TRUE(got);
  EXPECT_EQ(m.hwnd, h);
  EXPECT_EQ(m.message, static_cast<UINT>(WM_SYSCOMMAND));
  EXPECT_EQ(m.wParam & 0xFFF0, SC_CLOSE);
  EXPECT_TRUE(sawSleeping);
  // A busy loop would have used the whole 200 ms.
  EXPECT_GE(cpuWhileBlocked.load(), 0);
  EXPECT_LT(cpuWhileBlocked.load(), 50000);
}

TEST_F(X11Test, APeekOnlyLoopReadsXInput) {
  // The network layer's anti-freeze pump only ever peeks; X input must still arrive.
  HWND h = CreateShown(WS_OVERLAPPEDWINDOW, 0, RECT{100, 100, 500, 400});
  ASSERT_NE(h, nullptr);
  const RECT client = ClientOnScreen(h);
  Settle();
  Messages().clear();
  XTestFakeMotionEvent(dpy_, DefaultScreen(dpy_), client.Left + 20, client.Top + 20, CurrentTime);
  XTestFakeButtonEvent(dpy_, Button1, True, CurrentTime);
  XTestFakeButtonEvent(dpy_, Button1, False, CurrentTime);
  XSync(dpy_, False);
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  while (!HasMessage(h, WM_LBUTTONUP) && std::chrono::steady_clock::now() < deadline) {
    MSG m;
    while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&m);
    std::this_thread::yield();
  }
  EXPECT_TRUE(HasMessage(h, WM_LBUTTONDOWN));
  EXPECT_TRUE(HasMessage(h, WM_LBUTTONUP));
}

// ---- The screen ----------------------------------------------------------------------------------------

TEST_F(X11Test, TheXScreenIsTheMonitorWithXftDpi) {
  struct Case {
    const char* resources;  // nullptr: none
    UINT dpi;
  };
  const Case cases[] = {
      {nullptr, 96}, {"Xft.antialias:\t1\nXft.dpi:\t144\n", 144}, {"Xft.dpi: 120.2\n", 120}};
  const Atom resourceManager = XInternAtom(dpy_, "RESOURCE_MANAGER", False);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.dpi);
    if (c.resources)
      XChangeProperty(dpy_, DefaultRootWindow(dpy_), resourceManager, XA_STRING, 8, PropModeReplace,
                      reinterpret_cast<const unsigned char*>(c.resources),
                      static_cast<int>(strlen(c.resources)));
    else
      XDeleteProperty(dpy_, DefaultRootWindow(dpy_), resourceManager);
    XSync(dpy_, False);
    // The running backend follows the change...
    ASSERT_TRUE(PumpUntil([&] { return backend_->Dpi() == c.dpi; }));
    // ...and a new one starts with it.
    os::ResetMonitors();
    auto fresh = display::CreateX11Backend(server_.Display().c_str());
    ASSERT_NE(fresh, nullptr);
    const std::vector<os::MonitorDesc> monitors = os::GetMonitors();
    ASSERT_EQ(monitors.size(), 1u);
    EXPECT_EQ(monitors[0].rect, (RECT{0, 0, 1280, 1024}));
    EXPECT_EQ(monitors[0].dpi, c.dpi);
    EXPECT_EQ(GetDpiForSystem(), c.dpi);
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 1280);
  }
}

}  // namespace
}  // namespace qd::testing::x11
