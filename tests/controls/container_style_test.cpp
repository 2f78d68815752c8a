// The container style model: defaults by state and look-and-feel kind, the chain through
// style controllers, cycle refusal, change batching and font storage.
#include <gtest/gtest.h>

#include <memory>

#include "controls/container_test_util.h"
#include "platform/classes/filer.h"

namespace qd::testing {
namespace {

class ContainerStyle : public ContainerTest {};

// A container whose parent colour is the default (as a label-like editor would be).
class TParentColorContainer : public TcxContainer {
 public:
  using TcxContainer::TcxContainer;
  bool DefaultParentColor() override { return true; }
};

struct KindBorderCase {
  TcxLookAndFeelKind Kind;
  TcxContainerBorderStyle Normal, Focused, Hot, Disabled;
};

TEST_F(ContainerStyle, NewStylesTakeTheirDefaultsFromTheStateAndTheLookAndFeelKind) {
  const KindBorderCase cases[] = {
      {lfUltraFlat, cbsUltraFlat, cbsUltraFlat, cbsUltraFlat, cbsUltraFlat},
      {lfFlat, cbsFlat, cbs3D, cbs3D, cbsFlat},
      {lfStandard, cbs3D, cbs3D, cbs3D, cbs3D},
      {lfOffice11, cbsOffice11, cbsOffice11, cbsOffice11, cbsOffice11},
  };
  for (const KindBorderCase& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.Kind));
    auto container = std::make_unique<TcxContainer>(nullptr);
    container->Style()->LookAndFeel()->SetKind(c.Kind);
    EXPECT_EQ(container->Style()->BorderStyle(), c.Normal);
    EXPECT_EQ(container->StyleFocused()->BorderStyle(), c.Focused);
    EXPECT_EQ(container->StyleHot()->BorderStyle(), c.Hot);
    EXPECT_EQ(container->StyleDisabled()->BorderStyle(), c.Disabled);
  }
  auto container = std::make_unique<TcxContainer>(nullptr);
  TcxContainerStyle* s = container->Style();
  EXPECT_EQ(s->Edges(), cxBordersAll);
  EXPECT_TRUE(s->HotTrack());
  EXPECT_FALSE(s->Shadow());
  EXPECT_TRUE(s->TransparentBorder());
  EXPECT_EQ(s->Color(), clWindow);
  EXPECT_EQ(container->Color(), clWindow);
  EXPECT_TRUE(s->AssignedValues().Empty());
  // A disabled style of an ordinary container.
  EXPECT_EQ(container->StyleDisabled()->Color(), clBtnFace);
  EXPECT_EQ(container->StyleDisabled()->TextColor(), clBtnShadow);
  EXPECT_EQ(container->StyleDisabled()->BorderColor(), clBtnShadow);
  EXPECT_EQ(s->BorderColor(), clWindowFrame);
  EXPECT_EQ(container->StyleHot()->BorderColor(), clWindowFrame);

  auto parentColored = std::make_unique<TParentColorContainer>(nullptr);
  EXPECT_EQ(parentColored->Style()->Color(), clBtnFace);
  EXPECT_EQ(parentColored->StyleDisabled()->Color(), clBtnFace);
}

TEST_F(ContainerStyle, ActiveAndHotBorderStylesFollowHotTracking) {
  auto container = std::make_unique<TcxContainer>(nullptr);
  container->Style()->SetBorderStyle(cbsSingle);
  EXPECT_EQ(container->StyleFocused()->BorderStyle(), cbsThick);
  EXPECT_EQ(container->StyleHot()->BorderStyle(), cbsThick);
  EXPECT_EQ(container->StyleDisabled()->BorderStyle(), cbsSingle);
  container->Style()->SetHotTrack(false);
  EXPECT_EQ(container->StyleFocused()->BorderStyle(), cbsSingle);
  EXPECT_EQ(container->StyleHot()->BorderStyle(), cbsSingle);
  EXPECT_EQ(container->StyleDisabled()->BorderStyle(), cbsSingle);
}

TEST_F(ContainerStyle, ValuesThatExistOnceAreForwardedToTheNormalStyle) {
  auto container = std::make_unique<TcxContainer>(nullptr);
  container->StyleFocused()->SetEdges(TcxBorders{bLeft, bTop});
  EXPECT_EQ(container->Style()->Edges(), (TcxBorders{bLeft, bTop}));
  EXPECT_TRUE(container->Style()->AssignedValues().Contains(svEdges));
  EXPECT_FALSE(container->StyleFocused()->AssignedValues().Contains(svEdges));
  container->StyleHot()->SetShadow(true);
  EXPECT_TRUE(container->Style()->Shadow());
  EXPECT_TRUE(container->StyleDisabled()->Shadow());
  // A per-state value stays in its state.
  container->StyleHot()->SetBorderColor(clRed);
  EXPECT_EQ(container->StyleHot()->BorderColor(), clRed);
  EXPECT_EQ(container->Style()->BorderColor(), clWindowFrame);
}

TEST_F(ContainerStyle, ValuesAssignedInAControllerReachTheSameStateOfLinkedStylesOnly) {
  auto controller = std::make_unique<TcxStyleController>(nullptr);
  auto a = std::make_unique<TcxContainer>(nullptr);
  auto b = std::make_unique<TcxContainer>(nullptr);
  a->Style()->SetStyleController(controller.get());
  b->Style()->SetStyleController(controller.get());
  b->StyleHot()->SetBorderColor(clLime);
  controller->InternalStyle(csHotTrack)->SetBorderColor(clRed);
  EXPECT_EQ(a->StyleHot()->BorderColor(), clRed);
  EXPECT_EQ(b->StyleHot()->BorderColor(), clLime);  // its own value wins
  EXPECT_EQ(a->Style()->BorderColor(), clWindowFrame);
  EXPECT_EQ(a->StyleFocused()->BorderColor(), clWindowFrame);
  EXPECT_TRUE(a->StyleHot()->IsValueAssigned(svBorderColor));
  EXPECT_FALSE(a->Style()->IsValueAssigned(svBorderColor));

  // Through two controllers: the second controller's value reaches the container.
  auto outer = std::make_unique<TcxStyleController>(nullptr);
  controller->Style()->SetStyleController(outer.get());
  outer->Style()->SetBorderStyle(cbsSingle);
  outer->Style()->SetColor(clYellow);
  EXPECT_EQ(a->Style()->BorderStyle(), cbsSingle);
  EXPECT_EQ(a->Style()->Color(), clYellow);
  EXPECT_EQ(a->Color(), clYellow);  // the container followed the change
  EXPECT_FALSE(a->Style()->AssignedValues().Contains(svColor));
}

TEST_F(ContainerStyle, LinkingRefusesCyclesAndDestroyedControllersFallBackToTheDefault) {
  auto c1 = std::make_unique<TcxStyleController>(nullptr);
  auto c2 = std::make_unique<TcxStyleController>(nullptr);
  c1->Style()->SetStyleController(c2.get());
  // c2 -> c1 would close the loop c1 -> c2 -> c1.
  c2->Style()->SetStyleController(c1.get());
  EXPECT_EQ(c2->Style()->StyleController(), nullptr);
  // A controller's own style cannot link to that controller.
  c1->Style()->SetStyleController(c1.get());
  EXPECT_EQ(c1->Style()->StyleController(), c2.get());
  // The default controller's styles stay unlinked.
  DefaultContainerStyleController()->Style()->SetStyleController(c1.get());
  EXPECT_EQ(DefaultContainerStyleController()->Style()->StyleController(), nullptr);

  auto container = std::make_unique<TcxContainer>(nullptr);
  EXPECT_EQ(container->Style()->StyleController(), nullptr);  // linked to the default one
  EXPECT_TRUE(DefaultContainerStyleController()->IsListener(container->Style()));
  container->Style()->SetStyleController(c1.get());
  EXPECT_EQ(container->StyleFocused()->StyleController(), c1.get());
  EXPECT_FALSE(DefaultContainerStyleController()->IsListener(container->Style()));
  c1->Style()->SetColor(clAqua);
  EXPECT_EQ(container->Color(), clAqua);
  c1.reset();
  EXPECT_EQ(container->Style()->StyleController(), nullptr);
  EXPECT_TRUE(DefaultContainerStyleController()->IsListener(container->Style()));
  EXPECT_EQ(container->Style()->Color(), clWindow);
  EXPECT_EQ(container->Style()->LookAndFeel()->MasterLookAndFeel(),
            DefaultContainerStyleController()->Style()->LookAndFeel());
}

TEST_F(ContainerStyle, ChangesInsideAnUpdateAreAnnouncedOnce) {
  TcxContainerStyle style(nullptr, false);
  int changes = 0;
  struct Counter {
    int* N;
    void Changed(TObject*) { ++*N; }
  } counter{&changes};
  style.OnChanged = TNotifyEvent(&counter, &Counter::Changed);
  style.SetColor(clRed);
  EXPECT_EQ(changes, 1);
  style.SetColor(clRed);  // unchanged and assigned: nothing
  EXPECT_EQ(changes, 1);
  style.BeginUpdate();
  style.SetColor(clBlue);
  style.SetBorderStyle(cbsSingle);
  style.Font()->SetHeight(20);
  style.SetTextStyle(TFontStyles{fsBold});
  EXPECT_EQ(changes, 1);
  style.EndUpdate();
  EXPECT_EQ(changes, 2);
  style.EndUpdate();  // unmatched
  EXPECT_EQ(changes, 2);
  style.SetColor(clGreen);
  EXPECT_EQ(changes, 3);
  // The font's own change marks it assigned.
  EXPECT_TRUE(style.AssignedValues().Contains(svFont));
}

TEST_F(ContainerStyle, DirectAccessStylesStoreWhatTheyAreGivenAndNeverReport) {
  TFont font;
  font.SetStyle(TFontStyles{fsItalic});
  TcxContainerStyle style(nullptr, true);
  int changes = 0;
  struct Counter {
    int* N;
    void Changed(TObject*) { ++*N; }
  } counter{&changes};
  style.OnChanged = TNotifyEvent(&counter, &Counter::Changed);
  style.SetFont(&font);
  style.SetColor(clRed);
  EXPECT_EQ(style.Font(), &font);
  EXPECT_EQ(style.TextStyle(), TFontStyles{fsItalic});
  EXPECT_EQ(style.Color(), clRed);
  EXPECT_EQ(style.BorderColor(), clDefault);
  EXPECT_FALSE(style.Shadow());
  EXPECT_EQ(style.Edges(), TcxBorders{});
  EXPECT_EQ(changes, 0);
  for (int i = 0; i < cxContainerStyleValueCount; ++i) EXPECT_TRUE(style.AssignedValues().Contains(i));
}

TEST_F(ContainerStyle, ValueNamesAndStorage) {
  TcxContainerStyle style(nullptr, false);
  TcxContainerStyleValue v = -1;
  EXPECT_TRUE(style.GetStyleValue(u"transparentborder", v));
  EXPECT_EQ(v, svTransparentBorder);
  EXPECT_FALSE(style.GetStyleValue(u"Nothing", v));
  String name;
  EXPECT_FALSE(style.GetStyleValueName(10, name));
  EXPECT_TRUE(name.empty());
  EXPECT_FALSE(style.IsExtendedStylePropertyPublished(u"LookAndFeel"));
  EXPECT_FALSE(style.IsExtendedStylePropertyPublished(u"Edges"));
  EXPECT_TRUE(style.IsExtendedStylePropertyPublished(u"BorderColor"));
  EXPECT_TRUE(style.IsExtendedStylePropertyPublished(u"Other"));
  EXPECT_FALSE(style.IsValueStored(svColor));
  style.SetColor(clRed);
  EXPECT_TRUE(style.IsValueStored(svColor));
}

TEST_F(ContainerStyle, RestoringDefaultsClearsEveryStateAndTheLookAndFeel) {
  auto container = std::make_unique<TcxContainer>(nullptr);
  container->Style()->SetColor(clRed);
  container->StyleHot()->SetBorderColor(clRed);
  container->Style()->LookAndFeel()->SetKind(lfFlat);
  container->Styles()->RestoreDefaults();
  EXPECT_TRUE(container->Style()->AssignedValues().Empty());
  EXPECT_TRUE(container->StyleHot()->AssignedValues().Empty());
  EXPECT_TRUE(container->Style()->LookAndFeel()->AssignedValues().Empty());
  EXPECT_EQ(container->Color(), clWindow);
  EXPECT_TRUE(container->ParentFont());
}

TEST_F(ContainerStyle, ContainerColourAndOutsideFontsAreWrittenBackAsTheyShould) {
  auto container = std::make_unique<TcxContainer>(nullptr);
  container->SetColor(clYellow);
  EXPECT_TRUE(container->Style()->AssignedValues().Contains(svColor));
  EXPECT_EQ(container->Style()->Color(), clYellow);

  auto other = std::make_unique<TcxContainer>(nullptr);
  auto controller = std::make_unique<TcxStyleController>(nullptr);
  other->Style()->SetStyleController(controller.get());
  controller->Style()->SetColor(clAqua);  // from the style: not written back
  EXPECT_EQ(other->Color(), clAqua);
  EXPECT_FALSE(other->Style()->AssignedValues().Contains(svColor));
  // A font from outside reaches the style without marking it assigned.
  other->Font()->SetHeight(31);
  EXPECT_EQ(other->Style()->Font()->Height(), 31);
  EXPECT_FALSE(other->Style()->AssignedValues().Contains(svFont));
}

}  // namespace
}  // namespace qd::testing
