// The fader under the virtual clock: frames per timer tick, restarts, options, the queue,
// readiness, alpha correction and a fade drawn into a device context.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "lookandfeel/lookandfeel_test_util.h"
#include "platform/base/mathutil.h"
#include "platform/os/modules.h"
#include "tests/graphics/graphics_test_util.h"
#include "ui/lookandfeel/dxFading.h"

namespace qd::testing {
namespace {

RGBQUAD Quad(uint32_t bgra) {
  return RGBQUAD{static_cast<uint8_t>(bgra), static_cast<uint8_t>(bgra >> 8),
                 static_cast<uint8_t>(bgra >> 16), static_cast<uint8_t>(bgra >> 24)};
}
uint32_t Bgra(const RGBQUAD& q) {
  return q.rgbBlue | (q.rgbGreen << 8) | (q.rgbRed << 16) | (static_cast<uint32_t>(q.rgbReserved) << 24);
}

// A solid 32-bit picture as GDI leaves it: alpha 0.
std::unique_ptr<TcxBitmap> SolidPicture(int w, int h, uint32_t bgra) {
  auto bitmap = std::make_unique<TcxBitmap32>(w, h);
  TRGBColors colors(static_cast<size_t>(w) * h, Quad(bgra));
  dxCoreGraphics::SetBitmapBits(bitmap.get(), colors, true);
  return bitmap;
}

uint32_t PixelOf(TBitmap* ABitmap, int x, int y) {
  TRGBColors colors;
  dxCoreGraphics::GetBitmapBits(ABitmap, colors, true);
  return Bgra(colors[static_cast<size_t>(y) * ABitmap->Width() + x]);
}

constexpr uint32_t kNormal = 0x00C80000;  // red 200, as drawn (alpha 0)
constexpr uint32_t kHot = 0x00000064;     // blue 100

// One repaint as the object saw it: when, and the stage on screen (-1: the fade ended).
struct Repaint {
  DWORD time;
  int stage;
  bool operator==(const Repaint&) const = default;
};

class FadingPart : public TdxFadingObjectHelper, public IdxFadingObjectFadingOptions {
 public:
  bool CanFade() override { return canFade; }
  void DrawFadeImage() override {
    TdxFadingElement* element;
    const bool running = dxFader()->Find(this, element) && element->WorkImage();
    repaints.push_back({GetTickCount() - start, running ? element->Stage() : -1});
    if (onRepaint) onRepaint();
  }
  void GetFadingImages(std::unique_ptr<TcxBitmap>& AFadeOutImage,
                       std::unique_ptr<TcxBitmap>& AFadeInImage) override {
    ++imageRequests;
    AFadeOutImage = SolidPicture(w, h, normal);
    AFadeInImage = SolidPicture(w, h, hot);
  }
  TdxFadingOptions* GetFadingOptions() override { return options.get(); }

  // The frame on screen as a bitmap.
  uint32_t FramePixel() {
    TdxFadingElement* element;
    if (!dxFader()->Find(this, element)) return 0xDEADBEEF;
    return PixelOf(element->WorkImageAsBitmap().get(), 0, 0);
  }

  bool canFade = true;
  int imageRequests = 0;
  int w = 4, h = 2;
  uint32_t normal = kNormal, hot = kHot;
  std::unique_ptr<TdxFadingOptions> options;
  std::function<void()> onRepaint;
  DWORD start = GetTickCount();
  std::vector<Repaint> repaints;
};

// The blend of the corrected pictures at stage s of n, as BGRA.
uint32_t Blend(uint32_t p1, uint32_t p2, int s, int n) {
  const float a = static_cast<float>(MulDiv(s, 255, n)) / 255.0f;
  uint32_t r = 0;
  for (int c = 0; c < 4; ++c) {
    const float v = (1 - a) * ((p1 >> (8 * c)) & 0xFF) + a * ((p2 >> (8 * c)) & 0xFF);
    r |= static_cast<uint32_t>(std::nearbyint(std::min(v, 255.0f))) << (8 * c);
  }
  return r;
}

class FaderTest : public LookAndFeelTest {
 protected:
  void SetUp() override {
    LookAndFeelTest::SetUp();
    dxFading::Initialize();
    dxFader()->SetState(fasEnabled);
  }
  void TearDown() override {
    dxFading::Finalize();
    LookAndFeelTest::TearDown();
  }
};

TEST_F(FaderTest, FadeInShowsFourFramesOnTheFirstTicksAndEndsOnTheFifth) {
  FadingPart part;
  part.FadeIn();
  EXPECT_TRUE(part.GetActive());
  EXPECT_EQ(part.FramePixel(), kNormal | 0xFF000000);  // stage 0: the first picture, made opaque
  Run(60);
  EXPECT_EQ(part.repaints, (std::vector<Repaint>{{0, 0}, {10, 1}, {20, 2}, {30, 3}, {40, 4}, {50, -1}}));
  EXPECT_FALSE(part.GetActive());
  EXPECT_FALSE(dxFader()->TimerEnabled());
  EXPECT_EQ(part.imageRequests, 1);
}

TEST_F(FaderTest, FadeOutAdvancesEverySecondTickAndEndsOnTick26) {
  FadingPart part;
  part.FadeOut();
  Run(300);
  ASSERT_EQ(part.repaints.size(), 14u);
  for (int s = 1; s <= 12; ++s) EXPECT_EQ(part.repaints[s], (Repaint{static_cast<DWORD>(20 * s), s}));
  EXPECT_EQ(part.repaints.back(), (Repaint{260, -1}));
}

TEST_F(FaderTest, FramesBlendTheCorrectedPictures) {
  FadingPart part;
  part.FadeIn();
  for (int s = 0; s <= 4; ++s) {
    SCOPED_TRACE(s);
    EXPECT_EQ(part.FramePixel(), Blend(kNormal | 0xFF000000, kHot | 0xFF000000, s, 4));
    Run(10);
  }
}

TEST_F(FaderTest, FadingOutDuringAFadeInStartsFromTheFrameOnScreen) {
  FadingPart part;
  part.FadeIn();
  Run(20);  // stage 2 of 4
  const uint32_t onScreen = part.FramePixel();
  ASSERT_EQ(onScreen, Blend(kNormal | 0xFF000000, kHot | 0xFF000000, 2, 4));
  part.FadeOut();
  TdxFadingElement* element;
  ASSERT_TRUE(dxFader()->Find(&part, element));
  EXPECT_EQ(element->Stage(), 0);
  EXPECT_EQ(element->AnimationFrameCount(), 12);
  EXPECT_EQ(element->AnimationFrameDelay(), 20);
  EXPECT_EQ(part.FramePixel(), onScreen);
  Run(240);  // the last frame is the normal picture
  EXPECT_EQ(part.FramePixel(), kNormal | 0xFF000000);
  EXPECT_EQ(dxFader()->Count(), 1);
}

TEST_F(FaderTest, OptionsAreClampedAndStoredOnlyWhenNotDefault) {
  TdxFadingOptions o;
  EXPECT_FALSE(o.IsFadeInFrameCountStored() || o.IsFadeInFrameDelayStored() ||
               o.IsFadeOutFrameCountStored() || o.IsFadeOutFrameDelayStored());
  struct Case {
    int32_t value, count, delay;
  } cases[] = {{-3, 0, 10}, {0, 0, 10}, {5, 5, 10}, {40, 32, 40}, {400, 32, 300}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.value);
    o.SetFadeInFrameCount(c.value);
    o.SetFadeOutFrameDelay(c.value);
    EXPECT_EQ(o.FadeInFrameCount(), c.count);
    EXPECT_EQ(o.FadeOutFrameDelay(), c.delay);
  }
  EXPECT_TRUE(o.IsFadeInFrameCountStored());
  EXPECT_FALSE(o.IsFadeOutFrameCountStored());
}

TEST_F(FaderTest, ObjectOptionsChooseFramesAndACountOfZeroPreventsTheFade) {
  FadingPart part;
  part.options = std::make_unique<TdxFadingOptions>();
  part.options->SetFadeInFrameCount(40);
  part.options->SetFadeInFrameDelay(5);
  part.FadeIn();
  TdxFadingElement* element;
  ASSERT_TRUE(dxFader()->Find(&part, element));
  EXPECT_EQ(element->AnimationFrameCount(), 32);
  EXPECT_EQ(element->AnimationFrameDelay(), 10);
  EXPECT_EQ(element->DelayCount(), 1);
  part.StopFading();

  part.options->SetFadeInFrameCount(0);
  part.FadeIn();
  EXPECT_FALSE(part.GetActive());
  EXPECT_EQ(part.imageRequests, 2);  // asked for, and freed
}

TEST_F(FaderTest, AnElementWithAShortDelayAdvancesOnEveryTick) {
  FadingPart part;
  dxFader()->Fade(&part, SolidPicture(2, 2, kNormal), SolidPicture(2, 2, kHot), 3, 5);
  Run(40);
  EXPECT_EQ(part.repaints, (std::vector<Repaint>{{0, 0}, {10, 1}, {20, 2}, {30, 3}, {40, -1}}));
}

TEST_F(FaderTest, AFadeThatCannotStartLeavesTheRunningOneAlone) {
  FadingPart part;
  part.FadeIn();
  Run(10);
  struct Case {
    const char* name;
    std::unique_ptr<TBitmap> a, b;
    int count;
  } cases[] = {
      {"no second picture", SolidPicture(4, 2, kHot), nullptr, 4},
      {"unequal widths", SolidPicture(4, 2, kHot), SolidPicture(5, 2, kHot), 4},
      {"unequal heights", SolidPicture(4, 2, kHot), SolidPicture(4, 3, kHot), 4},
      {"empty", std::make_unique<TcxBitmap32>(), std::make_unique<TcxBitmap32>(), 4},
      {"no frames", SolidPicture(4, 2, kHot), SolidPicture(4, 2, kHot), 0},
  };
  for (Case& c : cases) {
    SCOPED_TRACE(c.name);
    dxFader()->Fade(&part, std::move(c.a), std::move(c.b), c.count, 15);
    TdxFadingElement* element;
    ASSERT_TRUE(dxFader()->Find(&part, element));
    EXPECT_EQ(element->Stage(), 1);
  }
}

TEST_F(FaderTest, NothingFadesOrIsAskedForWhenTheFaderIsNotReady) {
  struct Case {
    const char* name;
    std::function<void()> arrange;
  } cases[] = {
      {"disabled", [] { dxFader()->SetState(fasDisabled); }},
      {"no queue", [] { dxFader()->SetMaxAnimationCount(0); }},
      {"menu animation off",
       [] {
         dxFader()->SetState(fasDefault);
         SystemParametersInfoW(SPI_SETMENUANIMATION, 0, nullptr, 0);
       }},
      {"object says no", [] {}},
      {"no GDI+",
       [] {
         GdiPlusUnload();
         os::RemoveModule("gdiplus.dll");
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    os::ScopedModuleTable modules;
    c.arrange();
    FadingPart part;
    part.canFade = std::string(c.name) != "object says no";
    part.FadeIn();
    EXPECT_FALSE(part.GetActive());
    EXPECT_EQ(part.imageRequests, 0);
    dxFader()->SetState(fasEnabled);
    dxFader()->SetMaxAnimationCount(10);
    BOOL on = TRUE;
    SystemParametersInfoW(SPI_SETMENUANIMATION, 0, reinterpret_cast<void*>(static_cast<intptr_t>(on)), 0);
  }
  // Under fasDefault the system setting is read each time.
  dxFader()->SetState(fasDefault);
  EXPECT_TRUE(dxFader()->Active());
}

TEST_F(FaderTest, LoweringTheQueueFinalizesTheOldestFades) {
  std::vector<std::unique_ptr<FadingPart>> parts;
  for (int i = 0; i < 5; ++i) {
    parts.push_back(std::make_unique<FadingPart>());
    parts.back()->FadeOut();
  }
  dxFader()->SetMaxAnimationCount(25);
  EXPECT_EQ(dxFader()->MaxAnimationCount(), 20);
  dxFader()->SetMaxAnimationCount(10);
  dxFader()->SetMaxAnimationCount(2);
  for (int i = 0; i < 5; ++i) {
    SCOPED_TRACE(i);
    const bool dropped = i < 3;
    EXPECT_EQ(parts[i]->GetActive(), !dropped);
    EXPECT_EQ(parts[i]->repaints.size(), dropped ? 2u : 1u);  // the start, and one for the end
  }
  // A new fade beyond the maximum drops the oldest, not the newest.
  FadingPart newest;
  newest.FadeIn();
  EXPECT_TRUE(newest.GetActive());
  EXPECT_FALSE(parts[3]->GetActive());
  EXPECT_TRUE(parts[4]->GetActive());
}

TEST_F(FaderTest, RemovingFadesFromARepaintDuringATickIsSafe) {
  std::vector<std::unique_ptr<FadingPart>> parts;
  for (int i = 0; i < 4; ++i) {
    parts.push_back(std::make_unique<FadingPart>());
    parts.back()->FadeIn();
  }
  // The newest part, stepped first, ends every other fade from its repaint.
  parts[3]->onRepaint = [&] {
    for (int i = 0; i < 3; ++i) parts[i]->StopFading();
  };
  Run(10);
  for (int i = 0; i < 3; ++i) EXPECT_FALSE(parts[i]->GetActive());
  EXPECT_TRUE(parts[3]->GetActive());
  parts[3]->onRepaint = [&] { parts[3]->StopFading(); };  // ending its own fade from the repaint
  Run(50);
  EXPECT_EQ(dxFader()->Count(), 0);
}

TEST_F(FaderTest, RemoveNotifiesOnceUnlessTheObjectIsBeingDestroyed) {
  FadingPart part;
  part.FadeIn();
  dxFader()->Remove(&part, false);
  EXPECT_EQ(part.repaints, (std::vector<Repaint>{{0, 0}, {0, -1}}));
  part.FadeIn();
  dxFader()->Remove(&part, true);
  EXPECT_EQ(part.repaints.size(), 3u);
  EXPECT_FALSE(part.GetActive());
  {
    FadingPart destroyed;
    destroyed.FadeIn();
  }
  EXPECT_EQ(dxFader()->Count(), 0);
  EXPECT_FALSE(dxFader()->TimerEnabled());
}

TEST_F(FaderTest, ButtonStateChangesTable) {
  struct Case {
    TcxButtonState from, to;
    int stage;  // -2: no element
    int count;
  } cases[] = {
      {cxbsNormal, cxbsHot, 0, 4},       {cxbsDefault, cxbsHot, 0, 4},  {cxbsHot, cxbsNormal, 0, 12},
      {cxbsHot, cxbsDefault, 0, 12},     {cxbsHot, cxbsPressed, -2, 0}, {cxbsNormal, cxbsDefault, -2, 0},
      {cxbsDisabled, cxbsNormal, -2, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << int(c.from) << "->" << int(c.to));
    FadingPart part;
    part.FadeIn();  // a running fade, which the changes that fade nothing stop
    Run(10);
    part.CheckStartFading(c.from, c.to);
    TdxFadingElement* element;
    ASSERT_EQ(dxFader()->Find(&part, element), c.stage != -2);
    if (element) {
      EXPECT_EQ(element->AnimationFrameCount(), c.count);
    }
  }
  FadingPart part;
  part.CheckStartFading(cxbsHot, cxbsHot);
  EXPECT_EQ(part.imageRequests, 0);
}

TEST_F(FaderTest, AlphaCorrectionTable) {
  struct Case {
    uint32_t in, out;
  } cases[] = {
      {0x00000000, 0x00000000},  // transparent black stays transparent
      {0x00010000, 0xFF010000}, {0x00000001, 0xFF000001}, {0x80102030, 0x80102030}, {0xFF000000, 0xFF000000},
  };
  TRGBColors colors;
  for (const Case& c : cases) colors.push_back(Quad(c.in));
  TdxFadingHelper::CorrectAlphaChannel(colors);
  for (size_t i = 0; i < colors.size(); ++i) {
    EXPECT_EQ(Bgra(colors[i]), cases[i].out) << i;
  }
  EXPECT_EQ(TdxFadingHelper::CheckColor(clBlack), static_cast<TColor>(RGB(1, 1, 1)));
  EXPECT_EQ(TdxFadingHelper::CheckColor(clBtnFace), static_cast<TColor>(ColorToRGB(clBtnFace)));
  EXPECT_EQ(TdxFadingHelper::CheckColor(static_cast<TColor>(0x123456)), static_cast<TColor>(0x123456));
}

TEST_F(FaderTest, TransparentBlackStaysTransparentInEveryFrame) {
  FadingPart part;
  part.normal = 0;
  part.hot = 0;
  part.FadeIn();
  for (int s = 0; s <= 4; ++s, Run(10)) EXPECT_EQ(part.FramePixel(), 0u) << s;
}

TEST_F(FaderTest, TheFrameIsDrawnStretchedIntoTheRectangle) {
  FadingPart part;
  part.w = 20;
  part.h = 10;
  TestBitmap target(60, 30);
  EXPECT_FALSE(part.DrawImage(target.DC(), TRect{10, 5, 50, 25}));
  EXPECT_EQ(target.CountDrawn(), 0);

  part.FadeIn();
  Run(20);  // stage 2 of 4: halfway
  ASSERT_TRUE(part.DrawImage(target.DC(), TRect{10, 5, 50, 25}));
  target.SavePng("fader_frame", 4);
  EXPECT_EQ(target.DrawnBounds(), (TRect{10, 5, 50, 25}));
  const uint32_t blend = Blend(kNormal | 0xFF000000, kHot | 0xFF000000, 2, 4);
  EXPECT_EQ(target.Rgb(30, 15), blend & 0xFFFFFF);
  // The corners take a little of the resampling's edge.
  const auto near = [&](uint32_t v) {
    for (int c = 0; c < 3; ++c)
      if (std::abs(int((v >> (8 * c)) & 0xFF) - int((blend >> (8 * c)) & 0xFF)) > 2) return false;
    return true;
  };
  EXPECT_TRUE(near(target.Rgb(10, 5)));
  EXPECT_TRUE(near(target.Rgb(49, 24)));
  EXPECT_EQ(target.At(9, 5), kSentinel);
}

}  // namespace
}  // namespace qd::testing
