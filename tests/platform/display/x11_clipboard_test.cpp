// The clipboard against another X client (xclip) on a private Xvfb: text and pictures both
// ways, transfers in pieces, PRIMARY, and the clipboard messages of an owner change.
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/base/strings.h"
#include "platform/display/clipboard_formats.h"
#include "platform/display/x11_clipboard.h"
#include "platform/os/gdi.h"
#include "platform/os/user_clipboard.h"
#include "x11_test_util.h"

namespace qd::testing::x11 {
namespace {

std::string FindXclip() {
  for (const char* dir : {"/usr/bin", "/usr/local/bin", "/bin"}) {
    std::string path = std::string(dir) + "/xclip";
    if (access(path.c_str(), X_OK) == 0) return path;
  }
  return {};
}

// xclip as a child process with its standard input and output on pipes.
class Xclip {
 public:
  Xclip(const std::vector<std::string>& args, bool output) {
    int in[2], out[2];
    if (pipe2(in, O_CLOEXEC) != 0 || pipe2(out, O_CLOEXEC) != 0) return;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, in[0], 0);
    if (output)
      posix_spawn_file_actions_adddup2(&actions, out[1], 1);
    else
      posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    std::vector<std::string> all = {FindXclip()};
    all.insert(all.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (auto& a : all) argv.push_back(a.data());
    argv.push_back(nullptr);
    if (posix_spawn(&pid_, all[0].c_str(), &actions, nullptr, argv.data(), environ) != 0) pid_ = -1;
    posix_spawn_file_actions_destroy(&actions);
    close(in[0]);
    close(out[1]);
    in_ = in[1];
    out_ = out[0];
    fcntl(out_, F_SETFL, O_NONBLOCK);
  }
  ~Xclip() {
    CloseInput();
    if (out_ >= 0) close(out_);
    if (pid_ > 0 && !exited_) {
      kill(pid_, SIGTERM);
      waitpid(pid_, nullptr, 0);
    }
  }
  bool Started() const { return pid_ > 0; }
  void Write(const std::string& data) {
    size_t done = 0;
    while (done < data.size()) {
      const ssize_t n = write(in_, data.data() + done, data.size() - done);
      if (n <= 0) break;
      done += static_cast<size_t>(n);
    }
    CloseInput();
  }
  void CloseInput() {
    if (in_ >= 0) close(in_);
    in_ = -1;
  }
  // Reads what it wrote so far; true once it has ended.
  bool Poll() {
    char buffer[65536];
    for (;;) {
      const ssize_t n = read(out_, buffer, sizeof buffer);
      if (n <= 0) break;
      output_.append(buffer, static_cast<size_t>(n));
    }
    if (!exited_ && waitpid(pid_, &status_, WNOHANG) == pid_) exited_ = true;
    if (exited_) {
      // What it wrote just before it ended.
      for (;;) {
        const ssize_t n = read(out_, buffer, sizeof buffer);
        if (n <= 0) break;
        output_.append(buffer, static_cast<size_t>(n));
      }
    }
    return exited_;
  }
  const std::string& Output() const { return output_; }
  bool Succeeded() const { return exited_ && WIFEXITED(status_) && WEXITSTATUS(status_) == 0; }

 private:
  pid_t pid_ = -1;
  int in_ = -1, out_ = -1;
  int status_ = 0;
  bool exited_ = false;
  std::string output_;
};

class X11ClipboardTest : public X11Test {
 protected:
  void SetUp() override {
    if (FindXclip().empty()) GTEST_SKIP() << "xclip is not installed";
    X11Test::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    os::ResetClipboardForTesting();
    ASSERT_NE(backend_->Clipboard(), nullptr);
    owner_ = CreateWindowExW(0, RecorderClass(), u"owner", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr,
                             nullptr);
    ASSERT_NE(owner_, nullptr);
    ASSERT_TRUE(AddClipboardFormatListener(owner_));
  }
  void TearDown() override {
    os::ResetClipboardForTesting();
    X11Test::TearDown();
  }

  // What another program reads with xclip -o.
  std::string ReadElsewhere(const char* selection, const char* target) {
    Xclip reader({"-o", "-selection", selection, "-t", target}, true);
    EXPECT_TRUE(reader.Started());
    EXPECT_TRUE(PumpUntil([&] { return reader.Poll(); }, 20000));
    EXPECT_TRUE(reader.Succeeded()) << target;
    return reader.Output();
  }

  // Another program (xclip -i, staying in the foreground) takes the clipboard with `data`;
  // returns once our side has seen the change.
  std::unique_ptr<Xclip> OwnElsewhere(const std::string& data, const char* target) {
    const DWORD before = GetClipboardSequenceNumber();
    auto writer = std::make_unique<Xclip>(
        std::vector<std::string>{"-i", "-quiet", "-selection", "clipboard", "-t", target}, false);
    EXPECT_TRUE(writer->Started());
    writer->Write(data);
    EXPECT_TRUE(PumpUntil([&] { return GetClipboardSequenceNumber() != before; }, 20000));
    return writer;
  }

  void SetText(const String& text) {
    ASSERT_TRUE(OpenClipboard(owner_));
    ASSERT_TRUE(EmptyClipboard());
    HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(Char));
    std::memcpy(GlobalLock(h), text.c_str(), (text.size() + 1) * sizeof(Char));
    GlobalUnlock(h);
    ASSERT_EQ(SetClipboardData(CF_UNICODETEXT, h), h);
    ASSERT_TRUE(CloseClipboard());
  }

  String GetText() {
    String text;
    if (!OpenClipboard(owner_)) return u"<not opened>";
    if (HANDLE h = GetClipboardData(CF_UNICODETEXT)) {
      text = static_cast<const Char*>(GlobalLock(h));
      GlobalUnlock(h);
    } else {
      text = u"<none>";
    }
    CloseClipboard();
    return text;
  }

  int Count(UINT msg) const {
    int n = 0;
    for (const Received& r : Messages())
      if (r.hwnd == owner_ && r.msg == msg) ++n;
    return n;
  }

  HWND owner_ = nullptr;
};

TEST_F(X11ClipboardTest, TextGoesToAnotherProgramAndComesBack) {
  SetText(u"Olá\r\nmundo ✓");
  EXPECT_EQ(ReadElsewhere("clipboard", "UTF8_STRING"), "Olá\nmundo ✓");
  EXPECT_EQ(ReadElsewhere("clipboard", "text/plain;charset=utf-8"), "Olá\nmundo ✓");
  EXPECT_EQ(ReadElsewhere("clipboard", "STRING"), "Ol\xE1\nmundo ?");
  const std::string targets = ReadElsewhere("clipboard", "TARGETS");
  for (const char* t : {"UTF8_STRING", "text/plain;charset=utf-8", "STRING", "TIMESTAMP"})
    EXPECT_NE(targets.find(t), std::string::npos) << t;
  EXPECT_EQ(targets.find("image/png"), std::string::npos);

  Messages().clear();
  auto writer = OwnElsewhere("de volta\nçã", "UTF8_STRING");
  // Our data is gone: its owner is told, and so is the listener.
  PumpUntil([&] { return Count(WM_CLIPBOARDUPDATE) > 0; }, 2000);
  EXPECT_EQ(Count(WM_DESTROYCLIPBOARD), 1);
  EXPECT_GE(Count(WM_CLIPBOARDUPDATE), 1);
  EXPECT_EQ(GetClipboardOwner(), nullptr);
  EXPECT_TRUE(IsClipboardFormatAvailable(CF_UNICODETEXT));
  EXPECT_FALSE(IsClipboardFormatAvailable(CF_DIB));
  EXPECT_EQ(GetText(), u"de volta\r\nçã");
  // The narrow text is made from it as from any other text.
  ASSERT_TRUE(OpenClipboard(owner_));
  HANDLE ansi = GetClipboardData(CF_TEXT);
  ASSERT_NE(ansi, nullptr);
  EXPECT_STREQ(static_cast<const char*>(GlobalLock(ansi)), "de volta\r\n\xE7\xE3");
  GlobalUnlock(ansi);
  CloseClipboard();

  // Copying here again takes the clipboard back from the other program, which ends.
  SetText(u"outra vez");
  EXPECT_TRUE(PumpUntil([&] { return writer->Poll(); }, 10000));
  EXPECT_EQ(ReadElsewhere("clipboard", "UTF8_STRING"), "outra vez");
}

TEST_F(X11ClipboardTest, APictureGoesOutAsPngAndBmpAndComesBackFromPng) {
  // A GDI picture: alpha 0 everywhere, which the desktop gets as opaque.
  HDC screen = GetDC(nullptr);
  HBITMAP bmp = CreateCompatibleBitmap(screen, 6, 4);
  HDC dc = CreateCompatibleDC(screen);
  HGDIOBJ old = SelectObject(dc, bmp);
  RECT all{0, 0, 6, 4}, left{0, 0, 3, 4};
  HBRUSH blue = CreateSolidBrush(RGB(0, 0, 255)), red = CreateSolidBrush(RGB(255, 0, 0));
  FillRect(dc, &all, blue);
  FillRect(dc, &left, red);
  SelectObject(dc, old);
  DeleteObject(blue);
  DeleteObject(red);
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
  ASSERT_TRUE(OpenClipboard(owner_));
  EmptyClipboard();
  SetClipboardData(CF_BITMAP, bmp);
  CloseClipboard();

  const std::string png = ReadElsewhere("clipboard", "image/png");
  const std::vector<uint8_t> dib =
      display::PngToDib(reinterpret_cast<const uint8_t*>(png.data()), png.size());
  ASSERT_EQ(dib.size(), 40u + 6 * 4 * 4);
  // Bottom-up rows of BGRA: the top row's first pixel is the last row in the data.
  const uint8_t* topRow = dib.data() + 40 + 3 * 24;
  EXPECT_EQ((std::vector<uint8_t>(topRow, topRow + 4)), (std::vector<uint8_t>{0, 0, 255, 255}));
  EXPECT_EQ((std::vector<uint8_t>(topRow + 20, topRow + 24)), (std::vector<uint8_t>{255, 0, 0, 255}));
  const std::string bmpFile = ReadElsewhere("clipboard", "image/bmp");
  ASSERT_GT(bmpFile.size(), 54u);
  EXPECT_EQ(bmpFile.substr(0, 2), "BM");

  // A picture from another program: a 2 x 1 PNG, green then white.
  std::vector<uint8_t> source(40 + 8, 0);
  source[0] = 40;
  source[4] = 2;
  source[8] = 1;
  source[12] = 1;
  source[14] = 32;
  const uint8_t pixels[8] = {0, 255, 0, 255, 255, 255, 255, 255};
  std::memcpy(source.data() + 40, pixels, 8);
  auto writer = OwnElsewhere(display::DibToPng(source), "image/png");
  EXPECT_TRUE(IsClipboardFormatAvailable(CF_DIB));
  EXPECT_TRUE(IsClipboardFormatAvailable(CF_BITMAP));
  EXPECT_FALSE(IsClipboardFormatAvailable(CF_UNICODETEXT));
  ASSERT_TRUE(OpenClipboard(owner_));
  HANDLE h = GetClipboardData(CF_DIB);
  ASSERT_NE(h, nullptr);
  ASSERT_EQ(GlobalSize(h), 48u);
  const auto* got = static_cast<const uint8_t*>(GlobalLock(h));
  EXPECT_EQ((std::vector<uint8_t>(got + 40, got + 48)), (std::vector<uint8_t>(pixels, pixels + 8)));
  GlobalUnlock(h);
  HBITMAP asBitmap = static_cast<HBITMAP>(GetClipboardData(CF_BITMAP));
  ASSERT_NE(asBitmap, nullptr);
  HDC probe = CreateCompatibleDC(nullptr);
  HGDIOBJ previous = SelectObject(probe, asBitmap);
  EXPECT_EQ(GetPixel(probe, 0, 0), RGB(0, 255, 0));
  EXPECT_EQ(GetPixel(probe, 1, 0), RGB(255, 255, 255));
  SelectObject(probe, previous);
  DeleteDC(probe);
  CloseClipboard();
}

TEST_F(X11ClipboardTest, TransfersLargerThanOneRequestGoInPiecesBothWays) {
  // Larger than the server's largest request, even with BIG-REQUESTS taken into account by
  // xclip for its own pieces.
  String big;
  for (int i = 0; big.size() < 5u * 1024 * 1024; ++i)
    big += u"linha " + Utf8ToString(std::to_string(i)) + u"\r\n";
  std::string expected = display::TextToDesktop(big);
  SetText(big);
  const int sentBefore = backend_->Clipboard()->IncrementalTransfers(true);
  const std::string got = ReadElsewhere("clipboard", "UTF8_STRING");
  EXPECT_EQ(got.size(), expected.size());
  EXPECT_TRUE(got == expected);
  EXPECT_EQ(backend_->Clipboard()->IncrementalTransfers(true), sentBefore + 1);

  const int receivedBefore = backend_->Clipboard()->IncrementalTransfers(false);
  auto writer = OwnElsewhere(expected, "UTF8_STRING");
  const String back = GetText();
  EXPECT_EQ(back.size(), big.size());
  EXPECT_TRUE(back == big);
  EXPECT_EQ(backend_->Clipboard()->IncrementalTransfers(false), receivedBefore + 1);
}

TEST_F(X11ClipboardTest, SelectedTextIsThePrimarySelection) {
  os::SetPrimarySelectionText(u"escolhido\r\nagora");
  EXPECT_EQ(ReadElsewhere("primary", "UTF8_STRING"), "escolhido\nagora");
  // The clipboard itself is not touched.
  EXPECT_FALSE(IsClipboardFormatAvailable(CF_UNICODETEXT));
}

}  // namespace
}  // namespace qd::testing::x11
