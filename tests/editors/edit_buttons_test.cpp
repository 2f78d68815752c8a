// Edit buttons: the button items and their change notification, scaling and assignment, and
// the cross-fading of a native button between its normal and hot background on the virtual
// clock.
#include <gtest/gtest.h>

#include "editors/edit_view_test_util.h"
#include "ui/graphics/cxImageList.h"

namespace qd::testing {
namespace {

using EditButtons = EditViewTest;

struct ChangeCounter {
  int count = 0;
  void Changed(TObject*) { ++count; }
};

TEST_F(EditButtons, NewButtonDefaultsAndOneChangePerEdit) {
  TcxCustomEditProperties* props = edit->Properties();
  ChangeCounter changes;
  props->SetOnPropertiesChanged(MakeMethod(&changes, &ChangeCounter::Changed));
  TcxCustomEditButton* button = props->Buttons()->Add();
  EXPECT_EQ(changes.count, 1);  // the defaults arrive as one change
  EXPECT_EQ(button->Kind(), bkDown);
  EXPECT_TRUE(button->Visible());
  EXPECT_TRUE(button->Enabled());
  EXPECT_TRUE(button->Stretchable());
  EXPECT_EQ(button->ContentAlignment(), taCenter);
  EXPECT_EQ(button->TextColor(), clBtnText);
  EXPECT_EQ(button->ImageIndex(), -1);
  EXPECT_EQ(button->Width(), 0);
  EXPECT_TRUE(props->GetSupportedOperations().Contains(esoHotTrack));

  button->SetKind(bkDown);  // unchanged: no notification
  EXPECT_EQ(changes.count, 1);
  button->SetWidth(-5);
  EXPECT_EQ(button->Width(), 0);
  EXPECT_EQ(changes.count, 1);
  button->SetWidth(20);
  EXPECT_EQ(button->Width(), 20);
  EXPECT_EQ(changes.count, 2);
  button->SetCaption(u"&Open && close");
  EXPECT_EQ(button->VisibleCaption(), u"Open & close");
  EXPECT_EQ(changes.count, 3);
  TcxBitmap32 image(8, 8, true);
  button->Glyph()->SetBitmap(&image);  // a change of the glyph is a change of the button
  EXPECT_EQ(changes.count, 4);
  props->SetOnPropertiesChanged(nullptr);
}

TEST_F(EditButtons, DefaultIsExclusive) {
  TcxCustomEditButtons* buttons = edit->Properties()->Buttons();
  TcxCustomEditButton* first = buttons->Add();
  TcxCustomEditButton* second = buttons->Add();
  first->SetDefault(true);
  second->SetDefault(true);
  EXPECT_FALSE(first->Default());
  EXPECT_TRUE(second->Default());
  EXPECT_EQ(buttons->VisibleCount(), 2);
  first->SetVisible(false);
  EXPECT_EQ(buttons->VisibleCount(), 1);
}

TEST_F(EditButtons, AssignAndScaleCarryEveryValue) {
  TcxCustomEditProperties* source = edit->Properties();
  TcxCustomEditButton* b = source->Buttons()->Add();
  b->SetKind(bkText);
  b->SetCaption(u"&Go");
  b->SetLeftAlignment(true);
  b->SetWidth(30);
  b->SetHint(u"Go there");
  b->SetTextColor(clRed);
  b->SetStretchable(false);
  b->SetTag(7);
  TcxCustomEditProperties target(nullptr);
  target.Assign(source);
  ASSERT_EQ(target.Buttons()->Count(), 1);
  TcxCustomEditButton* c = target.Buttons()->Items(0);
  EXPECT_EQ(c->Kind(), bkText);
  EXPECT_EQ(c->Caption(), u"&Go");
  EXPECT_EQ(c->VisibleCaption(), u"Go");
  EXPECT_TRUE(c->LeftAlignment());
  EXPECT_EQ(c->Hint(), u"Go there");
  EXPECT_EQ(c->TextColor(), clRed);
  EXPECT_FALSE(c->Stretchable());
  EXPECT_EQ(c->Tag(), 7);
  target.ChangeScale(3, 2);
  EXPECT_EQ(c->Width(), 45);
}

TEST_F(EditButtons, TheImageListIsWatchedForChangesAndDestruction) {
  TcxCustomEditProperties* props = edit->Properties();
  ChangeCounter changes;
  props->SetOnPropertiesChanged(MakeMethod(&changes, &ChangeCounter::Changed));
  auto* images = new TcxImageList(nullptr);
  props->SetImages(images);
  EXPECT_EQ(props->Images(), images);
  EXPECT_EQ(changes.count, 1);
  TcxBitmap32 image(16, 16, true);
  images->Add(&image, clNone);
  EXPECT_EQ(changes.count, 2);
  // A freed list is forgotten instead of being drawn from.
  delete images;
  EXPECT_EQ(props->Images(), nullptr);
  EXPECT_EQ(changes.count, 3);
  props->SetOnPropertiesChanged(nullptr);
}

TEST_F(EditButtons, HoveringANativeButtonFadesItsBackgroundIn) {
  SetLookAndFeel(lfUltraFlat, true);
  dxFader()->SetState(fasEnabled);
  AddButton(bkEllipsis);
  AddButton(bkDown);
  ShowForm();
  Unfocus();
  TcxCustomEditViewInfo* vi = edit->ViewInfo();
  ASSERT_TRUE(vi->NativeStyle);
  ASSERT_TRUE(vi->IsFadingAvailable());
  EXPECT_FALSE(Button(1)->IsFading());

  const TRect b = Button(1)->Bounds;
  MouseAt(TPoint{(b.Left + b.Right) / 2, 12});
  ASSERT_EQ(Button(1)->Data.State, ebsSelected);
  EXPECT_TRUE(Button(1)->IsFading());
  EXPECT_FALSE(Button(0)->IsFading());
  // The arrow is drawn over the fade frames.
  Repaint();
  auto arrowPixels = [&] {
    int n = 0;
    for (int y = b.Top; y < b.Bottom; ++y)
      for (int x = b.Left; x < b.Right; ++x)
        if (Rgb(x, y) == ExpectedRgb(clBtnText)) ++n;
    return n;
  };
  EXPECT_GT(arrowPixels(), 6);
  SaveWindowPng(form->Handle(), "edit_button_fading");

  // Leaving fades back out.
  MouseAt(TPoint{20, 12});
  EXPECT_EQ(Button(1)->Data.State, ebsNormal);
  EXPECT_TRUE(Button(1)->IsFading());

  // The fade runs on the fader's timer and ends.
  Run(500, 10);
  Repaint();
  EXPECT_FALSE(Button(1)->IsFading());
  EXPECT_GT(arrowPixels(), 6);

  // A press stops a fade at once.
  MouseAt(TPoint{(b.Left + b.Right) / 2, 12});
  EXPECT_TRUE(Button(1)->IsFading());
  MouseAt(TPoint{(b.Left + b.Right) / 2, 12}, TShiftState{ssLeft}, cxmbLeft);
  EXPECT_EQ(Button(1)->Data.State, ebsPressed);
  EXPECT_FALSE(Button(1)->IsFading());
}

TEST_F(EditButtons, ClassicButtonsDoNotFade) {
  SetLookAndFeel(lfUltraFlat, false);
  dxFader()->SetState(fasEnabled);
  AddButton(bkDown);
  ShowForm();
  const TRect b = Button(0)->Bounds;
  MouseAt(TPoint{(b.Left + b.Right) / 2, 12});
  EXPECT_EQ(Button(0)->Data.State, ebsSelected);
  EXPECT_FALSE(Button(0)->IsFading());
}

}  // namespace
}  // namespace qd::testing
