#pragma once
// Exceptions of the socket-based HTTP client, worded as its socket library words them:
//   "HTTP/1.1 404 Not Found"                      EIdHTTPProtocolException (the status line)
//   "Read timed out."                             EIdReadTimeout
//   "Connect timed out."                          EIdConnectTimeout
//   "Socket Error # 10061\r\nConnection refused."  EIdSocketError (LastError 10061)
//   "Socket Error # 11001\r\nHost not found."      EIdSocketError (LastError 11001)
//   "Connection Closed Gracefully."               EIdConnClosedGracefully
#include "platform/base/exceptions.h"

namespace qd {

QD_DECLARE_EXCEPTION(EIdException, Exception)
QD_DECLARE_EXCEPTION(EIdSilentException, EIdException)
QD_DECLARE_EXCEPTION(EIdConnClosedGracefully, EIdSilentException)
QD_DECLARE_EXCEPTION(EIdReadTimeout, EIdException)
QD_DECLARE_EXCEPTION(EIdConnectTimeout, EIdException)
QD_DECLARE_EXCEPTION(EIdAlreadyConnected, EIdException)
// TLS could not be negotiated, or the server's certificate was not accepted.
QD_DECLARE_EXCEPTION(EIdOSSLConnectError, EIdException)

class EIdSocketError : public EIdException {
  QD_CLASS(EIdSocketError, EIdException)

 public:
  EIdSocketError(int lastError, String message) : EIdException(std::move(message)), lastError_(lastError) {}
  explicit EIdSocketError(String message = {}) : EIdException(std::move(message)) {}
  // The Winsock error number (10061 connection refused, 11001 host not found, ...).
  int LastError() const { return lastError_; }

 private:
  int lastError_ = 0;
};

class EIdHTTPProtocolException : public EIdException {
  QD_CLASS(EIdHTTPProtocolException, EIdException)

 public:
  EIdHTTPProtocolException(int errorCode, String statusLine, String errorMessage)
      : EIdException(std::move(statusLine)), errorCode_(errorCode), errorMessage_(std::move(errorMessage)) {}
  explicit EIdHTTPProtocolException(String message = {}) : EIdException(std::move(message)) {}
  // The response's status code.
  int ErrorCode() const { return errorCode_; }
  // The response's body, as text.
  const String& ErrorMessage() const { return errorMessage_; }

 private:
  int errorCode_ = 0;
  String errorMessage_;
};

}  // namespace qd
