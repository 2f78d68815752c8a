#pragma once
// The updater's window and the whole update: settings, file-server choice, ending the
// running modules, the connectivity probe, the version query with the product-line
// migration, downloads with progress, unpacking, copying, clean-up and restart.
#include <cstdint>
#include <vector>

#include "platform/base/types.h"
#include "platform/forms/comctrls.h"
#include "platform/forms/extctrls.h"
#include "platform/forms/forms.h"
#include "platform/forms/stdctrls.h"
#include "platform/net/idantifreeze.h"
#include "platform/net/idhttp.h"
#include "platform/net/rest.h"
#include "ui/editors/concrete/cxImage.h"
#include "ui/editors/concrete/cxLabel.h"
#include "ui/editors/concrete/cxMemo.h"
#include "ui/editors/concrete/cxProgressBar.h"

namespace qd {

// A file of the update that the copy could not put in place, and why.
struct TArquivoNaoAtualizado {
  String Caminho;  // where the file should have gone
  String Motivo;   // the system's reason
};
using TArquivosNaoAtualizados = std::vector<TArquivoNaoAtualizado>;

// Copies one file over its target. The data is written beside the target and renamed into
// place, so the target is always either the old file or the new one. A read-only target
// is not overwritten. A file that could not be put in place is added to naoAtualizados.
void CopiaArquivo(const String& Origem, const String& Destino, TArquivosNaoAtualizados& naoAtualizados);
// Copies a folder tree over the target: every file, subfolders included, overwriting;
// every file that could not be put in place is added to naoAtualizados.
void CopiaArvore(const String& Origem, const String& Destino, TArquivosNaoAtualizados& naoAtualizados);
// The message that lists the files the copy could not put in place: one path a line, at
// most 20, then how many more.
String MensagemNaoAtualizados(const TArquivosNaoAtualizados& naoAtualizados);

class TForm_Principal : public TForm {
  QD_CLASS(TForm_Principal, TForm)
  QD_PUBLISHED(TForm_Principal)

 public:
  explicit TForm_Principal(TComponent* AOwner);

  // Components of the stored form, in creation order.
  TcxMemo* mlog = nullptr;
  TcxImage* imgFundo = nullptr;
  TcxLabel* lblStatus = nullptr;
  TcxProgressBar* pbProgresso = nullptr;
  TcxLabel* Label1 = nullptr;
  TcxImage* imgLogo = nullptr;
  TIdHTTP* IdHTTP = nullptr;
  TIdAntiFreeze* IdAntiFreeze = nullptr;
  TTimer* Timer_Inicializa = nullptr;
  TRESTClient* RESTClient1 = nullptr;
  TRESTResponse* RESTResponse1 = nullptr;
  TRESTRequest* RESTRequest1 = nullptr;

  // "S" or "N": which version-service host is asked.
  String zorvik;

  void FormCreate(TObject* Sender);
  void FormShow(TObject* Sender);
  void Timer_InicializaTimer(TObject* Sender);
  void IdHTTPWork(TObject* ASender, TWorkMode AWorkMode, int64_t AWorkCount);
  void IdHTTPWorkBegin(TObject* ASender, TWorkMode AWorkMode, int64_t AWorkCountMax);
  void IdHTTPWorkEnd(TObject* ASender, TWorkMode AWorkMode);

  void atualizaLabel(const String& texto, int tempo);
  String GetLocalIP();
  bool temInternet();
  void sair();

  void quarrendelvish(const String& CNPJ, const String& NomeEXE);
  String consultaVersao(const String& cnpj, const String& modulo);
  bool Download(const String& versao, const String& destino);
  void Descompactar(const String& versao);
  bool UnZip(const String& ZipFile, const String& Destino);
  bool RecursiveDelete(String FullPath, const String& filtro);
  void CopiarRecursivo(String Origem, const String& Destino);
  void CopiaDiretorio(const String& Origem, const String& Destino);

  // The small text helpers of the update.
  static String getValor(const String& campo, const String& json);
  static String getValor1(const String& campo, const String& proximoCampo, const String& json,
                          bool ultimatag);
  static String SoNumero(const String& txt);
  static String RetornaPorcentagem(double ValorMaximo, double ValorAtual);
  static String RetornaKiloBytes(double ValorAtual);
  // The request body of the version query.
  static String MontaCorpoConsulta(const String& cnpj, const String& modulo);
  // The server folder of a module ("" when the module has none).
  static String PastaDoModulo(const String& NomeEXE);
  // True when a version text can safely name a file in the work folder.
  static bool VersaoUsavelComoArquivo(const String& versao);
  // True when the local address selects the LAN file server.
  static bool EnderecoNaRedeLocal(const String& ip, const String& prefixo);

  // Read-only views for tests and the demo.
  const String& URL() const { return _URL; }
  const String& CNPJ() const { return _CNPJ; }
  const String& NomeEXE() const { return _NomeEXE; }
  const String& VersaoAtual() const { return _VersaoAtual; }
  const String& Origem() const { return _ORIGEM; }

 private:
  bool baixar(const String& destino, const String& pasta, const String& arquivo);

  String _URL;
  String _CNPJ;
  String _NomeEXE;
  String _VersaoAtual;
  String _ORIGEM;
  String _Arquivo;
  // The files the running copy could not put in place.
  TArquivosNaoAtualizados _NaoAtualizados;
};

extern TForm_Principal* Form_Principal;

}  // namespace qd
