// Editor properties: change batching, alignment defaults, assigned values, the default-values
// provider, assignment and the change-events catcher.
#include <gtest/gtest.h>

#include <vector>

#include "editors/edit_properties_test_util.h"
#include "ui/editors/cxEdit.h"
#include "ui/editors/cxEditConsts.h"

namespace qd {
namespace {

using testing::FakeProvider;
using testing::PropertiesChangeCounter;

TEST(EditProperties, UpdateBatchesChangesIntoOneNotification) {
  TcxCustomEditProperties p(nullptr);
  PropertiesChangeCounter c;
  c.Attach(&p);
  p.BeginUpdate();
  p.SetAutoSelect(false);
  p.SetBeepOnError(true);
  p.SetImmediatePost(true);
  EXPECT_EQ(c.Count, 0);
  p.EndUpdate(true);
  EXPECT_EQ(c.Count, 1);

  p.BeginUpdate();
  p.SetTransparent(true);
  p.EndUpdate(false);  // the pending notification is dropped
  EXPECT_EQ(c.Count, 1);

  p.EndUpdate(true);       // unbalanced: ignored
  p.SetTransparent(true);  // same value: nothing
  EXPECT_EQ(c.Count, 1);

  p.LockUpdate(true);
  p.SetUseMouseWheel(false);
  EXPECT_EQ(c.Count, 1);
  p.LockUpdate(false);
  p.SetUseMouseWheel(true);
  EXPECT_EQ(c.Count, 2);
}

TEST(EditProperties, HandlerSeesIsChangingAndNestedChangesNotify) {
  TcxCustomEditProperties p(nullptr);
  PropertiesChangeCounter c;
  c.Attach(&p);
  c.Inside = [&] {
    if (c.Count == 1) p.SetClearKey(42);
  };
  EXPECT_FALSE(p.IsChanging());
  p.SetValidateOnEnter(true);
  ASSERT_EQ(c.Count, 2);
  EXPECT_TRUE(c.ChangingInside[0]);
  EXPECT_TRUE(c.ChangingInside[1]);
  EXPECT_FALSE(p.IsChanging());
}

TEST(EditProperties, ReadOnlyAssignedAndCanModifyWithProvider) {
  FakeProvider provider;
  TcxCustomEditProperties p(nullptr);
  PropertiesChangeCounter c;
  c.Attach(&p);
  p.SetIDefaultValuesProvider(&provider);

  provider.ReadOnlyDefault = true;
  EXPECT_TRUE(p.ReadOnly());  // unassigned: the provider's default
  EXPECT_FALSE(p.CanModify());

  p.SetReadOnly(false);  // same effective value, but it marks the value assigned
  EXPECT_EQ(c.Count, 1);
  EXPECT_TRUE(p.IsReadOnlyStored());
  EXPECT_FALSE(p.ReadOnly());
  provider.CanModifyDefault = false;  // not read-only: the provider decides
  EXPECT_FALSE(p.CanModify());
  p.SetReadOnly(false);  // assigned with the same value: nothing
  EXPECT_EQ(c.Count, 1);

  p.SetReadOnly(true);
  EXPECT_FALSE(p.CanModify());

  TcxCustomEditProperties q(nullptr);
  q.SetReadOnly(false);
  EXPECT_TRUE(q.CanModify());  // no provider
}

TEST(EditProperties, MinMaxValuesFollowProviderUntilAssigned) {
  FakeProvider provider;
  provider.MaxDefault = 7;
  TcxCustomEditProperties p(nullptr);
  PropertiesChangeCounter c;
  c.Attach(&p);
  EXPECT_EQ(p.MaxValue(), 0);
  p.SetIDefaultValuesProvider(&provider);
  EXPECT_EQ(p.MaxValue(), 7);
  p.SetMaxValue(0);
  EXPECT_TRUE(p.AssignedValues()->MaxValue());
  EXPECT_EQ(p.MaxValue(), 0);
  EXPECT_EQ(c.Count, 1);
  // The base class publishes no MaxValue, so an assigned 0 is not stored for it.
  EXPECT_FALSE(p.AssignedValues()->IsMaxValueStored());

  p.FillMinMaxValues(10, 1);
  EXPECT_EQ(c.Count, 2);
  p.FillMinMaxValues(10, 1);
  EXPECT_EQ(c.Count, 2);
  EXPECT_EQ(p.MinValue(), 1);

  p.RestoreDefaults();
  EXPECT_EQ(c.Count, 3);  // one notification for the three flags
  EXPECT_FALSE(p.AssignedValues()->MaxValue());
  EXPECT_EQ(p.MaxValue(), 7);
}

TEST(EditProperties, AlignmentFollowsProviderUntilAssigned) {
  FakeProvider provider;
  TcxCustomEditProperties p(nullptr);
  PropertiesChangeCounter c;
  c.Attach(&p);
  EXPECT_EQ(p.Alignment()->Horz(), taLeftJustify);
  EXPECT_EQ(p.Alignment()->Vert(), taTopJustify);
  p.SetIDefaultValuesProvider(&provider);
  EXPECT_EQ(p.Alignment()->Horz(), taRightJustify);
  EXPECT_FALSE(p.IsAlignmentStored());

  p.Alignment()->SetHorz(taCenter);
  EXPECT_EQ(c.Count, 1);
  EXPECT_TRUE(p.IsAlignmentStored());
  provider.Alignment = taLeftJustify;
  EXPECT_EQ(p.Alignment()->Horz(), taCenter);

  p.Alignment()->SetVert(taVCenter);
  EXPECT_EQ(c.Count, 2);
  EXPECT_EQ(p.Alignment()->Vert(), taVCenter);

  // An explicit left alignment (the default value) stays stored and wins over the provider.
  TcxCustomEditProperties q(nullptr);
  provider.Alignment = taRightJustify;
  q.SetIDefaultValuesProvider(&provider);
  q.Alignment()->SetHorz(taLeftJustify);
  EXPECT_TRUE(q.IsAlignmentStored());
  EXPECT_EQ(q.Alignment()->Horz(), taLeftJustify);
  q.RestoreDefaults();
  EXPECT_EQ(q.Alignment()->Horz(), taRightJustify);
}

TEST(EditAlignment, AssignedMarkAndStoredRules) {
  TcxEditAlignment a(nullptr, taVCenter, taRightJustify);
  int notified = 0;
  struct Counter {
    int* n;
    void On(TObject*) { ++*n; }
  } counter{&notified};
  a.SetOnChanged(MakeMethod(&counter, &Counter::On));
  EXPECT_FALSE(a.IsHorzStored());
  EXPECT_FALSE(a.IsVertStored());
  a.SetHorz(taRightJustify);  // the default value, but assigned now
  EXPECT_TRUE(a.IsHorzStored());
  EXPECT_EQ(notified, 1);
  a.SetHorz(taRightJustify);
  EXPECT_EQ(notified, 1);
  a.SetVert(taVCenter);
  EXPECT_EQ(notified, 1);
  a.SetVert(taBottomJustify);
  EXPECT_TRUE(a.IsVertStored());
  a.Reset();
  EXPECT_EQ(notified, 3);
  EXPECT_FALSE(a.IsHorzStored());
  EXPECT_EQ(a.Horz(), taRightJustify);
}

TEST(EditProperties, AssignCopiesValuesWithOneNotification) {
  TcxCustomEditProperties src(nullptr);
  src.SetAutoSelect(false);
  src.SetClickKey(0);
  src.SetReadOnly(true);
  src.SetMinValue(3);
  src.SetValidationOptions({evoShowErrorIcon});
  src.Alignment()->SetHorz(taCenter);
  struct Handler {
    void Change(TObject*) {}
    void Popup(TObject*, TcxEditCloseUpReason) {}
  } h;
  src.SetOnChange(MakeMethod(&h, &Handler::Change));
  src.SetOnClosePopup(MakeMethod(&h, &Handler::Popup));

  TcxCustomEditProperties dst(nullptr);
  dst.SetMaxValue(9);  // assigned here, unassigned in the source: cleared
  PropertiesChangeCounter c;
  c.Attach(&dst);
  dst.Assign(&src);
  EXPECT_EQ(c.Count, 1);
  EXPECT_FALSE(dst.AutoSelect());
  EXPECT_EQ(dst.ClickKey(), 0);
  EXPECT_TRUE(dst.ReadOnly());
  EXPECT_TRUE(dst.AssignedValues()->MinValue());
  EXPECT_EQ(dst.MinValue(), 3);
  EXPECT_FALSE(dst.AssignedValues()->MaxValue());
  EXPECT_EQ(dst.ValidationOptions(), TcxEditValidationOptions{evoShowErrorIcon});
  EXPECT_EQ(dst.InternalValidationOptions(), TcxEditValidationOptions{evoShowErrorIcon});
  EXPECT_EQ(dst.Alignment()->Horz(), taCenter);
  EXPECT_TRUE(dst.OnChange().Assigned());
  EXPECT_FALSE(dst.OnClosePopup().Assigned());        // not copied
  EXPECT_TRUE(dst.OnPropertiesChanged().Assigned());  // the target keeps its listener

  std::unique_ptr<TcxCustomEditProperties> clone(src.Clone(nullptr));
  EXPECT_EQ(clone->ClassType(), src.ClassType());
  EXPECT_EQ(clone->MinValue(), 3);
}

TEST(EditProperties, ProviderDestructionClearsItFromProperties) {
  TcxCustomEditProperties p(nullptr), q(nullptr);
  {
    FakeProvider provider;
    p.SetIDefaultValuesProvider(&provider);
    q.SetIDefaultValuesProvider(&provider);
    EXPECT_NE(CreatedEditPropertiesList()->IndexOf(&p), -1);
  }
  EXPECT_EQ(p.IDefaultValuesProvider(), nullptr);
  EXPECT_EQ(q.IDefaultValuesProvider(), nullptr);
}

TEST(EditProperties, DefaultsAndValidationText) {
  TcxCustomEditProperties p(nullptr);
  EXPECT_TRUE(p.AutoSelect());
  EXPECT_EQ(p.ClickKey(), 16397);
  EXPECT_TRUE(p.UseLeftAlignmentOnEditing());
  EXPECT_EQ(p.ValidationOptions(), TcxEditValidationOptions{evoRaiseException});
  EXPECT_EQ(p.GetValidateErrorText(ekDefault), u"Invalid input value. Use escape key to abandon changes");
  // The base class does not validate: the text and value stay untouched.
  Variant v(String(u"x"));
  String text;
  bool error = true;
  p.ValidateDisplayValue(v, text, error);
  EXPECT_TRUE(text.empty());
}

TEST(EditProperties, DestroyedPropertiesLeaveTheCreatedList) {
  int before = CreatedEditPropertiesList()->Count();
  auto* p = new TcxCustomEditProperties(nullptr);
  EXPECT_EQ(CreatedEditPropertiesList()->Count(), before + 1);
  delete p;
  EXPECT_EQ(CreatedEditPropertiesList()->Count(), before);
}

// A fake editor for the catcher.
struct CatcherEdit : IcxEditChangeEventsTarget {
  bool Loading = false;
  bool HasChange = true;
  bool HasValueChanged = true;
  std::vector<const char*> Fired;
  bool IsLoadingOrDestroying() const override { return Loading; }
  bool HasOnChangeHandler() const override { return HasChange; }
  bool HasOnEditValueChangedHandler() const override { return HasValueChanged; }
  void DoOnChange() override { Fired.push_back("Change"); }
  void DoOnEditValueChanged() override { Fired.push_back("EditValueChanged"); }
};

TEST(EditChangeEventsCatcher, FiresHeldEventsOnceAtTheLastUnlock) {
  CatcherEdit edit;
  TcxEditChangeEventsCatcher catcher(&edit);
  catcher.Lock(true);
  catcher.Lock(true);
  for (int i = 0; i < 3; ++i) {
    catcher.SetOnChangeEvent(true);
    catcher.SetOnEditValueChangedEvent(true);
  }
  catcher.Lock(false);
  EXPECT_TRUE(edit.Fired.empty());
  catcher.Lock(false);
  EXPECT_EQ(edit.Fired, (std::vector<const char*>{"Change", "EditValueChanged"}));
  catcher.Lock(false);  // below zero: nothing
  EXPECT_FALSE(catcher.IsLocked());
  EXPECT_EQ(edit.Fired.size(), 2u);
}

TEST(EditChangeEventsCatcher, PendingFlagWithoutHandlerWaitsForNextLock) {
  CatcherEdit edit;
  edit.HasChange = false;
  TcxEditChangeEventsCatcher catcher(&edit);
  catcher.Lock(true);
  catcher.SetOnChangeEvent(true);
  catcher.SetOnEditValueChangedEvent(true);
  catcher.Lock(false);
  EXPECT_EQ(edit.Fired, (std::vector<const char*>{"EditValueChanged"}));
  EXPECT_TRUE(catcher.OnChangeEvent());
  catcher.Lock(true);  // from zero: the flags are cleared
  EXPECT_FALSE(catcher.OnChangeEvent());
  catcher.Lock(false, false);

  edit.Loading = true;
  catcher.Lock(true);
  catcher.SetOnEditValueChangedEvent(true);
  catcher.Lock(false);
  EXPECT_EQ(edit.Fired.size(), 1u);
}

}  // namespace
}  // namespace qd
