// The image editor's commands: the context menu's items and their states, the clipboard,
// the picture dialogs, the camera hand-over and the keys.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "concrete/image_test_util.h"
#include "platform/os/comdlg.h"
#include "platform/os/user_display.h"
#include "ui/graphics/cxImageList.h"

namespace qd::testing {
namespace {

namespace fs = std::filesystem;

// Menu positions: Cut, Copy, Paste, Delete, "-", Load, Camera, Save, "-", custom.
constexpr int kItemCount = 10;

struct CloseLog {
  std::vector<TcxEditCloseUpReason> Reasons;
  void Closed(TObject*, TcxEditCloseUpReason AReason) { Reasons.push_back(AReason); }
};

class ImageMenu : public ImageTest {
 protected:
  void SetUp() override {
    ImageTest::SetUp();
    dir = fs::temp_directory_path() / ("qd_image_" + std::to_string(::getpid()));
    fs::create_directories(dir);
    Clipboard()->Clear();
    form->Show();
    Application->ProcessMessages();
  }
  void TearDown() override {
    os::SetFileDialogHook(nullptr);
    cxImageIsCameraAvailableProc = nullptr;
    cxImageShowCameraDialogProc = nullptr;
    fs::remove_all(dir);
    ImageTest::TearDown();
  }
  void SetRedPicture(TcxCustomImage* AImage, int AWidth = 5, int AHeight = 3) {
    AImage->SetEditValue(Variant::FromBytes(BitmapBytes(AWidth, AHeight, clRed)));
  }
  // "10110..." for the menu items' Visible or Enabled, in menu order.
  std::string Flags(bool AVisible) {
    image->PreparePopup();
    TMenuItem* items = image->InternalPopupMenu()->Items();
    std::string s;
    for (int i = 0; i < items->Count(); ++i)
      s += (AVisible ? items->Items(i)->Visible() : items->Items(i)->Enabled()) ? '1' : '0';
    return s;
  }
  String Path(const char* AName) const { return Utf8ToString((dir / AName).string()); }
  void AnswerFileDialog(const String& AFileName) {
    os::SetFileDialogHook([this, AFileName](const os::FileDialogRequest& r) {
      requests.push_back(r);
      dialogSawFocus = image->Focused();
      return os::FileDialogAnswer{!AFileName.empty(), AFileName, 0};
    });
  }

  fs::path dir;
  std::vector<os::FileDialogRequest> requests;
  bool dialogSawFocus = false;
};

TEST_F(ImageMenu, ItemsAndCaptions) {
  image->PreparePopup();
  TMenuItem* items = image->InternalPopupMenu()->Items();
  ASSERT_EQ(items->Count(), kItemCount);
  const char16_t* captions[] = {
      u"Cu&t",        u"&Copy", u"&Paste", u"&Delete", u"-", u"&Load...", u"Assign From Ca&mera...",
      u"Save &As...", u"-",     u""};
  const int tags[] = {0, 1, 2, 3, -1, 4, 5, 6, -1, 7};
  for (int i = 0; i < kItemCount; ++i) {
    EXPECT_EQ(items->Items(i)->Caption(), String(captions[i])) << i;
    EXPECT_EQ(items->Items(i)->Tag(), tags[i]) << i;
  }
  EXPECT_EQ(image->InternalPopupMenu()->Images(),
            static_cast<TCustomImageList*>(cxImageCommonResources()->PopupMenuImageList()));
  EXPECT_EQ(cxImageCommonResources()->PopupMenuImageList()->Count(), 7);
}

TEST_F(ImageMenu, VisibilityFollowsTheLayout) {
  struct Row {
    const char* name;
    TcxPopupMenuItems items;
    const char* visible;
  };
  const Row rows[] = {
      {"default", TcxPopupMenuLayout::DefaultMenuItems(), "1111111100"},
      {"custom only", {pmiCustom}, "0000000011"},
      {"camera only", {pmiWebCam}, "0000101000"},
      {"cut and save", {pmiCut, pmiSave}, "1000000100"},
      {"load and custom", {pmiLoad, pmiCustom}, "0000110011"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    image->Properties()->PopupMenuLayout()->SetMenuItems(row.items);
    EXPECT_EQ(Flags(true), row.visible);
  }
}

TEST_F(ImageMenu, EnabledFollowsPictureClipboardAndEditing) {
  struct Row {
    const char* name;
    bool picture;
    bool readOnly;
    const char16_t* graphicClass;
    bool clipboardBitmap;
    bool camera;
    const char* enabled;  // the separators' flags are never changed
  };
  const Row rows[] = {
      {"picture, bitmap on the clipboard", true, false, u"TBitmap", true, false, "1111110111"},
      {"empty, clipboard empty", false, false, u"TBitmap", false, false, "0000110011"},
      {"read-only picture", true, true, u"TBitmap", true, false, "0100100111"},
      {"icon class", true, false, u"TIcon", true, false, "0001110111"},
      {"camera available", false, false, u"TBitmap", false, true, "0000111011"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    image->Properties()->SetReadOnly(false);
    image->Properties()->SetGraphicClassName(u"TBitmap");
    if (row.picture)
      SetRedPicture(image);
    else
      image->SetEditValue(Null());
    image->Properties()->SetGraphicClassName(row.graphicClass);
    image->Properties()->SetReadOnly(row.readOnly);
    Clipboard()->Clear();
    if (row.clipboardBitmap) {
      TBitmap bitmap(2, 2);
      Clipboard()->Assign(&bitmap);
    }
    cxImageIsCameraAvailableProc = row.camera ? +[] { return true; } : nullptr;
    EXPECT_EQ(Flags(false), row.enabled);
  }
}

TEST_F(ImageMenu, NoMenuWithoutItems) {
  image->Properties()->PopupMenuLayout()->SetMenuItems({});
  bool handled = false;
  image->DoContextPopup(TPoint{-1, -1}, handled);
  EXPECT_FALSE(handled);
  EXPECT_EQ(image->InternalPopupMenu(), nullptr);
}

TEST_F(ImageMenu, KeyboardRequestOpensAtTenTenAndAnAcceleratorRunsTheItem) {
  SetRedPicture(image);
  // The menu's own loop reads the accelerator of "&Delete".
  PostMessageW(form->Handle(), WM_CHAR, 'd', 0);
  bool handled = false;
  image->DoContextPopup(TPoint{-1, -1}, handled);
  EXPECT_TRUE(handled);
  ASSERT_NE(image->InternalPopupMenu(), nullptr);
  EXPECT_EQ(image->InternalPopupMenu()->PopupPoint(), image->ClientToScreen(TPoint{10, 10}));
  EXPECT_FALSE(HasPicture());
}

// Looks at the open menu from inside its loop: a marker message posted before the menu opens
// is seen by a get-message hook, which reads the menu window's pixels and closes the menu.
os::WindowPixels gMenuPixels;
HHOOK gMenuHook = nullptr;
constexpr UINT kLookAtMenu = WM_APP + 77;

LRESULT LookAtMenuHook(int Code, WPARAM WParam, LPARAM LParam) {
  auto* msg = reinterpret_cast<MSG*>(LParam);
  if (Code >= 0 && msg->message == kLookAtMenu) {
    if (HWND menu = GetTrackedPopupMenuWindow()) {
      UpdateWindow(menu);
      gMenuPixels = os::ReadWindowPixels(menu, true);
    }
    PostMessageW(msg->hwnd, WM_KEYDOWN, VK_ESCAPE, 0);
  }
  return CallNextHookEx(gMenuHook, Code, WParam, LParam);
}

TEST_F(ImageMenu, MenuShowsTheGlyphs) {
  SetRedPicture(image);
  gMenuPixels = {};
  gMenuHook = SetWindowsHookExW(WH_GETMESSAGE, &LookAtMenuHook, nullptr, GetCurrentThreadId());
  PostMessageW(form->Handle(), kLookAtMenu, 0, 0);
  bool handled = false;
  image->DoContextPopup(TPoint{20, 20}, handled);
  UnhookWindowsHookEx(gMenuHook);
  ASSERT_GT(gMenuPixels.width, 0);
  SaveWindowPixelsPng(gMenuPixels, "image_menu");
  // The red cross of Delete and the blue of Save's disk are there.
  int red = 0, blue = 0;
  for (uint32_t p : gMenuPixels.pixels) {
    const int r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
    red += r > 180 && g < 90 && b < 90;
    blue += b > 150 && r < 90 && g < 140;
  }
  EXPECT_GT(red, 10);
  EXPECT_GT(blue, 20);
  EXPECT_TRUE(HasPicture());
}

TEST_F(ImageMenu, CopyAndPasteRoundTrip) {
  auto* other = new TestImage(form);
  other->SetParent(form);
  SetRedPicture(image, 6, 4);
  image->CopyToClipboard();
  struct Row {
    const char16_t* graphicClass;
    TClass pasted;
  };
  const Row rows[] = {{u"TBitmap", TBitmap::StaticClass()}, {u"TdxSmartImage", TdxSmartImage::StaticClass()}};
  for (const Row& row : rows) {
    SCOPED_TRACE(StringToUtf8(row.graphicClass));
    other->SetEditValue(Null());
    other->Properties()->SetGraphicClassName(row.graphicClass);
    ASSERT_TRUE(other->CanPasteFromClipboard());
    other->PasteFromClipboard();
    TGraphic* graphic = other->Picture()->Graphic();
    ASSERT_NE(graphic, nullptr);
    EXPECT_TRUE(graphic->InheritsFrom(row.pasted));
    EXPECT_EQ(graphic->Width(), 6);
    EXPECT_EQ(graphic->Height(), 4);
    TBitmap check(6, 4);
    graphic->Draw(check.Canvas(), TRect{0, 0, 6, 4});
    EXPECT_EQ(check.Canvas()->Pixels(3, 2) & 0xFFFFFF, static_cast<TColor>(clRed));
  }
}

TEST_F(ImageMenu, CutClearsAndCopiesReadOnlyRefusesChanges) {
  SetRedPicture(image);
  image->CutToClipboard();
  EXPECT_FALSE(HasPicture());
  EXPECT_TRUE(Clipboard()->HasFormat(CF_BITMAP));

  SetRedPicture(image);
  image->Properties()->SetReadOnly(true);
  image->MenuItemClick(pmiDelete);
  EXPECT_TRUE(HasPicture());
  image->MenuItemClick(pmiPaste);
  EXPECT_EQ(image->Picture()->Width(), 5);
}

TEST_F(ImageMenu, KeysRunTheClipboardCommands) {
  struct Row {
    const char* name;
    WORD key;
    TShiftState shift;
    Char ch;
    bool pictureAfter;
    bool clipboardAfter;
  };
  const Row rows[] = {
      {"Ctrl+C", 0, {}, 3, true, true},
      {"Ctrl+X", 0, {}, 24, false, true},
      {"Ctrl+Insert", VK_INSERT, {ssCtrl}, 0, true, true},
      {"Shift+Delete", VK_DELETE, {ssShift}, 0, false, true},
      {"plain Delete", VK_DELETE, {}, 0, true, false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    SetRedPicture(image);
    Clipboard()->Clear();
    if (row.key) {
      WORD key = row.key;
      image->KeyDown(key, row.shift);
    } else {
      Char ch = row.ch;
      image->KeyPress(ch);
    }
    EXPECT_EQ(HasPicture(), row.pictureAfter);
    EXPECT_EQ(Clipboard()->HasFormat(CF_BITMAP), row.clipboardAfter);
  }
  // Ctrl+V and Shift+Insert paste what is on the clipboard.
  SetRedPicture(image, 7, 2);
  image->CopyToClipboard();
  image->SetEditValue(Null());
  Char ch = 22;
  image->KeyPress(ch);
  EXPECT_EQ(image->Picture()->Width(), 7);
  image->SetEditValue(Null());
  WORD key = VK_INSERT;
  image->KeyDown(key, TShiftState{ssShift});
  EXPECT_EQ(image->Picture()->Width(), 7);
}

TEST_F(ImageMenu, SaveThenLoadThroughTheDialogs) {
  CloseLog log;
  image->Properties()->SetOnClosePopup(MakeMethod(&log, &CloseLog::Closed));
  SetRedPicture(image, 9, 5);
  AnswerFileDialog(Path("saved.bmp"));
  image->MenuItemClick(pmiSave);
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_TRUE(requests[0].Save);
  EXPECT_EQ(requests[0].DefaultExt, u"bmp");
  EXPECT_TRUE(dialogSawFocus);
  EXPECT_FALSE(image->IsDialogShowed());
  ASSERT_TRUE(fs::exists(dir / "saved.bmp"));

  image->SetEditValue(Null());
  image->MenuItemClick(pmiLoad);
  ASSERT_EQ(requests.size(), 2u);
  EXPECT_FALSE(requests[1].Save);
  EXPECT_EQ(image->Picture()->Width(), 9);
  EXPECT_EQ(image->Picture()->Height(), 5);
  EXPECT_EQ(log.Reasons, std::vector<TcxEditCloseUpReason>{crEnter});
}

TEST_F(ImageMenu, LoadingCancelledOrUnreadable) {
  CloseLog log;
  image->Properties()->SetOnClosePopup(MakeMethod(&log, &CloseLog::Closed));
  image->Properties()->SetCustomFilter(u"Pictures|*.bmp");
  SetRedPicture(image);
  AnswerFileDialog(u"");
  image->LoadFromFile();
  ASSERT_EQ(requests.size(), 1u);
  ASSERT_EQ(requests[0].Filters.size(), 1u);
  EXPECT_EQ(requests[0].Filters[0].second, u"*.bmp");
  EXPECT_TRUE(HasPicture());

  std::ofstream(dir / "broken.bmp") << "not a bitmap at all";
  AnswerFileDialog(Path("broken.bmp"));
  EXPECT_NO_THROW(image->LoadFromFile());
  EXPECT_FALSE(HasPicture());
  EXPECT_EQ(log.Reasons, (std::vector<TcxEditCloseUpReason>{crCancel, crEnter}));

  // Read-only: no dialog at all.
  image->Properties()->SetReadOnly(true);
  image->LoadFromFile();
  EXPECT_EQ(requests.size(), 2u);
}

TEST_F(ImageMenu, CameraPictureIsTakenOnlyOnAssign) {
  CloseLog log;
  image->Properties()->SetOnClosePopup(MakeMethod(&log, &CloseLog::Closed));
  SetRedPicture(image);
  static bool assign = false;
  cxImageShowCameraDialogProc = +[](TPicture* APicture) {
    TBitmap frame(12, 8);
    APicture->SetGraphic(&frame);
    return assign;
  };
  assign = false;
  image->MenuItemClick(pmiWebCam);
  EXPECT_EQ(image->Picture()->Width(), 5);
  assign = true;
  image->MenuItemClick(pmiWebCam);
  EXPECT_EQ(image->Picture()->Width(), 12);
  EXPECT_EQ(log.Reasons, (std::vector<TcxEditCloseUpReason>{crCancel, crEnter}));
}

TEST_F(ImageMenu, CustomItemRunsItsHandler) {
  int clicks = 0;
  struct Counter {
    int* n;
    void Click(TObject*) { ++*n; }
  } counter{&clicks};
  image->Properties()->SetOnCustomClick(MakeMethod(&counter, &Counter::Click));
  image->MenuItemClick(pmiCustom);
  EXPECT_EQ(clicks, 1);
}

// A failure while the clipboard is read must not leave the picture without its change
// handling: later changes still reach the editor.
TEST_F(ImageMenu, FailedPasteKeepsThePicturesChangeEvent) {
  SetRedPicture(image);
  image->CopyToClipboard();
  struct Thrower {
    void Get(TObject*, bool, TGraphicClass&) { throw EcxEditError(u"no class"); }
  } thrower;
  image->SetOnGetGraphicClass(MakeMethod(&thrower, &Thrower::Get));
  EXPECT_THROW(image->PasteFromClipboard(), EcxEditError);
  image->SetOnGetGraphicClass(nullptr);
  const int before = events.Changes;
  image->Picture()->SetGraphic(nullptr);
  EXPECT_EQ(events.Changes, before + 1);
  EXPECT_TRUE(VarIsNull(image->EditValue()));
}

}  // namespace
}  // namespace qd::testing
