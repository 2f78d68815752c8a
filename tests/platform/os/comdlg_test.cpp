// The platform's file dialogs: patterns, argument errors, the result fields, and the dialog
// window driven through the input queue.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/base/strings.h"
#include "platform/os/comdlg.h"
#include "platform/os/user_listbox.h"
#include "user_test_util.h"

namespace qd::testing {
namespace {

namespace fs = std::filesystem;

class FileDialogs : public WmTest {
 protected:
  void SetUp() override {
    WmTest::SetUp();
    dir_ = fs::temp_directory_path() /
           ("qd_comdlg_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(dir_);
    fs::create_directories(dir_ / "sub");
    for (const char* f : {"a.txt", "b.log", "C.TXT", "sub/inner.txt"}) std::ofstream(dir_ / f) << "x";
  }
  void TearDown() override {
    os::SetFileDialogHook(nullptr);
    os::SetFileDialogWindowForTesting(false);
    fs::remove_all(dir_);
    WmTest::TearDown();
  }
  String Dir() const { return Utf8ToString(dir_.string()); }

  fs::path dir_;
};

TEST_F(FileDialogs, PatternMatching) {
  struct Case {
    const char16_t* name;
    const char16_t* patterns;
    bool match;
  } cases[] = {
      {u"a.txt", u"*.txt", true},
      {u"A.TXT", u"*.txt", true},
      {u"a.txt.bak", u"*.txt", false},
      {u"noext", u"*.*", true},
      {u"a.png", u"*.bmp; *.png", true},
      {u"a.jpeg", u"*.jpg", false},
      {u"file1.log", u"file?.log", true},
      {u"file10.log", u"file?.log", false},
      {u"x", u"", false},
      {u"abcabd", u"*abd", true},
  };
  for (const auto& c : cases)
    EXPECT_EQ(os::MatchesFilePattern(c.name, c.patterns), c.match)
        << StringToUtf8(c.name) << " " << StringToUtf8(c.patterns);
}

TEST_F(FileDialogs, ResultFieldsAndErrors) {
  os::SetFileDialogHook([](const os::FileDialogRequest&) {
    return os::FileDialogAnswer{true, u"report", 0};
  });
  Char file[260] = {};
  Char title[8] = {};
  const String dir = Dir();
  OPENFILENAMEW ofn;
  ofn.lpstrFile = file;
  ofn.nMaxFile = 260;
  ofn.lpstrFileTitle = title;
  ofn.nMaxFileTitle = 8;
  ofn.lpstrInitialDir = dir.c_str();
  ofn.lpstrDefExt = u"txt";
  ofn.lpstrFilter = u"Text\0*.txt\0Logs\0*.log\0";
  ASSERT_TRUE(GetSaveFileNameW(&ofn));
  const String full = dir + u"/report.txt";
  EXPECT_EQ(String(file), full);
  EXPECT_EQ(ofn.nFileOffset, dir.size() + 1);
  EXPECT_EQ(ofn.nFileExtension, full.size() - 3);
  EXPECT_EQ(String(title), u"report.");  // cut to its buffer
  EXPECT_EQ(ofn.nFilterIndex, 1u);
  EXPECT_FALSE(ofn.Flags & OFN_EXTENSIONDIFFERENT);
  // Too small a buffer: FNERR_BUFFERTOOSMALL and the size needed in the first character.
  ofn.nMaxFile = 10;
  file[0] = 0;
  EXPECT_FALSE(GetSaveFileNameW(&ofn));
  EXPECT_EQ(CommDlgExtendedError(), FNERR_BUFFERTOOSMALL);
  EXPECT_EQ(static_cast<size_t>(file[0]), full.size() + 1);
  ofn.lStructSize = 12;
  EXPECT_FALSE(GetOpenFileNameW(&ofn));
  EXPECT_EQ(CommDlgExtendedError(), CDERR_STRUCTSIZE);
  // A cancel leaves no error.
  os::SetFileDialogHook([](const os::FileDialogRequest&) { return os::FileDialogAnswer{}; });
  ofn.lStructSize = sizeof(OPENFILENAMEW);
  EXPECT_FALSE(GetOpenFileNameW(&ofn));
  EXPECT_EQ(CommDlgExtendedError(), 0u);
}

// What the driving timer saw in the dialog window.
struct Seen {
  std::vector<String> list;
  std::vector<String> allFiles;
  std::vector<String> afterOpeningSub;
};
Seen gSeen;

std::vector<String> ListTexts(HWND list) {
  std::vector<String> r;
  const int n = static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0));
  for (int i = 0; i < n; ++i) {
    String s(static_cast<size_t>(SendMessageW(list, LB_GETTEXTLEN, i, 0)), u'\0');
    SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(s.data()));
    r.push_back(s);
  }
  return r;
}

POINT ItemCenter(HWND list, int index) {
  RECT r;
  SendMessageW(list, LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&r));
  POINT p{(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
  ClientToScreen(list, &p);
  return p;
}

TEST_F(FileDialogs, TheDialogWindowThroughTheQueue) {
  os::ScopedVirtualClock clock;
  os::SetFileDialogWindowForTesting(true);
  gSeen = {};
  // Once the dialog runs its loop: read the list, open "[sub]" with a double click, then
  // pick "inner.txt" and press Enter.
  SetTimer(nullptr, 0, 10, [](HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    HWND dlg = FindWindowW(u"QdFileDialog", nullptr);
    HWND list = GetDlgItem(dlg, 101);
    gSeen.list = ListTexts(list);
    // Choosing the second filter lists every file.
    HWND types = GetDlgItem(dlg, 103);
    SendMessageW(types, LB_SETCURSEL, 1, 0);
    SendMessageW(dlg, WM_COMMAND, MAKEWPARAM(103, LBN_SELCHANGE), reinterpret_cast<LPARAM>(types));
    gSeen.allFiles = ListTexts(list);
    const POINT sub = ItemCenter(list, 1);
    os::InjectMouseMove(sub);
    os::InjectMouseButton(WM_LBUTTONDOWN, sub);
    os::InjectMouseButton(WM_LBUTTONUP, sub);
    os::InjectMouseButton(WM_LBUTTONDOWN, sub);
    os::InjectMouseButton(WM_LBUTTONUP, sub);
    SetTimer(nullptr, 0, 10, [](HWND, UINT, UINT_PTR id2, DWORD) {
      KillTimer(nullptr, id2);
      HWND list2 = GetDlgItem(FindWindowW(u"QdFileDialog", nullptr), 101);
      gSeen.afterOpeningSub = ListTexts(list2);
      const POINT inner = ItemCenter(list2, 1);
      os::InjectMouseMove(inner);
      os::InjectMouseButton(WM_LBUTTONDOWN, inner);
      os::InjectMouseButton(WM_LBUTTONUP, inner);
      os::InjectKey(VK_RETURN, true);
      os::InjectKey(VK_RETURN, false);
    });
  });
  Char file[260] = {};
  const String dir = Dir();
  OPENFILENAMEW ofn;
  ofn.lpstrFile = file;
  ofn.nMaxFile = 260;
  ofn.lpstrInitialDir = dir.c_str();
  ofn.lpstrFilter = u"Text files\0*.txt\0All\0*.*\0";
  ofn.Flags = OFN_FILEMUSTEXIST;
  ASSERT_TRUE(GetOpenFileNameW(&ofn));
  EXPECT_EQ(gSeen.list, (std::vector<String>{u"[..]", u"[sub]", u"a.txt", u"C.TXT"}));
  EXPECT_EQ(gSeen.allFiles, (std::vector<String>{u"[..]", u"[sub]", u"a.txt", u"b.log", u"C.TXT"}));
  EXPECT_EQ(gSeen.afterOpeningSub, (std::vector<String>{u"[..]", u"inner.txt"}));
  EXPECT_EQ(String(file), dir + u"/sub/inner.txt");
  EXPECT_EQ(ofn.nFilterIndex, 2u);
  EXPECT_EQ(FindWindowW(u"QdFileDialog", nullptr), nullptr);
  // Escape cancels.
  SetTimer(nullptr, 0, 10, [](HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    SetFocus(GetDlgItem(FindWindowW(u"QdFileDialog", nullptr), 101));
    os::InjectKey(VK_ESCAPE, true);
    os::InjectKey(VK_ESCAPE, false);
  });
  EXPECT_FALSE(GetSaveFileNameW(&ofn));
  EXPECT_EQ(CommDlgExtendedError(), 0u);
}

}  // namespace
}  // namespace qd::testing
