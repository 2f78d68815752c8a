#include "app/Principal.h"

#include <memory>

#include "app/Deployment.h"
#include "platform/archive/zip.h"
#include "platform/base/format.h"
#include "platform/base/strings.h"
#include "platform/classes/inifiles.h"
#include "platform/classes/oserror.h"
#include "platform/classes/rtti.h"
#include "platform/classes/streams.h"
#include "platform/classes/sysutils_files.h"
#include "platform/forms/dialogs.h"
#include "platform/net/json.h"
#include "platform/os/kernel.h"
#include "platform/os/shell.h"
#include "platform/os/user.h"
#include "platform/os/winsock.h"

namespace qd {

TForm_Principal* Form_Principal = nullptr;

QD_IMPLEMENT_CLASS(TForm_Principal)

namespace {

// Modules of the older product family that may move to Torvelix.
constexpr const char16_t* kModulosMigrados[] = {
    u"brackenvale",
    u"brackenvaleClube",
    u"brackenvaleClinicas",
    u"brackenvaleNFCe",
    u"brackenvaleRastreamento",
    u"brackenvaleGastronomia",
    u"Farrowquin",
    u"brackenvaleOficina",
    u"brackenvaleAssistencia",
    u"brackenvaleConsorcios",
};

constexpr const char16_t* kRecusaTorvelix = u"Módulo Torvelix não habilitado para o cliente";
constexpr const char16_t* kRecusaNaoLiberado = u"NAO LIBERADO";

struct TPastaModulo {
  const char16_t* Modulo;
  const char16_t* Pasta;
};
constexpr TPastaModulo kPastas[] = {
    {u"Torvelix", u"versoes/Torvelix/"},
    {u"brackenvale", u"versoes/erp/"},
    {u"brackenvalePDV", u"versoes/pdv/"},
    {u"brackenvaleClube", u"versoes/clube/"},
    {u"brackenvaleClinicas", u"versoes/clinica/"},
    {u"brackenvaleNFCe", u"versoes/nfce/"},
    {u"brackenvaleCRM", u"versoes/crm/"},
    {u"brackenvaleAcademia", u"versoes/academia/"},
    {u"brackenvaleRastreamento", u"versoes/rastreamento/"},
    {u"brackenvaleGastronomia", u"versoes/gastronomico/"},
    {u"Dallimere", u"versoes/dallimere/"},
    {u"Farrowquin", u"versoes/farrowquin/"},
    {u"brackenvaleOficina", u"versoes/oficina/"},
    {u"brackenvaleAssistencia", u"versoes/assistencia/"},
    {u"brackenvaleConsorcios", u"versoes/consorcio/"},
    {u"Vennicrow", u"versoes/vennicrow/"},
    {u"Ostlebray", u"versoes/ostlebray/"},
    {u"Harnwickel", u"versoes/harnwickel/"},
};

// The extra packages, in the order they are fetched: key, selecting value, file.
struct TPacote {
  const char16_t* Chave;
  int Valor;
  const char16_t* Arquivo;
};
constexpr TPacote kPacotes[] = {
    {u"SUPORTEVNC", 1, u"SuporteVNC.zip"},
    {u"DUMP", 1, u"dump.zip"},
    {u"DLL", 1, u"dll.zip"},
    {u"SCHEMAS", 1, u"Schemas.zip"},
    {u"ARQINI", 1, u"ArqINI.zip"},
    {u"SCHEMASERVICO", 1, u"SchemasServico.zip"},
    {u"CARREGANDO", 1, u"Carregando.gif"},
    {u"TOQUES", 1, u"toques.zip"},
    {u"REPORT", 1, u"Report.zip"},
    {u"BACKUP", 1, u"BAckupFTP.zip"},
    {u"CHROMIUM", 1, u"chromium.zip"},
    {u"CHROMIUM", 2, u"chromium2.zip"},
    {u"TASSENBURY", 1, u"Tassenbury.zip"},
};

// Unpacking order and status texts.
struct TDescompactacao {
  const char16_t* Texto;
  const char16_t* Arquivo;
};
constexpr TDescompactacao kDescompactacoes[] = {
    {u"Descompactando SuporteVNC.zip ", u"SuporteVNC.zip"},
    {u"Descompactando dump.zip ", u"dump.zip"},
    {u"Descompactando dll.zip ", u"dll.zip"},
    {u"Descompactando Schemas.zip ", u"Schemas.zip"},
    {u"Descompactando toques.zip ", u"toques.zip"},
    {u"Descompactando SchemasServico.zip ", u"SchemasServico.zip"},
    {u"Descompactando Report.zip ", u"Report.zip"},
    {u"Descompactando BAckupFTP.zip ", u"BAckupFTP.zip"},
    {u"Descompactando chromium.zip ", u"chromium.zip"},
    {u"Descompactando chromium2.zip ", u"chromium2.zip"},
    {u"Descompactando Tassenbury.zip ", u"Tassenbury.zip"},
};

struct TModuloFinalizado {
  const char16_t* Texto;
  const char* Comando;
};
constexpr TModuloFinalizado kFinalizacoes[] = {
    {u"Finalizando módulo [Torvelix]...", "cmd /c taskkill -f -im Torvelix.exe"},
    {u"Finalizando módulo [Dallimere]...", "cmd /c taskkill -f -im Dallimere.exe"},
    {u"Finalizando módulo [Harnwickel]...", "cmd /c taskkill -f -im Harnwickel.exe"},
    {u"Finalizando módulo [Quillomarsh]...", "cmd /c taskkill -f -im Quillomarsh.exe"},
};

// A value of the request body as a JSON string. Ordinary tax numbers and module names come
// out unchanged; quotes, backslashes and control characters are escaped so that the
// settings file cannot change the structure of the request.
String JsonText(const String& s) {
  String out;
  AppendJSONString(out, s);
  return out;
}

String CurrentDir() {
  return ExcludeTrailingPathDelimiter(GetCurrentDir());
}

bool IsFolder(const TSearchRec& sr) {
  return (sr.Attr & faDirectory) != 0 && (sr.Attr & faSymLink) == 0;
}

}  // namespace

TForm_Principal::TForm_Principal(TComponent* AOwner) : TForm(AOwner) {}

void TForm_Principal::RegisterProperties(TPropertyRegistrar& r) {
  r.Field("mlog", &TForm_Principal::mlog);
  r.Field("imgFundo", &TForm_Principal::imgFundo);
  r.Field("lblStatus", &TForm_Principal::lblStatus);
  r.Field("pbProgresso", &TForm_Principal::pbProgresso);
  r.Field("Label1", &TForm_Principal::Label1);
  r.Field("imgLogo", &TForm_Principal::imgLogo);
  r.Field("IdHTTP", &TForm_Principal::IdHTTP);
  r.Field("IdAntiFreeze", &TForm_Principal::IdAntiFreeze);
  r.Field("Timer_Inicializa", &TForm_Principal::Timer_Inicializa);
  r.Field("RESTClient1", &TForm_Principal::RESTClient1);
  r.Field("RESTResponse1", &TForm_Principal::RESTResponse1);
  r.Field("RESTRequest1", &TForm_Principal::RESTRequest1);
  r.Method("FormCreate", &TForm_Principal::FormCreate);
  r.Method("FormShow", &TForm_Principal::FormShow);
  r.Method("Timer_InicializaTimer", &TForm_Principal::Timer_InicializaTimer);
  r.Method("IdHTTPWork", &TForm_Principal::IdHTTPWork);
  r.Method("IdHTTPWorkBegin", &TForm_Principal::IdHTTPWorkBegin);
  r.Method("IdHTTPWorkEnd", &TForm_Principal::IdHTTPWorkEnd);
}

// ---- Start-up -------------------------------------------------------------------------------

void TForm_Principal::FormCreate(TObject* Sender) {
  {
    TIniFile ini(ExtractFilePath(Application->ExeName()) + u"ERP.INI");
    _CNPJ = ini.ReadString(u"ATUALIZADOR", u"CNPJ", u"");
    _NomeEXE = ini.ReadString(u"ATUALIZADOR", u"NomeEXE", u"");
    _VersaoAtual = ini.ReadString(u"ATUALIZADOR", u"VersaoEXE", u"");
  }
  if (_CNPJ.empty() || _NomeEXE.empty()) {
    sair();
    return;
  }
  if (EnderecoNaRedeLocal(GetLocalIP(), Deployment().LanPrefix))
    _URL = Deployment().LanBaseURL;
  else
    _URL = Deployment().PublicBaseURL;

  const String cwd = CurrentDir();
  _ORIGEM = cwd + u"/temp/";
  DeleteFile(cwd + u"/" + _NomeEXE + u".old");
  if (!DirectoryExists(cwd + u"/versoes")) CreateDir(cwd + u"/versoes");
  if (!DirectoryExists(cwd + u"/temp")) CreateDir(cwd + u"/temp");
}

bool TForm_Principal::EnderecoNaRedeLocal(const String& ip, const String& prefixo) {
  return !prefixo.empty() && StartsStr(prefixo, ip);
}

String TForm_Principal::GetLocalIP() {
  WSADATA data;
  String result;
  WSAStartup(0x0101, &data);  // version 1.1
  char name[64] = {};
  if (gethostname(name, sizeof(name)) == 0) {
    if (HOSTENT* host = gethostbyname(name)) {
      for (char** p = host->h_addr_list; p && *p; ++p) {
        IN_ADDR addr;
        std::memcpy(&addr, *p, sizeof(addr));
        result = Utf8ToString(inet_ntoa(addr));
      }
    }
  }
  WSACleanup();
  return result;
}

void TForm_Principal::FormShow(TObject* Sender) {
  Timer_Inicializa->SetEnabled(true);
}

void TForm_Principal::Timer_InicializaTimer(TObject* Sender) {
  Timer_Inicializa->SetEnabled(false);
  for (const auto& f : kFinalizacoes) {
    atualizaLabel(f.Texto, 3000);
    WinExec(f.Comando, SW_SHOW);
  }
  try {
    if (temInternet()) quarrendelvish(_CNPJ, _NomeEXE);
  } catch (...) {
    // Whatever escapes the update ends it quietly; the window stays open.
  }
}

void TForm_Principal::atualizaLabel(const String& texto, int tempo) {
  Sleep(static_cast<DWORD>(tempo));
  lblStatus->SetCaption(texto);
  pbProgresso->SetPosition(pbProgresso->Position() + 1);
  Application->ProcessMessages();
}

bool TForm_Principal::temInternet() {
  try {
    IdHTTP->SetReadTimeout(5000);
    IdHTTP->Get(Deployment().ProbeURL);
    IdHTTP->ProxyParams()->SetBasicAuthentication(true);
    IdHTTP->Request()->SetBasicAuthentication(true);
    return true;
  } catch (...) {
    return false;
  }
}

void TForm_Principal::sair() {
  Application->Terminate();
}

// ---- Version query and update sequence ------------------------------------------------------

void TForm_Principal::quarrendelvish(const String& CNPJ, const String& NomeEXE) {
  mlog->Lines()->Add(u"CNPJ: " + CNPJ);
  mlog->Lines()->Add(u"NomeEXE: " + NomeEXE);
  mlog->Lines()->Add(u"Origem: " + _ORIGEM);

  String versao;
  try {
    String modulo = NomeEXE;
    bool temResposta = false;
    for (const char16_t* m : kModulosMigrados) {
      if (NomeEXE != m) continue;
      String resposta = consultaVersao(CNPJ, u"Torvelix");
      if (!ContainsStr(resposta, kRecusaTorvelix) && !ContainsStr(resposta, kRecusaNaoLiberado)) {
        modulo = u"Torvelix";
        _NomeEXE = u"Torvelix";
        versao = resposta;
        temResposta = !resposta.empty();
      }
      break;
    }
    if (!temResposta) versao = consultaVersao(CNPJ, modulo);
  } catch (const Exception& E) {
    ShowMessage(u"Não foi possível verificar se há nova versão para atualizar o sistema. " + String(u"\r\r") +
                E.Message());
    sair();
    versao.clear();
  }

  if (SoNumero(versao).empty()) {
    sair();
    return;
  }
  if (versao == _VersaoAtual) {
    sair();
    return;
  }

  const String cwd = CurrentDir();
  RecursiveDelete(_ORIGEM, u"");
  if (!DirectoryExists(cwd + u"/temp")) CreateDir(cwd + u"/temp");

  if (!Download(versao, _ORIGEM)) {
    ShowMessage(
        String(u"Ocorreu uma falha de conexão com o servidor e não foi possível atualizar sua versão.") +
        u"\r" +
        u"Verifique se o módulo e a versão estão informados no arquivo INI, entre em contato com o "
        u"suporte ou feche o sistema e tente novamente." +
        u"\r" + u"Se você quiser poderá utilizar o sistema normalmente.");
    sair();
    return;
  }

  Descompactar(versao);
  RecursiveDelete(_ORIGEM, u"zip");
  CopiarRecursivo(_ORIGEM, cwd + u"/");
  atualizaLabel(u"Apagando arquivos temporários...", 3000);
  RecursiveDelete(_ORIGEM, u"");
  atualizaLabel(u"Finalizando...", 3000);

  const String exe = cwd + u"/" + _NomeEXE + u".exe";
  ShellExecuteW(nullptr, nullptr, exe.c_str(), u"", nullptr, SW_SHOWNORMAL);
  sair();
}

String TForm_Principal::MontaCorpoConsulta(const String& cnpj, const String& modulo) {
  return u"{\"header\":{   \"apikey\":" + JsonText(Deployment().ApiKey) + u"},\"dados\":{   \"cnpj\":" +
         JsonText(cnpj) + u",    \"modulo\":" + JsonText(modulo) + u" }}";
}

String TForm_Principal::consultaVersao(const String& cnpj, const String& modulo) {
  String result;
  try {
    const String corpo = MontaCorpoConsulta(cnpj, modulo);
    const String host = zorvik == u"S" ? Deployment().VersionHostS : Deployment().VersionHost;
    RESTClient1->SetBaseURL(u"https://" + host + u"/v1/consultaVersao.php");
    RESTRequest1->ClearBody();
    RESTRequest1->AddBody(corpo, ContentTypeFromString(u"application/Json"));
    RESTRequest1->Execute();
    const String resposta = RESTResponse1->JSONText();

    const int status = StrToIntDef(getValor(u"status", resposta), 0);
    if (status == 0) {
      result = getValor(u"msg", resposta);
    } else if (status == 1) {
      const String dados = getValor1(u"dados", u"", resposta, true);
      result = getValor(u"versao", dados);
    } else {
      result = u"Problemas na busca de nova versão!";
    }
  } catch (const Exception& E) {
    throw Exception(u"Error ao realizar consulta: " + E.Message());
  }
  return result;
}

String TForm_Principal::getValor(const String& campo, const String& json) {
  std::unique_ptr<TJSONValue> valor = TJSONObject::ParseJSONValue(json);
  auto* objeto = dynamic_cast<TJSONObject*>(valor.get());
  if (!objeto) throw EConvertError(u"Invalid JSON object: " + json);
  const TJSONValue* membro = objeto->GetValue(campo);
  return membro ? membro->Value() : String();
}

String TForm_Principal::getValor1(const String& campo, const String& proximoCampo, const String& json,
                                  bool ultimatag) {
  const int64_t p = Pos(campo, json);
  const int64_t n = static_cast<int64_t>(campo.size());
  const int64_t inicio = p + n + 2;
  if (ultimatag) return Copy(json, inicio, static_cast<int64_t>(json.size()) - p - n - 2);
  // Up to the comma and quote that open the next member.
  const int64_t proximo = Pos(u"\"" + proximoCampo + u"\"", json);
  return Copy(json, inicio, proximo - 1 - inicio);
}

String TForm_Principal::SoNumero(const String& txt) {
  String out;
  for (Char c : txt)
    if (c >= u'0' && c <= u'9') out += c;
  return out;
}

// ---- Downloads ------------------------------------------------------------------------------

String TForm_Principal::PastaDoModulo(const String& NomeEXE) {
  for (const auto& p : kPastas)
    if (NomeEXE == p.Modulo) return p.Pasta;
  return {};
}

bool TForm_Principal::VersaoUsavelComoArquivo(const String& versao) {
  if (versao.empty() || ContainsStr(versao, u"..")) return false;
  for (Char c : versao)
    if (c == u'/' || c == u'\\' || c < 0x20 || c == 0x7F) return false;
  return true;
}

bool TForm_Principal::Download(const String& versao, const String& destino) {
  Application->ProcessMessages();
  bool ok = false;
  try {
    const String pasta = PastaDoModulo(_NomeEXE);
    // A version that would name a file outside the work folder is not fetched.
    if (!pasta.empty() && VersaoUsavelComoArquivo(versao)) ok = baixar(destino, pasta, versao + u".zip");
    if (ok) ok = baixar(destino, u"arquivos/", u"download.ini");
    if (ok) {
      TIniFile lista(destino + u"download.ini");
      for (const auto& pacote : kPacotes) {
        if (lista.ReadInteger(u"DOWNLOAD", pacote.Chave, 1) != pacote.Valor) continue;
        if (ok) ok = baixar(destino, u"arquivos/", pacote.Arquivo);
      }
    }
  } catch (...) {
    IdHTTP->Disconnect();
    throw;
  }
  IdHTTP->Disconnect();
  return ok;
}

bool TForm_Principal::baixar(const String& destino, const String& pasta, const String& arquivo) {
  mlog->Lines()->Add(u"Arquivo: " + arquivo);
  mlog->Lines()->Add(u"Pasta: " + pasta);
  mlog->Lines()->Add(u"URL: " + _URL + pasta + arquivo);
  _Arquivo = arquivo;
  mlog->Lines()->Add(u"fileDownload: " + destino + arquivo);

  TFileStream arquivoLocal(destino + arquivo, fmCreate);
  try {
    pbProgresso->SetVisible(true);
    lblStatus->SetVisible(true);
    IdHTTP->Get(_URL + pasta + arquivo, &arquivoLocal);
    return true;
  } catch (const Exception& E) {
    ShowMessage(E.Message());
    return false;
  }
}

void TForm_Principal::IdHTTPWorkBegin(TObject* ASender, TWorkMode AWorkMode, int64_t AWorkCountMax) {
  pbProgresso->Properties()->SetMax(static_cast<double>(AWorkCountMax));
}

void TForm_Principal::IdHTTPWork(TObject* ASender, TWorkMode AWorkMode, int64_t AWorkCount) {
  pbProgresso->SetPosition(static_cast<double>(AWorkCount));
  lblStatus->SetCaption(
      u"Baixando " + _Arquivo + u" - " +
      RetornaPorcentagem(pbProgresso->Properties()->Max(), static_cast<double>(AWorkCount)) + u" (" +
      RetornaKiloBytes(static_cast<double>(AWorkCount)) + u")");
}

void TForm_Principal::IdHTTPWorkEnd(TObject* ASender, TWorkMode AWorkMode) {
  pbProgresso->SetPosition(0);
  lblStatus->SetCaption(u"Download Finalizado...");
}

String TForm_Principal::RetornaPorcentagem(double ValorMaximo, double ValorAtual) {
  if (ValorMaximo > 0) return FormatFloat(u"0%", ValorAtual * 100 / ValorMaximo);
  return {};
}

String TForm_Principal::RetornaKiloBytes(double ValorAtual) {
  return FormatFloat(u"0.0 MB", ValorAtual / 1024 / 1024);
}

// ---- Unpacking, copying, clean-up ------------------------------------------------------------

void TForm_Principal::Descompactar(const String& versao) {
  pbProgresso->Properties()->SetMax(12);
  pbProgresso->SetPosition(0);
  Application->ProcessMessages();
  atualizaLabel(u"Descompactando " + versao + u".zip", 2000);
  UnZip(_ORIGEM + versao + u".zip", _ORIGEM);
  for (const auto& d : kDescompactacoes) {
    atualizaLabel(d.Texto, 2000);
    UnZip(_ORIGEM + d.Arquivo, _ORIGEM);
  }
}

bool TForm_Principal::UnZip(const String& ZipFile, const String& Destino) {
  if (FileExists(ZipFile)) {
    TZipFile zip;
    zip.Open(ZipFile, zmRead);
    zip.ExtractAll(Destino);
    zip.Close();
  }
  return true;
}

bool TForm_Principal::RecursiveDelete(String FullPath, const String& filtro) {
  FullPath = IncludeTrailingPathDelimiter(FullPath);
  if (!DirectoryExists(FullPath)) return false;
  TSearchRec sr;
  const String mascara = filtro.empty() ? String(u"*.*") : u"*." + filtro;
  if (FindFirst(FullPath + mascara, faAnyFile, sr) == 0) {
    do {
      if (sr.Name == u"." || sr.Name == u"..") continue;
      if (IsFolder(sr) && filtro.empty()) {
        RecursiveDelete(FullPath + sr.Name, u"");
      } else {
        const String caminho = FullPath + sr.Name;
        SetFileAttributesW(caminho.c_str(), 0);
        DeleteFile(caminho);
      }
    } while (FindNext(sr) == 0);
    FindClose(sr);
  }
  return RemoveDir(FullPath);
}

void TForm_Principal::CopiarRecursivo(String Origem, const String& Destino) {
  _NaoAtualizados.clear();
  try {
    Origem = IncludeTrailingPathDelimiter(Origem);
    if (DirectoryExists(Origem)) {
      TSearchRec sr;
      if (FindFirst(Origem + u"*.*", faAnyFile, sr) == 0) {
        do {
          if (sr.Name == u"." || sr.Name == u"..") continue;
          if (IsFolder(sr)) {
            CopiaDiretorio(Origem + sr.Name, Destino + sr.Name);
          } else if ((sr.Attr & faSymLink) == 0) {
            CopiaArquivo(Origem + sr.Name, Destino + sr.Name, _NaoAtualizados);
          }
        } while (FindNext(sr) == 0);
        FindClose(sr);
      }
    }
  } catch (const Exception& E) {
    ShowMessage(u"Erro ao tentar copiar arquivos da pasta TEMP para pasta BRACKENVALE." + String(u"\r") +
                u"Erro:" + E.Message());
  }
  // A file left behind is reported, never taken for an updated one.
  if (!_NaoAtualizados.empty()) {
    for (const auto& f : _NaoAtualizados)
      mlog->Lines()->Add(u"Não atualizado: " + f.Caminho + u" (" + f.Motivo + u")");
    ShowMessage(MensagemNaoAtualizados(_NaoAtualizados));
  }
}

// Runs to the end before the update goes on, so the work folder is never deleted while a
// copy still reads from it.
void TForm_Principal::CopiaDiretorio(const String& Origem, const String& Destino) {
  CopiaArvore(Origem, Destino, _NaoAtualizados);
}

void CopiaArquivo(const String& Origem, const String& Destino, TArquivosNaoAtualizados& naoAtualizados) {
  if (!CopyFileW(Origem.c_str(), Destino.c_str(), FALSE))
    naoAtualizados.push_back({Destino, SysErrorMessage(GetLastError())});
}

void CopiaArvore(const String& Origem, const String& Destino, TArquivosNaoAtualizados& naoAtualizados) {
  const String origem = IncludeTrailingPathDelimiter(Origem);
  const String destino = IncludeTrailingPathDelimiter(Destino);
  // Where a file stands in the folder's place, each file below fails on its own and is
  // reported.
  ForceDirectories(ExcludeTrailingPathDelimiter(destino));
  TSearchRec sr;
  if (FindFirst(origem + u"*.*", faAnyFile, sr) != 0) return;
  do {
    if (sr.Name == u"." || sr.Name == u"..") continue;
    if (IsFolder(sr)) {
      CopiaArvore(origem + sr.Name, destino + sr.Name, naoAtualizados);
    } else if ((sr.Attr & faSymLink) == 0) {
      CopiaArquivo(origem + sr.Name, destino + sr.Name, naoAtualizados);
    }
  } while (FindNext(sr) == 0);
  FindClose(sr);
}

String MensagemNaoAtualizados(const TArquivosNaoAtualizados& naoAtualizados) {
  constexpr size_t kMaximo = 20;
  String texto = u"Alguns arquivos não puderam ser atualizados:";
  for (size_t i = 0; i < naoAtualizados.size() && i < kMaximo; ++i)
    texto += u"\r" + naoAtualizados[i].Caminho;
  if (naoAtualizados.size() > kMaximo)
    texto += u"\re mais " + IntToStr(static_cast<int64_t>(naoAtualizados.size() - kMaximo)) + u".";
  return texto;
}

}  // namespace qd
