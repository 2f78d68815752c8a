// The edit repository and its items' listeners, the properties registry and the editors'
// start-up.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/editors/cxEdit.h"
#include "ui/editors/cxEditConsts.h"

namespace qd {
namespace {

// Records what an item tells it; on removal it forgets the item the way an editor does.
struct RecordingListener : IcxEditRepositoryItemListener {
  std::string Name;
  std::vector<std::string>* Log;
  TcxEditRepositoryItem* Item = nullptr;
  RecordingListener(std::string AName, std::vector<std::string>* ALog) : Name(std::move(AName)), Log(ALog) {}
  void RepositoryItemListenerItemRemoved(TcxEditRepositoryItem* Sender) override {
    Log->push_back(Name + ":removed");
    Sender->RemoveListener(this);
    Item = nullptr;
  }
  void RepositoryItemListenerPropertiesChanged(TcxEditRepositoryItem*) override {
    Log->push_back(Name + ":changed");
  }
};

class TcxEditRepositoryTextItemForTest : public TcxEditRepositoryItem {
  QD_CLASS(TcxEditRepositoryTextItemForTest, TcxEditRepositoryItem)

 public:
  using TcxEditRepositoryItem::TcxEditRepositoryItem;
};
QD_IMPLEMENT_CLASS(TcxEditRepositoryTextItemForTest)

TEST(EditRepository, ItemsByNameAndClear) {
  TComponent owner(nullptr);
  auto* repository = new TcxEditRepository(&owner);
  repository->SetName(u"Repo");
  TcxEditRepositoryItem* a = repository->CreateItem(TcxEditRepositoryItem::StaticClass());
  a->SetName(u"FirstItem");
  TcxEditRepositoryItem* b = repository->CreateItem(TcxEditRepositoryTextItemForTest::StaticClass());
  EXPECT_EQ(repository->Count(), 2);
  EXPECT_EQ(repository->ItemByName(u"firstITEM"), a);
  EXPECT_EQ(repository->ItemByName(u"Other"), nullptr);
  EXPECT_EQ(a->Repository(), repository);
  EXPECT_EQ(b->GetParentComponent(), repository);
  EXPECT_EQ(b->GetBaseName(), u"RepoTextItemForTest");
  EXPECT_EQ(a->GetBaseName(), u"RepoItem");
  EXPECT_TRUE(b->ArePropertiesCompatible(TcxCustomEditProperties::StaticClass()));

  std::vector<TComponent*> children;
  repository->GetChildren([&](TComponent* c) { children.push_back(c); }, repository);
  EXPECT_EQ(children.size(), 2u);

  delete a;  // leaves the repository
  EXPECT_EQ(repository->Count(), 1);
  repository->Clear();
  EXPECT_EQ(repository->Count(), 0);
  EXPECT_THROW(repository->CreateItem(TcxCustomEditProperties::StaticClass()), EcxEditError);
}

TEST(EditRepository, ListenersHearChangesLastFirstAndRemovalBeforeTheItemGoes) {
  std::vector<std::string> log;
  RecordingListener one("one", &log), two("two", &log);
  TcxEditRepository repository(nullptr);
  TcxEditRepositoryItem* item = repository.CreateItem(TcxEditRepositoryItem::StaticClass());
  item->AddListener(&one);
  item->AddListener(&two);
  item->AddListener(&one);  // already present
  one.Item = two.Item = item;
  EXPECT_EQ(item->ListenerCount(), 2);

  item->Properties()->SetBeepOnError(true);
  EXPECT_EQ(log, (std::vector<std::string>{"two:changed", "one:changed"}));

  log.clear();
  delete item;
  EXPECT_EQ(log, (std::vector<std::string>{"two:removed", "one:removed"}));
  EXPECT_EQ(one.Item, nullptr);
  EXPECT_EQ(two.Item, nullptr);
  EXPECT_EQ(repository.Count(), 0);
}

TEST(EditRegistries, RegisteredPropertiesAreSortedByDescription) {
  TcxRegisteredClasses* registry = GetRegisteredEditProperties();
  ASSERT_NE(registry, nullptr);
  EXPECT_TRUE(registry->Sorted());
  registry->Register(TcxEditRepositoryTextItemForTest::StaticClass(), u"Zeta|last");
  registry->Register(TcxEditRepositoryItem::StaticClass(), u"Alpha|first");
  EXPECT_EQ(registry->GetIndexByClass(TcxEditRepositoryItem::StaticClass()), 0);
  registry->Unregister(TcxEditRepositoryTextItemForTest::StaticClass());
  registry->Unregister(TcxEditRepositoryItem::StaticClass());
}

TEST(EditHelpers, VariantEqualityAndSpaces) {
  struct Case {
    Variant A, B;
    bool Equals, Exact;
  };
  const Case cases[] = {
      {Variant(1), Variant(1.0), true, false},
      {Variant(String(u"1")), Variant(1), false, false},
      {Variant(String(u"ab")), Variant(String(u"ab")), true, true},
      {Variant(String(u"ab")), Variant(String(u"AB")), false, false},
      {Null(), Null(), true, true},
      {Null(), Variant(), false, false},
      {Variant(2), Variant(3), false, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(cxEditVarEquals(c.A, c.B), c.Equals) << (&c - cases);
    EXPECT_EQ(InternalVarEqualsExact(c.A, c.B), c.Exact) << (&c - cases);
  }
  for (Char ch : std::u16string(u"\t\n\f\r ")) EXPECT_TRUE(IsSpaceChar(ch));
  EXPECT_TRUE(IsSpaceChar(0));
  EXPECT_FALSE(IsSpaceChar(u'\v'));
  EXPECT_FALSE(IsSpaceChar(u'a'));
}

TEST(EditHelpers, OwnerComponentWalksPersistentOwners) {
  TComponent owner(nullptr);
  TcxEditRepositoryItem item(&owner);
  TcxCustomEditProperties* props = item.Properties();
  EXPECT_EQ(GetOwnerComponent(props), &item);
  EXPECT_EQ(GetOwnerComponent(item.Properties()->Alignment()), &item);
  EXPECT_EQ(GetOwnerComponent(nullptr), nullptr);
}

TEST(EditConsts, TextsAreRegisteredAndTranslatable) {
  cxEditConsts::Initialize();
  EXPECT_EQ(dxResourceStringsRepository()->GetOriginalValue(u"cxSEditValidateErrorText"),
            u"Invalid input value. Use escape key to abandon changes");
  EXPECT_EQ(dxResourceStringsRepository()->GetOriginalValue(u"scxRegExprLine"), u"Line");
  cxSetResourceString(&cxSEditPostError, u"Fehler");
  EXPECT_EQ(cxGetResourceString(cxSEditPostError), u"Fehler");
  cxClearResourceStrings();
  cxEditConsts::Finalize();
}

}  // namespace
}  // namespace qd
