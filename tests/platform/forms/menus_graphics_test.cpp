// Popup menus and short cuts; the graphic classes and the canvas.
#include <string>
#include <vector>

#include "forms_test_util.h"
#include "platform/classes/streams.h"
#include "platform/forms/imaging.h"
#include "platform/forms/imglist.h"
#include "platform/forms/menus.h"
#include "platform/forms/stdctrls.h"
#include "platform/gdiplus/codec_io.h"
#include "platform/os/gdi_surface.h"

namespace qd::testing {
namespace {

class MenusTest : public FormsTest {
 protected:
  struct Clicks {
    std::vector<String> names;
    void Click(TObject* s) { names.push_back(static_cast<TMenuItem*>(s)->Name()); }
  } clicks;

  TPopupMenu* MakeMenu(TComponent* owner) {
    auto* menu = new TPopupMenu(owner);
    const Char* names[] = {u"Abrir", u"Sep", u"Desativado", u"Salvar"};
    const Char* captions[] = {u"&Abrir", u"-", u"Desativado", u"&Salvar"};
    for (int i = 0; i < 4; ++i) {
      auto* item = new TMenuItem(owner);
      item->SetName(names[i]);
      item->SetCaption(captions[i]);
      item->OnClick = TNotifyEvent(&clicks, &Clicks::Click);
      menu->Items()->Add(item);
    }
    menu->Items()->Items(2)->SetEnabled(false);
    menu->Items()->Items(3)->SetShortCut(ShortCut('S', {ssCtrl}));
    return menu;
  }
};

TEST_F(MenusTest, PopupKeyboardTable) {
  struct Case {
    const char* name;
    std::vector<int> keys;
    std::vector<String> expected;
  } cases[] = {
      {"down skips the separator and the disabled item", {VK_DOWN, VK_DOWN, VK_RETURN}, {u"Salvar"}},
      {"up wraps to the last item", {VK_UP, VK_RETURN}, {u"Salvar"}},
      {"escape chooses nothing", {VK_DOWN, VK_ESCAPE}, {}},
      {"accelerator letter", {'A'}, {u"Abrir"}},
  };
  TForm* form = NewPlainForm();
  ShowAndPaint(form);
  for (const auto& c : cases) {
    TPopupMenu* menu = MakeMenu(form);
    clicks.names.clear();
    for (int k : c.keys) {
      if (k == 'A') {
        os::InjectKey(VK_PACKET, true, u'a');
        os::InjectKey(VK_PACKET, false, u'a');
      } else {
        os::InjectKey(k, true);
        os::InjectKey(k, false);
      }
    }
    menu->Popup(50, 50);
    EXPECT_EQ(clicks.names, c.expected) << c.name;
    EXPECT_EQ(GetTrackedPopupMenuWindow(), nullptr);
    delete menu;
  }
}

TEST_F(MenusTest, ClickOnAnItemChoosesItAndAClickElsewhereCloses) {
  TForm* form = NewPlainForm();
  ShowAndPaint(form);
  TPopupMenu* menu = MakeMenu(form);
  // Where the popup window's first item is: inside the window at the point given.
  os::InjectMouseMove(TPoint{60, 56});
  os::InjectMouseButton(WM_LBUTTONDOWN, TPoint{60, 56});
  os::InjectMouseButton(WM_LBUTTONUP, TPoint{60, 56});
  menu->Popup(50, 50);
  EXPECT_EQ(clicks.names, (std::vector<String>{u"Abrir"}));
  clicks.names.clear();
  os::InjectMouseButton(WM_LBUTTONDOWN, TPoint{900, 900});
  os::InjectMouseButton(WM_LBUTTONUP, TPoint{900, 900});
  menu->Popup(50, 50);
  EXPECT_TRUE(clicks.names.empty());
}

TEST_F(MenusTest, ARightToLeftMenuOpensLeftOfItsPointAndFollowsItsOwner) {
  TForm* form = NewPlainForm();
  ShowAndPaint(form);
  TPopupMenu* menu = MakeMenu(form);
  struct Case {
    const char* name;
    TBiDiMode formMode;
    bool parent;
    TBiDiMode menuMode;
    bool rightToLeft;
  };
  const Case cases[] = {
      {"left to right", bdLeftToRight, true, bdLeftToRight, false},
      {"the owner's mode", bdRightToLeft, true, bdLeftToRight, true},
      {"its own mode", bdLeftToRight, false, bdRightToLeft, true},
      {"its own mode over the owner's", bdRightToLeft, false, bdLeftToRight, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    form->SetBiDiMode(c.formMode);
    menu->SetBiDiMode(c.menuMode);
    menu->SetParentBiDiMode(c.parent);
    EXPECT_EQ(menu->IsRightToLeft(), c.rightToLeft);
    // A click just left of the point hits the first item only when the menu opened leftwards.
    clicks.names.clear();
    os::InjectMouseMove(TPoint{290, 56});
    os::InjectMouseButton(WM_LBUTTONDOWN, TPoint{290, 56});
    os::InjectMouseButton(WM_LBUTTONUP, TPoint{290, 56});
    menu->Popup(300, 50);
    EXPECT_EQ(clicks.names, c.rightToLeft ? std::vector<String>{u"Abrir"} : std::vector<String>{});
  }
}

TEST_F(MenusTest, RightClickShowsTheControlsPopupMenuAndShortCutsReachItems) {
  TForm* form = NewPlainForm(200, 100);
  TPopupMenu* menu = MakeMenu(form);
  auto* button = new TButton(form);
  button->SetParent(form);
  button->SetBounds(10, 10, 80, 25);
  button->SetPopupMenu(menu);
  ShowAndPaint(form);
  button->SetFocus();
  ASSERT_TRUE(button->Focused());

  // Ctrl+S is the short cut of "Salvar".
  os::InjectKey(VK_CONTROL, true);
  os::InjectKey('S', true);
  os::InjectKey('S', false);
  os::InjectKey(VK_CONTROL, false);
  Application->ProcessMessages();
  EXPECT_EQ(clicks.names, (std::vector<String>{u"Salvar"}));

  // Right click: WM_CONTEXTMENU opens the menu at the mouse; Escape closes it.
  clicks.names.clear();
  TPoint p = form->ClientToScreen(TPoint{20, 20});
  os::InjectMouseMove(p);
  os::InjectMouseButton(WM_RBUTTONDOWN, p);
  os::InjectMouseButton(WM_RBUTTONUP, p);
  os::InjectKey(VK_RETURN, true);  // Enter with nothing highlighted chooses nothing
  os::InjectKey(VK_ESCAPE, true);
  Application->ProcessMessages();
  EXPECT_EQ(menu->PopupComponent(), button);
  EXPECT_EQ(menu->PopupPoint(), p);
  EXPECT_TRUE(clicks.names.empty());
}

TEST(IdentNames, ColoursAndCursorsByName) {
  EXPECT_EQ(ColorToString(clBtnFace), u"clBtnFace");
  EXPECT_EQ(ColorToString(clRed), u"clRed");
  EXPECT_EQ(ColorToString(0x00FF8001), u"$00FF8001");
  EXPECT_EQ(StringToColor(u"CLWINDOWTEXT"), clWindowText);
  EXPECT_EQ(StringToColor(u"$000000FF"), clRed);
  int64_t cursor = 0;
  EXPECT_TRUE(IdentToCursor(u"crhandpoint", cursor));
  EXPECT_EQ(cursor, crHandPoint);
  String name;
  EXPECT_TRUE(CursorToIdent(crNone, name));
  EXPECT_EQ(name, u"crNone");
  EXPECT_FALSE(CursorToIdent(5, name));
}

TEST(ShortCuts, TextTable) {
  struct Case {
    TShortCut sc;
    const Char* text;
  } cases[] = {
      {ShortCut('S', {ssCtrl}), u"Ctrl+S"},
      {ShortCut(VK_DELETE, {}), u"Del"},
      {ShortCut(VK_F5, {ssShift, ssAlt}), u"Shift+Alt+F5"},
      {ShortCut('1', {}), u"1"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ShortCutToText(c.sc), c.text);
    EXPECT_EQ(TextToShortCut(c.text), c.sc);
  }
  EXPECT_EQ(GetHotkey(u"&Abrir"), u'A');
  EXPECT_EQ(GetHotkey(u"Sal&&var"), 0);
  EXPECT_EQ(StripHotkey(u"A&b&&c"), u"Ab&c");
}

class GraphicsTest : public FormsTest {};

TEST_F(GraphicsTest, BitmapCanvasDrawsAndRoundTripsThroughBmp) {
  TBitmap b;
  b.SetPixelFormat(pf24bit);
  b.SetSize(8, 6);
  b.Canvas()->Brush()->SetColor(clBlue);
  b.Canvas()->FillRect(Rect(0, 0, 8, 6));
  b.Canvas()->Pen()->SetColor(clRed);
  b.Canvas()->MoveTo(0, 2);
  b.Canvas()->LineTo(8, 2);
  EXPECT_EQ(b.Canvas()->Pixels(3, 2), clRed);
  EXPECT_EQ(b.Canvas()->Pixels(3, 3), clBlue);
  // Row 2 from the top through ScanLine (bottom-up storage, BGR bytes).
  auto* row = static_cast<const uint8_t*>(b.ScanLine(2));
  EXPECT_EQ(row[2], 0xFF);
  EXPECT_EQ(row[0], 0x00);

  TMemoryStream m;
  b.SaveToStream(&m);
  m.SetPosition(0);
  TBitmap c;
  c.LoadFromStream(&m);
  EXPECT_EQ(c.Width(), 8);
  EXPECT_EQ(c.Height(), 6);
  EXPECT_EQ(c.PixelFormat(), pf24bit);
  EXPECT_EQ(c.Canvas()->Pixels(5, 2), clRed);
  EXPECT_EQ(c.Canvas()->Pixels(5, 5), clBlue);

  TBytesStream junk(TBytes{'n', 'o', 't', ' ', 'b', 'm', 'p'});
  EXPECT_THROW(c.LoadFromStream(&junk), EInvalidGraphic);
}

// A brush or pen of a system colour draws that colour as it is now, also when the system
// colours changed after the canvas first drew with it.
TEST_F(GraphicsTest, SystemColoursAreTakenAsTheyAreWhenDrawing) {
  TBitmap b;
  b.SetPixelFormat(pf32bit);
  b.SetSize(8, 8);
  TCanvas* c = b.Canvas();
  c->Brush()->SetColor(clBtnShadow);
  c->Pen()->SetColor(clHighlight);
  c->FillRect(Rect(0, 0, 8, 4));
  c->MoveTo(0, 6);
  c->LineTo(8, 6);
  ASSERT_EQ(c->Pixels(2, 2), static_cast<TColor>(GetSysColor(COLOR_BTNSHADOW)));
  const INT indices[] = {COLOR_BTNSHADOW, COLOR_HIGHLIGHT};
  const COLORREF colours[] = {RGB(0, 0, 200), RGB(200, 0, 0)};
  SetSysColors(2, indices, colours);
  c->FillRect(Rect(0, 0, 8, 4));
  c->MoveTo(0, 7);
  c->LineTo(8, 7);
  EXPECT_EQ(c->Pixels(2, 2), static_cast<TColor>(RGB(0, 0, 200)));
  EXPECT_EQ(c->Pixels(2, 7), static_cast<TColor>(RGB(200, 0, 0)));
  gdi::ResetSysColors();
}

TEST_F(GraphicsTest, PictureChoosesTheClassByExtensionSignatureAndName) {
  codecs::Image img = codecs::MakeImage(3, 2, std::vector<uint32_t>(6, 0xFF102030u));
  std::vector<uint8_t> jpg, png;
  ASSERT_EQ(codecs::Encode(img, codecs::ImageFormat::JPEG, jpg), codecs::Status::Ok);
  ASSERT_EQ(codecs::Encode(img, codecs::ImageFormat::PNG, png), codecs::Status::Ok);
  struct Case {
    std::vector<uint8_t>* bytes;
    TClass cls;
  } cases[] = {{&jpg, TJPEGImage::StaticClass()}, {&png, TPngImage::StaticClass()}};
  for (const auto& c : cases) {
    TPicture pic;
    TBytesStream s(TBytes(c.bytes->begin(), c.bytes->end()));
    pic.LoadFromStream(&s);
    ASSERT_NE(pic.Graphic(), nullptr);
    EXPECT_EQ(pic.Graphic()->ClassType(), c.cls);
    EXPECT_EQ(pic.Width(), 3);
    EXPECT_EQ(pic.Height(), 2);
  }
  EXPECT_EQ(TPicture::FindGraphicClassByExtension(u".JPG"), TJPEGImage::StaticClass());
  EXPECT_EQ(TPicture::FindGraphicClassByName(u"tpngimage"), TPngImage::StaticClass());
  EXPECT_EQ(TPicture::FindGraphicClassByName(u"TStringList"), nullptr);
  TPicture pic;
  EXPECT_THROW(pic.LoadFromFile(u"/tmp/no-such-file.xyz"), EInvalidGraphic);

  // Picture data written and read again keeps the class and the pixels (JPEG: with its
  // 32-bit length before the file).
  TBytesStream s(TBytes(jpg.begin(), jpg.end()));
  TPicture a;
  a.LoadFromStream(&s);
  TMemoryStream data;
  a.WriteData(&data);
  data.SetPosition(0);
  TPicture b;
  b.ReadData(&data);
  ASSERT_NE(b.Graphic(), nullptr);
  EXPECT_EQ(b.Graphic()->ClassType(), TJPEGImage::StaticClass());
  EXPECT_EQ(static_cast<TJPEGImage*>(b.Graphic())->Data(), static_cast<TJPEGImage*>(a.Graphic())->Data());
}

TEST_F(GraphicsTest, TransparentBitmapLeavesItsKeyColourOut) {
  TBitmap sprite(4, 4);
  sprite.SetPixelFormat(pf24bit);
  sprite.Canvas()->Brush()->SetColor(clFuchsia);  // the bottom-left pixel's colour is the key
  sprite.Canvas()->FillRect(Rect(0, 0, 4, 4));
  sprite.Canvas()->SetPixels(1, 1, clNavy);
  TBitmap target(4, 4);
  target.SetPixelFormat(pf24bit);
  target.Canvas()->Brush()->SetColor(clWhite);
  target.Canvas()->FillRect(Rect(0, 0, 4, 4));
  for (bool transparent : {false, true}) {
    sprite.SetTransparent(transparent);
    target.Canvas()->FillRect(Rect(0, 0, 4, 4));
    target.Canvas()->Draw(0, 0, &sprite);
    EXPECT_EQ(target.Canvas()->Pixels(1, 1), clNavy);
    EXPECT_EQ(target.Canvas()->Pixels(3, 3), transparent ? clWhite : clFuchsia);
  }
}

TEST_F(GraphicsTest, BrushCopyPutsTheBrushOrNothingUnderTheKeyColour) {
  TBitmap glyph(3, 1);
  glyph.SetPixelFormat(pf24bit);
  glyph.Canvas()->SetPixels(0, 0, clRed);
  glyph.Canvas()->SetPixels(1, 0, clFuchsia);
  glyph.Canvas()->SetPixels(2, 0, clNavy);
  struct Case {
    TBrushStyle style;
    TColor middle;
  } cases[] = {{bsSolid, clLime}, {bsClear, clWhite}};
  for (const auto& c : cases) {
    TBitmap target(5, 2);
    target.SetPixelFormat(pf24bit);
    TCanvas* t = target.Canvas();
    t->Brush()->SetColor(clWhite);
    t->FillRect(Rect(0, 0, 5, 2));
    t->Brush()->SetColor(clLime);
    t->Brush()->SetStyle(c.style);
    t->BrushCopy(Rect(1, 1, 4, 2), &glyph, Rect(0, 0, 3, 1), clFuchsia);
    EXPECT_EQ(t->Pixels(1, 1), clRed);
    EXPECT_EQ(t->Pixels(2, 1), c.middle);
    EXPECT_EQ(t->Pixels(3, 1), clNavy);
    EXPECT_EQ(t->Pixels(0, 1), clWhite);  // nothing outside Dest
    EXPECT_EQ(t->Pixels(2, 0), clWhite);
  }
}

TEST_F(GraphicsTest, CanvasTextRectMeasuresAndAligns) {
  TBitmap b(200, 100);
  TCanvas* c = b.Canvas();
  c->Font()->SetName(u"DejaVu Sans");
  c->Font()->SetHeight(-12);
  const TSize one = c->TextExtent(u"palavra");
  EXPECT_GT(one.cx, 20);
  EXPECT_EQ(c->TextWidth(u"palavra palavra"), c->TextExtent(u"palavra palavra").cx);
  // Measuring with a word break at a narrow width gives one line per word.
  TRect r = Rect(0, 0, one.cx + 2, 0);
  String text = u"palavra palavra palavra";
  c->TextRect(r, text, {tfCalcRect, tfWordBreak});
  EXPECT_EQ(r.Height(), 3 * one.cy);
  // Right alignment puts the ink at the right edge.
  c->Brush()->SetColor(clWhite);
  c->FillRect(Rect(0, 0, 200, 100));
  c->Brush()->SetStyle(bsClear);
  TRect box = Rect(0, 0, 200, 20);
  String word = u"fim";
  c->TextRect(box, word, {tfRight, tfSingleLine});
  int leftmost = 200;
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 200; ++x)
      if (c->Pixels(x, y) != clWhite) leftmost = std::min(leftmost, x);
  EXPECT_GE(leftmost, 200 - c->TextWidth(u"fim") - 1);
  EXPECT_LT(leftmost, 200);
}

TEST_F(GraphicsTest, BitmapAlphaFormatsConvertThePixels) {
  struct Case {
    TAlphaFormat from, to;
    uint32_t in, out;
  } cases[] = {
      {afDefined, afPremultiplied, 0x80FF8000u, 0x80804000u},
      {afPremultiplied, afDefined, 0x80804000u, 0x80FF8000u},
      {afDefined, afIgnored, 0x80FF8000u, 0x80FF8000u},
  };
  for (const auto& c : cases) {
    TBitmap b;
    b.LoadFromPixels(1, 1, &c.in);
    b.SetAlphaFormat(c.from);
    b.SetAlphaFormat(c.to);
    EXPECT_EQ(*static_cast<const uint32_t*>(b.ScanLine(0)), c.out) << int(c.from) << "->" << int(c.to);
  }
  // A device bitmap becomes a 32-bit DIB for its scan lines.
  TBitmap d(3, 2);
  EXPECT_EQ(d.PixelFormat(), pfDevice);
  d.Canvas()->Pixels(0, 0);
  d.Canvas()->SetPixels(2, 1, clRed);
  auto* row = static_cast<const uint32_t*>(d.ScanLine(1));
  EXPECT_EQ(d.PixelFormat(), pf32bit);
  EXPECT_EQ(row[2] & 0xFFFFFF, 0xFF0000u);
  // A copy of a bitmap that is being drawn on has its pixels; so does a resized one.
  TBitmap copy;
  copy.Assign(&d);
  EXPECT_EQ(copy.Canvas()->Pixels(2, 1), clRed);
  d.SetSize(4, 3);
  EXPECT_EQ(d.Canvas()->Pixels(2, 1), clRed);
}

TEST_F(GraphicsTest, ApplicationIconComesFromTheEmbeddedMainIcon) {
  ASSERT_NE(Application->Icon(), nullptr);
  EXPECT_FALSE(Application->Icon()->Empty());
  EXPECT_NE(Application->Icon()->Handle(), nullptr);
}

TEST_F(GraphicsTest, FontHandleFollowsTheSettings) {
  TFont f;
  f.SetName(u"DejaVu Sans");
  f.SetHeight(-20);
  f.SetStyle({fsBold, fsUnderline});
  LOGFONTW lf;
  ASSERT_GT(GetObjectW(f.Handle(), sizeof lf, &lf), 0);
  EXPECT_EQ(lf.lfHeight, -20);
  EXPECT_EQ(lf.lfWeight, FW_BOLD);
  EXPECT_EQ(lf.lfUnderline, 1);
  EXPECT_EQ(String(lf.lfFaceName), u"DejaVu Sans");
  f.SetSize(12);
  EXPECT_EQ(f.Height(), -MulDiv(12, f.PixelsPerInch(), 72));
  TFont g;
  g.Assign(&f);
  EXPECT_EQ(g.Height(), f.Height());
  EXPECT_EQ(g.Style(), f.Style());
}

TEST_F(GraphicsTest, ImageListDrawsWithAlphaAndGreysDisabledImages) {
  TImageList list(4, 4);
  TBitmap strip;
  std::vector<uint32_t> px(8 * 4, 0xFFFF0000u);  // two red 4x4 images side by side
  for (int y = 0; y < 4; ++y)
    for (int x = 4; x < 8; ++x) px[static_cast<size_t>(y) * 8 + x] = 0x000000FFu;  // second: transparent
  strip.LoadFromPixels(8, 4, px.data());
  strip.SetAlphaFormat(afDefined);
  EXPECT_EQ(list.Add(&strip), 0);
  EXPECT_EQ(list.Count(), 2);
  TBitmap target(12, 4);
  target.SetPixelFormat(pf32bit);
  target.Canvas()->Brush()->SetColor(clWhite);
  target.Canvas()->FillRect(Rect(0, 0, 12, 4));
  list.Draw(target.Canvas(), 0, 0, 0);
  list.Draw(target.Canvas(), 4, 0, 1);
  list.Draw(target.Canvas(), 8, 0, 0, false);
  EXPECT_EQ(target.Canvas()->Pixels(1, 1), clRed);
  EXPECT_EQ(target.Canvas()->Pixels(5, 1), clWhite);
  const TColor grey = target.Canvas()->Pixels(9, 1);
  EXPECT_EQ(GetRValue(grey), GetGValue(grey));
  EXPECT_NE(grey, clWhite);
}

}  // namespace
}  // namespace qd::testing
