#pragma once
// JSON values and a strict parser (RFC 8259). Numbers keep their text as written, so a
// version answer's "status" or "versao" reads back exactly as the service sent it.
#include <memory>
#include <vector>

#include "platform/base/object.h"
#include "platform/base/types.h"

namespace qd {

class TJSONValue : public TObject {
  QD_CLASS(TJSONValue, TObject)

 public:
  // The value's text: a string's content, a number's text as written, "true" or "false";
  // "" for null, objects and arrays.
  virtual String Value() const { return {}; }
  // The value as JSON text (strings quoted and escaped, non-ASCII characters kept).
  virtual String ToString() const = 0;
  virtual bool Null() const { return false; }
};

class TJSONString : public TJSONValue {
  QD_CLASS(TJSONString, TJSONValue)

 public:
  explicit TJSONString(String value = {}) : value_(std::move(value)) {}
  String Value() const override { return value_; }
  String ToString() const override;

 protected:
  String value_;
};

// A number's text is kept verbatim ("1.50", "-0", "1E+3").
class TJSONNumber : public TJSONString {
  QD_CLASS(TJSONNumber, TJSONString)

 public:
  explicit TJSONNumber(String text = u"0") : TJSONString(std::move(text)) {}
  String ToString() const override { return value_; }
  double AsDouble() const;
  // Raises EConvertError when the text is not an integer within range.
  int64_t AsInt64() const;
};

class TJSONBool : public TJSONValue {
  QD_CLASS(TJSONBool, TJSONValue)

 public:
  explicit TJSONBool(bool value = false) : value_(value) {}
  bool AsBoolean() const { return value_; }
  String Value() const override { return value_ ? u"true" : u"false"; }
  String ToString() const override { return Value(); }

 private:
  bool value_;
};

class TJSONTrue : public TJSONBool {
  QD_CLASS(TJSONTrue, TJSONBool)

 public:
  TJSONTrue() : TJSONBool(true) {}
};

class TJSONFalse : public TJSONBool {
  QD_CLASS(TJSONFalse, TJSONBool)

 public:
  TJSONFalse() : TJSONBool(false) {}
};

class TJSONNull : public TJSONValue {
  QD_CLASS(TJSONNull, TJSONValue)

 public:
  String ToString() const override { return u"null"; }
  bool Null() const override { return true; }
};

class TJSONPair {
 public:
  TJSONPair(String name, std::unique_ptr<TJSONValue> value)
      : name_(std::move(name)), value_(std::move(value)) {}
  const String& Name() const { return name_; }
  TJSONValue* JsonValue() const { return value_.get(); }

 private:
  String name_;
  std::unique_ptr<TJSONValue> value_;
};

class TJSONObject : public TJSONValue {
  QD_CLASS(TJSONObject, TJSONValue)

 public:
  TJSONObject() = default;
  ~TJSONObject() override;

  // Parses a complete JSON text: whitespace may surround the value, anything else after it
  // makes the text malformed. Returns nullptr for malformed text; never raises.
  static std::unique_ptr<TJSONValue> ParseJSONValue(StringView text);

  int Count() const { return static_cast<int>(pairs_.size()); }
  TJSONPair& Pairs(int index) const { return *pairs_.at(static_cast<size_t>(index)); }
  // The first member of that name (names compare exactly), or nullptr.
  TJSONPair* Get(StringView name) const;
  TJSONValue* GetValue(StringView name) const;
  TJSONObject& AddPair(String name, std::unique_ptr<TJSONValue> value);
  TJSONObject& AddPair(String name, String value);

  String ToString() const override;

 private:
  std::vector<std::unique_ptr<TJSONPair>> pairs_;
};

class TJSONArray : public TJSONValue {
  QD_CLASS(TJSONArray, TJSONValue)

 public:
  TJSONArray() = default;
  ~TJSONArray() override;

  int Count() const { return static_cast<int>(items_.size()); }
  TJSONValue* Items(int index) const { return items_.at(static_cast<size_t>(index)).get(); }
  TJSONArray& Add(std::unique_ptr<TJSONValue> value);

  String ToString() const override;

 private:
  std::vector<std::unique_ptr<TJSONValue>> items_;
};

// Appends s to out as a quoted JSON string.
void AppendJSONString(String& out, StringView s);

}  // namespace qd
