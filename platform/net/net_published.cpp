#include "platform/net/net_published.h"

#include "platform/classes/rtti.h"
#include "platform/net/idantifreeze.h"
#include "platform/net/idhttp.h"
#include "platform/net/rest.h"

namespace qd::net {

namespace {

const TTypeInfo* HTTPOptionType() {
  static const TTypeInfo t = MakeEnumTypeInfo(
      u"TIdHTTPOption", {u"hoInProcessAuth", u"hoKeepOrigProtocol", u"hoForceEncodeParams",
                         u"hoNonSSLProxyUseConnectVerb", u"hoNoParseMetaHTTPEquiv",
                         u"hoWaitForUnexpectedData", u"hoTreat302Like303", u"hoNoProtocolErrorException",
                         u"hoNoReadMultipartMIME", u"hoNoParseXmlCharset", u"hoWantProtocolErrorContent"});
  return &t;
}
const TTypeInfo* HTTPOptionsType() {
  static const TTypeInfo t = MakeSetTypeInfo(u"TIdHTTPOptions", HTTPOptionType());
  return &t;
}
const TTypeInfo* SecureProtocolType() {
  static const TTypeInfo t =
      MakeEnumTypeInfo(u"THTTPSecureProtocol", {u"SSL2", u"SSL3", u"TLS1", u"TLS11", u"TLS12", u"TLS13"});
  return &t;
}
const TTypeInfo* SecureProtocolsType() {
  static const TTypeInfo t = MakeSetTypeInfo(u"THTTPSecureProtocols", SecureProtocolType());
  return &t;
}
const TTypeInfo* RequestMethodType() {
  static const TTypeInfo t =
      MakeEnumTypeInfo(u"TRESTRequestMethod", {u"rmPOST", u"rmPUT", u"rmGET", u"rmDELETE", u"rmPATCH"});
  return &t;
}

void RegisterRequest(TPropertyRegistrar& r) {
  r.Prop("Accept", &TIdHTTPRequest::Accept, &TIdHTTPRequest::SetAccept);
  r.Prop("UserAgent", &TIdHTTPRequest::UserAgent, &TIdHTTPRequest::SetUserAgent);
  r.Prop("BasicAuthentication", &TIdHTTPRequest::BasicAuthentication,
         &TIdHTTPRequest::SetBasicAuthentication);
  r.Prop("Username", &TIdHTTPRequest::Username, &TIdHTTPRequest::SetUsername);
  r.Prop("Password", &TIdHTTPRequest::Password, &TIdHTTPRequest::SetPassword);
}

void RegisterProxy(TPropertyRegistrar& r) {
  r.Prop("BasicAuthentication", &TIdProxyConnectionInfo::BasicAuthentication,
         &TIdProxyConnectionInfo::SetBasicAuthentication);
  r.Prop("ProxyServer", &TIdProxyConnectionInfo::ProxyServer, &TIdProxyConnectionInfo::SetProxyServer);
  r.Prop("ProxyPort", &TIdProxyConnectionInfo::ProxyPort, &TIdProxyConnectionInfo::SetProxyPort);
}

void RegisterHTTP(TPropertyRegistrar& r) {
  r.Prop("Request", &TIdHTTP::Request);
  r.Prop("ProxyParams", &TIdHTTP::ProxyParams);
  r.Prop("ReadTimeout", &TIdHTTP::ReadTimeout, &TIdHTTP::SetReadTimeout).Default(0);
  r.Prop("ConnectTimeout", &TIdHTTP::ConnectTimeout, &TIdHTTP::SetConnectTimeout).Default(0);
  r.Prop("HandleRedirects", &TIdHTTP::HandleRedirects, &TIdHTTP::SetHandleRedirects);
  r.Prop("RedirectMaximum", &TIdHTTP::RedirectMaximum, &TIdHTTP::SetRedirectMaximum).Default(15);
  r.Prop("AllowCookies", &TIdHTTP::AllowCookies, &TIdHTTP::SetAllowCookies);
  r.Prop("HTTPOptions", &TIdHTTP::HTTPOptions, &TIdHTTP::SetHTTPOptions, HTTPOptionsType());
  r.Event("OnWork", &TIdHTTP::OnWork, &TIdHTTP::SetOnWork);
  r.Event("OnWorkBegin", &TIdHTTP::OnWorkBegin, &TIdHTTP::SetOnWorkBegin);
  r.Event("OnWorkEnd", &TIdHTTP::OnWorkEnd, &TIdHTTP::SetOnWorkEnd);
}

void RegisterAntiFreeze(TPropertyRegistrar& r) {
  r.Prop("Active", &TIdAntiFreeze::Active, &TIdAntiFreeze::SetActive);
  r.Prop("IdleTimeOut", &TIdAntiFreeze::IdleTimeOut, &TIdAntiFreeze::SetIdleTimeOut).Default(250);
  r.Prop("OnlyWhenIdle", &TIdAntiFreeze::OnlyWhenIdle, &TIdAntiFreeze::SetOnlyWhenIdle);
}

void RegisterRESTClient(TPropertyRegistrar& r) {
  r.Prop("BaseURL", &TRESTClient::BaseURL, &TRESTClient::SetBaseURL);
  r.Prop("Accept", &TRESTClient::Accept, &TRESTClient::SetAccept);
  r.Prop("AcceptCharset", &TRESTClient::AcceptCharset, &TRESTClient::SetAcceptCharset);
  r.Prop("ContentType", &TRESTClient::ContentType, &TRESTClient::SetContentType);
  r.Prop("UserAgent", &TRESTClient::UserAgent, &TRESTClient::SetUserAgent);
  r.Prop("SecureProtocols", &TRESTClient::SecureProtocols, &TRESTClient::SetSecureProtocols,
         SecureProtocolsType());
  r.Prop("HandleRedirects", &TRESTClient::HandleRedirects, &TRESTClient::SetHandleRedirects);
}

void RegisterRESTRequest(TPropertyRegistrar& r) {
  r.Prop("Client", &TRESTRequest::Client, &TRESTRequest::SetClient);
  r.Prop("Response", &TRESTRequest::Response, &TRESTRequest::SetResponse);
  r.Prop("Method", &TRESTRequest::Method, &TRESTRequest::SetMethod, RequestMethodType());
  r.Prop("Resource", &TRESTRequest::Resource, &TRESTRequest::SetResource);
  r.Prop("Accept", &TRESTRequest::Accept, &TRESTRequest::SetAccept);
  r.Prop("AcceptCharset", &TRESTRequest::AcceptCharset, &TRESTRequest::SetAcceptCharset);
  r.Prop("SynchronizedEvents", &TRESTRequest::SynchronizedEvents, &TRESTRequest::SetSynchronizedEvents);
}

void RegisterRESTResponse(TPropertyRegistrar&) {}

}  // namespace

void RegisterPublishedNetClasses() {
  static const bool done = [] {
    RegisterPublishedClass(TIdHTTPRequest::StaticClass(), &RegisterRequest);
    RegisterPublishedClass(TIdProxyConnectionInfo::StaticClass(), &RegisterProxy);
    RegisterPublishedClass(TIdHTTP::StaticClass(), &RegisterHTTP);
    RegisterPublishedClass(TIdAntiFreeze::StaticClass(), &RegisterAntiFreeze);
    RegisterPublishedClass(TRESTClient::StaticClass(), &RegisterRESTClient);
    RegisterPublishedClass(TRESTRequest::StaticClass(), &RegisterRESTRequest);
    RegisterPublishedClass(TRESTResponse::StaticClass(), &RegisterRESTResponse);
    for (TClass c : {TIdHTTP::StaticClass(), TIdAntiFreeze::StaticClass(), TRESTClient::StaticClass(),
                     TRESTRequest::StaticClass(), TRESTResponse::StaticClass()})
      RegisterClass(c);
    return true;
  }();
  (void)done;
}

}  // namespace qd::net
