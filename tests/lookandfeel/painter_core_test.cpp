// The base painter's shared mechanisms: background filling, the operations that only
// descendants implement, the base answers of the identity operations, and the details record
// with its style icons.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <utility>
#include <string>
#include <vector>

#include "lookandfeel/painter_test_util.h"
#include "platform/base/exceptions.h"
#include "platform/base/strings.h"
#include "platform/forms/imglist.h"
#include "ui/core/dxDPIAwareUtils.h"
#include "ui/graphics/dxGDIPlusImage.h"
#include "ui/graphics/svg/dxSVGCore.h"
#include "ui/graphics/svg/dxSVGImage.h"
#include "ui/lookandfeel/cxLookAndFeelPainters.h"
#include "ui/lookandfeel/dxSkinDetails.h"

namespace qd::testing {
namespace {

class PainterCoreTest : public PainterTest {
 protected:
  TcxCustomLookAndFeelPainter painter_;
};

TEST_F(PainterCoreTest, DrawBackgroundFillsTilesOrLeavesAlone) {
  // A 2 x 2 bitmap: white on the diagonal, black elsewhere, so the tiling grid shows.
  TBitmap tile;
  tile.SetPixelFormat(pf32bit);
  tile.SetSize(2, 2);
  tile.Canvas()->SetPixels(0, 0, clWhite);
  tile.Canvas()->SetPixels(1, 1, clWhite);
  tile.Canvas()->SetPixels(1, 0, clBlack);
  tile.Canvas()->SetPixels(0, 1, clBlack);
  const TRect r{1, 1, 5, 4};
  struct Case {
    const char* name;
    bool transparent;
    TBitmap* bitmap;
    std::vector<std::string> mask;
  };
  const std::vector<Case> cases = {
      // Opaque: the colour, even with a bitmap.
      {"opaque with bitmap", false, &tile, {"......", ".RRRR.", ".RRRR.", ".RRRR.", "......"}},
      {"opaque", false, nullptr, {"......", ".RRRR.", ".RRRR.", ".RRRR.", "......"}},
      // Transparent: the bitmap tiled on the canvas grid, or nothing.
      {"transparent with bitmap", true, &tile, {"......", ".W#W#.", ".#W#W.", ".W#W#.", "......"}},
      {"transparent", true, nullptr, {"......", "......", "......", "......", "......"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto probe = DrawProbe(6, 5, [&](TcxCanvas* ACanvas, const TRect&) {
      painter_.DrawBackground(ACanvas, r, c.transparent, clRed, c.bitmap);
    });
    EXPECT_TRUE(probe->Matches(c.mask, {{'R', clRed}, {'W', clWhite}, {'#', clBlack}}));
    if (c.transparent && c.bitmap) probe->SavePng("painter_background_tiled");
  }
}

TEST_F(PainterCoreTest, OperationsLeftToDescendantsRaiseAbstractError) {
  TdxScaleFactor* sf = dxSystemScaleFactor();
  PainterProbe probe(8, 8);
  TcxCanvas* c = probe.Canvas();
  const TRect r = probe.Bounds();
  const std::vector<std::pair<const char*, std::function<void()>>> calls = {
      {"DrawScaledExpandButton", [&] { painter_.DrawScaledExpandButton(c, r, true, sf); }},
      {"ScaledExpandButtonSize", [&] { painter_.ScaledExpandButtonSize(sf); }},
      {"DrawScaledSortingMark", [&] { painter_.DrawScaledSortingMark(c, r, true, sf); }},
      {"DrawScaledSummarySortingMark", [&] { painter_.DrawScaledSummarySortingMark(c, r, false, sf); }},
      {"ScaledSortingMarkSize", [&] { painter_.ScaledSortingMarkSize(sf); }},
      {"ScaledSummarySortingMarkSize", [&] { painter_.ScaledSummarySortingMarkSize(sf); }},
      {"DrawScaledFilterDropDownButton",
       [&] { painter_.DrawScaledFilterDropDownButton(c, r, cxbsNormal, false, sf); }},
  };
  for (const auto& [name, call] : calls) {
    SCOPED_TRACE(name);
    EXPECT_THROW(call(), EAbstractError);
  }
  // Nothing was drawn on the way.
  EXPECT_EQ(probe.Bitmap().CountDrawn(), 0);
}

TEST_F(PainterCoreTest, BaseIdentityAnswers) {
  TObject* data = &painter_;
  EXPECT_FALSE(painter_.GetPainterData(data));
  EXPECT_EQ(data, &painter_);  // untouched
  EXPECT_FALSE(painter_.IsInternalPainter());
  EXPECT_TRUE(painter_.LookAndFeelName().empty());
  EXPECT_EQ(painter_.LookAndFeelStyle(), lfsStandard);
  EXPECT_FALSE(painter_.NeedRedrawOnResize());
}

// A painter with a name, counting the details records it builds.
class TNamedPainter : public TcxCustomLookAndFeelPainter {
 public:
  explicit TNamedPainter(String AName) : FName(std::move(AName)) {}
  String LookAndFeelName() override { return FName; }
  TObject* CreateLookAndFeelPainterDetails() override {
    ++Created;
    return TcxCustomLookAndFeelPainter::CreateLookAndFeelPainterDetails();
  }
  int Created = 0;

 private:
  String FName;
};

std::unique_ptr<TdxSmartImage> ResourceImage(const Char* AName, const Char* AType) {
  auto image = std::make_unique<TdxSmartImage>();
  image->LoadFromResource(nullptr, AName, AType);
  return image;
}

TEST_F(PainterCoreTest, DetailsRecordIsBuiltOnceUntilTheImagesAreReleased) {
  TNamedPainter painter(u"Standard");
  TdxSkinDetails* first = nullptr;
  ASSERT_TRUE(painter.GetPainterDetails(first));
  ASSERT_NE(first, nullptr);
  TdxSkinDetails* second = nullptr;
  ASSERT_TRUE(painter.GetPainterDetails(second));
  EXPECT_EQ(second, first);
  EXPECT_EQ(painter.GetLookAndFeelPainterDetails(), first);
  EXPECT_EQ(painter.Created, 1);

  painter.ReleaseImageResources();
  TdxSkinDetails* third = nullptr;
  ASSERT_TRUE(painter.GetPainterDetails(third));
  EXPECT_EQ(painter.Created, 2);
  EXPECT_EQ(third->Name(), u"Standard");
}

TEST_F(PainterCoreTest, DetailsRecordDescribesTheStyleWithItsIcons) {
  TNamedPainter standard(u"Standard");
  auto* details = dynamic_cast<TdxSkinDetails*>(standard.GetLookAndFeelPainterDetails());
  ASSERT_NE(details, nullptr);
  EXPECT_EQ(details->Name(), u"Standard");
  EXPECT_EQ(details->DisplayName(), u"Standard");
  EXPECT_EQ(details->GroupName(), u"Built-In Look && Feel Styles");
  EXPECT_TRUE(
      details->GetIcon(sis16)->Compare(ResourceImage(u"CX_LOOKANDFEELSTYLEICON_STANDARD16", u"PNG").get()));
  EXPECT_TRUE(
      details->GetIcon(sis48)->Compare(ResourceImage(u"CX_LOOKANDFEELSTYLEICON_STANDARD48", u"PNG").get()));
  EXPECT_EQ(details->GetIcon(sis16)->Size(), (TSize{16, 16}));
  EXPECT_EQ(details->GetIcon(sis48)->Size(), (TSize{48, 48}));

  // The resource name is built from the upper-case name, so any spelling of a style finds it.
  TNamedPainter lower(u"ultraFlat");
  auto* lowerDetails = dynamic_cast<TdxSkinDetails*>(lower.GetLookAndFeelPainterDetails());
  EXPECT_TRUE(lowerDetails->GetIcon(sis16)->Compare(
      ResourceImage(u"CX_LOOKANDFEELSTYLEICON_ULTRAFLAT16", u"PNG").get()));

  // Without icons of its own a painter shows the default ones.
  TNamedPainter unknown(u"Homemade");
  auto* plain = dynamic_cast<TdxSkinDetails*>(unknown.GetLookAndFeelPainterDetails());
  EXPECT_EQ(plain->Name(), u"Homemade");
  EXPECT_TRUE(plain->GetIcon(sis16)->Compare(ResourceImage(SkinIconNames[sis16], u"DXSKINS").get()));
  EXPECT_TRUE(plain->GetIcon(sis48)->Compare(ResourceImage(SkinIconNames[sis48], u"DXSKINS").get()));
}

TEST_F(PainterCoreTest, EveryBuiltInStyleHasBothIcons) {
  for (const Char* style : {u"FLAT", u"NATIVE", u"OFFICE11", u"STANDARD", u"ULTRAFLAT"})
    for (const auto& [suffix, size] : {std::pair{u"16", 16}, std::pair{u"48", 48}}) {
      const String name = String(u"CX_LOOKANDFEELSTYLEICON_") + style + suffix;
      SCOPED_TRACE(StringToUtf8(name));
      auto image = ResourceImage(name.c_str(), u"PNG");
      EXPECT_EQ(image->Size(), (TSize{size, size}));
    }
}

// The lazy glyph getters, reachable.
class TGlyphPainter : public TcxCustomLookAndFeelPainter {
 public:
  using TcxCustomLookAndFeelPainter::GetBackButton;
  using TcxCustomLookAndFeelPainter::GetClockFace;
  using TcxCustomLookAndFeelPainter::GetClockGlass;
  using TcxCustomLookAndFeelPainter::GetFixedGroupIndicator;
  using TcxCustomLookAndFeelPainter::GetMapPushpin;
  using TcxCustomLookAndFeelPainter::GetNavigationBarCustomizationButton;
  using TcxCustomLookAndFeelPainter::GetRatingControlIndicator;
  using TcxCustomLookAndFeelPainter::GetSearchButtonGlyph;
  using TcxCustomLookAndFeelPainter::GetSmartTagGlyph;
};

TEST_F(PainterCoreTest, GlyphsLoadOnFirstUseAndAgainOnlyAfterRelease) {
  dxSVGCore::Initialize();
  dxSVGImage::Initialize();
  {
    TGlyphPainter painter;
    struct Case {
      const char* name;
      TdxSmartImage* (TGlyphPainter::*get)();
      TSize size;
    };
    const std::vector<Case> cases = {
        {"clock face", &TGlyphPainter::GetClockFace, {130, 130}},
        {"clock glass", &TGlyphPainter::GetClockGlass, {130, 130}},
        {"fixed group indicator", &TGlyphPainter::GetFixedGroupIndicator, {12, 12}},
        {"map pushpin", &TGlyphPainter::GetMapPushpin, {34, 44}},
        {"navigation bar customization", &TGlyphPainter::GetNavigationBarCustomizationButton, {16, 16}},
        // Three rows: unchecked, hover, checked.
        {"rating indicator", &TGlyphPainter::GetRatingControlIndicator, {16, 48}},
        {"smart tag", &TGlyphPainter::GetSmartTagGlyph, {12, 12}},
    };
    for (const Case& c : cases) {
      SCOPED_TRACE(c.name);
      TdxSmartImage* first = (painter.*c.get)();
      ASSERT_NE(first, nullptr);
      EXPECT_EQ(first->Size(), c.size);
      // Present images are never loaded again, even when emptied meanwhile.
      first->Clear();
      EXPECT_EQ((painter.*c.get)(), first);
      EXPECT_TRUE(first->Empty());
    }

    painter.ReleaseImageResources();
    for (const Case& c : cases) {
      SCOPED_TRACE(c.name);
      EXPECT_EQ((painter.*c.get)()->Size(), c.size);  // loaded afresh
    }
  }
  dxSVGImage::Finalize();
  dxSVGCore::Finalize();
}

TEST_F(PainterCoreTest, IndicatorImagesShareOneMaskedListUntilShutDown) {
  TCustomImageList* images = cxIndicatorImages();
  ASSERT_NE(images, nullptr);
  EXPECT_EQ(cxIndicatorImages(), images);
  EXPECT_EQ(images->Count(), 8);
  EXPECT_EQ(images->Width(), 11);
  EXPECT_EQ(images->Height(), 11);
  // Image 0 is the current-row arrow; the white around it is transparent.
  PainterProbe probe(11, 11);
  images->Draw(probe.Canvas()->Canvas(), 0, 0, 0);
  probe.SavePng("painter_indicator_arrow");
  EXPECT_TRUE(
      probe.Matches({"...........", "...#.......", "...##......", "...###.....", "...####....", "...#####...",
                     "...####....", "...###.....", "...##......", "...#.......", "..........."},
                    clBlack));
  // The unit's shut-down frees the list; the next use builds it again.
  images->Delete(7);
  cxLookAndFeelPainters::Initialize();
  cxLookAndFeelPainters::Finalize();
  EXPECT_EQ(cxIndicatorImages()->Count(), 8);
  cxFreeIndicatorImages();
}

// A painter that describes itself with nothing.
class TNoDetailsPainter : public TcxCustomLookAndFeelPainter {
 public:
  TObject* CreateLookAndFeelPainterDetails() override { return nullptr; }
};

TEST_F(PainterCoreTest, PainterWithoutDetailsAnswersFalse) {
  TNoDetailsPainter painter;
  TdxSkinDetails marker;
  TdxSkinDetails* details = &marker;
  EXPECT_FALSE(painter.GetPainterDetails(details));
  EXPECT_EQ(details, &marker);
}

}  // namespace
}  // namespace qd::testing
