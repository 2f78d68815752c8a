#pragma once
// The REST client: TRESTClient (where to and how), TRESTRequest (what: method, resource,
// parameters, body; Execute) and TRESTResponse (the answer). Execute is synchronous: it
// blocks the calling thread and handles no messages meanwhile.
//
// HTTPS is always TLS 1.2 or newer with the server's certificate verified, against the
// client's CAFile, else the process default (net::SetDefaultCAFile), else the system store.
// Accept, Accept-Charset and the body go out exactly as given; no User-Agent is sent
// unless one is set.
//
// Failures raise ERESTException: "Error sending data: connection refused", "...: host not
// found", "...: certificate verify failed (<detail>)", "Error receiving data: read timed
// out", and so on. An answer with a status of 500 or more raises "<code> <reason>" while
// RaiseExceptionOn500 is on (the default), after the response has been filled; other
// statuses are returned as they are, for the caller to judge.
#include <memory>
#include <vector>

#include "platform/base/exceptions.h"
#include "platform/base/set.h"
#include "platform/classes/classes.h"

namespace qd {

class TJSONValue;
namespace net {
class THttpTransfer;
struct TTransferResult;
// Raises the ERESTException for a transfer that failed before an answer arrived.
[[noreturn]] void RaiseRESTTransferError(const TTransferResult& result);
}  // namespace net

QD_DECLARE_EXCEPTION(ERESTException, Exception)

enum TRESTRequestMethod { rmPOST, rmPUT, rmGET, rmDELETE, rmPATCH };

enum THTTPSecureProtocol { SSL2, SSL3, TLS1, TLS11, TLS12, TLS13 };
using THTTPSecureProtocols = TSet<THTTPSecureProtocol>;

enum TRESTContentType {
  ctNone,
  ctAPPLICATION_JSON,
  ctAPPLICATION_XML,
  ctAPPLICATION_X_WWW_FORM_URLENCODED,
  ctAPPLICATION_OCTET_STREAM,
  ctAPPLICATION_JAVASCRIPT,
  ctMULTIPART_FORM_DATA,
  ctTEXT_PLAIN,
  ctTEXT_HTML,
  ctTEXT_XML,
  ctTEXT_CSV,
};
// "application/json" for ctAPPLICATION_JSON; "" for ctNone.
String ContentTypeToString(TRESTContentType AContentType);
// Case-insensitive ("application/Json" gives ctAPPLICATION_JSON); ctNone when unknown.
TRESTContentType ContentTypeFromString(StringView AContentType);

enum TRESTRequestParameterKind {
  pkCOOKIE,
  pkGETorPOST,
  pkURLSEGMENT,
  pkHTTPHEADER,
  pkREQUESTBODY,
  pkFILE,
  pkQUERY
};

struct TRESTRequestParameter {
  String Name;
  String Value;
  TRESTRequestParameterKind Kind = pkGETorPOST;
  TRESTContentType ContentType = ctNone;
};

class TRESTRequestParameterList {
 public:
  TRESTRequestParameter& AddItem(const String& AName, const String& AValue,
                                 TRESTRequestParameterKind AKind = pkGETorPOST,
                                 TRESTContentType AContentType = ctNone);
  int Count() const { return static_cast<int>(items_.size()); }
  TRESTRequestParameter& Items(int Index) { return items_.at(static_cast<size_t>(Index)); }
  void Delete(int Index) { items_.erase(items_.begin() + Index); }
  void Clear() { items_.clear(); }

 private:
  std::vector<TRESTRequestParameter> items_;
};

class TRESTClient : public TComponent {
  QD_CLASS(TRESTClient, TComponent)

 public:
  explicit TRESTClient(TComponent* AOwner = nullptr);
  ~TRESTClient() override;

  const String& BaseURL() const { return baseURL_; }
  void SetBaseURL(const String& v) { baseURL_ = v; }
  const String& Accept() const { return accept_; }
  void SetAccept(const String& v) { accept_ = v; }
  const String& AcceptCharset() const { return acceptCharset_; }
  void SetAcceptCharset(const String& v) { acceptCharset_ = v; }
  // Content type of a body added without one.
  const String& ContentType() const { return contentType_; }
  void SetContentType(const String& v) { contentType_ = v; }
  const String& UserAgent() const { return userAgent_; }
  void SetUserAgent(const String& v) { userAgent_ = v; }
  // Kept for stored forms; TLS 1.2 or newer is used whatever it holds.
  THTTPSecureProtocols SecureProtocols() const { return secureProtocols_; }
  void SetSecureProtocols(THTTPSecureProtocols v) { secureProtocols_ = v; }
  int ConnectTimeout() const { return connectTimeout_; }  // ms
  void SetConnectTimeout(int v) { connectTimeout_ = v; }
  int ReadTimeout() const { return readTimeout_; }  // ms without data before failing
  void SetReadTimeout(int v) { readTimeout_ = v; }
  bool HandleRedirects() const { return handleRedirects_; }
  void SetHandleRedirects(bool v) { handleRedirects_ = v; }
  bool RaiseExceptionOn500() const { return raiseExceptionOn500_; }
  void SetRaiseExceptionOn500(bool v) { raiseExceptionOn500_ = v; }
  // CA bundle for verifying servers; "" uses the process default.
  const String& CAFile() const { return caFile_; }
  void SetCAFile(const String& v) { caFile_ = v; }
  void Disconnect();

  net::THttpTransfer& Transfer() { return *transfer_; }

 private:
  std::unique_ptr<net::THttpTransfer> transfer_;
  String baseURL_;
  String accept_ = u"application/json, text/plain; q=0.9, text/html;q=0.8,";
  String acceptCharset_ = u"utf-8, *;q=0.8";
  String contentType_;
  String userAgent_;
  THTTPSecureProtocols secureProtocols_{TLS11, TLS12};
  int connectTimeout_ = 60000;
  int readTimeout_ = 60000;
  bool handleRedirects_ = true;
  bool raiseExceptionOn500_ = true;
  String caFile_;
};

class TRESTResponse : public TComponent {
  QD_CLASS(TRESTResponse, TComponent)

 public:
  explicit TRESTResponse(TComponent* AOwner = nullptr);
  ~TRESTResponse() override;

  // The body as text (decoded by the answer's charset, else UTF-8).
  const String& Content() const { return content_; }
  const TBytes& RawBytes() const { return rawBytes_; }
  // The body text as received (not re-serialised).
  const String& JSONText() const { return content_; }
  // The body parsed as JSON, owned by the response; nullptr when it is not JSON.
  TJSONValue* JSONValue();
  int StatusCode() const { return statusCode_; }
  // The reason phrase ("OK", "Not Found").
  const String& StatusText() const { return statusText_; }
  // The media type without parameters ("application/json").
  const String& ContentType() const { return contentType_; }
  // The charset parameter, lower-case, or "".
  const String& ContentEncoding() const { return contentEncoding_; }
  int64_t ContentLength() const { return static_cast<int64_t>(rawBytes_.size()); }
  const String& FullRequestURI() const { return fullRequestURI_; }
  // "Name=value" lines, in the order received.
  const std::vector<String>& Headers() const { return headers_; }

  void ResetToDefaults();

 private:
  friend class TRESTRequest;
  String content_;
  TBytes rawBytes_;
  std::unique_ptr<TJSONValue> json_;
  bool jsonParsed_ = false;
  int statusCode_ = 0;
  String statusText_, contentType_, contentEncoding_, fullRequestURI_;
  std::vector<String> headers_;
};

class TRESTRequest : public TComponent {
  QD_CLASS(TRESTRequest, TComponent)

 public:
  explicit TRESTRequest(TComponent* AOwner = nullptr);
  ~TRESTRequest() override;

  TRESTClient* Client() const { return client_; }
  void SetClient(TRESTClient* v);
  // Without a response component, Execute fills one of its own.
  TRESTResponse* Response() const { return response_ ? response_ : ownResponse_.get(); }
  void SetResponse(TRESTResponse* v);
  TRESTRequestMethod Method() const { return method_; }
  void SetMethod(TRESTRequestMethod v) { method_ = v; }
  // Appended to the client's BaseURL with a '/'.
  const String& Resource() const { return resource_; }
  void SetResource(const String& v) { resource_ = v; }
  // Override the client's values when not empty.
  const String& Accept() const { return accept_; }
  void SetAccept(const String& v) { accept_ = v; }
  const String& AcceptCharset() const { return acceptCharset_; }
  void SetAcceptCharset(const String& v) { acceptCharset_ = v; }
  // Kept for stored forms; this request raises no events.
  bool SynchronizedEvents() const { return synchronizedEvents_; }
  void SetSynchronizedEvents(bool v) { synchronizedEvents_ = v; }

  TRESTRequestParameterList& Params() { return params_; }
  void ClearBody();
  // The body text goes out as UTF-8; with ctNone as "text/plain; charset=UTF-8", or the
  // client's ContentType when set.
  void AddBody(const String& ABodyContent, TRESTContentType AContentType = ctNone);

  // Sends the request and waits for the answer (see the header comment for failures).
  void Execute();

  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  TRESTClient* client_ = nullptr;
  TRESTResponse* response_ = nullptr;
  std::unique_ptr<TRESTResponse> ownResponse_;
  TRESTRequestMethod method_ = rmGET;
  String resource_;
  String accept_ = u"application/json, text/plain; q=0.9, text/html;q=0.8,";
  String acceptCharset_ = u"utf-8, *;q=0.8";
  bool synchronizedEvents_ = true;
  TRESTRequestParameterList params_;
};

}  // namespace qd
