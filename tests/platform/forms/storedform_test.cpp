// Forms created from stored forms: components, properties, handlers bound by name, the
// timer of the form under the virtual clock, picture data, scaling.
#include <string>
#include <vector>

#include "forms_test_util.h"
#include "platform/classes/streams.h"
#include "platform/classes/filer.h"
#include "platform/forms/comctrls.h"
#include "platform/forms/extctrls.h"
#include "platform/forms/imaging.h"
#include "platform/forms/stdctrls.h"
#include "platform/gdiplus/codec_io.h"

namespace qd::testing {

class TTestSmartImage : public TPngImage {
  QD_CLASS_INLINE(TTestSmartImage, TPngImage)
};

class TStoredForm : public TForm {
  QD_CLASS_INLINE(TStoredForm, TForm)
  QD_PUBLISHED(TStoredForm)

 public:
  using TForm::TForm;
  TLabel* lblStatus = nullptr;
  TProgressBar* pbProgresso = nullptr;
  TImage* imgLogo = nullptr;
  TTimer* Timer_Inicializa = nullptr;
  std::vector<std::string> log;
  TStoredForm* selfSeenOnCreate = nullptr;

  void FormCreate(TObject*);
  void FormShow(TObject*) {
    log.push_back("show");
    Timer_Inicializa->SetEnabled(true);
  }
  void Timer_InicializaTimer(TObject*) {
    log.push_back("timer");
    Timer_Inicializa->SetEnabled(false);
    Application->Terminate();
  }
};

TStoredForm* gStoredForm = nullptr;

void TStoredForm::FormCreate(TObject*) {
  log.push_back("create");
  selfSeenOnCreate = gStoredForm;
}

void TStoredForm::RegisterProperties(TPropertyRegistrar& r) {
  r.Field("lblStatus", &TStoredForm::lblStatus);
  r.Field("pbProgresso", &TStoredForm::pbProgresso);
  r.Field("imgLogo", &TStoredForm::imgLogo);
  r.Field("Timer_Inicializa", &TStoredForm::Timer_Inicializa);
  r.Method("FormCreate", &TStoredForm::FormCreate);
  r.Method("FormShow", &TStoredForm::FormShow);
  r.Method("Timer_InicializaTimer", &TStoredForm::Timer_InicializaTimer);
}

namespace {

// A 2 x 2 PNG: opaque red, half-transparent red, transparent, opaque blue.
TBytes SmallPng() {
  codecs::Image img = codecs::MakeImage(2, 2, {0xFFFF0000u, 0x80FF0000u, 0x00000000u, 0xFF0000FFu});
  std::vector<uint8_t> out;
  EXPECT_EQ(codecs::Encode(img, codecs::ImageFormat::PNG, out), codecs::Status::Ok);
  return TBytes(out.begin(), out.end());
}

String Hex(const TBytes& b) {
  static const char* digits = "0123456789ABCDEF";
  String s;
  for (uint8_t v : b) {
    s += static_cast<Char>(digits[v >> 4]);
    s += static_cast<Char>(digits[v & 15]);
  }
  return s;
}

// Picture data: a length byte, the graphic class name, then the graphic's own data.
String PictureData(const std::string& className, const TBytes& file) {
  TBytes d;
  d.push_back(static_cast<uint8_t>(className.size()));
  d.insert(d.end(), className.begin(), className.end());
  d.insert(d.end(), file.begin(), file.end());
  return Hex(d);
}

String MainFormText(const String& pictureData) {
  return uR"(object Form_Principal: TStoredForm
  Left = 0
  Top = 0
  BorderIcons = [biSystemMenu]
  BorderStyle = bsSingle
  Caption = 'Atualizador Torvelix'
  ClientHeight = 290
  ClientWidth = 556
  Color = clWhite
  Font.Charset = DEFAULT_CHARSET
  Font.Color = clWindowText
  Font.Height = -11
  Font.Name = 'Tahoma'
  Font.Style = []
  OldCreateOrder = False
  Position = poScreenCenter
  OnCreate = FormCreate
  OnShow = FormShow
  PixelsPerInch = 96
  TextHeight = 13
  object imgLogo: TImage
    Left = 39
    Top = 70
    Width = 4
    Height = 4
    Stretch = True
    Picture.Data = {)" +
         pictureData +
         uR"(}
  end
  object lblStatus: TLabel
    Left = 15
    Top = 180
    Width = 120
    Height = 16
    Caption = 'Iniciando opera'#231#227'o...'
    Font.Charset = DEFAULT_CHARSET
    Font.Color = clWindowText
    Font.Height = -13
    Font.Name = 'Segoe UI'
    Font.Style = []
    ParentFont = False
    Transparent = True
  end
  object pbProgresso: TProgressBar
    Left = 15
    Top = 207
    Width = 526
    Height = 17
    Max = 10
    Position = 50
    TabOrder = 0
  end
  object Timer_Inicializa: TTimer
    Enabled = False
    Interval = 500
    OnTimer = Timer_InicializaTimer
    Left = 400
    Top = 8
  end
end
)";
}

class StoredFormTest : public FormsTest {
 protected:
  void SetUp() override {
    FormsTest::SetUp();
    RegisterClass(TTestSmartImage::StaticClass());
  }
  void TearDown() override {
    RegisterStoredForm(u"TStoredForm", u"");
    UnRegisterClass(TTestSmartImage::StaticClass());
    FormsTest::TearDown();
  }
};

TEST_F(StoredFormTest, CreatesComponentsBindsHandlersByNameAndRunsTheTimer) {
  RegisterStoredForm(u"TStoredForm", MainFormText(PictureData("TTestSmartImage", SmallPng())));
  Application->CreateForm(TStoredForm::StaticClass(), gStoredForm);
  TStoredForm* f = gStoredForm;
  ASSERT_NE(f, nullptr);
  EXPECT_EQ(f->selfSeenOnCreate, f);  // the reference was set before OnCreate ran
  EXPECT_EQ(f->log, (std::vector<std::string>{"create"}));
  EXPECT_EQ(Application->MainForm(), f);

  // Components and their properties.
  ASSERT_NE(f->lblStatus, nullptr);
  ASSERT_NE(f->pbProgresso, nullptr);
  ASSERT_NE(f->imgLogo, nullptr);
  ASSERT_NE(f->Timer_Inicializa, nullptr);
  EXPECT_EQ(f->lblStatus->Caption(), u"Iniciando opera\u00e7\u00e3o...");
  EXPECT_EQ(f->lblStatus->Parent(), f);
  EXPECT_TRUE(f->lblStatus->Transparent());
  EXPECT_EQ(f->lblStatus->Font()->Name(), u"Segoe UI");
  EXPECT_EQ(f->lblStatus->Font()->Height(), -13);
  EXPECT_EQ(f->Font()->Name(), u"Tahoma");
  EXPECT_EQ(f->pbProgresso->Position(), 10);  // stored unclamped while loading, shown clamped
  EXPECT_EQ(f->Timer_Inicializa->Interval(), 500u);
  EXPECT_FALSE(f->Timer_Inicializa->Enabled());
  EXPECT_EQ(f->Caption(), u"Atualizador Torvelix");

  // The picture: the class named in the data, decoded.
  TGraphic* g = f->imgLogo->Picture()->Graphic();
  ASSERT_NE(g, nullptr);
  EXPECT_EQ(g->ClassType(), TTestSmartImage::StaticClass());
  EXPECT_EQ(g->Width(), 2);

  // The window: a single fixed border with only the system menu, the stored client size.
  const LONG style = GetWindowLongW(f->Handle(), GWL_STYLE);
  EXPECT_TRUE(style & static_cast<LONG>(WS_SYSMENU));
  EXPECT_TRUE(style & static_cast<LONG>(WS_CAPTION));
  EXPECT_FALSE(style & static_cast<LONG>(WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
  RECT cr;
  GetClientRect(f->Handle(), &cr);
  EXPECT_EQ(cr.Width(), 556);
  EXPECT_EQ(cr.Height(), 290);

  const DWORD start = GetTickCount();
  Application->Run();
  EXPECT_EQ(f->log, (std::vector<std::string>{"create", "show", "timer"}));
  EXPECT_EQ(GetTickCount() - start, 500u);
  // Centred on the screen.
  RECT wr;
  GetWindowRect(f->Handle(), &wr);
  EXPECT_EQ(wr.Left, (GetSystemMetrics(SM_CXSCREEN) - wr.Width()) / 2);
  EXPECT_EQ(wr.Top, (GetSystemMetrics(SM_CYSCREEN) - wr.Height()) / 2);
}

TEST_F(StoredFormTest, PictureDataWithTheImageDrawsItsPixels) {
  RegisterStoredForm(u"TStoredForm", MainFormText(PictureData("TPngImage", SmallPng())));
  TStoredForm* f = NewForm<TStoredForm>(nullptr);
  EXPECT_EQ(f->imgLogo->Picture()->Graphic()->ClassType(), TPngImage::StaticClass());
  f->SetPosition(poDesigned);
  ShowAndPaint(f);
  // Stretched 2x2 -> 4x4 over white: opaque red, red blended half over white, white, blue.
  const uint32_t tl = ClientPixel(f, 39, 70) & 0xFFFFFF;
  const uint32_t tr = ClientPixel(f, 39 + 3, 70) & 0xFFFFFF;
  const uint32_t bl = ClientPixel(f, 39, 70 + 3) & 0xFFFFFF;
  const uint32_t br = ClientPixel(f, 39 + 3, 70 + 3) & 0xFFFFFF;
  EXPECT_EQ(tl, 0xFF0000u);
  EXPECT_EQ(tr >> 16, 0xFFu);
  EXPECT_NEAR(static_cast<int>(tr & 0xFF), 0x7F, 2);
  EXPECT_EQ(bl, 0xFFFFFFu);
  EXPECT_EQ(br, 0x0000FFu);
  f->Free();
}

TEST_F(StoredFormTest, UnknownPictureClassGivesNoGraphicAndBadHandlerNameCreatesNothing) {
  RegisterStoredForm(u"TStoredForm", MainFormText(PictureData("TNoSuchGraphic", SmallPng())));
  TStoredForm* f = NewForm<TStoredForm>(nullptr);
  EXPECT_EQ(f->imgLogo->Picture()->Graphic(), nullptr);
  f->Free();

  String text = MainFormText(PictureData("TPngImage", SmallPng()));
  text.replace(text.find(u"OnShow = FormShow"), 17, u"OnShow = FormGone");
  RegisterStoredForm(u"TStoredForm", text);
  TStoredForm* ref = reinterpret_cast<TStoredForm*>(1);
  EXPECT_THROW(Application->CreateForm(TStoredForm::StaticClass(), ref), EReadError);
  EXPECT_EQ(ref, nullptr);
  EXPECT_EQ(Application->ComponentCount(), 0);
  EXPECT_EQ(Screen->FormCount(), 0);
}

TEST_F(StoredFormTest, AFormClassWithoutAStoredFormIsAnError) {
  TStoredForm* ref = nullptr;
  EXPECT_THROW(Application->CreateForm(TStoredForm::StaticClass(), ref), EResNotFound);
  EXPECT_EQ(ref, nullptr);
  // CreateNew needs none.
  TStoredForm* plain = CreateNewForm<TStoredForm>(nullptr);
  EXPECT_EQ(plain->lblStatus, nullptr);
  plain->Free();
}

TEST_F(StoredFormTest, DesignedAt96IsScaledOnlyOnOtherDensities) {
  const String text =
      uR"(object F: TStoredForm
  BorderStyle = bsNone
  ClientWidth = 200
  ClientHeight = 100
  Font.Height = -11
  PixelsPerInch = 96
  object lblStatus: TLabel
    Left = 10
    Top = 20
    Width = 100
    Height = 30
    AutoSize = False
    Caption = 'x'
  end
end
)";
  struct Case {
    UINT dpi;
    TRect label;
    int clientWidth;
    int fontHeight;
  } cases[] = {
      {96, Bounds(10, 20, 100, 30), 200, -11},
      {144, Bounds(15, 30, 150, 45), 300, -17},
  };
  for (const auto& c : cases) {
    forms::Finalize();
    os::SetSystemDpi(c.dpi);
    forms::Initialize();
    RegisterStoredForm(u"TStoredForm", text);
    TStoredForm* f = NewForm<TStoredForm>(nullptr);
    EXPECT_EQ(f->lblStatus->BoundsRect(), c.label) << c.dpi;
    EXPECT_EQ(f->ClientWidth(), c.clientWidth) << c.dpi;
    EXPECT_EQ(f->Font()->Height(), c.fontHeight) << c.dpi;
    EXPECT_EQ(f->PixelsPerInch(), static_cast<int>(c.dpi));
    f->Free();
  }
  os::SetSystemDpi(96);
}

}  // namespace
}  // namespace qd::testing
