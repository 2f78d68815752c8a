// The file dialog on a real X server: it comes up as an X window showing its list, and a
// click and the Enter key from the X server choose a file.
#include "x11_test_util.h"  // first: gtest before the X headers' macros

#include <filesystem>
#include <fstream>

#include "platform/base/strings.h"
#include "platform/os/comdlg.h"
#include "platform/os/user_listbox.h"

#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

namespace qd::testing::x11 {
namespace {

namespace fs = std::filesystem;

class X11FileDialog : public X11Test {
 public:
  static X11FileDialog* self;
  ::Display* Dpy() const { return dpy_; }
  ::Window X(HWND h) const { return XOf(h); }
  std::vector<uint32_t> Shot(::Window w, int width, int height) { return Screenshot(w, width, height); }
  RECT View(HWND h) const { return backend_->ViewOf(h); }

  ::Window dialogX = 0;
  int whiteInList = 0;
};
X11FileDialog* X11FileDialog::self = nullptr;

TEST_F(X11FileDialog, ComesUpAsAnXWindowAndTakesAClickAndEnter) {
  const fs::path dir = fs::temp_directory_path() / "qd_x11_filedlg";
  fs::remove_all(dir);
  fs::create_directories(dir);
  std::ofstream(dir / "a.txt") << "x";
  std::ofstream(dir / "b.txt") << "x";
  self = this;
  // Once the dialog waits for input: look at it on the X side, then click "b.txt" and press
  // Enter through XTest. A late timer closes a dialog that did not react.
  SetTimer(nullptr, 0, 300, [](HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    HWND dlg = FindWindowW(u"QdFileDialog", nullptr);
    if (!dlg) return;
    ::Display* d = self->Dpy();
    self->dialogX = self->X(dlg);
    HWND list = GetDlgItem(dlg, 101);
    RECT wr;
    GetWindowRect(dlg, &wr);
    if (self->dialogX) {
      XWindowAttributes at;
      XGetWindowAttributes(d, self->dialogX, &at);
      const std::vector<uint32_t> shot = self->Shot(self->dialogX, at.width, at.height);
      // The list's white background, seen from the X server (the X window may show the
      // client area only: count anywhere).
      for (uint32_t p : shot)
        if (p == 0xFFFFFFu) ++self->whiteInList;
    }
    RECT item;
    SendMessageW(list, LB_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&item));  // "[..]", "a.txt", "b.txt"
    POINT p{(item.Left + item.Right) / 2, (item.Top + item.Bottom) / 2};
    ClientToScreen(list, &p);
    int rx = 0, ry = 0;
    ::Window child;
    // Our screen coordinates are the X root's, up to where the X window really is.
    XTranslateCoordinates(d, self->dialogX, DefaultRootWindow(d), 0, 0, &rx, &ry, &child);
    const RECT view = self->View(dlg);
    const int dx = rx - (wr.Left + view.Left), dy = ry - (wr.Top + view.Top);
    XSetInputFocus(d, self->dialogX, RevertToParent, CurrentTime);
    XTestFakeMotionEvent(d, -1, p.X + dx, p.Y + dy, 0);
    XTestFakeButtonEvent(d, 1, True, 0);
    XTestFakeButtonEvent(d, 1, False, 0);
    const KeyCode enter = XKeysymToKeycode(d, XK_Return);
    XTestFakeKeyEvent(d, enter, True, 0);
    XTestFakeKeyEvent(d, enter, False, 0);
    XSync(d, False);
    SetTimer(nullptr, 0, 5000, [](HWND, UINT, UINT_PTR id2, DWORD) {
      KillTimer(nullptr, id2);
      if (HWND late = FindWindowW(u"QdFileDialog", nullptr)) PostMessageW(late, WM_CLOSE, 0, 0);
    });
  });
  Char file[260] = {};
  const String folder = Utf8ToString(dir.string());
  OPENFILENAMEW ofn;
  ofn.lpstrFile = file;
  ofn.nMaxFile = 260;
  ofn.lpstrInitialDir = folder.c_str();
  ofn.lpstrFilter = u"Text\0*.txt\0";
  ofn.Flags = OFN_FILEMUSTEXIST;
  const BOOL ok = GetOpenFileNameW(&ofn);
  EXPECT_NE(dialogX, 0u);
  EXPECT_GT(whiteInList, 1000);
  EXPECT_TRUE(ok);
  EXPECT_EQ(String(file), folder + u"/b.txt");
  fs::remove_all(dir);
  self = nullptr;
}

}  // namespace
}  // namespace qd::testing::x11
