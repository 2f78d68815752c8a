// The plain controls: progress-bar clamping, and what the label, the bar, the image, the
// memo and the button draw.
#include <string>
#include <vector>

#include "forms_test_util.h"
#include "platform/classes/streams.h"
#include "platform/forms/comctrls.h"
#include "platform/forms/extctrls.h"
#include "platform/forms/imaging.h"
#include "platform/forms/stdctrls.h"
#include "platform/gdiplus/codec_io.h"

namespace qd::testing {
namespace {

class StdCtrlsTest : public FormsTest {};

TEST_F(StdCtrlsTest, ProgressBarClampingTable) {
  enum Op { SetPos, SetMax, SetMin };
  struct Step {
    Op op;
    double value;
  };
  struct Case {
    const char* name;
    std::vector<Step> steps;
    double position, min, max;
    int changes;  // OnChange calls after the set-up
  } cases[] = {
      {"default range", {{SetPos, 13}}, 13, 0, 100, 1},
      {"clamped to Max: 13 asked, 12 shown", {{SetMax, 12}, {SetPos, 13}}, 12, 0, 12, 1},
      {"clamped to Min", {{SetMin, 5}, {SetPos, -3}}, 5, 5, 100, 1},
      {"unchanged position is ignored", {{SetPos, 0}}, 0, 0, 100, 0},
      {"no clamping when Max <= Min", {{SetMax, 0}, {SetPos, 7}}, 7, 0, 0, 1},
      {"Max below Min lowers Min (equal: no clamping)", {{SetMin, 50}, {SetMax, 10}}, 50, 10, 10, 1},
      {"lowering Max clamps the position again", {{SetPos, 80}, {SetMax, 12}}, 12, 0, 12, 2},
      {"raising Max later keeps the clamped value",
       {{SetPos, 80}, {SetMax, 12}, {SetMax, 100}},
       12,
       0,
       100,
       2},
      {"a negative Max is accepted", {{SetMax, -4}}, 0, -4, -4, 0},
  };
  for (const auto& c : cases) {
    TForm* form = NewPlainForm();
    auto* bar = new TProgressBar(form);
    bar->SetParent(form);
    struct Counter {
      int n = 0;
      void Changed(TObject*) { ++n; }
    } counter;
    bar->OnChange = TNotifyEvent(&counter, &Counter::Changed);
    for (const Step& s : c.steps) {
      if (s.op == SetPos) bar->SetPosition(s.value);
      if (s.op == SetMax) bar->SetMax(s.value);
      if (s.op == SetMin) bar->SetMin(s.value);
    }
    EXPECT_EQ(bar->Position(), c.position) << c.name;
    EXPECT_EQ(bar->Min(), c.min) << c.name;
    EXPECT_EQ(bar->Max(), c.max) << c.name;
    EXPECT_EQ(counter.n, c.changes) << c.name;
    form->Free();
  }
}

TEST_F(StdCtrlsTest, ProgressBarFillIsProportionalToThePosition) {
  TForm* form = NewPlainForm(120, 30);
  auto* bar = new TProgressBar(form);
  bar->SetParent(form);
  bar->SetBounds(10, 5, 102, 12);  // 100 pixels inside the border
  ShowAndPaint(form);
  const uint32_t empty = ClientPixel(form, 110, 10);
  struct Case {
    double position;
    int filled;
  } cases[] = {{0, 0}, {30, 30}, {50, 50}, {99.6, 100}, {100, 100}};
  for (const auto& c : cases) {
    bar->SetPosition(c.position);
    Application->ProcessMessages();
    int filled = 0;
    for (int x = 0; x < 100; ++x)
      if (ClientPixel(form, 11 + x, 10) != empty) ++filled;
    EXPECT_EQ(filled, c.filled) << c.position;
  }
}

TEST_F(StdCtrlsTest, LabelDrawsItsTextInsideItsBoundsAndAutoSizes) {
  TForm* form = NewPlainForm(400, 60);
  auto* label = new TLabel(form);
  label->SetParent(form);
  label->SetLeft(10);
  label->SetTop(10);
  label->Font()->SetName(u"DejaVu Sans");
  label->Font()->SetHeight(-14);
  label->Font()->SetColor(clBlack);
  label->SetTransparent(true);
  label->SetCaption(u"Por favor aguarde...");
  EXPECT_GT(label->Width(), 60);  // auto-sized to the text
  EXPECT_GE(label->Height(), 14);
  ShowAndPaint(form);
  EXPECT_GT(CountDifferent(form, label->BoundsRect(), 0xFFFFFF), 30);
  EXPECT_EQ(CountDifferent(form, Rect(label->BoundsRect().Right, 0, 400, 60), 0xFFFFFF), 0);

  // The label's own font is the one drawn: ink as tall as a large font asks for.
  label->Font()->SetHeight(-40);
  Application->ProcessMessages();
  TRect b = label->BoundsRect();
  int top = -1, bottom = -1;
  for (int y = b.Top; y < b.Bottom; ++y)
    if (CountDifferent(form, Rect(b.Left, y, b.Right, y + 1), 0xFFFFFF) > 0) {
      if (top < 0) top = y;
      bottom = y;
    }
  EXPECT_GE(bottom - top, 25);

  // A new caption is painted at the next paint.
  label->SetAutoSize(false);
  label->SetCaption(u"");
  Application->ProcessMessages();
  EXPECT_EQ(CountDifferent(form, label->BoundsRect(), 0xFFFFFF), 0);
}

TEST_F(StdCtrlsTest, ImageDrawModesTable) {
  // A 10 x 10 opaque green square in a 40 x 20 image.
  codecs::Image img = codecs::MakeImage(10, 10, std::vector<uint32_t>(100, 0xFF00FF00u));
  std::vector<uint8_t> png;
  ASSERT_EQ(codecs::Encode(img, codecs::ImageFormat::PNG, png), codecs::Status::Ok);
  struct Case {
    const char* name;
    bool stretch, center, proportional;
    TRect expected;
  } cases[] = {
      {"own size at the top left", false, false, false, Rect(0, 0, 10, 10)},
      {"centred", false, true, false, Rect(15, 5, 25, 15)},
      {"stretched", true, false, false, Rect(0, 0, 40, 20)},
      {"proportional and centred", true, true, true, Rect(10, 0, 30, 20)},
  };
  for (const auto& c : cases) {
    TForm* form = NewPlainForm(60, 40);
    auto* image = new TImage(form);
    image->SetParent(form);
    image->SetBounds(5, 5, 40, 20);
    TBytesStream s(TBytes(png.begin(), png.end()));
    image->Picture()->LoadFromStream(&s);
    image->SetStretch(c.stretch);
    image->SetCenter(c.center);
    image->SetProportional(c.proportional);
    EXPECT_EQ(image->DestRect(), c.expected) << c.name;
    ShowAndPaint(form);
    TRect onForm = Rect(5 + c.expected.Left, 5 + c.expected.Top, 5 + c.expected.Right, 5 + c.expected.Bottom);
    EXPECT_EQ(CountDifferent(form, onForm, 0x00FF00), 0) << c.name;
    EXPECT_EQ(ClientPixel(form, onForm.Right, onForm.Top) & 0xFFFFFF, 0xFFFFFFu) << c.name;
    form->Free();
  }
}

TEST_F(StdCtrlsTest, MemoLinesWorkWhileHiddenAndAreDrawn) {
  TForm* form = NewPlainForm(200, 80);
  auto* memo = new TMemo(form);
  memo->SetParent(form);
  memo->SetBounds(0, 0, 200, 80);
  memo->SetVisible(false);
  memo->Lines()->Add(u"primeira");
  memo->Lines()->Add(u"segunda");
  EXPECT_EQ(memo->Lines()->Count(), 2);
  EXPECT_EQ(memo->Text(), u"primeira\r\nsegunda\r\n");
  ShowAndPaint(form);
  EXPECT_EQ(CountDifferent(form, Rect(0, 0, 200, 80), 0xFFFFFF), 0);  // hidden: nothing drawn
  memo->SetVisible(true);
  Application->ProcessMessages();
  EXPECT_GT(CountDifferent(form, Rect(2, 2, 198, 30), 0xFFFFFF), 20);
}

TEST_F(StdCtrlsTest, ButtonClickSetsTheModalResultOfItsForm) {
  TForm* form = NewPlainForm(200, 80);
  auto* ok = new TButton(form);
  ok->SetParent(form);
  ok->SetCaption(u"OK");
  ok->SetModalResult(mrOk);
  ok->SetBounds(10, 10, 75, 25);
  ShowAndPaint(form);
  EXPECT_GT(CountDifferent(form, ok->BoundsRect(), 0xFFFFFF), 100);
  // Inside the frame there is only the face and the caption's ink: no frame colour behind
  // the text.
  TRect inner =
      Rect(ok->Left() + 3, ok->Top() + 3, ok->Left() + ok->Width() - 3, ok->Top() + ok->Height() - 3);
  int frameColoured = 0;
  for (int y = inner.Top; y < inner.Bottom; ++y)
    for (int x = inner.Left; x < inner.Right; ++x)
      if ((ClientPixel(form, x, y) & 0xFFFFFF) == 0x0078D7) ++frameColoured;
  EXPECT_EQ(frameColoured, 0);
  TPoint p = form->ClientToScreen(TPoint{40, 20});
  os::InjectMouseMove(p);
  os::InjectMouseButton(WM_LBUTTONDOWN, p);
  os::InjectMouseButton(WM_LBUTTONUP, p);
  Application->ProcessMessages();
  EXPECT_EQ(form->ModalResult(), mrOk);
  EXPECT_TRUE(ok->Focused());
}

}  // namespace
}  // namespace qd::testing
