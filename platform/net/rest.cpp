#include "platform/net/rest.h"

#include <cctype>
#include <cerrno>
#include <string>

#include "platform/base/strings.h"
#include "platform/net/http_text.h"
#include "platform/net/http_transfer.h"
#include "platform/net/json.h"

namespace qd {

QD_IMPLEMENT_CLASS(ERESTException)
QD_IMPLEMENT_CLASS(TRESTClient)
QD_IMPLEMENT_CLASS(TRESTResponse)
QD_IMPLEMENT_CLASS(TRESTRequest)

namespace {

constexpr TIdentMapEntry kContentTypes[] = {
    {ctAPPLICATION_JSON, u"application/json"},
    {ctAPPLICATION_XML, u"application/xml"},
    {ctAPPLICATION_X_WWW_FORM_URLENCODED, u"application/x-www-form-urlencoded"},
    {ctAPPLICATION_OCTET_STREAM, u"application/octet-stream"},
    {ctAPPLICATION_JAVASCRIPT, u"application/javascript"},
    {ctMULTIPART_FORM_DATA, u"multipart/form-data"},
    {ctTEXT_PLAIN, u"text/plain"},
    {ctTEXT_HTML, u"text/html"},
    {ctTEXT_XML, u"text/xml"},
    {ctTEXT_CSV, u"text/csv"},
};

const char* MethodName(TRESTRequestMethod m) {
  switch (m) {
    case rmPOST:
      return "POST";
    case rmPUT:
      return "PUT";
    case rmDELETE:
      return "DELETE";
    case rmPATCH:
      return "PATCH";
    default:
      return "GET";
  }
}

std::string QueryEncode(const std::string& s) {
  std::string out;
  for (unsigned char c : s) {
    if (std::isalnum(c) || c == '-' || c == '_' || c == '.' || c == '~') {
      out.push_back(static_cast<char>(c));
    } else {
      out.push_back('%');
      out.push_back(HexDigitChar(c >> 4));
      out.push_back(HexDigitChar(c));
    }
  }
  return out;
}

String ConnectCause(int err, const std::string& detail) {
  switch (err) {
    case ECONNREFUSED:
      return u"connection refused";
    case ENETUNREACH:
      return u"network is unreachable";
    case EHOSTUNREACH:
      return u"no route to host";
    case ETIMEDOUT:
      return u"connection timed out";
    case ECONNRESET:
      return u"connection reset by the server";
    default:
      return Utf8ToString(detail);
  }
}

}  // namespace

[[noreturn]] void net::RaiseRESTTransferError(const net::TTransferResult& r) {
  const String sending = u"Error sending data: ";
  const String receiving = u"Error receiving data: ";
  String detail = Utf8ToString(r.Detail);
  switch (r.Error) {
    case TTransferError::HostNotFound:
      throw ERESTException(sending + u"host not found");
    case TTransferError::ConnectFailed:
      throw ERESTException(sending + ConnectCause(r.OsError ? r.OsError : ECONNREFUSED, r.Detail));
    case TTransferError::ConnectTimeout:
      throw ERESTException(sending + u"connection timed out");
    case TTransferError::ReadTimeout:
      throw ERESTException(receiving + u"read timed out");
    case TTransferError::ConnectionLost:
      throw ERESTException(receiving + ConnectCause(r.OsError, r.Detail));
    case TTransferError::ConnectionClosed:
      throw ERESTException(receiving + u"the server closed the connection");
    case TTransferError::TooManyRedirects:
      throw ERESTException(receiving + u"too many redirects");
    case TTransferError::CertificateVerify:
      throw ERESTException(sending + u"certificate verify failed (" + detail + u")");
    case TTransferError::TlsFailed:
      throw ERESTException(sending + u"TLS handshake failed (" + detail + u")");
    default:
      throw ERESTException(sending + detail);
  }
}

String ContentTypeToString(TRESTContentType AContentType) {
  String name;
  IntToIdent(AContentType, name, kContentTypes);
  return name;
}

TRESTContentType ContentTypeFromString(StringView AContentType) {
  int64_t type = ctNone;
  IdentToInt(AContentType, type, kContentTypes);
  return static_cast<TRESTContentType>(type);
}

TRESTRequestParameter& TRESTRequestParameterList::AddItem(const String& AName, const String& AValue,
                                                          TRESTRequestParameterKind AKind,
                                                          TRESTContentType AContentType) {
  items_.push_back({AName, AValue, AKind, AContentType});
  return items_.back();
}

// ---- TRESTClient -------------------------------------------------------------------------------

TRESTClient::TRESTClient(TComponent* AOwner)
    : TComponent(AOwner), transfer_(std::make_unique<net::THttpTransfer>()) {}

TRESTClient::~TRESTClient() = default;

void TRESTClient::Disconnect() {
  transfer_->Disconnect();
}

// ---- TRESTResponse -----------------------------------------------------------------------------

TRESTResponse::TRESTResponse(TComponent* AOwner) : TComponent(AOwner) {}

TRESTResponse::~TRESTResponse() = default;

TJSONValue* TRESTResponse::JSONValue() {
  if (!jsonParsed_) {
    json_ = TJSONObject::ParseJSONValue(content_);
    jsonParsed_ = true;
  }
  return json_.get();
}

void TRESTResponse::ResetToDefaults() {
  content_.clear();
  rawBytes_.clear();
  json_.reset();
  jsonParsed_ = false;
  statusCode_ = 0;
  statusText_.clear();
  contentType_.clear();
  contentEncoding_.clear();
  fullRequestURI_.clear();
  headers_.clear();
}

// ---- TRESTRequest ------------------------------------------------------------------------------

TRESTRequest::TRESTRequest(TComponent* AOwner)
    : TComponent(AOwner), ownResponse_(std::make_unique<TRESTResponse>(nullptr)) {}

TRESTRequest::~TRESTRequest() {
  SetClient(nullptr);
  SetResponse(nullptr);
}

void TRESTRequest::SetClient(TRESTClient* v) {
  if (client_ == v) return;
  if (client_) client_->RemoveFreeNotification(this);
  client_ = v;
  if (client_) client_->FreeNotification(this);
}

void TRESTRequest::SetResponse(TRESTResponse* v) {
  if (response_ == v) return;
  if (response_) response_->RemoveFreeNotification(this);
  response_ = v;
  if (response_) response_->FreeNotification(this);
}

void TRESTRequest::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation != opRemove) return;
  if (AComponent == client_) client_ = nullptr;
  if (AComponent == response_) response_ = nullptr;
}

void TRESTRequest::ClearBody() {
  for (int i = params_.Count() - 1; i >= 0; --i)
    if (params_.Items(i).Kind == pkREQUESTBODY) params_.Delete(i);
}

void TRESTRequest::AddBody(const String& ABodyContent, TRESTContentType AContentType) {
  params_.AddItem(u"body", ABodyContent, pkREQUESTBODY, AContentType);
}

void TRESTRequest::Execute() {
  if (!client_) throw ERESTException(u"The request has no client");
  TRESTResponse* response = Response();
  response->ResetToDefaults();

  net::THttpRequestSpec spec;
  spec.Method = MethodName(method_);
  std::string url = StringToUtf8(client_->BaseURL());
  if (!resource_.empty()) {
    std::string res = StringToUtf8(resource_);
    if (!url.empty() && url.back() != '/' && res.front() != '/') url += '/';
    url += res;
  }
  std::string query;
  bool hasBody = false;
  std::string body;
  TRESTContentType bodyType = ctNone;
  for (int i = 0; i < params_.Count(); ++i) {
    const TRESTRequestParameter& p = params_.Items(i);
    switch (p.Kind) {
      case pkHTTPHEADER:
        spec.Headers.push_back(StringToUtf8(p.Name) + ": " + StringToUtf8(p.Value));
        break;
      case pkREQUESTBODY:
        hasBody = true;
        body += StringToUtf8(p.Value);
        if (p.ContentType != ctNone) bodyType = p.ContentType;
        break;
      case pkQUERY:
      case pkGETorPOST:
        query += (query.empty() ? "" : "&") + QueryEncode(StringToUtf8(p.Name)) + "=" +
                 QueryEncode(StringToUtf8(p.Value));
        break;
      default:
        break;
    }
  }
  if (!query.empty()) url += (url.find('?') == std::string::npos ? "?" : "&") + query;
  spec.Url = url;

  const String& accept = accept_.empty() ? client_->Accept() : accept_;
  const String& charset = acceptCharset_.empty() ? client_->AcceptCharset() : acceptCharset_;
  spec.Headers.insert(spec.Headers.begin(),
                      accept.empty() ? std::string("Accept:") : "Accept: " + StringToUtf8(accept));
  if (!charset.empty()) spec.Headers.push_back("Accept-Charset: " + StringToUtf8(charset));
  if (hasBody) {
    String type = bodyType != ctNone                ? ContentTypeToString(bodyType)
                  : !client_->ContentType().empty() ? client_->ContentType()
                                                    : String(u"text/plain; charset=UTF-8");
    spec.Headers.push_back("Content-Type: " + StringToUtf8(type));
    spec.HasBody = true;
    spec.Body = std::move(body);
  } else if (method_ == rmPOST || method_ == rmPUT || method_ == rmPATCH) {
    spec.HasBody = true;  // an empty body, announced with Content-Length: 0
  }
  spec.UserAgent = StringToUtf8(client_->UserAgent());
  spec.FollowRedirects = client_->HandleRedirects();
  spec.ConnectTimeoutMs = client_->ConnectTimeout() > 0 ? client_->ConnectTimeout() : 0;
  spec.ReadTimeoutMs = client_->ReadTimeout() > 0 ? client_->ReadTimeout() : 0;
  spec.CAFile = StringToUtf8(client_->CAFile());
  spec.PumpMessages = false;

  struct Sink : net::THttpSink {
    std::string bytes;
    void BodyBegin(const net::THttpResponseInfo&, int64_t expected) override {
      if (expected > 0 && expected < (64 << 20)) bytes.reserve(static_cast<size_t>(expected));
    }
    void BodyData(const char* data, size_t size) override { bytes.append(data, size); }
  } sink;

  response->fullRequestURI_ = Utf8ToString(url);
  net::TTransferResult r = client_->Transfer().Perform(spec, sink);
  if (r.Error != net::TTransferError::None) net::RaiseRESTTransferError(r);

  const net::THttpResponseInfo& info = r.Response;
  response->statusCode_ = info.StatusCode;
  response->statusText_ = Utf8ToString(info.ReasonPhrase);
  std::string type = info.ContentType();
  type = type.substr(0, type.find(';'));
  while (!type.empty() && (type.back() == ' ' || type.back() == '\t')) type.pop_back();
  response->contentType_ = LowerCase(Utf8ToString(type));
  response->contentEncoding_ = Utf8ToString(info.CharSet());
  for (const auto& [k, v] : info.Headers)
    response->headers_.push_back(Utf8ToString(k) + u"=" + Utf8ToString(v));
  response->rawBytes_.assign(sink.bytes.begin(), sink.bytes.end());
  response->content_ = net::DecodeHttpText(sink.bytes, info.CharSet());

  if (client_->RaiseExceptionOn500() && info.StatusCode >= 500)
    throw ERESTException(IntToStr(info.StatusCode) + u" " + response->statusText_);
}

}  // namespace qd
