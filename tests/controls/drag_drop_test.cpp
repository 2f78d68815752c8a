// Library drag and drop: states, cursors, the end of an operation; the size frame's shape and
// the drag image window.
#include <string>
#include <vector>

#include "controls/controls_test_util.h"
#include "platform/forms/forms.h"
#include "ui/controls/cxControlsDragAndDrop.h"

namespace qd::testing {
namespace {

std::vector<std::string>* gDragLog = nullptr;

// Accepts the drop over the left half of the control and logs what it is told.
class TLoggingDragObject : public TcxDragAndDropObject {
 public:
  using TcxDragAndDropObject::TcxDragAndDropObject;

 protected:
  void BeginDragAndDrop() override {
    gDragLog->push_back("begin");
    TcxDragAndDropObject::BeginDragAndDrop();
  }
  void DragAndDrop(const TPoint& P, bool& Accepted) override {
    Accepted = P.X < Control()->Width() / 2;
    TcxDragAndDropObject::DragAndDrop(P, Accepted);
  }
  void EndDragAndDrop(bool Accepted) override {
    gDragLog->push_back(Accepted ? "end accepted" : "end refused");
    TcxDragAndDropObject::EndDragAndDrop(Accepted);
  }
};

class TDragControl : public TcxControl {
 public:
  explicit TDragControl(TComponent* AOwner) : TcxControl(AOwner) {}
  bool immediate = false;
  std::vector<TCursor> cursors;

 protected:
  bool StartDragAndDrop(const TPoint&) override { return true; }
  TcxDragAndDropObject* CreateDragAndDropObject() override {
    class Immediate : public TLoggingDragObject {
     public:
      using TLoggingDragObject::TLoggingDragObject;
      bool GetImmediateStart() override { return true; }
    };
    if (immediate) return new Immediate(this);
    return new TLoggingDragObject(this);
  }
  void DragAndDrop(const TPoint& P, bool& Accepted) override {
    TcxControl::DragAndDrop(P, Accepted);
    cursors.push_back(Screen->Cursor());
  }
};

class DragAndDrop : public BaseControlTest {
 protected:
  void SetUp() override {
    BaseControlTest::SetUp();
    gDragLog = &log;
    form = NewPlainForm(200, 100);
    control = new TDragControl(form);
    control->SetParent(form);
    control->SetBounds(10, 10, 60, 40);  // (110, 110) to (170, 150) on the screen
    form->Show();
    Application->ProcessMessages();
    control->SetFocus();
  }
  void TearDown() override {
    gDragLog = nullptr;
    BaseControlTest::TearDown();
  }
  void Press(POINT P) {
    Clock().Advance(GetDoubleClickTime() + 1);
    os::InjectMouseButton(WM_LBUTTONDOWN, P);
    Application->ProcessMessages();
  }
  void Move(POINT P) {
    os::InjectMouseMove(P);
    Application->ProcessMessages();
  }
  void Release(POINT P) {
    os::InjectMouseButton(WM_LBUTTONUP, P);
    Application->ProcessMessages();
  }

  std::vector<std::string> log;
  TForm* form = nullptr;
  TDragControl* control = nullptr;
};

TEST_F(DragAndDrop, APressInsideTheThresholdNeverStartsTheOperation) {
  Press(POINT{120, 120});
  EXPECT_EQ(control->DragAndDropState(), ddsStarting);
  Move(POINT{121, 121});
  EXPECT_EQ(control->DragAndDropState(), ddsStarting);
  Release(POINT{121, 121});
  EXPECT_EQ(control->DragAndDropState(), ddsNone);
  EXPECT_TRUE(log.empty());
  EXPECT_TRUE(control->cursors.empty());
}

TEST_F(DragAndDrop, TheCursorFollowsAcceptanceAndThePreviousCursorReturns) {
  Screen->SetCursor(crHandPoint);
  Press(POINT{115, 120});
  Move(POINT{125, 120});  // past the threshold, in the accepting half
  EXPECT_EQ(control->DragAndDropState(), ddsInProcess);
  EXPECT_EQ(GetCapture(), control->Handle());
  Move(POINT{160, 120});  // the refusing half
  Move(POINT{130, 120});
  Release(POINT{130, 120});
  EXPECT_EQ(control->cursors, (std::vector<TCursor>{crDrag, crNoDrop, crDrag}));
  EXPECT_EQ(log, (std::vector<std::string>{"begin", "end accepted"}));
  EXPECT_EQ(control->DragAndDropState(), ddsNone);
  EXPECT_EQ(Screen->Cursor(), crHandPoint);
  EXPECT_NE(GetCapture(), control->Handle());
  Screen->SetCursor(crDefault);
}

TEST_F(DragAndDrop, AnImmediateStartBeginsAtThePress) {
  control->immediate = true;
  Press(POINT{120, 120});
  EXPECT_EQ(control->DragAndDropState(), ddsInProcess);
  EXPECT_EQ(log, (std::vector<std::string>{"begin"}));
  Release(POINT{120, 120});
}

TEST_F(DragAndDrop, AKeyOrCancelModeEndsTheOperationAsRefused) {
  struct Case {
    const char* name;
    bool key;
  };
  for (const Case& c : {Case{"key", true}, Case{"cancel mode", false}}) {
    SCOPED_TRACE(c.name);
    log.clear();
    Press(POINT{115, 120});
    Move(POINT{125, 120});
    ASSERT_EQ(control->DragAndDropState(), ddsInProcess);
    if (c.key) {
      // The base object refuses every key; the key is eaten.
      TMessage m{CN_KEYDOWN, 'A', 0};
      control->Perform(m.Msg, m.WParam, m.LParam);
    } else {
      control->Perform(WM_CANCELMODE, 0, 0);
    }
    EXPECT_EQ(control->DragAndDropState(), ddsNone);
    EXPECT_EQ(log, (std::vector<std::string>{"begin", "end refused"}));
    Release(POINT{125, 120});
    // The release after the end finishes nothing more.
    EXPECT_EQ(log.size(), 2u);
  }
}

TEST_F(DragAndDrop, TheKeyDuringADragIsEaten) {
  Press(POINT{115, 120});
  Move(POINT{125, 120});
  EXPECT_EQ(control->Perform(CN_KEYDOWN, VK_ESCAPE, 0), 1);
  Release(POINT{125, 120});
}

// --- The platform's drag between library controls -------------------------------------------

// Drags itself automatically with a 20 x 10 image; the target accepts what comes over it.
class TDragSource : public TcxControl {
 public:
  explicit TDragSource(TComponent* AOwner) : TcxControl(AOwner) { SetDragMode(dmAutomatic); }
  bool refuse = false;
  std::vector<std::string>* log = nullptr;

 protected:
  bool HasDragImages() override { return true; }
  TSize GetDragImagesSize() override { return TSize{20, 10}; }
  void DrawDragImage(TcxCanvas* ACanvas, const TRect& R) override {
    ACanvas->FillRect(R, clBlue);
    ACanvas->FillRect(TRect{R.Left + 5, R.Top + 3, R.Left + 15, R.Top + 7}, clYellow);
  }
  bool StartDrag(TDragObject*& DragObject) override { return !refuse; }
  void DoEndDrag(TObject* Target, int X, int Y) override {
    log->push_back(std::string("end ") + (Target ? "on target" : "nil"));
    TcxControl::DoEndDrag(Target, X, Y);
  }
};

class TDropTarget : public TcxControl {
 public:
  explicit TDropTarget(TComponent* AOwner) : TcxControl(AOwner) {}
  std::vector<std::string>* log = nullptr;
  std::vector<TDragObject*> seen;

 protected:
  void DragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept) override {
    TcxControl::DragOver(Source, X, Y, State, Accept);
    Accept = true;
    static const char* kStates[] = {"enter", "leave", "move"};
    log->push_back(kStates[State]);
    seen.push_back(GetDragObject());
  }
  void DragDrop(TObject* Source, int X, int Y) override {
    auto* object = dynamic_cast<TDragControlObject*>(Source);
    log->push_back(object && object->Control()->Name() == u"source" ? "drop from source" : "drop");
  }
};

class PlatformDrag : public DragAndDrop {
 protected:
  void SetUp() override {
    DragAndDrop::SetUp();
    source = new TDragSource(form);
    source->SetName(u"source");
    source->SetParent(form);
    source->SetBounds(80, 10, 40, 40);  // screen (180, 110) .. (220, 150)
    source->log = &log;
    target = new TDropTarget(form);
    target->SetParent(form);
    target->SetBounds(130, 10, 60, 60);  // screen (230, 110) .. (290, 170)
    target->log = &log;
    Application->ProcessMessages();
  }
  // Presses on the source and moves out of the drag area before the drag detection looks.
  void StartDragging() {
    Clock().Advance(GetDoubleClickTime() + 1);
    os::InjectMouseMove(POINT{190, 120});
    os::InjectMouseButton(WM_LBUTTONDOWN, POINT{190, 120});
    os::InjectMouseMove(POINT{200, 120});
    Application->ProcessMessages();
  }
  void Key(int VK, bool Down) {
    os::InjectKey(VK, Down);
    Application->ProcessMessages();
  }

  TDragSource* source = nullptr;
  TDropTarget* target = nullptr;
};

TEST_F(PlatformDrag, ALibraryControlDragsItsOwnObjectWithTheCopyCursorAndItsImage) {
  EXPECT_TRUE(source->ControlStyle().Contains(csDisplayDragImage));
  StartDragging();
  ASSERT_TRUE(source->Dragging());
  auto* object = dynamic_cast<TcxDragControlObject*>(CurrentDragObject());
  ASSERT_NE(object, nullptr);
  EXPECT_EQ(object->Control(), source);

  // The image (the control draws it) shows over the source, which displays drag images.
  auto* images = dynamic_cast<TcxDragImageList*>(object->GetDragImages());
  ASSERT_NE(images, nullptr);
  HWND imageWindow = images->DragWindow();
  ASSERT_NE(imageWindow, nullptr);
  EXPECT_TRUE(IsWindowVisible(imageWindow));
  SaveWindowPng(imageWindow, "platform_drag_image");
  const os::WindowPixels px = os::ReadWindowPixels(imageWindow, false);
  ASSERT_EQ(px.width, 20);
  // Added masked with the bitmap's transparent colour (its bottom-left pixel): the blue
  // background is left out.
  EXPECT_EQ(px.At(1, 1), 0u);
  EXPECT_EQ(px.At(10, 5) & 0xFFFFFF, 0xFFFF00u);

  // The target does not display them.
  Move(POINT{240, 120});
  EXPECT_FALSE(IsWindowVisible(imageWindow));
  EXPECT_EQ(GetCursor(), Screen->Cursors(crDrag));
  EXPECT_EQ(GetDragObject(), object);
  // Ctrl held: the library's copy cursor.
  Key(VK_CONTROL, true);
  EXPECT_EQ(GetCursor(), Screen->Cursors(crcxDragCopy));
  Key(VK_CONTROL, false);
  EXPECT_EQ(GetCursor(), Screen->Cursors(crDrag));

  Release(POINT{240, 120});
  // Ctrl going down and up moved the drag where it was, to ask the target again.
  EXPECT_EQ(log, (std::vector<std::string>{"enter", "move", "move", "drop from source", "end on target"}));
  EXPECT_EQ(target->seen, (std::vector<TDragObject*>(3, object)));
  // The object freed itself; the drag's object is not handed out any more, and the image
  // window is gone with the list.
  EXPECT_EQ(GetDragObject(), nullptr);
  EXPECT_EQ(CurrentDragObject(), nullptr);
  EXPECT_FALSE(IsWindow(imageWindow));
}

TEST_F(PlatformDrag, EscapeCancelsAndARefusedStartNeverDrags) {
  StartDragging();
  Move(POINT{240, 120});
  Key(VK_ESCAPE, true);
  Key(VK_ESCAPE, false);
  EXPECT_EQ(log, (std::vector<std::string>{"enter", "leave", "end nil"}));
  EXPECT_FALSE(source->Dragging());
  EXPECT_EQ(GetDragObject(), nullptr);
  Release(POINT{240, 120});

  log.clear();
  source->refuse = true;
  StartDragging();
  EXPECT_FALSE(source->Dragging());
  EXPECT_EQ(CurrentDragObject(), nullptr);
  Move(POINT{240, 120});
  Release(POINT{240, 120});
  EXPECT_TRUE(log.empty());
}

// --- The size frame and the drag image -------------------------------------------------------

class DragImages : public BaseControlTest {};

// The window region of a size frame, as a mask of rows ('#' inside).
std::vector<std::string> WindowRegionMask(HWND AWnd, int AWidth, int AHeight) {
  HRGN rgn = CreateRectRgn(0, 0, 0, 0);
  std::vector<std::string> rows;
  if (GetWindowRgn(AWnd, rgn) == ERROR) {
    DeleteObject(rgn);
    return rows;
  }
  for (int y = 0; y < AHeight; ++y) {
    std::string row;
    for (int x = 0; x < AWidth; ++x) row += PtInRegion(rgn, x, y) ? '#' : '.';
    rows.push_back(row);
  }
  DeleteObject(rgn);
  return rows;
}

TEST_F(DragImages, ASizeFrameIsABandOfItsWidthUnlessTooSmall) {
  TcxSizeFrame frame(3);
  frame.HandleNeeded();
  frame.DrawSizeFrame(TRect{10, 20, 19, 28});  // 9 x 8: hollowed
  EXPECT_EQ(WindowRegionMask(frame.Handle(), 9, 8), (std::vector<std::string>{
                                                        "#########",
                                                        "#########",
                                                        "#########",
                                                        "###...###",
                                                        "###...###",
                                                        "#########",
                                                        "#########",
                                                        "#########",
                                                    }));
  RECT r;
  GetWindowRect(frame.Handle(), &r);
  EXPECT_EQ(TRect(r), (TRect{10, 20, 19, 28}));

  // 5 x 5 with a width of 3: twice the width is not less than the size, so the region stays
  // as it was set before.
  TcxSizeFrame small(3);
  small.HandleNeeded();
  small.DrawSizeFrame(TRect{0, 0, 5, 5});
  EXPECT_TRUE(WindowRegionMask(small.Handle(), 5, 5).empty());
  EXPECT_FALSE(small.Region()->IsEmpty());
  EXPECT_EQ(small.Region()->BoundsRect(), (TRect{0, 0, 5, 5}));

  // A filled selection keeps the whole rectangle.
  TcxSizeFrame filled(2);
  filled.SetFillSelection(true);
  filled.HandleNeeded();
  filled.DrawSizeFrame(TRect{0, 0, 6, 6});
  EXPECT_EQ(WindowRegionMask(filled.Handle(), 6, 6), std::vector<std::string>(6, "######"));
}

TEST_F(DragImages, ADragImageIsATopmostLayeredWindowThatLetsTheMouseThrough) {
  TcxCustomDragImage image;
  image.HandleNeeded();
  const LONG exStyle = GetWindowLongW(image.Handle(), GWL_EXSTYLE);
  EXPECT_EQ(static_cast<DWORD>(GetWindowLongW(image.Handle(), GWL_STYLE)) & ~(WS_VISIBLE | WS_CLIPSIBLINGS),
            WS_POPUP);
  EXPECT_TRUE(exStyle & WS_EX_TOPMOST);
  EXPECT_TRUE(exStyle & WS_EX_LAYERED);
  EXPECT_TRUE(image.AlphaBlended());
  EXPECT_EQ(image.Perform(WM_NCHITTEST, 0, 0), HTTRANSPARENT);
  EXPECT_EQ(image.Perform(WM_ERASEBKGND, 0, 0), 1);

  // The grip point stays under the mouse.
  image.Init(TRect{40, 50, 80, 70}, TPoint{45, 60});
  image.MoveTo(TPoint{300, 300});
  EXPECT_EQ(image.BoundsRect(), (TRect{295, 290, 335, 310}));
  image.Offset(5, -5);
  EXPECT_EQ(image.BoundsRect(), (TRect{300, 285, 340, 305}));

  HWND active = GetActiveWindow();
  image.SetVisible(true);
  EXPECT_TRUE(image.Visible());
  EXPECT_EQ(GetActiveWindow(), active);
  EXPECT_NE(WindowFromPoint(POINT{310, 290}), image.Handle());
  image.Hide();
  EXPECT_FALSE(image.Visible());

  image.SetAlphaBlend(false);
  EXPECT_FALSE(GetWindowLongW(image.Handle(), GWL_EXSTYLE) & WS_EX_LAYERED);
}

// Paints a red box with a green grip mark, as a dragged item would.
class TItemDragImage : public TcxCustomDragImage {
 public:
  void Paint() override {
    Canvas()->FillRect(ClientRect(), clRed);
    Canvas()->FillRect(
        TRect{PositionOffset().X - 2, PositionOffset().Y - 2, PositionOffset().X + 2, PositionOffset().Y + 2},
        clLime);
  }
};

TEST_F(DragImages, DragImagesAndSizeFramesArePainted) {
  TItemDragImage image;
  image.Init(TRect{0, 0, 40, 24}, TPoint{10, 12});
  image.MoveTo(TPoint{200, 200});
  image.Show();
  Application->ProcessMessages();
  SaveWindowPng(image.Handle(), "drag_image");
  os::WindowPixels px = os::ReadWindowPixels(image.Handle(), false);
  ASSERT_EQ(px.width, 40);
  EXPECT_EQ(px.pixels[0] & 0xFFFFFF, 0xFF0000u);
  EXPECT_EQ(px.pixels[12 * 40 + 10] & 0xFFFFFF, 0x00FF00u);
  image.Hide();

  TcxSizeFrame frame(3);
  frame.HandleNeeded();
  frame.DrawSizeFrame(TRect{300, 300, 340, 330});
  frame.Show();
  Application->ProcessMessages();
  SaveWindowPng(frame.Handle(), "size_frame");
  px = os::ReadWindowPixels(frame.Handle(), false);
  ASSERT_EQ(px.width, 40);
  // The dither alternates black and white along the band.
  EXPECT_NE(px.pixels[0] & 0xFFFFFF, px.pixels[1] & 0xFFFFFF);
  for (int x : {0, 1}) {
    const uint32_t c = px.pixels[x] & 0xFFFFFF;
    EXPECT_TRUE(c == 0 || c == 0xFFFFFF) << std::hex << c;
  }
}

}  // namespace
}  // namespace qd::testing
