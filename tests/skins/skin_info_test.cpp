#include <string>
#include <vector>

#include "platform/base/exceptions.h"
#include "platform/base/resources.h"
#include "platform/base/strings.h"
#include "tests/graphics/graphics_test_util.h"
#include "tests/skins/skins_test_util.h"
#include "ui/graphics/dxCoreGraphicsAlphaColors.h"
#include "ui/skins/dxSkinInfo.h"
#include "ui/skins/dxSkinsCore.h"

namespace qd {
namespace {

using testing::TestBitmap;

// The default skin, loaded from the program's resources.
std::unique_ptr<TdxSkin> LoadDefaultSkin() {
  return std::make_unique<TdxSkin>(u"DefaultUserSkinData", true);
}

int SkinElementCount(TdxSkin* ASkin) {
  int count = 0;
  for (int g = 0; g < ASkin->GroupCount(); ++g) count += ASkin->Groups(g)->Count();
  return count;
}

// "Group/Element" of every element in state [sosUnassigned]: those the skin information added.
std::vector<std::string> SkinBlankElements(TdxSkin* ASkin) {
  std::vector<std::string> result;
  for (int g = 0; g < ASkin->GroupCount(); ++g) {
    TdxSkinControlGroup* group = ASkin->Groups(g);
    for (int e = 0; e < group->Count(); ++e)
      if (group->Elements(e)->State().Contains(sosUnassigned))
        result.push_back(StringToUtf8(group->Name() + u"/" + group->Elements(e)->Name()));
  }
  return result;
}

class SkinInfoTest : public testing::SkinsTest {};

// ---- The default skin resource --------------------------------------------------------------

TEST_F(SkinInfoTest, DefaultSkinResourceHasTheStatedStructure) {
  const auto bytes = FindEmbeddedResource("DXSKINS", "DefaultUserSkinData");
  ASSERT_FALSE(bytes.empty());
  EXPECT_LT(bytes.size(), 400u * 1024) << "the resource stays small";
  TMemoryStream header;
  header.WriteBuffer(bytes.data(), 18);
  header.SetPosition(0);
  double version = 0;
  EXPECT_TRUE(dxSkinCheckSignature(&header, version));
  EXPECT_EQ(version, 1.25);

  auto skin = LoadDefaultSkin();
  EXPECT_EQ(skin->Name(), u"defaultuserskindata");
  EXPECT_EQ(skin->Details()->DisplayName(), u"UserSkin");
  EXPECT_EQ(skin->GroupCount(), 17);
  EXPECT_EQ(SkinElementCount(skin.get()), 362);
  EXPECT_EQ(skin->ColorCount(), 26);
  EXPECT_EQ(skin->PropertyCount(), 0);
  EXPECT_EQ(skin->ColorPalettes()->Count(), 0);
  for (int i = 0; i < skin->ColorCount(); ++i) EXPECT_TRUE(skin->Colors(i)->ValueReference().empty());

  const struct {
    const char16_t* group;
    const char16_t* element;
    int elements;
  } groups[] = {{u"Bars", nullptr, 32},       {u"Common", nullptr, 36},        {u"Docking", nullptr, 15},
                {u"Editors", nullptr, 59},    {u"Form", nullptr, 12},          {u"Grid", nullptr, 28},
                {u"MapControl", nullptr, 5},  {u"NavBar", nullptr, 15},        {u"NavPane", nullptr, 20},
                {u"PDFViewer", nullptr, 8},   {u"PrintingSystem", nullptr, 2}, {u"Ribbon", nullptr, 80},
                {u"RichEdit", nullptr, 10},   {u"Scheduler", nullptr, 21},     {u"PageControl", nullptr, 7},
                {u"TileControl", nullptr, 8}, {u"VerticalGrid", nullptr, 4}};
  for (const auto& g : groups) {
    TdxSkinControlGroup* group = skin->GetGroupByName(g.group);
    ASSERT_NE(group, nullptr) << StringToUtf8(g.group);
    EXPECT_EQ(group->Count(), g.elements) << StringToUtf8(g.group);
    for (int e = 0; e < group->Count(); ++e) {
      TdxSkinElement* element = group->Elements(e);
      EXPECT_FALSE(element->Image()->Texture()->Empty()) << StringToUtf8(element->Name());
      EXPECT_EQ(element->Alpha(), 255);
      EXPECT_TRUE(element->ColorValue().ValueReference.empty());
      EXPECT_TRUE(element->TextColorValue().ValueReference.empty());
      for (int p = 0; p < element->PropertyCount(); ++p) {
        TdxSkinProperty* property = element->Properties(p);
        EXPECT_FALSE(property->InheritsFrom(TdxSkinAlternateImageAttributes::StaticClass()));
        if (auto* color = dynamic_cast<TdxSkinColor*>(property)) EXPECT_TRUE(color->ValueReference().empty());
      }
    }
  }
  EXPECT_EQ(skin->GetGroupByName(u"Bars")->GetElementByName(u"MainMenuVertical"), nullptr);
  EXPECT_EQ(skin->GetGroupByName(u"Ribbon")->GetElementByName(u"FormCaptionRibbonHidden"), nullptr);
}

TEST_F(SkinInfoTest, DefaultSkinHasTheFramesThePainterIndexes) {
  auto skin = LoadDefaultSkin();
  const struct {
    const char16_t* group;
    const char16_t* element;
    int minFrames;
  } frames[] = {{u"Editors", u"Checkbox", 3},          {u"Editors", u"RadioButton", 2},
                {u"Common", u"ScrollButton", 4},       {u"Editors", u"TrackBarTrack", 4},
                {u"Editors", u"TrackBarTrackVert", 4}, {u"Common", u"Splitter", 3},
                {u"Common", u"SplitterHorz", 3},       {u"Grid", u"PlusMinus", 2},
                {u"Common", u"SortShape", 4},          {u"Grid", u"IndicatorImages", 11},
                {u"Editors", u"Navigator", 9},         {u"Common", u"HighlightedItem", 2},
                {u"Editors", u"ToggleSwitch", 2},      {u"Common", u"AlertWindowButtonGlyphs", 6}};
  for (const auto& f : frames) {
    TdxSkinElement* e = skin->GetGroupByName(f.group)->GetElementByName(f.element);
    ASSERT_NE(e, nullptr) << StringToUtf8(f.element);
    EXPECT_GE(e->ImageCount(), f.minFrames) << StringToUtf8(f.element);
    // Every frame of every state is present in the texture.
    const TSize frame = e->Image()->Size();
    EXPECT_GT(frame.cx, 0);
    EXPECT_EQ(e->Image()->Texture()->Size().cx,
              frame.cx * e->ImageCount() * static_cast<int>(e->Image()->States().Count()));
  }
  EXPECT_GT(skin->GetGroupByName(u"Editors")->GetElementByName(u"LabelLine")->MinSize()->Height(), 0);
}

// ---- Resolution ------------------------------------------------------------------------------

TEST_F(SkinInfoTest, ResolvingTheDefaultSkinFindsEveryLookupButTheTwoItLacks) {
  TdxSkinInfo info(LoadDefaultSkin().release());
  TdxSkin* skin = info.Skin();
  EXPECT_EQ(skin->GroupCount(), 17) << "no blank group";
  EXPECT_EQ(SkinBlankElements(skin), std::vector<std::string>{"Bars/MainMenuVertical"});
  EXPECT_EQ(SkinElementCount(skin), 363);
  ASSERT_NE(info.MainMenuVertical, nullptr);
  EXPECT_EQ(info.MainMenuVertical->State(), TdxSkinObjectStates{sosUnassigned}) << "blank, then marked used";
  EXPECT_EQ(info.RibbonFormCaptionRibbonHidden, nullptr);
  EXPECT_NE(info.MainMenuCustomize, nullptr);
  EXPECT_NE(info.MainMenuDrag, nullptr);
  EXPECT_NE(info.RibbonExtraPanePinButtonGlyph, nullptr);
  EXPECT_NE(info.RibbonBackstageViewTabArrow, nullptr);

  // Fields point at the elements of the names the table gives.
  EXPECT_EQ(info.GroupTabs->Name(), u"PageControl");
  EXPECT_EQ(info.GroupVGrid->Name(), u"VerticalGrid");
  EXPECT_EQ(info.BarDrag->Name(), u"BarDragGrip");
  EXPECT_EQ(info.FormFrames[false][bTop]->Name(), u"SmallFormCaption");
  EXPECT_EQ(info.FormFrames[true][bTop]->Name(), u"FormCaption");
  EXPECT_EQ(info.FormFrames[false][bLeft], info.FormFrames[true][bLeft]) << "a name looked up twice";
  EXPECT_EQ(info.FormIcons[false][0], nullptr);
  EXPECT_EQ(info.FormIcons[true][0], nullptr);
  EXPECT_EQ(info.FormIcons[false][5]->Name(), u"SmallFormButtonClose");
  EXPECT_EQ(info.EditButtonGlyphs[cxbkEditorBtn], info.EditButtonGlyphs[cxbkEllipsisBtn]);
  EXPECT_EQ(info.EditButtonGlyphs[cxbkCloseBtn], info.EditButtonElements[true]);
  EXPECT_EQ(info.TrackBarTrack[true]->Name(), u"TrackBarTrack");
  EXPECT_EQ(info.TrackBarThumb[false][tbtaBoth]->Name(), u"TrackBarThumbVertBoth");
  EXPECT_EQ(info.Splitter[true]->Name(), u"SplitterHorz");
  EXPECT_NE(info.NavPaneSplitter, info.Splitter[false]) << "one name in two groups is two elements";
  EXPECT_EQ(info.NavBarBackgroundColor->Name(), u"Background");
  EXPECT_EQ(info.CheckboxElement->ImageCount(), 3);

  // Caption positions: the centre has no caption element, and the default skin no paddings.
  EXPECT_EQ(info.GroupBoxCaptionElements[cxgpCenter], nullptr);
  EXPECT_EQ(info.LayoutViewRecordCaptionElements[cxgpCenter], nullptr);
  EXPECT_EQ(info.GroupBoxElements[cxgpCenter]->Name(), u"GroupPanel");
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(info.GroupBoxCaptionTextPadding[i], nullptr);
    EXPECT_EQ(info.LayoutViewRecordCaptionTextPadding[i], nullptr);
    EXPECT_EQ(info.GroupBoxCaptionTailSizes[cxgpCenter], nullptr);
  }

  // Colours.
  EXPECT_EQ(info.ContentColor, skin->GetColorByName(u"ContentColor"));
  ASSERT_NE(info.EditorTextColors[esckNormal], nullptr);
  EXPECT_EQ(info.EditorTextColors[esckNormal]->Name(), u"TextColor");
  EXPECT_EQ(info.EditorBackgroundColors[esckReadOnly], nullptr);
  EXPECT_EQ(info.FormCaptionFontDelta, 1);
  EXPECT_FALSE(info.EditButtonMergeBorders);

  // Render caches.
  for (TdxSkinElement* e : {info.EditButtonElements[false], info.HighlightedItem, info.RibbonLargeButton,
                            info.RibbonSmallButton, info.PrintingPageBorder, info.SchedulerTimeRuler})
    EXPECT_TRUE(e->UseCache()) << StringToUtf8(e->Name());
  EXPECT_EQ(info.SchedulerAppointment[true]->CacheCapacity(), 64);
  EXPECT_EQ(info.SchedulerAllDayArea[false]->CacheCapacity(), 8);
  EXPECT_FALSE(info.ButtonElements->UseCache());
}

TEST_F(SkinInfoTest, ScrollBarTableHoldsTheElementAndFrameOfEachPart) {
  TdxSkinInfo info(LoadDefaultSkin().release());
  TdxSkinControlGroup* common = info.GroupCommon;
  const struct {
    bool horizontal;
    TcxScrollBarPart part;
    const char16_t* element;
    int frame;
  } cells[] = {{false, sbpLineUp, u"ScrollButton", 0},       {false, sbpLineDown, u"ScrollButton", 1},
               {true, sbpLineUp, u"ScrollButton", 2},        {true, sbpLineDown, u"ScrollButton", 3},
               {false, sbpThumbnail, u"ScrollThumbVert", 0}, {true, sbpThumbnail, u"ScrollThumbHorz", 0},
               {false, sbpPageUp, u"ScrollContentVert", 0},  {false, sbpPageDown, u"ScrollContentVert", 0},
               {true, sbpPageUp, u"ScrollContentHorz", 0},   {true, sbpPageDown, u"ScrollContentHorz", 0}};
  for (const auto& c : cells) {
    TdxSkinScrollInfo* cell = info.ScrollBar_Elements[c.horizontal][c.part].get();
    ASSERT_NE(cell, nullptr);
    EXPECT_EQ(cell->Element(), common->GetElementByName(c.element));
    EXPECT_EQ(cell->ImageIndex(), c.frame);
  }
  EXPECT_EQ(info.ScrollBar_Elements[false][sbpNone], nullptr);
  EXPECT_EQ(info.ScrollBar_Elements[true][sbpNone], nullptr);

  // The cell draws its element with its frame: the horizontal line-down frame is the right arrow,
  // which differs from the vertical line-up frame.
  TestBitmap up(17, 17), right(17, 17);
  EXPECT_TRUE(info.ScrollBar_Elements[false][sbpLineUp]->Draw(up.DC(), TRect{0, 0, 17, 17}, esNormal));
  EXPECT_TRUE(info.ScrollBar_Elements[true][sbpLineDown]->Draw(right.DC(), TRect{0, 0, 17, 17}, esNormal));
  EXPECT_NE(up.Mask([](uint32_t v) { return (v & 0xFFFFFF) < 0x808080 ? '#' : '.'; }),
            right.Mask([](uint32_t v) { return (v & 0xFFFFFF) < 0x808080 ? '#' : '.'; }));
  TdxSkinScrollInfo empty(nullptr, 0);
  EXPECT_FALSE(empty.Draw(up.DC(), TRect{0, 0, 17, 17}, esNormal));
}

// ---- Missing groups, elements, colours and properties ----------------------------------------

TEST_F(SkinInfoTest, WithoutASkinEverythingIsNilAndNothingIsCreated) {
  TdxSkinInfo info;
  EXPECT_EQ(info.GetSkin(), nullptr);
  EXPECT_EQ(info.GroupCommon, nullptr);
  EXPECT_EQ(info.ButtonElements, nullptr);
  EXPECT_EQ(info.FormCaptionFontDelta, 0);
  EXPECT_EQ(info.ScrollBar_Elements[false][sbpLineUp], nullptr);
  EXPECT_EQ(info.GetGroupByName(u"Common"), nullptr);
  EXPECT_EQ(info.GetElementByName(nullptr, u"Button", true), nullptr);
  EXPECT_EQ(info.GetColorValueByName(nullptr, u"X"), clDefault);
  EXPECT_EQ(info.GetIntegerPropertyValue(nullptr, u"X", 7), 7);
  EXPECT_EQ(info.GetColorByName(u"ContentColor"), nullptr);
}

TEST_F(SkinInfoTest, MissingGroupsAndElementsBecomeBlanksExceptTheNoBlankNames) {
  auto* skin = new TdxSkin(u"S");
  skin->AddGroup(u"Common")->AddElement(u"Button");
  TdxSkinInfo info(skin);
  EXPECT_EQ(skin->GroupCount(), 17);
  ASSERT_NE(info.GroupTabs, nullptr);
  EXPECT_EQ(info.GroupTabs->State(), TdxSkinObjectStates{sosUnassigned});
  EXPECT_FALSE(info.ButtonElements->State().Contains(sosUnassigned)) << "found, not blank";
  ASSERT_NE(info.PageControlHeader, nullptr);
  EXPECT_EQ(info.PageControlHeader->State(), TdxSkinObjectStates{sosUnassigned});
  EXPECT_EQ(info.TabTextColor, nullptr);
  EXPECT_EQ(info.TabTextColorActive, nullptr);
  EXPECT_EQ(info.TabTextColorDisabled, nullptr);
  EXPECT_EQ(info.TabTextColorHot, nullptr);
  for (TdxSkinElement* e : {info.MainMenuCustomize, info.MainMenuDrag, info.RibbonExtraPanePinButtonGlyph,
                            info.RibbonBackstageViewTabArrow, info.RibbonFormCaptionRibbonHidden})
    EXPECT_EQ(e, nullptr);
  EXPECT_EQ(SkinElementCount(skin), 359 + 1 - 1) << "every blank-resolved name once, Button found";

  // Defaults of missing values.
  EXPECT_EQ(info.FormCaptionFontDelta, 1);
  EXPECT_EQ(info.DockControlCaptionNonFocusedTextColor, clDefault);
  EXPECT_EQ(info.AlertWindowCornerRadius, 0);
  EXPECT_EQ(info.RibbonCaptionText[true], clDefault);
  EXPECT_EQ(info.RangeControlRuleColor, dxColorToAlphaColor(clDefault, 255));
  EXPECT_FALSE(info.BreadcrumbEditButtonMergeBorders);

  // A blank element draws a red cross on black, stretched.
  EXPECT_EQ(info.PageControlHeader->Image()->Stretch(), smStretch);
  EXPECT_EQ(info.PageControlHeader->Image()->States(), TdxSkinElementStates{esNormal});
  TestBitmap b(32, 32);
  info.PageControlHeader->Draw(b.DC(), TRect{0, 0, 32, 32});
  const std::string mask = b.Mask([](uint32_t v) {
    if (v == 0xFFFF0000) return 'R';
    if (v == 0xFF000000) return 'K';
    return '?';
  });
  EXPECT_EQ(mask.find('?'), std::string::npos) << mask;
  EXPECT_EQ(b.At(8, 8), 0xFFFF0000u) << mask;
  EXPECT_EQ(b.At(24, 8), 0xFFFF0000u) << mask;
  EXPECT_EQ(b.At(16, 4), 0xFF000000u) << mask;
  EXPECT_EQ(b.At(4, 16), 0xFF000000u) << mask;
}

TEST_F(SkinInfoTest, ResolvedValuesFromProperties) {
  struct Case {
    bool present;
    int32_t value;
    int32_t expected;
  };
  for (const Case c : {Case{false, 0, 1}, Case{true, 3, 3}, Case{true, -2, 1}, Case{true, 0, 1}}) {
    auto* skin = new TdxSkin(u"S");
    TdxSkinElement* caption = skin->AddGroup(u"Form")->AddElement(u"FormCaption");
    if (c.present) caption->AddPropertyInteger(u"FontDelta", c.value);
    TdxSkinInfo info(skin);
    EXPECT_EQ(info.FormCaptionFontDelta, c.expected) << c.value;
  }

  auto* skin = new TdxSkin(u"S");
  TdxSkinControlGroup* editors = skin->AddGroup(u"Editors");
  TdxSkinElement* border = editors->AddElement(u"RangeControlBorder");
  border->AddPropertyColor(u"RuleColor", 0x00336699);
  border->AddPropertyInteger(u"RuleColorAlpha", 128);
  border->AddPropertyColor(u"BackColor", 0x00112233);
  editors->AddElement(u"EditorButton")->AddPropertyBool(u"MergeBorders", true);
  editors->AddElement(u"BreadcrumbEditButton")->AddPropertyBool(u"MergeBorders", false);
  TdxSkinControlGroup* docking = skin->AddGroup(u"Docking");
  docking->AddPropertyInteger(u"ActiveTabHeaderHGrow", 5);
  docking->AddElement(u"DockWindowCaption")->AddPropertyColor(u"InactiveCaptionTextColor", 0x00445566);
  TdxSkinControlGroup* map = skin->AddGroup(u"MapControl");
  TdxSkinElement* shape = map->AddElement(u"Shape");
  shape->AddPropertyInteger(u"HighlightedBorderWidth", 4);
  shape->AddPropertyColor(u"HighlightedColor", 0x000000FF);
  shape->AddPropertyColor(u"BackColor", 0x0000FF00);
  TdxSkinElement* callout = map->AddElement(u"Callout");
  callout->AddPropertyInteger(u"PointerX", 6);
  callout->AddPropertyInteger(u"PointerY", -3);
  TdxSkinControlGroup* scheduler = skin->AddGroup(u"Scheduler");
  scheduler->AddPropertyColor(u"ResourceColor01", 0x000001);
  scheduler->AddPropertyColor(u"ResourceColor12", 0x00000C);

  TdxSkinInfo info(skin);
  EXPECT_EQ(info.RangeControlRuleColor, dxColorToAlphaColor(0x00336699, 128));
  EXPECT_EQ(info.RangeControlBackColor, dxColorToAlphaColor(0x00112233, 255));
  EXPECT_TRUE(info.EditButtonMergeBorders);
  EXPECT_FALSE(info.BreadcrumbEditButtonMergeBorders);
  EXPECT_EQ(info.DockControlIndents[0], 0);
  EXPECT_EQ(info.DockControlIndents[1], 5);
  EXPECT_EQ(info.DockControlCaptionNonFocusedTextColor, TColor(0x00445566));
  EXPECT_EQ(info.MapControlShapeBorderWidth[2], 4);
  EXPECT_EQ(info.MapControlShapeBorderWidth[0], 0);
  EXPECT_EQ(info.MapControlShapeColor[2], dxColorToAlphaColor(0x000000FF, 255));
  EXPECT_EQ(info.MapControlShapeColor[0], dxColorToAlphaColor(0x0000FF00, 255));
  EXPECT_EQ(info.MapControlShapeColor[4], dxColorToAlphaColor(0x0000FF00, 255));
  EXPECT_EQ(info.MapControlCalloutPointer, (TPoint{6, -3}));
  ASSERT_NE(info.SchedulerResourceColors[0], nullptr);
  EXPECT_EQ(info.SchedulerResourceColors[0]->Value(), TColor(1));
  EXPECT_EQ(info.SchedulerResourceColors[11]->Value(), TColor(12));
  EXPECT_EQ(info.SchedulerResourceColors[1], nullptr);
  // Found properties are marked used; the unused ones keep their state.
  EXPECT_FALSE(border->GetPropertyByName(u"RuleColor")->State().Contains(sosUnused));
}

TEST_F(SkinInfoTest, APropertyOfAnotherClassUnderAnExpectedNameRaisesAnInvalidCast) {
  auto* skin = new TdxSkin(u"S");
  skin->AddGroup(u"Form")->AddElement(u"FormCaption")->AddPropertyColor(u"FontDelta", 3);
  TdxSkinInfo info;
  EXPECT_THROW(info.SetSkin(skin), EInvalidCast);
  // The skin was not attached completely; it stays the caller's.
  info.SetSkin(nullptr);
  delete skin;

  // A constructor that fails frees the skin it was given.
  auto* failing = new TdxSkin(u"S");
  failing->AddGroup(u"Common")->AddElement(u"AlertWindow")->AddPropertyBool(u"CornerRadius", true);
  EXPECT_THROW(TdxSkinInfo{failing}, EInvalidCast);
}

// ---- Skin changes and ownership ---------------------------------------------------------------

TEST_F(SkinInfoTest, SkinChangesResolveEverythingAgain) {
  auto* skin = new TdxSkin(u"S");
  TdxSkinControlGroup* form = skin->AddGroup(u"Form");
  form->AddElement(u"FormCaption");
  TdxSkinInfo info(skin);
  EXPECT_EQ(info.FormCaptionFontDelta, 1);
  TdxSkinElement* header = info.PageControlHeader;
  TdxSkinScrollInfo* cell = info.ScrollBar_Elements[false][sbpLineUp].get();

  // A change announced by the skin.
  form->GetElementByName(u"FormCaption")->AddPropertyInteger(u"FontDelta", 4);
  EXPECT_EQ(info.FormCaptionFontDelta, 4);
  EXPECT_EQ(info.PageControlHeader, header) << "the same references";
  EXPECT_NE(info.ScrollBar_Elements[false][sbpLineUp].get(), cell) << "fresh scroll-bar cells";
  EXPECT_EQ(info.ScrollBar_Elements[false][sbpLineUp]->ImageIndex(), 0);

  // An element removed from the skin is looked up again and comes back as a blank.
  info.GroupTabs->RemoveElement(header);
  ASSERT_NE(info.PageControlHeader, nullptr);
  EXPECT_EQ(info.PageControlHeader->Name(), u"TabHeader");
  EXPECT_EQ(info.GroupTabs->GetElementByName(u"TabHeader"), info.PageControlHeader);

  // Announcing a change twice leaves the same references.
  TdxSkinElement* button = info.ButtonElements;
  info.SkinChanged(skin);
  info.SkinChanged(skin);
  EXPECT_EQ(info.ButtonElements, button);
  for (int h = 0; h < 2; ++h)
    for (int p = sbpLineUp; p <= sbpPageDown; ++p) EXPECT_NE(info.ScrollBar_Elements[h][p], nullptr);
}

TEST_F(SkinInfoTest, DetachingStopsListeningAndKeepsTheFieldsAndTheSkin) {
  auto owned = std::make_unique<TdxSkin>(u"S");
  TdxSkin* skin = owned.get();
  TdxSkinControlGroup* form = skin->AddGroup(u"Form");
  form->AddElement(u"FormCaption");
  TdxSkinInfo info(skin);
  TdxSkinElement* button = info.ButtonElements;
  info.SetSkin(nullptr);
  EXPECT_EQ(info.GetSkin(), nullptr);
  EXPECT_EQ(info.ButtonElements, button) << "fields stay as they were";
  EXPECT_EQ(info.ScrollBar_Elements[false][sbpLineUp], nullptr) << "the scroll-bar table is released";
  form->GetElementByName(u"FormCaption")->AddPropertyInteger(u"FontDelta", 4);
  EXPECT_EQ(info.FormCaptionFontDelta, 1) << "no longer listening";

  // A new skin is resolved; the info frees the skin it holds when destroyed.
  auto* other = new TdxSkin(u"T");
  {
    TdxSkinInfo second(other);
    EXPECT_EQ(second.GetSkin(), other);
    EXPECT_NE(second.ButtonElements, button);
  }
}

// ---- The element helper ---------------------------------------------------------------------

TEST_F(SkinInfoTest, CaptionButtonSizeFollowsTheMinimumSizeAspect) {
  TdxSkin skin(u"S");
  TdxSkinControlGroup* group = skin.AddGroup(u"Form");
  TdxSkinElement* wide = group->AddElement(u"Wide");
  wide->MinSize()->SetSize(TSize{30, 20});
  EXPECT_EQ(TdxSkinElementHelper::CalculateCaptionButtonSize(20, wide), (TSize{30, 20}));
  EXPECT_EQ(TdxSkinElementHelper::CalculateCaptionButtonSize(20, nullptr), (TSize{20, 20}));
  TdxSkinElement* flat = group->AddElement(u"Flat");
  flat->MinSize()->SetSize(TSize{30, 0});
  EXPECT_EQ(TdxSkinElementHelper::CalculateCaptionButtonSize(21, flat), (TSize{21, 21}))
      << "no height: ratio 1";
  // 11 x 1.5 = 16.5 rounds to the even 16.
  EXPECT_EQ(TdxSkinElementHelper::CalculateCaptionButtonSize(11, wide), (TSize{16, 11}));

  // A non-resized image 15 x 20 pixels: the width 30 loses one pixel to match its parity.
  TdxSkinElement* fixed = group->AddElement(u"Fixed");
  fixed->MinSize()->SetSize(TSize{30, 20});
  testing::SkinLoadTexture(fixed->Image(), testing::SkinTestPng(15, 20));
  fixed->Image()->SetStretch(smNoResize);
  EXPECT_EQ(TdxSkinElementHelper::CalculateCaptionButtonSize(20, fixed), (TSize{29, 20}));

  // No element, or one without alternate images, never uses an alternate set.
  EXPECT_FALSE(TdxSkinElementHelper::IsAlternateImageSetUsed(nullptr, 0, esHot));
  EXPECT_FALSE(TdxSkinElementHelper::IsAlternateImageSetUsed(fixed, 0, esHot));
}

}  // namespace
}  // namespace qd
