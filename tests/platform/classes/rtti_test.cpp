#include <gtest/gtest.h>

#include "platform/classes/classes.h"
#include "platform/classes/rtti.h"

namespace qd {
namespace {

enum TAlignX { alxNone, alxTop, alxClient };
const TTypeInfo* AlignXInfo() {
  static const TTypeInfo t = MakeEnumTypeInfo(u"TAlignX", {u"alxNone", u"alxTop", u"alxClient"});
  return &t;
}
enum TStyleX { sxBold, sxItalic, sxUnderline };
using TStylesX = TSet<TStyleX>;
const TTypeInfo* StyleXInfo() {
  static const TTypeInfo t = MakeEnumTypeInfo(u"TStyleX", {u"sxBold", u"sxItalic", u"sxUnderline"});
  return &t;
}
const TTypeInfo* StylesXInfo() {
  static const TTypeInfo t = MakeSetTypeInfo(u"TStylesX", StyleXInfo());
  return &t;
}

class TBase : public TComponent {
  QD_CLASS(TBase, TComponent)
  QD_PUBLISHED(TBase)

 public:
  using TComponent::TComponent;
  int Left() const { return left_; }
  void SetLeft(int v) { left_ = v; }
  TAlignX Align() const { return align_; }
  void SetAlign(TAlignX a) { align_ = a; }
  String caption;
  bool visible = true;
  double ratio = 0;
  TStylesX styles;
  TComponent* link = nullptr;
  TMethod<void(TObject*)> OnClick;

 private:
  int left_ = 0;
  TAlignX align_ = alxNone;
};
QD_IMPLEMENT_CLASS(TBase)
void TBase::RegisterProperties(TPropertyRegistrar& r) {
  r.Prop("Left", &TBase::Left, &TBase::SetLeft).Default(0);
  r.Prop("Align", &TBase::Align, &TBase::SetAlign, AlignXInfo()).Default(alxNone);
  r.Member("Caption", &TBase::caption);
  r.Member("Visible", &TBase::visible).Default(true);
  r.Member("Ratio", &TBase::ratio);
  r.Member("Styles", &TBase::styles, StylesXInfo());
  r.Member("Link", &TBase::link);
  r.Event("OnClick", &TBase::OnClick);
}

// A class without published members of its own, then one that changes a default.
class TMiddle : public TBase {
  QD_CLASS(TMiddle, TBase)
 public:
  using TBase::TBase;
};
QD_IMPLEMENT_CLASS(TMiddle)

class TForm9 : public TMiddle {
  QD_CLASS(TForm9, TMiddle)
  QD_PUBLISHED(TForm9)

 public:
  using TMiddle::TMiddle;
  int clicks = 0;
  void ButtonClick(TObject*) { ++clicks; }
  void Other(TObject*) {}
  TBase* Button1 = nullptr;
  int extra = 3;
};
QD_IMPLEMENT_CLASS(TForm9)
void TForm9::RegisterProperties(TPropertyRegistrar& r) {
  r.Prop("Align", &TForm9::Align, &TForm9::SetAlign, AlignXInfo()).Default(alxClient);
  r.Member("Extra", &TForm9::extra);
  r.Method("ButtonClick", &TForm9::ButtonClick);
  r.Method("Other", &TForm9::Other);
  r.Field("Button1", &TForm9::Button1);
}

TEST(Rtti, PropertiesOfTheChainInOrderWithOverrides) {
  TForm9 f(nullptr);
  std::vector<String> names;
  for (const TPropInfo* p : GetPropList(&f)) names.push_back(p->Name);
  EXPECT_EQ(names, (std::vector<String>{u"Left", u"Align", u"Caption", u"Visible", u"Ratio", u"Styles",
                                        u"Link", u"OnClick", u"Extra"}));
  EXPECT_EQ(GetPropInfo(&f, u"align")->Default, alxClient);
  EXPECT_EQ(GetPropInfo(TBase::StaticClass(), u"Align")->Default, alxNone);
  EXPECT_EQ(GetPropInfo(&f, u"Visible")->Default, 1);
  EXPECT_EQ(GetPropInfo(&f, u"Caption")->Default, kNoDefault);
  EXPECT_FALSE(IsPublishedProp(&f, u"Nothing"));
  TMiddle m(nullptr);  // inherits TBase's list
  EXPECT_EQ(GetPropList(&m).size(), 8u);
}

TEST(Rtti, TypedAccessByName) {
  TForm9 f(nullptr);
  SetOrdProp(&f, u"Left", 12);
  EXPECT_EQ(f.Left(), 12);
  SetEnumProp(&f, u"Align", u"ALXTOP");
  EXPECT_EQ(f.Align(), alxTop);
  EXPECT_EQ(GetEnumProp(&f, u"Align"), u"alxTop");
  SetStrProp(&f, u"Caption", u"Olá");
  EXPECT_EQ(GetStrProp(&f, u"caption"), u"Olá");
  SetSetProp(&f, u"Styles", u"[sxBold, sxUnderline]");
  EXPECT_TRUE(f.styles.Contains(sxUnderline));
  EXPECT_FALSE(f.styles.Contains(sxItalic));
  EXPECT_EQ(GetSetProp(&f, u"Styles", true), u"[sxBold,sxUnderline]");
  SetFloatProp(&f, u"Ratio", 1.5);
  EXPECT_EQ(GetFloatProp(&f, u"Ratio"), 1.5);
  TComponent other(nullptr);
  SetObjectProp(&f, u"Link", &other);
  EXPECT_EQ(f.link, &other);
  SetPropValue(&f, u"Visible", Variant(false));
  EXPECT_FALSE(f.visible);
  SetPropValue(&f, u"Left", Variant(u"40"));
  EXPECT_EQ(GetPropValue(&f, u"Left").AsInteger(), 40);
  EXPECT_EQ(GetPropValue(&f, u"Align").AsString(), u"alxTop");
  try {
    SetOrdProp(&f, u"Missing", 1);
    FAIL();
  } catch (const EPropertyError& e) {
    EXPECT_EQ(e.Message(), u"Property Missing does not exist");
  }
  EXPECT_THROW(SetStrProp(&f, u"Left", u"x"), EPropertyConvertError);
  EXPECT_THROW(SetSetProp(&f, u"Styles", u"[sxBogus]"), EPropertyConvertError);
  EXPECT_THROW(SetEnumProp(&f, u"Align", u"alxBogus"), EPropertyConvertError);
}

TEST(Rtti, EventsBindToPublishedMethodsByName) {
  TForm9 f(nullptr);
  const TPublishedMethod* m = FindPublishedMethod(&f, u"buttonclick");
  ASSERT_NE(m, nullptr);
  SetMethodProp(&f, u"OnClick", m->Bind(&f));
  f.OnClick(&f);
  EXPECT_EQ(f.clicks, 1);
  EXPECT_EQ(GetPublishedMethodName(&f, GetMethodProp(&f, u"OnClick")), u"ButtonClick");
  SetMethodProp(&f, u"OnClick", TMethodValue{});
  EXPECT_FALSE(f.OnClick);
  EXPECT_EQ(FindPublishedMethod(&f, u"Missing"), nullptr);
}

TEST(Rtti, OwnedComponentsSetThePublishedFieldOfTheirName) {
  TForm9 f(nullptr);
  auto* b = new TBase(&f);
  b->SetName(u"Button1");
  EXPECT_EQ(f.Button1, b);
  b->SetName(u"Renamed");
  EXPECT_EQ(f.Button1, nullptr);
  b->SetName(u"Button1");
  delete b;  // removal clears the field
  EXPECT_EQ(f.Button1, nullptr);
  auto* wrong = new TComponent(&f);
  wrong->SetName(u"Button1");  // not a TBase: the field stays empty
  EXPECT_EQ(f.Button1, nullptr);
}

}  // namespace
}  // namespace qd
