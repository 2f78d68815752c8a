#include "platform/net/json.h"

#include <cstdlib>
#include <string>

#include "platform/base/exceptions.h"
#include "platform/base/strings.h"

namespace qd {

QD_IMPLEMENT_CLASS(TJSONValue)
QD_IMPLEMENT_CLASS(TJSONString)
QD_IMPLEMENT_CLASS(TJSONNumber)
QD_IMPLEMENT_CLASS(TJSONBool)
QD_IMPLEMENT_CLASS(TJSONTrue)
QD_IMPLEMENT_CLASS(TJSONFalse)
QD_IMPLEMENT_CLASS(TJSONNull)
QD_IMPLEMENT_CLASS(TJSONObject)
QD_IMPLEMENT_CLASS(TJSONArray)

namespace {

// Nesting deeper than this is treated as malformed rather than risking the stack.
constexpr int kMaxDepth = 512;

class Parser {
 public:
  explicit Parser(StringView text) : s_(text) {}

  std::unique_ptr<TJSONValue> ParseDocument() {
    SkipWhitespace();
    auto v = ParseValue(0);
    if (!v) return nullptr;
    SkipWhitespace();
    if (pos_ != s_.size()) return nullptr;
    return v;
  }

 private:
  bool AtEnd() const { return pos_ >= s_.size(); }
  Char Peek() const { return s_[pos_]; }

  void SkipWhitespace() {
    while (!AtEnd()) {
      Char c = Peek();
      if (c != u' ' && c != u'\t' && c != u'\n' && c != u'\r') break;
      ++pos_;
    }
  }

  bool Literal(std::u16string_view word) {
    if (s_.substr(pos_, word.size()) != word) return false;
    pos_ += word.size();
    return true;
  }

  std::unique_ptr<TJSONValue> ParseValue(int depth) {
    if (AtEnd() || depth > kMaxDepth) return nullptr;
    switch (Peek()) {
      case u'{':
        return ParseObject(depth + 1);
      case u'[':
        return ParseArray(depth + 1);
      case u'"': {
        String str;
        if (!ParseString(str)) return nullptr;
        return std::make_unique<TJSONString>(std::move(str));
      }
      case u't':
        if (Literal(u"true")) return std::make_unique<TJSONTrue>();
        return nullptr;
      case u'f':
        if (Literal(u"false")) return std::make_unique<TJSONFalse>();
        return nullptr;
      case u'n':
        if (Literal(u"null")) return std::make_unique<TJSONNull>();
        return nullptr;
      default:
        return ParseNumber();
    }
  }

  static bool IsDigit(Char c) { return c >= u'0' && c <= u'9'; }

  bool Digits() {
    size_t start = pos_;
    while (!AtEnd() && IsDigit(Peek())) ++pos_;
    return pos_ > start;
  }

  std::unique_ptr<TJSONValue> ParseNumber() {
    size_t start = pos_;
    if (!AtEnd() && Peek() == u'-') ++pos_;
    if (AtEnd()) return nullptr;
    if (Peek() == u'0') {
      ++pos_;
    } else if (!Digits()) {
      return nullptr;
    }
    if (!AtEnd() && Peek() == u'.') {
      ++pos_;
      if (!Digits()) return nullptr;
    }
    if (!AtEnd() && (Peek() == u'e' || Peek() == u'E')) {
      ++pos_;
      if (!AtEnd() && (Peek() == u'+' || Peek() == u'-')) ++pos_;
      if (!Digits()) return nullptr;
    }
    return std::make_unique<TJSONNumber>(String(s_.substr(start, pos_ - start)));
  }

  bool ParseString(String& out) {
    ++pos_;  // opening quote
    while (true) {
      if (AtEnd()) return false;
      Char c = s_[pos_++];
      if (c == u'"') return true;
      if (c < 0x20) return false;
      if (c != u'\\') {
        out.push_back(c);
        continue;
      }
      if (AtEnd()) return false;
      Char e = s_[pos_++];
      switch (e) {
        case u'"':
        case u'\\':
        case u'/':
          out.push_back(e);
          break;
        case u'b':
          out.push_back(u'\b');
          break;
        case u'f':
          out.push_back(u'\f');
          break;
        case u'n':
          out.push_back(u'\n');
          break;
        case u'r':
          out.push_back(u'\r');
          break;
        case u't':
          out.push_back(u'\t');
          break;
        case u'u': {
          if (s_.size() - pos_ < 4) return false;
          int v = 0;
          for (int i = 0; i < 4; ++i) {
            int h = HexDigitValue(s_[pos_ + i]);
            if (h < 0) return false;
            v = v * 16 + h;
          }
          pos_ += 4;
          // Surrogates are kept as code units, paired or not, as UTF-16 text holds them.
          out.push_back(static_cast<Char>(v));
          break;
        }
        default:
          return false;
      }
    }
  }

  std::unique_ptr<TJSONValue> ParseObject(int depth) {
    ++pos_;  // '{'
    auto obj = std::make_unique<TJSONObject>();
    SkipWhitespace();
    if (!AtEnd() && Peek() == u'}') {
      ++pos_;
      return obj;
    }
    while (true) {
      SkipWhitespace();
      if (AtEnd() || Peek() != u'"') return nullptr;
      String name;
      if (!ParseString(name)) return nullptr;
      SkipWhitespace();
      if (AtEnd() || Peek() != u':') return nullptr;
      ++pos_;
      SkipWhitespace();
      auto value = ParseValue(depth);
      if (!value) return nullptr;
      obj->AddPair(std::move(name), std::move(value));
      SkipWhitespace();
      if (AtEnd()) return nullptr;
      Char c = s_[pos_++];
      if (c == u'}') return obj;
      if (c != u',') return nullptr;
    }
  }

  std::unique_ptr<TJSONValue> ParseArray(int depth) {
    ++pos_;  // '['
    auto arr = std::make_unique<TJSONArray>();
    SkipWhitespace();
    if (!AtEnd() && Peek() == u']') {
      ++pos_;
      return arr;
    }
    while (true) {
      SkipWhitespace();
      auto value = ParseValue(depth);
      if (!value) return nullptr;
      arr->Add(std::move(value));
      SkipWhitespace();
      if (AtEnd()) return nullptr;
      Char c = s_[pos_++];
      if (c == u']') return arr;
      if (c != u',') return nullptr;
    }
  }

  StringView s_;
  size_t pos_ = 0;
};

}  // namespace

void AppendJSONString(String& out, StringView s) {
  out.push_back(u'"');
  for (Char c : s) {
    switch (c) {
      case u'"':
        out += u"\\\"";
        break;
      case u'\\':
        out += u"\\\\";
        break;
      case u'\b':
        out += u"\\b";
        break;
      case u'\f':
        out += u"\\f";
        break;
      case u'\n':
        out += u"\\n";
        break;
      case u'\r':
        out += u"\\r";
        break;
      case u'\t':
        out += u"\\t";
        break;
      default:
        if (c < 0x20) {
          out += u"\\u00";
          out.push_back(static_cast<Char>(HexDigitChar(c >> 4, false)));
          out.push_back(static_cast<Char>(HexDigitChar(c, false)));
        } else {
          out.push_back(c);
        }
    }
  }
  out.push_back(u'"');
}

String TJSONString::ToString() const {
  String out;
  AppendJSONString(out, value_);
  return out;
}

double TJSONNumber::AsDouble() const {
  std::string text = StringToUtf8(value_);
  return std::strtod(text.c_str(), nullptr);
}

int64_t TJSONNumber::AsInt64() const {
  int64_t v = 0;
  if (!TryStrToInt64(value_, v) || value_.find_first_not_of(u"-0123456789") != String::npos)
    throw EConvertError(u"'" + value_ + u"' is not a valid integer value");
  return v;
}

TJSONObject::~TJSONObject() = default;

std::unique_ptr<TJSONValue> TJSONObject::ParseJSONValue(StringView text) {
  try {
    return Parser(text).ParseDocument();
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}

TJSONPair* TJSONObject::Get(StringView name) const {
  for (const auto& p : pairs_)
    if (p->Name() == name) return p.get();
  return nullptr;
}

TJSONValue* TJSONObject::GetValue(StringView name) const {
  TJSONPair* p = Get(name);
  return p ? p->JsonValue() : nullptr;
}

TJSONObject& TJSONObject::AddPair(String name, std::unique_ptr<TJSONValue> value) {
  pairs_.push_back(std::make_unique<TJSONPair>(std::move(name), std::move(value)));
  return *this;
}

TJSONObject& TJSONObject::AddPair(String name, String value) {
  return AddPair(std::move(name), std::make_unique<TJSONString>(std::move(value)));
}

String TJSONObject::ToString() const {
  String out = u"{";
  for (size_t i = 0; i < pairs_.size(); ++i) {
    if (i) out.push_back(u',');
    AppendJSONString(out, pairs_[i]->Name());
    out.push_back(u':');
    TJSONValue* v = pairs_[i]->JsonValue();
    out += v ? v->ToString() : u"null";
  }
  out.push_back(u'}');
  return out;
}

TJSONArray::~TJSONArray() = default;

TJSONArray& TJSONArray::Add(std::unique_ptr<TJSONValue> value) {
  items_.push_back(std::move(value));
  return *this;
}

String TJSONArray::ToString() const {
  String out = u"[";
  for (size_t i = 0; i < items_.size(); ++i) {
    if (i) out.push_back(u',');
    out += items_[i] ? items_[i]->ToString() : u"null";
  }
  out.push_back(u']');
  return out;
}

}  // namespace qd
