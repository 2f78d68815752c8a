// Object links and the library's component bases.
#include <gtest/gtest.h>

#include <memory>
#include <utility>
#include <vector>

#include "platform/classes/filer.h"
#include "ui/core/cxClassesComponents.h"
#include "ui/core/dxDPIAwareUtils.h"
#include "ui_core_test_util.h"

namespace qd::testing {
namespace {

class ObjectLinksTest : public UiCoreTest {
 protected:
  void SetUp() override {
    UiCoreTest::SetUp();
    cxClasses::Initialize();
    dxDPIAwareUtils::Initialize();
  }
  void TearDown() override {
    dxDPIAwareUtils::Finalize();
    cxClasses::Finalize();
    UiCoreTest::TearDown();
  }
};

TEST_F(ObjectLinksTest, LinksToADestroyedComponentReadNull) {
  auto* a = new TcxComponent(nullptr);
  auto* b = new TcxComponent(nullptr);
  TcxObjectLink* a1 = cxAddObjectLink(a);
  TcxObjectLink* a2 = cxAddObjectLink(a);
  TcxObjectLink* b1 = cxAddObjectLink(b);
  EXPECT_EQ(a1->Ref, a);
  delete a;
  EXPECT_EQ(a1->Ref, nullptr);
  EXPECT_EQ(a2->Ref, nullptr);
  EXPECT_EQ(b1->Ref, b);
  cxRemoveObjectLink(a1);  // already out of the registry: just freed
  cxRemoveObjectLink(b1);  // still registered: removed, then freed
  delete b;                // no link left to clear
  cxRemoveObjectLink(a2);
  EXPECT_EQ(cxAddObjectLink(nullptr), nullptr);
  cxRemoveObjectLink(nullptr);
}

TEST_F(ObjectLinksTest, AnyObjectCanBeLinkedAndClearedByHand) {
  TObject plain;
  TcxObjectLink* link = cxAddObjectLink(&plain);
  cxClearObjectLinks(&plain);
  EXPECT_EQ(link->Ref, nullptr);
  cxRemoveObjectLink(link);
}

TEST_F(ObjectLinksTest, AfterShutDownClearingDoesNothing) {
  TObject plain;
  TcxObjectLink* before = cxAddObjectLink(&plain);
  cxClasses::Finalize();
  TcxObjectLink* after = cxAddObjectLink(&plain);
  cxClearObjectLinks(&plain);
  EXPECT_EQ(before->Ref, &plain);
  EXPECT_EQ(after->Ref, &plain);
  cxRemoveObjectLink(before);
  cxRemoveObjectLink(after);
}

class TWatcher : public TComponent {
 public:
  using TComponent::TComponent;
  std::vector<std::pair<TComponent*, TOperation>> notes;
  void Notification(TComponent* AComponent, TOperation Operation) override {
    TComponent::Notification(AComponent, Operation);
    notes.emplace_back(AComponent, Operation);
  }
};

TEST_F(ObjectLinksTest, DestructionTellsTheOwnerAndThePartnersFirst) {
  TWatcher owner(nullptr);
  TWatcher partner(nullptr);
  auto* c = new TcxComponent(&owner);
  c->FreeNotification(&partner);
  owner.notes.clear();
  TcxObjectLink* link = cxAddObjectLink(c);
  delete c;
  ASSERT_FALSE(owner.notes.empty());
  EXPECT_EQ(owner.notes.front(), std::make_pair(static_cast<TComponent*>(c), opRemove));
  ASSERT_FALSE(partner.notes.empty());
  EXPECT_EQ(partner.notes.front().second, opRemove);
  EXPECT_EQ(link->Ref, nullptr);
  cxRemoveObjectLink(link);
}

class TLinking : public TcxComponent {
 public:
  using TcxComponent::TcxComponent;
  std::vector<TComponent*> offered;

 protected:
  void GetFakeComponentLinks(std::vector<TComponent*>& AList) override { AList = offered; }
};

TEST_F(ObjectLinksTest, FakeLinksAreFilledOnlyWhileDesigned) {
  TComponent root(nullptr);
  auto* x = new TComponent(&root);
  auto* y = new TComponent(&root);
  struct Case {
    bool designing;
    bool owned;
    std::vector<TComponent*> offered;
    TComponent* expected[3];
  } cases[] = {
      {true, true, {x, y}, {x, y, nullptr}},
      {true, true, {y, x, y, x}, {y, x, y}},
      {false, true, {x, y}, {nullptr, nullptr, nullptr}},
      {true, false, {x, y}, {nullptr, nullptr, nullptr}},
  };
  for (const Case& c : cases) {
    TLinking linking(c.owned ? &root : nullptr);
    linking.offered = c.offered;
    if (c.designing) linking.SetDesigning(true, false);
    linking.Loaded();
    EXPECT_EQ(linking.FakeComponentLink1(), c.expected[0]);
    EXPECT_EQ(linking.FakeComponentLink2(), c.expected[1]);
    EXPECT_EQ(linking.FakeComponentLink3(), c.expected[2]);
    if (c.owned) root.RemoveComponent(&linking);
  }
  // A linked component that goes away leaves no dangling link.
  TLinking linking(nullptr);
  linking.SetFakeComponentLink2(y);
  delete y;
  EXPECT_EQ(linking.FakeComponentLink2(), nullptr);
}

class TScalable : public TcxScalableComponent {
  QD_CLASS_INLINE(TScalable, TcxScalableComponent)

 public:
  using OwnerType = TComponent;
  explicit TScalable(TComponent* AOwner) : TcxScalableComponent(AOwner) {}
  std::vector<std::pair<int32_t, int32_t>> changes;

 protected:
  void ChangeScale(int32_t N, int32_t D) override {
    changes.emplace_back(N, D);
    TcxScalableComponent::ChangeScale(N, D);
  }
};

int64_t StoredPixelsPerInch(TComponent* C) {
  TWriter writer;
  TFormObject form = writer.WriteRootComponent(C);
  for (const TFormProperty& p : form.Props)
    if (p.Name == u"PixelsPerInch") return p.Value.Int;
  return -1;
}

TEST_F(ObjectLinksTest, ScalableComponentFollowsItsOwnersDPI) {
  for (int32_t dpi : {96, 120, 144, 192}) {
    SCOPED_TRACE(dpi);
    TForm* form = CreateNewForm<TForm>(Application);
    form->SetCurrentPPI(dpi);
    auto* s = new TScalable(form);
    EXPECT_EQ(TdxScaleFactorHelper::TargetDPI(s->ScaleFactor()), dpi);
    EXPECT_EQ(StoredPixelsPerInch(s), dpi);
    delete form;
  }
  TForm* form = CreateNewForm<TForm>(Application);
  form->SetCurrentPPI(144);
  auto* s = new TScalable(form);
  EXPECT_EQ(s->ScaleFactor()->Numerator(), 3);
  EXPECT_EQ(s->ScaleFactor()->Denominator(), 2);
  EXPECT_EQ(dxGetCurrentDPI(s), 144);  // it offers its scale factor
}

TEST_F(ObjectLinksTest, LoadingAStoredDPIRescalesToTheOwnersDPI) {
  RegisterClass(TScalable::StaticClass());
  struct Case {
    const char16_t* text;
    std::vector<std::pair<int32_t, int32_t>> changes;
  } cases[] = {
      {u"object S: TScalable\n  PixelsPerInch = 96\nend\n", {{144, 96}}},
      {u"object S: TScalable\n  PixelsPerInch = 144\nend\n", {}},
      {u"object S: TScalable\n  PixelsPerInch = 192\nend\n", {{144, 192}}},
      // A damaged value is taken as the nearest sane DPI.
      {u"object S: TScalable\n  PixelsPerInch = 0\nend\n", {{144, 30}}},
  };
  for (const Case& c : cases) {
    TForm* form = CreateNewForm<TForm>(Application);
    form->SetCurrentPPI(144);
    auto* s = new TScalable(form);
    TReader reader;
    reader.ReadRootComponent(ParseStoredForm(c.text), s, form);
    EXPECT_EQ(s->changes, c.changes);
    EXPECT_EQ(TdxScaleFactorHelper::TargetDPI(s->ScaleFactor()), 144);
    delete form;
  }
  UnRegisterClass(TScalable::StaticClass());
}

TEST_F(ObjectLinksTest, LibraryComponentsAreInTheVisualControlGroup) {
  for (TClass c : {TcxCustomComponent::StaticClass(), TcxComponent::StaticClass(),
                   TcxScalableComponent::StaticClass(), TScalable::StaticClass()})
    EXPECT_EQ(ClassGroupOf(c), TControl::StaticClass()) << c->name;
  RegisterClass(TScalable::StaticClass());
  TForm* form = CreateNewForm<TForm>(Application);
  TReader reader;
  reader.ReadRootComponent(ParseStoredForm(u"object F: TForm\n  object S: TScalable\n  end\nend\n"), form,
                           Application);
  EXPECT_NE(dynamic_cast<TScalable*>(form->FindComponent(u"S")), nullptr);
  delete form;
  // Outside the visual-control group a stored form could not name it.
  const TClass saved = ActivateClassGroup(TObject::StaticClass());
  EXPECT_EQ(GetClass("TScalable"), nullptr);
  EXPECT_EQ(ActivateClassGroup(saved), TObject::StaticClass());
  EXPECT_EQ(GetClass("TScalable"), TScalable::StaticClass());
  UnRegisterClass(TScalable::StaticClass());
}

TEST_F(ObjectLinksTest, NotScalableKeepsItsFactor) {
  TScalable s(nullptr);
  s.SetScalable(false);
  s.ScaleForPPI(192);
  EXPECT_TRUE(s.changes.empty());
  s.SetScalable(true);
  s.ScaleForPPI(192);
  EXPECT_EQ(s.changes, (std::vector<std::pair<int32_t, int32_t>>{{192, 96}}));
  EXPECT_EQ(TdxScaleFactorHelper::TargetDPI(s.ScaleFactor()), 192);
}

}  // namespace
}  // namespace qd::testing
