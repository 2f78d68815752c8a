#include "platform/net/idhttp.h"

#include <cerrno>
#include <cstring>
#include <string>

#include "platform/base/strings.h"
#include "platform/classes/streams.h"
#include "platform/net/http_text.h"
#include "platform/net/http_transfer.h"

namespace qd {

QD_IMPLEMENT_CLASS(EIdException)
QD_IMPLEMENT_CLASS(EIdSilentException)
QD_IMPLEMENT_CLASS(EIdConnClosedGracefully)
QD_IMPLEMENT_CLASS(EIdReadTimeout)
QD_IMPLEMENT_CLASS(EIdConnectTimeout)
QD_IMPLEMENT_CLASS(EIdAlreadyConnected)
QD_IMPLEMENT_CLASS(EIdOSSLConnectError)
QD_IMPLEMENT_CLASS(EIdSocketError)
QD_IMPLEMENT_CLASS(EIdHTTPProtocolException)
QD_IMPLEMENT_CLASS(TIdHTTPRequest)
QD_IMPLEMENT_CLASS(TIdProxyConnectionInfo)
QD_IMPLEMENT_CLASS(TIdHTTPResponse)
QD_IMPLEMENT_CLASS(TIdHTTP)

namespace {

constexpr int kDefaultConnectTimeoutMs = 20000;

struct SocketErrorText {
  int err;
  int wsa;
  const char16_t* text;
};

constexpr SocketErrorText kSocketErrors[] = {
    {ECONNREFUSED, 10061, u"Connection refused."},
    {ETIMEDOUT, 10060, u"Connection timed out."},
    {ENETUNREACH, 10051, u"Network is unreachable."},
    {EHOSTUNREACH, 10065, u"No route to host."},
    {ECONNRESET, 10054, u"Connection reset by peer."},
    {ECONNABORTED, 10053, u"Software caused connection abort."},
    {EPIPE, 10053, u"Software caused connection abort."},
    {ENETDOWN, 10050, u"Network is down."},
    {EADDRNOTAVAIL, 10049, u"Cannot assign requested address."},
};

[[noreturn]] void RaiseSocketError(int wsa, const char16_t* text) {
  throw EIdSocketError(wsa, u"Socket Error # " + IntToStr(wsa) + u"\r\n" + text);
}

[[noreturn]] void RaiseFromErrno(int err, const std::string& detail) {
  for (const auto& e : kSocketErrors)
    if (e.err == err) RaiseSocketError(e.wsa, e.text);
  throw EIdSocketError(0, Utf8ToString(detail));
}

}  // namespace

[[noreturn]] void net::RaiseIdTransferError(const net::TTransferResult& r) {
  using net::TTransferError;
  switch (r.Error) {
    case TTransferError::HostNotFound:
      RaiseSocketError(11001, u"Host not found.");
    case TTransferError::ConnectFailed:
      RaiseFromErrno(r.OsError ? r.OsError : ECONNREFUSED, r.Detail);
    case TTransferError::ConnectTimeout:
      throw EIdConnectTimeout(u"Connect timed out.");
    case TTransferError::ReadTimeout:
      throw EIdReadTimeout(u"Read timed out.");
    case TTransferError::ConnectionLost:
      RaiseFromErrno(r.OsError ? r.OsError : ECONNRESET, r.Detail);
    case TTransferError::ConnectionClosed:
      throw EIdConnClosedGracefully(u"Connection Closed Gracefully.");
    case TTransferError::TooManyRedirects:
      throw EIdHTTPProtocolException(r.Response.StatusCode, Utf8ToString(r.Response.StatusLine), String());
    case TTransferError::CertificateVerify:
    case TTransferError::TlsFailed:
      throw EIdOSSLConnectError(u"Error connecting with SSL.\r\n" + Utf8ToString(r.Detail));
    default:
      throw EIdException(Utf8ToString(r.Detail));
  }
}

// Routes the final body to the caller's stream (or, for an error status, to the text that
// the exception carries) and fires the transfer events.
class TIdHTTP::BodySink : public net::THttpSink {
 public:
  BodySink(TIdHTTP* owner, TStream* stream, std::string* text)
      : owner_(owner), stream_(stream), text_(text) {}

  void BodyBegin(const net::THttpResponseInfo& response, int64_t expected) override {
    success_ = response.StatusCode >= 200 && response.StatusCode < 300;
    begun_ = true;
    if (owner_->onWorkBegin_) owner_->onWorkBegin_(owner_, wmRead, expected < 0 ? 0 : expected);
  }

  void BodyData(const char* data, size_t size) override {
    if (!success_)
      errorBody_.append(data, size);
    else if (stream_)
      stream_->WriteBuffer(data, static_cast<int64_t>(size));
    else if (text_)
      text_->append(data, size);
    count_ += static_cast<int64_t>(size);
    if (owner_->onWork_) owner_->onWork_(owner_, wmRead, count_);
  }

  void End() {
    if (!begun_) return;
    begun_ = false;
    if (owner_->onWorkEnd_) owner_->onWorkEnd_(owner_, wmRead);
  }

  const std::string& ErrorBody() const { return errorBody_; }

 private:
  TIdHTTP* owner_;
  TStream* stream_;
  std::string* text_;
  std::string errorBody_;
  bool success_ = true;
  bool begun_ = false;
  int64_t count_ = 0;
};

TIdHTTP::TIdHTTP(TComponent* AOwner)
    : TComponent(AOwner), transfer_(std::make_unique<net::THttpTransfer>()) {}

TIdHTTP::~TIdHTTP() = default;

String TIdHTTP::Get(const String& AURL) {
  std::string bytes;
  DoGet(AURL, nullptr, &bytes);
  return net::DecodeHttpText(bytes, StringToUtf8(response_.CharSet()));
}

void TIdHTTP::Get(const String& AURL, TStream* AResponseContent) {
  DoGet(AURL, AResponseContent, nullptr);
}

void TIdHTTP::Disconnect() {
  transfer_->Disconnect();
}

void TIdHTTP::DoGet(const String& AURL, TStream* stream, std::string* text) {
  if (transfer_->Busy()) throw EIdAlreadyConnected(u"Already connected.");
  net::THttpRequestSpec spec;
  spec.Method = "GET";
  spec.Url = StringToUtf8(AURL);
  spec.FollowRedirects = handleRedirects_;
  spec.MaxRedirects = redirectMaximum_;
  spec.ConnectTimeoutMs = connectTimeout_ > 0 ? connectTimeout_ : kDefaultConnectTimeoutMs;
  spec.ReadTimeoutMs = readTimeout_ > 0 ? readTimeout_ : 0;
  spec.UserAgent = StringToUtf8(request_.UserAgent());
  spec.Headers.push_back(request_.Accept().empty() ? std::string("Accept:")
                                                   : "Accept: " + StringToUtf8(request_.Accept()));
  if (request_.BasicAuthentication() && !request_.Username().empty()) {
    spec.User = StringToUtf8(request_.Username());
    spec.Password = StringToUtf8(request_.Password());
  }
  if (!proxyParams_.ProxyServer().empty()) {
    spec.Proxy = StringToUtf8(proxyParams_.ProxyServer());
    if (proxyParams_.ProxyPort() > 0) spec.Proxy += ":" + std::to_string(proxyParams_.ProxyPort());
    if (proxyParams_.BasicAuthentication() && !proxyParams_.ProxyUsername().empty()) {
      spec.ProxyUser = StringToUtf8(proxyParams_.ProxyUsername());
      spec.ProxyPassword = StringToUtf8(proxyParams_.ProxyPassword());
    }
  }
  spec.UseCookies = allowCookies_;
  spec.PumpMessages = true;

  BodySink sink(this, stream, text);
  net::TTransferResult r;
  try {
    r = transfer_->Perform(spec, sink);
  } catch (...) {
    sink.End();
    throw;
  }

  const net::THttpResponseInfo& info = r.Response;
  response_.code_ = info.StatusCode;
  response_.text_ = Utf8ToString(info.StatusLine);
  response_.contentLength_ = info.ContentLength;
  response_.contentType_ = Utf8ToString(info.ContentType());
  response_.charSet_ = Utf8ToString(info.CharSet());
  response_.location_ = Utf8ToString(info.Header("Location"));

  sink.End();
  if (r.Error != net::TTransferError::None) net::RaiseIdTransferError(r);
  if (info.StatusCode < 200 || info.StatusCode >= 300)
    throw EIdHTTPProtocolException(info.StatusCode, response_.text_,
                                   net::DecodeHttpText(sink.ErrorBody(), info.CharSet()));
}

}  // namespace qd
