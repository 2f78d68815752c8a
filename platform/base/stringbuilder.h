#pragma once
// TStringBuilder: the run-time library's growable UTF-16 text buffer.
#include <cstdint>
#include <string>

#include "platform/base/exceptions.h"
#include "platform/base/strings.h"
#include "platform/base/types.h"

namespace qd {

class TStringBuilder {
 public:
  TStringBuilder() = default;
  explicit TStringBuilder(int32_t ACapacity) { SetCapacity(ACapacity); }
  explicit TStringBuilder(StringView AValue) : FData(AValue) {}

  TStringBuilder& Append(StringView AValue) {
    FData.append(AValue);
    return *this;
  }
  TStringBuilder& Append(const Char* AValue) { return Append(StringView(AValue ? AValue : u"")); }
  TStringBuilder& Append(const String& AValue) { return Append(StringView(AValue)); }
  TStringBuilder& Append(Char AValue) {
    FData.push_back(AValue);
    return *this;
  }
  TStringBuilder& Append(int32_t AValue) { return Append(StringView(IntToStr(AValue))); }
  TStringBuilder& Append(int64_t AValue) { return Append(StringView(IntToStr(AValue))); }
  TStringBuilder& Append(bool) = delete;  // no implicit conversions from pointers or Booleans

  TStringBuilder& Clear() {
    FData.clear();
    return *this;
  }
  String ToString() const { return FData; }
  StringView View() const { return FData; }

  int32_t Length() const { return static_cast<int32_t>(FData.size()); }
  // A longer length pads with #0.
  void SetLength(int32_t AValue) {
    if (AValue < 0) throw EArgumentOutOfRangeException(u"Argument out of range");
    FData.resize(static_cast<size_t>(AValue));
  }
  int32_t Capacity() const { return static_cast<int32_t>(FData.capacity()); }
  // Reserves room for at least AValue characters; a value below the length raises.
  void SetCapacity(int32_t AValue) {
    if (AValue < Length()) throw EArgumentOutOfRangeException(u"Argument out of range");
    if (static_cast<size_t>(AValue) > FData.capacity()) FData.reserve(static_cast<size_t>(AValue));
  }
  Char Chars(int32_t AIndex) const {
    if (AIndex < 0 || AIndex >= Length()) throw EArgumentOutOfRangeException(u"Argument out of range");
    return FData[static_cast<size_t>(AIndex)];
  }

 private:
  String FData;
};

}  // namespace qd
