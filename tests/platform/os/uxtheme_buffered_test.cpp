// Buffered painting: the buffer mirrors the target's coordinates and clip, clears and sets
// alpha, and is copied to the target (through its clip) when the painting ends.
#include <gtest/gtest.h>

#include "uxtheme_test_util.h"

namespace qd::testing {
namespace {

class ThemeBufferedPaint : public ThemeFixture {
 protected:
  void SetUp() override {
    ThemeFixture::SetUp();
    ASSERT_EQ(BufferedPaintInit(), S_OK);
  }
  void TearDown() override {
    BufferedPaintUnInit();
    ThemeFixture::TearDown();
  }
};

void Fill(HDC dc, RECT r, COLORREF c) {
  HBRUSH b = CreateSolidBrush(c);
  FillRect(dc, &r, b);
  DeleteObject(b);
}

TEST_F(ThemeBufferedPaint, PaintClearSetAlphaAndCopyThroughTheClip) {
  TestDib target(60, 60);
  IntersectClipRect(target.dc, 0, 0, 30, 60);
  RECT r{10, 10, 50, 50};
  HDC dc = nullptr;
  HPAINTBUFFER b = BeginBufferedPaint(target.dc, &r, BPBF_TOPDOWNDIB, nullptr, &dc);
  ASSERT_NE(b, nullptr);
  ASSERT_NE(dc, nullptr);
  EXPECT_EQ(GetBufferedPaintDC(b), dc);
  EXPECT_EQ(GetBufferedPaintTargetDC(b), target.dc);
  RECT tr;
  ASSERT_EQ(GetBufferedPaintTargetRect(b, &tr), S_OK);
  EXPECT_EQ(tr, r);
  // The buffer draws with the target's coordinates and knows its clip.
  RECT box;
  GetClipBox(dc, &box);
  EXPECT_EQ(box, (RECT{10, 10, 30, 50}));
  ASSERT_EQ(BufferedPaintClear(b, nullptr), S_OK);
  Fill(dc, {0, 0, 60, 60}, RGB(255, 0, 0));  // GDI: alpha stays 0
  RECT hole{10, 10, 20, 20};
  ASSERT_EQ(BufferedPaintClear(b, &hole), S_OK);
  RECT opaque{10, 20, 50, 50};
  ASSERT_EQ(BufferedPaintSetAlpha(b, &opaque, 255), S_OK);
  ASSERT_EQ(EndBufferedPaint(b, TRUE), S_OK);

  EXPECT_EQ(target.At(5, 30), kSentinel);   // outside the buffer
  EXPECT_EQ(target.At(35, 30), kSentinel);  // outside the target's clip
  EXPECT_EQ(target.At(15, 15), 0u);         // cleared: transparent black is copied
  EXPECT_EQ(target.At(25, 12), 0x00FF0000u);
  EXPECT_EQ(target.At(25, 30), 0xFFFF0000u);
  EXPECT_EQ(target.At(29, 49), 0xFFFF0000u);
  EXPECT_EQ(target.At(25, 50), kSentinel);
  EXPECT_EQ(EndBufferedPaint(b, TRUE), E_HANDLE);
}

TEST_F(ThemeBufferedPaint, NoClipAndDiscardedPaintings) {
  TestDib target(40, 40);
  IntersectClipRect(target.dc, 0, 0, 10, 10);
  RECT r{0, 0, 40, 40};
  BP_PAINTPARAMS p;
  p.dwFlags = BPPF_NOCLIP | BPPF_ERASE;
  HDC dc = nullptr;
  HPAINTBUFFER b = BeginBufferedPaint(target.dc, &r, BPBF_TOPDOWNDIB, &p, &dc);
  ASSERT_NE(b, nullptr);
  RECT box;
  GetClipBox(dc, &box);
  EXPECT_EQ(box, r);
  Fill(dc, r, RGB(0, 0, 255));
  ASSERT_EQ(EndBufferedPaint(b, FALSE), S_OK);
  EXPECT_EQ(target.Mask(), TestDib(40, 40).Mask());
  // An empty rectangle gives no buffer.
  RECT empty{5, 5, 5, 20};
  dc = reinterpret_cast<HDC>(1);
  EXPECT_EQ(BeginBufferedPaint(target.dc, &empty, BPBF_TOPDOWNDIB, nullptr, &dc), nullptr);
  EXPECT_EQ(dc, nullptr);
  p.cbSize = 1;
  EXPECT_EQ(BeginBufferedPaint(target.dc, &r, BPBF_TOPDOWNDIB, &p, &dc), nullptr);
}

TEST_F(ThemeBufferedPaint, BitsOfEachFormat) {
  TestDib target(30, 20);
  RECT r{5, 5, 25, 15};
  struct Case {
    BP_BUFFERFORMAT format;
    bool bits;
    bool topDown;
  } cases[] = {{BPBF_TOPDOWNDIB, true, true}, {BPBF_DIB, true, false}, {BPBF_COMPATIBLEBITMAP, false, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.format));
    HDC dc;
    HPAINTBUFFER b = BeginBufferedPaint(target.dc, &r, c.format, nullptr, &dc);
    ASSERT_NE(b, nullptr);
    SetPixelV(dc, 5, 5, RGB(1, 2, 3));  // the buffer's top-left pixel
    RGBQUAD* bits = nullptr;
    int row = 0;
    HRESULT hr = GetBufferedPaintBits(b, &bits, &row);
    if (!c.bits) {
      EXPECT_TRUE(FAILED(hr));
    } else {
      ASSERT_EQ(hr, S_OK);
      EXPECT_GE(row, 20);
      const RGBQUAD& q = c.topDown ? bits[0] : bits[static_cast<size_t>(9) * row];
      EXPECT_EQ(q.rgbRed, 1);
      EXPECT_EQ(q.rgbGreen, 2);
      EXPECT_EQ(q.rgbBlue, 3);
    }
    EndBufferedPaint(b, TRUE);
    EXPECT_EQ(target.Rgb(5, 5), 0x010203u);
  }
}

TEST_F(ThemeBufferedPaint, OriginsExclusionAndBlending) {
  TestDib target(40, 40, 0xFF000000);
  SetWindowOrgEx(target.dc, 5, 5, nullptr);
  RECT r{10, 10, 30, 30};
  RECT exclude{10, 10, 15, 15};
  BLENDFUNCTION half{AC_SRC_OVER, 0, 128, 0};
  BP_PAINTPARAMS p;
  p.prcExclude = &exclude;
  p.pBlendFunction = &half;
  HDC dc;
  HPAINTBUFFER b = BeginBufferedPaint(target.dc, &r, BPBF_TOPDOWNDIB, &p, &dc);
  ASSERT_NE(b, nullptr);
  Fill(dc, r, RGB(255, 255, 255));
  BufferedPaintSetAlpha(b, nullptr, 255);
  EndBufferedPaint(b, TRUE);
  // Logical (10, 10) is device (5, 5); the excluded corner stays black.
  EXPECT_EQ(target.At(5, 5), 0xFF000000u);
  EXPECT_EQ(target.At(9, 9), 0xFF000000u);
  uint32_t mid = target.At(15, 15);
  EXPECT_NEAR(static_cast<int>((mid >> 16) & 0xFF), 128, 2);
  EXPECT_EQ(target.At(25, 25), 0xFF000000u);
  EXPECT_EQ(target.At(24, 24), mid);
}

TEST_F(ThemeBufferedPaint, AnimationsPaintTheFinalStateOnly) {
  TestDib target(20, 20);
  RECT r{0, 0, 20, 20};
  BP_ANIMATIONPARAMS anim;
  anim.style = BPAS_LINEAR;
  anim.dwDuration = 200;
  HDC from = reinterpret_cast<HDC>(1), to = nullptr;
  HANIMATIONBUFFER a =
      BeginBufferedAnimation(nullptr, target.dc, &r, BPBF_TOPDOWNDIB, nullptr, &anim, &from, &to);
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(from, nullptr);
  ASSERT_NE(to, nullptr);
  Fill(to, r, RGB(0, 128, 0));
  EXPECT_EQ(EndBufferedAnimation(a, TRUE), S_OK);
  EXPECT_EQ(target.Rgb(10, 10), 0x008000u);
  EXPECT_FALSE(BufferedPaintRenderAnimation(nullptr, target.dc));
  EXPECT_EQ(BufferedPaintStopAllAnimations(nullptr), S_OK);
}

TEST_F(ThemeBufferedPaint, ThemePartsInABufferKeepTheirAlpha) {
  // What a control painted on glass does: clear, draw themed parts, copy.
  TestDib target(40, 30);
  RECT r{0, 0, 40, 30};
  HDC dc;
  HPAINTBUFFER b = BeginBufferedPaint(target.dc, &r, BPBF_TOPDOWNDIB, nullptr, &dc);
  ASSERT_NE(b, nullptr);
  BufferedPaintClear(b, nullptr);
  Theme button(u"Button");
  RECT cb{0, 0, 20, 20};
  DrawThemeBackground(button, dc, BP_CHECKBOX, CBS_CHECKEDNORMAL, &cb, nullptr);
  EndBufferedPaint(b, TRUE);
  EXPECT_EQ(target.At(0, 0), 0u);
  EXPECT_EQ(target.At(39, 29), 0u);
  EXPECT_EQ(target.At(9, 9) >> 24, 255u);
}

}  // namespace
}  // namespace qd::testing
