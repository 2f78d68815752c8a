// Dragging controls: the automatic drag from one control to another through the message
// loop (enter, move, leave, drop, cancel with Esc), the cursors, a supplied drag object, the
// drag image window, and a control freed while it is dragged.
#include <memory>
#include <string>
#include <vector>

#include "platform/forms/controls.h"
#include "platform/forms/imglist.h"
#include "platform/forms/forms_test_util.h"

namespace qd::testing {
namespace {

class TDragBox : public TCustomControl {
 public:
  explicit TDragBox(TComponent* AOwner, TColor AColor) : TCustomControl(AOwner) { SetColor(AColor); }
  std::unique_ptr<TDragImageList> images;
  TDragImageList* GetDragImages() override { return images.get(); }
  void Paint() override {
    Canvas()->Brush()->SetColor(Color());
    Canvas()->FillRect(ClientRect());
  }
};

// Records what the controls hear; the target accepts sources dragged over its left half.
class TDragRecorder {
 public:
  std::vector<std::string> log;
  TObject* lastSource = nullptr;
  TDragObject* supplied = nullptr;
  bool cancelAtStart = false;

  static std::string Name(TObject* O) {
    if (!O) return "nil";
    if (auto* c = dynamic_cast<TComponent*>(O)) return StringToUtf8(c->Name());
    return "object";
  }
  void DragOver(TObject* Sender, TObject* Source, int X, int Y, TDragState State, bool& Accept) {
    static const char* kStates[] = {"enter", "leave", "move"};
    lastSource = Source;
    Accept = X < static_cast<TControl*>(Sender)->Width() / 2;
    log.push_back(Name(Sender) + " " + kStates[State] + " " + std::to_string(X) + "," + std::to_string(Y));
  }
  void DragDrop(TObject* Sender, TObject* Source, int X, int Y) {
    lastSource = Source;
    log.push_back(Name(Sender) + " drop " + std::to_string(X) + "," + std::to_string(Y));
  }
  void StartDrag(TObject*, TDragObject*& DragObject) {
    log.push_back("start");
    if (cancelAtStart) CancelDrag();
    if (supplied) DragObject = supplied;
  }
  void EndDrag(TObject* Sender, TObject* Target, int X, int Y) {
    log.push_back("end " + Name(Target) + " " + std::to_string(X) + "," + std::to_string(Y));
  }
};

// A supplied object: the platform neither frees it nor shows it to targets as the control.
class TRecordingDragObject : public TDragControlObject {
 public:
  using TDragControlObject::TDragControlObject;
  std::vector<std::string>* log = nullptr;
  void Finished(TObject* Target, int X, int Y, bool Accepted) override {
    log->push_back(Accepted ? "finished accepted" : "finished refused");
    TDragControlObject::Finished(Target, X, Y, Accepted);
  }
};

class Drag : public FormsTest {
 protected:
  void SetUp() override {
    FormsTest::SetUp();
    form = NewPlainForm(300, 100);  // client at (100, 100) on the screen
    source = new TDragBox(form, clRed);
    source->SetName(u"source");
    source->SetParent(form);
    source->SetBounds(10, 10, 80, 80);  // screen (110, 110) .. (190, 190)
    source->SetDragMode(dmAutomatic);
    source->OnStartDrag = TStartDragEvent(&rec, &TDragRecorder::StartDrag);
    source->OnEndDrag = TEndDragEvent(&rec, &TDragRecorder::EndDrag);
    target = new TDragBox(form, clBlue);
    target->SetName(u"target");
    target->SetParent(form);
    target->SetBounds(200, 10, 80, 80);  // screen (300, 110) .. (380, 190); accepts left of x 40
    target->OnDragOver = TDragOverEvent(&rec, &TDragRecorder::DragOver);
    target->OnDragDrop = TDragDropEvent(&rec, &TDragRecorder::DragDrop);
    ShowAndPaint(form);
  }
  void Press(POINT P) {
    Clock().Advance(GetDoubleClickTime() + 1);
    os::InjectMouseMove(P);
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
  void Key(int VK) {
    os::InjectKey(VK, true);
    os::InjectKey(VK, false);
    Application->ProcessMessages();
  }
  HCURSOR CursorOf(TCursor C) { return Screen->Cursors(C); }

  TDragRecorder rec;
  TForm* form = nullptr;
  TDragBox* source = nullptr;
  TDragBox* target = nullptr;
};

TEST_F(Drag, AnAutomaticDragEntersMovesLeavesAndDropsWithItsCursors) {
  source->SetDragCursor(crHandPoint);
  Press(POINT{120, 120});
  ASSERT_TRUE(source->Dragging());
  EXPECT_NE(GetCapture(), source->Handle());  // the drag's own window holds the capture
  Move(POINT{122, 122});                      // within the threshold: nothing yet
  EXPECT_EQ(rec.log, (std::vector<std::string>{"start"}));

  Move(POINT{310, 120});  // the target's accepting half
  EXPECT_EQ(GetCursor(), CursorOf(crHandPoint));
  Move(POINT{360, 130});  // its refusing half
  EXPECT_EQ(GetCursor(), CursorOf(crNoDrop));
  Move(POINT{250, 130});  // the form hears nothing and refuses
  EXPECT_EQ(GetCursor(), CursorOf(crNoDrop));
  Move(POINT{320, 140});
  Release(POINT{320, 140});
  EXPECT_EQ(rec.log, (std::vector<std::string>{"start", "target enter 10,10", "target move 60,20",
                                               "target leave -50,20", "target enter 20,30",
                                               "target drop 20,30", "end target 20,30"}));
  // The platform made the drag object: targets see the dragged control.
  EXPECT_EQ(rec.lastSource, source);
  EXPECT_FALSE(source->Dragging());
  EXPECT_EQ(CurrentDragObject(), nullptr);
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(Drag, EscapeALostCaptureOrARefusingTargetCancelTheDrag) {
  struct Case {
    const char* name;
    int how;  // 0 Esc, 1 capture taken, 2 released over the refusing half
    std::vector<std::string> log;
  };
  const Case cases[] = {
      {"escape", 0, {"start", "target enter 10,10", "target leave 10,10", "end nil 10,10"}},
      {"capture lost", 1, {"start", "target enter 10,10", "target leave 10,10", "end nil 10,10"}},
      {"refused",
       2,
       {"start", "target enter 10,10", "target move 60,10", "target leave 60,10", "end nil 60,10"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    rec.log.clear();
    Press(POINT{120, 120});
    Move(POINT{310, 120});
    switch (c.how) {
      case 0:
        Key(VK_ESCAPE);
        break;
      case 1:
        SetCapture(form->Handle());
        Application->ProcessMessages();
        ReleaseCapture();
        break;
      default:
        Move(POINT{360, 120});
        Release(POINT{360, 120});
        break;
    }
    EXPECT_EQ(rec.log, c.log);
    EXPECT_FALSE(source->Dragging());
    EXPECT_EQ(CurrentDragObject(), nullptr);
    if (c.how != 2) Release(POINT{310, 120});  // the button goes up after the cancel
  }
}

TEST_F(Drag, ASuppliedObjectIsTheSourceAndStaysWithItsOwner) {
  auto object = std::make_unique<TRecordingDragObject>(source);
  object->log = &rec.log;
  rec.supplied = object.get();
  Press(POINT{120, 120});
  Move(POINT{310, 120});
  Release(POINT{310, 120});
  EXPECT_EQ(rec.lastSource, object.get());
  EXPECT_EQ(rec.log, (std::vector<std::string>{"start", "target enter 10,10", "target drop 10,10",
                                               "finished accepted", "end target 10,10"}));
  EXPECT_TRUE(object->Dropped);
}

TEST_F(Drag, ASuppliedObjectFreedDuringTheDragEndsIt) {
  auto* object = new TRecordingDragObject(source);
  object->log = &rec.log;
  rec.supplied = object;
  Press(POINT{120, 120});
  Move(POINT{310, 120});
  delete object;
  EXPECT_EQ(CurrentDragObject(), nullptr);
  EXPECT_FALSE(source->Dragging());
  EXPECT_EQ(GetCapture(), nullptr);
  Move(POINT{320, 120});
  Release(POINT{320, 120});
  // The target heard the drag leave; the half-freed object's end reached nobody.
  EXPECT_EQ(rec.log, (std::vector<std::string>{"start", "target enter 10,10", "target leave 10,10"}));
}

TEST_F(Drag, CancellingWhileStartingKeepsTheDragFromStarting) {
  rec.cancelAtStart = true;
  Press(POINT{120, 120});
  EXPECT_FALSE(source->Dragging());
  EXPECT_EQ(CurrentDragObject(), nullptr);
  Move(POINT{310, 120});
  Release(POINT{310, 120});
  EXPECT_EQ(rec.log, (std::vector<std::string>{"start"}));
}

TEST_F(Drag, TheDragImageShowsOnlyOverControlsThatDisplayIt) {
  source->images = std::make_unique<TDragImageList>(nullptr);
  source->images->SetSize(16, 12);
  TBitmap bmp;
  bmp.SetPixelFormat(pf24bit);
  bmp.SetSize(16, 12);
  bmp.Canvas()->Brush()->SetColor(clLime);
  bmp.Canvas()->FillRect(TRect{0, 0, 16, 12});
  source->images->Add(&bmp);
  source->images->SetDragImage(0, 4, 3);
  target->SetControlStyle(target->ControlStyle() + TControlStyle{csDisplayDragImage});

  Press(POINT{120, 120});
  HWND window = source->images->DragWindow();
  ASSERT_NE(window, nullptr);
  Move(POINT{250, 130});  // over the form: hidden
  EXPECT_FALSE(IsWindowVisible(window));
  Move(POINT{310, 120});  // over the target: shown with its hot spot under the mouse
  EXPECT_TRUE(IsWindowVisible(window));
  RECT r;
  GetWindowRect(window, &r);
  EXPECT_EQ(TRect(r), (TRect{306, 117, 322, 129}));
  // The image does not take the mouse: the target stays under it.
  EXPECT_EQ(FindDragTarget(TPoint{310, 120}, false), target);
  const os::WindowPixels px = os::ReadWindowPixels(window, false);
  EXPECT_EQ(px.At(8, 6) & 0xFFFFFF, 0x00FF00u);
  Release(POINT{310, 120});
  EXPECT_FALSE(IsWindow(window));
  EXPECT_FALSE(source->images->Dragging());
}

TEST_F(Drag, AControlFreedWhileDraggedEndsTheDrag) {
  Press(POINT{120, 120});
  Move(POINT{310, 120});
  ASSERT_NE(CurrentDragObject(), nullptr);
  delete source;
  EXPECT_EQ(CurrentDragObject(), nullptr);
  EXPECT_EQ(GetCapture(), nullptr);
  // The target heard the drag leave; the freed control heard nothing.
  EXPECT_EQ(rec.log, (std::vector<std::string>{"start", "target enter 10,10", "target leave 10,10"}));
  Release(POINT{310, 120});

  // A target freed under the drag is forgotten.
  auto* other = new TDragBox(form, clGreen);
  other->SetParent(form);
  other->SetBounds(100, 10, 50, 50);
  other->SetDragMode(dmAutomatic);
  rec.log.clear();
  Press(POINT{210, 120});
  Move(POINT{310, 120});
  delete target;
  Move(POINT{320, 120});
  Release(POINT{320, 120});
  EXPECT_EQ(rec.log, (std::vector<std::string>{"target enter 10,10"}));
  EXPECT_EQ(CurrentDragObject(), nullptr);

  // A drop handler that frees the dragged control: the end of the drag does not reach it.
  struct TFreeing {
    TControl* victim = nullptr;
    void Drop(TObject*, TObject*, int, int) { delete victim; }
    void Over(TObject*, TObject*, int, int, TDragState, bool& Accept) { Accept = true; }
  } freeing{other};
  auto* bin = new TDragBox(form, clBlack);
  bin->SetParent(form);
  bin->SetBounds(200, 10, 80, 80);
  bin->OnDragOver = TDragOverEvent(&freeing, &TFreeing::Over);
  bin->OnDragDrop = TDragDropEvent(&freeing, &TFreeing::Drop);
  other->OnEndDrag = TEndDragEvent(&rec, &TDragRecorder::EndDrag);
  rec.log.clear();
  Press(POINT{210, 120});
  Move(POINT{310, 120});
  Release(POINT{310, 120});
  EXPECT_TRUE(rec.log.empty());
  EXPECT_EQ(CurrentDragObject(), nullptr);
}

}  // namespace
}  // namespace qd::testing
