// Theme handles: class lists, the visual-styles and per-class switches, window themes,
// application properties, the theme's name and the module table.
#include <gtest/gtest.h>

#include "platform/os/dwmapi.h"
#include "platform/os/kernel.h"
#include "platform/os/modules.h"
#include "user_test_util.h"
#include "uxtheme_test_util.h"

namespace qd::testing {
namespace {

// The class a handle was opened for, as the recorder reports it.
std::string ClassOf(HTHEME theme) {
  os::ScopedThemeRecorder rec;
  TestDib dib(4, 4, 0);
  RECT r{0, 0, 4, 4};
  // Every class defines part 1.
  if (FAILED(DrawThemeBackground(theme, dib.dc, 1, 1, &r, nullptr))) return "?";
  auto calls = rec.Calls();
  return calls.size() == 1 ? Narrow(calls[0].className) : "?";
}

using ThemeHandles = ThemeFixture;

TEST_F(ThemeHandles, FirstKnownClassOfTheListWins) {
  struct Case {
    const char16_t* list;
    const char* opened;  // nullptr: no handle
  } cases[] = {
      {u"Button", "Button"},
      {u"bUtToN", "Button"},
      {u"Explorer::ListView;ListView", "Explorer::ListView"},
      {u"NoSuchClass;Edit", "Edit"},
      {u" ; Progress ;", "Progress"},
      {u"SomeApp::Edit", "Edit"},
      {u"Explorer::TreeView", "Explorer::TreeView"},
      {u"TEXTSTYLE", "TEXTSTYLE"},
      {u"NoSuchClass", nullptr},
      {u"", nullptr},
      {u";;", nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Narrow(c.list));
    SetLastError(0);
    Theme t(c.list);
    if (!c.opened) {
      EXPECT_EQ(t.get(), 0);
      EXPECT_EQ(GetLastError(), static_cast<DWORD>(E_PROP_ID_UNSUPPORTED));
      continue;
    }
    ASSERT_NE(t.get(), 0);
    EXPECT_EQ(ClassOf(t), c.opened);
  }
  SetLastError(0);
  EXPECT_EQ(OpenThemeData(nullptr, nullptr), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(E_POINTER));
}

TEST_F(ThemeHandles, EveryClassOfTheBindingOpens) {
  const char16_t* classes[] = {u"Button",    u"Clock",       u"ComboBox",
                               u"Edit",      u"ExplorerBar", u"Header",
                               u"ListBox",   u"ListView",    u"Menu",
                               u"Page",      u"Progress",    u"Rebar",
                               u"ScrollBar", u"Spin",        u"StartPanel",
                               u"Status",    u"Tab",         u"TaskBand",
                               u"TaskBar",   u"ToolBar",     u"ToolTip",
                               u"TrackBar",  u"TrayNotify",  u"TreeView",
                               u"Window",    u"Navigation",  u"Explorer::ListView",
                               u"TEXTSTYLE", u"Link",        u"DatePicker"};
  for (const char16_t* c : classes) {
    Theme t(c);
    EXPECT_NE(t.get(), 0) << Narrow(c);
  }
}

TEST_F(ThemeHandles, HandlesAreDistinctAndCloseOnce) {
  HTHEME a = OpenThemeData(nullptr, u"Button");
  HTHEME b = OpenThemeData(nullptr, u"Button");
  ASSERT_NE(a, 0);
  ASSERT_NE(b, 0);
  EXPECT_NE(a, b);
  EXPECT_EQ(CloseThemeData(a), S_OK);
  EXPECT_EQ(CloseThemeData(a), E_HANDLE);
  RECT r{0, 0, 4, 4};
  TestDib dib(4, 4, 0);
  EXPECT_EQ(DrawThemeBackground(a, dib.dc, 1, 1, &r, nullptr), E_HANDLE);
  EXPECT_EQ(DrawThemeBackground(b, dib.dc, 1, 1, &r, nullptr), S_OK);
  EXPECT_EQ(CloseThemeData(b), S_OK);
  EXPECT_EQ(CloseThemeData(0), S_OK);
}

TEST_F(ThemeHandles, StylesOffAnswersLikeAClassicDesktop) {
  EXPECT_TRUE(IsThemeActive());
  EXPECT_TRUE(IsAppThemed());
  os::SetVisualStylesEnabled(false);
  EXPECT_FALSE(IsThemeActive());
  EXPECT_FALSE(IsAppThemed());
  SetLastError(0);
  EXPECT_EQ(OpenThemeData(nullptr, u"Button"), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(E_PROP_ID_UNSUPPORTED));
  Char name[260] = {};
  EXPECT_TRUE(FAILED(GetCurrentThemeName(name, 260, nullptr, 0, nullptr, 0)));
  os::SetVisualStylesEnabled(true);
  Theme t(u"Button");
  EXPECT_NE(t.get(), 0);
}

TEST_F(ThemeHandles, AFailingClassFallsThroughTheList) {
  os::SetThemeClassFailing(u"button", true);
  EXPECT_EQ(Theme(u"Button").get(), 0);
  EXPECT_EQ(Theme(u"MyApp::Button").get(), 0);
  Theme edit(u"Button;Edit");
  ASSERT_NE(edit.get(), 0);
  EXPECT_EQ(ClassOf(edit), "Edit");

  os::SetThemeClassFailing(u"Explorer::ListView", true);
  Theme lv(u"Explorer::ListView;ListView");
  ASSERT_NE(lv.get(), 0);
  EXPECT_EQ(ClassOf(lv), "ListView");

  os::SetThemeClassFailing(u"Button", false);
  EXPECT_NE(Theme(u"Button").get(), 0);
}

TEST_F(ThemeHandles, ApplicationPropertiesGateTheHandles) {
  EXPECT_EQ(GetThemeAppProperties(), STAP_ALLOW_NONCLIENT | STAP_ALLOW_CONTROLS | STAP_ALLOW_WEBCONTENT);
  SetThemeAppProperties(STAP_ALLOW_NONCLIENT);
  EXPECT_TRUE(IsThemeActive());
  EXPECT_EQ(OpenThemeData(nullptr, u"Button"), 0);
  HTHEME nc = OpenThemeDataEx(nullptr, u"Window", OTD_NONCLIENT);
  EXPECT_NE(nc, 0);
  CloseThemeData(nc);
  SetThemeAppProperties(0);
  EXPECT_FALSE(IsAppThemed());
  EXPECT_EQ(OpenThemeDataEx(nullptr, u"Window", OTD_NONCLIENT), 0);
  EXPECT_EQ(OpenThemeDataEx(nullptr, u"Window", 0x100), 0);
}

TEST_F(ThemeHandles, CurrentThemeNameAndDocumentation) {
  Char file[260], color[64], size[64];
  ASSERT_EQ(GetCurrentThemeName(file, 260, color, 64, size, 64), S_OK);
  String f = file;
  EXPECT_EQ(f.substr(f.size() - 23), u"Quarrendelvish.msstyles");
  EXPECT_EQ(String(color), u"NormalColor");
  EXPECT_EQ(String(size), u"NormalSize");

  Char small[8];
  EXPECT_EQ(GetCurrentThemeName(small, 8, nullptr, 0, nullptr, 0),
            HRESULT_FROM_WIN32(ERROR_INSUFFICIENT_BUFFER));
  EXPECT_EQ(String(small), f.substr(0, 7));

  Char value[64];
  EXPECT_EQ(GetThemeDocumentationProperty(file, SZ_THDOCPROP_DISPLAYNAME, value, 64), S_OK);
  EXPECT_EQ(String(value), u"Quarrendelvish");
  EXPECT_EQ(GetThemeDocumentationProperty(file, u"NoSuchProperty", value, 64), E_PROP_ID_UNSUPPORTED);
  EXPECT_TRUE(FAILED(GetThemeDocumentationProperty(u"Other.msstyles", SZ_THDOCPROP_DISPLAYNAME, value, 64)));
}

TEST(ThemeModules, EveryBoundNameIsInTheModuleTable) {
  os::ScopedModuleTable restore;
  os::RegisterThemeModules();
  HMODULE ux = LoadLibraryW(u"uxtheme.dll");
  ASSERT_NE(ux, nullptr);
  const char* names[] = {
      "CloseThemeData", "DrawThemeBackground", "DrawThemeEdge", "DrawThemeIcon", "DrawThemeParentBackground",
      "DrawThemeText", "DrawThemeTextEx", "EnableThemeDialogTexture", "GetCurrentThemeName",
      "GetThemeAppProperties", "GetThemeBackgroundContentRect", "GetThemeBackgroundRegion",
      "GetThemeBackgroundExtent", "GetThemeBool", "GetThemeColor", "GetThemeDocumentationProperty",
      "GetThemeEnumValue", "GetThemeFilename", "GetThemeFont", "GetThemeInt", "GetThemeIntList",
      "GetThemeMargins", "GetThemeMetric", "GetThemePartSize", "GetThemePosition", "GetThemePropertyOrigin",
      "GetThemeRect", "GetThemeString", "GetThemeSysBool", "GetThemeSysColor", "GetThemeSysColorBrush",
      "GetThemeSysFont", "GetThemeSysInt", "GetThemeSysSize", "GetThemeSysString", "GetThemeTextExtent",
      "GetThemeTextMetrics", "GetWindowTheme", "HitTestThemeBackground", "IsAppThemed", "IsThemeActive",
      "IsThemePartDefined", "IsThemeBackgroundPartiallyTransparent", "IsThemeDialogTextureEnabled",
      "OpenThemeData", "SetThemeAppProperties", "SetWindowTheme", "BeginBufferedPaint", "BufferedPaintClear",
      "BufferedPaintInit", "BufferedPaintSetAlpha", "BufferedPaintUnInit", "EndBufferedPaint",
      "BeginPanningFeedback", "UpdatePanningFeedback", "EndPanningFeedback",
      // Beyond the binding.
      "OpenThemeDataEx", "OpenThemeDataForDpi", "DrawThemeBackgroundEx", "DrawThemeParentBackgroundEx",
      "GetBufferedPaintBits", "GetBufferedPaintDC", "GetBufferedPaintTargetDC", "GetBufferedPaintTargetRect",
      "BeginBufferedAnimation", "EndBufferedAnimation", "BufferedPaintRenderAnimation",
      "BufferedPaintStopAllAnimations"};
  for (const char* n : names) EXPECT_NE(GetProcAddress(ux, n), nullptr) << n;

  HMODULE dwm = LoadLibraryW(u"dwmapi.dll");
  ASSERT_NE(dwm, nullptr);
  const char* dwmNames[] = {"DwmDefWindowProc",
                            "DwmEnableBlurBehindWindow",
                            "DwmEnableComposition",
                            "DwmEnableMMCSS",
                            "DwmExtendFrameIntoClientArea",
                            "DwmGetColorizationColor",
                            "DwmGetWindowAttribute",
                            "DwmIsCompositionEnabled",
                            "DwmSetWindowAttribute",
                            "DwmSetIconicThumbnail",
                            "DwmSetIconicLivePreviewBitmap",
                            "DwmInvalidateIconicBitmaps",
                            "DwmFlush"};
  for (const char* n : dwmNames) EXPECT_NE(GetProcAddress(dwm, n), nullptr) << n;

  // What the library calls through the table is the engine itself.
  using IsActive = BOOL (*)();
  auto isActive = reinterpret_cast<IsActive>(GetProcAddress(ux, "IsThemeActive"));
  os::SetVisualStylesEnabled(false);
  EXPECT_FALSE(isActive());
  os::SetVisualStylesEnabled(true);
  EXPECT_TRUE(isActive());
  FreeLibrary(ux);
  FreeLibrary(dwm);
}

// ---- With windows ------------------------------------------------------------------------------

class ThemeWindows : public WmTest {
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

TEST_F(ThemeWindows, SwitchingStylesAnnouncesTheChange) {
  HWND top = CreateRecorded("top", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100);
  CreateRecorded("child", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, top);
  MessageLog::Get().Clear();
  os::SetVisualStylesEnabled(false);
  EXPECT_EQ(
      MessageLog::Get().Lines({WM_THEMECHANGED, WM_SETTINGCHANGE}),
      (std::vector<std::string>{"top:WM_THEMECHANGED", "child:WM_THEMECHANGED", "top:WM_SETTINGCHANGE"}));
  MessageLog::Get().Clear();
  os::SetVisualStylesEnabled(false);
  EXPECT_TRUE(MessageLog::Get().Lines({WM_THEMECHANGED, WM_SETTINGCHANGE}).empty());
  os::SetVisualStylesEnabled(true);
  EXPECT_EQ(MessageLog::Get().Lines({WM_THEMECHANGED, WM_SETTINGCHANGE}).size(), 3u);
}

TEST_F(ThemeWindows, WindowThemeNamesTheSubApplicationAndTheClasses) {
  HWND w = CreateRecorded("list", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100);
  {
    Theme plain(u"ListView", w);
    EXPECT_EQ(ClassOf(plain), "ListView");
  }
  MessageLog::Get().Clear();
  EXPECT_EQ(SetWindowTheme(w, u"Explorer", nullptr), S_OK);
  EXPECT_EQ(MessageLog::Get().Lines({WM_THEMECHANGED}), (std::vector<std::string>{"list:WM_THEMECHANGED"}));
  {
    Theme explorer(u"ListView", w);
    EXPECT_EQ(ClassOf(explorer), "Explorer::ListView");
    // A sub-application without its own section of the class falls back to the class.
    Theme button(u"Button", w);
    EXPECT_EQ(ClassOf(button), "Button");
    // Other windows are not affected.
    Theme other(u"ListView");
    EXPECT_EQ(ClassOf(other), "ListView");
  }
  // An id list replaces the class list; empty strings turn the styles off for the window.
  SetWindowTheme(w, nullptr, u"Edit");
  {
    Theme t(u"Button", w);
    EXPECT_EQ(ClassOf(t), "Edit");
  }
  SetWindowTheme(w, u"", u"");
  EXPECT_EQ(Theme(u"Button", w).get(), 0);
  SetWindowTheme(w, nullptr, nullptr);
  EXPECT_NE(Theme(u"Button", w).get(), 0);
  EXPECT_EQ(SetWindowTheme(nullptr, u"Explorer", nullptr), E_HANDLE);
}

TEST_F(ThemeWindows, WindowThemeIsTheLastOpenedHandle) {
  HWND w = CreateRecorded("w", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100);
  EXPECT_EQ(GetWindowTheme(w), 0);
  HTHEME a = OpenThemeData(w, u"Button");
  HTHEME b = OpenThemeData(w, u"Edit");
  EXPECT_EQ(GetWindowTheme(w), b);
  CloseThemeData(b);
  EXPECT_EQ(GetWindowTheme(w), 0);
  CloseThemeData(a);
  HTHEME c = OpenThemeData(w, u"Edit");
  DestroyWindow(w);
  EXPECT_EQ(GetWindowTheme(w), 0);
  CloseThemeData(c);
}

TEST_F(ThemeWindows, DialogTextureAndPanningFeedback) {
  HWND w = CreateRecorded("dlg", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100);
  EXPECT_FALSE(IsThemeDialogTextureEnabled(w));
  EXPECT_EQ(EnableThemeDialogTexture(w, ETDT_ENABLETAB), S_OK);
  EXPECT_TRUE(IsThemeDialogTextureEnabled(w));
  EXPECT_EQ(EnableThemeDialogTexture(w, ETDT_DISABLE), S_OK);
  EXPECT_FALSE(IsThemeDialogTextureEnabled(w));
  EXPECT_EQ(EnableThemeDialogTexture(w, ETDT_ENABLE | ETDT_DISABLE), E_INVALIDARG);
  EXPECT_EQ(EnableThemeDialogTexture(w, 0x100), E_INVALIDARG);
  EXPECT_EQ(EnableThemeDialogTexture(nullptr, ETDT_ENABLE), E_HANDLE);

  EXPECT_TRUE(BeginPanningFeedback(w));
  EXPECT_TRUE(UpdatePanningFeedback(w, 10, -5, FALSE));
  EXPECT_TRUE(EndPanningFeedback(w, TRUE));
  EXPECT_FALSE(BeginPanningFeedback(nullptr));
}

TEST_F(ThemeWindows, CompositionAnswersAndItsSwitch) {
  HWND w = CreateRecorded("top", WS_OVERLAPPEDWINDOW, 10, 20, 200, 100);
  BOOL on = FALSE;
  ASSERT_EQ(DwmIsCompositionEnabled(&on), S_OK);
  EXPECT_TRUE(on);
  RECT frame, wr;
  ASSERT_EQ(DwmGetWindowAttribute(w, DWMWA_EXTENDED_FRAME_BOUNDS, &frame, sizeof frame), S_OK);
  GetWindowRect(w, &wr);
  EXPECT_EQ(frame, wr);
  LRESULT result = 1;
  EXPECT_FALSE(DwmDefWindowProc(w, WM_NCHITTEST, 0, 0, &result));
  EXPECT_EQ(DwmFlush(), S_OK);
  EXPECT_EQ(DwmEnableComposition(DWM_EC_DISABLECOMPOSITION), S_OK);

  MessageLog::Get().Clear();
  os::SetCompositionEnabled(false);
  ASSERT_EQ(DwmIsCompositionEnabled(&on), S_OK);
  EXPECT_FALSE(on);
  EXPECT_EQ(MessageLog::Get().Lines({WM_DWMCOMPOSITIONCHANGED}).size(), 1u);
  MARGINS glass{-1, -1, -1, -1};
  EXPECT_EQ(DwmExtendFrameIntoClientArea(w, &glass), DWM_E_COMPOSITIONDISABLED);
  os::SetCompositionEnabled(true);
  EXPECT_EQ(DwmExtendFrameIntoClientArea(w, &glass), S_OK);
}

}  // namespace
}  // namespace qd::testing
