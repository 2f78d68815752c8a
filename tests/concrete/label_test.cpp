// The label: caption and edit value, depth effects, raised and lowered text, outline, auto size
// against the line, and the label's registration.
#include <gtest/gtest.h>

#include "concrete/label_test_util.h"
#include "platform/classes/filer.h"
#include "platform/forms/stdctrls.h"
#include "ui/graphics/cxGraphicsText.h"

namespace qd::testing {
namespace {

// --- Caption and edit value -------------------------------------------------------------------

TEST_F(LabelTest, CaptionAndEditValueStayEqual) {
  struct Step {
    const char* what;
    std::function<void()> change;
    String expected;
  };
  const std::vector<Step> steps = {
      {"caption", [&] { label->SetCaption(u"Iniciando operação..."); }, u"Iniciando operação..."},
      {"caption again", [&] { label->SetCaption(u"Finalizando módulo [Torvelix]..."); },
       u"Finalizando módulo [Torvelix]..."},
      {"same caption", [&] { label->SetCaption(u"Finalizando módulo [Torvelix]..."); },
       u"Finalizando módulo [Torvelix]..."},
      {"edit value", [&] { label->SetEditValue(Variant(String(u"from code"))); }, u"from code"},
      {"number", [&] { label->SetEditValue(Variant(42)); }, u"42"},
      {"null", [&] { label->SetEditValue(Null()); }, u""},
      {"empty caption", [&] { label->SetCaption(u""); }, u""},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.what);
    step.change();
    EXPECT_EQ(label->Caption(), step.expected);
    EXPECT_EQ(VarToStr(label->EditValue()), step.expected);
    EXPECT_EQ(label->ViewInfo()->Text, step.expected);
  }
}

TEST_F(LabelTest, ACaptionChangeIsPaintedAtTheNextPaint) {
  UseCrispFont(10);
  FixSize(200, 24);
  label->SetCaption(u"");
  const LabelPixels empty = Paint();
  EXPECT_EQ(empty.Count(0x000000), 0);
  label->SetCaption(u"Baixando...");
  const LabelPixels shown = Paint();
  EXPECT_GT(shown.Count(0x000000), 20);
}

TEST_F(LabelTest, EditValueChangesAreReportedOnce) {
  int changes = 0;
  struct Counter {
    int* count;
    void Changed(TObject*) { ++*count; }
  } counter{&changes};
  label->Properties()->SetOnEditValueChanged(MakeMethod(&counter, &Counter::Changed));
  label->SetCaption(u"one");
  label->SetCaption(u"one");
  label->SetEditValue(Variant(String(u"two")));
  EXPECT_EQ(changes, 2);
}

TEST_F(LabelTest, FocusControlIsForgottenWhenItGoes) {
  auto* target = new TcxLabel(form);
  label->SetFocusControl(target);
  EXPECT_EQ(label->FocusControl(), target);
  label->SetFocusControl(label);
  EXPECT_EQ(label->FocusControl(), target);
  delete target;
  EXPECT_EQ(label->FocusControl(), nullptr);
}

// --- Depth effects -----------------------------------------------------------------------------

struct EffectCase {
  const char* name;
  TcxLabelEffect effect;
  TcxLabelOrientation orientation;
  uint16_t depth;
  // Shadow copies in drawing order as (dx, dy, fraction of the way from the background to the
  // shadow colour, in thirds), then the caption's own offset.
  std::vector<std::tuple<int, int, int>> copies;
  int textDX;
  int textDY;
};

TEST_F(LabelTest, DepthEffectsDrawOffsetCopiesInTheShadowColour) {
  const std::vector<EffectCase> cases = {
      {"extrude right bottom", cxleExtrude, cxoRightBottom, 3, {{3, 3, 3}, {2, 2, 3}, {1, 1, 3}}, 0, 0},
      {"cool right bottom", cxleCool, cxoRightBottom, 3, {{3, 3, 3}}, 0, 0},
      {"fun right bottom", cxleFun, cxoRightBottom, 3, {{3, 3, 1}, {2, 2, 2}, {1, 1, 3}}, 0, 0},
      {"extrude left", cxleExtrude, cxoLeft, 2, {{0, 0, 3}, {1, 0, 3}}, 2, 0},
      {"extrude top", cxleExtrude, cxoTop, 2, {{0, 0, 3}, {0, 1, 3}}, 0, 2},
      {"cool left top", cxleCool, cxoLeftTop, 3, {{0, 0, 3}}, 3, 3},
      {"cool right", cxleCool, cxoRight, 2, {{2, 0, 3}}, 0, 0},
      {"extrude bottom", cxleExtrude, cxoBottom, 2, {{0, 2, 3}, {0, 1, 3}}, 0, 0},
      {"normal effect draws no copy", cxleNormal, cxoRightBottom, 3, {}, 0, 0},
      {"no depth draws no copy", cxleExtrude, cxoRightBottom, 0, {}, 0, 0},
  };
  UseCrispFont(14);
  FixSize(120, 40);
  label->SetCaption(u"Hw");
  const LabelPixels plain = Paint();
  ASSERT_GT(plain.Count(0x000000), 30);
  const uint32_t background = 0xFFFFFF;
  const uint32_t shadow = 0xFF0000;
  for (const EffectCase& c : cases) {
    SCOPED_TRACE(c.name);
    label->Properties()->BeginUpdate();
    label->Properties()->SetLabelEffect(c.effect);
    label->Properties()->SetOrientation(c.orientation);
    label->Properties()->SetDepth(c.depth);
    label->Properties()->SetShadowedColor(clRed);
    label->Properties()->EndUpdate();
    std::vector<Layer> layers;
    for (const auto& [dx, dy, thirds] : c.copies) {
      // Red from white: only green and blue fall, by a third of 255 per step.
      const uint32_t fall = static_cast<uint32_t>(255 * thirds / 3);
      const uint32_t gb = 0xFF - fall;
      layers.push_back({dx, dy, thirds == 3 ? shadow : (0xFF0000 | (gb << 8) | gb)});
    }
    layers.push_back({c.textDX, c.textDY, 0x000000});
    const LabelPixels actual = Paint();
    EXPECT_EQ(Difference(actual, Compose(plain, 0x000000, background, layers)), "");
  }
}

// --- Raised, lowered, outlined ---------------------------------------------------------------

struct StyleCase {
  const char* name;
  TcxLabelStyle style;
  int points;
  // (dx, dy, colour) in drawing order; colours 0 highlight, 1 shadow, 2 text.
  std::vector<std::tuple<int, int, int>> layers;
};

TEST_F(LabelTest, RaisedAndLoweredTextDependOnTheFontSize) {
  const std::vector<StyleCase> cases = {
      {"raised at 10 points: no shadow copy", cxlsRaised, 10, {{0, 0, 0}, {1, 1, 2}}},
      {"raised at 12 points: shadow copy at +2", cxlsRaised, 12, {{0, 0, 0}, {2, 2, 1}, {1, 1, 2}}},
      {"lowered at 10 points", cxlsLowered, 10, {{2, 2, 0}, {1, 1, 2}}},
      {"lowered at 12 points", cxlsLowered, 12, {{0, 0, 1}, {2, 2, 0}, {1, 1, 2}}},
  };
  // A coloured ground, so that the white highlight shows.
  form->SetColor(static_cast<TColor>(0x80C0C0));
  const uint32_t background = Rgb(static_cast<TColor>(0x80C0C0));
  const uint32_t colours[] = {Rgb(clBtnHighlight), Rgb(clBtnShadow), 0x000000};
  FixSize(120, 40);
  label->SetCaption(u"Hw");
  for (const StyleCase& c : cases) {
    SCOPED_TRACE(c.name);
    UseCrispFont(c.points);
    label->Properties()->SetLabelStyle(cxlsNormal);
    const LabelPixels plain = Paint();
    ASSERT_GT(plain.Count(0x000000), 30);
    label->Properties()->SetLabelStyle(c.style);
    std::vector<Layer> layers;
    for (const auto& [dx, dy, colour] : c.layers) layers.push_back({dx, dy, colours[colour]});
    EXPECT_EQ(Difference(Paint(), Compose(plain, 0x000000, background, layers)), "");
  }
}

TEST_F(LabelTest, RaisedTextNeedsRoomForItsOffset) {
  for (int points : {10, 12}) {
    SCOPED_TRACE(points);
    UseCrispFont(points);
    label->SetCaption(u"Hw");
    label->Properties()->SetLabelStyle(cxlsNormal);
    const TSize plain{label->Width(), label->Height()};
    label->Properties()->SetLabelStyle(cxlsRaised);
    const int offset = points < 12 ? 1 : 2;
    EXPECT_EQ(label->Width(), plain.cx + offset);
    EXPECT_EQ(label->Height(), plain.cy + offset);
  }
}

TEST_F(LabelTest, OutlineWithoutGlyphDrawsOnlyTheOutline) {
  UseCrispFont(40);
  FixSize(120, 70);
  label->SetCaption(u"O");
  const LabelPixels plain = Paint();
  label->Properties()->SetLabelStyle(cxlsOutLine);
  label->Properties()->SetPenWidth(1);
  const LabelPixels outline = Paint();
  // Ink deep inside the letter's stroke (all neighbours within 2 pixels are ink too) is
  // background now; every outline pixel lies on or next to the letter.
  int deepInside = 0, deepInsideInked = 0, outlineInk = 0, outlineAway = 0;
  auto near = [&](int x, int y, int r, bool ink) {
    for (int dy = -r; dy <= r; ++dy)
      for (int dx = -r; dx <= r; ++dx)
        if ((plain.At(x + dx, y + dy) == 0x000000) != ink) return false;
    return true;
  };
  for (int y = 0; y < plain.Height; ++y)
    for (int x = 0; x < plain.Width; ++x) {
      if (near(x, y, 2, true)) {
        ++deepInside;
        deepInsideInked += outline.At(x, y) == 0x000000;
      }
      if (outline.At(x, y) == 0x000000) {
        ++outlineInk;
        outlineAway += near(x, y, 2, false);
      }
    }
  ASSERT_GT(deepInside, 20);
  EXPECT_EQ(deepInsideInked, 0);
  EXPECT_GT(outlineInk, 40);
  EXPECT_EQ(outlineAway, 0);
  // A wider pen draws more.
  label->Properties()->SetPenWidth(3);
  EXPECT_GT(Paint().Count(0x000000), outline.Count(0x000000));
}

// A 4 x 4 glyph: red left half, blue right half.
void MakeStripedGlyph(TdxSmartGlyph* AGlyph) {
  TcxBitmap32 bitmap(4, 4, true);
  TRGBColors colors(16);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x)
      colors[static_cast<size_t>(y * 4 + x)] = x < 2 ? RGBQUAD{0, 0, 255, 255} : RGBQUAD{255, 0, 0, 255};
  bitmap.SetBitmapColors(colors);
  AGlyph->SetBitmap(&bitmap);
}

TEST_F(LabelTest, GlyphFillsTheLettersOnly) {
  UseCrispFont(40);
  FixSize(120, 70);
  label->SetCaption(u"H");
  const LabelPixels plain = Paint();
  MakeStripedGlyph(label->Properties()->Glyph());
  const LabelPixels filled = Paint();
  int red = 0, blue = 0, outside = 0;
  for (int y = 0; y < plain.Height; ++y)
    for (int x = 0; x < plain.Width; ++x) {
      const uint32_t c = filled.At(x, y);
      if (c == 0xFF0000) ++red;
      if (c == 0x0000FF) ++blue;
      if (c != 0xFFFFFF && plain.At(x, y) != 0x000000 && plain.At(x - 1, y) != 0x000000 &&
          plain.At(x + 1, y) != 0x000000 && plain.At(x, y - 1) != 0x000000 && plain.At(x, y + 1) != 0x000000)
        ++outside;
    }
  EXPECT_GT(red, 40);
  EXPECT_GT(blue, 40);
  EXPECT_EQ(filled.Count(0x000000), 0);
  EXPECT_EQ(outside, 0);
}

TEST_F(LabelTest, TheAcceleratorFocusesTheFocusControl) {
  auto* edit = new TEdit(form);
  edit->SetParent(form);
  edit->SetBounds(10, 60, 100, 22);
  Application->ProcessMessages();
  label->SetCaption(u"&Nome");
  label->SetFocusControl(edit);
  struct Case {
    const char* what;
    std::function<void()> prepare;
    Char key;
    bool handled;
  };
  const std::vector<Case> cases = {
      {"another key", [] {}, u'x', false},
      {"the accelerator, either case", [] {}, u'n', true},
      {"accelerators off", [&] { label->Properties()->SetShowAccelChar(false); }, u'N', false},
      {"disabled label", [&] { label->SetEnabled(false); }, u'N', false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    SetFocus(form->Handle());
    c.prepare();
    EXPECT_EQ(label->Perform(CM_DIALOGCHAR, c.key, 0) != 0, c.handled);
    EXPECT_EQ(edit->Focused(), c.handled);
  }
}

TEST_F(LabelTest, ATransparentLabelShowsItsParentNotItsColour) {
  UseCrispFont(10);
  FixSize(120, 24);
  form->SetColor(static_cast<TColor>(0x60A0E0));
  label->Style()->SetColor(clYellow);
  label->SetCaption(u"Hi");
  EXPECT_EQ(Paint().At(100, 12), Rgb(clYellow));
  label->SetTransparent(true);
  EXPECT_EQ(Paint().At(100, 12), Rgb(static_cast<TColor>(0x60A0E0)));
}

TEST_F(LabelTest, GlyphFillKeepsTheClippingOfTheCanvas) {
  UseCrispFont(40);
  FixSize(160, 70);
  label->SetCaption(u"HH");
  MakeStripedGlyph(label->Properties()->Glyph());
  Paint();
  // Painted into a bitmap whose canvas lets only the left half through.
  TcxBitmap bitmap(label->Width(), label->Height(), pf32bit);
  TcxCanvas* canvas = bitmap.cxCanvas();
  canvas->FillRect(bitmap.ClientRect(), clLime);
  canvas->IntersectClipRect(TRect{0, 0, label->Width() / 2, label->Height()});
  label->ViewInfo()->Paint(canvas);
  // Read the pixels themselves: the canvas answers nothing outside its clipping.
  int leftFilled = 0, rightTouched = 0;
  for (int y = 0; y < label->Height(); ++y) {
    const auto* row = static_cast<const uint32_t*>(bitmap.ScanLine(y));
    for (int x = 0; x < label->Width(); ++x) {
      const uint32_t c = row[x] & 0xFFFFFF;
      if (x < label->Width() / 2)
        leftFilled += c == 0xFF0000 || c == 0x0000FF;
      else
        rightTouched += c != 0x00FF00;
    }
  }
  EXPECT_GT(leftFilled, 40);
  EXPECT_EQ(rightTouched, 0);
}

// An in-place label renders into its cache and copies it; a new caption or a new place on the
// canvas renders again.
TEST_F(LabelTest, InplaceLabelRendersThroughItsCache) {
  auto* inplace = static_cast<TcxLabel*>(TcxCustomEdit::CreateInplace(TcxLabel::StaticClass(), form));
  ASSERT_TRUE(inplace->IsInplace());
  inplace->SetParent(form);
  inplace->SetBounds(0, 0, 100, 30);
  TFont* font = inplace->Style()->Font();
  font->SetName(u"DejaVu Sans");
  font->SetSize(14);
  font->SetStyle(TFontStyles{fsBold});
  font->SetColor(clBlack);
  dxSetFontAsNonAntialiased(font);
  inplace->Style()->SetColor(clWhite);
  auto render = [&](const String& ACaption, int AOriginX) {
    inplace->SetCaption(ACaption);
    TcxBitmap bitmap(140, 30, pf32bit);
    TcxCanvas* canvas = bitmap.cxCanvas();
    canvas->FillRect(bitmap.ClientRect(), clLime);
    canvas->SetWindowOrg(TPoint{-AOriginX, 0});
    inplace->ViewInfo()->Paint(canvas);
    canvas->SetWindowOrg(TPoint{0, 0});
    std::vector<int> inkColumns;
    for (int x = 0; x < 140; ++x)
      for (int y = 0; y < 30; ++y)
        if ((static_cast<const uint32_t*>(bitmap.ScanLine(y))[x] & 0xFFFFFF) == 0) {
          inkColumns.push_back(x);
          break;
        }
    return inkColumns;
  };
  const std::vector<int> wide = render(u"WWW", 0);
  ASSERT_FALSE(wide.empty());
  const std::vector<int> narrow = render(u"i", 0);
  ASSERT_FALSE(narrow.empty());
  EXPECT_LT(narrow.back() - narrow.front(), wide.back() - wide.front());
  const std::vector<int> moved = render(u"i", 30);
  ASSERT_EQ(moved.size(), narrow.size());
  EXPECT_EQ(moved.front(), narrow.front() + 30);
}

// --- Rotation ----------------------------------------------------------------------------------

// A font that is not TrueType cannot rotate: the caption stays level and the line stays.
TEST_F(LabelTest, ANonTrueTypeFontDrawsLevelTextWhateverTheAngle) {
  TFont* font = label->Style()->Font();
  font->SetName(u"MS Sans Serif");
  font->SetHeight(-13);
  font->SetColor(clBlack);
  dxSetFontAsNonAntialiased(font);
  FixSize(160, 30);
  label->SetCaption(u"Status");
  const LabelPixels level = Paint();
  ASSERT_GT(level.Count(0x000000), 20);
  label->Properties()->SetAngle(90);
  EXPECT_EQ(Difference(Paint(), level), "");
  label->Properties()->LineOptions()->SetVisible(true);
  TcxCustomLabelViewInfo* vi = label->ViewInfo();
  EXPECT_FALSE(vi->FLineRect.IsEmpty());
  EXPECT_EQ(vi->FLineOrientation, orHorizontal);
}

TEST_F(LabelTest, RotatedCaptionRunsAlongItsAngle) {
  UseCrispFont(14);
  label->SetCaption(u"Rotated");
  const TSize flat{label->Width(), label->Height()};
  label->Properties()->SetAngle(90);
  // Auto size turns the box: the text's width becomes height and the other way round.
  EXPECT_EQ(label->Width() + label->Height(), flat.cx + flat.cy);
  EXPECT_GT(label->Height(), 3 * label->Width());
  const LabelPixels pixels = Paint();
  int minX = pixels.Width, maxX = -1, minY = pixels.Height, maxY = -1;
  for (int y = 0; y < pixels.Height; ++y)
    for (int x = 0; x < pixels.Width; ++x)
      if (pixels.At(x, y) == 0x000000) {
        minX = std::min(minX, x);
        maxX = std::max(maxX, x);
        minY = std::min(minY, y);
        maxY = std::max(maxY, y);
      }
  ASSERT_GE(maxX, 0);
  EXPECT_GT(maxY - minY, 3 * (maxX - minX));
}

// Where a rotated caption lands: its ink sits against the edges its alignment names, or in
// the middle, whatever the angle.
TEST_F(LabelTest, RotatedCaptionFollowsItsAlignment) {
  struct Case {
    int angle;
    TAlignment horz;
    TcxEditVertAlignment vert;
  };
  const std::vector<Case> cases = {
      {90, taCenter, taVCenter},
      {180, taCenter, taVCenter},
      {270, taCenter, taVCenter},
      {45, taCenter, taVCenter},
      {90, taLeftJustify, taTopJustify},
      {90, taRightJustify, taBottomJustify},
      {180, taLeftJustify, taTopJustify},
      {270, taRightJustify, taTopJustify},
      {135, taLeftJustify, taBottomJustify},
  };
  UseCrispFont(12);
  FixSize(140, 110);
  label->SetCaption(u"Rotate");
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.angle) + " " + std::to_string(c.horz) + " " + std::to_string(c.vert));
    label->Properties()->BeginUpdate();
    label->Properties()->SetAngle(c.angle);
    label->Properties()->Alignment()->SetHorz(c.horz);
    label->Properties()->Alignment()->SetVert(c.vert);
    label->Properties()->EndUpdate();
    const LabelPixels pixels = Paint();
    int minX = pixels.Width, maxX = -1, minY = pixels.Height, maxY = -1;
    for (int y = 0; y < pixels.Height; ++y)
      for (int x = 0; x < pixels.Width; ++x)
        if (pixels.At(x, y) == 0x000000) {
          minX = std::min(minX, x);
          maxX = std::max(maxX, x);
          minY = std::min(minY, y);
          maxY = std::max(maxY, y);
        }
    ASSERT_GE(maxX, 0);
    const TRect client = label->ViewInfo()->ClientRect;
    // Glyphs do not fill their cells: allow the cell's blank margins, which reach further from
    // the box's edges when the cell stands diagonally.
    const int kSlack = c.angle % 90 == 0 ? 5 : 8;
    switch (c.horz) {
      case taLeftJustify:
        EXPECT_NEAR(minX, client.Left, kSlack);
        break;
      case taRightJustify:
        EXPECT_NEAR(maxX + 1, client.Right, kSlack);
        break;
      default:
        EXPECT_NEAR(minX + maxX + 1, client.Left + client.Right, 2 * kSlack);
        break;
    }
    switch (c.vert) {
      case taTopJustify:
        EXPECT_NEAR(minY, client.Top, kSlack);
        break;
      case taBottomJustify:
        EXPECT_NEAR(maxY + 1, client.Bottom, kSlack);
        break;
      default:
        EXPECT_NEAR(minY + maxY + 1, client.Top + client.Bottom, 2 * kSlack);
        break;
    }
  }
}

// --- Auto size and the line ----------------------------------------------------------------

TEST_F(LabelTest, AutoSizeAndAVisibleLineExcludeEachOther) {
  ASSERT_TRUE(label->AutoSize());
  label->Properties()->LineOptions()->SetVisible(true);
  EXPECT_FALSE(label->AutoSize());
  label->SetEditAutoSize(true);
  EXPECT_TRUE(label->AutoSize());
  EXPECT_FALSE(label->Properties()->LineOptions()->Visible());
}

TEST_F(LabelTest, AutoSizeFollowsTheCaptionAndMeasuresAnEmptyOneAsABlank) {
  UseCrispFont(10, false);
  label->SetCaption(u"Por favor aguarde...");
  const int wide = label->Width();
  label->SetCaption(u"Oi");
  EXPECT_LT(label->Width(), wide);
  const int height = label->Height();
  EXPECT_GT(height, 0);
  label->SetCaption(u" ");
  const int blank = label->Width();
  EXPECT_LT(blank, label->Height());
  label->SetCaption(u"");
  EXPECT_EQ(label->Width(), blank);
  EXPECT_EQ(label->Height(), height);
}

struct LineSizeCase {
  const char* name;
  TcxLabelLineAlignment alignment;
  int angle;
  int extraWidth;
  int extraHeight;
};

TEST_F(LabelTest, ALineAboveOrBelowAddsItsHeightToTheMeasuredSize) {
  const std::vector<LineSizeCase> cases = {
      {"top", cxllaTop, 0, 0, 2},
      {"bottom", cxllaBottom, 0, 0, 2},
      {"centre", cxllaCenter, 0, 0, 0},
      {"vertical caption, line beside it", cxllaTop, 90, 2, 0},
      {"45 degrees: no line", cxllaTop, 45, 0, 0},
  };
  UseCrispFont(10, false);
  label->SetCaption(u"Status");
  for (const LineSizeCase& c : cases) {
    SCOPED_TRACE(c.name);
    label->Properties()->SetAngle(c.angle);
    auto measure = [&] {
      std::unique_ptr<TcxCustomEditViewData> viewData(label->CreateViewData());
      TcxScreenCanvas* canvas = cxScreenCanvas();
      const TSize size =
          viewData->GetEditContentSize(canvas, label->EditValue(), cxDefaultEditSizeProperties);
      canvas->Dormant();
      return size;
    };
    label->Properties()->LineOptions()->SetVisible(false);
    const TSize without = measure();
    label->Properties()->LineOptions()->SetAlignment(c.alignment);
    label->Properties()->LineOptions()->SetVisible(true);
    const TSize with = measure();
    EXPECT_EQ(with.cx - without.cx, c.extraWidth);
    EXPECT_EQ(with.cy - without.cy, c.extraHeight);
  }
}

TEST_F(LabelTest, AutoWidthIsOfferedUnlessALineRunsBesideTheCaption) {
  struct Case {
    bool line;
    int angle;
    bool autoWidth;
  };
  for (const Case& c :
       {Case{false, 0, true}, Case{true, 0, false}, Case{true, 90, false}, Case{true, 45, true}}) {
    SCOPED_TRACE(c.angle);
    TcxLabelProperties properties(nullptr);
    properties.LineOptions()->SetVisible(c.line);
    properties.SetAngle(c.angle);
    EXPECT_EQ(properties.GetSupportedOperations().Contains(esoAutoWidth), c.autoWidth);
  }
}

TEST_F(LabelTest, CentredLineRunsFromTheCaptionToTheEdge) {
  UseCrispFont(10, false);
  FixSize(200, 30);
  label->SetCaption(u"Dados");
  label->Properties()->LineOptions()->SetVisible(true);
  TcxCustomLabelViewInfo* vi = label->ViewInfo();
  ASSERT_FALSE(vi->FLineRect.IsEmpty());
  EXPECT_EQ(vi->FLineRect.Left, vi->TextRect.Right + 3);
  EXPECT_EQ(vi->FLineRect.Right, vi->ClientRect.Right);
  EXPECT_EQ(vi->FLineRect.Height(), 2);
  const LabelPixels pixels = Paint();
  const int y = vi->FLineRect.Top;
  EXPECT_EQ(pixels.At(150, y), Rgb(clBtnShadow));
  EXPECT_EQ(pixels.At(150, y + 1), Rgb(clBtnHighlight));
}

TEST_F(LabelTest, TheLineMovesWithTheViewInfo) {
  UseCrispFont(10, false);
  FixSize(200, 30);
  label->SetCaption(u"Dados");
  label->Properties()->LineOptions()->SetVisible(true);
  TcxCustomLabelViewInfo* vi = label->ViewInfo();
  const TRect line = vi->FLineRect, text = vi->TextRect;
  vi->Offset(5, 7);
  EXPECT_EQ(vi->TextRect, cxRectOffset(text, 5, 7));
  EXPECT_EQ(vi->FLineRect, cxRectOffset(line, 5, 7));
}

// --- Properties ------------------------------------------------------------------------------------

TEST_F(LabelTest, AssignCopiesEveryLabelSetting) {
  TcxLabelProperties source(nullptr), target(nullptr);
  source.SetLabelEffect(cxleCool);
  source.SetLabelStyle(cxlsLowered);
  source.SetOrientation(cxoLeftTop);
  source.SetDepth(4);
  source.SetShadowedColor(clRed);
  source.SetShowEndEllipsis(true);
  source.SetAngle(30);
  source.SetPenWidth(3);
  source.SetShowAccelChar(false);
  source.SetWordWrap(true);
  source.LineOptions()->SetVisible(true);
  source.LineOptions()->SetAlignment(cxllaBottom);
  source.LineOptions()->SetInnerColor(clBlue);
  source.LineOptions()->SetOuterColor(clGreen);
  MakeStripedGlyph(source.Glyph());
  target.Assign(&source);
  EXPECT_EQ(target.LabelEffect(), cxleCool);
  EXPECT_EQ(target.LabelStyle(), cxlsLowered);
  EXPECT_EQ(target.Orientation(), cxoLeftTop);
  EXPECT_EQ(target.Depth(), 4);
  EXPECT_EQ(target.ShadowedColor(), clRed);
  EXPECT_TRUE(target.ShowEndEllipsis());
  EXPECT_EQ(target.Angle(), 30);
  EXPECT_EQ(target.PenWidth(), 3);
  EXPECT_FALSE(target.ShowAccelChar());
  EXPECT_TRUE(target.WordWrap());
  EXPECT_TRUE(target.LineOptions()->Visible());
  EXPECT_EQ(target.LineOptions()->Alignment(), cxllaBottom);
  EXPECT_EQ(target.LineOptions()->InnerColor(), clBlue);
  EXPECT_EQ(target.LineOptions()->OuterColor(), clGreen);
  EXPECT_FALSE(target.Glyph()->Empty());
}

TEST_F(LabelTest, DepthFollowsTheScaleAndStaysInRange) {
  TcxLabelProperties properties(nullptr);
  properties.SetDepth(10);
  properties.ChangeScale(3, 2);
  EXPECT_EQ(properties.Depth(), 15);
  properties.SetDepth(60000);
  properties.ChangeScale(2, 1);
  EXPECT_EQ(properties.Depth(), 65535);
}

TEST_F(LabelTest, LineOptionsAndGlyphChangesAreChangesOfTheProperties) {
  int changes = 0;
  struct Counter {
    int* count;
    void Changed(TObject*) { ++*count; }
  } counter{&changes};
  TcxLabelProperties properties(nullptr);
  properties.SetOnPropertiesChanged(MakeMethod(&counter, &Counter::Changed));
  properties.LineOptions()->SetVisible(true);
  EXPECT_EQ(changes, 1);
  properties.LineOptions()->SetVisible(true);
  EXPECT_EQ(changes, 1);
  MakeStripedGlyph(properties.Glyph());
  EXPECT_GE(changes, 2);
}

TEST_F(LabelTest, StoredSettingsAreReachedByName) {
  SetPropValue(label, u"Caption", Variant(String(u"Por favor aguarde...")));
  SetPropValue(label, u"Transparent", Variant(true));
  SetPropValue(label->Properties(), u"LabelStyle", Variant(String(u"cxlsRaised")));
  SetPropValue(label->Properties(), u"Depth", Variant(2));
  SetPropValue(label->Properties()->LineOptions(), u"Alignment", Variant(String(u"cxllaBottom")));
  EXPECT_EQ(VarToStr(label->EditValue()), u"Por favor aguarde...");
  EXPECT_TRUE(label->Transparent());
  EXPECT_EQ(label->Properties()->LabelStyle(), cxlsRaised);
  EXPECT_EQ(label->Properties()->Depth(), 2);
  EXPECT_EQ(label->Properties()->LineOptions()->Alignment(), cxllaBottom);
  EXPECT_TRUE(IsPublishedProp(label, u"Properties"));
  EXPECT_TRUE(IsPublishedProp(label, u"Style"));
  EXPECT_TRUE(IsPublishedProp(label, u"FocusControl"));
}

TEST_F(LabelTest, AStoredFormCreatesAndSetsALabel) {
  TForm* stored = CreateNewForm<TForm>(Application);
  ReadComponentFromText(
      u"object Stored: TForm\n"
      u"  object lblStatus: TcxLabel\n"
      u"    Left = 15\n"
      u"    Top = 180\n"
      u"    Caption = 'Iniciando opera'#231#227'o...'\n"
      u"    Font.Height = -13\n"
      u"    Font.Name = 'Segoe UI'\n"
      u"    ParentFont = False\n"
      u"    Properties.LabelStyle = cxlsRaised\n"
      u"    Properties.ShadowedColor = clRed\n"
      u"    Properties.Alignment.Horz = taRightJustify\n"
      u"    Properties.Alignment.Vert = taVCenter\n"
      u"    Properties.LineOptions.Alignment = cxllaTop\n"
      u"    Transparent = True\n"
      u"  end\n"
      u"end\n",
      stored);
  auto* read = dynamic_cast<TcxLabel*>(stored->FindComponent(u"lblStatus"));
  ASSERT_NE(read, nullptr);
  EXPECT_EQ(read->Caption(), u"Iniciando operação...");
  EXPECT_EQ(VarToStr(read->EditValue()), u"Iniciando operação...");
  EXPECT_EQ(read->Left(), 15);
  EXPECT_EQ(read->Style()->Font()->Name(), u"Segoe UI");
  EXPECT_EQ(read->Style()->Font()->Height(), -13);
  EXPECT_TRUE(read->Transparent());
  EXPECT_TRUE(read->AutoSize());
  EXPECT_EQ(read->Properties()->LabelStyle(), cxlsRaised);
  EXPECT_EQ(read->Properties()->ShadowedColor(), clRed);
  EXPECT_EQ(read->Properties()->LineOptions()->Alignment(), cxllaTop);
  EXPECT_EQ(read->Properties()->Alignment()->Horz(), taRightJustify);
  EXPECT_EQ(read->Properties()->Alignment()->Vert(), taVCenter);
  delete stored;
}

TEST_F(LabelTest, RegisteredOnceAsTheLabelEditor) {
  cxLabel::Initialize();
  TcxRegisteredClasses* registered = GetRegisteredEditProperties();
  int found = 0;
  for (int32_t i = 0; i < registered->Count(); ++i)
    if (registered->Items(i) == TcxLabelProperties::StaticClass()) {
      ++found;
      EXPECT_EQ(registered->GetDescription(i), u"Label");
      EXPECT_EQ(registered->GetHint(i), u"Represents a label");
    }
  EXPECT_EQ(found, 1);
  // Filter rows edit label columns with a text editor.
  EXPECT_EQ(FilterEditsController()->FindHelper(TcxLabelProperties::StaticClass()),
            TcxFilterTextEditHelper::Class());
  EXPECT_EQ(TcxFilterTextEditHelper::Class()->GetFilterEditClass(), TcxTextEdit::StaticClass());
  cxLabel::Finalize();
  TcxLabelProperties properties(nullptr);
  EXPECT_EQ(properties.GetContainerClass(), TcxLabel::StaticClass());
}

TEST_F(LabelTest, ALabelTakesNoFocusHasNoBorderAndTakesItsParentsColour) {
  // As a stored form makes it: through the class.
  auto* fresh = static_cast<TcxLabel*>(TcxLabel::StaticClass()->Create(form));
  EXPECT_TRUE(fresh->AutoSize());
  EXPECT_FALSE(fresh->CanFocus());
  EXPECT_FALSE(fresh->ControlStyle().Contains(csCaptureMouse));
  EXPECT_EQ(fresh->Style()->BorderStyle(), cbsNone);
  EXPECT_TRUE(fresh->ParentColor());
}

}  // namespace
}  // namespace qd::testing
