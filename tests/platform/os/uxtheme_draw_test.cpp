// Drawing with the theme: every part stays inside its rectangle with valid premultiplied
// alpha, the clip and the coordinate mapping of the device context are honoured, parts scale
// with the DPI, and text, edges and the parent's background are drawn as asked.
#include <gtest/gtest.h>

#include <set>

#include "user_test_util.h"
#include "uxtheme_test_util.h"

namespace qd::testing {
namespace {

using ThemeDraw = ThemeFixture;

// Parts that only describe text and draw no background in any state.
bool TextOnly(const std::string& cls, const std::string& part) {
  static const std::set<std::string> parts = {"LP_HYPERLINK", "MENU_MENUITEM_TMSCHEMA",
                                              "MENU_MENUBARITEM_TMSCHEMA", "TTP_BALLOONTITLE"};
  return cls == "TEXTSTYLE" || parts.count(part) > 0;
}

TEST_F(ThemeDraw, EveryPartStaysInsideItsRectangleWithValidAlpha) {
  for (const auto& cls : os::ThemeCatalogue()) {
    String name = Utf8ToString(cls.name);
    Theme t(name.c_str());
    ASSERT_NE(t.get(), 0) << cls.name;
    for (const auto& p : cls.parts) {
      int w = std::max(p.trueSize.cx, 24), h = std::max(p.trueSize.cy, 24);
      TestDib dib(w + 16, h + 16, 0);
      RECT r{8, 8, 8 + w, 8 + h};
      bool drewSomething = false;
      for (int state = 0; state <= static_cast<int>(p.states.size()); ++state) {
        SCOPED_TRACE(cls.name + " " + p.name + " state " + std::to_string(state));
        dib.Fill(0);
        ASSERT_EQ(DrawThemeBackground(t, dib.dc, p.part, state, &r, nullptr), S_OK);
        for (int y = 0; y < dib.h; ++y)
          for (int x = 0; x < dib.w; ++x) {
            uint32_t v = dib.At(x, y);
            bool inside = x >= r.Left && x < r.Right && y >= r.Top && y < r.Bottom;
            if (!inside) {
              ASSERT_EQ(v, 0u) << "outside at " << x << "," << y;
            }
            ASSERT_TRUE(PremultipliedOk(v)) << std::hex << v << " at " << std::dec << x << "," << y;
            if (v) drewSomething = true;
          }
      }
      EXPECT_EQ(drewSomething, !TextOnly(cls.name, p.name)) << cls.name << " " << p.name;
    }
  }
}

TEST_F(ThemeDraw, PixelsThePartDoesNotCoverStayAsTheyWere) {
  Theme b(u"Button");
  TestDib dib(40, 30);
  RECT r{5, 5, 35, 25};
  ASSERT_EQ(DrawThemeBackground(b, dib.dc, BP_PUSHBUTTON, PBS_NORMAL, &r, nullptr), S_OK);
  EXPECT_EQ(dib.At(4, 10), kSentinel);
  EXPECT_EQ(dib.At(35, 10), kSentinel);
  // The rounded corner leaves its outermost pixel alone.
  EXPECT_EQ(dib.At(5, 5), kSentinel);
  EXPECT_EQ(dib.At(34, 24), kSentinel);
  COLORREF fill;
  ASSERT_EQ(GetThemeColor(b, BP_PUSHBUTTON, PBS_NORMAL, TMT_FILLCOLOR, &fill), S_OK);
  EXPECT_EQ(dib.At(20, 15), Argb(fill));
  // A zeroed bitmap stays zero wherever nothing was drawn (the painters' fix-up relies on it).
  TestDib zero(20, 20, 0);
  RECT cr{0, 0, 20, 20};
  DrawThemeBackground(b, zero.dc, BP_CHECKBOX, CBS_CHECKEDNORMAL, &cr, nullptr);
  RECT drawn = ChangedBounds(zero, 0);
  EXPECT_EQ(drawn, (RECT{3, 3, 16, 16}));
  EXPECT_EQ(zero.At(0, 0), 0u);
  EXPECT_LT(zero.At(3, 3) >> 24, 255u);  // the rounded corner is anti-aliased
  EXPECT_EQ(zero.At(9, 9) >> 24, 255u);
}

TEST_F(ThemeDraw, ClipRectanglesAndTheDeviceContextClip) {
  Theme e(u"Edit");
  RECT part{0, 0, 40, 40};
  struct Case {
    const char* name;
    std::function<HRESULT(HDC)> draw;
    RECT expected;
  } cases[] = {
      {"clip argument",
       [&](HDC dc) {
         RECT clip{10, 5, 30, 50};
         return DrawThemeBackground(e, dc, EP_EDITTEXT, 1, &part, &clip);
       },
       {10, 5, 30, 40}},
      {"DTBG_CLIPRECT",
       [&](HDC dc) {
         DTBGOPTS o;
         o.dwFlags = DTBG_CLIPRECT;
         o.rcClip = {-5, 20, 15, 25};
         return DrawThemeBackgroundEx(e, dc, EP_EDITTEXT, 1, &part, &o);
       },
       {0, 20, 15, 25}},
      {"IntersectClipRect",
       [&](HDC dc) {
         IntersectClipRect(dc, 2, 3, 12, 13);
         return DrawThemeBackground(e, dc, EP_EDITTEXT, 1, &part, nullptr);
       },
       {2, 3, 12, 13}},
      {"both",
       [&](HDC dc) {
         IntersectClipRect(dc, 2, 3, 12, 13);
         RECT clip{6, 0, 40, 40};
         return DrawThemeBackground(e, dc, EP_EDITTEXT, 1, &part, &clip);
       },
       {6, 3, 12, 13}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TestDib dib(50, 50);
    ASSERT_EQ(c.draw(dib.dc), S_OK);
    EXPECT_EQ(ChangedBounds(dib, kSentinel), c.expected);
  }
  // An excluded rectangle stays untouched inside the part.
  TestDib dib(50, 50);
  ExcludeClipRect(dib.dc, 10, 10, 20, 20);
  DrawThemeBackground(e, dib.dc, EP_EDITTEXT, 1, &part, nullptr);
  EXPECT_EQ(dib.At(15, 15), kSentinel);
  EXPECT_NE(dib.At(25, 25), kSentinel);
  EXPECT_NE(dib.At(5, 5), kSentinel);
}

TEST_F(ThemeDraw, OriginsAndWorldTransformsMoveAndScaleThePart) {
  Theme e(u"Edit");
  TestDib reference(60, 60), shifted(60, 60);
  RECT at{10, 5, 30, 25};
  DrawThemeBackground(e, reference.dc, EP_EDITTEXT, ETS_FOCUSED, &at, nullptr);
  SetWindowOrgEx(shifted.dc, -10, -5, nullptr);
  RECT origin{0, 0, 20, 20};
  DrawThemeBackground(e, shifted.dc, EP_EDITTEXT, ETS_FOCUSED, &origin, nullptr);
  EXPECT_EQ(shifted.Mask(), reference.Mask());
  EXPECT_EQ(shifted.At(20, 15), reference.At(20, 15));
  POINT org;
  GetWindowOrgEx(shifted.dc, &org);
  EXPECT_EQ(org, (POINT{-10, -5}));

  // Twice the size: the border is two device pixels wide.
  TestDib scaled(60, 60);
  SetGraphicsMode(scaled.dc, GM_ADVANCED);
  XFORM x;
  x.eM11 = x.eM22 = 2;
  SetWorldTransform(scaled.dc, &x);
  RECT small{0, 0, 20, 20};
  DrawThemeBackground(e, scaled.dc, EP_EDITTEXT, ETS_FOCUSED, &small, nullptr);
  COLORREF border, fill;
  GetThemeColor(e, EP_EDITTEXT, ETS_FOCUSED, TMT_BORDERCOLOR, &border);
  GetThemeColor(e, EP_EDITTEXT, ETS_FOCUSED, TMT_FILLCOLOR, &fill);
  EXPECT_EQ(ChangedBounds(scaled, kSentinel), (RECT{0, 0, 40, 40}));
  EXPECT_EQ(scaled.At(1, 20), Argb(border));
  EXPECT_EQ(scaled.At(2, 20), Argb(fill));
  EXPECT_EQ(scaled.At(38, 20), Argb(border));
}

TEST_F(ThemeDraw, GlyphsScaleWithTheDpi) {
  struct Case {
    UINT systemDpi, handleDpi;
    int side;
  } cases[] = {{96, 0, 13}, {144, 0, 20}, {96, 192, 26}, {120, 0, 16}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.systemDpi) + "/" + std::to_string(c.handleDpi));
    os::SetSystemDpi(c.systemDpi);
    Theme b(u"Button", nullptr, c.handleDpi);
    TestDib dib(40, 40, 0);
    RECT r{0, 0, 40, 40};
    ASSERT_EQ(DrawThemeBackground(b, dib.dc, BP_CHECKBOX, CBS_CHECKEDNORMAL, &r, nullptr), S_OK);
    RECT drawn = ChangedBounds(dib, 0);
    EXPECT_EQ(drawn.Width(), c.side);
    EXPECT_EQ(drawn.Height(), c.side);
    SIZE s;
    GetThemePartSize(b, dib.dc, BP_CHECKBOX, CBS_CHECKEDNORMAL, nullptr, TS_TRUE, &s);
    EXPECT_EQ(s.cx, c.side);
    os::SetSystemDpi(96);
  }
}

TEST_F(ThemeDraw, OmittingTheBorderOrTheContent) {
  Theme e(u"Edit");
  RECT r{0, 0, 20, 20};
  COLORREF border, fill;
  GetThemeColor(e, EP_EDITTEXT, 1, TMT_BORDERCOLOR, &border);
  GetThemeColor(e, EP_EDITTEXT, 1, TMT_FILLCOLOR, &fill);
  DTBGOPTS o;
  o.dwFlags = DTBG_OMITBORDER;
  TestDib noBorder(20, 20);
  ASSERT_EQ(DrawThemeBackgroundEx(e, noBorder.dc, EP_EDITTEXT, 1, &r, &o), S_OK);
  EXPECT_EQ(noBorder.At(0, 10), kSentinel);
  EXPECT_EQ(noBorder.At(10, 10), Argb(fill));
  o.dwFlags = DTBG_OMITCONTENT;
  TestDib noContent(20, 20);
  ASSERT_EQ(DrawThemeBackgroundEx(e, noContent.dc, EP_EDITTEXT, 1, &r, &o), S_OK);
  EXPECT_EQ(noContent.At(0, 10), Argb(border));
  EXPECT_EQ(noContent.At(10, 10), kSentinel);
  o.dwSize = 3;
  EXPECT_EQ(DrawThemeBackgroundEx(e, noContent.dc, EP_EDITTEXT, 1, &r, &o), E_INVALIDARG);
}

TEST_F(ThemeDraw, RecorderAndSyntheticLook) {
  Theme b(u"Button"), lv(u"Explorer::ListView");
  TestDib dib(40, 40);
  os::ScopedThemeRecorder rec;
  RECT r{1, 2, 30, 33}, clip{0, 0, 10, 10};
  DrawThemeBackground(b, dib.dc, BP_CHECKBOX, CBS_MIXEDHOT, &r, &clip);
  DrawThemeBackground(lv, dib.dc, LVP_LISTITEM, LISS_HOTSELECTED, &r, nullptr);
  RECT tr{0, 0, 40, 20};
  DrawThemeText(b, dib.dc, BP_PUSHBUTTON, PBS_NORMAL, u"OK", -1, DT_SINGLELINE, 0, &tr);
  DrawThemeEdge(b, dib.dc, 0, 0, &r, EDGE_RAISED, BF_RECT, nullptr);
  auto calls = rec.Calls();
  ASSERT_EQ(calls.size(), 4u);
  EXPECT_EQ(calls[0].kind, os::ThemeCallKind::Background);
  EXPECT_EQ(Narrow(calls[0].className), "Button");
  EXPECT_EQ(calls[0].part, BP_CHECKBOX);
  EXPECT_EQ(calls[0].state, CBS_MIXEDHOT);
  EXPECT_EQ(calls[0].rect, r);
  EXPECT_TRUE(calls[0].hasClip);
  EXPECT_EQ(calls[0].clip, clip);
  EXPECT_EQ(Narrow(calls[1].className), "Explorer::ListView");
  EXPECT_FALSE(calls[1].hasClip);
  EXPECT_EQ(calls[2].kind, os::ThemeCallKind::Text);
  EXPECT_EQ(Narrow(calls[2].text), "OK");
  EXPECT_EQ(calls[3].kind, os::ThemeCallKind::Edge);
  os::StopThemeRecording();
  DrawThemeBackground(b, dib.dc, BP_CHECKBOX, 1, &r, nullptr);
  EXPECT_EQ(os::ThemeRecording().size(), 4u);

  // The synthetic look covers the whole rectangle with the colour of (class, part, state).
  os::SetThemeSyntheticLook(true);
  TestDib flat(40, 40);
  RECT fr{5, 5, 25, 15};
  DrawThemeBackground(b, flat.dc, BP_RADIOBUTTON, RBS_CHECKEDHOT, &fr, nullptr);
  COLORREF c = os::ThemeSyntheticColor(u"Button", BP_RADIOBUTTON, RBS_CHECKEDHOT);
  EXPECT_EQ(ChangedBounds(flat, kSentinel), fr);
  EXPECT_EQ(flat.At(5, 5), Argb(c));
  EXPECT_EQ(flat.At(24, 14), Argb(c));
  EXPECT_NE(c, os::ThemeSyntheticColor(u"Button", BP_RADIOBUTTON, RBS_CHECKEDPRESSED));
  EXPECT_NE(c, os::ThemeSyntheticColor(u"Button", BP_CHECKBOX, RBS_CHECKEDHOT));
}

TEST_F(ThemeDraw, BadArguments) {
  Theme b(u"Button");
  TestDib dib(10, 10);
  RECT r{0, 0, 10, 10}, inverted{10, 10, 0, 0}, empty{3, 3, 3, 8};
  EXPECT_EQ(DrawThemeBackground(b, dib.dc, BP_PUSHBUTTON, 1, nullptr, nullptr), E_POINTER);
  EXPECT_EQ(DrawThemeBackground(b, nullptr, BP_PUSHBUTTON, 1, &r, nullptr), E_HANDLE);
  EXPECT_EQ(DrawThemeBackground(b, dib.dc, 77, 1, &r, nullptr), E_INVALIDARG);
  EXPECT_EQ(DrawThemeBackground(b, dib.dc, BP_PUSHBUTTON, 1, &inverted, nullptr), S_OK);
  EXPECT_EQ(DrawThemeBackground(b, dib.dc, BP_PUSHBUTTON, 1, &empty, nullptr), S_OK);
  // A state the part does not have looks like its first state.
  EXPECT_EQ(DrawThemeBackground(b, dib.dc, BP_PUSHBUTTON, 99, &r, nullptr), S_OK);
  TestDib first(10, 10);
  DrawThemeBackground(b, first.dc, BP_PUSHBUTTON, 1, &r, nullptr);
  EXPECT_EQ(dib.At(5, 5), first.At(5, 5));
  EXPECT_EQ(DrawThemeIcon(b, dib.dc, BP_PUSHBUTTON, 1, &r, nullptr, 0), E_NOTIMPL);
}

// ---- Text --------------------------------------------------------------------------------------

HFONT BigFont() {
  return CreateFontW(-40, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, u"DejaVu Sans");
}

TEST_F(ThemeDraw, CompositedTextHasRealAlphaInTheThemeColour) {
  Theme b(u"Button");
  TestDib dib(120, 60, 0);
  HFONT font = BigFont();
  HGDIOBJ old = SelectObject(dib.dc, font);
  RECT r{10, 5, 110, 55};
  DTTOPTS o;
  o.dwFlags = DTT_COMPOSITED;
  ASSERT_EQ(DrawThemeTextEx(b, dib.dc, BP_PUSHBUTTON, PBS_DISABLED, u"IIII", -1,
                            DT_SINGLELINE | DT_CENTER | DT_VCENTER, &r, &o),
            S_OK);
  COLORREF text;
  GetThemeColor(b, BP_PUSHBUTTON, PBS_DISABLED, TMT_TEXTCOLOR, &text);
  int solid = 0, partial = 0;
  for (int y = 0; y < dib.h; ++y)
    for (int x = 0; x < dib.w; ++x) {
      uint32_t v = dib.At(x, y);
      ASSERT_TRUE(PremultipliedOk(v));
      bool inside = x >= r.Left && x < r.Right && y >= r.Top && y < r.Bottom;
      if (!inside) {
        ASSERT_EQ(v, 0u);
      }
      if (v == Argb(text)) ++solid;
      if ((v >> 24) > 0 && (v >> 24) < 255) ++partial;
    }
  EXPECT_GT(solid, 50);
  EXPECT_GT(partial, 0);
  // DTT_TEXTCOLOR wins over the theme's colour.
  dib.Fill(0);
  o.dwFlags = DTT_COMPOSITED | DTT_TEXTCOLOR;
  o.crText = RGB(255, 0, 0);
  DrawThemeTextEx(b, dib.dc, BP_PUSHBUTTON, PBS_DISABLED, u"IIII", -1, DT_SINGLELINE | DT_CENTER | DT_VCENTER,
                  &r, &o);
  int red = 0;
  for (int i = 0; i < dib.w * dib.h; ++i) red += dib.bits[i] == 0xFFFF0000u;
  EXPECT_GT(red, 50);
  // Without DTT_COMPOSITED the text goes through GDI, which writes alpha 0.
  dib.Fill(0);
  DrawThemeText(b, dib.dc, BP_PUSHBUTTON, PBS_DISABLED, u"IIII", -1, DT_SINGLELINE, 0, &r);
  int drawn = 0;
  for (int i = 0; i < dib.w * dib.h; ++i) {
    if (dib.bits[i] != 0) ++drawn;
    EXPECT_EQ(dib.bits[i] >> 24, 0u);
  }
  EXPECT_GT(drawn, 0);
  SelectObject(dib.dc, old);
  DeleteObject(font);
}

TEST_F(ThemeDraw, TextExtentsAndPartFonts) {
  Theme b(u"Button"), text(u"TEXTSTYLE");
  TestDib dib(10, 10);
  HFONT font = BigFont();
  HGDIOBJ old = SelectObject(dib.dc, font);
  RECT extent;
  ASSERT_EQ(GetThemeTextExtent(b, dib.dc, BP_PUSHBUTTON, 1, u"Hello", -1, DT_SINGLELINE, nullptr, &extent),
            S_OK);
  SIZE gdi;
  GetTextExtentPoint32W(dib.dc, u"Hello", 5, &gdi);
  EXPECT_EQ(extent.Width(), gdi.cx);
  RECT calc{0, 0, 1000, 1000};
  DTTOPTS o;
  o.dwFlags = DTT_CALCRECT;
  ASSERT_EQ(DrawThemeTextEx(b, dib.dc, BP_PUSHBUTTON, 1, u"Hello", -1, DT_SINGLELINE, &calc, &o), S_OK);
  EXPECT_EQ(calc.Width(), gdi.cx);
  EXPECT_EQ(dib.Mask(), TestDib(10, 10).Mask());  // measuring draws nothing
  // TEXTSTYLE parts bring their own fonts; the DC's font is left as it was.
  TEXTMETRICW main, body;
  ASSERT_EQ(GetThemeTextMetrics(text, dib.dc, TEXT_MAININSTRUCTION, 0, &main), S_OK);
  ASSERT_EQ(GetThemeTextMetrics(text, dib.dc, TEXT_BODYTEXT, 0, &body), S_OK);
  EXPECT_GT(main.tmHeight, body.tmHeight);
  EXPECT_LT(main.tmHeight, 40);
  EXPECT_EQ(GetCurrentObject(dib.dc, OBJ_FONT), font);
  SelectObject(dib.dc, old);
  DeleteObject(font);
}

TEST_F(ThemeDraw, EdgesUseTheEdgeColours) {
  Theme b(u"Edit");
  TestDib dib(10, 10, 0);
  RECT r{0, 0, 10, 10}, content;
  ASSERT_EQ(DrawThemeEdge(b, dib.dc, 0, 0, &r, EDGE_RAISED, BF_RECT | BF_ADJUST | BF_MIDDLE, &content), S_OK);
  EXPECT_EQ(content, (RECT{2, 2, 8, 8}));
  COLORREF light, highlight, shadow, dark, fill;
  GetThemeColor(b, 0, 0, TMT_EDGELIGHTCOLOR, &light);
  GetThemeColor(b, 0, 0, TMT_EDGEHIGHLIGHTCOLOR, &highlight);
  GetThemeColor(b, 0, 0, TMT_EDGESHADOWCOLOR, &shadow);
  GetThemeColor(b, 0, 0, TMT_EDGEDKSHADOWCOLOR, &dark);
  GetThemeColor(b, 0, 0, TMT_EDGEFILLCOLOR, &fill);
  EXPECT_EQ(dib.At(5, 0), Argb(light));
  EXPECT_EQ(dib.At(5, 1), Argb(highlight));
  EXPECT_EQ(dib.At(5, 9), Argb(dark));
  EXPECT_EQ(dib.At(5, 8), Argb(shadow));
  EXPECT_EQ(dib.At(5, 5), Argb(fill));
  // Only the asked sides.
  dib.Fill(0);
  DrawThemeEdge(b, dib.dc, 0, 0, &r, BDR_RAISEDINNER, BF_TOP | BF_LEFT, &content);
  EXPECT_EQ(dib.At(5, 0), Argb(highlight));
  EXPECT_EQ(dib.At(0, 5), Argb(highlight));
  EXPECT_EQ(dib.At(9, 5), 0u);
  EXPECT_EQ(dib.At(5, 9), 0u);
}

// ---- The parent's background -------------------------------------------------------------------

class ThemeParentBackground : public WmTest {
 protected:
  void SetUp() override {
    WmTest::SetUp();
    os::ResetThemeForTesting();
  }
  void TearDown() override {
    os::ResetThemeForTesting();
    WmTest::TearDown();
  }
};

TEST_F(ThemeParentBackground, ParentPaintsUnderTheChild) {
  HWND parent = CreateRecorded("parent", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100);
  HWND child = CreateRecorded("child", WS_CHILD | WS_VISIBLE, 10, 0, 20, 10, parent);
  // The parent's left 20 pixels blue, the rest green.
  SetOverride(parent, [](HWND, UINT msg, WPARAM w, LPARAM, LRESULT& result) {
    if (msg != WM_ERASEBKGND) return false;
    HDC dc = reinterpret_cast<HDC>(w);
    HBRUSH blue = CreateSolidBrush(RGB(0, 0, 255)), green = CreateSolidBrush(RGB(0, 255, 0));
    RECT left{0, 0, 20, 100}, right{20, 0, 200, 100};
    FillRect(dc, &left, blue);
    FillRect(dc, &right, green);
    DeleteObject(blue);
    DeleteObject(green);
    result = 1;
    return true;
  });
  TestDib dib(20, 10);
  MessageLog::Get().Clear();
  ASSERT_EQ(DrawThemeParentBackground(child, dib.dc, nullptr), S_OK);
  EXPECT_EQ(dib.Rgb(0, 5), 0x0000FFu);
  EXPECT_EQ(dib.Rgb(9, 5), 0x0000FFu);
  EXPECT_EQ(dib.Rgb(10, 5), 0x00FF00u);
  EXPECT_EQ(MessageLog::Get().Lines({WM_ERASEBKGND, WM_PRINTCLIENT}),
            (std::vector<std::string>{"parent:WM_ERASEBKGND", "parent:WM_PRINTCLIENT"}));
  POINT org;
  GetWindowOrgEx(dib.dc, &org);
  EXPECT_EQ(org, (POINT{0, 0}));

  // Limited to a rectangle of the child.
  TestDib part(20, 10);
  RECT r{0, 0, 5, 10};
  ASSERT_EQ(DrawThemeParentBackground(child, part.dc, &r), S_OK);
  EXPECT_EQ(ChangedBounds(part, kSentinel), r);

  // Only the erase message with DTPB_USEERASEBKGND.
  MessageLog::Get().Clear();
  DrawThemeParentBackgroundEx(child, part.dc, DTPB_USEERASEBKGND, nullptr);
  EXPECT_EQ(MessageLog::Get().Lines({WM_ERASEBKGND, WM_PRINTCLIENT}),
            (std::vector<std::string>{"parent:WM_ERASEBKGND"}));
  // A top-level window has no parent to paint.
  EXPECT_EQ(DrawThemeParentBackground(parent, part.dc, nullptr), S_FALSE);
}

TEST_F(ThemeParentBackground, PartsOnAChildWindowsDeviceContext) {
  HWND top = CreateRecorded("top", WS_POPUP | WS_VISIBLE, 0, 0, 100, 80);
  HWND child = CreateRecorded("child", WS_CHILD | WS_VISIBLE, 20, 10, 50, 40, top);
  PumpMessages();
  Theme e(u"Edit");
  HDC dc = GetDC(child);
  RECT r{0, 0, 30, 20};
  // Clipped to the child: the part reaches past it on the right.
  RECT wide{40, 0, 80, 20};
  ASSERT_EQ(DrawThemeBackground(e, dc, EP_EDITTEXT, ETS_FOCUSED, &r, nullptr), S_OK);
  ASSERT_EQ(DrawThemeBackground(e, dc, EP_EDITTEXT, ETS_NORMAL, &wide, nullptr), S_OK);
  ReleaseDC(child, dc);
  COLORREF focused, normal;
  GetThemeColor(e, EP_EDITTEXT, ETS_FOCUSED, TMT_BORDERCOLOR, &focused);
  GetThemeColor(e, EP_EDITTEXT, ETS_NORMAL, TMT_BORDERCOLOR, &normal);
  os::WindowPixels px = os::ReadWindowPixels(top, false);
  ASSERT_EQ(px.width, 100);
  EXPECT_EQ(px.At(20, 20), Argb(focused));
  EXPECT_EQ(px.At(49, 20), Argb(focused));
  EXPECT_EQ(px.At(60, 20), Argb(normal));
  EXPECT_NE(px.At(75, 20), Argb(normal));  // outside the child
}

}  // namespace
}  // namespace qd::testing
