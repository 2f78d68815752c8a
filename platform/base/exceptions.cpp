#include "platform/base/exceptions.h"

#include "platform/base/strings.h"

namespace qd {

Exception::Exception(String message) : message_(std::move(message)), utf8_(StringToUtf8(message_)) {}

void Exception::SetMessage(String m) {
  message_ = std::move(m);
  utf8_ = StringToUtf8(message_);
}

QD_IMPLEMENT_CLASS(Exception)
QD_IMPLEMENT_CLASS(EAbort)
QD_IMPLEMENT_CLASS(EConvertError)
QD_IMPLEMENT_CLASS(EListError)
QD_IMPLEMENT_CLASS(EStringListError)
QD_IMPLEMENT_CLASS(EInvalidOperation)
QD_IMPLEMENT_CLASS(EInvalidPointer)
QD_IMPLEMENT_CLASS(EInvalidCast)
QD_IMPLEMENT_CLASS(EArgumentException)
QD_IMPLEMENT_CLASS(EArgumentOutOfRangeException)
QD_IMPLEMENT_CLASS(EStreamError)
QD_IMPLEMENT_CLASS(EReadError)
QD_IMPLEMENT_CLASS(EWriteError)
QD_IMPLEMENT_CLASS(EFilerError)
QD_IMPLEMENT_CLASS(EFOpenError)
QD_IMPLEMENT_CLASS(EFCreateError)
QD_IMPLEMENT_CLASS(EClassNotFound)
QD_IMPLEMENT_CLASS(EComponentError)
QD_IMPLEMENT_CLASS(EIntError)
QD_IMPLEMENT_CLASS(EDivByZero)
QD_IMPLEMENT_CLASS(ERangeError)
QD_IMPLEMENT_CLASS(EMathError)
QD_IMPLEMENT_CLASS(EOutOfMemory)
QD_IMPLEMENT_CLASS(ENotSupportedException)
QD_IMPLEMENT_CLASS(EVariantError)
QD_IMPLEMENT_CLASS(EThread)
QD_IMPLEMENT_CLASS(EAbstractError)
QD_IMPLEMENT_CLASS(EOSError)

void RaiseReadError() {
  throw EReadError(u"Stream read error");
}

void RaiseAssignError(const TObject* source, const TObject* target) {
  String s = source ? source->ClassName() : String(u"nil");
  String t = target ? target->ClassName() : String(u"nil");
  throw EConvertError(u"Cannot assign a " + s + u" to a " + t);
}

void RaiseListIndexError(int64_t index) {
  throw EListError(u"List index out of bounds (" + IntToStr(index) + u")");
}

void RaiseAbstractError() {
  throw EAbstractError(u"Abstract Error");
}

void RaiseLastOSError(uint32_t code) {
  throw EOSError(u"System Error.  Code: " + IntToStr(static_cast<int64_t>(code)) + u".", code);
}

}  // namespace qd
