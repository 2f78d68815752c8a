// The SVG element tree, styles and importer; drawing small documents into pixels; the image
// handle's raster cache and the codec; hostile documents.
#include <gtest/gtest.h>

#include <string>

#include "tests/graphics_svg/svg_test_util.h"

namespace qd {
namespace {

using testing::NearPx;
using testing::TestBitmap;

class SVGCoreTest : public testing::SVGTest {};

TdxSVGElement* SVGCoreTestFind(TdxSVGElementRoot* ARoot, const char16_t* AID) {
  TdxSVGElement* e = nullptr;
  return ARoot->FindByID(AID, e) ? e : nullptr;
}

TEST_F(SVGCoreTest, ColoursInEveryNotation) {
  const struct {
    const char* text;
    TdxAlphaColor color;
  } cases[] = {
      {"rgb(255, 0, 0)", 0xFFFF0000},
      {"rgb(300,-1,128)", 0xFFFF0080},
      {"rgb(100%, 50%, 0%)", 0xFFFF8000},
      {"rgb(1,2)", TdxAlphaColorsDefault},
      {"#00ff00", 0xFF00FF00},
      {"#0f0", 0xFF00FF00},
      {"red", 0xFFFF0000},
      {"none", 0},
      {"inherit", TdxAlphaColorsDefault},
      {" blue ", 0xFF0000FF},
  };
  for (const auto& c : cases)
    EXPECT_EQ(TdxSVGAttributeConverter::StringToAlphaColor(c.text), c.color) << c.text;
  EXPECT_EQ(TdxSVGAttributeConverter::StringToReference("url(#g1)"), u"g1");
  EXPECT_EQ(TdxSVGAttributeConverter::StringToReference("url()"), u"");
  EXPECT_EQ(TdxSVGAttributeConverter::StringToFillRule("EvenOdd"), fmInherit);
}

TEST_F(SVGCoreTest, InheritanceAndStyleCascade) {
  auto root = Import(R"svg(<svg viewBox="0 0 10 10">
    <style>.a, .b { fill: blue } .a { stroke: red } rect { opacity: 0.5 }</style>
    <g fill="red" stroke-width="3"><rect id="r1"/><rect id="r2" stroke-width="0"/></g>
    <rect id="plain"/>
    <rect id="ab" class="a b" style="stroke: green"/>
    <rect id="classed" class="x"/>
    <text id="t" x="5" y="20" font-size="16">Hello <tspan id="s">World</tspan></text>
  </svg>)svg");
  ASSERT_TRUE(root);
  auto* r1 = SVGCoreTestFind(root.get(), u"r1");
  EXPECT_EQ(r1->GetActualFill(nullptr).AsColor(), 0xFFFF0000u);
  EXPECT_FLOAT_EQ(SVGCoreTestFind(root.get(), u"r2")->GetActualStrokeWidth(), 3);
  auto* plain = SVGCoreTestFind(root.get(), u"plain");
  EXPECT_EQ(plain->GetActualFill(nullptr).AsColor(), 0xFF000000u);
  EXPECT_EQ(plain->GetActualStroke(nullptr).AsColor(), 0u);
  EXPECT_FLOAT_EQ(plain->FOpacity, 0.5f);  // the tag rule applies to a rect without a class
  auto* ab = SVGCoreTestFind(root.get(), u"ab");
  EXPECT_EQ(ab->FFill.AsColor(), 0xFF0000FFu);
  EXPECT_EQ(ab->FStroke.AsColor(), 0xFF008000u);  // the inline style wins
  EXPECT_FLOAT_EQ(SVGCoreTestFind(root.get(), u"classed")->FOpacity, 1);
  auto* span = dynamic_cast<TdxSVGElementTSpan*>(SVGCoreTestFind(root.get(), u"s"));
  ASSERT_TRUE(span);
  EXPECT_FLOAT_EQ(span->FFontSize, 16);
  EXPECT_FLOAT_EQ(span->FX.Data, 5);
  EXPECT_EQ(span->FText, u"World");

  // A palette overrides fills by class name.
  TdxSimpleColorPalette palette(0xFF112233, 0xFF445566);
  EXPECT_EQ(plain->GetActualFill(&palette).AsColor(), 0xFF112233u);
  EXPECT_EQ(plain->GetActualStroke(&palette).AsColor(), 0u);  // no own stroke: not recoloured

  // Assign gives an equal tree with fresh parents.
  TdxSVGElementRoot copy;
  copy.Assign(root.get());
  ASSERT_EQ(copy.GetCount(), root->GetCount());
  auto* copied = SVGCoreTestFind(&copy, u"r1");
  ASSERT_TRUE(copied);
  EXPECT_EQ(copied->GetRoot(), &copy);
  EXPECT_EQ(copied->GetActualFill(nullptr).AsColor(), 0xFFFF0000u);
  EXPECT_THROW(copy.GetElement(99), EArgumentException);
}

TEST_F(SVGCoreTest, ImportAndCodec) {
  EXPECT_FALSE(LoadSVG("<html><svg/></html>"));
  const std::string doc =
      R"svg(<svg width="24" height="16" viewBox="0 0 12 8"><circle cx="5" r="2"/></svg>)svg";
  TMemoryStream stream;
  stream.WriteBuffer(doc.data(), static_cast<int64_t>(doc.size()));
  stream.SetPosition(0);
  TSize size{};
  ASSERT_TRUE(TdxSVGImageCodec::Instance().GetSize(&stream, size));
  EXPECT_EQ(size.cx, 24);
  EXPECT_EQ(size.cy, 16);
  EXPECT_EQ(stream.Position(), 0);
  std::unique_ptr<TdxSVGImageHandle> handle;
  ASSERT_TRUE(TdxSVGImageCodec::Instance().Load(&stream, handle));
  TMemoryStream saved;
  ASSERT_TRUE(TdxSVGImageCodec::Instance().Save(&saved, handle.get()));
  const std::string text(static_cast<const char*>(saved.Memory()), static_cast<size_t>(saved.Size()));
  EXPECT_NE(text.find("<circle cx=\"5\" r=\"2\"/>"), std::string::npos) << text;
  TdxSVGImageHandle empty;
  EXPECT_FALSE(TdxSVGImageCodec::Instance().Save(&saved, &empty));

  TMemoryStream notSvg;
  notSvg.WriteBuffer("<a/>", 4);
  notSvg.SetPosition(0);
  EXPECT_FALSE(TdxSVGImageCodec::Instance().CanLoadStream(&notSvg));

  // Saving an element writes only what differs from the defaults, lengths with units.
  auto root = Import(R"svg(<svg><circle cx="5" opacity="1"/></svg>)svg");
  TdxXMLNode node;
  root->GetElement(0)->Save(&node);
  EXPECT_EQ(node.Attributes().GetValue("cx"), "5px");
  EXPECT_FALSE(node.Attributes().Exists("opacity"));
}

TEST_F(SVGCoreTest, ScaleFactorsAndRasterCache) {
  TdxSVGImageHandle h;
  EXPECT_EQ(h.CalculateScaleFactor(TSize{16, 16}), 32);
  EXPECT_EQ(h.CalculateScaleFactor(TSize{100, 50}), 12);
  EXPECT_EQ(h.CalculateScaleFactor(TSize{2000, 1000}), 1);
  dxSVGRenderQuality = srqLow;
  EXPECT_EQ(h.CalculateScaleFactor(TSize{24, 24}), 16);
  dxSVGRenderQuality = srqMedium;

  auto handle = LoadSVG(R"svg(<svg viewBox="0 0 16 16"><rect width="16" height="16" fill="red"/></svg>)svg");
  ASSERT_TRUE(handle);
  TestBitmap bmp(16, 16, 0xFFFFFFFF);
  const TRect r{0, 0, 16, 16};
  handle->Draw(bmp.DC(), r, r, 255, nullptr);
  handle->Draw(bmp.DC(), r, r, 255, nullptr);
  EXPECT_EQ(handle->RenderCount(), 1);
  dxSVGRenderQuality = srqHigh;
  handle->Draw(bmp.DC(), r, r, 255, nullptr);
  EXPECT_EQ(handle->RenderCount(), 2);
  TdxSimpleColorPalette p1(0xFF0000FF, 0), p2(0xFF00FF00, 0);
  handle->Draw(bmp.DC(), r, r, 255, &p1);
  EXPECT_TRUE(NearPx(bmp.At(8, 8), 0xFF0000FF)) << std::hex << bmp.At(8, 8);
  handle->Draw(bmp.DC(), r, r, 255, &p2);
  handle->Draw(bmp.DC(), r, r, 255, &p1);
  EXPECT_EQ(handle->RenderCount(), 5);
  handle->Draw(bmp.DC(), TRect{0, 0, 8, 8}, r, 255, &p1);
  EXPECT_EQ(handle->RenderCount(), 6);
}

// Small documents against expected pixels.
TEST_F(SVGCoreTest, RendersShapesGradientsClipsAndOpacity) {
  TestBitmap bmp(40, 40, 0xFFFFFFFF);
  Render(R"svg(<svg width="40" height="40" viewBox="0 0 40 40">
    <defs>
      <linearGradient id="g"><stop offset="0" stop-color="#0000ff"/><stop offset="1" stop-color="#ff0000"/></linearGradient>
      <clipPath id="c"><circle cx="30" cy="30" r="6"/></clipPath>
    </defs>
    <rect x="0" y="0" width="20" height="10" fill="url(#g)"/>
    <g opacity="0.5"><rect x="0" y="20" width="10" height="10" fill="#000" opacity="0.5"/></g>
    <rect x="20" y="20" width="20" height="20" fill="lime" clip-path="url(#c)"/>
    <path d="M22 2 h16 v6 h-16 z" fill="none" stroke="#000" stroke-width="2"/>
    <g transform="translate(10 30) scale(2)"><rect width="4" height="4" fill="rgb(255,0,255)"/></g>
  </svg>)svg",
         bmp);
  bmp.SavePng("svg_render_shapes", 8);
  // Gradient from blue on the left to red on the right.
  EXPECT_GT(bmp.At(1, 5) & 0xFF, 0xD0u);
  EXPECT_GT((bmp.At(18, 5) >> 16) & 0xFF, 0xD0u);
  // Opacities multiply: a quarter of black over white.
  EXPECT_TRUE(NearPx(bmp.At(5, 25) | 0xFF000000, 0xFFBFBFBF, 10)) << std::hex << bmp.At(5, 25);
  // Clipped to the circle.
  EXPECT_TRUE(NearPx(bmp.At(30, 30), 0xFF00FF00));
  EXPECT_TRUE(NearPx(bmp.At(21, 21), 0xFFFFFFFF));
  // Stroke only: the outline is dark, the inside stays white.
  EXPECT_LT(bmp.At(30, 2) & 0xFF, 0x40u);
  EXPECT_TRUE(NearPx(bmp.At(30, 5), 0xFFFFFFFF));
  // The transformed square covers 10..18 x 30..38.
  EXPECT_TRUE(NearPx(bmp.At(14, 34), 0xFFFF00FF));
  EXPECT_TRUE(NearPx(bmp.At(19, 34), 0xFFFFFFFF));
}

TEST_F(SVGCoreTest, UseAndTextDraw) {
  TestBitmap bmp(40, 40, 0xFFFFFFFF);
  Render(R"svg(<svg width="40" height="40" viewBox="0 0 40 40" fill="blue">
    <defs><rect id="sq" width="8" height="8"/></defs>
    <use href="#sq" x="2" y="2"/>
    <g fill="red"><use xlink:href="#sq" x="20" y="2"/></g>
    <text x="2" y="36" font-family="DejaVu Sans" font-size="16" fill="black">Hi</text>
  </svg>)svg",
         bmp);
  bmp.SavePng("svg_render_use_text", 8);
  EXPECT_TRUE(NearPx(bmp.At(5, 5), 0xFF0000FF));
  EXPECT_TRUE(NearPx(bmp.At(24, 5), 0xFFFF0000));  // inherits from the use element's ancestors
  int dark = 0;
  for (int y = 20; y < 40; ++y)
    for (int x = 0; x < 30; ++x) dark += (bmp.At(x, y) & 0xFF) < 0x80;
  EXPECT_GT(dark, 20);
}

// Hostile documents give bounded results.
TEST_F(SVGCoreTest, HostileDocumentsAreBounded) {
  const char* docs[] = {
      R"svg(<svg viewBox="0 0 10 10"><use id="u" href="#u"/></svg>)svg",
      R"svg(<svg viewBox="0 0 10 10"><g id="g"><use href="#g"/></g></svg>)svg",
      R"svg(<svg id="r" viewBox="0 0 10 10"><use href="#r"/></svg>)svg",
      R"svg(<svg viewBox="0 0 10 10"><g id="a"><use href="#b"/></g><g id="b"><use href="#a"/></g></svg>)svg",
      R"svg(<svg viewBox="0 0 10 10"><clipPath id="c"><rect width="5" height="5" clip-path="url(#c)"/></clipPath>
         <rect width="9" height="9" clip-path="url(#c)"/></svg>)svg",
      R"svg(<svg viewBox="0 0 10 10"><rect id="x" fill="url(#x)" width="5" height="5"/></svg>)svg",
      R"svg(<svg width="10" height="10" viewBox="0 0 0.4 0.4"><rect width="1" height="1"/></svg>)svg",
      R"svg(<svg width="100000" height="100000"><rect width="1e30" height="1e30"/></svg>)svg",
      R"svg(<svg viewBox="0 0 10 10"><path d="M0 0 A nan 1 0 0 1 5 5 L 1e38 1e38 Z m"/></svg>)svg",
      R"svg(<svg viewBox="0 0 10 10"><linearGradient id="g"><rect/><stop offset="2"/><stop offset="-1"/></linearGradient>
         <rect width="5" height="5" fill="url(#g)" stroke="url(#g)" stroke-dasharray="0 0"/></svg>)svg",
  };
  for (const char* doc : docs) {
    TestBitmap bmp(10, 10, 0xFFFFFFFF);
    auto handle = LoadSVG(doc);
    ASSERT_TRUE(handle) << doc;
    TSize size;
    handle->GetSize(size);
    try {
      handle->Draw(bmp.DC(), TRect{0, 0, 10, 10}, TRect{0, 0, std::max(1, size.cx), std::max(1, size.cy)},
                   255, nullptr);
    } catch (const EdxGdipException&) {
      // A failure of the drawing layer is a bounded result too.
    }
  }
  // Uses that double at each of 30 levels: the work stays bounded.
  std::string doc = R"svg(<svg viewBox="0 0 10 10"><defs><rect id="l0" width="1" height="1"/>)svg";
  for (int i = 1; i <= 30; ++i)
    doc += "<g id=\"l" + std::to_string(i) + "\"><use href=\"#l" + std::to_string(i - 1) +
           "\"/><use href=\"#l" + std::to_string(i - 1) + "\"/></g>";
  doc += R"svg(</defs><use href="#l30"/></svg>)svg";
  TestBitmap bmp(10, 10, 0xFFFFFFFF);
  Render(doc, bmp);
  // Deep nesting is cut at the importer's depth limit.
  std::string deep = "<svg viewBox=\"0 0 10 10\">";
  for (int i = 0; i < 5000; ++i) deep += "<g>";
  deep += "<rect width=\"5\" height=\"5\"/>";
  for (int i = 0; i < 5000; ++i) deep += "</g>";
  deep += "</svg>";
  auto root = Import(deep);
  ASSERT_TRUE(root);
  int depth = 0;
  for (TdxSVGElement* e = root.get(); e->GetCount() > 0; e = e->GetElement(0)) ++depth;
  EXPECT_EQ(depth, TdxSVGImporter::MaxDepth);
}

}  // namespace
}  // namespace qd
