#pragma once
// The HTTP transfer engine under TIdHTTP and the REST client: one request over libcurl's
// multi interface, driven on the calling thread. While it waits on the network it can let
// the anti-freeze hook handle messages; its read time-out is measured in milliseconds from
// the last byte received; errors come back classified, not as exceptions, so that each
// client can word them its own way.
#include <cstdint>
#include <exception>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace qd::net {

// ---- anti-freeze -------------------------------------------------------------------------

using TProcessMessagesProc = void (*)();

// The function that handles pending messages; the program's start-up list installs the
// application's ProcessMessages. It is called only on the thread that installed it.
void SetAntiFreezeProcessMessages(TProcessMessagesProc proc);
TProcessMessagesProc AntiFreezeProcessMessages();

// How a waiting transfer lets messages through (the TIdAntiFreeze component's settings).
struct TAntiFreezeSettings {
  bool Active = true;
  int IdleTimeOut = 250;     // ms: the length of one wait slice
  bool OnlyWhenIdle = true;  // pump only after a slice in which no data arrived
};
// The anti-freeze in force, or nullptr (transfers then block without pumping). The caller
// keeps the settings alive while installed.
void SetActiveAntiFreeze(const TAntiFreezeSettings* settings);
const TAntiFreezeSettings* ActiveAntiFreeze();

// ---- TLS ---------------------------------------------------------------------------------

// The CA bundle used when a client names none; "" means the system's store.
void SetDefaultCAFile(const std::string& path);
std::string DefaultCAFile();

// ---- one transfer --------------------------------------------------------------------------

struct THttpResponseInfo {
  int StatusCode = 0;
  std::string StatusLine;    // as received, without the line break ("HTTP/1.1 404 Not Found")
  std::string ReasonPhrase;  // "Not Found"
  std::vector<std::pair<std::string, std::string>> Headers;
  int64_t ContentLength = -1;  // -1 when not announced
  std::string EffectiveUrl;

  // The first header of that name (case-insensitive), or "".
  std::string Header(std::string_view name) const;
  std::string ContentType() const { return Header("Content-Type"); }
  // The charset parameter of Content-Type, lower-case, or "".
  std::string CharSet() const;
};

struct THttpRequestSpec {
  std::string Method = "GET";
  std::string Url;
  std::vector<std::string> Headers;  // "Name: value"; "Name:" suppresses a default header
  bool HasBody = false;
  std::string Body;
  bool FollowRedirects = true;
  int MaxRedirects = 15;
  int ConnectTimeoutMs = 0;    // 0: the library's default
  int ReadTimeoutMs = 0;       // 0: wait for ever
  std::string UserAgent;       // "": no User-Agent header
  std::string User, Password;  // basic authentication when User is not empty
  std::string Proxy;           // "host:port"; "": no proxy, whatever the environment says
  std::string ProxyUser, ProxyPassword;
  std::string CAFile;         // "": DefaultCAFile()
  bool UseCookies = false;    // the transfer object's in-memory cookie store
  bool PumpMessages = false;  // let the anti-freeze handle messages while waiting
};

// Receives the final response's body (not the bodies of redirects that were followed).
class THttpSink {
 public:
  virtual ~THttpSink() = default;
  // Before the first byte; expected is the announced length or -1.
  virtual void BodyBegin(const THttpResponseInfo& response, int64_t expected) = 0;
  virtual void BodyData(const char* data, size_t size) = 0;
};

enum class TTransferError {
  None,
  HostNotFound,
  ConnectFailed,  // OsError tells why (ECONNREFUSED, ENETUNREACH, ...)
  ConnectTimeout,
  ReadTimeout,
  ConnectionLost,    // OsError tells why (ECONNRESET, ...), or 0
  ConnectionClosed,  // the peer closed before the response was complete
  TooManyRedirects,
  CertificateVerify,  // the server's certificate was not accepted
  TlsFailed,          // the TLS handshake failed otherwise
  Other,
};

struct TTransferResult {
  TTransferError Error = TTransferError::None;
  int OsError = 0;             // errno where it applies
  std::string Detail;          // the library's own description
  THttpResponseInfo Response;  // the last response seen (also for a failure after headers)
  bool BodyStarted = false;    // BodyBegin was called
};

class THttpTransfer {
 public:
  THttpTransfer();
  ~THttpTransfer();
  THttpTransfer(const THttpTransfer&) = delete;
  THttpTransfer& operator=(const THttpTransfer&) = delete;

  // Runs one request to its end on the calling thread. Exceptions raised by the sink or by
  // the message hook propagate after the transfer has been cleaned up. A transfer that libcurl
  // cannot set up as asked (TLS version, verification, allowed protocols, ...) or drive to its end
  // fails with TTransferError::Other and is never carried out with weaker settings.
  TTransferResult Perform(const THttpRequestSpec& spec, THttpSink& sink);
  // True while Perform runs (a message handler may try to start another transfer).
  bool Busy() const;
  // Closes kept-alive connections (cookies are kept).
  void Disconnect();
  void ClearCookies();

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

// ---- for tests ----------------------------------------------------------------------------

// A libcurl step that the transfers from now on meet as failed, as if the library had refused
// it (option: the CURLOPT_ value for SetOption). TCurlStep::None ends it.
enum class TCurlStep { None, EasyInit, SetOption, MultiPerform, MultiPoll };
void SetFailingCurlStepForTesting(TCurlStep step, int option = 0);

// Percent-encodes the bytes that may not appear in a URL as given (blanks, controls,
// non-ASCII, and "<>\"\\^`{|}"), leaving everything else, '%' included, as it is.
std::string EncodeUnsafeUrlChars(std::string_view url);

}  // namespace qd::net
