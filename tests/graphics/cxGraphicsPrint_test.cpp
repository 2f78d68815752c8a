// Window printing: transparent children drawn over their parent's picture (nested ones
// included), the message order of a print, the memory-DC detour and mirrored drawing.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "graphics_test_util.h"
#include "platform/forms/forms.h"
#include "platform/os/user.h"
#include "ui/graphics/cxGraphicsCanvas.h"
#include "ui/graphics/cxGraphicsPrint.h"
#include "ui/graphics/cxGraphicsResources.h"

namespace qd {
namespace {

using testing::GraphicsTest;
using testing::TestBitmap;

// The parent's picture: blue on the left half, green on the right half; counts its paints.
class TPicturePanel : public TCustomControl {
  QD_CLASS_INLINE(TPicturePanel, TCustomControl)

 public:
  using TCustomControl::TCustomControl;
  int paints = 0;
  void Paint() override {
    ++paints;
    HDC dc = Canvas()->Handle();
    RECT left{0, 0, Width() / 2, Height()}, right{Width() / 2, 0, Width(), Height()};
    HBRUSH blue = CreateSolidBrush(RGB(0, 0, 255)), green = CreateSolidBrush(RGB(0, 255, 0));
    FillRect(dc, &left, blue);
    FillRect(dc, &right, green);
    DeleteObject(blue);
    DeleteObject(green);
  }
};

// A transparent control: its parent's background first, then a red frame of one pixel.
class TTransparentBox : public TCustomControl {
  QD_CLASS_INLINE(TTransparentBox, TCustomControl)

 public:
  using TCustomControl::TCustomControl;
  int paints = 0;
  void Paint() override {
    ++paints;
    TcxCanvas canvas(Canvas());
    cxDrawTransparentControlBackground(this, &canvas, TRect{0, 0, Width(), Height()});
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    RECT r{0, 0, Width(), Height()};
    FrameRect(Canvas()->Handle(), &r, red);
    DeleteObject(red);
  }
};

class PrintTest : public GraphicsTest {
 protected:
  void SetUp() override {
    GraphicsTest::SetUp();
    cxGraphics::Initialize();
    form = CreateNewForm<TForm>(Application);
    form->SetPosition(poDesigned);
    form->SetBorderStyle(bsNone);
    form->SetBounds(100, 100, 200, 100);
    panel = new TPicturePanel(form);
    panel->SetBounds(0, 0, 200, 100);
    panel->SetParent(form);
    form->Show();
    Application->ProcessMessages();
  }
  void TearDown() override {
    form->Free();
    cxGraphics::Finalize();
    GraphicsTest::TearDown();
  }
  TForm* form = nullptr;
  TPicturePanel* panel = nullptr;
};

TEST_F(PrintTest, TransparentChildShowsItsParentsPicture) {
  auto* box = new TTransparentBox(form);
  box->SetBounds(80, 20, 40, 30);  // straddles the blue and green halves
  box->SetParent(panel);
  box->HandleNeeded();
  TestBitmap b(40, 30);
  TcxCanvas canvas(b.Canvas());
  panel->paints = 0;
  cxDrawTransparentControlBackground(box, &canvas, TRect{0, 0, 40, 30});
  b.SavePng("print_transparent_child", 4);
  EXPECT_EQ(panel->paints, 1);
  // Parent x 80..99 is blue, 100..119 green; the box itself is not drawn into its background.
  EXPECT_EQ(b.Rgb(0, 0), 0x0000FFu);
  EXPECT_EQ(b.Rgb(19, 29), 0x0000FFu);
  EXPECT_EQ(b.Rgb(20, 0), 0x00FF00u);
  EXPECT_EQ(b.Rgb(39, 29), 0x00FF00u);
  EXPECT_EQ(b.MaskOf(clRed).find('#'), std::string::npos);
  EXPECT_EQ(box->paints, 0);
  EXPECT_TRUE(PaintSkipList()->empty());
}

TEST_F(PrintTest, NestedTransparentControlsPaintTheOuterParentOnce) {
  auto* outer = new TTransparentBox(form);
  outer->SetBounds(60, 10, 80, 80);
  outer->SetParent(panel);
  auto* inner = new TTransparentBox(form);
  inner->SetBounds(10, 10, 40, 40);  // panel x 70..110: blue then green
  inner->SetParent(outer);
  inner->HandleNeeded();
  TestBitmap b(40, 40);
  TcxCanvas canvas(b.Canvas());
  panel->paints = outer->paints = inner->paints = 0;
  cxDrawTransparentControlBackground(inner, &canvas, TRect{0, 0, 40, 40});
  b.SavePng("print_nested_transparent", 4);
  // The outer box painted itself once (its parent's picture and its frame); the inner box
  // never appears in its own background.
  EXPECT_EQ(outer->paints, 1);
  EXPECT_EQ(panel->paints, 1);
  EXPECT_EQ(inner->paints, 0);
  EXPECT_EQ(b.Rgb(5, 20), 0x0000FFu);
  EXPECT_EQ(b.Rgb(35, 20), 0x00FF00u);
  // The outer frame lies outside the inner box's rectangle: no red at all.
  EXPECT_EQ(b.MaskOf(clRed).find('#'), std::string::npos);

  // Drawing the outer box's background while its own painting holds the lock on the panel:
  // a second request for the same parent returns at once.
  TestBitmap whole(80, 80);
  TcxCanvas wholeCanvas(whole.Canvas());
  panel->paints = outer->paints = inner->paints = 0;
  cxDrawTransparentControlBackground(outer, &wholeCanvas, TRect{0, 0, 80, 80});
  whole.SavePng("print_outer_with_children", 4);
  EXPECT_EQ(panel->paints, 1);
  EXPECT_EQ(outer->paints, 0);
  // The outer box is skipped among the panel's children, and with it the inner box.
  EXPECT_EQ(inner->paints, 0);
  EXPECT_EQ(whole.Rgb(10, 10), 0x0000FFu);
  EXPECT_EQ(whole.Rgb(79, 40), 0x00FF00u);
  EXPECT_EQ(whole.MaskOf(clRed).find('#'), std::string::npos);
}

// Records the messages of a print, in order.
std::vector<UINT>* g_printMessages = nullptr;
LRESULT PrintRecordingProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (g_printMessages &&
      (msg == WM_ERASEBKGND || msg == WM_PRINT || msg == WM_PRINTCLIENT || msg == WM_NCPAINT))
    g_printMessages->push_back(msg);
  if (msg == WM_PRINTCLIENT) {
    RECT r;
    GetClientRect(hwnd, &r);
    HBRUSH brush = CreateSolidBrush(RGB(255, 255, 0));
    FillRect(reinterpret_cast<HDC>(wParam), &r, brush);
    DeleteObject(brush);
    return 0;
  }
  return DefWindowProcW(hwnd, msg, wParam, lParam);
}

TEST_F(PrintTest, PrintMessagesMenusAndTheMemoryDetour) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  wc.lpfnWndProc = &PrintRecordingProc;
  wc.lpszClassName = u"QdPrintRecorder";
  RegisterClassExW(&wc);
  HMENU menu = reinterpret_cast<HMENU>(static_cast<uintptr_t>(7));
  HWND top = CreateWindowExW(0, u"QdPrintRecorder", u"", WS_POPUP | WS_BORDER, 0, 0, 50, 40, nullptr, menu,
                             nullptr, nullptr);
  std::vector<UINT> messages;
  g_printMessages = &messages;
  TestBitmap b(60, 50);
  cxPrintWindow(top, b.DC(), true, true, false);
  // The explicit erase, then the print (which erases again: PRF_ERASEBKGND), then the
  // non-client paint of a top-level window with a menu.
  EXPECT_EQ(messages,
            (std::vector<UINT>{WM_ERASEBKGND, WM_PRINT, WM_ERASEBKGND, WM_PRINTCLIENT, WM_NCPAINT}));
  // Client only: no non-client print, no WM_NCPAINT.
  messages.clear();
  cxPrintWindow(top, b.DC(), false, false, false);
  EXPECT_EQ(messages, (std::vector<UINT>{WM_PRINT, WM_ERASEBKGND, WM_PRINTCLIENT}));

  // A moved window origin: the whole window lands at the DC's logical (0, 0).
  b.Fill(testing::kSentinel);
  SetWindowOrgEx(b.DC(), -5, -5, nullptr);
  messages.clear();
  cxPrintWindow(top, b.DC(), true, false, false);
  SetWindowOrgEx(b.DC(), 0, 0, nullptr);
  EXPECT_EQ(b.DrawnBounds(), (TRect{5, 5, 55, 45}));
  EXPECT_EQ(b.Rgb(5 + 25, 5 + 20), 0xFFFF00u);  // the client area, inside the border
  // Without a menu there is no WM_NCPAINT.
  HWND plain = CreateWindowExW(0, u"QdPrintRecorder", u"", WS_POPUP | WS_BORDER, 0, 0, 50, 40, nullptr,
                               nullptr, nullptr, nullptr);
  messages.clear();
  cxPrintWindow(plain, b.DC(), true, false, false);
  EXPECT_EQ(messages, (std::vector<UINT>{WM_PRINT, WM_ERASEBKGND, WM_PRINTCLIENT}));
  DestroyWindow(plain);
  g_printMessages = nullptr;
  DestroyWindow(top);
  UnregisterClassW(u"QdPrintRecorder", nullptr);
}

TEST_F(PrintTest, RightToLeftDrawingIsMirroredInsideTheRectangle) {
  TestBitmap b(20, 4);
  const TRect r{2, 0, 12, 4};
  auto drawColumn = [&] {
    RECT c{r.Left, 0, r.Left + 1, 4};
    HBRUSH brush = CreateSolidBrush(RGB(255, 0, 0));
    FillRect(b.DC(), &c, brush);
    DeleteObject(brush);
  };
  cxRightToLeftDependentDraw(b.DC(), r, true, drawColumn, true);
  EXPECT_EQ(b.Rgb(r.Right - 1, 1), 0xFF0000u);
  EXPECT_NE(b.Rgb(r.Left, 1), 0xFF0000u);
  b.Fill(testing::kSentinel);
  cxRightToLeftDependentDraw(b.DC(), r, false, drawColumn, true);
  EXPECT_EQ(b.Rgb(r.Left, 1), 0xFF0000u);
  // The transform is restored.
  XFORM x{};
  GetWorldTransform(b.DC(), &x);
  EXPECT_EQ(x.eM11, 1.0f);
  EXPECT_EQ(x.eDx, 0.0f);
}

}  // namespace
}  // namespace qd
