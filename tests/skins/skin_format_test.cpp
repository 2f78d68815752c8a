#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <random>

#include "platform/base/resources.h"
#include "platform/base/strings.h"
#include "tests/skins/skins_test_util.h"
#include "ui/skins/dxSkinsCore.h"

namespace qd {
namespace {

using testing::ImageBytes;
using testing::SkinBytes;
using testing::SkinChangeLog;
using testing::SkinStreamBytes;
using testing::SkinTestPng;

ImageBytes DefaultIconBytes(const char* AName) {
  auto bytes = FindEmbeddedResource("DXSKINS", AName);
  return ImageBytes(bytes.begin(), bytes.end());
}

// A skin that uses every property class, palettes, colour references, textures and an
// alternate image.
void FillRichSkin(TdxSkin& ASkin) {
  ASkin.Details()->SetDisplayName(u"Rich \u00e9");
  ASkin.Details()->SetNotes(u"Notes");
  ASkin.Details()->ResetIcon(sis16);
  ASkin.Details()->ResetIcon(sis48);
  ASkin.AddColor(u"Window", clRed);
  ASkin.AddColor(u"Link", clDefault)->SetValueReference(u"Accent");
  ASkin.AddPropertyInteger(u"Padding", -3);
  ASkin.AddPropertyBool(u"Flat", true);
  static_cast<TdxSkinAlphaColor*>(ASkin.AddProperty(u"Shade", TdxSkinAlphaColor::StaticClass()))
      ->SetValueAlpha(77);
  static_cast<TdxSkinRectProperty*>(ASkin.AddProperty(u"Margins", TdxSkinRectProperty::StaticClass()))
      ->SetValue(TRect{1, 2, 3, 4});
  static_cast<TdxSkinSizeProperty*>(ASkin.AddProperty(u"Grip", TdxSkinSizeProperty::StaticClass()))
      ->SetValue(TSize{9, 8});
  static_cast<TdxSkinStringProperty*>(ASkin.AddProperty(u"Font", TdxSkinStringProperty::StaticClass()))
      ->SetValue(u"Segoe \u00dc");
  static_cast<TdxSkinWideStringProperty*>(
      ASkin.AddProperty(u"Wide", TdxSkinWideStringProperty::StaticClass()))
      ->SetValue(u"\u4e2d");
  auto* glyphPalettes = static_cast<TdxSkinColorPalettes*>(
      ASkin.AddProperty(u"DefaultGlyphColorPalettes", TdxSkinColorPalettes::StaticClass()));
  glyphPalettes->Add(u"Normal")->Add(u"Black", clBlack);

  TdxSkinColorPalette* standard = ASkin.ColorPalettes()->Add(u"Default");
  standard->Add(u"Accent", clBlue);
  TdxSkinColorPalette* dark = ASkin.ColorPalettes()->Add(u"Dark");
  dark->Add(u"Accent", clNavy);
  dark->Add(u"Alias", u"Accent");

  TdxSkinElement* button = ASkin.AddGroup(u"Common")->AddElement(u"Button");
  button->SetColor(clWhite);
  button->SetAlpha(240);
  button->ContentOffset()->SetRect(TRect{2, 3, 2, 3});
  button->SetTextColor(clMaroon);
  button->MinSize()->SetSize(TSize{10, 12});
  button->Borders()->Left()->SetColor(clGray);
  button->Borders()->Bottom()->SetThin(2);
  testing::SkinLoadTexture(button->Image(), SkinTestPng(40, 10));
  button->Image()->SetStates({esNormal, esHot});
  button->Image()->SetImageCount(2);
  button->Image()->Margins()->SetAll(3);
  button->Image()->SetStretch(smTile);
  button->Image()->GradientBeginColor().SetValueReference(u"Accent");
  button->Image()->SetInterpolationMode(imHighQualityBicubic);
  button->Image()->ColorPalettes()->Add(u"Hot")->Add(u"Fill", clLime);
  button->Glyph()->SetImageLayout(ilVertical);
  button->AddPropertyColor(u"TextColorHot", clYellow);
  TdxSkinAlternateImageAttributes* alternate = button->AddAlternateImageAttributes(esHot, 0);
  alternate->SetAlpha(128);
  alternate->SetGradient(gmForwardDiagonal);
  alternate->GradientBeginColor().SetValue(clAqua);
  alternate->BordersInner()->Top()->SetColor(clPurple);
  alternate->ContentOffsets()->SetRect(TRect{1, 1, 1, 1});
  ASkin.AddGroup(u"Editors")->AddPropertyInteger(u"Spacing", 4);
}

class SkinFormatTest : public testing::SkinsTest {};

TEST_F(SkinFormatTest, DefaultElementWithOneLetterNameTakes198Bytes) {
  TdxSkin skin(u"S");
  TdxSkinControlGroup* group = skin.AddGroup(u"G");
  const size_t without = SkinStreamBytes(skin).size();
  group->AddElement(u"A");
  EXPECT_EQ(SkinStreamBytes(skin).size() - without, 198u);
}

TEST_F(SkinFormatTest, RoundTripKeepsEveryPropertyClassAndWritesTheSameBytes) {
  TdxSkin source(u"Rich");
  FillRichSkin(source);
  const ImageBytes written = SkinStreamBytes(source);

  TdxSkin read{String()};
  TMemoryStream s;
  testing::WriteBytes(s, written);
  s.SetPosition(0);
  read.LoadFromStream(&s);
  EXPECT_EQ(s.Position(), s.Size());
  EXPECT_EQ(read.Name(), u"Rich");
  EXPECT_EQ(read.DisplayName(), u"Rich \u00e9");
  EXPECT_EQ(SkinStreamBytes(read), written);

  EXPECT_EQ(read.PropertyCount(), source.PropertyCount());
  for (int32_t i = 0; i < source.PropertyCount(); ++i)
    EXPECT_TRUE(read.Properties(i)->Compare(source.Properties(i))) << i;
  TdxSkinElement* button = read.GetGroupByName(u"Common")->GetElementByName(u"Button");
  ASSERT_NE(button, nullptr);
  EXPECT_TRUE(button->Compare(source.GetGroupByName(u"Common")->GetElementByName(u"Button")));
  EXPECT_EQ(button->Image()->ImageCount(), 2);
  EXPECT_EQ(button->Image()->Size(), (TSize{10, 10})) << "40 pixels hold 2 images of 2 states";
  EXPECT_EQ(button->Image()->GradientBeginColor().GetValueReference(), u"Accent");
  EXPECT_EQ(button->Image()->InterpolationMode(), imHighQualityBicubic);
  EXPECT_EQ(read.ColorPalettes()->Count(), 2);
  EXPECT_EQ(read.ActiveColorPaletteName(), u"Default") << "reading palettes refreshes the active one";
  EXPECT_EQ(read.GetColorByName(u"Link")->Value(), clBlue) << "references resolve after a load";
}

TEST_F(SkinFormatTest, OldStreamIsReadInItsLayoutAndWrittenInTheNewest) {
  const ImageBytes png = SkinTestPng(30, 10);
  SkinBytes old;
  old.Header(1.01).Str("Old");
  old.Int(1).Str("TdxSkinColor").Str("Frame").Int(0x112233);
  old.Int(1).Str("TdxSkinIntegerProperty").Str("Padding").Int(7);
  old.Int(1).Str("Common").Int(1).Str("Button");
  old.Int(0x445566).Byte(200).Int(3).Int(1).Int(2).Int(3).Int(4);
  // Glyph and image: no image count, no gradient, no palettes, no interpolation.
  old.Int(0).Int(0).Int(0).Int(0).Byte(0).Word(0x7).Byte(1).Image(png);
  old.Int(2).Int(2).Int(2).Int(2).Byte(1).Word(0x1).Byte(0).Int(0);
  for (int i = 0; i < 4; ++i) old.Str("discarded").Str("too").Int(0x010203 * (i + 1)).Int(i + 1);
  old.Int(0x778899).Int(5).Int(6).Int(0);
  old.Int(1).Str("TdxSkinBooleanProperty").Str("Flag").Byte(1);

  TdxSkin skin{String()};
  TMemoryStream& in = old.Rewound();
  skin.LoadFromStream(&in);
  EXPECT_EQ(in.Position(), in.Size());
  TdxSkinElement* button = skin.GetGroupByName(u"Common")->GetElementByName(u"Button");
  ASSERT_NE(button, nullptr);
  EXPECT_EQ(button->Glyph()->ImageCount(), 3) << "images take the element's legacy count";
  EXPECT_EQ(button->Image()->ImageCount(), 3);
  EXPECT_EQ(button->Glyph()->Stretch(), smTile);
  EXPECT_EQ(button->Image()->ImageLayout(), ilVertical);
  EXPECT_EQ(button->Borders()->Right()->Color(), 0x010203 * 3);
  EXPECT_EQ(button->Borders()->Right()->Thin(), 3);

  SkinBytes expected;
  expected.Header(1.25).Str("Old").Str("").Str("").WStr(u"");
  expected.Image(DefaultIconBytes("DEFAULTSKINICONSMALL")).Image(DefaultIconBytes("DEFAULTSKINICONLARGE"));
  expected.Int(1).Str("TdxSkinColor").Str("Frame").Int(0x112233).Str("");
  expected.Int(1).Str("TdxSkinIntegerProperty").Str("Padding").Int(7);
  expected.Int(1).Str("Common").Int(1).Str("Button");
  expected.Int(0x445566).Str("").Byte(200).Int(1).Int(2).Int(3).Int(4);
  expected.Int(0).Int(0).Int(0).Int(0).Byte(0).Int(3).Word(0x7).Byte(1);
  expected.Int(clNone).Str("").Int(clNone).Str("").Byte(gmHorizontal).Image(png).Int(0).Byte(0);
  expected.Int(2).Int(2).Int(2).Int(2).Byte(1).Int(3).Word(0x1).Byte(0);
  expected.Int(clNone).Str("").Int(clNone).Str("").Byte(gmHorizontal).Int(0).Int(0).Byte(0);
  for (int i = 0; i < 4; ++i) expected.Int(0x010203 * (i + 1)).Str("").Int(i + 1);
  expected.Int(0x778899).Str("").Int(5).Int(6).Int(0);
  expected.Int(1).Str("TdxSkinBooleanProperty").Str("Flag").Byte(1);
  expected.Int(0);
  EXPECT_EQ(SkinStreamBytes(skin), testing::StreamBytes(expected.s));
}

TEST_F(SkinFormatTest, VersionThatIsNotANumberExpectsOldAndNewFieldsAlike) {
  SkinBytes b;
  b.Header(std::nan("")).Str("N").Str("").Str("").WStr(u"").Int(0).Int(0);
  b.Int(1).Str("TdxSkinColor").Str("C").Int(5).Str("Ref");
  b.Int(0);
  b.Int(1).Str("G").Int(1).Str("E");
  b.Int(clDefault).Str("").Byte(255).Int(4).Int(0).Int(0).Int(0).Int(0);
  for (int image = 0; image < 2; ++image)
    b.Int(0)
        .Int(0)
        .Int(0)
        .Int(0)
        .Byte(0)
        .Int(2)
        .Word(1)
        .Byte(0)
        .Int(clNone)
        .Str("")
        .Int(clNone)
        .Str("")
        .Byte(0)
        .Int(0)
        .Int(0)
        .Byte(3);
  for (int i = 0; i < 4; ++i) b.Str("a").Str("b").Int(clNone).Str("").Int(1);
  b.Int(clDefault).Str("").Int(0).Int(0).Int(0);
  b.Int(0);
  b.Int(0);

  TdxSkin skin{String()};
  TMemoryStream& s = b.Rewound();
  skin.LoadFromStream(&s);
  EXPECT_EQ(s.Position(), s.Size());
  TdxSkinElement* e = skin.GetGroupByName(u"G")->GetElementByName(u"E");
  ASSERT_NE(e, nullptr);
  EXPECT_EQ(e->ReadImageCount(), 4);
  EXPECT_EQ(e->Image()->ImageCount(), 2) << "the image's own count, from version 1.1";
  EXPECT_EQ(e->Image()->InterpolationMode(), imBilinear);
  EXPECT_EQ(skin.GetColorByName(u"C")->ValueReference(), u"Ref");
}

TEST_F(SkinFormatTest, BadHeaderRaisesAndLeavesTheSkinAsItWas) {
  for (double version : {0.99, 0.0, -1.0}) {
    TdxSkin skin(u"Kept");
    skin.AddColor(u"A", clRed);
    SkinBytes b;
    b.Header(version).Str("X").Int(0).Int(0).Int(0);
    try {
      skin.LoadFromStream(&b.Rewound());
      ADD_FAILURE() << version;
    } catch (const EdxSkinError& e) {
      EXPECT_EQ(e.Message(), u"Invalid stream format");
    }
    EXPECT_EQ(skin.Name(), u"Kept");
    EXPECT_EQ(skin.ColorCount(), 1);
  }
  SkinBytes accepted;
  accepted.Header(1.0).Str("One").Int(0).Int(0).Int(0);
  TdxSkin skin{String()};
  skin.LoadFromStream(&accepted.Rewound());
  EXPECT_EQ(skin.Name(), u"One");
}

TEST_F(SkinFormatTest, EveryTruncationRaisesTheReadErrorAndNotifiesOnce) {
  TdxSkin source(u"Rich");
  FillRichSkin(source);
  const ImageBytes full = SkinStreamBytes(source);
  for (size_t length = 0; length < full.size(); ++length) {
    TMemoryStream s;
    testing::WriteBytes(s, ImageBytes(full.begin(), full.begin() + static_cast<ptrdiff_t>(length)));
    s.SetPosition(0);
    TdxSkin skin(u"Before");
    SkinChangeLog log;
    skin.OnChange = log.Handler();
    if (length < dxSkinHeaderSize) {
      EXPECT_THROW(skin.LoadFromStream(&s), EdxSkinError) << length;
      EXPECT_TRUE(log.sets.empty());
    } else {
      EXPECT_THROW(skin.LoadFromStream(&s), EReadError) << length;
      EXPECT_EQ(log.sets.size(), 1u) << length;
    }
  }
}

TEST_F(SkinFormatTest, DamagedCountsAndClassNamesAreRefused) {
  struct Case {
    const char* what;
    SkinBytes bytes;
  };
  std::vector<Case> cases(5);
  cases[0].what = "huge colour count";
  cases[0].bytes.Header(1.25).Str("S").Str("").Str("").WStr(u"").Int(0).Int(0).Int(0x7FFFFFFF);
  cases[1].what = "huge group name";
  cases[1].bytes.Header(1.25).Str("S").Str("").Str("").WStr(u"").Int(0).Int(0).Int(0).Int(0).Int(1).Int(
      0x7FFFFFF0);
  cases[2].what = "huge notes";
  cases[2].bytes.Header(1.25).Str("S").Str("").Str("").Int(0x40000000);
  cases[3].what = "huge texture";
  cases[3].bytes.Header(1.25).Str("S").Str("").Str("").WStr(u"").Int(0x7FFFFFFF);
  cases[4].what = "huge element count";
  cases[4]
      .bytes.Header(1.25)
      .Str("S")
      .Str("")
      .Str("")
      .WStr(u"")
      .Int(0)
      .Int(0)
      .Int(0)
      .Int(0)
      .Int(1)
      .Str("G")
      .Int(0x20000000);
  for (Case& c : cases) {
    TdxSkin skin{String()};
    EXPECT_THROW(skin.LoadFromStream(&c.bytes.Rewound()), EReadError) << c.what;
  }

  SkinBytes unknown;
  unknown.Header(1.25)
      .Str("S")
      .Str("")
      .Str("")
      .WStr(u"")
      .Int(0)
      .Int(0)
      .Int(1)
      .Str("TdxSkinNoSuchProperty")
      .Str("P");
  TdxSkin skin{String()};
  EXPECT_THROW(skin.LoadFromStream(&unknown.Rewound()), EClassNotFound);

  // The element class is registered, but it is not a property class.
  SkinBytes element;
  element.Header(1.25)
      .Str("S")
      .Str("")
      .Str("")
      .WStr(u"")
      .Int(0)
      .Int(0)
      .Int(1)
      .Str("TdxSkinElement")
      .Str("P")
      .Raw(ImageBytes(300, 0));
  EXPECT_THROW(skin.LoadFromStream(&element.Rewound()), EdxSkinError);

  // Negative counts are empty lists.
  SkinBytes negative;
  negative.Header(1.25).Str("S").Str("").Str("").WStr(u"").Int(-1).Int(-1).Int(-5).Int(-100).Int(-1).Int(-1);
  TdxSkin empty{String()};
  empty.LoadFromStream(&negative.Rewound());
  EXPECT_EQ(empty.GroupCount(), 0);
  EXPECT_EQ(empty.ColorCount(), 0);
}

TEST_F(SkinFormatTest, OutOfRangeEnumerationBytesReadAsDefaults) {
  TdxSkin source(u"S");
  source.AddGroup(u"G")->AddElement(u"E");
  ImageBytes bytes = SkinStreamBytes(source);
  TdxSkin reference{String()};
  // The image body of the glyph starts after the element's colour, alpha and content offset.
  const size_t element = bytes.size() - 4 - 4 - 198 + 5;  // palettes, group properties
  const size_t glyph = element + 8 + 1 + 16;
  bytes[glyph + 16] = 9;                        // layout
  bytes[glyph + 16 + 1 + 4 + 2] = 200;          // stretch
  bytes[glyph + 16 + 1 + 4 + 2 + 1 + 16] = 77;  // gradient
  bytes[glyph + 49] = 250;                      // interpolation
  TMemoryStream s;
  testing::WriteBytes(s, bytes);
  s.SetPosition(0);
  reference.LoadFromStream(&s);
  TdxSkinImage* g = reference.GetGroupByName(u"G")->GetElementByName(u"E")->Glyph();
  EXPECT_EQ(g->ImageLayout(), ilHorizontal);
  EXPECT_EQ(g->Stretch(), smStretch);
  EXPECT_EQ(g->Gradient(), gmHorizontal);
  EXPECT_EQ(g->InterpolationMode(), imDefault);
}

// A fixed-seed mutation run over a rich skin and a container of it: every damaged stream loads
// or raises one of the library's exceptions; none crashes, hangs or allocates wildly.
TEST_F(SkinFormatTest, MutatedStreamsLoadOrRaiseTheLibrarysErrors) {
  TdxSkin source(u"Rich");
  FillRichSkin(source);
  const ImageBytes plain = SkinStreamBytes(source);
  TMemoryStream containerStream;
  source.SaveToBinaryStream(&containerStream);
  const ImageBytes container = testing::StreamBytes(containerStream);

  std::mt19937 random(20261211);
  const int32_t extremes[] = {0, -1, 1, 0x7FFFFFFF, std::numeric_limits<int32_t>::min(), 0x40000000, 18};
  int loaded = 0;
  for (int round = 0; round < 400; ++round) {
    ImageBytes bytes = round % 2 ? container : plain;
    std::uniform_int_distribution<size_t> at(0, bytes.size() - 1);
    for (int edits = 1 + int(random() % 3); edits > 0; --edits) {
      const size_t i = at(random);
      switch (random() % 3) {
        case 0:
          bytes[i] ^= uint8_t(1u << (random() % 8));
          break;
        case 1:
          if (i + 4 <= bytes.size()) std::memcpy(&bytes[i], &extremes[random() % std::size(extremes)], 4);
          break;
        default:
          bytes.resize(i + 1);
          at = std::uniform_int_distribution<size_t>(0, bytes.size() - 1);
          break;
      }
    }
    TMemoryStream s;
    testing::WriteBytes(s, bytes);
    s.SetPosition(0);
    TdxSkin skin{String()};
    try {
      skin.LoadFromBinaryStream(&s);
      ++loaded;
    } catch (const Exception&) {
    }
  }
  EXPECT_GT(loaded, 0) << "some damage is harmless";
}

// ---- Containers -----------------------------------------------------------------------------

class SkinContainerTest : public testing::SkinsTest {
 protected:
  static ImageBytes Container(std::initializer_list<const char16_t*> ANames) {
    TMemoryStream s;
    {
      TdxSkinBinaryWriter writer(&s);
      for (const char16_t* name : ANames) {
        TdxSkin skin(name);
        skin.AddColor(u"Mark", static_cast<TColor>(name[0]));
        writer.AddSkin(&skin);
      }
    }
    return testing::StreamBytes(s);
  }
};

TEST_F(SkinContainerTest, ListsEverySkinAndLoadsByIndexOrNameInAnyCase) {
  const ImageBytes bytes = Container({u"Alpha", u"Beta"});
  TMemoryStream s;
  testing::WriteBytes(s, bytes);
  s.SetPosition(0);
  TdxSkinBinaryReader reader(&s);
  ASSERT_EQ(reader.Count(), 2);
  EXPECT_EQ(reader.SkinName(0), u"Alpha");
  EXPECT_EQ(reader.SkinName(1), u"Beta");
  EXPECT_EQ(reader.SkinOffset(0), dxSkinHeaderSize + 4 + 4);
  EXPECT_EQ(reader.IndexOf(u"bEtA"), 1);
  EXPECT_EQ(reader.IndexOf(u"Gamma"), -1);

  TdxSkin skin{String()};
  ASSERT_TRUE(reader.LoadSkin(&skin, String()));
  EXPECT_EQ(skin.Name(), u"Alpha");
  ASSERT_TRUE(reader.LoadSkin(&skin, u"BETA"));
  EXPECT_EQ(skin.Name(), u"Beta");
  EXPECT_EQ(skin.GetColorByName(u"Mark")->Value(), TColor('B'));
  EXPECT_FALSE(reader.LoadSkin(&skin, u"Gamma"));

  s.SetPosition(5);
  EXPECT_FALSE(reader.LoadSkin(&skin, -1));
  EXPECT_FALSE(reader.LoadSkin(&skin, 2));
  EXPECT_EQ(s.Position(), 5) << "a refused index does not touch the stream";
  EXPECT_EQ(skin.Name(), u"Beta");
}

TEST_F(SkinContainerTest, WriterLeavesTheStreamBehindTheLastSkin) {
  TMemoryStream s;
  {
    TdxSkinBinaryWriter writer(&s);
    TdxSkin skin(u"One");
    writer.AddSkin(&skin);
  }
  const int64_t end = s.Size();
  EXPECT_EQ(s.Position(), end);
  s.WriteBufferData(int32_t{0x5A5A5A5A});
  s.SetPosition(0);
  TdxSkinBinaryReader reader(&s);
  ASSERT_EQ(reader.Count(), 1);
  EXPECT_EQ(reader.SkinName(0), u"One");
}

TEST_F(SkinContainerTest, PlainSkinStreamIsListedAsOneSkinUnlessItsNameIsEmpty) {
  for (const char16_t* name : {u"Plain", u""}) {
    TdxSkin skin(name);
    skin.AddColor(u"C", clRed);
    TMemoryStream s;
    skin.SaveToStream(&s);
    s.SetPosition(0);
    TdxSkinBinaryReader reader(&s);
    EXPECT_EQ(reader.Count(), *name ? 1 : 0) << "an empty name reads as an empty container";
    TdxSkin loaded(u"X");
    s.SetPosition(0);
    loaded.LoadFromBinaryStream(&s);
    EXPECT_EQ(loaded.Name(), *name ? String(name) : String(u"X"));
  }
}

TEST_F(SkinContainerTest, DamagedContainersAreRefusedWithoutLoopingOrCrashing) {
  const ImageBytes good = Container({u"Alpha"});
  // A negative size would list the same skin again for every announced one. When the
  // container attempt fails the stream is read as one skin, which may list one or raise.
  ImageBytes negative = good;
  const int32_t many = 1000;
  const int32_t minusOne = -1;
  std::memcpy(&negative[dxSkinHeaderSize], &many, 4);
  std::memcpy(&negative[dxSkinHeaderSize + 4], &minusOne, 4);
  ImageBytes tooBig = good;
  const int32_t big = 1 << 30;
  std::memcpy(&tooBig[dxSkinHeaderSize + 4], &big, 4);
  for (const ImageBytes& bytes : {negative, tooBig}) {
    TMemoryStream s;
    testing::WriteBytes(s, bytes);
    s.SetPosition(0);
    try {
      TdxSkinBinaryReader reader(&s);
      EXPECT_LE(reader.Count(), 1);
    } catch (const EReadError&) {
    }
  }

  // Neither a container nor a skin.
  TMemoryStream neither;
  testing::WriteBytes(neither, ImageBytes(100, 0x41));
  neither.SetPosition(0);
  TdxSkinBinaryReader reader(&neither);
  EXPECT_EQ(reader.Count(), 0);
  TdxSkin skin(u"Untouched");
  EXPECT_FALSE(reader.LoadSkin(&skin, String()));
  EXPECT_EQ(skin.Name(), u"Untouched");

  // Data that ends inside the size field of an announced skin.
  SkinBytes cut;
  cut.Header(1.25).Int(2).Raw({1, 2});
  EXPECT_THROW(TdxSkinBinaryReader reader(&cut.Rewound()), EReadError);
}

TEST_F(SkinContainerTest, OldSkinInAContainerIsListedThroughATemporarySkin) {
  SkinBytes old;
  old.Header(1.03).Str("Vintage").Int(0).Int(0).Int(0);
  const ImageBytes skinBytes = testing::StreamBytes(old.s);
  SkinBytes container;
  container.Header(1.25).Int(1).Int(int32_t(skinBytes.size())).Raw(skinBytes);
  TdxSkinBinaryReader reader(&container.Rewound());
  ASSERT_EQ(reader.Count(), 1);
  EXPECT_EQ(reader.SkinName(0), u"Vintage");
  EXPECT_EQ(reader.SkinDetails(0)->Icons(sis48)->Width(), 48);
}

TEST_F(SkinContainerTest, BinaryFileRoundTrip) {
  const String file = Utf8ToString(::testing::TempDir()) + u"skin_container_test.bin";
  TdxSkin source(u"Filed");
  FillRichSkin(source);
  source.SaveToBinaryFile(file);
  TdxSkin loaded{String()};
  loaded.LoadFromBinaryFile(file);
  EXPECT_EQ(SkinStreamBytes(loaded), SkinStreamBytes(source));

  source.SaveToFile(file);
  TdxSkin plain{String()};
  plain.LoadFromFile(file);
  EXPECT_EQ(plain.Name(), u"Filed");
  std::remove(StringToUtf8(file).c_str());
}

}  // namespace
}  // namespace qd
