#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/base/strings.h"
#include "platform/classes/classes.h"

namespace qd {
namespace {

std::vector<std::string> gLog;

std::string N(const TComponent* c) {
  return StringToUtf8(c->Name());
}

class TRec : public TComponent {
  QD_CLASS(TRec, TComponent)

 public:
  using TComponent::TComponent;
  TRec(TComponent* owner, const char16_t* name) : TComponent(owner) { SetName(name); }
  ~TRec() override { gLog.push_back("free " + StringToUtf8(Name())); }
  void Notification(TComponent* c, TOperation op) override {
    gLog.push_back(N(this) + (op == opInsert ? " +" : " -") + N(c));
    TComponent::Notification(c, op);
  }
};
QD_IMPLEMENT_CLASS(TRec)

TEST(IdentMap, NamesMatchWithoutCaseValuesExactlyAndMissesLeaveTheResult) {
  const TIdentMapEntry map[] = {{-1, u"xxFirst"}, {7, u"xxSeven"}, {7, u"xxAlias"}};
  int64_t v = 42;
  EXPECT_TRUE(IdentToInt(u"XXSEVEN", v, map));
  EXPECT_EQ(v, 7);
  EXPECT_TRUE(IdentToInt(u"xxalias", v, map));
  EXPECT_EQ(v, 7);
  v = 42;
  EXPECT_FALSE(IdentToInt(u"xxSeve", v, map));
  EXPECT_EQ(v, 42);
  String name = u"kept";
  EXPECT_TRUE(IntToIdent(7, name, map));
  EXPECT_EQ(name, u"xxSeven");  // the first entry of the value
  EXPECT_TRUE(IntToIdent(-1, name, map));
  EXPECT_EQ(name, u"xxFirst");
  name = u"kept";
  EXPECT_FALSE(IntToIdent(8, name, map));
  EXPECT_EQ(name, u"kept");
}

TEST(Component, OwnerFreesChildrenLastFirstAndNotifiesSiblingsOfFreeNotifiers) {
  gLog.clear();
  auto* owner = new TRec(nullptr, u"Form");
  new TRec(owner, u"A");
  auto* b = new TRec(owner, u"B");
  new TRec(owner, u"C");
  // Names are set after insertion; the owner hears first, then its components, last first.
  EXPECT_EQ(gLog, (std::vector<std::string>{"Form +", "Form +", "A +", "Form +", "B +", "A +"}));
  EXPECT_EQ(owner->ComponentCount(), 3);
  EXPECT_EQ(b->ComponentIndex(), 1);
  EXPECT_EQ(owner->FindComponent(u"b"), b);
  EXPECT_EQ(owner->FindComponent(u""), nullptr);
  gLog.clear();
  // Without free notification the children are freed silently, last first.
  delete owner;
  // (The derived destructor runs before TComponent's, so "free Form" comes first.)
  EXPECT_EQ(gLog, (std::vector<std::string>{"free Form", "free C", "free B", "free A"}));
}

TEST(Component, FreeNotificationWorksBothWaysAcrossOwners) {
  gLog.clear();
  {
    TRec f1(nullptr, u"F1"), f2(nullptr, u"F2");
    auto* a = new TRec(&f1, u"A");
    auto* b = new TRec(&f2, u"B");
    a->FreeNotification(b);
    gLog.clear();
    delete b;  // a learns that b is gone
    EXPECT_EQ(gLog, (std::vector<std::string>{"free B", "A -B", "F2 -B"}));
    auto* c = new TRec(&f2, u"C");
    c->FreeNotification(a);
    gLog.clear();
    delete a;  // and the other way round
    EXPECT_EQ(gLog, (std::vector<std::string>{"free A", "C -A", "F1 -A"}));
    gLog.clear();
  }
  // Leaving the scope frees f2 (with C) and f1; nothing refers to freed partners.
  EXPECT_EQ(gLog.back(), "free F1");
}

TEST(Component, PartnerFreedByItsOwnerStillNotifiesAndSiblingsHearIt) {
  gLog.clear();
  auto* form = new TRec(nullptr, u"Form");
  auto* other = new TRec(nullptr, u"Other");
  auto* a = new TRec(form, u"A");
  new TRec(form, u"B");
  a->FreeNotification(other);
  gLog.clear();
  delete form;
  // A asked for notification, so its owner removes it with notification, and Other is
  // told while A is being freed.
  EXPECT_EQ(gLog, (std::vector<std::string>{"free Form", "free B", "A -A", "free A", "Other -A"}));
  gLog.clear();
  delete other;
  EXPECT_EQ(gLog, (std::vector<std::string>{"free Other"}));
}

TEST(Component, NamesAreValidatedPerOwner) {
  TComponent owner(nullptr);
  auto* a = new TComponent(&owner);
  auto* b = new TComponent(&owner);
  a->SetName(u"Button1");
  a->SetName(u"BUTTON1");  // the same name in another case is not a duplicate of itself
  try {
    b->SetName(u"button1");
    FAIL() << "duplicate accepted";
  } catch (const EComponentError& e) {
    EXPECT_EQ(e.Message(), u"A component named button1 already exists");
  }
  for (const char16_t* bad : {u"1abc", u"a b", u"a.b", u"-"}) {
    try {
      b->SetName(bad);
      FAIL() << StringToUtf8(bad);
    } catch (const EComponentError& e) {
      EXPECT_EQ(e.Message(), u"'" + String(bad) + u"' is not a valid component name");
    }
  }
  b->SetName(u"_ok2");
  EXPECT_EQ(b->Name(), u"_ok2");
  // A duplicate name cannot be inserted into another owner either.
  TComponent other(nullptr);
  auto* c = new TComponent(&other);
  c->SetName(u"Button1");
  EXPECT_THROW(owner.InsertComponent((other.RemoveComponent(c), c)), EComponentError);
  EXPECT_EQ(c->Owner(), nullptr);
  delete c;
  EXPECT_EQ(a->GetNamePath(), u"BUTTON1");
  EXPECT_THROW(owner.Components(2), EListError);
}

TEST(Component, ComponentIndexMovesWithinOwner) {
  TComponent owner(nullptr);
  TComponent* c[3];
  for (auto& x : c) x = new TComponent(&owner);
  c[0]->SetComponentIndex(5);
  EXPECT_EQ(owner.Components(2), c[0]);
  c[0]->SetComponentIndex(-1);
  EXPECT_EQ(owner.Components(0), c[0]);
  EXPECT_EQ(c[2]->ComponentIndex(), 2);
}

TEST(Component, DestroyingMarksOwnedComponents) {
  TComponent owner(nullptr);
  auto* a = new TComponent(&owner);
  owner.Destroying();
  EXPECT_TRUE(a->ComponentState().Contains(csDestroying));
  a->Loaded();
  EXPECT_FALSE(a->ComponentState().Contains(csLoading));
}

class TPointA : public TPersistent {
  QD_CLASS(TPointA, TPersistent)
 public:
  int x = 0;
  void Assign(TPersistent* src) override {
    if (auto* p = dynamic_cast<TPointA*>(src)) {
      x = p->x;
      return;
    }
    TPersistent::Assign(src);
  }
};
QD_IMPLEMENT_CLASS(TPointA)

TEST(Persistent, AssignRaisesConversionErrorWhenNeitherSideKnows) {
  TPointA a, b;
  b.x = 7;
  a.Assign(&b);
  EXPECT_EQ(a.x, 7);
  TComponent c(nullptr);
  try {
    a.Assign(&c);
    FAIL();
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), u"Cannot assign a TComponent to a TPointA");
  }
  try {
    a.Assign(nullptr);
    FAIL();
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), u"Cannot assign a nil to a TPointA");
  }
}

// --- Collections ----------------------------------------------------------------------

class TItem : public TCollectionItem {
  QD_CLASS(TItem, TCollectionItem)
 public:
  using TCollectionItem::TCollectionItem;
  int value = 0;
  void Assign(TPersistent* src) override {
    if (auto* i = dynamic_cast<TItem*>(src)) {
      value = i->value;
      Changed(false);
      return;
    }
    TCollectionItem::Assign(src);
  }
  void Touch() { Changed(false); }
};
QD_IMPLEMENT_CLASS(TItem)

class TRecColl : public TOwnedCollection {
  QD_CLASS(TRecColl, TOwnedCollection)
 public:
  explicit TRecColl(TPersistent* owner = nullptr) : TOwnedCollection(owner, TItem::StaticClass()) {}
  std::vector<std::string> log;

 protected:
  void Update(TCollectionItem* item) override {
    log.push_back(item ? "update " + std::to_string(static_cast<TItem*>(item)->value) : "update all");
  }
  void Notify(TCollectionItem* item, TCollectionNotification a) override {
    // The item must be complete here: its class is the item class.
    ASSERT_NE(dynamic_cast<TItem*>(item), nullptr);
    log.push_back(a == cnAdded ? "added" : a == cnExtracting ? "extracting" : "deleting");
  }
};
QD_IMPLEMENT_CLASS(TRecColl)

TEST(Collection, AddInsertDeleteIndexIdAndUpdates) {
  TComponent owner(nullptr);
  owner.SetName(u"Form1");
  TRecColl c(&owner);
  c.SetPropName(u"Items");
  auto* i0 = static_cast<TItem*>(c.Add());
  auto* i1 = static_cast<TItem*>(c.Add());
  EXPECT_EQ(c.log, (std::vector<std::string>{"added", "update all", "added", "update all"}));
  auto* ins = static_cast<TItem*>(c.Insert(0));
  EXPECT_EQ(ins->Index(), 0);
  EXPECT_EQ(ins->ID(), 2);
  EXPECT_EQ(i1->Index(), 2);
  EXPECT_EQ(c.FindItemID(1), i1);
  EXPECT_EQ(i1->GetNamePath(), u"Form1.Items[2]");
  c.log.clear();
  c.BeginUpdate();
  i0->value = 5;
  i0->Touch();
  c.Delete(0);
  EXPECT_EQ(c.log, (std::vector<std::string>{"deleting", "extracting"}));
  c.EndUpdate();
  EXPECT_EQ(c.log.back(), "update all");
  c.log.clear();
  i0->Touch();
  EXPECT_EQ(c.log, (std::vector<std::string>{"update 5"}));
  EXPECT_THROW(c.Items(2), EListError);
  EXPECT_THROW(c.Delete(-1), EListError);

  TRecColl copy;
  copy.Assign(&c);
  ASSERT_EQ(copy.Count(), 2);
  EXPECT_EQ(static_cast<TItem*>(copy.Items(0))->value, 5);
  c.Clear();
  EXPECT_EQ(c.Count(), 0);
  // Moving an item to another collection.
  auto* moved = copy.Items(1);
  moved->SetCollection(&c);
  EXPECT_EQ(c.Count(), 1);
  EXPECT_EQ(copy.Count(), 1);
}

}  // namespace
}  // namespace qd
