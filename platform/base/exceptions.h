#pragma once
// The class library's exception hierarchy. Every exception of the system derives from
// Exception, whose Message() is the text that message boxes show.
#include <exception>
#include <string>

#include "platform/base/object.h"
#include "platform/base/types.h"

namespace qd {

class Exception : public TObject, public std::exception {
  QD_CLASS(Exception, TObject)

 public:
  explicit Exception(String message = {});
  const String& Message() const { return message_; }
  void SetMessage(String m);
  const char* what() const noexcept override { return utf8_.c_str(); }

 private:
  String message_;
  std::string utf8_;
};

#define QD_DECLARE_EXCEPTION(Name, Parent) \
  class Name : public Parent {             \
    QD_CLASS(Name, Parent)                 \
                                           \
   public:                                 \
    using Parent::Parent;                  \
  };

// Silent exception: ends the current operation without a message.
class EAbort : public Exception {
  QD_CLASS(EAbort, Exception)

 public:
  EAbort() : Exception(u"Operation aborted") {}
  using Exception::Exception;
};

QD_DECLARE_EXCEPTION(EConvertError, Exception)
QD_DECLARE_EXCEPTION(EListError, Exception)
QD_DECLARE_EXCEPTION(EStringListError, Exception)
QD_DECLARE_EXCEPTION(EInvalidOperation, Exception)
QD_DECLARE_EXCEPTION(EInvalidPointer, Exception)
// An object is not of the class a checked cast asked for ("Invalid class typecast").
QD_DECLARE_EXCEPTION(EInvalidCast, Exception)
QD_DECLARE_EXCEPTION(EArgumentException, Exception)
QD_DECLARE_EXCEPTION(EArgumentOutOfRangeException, EArgumentException)
QD_DECLARE_EXCEPTION(EStreamError, Exception)
QD_DECLARE_EXCEPTION(EReadError, EStreamError)
QD_DECLARE_EXCEPTION(EWriteError, EStreamError)
QD_DECLARE_EXCEPTION(EFilerError, EStreamError)
QD_DECLARE_EXCEPTION(EFOpenError, EStreamError)
QD_DECLARE_EXCEPTION(EFCreateError, EStreamError)
QD_DECLARE_EXCEPTION(EClassNotFound, EFilerError)
QD_DECLARE_EXCEPTION(EComponentError, Exception)
QD_DECLARE_EXCEPTION(EIntError, Exception)
QD_DECLARE_EXCEPTION(EDivByZero, EIntError)
QD_DECLARE_EXCEPTION(ERangeError, EIntError)
QD_DECLARE_EXCEPTION(EMathError, Exception)
QD_DECLARE_EXCEPTION(EOutOfMemory, Exception)
QD_DECLARE_EXCEPTION(ENotSupportedException, Exception)
QD_DECLARE_EXCEPTION(EVariantError, Exception)
QD_DECLARE_EXCEPTION(EThread, Exception)
// A virtual operation that a class leaves to its descendants was called on an object that
// does not implement it.
QD_DECLARE_EXCEPTION(EAbstractError, Exception)

// An operating-system call failed; ErrorCode is the system's error number.
class EOSError : public Exception {
  QD_CLASS(EOSError, Exception)

 public:
  explicit EOSError(String message = {}, uint32_t code = 0)
      : Exception(std::move(message)), errorCode_(code) {}
  uint32_t ErrorCode() const { return errorCode_; }

 private:
  uint32_t errorCode_;
};

// "Stream read error"
[[noreturn]] void RaiseReadError();
// "Cannot assign a <source> to a <target>" (source "nil" when there is none).
[[noreturn]] void RaiseAssignError(const TObject* source, const TObject* target);
// "List index out of bounds (<index>)"
[[noreturn]] void RaiseListIndexError(int64_t index);
// "Abstract Error"
[[noreturn]] void RaiseAbstractError();
// The system error text of the last OS error, raised as EOSError.
[[noreturn]] void RaiseLastOSError(uint32_t code);

}  // namespace qd
