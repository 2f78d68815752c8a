// The image editor as the updater's window uses it: a borderless, transparent picture that
// fills its control, and the settings its stored form gives the background and the logo.
#include <gtest/gtest.h>

#include "concrete/image_test_util.h"
#include "platform/classes/filer.h"

namespace qd::testing {
namespace {

constexpr uint32_t kFill = 0xFF0000, kFrame = 0x0000FF, kLime = 0x00FF00;

class ImageWindow : public ImageTest {
 protected:
  // A picture of the control's size: a one-pixel blue frame around red.
  void SetFramedPicture() {
    TBitmap bitmap;
    bitmap.SetPixelFormat(pf24bit);
    bitmap.SetSize(image->Width(), image->Height());
    bitmap.Canvas()->Brush()->SetColor(clBlue);
    bitmap.Canvas()->FillRect(TRect{0, 0, image->Width(), image->Height()});
    bitmap.Canvas()->Brush()->SetColor(clRed);
    bitmap.Canvas()->FillRect(TRect{1, 1, image->Width() - 1, image->Height() - 1});
    image->Picture()->SetGraphic(&bitmap);
  }
  os::WindowPixels Paint() {
    RedrawWindow(form->Handle(), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    return os::ReadWindowPixels(form->Handle(), true);
  }
};

// The background and the logo: no border in any state, transparent, no focus frame. The
// picture covers the control to its last pixel, its own frame included, and the parent
// shows right beside it.
TEST_F(ImageWindow, ABorderlessTransparentPictureFillsItsControl) {
  form->SetColor(clLime);
  image->Properties()->SetShowFocusRect(false);
  image->Properties()->SetCenter(false);
  for (TcxEditStyle* style : {image->Style(), image->StyleFocused(), image->StyleHot()})
    style->SetBorderStyle(cbsNone);
  image->SetTransparent(true);
  SetFramedPicture();
  form->Show();
  Application->ProcessMessages();

  const struct {
    const char* name;
    bool enabled;
    bool focused;
    bool native;
  } rows[] = {
      {"disabled background", false, false, true},
      {"logo", true, false, true},
      {"focused logo", true, true, true},
      {"logo, classic look", true, false, false},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    image->Style()->LookAndFeel()->SetNativeStyle(row.native);
    image->SetEnabled(row.enabled);
    if (row.focused) {
      image->SetFocus();
      Application->ProcessMessages();
      ASSERT_TRUE(image->Focused());
    }
    const os::WindowPixels px = Paint();
    SaveWindowPng(form->Handle(), std::string("image_window_") + row.name);
    const int l = image->Left(), t = image->Top(), r = l + image->Width() - 1, b = t + image->Height() - 1;
    const struct {
      int x, y;
      uint32_t rgb;
    } probes[] = {
        {l, t, kFrame},        {r, t, kFrame},        {l, b, kFrame},         {r, b, kFrame},
        {l + 1, t + 1, kFill}, {r - 1, b - 1, kFill}, {l + 40, t, kFrame},    {l + 40, t + 2, kFill},
        {l - 1, t - 1, kLime}, {r + 1, b + 1, kLime}, {l - 1, t + 30, kLime}, {r + 1, t + 30, kLime},
    };
    for (const auto& p : probes) EXPECT_EQ(px.At(p.x, p.y) & 0xFFFFFF, p.rgb) << p.x << "," << p.y;
  }
}

// An editor with a border keeps its frame and its inset picture.
TEST_F(ImageWindow, ABorderedImageKeepsItsFrame) {
  form->SetColor(clLime);
  image->Style()->LookAndFeel()->SetNativeStyle(false);
  image->Style()->SetBorderStyle(cbsSingle);
  image->Properties()->SetShowFocusRect(false);
  image->SetTransparent(true);
  SetFramedPicture();
  form->Show();
  Application->ProcessMessages();
  const os::WindowPixels px = Paint();
  const int l = image->Left(), t = image->Top();
  // The border line lies inside the control, the picture within it.
  EXPECT_NE(px.At(l + 2, t + 20) & 0xFFFFFF, kFrame);
  EXPECT_NE(px.At(l + 2, t + 20) & 0xFFFFFF, kFill);
  EXPECT_GT(image->ViewInfo()->ClientRect.Left, 0);
}

// The settings the updater's stored form gives its two pictures, read and written back.
TEST_F(ImageWindow, TheStoredFormsSettingsOfTheBackgroundAndTheLogo) {
  TForm* stored = CreateNewForm<TForm>(Application);
  ReadComponentFromText(
      u"object Stored: TForm\n"
      u"  object imgFundo: TcxImage\n"
      u"    Left = 0\n"
      u"    Top = 0\n"
      u"    Align = alTop\n"
      u"    Enabled = False\n"
      u"    Properties.Center = False\n"
      u"    Properties.PopupMenuLayout.MenuItems = []\n"
      u"    Properties.ShowFocusRect = False\n"
      u"    Style.BorderStyle = ebsNone\n"
      u"    TabOrder = 0\n"
      u"    Transparent = True\n"
      u"    Height = 290\n"
      u"    Width = 556\n"
      u"  end\n"
      u"  object imgLogo: TcxImage\n"
      u"    Left = 39\n"
      u"    Top = 70\n"
      u"    Properties.ShowFocusRect = False\n"
      u"    Style.BorderStyle = ebsNone\n"
      u"    StyleFocused.BorderStyle = ebsNone\n"
      u"    StyleHot.BorderStyle = ebsNone\n"
      u"    TabOrder = 1\n"
      u"    Transparent = True\n"
      u"    Height = 61\n"
      u"    Width = 379\n"
      u"  end\n"
      u"end\n",
      stored);
  auto* fundo = dynamic_cast<TcxImage*>(stored->FindComponent(u"imgFundo"));
  auto* logo = dynamic_cast<TcxImage*>(stored->FindComponent(u"imgLogo"));
  ASSERT_NE(fundo, nullptr);
  ASSERT_NE(logo, nullptr);
  EXPECT_FALSE(fundo->Enabled());
  EXPECT_FALSE(fundo->Properties()->Center());
  EXPECT_TRUE(fundo->Properties()->PopupMenuLayout()->MenuItems().Empty());
  EXPECT_FALSE(fundo->Properties()->ShowFocusRect());
  EXPECT_EQ(fundo->Style()->BorderStyle(), cbsNone);
  EXPECT_TRUE(fundo->Transparent());
  EXPECT_EQ(fundo->Width(), 556);
  EXPECT_TRUE(logo->Enabled());
  EXPECT_EQ(logo->Properties()->PopupMenuLayout()->MenuItems(), TcxPopupMenuLayout::DefaultMenuItems());
  EXPECT_FALSE(logo->Properties()->ShowFocusRect());
  EXPECT_EQ(logo->Style()->BorderStyle(), cbsNone);
  EXPECT_EQ(logo->StyleFocused()->BorderStyle(), cbsNone);
  EXPECT_EQ(logo->StyleHot()->BorderStyle(), cbsNone);
  // The disabled style keeps its default.
  EXPECT_FALSE(logo->StyleDisabled()->AssignedValues().Contains(svBorderStyle));
  EXPECT_TRUE(logo->Transparent());

  // Written back, only what was assigned appears.
  const String text = WriteComponentToText(logo);
  EXPECT_NE(text.find(u"Style.BorderStyle = ebsNone"), String::npos) << StringToUtf8(text);
  EXPECT_NE(text.find(u"StyleFocused.BorderStyle = ebsNone"), String::npos) << StringToUtf8(text);
  EXPECT_NE(text.find(u"StyleHot.BorderStyle = ebsNone"), String::npos) << StringToUtf8(text);
  EXPECT_EQ(text.find(u"StyleDisabled.BorderStyle"), String::npos) << StringToUtf8(text);
  EXPECT_EQ(text.find(u"Style.Color"), String::npos) << StringToUtf8(text);
  delete stored;
}

}  // namespace
}  // namespace qd::testing
