#pragma once
// TIdHTTP: the blocking HTTP client with transfer events. Get follows redirects, keeps
// cookies in memory, and raises on a connection failure, a time-out or an error status
// (see idexception.h for the wording). While it waits on the network, an active
// TIdAntiFreeze lets the calling thread handle messages (idantifreeze.h).
//
// Transfer events fire on the calling thread, for the final response's body only (not for
// the bodies of redirects): OnWorkBegin with the announced size (0 when unknown), OnWork
// with the bytes received so far, OnWorkEnd once the body ends, also after a failure.
#include <cstdint>
#include <memory>

#include "platform/base/method.h"
#include "platform/base/set.h"
#include "platform/classes/classes.h"
#include "platform/net/idexception.h"

namespace qd {

class TStream;
namespace net {
class THttpTransfer;
struct TTransferResult;
// Raises the exception that TIdHTTP raises for a transfer that failed before a complete
// response arrived (the wordings of idexception.h).
[[noreturn]] void RaiseIdTransferError(const TTransferResult& result);
}  // namespace net

enum TWorkMode { wmRead, wmWrite };

using TWorkBeginEvent = TMethod<void(TObject* ASender, TWorkMode AWorkMode, int64_t AWorkCountMax)>;
using TWorkEvent = TMethod<void(TObject* ASender, TWorkMode AWorkMode, int64_t AWorkCount)>;
using TWorkEndEvent = TMethod<void(TObject* ASender, TWorkMode AWorkMode)>;

enum TIdHTTPOption {
  hoInProcessAuth,
  hoKeepOrigProtocol,
  hoForceEncodeParams,
  hoNonSSLProxyUseConnectVerb,
  hoNoParseMetaHTTPEquiv,
  hoWaitForUnexpectedData,
  hoTreat302Like303,
  hoNoProtocolErrorException,
  hoNoReadMultipartMIME,
  hoNoParseXmlCharset,
  hoWantProtocolErrorContent,
};
using TIdHTTPOptions = TSet<TIdHTTPOption>;

class TIdHTTPRequest : public TPersistent {
  QD_CLASS(TIdHTTPRequest, TPersistent)

 public:
  const String& Accept() const { return accept_; }
  void SetAccept(const String& v) { accept_ = v; }
  const String& UserAgent() const { return userAgent_; }
  void SetUserAgent(const String& v) { userAgent_ = v; }
  // Sends Username and Password as basic authentication (when Username is not empty).
  bool BasicAuthentication() const { return basicAuthentication_; }
  void SetBasicAuthentication(bool v) { basicAuthentication_ = v; }
  const String& Username() const { return username_; }
  void SetUsername(const String& v) { username_ = v; }
  const String& Password() const { return password_; }
  void SetPassword(const String& v) { password_ = v; }

 private:
  String accept_ = u"text/html, */*";
  String userAgent_ = u"Mozilla/3.0 (compatible; Indy Library)";
  bool basicAuthentication_ = false;
  String username_, password_;
};

// The proxy to use; none unless ProxyServer is set (proxy variables of the environment are
// ignored).
class TIdProxyConnectionInfo : public TPersistent {
  QD_CLASS(TIdProxyConnectionInfo, TPersistent)

 public:
  bool BasicAuthentication() const { return basicAuthentication_; }
  void SetBasicAuthentication(bool v) { basicAuthentication_ = v; }
  const String& ProxyServer() const { return server_; }
  void SetProxyServer(const String& v) { server_ = v; }
  int ProxyPort() const { return port_; }
  void SetProxyPort(int v) { port_ = v; }
  const String& ProxyUsername() const { return username_; }
  void SetProxyUsername(const String& v) { username_ = v; }
  const String& ProxyPassword() const { return password_; }
  void SetProxyPassword(const String& v) { password_ = v; }

 private:
  bool basicAuthentication_ = false;
  String server_;
  int port_ = 0;
  String username_, password_;
};

class TIdHTTPResponse : public TPersistent {
  QD_CLASS(TIdHTTPResponse, TPersistent)

 public:
  int ResponseCode() const { return code_; }
  // The status line as received ("HTTP/1.1 200 OK").
  const String& ResponseText() const { return text_; }
  int64_t ContentLength() const { return contentLength_; }  // -1 when not announced
  const String& ContentType() const { return contentType_; }
  const String& CharSet() const { return charSet_; }
  const String& Location() const { return location_; }

 private:
  friend class TIdHTTP;
  int code_ = 0;
  String text_;
  int64_t contentLength_ = -1;
  String contentType_, charSet_, location_;
};

class TIdHTTP : public TComponent {
  QD_CLASS(TIdHTTP, TComponent)

 public:
  explicit TIdHTTP(TComponent* AOwner = nullptr);
  ~TIdHTTP() override;

  // The body as text (decoded by the response's charset, else UTF-8).
  String Get(const String& AURL);
  // Writes the body into AResponseContent (only for a successful status).
  void Get(const String& AURL, TStream* AResponseContent);
  // Closes the kept-alive connection; cookies stay.
  void Disconnect();

  TIdHTTPRequest* Request() { return &request_; }
  TIdHTTPResponse* Response() { return &response_; }
  TIdProxyConnectionInfo* ProxyParams() { return &proxyParams_; }
  int ResponseCode() const { return response_.ResponseCode(); }
  const String& ResponseText() const { return response_.ResponseText(); }

  // Milliseconds a transfer may stall before it fails with "Read timed out."; 0 or less:
  // no limit.
  int ReadTimeout() const { return readTimeout_; }
  void SetReadTimeout(int v) { readTimeout_ = v; }
  // Milliseconds to establish a connection; 0 or less: 20 seconds, about what a blocking
  // connect takes to give up on the original platform.
  int ConnectTimeout() const { return connectTimeout_; }
  void SetConnectTimeout(int v) { connectTimeout_ = v; }
  bool HandleRedirects() const { return handleRedirects_; }
  void SetHandleRedirects(bool v) { handleRedirects_ = v; }
  int RedirectMaximum() const { return redirectMaximum_; }
  void SetRedirectMaximum(int v) { redirectMaximum_ = v; }
  bool AllowCookies() const { return allowCookies_; }
  void SetAllowCookies(bool v) { allowCookies_ = v; }
  // Kept for stored forms; parameter encoding matters only for posted forms, which this
  // client does not send.
  TIdHTTPOptions HTTPOptions() const { return httpOptions_; }
  void SetHTTPOptions(TIdHTTPOptions v) { httpOptions_ = v; }

  const TWorkBeginEvent& OnWorkBegin() const { return onWorkBegin_; }
  void SetOnWorkBegin(TWorkBeginEvent e) { onWorkBegin_ = e; }
  const TWorkEvent& OnWork() const { return onWork_; }
  void SetOnWork(TWorkEvent e) { onWork_ = e; }
  const TWorkEndEvent& OnWorkEnd() const { return onWorkEnd_; }
  void SetOnWorkEnd(TWorkEndEvent e) { onWorkEnd_ = e; }

 private:
  class BodySink;
  void DoGet(const String& AURL, TStream* stream, std::string* text);

  std::unique_ptr<net::THttpTransfer> transfer_;
  TIdHTTPRequest request_;
  TIdHTTPResponse response_;
  TIdProxyConnectionInfo proxyParams_;
  int readTimeout_ = 0;
  int connectTimeout_ = 0;
  bool handleRedirects_ = true;
  int redirectMaximum_ = 15;
  bool allowCookies_ = true;
  TIdHTTPOptions httpOptions_ = TIdHTTPOptions{hoForceEncodeParams};
  TWorkBeginEvent onWorkBegin_;
  TWorkEvent onWork_;
  TWorkEndEvent onWorkEnd_;
};

}  // namespace qd
