// What the theme answers about its parts: sizes at several DPIs, content rectangles and
// margins, colours that match the pixels drawn, fonts, regions and the system metrics.
#include <gtest/gtest.h>

#include "platform/os/user.h"
#include "platform/os/user_display.h"
#include "uxtheme_test_util.h"

namespace qd::testing {
namespace {

using ThemeMetrics = ThemeFixture;

struct SizeCase {
  const char16_t* cls;
  int part, state;
  THEMESIZE kind;
  SIZE at96, at144, at192;
};

const SizeCase kSizes[] = {
    {u"Button", BP_CHECKBOX, CBS_CHECKEDNORMAL, TS_TRUE, {13, 13}, {20, 20}, {26, 26}},
    {u"Button", BP_RADIOBUTTON, RBS_UNCHECKEDNORMAL, TS_TRUE, {13, 13}, {20, 20}, {26, 26}},
    {u"Button", BP_COMMANDLINKGLYPH, 0, TS_TRUE, {20, 20}, {30, 30}, {40, 40}},
    {u"ScrollBar", SBP_ARROWBTN, ABS_UPNORMAL, TS_TRUE, {17, 17}, {26, 26}, {34, 34}},
    {u"ScrollBar", SBP_SIZEBOX, SZB_RIGHTALIGN, TS_TRUE, {17, 17}, {26, 26}, {34, 34}},
    {u"ScrollBar", SBP_THUMBBTNVERT, SCRBS_NORMAL, TS_MIN, {17, 8}, {26, 12}, {34, 16}},
    {u"ScrollBar", SBP_THUMBBTNHORZ, SCRBS_NORMAL, TS_MIN, {8, 17}, {12, 26}, {16, 34}},
    {u"ScrollBar", SBP_GRIPPERVERT, SCRBS_NORMAL, TS_TRUE, {8, 8}, {12, 12}, {16, 16}},
    {u"TreeView", TVP_GLYPH, GLPS_OPENED, TS_TRUE, {9, 9}, {14, 14}, {18, 18}},
    {u"Explorer::TreeView", TVP_GLYPH, GLPS_OPENED, TS_TRUE, {16, 16}, {24, 24}, {32, 32}},
    {u"Window", WP_SMALLCLOSEBUTTON, CBS_NORMAL, TS_TRUE, {13, 13}, {20, 20}, {26, 26}},
    {u"TrackBar", TKP_THUMB, TUS_NORMAL, TS_DRAW, {11, 20}, {17, 30}, {22, 40}},
    {u"TrackBar", TKP_THUMBVERT, TUVS_NORMAL, TS_DRAW, {20, 11}, {30, 17}, {40, 22}},
    {u"Progress", PP_MOVEOVERLAY, 0, TS_TRUE, {60, 15}, {90, 23}, {120, 30}},
    {u"Menu", MENU_POPUPSEPARATOR, 0, TS_TRUE, {4, 9}, {6, 14}, {8, 18}},
    {u"ExplorerBar", EBP_NORMALGROUPEXPAND, EBNGE_NORMAL, TS_TRUE, {18, 18}, {27, 27}, {36, 36}},
    {u"Navigation", NAV_BACKBUTTON, 0, TS_TRUE, {28, 28}, {42, 42}, {56, 56}},
    {u"Header", HP_HEADERSORTARROW, HSAS_SORTEDUP, TS_TRUE, {9, 5}, {14, 8}, {18, 10}},
};

TEST_F(ThemeMetrics, PartSizesScaleWithTheDpi) {
  for (const SizeCase& c : kSizes) {
    SCOPED_TRACE(Narrow(c.cls) + " part " + std::to_string(c.part));
    const std::pair<UINT, SIZE> dpis[] = {{96, c.at96}, {144, c.at144}, {192, c.at192}};
    for (const auto& [dpi, want] : dpis) {
      // A handle made for the DPI, and a device context of that DPI, answer alike.
      Theme forDpi(c.cls, nullptr, dpi);
      SIZE s{-1, -1};
      ASSERT_EQ(GetThemePartSize(forDpi, nullptr, c.part, c.state, nullptr, c.kind, &s), S_OK);
      EXPECT_EQ(s, want) << "handle for " << dpi;
      os::SetSystemDpi(dpi);
      Theme plain(c.cls);
      TestDib dib(4, 4);
      s = {-1, -1};
      ASSERT_EQ(GetThemePartSize(plain, dib.dc, c.part, c.state, nullptr, c.kind, &s), S_OK);
      EXPECT_EQ(s, want) << "dc at " << dpi;
      s = {-1, -1};
      ASSERT_EQ(GetThemePartSize(plain, nullptr, c.part, c.state, nullptr, c.kind, &s), S_OK);
      EXPECT_EQ(s, want) << "system at " << dpi;
      os::SetSystemDpi(96);
    }
  }
}

TEST_F(ThemeMetrics, DrawSizeFitsTheRectangle) {
  Theme button(u"Button"), edit(u"Edit");
  SIZE s;
  RECT small{0, 0, 10, 8}, large{0, 0, 40, 30};
  ASSERT_EQ(GetThemePartSize(button, nullptr, BP_CHECKBOX, 1, &large, TS_DRAW, &s), S_OK);
  EXPECT_EQ(s, (SIZE{13, 13}));
  ASSERT_EQ(GetThemePartSize(button, nullptr, BP_CHECKBOX, 1, &small, TS_DRAW, &s), S_OK);
  EXPECT_EQ(s, (SIZE{8, 8}));
  ASSERT_EQ(GetThemePartSize(edit, nullptr, EP_EDITTEXT, 1, &large, TS_DRAW, &s), S_OK);
  EXPECT_EQ(s, (SIZE{40, 30}));
  EXPECT_EQ(GetThemePartSize(edit, nullptr, 99, 1, &large, TS_DRAW, &s), E_INVALIDARG);
  EXPECT_EQ(GetThemePartSize(edit, nullptr, EP_EDITTEXT, 1, &large, TS_DRAW, nullptr), E_POINTER);
}

TEST_F(ThemeMetrics, ContentRectangleIsTheBackgroundLessItsMargins) {
  struct Case {
    const char16_t* cls;
    int part;
    RECT at96, at144;
  } cases[] = {
      {u"Button", BP_PUSHBUTTON, {3, 3, 97, 97}, {5, 5, 95, 95}},
      {u"Edit", EP_EDITTEXT, {1, 1, 99, 99}, {2, 2, 98, 98}},
      {u"Edit", EP_EDITBORDER_NOSCROLL, {1, 1, 99, 99}, {2, 2, 98, 98}},
      {u"ComboBox", CP_BORDER, {1, 1, 99, 99}, {2, 2, 98, 98}},
      {u"Header", HP_HEADERITEM, {4, 2, 96, 97}, {6, 3, 94, 95}},
      {u"TrackBar", TKP_TRACK, {1, 1, 99, 99}, {2, 2, 98, 98}},
      {u"Progress", PP_BAR, {1, 1, 99, 99}, {2, 2, 98, 98}},
      {u"Tab", TABP_PANE, {1, 1, 99, 99}, {2, 2, 98, 98}},
      {u"ListBox", LBCP_BORDER_NOSCROLL, {1, 1, 99, 99}, {2, 2, 98, 98}},
  };
  RECT r{0, 0, 100, 100};
  for (const Case& c : cases) {
    SCOPED_TRACE(Narrow(c.cls) + " part " + std::to_string(c.part));
    Theme t96(c.cls, nullptr, 96), t144(c.cls, nullptr, 144);
    RECT content;
    ASSERT_EQ(GetThemeBackgroundContentRect(t96, nullptr, c.part, 1, &r, &content), S_OK);
    EXPECT_EQ(content, c.at96);
    ASSERT_EQ(GetThemeBackgroundContentRect(t144, nullptr, c.part, 1, &r, &content), S_OK);
    EXPECT_EQ(content, c.at144);
  }
  // A rectangle smaller than the margins gives an empty content rectangle, never an inverted one.
  Theme b(u"Button");
  RECT tiny{10, 10, 12, 12}, content;
  ASSERT_EQ(GetThemeBackgroundContentRect(b, nullptr, BP_PUSHBUTTON, 1, &tiny, &content), S_OK);
  EXPECT_TRUE(content.Right >= content.Left && content.Bottom >= content.Top);
}

TEST_F(ThemeMetrics, ExtentInvertsTheContentRectangleForEveryPart) {
  for (const auto& cls : os::ThemeCatalogue()) {
    String name = Utf8ToString(cls.name);
    for (UINT dpi : {96u, 144u}) {
      Theme t(name.c_str(), nullptr, dpi);
      ASSERT_NE(t.get(), 0) << cls.name;
      for (const auto& p : cls.parts) {
        RECT r{10, 20, 210, 120}, content, extent;
        ASSERT_EQ(GetThemeBackgroundContentRect(t, nullptr, p.part, 1, &r, &content), S_OK);
        ASSERT_EQ(GetThemeBackgroundExtent(t, nullptr, p.part, 1, &content, &extent), S_OK);
        EXPECT_EQ(extent, r) << cls.name << " " << p.name << " at " << dpi;
      }
    }
  }
}

TEST_F(ThemeMetrics, MarginsAreTheThemesOwnValues) {
  Theme b(u"Button"), b144(u"Button", nullptr, 144), e(u"Edit");
  MARGINS m;
  ASSERT_EQ(GetThemeMargins(b, nullptr, BP_PUSHBUTTON, 1, TMT_CONTENTMARGINS, nullptr, &m), S_OK);
  EXPECT_EQ(m.cxLeftWidth, 3);
  EXPECT_EQ(m.cyBottomHeight, 3);
  ASSERT_EQ(GetThemeMargins(b, nullptr, BP_COMMANDLINK, 0, TMT_CONTENTMARGINS, nullptr, &m), S_OK);
  EXPECT_EQ(m.cxLeftWidth, 9);
  ASSERT_EQ(GetThemeMargins(b144, nullptr, BP_PUSHBUTTON, 1, TMT_CONTENTMARGINS, nullptr, &m), S_OK);
  EXPECT_EQ(m.cxLeftWidth, 5);
  ASSERT_EQ(GetThemeMargins(e, nullptr, EP_EDITBORDER_NOSCROLL, 1, TMT_SIZINGMARGINS, nullptr, &m), S_OK);
  EXPECT_EQ(m.cxLeftWidth, 1);
  EXPECT_EQ(GetThemeMargins(e, nullptr, EP_EDITTEXT, 1, TMT_FILLCOLOR, nullptr, &m), E_PROP_ID_UNSUPPORTED);
}

TEST_F(ThemeMetrics, ColoursAreThoseOfThePixels) {
  // The fill shows in the middle, the border on the middle of the left edge.
  struct Case {
    const char16_t* cls;
    int part, state;
  } cases[] = {
      {u"Edit", EP_EDITTEXT, ETS_NORMAL},
      {u"Edit", EP_EDITTEXT, ETS_FOCUSED},
      {u"Edit", EP_EDITTEXT, ETS_DISABLED},
      {u"Edit", EP_EDITBORDER_NOSCROLL, EPSN_HOT},
      {u"Button", BP_PUSHBUTTON, PBS_HOT},
      {u"Button", BP_PUSHBUTTON, PBS_PRESSED},
      {u"Progress", PP_BAR, 0},
      {u"ListBox", LBCP_BORDER_NOSCROLL, LBPSN_HOT},
      {u"ComboBox", CP_BORDER, CBB_FOCUSED},
      {u"Tab", TABP_PANE, 0},
      {u"TrackBar", TKP_TRACK, TRS_NORMAL},
      {u"ToolTip", TTP_STANDARD, TTSS_NORMAL},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Narrow(c.cls) + " part " + std::to_string(c.part) + " state " + std::to_string(c.state));
    Theme t(c.cls);
    TestDib dib(40, 20, 0);
    RECT r{0, 0, 40, 20};
    ASSERT_EQ(DrawThemeBackground(t, dib.dc, c.part, c.state, &r, nullptr), S_OK);
    COLORREF fill = 0, border = 0;
    ASSERT_EQ(GetThemeColor(t, c.part, c.state, TMT_FILLCOLOR, &fill), S_OK);
    ASSERT_EQ(GetThemeColor(t, c.part, c.state, TMT_BORDERCOLOR, &border), S_OK);
    EXPECT_EQ(dib.At(20, 10), Argb(fill));
    EXPECT_EQ(dib.At(0, 10), Argb(border));
  }
  // Solid fills: every pixel is the fill colour.
  Theme p(u"Progress");
  TestDib dib(30, 10, 0);
  RECT r{0, 0, 30, 10};
  COLORREF error;
  ASSERT_EQ(GetThemeColor(p, PP_FILL, PBFS_ERROR, TMT_FILLCOLOR, &error), S_OK);
  DrawThemeBackground(p, dib.dc, PP_FILL, PBFS_ERROR, &r, nullptr);
  std::string all = dib.Mask([](uint32_t) { return '#'; });
  EXPECT_EQ(dib.Mask([&](uint32_t v) { return v == Argb(error) ? '#' : '.'; }), all);
}

TEST_F(ThemeMetrics, ColourQueriesOfTheBinding) {
  Theme button(u"Button"), combo(u"ComboBox"), edit(u"Edit"), tip(u"ToolTip"), menu(u"Menu"),
      text(u"TEXTSTYLE");
  COLORREF c = 0;
  // Not a colour property: fails, and the painter falls back to its own colour.
  EXPECT_EQ(GetThemeColor(button, BP_PUSHBUTTON, PBS_NORMAL, TMT_COLOR, &c), E_PROP_ID_UNSUPPORTED);
  EXPECT_EQ(GetThemeColor(button, BP_PUSHBUTTON, PBS_NORMAL, TMT_TEXTCOLOR, &c), S_OK);
  COLORREF disabled = 0;
  EXPECT_EQ(GetThemeColor(button, BP_PUSHBUTTON, PBS_DISABLED, TMT_TEXTCOLOR, &disabled), S_OK);
  EXPECT_NE(c, disabled);
  COLORREF comboBorder = 0, editBorder = 0;
  EXPECT_EQ(GetThemeColor(combo, CP_DROPDOWNBUTTON, CBXS_NORMAL, TMT_BORDERCOLOR, &comboBorder), S_OK);
  EXPECT_EQ(GetThemeColor(edit, EP_EDITTEXT, ETS_NORMAL, TMT_BORDERCOLOR, &editBorder), S_OK);
  EXPECT_EQ(comboBorder, editBorder);
  EXPECT_EQ(GetThemeColor(edit, EP_EDITTEXT, ETS_NORMAL, TMT_FILLCOLOR, &c), S_OK);
  EXPECT_EQ(c, RGB(255, 255, 255));
  EXPECT_EQ(GetThemeColor(tip, TTP_STANDARD, TTSS_NORMAL, TMT_TEXTCOLOR, &c), S_OK);
  EXPECT_EQ(GetThemeColor(text, TEXT_HYPERLINKTEXT, TS_HYPERLINK_NORMAL, TMT_TEXTCOLOR, &c), S_OK);
  EXPECT_EQ(GetThemeColor(menu, MENU_POPUPITEM, MPI_NORMAL, TMT_TEXTCOLOR, &c), S_OK);
  COLORREF edge = 0, inner = 0, back = 0;
  EXPECT_EQ(GetThemeColor(menu, MENU_POPUPBACKGROUND, 0, TMT_EDGELIGHTCOLOR, &edge), S_OK);
  EXPECT_EQ(GetThemeColor(menu, MENU_POPUPBACKGROUND, 0, TMT_EDGEHIGHLIGHTCOLOR, &inner), S_OK);
  EXPECT_EQ(GetThemeColor(menu, MENU_POPUPBACKGROUND, 0, TMT_FILLCOLOR, &back), S_OK);
  EXPECT_NE(edge, back);
  EXPECT_EQ(inner, back);
  // The class itself (part 0) has a text colour; unknown parts and handles fail.
  EXPECT_EQ(GetThemeColor(button, 0, 0, TMT_TEXTCOLOR, &c), S_OK);
  EXPECT_EQ(GetThemeColor(button, 99, 1, TMT_TEXTCOLOR, &c), E_INVALIDARG);
  EXPECT_EQ(GetThemeColor(0, BP_PUSHBUTTON, 1, TMT_TEXTCOLOR, &c), E_HANDLE);
  EXPECT_EQ(GetThemeColor(button, BP_PUSHBUTTON, 1, TMT_TEXTCOLOR, nullptr), E_POINTER);
}

TEST_F(ThemeMetrics, PropertiesOfParts) {
  Theme button(u"Button"), edit(u"Edit"), progress(u"Progress"), lv(u"Explorer::ListView");
  struct Case {
    HTHEME theme;
    int part, state;
    BOOL defined, transparent;
  } cases[] = {
      {edit, EP_EDITTEXT, ETS_NORMAL, TRUE, FALSE},
      {button, BP_PUSHBUTTON, PBS_NORMAL, TRUE, TRUE},
      {button, BP_CHECKBOX, CBS_CHECKEDNORMAL, TRUE, TRUE},
      {progress, PP_BAR, 0, TRUE, FALSE},
      {progress, PP_MOVEOVERLAY, 0, TRUE, TRUE},
      {lv, LVP_LISTITEM, LISS_NORMAL, TRUE, TRUE},
      {button, BP_CHECKBOX, 21, FALSE, TRUE},
      {edit, 42, 1, FALSE, FALSE},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("part " + std::to_string(c.part) + " state " + std::to_string(c.state));
    EXPECT_EQ(IsThemePartDefined(c.theme, c.part, c.state), c.defined);
    if (c.part != 42) {
      EXPECT_EQ(IsThemeBackgroundPartiallyTransparent(c.theme, c.part, c.state), c.transparent);
    }
  }
  int v = 0;
  EXPECT_EQ(GetThemeEnumValue(button, BP_RADIOBUTTON, 1, TMT_BORDERTYPE, &v), S_OK);
  EXPECT_EQ(v, BT_ELLIPSE);
  EXPECT_EQ(GetThemeEnumValue(button, BP_CHECKBOX, 1, TMT_SIZINGTYPE, &v), S_OK);
  EXPECT_EQ(v, ST_TRUESIZE);
  EXPECT_EQ(GetThemeEnumValue(edit, EP_EDITTEXT, 1, TMT_SIZINGTYPE, &v), S_OK);
  EXPECT_EQ(v, ST_STRETCH);
  EXPECT_EQ(GetThemeInt(button, BP_CHECKBOX, 1, TMT_IMAGECOUNT, &v), S_OK);
  EXPECT_EQ(v, 20);
  EXPECT_EQ(GetThemeInt(edit, EP_EDITTEXT, 1, TMT_BORDERSIZE, &v), S_OK);
  EXPECT_EQ(v, 1);
  Theme b144(u"Button", nullptr, 144);
  EXPECT_EQ(GetThemeMetric(b144, nullptr, BP_CHECKBOX, 1, TMT_WIDTH, &v), S_OK);
  EXPECT_EQ(v, 20);
  BOOL b = FALSE;
  EXPECT_EQ(GetThemeBool(button, BP_GROUPBOX, 1, TMT_BORDERONLY, &b), S_OK);
  EXPECT_TRUE(b);
  POINT pt;
  EXPECT_EQ(GetThemePosition(button, BP_CHECKBOX, 1, TMT_NORMALSIZE, &pt), S_OK);
  EXPECT_EQ(pt, (POINT{13, 13}));
  PROPERTYORIGIN origin;
  EXPECT_EQ(GetThemePropertyOrigin(button, BP_PUSHBUTTON, 2, TMT_FILLCOLOR, &origin), S_OK);
  EXPECT_EQ(origin, PO_STATE);
  EXPECT_EQ(GetThemePropertyOrigin(button, BP_PUSHBUTTON, 2, TMT_GLOWCOLOR, &origin), S_OK);
  EXPECT_EQ(origin, PO_NOTFOUND);
  Char s[16];
  EXPECT_EQ(GetThemeFilename(button, BP_PUSHBUTTON, 1, TMT_IMAGEFILE, s, 16), E_PROP_ID_UNSUPPORTED);
  INTLIST list;
  EXPECT_EQ(GetThemeIntList(button, BP_PUSHBUTTON, 1, TMT_TRANSITIONDURATIONS, &list), E_PROP_ID_UNSUPPORTED);
}

TEST_F(ThemeMetrics, FontsFollowTheDpi) {
  Theme button(u"Button"), text(u"TEXTSTYLE");
  LOGFONTW lf;
  ASSERT_EQ(GetThemeFont(button, nullptr, BP_PUSHBUTTON, 1, TMT_FONT, &lf), S_OK);
  EXPECT_EQ(String(lf.lfFaceName), u"Segoe UI");
  EXPECT_EQ(lf.lfHeight, -12);
  ASSERT_EQ(GetThemeFont(text, nullptr, TEXT_MAININSTRUCTION, 0, TMT_FONT, &lf), S_OK);
  EXPECT_EQ(lf.lfHeight, -16);
  os::SetSystemDpi(144);
  TestDib dib(4, 4);
  ASSERT_EQ(GetThemeFont(button, dib.dc, BP_PUSHBUTTON, 1, TMT_FONT, &lf), S_OK);
  EXPECT_EQ(lf.lfHeight, -18);
  EXPECT_EQ(GetThemeFont(button, nullptr, BP_PUSHBUTTON, 1, TMT_GLYPHFONT, &lf), E_PROP_ID_UNSUPPORTED);
}

TEST_F(ThemeMetrics, RegionsAndHitTests) {
  Theme button(u"Button"), explorer(u"ExplorerBar"), window(u"Window");
  RECT r{0, 0, 13, 13};
  HRGN rgn = nullptr;
  ASSERT_EQ(GetThemeBackgroundRegion(button, nullptr, BP_RADIOBUTTON, 1, &r, &rgn), S_OK);
  EXPECT_TRUE(PtInRegion(rgn, 6, 6));
  EXPECT_FALSE(PtInRegion(rgn, 0, 0));
  DeleteObject(rgn);
  // Every part's region lies inside its rectangle and covers its middle.
  for (const auto& cls : os::ThemeCatalogue()) {
    String name = Utf8ToString(cls.name);
    Theme t(name.c_str());
    for (const auto& p : cls.parts) {
      RECT pr{10, 10, 50, 40}, box;
      HRGN region = nullptr;
      ASSERT_EQ(GetThemeBackgroundRegion(t, nullptr, p.part, 1, &pr, &region), S_OK);
      GetRgnBox(region, &box);
      EXPECT_TRUE(box.Left >= pr.Left && box.Top >= pr.Top && box.Right <= pr.Right &&
                  box.Bottom <= pr.Bottom)
          << cls.name << " " << p.name;
      EXPECT_TRUE(PtInRegion(region, 30, 25)) << cls.name << " " << p.name;
      DeleteObject(region);
    }
  }
  // The round group button: its corners do not hit, its middle does.
  RECT g{0, 0, 18, 18};
  WORD code = 99;
  ASSERT_EQ(
      HitTestThemeBackground(explorer, nullptr, EBP_NORMALGROUPEXPAND, 2, 0, &g, nullptr, {9, 9}, &code),
      S_OK);
  EXPECT_EQ(code, HTCLIENT);
  ASSERT_EQ(
      HitTestThemeBackground(explorer, nullptr, EBP_NORMALGROUPEXPAND, 2, 0, &g, nullptr, {0, 0}, &code),
      S_OK);
  EXPECT_EQ(code, HTNOWHERE);
  ASSERT_EQ(
      HitTestThemeBackground(explorer, nullptr, EBP_NORMALGROUPEXPAND, 2, 0, &g, nullptr, {30, 9}, &code),
      S_OK);
  EXPECT_EQ(code, HTNOWHERE);
  // Resizing borders of a frame.
  RECT f{0, 0, 100, 100};
  ASSERT_EQ(
      HitTestThemeBackground(window, nullptr, WP_FRAME, 1, HTTB_RESIZINGBORDER | HTTB_SYSTEMSIZINGMARGINS, &f,
                             nullptr, {1, 1}, &code),
      S_OK);
  EXPECT_EQ(code, HTTOPLEFT);
  ASSERT_EQ(
      HitTestThemeBackground(window, nullptr, WP_FRAME, 1, HTTB_RESIZINGBORDER | HTTB_SYSTEMSIZINGMARGINS, &f,
                             nullptr, {50, 99}, &code),
      S_OK);
  EXPECT_EQ(code, HTBOTTOM);
  ASSERT_EQ(HitTestThemeBackground(window, nullptr, WP_FRAME, 1,
                                   HTTB_RESIZINGBORDER_LEFT | HTTB_SYSTEMSIZINGMARGINS, &f, nullptr, {50, 99},
                                   &code),
            S_OK);
  EXPECT_EQ(code, HTCLIENT);
}

TEST_F(ThemeMetrics, SystemValuesThroughTheTheme) {
  Theme t(u"Window");
  EXPECT_EQ(GetThemeSysColor(t, COLOR_WINDOW), GetSysColor(COLOR_WINDOW));
  EXPECT_EQ(GetThemeSysColor(t, TMT_BTNFACE), GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(GetThemeSysColorBrush(t, COLOR_HIGHLIGHT), GetSysColorBrush(COLOR_HIGHLIGHT));
  EXPECT_EQ(GetThemeSysSize(t, SM_CXVSCROLL), GetSystemMetrics(SM_CXVSCROLL));
  EXPECT_EQ(GetThemeSysSize(t, TMT_SCROLLBARHEIGHT), GetSystemMetrics(SM_CYHSCROLL));
  Theme t144(u"Window", nullptr, 144);
  EXPECT_EQ(GetThemeSysSize(t144, SM_CXVSCROLL), GetSystemMetricsForDpi(SM_CXVSCROLL, 144));
  EXPECT_EQ(GetThemeSysSize(t, SM_CXSCREEN), 0);
  NONCLIENTMETRICSW ncm;
  ASSERT_TRUE(SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof ncm, &ncm, 0));
  LOGFONTW lf;
  ASSERT_EQ(GetThemeSysFont(t, TMT_MENUFONT, &lf), S_OK);
  EXPECT_EQ(String(lf.lfFaceName), String(ncm.lfMenuFont.lfFaceName));
  EXPECT_EQ(lf.lfHeight, ncm.lfMenuFont.lfHeight);
  EXPECT_EQ(GetThemeSysFont(t, 4242, &lf), E_INVALIDARG);
  BOOL flat = FALSE;
  SystemParametersInfoW(SPI_GETFLATMENU, 0, &flat, 0);
  EXPECT_EQ(GetThemeSysBool(t, TMT_FLATMENUS), flat ? TRUE : FALSE);
  int depth = 0;
  EXPECT_EQ(GetThemeSysInt(t, TMT_MINCOLORDEPTH, &depth), S_OK);
  EXPECT_GT(depth, 0);
}

}  // namespace
}  // namespace qd::testing
