#include "tests/skins/skins_test_util.h"
#include "ui/graphics/dxCoreGraphicsAlphaColors.h"
#include "ui/skins/dxSkinsCore.h"

namespace qd {
namespace {

using testing::SkinChangeLog;

class SkinModelTest : public testing::SkinsTest {};

TEST_F(SkinModelTest, LookupSortsLazilyAndDistinguishesCase) {
  TdxSkin skin(u"S");
  TdxSkinControlGroup* group = skin.AddGroup(u"Common");
  group->AddElement(u"Button");
  group->AddElement(u"Arrow");
  EXPECT_EQ(group->Elements(0)->Name(), u"Button") << "adding keeps the order";
  EXPECT_EQ(group->ElementList()->IndexOf(u"Arrow"), 0) << "the lookup sorted first";
  EXPECT_EQ(group->Elements(0)->Name(), u"Arrow");
  EXPECT_EQ(group->GetElementByName(u"button"), nullptr);
  EXPECT_NE(group->GetElementByName(u"Button"), nullptr);

  // Added after a lookup, found by the next one.
  TdxSkinElement* check = group->AddElement(u"Check");
  TdxSkinElement* aaa = group->AddElement(u"Aaa");
  EXPECT_EQ(group->GetElementByName(u"Check"), check);
  EXPECT_EQ(group->GetElementByName(u"Aaa"), aaa);
  EXPECT_EQ(group->ElementList()->IndexOf(u"Aaa"), 0);
  EXPECT_EQ(group->ElementList()->IndexOf(u"Zzz"), -1);

  EXPECT_THROW(group->Elements(-1), EListError);
  EXPECT_THROW(group->Elements(group->Count()), EListError);
  EXPECT_THROW(skin.Groups(1), EListError);
}

TEST_F(SkinModelTest, PropertyComparisonIgnoresNameCaseButNotValueOrClass) {
  TdxSkin a(u"A"), b(u"B");
  TdxSkinProperty* pa = a.AddPropertyInteger(u"Padding", 4);
  TdxSkinProperty* pb = b.AddPropertyInteger(u"PADDING", 4);
  EXPECT_TRUE(pa->Compare(pb));
  static_cast<TdxSkinIntegerProperty*>(pb)->SetValue(5);
  EXPECT_FALSE(pa->Compare(pb));
  EXPECT_FALSE(pa->Compare(b.AddPropertyBool(u"Padding", false)));

  struct Case {
    TClass cls;
    const char16_t* description;
  } cases[] = {{TdxSkinIntegerProperty::StaticClass(), u"Integer"},
               {TdxSkinColor::StaticClass(), u"Color"},
               {TdxSkinAlternateImageAttributes::StaticClass(), u"AlternateImageAttributes"},
               {TdxSkinColorPalettes::StaticClass(), u"ColorPalettes"},
               {TdxSkinWideStringProperty::StaticClass(), u"WideString"}};
  for (const Case& c : cases) EXPECT_EQ(TdxSkinProperty::Description(c.cls), c.description);
}

TEST_F(SkinModelTest, TypedAddersInOneUpdateAnnounceOneMergedChange) {
  TdxSkin skin(u"S");
  SkinChangeLog log;
  skin.OnChange = log.Handler();
  skin.BeginUpdate();
  skin.AddPropertyInteger(u"A", 1);
  skin.AddPropertyColor(u"B", clRed);
  EXPECT_TRUE(log.sets.empty());
  skin.EndUpdate();
  ASSERT_EQ(log.sets.size(), 1u);
  EXPECT_EQ(log.sets[0], (TdxSkinChanges{scStruct, scContent}));

  log.sets.clear();
  static_cast<TdxSkinIntegerProperty*>(skin.GetPropertyByName(u"A"))->SetValue(2);
  ASSERT_EQ(log.sets.size(), 1u);
  EXPECT_EQ(log.sets[0], (TdxSkinChanges{scContent}));

  log.sets.clear();
  skin.BeginUpdate();
  skin.AddColor(u"Dropped", clBlue);
  skin.CancelUpdate();
  EXPECT_TRUE(log.sets.empty()) << "a cancelled update announces nothing";

  skin.Details()->SetGroupName(u"Group");
  ASSERT_EQ(log.sets.size(), 1u);
  EXPECT_EQ(log.sets[0], (TdxSkinChanges{scDetails}));

  // A change deep in the tree reaches the skin as one announcement.
  TdxSkinElement* e = skin.AddGroup(u"G")->AddElement(u"E");
  log.sets.clear();
  e->Borders()->Top()->SetThin(3);
  e->Image()->SetStretch(smTile);
  e->SetName(u"Renamed");
  ASSERT_EQ(log.sets.size(), 3u);
  EXPECT_EQ(log.sets[0], (TdxSkinChanges{scContent}));
  EXPECT_EQ(log.sets[1], (TdxSkinChanges{scContent}));
  EXPECT_EQ(log.sets[2], (TdxSkinChanges{scStruct}));
  EXPECT_EQ(skin.GetGroupByName(u"G")->GetElementByName(u"Renamed"), e) << "a rename unsorts the list";
}

struct ReentrantListener : IdxSkinChangeSetListener {
  void SkinChanged(TdxSkin* Sender, TdxSkinChanges AChanges) override {
    ++calls;
    last = AChanges;
    Sender->AddColor(u"Added" + IntToStr(calls), clGreen);
  }
  int calls = 0;
  TdxSkinChanges last;
};

struct PlainListener : IdxSkinChangeListener {
  void SkinChanged(TdxSkin*) override { ++calls; }
  int calls = 0;
};

TEST_F(SkinModelTest, ListenersAreToldOnceAndTheirOwnChangesAreNotAnnouncedAgain) {
  TdxSkin skin(u"S");
  ReentrantListener setListener;
  PlainListener plain;
  skin.AddListener(&setListener);
  skin.AddListener(&plain);
  skin.AddListener(&plain);
  SkinChangeLog log;
  skin.OnChange = log.Handler();

  skin.AddColor(u"C", clRed);
  EXPECT_EQ(setListener.calls, 1);
  EXPECT_EQ(setListener.last, (TdxSkinChanges{scStruct, scContent}));
  EXPECT_EQ(plain.calls, 1) << "a listener added twice is told once";
  EXPECT_EQ(log.sets.size(), 1u);
  EXPECT_EQ(skin.ColorCount(), 2) << "the listener's change stays";

  skin.RemoveListener(&setListener);
  skin.AddColor(u"D", clRed);
  EXPECT_EQ(setListener.calls, 1);
  EXPECT_EQ(plain.calls, 2);
}

TEST_F(SkinModelTest, ColourReferencesResolveThroughTheActivePalette) {
  TdxSkin skin(u"S");
  TdxSkinColor* link = skin.AddColor(u"Link", clRed);
  link->SetValueReference(u"Accent");
  EXPECT_EQ(link->Value(), clDefault) << "a name the active palette lacks gives the default";

  TdxSkinColorPalette* dark = skin.ColorPalettes()->Add(u"Dark");
  dark->Add(u"Accent", clNavy);
  EXPECT_EQ(skin.ActiveColorPaletteName(), u"Dark") << "no \"Default\": the first palette";
  EXPECT_EQ(link->Value(), clNavy);

  TdxSkinColorPalette* standard = skin.ColorPalettes()->Add(u"Default");
  standard->Add(u"Accent", clBlue);
  skin.SelectColorPalette(u"Missing");
  EXPECT_EQ(skin.ActiveColorPaletteName(), u"Default");
  EXPECT_EQ(link->Value(), clBlue);
  skin.SetActiveColorPaletteName(u"Dark");
  EXPECT_EQ(link->Value(), clNavy);

  // Clearing the reference keeps the last resolved colour.
  link->SetValueReference(String());
  EXPECT_EQ(link->Value(), clNavy);
  skin.SelectColorPalette(u"Default");
  EXPECT_EQ(link->Value(), clNavy);

  // A colour of the palette that refers to another one of it.
  dark->Add(u"Alias", u"Accent");
  skin.SelectColorPalette(u"Dark");
  TdxSkinColor* alias = nullptr;
  ASSERT_TRUE(skin.ColorPalette()->FindColor(u"Alias", alias));
  EXPECT_EQ(alias->Value(), clNavy);

  skin.ColorPalettes()->Clear();
  EXPECT_EQ(skin.ActiveColorPaletteName(), u"Default") << "no palette left: an empty one";
  EXPECT_EQ(skin.ColorPalette()->Count(), 0);
}

TEST_F(SkinModelTest, ReferenceCycleEndsInTheDefault) {
  TdxSkin skin(u"S");
  TdxSkinColorPalette* p = skin.ColorPalettes()->Add(u"Default");
  p->Add(u"A", u"B");
  p->Add(u"B", u"A");
  TdxSkinColor* c = skin.AddColor(u"C", clRed);
  c->SetValueReference(u"A");
  EXPECT_EQ(c->Value(), clDefault);
}

TEST_F(SkinModelTest, PaletteAnswersColoursAndANewIdentityAfterEachChange) {
  TdxSkin skin(u"S");
  TdxSkinColorPalette* p = skin.ColorPalettes()->Add(u"Default");
  p->Add(u"Fill", clRed);
  EXPECT_EQ(skin.GetFillColor(u"Fill"), dxColorToAlphaColor(clRed, 255));
  EXPECT_EQ(skin.GetStrokeColor(u"Missing"), 0x00010203u);

  IdxColorPalette* active = skin.ColorPalette();
  const TGUID first = active->GetID();
  EXPECT_NE(first, TGUID{});
  EXPECT_NE(first.Data1, 0u);
  EXPECT_EQ(active->GetID(), first) << "kept until something changes";
  p->Add(u"Other", clBlue);
  EXPECT_NE(active->GetID(), first);

  // Palettes of an image hold alpha colours.
  TdxSkinElement* e = skin.AddGroup(u"G")->AddElement(u"E");
  TdxSkinColor* fill = e->Image()->ColorPalettes()->Add(u"Hot")->Add(u"Fill", clLime);
  EXPECT_TRUE(fill->InheritsFrom(TdxSkinAlphaColor::StaticClass()));
}

TEST_F(SkinModelTest, GlyphPaletteComesFromTheDefaultGlyphPalettesByState) {
  TdxSkin skin(u"S");
  EXPECT_EQ(skin.GetGlyphColorPalette(esHot), skin.ColorPalette());
  auto* palettes = static_cast<TdxSkinColorPalettes*>(
      skin.AddProperty(u"DefaultGlyphColorPalettes", TdxSkinColorPalettes::StaticClass()));
  TdxSkinColorPalette* normal = palettes->Add(u"Normal");
  TdxSkinColorPalette* hot = palettes->Add(u"Hot");
  EXPECT_EQ(skin.GetGlyphColorPalette(esHot), hot);
  EXPECT_EQ(skin.GetGlyphColorPalette(esPressed), normal);
  EXPECT_EQ(skin.GetGlyphColorPalette(esNormal), normal);
}

TEST_F(SkinModelTest, CloneIsEqualAndForeignAssignmentRaises) {
  TdxSkin skin(u"S");
  skin.AddColor(u"C", clRed);
  skin.AddPropertyInteger(u"I", 3);
  TdxSkinElement* e = skin.AddGroup(u"G")->AddElement(u"E");
  e->SetColor(clBlue);
  e->Borders()->Left()->SetColor(clGreen);
  e->AddAlternateImageAttributes(esPressed, 1)->SetAlpha(9);
  std::unique_ptr<TdxSkin> clone = skin.Clone();
  EXPECT_EQ(clone->Name(), u"S");
  EXPECT_EQ(testing::SkinStreamBytes(*clone), testing::SkinStreamBytes(skin));
  TdxSkinElement* copy = clone->GetGroupByName(u"G")->GetElementByName(u"E");
  ASSERT_NE(copy, nullptr);
  EXPECT_TRUE(copy->Compare(e));
  EXPECT_NE(copy->GetPropertyByName(u"AlternateImage2Pressed"), nullptr);

  TdxSkinProperty* integer = skin.GetPropertyByName(u"I");
  EXPECT_THROW(integer->Assign(skin.GetColorByName(u"C")), EConvertError);
}

TEST_F(SkinModelTest, DeletingAndExchangingAnnounceStructure) {
  TdxSkin skin(u"S");
  skin.AddColor(u"A", clRed);
  skin.AddColor(u"B", clBlue);
  TdxSkinProperty* p = skin.AddPropertyInteger(u"P", 1);
  SkinChangeLog log;
  skin.OnChange = log.Handler();
  skin.ExchangeColors(0, 1);
  EXPECT_EQ(skin.Colors(0)->Name(), u"B");
  skin.DeleteProperty(skin.GetColorByName(u"A"));
  EXPECT_EQ(skin.ColorCount(), 1);
  skin.DeleteProperty(p);
  EXPECT_EQ(skin.PropertyCount(), 0);
  ASSERT_EQ(log.sets.size(), 3u);
  for (const TdxSkinChanges& changes : log.sets) EXPECT_EQ(changes, (TdxSkinChanges{scStruct}));
}

TEST_F(SkinModelTest, LoadingFromAMissingResourceRaisesAndLeavesNothingBehind) {
  EXPECT_THROW(TdxSkin(u"NoSuchSkinResource", true, nullptr), EResNotFound);
}

}  // namespace
}  // namespace qd
