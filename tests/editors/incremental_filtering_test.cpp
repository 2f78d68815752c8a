// The "No matches found" panel of filtered drop-downs and the popup window that carries it.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "graphics/picture_units_test_util.h"
#include "editors/edit_test_util.h"
#include "platform/os/user_display.h"
#include "ui/editors/cxTextEdit.h"
#include "ui/editors/dxIncrementalFiltering.h"
#include "platform/gdiplus/gdiplus.h"
#include "ui/graphics/dxGDIPlusAPI.h"
#include "ui/graphics/dxGDIPlusCanvas.h"
#include "ui/graphics/dxGDIPlusClasses.h"
#include "ui/graphics/dxGDIPlusImage.h"
#include "ui/graphics/dxSmartImage.h"
#include "ui/graphics/cxGraphicsBitmap.h"
#include "ui/graphics/cxGraphicsCanvas.h"
#include "ui/graphics/cxGraphicsText.h"
#include "ui/lookandfeel/cxLookAndFeelPainters.h"

namespace qd::testing {
namespace {

class TestFilteringHelper : public TdxCustomIncrementalFilteringHelper {
 public:
  TcxCustomLookAndFeelPainter* GetLookAndFeelPainter() override {
    return cxLookAndFeelPaintersManager()->GetPainter(lfsUltraFlat);
  }
  void SearchEditKeyDown(TObject*, WORD& Key, TShiftState) override {
    Calls.push_back("KeyDown " + std::to_string(Key));
  }
  void SearchEditKeyPress(TObject*, Char& Key) override {
    Calls.push_back("KeyPress " + std::to_string(Key));
  }
  void SearchEditMouseWheel(TObject*, TShiftState, int WheelDelta, TPoint, bool& Handled) override {
    Calls.push_back("Wheel " + std::to_string(WheelDelta));
    Handled = true;
  }
  void SearchEditValueChanged(TObject*) override { Calls.push_back("ValueChanged"); }
  std::vector<std::string> Calls;
};

// Painters draw the search glyph from a PNG: GDI+ and smart images are needed.
class IncrementalFilteringHelper : public EditTest {
 protected:
  void SetUp() override {
    EditTest::SetUp();
    ASSERT_TRUE(InitializePictureUnits());
  }
  void TearDown() override {
    forms::Finalize();
    forms::Initialize();
    FinalizePictureUnits();
    EditTest::TearDown();
  }
};

TEST_F(IncrementalFilteringHelper, TheSearchEditReportsToTheHelperAndDoesNotBeep) {
  TestFilteringHelper helper;
  helper.CreateSearchEdit();
  auto* edit = ObjectCast<TcxTextEdit>(helper.SearchEdit());
  ASSERT_NE(edit, nullptr);
  EXPECT_EQ(edit->Owner(), nullptr);
  helper.InitSearchEdit();
  EXPECT_FALSE(edit->BeepOnEnter());
  ASSERT_EQ(edit->Properties()->Buttons()->Count(), 1);
  EXPECT_EQ(edit->Properties()->Buttons()->Items(0)->Kind(), bkGlyph);

  TForm* form = NewPlainForm();
  edit->SetParent(form);
  edit->SetBounds(10, 10, 120, 21);
  ShowAndUpdate(form);
  edit->SetFocus();
  Application->ProcessMessages();
  const HWND inner = edit->InnerEdit()->GetControl()->Handle();
  SendMessageW(inner, WM_KEYDOWN, VK_DOWN, 0);
  SendMessageW(inner, WM_CHAR, u'a', 0);
  const TPoint p = edit->ClientToScreen(TPoint{5, 5});
  SendMessageW(edit->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, 120), MAKELPARAM(p.X, p.Y));
  EXPECT_EQ(helper.Calls,
            (std::vector<std::string>{"KeyDown 40", "KeyPress 97", "ValueChanged", "Wheel 120"}));
  EXPECT_EQ(helper.GetSearchText(), u"a");
  edit->SetParent(nullptr);
  helper.DestroySearchEdit();
  EXPECT_EQ(helper.SearchEdit(), nullptr);
}

TEST_F(IncrementalFilteringHelper, TheGlyphButtonShowsThePaintersSearchGlyphWhateverTheMouseDoes) {
  TestFilteringHelper helper;
  helper.CreateSearchEdit();
  helper.InitSearchEdit();
  TcxCustomEdit* edit = helper.SearchEdit();
  edit->Style()->LookAndFeel()->SetKind(lfUltraFlat);
  edit->Style()->LookAndFeel()->SetNativeStyle(false);
  TForm* form = NewPlainForm();
  edit->SetParent(form);
  edit->SetEditAutoSize(false);
  edit->SetBounds(10, 10, 120, 21);
  ShowAndUpdate(form);
  ASSERT_EQ(edit->ViewInfo()->ButtonCount(), 1);
  const TRect button = edit->ViewInfo()->ButtonsInfo[0]->Bounds;
  auto buttonPixels = [&]() {
    RedrawWindow(form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    const os::WindowPixels px = os::ReadWindowPixels(form->Handle(), true);
    std::vector<uint32_t> result;
    for (int y = button.Top; y < button.Bottom; ++y)
      for (int x = button.Left; x < button.Right; ++x) {
        const TPoint f = form->ScreenToClient(edit->ClientToScreen(TPoint{x, y}));
        result.push_back(px.At(f.X, f.Y) & 0xFFFFFF);
      }
    return result;
  };
  const std::vector<uint32_t> normal = buttonPixels();
  SaveWindowPng(form->Handle(), "search_edit");
  // The glyph: pixels darker than the edit's white.
  EXPECT_GT(std::count_if(normal.begin(), normal.end(), [](uint32_t c) { return (c & 0xFF) < 0x80; }), 5);
  // Hovered and pressed, the button still shows the same glyph.
  const TPoint centre{(button.Left + button.Right) / 2, (button.Top + button.Bottom) / 2};
  SendMessageW(edit->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(centre.X, centre.Y));
  EXPECT_EQ(buttonPixels(), normal);
  SendMessageW(edit->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(centre.X, centre.Y));
  EXPECT_EQ(buttonPixels(), normal);
  SendMessageW(edit->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(centre.X, centre.Y));
  edit->SetParent(nullptr);
}

class IncrementalFiltering : public EditTest {
 protected:
  void SetUp() override {
    EditTest::SetUp();
    font = std::make_unique<TFont>();
    font->SetName(u"DejaVu Sans");
    font->SetHeight(13);  // a 13-pixel cell
    viewInfo.Font = font.get();
    viewInfo.Painter = cxLookAndFeelPaintersManager()->GetPainter(lfsUltraFlat);
  }
  void TearDown() override {
    viewInfo.Font = nullptr;
    EditTest::TearDown();
  }
  // The leftmost and rightmost columns where the panel drawn into a 200 x 30 bitmap differs
  // from its own background.
  // The panel is also written to build/<preset>/<AName>.png for looking at it.
  std::pair<int, int> TextColumns(const std::string& AName, bool ACanvasRightToLeft = false) {
    TcxBitmap bitmap(200, 30);
    TcxCanvas* canvas = bitmap.cxCanvas();
    if (ACanvasRightToLeft) canvas->SetTextFlags(canvas->TextFlags() | ETO_RTLREADING);
    viewInfo.SearchInfoPanelBounds = TRect{0, 0, 200, 30};
    viewInfo.DrawSearchInfoPanel(canvas);
    const COLORREF background = GetPixel(canvas->Handle(), 0, 0);
    int left = -1, right = -1;
    std::vector<uint32_t> png(200 * 30);
    for (int x = 0; x < 200; ++x)
      for (int y = 0; y < 30; ++y) {
        const COLORREF c = GetPixel(canvas->Handle(), x, y);
        png[static_cast<size_t>(y * 200 + x)] =
            0xFF000000u | (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
        if (c != background) {
          if (left < 0) left = x;
          right = x;
        }
      }
    std::vector<uint8_t> out;
    if (codecs::Encode(codecs::MakeImage(200, 30, std::move(png)), codecs::ImageFormat::PNG, out) ==
        codecs::Status::Ok) {
      TMemoryStream stream;
      stream.Write(out.data(), static_cast<int64_t>(out.size()));
      stream.SaveToFile(String(u"" QD_BINARY_DIR "/") + String(AName.begin(), AName.end()) + u".png");
    }
    return {left, right};
  }

  std::unique_ptr<TFont> font;
  TdxCustomIncrementalFilteringContainerViewInfo viewInfo;
};

TEST_F(IncrementalFiltering, ThePanelFitsItsTextWithFourPixelsAround) {
  ASSERT_EQ(cxTextHeight(font.get()), 13);
  EXPECT_EQ(viewInfo.GetSearchInfoPanelText(), u"No matches found");
  EXPECT_EQ(viewInfo.GetSearchInfoPanelHeight(), 21);
  EXPECT_EQ(viewInfo.GetSearchInfoPanelWidth(), cxTextWidth(font.get(), u"No matches found") + 8);
  viewInfo.SearchInfoPanelHeight = 30;
  EXPECT_EQ(viewInfo.GetSearchInfoPanelHeight(), 30);
  EXPECT_EQ(viewInfo.GetSearchInfoPanelDefaultHeight(), 21);
  EXPECT_FALSE(viewInfo.IsSearchInfoPanelVisible());
}

TEST_F(IncrementalFiltering, ThePanelTextStartsAtTheOffsetOrEndsAtTheRightForRightToLeft) {
  const int width = cxTextWidth(font.get(), u"No matches found");
  const auto [left, right] = TextColumns("search_info_panel");
  ASSERT_GE(left, 0);
  EXPECT_GE(left, 4);
  EXPECT_LE(left, 6);
  EXPECT_LE(right, 4 + width);
  EXPECT_EQ(viewInfo.GetSearchInfoPanelTextDrawFlags() & (CXTO_RIGHT | CXTO_RTLREADING), 0u);

  viewInfo.UseRightToLeftAlignment = true;
  EXPECT_EQ(viewInfo.GetSearchInfoPanelTextDrawFlags() & (CXTO_RIGHT | CXTO_RTLREADING),
            CXTO_RIGHT | CXTO_RTLREADING);
  const auto [rtlLeft, rtlRight] = TextColumns("search_info_panel_rtl");
  EXPECT_GE(rtlRight, 200 - 3 - 2);
  EXPECT_GE(rtlLeft, 200 - width - 2);
}

TEST_F(IncrementalFiltering, ThePopupKeepsThePanelSwitchInItsViewInfo) {
  TForm* form = NewPlainForm();
  auto* popup = new TdxCustomIncrementalFilteringPopupWindow(form);
  TdxCustomIncrementalFilteringContainerViewInfo* info = popup->GetViewInfo();
  ASSERT_NE(info, nullptr);
  EXPECT_EQ(static_cast<TcxContainerViewInfo*>(info), popup->ViewInfo());
  EXPECT_EQ(info->Owner, popup);
  EXPECT_EQ(info->ScaleFactor->Owner(), popup->ScaleFactor());
  EXPECT_FALSE(popup->ShowSearchInfoPanel());
  popup->SetShowSearchInfoPanel(true);
  EXPECT_TRUE(popup->ShowSearchInfoPanel());
  EXPECT_TRUE(info->ShowSearchInfoPanel);
  // The view info follows the popup's pixel density.
  popup->ScaleFactor()->Assign(192, 96, false);
  EXPECT_EQ(info->ScaleFactor->Apply(10), 20);
  delete popup;
}

}  // namespace
}  // namespace qd::testing
