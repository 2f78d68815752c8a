// The updater's rules that need no servers: the file-server choice, which version texts
// may name a file, the version request's body, the "dados" reader, the settings file and
// the copy over the installation.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/Deployment.h"
#include "app/Principal.h"
#include "app/Startup.h"
#include "platform/base/exceptions.h"
#include "platform/base/strings.h"
#include "platform/display/png.h"
#include "platform/os/user.h"
#include "platform/os/user_display.h"
#include "platform/forms/dialogs.h"
#include "platform/forms/forms.h"
#include "platform/net/json.h"
#include "platform/os/clock.h"
#include "platform/os/winsock.h"
#include "servers/test_servers.h"
#include "ui/graphics/dxGDIPlusImage.h"

namespace qd::testing {
namespace {

String U16(const std::string& s) {
  return Utf8ToString(s);
}

TEST(UpdaterLanCheck, OnlyAnAddressStartingWithTheWholePrefixIsOnTheLan) {
  struct Case {
    const char* Ip;
    const char* Prefix;
    bool Lan;
  };
  const Case cases[] = {
      {"10.1.1.5", "10.1.1.", true},
      {"110.1.1.5", "10.1.1.", false},  // contains the prefix, does not start with it
      {"10.1.10.5", "10.1.1.", false},
      {"192.168.10.25", "192.168.10.", true},
      {"192.168.100.2", "192.168.10.", false},
      {"", "10.1.1.", false},   // no local address found
      {"10.1.1.5", "", false},  // an empty prefix never matches
      {"", "", false},
  };
  for (const Case& c : cases)
    EXPECT_EQ(TForm_Principal::EnderecoNaRedeLocal(U16(c.Ip), U16(c.Prefix)), c.Lan)
        << c.Ip << " / " << c.Prefix;
}

TEST(UpdaterVersionAsFileName, OnlyATextThatStaysInTheWorkFolderNamesTheArchive) {
  struct Case {
    String Versao;
    bool Usable;
  };
  const Case cases[] = {
      {u"2.0.1", true},
      {u"2.0 beta 1", true},  // blanks are kept, as in the URL
      {u"versão 3", true},
      {u"", false},
      {u"..", false},
      {u"../2.0.1", false},
      {u"2.0.1/../../x", false},
      {u"2..1", false},
      {u"/etc/2", false},
      {u"2.0/1", false},
      {u"2.0\\1", false},
      {u"2.0\n1", false},
      {u"2.0\t1", false},
      {String(u"2.0") + Char(0) + u"1", false},
      {u"2.0\x7f", false},
  };
  for (const Case& c : cases)
    EXPECT_EQ(TForm_Principal::VersaoUsavelComoArquivo(c.Versao), c.Usable) << U8(c.Versao);
}

class UpdaterRequestBody : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_ = Deployment();
    Deployment().ApiKey = u"0123456789abcdef0123456789abcdef";
  }
  void TearDown() override { Deployment() = saved_; }

 private:
  TDeployment saved_;
};

TEST_F(UpdaterRequestBody, OrdinaryValuesGiveTheExactBytesWithTheDeploymentsKey) {
  EXPECT_EQ(U8(TForm_Principal::MontaCorpoConsulta(u"12345678000199", u"brackenvalePDV")),
            "{\"header\":{   \"apikey\":\"0123456789abcdef0123456789abcdef\"},\"dados\":{   "
            "\"cnpj\":\"12345678000199\",    \"modulo\":\"brackenvalePDV\" }}");
  EXPECT_EQ(U8(TForm_Principal::MontaCorpoConsulta(u"", u"Torvelix")),
            "{\"header\":{   \"apikey\":\"0123456789abcdef0123456789abcdef\"},\"dados\":{   "
            "\"cnpj\":\"\",    \"modulo\":\"Torvelix\" }}");
}

TEST_F(UpdaterRequestBody, ValuesFromTheSettingsCannotChangeTheRequestsStructure) {
  struct Case {
    String Cnpj;
    String Modulo;
    const char* CnpjBytes;  // the cnpj member's bytes, when they are fixed
  };
  const Case cases[] = {
      {u"12\"3", u"pdv", "\"cnpj\":\"12\\\"3\","},
      {u"12\\", u"pdv", "\"cnpj\":\"12\\\\\","},
      {u"1\",\"modulo\":\"Torvelix", u"pdv", "\"cnpj\":\"1\\\",\\\"modulo\\\":\\\"Torvelix\","},
      {u"12\n3\r\t", u"mod\"},\"x\":{\"", nullptr},
      {String(u"1") + Char(1) + Char(0x1f) + u"2", u"São Paulo ü", nullptr},
  };
  for (const Case& c : cases) {
    const String body = TForm_Principal::MontaCorpoConsulta(c.Cnpj, c.Modulo);
    if (c.CnpjBytes) {
      EXPECT_NE(U8(body).find(c.CnpjBytes), std::string::npos) << U8(body);
    }
    // The body is one JSON object whose members carry the values unchanged.
    std::unique_ptr<TJSONValue> parsed = TJSONObject::ParseJSONValue(body);
    auto* root = dynamic_cast<TJSONObject*>(parsed.get());
    ASSERT_NE(root, nullptr) << U8(body);
    auto* header = dynamic_cast<const TJSONObject*>(root->GetValue(u"header"));
    auto* dados = dynamic_cast<const TJSONObject*>(root->GetValue(u"dados"));
    ASSERT_TRUE(header && dados) << U8(body);
    EXPECT_EQ(root->Count(), 2);
    EXPECT_EQ(dados->Count(), 2) << U8(body);
    EXPECT_EQ(U8(header->GetValue(u"apikey")->Value()), "0123456789abcdef0123456789abcdef");
    EXPECT_EQ(dados->GetValue(u"cnpj")->Value(), c.Cnpj);
    EXPECT_EQ(dados->GetValue(u"modulo")->Value(), c.Modulo);
  }
}

// The "dados" reader cuts from past `"dados":` to the answer's next-to-last character; on
// answers that are missing the member or cut short it yields the same slice, clamped to
// the text, and the version read from it then fails as a query failure.
TEST(UpdaterDadosReader, KeepsTheSliceAndClampsItOnMissingAndTruncatedAnswers) {
  struct Case {
    const char* Answer;
    const char* Slice;
    const char* Versao;  // nullptr: the slice is no JSON object
  };
  const Case cases[] = {
      {R"({"status":1,"dados":{"versao":"2.0.1"}})", R"({"versao":"2.0.1"})", "2.0.1"},
      {R"({"status":"1","msg":"","dados":{"versao":"10.2"}})", R"({"versao":"10.2"})", "10.2"},
      {R"({"status":1,"dados":{}})", "{}", ""},
      {"{\"status\":1,\"dados\":{\"versao\":\"2.0.1\"}}\n", R"({"versao":"2.0.1"}})", nullptr},
      {R"({"dados":{"versao":"2.0.1"},"status":1})", R"({"versao":"2.0.1"},"status":1)", nullptr},
      // Missing member: the slice starts at position 8 (the name's length plus two).
      {R"({"status":1})", R"(us":1)", nullptr},
      {"{}", "", nullptr},
      {"", "", nullptr},
      // Cut short after the name, after the colon, inside the value.
      {R"({"status":1,"dados)", "", nullptr},
      {R"({"status":1,"dados":)", "", nullptr},
      {R"({"status":1,"dados":{)", "", nullptr},
      {R"({"status":1,"dados":{"versao":"2.0)", R"({"versao":"2.)", nullptr},
  };
  for (const Case& c : cases) {
    const String answer = U16(c.Answer);
    const String slice = TForm_Principal::getValor1(u"dados", u"", answer, true);
    EXPECT_EQ(U8(slice), c.Slice) << c.Answer;
    if (c.Versao) {
      EXPECT_EQ(U8(TForm_Principal::getValor(u"versao", slice)), c.Versao) << c.Answer;
    } else {
      EXPECT_THROW(TForm_Principal::getValor(u"versao", slice), Exception) << c.Answer;
    }
  }
}

// The settings file is read beside the executable; everything else happens in the current
// directory.
class UpdaterSettings : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_ = Deployment();
    previousDir_ = fs::current_path();
    fs::current_path(install_.Path());
    TApplication::SetExeNameForTesting(U16(program_ / "quarrendelvish"));
    os::SetHostAddressesOverride(std::vector<std::string>{"192.168.0.7"});
    clock_ = std::make_unique<os::ScopedVirtualClock>();
    previousHook_ = SetMessageBoxHook([this](const String&, const String& text, UINT) {
      boxes_.push_back(U8(text));
      return IDOK;
    });
    InitializeUnits();
  }
  void TearDown() override {
    // The application owns the window and frees it at termination, before the units shut
    // down, as the program does.
    Form_Principal = nullptr;
    Application->DestroyComponents();
    FinalizeUnits();
    SetMessageBoxHook(previousHook_);
    clock_.reset();
    os::SetHostAddressesOverride(std::nullopt);
    TApplication::SetExeNameForTesting(u"");
    fs::current_path(previousDir_);
    Deployment() = saved_;
  }

  // Creates the window from its stored form (which reads the settings) and lets the
  // message loop handle what is pending.
  void CreateWindow(const std::string& ini) {
    WriteFile(program_ / "ERP.INI", ini);
    Application->CreateForm(TForm_Principal::StaticClass(), Form_Principal);
    ASSERT_NE(Form_Principal, nullptr);
    Application->ProcessMessages();
  }

  TTempDir program_;  // the executable's folder
  TTempDir install_;  // the current directory
  std::vector<std::string> boxes_;

 private:
  TMessageBoxHook previousHook_;
  TDeployment saved_;
  fs::path previousDir_;
  std::unique_ptr<os::ScopedVirtualClock> clock_;
};

TEST_F(UpdaterSettings, AnEmptyModuleNameEndsTheProgramWithoutTouchingTheCurrentDirectory) {
  WriteFile(install_ / ".old", "previous");  // what "<module>.old" names for an empty module
  CreateWindow("[ATUALIZADOR]\r\nCNPJ=12345678000199\r\nNomeEXE=\r\nVersaoEXE=1.0.4\r\n");
  EXPECT_TRUE(Application->Terminated());
  EXPECT_TRUE(boxes_.empty());
  EXPECT_EQ(Form_Principal->CNPJ(), u"12345678000199");
  EXPECT_EQ(Form_Principal->NomeEXE(), u"");
  EXPECT_EQ(Form_Principal->URL(), u"");
  EXPECT_EQ(ReadFile(install_ / ".old"), "previous");
  EXPECT_FALSE(fs::exists(install_ / "temp"));
  EXPECT_FALSE(fs::exists(install_ / "versoes"));
}

TEST_F(UpdaterSettings, ACompleteSettingsFilePreparesTheCurrentDirectory) {
  Deployment().LanPrefix = u"192.168.0.";
  Deployment().LanBaseURL = u"http://lan.test/atualizacao/";
  WriteFile(install_ / "brackenvalePDV.old", "previous");
  CreateWindow("[ATUALIZADOR]\r\nCNPJ=12345678000199\r\nNomeEXE=brackenvalePDV\r\n");
  EXPECT_FALSE(Application->Terminated());
  EXPECT_EQ(Form_Principal->VersaoAtual(), u"");
  EXPECT_EQ(Form_Principal->URL(), u"http://lan.test/atualizacao/");
  EXPECT_FALSE(fs::exists(install_ / "brackenvalePDV.old"));
  EXPECT_TRUE(fs::is_directory(install_ / "temp"));
  EXPECT_TRUE(fs::is_directory(install_ / "versoes"));
}

// The stored form names the library's picture classes; the window's pictures are smart
// images of the JPEG and PNG file bytes with the sizes of the stored layout.
TEST_F(UpdaterSettings, TheWindowsPicturesAreTheLibrarysSmartImages) {
  CreateWindow("[ATUALIZADOR]\r\nCNPJ=12345678000199\r\nNomeEXE=brackenvalePDV\r\n");
  auto* fundo = dynamic_cast<TdxSmartImage*>(Form_Principal->imgFundo->Picture()->Graphic());
  auto* logo = dynamic_cast<TdxPNGImage*>(Form_Principal->imgLogo->Picture()->Graphic());
  ASSERT_NE(fundo, nullptr);
  ASSERT_NE(logo, nullptr);
  EXPECT_EQ(fundo->ClassName(), u"TdxSmartImage");
  EXPECT_EQ(fundo->Size(), (TSize{556, 290}));
  EXPECT_EQ(logo->Size(), (TSize{379, 61}));
  EXPECT_EQ(fundo->ImageDataFormat(), dxImageJpeg);
  EXPECT_EQ(logo->ImageDataFormat(), dxImagePng);
  EXPECT_TRUE(logo->IsAlphaUsed());
  EXPECT_FALSE(fundo->IsAlphaUsed());

  // The window shows both: the background's dark top bar, and the logo's dark "T" over it.
  // Shown (its start timer waits for the virtual clock) and painted.
  Form_Principal->Show();
  Application->ProcessMessages();
  Form_Principal->Repaint();
  display::WriteWindowPng(Form_Principal->Handle(), QD_BINARY_DIR "/updater_window_pictures.png");
  const os::WindowPixels window = os::ReadWindowPixels(Form_Principal->Handle());
  POINT origin{0, 0};
  ClientToScreen(Form_Principal->Handle(), &origin);
  RECT frame{};
  GetWindowRect(Form_Principal->Handle(), &frame);
  const int dx = origin.X - frame.Left, dy = origin.Y - frame.Top;
  EXPECT_LT(window.At(dx + 200, dy + 1) & 0xFF, 0xA0u);
  EXPECT_LT((window.At(dx + 122, dy + 110) >> 16) & 0xFF, 0x40u);
  EXPECT_GT(window.At(dx + 400, dy + 120) & 0xFF, 0xC0u);  // light background beside the logo
}

// The two pictures are image editors with the stored form's settings: a disabled background
// without a menu, a logo with the editor's default menu, both borderless and transparent.
TEST_F(UpdaterSettings, TheWindowsPicturesAreImageEditorsWithTheirStoredSettings) {
  CreateWindow("[ATUALIZADOR]\r\nCNPJ=12345678000199\r\nNomeEXE=brackenvalePDV\r\n");
  TcxImage* fundo = Form_Principal->imgFundo;
  TcxImage* logo = Form_Principal->imgLogo;
  ASSERT_NE(fundo, nullptr);
  ASSERT_NE(logo, nullptr);
  EXPECT_EQ(fundo->BoundsRect(), (TRect{0, 0, 556, 290}));
  EXPECT_EQ(fundo->Align(), alTop);
  EXPECT_FALSE(fundo->Enabled());
  EXPECT_FALSE(fundo->Properties()->Center());
  EXPECT_TRUE(fundo->Properties()->PopupMenuLayout()->MenuItems().Empty());
  EXPECT_EQ(logo->BoundsRect(), (TRect{39, 70, 39 + 379, 70 + 61}));
  EXPECT_TRUE(logo->Enabled());
  EXPECT_EQ(logo->Properties()->PopupMenuLayout()->MenuItems(), TcxPopupMenuLayout::DefaultMenuItems());
  for (TcxImage* image : {fundo, logo}) {
    EXPECT_TRUE(image->Transparent());
    EXPECT_FALSE(image->Properties()->ShowFocusRect());
    EXPECT_EQ(image->Style()->BorderStyle(), cbsNone);
  }
  EXPECT_EQ(logo->StyleFocused()->BorderStyle(), cbsNone);
  EXPECT_EQ(logo->StyleHot()->BorderStyle(), cbsNone);
}

// The copy over the installation: what stands in the way is reported and left whole; the
// rest is copied.
TEST(UpdaterCopy, FilesThatCannotBePutInPlaceAreReportedAndLeftWhole) {
  TTempDir dir;
  const std::string from = dir / "temp";
  const std::string to = dir / "install";
  WriteFile(from + "/a.txt", "new a");
  WriteFile(from + "/readonly.txt", "new readonly");
  WriteFile(from + "/isfolder.txt", "new isfolder");
  WriteFile(from + "/lib/one.txt", "new one");
  WriteFile(from + "/lib/deeper/two.txt", "new two");
  WriteFile(from + "/bin/tool", "new tool");
  WriteFile(to + "/a.txt", "old a");
  WriteFile(to + "/readonly.txt", "old readonly", fs::perms(0444));
  WriteFile(to + "/isfolder.txt/inside.txt", "kept");
  WriteFile(to + "/lib", "a file where a folder goes");

  TArquivosNaoAtualizados naoAtualizados;
  for (const char* name : {"a.txt", "readonly.txt", "isfolder.txt"})
    CopiaArquivo(U16(from + "/" + name), U16(to + "/" + name), naoAtualizados);
  for (const char* name : {"lib", "bin"})
    CopiaArvore(U16(from + "/" + name), U16(to + "/" + name), naoAtualizados);

  std::vector<std::string> paths;
  for (const auto& f : naoAtualizados) {
    paths.push_back(U8(f.Caminho));
    EXPECT_FALSE(f.Motivo.empty()) << U8(f.Caminho);
  }
  EXPECT_EQ(paths, (std::vector<std::string>{to + "/readonly.txt", to + "/isfolder.txt",
                                             to + "/lib/deeper/two.txt", to + "/lib/one.txt"}));
  EXPECT_EQ(ReadFile(to + "/a.txt"), "new a");
  EXPECT_EQ(ReadFile(to + "/bin/tool"), "new tool");
  EXPECT_EQ(ReadFile(to + "/readonly.txt"), "old readonly");
  EXPECT_EQ(ReadFile(to + "/isfolder.txt/inside.txt"), "kept");
  EXPECT_EQ(ReadFile(to + "/lib"), "a file where a folder goes");
  // Nothing half-written is left beside the files.
  std::vector<std::string> names;
  for (const auto& e : fs::recursive_directory_iterator(to)) names.push_back(e.path().filename());
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"a.txt", "bin", "inside.txt", "isfolder.txt", "lib",
                                             "readonly.txt", "tool"}));
}

TEST(UpdaterCopy, TheMessageListsAtMostTwentyPathsThenHowManyMore) {
  auto list = [](int n) {
    TArquivosNaoAtualizados l;
    for (int i = 1; i <= n; ++i) l.push_back({u"/inst/f" + IntToStr(i), u"Access is denied."});
    return l;
  };
  auto lines = [](int from, int to) {
    std::string s;
    for (int i = from; i <= to; ++i) s += "\r/inst/f" + std::to_string(i);
    return s;
  };
  const std::string head = "Alguns arquivos não puderam ser atualizados:";
  EXPECT_EQ(U8(MensagemNaoAtualizados(list(1))), head + "\r/inst/f1");
  EXPECT_EQ(U8(MensagemNaoAtualizados(list(20))), head + lines(1, 20));
  EXPECT_EQ(U8(MensagemNaoAtualizados(list(21))), head + lines(1, 20) + "\re mais 1.");
  EXPECT_EQ(U8(MensagemNaoAtualizados(list(57))), head + lines(1, 20) + "\re mais 37.");
}

}  // namespace
}  // namespace qd::testing
