// Stored forms as text: the parser (text to TFormObject) and the printer (back to text).
#include <charconv>
#include <cmath>

#include "platform/base/strings.h"
#include "platform/classes/filer.h"
#include "platform/classes/filer_internal.h"

namespace qd {

using filer::LineSuffix;

namespace {

constexpr int kMaxDepth = 200;

// --- parser -------------------------------------------------------------------------------

bool IsIdentStart(Char c) {
  return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || c == u'_';
}
bool IsIdentChar(Char c) {
  return IsIdentStart(c) || (c >= u'0' && c <= u'9');
}
bool IsDigit(Char c) {
  return c >= u'0' && c <= u'9';
}
int HexDigit(Char c) {
  return HexDigitValue(c);
}

class Parser {
 public:
  explicit Parser(StringView s) : s_(s) {
    if (!s_.empty() && s_[0] == 0xFEFF) p_ = 1;
  }

  TFormObject ParseRoot() {
    SkipWS();
    TFormObject o = ParseObject(0);
    SkipWS();
    if (p_ < s_.size()) Error(u"End of file expected");
    return o;
  }

 private:
  [[noreturn]] void Error(const String& msg) { throw EParserError(msg + LineSuffix(line_)); }

  Char Peek(size_t ahead = 0) const { return p_ + ahead < s_.size() ? s_[p_ + ahead] : Char(0); }
  bool AtEnd() const { return p_ >= s_.size(); }

  void SkipWS() {
    while (p_ < s_.size()) {
      Char c = s_[p_];
      if (c == u'\n') {
        ++line_;
      } else if (c == u'\r') {
        if (Peek(1) != u'\n') ++line_;
      } else if (c != u' ' && c != u'\t' && c != 0xFEFF) {
        break;
      }
      ++p_;
    }
  }

  String FoundText() {
    if (AtEnd()) return u"end of file";
    size_t e = p_;
    if (IsIdentChar(s_[e])) {
      while (e < s_.size() && IsIdentChar(s_[e])) ++e;
    } else {
      ++e;
    }
    return u"'" + String(s_.substr(p_, e - p_)) + u"'";
  }

  void Expect(Char c) {
    SkipWS();
    if (Peek() != c) Error(u"'" + String(1, c) + u"' expected but " + FoundText() + u" found");
    ++p_;
  }

  String ReadIdent(bool dotted) {
    SkipWS();
    if (!IsIdentStart(Peek())) Error(u"Identifier expected but " + FoundText() + u" found");
    size_t b = p_;
    while (true) {
      while (IsIdentChar(Peek())) ++p_;
      if (dotted && Peek() == u'.' && IsIdentStart(Peek(1))) {
        ++p_;
        continue;
      }
      break;
    }
    return String(s_.substr(b, p_ - b));
  }

  // A keyword at the position (case-insensitive, whole word), not followed by '=' or '.'.
  bool AtKeyword(const char16_t* word) const {
    size_t n = std::char_traits<char16_t>::length(word);
    if (p_ + n > s_.size()) return false;
    for (size_t i = 0; i < n; ++i)
      if (UpCase(s_[p_ + i]) != UpCase(word[i])) return false;
    if (p_ + n < s_.size() && IsIdentChar(s_[p_ + n])) return false;
    size_t q = p_ + n;
    while (q < s_.size() && (s_[q] == u' ' || s_[q] == u'\t')) ++q;
    return q >= s_.size() || (s_[q] != u'=' && s_[q] != u'.');
  }

  TFormObject ParseObject(int depth) {
    if (depth > kMaxDepth) Error(u"Objects nested too deeply");
    SkipWS();
    TFormObject o;
    o.Line = line_;
    if (AtKeyword(u"object")) {
      o.Kind = TFormObject::okObject;
      p_ += 6;
    } else if (AtKeyword(u"inherited")) {
      o.Kind = TFormObject::okInherited;
      p_ += 9;
    } else if (AtKeyword(u"inline")) {
      o.Kind = TFormObject::okInline;
      p_ += 6;
    } else {
      Error(u"'object' expected but " + FoundText() + u" found");
    }
    String first = ReadIdent(false);
    SkipWS();
    if (Peek() == u':') {
      ++p_;
      o.Name = first;
      o.ClassName = ReadIdent(false);
    } else {
      o.ClassName = first;
    }
    SkipWS();
    if (Peek() == u'[') {
      ++p_;
      SkipWS();
      TFormValue v = ParseNumber();
      if (v.Kind != TFormValue::vkInt || v.Int < 0 || v.Int > INT32_MAX) Error(u"Invalid index");
      o.Index = static_cast<int>(v.Int);
      Expect(u']');
    }
    while (true) {
      SkipWS();
      if (AtEnd()) Error(u"'end' expected but end of file found");
      if (AtKeyword(u"end")) {
        p_ += 3;
        return o;
      }
      if (AtKeyword(u"object") || AtKeyword(u"inherited") || AtKeyword(u"inline")) {
        o.Children.push_back(ParseObject(depth + 1));
        continue;
      }
      o.Props.push_back(ParseProperty(depth));
    }
  }

  TFormProperty ParseProperty(int depth) {
    TFormProperty prop;
    SkipWS();
    prop.Line = line_;
    prop.Name = ReadIdent(true);
    Expect(u'=');
    prop.Value = ParseValue(depth + 1);
    return prop;
  }

  TFormValue ParseValue(int depth) {
    if (depth > kMaxDepth) Error(u"Values nested too deeply");
    SkipWS();
    TFormValue v;
    v.Line = line_;
    Char c = Peek();
    if (c == u'\'' || c == u'#') {
      v.Kind = TFormValue::vkString;
      v.Str = ParseString();
    } else if (IsDigit(c) || c == u'$' ||
               ((c == u'-' || c == u'+') && (IsDigit(Peek(1)) || Peek(1) == u'$'))) {
      v = ParseNumber();
    } else if (IsIdentStart(c)) {
      v.Kind = TFormValue::vkIdent;
      v.Str = ReadIdent(true);
    } else if (c == u'[') {
      ++p_;
      v.Kind = TFormValue::vkSet;
      SkipWS();
      if (Peek() != u']') {
        while (true) {
          SkipWS();
          if (IsDigit(Peek())) {
            TFormValue n = ParseNumber();
            if (n.Kind != TFormValue::vkInt) Error(u"Invalid set element");
            v.Set.push_back(IntToStr(n.Int));
          } else {
            v.Set.push_back(ReadIdent(false));
          }
          SkipWS();
          if (Peek() == u',') {
            ++p_;
            continue;
          }
          break;
        }
      }
      Expect(u']');
    } else if (c == u'(') {
      ++p_;
      v.Kind = TFormValue::vkList;
      while (true) {
        SkipWS();
        if (AtEnd()) Error(u"')' expected but end of file found");
        if (Peek() == u')') {
          ++p_;
          break;
        }
        v.List.push_back(ParseValue(depth + 1));
      }
    } else if (c == u'<') {
      ++p_;
      v.Kind = TFormValue::vkCollection;
      while (true) {
        SkipWS();
        if (AtEnd()) Error(u"'>' expected but end of file found");
        if (Peek() == u'>') {
          ++p_;
          break;
        }
        if (!AtKeyword(u"item")) Error(u"'item' expected but " + FoundText() + u" found");
        TFormItem item;
        item.Line = line_;
        p_ += 4;
        SkipWS();
        if (Peek() == u'[') {
          ++p_;
          SkipWS();
          ParseNumber();
          Expect(u']');
        }
        while (true) {
          SkipWS();
          if (AtEnd()) Error(u"'end' expected but end of file found");
          if (AtKeyword(u"end")) {
            p_ += 3;
            break;
          }
          item.Props.push_back(ParseProperty(depth + 1));
        }
        v.Items.push_back(std::move(item));
      }
    } else if (c == u'{') {
      ++p_;
      v.Kind = TFormValue::vkBinary;
      int high = -1;
      while (true) {
        SkipWS();
        if (AtEnd()) Error(u"'}' expected but end of file found");
        if (Peek() == u'}') {
          ++p_;
          break;
        }
        int d = HexDigit(Peek());
        if (d < 0) Error(u"Invalid binary value");
        ++p_;
        if (high < 0) {
          high = d;
        } else {
          v.Bytes.push_back(static_cast<uint8_t>(high * 16 + d));
          high = -1;
        }
      }
      if (high >= 0) Error(u"Invalid binary value");
    } else if (AtEnd()) {
      Error(u"Property value expected but end of file found");
    } else {
      Error(u"Invalid property value " + FoundText());
    }
    return v;
  }

  TFormValue ParseNumber() {
    TFormValue v;
    v.Line = line_;
    v.Kind = TFormValue::vkInt;
    bool neg = false;
    if (Peek() == u'-' || Peek() == u'+') {
      neg = Peek() == u'-';
      ++p_;
    }
    if (Peek() == u'$') {
      ++p_;
      uint64_t r = 0;
      int n = 0;
      while (HexDigit(Peek()) >= 0) {
        if (++n > 16) Error(u"Invalid number");
        r = r * 16 + static_cast<uint64_t>(HexDigit(Peek()));
        ++p_;
      }
      if (n == 0) Error(u"Invalid number");
      // Up to 8 digits a 32-bit value (so $FFFFFFFF is -1 as stored integers are).
      int64_t val = n <= 8 ? static_cast<int64_t>(static_cast<int32_t>(static_cast<uint32_t>(r)))
                           : static_cast<int64_t>(r);
      v.Int = neg ? -val : val;
      if (IsIdentChar(Peek())) Error(u"Invalid number");
      return v;
    }
    size_t b = p_;
    while (IsDigit(Peek())) ++p_;
    if (p_ == b) Error(u"Number expected");
    bool isFloat = false;
    if (Peek() == u'.' && IsDigit(Peek(1))) {
      isFloat = true;
      ++p_;
      while (IsDigit(Peek())) ++p_;
    }
    if ((Peek() == u'e' || Peek() == u'E') &&
        (IsDigit(Peek(1)) || ((Peek(1) == u'-' || Peek(1) == u'+') && IsDigit(Peek(2))))) {
      isFloat = true;
      p_ += 2;
      while (IsDigit(Peek())) ++p_;
    }
    if (IsIdentChar(Peek()) || Peek() == u'.') Error(u"Invalid number");
    std::string text = StringToUtf8(s_.substr(b, p_ - b));
    if (isFloat) {
      v.Kind = TFormValue::vkFloat;
      double d = 0;
      auto r = std::from_chars(text.data(), text.data() + text.size(), d);
      if (r.ec != std::errc()) Error(u"Invalid number");
      v.Float = neg ? -d : d;
    } else {
      uint64_t u = 0;
      auto r = std::from_chars(text.data(), text.data() + text.size(), u);
      if (r.ec != std::errc() || u > static_cast<uint64_t>(INT64_MAX) + (neg ? 1 : 0))
        Error(u"Number out of range");
      v.Int = neg ? static_cast<int64_t>(0 - u) : static_cast<int64_t>(u);
    }
    return v;
  }

  String ParseString() {
    String r;
    while (true) {
      Char c = Peek();
      if (c == u'\'') {
        ++p_;
        while (true) {
          if (AtEnd() || Peek() == u'\r' || Peek() == u'\n') Error(u"Unterminated string");
          if (Peek() == u'\'') {
            if (Peek(1) == u'\'') {
              r.push_back(u'\'');
              p_ += 2;
              continue;
            }
            ++p_;
            break;
          }
          r.push_back(Peek());
          ++p_;
        }
      } else if (c == u'#') {
        ++p_;
        uint32_t code = 0;
        int n = 0;
        if (Peek() == u'$') {
          ++p_;
          while (HexDigit(Peek()) >= 0 && n < 8) {
            code = code * 16 + static_cast<uint32_t>(HexDigit(Peek()));
            ++p_;
            ++n;
          }
        } else {
          while (IsDigit(Peek()) && n < 8) {
            code = code * 10 + static_cast<uint32_t>(Peek() - u'0');
            ++p_;
            ++n;
          }
        }
        if (n == 0 || code > 0xFFFF) Error(u"Invalid character code");
        r.push_back(static_cast<Char>(code));
      } else {
        break;
      }
      Char next = Peek();
      if (next == u'\'' || next == u'#') continue;
      size_t save = p_;
      int saveLine = line_;
      SkipWS();
      if (Peek() == u'+') {
        ++p_;
        SkipWS();
        if (Peek() != u'\'' && Peek() != u'#') Error(u"String expected but " + FoundText() + u" found");
        continue;
      }
      p_ = save;
      line_ = saveLine;
      break;
    }
    return r;
  }

  StringView s_;
  size_t p_ = 0;
  int line_ = 1;
};

// --- printer --------------------------------------------------------------------------------

String QuoteFormString(const String& s) {
  if (s.empty()) return u"''";
  String out;
  bool inQuote = false;
  for (Char c : s) {
    if (c >= 32 && c < 127) {
      if (!inQuote) {
        out.push_back(u'\'');
        inQuote = true;
      }
      out.push_back(c);
      if (c == u'\'') out.push_back(u'\'');
    } else {
      if (inQuote) {
        out.push_back(u'\'');
        inQuote = false;
      }
      out += u"#" + IntToStr(c);
    }
  }
  if (inQuote) out.push_back(u'\'');
  return out;
}

String FormatFloatValue(double d) {
  if (!std::isfinite(d)) return u"0";
  char buf[64];
  auto r = std::to_chars(buf, buf + sizeof(buf), d);
  std::string s(buf, r.ptr);
  for (char& c : s)
    if (c == 'e') c = 'E';
  if (s.find_first_of(".E") == std::string::npos) s += ".0";
  return Utf8ToString(s);
}

void PrintValue(const TFormValue& v, const String& indent, String& out);

void PrintProps(const std::vector<TFormProperty>& props, const String& indent, String& out) {
  for (const auto& p : props) {
    out += indent + p.Name + u" = ";
    PrintValue(p.Value, indent, out);
    out += u"\r\n";
  }
}

// Long strings go over several lines, joined with '+'.
void PrintString(const String& s, const String& indent, String& out) {
  constexpr size_t kChunk = 64;
  if (s.size() <= kChunk) {
    out += QuoteFormString(s);
    return;
  }
  for (size_t i = 0; i < s.size(); i += kChunk) {
    if (i > 0) out += u" +\r\n" + indent + u"  ";
    out += QuoteFormString(s.substr(i, kChunk));
  }
}

void PrintValue(const TFormValue& v, const String& indent, String& out) {
  switch (v.Kind) {
    case TFormValue::vkInt:
      out += IntToStr(v.Int);
      break;
    case TFormValue::vkFloat:
      out += FormatFloatValue(v.Float);
      break;
    case TFormValue::vkString:
      PrintString(v.Str, indent, out);
      break;
    case TFormValue::vkIdent:
      out += v.Str;
      break;
    case TFormValue::vkSet:
      out += u"[";
      for (size_t i = 0; i < v.Set.size(); ++i) out += (i ? u", " : u"") + v.Set[i];
      out += u"]";
      break;
    case TFormValue::vkList:
      out += u"(";
      for (const auto& e : v.List) {
        out += u"\r\n" + indent + u"  ";
        PrintValue(e, indent + u"  ", out);
      }
      out += u")";
      break;
    case TFormValue::vkCollection:
      out += u"<";
      for (size_t i = 0; i < v.Items.size(); ++i) {
        out += u"\r\n" + indent + u"  item\r\n";
        PrintProps(v.Items[i].Props, indent + u"    ", out);
        out += indent + u"  end";
      }
      out += u">";
      break;
    case TFormValue::vkBinary: {
      out += u"{";
      for (size_t i = 0; i < v.Bytes.size(); ++i) {
        if (i % 32 == 0) out += u"\r\n" + indent + u"  ";
        out.push_back(static_cast<Char>(HexDigitChar(v.Bytes[i] >> 4)));
        out.push_back(static_cast<Char>(HexDigitChar(v.Bytes[i])));
      }
      out += u"}";
      break;
    }
  }
}

void PrintObject(const TFormObject& o, const String& indent, String& out) {
  static const char16_t* kinds[] = {u"object", u"inherited", u"inline"};
  out += indent + kinds[o.Kind] + u" ";
  if (!o.Name.empty()) out += o.Name + u": ";
  out += o.ClassName;
  if (o.Index >= 0) out += u" [" + IntToStr(o.Index) + u"]";
  out += u"\r\n";
  PrintProps(o.Props, indent + u"  ", out);
  for (const auto& c : o.Children) PrintObject(c, indent + u"  ", out);
  out += indent + u"end\r\n";
}

}  // namespace

TFormObject ParseStoredForm(StringView Text) {
  return Parser(Text).ParseRoot();
}

String PrintStoredForm(const TFormObject& Object) {
  String out;
  PrintObject(Object, u"", out);
  return out;
}

}  // namespace qd
