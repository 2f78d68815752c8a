// The whole updater against real servers on 127.0.0.1: an HTTPS version service, an HTTP
// file server, a temporary installation folder, and the real program (tests/e2e_runner)
// with its sleeps on the virtual clock.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "platform/gdiplus/codec_io.h"
#include "servers/test_servers.h"
#include "servers/zip_writer.h"
#include "servers/xvfb.h"

namespace qd::testing {
namespace {

const char* kCnpj = "12345678000199";
// The version service's key as the runner's deployment sets it (not the build's key).
const char* kApiKey = "5e2e0d1a7c4b93f8a6e1d0c2b7f49e38";

std::string Quote(const std::string& s) {
  return "'" + s + "'";
}

// A module script that records its own start in the installation folder.
std::string ModuleScript(const std::string& tag) {
  return "#!/bin/sh\necho \"" + tag + " $(basename \"$0\")\" >> \"$(dirname \"$0\")/restarted.txt\"\n";
}

// Builds a ZIP of deflated entries made on Unix from (name, content) pairs (names used as
// given); the first entry is executable when asked.
void MakeZip(const std::string& path, const std::vector<std::pair<std::string, std::string>>& entries,
             bool executableFirst = false) {
  std::vector<testing::ZipEntrySpec> specs;
  for (size_t i = 0; i < entries.size(); ++i)
    specs.push_back(
        {.name = entries[i].first,
         .data = entries[i].second,
         .deflate = true,
         .madeBySystem = 3,
         .externalAttributes = testing::UnixAttributes(i == 0 && executableFirst ? 0100755 : 0100644)});
  WriteFile(path, testing::MakeZip(specs));
}

// What stands in the installation where the update puts something.
enum class TObstacle {
  None,
  ReadOnlyFile,   // readme.txt is read-only
  FolderForFile,  // a folder readme.txt where the update has a file
  FileForFolder,  // a file lib/sub where the update has a folder
};

struct TScenario {
  const char* Name;
  std::string NomeEXE = "brackenvalePDV";
  std::string VersaoAtual = "1.0.4";
  std::string Argument;         // the updater's first argument ("" for none)
  std::string Service;          // version-service scenario (JSON)
  std::string Faults = "{}";    // file-server faults (JSON)
  std::string DownloadIni;      // "" = the default list (only SuporteVNC selected)
  std::string ArchiveOverride;  // raw bytes for the version archive ("" = a good archive)
  bool EscapingArchive = false;
  TObstacle Obstacle = TObstacle::None;
  // Expectations.
  std::vector<std::string> QueriedModules;  // modules asked, in order
  std::string Restarted;                    // the restart's record line ("" = no restart)
  std::vector<std::string> Boxes;           // message-box texts, in order ($INSTALL: the installation)
  bool Updated = false;                     // the installation got the new files
  bool LeftOpen = false;                    // the window stayed open
  std::vector<std::string> Fetched;         // files fetched after the probe, in order
  bool AskedSecondHost = false;
  // Run with DISPLAY set to a private X server (and no QD_PLATFORM): the window must be a
  // real X window.
  bool OnX11 = false;
  // On X11: a screenshot of the window while it unpacks, checked by pixels.
  bool Screenshot = false;
};

void PrintTo(const TScenario& s, std::ostream* os) {
  *os << s.Name;
}

std::string Answer(const std::string& version) {
  return R"({"json": {"status": 1, "msg": "", "dados": {"versao": ")" + version + R"("}}})";
}

const std::string kThreeLines =
    "Ocorreu uma falha de conexão com o servidor e não foi possível atualizar sua versão.\\r"
    "Verifique se o módulo e a versão estão informados no arquivo INI, entre em contato com o suporte ou "
    "feche o sistema e tente novamente.\\rSe você quiser poderá utilizar o sistema normalmente.";

// The window is photographed when the status line is about to show the fourth package:
// it then shows the third one, with the bar at 4 of 12.
const std::string kScreenshot = QD_BINARY_DIR "/e2e_window_during_update.png";
const char* kScreenshotBefore = "Descompactando Schemas.zip ";

std::vector<std::string> Split(const std::string& text, char delimiter) {
  std::vector<std::string> parts;
  size_t start = 0;
  for (size_t at; (at = text.find(delimiter, start)) != std::string::npos; start = at + 1)
    parts.push_back(text.substr(start, at - start));
  parts.push_back(text.substr(start));
  return parts;
}

// Checks the screenshot of the window (its client area as the X server showed it) against
// what the window showed then: the background picture, the logo, the status text, the bold
// label and the bar's filled share.
void CheckScreenshot(const std::string& traceText) {
  const size_t at = traceText.find("SHOT|");
  ASSERT_NE(at, std::string::npos) << traceText;
  const std::string line = traceText.substr(at, traceText.find('\n', at) - at);
  // SHOT|status text|position/max|status text width|label width in bold|in regular|bar
  const std::vector<std::string> f = Split(line, '|');
  ASSERT_EQ(f.size(), 7u) << line;
  EXPECT_EQ(f[1], "Descompactando dll.zip ");
  EXPECT_EQ(f[2], "4/12");
  const int statusWidth = std::stoi(f[3]), boldWidth = std::stoi(f[4]), regularWidth = std::stoi(f[5]);
  const std::vector<std::string> b = Split(f[6], ',');
  ASSERT_EQ(b.size(), 4u);
  const int barLeft = std::stoi(b[0]), barTop = std::stoi(b[1]), barWidth = std::stoi(b[2]),
            barHeight = std::stoi(b[3]);

  codecs::Image image;
  ASSERT_EQ(codecs::DecodeFile(Utf8ToString(kScreenshot), image), codecs::Status::Ok);
  ASSERT_EQ(image.Width(), 556);
  ASSERT_EQ(image.Height(), 290);
  const codecs::Frame& px = image.Frames[0];
  auto red = [&](int x, int y) { return (px.At(x, y) >> 16) & 0xFF; };
  auto green = [&](int x, int y) { return (px.At(x, y) >> 8) & 0xFF; };
  auto blue = [&](int x, int y) { return px.At(x, y) & 0xFF; };
  auto dark = [&](int x, int y) { return red(x, y) + green(x, y) + blue(x, y) < 3 * 0x70; };

  // The background: its dark bar along the top edge, light below it.
  for (int x : {10, 200, 400}) EXPECT_LT(blue(x, 1), 0xA0u) << x;
  EXPECT_GT(blue(300, 160), 0xC0u);
  EXPECT_GT(red(300, 160), 0xC0u);
  // The logo: the dark blue "T", the teal top of the cube, light beside the logo.
  EXPECT_LT(red(122, 110), 0x40u);
  EXPECT_GT(green(60, 80), red(60, 80) + 0x40);
  EXPECT_GT(blue(430, 120), 0xC0u);

  // Dark pixels of a band of rows: the first and last column that has one.
  auto darkSpan = [&](int top, int bottom, int from, int to) {
    int first = -1, last = -1;
    for (int x = from; x < to; ++x)
      for (int y = top; y < bottom; ++y)
        if (dark(x, y)) {
          if (first < 0) first = x;
          last = x;
          break;
        }
    return std::pair{first, last};
  };
  // The status line at (15, 180): as wide as its text, starting at the label.
  const auto [statusFirst, statusLast] = darkSpan(180, 200, 0, 556);
  ASSERT_GE(statusFirst, 0);
  EXPECT_NEAR(statusFirst, 17, 3);
  EXPECT_NEAR(statusLast - statusFirst + 1, statusWidth, 3) << "status text " << f[1];
  // "Por favor aguarde..." at (39, 246), in bold: as wide as the bold text, not the regular.
  const auto [labelFirst, labelLast] = darkSpan(248, 270, 0, 556);
  ASSERT_GE(labelFirst, 0);
  EXPECT_NEAR(labelFirst, 41, 3);
  EXPECT_NEAR(labelLast - labelFirst + 1, boldWidth, 3);
  EXPECT_GT(boldWidth - regularWidth, 6);
  EXPECT_GT(std::abs(labelLast - labelFirst + 1 - regularWidth), 3);

  // The bar: filled (blue) from its left end over 4 twelfths of its inside, empty after.
  const int y = barTop + barHeight / 2;
  auto filled = [&](int x) { return blue(x, y) > red(x, y) + 0x30; };
  int fillEnd = barLeft + 3;
  while (fillEnd < barLeft + barWidth && filled(fillEnd)) ++fillEnd;
  const int inside = barWidth - 4;
  EXPECT_NEAR(fillEnd - (barLeft + 2), inside * 4 / 12, 4);
  EXPECT_FALSE(filled(fillEnd + 10));
  EXPECT_FALSE(filled(barLeft + barWidth - 10));
}

class UpdaterE2E : public ::testing::TestWithParam<TScenario> {};

TEST_P(UpdaterE2E, RunsTheUpdate) {
  const TScenario& sc = GetParam();
  TTempDir dir;
  const std::string install = dir / "install";
  const std::string www = dir / "www";
  const std::string trace = dir / "trace.txt";

  // The installation: settings, the old module, a stale work folder and a file to replace.
  WriteFile(install + "/ERP.INI", "[ATUALIZADOR]\r\nCNPJ=" + std::string(kCnpj) + "\r\nNomeEXE=" +
                                      sc.NomeEXE + "\r\nVersaoEXE=" + sc.VersaoAtual + "\r\n");
  WriteFile(install + "/" + sc.NomeEXE + ".exe", ModuleScript("old"), fs::perms(0755));
  WriteFile(install + "/" + sc.NomeEXE + ".old", "previous");
  WriteFile(install + "/temp/stale.txt", "stale");
  WriteFile(install + "/lib/data.txt", "old data");
  switch (sc.Obstacle) {
    case TObstacle::None:
      break;
    case TObstacle::ReadOnlyFile:
      WriteFile(install + "/readme.txt", "old readme", fs::perms(0444));
      break;
    case TObstacle::FolderForFile:
      WriteFile(install + "/readme.txt/notes.txt", "kept notes");
      break;
    case TObstacle::FileForFolder:
      WriteFile(install + "/lib/sub", "a file named sub");
      break;
  }

  // The file server: the archive of each module's version, the list and the packages.
  WriteFile(www + "/index.html", "<html>home</html>");
  const std::string version = "2.0.1";
  for (const char* folder : {"pdv", "nfce", "Torvelix"}) {
    const std::string zip = www + "/versoes/" + folder + "/" + version + ".zip";
    std::string exe = std::string(folder) == "pdv"    ? "brackenvalePDV"
                      : std::string(folder) == "nfce" ? "brackenvaleNFCe"
                                                      : "Torvelix";
    if (!sc.ArchiveOverride.empty()) {
      WriteFile(zip, sc.ArchiveOverride);
    } else if (sc.EscapingArchive) {
      MakeZip(zip, {{"readme.txt", "fine"}, {"../escaped.txt", "outside"}});
    } else {
      MakeZip(zip,
              {{exe + ".exe", ModuleScript("new")},
               {"lib/data.txt", "new data"},
               {"lib/sub/deep.txt", "deep"},
               {"readme.txt", "version " + version}},
              true);
    }
  }
  WriteFile(www + "/arquivos/download.ini",
            sc.DownloadIni.empty()
                ? "[DOWNLOAD]\r\nSUPORTEVNC=1\r\nDUMP=0\r\nDLL=0\r\nSCHEMAS=0\r\nARQINI=0\r\n"
                  "SCHEMASERVICO=0\r\nCARREGANDO=0\r\nTOQUES=0\r\nREPORT=0\r\nBACKUP=0\r\n"
                  "CHROMIUM=0\r\nTASSENBURY=0\r\n"
                : sc.DownloadIni);
  for (const char* pkg : {"SuporteVNC", "dump", "dll", "Schemas", "ArqINI", "SchemasServico", "toques",
                          "Report", "BAckupFTP", "chromium", "chromium2", "Tassenbury"})
    MakeZip(www + "/arquivos/" + pkg + ".zip", {{std::string("pkg/") + pkg + ".txt", pkg}});
  WriteFile(www + "/arquivos/Carregando.gif", "GIF89a");

  WriteFile(dir / "faults.json", sc.Faults);
  WriteFile(dir / "service.json", sc.Service);
  WriteFile(dir / "service_s.json", "{\"default\": " + Answer("9.9.9") + "}");
  const std::string certs = MakeTestCertificates(dir / "pki");
  auto files = TTestServer::StartFileServer(www, dir / "faults.json");
  auto service = TTestServer::StartVersionService(dir / "service.json", certs);
  auto serviceS = TTestServer::StartVersionService(dir / "service_s.json", certs);

  // A stand-in for the command interpreter, so the module-ending commands are seen.
  WriteFile(dir / "bin/cmd", "#!/bin/sh\necho \"$@\" >> \"" + (dir / "cmd.log") + "\"\n", fs::perms(0755));

  const std::string config = dir / "config.json";
  WriteFile(config, "{\"versionHost\": \"127.0.0.1:" + std::to_string(service->Port()) +
                        "\", \"versionHostS\": \"127.0.0.1:" + std::to_string(serviceS->Port()) +
                        "\", \"apiKey\": \"" + kApiKey +
                        "\", \"lanPrefix\": \"10.99.\", \"lanBaseURL\": \"http://127.0.0.1:1/atualizacao/\", "
                        "\"publicBaseURL\": \"" +
                        files->Url("/") + "\", \"probeURL\": \"" + files->Url("/index.html") +
                        "\", \"caFile\": \"" + certs + "/ca.pem\", \"exeName\": \"" + install +
                        "/quarrendelvish\", \"trace\": \"" + trace +
                        "\", \"localAddresses\": [\"192.168.0.7\"], \"closeAfterMs\": 600000" +
                        (sc.Screenshot ? ", \"screenshot\": \"" + kScreenshot +
                                             "\", \"screenshotBefore\": \"" + kScreenshotBefore + "\""
                                       : std::string()) +
                        "}");
  XvfbServer xvfb;
  std::string screen = "QD_PLATFORM=headless ";
  if (sc.OnX11) {
    if (!XvfbServer::Installed()) GTEST_SKIP() << "Xvfb is not installed";
    std::string error;
    ASSERT_TRUE(xvfb.Start(error)) << error;
    screen = "DISPLAY=" + xvfb.Display() + " ";
  }
  std::string cmd = "cd " + Quote(install) + " && unset QD_PLATFORM && PATH=" + Quote(dir / "bin") +
                    ":/usr/bin:/bin " + screen + Quote(QD_E2E_RUNNER) + " " + Quote(config) +
                    (sc.Argument.empty() ? "" : " " + sc.Argument) + " > " + Quote(dir / "runner.log") +
                    " 2>&1";
  const int rc = std::system(cmd.c_str());
  const std::string traceText = ReadFile(trace);
  ASSERT_EQ(rc, 0) << ReadFile(dir / "runner.log") << traceText;
  ASSERT_NE(traceText.find("END|"), std::string::npos) << traceText;

  if (sc.Screenshot) CheckScreenshot(traceText);

  // Where the window was shown.
  EXPECT_NE(traceText.find(sc.OnX11 ? "SCREEN|x11\n" : "SCREEN|headless\n"), std::string::npos) << traceText;

  // The version queries, with the request body byte for byte.
  std::vector<std::string> modules;
  for (const auto& r : service->Requests()) {
    modules.push_back(r.Module);
    EXPECT_EQ(r.Path, "/v1/consultaVersao.php");
    EXPECT_EQ(r.Method, "POST");
    EXPECT_EQ(r.Body, std::string("{\"header\":{   \"apikey\":\"") + kApiKey +
                          "\"},\"dados\":{   \"cnpj\":\"" + kCnpj + "\",    \"modulo\":\"" + r.Module +
                          "\" }}");
    EXPECT_EQ(r.Header("Accept"), "application/json, text/plain; q=0.9, text/html;q=0.8,");
    EXPECT_EQ(r.Header("Accept-Charset"), "utf-8, *;q=0.8");
    EXPECT_EQ(r.Header("Content-Type").rfind("application/json", 0), 0u) << r.Header("Content-Type");
  }
  EXPECT_EQ(modules, sc.QueriedModules);
  EXPECT_EQ(!serviceS->Requests().empty(), sc.AskedSecondHost);

  // What the file server was asked for after the probe.
  std::vector<std::string> fetched;
  auto requests = files->Requests();
  for (size_t i = 0; i < requests.size(); ++i)
    if (requests[i].Path != "/" && requests[i].Path != "/index.html") fetched.push_back(requests[i].Path);
  EXPECT_EQ(fetched, sc.Fetched);

  // Message boxes.
  std::vector<std::string> boxes;
  for (size_t p = 0; (p = traceText.find("BOX|", p)) != std::string::npos; ++p) {
    size_t start = traceText.find('|', p + 4) + 1;
    std::string box = traceText.substr(start, traceText.find('\n', start) - start);
    // Message boxes show line breaks as CR LF.
    for (size_t crlf; (crlf = box.find("\\r\\n")) != std::string::npos;) box.replace(crlf, 4, "\\r");
    boxes.push_back(box);
  }
  ASSERT_EQ(boxes.size(), sc.Boxes.size()) << traceText;
  for (size_t i = 0; i < boxes.size(); ++i) {
    std::string expected = sc.Boxes[i];
    for (size_t at; (at = expected.find("$INSTALL")) != std::string::npos;) expected.replace(at, 8, install);
    // The box ends with the expected text.
    EXPECT_TRUE(boxes[i].size() >= expected.size() &&
                boxes[i].compare(boxes[i].size() - expected.size(), expected.size(), expected) == 0)
        << boxes[i] << "\nexpected at the end: " << expected;
  }
  EXPECT_EQ(traceText.find("OPEN|") != std::string::npos, sc.LeftOpen) << traceText;

  // The modules were asked to end, every run.
  const std::string cmdLog = ReadFile(dir / "cmd.log");
  for (const char* m : {"Torvelix", "Dallimere", "Harnwickel", "Quillomarsh"})
    EXPECT_NE(cmdLog.find(std::string("/c taskkill -f -im ") + m + ".exe"), std::string::npos) << cmdLog;

  // The installation afterwards.
  EXPECT_FALSE(fs::exists(install + "/" + sc.NomeEXE + ".old"));
  // The work folder is cleared once an update is due.
  EXPECT_EQ(fs::exists(install + "/temp/stale.txt"), sc.Fetched.empty());
  EXPECT_FALSE(fs::exists(dir / "escaped.txt"));
  EXPECT_FALSE(fs::exists(install + "/../escaped.txt"));
  if (sc.Updated) {
    // Every file that nothing stands in the way of is new; what stands in the way is
    // untouched and whole.
    EXPECT_EQ(ReadFile(install + "/lib/data.txt"), "new data");
    switch (sc.Obstacle) {
      case TObstacle::ReadOnlyFile:
        EXPECT_EQ(ReadFile(install + "/readme.txt"), "old readme");
        EXPECT_EQ(fs::status(install + "/readme.txt").permissions(), fs::perms(0444));
        break;
      case TObstacle::FolderForFile:
        EXPECT_TRUE(fs::is_directory(install + "/readme.txt"));
        EXPECT_EQ(ReadFile(install + "/readme.txt/notes.txt"), "kept notes");
        break;
      default:
        EXPECT_EQ(ReadFile(install + "/readme.txt"), "version 2.0.1");
    }
    if (sc.Obstacle == TObstacle::FileForFolder) {
      EXPECT_TRUE(fs::is_regular_file(install + "/lib/sub"));
      EXPECT_EQ(ReadFile(install + "/lib/sub"), "a file named sub");
    } else {
      EXPECT_EQ(ReadFile(install + "/lib/sub/deep.txt"), "deep");
    }
    EXPECT_FALSE(fs::exists(install + "/temp"));
    // No half-written copy is left beside any file (the installation has no hidden files).
    for (const auto& e : fs::recursive_directory_iterator(install))
      EXPECT_NE(e.path().filename().string().front(), '.') << e.path();
  } else {
    EXPECT_EQ(ReadFile(install + "/lib/data.txt"), "old data");
  }
  // The restarted module writes its line on its own; wait for it (bounded).
  std::string restarted;
  for (int i = 0; i < 100 && !sc.Restarted.empty(); ++i) {
    restarted = ReadFile(install + "/restarted.txt");
    if (!restarted.empty()) break;
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  if (sc.Restarted.empty()) restarted = ReadFile(install + "/restarted.txt");
  EXPECT_EQ(restarted, sc.Restarted.empty() ? "" : sc.Restarted + "\n");

  // One full run shows the status lines in order and ends on the last one.
  if (sc.Updated) {
    size_t pos = 0;
    for (const char* caption :
         {"CAPTION|Finalizando módulo [Torvelix]...", "CAPTION|Finalizando módulo [Quillomarsh]...",
          "CAPTION|Download Finalizado...", "CAPTION|Descompactando 2.0.1.zip",
          "CAPTION|Descompactando Tassenbury.zip ", "CAPTION|Apagando arquivos temporários...",
          "CAPTION|Finalizando..."}) {
      size_t next = traceText.find(caption, pos);
      ASSERT_NE(next, std::string::npos) << caption << "\n" << traceText;
      pos = next;
    }
    // 13 asked, 12 shown: the bar stays at its maximum of 12.
    EXPECT_NE(traceText.find("BAR|12/12"), std::string::npos) << traceText;
    EXPECT_EQ(traceText.find("BAR|13/"), std::string::npos) << traceText;
  }
}

const std::vector<std::string> kVersionAndList = {"/versoes/pdv/2.0.1.zip", "/arquivos/download.ini",
                                                  "/arquivos/SuporteVNC.zip"};

INSTANTIATE_TEST_SUITE_P(
    Scenarios, UpdaterE2E,
    ::testing::Values(
        TScenario{.Name = "ModuleOutsideTheMigration",
                  .Service = R"({"default": )" + Answer("2.0.1") + "}",
                  .QueriedModules = {"brackenvalePDV"},
                  .Restarted = "new brackenvalePDV.exe",
                  .Updated = true,
                  .Fetched = kVersionAndList},
        TScenario{
            .Name = "MigrationToTorvelix",
            .NomeEXE = "brackenvaleNFCe",
            .Service = R"({"modules": {"Torvelix": )" + Answer("2.0.1") + "}}",
            .QueriedModules = {"Torvelix"},
            .Restarted = "new Torvelix.exe",
            .Updated = true,
            .Fetched = {"/versoes/Torvelix/2.0.1.zip", "/arquivos/download.ini", "/arquivos/SuporteVNC.zip"}},
        TScenario{
            .Name = "RefusedMigrationAsksForTheModule",
            .NomeEXE = "brackenvaleNFCe",
            .Service =
                R"({"modules": {"Torvelix": {"json": {"status": 0, "msg": "NAO LIBERADO para este cliente"}},
                                 "brackenvaleNFCe": )" +
                Answer("2.0.1") + "}}",
            .QueriedModules = {"Torvelix", "brackenvaleNFCe"},
            .Restarted = "new brackenvaleNFCe.exe",
            .Updated = true,
            .Fetched = {"/versoes/nfce/2.0.1.zip", "/arquivos/download.ini", "/arquivos/SuporteVNC.zip"}},
        TScenario{.Name = "UpdateInARealXWindow",
                  .Service = R"({"default": )" + Answer("2.0.1") + "}",
                  .QueriedModules = {"brackenvalePDV"},
                  .Restarted = "new brackenvalePDV.exe",
                  .Updated = true,
                  .Fetched = kVersionAndList,
                  .OnX11 = true,
                  .Screenshot = true},
        TScenario{.Name = "ReadOnlyFileIsReported",
                  .Service = R"({"default": )" + Answer("2.0.1") + "}",
                  .Obstacle = TObstacle::ReadOnlyFile,
                  .QueriedModules = {"brackenvalePDV"},
                  .Restarted = "new brackenvalePDV.exe",
                  .Boxes = {"Alguns arquivos não puderam ser atualizados:\\r$INSTALL/readme.txt"},
                  .Updated = true,
                  .Fetched = kVersionAndList},
        TScenario{.Name = "FolderInTheWayOfAFileIsReported",
                  .Service = R"({"default": )" + Answer("2.0.1") + "}",
                  .Obstacle = TObstacle::FolderForFile,
                  .QueriedModules = {"brackenvalePDV"},
                  .Restarted = "new brackenvalePDV.exe",
                  .Boxes = {"Alguns arquivos não puderam ser atualizados:\\r$INSTALL/readme.txt"},
                  .Updated = true,
                  .Fetched = kVersionAndList},
        TScenario{.Name = "FileInTheWayOfAFolderIsReported",
                  .Service = R"({"default": )" + Answer("2.0.1") + "}",
                  .Obstacle = TObstacle::FileForFolder,
                  .QueriedModules = {"brackenvalePDV"},
                  .Restarted = "new brackenvalePDV.exe",
                  .Boxes = {"Alguns arquivos não puderam ser atualizados:\\r$INSTALL/lib/sub/deep.txt"},
                  .Updated = true,
                  .Fetched = kVersionAndList},
        TScenario{.Name = "SameVersionEndsAfterTheQuery",
                  .VersaoAtual = "2.0.1",
                  .Service = R"({"default": )" + Answer("2.0.1") + "}",
                  .QueriedModules = {"brackenvalePDV"}},
        TScenario{.Name = "AnswerWithoutDigits",
                  .Service = R"({"default": {"json": {"status": 7, "msg": "x"}}})",
                  .QueriedModules = {"brackenvalePDV"}},
        TScenario{
            .Name = "QueryFailureShowsTheReason",
            .Service =
                R"({"default": {"body": "{\"status\":1,\"msg\":\"\",\"dados\":{\"versao\":\"2.0.1\"}}\n"}})",
            .QueriedModules = {"brackenvalePDV"},
            .Boxes = {"Não foi possível verificar se há nova versão para atualizar o sistema. \\r\\rError ao "
                      "realizar "
                      "consulta: Invalid JSON object: {\"versao\":\"2.0.1\"}}"}},
        TScenario{.Name = "ProbeFailingLeavesTheWindowOpen",
                  .Service = R"({"default": )" + Answer("2.0.1") + "}",
                  .Faults = R"({"/index.html": {"status": 503}})",
                  .LeftOpen = true},
        TScenario{.Name = "MissingPackageStopsTheUpdate",
                  .Service = R"({"default": )" + Answer("2.0.1") + "}",
                  .Faults = R"({"/arquivos/SuporteVNC.zip": {"status": 404}})",
                  .QueriedModules = {"brackenvalePDV"},
                  .Boxes = {"404 Not Found", kThreeLines},
                  .Fetched = kVersionAndList},
        TScenario{.Name = "DamagedArchiveStopsSilently",
                  .Service = R"({"default": )" + Answer("2.0.1") + "}",
                  .ArchiveOverride = "PK\x03\x04 this is not an archive",
                  .QueriedModules = {"brackenvalePDV"},
                  .LeftOpen = true,
                  .Fetched = kVersionAndList},
        TScenario{.Name = "EscapingArchiveStopsSilently",
                  .Service = R"({"default": )" + Answer("2.0.1") + "}",
                  .EscapingArchive = true,
                  .QueriedModules = {"brackenvalePDV"},
                  .LeftOpen = true,
                  .Fetched = kVersionAndList},
        TScenario{.Name = "ArgumentSAsksTheSecondHost",
                  .VersaoAtual = "9.9.9",
                  .Argument = "S",
                  .Service = R"({"default": )" + Answer("2.0.1") + "}",
                  .AskedSecondHost = true},
        TScenario{.Name = "PackageSelection",
                  .Service = R"({"default": )" + Answer("2.0.1") + "}",
                  .DownloadIni = "[DOWNLOAD]\r\nCHROMIUM=2\r\nDUMP=0\r\nDLL=yes\r\n",
                  .QueriedModules = {"brackenvalePDV"},
                  .Restarted = "new brackenvalePDV.exe",
                  .Updated = true,
                  .Fetched = {"/versoes/pdv/2.0.1.zip", "/arquivos/download.ini", "/arquivos/SuporteVNC.zip",
                              "/arquivos/dll.zip", "/arquivos/Schemas.zip", "/arquivos/ArqINI.zip",
                              "/arquivos/SchemasServico.zip", "/arquivos/Carregando.gif",
                              "/arquivos/toques.zip", "/arquivos/Report.zip", "/arquivos/BAckupFTP.zip",
                              "/arquivos/chromium2.zip", "/arquivos/Tassenbury.zip"}}),
    [](const ::testing::TestParamInfo<TScenario>& info) { return std::string(info.param.Name); });

}  // namespace
}  // namespace qd::testing
