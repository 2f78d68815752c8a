// The clipboard's messages and its bridge to the desktop's clipboard, with a bridge of the
// test's own standing in for another program.
#include <cstring>

#include "platform/os/user_clipboard.h"
#include "platform/os/user_edit.h"
#include "user_test_util.h"

namespace qd::testing {
namespace {

class FakeDesktopClipboard : public os::ClipboardBridge {
 public:
  void ProgramOwnsClipboard() override { ++taken; }
  std::vector<UINT> ForeignFormats() override {
    ++listed;
    return formats;
  }
  bool ForeignData(UINT format, std::vector<uint8_t>& bytes) override {
    ++fetched;
    if (format != CF_UNICODETEXT) return false;
    bytes.resize(text.size() * sizeof(Char));
    std::memcpy(bytes.data(), text.data(), bytes.size());
    return true;
  }
  void PrimarySelectionChanged(const String& t) override { primary = t; }

  std::vector<UINT> formats{CF_UNICODETEXT};
  String text = u"lá fora";
  String primary;
  int taken = 0, listed = 0, fetched = 0;
};

class ClipboardBridgeTest : public WmTest {
 protected:
  void SetUp() override {
    WmTest::SetUp();
    os::ResetClipboardForTesting();
    os::SetClipboardBridge(&desktop_);
    owner_ = CreateRecorded("owner", WS_POPUP, 0, 0, 10, 10);
    listener_ = CreateRecorded("listener", WS_POPUP, 0, 0, 10, 10);
    ASSERT_TRUE(AddClipboardFormatListener(listener_));
  }
  void TearDown() override {
    os::SetClipboardBridge(nullptr);
    os::ResetClipboardForTesting();
    WmTest::TearDown();
  }
  void Copy(const String& text) {
    ASSERT_TRUE(OpenClipboard(owner_));
    ASSERT_TRUE(EmptyClipboard());
    HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(Char));
    std::memcpy(GlobalLock(h), text.c_str(), (text.size() + 1) * sizeof(Char));
    GlobalUnlock(h);
    SetClipboardData(CF_UNICODETEXT, h);
    ASSERT_TRUE(CloseClipboard());
  }
  std::vector<std::string> Clipboard() {
    PumpMessages();
    return MessageLog::Get().Lines({WM_CLIPBOARDUPDATE, WM_DESTROYCLIPBOARD, WM_RENDERFORMAT});
  }

  FakeDesktopClipboard desktop_;
  HWND owner_ = nullptr;
  HWND listener_ = nullptr;
};

TEST_F(ClipboardBridgeTest, ChangesAreAnnouncedAndTheProgramTakesTheDesktopClipboard) {
  Copy(u"aqui");
  EXPECT_EQ(desktop_.taken, 1);
  EXPECT_EQ(Clipboard(), (std::vector<std::string>{"listener:WM_CLIPBOARDUPDATE"}));
  // Reading changes nothing.
  MessageLog::Get().Clear();
  ASSERT_TRUE(OpenClipboard(owner_));
  EXPECT_NE(GetClipboardData(CF_TEXT), nullptr);
  CloseClipboard();
  EXPECT_EQ(desktop_.taken, 1);
  EXPECT_TRUE(Clipboard().empty());
  // What the desktop asks for comes from the program's data, synthesised formats included.
  std::vector<uint8_t> bytes;
  ASSERT_TRUE(os::ClipboardDataForDesktop(CF_UNICODETEXT, bytes));
  EXPECT_EQ(String(reinterpret_cast<const Char*>(bytes.data()), bytes.size() / sizeof(Char)), u"aqui");
  EXPECT_FALSE(os::ClipboardDataForDesktop(CF_DIB, bytes));
  // A removed listener hears nothing more.
  EXPECT_TRUE(RemoveClipboardFormatListener(listener_));
  EXPECT_FALSE(RemoveClipboardFormatListener(listener_));
  Copy(u"de novo");
  EXPECT_TRUE(Clipboard().empty());
}

TEST_F(ClipboardBridgeTest, AnotherProgramsDataIsFetchedWhenAskedFor) {
  Copy(u"aqui");
  Clipboard();
  MessageLog::Get().Clear();
  const DWORD sequence = GetClipboardSequenceNumber();
  os::ClipboardTakenByOtherProgram();
  EXPECT_EQ(Clipboard(),
            (std::vector<std::string>{"owner:WM_DESTROYCLIPBOARD", "listener:WM_CLIPBOARDUPDATE"}));
  EXPECT_NE(GetClipboardSequenceNumber(), sequence);
  EXPECT_EQ(GetClipboardOwner(), nullptr);
  EXPECT_EQ(desktop_.fetched, 0);
  EXPECT_TRUE(IsClipboardFormatAvailable(CF_UNICODETEXT));
  EXPECT_TRUE(IsClipboardFormatAvailable(CF_TEXT));
  EXPECT_FALSE(IsClipboardFormatAvailable(CF_DIB));
  EXPECT_EQ(desktop_.listed, 1);
  EXPECT_EQ(desktop_.fetched, 0);
  ASSERT_TRUE(OpenClipboard(owner_));
  HANDLE ansi = GetClipboardData(CF_TEXT);
  ASSERT_NE(ansi, nullptr);
  EXPECT_STREQ(static_cast<const char*>(GlobalLock(ansi)), "l\xE1 fora");
  GlobalUnlock(ansi);
  HANDLE wide = GetClipboardData(CF_UNICODETEXT);
  ASSERT_NE(wide, nullptr);
  EXPECT_EQ(String(static_cast<const Char*>(GlobalLock(wide))), u"lá fora");
  GlobalUnlock(wide);
  CloseClipboard();
  // Fetched once, then kept; nothing goes back to the desktop while it is the other's.
  EXPECT_EQ(desktop_.fetched, 1);
  EXPECT_EQ(desktop_.taken, 1);
  std::vector<uint8_t> bytes;
  EXPECT_FALSE(os::ClipboardDataForDesktop(CF_UNICODETEXT, bytes));
  // Copying here makes the program the owner again.
  Copy(u"meu");
  EXPECT_EQ(desktop_.taken, 2);
  EXPECT_EQ(GetClipboardOwner(), owner_);
}

TEST_F(ClipboardBridgeTest, TextTheUserSelectsInAnEditIsOfferedAsPrimary) {
  HWND parent = CreateRecorded("parent", WS_POPUP | WS_VISIBLE, 0, 0, 300, 100);
  auto edit = [&](DWORD style) {
    HWND e = CreateWindowExW(0, u"EDIT", u"um dois três", WS_CHILD | WS_VISIBLE | style, 5, 5, 200, 24,
                             parent, nullptr, nullptr, nullptr);
    SetFocus(e);
    SendMessageW(e, EM_SETSEL, 0, 0);
    return e;
  };
  auto shiftRight = [](int times) {
    os::InjectKey(VK_SHIFT, true);
    for (int i = 0; i < times; ++i) {
      os::InjectKey(VK_RIGHT, true);
      os::InjectKey(VK_RIGHT, false);
    }
    os::InjectKey(VK_SHIFT, false);
    PumpMessages();
  };
  HWND e = edit(0);
  // A selection the program makes is not the user's.
  SendMessageW(e, EM_SETSEL, 3, 7);
  EXPECT_EQ(desktop_.primary, u"");
  SendMessageW(e, EM_SETSEL, 0, 0);
  shiftRight(2);
  EXPECT_EQ(desktop_.primary, u"um");
  shiftRight(5);
  EXPECT_EQ(desktop_.primary, u"um dois");
  // A password stays here.
  DestroyWindow(e);
  edit(ES_PASSWORD);
  shiftRight(3);
  EXPECT_EQ(desktop_.primary, u"um dois");
}

}  // namespace
}  // namespace qd::testing
