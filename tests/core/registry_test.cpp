#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/base/exceptions.h"
#include "platform/base/object.h"
#include "platform/classes/classes.h"
#include "ui/core/cxClasses.h"

namespace qd {
namespace {

// A <- B <- D <- E, A <- C; X and Y stand for the classes registered for them.
struct RegA : TObject {
  QD_CLASS_INLINE(RegA, TObject)
};
struct RegB : RegA {
  QD_CLASS_INLINE(RegB, RegA)
};
struct RegC : RegA {
  QD_CLASS_INLINE(RegC, RegA)
};
struct RegD : RegB {
  QD_CLASS_INLINE(RegD, RegB)
};
struct RegE : RegD {
  QD_CLASS_INLINE(RegE, RegD)
};
struct RegX : TObject {
  QD_CLASS_INLINE(RegX, TObject)
};
struct RegY : TObject {
  QD_CLASS_INLINE(RegY, TObject)
};

std::vector<TClass> ItemClasses(const TcxRegisteredClassList& L) {
  std::vector<TClass> r;
  for (int32_t i = 0; i < L.Count(); ++i) r.push_back(L.Items(i)->ItemClass);
  return r;
}

TEST(RegisteredClassList, MostSpecificRegisteredAncestor) {
  TcxRegisteredClassList L;
  L.Register(RegB::StaticClass(), RegY::StaticClass());
  L.Register(RegA::StaticClass(), RegX::StaticClass());  // an ancestor goes before B
  EXPECT_EQ(ItemClasses(L), (std::vector<TClass>{RegA::StaticClass(), RegB::StaticClass()}));
  L.Register(RegD::StaticClass(), RegX::StaticClass());  // a descendant of B goes right after B
  EXPECT_EQ(ItemClasses(L),
            (std::vector<TClass>{RegA::StaticClass(), RegB::StaticClass(), RegD::StaticClass()}));

  struct Row {
    TClass asked;
    TClass registered;
  } rows[] = {
      {RegE::StaticClass(), RegX::StaticClass()},  // D's entry
      {RegB::StaticClass(), RegY::StaticClass()},
      {RegC::StaticClass(), RegX::StaticClass()},  // A's entry
      {TObject::StaticClass(), nullptr},           // only descendants are registered
      {RegY::StaticClass(), nullptr},
  };
  for (const Row& r : rows) EXPECT_EQ(L.FindClass(r.asked), r.registered) << r.asked->name;

  int32_t index = 99;
  EXPECT_FALSE(L.Find(TObject::StaticClass(), index));
  EXPECT_EQ(index, 0);  // the lowest registered descendant
  index = 99;
  EXPECT_FALSE(L.Find(RegY::StaticClass(), index));
  EXPECT_EQ(index, 99);

  L.Register(RegD::StaticClass(), RegX::StaticClass());  // the same pair twice: two entries
  EXPECT_EQ(L.Count(), 4);
  L.Unregister(RegD::StaticClass(), RegX::StaticClass());
  EXPECT_EQ(ItemClasses(L), (std::vector<TClass>{RegA::StaticClass(), RegB::StaticClass()}));
  EXPECT_EQ(L.FindClass(RegE::StaticClass()), RegY::StaticClass());
}

TEST(RegisteredClasses, DescriptionsHintsAndSorting) {
  TcxRegisteredClasses R(true);
  R.Register(RegB::StaticClass(), u"beta|The second");
  R.Register(RegA::StaticClass(), u"Alpha");
  R.Register(RegB::StaticClass(), u"other");  // already present: the first description stays
  EXPECT_EQ(R.Count(), 2);
  EXPECT_EQ(R.GetDescriptionByClass(RegB::StaticClass()), u"beta");
  EXPECT_EQ(R.GetHintByClass(RegB::StaticClass()), u"The second");
  EXPECT_EQ(R.GetHintByClass(RegA::StaticClass()), u"Alpha");  // no hint: the whole text
  EXPECT_EQ(R.GetDescriptionByClass(RegC::StaticClass()), u"");
  EXPECT_EQ(R.Items(0), RegB::StaticClass());
  R.SetSorted(true);
  EXPECT_EQ(R.Items(0), RegA::StaticClass());
  R.Register(RegC::StaticClass(), u"ALPHA2");
  EXPECT_EQ(R.Items(1), RegC::StaticClass());  // kept sorted, case ignored
  EXPECT_EQ(R.FindByClassName(u"RegC"), RegC::StaticClass());
  EXPECT_EQ(R.FindByClassName(u"regc"), nullptr);
  EXPECT_EQ(R.FindByDescription(u"beta"), RegB::StaticClass());
  EXPECT_EQ(R.FindByDescription(u"Beta"), nullptr);
  EXPECT_EQ(R.FindByDescription(u""), nullptr);
  EXPECT_EQ(GetClass("RegC"), RegC::StaticClass());  // registered for streaming
  R.Unregister(RegA::StaticClass());
  EXPECT_EQ(R.GetIndexByClass(RegA::StaticClass()), -1);
  EXPECT_EQ(R.Count(), 2);
  UnRegisterClass(RegA::StaticClass());
  UnRegisterClass(RegB::StaticClass());
  UnRegisterClass(RegC::StaticClass());
}

// --- Base objects and helpers ------------------------------------------------------------

struct Owned : TcxOwnedPersistent {
  QD_CLASS_INLINE(Owned, TcxOwnedPersistent)

 public:
  using TcxOwnedPersistent::TcxOwnedPersistent;
  int Value = 0;

 protected:
  void DoAssign(TPersistent* Source) override { Value = static_cast<Owned*>(Source)->Value; }
};

TEST(OwnedPersistent, AssignGoesThroughDoAssign) {
  TPersistent owner;
  Owned a(&owner), b(nullptr);
  a.Value = 5;
  b.Assign(&a);
  EXPECT_EQ(b.Value, 5);
  EXPECT_EQ(GetPersistentOwner(&a), &owner);
  TPersistent plain;
  EXPECT_THROW(b.Assign(&plain), EConvertError);
  TcxInterfacedPersistent ip(&owner);
  EXPECT_EQ(ip.GetOwner(), &owner);
}

struct IHasValue {
  virtual ~IHasValue() = default;
  virtual int Value() const = 0;
};
struct IOther {
  virtual ~IOther() = default;
};
struct Unknown : TcxIUnknownObject, IHasValue {
  int Value() const override { return 42; }
};

TEST(IUnknownObject, AnswersItsInterfacesWithoutCounting) {
  Unknown u;
  IHasValue* has = nullptr;
  EXPECT_EQ(u.QueryInterface(has), TcxIUnknownObject::S_OK);
  ASSERT_NE(has, nullptr);
  EXPECT_EQ(has->Value(), 42);
  IOther* other = reinterpret_cast<IOther*>(&u);
  EXPECT_EQ(u.QueryInterface(other), TcxIUnknownObject::E_NOINTERFACE);
  EXPECT_EQ(other, nullptr);
  EXPECT_EQ(u._AddRef(), -1);
  EXPECT_EQ(u._Release(), -1);
}

TEST(FreeNotificator, ReportsFreedSenders) {
  std::vector<TComponent*> freed;
  struct Sink {
    std::vector<TComponent*>* freed;
    void OnFree(TComponent* c) { freed->push_back(c); }
  } sink{&freed};
  TcxFreeNotificator n(nullptr);
  n.SetOnFreeNotification(MakeMethod(&sink, &Sink::OnFree));
  auto* watched = new TComponent(nullptr);
  auto* unwatched = new TComponent(nullptr);
  n.AddSender(watched);
  n.AddSender(unwatched);
  n.AddSender(nullptr);
  n.RemoveSender(unwatched);
  delete unwatched;
  EXPECT_TRUE(freed.empty());
  delete watched;
  EXPECT_EQ(freed, (std::vector<TComponent*>{watched}));
}

TEST(SmallHelpers, HintsRangeCenterAndCharacters) {
  struct HintRow {
    const char16_t *text, *shortHint, *longHint;
  } hints[] = {
      {u"Save|Saves the file", u"Save", u"Saves the file"},
      {u"Plain", u"Plain", u"Plain"},
      {u"a|b|c", u"a", u"b|c"},
      {u"|long", u"", u"long"},
  };
  for (const HintRow& r : hints) {
    EXPECT_EQ(cxClasses::GetShortHint(r.text), r.shortHint);
    EXPECT_EQ(cxClasses::GetLongHint(r.text), r.longHint);
  }
  struct CenterRow {
    int32_t a, b, center;
  } centers[] = {{-2, -1, -2},
                 {1, 2, 1},
                 {-3, 0, -2},
                 {0, 7, 3},
                 {2147483647, 2147483647, 2147483647},
                 {-2147483647 - 1, -2147483647 - 1, -2147483647 - 1}};
  for (const CenterRow& r : centers) EXPECT_EQ(GetRangeCenter(r.a, r.b), r.center) << r.a << " " << r.b;
  EXPECT_EQ(cxSign(0.0), 1);
  EXPECT_EQ(cxSign(int64_t{-3}), -1);

  const String s = u"a\U0001F600b";
  EXPECT_EQ(cxStrCharLength(s, 1), 2);
  EXPECT_EQ(cxStrCharLength(s, 2), 4);
  EXPECT_EQ(cxStrCharLength(s, 4), 2);
  EXPECT_EQ(cxStrCharLength(s, 5), 0);
  EXPECT_EQ(*GetPChar(s, 4), u'b');
}

}  // namespace
}  // namespace qd
