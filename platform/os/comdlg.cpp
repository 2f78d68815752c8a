// The common file dialogs: checking an answer, the hook, and the modal dialog window.
#include "platform/os/comdlg.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <cwctype>
#include <filesystem>
#include <mutex>
#include <system_error>

#include "platform/base/strings.h"
#include "platform/os/user_display.h"
#include "platform/os/user_listbox.h"

namespace qd {
namespace {

namespace fs = std::filesystem;

thread_local DWORD gLastError = 0;

std::mutex& Lock() {
  static std::mutex m;
  return m;
}
os::FileDialogHook& CurrentFileDialogHook() {
  static os::FileDialogHook h;
  return h;
}
os::FileDialogPrompt& Prompt() {
  static os::FileDialogPrompt p;
  return p;
}
bool gWindowForTesting = false;

Char Lower(Char c) {
  return static_cast<Char>(std::towlower(static_cast<wint_t>(c)));
}

bool SameTextNoCase(const String& a, const String& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (Lower(a[i]) != Lower(b[i])) return false;
  return true;
}

bool Wildcard(const Char* p, const Char* pe, const Char* s, const Char* se) {
  // Iterative '*' matching with one backtrack point.
  const Char* star = nullptr;
  const Char* mark = nullptr;
  while (s < se) {
    if (p < pe && (*p == u'?' || Lower(*p) == Lower(*s))) {
      ++p;
      ++s;
    } else if (p < pe && *p == u'*') {
      star = p++;
      mark = s;
    } else if (star) {
      p = star + 1;
      s = ++mark;
    } else {
      return false;
    }
  }
  while (p < pe && *p == u'*') ++p;
  return p == pe;
}

fs::path ToPath(const String& s) {
  return fs::path(StringToUtf8(s));
}
String FromPath(const fs::path& p) {
  return Utf8ToString(p.string());
}

bool IsDir(const String& s) {
  std::error_code ec;
  return !s.empty() && fs::is_directory(ToPath(s), ec);
}
bool Exists(const String& s) {
  std::error_code ec;
  return !s.empty() && fs::exists(ToPath(s), ec);
}

// The name part (after the last '/').
String NamePart(const String& path) {
  const size_t slash = path.find_last_of(u'/');
  return slash == String::npos ? path : path.substr(slash + 1);
}
String FolderPart(const String& path) {
  const size_t slash = path.find_last_of(u'/');
  if (slash == String::npos) return String();
  return slash == 0 ? String(u"/") : path.substr(0, slash);
}
// The extension without its dot ("" when there is none; a leading dot is not one).
String ExtensionOf(const String& name) {
  const size_t dot = name.find_last_of(u'.');
  if (dot == String::npos || dot == 0) return String();
  return name.substr(dot + 1);
}

int Ask(HWND owner, const String& text, const String& caption, UINT type) {
  os::FileDialogPrompt prompt;
  {
    std::lock_guard g(Lock());
    prompt = Prompt();
  }
  if (prompt) return prompt(owner, text, caption, type);
  std::fprintf(stderr, "%s: %s\n", StringToUtf8(caption).c_str(), StringToUtf8(text).c_str());
  std::fflush(stderr);
  return (type & 0xF) == MB_YESNO || (type & 0xF) == MB_YESNOCANCEL ? IDYES : IDOK;
}

// The state of one GetOpenFileNameW / GetSaveFileNameW call.
struct Session {
  OPENFILENAMEW* ofn = nullptr;
  bool save = false;
  String title;
  std::vector<std::pair<String, String>> filters;
  int filterIndex = 1;
  String folder;
  String name;  // what the file-name box shows
  String defExt;
};

enum class Outcome { Accepted, Refused, Navigated, Failed };

// The extension a name without one gets: the chosen filter's own extension when it names
// exactly one, else the default extension. Only when there is a default extension at all.
String ExtensionToAdd(const Session& s) {
  if (!s.ofn->lpstrDefExt) return String();
  if (s.filterIndex >= 1 && s.filterIndex <= static_cast<int>(s.filters.size())) {
    String first = s.filters[static_cast<size_t>(s.filterIndex - 1)].second;
    first = first.substr(0, first.find(u';'));
    if (first.size() > 2 && first[0] == u'*' && first[1] == u'.' &&
        first.find_first_of(u"*?", 2) == String::npos)
      return first.substr(2);
  }
  return s.defExt;
}

Outcome Finish(Session& s, const String& path) {
  OPENFILENAMEW* o = s.ofn;
  if (!o->lpstrFile || path.size() + 1 > o->nMaxFile || path.size() > 0xFFFF) {
    if (o->lpstrFile && o->nMaxFile >= 1)
      o->lpstrFile[0] = static_cast<Char>(std::min<size_t>(path.size() + 1, 0xFFFF));
    gLastError = FNERR_BUFFERTOOSMALL;
    return Outcome::Failed;
  }
  std::copy(path.begin(), path.end(), o->lpstrFile);
  o->lpstrFile[path.size()] = 0;
  const size_t slash = path.find_last_of(u'/');
  const size_t nameAt = slash == String::npos ? 0 : slash + 1;
  const String name = path.substr(nameAt);
  const String ext = ExtensionOf(name);
  o->nFileOffset = static_cast<WORD>(nameAt);
  o->nFileExtension = static_cast<WORD>(ext.empty() ? path.size() : path.size() - ext.size());
  if (o->lpstrFileTitle && o->nMaxFileTitle > 0) {
    const size_t n = std::min<size_t>(name.size(), o->nMaxFileTitle - 1);
    std::copy_n(name.begin(), n, o->lpstrFileTitle);
    o->lpstrFileTitle[n] = 0;
  }
  o->nFilterIndex = static_cast<DWORD>(s.filterIndex);
  if (o->lpstrDefExt && !SameTextNoCase(ext, s.defExt))
    o->Flags |= OFN_EXTENSIONDIFFERENT;
  else
    o->Flags &= ~OFN_EXTENSIONDIFFERENT;
  gLastError = 0;
  return Outcome::Accepted;
}

// Checks a typed name as the dialog does when OK is pressed. `refusal` gets the message that
// was shown for a refused name.
Outcome Consider(Session& s, HWND owner, const String& typed, String& refusal) {
  refusal.clear();
  String t = Trim(typed);
  if (t.size() >= 2 && t.front() == u'"' && t.back() == u'"') t = t.substr(1, t.size() - 2);
  if (t.empty()) return Outcome::Refused;
  String path =
      t.front() == u'/' ? t : (s.folder.empty() || s.folder.back() == u'/' ? s.folder : s.folder + u"/") + t;
  path = FromPath(ToPath(path).lexically_normal());
  if (path.size() > 1 && path.back() == u'/') path.pop_back();
  if (IsDir(path)) {
    s.folder = path;
    s.name.clear();
    return Outcome::Navigated;
  }
  if (ExtensionOf(NamePart(path)).empty() && !(s.save == false && Exists(path))) {
    const String add = ExtensionToAdd(s);
    if (!add.empty()) path += u"." + add;
  }
  const bool validate = !(s.ofn->Flags & OFN_NOVALIDATE);
  const String folder = FolderPart(path);
  if (validate && (s.ofn->Flags & (OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST)) && !IsDir(folder)) {
    refusal = folder + u"\r\nPath does not exist.\r\nCheck the path and try again.";
    Ask(owner, refusal, s.title, MB_OK | MB_ICONWARNING);
    return Outcome::Refused;
  }
  if (validate && !s.save && (s.ofn->Flags & OFN_FILEMUSTEXIST) && !Exists(path)) {
    refusal = NamePart(path) + u"\r\nFile not found.\r\nCheck the file name and try again.";
    Ask(owner, refusal, s.title, MB_OK | MB_ICONWARNING);
    return Outcome::Refused;
  }
  if (s.save && (s.ofn->Flags & OFN_OVERWRITEPROMPT) && Exists(path)) {
    const String question = NamePart(path) + u" already exists.\r\nDo you want to replace it?";
    if (Ask(owner, question, u"Confirm Save As", MB_YESNO | MB_ICONWARNING) != IDYES) {
      refusal = question;
      return Outcome::Refused;
    }
  }
  return Finish(s, path);
}

// ---- The hook -----------------------------------------------------------------------------------

BOOL RunHook(Session& s, const os::FileDialogHook& hook) {
  String refusal;
  for (int round = 0; round < 100; ++round) {
    os::FileDialogRequest r;
    r.Save = s.save;
    r.Owner = s.ofn->hwndOwner;
    r.Title = s.title;
    r.Folder = s.folder;
    r.Filters = s.filters;
    r.FilterIndex = s.filterIndex;
    r.FileName = s.name;
    r.DefaultExt = s.defExt;
    r.Flags = s.ofn->Flags;
    r.Round = round;
    r.Refusal = refusal;
    const os::FileDialogAnswer a = hook(r);
    if (!a.Ok) return FALSE;
    if (a.FilterIndex >= 1 && a.FilterIndex <= static_cast<int>(s.filters.size()))
      s.filterIndex = a.FilterIndex;
    s.name = a.FileName;
    switch (Consider(s, s.ofn->hwndOwner, a.FileName, refusal)) {
      case Outcome::Accepted:
        return TRUE;
      case Outcome::Failed:
        return FALSE;
      default:
        break;
    }
  }
  return FALSE;  // a hook that never gives an acceptable answer cancels
}

// ---- The dialog window --------------------------------------------------------------------------

constexpr int kList = 101, kName = 102, kTypes = 103, kOk = IDOK, kCancel = IDCANCEL;
constexpr Char kDialogClass[] = u"QdFileDialog";
constexpr Char kButtonClass[] = u"QdFileDialogButton";

LRESULT ButtonProc(HWND h, UINT m, WPARAM wp, LPARAM lp) {
  // GWLP_USERDATA: 1 while pressed.
  switch (m) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(h, &ps);
      RECT r;
      GetClientRect(h, &r);
      DrawFrameControl(dc, &r, DFC_BUTTON,
                       DFCS_BUTTONPUSH | (GetWindowLongPtrW(h, GWLP_USERDATA) ? DFCS_PUSHED : 0));
      Char text[64] = {};
      const int n = GetWindowTextW(h, text, 64);
      SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
      SetBkMode(dc, TRANSPARENT);
      SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
      DrawTextW(dc, text, n, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
      if (GetFocus() == h) {
        RECT f{r.Left + 3, r.Top + 3, r.Right - 3, r.Bottom - 3};
        DrawFocusRect(dc, &f);
      }
      EndPaint(h, &ps);
      return 0;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      SetFocus(h);
      SetCapture(h);
      SetWindowLongPtrW(h, GWLP_USERDATA, 1);
      InvalidateRect(h, nullptr, FALSE);
      return 0;
    case WM_LBUTTONUP: {
      const bool pressed = GetWindowLongPtrW(h, GWLP_USERDATA) != 0;
      SetWindowLongPtrW(h, GWLP_USERDATA, 0);
      if (GetCapture() == h) ReleaseCapture();
      InvalidateRect(h, nullptr, FALSE);
      RECT r;
      GetClientRect(h, &r);
      const POINT p{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
      if (pressed && p.X >= 0 && p.Y >= 0 && p.X < r.Right && p.Y < r.Bottom)
        SendMessageW(GetParent(h), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(h), 0), reinterpret_cast<LPARAM>(h));
      return 0;
    }
    case WM_KEYUP:
      if (wp == static_cast<WPARAM>(VK_SPACE))
        SendMessageW(GetParent(h), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(h), 0), reinterpret_cast<LPARAM>(h));
      return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      InvalidateRect(h, nullptr, FALSE);
      return 0;
    case WM_GETDLGCODE:
      return DLGC_BUTTON;
    default:
      return DefWindowProcW(h, m, wp, lp);
  }
}

class DialogWindow {
 public:
  explicit DialogWindow(Session& s) : s_(s) {}

  BOOL Run() {
    Register();
    HWND owner = s_.ofn->hwndOwner ? GetAncestor(s_.ofn->hwndOwner, GA_ROOT) : nullptr;
    RECT area{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    if (owner) GetWindowRect(owner, &area);
    RECT frame{0, 0, kWidth, kHeight};
    const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
    AdjustWindowRectEx(&frame, style, FALSE, WS_EX_DLGMODALFRAME);
    const int w = frame.Width(), h = frame.Height();
    const int x = area.Left + (area.Width() - w) / 2,
              y = std::max<int>(0, area.Top + (area.Height() - h) / 2);
    wnd_ = CreateWindowExW(WS_EX_DLGMODALFRAME, kDialogClass, s_.title.c_str(), style, x, y, w, h, owner,
                           nullptr, nullptr, this);
    if (!wnd_) {
      gLastError = CDERR_INITIALIZATION;
      return FALSE;
    }
    const bool ownerWasEnabled = owner && IsWindowEnabled(owner);
    if (ownerWasEnabled) EnableWindow(owner, FALSE);
    ShowWindow(wnd_, SW_SHOW);
    SetFocus(edit_ ? edit_ : list_);
    MSG m;
    while (!done_) {
      const BOOL got = GetMessageW(&m, nullptr, 0, 0);
      if (got == 0) {
        PostQuitMessage(static_cast<int>(m.wParam));
        break;
      }
      if (got < 0 || !IsWindow(wnd_)) break;
      if (m.message == WM_KEYDOWN && (m.hwnd == wnd_ || IsChild(wnd_, m.hwnd)) && Key(m)) continue;
      TranslateMessage(&m);
      DispatchMessageW(&m);
    }
    if (ownerWasEnabled) EnableWindow(owner, TRUE);
    if (IsWindow(wnd_)) {
      SetWindowLongPtrW(wnd_, GWLP_USERDATA, 0);
      DestroyWindow(wnd_);
    }
    if (owner && IsWindow(owner)) SetActiveWindow(owner);
    return result_;
  }

 private:
  static constexpr int kWidth = 420, kHeight = 304;

  static void Register() {
    WNDCLASSW wc{};
    if (!GetClassInfoW(nullptr, kDialogClass, &wc)) {
      wc = {};
      wc.lpfnWndProc = &DialogProc;
      wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
      wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<intptr_t>(COLOR_BTNFACE + 1));
      wc.lpszClassName = kDialogClass;
      RegisterClassW(&wc);
    }
    if (!GetClassInfoW(nullptr, kButtonClass, &wc)) {
      wc = {};
      wc.style = CS_DBLCLKS;
      wc.lpfnWndProc = &ButtonProc;
      wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
      wc.lpszClassName = kButtonClass;
      RegisterClassW(&wc);
    }
  }

  HWND Child(LPCWSTR cls, LPCWSTR text, DWORD style, int x, int y, int w, int h, int id, DWORD ex = 0) {
    HWND c = CreateWindowExW(ex, cls, text, WS_CHILD | WS_VISIBLE | WS_TABSTOP | style, x, y, w, h, wnd_,
                             reinterpret_cast<HMENU>(static_cast<intptr_t>(id)), nullptr, nullptr);
    if (c) SendMessageW(c, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), 0);
    return c;
  }

  void Create() {
    list_ = Child(u"LISTBOX", u"", WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT, 8, 30, 404, 170, kList,
                  WS_EX_CLIENTEDGE);
    edit_ =
        Child(u"EDIT", s_.name.c_str(), 0x0080 /*ES_AUTOHSCROLL*/, 96, 210, 316, 22, kName, WS_EX_CLIENTEDGE);
    types_ = Child(u"LISTBOX", u"", WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT, 96, 238, 316, 32, kTypes,
                   WS_EX_CLIENTEDGE);
    Child(kButtonClass, s_.save ? u"Save" : u"Open", 0, 256, 276, 76, 24, kOk);
    Child(kButtonClass, u"Cancel", 0, 336, 276, 76, 24, kCancel);
    for (const auto& f : s_.filters) {
      const String line = f.first;
      SendMessageW(types_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
    }
    if (!s_.filters.empty()) SendMessageW(types_, LB_SETCURSEL, static_cast<WPARAM>(s_.filterIndex - 1), 0);
    Fill();
  }

  // The sub-folders ("[name]", with "[..]" first) and then the files that match the filter.
  void Fill() {
    entries_.clear();
    SendMessageW(list_, LB_RESETCONTENT, 0, 0);
    if (s_.folder != u"/") entries_.push_back({u"..", true});
    std::vector<Entry> dirs, files;
    const String patterns = s_.filters.empty() || s_.filterIndex < 1
                                ? String(u"*")
                                : s_.filters[static_cast<size_t>(s_.filterIndex - 1)].second;
    std::error_code ec;
    for (fs::directory_iterator it(ToPath(s_.folder), fs::directory_options::skip_permission_denied, ec), end;
         !ec && it != end; it.increment(ec)) {
      const String name = Utf8ToString(it->path().filename().string());
      if (name.empty() || name[0] == u'.') continue;
      std::error_code e2;
      if (it->is_directory(e2))
        dirs.push_back({name, true});
      else if (os::MatchesFilePattern(name, patterns))
        files.push_back({name, false});
    }
    auto byName = [](const Entry& a, const Entry& b) { return CompareText(a.name, b.name) < 0; };
    std::sort(dirs.begin(), dirs.end(), byName);
    std::sort(files.begin(), files.end(), byName);
    entries_.insert(entries_.end(), dirs.begin(), dirs.end());
    entries_.insert(entries_.end(), files.begin(), files.end());
    for (const auto& e : entries_) {
      const String shown = e.dir ? u"[" + e.name + u"]" : e.name;
      SendMessageW(list_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(shown.c_str()));
    }
    InvalidateRect(wnd_, nullptr, TRUE);
  }

  String Typed() {
    if (!edit_) return s_.name;
    Char buffer[1024] = {};
    GetWindowTextW(edit_, buffer, 1024);
    return buffer;
  }
  void SetTyped(const String& t) {
    s_.name = t;
    if (edit_) SetWindowTextW(edit_, t.c_str());
  }

  void Ok() {
    String typed = Typed();
    const int sel = static_cast<int>(SendMessageW(list_, LB_GETCURSEL, 0, 0));
    if (Trim(typed).empty() && sel >= 0 && sel < static_cast<int>(entries_.size()))
      typed = entries_[static_cast<size_t>(sel)].name;
    String refusal;
    switch (Consider(s_, wnd_, typed, refusal)) {
      case Outcome::Accepted:
        result_ = TRUE;
        done_ = true;
        break;
      case Outcome::Failed:
        done_ = true;
        break;
      case Outcome::Navigated:
        SetTyped(String());
        Fill();
        break;
      case Outcome::Refused:
        break;
    }
  }

  bool Key(const MSG& m) {
    switch (static_cast<int>(m.wParam)) {
      case VK_RETURN:
        if (GetDlgCtrlID(m.hwnd) == kCancel) {
          done_ = true;
        } else {
          Ok();
        }
        return true;
      case VK_ESCAPE:
        done_ = true;
        return true;
      case VK_TAB: {
        HWND order[] = {list_, edit_, types_, GetDlgItem(wnd_, kOk), GetDlgItem(wnd_, kCancel)};
        std::vector<HWND> v;
        for (HWND h : order)
          if (h) v.push_back(h);
        auto it = std::find(v.begin(), v.end(), GetFocus());
        const int at = it == v.end() ? 0 : static_cast<int>(it - v.begin());
        const int n = static_cast<int>(v.size());
        const int next = (at + ((GetKeyState(VK_SHIFT) & 0x8000) ? n - 1 : 1)) % n;
        SetFocus(v[static_cast<size_t>(next)]);
        return true;
      }
      default:
        return false;
    }
  }

  void Command(int id, int code) {
    if (id == kOk) Ok();
    if (id == kCancel) done_ = true;
    if (id == kList) {
      const int sel = static_cast<int>(SendMessageW(list_, LB_GETCURSEL, 0, 0));
      if (sel < 0 || sel >= static_cast<int>(entries_.size())) return;
      const Entry e = entries_[static_cast<size_t>(sel)];
      if (code == LBN_SELCHANGE && !e.dir) SetTyped(e.name);
      if (code == LBN_DBLCLK) {
        if (e.dir) {
          String refusal;
          Consider(s_, wnd_, e.name, refusal);
          SetTyped(String());
          Fill();
        } else {
          Ok();
        }
      }
    }
    if (id == kTypes && code == LBN_SELCHANGE) {
      const int sel = static_cast<int>(SendMessageW(types_, LB_GETCURSEL, 0, 0));
      if (sel >= 0) {
        s_.filterIndex = sel + 1;
        Fill();
      }
    }
  }

  void Paint(HDC dc) {
    SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    RECT folder{8, 8, kWidth - 8, 26};
    DrawTextW(dc, s_.folder.c_str(), static_cast<int>(s_.folder.size()), &folder,
              DT_SINGLELINE | DT_VCENTER | DT_PATH_ELLIPSIS | DT_NOPREFIX);
    RECT name{8, 210, 92, 232}, types{8, 238, 92, 260};
    DrawTextW(dc, u"File name:", -1, &name, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    DrawTextW(dc, u"Files of type:", -1, &types, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
  }

  static LRESULT DialogProc(HWND h, UINT m, WPARAM wp, LPARAM lp) {
    if (m == WM_NCCREATE) {
      auto* cs = reinterpret_cast<CREATESTRUCTW*>(lp);
      SetWindowLongPtrW(h, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
    }
    auto* self = reinterpret_cast<DialogWindow*>(GetWindowLongPtrW(h, GWLP_USERDATA));
    if (!self) return DefWindowProcW(h, m, wp, lp);
    switch (m) {
      case WM_CREATE:
        self->wnd_ = h;
        self->Create();
        return 0;
      case WM_COMMAND:
        self->Command(LOWORD(wp), static_cast<int16_t>(HIWORD(wp)));
        return 0;
      case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(h, &ps);
        self->Paint(dc);
        EndPaint(h, &ps);
        return 0;
      }
      case WM_CLOSE:
        self->done_ = true;
        return 0;
      default:
        return DefWindowProcW(h, m, wp, lp);
    }
  }

  struct Entry {
    String name;
    bool dir = false;
  };
  Session& s_;
  HWND wnd_ = nullptr;
  HWND list_ = nullptr;
  HWND edit_ = nullptr;
  HWND types_ = nullptr;
  std::vector<Entry> entries_;
  bool done_ = false;
  BOOL result_ = FALSE;
};

bool Headless() {
  os::DisplayBackend* b = os::GetDisplayBackend();
  return !b || std::strcmp(b->Name(), "headless") == 0;
}

BOOL Run(OPENFILENAMEW* ofn, bool save) {
  gLastError = 0;
  if (!ofn) {
    gLastError = CDERR_INITIALIZATION;
    return FALSE;
  }
  if (ofn->lStructSize != sizeof(OPENFILENAMEW)) {
    gLastError = CDERR_STRUCTSIZE;
    return FALSE;
  }
  Session s;
  s.ofn = ofn;
  s.save = save;
  s.title =
      ofn->lpstrTitle && *ofn->lpstrTitle ? String(ofn->lpstrTitle) : String(save ? u"Save As" : u"Open");
  s.filters = os::ParseFileDialogFilter(ofn->lpstrFilter);
  s.filterIndex = std::clamp<int>(static_cast<int>(ofn->nFilterIndex), 1, std::max<int>(1, s.filters.size()));
  s.defExt = ofn->lpstrDefExt ? String(ofn->lpstrDefExt) : String();
  if (!s.defExt.empty() && s.defExt[0] == u'.') s.defExt.erase(0, 1);
  s.name = ofn->lpstrFile ? String(ofn->lpstrFile) : String();
  // The folder: the initial one, else the folder of the initial name, else the current one.
  String folder = ofn->lpstrInitialDir ? String(ofn->lpstrInitialDir) : String();
  if (!IsDir(folder) && s.name.find(u'/') != String::npos && IsDir(FolderPart(s.name))) {
    folder = FolderPart(s.name);
    s.name = NamePart(s.name);
  }
  if (!IsDir(folder)) {
    std::error_code ec;
    folder = FromPath(fs::current_path(ec));
  }
  s.folder = FromPath(ToPath(folder).lexically_normal());
  if (s.folder.size() > 1 && s.folder.back() == u'/') s.folder.pop_back();

  os::FileDialogHook hook;
  {
    std::lock_guard g(Lock());
    hook = CurrentFileDialogHook();
  }
  if (hook) return RunHook(s, hook);
  if (Headless() && !gWindowForTesting) return FALSE;
  DialogWindow w(s);
  return w.Run();
}

}  // namespace

BOOL GetOpenFileNameW(OPENFILENAMEW* ofn) {
  return Run(ofn, false);
}

BOOL GetSaveFileNameW(OPENFILENAMEW* ofn) {
  return Run(ofn, true);
}

DWORD CommDlgExtendedError() {
  return gLastError;
}

namespace os {

FileDialogHook SetFileDialogHook(FileDialogHook H) {
  std::lock_guard g(Lock());
  FileDialogHook previous = std::move(CurrentFileDialogHook());
  CurrentFileDialogHook() = std::move(H);
  return previous;
}

FileDialogPrompt SetFileDialogPrompt(FileDialogPrompt P) {
  std::lock_guard g(Lock());
  FileDialogPrompt previous = std::move(Prompt());
  Prompt() = std::move(P);
  return previous;
}

std::vector<std::pair<String, String>> ParseFileDialogFilter(LPCWSTR Filter) {
  std::vector<std::pair<String, String>> r;
  if (!Filter) return r;
  const Char* p = Filter;
  while (*p) {
    String description(p);
    p += description.size() + 1;
    if (!*p) break;  // a description without patterns ends the list
    String patterns(p);
    p += patterns.size() + 1;
    r.push_back({std::move(description), std::move(patterns)});
  }
  return r;
}

bool MatchesFilePattern(const String& Name, const String& Patterns) {
  size_t start = 0;
  while (start <= Patterns.size()) {
    size_t end = Patterns.find(u';', start);
    if (end == String::npos) end = Patterns.size();
    String p = Trim(Patterns.substr(start, end - start));
    if (!p.empty()) {
      if (p == u"*.*" || p == u"*") return true;
      if (Wildcard(p.data(), p.data() + p.size(), Name.data(), Name.data() + Name.size())) return true;
    }
    start = end + 1;
  }
  return false;
}

void SetFileDialogWindowForTesting(bool Enabled) {
  gWindowForTesting = Enabled;
}

}  // namespace os
}  // namespace qd
